#pragma once

#include "birthdays/birthdayreminder.h"
#include "widgets/lazyrow.h"

class BirthdayWidgetItem;

// One person of the birthday list, whether a widget shows it or not: runs the person's reminders at
// once and then on the birthdays' shared tick, and keeps what its widget shows. Off screen it needs the
// tick only when the date changes.
class BirthdayRow : public LazyRow
{
    Q_OBJECT

public:
    explicit BirthdayRow(const BirthdayInfoData &record);

    // The record as the reminders left it, as it is stored once their changes are.
    const BirthdayInfoData &record() const { return reminder.record(); }
    // What the badges show, as the last evaluation left it.
    int days() const { return shownDays; }
    QString ageText() const { return age; }
    // The width of every name of the list, so that the columns after the names line up.
    int nameWidth = 0;

protected:
    void update(qint64 nowMs) override;

private:
    QWidget *createWidget(QWidget *parent) override;
    BirthdayWidgetItem *view() const;

    BirthdayReminder reminder;
    int shownDays = 0;
    QString age;
};
