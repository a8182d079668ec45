#include "data/sqlthread.h"

#include "data/databasefile.h"
#include "data/interfacepublicdata.h"
#include "upgrader/databaseupgrader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QTimer>
#include <QVector>

namespace {

const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TaskListTable = QStringLiteral("TASK_LIST");
const QString TaskWorkdayTable = QStringLiteral("TASK_WORKDAY");
const QString TaskConfigTable = QStringLiteral("TASK_CONFIG");
const QString BirthdayInfoTable = QStringLiteral("BIRTHDAY_INFO");
// The stored columns of a birthday besides its id, in the order of birthdayValues().
const QStringList BirthdayColumns{
    QStringLiteral("Name"),        QStringLiteral("CallName"),        QStringLiteral("SolarDate"),
    QStringLiteral("RecentDate"),  QStringLiteral("IconPath"),        QStringLiteral("Gender"),
    QStringLiteral("IsLunar"),     QStringLiteral("IgnoreSolarYear"), QStringLiteral("IgnoreLunarYear"),
    QStringLiteral("LunarYear"),   QStringLiteral("LunarMonth"),      QStringLiteral("LunarDay"),
    QStringLiteral("IsLeapMonth"), QStringLiteral("Notice1"),         QStringLiteral("Notice3"),
    QStringLiteral("Notice7"),     QStringLiteral("HasNoticed0"),     QStringLiteral("HasNoticed1"),
    QStringLiteral("HasNoticed3"), QStringLiteral("HasNoticed7")};

QVariantList birthdayValues(const BirthdayInfoData &b)
{
    return {b.Name,
            b.CallName,
            b.SolarDate.toString(DateFormat),
            b.RecentDate.toString(DateFormat),
            b.IconPath,
            int(b.Gender),
            int(b.IsLunar),
            int(b.IgnoreSolarYear),
            int(b.IgnoreLunarYear),
            b.LunarYear,
            b.LunarMonth,
            b.LunarDay,
            int(b.IsLeapMonth),
            int(b.Notice1),
            int(b.Notice3),
            int(b.Notice7),
            int(b.HasNoticed0),
            int(b.HasNoticed1),
            int(b.HasNoticed3),
            int(b.HasNoticed7)};
}

const QString UsersConfigTable = QStringLiteral("USERS_CONFIG");
const QString UsersUserInfoTable = QStringLiteral("USERS_USER_INFO");
const QString UsersVerifyTable = QStringLiteral("USERS_VERIFY");
const QString TaskColumns =
    QStringLiteral("id, TaskName, TaskTimeSee, IconPath, NoticeCycle, Noticed, Deleted, NormalNoticeKeepDisplay");

} // namespace

SqlThread::SqlThread(QObject *parent) : QObject(parent)
{
    if (openDatabase())
        refreshTaskId();
}

void SqlThread::postNotice(SqlOperateType operate, const QString &message, int delayMs)
{
    QTimer::singleShot(delayMs, Qt::PreciseTimer, this,
                       [this, operate, message]() { emit SIGNALSendQueryData(operate, message); });
}

QString SqlThread::undeletableBackupText(const QString &backupFile)
{
    return tr("数据库备份无法删除：\n%1\n\n"
              "它不会再被用来还原。请关闭可能占用它的程序后手动删除，否则下次修改管理账号时无法备份。")
        .arg(QDir::toNativeSeparators(backupFile));
}

bool SqlThread::openDatabase()
{
    const QString databaseFile = QDir::current().absoluteFilePath(QString::fromLatin1(DatabasePath));
    const QString backupFile = QDir::current().absoluteFilePath(QString::fromLatin1(BackupPath));
    const QString connectionName = QString::fromLatin1(DatabasePath);
    const QString shownPath = QDir::toNativeSeparators(databaseFile);

    db = QSqlDatabase::contains(connectionName) ? QSqlDatabase::database(connectionName, false)
                                                : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(QString::fromLatin1(DatabasePath));
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));

    if (QFileInfo::exists(backupFile)) {
        if (db.isOpen())
            db.close();
        if (!settleBackup(databaseFile, backupFile))
            return false;
    }

    if (!QFile::exists(databaseFile)) {
        postNotice(DatabaseFatalError, tr("数据库丢失，程序将退出"), 0);
        return false;
    }
    if (!db.open()) {
        postNotice(DatabaseFatalError, tr("数据库连接出错，程序将退出"), 0);
        return false;
    }
    query = QSqlQuery(db);
    // Deleted accounts and replaced cipher texts must not stay readable in the file's free pages.
    exec(QStringLiteral("PRAGMA secure_delete = ON"));

    // Only a readable database of another version goes to the upgrader; it refuses anything else.
    const DatabaseFile::Inspection found = DatabaseFile::inspect(db, false);
    if (found.state != DatabaseFile::Usable) {
        postNotice(DatabaseFatalError,
                   found.state == DatabaseFile::InUse
                       ? tr("数据库文件正被其他程序使用：\n%1\n\n请关闭该程序后再启动。程序将退出。").arg(shownPath)
                       : tr("数据库文件已损坏，或不是本程序的数据库：\n%1\n\n请换回一份完好的数据库文件后再启动。"
                            "程序将退出。")
                             .arg(shownPath),
                   0);
        closeDatabase();
        return false;
    }
    if (found.version != RequiredDatabaseVersion) {
        const QString message = tr("数据库版本太低，程序将在数据库升级成功后自动重启") + QStringLiteral("\n\n") +
                                tr("所需版本：") + QString::number(RequiredDatabaseVersion) + QStringLiteral(" (") +
                                QString::fromLatin1(RequiredDatabaseDate) + QStringLiteral(")\n") + tr("实际版本：") +
                                QString::number(found.version) + QStringLiteral(" (") + found.date +
                                QStringLiteral(")");
        postNotice(DatabaseVersionLow, message, 0);
        closeDatabase();
        return false;
    }
    // Writes to a missing table or settings row would vanish without a word: the upgrader puts them back.
    const QStringList missing = DatabaseUpgrader::missingParts(db);
    if (!missing.isEmpty()) {
        postNotice(DatabaseVersionLow,
                   tr("数据库不完整，程序将在数据库修复后自动重启") + QStringLiteral("\n\n") + tr("缺少：") +
                       missing.join(QStringLiteral(", ")),
                   0);
        closeDatabase();
        return false;
    }
    if (DatabaseFile::writeProbe(db, BusyTimeoutMs).isValid()) {
        postNotice(DatabaseFatalError,
                   tr("数据库文件无法写入：\n%1\n\n在这里输入的任务、生日、账号和设置都无法保存。"
                      "请取消该文件及其文件夹的只读属性，或把整个程序文件夹复制到可以写入的位置"
                      "（不要放在 Program Files 或只读介质中），然后再启动。程序将退出。")
                       .arg(shownPath),
                   0);
        closeDatabase();
        return false;
    }
    return true;
}

bool SqlThread::settleBackup(const QString &databaseFile, const QString &backupFile)
{
    // Restoring what is no whole database of this program would destroy a good one.
    const DatabaseFile::Inspection backup = DatabaseFile::inspectFile(backupFile, true);
    if (backup.state != DatabaseFile::Usable || backup.version == 0) {
        const QString aside = DatabaseFile::setAside(backupFile);
        const QString intro = tr("检测到管理账号修改留下的数据库备份，但它已损坏，无法用来还原。");
        postNotice(DatabaseRestored,
                   aside.isEmpty()
                       ? intro + QStringLiteral("\n") +
                             tr("数据库保持原样。请删除或移走这个备份：\n%1").arg(QDir::toNativeSeparators(backupFile))
                       : intro + QStringLiteral("\n") +
                             tr("数据库保持原样；损坏的备份已移到：\n%1").arg(QDir::toNativeSeparators(aside)),
                   RestoredNoticeDelayMs);
        return true;
    }

    const DatabaseFile::Inspection current = DatabaseFile::inspectFile(databaseFile, false);
    // Another program has it: touch nothing, the start reports it.
    if (current.state == DatabaseFile::InUse)
        return true;
    // The change that took this backup committed; going back would lose everything entered since.
    if (!current.changeBackup.isEmpty() && current.changeBackup.toLatin1() == DatabaseFile::hash(backupFile)) {
        if (!QFile::remove(backupFile))
            postNotice(DatabaseRestored, undeletableBackupText(backupFile), RestoredNoticeDelayMs);
        return true;
    }

    QString error;
    QByteArray backupHash;
    if (!DatabaseFile::copy(backupFile, databaseFile, &backupHash, &error)) {
        postNotice(DatabaseFatalError,
                   tr("无法用备份还原数据库：\n%1\n\n%2\n请确认数据库所在的文件夹可以写入，然后再启动。程序将退出。")
                       .arg(QDir::toNativeSeparators(databaseFile), error),
                   0);
        return false;
    }
    QString notice = tr("检测到之前管理账号可能修改失败\n数据库已被还原，如需请重新尝试修改");
    if (!QFile::remove(backupFile)) {
        // Restored once is enough: marked as used, the backup cannot undo what is entered from now on.
        DatabaseFile::Connection connection(databaseFile);
        QSqlDatabase restored = connection.database();
        if (restored.open())
            DatabaseFile::markBackupUsed(restored, backupHash);
        restored.close();
        notice += QStringLiteral("\n\n") + undeletableBackupText(backupFile);
    }
    postNotice(DatabaseRestored, notice, RestoredNoticeDelayMs);
    return true;
}

void SqlThread::closeDatabase()
{
    query = QSqlQuery();
    if (db.isOpen())
        db.close();
}

bool SqlThread::exec(const QString &sql, const QVariantList &values)
{
    if (query.prepare(sql)) {
        for (const QVariant &value : values) {
            // A null QString would be stored as NULL; the columns hold text, so store it as empty text.
            if (value.type() == QVariant::String && value.toString().isNull())
                query.addBindValue(QStringLiteral(""));
            else
                query.addBindValue(value);
        }
        if (query.exec())
            return true;
    }
    // A failed read shows as an empty list; a failed change must not pass for a saved one.
    if (writeFailure.isEmpty() && !sql.startsWith(QLatin1String("SELECT")))
        writeFailure =
            query.lastError().databaseText().isEmpty() ? query.lastError().text() : query.lastError().databaseText();
    return false;
}

QVariant SqlThread::scalar(const QString &sql, const QVariantList &values)
{
    QVariant value;
    if (exec(sql, values) && query.next())
        value = query.value(0);
    // A statement left open keeps the file's read lock until the next one runs.
    query.finish();
    return value;
}

void SqlThread::refreshTaskId()
{
    // Ids are recycled: a row marked deleted is overwritten before the table grows.
    const QVariant deletedId = scalar(QStringLiteral("SELECT id FROM `%1` WHERE Deleted = 1").arg(TaskListTable));
    if (deletedId.isValid()) {
        reuseDeletedId = true;
        nextTaskId = deletedId.toInt();
        return;
    }
    reuseDeletedId = false;
    nextTaskId = scalar(QStringLiteral("SELECT MAX(id)+1 FROM `%1`").arg(TaskListTable)).toInt();
}

namespace {
const QString IconListTable = QStringLiteral("ICON_LIST");
// The records that show a picture, which they name by its path.
const QStringList IconUserTables{TaskListTable, BirthdayInfoTable};
const QString IconRestartYes = QStringLiteral("restartYes");
const QString IconRestartNo = QStringLiteral("restartNo");
} // namespace

int SqlThread::nextIconId()
{
    if (scalar(QStringLiteral("SELECT COUNT(*) FROM `%1`").arg(IconListTable)).toInt() == 0)
        return 1;
    return scalar(QStringLiteral("SELECT MAX(id) FROM `%1`").arg(IconListTable)).toInt() + 1;
}

bool SqlThread::insertIcon(const QStringList &icon)
{
    if (icon.size() < 4)
        return false;
    return exec(QStringLiteral("INSERT INTO `%1` (id, What, Path, Notice) VALUES (?, ?, ?, ?)").arg(IconListTable),
                {icon.at(0).toInt(), icon.at(1).toInt(), icon.at(2), icon.at(3)});
}

QList<QStringList> SqlThread::selectIcons(const QString &what)
{
    QList<QStringList> icons;
    if (exec(QStringLiteral("SELECT id, What, Path, Notice FROM `%1` WHERE What = ? ORDER BY id").arg(IconListTable),
             {what.toInt()})) {
        while (query.next()) {
            icons.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                          query.value(3).toString()});
        }
    }
    // The receiver builds one area per kind and learns from this which one the list is for.
    icons.append({what});
    return icons;
}

int SqlThread::countIconUsers(const QString &path)
{
    int users = 0;
    for (const QString &table : IconUserTables)
        users += scalar(QStringLiteral("SELECT count(*) FROM `%1` WHERE IconPath = ?").arg(table), {path}).toInt();
    return users;
}

void SqlThread::repointIconUsers(const QString &oldPath, const QString &newPath)
{
    db.transaction();
    for (const QString &table : IconUserTables)
        exec(QStringLiteral("UPDATE `%1` SET IconPath = ? WHERE IconPath = ?").arg(table), {newPath, oldPath});
    db.commit();
}

QString SqlThread::deleteIcon(const QStringList &request)
{
    // [id, path of the deleted picture, default picture of its kind]
    if (request.size() < 3)
        return IconRestartNo;
    exec(QStringLiteral("DELETE FROM `%1` WHERE id = ?").arg(IconListTable), {request.at(0).toInt()});
    const int users = countIconUsers(request.at(1));
    if (users > 0)
        repointIconUsers(request.at(1), request.at(2));
    return users > 0 ? IconRestartYes : IconRestartNo;
}

QString SqlThread::updateIcon(const QStringList &request)
{
    // [check flag, id, What, old path, new path, note]; id 0 is a default picture, which has no row.
    if (request.size() < 6)
        return IconRestartNo;
    const int id = request.at(1).toInt();
    if (id != 0)
        exec(QStringLiteral("UPDATE `%1` SET What = ?, Path = ?, Notice = ? WHERE id = ?").arg(IconListTable),
             {request.at(2).toInt(), request.at(4), request.at(5), id});
    if (request.at(0) != QLatin1String("checkOldYes"))
        return IconRestartNo;
    const int users = countIconUsers(request.at(3));
    if (id != 0 && users > 0)
        repointIconUsers(request.at(3), request.at(4));
    return users > 0 ? IconRestartYes : IconRestartNo;
}

void SqlThread::SLOTReceiveQuery(SqlOperateType operate, QVariant var)
{
    writeFailure.clear();
    switch (operate) {
    // Icon library
    case IconListNextId:
        emit SIGNALSendQueryData(operate, nextIconId());
        break;
    case IconListInsert:
        // The dialog removes the picture it placed when its row was not written.
        emit SIGNALSendQueryData(operate, insertIcon(var.toStringList()));
        break;
    case IconListSelect:
        emit SIGNALSendQueryData(operate, QVariant::fromValue(selectIcons(var.toString())));
        break;
    case IconListDelete:
        emit SIGNALSendQueryData(operate, deleteIcon(var.toStringList()));
        break;
    case IconListUpdate:
        emit SIGNALSendQueryData(operate, updateIcon(var.toStringList()));
        break;
    case TaskConfigSelect: {
        bool ok = false;
        const NoticeConfigData config = selectTaskConfig(&ok);
        if (ok)
            emit SIGNALSendQueryData(operate, QVariant::fromValue(config));
        break;
    }
    case TaskConfigUpdate:
        updateTaskConfig(var.value<NoticeConfigData>());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskListUpdateNoticed:
        exec(QStringLiteral("UPDATE `%1` SET Noticed = 1 WHERE id = ?").arg(TaskListTable), {var.toInt()});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskListDelete:
        deleteTasks(var.value<QList<int>>());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskListInsert:
        insertTask(var.value<TaskListData>());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskListSelectUnnoticed:
        emit SIGNALSendQueryData(operate,
                                 QVariant::fromValue(selectTasks(QStringLiteral("WHERE Noticed = 0 AND Deleted = 0"))));
        break;
    case TaskListSelect:
        emit SIGNALSendQueryData(
            operate, QVariant::fromValue(selectTasks(QStringLiteral("WHERE Deleted = 0 ORDER BY TaskTimeSee ASC"))));
        break;
    case TaskListUpdate:
        updateTask(var.value<TaskListData>());
        break;
    case TaskWorkdaySelect:
        emit SIGNALSendQueryData(operate, QVariant::fromValue(selectWorkdays()));
        break;
    case TaskWorkdayUpdate:
        updateWorkday(var.value<TaskWorkdayData>());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskWorkdayInsert:
        insertWorkday(var.value<TaskWorkdayData>());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskWorkdayDelete:
        exec(QStringLiteral("DELETE FROM `%1` WHERE id = ?").arg(TaskWorkdayTable), {var.toInt()});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case TaskWorkdayDeleteExpired:
        exec(QStringLiteral("DELETE FROM `%1` WHERE TaskDate < ?").arg(TaskWorkdayTable),
             {QDate::currentDate().toJulianDay()});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case BirthdayInfoSelect:
        emit SIGNALSendQueryData(operate, QVariant::fromValue(selectBirthdays()));
        break;
    case BirthdayInfoInsert:
        emit SIGNALSendQueryData(operate, insertBirthday(var.value<BirthdayInfoData>()));
        break;
    case BirthdayInfoDelete:
        exec(QStringLiteral("DELETE FROM `%1` WHERE id = ?").arg(BirthdayInfoTable), {var.toInt()});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case BirthdayInfoUpdate:
        emit SIGNALSendQueryData(operate, updateBirthday(var.value<BirthdayInfoData>()));
        break;
    case BirthdayInfoUpdateRecentDate: {
        // A new occurrence starts with none of its reminders done.
        const BirthdayInfoData birthday = var.value<BirthdayInfoData>();
        exec(QStringLiteral("UPDATE `%1` SET RecentDate = ?, IsLeapMonth = ?, HasNoticed0 = 0, HasNoticed1 = 0, "
                            "HasNoticed3 = 0, HasNoticed7 = 0 WHERE id = ?")
                 .arg(BirthdayInfoTable),
             {birthday.RecentDate.toString(DateFormat), int(birthday.IsLeapMonth), birthday.id});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    }
    case BirthdayInfoUpdateNoticed: {
        const BirthdayInfoData birthday = var.value<BirthdayInfoData>();
        exec(QStringLiteral("UPDATE `%1` SET HasNoticed0 = ?, HasNoticed1 = ?, HasNoticed3 = ?, HasNoticed7 = ? "
                            "WHERE id = ?")
                 .arg(BirthdayInfoTable),
             {int(birthday.HasNoticed0), int(birthday.HasNoticed1), int(birthday.HasNoticed3),
              int(birthday.HasNoticed7), birthday.id});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    }
    case UsersConfigSelect: {
        UsersConfigData config;
        if (selectUsersConfig(&config))
            emit SIGNALSendQueryData(operate, QVariant::fromValue(config));
        break;
    }
    case UsersConfigUpdate: {
        const UsersConfigData config = var.value<UsersConfigData>();
        exec(QStringLiteral("UPDATE `%1` SET UserLimitOnePage = ?, NoActiveLogoutSec = ?").arg(UsersConfigTable),
             {config.UserLimitOnePage, config.NoActiveLogoutSec});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    }
    case UsersUserQuery:
        emit SIGNALSendQueryData(operate, QVariant::fromValue(queryUsers(var.value<UsersUserQueryData>())));
        break;
    case UsersUserInfoUpdate:
        updateUser(var.value<UsersUserInfoData>(), QDate::currentDate());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case UsersUserInfoInsert:
        insertUser(var.value<UsersUserInfoData>(), QDate::currentDate());
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case UsersUserInfoDelete:
        exec(QStringLiteral("DELETE FROM `%1` WHERE ID = ?").arg(UsersUserInfoTable), {var.toInt()});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case UsersVerifySelect: {
        QPair<QString, QString> verifier;
        if (selectVerifier(&verifier))
            emit SIGNALSendQueryData(operate, QVariant::fromValue(verifier));
        break;
    }
    case UsersVerifySelectRegistered: {
        QPair<QString, QString> verifier;
        if (selectVerifier(&verifier))
            emit SIGNALSendQueryData(operate, !verifier.second.isEmpty());
        break;
    }
    case UsersVerifyUpdate:
        exec(QStringLiteral("UPDATE `%1` SET DecryptText = ?").arg(UsersVerifyTable),
             {var.value<QPair<QString, QString>>().second});
        emit SIGNALSendQueryData(operate, QVariant());
        break;
    case AesAccountUpdate: {
        const auto account = var.value<QPair<QString, QString>>();
        emit SIGNALSendQueryData(operate, QVariant::fromValue(changeMasterAccount(account.first, account.second)));
        break;
    }
    default:
        break;
    }
    // The master account change answers for itself; a closed database was reported at start-up.
    if (!writeFailure.isEmpty() && operate != AesAccountUpdate && db.isOpen())
        emit SIGNALSendQueryData(
            DatabaseWriteFailed,
            tr("刚才的更改没有保存到数据库。\n\n数据库：%1\n原因：%2\n\n请确认数据库文件和所在的文件夹可以写入、"
               "磁盘没有写满，然后再试一次。")
                .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(QString::fromLatin1(DatabasePath))),
                     writeFailure));
}

NoticeConfigData SqlThread::selectTaskConfig(bool *ok)
{
    NoticeConfigData config;
    *ok = exec(QStringLiteral("SELECT CN_BgType, CN_Color, CN_ShadowColor, CN_AppearSec, CN_KeepSec, CN_DisappearSec, "
                              "NN_DisplaySec, CN_EnableTask, CN_EnableBirthday, NN_EnableTask, NN_EnableBirthday "
                              "FROM `%1` LIMIT 1")
                   .arg(TaskConfigTable));
    // Without its row the table gives the defaults rather than zeros and black.
    if (!*ok || !query.next())
        return config;
    config.CN_BgType = query.value(0).toInt();
    config.CN_Color.setNamedColor(query.value(1).toString());
    config.CN_ShadowColor.setNamedColor(query.value(2).toString());
    config.CN_AppearSec = query.value(3).toInt();
    config.CN_KeepSec = query.value(4).toInt();
    config.CN_DisappearSec = query.value(5).toInt();
    config.NN_DisplaySec = query.value(6).toInt();
    config.CN_EnableTask = query.value(7).toInt() == 1;
    config.CN_EnableBirthday = query.value(8).toInt() == 1;
    config.NN_EnableTask = query.value(9).toInt() == 1;
    config.NN_EnableBirthday = query.value(10).toInt() == 1;
    return config;
}

void SqlThread::updateTaskConfig(const NoticeConfigData &config)
{
    exec(QStringLiteral("UPDATE `%1` SET CN_Color = ?, CN_ShadowColor = ?, CN_BgType = ?, CN_AppearSec = ?, "
                        "CN_KeepSec = ?, CN_DisappearSec = ?, NN_DisplaySec = ?, CN_EnableTask = ?, "
                        "CN_EnableBirthday = ?, NN_EnableTask = ?, NN_EnableBirthday = ?")
             .arg(TaskConfigTable),
         {config.CN_Color.name(), config.CN_ShadowColor.name(), config.CN_BgType, config.CN_AppearSec,
          config.CN_KeepSec, config.CN_DisappearSec, config.NN_DisplaySec, int(config.CN_EnableTask),
          int(config.CN_EnableBirthday), int(config.NN_EnableTask), int(config.NN_EnableBirthday)});
}

void SqlThread::deleteTasks(const QList<int> &ids)
{
    db.transaction();
    for (const int id : ids)
        exec(QStringLiteral("UPDATE `%1` SET Deleted = 1 WHERE id = ?").arg(TaskListTable), {id});
    db.commit();

    // Once nothing is alive the table is emptied and ids start again at 0.
    const QVariant all = scalar(QStringLiteral("SELECT count(*) FROM `%1`").arg(TaskListTable));
    const QVariant deleted = scalar(QStringLiteral("SELECT count(*) FROM `%1` WHERE Deleted = 1").arg(TaskListTable));
    if (all.isValid() && deleted.isValid() && all.toInt() == deleted.toInt())
        exec(QStringLiteral("DELETE FROM `%1`").arg(TaskListTable));
    refreshTaskId();
}

void SqlThread::insertTask(TaskListData task)
{
    task.id = nextTaskId;
    if (reuseDeletedId)
        updateTask(task);
    else
        exec(QStringLiteral("INSERT INTO `%1` (TaskName, TaskTimeSee, IconPath, id, NoticeCycle, Noticed, Deleted, "
                            "NormalNoticeKeepDisplay) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                 .arg(TaskListTable),
             {task.TaskName, task.TaskTimeSee.toString(DateTimeFormat), task.IconPath, task.id, task.NoticeCycle,
              task.Noticed, task.Deleted, task.NormalNoticeKeepDisplay});
    refreshTaskId();
}

void SqlThread::updateTask(const TaskListData &task)
{
    exec(QStringLiteral("UPDATE `%1` SET TaskName = ?, TaskTimeSee = ?, IconPath = ?, NoticeCycle = ?, Noticed = ?, "
                        "Deleted = ?, NormalNoticeKeepDisplay = ? WHERE id = ?")
             .arg(TaskListTable),
         {task.TaskName, task.TaskTimeSee.toString(DateTimeFormat), task.IconPath, task.NoticeCycle, task.Noticed,
          task.Deleted, task.NormalNoticeKeepDisplay, task.id});
}

QList<TaskListData> SqlThread::selectTasks(const QString &where)
{
    QList<TaskListData> tasks;
    if (!exec(QStringLiteral("SELECT %1 FROM `%2` %3").arg(TaskColumns, TaskListTable, where)))
        return tasks;
    while (query.next()) {
        TaskListData task;
        task.id = query.value(0).toInt();
        task.TaskName = query.value(1).toString();
        task.TaskTimeSee = QDateTime::fromString(query.value(2).toString(), DateTimeFormat);
        task.IconPath = query.value(3).toString();
        task.NoticeCycle = query.value(4).toInt();
        task.Noticed = query.value(5).toInt();
        task.Deleted = query.value(6).toInt();
        task.NormalNoticeKeepDisplay = query.value(7).toInt();
        tasks.append(task);
    }
    return tasks;
}

QList<TaskWorkdayData> SqlThread::selectWorkdays()
{
    QList<TaskWorkdayData> days;
    if (!exec(QStringLiteral("SELECT id, TaskDate, Workday, Notice FROM `%1` ORDER BY TaskDate").arg(TaskWorkdayTable)))
        return days;
    while (query.next()) {
        TaskWorkdayData day;
        day.id = query.value(0).toInt();
        day.TaskDate = QDate::fromJulianDay(query.value(1).toLongLong());
        day.Workday = query.value(2).toInt();
        day.Notice = query.value(3).toString();
        days.append(day);
    }
    return days;
}

void SqlThread::updateWorkday(const TaskWorkdayData &day)
{
    exec(QStringLiteral("UPDATE `%1` SET TaskDateStr = ?, Notice = ?, TaskDate = ?, Workday = ? WHERE id = ?")
             .arg(TaskWorkdayTable),
         {day.TaskDate.toString(DateFormat), day.Notice, day.TaskDate.toJulianDay(), day.Workday, day.id});
}

void SqlThread::insertWorkday(const TaskWorkdayData &day)
{
    exec(QStringLiteral("INSERT INTO `%1` (TaskDateStr, Notice, TaskDate, Workday) VALUES (?, ?, ?, ?)")
             .arg(TaskWorkdayTable),
         {day.TaskDate.toString(DateFormat), day.Notice, day.TaskDate.toJulianDay(), day.Workday});
}

QList<BirthdayInfoData> SqlThread::selectBirthdays()
{
    QList<BirthdayInfoData> birthdays;
    if (!exec(QStringLiteral("SELECT id, %1 FROM `%2` ORDER BY RecentDate ASC")
                  .arg(BirthdayColumns.join(QStringLiteral(", ")), BirthdayInfoTable)))
        return birthdays;
    while (query.next()) {
        // Columns after id in BirthdayColumns order; a flag is set only by a stored 1.
        const auto value = [this](int column) {
            return query.value(column + 1);
        };
        const auto flag = [&value](int column) {
            return value(column).toInt() == 1;
        };
        BirthdayInfoData b;
        b.id = query.value(0).toInt();
        b.Name = value(0).toString();
        b.CallName = value(1).toString();
        b.SolarDate = QDate::fromString(value(2).toString(), DateFormat);
        b.RecentDate = QDate::fromString(value(3).toString(), DateFormat);
        b.IconPath = value(4).toString();
        b.Gender = flag(5);
        b.IsLunar = flag(6);
        b.IgnoreSolarYear = flag(7);
        b.IgnoreLunarYear = flag(8);
        b.LunarYear = value(9).toInt();
        b.LunarMonth = value(10).toInt();
        b.LunarDay = value(11).toInt();
        b.IsLeapMonth = flag(12);
        b.Notice1 = flag(13);
        b.Notice3 = flag(14);
        b.Notice7 = flag(15);
        b.HasNoticed0 = flag(16);
        b.HasNoticed1 = flag(17);
        b.HasNoticed3 = flag(18);
        b.HasNoticed7 = flag(19);
        birthdays.append(b);
    }
    return birthdays;
}

bool SqlThread::isDuplicateBirthday(const BirthdayInfoData &birthday, bool excludeOwnRow)
{
    QString sql = QStringLiteral("SELECT count(*) FROM `%1` WHERE Name = ? AND CallName = ? AND Gender = ?")
                      .arg(BirthdayInfoTable);
    QVariantList values{birthday.Name, birthday.CallName, int(birthday.Gender)};
    if (excludeOwnRow) {
        sql += QStringLiteral(" AND id <> ?");
        values.append(birthday.id);
    }
    const QVariant count = scalar(sql, values);
    return !count.isValid() || count.toInt() != 0;
}

bool SqlThread::insertBirthday(const BirthdayInfoData &birthday)
{
    if (isDuplicateBirthday(birthday, false))
        return false;
    QStringList marks;
    for (int i = 0; i < BirthdayColumns.size(); ++i)
        marks.append(QStringLiteral("?"));
    return exec(
        QStringLiteral("INSERT INTO `%1` (%2) VALUES (%3)")
            .arg(BirthdayInfoTable, BirthdayColumns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
        birthdayValues(birthday));
}

bool SqlThread::updateBirthday(const BirthdayInfoData &birthday)
{
    if (isDuplicateBirthday(birthday, true))
        return false;
    QVariantList values = birthdayValues(birthday);
    values.append(birthday.id);
    return exec(QStringLiteral("UPDATE `%1` SET %2 = ? WHERE id = ?")
                    .arg(BirthdayInfoTable, BirthdayColumns.join(QStringLiteral(" = ?, "))),
                values);
}

bool SqlThread::selectUsersConfig(UsersConfigData *config)
{
    if (!exec(QStringLiteral("SELECT UserLimitOnePage, NoActiveLogoutSec FROM `%1` LIMIT 1").arg(UsersConfigTable)))
        return false;
    // Without its row the table gives the defaults.
    if (query.next()) {
        config->UserLimitOnePage = query.value(0).toInt();
        config->NoActiveLogoutSec = query.value(1).toInt();
    }
    return true;
}

UsersUserResultData SqlThread::queryUsers(const UsersUserQueryData &request)
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
    result.total = scalar(QStringLiteral("SELECT count(*) FROM `%1`").arg(UsersUserInfoTable) + filter, values).toInt();
    if (request.limitOnePage != 0)
        result.pageCount = result.total / request.limitOnePage + (result.total % request.limitOnePage ? 1 : 0);
    else
        result.pageCount = 1;
    result.page = request.page;
    result.hasPrevPage = request.page > 1;
    result.hasNextPage = request.page < result.pageCount;

    if (!exec(QStringLiteral("SELECT ID, Title, Site, User, Pwd, PwdNote, NickName, Email, Phone, NotePublic, "
                             "NotePrivate, UpdateDate, UpdateDateStr FROM `%1`")
                      .arg(UsersUserInfoTable) +
                  filter + pageClause,
              values))
        return result;
    while (query.next()) {
        UsersUserInfoData user;
        user.ID = query.value(0).toInt();
        user.Title = query.value(1).toString();
        user.Site = query.value(2).toString();
        user.User = query.value(3).toString();
        user.Pwd = query.value(4).toString();
        user.PwdNote = query.value(5).toString();
        user.NickName = query.value(6).toString();
        user.Email = query.value(7).toString();
        user.Phone = query.value(8).toString();
        user.NotePublic = query.value(9).toString();
        user.NotePrivate = query.value(10).toString();
        user.UpdateDate = QDate::fromJulianDay(query.value(11).toLongLong());
        result.users.append(user);
    }
    return result;
}

void SqlThread::updateUser(const UsersUserInfoData &user, const QDate &today)
{
    exec(QStringLiteral("UPDATE `%1` SET Title = ?, Site = ?, User = ?, Pwd = ?, PwdNote = ?, NickName = ?, Email = ?, "
                        "Phone = ?, NotePublic = ?, NotePrivate = ?, UpdateDate = ?, UpdateDateStr = ? WHERE ID = ?")
             .arg(UsersUserInfoTable),
         {user.Title, user.Site, user.User, user.Pwd, user.PwdNote, user.NickName, user.Email, user.Phone,
          user.NotePublic, user.NotePrivate, today.toJulianDay(), today.toString(DateFormat), user.ID});
}

void SqlThread::insertUser(const UsersUserInfoData &user, const QDate &today)
{
    exec(QStringLiteral("INSERT INTO `%1` (Title, Site, User, Pwd, PwdNote, NickName, Email, Phone, NotePublic, "
                        "NotePrivate, UpdateDate, UpdateDateStr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
             .arg(UsersUserInfoTable),
         {user.Title, user.Site, user.User, user.Pwd, user.PwdNote, user.NickName, user.Email, user.Phone,
          user.NotePublic, user.NotePrivate, today.toJulianDay(), today.toString(DateFormat)});
}

bool SqlThread::selectVerifier(QPair<QString, QString> *verifier)
{
    if (!exec(QStringLiteral("SELECT EncryptText, DecryptText FROM `%1`").arg(UsersVerifyTable)) || !query.next())
        return false;
    verifier->first = query.value(0).toString();
    verifier->second = query.value(1).toString();
    return true;
}

AesAccountUpdateResultType SqlThread::changeMasterAccount(const QString &newUser, const QString &newKey)
{
    struct Secrets
    {
        int id;
        QString pwd, pwdNote, notePrivate;
    };

    const int count = scalar(QStringLiteral("SELECT count(*) FROM `%1`").arg(UsersUserInfoTable)).toInt();
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

    interfacePublicData.setNewAccount(newUser, newKey);
    status(tr("开始备份数据库.."));
    // A backup left from before stops the change with nothing touched. The copy is on disk before the first
    // statement; its hash, committed with the change, tells a later start that the change finished.
    const QString backupFile = QDir::current().absoluteFilePath(QString::fromLatin1(BackupPath));
    QByteArray backupHash;
    QString copyError;
    if (QFileInfo::exists(backupFile) ||
        !DatabaseFile::copy(QDir::current().absoluteFilePath(QString::fromLatin1(DatabasePath)), backupFile,
                            &backupHash, &copyError))
        return AesUpdateBackupFailed;
    progress = 10;
    status(tr("完成."));
    status(tr("开始获取账号信息.."));

    QVector<Secrets> rows;
    rows.reserve(count);
    if (!exec(QStringLiteral("SELECT ID, Pwd, PwdNote, NotePrivate FROM `%1`").arg(UsersUserInfoTable)))
        return AesUpdateExecError;
    while (query.next()) {
        rows.append(
            {query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(), query.value(3).toString()});
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
            const QString plain = interfacePublicData.aesDecrypt(*field, &readable);
            if (readable)
                *field = interfacePublicData.aesEncryptNew(plain);
            else
                ++interfacePublicData.unreadableFields;
        }
        ++progress;
        counter(QT_TR_NOOP("加密: %1 / %2"), j + 1);
    }
    status(tr("完成."));
    status(tr("开始提交到数据库.."));

    const QVariant plain = scalar(QStringLiteral("SELECT EncryptText FROM `%1` LIMIT 1").arg(UsersVerifyTable));
    // All rows, the verifier and the mark of a finished change, or none: a failed write rolls back at once.
    if (!plain.isValid() || !exec(QStringLiteral("BEGIN TRANSACTION")))
        return AesUpdateExecError;
    const QString update =
        QStringLiteral("UPDATE `%1` SET Pwd = ?, PwdNote = ?, NotePrivate = ? WHERE ID = ?").arg(UsersUserInfoTable);
    for (int k = 0; k < rows.size(); ++k) {
        const Secrets &row = rows.at(k);
        if (!exec(update, {row.pwd, row.pwdNote, row.notePrivate, row.id})) {
            exec(QStringLiteral("ROLLBACK"));
            return AesUpdateExecError;
        }
        ++progress;
        counter(QT_TR_NOOP("提交: %1 / %2"), k + 1);
    }
    if (!exec(QStringLiteral("UPDATE `%1` SET DecryptText = ?").arg(UsersVerifyTable),
              {interfacePublicData.aesEncryptNew(plain.toString())}) ||
        !DatabaseFile::markBackupUsed(db, backupHash) || !exec(QStringLiteral("COMMIT"))) {
        exec(QStringLiteral("ROLLBACK"));
        return AesUpdateExecError;
    }
    status(tr("完成."));
    return AesUpdateSuccess;
}
