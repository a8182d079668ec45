#pragma once

#include <QDate>
#include <QObject>

// Solar to Chinese lunar dates for the lunar years 1901 to 2099, driven by a packed table of the
// years (New Year's Day, month lengths, leap month). One read-only instance per process.
class LunarCalendarInfo : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstYear = 1901;
    static constexpr int LastYear = 2099;

    static LunarCalendarInfo *instance();

    // Writes the lunar year, month (1-12, a leap month reports the month it repeats) and day (1-30).
    // Writes nothing outside 1901-2099, for a month outside 1-12 or a day outside 1-31, and for the
    // days of 1901 before the first lunar New Year in the table.
    void solarToLunar(int year, int month, int day, int &lunarYear, int &lunarMonth, int &lunarDay) const;

    // The last solar day that has a lunar date.
    static QDate lastDate();

private:
    LunarCalendarInfo();

    static const int lunarYearTable[LastYear - FirstYear + 1];
    static const int daysBeforeMonth[12];
};
