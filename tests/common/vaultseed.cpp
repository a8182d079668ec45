#include "vaultseed.h"

#include "models/vaultcipher.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace {

// Title to NotePrivate as texts() lists them; Pwd, PwdNote and NotePrivate are the secret ones.
const QString Columns =
    QStringLiteral("Title, Site, User, Pwd, PwdNote, NickName, Email, Phone, NotePublic, NotePrivate");
const QList<int> SecretColumns = {3, 4, 9};
QVector<QString *> texts(UsersUserInfoData &a)
{
    return {&a.Title,    &a.Site,  &a.User,  &a.Pwd,        &a.PwdNote,
            &a.NickName, &a.Email, &a.Phone, &a.NotePublic, &a.NotePrivate};
}

// Opens a private connection to the file for the duration of one call.
bool withDatabase(const QString &databaseFile, const std::function<bool(QSqlQuery &)> &work)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vault-seed"));
        db.setDatabaseName(databaseFile);
        QSqlQuery query(db);
        ok = db.open() && work(query);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vault-seed"));
    return ok;
}

} // namespace

namespace VaultSeed {

UsersUserInfoData plainAccount(int i)
{
    const QStringList patterns = QStringLiteral("站点 %1|https://www.example%1.com/login|user%1|Pa55-word.%1!|"
                                                "第%1个密码，每年更换|nick%1|user%1@example.com|1380000%1|"
                                                "public note %1|recovery codes: %1-%1-%1, it's private")
                                     .split(QLatin1Char('|'));
    UsersUserInfoData a;
    a.ID = i + 1;
    const QVector<QString *> text = texts(a);
    for (int c = 0; c < text.size(); ++c)
        *text[c] = patterns.at(c).arg(i);
    return a;
}

bool seed(const QString &databaseFile, const QString &user, const QString &key, int count, bool latin1)
{
    const auto hash = latin1 ? VaultCipher::latin1CredentialHash : VaultCipher::credentialHash;
    const auto secret = [&](const QString &plain) {
        return VaultCipher::encrypt(plain, hash(key), hash(user));
    };
    return withDatabase(databaseFile, [&](QSqlQuery &query) {
        if (!query.exec(QStringLiteral("BEGIN")) ||
            !query.prepare(QStringLiteral("INSERT INTO USERS_USER_INFO (ID, %1, UpdateDate, UpdateDateStr) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, %2, '2024-05-19')")
                               .arg(Columns)
                               .arg(QDate(2024, 5, 19).toJulianDay())))
            return false;
        for (int i = 0; i < count; ++i) {
            UsersUserInfoData a = plainAccount(i);
            query.bindValue(0, a.ID);
            const QVector<QString *> text = texts(a);
            for (int c = 0; c < text.size(); ++c)
                query.bindValue(c + 1, SecretColumns.contains(c) ? secret(*text[c]) : *text[c]);
            if (!query.exec())
                return false;
        }
        if (!query.exec(QStringLiteral("SELECT EncryptText FROM USERS_VERIFY")) || !query.next())
            return false;
        const QString plain = query.value(0).toString();
        return query.prepare(QStringLiteral("UPDATE USERS_VERIFY SET DecryptText = ?")) &&
               (query.addBindValue(secret(plain)), query.exec()) && query.exec(QStringLiteral("COMMIT"));
    });
}

QList<UsersUserInfoData> read(const QString &databaseFile, const QString &user, const QString &key)
{
    const QString userHash = VaultCipher::credentialHash(user), keyHash = VaultCipher::credentialHash(key);
    QList<UsersUserInfoData> accounts;
    withDatabase(databaseFile, [&](QSqlQuery &query) {
        if (!query.exec(QStringLiteral("SELECT ID, %1 FROM USERS_USER_INFO ORDER BY ID").arg(Columns)))
            return false;
        while (query.next()) {
            UsersUserInfoData a;
            a.ID = query.value(0).toInt();
            const QVector<QString *> text = texts(a);
            for (int c = 0; c < text.size(); ++c) {
                const QString value = query.value(c + 1).toString();
                *text[c] = SecretColumns.contains(c) ? VaultCipher::decrypt(value, keyHash, userHash) : value;
            }
            accounts.append(a);
        }
        return true;
    });
    return accounts;
}

bool verifies(const QString &databaseFile, const QString &user, const QString &key)
{
    return withDatabase(databaseFile, [&](QSqlQuery &query) {
        if (!query.exec(QStringLiteral("SELECT EncryptText, DecryptText FROM USERS_VERIFY")) || !query.next())
            return false;
        const QString plain = query.value(0).toString();
        return !plain.isEmpty() && VaultCipher::decrypt(query.value(1).toString(), VaultCipher::credentialHash(key),
                                                        VaultCipher::credentialHash(user)) == plain;
    });
}

} // namespace VaultSeed
