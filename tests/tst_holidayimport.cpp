#include "tasks/holidayimport.h"

#include <QTest>

// Holiday calendars as they are published: what each file does to the workday exceptions.
class TestHolidayImport : public QObject
{
    Q_OBJECT

private slots:
    void readData_data()
    {
        QTest::addColumn<QStringList>("events"); // content lines separated by '|'
        QTest::addColumn<QStringList>("listed"); // "yyyy-MM-dd=Workday", ids from 0
        QTest::addColumn<QString>("changes");    // date, W(ork) or R(est), + ticked or -, ! listed day put back
        QTest::addColumn<QString>("skipped");
        // clang-format off
        QTest::newRow("timed make-up day, today") << QStringList{"DTSTART;TZID=Asia/Shanghai:20240601T090000|DTEND;TZID=Asia/Shanghai:20240601T180000|SUMMARY:补班"}
            << QStringList() << "2024-06-01W+" << "";
        QTest::newRow("DURATION, midnight to midnight") << QStringList{"DTSTART;VALUE=DATE:20241001|DURATION:P3D|SUMMARY:国庆节 休", "DTSTART:20241007T000000|DTEND:20241008T000000|SUMMARY:假期"}
            << QStringList() << "2024-10-01R+ 2024-10-02R+ 2024-10-03R+ 2024-10-07R+" << "";
        // From the first year to next year: 2022 and 2023 fall on a weekend, 2020 and 2024 are past.
        QTest::newRow("yearly rule with an exception") << QStringList{"DTSTART;VALUE=DATE:20200101|RRULE:FREQ=YEARLY|EXDATE;VALUE=DATE:20210101|SUMMARY:元旦 休"}
            << QStringList() << "2020-01-01R- 2024-01-01R- 2025-01-01R+" << "";
        QTest::newRow("cancelled, an observance") << QStringList{"DTSTART;VALUE=DATE:20241002|STATUS:CANCELLED|SUMMARY:休", "DTSTART;VALUE=DATE:20240910|SUMMARY:教师节"}
            << QStringList() << "2024-09-10R-" << "跳过 1 个事件：1 个已取消。";
        QTest::newRow("one occurrence replaced") << QStringList{"UID:a|DTSTART;VALUE=DATE:20241001|RRULE:FREQ=DAILY;COUNT=3|SUMMARY:休", "UID:a|RECURRENCE-ID;VALUE=DATE:20241002|DTSTART;VALUE=DATE:20241002|SUMMARY:国庆节"}
            << QStringList() << "2024-10-01R+ 2024-10-02R- 2024-10-03R+" << "";
        QTest::newRow("conflict, agreement") << QStringList{"DTSTART;VALUE=DATE:20241012|SUMMARY:休", "DTSTART;VALUE=DATE:20241001|SUMMARY:放假"}
            << QStringList{"2024-10-12=1", "2024-10-01=0"} << "2024-10-12R-!" << "";
        QTest::newRow("a month at most") << QStringList{"DTSTART;VALUE=DATE:20240203|DURATION:P31D|SUMMARY:班"} << QStringList()
            << "2024-02-03W- 2024-02-04W- 2024-02-10W- 2024-02-11W- 2024-02-17W- 2024-02-18W- 2024-02-24W- 2024-02-25W- 2024-03-02W- 2024-03-03W-" << "";
        QTest::newRow("no date, too long") << QStringList{"SUMMARY:休", "DTSTART;VALUE=DATE:20240101|DTEND;VALUE=DATE:20250101|SUMMARY:休"}
            << QStringList() << "refused" << "跳过 2 个事件：1 个没有日期，1 个超过 31 天。";
        // clang-format on
    }

    void readData()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, listed);
        QFETCH(QString, changes);
        QFETCH(QString, skipped);
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        for (const QString &event : events)
            text += "BEGIN:VEVENT\r\n" + QString(event).replace('|', "\r\n").toUtf8() + "\r\nEND:VEVENT\r\n";
        text += "END:VCALENDAR\r\n";
        QList<TaskWorkdayData> days;
        for (const QString &day : listed)
            days.append({days.size(), QDate::fromString(day.left(10), Qt::ISODate), day.right(1).toInt(), {}});
        HolidayImport::Plan plan;
        QString error;
        const QDate today(2024, 6, 1);
        QCOMPARE(HolidayImport::readData(text, days, today, &plan, &error), changes != "refused");
        QStringList found;
        for (const HolidayImport::Change &c : plan.changes)
            found << c.date.toString(Qt::ISODate) + (c.workday ? "W" : "R") + (c.ticked ? "+" : "-") +
                         (HolidayImport::records({c}).deleted.isEmpty() ? "" : "!");
        QCOMPARE(found.join(' '), changes == "refused" ? "" : changes);
        QCOMPARE(HolidayImport::skippedText(plan.skipped), skipped);
        // A file cut short, or with a NUL that would cut a summary short, is refused rather than read in part, and so
        // is one larger than a holiday calendar can be, or naming more than ten years of days (both limits are read).
        for (const auto &bad : {text.chopped(16), QByteArray(text).replace("SUMMARY:", QByteArray("SUMMARY:\0", 9))})
            QVERIFY(!HolidayImport::readData(bad, days, today, &plan, &error));
        const QByteArray largest = text + QByteArray(HolidayImport::MaxFileBytes - text.size(), '\n');
        QCOMPARE(HolidayImport::readData(largest, days, today, &plan, &error), changes != "refused");
        QVERIFY(!HolidayImport::readData(largest + '\n', days, today, &plan, &error));
        for (const int extra : {0, 1}) {
            QByteArray decade = "BEGIN:VCALENDAR\r\n";
            for (int day = 0; day < HolidayImport::MaxFileDays + extra; day += 31)
                decade += "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + today.addDays(day).toString("yyyyMMdd").toLatin1() +
                          "\r\nDURATION:P" + QByteArray::number(qMin(31, HolidayImport::MaxFileDays + extra - day)) +
                          "D\r\nSUMMARY:假\r\nEND:VEVENT\r\n";
            QCOMPARE(HolidayImport::readData(decade + "END:VCALENDAR\r\n", days, today, &plan, &error), !extra);
        }
    }
};

QTEST_GUILESS_MAIN(TestHolidayImport)
#include "tst_holidayimport.moc"
