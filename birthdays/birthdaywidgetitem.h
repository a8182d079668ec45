#pragma once

#include "birthdays/birthdayreminder.h"

#include <QWidget>

namespace Ui {
class BirthdayWidgetItem;
}

// One person on the Birthday tab: type, countdown, age, picture, name, gender and the date of the next
// birthday. The row also runs that person's reminders, at once and then on the birthdays' shared tick.
//
// A row of a long list may leave its widgets unbuilt until it scrolls into view (FormWhenShown): it
// still reminds, and builds its form from what it last worked out when first needed.
class BirthdayWidgetItem : public QWidget
{
    Q_OBJECT

public:
    enum FormBuilding
    {
        FormNow,
        FormWhenShown,
    };

    explicit BirthdayWidgetItem(const BirthdayInfoData &record, QWidget *parent = nullptr,
                                FormBuilding building = FormNow);
    ~BirthdayWidgetItem() override;

    // Builds the row's widgets if they are not built yet.
    void ensureForm();
    // The list lines up the columns after the name by giving every name the widest name's width.
    void setShowNameMinimumWidth(int width);
    // Leaves the shared tick for good; a row that is being replaced calls it before it is deleted, so
    // that it cannot remind a second time next to its successor.
    void stopUpdating();

public slots:
    void slotTimerTimeout();
    // The tick: one clock reading shared by every row.
    void updateReminders(qint64 nowMs);

private:
    void showOutcome();

    Ui::BirthdayWidgetItem *ui = nullptr;
    BirthdayReminder reminder;
    bool updating = false;
    int nameWidth = 0;
    // What the labels show, as the last evaluation left it.
    int days = 0;
    QString ageText;
};
