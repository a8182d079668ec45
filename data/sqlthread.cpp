#include "data/sqlthread.h"

#include "data/databasefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

SqlThread::SqlThread(SchemaCheck missingParts, QObject *parent) : QObject(parent), missingParts(missingParts) {}

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

void SqlThread::open()
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
            return;
    }

    if (!QFile::exists(databaseFile)) {
        postNotice(DatabaseFatalError, tr("数据库丢失，程序将退出"), 0);
        return;
    }
    if (!db.open()) {
        postNotice(DatabaseFatalError, tr("数据库连接出错，程序将退出"), 0);
        return;
    }
    sql.attach(db);
    // Deleted accounts and replaced cipher texts must not stay readable in the file's free pages.
    sql.exec(QStringLiteral("PRAGMA secure_delete = ON"));

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
        close();
        return;
    }
    if (found.version != RequiredDatabaseVersion) {
        const QString message = tr("数据库版本太低，程序将在数据库升级成功后自动重启") + QStringLiteral("\n\n") +
                                tr("所需版本：") + QString::number(RequiredDatabaseVersion) + QStringLiteral(" (") +
                                QString::fromLatin1(RequiredDatabaseDate) + QStringLiteral(")\n") + tr("实际版本：") +
                                QString::number(found.version) + QStringLiteral(" (") + found.date +
                                QStringLiteral(")");
        postNotice(DatabaseVersionLow, message, 0);
        close();
        return;
    }
    // Writes to a missing table or settings row would vanish without a word: the upgrader puts them back.
    const QStringList missing = missingParts(db);
    if (!missing.isEmpty()) {
        postNotice(DatabaseVersionLow,
                   tr("数据库不完整，程序将在数据库修复后自动重启") + QStringLiteral("\n\n") + tr("缺少：") +
                       missing.join(QStringLiteral(", ")),
                   0);
        close();
        return;
    }
    if (DatabaseFile::writeProbe(db, BusyTimeoutMs).isValid()) {
        postNotice(DatabaseFatalError,
                   tr("数据库文件无法写入：\n%1\n\n在这里输入的任务、生日、账号和设置都无法保存。"
                      "请确认该文件及其所在的文件夹可以写入，然后再启动。程序将退出。")
                       .arg(shownPath),
                   0);
        close();
    }
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
                   tr("无法用备份还原数据库：\n%1\n\n%2\n"
                      "请确认数据库所在的文件夹可以写入、磁盘没有写满，然后再启动。程序将退出。备份保持原样。")
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

void SqlThread::close()
{
    sql.detach();
    if (db.isOpen())
        db.close();
}

void SqlThread::addStore(std::unique_ptr<SqlStore> store)
{
    for (const SqlOperateType operate : store->operations())
        routes.insert(operate, store.get());
    stores.push_back(std::move(store));
}

void SqlThread::SLOTReceiveQuery(SqlOperateType operate, QVariant var)
{
    SLOTReceiveRequest(0, operate, var);
}

void SqlThread::SLOTReceiveRequest(quint64 requestId, SqlOperateType operate, QVariant var)
{
    SqlStore *store = routes.value(operate);
    if (!store)
        return;
    sql.clearWriteFailure();
    const bool wasOpen = db.isOpen();
    const std::optional<QVariant> answer = store->run(operate, var);
    // A failed restore whose database did not open again: nothing could be stored from now on.
    if (wasOpen && !db.isOpen() && answer && !answer->toString().isEmpty()) {
        emit SIGNALSendQueryData(DatabaseFatalError, *answer);
        return;
    }
    // The window that asked acts on its answer before the others hear of the change.
    if (answer && requestId != 0)
        emit SIGNALSendAnswer(requestId, operate, *answer);
    if (answer)
        emit SIGNALSendQueryData(operate, *answer);
    // The master account change answers for itself; a closed database was reported at start-up.
    if (!sql.writeFailure().isEmpty() && operate != AesAccountUpdate && db.isOpen())
        emit SIGNALSendQueryData(
            DatabaseWriteFailed,
            tr("刚才的更改没有保存到数据库。\n\n数据库：%1\n原因：%2\n\n请确认数据库文件和所在的文件夹可以写入、"
               "磁盘没有写满，然后再试一次。")
                .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(QString::fromLatin1(DatabasePath))),
                     sql.writeFailure()));
}
