#include "app/appglobals.h"
#include "app/rowticker.h"
#include "data/interfacepublicdata.h"
#include "tasks/imagebutton.h"
#include "tasks/tasktiming.h"
#include "tasks/taskwidgetitem.h"

#include "common/hublog.h"
#include "common/modaldismisser.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// Far enough ahead that the real clock's tick never makes the row due during a test; a Wednesday.
const QDateTime Due = QDateTime(QDate(2090, 5, 17), QTime(18, 30, 0));
const qint64 DueMs = Due.toMSecsSinceEpoch();
const QString Icon = QStringLiteral("src/icon/task/default.png");

TaskListData task(int cycle, bool noticed = false, bool keep = true, int id = 7, const QDateTime &due = Due)
{
    TaskListData t;
    t.id = id;
    t.TaskName = QStringLiteral("喝水");
    t.TaskTimeSee = due;
    t.IconPath = Icon;
    t.NoticeCycle = cycle;
    t.Noticed = noticed;
    t.NormalNoticeKeepDisplay = keep;
    return t;
}

std::unique_ptr<TaskWidgetItem> makeRow(const TaskListData &t)
{
    return std::make_unique<TaskWidgetItem>(t.TaskName, t.TaskTimeSee, t.NoticeCycle, t.id, t.Noticed,
                                            t.NormalNoticeKeepDisplay, t.IconPath);
}

std::unique_ptr<TaskWidgetItem> makeRow(int cycle, bool noticed = false, int id = 7)
{
    return makeRow(task(cycle, noticed, true, id));
}

template <typename T = QLabel> T *child(QWidget &row, const char *name)
{
    return row.findChild<T *>(QString::fromLatin1(name));
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// A completed row shows its due time and neither the edit button nor the keep toggle.
void checkCompleted(TaskWidgetItem &row)
{
    QVERIFY(row.isCompleted());
    QVERIFY(child<QPushButton>(row, "pushButton_Edit")->isHidden());
    QVERIFY(child<QPushButton>(row, "pushButton_KeepDisplay")->isHidden());
    QVERIFY(!child(row, "label_DoneTime")->isHidden());
    QCOMPARE(child(row, "label_DoneTime")->text(),
             row.record().TaskTimeSee.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
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
        QTest::addColumn<QString>("text"); // _ stands for a figure space, as wide as a digit
        QTest::newRow("100 days") << qint64(8640000) << "超过 99 天";
        QTest::newRow("just under 100 days") << qint64(8639999) << "99 天 23 小时";
        QTest::newRow("86400 s") << qint64(86400) << "_1 天 00 小时";
        QTest::newRow("86399 s") << qint64(86399) << "23 小时 59 分";
        QTest::newRow("3600 s") << qint64(3600) << "_1 小时 00 分";
        QTest::newRow("3599 s") << qint64(3599) << "59 分 59 秒";
        QTest::newRow("61 s") << qint64(61) << "_1 分 01 秒";
        QTest::newRow("60 s") << qint64(60) << "___60 秒";
        QTest::newRow("0 s") << qint64(0) << "____0 秒";
    }

    void remainTimeText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        text.replace(QLatin1Char('_'), QChar(0x2007));
        QCOMPARE(TaskWidgetItem::remainTimeText(seconds), text);
        // The row counts whole seconds: 300 ms more still shows the same text.
        auto row = makeRow(CycleOnce);
        row->updateRemainTime(DueMs - seconds * 1000 - 300);
        QCOMPARE(child(*row, "label_Time")->text(), text);
    }

    void tagClick_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("noticed");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("next"); // -1: nothing stored
        QTest::addColumn<QString>("after");
        QTest::newRow("once to daily") << int(CycleOnce) << false << "单次" << int(CycleDaily) << "每天";
        QTest::newRow("daily to workday") << int(CycleDaily) << false << "每天" << int(CycleWorkday) << "工作日";
        QTest::newRow("workday to weekly") << int(CycleWorkday) << false << "工作日" << int(CycleWeekly) << "星期三";
        QTest::newRow("weekly to once") << int(CycleWeekly) << false << "星期三" << int(CycleOnce) << "单次";
        QTest::newRow("unknown stays") << 6 << false << "周期" << 6 << "周期";
        QTest::newRow("completed row ignores it") << int(CycleWeekly) << true << "星期三" << -1 << "星期三";
    }

    void tagClick()
    {
        QFETCH(int, cycle);
        QFETCH(bool, noticed);
        QFETCH(QString, before);
        QFETCH(int, next);
        QFETCH(QString, after);

        auto row = makeRow(cycle, noticed);
        QLabel *tag = child(*row, "label_TaskNoticeCycle");
        QCOMPARE(tag->text(), before);
        HubLog log;
        click(tag);
        QCOMPARE(tag->text(), after);
        QCOMPARE(log.queries.size(), next < 0 ? 0 : 1);
        if (next >= 0)
            QCOMPARE(log.payload<TaskListData>(0), task(next));
    }

    void iconClick_data()
    {
        QTest::addColumn<bool>("noticed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("a new icon") << false << "src/icon/task/9.png";
        QTest::newRow("no choice") << false << "";
        QTest::newRow("completed row never asks") << true << "src/icon/task/9.png";
    }

    void iconClick()
    {
        QFETCH(bool, noticed);
        QFETCH(QString, chosen);
        auto row = makeRow(CycleDaily, noticed);
        bool asked = false;
        TaskWidgetItem::setIconChooser([&](QWidget *) {
            asked = true;
            return chosen;
        });
        HubLog log;
        click(child(*row, "label_Icon"));
        QCOMPARE(asked, !noticed);
        TaskListData expected = task(CycleDaily, noticed);
        const bool stores = !noticed && !chosen.isEmpty();
        if (stores)
            expected.IconPath = chosen;
        QCOMPARE(log.queries.size(), stores ? 1 : 0);
        if (stores)
            QCOMPARE(log.payload<TaskListData>(0), expected);
        QCOMPARE(row->record(), expected);
    }

    void keepToggleThenEdit()
    {
        auto row = makeRow(CycleWeekly);
        HubLog log;
        auto *keep = child<ImageButton>(*row, "pushButton_KeepDisplay");
        QCOMPARE(keep->currentImage(), QStringLiteral(":/img/Task/Lock.png"));
        click(keep);
        QCOMPARE(keep->currentImage(), QStringLiteral(":/img/Task/Unlock.png"));

        auto *edit = child<QPushButton>(*row, "pushButton_Edit");
        click(edit);
        auto *name = child<QLineEdit>(*row, "lineEdit_TaskName");
        auto *dateTime = child<QDateTimeEdit>(*row, "dateTimeEdit");
        QVERIFY(name && dateTime && !name->isHidden() && child(*row, "label_TaskName")->isHidden());
        QCOMPARE(dateTime->dateTime(), Due);
        name->setText(QStringLiteral("喝茶"));
        dateTime->setDateTime(Due.addDays(-1));
        click(edit);

        TaskListData expected = task(CycleWeekly, false, false);
        QCOMPARE(log.operations(), (QList<SqlOperateType>{TaskListUpdate, TaskListUpdate}));
        QCOMPARE(log.payload<TaskListData>(0), expected);
        expected.TaskName = QStringLiteral("喝茶");
        expected.TaskTimeSee = Due.addDays(-1);
        QCOMPARE(log.payload<TaskListData>(1), expected);
        QCOMPARE(child(*row, "label_TaskName")->text(), expected.TaskName);
        QCOMPARE(child(*row, "label_TaskNoticeCycle")->text(), QStringLiteral("星期二"));
        QVERIFY(name->isHidden() && dateTime->isHidden());
    }

    void dueRowFiresOnce_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<bool>("central");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QStringList>("sequence");

        const QString noticed = QStringLiteral("query %1").arg(TaskListUpdateNoticed);
        const QString insert = QStringLiteral("query %1").arg(TaskListInsert);
        QTest::newRow("daily, both notices")
            << int(CycleDaily) << true << true << true << QStringList{noticed, insert, "central", "normal"};
        QTest::newRow("once, popup only") << int(CycleOnce) << false << true << false << QStringList{noticed, "normal"};
        QTest::newRow("weekly, both off") << int(CycleWeekly) << false << false << true << QStringList{noticed, insert};
        QTest::newRow("unknown cycle, centre only") << 6 << true << false << true << QStringList{noticed, "central"};
    }

    void dueRowFiresOnce()
    {
        QFETCH(int, cycle);
        QFETCH(bool, central);
        QFETCH(bool, normal);
        QFETCH(bool, keep);
        QFETCH(QStringList, sequence);

        currentNoticeConfig.CN_EnableTask = central;
        currentNoticeConfig.NN_EnableTask = normal;
        auto row = makeRow(task(cycle, false, keep, 11));
        HubLog log;
        row->updateRemainTime(DueMs);
        QVERIFY2(log.queries.isEmpty(), "due only once the time lies strictly behind");
        row->updateRemainTime(DueMs + 200);
        row->updateRemainTime(DueMs + 400);
        row->updateRemainTime(DueMs + 86400000);

        QCOMPARE(log.sequence, sequence);
        QCOMPARE(log.queries.first().second.toInt(), 11);
        if (log.count(TaskListInsert)) {
            const auto next = log.payload<TaskListData>(1);
            QCOMPARE(next, task(cycle, false, keep, -1, next.TaskTimeSee));
            QVERIFY(next.TaskTimeSee > Due);
            QCOMPARE(next.TaskTimeSee.time(), Due.time());
        }
        const QString keepText = keep ? QStringLiteral("keepYes") : QStringLiteral("keepNo");
        for (const HubLog::Notice &notice : qAsConst(log.allNotices)) {
            QCOMPARE(notice.what, int(NoticeWhatTask));
            QCOMPARE(notice.strs, notice.kind == QLatin1String("central")
                                      ? QStringList{QStringLiteral("喝水")}
                                      : QStringList({QStringLiteral("喝水"), QStringLiteral("2090-05-17 18:30:00"),
                                                     keepText, Icon}));
        }
        QCOMPARE(child(*row, "label_Time")->text(), QStringLiteral("时间到"));
        checkCompleted(*row);
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
        QVERIFY(!child(*row, "label_TaskName")->isHidden());
        QCOMPARE(child(*row, "label_TaskName")->text(), QStringLiteral("喝水"));
        QCOMPARE(child(*row, "label_Time")->text(), QStringLiteral("时间到"));
        QCOMPARE(row->record().TaskName, QStringLiteral("喝水"));
        checkCompleted(*row);
    }

    void loadedRows_data()
    {
        QTest::addColumn<bool>("noticed");
        QTest::addColumn<qint64>("dueOffsetMs");
        QTest::addColumn<bool>("lazy");
        QTest::addColumn<QString>("time");
        QTest::newRow("pending, past due, form built later") << false << qint64(-5000) << true << "时间到";
        QTest::newRow("completed, past due") << true << qint64(-5000) << false << "时间到";
        QTest::newRow("completed, still ahead counts down") << true << qint64(9030000) << false << "\u20072 小时 30 分";
    }

    void loadedRows()
    {
        QFETCH(bool, noticed);
        QFETCH(qint64, dueOffsetMs);
        QFETCH(bool, lazy);
        QFETCH(QString, time);
        makeRow(CycleOnce); // the first row of a process always builds its form
        currentNoticeConfig.NN_EnableTask = true;
        const QDateTime due =
            QDateTime::fromMSecsSinceEpoch((QDateTime::currentMSecsSinceEpoch() + dueOffsetMs) / 1000 * 1000);
        HubLog log;
        TaskWidgetItem row(QStringLiteral("远处的任务"), due, CycleDaily, 9, noticed, false, Icon, nullptr,
                           lazy ? TaskWidgetItem::FormWhenShown : TaskWidgetItem::FormNow);
        QCOMPARE(row.findChild<QLabel *>() != nullptr, !lazy);
        QVERIFY(row.height() > 0);
        // Loaded past due, a pending row fires at once from its task alone.
        QCOMPARE(log.operations(),
                 (noticed ? QList<SqlOperateType>() : QList<SqlOperateType>{TaskListUpdateNoticed, TaskListInsert}));
        if (!noticed)
            QCOMPARE(
                log.notices(QStringLiteral("normal")),
                (QList<QStringList>{{QStringLiteral("远处的任务"), due.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                     QStringLiteral("keepNo"), Icon}}));
        row.ensureForm();
        QCOMPARE(child(row, "label_TaskName")->text(), QStringLiteral("远处的任务"));
        QCOMPARE(child(row, "label_TaskNoticeCycle")->text(), QStringLiteral("每天"));
        QCOMPARE(child(row, "label_Time")->text(), time);
        checkCompleted(row);
    }

    void deleting()
    {
        auto pending = makeRow(CycleOnce, false, 1);
        auto done = makeRow(CycleOnce, true, 2);
        auto fired = makeRow(CycleDaily, false, 3);
        auto stoppedDone = makeRow(CycleDaily, true, 4);
        auto stoppedPending = makeRow(CycleDaily, false, 5);
        fired->updateRemainTime(DueMs + 1000);
        stoppedDone->stopUpdating();
        stoppedPending->stopUpdating();
        HubLog log;
        emit interfacePublicData.SIGNALClearCompleteTask();
        // The button deletes a row in either state, once the user confirms.
        ModalDismisser dismisser(QMessageBox::Cancel);
        click(child<QPushButton>(*pending, "pushButton_Delete"));
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("删除任务“喝水”？")});
        dismisser.setAnswer(QMessageBox::Ok);
        click(child<QPushButton>(*pending, "pushButton_Delete"));
        click(child<QPushButton>(*done, "pushButton_Delete"));
        QList<QList<int>> deleted;
        for (int i = 0; i < log.queries.size(); ++i)
            deleted.append(log.payload<QList<int>>(i));
        QCOMPARE(log.count(TaskListDelete), 4);
        QCOMPARE(deleted, (QList<QList<int>>{{2}, {3}, {1}, {2}}));

        // A stopped row no longer follows the tick either.
        emit RowTicker::tasks().SIGNALTick(DueMs + 5000);
        QCOMPARE(log.queries.size(), 5);
        QCOMPARE(log.queries.last().second.toInt(), 1);
    }

    // On screen the rows count down on the shared tick; hidden, one wake-up at its time fires a due row.
    void sharedTickFiresDueRow()
    {
        HubLog log;
        QSignalSpy ticks(&RowTicker::tasks(), &RowTicker::SIGNALTick);
        {
            auto other = makeRow(CycleOnce, false, 22);
            QVERIFY(ticks.wait(1000));
            RowTicker::setOnScreen(false);
            ticks.clear();
            auto row = makeRow(task(CycleOnce, false, true, 21,
                                    QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 1)));
            QTRY_COMPARE_WITH_TIMEOUT(log.operations(), QList<SqlOperateType>{TaskListUpdateNoticed}, 5000);
            QCOMPARE(ticks.count(), 1);
            QCOMPARE(log.queries.first().second.toInt(), 21);
            RowTicker::setOnScreen(true);
            QVERIFY(ticks.wait(1000));
        }
        QVERIFY(!ticks.wait(500)); // the tick stops with the last row
    }

    void weekdayOfAnInvalidDateIsEmpty()
    {
        QVERIFY(TaskWidgetItem::dayOfWeekText(0).isEmpty() && TaskWidgetItem::dayOfWeekText(8).isEmpty());
    }

    void cycleTagsShareOneWidth()
    {
        auto once = makeRow(CycleOnce);
        auto weekly = makeRow(CycleWeekly);
        const int width = AppGlobals::cycleLabelWidth;
        QVERIFY(width > 0);
        QCOMPARE(child(*weekly, "label_TaskNoticeCycle")->minimumWidth(), width);
        // Wide enough for every text the tag can show.
        QLabel *tag = child(*once, "label_TaskNoticeCycle");
        for (const QString &text : {QStringLiteral("工作日"), TaskWidgetItem::dayOfWeekText(3)}) {
            tag->setText(text);
            QVERIFY(tag->sizeHint().width() <= width);
        }
    }
};

QTEST_MAIN(TestTaskWidgetItem)
#include "tst_taskwidgetitem.moc"
