#include "sync/memorykeyring.h"

void MemoryKeyring::read(const QString &key, std::function<void(Status, QString)> done)
{
    const auto found = secrets.constFind(key);
    if (found == secrets.cend())
        done(Missing, QString());
    else
        done(Found, found.value());
}

void MemoryKeyring::write(const QString &key, const QString &secret, std::function<void(Status)> done)
{
    if (secret.isEmpty())
        secrets.remove(key);
    else
        secrets.insert(key, secret);
    done(Found);
}
