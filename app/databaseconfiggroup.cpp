#include "app/databaseconfiggroup.h"
#include "ui_databaseconfiggroup.h"

#include "app/backuprestoredialog.h"
#include "data/configsettings.h"
#include "data/interfacepublicdata.h"

#include <QTimer>

DatabaseConfigGroup::DatabaseConfigGroup(QWidget *parent) : QGroupBox(parent), ui(new Ui::DatabaseConfigGroup)
{
    ui->setupUi(this);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &DatabaseConfigGroup::slotReceiveQueryData, Qt::UniqueConnection);
}

DatabaseConfigGroup::~DatabaseConfigGroup()
{
    delete ui;
}

void DatabaseConfigGroup::startBackups()
{
    {
        const QSignalBlocker blocker(ui->spinBox_BackupsKept);
        ui->spinBox_BackupsKept->setValue(ConfigSettings().backupsKept());
    }
    writeDailyBackup();
    backupTimer = new QTimer(this);
    backupTimer->setInterval(60 * 60 * 1000);
    connect(backupTimer, &QTimer::timeout, this, &DatabaseConfigGroup::writeDailyBackup);
    backupTimer->start();
}

void DatabaseConfigGroup::writeDailyBackup()
{
    emit interfacePublicData.SIGNALSendQuery(DatabaseBackupDaily, ConfigSettings().backupsKept());
}

void DatabaseConfigGroup::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    // Never fatal: the program runs on, and the next check tries again.
    if (operate == DatabaseBackupDaily && !var.toString().isEmpty())
        emit SIGNALStatusMessage(tr("今天的数据库备份未能写入：%1").arg(var.toString()), 60000);
}

void DatabaseConfigGroup::on_spinBox_BackupsKept_valueChanged(int count)
{
    ConfigSettings settings;
    settings.setBackupsKept(count);
    if (!settings.syncOrTell(this)) {
        const QSignalBlocker blocker(ui->spinBox_BackupsKept);
        ui->spinBox_BackupsKept->setValue(ConfigSettings().backupsKept());
    }
}

void DatabaseConfigGroup::on_pushButton_RestoreBackup_clicked()
{
    // Made when first asked for: nothing at start-up needs it.
    if (!backupRestoreDialog) {
        backupRestoreDialog = new BackupRestoreDialog(this);
        connect(backupRestoreDialog, &BackupRestoreDialog::SIGNALRestored, this, &DatabaseConfigGroup::SIGNALRestored);
    }
    backupRestoreDialog->openDialog();
}
