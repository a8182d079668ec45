#include "app/appglobals.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/normalnotice.h"
#include "notices/normalnoticemanager.h"

#include <QAbstractAnimation>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

namespace {
const QDateTime ShownAt(QDate(2024, 5, 19), QTime(8, 30, 2));

QStringList taskStrs(const QString &name, const QString &keep = QStringLiteral("keepNo"))
{
    return {name, QStringLiteral("2024-05-19 08:30:00"), keep, QStringLiteral(":/img/icon.png")};
}

// Short enough to run the whole life of a popup within a test.
NormalNotice::Timings fastTimings()
{
    NormalNotice::Timings timings;
    timings.slideInMsec = 30;
    timings.fadeOutMsec = 30;
    timings.unlockCloseMsec = 150;
    timings.rearrangeMsec = 30;
    timings.refillDelayMsec = 300;
    return timings;
}

template <typename T> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
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

    void formSize()
    {
        NormalNotice notice;
        QCOMPARE(notice.size(), QSize(400, 74));
        QVERIFY(notice.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(notice.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(!notice.isModal());
    }

    void taskPage_data()
    {
        QTest::addColumn<QStringList>("strs");
        QTest::addColumn<int>("displaySec");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<bool>("smallFont");
        QTest::addColumn<bool>("tooltip");
        QTest::addColumn<int>("displayMsec");
        QTest::addColumn<bool>("kept");

        QTest::newRow("short name, keepNo")
            << taskStrs(QStringLiteral("喝水")) << 60 << QStringLiteral("喝水") << false << false << 60000 << false;
        QTest::newRow("keepYes") << taskStrs(QStringLiteral("开会"), QStringLiteral("keepYes")) << 60
                                 << QStringLiteral("开会") << false << false << 0 << true;
        QTest::newRow("keep word is case-sensitive")
            << taskStrs(QStringLiteral("开会"), QStringLiteral("KeepYes")) << 20 << QStringLiteral("开会") << false
            << false << 20000 << false;
        const QString longName = QString(60, QChar(0x5f88));
        QTest::newRow("very long name is cut")
            << taskStrs(longName) << 60 << QString() << true << true << 60000 << false;
        QTest::newRow("only the name") << QStringList{QStringLiteral("喝水")} << 10 << QStringLiteral("喝水") << false
                                       << false << 10000 << false;
        QTest::newRow("empty list") << QStringList() << 10 << QStringLiteral("") << false << false << 10000 << false;
    }

    void taskPage()
    {
        QFETCH(QStringList, strs);
        QFETCH(int, displaySec);
        QFETCH(QString, shownName);
        QFETCH(bool, smallFont);
        QFETCH(bool, tooltip);
        QFETCH(int, displayMsec);
        QFETCH(bool, kept);

        currentNoticeConfig.NN_DisplaySec = displaySec;
        NormalNotice notice;
        notice.setNoticeData(NoticeWhatTask, strs, ShownAt);

        auto *stack = child<QStackedWidget>(&notice, "stackedWidget_Main");
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("page_Task"));
        auto *name = child<QLabel>(&notice, "label_Task_Name");
        const QString full = strs.value(0);
        if (shownName.isNull()) {
            QVERIFY(name->text() != full);
            QVERIFY(name->text().endsWith(QChar(0x2026)));
            QVERIFY(QFontMetrics(name->font()).horizontalAdvance(name->text()) <= name->maximumWidth());
        } else {
            QCOMPARE(name->text(), shownName);
        }
        QCOMPARE(name->styleSheet(), smallFont ? QStringLiteral("#label_Task_Name{font-size:9pt;}") : QString());
        QCOMPARE(name->toolTip(), tooltip ? full : QString());
        QCOMPARE(child<QLabel>(&notice, "label_Task_DoneTime")->text(), strs.value(1));
        QCOMPARE(child<QLabel>(&notice, "label_Task_ShowTime")->text(), QStringLiteral("2024-05-19 08:30:02"));
        QCOMPARE(notice.currentDisplayMsec(), displayMsec);
        QCOMPARE(child<QPushButton>(&notice, "pushButton_Task_KeepDisplay")->isChecked(), kept);
        QCOMPARE(child<QLabel>(&notice, "label_Task_Icon")->pixmap(Qt::ReturnByValue).isNull(), strs.size() <= 3);
    }

    void nameThatFitsOnlyInSmallFont()
    {
        NormalNotice notice;
        auto *name = child<QLabel>(&notice, "label_Task_Name");
        QFont small = name->font();
        small.setPointSize(9);
        // Grow the name until it no longer fits at 12 pt but still fits at 9 pt.
        QString text;
        while (QFontMetrics(name->font()).horizontalAdvance(text) <= name->maximumWidth())
            text += QStringLiteral("任务");
        QVERIFY(QFontMetrics(small).horizontalAdvance(text) <= name->maximumWidth());

        notice.setNoticeData(NoticeWhatTask, taskStrs(text), ShownAt);
        QCOMPARE(name->text(), text);
        QCOMPARE(name->styleSheet(), QStringLiteral("#label_Task_Name{font-size:9pt;}"));
        QCOMPARE(name->font().pointSize(), 9);
        QVERIFY(name->toolTip().isEmpty());
    }

    void birthdayPage_data()
    {
        QTest::addColumn<QStringList>("strs");
        QTest::addColumn<QString>("nameStyle");
        QTest::addColumn<bool>("ageShown");
        QTest::addColumn<QString>("calendarPicture");
        QTest::addColumn<QString>("calendarTip");

        QTest::newRow("male, lunar, with age")
            << QStringList{QStringLiteral("爸爸"),          QStringLiteral("male"), QStringLiteral("60"),
                           QStringLiteral("lunar"),         QStringLiteral("4.1"),  QStringLiteral("生日快乐"),
                           QStringLiteral(":/img/icon.png")}
            << QStringLiteral("#label_Birthday_Name{color:#1f91f2;}") << true << QStringLiteral("Lunar.png")
            << QStringLiteral("农历");
        QTest::newRow("female, solar, no age") << QStringList{QStringLiteral("妈妈"),
                                                              QStringLiteral("famale"),
                                                              QStringLiteral("-"),
                                                              QStringLiteral("solar"),
                                                              QStringLiteral("9.20"),
                                                              QStringLiteral("明天 (2024-09-20)"),
                                                              QString()}
                                               << QStringLiteral("#label_Birthday_Name{color:#fc7265;}") << false
                                               << QStringLiteral("Solar.png") << QStringLiteral("公历");
        QTest::newRow("gender word is case-sensitive") << QStringList{QStringLiteral("小明"),
                                                                      QStringLiteral("Male"),
                                                                      QStringLiteral("7"),
                                                                      QStringLiteral("LUNAR"),
                                                                      QStringLiteral("1.1"),
                                                                      QStringLiteral("后天"),
                                                                      QString()}
                                                       << QStringLiteral("#label_Birthday_Name{color:#fc7265;}") << true
                                                       << QStringLiteral("Solar.png") << QStringLiteral("公历");
        QTest::newRow("only name and gender") << QStringList{QStringLiteral("小红"), QStringLiteral("male")}
                                              << QStringLiteral("#label_Birthday_Name{color:#1f91f2;}") << true
                                              << QStringLiteral("Solar.png") << QStringLiteral("公历");
    }

    void birthdayPage()
    {
        QFETCH(QStringList, strs);
        QFETCH(QString, nameStyle);
        QFETCH(bool, ageShown);
        QFETCH(QString, calendarPicture);
        QFETCH(QString, calendarTip);

        NormalNotice notice;
        notice.setNoticeData(NoticeWhatBirthday, strs, ShownAt);

        QCOMPARE(child<QStackedWidget>(&notice, "stackedWidget_Main")->currentWidget()->objectName(),
                 QStringLiteral("page_Birthday"));
        auto *name = child<QLabel>(&notice, "label_Birthday_Name");
        QCOMPARE(name->text(), strs.value(0));
        QCOMPARE(name->styleSheet(), nameStyle);
        auto *age = child<QLabel>(&notice, "label_Birthday_Age");
        QCOMPARE(age->isHidden(), !ageShown);
        if (ageShown)
            QCOMPARE(age->text(), strs.value(2));

        // The fixed gap before the badge closes when there is no badge.
        auto *info = child<QLabel>(&notice, "label_Birthday_Info");
        QLayout *row = notice.findChild<QLayout *>(QStringLiteral("horizontalLayout_BirthdayTop"));
        QSpacerItem *gap = row->itemAt(row->indexOf(info) + 1)->spacerItem();
        QVERIFY(gap);
        QCOMPARE(gap->sizeHint().width(), ageShown ? 20 : 0);
        auto *calendar = child<QLabel>(&notice, "label_Birthday_IconLunarOrSolar");
        QVERIFY(calendar->styleSheet().contains(QStringLiteral(":/img/Task/NormalNotice/") + calendarPicture));
        QCOMPARE(calendar->toolTip(), calendarTip);
        QCOMPARE(info->text(), strs.value(4));
        QCOMPARE(child<QLabel>(&notice, "label_Birthday_Notice")->text(), strs.value(5));
        QCOMPARE(child<QLabel>(&notice, "label_Birthday_ShowTime")->text(), QStringLiteral("2024-05-19 08:30:02"));
        QCOMPARE(notice.currentDisplayMsec(), 0);
        QVERIFY(child<QPushButton>(&notice, "pushButton_Task_KeepDisplay")->isChecked());
    }

    void closesAfterDisplayTime_data()
    {
        QTest::addColumn<QString>("keep");
        QTest::addColumn<bool>("closes");
        QTest::newRow("keepNo") << QStringLiteral("keepNo") << true;
        QTest::newRow("keepYes") << QStringLiteral("keepYes") << false;
    }

    void closesAfterDisplayTime()
    {
        QFETCH(QString, keep);
        QFETCH(bool, closes);

        currentNoticeConfig.NN_DisplaySec = 1;
        NormalNotice notice;
        notice.setTimings(fastTimings());
        notice.setNoticeData(NoticeWhatTask, taskStrs(QStringLiteral("喝水"), keep), ShownAt);
        notice.move(1000, 500);
        QSignalSpy closed(&notice, &NormalNotice::SIGNALClose);
        notice.slideIn();
        QVERIFY(notice.isVisible());
        QTRY_COMPARE(notice.pos(), QPoint(1000 - 400 - 10, 500));

        auto *timer = child<QTimer>(&notice, "closeTimer");
        QCOMPARE(timer->isActive(), closes);
        if (!closes) {
            QCOMPARE(closed.count(), 0);
            return;
        }
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(closed.wait(3000));
        QCOMPARE(closed.count(), 1);
        QVERIFY(notice.isHidden());
        QVERIFY(child<QPushButton>(&notice, "pushButton_Task_Close")->isHidden());
        QVERIFY(child<QPushButton>(&notice, "pushButton_Task_KeepDisplay")->isHidden());
    }

    void keepToggle()
    {
        NormalNotice notice;
        notice.setTimings(fastTimings());
        notice.setNoticeData(NoticeWhatTask, taskStrs(QStringLiteral("喝水"), QStringLiteral("keepYes")), ShownAt);
        QSignalSpy closed(&notice, &NormalNotice::SIGNALClose);
        notice.slideIn();
        auto *timer = child<QTimer>(&notice, "closeTimer");
        auto *keep = child<QPushButton>(&notice, "pushButton_Task_KeepDisplay");

        keep->click(); // unlock: the fade is scheduled
        QVERIFY(!keep->isChecked());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 150);
        keep->click(); // locked again within the delay: it stays
        QVERIFY(!timer->isActive());
        QTRY_VERIFY(!notice.findChild<QAbstractAnimation *>());
        QVERIFY(!timer->isActive());
        QCOMPARE(closed.count(), 0);

        keep->click();
        QVERIFY(closed.wait(2000));
        QVERIFY(notice.isHidden());
    }

    void lockedWhileSlidingInStays()
    {
        currentNoticeConfig.NN_DisplaySec = 1;
        NormalNotice notice;
        NormalNotice::Timings timings = fastTimings();
        timings.slideInMsec = 200;
        notice.setTimings(timings);
        notice.setNoticeData(NoticeWhatTask, taskStrs(QStringLiteral("喝水")), ShownAt);
        notice.slideIn();
        child<QPushButton>(&notice, "pushButton_Task_KeepDisplay")->click();
        QTRY_VERIFY(!notice.findChild<QAbstractAnimation *>());
        QVERIFY(!child<QTimer>(&notice, "closeTimer")->isActive());
    }

    void closeOnce_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("button");
        QTest::newRow("task close button") << int(NoticeWhatTask) << QStringLiteral("pushButton_Task_Close");
        QTest::newRow("birthday close button")
            << int(NoticeWhatBirthday) << QStringLiteral("pushButton_Birthday_Close");
        QTest::newRow("escape") << int(NoticeWhatTask) << QString();
    }

    void closeOnce()
    {
        QFETCH(int, what);
        QFETCH(QString, button);

        currentNoticeConfig.NN_DisplaySec = 1;
        NormalNotice notice;
        notice.setTimings(fastTimings());
        notice.setNoticeData(what, taskStrs(QStringLiteral("喝水")), ShownAt);
        QSignalSpy closed(&notice, &NormalNotice::SIGNALClose);
        notice.slideIn();
        if (button.isEmpty())
            QTest::keyClick(&notice, Qt::Key_Escape);
        else
            notice.findChild<QPushButton *>(button)->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(notice.isHidden());
        // Neither the end of the slide-in nor a fade started afterwards reports it a second time.
        notice.fadeOut();
        QTRY_VERIFY(!notice.findChild<QAbstractAnimation *>());
        QCOMPARE(closed.count(), 1);
    }

    void followsScreenSize_data()
    {
        QTest::addColumn<QSize>("oldSize");
        QTest::addColumn<QSize>("newSize");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("unchanged") << QSize(1280, 760) << QSize(1280, 760) << QPoint(0, 0);
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
        QTest::newRow("1040") << 1040 << 12;
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
        NormalNotice::Timings timings = fastTimings();
        manager.setTimings(timings);
        manager.setMaxShowCount(3);
        for (int i = 0; i < 5; ++i)
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("任务%1").arg(i), QStringLiteral("keepYes")));

        QCOMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 2);
        auto nameOf = [](NormalNotice *notice) {
            return notice->findChild<QLabel *>(QStringLiteral("label_Task_Name"))->text();
        };
        for (int i = 0; i < 3; ++i) {
            NormalNotice *notice = manager.shownNotices().at(i);
            QCOMPARE(nameOf(notice), QStringLiteral("任务%1").arg(i));
            QTRY_COMPARE(notice->pos(), QPoint(1280 - 400 - 10, 760 - (i + 1) * 84));
        }

        // Closing the lowest moves the others down; the next waits until the stack has settled.
        QPointer<NormalNotice> lowest = manager.shownNotices().first();
        lowest->findChild<QPushButton *>(QStringLiteral("pushButton_Task_Close"))->click();
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
        NormalNotice::Timings timings = fastTimings();
        timings.slideInMsec = 400;
        manager.setTimings(timings);
        manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("a")));
        manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("b")));
        manager.shownNotices().first()->findChild<QPushButton *>(QStringLiteral("pushButton_Task_Close"))->click();
        NormalNotice *remaining = manager.shownNotices().first();
        QTRY_VERIFY(!remaining->findChild<QAbstractAnimation *>());
        QCOMPARE(remaining->pos(), QPoint(870, 760 - 84));
        QVERIFY(remaining->findChild<QTimer *>(QStringLiteral("closeTimer"))->isActive());
    }

    void areaOrigin()
    {
        NormalNoticeManager manager;
        manager.setTimings(fastTimings());
        manager.setNoticeArea(QRect(0, 0, 1280, 760));
        QCOMPARE(manager.maxShowCount(), 9);
        manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("a"), QStringLiteral("keepYes")));
        NormalNotice *notice = manager.shownNotices().first();
        QTRY_COMPARE(notice->pos(), QPoint(870, 676));

        // A panel on the left and at the top moves the corner; the popup on screen follows.
        manager.setNoticeArea(QRect(64, 28, 1280, 760));
        QCOMPARE(notice->pos(), QPoint(934, 704));
        QCOMPARE(manager.restingPosition(1, notice->size()), QPoint(934, 620));
    }

    void managerDeletesItsPopups()
    {
        QPointer<NormalNotice> notice;
        {
            NormalNoticeManager manager;
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("a")));
            notice = manager.shownNotices().first();
            QVERIFY(notice);
        }
        QVERIFY(notice.isNull());
    }
};

QTEST_MAIN(TestNormalNotice)
#include "tst_normalnotice.moc"
