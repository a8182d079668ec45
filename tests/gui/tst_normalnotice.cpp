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
#include <QTest>
#include <memory>

namespace {

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
    notice->setNoticeData(what, strs, QDateTime(QDate(2024, 5, 19), QTime(8, 30, 2)));
    return notice;
}

QPushButton *button(QObject *notice, const char *name)
{
    return notice->findChild<QPushButton *>(QLatin1String(name));
}

QString nameOf(NormalNotice *notice)
{
    return notice->findChild<QLabel *>(QStringLiteral("label_Task_Name"))->text();
}

// Where the popup number i from the bottom rests on a 1280×760 screen.
QPoint slot(int i)
{
    return QPoint(1280 - 400 - 10, 760 - (i + 1) * 84);
}

} // namespace

// Popups: snoozing, closing once, and the stack with its queue.
class TestNormalNotice : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        currentNoticeConfig = NoticeConfigData();
        currentNoticeConfig.NN_DisplaySec = 1;
        AppGlobals::screenWidth = 1280;
        AppGlobals::screenHeight = 760;
    }

    // The chosen delay becomes a one-shot task due that much later.
    void snooze_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("strs");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("task"); // name|icon|keep, due the chosen minutes later
        QTest::addColumn<int>("minutes");
        // clang-format off
        QTest::newRow("task, 5 minutes") << int(NoticeWhatTask) << "喝水|2024-05-19 08:30:00|keepNo|a.png" << 0 << "喝水|a.png|0" << 5;
        QTest::newRow("birthday, 1 hour") << int(NoticeWhatBirthday) << "妈妈|famale|-|solar|9.20|明天 (2024-09-20)|b.png" << 3 << "妈妈：明天 (2024-09-20)|b.png|1" << 60;
        // clang-format on
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
        QVERIFY(qAbs(before.secsTo(added.TaskTimeSee) - minutes * 60) <= 1);
        QCOMPARE(added.TaskTimeSee.time().msec(), 0);
    }

    // A kept popup, or one locked while it slides in, stays past its display time.
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
        auto notice = popup(NoticeWhatTask, taskStrs(QStringLiteral("喝水"), keep), 200);
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        notice->slideIn();
        if (lockWhileSliding)
            button(notice.get(), "pushButton_Task_KeepDisplay")->click();
        QCOMPARE(closed.wait(2000), closes);
        QCOMPARE(notice->isVisible(), !closes);
    }

    // Closed while fading out: neither the end of the slide-in nor that of the fade reports it again.
    void closeOnce_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("button");
        // clang-format off
        QTest::newRow("birthday close button") << int(NoticeWhatBirthday) << "pushButton_Birthday_Close";
        QTest::newRow("escape") << int(NoticeWhatTask) << "";
        // clang-format on
    }
    void closeOnce()
    {
        QFETCH(int, what);
        QFETCH(QString, button);
        auto notice = popup(what, taskStrs(QStringLiteral("喝水")));
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        notice->slideIn();
        notice->fadeOut();
        if (button.isEmpty())
            QTest::keyClick(notice.get(), Qt::Key_Escape);
        else
            notice->findChild<QPushButton *>(button)->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(notice->isHidden());
        QTRY_VERIFY(!notice->findChild<QAbstractAnimation *>());
        QCOMPARE(closed.count(), 1);
    }

    void stackAndQueue()
    {
        NormalNoticeManager manager;
        manager.setTimings(fastTimings());
        manager.setNoticeArea(QRect(0, 0, 1280, 3 * 84)); // room for three popups
        for (int i = 0; i < 5; ++i)
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("任务%1").arg(i), QStringLiteral("keepYes")));
        QCOMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 2);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(nameOf(manager.shownNotices().at(i)), QStringLiteral("任务%1").arg(i));
            QTRY_COMPARE(manager.shownNotices().at(i)->pos(), slot(i));
        }

        // Closing the lowest moves the others down; the next waits until the stack has settled.
        QPointer<NormalNotice> lowest = manager.shownNotices().first();
        button(lowest, "pushButton_Task_Close")->click();
        QCOMPARE(manager.shownNotices().size(), 2);
        QCOMPARE(manager.pendingCount(), 2);
        QTRY_VERIFY(lowest.isNull());
        for (int i = 0; i < 2; ++i)
            QTRY_COMPARE(manager.shownNotices().at(i)->pos(), slot(i));
        QTRY_COMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 1);
        QCOMPARE(nameOf(manager.shownNotices().at(2)), QStringLiteral("任务3"));
        QTRY_COMPARE(manager.shownNotices().at(2)->pos(), slot(2));
    }

    // A panel on the left and at the top moves the corner, and the popup on screen follows; the manager
    // owns its popups.
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
            manager.setNoticeArea(QRect(64, 28, 1280, 760));
            QCOMPARE(notice->pos(), QPoint(934, 704));
            QCOMPARE(manager.restingPosition(1, notice->size()), QPoint(934, 620));
        }
        QVERIFY(notice.isNull());
    }
};

QTEST_MAIN(TestNormalNotice)
#include "tst_normalnotice.moc"
