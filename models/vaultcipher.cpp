#include "models/vaultcipher.h"

#include "data/interfacepublicdata.h"
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

// The hub's vault operations: the master account's hashes and login state live on the hub, where the SQL
// worker reads them during a change; what they mean for encryption and login is decided here.

void InterfacePublicData::setLoginAccount(const QString &user, const QString &key)
{
    userHash = VaultCipher::credentialHash(user);
    keyHash = VaultCipher::credentialHash(key);
    forgetTypedCredentials();
    if (VaultCipher::latin1CredentialHash(user) != userHash || VaultCipher::latin1CredentialHash(key) != keyHash) {
        typedUser = user;
        typedKey = key;
    }
    emit SIGNALSendQuery(UsersVerifySelect, QVariant());
}

void InterfacePublicData::setNewAccount(const QString &user, const QString &key)
{
    newUserHash = user.isEmpty() ? userHash : VaultCipher::credentialHash(user);
    newKeyHash = key.isEmpty() ? keyHash : VaultCipher::credentialHash(key);
}

QString InterfacePublicData::aesEncrypt(const QString &plain) const
{
    return VaultCipher::encrypt(plain, keyHash, userHash);
}

QString InterfacePublicData::aesEncryptNew(const QString &plain) const
{
    return VaultCipher::encrypt(plain, newKeyHash, newUserHash);
}

QString InterfacePublicData::aesDecrypt(const QString &vaultText, bool *ok) const
{
    return VaultCipher::decrypt(vaultText, keyHash, userHash, ok);
}

void InterfacePublicData::setAesLogin(bool login, LoginOutReasonType reason)
{
    if (!login) {
        for (QString *hash : {&userHash, &keyHash, &newUserHash, &newKeyHash})
            VaultCipher::wipe(*hash);
        forgetTypedCredentials();
        credentialUpgrade = false;
    }
    loggedIn = login;
    emit SIGNALAesLogin(login, reason);
}

void InterfacePublicData::finishCredentialUpgrade(bool upgraded)
{
    if (upgraded) {
        std::swap(userHash, newUserHash);
        std::swap(keyHash, newKeyHash);
    }
    VaultCipher::wipe(newUserHash);
    VaultCipher::wipe(newKeyHash);
    forgetTypedCredentials();
    credentialUpgrade = false;
    reencryptIdle = true;
    setAesLogin(true, LoginVerify);
}

void InterfacePublicData::aesLogout(LoginOutReasonType reason)
{
    setAesLogin(false, reason);
}

void InterfacePublicData::verifierRead(const QPair<QString, QString> &verifier)
{
    // A stored verifier means a master account exists, even when the registration state has not
    // arrived yet: registering over it would make every stored account unreadable.
    if (registered || !verifier.second.isEmpty()) {
        const bool ok = verifies(verifier);
        if (!ok && !typedKey.isEmpty() && openLatin1Vault(verifier))
            return;
        forgetTypedCredentials();
        setAesLogin(ok, LoginVerify);
        return;
    }
    forgetTypedCredentials();
    emit SIGNALSendQuery(UsersVerifyUpdate, QVariant::fromValue(qMakePair(verifier.first, aesEncrypt(verifier.first))));
}

bool InterfacePublicData::verifies(const QPair<QString, QString> &verifier) const
{
    return !verifier.first.isEmpty() && aesDecrypt(verifier.second) == verifier.first;
}

// A vault registered by a program that hashed the Latin-1 form opens under that form, which any
// Chinese credentials of the same length share; so the vault is stored anew under the UTF-8 form only
// after the key was typed again (upgradeCredentials), lest a typo become the key.
bool InterfacePublicData::openLatin1Vault(const QPair<QString, QString> &verifier)
{
    userHash = VaultCipher::latin1CredentialHash(typedUser);
    keyHash = VaultCipher::latin1CredentialHash(typedKey);
    if (!verifies(verifier))
        return false;
    credentialUpgrade = true;
    emit SIGNALLatin1VaultOpened(typedUser);
    return true;
}

bool InterfacePublicData::upgradeCredentials(const QString &repeatedKey)
{
    if (!credentialUpgrade || typedKey.isEmpty() || repeatedKey != typedKey)
        return false;
    const QVariant sameAccount = QVariant::fromValue(qMakePair(typedUser, typedKey));
    forgetTypedCredentials();
    reencryptIdle = false;
    emit SIGNALSendQuery(AesAccountUpdate, sameAccount);
    return true;
}

void InterfacePublicData::forgetTypedCredentials()
{
    VaultCipher::wipe(typedUser);
    VaultCipher::wipe(typedKey);
}
