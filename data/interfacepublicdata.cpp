#include "data/interfacepublicdata.h"

#include "birthdays/lunarcalendarinfo.h"
#include "vault/vaultcipher.h"

InterfacePublicData interfacePublicData;

InterfacePublicData::InterfacePublicData()
{
    // Connected before any window exists, so the hub's own handler always runs first.
    connect(this, &InterfacePublicData::SIGNALReceiveQueryData, this, &InterfacePublicData::slotReceiveQueryData,
            static_cast<Qt::ConnectionType>(Qt::AutoConnection | Qt::UniqueConnection));
}

bool InterfacePublicData::isWorkday(const QDate &date) const
{
    const auto exception = workdayExceptions.constFind(date);
    if (exception != workdayExceptions.constEnd())
        return exception.value();
    const int day = date.dayOfWeek();
    return day >= 1 && day <= 5;
}

QDate InterfacePublicData::nextWorkday() const
{
    return nextWorkday(QDate::currentDate());
}

QDate InterfacePublicData::nextWorkday(const QDate &today) const
{
    QDate date = today;
    for (int i = 0; i < MaxWorkdaySearchDays; ++i) {
        date = date.addDays(1);
        if (isWorkday(date))
            return date;
    }
    return date;
}

namespace {

struct LunarMonthDay
{
    int month = 0;
    int day = 0;
};

// Month and day 0 outside the lunar calendar.
LunarMonthDay lunarMonthDayOf(const QDate &date)
{
    int year = 0;
    LunarMonthDay lunar;
    LunarCalendarInfo::instance()->solarToLunar(date.year(), date.month(), date.day(), year, lunar.month, lunar.day);
    return lunar;
}

// The date, or the day before when it does not exist (29 February of a common year).
QDate dateOrDayBefore(int year, int month, int day)
{
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate(year, month, day - 1);
}

} // namespace

QDate InterfacePublicData::nextSolarBirthday(int month, int day, int offsetDays) const
{
    return nextSolarBirthday(month, day, offsetDays, QDate::currentDate());
}

QDate InterfacePublicData::nextSolarBirthday(int month, int day, int offsetDays, const QDate &today) const
{
    const QDate base = today.addDays(offsetDays);
    const QDate candidate = dateOrDayBefore(base.year(), month, day);
    if (candidate.isValid() && base <= candidate)
        return candidate;
    return dateOrDayBefore(base.year() + 1, month, day);
}

QDate InterfacePublicData::nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays) const
{
    return nextLunarBirthday(lunarMonth, lunarDay, isLeapMonth, offsetDays, QDate::currentDate());
}

QDate InterfacePublicData::nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays,
                                             const QDate &today) const
{
    isLeapMonth = false;
    if (lunarMonth < 1 || lunarMonth > 12 || lunarDay < 1 || lunarDay > 30)
        return QDate();
    const QDate base = today.addDays(offsetDays);
    const LunarMonthDay start = lunarMonthDayOf(base);
    if (start.month == 0)
        return QDate();

    // A day of a leap month: the day before its first day still has the same month number.
    if (start.month == lunarMonth && start.day == lunarDay) {
        isLeapMonth = lunarMonthDayOf(base.addDays(-start.day)).month == lunarMonth;
        return base;
    }

    // Every lunar month has at least 29 days, so this jump cannot pass the first match.
    const int want = lunarDay == 30 ? 29 : lunarDay;
    const int months = lunarMonth - start.month;
    int jump = 0;
    if (want < start.day)
        jump = months == 0 ? 0 : (months > 0 ? months - 1 : months + 11) * 29;
    else
        jump = (months >= 0 ? months : months + 12) * 29;

    const QDate last = LunarCalendarInfo::lastDate();
    for (QDate date = base.addDays(jump); date <= last; date = date.addDays(1)) {
        const LunarMonthDay lunar = lunarMonthDayOf(date);
        if (lunar.month != lunarMonth || lunar.day != want)
            continue;
        const bool leap = lunarMonthDayOf(date.addDays(-want)).month == lunarMonth;
        if (lunarDay != 30) {
            isLeapMonth = leap;
            return date;
        }
        const LunarMonthDay following = lunarMonthDayOf(date.addDays(1));
        if (following.day == 30) {
            isLeapMonth = leap;
            return date.addDays(1);
        }
        // Beyond the calendar the month's length is unknown.
        if (following.month == 0)
            break;
        // The 29th stands for the 30th in a short regular month; a short leap month is passed over.
        if (!leap)
            return date;
    }
    return QDate();
}

void InterfacePublicData::lunarDateOf(const QDate &date, int &lunarYear, int &lunarMonth, int &lunarDay) const
{
    LunarCalendarInfo::instance()->solarToLunar(date.year(), date.month(), date.day(), lunarYear, lunarMonth, lunarDay);
}

int InterfacePublicData::lunarYearOf(const QDate &date) const
{
    int year = 0;
    int month = 0;
    int day = 0;
    lunarDateOf(date, year, month, day);
    return year;
}

void InterfacePublicData::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case TaskWorkdaySelect: {
        workdayExceptions.clear();
        const QList<TaskWorkdayData> list = var.value<QList<TaskWorkdayData>>();
        for (const TaskWorkdayData &day : list)
            workdayExceptions.insert(day.TaskDate, day.Workday != 0);
        break;
    }
    case UsersVerifySelect:
        verifierRead(var.value<QPair<QString, QString>>());
        break;
    case UsersVerifySelectRegistered:
        registered = var.toBool();
        emit SIGNALAesRegisteChanged();
        break;
    case UsersVerifyUpdate:
        aesLogout(LoginRegistered);
        emit SIGNALSendQuery(UsersVerifySelectRegistered, QVariant());
        break;
    default:
        break;
    }
}

void InterfacePublicData::setLoginAccount(const QString &user, const QString &key)
{
    userHash = VaultCipher::credentialHash(user);
    keyHash = VaultCipher::credentialHash(key);
    forgetTypedCredentials();
    if (VaultCipher::latin1CredentialHash(user) != userHash || VaultCipher::latin1CredentialHash(key) != keyHash) {
        typedUser = user;
        typedKey = key;
    }
    emit SIGNALSendQuery(UsersVerifySelect, QVariant());
}

void InterfacePublicData::setNewAccount(const QString &user, const QString &key)
{
    newUserHash = user.isEmpty() ? userHash : VaultCipher::credentialHash(user);
    newKeyHash = key.isEmpty() ? keyHash : VaultCipher::credentialHash(key);
}

QString InterfacePublicData::aesEncrypt(const QString &plain) const
{
    return VaultCipher::encrypt(plain, keyHash, userHash);
}

QString InterfacePublicData::aesEncryptNew(const QString &plain) const
{
    return VaultCipher::encrypt(plain, newKeyHash, newUserHash);
}

QString InterfacePublicData::aesDecrypt(const QString &vaultText, bool *ok) const
{
    return VaultCipher::decrypt(vaultText, keyHash, userHash, ok);
}

void InterfacePublicData::setAesLogin(bool login, LoginOutReasonType reason)
{
    if (!login) {
        for (QString *hash : {&userHash, &keyHash, &newUserHash, &newKeyHash})
            VaultCipher::wipe(*hash);
        forgetTypedCredentials();
        credentialUpgrade = false;
    }
    loggedIn = login;
    emit SIGNALAesLogin(login, reason);
}

void InterfacePublicData::finishCredentialUpgrade(bool upgraded)
{
    if (upgraded) {
        std::swap(userHash, newUserHash);
        std::swap(keyHash, newKeyHash);
    }
    VaultCipher::wipe(newUserHash);
    VaultCipher::wipe(newKeyHash);
    forgetTypedCredentials();
    credentialUpgrade = false;
    reencryptIdle = true;
    setAesLogin(true, LoginVerify);
}

void InterfacePublicData::aesLogout(LoginOutReasonType reason)
{
    setAesLogin(false, reason);
}

void InterfacePublicData::verifierRead(const QPair<QString, QString> &verifier)
{
    // A stored verifier means a master account exists, even when the registration state has not
    // arrived yet: registering over it would make every stored account unreadable.
    if (registered || !verifier.second.isEmpty()) {
        const bool ok = verifies(verifier);
        if (!ok && !typedKey.isEmpty() && openLatin1Vault(verifier))
            return;
        forgetTypedCredentials();
        setAesLogin(ok, LoginVerify);
        return;
    }
    forgetTypedCredentials();
    emit SIGNALSendQuery(UsersVerifyUpdate, QVariant::fromValue(qMakePair(verifier.first, aesEncrypt(verifier.first))));
}

bool InterfacePublicData::verifies(const QPair<QString, QString> &verifier) const
{
    return !verifier.first.isEmpty() && aesDecrypt(verifier.second) == verifier.first;
}

// A vault registered by a program that hashed the Latin-1 form opens under that form, which any
// Chinese credentials of the same length share; so the vault is stored anew under the UTF-8 form only
// after the key was typed again (upgradeCredentials), lest a typo become the key.
bool InterfacePublicData::openLatin1Vault(const QPair<QString, QString> &verifier)
{
    userHash = VaultCipher::latin1CredentialHash(typedUser);
    keyHash = VaultCipher::latin1CredentialHash(typedKey);
    if (!verifies(verifier))
        return false;
    credentialUpgrade = true;
    emit SIGNALLatin1VaultOpened(typedUser);
    return true;
}

bool InterfacePublicData::upgradeCredentials(const QString &repeatedKey)
{
    if (!credentialUpgrade || typedKey.isEmpty() || repeatedKey != typedKey)
        return false;
    const QVariant sameAccount = QVariant::fromValue(qMakePair(typedUser, typedKey));
    forgetTypedCredentials();
    reencryptIdle = false;
    emit SIGNALSendQuery(AesAccountUpdate, sameAccount);
    return true;
}

void InterfacePublicData::forgetTypedCredentials()
{
    VaultCipher::wipe(typedUser);
    VaultCipher::wipe(typedKey);
}
