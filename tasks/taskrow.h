#pragma once

#include "data/records.h"
#include "widgets/lazyrow.h"

class TaskWidgetItem;

// One task of the task list, whether a widget shows it or not: it counts down on the shared tick, fires
// once when its task falls due, answers "clear completed", and stores what is changed in its widget.
// Off screen it needs the tick only at its due time.
class TaskRow : public LazyRow
{
    Q_OBJECT

public:
    explicit TaskRow(const TaskListData &task);

    // The row's task as it would be stored now.
    const TaskListData &record() const { return task; }
    bool isCompleted() const { return completed; }

    // Changes made in the widget, each stored at once.
    void confirmEdit(const QString &name, const QDateTime &due);
    void setIconPath(const QString &path);
    void rotateCycle();
    void setKeepDisplay(bool keep);

    // A completed row deletes its task.
    void slotClearCompleteTask();

protected:
    void update(qint64 nowMs) override;

private:
    QWidget *createWidget(QWidget *parent) override;
    bool keepsWidget() const override;
    TaskWidgetItem *view() const;
    void setDueTime(const QDateTime &due);
    qint64 dueMs() const;
    void setCompleted(bool done);
    void fire(qint64 nowMs);
    void sendUpdate() const;

    TaskListData task;
    bool completed = false;
    // Due time in milliseconds, converted once instead of on every tick, and only when needed: a
    // conversion from local time costs more than the rest of a row, and most completed rows never need it.
    mutable qint64 dueAtMs = 0;
    mutable bool dueKnown = false;
};
