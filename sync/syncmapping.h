#pragma once

#include "data/records.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// Tasks and birthdays as the calendar resources the sync writes (one event per resource, as the calendar
// export writes it), and the events other clients wrote as tasks.
class SyncMapping
{
    Q_DECLARE_TR_FUNCTIONS(SyncMapping)

public:
    struct Object
    {
        QString uid;
        // A whole iCalendar object.
        QByteArray data;
        // Changes only when the event does, not with the time it was made.
        QByteArray digest;
    };

    // What an event of the calendar is to this program.
    struct Reading
    {
        QString uid;
        QString summary;
        // A task with its name, cycle and coming due time; the rest as a new task has it.
        bool taken = false;
        TaskListData task;
        // Why it is not taken, untranslated (reasonText gives it in the user's language), with what %1 stands
        // for; empty also for a single event that is over and for this program's birthdays.
        QString reason;
        QString reasonDetail;
        // When the event was last changed (LAST-MODIFIED, else DTSTAMP); invalid when it does not say.
        QDateTime modified;
    };

    // Tasks with the same key are the same event: name, cycle and time (weekday, date) alike.
    static QString taskKey(const TaskListData &task, const QDateTime &now, const QHash<QDate, bool> &workdayExceptions);
    // The event of a pending task, under uid.
    static Object taskObject(const TaskListData &task, const QString &uid, const QDateTime &now,
                             const QHash<QDate, bool> &workdayExceptions);
    // Each coming occurrence of a birthday, with its reminders.
    static QList<Object> birthdayObjects(const BirthdayInfoData &birthday, const QDate &today);
    // A birthday event this program wrote (here or on another computer): never a task.
    static bool isBirthdayUid(const QString &uid);

    // Single times become one-shot tasks; daily rules daily ones; weekly rules on one weekday weekly ones;
    // Monday-to-Friday rules workday ones (the workday exceptions here decide the rest). Anything else is
    // not taken, with the reason; a single event that is over and this program's birthdays, silently.
    static Reading read(const QByteArray &data, const QDateTime &now, const QHash<QDate, bool> &workdayExceptions);
    // A reason of a Reading, or of a record that keeps one, as the user reads it.
    static QString reasonText(const QString &reason, const QString &detail);
    // The name of the resource for an event of this program.
    static QString fileName(const QString &uid);
};
