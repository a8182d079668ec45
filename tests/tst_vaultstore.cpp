#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "models/vaultcipher.h"
#include "vault/vaultstore.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <memory>
#include <tuple>

namespace {
const QString OldUser = QStringLiteral("owner2024");
const QString OldKey = QStringLiteral("old.key.2024");
const QString FreshKey = QStringLiteral("fresh.key.1");
} // namespace

class TestVaultStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<StoreWorker<VaultStore>> worker;

    // Logged in with the old master account; seeded with that many accounts under it when accounts >= 0.
    void start(int accounts = -1, const QString &sql = QString())
    {
        interfacePublicData.userHash = VaultCipher::credentialHash(OldUser);
        interfacePublicData.keyHash = VaultCipher::credentialHash(OldKey);
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        QVERIFY(accounts < 0 || VaultSeed::seed(dir->databaseFile(), OldUser, OldKey, accounts));
        QVERIFY(sql.isEmpty() || dir->execute(sql));
        worker = std::make_unique<StoreWorker<VaultStore>>();
    }
    QVariant request(SqlOperateType operate, const QVariant &payload = {}) { return ask(*worker, operate, payload); }
    UsersUserResultData query(int type = 0, const QString &text = QString(), int limit = 20, int page = 1)
    {
        return request(UsersUserQuery, QVariant::fromValue(UsersUserQueryData{type, text, limit, page}))
            .value<UsersUserResultData>();
    }
    int change(const QString &user, const QString &key)
    {
        bool answered = false;
        const QVariant answer = ask(*worker, AesAccountUpdate,
                                    QVariant::fromValue(interfacePublicData.setNewAccount(user, key)), &answered);
        return answered ? answer.value<AesAccountUpdateResultType>() : -1;
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup()
    {
        worker.reset();
        QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
        dir.reset();
        interfacePublicData.aesLogout(LogoutManual);
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
        QCOMPARE(QString::asprintf("page %d: %d rows of %d, %d pages%s%s", r.page, r.users.size(), r.total, r.pageCount,
                                   r.hasPrevPage ? ", prev" : "", r.hasNextPage ? ", next" : ""),
                 QStringLiteral("page %1: ").arg(page) + expected);
        // In ID order from the page's first row, the secrets encrypted.
        const UsersUserInfoData first = r.users.value(0),
                                plain = first.ID ? VaultSeed::plainAccount((page - 1) * limit) : UsersUserInfoData();
        QCOMPARE(first.Title, plain.Title);
        QCOMPARE(interfacePublicData.aesDecrypt(first.Pwd), plain.Pwd);
    }

    // The text is matched literally: no quote, wildcard or escape of its own.
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
        QTest::newRow("quote closing the literal, phone") << 5 << QStringLiteral("x' OR '1'='1") << "";
        QTest::newRow("underscore") << 3 << QStringLiteral("_") << "bank";
        QTest::newRow("percent") << 3 << QStringLiteral("%") << "";
        QTest::newRow("backslash") << 3 << QStringLiteral("\\") << "o'shop";
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

    // Writes stamp today's date; the file assigns the ID; a deleted row leaves no trace in the free pages.
    void writes()
    {
        start();
        UsersUserInfoData account = VaultSeed::plainAccount(0);
        std::tie(account.ID, account.UpdateDate, account.NotePublic) =
            std::make_tuple(99, QDate(2000, 1, 1), QStringLiteral("TRACE-OF-A-DELETED-ACCOUNT"));
        QCOMPARE(request(UsersUserInfoInsert, QVariant::fromValue(account)), QVariant());
        UsersUserInfoData stored = query().users.value(0);
        QVERIFY(qAbs(stored.UpdateDate.daysTo(QDate::currentDate())) <= 1);
        std::tie(account.ID, account.UpdateDate) = std::make_tuple(1, stored.UpdateDate);
        QCOMPARE(stored, account);
        QVERIFY(fileContents(dir->databaseFile()).contains("TRACE-OF-A-DELETED-ACCOUNT"));

        std::tie(stored.Title, stored.UpdateDate) = std::make_tuple(QStringLiteral("it's changed"), QDate(2000, 1, 1));
        request(UsersUserInfoUpdate, QVariant::fromValue(stored));
        QCOMPARE(query().users.value(0).Title, QStringLiteral("it's changed"));
        QVERIFY(qAbs(query().users.value(0).UpdateDate.daysTo(QDate::currentDate())) <= 1);

        request(UsersUserInfoDelete, 1);
        QCOMPARE(query().total, 0);
        QVERIFY(!fileContents(dir->databaseFile()).contains("TRACE-OF-A-DELETED-ACCOUNT"));
        // A verifier that cannot be read answers nothing: "not registered" would invite registering over the vault.
        QVERIFY(dir->execute(QStringLiteral("DELETE FROM USERS_VERIFY")));
        QVERIFY(!answers(*worker, UsersVerifySelectRegistered));
    }

    // Every secret stored anew, every plain column untouched; a counter line every 100 rows and at the
    // end of each phase, against 3 steps per account + 20; the backup keeps the old master account.
    void change_data()
    {
        QTest::addColumn<int>("accounts");
        QTest::addColumn<QString>("newUser");
        QTest::addColumn<QString>("newKey");
        QTest::addColumn<QList<int>>("counters");
        QTest::newRow("empty vault, both") << 0 << "newowner" << QStringLiteral("new.key.2024") << QList<int>();
        QTest::newRow("key only") << 30 << QString() << FreshKey << QList<int>{30};
        QTest::newRow("user only") << 250 << "新主人账号" << QString() << QList<int>{100, 200, 250};
    }
    void change()
    {
        QFETCH(int, accounts);
        QFETCH(QString, newUser);
        QFETCH(QString, newKey);
        QFETCH(QList<int>, counters);
        start(accounts);
        QSignalSpy status(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus);
        QCOMPARE(change(newUser, newKey), int(AesUpdateSuccess));
        QStringList lines = {"开始备份数据库..", "完成."}, seen;
        for (const QString &phase : {"获取:获取账号信息", "加密:重新加密", "提交:提交到数据库"}) {
            lines << "开始" + phase.section(':', 1) + "..";
            for (const int n : counters)
                lines << QStringLiteral("%1: %2 / %3").arg(phase.section(':', 0, 0)).arg(n).arg(accounts);
            lines << "完成.";
        }
        for (const QList<QVariant> &line : status)
            seen << QStringLiteral("%1 %2").arg(line.at(0).toString()).arg(line.at(2).toInt());
        QCOMPARE(seen, lines.replaceInStrings(QRegularExpression("$"), QStringLiteral(" %1").arg(3 * accounts + 20)));
        QCOMPARE(status.first().at(1).toInt(), 0);
        QCOMPARE(status.last().at(1).toInt(), 3 * accounts + 10);

        const QString user = newUser.isEmpty() ? OldUser : newUser, key = newKey.isEmpty() ? OldKey : newKey;
        const QList<UsersUserInfoData> after = query(0, QString(), 0).users,
                                       plain = VaultSeed::read(dir->databaseFile(), user, key);
        QCOMPARE(after.size(), accounts);
        for (int i = 0; i < accounts; ++i) {
            QCOMPARE(plain.value(i), VaultSeed::plainAccount(i));
            QCOMPARE(after.at(i).UpdateDate, QDate(2024, 5, 19));
        }
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), user, key));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
        QVERIFY(VaultSeed::verifies(dir->backupFile(), OldUser, OldKey));
    }

    // A field that cannot be decoded is kept as stored and counted; one with a line break is re-encrypted.
    void changeKeepsUnreadableFields()
    {
        start(3, QStringLiteral("UPDATE USERS_USER_INFO SET Pwd = CASE ID WHEN 2 THEN 'damaged*' ELSE Pwd || char(10) "
                                "END WHERE ID <= 2"));
        QCOMPARE(change(QString(), FreshKey), int(AesUpdateSuccess));
        QCOMPARE(interfacePublicData.unreadableFields, 1);
        const QList<UsersUserInfoData> after = VaultSeed::read(dir->databaseFile(), OldUser, FreshKey);
        QCOMPARE(after.value(0), VaultSeed::plainAccount(0));
        QCOMPARE(after.value(1).PwdNote, VaultSeed::plainAccount(1).PwdNote);
        QCOMPARE(dir->value(QStringLiteral("SELECT Pwd FROM USERS_USER_INFO WHERE ID = 2")), QVariant("damaged*"));
    }

    // A committed change is never undone by a later start that still finds the backup.
    void finishedChangeOutlivesItsBackup()
    {
        start(3);
        QCOMPARE(change(QString(), FreshKey), int(AesUpdateSuccess));
        QVERIFY(QFile::exists(dir->backupFile()));
        worker.reset(); // it would keep the file locked
        QVERIFY(dir->execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName) VALUES (0, 'entered since')")));
        worker = std::make_unique<StoreWorker<VaultStore>>();
        QVERIFY(!QFile::exists(dir->backupFile()));
        QCOMPARE(dir->value(QStringLiteral("SELECT TaskName FROM TASK_LIST")), QVariant("entered since"));
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, FreshKey));
    }

    // A broken overflow chain stops the change before it starts: the backup's copy does not read whole.
    void changeStopsOnDamagedDatabase()
    {
        start(5, "UPDATE USERS_USER_INFO SET NotePublic = replace(hex(zeroblob(20000)), '0', 'z') WHERE ID = 5");
        QByteArray bytes = fileContents(dir->databaseFile());
        const int pageSize = 4096;
        int broken = 0;
        for (int page = 0; page + pageSize <= bytes.size(); page += pageSize) {
            // A middle overflow page of the note: its first four bytes point to the next one.
            if (bytes.mid(page + 4, pageSize - 4) == QByteArray(pageSize - 4, 'z') &&
                bytes.mid(page, 4) != QByteArray(4, 0))
                bytes.replace(page, 4, QByteArray(4, '\xff')), ++broken;
        }
        bytes[27] = char(bytes.at(27) + 1); // the change counter: the worker drops the pages it holds
        QFile file(dir->databaseFile());
        QVERIFY(broken > 0 && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QCOMPARE(change(QString(), FreshKey), int(AesUpdateBackupFailed));
        QVERIFY(!QFile::exists(dir->backupFile()));
        QCOMPARE(fileContents(dir->databaseFile()), bytes);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), OldUser, FreshKey));
    }

    // Nothing changes and no transaction is left open: a backup left from before stops the change at
    // once, a refused write before the commit.
    void changeFails_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("result");
        QTest::newRow("stale backup") << QString() << int(AesUpdateBackupFailed);
        QTest::newRow("refused write") << "CREATE TRIGGER refuse BEFORE UPDATE OF Pwd ON USERS_USER_INFO WHEN NEW.ID = "
                                          "150 BEGIN SELECT RAISE(ABORT, 'refused'); END"
                                       << int(AesUpdateExecError);
    }
    void changeFails()
    {
        QFETCH(QString, trigger);
        QFETCH(int, result);
        start(250, trigger);
        QVERIFY(!trigger.isEmpty() || QFile::copy(dir->databaseFile(), dir->backupFile()));
        const QByteArray before = fileContents(dir->databaseFile());
        QCOMPARE(change(QString(), FreshKey), result);
        QCOMPARE(fileContents(dir->databaseFile()), before);
        QCOMPARE(fileContents(dir->backupFile()), before);
        request(UsersUserInfoDelete, 1);
        QCOMPARE(VaultSeed::read(dir->databaseFile(), OldUser, OldKey).size(), 249);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
    }
};

QTEST_GUILESS_MAIN(TestVaultStore)
#include "tst_vaultstore.moc"
