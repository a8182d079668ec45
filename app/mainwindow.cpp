#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appglobals.h"
#include "app/configsettings.h"
#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"
#include "platform/autostart.h"
#include "platform/displaychangewatcher.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>

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
    case BirthdayInfoSelect:
        rebuildBirthdayList(var.value<QList<BirthdayInfoData>>());
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
