#include "tasks/taskfiring.h"

#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"

#include <QVariant>

namespace {

// The record inserted after a repeating task fired.
TaskListData successorOf(const TaskListData &fired, const QDateTime &now, const QHash<QDate, bool> &workdayExceptions)
{
    TaskListData next = fired;
    next.id = -1;
    next.Noticed = 0;
    next.TaskTimeSee = TaskTiming::nextNoticeTime(fired.TaskTimeSee, fired.NoticeCycle, now, workdayExceptions);
    return next;
}

// The four strings of a task's bottom-right popup.
QStringList normalNoticeStrings(const TaskListData &task)
{
    return {task.TaskName, task.TaskTimeSee.toString(StoredFormat::DateTime),
            task.NormalNoticeKeepDisplay != 0 ? QStringLiteral("keepYes") : QStringLiteral("keepNo"), task.IconPath};
}

} // namespace

namespace TaskFiring {

void fireTask(const TaskListData &task, const QDateTime &now, const NoticeConfigData &config, InterfacePublicData &hub)
{
    // The worker runs requests in order: the insert's answer reloads a list that already shows this
    // row as noticed.
    emit hub.SIGNALSendQuery(TaskListUpdateNoticed, task.id);
    if (TaskTiming::isRepeating(task.NoticeCycle))
        emit hub.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(successorOf(task, now, hub.workdayExceptions)));
    if (config.CN_EnableTask)
        emit hub.SIGNALShowCentralNotice(NoticeWhatTask, {task.TaskName});
    if (config.NN_EnableTask)
        emit hub.SIGNALShowNormalNotice(NoticeWhatTask, normalNoticeStrings(task));
}

} // namespace TaskFiring
