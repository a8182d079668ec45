#include "vault/aesaccountupdatedialog.h"
#include "ui_aesaccountupdatedialog.h"

#include "data/interfacepublicdata.h"
#include "vault/secretfield.h"
#include "vault/vaultinput.h"

#include <QCloseEvent>
#include <QCoreApplication>

AesAccountUpdateDialog::AesAccountUpdateDialog(QWidget *parent) : QDialog(parent), ui(new Ui::AesAccountUpdateDialog)
{
    ui->setupUi(this);
    // A label's mnemonic takes the focus to the field it names.
    ui->label_UserNew->setBuddy(ui->lineEdit_UserNew);
    ui->label_KeyNew->setBuddy(ui->lineEdit_KeyNew);
    ui->label_KeyNewRepeat->setBuddy(ui->lineEdit_KeyNewRepeat);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    VaultInput::installUserNameValidator(ui->lineEdit_UserNew);
    VaultInput::installKeyValidator(ui->lineEdit_KeyNew);
    VaultInput::installKeyValidator(ui->lineEdit_KeyNewRepeat);
    SecretField::protect(ui->lineEdit_KeyNew);
    SecretField::protect(ui->lineEdit_KeyNewRepeat);
    ui->widget_UpdateInfo->hide();
    adjustSize();
    // An answer reaches the window that asked before the Users tab hears of it.
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveAnswer, this,
            &AesAccountUpdateDialog::slotReceiveAnswer, Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus, this,
            &AesAccountUpdateDialog::slotAesUpdateStatus, Qt::UniqueConnection);
}

AesAccountUpdateDialog::~AesAccountUpdateDialog()
{
    delete ui;
}

QMessageBox::StandardButton AesAccountUpdateDialog::showPendingMessage(QMessageBox::Icon icon, const QString &title,
                                                                       const QString &text,
                                                                       QMessageBox::StandardButtons buttons)
{
    delete pendingMessage;
    auto *box = new QMessageBox(icon, title, text, buttons, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    if (buttons.testFlag(QMessageBox::Cancel))
        box->setDefaultButton(QMessageBox::Cancel);
    pendingMessage = box;
    const auto answer = static_cast<QMessageBox::StandardButton>(box->exec());
    return answer;
}

void AesAccountUpdateDialog::resetPages()
{
    ui->widget_AesInfo->show();
    ui->widget_UpdateInfo->hide();
    for (QLineEdit *edit : {ui->lineEdit_UserNew, ui->lineEdit_KeyNew, ui->lineEdit_KeyNewRepeat})
        SecretField::wipe(edit);
    ui->pushButton_ShowKey->setChecked(false);
    on_pushButton_ShowKey_clicked(false);
    ui->textEdit_UpdataInfo->clear();
    ui->progressBar->setValue(0);
    adjustSize();
}

void AesAccountUpdateDialog::on_pushButton_Ok_clicked()
{
    if (ui->widget_AesInfo->isHidden()) {
        accept();
        return;
    }
    const QString user = ui->lineEdit_UserNew->text();
    const QString key = ui->lineEdit_KeyNew->text();
    if (user.isEmpty() && key.isEmpty()) {
        showPendingMessage(QMessageBox::Information, tr("未填写更改项"), tr("请至少填写一个需要更改的内容！"),
                           QMessageBox::Ok);
        return;
    }
    if (!user.isEmpty() && !ui->lineEdit_UserNew->hasAcceptableInput()) {
        showPendingMessage(QMessageBox::Information, VaultInput::userNameInvalidTitle(),
                           VaultInput::userNameFormatText(), QMessageBox::Ok);
        return;
    }
    if (!key.isEmpty() && !ui->lineEdit_KeyNew->hasAcceptableInput()) {
        showPendingMessage(QMessageBox::Information, VaultInput::keyInvalidTitle(), VaultInput::keyFormatText(),
                           QMessageBox::Ok);
        return;
    }
    if (key != ui->lineEdit_KeyNewRepeat->text()) {
        showPendingMessage(QMessageBox::Information, VaultInput::keysDifferTitle(), VaultInput::keysDifferText(),
                           QMessageBox::Ok);
        return;
    }
    QString confirmation = tr("更改信息") + QStringLiteral(": ");
    if (!user.isEmpty())
        confirmation += QStringLiteral("\n") + tr("<用户>将被更新为") + QStringLiteral(": ") + user;
    if (!key.isEmpty())
        confirmation += QStringLiteral("\n") + tr("<密钥>将被更新");
    const QMessageBox::StandardButton answer = showPendingMessage(QMessageBox::Information, tr("请确认更改"),
                                                                  confirmation, QMessageBox::Ok | QMessageBox::Cancel);
    // The vault may have closed while the box was open: then there is nothing to re-encrypt with.
    if (answer != QMessageBox::Ok || !interfacePublicData.loggedIn)
        return;
    ui->widget_AesInfo->hide();
    ui->widget_UpdateInfo->show();
    ui->pushButton_Ok->setEnabled(false);
    ui->pushButton_Cancel->setEnabled(false);
    interfacePublicData.reencryptIdle = false;
    adjustSize();
    changeRequest = interfacePublicData.sendRequest(AesAccountUpdate,
                                                    QVariant::fromValue(interfacePublicData.setNewAccount(user, key)));
}

void AesAccountUpdateDialog::on_pushButton_Cancel_clicked()
{
    reject();
}

void AesAccountUpdateDialog::slotAesUpdateStatus(QString info, int progressValue, int progressMax)
{
    // A change started elsewhere (a login that stores an older vault anew) is not shown here.
    if (isHidden())
        return;
    if (!info.isEmpty())
        ui->textEdit_UpdataInfo->append(info);
    ui->progressBar->setValue(progressValue);
    ui->progressBar->setMaximum(progressMax);
}

void AesAccountUpdateDialog::quitForRestore(QWidget *parent)
{
    // The backup is still there; the next start puts it back.
    QMessageBox::critical(parent, tr("数据库执行出错"), tr("请重启软件以还原数据库！"));
    QCoreApplication::quit();
}

void AesAccountUpdateDialog::slotReceiveAnswer(quint64 requestId, SqlOperateType, QVariant var)
{
    if (requestId != changeRequest)
        return;
    changeRequest = 0;
    switch (var.value<AesAccountUpdateResultType>()) {
    case AesUpdateExecError:
        quitForRestore(this);
        break;
    default:
        ui->pushButton_Ok->setEnabled(true);
        ui->pushButton_Cancel->setEnabled(true);
        interfacePublicData.reencryptIdle = true;
        break;
    }
}

bool AesAccountUpdateDialog::refuseWhileRunning()
{
    if (interfacePublicData.reencryptIdle)
        return false;
    showPendingMessage(QMessageBox::Information, tr("请等待"), tr("请等待进度完成哦"), QMessageBox::Ok);
    return true;
}

void AesAccountUpdateDialog::reject()
{
    if (!refuseWhileRunning())
        QDialog::reject();
}

void AesAccountUpdateDialog::closeEvent(QCloseEvent *event)
{
    if (refuseWhileRunning()) {
        event->ignore();
        return;
    }
    resetPages();
    QDialog::closeEvent(event);
}

void AesAccountUpdateDialog::on_AesAccountUpdateDialog_accepted()
{
    resetPages();
}

void AesAccountUpdateDialog::on_AesAccountUpdateDialog_rejected()
{
    resetPages();
    if (pendingMessage) {
        pendingMessage->reject();
        pendingMessage->deleteLater();
    }
}

void AesAccountUpdateDialog::on_pushButton_ShowKey_clicked(bool checked)
{
    const QLineEdit::EchoMode echo = checked ? QLineEdit::Normal : QLineEdit::Password;
    ui->lineEdit_KeyNew->setEchoMode(echo);
    ui->lineEdit_KeyNewRepeat->setEchoMode(echo);
}
