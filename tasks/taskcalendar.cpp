#include "tasks/taskcalendar.h"

#include "models/tasktiming.h"
#include "models/workdaycalendar.h"

#include <QCryptographicHash>

QList<IcsCalendar::Event> TaskCalendar::events(const TaskListData &task, const QHash<QDate, bool> &workdayExceptions)
{
    QList<IcsCalendar::Event> events;
    if (!task.TaskTimeSee.isValid())
        return events;
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(task.TaskName.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    const auto event = [&task, &key](const QDateTime &start, const QString &series) {
        IcsCalendar::Event e;
        e.uid = QStringLiteral("task-%1-%2@pemmora").arg(key, series);
        e.summary = task.TaskName;
        e.start = start;
        e.alarm = true;
        return e;
    };
    const QTime time = task.TaskTimeSee.time();
    const QString timeText = time.toString(QStringLiteral("HHmmss"));
    switch (task.NoticeCycle) {
    case CycleDaily:
        events.append(event(task.TaskTimeSee, QStringLiteral("daily-") + timeText));
        events.last().rrule = QStringLiteral("FREQ=DAILY");
        break;
    case CycleWeekly:
        events.append(event(task.TaskTimeSee,
                            QStringLiteral("weekly-%1-%2").arg(task.TaskTimeSee.date().dayOfWeek()).arg(timeText)));
        events.last().rrule = QStringLiteral("FREQ=WEEKLY");
        break;
    case CycleWorkday: {
        // The exceptions of the coming days are known; a rule could not carry them.
        QDate date = task.TaskTimeSee.date();
        for (int i = 0; i < WorkdayOccurrences; ++i) {
            const QDateTime start(date, time);
            events.append(event(start, QStringLiteral("workday-") + start.toString(IcsCalendar::LocalTimeFormat)));
            date = WorkdayCalendar::nextWorkday(workdayExceptions, date);
        }
        break;
    }
    default:
        events.append(
            event(task.TaskTimeSee, QStringLiteral("once-") + task.TaskTimeSee.toString(IcsCalendar::LocalTimeFormat)));
        break;
    }
    return events;
}
