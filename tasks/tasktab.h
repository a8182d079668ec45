#pragma once

#include "data/records.h"

#include <QVariant>
#include <QWidget>

namespace Ui {
class TaskTab;
}
class LazyRowList;

// The Task tab: the line that adds a task, and the list of task rows, rebuilt from every answer that
// lists the tasks. In a long list only the rows on screen build their widgets.
class TaskTab : public QWidget
{
    Q_OBJECT

public:
    explicit TaskTab(QWidget *parent = nullptr);
    ~TaskTab() override;

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private slots:
    void on_comboBox_TaskNoticeCycle_currentIndexChanged(int index);
    void on_radioButton_TargetTime_toggled(bool checked);
    void on_pushButton_AddTask_clicked();
    void on_pushButton_ClearCompleteTask_clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuildTaskList(const QList<TaskListData> &tasks);
    void chooseNewTaskIcon();

    Ui::TaskTab *ui;
    int currentCycleIndex = 0;
    QString taskIconPath;
    LazyRowList *taskRows = nullptr;
};
