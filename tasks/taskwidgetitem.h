#pragma once

#include "data/records.h"
#include "widgets/lazyrow.h"

#include <functional>

namespace Ui {
class TaskWidgetItem;
}
class QDateTimeEdit;
class QLineEdit;

// One row of the task list: keep-display toggle, icon, cycle tag, countdown and name. It counts down
// on the shared tick, fires once when its task falls due, and edits, re-tags or deletes its task.
//
// A row of a long list may leave its widgets unbuilt until it scrolls into view (FormWhenShown):
// it still counts, fires and answers "clear completed" from its task alone, and builds its form
// from that state when first needed. Only the rows on screen then cost their dozen widgets.
class TaskWidgetItem : public LazyRow
{
    Q_OBJECT

public:
    using IconChooser = std::function<QString(QWidget *parent)>;
    // The picture of a task that has no icon of its own.
    static constexpr const char *DefaultIconPath = "src/icon/task/default.png";

    TaskWidgetItem(const QString &name, const QDateTime &due, int cycle, int id, bool noticed, bool keepDisplay,
                   const QString &iconPath, QWidget *parent = nullptr, FormBuilding building = FormNow);
    ~TaskWidgetItem() override;

    // The row's task as it would be stored now.
    TaskListData record() const { return task; }
    bool isCompleted() const { return completed; }

    // Countdown text for the whole seconds left until the due time.
    static QString remainTimeText(qint64 seconds);
    // Weekday name for 1 (Monday) … 7 (Sunday), empty otherwise.
    static QString dayOfWeekText(int day);

    // Asks the icon library for a task icon; an empty path means no choice. A chooser set here replaces
    // the library (the tests pick without a dialog).
    static QString chooseTaskIcon(QWidget *parent);
    static void setIconChooser(IconChooser chooser);

    // Also leaves the hub.
    void stopUpdating() override;

public slots:
    void slotUpdateRemainTime();
    // The tick: one clock reading shared by every row.
    void updateRemainTime(qint64 nowMs);
    void slotClearCompleteTask();

private slots:
    void on_pushButton_Edit_clicked();
    void on_pushButton_Delete_clicked();
    void on_pushButton_KeepDisplay_clicked(bool checked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void buildForm() override;

private:
    void setCompleted(bool done);
    void initDisplay();
    // The name and due time editors exist only once the row has been edited: most rows never are, and
    // a date-time editor is among the costliest widgets to build.
    void createEditors();
    bool isEditing() const;
    void showCycleText();
    void showRemainSeconds(qint64 seconds);
    void setDueTime(const QDateTime &due);
    void updateDeadline();
    void fire(qint64 nowMs);
    void sendUpdate();
    static void sendDelete(int id);

    Ui::TaskWidgetItem *ui = nullptr;
    QLineEdit *lineEdit_TaskName = nullptr;
    QDateTimeEdit *dateTimeEdit = nullptr;
    TaskListData task;
    bool completed = false;
    // Due time in milliseconds, converted once instead of on every tick.
    qint64 dueMs = 0;
    qint64 shownSeconds = -1;
    static IconChooser iconChooser;
};
