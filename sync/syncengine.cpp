#include "sync/syncengine.h"

SyncEngine::SyncEngine(SyncState &state, const QString &calendarPath) : state(state), calendarPath(calendarPath)
{
    if (!this->calendarPath.endsWith(QLatin1Char('/')))
        this->calendarPath += QLatin1Char('/');
}

SyncState::Record *SyncEngine::record(const QString &path)
{
    const int index = state.indexOfPath(path);
    return index < 0 ? nullptr : &state.records[index];
}

void SyncEngine::drop(const QString &path)
{
    const int index = state.indexOfPath(path);
    if (index >= 0)
        state.records.removeAt(index);
}

void SyncEngine::noteLocal(const CalendarExport::Data &local, const QDateTime &now)
{
    look(local, now);
}

void SyncEngine::look(const CalendarExport::Data &local, const QDateTime &now)
{
    // A task without a valid time has no event.
    tasks.clear();
    std::copy_if(local.tasks.cbegin(), local.tasks.cend(), std::back_inserter(tasks),
                 [](const TaskListData &task) { return task.TaskTimeSee.isValid(); });
    workdayExceptions = local.workdayExceptions;
    taskKeys.clear();
    taskOfKey.clear();
    QHash<int, int> taskOfId;
    for (int i = 0; i < tasks.size(); ++i) {
        taskKeys.append(SyncMapping::taskKey(tasks.at(i), now, workdayExceptions));
        if (!taskOfKey.contains(taskKeys.last()))
            taskOfKey.insert(taskKeys.last(), i);
        taskOfId.insert(tasks.at(i).id, i);
    }

    // A record stands for the task with its key; failing that, for its row when that row's key is new (the
    // task was edited here). Anything else of it is gone here: completed or deleted.
    matches.clear();
    claimed.clear();
    QSet<QString> recordKeys;
    for (const SyncState::Record &record : qAsConst(state.records)) {
        if (record.kind == SyncState::Task)
            recordKeys.insert(record.key);
    }
    for (const SyncState::Record &record : qAsConst(state.records)) {
        const int task = taskOfKey.value(record.key, -1);
        if (record.kind == SyncState::Task && task >= 0 && !claimed.contains(task)) {
            matches.insert(record.path, {task, false});
            claimed.insert(task);
        }
    }
    for (SyncState::Record &record : state.records) {
        if (record.kind != SyncState::Task)
            continue;
        if (!matches.contains(record.path)) {
            const int task = taskOfId.value(record.taskId, -1);
            const bool edited = task >= 0 && !claimed.contains(task) && !recordKeys.contains(taskKeys.at(task));
            matches.insert(record.path, {edited ? task : -1, true});
            if (edited)
                claimed.insert(task);
        }
        const Match match = matches.value(record.path);
        if (match.task >= 0)
            record.taskId = tasks.at(match.task).id;
        if (!match.changedHere)
            record.changedHere = QDateTime();
        else if (!record.changedHere.isValid())
            record.changedHere = now;
    }

    birthdayEvents.clear();
    birthdayOrder.clear();
    for (const BirthdayInfoData &birthday : local.birthdays) {
        for (const SyncMapping::Object &object : SyncMapping::birthdayObjects(birthday, now.date())) {
            if (!birthdayEvents.contains(object.uid))
                birthdayOrder.append(object.uid);
            birthdayEvents.insert(object.uid, object);
        }
    }
}

void SyncEngine::confirm(const CalendarExport::Data &local, const QDateTime &now)
{
    look(local, now);
    // look() bound every record with a row here to it: what has none was not stored.
    const auto missing = [](const SyncState::Record &record) {
        return record.kind == SyncState::Task && record.taskId < 0;
    };
    const auto removed = std::remove_if(state.records.begin(), state.records.end(), missing);
    if (removed == state.records.end())
        return;
    state.records.erase(removed, state.records.end());
    state.syncToken.clear();
}

QStringList SyncEngine::changedPaths(const CalDavClient::Listing &listing) const
{
    QStringList paths;
    for (auto it = listing.etags.cbegin(); it != listing.etags.cend(); ++it) {
        const int index = state.indexOfPath(it.key());
        if (index < 0 || (state.records.at(index).etag != it.value() && !state.records.at(index).etag.isEmpty()))
            paths.append(it.key());
    }
    return paths;
}

SyncEngine::Plan SyncEngine::plan(const CalendarExport::Data &local, const CalDavClient::Listing &listing,
                                  const QHash<QString, CalDavClient::Resource> &fetched, const QDateTime &now)
{
    Plan plan;
    settled.clear();
    look(local, now);

    QSet<QString> gone = listing.removed;
    if (listing.complete) {
        for (const SyncState::Record &record : qAsConst(state.records)) {
            if (!listing.etags.contains(record.path))
                gone.insert(record.path);
        }
    }
    for (const QString &path : qAsConst(gone))
        takeServerRemoval(path, &plan);

    bool allFetched = true;
    for (auto it = listing.etags.cbegin(); it != listing.etags.cend(); ++it) {
        SyncState::Record *known = record(it.key());
        if (known && known->etag == it.value())
            continue;
        // A write of ours whose ETag the server did not say: this is it.
        if (known && known->etag.isEmpty()) {
            known->etag = it.value();
            continue;
        }
        const auto resource = fetched.constFind(it.key());
        if (resource == fetched.cend()) {
            allFetched = false;
            continue;
        }
        if (known)
            takeServerChange(it.key(), resource.value(), now, &plan);
        else
            takeNewEvent(it.key(), resource.value(), now, &plan);
    }
    if (allFetched)
        state.syncToken = listing.syncToken;

    writeTasks(now, &plan);
    writeBirthdays(&plan);
    return plan;
}

void SyncEngine::takeServerRemoval(const QString &path, Plan *plan)
{
    SyncState::Record *removed = record(path);
    if (!removed)
        return;
    if (removed->kind == SyncState::Birthday) {
        // Written anew below.
        removed->etag.clear();
        removed->written.clear();
        return;
    }
    const Match match = matches.value(path);
    if (removed->kind == SyncState::Task && match.task >= 0) {
        if (match.changedHere) {
            // When it was removed is unknown; what was changed here is kept.
            removed->etag.clear();
            plan->conflicts.append(
                tr("“%1”在服务器上已删除，本机又改过：保留本机的修改").arg(tasks.at(match.task).TaskName));
            return;
        }
        plan->deletes.append(tasks.at(match.task).id);
    }
    drop(path);
}

void SyncEngine::takeServerChange(const QString &path, const CalDavClient::Resource &resource, const QDateTime &now,
                                  Plan *plan)
{
    SyncState::Record &changed = *record(path);
    if (changed.kind == SyncState::Birthday) {
        changed.etag = resource.etag;
        changed.written.clear();
        return;
    }
    if (changed.kind == SyncState::Other) {
        drop(path);
        takeNewEvent(path, resource, now, plan);
        return;
    }
    const SyncMapping::Reading reading = SyncMapping::read(resource.data, now, workdayExceptions);
    const Match match = matches.value(path);
    changed.etag = resource.etag;
    changed.summary = reading.summary;
    changed.reason = reading.reason;
    changed.reasonDetail = reading.reasonDetail;
    // The task here stays as it is, and is written over the event only when it changes.
    if (!reading.taken) {
        changed.written.clear();
        return;
    }
    const QDateTime serverTime = reading.modified.isValid() ? reading.modified : now;
    const QString name = match.task >= 0 ? tasks.at(match.task).TaskName : reading.summary;
    if (match.changedHere && changed.changedHere > serverTime) {
        plan->conflicts.append(tr("“%1”两边都改过，本机的修改较晚，替换了服务器上的版本").arg(name));
        return;
    }
    if (match.changedHere)
        plan->conflicts.append(tr("“%1”两边都改过，服务器上的修改较晚，替换了本机的版本").arg(name));
    if (match.task >= 0) {
        TaskListData task = tasks.at(match.task);
        task.TaskName = reading.task.TaskName;
        task.TaskTimeSee = reading.task.TaskTimeSee;
        task.NoticeCycle = reading.task.NoticeCycle;
        if (!(task == tasks.at(match.task)))
            plan->updates.append(task);
    } else {
        plan->inserts.append(reading.task);
    }
    changed.key = SyncMapping::taskKey(reading.task, now, workdayExceptions);
    changed.written.clear();
    changed.changedHere = QDateTime();
    settled.insert(path);
}

void SyncEngine::takeNewEvent(const QString &path, const CalDavClient::Resource &resource, const QDateTime &now,
                              Plan *plan)
{
    const SyncMapping::Reading reading = SyncMapping::read(resource.data, now, workdayExceptions);
    SyncState::Record added;
    added.path = path;
    added.etag = resource.etag;
    added.uid = reading.uid;
    added.summary = reading.summary;
    added.reason = reading.reason;
    added.reasonDetail = reading.reasonDetail;
    added.kind = SyncState::Other;
    if (reading.taken) {
        added.key = SyncMapping::taskKey(reading.task, now, workdayExceptions);
        const int task = taskOfKey.value(added.key, -1);
        if (claimed.contains(task)) {
            added.reason = QString::fromUtf8(QT_TRANSLATE_NOOP("SyncMapping", "与日历中另一个事件是同一个任务"));
        } else {
            // The same task here already (written by another copy of this program, or before the state
            // was lost): the two are one.
            added.kind = SyncState::Task;
            if (task >= 0) {
                added.taskId = tasks.at(task).id;
                claimed.insert(task);
            } else {
                plan->inserts.append(reading.task);
            }
            settled.insert(path);
        }
    } else if (birthdayEvents.contains(reading.uid)) {
        added.kind = SyncState::Birthday;
        added.key = reading.uid;
    }
    state.records.append(added);
}

QString SyncEngine::newPath(const QString &uid) const
{
    const QString name = SyncMapping::fileName(uid);
    QString path = calendarPath + name;
    for (int n = 2; state.indexOfPath(path) >= 0; ++n)
        path = calendarPath + name.left(name.size() - 4) + QStringLiteral("-%1.ics").arg(n);
    return path;
}

void SyncEngine::writeTasks(const QDateTime &now, Plan *plan)
{
    for (const SyncState::Record &known : qAsConst(state.records)) {
        if (known.kind != SyncState::Task || settled.contains(known.path))
            continue;
        const Match match = matches.value(known.path);
        if (match.task < 0) {
            plan->removals.append({known.path, known.etag});
            continue;
        }
        const TaskListData &task = tasks.at(match.task);
        const SyncMapping::Object object = SyncMapping::taskObject(task, known.uid, now, workdayExceptions);
        // Refreshed while it is this program's own event: a repeating task moved on, the workday
        // exceptions changed.
        if (match.changedHere || known.etag.isEmpty() || (!known.written.isEmpty() && known.written != object.digest)) {
            SyncState::Record next = known;
            next.key = taskKeys.at(match.task);
            next.taskId = task.id;
            next.written = object.digest;
            next.changedHere = QDateTime();
            next.reason.clear();
            next.reasonDetail.clear();
            plan->writes.append({known.path, object.data, known.etag, next});
        }
    }
    for (int i = 0; i < tasks.size(); ++i) {
        if (claimed.contains(i) || taskOfKey.value(taskKeys.at(i)) != i)
            continue;
        const SyncMapping::Object object = SyncMapping::taskObject(tasks.at(i), taskKeys.at(i), now, workdayExceptions);
        SyncState::Record added;
        added.path = newPath(object.uid);
        added.uid = object.uid;
        added.kind = SyncState::Task;
        added.key = taskKeys.at(i);
        added.taskId = tasks.at(i).id;
        added.written = object.digest;
        plan->writes.append({added.path, object.data, QString(), added});
    }
}

void SyncEngine::writeBirthdays(Plan *plan)
{
    QSet<QString> published;
    for (const SyncState::Record &known : qAsConst(state.records)) {
        if (known.kind != SyncState::Birthday)
            continue;
        const auto wanted = birthdayEvents.constFind(known.key);
        if (wanted == birthdayEvents.cend()) {
            plan->removals.append({known.path, known.etag});
            continue;
        }
        published.insert(known.key);
        if (known.etag.isEmpty() || known.written != wanted->digest) {
            SyncState::Record next = known;
            next.written = wanted->digest;
            plan->writes.append({known.path, wanted->data, known.etag, next});
        }
    }
    for (const QString &uid : qAsConst(birthdayOrder)) {
        if (published.contains(uid))
            continue;
        SyncState::Record added;
        added.path = newPath(uid);
        added.uid = uid;
        added.kind = SyncState::Birthday;
        added.key = uid;
        added.written = birthdayEvents.value(uid).digest;
        plan->writes.append({added.path, birthdayEvents.value(uid).data, QString(), added});
    }
}

void SyncEngine::written(const Write &write, const CalDavClient::Result &result, const QString &etag)
{
    if (!result.ok())
        return;
    SyncState::Record done = write.record;
    done.etag = etag;
    SyncState::Record *known = record(write.path);
    if (known)
        *known = done;
    else
        state.records.append(done);
}

void SyncEngine::removed(const Removal &removal, const CalDavClient::Result &result)
{
    if (result.ok())
        drop(removal.path);
}
