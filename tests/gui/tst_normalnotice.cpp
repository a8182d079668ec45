#include "app/appglobals.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/normalnotice.h"
#include "notices/normalnoticemanager.h"

#include <QAbstractAnimation>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
const QDateTime ShownAt(QDate(2024, 5, 19), QTime(8, 30, 2));

QStringList taskStrs(const QString &name, const QString &keep = QStringLiteral("keepNo"))
{
    return {name, QStringLiteral("2024-05-19 08:30:00"), keep, QStringLiteral(":/img/icon.png")};
}

// Short enough to run the whole life of a popup within a test.
NormalNotice::Timings fastTimings(int slideInMsec = 30)
{
    NormalNotice::Timings timings;
    timings.slideInMsec = slideInMsec;
    timings.fadeOutMsec = 30;
    timings.unlockCloseMsec = 150;
    timings.rearrangeMsec = 30;
    timings.refillDelayMsec = 300;
    return timings;
}

std::unique_ptr<NormalNotice> popup(int what, const QStringList &strs, int slideInMsec = 30)
{
    auto notice = std::make_unique<NormalNotice>();
    notice->setTimings(fastTimings(slideInMsec));
    notice->setNoticeData(what, strs, ShownAt);
    return notice;
}

template <typename T = QLabel> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

bool animating(QObject *notice)
{
    return notice->findChild<QAbstractAnimation *>() != nullptr;
}

QString nameOf(NormalNotice *notice)
{
    return child(notice, "label_Task_Name")->text();
}
} // namespace

class TestNormalNotice : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        currentNoticeConfig = NoticeConfigData();
        AppGlobals::screenWidth = 1280;
        AppGlobals::screenHeight = 760;
    }

    void taskPage_data()
    {
        QTest::addColumn<QStringList>("strs");
        QTest::addColumn<int>("displayMsec"); // 0: kept
        QTest::newRow("short name, keepNo") << taskStrs(QStringLiteral("喝水")) << 20000;
        QTest::newRow("keepYes") << taskStrs(QStringLiteral("开会"), QStringLiteral("keepYes")) << 0;
        QTest::newRow("keep word is case-sensitive")
            << taskStrs(QStringLiteral("开会"), QStringLiteral("KeepYes")) << 20000;
        QTest::newRow("empty list") << QStringList() << 20000;
    }

    void taskPage()
    {
        QFETCH(QStringList, strs);
        QFETCH(int, displayMsec);

        currentNoticeConfig.NN_DisplaySec = 20;
        auto notice = popup(NoticeWhatTask, strs);
        QCOMPARE(child<QStackedWidget>(notice.get(), "stackedWidget_Main")->currentWidget()->objectName(),
                 QStringLiteral("page_Task"));
        QCOMPARE(child(notice.get(), "label_Task_Name")->text(), strs.value(0));
        QCOMPARE(child(notice.get(), "label_Task_DoneTime")->text(), strs.value(1));
        QCOMPARE(child(notice.get(), "label_Task_ShowTime")->text(), QStringLiteral("2024-05-19 08:30:02"));
        QCOMPARE(notice->currentDisplayMsec(), displayMsec);
        QCOMPARE(child<QPushButton>(notice.get(), "pushButton_Task_KeepDisplay")->isChecked(), displayMsec == 0);
        QCOMPARE(child(notice.get(), "label_Task_Icon")->pixmap(Qt::ReturnByValue).isNull(), strs.size() <= 3);
    }

    void snooze_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("strs");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("task"); // name|icon|keep, due the chosen minutes later
        QTest::addColumn<int>("minutes");
        QTest::newRow("task, 5 minutes") << int(NoticeWhatTask) << "喝水|2024-05-19 08:30:00|keepNo|a.png" << 0
                                         << "喝水|a.png|0" << 5;
        QTest::newRow("birthday, 1 hour")
            << int(NoticeWhatBirthday) << "妈妈|famale|-|solar|9.20|明天 (2024-09-20)|b.png" << 3
            << "妈妈：明天 (2024-09-20)|b.png|1" << 60;
    }

    void snooze()
    {
        QFETCH(int, what);
        QFETCH(QString, strs);
        QFETCH(int, choice);
        QFETCH(QString, task);
        QFETCH(int, minutes);
        auto notice = popup(what, strs.split('|'));
        notice->slideIn();
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        const QDateTime before = QDateTime::currentDateTime();
        notice->findChild<QMenu *>("menu_Snooze")->actions().at(choice)->trigger();
        QCOMPARE(closed.count() + sent.count(), 2);
        QCOMPARE(sent.at(0).at(0).value<SqlOperateType>(), TaskListInsert);
        const TaskListData added = sent.at(0).at(1).value<TaskListData>();
        QCOMPARE(QStringList({added.TaskName, added.IconPath, QString::number(added.NormalNoticeKeepDisplay),
                              QString::number(added.NoticeCycle), QString::number(added.id)})
                     .join('|'),
                 task + "|0|-1");
        const qint64 ahead = before.secsTo(added.TaskTimeSee);
        QVERIFY2(ahead >= minutes * 60 - 1 && ahead <= minutes * 60 + 1, qPrintable(added.TaskTimeSee.toString()));
        QCOMPARE(added.TaskTimeSee.time().msec(), 0);
    }

    void closesAfterDisplayTime_data()
    {
        QTest::addColumn<QString>("keep");
        QTest::addColumn<bool>("lockWhileSliding");
        QTest::newRow("keepNo closes") << "keepNo" << false;
        QTest::newRow("keepYes stays") << "keepYes" << false;
        QTest::newRow("locked while sliding in stays") << "keepNo" << true;
    }

    void closesAfterDisplayTime()
    {
        QFETCH(QString, keep);
        QFETCH(bool, lockWhileSliding);
        const bool closes = keep == QLatin1String("keepNo") && !lockWhileSliding;
        currentNoticeConfig.NN_DisplaySec = 1;
        auto notice = popup(NoticeWhatTask, taskStrs(QStringLiteral("喝水"), keep), 200);
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        notice->slideIn();
        QVERIFY(notice->isVisible());
        if (lockWhileSliding)
            child<QPushButton>(notice.get(), "pushButton_Task_KeepDisplay")->click();
        QCOMPARE(closed.wait(2000), closes);
        QCOMPARE(notice->isVisible(), !closes);
        if (!closes)
            return;
        QCOMPARE(closed.count(), 1);
        QVERIFY(notice->isHidden());
        QVERIFY(child<QPushButton>(notice.get(), "pushButton_Task_Close")->isHidden());
    }

    void closeOnce_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("button");
        QTest::newRow("task close button") << int(NoticeWhatTask) << "pushButton_Task_Close";
        QTest::newRow("birthday close button") << int(NoticeWhatBirthday) << "pushButton_Birthday_Close";
        QTest::newRow("escape") << int(NoticeWhatTask) << "";
    }

    void closeOnce()
    {
        QFETCH(int, what);
        QFETCH(QString, button);
        currentNoticeConfig.NN_DisplaySec = 1;
        auto notice = popup(what, taskStrs(QStringLiteral("喝水")));
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        notice->slideIn();
        // Closed while fading out: neither the end of the slide-in nor that of the fade reports it again.
        notice->fadeOut();
        if (button.isEmpty())
            QTest::keyClick(notice.get(), Qt::Key_Escape);
        else
            notice->findChild<QPushButton *>(button)->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(notice->isHidden());
        QTRY_VERIFY(!animating(notice.get()));
        QCOMPARE(closed.count(), 1);
    }

    void fittingCount_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("count");
        QTest::newRow("exactly three") << 252 << 3;
        QTest::newRow("just under three") << 251 << 2;
        QTest::newRow("smaller than one popup") << 60 << 1;
    }

    void fittingCount()
    {
        QFETCH(int, height);
        QFETCH(int, count);
        QCOMPARE(NormalNoticeManager::fittingCount(height, 74), count);
    }

    void stackAndQueue()
    {
        NormalNoticeManager manager;
        manager.setTimings(fastTimings());
        manager.setMaxShowCount(3);
        for (int i = 0; i < 5; ++i)
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("任务%1").arg(i), QStringLiteral("keepYes")));
        QCOMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 2);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(nameOf(manager.shownNotices().at(i)), QStringLiteral("任务%1").arg(i));
            QTRY_COMPARE(manager.shownNotices().at(i)->pos(), QPoint(1280 - 400 - 10, 760 - (i + 1) * 84));
        }

        // Closing the lowest moves the others down; the next waits until the stack has settled.
        QPointer<NormalNotice> lowest = manager.shownNotices().first();
        child<QPushButton>(lowest, "pushButton_Task_Close")->click();
        QCOMPARE(manager.shownNotices().size(), 2);
        QCOMPARE(manager.pendingCount(), 2);
        QTRY_VERIFY(lowest.isNull());
        for (int i = 0; i < 2; ++i)
            QTRY_COMPARE(manager.shownNotices().at(i)->pos(), QPoint(870, 760 - (i + 1) * 84));
        QTRY_COMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 1);
        QCOMPARE(nameOf(manager.shownNotices().at(2)), QStringLiteral("任务3"));
        QTRY_COMPARE(manager.shownNotices().at(2)->pos(), QPoint(870, 760 - 3 * 84));
    }

    void closingWhileTopSlidesIn()
    {
        // The popup still sliding in ends in its new place and still closes after its display time.
        currentNoticeConfig.NN_DisplaySec = 1;
        NormalNoticeManager manager;
        manager.setTimings(fastTimings(400));
        manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("a")));
        manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("b")));
        child<QPushButton>(manager.shownNotices().first(), "pushButton_Task_Close")->click();
        NormalNotice *remaining = manager.shownNotices().first();
        QTRY_VERIFY(!animating(remaining));
        QCOMPARE(remaining->pos(), QPoint(870, 760 - 84));
        QVERIFY(child<QTimer>(remaining, "closeTimer")->isActive());
    }

    void areaOriginAndOwnership()
    {
        QPointer<NormalNotice> notice;
        {
            NormalNoticeManager manager;
            manager.setTimings(fastTimings());
            manager.setNoticeArea(QRect(0, 0, 1280, 760));
            QCOMPARE(manager.maxShowCount(), 9);
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("a"), QStringLiteral("keepYes")));
            notice = manager.shownNotices().first();
            QTRY_COMPARE(notice->pos(), QPoint(870, 676));

            // A panel on the left and at the top moves the corner; the popup on screen follows.
            manager.setNoticeArea(QRect(64, 28, 1280, 760));
            QCOMPARE(notice->pos(), QPoint(934, 704));
            QCOMPARE(manager.restingPosition(1, notice->size()), QPoint(934, 620));
        }
        QVERIFY(notice.isNull());
    }
};

QTEST_MAIN(TestNormalNotice)
#include "tst_normalnotice.moc"
