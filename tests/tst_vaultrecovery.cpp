#include "common/testprogramdir.h"
#include "common/vaultseed.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString OldUser = QStringLiteral("owner2024");
const QString OldKey = QStringLiteral("old.key.2024");
const QString NewKey = QStringLiteral("new.key.2024");
constexpr int Accounts = 3000;

// A real program in the test's directory: the program works in the folder of its own executable.
class Program
{
public:
    Program(const QString &source, const TestProgramDir &dir) : path(dir.filePath(QFileInfo(source).fileName()))
    {
        QFile::remove(path);
        copied = QFile::copy(source, path);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PEMMORA_PROBE_USER"), OldUser);
        environment.insert(QStringLiteral("PEMMORA_PROBE_KEY"), OldKey);
        environment.insert(QStringLiteral("PEMMORA_PROBE_NEW_KEY"), NewKey);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    bool start()
    {
        process.start(path, QStringList());
        return copied && process.waitForStarted(10000);
    }

    // Reads stdout until a line equal to the one wanted arrives; false when the time runs out or the
    // program ends first.
    bool waitForLine(const QString &wanted, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                lines << line;
                if (line == wanted)
                    return true;
            }
            if (process.state() == QProcess::NotRunning) {
                lines << QStringLiteral("(ended: exit code %1, %2)")
                             .arg(process.exitCode())
                             .arg(process.exitStatus() == QProcess::CrashExit ? "crashed" : "normal");
                return false;
            }
            process.waitForReadyRead(100);
        }
        return false;
    }

    void kill()
    {
        process.kill();
        process.waitForFinished(10000);
    }

    // The last lines read, for a failure message.
    QString tail() const { return lines.mid(qMax(0, lines.size() - 6)).join(QLatin1Char('\n')); }

    QStringList lines;

private:
    QString path;
    bool copied = false;
    QProcess process;
};

} // namespace

// Kills the real program in the middle of a master account change of a large vault and starts it
// again: the backup taken before the change must come back, with the old master account and every
// account intact. A lock held by the test pins the worker at a chosen statement, so the kill always
// lands inside the change.
class TestVaultRecovery : public QObject
{
    Q_OBJECT

private slots:
    void killedDuringChange_data()
    {
        QTest::addColumn<QString>("lockStatement");
        QTest::addColumn<QString>("killAt");
        // Another writer keeps the first UPDATE of the transaction waiting.
        QTest::newRow("before the first write")
            << QStringLiteral("BEGIN IMMEDIATE")
            << QStringLiteral("status: 开始提交到数据库.. %1/%2").arg(2 * Accounts + 10).arg(3 * Accounts + 20);
        // A reader keeps COMMIT waiting with every row already rewritten in the open transaction.
        QTest::newRow("before the commit") << QStringLiteral("BEGIN")
                                           << QStringLiteral("status: 提交: %1 / %1 %2/%3")
                                                  .arg(Accounts)
                                                  .arg(3 * Accounts + 10)
                                                  .arg(3 * Accounts + 20);
    }
    void killedDuringChange()
    {
        QFETCH(QString, lockStatement);
        QFETCH(QString, killAt);
        TestProgramDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(VaultSeed::seed(dir.databaseFile(), OldUser, OldKey, Accounts));

        {
            QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
            lock.setDatabaseName(dir.databaseFile());
            QVERIFY(lock.open());
            QSqlQuery hold(lock);
            QVERIFY(hold.exec(lockStatement));
            QVERIFY(hold.exec(QStringLiteral("SELECT count(*) FROM USERS_USER_INFO")) && hold.next());

            Program change(QStringLiteral(PEMMORA_VAULT_CHANGE_PROBE), dir);
            QVERIFY(change.start());
            QVERIFY2(change.waitForLine(killAt, 120000), qPrintable(change.tail()));
            change.kill();
            QVERIFY(!change.lines.contains(QStringLiteral("status: 修改成功！ 1/1")));

            hold.finish();
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
            lock.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lock"));
        QVERIFY(QFile::exists(dir.backupFile()));

        Program restart(QStringLiteral(PEMMORA_STARTUP_PROBE), dir);
        QVERIFY(restart.start());
        QVERIFY2(restart.waitForLine(QStringLiteral("modal: 提示"), 60000), qPrintable(restart.tail()));
        QVERIFY(restart.lines.contains(QStringLiteral("ready")));
        restart.kill();

        QVERIFY(!QFile::exists(dir.backupFile()));
        QVERIFY(VaultSeed::verifies(dir.databaseFile(), OldUser, OldKey));
        QVERIFY(!VaultSeed::verifies(dir.databaseFile(), OldUser, NewKey));
        const QList<UsersUserInfoData> accounts = VaultSeed::read(dir.databaseFile(), OldUser, OldKey);
        QCOMPARE(accounts.size(), Accounts);
        for (int i = 0; i < Accounts; ++i)
            QCOMPARE(accounts.at(i), VaultSeed::plainAccount(i));
    }
};

QTEST_GUILESS_MAIN(TestVaultRecovery)
#include "tst_vaultrecovery.moc"
