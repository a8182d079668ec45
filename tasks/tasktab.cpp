#include "tasks/tasktab.h"
#include "ui_tasktab.h"

#include "data/configsettings.h"
#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"
#include "tasks/imagebutton.h"
#include "tasks/taskrow.h"
#include "tasks/taskwidgetitem.h"
#include "widgets/labelmessagebox.h"
#include "widgets/lazyrowlist.h"
#include "widgets/textrule.h"

#include <QKeyEvent>
#include <QLineEdit>

TaskTab::TaskTab(QWidget *parent) : QWidget(parent), ui(new Ui::TaskTab)
{
    ui->setupUi(this);
    taskIconPath = QString::fromLatin1(TaskWidgetItem::DefaultIconPath);
    ui->label_TaskIcon->setPixmap(ImageButton::cachedPixmap(taskIconPath));
    ui->label_TaskIcon->installEventFilter(this);
    taskRows = new LazyRowList(ui->listWidget_Task);
    ui->comboBox_TaskName->addItems(ConfigSettings().defaultTaskNames());
    // A prompt, not a name: typing replaces it and an untouched field adds a task without a name.
    ui->comboBox_TaskName->setCurrentIndex(-1);
    ui->comboBox_TaskName->lineEdit()->setPlaceholderText(tr("请填写任务名称"));
    TextRule::apply(ui->comboBox_TaskName->lineEdit(), FieldLength::Name);
    ui->dateTimeEdit_Set->setMinimumWidth(ui->dateTimeEdit_Set->sizeHint().width() + 30);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, this, &TaskTab::slotReceiveQueryData,
            Qt::UniqueConnection);
    // Every completed row deletes its task.
    connect(&interfacePublicData, &InterfacePublicData::SIGNALClearCompleteTask, this, [this]() {
        for (TaskRow *row : taskRows->rows<TaskRow>())
            row->slotClearCompleteTask();
    });
}

TaskTab::~TaskTab()
{
    delete ui;
}

void TaskTab::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case TaskListDelete:
    case TaskListInsert:
        emit interfacePublicData.SIGNALSendQuery(TaskListSelect, QVariant());
        break;
    case TaskListSelect:
        rebuildTaskList(var.value<QList<TaskListData>>());
        break;
    default:
        break;
    }
}

namespace {
bool isActivationKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

bool TaskTab::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the icon of the next task, or Space or Enter on it, picks another one.
    if (watched == ui->label_TaskIcon && (event->type() == QEvent::MouseButtonPress || isActivationKey(event))) {
        chooseNewTaskIcon();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TaskTab::chooseNewTaskIcon()
{
    const QString path = TaskWidgetItem::chooseTaskIcon(window());
    taskIconPath = path.isEmpty() ? QString::fromLatin1(TaskWidgetItem::DefaultIconPath) : path;
    ui->label_TaskIcon->setPixmap(ImageButton::cachedPixmap(taskIconPath));
}

void TaskTab::on_comboBox_TaskNoticeCycle_currentIndexChanged(int index)
{
    currentCycleIndex = index;
    const bool weekly = index == CycleWeekly;
    ui->comboBox_TaskDayOfWeek->setVisible(weekly);
    ui->radioButton_RemainTime->setChecked(true);
    ui->radioButton_RemainTime->setVisible(!weekly);
    ui->radioButton_TargetTime->setVisible(!weekly);
    ui->timeEdit_Set->show();
    ui->dateTimeEdit_Set->hide();
}

void TaskTab::on_radioButton_TargetTime_toggled(bool checked)
{
    ui->dateTimeEdit_Set->setVisible(checked);
    ui->timeEdit_Set->setVisible(!checked);
    if (checked)
        ui->dateTimeEdit_Set->setDateTime(QDateTime::currentDateTime());
}

void TaskTab::on_pushButton_AddTask_clicked()
{
    const TaskTiming::TimeMode mode =
        ui->radioButton_TargetTime->isChecked() ? TaskTiming::TargetTimeMode : TaskTiming::RemainTimeMode;
    TaskListData task;
    task.id = -1;
    task.TaskName = ui->comboBox_TaskName->currentText();
    task.TaskTimeSee =
        TaskTiming::firstNoticeTime(mode, currentCycleIndex, ui->timeEdit_Set->time(), ui->dateTimeEdit_Set->dateTime(),
                                    ui->comboBox_TaskDayOfWeek->currentIndex(), QDateTime::currentDateTime(),
                                    interfacePublicData.workdayExceptions);
    task.IconPath = taskIconPath;
    task.NoticeCycle = currentCycleIndex;
    task.Noticed = 0;
    task.Deleted = 0;
    task.NormalNoticeKeepDisplay = ui->pushButton_NormalNoticeKeepDisplay->isChecked() ? 1 : 0;
    emit interfacePublicData.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(task));
}

void TaskTab::on_pushButton_ClearCompleteTask_clicked()
{
    int completed = 0;
    for (const TaskRow *row : taskRows->rows<TaskRow>())
        completed += row->isCompleted() ? 1 : 0;
    if (LabelMessageBox::confirmDeletion(this, completed, tr("没有已完成的任务"),
                                         tr("删除 %n 个已完成的任务？", nullptr, completed)))
        emit interfacePublicData.SIGNALClearCompleteTask();
}

void TaskTab::rebuildTaskList(const QList<TaskListData> &tasks)
{
    // A row that shows its stored task as it is stays, with its widget and an edit in progress.
    taskRows->setRows(
        tasks.size(), [&tasks](int i) { return tasks.at(i).id; },
        [&tasks](int i, LazyRow *current) -> LazyRow * {
            auto *row = static_cast<TaskRow *>(current);
            return row && row->record() == tasks.at(i) ? row : new TaskRow(tasks.at(i));
        });
}
