#pragma once

#include "data/records.h"
#include "tasks/taskrow.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class TaskWidgetItem;
}
class QDateTimeEdit;
class QLineEdit;

// The widget of one row of the task list: keep-display toggle, icon, cycle tag, countdown and name. It
// shows its TaskRow, which counts down and fires, and lets the user edit, re-tag or delete the task.
//
// In a long list only the rows in view have a widget. A widget made on its own (from a task's fields)
// carries its own row.
class TaskWidgetItem : public QWidget
{
    Q_OBJECT

public:
    using IconChooser = std::function<QString(QWidget *parent)>;
    // The picture of a task that has no icon of its own.
    static constexpr const char *DefaultIconPath = "src/icon/task/default.png";

    TaskWidgetItem(const QString &name, const QDateTime &due, int cycle, int id, bool noticed, bool keepDisplay,
                   const QString &iconPath, QWidget *parent = nullptr);
    TaskWidgetItem(TaskRow &shown, QWidget *parent);
    ~TaskWidgetItem() override;

    // The row's task as it would be stored now.
    TaskListData record() const { return row->record(); }
    bool isCompleted() const { return row->isCompleted(); }
    bool isEditing() const;

    // Countdown text for the whole seconds left until the due time.
    static QString remainTimeText(qint64 seconds);
    // Weekday name for 1 (Monday) … 7 (Sunday), empty otherwise.
    static QString dayOfWeekText(int day);

    // Asks the icon library for a task icon; an empty path means no choice. A chooser set here replaces
    // the library (the tests pick without a dialog).
    static QString chooseTaskIcon(QWidget *parent);
    static void setIconChooser(IconChooser chooser);

    // What the row shows as it counts down and when it fires.
    void showRemainSeconds(qint64 seconds);
    void showFired();

public slots:
    void slotUpdateRemainTime();
    // A tick of the row at this moment.
    void updateRemainTime(qint64 nowMs);

private slots:
    void on_pushButton_Edit_clicked();
    void on_pushButton_Delete_clicked();
    void on_pushButton_KeepDisplay_clicked(bool checked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildForm();
    void setCompleted(bool done);
    void initDisplay();
    // The name and due time editors exist only once the row has been edited: most rows never are, and
    // a date-time editor is among the costliest widgets to build.
    void createEditors();
    void showCycleText();

    Ui::TaskWidgetItem *ui = nullptr;
    QLineEdit *lineEdit_TaskName = nullptr;
    QDateTimeEdit *dateTimeEdit = nullptr;
    // The row made with a widget made on its own.
    std::unique_ptr<TaskRow> ownRow;
    QPointer<TaskRow> row;
    qint64 shownSeconds = -1;
    static IconChooser iconChooser;
};
