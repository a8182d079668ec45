#pragma once

#include "data/records.h"
#include "data/sqlstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>

// The coming birthdays and the pending tasks as an iCalendar file for phone and web calendars, read through
// the task and birthday stores. As the worker's operation it serves the Birthday tab's editor; as
// "pemmora --export-ics FILE" it runs without a window and beside a running copy: it only reads the
// database, on a read-only connection of its own, and takes no single-instance lock.
class CalendarExport : public SqlStore
{
    Q_DECLARE_TR_FUNCTIONS(CalendarExport)

public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

    struct Data
    {
        QList<TaskListData> tasks; // pending ones
        QList<BirthdayInfoData> birthdays;
        QHash<QDate, bool> workdayExceptions;
    };

    // The whole command; file "-" is standard output. 0 once it is written, 1 with a message on standard
    // error otherwise.
    static int runCommand(int &argc, char **argv, const QString &file);

    // False when a statement failed.
    static bool read(SqlStatement &sql, Data *data);
    static QByteArray calendar(const Data &data, const QDateTime &now);
    // Reads the database through sql and writes the calendar to target ("-": standard output); a message for
    // the user on failure.
    static bool exportTo(SqlStatement &sql, const QString &target, const QDateTime &now, QString *error);
    // The same from a database file, opened read-only.
    static bool exportFile(const QString &databaseFile, const QString &target, const QDateTime &now, QString *error);
};
