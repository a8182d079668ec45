#include "birthdays/birthdaywidgetitem.h"
#include "ui_birthdaywidgetitem.h"

#include "data/interfacepublicdata.h"
#include "widgets/rowticker.h"

#include <QDateTime>
#include <QPixmap>

BirthdayWidgetItem::BirthdayWidgetItem(const BirthdayInfoData &record, QWidget *parent, FormBuilding building)
    : LazyRow(RowTicker::birthdays(), parent), reminder(record)
{
    placeOrBuild(building);
    joinTick(&BirthdayWidgetItem::updateReminders);
    slotTimerTimeout();
}

BirthdayWidgetItem::~BirthdayWidgetItem()
{
    stopUpdating();
    delete ui;
}

void BirthdayWidgetItem::buildForm()
{
    ui = new Ui::BirthdayWidgetItem;
    ui->setupUi(this);

    // Room for three digits, so that the badges keep one width in every row.
    for (QLabel *badge : {ui->label_Countdown, ui->label_Age}) {
        badge->setText(QStringLiteral("000"));
        badge->adjustSize();
        badge->setMinimumWidth(badge->width());
    }

    // Both calendar words take one width, so that the badges after them line up in every language.
    static int typeWidth = 0;
    if (typeWidth == 0) {
        for (const QString &text : {tr("农历"), tr("公历")}) {
            ui->label_BirthdayType->setText(text);
            ui->label_BirthdayType->adjustSize();
            typeWidth = qMax(typeWidth, ui->label_BirthdayType->width());
        }
    }
    const BirthdayInfoData &record = reminder.record();
    ui->label_BirthdayType->setMinimumWidth(typeWidth);
    ui->label_BirthdayType->setText(record.IsLunar ? tr("农历") : tr("公历"));
    ui->label_BirthdayType->setToolTip(record.IsLunar ? tr("按农历过生日") : tr("按公历过生日"));
    ui->label_ShowName->setText(BirthdayReminder::displayName(record));
    ui->label_ShowName->adjustSize();
    ui->label_ShowName->setMinimumWidth(nameWidth);
    ui->label_Gender->setStyleSheet(
        record.Gender ? QStringLiteral("#label_Gender{border-image:url(:/img/Birthday/GenderMale.png);}")
                      : QStringLiteral("#label_Gender{border-image:url(:/img/Birthday/GenderFemale.png);}"));
    ui->label_RecentDate->setText(record.RecentDate.toString(StoredFormat::Date));
    ui->label_Icon->setPixmap(QPixmap(record.IconPath));
    ui->label_Icon->setScaledContents(true);
    showOutcome();
    // Children added to a row that is already on screen appear only when shown.
    ui->widget->show();
}

void BirthdayWidgetItem::setShowNameMinimumWidth(int width)
{
    nameWidth = width;
    if (ui)
        ui->label_ShowName->setMinimumWidth(width);
}

void BirthdayWidgetItem::slotTimerTimeout()
{
    updateReminders(QDateTime::currentMSecsSinceEpoch());
}

void BirthdayWidgetItem::updateReminders(qint64 nowMs)
{
    const QDate today = QDateTime::fromMSecsSinceEpoch(nowMs).date();
    const BirthdayReminder::Outcome outcome = reminder.evaluate(today, currentNoticeConfig);
    // Nothing changes before the date does.
    setDeadline(QDateTime(today.addDays(1), QTime(0, 0)).toMSecsSinceEpoch());
    if (outcome.refreshLabels) {
        ageText = outcome.ageText;
        if (outcome.countdownChanged)
            days = outcome.days;
        showOutcome();
    }
    if (outcome.sendOperation)
        emit interfacePublicData.SIGNALSendQuery(outcome.operation, QVariant::fromValue(outcome.record));
    if (!outcome.centralNotice.isEmpty())
        emit interfacePublicData.SIGNALShowCentralNotice(NoticeWhatBirthday, outcome.centralNotice);
    if (!outcome.normalNotice.isEmpty())
        emit interfacePublicData.SIGNALShowNormalNotice(NoticeWhatBirthday, outcome.normalNotice);
}

void BirthdayWidgetItem::showOutcome()
{
    if (!ui)
        return;
    ui->label_Age->setText(ageText);
    ui->label_Age->setToolTip(ageText == QLatin1String("-") ? tr("没有出生年份，年龄未知")
                                                            : tr("这个生日满 %1 岁").arg(ageText));
    ui->label_Countdown->setText(QString::number(days));
    ui->label_Countdown->setToolTip(days > 0 ? tr("还有 %n 天过生日", nullptr, days) : tr("今天过生日"));
}
