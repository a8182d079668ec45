#include "birthdays/birthdaydates.h"

#include <QTest>

class TestBirthdayDates : public QObject
{
    Q_OBJECT

private slots:
    void nextSolarBirthday_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QDate>("expected");

        QTest::newRow("29 Feb before it in a common year") << 2 << 29 << QDate(2023, 2, 1) << 0 << QDate(2023, 2, 28);
        QTest::newRow("29 Feb after it, leap year next") << 2 << 29 << QDate(2023, 3, 1) << 0 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb after it in a leap year") << 2 << 29 << QDate(2024, 3, 1) << 0 << QDate(2025, 2, 28);
        QTest::newRow("29 Feb on the day, offset 1") << 2 << 29 << QDate(2024, 2, 29) << 1 << QDate(2025, 2, 28);
        QTest::newRow("28 Feb of a common year, offset 1") << 2 << 29 << QDate(2023, 2, 28) << 1 << QDate(2024, 2, 29);
        QTest::newRow("today, offset 0") << 9 << 20 << QDate(2024, 9, 20) << 0 << QDate(2024, 9, 20);
        QTest::newRow("today, offset 1") << 9 << 20 << QDate(2024, 9, 20) << 1 << QDate(2025, 9, 20);
        QTest::newRow("passed this year") << 1 << 1 << QDate(2024, 12, 31) << 0 << QDate(2025, 1, 1);
        QTest::newRow("no such month") << 13 << 1 << QDate(2024, 5, 1) << 0 << QDate();
    }

    void nextSolarBirthday()
    {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDate, today);
        QFETCH(int, offset);
        QFETCH(QDate, expected);
        QCOMPARE(BirthdayDates::nextSolarBirthday(month, day, offset, today), expected);
    }

    void nextLunarBirthday_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<bool>("leap");

        // 2020: the fourth month runs 23 April - 22 May (30 days), the leap fourth 23 May - 20 June (29).
        QTest::newRow("4.1 later in the leap month") << 4 << 1 << QDate(2020, 5, 1) << 0 << QDate(2020, 5, 23) << true;
        QTest::newRow("today in the leap month") << 4 << 10 << QDate(2020, 6, 1) << 0 << QDate(2020, 6, 1) << true;
        QTest::newRow("today in the regular month") << 4 << 10 << QDate(2020, 5, 2) << 0 << QDate(2020, 5, 2) << false;
        QTest::newRow("offset 1 finds the leap month")
            << 4 << 10 << QDate(2020, 5, 2) << 1 << QDate(2020, 6, 1) << true;
        QTest::newRow("30th of a 30-day month") << 4 << 30 << QDate(2020, 5, 1) << 0 << QDate(2020, 5, 22) << false;
        // The leap fourth of 2020 has no 30th; the fourth of 2021 (12 May - 9 June) has 29 days.
        QTest::newRow("29-day leap month passed over")
            << 4 << 30 << QDate(2020, 5, 23) << 0 << QDate(2021, 6, 9) << false;
        QTest::newRow("30th in a 29-day month") << 4 << 30 << QDate(2021, 1, 1) << 0 << QDate(2021, 6, 9) << false;
        QTest::newRow("30th asked on the 29th") << 4 << 30 << QDate(2021, 6, 9) << 0 << QDate(2021, 6, 9) << false;
        // 2017: the sixth month has 29 days (24 June - 22 July), the leap sixth 30 (23 July - 21 August).
        QTest::newRow("29th stands for the 30th before a leap month")
            << 6 << 30 << QDate(2017, 6, 24) << 0 << QDate(2017, 7, 22) << false;
        QTest::newRow("30th of a 30-day leap month")
            << 6 << 30 << QDate(2017, 7, 23) << 0 << QDate(2017, 8, 21) << true;
        // 2023: the leap second month has 29 days; 2024's second has 30.
        QTest::newRow("30th after a short leap second")
            << 2 << 30 << QDate(2023, 3, 22) << 0 << QDate(2024, 4, 8) << false;
        QTest::newRow("twelfth month in January") << 12 << 30 << QDate(2024, 12, 1) << 0 << QDate(2025, 1, 28) << false;
        QTest::newRow("2025 fourth month corrected") << 4 << 1 << QDate(2025, 4, 1) << 0 << QDate(2025, 4, 28) << false;
        // The table ends on 2099-12-31 (lunar 11.20).
        QTest::newRow("last day of the table") << 11 << 20 << QDate(2099, 12, 1) << 0 << QDate(2099, 12, 31) << false;
        QTest::newRow("next one beyond the table") << 11 << 21 << QDate(2099, 12, 1) << 0 << QDate() << false;
        QTest::newRow("today beyond the table") << 1 << 1 << QDate(2100, 1, 5) << 0 << QDate() << false;
        QTest::newRow("offset beyond the table") << 11 << 20 << QDate(2099, 12, 31) << 1 << QDate() << false;
        QTest::newRow("no month 13") << 13 << 1 << QDate(2024, 5, 1) << 0 << QDate() << false;
        QTest::newRow("no day 31") << 1 << 31 << QDate(2024, 5, 1) << 0 << QDate() << false;
    }

    void nextLunarBirthday()
    {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDate, today);
        QFETCH(int, offset);
        QFETCH(QDate, expected);
        QFETCH(bool, leap);

        bool isLeapMonth = !leap;
        QCOMPARE(BirthdayDates::nextLunarBirthday(month, day, isLeapMonth, offset, today), expected);
        QCOMPARE(isLeapMonth, leap);
    }

    // From any day, the answer for days 1-29 is the first day on or after it with that lunar month and
    // day, found here by plain day-by-day search.
    void nextLunarBirthdayIsTheFirstMatch_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::newRow("2020, leap fourth month") << QDate(2020, 3, 1);
        QTest::newRow("2023, leap second month") << QDate(2023, 1, 10);
        QTest::newRow("2033, leap eleventh month") << QDate(2033, 9, 1);
    }

    void nextLunarBirthdayIsTheFirstMatch()
    {
        QFETCH(QDate, today);
        const auto monthDay = [](const QDate &date) {
            int y = 0, m = 0, d = 0;
            BirthdayDates::lunarDateOf(date, y, m, d);
            return m * 100 + d;
        };
        for (QDate from = today; from < today.addDays(280); from = from.addDays(21)) {
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= 29; ++day) {
                    QDate expected = from;
                    while (monthDay(expected) != month * 100 + day)
                        expected = expected.addDays(1);
                    bool leap = false;
                    QVERIFY2(BirthdayDates::nextLunarBirthday(month, day, leap, 0, from) == expected,
                             qPrintable(QStringLiteral("%1.%2 from %3").arg(month).arg(day).arg(from.toString())));
                }
            }
        }
    }

    void lunarYearOf_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("year");
        QTest::newRow("before the new year") << QDate(2020, 1, 24) << 2019;
        QTest::newRow("new year's day") << QDate(2020, 1, 25) << 2020;
        QTest::newRow("beyond the table") << QDate(2100, 1, 1) << 0;
        QTest::newRow("invalid date") << QDate() << 0;
    }

    void lunarYearOf()
    {
        QFETCH(QDate, date);
        QFETCH(int, year);
        QCOMPARE(BirthdayDates::lunarYearOf(date), year);
    }
};

QTEST_GUILESS_MAIN(TestBirthdayDates)
#include "tst_birthdaydates.moc"
