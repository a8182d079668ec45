#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Where the sync keeps its password: the system's keyring (SystemKeyring), or memory for as long as the
// program runs (MemoryKeyring: where the system has no keyring, and in tests). Answers come through the
// callbacks, possibly later: a system keyring may ask the user first.
class Keyring : public QObject
{
    Q_OBJECT

public:
    enum Status
    {
        Found,
        // Nothing stored under the key.
        Missing,
        // No keyring on this system, or it refused: the password can live in memory only.
        Unavailable,
    };

    using QObject::QObject;

    virtual void read(const QString &key, std::function<void(Status, QString secret)> done) = 0;
    // Stores, or with an empty secret removes.
    virtual void write(const QString &key, const QString &secret, std::function<void(Status)> done) = 0;
};
