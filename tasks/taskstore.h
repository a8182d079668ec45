#pragma once

#include "data/sqlstore.h"

#include <QDateTime>
#include <QHash>

// Tasks and workday exceptions in the database, run on the worker thread.
class TaskStore : public SqlStore
{
public:
    using SqlStore::SqlStore;

    QList<SqlOperateType> operations() const override;
    std::optional<QVariant> run(SqlOperateType operate, const QVariant &var) override;

private:
    std::optional<QVariant> perform(SqlOperateType operate, const QVariant &var);
    QString databaseState();
    void forgetTable();
    void refreshTaskId();
    void deleteTasks(const QList<int> &ids);
    void insertTask(TaskListData task);
    void updateTask(const TaskListData &task);
    bool selectTasks(const QString &where, QList<TaskListData> *tasks, QStringList *dueTexts = nullptr);
    TaskListData readTask(QString *dueText);
    void followTask(int id);
    QList<TaskWorkdayData> selectWorkdays();
    void updateWorkday(const TaskWorkdayData &day);
    bool insertWorkday(const TaskWorkdayData &day);

    bool reuseDeletedId = false;
    int nextTaskId = -1;
    // The due times of the last list read, by their stored text.
    QHash<QString, QDateTime> dueTimes;
    // The answer to TaskListSelect, kept up to date by reading back the rows this store changes, with the
    // stored due texts that order it. It and the next id hold while no one else changed the database.
    QList<TaskListData> listed;
    QStringList listedDueTexts;
    bool listKnown = false;
    // The database as this store left it (connection, count of changes made through it, the file's version).
    QString followedState;
};
