#include "common/sqlrequest.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "vault/vaultcipher.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>
#include <memory>

namespace {

const QString OldUser = QStringLiteral("owner2024");
const QString OldKey = QStringLiteral("old.key.2024");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The worker's vault operations on a fresh database: settings, search and paging, account writes,
// the verifier, and the master account change with its backup and progress lines.
class TestSqlThreadVault : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<SqlThread> worker;

    // A fresh database, registered with the old master account and holding that many accounts when
    // accounts is not negative, changed by the statement given, then opened by a new worker.
    void start(int accounts = -1, const QString &sql = QString())
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        if (accounts >= 0)
            QVERIFY(VaultSeed::seed(dir->databaseFile(), OldUser, OldKey, accounts));
        if (!sql.isEmpty())
            QVERIFY(dir->execute(sql));
        worker = std::make_unique<SqlThread>();
    }

    void insertAccount(const QString &title, const QString &user, const QString &email)
    {
        UsersUserInfoData account;
        account.Title = title;
        account.User = user;
        account.Email = email;
        QVERIFY(sqlRequest(*worker, UsersUserInfoInsert, QVariant::fromValue(account)).answered);
    }

    UsersUserResultData query(int type, const QString &text, int limit = 20, int page = 1)
    {
        UsersUserQueryData request;
        request.searchType = type;
        request.searchText = text;
        request.limitOnePage = limit;
        request.page = page;
        return sqlRequest(*worker, UsersUserQuery, QVariant::fromValue(request)).value.value<UsersUserResultData>();
    }

    AesAccountUpdateResultType change(const QString &user, const QString &key)
    {
        const SqlAnswer answer = sqlRequest(*worker, AesAccountUpdate, QVariant::fromValue(qMakePair(user, key)));
        return answer.answered ? answer.value.value<AesAccountUpdateResultType>() : AesAccountUpdateResultType(-1);
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

    void settings_data()
    {
        QTest::addColumn<QVariant>("payload");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("seconds");
        QTest::newRow("values") << QVariant::fromValue(UsersConfigData{0, 300}) << 0 << 300;
        QTest::newRow("another type counts as defaults") << QVariant(QStringLiteral("x")) << 20 << 60;
    }
    void settings()
    {
        QFETCH(QVariant, payload);
        QFETCH(int, limit);
        QFETCH(int, seconds);
        start();
        const UsersConfigData delivered = sqlRequest(*worker, UsersConfigSelect).value.value<UsersConfigData>();
        QCOMPARE(delivered, UsersConfigData());
        QVERIFY(sqlRequest(*worker, UsersConfigUpdate, QVariant::fromValue(UsersConfigData{7, 45})).answered);
        QVERIFY(sqlRequest(*worker, UsersConfigUpdate, payload).answered);
        const UsersConfigData stored = sqlRequest(*worker, UsersConfigSelect).value.value<UsersConfigData>();
        QCOMPARE(stored.UserLimitOnePage, limit);
        QCOMPARE(stored.NoActiveLogoutSec, seconds);
    }

    void paging_data()
    {
        QTest::addColumn<int>("accounts");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<bool>("prev");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("firstId");
        QTest::newRow("45/20 page 1") << 45 << 20 << 1 << 20 << 3 << false << true << 1;
        QTest::newRow("45/20 page 2") << 45 << 20 << 2 << 20 << 3 << true << true << 21;
        QTest::newRow("45/20 page 3") << 45 << 20 << 3 << 5 << 3 << true << false << 41;
        QTest::newRow("45/20 beyond the last") << 45 << 20 << 4 << 0 << 3 << true << false << -1;
        QTest::newRow("40/20 exact") << 40 << 20 << 2 << 20 << 2 << true << false << 21;
        QTest::newRow("0 per page, one page") << 45 << 0 << 1 << 45 << 1 << false << false << 1;
        QTest::newRow("empty with paging") << 0 << 20 << 1 << 0 << 0 << false << false << -1;
    }
    void paging()
    {
        QFETCH(int, accounts);
        QFETCH(int, limit);
        QFETCH(int, page);
        QFETCH(int, rows);
        QFETCH(int, pageCount);
        QFETCH(bool, prev);
        QFETCH(bool, next);
        QFETCH(int, firstId);
        start(accounts);
        const UsersUserResultData result = query(0, QString(), limit, page);
        QCOMPARE(result.total, accounts);
        QCOMPARE(result.users.size(), rows);
        QCOMPARE(result.pageCount, pageCount);
        QCOMPARE(result.page, page);
        QCOMPARE(result.hasPrevPage, prev);
        QCOMPARE(result.hasNextPage, next);
        if (firstId > 0) {
            QCOMPARE(result.users.first().ID, firstId);
            // Secrets stay encrypted; plain columns are as stored.
            const UsersUserInfoData plain = VaultSeed::plainAccount(firstId - 1);
            QCOMPARE(result.users.first().Title, plain.Title);
            QCOMPARE(interfacePublicData.aesDecrypt(result.users.first().Pwd), plain.Pwd);
            QVERIFY(result.users.first().Pwd != plain.Pwd);
        }
    }

    void search_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("titles");
        const QStringList all = {QStringLiteral("qq mail"), QStringLiteral("bank"), QStringLiteral("o'shop")};
        QTest::newRow("no filter") << 0 << QStringLiteral("qq") << all;
        QTest::newRow("unknown type, no filter") << 9 << QStringLiteral("qq") << all;
        QTest::newRow("title only") << 1 << QStringLiteral("qq") << QStringList{QStringLiteral("qq mail")};
        QTest::newRow("email only") << 4 << QStringLiteral("qq") << QStringList{QStringLiteral("bank")};
        QTest::newRow("user anywhere") << 3 << QStringLiteral("ab")
                                       << QStringList{QStringLiteral("qq mail"), QStringLiteral("bank")};
        QTest::newRow("quote in text") << 1 << QStringLiteral("o'sh") << QStringList{QStringLiteral("o'shop")};
        QTest::newRow("quote closing the literal") << 3 << QStringLiteral("x' OR '1'='1") << QStringList();
        QTest::newRow("no match") << 5 << QStringLiteral("139") << QStringList();
    }
    void search()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(QStringList, titles);
        start();
        insertAccount(QStringLiteral("qq mail"), QStringLiteral("abcd"), QStringLiteral("me@mail.com"));
        insertAccount(QStringLiteral("bank"), QStringLiteral("xxab"), QStringLiteral("me@qq.com"));
        insertAccount(QStringLiteral("o'shop"), QStringLiteral("o'neil"), QStringLiteral("shop@mail.com"));
        const UsersUserResultData result = query(type, text);
        QStringList found;
        for (const UsersUserInfoData &user : result.users)
            found << user.Title;
        QCOMPARE(found, titles);
        QCOMPARE(result.total, titles.size());
    }

    void writesStampToday()
    {
        start();
        UsersUserInfoData account = VaultSeed::plainAccount(0);
        account.ID = 99; // ignored: the file assigns it
        account.UpdateDate = QDate(2000, 1, 1);
        const QDate before = QDate::currentDate();
        QVERIFY(sqlRequest(*worker, UsersUserInfoInsert, QVariant::fromValue(account)).answered);
        UsersUserInfoData stored = query(0, QString()).users.value(0);
        QCOMPARE(stored.ID, 1);
        QVERIFY(stored.UpdateDate == before || stored.UpdateDate == QDate::currentDate());
        account.ID = 1;
        account.UpdateDate = stored.UpdateDate;
        QCOMPARE(stored, account);

        stored.Title = QStringLiteral("it's changed");
        stored.NotePublic = QString();
        stored.UpdateDate = QDate(2000, 1, 1);
        QVERIFY(sqlRequest(*worker, UsersUserInfoUpdate, QVariant::fromValue(stored)).answered);
        const UsersUserInfoData updated = query(0, QString()).users.value(0);
        QCOMPARE(updated.Title, QStringLiteral("it's changed"));
        QCOMPARE(updated.NotePublic, QString());
        QCOMPARE(updated.Pwd, account.Pwd);
        QVERIFY(updated.UpdateDate == before || updated.UpdateDate == QDate::currentDate());

        QVERIFY(sqlRequest(*worker, UsersUserInfoDelete, 1).answered);
        QCOMPARE(query(0, QString()).total, 0);
    }

    void verifier()
    {
        using Verifier = QPair<QString, QString>;
        start();
        QCOMPARE(sqlRequest(*worker, UsersVerifySelectRegistered).value, QVariant(false));
        const auto pair = sqlRequest(*worker, UsersVerifySelect).value.value<Verifier>();
        QVERIFY(!pair.first.isEmpty());
        QCOMPARE(pair.second, QString());
        QVERIFY(sqlRequest(*worker, UsersVerifyUpdate, QVariant::fromValue(qMakePair(pair.first, QStringLiteral("v"))))
                    .answered);
        QCOMPARE(sqlRequest(*worker, UsersVerifySelectRegistered).value, QVariant(true));
        QCOMPARE(sqlRequest(*worker, UsersVerifySelect).value.value<Verifier>().second, QStringLiteral("v"));
    }

    void missingVerifierRowAnswersNothing()
    {
        start(-1, QStringLiteral("DELETE FROM USERS_VERIFY"));
        QVERIFY(!sqlRequest(*worker, UsersVerifySelect).answered);
        QVERIFY(!sqlRequest(*worker, UsersVerifySelectRegistered).answered);
    }

    void changeProgress_data()
    {
        QTest::addColumn<int>("accounts");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("finalValue");
        const QString done = QStringLiteral("完成.");
        QTest::newRow("empty vault") << 0 << QStringList{QStringLiteral("开始备份数据库.."),   done,
                                                         QStringLiteral("开始获取账号信息.."), done,
                                                         QStringLiteral("开始重新加密.."),     done,
                                                         QStringLiteral("开始提交到数据库.."), done}
                                     << 10;
        QStringList lines = {QStringLiteral("开始备份数据库.."), done, QStringLiteral("开始获取账号信息..")};
        for (const QString &phase : {QStringLiteral("获取"), QStringLiteral("加密"), QStringLiteral("提交")}) {
            for (const int n : {100, 200, 250})
                lines << QStringLiteral("%1: %2 / 250").arg(phase).arg(n);
            lines << done;
            if (phase == QStringLiteral("获取"))
                lines << QStringLiteral("开始重新加密..");
            else if (phase == QStringLiteral("加密"))
                lines << QStringLiteral("开始提交到数据库..");
        }
        QTest::newRow("250 accounts") << 250 << lines << 760;
    }
    void changeProgress()
    {
        QFETCH(int, accounts);
        QFETCH(QStringList, lines);
        QFETCH(int, finalValue);
        start(accounts);
        QSignalSpy status(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus);
        QCOMPARE(change(QStringLiteral("newowner"), QStringLiteral("new.key.2024")), AesUpdateSuccess);
        QStringList seen;
        for (const QList<QVariant> &line : status) {
            seen << line.at(0).toString();
            QCOMPARE(line.at(2).toInt(), 3 * accounts + 20);
        }
        QCOMPARE(seen, lines);
        QCOMPARE(status.first().at(1).toInt(), 0);
        QCOMPARE(status.last().at(1).toInt(), finalValue);
        QVERIFY(QFile::exists(dir->backupFile()));
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), QStringLiteral("newowner"), QStringLiteral("new.key.2024")));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
        QVERIFY(VaultSeed::verifies(dir->backupFile(), OldUser, OldKey));
    }

    void changeOneCredential_data()
    {
        QTest::addColumn<QString>("newUser");
        QTest::addColumn<QString>("newKey");
        QTest::addColumn<QString>("userAfter");
        QTest::addColumn<QString>("keyAfter");
        QTest::newRow("key only") << QString() << QStringLiteral("fresh.key.1") << OldUser
                                  << QStringLiteral("fresh.key.1");
        QTest::newRow("user only") << QStringLiteral("新主人账号") << QString() << QStringLiteral("新主人账号")
                                   << OldKey;
        QTest::newRow("both") << QStringLiteral("other01") << QStringLiteral("fresh.key.2") << QStringLiteral("other01")
                              << QStringLiteral("fresh.key.2");
    }
    void changeOneCredential()
    {
        QFETCH(QString, newUser);
        QFETCH(QString, newKey);
        QFETCH(QString, userAfter);
        QFETCH(QString, keyAfter);
        start(30);
        const UsersUserResultData before = query(0, QString(), 0);
        QCOMPARE(change(newUser, newKey), AesUpdateSuccess);
        const UsersUserResultData after = query(0, QString(), 0);
        QCOMPARE(after.users.size(), 30);
        for (int i = 0; i < 30; ++i) {
            // Every secret is stored anew, every plain column is untouched.
            QVERIFY(after.users.at(i).Pwd != before.users.at(i).Pwd);
            QVERIFY(after.users.at(i).NotePrivate != before.users.at(i).NotePrivate);
            UsersUserInfoData plainBefore = before.users.at(i);
            plainBefore.Pwd = after.users.at(i).Pwd;
            plainBefore.PwdNote = after.users.at(i).PwdNote;
            plainBefore.NotePrivate = after.users.at(i).NotePrivate;
            QCOMPARE(after.users.at(i), plainBefore);
        }
        QList<UsersUserInfoData> expected;
        for (int i = 0; i < 30; ++i)
            expected << VaultSeed::plainAccount(i);
        QCOMPARE(VaultSeed::read(dir->databaseFile(), userAfter, keyAfter), expected);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), userAfter, keyAfter));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
    }

    void staleBackupStopsBeforeAnyChange()
    {
        start(10);
        QVERIFY(QFile::copy(dir->databaseFile(), dir->backupFile()));
        const QByteArray database = fileBytes(dir->databaseFile());
        const QByteArray backup = fileBytes(dir->backupFile());
        QSignalSpy status(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus);
        QCOMPARE(change(QString(), QStringLiteral("fresh.key.1")), AesUpdateBackupFailed);
        QCOMPARE(status.count(), 1);
        QCOMPARE(fileBytes(dir->databaseFile()), database);
        QCOMPARE(fileBytes(dir->backupFile()), backup);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
    }

    void failedWriteRollsBack()
    {
        start(250, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF Pwd ON USERS_USER_INFO "
                                  "WHEN NEW.ID = 150 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        const QByteArray before = fileBytes(dir->databaseFile());
        QCOMPARE(change(QString(), QStringLiteral("fresh.key.1")), AesUpdateExecError);
        // Nothing of the change stays, and no transaction is left open: a later write lands on disk.
        QCOMPARE(VaultSeed::read(dir->databaseFile(), OldUser, OldKey).value(0), VaultSeed::plainAccount(0));
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), OldUser, OldKey));
        QCOMPARE(fileBytes(dir->databaseFile()), before);
        QVERIFY(sqlRequest(*worker, UsersUserInfoDelete, 1).answered);
        QCOMPARE(VaultSeed::read(dir->databaseFile(), OldUser, OldKey).size(), 249);
        QVERIFY(QFile::exists(dir->backupFile()));
    }
};

QTEST_GUILESS_MAIN(TestSqlThreadVault)
#include "tst_sqlthreadvault.moc"
