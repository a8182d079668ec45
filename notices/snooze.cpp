#include "notices/snooze.h"

#include "models/tasktiming.h"

QList<int> Snooze::choices()
{
    return {5, 10, 30, 60};
}

QString Snooze::choiceText(int minutes)
{
    return minutes % 60 == 0 ? tr("%1 小时").arg(minutes / 60) : tr("%1 分钟").arg(minutes);
}

TaskListData Snooze::taskFor(int what, const QStringList &strs, int minutes, const QDateTime &now)
{
    TaskListData task;
    task.NoticeCycle = CycleOnce;
    // Stored to the second: a due time with milliseconds would read back a little earlier.
    if (what != NoticeWhatTask && what != NoticeWhatBirthday)
        return task;
    const QDateTime whole(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    task.TaskTimeSee = whole.addSecs(minutes * 60);
    if (what == NoticeWhatTask) {
        task.TaskName = strs.value(0);
        task.NormalNoticeKeepDisplay = strs.value(2) == QLatin1String("keepYes") ? 1 : 0;
        task.IconPath = strs.value(3);
    } else {
        task.TaskName = tr("%1：%2").arg(strs.value(0), strs.value(5));
        task.NormalNoticeKeepDisplay = 1;
        task.IconPath = strs.value(6);
    }
    return task;
}
