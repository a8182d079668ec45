#include "tasks/taskwidgetitem.h"
#include "ui_taskwidgetitem.h"

#include "data/appglobals.h"
#include "data/interfacepublicdata.h"
#include "icons/iconlibrary.h"
#include "icons/iconmanage.h"
#include "models/tasktiming.h"
#include "tasks/imagebutton.h"
#include "widgets/labelmessagebox.h"
#include "widgets/textrule.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

TaskWidgetItem::IconChooser TaskWidgetItem::iconChooser;

namespace {
// The widest countdown text; every row gets the same size, measured once.
QSize remainLabelSize;
// The edit button fits both its texts; measured once, in the language shown.
int editButtonWidth = 0;

TaskListData taskOf(const QString &name, const QDateTime &due, int cycle, int id, bool noticed, bool keepDisplay,
                    const QString &iconPath)
{
    TaskListData task;
    task.id = id;
    task.TaskName = name;
    task.TaskTimeSee = due;
    task.IconPath = iconPath;
    task.NoticeCycle = cycle;
    task.Noticed = noticed ? 1 : 0;
    task.NormalNoticeKeepDisplay = keepDisplay ? 1 : 0;
    return task;
}
} // namespace

TaskWidgetItem::TaskWidgetItem(const QString &name, const QDateTime &due, int cycle, int id, bool noticed,
                               bool keepDisplay, const QString &iconPath, QWidget *parent)
    : QWidget(parent), ownRow(std::make_unique<TaskRow>(taskOf(name, due, cycle, id, noticed, keepDisplay, iconPath))),
      row(ownRow.get())
{
    buildForm();
    row->setWidget(this);
}

TaskWidgetItem::TaskWidgetItem(TaskRow &shown, QWidget *parent) : QWidget(parent), row(&shown)
{
    buildForm();
}

TaskWidgetItem::~TaskWidgetItem()
{
    if (row && row->widget() == this)
        row->setWidget(nullptr);
    delete ui;
}

void TaskWidgetItem::buildForm()
{
    ui = new Ui::TaskWidgetItem;
    ui->setupUi(this);

    const TaskListData &task = row->record();
    ui->label_TaskName->setText(task.TaskName);
    ui->pushButton_KeepDisplay->setChecked(task.NormalNoticeKeepDisplay != 0);
    ui->label_Icon->setPixmap(ImageButton::cachedPixmap(task.IconPath));
    ui->label_EditSpace->hide();
    if (editButtonWidth == 0) {
        const QString edit = ui->pushButton_Edit->text();
        for (const QString &text : {edit, tr("确认")}) {
            ui->pushButton_Edit->setText(text);
            editButtonWidth = qMax(editButtonWidth, ui->pushButton_Edit->sizeHint().width());
        }
        ui->pushButton_Edit->setText(edit);
    }
    ui->pushButton_Edit->setFixedWidth(editButtonWidth);
    ui->label_EditSpace->setFixedWidth(editButtonWidth);
    const bool completed = row->isCompleted();
    setCompleted(completed);
    if (completed) {
        ui->pushButton_Edit->hide();
        ui->label_EditSpace->show();
    }
    ui->label_Icon->installEventFilter(this);
    ui->label_TaskNoticeCycle->installEventFilter(this);
    // The picture buttons are named for screen readers.
    ui->pushButton_KeepDisplay->setToolTip(tr("提示窗一直停留"));
    ui->pushButton_KeepDisplay->setAccessibleName(tr("提示窗一直停留"));
    ui->pushButton_Delete->setAccessibleName(ui->pushButton_Delete->toolTip());
    initDisplay();
    const qint64 nowMs = QDateTime::currentMSecsSinceEpoch();
    const qint64 dueMs = task.TaskTimeSee.toMSecsSinceEpoch();
    if (task.TaskTimeSee.isValid() && dueMs >= nowMs)
        showRemainSeconds((dueMs - nowMs) / 1000);
}

void TaskWidgetItem::initDisplay()
{
    QLabel *tag = ui->label_TaskNoticeCycle;
    if (AppGlobals::cycleLabelWidth == 0) {
        QStringList texts = {tr("单次"), tr("每天"), tr("工作日")};
        for (int day = 1; day <= 7; ++day)
            texts.append(dayOfWeekText(day));
        // Translations name their longest weekday word here; untranslated, the entry is only a note.
        const char *longestWeekday = QT_TR_NOOP("星期几，这里翻译字符最长的那一个词用作计算宽度");
        if (tr(longestWeekday) != QString::fromUtf8(longestWeekday))
            texts.append(tr(longestWeekday));
        int widest = 0;
        for (const QString &text : qAsConst(texts)) {
            tag->setText(text);
            tag->adjustSize();
            widest = qMax(widest, tag->width());
        }
        AppGlobals::cycleLabelWidth = widest;
    }
    tag->setMinimumWidth(AppGlobals::cycleLabelWidth);
    showCycleText();

    // Fixed in both directions, so that a new countdown text repaints the label without laying out
    // the row again.
    QLabel *time = ui->label_Time;
    if (!remainLabelSize.isValid()) {
        // The widest countdown of each form, in the language shown.
        const QString previous = time->text();
        QSize widest;
        for (const qint64 seconds : {qint64(8640000), qint64(8639999), qint64(86399), qint64(3599), qint64(60)}) {
            time->setText(remainTimeText(seconds));
            time->adjustSize();
            widest = widest.expandedTo(time->size());
        }
        remainLabelSize = widest;
        time->setText(previous);
    }
    time->setFixedSize(remainLabelSize);
}

void TaskWidgetItem::showCycleText()
{
    const TaskListData &task = row->record();
    switch (task.NoticeCycle) {
    case CycleOnce:
        ui->label_TaskNoticeCycle->setText(tr("单次"));
        break;
    case CycleDaily:
        ui->label_TaskNoticeCycle->setText(tr("每天"));
        break;
    case CycleWorkday:
        ui->label_TaskNoticeCycle->setText(tr("工作日"));
        break;
    case CycleWeekly:
        ui->label_TaskNoticeCycle->setText(dayOfWeekText(task.TaskTimeSee.date().dayOfWeek()));
        break;
    default:
        break;
    }
}

QString TaskWidgetItem::dayOfWeekText(int day)
{
    static const char *const names[] = {QT_TR_NOOP("星期一"), QT_TR_NOOP("星期二"), QT_TR_NOOP("星期三"),
                                        QT_TR_NOOP("星期四"), QT_TR_NOOP("星期五"), QT_TR_NOOP("星期六"),
                                        QT_TR_NOOP("星期天")};
    if (day < 1 || day > 7)
        return QString();
    return tr(names[day - 1]);
}

QString TaskWidgetItem::remainTimeText(qint64 seconds)
{
    // Padded with figure spaces, as wide as a digit: the numbers and units line up from row to row.
    const QChar space(0x2007);
    const QChar zero(QLatin1Char('0'));
    if (seconds > 8639999)
        return tr("超过 99 天");
    if (seconds >= 86400)
        return tr("%1 天 %2 小时").arg(seconds / 86400, 2, 10, space).arg(seconds % 86400 / 3600, 2, 10, zero);
    if (seconds >= 3600)
        return tr("%1 小时 %2 分").arg(seconds / 3600, 2, 10, space).arg(seconds % 3600 / 60, 2, 10, zero);
    if (seconds >= 61)
        return tr("%1 分 %2 秒").arg(seconds / 60, 2, 10, space).arg(seconds % 60, 2, 10, zero);
    return tr("%1 秒").arg(seconds, 5, 10, space);
}

QString TaskWidgetItem::chooseTaskIcon(QWidget *parent)
{
    if (iconChooser)
        return iconChooser(parent);
    IconManage *library = IconManage::instance();
    return library ? library->selectIcon(IconLibrary::KindTask) : QString();
}

void TaskWidgetItem::setIconChooser(IconChooser chooser)
{
    iconChooser = std::move(chooser);
}

void TaskWidgetItem::setCompleted(bool done)
{
    ui->pushButton_KeepDisplay->setVisible(!done);
    ui->label_KeepDisplay->setVisible(done);
    ui->label_DoneTime->setVisible(done);
    // Only completed rows show it; formatting a local time for every pending row would be wasted.
    if (done)
        ui->label_DoneTime->setText(row->record().TaskTimeSee.toString(StoredFormat::DateTime));
    const Qt::CursorShape shape = done ? Qt::ArrowCursor : Qt::PointingHandCursor;
    ui->label_Icon->setCursor(shape);
    ui->label_TaskNoticeCycle->setCursor(shape);
}

void TaskWidgetItem::slotUpdateRemainTime()
{
    updateRemainTime(QDateTime::currentMSecsSinceEpoch());
}

void TaskWidgetItem::updateRemainTime(qint64 nowMs)
{
    if (row)
        row->tick(nowMs);
}

void TaskWidgetItem::showRemainSeconds(qint64 seconds)
{
    // Most ticks change nothing visible; the label is touched only when its text changes.
    if (seconds == shownSeconds)
        return;
    shownSeconds = seconds;
    ui->label_Time->setText(remainTimeText(seconds));
}

void TaskWidgetItem::showFired()
{
    if (isEditing()) {
        // A due task ends its edit; nothing of the edit is kept.
        ui->label_TaskName->show();
        lineEdit_TaskName->hide();
        dateTimeEdit->hide();
        ui->pushButton_Edit->setText(tr("编辑"));
    }
    ui->label_Time->setText(tr("时间到"));
    ui->pushButton_Edit->hide();
    ui->label_EditSpace->show();
    shownSeconds = -1;
    setCompleted(true);
}

void TaskWidgetItem::createEditors()
{
    if (dateTimeEdit)
        return;
    const TaskListData &task = row->record();
    lineEdit_TaskName = new QLineEdit(task.TaskName, ui->widget);
    lineEdit_TaskName->setObjectName(QStringLiteral("lineEdit_TaskName"));
    TextRule::apply(lineEdit_TaskName, FieldLength::Name);
    QSizePolicy expanding(QSizePolicy::Expanding, QSizePolicy::Fixed);
    expanding.setHorizontalStretch(1);
    lineEdit_TaskName->setSizePolicy(expanding);
    dateTimeEdit = new QDateTimeEdit(task.TaskTimeSee, ui->widget);
    dateTimeEdit->setObjectName(QStringLiteral("dateTimeEdit"));
    dateTimeEdit->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    dateTimeEdit->setCalendarPopup(true);
    // Right after the name label, where the form leaves their place.
    const int at = ui->horizontalLayout->indexOf(ui->label_TaskName) + 1;
    ui->horizontalLayout->insertWidget(at, lineEdit_TaskName, 1);
    ui->horizontalLayout->insertWidget(at + 1, dateTimeEdit);
}

bool TaskWidgetItem::isEditing() const
{
    return dateTimeEdit && !dateTimeEdit->isHidden();
}

void TaskWidgetItem::on_pushButton_Edit_clicked()
{
    if (!isEditing()) {
        createEditors();
        ui->label_TaskName->hide();
        dateTimeEdit->show();
        lineEdit_TaskName->show();
        dateTimeEdit->setDateTime(row->record().TaskTimeSee);
        ui->pushButton_Edit->setText(tr("确认"));
        return;
    }
    ui->pushButton_Edit->setText(tr("编辑"));
    dateTimeEdit->hide();
    lineEdit_TaskName->hide();
    ui->label_TaskName->show();
    ui->label_TaskName->setText(lineEdit_TaskName->text());
    shownSeconds = -1;
    row->confirmEdit(lineEdit_TaskName->text(), dateTimeEdit->dateTime());
    showCycleText();
    setCompleted(false);
}

void TaskWidgetItem::on_pushButton_Delete_clicked()
{
    // Asked for by id: the task goes even if a reload replaces this row while the question is open.
    const TaskListData task = row->record();
    if (LabelMessageBox::confirm(window(), tr("确认删除？"), tr("删除任务“%1”？").arg(task.TaskName), task.IconPath))
        emit interfacePublicData.SIGNALSendQuery(TaskListDelete, QVariant::fromValue(QList<int>{task.id}));
}

void TaskWidgetItem::on_pushButton_KeepDisplay_clicked(bool checked)
{
    row->setKeepDisplay(checked);
}

bool TaskWidgetItem::eventFilter(QObject *watched, QEvent *event)
{
    if (!row || row->isCompleted() || event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);

    if (watched == ui->label_Icon) {
        // The library is modal: a reload while it is open replaces this row, so the dialog must not be
        // its child, and a replaced row must neither be touched once it is gone nor store its old task.
        QPointer<TaskWidgetItem> alive(this);
        const QString path = chooseTaskIcon(window());
        if (alive && row && row->isUpdating() && !path.isEmpty()) {
            row->setIconPath(path);
            ui->label_Icon->setPixmap(ImageButton::cachedPixmap(path));
        }
        return true;
    }
    if (watched == ui->label_TaskNoticeCycle) {
        row->rotateCycle();
        showCycleText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TaskWidgetItem::paintEvent(QPaintEvent *)
{
    // The line under each row, painted here rather than by a style sheet on every row; filled, as the raster
    // engine draws a line at many times the cost of filling its pixels.
    QPainter(this).fillRect(0, height() - 1, width(), 1, QColor(0xf0, 0xf0, 0xf0));
}
