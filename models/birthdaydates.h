#pragma once

#include <QDate>

// The dates of a birthday's next occurrence, solar or lunar, and the lunar date of a day; every search
// takes "today" from its caller.
class BirthdayDates
{
public:
    // The first date on or after today + offsetDays with this month and day; 29 February stands as
    // 28 February in common years.
    static QDate nextSolarBirthday(int month, int day, int offsetDays, const QDate &today);
    // The first solar date on or after today + offsetDays with this lunar month and day, and whether it
    // lies in a leap month. A 30th stands as the 29th in a regular month of 29 days; a leap month of 29
    // days is passed over. Invalid when no such date lies within the lunar calendar.
    static QDate nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays, const QDate &today);
    // Writes nothing for a date outside the lunar calendar.
    static void lunarDateOf(const QDate &date, int &lunarYear, int &lunarMonth, int &lunarDay);
    // 0 for a date outside the lunar calendar.
    static int lunarYearOf(const QDate &date);
};
