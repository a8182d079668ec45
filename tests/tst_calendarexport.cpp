#include "birthdays/birthdaycalendar.h"
#include "calendar/calendarexport.h"
#include "common/birthdayrecord.h"
#include "common/programcopy.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/icscalendar.h"
#include "models/tasktiming.h"
#include "models/workdaycalendar.h"
#include "platform/singleinstancelock.h"
#include "tasks/taskcalendar.h"

#include <QRegularExpression>
#include <QTest>

// The iCalendar format, and the birthdays and tasks written in it.
class TestCalendarExport : public QObject
{
    Q_OBJECT

private slots:
    void foldLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("folded");
        const QByteArray a75(75, 'a');
        QTest::newRow("75 octets stay whole") << a75 << a75 + "\r\n";
        QTest::newRow("76th octet goes on") << a75 + "b" << a75 + "\r\n b\r\n";
        QTest::newRow("continuations hold 74")
            << a75 + QByteArray(75, 'c') << a75 + "\r\n " + QByteArray(74, 'c') + "\r\n c\r\n";
        // 74 + a three-octet character would end at octet 77: the character moves whole to the next line.
        QTest::newRow("UTF-8 sequence not split")
            << QByteArray(74, 'a') + "节日" << QByteArray(74, 'a') + "\r\n " + QByteArray("节日") + "\r\n";
    }

    void foldLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, folded);
        QCOMPARE(IcsCalendar::foldLine(line), folded);
    }

    // Lengths at which libical 3.0 folds between CR and LF: every line still ends in CRLF and reads back.
    void writtenLinesEndInCrLf()
    {
        IcsCalendar::Event event;
        event.uid = "u";
        event.date = QDate(2024, 5, 1);
        QList<IcsCalendar::Event> read;
        for (int length = 60; length < 160; ++length) {
            event.summary = QString(length, 'a') + "节,";
            const QByteArray text = IcsCalendar::write({event}, QDateTime::currentDateTime());
            QVERIFY2(!text.contains("\r\r") && text.count("\n") == text.count("\r\n"), text);
            QVERIFY(IcsCalendar::read(text, &read) && read.size() == 1 && !read.first().cancelled);
            QCOMPARE(read.first().summary, event.summary);
        }
        QVERIFY(!IcsCalendar::read(IcsCalendar::write({event}, QDateTime::currentDateTime()).chopped(20), &read));
        QVERIFY(!IcsCalendar::read("END:VCALENDAR", &read));
    }

    // A calendar from elsewhere: what is read of each event, and when it occurs from 05-02 to 05-05.
    void readEvents()
    {
        const QByteArray text =
            "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\nDTSTART:20240502T100000\nDTEND:20240502T090000\nSTATUS:CANCELLED\n"
            "END:VEVENT\nBEGIN:VEVENT\nUID:b\nDTSTART:20240501T100000\nDTEND:20240501T110000\nRRULE:FREQ=DAILY\n"
            "EXDATE;VALUE=DATE:20240503\nBEGIN:VALARM\nTRIGGER:-PT15M\nEND:VALARM\nBEGIN:VALARM\n"
            "TRIGGER;VALUE=DATE-TIME:20240501T090000Z\nEND:VALARM\nEND:VEVENT\nBEGIN:VEVENT\nUID:c\n"
            "DTSTART:20240502T100000\nRRULE:FREQ=DAILY;COUNT=2\nEND:VEVENT\nBEGIN:VEVENT\nUID:c\n"
            "RECURRENCE-ID:20240503T100000\nDTSTART:20240503T100000\nEND:VEVENT\nBEGIN:VEVENT\nUID:d\n"
            "DTSTART:20240502T120000Z\nRRULE:FREQ=SECONDLY\nEND:VEVENT\nEND:VCALENDAR";
        QList<IcsCalendar::Event> read;
        QVERIFY(IcsCalendar::read(text, &read));
        QStringList seen;
        for (const IcsCalendar::Event &event : qAsConst(read)) {
            seen << event.uid + (event.cancelled ? " cancelled" : "");
            for (const int seconds : event.alarms)
                seen << QString::number(seconds);
            const QList<IcsCalendar::Span> all = IcsCalendar::occurrences(event, {2024, 5, 2}, {2024, 5, 5});
            for (const IcsCalendar::Span &at : all.size() > 3 ? QList<IcsCalendar::Span>() : all)
                seen << at.days().value(0).toString("MM-dd") + at.start.toString(" hh:mm") + at.end.toString("-hh:mm");
            seen << (all.size() > 3 ? QString("(%1)").arg(all.size()) : "");
        }
        QCOMPARE(seen.join(' ').simplified(),
                 "a cancelled 05-02 10:00-10:00 b -900 05-02 10:00-11:00 05-04 10:00-11:00 05-05 10:00-11:00 c 05-02 "
                 "10:00-10:00 c 05-03 10:00-10:00 d (100000)");
    }

    // The lunar 5/10 comes twice in 2028, in the fifth month and in its leap repeat, the first one today;
    // the alarms are the reminders switched on, and they survive a round trip.
    void lunarBirthdayInALeapYear()
    {
        BirthdayInfoData birthday = lunarBirthday(5, 10, QDate(2028, 6, 2));
        birthday.Notice3 = false;
        QList<IcsCalendar::Event> read;
        QVERIFY(IcsCalendar::read(
            IcsCalendar::write(BirthdayCalendar::events(birthday, QDate(2028, 6, 2)), QDateTime::currentDateTime()),
            &read));
        QCOMPARE(read.size(), BirthdayCalendar::Occurrences);
        QStringList found;
        for (const IcsCalendar::Event &event : read.mid(0, 3))
            found << event.date.toString(Qt::ISODate);
        QCOMPARE(found.join(' '), "2028-06-02 2028-07-02 2029-06-21");
        QCOMPARE(read.first().summary, "明明的38岁生日");
        QCOMPARE(read.first().alarms, (QList<int>{0, -86400, -7 * 86400}));
    }

    // Saturday 05-18 made a workday, Monday 05-20 and Friday 05-31 rest days: the rule gives the days the
    // program's own calendar gives, read back from the file; a workday before the series starts is not one of them.
    void workdayTaskAcrossExceptions_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("first");
        QTest::newRow("pending") << QDateTime(QDate(2024, 5, 17), QTime(12, 0)) << "2024-05-17T18:00:00";
        QTest::newRow("due now") << QDateTime(QDate(2024, 5, 17), QTime(18, 0)) << "2024-05-17T18:00:00";
        // Found overdue on Friday evening, it fires and moves on to the make-up Saturday.
        QTest::newRow("overdue") << QDateTime(QDate(2024, 5, 17), QTime(19, 0)) << "2024-05-18T18:00:00";
    }

    void workdayTaskAcrossExceptions()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, first);
        const QHash<QDate, bool> exceptions = {{QDate(2024, 5, 11), true},
                                               {QDate(2024, 5, 18), true},
                                               {QDate(2024, 5, 20), false},
                                               {QDate(2024, 5, 31), false}};
        TaskListData task;
        task.TaskName = "打卡";
        task.TaskTimeSee = QDateTime(QDate(2024, 5, 17), QTime(18, 0));
        task.NoticeCycle = CycleWorkday;
        QList<IcsCalendar::Event> read;
        QVERIFY(IcsCalendar::read(IcsCalendar::write({TaskCalendar::event(task, now, exceptions)}, now), &read));
        QCOMPARE(read.first().alarms, QList<int>{0});
        // Named even where the series starts on it, for calendars that only take days of the rule.
        QCOMPARE(read.first().rdates.value(0).start, QDateTime(QDate(2024, 5, 18), QTime(18, 0)));
        QStringList exported;
        for (const IcsCalendar::Span &at : IcsCalendar::occurrences(read.first(), {2024, 5, 1}, {2024, 6, 28}))
            exported << at.start.toString(Qt::ISODate);
        QStringList program{first};
        for (QDate day = WorkdayCalendar::nextWorkday(exceptions, QDate::fromString(first.left(10), Qt::ISODate));
             day <= QDate(2024, 6, 28); day = WorkdayCalendar::nextWorkday(exceptions, day))
            program << QDateTime(day, QTime(18, 0)).toString(Qt::ISODate);
        QCOMPARE(exported, program);
    }

    // The command writes the file beside where it was given, without a window, while a copy holds the lock.
    void commandLine()
    {
        TestProgramDir dir;
        QVERIFY(dir.execute("INSERT INTO TASK_LIST (TaskName, TaskTimeSee, NoticeCycle) VALUES ('周报', '2030-01-04 "
                            "17:00:00', 3), ('吃药', '2030-01-01 08:00:00', 1), ('旧的', '2030-01-01 08:00:00', 0)"));
        QVERIFY(dir.execute("UPDATE TASK_LIST SET Deleted = 1 WHERE TaskName = '旧的'"));
        QVERIFY(dir.execute("INSERT INTO BIRTHDAY_INFO (Name, SolarDate, IsLunar) VALUES ('李四', '1990-03-01', 0)"));
        SingleInstanceLock held;
        QCOMPARE(held.acquire(SingleInstanceLock::keyFor(dir.path())), SingleInstanceLock::Acquired);
        ProgramCopy program(dir, QStringLiteral(PEMMORA_PROGRAM));
        program.process.setWorkingDirectory(dir.filePath("src"));
        program.start({"--export-ics", "out.ics"});
        QVERIFY(program.process.waitForFinished(10000) && program.process.exitCode() == 0);
        const QByteArray text = fileContents(dir.filePath("src/out.ics"));
        QCOMPARE(text.count("BEGIN:VEVENT"), BirthdayCalendar::Occurrences + 2);
        QCOMPARE(text.count("BEGIN:VALARM"), BirthdayCalendar::Occurrences * 2 + 2);
        QVERIFY(text.contains("SUMMARY:周报\r\n") && !text.contains("旧的"));
        for (const char *line :
             {"\r\nDTSTART:20300104T170000\r\nRRULE:FREQ=WEEKLY\r\n", "\r\nRRULE:FREQ=DAILY\r\n",
              "\r\nDTEND;VALUE=DATE:", "\r\nTRANSP:TRANSPARENT\r\n", "\r\nDTSTAMP:", "\r\nEND:VCALENDAR\r\n"})
            QVERIFY2(text.contains(line), line);

        // The Birthday tab's editor writes the same calendar through the worker.
        {
            StoreWorker<CalendarExport> worker;
            QCOMPARE(ask(worker, CalendarExportWrite, dir.filePath("src/worker.ics")), QVariant(QString()));
            QVERIFY(!ask(worker, CalendarExportWrite, dir.filePath("missing/x.ics")).toString().isEmpty());
        }
        const QRegularExpression stamp("DTSTAMP:\\w+\r\n");
        QCOMPARE(QString(fileContents(dir.filePath("src/worker.ics"))).remove(stamp), QString(text).remove(stamp));
        // "-" is standard output: the same calendar, and success.
        program.process.setProcessChannelMode(QProcess::SeparateChannels);
        program.start({"--export-ics", "-"});
        QVERIFY(program.process.waitForFinished(10000) && program.process.exitCode() == 0);
        QCOMPARE(QString(program.process.readAllStandardOutput()).remove(stamp), QString(text).remove(stamp));
        program.process.setStandardOutputFile(QStringLiteral("/dev/full")); // nowhere to write it: a failure
        program.start({"--export-ics", "-"});
        QVERIFY(program.process.waitForFinished(10000) && program.process.exitCode() == 1);

        // No database: a message and a failure, not an empty calendar.
        QVERIFY(QFile::remove(dir.databaseFile()));
        program.start({"--export-ics", "out.ics"});
        QVERIFY(program.process.waitForFinished(10000) && program.process.exitCode() == 1);
    }
};

QTEST_GUILESS_MAIN(TestCalendarExport)
#include "tst_calendarexport.moc"
