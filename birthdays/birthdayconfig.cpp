#include "birthdays/birthdayconfig.h"
#include "ui_birthdayconfig.h"

#include "birthdays/chinesenumerals.h"
#include "data/appglobals.h"
#include "data/interfacepublicdata.h"
#include "icons/iconlibrary.h"
#include "icons/iconmanage.h"
#include "models/lunarcalendarinfo.h"
#include "widgets/labelmessagebox.h"
#include "widgets/textrule.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>

namespace {

bool inLunarCalendar(int year)
{
    return year >= LunarCalendarInfo::FirstYear && year <= LunarCalendarInfo::LastYear;
}

} // namespace

BirthdayConfig::BirthdayConfig(QWidget *parent) : QDialog(parent), ui(new Ui::BirthdayConfig)
{
    ui->setupUi(this);
    // A label's mnemonic takes the focus to the field it names.
    ui->label_Name->setBuddy(ui->lineEdit_Name);
    ui->label_CallName->setBuddy(ui->lineEdit_CallName);
    TextRule::apply(ui->lineEdit_Name, FieldLength::Name);
    TextRule::apply(ui->lineEdit_CallName, FieldLength::Name);
    ui->label_LunarBirthday->setBuddy(ui->lineEdit_LunarYear);
    ui->label_SolarBirthday->setBuddy(ui->dateEdit_SolarBirthday);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);

    monthNames = QStringList{tr("正月"), tr("二月"), tr("三月"), tr("四月"), tr("五月"), tr("六月"),
                             tr("七月"), tr("八月"), tr("九月"), tr("十月"), tr("冬月"), tr("腊月")};
    dayNames =
        QStringList{tr("初一"), tr("初二"), tr("初三"), tr("初四"), tr("初五"), tr("初六"), tr("初七"), tr("初八"),
                    tr("初九"), tr("初十"), tr("十一"), tr("十二"), tr("十三"), tr("十四"), tr("十五"), tr("十六"),
                    tr("十七"), tr("十八"), tr("十九"), tr("二十"), tr("廿一"), tr("廿二"), tr("廿三"), tr("廿四"),
                    tr("廿五"), tr("廿六"), tr("廿七"), tr("廿八"), tr("廿九"), tr("三十")};
    ui->comboBox_LunarMonth->addItems(monthNames);
    ui->comboBox_LunarDay->addItems(dayNames);
    ui->widget_SolarBirthday->hide();
    // Turning sorting back on after a refill sorts by the indicator; without one the list keeps its
    // soonest-first order until the user picks a column.
    ui->tableWidget_Birthday->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    on_pushButton_ClearEdit_clicked();

    setLocale(AppGlobals::locale);
    ui->label_Icon->installEventFilter(this);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &BirthdayConfig::slotReceiveQueryData, Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveAnswer, this, &BirthdayConfig::slotReceiveAnswer,
            Qt::UniqueConnection);
}

BirthdayConfig::~BirthdayConfig()
{
    delete ui;
}

int BirthdayConfig::openEditor()
{
    on_pushButton_ClearEdit_clicked();
    return exec();
}

bool BirthdayConfig::readForm(int id, BirthdayInfoData &record)
{
    return readForm(id, QDate::currentDate(), record);
}

bool BirthdayConfig::readForm(int id, const QDate &today, BirthdayInfoData &record)
{
    BirthdayInfoData read;
    read.id = id;
    read.Name = ui->lineEdit_Name->text().simplified();
    if (read.Name.isEmpty()) {
        refuse(tr("姓名不能为空"), tr("请填写姓名"));
        return false;
    }
    read.CallName = ui->lineEdit_CallName->text().simplified();
    read.Gender = ui->radioButton_GenderMale->isChecked();
    read.IsLunar = ui->radioButton_LunarYes->isChecked();
    read.IgnoreSolarYear = ui->checkBox_IgnoreSolarYear->isChecked();
    read.IgnoreLunarYear = ui->checkBox_IgnoreLunarYear->isChecked();

    const QString yearTitle = tr("超出有效年范围");
    const QString yearText = tr("范围: 1901~2099年");
    if (read.IsLunar) {
        // A lunar birthday has no solar birth date; the field records the day it was saved.
        read.SolarDate = today;
        read.LunarYear = read.IgnoreLunarYear ? today.year() : ui->lineEdit_LunarYear->text().trimmed().toInt();
        if (!inLunarCalendar(read.LunarYear)) {
            refuse(yearTitle, yearText);
            return false;
        }
        read.LunarMonth = ui->comboBox_LunarMonth->currentIndex() + 1;
        read.LunarDay = ui->comboBox_LunarDay->currentIndex() + 1;
        read.RecentDate =
            interfacePublicData.nextLunarBirthday(read.LunarMonth, read.LunarDay, read.IsLeapMonth, 0, today);
        // Storing an empty date would leave the person without any occurrence.
        if (!read.RecentDate.isValid()) {
            refuse(yearTitle, tr("下一个生日超出支持的范围: 1901~2099年"));
            return false;
        }
    } else {
        read.SolarDate = ui->dateEdit_SolarBirthday->date();
        // The lunar fields are derived from the date, so its year must lie in the lunar calendar too.
        if (!inLunarCalendar(read.SolarDate.year())) {
            refuse(yearTitle, yearText);
            return false;
        }
        interfacePublicData.lunarDateOf(read.SolarDate, read.LunarYear, read.LunarMonth, read.LunarDay);
        read.RecentDate = interfacePublicData.nextSolarBirthday(read.SolarDate.month(), read.SolarDate.day(), 0, today);
    }
    read.IconPath = iconPath;
    read.Notice1 = ui->checkBox_Notice1->isChecked();
    read.Notice3 = ui->checkBox_Notice3->isChecked();
    read.Notice7 = ui->checkBox_Notice7->isChecked();
    record = read;
    return true;
}

QStringList BirthdayConfig::rowTexts(const BirthdayInfoData &record) const
{
    // The columns of the calendar a birthday does not use stay empty; a year ignored, or a month or day out
    // of range (a damaged record), reads as not applicable.
    const QString invalid = tr("无效");
    const bool lunar = record.IsLunar;
    const QString unused;
    const QString lunarYear =
        record.IgnoreLunarYear ? invalid : ChineseNumerals::yearText(record.LunarYear, AppGlobals::locale);
    const QString solarYear = record.IgnoreSolarYear ? invalid : record.SolarDate.toString(QStringLiteral("yyyy"));
    return {QString::number(record.id),
            record.Name,
            record.CallName,
            record.Gender ? tr("男") : tr("女"),
            lunar ? tr("农历") : tr("公历"),
            lunar ? lunarYear : unused,
            lunar ? monthNames.value(record.LunarMonth - 1, invalid) : unused,
            lunar ? dayNames.value(record.LunarDay - 1, invalid) : unused,
            lunar ? unused : solarYear,
            lunar ? unused : record.SolarDate.toString(QStringLiteral("MM")),
            lunar ? unused : record.SolarDate.toString(QStringLiteral("dd")),
            record.RecentDate.toString(StoredFormat::Date),
            lunar ? (record.IsLeapMonth ? tr("是") : tr("否")) : unused};
}

void BirthdayConfig::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case BirthdayInfoInsert:
    case BirthdayInfoUpdate:
        // A refused duplicate changed nothing.
        if (!var.toBool())
            break;
        Q_FALLTHROUGH();
    case BirthdayInfoDelete:
    case BirthdayInfoUpdateRecentDate:
    case BirthdayInfoUpdateNoticed:
        // A list already asked for shows the change: the worker ran the change first.
        if (listRequest != 0)
            break;
        if (isVisible())
            requestList();
        else
            listStale = true;
        break;
    default:
        break;
    }
}

void BirthdayConfig::slotReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var)
{
    if (requestId == listRequest) {
        listRequest = 0;
        fillTable(var.value<QList<BirthdayInfoData>>());
        return;
    }
    if (!ownRequests.remove(requestId))
        return;
    switch (operate) {
    case CalendarExportWrite:
        ui->pushButton_ExportCalendar->setEnabled(true);
        if (var.toString().isEmpty())
            QMessageBox::information(
                this, tr("日历已导出"),
                tr("已写入：\n%1\n\n可以把它导入手机或网页日历。\n再次导出会更新同样的日程，不会重复添加。")
                    .arg(QDir::toNativeSeparators(exportFile)));
        else
            QMessageBox::information(this, tr("导出失败"), var.toString());
        exportFile.clear();
        break;
    case BirthdayInfoInsert:
        answerSaved(var.toBool(), tr("添加失败"));
        break;
    case BirthdayInfoUpdate:
        answerSaved(var.toBool(), tr("更新失败"));
        break;
    case BirthdayInfoDelete:
        on_pushButton_ClearEdit_clicked();
        break;
    default:
        break;
    }
}

bool BirthdayConfig::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->label_Icon && event->type() == QEvent::MouseButtonPress) {
        // Cancelling the choice goes back to the default picture, not to the previous one.
        const QString chosen = chooseIcon();
        setIconPath(chosen.isEmpty() ? QString::fromLatin1(DefaultIconPath) : chosen);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void BirthdayConfig::showEvent(QShowEvent *event)
{
    if (listStale && listRequest == 0)
        requestList();
    QDialog::showEvent(event);
}

void BirthdayConfig::keyPressEvent(QKeyEvent *event)
{
    // No button is the default, so Enter never clears the form: typed in a field of a named person it adds
    // the person, or stores the loaded one; from the table or a button, or with no name yet, it does nothing.
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    QWidget *from = focusWidget();
    if (from == ui->tableWidget_Birthday || qobject_cast<QPushButton *>(from) ||
        ui->lineEdit_Name->text().simplified().isEmpty())
        return;
    (selectedRow < 0 ? ui->pushButton_Add : ui->pushButton_Update)->click();
}

void BirthdayConfig::on_tableWidget_Birthday_cellPressed(int row, int)
{
    loadRow(row);
}

void BirthdayConfig::on_tableWidget_Birthday_cellEntered(int row, int)
{
    loadRow(row);
}

void BirthdayConfig::on_pushButton_ClearEdit_clicked()
{
    selectedRow = -1;
    selectedId = -1;
    ui->pushButton_Update->setEnabled(false);
    ui->pushButton_Delete->setEnabled(false);
    ui->tableWidget_Birthday->clearSelection();
    ui->lineEdit_Name->clear();
    ui->lineEdit_CallName->clear();
    ui->radioButton_GenderMale->setChecked(true);
    ui->radioButton_LunarYes->setChecked(true);
    ui->checkBox_IgnoreSolarYear->setChecked(false);
    ui->checkBox_IgnoreLunarYear->setChecked(false);
    const QDate today = QDate::currentDate();
    ui->dateEdit_SolarBirthday->setDate(today);
    showLunarDate(today);
    setIconPath(QString::fromLatin1(DefaultIconPath));
    ui->checkBox_Notice1->setChecked(true);
    ui->checkBox_Notice3->setChecked(true);
    ui->checkBox_Notice7->setChecked(true);
}

void BirthdayConfig::on_pushButton_Add_clicked()
{
    BirthdayInfoData record;
    if (readForm(-1, record))
        send(BirthdayInfoInsert, QVariant::fromValue(record));
}

void BirthdayConfig::on_pushButton_Update_clicked()
{
    if (selectedRow < 0) {
        refuse(tr("提示"), tr("请选择要更新的行"));
        return;
    }
    BirthdayInfoData record;
    if (readForm(selectedId, record))
        send(BirthdayInfoUpdate, QVariant::fromValue(record));
}

void BirthdayConfig::on_pushButton_Delete_clicked()
{
    if (selectedRow < 0) {
        refuse(tr("提示"), tr("请选择要删除的行"));
        return;
    }
    if (confirmDelete(records.value(selectedId)))
        send(BirthdayInfoDelete, selectedId);
}

void BirthdayConfig::on_pushButton_Cancel_clicked()
{
    reject();
}

void BirthdayConfig::on_radioButton_LunarYes_toggled(bool checked)
{
    ui->widget_LunarBirthday->setVisible(checked);
    ui->widget_SolarBirthday->setVisible(!checked);
}

void BirthdayConfig::on_checkBox_IgnoreLunarYear_toggled(bool checked)
{
    ui->lineEdit_LunarYear->setVisible(!checked);
    ui->label_LunarYear->setVisible(!checked);
}

void BirthdayConfig::loadRow(int row)
{
    const QTableWidgetItem *idItem = ui->tableWidget_Birthday->item(row, 0);
    if (!idItem)
        return;
    selectedRow = row;
    selectedId = idItem->text().toInt();
    ui->pushButton_Update->setEnabled(true);
    ui->pushButton_Delete->setEnabled(true);

    const BirthdayInfoData record = records.value(selectedId);
    ui->lineEdit_Name->setText(record.Name);
    ui->lineEdit_CallName->setText(record.CallName);
    (record.Gender ? ui->radioButton_GenderMale : ui->radioButton_GenderFemale)->setChecked(true);
    (record.IsLunar ? ui->radioButton_LunarYes : ui->radioButton_LunarNo)->setChecked(true);
    ui->checkBox_IgnoreSolarYear->setChecked(record.IgnoreSolarYear);
    ui->dateEdit_SolarBirthday->setDate(record.SolarDate);
    ui->checkBox_IgnoreLunarYear->setChecked(record.IgnoreLunarYear);
    ui->lineEdit_LunarYear->setText(QString::number(record.LunarYear));
    ui->comboBox_LunarMonth->setCurrentIndex(record.LunarMonth - 1);
    ui->comboBox_LunarDay->setCurrentIndex(record.LunarDay - 1);
    setIconPath(record.IconPath);
    ui->checkBox_Notice1->setChecked(record.Notice1);
    ui->checkBox_Notice3->setChecked(record.Notice3);
    ui->checkBox_Notice7->setChecked(record.Notice7);
}

void BirthdayConfig::fillTable(const QList<BirthdayInfoData> &list)
{
    records.clear();
    for (const BirthdayInfoData &record : list)
        records.insert(record.id, record);

    QTableWidget *table = ui->tableWidget_Birthday;
    QHeaderView *header = table->horizontalHeader();
    // Rows are written in the order received; sorting would move them while they are filled, and
    // fitting the columns to their contents after every change would measure every row each time.
    table->setSortingEnabled(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    table->clear();
    table->setHorizontalHeaderLabels({QStringLiteral("id"), tr("姓名"), tr("别称"), tr("性别"), tr("类型"),
                                      tr("农历年"), tr("农历月"), tr("农历日"), tr("公历年"), tr("公历月"),
                                      tr("公历日"), tr("最近生日"), tr("农历闰月")});
    table->setRowCount(list.size());
    for (int row = 0; row < list.size(); ++row) {
        const QStringList texts = rowTexts(list.at(row));
        for (int column = 0; column < texts.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }
    table->setSortingEnabled(true);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);

    // The record being edited stays chosen wherever its row went; gone, the form is a new one.
    selectedRow = -1;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text().toInt() == selectedId)
            selectedRow = row;
    }
    if (selectedRow >= 0)
        table->selectRow(selectedRow);
    else
        selectedId = -1;
    ui->pushButton_Update->setEnabled(selectedRow >= 0);
    ui->pushButton_Delete->setEnabled(selectedRow >= 0);
}

void BirthdayConfig::showLunarDate(const QDate &date)
{
    int year = date.year();
    int month = 1;
    int day = 1;
    interfacePublicData.lunarDateOf(date, year, month, day);
    ui->lineEdit_LunarYear->setText(QString::number(year));
    ui->comboBox_LunarMonth->setCurrentIndex(month - 1);
    ui->comboBox_LunarDay->setCurrentIndex(day - 1);
}

void BirthdayConfig::setIconPath(const QString &path)
{
    iconPath = path;
    ui->label_Icon->setPixmap(QPixmap(path));
}

void BirthdayConfig::refuse(const QString &title, const QString &text)
{
    QMessageBox::information(this, title, text);
}

void BirthdayConfig::answerSaved(bool saved, const QString &failureTitle)
{
    if (saved)
        on_pushButton_ClearEdit_clicked();
    else
        refuse(failureTitle, tr("已经存在相同的人\n请确认 姓名+别称+性别 组合的唯一性"));
}

void BirthdayConfig::send(SqlOperateType operate, const QVariant &var)
{
    ownRequests.insert(interfacePublicData.sendRequest(operate, var));
}

void BirthdayConfig::requestList()
{
    listStale = false;
    listRequest = interfacePublicData.sendRequest(BirthdayInfoSelect);
}

bool BirthdayConfig::confirmDelete(const BirthdayInfoData &record)
{
    const QString text = QStringLiteral("%1: \n%2: %3\n%4: %5\n%6: %7")
                             .arg(tr("请确认删除信息"), tr("姓名"), record.Name, tr("别称"), record.CallName,
                                  tr("性别"), record.Gender ? tr("男") : tr("女"));
    LabelMessageBox box(this, tr("确认删除？"), text, record.IconPath, QMessageBox::Ok | QMessageBox::Cancel,
                        QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QString BirthdayConfig::chooseIcon()
{
    IconManage *library = IconManage::instance();
    return library ? library->selectIcon(IconLibrary::KindBirthday) : QString();
}

void BirthdayConfig::on_pushButton_ExportCalendar_clicked()
{
    if (!exportFile.isEmpty())
        return;
    QFileDialog dialog(this, tr("导出日历"),
                       lastExportFile.isEmpty() ? QDir::home().filePath(QStringLiteral("pemmora.ics")) : lastExportFile,
                       tr("iCalendar 文件 (*.ics)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ics"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportFile = lastExportFile = dialog.selectedFiles().first();
    ui->pushButton_ExportCalendar->setEnabled(false);
    send(CalendarExportWrite, exportFile);
}
