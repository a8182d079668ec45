#include "vault/userinfodetaildialog.h"
#include "ui_userinfodetaildialog.h"

#include "data/interfacepublicdata.h"
#include "vault/passwordgenerator.h"
#include "vault/secretclipboard.h"
#include "vault/secretfield.h"
#include "widgets/textrule.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTextDocument>
#include <QWidgetAction>

#include <algorithm>

UserInfoDetailDialog::UserInfoDetailDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::UserInfoDetailDialog), generatorLength(PasswordGenerator::DefaultLength),
      generatorKinds(PasswordGenerator::AllKinds)
{
    ui->setupUi(this);
    buildGeneratorMenu();
    // A label's mnemonic takes the focus to the field it names.
    ui->label_Title->setBuddy(ui->lineEdit_Title);
    ui->label_User->setBuddy(ui->lineEdit_User);
    ui->label_Phone->setBuddy(ui->lineEdit_Phone);
    ui->label_Email->setBuddy(ui->lineEdit_Email);
    ui->label_Pwd->setBuddy(ui->lineEdit_Pwd);
    ui->label_NickName->setBuddy(ui->lineEdit_NickName);
    ui->label_PwdNote->setBuddy(ui->lineEdit_PwdNote);
    ui->label_Site->setBuddy(ui->lineEdit_Site);
    ui->label_NotePublic->setBuddy(ui->textEdit_NotePublic);
    ui->label_NotePrivate->setBuddy(ui->textEdit_NotePrivate);
    for (QLineEdit *field : {ui->lineEdit_Title, ui->lineEdit_User, ui->lineEdit_Email, ui->lineEdit_Pwd,
                             ui->lineEdit_NickName, ui->lineEdit_PwdNote})
        TextRule::apply(field, FieldLength::Account);
    TextRule::apply(ui->lineEdit_Site, FieldLength::Site);
    TextRule::apply(ui->lineEdit_Phone, FieldLength::Phone);
    TextRule::apply(ui->textEdit_NotePublic);
    TextRule::apply(ui->textEdit_NotePrivate);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    // A password of the generator's length shows whole, masked too, whose dots are the wider.
    const QChar mask(style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, ui->lineEdit_Pwd));
    ui->lineEdit_Pwd->setMinimumWidth(
        ui->lineEdit_Pwd->fontMetrics().horizontalAdvance(QString(PasswordGenerator::DefaultLength + 2, mask)));
    // One size for adding and editing, whatever the language: the fields as wide as they ask to be.
    resize(size().expandedTo(QSize(sizeHint().width(), minimumSizeHint().height())));
    ui->lineEdit_Pwd->installEventFilter(this);
    ui->lineEdit_PwdNote->installEventFilter(this);
    SecretField::protect(ui->lineEdit_Pwd);
    ui->pushButton_Ok->setEnabled(interfacePublicData.loggedIn);
    // Logged out, the secret fields show a hint that must be readable.
    const QLineEdit::EchoMode echo = interfacePublicData.loggedIn ? QLineEdit::Password : QLineEdit::Normal;
    ui->lineEdit_Pwd->setEchoMode(echo);
    ui->lineEdit_PwdNote->setEchoMode(echo);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin, this, &UserInfoDetailDialog::slotAesLogin,
            Qt::UniqueConnection);
}

UserInfoDetailDialog::~UserInfoDetailDialog()
{
    delete ui;
}

bool UserInfoDetailDialog::loadUserInfo(int row)
{
    if (row < 0 || row >= interfacePublicData.pageUsers.size())
        return false;
    // Nothing of an account loaded before may be saved over this one, such as its unreadable fields.
    clearFields();
    ui->pushButton_Cancel->setFocus();
    editRow = row;
    isAdd = false;
    setWindowTitle(tr("编辑账号信息"));
    const UsersUserInfoData &user = interfacePublicData.pageUsers.at(row);
    ui->lineEdit_ID->setText(QString::number(user.ID));
    ui->lineEdit_Title->setText(user.Title);
    ui->lineEdit_User->setText(user.User);
    ui->lineEdit_Phone->setText(user.Phone);
    ui->lineEdit_Email->setText(user.Email);
    ui->lineEdit_NickName->setText(user.NickName);
    ui->lineEdit_Site->setText(user.Site);
    ui->textEdit_NotePublic->setPlainText(user.NotePublic);
    if (interfacePublicData.loggedIn) {
        ui->lineEdit_Pwd->setText(readSecret(ui->lineEdit_Pwd, user.Pwd));
        ui->lineEdit_PwdNote->setText(readSecret(ui->lineEdit_PwdNote, user.PwdNote));
        ui->textEdit_NotePrivate->setPlainText(readSecret(ui->textEdit_NotePrivate, user.NotePrivate));
    } else {
        const QString hint = tr("请验证后查看加密信息");
        ui->lineEdit_Pwd->setText(hint);
        ui->lineEdit_PwdNote->setText(hint);
        ui->textEdit_NotePrivate->setPlainText(hint);
    }
    enableSecrets(interfacePublicData.loggedIn);
    return true;
}

void UserInfoDetailDialog::loadAddUser()
{
    isAdd = true;
    editRow = -1;
    setWindowTitle(tr("增加账号信息"));
    enableSecrets(interfacePublicData.loggedIn);
}

void UserInfoDetailDialog::showUserInfo(int row)
{
    if (loadUserInfo(row))
        exec();
}

void UserInfoDetailDialog::showAddUser()
{
    loadAddUser();
    exec();
}

void UserInfoDetailDialog::enableSecrets(bool enabled)
{
    ui->lineEdit_Pwd->setEnabled(enabled);
    ui->lineEdit_PwdNote->setEnabled(enabled);
    ui->textEdit_NotePrivate->setEnabled(enabled);
    ui->toolButton_GeneratePwd->setEnabled(enabled);
    ui->toolButton_CopyPwd->setEnabled(enabled);
    on_lineEdit_Pwd_textChanged(ui->lineEdit_Pwd->text());
}

QString UserInfoDetailDialog::readSecret(QWidget *field, const QString &stored)
{
    bool readable = true;
    const QString plain = interfacePublicData.aesDecrypt(stored, &readable);
    if (!readable) {
        unreadableSecrets.insert(field, stored);
        field->setProperty("placeholderText", tr("已损坏，无法读取"));
        field->setToolTip(tr("存储的内容已损坏，无法读取；不重新填写则保存时原样保留"));
    }
    return plain;
}

QString UserInfoDetailDialog::enteredSecret(QWidget *field, bool edited, const QString &typed) const
{
    const auto unreadable = unreadableSecrets.constFind(field);
    return unreadable != unreadableSecrets.constEnd() && !edited ? unreadable.value()
                                                                 : interfacePublicData.aesEncrypt(typed);
}

UsersUserInfoData UserInfoDetailDialog::enteredUser() const
{
    UsersUserInfoData user;
    user.ID = ui->lineEdit_ID->text().toInt();
    user.Title = ui->lineEdit_Title->text();
    user.Site = ui->lineEdit_Site->text();
    user.User = ui->lineEdit_User->text();
    user.Pwd = enteredSecret(ui->lineEdit_Pwd, ui->lineEdit_Pwd->isModified(), ui->lineEdit_Pwd->text());
    user.PwdNote =
        enteredSecret(ui->lineEdit_PwdNote, ui->lineEdit_PwdNote->isModified(), ui->lineEdit_PwdNote->text());
    user.NickName = ui->lineEdit_NickName->text();
    user.Email = ui->lineEdit_Email->text();
    user.Phone = ui->lineEdit_Phone->text();
    user.NotePublic = ui->textEdit_NotePublic->toPlainText();
    user.NotePrivate = enteredSecret(ui->textEdit_NotePrivate, ui->textEdit_NotePrivate->document()->isModified(),
                                     ui->textEdit_NotePrivate->toPlainText());
    return user;
}

void UserInfoDetailDialog::on_pushButton_Ok_clicked()
{
    // Without the master account nothing could be encrypted: close without saving.
    if (interfacePublicData.loggedIn)
        emit interfacePublicData.SIGNALSendQuery(isAdd ? UsersUserInfoInsert : UsersUserInfoUpdate,
                                                 QVariant::fromValue(enteredUser()));
    accept();
}

void UserInfoDetailDialog::on_pushButton_Cancel_clicked()
{
    reject();
}

void UserInfoDetailDialog::on_UserInfoDetailDialog_accepted()
{
    clearFields();
}

void UserInfoDetailDialog::on_UserInfoDetailDialog_rejected()
{
    clearFields();
}

void UserInfoDetailDialog::clearFields()
{
    for (QLineEdit *edit :
         {ui->lineEdit_ID, ui->lineEdit_Title, ui->lineEdit_User, ui->lineEdit_Phone, ui->lineEdit_Email,
          ui->lineEdit_Pwd, ui->lineEdit_NickName, ui->lineEdit_PwdNote, ui->lineEdit_Site})
        SecretField::wipe(edit);
    SecretField::wipe(ui->textEdit_NotePublic);
    SecretField::wipe(ui->textEdit_NotePrivate);
    for (QWidget *field : unreadableSecrets.keys()) {
        field->setProperty("placeholderText", QString());
        field->setToolTip(QString());
    }
    unreadableSecrets.clear();
}

void UserInfoDetailDialog::slotAesLogin(bool login, LoginOutReasonType)
{
    ui->pushButton_Ok->setEnabled(login);
    ui->pushButton_Cancel->setFocus();
    const QLineEdit::EchoMode echo = login ? QLineEdit::Password : QLineEdit::Normal;
    ui->lineEdit_Pwd->setEchoMode(echo);
    ui->lineEdit_PwdNote->setEchoMode(echo);
    // Decrypted secrets must not stay on screen once the vault is closed.
    if (!login)
        reject();
}

bool UserInfoDetailDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->toolButton_GeneratePwd->menu()) {
        // Ticking a kind leaves the generator's menu open for the next one.
        auto *menu = static_cast<QMenu *>(watched);
        QAction *action = nullptr;
        if (event->type() == QEvent::MouseButtonRelease) {
            action = menu->actionAt(static_cast<QMouseEvent *>(event)->pos());
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
                action = menu->activeAction();
        }
        if (action && action->isCheckable()) {
            if (action->isEnabled())
                action->trigger();
            return true;
        }
        return false;
    }
    if (watched == ui->lineEdit_Pwd || watched == ui->lineEdit_PwdNote) {
        // Clear text only while the field has the focus; the event goes on so the cursor still works.
        auto *edit = static_cast<QLineEdit *>(watched);
        if (event->type() == QEvent::FocusIn)
            edit->setEchoMode(QLineEdit::Normal);
        else if (event->type() == QEvent::FocusOut)
            edit->setEchoMode(interfacePublicData.loggedIn ? QLineEdit::Password : QLineEdit::Normal);
    }
    return QDialog::eventFilter(watched, event);
}

void UserInfoDetailDialog::buildGeneratorMenu()
{
    auto *menu = new QMenu(ui->toolButton_GeneratePwd);
    menu->setObjectName(QStringLiteral("menu_GeneratePwd"));
    auto *length = new QSpinBox(menu);
    length->setObjectName(QStringLiteral("spinBox_PwdLength"));
    length->setRange(PasswordGenerator::MinLength, PasswordGenerator::MaxLength);
    length->setValue(generatorLength);
    length->setPrefix(tr("长度："));
    connect(length, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int value) { generatorLength = value; });
    auto *lengthAction = new QWidgetAction(menu);
    lengthAction->setDefaultWidget(length);
    menu->addAction(lengthAction);
    const QList<QPair<QString, int>> kinds = {
        {tr("字母"), PasswordGenerator::Letters},
        {tr("数字"), PasswordGenerator::Digits},
        {tr("符号") + QStringLiteral(" ") +
             // "&" would mark a shortcut.
             QString(PasswordGenerator::symbols()).replace('&', QStringLiteral("&&")),
         PasswordGenerator::Symbols}};
    QList<QAction *> kindActions;
    for (const auto &kind : kinds) {
        QAction *action = menu->addAction(kind.first);
        action->setCheckable(true);
        action->setChecked(generatorKinds & kind.second);
        connect(action, &QAction::toggled, this, [this, kind](bool on) {
            generatorKinds = on ? generatorKinds | kind.second : generatorKinds & ~kind.second;
        });
        kindActions.append(action);
    }
    // A password is made of at least one kind: the last one ticked cannot be unticked.
    const auto keepOneKind = [kindActions]() {
        const auto ticked = std::count_if(kindActions.cbegin(), kindActions.cend(),
                                          [](const QAction *action) { return action->isChecked(); });
        for (QAction *action : kindActions)
            action->setEnabled(ticked > 1 || !action->isChecked());
    };
    for (QAction *action : qAsConst(kindActions))
        connect(action, &QAction::toggled, this, keepOneKind);
    keepOneKind();
    menu->installEventFilter(this);
    ui->toolButton_GeneratePwd->setMenu(menu);
}

void UserInfoDetailDialog::on_toolButton_GeneratePwd_clicked()
{
    ui->lineEdit_Pwd->setText(PasswordGenerator::generate(generatorLength, generatorKinds));
    // A typed-in value: it is what gets stored.
    ui->lineEdit_Pwd->setModified(true);
    // With the focus the field shows the new password in clear text.
    ui->lineEdit_Pwd->setFocus();
}

void UserInfoDetailDialog::on_lineEdit_Pwd_textChanged(const QString &text)
{
    ui->label_PwdStrength->setText(interfacePublicData.loggedIn ? PasswordGenerator::strengthText(text) : QString());
}

void UserInfoDetailDialog::copySecret(const QString &text, QWidget *button)
{
    SecretClipboard::instance()->copyAndTell(text, button, button->mapToGlobal(QPoint(0, button->height())));
}

void UserInfoDetailDialog::on_toolButton_CopyUser_clicked()
{
    copySecret(ui->lineEdit_User->text(), ui->toolButton_CopyUser);
}

void UserInfoDetailDialog::on_toolButton_CopyPwd_clicked()
{
    if (interfacePublicData.loggedIn)
        copySecret(ui->lineEdit_Pwd->text(), ui->toolButton_CopyPwd);
}
