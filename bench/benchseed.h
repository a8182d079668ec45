#pragma once

// The stored data of a heavy user, for the benchmarks that start the whole program: 1,000 pending tasks,
// 500 birthdays and 10,000 accounts. Nothing falls due for a while, so that the program settles.

#include "common/testprogramdir.h"
#include "common/vaultseed.h"

namespace BenchSeed {

constexpr int Tasks = 1000;
constexpr int Birthdays = 500;
constexpr int Accounts = 10000;

inline bool seed(const TestProgramDir &dir)
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
    return dir.execute(tasks.arg(Tasks)) && dir.execute(birthdays.arg(Birthdays)) &&
           VaultSeed::seed(dir.databaseFile(), QStringLiteral("benchuser"), QStringLiteral("benchkey1"), Accounts);
}

} // namespace BenchSeed
