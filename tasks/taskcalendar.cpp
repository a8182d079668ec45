#include "tasks/taskcalendar.h"

#include "models/tasktiming.h"

#include <QCryptographicHash>

#include <algorithm>

IcsCalendar::Event TaskCalendar::event(const TaskListData &task, const QDateTime &now,
                                       const QHash<QDate, bool> &workdayExceptions)
{
    IcsCalendar::Event event;
    if (!task.TaskTimeSee.isValid())
        return event;
    const bool overdue = task.TaskTimeSee < now && TaskTiming::isRepeating(task.NoticeCycle);
    event.start = overdue ? TaskTiming::nextNoticeTime(task.TaskTimeSee, task.NoticeCycle, now, workdayExceptions)
                          : task.TaskTimeSee;
    event.summary = task.TaskName;
    event.alarms = {0};
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(task.TaskName.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    const QString timeText = event.start.time().toString(QStringLiteral("HHmmss"));
    QString series;
    switch (task.NoticeCycle) {
    case CycleDaily:
        series = QStringLiteral("daily-") + timeText;
        event.rrule = QStringLiteral("FREQ=DAILY");
        break;
    case CycleWeekly:
        series = QStringLiteral("weekly-%1-%2").arg(event.start.date().dayOfWeek()).arg(timeText);
        event.rrule = QStringLiteral("FREQ=WEEKLY");
        break;
    case CycleWorkday: {
        series = QStringLiteral("workday-") + timeText;
        event.rrule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
        // From the start's own date on: a series that starts on a make-up Saturday, which the rule does
        // not give, names it too.
        QList<QDate> dates = workdayExceptions.keys();
        std::sort(dates.begin(), dates.end());
        for (const QDate &date : qAsConst(dates)) {
            const bool workday = workdayExceptions.value(date);
            const bool weekday = TaskTiming::exceptionWorkdayFlag(date) == 0;
            IcsCalendar::Span at;
            at.start = QDateTime(date, event.start.time());
            if (date < event.start.date() || weekday == workday)
                continue;
            (workday ? event.rdates : event.exdates).append(at);
        }
        break;
    }
    default:
        series = QStringLiteral("once-") + event.start.toString(IcsCalendar::LocalTimeFormat);
        break;
    }
    event.uid = QStringLiteral("task-%1-%2@pemmora").arg(key, series);
    return event;
}
