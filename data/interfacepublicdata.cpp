#include "data/interfacepublicdata.h"

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

QString InterfacePublicData::aesDecrypt(const QString &vaultText) const
{
    return VaultCipher::decrypt(vaultText, keyHash, userHash);
}

void InterfacePublicData::setAesLogin(bool login, LoginOutReasonType reason)
{
    if (!login) {
        userHash.clear();
        keyHash.clear();
        newUserHash.clear();
        newKeyHash.clear();
    }
    loggedIn = login;
    emit SIGNALAesLogin(login, reason);
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
        setAesLogin(!verifier.first.isEmpty() && aesDecrypt(verifier.second) == verifier.first, LoginVerify);
        return;
    }
    emit SIGNALSendQuery(UsersVerifyUpdate, QVariant::fromValue(qMakePair(verifier.first, aesEncrypt(verifier.first))));
}
