#pragma once

// Timing for the benchmarks: CPU time beside wall time, as the machine may be shared, and waiting for
// a core is not the program's cost.

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace BenchTiming {

inline double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing
{
    double wallMs;
    double cpuMs;
};

inline Timing timed(const std::function<void()> &work)
{
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e6, (processCpuSeconds() - cpuBefore) * 1000};
}

// Prints the first wall time and the medians; returns the medians.
inline Timing report(const QString &name, const QList<Timing> &times)
{
    std::printf("%s_first_wall: %.1f ms\n", qPrintable(name), times.first().wallMs);
    const auto median = [&times](double Timing::*field) {
        QList<double> values;
        for (const Timing &t : times)
            values.append(t.*field);
        std::sort(values.begin(), values.end());
        return values.at(values.size() / 2);
    };
    const Timing result{median(&Timing::wallMs), median(&Timing::cpuMs)};
    std::printf("%s_median_wall: %.1f ms\n", qPrintable(name), result.wallMs);
    std::printf("%s_median_cpu: %.1f ms\n", qPrintable(name), result.cpuMs);
    std::fflush(stdout);
    return result;
}

} // namespace BenchTiming
