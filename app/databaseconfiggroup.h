#pragma once

#include "data/records.h"

#include <QGroupBox>
#include <QVariant>

namespace Ui {
class DatabaseConfigGroup;
}
class BackupRestoreDialog;
class QTimer;

// The database's settings on the Settings tab: how many daily backups are kept (in the settings file) and
// the way back to one of them. The group also writes the day's backup, once started.
class DatabaseConfigGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit DatabaseConfigGroup(QWidget *parent = nullptr);
    ~DatabaseConfigGroup() override;

    // Writes the day's backup now and checks for a new day hourly, so that a new day gets one soon after it
    // starts, also across a suspend. Called once the first lists are asked for, not to hold them up.
    void startBackups();

signals:
    // A backup was put back; the program must start again to use it.
    void SIGNALRestored();
    void SIGNALStatusMessage(const QString &text, int timeoutMs);

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private slots:
    void on_spinBox_BackupsKept_valueChanged(int count);
    void on_pushButton_RestoreBackup_clicked();

private:
    static void writeDailyBackup();

    Ui::DatabaseConfigGroup *ui;
    QTimer *backupTimer = nullptr;
    BackupRestoreDialog *backupRestoreDialog = nullptr;
};
