#include "sync/systemkeyring.h"

#include <qt5keychain/keychain.h>

namespace {

Keyring::Status statusOf(const QKeychain::Job *job)
{
    switch (job->error()) {
    case QKeychain::NoError:
        return Keyring::Found;
    case QKeychain::EntryNotFound:
        return Keyring::Missing;
    default:
        return Keyring::Unavailable;
    }
}

} // namespace

void SystemKeyring::read(const QString &key, std::function<void(Status, QString)> done)
{
    auto *job = new QKeychain::ReadPasswordJob(QString::fromLatin1(Service), this);
    job->setKey(key);
    connect(job, &QKeychain::Job::finished, this, [done](QKeychain::Job *finished) {
        const Status status = statusOf(finished);
        done(status, status == Found ? static_cast<QKeychain::ReadPasswordJob *>(finished)->textData() : QString());
    });
    job->start();
}

void SystemKeyring::write(const QString &key, const QString &secret, std::function<void(Status)> done)
{
    QKeychain::Job *job = nullptr;
    if (secret.isEmpty()) {
        job = new QKeychain::DeletePasswordJob(QString::fromLatin1(Service), this);
    } else {
        auto *write = new QKeychain::WritePasswordJob(QString::fromLatin1(Service), this);
        write->setTextData(secret);
        job = write;
    }
    job->setKey(key);
    connect(job, &QKeychain::Job::finished, this, [done, secret](QKeychain::Job *finished) {
        const Status status = statusOf(finished);
        // Nothing to remove is as good as removed.
        done(secret.isEmpty() && status == Missing ? Found : status);
    });
    job->start();
}
