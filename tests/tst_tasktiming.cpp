#include "data/records.h"
#include "models/tasktiming.h"
#include "models/workdaycalendar.h"

#include <QTest>

#include <time.h>

namespace {

// "05-15 08:00", "05-15 08:00:00.200" or "05-15" (midnight), always in 2024.
QDateTime at(const QString &text)
{
    return QDateTime::fromString(QStringLiteral("2024-") + QString(text).replace(QLatin1Char(' '), QLatin1Char('T')),
                                 Qt::ISODateWithMs);
}

// "05-18=1 05-20=0": a workday and a rest day.
QHash<QDate, bool> exceptionsOf(const QString &exceptions)
{
    QHash<QDate, bool> parsed;
    for (const QString &exception : exceptions.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        parsed.insert(at(exception.left(5)).date(), exception.endsWith(QLatin1String("=1")));
    return parsed;
}

struct FirstNotice
{
    int mode, cycle;
    QTime timeSet;
    int weekday;
    QDateTime now, target;
};

} // namespace

Q_DECLARE_METATYPE(FirstNotice)

// 2024-05-13 is a Monday, 2024-05-15 a Wednesday, 2024-05-17 a Friday, 2024-05-19 a Sunday.
class TestTaskTiming : public QObject
{
    Q_OBJECT

private slots:
    // Local time is Berlin's, whose clocks went forward on 2024-03-31 at 02:00 and back on 2024-10-27 at 03:00.
    void initTestCase()
    {
        registerRecordMetaTypes();
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void firstNoticeTime_data()
    {
        QTest::addColumn<FirstNotice>("in");
        QTest::addColumn<QDateTime>("expected");
        const auto row = [](const char *name, int cycle, QTime set, int weekday, const char *now, const char *expected,
                            int mode = TaskTiming::RemainTimeMode, const char *target = "05-01 07:30") {
            QTest::newRow(name) << FirstNotice{mode, cycle, set, weekday, at(now), at(target)} << at(expected);
        };
        const int target = TaskTiming::TargetTimeMode;
        row("remaining keeps the milliseconds", CycleDaily, QTime(1, 0, 5), 0, "05-15 23:30:00.250",
            "05-16 00:30:05.250");
        row("invalid duration is due now", CycleWorkday, QTime(), 0, "05-15 15:00", "05-15 15:00");
        row("target time wins over the weekday", CycleWeekly, QTime(8, 0), 4, "05-15 15:00", "05-01 07:30", target);
        row("weekly Monday from Wednesday", CycleWeekly, QTime(8, 0), 0, "05-15 15:00", "05-20 08:00");
        row("weekly Sunday from Wednesday", CycleWeekly, QTime(21, 15, 30), 6, "05-15 15:00", "05-19 21:15:30");
        row("weekly today with a passed time stays today", CycleWeekly, QTime(9, 0), 2, "05-15 15:00", "05-15 09:00");
        row("workday added on Sunday starts Monday", CycleWorkday, QTime(0, 10), 0, "05-19 12:00", "05-20 12:10");
        row("workday target on Saturday", CycleWorkday, QTime(), 0, "05-15 15:00", "05-20 07:30", target,
            "05-18 07:30");
        row("remaining across the spring change is real time", CycleOnce, QTime(1, 0), 0, "03-31 01:30", "03-31 03:30");
    }
    void firstNoticeTime()
    {
        QFETCH(FirstNotice, in);
        QFETCH(QDateTime, expected);
        QCOMPARE(TaskTiming::firstNoticeTime(TaskTiming::TimeMode(in.mode), in.cycle, in.timeSet, in.target, in.weekday,
                                             in.now, {}),
                 expected);
    }

    void nextNoticeTime_data()
    {
        QTest::addColumn<TaskListData>("task");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<QString>("exceptions");
        const auto row = [](const char *name, int cycle, const char *fired, const char *now, const char *expected,
                            const char *exceptions = "") {
            TaskListData task;
            task.NoticeCycle = cycle;
            task.TaskTimeSee = at(fired);
            QTest::newRow(name) << task << at(now) << (*expected ? at(expected) : QDateTime()) << exceptions;
        };
        const int daily = CycleDaily, workday = CycleWorkday, weekly = CycleWeekly;
        row("daily days late, before its hour", daily, "05-12 08:00", "05-15 07:00", "05-15 08:00");
        row("daily days late, after its hour", daily, "05-12 08:00", "05-15 09:00", "05-16 08:00");
        row("daily under a day late across midnight", daily, "05-14 23:00", "05-15 00:30", "05-16 23:00");
        row("workday under a day late across midnight", workday, "05-13 23:00", "05-14 00:30", "05-15 23:00");
        row("workday Monday made a rest day", workday, "05-17 18:00", "05-17 18:00:00.200", "05-21 18:00", "05-20=0");
        row("workday late, today a workday before its hour", workday, "05-16 18:00", "05-20 09:00", "05-20 18:00");
        row("workday late on a rest day", workday, "05-16 18:00", "05-18 10:00", "05-20 18:00");
        row("workday late, today made a rest day", workday, "05-16 18:00", "05-20 09:00", "05-21 18:00", "05-20=0");
        row("weekly Monday fired on Wednesday", weekly, "05-13 08:00", "05-15 10:00", "05-20 08:00");
        row("weekly Friday fired on Wednesday", weekly, "05-10 08:00", "05-15 10:00", "05-17 08:00");
        row("weekly due this morning, fired in the afternoon", weekly, "05-15 09:00", "05-15 15:00", "05-22 09:00");
        row("weekly a week late, before its hour", weekly, "05-08 18:00", "05-15 10:00", "05-15 18:00");
        row("weekly ignores workday exceptions", weekly, "05-13 08:00", "05-13 08:00:01", "05-20 08:00", "05-20=0");
        row("daily keeps its hour across the spring change", daily, "03-30 08:00", "03-30 08:00:01", "03-31 08:00");
        row("daily keeps its hour across the autumn change", daily, "10-26 08:00", "10-26 08:00:01", "10-27 08:00");
        row("weekly keeps its hour across the autumn change", weekly, "10-21 08:00", "10-21 08:00:01", "10-28 08:00");
        row("daily in the hour the spring change skips", daily, "03-30 02:30", "03-30 02:30:01", "03-31 03:30");
        row("once has no successor", CycleOnce, "05-15 08:00", "05-15 08:00:01", "");
    }
    void nextNoticeTime()
    {
        QFETCH(TaskListData, task);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QFETCH(QString, exceptions);
        QCOMPARE(TaskTiming::nextNoticeTime(task.TaskTimeSee, task.NoticeCycle, now, exceptionsOf(exceptions)),
                 expected);
    }

    // Whether a day is a workday, the next one after it, and the flag an exception on it is stored with.
    void workdays_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("exceptions");
        QTest::addColumn<QString>("expected"); // workday, next workday, exception flag
        const auto row = [](const char *name, const char *date, const char *exceptions, const char *expected) {
            QTest::newRow(name) << at(date).date() << QString::fromLatin1(exceptions) << QString::fromLatin1(expected);
        };
        row("Wednesday, next never today", "05-15", "", "1 05-16 0");
        row("Wednesday made a rest day", "05-15", "05-15=0", "0 05-16 0");
        row("other dates' exceptions do not count", "05-15", "05-14=0 05-16=0", "1 05-17 0");
        row("Friday to Monday", "05-17", "", "1 05-20 0");
        row("make-up Sunday", "05-17", "05-19=1", "1 05-19 0");
        row("Saturday made a workday", "05-18", "05-18=1", "1 05-20 1");
        row("Sunday", "05-19", "", "0 05-20 1");
        row("holiday week", "09-30", "10-01=0 10-02=0 10-03=0 10-04=0 10-07=0", "1 10-08 0");
    }
    void workdays()
    {
        QFETCH(QDate, date);
        QFETCH(QString, exceptions);
        QFETCH(QString, expected);
        const QHash<QDate, bool> calendar = exceptionsOf(exceptions);
        const QString found = QStringLiteral("%1 %2 %3").arg(int(WorkdayCalendar::isWorkday(calendar, date)));
        QCOMPARE(found.arg(WorkdayCalendar::nextWorkday(calendar, date).toString("MM-dd"))
                     .arg(TaskTiming::exceptionWorkdayFlag(date)),
                 expected);
    }

    void workdaySearchIsBounded()
    {
        QHash<QDate, bool> calendar;
        const QDate today(2024, 5, 15);
        QVERIFY(!WorkdayCalendar::isWorkday(calendar, QDate()));
        for (int i = 1; i <= 400; ++i)
            calendar.insert(today.addDays(i), false);
        QCOMPARE(WorkdayCalendar::nextWorkday(calendar, today), today.addDays(WorkdayCalendar::MaxSearchDays));
    }
};

QTEST_GUILESS_MAIN(TestTaskTiming)
#include "tst_tasktiming.moc"
