#include "models/tasktiming.h"

#include "models/workdaycalendar.h"

namespace {

// A time of day that the spring change skips does not exist on that day: the task falls due as long after
// midnight as it was set for, an hour later on the clock, rather than at an invalid time that never comes.
QDateTime localAt(const QDate &date, const QTime &time)
{
    const QDateTime at(date, time);
    return at.isValid() || !time.isValid() ? at : date.startOfDay().addMSecs(time.msecsSinceStartOfDay());
}

} // namespace

namespace TaskTiming {

bool isRepeating(int cycle)
{
    return cycle == CycleDaily || cycle == CycleWorkday || cycle == CycleWeekly;
}

QDateTime firstNoticeTime(TimeMode mode, int cycle, const QTime &timeSet, const QDateTime &targetTime, int weekdayIndex,
                          const QDateTime &now, const QHash<QDate, bool> &workdayExceptions)
{
    if (cycle == CycleWorkday) {
        // Its successors fall on workdays only; so must the first occurrence, at the same time of day.
        const QDateTime due =
            firstNoticeTime(mode, CycleOnce, timeSet, targetTime, weekdayIndex, now, workdayExceptions);
        return WorkdayCalendar::isWorkday(workdayExceptions, due.date())
                   ? due
                   : localAt(WorkdayCalendar::nextWorkday(workdayExceptions, due.date()), due.time());
    }
    if (mode == TargetTimeMode)
        return targetTime;
    if (cycle == CycleWeekly) {
        // Today counts as this week's day even when its time of day has passed: the task then falls
        // due at once and moves on by a week.
        const int days = (weekdayIndex + 1 - now.date().dayOfWeek() + 7) % 7;
        return localAt(now.date().addDays(days), timeSet);
    }
    const int duration = timeSet.isValid() ? timeSet.msecsSinceStartOfDay() : 0;
    return now.addMSecs(duration);
}

QDateTime nextNoticeTime(const QDateTime &due, int cycle, const QDateTime &now,
                         const QHash<QDate, bool> &workdayExceptions)
{
    const QDate today = now.date();
    const QTime timeOfDay = due.time();
    const bool laterToday = timeOfDay > now.time();
    // Only a task more than a day late catches up to today's occurrence; one found due within a day
    // (even across midnight) moves on to the next day.
    const bool overADayLate = due.addDays(1) < now;
    QDate date;
    switch (cycle) {
    case CycleDaily:
        date = overADayLate && laterToday ? today : today.addDays(1);
        break;
    case CycleWorkday:
        date = overADayLate && laterToday && WorkdayCalendar::isWorkday(workdayExceptions, today)
                   ? today
                   : WorkdayCalendar::nextWorkday(workdayExceptions, today);
        break;
    case CycleWeekly: {
        const int days = due.date().dayOfWeek() - today.dayOfWeek();
        if (days > 0)
            date = today.addDays(days);
        else if (days < 0)
            date = today.addDays(days + 7);
        else if (due.date() < today && laterToday)
            date = today;
        else
            date = today.addDays(7);
        break;
    }
    default:
        return QDateTime();
    }
    return localAt(date, timeOfDay);
}

int exceptionWorkdayFlag(const QDate &date)
{
    const int day = date.dayOfWeek();
    return day == 6 || day == 7 ? 1 : 0;
}

} // namespace TaskTiming
