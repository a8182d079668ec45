#pragma once

#include "birthdays/birthdayreminder.h"

#include <QWidget>

namespace Ui {
class BirthdayWidgetItem;
}
class QTimer;

// One person on the Birthday tab: type, countdown, age, picture, name, gender and the date of the next
// birthday. The row also runs that person's reminders, at once and then every half minute.
class BirthdayWidgetItem : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ReminderIntervalMs = 30000;

    explicit BirthdayWidgetItem(const BirthdayInfoData &record, QWidget *parent = nullptr);
    ~BirthdayWidgetItem() override;

    // The list lines up the columns after the name by giving every name the widest name's width.
    int showNameWidth() const;
    void setShowNameMinimumWidth(int width);

public slots:
    void slotTimerTimeout();

private:
    Ui::BirthdayWidgetItem *ui;
    BirthdayReminder reminder;
    QTimer *timer = nullptr;
};
