#include "data/icscalendar.h"

#include <QHash>
#include <QStringList>
#include <QTimeZone>

namespace {

bool isUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// A content line split into its name, parameters and value; quoted parameter values may hold ':' and ';'.
struct ContentLine
{
    QString name;
    QHash<QString, QString> parameters;
    QString value;
};

bool parseContentLine(const QString &line, ContentLine *parsed)
{
    bool quoted = false;
    int colon = -1;
    for (int i = 0; i < line.size() && colon < 0; ++i) {
        if (line.at(i) == QLatin1Char('"'))
            quoted = !quoted;
        else if (line.at(i) == QLatin1Char(':') && !quoted)
            colon = i;
    }
    if (colon <= 0)
        return false;
    QStringList parts;
    QString part;
    quoted = false;
    for (const QChar c : line.left(colon)) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(';') && !quoted) {
            parts.append(part);
            part.clear();
        } else {
            part.append(c);
        }
    }
    parts.append(part);
    parsed->name = parts.takeFirst().trimmed().toUpper();
    parsed->parameters.clear();
    for (const QString &parameter : qAsConst(parts)) {
        const int equals = parameter.indexOf(QLatin1Char('='));
        QString value = parameter.mid(equals + 1);
        if (value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')) && value.size() >= 2)
            value = value.mid(1, value.size() - 2);
        parsed->parameters.insert(parameter.left(equals).trimmed().toUpper(), value);
    }
    parsed->value = line.mid(colon + 1);
    return true;
}

// DTSTART or DTEND: a date for all-day values, else a time in local time (UTC and named zones converted).
void readTime(const ContentLine &line, QDate *date, QDateTime *time)
{
    const QString value = line.value.trimmed();
    if (line.parameters.value(QStringLiteral("VALUE")).compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0 ||
        value.size() == IcsCalendar::DateFormat.size()) {
        *date = QDate::fromString(value, IcsCalendar::DateFormat);
        return;
    }
    const bool utc = value.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive);
    QDateTime parsed = QDateTime::fromString(utc ? value.chopped(1) : value, IcsCalendar::LocalTimeFormat);
    const QTimeZone zone(line.parameters.value(QStringLiteral("TZID")).toUtf8());
    if (utc)
        parsed.setTimeSpec(Qt::UTC);
    else if (zone.isValid())
        parsed.setTimeZone(zone);
    *time = parsed.toLocalTime();
}

} // namespace

QString IcsCalendar::escapeText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            escaped += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\r') && text.mid(i + 1, 1) == QLatin1String("\n"))
            continue;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            escaped += QLatin1String("\\n");
        else
            escaped += c;
    }
    return escaped;
}

QString IcsCalendar::unescapeText(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\') || i + 1 == text.size()) {
            plain += text.at(i);
            continue;
        }
        const QChar next = text.at(++i);
        plain += next == QLatin1Char('n') || next == QLatin1Char('N') ? QChar(QLatin1Char('\n')) : next;
    }
    return plain;
}

QByteArray IcsCalendar::foldLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    QByteArray folded;
    int start = 0;
    // A continuation line starts with a space, which counts towards its octets.
    int room = MaxLineOctets;
    while (bytes.size() - start > room) {
        int end = start + room;
        while (end > start && isUtf8Continuation(bytes.at(end)))
            --end;
        folded += bytes.mid(start, end - start) + "\r\n ";
        start = end;
        room = MaxLineOctets - 1;
    }
    folded += bytes.mid(start) + "\r\n";
    return folded;
}

QByteArray IcsCalendar::write(const QList<Event> &events, const QDateTime &stamp)
{
    QByteArray out;
    const auto line = [&out](const QString &text) {
        out += foldLine(text);
    };
    line(QStringLiteral("BEGIN:VCALENDAR"));
    line(QStringLiteral("VERSION:2.0"));
    line(QStringLiteral("PRODID:-//Pemmora//Pemmora Calendar//ZH"));
    line(QStringLiteral("CALSCALE:GREGORIAN"));
    const QString stampText = stamp.toUTC().toString(LocalTimeFormat) + QLatin1Char('Z');
    for (const Event &event : events) {
        line(QStringLiteral("BEGIN:VEVENT"));
        line(QStringLiteral("UID:") + event.uid);
        line(QStringLiteral("DTSTAMP:") + stampText);
        if (event.isAllDay()) {
            line(QStringLiteral("DTSTART;VALUE=DATE:") + event.date.toString(DateFormat));
            const QDate end = event.endDate.isValid() ? event.endDate : event.date.addDays(1);
            line(QStringLiteral("DTEND;VALUE=DATE:") + end.toString(DateFormat));
        } else {
            line(QStringLiteral("DTSTART:") + event.start.toString(LocalTimeFormat));
        }
        if (!event.rrule.isEmpty())
            line(QStringLiteral("RRULE:") + event.rrule);
        line(QStringLiteral("SUMMARY:") + escapeText(event.summary));
        if (!event.description.isEmpty())
            line(QStringLiteral("DESCRIPTION:") + escapeText(event.description));
        if (event.transparent)
            line(QStringLiteral("TRANSP:TRANSPARENT"));
        if (event.alarm) {
            line(QStringLiteral("BEGIN:VALARM"));
            line(QStringLiteral("ACTION:DISPLAY"));
            line(QStringLiteral("DESCRIPTION:") + escapeText(event.summary));
            line(QStringLiteral("TRIGGER:PT0S"));
            line(QStringLiteral("END:VALARM"));
        }
        line(QStringLiteral("END:VEVENT"));
    }
    line(QStringLiteral("END:VCALENDAR"));
    return out;
}

bool IcsCalendar::read(const QByteArray &data, QList<Event> *events)
{
    // Unfolded as bytes first: some writers fold in the middle of a UTF-8 sequence.
    QList<QByteArray> lines;
    const QByteArray text = data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data;
    for (QByteArray raw : text.split('\n')) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        if ((raw.startsWith(' ') || raw.startsWith('\t')) && !lines.isEmpty())
            lines.last() += raw.mid(1);
        else if (!raw.trimmed().isEmpty())
            lines.append(raw);
    }
    if (lines.isEmpty() || lines.first().trimmed().toUpper() != "BEGIN:VCALENDAR")
        return false;

    events->clear();
    QStringList open;
    Event event;
    ContentLine content;
    for (const QByteArray &raw : qAsConst(lines)) {
        if (!parseContentLine(QString::fromUtf8(raw), &content))
            continue;
        const QString value = content.value.trimmed().toUpper();
        if (content.name == QLatin1String("BEGIN")) {
            open.append(value);
            if (value == QLatin1String("VEVENT"))
                event = Event();
        } else if (content.name == QLatin1String("END")) {
            if (value == QLatin1String("VEVENT") && open.size() == 2 && open.last() == value)
                events->append(event);
            if (!open.isEmpty())
                open.removeLast();
        } else if (open.size() == 2 && open.last() == QLatin1String("VEVENT")) {
            if (content.name == QLatin1String("UID"))
                event.uid = content.value;
            else if (content.name == QLatin1String("SUMMARY"))
                event.summary = unescapeText(content.value);
            else if (content.name == QLatin1String("DESCRIPTION"))
                event.description = unescapeText(content.value);
            else if (content.name == QLatin1String("RRULE"))
                event.rrule = content.value;
            else if (content.name == QLatin1String("DTSTART"))
                readTime(content, &event.date, &event.start);
            else if (content.name == QLatin1String("DTEND")) {
                QDateTime end;
                readTime(content, &event.endDate, &end);
            }
        }
    }
    // A file cut short is refused rather than read in part.
    return open.isEmpty();
}
