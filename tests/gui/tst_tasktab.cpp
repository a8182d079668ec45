#include "app/mainwindow.h"
#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"
#include "tasks/tasktab.h"
#include "tasks/taskwidgetitem.h"
#include "widgets/lazyrowlist.h"
#include "widgets/rowticker.h"

#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

namespace {

// Far enough ahead that the real clock never makes it due during a test.
const QDateTime Due(QDate(2090, 5, 17), QTime(18, 30, 0));
const qint64 DueMs = Due.toMSecsSinceEpoch();

TaskListData task(int id, const QDateTime &due = Due, int cycle = CycleOnce, bool noticed = false,
                  const QString &name = QStringLiteral("喝水"))
{
    return {id, name, due, QString::fromLatin1(TaskWidgetItem::DefaultIconPath), cycle, noticed, 0, 1};
}

} // namespace

// The Task tab and its rows: what they store, what they delete, and that a due task fires once.
class TestTaskTab : public QObject
{
    Q_OBJECT

    template <typename T = QWidget> static T *find(QWidget &w, const char *name) { return w.findChild<T *>(name); }
    static void click(QWidget &parent, const char *name) { QTest::mouseClick(find(parent, name), Qt::LeftButton); }
    static void show(MainWindow &window, const QList<TaskListData> &tasks)
    {
        window.findChild<TaskTab *>()->slotReceiveQueryData(TaskListSelect, QVariant::fromValue(tasks));
    }
    static QList<TaskRow *> rows(MainWindow &window)
    {
        return find<QListWidget>(window, "listWidget_Task")->findChild<LazyRowList *>()->rows<TaskRow>();
    }
    static QString query(SqlOperateType operate) { return QStringLiteral("query %1").arg(operate); }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup()
    {
        TaskWidgetItem::setIconChooser(nullptr);
        currentNoticeConfig = NoticeConfigData();
        RowTicker::setOnScreen(true);
    }

    void addTask()
    {
        TestProgramDir dir;
        MainWindow window;
        find<QComboBox>(window, "comboBox_TaskName")->setEditText(QStringLiteral("it's 喝水"));
        // Choosing a cycle goes back to counting from now.
        find<QRadioButton>(window, "radioButton_TargetTime")->setChecked(true);
        find<QComboBox>(window, "comboBox_TaskNoticeCycle")->setCurrentIndex(CycleDaily);
        find<QPushButton>(window, "pushButton_NormalNoticeKeepDisplay")->setChecked(false);
        // A click on the icon chooses another, and so do Space and Enter on it; other keys do not.
        int chosen = 0;
        TaskWidgetItem::setIconChooser(
            [&chosen](QWidget *) { return QStringLiteral("src/icon/task/%1.png").arg(++chosen); });
        click(window, "label_TaskIcon");
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(find(window, "label_TaskIcon"), key);
        HubLog log;
        const QDateTime before = QDateTime::currentDateTime();
        click(window, "pushButton_AddTask");
        QCOMPARE(log.operations(), QList<SqlOperateType>{TaskListInsert});
        const TaskListData added = log.payload<TaskListData>(0);
        QCOMPARE(added, (TaskListData{-1, "it's 喝水", added.TaskTimeSee, "src/icon/task/4.png", CycleDaily, 0, 0, 0}));
        // Ten minutes from the click.
        QVERIFY(qAbs(before.addSecs(600).secsTo(added.TaskTimeSee)) <= 1);
    }

    void countdownText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("one minute") << qint64(60) << QStringLiteral("\u2007\u2007\u200760 秒");
        QTest::newRow("a minute and a second") << qint64(61) << QStringLiteral("\u20071 分 01 秒");
        QTest::newRow("just under an hour") << qint64(3599) << QStringLiteral("59 分 59 秒");
        QTest::newRow("an hour") << qint64(3600) << QStringLiteral("\u20071 小时 00 分");
        QTest::newRow("a day") << qint64(86400) << QStringLiteral("\u20071 天 00 小时");
        QTest::newRow("the last of 99 days") << qint64(8639999) << QStringLiteral("99 天 23 小时");
        QTest::newRow("beyond 99 days") << qint64(8640000) << QStringLiteral("超过 99 天");
    }
    void countdownText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(TaskWidgetItem::remainTimeText(seconds), text);
    }

    // Due only once the time lies strictly behind, then never again; a repeating task gets its successor.
    void dueRowFiresOnce_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("central");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<QStringList>("sequence");
        const QString noticed = query(TaskListUpdateNoticed), insert = query(TaskListInsert);
        // clang-format off
        QTest::newRow("daily, both notices") << int(CycleDaily) << true << true << QStringList{noticed, insert, "central", "normal"};
        QTest::newRow("once, popup only") << int(CycleOnce) << false << true << QStringList{noticed, "normal"};
        QTest::newRow("weekly, both off") << int(CycleWeekly) << false << false << QStringList{noticed, insert};
        // clang-format on
    }
    void dueRowFiresOnce()
    {
        QFETCH(int, cycle);
        QFETCH(bool, central);
        QFETCH(bool, normal);
        QFETCH(QStringList, sequence);
        currentNoticeConfig.CN_EnableTask = central;
        currentNoticeConfig.NN_EnableTask = normal;
        auto row = std::make_unique<TaskWidgetItem>(QStringLiteral("喝水"), Due, cycle, 11, false, 1,
                                                    QString::fromLatin1(TaskWidgetItem::DefaultIconPath));
        // Fired in the middle of an edit: the half-typed name is neither shown nor stored.
        click(*row, "pushButton_Edit");
        find<QLineEdit>(*row, "lineEdit_TaskName")->setText(QStringLiteral("改了一半"));
        HubLog log;
        for (const qint64 now : {DueMs, DueMs + 200, DueMs + 400, DueMs + 86400000})
            row->updateRemainTime(now);

        QCOMPARE(log.sequence, sequence);
        QCOMPARE(log.queries.first().second.toInt(), 11);
        // The successor keeps the time of day, a cycle later.
        const auto next = log.payload<TaskListData>(1);
        QVERIFY(!log.count(TaskListInsert) || next == task(-1, next.TaskTimeSee, cycle));
        QVERIFY(!log.count(TaskListInsert) || (next.TaskTimeSee > Due && next.TaskTimeSee.time() == Due.time()));
        const QStringList popup = {"喝水", "2090-05-17 18:30:00", "keepYes", TaskWidgetItem::DefaultIconPath};
        QCOMPARE(log.notices("normal"), normal ? QList<QStringList>{popup} : QList<QStringList>());
        QCOMPARE(log.notices("central"), central ? QList<QStringList>{{"喝水"}} : QList<QStringList>());
        QCOMPARE(find<QLabel>(*row, "label_Time")->text(), QStringLiteral("时间到"));
    }

    // A row shows its cycle, a weekly one by the day of its due date. A click on the lock stores the other choice;
    // one on the cycle the next cycle, weekly going round to once; one on the icon the picture chosen (2), but not
    // once a reload replaced the row while the picker was open.
    void rowClickStores_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("day"); // of May 2090
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QList<int>>("stored"); // updates sent; the update's keep the popup, cycle, picture 2
        const QString lock = "pushButton_KeepDisplay", tag = "label_TaskNoticeCycle", icon = "label_Icon";
        QTest::newRow("lock") << int(CycleDaily) << 17 << "每天" << lock << QList<int>{1, 0, CycleDaily, 0};
        QTest::newRow("daily") << int(CycleDaily) << 17 << "每天" << tag << QList<int>{1, 1, CycleWorkday, 0};
        QTest::newRow("weekly, Monday") << int(CycleWeekly) << 15 << "星期一" << tag << QList<int>{1, 1, CycleOnce, 0};
        QTest::newRow("icon") << int(CycleDaily) << 17 << "每天" << icon << QList<int>{1, 1, CycleDaily, 1};
        QTest::newRow("icon, replaced") << int(CycleDaily) << 17 << "每天" << icon << QList<int>{0, 0, 0, 0};
        QTest::newRow("Sunday") << int(CycleWeekly) << 21 << "星期天" << lock << QList<int>{1, 0, CycleWeekly, 0};
    }
    void rowClickStores()
    {
        QFETCH(int, cycle);
        QFETCH(int, day);
        QFETCH(QString, shown);
        QFETCH(QString, clicked);
        QFETCH(QList<int>, stored);
        TaskRow taskRow(task(11, QDateTime(QDate(2090, 5, day), Due.time()), cycle));
        TaskWidgetItem row(taskRow, nullptr);
        QCOMPARE(find<QLabel>(row, "label_TaskNoticeCycle")->text(), shown);
        TaskWidgetItem::setIconChooser([&taskRow, &stored](QWidget *) {
            if (stored.first() == 0)
                taskRow.stopUpdating();
            return QStringLiteral("src/icon/task/2.png");
        });
        HubLog log;
        click(row, qPrintable(clicked));
        const auto task = log.payload<TaskListData>(0);
        QCOMPARE((QList<int>{log.count(TaskListUpdate), task.NormalNoticeKeepDisplay, task.NoticeCycle,
                             task.IconPath.endsWith("/2.png")}),
                 stored);
    }

    // A reload that arrives while a row is still firing keeps it, as it shows the stored task; it never fires again.
    void firedRowNeverFiresAgain()
    {
        TestProgramDir dir;
        MainWindow window;
        const QDateTime soon = QDateTime::currentDateTime().addSecs(3600);
        show(window, {task(1, soon, CycleDaily), task(2)});
        QPointer<TaskRow> firing = rows(window).first();
        HubLog log;
        const auto reload = connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, this,
                                    [&window, soon](SqlOperateType operate, QVariant) {
                                        if (operate == TaskListUpdateNoticed)
                                            show(window, {task(1, soon, CycleDaily, true)});
                                    });
        firing->tick(soon.toMSecsSinceEpoch() + 1000);
        disconnect(reload);
        firing->tick(soon.toMSecsSinceEpoch() + 2000);
        RowTicker::tasks().tick(soon.toMSecsSinceEpoch() + 3000);
        QCOMPARE(log.sequence, (QStringList{query(TaskListUpdateNoticed), query(TaskListInsert), "central", "normal"}));
        QCOMPARE(rows(window), QList<TaskRow *>{firing});
        QVERIFY(firing->isCompleted());
    }

    // A reload keeps the rows whose stored task is unchanged, with their widgets where they stay in place
    // (k; m: moved, new widget), replaces the others (n), which stop at once, and follows the answer's order.
    void reloadKeepsUnchangedRows_data()
    {
        QTest::addColumn<QList<TaskListData>>("reload");
        QTest::addColumn<QString>("kept");
        QTest::newRow("one changed") << QList<TaskListData>{task(1), task(2, Due, 0, false, "改"), task(3)} << "1k2n3k";
        QTest::newRow("one added, one gone") << QList<TaskListData>{task(1), task(4), task(3)} << "1k4n3k";
        QTest::newRow("moved") << QList<TaskListData>{task(3), task(1), task(2)} << "3k1m2m";
    }
    void reloadKeepsUnchangedRows()
    {
        QFETCH(QList<TaskListData>, reload);
        QFETCH(QString, kept);
        TestProgramDir dir;
        MainWindow window;
        window.show();
        QList<TaskListData> more; // than the list shows: those rows have no widget
        for (int id = 10; id < 60; ++id)
            more.append(task(id, Due.addDays(1)));
        show(window, QList<TaskListData>{task(1), task(2), task(3)} + more);
        const QList<TaskRow *> before = rows(window);
        QVERIFY(!before.last()->widget());
        for (TaskRow *row : before.mid(0, 3))
            row->widget()->setProperty("before", true);
        show(window, reload);
        QString seen;
        for (TaskRow *row : rows(window))
            seen += QString::number(row->record().id) +
                    "nmk"[before.contains(row) + row->widget()->property("before").toBool()];
        QCOMPARE(seen, kept);
        for (TaskRow *old : before)
            QVERIFY(rows(window).contains(old) || !old->isUpdating());
        // Scrolled to the end, a long list builds its last rows and lets the first go.
        show(window, more);
        auto *list = find<QListWidget>(window, "listWidget_Task");
        QTRY_VERIFY(list->verticalScrollBar()->maximum() > 0);
        list->scrollToBottom();
        QVERIFY(rows(window).last()->widget() && !rows(window).first()->widget());
    }

    // A row without a widget fires at its time, once, also after the clock went back; edited, at its new time. With
    // the window hidden nothing ticks the rows, yet a task still fires at its time: the wake-up set for it.
    void rowWithoutWidgetFiresOnce()
    {
        TaskRow row(task(7)), edited(task(9, Due.addDays(1)));
        HubLog log;
        for (const qint64 now : {DueMs - 1000, DueMs - 2000})
            RowTicker::tasks().tick(now);
        edited.confirmEdit(QStringLiteral("喝水"), Due);
        for (const qint64 now : {DueMs + 1000, DueMs + 2000})
            RowTicker::tasks().tick(now);
        QCOMPARE(log.count(TaskListUpdateNoticed), 2);
        TaskRow hidden(task(8, QDateTime::currentDateTime().addSecs(1)));
        RowTicker::setOnScreen(false);
        QTRY_COMPARE_WITH_TIMEOUT(log.count(TaskListUpdateNoticed), 3, 5000);
    }

    // Fired at start through the worker, by the stored notice switches and days off: the fired row completed
    // beside its pending successor. Clearing the completed and deleting a row each ask first.
    void dueTaskFiresThroughTheWorker()
    {
        TestProgramDir dir;
        const QDateTime due = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 2);
        QVERIFY(dir.execute(
            QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, NoticeCycle) VALUES "
                           "(0, '喝水', '%1', %2), (1, '以后', '2090-05-17 18:30:00', %3)")
                .arg(due.toString("yyyy-MM-dd hh:mm:ss"), QString::number(CycleWorkday), QString::number(CycleOnce))));
        QVERIFY(dir.execute(QStringLiteral("UPDATE TASK_CONFIG SET CN_EnableTask = 0")));
        for (int day = 0; day < 6; ++day)
            QVERIFY(dir.execute(QStringLiteral("INSERT INTO TASK_WORKDAY (TaskDate, Workday) VALUES (%1, 0)")
                                    .arg(due.date().addDays(day).toJulianDay())));
        HubWorker worker;
        HubLog log;
        MainWindow window;
        window.show();
        QTRY_COMPARE(log.count(TaskListSelect), 2);
        QTRY_COMPARE(rows(window).size(), 3);
        const QList<TaskRow *> shown = rows(window);
        QVERIFY(shown.at(0)->isCompleted() && !shown.at(1)->isCompleted());
        QCOMPARE(find<QLabel>(*shown.at(0)->widget(), "label_Time")->text(), QStringLiteral("时间到"));
        QCOMPARE(shown.at(0)->record().TaskTimeSee, due);
        QVERIFY(shown.at(1)->record().TaskTimeSee.date() > due.date().addDays(5));
        QCOMPARE(log.notices("normal").size(), 1);
        QCOMPARE(log.allNotices.size(), 1);

        ModalDismisser dismisser(QMessageBox::Cancel);
        click(window, "pushButton_ClearCompleteTask");
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("删除 1 个已完成的任务？")});
        QCOMPARE(log.count(TaskListDelete), 0);
        dismisser.setAnswer(QMessageBox::Ok);
        click(window, "pushButton_ClearCompleteTask");
        QTRY_COMPARE(rows(window).size(), 2);
        QVERIFY(!rows(window).at(0)->isCompleted() && !rows(window).at(1)->isCompleted());

        dismisser.setAnswer(QMessageBox::Cancel);
        click(*rows(window).at(1)->widget(), "pushButton_Delete");
        QCOMPARE(dismisser.texts.last(), QStringLiteral("删除任务“以后”？"));
        dismisser.setAnswer(QMessageBox::Ok);
        click(*rows(window).at(1)->widget(), "pushButton_Delete");
        QTRY_COMPARE(rows(window).size(), 1);
        QCOMPARE(log.count(TaskListDelete), 2);

        const QDateTime soon = QDateTime::currentDateTime().addSecs(2);
        emit interfacePublicData.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(task(-1, soon)));
        QTRY_COMPARE(rows(window).size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(log.allNotices.size(), 2, 10000);
    }
};

QTEST_MAIN(TestTaskTab)
#include "tst_tasktab.moc"
