#include "models/birthdaydates.h"

#include <QTest>

class TestBirthdayDates : public QObject
{
    Q_OBJECT

private slots:
    // The next birthday on or after today + offset: "" for none, " leap" when in a leap month.
    void nextBirthday_data()
    {
        QTest::addColumn<bool>("lunar");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, bool lunar, int month, int day, const char *today, int offset,
                            const char *expected) {
            QTest::newRow(name) << lunar << month << day << QDate::fromString(today, Qt::ISODate) << offset << expected;
        };
        const bool solar = false, lunar = true;
        row("29 Feb before it in a common year", solar, 2, 29, "2023-02-01", 0, "2023-02-28");
        row("29 Feb after it, leap year next", solar, 2, 29, "2023-03-01", 0, "2024-02-29");
        row("29 Feb on the day, offset 1", solar, 2, 29, "2024-02-29", 1, "2025-02-28");
        row("solar today, offset 0", solar, 9, 20, "2024-09-20", 0, "2024-09-20");
        row("solar passed this year", solar, 1, 1, "2024-12-31", 0, "2025-01-01");
        row("no solar month 13", solar, 13, 1, "2024-05-01", 0, "");
        // 2020: the fourth month runs 23 April - 22 May (30 days), the leap fourth 23 May - 20 June (29).
        row("4.1 later in the leap month", lunar, 4, 1, "2020-05-01", 0, "2020-05-23 leap");
        row("today in the leap month", lunar, 4, 10, "2020-06-01", 0, "2020-06-01 leap");
        row("today in the regular month", lunar, 4, 10, "2020-05-02", 0, "2020-05-02");
        row("offset 1 finds the leap month", lunar, 4, 10, "2020-05-02", 1, "2020-06-01 leap");
        row("30th of a 30-day month", lunar, 4, 30, "2020-05-01", 0, "2020-05-22");
        // The leap fourth of 2020 has no 30th; the fourth of 2021 (12 May - 9 June) has 29 days.
        row("29-day leap month passed over", lunar, 4, 30, "2020-05-23", 0, "2021-06-09");
        row("30th in a 29-day month", lunar, 4, 30, "2021-01-01", 0, "2021-06-09");
        // 2017: the sixth month has 29 days (24 June - 22 July), the leap sixth 30 (23 July - 21 August).
        row("29th stands for the 30th before a leap month", lunar, 6, 30, "2017-06-24", 0, "2017-07-22");
        row("30th of a 30-day leap month", lunar, 6, 30, "2017-07-23", 0, "2017-08-21 leap");
        row("twelfth month in January", lunar, 12, 30, "2024-12-01", 0, "2025-01-28");
        // The table ends on 2099-12-31 (lunar 11.20).
        row("last day of the table", lunar, 11, 20, "2099-12-01", 0, "2099-12-31");
        row("next one beyond the table", lunar, 11, 21, "2099-12-01", 0, "");
        row("today beyond the table", lunar, 1, 1, "2100-01-05", 0, "");
        row("no lunar month 13", lunar, 13, 1, "2024-05-01", 0, "");
        row("no lunar day 31", lunar, 1, 31, "2024-05-01", 0, "");
    }
    void nextBirthday()
    {
        QFETCH(bool, lunar);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDate, today);
        QFETCH(int, offset);
        QFETCH(QString, expected);
        bool leap = true;
        const QDate date = lunar ? BirthdayDates::nextLunarBirthday(month, day, leap, offset, today)
                                 : BirthdayDates::nextSolarBirthday(month, day, offset, today);
        QCOMPARE(date.toString(Qt::ISODate) + (lunar && leap ? " leap" : ""), expected);
    }

    // From any day, the answer for days 1-29 is the first day on or after it with that lunar month and
    // day, found here by plain day-by-day search; 2020, 2023 and 2033 have leap months.
    void nextLunarBirthdayIsTheFirstMatch()
    {
        const auto monthDay = [](const QDate &date) {
            int y = 0, m = 0, d = 0;
            BirthdayDates::lunarDateOf(date, y, m, d);
            return m * 100 + d;
        };
        for (const QDate &today : {QDate(2020, 3, 1), QDate(2023, 1, 10), QDate(2033, 9, 1)})
            for (QDate from = today; from < today.addDays(280); from = from.addDays(21))
                for (int month = 1; month <= 12; ++month)
                    for (int day = 1; day <= 29; ++day) {
                        QDate expected = from;
                        while (monthDay(expected) != month * 100 + day)
                            expected = expected.addDays(1);
                        bool leap = false;
                        QVERIFY2(BirthdayDates::nextLunarBirthday(month, day, leap, 0, from) == expected,
                                 qPrintable(QStringLiteral("%1.%2 from %3").arg(month).arg(day).arg(from.toString())));
                    }
    }
};

QTEST_GUILESS_MAIN(TestBirthdayDates)
#include "tst_birthdaydates.moc"
