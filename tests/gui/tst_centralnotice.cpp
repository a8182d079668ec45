#include "data/records.h"
#include "notices/centralnotice.h"

#include <QLabel>
#include <QTest>

namespace {

QLabel *labelOf(CentralNotice &notice)
{
    return notice.findChild<QLabel *>(QStringLiteral("label"));
}

} // namespace

class TestCentralNotice : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        currentNoticeConfig = NoticeConfigData();
        currentNoticeConfig.CN_AppearSec = 1;
        currentNoticeConfig.CN_KeepSec = 1;
        currentNoticeConfig.CN_DisappearSec = 1;
    }

    // The notice covers the screen without taking its clicks, says how many came before, and goes by itself.
    void showsAndGoes()
    {
        CentralNotice notice;
        notice.SLOTUpdateCentralNoticeCfg();
        notice.setScreenRect(100, 20, 1280, 760);
        QCOMPARE(notice.geometry(), QRect(100, 20, 1280, 760));
        notice.showNotice(NoticeWhatTask, {});
        QVERIFY(notice.isHidden());

        notice.showNotice(NoticeWhatTask, {QStringLiteral("第一")});
        QVERIFY(notice.isVisible());
        QVERIFY(notice.testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowTransparentForInput));
        QCOMPARE(labelOf(notice)->text(), QStringLiteral("第一"));
        notice.showNotice(NoticeWhatBirthday, {QStringLiteral("第二"), QStringLiteral("ignored")});
        QCOMPARE(labelOf(notice)->text(), QStringLiteral("第二\n(之前还有 1 条提示)"));
        notice.showNotice(NoticeWhatTask, {});
        QCOMPARE(notice.count(), 2);

        QTRY_COMPARE_WITH_TIMEOUT(notice.state(), int(CentralNotice::Keeping), 3000);
        QCOMPARE(notice.opacity(), 100);
        QTRY_VERIFY_WITH_TIMEOUT(notice.isHidden(), 5000);
        QCOMPARE(notice.count(), 0);
    }
};

QTEST_MAIN(TestCentralNotice)
#include "tst_centralnotice.moc"
