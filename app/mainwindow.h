#pragma once

#include "data/records.h"

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QVariant>
#include <optional>

namespace Ui {
class MainWindow;
}
class CentralNotice;
class DisplayChangeWatcher;
class NormalNoticeManager;
class NoticeConfig;
class QAction;
class QLabel;
class QMenu;
class WorkdayConfig;

// The program's only top-level window: the tabs, the status bar and the tray icon through which it is
// hidden and shown again. Closing only hides it where a tray can bring it back. The Task, Birthday, Users and
// About tabs and the Settings tab's vault and database groups are widgets of their own; the window routes to
// them only what crosses tabs: the frame and status texts, the tray, restarts and the keys of every tab.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Whether a tray exists to hide into is asked of the desktop, unless set here; without one, closing quits.
    void setSystemTrayAvailable(bool available) { trayOverride = available; }

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
    // Settings tab: the dialogs of the configuration group
    void on_pushButton_BirthdayConfig_clicked();
    void on_pushButton_WorkdayCfg_clicked();
    void on_pushButton_IconManage_clicked();
    void on_pushButtonNoticeCfg_clicked();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    void setupTray();
    void setupUsersTab();
    void setupKeyboard();
    void setupScreens();
    void fitToScreen();
    void rebuildAfterDisplayChange();
    // The rows tick only while they can be seen: not in the tray, not minimized.
    void updateRowsOnScreen();
    bool hasTray() const;
    void askRestart(const QString &text);
    // Releases the single-instance lock, starts the program again and quits this copy (saying so when the new
    // copy did not start).
    void restartProgram();
    bool confirmQuit();

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
    WorkdayConfig *workdayConfig = nullptr;
    // The status bar's countdown until the copied secret leaves the clipboard.
    QLabel *clipboardCountdown = nullptr;
    QLabel *holidayConflicts = nullptr;
};
