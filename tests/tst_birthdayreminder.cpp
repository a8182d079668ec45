#include "birthdays/birthdayreminder.h"
#include "common/birthdayrecord.h"

#include <QTest>
#include <tuple>

namespace {

// Which notices are enabled.
const int Central = 1, Popup = 2, Both = 3;

// One evaluation. stored: the done-flags HasNoticed0/1/3/7 after it, the operation sent (N, R or -), the
// stored date and "leap" when it falls in a leap month; the two notices are "" for none, the popup's texts
// joined by '|' without the icon.
void row(const char *name, const BirthdayInfoData &record, const QDate &today, int shown, const char *stored,
         const char *central = "", const char *popup = "")
{
    NoticeConfigData config;
    config.CN_EnableBirthday = shown & Central;
    config.NN_EnableBirthday = shown & Popup;
    QTest::newRow(name) << record << today << config << stored << central << popup;
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
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("central");
        QTest::addColumn<QString>("popup");

        const QDate today(2024, 5, 20);
        BirthdayInfoData seven = solarBirthday(QDate(2024, 5, 24));
        seven.Notice1 = seven.Notice3 = false;
        row("three days ahead marks the passed seven-day window", solarBirthday(QDate(2024, 5, 23)), today, Both,
            "0011 N 2024-05-23", "3天后 (2024-05-23)是明明的生日", "明明|male|30|solar|5.23|3天后 (2024-05-23)");
        row("seven days ahead", solarBirthday(QDate(2024, 5, 27)), today, Both, "0001 N 2024-05-27",
            "7天后 (2024-05-27)是明明的生日", "明明|male|30|solar|5.27|7天后 (2024-05-27)");
        row("on the day", solarBirthday(QDate(2024, 5, 20)), today, Both, "1111 R 2025-05-20", "今天是明明的生日",
            "明明|male|30|solar|5.20|生日快乐");
        row("seven days late, central only", solarBirthday(QDate(2024, 5, 13)), today, Central, "1111 R 2025-05-13",
            "7天前 (2024-05-13)是明明的生日");
        // With only the seven-day reminder on, it speaks four days ahead at the latest.
        row("four days ahead, only the seven-day reminder", seven, today, Central, "0001 N 2024-05-24",
            "4天后 (2024-05-24)是明明的生日");
        row("three days ahead, only the seven-day reminder", seven, today.addDays(1), Both, "0001 N 2024-05-24");
        BirthdayInfoData b = solarBirthday(QDate(2024, 5, 21));
        b.Gender = false;
        b.CallName.clear();
        b.IgnoreSolarYear = true;
        row("female, no call name, no birth year", b, today, Both, "0111 N 2024-05-21", "明天是王小明的生日",
            "王小明|famale|-|solar|5.21|明天");
        // 2020-05-02 is the 10th of the fourth month; the leap fourth month brings it again on 1 June.
        row("lunar, next one in the leap month", lunarBirthday(4, 10, QDate(2020, 5, 2)), QDate(2020, 5, 2), Both,
            "1111 R 2020-06-01 leap", "今天是明明的生日", "明明|male|30|lunar|4.10|生日快乐");
        b = lunarBirthday(12, 30, QDate(2025, 1, 28));
        b.IgnoreLunarYear = true;
        row("lunar 12.30 missed two days, no birth year", b, QDate(2025, 1, 30), Both, "1111 R 2026-02-16",
            "前天 (2025-01-28)是明明的生日", "明明|male|-|lunar|12.30|前天 (2025-01-28)");
    }
    void evaluate()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QDate, today);
        QFETCH(NoticeConfigData, config);
        QFETCH(QString, stored);
        QFETCH(QString, central);
        QFETCH(QString, popup);

        BirthdayReminder reminder(record);
        const BirthdayReminder::Outcome outcome = reminder.evaluate(today, config);
        BirthdayInfoData after = outcome.record;
        QString found;
        for (const bool flag : {after.HasNoticed0, after.HasNoticed1, after.HasNoticed3, after.HasNoticed7})
            found += QLatin1Char(flag ? '1' : '0');
        const char *operation = outcome.operation == BirthdayInfoUpdateNoticed ? " N " : " R ";
        found += (outcome.sendOperation ? operation : " - ") + after.RecentDate.toString(Qt::ISODate);
        QCOMPARE(after.IsLeapMonth ? found + " leap" : found, stored);
        QCOMPARE(outcome.centralNotice, central.isEmpty() ? QStringList() : QStringList{central});
        QCOMPARE(outcome.normalNotice, popup.isEmpty() ? QStringList() : popup.split('|') << record.IconPath);

        // Nothing else of the record changes.
        std::tie(after.HasNoticed0, after.HasNoticed1, after.HasNoticed3, after.HasNoticed7, after.RecentDate,
                 after.IsLeapMonth) = std::tie(record.HasNoticed0, record.HasNoticed1, record.HasNoticed3,
                                               record.HasNoticed7, record.RecentDate, record.IsLeapMonth);
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
        QVERIFY(outcome.fired && outcome.refreshLabels && outcome.countdownChanged && outcome.days == 2);
        outcome = reminder.evaluate(QDate(2024, 5, 20), config);
        QVERIFY(!outcome.fired && !outcome.refreshLabels && !outcome.sendOperation && outcome.centralNotice.isEmpty());
        outcome = reminder.evaluate(QDate(2024, 5, 21), config);
        QCOMPARE(outcome.centralNotice, QStringList{QStringLiteral("明天是明明的生日")});

        // On the day the date moves on; the row's copy keeps its flags, so the new date stays quiet.
        outcome = reminder.evaluate(QDate(2024, 5, 22), config);
        QVERIFY(outcome.fired && outcome.days == 0 && outcome.ageText == QStringLiteral("30"));
        outcome = reminder.evaluate(QDate(2024, 5, 22), config);
        QVERIFY(!outcome.fired && !outcome.sendOperation && outcome.countdownChanged && outcome.refreshLabels &&
                outcome.days == 365);
        QCOMPARE(outcome.ageText, QStringLiteral("31"));

        // Past the end of the lunar calendar the occurrence cannot advance: it is announced once only.
        BirthdayReminder last(lunarBirthday(11, 20, QDate(2099, 12, 31)));
        outcome = last.evaluate(QDate(2099, 12, 31), config);
        QVERIFY(outcome.fired && outcome.operation == BirthdayInfoUpdateNoticed);
        QCOMPARE(outcome.record.RecentDate, QDate(2099, 12, 31));
        for (int late = 0; late < 10; ++late)
            QVERIFY(!last.evaluate(QDate(2099, 12, 31).addDays(late), config).fired);
    }
};

QTEST_GUILESS_MAIN(TestBirthdayReminder)
#include "tst_birthdayreminder.moc"
