#pragma once

#include "data/icscalendar.h"
#include "data/records.h"

#include <QHash>

// A pending task as calendar events for other calendars: its next due time, daily and weekly tasks as a
// repeating event, workday tasks as their coming occurrences so that the workday exceptions hold there too.
class TaskCalendar
{
public:
    static constexpr int WorkdayOccurrences = 10;

    // UIDs follow name, cycle and time rather than the row id,
    // which changes each time a repeating task fires, so exporting again updates the same events.
    static QList<IcsCalendar::Event> events(const TaskListData &task, const QHash<QDate, bool> &workdayExceptions);
};
