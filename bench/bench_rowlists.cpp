// List speed, in one run so that the figures compare: rebuilding 1,000 task rows and 500 birthday rows
// from a list answer, and the CPU the process uses while the task rows count down on screen.
#include "app/mainwindow.h"
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
#include <sys/resource.h>

namespace {

constexpr int TaskCount = 1000;
constexpr int BirthdayCount = 500;

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

// Spread over a year, lunar and solar, with and without call names and birth years.
QList<BirthdayInfoData> makeBirthdays(const QDate &today)
{
    const QStringList names = {QStringLiteral("李"), QStringLiteral("王小明"), QStringLiteral("欧阳娜娜"),
                               QStringLiteral("Grandmother Zhang"), QStringLiteral("司马相如的朋友")};
    QList<BirthdayInfoData> list;
    for (int i = 0; i < BirthdayCount; ++i) {
        BirthdayInfoData b;
        b.id = i + 1;
        b.Name = names.at(i % names.size()) + QString::number(i);
        b.CallName = i % 3 == 0 ? QStringLiteral("阿%1").arg(i) : QString();
        b.Gender = i % 2 == 0;
        b.IsLunar = i % 2 == 1;
        b.RecentDate = today.addDays(i * 365 / BirthdayCount);
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

struct Rebuild
{
    double wallMs;
    double cpuMs;
};

// Until the list is laid out and painted and the old rows are gone. CPU time beside wall time: the
// machine is shared, and waiting for a core is not the program's cost.
Rebuild timed(const std::function<void()> &rebuild)
{
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    rebuild();
    settle();
    return {timer.nsecsElapsed() / 1e6, (processCpuSeconds() - cpuBefore) * 1000};
}

// The first rebuild fills an empty list; the later ones also tear down the rows before. Returns the medians.
Rebuild report(const char *name, QList<Rebuild> times)
{
    std::printf("%s_first_wall: %.1f ms\n", name, times.first().wallMs);
    const auto median = [&times](double Rebuild::*field) {
        QList<double> values;
        for (const Rebuild &r : times)
            values.append(r.*field);
        std::sort(values.begin(), values.end());
        return values.at(values.size() / 2);
    };
    const Rebuild result{median(&Rebuild::wallMs), median(&Rebuild::cpuMs)};
    std::printf("%s_median_wall: %.1f ms\n", name, result.wallMs);
    std::printf("%s_median_cpu: %.1f ms\n", name, result.cpuMs);
    return result;
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerRecordMetaTypes();
    // Arguments: idle seconds to measure (default 10), rebuilds to time (default 5).
    const int idleSeconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    const int rebuilds = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;

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
    // Spread over a week: most texts change once a minute or once an hour.
    const QVariant spread = QVariant::fromValue(makeTasks(now, 600));
    const QVariant birthdays = QVariant::fromValue(makeBirthdays(now.date()));

    // Each list on its own tab, shown, as the user sees it rebuilt.
    QList<Rebuild> taskTimes, birthdayTimes;
    tabs->setCurrentWidget(taskTab);
    for (int i = 0; i < rebuilds; ++i)
        taskTimes.append(timed([&]() { taskTab->slotReceiveQueryData(TaskListSelect, spread); }));
    tabs->setCurrentWidget(birthdayTab);
    const QList<BirthdayInfoData> birthdayList = birthdays.value<QList<BirthdayInfoData>>();
    for (int i = 0; i < rebuilds; ++i)
        birthdayTimes.append(timed([&]() { birthdayTab->rebuildBirthdayList(birthdayList); }));
    const Rebuild tasks = report("rebuild_1000_task_rows", taskTimes);
    const Rebuild rows = report("rebuild_500_birthday_rows", birthdayTimes);
    std::printf("birthday_500_to_task_1000_ratio_cpu: %.2f x\n", rows.cpuMs / tasks.cpuMs);
    std::printf("birthday_500_to_task_1000_ratio_wall: %.2f x\n", rows.wallMs / tasks.wallMs);

    tabs->setCurrentWidget(taskTab);
    std::printf("idle_cpu_1000_rows_spread: %.2f %%\n", idleCpuPercent(idleSeconds));
    // All within the hour: every row's text changes every second.
    taskTab->slotReceiveQueryData(TaskListSelect, QVariant::fromValue(makeTasks(now, 1)));
    std::printf("idle_cpu_1000_rows_every_second: %.2f %%\n", idleCpuPercent(idleSeconds));
    std::fflush(stdout);
    return 0;
}
