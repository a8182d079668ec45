#include "sync/syncservice.h"

#include "data/configsettings.h"
#include "data/interfacepublicdata.h"
#include "sync/keyring.h"
#include "sync/syncstore.h"

#include <QLocale>

namespace {

// Changes here that the calendar shows: tasks, birthdays and the workday exceptions workday tasks follow.
bool changesWhatIsSynced(SqlOperateType operate)
{
    switch (operate) {
    case TaskListUpdateNoticed:
    case TaskListDelete:
    case TaskListInsert:
    case TaskListUpdate:
    case TaskWorkdayUpdate:
    case TaskWorkdayInsert:
    case TaskWorkdayDelete:
    case TaskWorkdayDeleteExpired:
    case BirthdayInfoInsert:
    case BirthdayInfoDelete:
    case BirthdayInfoUpdate:
    case BirthdayInfoUpdateRecentDate:
        return true;
    default:
        return false;
    }
}

} // namespace

QString SyncService::Account::keyringKey() const
{
    return QStringLiteral("caldav:%1@%2").arg(user, QUrl(server).host());
}

QString SyncService::Account::id() const
{
    return user + QLatin1Char(' ') + calendar.toString();
}

SyncService::SyncService(Keyring *keyring, QObject *parent) : QObject(parent), keyring(keyring)
{
    qRegisterMetaType<CalendarExport::Data>();
    current = storedAccount();
    periodic.setInterval(PeriodMs);
    connect(&periodic, &QTimer::timeout, this, [this]() { run(false); });
    afterChange.setSingleShot(true);
    afterChange.setInterval(AfterChangeMs);
    connect(&afterChange, &QTimer::timeout, this, [this]() { run(false); });
    connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, this, &SyncService::slotSendQuery);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALSendRequest, this,
            [this](quint64, SqlOperateType operate, const QVariant &var) { slotSendQuery(operate, var); });
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveAnswer, this, &SyncService::slotReceiveAnswer);
}

SyncService::~SyncService() = default;

SyncService::Account SyncService::storedAccount()
{
    ConfigSettings settings;
    Account account;
    account.server = settings.value(QStringLiteral("Sync/Server")).toString();
    account.user = settings.value(QStringLiteral("Sync/User")).toString();
    account.calendar = QUrl(settings.value(QStringLiteral("Sync/Calendar")).toString());
    account.calendarName = settings.value(QStringLiteral("Sync/CalendarName")).toString();
    return account;
}

bool SyncService::setAccount(const Account &account)
{
    ConfigSettings settings;
    settings.setValue(QStringLiteral("Sync/Server"), account.server);
    settings.setValue(QStringLiteral("Sync/User"), account.user);
    settings.setValue(QStringLiteral("Sync/Calendar"), account.calendar.toString());
    settings.setValue(QStringLiteral("Sync/CalendarName"), account.calendarName);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    if (account.keyringKey() != current.keyringKey())
        password.clear();
    current = account;
    promptDeclined = false;
    return true;
}

void SyncService::setPassword(const QString &typed)
{
    password = typed;
    keyring->write(current.keyringKey(), typed,
                   [this](Keyring::Status status) { memoryOnly = status == Keyring::Unavailable; });
}

void SyncService::start()
{
    loadState();
    emit SIGNALStatusChanged();
    periodic.start();
    QTimer::singleShot(AfterStartMs, this, [this]() { run(false); });
}

void SyncService::syncNow()
{
    run(true);
}

void SyncService::slotSendQuery(SqlOperateType operate, const QVariant &)
{
    if (!applying && changesWhatIsSynced(operate) && current.isSet())
        afterChange.start();
}

void SyncService::loadState()
{
    if (!stateLoaded)
        state.load(stateFile);
    stateLoaded = true;
    if (state.account != current.id())
        state.reset(current.id());
}

void SyncService::run(bool asked)
{
    if (running) {
        again = true;
        return;
    }
    if (!current.isSet())
        return;
    running = true;
    afterChange.stop();
    loadState();
    calendar = current.calendar;
    engine = std::make_unique<SyncEngine>(state, calendar.path(QUrl::FullyDecoded));
    serverFailure.clear();
    // The same rule as for an address typed in the settings, also for one written into config.ini by hand.
    if (!CalDavClient::serverUrl(calendar.toString(), &serverFailure).isValid()) {
        readLocal();
        return;
    }
    withPassword(asked, [this](bool have) {
        if (!have) {
            serverFailure = tr("没有同步密码");
            readLocal();
            return;
        }
        client.setCredentials(current.user, password);
        client.list(calendar, state.syncToken, [this](CalDavClient::Result result, CalDavClient::Listing got) {
            if (result.kind == CalDavClient::Result::Unauthorized) {
                // Not asked again on its own: only when the user asks for a sync.
                password.clear();
                promptDeclined = true;
            }
            if (!result.ok()) {
                serverFailure = result.error;
                readLocal();
                return;
            }
            listed(got);
        });
    });
}

void SyncService::withPassword(bool asked, std::function<void(bool)> next)
{
    if (!password.isEmpty()) {
        next(true);
        return;
    }
    keyring->read(current.keyringKey(), [this, asked, next](Keyring::Status status, const QString &secret) {
        memoryOnly = status == Keyring::Unavailable;
        if (status == Keyring::Found && !secret.isEmpty()) {
            password = secret;
        } else if (passwordPrompt && (asked || !promptDeclined)) {
            // Kept in memory only: a keyring that had none may have none to give.
            password = passwordPrompt();
            promptDeclined = password.isEmpty();
        }
        next(!password.isEmpty());
    });
}

void SyncService::findCalendars(const QString &server, const QString &user, const QString &typed,
                                std::function<void(CalDavClient::Result, QList<CalDavClient::Calendar>, QUrl)> done)
{
    CalDavClient::Result refused;
    refused.kind = CalDavClient::Result::Failed;
    const QUrl url = CalDavClient::serverUrl(server, &refused.error);
    if (!url.isValid()) {
        done(refused, {}, QUrl());
        return;
    }
    const auto search = [this, url, user, done](const QString &secret) {
        if (secret.isEmpty()) {
            CalDavClient::Result missing;
            missing.kind = CalDavClient::Result::Failed;
            missing.error = tr("请填写密码");
            done(missing, {}, QUrl());
            return;
        }
        probe.setCredentials(user, secret);
        probe.findCalendars(url, done);
    };
    Account account;
    account.server = server;
    account.user = user;
    if (!typed.isEmpty())
        search(typed);
    else if (account.keyringKey() == current.keyringKey())
        withPassword(true, [this, search](bool) { search(password); });
    else
        keyring->read(account.keyringKey(), [search](Keyring::Status, const QString &secret) { search(secret); });
}

void SyncService::makeCalendar(const QUrl &home, const QString &name,
                               std::function<void(CalDavClient::Result, CalDavClient::Calendar)> done)
{
    probe.makeCalendar(home, name, done);
}

void SyncService::listed(const CalDavClient::Listing &got)
{
    listing = got;
    client.fetch(calendar, engine->changedPaths(listing),
                 [this](CalDavClient::Result result, QHash<QString, CalDavClient::Resource> resources) {
                     if (!result.ok())
                         serverFailure = result.error;
                     fetched = resources;
                     readLocal();
                 });
}

void SyncService::readLocal()
{
    localRequest = interfacePublicData.sendRequest(SyncLocalSelect);
}

void SyncService::slotReceiveAnswer(quint64 requestId, SqlOperateType, QVariant var)
{
    if (requestId == 0 || requestId != localRequest)
        return;
    localRequest = 0;
    if (!var.canConvert<CalendarExport::Data>()) {
        finish(tr("无法读取数据库"));
        return;
    }
    const CalendarExport::Data local = var.value<CalendarExport::Data>();
    const QDateTime now = QDateTime::currentDateTime();
    if (applied) {
        // Read after the server's changes were stored here: the tasks they made are bound to their rows.
        engine->confirm(local, now);
        nextServerChange();
    } else if (!serverFailure.isEmpty()) {
        engine->noteLocal(local, now);
        finish(serverFailure);
    } else {
        apply(local, now);
    }
}

void SyncService::apply(const CalendarExport::Data &local, const QDateTime &now)
{
    plan = engine->plan(local, listing, fetched, now);
    applying = true;
    for (const TaskListData &task : qAsConst(plan.inserts))
        interfacePublicData.sendRequest(TaskListInsert, QVariant::fromValue(task));
    for (const TaskListData &task : qAsConst(plan.updates))
        interfacePublicData.sendRequest(TaskListUpdate, QVariant::fromValue(task));
    for (const int id : qAsConst(plan.deletes))
        interfacePublicData.sendRequest(TaskListDelete, QVariant::fromValue(QList<int>{id}));
    // An update alone does not make the Task tab read the list again.
    if (!plan.updates.isEmpty())
        emit interfacePublicData.SIGNALSendQuery(TaskListSelect, QVariant());
    applying = false;
    if (!plan.conflicts.isEmpty())
        emit SIGNALConflicts(plan.conflicts);
    if (plan.inserts.isEmpty()) {
        nextServerChange();
        return;
    }
    // The worker runs requests in order: this read sees the new tasks, or that they were not stored.
    applied = true;
    readLocal();
}

void SyncService::nextServerChange()
{
    if (!plan.writes.isEmpty()) {
        const SyncEngine::Write write = plan.writes.takeFirst();
        client.put(calendar, write.path, write.data, write.etag,
                   [this, write](CalDavClient::Result result, const QString &etag) {
                       engine->written(write, result, etag);
                       serverChanged(result);
                   });
    } else if (!plan.removals.isEmpty()) {
        const SyncEngine::Removal removal = plan.removals.takeFirst();
        client.remove(calendar, removal.path, removal.etag, [this, removal](CalDavClient::Result result) {
            engine->removed(removal, result);
            serverChanged(result);
        });
    } else {
        finish(serverFailure);
    }
}

void SyncService::serverChanged(const CalDavClient::Result &result)
{
    // An event changed meanwhile is the next run's to look at; other refusals are told, and the rest go on.
    if (!result.ok() && result.kind != CalDavClient::Result::Changed)
        serverFailure = result.error;
    if (result.kind == CalDavClient::Result::Unreachable || result.kind == CalDavClient::Result::Unauthorized)
        finish(serverFailure);
    else
        nextServerChange();
}

void SyncService::finish(const QString &failure)
{
    error = failure;
    if (failure.isEmpty())
        state.lastSuccess = QDateTime::currentDateTime();
    QString saveError;
    if (!state.save(stateFile, &saveError) && error.isEmpty())
        error = tr("无法保存同步状态：%1").arg(saveError);
    plan = SyncEngine::Plan();
    fetched.clear();
    applied = false;
    running = false;
    emit SIGNALStatusChanged();
    emit SIGNALFinished(error.isEmpty());
    if (again) {
        again = false;
        QTimer::singleShot(0, this, [this]() { run(false); });
    }
}

QStringList SyncService::notTaken() const
{
    QStringList lines;
    for (const SyncState::Record &record : state.records) {
        if (!record.reason.isEmpty())
            lines.append(tr("%1：%2").arg(record.summary.isEmpty() ? tr("（无标题）") : record.summary,
                                          SyncMapping::reasonText(record.reason, record.reasonDetail)));
    }
    return lines;
}

QString SyncService::statusText() const
{
    const QString last =
        state.lastSuccess.isValid() ? QLocale().toString(state.lastSuccess, QStringLiteral("MM-dd HH:mm")) : QString();
    if (error.isEmpty())
        return last.isEmpty() ? QString() : tr("日历已同步 %1").arg(last);
    if (last.isEmpty())
        return tr("日历同步失败：%1").arg(error);
    return tr("日历同步失败：%1（上次成功 %2）").arg(error, last);
}
