#include "vault/usersconfiggroup.h"
#include "ui_usersconfiggroup.h"

#include "data/configsettings.h"
#include "data/interfacepublicdata.h"
#include "vault/secretclipboard.h"
#include "vault/vaultinput.h"

#include <QMessageBox>

UsersConfigGroup::UsersConfigGroup(QWidget *parent) : QGroupBox(parent), ui(new Ui::UsersConfigGroup)
{
    ui->setupUi(this);
    VaultInput::installSettingValidator(ui->lineEdit_UserLimitOnePage);
    VaultInput::installSettingValidator(ui->lineEdit_NoActiveLogoutSec);
    VaultInput::installSettingValidator(ui->lineEdit_ClipboardClearSeconds);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &UsersConfigGroup::slotReceiveQueryData, Qt::UniqueConnection);
}

UsersConfigGroup::~UsersConfigGroup()
{
    delete ui;
}

void UsersConfigGroup::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case UsersConfigSelect:
        stored = var.value<UsersConfigData>();
        ui->lineEdit_UserLimitOnePage->setText(QString::number(stored.UserLimitOnePage));
        ui->lineEdit_NoActiveLogoutSec->setText(QString::number(stored.NoActiveLogoutSec));
        showClipboardSeconds();
        ui->pushButton_UsersSetUpdate->setEnabled(false);
        break;
    case UsersConfigUpdate:
        emit interfacePublicData.SIGNALSendQuery(UsersConfigSelect, QVariant());
        break;
    default:
        break;
    }
}

void UsersConfigGroup::on_pushButton_UsersSetUpdate_clicked()
{
    const int limit = VaultInput::settingValue(ui->lineEdit_UserLimitOnePage->text());
    if (!VaultInput::limitOnePageValid(limit))
        return refuse(ui->lineEdit_UserLimitOnePage, stored.UserLimitOnePage,
                      QStringLiteral("0~100\n0: ") + tr("不分页"));
    const int seconds = VaultInput::settingValue(ui->lineEdit_NoActiveLogoutSec->text());
    if (!VaultInput::logoutSecondsValid(seconds))
        return refuse(ui->lineEdit_NoActiveLogoutSec, stored.NoActiveLogoutSec,
                      QStringLiteral("0 ") + tr("或") + QStringLiteral(" 30~300\n0: ") +
                          tr("不自动退出，有被他人查看的风险"));
    const int clipboardSeconds = VaultInput::settingValue(ui->lineEdit_ClipboardClearSeconds->text());
    if (!SecretClipboard::clearSecondsValid(clipboardSeconds))
        return refuse(ui->lineEdit_ClipboardClearSeconds, SecretClipboard::configuredClearSeconds(),
                      QStringLiteral("0 ") + tr("或") +
                          QStringLiteral(" %1~%2\n0: ")
                              .arg(SecretClipboard::MinClearSeconds)
                              .arg(SecretClipboard::MaxClearSeconds) +
                          tr("不清除，复制的内容留在剪贴板中"));
    ConfigSettings settings;
    settings.setClipboardClearSeconds(clipboardSeconds);
    if (!settings.syncOrTell(this))
        showClipboardSeconds();
    emit interfacePublicData.SIGNALSendQuery(UsersConfigUpdate, QVariant::fromValue(UsersConfigData{limit, seconds}));
    ui->pushButton_UsersSetUpdate->setEnabled(false);
}

void UsersConfigGroup::refuse(QLineEdit *field, int storedValue, const QString &range)
{
    QMessageBox::information(this, tr("输入无效"), tr("范围") + QStringLiteral(": ") + range);
    field->setText(QString::number(storedValue));
    ui->pushButton_UsersSetUpdate->setEnabled(false);
}

void UsersConfigGroup::showClipboardSeconds()
{
    ui->lineEdit_ClipboardClearSeconds->setText(QString::number(SecretClipboard::configuredClearSeconds()));
}

void UsersConfigGroup::on_lineEdit_ClipboardClearSeconds_textChanged(const QString &)
{
    ui->pushButton_UsersSetUpdate->setEnabled(true);
}

void UsersConfigGroup::on_lineEdit_UserLimitOnePage_textChanged(const QString &)
{
    ui->pushButton_UsersSetUpdate->setEnabled(true);
}

void UsersConfigGroup::on_lineEdit_NoActiveLogoutSec_textChanged(const QString &)
{
    ui->pushButton_UsersSetUpdate->setEnabled(true);
}
