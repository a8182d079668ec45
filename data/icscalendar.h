#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// iCalendar text (RFC 5545) as other calendars exchange it: the events this program writes for them and
// the events it reads from their files. Knows the format only, nothing of tasks or birthdays.
class IcsCalendar
{
public:
    struct Event
    {
        QString uid;
        QString summary;
        QString description;
        // All-day events: the first day and the day after the last. Timed events leave both invalid.
        QDate date;
        QDate endDate;
        // Timed events: the start in local time, written without a zone so it stays at that hour.
        QDateTime start;
        QString rrule;
        // A reminder at the start, for timed events.
        bool alarm = false;
        // Shown as free time (birthdays, holidays).
        bool transparent = false;

        bool isAllDay() const { return date.isValid(); }
    };

    // All-day dates, and local times without a zone.
    static inline const QString DateFormat = QStringLiteral("yyyyMMdd");
    static inline const QString LocalTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss");

    // A content line longer than this many octets continues on the next line after a space.
    static constexpr int MaxLineOctets = 75;

    // The whole calendar, CRLF line ends and UTF-8; stamp is when it was made.
    static QByteArray write(const QList<Event> &events, const QDateTime &stamp);
    // False when the data is no iCalendar text. Events nested components carry (alarms) are skipped.
    static bool read(const QByteArray &data, QList<Event> *events);

    // One content line, folded, each piece ending in CRLF; never splits a UTF-8 sequence.
    static QByteArray foldLine(const QString &line);
    // Escapes backslash, semicolon, comma and line breaks in a text value, and the reverse.
    static QString escapeText(const QString &text);
    static QString unescapeText(const QString &text);
};
