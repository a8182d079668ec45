#include "app/appglobals.h"
#include "app/configsettings.h"
#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    // The five tabs, and the first requests in their order.
    void builds()
    {
        TestProgramDir dir;
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        MainWindow window;
        QStringList names;
        const auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        for (int i = 0; i < tabs->count(); ++i)
            names.append(tabs->widget(i)->objectName());
        QCOMPARE(names, (QStringList{"tabTask", "tab_Birthday", "tabUsers", "tabSetting", "tabAbout"}));

        const QList<int> expectedOrder = {TaskWorkdaySelect, TaskListSelect, BirthdayInfoSelect, UsersConfigSelect,
                                          UsersVerifySelectRegistered};
        QList<int> codes;
        for (const QList<QVariant> &call : spy)
            if (expectedOrder.contains(call.at(0).toInt()) || call.at(0).toInt() == TaskConfigSelect)
                codes.append(call.at(0).toInt());
        QVERIFY(codes.removeOne(TaskConfigSelect));
        QCOMPARE(codes, expectedOrder);
    }

    void settingsFile()
    {
        TestProgramDir dir;
        {
            ConfigSettings settings;
            settings.setValue(QStringLiteral("SoftwareName/name"), QStringLiteral("我的助手"));
            settings.setValue(QStringLiteral("Language/lang"), QStringLiteral("zh_TW"));
        }
        const QString builtIn = AppGlobals::softwareName;
        {
            MainWindow window;
            QCOMPARE(window.windowTitle(), QStringLiteral("我的助手"));
            QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("comboBox_Language"))->currentIndex(), 1);
        }
        AppGlobals::softwareName = builtIn;
    }

    void closing_data()
    {
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("quits");
        QTest::addColumn<QString>("closeTip");
        QTest::newRow("tray") << true << int(QMessageBox::Ok) << false << "关闭窗口只会把程序隐藏到系统托盘";
        QTest::newRow("no tray, stay") << false << int(QMessageBox::Cancel) << false << "这个桌面没有系统托盘";
        QTest::newRow("no tray, quit") << false << int(QMessageBox::Ok) << true << "这个桌面没有系统托盘";
    }

    // With a tray closing hides the window; without one there would be no way back, so it quits, after asking.
    void closing()
    {
        QFETCH(bool, trayAvailable);
        QFETCH(int, answer);
        QFETCH(bool, quits);
        QFETCH(QString, closeTip);
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

        // The About tab tells what closing does on this desktop.
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        tabs->setCurrentWidget(window.findChild<QWidget *>(QStringLiteral("tabAbout")));
        const QString about =
            window.findChild<QTextBrowser *>(QStringLiteral("textBrowser_SoftwareInfo"))->toPlainText();
        QVERIFY2(about.contains(closeTip) && about.count(QStringLiteral("Ctrl+Q")) == 1, qPrintable(about));

        // The tray icon's single click brings the window back; other clicks do nothing.
        window.hide();
        window.slotTrayIconAction(QSystemTrayIcon::DoubleClick);
        QVERIFY(!window.isVisible());
        window.slotTrayIconAction(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
    }

    void languageChoice()
    {
        TestProgramDir dir;
        MainWindow window;
        auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Language"));
        ModalDismisser dismisser(QMessageBox::Cancel);

        combo->setCurrentIndex(2);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("en"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("是否重启本软件生效？")});
        QCOMPARE(dismisser.texts,
                 QStringList{QStringLiteral("要现在重启软件以切换语言吗？\n选择“稍后”将在下次启动时切换。")});
        QCOMPARE(combo->currentIndex(), 2);

        // Going back to the language the program started with needs no restart.
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

#ifndef Q_OS_WIN
    // The switch shows and changes the autostart entry.
    void startAtLogonSwitch()
    {
        TestProgramDir dir;
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        for (const bool enabledBefore : {false, true}) {
            MainWindow window;
            auto *button = window.findChild<QPushButton *>(QStringLiteral("pushButton_AutoRunCurrentUser"));
            QCOMPARE(button->isChecked(), enabledBefore);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(QFile::exists(config.path() + QStringLiteral("/autostart/pemmora.desktop")), !enabledBefore);
        }
        qunsetenv("XDG_CONFIG_HOME");
    }
#endif

    void answerRouting()
    {
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser;

        emit interfacePublicData.SIGNALReceiveQueryData(DatabaseRestored, QStringLiteral("已还原"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("提示")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("已还原")});
        emit interfacePublicData.SIGNALReceiveQueryData(DatabaseWriteFailed, QStringLiteral("未保存"));
        QCOMPARE(dismisser.titles, (QStringList{"提示", "数据未能保存"}));
    }

    void scalingChangeOffersRestart()
    {
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser(QMessageBox::Cancel);
        emit interfacePublicData.SIGNALScreenSizeChanged(1920, 1040, 96, 1280, 760, 96);
        QVERIFY(dismisser.titles.isEmpty());
        emit interfacePublicData.SIGNALScreenSizeChanged(1920, 1040, 96, 1920, 1040, 144);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("是否重启本软件生效？")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("缩放率被更改，建议重启软件以适应新的缩放率")});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
