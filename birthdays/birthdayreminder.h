#pragma once

#include "data/records.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <optional>

// The reminders of one birthday: keeps the row's copy of the record and, on each evaluation, decides
// which reminders are due, which done-flags to set, whether the next occurrence is due, what to store
// and what to announce. The row widget only carries the outcome out.
class BirthdayReminder
{
    Q_DECLARE_TR_FUNCTIONS(BirthdayReminder)

public:
    // A birthday missed while the program was not running is still announced this many days late.
    static constexpr int MaxDaysLate = 7;

    struct Outcome
    {
        // Made from the record, not from a default one, which would read the clock.
        explicit Outcome(const BirthdayInfoData &record) : record(record) {}

        int days = 0;               // countdown to the occurrence looked at, before any advance
        bool fired = false;         // a reminder fell due (shown only if the notice settings allow)
        bool refreshLabels = false; // the row shows ageText, and days when countdownChanged
        bool countdownChanged = false;
        QString ageText;            // age at the occurrence looked at, or "-"
        bool sendOperation = false; // send operation with record as payload
        SqlOperateType operation = BirthdayInfoUpdateNoticed;
        BirthdayInfoData record;   // the copy after this evaluation
        QStringList centralNotice; // SIGNALShowCentralNotice(NoticeWhatBirthday, ...) when not empty
        QStringList normalNotice;  // SIGNALShowNormalNotice(NoticeWhatBirthday, ...) when not empty
    };

    explicit BirthdayReminder(const BirthdayInfoData &record);

    const BirthdayInfoData &record() const { return current; }

    // Reads the clock and the current notice settings.
    Outcome evaluate();
    Outcome evaluate(const QDate &today, const NoticeConfigData &config);

    static QString displayName(const BirthdayInfoData &record);
    // Age now and age at the stored occurrence, in the birthday's own calendar; "-" without a birth year.
    static QString currentAgeText(const BirthdayInfoData &record, const QDate &today);
    static QString occurrenceAgeText(const BirthdayInfoData &record);
    // "明天", "后天 (2024-05-21)", "5天前 (2024-05-14)" ... for a countdown and the occurrence's date.
    static QString dayWord(int days, const QDate &date);
    // The occurrence the reminders move on to on today: the one after today when the stored occurrence is
    // today, else the first from today; a lunar year's repeated month gives a second one. Invalid past the
    // end of the lunar calendar. isLeapMonth is left alone for a solar birthday.
    static QDate nextOccurrence(const BirthdayInfoData &record, const QDate &today, bool &isLeapMonth);

private:
    QStringList normalNoticeOf(int days, const QString &word, const QDate &today) const;

    BirthdayInfoData current;
    std::optional<int> shownDays; // nothing shown yet
};
