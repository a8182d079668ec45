#include "app/backuprestoredialog.h"
#include "ui_backuprestoredialog.h"

#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "widgets/labelmessagebox.h"

#include <QDir>
#include <QHeaderView>
#include <QMessageBox>

BackupRestoreDialog::BackupRestoreDialog(QWidget *parent) : QDialog(parent), ui(new Ui::BackupRestoreDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // The date with its time and marker whole; the counts share the rest.
    QHeaderView *header = ui->tableWidget_Backups->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this,
            &BackupRestoreDialog::slotReceiveQueryData, Qt::UniqueConnection);
}

BackupRestoreDialog::~BackupRestoreDialog()
{
    delete ui;
}

int BackupRestoreDialog::openDialog()
{
    restoring = false;
    showBackups({});
    ui->label_BackupsHint->setText(tr("正在读取备份..."));
    emit interfacePublicData.SIGNALSendQuery(DatabaseBackupList, QVariant());
    return exec();
}

void BackupRestoreDialog::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case DatabaseBackupList:
        showBackups(var.value<QList<DatabaseBackup::Entry>>());
        break;
    case DatabaseBackupRestore:
        if (!restoring)
            break;
        restoring = false;
        // Replaced: the worker's connection is closed, so the program starts again on the restored file.
        if (var.toString().isEmpty()) {
            accept();
            QMessageBox::information(parentWidget(), tr("数据库已还原"), tr("程序将重新启动。"));
            emit SIGNALRestored();
            break;
        }
        QMessageBox::information(this, tr("无法还原"), var.toString());
        emit interfacePublicData.SIGNALSendQuery(DatabaseBackupList, QVariant());
        break;
    default:
        break;
    }
}

void BackupRestoreDialog::showBackups(const QList<DatabaseBackup::Entry> &backups)
{
    entries = backups;
    const QString folder = QDir::toNativeSeparators(
        DatabaseBackup::folderOf(QDir::current().absoluteFilePath(QString::fromLatin1(SqlThread::DatabasePath))));
    ui->label_BackupsHint->setText(
        backups.isEmpty() ? tr("还没有备份。程序每天把数据库复制到：\n%1").arg(folder)
                          : tr("选择一个备份来替换当前的数据库。当前的数据库会先另存为一个备份，然后程序重新启动。"));
    QTableWidget *table = ui->tableWidget_Backups;
    table->clearContents();
    table->clearSpans();
    table->setRowCount(backups.size());
    for (int row = 0; row < backups.size(); ++row) {
        const DatabaseBackup::Entry &entry = backups.at(row);
        const QString date = label(entry);
        const QString unusable = entry.version == 0 ? tr("已损坏") : DatabaseBackup::otherVersionText(entry.version);
        const QStringList texts = entry.usable
                                      ? QStringList{date, QString::number(entry.tasks),
                                                    QString::number(entry.birthdays), QString::number(entry.accounts)}
                                      : QStringList{date, unusable};
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            // The markers may not fit the column.
            item->setToolTip(date + QLatin1Char('\n') + QDir::toNativeSeparators(entry.path));
            if (column > 0)
                item->setTextAlignment(Qt::AlignCenter);
            // A backup that cannot be restored is shown, greyed, with the reason across the counts.
            if (!entry.usable)
                item->setFlags(Qt::NoItemFlags);
            table->setItem(row, column, item);
        }
        if (!entry.usable)
            table->setSpan(row, 1, 1, table->columnCount() - 1);
    }
    on_tableWidget_Backups_itemSelectionChanged();
}

QString BackupRestoreDialog::label(const DatabaseBackup::Entry &entry)
{
    QString text = entry.date.toString(StoredFormat::Date);
    if (entry.written.isValid())
        text += QLatin1Char(' ') + entry.written.toString(QStringLiteral("hh:mm"));
    if (entry.keptAtRestore)
        text += QLatin1Char(' ') + tr("（还原前）");
    if (entry.future)
        text += QLatin1Char(' ') + tr("（日期晚于今天）");
    return text;
}

const DatabaseBackup::Entry *BackupRestoreDialog::chosen() const
{
    const QList<QTableWidgetItem *> selected = ui->tableWidget_Backups->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int row = selected.first()->row();
    return row < entries.size() && entries.at(row).usable ? &entries.at(row) : nullptr;
}

void BackupRestoreDialog::on_tableWidget_Backups_itemSelectionChanged()
{
    ui->pushButton_Restore->setEnabled(!restoring && chosen());
}

void BackupRestoreDialog::on_tableWidget_Backups_cellDoubleClicked(int, int)
{
    on_pushButton_Restore_clicked();
}

void BackupRestoreDialog::on_pushButton_Restore_clicked()
{
    const DatabaseBackup::Entry *entry = chosen();
    if (!entry || restoring)
        return;
    const QString text =
        tr("用 %1 的备份替换当前的数据库吗？").arg(label(*entry)) + QStringLiteral("\n\n") +
        tr("备份中有 %1 个任务、%2 个生日、%3 个账号。").arg(entry->tasks).arg(entry->birthdays).arg(entry->accounts) +
        QStringLiteral("\n") + tr("当前的数据库会先另存为一个备份。还原后程序将重新启动。");
    if (!LabelMessageBox::confirm(this, tr("从备份恢复"), text, QStringLiteral(":/img/icon.png")))
        return;
    restoring = true;
    ui->pushButton_Restore->setEnabled(false);
    emit interfacePublicData.SIGNALSendQuery(DatabaseBackupRestore, entry->path);
}

void BackupRestoreDialog::on_pushButton_Close_clicked()
{
    reject();
}
