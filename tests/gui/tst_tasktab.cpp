#include "app/configsettings.h"
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
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimeEdit>
#include <algorithm>

namespace {

const QDateTime FarAhead(QDate(2090, 1, 2), QTime(9, 0, 0));

TaskListData task(int id, const QString &name, const QDateTime &due, int noticed = 0, int cycle = CycleOnce)
{
    TaskListData t;
    t.id = id;
    t.TaskName = name;
    t.TaskTimeSee = due;
    t.IconPath = QStringLiteral("src/icon/task/default.png");
    t.NoticeCycle = cycle;
    t.Noticed = noticed;
    t.NormalNoticeKeepDisplay = 1;
    return t;
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

void show(MainWindow &window, const QList<TaskListData> &tasks)
{
    window.findChild<TaskTab *>()->slotReceiveQueryData(TaskListSelect, QVariant::fromValue(tasks));
}

template <typename T = QWidget> T *find(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

QList<TaskWidgetItem *> rows(MainWindow &window)
{
    auto *list = find<QListWidget>(window, "listWidget_Task");
    QList<TaskWidgetItem *> result;
    for (int i = 0; i < list->count(); ++i)
        result.append(qobject_cast<TaskWidgetItem *>(list->itemWidget(list->item(i))));
    return result;
}

// Adds a task with the inputs as they are and returns what was sent.
TaskListData add(MainWindow &window)
{
    HubLog log;
    QTest::mouseClick(find(window, "pushButton_AddTask"), Qt::LeftButton);
    return log.operations() == QList<SqlOperateType>{TaskListInsert} ? log.payload<TaskListData>(0) : TaskListData();
}

} // namespace

class TestTaskTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup() { TaskWidgetItem::setIconChooser(nullptr); }

    void defaultTaskNames()
    {
        TestProgramDir dir;
        {
            ConfigSettings settings;
            settings.setValue(QStringLiteral("DefaultTaskNames/name0"), QStringLiteral("喝水"));
            settings.setValue(QStringLiteral("DefaultTaskNames/name5"), QStringLiteral("站起来走走"));
        }
        MainWindow window;
        auto *name = find<QComboBox>(window, "comboBox_TaskName");
        QCOMPARE(name->count(), 2);
        QCOMPARE(name->itemText(1), QStringLiteral("站起来走走"));
        QVERIFY(name->currentText().isEmpty());
        QCOMPARE(name->lineEdit()->placeholderText(), QStringLiteral("请填写任务名称"));
    }

    void addTask_data()
    {
        QTest::addColumn<bool>("typeName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QString>("icon"); // chosen after an earlier choice; empty: the picker closed
        QTest::newRow("untouched name") << false << "" << int(CycleOnce) << true << "";
        QTest::newRow("empty name") << true << "" << int(CycleDaily) << false << "src/icon/task/7.png";
        QTest::newRow("typed name") << true << "it's 喝水" << int(CycleDaily) << true << "src/icon/task/7.png";
    }

    void addTask()
    {
        QFETCH(bool, typeName);
        QFETCH(QString, name);
        QFETCH(int, cycle);
        QFETCH(bool, keep);
        QFETCH(QString, icon);

        TestProgramDir dir;
        MainWindow window;
        if (typeName)
            find<QComboBox>(window, "comboBox_TaskName")->setEditText(name);
        find<QComboBox>(window, "comboBox_TaskNoticeCycle")->setCurrentIndex(cycle);
        find<QPushButton>(window, "pushButton_NormalNoticeKeepDisplay")->setChecked(keep);
        for (const QString &choice : {QStringLiteral("src/icon/task/1.png"), icon}) {
            TaskWidgetItem::setIconChooser([choice](QWidget *) { return choice; });
            QTest::mouseClick(find(window, "label_TaskIcon"), Qt::LeftButton);
        }

        const QDateTime before = QDateTime::currentDateTime();
        const TaskListData added = add(window);
        const QDateTime after = QDateTime::currentDateTime();
        TaskListData expected = task(-1, name, added.TaskTimeSee, 0, cycle);
        expected.NormalNoticeKeepDisplay = keep;
        if (!icon.isEmpty())
            expected.IconPath = icon;
        QCOMPARE(added, expected);
        // Ten minutes from the moment of the click.
        QVERIFY(added.TaskTimeSee >= before.addSecs(600) && added.TaskTimeSee <= after.addSecs(600));
        QCOMPARE(find<QComboBox>(window, "comboBox_TaskName")->currentText(), name);
    }

    void addWithTargetTime()
    {
        TestProgramDir dir;
        MainWindow window;
        auto *dateTime = find<QDateTimeEdit>(window, "dateTimeEdit_Set");
        find<QRadioButton>(window, "radioButton_TargetTime")->setChecked(true);
        QVERIFY(!dateTime->isHidden() && find(window, "timeEdit_Set")->isHidden());
        QVERIFY(qAbs(dateTime->dateTime().secsTo(QDateTime::currentDateTime())) < 5);
        const QDateTime past(QDate(2020, 2, 29), QTime(23, 59, 59));
        dateTime->setDateTime(past);
        QCOMPARE(add(window).TaskTimeSee, past);

        find<QRadioButton>(window, "radioButton_RemainTime")->setChecked(true);
        QVERIFY(dateTime->isHidden() && !find(window, "timeEdit_Set")->isHidden());
    }

    void cycleComboSwitchesInputs_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::newRow("once") << int(CycleOnce);
        QTest::newRow("workday") << int(CycleWorkday);
        QTest::newRow("weekly") << int(CycleWeekly);
    }

    void cycleComboSwitchesInputs()
    {
        QFETCH(int, cycle);
        const bool weekly = cycle == CycleWeekly;
        TestProgramDir dir;
        MainWindow window;
        auto *combo = find<QComboBox>(window, "comboBox_TaskNoticeCycle");
        // Start from the target-time mode, which every switch ends.
        combo->setCurrentIndex(cycle == CycleOnce ? CycleDaily : CycleOnce);
        find<QRadioButton>(window, "radioButton_TargetTime")->setChecked(true);
        combo->setCurrentIndex(cycle);

        QCOMPARE(find(window, "comboBox_TaskDayOfWeek")->isHidden(), !weekly);
        QCOMPARE(find(window, "radioButton_RemainTime")->isHidden(), weekly);
        QCOMPARE(find(window, "radioButton_TargetTime")->isHidden(), weekly);
        QVERIFY(find<QRadioButton>(window, "radioButton_RemainTime")->isChecked());
        QVERIFY(!find(window, "timeEdit_Set")->isHidden() && find(window, "dateTimeEdit_Set")->isHidden());

        // The time field gives a weekly task its time of day on the chosen weekday, others a duration.
        const QDate tomorrow = QDate::currentDate().addDays(1);
        find<QComboBox>(window, "comboBox_TaskDayOfWeek")->setCurrentIndex(tomorrow.dayOfWeek() - 1);
        find<QTimeEdit>(window, "timeEdit_Set")->setTime(QTime(7, 45, 30));
        const QDateTime before = QDateTime::currentDateTime();
        const TaskListData added = add(window);
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(added.NoticeCycle, cycle);
        if (!weekly)
            QVERIFY(added.TaskTimeSee >= before.addSecs(27930) && added.TaskTimeSee <= after.addSecs(27930));
        else if (after.date().addDays(1) == tomorrow) // unless midnight passed meanwhile
            QCOMPARE(added.TaskTimeSee, QDateTime(tomorrow, QTime(7, 45, 30)));
    }

    void rebuildFollowsEveryAnswer()
    {
        TestProgramDir dir;
        MainWindow window;
        show(window, {task(4, QStringLiteral("一"), FarAhead), task(2, QStringLiteral("二"), FarAhead.addDays(1)),
                      task(9, QStringLiteral("三"), FarAhead.addDays(2), 1)});
        const QList<TaskWidgetItem *> first = rows(window);
        QCOMPARE(first.size(), 3);
        QCOMPARE(first.at(1)->record(), task(2, QStringLiteral("二"), FarAhead.addDays(1)));
        QVERIFY(!first.at(0)->isCompleted() && first.at(2)->isCompleted());
        QPointer<TaskWidgetItem> old = first.at(0);

        show(window, {task(5, QStringLiteral("四"), FarAhead)});
        // Replaced rows stop at once and are deleted from the event loop.
        QVERIFY(!QObject::disconnect(&RowTicker::tasks(), &RowTicker::SIGNALTick, old.data(),
                                     &TaskWidgetItem::updateRemainTime));
        QTRY_VERIFY(old.isNull());
        QCOMPARE(rows(window).size(), 1);
        QCOMPARE(rows(window).first()->record().TaskName, QStringLiteral("四"));
        show(window, {});
        QVERIFY(rows(window).isEmpty());

        // An insert or a delete asks for the list again; other task answers do not.
        HubLog log;
        for (const SqlOperateType operate : {TaskListInsert, TaskListDelete, TaskListUpdateNoticed})
            emit interfacePublicData.SIGNALReceiveQueryData(operate, QVariant());
        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListSelect, TaskListSelect}));
    }

    void reloadFromInsideAFiringRow()
    {
        TestProgramDir dir;
        MainWindow window;
        const QDateTime soon = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 3600);
        TaskListData daily = task(1, QStringLiteral("喝水"), soon, 0, CycleDaily);
        show(window, {daily});
        QPointer<TaskWidgetItem> firing = rows(window).first();

        // A worker answering at once: the list is reloaded while the row is still sending.
        HubLog log;
        daily.Noticed = 1;
        QMetaObject::Connection reload = connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, this,
                                                 [&window, daily](SqlOperateType operate, QVariant) {
                                                     if (operate == TaskListUpdateNoticed)
                                                         show(window, {daily});
                                                 });
        firing->updateRemainTime(soon.toMSecsSinceEpoch() + 1000);
        disconnect(reload);
        firing->updateRemainTime(soon.toMSecsSinceEpoch() + 2000);

        QCOMPARE(log.sequence, (QStringList{QStringLiteral("query %1").arg(TaskListUpdateNoticed),
                                            QStringLiteral("query %1").arg(TaskListInsert), "central", "normal"}));
        QCOMPARE(rows(window).size(), 1);
        QVERIFY(rows(window).first() != firing.data() && rows(window).first()->isCompleted());
        QTRY_VERIFY(firing.isNull());
    }

    void rowsBuildWhenScrolledIntoView()
    {
        TestProgramDir dir;
        MainWindow window;
        window.resize(900, 640);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QList<TaskListData> tasks;
        for (int i = 0; i < 300; ++i)
            tasks.append(task(i, QStringLiteral("任务 %1").arg(i), FarAhead.addSecs(i * 60)));
        show(window, tasks);

        const QList<TaskWidgetItem *> all = rows(window);
        QCOMPARE(all.size(), 300);
        QVERIFY(all.first()->findChild<QLabel *>() && !all.last()->findChild<QLabel *>());
        const int built = std::count_if(all.begin(), all.end(),
                                        [](TaskWidgetItem *row) { return row->findChild<QLabel *>() != nullptr; });
        QVERIFY2(built < 60, qPrintable(QString::number(built)));

        QScrollBar *bar = find<QListWidget>(window, "listWidget_Task")->verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(all.last()->findChild<QLabel *>());
        QCOMPARE(find<QLabel>(*all.last(), "label_TaskName")->text(), QStringLiteral("任务 299"));
    }

    void clearCompletedThroughTheWorker()
    {
        TestProgramDir dir;
        for (int id = 0; id < 3; ++id)
            QVERIFY(store(dir, task(id, QStringLiteral("完成 %1").arg(id), FarAhead.addYears(-100), 1)));
        QVERIFY(store(dir, task(3, QStringLiteral("待办"), FarAhead)));
        HubWorker worker;
        MainWindow window;
        QTRY_COMPARE(rows(window).size(), 4);

        HubLog log;
        ModalDismisser dismisser(QMessageBox::Cancel);
        QTest::mouseClick(find(window, "pushButton_ClearCompleteTask"), Qt::LeftButton);
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("删除 3 个已完成的任务？")});
        QVERIFY(log.queries.isEmpty());
        dismisser.setAnswer(QMessageBox::Ok);
        QTest::mouseClick(find(window, "pushButton_ClearCompleteTask"), Qt::LeftButton);
        QTRY_COMPARE(log.count(TaskListSelect), 3);
        QCOMPARE(log.count(TaskListDelete), 3);
        QTRY_COMPARE(rows(window).size(), 1);
        QCOMPARE(rows(window).first()->record().TaskName, QStringLiteral("待办"));
        QTest::mouseClick(find(window, "pushButton_ClearCompleteTask"), Qt::LeftButton);
        QCOMPARE(dismisser.texts.last(), QStringLiteral("没有已完成的任务"));
    }

    void dueTaskFiresThroughTheWorker()
    {
        TestProgramDir dir;
        const QDateTime due = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 2);
        QVERIFY(store(dir, task(0, QStringLiteral("喝水"), due, 0, CycleDaily)));
        QVERIFY(store(dir, task(1, QStringLiteral("以后"), FarAhead)));
        currentNoticeConfig = NoticeConfigData();
        HubWorker worker;
        HubLog log;
        MainWindow window;

        // Fired, its successor inserted, the list reloaded: the fired row completed, the new one pending.
        QTRY_COMPARE(rows(window).size(), 3);
        QTRY_COMPARE(log.count(TaskListSelect), 2);
        const QList<TaskWidgetItem *> shown = rows(window);
        QVERIFY(shown.at(0)->isCompleted() && !shown.at(1)->isCompleted());
        QCOMPARE(shown.at(0)->record().TaskTimeSee, due);
        const TaskListData next = shown.at(1)->record();
        QCOMPARE(next.TaskName, QStringLiteral("喝水"));
        QVERIFY(next.TaskTimeSee > QDateTime::currentDateTime() && next.TaskTimeSee < due.addDays(2));
        QCOMPARE(shown.at(2)->record().TaskName, QStringLiteral("以后"));
        QCOMPARE(log.count(TaskListUpdateNoticed), 1);
        QCOMPARE(log.count(TaskListInsert), 1);
        QCOMPARE(log.allNotices.size(), 2);
    }

    void workdayButtonOpensTheDialog()
    {
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser;
        QTest::mouseClick(find(window, "pushButton_WorkdayCfg"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("工作日配置")});
    }
};

QTEST_MAIN(TestTaskTab)
#include "tst_tasktab.moc"
