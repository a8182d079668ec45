#include "app/configsettings.h"
#include "app/mainwindow.h"
#include "data/interfacepublicdata.h"
#include "tasks/taskticker.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"

#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimeEdit>

namespace {

const QDateTime FarAhead(QDate(2090, 1, 2), QTime(9, 0, 0));

TaskListData task(int id, const QString &name, const QDateTime &due, int noticed = 0)
{
    TaskListData t;
    t.id = id;
    t.TaskName = name;
    t.TaskTimeSee = due;
    t.IconPath = QStringLiteral("src/icon/task/default.png");
    t.NoticeCycle = id % 4;
    t.Noticed = noticed;
    return t;
}

QString taskRow(int id, const QString &name, const QDateTime &due, int cycle, int noticed)
{
    return QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, IconPath, NoticeCycle, Noticed, Deleted, "
                          "NormalNoticeKeepDisplay) VALUES (%1, '%2', '%3', 'src/icon/task/default.png', %4, %5, 0, 1)")
        .arg(id)
        .arg(name, due.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
        .arg(cycle)
        .arg(noticed);
}

QList<TaskWidgetItem *> rows(MainWindow &window)
{
    auto *list = window.findChild<QListWidget *>(QStringLiteral("listWidget_Task"));
    QList<TaskWidgetItem *> result;
    for (int i = 0; i < list->count(); ++i)
        result.append(qobject_cast<TaskWidgetItem *>(list->itemWidget(list->item(i))));
    return result;
}

} // namespace

class TestTaskTab : public QObject
{
    Q_OBJECT

    template <typename T> T *find(MainWindow &window, const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void cleanup() { TaskWidgetItem::setIconChooser(nullptr); }

    void defaultTaskNames()
    {
        TestProgramDir dir;
        QVERIFY(dir.isValid());
        {
            ConfigSettings settings;
            settings.setValue(QStringLiteral("DefaultTaskNames/name0"), QStringLiteral("喝水"));
            settings.setValue(QStringLiteral("DefaultTaskNames/name5"), QStringLiteral("站起来走走"));
        }
        MainWindow window;
        auto *name = find<QComboBox>(window, "comboBox_TaskName");
        QCOMPARE(name->count(), 2);
        QCOMPARE(name->itemText(0), QStringLiteral("喝水"));
        QCOMPARE(name->itemText(1), QStringLiteral("站起来走走"));
        QCOMPARE(name->currentText(), QStringLiteral("请填写任务名称"));
    }

    void addTask_data()
    {
        QTest::addColumn<bool>("typeName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("keep");
        QTest::newRow("untouched name") << false << QStringLiteral("请填写任务名称") << int(CycleOnce) << true;
        QTest::newRow("empty name") << true << QString() << int(CycleDaily) << false;
        QTest::newRow("typed name") << true << QStringLiteral("it's 喝水") << int(CycleWorkday) << true;
    }

    void addTask()
    {
        QFETCH(bool, typeName);
        QFETCH(QString, name);
        QFETCH(int, cycle);
        QFETCH(bool, keep);

        TestProgramDir dir;
        MainWindow window;
        if (typeName)
            find<QComboBox>(window, "comboBox_TaskName")->setEditText(name);
        find<QComboBox>(window, "comboBox_TaskNoticeCycle")->setCurrentIndex(cycle);
        find<QPushButton>(window, "pushButton_NormalNoticeKeepDisplay")->setChecked(keep);

        HubLog log;
        const QDateTime before = QDateTime::currentDateTime();
        QTest::mouseClick(find<QPushButton>(window, "pushButton_AddTask"), Qt::LeftButton);
        const QDateTime after = QDateTime::currentDateTime();

        QCOMPARE(log.queries.size(), 1);
        QCOMPARE(log.queries.first().first, TaskListInsert);
        const TaskListData added = log.queries.first().second.value<TaskListData>();
        QCOMPARE(added.id, -1);
        QCOMPARE(added.TaskName, name);
        QCOMPARE(added.NoticeCycle, cycle);
        QCOMPARE(added.NormalNoticeKeepDisplay, keep ? 1 : 0);
        QCOMPARE(added.IconPath, QStringLiteral("src/icon/task/default.png"));
        QCOMPARE(added.Noticed, 0);
        QCOMPARE(added.Deleted, 0);
        // Ten minutes from the moment of the click.
        QVERIFY(added.TaskTimeSee >= before.addSecs(600));
        QVERIFY(added.TaskTimeSee <= after.addSecs(600));
        // The inputs stay as they are.
        QCOMPARE(find<QComboBox>(window, "comboBox_TaskName")->currentText(), name);
    }

    void addWithTargetTime()
    {
        TestProgramDir dir;
        MainWindow window;
        auto *target = find<QRadioButton>(window, "radioButton_TargetTime");
        auto *dateTime = find<QDateTimeEdit>(window, "dateTimeEdit_Set");
        target->setChecked(true);
        QVERIFY(!dateTime->isHidden());
        QVERIFY(find<QTimeEdit>(window, "timeEdit_Set")->isHidden());
        QVERIFY(qAbs(dateTime->dateTime().secsTo(QDateTime::currentDateTime())) < 5);

        const QDateTime past(QDate(2020, 2, 29), QTime(23, 59, 59));
        dateTime->setDateTime(past);
        HubLog log;
        QTest::mouseClick(find<QPushButton>(window, "pushButton_AddTask"), Qt::LeftButton);
        QCOMPARE(log.queries.first().second.value<TaskListData>().TaskTimeSee, past);

        find<QRadioButton>(window, "radioButton_RemainTime")->setChecked(true);
        QVERIFY(dateTime->isHidden());
        QVERIFY(!find<QTimeEdit>(window, "timeEdit_Set")->isHidden());
    }

    void addWeekly()
    {
        TestProgramDir dir;
        MainWindow window;
        find<QComboBox>(window, "comboBox_TaskNoticeCycle")->setCurrentIndex(CycleWeekly);
        // Tomorrow's weekday, at 07:45:30.
        const QDate tomorrow = QDate::currentDate().addDays(1);
        find<QComboBox>(window, "comboBox_TaskDayOfWeek")->setCurrentIndex(tomorrow.dayOfWeek() - 1);
        find<QTimeEdit>(window, "timeEdit_Set")->setTime(QTime(7, 45, 30));
        HubLog log;
        QTest::mouseClick(find<QPushButton>(window, "pushButton_AddTask"), Qt::LeftButton);
        const TaskListData added = log.queries.first().second.value<TaskListData>();
        QCOMPARE(added.NoticeCycle, int(CycleWeekly));
        // Unless midnight passed between the two readings of the clock.
        if (QDate::currentDate().addDays(1) == tomorrow)
            QCOMPARE(added.TaskTimeSee, QDateTime(tomorrow, QTime(7, 45, 30)));
    }

    void cycleComboSwitchesInputs_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("weekly");
        QTest::newRow("once") << int(CycleOnce) << false;
        QTest::newRow("daily") << int(CycleDaily) << false;
        QTest::newRow("workday") << int(CycleWorkday) << false;
        QTest::newRow("weekly") << int(CycleWeekly) << true;
    }

    void cycleComboSwitchesInputs()
    {
        QFETCH(int, cycle);
        QFETCH(bool, weekly);
        TestProgramDir dir;
        MainWindow window;
        auto *combo = find<QComboBox>(window, "comboBox_TaskNoticeCycle");
        // Start from the target-time mode, which every switch ends.
        combo->setCurrentIndex(cycle == CycleOnce ? CycleDaily : CycleOnce);
        find<QRadioButton>(window, "radioButton_TargetTime")->setChecked(true);
        combo->setCurrentIndex(cycle);

        QCOMPARE(find<QComboBox>(window, "comboBox_TaskDayOfWeek")->isHidden(), !weekly);
        QCOMPARE(find<QRadioButton>(window, "radioButton_RemainTime")->isHidden(), weekly);
        QCOMPARE(find<QRadioButton>(window, "radioButton_TargetTime")->isHidden(), weekly);
        QVERIFY(find<QRadioButton>(window, "radioButton_RemainTime")->isChecked());
        QVERIFY(!find<QTimeEdit>(window, "timeEdit_Set")->isHidden());
        QVERIFY(find<QDateTimeEdit>(window, "dateTimeEdit_Set")->isHidden());
    }

    void taskIconChoice_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("chosen") << "src/icon/task/7.png"
                                << "src/icon/task/7.png";
        QTest::newRow("no choice means the default") << QString() << "src/icon/task/default.png";
    }

    void taskIconChoice()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        TestProgramDir dir;
        MainWindow window;
        // An earlier choice, replaced by the next one.
        TaskWidgetItem::setIconChooser([](QWidget *) { return QStringLiteral("src/icon/task/1.png"); });
        QTest::mouseClick(find<QLabel>(window, "label_TaskIcon"), Qt::LeftButton);
        TaskWidgetItem::setIconChooser([chosen](QWidget *) { return chosen; });
        QTest::mouseClick(find<QLabel>(window, "label_TaskIcon"), Qt::LeftButton);
        HubLog log;
        QTest::mouseClick(find<QPushButton>(window, "pushButton_AddTask"), Qt::LeftButton);
        QCOMPARE(log.queries.first().second.value<TaskListData>().IconPath, stored);
    }

    void rebuildFollowsEveryAnswer()
    {
        TestProgramDir dir;
        MainWindow window;
        window.slotReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskListData>{
                                                        task(4, QStringLiteral("一"), FarAhead),
                                                        task(2, QStringLiteral("二"), FarAhead.addDays(1)),
                                                        task(9, QStringLiteral("三"), FarAhead.addDays(2), 1)}));
        QList<TaskWidgetItem *> first = rows(window);
        QCOMPARE(first.size(), 3);
        QCOMPARE(first.at(0)->record().id, 4);
        QCOMPARE(first.at(1)->record().TaskName, QStringLiteral("二"));
        QVERIFY(first.at(2)->isCompleted());
        QPointer<TaskWidgetItem> old = first.at(0);

        window.slotReceiveQueryData(TaskListSelect,
                                    QVariant::fromValue(QList<TaskListData>{task(5, QStringLiteral("四"), FarAhead)}));
        // Replaced rows stop at once and are deleted from the event loop.
        QVERIFY(!QObject::disconnect(&TaskTicker::instance(), &TaskTicker::SIGNALTick, old.data(),
                                     &TaskWidgetItem::updateRemainTime));
        QTRY_VERIFY(old.isNull());
        QCOMPARE(rows(window).size(), 1);
        QCOMPARE(rows(window).first()->record().TaskName, QStringLiteral("四"));

        window.slotReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskListData>()));
        QVERIFY(rows(window).isEmpty());
    }

    void reloadFromInsideAFiringRow()
    {
        TestProgramDir dir;
        MainWindow window;
        const QDateTime soon = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 3600);
        TaskListData daily = task(1, QStringLiteral("喝水"), soon);
        daily.NoticeCycle = CycleDaily;
        window.slotReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskListData>{daily}));
        QPointer<TaskWidgetItem> firing = rows(window).first();

        // A worker answering at once: the list is reloaded while the row is still sending.
        HubLog log;
        TaskListData noticed = daily;
        noticed.Noticed = 1;
        QMetaObject::Connection reload = connect(
            &interfacePublicData, &InterfacePublicData::SIGNALSendQuery, this,
            [&window, noticed](SqlOperateType operate, QVariant) {
                if (operate == TaskListUpdateNoticed)
                    window.slotReceiveQueryData(TaskListSelect, QVariant::fromValue(QList<TaskListData>{noticed}));
            });
        firing->updateRemainTime(soon.toMSecsSinceEpoch() + 1000);
        disconnect(reload);

        QCOMPARE(log.count(TaskListUpdateNoticed), 1);
        QCOMPARE(log.count(TaskListInsert), 1);
        QCOMPARE(log.notices(QStringLiteral("central")).size(), 1);
        QCOMPARE(log.notices(QStringLiteral("normal")).size(), 1);
        QCOMPARE(rows(window).size(), 1);
        QVERIFY(rows(window).first() != firing.data());
        QVERIFY(rows(window).first()->isCompleted());
        firing->updateRemainTime(soon.toMSecsSinceEpoch() + 2000);
        QCOMPARE(log.count(TaskListUpdateNoticed), 1);
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
        window.slotReceiveQueryData(TaskListSelect, QVariant::fromValue(tasks));

        const QList<TaskWidgetItem *> all = rows(window);
        QCOMPARE(all.size(), 300);
        QVERIFY(all.first()->hasForm());
        QVERIFY(!all.last()->hasForm());
        int built = 0;
        for (TaskWidgetItem *row : all)
            built += row->hasForm() ? 1 : 0;
        QVERIFY2(built < 60, qPrintable(QString::number(built)));

        auto *list = find<QListWidget>(window, "listWidget_Task");
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        QVERIFY(all.last()->hasForm());
        QCOMPARE(all.last()->findChild<QLabel *>(QStringLiteral("label_TaskName"))->text(), QStringLiteral("任务 299"));
    }

    void clearCompletedThroughTheWorker()
    {
        TestProgramDir dir;
        for (int id = 0; id < 3; ++id)
            QVERIFY(dir.execute(taskRow(id, QStringLiteral("完成 %1").arg(id), FarAhead.addYears(-100), 0, 1)));
        QVERIFY(dir.execute(taskRow(3, QStringLiteral("待办"), FarAhead, 1, 0)));
        HubWorker worker;
        MainWindow window;
        QTRY_COMPARE(rows(window).size(), 4);

        HubLog log;
        QTest::mouseClick(find<QPushButton>(window, "pushButton_ClearCompleteTask"), Qt::LeftButton);
        QTRY_COMPARE(log.count(TaskListSelect), 3);
        QCOMPARE(log.count(TaskListDelete), 3);
        QTRY_COMPARE(rows(window).size(), 1);
        QCOMPARE(rows(window).first()->record().TaskName, QStringLiteral("待办"));
    }

    void dueTaskFiresThroughTheWorker()
    {
        TestProgramDir dir;
        const QDateTime due = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 2);
        QVERIFY(dir.execute(taskRow(0, QStringLiteral("喝水"), due, CycleDaily, 0)));
        QVERIFY(dir.execute(taskRow(1, QStringLiteral("以后"), FarAhead, CycleOnce, 0)));
        currentNoticeConfig = NoticeConfigData();
        HubWorker worker;
        HubLog log;
        MainWindow window;

        // Fired, its successor inserted, the list reloaded: the fired row completed, the new one pending.
        QTRY_COMPARE(rows(window).size(), 3);
        QTRY_COMPARE(log.count(TaskListSelect), 2);
        const QList<TaskWidgetItem *> shown = rows(window);
        QVERIFY(shown.at(0)->isCompleted());
        QCOMPARE(shown.at(0)->record().TaskTimeSee, due);
        const TaskListData next = shown.at(1)->record();
        QCOMPARE(next.TaskName, QStringLiteral("喝水"));
        QVERIFY(!shown.at(1)->isCompleted());
        QCOMPARE(next.TaskTimeSee.time(), due.time());
        QVERIFY(next.TaskTimeSee > QDateTime::currentDateTime());
        QVERIFY(next.TaskTimeSee < due.addDays(2));
        QCOMPARE(shown.at(2)->record().TaskName, QStringLiteral("以后"));

        QCOMPARE(log.count(TaskListUpdateNoticed), 1);
        QCOMPARE(log.count(TaskListInsert), 1);
        QCOMPARE(log.notices(QStringLiteral("central")), QList<QStringList>{QStringList{QStringLiteral("喝水")}});
        QCOMPARE(log.notices(QStringLiteral("normal")).size(), 1);
        QCOMPARE(log.notices(QStringLiteral("normal")).first().at(2), QStringLiteral("keepYes"));
    }

    void workdayButtonOpensTheDialog()
    {
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser;
        QTest::mouseClick(find<QPushButton>(window, "pushButton_WorkdayCfg"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("工作日配置")});
    }
};

QTEST_MAIN(TestTaskTab)
#include "tst_tasktab.moc"
