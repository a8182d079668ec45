#include "app/startup.h"
#include "common/programcopy.h"
#include "platform/singleinstancelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

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
// The program path as the Exec key holds it: quoted with \ " ` $ escaped, then every backslash doubled.
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
        QTest::newRow("prefix with a space and a dollar") << "my programs/pem$mora" << false;
#ifdef Q_OS_UNIX
        // Files land below DESTDIR, yet the entry names the final place.
        QTest::newRow("staged with DESTDIR") << "opt/pemmora" << true;
#endif
    }

    void installedTree()
    {
        QFETCH(QString, prefix);
        QFETCH(bool, staged);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
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
        QFile entry(root + QStringLiteral("/share/applications/pemmora.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
        for (const QString &line :
             QStringList{"Type=Application", "Name=Pemmora", "Icon=pemmora",
                         "Exec=" + execValue(finalPrefix + '/' + program), "TryExec=" + finalPrefix + '/' + program})
            QVERIFY2(lines.contains(line), qPrintable(line));
#endif
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
