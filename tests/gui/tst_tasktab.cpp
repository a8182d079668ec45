#include "app/mainwindow.h"
#include "app/rowticker.h"
#include "data/interfacepublicdata.h"
#include "tasks/tasktab.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"

#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

// Far enough ahead that the real clock never makes it due during a test; a Wednesday.
const QDateTime Due(QDate(2090, 5, 17), QTime(18, 30, 0));
const qint64 DueMs = Due.toMSecsSinceEpoch();

TaskListData task(int id, const QDateTime &due = Due, int cycle = CycleOnce, bool noticed = false,
                  const QString &name = QStringLiteral("喝水"))
{
    TaskListData t;
    t.id = id;
    t.TaskName = name;
    t.TaskTimeSee = due;
    t.IconPath = QString::fromLatin1(TaskWidgetItem::DefaultIconPath);
    t.NoticeCycle = cycle;
    t.Noticed = noticed;
    t.NormalNoticeKeepDisplay = 1;
    return t;
}

std::unique_ptr<TaskWidgetItem> makeRow(const TaskListData &t)
{
    return std::make_unique<TaskWidgetItem>(t.TaskName, t.TaskTimeSee, t.NoticeCycle, t.id, t.Noticed,
                                            t.NormalNoticeKeepDisplay, t.IconPath);
}

bool store(const TestProgramDir &dir, const TaskListData &t)
{
    return dir.execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, IconPath, NoticeCycle, "
                                      "Noticed, Deleted, NormalNoticeKeepDisplay) VALUES (%1, '%2', '%3', '%4', %5, "
                                      "%6, 0, 1)")
                           .arg(t.id)
                           .arg(t.TaskName, t.TaskTimeSee.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), t.IconPath)
                           .arg(t.NoticeCycle)
                           .arg(t.Noticed));
}

template <typename T = QWidget> T *find(QWidget &parent, const char *name)
{
    return parent.findChild<T *>(QString::fromLatin1(name));
}

void click(QWidget &parent, const char *name)
{
    QTest::mouseClick(find(parent, name), Qt::LeftButton);
}

void show(MainWindow &window, const QList<TaskListData> &tasks)
{
    window.findChild<TaskTab *>()->slotReceiveQueryData(TaskListSelect, QVariant::fromValue(tasks));
}

QList<TaskWidgetItem *> rows(MainWindow &window)
{
    auto *list = find<QListWidget>(window, "listWidget_Task");
    QList<TaskWidgetItem *> result;
    for (int i = 0; i < list->count(); ++i)
        result.append(qobject_cast<TaskWidgetItem *>(list->itemWidget(list->item(i))));
    return result;
}

QDateTime inAnHour()
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 3600);
}

} // namespace

// The Task tab and its rows: what they store, what they delete, and that a due task fires once.
class TestTaskTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup()
    {
        TaskWidgetItem::setIconChooser(nullptr);
        currentNoticeConfig = NoticeConfigData();
    }

    void addTask()
    {
        TestProgramDir dir;
        MainWindow window;
        find<QComboBox>(window, "comboBox_TaskName")->setEditText(QStringLiteral("it's 喝水"));
        find<QComboBox>(window, "comboBox_TaskNoticeCycle")->setCurrentIndex(CycleDaily);
        find<QPushButton>(window, "pushButton_NormalNoticeKeepDisplay")->setChecked(false);
        // The latest choice counts.
        for (const QString &choice : {QStringLiteral("src/icon/task/1.png"), QStringLiteral("src/icon/task/7.png")}) {
            TaskWidgetItem::setIconChooser([choice](QWidget *) { return choice; });
            click(window, "label_TaskIcon");
        }
        HubLog log;
        const QDateTime before = QDateTime::currentDateTime();
        click(window, "pushButton_AddTask");
        QCOMPARE(log.operations(), QList<SqlOperateType>{TaskListInsert});
        const TaskListData added = log.payload<TaskListData>(0);
        TaskListData expected = task(-1, added.TaskTimeSee, CycleDaily, false, QStringLiteral("it's 喝水"));
        expected.NormalNoticeKeepDisplay = 0;
        expected.IconPath = QStringLiteral("src/icon/task/7.png");
        QCOMPARE(added, expected);
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

    // A click on the tag stores the next cycle; a completed row keeps its cycle.
    void tagClick_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("noticed");
        QTest::addColumn<int>("next"); // -1: nothing stored
        QTest::addColumn<QString>("after");
        // clang-format off
        QTest::newRow("once to daily") << int(CycleOnce) << false << int(CycleDaily) << "每天";
        QTest::newRow("workday to weekly") << int(CycleWorkday) << false << int(CycleWeekly) << "星期三";
        QTest::newRow("weekly to once") << int(CycleWeekly) << false << int(CycleOnce) << "单次";
        QTest::newRow("completed row ignores it") << int(CycleWeekly) << true << -1 << "星期三";
        // clang-format on
    }
    void tagClick()
    {
        QFETCH(int, cycle);
        QFETCH(bool, noticed);
        QFETCH(int, next);
        QFETCH(QString, after);
        auto row = makeRow(task(7, Due, cycle, noticed));
        HubLog log;
        click(*row, "label_TaskNoticeCycle");
        QCOMPARE(find<QLabel>(*row, "label_TaskNoticeCycle")->text(), after);
        QCOMPARE(log.queries.size(), next < 0 ? 0 : 1);
        if (next >= 0)
            QCOMPARE(log.payload<TaskListData>(0), task(7, Due, next));
    }

    void keepToggleThenEdit()
    {
        auto row = makeRow(task(7, Due, CycleWeekly));
        HubLog log;
        click(*row, "pushButton_KeepDisplay");
        click(*row, "pushButton_Edit");
        find<QLineEdit>(*row, "lineEdit_TaskName")->setText(QStringLiteral("喝茶"));
        find<QDateTimeEdit>(*row, "dateTimeEdit")->setDateTime(Due.addDays(-1));
        click(*row, "pushButton_Edit");

        TaskListData expected = task(7, Due, CycleWeekly);
        expected.NormalNoticeKeepDisplay = 0;
        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListUpdate, TaskListUpdate}));
        QCOMPARE(log.payload<TaskListData>(0), expected);
        expected.TaskName = QStringLiteral("喝茶");
        expected.TaskTimeSee = Due.addDays(-1);
        QCOMPARE(log.payload<TaskListData>(1), expected);
        QCOMPARE(find<QLabel>(*row, "label_TaskNoticeCycle")->text(), QStringLiteral("星期二"));
    }

    // Due only once the time lies strictly behind, then never again; a repeating task gets its successor.
    void dueRowFiresOnce_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("central");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<QStringList>("sequence");
        const QString noticed = QStringLiteral("query %1").arg(TaskListUpdateNoticed);
        const QString insert = QStringLiteral("query %1").arg(TaskListInsert);
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
        auto row = makeRow(task(11, Due, cycle));
        // Fired in the middle of an edit: the half-typed name is neither shown nor stored.
        click(*row, "pushButton_Edit");
        find<QLineEdit>(*row, "lineEdit_TaskName")->setText(QStringLiteral("改了一半"));
        HubLog log;
        for (const qint64 now : {DueMs, DueMs + 200, DueMs + 400, DueMs + 86400000})
            row->updateRemainTime(now);

        QCOMPARE(log.sequence, sequence);
        QCOMPARE(log.queries.first().second.toInt(), 11);
        if (log.count(TaskListInsert)) {
            const auto next = log.payload<TaskListData>(1);
            QCOMPARE(next, task(-1, next.TaskTimeSee, cycle));
            QVERIFY(next.TaskTimeSee > Due);
            QCOMPARE(next.TaskTimeSee.time(), Due.time());
        }
        const QStringList popup = {QStringLiteral("喝水"), QStringLiteral("2090-05-17 18:30:00"), "keepYes",
                                   QString::fromLatin1(TaskWidgetItem::DefaultIconPath)};
        for (const HubLog::Notice &notice : qAsConst(log.allNotices))
            QCOMPARE(notice.strs, notice.kind == QLatin1String("central") ? QStringList(popup.mid(0, 1)) : popup);
        QVERIFY(row->isCompleted());
        QCOMPARE(row->record().TaskName, QStringLiteral("喝水"));
        QCOMPARE(find<QLabel>(*row, "label_Time")->text(), QStringLiteral("时间到"));
    }

    // The delete button asks first; "clear completed" deletes fired rows only; a stopped row is deaf.
    void deleting()
    {
        auto pending = makeRow(task(1));
        auto done = makeRow(task(2, Due, CycleOnce, true));
        auto fired = makeRow(task(3, Due, CycleDaily));
        auto stopped = makeRow(task(4, Due, CycleDaily, true));
        fired->updateRemainTime(DueMs + 1000);
        stopped->stopUpdating();
        HubLog log;
        emit interfacePublicData.SIGNALClearCompleteTask();
        ModalDismisser dismisser(QMessageBox::Cancel);
        click(*pending, "pushButton_Delete");
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("删除任务“喝水”？")});
        dismisser.setAnswer(QMessageBox::Ok);
        click(*pending, "pushButton_Delete");
        QList<QList<int>> deleted;
        for (int i = 0; i < log.queries.size(); ++i)
            deleted.append(log.payload<QList<int>>(i));
        QCOMPARE(deleted, (QList<QList<int>>{{2}, {3}, {1}}));
        emit RowTicker::tasks().SIGNALTick(DueMs + 5000);
        QCOMPARE(log.queries.size(), 4);
        QCOMPARE(log.queries.last().second.toInt(), 1);
    }

    // A reload replaces every row; a replaced row never fires again, though it is deleted only later.
    void replacedRowNeverFires()
    {
        TestProgramDir dir;
        MainWindow window;
        const QDateTime soon = inAnHour();
        show(window, {task(4, soon), task(2), task(9, Due, CycleOnce, true)});
        QCOMPARE(rows(window).size(), 3);
        QCOMPARE(rows(window).at(1)->record(), task(2));
        QPointer<TaskWidgetItem> old = rows(window).first();
        show(window, {task(4, soon, CycleOnce, true)});
        HubLog log;
        emit RowTicker::tasks().SIGNALTick(soon.toMSecsSinceEpoch() + 1000);
        QVERIFY(log.queries.isEmpty() && log.allNotices.isEmpty());
        QTRY_VERIFY(old.isNull());
        QCOMPARE(rows(window).size(), 1);

        // An insert or a delete asks for the list again; other task answers do not.
        for (const SqlOperateType operate : {TaskListInsert, TaskListDelete, TaskListUpdateNoticed})
            emit interfacePublicData.SIGNALReceiveQueryData(operate, QVariant());
        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListSelect, TaskListSelect}));
    }

    // A worker that answers at once reloads the list while the firing row is still sending.
    void reloadFromInsideAFiringRow()
    {
        TestProgramDir dir;
        MainWindow window;
        const QDateTime soon = inAnHour();
        show(window, {task(1, soon, CycleDaily)});
        QPointer<TaskWidgetItem> firing = rows(window).first();
        HubLog log;
        QMetaObject::Connection reload = connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, this,
                                                 [&window, soon](SqlOperateType operate, QVariant) {
                                                     if (operate == TaskListUpdateNoticed)
                                                         show(window, {task(1, soon, CycleDaily, true)});
                                                 });
        firing->updateRemainTime(soon.toMSecsSinceEpoch() + 1000);
        disconnect(reload);
        firing->updateRemainTime(soon.toMSecsSinceEpoch() + 2000);
        QCOMPARE(log.sequence, (QStringList{QStringLiteral("query %1").arg(TaskListUpdateNoticed),
                                            QStringLiteral("query %1").arg(TaskListInsert), "central", "normal"}));
        QVERIFY(rows(window).first() != firing.data() && rows(window).first()->isCompleted());
        QTRY_VERIFY(firing.isNull());
    }

    void clearCompletedThroughTheWorker()
    {
        TestProgramDir dir;
        for (int id = 0; id < 3; ++id)
            QVERIFY(store(dir, task(id, Due.addYears(-100), CycleOnce, true)));
        QVERIFY(store(dir, task(3, Due, CycleOnce, false, QStringLiteral("待办"))));
        HubWorker worker;
        MainWindow window;
        QTRY_COMPARE(rows(window).size(), 4);
        HubLog log;
        ModalDismisser dismisser(QMessageBox::Cancel);
        click(window, "pushButton_ClearCompleteTask");
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("删除 3 个已完成的任务？")});
        QVERIFY(log.queries.isEmpty());
        dismisser.setAnswer(QMessageBox::Ok);
        click(window, "pushButton_ClearCompleteTask");
        QTRY_COMPARE(rows(window).size(), 1);
        QCOMPARE(log.count(TaskListDelete), 3);
        QCOMPARE(rows(window).first()->record().TaskName, QStringLiteral("待办"));
    }

    // Fired at start, its successor inserted, the list reloaded: the fired row completed, the new one pending.
    void dueTaskFiresThroughTheWorker()
    {
        TestProgramDir dir;
        const QDateTime due = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 2);
        QVERIFY(store(dir, task(0, due, CycleDaily)));
        QVERIFY(store(dir, task(1, due.addSecs(6), CycleOnce, false, QStringLiteral("以后"))));
        HubWorker worker;
        HubLog log;
        MainWindow window;
        QTRY_COMPARE(rows(window).size(), 3);
        QTRY_COMPARE(log.count(TaskListSelect), 2);
        const QList<TaskWidgetItem *> shown = rows(window);
        QVERIFY(shown.at(0)->isCompleted() && !shown.at(1)->isCompleted());
        QCOMPARE(shown.at(0)->record().TaskTimeSee, due);
        QVERIFY(shown.at(2)->record().TaskTimeSee > QDateTime::currentDateTime());
        QVERIFY(shown.at(2)->record().TaskTimeSee < due.addDays(2));
        QCOMPARE(log.count(TaskListUpdateNoticed), 1);
        QCOMPARE(log.count(TaskListInsert), 1);
        QTRY_COMPARE_WITH_TIMEOUT(log.allNotices.size(), 4, 10000); // hidden window: 以后 fires at its time
    }
};

QTEST_MAIN(TestTaskTab)
#include "tst_tasktab.moc"
