#include "vault/userstab.h"
#include "ui_userstab.h"

#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "models/vaultcipher.h"
#include "vault/aesaccountupdatedialog.h"
#include "vault/secretclipboard.h"
#include "vault/secretfield.h"
#include "vault/userinfodetaildialog.h"
#include "vault/vaultinput.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

UsersTab::UsersTab(QWidget *parent) : QWidget(parent), ui(new Ui::UsersTab)
{
    ui->setupUi(this);
    // After the form: its slots connect by name to the first widget of that name among all children, and the
    // master change dialog has an eye of its own.
    userInfoDetailDialog = new UserInfoDetailDialog(this);
    aesAccountUpdateDialog = new AesAccountUpdateDialog(this);
    ui->label_LoginTips->hide();
    ui->pushButton_AesAccountUpdate->hide();
    VaultInput::installUserNameValidator(ui->lineEdit_User);
    VaultInput::installKeyValidator(ui->lineEdit_Key);
    SecretField::protect(ui->lineEdit_Key);
    sizeColumns();
    for (QObject *watched : {static_cast<QObject *>(ui->lineEdit_Key), static_cast<QObject *>(ui->lineEdit_SearchText),
                             static_cast<QObject *>(ui->lineEdit_GoPage)})
        watched->installEventFilter(this);
    // Delete asks as the button does, and only where the button may act.
    connect(new QShortcut(QKeySequence::Delete, ui->tableWidget_Users, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this]() { ui->pushButton_DelUser->animateClick(); });
    // Copying as password managers do: from the context menu, or Ctrl+B and Ctrl+C on the chosen row.
    copyUserAction = new QAction(tr("复制用户名(&U)"), ui->tableWidget_Users);
    copyUserAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_B));
    connect(copyUserAction, &QAction::triggered, this, [this]() { copyFromRow(false); });
    copyPwdAction = new QAction(tr("复制密码(&P)"), ui->tableWidget_Users);
    copyPwdAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_C));
    connect(copyPwdAction, &QAction::triggered, this, [this]() { copyFromRow(true); });
    for (QAction *action : {copyUserAction, copyPwdAction}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setEnabled(false);
        ui->tableWidget_Users->addAction(action);
    }
    ui->tableWidget_Users->setContextMenuPolicy(Qt::ActionsContextMenu);

    loginOutTimer = new QTimer(this);
    loginOutTimer->setInterval(1000);
    connect(loginOutTimer, &QTimer::timeout, this, &UsersTab::slotTimerLoginOutTimeout);
    warnBorderTimer = new QTimer(this);
    warnBorderTimer->setInterval(100);
    connect(warnBorderTimer, &QTimer::timeout, this, &UsersTab::slotTimerWarnBorderTimeout);

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this, &UsersTab::slotReceiveQueryData,
            Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin, this, &UsersTab::slotAesLogin,
            Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALUserActiveStatusChanged, this,
            &UsersTab::slotUserActiveStatusChanged, Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALLatin1VaultOpened, this, &UsersTab::slotLatin1VaultOpened,
            Qt::UniqueConnection);
}

UsersTab::~UsersTab()
{
    delete ui;
}

// Column widths that do not follow the page shown: the nickname, phone and date as wide as a phone number or
// a date (or their header); the title, user name and e-mail share the rest.
void UsersTab::sizeColumns()
{
    QHeaderView *header = ui->tableWidget_Users->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Stretch);
    const int margin = 6 * style()->pixelMetric(QStyle::PM_HeaderMargin);
    const QString phone = QStringLiteral("13800138000");
    for (const auto &fixed : {qMakePair(2, phone), qMakePair(3, phone), qMakePair(5, QStringLiteral("2024-05-19"))}) {
        const QString title = ui->tableWidget_Users->horizontalHeaderItem(fixed.first)->text();
        header->setSectionResizeMode(fixed.first, QHeaderView::Fixed);
        header->resizeSection(fixed.first, qMax(header->fontMetrics().horizontalAdvance(title),
                                                ui->tableWidget_Users->fontMetrics().horizontalAdvance(fixed.second)) +
                                               margin);
    }
}

void UsersTab::focusSearch()
{
    ui->lineEdit_SearchText->setFocus(Qt::ShortcutFocusReason);
    ui->lineEdit_SearchText->selectAll();
}

void UsersTab::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case UsersConfigSelect:
        applyUsersConfig(var);
        break;
    case UsersUserQuery:
        showUsersPage(var.value<UsersUserResultData>());
        break;
    case UsersUserInfoUpdate:
    case UsersUserInfoInsert:
    case UsersUserInfoDelete:
        sendUsersQuery(1);
        break;
    case UsersVerifySelectRegistered:
        ui->pushButton_Login->setText(interfacePublicData.registered ? tr("验证") : tr("注册"));
        break;
    case AesAccountUpdate:
        finishAccountUpdate(var);
        break;
    default:
        break;
    }
}

bool UsersTab::eventFilter(QObject *watched, QEvent *event)
{
    // Return in the key, search and page fields presses the button beside them.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Only the three fields are watched.
            const auto press = watched == ui->lineEdit_Key          ? &UsersTab::on_pushButton_Login_clicked
                               : watched == ui->lineEdit_SearchText ? &UsersTab::on_pushButton_Search_clicked
                                                                    : &UsersTab::on_pushButton_GoPage_clicked;
            QTimer::singleShot(0, this, press);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool UsersTab::checkLoginInput()
{
    if (!ui->lineEdit_User->hasAcceptableInput()) {
        QMessageBox::information(this, VaultInput::userNameInvalidTitle(), VaultInput::userNameFormatText(),
                                 QMessageBox::Ok);
        return false;
    }
    if (!ui->lineEdit_Key->hasAcceptableInput()) {
        QMessageBox::information(this, VaultInput::keyInvalidTitle(), VaultInput::keyFormatText(), QMessageBox::Ok);
        return false;
    }
    return true;
}

void UsersTab::on_pushButton_Login_clicked()
{
    // A login that stores an older vault anew is running (Return in the key field still comes here).
    if (!interfacePublicData.reencryptIdle)
        return;
    if (interfacePublicData.registered && interfacePublicData.loggedIn) {
        interfacePublicData.aesLogout(LogoutManual);
        return;
    }
    if (interfacePublicData.registered) {
        if (!checkLoginInput()) {
            ui->pushButton_Login->setText(tr("验证"));
            ui->pushButton_Login->setEnabled(true);
            return;
        }
        const QString user = ui->lineEdit_User->text();
        const QString key = ui->lineEdit_Key->text();
        SecretField::wipe(ui->lineEdit_User);
        SecretField::wipe(ui->lineEdit_Key);
        emit SIGNALStatusMessage(tr("验证中..."), 0);
        ui->pushButton_Login->setText(tr("验证中"));
        ui->pushButton_Login->setEnabled(false);
        interfacePublicData.setLoginAccount(user, key);
        return;
    }
    if (!checkLoginInput())
        return;
    // Whichever question is declined, the status bar says that nothing was registered.
    const QString cancelled = tr("已取消注册");
    // A lost key cannot be recovered, so a typo must not become the key.
    QString repeated;
    if (!askKeyAgain(tr("请再次输入密钥"), &repeated)) {
        emit SIGNALStatusMessage(cancelled, 10000);
        return;
    }
    const bool same = repeated == ui->lineEdit_Key->text();
    VaultCipher::wipe(repeated);
    if (!same) {
        SecretField::wipe(ui->lineEdit_Key);
        QMessageBox::information(this, VaultInput::keysDifferTitle(), VaultInput::keysDifferText());
        return;
    }
    const QString warning =
        tr("请牢记用户名和密钥：二者都无法找回，忘记后加密保存的密码、密码备注和加密的备注将无法恢复。");
    // The key was typed twice already: Enter goes on with what the user set out to do.
    if (QMessageBox::information(this, tr("确认注册该账号吗？"),
                                 ui->lineEdit_User->text() + QStringLiteral("\n\n") + warning,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok)
        interfacePublicData.setLoginAccount(ui->lineEdit_User->text(), ui->lineEdit_Key->text());
    else
        emit SIGNALStatusMessage(cancelled, 10000);
}

bool UsersTab::askKeyAgain(const QString &label, QString *key)
{
    QInputDialog repeat(this);
    repeat.setWindowTitle(tr("确认密钥"));
    repeat.setLabelText(label);
    // Chinese can be typed only into a key field that shows its text.
    repeat.setTextEchoMode(ui->lineEdit_Key->echoMode());
    auto *field = repeat.findChild<QLineEdit *>();
    SecretField::protect(field);
    const bool accepted = repeat.exec() == QDialog::Accepted;
    *key = field->text();
    SecretField::wipe(field);
    return accepted;
}

// Any Chinese credentials of the same length open a vault of the older form, so it is stored anew under
// what was typed only when the key is typed again the same; declined, the vault opens as it is.
void UsersTab::slotLatin1VaultOpened(const QString &user)
{
    QString repeated;
    if (!askKeyAgain(
            tr("该账号库由旧版程序注册，将按以下用户名和刚才的密钥重新加密：\n%1\n\n请核对用户名，并再次输入密钥")
                .arg(user),
            &repeated)) {
        interfacePublicData.finishCredentialUpgrade(false);
        return;
    }
    const bool started = interfacePublicData.upgradeCredentials(repeated);
    VaultCipher::wipe(repeated);
    if (!started) {
        QMessageBox::information(this, VaultInput::keysDifferTitle(), VaultInput::keysDifferText());
        interfacePublicData.aesLogout(LoginVerify);
    }
}

void UsersTab::on_pushButton_ShowKey_clicked(bool checked)
{
    ui->lineEdit_Key->setEchoMode(checked ? QLineEdit::Normal : QLineEdit::Password);
}

void UsersTab::slotAesLogin(bool login, LoginOutReasonType reason)
{
    for (QWidget *widget : {static_cast<QWidget *>(ui->label_User), static_cast<QWidget *>(ui->label_Key),
                            static_cast<QWidget *>(ui->lineEdit_User), static_cast<QWidget *>(ui->lineEdit_Key),
                            static_cast<QWidget *>(ui->pushButton_ShowKey)})
        widget->setVisible(!login);
    ui->pushButton_Login->setEnabled(true);
    ui->pushButton_AddUser->setEnabled(login);
    ui->pushButton_DelUser->setEnabled(login);
    copyUserAction->setEnabled(login);
    copyPwdAction->setEnabled(login);
    ui->pushButton_AesAccountUpdate->setVisible(login);
    if (login) {
        emit SIGNALFrameChanged(WarnBorder::solid());
        emit SIGNALStatusMessage(tr("验证通过，请注意周边环境，离开时请务必退出验证！"), 0);
        ui->pushButton_Login->setText(tr("退出验证"));
        // Runs for the whole login: the countdown itself never ends one under the limit 0, and a limit
        // saved later takes effect at once.
        loginOutTimer->start();
        return;
    }

    warnBorderTimer->stop();
    emit SIGNALFrameChanged(QString());
    // Nothing typed before may come back by undo, and the next key is not typed in clear text.
    SecretField::wipe(ui->lineEdit_Key);
    if (reason != LoginRegistered)
        SecretField::wipe(ui->lineEdit_User);
    ui->pushButton_ShowKey->setChecked(false);
    on_pushButton_ShowKey_clicked(false);
    ui->pushButton_Login->setText(tr("验证"));
    if (aesAccountUpdateDialog->isVisible())
        aesAccountUpdateDialog->reject();
    loginOutTimer->stop();
    loginOutCountdown.reset();
    ui->label_LoginTips->hide();
    ui->label_LoginTips->clear();
    // Why the vault is closed; a manual logout and a failed try are news only for a while.
    const QHash<int, QString> texts = {{LogoutManual, tr("正常退出")},
                                       {LogoutInactive, tr("为了你的账号安全，已自动退出验证")},
                                       {LoginVerify, tr("验证失败")},
                                       {LoginRegistered, tr("注册成功，请尝试用刚才的信息进行验证！")},
                                       {LogoutAccountChanged, tr("管理账号已修改，请重新验证！")}};
    const bool brief = reason == LogoutManual || reason == LoginVerify;
    emit SIGNALStatusMessage(texts.value(reason), brief ? 10000 : 0);
}

void UsersTab::slotUserActiveStatusChanged()
{
    ui->label_LoginTips->clear();
    loginOutCountdown.reset();
    if (ui->label_LoginTips->isVisible())
        ui->label_LoginTips->hide();
}

void UsersTab::slotTimerLoginOutTimeout()
{
    switch (loginOutCountdown.tick(interfacePublicData.reencryptIdle, interfacePublicData.loggedIn)) {
    case LogoutCountdown::Calm:
        if (warnBorderTimer->isActive()) {
            warnBorderTimer->stop();
            emit SIGNALFrameChanged(WarnBorder::solid());
        }
        break;
    case LogoutCountdown::Warn:
        if (!warnBorderTimer->isActive()) {
            warnBorderTimer->start();
            ui->label_LoginTips->show();
        }
        ui->label_LoginTips->setText(tr("%1 秒后自动退出验证").arg(loginOutCountdown.remaining()));
        break;
    case LogoutCountdown::Logout:
        interfacePublicData.aesLogout(LogoutInactive);
        ui->label_LoginTips->hide();
        ui->label_LoginTips->clear();
        loginOutTimer->stop();
        break;
    case LogoutCountdown::Frozen:
    case LogoutCountdown::None:
        break;
    }
}

void UsersTab::slotTimerWarnBorderTimeout()
{
    emit SIGNALFrameChanged(warnBorder.step());
}

void UsersTab::on_pushButton_AesAccountUpdate_clicked()
{
    aesAccountUpdateDialog->exec();
}

void UsersTab::applyUsersConfig(const QVariant &var)
{
    const UsersConfigData config = var.value<UsersConfigData>();
    usersQuery.limitOnePage = config.UserLimitOnePage;
    loginOutCountdown.setLimit(config.NoActiveLogoutSec);
    sendUsersQuery(1);
    loginOutCountdown.reset();
}

void UsersTab::sendUsersQuery(int page)
{
    usersQuery.page = page;
    emit interfacePublicData.SIGNALSendQuery(UsersUserQuery, QVariant::fromValue(usersQuery));
}

void UsersTab::showUsersPage(const UsersUserResultData &result)
{
    usersResult = result;
    interfacePublicData.pageUsers = result.users;
    ui->pushButton_PrePage->setEnabled(result.hasPrevPage);
    ui->pushButton_NextPage->setEnabled(result.hasNextPage);
    // An empty result is still one (empty) page: "1 / 1", with nowhere to jump to.
    ui->label_TotalPage->setText(QStringLiteral("/ %1").arg(qMax(1, result.pageCount)));
    ui->lineEdit_GoPage->setText(QString::number(result.page));
    ui->lineEdit_GoPage->setEnabled(result.pageCount > 1);
    ui->pushButton_GoPage->setEnabled(result.pageCount > 1);

    QTableWidget *table = ui->tableWidget_Users;
    table->setHorizontalHeaderLabels({tr("项目"), tr("用户名"), tr("昵称"), tr("手机"), tr("邮箱"), tr("更新")});
    table->setRowCount(result.users.size());
    for (int row = 0; row < result.users.size(); ++row) {
        const UsersUserInfoData &user = result.users.at(row);
        const QStringList cells = {user.Title, user.User,  user.NickName,
                                   user.Phone, user.Email, user.UpdateDate.toString(StoredFormat::Date)};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
}

void UsersTab::on_pushButton_Search_clicked()
{
    const QList<QPair<QRadioButton *, int>> ways = {{ui->radioButton_SearchWayTitle, 1},
                                                    {ui->radioButton_SearchWaySite, 2},
                                                    {ui->radioButton_SearchWayUser, 3},
                                                    {ui->radioButton_SearchWayEmail, 4},
                                                    {ui->radioButton_SearchWayPhone, 5}};
    for (const auto &way : ways) {
        if (way.first->isChecked()) {
            usersQuery.searchType = way.second;
            break;
        }
    }
    usersQuery.searchText = ui->lineEdit_SearchText->text();
    sendUsersQuery(1);
}

void UsersTab::on_pushButton_PrePage_clicked()
{
    sendUsersQuery(usersResult.page - 1);
}

void UsersTab::on_pushButton_NextPage_clicked()
{
    sendUsersQuery(usersResult.page + 1);
}

void UsersTab::on_pushButton_GoPage_clicked()
{
    const int page = ui->lineEdit_GoPage->text().toInt();
    if (page >= 1 && page <= usersResult.pageCount) {
        sendUsersQuery(page);
        return;
    }
    QMessageBox::information(this, tr("输入无效"), tr("输入无效"));
    ui->lineEdit_GoPage->setText(QString::number(usersResult.page));
}

void UsersTab::on_tableWidget_Users_cellDoubleClicked(int row, int)
{
    userInfoDetailDialog->showUserInfo(row);
}

void UsersTab::on_tableWidget_Users_currentCellChanged(int currentRow, int, int, int)
{
    currentUserRow = currentRow;
}

void UsersTab::on_pushButton_AddUser_clicked()
{
    if (interfacePublicData.loggedIn)
        userInfoDetailDialog->showAddUser();
}

void UsersTab::on_pushButton_EditUser_clicked()
{
    if (currentUserRow != -1)
        userInfoDetailDialog->showUserInfo(currentUserRow);
}

void UsersTab::on_pushButton_DelUser_clicked()
{
    // The row must still be on the page: the table may have been reloaded since it was chosen.
    if (!interfacePublicData.loggedIn || currentUserRow < 0 || currentUserRow >= interfacePublicData.pageUsers.size())
        return;
    const UsersUserInfoData user = interfacePublicData.pageUsers.at(currentUserRow);
    const QString text = tr("确认删除该账号？") + QStringLiteral("\n\n") + tr("项目") + QStringLiteral(": ") +
                         user.Title + QStringLiteral("\n") + tr("用户名") + QStringLiteral(": ") + user.User;
    if (QMessageBox::warning(this, tr("警告"), text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
        QMessageBox::Ok)
        emit interfacePublicData.SIGNALSendQuery(UsersUserInfoDelete, user.ID);
}

void UsersTab::copyFromRow(bool password)
{
    if (!interfacePublicData.loggedIn || currentUserRow < 0 || currentUserRow >= interfacePublicData.pageUsers.size())
        return;
    const UsersUserInfoData &user = interfacePublicData.pageUsers.at(currentUserRow);
    bool readable = true;
    const QString text = password ? interfacePublicData.aesDecrypt(user.Pwd, &readable) : user.User;
    QTableWidget *table = ui->tableWidget_Users;
    const QRect cell = table->visualRect(table->model()->index(currentUserRow, 1));
    const QPoint at = table->viewport()->mapToGlobal(cell.bottomLeft());
    if (!readable)
        QToolTip::showText(at, tr("存储的密码已损坏，无法读取"), table);
    else if (text.isEmpty())
        QToolTip::showText(at, password ? tr("该账号没有密码") : tr("该账号没有用户名"), table);
    else
        SecretClipboard::instance()->copyAndTell(text, table, at);
}

void UsersTab::finishAccountUpdate(const QVariant &var)
{
    const bool upgrade = interfacePublicData.credentialUpgrade;
    switch (var.value<AesAccountUpdateResultType>()) {
    case AesUpdateBackupFailed:
        emit interfacePublicData.SIGNALAesUpdateStatus(tr("数据库备份出错！"), 1, 1);
        // The older vault is untouched and still opens under its older form; the next login tries again.
        if (upgrade)
            interfacePublicData.finishCredentialUpgrade(false);
        break;
    case AesUpdateExecError:
        emit interfacePublicData.SIGNALAesUpdateStatus(tr("数据库操作出错！"), 1, 1);
        // The master change dialog tells of its own change; an older vault stored anew is told here.
        if (upgrade)
            AesAccountUpdateDialog::quitForRestore(this);
        break;
    default: {
        // The change is committed and a later start will not go back to the backup; a backup left behind
        // would only stop the next change.
        const QString backup = QString::fromLatin1(SqlThread::BackupPath);
        const bool backupLeft = !QFile::remove(backup) && QFileInfo::exists(backup);
        if (upgrade) {
            interfacePublicData.finishCredentialUpgrade(true);
        } else {
            emit interfacePublicData.SIGNALAesUpdateStatus(tr("修改成功！"), 1, 1);
            interfacePublicData.aesLogout(LogoutAccountChanged);
        }
        sendUsersQuery(1);
        if (interfacePublicData.unreadableFields > 0)
            QMessageBox::information(
                this, tr("部分内容无法读取"),
                tr("%1 个加密内容已损坏，无法读取，已按原样保留。").arg(interfacePublicData.unreadableFields));
        if (backupLeft)
            QMessageBox::information(this, tr("备份文件未能删除"),
                                     SqlThread::undeletableBackupText(QFileInfo(backup).absoluteFilePath()));
        break;
    }
    }
}
