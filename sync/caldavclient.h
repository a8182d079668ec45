#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include <functional>

class DavMultiStatus;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// Talks CalDAV (RFC 4791) with a calendar server: finds the user's calendars, makes one, lists what a
// calendar holds (by sync-collection, RFC 6578, where the server has it, else by ETags), reads events and
// writes or removes them only while they are as last seen. Certificates are checked as the system does;
// one the system does not trust refuses the connection. Every call answers once, through its callback.
class CalDavClient : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimeoutMs = 30000;
    static constexpr int MaxRedirects = 5;

    struct Result
    {
        enum Kind
        {
            Ok,
            // Nothing reached the server, or no answer came: worth trying again later.
            Unreachable,
            // The server refused the user name and password.
            Unauthorized,
            // A write or removal whose resource changed on the server meanwhile (or exists already).
            Changed,
            // Any other refusal or a malformed answer.
            Failed,
        };
        Kind kind = Ok;
        int status = 0;
        // Why, in words for the user; empty when Ok.
        QString error;

        bool ok() const { return kind == Ok; }
    };

    struct Calendar
    {
        QUrl url;
        QString name;
    };

    // What a calendar holds, or what changed in it since a sync token.
    struct Listing
    {
        // Path on the server (percent-decoded) to ETag.
        QHash<QString, QString> etags;
        // Only after a sync token: the paths removed since.
        QSet<QString> removed;
        // Empty where the server keeps no tokens.
        QString syncToken;
        // The whole calendar was listed: whatever the caller knew and is not listed is gone.
        bool complete = true;
    };

    struct Resource
    {
        QString etag;
        QByteArray data;
    };

    explicit CalDavClient(QObject *parent = nullptr);

    // The server address as typed: https://, or http:// to this computer only (the password would cross
    // the network readable). Invalid, with the reason, when refused.
    static QUrl serverUrl(const QString &address, QString *error);

    void setCredentials(const QString &user, const QString &password);

    // The calendars of the user (those that can hold events), and the collection new ones go into. The
    // address may be the server, the user's folder or a calendar itself.
    void findCalendars(const QUrl &server, std::function<void(Result, QList<Calendar>, QUrl home)> done);
    // A new calendar in home, named name; another folder name when the first is taken.
    void makeCalendar(const QUrl &home, const QString &name, std::function<void(Result, Calendar)> done);
    // With a token: what changed since. Without one, or when the server forgot the token: everything.
    void list(const QUrl &calendar, const QString &syncToken, std::function<void(Result, Listing)> done);
    // The events at the given paths of one calendar; paths the server does not have are left out.
    void fetch(const QUrl &calendar, const QStringList &paths,
               std::function<void(Result, QHash<QString, Resource>)> done);
    // Writes an event: replaces the one with this ETag, or, with an empty ETag, makes a new one where
    // there is none. Answers the new ETag (empty when the server gives none).
    void put(const QUrl &calendar, const QString &path, const QByteArray &data, const QString &etag,
             std::function<void(Result, QString etag)> done);
    // Removes an event while it has this ETag; one already gone counts as removed.
    void remove(const QUrl &calendar, const QString &path, const QString &etag, std::function<void(Result)> done);

private:
    using Answer = std::function<void(Result, QNetworkReply *)>;

    QNetworkRequest request(const QUrl &url) const;
    // Sends a request with a body and a method of its own; follows redirects for PROPFIND and REPORT.
    void send(const QByteArray &method, QNetworkRequest request, const QByteArray &body, Answer done,
              int redirects = 0);
    Result resultOf(QNetworkReply *reply) const;
    void propfind(const QUrl &url, int depth, const QStringList &props,
                  std::function<void(Result, DavMultiStatus, QUrl)> done);
    void listEtags(const QUrl &calendar, std::function<void(Result, Listing)> done);
    void findHome(const QUrl &principal, std::function<void(Result, QList<Calendar>, QUrl)> done);
    void listCalendars(const QUrl &home, std::function<void(Result, QList<Calendar>, QUrl)> done);

    QNetworkAccessManager *network;
    QByteArray authorization;
    // Server URLs that answered the sync-collection report with a refusal: listed by ETags from then on.
    QSet<QString> withoutSyncReport;
};
