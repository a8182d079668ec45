#include "birthdays/birthdaywidgetitem.h"
#include "ui_birthdaywidgetitem.h"

#include "data/interfacepublicdata.h"

#include <QPixmap>
#include <QTimer>

BirthdayWidgetItem::BirthdayWidgetItem(const BirthdayInfoData &record, QWidget *parent)
    : QWidget(parent), ui(new Ui::BirthdayWidgetItem), reminder(record)
{
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
    ui->label_BirthdayType->setMinimumWidth(typeWidth);
    ui->label_BirthdayType->setText(record.IsLunar ? tr("农历") : tr("公历"));
    ui->label_BirthdayType->setToolTip(record.IsLunar ? tr("按农历过生日") : tr("按公历过生日"));
    ui->label_ShowName->setText(BirthdayReminder::displayName(record));
    ui->label_ShowName->adjustSize();
    ui->label_Gender->setStyleSheet(
        record.Gender ? QStringLiteral("#label_Gender{border-image:url(:/img/Birthday/GenderMale.png);}")
                      : QStringLiteral("#label_Gender{border-image:url(:/img/Birthday/GenderFemale.png);}"));
    ui->label_RecentDate->setText(record.RecentDate.toString(QStringLiteral("yyyy-MM-dd")));
    ui->label_Icon->setPixmap(QPixmap(record.IconPath));
    ui->label_Icon->setScaledContents(true);

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &BirthdayWidgetItem::slotTimerTimeout);
    slotTimerTimeout();
    timer->start(ReminderIntervalMs);
}

BirthdayWidgetItem::~BirthdayWidgetItem()
{
    delete ui;
}

int BirthdayWidgetItem::showNameWidth() const
{
    return ui->label_ShowName->width();
}

void BirthdayWidgetItem::setShowNameMinimumWidth(int width)
{
    ui->label_ShowName->setMinimumWidth(width);
}

void BirthdayWidgetItem::slotTimerTimeout()
{
    const BirthdayReminder::Outcome outcome = reminder.evaluate();
    if (outcome.refreshLabels) {
        ui->label_Age->setText(outcome.ageText);
        ui->label_Age->setToolTip(outcome.ageText == QLatin1String("-") ? tr("没有出生年份，年龄未知")
                                                                        : tr("这个生日满 %1 岁").arg(outcome.ageText));
        if (outcome.countdownChanged) {
            ui->label_Countdown->setText(QString::number(outcome.days));
            ui->label_Countdown->setToolTip(outcome.days > 0 ? tr("还有 %n 天过生日", nullptr, outcome.days)
                                                             : tr("今天过生日"));
        }
    }
    if (outcome.sendOperation)
        emit interfacePublicData.SIGNALSendQuery(outcome.operation, QVariant::fromValue(outcome.record));
    if (!outcome.centralNotice.isEmpty())
        emit interfacePublicData.SIGNALShowCentralNotice(NoticeWhatBirthday, outcome.centralNotice);
    if (!outcome.normalNotice.isEmpty())
        emit interfacePublicData.SIGNALShowNormalNotice(NoticeWhatBirthday, outcome.normalNotice);
}
