#include "app/appglobals.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/normalnotice.h"
#include "notices/normalnoticemanager.h"
#include "tasks/tasktiming.h"

#include <QAbstractAnimation>
#include <QLabel>
#include <QLayout>
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
        QTest::addColumn<bool>("cut");
        QTest::addColumn<int>("displayMsec"); // 0: kept
        QTest::newRow("short name, keepNo") << taskStrs(QStringLiteral("喝水")) << false << 20000;
        QTest::newRow("keepYes") << taskStrs(QStringLiteral("开会"), QStringLiteral("keepYes")) << false << 0;
        QTest::newRow("keep word is case-sensitive")
            << taskStrs(QStringLiteral("开会"), QStringLiteral("KeepYes")) << false << 20000;
        QTest::newRow("very long name is cut") << taskStrs(QString(60, QChar(0x5f88))) << true << 20000;
        QTest::newRow("empty list") << QStringList() << false << 20000;
    }

    void taskPage()
    {
        QFETCH(QStringList, strs);
        QFETCH(bool, cut);
        QFETCH(int, displayMsec);

        currentNoticeConfig.NN_DisplaySec = 20;
        auto notice = popup(NoticeWhatTask, strs);
        QCOMPARE(child<QStackedWidget>(notice.get(), "stackedWidget_Main")->currentWidget()->objectName(),
                 QStringLiteral("page_Task"));
        QLabel *name = child(notice.get(), "label_Task_Name");
        const QString full = strs.value(0);
        if (cut) {
            QVERIFY(name->text().endsWith(QChar(0x2026)));
            QVERIFY(QFontMetrics(name->font()).horizontalAdvance(name->text()) <= name->maximumWidth());
            QCOMPARE(name->font().pointSize(), 9);
        } else {
            QCOMPARE(name->text(), full);
            QVERIFY(name->styleSheet().isEmpty());
        }
        QCOMPARE(name->toolTip(), cut ? full : QString());
        QCOMPARE(child(notice.get(), "label_Task_DoneTime")->text(), strs.value(1));
        QCOMPARE(child(notice.get(), "label_Task_ShowTime")->text(), QStringLiteral("2024-05-19 08:30:02"));
        QCOMPARE(notice->currentDisplayMsec(), displayMsec);
        QCOMPARE(child<QPushButton>(notice.get(), "pushButton_Task_KeepDisplay")->isChecked(), displayMsec == 0);
        QCOMPARE(child(notice.get(), "label_Task_Icon")->pixmap(Qt::ReturnByValue).isNull(), strs.size() <= 3);
    }

    void nameThatFitsOnlyInSmallFont()
    {
        NormalNotice notice;
        QLabel *name = child(&notice, "label_Task_Name");
        QFont small = name->font();
        small.setPointSize(9);
        // Grow the name until it no longer fits at 12 pt but still fits at 9 pt.
        QString text;
        while (QFontMetrics(name->font()).horizontalAdvance(text) <= name->maximumWidth())
            text += QStringLiteral("任务");
        QVERIFY(QFontMetrics(small).horizontalAdvance(text) <= name->maximumWidth());

        notice.setNoticeData(NoticeWhatTask, taskStrs(text), ShownAt);
        QCOMPARE(name->text(), text);
        QCOMPARE(name->font().pointSize(), 9);
        QVERIFY(name->toolTip().isEmpty());
    }

    void birthdayPage_data()
    {
        QTest::addColumn<QString>("strs"); // separated by "|"
        QTest::addColumn<QString>("color");
        QTest::addColumn<bool>("ageShown");
        QTest::addColumn<bool>("lunar");
        const auto row = [](const char *name, const char *strs, const char *color, bool age, bool lunar) {
            QTest::newRow(name) << QString::fromUtf8(strs) << QString::fromUtf8(color) << age << lunar;
        };
        row("male, lunar, with age", "爸爸|male|60|lunar|4.1|生日快乐|:/img/icon.png", "#1f91f2", true, true);
        row("female, solar, no age", "妈妈|famale|-|solar|9.20|明天 (2024-09-20)|", "#fc7265", false, false);
        row("words are case-sensitive", "小明|Male|7|LUNAR|1.1|后天|", "#fc7265", true, false);
        row("only name and gender", "小红|male", "#1f91f2", true, false);
    }

    void birthdayPage()
    {
        QFETCH(QString, strs);
        QFETCH(QString, color);
        QFETCH(bool, ageShown);
        QFETCH(bool, lunar);

        const QStringList list = strs.split(QLatin1Char('|'));
        auto notice = popup(NoticeWhatBirthday, list);
        QCOMPARE(child<QStackedWidget>(notice.get(), "stackedWidget_Main")->currentWidget()->objectName(),
                 QStringLiteral("page_Birthday"));
        QLabel *name = child(notice.get(), "label_Birthday_Name");
        QCOMPARE(name->text(), list.value(0));
        QCOMPARE(name->styleSheet(), QStringLiteral("#label_Birthday_Name{color:%1;}").arg(color));
        QLabel *age = child(notice.get(), "label_Birthday_Age");
        QCOMPARE(age->isHidden(), !ageShown);
        QCOMPARE(age->text(), ageShown ? list.value(2) : QString());

        // The fixed gap before the badge closes when there is no badge.
        QLabel *info = child(notice.get(), "label_Birthday_Info");
        QLayout *row = child<QLayout>(notice.get(), "horizontalLayout_BirthdayTop");
        QSpacerItem *gap = row->itemAt(row->indexOf(info) + 1)->spacerItem();
        QVERIFY(gap);
        QCOMPARE(gap->sizeHint().width(), ageShown ? 20 : 0);
        QLabel *calendar = child(notice.get(), "label_Birthday_IconLunarOrSolar");
        QVERIFY(calendar->styleSheet().contains(lunar ? QStringLiteral("NormalNotice/Lunar.png")
                                                      : QStringLiteral("NormalNotice/Solar.png")));
        QCOMPARE(calendar->toolTip(), lunar ? QStringLiteral("农历") : QStringLiteral("公历"));
        QCOMPARE(info->text(), list.value(4));
        QCOMPARE(child(notice.get(), "label_Birthday_Notice")->text(), list.value(5));
        QCOMPARE(child(notice.get(), "label_Birthday_ShowTime")->text(), QStringLiteral("2024-05-19 08:30:02"));
        QCOMPARE(notice->currentDisplayMsec(), 0);
    }

    // "稍后提醒" stores a one-shot task due that much later and closes the popup.
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
        notice->move(1000, 500);
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        notice->slideIn();
        QVERIFY(notice->isVisible());
        if (lockWhileSliding)
            child<QPushButton>(notice.get(), "pushButton_Task_KeepDisplay")->click();
        QTRY_VERIFY(!animating(notice.get()));
        QCOMPARE(notice->pos(), QPoint(1000 - 400 - 10, 500));

        auto *timer = child<QTimer>(notice.get(), "closeTimer");
        QCOMPARE(timer->isActive(), closes);
        if (!closes)
            return;
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(closed.wait(3000));
        QCOMPARE(closed.count(), 1);
        QVERIFY(notice->isHidden());
        QVERIFY(child<QPushButton>(notice.get(), "pushButton_Task_Close")->isHidden());
    }

    void keepToggle()
    {
        auto notice = popup(NoticeWhatTask, taskStrs(QStringLiteral("喝水"), QStringLiteral("keepYes")));
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        notice->slideIn();
        auto *timer = child<QTimer>(notice.get(), "closeTimer");
        auto *keep = child<QPushButton>(notice.get(), "pushButton_Task_KeepDisplay");

        keep->click(); // unlock: the fade is scheduled
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 150);
        keep->click(); // locked again within the delay: it stays
        QTRY_VERIFY(!animating(notice.get()));
        QVERIFY(!timer->isActive());
        QCOMPARE(closed.count(), 0);

        keep->click();
        QVERIFY(closed.wait(2000));
        QVERIFY(notice->isHidden());
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

    void followsScreenSize_data()
    {
        QTest::addColumn<QSize>("oldSize");
        QTest::addColumn<QSize>("newSize");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("larger") << QSize(1280, 760) << QSize(1920, 1040) << QPoint(640, 280);
        QTest::newRow("smaller height only") << QSize(1920, 1040) << QSize(1920, 1000) << QPoint(0, -40);
    }

    void followsScreenSize()
    {
        QFETCH(QSize, oldSize);
        QFETCH(QSize, newSize);
        QFETCH(QPoint, moved);
        NormalNotice notice;
        notice.move(300, 200);
        emit interfacePublicData.SIGNALScreenSizeChanged(oldSize.width(), oldSize.height(), 96, newSize.width(),
                                                         newSize.height(), 144);
        QCOMPARE(notice.pos(), QPoint(300, 200) + moved);
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
        manager.setNoticeArea(QRect(0, 0, 1280, 3 * 84)); // room for three popups
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
