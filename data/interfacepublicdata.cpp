#include "data/interfacepublicdata.h"

#include "data/sqlthread.h"
#include "models/birthdaydates.h"
#include "models/vaultcipher.h"
#include "models/workdaycalendar.h"

InterfacePublicData interfacePublicData;

InterfacePublicData::InterfacePublicData()
{
    // Connected before any window exists, so the hub's own handler always runs first.
    connect(this, &InterfacePublicData::SIGNALReceiveQueryData, this, &InterfacePublicData::slotReceiveQueryData,
            Qt::UniqueConnection);
}

void InterfacePublicData::connectWorker(SqlThread *worker)
{
    const auto queued = Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection);
    connect(this, &InterfacePublicData::SIGNALSendQuery, worker, &SqlThread::SLOTReceiveQuery, queued);
    connect(this, &InterfacePublicData::SIGNALSendRequest, worker, &SqlThread::SLOTReceiveRequest, queued);
    connect(worker, &SqlThread::SIGNALSendAnswer, this, &InterfacePublicData::SIGNALReceiveAnswer, queued);
    connect(worker, &SqlThread::SIGNALSendQueryData, this, &InterfacePublicData::SIGNALReceiveQueryData, queued);
}

quint64 InterfacePublicData::sendRequest(SqlOperateType operate, const QVariant &var)
{
    emit SIGNALSendRequest(++lastRequestId, operate, var);
    return lastRequestId;
}

QHash<QDate, bool> InterfacePublicData::exceptionsOf(const QList<TaskWorkdayData> &days)
{
    QHash<QDate, bool> exceptions;
    for (const TaskWorkdayData &day : days)
        exceptions.insert(day.TaskDate, day.Workday != 0);
    return exceptions;
}

void InterfacePublicData::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case TaskWorkdaySelect:
        workdayExceptions = exceptionsOf(var.value<QList<TaskWorkdayData>>());
        break;
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

// The hub's names for the calendar of its loaded exceptions.

bool InterfacePublicData::isWorkday(const QDate &date) const
{
    return WorkdayCalendar::isWorkday(workdayExceptions, date);
}

QDate InterfacePublicData::nextWorkday() const
{
    return WorkdayCalendar::nextWorkday(workdayExceptions, QDate::currentDate());
}

QDate InterfacePublicData::nextWorkday(const QDate &today) const
{
    return WorkdayCalendar::nextWorkday(workdayExceptions, today);
}

// The hub's names for the searches, from today.

QDate InterfacePublicData::nextSolarBirthday(int month, int day, int offsetDays) const
{
    return BirthdayDates::nextSolarBirthday(month, day, offsetDays, QDate::currentDate());
}

QDate InterfacePublicData::nextSolarBirthday(int month, int day, int offsetDays, const QDate &today) const
{
    return BirthdayDates::nextSolarBirthday(month, day, offsetDays, today);
}

QDate InterfacePublicData::nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays) const
{
    return BirthdayDates::nextLunarBirthday(lunarMonth, lunarDay, isLeapMonth, offsetDays, QDate::currentDate());
}

QDate InterfacePublicData::nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays,
                                             const QDate &today) const
{
    return BirthdayDates::nextLunarBirthday(lunarMonth, lunarDay, isLeapMonth, offsetDays, today);
}

void InterfacePublicData::lunarDateOf(const QDate &date, int &lunarYear, int &lunarMonth, int &lunarDay) const
{
    BirthdayDates::lunarDateOf(date, lunarYear, lunarMonth, lunarDay);
}

int InterfacePublicData::lunarYearOf(const QDate &date) const
{
    return BirthdayDates::lunarYearOf(date);
}

// The hub's vault operations: the master account's hashes and login state live on the hub; what they mean
// for encryption and login is decided here.

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

AesAccountUpdateData InterfacePublicData::setNewAccount(const QString &user, const QString &key)
{
    newUserHash = user.isEmpty() ? userHash : VaultCipher::credentialHash(user);
    newKeyHash = key.isEmpty() ? keyHash : VaultCipher::credentialHash(key);
    return {userHash, keyHash, newUserHash, newKeyHash};
}

QString InterfacePublicData::aesEncrypt(const QString &plain) const
{
    return VaultCipher::encrypt(plain, keyHash, userHash);
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
    const AesAccountUpdateData sameAccount = setNewAccount(typedUser, typedKey);
    forgetTypedCredentials();
    reencryptIdle = false;
    emit SIGNALSendQuery(AesAccountUpdate, QVariant::fromValue(sameAccount));
    return true;
}

void InterfacePublicData::forgetTypedCredentials()
{
    VaultCipher::wipe(typedUser);
    VaultCipher::wipe(typedKey);
}
