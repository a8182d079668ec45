#include "sync/syncmapping.h"

#include "birthdays/birthdaycalendar.h"
#include "data/icscalendar.h"
#include "data/interfacepublicdata.h"
#include "tasks/taskcalendar.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"
#include "tasks/workdaycalendar.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <libical/ical.h>

#include <memory>

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

IcsCalendar::Event taskEvent(const TaskListData &task, const InterfacePublicData &calendar)
{
    IcsCalendar::Event event = TaskCalendar::events(task, calendar).value(0);
    if (task.NoticeCycle == CycleWorkday)
        event.rrule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
    return event;
}

QDateTime localTime(const icaltimetype &time)
{
    const QDateTime wall(QDate(time.year, time.month, time.day), QTime(time.hour, time.minute, time.second));
    if (icaltime_is_utc(time))
        return QDateTime(wall.date(), wall.time(), Qt::UTC).toLocalTime();
    if (time.zone)
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, time.zone));
    // Floating: the same hour wherever the reader is.
    return wall;
}

bool noneSet(const short *values)
{
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// Qt's day of week (Monday 1 … Sunday 7) of the days a rule names, in the order written; empty when a
// day carries a position (the second Monday).
QList<int> ruleDays(const icalrecurrencetype &rule, bool *positioned)
{
    QList<int> days;
    *positioned = false;
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

bool fits(int cycle, int weekday, const QDate &date, const InterfacePublicData &calendar)
{
    if (cycle == CycleWeekly)
        return date.dayOfWeek() == weekday;
    return cycle != CycleWorkday || calendar.isWorkday(date);
}

// The first occurrence at or after now of a series that started at start.
QDateTime dueOf(int cycle, int weekday, const QDateTime &start, const QDateTime &now,
                const InterfacePublicData &calendar)
{
    if (start > now || cycle == CycleOnce) {
        QDate date = start.date();
        for (int i = 0; i < WorkdayCalendar::MaxSearchDays && !fits(cycle, weekday, date, calendar); ++i)
            date = date.addDays(1);
        return QDateTime(date, start.time());
    }
    // As if it had fired a week ago: what follows is its next occurrence from now on.
    QDate date = now.date().addDays(-7);
    if (cycle == CycleWeekly)
        date = date.addDays(weekday - date.dayOfWeek());
    TaskListData fired;
    fired.NoticeCycle = cycle;
    fired.TaskTimeSee = QDateTime(date, start.time());
    return TaskTiming::nextNoticeTime(fired, now, calendar);
}

// Dates added or left out from today on: a daily or weekly task cannot keep them.
bool changesComing(icalcomponent *event, const QDate &today)
{
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        if (localTime(icalproperty_get_exdate(p)).date() >= today)
            return true;
    }
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
        const icaltimetype time = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        if (localTime(time).date() >= today)
            return true;
    }
    return false;
}

} // namespace

QString SyncMapping::taskKey(const TaskListData &task, const QDateTime &now, const InterfacePublicData &calendar)
{
    Q_UNUSED(now)
    return taskEvent(task, calendar).uid;
}

SyncMapping::Object SyncMapping::taskObject(const TaskListData &task, const QString &uid, const QDateTime &now,
                                            const InterfacePublicData &calendar)
{
    IcsCalendar::Event event = taskEvent(task, calendar);
    event.uid = uid;
    return objectOf(event, now);
}

QList<SyncMapping::Object> SyncMapping::birthdayObjects(const BirthdayInfoData &birthday, const QDate &today,
                                                        const InterfacePublicData &calendar)
{
    QList<Object> objects;
    const QDateTime now(today, QTime(0, 0));
    for (const IcsCalendar::Event &event : BirthdayCalendar::events(birthday, today, calendar))
        objects.append(objectOf(event, now));
    return objects;
}

bool SyncMapping::isBirthdayUid(const QString &uid)
{
    return uid.startsWith(QLatin1String("birthday-")) && uid.endsWith(QLatin1String("@pemmora"));
}

QString SyncMapping::fileName(const QString &uid)
{
    QString name = uid;
    name.remove(QRegularExpression(QStringLiteral("@pemmora$")));
    return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("-")) +
           QStringLiteral(".ics");
}

SyncMapping::Reading SyncMapping::read(const QByteArray &data, const QDateTime &now,
                                       const InterfacePublicData &calendar)
{
    Reading reading;
    const std::unique_ptr<icalcomponent, void (*)(icalcomponent *)> root(icalparser_parse_string(data.constData()),
                                                                         icalcomponent_free);
    QList<icalcomponent *> events;
    if (root && icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT)
        events.append(root.get());
    for (icalcomponent *c = root ? icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT) : nullptr; c;
         c = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT))
        events.append(c);
    if (events.isEmpty()) {
        reading.reason = tr("不是日程事件");
        return reading;
    }
    icalcomponent *event = events.first();
    for (icalcomponent *c : qAsConst(events)) {
        if (!icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
            event = c;
    }
    reading.uid = QString::fromUtf8(icalcomponent_get_uid(event));
    reading.summary = QString::fromUtf8(icalcomponent_get_summary(event));
    if (icalproperty *modified = icalcomponent_get_first_property(event, ICAL_LASTMODIFIED_PROPERTY))
        reading.modified = localTime(icalproperty_get_lastmodified(modified));
    else if (!icaltime_is_null_time(icalcomponent_get_dtstamp(event)))
        reading.modified = localTime(icalcomponent_get_dtstamp(event));

    const icaltimetype start = icalcomponent_get_dtstart(event);
    icalproperty *rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    int cycle = CycleOnce;
    int weekday = 0;
    if (events.size() > 1)
        reading.reason = tr("重复事件中有单独改过的日子");
    else if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        reading.reason = tr("事件已取消");
    else if (icaltime_is_null_time(start) || start.is_date)
        reading.reason = tr("全天事件没有提醒的时刻");
    else if (rule && (icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY) ||
                      (cycle = cycleOf(icalproperty_get_rrule(rule), &weekday)) < 0))
        reading.reason =
            tr("重复规则对应不上任务的周期：%1").arg(QString::fromUtf8(icalproperty_get_value_as_string(rule)));
    else if (cycle != CycleWorkday && changesComing(event, now.date()))
        reading.reason = tr("重复中另加或除去了日子");
    // Over already, or a birthday another copy of this program published: nothing to take, nor to list.
    if (!reading.reason.isEmpty() || (!rule && localTime(start) <= now) || isBirthdayUid(reading.uid))
        return reading;

    const QDateTime begin = localTime(start);
    reading.taken = true;
    reading.task.TaskName = reading.summary;
    reading.task.NoticeCycle = cycle;
    reading.task.TaskTimeSee =
        dueOf(cycle, cycle == CycleWeekly && weekday == 0 ? begin.date().dayOfWeek() : weekday, begin, now, calendar);
    reading.task.IconPath = QString::fromLatin1(TaskWidgetItem::DefaultIconPath);
    reading.task.NormalNoticeKeepDisplay = 1;
    return reading;
}
