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
    void refreshTaskId();
    void deleteTasks(const QList<int> &ids);
    void insertTask(TaskListData task);
    void updateTask(const TaskListData &task);
    QList<TaskListData> selectTasks(const QString &where);
    QList<TaskWorkdayData> selectWorkdays();
    void updateWorkday(const TaskWorkdayData &day);
    bool insertWorkday(const TaskWorkdayData &day);

    bool reuseDeletedId = false;
    int nextTaskId = -1;
    // The due times of the last list read, by their stored text.
    QHash<QString, QDateTime> dueTimes;
};
