#include "tasks/holidaysubscription.h"

#include "data/configsettings.h"
#include "tasks/holidayimport.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {
const QString AddressKey = QStringLiteral("Workday/SubscriptionUrl");
const QString LastSuccessKey = QStringLiteral("Workday/SubscriptionLastSuccess");
const QString OfferedKey = QStringLiteral("Workday/SubscriptionOffered");
} // namespace

HolidaySubscription::HolidaySubscription(QObject *parent) : QObject(parent)
{
    retry.setInterval(RetryMinutes * 60 * 1000);
    connect(&retry, &QTimer::timeout, this, &HolidaySubscription::fetchIfDue);
}

QUrl HolidaySubscription::fetchUrl(const QString &address)
{
    QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("webcal") || scheme == QLatin1String("webcals"))
        url.setScheme(QStringLiteral("https"));
    const QHostAddress host(url.host());
    const bool local = url.host() == QLatin1String("localhost") || host.isLoopback();
    const bool safe = url.scheme() == QLatin1String("https") || (url.scheme() == QLatin1String("http") && local);
    return url.isValid() && !url.host().isEmpty() && safe ? url : QUrl();
}

QString HolidaySubscription::address() const
{
    return ConfigSettings().value(AddressKey).toString();
}

QDateTime HolidaySubscription::lastSuccess() const
{
    return QDateTime::fromString(ConfigSettings().value(LastSuccessKey).toString(), Qt::ISODate);
}

void HolidaySubscription::setLastSuccess(const QDateTime &time)
{
    ConfigSettings().setValue(LastSuccessKey, time.toString(Qt::ISODate));
}

QStringList HolidaySubscription::offered() const
{
    return ConfigSettings().value(OfferedKey).toStringList();
}

void HolidaySubscription::addOffered(const QStringList &dates, const QDate &today)
{
    // Past dates are never offered again: they need no memory.
    QStringList kept;
    for (const QString &entry : offered() + dates) {
        if (QDate::fromString(entry.left(10), Qt::ISODate) >= today && !kept.contains(entry))
            kept.append(entry);
    }
    ConfigSettings().setValue(OfferedKey, kept);
}

void HolidaySubscription::subscribe(const QString &address)
{
    ConfigSettings settings;
    if (address.trimmed() != settings.value(AddressKey).toString()) {
        settings.remove(LastSuccessKey);
        settings.remove(OfferedKey);
    }
    if (address.trimmed().isEmpty())
        settings.remove(AddressKey);
    else
        settings.setValue(AddressKey, address.trimmed());
    settings.sync();
    start();
}

void HolidaySubscription::start()
{
    retry.start();
    fetch();
}

void HolidaySubscription::fetchIfDue()
{
    const QDateTime last = lastSuccess();
    if (!last.isValid() || last.addDays(RefreshDays) <= QDateTime::currentDateTime())
        fetch();
}

void HolidaySubscription::fetch()
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        reply = nullptr;
    }
    const QUrl url = fetchUrl(address());
    if (url.isEmpty()) {
        retry.stop();
        return;
    }
    // Made when first needed: without a subscription the program opens no network session.
    if (!network) {
        network = new QNetworkAccessManager(this);
        network->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
        network->setTransferTimeout(TimeoutMs);
    }
    tooLarge = false;
    reply = network->get(QNetworkRequest(url));
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received) {
        if (received > HolidayImport::MaxFileBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &HolidaySubscription::finished);
}

void HolidaySubscription::finished()
{
    QNetworkReply *done = reply;
    reply = nullptr;
    done->deleteLater();
    if (tooLarge)
        emit SIGNALFailed(HolidayImport::tr("文件太大，不是节假日日历。"));
    else if (done->error() != QNetworkReply::NoError)
        emit SIGNALFailed(done->errorString());
    else
        emit SIGNALFetched(done->readAll());
}
