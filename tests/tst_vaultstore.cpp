#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "vault/vaultcipher.h"
#include "vault/vaultstore.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <memory>
#include <tuple>

namespace {
const QString OldUser = QStringLiteral("owner2024");
const QString OldKey = QStringLiteral("old.key.2024");
const QString FreshKey = QStringLiteral("fresh.key.1");

bool recent(const QDate &date)
{
    return qAbs(date.daysTo(QDate::currentDate())) <= 1;
}
} // namespace

class TestVaultStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<StoreWorker<VaultStore>> worker;

    // Seeded with that many accounts under the old master account when accounts >= 0.
    void start(int accounts = -1, const QString &sql = QString())
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        if (accounts >= 0)
            QVERIFY(VaultSeed::seed(dir->databaseFile(), OldUser, OldKey, accounts));
        if (!sql.isEmpty())
            QVERIFY(dir->execute(sql));
        worker = std::make_unique<StoreWorker<VaultStore>>();
    }

    QVariant request(SqlOperateType operate, const QVariant &payload = QVariant())
    {
        bool answered = false;
        const QVariant answer = ask(*worker, operate, payload, &answered);
        return answered ? answer : QVariant(QStringLiteral("none"));
    }

    UsersUserResultData query(int type, const QString &text, int limit = 20, int page = 1)
    {
        return request(UsersUserQuery, QVariant::fromValue(UsersUserQueryData{type, text, limit, page}))
            .value<UsersUserResultData>();
    }

    AesAccountUpdateResultType change(const QString &user, const QString &key)
    {
        const QVariant answer = request(AesAccountUpdate, QVariant::fromValue(qMakePair(user, key)));
        return answer.canConvert<AesAccountUpdateResultType>() ? answer.value<AesAccountUpdateResultType>()
                                                               : AesAccountUpdateResultType(-1);
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void init()
    {
        interfacePublicData.userHash = VaultCipher::credentialHash(OldUser);
        interfacePublicData.keyHash = VaultCipher::credentialHash(OldKey);
    }

    void cleanup()
    {
        worker.reset();
        QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
        dir.reset();
        interfacePublicData.aesLogout(LogoutManual);
    }

    void settings()
    {
        start();
        request(UsersConfigUpdate, QVariant::fromValue(UsersConfigData{0, 300}));
        QCOMPARE(request(UsersConfigSelect).value<UsersConfigData>(), (UsersConfigData{0, 300}));
        // Another payload type stores the defaults.
        QCOMPARE(request(UsersConfigUpdate, QStringLiteral("x")), QVariant());
        QCOMPARE(request(UsersConfigSelect).value<UsersConfigData>(), UsersConfigData());
    }

    void paging_data()
    {
        QTest::addColumn<int>("accounts");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("45/20 page 1") << 45 << 20 << 1 << "20 rows of 45, 3 pages, next";
        QTest::newRow("45/20 page 3") << 45 << 20 << 3 << "5 rows of 45, 3 pages, prev";
        QTest::newRow("45/20 beyond the last") << 45 << 20 << 4 << "0 rows of 45, 3 pages, prev";
        QTest::newRow("40/20 exact") << 40 << 20 << 2 << "20 rows of 40, 2 pages, prev";
        QTest::newRow("0 per page, one page") << 45 << 0 << 1 << "45 rows of 45, 1 pages";
        QTest::newRow("empty with paging") << 0 << 20 << 1 << "0 rows of 0, 0 pages";
    }
    void paging()
    {
        QFETCH(int, accounts);
        QFETCH(int, limit);
        QFETCH(int, page);
        QFETCH(QString, expected);
        start(accounts);
        const UsersUserResultData r = query(0, QString(), limit, page);
        QCOMPARE(r.page, page);
        QCOMPARE(QStringLiteral("%1 rows of %2, %3 pages%4%5")
                     .arg(r.users.size())
                     .arg(r.total)
                     .arg(r.pageCount)
                     .arg(r.hasPrevPage ? ", prev" : "", r.hasNextPage ? ", next" : ""),
                 expected);
        if (!r.users.isEmpty()) {
            // In ID order from the page's first row; secrets stay encrypted.
            const UsersUserInfoData plain = VaultSeed::plainAccount((page - 1) * limit);
            QCOMPARE(r.users.first().ID, plain.ID);
            QCOMPARE(r.users.first().Title, plain.Title);
            QVERIFY(r.users.first().Pwd != plain.Pwd);
            QCOMPARE(interfacePublicData.aesDecrypt(r.users.first().Pwd), plain.Pwd);
        }
    }

    void search_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("titles");
        QTest::newRow("no filter") << 0 << QStringLiteral("qq") << "qq mail|bank|o'shop";
        QTest::newRow("unknown type, no filter") << 9 << QStringLiteral("qq") << "qq mail|bank|o'shop";
        QTest::newRow("title only") << 1 << QStringLiteral("qq") << "qq mail";
        QTest::newRow("email only") << 4 << QStringLiteral("qq") << "bank";
        QTest::newRow("user anywhere") << 3 << QStringLiteral("ab") << "qq mail|bank";
        QTest::newRow("quote in text") << 1 << QStringLiteral("o'sh") << "o'shop";
        QTest::newRow("quote closing the literal") << 3 << QStringLiteral("x' OR '1'='1") << "";
        QTest::newRow("underscore is no wildcard") << 3 << QStringLiteral("_") << "bank";
        QTest::newRow("percent is no wildcard") << 3 << QStringLiteral("%") << "";
        QTest::newRow("backslash is no escape") << 3 << QStringLiteral("\\") << "o'shop";
    }
    void search()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(QString, titles);
        start();
        for (const QStringList &f : {QStringList{"qq mail", "abcd", "me@mail.com"},
                                     {"bank", "xx_ab", "me@qq.com"},
                                     {"o'shop", "o'ne\\il", "shop@mail.com"}}) {
            UsersUserInfoData account;
            std::tie(account.Title, account.User, account.Email) = std::make_tuple(f.at(0), f.at(1), f.at(2));
            request(UsersUserInfoInsert, QVariant::fromValue(account));
        }
        const UsersUserResultData result = query(type, text);
        QStringList found;
        for (const UsersUserInfoData &user : result.users)
            found << user.Title;
        QCOMPARE(found.join(QLatin1Char('|')), titles);
        QCOMPARE(result.total, found.size());
    }

    // Writes stamp today's date; the file assigns the ID.
    void writes()
    {
        start();
        UsersUserInfoData account = VaultSeed::plainAccount(0);
        account.ID = 99;
        account.UpdateDate = QDate(2000, 1, 1);
        QCOMPARE(request(UsersUserInfoInsert, QVariant::fromValue(account)), QVariant());
        UsersUserInfoData stored = query(0, QString()).users.value(0);
        QVERIFY(recent(stored.UpdateDate));
        account.ID = 1;
        account.UpdateDate = stored.UpdateDate;
        QCOMPARE(stored, account);

        stored.Title = QStringLiteral("it's changed");
        stored.UpdateDate = QDate(2000, 1, 1);
        request(UsersUserInfoUpdate, QVariant::fromValue(stored));
        const UsersUserInfoData updated = query(0, QString()).users.value(0);
        QVERIFY(updated.Title == QStringLiteral("it's changed") && recent(updated.UpdateDate));

        request(UsersUserInfoDelete, 1);
        QCOMPARE(query(0, QString()).total, 0);
    }

    // Deleted rows leave nothing readable in the file's free pages.
    void deletedAccountLeavesNoTrace()
    {
        start();
        UsersUserInfoData account;
        account.NotePublic = QStringLiteral("TRACE-OF-A-DELETED-ACCOUNT");
        request(UsersUserInfoInsert, QVariant::fromValue(account));
        QVERIFY(fileContents(dir->databaseFile()).contains("TRACE-OF-A-DELETED-ACCOUNT"));
        request(UsersUserInfoDelete, 1);
        QVERIFY(!fileContents(dir->databaseFile()).contains("TRACE-OF-A-DELETED-ACCOUNT"));
    }

    void verifier()
    {
        using Verifier = QPair<QString, QString>;
        start();
        QCOMPARE(request(UsersVerifySelectRegistered), QVariant(false));
        const Verifier pair = request(UsersVerifySelect).value<Verifier>();
        QVERIFY(!pair.first.isEmpty() && pair.second.isEmpty());
        request(UsersVerifyUpdate, QVariant::fromValue(qMakePair(pair.first, QStringLiteral("v"))));
        QCOMPARE(request(UsersVerifySelectRegistered), QVariant(true));
        QCOMPARE(request(UsersVerifySelect).value<Verifier>().second, QStringLiteral("v"));

        worker.reset(); // its open statement would keep the table locked
        QVERIFY(dir->execute(QStringLiteral("DELETE FROM USERS_VERIFY")));
        worker = std::make_unique<StoreWorker<VaultStore>>();
        QCOMPARE(request(UsersVerifySelect), QVariant(QStringLiteral("none")));
        QCOMPARE(request(UsersVerifySelectRegistered), QVariant(QStringLiteral("none")));
    }

    // A counter line every 100 rows and at the end of each phase, against 3 steps per account + 20.
    void changeProgress_data()
    {
        QTest::addColumn<int>("accounts");
        QTest::addColumn<QList<int>>("counters");
        QTest::addColumn<int>("finalValue");
        QTest::newRow("empty vault") << 0 << QList<int>() << 10;
        QTest::newRow("250 accounts") << 250 << QList<int>{100, 200, 250} << 760;
    }
    void changeProgress()
    {
        QFETCH(int, accounts);
        QFETCH(QList<int>, counters);
        QFETCH(int, finalValue);
        start(accounts);
        QSignalSpy status(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus);
        QCOMPARE(change(QStringLiteral("newowner"), QStringLiteral("new.key.2024")), AesUpdateSuccess);

        QStringList lines = {"开始备份数据库..", "完成."};
        for (const QString &phase : {"获取:获取账号信息", "加密:重新加密", "提交:提交到数据库"}) {
            lines << "开始" + phase.section(':', 1) + "..";
            for (const int n : counters)
                lines << QStringLiteral("%1: %2 / %3").arg(phase.section(':', 0, 0)).arg(n).arg(accounts);
            lines << "完成.";
        }
        QStringList seen;
        for (const QList<QVariant> &line : status) {
            seen << line.at(0).toString();
            QCOMPARE(line.at(2).toInt(), 3 * accounts + 20);
        }
        QCOMPARE(seen, lines);
        QCOMPARE(status.first().at(1).toInt(), 0);
        QCOMPARE(status.last().at(1).toInt(), finalValue);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), "newowner", "new.key.2024"));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
        QVERIFY(VaultSeed::verifies(dir->backupFile(), OldUser, OldKey));
    }

    // Every secret stored anew under the new master account, every plain column untouched.
    void changeOneCredential_data()
    {
        QTest::addColumn<QString>("newUser");
        QTest::addColumn<QString>("newKey");
        QTest::addColumn<QString>("userAfter");
        QTest::addColumn<QString>("keyAfter");
        QTest::newRow("key only") << QString() << "fresh.key.1" << OldUser << "fresh.key.1";
        QTest::newRow("user only") << "新主人账号" << QString() << "新主人账号" << OldKey;
    }
    void changeOneCredential()
    {
        QFETCH(QString, newUser);
        QFETCH(QString, newKey);
        QFETCH(QString, userAfter);
        QFETCH(QString, keyAfter);
        start(30);
        const QList<UsersUserInfoData> before = query(0, QString(), 0).users;
        QCOMPARE(change(newUser, newKey), AesUpdateSuccess);
        const QList<UsersUserInfoData> after = query(0, QString(), 0).users;
        const QList<UsersUserInfoData> plain = VaultSeed::read(dir->databaseFile(), userAfter, keyAfter);
        QCOMPARE(after.size(), 30);
        for (int i = 0; i < 30; ++i) {
            QVERIFY(after.at(i).Pwd != before.at(i).Pwd && after.at(i).NotePrivate != before.at(i).NotePrivate);
            QCOMPARE(after.at(i).UpdateDate, before.at(i).UpdateDate);
            QCOMPARE(plain.value(i), VaultSeed::plainAccount(i));
        }
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), userAfter, keyAfter));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
    }

    // A field that cannot be decoded is kept as stored and counted; one with a line break is re-encrypted.
    void changeKeepsUnreadableFields()
    {
        start(3, QStringLiteral("UPDATE USERS_USER_INFO SET Pwd = CASE ID WHEN 2 THEN 'damaged*' ELSE Pwd || char(10) "
                                "END WHERE ID <= 2"));
        QCOMPARE(change(QString(), FreshKey), AesUpdateSuccess);
        QCOMPARE(interfacePublicData.unreadableFields, 1);
        const QList<UsersUserInfoData> after = VaultSeed::read(dir->databaseFile(), OldUser, FreshKey);
        QCOMPARE(after.value(0), VaultSeed::plainAccount(0));
        QCOMPARE(after.value(1).PwdNote, VaultSeed::plainAccount(1).PwdNote);
        QCOMPARE(dir->value(QStringLiteral("SELECT Pwd FROM USERS_USER_INFO WHERE ID = 2")), QVariant("damaged*"));
    }

    void staleBackupStopsBeforeAnyChange()
    {
        start(10);
        QVERIFY(QFile::copy(dir->databaseFile(), dir->backupFile()));
        const QByteArray database = fileContents(dir->databaseFile());
        QSignalSpy status(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus);
        QCOMPARE(change(QString(), FreshKey), AesUpdateBackupFailed);
        QCOMPARE(status.count(), 1);
        QCOMPARE(fileContents(dir->databaseFile()), database);
        QCOMPARE(fileContents(dir->backupFile()), database);
    }

    // A committed change is never undone by a later start that still finds the backup.
    void finishedChangeOutlivesItsBackup()
    {
        start(3);
        QCOMPARE(change(QString(), FreshKey), AesUpdateSuccess);
        QVERIFY(QFile::exists(dir->backupFile()));
        worker.reset();
        QVERIFY(dir->execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName) VALUES (0, 'entered since')")));
        worker = std::make_unique<StoreWorker<VaultStore>>();
        QVERIFY(!QFile::exists(dir->backupFile()));
        QCOMPARE(dir->value(QStringLiteral("SELECT TaskName FROM TASK_LIST")).toString(),
                 QStringLiteral("entered since"));
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, FreshKey));
    }

    // A read stopped early (a broken page chain) must not commit with the last accounts under the old key.
    void shortReadIsNotCommitted()
    {
        start(5, QStringLiteral("UPDATE USERS_USER_INFO SET NotePublic = replace(hex(zeroblob(20000)), '0', 'z') "
                                "WHERE ID = 5"));
        QFile file(dir->databaseFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const int pageSize = 4096;
        const QByteArray filled(pageSize - 4, 'z');
        int broken = 0;
        for (int page = 0; page + pageSize <= bytes.size(); page += pageSize) {
            // A middle overflow page of the note: its first four bytes point to the next one.
            if (bytes.mid(page + 4, pageSize - 4) == filled && bytes.mid(page, 4) != QByteArray(4, '\0')) {
                bytes.replace(page, 4, QByteArray(4, '\xff'));
                ++broken;
            }
        }
        QVERIFY(broken > 0);
        bytes[27] = char(bytes.at(27) + 1); // the change counter: the worker drops the pages it holds
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
        file.close();

        QCOMPARE(change(QString(), FreshKey), AesUpdateExecError);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
    }

    // Nothing of the change stays, and no transaction is left open.
    void failedWriteRollsBack()
    {
        start(250, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF Pwd ON USERS_USER_INFO "
                                  "WHEN NEW.ID = 150 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        const QByteArray before = fileContents(dir->databaseFile());
        QCOMPARE(change(QString(), FreshKey), AesUpdateExecError);
        QCOMPARE(fileContents(dir->databaseFile()), before);
        request(UsersUserInfoDelete, 1);
        QCOMPARE(VaultSeed::read(dir->databaseFile(), OldUser, OldKey).size(), 249);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
    }
};

QTEST_GUILESS_MAIN(TestVaultStore)
#include "tst_vaultstore.moc"
