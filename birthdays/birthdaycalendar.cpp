#include "birthdays/birthdaycalendar.h"

#include "birthdays/birthdayreminder.h"

QList<QDate> BirthdayCalendar::nextDates(const BirthdayInfoData &birthday, const QDate &today, int count)
{
    QList<QDate> dates;
    BirthdayInfoData at = birthday;
    bool leap = false;
    QDate date = birthday.RecentDate >= today ? birthday.RecentDate : BirthdayReminder::nextOccurrence(at, today, leap);
    while (date.isValid() && dates.size() < count) {
        dates.append(date);
        at.RecentDate = date;
        date = BirthdayReminder::nextOccurrence(at, date, leap);
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

QList<int> BirthdayCalendar::alarms(const BirthdayInfoData &birthday)
{
    constexpr int Day = 24 * 60 * 60;
    QList<int> alarms{0};
    const QList<std::pair<bool, int>> ahead = {{birthday.Notice1, 1}, {birthday.Notice3, 3}, {birthday.Notice7, 7}};
    for (const auto &[on, days] : ahead) {
        if (on)
            alarms.append(-days * Day);
    }
    return alarms;
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
        event.endDate = date.addDays(1);
        event.transparent = true;
        event.alarms = alarms(birthday);
        events.append(event);
    }
    return events;
}
