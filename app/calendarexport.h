#pragma once

#include "data/records.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>

// "pemmora --export-ics FILE": writes the coming birthdays and the pending tasks as an iCalendar file for
// phone and web calendars. Runs without a window and beside a running copy: it only reads the database,
// on a read-only connection of its own, and takes no single-instance lock.
class CalendarExport
{
    Q_DECLARE_TR_FUNCTIONS(CalendarExport)

public:
    struct Data
    {
        QList<TaskListData> tasks; // pending ones
        QList<BirthdayInfoData> birthdays;
        QHash<QDate, bool> workdayExceptions;
    };

    // The whole command; file "-" is standard output. 0 once it is written, 1 with a message on standard
    // error otherwise.
    static int run(int &argc, char **argv, const QString &file);

    static bool read(const QSqlDatabase &db, Data *data);
    static QByteArray calendar(const Data &data, const QDateTime &now);
    // Reads the database file and writes the calendar to target; a message for the user on failure.
    static bool exportFile(const QString &databaseFile, const QString &target, const QDateTime &now, QString *error);
};
