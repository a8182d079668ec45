#include "common/programcopy.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {
const QString OldUser = QStringLiteral("owner2024");
const QString OldKey = QStringLiteral("old.key.2024");
constexpr int Accounts = 3000;
} // namespace

// Kills the real program inside a master account change (a lock held by the test pins the worker at a
// chosen statement) and starts it again: the old master account and every account come back intact.
class TestVaultRecovery : public QObject
{
    Q_OBJECT

private slots:
    void killedDuringChange_data()
    {
        QTest::addColumn<QString>("lockStatement");
        QTest::addColumn<QString>("killAt");
        const QString total = QString::number(3 * Accounts + 20);
        // Another writer keeps the first UPDATE of the transaction waiting.
        QTest::newRow("before the first write")
            << "BEGIN IMMEDIATE"
            << QStringLiteral("status: 开始提交到数据库.. %1/%2").arg(2 * Accounts + 10).arg(total);
        // A reader keeps COMMIT waiting with every row already rewritten in the open transaction.
        QTest::newRow("before the commit")
            << "BEGIN" << QStringLiteral("status: 提交: %1 / %1 %2/%3").arg(Accounts).arg(3 * Accounts + 10).arg(total);
    }
    void killedDuringChange()
    {
        QFETCH(QString, lockStatement);
        QFETCH(QString, killAt);
        TestProgramDir dir;
        QVERIFY(VaultSeed::seed(dir.databaseFile(), OldUser, OldKey, Accounts));
        {
            QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
            lock.setDatabaseName(dir.databaseFile());
            QSqlQuery hold(lock);
            QVERIFY(lock.open() && hold.exec(lockStatement));
            QVERIFY(hold.exec(QStringLiteral("SELECT count(*) FROM USERS_USER_INFO")) && hold.next());

            ProgramCopy change(dir, QStringLiteral(PEMMORA_VAULT_CHANGE_PROBE));
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("PEMMORA_PROBE_USER"), OldUser);
            environment.insert(QStringLiteral("PEMMORA_PROBE_KEY"), OldKey);
            environment.insert(QStringLiteral("PEMMORA_PROBE_NEW_KEY"), QStringLiteral("new.key.2024"));
            change.process.setProcessEnvironment(environment);
            change.start();
            QVERIFY2(change.waitForLine(killAt, 120000), qPrintable(change.output.right(600)));
            change.process.kill();
            QVERIFY(change.process.waitForFinished(10000));
            QVERIFY(!change.output.contains(QStringLiteral("修改成功")));
            hold.finish();
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lock"));
        QVERIFY(QFile::exists(dir.backupFile()));

        ProgramCopy restart(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        restart.start();
        QVERIFY2(restart.waitForLine(QStringLiteral("modal: 提示"), 60000), qPrintable(restart.output.right(600)));
        QVERIFY(restart.output.contains(QStringLiteral("ready")));
        restart.process.kill();
        QVERIFY(restart.process.waitForFinished(10000));

        QVERIFY(!QFile::exists(dir.backupFile()));
        QVERIFY(VaultSeed::verifies(dir.databaseFile(), OldUser, OldKey));
        const QList<UsersUserInfoData> accounts = VaultSeed::read(dir.databaseFile(), OldUser, OldKey);
        QCOMPARE(accounts.size(), Accounts);
        for (int i = 0; i < Accounts; ++i)
            QCOMPARE(accounts.at(i), VaultSeed::plainAccount(i));
    }
};

QTEST_GUILESS_MAIN(TestVaultRecovery)
#include "tst_vaultrecovery.moc"
