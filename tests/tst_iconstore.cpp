#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "icons/iconlibrary.h"
#include "icons/iconstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

const QString Cake = QStringLiteral("src/icon/task/7_cake.png");
const QString Gift = QStringLiteral("src/icon/task/7_gift.png");
const QString Other = QStringLiteral("src/icon/task/2_other.png");
const QString TaskDefault = QStringLiteral("src/icon/task/default.png");

// Tasks and birthdays with these pictures, and the library's pictures 7 (cake) and 2 (other).
bool prepare(const TestProgramDir &dir, const QStringList &taskPaths, const QStringList &birthdayPaths)
{
    bool ok = dir.execute(
        QStringLiteral("INSERT INTO ICON_LIST VALUES (7, 0, '%1', 'cake'), (2, 0, '%2', 'other')").arg(Cake, Other));
    for (int i = 0; i < taskPaths.size(); ++i)
        ok = ok && dir.execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, IconPath) VALUES (%1, 't', '%2')")
                                   .arg(QString::number(i), taskPaths.at(i)));
    for (int i = 0; i < birthdayPaths.size(); ++i)
        ok = ok && dir.execute(QStringLiteral("INSERT INTO BIRTHDAY_INFO (id, Name, IconPath) VALUES (%1, 'b', '%2')")
                                   .arg(QString::number(i + 1), birthdayPaths.at(i)));
    return ok;
}

QStringList column(const TestProgramDir &dir, const QString &column, const QString &table)
{
    const QString sql = QStringLiteral("SELECT group_concat(%1, '|') FROM (SELECT %1 FROM %2 ORDER BY id)");
    const QString values = dir.value(sql.arg(column, table)).toString();
    return values.isEmpty() ? QStringList() : values.split(QLatin1Char('|'));
}

} // namespace

class TestIconStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // One past the highest id; 1 in an empty library.
    void nextId()
    {
        TestProgramDir dir;
        QCOMPARE(ask(*std::make_unique<StoreWorker<IconStore>>(), IconListNextId).toInt(), 1);
        QVERIFY(prepare(dir, {}, {}));
        QCOMPARE(ask(*std::make_unique<StoreWorker<IconStore>>(), IconListNextId).toInt(), 8);
    }

    // A picture in use is replaced by the default in every task and birthday; the answer asks for a restart.
    void deleteIcon_data()
    {
        QTest::addColumn<QStringList>("tasksBefore");
        QTest::addColumn<QStringList>("birthdaysBefore");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("tasksAfter");
        QTest::addColumn<QStringList>("birthdaysAfter");
        // clang-format off
        QTest::newRow("unused picture rewrites nothing") << QStringList{Other, TaskDefault} << QStringList{Other} << "restartNo" << QStringList{Other, TaskDefault} << QStringList{Other};
        QTest::newRow("used by a task and a birthday") << QStringList{Cake, Other} << QStringList{Cake} << "restartYes" << QStringList{TaskDefault, Other} << QStringList{TaskDefault};
        // clang-format on
    }
    void deleteIcon()
    {
        QFETCH(QStringList, tasksBefore);
        QFETCH(QStringList, birthdaysBefore);
        QFETCH(QString, answer);
        QFETCH(QStringList, tasksAfter);
        QFETCH(QStringList, birthdaysAfter);
        TestProgramDir dir;
        QVERIFY(prepare(dir, tasksBefore, birthdaysBefore));
        StoreWorker<IconStore> worker;
        QCOMPARE(ask(worker, IconListDelete, QStringList{"7", Cake, TaskDefault}).toString(), answer);
        QCOMPARE(column(dir, "IconPath", "TASK_LIST"), tasksAfter);
        QCOMPARE(column(dir, "IconPath", "BIRTHDAY_INFO"), birthdaysAfter);
        QCOMPARE(column(dir, "id", "ICON_LIST"), QStringList{"2"});
    }

    void updateIcon_data()
    {
        QTest::addColumn<QStringList>("request");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("tasksAfter");
        QTest::addColumn<QString>("iconRow");
        const QStringList users{Cake, Other, TaskDefault};
        const QString renamed = QStringLiteral("0|%1|gift").arg(Gift);
        // clang-format off
        QTest::newRow("renamed and used") << QStringList{"checkOldYes", "7", "0", Cake, Gift, "gift"} << "restartYes" << QStringList{Gift, Other, TaskDefault} << renamed;
        QTest::newRow("checkOldNo never counts") << QStringList{"checkOldNo", "7", "0", Cake, Gift, "gift"} << "restartNo" << users << renamed;
        QTest::newRow("default picture replaced in place") << QStringList{"checkOldYes", "0", "0", TaskDefault, TaskDefault, "gift"} << "restartYes" << users << QStringLiteral("0|%1|cake").arg(Cake);
        // clang-format on
    }
    void updateIcon()
    {
        QFETCH(QStringList, request);
        QFETCH(QString, answer);
        QFETCH(QStringList, tasksAfter);
        QFETCH(QString, iconRow);
        TestProgramDir dir;
        QVERIFY(prepare(dir, {Cake, Other, TaskDefault}, {}));
        StoreWorker<IconStore> worker;
        QCOMPARE(ask(worker, IconListUpdate, request).toString(), answer);
        QCOMPARE(column(dir, "IconPath", "TASK_LIST"), tasksAfter);
        QCOMPARE(dir.value("SELECT What || '|' || Path || '|' || Notice FROM ICON_LIST WHERE id = 7").toString(),
                 iconRow);
    }

    // Past 50 million pixels, also where width times height overflows an int.
    void tooLarge()
    {
        QVERIFY(IconLibrary::isTooLarge(QSize(10000, 5001)) && IconLibrary::isTooLarge(QSize(100000, 100000)));
        QVERIFY(!IconLibrary::isTooLarge(QSize(10000, 5000)));
    }

    void placeFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("sourceExists");
        QTest::addColumn<bool>("placed");
        QTest::newRow("replaces the old file") << "src/icon/task/1_a.png" << true << true << true;
        QTest::newRow("missing source keeps the old file") << "src/icon/task/1_a.png" << true << false << false;
        QTest::newRow("folder blocked by a file") << "src/icon/blocked/1_a.png" << false << true << false;
    }
    void placeFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, targetExists);
        QFETCH(bool, sourceExists);
        QFETCH(bool, placed);
        TestProgramDir dir(false);
        QVERIFY(dir.isValid());
        const QString source = QString::fromLatin1(IconLibrary::ScratchPath);
        const auto write = [](const QString &path, const QByteArray &content) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        };
        write(QStringLiteral("src/icon/blocked"), "a file where a folder should be");
        if (sourceExists)
            write(source, "new picture");
        if (targetExists)
            write(target, "old picture");
        QCOMPARE(IconLibrary::placeFile(source, target), placed);
        QCOMPARE(fileContents(target), QByteArray(placed ? "new picture" : targetExists ? "old picture" : ""));
        QCOMPARE(QFile::exists(source), !placed && sourceExists);
        QVERIFY(!QFile::exists(target + QStringLiteral(".old")));
    }
};

QTEST_MAIN(TestIconStore)
#include "tst_iconstore.moc"
