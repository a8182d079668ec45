#include "birthdays/lunarcalendarinfo.h"

#include <QTest>

#include <thread>
#include <vector>

class TestLunarCalendarInfo : public QObject
{
    Q_OBJECT

private slots:
    // Runs first, so that the concurrent calls are really the first ones.
    void concurrentFirstCallsShareOneInstance()
    {
        std::vector<LunarCalendarInfo *> seen(8, nullptr);
        std::vector<std::thread> threads;
        for (size_t i = 0; i < seen.size(); ++i)
            threads.emplace_back([&seen, i]() { seen[i] = LunarCalendarInfo::instance(); });
        for (std::thread &thread : threads)
            thread.join();
        QVERIFY(seen.front() != nullptr);
        for (LunarCalendarInfo *calendar : seen)
            QCOMPARE(calendar, seen.front());
        QCOMPARE(LunarCalendarInfo::instance(), seen.front());
    }

    void solarToLunar_data()
    {
        QTest::addColumn<int>("solarYear");
        QTest::addColumn<int>("solarMonth");
        QTest::addColumn<int>("solarDay");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");

        QTest::newRow("first day of the table") << 1901 << 2 << 19 << 1901 << 1 << 1;
        QTest::newRow("last day of lunar 2019") << 2020 << 1 << 24 << 2019 << 12 << 30;
        QTest::newRow("leap fourth ends") << 2020 << 6 << 20 << 2020 << 4 << 29;
        QTest::newRow("fifth after the leap") << 2020 << 6 << 21 << 2020 << 5 << 1;
        QTest::newRow("29 February 2000") << 2000 << 2 << 29 << 2000 << 1 << 25;
        QTest::newRow("after 29 February 2000") << 2000 << 3 << 1 << 2000 << 1 << 26;
        QTest::newRow("last day of the table") << 2099 << 12 << 31 << 2099 << 11 << 20;
        // The fourth month of 2025 begins with the new moon of 28 April (China time).
        QTest::newRow("2025 third month has 30 days") << 2025 << 4 << 27 << 2025 << 3 << 30;
        QTest::newRow("2025 fourth month has 29 days") << 2025 << 5 << 26 << 2025 << 4 << 29;
        // Nothing is written outside the table or for a month or day that cannot be.
        QTest::newRow("2100") << 2100 << 1 << 1 << -1 << -1 << -1;
        QTest::newRow("day before the table") << 1901 << 2 << 18 << -1 << -1 << -1;
        QTest::newRow("month 0") << 2020 << 0 << 1 << -1 << -1 << -1;
        QTest::newRow("month 13") << 2020 << 13 << 1 << -1 << -1 << -1;
        QTest::newRow("day 0") << 2020 << 5 << 0 << -1 << -1 << -1;
        QTest::newRow("day 32") << 2020 << 5 << 32 << -1 << -1 << -1;
    }

    void solarToLunar()
    {
        QFETCH(int, solarYear);
        QFETCH(int, solarMonth);
        QFETCH(int, solarDay);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);

        int lunarYear = -1, lunarMonth = -1, lunarDay = -1;
        LunarCalendarInfo::instance()->solarToLunar(solarYear, solarMonth, solarDay, lunarYear, lunarMonth, lunarDay);
        QCOMPARE(QList<int>({lunarYear, lunarMonth, lunarDay}), QList<int>({year, month, day}));
    }

    // Each day follows the previous one: day + 1, or day 1 after a 29th/30th; one leap month at most a year;
    // years of 353-355 or 383-385 days beginning between 21 January and 20 February.
    void wholeRangeIsConsistent()
    {
        const LunarCalendarInfo *calendar = LunarCalendarInfo::instance();
        const QDate first(1901, 2, 19); // where the table starts
        int year = 0, month = 0, day = 0;
        calendar->solarToLunar(first.year(), first.month(), first.day(), year, month, day);
        QCOMPARE(QList<int>({year, month, day}), QList<int>({1901, 1, 1}));

        QDate newYear = first;
        int leapMonths = 0;
        int yearsChecked = 0;
        for (QDate date = first.addDays(1); date <= LunarCalendarInfo::lastDate(); date = date.addDays(1)) {
            int y = 0, m = 0, d = 0;
            calendar->solarToLunar(date.year(), date.month(), date.day(), y, m, d);
            const QString where = date.toString(Qt::ISODate);
            if (d == day + 1) {
                QVERIFY2(y == year && m == month && d <= 30, qPrintable(where));
            } else {
                QVERIFY2(d == 1 && (day == 29 || day == 30), qPrintable(where));
                if (y == year && m == month) {
                    ++leapMonths;
                    QVERIFY2(leapMonths == 1, qPrintable(where));
                } else if (y == year) {
                    QVERIFY2(m == month + 1, qPrintable(where));
                } else {
                    QVERIFY2(y == year + 1 && month == 12 && m == 1, qPrintable(where));
                    const qint64 length = newYear.daysTo(date);
                    QVERIFY2((length >= 353 && length <= 355) || (length >= 383 && length <= 385), qPrintable(where));
                    QVERIFY2((length > 355) == (leapMonths == 1), qPrintable(where));
                    QVERIFY2(date >= QDate(date.year(), 1, 21) && date <= QDate(date.year(), 2, 20), qPrintable(where));
                    newYear = date;
                    leapMonths = 0;
                    ++yearsChecked;
                }
            }
            year = y;
            month = m;
            day = d;
        }
        QCOMPARE(yearsChecked, 2099 - 1901);
    }
};

QTEST_GUILESS_MAIN(TestLunarCalendarInfo)
#include "tst_lunarcalendarinfo.moc"
