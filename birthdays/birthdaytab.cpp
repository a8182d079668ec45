#include "birthdays/birthdaytab.h"
#include "ui_birthdaytab.h"

#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"
#include "widgets/lazyrowlist.h"

#include <QLabel>

BirthdayTab::BirthdayTab(QWidget *parent) : QWidget(parent), ui(new Ui::BirthdayTab)
{
    // The editor lives as long as the tab and keeps its list current.
    birthdayConfig = new BirthdayConfig(this);
    ui->setupUi(this);
    birthdayRows = new LazyRowList(ui->listWidget_Birthday);
    nameProbe = new QLabel(ui->listWidget_Birthday->viewport());
    nameProbe->hide();
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
    // Answers that follow a mere update of reminder flags leave the rows (and their reminders) alone.
    if (interfacePublicData.birthdayListUpToDate)
        return;
    int nameWidth = 0;
    for (const BirthdayInfoData &record : list) {
        nameProbe->setText(BirthdayReminder::displayName(record));
        nameWidth = qMax(nameWidth, nameProbe->sizeHint().width());
    }
    birthdayRows->setRows(list.size(), [&list, nameWidth](int i, QWidget *parent) {
        auto *row = new BirthdayWidgetItem(list.at(i), parent, BirthdayWidgetItem::FormWhenShown);
        row->setShowNameMinimumWidth(nameWidth);
        return row;
    });
    interfacePublicData.birthdayListUpToDate = true;
}
