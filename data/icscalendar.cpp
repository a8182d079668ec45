#include "data/icscalendar.h"

#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>

#include <libical/ical.h>

namespace {

bool isUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

icaltimetype icalDate(const QDate &date)
{
    // Not icaltime_null_date(): its hour of -1 throws the rule iterator off by a day.
    icaltimetype t = icaltime_null_time();
    t.is_date = 1;
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

// At the wall clock of the time's own zone; UTC is marked as such, anything else written without a zone.
icaltimetype icalTime(const QDateTime &time)
{
    icaltimetype t = icaltime_null_time();
    t.year = time.date().year();
    t.month = time.date().month();
    t.day = time.date().day();
    t.hour = time.time().hour();
    t.minute = time.time().minute();
    t.second = time.time().second();
    if (time.timeSpec() == Qt::UTC)
        t.zone = icaltimezone_get_utc_timezone();
    return t;
}

icaltimetype icalTime(const IcsCalendar::Span &span)
{
    return span.isAllDay() ? icalDate(span.date) : icalTime(span.start);
}

// A zone that neither its name nor a Windows name of it identifies is taken as local time.
QDateTime timeIn(const icaltimetype &t, const QByteArray &tzid)
{
    const QDate date(t.year, t.month, t.day);
    const QTime time(t.hour, t.minute, t.second);
    if (icaltime_is_utc(t))
        return QDateTime(date, time, Qt::UTC);
    if (tzid.isEmpty())
        return QDateTime(date, time);
    QTimeZone zone(tzid);
    if (!zone.isValid())
        zone = QTimeZone(QTimeZone::windowsIdToDefaultIanaId(tzid));
    return zone.isValid() ? QDateTime(date, time, zone) : QDateTime(date, time);
}

// A date, or a time in the zone named (UTC when t says so); nothing for a missing or invalid time.
IcsCalendar::Span spanAt(const icaltimetype &t, const QByteArray &tzid)
{
    IcsCalendar::Span span;
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return span;
    if (t.is_date)
        span.date = QDate(t.year, t.month, t.day);
    else
        span.start = timeIn(t, tzid);
    return span;
}

QByteArray tzidOf(icalproperty *property)
{
    icalparameter *parameter = property ? icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER) : nullptr;
    return parameter ? QByteArray(icalparameter_get_tzid(parameter)) : QByteArray();
}

QString textOf(const char *text)
{
    return QString::fromUtf8(text);
}

IcsCalendar::Event eventOf(icalcomponent *vevent)
{
    IcsCalendar::Event event;
    event.uid = textOf(icalcomponent_get_uid(vevent));
    event.summary = textOf(icalcomponent_get_summary(vevent));
    event.description = textOf(icalcomponent_get_description(vevent));
    event.cancelled = icalcomponent_get_status(vevent) == ICAL_STATUS_CANCELLED;
    icalproperty *transp = icalcomponent_get_first_property(vevent, ICAL_TRANSP_PROPERTY);
    event.transparent = transp && icalproperty_get_transp(transp) == ICAL_TRANSP_TRANSPARENT;
    icalproperty *modified = icalcomponent_get_first_property(vevent, ICAL_LASTMODIFIED_PROPERTY);
    event.modified =
        spanAt(modified ? icalproperty_get_lastmodified(modified) : icalcomponent_get_dtstamp(vevent), QByteArray())
            .start;

    const QByteArray startZone = tzidOf(icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY));
    static_cast<IcsCalendar::Span &>(event) = spanAt(icalcomponent_get_dtstart(vevent), startZone);
    // DTEND, or DTSTART + DURATION; a day for a date alone, nothing for a time alone.
    icalproperty *endProperty = icalcomponent_get_first_property(vevent, ICAL_DTEND_PROPERTY);
    const IcsCalendar::Span end =
        spanAt(icalcomponent_get_dtend(vevent), endProperty ? tzidOf(endProperty) : startZone);
    event.endDate = event.isAllDay() && end.isAllDay() ? end.date : event.date.addDays(1);
    event.end = end.start.isValid() && end.start >= event.start ? end.start : event.start;

    if (icalproperty *rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY))
        event.rrule = textOf(icalproperty_get_value_as_string(rule));
    for (icalproperty *p = icalcomponent_get_first_property(vevent, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(vevent, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        event.rdates.append(spanAt(icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time, tzidOf(p)));
    }
    for (icalproperty *p = icalcomponent_get_first_property(vevent, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(vevent, ICAL_EXDATE_PROPERTY))
        event.exdates.append(spanAt(icalproperty_get_exdate(p), tzidOf(p)));

    for (icalcomponent *alarm = icalcomponent_get_first_component(vevent, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(vevent, ICAL_VALARM_COMPONENT)) {
        icalproperty *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        const icaltriggertype when = trigger ? icalproperty_get_trigger(trigger) : icaltriggertype();
        if (trigger && icaltime_is_null_time(when.time))
            event.alarms.append(icaldurationtype_as_int(when.duration));
    }
    return event;
}

bool sameOccurrence(const IcsCalendar::Span &a, const IcsCalendar::Span &b)
{
    if (a.isAllDay() || b.isAllDay())
        return (a.isAllDay() ? a.date : a.start.date()) == (b.isAllDay() ? b.date : b.start.date());
    return a.start == b.start;
}

} // namespace

QList<QDate> IcsCalendar::Span::days() const
{
    QList<QDate> days;
    if (isAllDay()) {
        for (QDate day = date; day < qMax(endDate, date.addDays(1)); day = day.addDays(1))
            days.append(day);
        return days;
    }
    if (!start.isValid())
        return days;
    const QDateTime from = start.timeSpec() == Qt::UTC ? start.toLocalTime() : start;
    const QDateTime to = from.timeSpec() == Qt::TimeZone ? end.toTimeZone(from.timeZone()) : end.toLocalTime();
    const QDate last = to > from ? to.addMSecs(-1).date() : from.date();
    for (QDate day = from.date(); day <= last; day = day.addDays(1))
        days.append(day);
    return days;
}

QByteArray IcsCalendar::foldLine(const QByteArray &bytes)
{
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
    icalcomponent *calendar = icalcomponent_new_vcalendar();
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar, icalproperty_new_prodid("-//Pemmora//Pemmora Calendar//ZH"));
    icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stampTime = icalTime(stamp.toUTC());
    for (const Event &event : events) {
        icalcomponent *vevent = icalcomponent_new_vevent();
        const QByteArray summary = event.summary.toUtf8();
        icalcomponent_add_property(vevent, icalproperty_new_uid(event.uid.toUtf8().constData()));
        icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stampTime));
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(icalTime(event)));
        if (event.isAllDay())
            icalcomponent_add_property(vevent, icalproperty_new_dtend(icalDate(
                                                   event.endDate.isValid() ? event.endDate : event.date.addDays(1))));
        else if (event.end.isValid())
            icalcomponent_add_property(vevent, icalproperty_new_dtend(icalTime(event.end)));
        if (!event.rrule.isEmpty())
            icalcomponent_add_property(
                vevent, icalproperty_new_rrule(icalrecurrencetype_from_string(event.rrule.toUtf8().constData())));
        for (const Span &rdate : event.rdates)
            icalcomponent_add_property(vevent, icalproperty_new_rdate({icalTime(rdate), icalperiodtype_null_period()}));
        for (const Span &exdate : event.exdates)
            icalcomponent_add_property(vevent, icalproperty_new_exdate(icalTime(exdate)));
        icalcomponent_add_property(vevent, icalproperty_new_summary(summary.constData()));
        if (!event.description.isEmpty())
            icalcomponent_add_property(vevent, icalproperty_new_description(event.description.toUtf8().constData()));
        if (event.cancelled)
            icalcomponent_add_property(vevent, icalproperty_new_status(ICAL_STATUS_CANCELLED));
        if (event.transparent)
            icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        for (const int seconds : event.alarms) {
            icalcomponent *alarm = icalcomponent_new_valarm();
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(alarm, icalproperty_new_description(summary.constData()));
            icalcomponent_add_property(
                alarm, icalproperty_new_trigger({icaltime_null_time(), icaldurationtype_from_int(seconds)}));
            icalcomponent_add_component(vevent, alarm);
        }
        icalcomponent_add_component(calendar, vevent);
    }
    char *text = icalcomponent_as_ical_string_r(calendar);
    // Folded again by the program: libical 3.0 can fold a line between its CR and LF.
    const QByteArray unfolded = QByteArray(text).replace("\r\n ", "");
    icalmemory_free_buffer(text);
    icalcomponent_free(calendar);
    QByteArray out;
    for (const QByteArray &line : unfolded.split('\n')) {
        const QByteArray content = line.endsWith('\r') ? line.chopped(1) : line;
        if (!content.isEmpty())
            out += foldLine(content);
    }
    return out;
}

bool IcsCalendar::read(const QByteArray &data, QList<Event> *events)
{
    // libical keeps what it read up to the last complete calendar; a file cut short is refused instead.
    if (!data.trimmed().toUpper().endsWith("END:VCALENDAR"))
        return false;
    icalcomponent *root = icalparser_parse_string(data.constData());
    if (!root)
        return false;
    QList<icalcomponent *> calendars;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT)
        calendars.append(root);
    for (icalcomponent *c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        calendars.append(c);
    QList<Event> read;
    QHash<QString, QList<Span>> replaced; // occurrences a RECURRENCE-ID event stands for, by UID
    QSet<int> replacements;
    for (icalcomponent *calendar : qAsConst(calendars)) {
        for (icalcomponent *vevent = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); vevent;
             vevent = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            icalproperty *recurrence = icalcomponent_get_first_property(vevent, ICAL_RECURRENCEID_PROPERTY);
            read.append(eventOf(vevent));
            if (recurrence) {
                replaced[read.last().uid].append(spanAt(icalproperty_get_recurrenceid(recurrence), tzidOf(recurrence)));
                replacements.insert(read.size() - 1);
            }
        }
    }
    icalcomponent_free(root);
    for (int i = 0; i < read.size(); ++i) {
        if (!replacements.contains(i))
            read[i].exdates += replaced.value(read.at(i).uid);
    }
    *events = read;
    return !calendars.isEmpty();
}

QList<IcsCalendar::Span> IcsCalendar::occurrences(const Event &event, const QDate &first, const QDate &last)
{
    QList<Span> starts{event};
    // The rule runs at the wall clock of the start's zone.
    const QByteArray zone = event.start.timeSpec() == Qt::TimeZone ? event.start.timeZone().id() : QByteArray();
    const icalrecurrencetype rule = icalrecurrencetype_from_string(event.rrule.toUtf8().constData());
    if (!event.rrule.isEmpty() && rule.freq != ICAL_NO_RECURRENCE && event.isValid()) {
        icalrecur_iterator *steps = icalrecur_iterator_new(rule, icalTime(event));
        for (int step = 0; steps && step < MaxRuleSteps; ++step) {
            const Span at = spanAt(icalrecur_iterator_next(steps), zone);
            if (!at.isValid() || (at.isAllDay() ? at.date : at.start.date()) > last)
                break;
            starts.append(at);
        }
        icalrecur_iterator_free(steps);
    }
    starts += event.rdates;

    QList<Span> found;
    QSet<qint64> seen;
    for (const Span &at : qAsConst(starts)) {
        const QDate day = at.isAllDay() ? at.date : at.start.date();
        const qint64 key = at.isAllDay() ? at.date.toJulianDay() : at.start.toMSecsSinceEpoch();
        if (!at.isValid() || day < first || day > last || seen.contains(key) ||
            std::any_of(event.exdates.cbegin(), event.exdates.cend(),
                        [&at](const Span &ex) { return sameOccurrence(at, ex); }))
            continue;
        seen.insert(key);
        Span occurrence;
        if (event.isAllDay()) {
            occurrence.date = at.isAllDay() ? at.date : day;
            occurrence.endDate = occurrence.date.addDays(event.date.daysTo(event.endDate));
        } else {
            occurrence.start = at.start.isValid() ? at.start : QDateTime(at.date, event.start.time());
            occurrence.end = occurrence.start.addMSecs(event.start.msecsTo(event.end));
        }
        found.append(occurrence);
    }
    std::sort(found.begin(), found.end(),
              [](const Span &a, const Span &b) { return a.isAllDay() ? a.date < b.date : a.start < b.start; });
    return found;
}
