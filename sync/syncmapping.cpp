#include "sync/syncmapping.h"

#include "birthdays/birthdaycalendar.h"
#include "data/icscalendar.h"
#include "models/tasktiming.h"
#include "models/workdaycalendar.h"
#include "tasks/taskcalendar.h"
#include "tasks/taskwidgetitem.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <libical/ical.h>

namespace {

// The digest leaves out when the object was made.
const QDateTime DigestStamp(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);

SyncMapping::Object objectOf(const IcsCalendar::Event &event, const QDateTime &now)
{
    SyncMapping::Object object;
    object.uid = event.uid;
    object.data = IcsCalendar::write({event}, now);
    object.digest =
        QCryptographicHash::hash(IcsCalendar::write({event}, DigestStamp), QCryptographicHash::Sha1).toHex();
    return object;
}

bool noneSet(const short *values)
{
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// Qt's day of week (Monday 1 … Sunday 7) of the days a rule names, in the order written; *positioned is
// set when a day carries a position (the second Monday).
QList<int> ruleDays(const icalrecurrencetype &rule, bool *positioned)
{
    QList<int> days;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        *positioned = *positioned || icalrecurrencetype_day_position(rule.by_day[i]) != 0;
        const int day = icalrecurrencetype_day_day_of_week(rule.by_day[i]);
        days.append(day == ICAL_SUNDAY_WEEKDAY ? 7 : day - 1);
    }
    return days;
}

// The cycle a rule stands for, -1 when none; *weekday the day of a weekly rule (0: that of the start).
int cycleOf(const icalrecurrencetype &rule, int *weekday)
{
    bool positioned = false;
    QList<int> days = ruleDays(rule, &positioned);
    std::sort(days.begin(), days.end());
    const bool plain = rule.count == 0 && icaltime_is_null_time(rule.until) && rule.interval <= 1 && !positioned &&
                       noneSet(rule.by_second) && noneSet(rule.by_minute) && noneSet(rule.by_hour) &&
                       noneSet(rule.by_month_day) && noneSet(rule.by_year_day) && noneSet(rule.by_week_no) &&
                       noneSet(rule.by_month) && noneSet(rule.by_set_pos);
    if (!plain)
        return -1;
    const bool mondayToFriday = days == QList<int>{1, 2, 3, 4, 5};
    *weekday = 0;
    if (rule.freq == ICAL_DAILY_RECURRENCE)
        return days.isEmpty() ? CycleDaily : mondayToFriday ? CycleWorkday : -1;
    if (rule.freq != ICAL_WEEKLY_RECURRENCE)
        return -1;
    if (mondayToFriday)
        return CycleWorkday;
    if (days.size() > 1)
        return -1;
    *weekday = days.value(0);
    return CycleWeekly;
}

bool fits(int cycle, int weekday, const QDate &date, const QHash<QDate, bool> &workdayExceptions)
{
    if (cycle == CycleWeekly)
        return date.dayOfWeek() == weekday;
    return cycle != CycleWorkday || WorkdayCalendar::isWorkday(workdayExceptions, date);
}

// The first occurrence at or after now of a series that started at start.
QDateTime dueOf(int cycle, int weekday, const QDateTime &start, const QDateTime &now,
                const QHash<QDate, bool> &workdayExceptions)
{
    if (start > now || cycle == CycleOnce) {
        QDate date = start.date();
        for (int i = 0; i < WorkdayCalendar::MaxSearchDays && !fits(cycle, weekday, date, workdayExceptions); ++i)
            date = date.addDays(1);
        return QDateTime(date, start.time());
    }
    // As if it had fired a week ago: what follows is its next occurrence from now on.
    QDate date = now.date().addDays(-7);
    if (cycle == CycleWeekly)
        date = date.addDays(weekday - date.dayOfWeek());
    return TaskTiming::nextNoticeTime(QDateTime(date, start.time()), cycle, now, workdayExceptions);
}

// Dates added or left out from today on: a daily or weekly task cannot keep them.
bool changesComing(const IcsCalendar::Event &event, const QDate &today)
{
    const auto ahead = [&today](const IcsCalendar::Span &at) {
        return (at.isAllDay() ? at.date : at.start.toLocalTime().date()) >= today;
    };
    return std::any_of(event.exdates.cbegin(), event.exdates.cend(), ahead) ||
           std::any_of(event.rdates.cbegin(), event.rdates.cend(), ahead);
}

} // namespace

QString SyncMapping::taskKey(const TaskListData &task, const QDateTime &now,
                             const QHash<QDate, bool> &workdayExceptions)
{
    return TaskCalendar::event(task, now, workdayExceptions).uid;
}

SyncMapping::Object SyncMapping::taskObject(const TaskListData &task, const QString &uid, const QDateTime &now,
                                            const QHash<QDate, bool> &workdayExceptions)
{
    IcsCalendar::Event event = TaskCalendar::event(task, now, workdayExceptions);
    event.uid = uid;
    return objectOf(event, now);
}

QList<SyncMapping::Object> SyncMapping::birthdayObjects(const BirthdayInfoData &birthday, const QDate &today)
{
    QList<Object> objects;
    for (const IcsCalendar::Event &event : BirthdayCalendar::events(birthday, today))
        objects.append(objectOf(event, QDateTime(today, QTime(0, 0))));
    return objects;
}

bool SyncMapping::isBirthdayUid(const QString &uid)
{
    return uid.startsWith(QLatin1String("birthday-")) && uid.endsWith(QLatin1String("@pemmora"));
}

QString SyncMapping::reasonText(const QString &reason, const QString &detail)
{
    const QString text = QCoreApplication::translate("SyncMapping", reason.toUtf8().constData());
    return detail.isEmpty() ? text : text.arg(detail);
}

QString SyncMapping::fileName(const QString &uid)
{
    QString name = uid;
    name.remove(QRegularExpression(QStringLiteral("@pemmora$")));
    return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("-")) +
           QStringLiteral(".ics");
}

SyncMapping::Reading SyncMapping::read(const QByteArray &data, const QDateTime &now,
                                       const QHash<QDate, bool> &workdayExceptions)
{
    Reading reading;
    QList<IcsCalendar::Event> events;
    if (!IcsCalendar::read(data, &events) || events.isEmpty()) {
        reading.reason = QString::fromUtf8(QT_TR_NOOP("不是日程事件"));
        return reading;
    }
    // The series itself, beside the occurrences edited on their own.
    const auto master = std::find_if(events.cbegin(), events.cend(),
                                     [](const IcsCalendar::Event &event) { return !event.rrule.isEmpty(); });
    const IcsCalendar::Event event = master == events.cend() ? events.first() : *master;
    reading.uid = event.uid;
    reading.summary = event.summary;
    reading.modified = event.modified.toLocalTime();
    // A birthday this program published, here or in another copy: nothing to take, nor to list.
    if (isBirthdayUid(reading.uid))
        return reading;

    const icalrecurrencetype rule = icalrecurrencetype_from_string(event.rrule.toUtf8().constData());
    int cycle = CycleOnce;
    int weekday = 0;
    const char *reason = nullptr;
    if (events.size() > 1)
        reason = QT_TR_NOOP("重复事件中有单独改过的日子");
    else if (event.cancelled)
        reason = QT_TR_NOOP("事件已取消");
    else if (!event.start.isValid())
        reason = QT_TR_NOOP("全天事件没有提醒的时刻");
    else if (!event.rrule.isEmpty() && (cycle = cycleOf(rule, &weekday)) < 0)
        reason = QT_TR_NOOP("重复规则对应不上任务的周期：%1");
    else if (cycle != CycleWorkday && changesComing(event, now.date()))
        reason = QT_TR_NOOP("重复中另加或除去了日子");
    reading.reason = QString::fromUtf8(reason);
    // The only reason that names something: the rule.
    if (reading.reason.contains(QLatin1String("%1")))
        reading.reasonDetail = event.rrule;
    const QDateTime begin = event.start.toLocalTime();
    // Not taken: for that reason, or over already (nothing to list then).
    if (!reading.reason.isEmpty() || (event.rrule.isEmpty() && begin <= now))
        return reading;

    reading.taken = true;
    reading.task.TaskName = reading.summary;
    reading.task.NoticeCycle = cycle;
    reading.task.TaskTimeSee = dueOf(cycle, cycle == CycleWeekly && weekday == 0 ? begin.date().dayOfWeek() : weekday,
                                     begin, now, workdayExceptions);
    reading.task.IconPath = QString::fromLatin1(TaskWidgetItem::DefaultIconPath);
    reading.task.NormalNoticeKeepDisplay = 1;
    return reading;
}
