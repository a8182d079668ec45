#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/appglobals.h"
#include "data/configsettings.h"
#include "data/databasebackup.h"
#include "data/interfacepublicdata.h"
#include "data/language.h"
#include "notices/normalnoticemanager.h"
#include "tasks/workdayconfig.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QTranslator>

// The shell: closing, and the language choice being stored.
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

    // The choice is stored at once; a restart is offered unless it is the language running now. The icon
    // library's setting is read at start.
    void languageChoice()
    {
        TestProgramDir dir;
        ConfigSettings().setShowIconNoticeAlways(true);
        // A garbled count of backups to keep means the default, not none.
        ConfigSettings().setValue(QStringLiteral("Database/BackupsKept"), QStringLiteral("x"));
        QCOMPARE(ConfigSettings().backupsKept(), DatabaseBackup::DefaultKept);
        MainWindow window;
        QVERIFY(AppGlobals::showIconNoticeAlways);
        auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Language"));
        ModalDismisser dismisser(QMessageBox::Cancel);
        combo->setCurrentIndex(2);
        QCOMPARE(Language::configured(), QStringLiteral("en"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("是否重启本软件生效？")});
        combo->setCurrentIndex(0);
        QCOMPARE(Language::configured(), QStringLiteral("zh_CN"));
        QCOMPARE(dismisser.titles.size(), 1);

        // A settings file that cannot be written: the combo shows what the next start will use.
        QVERIFY(QFile::remove(QString::fromLatin1(AppGlobals::ConfigFile)));
        QVERIFY(QDir().mkpath(QString::fromLatin1(AppGlobals::ConfigFile)));
        combo->setCurrentIndex(2);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(dismisser.titles.last(), QStringLiteral("设置未保存"));
    }

    // A failed write is told in a box, each time; a restart is offered where the window cannot follow a change
    // by itself: an icon in use changed, or the screen's scale.
    void reports_data()
    {
        QTest::addColumn<int>("operate"); // -1: the scale goes from 96 dpi to payload
        QTest::addColumn<QVariant>("payload");
        QTest::addColumn<QString>("title");
        const QString restart = QStringLiteral("是否重启本软件生效？");
        QTest::newRow("write failed") << int(DatabaseWriteFailed) << QVariant("x") << "数据未能保存";
        QTest::newRow("icon in use deleted") << int(IconListDelete) << QVariant("restartYes") << restart;
        QTest::newRow("unused icon deleted") << int(IconListDelete) << QVariant("restartNo") << "";
        QTest::newRow("icon in use replaced") << int(IconListUpdate) << QVariant("restartYes") << restart;
        QTest::newRow("unused icon replaced") << int(IconListUpdate) << QVariant("restartNo") << "";
        QTest::newRow("scale changed") << -1 << QVariant(144) << restart;
        QTest::newRow("same scale") << -1 << QVariant(96) << "";
    }
    void reports()
    {
        QFETCH(int, operate);
        QFETCH(QVariant, payload);
        QFETCH(QString, title);
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser(QMessageBox::Cancel);
        for (int i = 0; i < 2; ++i) {
            if (operate < 0)
                emit interfacePublicData.SIGNALScreenSizeChanged(800, 600, 96, 800, 600, payload.toInt());
            else
                emit interfacePublicData.SIGNALReceiveQueryData(SqlOperateType(operate), payload);
        }
        QCOMPARE(dismisser.titles, title.isEmpty() ? QStringList() : QStringList({title, title}));
    }

    // Dates of the holiday subscription that contradict the list are offered in the status bar while there are any.
    void holidayConflicts()
    {
        TestProgramDir dir;
        MainWindow window;
        auto *workdays = window.findChild<WorkdayConfig *>();
        auto *label = window.findChild<QLabel *>(QStringLiteral("label_HolidayConflicts"));
        emit workdays->SIGNALSubscriptionConflicts(2);
        QCOMPARE(QTextDocumentFragment::fromHtml(label->text()).toPlainText(),
                 QStringLiteral("节假日订阅：2 个日期与工作日列表相反，点此决定"));
        QVERIFY(label->isVisibleTo(&window));
        emit workdays->SIGNALSubscriptionConflicts(0);
        QVERIFY(!label->isVisibleTo(&window));
    }

    // The stored language brings its translations and the locale its calendars use.
    void languageLoaded_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("installed");
        QTest::addColumn<QString>("locale");
        QTest::newRow("en") << "en" << 1 << "en_US";
        QTest::newRow("zh_TW") << "zh_TW" << 2 << "zh_TW";
        QTest::newRow("zh_CN") << "zh_CN" << 1 << "zh_CN";
    }
    void languageLoaded()
    {
        QFETCH(QString, code);
        QFETCH(int, installed);
        QFETCH(QString, locale);
        TestProgramDir dir;
        ConfigSettings().setValue(QStringLiteral("Language/lang"), code);
        AppGlobals::folders.deliveredDir = QStringLiteral(PEMMORA_RUN_DIR "/src");
        QCOMPARE(Language::load(), installed);
        QCOMPARE(AppGlobals::locale.name(), locale);
        QCOMPARE(MainWindow::tr("退出程序？") == "退出程序？", code == "zh_CN");
        qDeleteAll(qApp->findChildren<QTranslator *>());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
