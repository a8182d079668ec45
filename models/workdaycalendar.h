#pragma once

#include <QDate>
#include <QHash>

// Which days are workdays: Monday to Friday, unless an exception from the workday table says otherwise.
// The exceptions map a date to true for a workday and false for a rest day.
class WorkdayCalendar
{
public:
    // Bound on the search for the next workday; a year of rest days means the table is wrong.
    static constexpr int MaxSearchDays = 366;

    // An invalid date is no workday.
    static bool isWorkday(const QHash<QDate, bool> &exceptions, const QDate &date);
    // The first workday after today (never today itself).
    static QDate nextWorkday(const QHash<QDate, bool> &exceptions, const QDate &today);
};
