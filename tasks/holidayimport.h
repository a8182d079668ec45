#pragma once

#include "data/icscalendar.h"
#include "data/records.h"

#include <QCoreApplication>

// What a calendar of official holidays and make-up working days does to the workday exceptions. Every
// event names the dates it covers (all-day, or the dates a timed event touches; repeats expanded within
// the file's years, ten at most); its summary says what they become.
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
    // Repeating events are expanded over the latest ten of the file's years.
    static constexpr int MaxYears = 10;

    // Ordered by strength: of two events on one date the stronger decides.
    enum Kind : int
    {
        OtherEvent = 0, // an observance: a day off only if the user says so
        DayOff = 1,
        WorkingDay = 2,
    };
    static Kind kindOf(const QString &summary);

    // Events left out, by reason.
    struct Skipped
    {
        int cancelled = 0;
        int undated = 0;
        int tooLong = 0;
        int outsideYears = 0;
    };

    // A date whose state the file would change.
    struct Change
    {
        QDate date;
        QString summary;
        Kind kind = OtherEvent;
        bool workday = false; // what the day becomes
        int listedId = -1;    // the exception that lists the date the other way: a conflict
        bool ticked = false;  // taken unless the user decides otherwise: future, not "other", no conflict
    };

    struct Plan
    {
        QList<Change> changes; // in date order
        int dates = 0;         // dates the file names
        Skipped skipped;
    };

    static Plan plan(const QList<IcsCalendar::Event> &events, const QList<TaskWorkdayData> &listed, const QDate &today);
    // False with a message for the user when the data is too large, no calendar, holds a NUL (which would cut
    // a summary short), names no date, or more than MaxFileDays days.
    static bool readData(const QByteArray &data, const QList<TaskWorkdayData> &listed, const QDate &today, Plan *plan,
                         QString *error);
    static bool readFile(const QString &path, const QList<TaskWorkdayData> &listed, const QDate &today, Plan *plan,
                         QString *error);

    // The stored exceptions that taking these changes adds, changes and removes (a conflicting
    // exception whose date the file puts back to the normal week goes).
    struct Records
    {
        QList<TaskWorkdayData> inserted;
        QList<TaskWorkdayData> updated;
        QList<int> deleted;
    };
    static Records records(const QList<Change> &taken);

    // "跳过 3 个事件：2 个已取消，1 个超过 31 天。", empty when none was.
    static QString skippedText(const Skipped &skipped);
};
