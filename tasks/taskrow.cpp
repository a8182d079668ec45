#include "tasks/taskrow.h"

#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"
#include "tasks/taskfiring.h"
#include "tasks/taskwidgetitem.h"

#include <limits>

TaskRow::TaskRow(const TaskListData &record) : LazyRow(RowTicker::tasks()), task(record)
{
    task.Deleted = 0;
    completed = task.Noticed != 0;
    startUpdating();
    setDueTime(task.TaskTimeSee);
    tick(QDateTime::currentMSecsSinceEpoch());
}

TaskWidgetItem *TaskRow::view() const
{
    return static_cast<TaskWidgetItem *>(widget());
}

QWidget *TaskRow::createWidget(QWidget *parent)
{
    return new TaskWidgetItem(*this, parent);
}

bool TaskRow::keepsWidget() const
{
    return view() && view()->isEditing();
}

void TaskRow::setDueTime(const QDateTime &due)
{
    task.TaskTimeSee = due;
    dueKnown = false;
    setCompleted(completed);
}

qint64 TaskRow::dueMs() const
{
    if (!dueKnown) {
        // An unreadable due time counts as long past, as an invalid date-time sorts before every valid one.
        const QDateTime &due = task.TaskTimeSee;
        dueAtMs = due.isValid() ? due.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
        dueKnown = true;
    }
    return dueAtMs;
}

void TaskRow::setCompleted(bool done)
{
    completed = done;
    // A pending row needs the tick once its time lies strictly behind.
    if (completed)
        clearDeadline();
    else
        setDeadline(dueMs() + 1);
}

void TaskRow::update(qint64 nowMs)
{
    // A completed row only counts down, on screen, to a due time ahead.
    if (completed && !view())
        return;
    const qint64 due = dueMs();
    if (TaskTiming::isDue(due, completed, nowMs)) {
        fire(nowMs);
        return;
    }
    // Ticked before its time (the clock went back): it still waits for its time.
    if (!completed)
        setDeadline(due + 1);
    if (due >= nowMs && view())
        view()->showRemainSeconds((due - nowMs) / 1000);
}

void TaskRow::fire(qint64 nowMs)
{
    setCompleted(true);
    task.Noticed = 1;
    if (view())
        view()->showFired();
    // The task holds what the row shows: the name of its label and the state of its keep toggle.
    TaskFiring::fireTask(task, QDateTime::fromMSecsSinceEpoch(nowMs), currentNoticeConfig, interfacePublicData);
}

void TaskRow::confirmEdit(const QString &name, const QDateTime &due)
{
    task.TaskName = name;
    completed = false;
    setDueTime(due);
    sendUpdate();
}

void TaskRow::setIconPath(const QString &path)
{
    task.IconPath = path;
    sendUpdate();
}

void TaskRow::rotateCycle()
{
    if (task.NoticeCycle >= CycleOnce && task.NoticeCycle <= CycleWeekly)
        task.NoticeCycle = (task.NoticeCycle + 1) % 4;
    sendUpdate();
}

void TaskRow::setKeepDisplay(bool keep)
{
    task.NormalNoticeKeepDisplay = keep ? 1 : 0;
    sendUpdate();
}

void TaskRow::slotClearCompleteTask()
{
    if (completed)
        emit interfacePublicData.SIGNALSendQuery(TaskListDelete, QVariant::fromValue(QList<int>{task.id}));
}

void TaskRow::sendUpdate() const
{
    emit interfacePublicData.SIGNALSendQuery(TaskListUpdate, QVariant::fromValue(task));
}
