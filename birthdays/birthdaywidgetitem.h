#pragma once

#include <QPointer>
#include <QWidget>

namespace Ui {
class BirthdayWidgetItem;
}
class BirthdayRow;

// The widget of one person on the Birthday tab: type, countdown, age, picture, name, gender and the
// date of the next birthday, as its BirthdayRow, which runs the reminders, last worked them out. In a
// long list only the rows in view have a widget.
class BirthdayWidgetItem : public QWidget
{
    Q_OBJECT

public:
    BirthdayWidgetItem(BirthdayRow &shown, QWidget *parent);
    ~BirthdayWidgetItem() override;

    // The list lines up the columns after the name by giving every name the widest name's width.
    void setShowNameMinimumWidth(int width);
    // The countdown and the age, as the row's last evaluation left them.
    void showOutcome();

private:
    Ui::BirthdayWidgetItem *ui = nullptr;
    QPointer<BirthdayRow> row;
};
