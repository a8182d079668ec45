#include "app/appglobals.h"
#include "birthdays/birthdayconfig.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "icons/iconmanage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

const QString DefaultIcon = QStringLiteral("src/icon/birthday/default.png");

// What the user enters; fields that do not apply to the chosen calendar are still set, to show that
// they are not read.
struct FormEntry
{
    QString name;
    QString callName;
    bool male = true;
    bool lunar = true;
    bool ignoreYear = false;
    QString lunarYear = QStringLiteral("1990");
    int lunarMonth = 1;
    int lunarDay = 1;
    QDate solarDate = QDate(1994, 9, 20);
    bool notice1 = true, notice3 = true, notice7 = true;
};

} // namespace

Q_DECLARE_METATYPE(FormEntry)

namespace {

FormEntry lunarEntry(const QString &year, int month, int day)
{
    FormEntry entry;
    entry.name = QStringLiteral("王小明");
    entry.lunarYear = year;
    entry.lunarMonth = month;
    entry.lunarDay = day;
    return entry;
}

FormEntry solarEntry(const QDate &date, bool ignoreYear = false)
{
    FormEntry entry;
    entry.name = QStringLiteral("李四");
    entry.lunar = false;
    entry.ignoreYear = ignoreYear;
    entry.solarDate = date;
    return entry;
}

template <typename T> T *child(QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

void enter(BirthdayConfig &config, const FormEntry &entry)
{
    child<QLineEdit>(config, "lineEdit_Name")->setText(entry.name);
    child<QLineEdit>(config, "lineEdit_CallName")->setText(entry.callName);
    child<QRadioButton>(config, entry.male ? "radioButton_GenderMale" : "radioButton_GenderFemale")->setChecked(true);
    child<QRadioButton>(config, entry.lunar ? "radioButton_LunarYes" : "radioButton_LunarNo")->setChecked(true);
    child<QCheckBox>(config, entry.lunar ? "checkBox_IgnoreLunarYear" : "checkBox_IgnoreSolarYear")
        ->setChecked(entry.ignoreYear);
    child<QLineEdit>(config, "lineEdit_LunarYear")->setText(entry.lunarYear);
    child<QComboBox>(config, "comboBox_LunarMonth")->setCurrentIndex(entry.lunarMonth - 1);
    child<QComboBox>(config, "comboBox_LunarDay")->setCurrentIndex(entry.lunarDay - 1);
    child<QDateEdit>(config, "dateEdit_SolarBirthday")->setDate(entry.solarDate);
    child<QCheckBox>(config, "checkBox_Notice1")->setChecked(entry.notice1);
    child<QCheckBox>(config, "checkBox_Notice3")->setChecked(entry.notice3);
    child<QCheckBox>(config, "checkBox_Notice7")->setChecked(entry.notice7);
}

// Every stored field in one line, so that a mismatch shows which field differs.
QString describe(const BirthdayInfoData &b)
{
    return QStringLiteral("id=%1 name=%2 call=%3 male=%4 lunar=%5 ignoreSolar=%6 solar=%7 ignoreLunar=%8 "
                          "lunarDate=%9.%10.%11 recent=%12 leap=%13 icon=%14 notice=%15%16%17 noticed=%18%19%20%21")
        .arg(b.id)
        .arg(b.Name, b.CallName)
        .arg(b.Gender)
        .arg(b.IsLunar)
        .arg(b.IgnoreSolarYear)
        .arg(b.SolarDate.toString(Qt::ISODate))
        .arg(b.IgnoreLunarYear)
        .arg(b.LunarYear)
        .arg(b.LunarMonth)
        .arg(b.LunarDay)
        .arg(b.RecentDate.toString(Qt::ISODate))
        .arg(b.IsLeapMonth)
        .arg(b.IconPath)
        .arg(b.Notice1)
        .arg(b.Notice3)
        .arg(b.Notice7)
        .arg(b.HasNoticed0)
        .arg(b.HasNoticed1)
        .arg(b.HasNoticed3)
        .arg(b.HasNoticed7);
}

BirthdayInfoData stored(int id, const QString &name, const QString &callName, const QDate &recent)
{
    BirthdayInfoData b;
    b.id = id;
    b.Name = name;
    b.CallName = callName;
    b.IsLunar = true;
    b.SolarDate = QDate(2024, 1, 1);
    b.LunarYear = 1990;
    b.LunarMonth = 8;
    b.LunarDay = 15;
    b.RecentDate = recent;
    b.IconPath = QStringLiteral("src/icon/birthday/7.png");
    b.Notice1 = true;
    b.Notice3 = false;
    b.Notice7 = true;
    return b;
}

QList<SqlOperateType> codesOf(const QSignalSpy &spy)
{
    QList<SqlOperateType> codes;
    for (const QList<QVariant> &call : spy)
        codes.append(call.at(0).value<SqlOperateType>());
    return codes;
}

void pressRow(QTableWidget *table, int row)
{
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 1)).center());
}

} // namespace

class TestBirthdayConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerRecordMetaTypes();
        savedLocale = AppGlobals::locale;
    }
    void init() { interfacePublicData.birthdayListUpToDate = false; }
    void cleanup() { AppGlobals::locale = savedLocale; }

    void refusals_data()
    {
        QTest::addColumn<FormEntry>("entry");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        const QDate today(2024, 5, 20);
        const QString rangeTitle = QStringLiteral("超出有效年范围");
        const QString range = QStringLiteral("范围: 1901~2099年");
        FormEntry spaces = lunarEntry(QStringLiteral("1990"), 8, 15);
        spaces.name = QStringLiteral("   \t ");
        spaces.callName = QStringLiteral("明明");
        QTest::newRow("name of spaces only")
            << spaces << today << QStringLiteral("姓名不能为空") << QStringLiteral("请填写姓名");
        QTest::newRow("lunar year 1900") << lunarEntry(QStringLiteral("1900"), 8, 15) << today << rangeTitle << range;
        QTest::newRow("lunar year 2100") << lunarEntry(QStringLiteral("2100"), 8, 15) << today << rangeTitle << range;
        QTest::newRow("lunar year not a number")
            << lunarEntry(QStringLiteral("一九九〇"), 8, 15) << today << rangeTitle << range;
        QTest::newRow("lunar year empty") << lunarEntry(QString(), 8, 15) << today << rangeTitle << range;
        QTest::newRow("solar 1900 with the year ignored")
            << solarEntry(QDate(1900, 6, 1), true) << today << rangeTitle << range;
        QTest::newRow("solar 2100") << solarEntry(QDate(2100, 1, 1)) << today << rangeTitle << range;
        // The lunar calendar ends on 2099-12-31, the 20th of the eleventh month.
        QTest::newRow("next lunar birthday past the calendar")
            << lunarEntry(QStringLiteral("1990"), 11, 21) << QDate(2099, 12, 31) << rangeTitle
            << QStringLiteral("下一个生日超出支持的范围: 1901~2099年");
    }

    void refusals()
    {
        QFETCH(FormEntry, entry);
        QFETCH(QDate, today);
        QFETCH(QString, title);
        QFETCH(QString, text);

        BirthdayConfig config;
        enter(config, entry);
        ModalDismisser dismisser;
        BirthdayInfoData record;
        record.Name = QStringLiteral("unchanged");
        QVERIFY(!config.readForm(-1, today, record));
        QCOMPARE(dismisser.titles, QStringList{title});
        QCOMPARE(dismisser.texts, QStringList{text});
        QCOMPARE(record.Name, QStringLiteral("unchanged"));
        // The form keeps what the user typed.
        QCOMPARE(child<QLineEdit>(config, "lineEdit_Name")->text(), entry.name);
        QCOMPARE(child<QLineEdit>(config, "lineEdit_LunarYear")->text(), entry.lunarYear);
    }

    void refusedAddSendsNothing()
    {
        BirthdayConfig config;
        enter(config, lunarEntry(QStringLiteral("2100"), 8, 15));
        ModalDismisser dismisser;
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        QTest::mouseClick(child<QPushButton>(config, "pushButton_Add"), Qt::LeftButton);
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("范围: 1901~2099年")});
        QCOMPARE(requests.count(), 0);
    }

    void accepted_data()
    {
        QTest::addColumn<FormEntry>("entry");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<BirthdayInfoData>("expected");

        BirthdayInfoData base;
        base.id = 12;
        base.IconPath = DefaultIcon;
        base.Notice1 = base.Notice3 = base.Notice7 = true;

        // 2020 has a leap fourth month: from 1 May the next 4.1 is its first day, 23 May.
        FormEntry ignored = lunarEntry(QStringLiteral("1900"), 4, 1);
        ignored.name = QStringLiteral("  王  小明 ");
        ignored.callName = QStringLiteral(" 明明  ");
        ignored.male = false;
        ignored.ignoreYear = true;
        ignored.notice3 = false;
        BirthdayInfoData lunarIgnored = base;
        lunarIgnored.Name = QStringLiteral("王 小明");
        lunarIgnored.CallName = QStringLiteral("明明");
        lunarIgnored.Gender = false;
        lunarIgnored.IgnoreLunarYear = true;
        lunarIgnored.SolarDate = QDate(2020, 5, 1);
        lunarIgnored.LunarYear = 2020;
        lunarIgnored.LunarMonth = 4;
        lunarIgnored.LunarDay = 1;
        lunarIgnored.RecentDate = QDate(2020, 5, 23);
        lunarIgnored.IsLeapMonth = true;
        lunarIgnored.Notice3 = false;
        QTest::newRow("lunar, year ignored, names simplified") << ignored << QDate(2020, 5, 1) << lunarIgnored;

        BirthdayInfoData midAutumn = base;
        midAutumn.Name = QStringLiteral("王小明");
        midAutumn.CallName = QString();
        midAutumn.SolarDate = QDate(2024, 5, 20);
        midAutumn.LunarYear = 1990;
        midAutumn.LunarMonth = 8;
        midAutumn.LunarDay = 15;
        midAutumn.RecentDate = QDate(2024, 9, 17);
        QTest::newRow("lunar with birth year")
            << lunarEntry(QStringLiteral(" 1990 "), 8, 15) << QDate(2024, 5, 20) << midAutumn;

        BirthdayInfoData lastDay = midAutumn;
        lastDay.SolarDate = QDate(2099, 12, 31);
        lastDay.LunarMonth = 11;
        lastDay.LunarDay = 20;
        lastDay.RecentDate = QDate(2099, 12, 31);
        QTest::newRow("lunar on the calendar's last day")
            << lunarEntry(QStringLiteral("1990"), 11, 20) << QDate(2099, 12, 31) << lastDay;

        // 1994-09-20 was the 15th of the eighth lunar month.
        BirthdayInfoData solar = base;
        solar.Name = QStringLiteral("李四");
        solar.CallName = QString();
        solar.IsLunar = false;
        solar.SolarDate = QDate(1994, 9, 20);
        solar.LunarYear = 1994;
        solar.LunarMonth = 8;
        solar.LunarDay = 15;
        solar.RecentDate = QDate(2024, 9, 20);
        QTest::newRow("solar") << solarEntry(QDate(1994, 9, 20)) << QDate(2024, 5, 20) << solar;

        BirthdayInfoData leapDay = solar;
        leapDay.IgnoreSolarYear = true;
        leapDay.SolarDate = QDate(2000, 2, 29);
        leapDay.LunarYear = 2000;
        leapDay.LunarMonth = 1;
        leapDay.LunarDay = 25;
        leapDay.RecentDate = QDate(2024, 2, 29);
        QTest::newRow("solar 29 February, year ignored")
            << solarEntry(QDate(2000, 2, 29), true) << QDate(2023, 3, 1) << leapDay;
    }

    void accepted()
    {
        QFETCH(FormEntry, entry);
        QFETCH(QDate, today);
        QFETCH(BirthdayInfoData, expected);

        BirthdayConfig config;
        enter(config, entry);
        ModalDismisser dismisser;
        BirthdayInfoData record;
        record.HasNoticed0 = record.HasNoticed1 = record.HasNoticed3 = record.HasNoticed7 = true;
        QVERIFY(config.readForm(expected.id, today, record));
        QVERIFY(dismisser.titles.isEmpty());
        QCOMPARE(describe(record), describe(expected));
    }

    void rowTexts_data()
    {
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("texts");

        const QLocale chinese(QLocale::Chinese, QLocale::AnyCountry);
        BirthdayInfoData lunar = stored(7, QStringLiteral("王小明"), QStringLiteral("明明"), QDate(2024, 9, 17));
        lunar.IsLeapMonth = true;
        QTest::newRow("lunar, Chinese numerals")
            << lunar << chinese << QStringList{"7",    "王小明", "明明", "男",   "农历",       "一九九〇", "八月",
                                               "十五", "无效",   "无效", "无效", "2024-09-17", "是"};
        QTest::newRow("lunar, other locale")
            << lunar << QLocale(QLocale::English, QLocale::UnitedStates)
            << QStringList{"7",    "王小明", "明明", "男",   "农历",       "1990", "八月",
                           "十五", "无效",   "无效", "无效", "2024-09-17", "是"};

        BirthdayInfoData noYear = stored(8, QStringLiteral("赵六"), QString(), QDate(2025, 1, 29));
        noYear.IgnoreLunarYear = true;
        noYear.Gender = false;
        noYear.LunarMonth = 12;
        noYear.LunarDay = 30;
        QTest::newRow("lunar, year ignored, last month and day")
            << noYear << chinese << QStringList{"8",    "赵六", "",     "女",   "农历",       "无效", "腊月",
                                                "三十", "无效", "无效", "无效", "2025-01-29", "否"};

        BirthdayInfoData damaged = noYear;
        damaged.LunarMonth = 0;
        damaged.LunarDay = 31;
        QTest::newRow("lunar month and day out of range")
            << damaged << chinese << QStringList{"8",    "赵六", "",     "女",   "农历",       "无效", "无效",
                                                 "无效", "无效", "无效", "无效", "2025-01-29", "否"};

        BirthdayInfoData solar = stored(3, QStringLiteral("李四"), QString(), QDate(2024, 9, 20));
        solar.IsLunar = false;
        solar.SolarDate = QDate(1994, 9, 20);
        solar.IsLeapMonth = true;
        QTest::newRow("solar") << solar << chinese
                               << QStringList{"3",    "李四", "",   "男", "公历",       "无效", "无效",
                                              "无效", "1994", "09", "20", "2024-09-20", "无效"};
    }

    void rowTexts()
    {
        QFETCH(BirthdayInfoData, record);
        QFETCH(QLocale, locale);
        QFETCH(QStringList, texts);

        AppGlobals::locale = locale;
        BirthdayConfig config;
        QCOMPARE(config.rowTexts(record), texts);

        // The table shows the same texts.
        emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect,
                                                        QVariant::fromValue(QList<BirthdayInfoData>{record}));
        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->columnCount(), BirthdayConfig::ColumnCount);
        QStringList shown;
        for (int column = 0; column < table->columnCount(); ++column)
            shown.append(table->item(0, column)->text());
        QCOMPARE(shown, texts);
    }

    void fillKeepsListOrder()
    {
        BirthdayConfig config;
        // Ids and names in an order that differs from the soonest-first order of the list.
        const QList<BirthdayInfoData> list = {stored(10, QStringLiteral("丙"), QString(), QDate(2024, 6, 1)),
                                              stored(2, QStringLiteral("甲"), QString(), QDate(2024, 7, 1)),
                                              stored(33, QStringLiteral("乙"), QString(), QDate(2024, 8, 1))};
        emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect, QVariant::fromValue(list));
        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        QStringList ids;
        for (int row = 0; row < table->rowCount(); ++row)
            ids.append(table->item(row, 0)->text());
        QCOMPARE(ids, (QStringList{"10", "2", "33"}));
        QVERIFY(table->isSortingEnabled());

        // A shorter list replaces the rows.
        emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect,
                                                        QVariant::fromValue(QList<BirthdayInfoData>{list.at(2)}));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("33"));
    }

    void answers_data()
    {
        QTest::addColumn<int>("operate");
        QTest::addColumn<QVariant>("result");
        QTest::addColumn<bool>("upToDateAfter");
        QTest::addColumn<bool>("listRequested");
        QTest::addColumn<QString>("title");

        QTest::newRow("added") << int(BirthdayInfoInsert) << QVariant(true) << false << true << QString();
        QTest::newRow("add refused") << int(BirthdayInfoInsert) << QVariant(false) << true << false
                                     << QStringLiteral("添加失败");
        QTest::newRow("updated") << int(BirthdayInfoUpdate) << QVariant(true) << false << true << QString();
        QTest::newRow("update refused") << int(BirthdayInfoUpdate) << QVariant(false) << true << false
                                        << QStringLiteral("更新失败");
        QTest::newRow("deleted") << int(BirthdayInfoDelete) << QVariant() << false << true << QString();
        QTest::newRow("next occurrence stored")
            << int(BirthdayInfoUpdateRecentDate) << QVariant() << false << true << QString();
        QTest::newRow("reminder flags stored")
            << int(BirthdayInfoUpdateNoticed) << QVariant() << true << true << QString();
        QTest::newRow("other subsystem") << int(TaskListInsert) << QVariant(true) << true << false << QString();
    }

    void answers()
    {
        QFETCH(int, operate);
        QFETCH(QVariant, result);
        QFETCH(bool, upToDateAfter);
        QFETCH(bool, listRequested);
        QFETCH(QString, title);

        BirthdayConfig config;
        ModalDismisser dismisser;
        interfacePublicData.birthdayListUpToDate = true;
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        emit interfacePublicData.SIGNALReceiveQueryData(static_cast<SqlOperateType>(operate), result);

        QCOMPARE(interfacePublicData.birthdayListUpToDate, upToDateAfter);
        QCOMPARE(codesOf(requests),
                 listRequested ? QList<SqlOperateType>{BirthdayInfoSelect} : QList<SqlOperateType>());
        QCOMPARE(dismisser.titles, title.isEmpty() ? QStringList() : QStringList{title});
        if (!title.isEmpty())
            QCOMPARE(dismisser.texts,
                     QStringList{QStringLiteral("已经存在相同的人\n请确认 姓名+别称+性别 组合的唯一性")});
    }

    void nothingLoaded_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("update") << "pushButton_Update"
                                << "请选择要更新的行";
        QTest::newRow("delete") << "pushButton_Delete"
                                << "请选择要删除的行";
    }

    void nothingLoaded()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);

        BirthdayConfig config;
        enter(config, lunarEntry(QStringLiteral("1990"), 8, 15));
        ModalDismisser dismisser;
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        // Disabled while nothing is loaded; the slot refuses on its own as well.
        auto *push = child<QPushButton>(config, button.toLatin1().constData());
        QVERIFY(!push->isEnabled());
        QMetaObject::invokeMethod(&config, QStringLiteral("on_%1_clicked").arg(button).toLatin1().constData());
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("提示")});
        QCOMPARE(dismisser.texts, QStringList{text});
        QCOMPARE(requests.count(), 0);
    }

    void loadUpdateDelete()
    {
        BirthdayConfig config;
        config.show();
        QVERIFY(QTest::qWaitForWindowExposed(&config));
        BirthdayInfoData first = stored(4, QStringLiteral("张三"), QString(), QDate(2024, 6, 1));
        BirthdayInfoData second = stored(9, QStringLiteral("王小明"), QStringLiteral("明明"), QDate(2024, 9, 17));
        emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect,
                                                        QVariant::fromValue(QList<BirthdayInfoData>{first, second}));

        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        pressRow(table, 1);
        QCOMPARE(child<QLineEdit>(config, "lineEdit_Name")->text(), QStringLiteral("王小明"));
        QCOMPARE(child<QLineEdit>(config, "lineEdit_CallName")->text(), QStringLiteral("明明"));
        QCOMPARE(child<QComboBox>(config, "comboBox_LunarMonth")->currentText(), QStringLiteral("八月"));
        QCOMPARE(child<QComboBox>(config, "comboBox_LunarDay")->currentText(), QStringLiteral("十五"));
        QVERIFY(!child<QCheckBox>(config, "checkBox_Notice3")->isChecked());
        QVERIFY(child<QPushButton>(config, "pushButton_Update")->isEnabled());
        QVERIFY(child<QPushButton>(config, "pushButton_Delete")->isEnabled());

        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        child<QLineEdit>(config, "lineEdit_CallName")->setText(QStringLiteral("小明"));
        QTest::mouseClick(child<QPushButton>(config, "pushButton_Update"), Qt::LeftButton);
        QCOMPARE(codesOf(requests), QList<SqlOperateType>{BirthdayInfoUpdate});
        const BirthdayInfoData updated = requests.at(0).at(1).value<BirthdayInfoData>();
        QCOMPARE(updated.id, 9);
        QCOMPARE(updated.CallName, QStringLiteral("小明"));
        QCOMPARE(updated.IconPath, second.IconPath);
        requests.clear();

        // Only an explicit confirmation deletes, and it names the person.
        ModalDismisser dismisser(QMessageBox::Cancel);
        QTest::mouseClick(child<QPushButton>(config, "pushButton_Delete"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("确认删除？")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("请确认删除信息: \n姓名: 王小明\n别称: 明明\n性别: 男")});
        QCOMPARE(requests.count(), 0);
        dismisser.setAnswer(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>(config, "pushButton_Delete"), Qt::LeftButton);
        QCOMPARE(codesOf(requests), QList<SqlOperateType>{BirthdayInfoDelete});
        QCOMPARE(requests.at(0).at(1), QVariant(9));

        QTest::mouseClick(child<QPushButton>(config, "pushButton_ClearEdit"), Qt::LeftButton);
        QVERIFY(child<QLineEdit>(config, "lineEdit_Name")->text().isEmpty());
        QVERIFY(!child<QPushButton>(config, "pushButton_Update")->isEnabled());
        QVERIFY(!child<QPushButton>(config, "pushButton_Delete")->isEnabled());
        QVERIFY(table->selectedItems().isEmpty());
        // The cleared form no longer points at the person: an update would have to be refused.
        requests.clear();
        QMetaObject::invokeMethod(&config, "on_pushButton_Update_clicked");
        QCOMPARE(dismisser.texts.last(), QStringLiteral("请选择要更新的行"));
        QCOMPARE(requests.count(), 0);
    }

    // Cancelling the picker gives the default picture, not the one shown before.
    void iconChoiceCancelled()
    {
        BirthdayConfig config;
        config.show();
        QVERIFY(QTest::qWaitForWindowExposed(&config));
        emit interfacePublicData.SIGNALReceiveQueryData(
            BirthdayInfoSelect, QVariant::fromValue(QList<BirthdayInfoData>{
                                    stored(4, QStringLiteral("张三"), QString(), QDate(2024, 6, 1))}));
        pressRow(child<QTableWidget>(config, "tableWidget_Birthday"), 0);
        BirthdayInfoData record;
        QVERIFY(config.readForm(4, record));
        QCOMPARE(record.IconPath, QStringLiteral("src/icon/birthday/7.png"));

        QWidget owner;
        IconManage::instance(&owner);
        ModalDismisser dismisser(QMessageBox::Cancel);
        QTest::mouseClick(child<QLabel>(config, "label_Icon"), Qt::LeftButton);
        QCOMPARE(dismisser.titles.size(), 1);
        QVERIFY(config.readForm(4, record));
        QCOMPARE(record.IconPath, DefaultIcon);
    }

    // Through a real worker: the stored list comes back in next-birthday order, a duplicate person is
    // refused, and the same name with another call name is a different person.
    void addThroughStorage()
    {
        TestProgramDir dir;
        QVERIFY(dir.isValid());
        SqlThread worker;
        connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, &worker, &SqlThread::SLOTReceiveQuery,
                Qt::QueuedConnection);
        connect(&worker, &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                &InterfacePublicData::SIGNALReceiveQueryData, Qt::QueuedConnection);
        BirthdayConfig config;
        ModalDismisser dismisser;
        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        auto *add = child<QPushButton>(config, "pushButton_Add");

        const QDate today = QDate::currentDate();
        FormEntry later = solarEntry(QDate(1990, 1, 1).addDays(today.addDays(40).dayOfYear() - 1));
        later.name = QStringLiteral("晚");
        enter(config, later);
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_COMPARE(table->rowCount(), 1);

        FormEntry sooner = solarEntry(QDate(1990, 1, 1).addDays(today.addDays(20).dayOfYear() - 1));
        sooner.name = QStringLiteral("早");
        enter(config, sooner);
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_COMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("早"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("晚"));
        QVERIFY(child<QLineEdit>(config, "lineEdit_Name")->text().isEmpty());
        QVERIFY(!child<QPushButton>(config, "pushButton_Update")->isEnabled());

        enter(config, sooner);
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_COMPARE(dismisser.titles, QStringList{QStringLiteral("添加失败")});
        sooner.callName = QStringLiteral("另一个");
        enter(config, sooner);
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_COMPARE(table->rowCount(), 3);
        QCOMPARE(dismisser.titles.size(), 1);
    }

private:
    QLocale savedLocale;
};

QTEST_MAIN(TestBirthdayConfig)
#include "tst_birthdayconfig.moc"
