#include "vault/qaesencryption.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const char *const Sp80038aKey256 = "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4";
const char *const Sp80038aIv = "000102030405060708090a0b0c0d0e0f";
const char *const Sp80038aPlain[4] = {"6bc1bee22e409f96e93d7e117393172a", "ae2d8a571e03ac9c9eb76fac45af8e51",
                                      "30c81c46a35ce411e5fbc1191a0a52ef", "f69f2445df4f9b17ad2b417be66c3710"};

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
        QCOMPARE(QAESEncryption::Crypt(level, QAESEncryption::ECB, plain, key, QByteArray(), QAESEncryption::ZERO),
                 cipher);
        QCOMPARE(QAESEncryption::Decrypt(level, QAESEncryption::ECB, cipher, key, QByteArray(), QAESEncryption::ZERO),
                 plain);
    }

    void keySchedule_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("lastWord");
        QTest::newRow("AES-128") << int(QAESEncryption::AES_128) << hex("2b7e151628aed2a6abf7158809cf4f3c") << 176
                                 << hex("b6630ca6");
        QTest::newRow("AES-192") << int(QAESEncryption::AES_192)
                                 << hex("8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b") << 208 << hex("01002202");
        QTest::newRow("AES-256") << int(QAESEncryption::AES_256) << hex(Sp80038aKey256) << 240 << hex("706c631e");
        QTest::newRow("unknown level is AES-128")
            << 7 << hex("2b7e151628aed2a6abf7158809cf4f3c") << 176 << hex("b6630ca6");
    }
    void keySchedule()
    {
        QFETCH(int, level);
        QFETCH(QByteArray, key);
        QFETCH(int, length);
        QFETCH(QByteArray, lastWord);
        const QByteArray schedule = QAESEncryption::ExpandKey(level, QAESEncryption::ECB, key);
        QCOMPARE(schedule.size(), length);
        QCOMPARE(schedule.left(key.size()), key);
        QCOMPARE(schedule.right(4), lastWord);
    }

    void sp80038aBlocks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("block");
        QTest::addColumn<QByteArray>("cipher");
        const char *const cbc[4] = {"f58c4c04d6e5f1ba779eabfb5f7bfbd6", "9cfc4e967edb808d679f777bc6702c7d",
                                    "39f23369a9d9bacfa530e26304231461", "b2eb05e2c39be9fcda6c19078c6a9d1b"};
        const char *const cfb[4] = {"dc7e84bfda79164b7ecd8486985d3860", "39ffed143b28b1c832113c6331e5407b",
                                    "df10132415e54b92a13ed0a8267ae2f9", "75a385741ab9cef82031623d55b1e471"};
        for (int i = 0; i < 4; ++i) {
            QTest::addRow("CBC-AES256 block %d", i + 1) << int(QAESEncryption::CBC) << i << hex(cbc[i]);
            QTest::addRow("CFB128-AES256 block %d", i + 1) << int(QAESEncryption::CFB) << i << hex(cfb[i]);
        }
    }
    void sp80038aBlocks()
    {
        QFETCH(int, mode);
        QFETCH(int, block);
        QFETCH(QByteArray, cipher);
        QByteArray plain;
        for (const char *part : Sp80038aPlain)
            plain += hex(part);
        QAESEncryption aes(QAESEncryption::AES_256, mode, QAESEncryption::ZERO);
        const QByteArray encoded = aes.encode(plain, hex(Sp80038aKey256), hex(Sp80038aIv));
        QCOMPARE(encoded.size(), 64);
        QCOMPARE(encoded.mid(16 * block, 16), cipher);
        const QByteArray decoded = aes.decode(encoded, hex(Sp80038aKey256), hex(Sp80038aIv));
        QCOMPARE(decoded.mid(16 * block, 16), hex(Sp80038aPlain[block]));
    }

    void padding_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("decoded");
        QTest::addColumn<QByteArray>("stripped");
        const QByteArray five("abcde");
        const QByteArray thirteen("abcdefghijklm");
        const QByteArray fifteen("abcdefghijklmno");
        const QByteArray sixteen("abcdefghijklmnop");
        QTest::newRow("zero 5") << int(QAESEncryption::ZERO) << five << five + QByteArray(11, '\0') << five;
        QTest::newRow("zero 16") << int(QAESEncryption::ZERO) << sixteen << sixteen << sixteen;
        QTest::newRow("pkcs7 15") << int(QAESEncryption::PKCS7) << fifteen << fifteen + '\x01' << fifteen;
        QTest::newRow("pkcs7 16, no extra block") << int(QAESEncryption::PKCS7) << sixteen << sixteen << sixteen;
        QTest::newRow("pkcs7 5") << int(QAESEncryption::PKCS7) << five << five + QByteArray(11, '\x0b') << five;
        QTest::newRow("iso 13") << int(QAESEncryption::ISO) << thirteen << thirteen + QByteArray("\x80\0\0", 3)
                                << thirteen;
        // Without a marker byte the whole block counts as padding.
        QTest::newRow("iso 16, no extra block") << int(QAESEncryption::ISO) << sixteen << sixteen << QByteArray();
        QTest::newRow("iso 17") << int(QAESEncryption::ISO) << sixteen + 'q'
                                << sixteen + 'q' + '\x80' + QByteArray(14, '\0') << sixteen + 'q';
    }
    void padding()
    {
        QFETCH(int, padding);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, decoded);
        QFETCH(QByteArray, stripped);
        const QByteArray key = hex(Sp80038aKey256);
        const QByteArray iv = hex(Sp80038aIv);
        for (const int mode : {QAESEncryption::ECB, QAESEncryption::CBC, QAESEncryption::CFB}) {
            QAESEncryption aes(QAESEncryption::AES_256, mode, padding);
            const QByteArray encoded = aes.encode(input, key, iv);
            QCOMPARE(encoded.size(), decoded.size());
            QCOMPARE(aes.decode(encoded, key, iv), decoded);
            QCOMPARE(aes.removePadding(aes.decode(encoded, key, iv)), stripped);
        }
    }

    void emptyInput_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("padding");
        for (const int mode : {QAESEncryption::ECB, QAESEncryption::CBC, QAESEncryption::CFB})
            for (const int padding : {QAESEncryption::ZERO, QAESEncryption::PKCS7, QAESEncryption::ISO})
                QTest::addRow("mode %d padding %d", mode, padding) << mode << padding;
    }
    void emptyInput()
    {
        QFETCH(int, mode);
        QFETCH(int, padding);
        QAESEncryption aes(QAESEncryption::AES_128, mode, padding);
        const QByteArray key(16, 'k');
        const QByteArray iv(16, 'i');
        QVERIFY(aes.encode(QByteArray(), key, iv).isEmpty());
        QVERIFY(aes.decode(QByteArray(), key, iv).isEmpty());
    }

    void removePadding_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("pkcs7 ending 0x90 unchanged")
            << int(QAESEncryption::PKCS7) << QByteArray("abc\x90") << QByteArray("abc\x90");
        QTest::newRow("pkcs7 count beyond length unchanged")
            << int(QAESEncryption::PKCS7) << QByteArray("ab\x05") << QByteArray("ab\x05");
        QTest::newRow("pkcs7 zero count unchanged")
            << int(QAESEncryption::PKCS7) << QByteArray("ab\0", 3) << QByteArray("ab\0", 3);
        QTest::newRow("pkcs7 values not checked")
            << int(QAESEncryption::PKCS7) << QByteArray("abcx\x02") << QByteArray("abc");
        QTest::newRow("iso without 0x80 gives empty")
            << int(QAESEncryption::ISO) << QByteArray("abcdef") << QByteArray();
        QTest::newRow("iso cuts at the last 0x80") << int(QAESEncryption::ISO)
                                                   << QByteArray("a\x80"
                                                                 "b\x80\0\0")
                                                   << QByteArray("a\x80"
                                                                 "b");
        QTest::newRow("zero all zeros gives empty")
            << int(QAESEncryption::ZERO) << QByteArray(16, '\0') << QByteArray();
        QTest::newRow("zero keeps inner zeros")
            << int(QAESEncryption::ZERO) << QByteArray("a\0b\0\0", 5) << QByteArray("a\0b", 3);
        QTest::newRow("empty stays empty") << int(QAESEncryption::ISO) << QByteArray() << QByteArray();
    }
    void removePadding()
    {
        QFETCH(int, padding);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(QAESEncryption::RemovePadding(input, padding), expected);
    }

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
        QTest::newRow("CBC 15-byte IV") << int(QAESEncryption::CBC) << key << QByteArray(15, 'i') << block << false
                                        << false;
        QTest::newRow("CBC null IV") << int(QAESEncryption::CBC) << key << QByteArray() << block << false << false;
        QTest::newRow("CFB 17-byte IV") << int(QAESEncryption::CFB) << key << QByteArray(17, 'i') << block << false
                                        << false;
        QTest::newRow("ECB ignores IV") << int(QAESEncryption::ECB) << key << QByteArray(15, 'i') << block << true
                                        << true;
        QTest::newRow("short key") << int(QAESEncryption::CBC) << QByteArray(16, 'k') << QByteArray(16, 'i') << block
                                   << false << false;
        QTest::newRow("long key") << int(QAESEncryption::ECB) << QByteArray(40, 'k') << QByteArray() << block << false
                                  << false;
        QTest::newRow("cipher not whole blocks")
            << int(QAESEncryption::CBC) << key << QByteArray(16, 'i') << QByteArray(17, 'c') << true << false;
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
        const QByteArray decoded = aes.decode(cipherText, key, iv);
        QCOMPARE(!encoded.isNull(), encodes);
        QCOMPARE(!decoded.isNull(), decodes);
        if (encodes)
            QCOMPARE(encoded.size(), 16);
    }
};

QTEST_APPLESS_MAIN(TestQAESEncryption)
#include "tst_qaesencryption.moc"
