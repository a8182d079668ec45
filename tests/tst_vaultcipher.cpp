#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "vault/vaultcipher.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString UserHash = VaultCipher::credentialHash(QStringLiteral("alice2024"));
const QString KeyHash = VaultCipher::credentialHash(QStringLiteral("correct.horse"));

} // namespace

// Field encryption, and the hub's registration and login round trips against a real worker.
class TestVaultCipher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<SqlThread> worker;

    // Hub and worker on the test thread: every request is answered before emit returns.
    void wire()
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        worker = std::make_unique<SqlThread>();
        connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, worker.get(),
                &SqlThread::SLOTReceiveQuery);
        connect(worker.get(), &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                &InterfacePublicData::SIGNALReceiveQueryData);
        emit interfacePublicData.SIGNALSendQuery(UsersVerifySelectRegistered, QVariant());
    }

    // Read beside the worker: an answer from it would reach the hub and count as a login attempt.
    static QString storedVerifier()
    {
        QSqlQuery query(QSqlDatabase::database(QString::fromLatin1(SqlThread::DatabasePath)));
        if (!query.exec(QStringLiteral("SELECT DecryptText FROM USERS_VERIFY")) || !query.next())
            return QString();
        return query.value(0).toString();
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void cleanup()
    {
        worker.reset();
        // The next worker must open the next temporary database, not reuse this connection.
        QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
        dir.reset();
        interfacePublicData.aesLogout(LogoutManual);
        interfacePublicData.registered = false;
    }

    void credentialHash_data()
    {
        QTest::addColumn<QString>("credential");
        QTest::addColumn<QString>("hash");
        QTest::newRow("abc") << QStringLiteral("abc")
                             << QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
        QTest::newRow("empty") << QString()
                               << QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    }
    void credentialHash()
    {
        QFETCH(QString, credential);
        QFETCH(QString, hash);
        QCOMPARE(VaultCipher::credentialHash(credential), hash);
    }

    void chineseCredentialsDiffer()
    {
        // Same length, no Latin-1 character in either: the hashes must still tell them apart.
        QVERIFY(VaultCipher::credentialHash(QStringLiteral("张三丰李四王")) !=
                VaultCipher::credentialHash(QStringLiteral("赵钱孙周吴郑")));
    }

    void vaultTextLength_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("1 byte") << QStringLiteral("a") << 24;
        QTest::newRow("16 bytes") << QStringLiteral("0123456789abcdef") << 24;
        QTest::newRow("17 bytes") << QStringLiteral("0123456789abcdefg") << 44;
        QTest::newRow("32 bytes") << QString(32, QLatin1Char('x')) << 44;
        QTest::newRow("6 Chinese = 18 bytes") << QStringLiteral("密码备注内容") << 44;
        QTest::newRow("quote and emoji") << QStringLiteral("it's 🔑") << 24;
    }
    void vaultTextLength()
    {
        QFETCH(QString, plain);
        QFETCH(int, length);
        const QString text = VaultCipher::encrypt(plain, KeyHash, UserHash);
        QCOMPARE(text.size(), length);
        QCOMPARE(VaultCipher::decrypt(text, KeyHash, UserHash), plain);
        QCOMPARE(VaultCipher::encrypt(plain, KeyHash, UserHash), text);
    }

    void otherCredentials_data()
    {
        QTest::addColumn<QString>("keyHash");
        QTest::addColumn<QString>("userHash");
        QTest::newRow("wrong key") << VaultCipher::credentialHash(QStringLiteral("correct.horsE")) << UserHash;
        QTest::newRow("user name in other case") << KeyHash << VaultCipher::credentialHash(QStringLiteral("Alice2024"));
    }
    void otherCredentials()
    {
        QFETCH(QString, keyHash);
        QFETCH(QString, userHash);
        const QString plain = QStringLiteral("s3cret-password!");
        const QString text = VaultCipher::encrypt(plain, KeyHash, UserHash);
        QVERIFY(VaultCipher::encrypt(plain, keyHash, userHash) != text);
        const QString garbage = VaultCipher::decrypt(text, keyHash, userHash);
        QVERIFY(garbage != plain);
    }

    void damagedVaultText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("not Base64") << QStringLiteral("this is *not* base64!");
        QTest::newRow("15 bytes") << QString::fromLatin1(QByteArray(15, 'x').toBase64());
        QTest::newRow("17 bytes") << QString::fromLatin1(QByteArray(17, 'x').toBase64());
        QTest::newRow("truncated") << VaultCipher::encrypt(QStringLiteral("abc"), KeyHash, UserHash).left(10);
    }
    void damagedVaultText()
    {
        QFETCH(QString, text);
        QCOMPARE(VaultCipher::decrypt(text, KeyHash, UserHash), QString());
    }

    void hubUsesCurrentAndNewCredentials()
    {
        interfacePublicData.userHash = UserHash;
        interfacePublicData.keyHash = KeyHash;
        interfacePublicData.setNewAccount(QString(), QStringLiteral("new.key.2024"));
        QCOMPARE(interfacePublicData.newUserHash, UserHash);
        QCOMPARE(interfacePublicData.newKeyHash, VaultCipher::credentialHash(QStringLiteral("new.key.2024")));
        const QString plain = QStringLiteral("hunter2");
        QCOMPARE(interfacePublicData.aesEncrypt(plain), VaultCipher::encrypt(plain, KeyHash, UserHash));
        const QString moved = interfacePublicData.aesEncryptNew(interfacePublicData.aesEncrypt(plain));
        QCOMPARE(VaultCipher::decrypt(moved, interfacePublicData.newKeyHash, UserHash),
                 interfacePublicData.aesEncrypt(plain));

        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        interfacePublicData.aesLogout(LogoutInactive);
        QVERIFY(interfacePublicData.userHash.isEmpty() && interfacePublicData.keyHash.isEmpty());
        QVERIFY(interfacePublicData.newUserHash.isEmpty() && interfacePublicData.newKeyHash.isEmpty());
        QCOMPARE(logins.count(), 1);
        QCOMPARE(logins.at(0).at(1).value<LoginOutReasonType>(), LogoutInactive);
    }

    void registerThenVerify_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("opens");
        QTest::newRow("own credentials") << QStringLiteral("张三丰李四王") << QStringLiteral("春夏秋冬东南") << true;
        QTest::newRow("other Chinese of the same length")
            << QStringLiteral("赵钱孙周吴郑") << QStringLiteral("梅兰竹菊松柏") << false;
        QTest::newRow("other key only") << QStringLiteral("张三丰李四王") << QStringLiteral("春夏秋冬东西") << false;
        QTest::newRow("question marks") << QStringLiteral("??????") << QStringLiteral("??????") << false;
    }
    void registerThenVerify()
    {
        QFETCH(QString, user);
        QFETCH(QString, key);
        QFETCH(bool, opens);
        wire();
        QVERIFY(!interfacePublicData.registered);
        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);

        interfacePublicData.setLoginAccount(QStringLiteral("张三丰李四王"), QStringLiteral("春夏秋冬东南"));
        QCOMPARE(logins.count(), 1);
        QCOMPARE(logins.at(0).at(0).toBool(), false);
        QCOMPARE(logins.at(0).at(1).value<LoginOutReasonType>(), LoginRegistered);
        QVERIFY(interfacePublicData.registered);
        QVERIFY(!interfacePublicData.loggedIn);
        const QString verifier = storedVerifier();
        QVERIFY(!verifier.isEmpty());

        interfacePublicData.setLoginAccount(user, key);
        QCOMPARE(logins.count(), 2);
        QCOMPARE(logins.at(1).at(0).toBool(), opens);
        QCOMPARE(logins.at(1).at(1).value<LoginOutReasonType>(), LoginVerify);
        QCOMPARE(interfacePublicData.loggedIn, opens);
        QCOMPARE(interfacePublicData.keyHash.isEmpty(), !opens);
        QCOMPARE(storedVerifier(), verifier);
    }

    void staleRegistrationStateNeverOverwrites()
    {
        wire();
        interfacePublicData.setLoginAccount(QStringLiteral("owner01"), QStringLiteral("owner.key.01"));
        const QString verifier = storedVerifier();
        QVERIFY(!verifier.isEmpty());
        // As if the registration state had not arrived yet when the button was pressed.
        interfacePublicData.registered = false;
        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        interfacePublicData.setLoginAccount(QStringLiteral("intruder"), QStringLiteral("intruder.key"));
        QCOMPARE(storedVerifier(), verifier);
        QCOMPARE(logins.count(), 1);
        QCOMPARE(logins.at(0).at(0).toBool(), false);
        QCOMPARE(logins.at(0).at(1).value<LoginOutReasonType>(), LoginVerify);
    }
};

QTEST_GUILESS_MAIN(TestVaultCipher)
#include "tst_vaultcipher.moc"
