#include "app/startup.h"
#include "common/programcopy.h"
#include "common/testprogramdir.h"
#include "platform/autostart.h"
#include "platform/singleinstancelock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    // Help, version and a usage error end before any window with their exit code; the rest runs.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<int>("exitCode");
        // clang-format off
        QTest::newRow("none") << QStringList{"pemmora"} << false << "" << -1;
        QTest::newRow("qt's own options") << QStringList{"pemmora", "-style", "fusion", "-tray", "-session", "1a"} << true << "" << -1;
        QTest::newRow("version query") << QStringList{"pemmora", "database", "-v"} << false << "" << 2;
        QTest::newRow("tray and more") << QStringList{"pemmora", "-tray", "x"} << false << "Usage: pemmora" << 2;
        QTest::newRow("unknown option") << QStringList{"pemmora", "-hidden"} << false << "Unknown option 'hidden'." << 2;
        QTest::newRow("help") << QStringList{"pemmora", "--help"} << false << "-tray" << 0;
        QTest::newRow("version") << QStringList{"pemmora", "--version"} << false << "Pemmora 1.0.2.1" << 0;
        // clang-format on
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, tray);
        QFETCH(QString, printed);
        QFETCH(int, exitCode);
        const Startup::CommandLine command = Startup::parseCommandLine(arguments);
        QCOMPARE(command.action == Startup::CommandLine::Run, exitCode < 0);
        QCOMPARE(command.tray, tray);
        QVERIFY2(command.text.contains(printed), qPrintable(command.text));
        QList<QByteArray> bytes;
        std::vector<char *> argv;
        for (const QString &argument : arguments)
            argv.push_back((bytes << argument.toLocal8Bit()).last().data());
        int argc = int(argv.size());
        if (exitCode >= 0)
            QCOMPARE(Startup::run(argc, argv.data()), exitCode);
    }

    // A second start from the same directory shows the running copy; other directories run side by side.
    void secondStartShowsTheRunningCopy()
    {
        TestProgramDir dir, otherDir;
        // The first start also removes the temporary files a copy killed while writing left.
        const QString left = dir.filePath(QStringLiteral("src/database/backups/main-2024-05-16.db.1a2b3c.part"));
        QVERIFY(QDir().mkpath(QFileInfo(left).path()) && QFile(left).open(QIODevice::WriteOnly));
        ProgramCopy first(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        first.start({QStringLiteral("-tray")});
        QVERIFY2(first.waitForLine(QStringLiteral("ready")), qPrintable(first.output));
        QVERIFY(!QFileInfo::exists(left));
        ProgramCopy second(dir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        second.start();
        QVERIFY2(!second.waitForLine(QStringLiteral("ready")), qPrintable(second.output));
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY2(!second.output.contains(QStringLiteral("modal:")), qPrintable(second.output));
        QVERIFY2(first.waitForLine(QStringLiteral("shown")), qPrintable(first.output));
        ProgramCopy elsewhere(otherDir, QStringLiteral(PEMMORA_STARTUP_PROBE));
        elsewhere.start();
        QVERIFY2(elsewhere.waitForLine(QStringLiteral("ready")), qPrintable(elsewhere.output));
        // Folders that differ only in Chinese characters are other directories too.
        QVERIFY(SingleInstanceLock::keyFor(dir.filePath("安装甲")) !=
                SingleInstanceLock::keyFor(dir.filePath("安装乙")));
    }

    // A quit request (as at session end) ends it with the window up; closing another window while hidden does not.
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
        QVERIFY2(ends ? copy.process.waitForFinished(10000) && copy.process.exitCode() == 0
                      : copy.waitForLine(QStringLiteral("alive")),
                 qPrintable(copy.output));
    }

#ifndef Q_OS_WIN
    void autoStartEntry_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nHidden=true\n") << false;
        QTest::newRow("gnome off") << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n") << false;
        QTest::newRow("other group") << QByteArray("[Desktop Entry]\n[Desktop Action x]\nHidden=true\n") << true;
        QTest::newRow("before any group") << QByteArray("Hidden=true\n[Desktop Entry]\n") << true;
        QTest::newRow("relative config home, ignored for ~/.config") << QByteArray("[Desktop Entry]\n") << true;
    }
    // The switch follows the entry, also where the desktop switched it off; switching on writes it anew.
    void autoStartEntry()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, enabled);
        QTemporaryDir config;
        const bool relative = QByteArray(QTest::currentDataTag()).startsWith("relative");
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", config.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", relative ? QByteArray("config") : config.path().toUtf8());
        const QString entryFile =
            config.filePath(relative ? ".config/autostart/pemmora.desktop" : "autostart/pemmora.desktop");
        if (!entry.isNull()) {
            QDir().mkpath(QFileInfo(entryFile).path());
            QFile file(entryFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(entry);
        }
        QCOMPARE(AutoStart::isEnabled(), enabled);
        // The path is quoted for the shell, and % doubled for the entry's field codes.
        QCOMPARE(AutoStart::commandLine("/x/$HOME`id`\"q\\/%f"),
                 QStringLiteral("\"/x/\\$HOME\\`id\\`\\\"q\\\\/%%f\" -tray"));
        QString error;
        QVERIFY(AutoStart::setEnabled(true, QStringLiteral("/opt/my apps/100%"), &error));
        QVERIFY(AutoStart::isEnabled() && fileContents(entryFile).contains("\nExec=\"/opt/my apps/100%%\" -tray\n"));
        QVERIFY(AutoStart::setEnabled(false, QString(), &error));
        QVERIFY(!AutoStart::isEnabled() && !QFile::exists(entryFile));
        // An entry that cannot be written is a failure with its path, not a switch that says "on".
        QVERIFY(QDir().mkpath(entryFile) && !AutoStart::setEnabled(true, QString(), &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(entryFile)) && !AutoStart::isEnabled(), qPrintable(error));
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home);
    }
#endif
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
