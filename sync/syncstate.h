#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// What the calendar sync remembers between runs, in a file of its own beside the database (the database's
// tables stay as delivered): the sync token, and for every event of the calendar its path, ETag and UID,
// and which task or birthday it stands for.
class SyncState
{
public:
    static constexpr const char *DefaultFile = "src/database/sync-state.json";
    static constexpr int Version = 1;

    enum Kind
    {
        Task,
        Birthday,
        // An event of another client that did not become a task.
        Other,
    };

    struct Record
    {
        QString path;
        QString etag;
        QString uid;
        Kind kind = Task;
        // A task: its content key (name, cycle and time, TaskKey); a birthday's event: its UID.
        QString key;
        // The row of the task when last seen; -1 before the task was seen here.
        int taskId = -1;
        // Digest of the event as this program last wrote it; empty while the server's own version stands.
        QByteArray written;
        // A task changed or gone here, not yet on the server: when that was first seen.
        QDateTime changedHere;
        // An event not taken: its title and why (SyncMapping::Reading's reason and detail).
        QString summary;
        QString reason;
        QString reasonDetail;
    };

    // The calendar (and user) the records belong to; another one starts from nothing.
    QString account;
    QString syncToken;
    QDateTime lastSuccess;
    QList<Record> records;

    // Forgets everything and belongs to account from now on.
    void reset(const QString &account);
    // -1 when no record has this path.
    int indexOfPath(const QString &path) const;

    // A missing file is an empty state; false (and empty) when the file cannot be read.
    bool load(const QString &file);
    bool save(const QString &file, QString *error) const;
};
