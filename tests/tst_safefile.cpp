#include "common/testprogramdir.h"
#include "data/databasefile.h"
#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs what in a child process whose files cannot grow past limit bytes (0: no limit), as on a full disk, which
// answers 0 for a file written, 1 for a refusal that names the target, 2 for one that does not.
int inChild(rlim_t limit, const QString &target, const std::function<bool(QString *)> &what)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit size{limit, limit};
        if (limit > 0 && (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &size) != 0))
            ::_exit(3);
        QString error;
        ::_exit(what(&error) ? 0 : error.contains(QDir::toNativeSeparators(target)) ? 1 : 2);
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.part*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    // A write that cannot be whole leaves the previous file as it was; only a regular file (also through a link)
    // or a new path is written, never a pipe or a device.
    void write_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit"); // 0: the disk has room
        QTest::newRow("file") << "file" << 5000 << 0;
        QTest::newRow("new path") << "new" << 106 << 0;
        QTest::newRow("through a link") << "link" << 106 << 0;
        QTest::newRow("full disk, 106 bytes") << "file" << 106 << 100;
        QTest::newRow("full disk, 5000 bytes") << "file" << 5000 << 4096;
        QTest::newRow("full disk, 16383 bytes") << "file" << 16383 << 16000;
        QTest::newRow("pipe") << "pipe" << 106 << 0;
    }
    void write()
    {
        QFETCH(QString, target);
        QFETCH(int, size);
        QFETCH(int, limit);
        const bool pipe = target == QLatin1String("pipe"), written = !pipe && limit == 0;
        QTemporaryDir dir;
        const QString file = dir.filePath("out.ics");
        const QString path = target == QLatin1String("link") ? dir.filePath("link.ics") : file;
        const QByteArray previous = "previous export", bytes(size, 'n');
        QVERIFY(target == QLatin1String("new") || pipe || put(file, previous));
        QVERIFY(path == file || QFile::link(file, path));
        QVERIFY(!pipe || ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        QCOMPARE(inChild(rlim_t(limit), path, [&](QString *error) { return SafeFile::write(path, bytes, error); }),
                 written ? 0 : 1);
        QCOMPARE(pipe ? QByteArray() : fileContents(file), written ? bytes : pipe ? QByteArray() : previous);
        QCOMPARE(QFileInfo(path).isSymLink(), path != file);
        QCOMPARE(QFileInfo(file).isFile(), !pipe);
        QCOMPARE(leftovers(dir.path()), QStringList());
    }

    // A database replaces another only once it reads whole: the start-up's and the restore's copy, and a backup
    // that SQLite wrote into a temporary file.
    void database_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("copy") << false << false;
        QTest::newRow("copy of a damaged file") << false << true;
        QTest::newRow("temporary file") << true << false;
        QTest::newRow("damaged temporary file") << true << true;
    }
    void database()
    {
        QFETCH(bool, commit);
        QFETCH(bool, damaged);
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName) VALUES (replace(hex(zeroblob(20000)), '0', 'a'))"));
        const QString source = dir.filePath("source.db"), target = dir.databaseFile();
        QVERIFY(QFile::copy(target, source) && (!damaged || QFile::resize(source, 8192)));
        QVERIFY(dir.execute("UPDATE TASK_LIST SET TaskName = 'previous'"));
        const QByteArray before = fileContents(target), copied = fileContents(source);
        QCOMPARE(inChild(0, target,
                         [&](QString *error) {
                             return commit ? SafeFile::commit(source, target, &DatabaseFile::checkCopy, error)
                                           : DatabaseFile::copy(source, target, nullptr, error);
                         }),
                 damaged ? 1 : 0);
        QCOMPARE(fileContents(target), damaged ? before : copied);
        QCOMPARE(QFileInfo::exists(source), !commit);
        QCOMPARE(leftovers(QFileInfo(target).path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
