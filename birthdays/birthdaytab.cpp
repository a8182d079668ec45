#include "birthdays/birthdaytab.h"
#include "ui_birthdaytab.h"

#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdayrow.h"
#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"
#include "widgets/lazyrowlist.h"

#include <QLabel>
#include <QtMath>
#include <algorithm>

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
    // A row whose record is stored as the row has it stays, and its reminders are not run again.
    birthdayRows->setRows(
        list.size(), [&list](int i) { return list.at(i).id; },
        [&list](int i, LazyRow *current) -> LazyRow * {
            auto *row = static_cast<BirthdayRow *>(current);
            return row && row->record() == list.at(i) ? row : new BirthdayRow(list.at(i));
        });
    const QList<BirthdayRow *> rows = birthdayRows->rows<BirthdayRow>();
    const int nameWidth = widestName(rows);
    for (BirthdayRow *row : rows) {
        row->nameWidth = nameWidth;
        if (row->widget())
            static_cast<BirthdayWidgetItem *>(row->widget())->setShowNameMinimumWidth(nameWidth);
    }
}

int BirthdayTab::widestName(const QList<BirthdayRow *> &rows) const
{
    // Measuring a name as its label does costs a text layout each: the names are ranked by the sum of
    // their characters' advances, which kerning and ligatures narrow rather than widen, and only the
    // widest few are measured as their labels will be; every other name is held to the next sum.
    constexpr int Measured = 8;
    const QFontMetricsF metrics(nameProbe->font());
    QVector<QPair<qreal, int>> sums;
    sums.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        qreal sum = 0;
        for (const uint c : BirthdayReminder::displayName(rows.at(i)->record()).toUcs4()) {
            auto advance = charAdvances.constFind(c);
            if (advance == charAdvances.cend())
                advance = charAdvances.insert(c, metrics.horizontalAdvance(QString::fromUcs4(&c, 1)));
            sum += *advance;
        }
        sums.append({sum, i});
    }
    const int measured = qMin(Measured, sums.size());
    std::partial_sort(sums.begin(), sums.begin() + qMin(Measured + 1, sums.size()), sums.end(),
                      [](const QPair<qreal, int> &a, const QPair<qreal, int> &b) { return a.first > b.first; });
    int width = sums.size() > measured ? qCeil(sums.at(measured).first) : 0;
    for (int i = 0; i < measured; ++i) {
        nameProbe->setText(BirthdayReminder::displayName(rows.at(sums.at(i).second)->record()));
        width = qMax(width, nameProbe->sizeHint().width());
    }
    return width;
}
