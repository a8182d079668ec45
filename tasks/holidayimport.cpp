#include "tasks/holidayimport.h"

#include "models/tasktiming.h"

#include <QFile>
#include <QHash>
#include <QMap>

namespace {

QDate firstDay(const IcsCalendar::Span &span)
{
    return span.isAllDay() ? span.date : span.start.date();
}

int lengthInDays(const IcsCalendar::Event &event)
{
    return event.isAllDay() ? event.date.daysTo(event.endDate) : int(event.start.daysTo(event.end));
}

// An event whose dates the import takes: not cancelled, dated, no longer than a holiday.
bool counts(const IcsCalendar::Event &event)
{
    return !event.cancelled && event.isValid() && lengthInDays(event) <= HolidayImport::MaxEventDays;
}

// From the first year the file names to the last, and to next year when a rule runs on; the latest ten
// years of a longer stretch. Left alone when no event counts.
void yearsOf(const QList<IcsCalendar::Event> &events, const QDate &today, QDate *first, QDate *last)
{
    int firstYear = 0;
    int lastYear = 0;
    const auto span = [&firstYear, &lastYear](const QDate &from, const QDate &to) {
        firstYear = firstYear == 0 ? from.year() : qMin(firstYear, from.year());
        lastYear = qMax(lastYear, to.year());
    };
    for (const IcsCalendar::Event &event : events) {
        if (!counts(event))
            continue;
        span(firstDay(event), event.isAllDay() ? event.endDate.addDays(-1) : event.end.date());
        for (const IcsCalendar::Span &rdate : event.rdates) {
            if (rdate.isValid())
                span(firstDay(rdate), firstDay(rdate));
        }
        if (!event.rrule.isEmpty())
            lastYear = qMax(lastYear, today.year() + 1);
    }
    if (firstYear == 0)
        return;
    *first = QDate(qMax(firstYear, lastYear - HolidayImport::MaxYears + 1), 1, 1);
    *last = QDate(lastYear, 12, 31);
}

// The days the file's events name themselves, repeats aside: what a holiday calendar of ten years stays under.
int daysNamed(const QList<IcsCalendar::Event> &events)
{
    int days = 0;
    for (const IcsCalendar::Event &event : events) {
        if (counts(event))
            days += qMax(1, lengthInDays(event)) + event.rdates.size();
    }
    return days;
}

} // namespace

HolidayImport::Kind HolidayImport::kindOf(const QString &summary)
{
    // 班 covers 上班, 补班 and 调休上班, which also holds 休.
    if (summary.contains(QChar(0x73ed)))
        return WorkingDay;
    if (summary.contains(QChar(0x4f11)) || summary.contains(QChar(0x5047))) // 休, 假 (放假, 假期)
        return DayOff;
    return OtherEvent;
}

HolidayImport::Plan HolidayImport::plan(const QList<IcsCalendar::Event> &events, const QList<TaskWorkdayData> &listed,
                                        const QDate &today)
{
    Plan plan;
    QDate first;
    QDate last;
    yearsOf(events, today, &first, &last);
    QMap<QDate, Change> days;
    for (const IcsCalendar::Event &event : events) {
        if (event.cancelled) {
            ++plan.skipped.cancelled;
            continue;
        }
        if (!event.isValid()) {
            ++plan.skipped.undated;
            continue;
        }
        if (lengthInDays(event) > MaxEventDays) {
            ++plan.skipped.tooLong;
            continue;
        }
        const Kind kind = kindOf(event.summary);
        bool named = false;
        for (const IcsCalendar::Span &occurrence : IcsCalendar::occurrences(event, first, last)) {
            for (const QDate &date : occurrence.days()) {
                if (date > last)
                    break;
                named = true;
                const auto known = days.constFind(date);
                if (known == days.constEnd() || known->kind < kind)
                    days.insert(date, Change{date, event.summary.simplified(), kind});
            }
        }
        plan.skipped.outsideYears += named ? 0 : 1;
    }

    QHash<QDate, TaskWorkdayData> listedDays;
    for (const TaskWorkdayData &day : listed)
        listedDays.insert(day.TaskDate, day);
    plan.dates = days.size();
    for (Change change : qAsConst(days)) {
        change.workday = change.kind == WorkingDay;
        const auto exception = listedDays.constFind(change.date);
        const bool now = exception != listedDays.constEnd() ? exception->Workday != 0
                                                            : TaskTiming::exceptionWorkdayFlag(change.date) == 0;
        if (change.workday == now)
            continue;
        change.listedId = exception != listedDays.constEnd() ? exception->id : -1;
        change.ticked = change.listedId < 0 && change.date >= today && change.kind != OtherEvent;
        plan.changes.append(change);
    }
    return plan;
}

bool HolidayImport::readData(const QByteArray &data, const QList<TaskWorkdayData> &listed, const QDate &today,
                             Plan *result, QString *error)
{
    if (data.size() > MaxFileBytes) {
        *error = tr("文件太大，不是节假日日历。");
        return false;
    }
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
    const int days = daysNamed(events);
    if (days > MaxFileDays) {
        *error = tr("日历中有 %1 天，超过了十年的 %2 天，不是节假日日历，没有导入。").arg(days).arg(MaxFileDays);
        return false;
    }
    *result = plan(events, listed, today);
    if (result->dates == 0) {
        *error =
            (tr("日历中没有可用的日期，找不到节假日或调休上班日。") + QLatin1Char('\n') + skippedText(result->skipped))
                .trimmed();
        return false;
    }
    return true;
}

bool HolidayImport::readFile(const QString &path, const QList<TaskWorkdayData> &listed, const QDate &today,
                             Plan *result, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("无法读取文件：%1").arg(file.errorString());
        return false;
    }
    // One byte more than allowed is enough to tell a file too large.
    return readData(file.read(MaxFileBytes + 1), listed, today, result, error);
}

HolidayImport::Records HolidayImport::records(const QList<Change> &taken)
{
    Records records;
    for (const Change &change : taken) {
        TaskWorkdayData day;
        day.id = change.listedId;
        day.TaskDate = change.date;
        day.Workday = change.workday ? 1 : 0;
        day.Notice = change.summary;
        // An exception always reverses the normal week; a date put back to it needs none.
        if (change.listedId < 0)
            records.inserted.append(day);
        else if (TaskTiming::exceptionWorkdayFlag(change.date) == day.Workday)
            records.updated.append(day);
        else
            records.deleted.append(change.listedId);
    }
    return records;
}

QString HolidayImport::skippedText(const Skipped &skipped)
{
    QStringList reasons;
    if (skipped.cancelled > 0)
        reasons << tr("%n 个已取消", nullptr, skipped.cancelled);
    if (skipped.undated > 0)
        reasons << tr("%n 个没有日期", nullptr, skipped.undated);
    if (skipped.tooLong > 0)
        reasons << tr("%n 个超过 %1 天", nullptr, skipped.tooLong).arg(MaxEventDays);
    if (skipped.outsideYears > 0)
        reasons << tr("%n 个不在所读的年份内", nullptr, skipped.outsideYears);
    const int count = skipped.cancelled + skipped.undated + skipped.tooLong + skipped.outsideYears;
    return count == 0 ? QString() : tr("跳过 %n 个事件：%1。", nullptr, count).arg(reasons.join(tr("，")));
}
