#include "data/records.h"
#include "notices/centralnotice.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLayout>
#include <QTest>
#include <QTimer>

namespace {
const QColor Teal(0, 103, 124);

QLabel *labelOf(CentralNotice &notice)
{
    return notice.findChild<QLabel *>(QStringLiteral("label"));
}

QTimer *timerOf(CentralNotice &notice, const char *name)
{
    return notice.findChild<QTimer *>(QLatin1String(name));
}

void tick(CentralNotice &notice, int times)
{
    for (int i = 0; i < times; ++i)
        notice.slotShowAnimation();
}

// "state opacity interval", the interval -1 while the animation timer stands still.
QString status(CentralNotice &notice)
{
    QTimer *timer = timerOf(notice, "animTimer");
    return QStringLiteral("%1 %2 %3")
        .arg(notice.state())
        .arg(notice.opacity())
        .arg(timer->isActive() ? timer->interval() : -1);
}

} // namespace

class TestCentralNotice : public QObject
{
    Q_OBJECT

private slots:
    void init() { currentNoticeConfig = NoticeConfigData(); }

    void labelStyle_data()
    {
        QTest::addColumn<int>("opacity");
        QTest::addColumn<bool>("withBackground");
        QTest::addColumn<QString>("style");

        QTest::newRow("start with background")
            << 0 << true
            << QStringLiteral("#label{color:rgba(0,103,124,0);background-color:rgba(0,103,124,0.666667);}");
        QTest::newRow("half with background")
            << 50 << true
            << QStringLiteral("#label{color:rgba(0,103,124,0.5);background-color:rgba(0,103,124,0.333333);}");
        QTest::newRow("opaque with background")
            << 100 << true << QStringLiteral("#label{color:rgba(0,103,124,1);background-color:rgba(0,103,124,0);}");
        QTest::newRow("fading without background")
            << 36 << false << QStringLiteral("#label{color:rgba(0,103,124,0.36);}");
    }

    void labelStyle()
    {
        QFETCH(int, opacity);
        QFETCH(bool, withBackground);
        QFETCH(QString, style);
        QCOMPARE(CentralNotice::labelStyle(Teal, opacity, withBackground), style);
    }

    void window()
    {
        CentralNotice notice;
        notice.setScreenRect(100, 20, 1280, 760);
        QCOMPARE(notice.geometry(), QRect(100, 20, 1280, 760));
        QCOMPARE(labelOf(notice)->maximumWidth(), 1280);
        notice.showNotice(NoticeWhatTask, {QStringLiteral("喝水")});
        QVERIFY(notice.isVisible());
        // Clicks go through to the windows below, also after the flags were applied again for showing.
        QVERIFY(notice.testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowTransparentForInput));

        // A text wider than the screen is cut.
        CentralNotice narrow;
        narrow.setScreenRect(0, 0, 400, 300);
        narrow.showNotice(NoticeWhatTask, {QString(40, QChar(0x957f))});
        QLabel *label = labelOf(narrow);
        QVERIFY(label->text().endsWith(QChar(0x2026)));
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= 400);
    }

    void wholeCycleByTicks_data()
    {
        QTest::addColumn<int>("bgType");
        QTest::newRow("band") << 1;
        QTest::newRow("full screen") << 2;
        QTest::newRow("no background") << 0;
    }

    void wholeCycleByTicks()
    {
        QFETCH(int, bgType);
        currentNoticeConfig.CN_BgType = bgType;
        currentNoticeConfig.CN_KeepSec = 7;
        CentralNotice notice;
        notice.setScreenRect(0, 0, 800, 600);
        QLabel *label = labelOf(notice);
        notice.showNotice(NoticeWhatTask, {QStringLiteral("喝水")});
        QCOMPARE(notice.count(), 1);
        QCOMPARE(label->text(), QStringLiteral("喝水"));
        QCOMPARE(status(notice), QStringLiteral("1 0 20"));
        tick(notice, 1);
        QCOMPARE(status(notice), QStringLiteral("1 2 20"));
        QCOMPARE(label->styleSheet(), CentralNotice::labelStyle(Teal, 2, bgType != 0));
        tick(notice, 49);
        QCOMPARE(status(notice), QStringLiteral("1 100 20"));
        QCOMPARE(label->styleSheet(), CentralNotice::labelStyle(Teal, 100, bgType != 0));
        tick(notice, 1);
        QCOMPARE(status(notice), QStringLiteral("2 100 7000"));
        tick(notice, 1);
        QCOMPARE(status(notice), QStringLiteral("3 100 20"));
        tick(notice, 1);
        QCOMPARE(status(notice), QStringLiteral("3 98 20"));
        QCOMPARE(label->styleSheet(), CentralNotice::labelStyle(Teal, 98, false));
        tick(notice, 49);
        QCOMPARE(status(notice), QStringLiteral("3 0 20"));
        tick(notice, 1);
        QCOMPARE(notice.state(), int(CentralNotice::Finished));
        QCOMPARE(notice.count(), 0);
        QVERIFY(notice.isVisible());
        tick(notice, 1);
        QVERIFY(notice.isHidden());
        QCOMPARE(status(notice), QStringLiteral("4 0 -1"));
    }

    void newNoticeWhileShowing_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("opacity");
        QTest::newRow("appearing") << 20 << 40;
        QTest::newRow("keeping") << 51 << 100;
        QTest::newRow("disappearing") << 62 << 80;
    }

    void newNoticeWhileShowing()
    {
        QFETCH(int, ticks);
        QFETCH(int, opacity);
        currentNoticeConfig.CN_KeepSec = 3;
        CentralNotice notice;
        notice.setScreenRect(0, 0, 800, 600);
        QLabel *label = labelOf(notice);
        notice.showNotice(NoticeWhatTask, {QStringLiteral("第一")});
        tick(notice, ticks);
        QCOMPARE(notice.opacity(), opacity);

        notice.showNotice(NoticeWhatTask, {QStringLiteral("第二")});
        QCOMPARE(status(notice), QStringLiteral("1 %1 20").arg(opacity));
        QCOMPARE(notice.count(), 2);
        QCOMPARE(label->text(), QStringLiteral("第二\n(之前还有 1 条提示)"));

        notice.showNotice(NoticeWhatBirthday, {QStringLiteral("第三"), QStringLiteral("ignored")});
        QCOMPARE(notice.count(), 3);
        QCOMPARE(label->text(), QStringLiteral("第三\n(之前还有 2 条提示)"));

        // Fading in again from where it was, then a fresh keep interval.
        tick(notice, (100 - opacity) / 2 + 1);
        QCOMPARE(status(notice), QStringLiteral("2 100 3000"));
    }

    void emptyListChangesNothing_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::newRow("idle") << -1;
        QTest::newRow("keeping") << 51;
    }

    void emptyListChangesNothing()
    {
        QFETCH(int, ticks);
        CentralNotice notice;
        if (ticks >= 0) {
            notice.showNotice(NoticeWhatTask, {QStringLiteral("a")});
            tick(notice, ticks);
        }
        const QString before = status(notice);
        notice.showNotice(NoticeWhatTask, {});
        QCOMPARE(status(notice), before);
        QCOMPARE(notice.count(), ticks >= 0 ? 1 : 0);
        QCOMPARE(labelOf(notice)->text(), ticks >= 0 ? QStringLiteral("a") : QString());
        QCOMPARE(notice.isVisible(), ticks >= 0);
    }

    void wholeCycleOnTimers()
    {
        currentNoticeConfig.CN_AppearSec = 1;
        currentNoticeConfig.CN_KeepSec = 1;
        currentNoticeConfig.CN_DisappearSec = 1;
        CentralNotice notice;
        notice.SLOTUpdateCentralNoticeCfg();
        QTRY_VERIFY(!timerOf(notice, "cfgTimer")->isActive());
        QCOMPARE(notice.appearStep(), 20);

        notice.showNotice(NoticeWhatTask, {QStringLiteral("喝水")});
        QTRY_COMPARE(notice.state(), int(CentralNotice::Keeping));
        QCOMPARE(notice.opacity(), 100);
        QTRY_COMPARE(notice.state(), int(CentralNotice::Disappearing));
        QTRY_VERIFY(notice.isHidden());
        QCOMPARE(status(notice), QStringLiteral("4 0 -1"));
    }

    void configuration()
    {
        CentralNotice notice;
        notice.showNotice(NoticeWhatTask, {QStringLiteral("a")});
        tick(notice, 10);

        currentNoticeConfig.CN_Color = QColor(200, 10, 20);
        currentNoticeConfig.CN_ShadowColor = QColor(1, 2, 3);
        currentNoticeConfig.CN_AppearSec = 4;
        currentNoticeConfig.CN_DisappearSec = 3;
        currentNoticeConfig.CN_BgType = 2;
        notice.SLOTUpdateCentralNoticeCfg();

        // Colours at once, even in the middle of the fade-in.
        auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(labelOf(notice)->graphicsEffect());
        QVERIFY(shadow);
        QCOMPARE(shadow->color(), QColor(1, 2, 3, 150));
        tick(notice, 1);
        QCOMPARE(labelOf(notice)->styleSheet(), CentralNotice::labelStyle(QColor(200, 10, 20), 22, true));

        // Timings and background only once the notice has gone.
        QTimer *cfgTimer = timerOf(notice, "cfgTimer");
        QVERIFY(cfgTimer->isActive());
        notice.slotUpdateCfg();
        QVERIFY(cfgTimer->isActive());
        QCOMPARE(notice.appearStep(), 20);
        QCOMPARE(notice.backgroundType(), 1);

        tick(notice, 39 + 2 + 50 + 1);
        QCOMPARE(notice.state(), int(CentralNotice::Finished));
        QTRY_VERIFY(!cfgTimer->isActive());
        QCOMPARE(notice.appearStep(), 80);
        QCOMPARE(notice.disappearStep(), 60);
        QCOMPARE(notice.backgroundType(), 2);
    }

    void spacersByBackground_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSizePolicy::Policy>("policy");
        QTest::newRow("band") << 2 << 1 << QSize(20, 104) << QSizePolicy::Expanding;
        QTest::newRow("full screen") << 1 << 2 << QSize(0, 0) << QSizePolicy::Minimum;
        QTest::newRow("none keeps full screen") << 2 << 0 << QSize(0, 0) << QSizePolicy::Minimum;
        QTest::newRow("none keeps band") << 1 << 0 << QSize(20, 104) << QSizePolicy::Expanding;
    }

    void spacersByBackground()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(QSize, size);
        QFETCH(QSizePolicy::Policy, policy);

        CentralNotice notice;
        for (int type : {before, after}) {
            currentNoticeConfig.CN_BgType = type;
            notice.SLOTUpdateCentralNoticeCfg();
            QTRY_VERIFY(!timerOf(notice, "cfgTimer")->isActive());
        }
        QCOMPARE(notice.backgroundType(), after);
        for (int index : {0, 2}) {
            QSpacerItem *spacer = notice.layout()->itemAt(index)->spacerItem();
            QCOMPARE(spacer->sizeHint(), size);
            QCOMPARE(spacer->sizePolicy().verticalPolicy(), policy);
        }
    }
};

QTEST_MAIN(TestCentralNotice)
#include "tst_centralnotice.moc"
