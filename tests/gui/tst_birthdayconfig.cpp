#include "app/appglobals.h"
#include "birthdays/birthdayconfig.h"
#include "birthdays/birthdaywidgetitem.h"
#include "common/birthdayrecord.h"
#include "common/modaldismisser.h"
#include "data/interfacepublicdata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

template <typename T> T *child(QObject &parent, const char *name)
{
    return parent.findChild<T *>(QLatin1String(name));
}

// Fills the form with the record, typing yearText as the lunar year; fields of the other calendar are
// filled too, to show that they are not read.
void enter(BirthdayConfig &config, const BirthdayInfoData &b, const QString &yearText)
{
    child<QLineEdit>(config, "lineEdit_Name")->setText(b.Name);
    child<QLineEdit>(config, "lineEdit_CallName")->setText(b.CallName);
    child<QRadioButton>(config, b.Gender ? "radioButton_GenderMale" : "radioButton_GenderFemale")->setChecked(true);
    child<QRadioButton>(config, b.IsLunar ? "radioButton_LunarYes" : "radioButton_LunarNo")->setChecked(true);
    child<QCheckBox>(config, "checkBox_IgnoreLunarYear")->setChecked(b.IgnoreLunarYear);
    child<QCheckBox>(config, "checkBox_IgnoreSolarYear")->setChecked(b.IgnoreSolarYear);
    child<QLineEdit>(config, "lineEdit_LunarYear")->setText(yearText);
    child<QComboBox>(config, "comboBox_LunarMonth")->setCurrentIndex(b.LunarMonth - 1);
    child<QComboBox>(config, "comboBox_LunarDay")->setCurrentIndex(b.LunarDay - 1);
    child<QDateEdit>(config, "dateEdit_SolarBirthday")->setDate(b.SolarDate);
    child<QCheckBox>(config, "checkBox_Notice1")->setChecked(b.Notice1);
    child<QCheckBox>(config, "checkBox_Notice3")->setChecked(b.Notice3);
    child<QCheckBox>(config, "checkBox_Notice7")->setChecked(b.Notice7);
}

void click(BirthdayConfig &config, const char *button)
{
    QTest::mouseClick(child<QPushButton>(config, button), Qt::LeftButton);
}

} // namespace

// The birthday editor (what it stores, what it refuses, what it deletes) and the list rows' reminders.
class TestBirthdayConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init() { interfacePublicData.birthdayListUpToDate = false; }
    void cleanup() { currentNoticeConfig = NoticeConfigData(); }

    // What the form gives for a record: the record read, or the refusal's text.
    void readForm_data()
    {
        QTest::addColumn<BirthdayInfoData>("entry");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<BirthdayInfoData>("expected");
        QTest::addColumn<QString>("refusal");

        const QDate today(2024, 5, 20);
        const QString range = QStringLiteral("范围: 1901~2099年");
        const BirthdayInfoData none;
        BirthdayInfoData in = lunarBirthday(8, 15, QDate(2024, 9, 17), QStringLiteral("王小明"), QString());
        BirthdayInfoData out = in;
        out.SolarDate = today;
        QTest::newRow("lunar with birth year") << in << " 1990 " << today << out << QString();
        QTest::newRow("lunar year 1900") << in << "1900" << today << none << range;
        QTest::newRow("lunar year not a number") << in << "一九九〇" << today << none << range;
        in.Name = QStringLiteral("   \t ");
        // clang-format off
        QTest::newRow("name of spaces only") << in << "1990" << today << none << QStringLiteral("请填写姓名");
        // clang-format on

        // The lunar calendar ends on 2099-12-31, the 20th of the eleventh month.
        in = out = lunarBirthday(11, 20, QDate(2099, 12, 31), QStringLiteral("王小明"), QString());
        out.SolarDate = QDate(2099, 12, 31);
        // clang-format off
        QTest::newRow("lunar on the calendar's last day") << in << "1990" << QDate(2099, 12, 31) << out << QString();
        // clang-format on
        in.LunarDay = 21;
        // clang-format off
        QTest::newRow("next lunar birthday past the calendar") << in << "1990" << QDate(2099, 12, 31) << none << QStringLiteral("下一个生日超出支持的范围: 1901~2099年");
        // clang-format on

        // 2020 has a leap fourth month: from 1 May the next 4.1 is its first day, 23 May.
        in = lunarBirthday(4, 1, QDate(2020, 5, 1), QStringLiteral("  王  小明 "), QStringLiteral(" 明明  "));
        in.Gender = false;
        in.IgnoreLunarYear = true;
        in.Notice3 = false;
        out = in;
        out.Name = QStringLiteral("王 小明");
        out.CallName = QStringLiteral("明明");
        out.SolarDate = QDate(2020, 5, 1);
        out.LunarYear = 2020;
        out.RecentDate = QDate(2020, 5, 23);
        out.IsLeapMonth = true;
        // clang-format off
        QTest::newRow("lunar, year ignored, names simplified") << in << "1900" << QDate(2020, 5, 1) << out << QString();
        // clang-format on

        // 1994-09-20 was the 15th of the eighth lunar month.
        in = out = solarBirthday(QDate(2024, 9, 20), QStringLiteral("李四"), QString());
        out.LunarYear = 1994;
        out.LunarMonth = 8;
        out.LunarDay = 15;
        QTest::newRow("solar") << in << "1990" << today << out << QString();
        in.SolarDate = out.SolarDate = QDate(2000, 2, 29);
        in.IgnoreSolarYear = out.IgnoreSolarYear = true;
        out.LunarYear = 2000;
        out.LunarMonth = 1;
        out.LunarDay = 25;
        out.RecentDate = QDate(2024, 2, 29);
        // clang-format off
        QTest::newRow("solar 29 February, year ignored") << in << "1990" << QDate(2023, 3, 1) << out << QString();
        // clang-format on
        in.SolarDate = QDate(2100, 1, 1);
        in.IgnoreSolarYear = false;
        QTest::newRow("solar 2100") << in << "1990" << today << none << range;
    }
    void readForm()
    {
        QFETCH(BirthdayInfoData, entry);
        QFETCH(QString, year);
        QFETCH(QDate, today);
        QFETCH(BirthdayInfoData, expected);
        QFETCH(QString, refusal);
        BirthdayConfig config;
        enter(config, entry, year);
        ModalDismisser dismisser;
        BirthdayInfoData record;
        record.HasNoticed0 = record.HasNoticed1 = record.HasNoticed3 = record.HasNoticed7 = true;
        const BirthdayInfoData before = record;
        QCOMPARE(config.readForm(12, today, record), refusal.isEmpty());
        QCOMPARE(dismisser.texts, refusal.isEmpty() ? QStringList() : QStringList{refusal});
        if (refusal.isEmpty()) {
            expected.id = 12;
            expected.IconPath = QString::fromLatin1(BirthdayConfig::DefaultIconPath);
            QCOMPARE(record, expected);
        } else {
            QCOMPARE(record, before);
        }
    }

    // A loaded row is updated, added as a copy or, once confirmed, deleted; a refused form sends nothing.
    void loadUpdateDelete()
    {
        BirthdayConfig config;
        config.show();
        QVERIFY(QTest::qWaitForWindowExposed(&config));
        BirthdayInfoData second =
            lunarBirthday(8, 15, QDate(2024, 9, 17), QStringLiteral("王小明"), QStringLiteral("明明"));
        second.id = 9;
        second.IconPath = QStringLiteral("src/icon/birthday/7.png");
        BirthdayInfoData first = solarBirthday(QDate(2024, 6, 1), QStringLiteral("张三"));
        first.id = 4;
        emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect,
                                                        QVariant::fromValue(QList<BirthdayInfoData>{first, second}));
        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(1, 1)).center());

        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        child<QLineEdit>(config, "lineEdit_CallName")->setText(QStringLiteral("小明"));
        click(config, "pushButton_Update");
        click(config, "pushButton_Add");
        QCOMPARE(requests.count(), 2);
        QCOMPARE(requests.at(0).at(0).toInt(), int(BirthdayInfoUpdate));
        QCOMPARE(requests.at(1).at(0).toInt(), int(BirthdayInfoInsert));
        BirthdayInfoData expected = second;
        expected.CallName = QStringLiteral("小明");
        expected.SolarDate = QDate::currentDate();
        expected.RecentDate = requests.at(0).at(1).value<BirthdayInfoData>().RecentDate;
        QCOMPARE(requests.at(0).at(1).value<BirthdayInfoData>(), expected);
        expected.id = -1;
        QCOMPARE(requests.at(1).at(1).value<BirthdayInfoData>(), expected);
        requests.clear();

        ModalDismisser dismisser(QMessageBox::Cancel);
        click(config, "pushButton_Delete");
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("请确认删除信息: \n姓名: 王小明\n别称: 明明\n性别: 男")});
        QCOMPARE(requests.count(), 0);
        dismisser.setAnswer(QMessageBox::Ok);
        click(config, "pushButton_Delete");
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).toInt(), int(BirthdayInfoDelete));
        QCOMPARE(requests.at(0).at(1), QVariant(9));

        // The cleared form no longer points at the person; a year out of range is not added.
        click(config, "pushButton_ClearEdit");
        QMetaObject::invokeMethod(&config, "on_pushButton_Update_clicked");
        QCOMPARE(dismisser.texts.last(), QStringLiteral("请选择要更新的行"));
        enter(config, second, QStringLiteral("2100"));
        click(config, "pushButton_Add");
        QCOMPARE(requests.count(), 1);
    }

    // A row evaluates its reminders as soon as it exists, carries out what is due once, and then goes
    // on with its own copy on its timer.
    void rowRemindsOnce_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QDate>("stored");
        const QDate today = QDate::currentDate();
        const BirthdayInfoData tomorrow = solarBirthday(today.addDays(1));
        // clang-format off
        QTest::newRow("due tomorrow") << tomorrow << true << int(BirthdayInfoUpdateNoticed) << tomorrow.RecentDate;
        QTest::newRow("due tomorrow, notices off") << tomorrow << false << int(BirthdayInfoUpdateNoticed) << tomorrow.RecentDate;
        // clang-format on
        BirthdayInfoData b = solarBirthday(today);
        b.SolarDate = QDate(1994, 6, 15);
        // clang-format off
        QTest::newRow("today, the date moves on") << b << true << int(BirthdayInfoUpdateRecentDate) << interfacePublicData.nextSolarBirthday(6, 15, 1, today);
        // clang-format on
    }
    void rowRemindsOnce()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(bool, shown);
        QFETCH(int, operation);
        QFETCH(QDate, stored);
        currentNoticeConfig.CN_EnableBirthday = currentNoticeConfig.NN_EnableBirthday = shown;
        const BirthdayReminder::Outcome expected = BirthdayReminder(record).evaluate();
        QSignalSpy central(&interfacePublicData, &InterfacePublicData::SIGNALShowCentralNotice);
        QSignalSpy popup(&interfacePublicData, &InterfacePublicData::SIGNALShowNormalNotice);
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        BirthdayWidgetItem row(record);
        QCOMPARE(central.count(), shown ? 1 : 0);
        QCOMPARE(popup.count(), shown ? 1 : 0);
        if (shown) {
            QCOMPARE(central.at(0).at(1).toStringList(), expected.centralNotice);
            QCOMPARE(popup.at(0).at(1).toStringList(), expected.normalNotice);
        }
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).toInt(), operation);
        QCOMPARE(requests.at(0).at(1).value<BirthdayInfoData>().RecentDate, stored);
        row.slotTimerTimeout();
        QCOMPARE(central.count() + popup.count(), shown ? 2 : 0);
        QCOMPARE(requests.count(), 1);
    }
};

QTEST_MAIN(TestBirthdayConfig)
#include "tst_birthdayconfig.moc"
