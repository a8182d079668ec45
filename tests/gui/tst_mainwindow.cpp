#include "app/appglobals.h"
#include "app/configsettings.h"
#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void tabs()
    {
        TestProgramDir dir;
        MainWindow window;
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QVERIFY(tabs);
        const QStringList names = {"tabTask", "tab_Birthday", "tabUsers", "tabSetting", "tabAbout"};
        const QStringList titles = {"任务", "生日管家", "账号管理", "设置", "关于"};
        QCOMPARE(tabs->count(), names.size());
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->widget(i)->objectName(), names.at(i));
            QCOMPARE(tabs->tabText(i), titles.at(i));
        }
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label_SoftwareVersion"))->text(),
                 QStringLiteral("版本 1.0.2.1 (2024.05.19)"));
    }

    void startupRequests()
    {
        TestProgramDir dir;
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        MainWindow window;
        QList<SqlOperateType> codes;
        for (const QList<QVariant> &call : spy)
            codes.append(call.at(0).value<SqlOperateType>());
        const QList<SqlOperateType> expectedOrder = {TaskListSelect, TaskWorkdaySelect, BirthdayInfoSelect,
                                                     UsersConfigSelect, UsersVerifySelectRegistered};
        QList<SqlOperateType> listRequests;
        for (SqlOperateType code : codes) {
            if (expectedOrder.contains(code))
                listRequests.append(code);
        }
        QCOMPARE(listRequests, expectedOrder);
        QVERIFY(codes.contains(TaskConfigSelect));
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

    void closingHidesOrMinimizes_data()
    {
        QTest::addColumn<bool>("trayAvailable");
        QTest::newRow("tray") << true;
        QTest::newRow("no tray") << false;
    }

    void closingHidesOrMinimizes()
    {
        QFETCH(bool, trayAvailable);
        TestProgramDir dir;
        MainWindow window;
        window.setSystemTrayAvailable(trayAvailable);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(!window.close());
        QCOMPARE(window.isVisible(), !trayAvailable);
        QCOMPARE(window.isMinimized(), !trayAvailable);

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
        QCOMPARE(combo->currentIndex(), 0);
        ModalDismisser dismisser(QMessageBox::Cancel);

        combo->setCurrentIndex(2);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("en"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("是否重启本软件生效？")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("语言将在下次软件打开时生效")});

        // Going back to the language the program started with needs no restart.
        combo->setCurrentIndex(0);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("zh_CN"));
        QCOMPARE(dismisser.titles.size(), 1);

        combo->setCurrentIndex(1);
        QCOMPARE(ConfigSettings().language(), QStringLiteral("zh_TW"));
        QCOMPARE(dismisser.titles.size(), 2);
    }

#ifndef Q_OS_WIN
    void startAtLogonSwitch()
    {
        TestProgramDir dir;
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        {
            MainWindow window;
            auto *button = window.findChild<QPushButton *>(QStringLiteral("pushButton_AutoRunCurrentUser"));
            QVERIFY(!button->isChecked());
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(QFile::exists(config.path() + QStringLiteral("/autostart/pemmora.desktop")));
        }
        {
            MainWindow window;
            auto *button = window.findChild<QPushButton *>(QStringLiteral("pushButton_AutoRunCurrentUser"));
            QVERIFY(button->isChecked());
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(!QFile::exists(config.path() + QStringLiteral("/autostart/pemmora.desktop")));
        }
        qunsetenv("XDG_CONFIG_HOME");
    }
#endif

    void answerRouting()
    {
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser;
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);

        emit interfacePublicData.SIGNALReceiveQueryData(DatabaseRestored, QStringLiteral("已还原"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("提示")});
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("已还原")});

        emit interfacePublicData.SIGNALReceiveQueryData(TaskListInsert, QVariant());
        emit interfacePublicData.SIGNALReceiveQueryData(TaskListDelete, QVariant());
        emit interfacePublicData.SIGNALReceiveQueryData(TaskListUpdateNoticed, QVariant());
        QCOMPARE(requests.count(), 2);
        for (const QList<QVariant> &call : requests)
            QCOMPARE(call.at(0).value<SqlOperateType>(), TaskListSelect);
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
