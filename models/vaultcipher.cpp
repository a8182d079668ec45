#include "models/vaultcipher.h"

#include "models/qaesencryption.h"

#include <QCryptographicHash>

QString VaultCipher::credentialHash(const QString &credential)
{
    return QString::fromLatin1(QCryptographicHash::hash(credential.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString VaultCipher::latin1CredentialHash(const QString &credential)
{
    return QString::fromLatin1(QCryptographicHash::hash(credential.toLatin1(), QCryptographicHash::Sha256).toHex());
}

QByteArray VaultCipher::aesKey(const QString &keyHash)
{
    return QCryptographicHash::hash(keyHash.toUtf8(), QCryptographicHash::Sha256);
}

QByteArray VaultCipher::aesIv(const QString &userHash)
{
    return QCryptographicHash::hash(userHash.toUtf8(), QCryptographicHash::Md5);
}

QString VaultCipher::encrypt(const QString &plain, const QString &keyHash, const QString &userHash)
{
    QAESEncryption aes(QAESEncryption::AES_256, QAESEncryption::CBC, QAESEncryption::ZERO);
    return QString::fromLatin1(aes.encode(plain.toUtf8(), aesKey(keyHash), aesIv(userHash)).toBase64());
}

QString VaultCipher::decrypt(const QString &vaultText, const QString &keyHash, const QString &userHash, bool *ok)
{
    QByteArray base64;
    base64.reserve(vaultText.size());
    for (const QChar c : vaultText) {
        if (!c.isSpace())
            base64.append(c.toLatin1());
    }
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    const bool readable = decoded && decoded.decoded.size() % QAESEncryption::BlockSize == 0;
    if (ok)
        *ok = readable;
    if (!readable)
        return QString();
    QAESEncryption aes(QAESEncryption::AES_256, QAESEncryption::CBC, QAESEncryption::ZERO);
    const QByteArray plain = aes.decode(decoded.decoded, aesKey(keyHash), aesIv(userHash));
    const int end = plain.indexOf('\0');
    return QString::fromUtf8(end < 0 ? plain : plain.left(end));
}

void VaultCipher::wipe(QString &text)
{
    text.fill(QLatin1Char('0'));
    text.clear();
}
