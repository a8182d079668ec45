#include "app/appglobals.h"
#include "app/configsettings.h"
#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "notices/centralnotice.h"
#include "notices/normalnotice.h"
#include "notices/normalnoticemanager.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

// The shell: closing, the language choice, answers that need the user, and notices reaching the screens.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // With a tray closing hides the window; without one there would be no way back, so it quits, after asking.
    void closing_data()
    {
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("quits");
        QTest::newRow("tray") << true << int(QMessageBox::Ok) << false;
        QTest::newRow("no tray, stay") << false << int(QMessageBox::Cancel) << false;
        QTest::newRow("no tray, quit") << false << int(QMessageBox::Ok) << true;
    }
    void closing()
    {
        QFETCH(bool, trayAvailable);
        QFETCH(int, answer);
        QFETCH(bool, quits);
        TestProgramDir dir;
        MainWindow window;
        window.setSystemTrayAvailable(trayAvailable);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ModalDismisser dismisser(static_cast<QMessageBox::StandardButton>(answer));
        window.close();
        QCOMPARE(dismisser.titles, trayAvailable ? QStringList() : QStringList{QStringLiteral("退出程序？")});
        QCOMPARE(window.isVisible(), !trayAvailable && !quits);
        // A quit asked for ends every event loop at once; QCoreApplication::exec then clears it again.
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&loop]() { loop.exit(1); });
        QCOMPARE(loop.exec(), quits ? -1 : 1);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    // The choice is stored at once; a restart is offered unless it is the language running now.
    void languageChoice()
    {
        TestProgramDir dir;
        MainWindow window;
        auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Language"));
        ModalDismisser dismisser(QMessageBox::Cancel);
        combo->setCurrentIndex(2);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("en"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("是否重启本软件生效？")});
        combo->setCurrentIndex(0);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("zh_CN"));
        QCOMPARE(dismisser.titles.size(), 1);
        combo->setCurrentIndex(1);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("zh_TW"));
        QCOMPARE(dismisser.titles.size(), 2);

        // A settings file that cannot be written: the combo shows what the next start will use.
        QVERIFY(QFile::remove(QString::fromLatin1(AppGlobals::ConfigFile)));
        QVERIFY(QDir().mkpath(QString::fromLatin1(AppGlobals::ConfigFile)));
        combo->setCurrentIndex(2);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(dismisser.titles.last(), QStringLiteral("设置未保存"));
    }

    // Restored database, failed write, pictures that change only after a restart.
    void answerRouting_data()
    {
        QTest::addColumn<SqlOperateType>("operate");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("write failed") << DatabaseWriteFailed << "未保存" << "数据未能保存" << "未保存";
        QTest::newRow("deleted picture in use") << IconListDelete << "restartYes" << "是否重启本软件生效？" << "使用已删除图标的地方，已被重置为默认图标，将在重启后生效";
        QTest::newRow("deleted picture unused") << IconListDelete << "restartNo" << "" << "";
        QTest::newRow("updated picture in use") << IconListUpdate << "restartYes" << "是否重启本软件生效？" << "检测到使用了更新前的图标，需要重启软件后才会更新界面显示";
        // clang-format on
    }
    void answerRouting()
    {
        QFETCH(SqlOperateType, operate);
        QFETCH(QString, answer);
        QFETCH(QString, title);
        QFETCH(QString, text);
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser(QMessageBox::Cancel);
        emit interfacePublicData.SIGNALReceiveQueryData(operate, answer);
        QCOMPARE(dismisser.titles.join(QString()), title);
        QCOMPARE(dismisser.texts.join(QString()), text);
    }

    // Notices sent through the hub reach the popups and a centre notice on every screen.
    void hubNoticesReachTheWindows()
    {
        TestProgramDir dir;
        currentNoticeConfig = NoticeConfigData();
        MainWindow window;
        const QStringList strs = {"喝水", "2024-05-19 08:30:00", "keepNo", "src/icon/task/default.png"};
        emit interfacePublicData.SIGNALShowNormalNotice(NoticeWhatTask, strs);
        emit interfacePublicData.SIGNALShowNormalNotice(NoticeWhatTask, strs);
        auto *manager = window.findChild<NormalNoticeManager *>(QStringLiteral("normalNoticeManager"));
        QCOMPARE(manager->shownNotices().size(), 2);
        QVERIFY(manager->shownNotices().first()->isVisible());

        emit interfacePublicData.SIGNALShowCentralNotice(NoticeWhatTask, {strs.first()});
        int centres = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *notice = qobject_cast<CentralNotice *>(widget)) {
                ++centres;
                QCOMPARE(notice->findChild<QLabel *>(QStringLiteral("label"))->text(), strs.first());
                QVERIFY(notice->isVisible());
            }
        }
        QCOMPARE(centres, QGuiApplication::screens().size());
    }

    // The centre notice lets clicks through, says how many came before, and goes by itself.
    void centreNotice()
    {
        currentNoticeConfig = NoticeConfigData();
        currentNoticeConfig.CN_AppearSec = currentNoticeConfig.CN_KeepSec = currentNoticeConfig.CN_DisappearSec = 1;
        CentralNotice notice;
        notice.SLOTUpdateCentralNoticeCfg();
        notice.showNotice(NoticeWhatTask, {});
        QVERIFY(notice.isHidden());
        notice.showNotice(NoticeWhatTask, {QStringLiteral("第一")});
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowTransparentForInput));
        notice.showNotice(NoticeWhatBirthday, {QStringLiteral("第二"), QStringLiteral("ignored")});
        QCOMPARE(notice.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 QStringLiteral("第二\n(之前还有 1 条提示)"));
        QTRY_VERIFY_WITH_TIMEOUT(notice.isHidden(), 6000);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
