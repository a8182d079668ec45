#include "app/appglobals.h"
#include "app/configsettings.h"
#include "app/startup.h"
#include "common/programcopy.h"
#include "common/testprogramdir.h"
#include "platform/singleinstancelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QTranslator>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
        AppGlobals::language = QStringLiteral("zh_CN");
        AppGlobals::locale = QLocale(QLocale::Chinese, QLocale::AnyCountry);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<QString>("printed");
        const int run = Startup::CommandLine::Run, error = Startup::CommandLine::Error;
        const int help = Startup::CommandLine::Help, version = Startup::CommandLine::Version;
        QTest::newRow("none") << QStringList{"pemmora"} << run << false << "";
        QTest::newRow("tray") << QStringList{"pemmora", "-tray"} << run << true << "";
        QTest::newRow("qt's own options")
            << QStringList{"pemmora", "-style", "fusion", "-tray", "-session", "1a"} << run << true << "";
        QTest::newRow("version query") << QStringList{"pemmora", "database", "-v"}
                                       << int(Startup::CommandLine::VersionQuery) << false << "";
        QTest::newRow("version query and more")
            << QStringList{"pemmora", "database", "-v", "x"} << error << false << "Unexpected argument 'database'.";
        QTest::newRow("tray and more") << QStringList{"pemmora", "-tray", "x"} << error << false << "Usage: pemmora";
        QTest::newRow("unknown option") << QStringList{"pemmora", "-hidden"} << error << false
                                        << "Unknown option 'hidden'.";
        QTest::newRow("help") << QStringList{"pemmora", "--help"} << help << false << "-tray";
        QTest::newRow("version") << QStringList{"pemmora", "--version"} << version << false << "Pemmora 1.0.2.1";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(bool, tray);
        QFETCH(QString, printed);
        const Startup::CommandLine command = Startup::parseCommandLine(arguments);
        QCOMPARE(int(command.action), action);
        QCOMPARE(command.tray, tray);
        QVERIFY2(command.text.contains(printed), qPrintable(command.text));
    }

    void language_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QLocale::Language>("locale");
        QTest::addColumn<int>("translators");
        QTest::addColumn<QString>("settingsTab");
        QTest::addColumn<QString>("cancelButton");
        // Chinese has no catalog of its own; Qt's gives the standard dialogs their Chinese buttons.
        // clang-format off
        QTest::newRow("no settings file") << QString() << "zh_CN" << QLocale::Chinese << 1 << "设置" << "取消";
        QTest::newRow("empty lang") << "[Language]\nlang=\n" << "" << QLocale::Chinese << 0 << "设置" << "Cancel";
        // Qt's English catalog is empty (its texts are English already) and does not load.
        QTest::newRow("english") << "[Language]\nlang=en\n" << "en" << QLocale::English << 1 << "Settings" << "Cancel";
        QTest::newRow("traditional chinese") << "[Language]\nlang=zh_TW\n" << "zh_TW" << QLocale::Chinese << 2 << "設定" << "取消";
        QTest::newRow("unknown code") << "[Language]\nlang=fr\n" << "fr" << QLocale::Chinese << 0 << "设置" << "Cancel";
        // clang-format on
    }

    void language()
    {
        QFETCH(QString, config);
        QFETCH(QString, language);
        QFETCH(QLocale::Language, locale);
        QFETCH(int, translators);
        QFETCH(QString, settingsTab);
        QFETCH(QString, cancelButton);

        TestProgramDir dir;
        QDir().mkpath(QStringLiteral("src/language"));
        for (const QString &file : QDir(QStringLiteral(PEMMORA_RUN_DIR "/src/language")).entryList({"*.qm"}))
            QVERIFY(QFile::copy(QStringLiteral(PEMMORA_RUN_DIR "/src/language/") + file, "src/language/" + file));
        if (!config.isNull()) {
            QFile file(QStringLiteral("src/config/config.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(config.toUtf8());
        }

        QCOMPARE(Startup::loadLanguage(), translators);
        QCOMPARE(AppGlobals::language, language);
        QCOMPARE(AppGlobals::locale.language(), locale);
        QCOMPARE(QCoreApplication::instance()->findChildren<QTranslator *>().size(), translators);
        QCOMPARE(QCoreApplication::translate("MainWindow", "设置"), settingsTab);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancelButton);
    }

    // A second start from the same directory shows the running copy; other directories run side by side.
    void secondStartShowsTheRunningCopy()
    {
        TestProgramDir dir;
        TestProgramDir otherDir;
        ProgramCopy first(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        first.start({QStringLiteral("-tray")});
        QVERIFY2(first.waitForLine(QStringLiteral("ready")), qPrintable(first.output));

        ProgramCopy second(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        second.start();
        QVERIFY2(!second.waitForLine(QStringLiteral("ready")), qPrintable(second.output));
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY2(!second.output.contains(QStringLiteral("modal:")), qPrintable(second.output));
        QVERIFY2(first.waitForLine(QStringLiteral("shown")), qPrintable(first.output));

        ProgramCopy elsewhere(otherDir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        elsewhere.start();
        QVERIFY2(elsewhere.waitForLine(QStringLiteral("ready")), qPrintable(elsewhere.output));
    }

    // A visible window must not refuse the session's quit; closing the last other window must not quit.
    void programEndsOnlyWhenAsked_data()
    {
        QTest::addColumn<QString>("probeVariable");
        QTest::addColumn<bool>("ends");
        QTest::newRow("quit request") << "PEMMORA_PROBE_QUIT" << true;
        QTest::newRow("last other window closed") << "PEMMORA_PROBE_CLOSE_OTHER" << false;
    }

    void programEndsOnlyWhenAsked()
    {
        QFETCH(QString, probeVariable);
        QFETCH(bool, ends);
        TestProgramDir dir;
        ProgramCopy copy(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(probeVariable, QStringLiteral("1"));
        copy.process.setProcessEnvironment(environment);
        copy.start();
        QVERIFY2(copy.waitForLine(QStringLiteral("shown")), qPrintable(copy.output));
        if (ends) {
            QVERIFY(copy.process.waitForFinished(10000));
            QCOMPARE(copy.process.exitCode(), 0);
        } else {
            QVERIFY2(copy.waitForLine(QStringLiteral("alive")), qPrintable(copy.output));
        }
    }

    void lockOfAKilledCopyIsTakenOver()
    {
        TestProgramDir dir;
        ProgramCopy crashed(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        crashed.start();
        QVERIFY2(crashed.waitForLine(QStringLiteral("ready")), qPrintable(crashed.output));
        crashed.process.kill();
        QVERIFY(crashed.process.waitForFinished(5000));

        ProgramCopy next(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        next.start();
        QVERIFY2(next.waitForLine(QStringLiteral("ready")), qPrintable(next.output));
        QVERIFY(!next.output.contains(QStringLiteral("modal:")));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
