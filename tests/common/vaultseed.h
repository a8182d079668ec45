#pragma once

#include "data/records.h"

#include <QList>
#include <QString>

// A vault on disk for tests and benchmarks: accounts with typical field lengths, their secrets
// encrypted under the given master account, and the verifier written for it.
namespace VaultSeed {
// The plain account number i (its ID is i + 1 in a fresh table).
UsersUserInfoData plainAccount(int i);
// Inserts count accounts in one transaction and registers the master account, hashed in its Latin-1
// form when latin1 is set (as older vaults were). False when the file cannot be written.
bool seed(const QString &databaseFile, const QString &user, const QString &key, int count, bool latin1 = false);
// Every stored account in ID order, its secrets decrypted with the given master account.
QList<UsersUserInfoData> read(const QString &databaseFile, const QString &user, const QString &key);
// Whether the stored verifier opens with the given master account.
bool verifies(const QString &databaseFile, const QString &user, const QString &key);
} // namespace VaultSeed
