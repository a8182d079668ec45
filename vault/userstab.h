#pragma once

#include "data/records.h"
#include "vault/logoutcountdown.h"
#include "vault/warnborder.h"

#include <QVariant>
#include <QWidget>

namespace Ui {
class UsersTab;
}
class AesAccountUpdateDialog;
class QAction;
class QTimer;
class UserInfoDetailDialog;

// The Users tab: the master account's login row with the inactivity logout, and the accounts page by
// page. What the window shows for the vault goes out as signals: the red frame while the vault is open
// and the status texts of login and logout.
class UsersTab : public QWidget
{
    Q_OBJECT

public:
    explicit UsersTab(QWidget *parent = nullptr);
    ~UsersTab() override;

    // Puts the cursor into the search field, its text selected.
    void focusSearch();

signals:
    // The style sheet of the window around the tabs: the frame of the open vault, or none.
    void SIGNALFrameChanged(const QString &styleSheet);
    void SIGNALStatusMessage(const QString &text, int timeoutMs);

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotAesLogin(bool login, LoginOutReasonType reason);
    void slotUserActiveStatusChanged();
    void slotTimerLoginOutTimeout();
    void slotTimerWarnBorderTimeout();
    void slotLatin1VaultOpened(const QString &user);

private slots:
    void on_pushButton_Login_clicked();
    void on_pushButton_ShowKey_clicked(bool checked);
    void on_pushButton_AesAccountUpdate_clicked();
    void on_pushButton_Search_clicked();
    void on_pushButton_PrePage_clicked();
    void on_pushButton_NextPage_clicked();
    void on_pushButton_GoPage_clicked();
    void on_tableWidget_Users_cellDoubleClicked(int row, int column);
    void on_tableWidget_Users_currentCellChanged(int currentRow, int currentColumn, int previousRow,
                                                 int previousColumn);
    void on_pushButton_AddUser_clicked();
    void on_pushButton_EditUser_clicked();
    void on_pushButton_DelUser_clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sizeColumns();
    bool checkLoginInput();
    // The key typed a second time into a prompt with that label; false when the user cancels.
    bool askKeyAgain(const QString &label, QString *key);
    void applyUsersConfig(const QVariant &var);
    void sendUsersQuery(int page);
    void showUsersPage(const UsersUserResultData &result);
    void finishAccountUpdate(const QVariant &var);
    // The chosen row's user name, or its password decrypted, to the clipboard that forgets.
    void copyFromRow(bool password);

    Ui::UsersTab *ui;
    UserInfoDetailDialog *userInfoDetailDialog = nullptr;
    QAction *copyUserAction = nullptr;
    QAction *copyPwdAction = nullptr;
    AesAccountUpdateDialog *aesAccountUpdateDialog = nullptr;
    // One tick a second of the inactivity countdown, and one step of the blinking frame.
    QTimer *loginOutTimer = nullptr;
    QTimer *warnBorderTimer = nullptr;
    LogoutCountdown loginOutCountdown;
    WarnBorder warnBorder;
    // The search as last sent, and the page it gave.
    UsersUserQueryData usersQuery;
    UsersUserResultData usersResult;
    int currentUserRow = -1;
};
