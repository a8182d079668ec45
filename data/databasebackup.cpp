#include "data/databasebackup.h"

#include "data/databasefile.h"
#include "data/sqlthread.h"
#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

const QRegularExpression BackupName(QStringLiteral("^main-(\\d{4}-\\d{2}-\\d{2})(-\\d{6})?\\.db$"));

} // namespace

QString DatabaseBackup::folderOf(const QString &databaseFile)
{
    return QFileInfo(databaseFile).absoluteDir().filePath(QString::fromLatin1(FolderName));
}

QString DatabaseBackup::fileName(const QDate &date, const QTime &time)
{
    const QString suffix = time.isValid() ? time.toString(QStringLiteral("-hhmmss")) : QString();
    return QStringLiteral("main-%1%2.db").arg(date.toString(Qt::ISODate), suffix);
}

QDate DatabaseBackup::dateOf(const QString &fileName)
{
    const QRegularExpressionMatch match = BackupName.match(fileName);
    return match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
}

bool DatabaseBackup::writeCopy(const QSqlDatabase &db, const QString &target, QString *error)
{
    // VACUUM INTO neither syncs its file nor checks it: SafeFile does both before the copy takes its name.
    const QString partial = SafeFile::temporaryPath(target);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(partial);
    if (!query.exec()) {
        *error = SafeFile::tr("无法写入 %1：%2").arg(QDir::toNativeSeparators(target), query.lastError().text());
        QFile::remove(partial);
        return false;
    }
    return SafeFile::commit(partial, target, &DatabaseFile::checkCopy, error);
}

void DatabaseBackup::writeDaily(const QSqlDatabase &db, const QDate &today, int keep, QString *error)
{
    if (keep <= 0)
        return;
    const QString folder = folderOf(db.databaseName());
    const QString target = QDir(folder).filePath(fileName(today));
    if (!QFileInfo::exists(target)) {
        if (!QDir().mkpath(folder)) {
            *error = tr("无法创建文件夹：%1").arg(QDir::toNativeSeparators(folder));
            return;
        }
        if (!writeCopy(db, target, error))
            return;
    }
    rotate(folder, keep, today);
}

void DatabaseBackup::rotate(const QString &folder, int keep, const QDate &today)
{
    if (keep <= 0)
        return;
    const QStringList names = QDir(folder).entryList({QStringLiteral("main-*.db")}, QDir::Files);
    // Backups dated after today (a clock once set ahead) are not counted: they would push out today's.
    QList<QDate> days;
    for (const QString &name : names) {
        const QDate date = dateOf(name);
        if (date.isValid() && date <= today && !days.contains(date))
            days.append(date);
    }
    if (days.size() <= keep)
        return;
    std::sort(days.begin(), days.end(), std::greater<QDate>());
    const QDate oldestKept = days.at(keep - 1);
    for (const QString &name : names) {
        const QDate date = dateOf(name);
        if (date.isValid() && date < oldestKept)
            QFile::remove(QDir(folder).filePath(name));
    }
}

QList<DatabaseBackup::Entry> DatabaseBackup::list(const QString &folder, const QDate &today)
{
    const QDir dir(folder);
    // Newest first: by day, and within a day a restore's copy (it has a time) before the daily one.
    QStringList names;
    for (const QString &name : dir.entryList({QStringLiteral("main-*.db")}, QDir::Files)) {
        if (dateOf(name).isValid())
            names.append(name);
    }
    const auto sortKey = [](const QString &name) {
        const QRegularExpressionMatch match = BackupName.match(name);
        return match.captured(1) + (match.captured(2).isEmpty() ? QStringLiteral("-000000") : match.captured(2));
    };
    std::sort(names.begin(), names.end(),
              [&sortKey](const QString &a, const QString &b) { return sortKey(a) > sortKey(b); });

    QList<Entry> entries;
    for (const QString &name : qAsConst(names)) {
        Entry entry;
        entry.date = dateOf(name);
        entry.keptAtRestore = !BackupName.match(name).captured(2).isEmpty();
        entry.future = entry.date > today;
        entry.path = dir.filePath(name);
        entry.written = QFileInfo(entry.path).lastModified().time();
        const DatabaseFile::Inspection found = DatabaseFile::inspectFile(entry.path, false);
        if (found.state == DatabaseFile::Usable)
            entry.version = found.version;
        if (entry.version == SqlThread::RequiredDatabaseVersion) {
            DatabaseFile::Connection connection(entry.path, QStringLiteral("QSQLITE_OPEN_READONLY"));
            QSqlDatabase db = connection.database();
            QSqlQuery query(db);
            if (db.open() &&
                query.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM TASK_LIST WHERE Deleted = 0), "
                                          "(SELECT COUNT(*) FROM BIRTHDAY_INFO), "
                                          "(SELECT COUNT(*) FROM USERS_USER_INFO)")) &&
                query.next()) {
                entry.usable = true;
                entry.tasks = query.value(0).toInt();
                entry.birthdays = query.value(1).toInt();
                entry.accounts = query.value(2).toInt();
            }
            query.finish();
            db.close();
        }
        entries.append(entry);
    }
    return entries;
}

bool DatabaseBackup::restore(QSqlDatabase &db, const QString &backup, const QDateTime &now, QString *error)
{
    const DatabaseFile::Inspection found = DatabaseFile::inspectFile(backup, true);
    if (found.state != DatabaseFile::Usable) {
        *error = tr("备份已损坏，或不是本程序的数据库：\n%1").arg(QDir::toNativeSeparators(backup));
        return false;
    }
    if (found.version != SqlThread::RequiredDatabaseVersion) {
        *error = otherVersionText(found.version) + QStringLiteral("\n") + QDir::toNativeSeparators(backup);
        return false;
    }
    const QString databaseFile = QFileInfo(db.databaseName()).absoluteFilePath();
    const QString folder = folderOf(databaseFile);
    const QString kept = QDir(folder).filePath(fileName(now.date(), now.time()));
    QString reason;
    if (!QDir().mkpath(folder) || !writeCopy(db, kept, &reason)) {
        *error = tr("无法保留当前的数据库，未做还原：\n%1").arg(reason);
        return false;
    }
    db.close();
    if (!DatabaseFile::copy(backup, databaseFile, nullptr, &reason)) {
        *error = tr("无法用备份替换数据库，数据库和备份都保持原样：\n%1").arg(reason);
        if (!db.open())
            *error += QStringLiteral("\n\n") + reopenFailedText(databaseFile, db.lastError().text());
        return false;
    }
    return true;
}

QString DatabaseBackup::otherVersionText(int version)
{
    return tr("这是数据库版本 %1 的备份，本程序使用版本 %2，无法还原。")
        .arg(version)
        .arg(SqlThread::RequiredDatabaseVersion);
}

QString DatabaseBackup::reopenFailedText(const QString &databaseFile, const QString &reason)
{
    return tr("数据库无法重新打开：\n%1\n%2\n\n程序将退出，请重新启动它。")
        .arg(QDir::toNativeSeparators(databaseFile), reason);
}
