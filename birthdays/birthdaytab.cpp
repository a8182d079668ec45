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
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveAnswer, this, &BirthdayTab::slotReceiveAnswer,
            Qt::UniqueConnection);
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

void BirthdayTab::requestList()
{
    // A list already asked for shows every change that came before its answer.
    if (listRequest == 0)
        listRequest = interfacePublicData.sendRequest(BirthdayInfoSelect);
}

void BirthdayTab::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case BirthdayInfoInsert:
    case BirthdayInfoUpdate:
        if (var.toBool())
            requestList();
        break;
    case BirthdayInfoDelete:
    case BirthdayInfoUpdateRecentDate:
        requestList();
        break;
    default:
        break;
    }
}

void BirthdayTab::slotReceiveAnswer(quint64 requestId, SqlOperateType, QVariant var)
{
    if (requestId != listRequest)
        return;
    listRequest = 0;
    rebuildBirthdayList(var.value<QList<BirthdayInfoData>>());
}

void BirthdayTab::rebuildBirthdayList(const QList<BirthdayInfoData> &list)
{
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
}
