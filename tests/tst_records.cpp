#include "data/records.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

// One value of every type that travels between the windows and the worker, built anew on each call:
// values received are compared with values of their own, not with copies sharing their data.
QVariantList payloads()
{
    TaskListData task;
    task.id = 7;
    task.TaskName = QStringLiteral("it's 喝水");
    task.TaskTimeSee = QDateTime(QDate(2024, 5, 19), QTime(8, 30, 15));
    task.NoticeCycle = 3;
    TaskWorkdayData day;
    day.TaskDate = QDate(2024, 10, 1);
    day.Notice = QStringLiteral("国庆");
    BirthdayInfoData birthday;
    birthday.Name = QStringLiteral("小明");
    birthday.RecentDate = QDate(2024, 9, 17);
    birthday.IsLeapMonth = true;
    NoticeConfigData notice;
    notice.CN_Color = QColor(QStringLiteral("#123456"));
    UsersUserInfoData user;
    user.Pwd = QStringLiteral("cipher==");
    UsersUserResultData result;
    result.users = {user, UsersUserInfoData()};
    result.total = 45;
    return {QVariant::fromValue(task),
            QVariant::fromValue(QList<TaskListData>{task, TaskListData()}),
            QVariant::fromValue(day),
            QVariant::fromValue(QList<TaskWorkdayData>{day}),
            QVariant::fromValue(birthday),
            QVariant::fromValue(QList<BirthdayInfoData>{birthday}),
            QVariant::fromValue(notice),
            QVariant::fromValue(UsersConfigData{5, 300}),
            QVariant::fromValue(user),
            QVariant::fromValue(UsersUserQueryData{3, QStringLiteral("ab'c"), 10, 4}),
            QVariant::fromValue(result),
            QVariant::fromValue(AesUpdateBackupFailed),
            QVariant::fromValue(LogoutAccountChanged),
            QVariant::fromValue(QList<int>{4, 0, 9}),
            QVariant::fromValue(QList<QStringList>{{QStringLiteral("1")}, {}}),
            QVariant::fromValue(qMakePair(QStringLiteral("u"), QStringLiteral("k")))};
}

} // namespace

// Bounces every value it receives back from its own thread, the way the worker answers.
class Echo : public QObject
{
    Q_OBJECT
signals:
    void answer(SqlOperateType operate, QVariant var);
public slots:
    void receive(SqlOperateType operate, QVariant var) { emit answer(operate, var); }
};

class TestRecords : public QObject
{
    Q_OBJECT

signals:
    void send(SqlOperateType operate, QVariant var);
    void received(SqlOperateType operate, QVariant var);

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // What the worker receives and answers arrives unchanged, across the thread boundary both ways.
    void crossThread()
    {
        QThread thread;
        Echo echo;
        echo.moveToThread(&thread);
        connect(this, &TestRecords::send, &echo, &Echo::receive);
        connect(&echo, &Echo::answer, this, &TestRecords::received);
        QSignalSpy spy(this, &TestRecords::received);
        thread.start();
        for (const QVariant &payload : payloads())
            emit send(IconListUpdate, payload);
        const QVariantList expected = payloads();
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), expected.size(), 5000);
        thread.quit();
        thread.wait();

        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(spy.at(i).at(0).value<SqlOperateType>(), IconListUpdate);
            QVERIFY2(spy.at(i).at(1) == expected.at(i), expected.at(i).typeName());
        }
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
