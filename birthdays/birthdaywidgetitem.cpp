#include "birthdays/birthdaywidgetitem.h"
#include "ui_birthdaywidgetitem.h"

#include "birthdays/birthdayrow.h"

#include <QPixmap>

BirthdayWidgetItem::BirthdayWidgetItem(BirthdayRow &shown, QWidget *parent) : QWidget(parent), row(&shown)
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
    const BirthdayInfoData &record = shown.record();
    ui->label_BirthdayType->setMinimumWidth(typeWidth);
    ui->label_BirthdayType->setText(record.IsLunar ? tr("农历") : tr("公历"));
    ui->label_BirthdayType->setToolTip(record.IsLunar ? tr("按农历过生日") : tr("按公历过生日"));
    ui->label_ShowName->setText(BirthdayReminder::displayName(record));
    ui->label_ShowName->adjustSize();
    ui->label_ShowName->setMinimumWidth(shown.nameWidth);
    ui->label_Gender->setStyleSheet(
        record.Gender ? QStringLiteral("#label_Gender{border-image:url(:/img/Birthday/GenderMale.png);}")
                      : QStringLiteral("#label_Gender{border-image:url(:/img/Birthday/GenderFemale.png);}"));
    ui->label_RecentDate->setText(record.RecentDate.toString(StoredFormat::Date));
    ui->label_Icon->setPixmap(QPixmap(record.IconPath));
    ui->label_Icon->setScaledContents(true);
    showOutcome();
}

BirthdayWidgetItem::~BirthdayWidgetItem()
{
    if (row && row->widget() == this)
        row->setWidget(nullptr);
    delete ui;
}

void BirthdayWidgetItem::setShowNameMinimumWidth(int width)
{
    ui->label_ShowName->setMinimumWidth(width);
}

void BirthdayWidgetItem::showOutcome()
{
    const QString ageText = row->ageText();
    const int days = row->days();
    ui->label_Age->setText(ageText);
    ui->label_Age->setToolTip(ageText == QLatin1String("-") ? tr("没有出生年份，年龄未知")
                                                            : tr("这个生日满 %1 岁").arg(ageText));
    ui->label_Countdown->setText(QString::number(days));
    ui->label_Countdown->setToolTip(days > 0 ? tr("还有 %n 天过生日", nullptr, days) : tr("今天过生日"));
}
