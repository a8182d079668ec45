#include "birthdays/birthdayreminder.h"

#include <QTest>

namespace {

const int NoOperation = -1;
const QString Icon = QStringLiteral("src/icon/birthday/3.png");

// A solar birthday on the month and day of the given date, born 1994, all reminders on, none done.
BirthdayInfoData solarBirthday(const QDate &recent)
{
    BirthdayInfoData b;
    b.id = 5;
    b.Name = QStringLiteral("王小明");
    b.CallName = QStringLiteral("明明");
    b.Gender = true;
    b.IsLunar = false;
    b.SolarDate = QDate(1994, recent.month(), recent.day());
    b.RecentDate = recent;
    b.IconPath = Icon;
    b.Notice1 = b.Notice3 = b.Notice7 = true;
    return b;
}

BirthdayInfoData lunarBirthday(int month, int day, const QDate &recent)
{
    BirthdayInfoData b = solarBirthday(recent);
    b.IsLunar = true;
    b.SolarDate = QDate(2024, 1, 1); // the day it was saved; not a birth date
    b.LunarYear = 1990;
    b.LunarMonth = month;
    b.LunarDay = day;
    return b;
}

NoticeConfigData notices(bool central, bool normal)
{
    NoticeConfigData config;
    config.CN_EnableBirthday = central;
    config.NN_EnableBirthday = normal;
    return config;
}

} // namespace

class TestBirthdayReminder : public QObject
{
    Q_OBJECT

private slots:
    void evaluate_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<NoticeConfigData>("config");
        QTest::addColumn<QString>("flags"); // HasNoticed0, 1, 3, 7 after the evaluation
        QTest::addColumn<int>("operation");
        QTest::addColumn<QDate>("recent");
        QTest::addColumn<bool>("leap");
        QTest::addColumn<QStringList>("central");
        QTest::addColumn<QStringList>("normal");

        const QDate today(2024, 5, 20);
        const NoticeConfigData both = notices(true, true);

        QTest::newRow("started two days before, 7/3/1 on")
            << solarBirthday(QDate(2024, 5, 22)) << today << both << "0011" << int(BirthdayInfoUpdateNoticed)
            << QDate(2024, 5, 22) << false << QStringList{"后天 (2024-05-22)是明明的生日"}
            << QStringList{"明明", "male", "30", "solar", "5.22", "后天 (2024-05-22)", Icon};
        QTest::newRow("five days late") << solarBirthday(QDate(2024, 5, 15)) << today << both << "1111"
                                        << int(BirthdayInfoUpdateRecentDate) << QDate(2025, 5, 15) << false
                                        << QStringList{"5天前 (2024-05-15)是明明的生日"}
                                        << QStringList{"明明", "male", "30", "solar", "5.15", "5天前 (2024-05-15)",
                                                       Icon};
        QTest::newRow("seven days late") << solarBirthday(QDate(2024, 5, 13)) << today << notices(true, false) << "1111"
                                         << int(BirthdayInfoUpdateRecentDate) << QDate(2025, 5, 13) << false
                                         << QStringList{"7天前 (2024-05-13)是明明的生日"} << QStringList();
        QTest::newRow("ten days late") << solarBirthday(QDate(2024, 5, 10)) << today << both << "1111"
                                       << int(BirthdayInfoUpdateRecentDate) << QDate(2025, 5, 10) << false
                                       << QStringList() << QStringList();
        QTest::newRow("on the day, both switches off")
            << solarBirthday(today) << today << notices(false, false) << "1111" << int(BirthdayInfoUpdateRecentDate)
            << QDate(2025, 5, 20) << false << QStringList() << QStringList();
        QTest::newRow("on the day") << solarBirthday(today) << today << both << "1111"
                                    << int(BirthdayInfoUpdateRecentDate) << QDate(2025, 5, 20) << false
                                    << QStringList{"今天是明明的生日"}
                                    << QStringList{"明明", "male", "30", "solar", "5.20", "生日快乐", Icon};
        QTest::newRow("yesterday, popup only")
            << solarBirthday(QDate(2024, 5, 19)) << today << notices(false, true) << "1111"
            << int(BirthdayInfoUpdateRecentDate) << QDate(2025, 5, 19) << false << QStringList()
            << QStringList{"明明", "male", "30", "solar", "5.19", "昨天", Icon};

        BirthdayInfoData oneDay = solarBirthday(QDate(2024, 5, 21));
        oneDay.Notice3 = oneDay.Notice7 = false;
        QTest::newRow("tomorrow, one-day reminder only")
            << oneDay << today << both << "0100" << int(BirthdayInfoUpdateNoticed) << QDate(2024, 5, 21) << false
            << QStringList{"明天是明明的生日"} << QStringList{"明明", "male", "30", "solar", "5.21", "明天", Icon};
        QTest::newRow("seven days ahead")
            << solarBirthday(QDate(2024, 5, 27)) << today << both << "0001" << int(BirthdayInfoUpdateNoticed)
            << QDate(2024, 5, 27) << false << QStringList{"7天后 (2024-05-27)是明明的生日"}
            << QStringList{"明明", "male", "30", "solar", "5.27", "7天后 (2024-05-27)", Icon};
        QTest::newRow("three days ahead marks the passed seven-day window")
            << solarBirthday(QDate(2024, 5, 23)) << today << both << "0011" << int(BirthdayInfoUpdateNoticed)
            << QDate(2024, 5, 23) << false << QStringList{"3天后 (2024-05-23)是明明的生日"}
            << QStringList{"明明", "male", "30", "solar", "5.23", "3天后 (2024-05-23)", Icon};
        QTest::newRow("one day ahead, three- and one-day reminders off, seven on") <<
            [&] {
                BirthdayInfoData b = solarBirthday(QDate(2024, 5, 21));
                b.Notice1 = b.Notice3 = false;
                return b;
            }() << today << both << "0001" << int(BirthdayInfoUpdateNoticed) << QDate(2024, 5, 21)
                                                                                   << false << QStringList()
                                                                                   << QStringList();
        QTest::newRow("eight days ahead") << solarBirthday(QDate(2024, 5, 28)) << today << both << "0000" << NoOperation
                                          << QDate(2024, 5, 28) << false << QStringList() << QStringList();
        BirthdayInfoData noSeven = solarBirthday(QDate(2024, 5, 24));
        noSeven.Notice7 = false;
        QTest::newRow("four days ahead without the seven-day reminder")
            << noSeven << today << both << "0000" << NoOperation << QDate(2024, 5, 24) << false << QStringList()
            << QStringList();
        BirthdayInfoData done = solarBirthday(QDate(2024, 5, 22));
        done.HasNoticed3 = done.HasNoticed7 = true;
        QTest::newRow("already reminded") << done << today << both << "0011" << NoOperation << QDate(2024, 5, 22)
                                          << false << QStringList() << QStringList();

        BirthdayInfoData female = solarBirthday(QDate(2024, 5, 21));
        female.Gender = false;
        female.CallName.clear();
        female.IgnoreSolarYear = true;
        QTest::newRow("female, no call name, no birth year")
            << female << today << both << "0111" << int(BirthdayInfoUpdateNoticed) << QDate(2024, 5, 21) << false
            << QStringList{"明天是王小明的生日"} << QStringList{"王小明", "famale", "-", "solar", "5.21", "明天", Icon};

        // 2020-05-02 is the 10th of the fourth month; the leap fourth month brings it again on 1 June.
        QTest::newRow("lunar, next one in the leap month")
            << lunarBirthday(4, 10, QDate(2020, 5, 2)) << QDate(2020, 5, 2) << both << "1111"
            << int(BirthdayInfoUpdateRecentDate) << QDate(2020, 6, 1) << true << QStringList{"今天是明明的生日"}
            << QStringList{"明明", "male", "30", "lunar", "4.10", "生日快乐", Icon};
        BirthdayInfoData lunarNoYear = lunarBirthday(12, 30, QDate(2025, 1, 28));
        lunarNoYear.IgnoreLunarYear = true;
        QTest::newRow("lunar 12.30 missed two days, no birth year")
            << lunarNoYear << QDate(2025, 1, 30) << both << "1111" << int(BirthdayInfoUpdateRecentDate)
            << QDate(2026, 2, 16) << false << QStringList{"前天 (2025-01-28)是明明的生日"}
            << QStringList{"明明", "male", "-", "lunar", "12.30", "前天 (2025-01-28)", Icon};
        // The lunar calendar ends on 2099-12-31 (11.20): the date stays and only the flags are stored.
        QTest::newRow("no next occurrence within the calendar")
            << lunarBirthday(11, 20, QDate(2099, 12, 31)) << QDate(2099, 12, 31) << both << "1111"
            << int(BirthdayInfoUpdateNoticed) << QDate(2099, 12, 31) << false << QStringList{"今天是明明的生日"}
            << QStringList{"明明", "male", "109", "lunar", "11.20", "生日快乐", Icon};
    }

    void evaluate()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QDate, today);
        QFETCH(NoticeConfigData, config);
        QFETCH(QString, flags);
        QFETCH(int, operation);
        QFETCH(QDate, recent);
        QFETCH(bool, leap);
        QFETCH(QStringList, central);
        QFETCH(QStringList, normal);

        BirthdayReminder reminder(record);
        const BirthdayReminder::Outcome outcome = reminder.evaluate(today, config);
        const BirthdayInfoData &after = outcome.record;
        const QString stored = QString::number(after.HasNoticed0) + QString::number(after.HasNoticed1) +
                               QString::number(after.HasNoticed3) + QString::number(after.HasNoticed7);
        QCOMPARE(stored, flags);
        QCOMPARE(outcome.sendOperation ? int(outcome.operation) : NoOperation, operation);
        QCOMPARE(after.RecentDate, recent);
        QCOMPARE(after.IsLeapMonth, leap);
        QCOMPARE(outcome.centralNotice, central);
        QCOMPARE(outcome.normalNotice, normal);
        QCOMPARE(reminder.record(), after);

        // Only what the evaluation may change has changed.
        BirthdayInfoData rest = after;
        rest.HasNoticed0 = record.HasNoticed0;
        rest.HasNoticed1 = record.HasNoticed1;
        rest.HasNoticed3 = record.HasNoticed3;
        rest.HasNoticed7 = record.HasNoticed7;
        rest.RecentDate = record.RecentDate;
        rest.IsLeapMonth = record.IsLeapMonth;
        QCOMPARE(rest, record);
    }

    // The row evaluates every 30 seconds: a reminder fires once, and the labels change only when the
    // countdown does or something fires.
    void repeatedEvaluation()
    {
        BirthdayReminder reminder(solarBirthday(QDate(2024, 5, 22)));
        const NoticeConfigData config = notices(true, true);

        BirthdayReminder::Outcome first = reminder.evaluate(QDate(2024, 5, 20), config);
        QVERIFY(first.fired && first.refreshLabels && first.countdownChanged);
        QCOMPARE(first.days, 2);
        QCOMPARE(first.ageText, QStringLiteral("30"));

        BirthdayReminder::Outcome again = reminder.evaluate(QDate(2024, 5, 20), config);
        QVERIFY(!again.fired && !again.refreshLabels && !again.sendOperation);
        QVERIFY(again.centralNotice.isEmpty() && again.normalNotice.isEmpty());

        BirthdayReminder::Outcome nextDay = reminder.evaluate(QDate(2024, 5, 21), config);
        QVERIFY(nextDay.fired && nextDay.countdownChanged);
        QCOMPARE(nextDay.operation, BirthdayInfoUpdateNoticed);
        QCOMPARE(nextDay.centralNotice, QStringList{QStringLiteral("明天是明明的生日")});

        // On the day the date moves on; the row's copy keeps its flags, so the new date stays quiet.
        BirthdayReminder::Outcome onTheDay = reminder.evaluate(QDate(2024, 5, 22), config);
        QCOMPARE(onTheDay.operation, BirthdayInfoUpdateRecentDate);
        QCOMPARE(onTheDay.days, 0);
        QCOMPARE(onTheDay.ageText, QStringLiteral("30"));
        BirthdayReminder::Outcome after = reminder.evaluate(QDate(2024, 5, 22), config);
        QVERIFY(!after.fired && !after.sendOperation && after.countdownChanged);
        QCOMPARE(after.days, 365);
        QCOMPARE(after.ageText, QStringLiteral("31"));
    }

    void noNextOccurrenceStaysQuiet()
    {
        BirthdayReminder reminder(lunarBirthday(11, 20, QDate(2099, 12, 31)));
        const NoticeConfigData config = notices(true, true);
        QVERIFY(reminder.evaluate(QDate(2099, 12, 31), config).fired);
        for (int late = 0; late < 10; ++late) {
            const BirthdayReminder::Outcome outcome = reminder.evaluate(QDate(2099, 12, 31).addDays(late), config);
            QVERIFY(!outcome.fired && !outcome.sendOperation);
            QCOMPARE(outcome.record.RecentDate, QDate(2099, 12, 31));
        }
    }

    void dayWord_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("word");

        QTest::newRow("7") << 7 << "7天后 (2024-06-01)";
        QTest::newRow("3") << 3 << "3天后 (2024-06-01)";
        QTest::newRow("2") << 2 << "后天 (2024-06-01)";
        QTest::newRow("1") << 1 << "明天";
        QTest::newRow("0") << 0 << "今天";
        QTest::newRow("-1") << -1 << "昨天";
        QTest::newRow("-2") << -2 << "前天 (2024-06-01)";
        QTest::newRow("-3") << -3 << "3天前 (2024-06-01)";
        QTest::newRow("-7") << -7 << "7天前 (2024-06-01)";
    }

    void dayWord()
    {
        QFETCH(int, days);
        QFETCH(QString, word);
        QCOMPARE(BirthdayReminder::dayWord(days, QDate(2024, 6, 1)), word);
    }

    void ages_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("atOccurrence");

        QTest::newRow("solar, occurrence next year") << solarBirthday(QDate(2025, 1, 5)) << QDate(2024, 12, 30) << "30"
                                                     << "31";
        // 2025-01-05 still lies in lunar 2024 (the new year is 29 January).
        QTest::newRow("lunar, occurrence before the lunar new year")
            << lunarBirthday(12, 6, QDate(2025, 1, 5)) << QDate(2024, 12, 30) << "34"
            << "34";
        QTest::newRow("lunar, occurrence after the lunar new year")
            << lunarBirthday(1, 3, QDate(2025, 1, 31)) << QDate(2024, 12, 30) << "34"
            << "35";
        BirthdayInfoData noYear = lunarBirthday(1, 3, QDate(2025, 1, 31));
        noYear.IgnoreLunarYear = true;
        QTest::newRow("lunar without a birth year") << noYear << QDate(2024, 12, 30) << "-"
                                                    << "-";
        BirthdayInfoData otherYearIgnored = lunarBirthday(1, 3, QDate(2025, 1, 31));
        otherYearIgnored.IgnoreSolarYear = true;
        QTest::newRow("lunar ignores the solar switch") << otherYearIgnored << QDate(2024, 12, 30) << "34"
                                                        << "35";
    }

    void ages()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QDate, today);
        QFETCH(QString, current);
        QFETCH(QString, atOccurrence);

        QCOMPARE(BirthdayReminder::currentAgeText(record, today), current);
        QCOMPARE(BirthdayReminder::occurrenceAgeText(record), atOccurrence);
    }
};

QTEST_GUILESS_MAIN(TestBirthdayReminder)
#include "tst_birthdayreminder.moc"
