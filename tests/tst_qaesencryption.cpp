#include "vault/qaesencryption.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QByteArray Key256 = hex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
const QByteArray Iv = hex("000102030405060708090a0b0c0d0e0f");
const QByteArray Plain4 = hex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                              "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");

} // namespace

class TestQAESEncryption : public QObject
{
    Q_OBJECT

private slots:
    void fipsAppendixC_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("cipher");
        QTest::newRow("AES-128") << int(QAESEncryption::AES_128) << hex("000102030405060708090a0b0c0d0e0f")
                                 << hex("69c4e0d86a7b0430d8cdb78070b4c55a");
        QTest::newRow("AES-192") << int(QAESEncryption::AES_192)
                                 << hex("000102030405060708090a0b0c0d0e0f1011121314151617")
                                 << hex("dda97ca4864cdfe06eaf70a0ec0d7191");
        QTest::newRow("AES-256") << int(QAESEncryption::AES_256)
                                 << hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f")
                                 << hex("8ea2b7ca516745bfeafc49904b496089");
    }
    void fipsAppendixC()
    {
        QFETCH(int, level);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, cipher);
        const QByteArray plain = hex("00112233445566778899aabbccddeeff");
        QAESEncryption aes(level, QAESEncryption::ECB, QAESEncryption::ZERO);
        QCOMPARE(aes.encode(plain, key, QByteArray()), cipher);
        QCOMPARE(aes.decode(cipher, key, QByteArray()), plain);
        QCOMPARE(QAESEncryption::Crypt(level, QAESEncryption::ECB, plain, key, {}, QAESEncryption::ZERO), cipher);
        QCOMPARE(QAESEncryption::Decrypt(level, QAESEncryption::ECB, cipher, key, {}, QAESEncryption::ZERO), plain);
    }

    void keySchedule_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("AES-128") << int(QAESEncryption::AES_128);
        QTest::newRow("unknown level is AES-128") << 7;
    }
    void keySchedule()
    {
        QFETCH(int, level);
        const QByteArray key = hex("2b7e151628aed2a6abf7158809cf4f3c");
        const QByteArray schedule = QAESEncryption::ExpandKey(level, QAESEncryption::ECB, key);
        QCOMPARE(schedule.size(), 176);
        QCOMPARE(schedule.left(16), key);
        QCOMPARE(schedule.right(4), hex("b6630ca6"));
    }

    void sp80038a_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("cipher");
        QTest::newRow("CBC-AES256") << int(QAESEncryption::CBC)
                                    << hex("f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
                                           "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b");
        QTest::newRow("CFB128-AES256") << int(QAESEncryption::CFB)
                                       << hex("dc7e84bfda79164b7ecd8486985d386039ffed143b28b1c832113c6331e5407b"
                                              "df10132415e54b92a13ed0a8267ae2f975a385741ab9cef82031623d55b1e471");
    }
    void sp80038a()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, cipher);
        QAESEncryption aes(QAESEncryption::AES_256, mode, QAESEncryption::ZERO);
        const QByteArray encoded = aes.encode(Plain4, Key256, Iv);
        const QByteArray decoded = aes.decode(encoded, Key256, Iv);
        QCOMPARE(encoded.size(), 64);
        for (int block = 0; block < 4; ++block) {
            QCOMPARE(encoded.mid(16 * block, 16).toHex(), cipher.mid(16 * block, 16).toHex());
            QCOMPARE(decoded.mid(16 * block, 16).toHex(), Plain4.mid(16 * block, 16).toHex());
        }
    }

    // In every mode: what decode gives back (no extra block for whole blocks), and removePadding of it.
    void padding_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("decoded");
        QTest::addColumn<QByteArray>("stripped");
        const QByteArray sixteen("abcdefghijklmnop");
        const int zero = QAESEncryption::ZERO, pkcs7 = QAESEncryption::PKCS7, iso = QAESEncryption::ISO;
        QTest::newRow("zero 5") << zero << QByteArray("abcde") << QByteArray("abcde") + QByteArray(11, '\0')
                                << QByteArray("abcde");
        QTest::newRow("zero 16") << zero << sixteen << sixteen << sixteen;
        QTest::newRow("pkcs7 15") << pkcs7 << sixteen.left(15) << sixteen.left(15) + '\x01' << sixteen.left(15);
        QTest::newRow("pkcs7 16") << pkcs7 << sixteen << sixteen << sixteen;
        QTest::newRow("iso 13") << iso << sixteen.left(13) << sixteen.left(13) + QByteArray("\x80\0\0", 3)
                                << sixteen.left(13);
        // Without a marker byte the whole block counts as padding.
        QTest::newRow("iso 16") << iso << sixteen << sixteen << QByteArray();
        QTest::newRow("iso 17") << iso << sixteen + 'q' << sixteen + 'q' + '\x80' + QByteArray(14, '\0')
                                << sixteen + 'q';
        for (const int padding : {zero, pkcs7, iso})
            QTest::addRow("padding %d, empty", padding) << padding << QByteArray() << QByteArray() << QByteArray();
    }
    void padding()
    {
        QFETCH(int, padding);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, decoded);
        QFETCH(QByteArray, stripped);
        for (const int mode : {QAESEncryption::ECB, QAESEncryption::CBC, QAESEncryption::CFB}) {
            QAESEncryption aes(QAESEncryption::AES_256, mode, padding);
            const QByteArray encoded = aes.encode(input, Key256, Iv);
            QCOMPARE(encoded.size(), decoded.size());
            QCOMPARE(aes.decode(encoded, Key256, Iv), decoded);
            QCOMPARE(aes.removePadding(decoded), stripped);
        }
    }

    void removePadding_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const int zero = QAESEncryption::ZERO, pkcs7 = QAESEncryption::PKCS7, iso = QAESEncryption::ISO;
        QTest::newRow("pkcs7 ending 0x90") << pkcs7 << QByteArray("abc\x90") << QByteArray("abc\x90");
        QTest::newRow("pkcs7 count beyond length") << pkcs7 << QByteArray("ab\x05") << QByteArray("ab\x05");
        QTest::newRow("pkcs7 zero count") << pkcs7 << QByteArray("ab\0", 3) << QByteArray("ab\0", 3);
        QTest::newRow("iso without 0x80") << iso << QByteArray("abcdef") << QByteArray();
        QTest::newRow("iso cuts at the last 0x80") << iso << hex("6180628000") + '\0' << hex("618062");
        const QByteArray sixteen("abcdefghijklmnop"), pkcs7Block(16, '\x10'), isoBlock = '\x80' + QByteArray(15, '\0');
        QTest::newRow("pkcs7 whole block") << pkcs7 << sixteen + pkcs7Block << sixteen;
        QTest::newRow("pkcs7 nothing but padding") << pkcs7 << pkcs7Block << QByteArray();
        QTest::newRow("iso whole block") << iso << sixteen + isoBlock << sixteen;
        QTest::newRow("iso nothing but padding") << iso << isoBlock << QByteArray();
        QTest::newRow("zero all zeros") << zero << QByteArray(16, '\0') << QByteArray();
        QTest::newRow("zero keeps inner zeros") << zero << QByteArray("a\0b\0\0", 5) << QByteArray("a\0b", 3);
    }
    void removePadding()
    {
        QFETCH(int, padding);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(QAESEncryption::RemovePadding(input, padding), expected);
    }

    // A null result, never a read or write outside the data.
    void unusableArguments_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("iv");
        QTest::addColumn<QByteArray>("cipherText");
        QTest::addColumn<bool>("encodes");
        QTest::addColumn<bool>("decodes");
        const QByteArray key(32, 'k');
        const QByteArray block(16, 'c');
        const int ecb = QAESEncryption::ECB, cbc = QAESEncryption::CBC, cfb = QAESEncryption::CFB;
        QTest::newRow("CBC 15-byte IV") << cbc << key << QByteArray(15, 'i') << block << false << false;
        QTest::newRow("CBC null IV") << cbc << key << QByteArray() << block << false << false;
        QTest::newRow("CFB 17-byte IV") << cfb << key << QByteArray(17, 'i') << block << false << false;
        QTest::newRow("ECB ignores IV") << ecb << key << QByteArray(15, 'i') << block << true << true;
        QTest::newRow("short key") << cbc << QByteArray(16, 'k') << Iv << block << false << false;
        QTest::newRow("long key") << ecb << QByteArray(40, 'k') << QByteArray() << block << false << false;
        QTest::newRow("cipher not whole blocks") << cbc << key << Iv << QByteArray(17, 'c') << true << false;
    }
    void unusableArguments()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, iv);
        QFETCH(QByteArray, cipherText);
        QFETCH(bool, encodes);
        QFETCH(bool, decodes);
        QAESEncryption aes(QAESEncryption::AES_256, mode, QAESEncryption::ZERO);
        const QByteArray encoded = aes.encode(QByteArray("hello"), key, iv);
        QCOMPARE(!encoded.isNull(), encodes);
        QCOMPARE(!aes.decode(cipherText, key, iv).isNull(), decodes);
        if (encodes)
            QCOMPARE(encoded.size(), 16);
    }
};

QTEST_APPLESS_MAIN(TestQAESEncryption)
#include "tst_qaesencryption.moc"
