#include "models/workdaycalendar.h"

#include "data/interfacepublicdata.h"

bool WorkdayCalendar::isWorkday(const QHash<QDate, bool> &exceptions, const QDate &date)
{
    const auto exception = exceptions.constFind(date);
    if (exception != exceptions.constEnd())
        return exception.value();
    const int day = date.dayOfWeek();
    return day >= 1 && day <= 5;
}

QDate WorkdayCalendar::nextWorkday(const QHash<QDate, bool> &exceptions, const QDate &today)
{
    QDate date = today;
    for (int i = 0; i < MaxSearchDays; ++i) {
        date = date.addDays(1);
        if (isWorkday(exceptions, date))
            return date;
    }
    return date;
}

// The hub's names for the calendar of its loaded exceptions.

bool InterfacePublicData::isWorkday(const QDate &date) const
{
    return WorkdayCalendar::isWorkday(workdayExceptions, date);
}

QDate InterfacePublicData::nextWorkday() const
{
    return WorkdayCalendar::nextWorkday(workdayExceptions, QDate::currentDate());
}

QDate InterfacePublicData::nextWorkday(const QDate &today) const
{
    return WorkdayCalendar::nextWorkday(workdayExceptions, today);
}
