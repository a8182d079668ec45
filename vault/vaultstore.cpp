#include "vault/vaultstore.h"

#include "data/databasefile.h"
#include "data/interfacepublicdata.h"
#include "data/sqlstatement.h"
#include "data/sqlthread.h"
#include "models/vaultcipher.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

namespace {

const QString UsersConfigTable = QStringLiteral("USERS_CONFIG");
const QString UsersUserInfoTable = QStringLiteral("USERS_USER_INFO");
const QString UsersVerifyTable = QStringLiteral("USERS_VERIFY");

} // namespace

QList<SqlOperateType> VaultStore::operations() const
{
    return {UsersConfigSelect,   UsersConfigUpdate,   UsersUserQuery,    UsersUserInfoUpdate,
            UsersUserInfoInsert, UsersUserInfoDelete, UsersVerifySelect, UsersVerifySelectRegistered,
            UsersVerifyUpdate,   AesAccountUpdate};
}

std::optional<QVariant> VaultStore::run(SqlOperateType operate, const QVariant &var)
{
    switch (operate) {
    case UsersConfigSelect:
        return selectUsersConfig();
    case UsersConfigUpdate: {
        const UsersConfigData config = var.value<UsersConfigData>();
        sql.exec(QStringLiteral("UPDATE `%1` SET UserLimitOnePage = ?, NoActiveLogoutSec = ?").arg(UsersConfigTable),
                 {config.UserLimitOnePage, config.NoActiveLogoutSec});
        break;
    }
    case UsersUserQuery:
        return QVariant::fromValue(queryUsers(var.value<UsersUserQueryData>()));
    case UsersUserInfoUpdate:
        updateUser(var.value<UsersUserInfoData>(), QDate::currentDate());
        break;
    case UsersUserInfoInsert:
        insertUser(var.value<UsersUserInfoData>(), QDate::currentDate());
        break;
    case UsersUserInfoDelete:
        sql.exec(QStringLiteral("DELETE FROM `%1` WHERE ID = ?").arg(UsersUserInfoTable), {var.toInt()});
        break;
    case UsersVerifySelect:
    case UsersVerifySelectRegistered: {
        // Without its row the verifier answers nothing.
        QPair<QString, QString> verifier;
        if (!selectVerifier(&verifier))
            return std::nullopt;
        if (operate == UsersVerifySelectRegistered)
            return !verifier.second.isEmpty();
        return QVariant::fromValue(verifier);
    }
    case UsersVerifyUpdate:
        sql.exec(QStringLiteral("UPDATE `%1` SET DecryptText = ?").arg(UsersVerifyTable),
                 {var.value<QPair<QString, QString>>().second});
        break;
    case AesAccountUpdate:
        return QVariant::fromValue(changeMasterAccount(var.value<AesAccountUpdateData>()));
    default:
        return std::nullopt;
    }
    return QVariant();
}

std::optional<QVariant> VaultStore::selectUsersConfig()
{
    if (!sql.exec(QStringLiteral("SELECT UserLimitOnePage, NoActiveLogoutSec FROM `%1` LIMIT 1").arg(UsersConfigTable)))
        return std::nullopt;
    // Without its row the table gives the defaults.
    UsersConfigData config;
    if (sql.next()) {
        config.UserLimitOnePage = sql.value(0).toInt();
        config.NoActiveLogoutSec = sql.value(1).toInt();
    }
    return QVariant::fromValue(config);
}

UsersUserResultData VaultStore::queryUsers(const UsersUserQueryData &request)
{
    static const char *const searchColumns[] = {"Title", "Site", "User", "Email", "Phone"};
    QString filter;
    QVariantList values;
    if (request.searchType >= 1 && request.searchType <= 5) {
        // The typed text matches literally: its own % and _ are no wildcards.
        filter =
            QStringLiteral(" WHERE %1 LIKE ? ESCAPE '\\'").arg(QLatin1String(searchColumns[request.searchType - 1]));
        QString text = request.searchText;
        text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('%'), QLatin1String("\\%"))
            .replace(QLatin1Char('_'), QLatin1String("\\_"));
        values.append(QLatin1Char('%') + text + QLatin1Char('%'));
    }
    QString pageClause;
    if (request.limitOnePage != 0)
        pageClause = QStringLiteral(" LIMIT %1 OFFSET %2")
                         .arg(request.limitOnePage)
                         .arg(qint64(request.page - 1) * request.limitOnePage);

    UsersUserResultData result;
    result.total =
        sql.scalar(QStringLiteral("SELECT count(*) FROM `%1`").arg(UsersUserInfoTable) + filter, values).toInt();
    if (request.limitOnePage != 0)
        result.pageCount = result.total / request.limitOnePage + (result.total % request.limitOnePage ? 1 : 0);
    else
        result.pageCount = 1;
    result.page = request.page;
    result.hasPrevPage = request.page > 1;
    result.hasNextPage = request.page < result.pageCount;

    if (!sql.exec(QStringLiteral("SELECT ID, Title, Site, User, Pwd, PwdNote, NickName, Email, Phone, NotePublic, "
                                 "NotePrivate, UpdateDate, UpdateDateStr FROM `%1`")
                          .arg(UsersUserInfoTable) +
                      filter + pageClause,
                  values))
        return result;
    while (sql.next()) {
        UsersUserInfoData user;
        user.ID = sql.value(0).toInt();
        user.Title = sql.value(1).toString();
        user.Site = sql.value(2).toString();
        user.User = sql.value(3).toString();
        user.Pwd = sql.value(4).toString();
        user.PwdNote = sql.value(5).toString();
        user.NickName = sql.value(6).toString();
        user.Email = sql.value(7).toString();
        user.Phone = sql.value(8).toString();
        user.NotePublic = sql.value(9).toString();
        user.NotePrivate = sql.value(10).toString();
        user.UpdateDate = QDate::fromJulianDay(sql.value(11).toLongLong());
        result.users.append(user);
    }
    return result;
}

void VaultStore::updateUser(const UsersUserInfoData &user, const QDate &today)
{
    sql.exec(
        QStringLiteral("UPDATE `%1` SET Title = ?, Site = ?, User = ?, Pwd = ?, PwdNote = ?, NickName = ?, Email = ?, "
                       "Phone = ?, NotePublic = ?, NotePrivate = ?, UpdateDate = ?, UpdateDateStr = ? WHERE ID = ?")
            .arg(UsersUserInfoTable),
        {user.Title, user.Site, user.User, user.Pwd, user.PwdNote, user.NickName, user.Email, user.Phone,
         user.NotePublic, user.NotePrivate, today.toJulianDay(), today.toString(StoredFormat::Date), user.ID});
}

void VaultStore::insertUser(const UsersUserInfoData &user, const QDate &today)
{
    sql.exec(QStringLiteral("INSERT INTO `%1` (Title, Site, User, Pwd, PwdNote, NickName, Email, Phone, NotePublic, "
                            "NotePrivate, UpdateDate, UpdateDateStr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                 .arg(UsersUserInfoTable),
             {user.Title, user.Site, user.User, user.Pwd, user.PwdNote, user.NickName, user.Email, user.Phone,
              user.NotePublic, user.NotePrivate, today.toJulianDay(), today.toString(StoredFormat::Date)});
}

bool VaultStore::selectVerifier(QPair<QString, QString> *verifier)
{
    if (!sql.exec(QStringLiteral("SELECT EncryptText, DecryptText FROM `%1`").arg(UsersVerifyTable)) || !sql.next())
        return false;
    verifier->first = sql.value(0).toString();
    verifier->second = sql.value(1).toString();
    return true;
}

AesAccountUpdateResultType VaultStore::changeMasterAccount(const AesAccountUpdateData &change)
{
    struct Secrets
    {
        int id;
        QString pwd, pwdNote, notePrivate;
    };

    const int count = sql.scalar(QStringLiteral("SELECT count(*) FROM `%1`").arg(UsersUserInfoTable)).toInt();
    const int maximum = 3 * count + 20;
    int progress = 0;
    auto status = [&](const QString &info) {
        emit interfacePublicData.SIGNALAesUpdateStatus(info, progress, maximum);
    };
    // One line per hundred rows and the last, so that a large vault does not flood the GUI.
    auto counter = [&](const char *format, int done) {
        if (done % 100 == 0 || done == count)
            status(tr(format).arg(done).arg(count));
    };

    status(tr("开始备份数据库.."));
    // A backup left from before stops the change with nothing touched. The copy is on disk before the first
    // statement; its hash, committed with the change, tells a later start that the change finished.
    const QString backupFile = QDir::current().absoluteFilePath(QString::fromLatin1(SqlThread::BackupPath));
    QByteArray backupHash;
    QString copyError;
    if (QFileInfo::exists(backupFile))
        return AesUpdateBackupFailed;
    if (!DatabaseFile::copy(QDir::current().absoluteFilePath(QString::fromLatin1(SqlThread::DatabasePath)), backupFile,
                            &backupHash, &copyError)) {
        status(copyError);
        return AesUpdateBackupFailed;
    }
    progress = 10;
    status(tr("完成."));
    status(tr("开始获取账号信息.."));

    QVector<Secrets> rows;
    rows.reserve(count);
    if (!sql.exec(QStringLiteral("SELECT ID, Pwd, PwdNote, NotePrivate FROM `%1`").arg(UsersUserInfoTable)))
        return AesUpdateExecError;
    while (sql.next()) {
        rows.append({sql.value(0).toInt(), sql.value(1).toString(), sql.value(2).toString(), sql.value(3).toString()});
        ++progress;
        counter(QT_TR_NOOP("获取: %1 / %2"), rows.size());
    }
    // A read that stopped early would leave the rows it missed under the old key.
    if (rows.size() != count)
        return AesUpdateExecError;
    status(tr("完成."));
    status(tr("开始重新加密.."));

    // A field that cannot be decoded keeps its stored text: written back empty, it would be lost for good.
    interfacePublicData.unreadableFields = 0;
    for (int j = 0; j < rows.size(); ++j) {
        Secrets &row = rows[j];
        for (QString *field : {&row.pwd, &row.pwdNote, &row.notePrivate}) {
            bool readable = true;
            const QString plain = VaultCipher::decrypt(*field, change.keyHash, change.userHash, &readable);
            if (readable)
                *field = VaultCipher::encrypt(plain, change.newKeyHash, change.newUserHash);
            else
                ++interfacePublicData.unreadableFields;
        }
        ++progress;
        counter(QT_TR_NOOP("加密: %1 / %2"), j + 1);
    }
    status(tr("完成."));
    status(tr("开始提交到数据库.."));

    const QVariant plain = sql.scalar(QStringLiteral("SELECT EncryptText FROM `%1` LIMIT 1").arg(UsersVerifyTable));
    // All rows, the verifier and the mark of a finished change, or none: a failed write rolls back at once.
    if (!plain.isValid() || !sql.exec(QStringLiteral("BEGIN TRANSACTION")))
        return AesUpdateExecError;
    const QString update =
        QStringLiteral("UPDATE `%1` SET Pwd = ?, PwdNote = ?, NotePrivate = ? WHERE ID = ?").arg(UsersUserInfoTable);
    for (int k = 0; k < rows.size(); ++k) {
        const Secrets &row = rows.at(k);
        if (!sql.exec(update, {row.pwd, row.pwdNote, row.notePrivate, row.id})) {
            sql.exec(QStringLiteral("ROLLBACK"));
            return AesUpdateExecError;
        }
        ++progress;
        counter(QT_TR_NOOP("提交: %1 / %2"), k + 1);
    }
    if (!sql.exec(QStringLiteral("UPDATE `%1` SET DecryptText = ?").arg(UsersVerifyTable),
                  {VaultCipher::encrypt(plain.toString(), change.newKeyHash, change.newUserHash)}) ||
        !DatabaseFile::markBackupUsed(sql.database(), backupHash) || !sql.exec(QStringLiteral("COMMIT"))) {
        sql.exec(QStringLiteral("ROLLBACK"));
        return AesUpdateExecError;
    }
    status(tr("完成."));
    return AesUpdateSuccess;
}
