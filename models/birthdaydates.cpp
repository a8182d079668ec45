#include "models/birthdaydates.h"

#include "models/lunarcalendarinfo.h"

namespace {

struct LunarMonthDay
{
    int month = 0;
    int day = 0;
};

// Month and day 0 outside the lunar calendar.
LunarMonthDay lunarMonthDayOf(const QDate &date)
{
    int year = 0;
    LunarMonthDay lunar;
    LunarCalendarInfo::instance()->solarToLunar(date.year(), date.month(), date.day(), year, lunar.month, lunar.day);
    return lunar;
}

// The date, or the day before when it does not exist (29 February of a common year).
QDate dateOrDayBefore(int year, int month, int day)
{
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate(year, month, day - 1);
}

} // namespace

QDate BirthdayDates::nextSolarBirthday(int month, int day, int offsetDays, const QDate &today)
{
    const QDate base = today.addDays(offsetDays);
    const QDate candidate = dateOrDayBefore(base.year(), month, day);
    if (candidate.isValid() && base <= candidate)
        return candidate;
    return dateOrDayBefore(base.year() + 1, month, day);
}

QDate BirthdayDates::nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays,
                                       const QDate &today)
{
    isLeapMonth = false;
    if (lunarMonth < 1 || lunarMonth > 12 || lunarDay < 1 || lunarDay > 30)
        return QDate();
    const QDate base = today.addDays(offsetDays);
    const LunarMonthDay start = lunarMonthDayOf(base);
    if (start.month == 0)
        return QDate();

    // A day of a leap month: the day before its first day still has the same month number.
    if (start.month == lunarMonth && start.day == lunarDay) {
        isLeapMonth = lunarMonthDayOf(base.addDays(-start.day)).month == lunarMonth;
        return base;
    }

    // Every lunar month has at least 29 days, so this jump cannot pass the first match.
    const int want = lunarDay == 30 ? 29 : lunarDay;
    const int months = lunarMonth - start.month;
    int jump = 0;
    if (want < start.day)
        jump = months == 0 ? 0 : (months > 0 ? months - 1 : months + 11) * 29;
    else
        jump = (months >= 0 ? months : months + 12) * 29;

    const QDate last = LunarCalendarInfo::lastDate();
    for (QDate date = base.addDays(jump); date <= last; date = date.addDays(1)) {
        const LunarMonthDay lunar = lunarMonthDayOf(date);
        if (lunar.month != lunarMonth || lunar.day != want)
            continue;
        const bool leap = lunarMonthDayOf(date.addDays(-want)).month == lunarMonth;
        if (lunarDay != 30) {
            isLeapMonth = leap;
            return date;
        }
        const LunarMonthDay following = lunarMonthDayOf(date.addDays(1));
        if (following.day == 30) {
            isLeapMonth = leap;
            return date.addDays(1);
        }
        // Beyond the calendar the month's length is unknown.
        if (following.month == 0)
            break;
        // The 29th stands for the 30th in a short regular month; a short leap month is passed over.
        if (!leap)
            return date;
    }
    return QDate();
}

void BirthdayDates::lunarDateOf(const QDate &date, int &lunarYear, int &lunarMonth, int &lunarDay)
{
    LunarCalendarInfo::instance()->solarToLunar(date.year(), date.month(), date.day(), lunarYear, lunarMonth, lunarDay);
}

int BirthdayDates::lunarYearOf(const QDate &date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    lunarDateOf(date, year, month, day);
    return year;
}
