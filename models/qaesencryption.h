#pragma once

#include <QByteArray>
#include <QObject>

// AES (FIPS-197) with 128, 192 or 256-bit keys in ECB, CBC or CFB-128 mode, on raw bytes. Padding is
// appended only when the input is not block-aligned, whatever the scheme. Wrong key or IV sizes and
// ciphertexts that are not whole blocks give a null result instead of touching memory outside the data.
class QAESEncryption : public QObject
{
    Q_OBJECT

public:
    enum Aes
    {
        AES_128 = 0,
        AES_192 = 1,
        AES_256 = 2,
    };
    enum Mode
    {
        ECB = 0,
        CBC = 1,
        CFB = 2,
    };
    enum Padding
    {
        ZERO = 0,
        PKCS7 = 1,
        ISO = 2,
    };

    static constexpr int BlockSize = 16;

    // Levels other than AES_192 and AES_256 mean AES_128.
    QAESEncryption(int level, int mode, int padding);

    QByteArray encode(const QByteArray &rawText, const QByteArray &key, const QByteArray &iv);
    // The padding stays in the result.
    QByteArray decode(const QByteArray &rawText, const QByteArray &key, const QByteArray &iv);
    // The key schedule, 16 x (rounds + 1) bytes; null for a key of the wrong length.
    QByteArray expandKey(const QByteArray &key);
    QByteArray removePadding(const QByteArray &rawText);

    static QByteArray Crypt(int level, int mode, const QByteArray &rawText, const QByteArray &key, const QByteArray &iv,
                            int padding);
    static QByteArray Decrypt(int level, int mode, const QByteArray &rawText, const QByteArray &key,
                              const QByteArray &iv, int padding);
    static QByteArray ExpandKey(int level, int mode, const QByteArray &key);
    static QByteArray RemovePadding(const QByteArray &rawText, int padding);

private:
    using Block = quint8[BlockSize];

    QByteArray padded(const QByteArray &rawText) const;
    bool ivUsable(const QByteArray &iv) const;

    void addRoundKey(int round, const QByteArray &expandedKey);
    void subBytes();
    void invSubBytes();
    void shiftRows();
    void invShiftRows();
    void mixColumns();
    void invMixColumns();
    void cipher(const QByteArray &expandedKey, Block block);
    void invCipher(const QByteArray &expandedKey, Block block);

    int mode;
    int padding;
    int nk;        // key length in 32-bit words
    int keyLength; // bytes
    int nr;        // rounds
    quint8 sbox[256];
    quint8 rsbox[256];
    quint8 rcon[256];
    quint8 *state = nullptr; // the block being transformed, during one block operation only
};
