#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// iCalendar text (RFC 5545) as other calendars exchange it, read and written through libical: the events
// this program writes for them and the events it reads from their files. Knows the format only, nothing of
// tasks or birthdays.
class IcsCalendar
{
public:
    // When something happens: whole days, or a stretch of time.
    struct Span
    {
        // All-day: the first day and the day after the last.
        QDate date;
        QDate endDate;
        // Timed: in the zone written (TZID), in UTC, or in local time for times written without a zone;
        // the program writes local times without a zone so they stay at that hour.
        QDateTime start;
        QDateTime end;

        bool isAllDay() const { return date.isValid(); }
        bool isValid() const { return date.isValid() || start.isValid(); }
        // The dates it covers; a timed span the dates it touches, at the wall clock of its own zone (UTC in
        // local time), an end at midnight not counted.
        QList<QDate> days() const;
    };

    struct Event : Span
    {
        QString uid;
        QString summary;
        QString description;
        bool cancelled = false;
        // Shown as free time (birthdays, holidays).
        bool transparent = false;
        // The RRULE value as written; empty for a single event.
        QString rrule;
        // Further occurrences (RDATE), and occurrences left out (EXDATE, and those a RECURRENCE-ID event of
        // the same UID replaces).
        QList<Span> rdates;
        QList<Span> exdates;
        // Reminders, in seconds from the start (negative: before it).
        QList<int> alarms;
        // When it was last changed (LAST-MODIFIED, else DTSTAMP); read only.
        QDateTime modified;
    };

    // All-day dates, and local times without a zone.
    static inline const QString DateFormat = QStringLiteral("yyyyMMdd");
    static inline const QString LocalTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss");

    // A content line longer than this many octets continues on the next line after a space.
    static constexpr int MaxLineOctets = 75;
    // Steps through one rule at most: a rule that repeats by the second would run for ever.
    static constexpr int MaxRuleSteps = 100000;

    // The whole calendar, CRLF line ends and UTF-8; stamp is when it was made.
    static QByteArray write(const QList<Event> &events, const QDateTime &stamp);
    // False when the data is no iCalendar text or is cut short. Only events are read.
    static bool read(const QByteArray &data, QList<Event> *events);
    // The occurrences of an event that start from first to last (dates), in order; its rule, RDATE and
    // EXDATE applied.
    static QList<Span> occurrences(const Event &event, const QDate &first, const QDate &last);

    // One content line, folded, each piece ending in CRLF; never splits a UTF-8 sequence.
    static QByteArray foldLine(const QByteArray &line);
};
