#include "app/appglobals.h"
#include "app/calendarexport.h"
#include "birthdays/birthdaycalendar.h"
#include "common/birthdayrecord.h"
#include "common/programcopy.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "tasks/taskcalendar.h"
#include "tasks/tasktiming.h"

#include <QTest>

class TestCalendarExport : public QObject
{
    Q_OBJECT

private slots:
    void birthdayDates_data()
    {
        QTest::addColumn<BirthdayInfoData>("birthday");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("dates"); // the first three
        BirthdayInfoData feb29 = solarBirthday(QDate(2024, 2, 29));
        feb29.SolarDate = QDate(1996, 2, 29);
        QTest::newRow("solar 29 February") << feb29 << QDate(2023, 3, 1) << "2024-02-29 2025-02-28 2026-02-28";
        QTest::newRow("solar today counts")
            << solarBirthday(QDate(2024, 5, 6)) << QDate(2024, 5, 6) << "2024-05-06 2025-05-06 2026-05-06";
        // 2020 repeats its fourth month: 2020-05-23 is the leap 4/1 and is no second birthday that year.
        QTest::newRow("lunar leap month passed over")
            << lunarBirthday(4, 1, QDate(2020, 4, 23)) << QDate(2020, 4, 1) << "2020-04-23 2021-05-12 2022-05-01";
        QTest::newRow("lunar 30th in a short month")
            << lunarBirthday(12, 30, QDate(2021, 2, 11)) << QDate(2021, 1, 1) << "2021-02-11 2022-01-31 2023-01-21";
        QTest::newRow("end of the lunar calendar")
            << lunarBirthday(1, 1, QDate(2099, 1, 21)) << QDate(2099, 1, 1) << "2099-01-21";
    }

    void birthdayDates()
    {
        QFETCH(BirthdayInfoData, birthday);
        QFETCH(QDate, today);
        QFETCH(QString, dates);
        QStringList found;
        for (const QDate &date : BirthdayCalendar::nextDates(birthday, today, 3, interfacePublicData))
            found << date.toString(Qt::ISODate);
        QCOMPARE(found.join(' '), dates);
    }

    void birthdayEvents()
    {
        BirthdayInfoData known = lunarBirthday(4, 1, QDate(2020, 4, 23));
        const QList<IcsCalendar::Event> events =
            BirthdayCalendar::events(known, QDate(2020, 4, 1), interfacePublicData);
        QCOMPARE(events.size(), BirthdayCalendar::Occurrences);
        QCOMPARE(events.first().summary, QString("明明的30岁生日"));
        QCOMPARE(events.first().uid, QString("birthday-1-20200423@pemmora"));
        QCOMPARE(events.at(1).summary, QString("明明的31岁生日"));
        known.IgnoreLunarYear = true;
        known.CallName.clear();
        QCOMPARE(BirthdayCalendar::summary(known, QDate(2020, 4, 23)), QString("王小明的生日"));
    }

    void taskEvents_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("noticed");
        QTest::addColumn<QString>("starts");
        QTest::addColumn<QString>("rule");
        QTest::newRow("once") << int(CycleOnce) << 0 << "2024-05-17T18:00:00"
                              << "";
        QTest::newRow("daily") << int(CycleDaily) << 0 << "2024-05-17T18:00:00"
                               << "FREQ=DAILY";
        QTest::newRow("weekly") << int(CycleWeekly) << 0 << "2024-05-17T18:00:00"
                                << "FREQ=WEEKLY";
        // Saturday 05-18 made a workday, Monday 05-20 a rest day.
        QTest::newRow("workday across exceptions")
            << int(CycleWorkday) << 0 << "2024-05-17T18:00:00 2024-05-18T18:00:00 2024-05-21T18:00:00"
            << "";
        QTest::newRow("done task") << int(CycleDaily) << 1 << ""
                                   << "";
    }

    void taskEvents()
    {
        QFETCH(int, cycle);
        QFETCH(int, noticed);
        QFETCH(QString, starts);
        QFETCH(QString, rule);
        InterfacePublicData calendar;
        calendar.workdayExceptions = {{QDate(2024, 5, 18), true}, {QDate(2024, 5, 20), false}};
        TaskListData task;
        task.id = 7;
        task.TaskName = "打卡";
        task.TaskTimeSee = QDateTime(QDate(2024, 5, 17), QTime(18, 0));
        task.NoticeCycle = cycle;
        task.Noticed = noticed;
        const QList<IcsCalendar::Event> events = TaskCalendar::events(task, calendar);
        QStringList found;
        for (const IcsCalendar::Event &e : events.mid(0, 3))
            found << e.start.toString(Qt::ISODate);
        QCOMPARE(found.join(' '), starts);
        QCOMPARE(events.value(0).rrule, rule);
        QCOMPARE(events.size(), cycle == CycleWorkday ? TaskCalendar::WorkdayOccurrences : (noticed ? 0 : 1));
        // Another row of the same task (a repeating task's successor) keeps the series' UID.
        task.id = 8;
        if (!events.isEmpty())
            QCOMPARE(TaskCalendar::events(task, calendar).first().uid, events.first().uid);
    }

    // The command writes the file beside where it was given, without a window, while a copy holds the lock.
    void commandLine()
    {
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName, TaskTimeSee, NoticeCycle) VALUES ('周报', '2030-01-04 "
                            "17:00:00', 3), ('旧的', '2030-01-01 08:00:00', 0)"));
        QVERIFY(dir.execute("UPDATE TASK_LIST SET Deleted = 1 WHERE TaskName = '旧的'"));
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name, SolarDate, IsLunar) VALUES ('李四', '1990-03-01', 0)"));
        SingleInstanceLock held;
        QCOMPARE(held.acquire(SingleInstanceLock::keyFor(dir.path())), SingleInstanceLock::Acquired);
        ProgramCopy program(dir, QStringLiteral(PEMMORA_PROGRAM));
        program.process.setWorkingDirectory(dir.filePath("src"));
        program.start({"--export-ics", "out.ics"});
        QVERIFY(program.process.waitForFinished(10000));
        QCOMPARE(program.process.exitCode(), 0);
        const QByteArray text = fileContents(dir.filePath("src/out.ics"));
        QCOMPARE(text.count("BEGIN:VEVENT"), BirthdayCalendar::Occurrences + 1);
        QVERIFY(text.contains("SUMMARY:周报\r\n") && !text.contains("旧的"));

        QVERIFY(QFile::remove(dir.databaseFile()));
        program.start({"--export-ics", "out.ics"});
        QVERIFY(program.process.waitForFinished(10000));
        QCOMPARE(program.process.exitCode(), 1);
        QVERIFY(program.process.readAll().contains("main.db"));
    }
};

QTEST_GUILESS_MAIN(TestCalendarExport)
#include "tst_calendarexport.moc"
