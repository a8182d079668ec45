#include "models/tasktiming.h"

#include "data/interfacepublicdata.h"

#include <QVariant>

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
                          const QDateTime &now, const InterfacePublicData &calendar)
{
    if (cycle == CycleWorkday) {
        // Its successors fall on workdays only; so must the first occurrence, at the same time of day.
        const QDateTime due = firstNoticeTime(mode, CycleOnce, timeSet, targetTime, weekdayIndex, now, calendar);
        return calendar.isWorkday(due.date()) ? due : localAt(calendar.nextWorkday(due.date()), due.time());
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

QDateTime nextNoticeTime(const TaskListData &fired, const QDateTime &now, const InterfacePublicData &calendar)
{
    const QDate today = now.date();
    const QTime timeOfDay = fired.TaskTimeSee.time();
    const bool laterToday = timeOfDay > now.time();
    // Only a task more than a day late catches up to today's occurrence; one found due within a day
    // (even across midnight) moves on to the next day.
    const bool overADayLate = fired.TaskTimeSee.addDays(1) < now;
    QDate date;
    switch (fired.NoticeCycle) {
    case CycleDaily:
        date = overADayLate && laterToday ? today : today.addDays(1);
        break;
    case CycleWorkday:
        date = overADayLate && laterToday && calendar.isWorkday(today) ? today : calendar.nextWorkday(today);
        break;
    case CycleWeekly: {
        const int days = fired.TaskTimeSee.date().dayOfWeek() - today.dayOfWeek();
        if (days > 0)
            date = today.addDays(days);
        else if (days < 0)
            date = today.addDays(days + 7);
        else if (fired.TaskTimeSee.date() < today && laterToday)
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

TaskListData successorOf(const TaskListData &fired, const QDateTime &now, const InterfacePublicData &calendar)
{
    TaskListData next = fired;
    next.id = -1;
    next.Noticed = 0;
    next.TaskTimeSee = nextNoticeTime(fired, now, calendar);
    return next;
}

QStringList normalNoticeStrings(const TaskListData &task)
{
    return {task.TaskName, task.TaskTimeSee.toString(StoredFormat::DateTime),
            task.NormalNoticeKeepDisplay != 0 ? QStringLiteral("keepYes") : QStringLiteral("keepNo"), task.IconPath};
}

void fireTask(const TaskListData &task, const QDateTime &now, const NoticeConfigData &config, InterfacePublicData &hub)
{
    // The worker runs requests in order: the insert's answer reloads a list that already shows this
    // row as noticed.
    emit hub.SIGNALSendQuery(TaskListUpdateNoticed, task.id);
    if (isRepeating(task.NoticeCycle))
        emit hub.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(successorOf(task, now, hub)));
    if (config.CN_EnableTask)
        emit hub.SIGNALShowCentralNotice(NoticeWhatTask, {task.TaskName});
    if (config.NN_EnableTask)
        emit hub.SIGNALShowNormalNotice(NoticeWhatTask, normalNoticeStrings(task));
}

int exceptionWorkdayFlag(const QDate &date)
{
    const int day = date.dayOfWeek();
    return day == 6 || day == 7 ? 1 : 0;
}

} // namespace TaskTiming
