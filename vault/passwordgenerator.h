#pragma once

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QString>

// New passwords for accounts: letters, digits and the symbols the key rules allow, each chosen kind at
// least once, from the system's random source; and how strong a password is, in estimated bits.
class PasswordGenerator
{
    Q_DECLARE_TR_FUNCTIONS(PasswordGenerator)

public:
    enum Kind : int
    {
        Letters = 1, // lower and upper case, both present
        Digits = 2,
        Symbols = 4,
        AllKinds = Letters | Digits | Symbols,
    };

    static constexpr int MinLength = 8;
    static constexpr int MaxLength = 64;
    static constexpr int DefaultLength = 20;

    // The symbols of the vault's key rules.
    static QString symbols();
    // length is kept within 8..64; no kind counts as letters.
    static QString generate(int length, int kinds, QRandomGenerator *random = QRandomGenerator::system());
    // Length times the bits of one character drawn from the kinds the password uses.
    static int estimatedBits(const QString &password);
    // "强度：强（约 120 位）"; empty for an empty password.
    static QString strengthText(const QString &password);
};
