// Cost of one search for the next lunar birthday: every lunar month and day, asked on every day of
// one year. Each call is timed three times and its fastest run kept, so that a preempted run does
// not pass for the worst case.
#include "data/interfacepublicdata.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int year = 2026;
    const int rounds = 3;

    std::vector<qint64> fastest;
    qint64 checksum = 0;
    for (int round = 0; round < rounds; ++round) {
        size_t call = 0;
        QElapsedTimer timer;
        for (QDate today(year, 1, 1); today.year() == year; today = today.addDays(1)) {
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= 30; ++day) {
                    bool leap = false;
                    timer.start();
                    const QDate next = interfacePublicData.nextLunarBirthday(month, day, leap, 0, today);
                    const qint64 nsecs = timer.nsecsElapsed();
                    checksum += next.toJulianDay() + leap;
                    if (round == 0)
                        fastest.push_back(nsecs);
                    else
                        fastest[call] = std::min(fastest[call], nsecs);
                    ++call;
                }
            }
        }
    }

    qint64 total = 0;
    for (const qint64 nsecs : fastest)
        total += nsecs;
    const qint64 worst = *std::max_element(fastest.begin(), fastest.end());
    std::printf("nextLunarBirthday_calls: %zu calls\n", fastest.size());
    std::printf("nextLunarBirthday_max: %.1f us\n", worst / 1000.0);
    std::printf("nextLunarBirthday_mean: %.2f us\n", double(total) / fastest.size() / 1000.0);
    // Keeps the searches from being optimised away.
    if (checksum == 0)
        std::printf("checksum: 0\n");
    return 0;
}
