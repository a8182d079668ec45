#include "birthdays/birthdaywidgetitem.h"
#include "data/interfacepublicdata.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString Icon = QStringLiteral(":/img/icon.png");

// A solar birthday, born 1994, with every reminder switched on and none done yet.
BirthdayInfoData solarBirthday(const QDate &recent)
{
    BirthdayInfoData b;
    b.id = 3;
    b.Name = QStringLiteral("王小明");
    b.CallName = QStringLiteral("明明");
    b.IsLunar = false;
    b.SolarDate = QDate(1994, recent.month(), recent.day() > 28 ? 28 : recent.day());
    b.RecentDate = recent;
    b.IconPath = Icon;
    b.Notice1 = b.Notice3 = b.Notice7 = true;
    return b;
}

QString labelText(BirthdayWidgetItem &row, const char *name)
{
    return row.findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

class TestBirthdayWidgetItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerRecordMetaTypes();
        savedConfig = currentNoticeConfig;
    }
    void cleanup() { currentNoticeConfig = savedConfig; }

    void labels_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("gender");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("age");
        QTest::addColumn<bool>("picture");

        const QDate today = QDate::currentDate();
        const QDate far = today.addDays(200);
        BirthdayInfoData solar = solarBirthday(far);
        QTest::newRow("solar, call name shown, three-digit countdown")
            << solar << "公历"
            << "明明"
            << "GenderMale.png" << 200 << QString::number(far.year() - 1994) << true;

        BirthdayInfoData lunar = solarBirthday(today.addDays(30));
        lunar.IsLunar = true;
        lunar.CallName.clear();
        lunar.Gender = false;
        lunar.LunarYear = 1990;
        lunar.LunarMonth = 1;
        lunar.LunarDay = 1;
        QTest::newRow("lunar, name without call name, female")
            << lunar << "农历"
            << "王小明"
            << "GenderFemale.png" << 30 << QString::number(interfacePublicData.lunarYearOf(lunar.RecentDate) - 1990)
            << true;

        BirthdayInfoData noYear = solarBirthday(today.addDays(12));
        noYear.IgnoreSolarYear = true;
        noYear.IconPath = QStringLiteral("src/icon/birthday/missing.png");
        QTest::newRow("no birth year, picture missing") << noYear << "公历"
                                                        << "明明"
                                                        << "GenderMale.png" << 12 << "-" << false;
    }

    void labels()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(QString, gender);
        QFETCH(int, days);
        QFETCH(QString, age);
        QFETCH(bool, picture);

        BirthdayWidgetItem row(record);
        QCOMPARE(labelText(row, "label_BirthdayType"), type);
        QCOMPARE(labelText(row, "label_ShowName"), name);
        QCOMPARE(labelText(row, "label_RecentDate"), record.RecentDate.toString(QStringLiteral("yyyy-MM-dd")));
        QCOMPARE(labelText(row, "label_Countdown"), QString::number(days));
        QCOMPARE(labelText(row, "label_Age"), age);
        QVERIFY(row.findChild<QLabel *>(QStringLiteral("label_Gender"))->styleSheet().contains(gender));
        const QPixmap pixmap = row.findChild<QLabel *>(QStringLiteral("label_Icon"))->pixmap(Qt::ReturnByValue);
        QCOMPARE(!pixmap.isNull(), picture);

        // The badges were sized for three digits, so a long countdown fits without widening its column.
        for (const char *badge : {"label_Countdown", "label_Age"}) {
            auto *label = row.findChild<QLabel *>(QLatin1String(badge));
            QVERIFY(label->minimumWidth() >= label->sizeHint().width());
        }
    }

    // The row evaluates its reminders as soon as it exists and then on its timer.
    void remindsAtOnce_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<bool>("central");
        QTest::addColumn<bool>("popup");
        QTest::addColumn<QStringList>("centralTexts");
        QTest::addColumn<QStringList>("popupTexts");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QDate>("stored");
        QTest::addColumn<QString>("countdown");

        const QDate today = QDate::currentDate();
        const QDate tomorrow = today.addDays(1);
        const QString dayMonth = QStringLiteral("%1.%2");
        BirthdayInfoData dueTomorrow = solarBirthday(tomorrow);
        QTest::newRow("due tomorrow")
            << dueTomorrow << true << true << QStringList{"明天是明明的生日"}
            << QStringList{"明明",
                           "male",
                           QString::number(today.year() - 1994),
                           "solar",
                           dayMonth.arg(dueTomorrow.SolarDate.month()).arg(dueTomorrow.SolarDate.day()),
                           "明天",
                           Icon}
            << int(BirthdayInfoUpdateNoticed) << tomorrow << "1";
        QTest::newRow("due tomorrow, notices switched off")
            << dueTomorrow << false << false << QStringList() << QStringList() << int(BirthdayInfoUpdateNoticed)
            << tomorrow << "1";

        BirthdayInfoData dueToday = solarBirthday(today);
        dueToday.SolarDate = QDate(1994, 6, 15);
        dueToday.RecentDate = today;
        QTest::newRow("today, the date moves on")
            << dueToday << true << true << QStringList{"今天是明明的生日"}
            << QStringList{"明明", "male", QString::number(today.year() - 1994), "solar", "6.15", "生日快乐", Icon}
            << int(BirthdayInfoUpdateRecentDate) << interfacePublicData.nextSolarBirthday(6, 15, 1, today) << "0";

        QTest::newRow("ten days ahead") << solarBirthday(today.addDays(10)) << true << true << QStringList()
                                        << QStringList() << -1 << today.addDays(10) << "10";
    }

    void remindsAtOnce()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(bool, central);
        QFETCH(bool, popup);
        QFETCH(QStringList, centralTexts);
        QFETCH(QStringList, popupTexts);
        QFETCH(int, operation);
        QFETCH(QDate, stored);
        QFETCH(QString, countdown);

        currentNoticeConfig.CN_EnableBirthday = central;
        currentNoticeConfig.NN_EnableBirthday = popup;
        QSignalSpy centralSpy(&interfacePublicData, &InterfacePublicData::SIGNALShowCentralNotice);
        QSignalSpy popupSpy(&interfacePublicData, &InterfacePublicData::SIGNALShowNormalNotice);
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);

        BirthdayWidgetItem row(record);
        QCOMPARE(centralSpy.count(), centralTexts.isEmpty() ? 0 : 1);
        QCOMPARE(popupSpy.count(), popupTexts.isEmpty() ? 0 : 1);
        if (!centralTexts.isEmpty()) {
            QCOMPARE(centralSpy.at(0).at(0).toInt(), int(NoticeWhatBirthday));
            QCOMPARE(centralSpy.at(0).at(1).toStringList(), centralTexts);
        }
        if (!popupTexts.isEmpty()) {
            QCOMPARE(popupSpy.at(0).at(0).toInt(), int(NoticeWhatBirthday));
            QCOMPARE(popupSpy.at(0).at(1).toStringList(), popupTexts);
        }
        QCOMPARE(requests.count(), operation < 0 ? 0 : 1);
        if (operation >= 0) {
            QCOMPARE(requests.at(0).at(0).value<SqlOperateType>(), static_cast<SqlOperateType>(operation));
            const BirthdayInfoData sent = requests.at(0).at(1).value<BirthdayInfoData>();
            QCOMPARE(sent.id, record.id);
            QCOMPARE(sent.RecentDate, stored);
        }
        QCOMPARE(labelText(row, "label_Countdown"), countdown);
        QVERIFY(row.findChild<QTimer *>()->isActive());

        // The next tick announces nothing twice and stores nothing new.
        row.slotTimerTimeout();
        QCOMPARE(centralSpy.count(), centralTexts.isEmpty() ? 0 : 1);
        QCOMPARE(popupSpy.count(), popupTexts.isEmpty() ? 0 : 1);
        QCOMPARE(requests.count(), operation < 0 ? 0 : 1);
    }

private:
    NoticeConfigData savedConfig;
};

QTEST_MAIN(TestBirthdayWidgetItem)
#include "tst_birthdaywidgetitem.moc"
