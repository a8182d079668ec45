#include "birthdays/birthdaycalendar.h"
#include "calendar/calendarexport.h"
#include "common/birthdayrecord.h"
#include "common/programcopy.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "data/icscalendar.h"
#include "models/tasktiming.h"
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
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("folded");
        const QString a75(75, QLatin1Char('a'));
        QTest::newRow("75 octets stay whole") << a75 << (a75.toLatin1() + "\r\n");
        QTest::newRow("76th octet goes on") << a75 + "b" << (a75.toLatin1() + "\r\n b\r\n");
        QTest::newRow("continuations hold 74")
            << a75 + QString(75, 'c') << (a75.toLatin1() + "\r\n " + QByteArray(74, 'c') + "\r\n c\r\n");
        // 74 + a three-octet character would end at octet 77: the character moves whole to the next line.
        QTest::newRow("UTF-8 sequence not split")
            << QString(74, 'a') + "节日" << (QByteArray(74, 'a') + "\r\n " + QString("节日").toUtf8() + "\r\n");
    }

    void foldLine()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, folded);
        QCOMPARE(IcsCalendar::foldLine(line), folded);
    }

    void escapeText_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("escaped");
        // clang-format off
        QTest::newRow("comma semicolon backslash") << "a,b;c\\d" << "a\\,b\\;c\\\\d";
        QTest::newRow("line breaks") << "a\nb\r\nc\rd" << "a\\nb\\nc\\nd";
        QTest::newRow("escaped backslash before n") << "C:\\new" << "C:\\\\new";
        // clang-format on
    }

    void escapeText()
    {
        QFETCH(QString, plain);
        QFETCH(QString, escaped);
        QCOMPARE(IcsCalendar::escapeText(plain), escaped);
        QCOMPARE(IcsCalendar::unescapeText(escaped), QString(plain).replace("\r\n", "\n").replace('\r', '\n'));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("events"); // summary=first day..day after, per event
        const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        const QByteArray tail = "END:VCALENDAR\r\n";
        QTest::newRow("no calendar") << QByteArray("hello\r\n") << false << "";
        QTest::newRow("cut short") << head + "BEGIN:VEVENT\r\nSUMMARY:a\r\n" << false << "";
        QTest::newRow("empty calendar") << head + tail << true << "";
        QTest::newRow("LF only, BOM, folded with a tab, split UTF-8")
            << "\xEF\xBB\xBF" +
                   QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20251001\nDTEND;VALUE=DATE:"
                              "20251009\nSUMMARY:国\xE5\n\t\xBA\x86\\, 休\nEND:VEVENT\nEND:VCALENDAR\n")
            << true << "国庆, 休=20251001..20251009";
        QTest::newRow("date without VALUE, no end, quoted parameter")
            << head +
                   "BEGIN:VEVENT\r\nDTSTART:20250928\r\nSUMMARY;X-A=\"a:b;c\":补班\r\nBEGIN:VALARM\r\nSUMMARY:"
                   "响\r\nEND:VALARM\r\nEND:VEVENT\r\n" +
                   tail
            << true << "补班=20250928..";
    }

    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(QString, events);
        QList<IcsCalendar::Event> read;
        QCOMPARE(IcsCalendar::read(text, &read), valid);
        QStringList found;
        for (const IcsCalendar::Event &e : read)
            found << e.summary + "=" + e.date.toString("yyyyMMdd") + ".." + e.endDate.toString("yyyyMMdd");
        QCOMPARE(found.join(' '), events);
    }
    // 2020 repeats its fourth month: 2020-05-23 is the leap 4/1 and no second birthday that year.
    void lunarBirthdaySkipsTheLeapMonth()
    {
        const QList<IcsCalendar::Event> events =
            BirthdayCalendar::events(lunarBirthday(4, 1, QDate(2020, 4, 23)), QDate(2020, 4, 1));
        QCOMPARE(events.size(), BirthdayCalendar::Occurrences);
        QStringList found;
        for (const IcsCalendar::Event &event : events.mid(0, 3))
            found << event.date.toString(Qt::ISODate);
        QCOMPARE(found.join(' '), "2020-04-23 2021-05-12 2022-05-01");
        QCOMPARE(events.first().summary, "明明的30岁生日");
        QCOMPARE(events.first().uid, "birthday-1-20200423@pemmora");
    }

    // Saturday 05-18 made a workday, Monday 05-20 a rest day; another row of the same task (a repeating
    // task's successor) keeps the series' UID.
    void workdayTaskAcrossExceptions()
    {
        const QHash<QDate, bool> exceptions = {{QDate(2024, 5, 18), true}, {QDate(2024, 5, 20), false}};
        TaskListData task;
        task.id = 7;
        task.TaskName = "打卡";
        task.TaskTimeSee = QDateTime(QDate(2024, 5, 17), QTime(18, 0));
        task.NoticeCycle = CycleWorkday;
        const QList<IcsCalendar::Event> events = TaskCalendar::events(task, exceptions);
        QCOMPARE(events.size(), TaskCalendar::WorkdayOccurrences);
        QStringList found;
        for (const IcsCalendar::Event &e : events.mid(0, 3))
            found << e.start.toString(Qt::ISODate);
        QCOMPARE(found.join(' '), "2024-05-17T18:00:00 2024-05-18T18:00:00 2024-05-21T18:00:00");
        task.id = 8;
        QCOMPARE(TaskCalendar::events(task, exceptions).first().uid, events.first().uid);
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
        for (const char *line : {"\r\nDTSTART:20300104T170000\r\nRRULE:FREQ=WEEKLY\r\n",
                                 "\r\nDTEND;VALUE=DATE:", "\r\nDTSTAMP:", "\r\nEND:VCALENDAR\r\n"})
            QVERIFY2(text.contains(line), line);

        // The Birthday tab's editor writes the same calendar through the worker.
        {
            StoreWorker<CalendarExport> worker;
            QCOMPARE(ask(worker, CalendarExportWrite, dir.filePath("src/worker.ics")), QVariant(QString()));
            QVERIFY(!ask(worker, CalendarExportWrite, dir.filePath("missing/x.ics")).toString().isEmpty());
        }
        const QRegularExpression stamp("DTSTAMP:\\w+\r\n");
        QCOMPARE(QString(fileContents(dir.filePath("src/worker.ics"))).remove(stamp), QString(text).remove(stamp));

        // No database: a message and a failure, not an empty calendar.
        QVERIFY(QFile::remove(dir.databaseFile()));
        program.start({"--export-ics", "out.ics"});
        QVERIFY(program.process.waitForFinished(10000) && program.process.exitCode() == 1);
    }
};

QTEST_GUILESS_MAIN(TestCalendarExport)
#include "tst_calendarexport.moc"
