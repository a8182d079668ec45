#pragma once

#include "data/icscalendar.h"
#include "data/records.h"

#include <QCoreApplication>

// A birthday's coming occurrences as all-day calendar events for other calendars, on the days the program
// itself reminds of it (lunar birthdays on the solar day the program's lunar calendar gives, a repeated
// leap month included), each with the reminders the person has switched on.
class BirthdayCalendar
{
    Q_DECLARE_TR_FUNCTIONS(BirthdayCalendar)

public:
    static constexpr int Occurrences = 10;

    // The stored occurrence while it lies ahead, then the ones the reminders move on to; fewer near the
    // end of the lunar calendar.
    static QList<QDate> nextDates(const BirthdayInfoData &birthday, const QDate &today, int count);
    // "明明的生日", or "明明的30岁生日" when the age reached that day is known.
    static QString summary(const BirthdayInfoData &birthday, const QDate &date);
    // Seconds from the start of the day: on the day, and one, three and seven days ahead as switched on.
    static QList<int> alarms(const BirthdayInfoData &birthday);
    static QList<IcsCalendar::Event> events(const BirthdayInfoData &birthday, const QDate &today);
};
