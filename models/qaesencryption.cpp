#include "models/qaesencryption.h"

#include <cstring>

namespace {

// Multiplication by x in GF(2^8) with the reduction polynomial x^8 + x^4 + x^3 + x + 1.
inline quint8 xtime(quint8 value)
{
    return static_cast<quint8>((value << 1) ^ ((value & 0x80) ? 0x1b : 0x00));
}

quint8 multiply(quint8 a, quint8 b)
{
    quint8 product = 0;
    while (b) {
        if (b & 1)
            product ^= a;
        a = xtime(a);
        b >>= 1;
    }
    return product;
}

// The S-box, its inverse and the round constants, derived once from their definitions: the
// multiplicative inverse followed by the affine transformation, and the powers of x.
struct Tables
{
    quint8 sbox[256];
    quint8 rsbox[256];
    quint8 rcon[256];
    quint8 mul9[256], mul11[256], mul13[256], mul14[256];

    Tables()
    {
        for (int value = 0; value < 256; ++value) {
            const auto v = static_cast<quint8>(value);
            // The multiplicative inverse is value^254 (the group of non-zero elements has order 255); 0 gives 0.
            quint8 inverse = 1;
            for (int i = 0; i < 254; ++i)
                inverse = multiply(inverse, v);
            quint8 s = inverse;
            for (int shift = 1; shift <= 4; ++shift)
                s ^= static_cast<quint8>((inverse << shift) | (inverse >> (8 - shift)));
            s ^= 0x63;
            sbox[value] = s;
            rsbox[s] = v;
            mul9[value] = multiply(v, 9);
            mul11[value] = multiply(v, 11);
            mul13[value] = multiply(v, 13);
            mul14[value] = multiply(v, 14);
        }
        quint8 power = 0x8d; // x^-1, so that rcon[1] is 0x01
        for (quint8 &constant : rcon) {
            constant = power;
            power = xtime(power);
        }
    }
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

QAESEncryption::QAESEncryption(int level, int mode, int padding) : mode(mode), padding(padding)
{
    switch (level) {
    case AES_192:
        nk = 6;
        nr = 12;
        break;
    case AES_256:
        nk = 8;
        nr = 14;
        break;
    default:
        nk = 4;
        nr = 10;
        break;
    }
    keyLength = nk * 4;
    const Tables &t = tables();
    std::memcpy(sbox, t.sbox, sizeof sbox);
    std::memcpy(rsbox, t.rsbox, sizeof rsbox);
    std::memcpy(rcon, t.rcon, sizeof rcon);
}

QByteArray QAESEncryption::expandKey(const QByteArray &key)
{
    if (key.size() != keyLength)
        return QByteArray();
    const int words = 4 * (nr + 1);
    QByteArray expanded(words * 4, '\0');
    auto *w = reinterpret_cast<quint8 *>(expanded.data());
    std::memcpy(w, key.constData(), static_cast<size_t>(keyLength));
    for (int i = nk; i < words; ++i) {
        quint8 temp[4] = {w[4 * (i - 1)], w[4 * (i - 1) + 1], w[4 * (i - 1) + 2], w[4 * (i - 1) + 3]};
        if (i % nk == 0) {
            const quint8 first = temp[0];
            temp[0] = static_cast<quint8>(sbox[temp[1]] ^ rcon[i / nk]);
            temp[1] = sbox[temp[2]];
            temp[2] = sbox[temp[3]];
            temp[3] = sbox[first];
        } else if (nk == 8 && i % nk == 4) {
            for (quint8 &byte : temp)
                byte = sbox[byte];
        }
        for (int j = 0; j < 4; ++j)
            w[4 * i + j] = static_cast<quint8>(w[4 * (i - nk) + j] ^ temp[j]);
    }
    return expanded;
}

void QAESEncryption::addRoundKey(int round, const QByteArray &expandedKey)
{
    const auto *roundKey = reinterpret_cast<const quint8 *>(expandedKey.constData()) + BlockSize * round;
    for (int k = 0; k < BlockSize; ++k)
        state[k] ^= roundKey[k];
}

void QAESEncryption::subBytes()
{
    for (int k = 0; k < BlockSize; ++k)
        state[k] = sbox[state[k]];
}

void QAESEncryption::invSubBytes()
{
    for (int k = 0; k < BlockSize; ++k)
        state[k] = rsbox[state[k]];
}

// Byte k of the block is row k % 4 of column k / 4: row r moves r columns to the left.
void QAESEncryption::shiftRows()
{
    quint8 copy[BlockSize];
    std::memcpy(copy, state, BlockSize);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            state[4 * column + row] = copy[4 * ((column + row) % 4) + row];
}

void QAESEncryption::invShiftRows()
{
    quint8 copy[BlockSize];
    std::memcpy(copy, state, BlockSize);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            state[4 * ((column + row) % 4) + row] = copy[4 * column + row];
}

void QAESEncryption::mixColumns()
{
    for (int column = 0; column < 4; ++column) {
        quint8 *c = state + 4 * column;
        const quint8 a0 = c[0], a1 = c[1], a2 = c[2], a3 = c[3];
        const quint8 all = a0 ^ a1 ^ a2 ^ a3;
        c[0] = static_cast<quint8>(a0 ^ all ^ xtime(a0 ^ a1));
        c[1] = static_cast<quint8>(a1 ^ all ^ xtime(a1 ^ a2));
        c[2] = static_cast<quint8>(a2 ^ all ^ xtime(a2 ^ a3));
        c[3] = static_cast<quint8>(a3 ^ all ^ xtime(a3 ^ a0));
    }
}

void QAESEncryption::invMixColumns()
{
    const Tables &t = tables();
    for (int column = 0; column < 4; ++column) {
        quint8 *c = state + 4 * column;
        const quint8 a0 = c[0], a1 = c[1], a2 = c[2], a3 = c[3];
        c[0] = static_cast<quint8>(t.mul14[a0] ^ t.mul11[a1] ^ t.mul13[a2] ^ t.mul9[a3]);
        c[1] = static_cast<quint8>(t.mul9[a0] ^ t.mul14[a1] ^ t.mul11[a2] ^ t.mul13[a3]);
        c[2] = static_cast<quint8>(t.mul13[a0] ^ t.mul9[a1] ^ t.mul14[a2] ^ t.mul11[a3]);
        c[3] = static_cast<quint8>(t.mul11[a0] ^ t.mul13[a1] ^ t.mul9[a2] ^ t.mul14[a3]);
    }
}

void QAESEncryption::cipher(const QByteArray &expandedKey, Block block)
{
    state = block;
    addRoundKey(0, expandedKey);
    for (int round = 1; round < nr; ++round) {
        subBytes();
        shiftRows();
        mixColumns();
        addRoundKey(round, expandedKey);
    }
    subBytes();
    shiftRows();
    addRoundKey(nr, expandedKey);
    state = nullptr;
}

void QAESEncryption::invCipher(const QByteArray &expandedKey, Block block)
{
    state = block;
    addRoundKey(nr, expandedKey);
    for (int round = nr - 1; round > 0; --round) {
        invShiftRows();
        invSubBytes();
        addRoundKey(round, expandedKey);
        invMixColumns();
    }
    invShiftRows();
    invSubBytes();
    addRoundKey(0, expandedKey);
    state = nullptr;
}

QByteArray QAESEncryption::padded(const QByteArray &rawText) const
{
    const int shortfall = (BlockSize - rawText.size() % BlockSize) % BlockSize;
    if (shortfall == 0)
        return rawText;
    switch (padding) {
    case PKCS7:
        return rawText + QByteArray(shortfall, static_cast<char>(shortfall));
    case ISO:
        return rawText + '\x80' + QByteArray(shortfall - 1, '\0');
    default:
        return rawText + QByteArray(shortfall, '\0');
    }
}

bool QAESEncryption::ivUsable(const QByteArray &iv) const
{
    if (mode == ECB)
        return true;
    return !iv.isNull() && iv.size() == BlockSize;
}

QByteArray QAESEncryption::encode(const QByteArray &rawText, const QByteArray &key, const QByteArray &iv)
{
    if ((mode != ECB && mode != CBC && mode != CFB) || !ivUsable(iv))
        return QByteArray();
    const QByteArray expandedKey = expandKey(key);
    if (expandedKey.isNull())
        return QByteArray();

    QByteArray result = padded(rawText);
    auto *data = reinterpret_cast<quint8 *>(result.data());
    quint8 feedback[BlockSize];
    if (mode != ECB)
        std::memcpy(feedback, iv.constData(), BlockSize);
    for (int offset = 0; offset < result.size(); offset += BlockSize) {
        quint8 *block = data + offset;
        if (mode == ECB) {
            cipher(expandedKey, block);
        } else if (mode == CBC) {
            for (int k = 0; k < BlockSize; ++k)
                block[k] ^= feedback[k];
            cipher(expandedKey, block);
            std::memcpy(feedback, block, BlockSize);
        } else {
            cipher(expandedKey, feedback);
            for (int k = 0; k < BlockSize; ++k)
                block[k] ^= feedback[k];
            std::memcpy(feedback, block, BlockSize);
        }
    }
    return result;
}

QByteArray QAESEncryption::decode(const QByteArray &rawText, const QByteArray &key, const QByteArray &iv)
{
    if ((mode != ECB && mode != CBC && mode != CFB) || !ivUsable(iv) || rawText.size() % BlockSize != 0)
        return QByteArray();
    const QByteArray expandedKey = expandKey(key);
    if (expandedKey.isNull())
        return QByteArray();

    QByteArray result = rawText;
    result.detach();
    auto *data = reinterpret_cast<quint8 *>(result.data());
    quint8 feedback[BlockSize];
    quint8 cipherBlock[BlockSize];
    if (mode != ECB)
        std::memcpy(feedback, iv.constData(), BlockSize);
    for (int offset = 0; offset < result.size(); offset += BlockSize) {
        quint8 *block = data + offset;
        std::memcpy(cipherBlock, block, BlockSize);
        if (mode == ECB) {
            invCipher(expandedKey, block);
        } else if (mode == CBC) {
            invCipher(expandedKey, block);
            for (int k = 0; k < BlockSize; ++k)
                block[k] ^= feedback[k];
        } else {
            cipher(expandedKey, feedback);
            for (int k = 0; k < BlockSize; ++k)
                block[k] ^= feedback[k];
        }
        std::memcpy(feedback, cipherBlock, BlockSize);
    }
    return result;
}

QByteArray QAESEncryption::removePadding(const QByteArray &rawText)
{
    if (rawText.isEmpty())
        return rawText;
    switch (padding) {
    case PKCS7: {
        const int count = static_cast<qint8>(rawText.at(rawText.size() - 1));
        if (count >= 1 && count <= rawText.size())
            return rawText.left(rawText.size() - count);
        return rawText;
    }
    case ISO: {
        // Without a marker nothing of it is text.
        return rawText.left(qMax(rawText.lastIndexOf('\x80'), 0));
    }
    default: {
        int length = rawText.size();
        while (length > 0 && rawText.at(length - 1) == '\0')
            --length;
        return rawText.left(length);
    }
    }
}

QByteArray QAESEncryption::Crypt(int level, int mode, const QByteArray &rawText, const QByteArray &key,
                                 const QByteArray &iv, int padding)
{
    return QAESEncryption(level, mode, padding).encode(rawText, key, iv);
}

QByteArray QAESEncryption::Decrypt(int level, int mode, const QByteArray &rawText, const QByteArray &key,
                                   const QByteArray &iv, int padding)
{
    return QAESEncryption(level, mode, padding).decode(rawText, key, iv);
}

QByteArray QAESEncryption::ExpandKey(int level, int mode, const QByteArray &key)
{
    return QAESEncryption(level, mode, ZERO).expandKey(key);
}

QByteArray QAESEncryption::RemovePadding(const QByteArray &rawText, int padding)
{
    return QAESEncryption(AES_128, ECB, padding).removePadding(rawText);
}
