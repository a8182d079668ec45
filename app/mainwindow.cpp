#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appglobals.h"
#include "app/configsettings.h"
#include "data/interfacepublicdata.h"
#include "platform/autostart.h"
#include "platform/displaychangewatcher.h"
// Task tab
#include "tasks/imagebutton.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"
#include "tasks/workdayconfig.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
const auto UniqueConnection = static_cast<Qt::ConnectionType>(Qt::AutoConnection | Qt::UniqueConnection);
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    workdayConfig = new WorkdayConfig(this);
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/img/icon.png")));

    {
        ConfigSettings settings;
        const QString name = settings.softwareName();
        if (!name.isEmpty())
            AppGlobals::softwareName = name;
        languageIndex = ConfigSettings::languageIndex(settings.language());
    }
    ui->comboBox_Language->setCurrentIndex(languageIndex);

    setupTray();

    setWindowTitle(AppGlobals::softwareName);
    ui->label_SoftwareVersion->setText(
        tr("版本") +
        QStringLiteral(" %1 (%2)").arg(QLatin1String(AppGlobals::Version), QLatin1String(AppGlobals::VersionDate)));

    ui->pushButton_AutoRunCurrentUser->setChecked(AutoStart::isEnabled());

    setupTaskTab();

    displayWatcher = new DisplayChangeWatcher(this);
    connect(displayWatcher, &DisplayChangeWatcher::displayChanged, this, &MainWindow::rebuildAfterDisplayChange);
    setupScreens();

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this, &MainWindow::slotReceiveQueryData,
            UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALScreenSizeChanged, this,
            &MainWindow::slotScreenSizeChanged, UniqueConnection);

    for (const SqlOperateType operate :
         {TaskListSelect, TaskWorkdaySelect, BirthdayInfoSelect, UsersConfigSelect, UsersVerifySelectRegistered})
        emit interfacePublicData.SIGNALSendQuery(operate, QVariant());

    {
        ConfigSettings settings;
        const QString key = QStringLiteral("IconManage/ShowIconNoticeAlways");
        if (settings.contains(key)) {
            AppGlobals::showIconNoticeAlways = settings.value(key).toInt() == 1;
            emit interfacePublicData.SIGNALShowIconNoticeAlways(AppGlobals::showIconNoticeAlways);
        }
    }

    startupDone = true;
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::setupTray()
{
    trayIcon = new QSystemTrayIcon(QIcon(QStringLiteral(":/img/icon.png")), this);
    trayIcon->setToolTip(AppGlobals::softwareName + QStringLiteral(" ") + QLatin1String(AppGlobals::Version) +
                         QStringLiteral("\n") + QLatin1String(AppGlobals::VersionDate) + QStringLiteral("\n") +
                         AppGlobals::programPath);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &MainWindow::slotTrayIconAction);

    trayMenu = new QMenu(this);
    showAction = trayMenu->addAction(tr("显示窗口"), this, &MainWindow::slotTrayMenuActReset);
    quitAction = trayMenu->addAction(tr("退出"), qApp, &QCoreApplication::quit);
    trayIcon->setContextMenu(trayMenu);
    trayIcon->show();
}

void MainWindow::setupScreens()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (!screens.isEmpty()) {
        const QScreen *first = screens.first();
        AppGlobals::screenWidth = first->availableGeometry().width();
        AppGlobals::screenHeight = first->availableGeometry().height();
        AppGlobals::dpi = static_cast<int>(first->logicalDotsPerInch());
    }
    emit interfacePublicData.SIGNALSendQuery(TaskConfigSelect, QVariant());
}

void MainWindow::rebuildAfterDisplayChange()
{
    const int oldWidth = AppGlobals::screenWidth;
    const int oldHeight = AppGlobals::screenHeight;
    const int oldDpi = AppGlobals::dpi;
    setupScreens();
    emit interfacePublicData.SIGNALScreenSizeChanged(oldWidth, oldHeight, oldDpi, AppGlobals::screenWidth,
                                                     AppGlobals::screenHeight, AppGlobals::dpi);
}

void MainWindow::slotScreenSizeChanged(int, int, int oldDpi, int, int, int newDpi)
{
    if (oldDpi != newDpi)
        askRestart(tr("缩放率被更改，建议重启软件以适应新的缩放率"));
}

void MainWindow::askRestart(const QString &text)
{
    if (QMessageBox::information(this, tr("是否重启本软件生效？"), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok)
        restartProgram();
}

void MainWindow::restartProgram()
{
    AppGlobals::instanceLock.release();
    QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList());
    QCoreApplication::quit();
}

QString MainWindow::upgraderProgram()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/upgrade_database.exe");
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/upgrade_database");
#endif
}

void MainWindow::slotTrayIconAction(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        slotTrayMenuActReset();
}

void MainWindow::slotTrayMenuActReset()
{
    activateWindow();
    if (isMaximized())
        showMaximized();
    else
        showNormal();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing never quits: the program keeps reminding from the tray, or from the task bar without one.
    if (trayAvailable)
        hide();
    else
        showMinimized();
    event->ignore();
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
#ifdef Q_OS_WIN
    if (static_cast<MSG *>(message)->message == WM_DISPLAYCHANGE)
        displayWatcher->notifyChange();
#endif
    return QMainWindow::nativeEvent(eventType, message, result);
}

void MainWindow::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case DatabaseFatalError:
        QMessageBox::critical(this, tr("错误"), var.toString());
        QCoreApplication::quit();
        break;
    case DatabaseVersionLow:
        QMessageBox::information(this, tr("数据库需要升级"), var.toString());
        QProcess::startDetached(upgraderProgram(), {QStringLiteral("-pemmo")});
        QCoreApplication::quit();
        break;
    case DatabaseRestored:
        QMessageBox::information(this, tr("提示"), var.toString());
        break;
    case TaskListDelete:
    case TaskListInsert:
        emit interfacePublicData.SIGNALSendQuery(TaskListSelect, QVariant());
        break;
    case TaskListSelect:
        rebuildTaskList(var.value<QList<TaskListData>>());
        break;
    default:
        break;
    }
}

void MainWindow::on_pushButton_AutoRunCurrentUser_clicked(bool checked)
{
    AutoStart::setEnabled(checked, QCoreApplication::applicationFilePath());
}

void MainWindow::on_comboBox_Language_currentIndexChanged(int index)
{
    if (!startupDone)
        return;
    ConfigSettings().setValue(QStringLiteral("Language/lang"), ConfigSettings::languageCode(index));
    if (index != languageIndex)
        askRestart(tr("语言将在下次软件打开时生效"));
}

void MainWindow::on_pushButton_AboutQt_clicked()
{
    QMessageBox::aboutQt(this, QString());
}

// ---- Task tab ----------------------------------------------------------------------------------------

void MainWindow::setupTaskTab()
{
    taskIconPath = QString::fromLatin1(TaskWidgetItem::DefaultIconPath);
    ui->label_TaskIcon->setPixmap(ImageButton::cachedPixmap(taskIconPath));
    ui->label_TaskIcon->installEventFilter(this);
    // Rows build their widgets when they come into view.
    ui->listWidget_Task->viewport()->installEventFilter(this);
    connect(ui->listWidget_Task->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &MainWindow::buildVisibleTaskRows);
    ui->comboBox_TaskName->addItems(ConfigSettings().defaultTaskNames());
    ui->comboBox_TaskName->setEditText(tr("请填写任务名称"));
    ui->dateTimeEdit_Set->setMinimumWidth(ui->dateTimeEdit_Set->sizeHint().width() + 30);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Task tab: a click on the icon of the next task picks another one; a larger list shows more rows.
    if (watched == ui->label_TaskIcon && event->type() == QEvent::MouseButtonPress)
        chooseNewTaskIcon();
    else if (watched == ui->listWidget_Task->viewport() && event->type() == QEvent::Resize)
        buildVisibleTaskRows();

    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::chooseNewTaskIcon()
{
    const QString path = TaskWidgetItem::chooseTaskIcon(this);
    taskIconPath = path.isEmpty() ? QString::fromLatin1(TaskWidgetItem::DefaultIconPath) : path;
    ui->label_TaskIcon->setPixmap(ImageButton::cachedPixmap(taskIconPath));
}

void MainWindow::on_comboBox_TaskNoticeCycle_currentIndexChanged(int index)
{
    currentCycleIndex = index;
    const bool weekly = index == CycleWeekly;
    ui->comboBox_TaskDayOfWeek->setVisible(weekly);
    ui->radioButton_RemainTime->setChecked(true);
    ui->radioButton_RemainTime->setVisible(!weekly);
    ui->radioButton_TargetTime->setVisible(!weekly);
    ui->timeEdit_Set->show();
    ui->dateTimeEdit_Set->hide();
}

void MainWindow::on_radioButton_TargetTime_toggled(bool checked)
{
    ui->dateTimeEdit_Set->setVisible(checked);
    ui->timeEdit_Set->setVisible(!checked);
    if (checked)
        ui->dateTimeEdit_Set->setDateTime(QDateTime::currentDateTime());
}

void MainWindow::on_pushButton_AddTask_clicked()
{
    const TaskTiming::TimeMode mode =
        ui->radioButton_TargetTime->isChecked() ? TaskTiming::TargetTimeMode : TaskTiming::RemainTimeMode;
    TaskListData task;
    task.id = -1;
    task.TaskName = ui->comboBox_TaskName->currentText();
    task.TaskTimeSee =
        TaskTiming::firstNoticeTime(mode, currentCycleIndex, ui->timeEdit_Set->time(), ui->dateTimeEdit_Set->dateTime(),
                                    ui->comboBox_TaskDayOfWeek->currentIndex(), QDateTime::currentDateTime());
    task.IconPath = taskIconPath;
    task.NoticeCycle = currentCycleIndex;
    task.Noticed = 0;
    task.Deleted = 0;
    task.NormalNoticeKeepDisplay = ui->pushButton_NormalNoticeKeepDisplay->isChecked() ? 1 : 0;
    emit interfacePublicData.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(task));
}

void MainWindow::on_pushButton_ClearCompleteTask_clicked()
{
    emit interfacePublicData.SIGNALClearCompleteTask();
}

void MainWindow::rebuildTaskList(const QList<TaskListData> &tasks)
{
    QListWidget *list = ui->listWidget_Task;
    // The view deletes the old rows from the event loop, which is safe also when the reload comes from
    // inside a row's own handler. Until then an old row must not fire again next to its replacement.
    for (QListWidgetItem *item : qAsConst(taskItems)) {
        if (auto *row = qobject_cast<TaskWidgetItem *>(list->itemWidget(item)))
            row->stopUpdating();
    }
    // All items at once: item by item, the view re-lays out every row widget on each insertion or removal.
    list->clear();
    taskItems.clear();
    list->addItems(QVector<QString>(tasks.size()).toList());

    for (int i = 0; i < tasks.size(); ++i) {
        const TaskListData &task = tasks.at(i);
        QListWidgetItem *item = list->item(i);
        taskItems.append(item);
        auto *row = new TaskWidgetItem(task.TaskName, task.TaskTimeSee, task.NoticeCycle, task.id, task.Noticed != 0,
                                       task.NormalNoticeKeepDisplay != 0, task.IconPath, list->viewport(),
                                       TaskWidgetItem::FormWhenShown);
        item->setSizeHint(QSize(0, row->height()));
        list->setItemWidget(item, row);
    }
    buildVisibleTaskRows();
}

void MainWindow::buildVisibleTaskRows()
{
    // By the list's own items: this also runs while the list is being rebuilt, when the scroll range changes.
    QListWidget *list = ui->listWidget_Task;
    const QRect area = list->viewport()->rect();
    const QModelIndex first = list->indexAt(area.topLeft());
    if (!first.isValid())
        return;
    for (int i = first.row(); i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        if (!list->visualItemRect(item).intersects(area))
            break;
        if (auto *row = qobject_cast<TaskWidgetItem *>(list->itemWidget(item)))
            row->ensureForm();
    }
}

void MainWindow::on_pushButton_WorkdayCfg_clicked()
{
    workdayConfig->exec();
}
