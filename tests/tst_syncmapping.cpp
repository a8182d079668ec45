#include "models/tasktiming.h"
#include "sync/syncmapping.h"

#include <QTest>

// Events of other calendar clients as tasks, and the program's own events read back.
class TestSyncMapping : public QObject
{
    Q_OBJECT

    // Wednesday noon.
    const QDateTime now{QDate(2026, 6, 10), QTime(12, 0)};

    static QByteArray event(const QByteArray &lines, const QByteArray &uid = "a@phone")
    {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
               "\r\nDTSTAMP:20260601T000000Z\r\nSUMMARY:Call\r\n" + lines + "END:VEVENT\r\nEND:VCALENDAR\r\n";
    }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("cycle"); // -1: not taken
        QTest::addColumn<QDateTime>("due");
        const auto at = [](int month, int day, int hour) {
            return QDateTime(QDate(2026, month, day), QTime(hour, 0));
        };
        const QDateTime none;
        // clang-format off
        QTest::newRow("single time ahead") << event("DTSTART:20260611T090000\r\n") << 0 << at(6, 11, 9);
        QTest::newRow("single time in UTC") << event("DTSTART:20260611T090000Z\r\n") << 0 << QDateTime(QDate(2026, 6, 11), QTime(9, 0), Qt::UTC).toLocalTime();
        QTest::newRow("single time past") << event("DTSTART:20260609T090000\r\n") << -1 << none;
        QTest::newRow("single time now") << event("DTSTART:20260610T120000\r\n") << -1 << none;
        QTest::newRow("daily, time of day passed") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=DAILY\r\n") << 1 << at(6, 11, 8);
        QTest::newRow("daily, later today") << event("DTSTART:20260101T150000\r\nRRULE:FREQ=DAILY\r\n") << 1 << at(6, 10, 15);
        QTest::newRow("weekly on the start's day") << event("DTSTART:20260105T090000\r\nRRULE:FREQ=WEEKLY\r\n") << 3 << at(6, 15, 9);
        QTest::newRow("weekly on Friday") << event("DTSTART:20260105T090000\r\nRRULE:FREQ=WEEKLY;BYDAY=FR\r\n") << 3 << at(6, 12, 9);
        QTest::newRow("weekly, starts ahead on another day") << event("DTSTART:20260615T090000\r\nRRULE:FREQ=WEEKLY;BYDAY=TH\r\n") << 3 << at(6, 18, 9);
        QTest::newRow("Monday to Friday") << event("DTSTART:20260101T180000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\r\n") << 2 << at(6, 10, 18);
        QTest::newRow("daily on weekdays from a Saturday") << event("DTSTART:20260613T080000\r\nRRULE:FREQ=DAILY;BYDAY=FR,MO,TU,WE,TH\r\n") << 2 << at(6, 15, 8);
        QTest::newRow("weekdays, a day left out") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\r\nEXDATE:20260611T080000\r\n") << 2 << at(6, 11, 8);
        QTest::newRow("daily, left out later today") << event("DTSTART:20260101T150000\r\nRRULE:FREQ=DAILY\r\nEXDATE:20260610T150000\r\n") << -1 << none;
        QTest::newRow("daily, a day left out before") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=DAILY\r\nEXDATE:20260605T080000\r\n") << 1 << at(6, 11, 8);
        QTest::newRow("two weekdays") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n") << -1 << none;
        QTest::newRow("first Friday") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=WEEKLY;BYDAY=1FR\r\n") << -1 << none;
        QTest::newRow("monthly") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=MONTHLY\r\n") << -1 << none;
        QTest::newRow("every other day") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=DAILY;INTERVAL=2\r\n") << -1 << none;
        QTest::newRow("ends") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=DAILY;COUNT=500\r\n") << -1 << none;
        QTest::newRow("all day") << event("DTSTART;VALUE=DATE:20260611\r\n") << -1 << none;
        QTest::newRow("cancelled") << event("DTSTART:20260611T090000\r\nSTATUS:CANCELLED\r\n") << -1 << none;
        QTest::newRow("a to-do") << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:t\r\nEND:VTODO\r\nEND:VCALENDAR\r\n") << -1 << none;
        QTest::newRow("a birthday of this program") << event("DTSTART;VALUE=DATE:20260611\r\n", "birthday-3-20260611@pemmora") << -1 << none;
        QTest::newRow("one occurrence edited") << event("DTSTART:20260101T080000\r\nRRULE:FREQ=DAILY\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:a@phone\r\nDTSTART:20260612T100000\r\nRECURRENCE-ID:20260612T080000\r\n") << -1 << none;
        QTest::newRow("no calendar") << QByteArray("<html/>") << -1 << none;
        // clang-format on
        // What the program writes for a task reads back as the same task.
        for (const int cycle : {CycleOnce, CycleDaily, CycleWorkday, CycleWeekly}) {
            const TaskListData task{-1, QStringLiteral("Call, 第一; 二"), at(6, 12, 9), "", cycle};
            QTest::addRow("own, cycle %d", cycle)
                << SyncMapping::taskObject(task, QStringLiteral("x@y"), now, {}).data << cycle << at(6, 12, 9);
        }
    }

    void read()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, cycle);
        QFETCH(QDateTime, due);
        const SyncMapping::Reading reading = SyncMapping::read(data, now, {});
        QCOMPARE(reading.taken, cycle >= 0);
        QCOMPARE(reading.reason.isEmpty(), reading.taken || data.contains("DTSTART:2026060") ||
                                               data.contains("DTSTART:20260610T12") || data.contains("birthday-"));
        QCOMPARE(reading.task.NoticeCycle, std::max(cycle, 0));
        QCOMPARE(reading.task.TaskTimeSee, due);
        if (reading.taken)
            QCOMPARE(reading.task.TaskName, QString::fromUtf8(data.contains("Call\\,") ? "Call, 第一; 二" : "Call"));
    }
};

QTEST_GUILESS_MAIN(TestSyncMapping)
#include "tst_syncmapping.moc"
