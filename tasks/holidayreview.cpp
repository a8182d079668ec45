#include "tasks/holidayreview.h"
#include "ui_holidayreview.h"

#include "data/records.h"
#include "tasks/taskwidgetitem.h"

#include <QHeaderView>
#include <QPushButton>

HolidayReview::HolidayReview(QWidget *parent) : QDialog(parent), ui(new Ui::HolidayReview)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("采用勾选的日期"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
}

HolidayReview::~HolidayReview()
{
    delete ui;
}

void HolidayReview::setPlan(const HolidayImport::Plan &plan, const QDate &today)
{
    changes = plan.changes;
    const int ticked = std::count_if(changes.cbegin(), changes.cend(), [](const auto &c) { return c.ticked; });
    ui->label_Found->setText(tr("日历中有 %1 个日期，其中 %2 个与现在不同，已勾选 %3 个。勾选的日期将被采用。")
                                 .arg(plan.dates)
                                 .arg(changes.size())
                                 .arg(ticked));
    const QString skipped = HolidayImport::skippedText(plan.skipped);
    ui->label_Skipped->setText(skipped);
    ui->label_Skipped->setVisible(!skipped.isEmpty());

    QTableWidget *table = ui->tableWidget_Days;
    table->setRowCount(changes.size());
    for (int row = 0; row < changes.size(); ++row) {
        const HolidayImport::Change &change = changes.at(row);
        // Why a date is not ticked; a conflict first, as the user has to settle it.
        QString becomes = change.workday ? tr("工作") : tr("休息");
        if (change.listedId >= 0)
            becomes += tr("（与列表中的相反）");
        else if (change.date < today)
            becomes += tr("（已过去）");
        else if (change.kind == HolidayImport::OtherEvent)
            becomes += tr("（其他事件）");
        const QStringList texts = {change.date.toString(StoredFormat::Date),
                                   TaskWidgetItem::dayOfWeekText(change.date.dayOfWeek()), change.summary, becomes};
        for (int column = 0; column < texts.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(texts.at(column)));
        table->item(row, ColumnDate)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        table->item(row, ColumnDate)->setCheckState(change.ticked ? Qt::Checked : Qt::Unchecked);
    }
    table->resizeColumnsToContents();
}

QList<HolidayImport::Change> HolidayReview::taken() const
{
    QList<HolidayImport::Change> taken;
    for (int row = 0; row < changes.size(); ++row) {
        if (ui->tableWidget_Days->item(row, ColumnDate)->checkState() == Qt::Checked)
            taken.append(changes.at(row));
    }
    return taken;
}
