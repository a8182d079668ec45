#include "tasks/holidayimport.h"

#include "tasks/tasktiming.h"

#include <QFile>
#include <QMap>
#include <QSet>

bool HolidayImport::isWorkingDay(const QString &summary)
{
    return summary.contains(QChar(0x73ed)); // 班
}

QList<HolidayImport::Day> HolidayImport::daysOf(const QList<IcsCalendar::Event> &events)
{
    QMap<QDate, Day> days;
    for (const IcsCalendar::Event &event : events) {
        if (!event.isAllDay())
            continue;
        const bool workday = isWorkingDay(event.summary);
        const QDate end = event.endDate > event.date ? event.endDate : event.date.addDays(1);
        if (event.date.daysTo(end) > MaxEventDays)
            continue;
        for (QDate date = event.date; date < end; date = date.addDays(1)) {
            const auto known = days.constFind(date);
            if (known == days.constEnd() || (workday && !known->workday))
                days.insert(date, Day{date, workday, event.summary.simplified()});
        }
    }
    return days.values();
}

HolidayImport::Plan HolidayImport::plan(const QList<Day> &days, const QList<TaskWorkdayData> &listed)
{
    QSet<QDate> listedDates;
    for (const TaskWorkdayData &day : listed)
        listedDates.insert(day.TaskDate);
    Plan plan;
    for (const Day &day : days) {
        ++(day.workday ? plan.workdays : plan.daysOff);
        if (listedDates.contains(day.date))
            plan.listed.append(day);
        // An exception always reverses the normal week; a day that keeps it needs none.
        else if (TaskTiming::exceptionWorkdayFlag(day.date) != int(day.workday))
            plan.unchanged.append(day);
        else
            plan.added.append(day);
    }
    return plan;
}

bool HolidayImport::readFile(const QString &path, const QList<TaskWorkdayData> &listed, Plan *result, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("无法读取文件：%1").arg(file.errorString());
        return false;
    }
    if (file.size() > MaxFileBytes) {
        *error = tr("文件太大，不是节假日日历。");
        return false;
    }
    const QByteArray data = file.readAll();
    // Text read up to a NUL would lose the rest of a summary: "补\0班" would turn a working day into a day off.
    if (data.contains('\0')) {
        *error = tr("文件中有空字符（NUL），事件的标题无法完整读出，没有导入。");
        return false;
    }
    QList<IcsCalendar::Event> events;
    if (!IcsCalendar::read(data, &events)) {
        *error = tr("这不是一个完整的 iCalendar（.ics）日历文件。");
        return false;
    }
    const QList<Day> days = daysOf(events);
    if (days.isEmpty()) {
        *error = tr("日历中没有全天事件，找不到节假日或调休上班日。");
        return false;
    }
    if (days.size() > MaxFileDays) {
        *error = tr("日历中有 %1 天，超过了十年的 %2 天，不是节假日日历，没有导入。").arg(days.size()).arg(MaxFileDays);
        return false;
    }
    *result = plan(days, listed);
    return true;
}

QList<TaskWorkdayData> HolidayImport::records(const Plan &plan)
{
    QList<TaskWorkdayData> records;
    for (const Day &day : plan.added) {
        TaskWorkdayData record;
        record.TaskDate = day.date;
        record.Workday = day.workday ? 1 : 0;
        record.Notice = day.note;
        records.append(record);
    }
    return records;
}
