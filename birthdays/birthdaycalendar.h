#pragma once

#include "data/icscalendar.h"
#include "data/records.h"

#include <QCoreApplication>

// A birthday's coming occurrences as all-day calendar events for other calendars; lunar birthdays land
// on the solar day the program's own lunar calendar gives.
class BirthdayCalendar
{
    Q_DECLARE_TR_FUNCTIONS(BirthdayCalendar)

public:
    static constexpr int Occurrences = 10;

    // The next count dates on or after today, one a year: a lunar year's repeated leap month is
    // passed over. Fewer near the end of the lunar calendar.
    static QList<QDate> nextDates(const BirthdayInfoData &birthday, const QDate &today, int count);
    // "明明的生日", or "明明的30岁生日" when the age reached that day is known.
    static QString summary(const BirthdayInfoData &birthday, const QDate &date);
    static QList<IcsCalendar::Event> events(const BirthdayInfoData &birthday, const QDate &today);
};
