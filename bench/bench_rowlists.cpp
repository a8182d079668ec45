// List speed, in one run so that the figures compare: rebuilding the task rows and the birthday rows
// from a list answer, and the CPU the process uses while the task rows count down on screen.
// Arguments: the task and birthday counts (default 1,000 and 500), then --idle-seconds (default 10) and
// --rebuilds (default 5).
#include "app/mainwindow.h"
#include "benchseed.h"
#include "benchtiming.h"
#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdaytab.h"
#include "data/interfacepublicdata.h"
#include "tasks/tasktab.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

using BenchTiming::processCpuSeconds;
using Rebuild = BenchTiming::Timing;

// stepSeconds apart, the first one a minute ahead; cycles and keep flags mixed as a user's list would be.
// Ids from firstId on: lists with other ids share no row.
QList<TaskListData> makeTasks(int count, const QDateTime &now, int stepSeconds, int firstId = 0)
{
    QList<TaskListData> tasks;
    for (int i = 0; i < count; ++i) {
        TaskListData task;
        task.id = firstId + i;
        task.TaskName = QStringLiteral("任务 %1").arg(i);
        task.TaskTimeSee = QDateTime::fromSecsSinceEpoch(now.toSecsSinceEpoch() + 60 + qint64(i) * stepSeconds);
        task.IconPath = QStringLiteral("src/icon/task/default.png");
        task.NoticeCycle = i % 4;
        task.NormalNoticeKeepDisplay = i % 2;
        tasks.append(task);
    }
    return tasks;
}

// Spread over a year, lunar and solar, with and without call names and birth years.
QList<BirthdayInfoData> makeBirthdays(int count, const QDate &today, int firstId = 1)
{
    const QStringList names = {QStringLiteral("李"), QStringLiteral("王小明"), QStringLiteral("欧阳娜娜"),
                               QStringLiteral("Grandmother Zhang"), QStringLiteral("司马相如的朋友")};
    QList<BirthdayInfoData> list;
    for (int i = 0; i < count; ++i) {
        BirthdayInfoData b;
        b.id = firstId + i;
        b.Name = names.at(i % names.size()) + QString::number(i);
        b.CallName = i % 3 == 0 ? QStringLiteral("阿%1").arg(i) : QString();
        b.Gender = i % 2 == 0;
        b.IsLunar = i % 2 == 1;
        b.RecentDate = today.addDays(i * 365 / count);
        b.SolarDate = QDate(1950 + i % 60, b.RecentDate.month(), std::min(b.RecentDate.day(), 28));
        b.LunarYear = 1950 + i % 60;
        b.LunarMonth = 1 + i % 12;
        b.LunarDay = 1 + i % 30;
        b.IgnoreSolarYear = b.IgnoreLunarYear = i % 7 == 0;
        b.IconPath = QStringLiteral("src/icon/birthday/default.png");
        b.Notice1 = b.Notice3 = b.Notice7 = true;
        list.append(b);
    }
    return list;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Until the list is laid out and painted and the old rows are gone.
Rebuild timed(const std::function<void()> &rebuild)
{
    return BenchTiming::timed([&rebuild]() {
        rebuild();
        settle();
    });
}

// The first rebuild fills an empty list; the later ones also tear down the rows before.
using BenchTiming::report;

double idleCpuPercent(int seconds)
{
    settle();
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * (processCpuSeconds() - cpuBefore) / (wall.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerRecordMetaTypes();
    const BenchSeed::Arguments arguments(argc, argv);
    const int idleSeconds = arguments.option("idle-seconds", 10);
    const int rebuilds = qMax(1, arguments.option("rebuilds", 5));
    const int taskCount = arguments.tasks;
    const int birthdayCount = arguments.birthdays;

    // The window reads its settings relative to the program directory: give it an empty one.
    QTemporaryDir programDir;
    QDir(programDir.path()).mkpath(QStringLiteral("src/config"));
    QDir::setCurrent(programDir.path());

    MainWindow window;
    window.resize(900, 640);
    window.show();
    settle();
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    auto *taskTab = window.findChild<TaskTab *>();
    auto *birthdayTab = window.findChild<BirthdayTab *>();

    const QDateTime now = QDateTime::currentDateTime();
    // Spread over a week (or more): most texts change once a minute or once an hour. Every rebuild gets the
    // other of two lists that share no row, so that every row is replaced.
    const QVariant spread[] = {QVariant::fromValue(makeTasks(taskCount, now, 600)),
                               QVariant::fromValue(makeTasks(taskCount, now, 600, taskCount))};
    const QVariant birthdays[] = {QVariant::fromValue(makeBirthdays(birthdayCount, now.date())),
                                  QVariant::fromValue(makeBirthdays(birthdayCount, now.date(), birthdayCount + 1))};

    // Each list on its own tab, shown, as the user sees it rebuilt.
    QList<Rebuild> taskTimes, birthdayTimes, reloadTimes;
    tabs->setCurrentWidget(taskTab);
    for (int i = 0; i < rebuilds; ++i)
        taskTimes.append(timed([&]() { taskTab->slotReceiveQueryData(TaskListSelect, spread[i % 2]); }));
    // The same list again, as after a change stored elsewhere.
    for (int i = 0; i < rebuilds; ++i)
        reloadTimes.append(timed([&]() { taskTab->slotReceiveQueryData(TaskListSelect, spread[(rebuilds - 1) % 2]); }));
    tabs->setCurrentWidget(birthdayTab);
    for (int i = 0; i < rebuilds; ++i) {
        const QList<BirthdayInfoData> list = birthdays[i % 2].value<QList<BirthdayInfoData>>();
        birthdayTimes.append(timed([&]() { birthdayTab->rebuildBirthdayList(list); }));
    }
    // The editor reads the list when it opens after a change: here the answer comes from the event loop,
    // as the worker's would.
    int answered = 0;
    QObject::connect(
        &interfacePublicData, &InterfacePublicData::SIGNALSendRequest, &app,
        [&](quint64 id, SqlOperateType operate) {
            if (operate == BirthdayInfoSelect)
                emit interfacePublicData.SIGNALReceiveAnswer(id, operate, birthdays[answered++ % 2]);
        },
        Qt::QueuedConnection);
    auto *editor = window.findChild<BirthdayConfig *>();
    QList<Rebuild> editorTimes;
    for (int i = 0; i < rebuilds; ++i) {
        editor->slotReceiveQueryData(BirthdayInfoDelete, QVariant());
        editorTimes.append(timed([editor]() { editor->show(); }));
        editor->hide();
    }
    const Rebuild tasks = report(QStringLiteral("rebuild_%1_task_rows").arg(taskCount), taskTimes);
    report(QStringLiteral("reload_%1_unchanged_task_rows").arg(taskCount), reloadTimes);
    const Rebuild rows = report(QStringLiteral("rebuild_%1_birthday_rows").arg(birthdayCount), birthdayTimes);
    report(QStringLiteral("open_editor_%1_birthdays").arg(birthdayCount), editorTimes);
    std::printf("birthday_%d_to_task_%d_ratio_cpu: %.2f x\n", birthdayCount, taskCount, rows.cpuMs / tasks.cpuMs);
    std::printf("birthday_%d_to_task_%d_ratio_wall: %.2f x\n", birthdayCount, taskCount, rows.wallMs / tasks.wallMs);
    if (idleSeconds <= 0)
        return 0;

    tabs->setCurrentWidget(taskTab);
    std::printf("idle_cpu_%d_rows_spread: %.2f %%\n", taskCount, idleCpuPercent(idleSeconds));
    // All within the hour: every row's text changes every second.
    taskTab->slotReceiveQueryData(TaskListSelect, QVariant::fromValue(makeTasks(taskCount, now, 1)));
    std::printf("idle_cpu_%d_rows_every_second: %.2f %%\n", taskCount, idleCpuPercent(idleSeconds));
    std::fflush(stdout);
    return 0;
}
