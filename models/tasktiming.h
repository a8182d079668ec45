#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>

// Task cycles; the value is the item index of the cycle combo and the stored NoticeCycle.
enum NoticeCycleType : int
{
    CycleOnce = 0,
    CycleDaily = 1,
    CycleWorkday = 2,
    CycleWeekly = 3,
};

// Time arithmetic of tasks, free of widgets: every function takes "now" from its caller.
namespace TaskTiming {

// How the Task tab gives the due time of a new task.
enum TimeMode : int
{
    RemainTimeMode = 0,
    TargetTimeMode = 1,
};

// True for the cycles that insert a successor when they fire.
bool isRepeating(int cycle);

// Due time of a task added from the Task tab. timeSet is a duration, or the time of day of a weekly
// task; weekdayIndex 0..6 is Monday..Sunday. A workday task starts on a workday of the calendar, whose
// exceptions are given as WorkdayCalendar takes them.
QDateTime firstNoticeTime(TimeMode mode, int cycle, const QTime &timeSet, const QDateTime &targetTime, int weekdayIndex,
                          const QDateTime &now, const QHash<QDate, bool> &workdayExceptions);

// Due time of the occurrence that follows a repeating task of this cycle, due at due, that fired: the same
// time of day on the next suitable date. Invalid for a task that does not repeat.
QDateTime nextNoticeTime(const QDateTime &due, int cycle, const QDateTime &now,
                         const QHash<QDate, bool> &workdayExceptions);

// A pending task falls due once its time lies strictly behind now.
inline bool isDue(qint64 dueMs, bool completed, qint64 nowMs)
{
    return !completed && dueMs < nowMs;
}

// Workday flag stored for an exception on this date: the reverse of the Monday-to-Friday rule.
int exceptionWorkdayFlag(const QDate &date);

} // namespace TaskTiming
