#include "vault/passwordgenerator.h"

#include <QtMath>

namespace {

const QString Lower = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString Upper = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString DigitChars = QStringLiteral("0123456789");
// Printable ASCII punctuation beyond the key rules' own symbols, and the common Chinese characters (U+4E00 to
// U+9FA5).
constexpr int OtherAsciiSymbols = 32;
constexpr int ChineseCharacters = 20902;

QChar pick(const QString &from, QRandomGenerator *random)
{
    return from.at(int(random->bounded(quint32(from.size()))));
}

} // namespace

QString PasswordGenerator::symbols()
{
    return QStringLiteral("!@#$%^&*_.?");
}

QString PasswordGenerator::generate(int length, int kinds, QRandomGenerator *random)
{
    length = qBound(MinLength, length, MaxLength);
    if ((kinds & AllKinds) == 0)
        kinds = Letters;
    QStringList classes;
    if (kinds & Letters)
        classes << Lower << Upper;
    if (kinds & Digits)
        classes << DigitChars;
    if (kinds & Symbols)
        classes << symbols();
    // One of each kind first, the rest from all of them, then shuffled so the kinds sit anywhere.
    const QString pool = classes.join(QString());
    QString password;
    for (const QString &kind : qAsConst(classes))
        password += pick(kind, random);
    while (password.size() < length)
        password += pick(pool, random);
    for (int i = password.size() - 1; i > 0; --i) {
        const int j = int(random->bounded(quint32(i + 1)));
        const QChar c = password.at(i);
        password[i] = password.at(j);
        password[j] = c;
    }
    return password;
}

int PasswordGenerator::estimatedBits(const QString &password)
{
    bool lower = false, upper = false, digit = false, symbol = false, other = false, chinese = false;
    for (const QChar c : password) {
        if (Lower.contains(c))
            lower = true;
        else if (Upper.contains(c))
            upper = true;
        else if (DigitChars.contains(c))
            digit = true;
        else if (symbols().contains(c))
            symbol = true;
        else if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fa5)
            chinese = true;
        else
            other = true;
    }
    const int pool = (lower ? 26 : 0) + (upper ? 26 : 0) + (digit ? 10 : 0) + (symbol ? symbols().size() : 0) +
                     (other ? OtherAsciiSymbols : 0) + (chinese ? ChineseCharacters : 0);
    return pool == 0 ? 0 : int(password.size() * std::log2(double(pool)));
}

QString PasswordGenerator::strengthText(const QString &password)
{
    if (password.isEmpty())
        return QString();
    const int bits = estimatedBits(password);
    const QString level = bits < 50 ? tr("弱") : bits < 80 ? tr("中") : tr("强");
    return tr("强度：%1（约 %2 位）").arg(level).arg(bits);
}
