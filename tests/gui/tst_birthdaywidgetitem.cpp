#include "app/rowticker.h"
#include "birthdays/birthdaywidgetitem.h"
#include "common/birthdayrecord.h"
#include "data/interfacepublicdata.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

QLabel *label(BirthdayWidgetItem &row, const char *name)
{
    return row.findChild<QLabel *>(QLatin1String(name));
}

} // namespace

class TestBirthdayWidgetItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup() { currentNoticeConfig = NoticeConfigData(); }

    void labels_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<QString>("texts"); // type, name, age
        QTest::addColumn<QString>("gender");
        QTest::addColumn<bool>("picture");

        const QDate today = QDate::currentDate();
        BirthdayInfoData b = solarBirthday(today.addDays(200));
        QTest::newRow("solar, call name shown, three-digit countdown")
            << b << QStringLiteral("公历|明明|%1").arg(b.RecentDate.year() - 1994) << "GenderMale.png" << true;
        b = lunarBirthday(1, 1, today.addDays(30), QStringLiteral("王小明"), QString());
        b.Gender = false;
        QTest::newRow("lunar, name without call name, female")
            << b << QStringLiteral("农历|王小明|%1").arg(interfacePublicData.lunarYearOf(b.RecentDate) - 1990)
            << "GenderFemale.png" << true;
        b = solarBirthday(today.addDays(12));
        b.IgnoreSolarYear = true;
        b.IconPath = QStringLiteral("src/icon/birthday/missing.png");
        QTest::newRow("no birth year, picture missing")
            << b << QStringLiteral("公历|明明|-") << "GenderMale.png" << false;
    }

    void labels()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QString, texts);
        QFETCH(QString, gender);
        QFETCH(bool, picture);

        BirthdayWidgetItem row(record);
        QCOMPARE(QStringList({label(row, "label_BirthdayType")->text(), label(row, "label_ShowName")->text(),
                              label(row, "label_Age")->text()})
                     .join(QLatin1Char('|')),
                 texts);
        QCOMPARE(label(row, "label_RecentDate")->text(), record.RecentDate.toString(Qt::ISODate));
        QCOMPARE(label(row, "label_Countdown")->text(),
                 QString::number(QDate::currentDate().daysTo(record.RecentDate)));
        QVERIFY(label(row, "label_Gender")->styleSheet().contains(gender));
        QCOMPARE(!label(row, "label_Icon")->pixmap(Qt::ReturnByValue).isNull(), picture);
    }

    // The row evaluates its reminders as soon as it exists, carries out what is due once, and then
    // goes on with its own copy on the shared tick.
    void remindsAtOnce_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QDate>("stored");
        QTest::addColumn<QString>("countdown");

        const QDate today = QDate::currentDate();
        const BirthdayInfoData tomorrow = solarBirthday(today.addDays(1));
        QTest::newRow("due tomorrow") << tomorrow << true << int(BirthdayInfoUpdateNoticed) << tomorrow.RecentDate
                                      << "1";
        QTest::newRow("due tomorrow, notices switched off")
            << tomorrow << false << int(BirthdayInfoUpdateNoticed) << tomorrow.RecentDate << "1";
        BirthdayInfoData b = solarBirthday(today);
        b.SolarDate = QDate(1994, 6, 15);
        QTest::newRow("today, the date moves on") << b << true << int(BirthdayInfoUpdateRecentDate)
                                                  << interfacePublicData.nextSolarBirthday(6, 15, 1, today) << "0";
    }

    void remindsAtOnce()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(bool, shown);
        QFETCH(int, operation);
        QFETCH(QDate, stored);
        QFETCH(QString, countdown);

        currentNoticeConfig.CN_EnableBirthday = currentNoticeConfig.NN_EnableBirthday = shown;
        const BirthdayReminder::Outcome expected = BirthdayReminder(record).evaluate();
        QSignalSpy central(&interfacePublicData, &InterfacePublicData::SIGNALShowCentralNotice);
        QSignalSpy popup(&interfacePublicData, &InterfacePublicData::SIGNALShowNormalNotice);
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);

        BirthdayWidgetItem row(record);
        QCOMPARE(central.count(), shown ? 1 : 0);
        QCOMPARE(popup.count(), shown ? 1 : 0);
        if (shown) {
            QCOMPARE(central.at(0).at(0).toInt(), int(NoticeWhatBirthday));
            QCOMPARE(central.at(0).at(1).toStringList(), expected.centralNotice);
            QCOMPARE(popup.at(0).at(0).toInt(), int(NoticeWhatBirthday));
            QCOMPARE(popup.at(0).at(1).toStringList(), expected.normalNotice);
        }
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).toInt(), operation);
        QCOMPARE(requests.at(0).at(1).value<BirthdayInfoData>().id, record.id);
        QCOMPARE(requests.at(0).at(1).value<BirthdayInfoData>().RecentDate, stored);
        QCOMPARE(label(row, "label_Countdown")->text(), countdown);

        emit RowTicker::birthdays().SIGNALTick(QDateTime::currentMSecsSinceEpoch());
        QCOMPARE(central.count() + popup.count(), shown ? 2 : 0);
        QCOMPARE(requests.count(), 1);
    }
};

QTEST_MAIN(TestBirthdayWidgetItem)
#include "tst_birthdaywidgetitem.moc"
