#include "birthdays/birthdayconfig.h"
#include "common/birthdayrecord.h"
#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <tuple>

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

// The birthday editor: what it reads from the form, and what it stores, refuses and deletes.
class TestBirthdayConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // What the form gives for a record: the record read, or the refusal's text.
    void readForm_data()
    {
        // clang-format off
        QTest::addColumn<BirthdayInfoData>("entry"); QTest::addColumn<QString>("year"); QTest::addColumn<QDate>("today");
        QTest::addColumn<BirthdayInfoData>("expected"); QTest::addColumn<QString>("refusal");
        // clang-format on
        const QDate today(2024, 5, 20);
        BirthdayInfoData in = lunarBirthday(8, 15, QDate(2024, 9, 17), QStringLiteral("王小明"), QString());
        in.LunarYear = 1901;
        BirthdayInfoData out = in;
        out.SolarDate = today;
        QTest::newRow("lunar with birth year") << in << " 1901 " << today << out << QString();
        QTest::newRow("lunar year 1900") << in << "1900" << today << BirthdayInfoData() << "范围: 1901~2099年";
        QTest::newRow("next birthday after 2099")
            << in << "2099" << QDate(2099, 12, 1) << BirthdayInfoData() << "下一个生日超出支持的范围: 1901~2099年";
        in.Name = QStringLiteral("  ");
        QTest::newRow("no name") << in << "1901" << today << BirthdayInfoData() << "请填写姓名";
        // 2020 has a leap fourth month: from 1 May the next 4.1 is its first day, 23 May.
        in = lunarBirthday(4, 1, QDate(2020, 5, 1), QStringLiteral("  王  小明 "), QStringLiteral(" 明明  "));
        std::tie(in.Gender, in.IgnoreLunarYear) = std::make_tuple(false, true);
        out = in;
        std::tie(out.Name, out.CallName, out.SolarDate, out.LunarYear, out.RecentDate, out.IsLeapMonth) =
            std::make_tuple(QStringLiteral("王 小明"), QStringLiteral("明明"), QDate(2020, 5, 1), 2020,
                            QDate(2020, 5, 23), true);
        QTest::newRow("leap month, year ignored") << in << "1900" << QDate(2020, 5, 1) << out << QString();
        // 1994-09-20 was the 15th of the eighth lunar month.
        in = out = solarBirthday(QDate(2024, 9, 20), QStringLiteral("李四"), QString());
        std::tie(out.LunarYear, out.LunarMonth, out.LunarDay) = std::make_tuple(1994, 8, 15);
        QTest::newRow("solar") << in << "1990" << today << out << QString();
        in.SolarDate = QDate(1900, 5, 1);
        QTest::newRow("solar 1900") << in << "1990" << today << BirthdayInfoData() << "范围: 1901~2099年";
    }
    void readForm()
    {
        // clang-format off
        QFETCH(BirthdayInfoData, entry); QFETCH(QString, year); QFETCH(QDate, today); QFETCH(BirthdayInfoData, expected); QFETCH(QString, refusal);
        // clang-format on
        BirthdayConfig config;
        enter(config, entry, year);
        ModalDismisser dismisser;
        BirthdayInfoData record;
        QCOMPARE(config.readForm(12, today, record), refusal.isEmpty());
        QCOMPARE(dismisser.texts, refusal.isEmpty() ? QStringList() : QStringList{refusal});
        if (refusal.isEmpty())
            std::tie(expected.id, expected.IconPath) = std::make_tuple(12, BirthdayConfig::DefaultIconPath);
        QCOMPARE(record, expected);
    }

    // Through the worker: added, the same person refused, updated, and deleted once confirmed.
    void addUpdateDelete()
    {
        TestProgramDir dir;
        HubWorker worker;
        BirthdayConfig config;
        config.show();
        QVERIFY(QTest::qWaitForWindowExposed(&config));
        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        BirthdayInfoData person =
            lunarBirthday(8, 15, QDate(2024, 9, 17), QStringLiteral("王小明"), QStringLiteral("明明"));
        std::tie(person.Gender, person.Notice3) = std::make_tuple(false, false);
        // Enter adds or stores a named person: without a name it does nothing, not even refuse.
        auto *name = child<QLineEdit>(config, "lineEdit_Name");
        name->setFocus();
        ModalDismisser dismisser(QMessageBox::Cancel);
        QTest::keyClick(name, Qt::Key_Return);
        enter(config, person, QStringLiteral("1990"));
        QTest::keyClick(name, Qt::Key_Return);
        QTRY_COMPARE(table->rowCount(), 1);
        QCOMPARE(dir.value(QStringLiteral("SELECT CallName FROM BIRTHDAY_INFO")).toString(), QStringLiteral("明明"));
        enter(config, person, QStringLiteral("1990"));
        click(config, "pushButton_Add");
        QTRY_COMPARE(dismisser.texts,
                     QStringList{QStringLiteral("已经存在相同的人\n请确认 姓名+别称+性别 组合的唯一性")});
        QCOMPARE(dir.value(QStringLiteral("SELECT count(*) FROM BIRTHDAY_INFO")).toInt(), 1);
        // Emptied, the form shows the defaults; a chosen row fills it whole, so that storing it changes only
        // what was edited.
        child<QRadioButton>(config, "radioButton_LunarNo")->setChecked(true);
        click(config, "pushButton_ClearEdit");
        QString shown = QString::number(child<QPushButton>(config, "pushButton_Update")->isEnabled());
        for (const char *box : {"radioButton_GenderMale", "radioButton_LunarYes", "checkBox_IgnoreSolarYear",
                                "checkBox_IgnoreLunarYear", "checkBox_Notice1", "checkBox_Notice3", "checkBox_Notice7"})
            shown += QString::number(child<QAbstractButton>(config, box)->isChecked());
        QCOMPARE(shown, QStringLiteral("01100111"));
        const auto stored = [&worker]() {
            return ask(worker.worker, BirthdayInfoSelect).value<QList<BirthdayInfoData>>().value(0);
        };
        BirthdayInfoData edited = stored();
        edited.CallName = QStringLiteral("小明");
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        auto *callEdit = child<QLineEdit>(config, "lineEdit_CallName");
        callEdit->setText(QStringLiteral("小明"));
        callEdit->setFocus();
        QTest::keyClick(callEdit, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(stored(), edited);
        QTRY_COMPARE(table->item(0, 2)->text(), QStringLiteral("小明"));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        HubLog log;
        // Enter on the list stores nothing.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Return);
        click(config, "pushButton_Delete");
        QCOMPARE(dismisser.texts.last(), QStringLiteral("请确认删除信息: \n姓名: 王小明\n别称: 小明\n性别: 女"));
        QVERIFY(log.queries.isEmpty());
        dismisser.setAnswer(QMessageBox::Ok);
        click(config, "pushButton_Delete");
        QTRY_COMPARE(table->rowCount(), 0);
        QCOMPARE(dir.value(QStringLiteral("SELECT count(*) FROM BIRTHDAY_INFO")).toInt(), 0);
    }

    // Hidden, the editor takes no other window's list and reads its own once, when shown, however many
    // reminder flags the rows stored, and not again when shown again unchanged; shown, it follows every
    // change and keeps what is typed and chosen, the picture too.
    void othersChanges()
    {
        TestProgramDir dir;
        HubWorker worker;
        BirthdayConfig config;
        auto *table = child<QTableWidget>(config, "tableWidget_Birthday");
        BirthdayInfoData person = lunarBirthday(8, 15, QDate(2024, 9, 17));
        HubLog log;
        QSignalSpy answers(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData);
        emit interfacePublicData.SIGNALSendQuery(BirthdayInfoInsert, QVariant::fromValue(person));
        interfacePublicData.sendRequest(BirthdayInfoSelect);
        person.HasNoticed1 = true;
        for (int i = 0; i < 3; ++i)
            emit interfacePublicData.SIGNALSendQuery(BirthdayInfoUpdateNoticed, QVariant::fromValue(person));
        QTRY_COMPARE(answers.count(), 5);
        QCOMPARE(table->rowCount(), 0);
        config.show();
        QTRY_COMPARE(table->rowCount(), 1);
        config.hide();
        config.show();
        QCOMPARE(log.count(BirthdayInfoSelect), 2);

        QVERIFY(QTest::qWaitForWindowExposed(&config));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        child<QLineEdit>(config, "lineEdit_Name")->setText(QStringLiteral("李"));
        QVERIFY(dir.execute(QStringLiteral("UPDATE BIRTHDAY_INFO SET Name = '王大明'")));
        emit interfacePublicData.SIGNALSendQuery(BirthdayInfoUpdateNoticed, QVariant::fromValue(person));
        QTRY_COMPARE(table->item(0, 1)->text() + table->item(0, 6)->text() + table->item(0, 7)->text() +
                         QString::number(child<QPushButton>(config, "pushButton_Delete")->isEnabled()),
                     QStringLiteral("王大明八月十五1"));
        click(config, "pushButton_Update");
        QTRY_COMPARE(dir.value("SELECT Name || IconPath FROM BIRTHDAY_INFO").toString(), QString("李:/img/icon.png"));
    }
};

QTEST_MAIN(TestBirthdayConfig)
#include "tst_birthdayconfig.moc"
