#include "common/sqlrequest.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "icons/iconstore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString Cake = QStringLiteral("src/icon/task/7_cake.png");
const QString Gift = QStringLiteral("src/icon/task/7_gift.png");
const QString Other = QStringLiteral("src/icon/task/2_other.png");
const QString TaskDefault = QStringLiteral("src/icon/task/default.png");

// Every value of the statement's first column, read straight from the file.
QStringList column(const TestProgramDir &dir, const QString &sql)
{
    const QString name = QStringLiteral("icon-storage-read");
    QStringList values;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dir.databaseFile());
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql)) {
                while (query.next())
                    values.append(query.value(0).toString());
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return values;
}

// One task per path in the first list and one birthday per path in the second, ids in order.
bool addUsers(const TestProgramDir &dir, const QStringList &taskPaths, const QStringList &birthdayPaths)
{
    bool ok = dir.isValid();
    for (int i = 0; i < taskPaths.size(); ++i)
        ok = ok && dir.execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, IconPath) VALUES (%1, 't', '%2')")
                                   .arg(i)
                                   .arg(taskPaths.at(i)));
    for (int i = 0; i < birthdayPaths.size(); ++i)
        ok = ok && dir.execute(QStringLiteral("INSERT INTO BIRTHDAY_INFO (id, Name, IconPath) VALUES (%1, 'b', '%2')")
                                   .arg(i + 1)
                                   .arg(birthdayPaths.at(i)));
    return ok;
}

QStringList taskPaths(const TestProgramDir &dir)
{
    return column(dir, QStringLiteral("SELECT IconPath FROM TASK_LIST ORDER BY id"));
}

QStringList birthdayPaths(const TestProgramDir &dir)
{
    return column(dir, QStringLiteral("SELECT IconPath FROM BIRTHDAY_INFO ORDER BY id"));
}

} // namespace

class TestIconStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void nextId_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty table") << QList<int>() << 1;
        QTest::newRow("ids 1, 2 and 7") << QList<int>{1, 2, 7} << 8;
    }

    void nextId()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, expected);
        TestProgramDir dir;
        for (const int id : ids)
            QVERIFY(dir.execute(
                QStringLiteral("INSERT INTO ICON_LIST (id, What, Path, Notice) VALUES (%1, 0, 'p', 'n')").arg(id)));
        StoreWorker<IconStore> worker;
        const SqlAnswer answer = sqlRequest(worker, IconListNextId);
        QVERIFY(answer.answered);
        QCOMPARE(answer.value.toInt(), expected);
    }

    void deleteIcon_data()
    {
        QTest::addColumn<QStringList>("tasksBefore");
        QTest::addColumn<QStringList>("birthdaysBefore");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("tasksAfter");
        QTest::addColumn<QStringList>("birthdaysAfter");
        QTest::newRow("unused picture rewrites nothing")
            << QStringList{Other, TaskDefault} << QStringList{Other} << QStringLiteral("restartNo")
            << QStringList{Other, TaskDefault} << QStringList{Other};
        QTest::newRow("used by a task and a birthday")
            << QStringList{Cake, Other} << QStringList{Cake} << QStringLiteral("restartYes")
            << QStringList{TaskDefault, Other} << QStringList{TaskDefault};
    }

    void deleteIcon()
    {
        QFETCH(QStringList, tasksBefore);
        QFETCH(QStringList, birthdaysBefore);
        QFETCH(QString, answer);
        QFETCH(QStringList, tasksAfter);
        QFETCH(QStringList, birthdaysAfter);
        TestProgramDir dir;
        QVERIFY(addUsers(dir, tasksBefore, birthdaysBefore));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (7, 0, '%1', 'cake')").arg(Cake)));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (2, 0, '%1', 'other')").arg(Other)));
        StoreWorker<IconStore> worker;

        const SqlAnswer deleted = sqlRequest(worker, IconListDelete, QStringList{"7", Cake, TaskDefault});
        QVERIFY(deleted.answered);
        QCOMPARE(deleted.value.toString(), answer);
        QCOMPARE(taskPaths(dir), tasksAfter);
        QCOMPARE(birthdayPaths(dir), birthdaysAfter);
        QCOMPARE(column(dir, QStringLiteral("SELECT id FROM ICON_LIST ORDER BY id")), QStringList{"2"});
    }

    void updateIcon_data()
    {
        QTest::addColumn<QStringList>("request");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("tasksAfter");
        QTest::addColumn<QString>("iconRow");
        const QStringList users{Cake, Other, TaskDefault};
        const QString renamed = QStringLiteral("0|%1|gift").arg(Gift);
        QTest::newRow("renamed and used") << QStringList{"checkOldYes", "7", "0", Cake, Gift, "gift"} << "restartYes"
                                          << QStringList{Gift, Other, TaskDefault} << renamed;
        QTest::newRow("checkOldNo never counts")
            << QStringList{"checkOldNo", "7", "0", Cake, Gift, "gift"} << "restartNo" << users << renamed;
        QTest::newRow("flag compared exactly")
            << QStringList{"checkoldyes", "7", "0", Cake, Gift, "gift"} << "restartNo" << users << renamed;
        QTest::newRow("default picture replaced in place")
            << QStringList{"checkOldYes", "0", "0", TaskDefault, TaskDefault, "gift"} << "restartYes" << users
            << QStringLiteral("0|%1|cake").arg(Cake);
    }

    void updateIcon()
    {
        QFETCH(QStringList, request);
        QFETCH(QString, answer);
        QFETCH(QStringList, tasksAfter);
        QFETCH(QString, iconRow);
        TestProgramDir dir;
        QVERIFY(addUsers(dir, {Cake, Other, TaskDefault}, {}));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (7, 0, '%1', 'cake')").arg(Cake)));
        StoreWorker<IconStore> worker;

        const SqlAnswer updated = sqlRequest(worker, IconListUpdate, request);
        QVERIFY(updated.answered);
        QCOMPARE(updated.value.toString(), answer);
        QCOMPARE(taskPaths(dir), tasksAfter);
        QCOMPARE(column(dir, QStringLiteral("SELECT What || '|' || Path || '|' || Notice FROM ICON_LIST WHERE id = 7")),
                 QStringList{iconRow});
    }
};

QTEST_GUILESS_MAIN(TestIconStore)
#include "tst_iconstore.moc"
