#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// A holiday calendar published on the web, fetched at start and again once a week after the last
// success. The address, the last success and the dates already offered live in config.ini; what the
// calendar does to the workday exceptions is for the receiver of SIGNALFetched to decide.
class HolidaySubscription : public QObject
{
    Q_OBJECT

public:
    static constexpr int RefreshDays = 7;
    // While the last success is older than a week (or after a failure), tried again this often.
    static constexpr int RetryMinutes = 60;
    static constexpr int TimeoutMs = 30000;

    explicit HolidaySubscription(QObject *parent = nullptr);

    // The address to fetch: https:// as given, webcal:// as https://; plain http:// only from this
    // computer (a test server), where nothing on the way can change it. Empty when refused.
    static QUrl fetchUrl(const QString &address);

    // Empty when there is no subscription.
    QString address() const;
    QDateTime lastSuccess() const;
    void setLastSuccess(const QDateTime &time);
    // "yyyy-MM-dd=1" for a date offered as a working day, "=0" as a day off: a date the user removed or
    // declined is not offered again unless the calendar changes its mind.
    QStringList offered() const;
    void addOffered(const QStringList &dates, const QDate &today);

    // Stores the address (empty ends the subscription) and fetches it now.
    void subscribe(const QString &address);
    // Fetches now when subscribed, and from then on when a week has passed since the last success.
    void start();

signals:
    void SIGNALFetched(const QByteArray &data);
    void SIGNALFailed(const QString &error);

private:
    void fetch();
    void fetchIfDue();
    void finished();

    QNetworkAccessManager *network = nullptr;
    QNetworkReply *reply = nullptr;
    bool tooLarge = false;
    QTimer retry;
};
