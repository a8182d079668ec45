#pragma once

#include "sync/keyring.h"

// The system's keyring through QtKeychain: the Secret Service on Linux, the Credential Manager on Windows.
// Never falls back to a file.
class SystemKeyring : public Keyring
{
    Q_OBJECT

public:
    static constexpr const char *Service = "Pemmora";

    using Keyring::Keyring;

    void read(const QString &key, std::function<void(Status, QString)> done) override;
    void write(const QString &key, const QString &secret, std::function<void(Status)> done) override;
};
