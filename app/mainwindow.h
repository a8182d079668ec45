#pragma once

#include "data/records.h"
#include "vault/logoutcountdown.h"
#include "vault/warnborder.h"

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QVariant>
#include <optional>

namespace Ui {
class MainWindow;
}
class CentralNotice;
class DisplayChangeWatcher;
class HelpDocument;
class NormalNoticeManager;
class NoticeConfig;
class QAction;
class QListWidgetItem;
class QMenu;
class QTimer;
class ThirdPartySource;
class UserInfoDetailDialog;
class AesAccountUpdateDialog;
// Birthdays
class BirthdayConfig;
class QListWidgetItem;
// Task tab
class WorkdayConfig;

// The program's only top-level window: the tabs, the status bar and the tray icon through which it is
// hidden and shown again. Closing only hides it where a tray can bring it back.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Whether a tray exists to hide into (asked of the desktop unless set); without one, closing quits.
    void setSystemTrayAvailable(bool available) { trayOverride = available; }
    bool hasTray() const;

    // Releases the single-instance lock, starts the program again and quits this copy.
    static void restartProgram();

public slots:
    void slotTrayIconAction(QSystemTrayIcon::ActivationReason reason);
    void slotTrayMenuActReset();
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotScreenSizeChanged(int oldWidth, int oldHeight, int oldDpi, int newWidth, int newHeight, int newDpi);
    // Notices: popups go to the manager, centre notices to every screen.
    void slotShowNormalNotice(int what, QStringList strs);
    void slotShowCentralNotice(int what, QStringList strs);

private slots:
    void on_pushButton_AutoRunCurrentUser_clicked(bool checked);
    void on_comboBox_Language_currentIndexChanged(int index);
    void on_pushButton_AboutQt_clicked();
    // About tab
    void on_pushButton_ThirdPartySource_clicked();
    void on_pushButton_HelpDocment_clicked();
    // Notices
    void on_pushButtonNoticeCfg_clicked();

    // Icon library
    void on_pushButton_IconManage_clicked();

    // Account vault (Users tab and its settings)
public slots:
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
    void on_pushButton_UsersSetUpdate_clicked();
    void on_lineEdit_UserLimitOnePage_textChanged(const QString &text);
    void on_lineEdit_NoActiveLogoutSec_textChanged(const QString &text);

    // Birthdays: the editor and the Birthday tab
    void on_pushButton_BirthdayConfig_clicked();
    void on_listWidget_Birthday_itemDoubleClicked(QListWidgetItem *item);

    // Task tab
    void on_comboBox_TaskNoticeCycle_currentIndexChanged(int index);
    void on_radioButton_TargetTime_toggled(bool checked);
    void on_pushButton_AddTask_clicked();
    void on_pushButton_ClearCompleteTask_clicked();
    void on_pushButton_WorkdayCfg_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupTray();
    void setupKeyboard();
    void setupScreens();
    void rebuildAfterDisplayChange();
    void askRestart(const QString &text);
    bool confirmQuit();
    static QString upgraderProgram();

    Ui::MainWindow *ui;
    bool startupDone = false;
    bool writeFailureShown = false;
    int languageIndex = 0;
    // The language the settings file holds, which the next start uses.
    int storedLanguageIndex = 0;
    QMenu *trayMenu = nullptr;
    QAction *showAction = nullptr;
    QAction *quitAction = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    DisplayChangeWatcher *displayWatcher = nullptr;
    std::optional<bool> trayOverride;

    // Notices: the settings dialog, one centre notice per screen (no parent, deleted here), the popup stack.
    NoticeConfig *noticeConfig = nullptr;
    QList<CentralNotice *> centralNotices;
    NormalNoticeManager *normalNoticeManager = nullptr;
    // About tab: the sources and help windows, without parent and deleted here.
    void setupAboutTab();
    void showSoftwareInfo();
    ThirdPartySource *thirdPartySource = nullptr;
    HelpDocument *helpDocument = nullptr;
    // Account vault
    void setupUsersTab();
    bool checkLoginInput();
    // The key typed a second time into a prompt with that label; false when the user cancels.
    bool askKeyAgain(const QString &label, QString *key);
    void sendUsersQuery(int page);
    void applyUsersConfig(const QVariant &var);
    void showUsersPage(const UsersUserResultData &result);
    void finishAccountUpdate(const QVariant &var);
    UserInfoDetailDialog *userInfoDetailDialog = nullptr;
    AesAccountUpdateDialog *aesAccountUpdateDialog = nullptr;
    QTimer *loginOutTimer = nullptr;
    QTimer *warnBorderTimer = nullptr;
    LogoutCountdown loginOutCountdown;
    WarnBorder warnBorder;
    UsersUserQueryData usersQuery;
    UsersUserResultData usersResult;
    int currentUserRow = -1;
    // Birthdays: the editor and the Birthday tab
    void rebuildBirthdayList(const QList<BirthdayInfoData> &list);
    BirthdayConfig *birthdayConfig = nullptr;
    // Task tab
    void setupTaskTab();
    void rebuildTaskList(const QList<TaskListData> &tasks);
    void buildVisibleTaskRows();
    void chooseNewTaskIcon();
    WorkdayConfig *workdayConfig = nullptr;
    int currentCycleIndex = 0;
    QString taskIconPath;
    QList<QListWidgetItem *> taskItems;
};
