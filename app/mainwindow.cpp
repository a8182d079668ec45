#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/abouttab.h"
#include "app/databaseconfiggroup.h"
#include "app/globalapplication.h"
#include "birthdays/birthdaytab.h"
#include "data/appglobals.h"
#include "data/configsettings.h"
#include "data/interfacepublicdata.h"
#include "data/language.h"
#include "icons/iconmanage.h"
#include "notices/centralnotice.h"
#include "notices/normalnoticemanager.h"
#include "notices/noticeconfig.h"
#include "platform/autostart.h"
#include "platform/detachedprocess.h"
#include "platform/displaychangewatcher.h"
#include "sync/syncconfiggroup.h"
#include "tasks/tasktab.h"
#include "tasks/workdayconfig.h"
#include "vault/secretclipboard.h"
#include "vault/userstab.h"
#include "vault/warnborder.h"
#include "widgets/rowticker.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QStyle>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    updateRowsOnScreen();
    workdayConfig = new WorkdayConfig(this);
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/img/icon.png")));
    // The Settings tab scrolls on a small screen; its page shows through as on the other tabs.
    ui->scrollArea_Setting->viewport()->setAutoFillBackground(false);
    ui->scrollAreaWidgetContents_Setting->setAutoFillBackground(false);
    fitToScreen();

    // Icon library: connected to the hub before this window, so its lists reload before a restart question
    // blocks, and in time to hear the notes setting broadcast below.
    IconManage::instance(this);

    {
        ConfigSettings settings;
        const QString name = settings.softwareName();
        if (!name.isEmpty())
            AppGlobals::softwareName = name;
        languageIndex = ConfigSettings::languageIndex(Language::configured());
    }
    ui->comboBox_Language->setCurrentIndex(languageIndex);
    storedLanguageIndex = languageIndex;

    setupTray();

    setWindowTitle(AppGlobals::softwareName);
    ui->pushButton_AutoRunCurrentUser->setChecked(AutoStart::isEnabled());

    // Notices: the settings dialog and the popup stack exist before the screens are set up.
    noticeConfig = new NoticeConfig(this);
    normalNoticeManager = new NormalNoticeManager(this);
    normalNoticeManager->setObjectName(QStringLiteral("normalNoticeManager"));
    setupUsersTab();

    displayWatcher = new DisplayChangeWatcher(this);
    connect(displayWatcher, &DisplayChangeWatcher::displayChanged, this, &MainWindow::rebuildAfterDisplayChange);
    setupScreens();
    ui->tabAbout->showSoftwareInfo(hasTray());
    // A tray may come or go while the program runs; the tips say what closing does on this desktop now.
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, [this]() {
        if (ui->tabWidget->currentWidget() == ui->tabAbout)
            ui->tabAbout->showSoftwareInfo(hasTray());
    });
    setupKeyboard();

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this, &MainWindow::slotReceiveQueryData,
            Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALScreenSizeChanged, this,
            &MainWindow::slotScreenSizeChanged, Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALShowCentralNotice, this,
            &MainWindow::slotShowCentralNotice, Qt::UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALShowNormalNotice, this, &MainWindow::slotShowNormalNotice,
            Qt::UniqueConnection);

    // Workday exceptions first: a task row checks its due time as soon as it is built, and the worker answers
    // in order, so a late workday task moves on by the user's calendar.
    for (const SqlOperateType operate : {TaskWorkdaySelect, TaskListSelect})
        emit interfacePublicData.SIGNALSendQuery(operate, QVariant());
    ui->tab_Birthday->requestList();
    for (const SqlOperateType operate : {UsersConfigSelect, UsersVerifySelectRegistered})
        emit interfacePublicData.SIGNALSendQuery(operate, QVariant());
    // After the lists: the day's backup must not hold up the first screen.
    connect(ui->groupBox_SettingDatabase, &DatabaseConfigGroup::SIGNALRestored, this, &MainWindow::restartProgram);
    connect(ui->groupBox_SettingDatabase, &DatabaseConfigGroup::SIGNALStatusMessage, statusBar(),
            &QStatusBar::showMessage);
    ui->groupBox_SettingDatabase->startBackups();
    // The calendar sync keeps its state in the status bar; which change replaced which passes through it.
    auto *syncState = new QLabel(this);
    syncState->setObjectName(QStringLiteral("label_SyncState"));
    statusBar()->addPermanentWidget(syncState);
    connect(ui->groupBox_SettingSync, &SyncConfigGroup::SIGNALStatusText, syncState, &QLabel::setText);
    connect(ui->groupBox_SettingSync, &SyncConfigGroup::SIGNALStatusMessage, statusBar(), &QStatusBar::showMessage);
    ui->groupBox_SettingSync->startSync();

    // Dates of the subscribed holiday calendar that contradict the list wait here until the user decides.
    holidayConflicts = new QLabel(this);
    holidayConflicts->setObjectName(QStringLiteral("label_HolidayConflicts"));
    holidayConflicts->hide();
    statusBar()->addPermanentWidget(holidayConflicts);
    connect(holidayConflicts, &QLabel::linkActivated, workdayConfig, &WorkdayConfig::reviewSubscription);
    connect(workdayConfig, &WorkdayConfig::SIGNALSubscriptionConflicts, this, [this](int count) {
        holidayConflicts->setText(QStringLiteral("<a href=\"review\">%1</a>")
                                      .arg(tr("节假日订阅：%n 个日期与工作日列表相反，点此决定", nullptr, count)));
        holidayConflicts->setVisible(count > 0);
    });

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
    qDeleteAll(centralNotices);
    delete ui;
}

// Tabs and the vault's commands work from every tab; the tabs' own keys are theirs.
void MainWindow::setupKeyboard()
{
    quitAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Q));
    addAction(quitAction);
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        connect(new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_1 + i), this), &QShortcut::activated, this,
                [this, i]() { ui->tabWidget->setCurrentIndex(i); });
    connect(new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_F), this), &QShortcut::activated, this, [this]() {
        ui->tabWidget->setCurrentWidget(ui->tabUsers);
        ui->tabUsers->focusSearch();
    });
    connect(new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_L), this), &QShortcut::activated, this, []() {
        if (interfacePublicData.loggedIn)
            interfacePublicData.aesLogout(LogoutManual);
    });
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
    // Notices: one centre notice per screen, made anew with the settings in use whenever the displays change.
    for (CentralNotice *notice : qAsConst(centralNotices)) {
        disconnect(noticeConfig, &NoticeConfig::SIGNALUpdateCentralNoticeCfg, notice,
                   &CentralNotice::SLOTUpdateCentralNoticeCfg);
        delete notice;
    }
    centralNotices.clear();
    for (const QScreen *screen : screens) {
        auto *notice = new CentralNotice();
        const QRect area = screen->availableGeometry();
        notice->setScreenRect(area.x(), area.y(), area.width(), area.height());
        centralNotices.append(notice);
        connect(noticeConfig, &NoticeConfig::SIGNALUpdateCentralNoticeCfg, notice,
                &CentralNotice::SLOTUpdateCentralNoticeCfg);
        notice->SLOTUpdateCentralNoticeCfg();
    }
    if (!screens.isEmpty()) {
        const QScreen *first = screens.first();
        AppGlobals::screenWidth = first->availableGeometry().width();
        AppGlobals::screenHeight = first->availableGeometry().height();
        AppGlobals::dpi = static_cast<int>(first->logicalDotsPerInch());
        normalNoticeManager->setNoticeArea(first->availableGeometry());
    }
}

// The designed size where the screen has room for it; on a smaller screen the window, frame included, fits
// the free area, down to the least its tabs need (the Settings tab scrolls).
void MainWindow::fitToScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The window manager's frame is known only once the window is shown; the style's title bar stands in.
    const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QRect area = screen->availableGeometry();
    const QSize room(area.width() - 2 * border,
                     area.height() - style()->pixelMetric(QStyle::PM_TitleBarHeight) - 2 * border);
    resize(size().boundedTo(room).expandedTo(minimumSizeHint()));
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
    QMessageBox question(QMessageBox::Information, tr("是否重启本软件生效？"), text,
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setDefaultButton(QMessageBox::Cancel);
    // The buttons say what they do: restart now, or let the change wait for the next start.
    question.button(QMessageBox::Ok)->setText(tr("立即重启"));
    question.button(QMessageBox::Cancel)->setText(tr("稍后"));
    if (question.exec() == QMessageBox::Ok)
        restartProgram();
}

void MainWindow::restartProgram()
{
    AppGlobals::instanceLock.release();
    QString error;
    if (!DetachedProcess::start(QCoreApplication::applicationFilePath(), QStringList(), &error))
        QMessageBox::warning(this, tr("无法重新启动"),
                             error + QStringLiteral("\n\n") + tr("程序将退出，请手动启动它。"));
    QCoreApplication::quit();
}

void MainWindow::slotTrayIconAction(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        slotTrayMenuActReset();
}

void MainWindow::slotTrayMenuActReset()
{
    if (isMaximized())
        showMaximized();
    else
        showNormal();
    // Shown first: a window system activates only a window it shows.
    raise();
    activateWindow();
}

bool MainWindow::hasTray() const
{
    return trayOverride.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

bool MainWindow::event(QEvent *event)
{
    // A hovered menu entry would wipe the vault's status message: no action here has a status tip to show.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent *>(event)->tip().isEmpty())
        return true;
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // When the session or the program ends the window closes for good: refusing would stop the logout.
    if (qApp->isSavingSession() || GlobalApplication::isQuitting()) {
        event->accept();
        return;
    }
    // Otherwise the reminders go on from the tray; without one there is no way back, so closing quits.
    const bool tray = hasTray();
    const bool quit = !tray && confirmQuit();
    event->setAccepted(quit);
    if (quit)
        QCoreApplication::quit();
    else if (tray)
        hide();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    updateRowsOnScreen();
}

void MainWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    updateRowsOnScreen();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        updateRowsOnScreen();
}

void MainWindow::updateRowsOnScreen()
{
    RowTicker::setOnScreen(isVisible() && !isMinimized());
}

bool MainWindow::confirmQuit()
{
    QMessageBox box(QMessageBox::Question, tr("退出程序？"),
                    tr("这个桌面没有系统托盘，关闭窗口会结束程序，之后不再有任务和生日提醒。"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.button(QMessageBox::Ok)->setText(tr("退出"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
#ifdef Q_OS_WIN
    const UINT type = static_cast<MSG *>(message)->message;
    if (type == WM_DISPLAYCHANGE)
        displayWatcher->notifyChange();
    // The rows' wake-up waits by the wall clock, which a change of time or a suspend moves.
    else if (type == WM_TIMECHANGE || type == WM_POWERBROADCAST)
        RowTicker::clockChanged();
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
    case DatabaseVersionLow: {
        QMessageBox::information(this, tr("数据库需要升级"), var.toString());
        // It upgrades the database of this data folder and then starts this program again.
        QString error;
        if (!DetachedProcess::start(
                AppGlobals::folders.upgrader,
                {QStringLiteral("-pemmo"), QCoreApplication::applicationFilePath(), AppGlobals::folders.dataDir},
                &error))
            QMessageBox::critical(this, tr("错误"),
                                  error + QStringLiteral("\n\n") + tr("数据库没有升级，程序将退出。"));
        QCoreApplication::quit();
        break;
    }
    case DatabaseRestored:
        QMessageBox::information(this, tr("提示", "title of the database restored message"), var.toString());
        break;
    case DatabaseWriteFailed:
        // One box at a time: a task firing on a read-only file fails twice.
        if (!writeFailureShown) {
            writeFailureShown = true;
            QMessageBox::information(this, tr("数据未能保存"), var.toString());
            writeFailureShown = false;
        }
        break;
    // Icon library: rows already on screen keep the pictures they loaded.
    case IconListDelete:
        if (var.toString() == QLatin1String("restartYes"))
            askRestart(tr("使用已删除图标的地方，已被重置为默认图标，将在重启后生效"));
        break;
    case IconListUpdate:
        if (var.toString() == QLatin1String("restartYes"))
            askRestart(tr("检测到使用了更新前的图标，需要重启软件后才会更新界面显示"));
        break;
    default:
        break;
    }
}

void MainWindow::on_pushButton_AutoRunCurrentUser_clicked(bool checked)
{
    QString error;
    if (AutoStart::setEnabled(checked, QCoreApplication::applicationFilePath(), &error))
        return;
    // The switch shows what the desktop will do at the next logon.
    ui->pushButton_AutoRunCurrentUser->setChecked(AutoStart::isEnabled());
    QMessageBox::information(this, tr("开机启动未更改"), error);
}

void MainWindow::on_comboBox_Language_currentIndexChanged(int index)
{
    if (!startupDone)
        return;
    ConfigSettings settings;
    settings.setValue(QStringLiteral("Language/lang"), ConfigSettings::languageCode(index));
    if (!settings.syncOrTell(this)) {
        // The combo shows the language the next start will use.
        const QSignalBlocker blocker(ui->comboBox_Language);
        ui->comboBox_Language->setCurrentIndex(storedLanguageIndex);
        return;
    }
    storedLanguageIndex = index;
    if (index != languageIndex)
        askRestart(tr("要现在重启软件以切换语言吗？\n选择“稍后”将在下次启动时切换。"));
}

// Notices

void MainWindow::slotShowNormalNotice(int what, QStringList strs)
{
    normalNoticeManager->showNotice(what, strs);
}

void MainWindow::slotShowCentralNotice(int what, QStringList strs)
{
    for (CentralNotice *notice : qAsConst(centralNotices))
        notice->showNotice(what, strs);
}

void MainWindow::on_pushButtonNoticeCfg_clicked()
{
    noticeConfig->openDialog();
}

// Icon library: opened as the picker, the choice is of no use here.
void MainWindow::on_pushButton_IconManage_clicked()
{
    IconManage::instance()->selectIcon();
}

void MainWindow::on_pushButton_BirthdayConfig_clicked()
{
    ui->tab_Birthday->openEditor();
}

void MainWindow::on_pushButton_WorkdayCfg_clicked()
{
    workdayConfig->exec();
}

// The vault's frame goes around the status bar and the size grip, not over them; the room is kept while the
// vault is closed too, so that nothing moves when it opens.
void MainWindow::setupUsersTab()
{
    setContentsMargins(WarnBorder::Width, WarnBorder::Width, WarnBorder::Width, WarnBorder::Width);
    connect(ui->tabUsers, &UsersTab::SIGNALFrameChanged, this, &QWidget::setStyleSheet);
    connect(ui->tabUsers, &UsersTab::SIGNALStatusMessage, statusBar(), &QStatusBar::showMessage);
    clipboardCountdown = new QLabel(this);
    clipboardCountdown->setObjectName(QStringLiteral("label_ClipboardCountdown"));
    clipboardCountdown->hide();
    statusBar()->addPermanentWidget(clipboardCountdown);
    connect(SecretClipboard::instance(), &SecretClipboard::SIGNALCountdown, this, [this](int secondsLeft) {
        clipboardCountdown->setText(tr("剪贴板将在 %1 秒后清除").arg(secondsLeft));
        clipboardCountdown->setVisible(secondsLeft > 0);
    });
}
