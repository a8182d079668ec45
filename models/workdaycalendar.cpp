#include "models/workdaycalendar.h"

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
