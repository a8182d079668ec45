#pragma once

#include "data/records.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

// The only object that touches the database. Constructed on the GUI thread (it restores a leftover
// backup, opens the file and checks its version there), then moved to its own thread, where it runs
// each request in the order received and answers with the same operation code.
class SqlThread : public QObject
{
    Q_OBJECT

public:
    static constexpr int RequiredDatabaseVersion = 2;
    static constexpr const char *RequiredDatabaseDate = "2024.05.19";
    static constexpr const char *DatabasePath = "src/database/main.db";
    static constexpr const char *BackupPath = "src/database/main.db.bak";
    static constexpr int RestoredNoticeDelayMs = 2000;
    // How long a statement waits for another program's lock before it fails.
    static constexpr int BusyTimeoutMs = 5000;

    explicit SqlThread(QObject *parent = nullptr);

    // Told at start-up and after a master account change when the backup cannot be removed.
    static QString undeletableBackupText(const QString &backupFile);

signals:
    void SIGNALSendQueryData(SqlOperateType operate, QVariant var);

public slots:
    void SLOTReceiveQuery(SqlOperateType operate, QVariant var);

private:
    bool openDatabase();
    // A backup found at start-up: restores an interrupted change, drops one that finished, sets aside one
    // that is no database of this program. False when the start cannot go on.
    bool settleBackup(const QString &databaseFile, const QString &backupFile);
    void closeDatabase();
    void refreshTaskId();
    // Posts a start-up notice through the event loop, so that it arrives after the main window connected.
    void postNotice(SqlOperateType operate, const QString &message, int delayMs);

    // Prepares the statement on the one query object, binds the values in order and executes it. The first
    // failed change of a request is kept in writeFailure, for the user.
    bool exec(const QString &sql, const QVariantList &values = {});
    // First column of the first row, or an invalid value when the statement fails or returns nothing.
    QVariant scalar(const QString &sql, const QVariantList &values = {});

    // Icon library. Tasks and birthdays refer to a picture by its path, so replacing or removing one
    // rewrites those paths; the answers say whether any record used the old picture.
    int nextIconId();
    bool insertIcon(const QStringList &icon);
    QList<QStringList> selectIcons(const QString &what);
    QString deleteIcon(const QStringList &request);
    QString updateIcon(const QStringList &request);
    int countIconUsers(const QString &path);
    void repointIconUsers(const QString &oldPath, const QString &newPath);

    NoticeConfigData selectTaskConfig(bool *ok);
    void updateTaskConfig(const NoticeConfigData &config);
    void deleteTasks(const QList<int> &ids);
    void insertTask(TaskListData task);
    void updateTask(const TaskListData &task);
    QList<TaskListData> selectTasks(const QString &where);
    QList<TaskWorkdayData> selectWorkdays();
    void updateWorkday(const TaskWorkdayData &day);
    void insertWorkday(const TaskWorkdayData &day);

    // Birthdays. A person is the same when name, call name and gender match.
    QList<BirthdayInfoData> selectBirthdays();
    // A failed check counts as a duplicate, so nothing is written on doubt.
    bool isDuplicateBirthday(const BirthdayInfoData &birthday, bool excludeOwnRow);
    bool insertBirthday(const BirthdayInfoData &birthday);
    bool updateBirthday(const BirthdayInfoData &birthday);
    // Account vault
    bool selectUsersConfig(UsersConfigData *config);
    UsersUserResultData queryUsers(const UsersUserQueryData &request);
    void updateUser(const UsersUserInfoData &user, const QDate &today);
    void insertUser(const UsersUserInfoData &user, const QDate &today);
    bool selectVerifier(QPair<QString, QString> *verifier);
    AesAccountUpdateResultType changeMasterAccount(const QString &newUser, const QString &newKey);

    QSqlDatabase db;
    QSqlQuery query;
    bool reuseDeletedId = false;
    int nextTaskId = -1;
    QString writeFailure;
};
