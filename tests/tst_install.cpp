// Installs the built program into temporary prefixes with "cmake --install" and checks that the tree is
// complete and starts.

#include "app/startup.h"
#include "common/programcopy.h"
#include "platform/singleinstancelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs "cmake --install" for the build; the output is kept for a failure message.
bool install(const QString &prefix, const QString &destdir, QString *output)
{
    QProcess cmake;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (destdir.isEmpty())
        environment.remove(QStringLiteral("DESTDIR"));
    else
        environment.insert(QStringLiteral("DESTDIR"), destdir);
    cmake.setProcessEnvironment(environment);
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(PEMMORA_CMAKE),
                {QStringLiteral("--install"), QStringLiteral(PEMMORA_BUILD_DIR), QStringLiteral("--prefix"), prefix});
    const bool finished = cmake.waitForFinished(120000);
    *output = QString::fromLocal8Bit(cmake.readAll());
    return finished && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// The key=value lines of a desktop entry, values as written in the file.
QMap<QString, QString> desktopEntry(const QString &file)
{
    QMap<QString, QString> keys;
    QFile entry(file);
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString &line : QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'))) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

// The program path as the Exec key holds it: in double quotes with \ " ` $ escaped, and then every
// backslash doubled by the file format.
QString execValue(const QString &path)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : path) {
        if (QStringLiteral("\\\"`$").contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}
#endif

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void installedTree_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("staged");
        QTest::newRow("plain prefix") << "pemmora" << false;
        QTest::newRow("prefix with a space and a dollar") << "my programs/pem$mora" << false;
#ifdef Q_OS_UNIX
        // Packagers stage into DESTDIR: files land there, yet the entry names the final place.
        QTest::newRow("staged with DESTDIR") << "opt/pemmora" << true;
#endif
    }

    void installedTree()
    {
        QFETCH(QString, prefix);
        QFETCH(bool, staged);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        // Staged: the prefix is where the program will live, the files go below DESTDIR.
        const QString finalPrefix = staged ? QStringLiteral("/") + prefix : temp.filePath(prefix);
        const QString destdir = staged ? temp.filePath(QStringLiteral("stage")) : QString();
        const QString root = destdir + finalPrefix;
        QString output;
        QVERIFY2(install(finalPrefix, destdir, &output), qPrintable(output));

        const QString program = QFileInfo(QStringLiteral(PEMMORA_PROGRAM)).fileName();
        QVERIFY(QFileInfo(root + QLatin1Char('/') + program).isExecutable());
        QVERIFY(
            QFileInfo(root + QLatin1Char('/') + QFileInfo(QStringLiteral(PEMMORA_UPGRADER)).fileName()).isExecutable());
        QStringList files = {"src/database/main.db",          "src/icon/task/default.png",
                             "src/icon/birthday/default.png", "src/icon/default/normal.png",
                             "src/icon/default/hover.png",    "src/icon/default/focus.png"};
        const QDir languages(QStringLiteral(PEMMORA_RUN_DIR "/src/language"));
        for (const QString &catalog : languages.entryList(QDir::Files))
            files.append(QStringLiteral("src/language/") + catalog);
        for (const QString &file : qAsConst(files))
            QVERIFY2(QFileInfo(root + QLatin1Char('/') + file).isFile(), qPrintable(file));
        QVERIFY(QFileInfo(root + QStringLiteral("/src/config")).isDir());

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        for (const char *file :
             {"share/icons/hicolor/256x256/apps/pemmora.png", "share/icons/hicolor/scalable/apps/pemmora.svg",
              "share/metainfo/org.example.pemmora.Pemmora.metainfo.xml"})
            QVERIFY2(QFileInfo(root + QLatin1Char('/') + file).isFile(), file);
        const QMap<QString, QString> entry = desktopEntry(root + QStringLiteral("/share/applications/pemmora.desktop"));
        QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Pemmora"));
        QCOMPARE(entry.value(QStringLiteral("Exec")), execValue(finalPrefix + QLatin1Char('/') + program));
        QCOMPARE(entry.value(QStringLiteral("TryExec")), finalPrefix + QLatin1Char('/') + program);
        QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral("pemmora"));
#endif
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
