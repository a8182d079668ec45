#include "tasks/workdayconfig.h"
#include "ui_workdayconfig.h"

#include "data/appglobals.h"
#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"
#include "tasks/holidayreview.h"
#include "tasks/holidaysubscription.h"
#include "tasks/taskwidgetitem.h"
#include "widgets/labelmessagebox.h"
#include "widgets/textrule.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>

#include <utility>

namespace {

// How the subscription remembers a date it offered.
QString offeredKey(const HolidayImport::Change &change)
{
    return change.date.toString(Qt::ISODate) + (change.workday ? QStringLiteral("=1") : QStringLiteral("=0"));
}

QStringList offeredKeys(const QList<HolidayImport::Change> &changes)
{
    QStringList keys;
    for (const HolidayImport::Change &change : changes)
        keys.append(offeredKey(change));
    return keys;
}

} // namespace

WorkdayConfig::WorkdayConfig(QWidget *parent) : QDialog(parent), ui(new Ui::WorkdayConfig)
{
    ui->setupUi(this);
    // A label's mnemonic takes the focus to the field it names.
    ui->label_Date->setBuddy(ui->dateEdit_Date);
    ui->label_Notice->setBuddy(ui->lineEdit_Notice);
    TextRule::apply(ui->lineEdit_Notice, FieldLength::Name);
    ui->label_Subscription->setBuddy(ui->lineEdit_SubscriptionUrl);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    setLocale(AppGlobals::locale);
    // One width for every date, and room for the add panel from the start: opening it must not widen
    // the dialog. Measured with the style sheets applied.
    ensurePolished();
    const auto fitWidest = [](QLabel *label, const QStringList &texts) {
        int widest = 0;
        for (const QString &text : texts) {
            label->setText(text);
            widest = qMax(widest, label->sizeHint().width());
        }
        label->setMinimumWidth(widest);
    };
    QStringList weekdays;
    for (int day = 1; day <= 7; ++day)
        weekdays.append(TaskWidgetItem::dayOfWeekText(day));
    fitWidest(ui->label_DayOfWeek, weekdays);
    fitWidest(ui->label_RestOrWork, {restOrWorkText(false), restOrWorkText(true)});
    ui->widget_Add->show();
    const int panelWidth = layout()->totalMinimumSize().width();
    ui->widget_Add->hide();
    setMinimumWidth(panelWidth);
    resize(qMax(width(), panelWidth), height());
    ui->dateEdit_Date->setDate(QDate::currentDate());
    // Date order, as the list arrives, until the user clicks another header.
    ui->tableWidget_Workday->horizontalHeader()->setSortIndicator(ColumnDate, Qt::AscendingOrder);
    ui->tableWidget_Workday->hideColumn(ColumnId);

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &WorkdayConfig::slotReceiveQueryData, Qt::UniqueConnection);

    subscription = new HolidaySubscription(this);
    connect(subscription, &HolidaySubscription::SIGNALFetched, this, [this](const QByteArray &data) {
        if (listReceived)
            takeSubscription(data);
        else
            pendingSubscription = data;
    });
    connect(subscription, &HolidaySubscription::SIGNALFailed, this, &WorkdayConfig::showSubscriptionState);
    ui->lineEdit_SubscriptionUrl->setText(subscription->address());
    showSubscriptionState();
    subscription->start();
}

WorkdayConfig::~WorkdayConfig()
{
    delete ui;
}

void WorkdayConfig::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case TaskWorkdaySelect:
        fill(var.value<QList<TaskWorkdayData>>());
        listReceived = true;
        if (!pendingSubscription.isEmpty())
            takeSubscription(std::exchange(pendingSubscription, QByteArray()));
        break;
    case TaskWorkdayUpdate:
    case TaskWorkdayInsert:
    case TaskWorkdayDelete:
    case TaskWorkdayDeleteExpired:
        reload();
        break;
    default:
        break;
    }
}

void WorkdayConfig::reload()
{
    emit interfacePublicData.SIGNALSendQuery(TaskWorkdaySelect, QVariant());
}

QString WorkdayConfig::workOrRestText(const TaskWorkdayData &day)
{
    return (day.Workday != 0 ? tr("工作") : tr("休息")) + QStringLiteral(" (") +
           TaskWidgetItem::dayOfWeekText(day.TaskDate.dayOfWeek()) + QStringLiteral(")");
}

void WorkdayConfig::fill(const QList<TaskWorkdayData> &days)
{
    cellEditEnabled = false;
    listedDays = days;
    QTableWidget *table = ui->tableWidget_Workday;
    table->clear();
    table->setHorizontalHeaderLabels({QStringLiteral("id"), tr("日期"), tr("工作或休息"), tr("备注")});
    table->setRowCount(days.size());
    table->setSortingEnabled(false);
    for (int row = 0; row < days.size(); ++row) {
        const TaskWorkdayData &day = days.at(row);
        const QStringList texts = {QString::number(day.id), day.TaskDate.toString(StoredFormat::Date),
                                   workOrRestText(day), day.Notice};
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            if (column == ColumnId || column == ColumnWorkOrRest)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table->setItem(row, column, item);
        }
    }
    table->hideColumn(ColumnId);
    // Sorting on again re-sorts by the column and order the user last chose.
    table->setSortingEnabled(true);
    cellEditEnabled = true;
}

QString WorkdayConfig::cellText(int row, int column) const
{
    const QTableWidgetItem *item = ui->tableWidget_Workday->item(row, column);
    return item ? item->text() : QString();
}

bool WorkdayConfig::dateListed(const QString &dateText, int skipRow) const
{
    for (int row = 0; row < ui->tableWidget_Workday->rowCount(); ++row) {
        if (row != skipRow && cellText(row, ColumnDate) == dateText)
            return true;
    }
    return false;
}

void WorkdayConfig::on_tableWidget_Workday_cellChanged(int row, int column)
{
    if (!cellEditEnabled)
        return;
    const QString dateText = cellText(row, ColumnDate);
    const QDate date = QDate::fromString(dateText, StoredFormat::Date);
    if (column == ColumnDate && !date.isValid()) {
        QMessageBox::information(this, tr("日期无效"), tr("填写格式为") + QStringLiteral(": yyyy-MM-dd"));
        reload();
        return;
    }
    if (dateListed(dateText, row)) {
        QMessageBox::information(this, tr("该日期已存在"), tr("该日期已存在"));
        reload();
        return;
    }
    TaskWorkdayData day;
    day.id = cellText(row, ColumnId).toInt();
    day.TaskDate = date;
    day.Workday = TaskTiming::exceptionWorkdayFlag(date);
    day.Notice = cellText(row, ColumnNotice);
    emit interfacePublicData.SIGNALSendQuery(TaskWorkdayUpdate, QVariant::fromValue(day));
}

void WorkdayConfig::on_pushButton_Add_clicked()
{
    if (!ui->widget_Add->isHidden()) {
        ui->widget_Add->hide();
        return;
    }
    ui->dateEdit_Date->setDate(QDate::currentDate());
    ui->lineEdit_Notice->clear();
    ui->widget_Add->show();
}

void WorkdayConfig::on_pushButton_AddConfirm_clicked()
{
    const QDate date = ui->dateEdit_Date->date();
    if (dateListed(date.toString(StoredFormat::Date), -1)) {
        QMessageBox::information(this, tr("该日期已存在"), tr("该日期已存在"));
        return;
    }
    TaskWorkdayData day;
    day.id = -1;
    day.TaskDate = date;
    day.Workday = TaskTiming::exceptionWorkdayFlag(date);
    day.Notice = ui->lineEdit_Notice->text();
    emit interfacePublicData.SIGNALSendQuery(TaskWorkdayInsert, QVariant::fromValue(day));
    ui->widget_Add->hide();
}

void WorkdayConfig::on_pushButton_AddCancel_clicked()
{
    ui->widget_Add->hide();
}

void WorkdayConfig::on_pushButton_Delete_clicked()
{
    const int row = ui->tableWidget_Workday->currentRow();
    if (row < 0) {
        QMessageBox::information(this, tr("未选择行"), tr("请先选择要删除的行"));
        return;
    }
    const QString text = tr("请确认以下信息") + QStringLiteral(": \n") + tr("日期") + QStringLiteral(": ") +
                         cellText(row, ColumnDate) + QStringLiteral("\n") + tr("工作或休息") + QStringLiteral(": ") +
                         cellText(row, ColumnWorkOrRest) + QStringLiteral("\n") + tr("备注") + QStringLiteral(": ") +
                         cellText(row, ColumnNotice);
    if (QMessageBox::warning(this, tr("确认删除？"), text, QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    emit interfacePublicData.SIGNALSendQuery(TaskWorkdayDelete, cellText(row, ColumnId).toInt());
    ui->widget_Add->hide();
}

void WorkdayConfig::on_dateEdit_Date_dateChanged(const QDate &date)
{
    ui->label_DayOfWeek->setText(TaskWidgetItem::dayOfWeekText(date.dayOfWeek()));
    // An exception on a weekend day is stored as a workday.
    ui->label_RestOrWork->setText(restOrWorkText(TaskTiming::exceptionWorkdayFlag(date) != 0));
}

QString WorkdayConfig::restOrWorkText(bool weekend)
{
    return weekend ? tr("休息") + QStringLiteral(" => ") + tr("工作")
                   : tr("工作") + QStringLiteral(" => ") + tr("休息");
}

void WorkdayConfig::on_pushButton_Help_clicked()
{
    QMessageBox::information(this, tr("帮助"),
                             tr("使用说明：\n正常情况下，默认1~5为工作日，6~7为休息日\n这里可以添加例外情况，如：\n"
                                "添加1~5，会识别为休息日\n添加6~7，会识别为工作日"));
}

void WorkdayConfig::on_pushButton_ClearOutdated_clicked()
{
    // The table mirrors the stored exceptions: what it lists before today is what the worker deletes.
    const QDate today = QDate::currentDate();
    int expired = 0;
    for (int row = 0; row < ui->tableWidget_Workday->rowCount(); ++row) {
        const QDate date = QDate::fromString(cellText(row, ColumnDate), StoredFormat::Date);
        if (date.isValid() && date < today)
            ++expired;
    }
    if (LabelMessageBox::confirmDeletion(this, expired, tr("没有过期日期"),
                                         tr("删除 %n 个过期日期？", nullptr, expired)))
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdayDeleteExpired, QVariant());
}

void WorkdayConfig::on_pushButton_Import_clicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("导入节假日"), QString(),
                                                      tr("iCalendar 日历") + QStringLiteral(" (*.ics);;") +
                                                          tr("所有文件") + QStringLiteral(" (*)"));
    if (!path.isEmpty())
        importFile(path);
}

void WorkdayConfig::importFile(const QString &path)
{
    HolidayImport::Plan plan;
    QString error;
    if (!HolidayImport::readFile(path, listedDays, QDate::currentDate(), &plan, &error)) {
        QMessageBox::information(this, tr("无法导入"), error);
        return;
    }
    if (plan.changes.isEmpty()) {
        QMessageBox::information(this, tr("导入节假日"),
                                 (tr("日历中的 %1 个日期都已与现在相同，无需更改。").arg(plan.dates) +
                                  QLatin1Char('\n') + HolidayImport::skippedText(plan.skipped))
                                     .trimmed());
        return;
    }
    review(plan);
}

bool WorkdayConfig::review(const HolidayImport::Plan &plan)
{
    HolidayReview review(this);
    review.setPlan(plan, QDate::currentDate());
    if (review.exec() != QDialog::Accepted)
        return false;
    take(review.taken());
    return true;
}

void WorkdayConfig::take(const QList<HolidayImport::Change> &changes)
{
    const HolidayImport::Records records = HolidayImport::records(changes);
    for (const TaskWorkdayData &day : records.updated)
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdayUpdate, QVariant::fromValue(day));
    for (const int id : records.deleted)
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdayDelete, id);
    addExceptions(records.inserted);
}

void WorkdayConfig::addExceptions(const QList<TaskWorkdayData> &days)
{
    // One request, one transaction: all of the days or none.
    if (!days.isEmpty())
        emit interfacePublicData.SIGNALSendQuery(TaskWorkdayInsert, QVariant::fromValue(days));
}

void WorkdayConfig::takeSubscription(const QByteArray &data)
{
    const QDate today = QDate::currentDate();
    HolidayImport::Plan plan;
    QString error;
    if (!HolidayImport::readData(data, listedDays, today, &plan, &error)) {
        showSubscriptionState(error);
        return;
    }
    subscription->setLastSuccess(QDateTime::currentDateTime());
    const QStringList offered = subscription->offered();
    QList<HolidayImport::Change> added;
    subscriptionConflicts.clear();
    for (const HolidayImport::Change &change : qAsConst(plan.changes)) {
        if (offered.contains(offeredKey(change)) || change.date < today || change.kind == HolidayImport::OtherEvent)
            continue;
        (change.listedId < 0 ? added : subscriptionConflicts).append(change);
    }
    subscription->addOffered(offeredKeys(added), today);
    take(added);
    showSubscriptionState();
    emit SIGNALSubscriptionConflicts(subscriptionConflicts.size());
}

void WorkdayConfig::reviewSubscription()
{
    HolidayImport::Plan plan;
    plan.changes = subscriptionConflicts;
    plan.dates = subscriptionConflicts.size();
    if (plan.changes.isEmpty() || !review(plan))
        return;
    // Decided either way: not asked again unless the calendar changes its mind.
    subscription->addOffered(offeredKeys(subscriptionConflicts), QDate::currentDate());
    subscriptionConflicts.clear();
    emit SIGNALSubscriptionConflicts(0);
}

void WorkdayConfig::on_pushButton_Subscribe_clicked()
{
    const QString address = ui->lineEdit_SubscriptionUrl->text().trimmed();
    if (!address.isEmpty() && HolidaySubscription::fetchUrl(address).isEmpty()) {
        QMessageBox::information(this, tr("无法订阅"), tr("请填写以 https:// 或 webcal:// 开头的日历地址。"));
        return;
    }
    // Another calendar's conflicts are no longer this one's.
    if (address != subscription->address()) {
        subscriptionConflicts.clear();
        emit SIGNALSubscriptionConflicts(0);
    }
    subscription->subscribe(address);
    showSubscriptionState();
}

void WorkdayConfig::showSubscriptionState(const QString &error)
{
    const QDateTime last = subscription->lastSuccess();
    const QString lastText = last.isValid() ? last.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : tr("从未");
    if (subscription->address().isEmpty())
        ui->label_SubscriptionState->setText(tr("没有订阅网上的节假日日历。"));
    else if (HolidaySubscription::fetchUrl(subscription->address()).isEmpty())
        ui->label_SubscriptionState->setText(tr("请填写以 https:// 或 webcal:// 开头的日历地址。"));
    else if (!error.isEmpty())
        ui->label_SubscriptionState->setText(tr("获取失败：%1\n保留已有的日期。上次成功：%2").arg(error, lastText));
    else
        ui->label_SubscriptionState->setText(tr("启动时和每周获取一次。上次成功：%1").arg(lastText));
}
