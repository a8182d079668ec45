#pragma once

#include "calendar/calendarexport.h"
#include "sync/caldavclient.h"
#include "sync/syncmapping.h"
#include "sync/syncstate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QStringList>

// Decides one sync between the program's tasks and birthdays and a calendar, from what the state
// remembers, what is here now and what the server says changed; it talks to neither side itself.
//
// A task is the same task as long as its key (name, cycle, time) is; a task whose key changed keeps its
// event through its row. A change on one side is taken over by the other; when both sides changed the same
// task since the last sync, the later change wins (the server's time is the event's LAST-MODIFIED). Each
// birthday's events are written from here only: whatever the server changed in them is written over.
class SyncEngine
{
    Q_DECLARE_TR_FUNCTIONS(SyncEngine)

public:
    // A resource to write: over the one with etag, or as a new one when etag is empty.
    struct Write
    {
        QString path;
        QByteArray data;
        QString etag;
        // The record it fulfils once written.
        SyncState::Record record;
    };
    struct Removal
    {
        QString path;
        QString etag;
    };

    struct Plan
    {
        // Changes to the tasks here, from the server.
        QList<TaskListData> inserts;
        QList<TaskListData> updates;
        QList<int> deletes;
        // Changes to the server, from here.
        QList<Write> writes;
        QList<Removal> removals;
        // Which side's change replaced which.
        QStringList conflicts;
    };

    SyncEngine(SyncState &state, const QString &calendarPath);

    // Notes what changed here since the last sync, with now as the time it changed; enough when the server
    // cannot be reached.
    void noteLocal(const CalendarExport::Data &local, const QDateTime &now);
    // The server's changes (listing, and the events it lists as changed) go into the state and the plan's
    // changes to the tasks here; the changes here go into the plan's writes and removals. The state takes
    // the listing's sync token when every changed event was fetched.
    Plan plan(const CalendarExport::Data &local, const CalDavClient::Listing &listing,
              const QHash<QString, CalDavClient::Resource> &fetched, const QDateTime &now);
    // Binds the tasks the plan inserted here to their rows, as read after the inserts. An event whose task
    // did not arrive is forgotten, and the next run lists the whole calendar to take it again.
    void confirm(const CalendarExport::Data &local, const QDateTime &now);
    // The paths a listing shows changed, whose events the plan needs.
    QStringList changedPaths(const CalDavClient::Listing &listing) const;

    // The outcome of a write or a removal of the plan; the state follows.
    void written(const Write &write, const CalDavClient::Result &result, const QString &etag);
    void removed(const Removal &removal, const CalDavClient::Result &result);

private:
    struct Match
    {
        // Index into the pending tasks; -1 when gone here.
        int task = -1;
        bool changedHere = false;
    };

    void look(const CalendarExport::Data &local, const QDateTime &now);
    void takeServerChange(const QString &path, const CalDavClient::Resource &resource, const QDateTime &now,
                          Plan *plan);
    void takeServerRemoval(const QString &path, Plan *plan);
    void takeNewEvent(const QString &path, const CalDavClient::Resource &resource, const QDateTime &now, Plan *plan);
    void writeTasks(const QDateTime &now, Plan *plan);
    void writeBirthdays(Plan *plan);
    QString newPath(const QString &uid) const;
    SyncState::Record *record(const QString &path);
    void drop(const QString &path);

    SyncState &state;
    QString calendarPath;
    // What is here, as last looked at: the tasks and the calendar of their workday exceptions.
    QList<TaskListData> tasks;
    QStringList taskKeys;
    QHash<QDate, bool> workdayExceptions;
    // The events the birthdays give, by UID.
    QHash<QString, SyncMapping::Object> birthdayEvents;
    QStringList birthdayOrder;
    // Per task record (by path): the pending task it stands for.
    QHash<QString, Match> matches;
    // The first pending task of each key, and the tasks some record stands for.
    QHash<QString, int> taskOfKey;
    QSet<int> claimed;
    // Records whose task took the server's change this time: nothing to write for them.
    QSet<QString> settled;
};
