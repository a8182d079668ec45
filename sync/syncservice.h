#pragma once

#include "calendar/calendarexport.h"
#include "data/records.h"
#include "sync/caldavclient.h"
#include "sync/syncengine.h"
#include "sync/syncstate.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <memory>

class Keyring;

// Keeps the tasks and birthdays in sync with the chosen calendar: at start, every 15 minutes, a few seconds
// after a change here, and when asked. A run lists what changed on the server, reads what is here through
// the worker, lets the engine decide, changes the tasks here through the hub and writes the server's
// events. What cannot reach the server waits for the next run; the state file keeps it.
class SyncService : public QObject
{
    Q_OBJECT

public:
    static constexpr int PeriodMs = 15 * 60 * 1000;
    static constexpr int AfterChangeMs = 5000;
    static constexpr int AfterStartMs = 3000;

    // Where and as whom; kept in config.ini, the password in the keyring.
    struct Account
    {
        QString server;
        QString user;
        QUrl calendar;
        QString calendarName;

        bool isSet() const { return calendar.isValid() && !user.isEmpty(); }
        // The name of the password in the keyring.
        QString keyringKey() const;
        // What the state belongs to.
        QString id() const;
    };

    explicit SyncService(Keyring *keyring, QObject *parent = nullptr);
    ~SyncService() override;

    static Account storedAccount();
    // Stores the account; another calendar or user starts the state afresh. False when config.ini cannot be
    // written.
    bool setAccount(const Account &account);
    const Account &account() const { return current; }

    // Asked for the password when the keyring has none (or there is no keyring), at most once a start
    // unless the user asks for a sync; empty when the user declined.
    void setPasswordPrompt(std::function<QString()> prompt) { passwordPrompt = std::move(prompt); }
    // A password typed in the settings: for this run, and into the keyring.
    void setPassword(const QString &password);
    void setStateFile(const QString &file) { stateFile = file; }

    // For the settings: the calendars of user on server, with the password typed or, when none was typed,
    // the one kept for them; a new calendar there.
    void findCalendars(const QString &server, const QString &user, const QString &typed,
                       std::function<void(CalDavClient::Result, QList<CalDavClient::Calendar>, QUrl home)> done);
    void makeCalendar(const QUrl &home, const QString &name,
                      std::function<void(CalDavClient::Result, CalDavClient::Calendar)> done);

    // Syncs soon after start and then on its timers.
    void start();
    void syncNow();
    bool isRunning() const { return running; }

    QDateTime lastSuccess() const { return state.lastSuccess; }
    // Why the last run failed; empty after a success.
    QString lastError() const { return error; }
    // The events of the calendar that are no task here, each as "title: reason".
    QStringList notTaken() const;
    // One line for the status bar.
    QString statusText() const;
    // The system has no keyring that took the password: it lives in memory until the program ends.
    bool passwordInMemoryOnly() const { return memoryOnly; }

signals:
    void SIGNALStatusChanged();
    // Which side's change replaced which, when both changed.
    void SIGNALConflicts(const QStringList &conflicts);
    void SIGNALFinished(bool ok);

private slots:
    void slotSendQuery(SqlOperateType operate, const QVariant &var);
    void slotReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var);

private:
    void run(bool asked);
    void listed(const CalDavClient::Listing &listing);
    void readLocal();
    void apply(const CalendarExport::Data &local, const QDateTime &now);
    void nextServerChange();
    void serverChanged(const CalDavClient::Result &result);
    void finish(const QString &failure);
    void loadState();
    // The account's password: the one in memory, the keyring's, or, failing both, the user's answer.
    void withPassword(bool asked, std::function<void(bool)> next);

    Keyring *keyring;
    CalDavClient client;
    // The settings' trials, with credentials of their own.
    CalDavClient probe;
    Account current;
    QString stateFile = QString::fromLatin1(SyncState::DefaultFile);
    bool stateLoaded = false;
    SyncState state;
    std::unique_ptr<SyncEngine> engine;
    std::function<QString()> passwordPrompt;
    QString password;
    bool promptDeclined = false;
    bool memoryOnly = false;
    QTimer periodic;
    QTimer afterChange;

    // The run under way, with the calendar it began with.
    bool running = false;
    QUrl calendar;
    bool again = false;
    // The read of what is here that the run waits for; 0 when none.
    quint64 localRequest = 0;
    // The server's changes were sent to the tasks here.
    bool applied = false;
    // The server could not be reached: only what changed here is noted.
    QString serverFailure;
    CalDavClient::Listing listing;
    QHash<QString, CalDavClient::Resource> fetched;
    SyncEngine::Plan plan;
    // Set while this service changes tasks, which are no change to send back.
    bool applying = false;
    QString error;
};
