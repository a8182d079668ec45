#pragma once

#include <QGroupBox>
#include <QUrl>

namespace Ui {
class SyncConfigGroup;
}
class Keyring;
class SyncService;

// The calendar sync on the Settings tab: server, user and password, a trial of them that lists the user's
// calendars, the calendar to sync with (or a new one), a sync on request, and the events not taken. The
// group owns the sync itself, started once the main window's first lists are asked for.
class SyncConfigGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit SyncConfigGroup(QWidget *parent = nullptr);
    ~SyncConfigGroup() override;

    void startSync();
    SyncService *service() const { return sync; }

signals:
    // The line the status bar keeps, and passing messages.
    void SIGNALStatusText(const QString &text);
    void SIGNALStatusMessage(const QString &text, int timeoutMs);

private slots:
    void on_pushButton_SyncTest_clicked();
    void on_pushButton_SyncNow_clicked();
    void on_comboBox_SyncCalendar_activated(int index);

private:
    // Data of the combo's entries besides the calendars.
    static constexpr const char *NewCalendar = "new";

    void showAccount();
    void showStatus();
    void chooseCalendar(const QUrl &calendar, const QString &name);
    QString askPassword();

    Ui::SyncConfigGroup *ui;
    Keyring *keyring;
    SyncService *sync;
    // Where new calendars go, once the trial found it.
    QUrl home;
};
