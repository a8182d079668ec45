#include "birthdays/birthdaytab.h"
#include "ui_birthdaytab.h"

#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"

BirthdayTab::BirthdayTab(QWidget *parent) : QWidget(parent), ui(new Ui::BirthdayTab)
{
    // The editor lives as long as the tab and keeps its list current.
    birthdayConfig = new BirthdayConfig(this);
    ui->setupUi(this);
    // A double click anywhere on the list opens the editor, also on the empty list.
    connect(ui->listWidget_Birthday, &PlaceholderListWidget::SIGNALBlankDoubleClicked, birthdayConfig,
            &BirthdayConfig::openEditor);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &BirthdayTab::slotReceiveQueryData, Qt::UniqueConnection);
}

BirthdayTab::~BirthdayTab()
{
    delete ui;
}

void BirthdayTab::openEditor()
{
    birthdayConfig->openEditor();
}

void BirthdayTab::on_listWidget_Birthday_itemDoubleClicked(QListWidgetItem *)
{
    birthdayConfig->openEditor();
}

void BirthdayTab::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    if (operate == BirthdayInfoSelect)
        rebuildBirthdayList(var.value<QList<BirthdayInfoData>>());
}

void BirthdayTab::rebuildBirthdayList(const QList<BirthdayInfoData> &list)
{
    // Answers that follow a mere update of reminder flags leave the rows (and their timers) alone.
    if (interfacePublicData.birthdayListUpToDate)
        return;
    QListWidget *listWidget = ui->listWidget_Birthday;
    while (listWidget->count() > 0) {
        QListWidgetItem *item = listWidget->item(0);
        delete listWidget->itemWidget(item);
        delete listWidget->takeItem(0);
    }

    // All items go in before the first row widget: a visible list relayouts every row widget it holds
    // on each insertion, which would make the rebuild quadratic.
    for (int i = 0; i < list.size(); ++i)
        listWidget->addItem(new QListWidgetItem);
    QList<BirthdayWidgetItem *> rows;
    int nameWidth = 0;
    for (int i = 0; i < list.size(); ++i) {
        auto *row = new BirthdayWidgetItem(list.at(i), listWidget->viewport());
        QListWidgetItem *item = listWidget->item(i);
        item->setSizeHint(row->sizeHint());
        listWidget->setItemWidget(item, row);
        nameWidth = qMax(nameWidth, row->showNameWidth());
        rows.append(row);
    }
    for (BirthdayWidgetItem *row : rows)
        row->setShowNameMinimumWidth(nameWidth);
    interfacePublicData.birthdayListUpToDate = true;
}
