#pragma once

#include "data/records.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>

namespace Ui {
class AesAccountUpdateDialog;
}

// Changes the master user name, key or both: checks the input, asks for confirmation, then shows the
// progress of the re-encryption and refuses to close until it has answered.
class AesAccountUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AesAccountUpdateDialog(QWidget *parent = nullptr);
    ~AesAccountUpdateDialog() override;

    // Closes the box shown before, then runs a new one as a child of the dialog (Cancel is the default
    // where offered) and returns the button pressed.
    QMessageBox::StandardButton showPendingMessage(QMessageBox::Icon icon, const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons);
    // Back to the empty input page.
    void resetPages();
    // After a change that failed midway: the user is told to restart, which puts the backup back, and the
    // program ends before anything new is entered.
    static void quitForRestore(QWidget *parent);

public slots:
    // Only the answer to the change started here: an older vault stored anew is the Users tab's.
    void slotReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var);
    void slotAesUpdateStatus(QString info, int progressValue, int progressMax);
    // Refused while the change runs: the worker is using the credentials.
    void reject() override;

private slots:
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();
    void on_AesAccountUpdateDialog_accepted();
    void on_AesAccountUpdateDialog_rejected();
    void on_pushButton_ShowKey_clicked(bool checked);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool refuseWhileRunning();

    Ui::AesAccountUpdateDialog *ui;
    QPointer<QMessageBox> pendingMessage;
    quint64 changeRequest = 0;
};
