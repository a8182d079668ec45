#include "app/appglobals.h"
#include "app/configsettings.h"
#include "app/startup.h"
#include "common/programcopy.h"
#include "common/testprogramdir.h"

#include <QDir>
#include <QFile>
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

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("versionQuery");
        QTest::addColumn<bool>("tray");
        QTest::newRow("none") << QStringList{"pemmora"} << false << false;
        QTest::newRow("version query") << QStringList{"pemmora", "database", "-v"} << true << false;
        QTest::newRow("version query and more") << QStringList{"pemmora", "database", "-v", "x"} << false << false;
        QTest::newRow("reversed") << QStringList{"pemmora", "-v", "database"} << false << false;
        QTest::newRow("tray") << QStringList{"pemmora", "-tray"} << false << true;
        QTest::newRow("tray and more") << QStringList{"pemmora", "-tray", "x"} << false << false;
        QTest::newRow("other single argument") << QStringList{"pemmora", "-hidden"} << false << false;
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, versionQuery);
        QFETCH(bool, tray);
        QList<QByteArray> bytes;
        std::vector<const char *> argv;
        for (const QString &argument : arguments)
            bytes.append(argument.toLocal8Bit());
        for (const QByteArray &b : bytes)
            argv.push_back(b.constData());
        QCOMPARE(Startup::isVersionQuery(int(argv.size()), argv.data()), versionQuery);
        QCOMPARE(Startup::isTrayStart(arguments), tray);
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
        QTest::newRow("no settings file") << QString() << "zh_CN" << QLocale::Chinese << 1 << "设置"
                                          << "取消";
        QTest::newRow("no language group") << "[Other]\nx=1\n"
                                           << "zh_CN" << QLocale::Chinese << 1 << "设置"
                                           << "取消";
        QTest::newRow("empty lang") << "[Language]\nlang=\n"
                                    << "" << QLocale::Chinese << 0 << "设置"
                                    << "Cancel";
        // Qt's English catalog is empty (its texts are English already) and does not load.
        QTest::newRow("english") << "[Language]\nlang=en\n"
                                 << "en" << QLocale::English << 1 << "Settings"
                                 << "Cancel";
        QTest::newRow("traditional chinese") << "[Language]\nlang=zh_TW\n"
                                             << "zh_TW" << QLocale::Chinese << 2 << "設定"
                                             << "取消";
        QTest::newRow("unknown code") << "[Language]\nlang=fr\n"
                                      << "fr" << QLocale::Chinese << 0 << "设置"
                                      << "Cancel";
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

    void versionQueryAnswersWhileAnotherCopyRuns()
    {
        TestProgramDir dir;
        ProgramCopy running(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        running.start();
        QVERIFY2(running.waitForLine(QStringLiteral("ready")), qPrintable(running.output));

        ProgramCopy query(dir, QStringLiteral(PEMMORA_PROGRAM));
        query.start({QStringLiteral("database"), QStringLiteral("-v")});
        QVERIFY(query.process.waitForFinished(10000));
        QCOMPARE(query.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(query.process.exitCode(), Startup::VersionQueryExitCode);
        QCOMPARE(query.process.readAll(), QByteArray());
        QCOMPARE(running.process.state(), QProcess::Running);
    }

    void secondCopyFromTheSameDirectoryIsRefused()
    {
        TestProgramDir dir;
        TestProgramDir otherDir;
        ProgramCopy first(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        first.start();
        QVERIFY2(first.waitForLine(QStringLiteral("ready")), qPrintable(first.output));

        ProgramCopy second(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        second.start();
        QVERIFY2(second.waitForLine(QStringLiteral("modal: 程序已在运行")), qPrintable(second.output));
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY(!second.output.contains(QStringLiteral("ready")));
        QCOMPARE(first.process.state(), QProcess::Running);

        // Copies in different directories run side by side.
        ProgramCopy elsewhere(otherDir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        elsewhere.start();
        QVERIFY2(elsewhere.waitForLine(QStringLiteral("ready")), qPrintable(elsewhere.output));
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

    // The workday exceptions are known before a task row can fire: a workday task that fell due while the
    // program was not running moves past the next weekday when the user made that a day off.
    void lateWorkdayTaskFollowsTheExceptions()
    {
        TestProgramDir dir;
        const auto nextWeekday = [](QDate day) {
            do
                day = day.addDays(1);
            while (day.dayOfWeek() > 5);
            return day;
        };
        const QDate today = QDate::currentDate();
        const QDate dayOff = nextWeekday(today);
        QVERIFY(
            dir.execute(QStringLiteral("INSERT INTO TASK_WORKDAY (TaskDateStr, TaskDate, Workday) VALUES ('%1', %2, 0)")
                            .arg(dayOff.toString(Qt::ISODate))
                            .arg(dayOff.toJulianDay())));
        QVERIFY(dir.execute(QStringLiteral("INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, NoticeCycle) "
                                           "VALUES (0, 'late', '%1 00:00:00', 2)")
                                .arg(today.addDays(-1).toString(Qt::ISODate))));

        ProgramCopy copy(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        copy.start({QStringLiteral("-tray")});
        QTRY_COMPARE_WITH_TIMEOUT(
            dir.value(QStringLiteral("SELECT TaskTimeSee FROM TASK_LIST WHERE id = 1")).toString(),
            nextWeekday(dayOff).toString(Qt::ISODate) + QStringLiteral(" 00:00:00"), 15000);
    }

    void missingDatabaseEndsTheProgram()
    {
        TestProgramDir dir(false);
        ProgramCopy copy(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        copy.start({QStringLiteral("-tray")});
        QVERIFY2(copy.waitForLine(QStringLiteral("modal: 错误")), qPrintable(copy.output));
        QVERIFY(copy.process.waitForFinished(10000));
        QCOMPARE(copy.process.exitCode(), 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
