#include "birthdays/birthdayreminder.h"
#include "common/birthdayrecord.h"

#include <QTest>

namespace {

const QString Icon = solarBirthday(QDate(2024, 1, 1)).IconPath;
enum Shown
{
    None = 0,
    Central = 1,
    Popup = 2,
    Both = 3
};

// One evaluation: the notices enabled, the done-flags HasNoticed0/1/3/7 after it, the operation sent
// (-1 for none), the stored date and the two notices ("" for none; the popup's texts joined by '|',
// without the icon).
void addEvaluation(const char *name, const BirthdayInfoData &record, const QDate &today, int shown, const char *flags,
                   int operation, const QDate &recent, const QString &central, const QString &popup, bool leap = false)
{
    NoticeConfigData config;
    config.CN_EnableBirthday = shown & Central;
    config.NN_EnableBirthday = shown & Popup;
    QTest::newRow(name) << record << today << config << QString::fromLatin1(flags) << operation << recent << leap
                        << (central.isEmpty() ? QStringList() : QStringList{central})
                        << (popup.isEmpty() ? QStringList() : popup.split(QLatin1Char('|')) << Icon);
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
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QDate>("recent");
        QTest::addColumn<bool>("leap");
        QTest::addColumn<QStringList>("central");
        QTest::addColumn<QStringList>("normal");

        const int N = BirthdayInfoUpdateNoticed;
        const int R = BirthdayInfoUpdateRecentDate;
        const QDate today(2024, 5, 20);
        addEvaluation("started two days before, 7/3/1 on", solarBirthday(QDate(2024, 5, 22)), today, Both, "0011", N,
                      QDate(2024, 5, 22), "后天 (2024-05-22)是明明的生日", "明明|male|30|solar|5.22|后天 (2024-05-22)");
        addEvaluation("five days late", solarBirthday(QDate(2024, 5, 15)), today, Both, "1111", R, QDate(2025, 5, 15),
                      "5天前 (2024-05-15)是明明的生日", "明明|male|30|solar|5.15|5天前 (2024-05-15)");
        addEvaluation("seven days late, central only", solarBirthday(QDate(2024, 5, 13)), today, Central, "1111", R,
                      QDate(2025, 5, 13), "7天前 (2024-05-13)是明明的生日", "");
        addEvaluation("ten days late", solarBirthday(QDate(2024, 5, 10)), today, Both, "1111", R, QDate(2025, 5, 10),
                      "", "");
        addEvaluation("on the day, both switches off", solarBirthday(today), today, None, "1111", R, QDate(2025, 5, 20),
                      "", "");
        addEvaluation("on the day", solarBirthday(today), today, Both, "1111", R, QDate(2025, 5, 20),
                      "今天是明明的生日", "明明|male|30|solar|5.20|生日快乐");
        addEvaluation("seven days ahead", solarBirthday(QDate(2024, 5, 27)), today, Both, "0001", N, QDate(2024, 5, 27),
                      "7天后 (2024-05-27)是明明的生日", "明明|male|30|solar|5.27|7天后 (2024-05-27)");
        addEvaluation("eight days ahead", solarBirthday(QDate(2024, 5, 28)), today, Both, "0000", -1,
                      QDate(2024, 5, 28), "", "");
        addEvaluation("three days ahead marks the passed seven-day window", solarBirthday(QDate(2024, 5, 23)), today,
                      Both, "0011", N, QDate(2024, 5, 23), "3天后 (2024-05-23)是明明的生日",
                      "明明|male|30|solar|5.23|3天后 (2024-05-23)");

        BirthdayInfoData b = solarBirthday(QDate(2024, 5, 24));
        b.Notice7 = false;
        addEvaluation("four days ahead without the seven-day reminder", b, today, Both, "0000", -1, QDate(2024, 5, 24),
                      "", "");
        b = solarBirthday(QDate(2024, 5, 21));
        b.Notice1 = b.Notice3 = false;
        addEvaluation("tomorrow, only the passed seven-day reminder on", b, today, Both, "0001", N, QDate(2024, 5, 21),
                      "", "");
        // With only the seven-day reminder on, it speaks four days ahead at the latest.
        b.RecentDate = QDate(2024, 5, 23);
        addEvaluation("three days ahead, only the seven-day reminder on", b, today, Both, "0001", N, QDate(2024, 5, 23),
                      "", "");
        b.RecentDate = QDate(2024, 5, 24);
        addEvaluation("four days ahead, only the seven-day reminder on", b, today, Central, "0001", N,
                      QDate(2024, 5, 24), "4天后 (2024-05-24)是明明的生日", "");
        b = solarBirthday(QDate(2024, 5, 22));
        b.HasNoticed3 = b.HasNoticed7 = true;
        addEvaluation("already reminded", b, today, Both, "0011", -1, QDate(2024, 5, 22), "", "");
        b = solarBirthday(QDate(2024, 5, 21));
        b.Gender = false;
        b.CallName.clear();
        b.IgnoreSolarYear = true;
        addEvaluation("female, no call name, no birth year", b, today, Both, "0111", N, QDate(2024, 5, 21),
                      "明天是王小明的生日", "王小明|famale|-|solar|5.21|明天");

        // 2020-05-02 is the 10th of the fourth month; the leap fourth month brings it again on 1 June.
        addEvaluation("lunar, next one in the leap month", lunarBirthday(4, 10, QDate(2020, 5, 2)), QDate(2020, 5, 2),
                      Both, "1111", R, QDate(2020, 6, 1), "今天是明明的生日", "明明|male|30|lunar|4.10|生日快乐", true);
        b = lunarBirthday(12, 30, QDate(2025, 1, 28));
        b.IgnoreLunarYear = true;
        addEvaluation("lunar 12.30 missed two days, no birth year", b, QDate(2025, 1, 30), Both, "1111", R,
                      QDate(2026, 2, 16), "前天 (2025-01-28)是明明的生日", "明明|male|-|lunar|12.30|前天 (2025-01-28)");
        // The lunar calendar ends on 2099-12-31 (11.20): the date stays and only the flags are stored.
        addEvaluation("no next occurrence within the calendar", lunarBirthday(11, 20, QDate(2099, 12, 31)),
                      QDate(2099, 12, 31), Both, "1111", N, QDate(2099, 12, 31), "今天是明明的生日",
                      "明明|male|109|lunar|11.20|生日快乐");
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
        BirthdayInfoData after = outcome.record;
        QString stored;
        for (const bool flag : {after.HasNoticed0, after.HasNoticed1, after.HasNoticed3, after.HasNoticed7})
            stored += QLatin1Char(flag ? '1' : '0');
        QCOMPARE(stored, flags);
        QCOMPARE(outcome.sendOperation ? int(outcome.operation) : -1, operation);
        QCOMPARE(after.RecentDate, recent);
        QCOMPARE(after.IsLeapMonth, leap);
        QCOMPARE(outcome.centralNotice, central);
        QCOMPARE(outcome.normalNotice, normal);

        // Nothing else of the record changes.
        after.HasNoticed0 = record.HasNoticed0;
        after.HasNoticed1 = record.HasNoticed1;
        after.HasNoticed3 = record.HasNoticed3;
        after.HasNoticed7 = record.HasNoticed7;
        after.RecentDate = record.RecentDate;
        after.IsLeapMonth = record.IsLeapMonth;
        QCOMPARE(after, record);
    }

    // The row evaluates every 30 seconds: a reminder fires once, and the labels change only when the
    // countdown does or something fires.
    void repeatedEvaluation()
    {
        BirthdayReminder reminder(solarBirthday(QDate(2024, 5, 22)));
        NoticeConfigData config;
        config.CN_EnableBirthday = true;

        BirthdayReminder::Outcome outcome = reminder.evaluate(QDate(2024, 5, 20), config);
        QVERIFY(outcome.fired && outcome.refreshLabels && outcome.countdownChanged);
        QCOMPARE(outcome.days, 2);
        outcome = reminder.evaluate(QDate(2024, 5, 20), config);
        QVERIFY(!outcome.fired && !outcome.refreshLabels && !outcome.sendOperation);
        QVERIFY(outcome.centralNotice.isEmpty() && outcome.normalNotice.isEmpty());
        outcome = reminder.evaluate(QDate(2024, 5, 21), config);
        QVERIFY(outcome.fired && outcome.countdownChanged);
        QCOMPARE(outcome.centralNotice, QStringList{QStringLiteral("明天是明明的生日")});

        // On the day the date moves on; the row's copy keeps its flags, so the new date stays quiet.
        outcome = reminder.evaluate(QDate(2024, 5, 22), config);
        QCOMPARE(outcome.operation, BirthdayInfoUpdateRecentDate);
        QCOMPARE(outcome.days, 0);
        QCOMPARE(outcome.ageText, QStringLiteral("30"));
        outcome = reminder.evaluate(QDate(2024, 5, 22), config);
        QVERIFY(!outcome.fired && !outcome.sendOperation && outcome.countdownChanged);
        QCOMPARE(outcome.days, 365);
        QCOMPARE(outcome.ageText, QStringLiteral("31"));
    }

    // Past the end of the lunar calendar the occurrence cannot advance: it is announced once only.
    void noNextOccurrenceStaysQuiet()
    {
        BirthdayReminder reminder(lunarBirthday(11, 20, QDate(2099, 12, 31)));
        NoticeConfigData config;
        QVERIFY(reminder.evaluate(QDate(2099, 12, 31), config).fired);
        for (int late = 0; late < 10; ++late) {
            const BirthdayReminder::Outcome outcome = reminder.evaluate(QDate(2099, 12, 31).addDays(late), config);
            QVERIFY(!outcome.fired && !outcome.sendOperation);
            QCOMPARE(outcome.record.RecentDate, QDate(2099, 12, 31));
        }
    }

    // The age now and at the stored occurrence.
    void ages_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<QString>("ages");

        // Today is 2024-12-30; lunar 2025 begins on 29 January 2025.
        QTest::newRow("solar, occurrence next year") << solarBirthday(QDate(2025, 1, 5)) << "30/31";
        QTest::newRow("lunar, before the lunar new year") << lunarBirthday(12, 6, QDate(2025, 1, 5)) << "34/34";
        BirthdayInfoData b = lunarBirthday(1, 3, QDate(2025, 1, 31));
        QTest::newRow("lunar, after the lunar new year") << b << "34/35";
        b.IgnoreSolarYear = true;
        QTest::newRow("lunar ignores the solar switch") << b << "34/35";
        b.IgnoreLunarYear = true;
        QTest::newRow("lunar without a birth year") << b << "-/-";
    }

    void ages()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QString, ages);
        QCOMPARE(BirthdayReminder::currentAgeText(record, QDate(2024, 12, 30)) + QLatin1Char('/') +
                     BirthdayReminder::occurrenceAgeText(record),
                 ages);
    }
};

QTEST_GUILESS_MAIN(TestBirthdayReminder)
#include "tst_birthdayreminder.moc"
