#include "birthdays/birthdaycalendar.h"

#include "birthdays/birthdayreminder.h"
#include "models/birthdaydates.h"

QList<QDate> BirthdayCalendar::nextDates(const BirthdayInfoData &birthday, const QDate &today, int count)
{
    QList<QDate> dates;
    QDate from = today;
    while (dates.size() < count) {
        bool leap = false;
        const QDate next =
            birthday.IsLunar
                ? BirthdayDates::nextLunarBirthday(birthday.LunarMonth, birthday.LunarDay, leap, 0, from)
                : BirthdayDates::nextSolarBirthday(birthday.SolarDate.month(), birthday.SolarDate.day(), 0, from);
        if (!next.isValid())
            break;
        if (!leap)
            dates.append(next);
        from = next.addDays(1);
    }
    return dates;
}

QString BirthdayCalendar::summary(const BirthdayInfoData &birthday, const QDate &date)
{
    const QString name = BirthdayReminder::displayName(birthday);
    bool known = false;
    const int age = BirthdayReminder::currentAgeText(birthday, date).toInt(&known);
    return known && age > 0 ? tr("%1的%2岁生日").arg(name).arg(age) : tr("%1的生日").arg(name);
}

QList<IcsCalendar::Event> BirthdayCalendar::events(const BirthdayInfoData &birthday, const QDate &today)
{
    QList<IcsCalendar::Event> events;
    const QString description =
        birthday.IsLunar ? tr("农历%1月%2日").arg(birthday.LunarMonth).arg(birthday.LunarDay) : QString();
    for (const QDate &date : nextDates(birthday, today, Occurrences)) {
        IcsCalendar::Event event;
        event.uid =
            QStringLiteral("birthday-%1-%2@pemmora").arg(birthday.id).arg(date.toString(IcsCalendar::DateFormat));
        event.summary = summary(birthday, date);
        event.description = description;
        event.date = date;
        event.transparent = true;
        events.append(event);
    }
    return events;
}
