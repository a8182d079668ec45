#include "birthdays/birthdayrow.h"

#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"

#include <QDateTime>

BirthdayRow::BirthdayRow(const BirthdayInfoData &record) : LazyRow(RowTicker::birthdays()), reminder(record)
{
    startUpdating();
    tick(QDateTime::currentMSecsSinceEpoch());
}

QWidget *BirthdayRow::createWidget(QWidget *parent)
{
    return new BirthdayWidgetItem(*this, parent);
}

BirthdayWidgetItem *BirthdayRow::view() const
{
    return static_cast<BirthdayWidgetItem *>(widget());
}

namespace {
// The date at a moment and the moment it ends, worked out once a day for all rows: two conversions to
// local time cost more than the row's reminders.
struct Day
{
    QDate date;
    qint64 startMs = 0;
    qint64 endMs = 0;
};

const Day &dayAt(qint64 nowMs)
{
    static Day day;
    if (nowMs < day.startMs || nowMs >= day.endMs) {
        day.date = QDateTime::fromMSecsSinceEpoch(nowMs).date();
        day.startMs = QDateTime(day.date, QTime(0, 0)).toMSecsSinceEpoch();
        day.endMs = QDateTime(day.date.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
    }
    return day;
}
} // namespace

void BirthdayRow::update(qint64 nowMs)
{
    const Day &today = dayAt(nowMs);
    const BirthdayReminder::Outcome outcome = reminder.evaluate(today.date, currentNoticeConfig);
    // Nothing changes before the date does.
    setDeadline(today.endMs);
    if (outcome.refreshLabels) {
        age = outcome.ageText;
        if (outcome.countdownChanged)
            shownDays = outcome.days;
        if (view())
            view()->showOutcome();
    }
    if (outcome.sendOperation)
        emit interfacePublicData.SIGNALSendQuery(outcome.operation, QVariant::fromValue(outcome.record));
    if (!outcome.centralNotice.isEmpty())
        emit interfacePublicData.SIGNALShowCentralNotice(NoticeWhatBirthday, outcome.centralNotice);
    if (!outcome.normalNotice.isEmpty())
        emit interfacePublicData.SIGNALShowNormalNotice(NoticeWhatBirthday, outcome.normalNotice);
}
