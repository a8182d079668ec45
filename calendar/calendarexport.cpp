#include "calendar/calendarexport.h"

#include "birthdays/birthdaycalendar.h"
#include "birthdays/birthdaystore.h"
#include "data/appglobals.h"
#include "data/databasefile.h"
#include "data/interfacepublicdata.h"
#include "data/language.h"
#include "data/sqlstatement.h"
#include "data/sqlthread.h"
#include "platform/programfolders.h"
#include "platform/safefile.h"
#include "tasks/taskcalendar.h"
#include "tasks/taskstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <algorithm>

QList<SqlOperateType> CalendarExport::operations() const
{
    return {CalendarExportWrite};
}

std::optional<QVariant> CalendarExport::run(SqlOperateType, const QVariant &var)
{
    QString error;
    exportTo(sql, var.toString(), QDateTime::currentDateTime(), &error);
    return error;
}

bool CalendarExport::read(SqlStatement &sql, Data *data)
{
    sql.clearReadFailure();
    TaskStore tasks(sql);
    BirthdayStore birthdays(sql);
    data->tasks = tasks.run(TaskListSelectUnnoticed, QVariant())->value<QList<TaskListData>>();
    // Sooner tasks first: of two equal ones the sooner is written.
    std::stable_sort(data->tasks.begin(), data->tasks.end(),
                     [](const TaskListData &a, const TaskListData &b) { return a.TaskTimeSee < b.TaskTimeSee; });
    data->birthdays = birthdays.run(BirthdayInfoSelect, QVariant())->value<QList<BirthdayInfoData>>();
    data->workdayExceptions =
        InterfacePublicData::exceptionsOf(tasks.run(TaskWorkdaySelect, QVariant())->value<QList<TaskWorkdayData>>());
    return !sql.readFailed();
}

QByteArray CalendarExport::calendar(const Data &data, const QDateTime &now)
{
    QList<IcsCalendar::Event> events;
    for (const BirthdayInfoData &birthday : data.birthdays)
        events += BirthdayCalendar::events(birthday, now.date());
    for (const TaskListData &task : data.tasks) {
        const IcsCalendar::Event event = TaskCalendar::event(task, now, data.workdayExceptions);
        if (event.isValid())
            events.append(event);
    }
    // Two equal pending tasks make one event: calendars refuse a UID twice in a file.
    QSet<QString> uids;
    QList<IcsCalendar::Event> unique;
    for (const IcsCalendar::Event &event : qAsConst(events)) {
        if (!uids.contains(event.uid))
            unique.append(event);
        uids.insert(event.uid);
    }
    return IcsCalendar::write(unique, now);
}

bool CalendarExport::exportTo(SqlStatement &sql, const QString &target, const QDateTime &now, QString *error)
{
    Data data;
    if (!read(sql, &data)) {
        *error = tr("无法读取数据库：%1")
                     .arg(QDir::toNativeSeparators(QFileInfo(sql.database().databaseName()).absoluteFilePath()));
        return false;
    }
    const QByteArray text = calendar(data, now);
    if (target == QLatin1String("-")) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(text) == text.size() && out.flush())
            return true;
        *error = tr("无法写入标准输出");
        return false;
    }
    // The previous export stays until the new one is whole; a pipe or a device is never replaced.
    return SafeFile::write(target, text, error);
}

bool CalendarExport::exportFile(const QString &databaseFile, const QString &target, const QDateTime &now,
                                QString *error)
{
    const DatabaseFile::Inspection found = DatabaseFile::inspectFile(databaseFile, false);
    if (found.state != DatabaseFile::Usable || found.version != SqlThread::RequiredDatabaseVersion) {
        *error = tr("无法读取数据库：%1").arg(QDir::toNativeSeparators(databaseFile));
        return false;
    }
    DatabaseFile::Connection connection(
        databaseFile, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(SqlThread::BusyTimeoutMs));
    QSqlDatabase db = connection.database();
    if (!db.open()) {
        *error = tr("无法读取数据库：%1").arg(QDir::toNativeSeparators(databaseFile));
        return false;
    }
    bool written = false;
    {
        SqlStatement sql;
        sql.attach(db);
        written = exportTo(sql, target, now, error);
    }
    db.close();
    return written;
}

int CalendarExport::runCommand(int &argc, char **argv, const QString &file)
{
    QCoreApplication app(argc, argv);
    // The file named is relative to where the command was given; the database to the data folder.
    const QString target = file == QLatin1String("-") ? file : QDir::current().absoluteFilePath(file);
    const QString folderError =
        AppGlobals::enterDataFolder(ProgramFolders::ofThisProgram(), {QString::fromLatin1(SqlThread::DatabasePath)});
    if (!folderError.isEmpty()) {
        QTextStream(stderr) << folderError << '\n';
        return 1;
    }
    Language::load();
    registerRecordMetaTypes();
    QString error;
    if (!exportFile(QDir::current().absoluteFilePath(QString::fromLatin1(SqlThread::DatabasePath)), target,
                    QDateTime::currentDateTime(), &error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    return 0;
}
