// How soon a long task list follows a change: a task added, a task edited, a task firing, each from the
// click (or the due moment) until the list shows the change, painted, through a worker with every
// store. The worker runs on this thread, so that the CPU time covers the storage and the reload too.
// Arguments: the task count (default 1,000), then --repeats (default 5).
#include "benchseed.h"
#include "benchtiming.h"
#include "common/hubworker.h"
#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"
#include "tasks/tasktab.h"
#include "tasks/taskwidgetitem.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdio>

namespace {

// Until the list holds count rows, then until nothing is left to do.
void waitForRows(QListWidget *list, int count)
{
    QElapsedTimer timer;
    timer.start();
    while (list->count() != count && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The widget of a pending row in view, of the given cycle.
TaskWidgetItem *rowInView(QListWidget *list, int cycle)
{
    const QRect area = list->viewport()->rect();
    for (TaskWidgetItem *row :
         list->viewport()->findChildren<TaskWidgetItem *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (row->isVisible() && row->geometry().intersects(area) && !row->isCompleted() &&
            row->record().NoticeCycle == cycle && row->findChild<QPushButton *>(QStringLiteral("pushButton_Edit")))
            return row;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerRecordMetaTypes();
    BenchSeed::Arguments arguments(argc, argv);
    const int repeats = qMax(1, arguments.option("repeats", 5));
    arguments.birthdays = 0;
    arguments.accounts = 0;

    TestProgramDir dir;
    if (!dir.isValid() || !BenchSeed::seed(dir, arguments)) {
        std::fprintf(stderr, "cannot seed the database\n");
        return 1;
    }
    HubWorker worker;
    // The part of the GUI thread: from the list's arrival until the tab has shown it, not counting the paint.
    QList<BenchTiming::Timing> shownAnswers;
    double answerCpu = 0;
    QElapsedTimer answerWall;
    const auto answerFrom = [&](SqlOperateType, const QVariant &) {
        answerCpu = BenchTiming::processCpuSeconds();
        answerWall.start();
    };
    const auto answerUntil = [&](SqlOperateType operate, const QVariant &) {
        if (operate == TaskListSelect)
            shownAnswers.append(
                {answerWall.nsecsElapsed() / 1e6, (BenchTiming::processCpuSeconds() - answerCpu) * 1000});
    };
    QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, answerFrom);
    TaskTab tab;
    QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData, answerUntil);
    tab.resize(900, 640);
    tab.show();
    auto *list = tab.findChild<QListWidget *>(QStringLiteral("listWidget_Task"));
    emit interfacePublicData.SIGNALSendQuery(TaskListSelect, QVariant());
    waitForRows(list, arguments.tasks);

    QList<BenchTiming::Timing> added, edited, fired;
    tab.findChild<QComboBox *>(QStringLiteral("comboBox_TaskName"))->setEditText(QStringLiteral("新任务"));
    auto *add = tab.findChild<QPushButton *>(QStringLiteral("pushButton_AddTask"));
    for (int i = 0; i < repeats; ++i) {
        const int count = list->count();
        added.append(BenchTiming::timed([&]() {
            QTest::mouseClick(add, Qt::LeftButton);
            waitForRows(list, count + 1);
        }));
    }
    for (int i = 0; i < repeats; ++i) {
        TaskWidgetItem *rowWidget = rowInView(list, CycleOnce);
        if (!rowWidget)
            break;
        auto *edit = rowWidget->findChild<QPushButton *>(QStringLiteral("pushButton_Edit"));
        QTest::mouseClick(edit, Qt::LeftButton);
        rowWidget->findChild<QLineEdit *>(QStringLiteral("lineEdit_TaskName"))->setText(QStringLiteral("改过"));
        auto *due = rowWidget->findChild<QDateTimeEdit *>(QStringLiteral("dateTimeEdit"));
        due->setDateTime(due->dateTime().addSecs(60));
        edited.append(BenchTiming::timed([&]() {
            QTest::mouseClick(edit, Qt::LeftButton);
            waitForRows(list, list->count());
        }));
    }
    for (int i = 0; i < repeats; ++i) {
        TaskWidgetItem *row = rowInView(list, CycleDaily);
        if (!row)
            break;
        const int count = list->count();
        const qint64 dueMs = row->record().TaskTimeSee.toMSecsSinceEpoch();
        // The moment the tick finds it due: it is marked noticed and its successor added.
        fired.append(BenchTiming::timed([&]() {
            row->updateRemainTime(dueMs + 1000);
            waitForRows(list, count + 1);
        }));
    }
    const QString size = QString::number(arguments.tasks);
    // The first answer filled the list.
    shownAnswers.removeFirst();
    BenchTiming::report(QStringLiteral("list_follows_answer_%1_rows").arg(size), shownAnswers);
    BenchTiming::report(QStringLiteral("add_task_%1_rows").arg(size), added);
    if (!edited.isEmpty())
        BenchTiming::report(QStringLiteral("edit_task_%1_rows").arg(size), edited);
    if (!fired.isEmpty())
        BenchTiming::report(QStringLiteral("fire_task_%1_rows").arg(size), fired);
    return 0;
}
