#include "vaultseed.h"

#include "vault/vaultcipher.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <functional>
#include <tuple>

namespace {

// Opens a private connection to the file for the duration of one call.
bool withDatabase(const QString &databaseFile, const std::function<bool(QSqlDatabase &)> &work)
{
    const QString name = QStringLiteral("vault-seed");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        if (db.open())
            ok = work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

namespace VaultSeed {

UsersUserInfoData plainAccount(int i)
{
    UsersUserInfoData account;
    account.ID = i + 1;
    account.Title = QStringLiteral("站点 %1").arg(i);
    account.Site = QStringLiteral("https://www.example%1.com/login").arg(i);
    account.User = QStringLiteral("user%1").arg(i);
    account.Pwd = QStringLiteral("Pa55-word.%1!").arg(i);
    account.PwdNote = QStringLiteral("第%1个密码，每年更换").arg(i);
    account.NickName = QStringLiteral("nick%1").arg(i);
    account.Email = QStringLiteral("user%1@example.com").arg(i);
    account.Phone = QStringLiteral("138%1").arg(i, 8, 10, QLatin1Char('0'));
    account.NotePublic = QStringLiteral("public note %1").arg(i);
    account.NotePrivate = QStringLiteral("recovery codes: %1-%2-%3, it's private").arg(i).arg(i * 7).arg(i * 13);
    return account;
}

bool seed(const QString &databaseFile, const QString &user, const QString &key, int count, bool latin1)
{
    const auto hash = latin1 ? VaultCipher::latin1CredentialHash : VaultCipher::credentialHash;
    const QString userHash = hash(user);
    const QString keyHash = hash(key);
    return withDatabase(databaseFile, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!db.transaction() ||
            !query.prepare(QStringLiteral("INSERT INTO USERS_USER_INFO (ID, Title, Site, User, Pwd, PwdNote, NickName, "
                                          "Email, Phone, NotePublic, NotePrivate, UpdateDate, UpdateDateStr) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
            return false;
        const auto secret = [&](const QString &plain) {
            return VaultCipher::encrypt(plain, keyHash, userHash);
        };
        for (int i = 0; i < count; ++i) {
            const UsersUserInfoData a = plainAccount(i);
            int v = 0;
            for (const QVariant &value :
                 {QVariant(a.ID), QVariant(a.Title), QVariant(a.Site), QVariant(a.User), QVariant(secret(a.Pwd)),
                  QVariant(secret(a.PwdNote)), QVariant(a.NickName), QVariant(a.Email), QVariant(a.Phone),
                  QVariant(a.NotePublic), QVariant(secret(a.NotePrivate)), QVariant(QDate(2024, 5, 19).toJulianDay()),
                  QVariant(QStringLiteral("2024-05-19"))})
                query.bindValue(v++, value);
            if (!query.exec())
                return false;
        }
        if (!query.exec(QStringLiteral("SELECT EncryptText FROM USERS_VERIFY")) || !query.next())
            return false;
        const QString plain = query.value(0).toString();
        if (!query.prepare(QStringLiteral("UPDATE USERS_VERIFY SET DecryptText = ?")))
            return false;
        query.addBindValue(VaultCipher::encrypt(plain, keyHash, userHash));
        return query.exec() && db.commit();
    });
}

QList<UsersUserInfoData> read(const QString &databaseFile, const QString &user, const QString &key)
{
    const QString userHash = VaultCipher::credentialHash(user);
    const QString keyHash = VaultCipher::credentialHash(key);
    QList<UsersUserInfoData> accounts;
    withDatabase(databaseFile, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT ID, Title, Site, User, Pwd, PwdNote, NickName, Email, Phone, "
                                       "NotePublic, NotePrivate FROM USERS_USER_INFO ORDER BY ID")))
            return false;
        while (query.next()) {
            const auto text = [&](int i) {
                return query.value(i).toString();
            };
            const auto secret = [&](int i) {
                return VaultCipher::decrypt(text(i), keyHash, userHash);
            };
            UsersUserInfoData a;
            a.ID = query.value(0).toInt();
            std::tie(a.Title, a.Site, a.User, a.Pwd, a.PwdNote, a.NickName, a.Email, a.Phone, a.NotePublic,
                     a.NotePrivate) = std::make_tuple(text(1), text(2), text(3), secret(4), secret(5), text(6), text(7),
                                                      text(8), text(9), secret(10));
            accounts.append(a);
        }
        return true;
    });
    return accounts;
}

bool verifies(const QString &databaseFile, const QString &user, const QString &key)
{
    return withDatabase(databaseFile, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT EncryptText, DecryptText FROM USERS_VERIFY")) || !query.next())
            return false;
        const QString plain = query.value(0).toString();
        return !plain.isEmpty() && VaultCipher::decrypt(query.value(1).toString(), VaultCipher::credentialHash(key),
                                                        VaultCipher::credentialHash(user)) == plain;
    });
}

} // namespace VaultSeed
