#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QStringList>

// Dates and times as the database stores them as text, and as the program shows them.
namespace StoredFormat {
inline const QString Date = QStringLiteral("yyyy-MM-dd");
inline const QString DateTime = QStringLiteral("yyyy-MM-dd hh:mm:ss");
} // namespace StoredFormat

// The longest texts the one-line fields take; the database keeps them whole.
namespace FieldLength {
constexpr int Name = 100;    // task and birthday names, call names, workday notes
constexpr int Account = 200; // the account window's fields but the site and the phone
constexpr int Site = 2000;
constexpr int Phone = 11;
} // namespace FieldLength

// Every database request is a pair (operation, payload); the answer carries the same operation.
enum SqlOperateType : int
{
    DatabaseFatalError = 0,
    DatabaseVersionLow = 1,
    DatabaseRestored = 2,
    TaskConfigSelect = 3,
    TaskConfigUpdate = 4,
    TaskListUpdateNoticed = 5,
    TaskListDelete = 6,
    TaskListInsert = 7,
    TaskListSelectUnnoticed = 8,
    TaskListSelect = 9,
    TaskListUpdate = 10,
    TaskWorkdaySelect = 11,
    TaskWorkdayUpdate = 12,
    TaskWorkdayInsert = 13,
    TaskWorkdayDelete = 14,
    TaskWorkdayDeleteExpired = 15,
    BirthdayInfoSelect = 16,
    BirthdayInfoInsert = 17,
    BirthdayInfoDelete = 18,
    BirthdayInfoUpdate = 19,
    BirthdayInfoUpdateRecentDate = 20,
    BirthdayInfoUpdateNoticed = 21,
    UsersConfigSelect = 22,
    UsersConfigUpdate = 23,
    UsersUserQuery = 24,
    UsersUserInfoUpdate = 25,
    UsersUserInfoInsert = 26,
    UsersUserInfoDelete = 27,
    UsersVerifySelect = 28,
    UsersVerifySelectRegistered = 29,
    UsersVerifyUpdate = 30,
    AesAccountUpdate = 31,
    IconListNextId = 32,
    IconListInsert = 33,
    IconListSelect = 34,
    IconListDelete = 35,
    IconListUpdate = 36,
    // Sent by the worker only: a change the user made was not stored.
    DatabaseWriteFailed = 37,
    // The iCalendar file of the coming birthdays and pending tasks: the target path; answers the reason of a
    // failure, empty once written.
    CalendarExportWrite = 38,
    // Today's database backup, the number of days to keep; answers the reason of a failure, empty otherwise.
    DatabaseBackupDaily = 39,
    // The backups, newest first (QList<DatabaseBackup::Entry>).
    DatabaseBackupList = 40,
    // Puts the backup at the path in the database's place; answers the reason of a failure, empty once the
    // database is replaced (it stays closed: the program restarts). A failure that leaves the database closed
    // comes as DatabaseFatalError instead.
    DatabaseBackupRestore = 41,
    // What the calendar sync writes from: the pending tasks, the birthdays and the workday exceptions
    // (CalendarExport::Data); answers nothing valid when the database cannot be read.
    SyncLocalSelect = 42,
};

enum LoginOutReasonType : int
{
    LogoutManual = 0,
    LogoutInactive = 1,
    LoginVerify = 2,
    LoginRegistered = 3,
    LogoutAccountChanged = 4,
};

enum AesAccountUpdateResultType : int
{
    AesUpdateSuccess = 0,
    AesUpdateExecError = 1,
    AesUpdateBackupFailed = 2,
};

// First argument of the hub's notice signals: what the notice is about.
enum NoticeWhat : int
{
    NoticeWhatTask = 0,
    NoticeWhatBirthday = 1,
};

struct TaskListData
{
    int id = -1;
    QString TaskName;
    QDateTime TaskTimeSee;
    QString IconPath;
    int NoticeCycle = 0;
    int Noticed = 0;
    int Deleted = 0;
    int NormalNoticeKeepDisplay = 0;

    bool operator==(const TaskListData &o) const;
};

struct TaskWorkdayData
{
    int id = -1;
    QDate TaskDate;
    int Workday = 0;
    QString Notice;

    bool operator==(const TaskWorkdayData &o) const;
};

struct BirthdayInfoData
{
    int id = -1;
    QString Name = QStringLiteral("null");
    QString CallName = QStringLiteral("null");
    bool Gender = true;
    bool IsLunar = true;
    bool IgnoreSolarYear = false;
    QDate SolarDate = QDate(1994, 9, 20);
    bool IgnoreLunarYear = false;
    int LunarYear = 0;
    int LunarMonth = 0;
    int LunarDay = 0;
    QDate RecentDate = QDate::currentDate().addDays(10);
    bool IsLeapMonth = false;
    QString IconPath;
    bool Notice1 = true;
    bool Notice3 = false;
    bool Notice7 = false;
    bool HasNoticed0 = false;
    bool HasNoticed1 = false;
    bool HasNoticed3 = false;
    bool HasNoticed7 = false;

    bool operator==(const BirthdayInfoData &o) const;
};

struct NoticeConfigData
{
    int CN_BgType = 1;
    QColor CN_Color = QColor(QStringLiteral("#00677c"));
    QColor CN_ShadowColor = QColor(QStringLiteral("#000000"));
    int CN_AppearSec = 2;
    int CN_KeepSec = 5;
    int CN_DisappearSec = 2;
    int NN_DisplaySec = 60;
    bool CN_EnableTask = true;
    bool CN_EnableBirthday = false;
    bool NN_EnableTask = true;
    bool NN_EnableBirthday = true;

    bool operator==(const NoticeConfigData &o) const;
};

struct UsersConfigData
{
    int UserLimitOnePage = 20;
    int NoActiveLogoutSec = 60;

    bool operator==(const UsersConfigData &o) const;
};

struct UsersUserInfoData
{
    int ID = 0;
    QString Title;
    QString Site;
    QString User;
    QString Pwd;
    QString PwdNote;
    QString NickName;
    QString Email;
    QString Phone;
    QString NotePublic;
    QString NotePrivate;
    QDate UpdateDate;

    bool operator==(const UsersUserInfoData &o) const;
};

struct UsersUserQueryData
{
    int searchType = 0;
    QString searchText;
    int limitOnePage = 20;
    int page = 1;

    bool operator==(const UsersUserQueryData &o) const;
};

struct UsersUserResultData
{
    QList<UsersUserInfoData> users;
    int total = 0;
    int pageCount = 0;
    int page = 0;
    bool hasPrevPage = false;
    bool hasNextPage = false;

    bool operator==(const UsersUserResultData &o) const;
};

// A master account change as the worker runs it: the hashes the accounts are stored under and the
// hashes they are to be stored under. The worker takes them from here, never from the hub.
struct AesAccountUpdateData
{
    QString userHash;
    QString keyHash;
    QString newUserHash;
    QString newKeyHash;

    bool operator==(const AesAccountUpdateData &o) const;
};

// The notice settings every part of the program reads; holds the defaults until the stored row arrives.
extern NoticeConfigData currentNoticeConfig;

// Registers every record, enumeration and container under its own name, so that each can travel
// in a queued signal between the GUI and the worker thread.
void registerRecordMetaTypes();

Q_DECLARE_METATYPE(SqlOperateType)
Q_DECLARE_METATYPE(LoginOutReasonType)
Q_DECLARE_METATYPE(AesAccountUpdateResultType)
Q_DECLARE_METATYPE(TaskListData)
Q_DECLARE_METATYPE(TaskWorkdayData)
Q_DECLARE_METATYPE(BirthdayInfoData)
Q_DECLARE_METATYPE(NoticeConfigData)
Q_DECLARE_METATYPE(UsersConfigData)
Q_DECLARE_METATYPE(UsersUserInfoData)
Q_DECLARE_METATYPE(UsersUserQueryData)
Q_DECLARE_METATYPE(UsersUserResultData)
Q_DECLARE_METATYPE(AesAccountUpdateData)
