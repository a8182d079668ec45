#include "app/calendarexport.h"

#include "app/startup.h"
#include "birthdays/birthdaycalendar.h"
#include "data/databasefile.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "tasks/taskcalendar.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QSqlQuery>
#include <QTextStream>

bool CalendarExport::read(const QSqlDatabase &db, Data *data)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT id, TaskName, TaskTimeSee, NoticeCycle FROM TASK_LIST "
                                   "WHERE Noticed = 0 AND Deleted = 0 ORDER BY TaskTimeSee")))
        return false;
    while (query.next()) {
        TaskListData task;
        task.id = query.value(0).toInt();
        task.TaskName = query.value(1).toString();
        task.TaskTimeSee = QDateTime::fromString(query.value(2).toString(), StoredFormat::DateTime);
        task.NoticeCycle = query.value(3).toInt();
        data->tasks.append(task);
    }
    if (!query.exec(QStringLiteral("SELECT id, Name, CallName, SolarDate, IsLunar, IgnoreSolarYear, IgnoreLunarYear, "
                                   "LunarYear, LunarMonth, LunarDay FROM BIRTHDAY_INFO ORDER BY RecentDate")))
        return false;
    while (query.next()) {
        BirthdayInfoData b;
        b.id = query.value(0).toInt();
        b.Name = query.value(1).toString();
        b.CallName = query.value(2).toString();
        b.SolarDate = QDate::fromString(query.value(3).toString(), StoredFormat::Date);
        b.IsLunar = query.value(4).toInt() == 1;
        b.IgnoreSolarYear = query.value(5).toInt() == 1;
        b.IgnoreLunarYear = query.value(6).toInt() == 1;
        b.LunarYear = query.value(7).toInt();
        b.LunarMonth = query.value(8).toInt();
        b.LunarDay = query.value(9).toInt();
        data->birthdays.append(b);
    }
    if (!query.exec(QStringLiteral("SELECT TaskDate, Workday FROM TASK_WORKDAY ORDER BY id")))
        return false;
    while (query.next())
        data->workdayExceptions.insert(QDate::fromJulianDay(query.value(0).toLongLong()), query.value(1).toInt() != 0);
    return true;
}

QByteArray CalendarExport::calendar(const Data &data, const QDateTime &now)
{
    InterfacePublicData calendar;
    calendar.workdayExceptions = data.workdayExceptions;
    QList<IcsCalendar::Event> events;
    for (const BirthdayInfoData &birthday : data.birthdays)
        events += BirthdayCalendar::events(birthday, now.date(), calendar);
    for (const TaskListData &task : data.tasks)
        events += TaskCalendar::events(task, calendar);
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

bool CalendarExport::exportFile(const QString &databaseFile, const QString &target, const QDateTime &now,
                                QString *error)
{
    const QString shownDatabase = QDir::toNativeSeparators(databaseFile);
    const DatabaseFile::Inspection found = DatabaseFile::inspectFile(databaseFile, false);
    if (found.state != DatabaseFile::Usable || found.version != SqlThread::RequiredDatabaseVersion) {
        *error = tr("无法读取数据库：%1").arg(shownDatabase);
        return false;
    }
    Data data;
    {
        DatabaseFile::Connection connection(
            databaseFile,
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(SqlThread::BusyTimeoutMs));
        QSqlDatabase db = connection.database();
        const bool read = db.open() && CalendarExport::read(db, &data);
        db.close();
        if (!read) {
            *error = tr("无法读取数据库：%1").arg(shownDatabase);
            return false;
        }
    }
    const QByteArray text = calendar(data, now);
    if (target == QLatin1String("-")) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(text) == text.size() && out.flush())
            return true;
        *error = tr("无法写入标准输出");
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        *error = tr("无法写入文件：%1\n%2").arg(QDir::toNativeSeparators(target), out.errorString());
        return false;
    }
    return true;
}

int CalendarExport::run(int &argc, char **argv, const QString &file)
{
    QCoreApplication app(argc, argv);
    // The file named is relative to where the command was given; the database to the program's folder.
    const QString target = file == QLatin1String("-") ? file : QDir::current().absoluteFilePath(file);
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    Startup::loadLanguage();
    registerRecordMetaTypes();
    QString error;
    if (!exportFile(QDir::current().absoluteFilePath(QString::fromLatin1(SqlThread::DatabasePath)), target,
                    QDateTime::currentDateTime(), &error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    return 0;
}
