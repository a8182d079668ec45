#include "birthdays/birthdayreminder.h"

#include "data/interfacepublicdata.h"

namespace {

// The lunar age counts lunar years, the solar age solar years; neither is shown without a birth year.
QString yearsSince(const BirthdayInfoData &record, const QDate &date)
{
    if (record.IsLunar)
        return record.IgnoreLunarYear ? QStringLiteral("-")
                                      : QString::number(interfacePublicData.lunarYearOf(date) - record.LunarYear);
    return record.IgnoreSolarYear ? QStringLiteral("-") : QString::number(date.year() - record.SolarDate.year());
}

} // namespace

BirthdayReminder::BirthdayReminder(const BirthdayInfoData &record) : current(record) {}

QString BirthdayReminder::displayName(const BirthdayInfoData &record)
{
    return record.CallName.isEmpty() ? record.Name : record.CallName;
}

QString BirthdayReminder::currentAgeText(const BirthdayInfoData &record, const QDate &today)
{
    return yearsSince(record, today);
}

QString BirthdayReminder::occurrenceAgeText(const BirthdayInfoData &record)
{
    return yearsSince(record, record.RecentDate);
}

QString BirthdayReminder::dayWord(int days, const QDate &date)
{
    const QString suffix = QStringLiteral(" (%1)").arg(date.toString(StoredFormat::Date));
    switch (days) {
    case 2:
        return tr("后天") + suffix;
    case 1:
        return tr("明天");
    case 0:
        return tr("今天");
    case -1:
        return tr("昨天");
    case -2:
        return tr("前天") + suffix;
    default:
        return (days > 0 ? tr("%1天后").arg(days) : tr("%1天前").arg(-days)) + suffix;
    }
}

QDate BirthdayReminder::nextOccurrence(const BirthdayInfoData &r, const QDate &today, bool &isLeapMonth)
{
    const int offset = r.RecentDate == today ? 1 : 0;
    return r.IsLunar ? interfacePublicData.nextLunarBirthday(r.LunarMonth, r.LunarDay, isLeapMonth, offset, today)
                     : interfacePublicData.nextSolarBirthday(r.SolarDate.month(), r.SolarDate.day(), offset, today);
}

BirthdayReminder::Outcome BirthdayReminder::evaluate()
{
    return evaluate(QDate::currentDate(), currentNoticeConfig);
}

BirthdayReminder::Outcome BirthdayReminder::evaluate(const QDate &today, const NoticeConfigData &config)
{
    Outcome outcome(current);
    BirthdayInfoData &r = current;
    const int days = today.daysTo(r.RecentDate);
    bool fire = false;
    bool dirty = false;
    bool advance = false;

    // Each reminder is dealt with once per occurrence; a window already passed is marked without notice.
    if (r.Notice7 && !r.HasNoticed7 && days <= 7) {
        r.HasNoticed7 = true;
        dirty = true;
        fire = fire || days >= 4;
    }
    if (r.Notice3 && !r.HasNoticed3 && days <= 3) {
        r.HasNoticed3 = true;
        dirty = true;
        fire = fire || days >= 2;
    }
    if (r.Notice1 && !r.HasNoticed1 && days <= 1) {
        r.HasNoticed1 = true;
        dirty = true;
        fire = fire || days == 1;
    }
    if (!r.HasNoticed0 && days <= 0) {
        r.HasNoticed0 = true;
        dirty = true;
        advance = true;
        fire = fire || days >= -MaxDaysLate;
    }

    outcome.days = days;
    outcome.fired = fire;
    outcome.countdownChanged = !shownDays || *shownDays != days;
    outcome.refreshLabels = fire || outcome.countdownChanged;
    outcome.ageText = occurrenceAgeText(r);
    shownDays = days;

    // The notice speaks of the occurrence just looked at, also when the date moves on below.
    const QString word = fire ? dayWord(days, r.RecentDate) : QString();
    const QStringList normalNotice = fire ? normalNoticeOf(days, word, today) : QStringList();

    if (advance) {
        bool leap = r.IsLeapMonth;
        const QDate next = nextOccurrence(r, today, leap);
        // Past the end of the lunar calendar there is no next date: keep this one and store the flags, so
        // that nothing is announced again and no empty date is written.
        if (next.isValid()) {
            r.RecentDate = next;
            r.IsLeapMonth = leap;
            outcome.operation = BirthdayInfoUpdateRecentDate;
        } else {
            outcome.operation = BirthdayInfoUpdateNoticed;
        }
        outcome.sendOperation = true;
    } else if (dirty) {
        outcome.operation = BirthdayInfoUpdateNoticed;
        outcome.sendOperation = true;
    }
    outcome.record = r;

    if (fire && config.CN_EnableBirthday)
        outcome.centralNotice = QStringList{tr("%1是%2的生日").arg(word, displayName(r))};
    if (fire && config.NN_EnableBirthday)
        outcome.normalNotice = normalNotice;
    return outcome;
}

QStringList BirthdayReminder::normalNoticeOf(int days, const QString &word, const QDate &today) const
{
    const int month = current.IsLunar ? current.LunarMonth : current.SolarDate.month();
    const int day = current.IsLunar ? current.LunarDay : current.SolarDate.day();
    // Gender and calendar are keys for the popup, not shown text.
    return {displayName(current),
            current.Gender ? QStringLiteral("male") : QStringLiteral("famale"),
            currentAgeText(current, today),
            current.IsLunar ? QStringLiteral("lunar") : QStringLiteral("solar"),
            QStringLiteral("%1.%2").arg(month).arg(day),
            days == 0 ? tr("生日快乐") : word,
            current.IconPath};
}
