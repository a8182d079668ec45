#include "birthdays/chinesenumerals.h"
#include "models/lunarcalendarinfo.h"

#include <QTest>
#include <tuple>

class TestLunarCalendarInfo : public QObject
{
    Q_OBJECT

private slots:
    // A few fixed points; nothing is written outside the table or for a month or day that cannot be.
    void solarToLunar_data()
    {
        QTest::addColumn<QList<int>>("solar");
        QTest::addColumn<QString>("lunar");
        const auto row = [](const char *name, int y, int m, int d, const char *lunar) {
            QTest::newRow(name) << QList<int>{y, m, d} << lunar;
        };
        row("leap fourth ends", 2020, 6, 20, "2020.4.29");
        // The fourth month of 2025 begins with the new moon of 28 April (China time).
        row("2025 third month has 30 days", 2025, 4, 27, "2025.3.30");
        row("2025 fourth month has 29 days", 2025, 5, 26, "2025.4.29");
        row("last day of the table", 2099, 12, 31, "2099.11.20");
        row("2100", 2100, 1, 1, "-1.-1.-1");
        row("day before the table", 1901, 2, 18, "-1.-1.-1");
        row("month 0", 2020, 0, 1, "-1.-1.-1");
        row("month 13", 2020, 13, 1, "-1.-1.-1");
        row("day 0", 2020, 5, 0, "-1.-1.-1");
        row("day 32", 2020, 5, 32, "-1.-1.-1");
    }
    void solarToLunar()
    {
        QFETCH(QList<int>, solar);
        QFETCH(QString, lunar);
        int year = -1, month = -1, day = -1;
        LunarCalendarInfo::instance()->solarToLunar(solar[0], solar[1], solar[2], year, month, day);
        QCOMPARE(QStringLiteral("%1.%2.%3").arg(year).arg(month).arg(day), lunar);
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
        int leapMonths = 0, yearsChecked = 0;
        for (QDate date = first.addDays(1); date <= LunarCalendarInfo::lastDate(); date = date.addDays(1)) {
            int y = 0, m = 0, d = 0;
            calendar->solarToLunar(date.year(), date.month(), date.day(), y, m, d);
            const QByteArray where = date.toString(Qt::ISODate).toLatin1();
            if (d == day + 1) {
                QVERIFY2(y == year && m == month && d <= 30, where);
            } else {
                QVERIFY2(d == 1 && (day == 29 || day == 30), where);
                if (y == year && m == month) {
                    QVERIFY2(++leapMonths == 1, where);
                } else if (y == year) {
                    QVERIFY2(m == month + 1, where);
                } else {
                    QVERIFY2(y == year + 1 && month == 12 && m == 1, where);
                    const qint64 length = newYear.daysTo(date);
                    QVERIFY2((length >= 353 && length <= 355) || (length >= 383 && length <= 385), where);
                    QVERIFY2((length > 355) == (leapMonths == 1), where);
                    QVERIFY2(date >= QDate(date.year(), 1, 21) && date <= QDate(date.year(), 2, 20), where);
                    newYear = date;
                    leapMonths = 0;
                    ++yearsChecked;
                }
            }
            std::tie(year, month, day) = std::tie(y, m, d);
        }
        QCOMPARE(yearsChecked, 2099 - 1901);
    }

    // Lunar years read in Chinese numerals, in Simplified Chinese only.
    void yearText_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale chinese(QLocale::Chinese, QLocale::AnyCountry);
        QTest::newRow("every digit") << 2035 << chinese << "二〇三五";
        QTest::newRow("zeros") << 1900 << chinese << "一九〇〇";
        QTest::newRow("simplified Chinese by name") << 2024 << QLocale(QStringLiteral("zh_CN")) << "二〇二四";
        QTest::newRow("English keeps digits") << 1994 << QLocale(QLocale::English, QLocale::UnitedStates) << "1994";
        QTest::newRow("traditional Chinese keeps digits")
            << 1994 << QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan) << "1994";
    }
    void yearText()
    {
        QFETCH(int, year);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(ChineseNumerals::yearText(year, locale), text);
    }
};

QTEST_GUILESS_MAIN(TestLunarCalendarInfo)
#include "tst_lunarcalendarinfo.moc"
