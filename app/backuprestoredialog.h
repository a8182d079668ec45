#pragma once

#include "data/databasebackup.h"
#include "data/records.h"

#include <QDialog>
#include <QVariant>

namespace Ui {
class BackupRestoreDialog;
}

// The daily database backups, newest first with what each holds, and the way back to one of them. The
// worker lists and restores; once it has replaced the database the program must restart.
class BackupRestoreDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BackupRestoreDialog(QWidget *parent = nullptr);
    ~BackupRestoreDialog() override;

    // Asks the worker for the backups and runs the dialog.
    int openDialog();

signals:
    void SIGNALRestored();

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private slots:
    void on_pushButton_Restore_clicked();
    void on_pushButton_Close_clicked();
    void on_tableWidget_Backups_cellDoubleClicked(int row, int column);
    void on_tableWidget_Backups_itemSelectionChanged();

private:
    void showBackups(const QList<DatabaseBackup::Entry> &backups);
    // A backup as the table and the question name it: two of a day differ by their time and the marker of
    // the copy a restore kept.
    static QString label(const DatabaseBackup::Entry &entry);
    // The usable backup of the chosen row, if any.
    const DatabaseBackup::Entry *chosen() const;

    Ui::BackupRestoreDialog *ui;
    QList<DatabaseBackup::Entry> entries;
    bool restoring = false;
};
