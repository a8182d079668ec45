#pragma once

#include "data/records.h"

#include <QHash>
#include <QObject>
#include <QVariant>

class SqlThread;

// The one object through which windows and the SQL worker talk: requests go out on SIGNALSendQuery,
// every answer comes back to all receivers on SIGNALReceiveQueryData, and program-wide events are
// broadcast here. Lives on the GUI thread for the whole process.
//
// A window that must tell its own answers from the answers to others' requests sends with sendRequest
// and acts on SIGNALReceiveAnswer when the id is one it sent; on SIGNALReceiveQueryData it then hears
// only of what others changed, where it cares to.
//
// It also carries the shared state of the subsystems and their operations on it under one name each;
// they forward to the plain models (models/): WorkdayCalendar, BirthdayDates and VaultCipher.
class InterfacePublicData : public QObject
{
    Q_OBJECT

public:
    InterfacePublicData();

    // Requests to the worker and its answers back, queued both ways.
    void connectWorker(SqlThread *worker);
    // Sends a request as SIGNALSendQuery does, in the same order, and returns its id. Its answer (if the
    // operation answers) comes on SIGNALReceiveAnswer with this id, then on SIGNALReceiveQueryData.
    quint64 sendRequest(SqlOperateType operate, const QVariant &var = QVariant());

    // The workday calendar of the loaded exceptions (WorkdayCalendar).
    bool isWorkday(const QDate &date) const;
    QDate nextWorkday() const;
    QDate nextWorkday(const QDate &today) const;

    // Birthdays: dates of the next occurrence and lunar dates (BirthdayDates), from today unless given.
    QDate nextSolarBirthday(int month, int day, int offsetDays) const;
    QDate nextSolarBirthday(int month, int day, int offsetDays, const QDate &today) const;
    QDate nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays) const;
    QDate nextLunarBirthday(int lunarMonth, int lunarDay, bool &isLeapMonth, int offsetDays, const QDate &today) const;
    void lunarDateOf(const QDate &date, int &lunarYear, int &lunarMonth, int &lunarDay) const;
    int lunarYearOf(const QDate &date) const;

    QHash<QDate, bool> workdayExceptions;
    // The stored exceptions by date: true for a working day.
    static QHash<QDate, bool> exceptionsOf(const QList<TaskWorkdayData> &days);

    // Account vault: credential hashes and login state, used on the GUI thread only.
    void setLoginAccount(const QString &user, const QString &key);
    // The new hashes of a master account change to these credentials (an empty one stays as it is), and
    // the request that carries them with the present ones to the worker.
    AesAccountUpdateData setNewAccount(const QString &user, const QString &key);
    QString aesEncrypt(const QString &plain) const;
    // *ok is false for a stored text that cannot be decoded at all (see VaultCipher::decrypt).
    QString aesDecrypt(const QString &vaultText, bool *ok = nullptr) const;
    void setAesLogin(bool login, LoginOutReasonType reason);
    void aesLogout(LoginOutReasonType reason);
    // A login that opened an older vault (SIGNALLatin1VaultOpened) stores it anew under the same
    // credentials once the key typed again matches; false, and nothing started, when it does not.
    bool upgradeCredentials(const QString &repeatedKey);
    // Logs in after that: under the UTF-8 form when the vault was stored anew, else under the older form.
    void finishCredentialUpgrade(bool upgraded);

    QString userHash;
    QString keyHash;
    QString newUserHash;
    QString newKeyHash;
    bool loggedIn = false;
    bool registered = false;
    bool reencryptIdle = true;
    // A login opened a vault registered under the Latin-1 form; it is not logged in until the vault
    // is stored anew or the user declines.
    bool credentialUpgrade = false;
    // Set by the worker during a master account change: encrypted fields it could not read and kept.
    int unreadableFields = 0;
    QList<UsersUserInfoData> pageUsers; // the account page on display, in table row order

signals:
    void SIGNALSendQuery(SqlOperateType operate, QVariant var);
    void SIGNALReceiveQueryData(SqlOperateType operate, QVariant var);
    void SIGNALClearCompleteTask();
    void SIGNALAesLogin(bool login, LoginOutReasonType reason);
    void SIGNALUserActiveStatusChanged();
    void SIGNALAesRegisteChanged();
    // The credentials typed open the vault only in the Latin-1 form of an older program.
    void SIGNALLatin1VaultOpened(QString user);
    void SIGNALAesUpdateStatus(QString info, int progressValue, int progressMax);
    void SIGNALShowCentralNotice(int what, QStringList strs);
    void SIGNALShowNormalNotice(int what, QStringList strs);
    void SIGNALScreenSizeChanged(int oldWidth, int oldHeight, int oldDpi, int newWidth, int newHeight, int newDpi);
    void SIGNALIconItemOperate(int id, int what, QString path, QString notice, int operate);
    void SIGNALShowIconNoticeAlways(bool show);
    void SIGNALSendRequest(quint64 requestId, SqlOperateType operate, QVariant var);
    void SIGNALReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var);

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private:
    void verifierRead(const QPair<QString, QString> &verifier);
    bool verifies(const QPair<QString, QString> &verifier) const;
    bool openLatin1Vault(const QPair<QString, QString> &verifier);
    void forgetTypedCredentials();

    // The credentials of a login in progress, kept only while an older vault may need them.
    QString typedUser;
    QString typedKey;
    quint64 lastRequestId = 0;
};

extern InterfacePublicData interfacePublicData;
