#include "sync/syncconfiggroup.h"
#include "ui_syncconfiggroup.h"

#include "sync/syncservice.h"
#include "sync/systemkeyring.h"

#include <QInputDialog>

SyncConfigGroup::SyncConfigGroup(QWidget *parent)
    : QGroupBox(parent), ui(new Ui::SyncConfigGroup), keyring(new SystemKeyring(this)),
      sync(new SyncService(keyring, this))
{
    ui->setupUi(this);
    ui->listWidget_SyncNotTaken->hide();
    sync->setPasswordPrompt([this]() { return askPassword(); });
    connect(sync, &SyncService::SIGNALStatusChanged, this, &SyncConfigGroup::showStatus);
    connect(sync, &SyncService::SIGNALConflicts, this, [this](const QStringList &conflicts) {
        emit SIGNALStatusMessage(conflicts.join(QStringLiteral("；")), 60000);
    });
    showAccount();
}

SyncConfigGroup::~SyncConfigGroup()
{
    delete ui;
}

void SyncConfigGroup::startSync()
{
    sync->start();
}

void SyncConfigGroup::showAccount()
{
    const SyncService::Account &account = sync->account();
    ui->lineEdit_SyncServer->setText(account.server);
    ui->lineEdit_SyncUser->setText(account.user);
    ui->comboBox_SyncCalendar->clear();
    ui->comboBox_SyncCalendar->addItem(tr("不同步"), QString());
    if (account.calendar.isValid()) {
        ui->comboBox_SyncCalendar->addItem(account.calendarName, account.calendar.toString());
        ui->comboBox_SyncCalendar->setCurrentIndex(1);
    }
}

void SyncConfigGroup::showStatus()
{
    const QStringList notTaken = sync->notTaken();
    QString text = sync->isRunning() ? tr("正在同步…") : sync->statusText();
    emit SIGNALStatusText(text);
    if (sync->passwordInMemoryOnly())
        text += QLatin1Char('\n') + tr("系统没有可用的密钥环，密码只保留到程序退出。");
    if (!notTaken.isEmpty())
        text += QLatin1Char('\n') + tr("日历中有 %n 个事件没有成为任务：", nullptr, notTaken.size());
    ui->label_SyncStatus->setText(text.trimmed());
    ui->listWidget_SyncNotTaken->clear();
    ui->listWidget_SyncNotTaken->addItems(notTaken);
    ui->listWidget_SyncNotTaken->setVisible(!notTaken.isEmpty());
}

void SyncConfigGroup::on_pushButton_SyncTest_clicked()
{
    const QString server = ui->lineEdit_SyncServer->text().trimmed();
    const QString user = ui->lineEdit_SyncUser->text().trimmed();
    const QString typed = ui->lineEdit_SyncPassword->text();
    ui->label_SyncStatus->setText(tr("正在连接…"));
    ui->pushButton_SyncTest->setEnabled(false);
    sync->findCalendars(server, user, typed,
                        [this, server, user, typed](CalDavClient::Result result,
                                                    const QList<CalDavClient::Calendar> &calendars, const QUrl &found) {
                            ui->pushButton_SyncTest->setEnabled(true);
                            if (!result.ok()) {
                                ui->label_SyncStatus->setText(tr("连接失败：%1").arg(result.error));
                                return;
                            }
                            home = found;
                            SyncService::Account account = sync->account();
                            if (account.server != server || account.user != user)
                                account = SyncService::Account();
                            account.server = server;
                            account.user = user;
                            if (!sync->setAccount(account)) {
                                ui->label_SyncStatus->setText(tr("无法写入设置文件"));
                                return;
                            }
                            if (!typed.isEmpty())
                                sync->setPassword(typed);
                            ui->lineEdit_SyncPassword->clear();

                            QComboBox *combo = ui->comboBox_SyncCalendar;
                            combo->clear();
                            combo->addItem(tr("不同步"), QString());
                            bool named = false;
                            for (const CalDavClient::Calendar &calendar : calendars) {
                                combo->addItem(calendar.name, calendar.url.toString());
                                named = named || calendar.name == QLatin1String("Pemmora");
                            }
                            if (!named)
                                combo->addItem(tr("新建日历“Pemmora”"), QString::fromLatin1(NewCalendar));
                            combo->setCurrentIndex(std::max(0, combo->findData(account.calendar.toString())));
                            QString text = tr("连接成功，找到 %n 个日历。", nullptr, calendars.size());
                            if (!account.calendar.isValid())
                                text += tr("请选择要同步的日历。");
                            ui->label_SyncStatus->setText(text);
                        });
}

void SyncConfigGroup::on_comboBox_SyncCalendar_activated(int index)
{
    QComboBox *combo = ui->comboBox_SyncCalendar;
    const QString data = combo->itemData(index).toString();
    if (data != QLatin1String(NewCalendar)) {
        chooseCalendar(QUrl(data), combo->itemText(index));
        return;
    }
    combo->setEnabled(false);
    sync->makeCalendar(home, QStringLiteral("Pemmora"),
                       [this, combo, index](CalDavClient::Result result, const CalDavClient::Calendar &calendar) {
                           combo->setEnabled(true);
                           if (!result.ok()) {
                               combo->setCurrentIndex(
                                   std::max(0, combo->findData(sync->account().calendar.toString())));
                               ui->label_SyncStatus->setText(tr("无法新建日历：%1").arg(result.error));
                               return;
                           }
                           combo->setItemText(index, calendar.name);
                           combo->setItemData(index, calendar.url.toString());
                           chooseCalendar(calendar.url, calendar.name);
                       });
}

void SyncConfigGroup::chooseCalendar(const QUrl &calendar, const QString &name)
{
    SyncService::Account account = sync->account();
    account.calendar = calendar;
    account.calendarName = calendar.isValid() ? name : QString();
    if (!sync->setAccount(account)) {
        ui->label_SyncStatus->setText(tr("无法写入设置文件"));
        return;
    }
    if (calendar.isValid())
        sync->syncNow();
    showStatus();
}

void SyncConfigGroup::on_pushButton_SyncNow_clicked()
{
    if (!ui->lineEdit_SyncPassword->text().isEmpty()) {
        sync->setPassword(ui->lineEdit_SyncPassword->text());
        ui->lineEdit_SyncPassword->clear();
    }
    if (!sync->account().isSet()) {
        ui->label_SyncStatus->setText(tr("请先测试连接，再选择要同步的日历"));
        return;
    }
    sync->syncNow();
    showStatus();
}

QString SyncConfigGroup::askPassword()
{
    const SyncService::Account &account = sync->account();
    bool ok = false;
    const QString password =
        QInputDialog::getText(window(), tr("日历同步"),
                              tr("请输入 %1 在 %2 的密码。\n系统没有保存它的密钥环时，密码只保留到程序退出。")
                                  .arg(account.user, account.server),
                              QLineEdit::Password, QString(), &ok);
    return ok ? password : QString();
}
