#pragma once

#include <QByteArray>
#include <QString>

// How the vault turns credentials into cipher parameters and fields into stored text. The credentials
// themselves are never kept: only their hashes, from which the AES-256 key (SHA-256 of the key hash)
// and the IV (MD5 of the user-name hash) are derived anew for every field.
class VaultCipher
{
public:
    // Lower-case hexadecimal SHA-256 of the UTF-8 bytes of the credential.
    static QString credentialHash(const QString &credential);
    // The same of its Latin-1 bytes, as older vaults were registered: every character above U+00FF
    // became "?", so that all Chinese credentials of one length hashed alike.
    static QString latin1CredentialHash(const QString &credential);
    static QByteArray aesKey(const QString &keyHash);
    static QByteArray aesIv(const QString &userHash);

    // Base64 of the AES-256-CBC cipher of the UTF-8 text, zero-padded; empty text gives empty text.
    static QString encrypt(const QString &plain, const QString &keyHash, const QString &userHash);
    // The text up to its first zero byte. Whitespace in the vault text is ignored (a line break added
    // by another tool); a vault text that is still damaged (not Base64, not whole blocks) gives empty
    // text and sets *ok to false. The wrong credentials give meaningless text, never an error.
    static QString decrypt(const QString &vaultText, const QString &keyHash, const QString &userHash,
                           bool *ok = nullptr);

    // Overwrites the characters before emptying the text, so that its freed buffer keeps no secret.
    static void wipe(QString &text);
};
