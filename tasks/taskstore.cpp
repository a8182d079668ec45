#include "tasks/taskstore.h"

#include "data/sqlstatement.h"

#include <algorithm>

namespace {

const QString TaskListTable = QStringLiteral("TASK_LIST");
const QString TaskWorkdayTable = QStringLiteral("TASK_WORKDAY");
const QString TaskColumns =
    QStringLiteral("id, TaskName, TaskTimeSee, IconPath, NoticeCycle, Noticed, Deleted, NormalNoticeKeepDisplay");

} // namespace

QList<SqlOperateType> TaskStore::operations() const
{
    return {TaskListUpdateNoticed, TaskListDelete,    TaskListInsert,          TaskListSelectUnnoticed,
            TaskListSelect,        TaskListUpdate,    TaskWorkdaySelect,       TaskWorkdayUpdate,
            TaskWorkdayInsert,     TaskWorkdayDelete, TaskWorkdayDeleteExpired};
}

std::optional<QVariant> TaskStore::run(SqlOperateType operate, const QVariant &var)
{
    // A change made since by another store, another program or a restore is one this store cannot follow.
    if (databaseState() != followedState)
        forgetTable();
    const std::optional<QVariant> answer = perform(operate, var);
    followedState = databaseState();
    return answer;
}

std::optional<QVariant> TaskStore::perform(SqlOperateType operate, const QVariant &var)
{
    switch (operate) {
    case TaskListUpdateNoticed:
        sql.exec(QStringLiteral("UPDATE `%1` SET Noticed = 1 WHERE id = ?").arg(TaskListTable), {var.toInt()});
        followTask(var.toInt());
        break;
    case TaskListDelete:
        deleteTasks(var.value<QList<int>>());
        break;
    case TaskListInsert:
        insertTask(var.value<TaskListData>());
        break;
    case TaskListSelectUnnoticed: {
        QList<TaskListData> unnoticed;
        selectTasks(QStringLiteral("WHERE Noticed = 0 AND Deleted = 0"), &unnoticed);
        return QVariant::fromValue(unnoticed);
    }
    case TaskListSelect:
        // Read whole once; from then on the list follows the changes made here.
        if (!listKnown)
            listKnown = selectTasks(QStringLiteral("WHERE Deleted = 0 ORDER BY TaskTimeSee ASC, id ASC"), &listed,
                                    &listedDueTexts);
        return QVariant::fromValue(listed);
    case TaskListUpdate: {
        const TaskListData task = var.value<TaskListData>();
        updateTask(task);
        followTask(task.id);
        return std::nullopt;
    }
    case TaskWorkdaySelect:
        return QVariant::fromValue(selectWorkdays());
    case TaskWorkdayUpdate:
        updateWorkday(var.value<TaskWorkdayData>());
        break;
    case TaskWorkdayInsert:
        // An import adds its days in one transaction: a statement each would take minutes for a big file.
        if (var.userType() == qMetaTypeId<QList<TaskWorkdayData>>()) {
            const QList<TaskWorkdayData> days = var.value<QList<TaskWorkdayData>>();
            sql.transaction([this, &days]() {
                return std::all_of(days.begin(), days.end(),
                                   [this](const TaskWorkdayData &day) { return insertWorkday(day); });
            });
        } else {
            insertWorkday(var.value<TaskWorkdayData>());
        }
        break;
    case TaskWorkdayDelete:
        sql.exec(QStringLiteral("DELETE FROM `%1` WHERE id = ?").arg(TaskWorkdayTable), {var.toInt()});
        break;
    case TaskWorkdayDeleteExpired:
        sql.exec(QStringLiteral("DELETE FROM `%1` WHERE TaskDate < ?").arg(TaskWorkdayTable),
                 {QDate::currentDate().toJulianDay()});
        break;
    default:
        return std::nullopt;
    }
    // Changes answer empty.
    return QVariant();
}

QString TaskStore::databaseState()
{
    // Every change through the connection counts, whichever store made it; data_version moves with the
    // commits of other connections.
    return QString::number(sql.connection()) + QLatin1Char(' ') +
           sql.scalar(QStringLiteral("SELECT total_changes() || ' ' || data_version FROM pragma_data_version"))
               .toString();
}

void TaskStore::forgetTable()
{
    listKnown = false;
    nextTaskId = -1;
}

void TaskStore::refreshTaskId()
{
    // Ids are recycled: a row marked deleted is overwritten before the table grows.
    const QVariant deletedId = sql.scalar(QStringLiteral("SELECT id FROM `%1` WHERE Deleted = 1").arg(TaskListTable));
    if (deletedId.isValid()) {
        reuseDeletedId = true;
        nextTaskId = deletedId.toInt();
        return;
    }
    reuseDeletedId = false;
    nextTaskId = sql.scalar(QStringLiteral("SELECT MAX(id)+1 FROM `%1`").arg(TaskListTable)).toInt();
}

void TaskStore::deleteTasks(const QList<int> &ids)
{
    sql.transaction([this, &ids]() {
        for (const int id : ids) {
            if (!sql.exec(QStringLiteral("UPDATE `%1` SET Deleted = 1 WHERE id = ?").arg(TaskListTable), {id}))
                return false;
        }
        return true;
    });

    // Once nothing is alive the table is emptied and ids start again at 0.
    const QVariant all = sql.scalar(QStringLiteral("SELECT count(*) FROM `%1`").arg(TaskListTable));
    const QVariant deleted =
        sql.scalar(QStringLiteral("SELECT count(*) FROM `%1` WHERE Deleted = 1").arg(TaskListTable));
    if (all.isValid() && deleted.isValid() && all.toInt() == deleted.toInt())
        sql.exec(QStringLiteral("DELETE FROM `%1`").arg(TaskListTable));
    refreshTaskId();
    for (const int id : ids)
        followTask(id);
}

void TaskStore::insertTask(TaskListData task)
{
    // Looked up when unknown (the first insert, a change made elsewhere); the changes here keep it current.
    if (nextTaskId < 0)
        refreshTaskId();
    task.id = nextTaskId;
    if (reuseDeletedId)
        updateTask(task);
    else
        sql.exec(QStringLiteral("INSERT INTO `%1` (TaskName, TaskTimeSee, IconPath, id, NoticeCycle, Noticed, Deleted, "
                                "NormalNoticeKeepDisplay) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                     .arg(TaskListTable),
                 {task.TaskName, task.TaskTimeSee.toString(StoredFormat::DateTime), task.IconPath, task.id,
                  task.NoticeCycle, task.Noticed, task.Deleted, task.NormalNoticeKeepDisplay});
    // A new id is the largest, and no row is marked deleted: the next one follows it without a search.
    if (reuseDeletedId)
        refreshTaskId();
    else
        ++nextTaskId;
    followTask(task.id);
}

void TaskStore::updateTask(const TaskListData &task)
{
    sql.exec(QStringLiteral("UPDATE `%1` SET TaskName = ?, TaskTimeSee = ?, IconPath = ?, NoticeCycle = ?, "
                            "Noticed = ?, Deleted = ?, NormalNoticeKeepDisplay = ? WHERE id = ?")
                 .arg(TaskListTable),
             {task.TaskName, task.TaskTimeSee.toString(StoredFormat::DateTime), task.IconPath, task.NoticeCycle,
              task.Noticed, task.Deleted, task.NormalNoticeKeepDisplay, task.id});
}

bool TaskStore::selectTasks(const QString &where, QList<TaskListData> *tasks, QStringList *dueTexts)
{
    tasks->clear();
    if (dueTexts)
        dueTexts->clear();
    if (!sql.exec(QStringLiteral("SELECT %1 FROM `%2` %3").arg(TaskColumns, TaskListTable, where)))
        return false;
    while (sql.next()) {
        QString dueText;
        tasks->append(readTask(&dueText));
        if (dueTexts)
            dueTexts->append(dueText);
    }
    // Times no longer stored are let go once they outnumber the ones read.
    if (dueTimes.size() > 2 * tasks->size() + 64) {
        dueTimes.clear();
        for (const TaskListData &task : qAsConst(*tasks))
            dueTimes.insert(task.TaskTimeSee.toString(StoredFormat::DateTime), task.TaskTimeSee);
    }
    return true;
}

TaskListData TaskStore::readTask(QString *dueText)
{
    TaskListData task;
    task.id = sql.value(0).toInt();
    task.TaskName = sql.value(1).toString();
    // The list is read again after changes and repeats almost every due time: parsing a time costs more
    // than reading its row, so each text is parsed once and kept for the next reads.
    *dueText = sql.value(2).toString();
    auto known = dueTimes.constFind(*dueText);
    if (known == dueTimes.cend())
        known = dueTimes.insert(*dueText, QDateTime::fromString(*dueText, StoredFormat::DateTime));
    task.TaskTimeSee = *known;
    task.IconPath = sql.value(3).toString();
    task.NoticeCycle = sql.value(4).toInt();
    task.Noticed = sql.value(5).toInt();
    task.Deleted = sql.value(6).toInt();
    task.NormalNoticeKeepDisplay = sql.value(7).toInt();
    return task;
}

namespace {

// Whether a row comes before another in the list: by due text as SQLite orders the column (NULL first, then
// text by its UTF-8 bytes), then by id.
bool listedBefore(const QString &due, int id, const QString &otherDue, int otherId)
{
    if (due.isNull() != otherDue.isNull())
        return due.isNull();
    const int order = due.toUtf8().compare(otherDue.toUtf8());
    return order < 0 || (order == 0 && id < otherId);
}

} // namespace

void TaskStore::followTask(int id)
{
    // The row of this id as stored now, whether the change was stored or not: it touched no other row of the list.
    if (!listKnown)
        return;
    for (int i = 0; i < listed.size(); ++i) {
        if (listed.at(i).id == id) {
            listed.removeAt(i);
            listedDueTexts.removeAt(i);
            break;
        }
    }
    // A row that cannot be read back has the list read whole next time.
    listKnown = sql.exec(
        QStringLiteral("SELECT %1 FROM `%2` WHERE id = ? AND Deleted = 0").arg(TaskColumns, TaskListTable), {id});
    while (sql.next()) {
        QString dueText;
        const TaskListData task = readTask(&dueText);
        // After the rows that come before it.
        int index = 0;
        for (int end = listed.size(); index < end;) {
            const int middle = (index + end) / 2;
            if (listedBefore(dueText, task.id, listedDueTexts.at(middle), listed.at(middle).id))
                end = middle;
            else
                index = middle + 1;
        }
        listed.insert(index, task);
        listedDueTexts.insert(index, dueText);
    }
}

QList<TaskWorkdayData> TaskStore::selectWorkdays()
{
    QList<TaskWorkdayData> days;
    if (!sql.exec(
            QStringLiteral("SELECT id, TaskDate, Workday, Notice FROM `%1` ORDER BY TaskDate").arg(TaskWorkdayTable)))
        return days;
    while (sql.next()) {
        TaskWorkdayData day;
        day.id = sql.value(0).toInt();
        day.TaskDate = QDate::fromJulianDay(sql.value(1).toLongLong());
        day.Workday = sql.value(2).toInt();
        day.Notice = sql.value(3).toString();
        days.append(day);
    }
    return days;
}

void TaskStore::updateWorkday(const TaskWorkdayData &day)
{
    sql.exec(QStringLiteral("UPDATE `%1` SET TaskDateStr = ?, Notice = ?, TaskDate = ?, Workday = ? WHERE id = ?")
                 .arg(TaskWorkdayTable),
             {day.TaskDate.toString(StoredFormat::Date), day.Notice, day.TaskDate.toJulianDay(), day.Workday, day.id});
}

bool TaskStore::insertWorkday(const TaskWorkdayData &day)
{
    return sql.exec(QStringLiteral("INSERT INTO `%1` (TaskDateStr, Notice, TaskDate, Workday) VALUES (?, ?, ?, ?)")
                        .arg(TaskWorkdayTable),
                    {day.TaskDate.toString(StoredFormat::Date), day.Notice, day.TaskDate.toJulianDay(), day.Workday});
}
