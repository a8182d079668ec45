#include "common/testprogramdir.h"
#include "data/databasefile.h"
#include "platform/programfolders.h"
#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

const QStringList Parts = {"src/database/main.db", "src/icon/task/default.png", "src/icon/birthday/default.png"};

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(contents) > 0;
}
} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    // A file replaces another only once it is whole, a database once it reads back whole: a full disk or a
    // damaged copy leaves the previous file. Only a regular file (also through a link) or a new path is written.
    void write_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("size");  // of a database: where it is cut, 0 when whole, -1 when a page is damaged
        QTest::addColumn<int>("limit"); // 0: the disk has room
        QTest::newRow("file") << "file" << 5000 << 0;
        QTest::newRow("new path") << "new" << 106 << 0;
        QTest::newRow("through a link") << "link" << 106 << 0;
        QTest::newRow("full disk, 106 bytes") << "file" << 106 << 100;
        QTest::newRow("full disk, 5000 bytes") << "file" << 5000 << 4096;
        QTest::newRow("full disk, 16383 bytes") << "file" << 16383 << 16000;
        QTest::newRow("pipe") << "pipe" << 106 << 0;
        QTest::newRow("database copy") << "copy" << 0 << 0;
        QTest::newRow("damaged database copy") << "copy" << 8192 << 0;
        QTest::newRow("database copy with a damaged page") << "copy" << -1 << 0;
        QTest::newRow("database in a temporary file") << "commit" << 0 << 0;
        QTest::newRow("damaged database in a temporary file") << "commit" << 8192 << 0;
    }
    void write()
    {
        QFETCH(QString, target);
        QFETCH(int, size);
        QFETCH(int, limit);
        const bool pipe = target == QLatin1String("pipe"), copy = target == QLatin1String("copy");
        const bool database = copy || target == QLatin1String("commit");
        const bool written = !pipe && limit == 0 && !(database && size != 0);
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName) VALUES (replace(hex(zeroblob(20000)), '0', 'a'))"));
        const QString file = database ? dir.databaseFile() : dir.filePath("out.ics"), source = dir.filePath("source");
        const QString path = target == QLatin1String("link") ? dir.filePath("link.ics") : file;
        QVERIFY(!database || (QFile::copy(file, source) && (size <= 0 || QFile::resize(source, size))));
        // The second page's cell pointers overwritten: the file still opens, its check lists the damage.
        QFile damaged(source);
        QVERIFY(size >= 0 ||
                (damaged.open(QIODevice::ReadWrite) && damaged.seek(4096 + 3) && damaged.write("\0\0\0\0", 4)));
        damaged.close();
        QVERIFY(database ? dir.execute("UPDATE TASK_LIST SET TaskName = 'before'")
                         : target == QLatin1String("new") || pipe || QFile::copy(dir.databaseFile(), file));
        QVERIFY(path == file || QFile::link(file, path));
        QVERIFY(!pipe || ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        const QByteArray before = pipe ? QByteArray() : fileContents(file);
        const QByteArray bytes = database ? fileContents(source) : QByteArray(size, 'n');
        QCOMPARE(inChild(rlim_t(limit), path,
                         [&](QString *error) {
                             return copy       ? DatabaseFile::copy(source, path, nullptr, error)
                                    : database ? SafeFile::commit(source, path, &DatabaseFile::checkCopy, error)
                                               : SafeFile::write(path, bytes, error);
                         }),
                 written ? 0 : 1);
        QCOMPARE(pipe ? QByteArray() : fileContents(file), written ? bytes : before);
        QCOMPARE(QFileInfo(path).isSymLink(), path != file);
        QCOMPARE(QFileInfo(file).isFile(), !pipe);
        QCOMPARE(QFileInfo::exists(source), copy);
        for (const QString &folder : {dir.path(), QFileInfo(file).path()})
            QCOMPARE(QDir(folder).entryList({QStringLiteral("*.part*")}, QDir::Files), QStringList());
    }

    // The program's folder decides the mode; an installed program fills the user's data folder with what is
    // missing there, read-only delivered files become the user's to change, and the user's own stay.
    void chooseAndPrepare_data()
    {
        QTest::addColumn<QString>("programSrc");
        QTest::addColumn<bool>("dataExists");
        QTest::addColumn<bool>("portable");
        QTest::newRow("run tree") << "writable" << false << true;
        QTest::newRow("system install, first start") << "none" << false << false;
        QTest::newRow("system install, data there") << "none" << true << false;
        QTest::newRow("read-only copy") << "read-only" << false << false;
    }
    void chooseAndPrepare()
    {
        QFETCH(QString, programSrc);
        QFETCH(bool, dataExists);
        QFETCH(bool, portable);
        QTemporaryDir root;
        const QString bin = root.filePath("prefix/bin"), user = root.filePath("home/pemmora");
        const QString delivered = programSrc == "none" ? root.filePath("prefix/share/pemmora") : bin + "/src";
        QVERIFY(QDir().mkpath(bin));
        // A portable layout has the upgrader beside the program, an install keeps it elsewhere.
        if (programSrc != "none")
            QVERIFY(writeFile(bin + "/upgrade_database", "x"));
        for (const QString &part : Parts) {
            const QString file = delivered + part.mid(3);
            QVERIFY(writeFile(file, "delivered " + part.toLatin1()));
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        }
        // The user's own database and task picture, the birthday picture still missing.
        for (int i = 0; dataExists && i < 2; ++i)
            QVERIFY(writeFile(user + "/" + Parts[i], "mine " + Parts[i].toLatin1()));
        if (programSrc == "read-only") {
            QVERIFY(QFile::setPermissions(delivered, QFile::ReadOwner | QFile::ExeOwner));
            if (writeFile(delivered + "/probe", "x"))
                QSKIP("this process writes into read-only folders");
        }

        const ProgramFolders folders = ProgramFolders::choose(bin, user);
        QCOMPARE(folders.mode == ProgramFolders::Portable, portable);
        QCOMPARE(folders.dataDir, portable ? bin : user);
        QCOMPARE(folders.deliveredDir, delivered);
        QCOMPARE(QFileInfo(folders.upgrader).path() == bin, programSrc != "none");
        QVERIFY(folders.prepare(Parts).isEmpty());
        QFile::setPermissions(delivered, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QFileInfo::exists(user), !portable);
        for (int i = 0; !portable && i < Parts.size(); ++i) {
            const QString copy = user + "/" + Parts[i];
            QCOMPARE(fileContents(copy), (dataExists && i < 2 ? "mine " : "delivered ") + Parts[i].toLatin1());
            QVERIFY(QFile::permissions(copy) & QFile::WriteOwner);
        }
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
