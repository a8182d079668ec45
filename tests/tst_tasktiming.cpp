#include "data/interfacepublicdata.h"
#include "tasks/tasktiming.h"

#include "common/hublog.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

// "yyyy-MM-dd=1" marks a workday, "=0" a rest day.
void setExceptions(InterfacePublicData &calendar, const QStringList &exceptions)
{
    calendar.workdayExceptions.clear();
    for (const QString &exception : exceptions) {
        const QStringList parts = exception.split(QLatin1Char('='));
        calendar.workdayExceptions.insert(QDate::fromString(parts.at(0), Qt::ISODate),
                                          parts.at(1) == QLatin1String("1"));
    }
}

} // namespace

// 2024-05-13 is a Monday, 2024-05-15 a Wednesday, 2024-05-17 a Friday, 2024-05-19 a Sunday.
class TestTaskTiming : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void firstNoticeTime_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QTime>("timeSet");
        QTest::addColumn<QDateTime>("target");
        QTest::addColumn<int>("weekdayIndex");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");

        const QDateTime wednesday = at("2024-05-15 15:00:00.000");
        const QDateTime target = at("2024-05-01 07:30:00.000");
        using namespace TaskTiming;
        QTest::newRow("remaining 00:10:00") << int(RemainTimeMode) << int(CycleOnce) << QTime(0, 10) << target << 0
                                            << wednesday << at("2024-05-15 15:10:00.000");
        QTest::newRow("remaining keeps milliseconds of now")
            << int(RemainTimeMode) << int(CycleDaily) << QTime(1, 0, 5) << target << 0 << at("2024-05-15 23:30:00.250")
            << at("2024-05-16 00:30:05.250");
        QTest::newRow("invalid duration is due now")
            << int(RemainTimeMode) << int(CycleWorkday) << QTime() << target << 0 << wednesday << wednesday;
        QTest::newRow("target time in the past as entered")
            << int(TargetTimeMode) << int(CycleOnce) << QTime(0, 10) << target << 0 << wednesday << target;
        QTest::newRow("target time wins over the weekday")
            << int(TargetTimeMode) << int(CycleWeekly) << QTime(8, 0) << target << 4 << wednesday << target;
        QTest::newRow("weekly Monday from Wednesday") << int(RemainTimeMode) << int(CycleWeekly) << QTime(8, 0)
                                                      << target << 0 << wednesday << at("2024-05-20 08:00:00.000");
        QTest::newRow("weekly Friday from Wednesday") << int(RemainTimeMode) << int(CycleWeekly) << QTime(8, 0)
                                                      << target << 4 << wednesday << at("2024-05-17 08:00:00.000");
        QTest::newRow("weekly Sunday from Wednesday") << int(RemainTimeMode) << int(CycleWeekly) << QTime(21, 15, 30)
                                                      << target << 6 << wednesday << at("2024-05-19 21:15:30.000");
        QTest::newRow("weekly today with a passed time stays today")
            << int(RemainTimeMode) << int(CycleWeekly) << QTime(9, 0) << target << 2 << wednesday
            << at("2024-05-15 09:00:00.000");
        QTest::newRow("weekly Monday from Sunday")
            << int(RemainTimeMode) << int(CycleWeekly) << QTime(6, 0) << target << 0 << at("2024-05-19 12:00:00.000")
            << at("2024-05-20 06:00:00.000");
    }

    void firstNoticeTime()
    {
        QFETCH(int, mode);
        QFETCH(int, cycle);
        QFETCH(QTime, timeSet);
        QFETCH(QDateTime, target);
        QFETCH(int, weekdayIndex);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QCOMPARE(TaskTiming::firstNoticeTime(TaskTiming::TimeMode(mode), cycle, timeSet, target, weekdayIndex, now),
                 expected);
    }

    void nextNoticeTime_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QDateTime>("fired");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("exceptions");
        QTest::addColumn<QDateTime>("expected");

        QTest::newRow("daily on time") << int(CycleDaily) << at("2024-05-15 08:00:00.000")
                                       << at("2024-05-15 08:00:00.200") << QStringList()
                                       << at("2024-05-16 08:00:00.000");
        QTest::newRow("daily three days late, before its hour")
            << int(CycleDaily) << at("2024-05-12 08:00:00.000") << at("2024-05-15 07:00:00.000") << QStringList()
            << at("2024-05-15 08:00:00.000");
        QTest::newRow("daily three days late, after its hour")
            << int(CycleDaily) << at("2024-05-12 08:00:00.000") << at("2024-05-15 09:00:00.000") << QStringList()
            << at("2024-05-16 08:00:00.000");
        QTest::newRow("daily less than a day late across midnight")
            << int(CycleDaily) << at("2024-05-14 23:00:00.000") << at("2024-05-15 00:30:00.000") << QStringList()
            << at("2024-05-16 23:00:00.000");
        QTest::newRow("workday less than a day late across midnight")
            << int(CycleWorkday) << at("2024-05-13 23:00:00.000") << at("2024-05-14 00:30:00.000") << QStringList()
            << at("2024-05-15 23:00:00.000");
        QTest::newRow("workday Friday to Monday")
            << int(CycleWorkday) << at("2024-05-17 18:00:00.000") << at("2024-05-17 18:00:00.200") << QStringList()
            << at("2024-05-20 18:00:00.000");
        QTest::newRow("workday Saturday made a workday")
            << int(CycleWorkday) << at("2024-05-17 18:00:00.000") << at("2024-05-17 18:00:00.200")
            << QStringList{"2024-05-18=1"} << at("2024-05-18 18:00:00.000");
        QTest::newRow("workday Monday made a rest day")
            << int(CycleWorkday) << at("2024-05-17 18:00:00.000") << at("2024-05-17 18:00:00.200")
            << QStringList{"2024-05-20=0"} << at("2024-05-21 18:00:00.000");
        QTest::newRow("workday late, today is a workday before its hour")
            << int(CycleWorkday) << at("2024-05-16 18:00:00.000") << at("2024-05-20 09:00:00.000") << QStringList()
            << at("2024-05-20 18:00:00.000");
        QTest::newRow("workday late on a rest day")
            << int(CycleWorkday) << at("2024-05-16 18:00:00.000") << at("2024-05-18 10:00:00.000") << QStringList()
            << at("2024-05-20 18:00:00.000");
        QTest::newRow("workday late, today made a rest day")
            << int(CycleWorkday) << at("2024-05-16 18:00:00.000") << at("2024-05-20 09:00:00.000")
            << QStringList{"2024-05-20=0"} << at("2024-05-21 18:00:00.000");
        QTest::newRow("weekly Monday fired on Wednesday")
            << int(CycleWeekly) << at("2024-05-13 08:00:00.000") << at("2024-05-15 10:00:00.000") << QStringList()
            << at("2024-05-20 08:00:00.000");
        QTest::newRow("weekly Friday fired on Wednesday")
            << int(CycleWeekly) << at("2024-05-10 08:00:00.000") << at("2024-05-15 10:00:00.000") << QStringList()
            << at("2024-05-17 08:00:00.000");
        QTest::newRow("weekly on time") << int(CycleWeekly) << at("2024-05-15 09:00:00.000")
                                        << at("2024-05-15 09:00:00.200") << QStringList()
                                        << at("2024-05-22 09:00:00.000");
        QTest::newRow("weekly added for this morning, fired in the afternoon")
            << int(CycleWeekly) << at("2024-05-15 09:00:00.000") << at("2024-05-15 15:00:00.000") << QStringList()
            << at("2024-05-22 09:00:00.000");
        QTest::newRow("weekly a week late, before its hour")
            << int(CycleWeekly) << at("2024-05-08 18:00:00.000") << at("2024-05-15 10:00:00.000") << QStringList()
            << at("2024-05-15 18:00:00.000");
        QTest::newRow("weekly a week late, after its hour")
            << int(CycleWeekly) << at("2024-05-08 09:00:00.000") << at("2024-05-15 10:00:00.000") << QStringList()
            << at("2024-05-22 09:00:00.000");
        QTest::newRow("weekly ignores workday exceptions")
            << int(CycleWeekly) << at("2024-05-13 08:00:00.000") << at("2024-05-13 08:00:01.000")
            << QStringList{"2024-05-20=0"} << at("2024-05-20 08:00:00.000");
        QTest::newRow("once has no successor") << int(CycleOnce) << at("2024-05-15 08:00:00.000")
                                               << at("2024-05-15 08:00:01.000") << QStringList() << QDateTime();
        QTest::newRow("unknown cycle has no successor")
            << 7 << at("2024-05-15 08:00:00.000") << at("2024-05-15 08:00:01.000") << QStringList() << QDateTime();
    }

    void nextNoticeTime()
    {
        QFETCH(int, cycle);
        QFETCH(QDateTime, fired);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, exceptions);
        QFETCH(QDateTime, expected);

        InterfacePublicData calendar;
        setExceptions(calendar, exceptions);
        TaskListData task;
        task.NoticeCycle = cycle;
        task.TaskTimeSee = fired;
        QCOMPARE(TaskTiming::nextNoticeTime(task, now, calendar), expected);
        // The successor never falls due at once.
        if (expected.isValid())
            QVERIFY(expected > now);
    }

    void isDue_data()
    {
        QTest::addColumn<qint64>("dueMs");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<qint64>("nowMs");
        QTest::addColumn<bool>("due");

        QTest::newRow("ahead") << qint64(10000) << false << qint64(9999) << false;
        QTest::newRow("exactly now") << qint64(10000) << false << qint64(10000) << false;
        QTest::newRow("one millisecond behind") << qint64(10000) << false << qint64(10001) << true;
        QTest::newRow("long behind") << qint64(10000) << false << qint64(900000000) << true;
        QTest::newRow("completed never") << qint64(10000) << true << qint64(900000000) << false;
    }

    void isDue()
    {
        QFETCH(qint64, dueMs);
        QFETCH(bool, completed);
        QFETCH(qint64, nowMs);
        QFETCH(bool, due);
        QCOMPARE(TaskTiming::isDue(dueMs, completed, nowMs), due);
    }

    void isWorkday_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("exceptions");
        QTest::addColumn<bool>("workday");

        QTest::newRow("Saturday") << QDate(2024, 5, 18) << QStringList() << false;
        QTest::newRow("Sunday") << QDate(2024, 5, 19) << QStringList() << false;
        QTest::newRow("Saturday made a workday") << QDate(2024, 5, 18) << QStringList{"2024-05-18=1"} << true;
        QTest::newRow("Wednesday") << QDate(2024, 5, 15) << QStringList() << true;
        QTest::newRow("Wednesday made a rest day") << QDate(2024, 5, 15) << QStringList{"2024-05-15=0"} << false;
        QTest::newRow("other dates' exceptions do not count")
            << QDate(2024, 5, 15) << QStringList{"2024-05-16=0", "2024-05-14=0"} << true;
        QTest::newRow("invalid date") << QDate() << QStringList() << false;
    }

    void isWorkday()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, exceptions);
        QFETCH(bool, workday);
        InterfacePublicData calendar;
        setExceptions(calendar, exceptions);
        QCOMPARE(calendar.isWorkday(date), workday);
    }

    void nextWorkday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("exceptions");
        QTest::addColumn<QDate>("expected");

        QTest::newRow("Wednesday to Thursday, never today")
            << QDate(2024, 5, 15) << QStringList() << QDate(2024, 5, 16);
        QTest::newRow("Friday to Monday") << QDate(2024, 5, 17) << QStringList() << QDate(2024, 5, 20);
        QTest::newRow("Saturday to Monday") << QDate(2024, 5, 18) << QStringList() << QDate(2024, 5, 20);
        QTest::newRow("make-up Sunday") << QDate(2024, 5, 17) << QStringList{"2024-05-19=1"} << QDate(2024, 5, 19);
        QTest::newRow("holiday week") << QDate(2024, 9, 30)
                                      << QStringList{"2024-10-01=0", "2024-10-02=0", "2024-10-03=0", "2024-10-04=0",
                                                     "2024-10-07=0"}
                                      << QDate(2024, 10, 8);
    }

    void nextWorkday()
    {
        QFETCH(QDate, today);
        QFETCH(QStringList, exceptions);
        QFETCH(QDate, expected);
        InterfacePublicData calendar;
        setExceptions(calendar, exceptions);
        QCOMPARE(calendar.nextWorkday(today), expected);
    }

    void nextWorkdaySearchIsBounded()
    {
        // Every weekday of the coming year and more marked as a rest day: the search gives up a year on.
        InterfacePublicData calendar;
        const QDate today(2024, 5, 15);
        for (int i = 1; i <= 400; ++i)
            calendar.workdayExceptions.insert(today.addDays(i), false);
        QCOMPARE(calendar.nextWorkday(today), today.addDays(InterfacePublicData::MaxWorkdaySearchDays));
    }

    void workdayListReplacesExceptions()
    {
        InterfacePublicData calendar;
        calendar.workdayExceptions.insert(QDate(2024, 1, 1), false);
        TaskWorkdayData saturday;
        saturday.TaskDate = QDate(2024, 5, 18);
        saturday.Workday = 1;
        TaskWorkdayData again = saturday;
        again.Workday = 0;
        TaskWorkdayData tuesday;
        tuesday.TaskDate = QDate(2024, 10, 1);
        tuesday.Workday = 0;

        calendar.slotReceiveQueryData(TaskWorkdaySelect,
                                      QVariant::fromValue(QList<TaskWorkdayData>{saturday, tuesday, again}));
        QCOMPARE(calendar.workdayExceptions.size(), 2);
        QVERIFY(!calendar.workdayExceptions.contains(QDate(2024, 1, 1)));
        // The later of two records for one date wins.
        QCOMPARE(calendar.workdayExceptions.value(QDate(2024, 5, 18), true), false);
        QCOMPARE(calendar.isWorkday(QDate(2024, 10, 1)), false);

        calendar.slotReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskWorkdayData>{saturday}));
        QCOMPARE(calendar.workdayExceptions.size(), 2);
    }

    void exceptionWorkdayFlag_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("flag");
        QTest::newRow("Tuesday 2024-10-01") << QDate(2024, 10, 1) << 0;
        QTest::newRow("Friday") << QDate(2024, 10, 4) << 0;
        QTest::newRow("Saturday 2024-10-12") << QDate(2024, 10, 12) << 1;
        QTest::newRow("Sunday") << QDate(2024, 10, 13) << 1;
    }

    void exceptionWorkdayFlag()
    {
        QFETCH(QDate, date);
        QFETCH(int, flag);
        QCOMPARE(TaskTiming::exceptionWorkdayFlag(date), flag);
    }

    void fireTask_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("central");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<int>("keep");
        QTest::addColumn<QStringList>("sequence");

        const QString noticed = QStringLiteral("query %1").arg(TaskListUpdateNoticed);
        const QString insert = QStringLiteral("query %1").arg(TaskListInsert);
        QTest::newRow("once, both notices")
            << int(CycleOnce) << true << true << 1 << QStringList{noticed, "central", "normal"};
        QTest::newRow("daily, both notices")
            << int(CycleDaily) << true << true << 0 << QStringList{noticed, insert, "central", "normal"};
        QTest::newRow("daily, popup only")
            << int(CycleDaily) << false << true << 1 << QStringList{noticed, insert, "normal"};
        QTest::newRow("daily, centre only")
            << int(CycleDaily) << true << false << 1 << QStringList{noticed, insert, "central"};
        QTest::newRow("daily, silent") << int(CycleDaily) << false << false << 1 << QStringList{noticed, insert};
        QTest::newRow("unknown cycle fires once") << 9 << false << false << 1 << QStringList{noticed};
    }

    void fireTask()
    {
        QFETCH(int, cycle);
        QFETCH(bool, central);
        QFETCH(bool, normal);
        QFETCH(int, keep);
        QFETCH(QStringList, sequence);

        InterfacePublicData hub;
        HubLog log(hub);
        TaskListData task;
        task.id = 7;
        task.TaskName = QStringLiteral("喝水");
        task.TaskTimeSee = at("2024-05-15 08:00:00.000");
        task.IconPath = QStringLiteral("src/icon/task/3.png");
        task.NoticeCycle = cycle;
        task.NormalNoticeKeepDisplay = keep;
        NoticeConfigData config;
        config.CN_EnableTask = central;
        config.NN_EnableTask = normal;

        TaskTiming::fireTask(task, at("2024-05-15 08:00:00.200"), config, hub);
        QCOMPARE(log.sequence, sequence);
        QCOMPARE(log.queries.first().second.toInt(), 7);
        if (log.count(TaskListInsert))
            QCOMPARE(log.queries.at(1).second.value<TaskListData>().TaskTimeSee, at("2024-05-16 08:00:00.000"));
        for (const HubLog::Notice &notice : qAsConst(log.allNotices))
            QCOMPARE(notice.what, int(NoticeWhatTask));
        if (central)
            QCOMPARE(log.notices(QStringLiteral("central")), QList<QStringList>{QStringList{QStringLiteral("喝水")}});
        const QStringList popup = {QStringLiteral("喝水"), QStringLiteral("2024-05-15 08:00:00"),
                                   keep ? QStringLiteral("keepYes") : QStringLiteral("keepNo"),
                                   QStringLiteral("src/icon/task/3.png")};
        if (normal)
            QCOMPARE(log.notices(QStringLiteral("normal")), QList<QStringList>{popup});
    }

    void successorCopiesTheTask()
    {
        InterfacePublicData calendar;
        TaskListData fired;
        fired.id = 12;
        fired.TaskName = QStringLiteral("it's 周报");
        fired.TaskTimeSee = at("2024-05-17 18:00:00.000");
        fired.IconPath = QStringLiteral("src/icon/task/5.png");
        fired.NoticeCycle = CycleWorkday;
        fired.Noticed = 1;
        fired.NormalNoticeKeepDisplay = 1;

        const TaskListData next = TaskTiming::successorOf(fired, at("2024-05-17 18:00:00.300"), calendar);
        QCOMPARE(next.id, -1);
        QCOMPARE(next.Noticed, 0);
        QCOMPARE(next.Deleted, 0);
        QCOMPARE(next.TaskName, fired.TaskName);
        QCOMPARE(next.IconPath, fired.IconPath);
        QCOMPARE(next.NoticeCycle, int(CycleWorkday));
        QCOMPARE(next.NormalNoticeKeepDisplay, 1);
        QCOMPARE(next.TaskTimeSee, at("2024-05-20 18:00:00.000"));
    }
};

QTEST_GUILESS_MAIN(TestTaskTiming)
#include "tst_tasktiming.moc"
