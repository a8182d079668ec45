// The real program at rest on the data of a heavy user (by default 1,000 tasks, 500 birthdays, 10,000
// accounts), started for the tray with -tray (minimized where the display has no tray): how often its
// threads wake (voluntary context switches, summed over all of them) and how much CPU it takes. Needs an
// X display: PEMMORA_BENCH_DISPLAY, else DISPLAY.
// Arguments: the data sizes (tasks, birthdays, accounts), then --seconds to measure (default 30) and
// --settle, the seconds to let the program settle first (default 15).
#include "benchseed.h"
#include "common/programcopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Sample
{
    QMap<QString, qint64> wakesByThread; // voluntary context switches, by thread name
    qint64 cpuTicks = 0;                 // utime + stime of the process
    QMap<QString, qint64> cpuNsByThread; // time on a CPU by thread id, from the scheduler's statistics
};

Sample sample(qint64 pid)
{
    Sample s;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    const QList<QByteArray> stat = readFile(proc + QStringLiteral("/stat")).split(')').value(1).split(' ');
    // After "pid (comm)": fields 3 … ; utime and stime are fields 14 and 15.
    s.cpuTicks = stat.value(12).toLongLong() + stat.value(13).toLongLong();
    for (const QString &tid : QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString task = proc + QStringLiteral("/task/") + tid;
        const QString name = QString::fromUtf8(readFile(task + QStringLiteral("/comm")).trimmed());
        for (const QByteArray &line : readFile(task + QStringLiteral("/status")).split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:"))
                s.wakesByThread[name] += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
        s.cpuNsByThread[tid] = readFile(task + QStringLiteral("/schedstat")).split(' ').value(0).toLongLong();
    }
    return s;
}

void wait(int seconds)
{
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const BenchSeed::Arguments arguments(argc, argv);
    const int seconds = qMax(1, arguments.option("seconds", 30));
    const int settle = arguments.option("settle", 15);
    QByteArray display = qgetenv("PEMMORA_BENCH_DISPLAY");
    if (display.isEmpty())
        display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        std::printf("idle_in_tray: skipped, no X display (set PEMMORA_BENCH_DISPLAY)\n");
        return 0;
    }

    TestProgramDir dir;
    if (!dir.isValid() || !BenchSeed::seed(dir, arguments)) {
        std::fprintf(stderr, "cannot seed the database\n");
        return 1;
    }
    ProgramCopy program(dir, QStringLiteral(PEMMORA_PROGRAM));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.process.setProcessEnvironment(environment);
    program.start({QStringLiteral("-tray")});
    if (!program.process.waitForStarted()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    wait(settle);
    if (program.process.state() != QProcess::Running) {
        std::fprintf(stderr, "the program ended: %s\n", program.process.readAll().constData());
        return 1;
    }
    const qint64 pid = program.process.processId();
    const Sample before = sample(pid);
    wait(seconds);
    const Sample after = sample(pid);

    qint64 wakes = 0;
    for (auto it = after.wakesByThread.cbegin(); it != after.wakesByThread.cend(); ++it) {
        const qint64 n = it.value() - before.wakesByThread.value(it.key());
        wakes += n;
        std::printf("idle_in_tray_wakeups_thread_%s: %.2f /s\n", qPrintable(QString(it.key()).replace(' ', '_')),
                    double(n) / seconds);
    }
    // Threads that came or went meanwhile count from zero or not at all.
    qint64 cpuNs = 0;
    for (auto it = after.cpuNsByThread.cbegin(); it != after.cpuNsByThread.cend(); ++it)
        cpuNs += it.value() - before.cpuNsByThread.value(it.key());
    std::printf("idle_in_tray_wakeups: %.2f /s\n", double(wakes) / seconds);
    std::printf("idle_in_tray_cpu: %.3f %%\n",
                100.0 * double(after.cpuTicks - before.cpuTicks) / sysconf(_SC_CLK_TCK) / seconds);
    std::printf("idle_in_tray_cpu_schedstat: %.4f %%\n", 100.0 * double(cpuNs) / 1e9 / seconds);
    return 0;
}
