#pragma once

#include "tasks/holidayimport.h"

#include <QDialog>

namespace Ui {
class HolidayReview;
}

// The dates a holiday calendar would change, one row each with its weekday, the event's summary and what
// the day becomes, and a tick box on the date: the user takes the ticked ones.
class HolidayReview : public QDialog
{
    Q_OBJECT

public:
    enum Column : int
    {
        ColumnDate = 0, // with the tick box
        ColumnWeekday = 1,
        ColumnSummary = 2,
        ColumnBecomes = 3,
    };

    explicit HolidayReview(QWidget *parent = nullptr);
    ~HolidayReview() override;

    // The changes with their ticks; today tells past dates.
    void setPlan(const HolidayImport::Plan &plan, const QDate &today);
    QList<HolidayImport::Change> taken() const;

private:
    Ui::HolidayReview *ui;
    QList<HolidayImport::Change> changes;
};
