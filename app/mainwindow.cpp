#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/aboutpage.h"
#include "app/appglobals.h"
#include "app/configsettings.h"
#include "app/globalapplication.h"
#include "app/helpdocument.h"
#include "app/labelmessagebox.h"
#include "app/placeholderlistwidget.h"
#include "app/thirdpartysource.h"
#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "icons/iconmanage.h"
#include "notices/centralnotice.h"
#include "notices/normalnoticemanager.h"
#include "notices/noticeconfig.h"
#include "platform/autostart.h"
#include "platform/displaychangewatcher.h"
#include "vault/aesaccountupdatedialog.h"
#include "vault/secretfield.h"
#include "vault/userinfodetaildialog.h"
#include "vault/vaultcipher.h"
#include "vault/vaultinput.h"
// Task tab
#include "tasks/imagebutton.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"
#include "tasks/workdayconfig.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
const auto UniqueConnection = static_cast<Qt::ConnectionType>(Qt::AutoConnection | Qt::UniqueConnection);
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    // Birthdays: the editor lives as long as the window and keeps the Birthday tab's list current.
    birthdayConfig = new BirthdayConfig(this);

    workdayConfig = new WorkdayConfig(this);
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/img/icon.png")));

    // Icon library: connected to the hub before this window, so its lists reload before a restart question
    // blocks, and in time to hear the notes setting broadcast below.
    IconManage::instance(this);

    // Birthdays: a double click anywhere on the list opens the editor, also on the empty list.
    connect(ui->listWidget_Birthday, &PlaceholderListWidget::SIGNALBlankDoubleClicked, birthdayConfig,
            &BirthdayConfig::openEditor);

    {
        ConfigSettings settings;
        const QString name = settings.softwareName();
        if (!name.isEmpty())
            AppGlobals::softwareName = name;
        languageIndex = ConfigSettings::languageIndex(settings.language());
    }
    ui->comboBox_Language->setCurrentIndex(languageIndex);
    storedLanguageIndex = languageIndex;

    setupTray();

    setWindowTitle(AppGlobals::softwareName);
    ui->label_SoftwareVersion->setText(
        tr("版本") +
        QStringLiteral(" %1 (%2)").arg(QLatin1String(AppGlobals::Version), QLatin1String(AppGlobals::VersionDate)));

    ui->pushButton_AutoRunCurrentUser->setChecked(AutoStart::isEnabled());

    // Notices: the settings dialog and the popup stack exist before the screens are set up.
    noticeConfig = new NoticeConfig(this);
    normalNoticeManager = new NormalNoticeManager(this);
    normalNoticeManager->setObjectName(QStringLiteral("normalNoticeManager"));
    setupUsersTab();
    setupTaskTab();

    displayWatcher = new DisplayChangeWatcher(this);
    connect(displayWatcher, &DisplayChangeWatcher::displayChanged, this, &MainWindow::rebuildAfterDisplayChange);
    setupScreens();
    setupAboutTab();
    setupKeyboard();

    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this, &MainWindow::slotReceiveQueryData,
            UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALScreenSizeChanged, this,
            &MainWindow::slotScreenSizeChanged, UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALShowCentralNotice, this,
            &MainWindow::slotShowCentralNotice, UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALShowNormalNotice, this, &MainWindow::slotShowNormalNotice,
            UniqueConnection);

    // Workday exceptions first: a task row checks its due time as soon as it is built, and the worker answers
    // in order, so a late workday task moves on by the user's calendar.
    for (const SqlOperateType operate :
         {TaskWorkdaySelect, TaskListSelect, BirthdayInfoSelect, UsersConfigSelect, UsersVerifySelectRegistered})
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
    qDeleteAll(centralNotices);
    delete thirdPartySource;
    delete helpDocument;
    delete ui;
}

void MainWindow::setupKeyboard()
{
    // A label's mnemonic takes the focus to the field it names.
    ui->label_User->setBuddy(ui->lineEdit_User);
    ui->label_Key->setBuddy(ui->lineEdit_Key);
    ui->label_Language->setBuddy(ui->comboBox_Language);
    ui->label_BirthdayConfig->setBuddy(ui->pushButton_BirthdayConfig);
    ui->label_WorkdayCfg->setBuddy(ui->pushButton_WorkdayCfg);
    ui->label_IconManage->setBuddy(ui->pushButton_IconManage);
    ui->label_NoticeCfg->setBuddy(ui->pushButtonNoticeCfg);
    ui->label_UserLimitOnePage->setBuddy(ui->lineEdit_UserLimitOnePage);
    ui->label_NoActiveLogoutSec->setBuddy(ui->lineEdit_NoActiveLogoutSec);

    // Pictures without text: reached with Tab, and named for screen readers.
    ui->label_TaskIcon->setFocusPolicy(Qt::StrongFocus);
    ui->label_TaskIcon->setToolTip(tr("任务图标：点击或按空格键选择"));
    ui->label_TaskIcon->setAccessibleName(tr("任务图标"));
    ui->pushButton_NormalNoticeKeepDisplay->setAccessibleName(tr("提示窗一直停留"));
    ui->pushButton_ShowKey->setToolTip(tr("显示密钥"));
    ui->pushButton_ShowKey->setAccessibleName(tr("显示密钥"));
    // Drawn as pictures, they show the keyboard focus with a frame of their own.
    const QString focusFrame = QStringLiteral("#%1:focus{border:1px dotted #1f91f2;}");
    for (QWidget *picture :
         {static_cast<QWidget *>(ui->label_TaskIcon), static_cast<QWidget *>(ui->pushButton_NormalNoticeKeepDisplay),
          static_cast<QWidget *>(ui->pushButton_ShowKey)})
        picture->setStyleSheet(picture->styleSheet() + focusFrame.arg(picture->objectName()));

    quitAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Q));
    addAction(quitAction);
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        connect(new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_1 + i), this), &QShortcut::activated, this,
                [this, i]() { ui->tabWidget->setCurrentIndex(i); });
    connect(new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_F), this), &QShortcut::activated, this, [this]() {
        ui->tabWidget->setCurrentWidget(ui->tabUsers);
        ui->lineEdit_SearchText->setFocus(Qt::ShortcutFocusReason);
        ui->lineEdit_SearchText->selectAll();
    });
    connect(new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_L), this), &QShortcut::activated, this, []() {
        if (interfacePublicData.loggedIn)
            interfacePublicData.aesLogout(LogoutManual);
    });
    // Delete asks as the button does, and only where the button may act.
    connect(new QShortcut(QKeySequence::Delete, ui->tableWidget_Users, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this]() { ui->pushButton_DelUser->animateClick(); });
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
    // Notices: one centre notice per screen, made anew whenever the displays change.
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
    }
    if (!screens.isEmpty()) {
        const QScreen *first = screens.first();
        AppGlobals::screenWidth = first->availableGeometry().width();
        AppGlobals::screenHeight = first->availableGeometry().height();
        AppGlobals::dpi = static_cast<int>(first->logicalDotsPerInch());
        normalNoticeManager->setNoticeArea(first->availableGeometry());
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
    case TaskListDelete:
    case TaskListInsert:
        emit interfacePublicData.SIGNALSendQuery(TaskListSelect, QVariant());
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
    case UsersConfigSelect:
        applyUsersConfig(var);
        break;
    case UsersConfigUpdate:
        emit interfacePublicData.SIGNALSendQuery(UsersConfigSelect, QVariant());
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
    case BirthdayInfoSelect:
        rebuildBirthdayList(var.value<QList<BirthdayInfoData>>());
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
    ConfigSettings settings;
    settings.setValue(QStringLiteral("Language/lang"), ConfigSettings::languageCode(index));
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        // The combo shows the language the next start will use.
        const QSignalBlocker blocker(ui->comboBox_Language);
        ui->comboBox_Language->setCurrentIndex(storedLanguageIndex);
        QMessageBox::information(this, tr("设置未保存"),
                                 tr("无法写入设置文件 %1").arg(QDir::toNativeSeparators(settings.fileName())));
        return;
    }
    storedLanguageIndex = index;
    if (index != languageIndex)
        askRestart(tr("要现在重启软件以切换语言吗？\n选择“稍后”将在下次启动时切换。"));
}

void MainWindow::on_pushButton_AboutQt_clicked()
{
    QMessageBox::aboutQt(this, QString());
}

// --- About tab: links, information page, the sources and help windows ------------------------------------

void MainWindow::setupAboutTab()
{
    thirdPartySource = new ThirdPartySource();
    helpDocument = new HelpDocument();
    const QString link = QStringLiteral("<a href=\"%1\">%1</a>");
    ui->label_Website->setText(link.arg(QLatin1String(AboutPage::HomePage)));
    ui->label_Feedback->setText(link.arg(QLatin1String(AboutPage::IssuePage)));
    ui->textBrowser_SoftwareInfo->setOpenExternalLinks(true);
    showSoftwareInfo();
    // A tray may come or go while the program runs; the tips say what closing does on this desktop now.
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, [this]() {
        if (ui->tabWidget->currentWidget() == ui->tabAbout)
            showSoftwareInfo();
    });
}

void MainWindow::showSoftwareInfo()
{
    AboutPage::load(ui->textBrowser_SoftwareInfo, AboutPage::SoftwareInfo, AppGlobals::language, hasTray());
}

namespace {
// Shown again as the user left it, in front even when it was minimized or behind the main window.
void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void MainWindow::on_pushButton_ThirdPartySource_clicked()
{
    bringToFront(thirdPartySource);
}

void MainWindow::on_pushButton_HelpDocment_clicked()
{
    bringToFront(helpDocument);
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

// --- Account vault: login row, inactivity logout, account table and its settings -----------------------

void MainWindow::setupUsersTab()
{
    userInfoDetailDialog = new UserInfoDetailDialog(this);
    aesAccountUpdateDialog = new AesAccountUpdateDialog(this);
    ui->label_LoginTips->hide();
    ui->pushButton_AesAccountUpdate->hide();
    // The red frame of the open vault goes around the status bar and the size grip, not over them; the room
    // is kept while the vault is closed too, so that nothing moves when it opens.
    setContentsMargins(WarnBorder::Width, WarnBorder::Width, WarnBorder::Width, WarnBorder::Width);
    VaultInput::installUserNameValidator(ui->lineEdit_User);
    VaultInput::installKeyValidator(ui->lineEdit_Key);
    SecretField::protect(ui->lineEdit_Key);
    VaultInput::installSettingValidator(ui->lineEdit_UserLimitOnePage);
    VaultInput::installSettingValidator(ui->lineEdit_NoActiveLogoutSec);
    // Column widths that do not follow the page shown: the nickname, phone and date as wide as a phone
    // number or a date (or their header); the title, user name and e-mail share the rest.
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
    for (QObject *watched : {static_cast<QObject *>(ui->lineEdit_Key), static_cast<QObject *>(ui->lineEdit_SearchText),
                             static_cast<QObject *>(ui->lineEdit_GoPage)})
        watched->installEventFilter(this);

    loginOutTimer = new QTimer(this);
    loginOutTimer->setInterval(1000);
    connect(loginOutTimer, &QTimer::timeout, this, &MainWindow::slotTimerLoginOutTimeout);
    warnBorderTimer = new QTimer(this);
    warnBorderTimer->setInterval(100);
    connect(warnBorderTimer, &QTimer::timeout, this, &MainWindow::slotTimerWarnBorderTimeout);

    connect(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin, this, &MainWindow::slotAesLogin,
            UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALUserActiveStatusChanged, this,
            &MainWindow::slotUserActiveStatusChanged, UniqueConnection);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALLatin1VaultOpened, this,
            &MainWindow::slotLatin1VaultOpened, UniqueConnection);
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
    // A prompt, not a name: typing replaces it and an untouched field adds a task without a name.
    ui->comboBox_TaskName->setCurrentIndex(-1);
    ui->comboBox_TaskName->lineEdit()->setPlaceholderText(tr("请填写任务名称"));
    ui->dateTimeEdit_Set->setMinimumWidth(ui->dateTimeEdit_Set->sizeHint().width() + 30);
}

namespace {
bool isActivationKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Return in the key, search and page fields presses the button beside them.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == ui->lineEdit_Key) {
                QTimer::singleShot(0, this, &MainWindow::on_pushButton_Login_clicked);
                return true;
            }
            if (watched == ui->lineEdit_SearchText) {
                QTimer::singleShot(0, this, &MainWindow::on_pushButton_Search_clicked);
                return true;
            }
            if (watched == ui->lineEdit_GoPage) {
                QTimer::singleShot(0, this, &MainWindow::on_pushButton_GoPage_clicked);
                return true;
            }
        }
    }

    // Task tab: a click on the icon of the next task, or Space or Enter on it, picks another one; a larger
    // list shows more rows.
    if (watched == ui->label_TaskIcon && (event->type() == QEvent::MouseButtonPress || isActivationKey(event))) {
        chooseNewTaskIcon();
        if (event->type() == QEvent::KeyPress)
            return true;
    } else if (watched == ui->listWidget_Task->viewport() && event->type() == QEvent::Resize)
        buildVisibleTaskRows();

    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::checkLoginInput()
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

void MainWindow::on_pushButton_Login_clicked()
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
        statusBar()->showMessage(tr("验证中..."));
        ui->pushButton_Login->setText(tr("验证中"));
        ui->pushButton_Login->setEnabled(false);
        interfacePublicData.setLoginAccount(user, key);
        return;
    }
    if (!checkLoginInput())
        return;
    // A lost key cannot be recovered, so a typo must not become the key.
    QString repeated;
    if (!askKeyAgain(tr("请再次输入密钥"), &repeated))
        return;
    const bool same = repeated == ui->lineEdit_Key->text();
    VaultCipher::wipe(repeated);
    if (!same) {
        SecretField::wipe(ui->lineEdit_Key);
        QMessageBox::information(this, VaultInput::keysDifferTitle(), VaultInput::keysDifferText());
        return;
    }
    const QString warning =
        tr("请牢记用户名和密钥：二者都无法找回，忘记后加密保存的密码、密码备注和加密的备注将无法恢复。");
    if (QMessageBox::information(this, tr("确认注册该账号吗？"),
                                 ui->lineEdit_User->text() + QStringLiteral("\n\n") + warning,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok)
        interfacePublicData.setLoginAccount(ui->lineEdit_User->text(), ui->lineEdit_Key->text());
}

bool MainWindow::askKeyAgain(const QString &label, QString *key)
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
void MainWindow::slotLatin1VaultOpened(const QString &user)
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

void MainWindow::on_pushButton_ShowKey_clicked(bool checked)
{
    ui->lineEdit_Key->setEchoMode(checked ? QLineEdit::Normal : QLineEdit::Password);
}

void MainWindow::slotAesLogin(bool login, LoginOutReasonType reason)
{
    for (QWidget *widget : {static_cast<QWidget *>(ui->label_User), static_cast<QWidget *>(ui->label_Key),
                            static_cast<QWidget *>(ui->lineEdit_User), static_cast<QWidget *>(ui->lineEdit_Key),
                            static_cast<QWidget *>(ui->pushButton_ShowKey)})
        widget->setVisible(!login);
    ui->pushButton_Login->setEnabled(true);
    ui->pushButton_AddUser->setEnabled(login);
    ui->pushButton_DelUser->setEnabled(login);
    ui->pushButton_AesAccountUpdate->setVisible(login);
    if (login) {
        setStyleSheet(WarnBorder::solid());
        statusBar()->showMessage(tr("验证通过，请注意周边环境，离开时请务必退出验证！"));
        ui->pushButton_Login->setText(tr("退出验证"));
        if (loginOutCountdown.limit() != 0)
            loginOutTimer->start();
        return;
    }

    warnBorderTimer->stop();
    setStyleSheet(QString());
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
    switch (reason) {
    case LogoutManual:
        statusBar()->showMessage(tr("正常退出"), 10000);
        break;
    case LogoutInactive:
        statusBar()->showMessage(tr("为了你的账号安全，已自动退出验证"));
        break;
    case LoginVerify:
        statusBar()->showMessage(tr("验证失败"), 10000);
        break;
    case LoginRegistered:
        statusBar()->showMessage(tr("注册成功，请尝试用刚才的信息进行验证！"));
        break;
    case LogoutAccountChanged:
        statusBar()->showMessage(tr("管理账号已修改，请重新验证！"));
        break;
    }
}

void MainWindow::slotUserActiveStatusChanged()
{
    ui->label_LoginTips->clear();
    loginOutCountdown.reset();
    if (ui->label_LoginTips->isVisible())
        ui->label_LoginTips->hide();
}

void MainWindow::slotTimerLoginOutTimeout()
{
    switch (loginOutCountdown.tick(interfacePublicData.reencryptIdle, interfacePublicData.loggedIn)) {
    case LogoutCountdown::Calm:
        if (warnBorderTimer->isActive()) {
            warnBorderTimer->stop();
            setStyleSheet(WarnBorder::solid());
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

void MainWindow::slotTimerWarnBorderTimeout()
{
    setStyleSheet(warnBorder.step());
}

void MainWindow::on_pushButton_AesAccountUpdate_clicked()
{
    aesAccountUpdateDialog->exec();
}

void MainWindow::applyUsersConfig(const QVariant &var)
{
    const UsersConfigData config = var.value<UsersConfigData>();
    usersQuery.limitOnePage = config.UserLimitOnePage;
    loginOutCountdown.setLimit(config.NoActiveLogoutSec);
    ui->lineEdit_UserLimitOnePage->setText(QString::number(config.UserLimitOnePage));
    ui->lineEdit_NoActiveLogoutSec->setText(QString::number(config.NoActiveLogoutSec));
    ui->pushButton_UsersSetUpdate->setEnabled(false);
    sendUsersQuery(1);
    loginOutCountdown.reset();
    if (loginOutCountdown.limit() != 0 && interfacePublicData.loggedIn)
        loginOutTimer->start();
    else
        loginOutTimer->stop();
}

void MainWindow::sendUsersQuery(int page)
{
    usersQuery.page = page;
    emit interfacePublicData.SIGNALSendQuery(UsersUserQuery, QVariant::fromValue(usersQuery));
}

void MainWindow::showUsersPage(const UsersUserResultData &result)
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
                                   user.Phone, user.Email, user.UpdateDate.toString(QStringLiteral("yyyy-MM-dd"))};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
}

void MainWindow::on_pushButton_Search_clicked()
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

void MainWindow::on_pushButton_PrePage_clicked()
{
    sendUsersQuery(usersResult.page - 1);
}

void MainWindow::on_pushButton_NextPage_clicked()
{
    sendUsersQuery(usersResult.page + 1);
}

void MainWindow::on_pushButton_GoPage_clicked()
{
    const int page = ui->lineEdit_GoPage->text().toInt();
    if (page >= 1 && page <= usersResult.pageCount) {
        sendUsersQuery(page);
        return;
    }
    QMessageBox::information(this, tr("输入无效"), tr("输入无效"));
    ui->lineEdit_GoPage->setText(QString::number(usersResult.page));
}

void MainWindow::on_tableWidget_Users_cellDoubleClicked(int row, int)
{
    userInfoDetailDialog->showUserInfo(row);
}

void MainWindow::on_tableWidget_Users_currentCellChanged(int currentRow, int, int, int)
{
    currentUserRow = currentRow;
}

void MainWindow::on_pushButton_AddUser_clicked()
{
    if (interfacePublicData.loggedIn)
        userInfoDetailDialog->showAddUser();
}

void MainWindow::on_pushButton_EditUser_clicked()
{
    if (currentUserRow != -1)
        userInfoDetailDialog->showUserInfo(currentUserRow);
}

void MainWindow::on_pushButton_DelUser_clicked()
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

void MainWindow::on_pushButton_UsersSetUpdate_clicked()
{
    const int limit = VaultInput::settingValue(ui->lineEdit_UserLimitOnePage->text());
    if (!VaultInput::limitOnePageValid(limit)) {
        QMessageBox::information(this, tr("输入无效"), tr("范围") + QStringLiteral(": 0~100\n0: ") + tr("不分页"));
        ui->lineEdit_UserLimitOnePage->setText(QString::number(usersQuery.limitOnePage));
        ui->pushButton_UsersSetUpdate->setEnabled(false);
        return;
    }
    const int seconds = VaultInput::settingValue(ui->lineEdit_NoActiveLogoutSec->text());
    if (!VaultInput::logoutSecondsValid(seconds)) {
        QMessageBox::information(this, tr("输入无效"),
                                 tr("范围") + QStringLiteral(": 0 ") + tr("或") + QStringLiteral(" 30~300\n0: ") +
                                     tr("不自动退出，有被他人查看的风险"));
        ui->lineEdit_NoActiveLogoutSec->setText(QString::number(loginOutCountdown.limit()));
        ui->pushButton_UsersSetUpdate->setEnabled(false);
        return;
    }
    emit interfacePublicData.SIGNALSendQuery(UsersConfigUpdate, QVariant::fromValue(UsersConfigData{limit, seconds}));
    ui->pushButton_UsersSetUpdate->setEnabled(false);
}

void MainWindow::on_lineEdit_UserLimitOnePage_textChanged(const QString &)
{
    ui->pushButton_UsersSetUpdate->setEnabled(true);
}

void MainWindow::on_lineEdit_NoActiveLogoutSec_textChanged(const QString &)
{
    ui->pushButton_UsersSetUpdate->setEnabled(true);
}

void MainWindow::finishAccountUpdate(const QVariant &var)
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

// Birthdays: the editor and the Birthday tab

void MainWindow::on_pushButton_BirthdayConfig_clicked()
{
    birthdayConfig->openEditor();
}

void MainWindow::on_listWidget_Birthday_itemDoubleClicked(QListWidgetItem *)
{
    birthdayConfig->openEditor();
}

void MainWindow::rebuildBirthdayList(const QList<BirthdayInfoData> &list)
{
    // Answers that follow a mere update of reminder flags leave the rows (and their timers) alone.
    if (interfacePublicData.birthdayListUpToDate)
        return;
    QListWidget *listWidget = ui->listWidget_Birthday;
    while (listWidget->count() > 0) {
        QListWidgetItem *item = listWidget->item(0);
        delete listWidget->itemWidget(item);
        delete listWidget->takeItem(0);
    }

    // All items go in before the first row widget: a visible list relayouts every row widget it holds
    // on each insertion, which would make the rebuild quadratic.
    for (int i = 0; i < list.size(); ++i)
        listWidget->addItem(new QListWidgetItem);
    QList<BirthdayWidgetItem *> rows;
    int nameWidth = 0;
    for (int i = 0; i < list.size(); ++i) {
        auto *row = new BirthdayWidgetItem(list.at(i), listWidget->viewport());
        QListWidgetItem *item = listWidget->item(i);
        item->setSizeHint(row->sizeHint());
        listWidget->setItemWidget(item, row);
        nameWidth = qMax(nameWidth, row->showNameWidth());
        rows.append(row);
    }
    for (BirthdayWidgetItem *row : rows)
        row->setShowNameMinimumWidth(nameWidth);
    interfacePublicData.birthdayListUpToDate = true;
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
    task.TaskTimeSee = TaskTiming::firstNoticeTime(
        mode, currentCycleIndex, ui->timeEdit_Set->time(), ui->dateTimeEdit_Set->dateTime(),
        ui->comboBox_TaskDayOfWeek->currentIndex(), QDateTime::currentDateTime(), interfacePublicData);
    task.IconPath = taskIconPath;
    task.NoticeCycle = currentCycleIndex;
    task.Noticed = 0;
    task.Deleted = 0;
    task.NormalNoticeKeepDisplay = ui->pushButton_NormalNoticeKeepDisplay->isChecked() ? 1 : 0;
    emit interfacePublicData.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(task));
}

void MainWindow::on_pushButton_ClearCompleteTask_clicked()
{
    int completed = 0;
    for (QListWidgetItem *item : qAsConst(taskItems)) {
        const auto *row = qobject_cast<TaskWidgetItem *>(ui->listWidget_Task->itemWidget(item));
        if (row && row->isCompleted())
            ++completed;
    }
    if (LabelMessageBox::confirmDeletion(this, completed, tr("没有已完成的任务"),
                                         tr("删除 %n 个已完成的任务？", nullptr, completed)))
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
