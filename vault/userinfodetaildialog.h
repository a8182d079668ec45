#pragma once

#include "data/records.h"

#include <QDialog>
#include <QHash>

namespace Ui {
class UserInfoDetailDialog;
}

// Views, adds or edits one stored account. Its three secrets are decrypted only while the vault is
// open; the password shows in clear text only while its field has the focus and cannot be copied.
// Every close empties the fields; a logout closes the dialog. A stored secret that cannot be decoded
// shows as unreadable and is saved back unchanged unless a new value is typed.
class UserInfoDetailDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UserInfoDetailDialog(QWidget *parent = nullptr);
    ~UserInfoDetailDialog() override;

    // Fill the fields from the account on display at that row of the page; false when there is none.
    bool loadUserInfo(int row);
    void loadAddUser();
    // The same, then run the dialog modally.
    void showUserInfo(int row);
    void showAddUser();

    // The account as typed, its secrets encrypted with the current master account.
    UsersUserInfoData enteredUser() const;

public slots:
    void slotAesLogin(bool login, LoginOutReasonType reason);

private slots:
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();
    void on_UserInfoDetailDialog_accepted();
    void on_UserInfoDetailDialog_rejected();
    void on_toolButton_CopyUser_clicked();
    void on_toolButton_CopyPwd_clicked();
    void on_toolButton_GeneratePwd_clicked();
    void on_lineEdit_Pwd_textChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearFields();
    void enableSecrets(bool enabled);
    void buildGeneratorMenu();
    // Puts the text on the clipboard for a while and says so beside the button.
    void copySecret(const QString &text, QWidget *button);
    QString readSecret(QWidget *field, const QString &stored);
    QString enteredSecret(QWidget *field, bool edited, const QString &typed) const;

    Ui::UserInfoDetailDialog *ui;
    int editRow = -1;
    bool isAdd = true;
    int generatorLength;
    int generatorKinds;
    QHash<QWidget *, QString> unreadableSecrets; // field -> its stored text
};
