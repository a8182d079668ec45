#include "birthdays/birthdaystore.h"
#include "common/birthdayrecord.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"

#include <QTest>

#include <memory>

namespace {

BirthdayInfoData person(const QString &name, const QString &callName, bool male)
{
    BirthdayInfoData b = solarBirthday(QDate(2030, 9, 20), name, callName);
    b.Gender = male;
    return b;
}

} // namespace

class TestBirthdayStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<StoreWorker<BirthdayStore>> worker;

    QList<BirthdayInfoData> select() { return ask(*worker, BirthdayInfoSelect).value<QList<BirthdayInfoData>>(); }

    // The answer of a write; "none" when there was none.
    QVariant write(SqlOperateType operate, const BirthdayInfoData &b)
    {
        bool answered = false;
        const QVariant answer = ask(*worker, operate, QVariant::fromValue(b), &answered);
        return answered ? answer : QVariant(QStringLiteral("none"));
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void init()
    {
        worker.reset(); // the last test's, before its folder goes
        dir.reset();
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        worker = std::make_unique<StoreWorker<BirthdayStore>>();
    }

    // Name, call name and gender together tell people apart; an update is not compared with its own row.
    void duplicates_data()
    {
        QTest::addColumn<bool>("update");
        QTest::addColumn<BirthdayInfoData>("record");
        QTest::addColumn<bool>("stored");
        BirthdayInfoData zhang = person("张三", "三儿", true);
        zhang.SolarDate = QDate(2000, 1, 1);
        QTest::newRow("same person, other date") << false << zhang << false;
        QTest::newRow("other gender") << false << person("张三", "三儿", false) << true;
        QTest::newRow("other call name") << false << person("张三", "", true) << true;
        QTest::newRow("quotes") << false << person("O'Brien", "it's \"me\"", false) << false;
        QTest::newRow("update keeping the own name") << true << zhang << true;
        QTest::newRow("update to the other person") << true << person("O'Brien", "it's \"me\"", false) << false;
    }
    void duplicates()
    {
        QFETCH(bool, update);
        QFETCH(BirthdayInfoData, record);
        QFETCH(bool, stored);
        write(BirthdayInfoInsert, person("张三", "三儿", true));
        write(BirthdayInfoInsert, person("O'Brien", "it's \"me\"", false));
        const QList<BirthdayInfoData> before = select();
        record.id = before.at(before.at(0).Name == QStringLiteral("张三") ? 0 : 1).id;
        QCOMPARE(write(update ? BirthdayInfoUpdate : BirthdayInfoInsert, record), QVariant(stored));
        const QList<BirthdayInfoData> after = select();
        QCOMPARE(after.size(), before.size() + (stored && !update ? 1 : 0));
        QCOMPARE(after.contains(record), stored && update);
        if (!stored)
            QCOMPARE(after, before);
    }

    void everyFieldRoundTrips()
    {
        BirthdayInfoData b = lunarBirthday(4, 30, QDate(2026, 6, 14), QStringLiteral("李四"), QStringLiteral("四哥"));
        b.id = 99; // the file assigns it
        b.Gender = b.Notice1 = false;
        b.IgnoreSolarYear = b.IsLeapMonth = b.HasNoticed1 = b.HasNoticed7 = true;
        b.IconPath = QStringLiteral("src/icon/birthday/7.png");
        QCOMPARE(write(BirthdayInfoInsert, b), QVariant(true));
        b.id = select().value(0).id;
        QVERIFY(b.id != 99);
        QCOMPARE(select(), QList<BirthdayInfoData>{b});
    }

    // Ordered by the next date; a delete removes its row only.
    void selectOrdersByNextDateAndDeletes()
    {
        for (const QDate &date : {QDate(2031, 1, 2), QDate(2030, 12, 31), QDate(2031, 1, 1)})
            write(BirthdayInfoInsert, solarBirthday(date, date.toString(Qt::ISODate)));
        const auto order = [this]() {
            QStringList names;
            for (const BirthdayInfoData &b : select())
                names.append(b.Name);
            return names.join(' ');
        };
        QCOMPARE(order(), "2030-12-31 2031-01-01 2031-01-02");
        QVERIFY(answers(*worker, BirthdayInfoDelete, select().at(1).id));
        QCOMPARE(order(), "2030-12-31 2031-01-02");
    }

    // The reminder updates store only their own columns: a new date clears the flags.
    void reminderUpdates()
    {
        BirthdayInfoData b = person("张三", "三儿", true);
        b.HasNoticed0 = b.HasNoticed1 = b.HasNoticed3 = b.HasNoticed7 = true;
        write(BirthdayInfoInsert, b);
        BirthdayInfoData stored = select().value(0), sent = stored;
        sent.RecentDate = stored.RecentDate = QDate(2031, 9, 20);
        sent.IsLeapMonth = stored.IsLeapMonth = true;
        sent.Name = QStringLiteral("not stored by this operation");
        QCOMPARE(write(BirthdayInfoUpdateRecentDate, sent), QVariant());
        stored.HasNoticed0 = stored.HasNoticed1 = stored.HasNoticed3 = stored.HasNoticed7 = false;
        QCOMPARE(select().value(0), stored);

        sent = stored;
        sent.HasNoticed1 = stored.HasNoticed1 = true;
        sent.RecentDate = QDate(2040, 1, 1);
        QCOMPARE(write(BirthdayInfoUpdateNoticed, sent), QVariant());
        QCOMPARE(select().value(0), stored);
    }

    // Without a table nothing can be checked or written: the answer must not claim success.
    void failedCheckCountsAsDuplicate()
    {
        worker.reset(); // its open statement would keep the table locked
        QVERIFY(dir->execute(QStringLiteral("DROP TABLE BIRTHDAY_INFO")));
        worker = std::make_unique<StoreWorker<BirthdayStore>>();
        BirthdayInfoData b = person("张三", "三儿", true);
        QCOMPARE(write(BirthdayInfoInsert, b), QVariant(false));
        b.id = 1;
        QCOMPARE(write(BirthdayInfoUpdate, b), QVariant(false));
    }
};

QTEST_GUILESS_MAIN(TestBirthdayStore)
#include "tst_birthdaystore.moc"
