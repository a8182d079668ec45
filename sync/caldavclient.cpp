#include "sync/caldavclient.h"

#include "sync/davmultistatus.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSslError>
#include <QXmlStreamWriter>

#include <memory>

namespace {

const QStringList FindProps = {QStringLiteral("d:current-user-principal"), QStringLiteral("d:resourcetype"),
                               QStringLiteral("c:calendar-home-set")};
const QStringList CalendarProps = {QStringLiteral("d:resourcetype"), QStringLiteral("d:displayname"),
                                   QStringLiteral("c:supported-calendar-component-set")};
constexpr int Chunk = 100;
const QString DavNamespace = QString::fromLatin1(DavMultiStatus::DavNamespace);
const QString CalDavNamespace = QStringLiteral("urn:ietf:params:xml:ns:caldav");

// A request body. Names carry the prefix of their namespace, "d:" for WebDAV and "c:" for CalDAV; the writer
// escapes the texts, so a calendar name or token with markup in it stays text.
class DavXml
{
public:
    explicit DavXml(const QString &root) : xml(&body)
    {
        xml.writeStartDocument();
        xml.writeNamespace(DavNamespace, QStringLiteral("d"));
        xml.writeNamespace(CalDavNamespace, QStringLiteral("c"));
        open(root);
    }
    DavXml &open(const QString &name)
    {
        xml.writeStartElement(uri(name), name.mid(2));
        return *this;
    }
    DavXml &close()
    {
        xml.writeEndElement();
        return *this;
    }
    DavXml &text(const QString &name, const QString &text)
    {
        xml.writeTextElement(uri(name), name.mid(2), text);
        return *this;
    }
    DavXml &empty(const QStringList &names)
    {
        for (const QString &name : names)
            xml.writeEmptyElement(uri(name), name.mid(2));
        return *this;
    }
    DavXml &attribute(const QString &name, const QString &value)
    {
        xml.writeAttribute(name, value);
        return *this;
    }
    QByteArray finish()
    {
        xml.writeEndDocument();
        return body;
    }

private:
    static QString uri(const QString &name)
    {
        return name.startsWith(QLatin1String("c:")) ? CalDavNamespace : DavNamespace;
    }
    QByteArray body;
    QXmlStreamWriter xml;
};

// The path of a URL as the server's hrefs give it, percent-decoded.
QString pathOf(const QUrl &url)
{
    return url.path(QUrl::FullyDecoded);
}

// An href: a path on base's server, or (some servers keep calendars on another host) a whole URL.
QUrl withPath(const QUrl &base, const QString &path)
{
    if (path.startsWith(QLatin1String("https://")) || path.startsWith(QLatin1String("http://")))
        return QUrl(path);
    QUrl url = base;
    url.setPath(path, QUrl::DecodedMode);
    url.setQuery(QString());
    return url;
}

bool sameCollection(const QString &a, const QString &b)
{
    const auto trimmed = [](QString path) {
        while (path.endsWith(QLatin1Char('/')))
            path.chop(1);
        return path;
    };
    return trimmed(a) == trimmed(b);
}

QUrl folderOf(const QUrl &url)
{
    QUrl folder = url;
    QString path = url.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    folder.setPath(path);
    return folder;
}

} // namespace

CalDavClient::CalDavClient(QObject *parent) : QObject(parent), network(new QNetworkAccessManager(this))
{
    network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

QUrl CalDavClient::serverUrl(const QString &address, QString *error)
{
    QString text = address.trimmed();
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("https://"));
    QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        *error = tr("服务器地址无效：%1").arg(address);
        return QUrl();
    }
    const QHostAddress host(url.host());
    if (scheme == QLatin1String("http") && url.host() != QLatin1String("localhost") && !host.isLoopback()) {
        *error = tr("不加密的 http 只用于本机的服务器，否则密码会以明文传送；请使用 https 地址");
        return QUrl();
    }
    return url;
}

void CalDavClient::setCredentials(const QString &user, const QString &password)
{
    authorization = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

QNetworkRequest CalDavClient::request(const QUrl &url) const
{
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", authorization);
    request.setRawHeader("User-Agent", "Pemmora");
    request.setTransferTimeout(TimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    return request;
}

void CalDavClient::send(const QByteArray &method, QNetworkRequest request, const QByteArray &body, Answer done,
                        int redirects)
{
    QNetworkReply *reply = network->sendCustomRequest(request, method, body);
    connect(reply, &QNetworkReply::sslErrors, reply, [reply](const QList<QSslError> &errors) {
        QStringList reasons;
        for (const QSslError &error : errors)
            reasons.append(error.errorString());
        reply->setProperty("sslReasons", reasons);
    });
    connect(reply, &QNetworkReply::finished, this, [=]() {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QUrl location = reply->url().resolved(reply->header(QNetworkRequest::LocationHeader).toUrl());
        const bool moved = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
        // Discovery starts at a well-known address the server moves elsewhere; never from https to http.
        if (moved && location.isValid() && redirects < MaxRedirects && (method == "PROPFIND" || method == "REPORT") &&
            !(request.url().scheme() == QLatin1String("https") && location.scheme() != QLatin1String("https"))) {
            QNetworkRequest next = request;
            next.setUrl(location);
            send(method, next, body, done, redirects + 1);
            return;
        }
        done(resultOf(reply), reply);
    });
}

CalDavClient::Result CalDavClient::resultOf(QNetworkReply *reply) const
{
    Result result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (result.status >= 200 && result.status < 300)
        return result;
    const QStringList sslReasons = reply->property("sslReasons").toStringList();
    if (reply->error() == QNetworkReply::SslHandshakeFailedError || !sslReasons.isEmpty()) {
        result.kind = Result::Failed;
        result.error = tr("服务器的证书不被信任，连接已拒绝：%1")
                           .arg(sslReasons.isEmpty() ? reply->errorString() : sslReasons.join(QStringLiteral("；")));
    } else if (result.status == 401) {
        result.kind = Result::Unauthorized;
        result.error = tr("服务器不接受这个用户名和密码");
    } else if (result.status == 412) {
        result.kind = Result::Changed;
        result.error = tr("服务器上的事件已被改动");
    } else if (result.status == 0) {
        result.kind = Result::Unreachable;
        result.error = tr("无法连接服务器：%1").arg(reply->errorString());
    } else {
        result.kind = Result::Failed;
        result.error = tr("服务器拒绝了请求：%1 %2")
                           .arg(result.status)
                           .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    }
    return result;
}

void CalDavClient::propfind(const QUrl &url, int depth, const QStringList &props,
                            std::function<void(Result, DavMultiStatus, QUrl)> done)
{
    QNetworkRequest request = this->request(url);
    request.setRawHeader("Depth", QByteArray::number(depth));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
    const QByteArray body = DavXml(QStringLiteral("d:propfind")).open(QStringLiteral("d:prop")).empty(props).finish();
    send("PROPFIND", request, body, [this, done](Result result, QNetworkReply *reply) {
        DavMultiStatus answer;
        if (result.ok() && !answer.parse(reply->readAll())) {
            result.kind = Result::Failed;
            result.error = tr("服务器的回答无法读取");
        }
        done(result, answer, reply->url());
    });
}

void CalDavClient::findCalendars(const QUrl &server, std::function<void(Result, QList<Calendar>, QUrl)> done)
{
    QUrl wellKnown = withPath(server, QStringLiteral("/.well-known/caldav"));
    // The server's root says little; its well-known address leads to the user. A deeper address is asked
    // first: it may be the user's folder or a calendar.
    QList<QUrl> candidates{server, wellKnown};
    if (server.path().isEmpty() || server.path() == QLatin1String("/"))
        std::swap(candidates[0], candidates[1]);
    auto tryNext = std::make_shared<std::function<void(int, Result)>>();
    *tryNext = [this, candidates, done, tryNext](int index, Result failure) {
        if (index >= candidates.size()) {
            if (failure.ok() || failure.status >= 400) {
                failure.kind = Result::Failed;
                failure.error = tr("在这个地址没有找到日历服务");
            }
            done(failure, {}, QUrl());
            return;
        }
        propfind(
            candidates.at(index), 0, FindProps,
            [this, index, done, tryNext](Result result, const DavMultiStatus &answer, const QUrl &at) {
                // No answer at all (offline, a certificate refused), or the password: the next
                // address is on the same server.
                if (!result.ok() && (result.status == 0 || result.kind == Result::Unauthorized)) {
                    done(result, {}, QUrl());
                    return;
                }
                const DavMultiStatus::Response found =
                    answer.responses.isEmpty() ? DavMultiStatus::Response() : answer.responses.first();
                const QStringList homes = found.properties.value(QStringLiteral("calendar-home-set")).hrefs;
                const QStringList principals = found.properties.value(QStringLiteral("current-user-principal")).hrefs;
                if (result.ok() && !homes.isEmpty())
                    listCalendars(withPath(at, homes.first()), done);
                else if (result.ok() && !principals.isEmpty())
                    findHome(withPath(at, principals.first()), done);
                else if (result.ok() && found.properties.value(QStringLiteral("resourcetype"))
                                            .children.contains(QLatin1String("calendar")))
                    listCalendars(
                        withPath(at, pathOf(folderOf(at)).section(QLatin1Char('/'), 0, -3) + QLatin1Char('/')), done);
                else
                    (*tryNext)(index + 1, result);
            });
    };
    (*tryNext)(0, Result());
}

void CalDavClient::findHome(const QUrl &principal, std::function<void(Result, QList<Calendar>, QUrl)> done)
{
    propfind(principal, 0, {QStringLiteral("c:calendar-home-set")},
             [this, done](Result result, const DavMultiStatus &answer, const QUrl &at) {
                 QStringList homes;
                 if (!answer.responses.isEmpty())
                     homes = answer.responses.first().properties.value(QStringLiteral("calendar-home-set")).hrefs;
                 if (result.ok() && homes.isEmpty()) {
                     result.kind = Result::Failed;
                     result.error = tr("服务器没有告知这个用户的日历位置");
                 }
                 if (!result.ok()) {
                     done(result, {}, QUrl());
                     return;
                 }
                 listCalendars(withPath(at, homes.first()), done);
             });
}

void CalDavClient::listCalendars(const QUrl &home, std::function<void(Result, QList<Calendar>, QUrl)> done)
{
    const QUrl folder = folderOf(home);
    propfind(folder, 1, CalendarProps, [folder, done](Result result, const DavMultiStatus &answer, const QUrl &) {
        QList<Calendar> calendars;
        for (const DavMultiStatus::Response &response : answer.responses) {
            const DavMultiStatus::Property components =
                response.properties.value(QStringLiteral("supported-calendar-component-set"));
            if (sameCollection(response.href, pathOf(folder)) ||
                !response.properties.value(QStringLiteral("resourcetype"))
                     .children.contains(QLatin1String("calendar")) ||
                !(components.components.isEmpty() || components.components.contains(QLatin1String("VEVENT"))))
                continue;
            Calendar calendar;
            calendar.url = folderOf(withPath(folder, response.href));
            calendar.name = response.text(QStringLiteral("displayname"));
            if (calendar.name.isEmpty())
                calendar.name = response.href.section(QLatin1Char('/'), -2, -2);
            calendars.append(calendar);
        }
        done(result, calendars, folder);
    });
}

void CalDavClient::makeCalendar(const QUrl &home, const QString &name, std::function<void(Result, Calendar)> done)
{
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [this, home, name, done, attempt](int n) {
        Calendar calendar;
        calendar.name = name;
        const QString folder = name.toLower().remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
        calendar.url = folderOf(home).resolved(QUrl(QStringLiteral("%1%2/").arg(
            folder.isEmpty() ? QStringLiteral("calendar") : folder, n > 1 ? QStringLiteral("-%1").arg(n) : QString())));
        QNetworkRequest request = this->request(calendar.url);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
        const QByteArray body = DavXml(QStringLiteral("c:mkcalendar"))
                                    .open(QStringLiteral("d:set"))
                                    .open(QStringLiteral("d:prop"))
                                    .text(QStringLiteral("d:displayname"), name)
                                    .open(QStringLiteral("c:supported-calendar-component-set"))
                                    .empty({QStringLiteral("c:comp")})
                                    .attribute(QStringLiteral("name"), QStringLiteral("VEVENT"))
                                    .finish();
        send("MKCALENDAR", request, body, [done, calendar, attempt, n](Result result, QNetworkReply *) {
            // Taken: a collection of that name exists already.
            if ((result.status == 405 || result.status == 409) && n < 9)
                (*attempt)(n + 1);
            else
                done(result, calendar);
        });
    };
    (*attempt)(1);
}

void CalDavClient::list(const QUrl &calendar, const QString &syncToken, std::function<void(Result, Listing)> done)
{
    if (withoutSyncReport.contains(calendar.toString())) {
        listEtags(calendar, done);
        return;
    }
    QNetworkRequest request = this->request(calendar);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
    const QByteArray body = DavXml(QStringLiteral("d:sync-collection"))
                                .text(QStringLiteral("d:sync-token"), syncToken)
                                .text(QStringLiteral("d:sync-level"), QStringLiteral("1"))
                                .open(QStringLiteral("d:prop"))
                                .empty({QStringLiteral("d:getetag")})
                                .finish();
    send("REPORT", request, body, [this, calendar, syncToken, done](Result result, QNetworkReply *reply) {
        if (result.kind == Result::Unreachable || result.kind == Result::Unauthorized) {
            done(result, Listing());
            return;
        }
        if (result.status >= 500 && result.status != 501) {
            done(result, Listing());
            return;
        }
        DavMultiStatus answer;
        if (!result.ok() || !answer.parse(reply->readAll())) {
            // A token the server forgot: everything again. No token and still refused: no such report here.
            if (syncToken.isEmpty())
                withoutSyncReport.insert(calendar.toString());
            list(calendar, QString(), done);
            return;
        }
        Listing listing;
        listing.complete = syncToken.isEmpty();
        listing.syncToken = answer.syncToken;
        bool truncated = false;
        for (const DavMultiStatus::Response &response : qAsConst(answer.responses)) {
            if (sameCollection(response.href, pathOf(calendar))) {
                truncated = truncated || response.status == 507;
                continue;
            }
            if (response.status == 404)
                listing.removed.insert(response.href);
            else if (response.has(QStringLiteral("getetag")))
                listing.etags.insert(response.href, response.text(QStringLiteral("getetag")));
        }
        if (!truncated) {
            done(result, listing);
            return;
        }
        // The server sends the rest against the token of this part; without one the list stays partial.
        if (answer.syncToken.isEmpty() || answer.syncToken == syncToken) {
            listing.complete = false;
            done(result, listing);
            return;
        }
        list(calendar, answer.syncToken, [listing, done](Result result, Listing rest) mutable {
            for (auto it = rest.etags.cbegin(); it != rest.etags.cend(); ++it) {
                listing.etags.insert(it.key(), it.value());
                listing.removed.remove(it.key());
            }
            for (const QString &path : qAsConst(rest.removed)) {
                listing.etags.remove(path);
                listing.removed.insert(path);
            }
            listing.syncToken = rest.syncToken;
            listing.complete = listing.complete && result.ok();
            done(result, listing);
        });
    });
}

void CalDavClient::listEtags(const QUrl &calendar, std::function<void(Result, Listing)> done)
{
    propfind(calendar, 1, {QStringLiteral("d:getetag"), QStringLiteral("d:resourcetype")},
             [calendar, done](Result result, const DavMultiStatus &answer, const QUrl &) {
                 Listing listing;
                 for (const DavMultiStatus::Response &response : answer.responses) {
                     if (!sameCollection(response.href, pathOf(calendar)) &&
                         !response.properties.value(QStringLiteral("resourcetype"))
                              .children.contains(QLatin1String("collection")) &&
                         response.has(QStringLiteral("getetag")))
                         listing.etags.insert(response.href, response.text(QStringLiteral("getetag")));
                 }
                 done(result, listing);
             });
}

void CalDavClient::fetch(const QUrl &calendar, const QStringList &paths,
                         std::function<void(Result, QHash<QString, Resource>)> done)
{
    if (paths.isEmpty()) {
        done(Result(), {});
        return;
    }
    DavXml xml(QStringLiteral("c:calendar-multiget"));
    xml.open(QStringLiteral("d:prop")).empty({QStringLiteral("d:getetag"), QStringLiteral("c:calendar-data")}).close();
    for (const QString &path : paths.mid(0, Chunk))
        xml.text(QStringLiteral("d:href"), withPath(calendar, path).path(QUrl::FullyEncoded));
    const QByteArray body = xml.finish();
    QNetworkRequest request = this->request(calendar);
    request.setRawHeader("Depth", "1");
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
    send("REPORT", request, body, [this, calendar, paths, done](Result result, QNetworkReply *reply) {
        DavMultiStatus answer;
        if (result.ok() && !answer.parse(reply->readAll())) {
            result.kind = Result::Failed;
            result.error = tr("服务器的回答无法读取");
        }
        if (!result.ok()) {
            done(result, {});
            return;
        }
        QHash<QString, Resource> found;
        for (const DavMultiStatus::Response &response : qAsConst(answer.responses)) {
            if (response.has(QStringLiteral("calendar-data")))
                found.insert(response.href, {response.text(QStringLiteral("getetag")),
                                             response.text(QStringLiteral("calendar-data")).toUtf8()});
        }
        fetch(calendar, paths.mid(Chunk), [found, done](Result result, QHash<QString, Resource> rest) {
            rest.insert(found);
            done(result, rest);
        });
    });
}

void CalDavClient::put(const QUrl &calendar, const QString &path, const QByteArray &data, const QString &etag,
                       std::function<void(Result, QString)> done)
{
    QNetworkRequest request = this->request(withPath(calendar, path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/calendar; charset=utf-8"));
    if (etag.isEmpty())
        request.setRawHeader("If-None-Match", "*");
    else
        request.setRawHeader("If-Match", etag.toUtf8());
    send("PUT", request, data,
         [done](Result result, QNetworkReply *reply) { done(result, QString::fromUtf8(reply->rawHeader("ETag"))); });
}

void CalDavClient::remove(const QUrl &calendar, const QString &path, const QString &etag,
                          std::function<void(Result)> done)
{
    QNetworkRequest request = this->request(withPath(calendar, path));
    if (!etag.isEmpty())
        request.setRawHeader("If-Match", etag.toUtf8());
    send("DELETE", request, QByteArray(), [done](Result result, QNetworkReply *) {
        if (result.status == 404)
            result = Result();
        done(result);
    });
}
