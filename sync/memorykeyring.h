#pragma once

#include "sync/keyring.h"

#include <QHash>

// Passwords kept in memory only, until the program ends.
class MemoryKeyring : public Keyring
{
    Q_OBJECT

public:
    using Keyring::Keyring;

    void read(const QString &key, std::function<void(Status, QString)> done) override;
    void write(const QString &key, const QString &secret, std::function<void(Status)> done) override;

private:
    QHash<QString, QString> secrets;
};
