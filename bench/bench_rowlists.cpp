// Task list speed: rebuilding 1,000 rows from a list answer, and the CPU the process uses while all of
// them count down.
#include "app/mainwindow.h"
#include "data/interfacepublicdata.h"
#include "tasks/tasktab.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int TaskCount = 1000;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// stepSeconds apart, the first one a minute ahead; cycles and keep flags mixed as a user's list would be.
QList<TaskListData> makeTasks(const QDateTime &now, int stepSeconds)
{
    QList<TaskListData> tasks;
    for (int i = 0; i < TaskCount; ++i) {
        TaskListData task;
        task.id = i;
        task.TaskName = QStringLiteral("任务 %1").arg(i);
        task.TaskTimeSee = QDateTime::fromSecsSinceEpoch(now.toSecsSinceEpoch() + 60 + qint64(i) * stepSeconds);
        task.IconPath = QStringLiteral("src/icon/task/default.png");
        task.NoticeCycle = i % 4;
        task.NormalNoticeKeepDisplay = i % 2;
        tasks.append(task);
    }
    return tasks;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Rebuild
{
    double wallMs;
    double cpuMs;
    bool operator<(const Rebuild &o) const { return wallMs < o.wallMs; }
};

// Until the list is laid out and painted and the old rows are gone. CPU time beside wall time: the
// machine is shared, and waiting for a core is not the program's cost.
Rebuild rebuild(MainWindow &window, const QList<TaskListData> &tasks)
{
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    window.findChild<TaskTab *>()->slotReceiveQueryData(TaskListSelect, QVariant::fromValue(tasks));
    settle();
    return {timer.nsecsElapsed() / 1e6, (processCpuSeconds() - cpuBefore) * 1000};
}

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
    QApplication app(argc, argv);
    registerRecordMetaTypes();
    // Arguments: idle seconds to measure (default 10), rebuilds to time (default 5).
    const int idleSeconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    const int rebuilds = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;

    // The window reads its settings relative to the program directory: give it an empty one.
    QTemporaryDir programDir;
    QDir::setCurrent(programDir.path());

    MainWindow window;
    window.resize(900, 640);
    window.show();
    settle();

    const QDateTime now = QDateTime::currentDateTime();
    // Spread over a week: most texts change once a minute or once an hour.
    const QList<TaskListData> spread = makeTasks(now, 600);
    // All within the hour: every row's text changes every second.
    const QList<TaskListData> dense = makeTasks(now, 1);

    // The first rebuild fills an empty list; the later ones also tear down the 1,000 rows before.
    QList<Rebuild> times;
    for (int i = 0; i < rebuilds; ++i)
        times.append(rebuild(window, spread));
    std::printf("rebuild_1000_rows_first_wall: %.1f ms\n", times.first().wallMs);
    std::printf("rebuild_1000_rows_first_cpu: %.1f ms\n", times.first().cpuMs);
    std::sort(times.begin(), times.end());
    std::printf("rebuild_1000_rows_median_wall: %.1f ms\n", times.at(times.size() / 2).wallMs);
    std::printf("rebuild_1000_rows_median_cpu: %.1f ms\n", times.at(times.size() / 2).cpuMs);
    std::printf("idle_cpu_1000_rows_spread: %.2f %%\n", idleCpuPercent(idleSeconds));

    rebuild(window, dense);
    std::printf("idle_cpu_1000_rows_every_second: %.2f %%\n", idleCpuPercent(idleSeconds));
    std::fflush(stdout);
    return 0;
}
