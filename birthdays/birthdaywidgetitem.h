#pragma once

#include "birthdays/birthdayreminder.h"
#include "widgets/lazyrow.h"

namespace Ui {
class BirthdayWidgetItem;
}

// One person on the Birthday tab: type, countdown, age, picture, name, gender and the date of the next
// birthday. The row also runs that person's reminders, at once and then on the birthdays' shared tick.
//
// A row of a long list may leave its widgets unbuilt until it scrolls into view (FormWhenShown): it
// still reminds, and builds its form from what it last worked out when first needed.
class BirthdayWidgetItem : public LazyRow
{
    Q_OBJECT

public:
    explicit BirthdayWidgetItem(const BirthdayInfoData &record, QWidget *parent = nullptr,
                                FormBuilding building = FormNow);
    ~BirthdayWidgetItem() override;

    // The list lines up the columns after the name by giving every name the widest name's width.
    void setShowNameMinimumWidth(int width);

public slots:
    void slotTimerTimeout();
    // The tick: one clock reading shared by every row.
    void updateReminders(qint64 nowMs);

protected:
    void buildForm() override;

private:
    void showOutcome();

    Ui::BirthdayWidgetItem *ui = nullptr;
    BirthdayReminder reminder;
    int nameWidth = 0;
    // What the labels show, as the last evaluation left it.
    int days = 0;
    QString ageText;
};
