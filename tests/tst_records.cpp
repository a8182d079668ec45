#include "data/records.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

// Bounces every value it receives back from its own thread, the way the worker answers.
class Echo : public QObject
{
    Q_OBJECT
signals:
    void answer(SqlOperateType operate, QVariant var);
public slots:
    void receive(SqlOperateType operate, QVariant var) { emit answer(operate, var); }
};

class Sender : public QObject
{
    Q_OBJECT
signals:
    void send(SqlOperateType operate, QVariant var);
};

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void defaults()
    {
        const BirthdayInfoData birthday;
        QCOMPARE(birthday.id, -1);
        QCOMPARE(birthday.Name, QStringLiteral("null"));
        QCOMPARE(birthday.CallName, QStringLiteral("null"));
        QCOMPARE(birthday.SolarDate, QDate(1994, 9, 20));
        QCOMPARE(birthday.RecentDate, QDate::currentDate().addDays(10));
        QVERIFY(birthday.Gender && birthday.IsLunar && birthday.Notice1);
        QVERIFY(!birthday.Notice3 && !birthday.Notice7 && !birthday.HasNoticed0);

        const NoticeConfigData notice;
        QVERIFY(notice.CN_EnableTask);
        QVERIFY(!notice.CN_EnableBirthday);
        QVERIFY(notice.NN_EnableTask && notice.NN_EnableBirthday);
        QCOMPARE(notice.CN_Color.name(), QStringLiteral("#00677c"));
        QCOMPARE(notice.CN_ShadowColor.name(), QStringLiteral("#000000"));
        QCOMPARE(notice.CN_BgType, 1);
        QCOMPARE(notice.NN_DisplaySec, 60);

        QCOMPARE(TaskListData().id, -1);
        QVERIFY(!TaskListData().TaskTimeSee.isValid());
        QCOMPARE(TaskWorkdayData().id, -1);
        QCOMPARE(UsersConfigData().UserLimitOnePage, 20);
        QCOMPARE(UsersConfigData().NoActiveLogoutSec, 60);
        QCOMPARE(UsersUserQueryData().limitOnePage, 20);
        QCOMPARE(UsersUserQueryData().page, 1);
    }

    void wrongTypeGivesDefaults()
    {
        const QVariant text = QStringLiteral("not a record");
        QCOMPARE(text.value<AesAccountUpdateResultType>(), AesUpdateSuccess);
        QCOMPARE(text.value<NoticeConfigData>(), NoticeConfigData());
        QCOMPARE(QVariant().value<UsersConfigData>(), UsersConfigData());
        QCOMPARE(text.value<TaskListData>().id, -1);
    }

    void crossThread_data()
    {
        QTest::addColumn<QVariant>("payload");

        TaskListData task;
        task.id = 7;
        task.TaskName = QStringLiteral("it's 喝水");
        task.TaskTimeSee = QDateTime(QDate(2024, 5, 19), QTime(8, 30, 15));
        task.IconPath = QStringLiteral("src/icon/task/3.png");
        task.NoticeCycle = 3;
        task.Noticed = 1;
        task.NormalNoticeKeepDisplay = 1;
        QTest::newRow("TaskListData") << QVariant::fromValue(task);
        QTest::newRow("QList<TaskListData>") << QVariant::fromValue(QList<TaskListData>{task, TaskListData()});

        TaskWorkdayData day;
        day.id = 3;
        day.TaskDate = QDate(2024, 10, 1);
        day.Notice = QStringLiteral("国庆");
        QTest::newRow("QList<TaskWorkdayData>") << QVariant::fromValue(QList<TaskWorkdayData>{day});

        BirthdayInfoData birthday;
        birthday.Name = QStringLiteral("小明");
        birthday.Gender = false;
        birthday.LunarYear = 1990;
        birthday.LunarMonth = 12;
        birthday.LunarDay = 30;
        birthday.IsLeapMonth = true;
        birthday.HasNoticed7 = true;
        QTest::newRow("QList<BirthdayInfoData>") << QVariant::fromValue(QList<BirthdayInfoData>{birthday});

        NoticeConfigData notice;
        notice.CN_Color = QColor(QStringLiteral("#123456"));
        notice.CN_EnableBirthday = true;
        notice.NN_DisplaySec = 9;
        QTest::newRow("NoticeConfigData") << QVariant::fromValue(notice);

        QTest::newRow("UsersConfigData") << QVariant::fromValue(UsersConfigData{5, 300});

        UsersUserInfoData user;
        user.ID = 12;
        user.Title = QStringLiteral("mail");
        user.Pwd = QStringLiteral("cipher==");
        user.UpdateDate = QDate(2024, 1, 2);
        QTest::newRow("UsersUserInfoData") << QVariant::fromValue(user);
        QTest::newRow("UsersUserQueryData")
            << QVariant::fromValue(UsersUserQueryData{3, QStringLiteral("ab'c"), 10, 4});

        UsersUserResultData result;
        result.users = {user, UsersUserInfoData()};
        result.total = 45;
        result.pageCount = 3;
        result.page = 3;
        result.hasPrevPage = true;
        QTest::newRow("UsersUserResultData") << QVariant::fromValue(result);

        QTest::newRow("AesAccountUpdateResultType") << QVariant::fromValue(AesUpdateBackupFailed);
        QTest::newRow("LoginOutReasonType") << QVariant::fromValue(LogoutAccountChanged);
        QTest::newRow("QList<int>") << QVariant::fromValue(QList<int>{4, 0, 9});
        QTest::newRow("QList<QStringList>") << QVariant::fromValue(
            QList<QStringList>{{QStringLiteral("1"), QStringLiteral("0")}, {QStringLiteral("0")}});
        QTest::newRow("QPair<QString,QString>")
            << QVariant::fromValue(QPair<QString, QString>(QStringLiteral("user"), QStringLiteral("key")));
        QTest::newRow("QStringList") << QVariant(QStringList{QStringLiteral("a"), QString()});
    }

    // What the worker receives and answers must arrive unchanged, across the thread boundary both ways.
    void crossThread()
    {
        QFETCH(QVariant, payload);

        QThread thread;
        Echo echo;
        echo.moveToThread(&thread);
        Sender sender;
        connect(&sender, &Sender::send, &echo, &Echo::receive);
        thread.start();

        QSignalSpy spy(&echo, &Echo::answer);
        emit sender.send(IconListUpdate, payload);
        // The answer may come back before the wait starts.
        const bool arrived = spy.count() > 0 || spy.wait(5000);
        thread.quit();
        thread.wait();

        QVERIFY(arrived);
        QCOMPARE(spy.at(0).at(0).value<SqlOperateType>(), IconListUpdate);
        const QVariant received = spy.at(0).at(1);
        QCOMPARE(received.userType(), payload.userType());
        QCOMPARE(received, payload);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
