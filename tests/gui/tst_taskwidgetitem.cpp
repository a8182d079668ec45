#include "app/appglobals.h"
#include "data/interfacepublicdata.h"
#include "tasks/imagebutton.h"
#include "tasks/taskticker.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"

#include "common/hublog.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

TaskListData lastUpdate(const HubLog &log)
{
    return log.lastPayload().value<TaskListData>();
}

// Far enough ahead that the real clock's tick never makes the row due during a test.
const QDateTime Due = QDateTime(QDate(2090, 5, 17), QTime(18, 30, 0));
const qint64 DueMs = Due.toMSecsSinceEpoch();

std::unique_ptr<TaskWidgetItem> makeRow(int cycle, bool noticed = false, bool keep = true, int id = 7,
                                        const QDateTime &due = Due)
{
    return std::make_unique<TaskWidgetItem>(QStringLiteral("喝水"), due, cycle, id, noticed, keep,
                                            QStringLiteral("src/icon/task/default.png"));
}

template <typename T> T *child(QWidget &row, const char *name)
{
    return row.findChild<T *>(QString::fromLatin1(name));
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

} // namespace

class TestTaskWidgetItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void cleanup()
    {
        currentNoticeConfig = NoticeConfigData();
        TaskWidgetItem::setIconChooser(nullptr);
    }

    void remainTimeText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("100 days") << qint64(8640000) << QStringLiteral("超过 99 天");
        QTest::newRow("a year") << qint64(31536000) << QStringLiteral("超过 99 天");
        QTest::newRow("just under 100 days") << qint64(8639999) << QStringLiteral("99 天 23 小时");
        QTest::newRow("86400 s") << qint64(86400) << QStringLiteral(" 1 天 00 小时");
        QTest::newRow("a day and an hour") << qint64(90061) << QStringLiteral(" 1 天 01 小时");
        QTest::newRow("86399 s") << qint64(86399) << QStringLiteral("23 小时 59 分");
        QTest::newRow("3600 s") << qint64(3600) << QStringLiteral(" 1 小时 00 分");
        QTest::newRow("3599 s") << qint64(3599) << QStringLiteral("59 分 59 秒");
        QTest::newRow("61 s") << qint64(61) << QStringLiteral(" 1 分 01 秒");
        QTest::newRow("60 s") << qint64(60) << QStringLiteral("   60 秒");
        QTest::newRow("9 s") << qint64(9) << QStringLiteral("    9 秒");
        QTest::newRow("0 s") << qint64(0) << QStringLiteral("    0 秒");
    }

    void remainTimeText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(TaskWidgetItem::remainTimeText(seconds), text);

        // The row counts whole seconds: 300 ms more still shows the same text.
        auto row = makeRow(CycleOnce);
        row->updateRemainTime(DueMs - seconds * 1000 - 300);
        QCOMPARE(child<QLabel>(*row, "label_Time")->text(), text);
    }

    void dayOfWeekText_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << QString();
        QTest::newRow("Monday") << 1 << QStringLiteral("星期一");
        QTest::newRow("Wednesday") << 3 << QStringLiteral("星期三");
        QTest::newRow("Sunday") << 7 << QStringLiteral("星期天");
        QTest::newRow("8") << 8 << QString();
    }

    void dayOfWeekText()
    {
        QFETCH(int, day);
        QFETCH(QString, text);
        QCOMPARE(TaskWidgetItem::dayOfWeekText(day), text);
    }

    void tagRotates_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("next");
        QTest::addColumn<QString>("after");
        // Due is a Wednesday.
        QTest::newRow("once to daily") << int(CycleOnce) << "单次" << int(CycleDaily) << "每天";
        QTest::newRow("daily to workday") << int(CycleDaily) << "每天" << int(CycleWorkday) << "工作日";
        QTest::newRow("workday to weekly") << int(CycleWorkday) << "工作日" << int(CycleWeekly) << "星期三";
        QTest::newRow("weekly to once") << int(CycleWeekly) << "星期三" << int(CycleOnce) << "单次";
        QTest::newRow("unknown stays") << 6 << "周期" << 6 << "周期";
    }

    void tagRotates()
    {
        QFETCH(int, cycle);
        QFETCH(QString, before);
        QFETCH(int, next);
        QFETCH(QString, after);

        auto row = makeRow(cycle);
        auto *tag = child<QLabel>(*row, "label_TaskNoticeCycle");
        QCOMPARE(tag->text(), before);
        HubLog log;
        click(tag);
        QCOMPARE(tag->text(), after);
        QCOMPARE(log.operations(), QList<SqlOperateType>{TaskListUpdate});
        QCOMPARE(lastUpdate(log).NoticeCycle, next);
        // The due time stays.
        QCOMPARE(lastUpdate(log).TaskTimeSee, Due);
        QCOMPARE(lastUpdate(log).id, 7);
    }

    void completedRowIgnoresClicks()
    {
        auto row = makeRow(CycleWeekly, true);
        bool asked = false;
        TaskWidgetItem::setIconChooser([&asked](QWidget *) {
            asked = true;
            return QStringLiteral("src/icon/task/9.png");
        });
        HubLog log;
        click(child<QLabel>(*row, "label_TaskNoticeCycle"));
        click(child<QLabel>(*row, "label_Icon"));
        QCOMPARE(child<QLabel>(*row, "label_TaskNoticeCycle")->text(), QStringLiteral("星期三"));
        QVERIFY(!asked);
        QVERIFY(log.queries.isEmpty());
        QCOMPARE(row->record().NoticeCycle, int(CycleWeekly));
    }

    void iconClick_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("updates");
        QTest::newRow("a new icon") << "src/icon/task/9.png"
                                    << "src/icon/task/9.png" << 1;
        QTest::newRow("no choice") << QString() << "src/icon/task/default.png" << 0;
    }

    void iconClick()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(int, updates);
        auto row = makeRow(CycleDaily);
        TaskWidgetItem::setIconChooser([chosen](QWidget *) { return chosen; });
        HubLog log;
        click(child<QLabel>(*row, "label_Icon"));
        QCOMPARE(log.queries.size(), updates);
        QCOMPARE(row->record().IconPath, stored);
        if (updates)
            QCOMPARE(lastUpdate(log).IconPath, stored);
    }

    void keepToggleThenNameEdit()
    {
        auto row = makeRow(CycleOnce, false, true);
        HubLog log;
        auto *keep = child<ImageButton>(*row, "pushButton_KeepDisplay");
        QCOMPARE(keep->currentImage(), QStringLiteral(":/img/Task/Lock.png"));
        click(keep);
        QCOMPARE(keep->currentImage(), QStringLiteral(":/img/Task/Unlock.png"));
        QCOMPARE(lastUpdate(log).NormalNoticeKeepDisplay, 0);

        auto *edit = child<QPushButton>(*row, "pushButton_Edit");
        click(edit);
        QCOMPARE(edit->text(), QStringLiteral("确认"));
        auto *name = child<QLineEdit>(*row, "lineEdit_TaskName");
        auto *dateTime = child<QDateTimeEdit>(*row, "dateTimeEdit");
        QVERIFY(name && dateTime);
        QVERIFY(!name->isHidden() && !dateTime->isHidden());
        QVERIFY(child<QLabel>(*row, "label_TaskName")->isHidden());
        QCOMPARE(dateTime->dateTime(), Due);
        name->setText(QStringLiteral("喝茶"));
        dateTime->setDateTime(Due.addDays(-1));
        click(edit);

        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListUpdate, TaskListUpdate}));
        const TaskListData stored = lastUpdate(log);
        QCOMPARE(stored.TaskName, QStringLiteral("喝茶"));
        QCOMPARE(stored.NormalNoticeKeepDisplay, 0);
        QCOMPARE(stored.TaskTimeSee, Due.addDays(-1));
        QCOMPARE(edit->text(), QStringLiteral("编辑"));
        QCOMPARE(child<QLabel>(*row, "label_TaskName")->text(), QStringLiteral("喝茶"));
        QVERIFY(name->isHidden() && dateTime->isHidden());
    }

    void editWeeklyShowsNewWeekday()
    {
        auto row = makeRow(CycleWeekly);
        auto *edit = child<QPushButton>(*row, "pushButton_Edit");
        click(edit);
        child<QDateTimeEdit>(*row, "dateTimeEdit")->setDateTime(Due.addDays(2));
        click(edit);
        QCOMPARE(child<QLabel>(*row, "label_TaskNoticeCycle")->text(), QStringLiteral("星期五"));
    }

    void dueRowFiresOnce_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("central");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QList<SqlOperateType>>("operations");
        QTest::addColumn<QStringList>("noticeKinds");

        QTest::newRow("daily with both notices")
            << int(CycleDaily) << true << true << true << QList<SqlOperateType>{TaskListUpdateNoticed, TaskListInsert}
            << QStringList{"central", "normal"};
        QTest::newRow("once with both notices")
            << int(CycleOnce) << true << true << false << QList<SqlOperateType>{TaskListUpdateNoticed}
            << QStringList{"central", "normal"};
        QTest::newRow("weekly, both switches off")
            << int(CycleWeekly) << false << false << true
            << QList<SqlOperateType>{TaskListUpdateNoticed, TaskListInsert} << QStringList();
        QTest::newRow("workday, popup only")
            << int(CycleWorkday) << false << true << false
            << QList<SqlOperateType>{TaskListUpdateNoticed, TaskListInsert} << QStringList{"normal"};
    }

    void dueRowFiresOnce()
    {
        QFETCH(int, cycle);
        QFETCH(bool, central);
        QFETCH(bool, normal);
        QFETCH(bool, keep);
        QFETCH(QList<SqlOperateType>, operations);
        QFETCH(QStringList, noticeKinds);

        currentNoticeConfig.CN_EnableTask = central;
        currentNoticeConfig.NN_EnableTask = normal;
        auto row = makeRow(cycle, false, keep, 11);
        HubLog log;
        row->updateRemainTime(DueMs);
        QVERIFY2(log.queries.isEmpty(), "due only once the time lies strictly behind");

        row->updateRemainTime(DueMs + 200);
        row->updateRemainTime(DueMs + 400);
        row->updateRemainTime(DueMs + 86400000);
        QCOMPARE(log.operations(), operations);
        QCOMPARE(log.queries.first().second.toInt(), 11);
        if (operations.size() > 1) {
            const TaskListData next = log.queries.at(1).second.value<TaskListData>();
            QCOMPARE(next.id, -1);
            QCOMPARE(next.Noticed, 0);
            QCOMPARE(next.TaskName, QStringLiteral("喝水"));
            QCOMPARE(next.NoticeCycle, cycle);
            QCOMPARE(next.NormalNoticeKeepDisplay, keep ? 1 : 0);
            QCOMPARE(next.TaskTimeSee.time(), Due.time());
            QVERIFY(next.TaskTimeSee > Due);
        }

        QStringList kinds;
        for (const HubLog::Notice &notice : qAsConst(log.allNotices)) {
            kinds.append(notice.kind);
            QCOMPARE(notice.what, int(NoticeWhatTask));
            if (notice.kind == QLatin1String("central"))
                QCOMPARE(notice.strs, QStringList{QStringLiteral("喝水")});
            else
                QCOMPARE(notice.strs, (QStringList{QStringLiteral("喝水"), QStringLiteral("2090-05-17 18:30:00"),
                                                   keep ? QStringLiteral("keepYes") : QStringLiteral("keepNo"),
                                                   QStringLiteral("src/icon/task/default.png")}));
        }
        QCOMPARE(kinds, noticeKinds);
        // Storage first, in the order the worker must run it, then the notices.
        QStringList sequence;
        for (SqlOperateType operate : qAsConst(operations))
            sequence.append(QStringLiteral("query %1").arg(operate));
        QCOMPARE(log.sequence, sequence + noticeKinds);

        QVERIFY(row->isCompleted());
        QCOMPARE(child<QLabel>(*row, "label_Time")->text(), QStringLiteral("时间到"));
        QVERIFY(child<QPushButton>(*row, "pushButton_Edit")->isHidden());
        QVERIFY(!child<QLabel>(*row, "label_EditSpace")->isHidden());
        QVERIFY(child<QPushButton>(*row, "pushButton_KeepDisplay")->isHidden());
        QVERIFY(!child<QLabel>(*row, "label_DoneTime")->isHidden());
        QCOMPARE(child<QLabel>(*row, "label_DoneTime")->text(), QStringLiteral("2090-05-17 18:30:00"));
    }

    void firingEndsAnEdit()
    {
        auto row = makeRow(CycleOnce);
        auto *edit = child<QPushButton>(*row, "pushButton_Edit");
        click(edit);
        child<QLineEdit>(*row, "lineEdit_TaskName")->setText(QStringLiteral("改了一半"));
        HubLog log;
        row->updateRemainTime(DueMs + 1000);

        QCOMPARE(log.operations(), QList<SqlOperateType>{TaskListUpdateNoticed});
        QCOMPARE(log.allNotices.last().strs.first(), QStringLiteral("喝水"));
        QVERIFY(child<QLineEdit>(*row, "lineEdit_TaskName")->isHidden());
        QVERIFY(child<QDateTimeEdit>(*row, "dateTimeEdit")->isHidden());
        QVERIFY(!child<QLabel>(*row, "label_TaskName")->isHidden());
        QCOMPARE(child<QLabel>(*row, "label_TaskName")->text(), QStringLiteral("喝水"));
        QCOMPARE(edit->text(), QStringLiteral("编辑"));
        QCOMPARE(row->record().TaskName, QStringLiteral("喝水"));
    }

    void loadedRows_data()
    {
        QTest::addColumn<bool>("noticed");
        QTest::addColumn<qint64>("dueOffsetMs");
        QTest::addColumn<bool>("fires");
        QTest::addColumn<QString>("time");
        QTest::newRow("pending, past due") << false << qint64(-5000) << true << QStringLiteral("时间到");
        QTest::newRow("completed, past due") << true << qint64(-5000) << false << QStringLiteral("时间到");
        QTest::newRow("completed, still ahead counts down")
            << true << qint64((9000 + 30) * 1000) << false << QStringLiteral(" 2 小时 30 分");
    }

    void loadedRows()
    {
        QFETCH(bool, noticed);
        QFETCH(qint64, dueOffsetMs);
        QFETCH(bool, fires);
        QFETCH(QString, time);
        const QDateTime due =
            QDateTime::fromMSecsSinceEpoch((QDateTime::currentMSecsSinceEpoch() + dueOffsetMs) / 1000 * 1000);
        HubLog log;
        auto row = makeRow(CycleDaily, noticed, true, 3, due);
        QCOMPARE(log.operations().contains(TaskListUpdateNoticed), fires);
        QVERIFY(row->isCompleted());
        QCOMPARE(child<QLabel>(*row, "label_Time")->text(), time);
        QVERIFY(child<QPushButton>(*row, "pushButton_Edit")->isHidden());
    }

    void deleteButton_data()
    {
        QTest::addColumn<bool>("noticed");
        QTest::newRow("pending") << false;
        QTest::newRow("completed") << true;
    }

    void deleteButton()
    {
        QFETCH(bool, noticed);
        auto row = makeRow(CycleDaily, noticed, true, 42);
        HubLog log;
        click(child<QPushButton>(*row, "pushButton_Delete"));
        QCOMPARE(log.operations(), QList<SqlOperateType>{TaskListDelete});
        QCOMPARE(log.queries.first().second.value<QList<int>>(), QList<int>{42});
    }

    void clearCompleted()
    {
        auto pending = makeRow(CycleOnce, false, true, 1);
        auto done = makeRow(CycleOnce, true, true, 2);
        auto fired = makeRow(CycleDaily, false, true, 3);
        fired->updateRemainTime(DueMs + 1000);
        HubLog log;
        emit interfacePublicData.SIGNALClearCompleteTask();
        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListDelete, TaskListDelete}));
        QCOMPARE(log.queries.at(0).second.value<QList<int>>(), QList<int>{2});
        QCOMPARE(log.queries.at(1).second.value<QList<int>>(), QList<int>{3});
    }

    void stoppedRowStaysQuiet()
    {
        auto row = makeRow(CycleDaily, false, true, 5);
        auto done = makeRow(CycleDaily, true, true, 6);
        row->stopUpdating();
        done->stopUpdating();
        HubLog log;
        emit interfacePublicData.SIGNALClearCompleteTask();
        QVERIFY(log.queries.isEmpty());
        // Neither the tick nor the hub reaches it any more.
        QVERIFY(!QObject::disconnect(&TaskTicker::instance(), &TaskTicker::SIGNALTick, row.get(),
                                     &TaskWidgetItem::updateRemainTime));
        QVERIFY(!QObject::disconnect(&interfacePublicData, &InterfacePublicData::SIGNALClearCompleteTask, row.get(),
                                     &TaskWidgetItem::slotClearCompleteTask));
    }

    void sharedTickFiresDueRow()
    {
        QVERIFY(!TaskTicker::instance().isRunning());
        HubLog log;
        {
            const QDateTime due = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 1);
            auto row = makeRow(CycleOnce, false, true, 21, due);
            auto other = makeRow(CycleOnce, false, true, 22);
            QVERIFY(TaskTicker::instance().isRunning());
            QVERIFY(log.queries.isEmpty());
            QTRY_COMPARE_WITH_TIMEOUT(log.operations(), QList<SqlOperateType>{TaskListUpdateNoticed}, 5000);
            QCOMPARE(log.queries.first().second.toInt(), 21);
            row.reset();
            QVERIFY(TaskTicker::instance().isRunning());
        }
        // The tick stops with the last row.
        QVERIFY(!TaskTicker::instance().isRunning());
    }

    void rowWithoutFormStillFires()
    {
        makeRow(CycleOnce); // the first row of a process always builds its form
        currentNoticeConfig.CN_EnableTask = true;
        currentNoticeConfig.NN_EnableTask = true;
        const QDateTime due = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 5);
        HubLog log;
        TaskWidgetItem row(QStringLiteral("远处的任务"), due, CycleDaily, 9, false, false,
                           QStringLiteral("src/icon/task/default.png"), nullptr, TaskWidgetItem::FormWhenShown);
        QVERIFY(!row.hasForm());
        QVERIFY(!row.findChild<QLabel *>(QStringLiteral("label_Time")));
        QVERIFY(row.height() > 0);

        // Loaded past due, it fires at once from its task alone.
        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListUpdateNoticed, TaskListInsert}));
        QCOMPARE(log.allNotices.size(), 2);
        QCOMPARE(log.allNotices.last().strs,
                 (QStringList{QStringLiteral("远处的任务"), due.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                              QStringLiteral("keepNo"), QStringLiteral("src/icon/task/default.png")}));

        row.ensureForm();
        QVERIFY(row.hasForm());
        QCOMPARE(child<QLabel>(row, "label_TaskName")->text(), QStringLiteral("远处的任务"));
        QCOMPARE(child<QLabel>(row, "label_Time")->text(), QStringLiteral("时间到"));
        QCOMPARE(child<QLabel>(row, "label_TaskNoticeCycle")->text(), QStringLiteral("每天"));
        QVERIFY(child<QPushButton>(row, "pushButton_Edit")->isHidden());
        QVERIFY(!child<QPushButton>(row, "pushButton_KeepDisplay")->isChecked());
        QCOMPARE(log.queries.size(), 2);
    }

    void cycleTagsShareOneWidth()
    {
        auto once = makeRow(CycleOnce);
        auto weekly = makeRow(CycleWeekly);
        const int width = AppGlobals::cycleLabelWidth;
        QVERIFY(width > 0);
        for (auto *row : {once.get(), weekly.get()})
            QCOMPARE(child<QLabel>(*row, "label_TaskNoticeCycle")->minimumWidth(), width);
        // Wide enough for every text the tag can show.
        auto *tag = child<QLabel>(*once, "label_TaskNoticeCycle");
        for (const QString &text : {QStringLiteral("工作日"), TaskWidgetItem::dayOfWeekText(3)}) {
            tag->setText(text);
            QVERIFY(tag->sizeHint().width() <= width);
        }
    }
};

QTEST_MAIN(TestTaskWidgetItem)
#include "tst_taskwidgetitem.moc"
