#include "models/qaesencryption.h"

#include <QTest>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
const QByteArray Key256 = hex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
const QByteArray Iv = hex("000102030405060708090a0b0c0d0e0f");
} // namespace

class TestQAESEncryption : public QObject
{
    Q_OBJECT

private slots:
    // FIPS-197 appendix C, then NIST SP 800-38A (four blocks, so that the feedback between blocks counts).
    void vectors_data()
    {
        for (const char *column : {"key", "iv", "plain", "cipher"})
            QTest::addColumn<QByteArray>(column);
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("level");
        const auto row = [](const char *name, int mode, int level, const QByteArray &key, const QByteArray &iv,
                            const QByteArray &plain, const char *cipher) {
            QTest::newRow(name) << key << iv << plain << hex(cipher) << mode << level;
        };
        const int ecb = QAESEncryption::ECB, cbc = QAESEncryption::CBC, cfb = QAESEncryption::CFB;
        const int a128 = QAESEncryption::AES_128, a192 = QAESEncryption::AES_192, a256 = QAESEncryption::AES_256;
        const QByteArray seq = hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
        const QByteArray fips = hex("00112233445566778899aabbccddeeff");
        const QByteArray p4 = hex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                                  "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
        row("FIPS AES-192", ecb, a192, seq.left(24), {}, fips, "dda97ca4864cdfe06eaf70a0ec0d7191");
        row("FIPS AES-256", ecb, a256, seq, {}, fips, "8ea2b7ca516745bfeafc49904b496089");
        row("CBC-AES128", cbc, a128, hex("2b7e151628aed2a6abf7158809cf4f3c"), Iv, p4,
            "7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2"
            "73bed6b8e3c1743b7116e69e222295163ff1caa1681fac09120eca307586e1a7");
        row("CBC-AES256", cbc, a256, Key256, Iv, p4,
            "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
            "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b");
        row("CFB128-AES256", cfb, a256, Key256, Iv, p4,
            "dc7e84bfda79164b7ecd8486985d386039ffed143b28b1c832113c6331e5407b"
            "df10132415e54b92a13ed0a8267ae2f975a385741ab9cef82031623d55b1e471");
    }
    void vectors()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, iv);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        QFETCH(int, mode);
        QFETCH(int, level);
        QAESEncryption aes(level, mode, QAESEncryption::ZERO);
        QCOMPARE(aes.encode(plain, key, iv).toHex(), cipher.toHex());
        QCOMPARE(QAESEncryption::Decrypt(level, mode, cipher, key, iv, QAESEncryption::ZERO).toHex(), plain.toHex());
    }

    // What encode adds and removePadding takes away; texts of whole blocks get no padding block.
    void padding_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("stripped");
        const int zero = QAESEncryption::ZERO, pkcs7 = QAESEncryption::PKCS7, iso = QAESEncryption::ISO;
        const QByteArray p15(15, 'p'), p16(16, 'p');
        QTest::newRow("zero 5") << zero << QByteArray("abcde") << QByteArray("abcde");
        QTest::newRow("zero keeps inner zeros") << zero << QByteArray("a\0b\0\0", 5) << QByteArray("a\0b", 3);
        QTest::newRow("pkcs7 15") << pkcs7 << p15 << p15;
        QTest::newRow("pkcs7 whole padding block") << pkcs7 << p16 + QByteArray(16, '\x10') << p16;
        QTest::newRow("pkcs7 count 0x90") << pkcs7 << p15 + '\x90' << p15 + '\x90';
        QTest::newRow("pkcs7 count beyond length") << pkcs7 << p15 + '\x11' << p15 + '\x11';
        QTest::newRow("pkcs7 zero count") << pkcs7 << p15 + '\0' << p15 + '\0';
        QTest::newRow("pkcs7 empty") << pkcs7 << QByteArray() << QByteArray();
        QTest::newRow("pkcs7 nothing but padding") << pkcs7 << QByteArray(16, '\x10') << QByteArray();
        QTest::newRow("zero nothing but zeros") << zero << QByteArray(16, '\0') << QByteArray();
        QTest::newRow("iso 13") << iso << p15.left(13) << p15.left(13);
        QTest::newRow("iso whole padding block") << iso << p16 + '\x80' + QByteArray(15, '\0') << p16;
        QTest::newRow("iso without marker") << iso << p16 << QByteArray();
        QTest::newRow("iso cuts at the last 0x80") << iso << hex("61806280") + QByteArray(12, '\0') << hex("618062");
    }
    void padding()
    {
        QFETCH(int, padding);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, stripped);
        QAESEncryption aes(QAESEncryption::AES_256, QAESEncryption::CBC, padding);
        const QByteArray decoded = aes.decode(aes.encode(plain, Key256, Iv), Key256, Iv);
        QCOMPARE(decoded.size(), (plain.size() + 15) / 16 * 16);
        QCOMPARE(decoded.left(plain.size()), plain);
        QCOMPARE(QAESEncryption::RemovePadding(decoded, padding), stripped);
    }

    // A null result, never a read or write outside the data (sizes in bytes, -1 for a null IV).
    void unusableArguments_data()
    {
        for (const char *column : {"mode", "keySize", "ivSize", "cipherSize"})
            QTest::addColumn<int>(column);
        QTest::addColumn<bool>("encodes");
        QTest::addColumn<bool>("decodes");
        const int ecb = QAESEncryption::ECB, cbc = QAESEncryption::CBC, cfb = QAESEncryption::CFB;
        QTest::newRow("CBC 15-byte IV") << cbc << 32 << 15 << 16 << false << false;
        QTest::newRow("ECB ignores IV") << ecb << 32 << 15 << 16 << true << true;
        QTest::newRow("short key") << cbc << 16 << 16 << 16 << false << false;
        QTest::newRow("unknown mode") << 3 << 32 << 16 << 16 << false << false;
        QTest::newRow("cipher not whole blocks") << cbc << 32 << 16 << 17 << true << false;
    }
    void unusableArguments()
    {
        QFETCH(int, mode);
        QFETCH(int, keySize);
        QFETCH(int, ivSize);
        QFETCH(int, cipherSize);
        QFETCH(bool, encodes);
        QFETCH(bool, decodes);
        const QByteArray key(keySize, 'k'), iv = ivSize < 0 ? QByteArray() : QByteArray(ivSize, 'i');
        QAESEncryption aes(QAESEncryption::AES_256, mode, QAESEncryption::ZERO);
        QCOMPARE(aes.encode(QByteArray("hello"), key, iv).size(), encodes ? 16 : 0);
        QCOMPARE(aes.decode(QByteArray(cipherSize, 'c'), key, iv).size(), decodes ? 16 : 0);
    }
};

QTEST_APPLESS_MAIN(TestQAESEncryption)
#include "tst_qaesencryption.moc"
