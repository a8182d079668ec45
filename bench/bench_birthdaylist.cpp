// Time from the answer to a birthday list request with 500 stored birthdays until the Birthday tab's
// rows (and the editor's table, which answers to the same signal) are built, and until the tab has
// been laid out and painted. Runs on the offscreen platform unless another is chosen.
#include "app/mainwindow.h"
#include "data/interfacepublicdata.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const int Birthdays = 500;
const int Rounds = 5;

QList<BirthdayInfoData> storedBirthdays(const QDate &today)
{
    const QStringList names = {QStringLiteral("李"), QStringLiteral("王小明"), QStringLiteral("欧阳娜娜"),
                               QStringLiteral("Grandmother Zhang"), QStringLiteral("司马相如的朋友")};
    QList<BirthdayInfoData> list;
    for (int i = 0; i < Birthdays; ++i) {
        BirthdayInfoData b;
        b.id = i + 1;
        b.Name = names.at(i % names.size()) + QString::number(i);
        b.CallName = i % 3 == 0 ? QStringLiteral("阿%1").arg(i) : QString();
        b.Gender = i % 2 == 0;
        b.IsLunar = i % 2 == 1;
        b.RecentDate = today.addDays(i * 365 / Birthdays);
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

// CPU time of this thread: on a machine shared with other work the wall time overstates the cost.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void report(const char *name, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (const double value : ms)
        total += value;
    std::printf("%s_median: %.1f ms\n", name, ms.at(ms.size() / 2));
    std::printf("%s_max: %.1f ms\n", name, ms.back());
    std::printf("%s_mean: %.1f ms\n", name, total / ms.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerRecordMetaTypes();

    // The window reads and writes its settings below the current directory.
    QTemporaryDir programDir;
    QDir(programDir.path()).mkpath(QStringLiteral("src/config"));
    QDir::setCurrent(programDir.path());

    MainWindow window;
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    tabs->setCurrentWidget(window.findChild<QWidget *>(QStringLiteral("tab_Birthday")));
    window.show();
    app.processEvents();

    const QVariant answer = QVariant::fromValue(storedBirthdays(QDate::currentDate()));
    std::vector<double> built;
    std::vector<double> builtCpu;
    std::vector<double> shown;
    for (int round = 0; round < Rounds; ++round) {
        interfacePublicData.birthdayListUpToDate = false;
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect, answer);
        built.push_back(timer.nsecsElapsed() / 1e6);
        builtCpu.push_back(threadCpuMs() - cpuStart);
        app.processEvents();
        shown.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("birthdayList_rows: %d rows\n", Birthdays);
    report("birthdayList_built", built);
    report("birthdayList_built_cpu", builtCpu);
    report("birthdayList_shown", shown);
    return 0;
}
