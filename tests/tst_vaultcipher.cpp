#include "common/hubworker.h"
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

// Read beside the worker: an answer from it would reach the hub and count as a login attempt.
QString storedVerifier()
{
    QSqlQuery query(QSqlDatabase::database(QString::fromLatin1(SqlThread::DatabasePath)));
    return query.exec(QStringLiteral("SELECT DecryptText FROM USERS_VERIFY")) && query.next()
               ? query.value(0).toString()
               : QString();
}

} // namespace

// Field encryption, and the hub's registration and login round trips against a real worker.
class TestVaultCipher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void cleanup()
    {
        // The next worker must open the next temporary database, not reuse this connection.
        QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
        interfacePublicData.aesLogout(LogoutManual);
        interfacePublicData.registered = false;
    }

    void credentialHash()
    {
        QCOMPARE(VaultCipher::credentialHash("abc"),
                 "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    }

    // The same text gives the same vault text, of the length of its whole blocks in Base64.
    void vaultTextLength_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("16 bytes") << QStringLiteral("0123456789abcdef") << 24;
        QTest::newRow("17 bytes") << QStringLiteral("0123456789abcdefg") << 44;
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

    // Another master account gives other vault texts and reads garbage, without an error.
    void otherCredentials()
    {
        const QString plain = QStringLiteral("s3cret-password!");
        const QString text = VaultCipher::encrypt(plain, KeyHash, UserHash);
        const QString otherKey = VaultCipher::credentialHash(QStringLiteral("correct.horsE"));
        const QString otherUser = VaultCipher::credentialHash(QStringLiteral("Alice2024"));
        for (const auto &other : {qMakePair(otherKey, UserHash), qMakePair(KeyHash, otherUser)}) {
            QVERIFY(VaultCipher::encrypt(plain, other.first, other.second) != text);
            QVERIFY(VaultCipher::decrypt(text, other.first, other.second) != plain);
        }
    }

    // Whitespace another tool added is ignored; what is still damaged reads as unreadable, not as empty.
    void storedText_data()
    {
        const QString stored = VaultCipher::encrypt(QStringLiteral("0123456789abcdefg"), KeyHash, UserHash);
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::newRow("trailing newline") << stored + QStringLiteral("\n") << true;
        QTest::newRow("spaces and CRLF inside")
            << QStringLiteral(" ") + stored.left(20) + QStringLiteral("\r\n ") + stored.mid(20) + QStringLiteral("\t")
            << true;
        QTest::newRow("not Base64") << QStringLiteral("this is *not* base64!") << false;
        QTest::newRow("15 bytes") << QString::fromLatin1(QByteArray(15, 'x').toBase64()) << false;
        QTest::newRow("truncated") << stored.left(10) << false;
    }
    void storedText()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        bool ok = !readable;
        QCOMPARE(VaultCipher::decrypt(text, KeyHash, UserHash, &ok),
                 readable ? QStringLiteral("0123456789abcdefg") : QString());
        QCOMPARE(ok, readable);
    }

    void hubUsesCurrentAndNewCredentials()
    {
        interfacePublicData.userHash = UserHash;
        interfacePublicData.keyHash = KeyHash;
        interfacePublicData.setNewAccount(QString(), QStringLiteral("new.key.2024"));
        QCOMPARE(interfacePublicData.newUserHash, UserHash);
        QCOMPARE(interfacePublicData.newKeyHash, VaultCipher::credentialHash(QStringLiteral("new.key.2024")));
        const QString text = interfacePublicData.aesEncrypt(QStringLiteral("hunter2"));
        QCOMPARE(text, VaultCipher::encrypt(QStringLiteral("hunter2"), KeyHash, UserHash));
        QCOMPARE(
            VaultCipher::decrypt(interfacePublicData.aesEncryptNew(text), interfacePublicData.newKeyHash, UserHash),
            text);

        // Only a vault opened under the older Latin-1 hashes is stored anew.
        QVERIFY(!interfacePublicData.upgradeCredentials(QStringLiteral("new.key.2024")));

        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        interfacePublicData.aesLogout(LogoutInactive);
        QVERIFY(interfacePublicData.userHash.isEmpty() && interfacePublicData.keyHash.isEmpty());
        QVERIFY(interfacePublicData.newUserHash.isEmpty() && interfacePublicData.newKeyHash.isEmpty());
        QCOMPARE(logins.count(), 1);
        QCOMPARE(logins.at(0).at(1).value<LoginOutReasonType>(), LogoutInactive);
    }

    // Chinese credentials of the same length must not open each other's vault.
    void registerThenVerify_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("opens");
        QTest::newRow("own credentials") << "张三丰李四王"
                                         << "春夏秋冬东南" << true;
        QTest::newRow("other Chinese of the same length") << "赵钱孙周吴郑"
                                                          << "梅兰竹菊松柏" << false;
        QTest::newRow("question marks") << "??????"
                                        << "??????" << false;
    }
    void registerThenVerify()
    {
        QFETCH(QString, user);
        QFETCH(QString, key);
        QFETCH(bool, opens);
        TestProgramDir dir;
        HubWorker worker;
        emit interfacePublicData.SIGNALSendQuery(UsersVerifySelectRegistered, QVariant());
        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);

        interfacePublicData.setLoginAccount(QStringLiteral("张三丰李四王"), QStringLiteral("春夏秋冬东南"));
        QTRY_COMPARE(logins.count(), 1);
        QCOMPARE(logins.at(0), (QVariantList{false, QVariant::fromValue(LoginRegistered)}));
        QTRY_VERIFY(interfacePublicData.registered);
        QVERIFY(!interfacePublicData.loggedIn);
        const QString verifier = storedVerifier();
        QVERIFY(!verifier.isEmpty());

        interfacePublicData.setLoginAccount(user, key);
        QTRY_COMPARE(logins.count(), 2);
        QCOMPARE(logins.at(1), (QVariantList{opens, QVariant::fromValue(LoginVerify)}));
        QCOMPARE(interfacePublicData.loggedIn, opens);
        QCOMPARE(interfacePublicData.keyHash.isEmpty(), !opens);
        QCOMPARE(storedVerifier(), verifier);
    }

    // A registered vault is never registered anew, even before its state arrived; a verifier without text opens for
    // nobody.
    void storedVerifierIsKept_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("registration state not arrived") << QString();
        QTest::newRow("empty plain text") << "UPDATE USERS_VERIFY SET EncryptText = '', DecryptText = 'damaged*'";
    }
    void storedVerifierIsKept()
    {
        QFETCH(QString, damage);
        TestProgramDir dir;
        std::unique_ptr<HubWorker> worker = std::make_unique<HubWorker>();
        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        interfacePublicData.setLoginAccount(QStringLiteral("owner01"), QStringLiteral("owner.key.01"));
        QTRY_COMPARE(logins.count(), 1);
        if (!damage.isEmpty()) {
            worker.reset();
            QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
            QVERIFY(dir.execute(damage));
            worker = std::make_unique<HubWorker>();
        }
        const QString verifier = storedVerifier();
        QVERIFY(!verifier.isEmpty());
        interfacePublicData.registered = false;
        const QList<QPair<QString, QString>> attempts = {{"owner01", "owner.key.01"}, {"intruder", "intruder.key"}};
        for (const auto &attempt : attempts) {
            interfacePublicData.setLoginAccount(attempt.first, attempt.second);
            QTRY_COMPARE(logins.count(), attempt == attempts.first() ? 2 : 3);
            const bool opens = attempt == attempts.first() && damage.isEmpty();
            QCOMPARE(logins.last(), (QVariantList{opens, QVariant::fromValue(LoginVerify)}));
            QCOMPARE(storedVerifier(), verifier);
        }
    }
};

QTEST_GUILESS_MAIN(TestVaultCipher)
#include "tst_vaultcipher.moc"
