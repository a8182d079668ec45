#pragma once

#include "data/records.h"

#include <QDateTime>

class InterfacePublicData;

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
// task; weekdayIndex 0..6 is Monday..Sunday. A workday task starts on a workday of the calendar.
QDateTime firstNoticeTime(TimeMode mode, int cycle, const QTime &timeSet, const QDateTime &targetTime, int weekdayIndex,
                          const QDateTime &now, const InterfacePublicData &calendar);

// Due time of the occurrence that follows a fired repeating task: the same time of day on the next
// suitable date.
QDateTime nextNoticeTime(const TaskListData &fired, const QDateTime &now, const InterfacePublicData &calendar);

// The record inserted after a repeating task fired.
TaskListData successorOf(const TaskListData &fired, const QDateTime &now, const InterfacePublicData &calendar);

// A pending task falls due once its time lies strictly behind now.
inline bool isDue(qint64 dueMs, bool completed, qint64 nowMs)
{
    return !completed && dueMs < nowMs;
}

// The four strings of a task's bottom-right popup.
QStringList normalNoticeStrings(const TaskListData &task);

// Everything a due task sends, in the order the worker and the notice windows must see it: the fired
// row marked noticed, the successor of a repeating task, then the notices the switches allow.
// task carries the row's shown name and its keep-display toggle.
void fireTask(const TaskListData &task, const QDateTime &now, const NoticeConfigData &config, InterfacePublicData &hub);

// Workday flag stored for an exception on this date: the reverse of the Monday-to-Friday rule.
int exceptionWorkdayFlag(const QDate &date);

} // namespace TaskTiming
