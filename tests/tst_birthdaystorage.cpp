#include "common/sqlrequest.h"
#include "common/testprogramdir.h"
#include "data/sqlthread.h"

#include <QTest>

#include <algorithm>
#include <memory>

namespace {

BirthdayInfoData person(const QString &name, const QString &callName, bool male)
{
    BirthdayInfoData b;
    b.Name = name;
    b.CallName = callName;
    b.Gender = male;
    b.IsLunar = false;
    b.SolarDate = QDate(1994, 9, 20);
    b.RecentDate = QDate(2030, 9, 20);
    b.IconPath = QStringLiteral("src/icon/birthday/default.png");
    return b;
}

} // namespace

class TestBirthdayStorage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<SqlThread> worker;

    QList<BirthdayInfoData> select()
    {
        const SqlAnswer answer = sqlRequest(*worker, BirthdayInfoSelect);
        return answer.answered ? answer.value.value<QList<BirthdayInfoData>>() : QList<BirthdayInfoData>();
    }

    // The answer of an insert or update: true, false, or "none" when it did not answer with a bool.
    QString write(SqlOperateType operate, const BirthdayInfoData &b)
    {
        const SqlAnswer answer = sqlRequest(*worker, operate, QVariant::fromValue(b));
        if (!answer.answered || answer.value.type() != QVariant::Bool)
            return QStringLiteral("none");
        return answer.value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void init()
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        worker = std::make_unique<SqlThread>();
    }

    void cleanup()
    {
        worker.reset();
        dir.reset();
    }

    void insertDuplicates_data()
    {
        QTest::addColumn<BirthdayInfoData>("first");
        QTest::addColumn<BirthdayInfoData>("second");
        QTest::addColumn<QString>("answer");

        const BirthdayInfoData zhang = person("张三", "三儿", true);
        QTest::newRow("same person") << zhang << zhang << "false";
        QTest::newRow("other gender") << zhang << person("张三", "三儿", false) << "true";
        QTest::newRow("other call name") << zhang << person("张三", "", true) << "true";
        QTest::newRow("other name") << zhang << person("张四", "三儿", true) << "true";
        BirthdayInfoData otherDate = zhang;
        otherDate.SolarDate = QDate(2000, 1, 1);
        QTest::newRow("same person, other date") << zhang << otherDate << "false";
        const BirthdayInfoData quoted = person("O'Brien", "it's \"me\"", true);
        QTest::newRow("quotes") << quoted << quoted << "false";
    }

    void insertDuplicates()
    {
        QFETCH(BirthdayInfoData, first);
        QFETCH(BirthdayInfoData, second);
        QFETCH(QString, answer);

        QCOMPARE(write(BirthdayInfoInsert, first), QStringLiteral("true"));
        QCOMPARE(write(BirthdayInfoInsert, second), answer);
        const QList<BirthdayInfoData> stored = select();
        QCOMPARE(stored.size(), answer == QStringLiteral("true") ? 2 : 1);
        QVERIFY(std::any_of(stored.begin(), stored.end(), [&first](const BirthdayInfoData &b) {
            return b.Name == first.Name && b.CallName == first.CallName;
        }));
    }

    void everyFieldRoundTrips()
    {
        BirthdayInfoData b = person("李四", "四哥", false);
        b.id = 99; // ignored on insert
        b.IsLunar = true;
        b.IgnoreSolarYear = true;
        b.IgnoreLunarYear = false;
        b.SolarDate = QDate(2024, 5, 20);
        b.LunarYear = 1990;
        b.LunarMonth = 4;
        b.LunarDay = 30;
        b.RecentDate = QDate(2026, 6, 14);
        b.IsLeapMonth = true;
        b.IconPath = QStringLiteral("src/icon/birthday/7.png");
        b.Notice1 = false;
        b.Notice3 = true;
        b.Notice7 = true;
        b.HasNoticed0 = false;
        b.HasNoticed1 = true;
        b.HasNoticed3 = false;
        b.HasNoticed7 = true;
        QCOMPARE(write(BirthdayInfoInsert, b), QStringLiteral("true"));

        const QList<BirthdayInfoData> stored = select();
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored.at(0).id != 99);
        b.id = stored.at(0).id;
        QCOMPARE(stored.at(0), b);
    }

    void selectOrdersByNextDate()
    {
        const QList<QDate> dates{QDate(2031, 1, 2), QDate(2030, 12, 31), QDate(2031, 1, 1)};
        for (int i = 0; i < dates.size(); ++i) {
            BirthdayInfoData b = person(QStringLiteral("p%1").arg(i), QString(), true);
            b.RecentDate = dates.at(i);
            QCOMPARE(write(BirthdayInfoInsert, b), QStringLiteral("true"));
        }
        QList<QDate> order;
        for (const BirthdayInfoData &b : select())
            order.append(b.RecentDate);
        QCOMPARE(order, (QList<QDate>{QDate(2030, 12, 31), QDate(2031, 1, 1), QDate(2031, 1, 2)}));
    }

    void flagIsSetOnlyByOne()
    {
        QCOMPARE(write(BirthdayInfoInsert, person("王五", "", true)), QStringLiteral("true"));
        QVERIFY(dir->execute(QStringLiteral("UPDATE BIRTHDAY_INFO SET Gender = 2, Notice1 = 1, Notice3 = -1")));
        const BirthdayInfoData stored = select().value(0);
        QVERIFY(!stored.Gender);
        QVERIFY(stored.Notice1);
        QVERIFY(!stored.Notice3);
    }

    void update_data()
    {
        QTest::addColumn<BirthdayInfoData>("change");
        QTest::addColumn<QString>("answer");

        // Stored: 张三/三儿/male (first) and 李四/四哥/female (second); the change applies to the first.
        BirthdayInfoData unchangedName = person("张三", "三儿", true);
        unchangedName.SolarDate = QDate(1995, 3, 3);
        QTest::newRow("own name kept") << unchangedName << "true";
        QTest::newRow("becomes the other person") << person("李四", "四哥", false) << "false";
        QTest::newRow("other person's name, other gender") << person("李四", "四哥", true) << "true";
    }

    void update()
    {
        QFETCH(BirthdayInfoData, change);
        QFETCH(QString, answer);

        QCOMPARE(write(BirthdayInfoInsert, person("张三", "三儿", true)), QStringLiteral("true"));
        QCOMPARE(write(BirthdayInfoInsert, person("李四", "四哥", false)), QStringLiteral("true"));
        const QList<BirthdayInfoData> before = select();
        const int firstId = before.at(0).Name == QStringLiteral("张三") ? before.at(0).id : before.at(1).id;
        change.id = firstId;

        QCOMPARE(write(BirthdayInfoUpdate, change), answer);
        QList<BirthdayInfoData> after = select();
        QCOMPARE(after.size(), 2);
        if (answer == QStringLiteral("true")) {
            const auto stored = std::find_if(after.begin(), after.end(),
                                             [firstId](const BirthdayInfoData &b) { return b.id == firstId; });
            QVERIFY(stored != after.end());
            QCOMPARE(*stored, change);
        } else {
            QCOMPARE(after, before);
        }
    }

    void updateRecentDateClearsTheFlags()
    {
        BirthdayInfoData b = person("张三", "三儿", true);
        b.HasNoticed0 = b.HasNoticed1 = b.HasNoticed3 = b.HasNoticed7 = true;
        QCOMPARE(write(BirthdayInfoInsert, b), QStringLiteral("true"));
        BirthdayInfoData stored = select().value(0);

        BirthdayInfoData moved = stored;
        moved.RecentDate = QDate(2031, 9, 20);
        moved.IsLeapMonth = true;
        moved.Name = QStringLiteral("not stored by this operation");
        const SqlAnswer answer = sqlRequest(*worker, BirthdayInfoUpdateRecentDate, QVariant::fromValue(moved));
        QVERIFY(answer.answered);
        QVERIFY(!answer.value.isValid());

        stored.RecentDate = QDate(2031, 9, 20);
        stored.IsLeapMonth = true;
        stored.HasNoticed0 = stored.HasNoticed1 = stored.HasNoticed3 = stored.HasNoticed7 = false;
        QCOMPARE(select().value(0), stored);
    }

    void updateNoticedStoresTheFlagsOnly()
    {
        QCOMPARE(write(BirthdayInfoInsert, person("张三", "三儿", true)), QStringLiteral("true"));
        BirthdayInfoData stored = select().value(0);

        BirthdayInfoData flagged = stored;
        flagged.HasNoticed1 = flagged.HasNoticed7 = true;
        flagged.RecentDate = QDate(2040, 1, 1);
        flagged.CallName = QStringLiteral("not stored by this operation");
        const SqlAnswer answer = sqlRequest(*worker, BirthdayInfoUpdateNoticed, QVariant::fromValue(flagged));
        QVERIFY(answer.answered);

        stored.HasNoticed1 = stored.HasNoticed7 = true;
        QCOMPARE(select().value(0), stored);
    }

    void deleteRemovesOneRow()
    {
        QCOMPARE(write(BirthdayInfoInsert, person("张三", "三儿", true)), QStringLiteral("true"));
        QCOMPARE(write(BirthdayInfoInsert, person("李四", "四哥", false)), QStringLiteral("true"));
        const QList<BirthdayInfoData> before = select();

        const SqlAnswer answer = sqlRequest(*worker, BirthdayInfoDelete, before.at(0).id);
        QVERIFY(answer.answered);
        QCOMPARE(select(), QList<BirthdayInfoData>{before.at(1)});
    }

    // Without a table nothing can be checked or written: the answer must not claim success.
    void failedCheckCountsAsDuplicate()
    {
        worker.reset(); // its open statement would keep the table locked
        QVERIFY(dir->execute(QStringLiteral("DROP TABLE BIRTHDAY_INFO")));
        worker = std::make_unique<SqlThread>();
        QCOMPARE(write(BirthdayInfoInsert, person("张三", "三儿", true)), QStringLiteral("false"));
        BirthdayInfoData b = person("张三", "三儿", true);
        b.id = 1;
        QCOMPARE(write(BirthdayInfoUpdate, b), QStringLiteral("false"));
        QCOMPARE(select(), QList<BirthdayInfoData>());
    }
};

QTEST_GUILESS_MAIN(TestBirthdayStorage)
#include "tst_birthdaystorage.moc"
