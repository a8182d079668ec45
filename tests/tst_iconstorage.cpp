#include "common/sqlrequest.h"
#include "common/testprogramdir.h"
#include "data/sqlthread.h"

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
    bool ok = true;
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

class TestIconStorage : public QObject
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
        QVERIFY(dir.isValid());
        for (const int id : ids)
            QVERIFY(dir.execute(
                QStringLiteral("INSERT INTO ICON_LIST (id, What, Path, Notice) VALUES (%1, 0, 'p', 'n')").arg(id)));
        SqlThread worker;
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
            << QStringList{Other, TaskDefault} << QStringList{Other} << "restartNo" << QStringList{Other, TaskDefault}
            << QStringList{Other};
        QTest::newRow("used by a task and a birthday") << QStringList{Cake, Other} << QStringList{Cake} << "restartYes"
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
        QVERIFY(dir.isValid());
        QVERIFY(addUsers(dir, tasksBefore, birthdaysBefore));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (7, 0, '%1', 'cake')").arg(Cake)));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (2, 0, '%1', 'other')").arg(Other)));
        SqlThread worker;

        const SqlAnswer deleted = sqlRequest(worker, IconListDelete, QStringList{"7", Cake, TaskDefault});
        QVERIFY(deleted.answered);
        QCOMPARE(deleted.value.toString(), answer);
        QCOMPARE(taskPaths(dir), tasksAfter);
        QCOMPARE(birthdayPaths(dir), birthdaysAfter);
        QCOMPARE(column(dir, QStringLiteral("SELECT id FROM ICON_LIST ORDER BY id")), QStringList{"2"});
    }

    void updateIcon_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("oldPath");
        QTest::addColumn<QString>("newPath");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("tasksAfter");
        QTest::addColumn<QStringList>("iconRow");
        const QStringList users{Cake, Other, TaskDefault};
        QTest::newRow("renamed and used") << "checkOldYes"
                                          << "7" << Cake << Gift << "restartYes"
                                          << QStringList{Gift, Other, TaskDefault} << QStringList{"0", Gift, "gift"};
        QTest::newRow("checkOldNo never counts")
            << "checkOldNo"
            << "7" << Cake << Gift << "restartNo" << users << QStringList{"0", Gift, "gift"};
        QTest::newRow("flag compared exactly")
            << "checkoldyes"
            << "7" << Cake << Gift << "restartNo" << users << QStringList{"0", Gift, "gift"};
        QTest::newRow("default picture replaced in place")
            << "checkOldYes"
            << "0" << TaskDefault << TaskDefault << "restartYes" << users << QStringList{"0", Cake, "cake"};
    }

    void updateIcon()
    {
        QFETCH(QString, flag);
        QFETCH(QString, id);
        QFETCH(QString, oldPath);
        QFETCH(QString, newPath);
        QFETCH(QString, answer);
        QFETCH(QStringList, tasksAfter);
        QFETCH(QStringList, iconRow);
        TestProgramDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(addUsers(dir, {Cake, Other, TaskDefault}, {}));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (7, 0, '%1', 'cake')").arg(Cake)));
        SqlThread worker;

        const SqlAnswer updated =
            sqlRequest(worker, IconListUpdate, QStringList{flag, id, "0", oldPath, newPath, "gift"});
        QVERIFY(updated.answered);
        QCOMPARE(updated.value.toString(), answer);
        QCOMPARE(taskPaths(dir), tasksAfter);
        QCOMPARE(column(dir, QStringLiteral("SELECT What || '|' || Path || '|' || Notice FROM ICON_LIST WHERE id = 7"))
                     .value(0)
                     .split(QLatin1Char('|')),
                 iconRow);
    }
};

QTEST_GUILESS_MAIN(TestIconStorage)
#include "tst_iconstorage.moc"
