#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A WebDAV multistatus answer (RFC 4918), as PROPFIND and the calendar REPORTs give it: one response per
// resource with the properties the server found. Only what the calendar sync asks for is kept of each
// property: its text, the hrefs inside it, the names of its child elements and the names of the calendar
// components it lists.
class DavMultiStatus
{
public:
    // The namespace of WebDAV's own elements, in answers and requests alike.
    static constexpr const char *DavNamespace = "DAV:";

    struct Property
    {
        QString text;
        QStringList hrefs;
        QStringList children;
        QStringList components;
    };

    struct Response
    {
        // As the server wrote it, percent-decoded.
        QString href;
        // The status of the whole response (a member removed since a sync token says 404); 0 when the
        // response gives its status per property.
        int status = 0;
        // By local name; only properties found (status 2xx).
        QHash<QString, Property> properties;

        QString text(const QString &name) const { return properties.value(name).text; }
        bool has(const QString &name) const { return properties.contains(name); }
    };

    QList<Response> responses;
    // The collection's new sync token, in a sync-collection answer.
    QString syncToken;

    // False when the data is no multistatus document.
    bool parse(const QByteArray &xml);
    // The code of a status line "HTTP/1.1 404 Not Found"; 0 when unreadable.
    static int statusCode(const QString &line);
};
