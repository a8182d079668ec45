#include "common/hubworker.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "models/vaultcipher.h"
#include "vault/passwordgenerator.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString UserHash = VaultCipher::credentialHash(QStringLiteral("alice2024"));
const QString KeyHash = VaultCipher::credentialHash(QStringLiteral("correct.horse"));
const QString Seventeen = QStringLiteral("0123456789abcdefg");

// Read beside the worker: an answer from it would reach the hub and count as a login attempt.
QString storedVerifier()
{
    QSqlQuery query(QSqlDatabase::database(QString::fromLatin1(SqlThread::DatabasePath)));
    return query.exec(QStringLiteral("SELECT DecryptText FROM USERS_VERIFY")) && query.next()
               ? query.value(0).toString()
               : QString();
}

} // namespace

// Field encryption, the hub's registration and login round trips against a real worker, and generated passwords.
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
        QCOMPARE(VaultCipher::latin1CredentialHash("春夏"), VaultCipher::credentialHash("??"));
    }

    // The same text gives the same vault text, of the length of its whole blocks in Base64; another
    // master account reads garbage, without an error.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("16 bytes") << Seventeen.left(16) << 24;
        QTest::newRow("17 bytes") << Seventeen << 44;
        QTest::newRow("6 Chinese = 18 bytes") << QStringLiteral("密码备注内容") << 44;
    }
    void roundTrip()
    {
        QFETCH(QString, plain);
        QFETCH(int, length);
        const QString text = VaultCipher::encrypt(plain, KeyHash, UserHash);
        QCOMPARE(text.size(), length);
        QCOMPARE(VaultCipher::decrypt(text, KeyHash, UserHash), plain);
        QCOMPARE(VaultCipher::encrypt(plain, KeyHash, UserHash), text);
        const QString otherKey = VaultCipher::credentialHash("correct.horsE");
        for (const auto &other :
             {qMakePair(otherKey, UserHash), qMakePair(KeyHash, VaultCipher::credentialHash("Alice2024"))})
            QCOMPARE(VaultCipher::decrypt(text, other.first, other.second) == plain, plain.isEmpty());
    }

    // Whitespace another tool added is ignored; what is still damaged reads as unreadable, not as empty.
    void storedText_data()
    {
        const QString stored = VaultCipher::encrypt(Seventeen, KeyHash, UserHash);
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::newRow("whitespace") << " " + stored.left(20) + "\r\n " + stored.mid(20) + "\t\n" << true;
        QTest::newRow("not Base64") << QStringLiteral("this is *not* base64!") << false;
        QTest::newRow("15 bytes") << QString::fromLatin1(QByteArray(15, 'x').toBase64()) << false;
        QTest::newRow("truncated") << stored.left(10) << false;
    }
    void storedText()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        bool ok = !readable;
        QCOMPARE(VaultCipher::decrypt(text, KeyHash, UserHash, &ok), readable ? Seventeen : QString());
        QCOMPARE(ok, readable);
    }

    // Registers 张三丰李四王 / 春夏秋冬东南, then logs in: Chinese credentials of the same length must not
    // open each other's vault, and a stored verifier is never registered anew, even before the
    // registration state arrived; a verifier without text opens for nobody.
    void login_data()
    {
        QTest::addColumn<QString>("account"); // user and key
        QTest::addColumn<bool>("stateKnown");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("opens");
        QTest::newRow("own credentials") << "张三丰李四王 春夏秋冬东南" << true << false << true;
        QTest::newRow("other Chinese of the same length") << "赵钱孙周吴郑 梅兰竹菊松柏" << true << false << false;
        QTest::newRow("question marks") << "?????? ??????" << true << false << false;
        QTest::newRow("state not arrived") << "张三丰李四王 春夏秋冬东南" << false << false << true;
        QTest::newRow("intruder, state not arrived") << "intruder intruder.key" << false << false << false;
        QTest::newRow("verifier without text") << "张三丰李四王 春夏秋冬东南" << false << true << false;
    }
    void login()
    {
        QFETCH(QString, account);
        QFETCH(bool, stateKnown);
        QFETCH(bool, damaged);
        QFETCH(bool, opens);
        const QString user = account.section(' ', 0, 0), key = account.section(' ', 1);
        TestProgramDir dir;
        auto worker = std::make_unique<HubWorker>();
        QSignalSpy logins(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        interfacePublicData.setLoginAccount(QStringLiteral("张三丰李四王"), QStringLiteral("春夏秋冬东南"));
        QTRY_COMPARE(logins.count(), 1);
        QCOMPARE(logins.at(0), (QVariantList{false, QVariant::fromValue(LoginRegistered)}));
        QTRY_VERIFY(!storedVerifier().isEmpty());
        if (damaged) {
            worker.reset();
            QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
            QVERIFY(dir.execute("UPDATE USERS_VERIFY SET EncryptText = '', DecryptText = 'damaged*'"));
            worker = std::make_unique<HubWorker>();
        }
        const QString verifier = storedVerifier();
        interfacePublicData.registered = stateKnown;
        interfacePublicData.setLoginAccount(user, key);
        QTRY_COMPARE(logins.count(), 2);
        QCOMPARE(logins.at(1), (QVariantList{opens, QVariant::fromValue(LoginVerify)}));
        QCOMPARE(interfacePublicData.keyHash, opens ? VaultCipher::credentialHash(key) : QString());
        QCOMPARE(storedVerifier(), verifier);
        // Only a vault opened under the older Latin-1 hashes is stored anew; a logout forgets every hash.
        QVERIFY(!interfacePublicData.upgradeCredentials(key));
        interfacePublicData.setNewAccount(QStringLiteral("newowner"), QStringLiteral("new.key"));
        interfacePublicData.aesLogout(LogoutInactive);
        const InterfacePublicData &hub = interfacePublicData;
        QCOMPARE(hub.userHash + hub.keyHash + hub.newUserHash + hub.newKeyHash, QString());
    }

    void generate_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("kinds");
        QTest::addColumn<int>("expectedLength");
        QTest::addColumn<QStringList>("present"); // character classes; together all that may occur
        const QString lower = "[a-z]", upper = "[A-Z]", digits = "[0-9]", symbols = "[!@#$%^&*_.?]";
        QTest::newRow("default, every kind")
            << 20 << int(PasswordGenerator::AllKinds) << 20 << QStringList{lower, upper, digits, symbols};
        QTest::newRow("too short grows to 8")
            << 3 << int(PasswordGenerator::Digits | PasswordGenerator::Symbols) << 8 << QStringList{digits, symbols};
        QTest::newRow("too long stops at 64") << 200 << int(PasswordGenerator::Digits) << 64 << QStringList{digits};
        QTest::newRow("no kind means letters") << 12 << 0 << 12 << QStringList{lower, upper};
    }
    // Many draws: a kind left out now and then, or always in the same place, would show.
    void generate()
    {
        QFETCH(int, length);
        QFETCH(int, kinds);
        QFETCH(int, expectedLength);
        QFETCH(QStringList, present);
        const QRegularExpression only("^(" + present.join('|') + ")+$");
        QSet<QString> seen;
        QSet<QChar> firsts;
        QRandomGenerator random(42);
        for (int i = 0; i < 500; ++i) {
            const QString password = PasswordGenerator::generate(length, kinds, &random);
            QVERIFY2(password.size() == expectedLength && only.match(password).hasMatch(), qPrintable(password));
            for (const QString &kind : present)
                QVERIFY2(password.contains(QRegularExpression(kind)), qPrintable(password + " " + kind));
            seen.insert(password);
            firsts.insert(password.at(0));
        }
        QVERIFY(seen.size() == 500 && firsts.size() > 5);
    }

    void strength_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("digits") << "12345678" << QStringLiteral("强度：弱（约 26 位）");
        QTest::newRow("lower case") << "abcdefgh" << QStringLiteral("强度：弱（约 37 位）");
        QTest::newRow("every kind, 20") << "aB3!aB3!aB3!aB3!aB3!" << QStringLiteral("强度：强（约 123 位）");
        QTest::newRow("first common Chinese") << "一" << QStringLiteral("强度：弱（约 14 位）");
        QTest::newRow("last common Chinese") << "龥" << QStringLiteral("强度：弱（约 14 位）");
        QTest::newRow("other ASCII, 50 bits") << QString(10, '~') << QStringLiteral("强度：中（约 50 位）");
        QTest::newRow("other ASCII, 80 bits") << QString(16, '~') << QStringLiteral("强度：强（约 80 位）");
    }
    void strength()
    {
        QFETCH(QString, password);
        QFETCH(QString, text);
        QCOMPARE(PasswordGenerator::strengthText(password), text);
    }
};

QTEST_GUILESS_MAIN(TestVaultCipher)
#include "tst_vaultcipher.moc"
