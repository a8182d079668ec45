#pragma once

#include "data/records.h"

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QVariant>

namespace Ui {
class MainWindow;
}
class DisplayChangeWatcher;
class QAction;
class QListWidgetItem;
class QMenu;
// Task tab
class WorkdayConfig;

// The program's only top-level window: the tabs, the status bar and the tray icon through which it is
// hidden and shown again. Closing only hides it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Whether a tray exists to hide into; without one, closing minimizes instead.
    bool systemTrayAvailable() const { return trayAvailable; }
    void setSystemTrayAvailable(bool available) { trayAvailable = available; }

    // Releases the single-instance lock, starts the program again and quits this copy.
    static void restartProgram();

public slots:
    void slotTrayIconAction(QSystemTrayIcon::ActivationReason reason);
    void slotTrayMenuActReset();
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotScreenSizeChanged(int oldWidth, int oldHeight, int oldDpi, int newWidth, int newHeight, int newDpi);

private slots:
    void on_pushButton_AutoRunCurrentUser_clicked(bool checked);
    void on_comboBox_Language_currentIndexChanged(int index);
    void on_pushButton_AboutQt_clicked();

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
    void setupScreens();
    void rebuildAfterDisplayChange();
    void askRestart(const QString &text);
    static QString upgraderProgram();

    Ui::MainWindow *ui;
    bool startupDone = false;
    int languageIndex = 0;
    QMenu *trayMenu = nullptr;
    QAction *showAction = nullptr;
    QAction *quitAction = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    DisplayChangeWatcher *displayWatcher = nullptr;
    bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();

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
