#include "notices/noticeconfig.h"
#include "ui_noticeconfig.h"

#include "data/interfacepublicdata.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QRegExpValidator>

NoticeConfig::NoticeConfig(QWidget *parent) : QDialog(parent), ui(new Ui::NoticeConfig)
{
    ui->setupUi(this);
    // A label's mnemonic takes the focus to the field it names.
    ui->label_NoticeAppearTime->setBuddy(ui->lineEdit_NoticeAppearTime);
    ui->label_NoticeKeepTime->setBuddy(ui->lineEdit_NoticeKeepTime);
    ui->label_NoticeDisappearTime->setBuddy(ui->lineEdit_NoticeDisppearTime);
    ui->label_NormalNoticeDisplaySec->setBuddy(ui->lineEdit_NormalNoticeDisplaySec);
    ui->label_FontColor->setBuddy(ui->pushButton_FontColor);
    ui->label_FontShadowColor->setBuddy(ui->pushButton_FontShadowColor);
    // The colour buttons show only their colour.
    ui->pushButton_FontColor->setAccessibleName(tr("文本颜色"));
    ui->pushButton_FontShadowColor->setAccessibleName(tr("阴影颜色"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);

    const QString secondsOneToFive = QStringLiteral("[1-5]");
    ui->lineEdit_NoticeAppearTime->setValidator(new QRegExpValidator(QRegExp(secondsOneToFive), this));
    ui->lineEdit_NoticeDisppearTime->setValidator(new QRegExpValidator(QRegExp(secondsOneToFive), this));
    ui->lineEdit_NoticeKeepTime->setValidator(
        new QRegExpValidator(QRegExp(QStringLiteral("[1-9]|[1-5][0-9]|60")), this));
    ui->lineEdit_NormalNoticeDisplaySec->setValidator(
        new QRegExpValidator(QRegExp(QStringLiteral("[1-9][0-9]{1,2}|1[0-7][0-9]{2}|1800")), this));

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &NoticeConfig::slotReceiveQueryData, Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveAnswer, this, &NoticeConfig::slotReceiveAnswer,
            Qt::UniqueConnection);
    settingsRequest = interfacePublicData.sendRequest(TaskConfigSelect);
}

NoticeConfig::~NoticeConfig()
{
    delete ui;
}

QList<NoticeConfig::Field> NoticeConfig::fields() const
{
    // In the order a save checks them.
    return {{ui->lineEdit_NoticeAppearTime, QStringLiteral(": 1~5"), &NoticeConfigData::CN_AppearSec},
            {ui->lineEdit_NoticeKeepTime, QStringLiteral(": 1~60"), &NoticeConfigData::CN_KeepSec},
            {ui->lineEdit_NoticeDisppearTime, QStringLiteral(": 1~5"), &NoticeConfigData::CN_DisappearSec},
            {ui->lineEdit_NormalNoticeDisplaySec, QStringLiteral(": 10~1800"), &NoticeConfigData::NN_DisplaySec}};
}

bool NoticeConfig::isAcceptable(const QLineEdit *edit)
{
    QString text = edit->text();
    int position = 0;
    return edit->validator()->validate(text, position) == QValidator::Acceptable;
}

QLineEdit *NoticeConfig::firstInvalidField() const
{
    for (const Field &field : fields()) {
        if (!isAcceptable(field.edit))
            return field.edit;
    }
    return nullptr;
}

void NoticeConfig::showColor(QPushButton *button, const QColor &color)
{
    button->setStyleSheet(QStringLiteral("#%1{background-color:rgb(%2,%3,%4);border:1px groove rgb(64,64,64);}")
                              .arg(button->objectName())
                              .arg(color.red())
                              .arg(color.green())
                              .arg(color.blue()));
}

void NoticeConfig::showWorkingColors()
{
    showColor(ui->pushButton_FontColor, fontColor);
    showColor(ui->pushButton_FontShadowColor, fontShadowColor);
}

void NoticeConfig::showSwitches(const NoticeConfigData &config)
{
    ui->pushButton_CentralNoticeSwitchTask->setChecked(config.CN_EnableTask);
    ui->pushButton_CentralNoticeSwitchBirthday->setChecked(config.CN_EnableBirthday);
    ui->pushButton_NormalNoticeSwitchTask->setChecked(config.NN_EnableTask);
    ui->pushButton_NormalNoticeSwitchBirthday->setChecked(config.NN_EnableBirthday);
}

void NoticeConfig::applyConfig(const NoticeConfigData &config)
{
    currentNoticeConfig = config;
    fontColor = config.CN_Color;
    fontShadowColor = config.CN_ShadowColor;
    bgType = config.CN_BgType;
    if (bgType == 1)
        ui->radioButton_LineBackground->setChecked(true);
    else if (bgType == 0)
        ui->radioButton_NoBackground->setChecked(true);
    else if (bgType == 2)
        ui->radioButton_FullScreenBackground->setChecked(true);
    showWorkingColors();
    for (const Field &field : fields())
        field.edit->setText(QString::number(config.*field.value));
    showSwitches(config);
    emit SIGNALUpdateCentralNoticeCfg();
}

void NoticeConfig::prepareToOpen()
{
    for (const Field &field : fields()) {
        field.edit->setStyleSheet(QString());
        if (!isAcceptable(field.edit))
            field.edit->setText(QString::number(currentNoticeConfig.*field.value));
    }
    fontColor = currentNoticeConfig.CN_Color;
    fontShadowColor = currentNoticeConfig.CN_ShadowColor;
    showWorkingColors();
    showSwitches(currentNoticeConfig);
}

int NoticeConfig::openDialog()
{
    prepareToOpen();
    return exec();
}

void NoticeConfig::slotReceiveQueryData(SqlOperateType operate, QVariant)
{
    if (operate == TaskConfigUpdate)
        settingsRequest = interfacePublicData.sendRequest(TaskConfigSelect);
}

void NoticeConfig::slotReceiveAnswer(quint64 requestId, SqlOperateType, QVariant var)
{
    if (requestId == settingsRequest)
        applyConfig(var.value<NoticeConfigData>());
}

void NoticeConfig::on_pushButton_Ok_clicked()
{
    const QList<Field> all = fields();
    for (const Field &field : all)
        field.edit->setStyleSheet(QString());
    for (const Field &field : all) {
        if (isAcceptable(field.edit))
            continue;
        field.edit->setStyleSheet(QStringLiteral("#%1{border:1px solid red;}").arg(field.edit->objectName()));
        QMessageBox::information(this, tr("输入无效"), tr("范围") + field.range);
        return;
    }

    for (const Field &field : all)
        currentNoticeConfig.*field.value = field.edit->text().toInt();
    currentNoticeConfig.CN_Color = fontColor;
    currentNoticeConfig.CN_ShadowColor = fontShadowColor;
    currentNoticeConfig.CN_BgType = bgType;
    currentNoticeConfig.CN_EnableTask = ui->pushButton_CentralNoticeSwitchTask->isChecked();
    currentNoticeConfig.CN_EnableBirthday = ui->pushButton_CentralNoticeSwitchBirthday->isChecked();
    currentNoticeConfig.NN_EnableTask = ui->pushButton_NormalNoticeSwitchTask->isChecked();
    currentNoticeConfig.NN_EnableBirthday = ui->pushButton_NormalNoticeSwitchBirthday->isChecked();
    emit SIGNALUpdateCentralNoticeCfg();
    emit interfacePublicData.SIGNALSendQuery(TaskConfigUpdate, QVariant::fromValue(currentNoticeConfig));
    accept();
}

void NoticeConfig::on_pushButton_Cancel_clicked()
{
    reject();
}

void NoticeConfig::pickColor(QPushButton *button, QColor &color, const QString &title)
{
    QColorDialog dialog(color, this);
    dialog.setWindowTitle(title);
    dialog.move(geometry().topLeft());
    if (dialog.exec() != QDialog::Accepted)
        return;
    color = dialog.selectedColor();
    showColor(button, color);
}

void NoticeConfig::on_pushButton_FontColor_clicked()
{
    pickColor(ui->pushButton_FontColor, fontColor, tr("请设置字体颜色"));
}

void NoticeConfig::on_pushButton_FontShadowColor_clicked()
{
    pickColor(ui->pushButton_FontShadowColor, fontShadowColor, tr("请设置字体阴影颜色"));
}

void NoticeConfig::on_radioButton_FullScreenBackground_toggled(bool checked)
{
    if (checked)
        bgType = 2;
}

void NoticeConfig::on_radioButton_LineBackground_toggled(bool checked)
{
    if (checked)
        bgType = 1;
}

void NoticeConfig::on_radioButton_NoBackground_toggled(bool checked)
{
    if (checked)
        bgType = 0;
}
