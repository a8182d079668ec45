#pragma once

#include "data/icscalendar.h"
#include "data/records.h"

#include <QHash>

// A pending task as one calendar event for other calendars: its coming due time with a reminder at it,
// daily, weekly and workday tasks as a repeating event. A workday task repeats Monday to Friday, without
// the rest days and with the make-up working days of the workday exceptions.
class TaskCalendar
{
public:
    // UIDs follow name, cycle and time rather than the row id,
    // which changes each time a repeating task fires, so exporting again updates the same event.
    // An overdue repeating task starts at the occurrence that follows when it fires now.
    static IcsCalendar::Event event(const TaskListData &task, const QDateTime &now,
                                    const QHash<QDate, bool> &workdayExceptions);
};
