#pragma once

// The stored data of a heavy user, for the benchmarks that start the whole program: by default 1,000
// pending tasks, 500 birthdays and 10,000 accounts. Nothing falls due for a while, so that the program settles.

#include "common/testprogramdir.h"
#include "common/vaultseed.h"

#include <QStringList>

namespace BenchSeed {

// The benchmarks' arguments: the sizes of the data first (tasks, birthdays, accounts; each may be left
// out from the end), then named options ("--seconds 10"). Every benchmark takes the same arguments, so
// that scripts/bench.sh can pass them to all; each reads the options it knows.
struct Arguments
{
    int tasks = 1000;
    int birthdays = 500;
    int accounts = 10000;
    QStringList options;

    Arguments(int argc, char **argv)
    {
        QList<int *> sizes = {&tasks, &birthdays, &accounts};
        for (int i = 1; i < argc; ++i) {
            const QString arg = QString::fromLocal8Bit(argv[i]);
            if (arg.startsWith(QLatin1String("--")) || !options.isEmpty())
                options.append(arg);
            else if (!sizes.isEmpty())
                *sizes.takeFirst() = qMax(0, arg.toInt());
        }
    }
    int option(const char *name, int fallback) const
    {
        const int at = options.indexOf(QLatin1String("--") + QLatin1String(name));
        return at >= 0 && at + 1 < options.size() ? options.at(at + 1).toInt() : fallback;
    }
    // The sizes as arguments, for a benchmark that starts itself again.
    QStringList sizeArguments() const
    {
        return {QString::number(tasks), QString::number(birthdays), QString::number(accounts)};
    }
};

inline bool seed(const TestProgramDir &dir, const Arguments &sizes)
{
    // Tasks ten minutes apart from ten minutes ahead, cycles mixed; birthdays spread over the year from
    // eight days ahead, past every reminder window, with and without call names, lunar and solar.
    const QString tasks = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
        "INSERT INTO TASK_LIST (TaskName, TaskTimeSee, IconPath, NoticeCycle, NormalNoticeKeepDisplay) "
        "SELECT '任务 ' || i, strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime', '+' || (600 + i * 600) || ' seconds'), "
        "'src/icon/task/default.png', i % 4, i % 2 FROM n");
    const QString birthdays = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
        "INSERT INTO BIRTHDAY_INFO (Name, CallName, SolarDate, RecentDate, IconPath, Gender, IsLunar, "
        "IgnoreSolarYear, IgnoreLunarYear, LunarYear, LunarMonth, LunarDay, Notice1, Notice3, Notice7) "
        "SELECT '王小明' || i, CASE WHEN i % 3 = 0 THEN '阿' || i ELSE '' END, "
        "date('now', 'localtime', '-' || (20 + i % 60) || ' years', '+' || (8 + i * 350 / %1) || ' days'), "
        "date('now', 'localtime', '+' || (8 + i * 350 / %1) || ' days'), 'src/icon/birthday/default.png', "
        "i % 2, i % 2, i % 7 = 0, i % 7 = 0, 1950 + i % 60, 1 + i % 12, 1 + i % 28, 1, 1, 1 FROM n");
    return (sizes.tasks == 0 || dir.execute(tasks.arg(sizes.tasks))) &&
           (sizes.birthdays == 0 || dir.execute(birthdays.arg(sizes.birthdays))) &&
           VaultSeed::seed(dir.databaseFile(), QStringLiteral("benchuser"), QStringLiteral("benchkey1"),
                           sizes.accounts);
}

} // namespace BenchSeed
