#pragma once

#include "data/icscalendar.h"
#include "data/records.h"

#include <QCoreApplication>

// What an iCalendar file of official holidays and make-up working days adds to the workday exceptions.
// Its all-day events are the days; a summary with "班" (补班, 上班) marks a working day, any other a day off.
class HolidayImport
{
    Q_DECLARE_TR_FUNCTIONS(HolidayImport)

public:
    // Holiday files are small; anything larger is no such file.
    static constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
    // A longer event is no holiday (a whole-year "event" would flood the table).
    static constexpr int MaxEventDays = 31;
    // Ten years of days in one file at most: more is no holiday calendar, and would fill the table for minutes.
    static constexpr int MaxFileDays = 3653;

    struct Day
    {
        QDate date;
        bool workday = false;
        QString note;
    };

    struct Plan
    {
        int daysOff = 0;
        int workdays = 0;
        QList<Day> added;     // reverse the Monday-to-Friday rule and are not listed yet
        QList<Day> listed;    // already in the table, left as they are
        QList<Day> unchanged; // the normal week already treats them so
    };

    static bool isWorkingDay(const QString &summary);
    // One entry per date, in date order; a date both off and working counts as working.
    static QList<Day> daysOf(const QList<IcsCalendar::Event> &events);
    static Plan plan(const QList<Day> &days, const QList<TaskWorkdayData> &listed);
    // Reads the file; false with a message for the user when it is unreadable, no calendar, holds a NUL (which
    // would cut a summary short), or has no days or more than MaxFileDays.
    static bool readFile(const QString &path, const QList<TaskWorkdayData> &listed, Plan *plan, QString *error);
    // The exceptions to insert.
    static QList<TaskWorkdayData> records(const Plan &plan);
};
