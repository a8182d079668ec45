#include "common/testprogramdir.h"
#include "platform/autostart.h"
#include "platform/singleinstancelock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    // One copy per installation directory: other directories have other keys.
    void lockIsExclusiveUntilReleased()
    {
        const QString key = SingleInstanceLock::keyFor(QTemporaryDir().path());
        QVERIFY(key != SingleInstanceLock::keyFor(QTemporaryDir().path()));
        QVERIFY(SingleInstanceLock::keyFor(QStringLiteral("/opt/安装甲")) !=
                SingleInstanceLock::keyFor(QStringLiteral("/opt/安装乙")));
        SingleInstanceLock first, second, elsewhere;
        QCOMPARE(first.acquire(key), SingleInstanceLock::Acquired);
        QCOMPARE(second.acquire(key), SingleInstanceLock::HeldElsewhere);
        QCOMPARE(elsewhere.acquire(key + QLatin1Char('x')), SingleInstanceLock::Acquired);
        first.release();
        QCOMPARE(second.acquire(key), SingleInstanceLock::Acquired);
        second.release();
        elsewhere.release();
    }

#ifndef Q_OS_WIN
    void autoStartCommandLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("command");
        QTest::newRow("space") << QStringLiteral("/home/a b/pemmora") << "\"/home/a b/pemmora\" -tray";
        QTest::newRow("shell characters")
            << QStringLiteral("/x/$HOME`id`\"q\\/p") << "\"/x/\\$HOME\\`id\\`\\\"q\\\\/p\" -tray";
        QTest::newRow("percent") << QStringLiteral("/opt/100%/%f") << "\"/opt/100%%/%%f\" -tray";
    }

    void autoStartCommandLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, command);
        QCOMPARE(AutoStart::commandLine(program), command);
    }

    void autoStartEntry_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("plain") << QByteArray("[Desktop Entry]\nExec=p -tray\n") << true;
        QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nHidden=true\n") << false;
        QTest::newRow("not hidden") << QByteArray("[Desktop Entry]\nHidden=false\n") << true;
        QTest::newRow("gnome off") << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n") << false;
        QTest::newRow("other group") << QByteArray("[Desktop Entry]\n[Desktop Action x]\nHidden=true\n") << true;
    }

    // The switch follows the entry, also where the desktop switched it off; switching on writes it anew.
    void autoStartEntry()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, enabled);
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QCOMPARE(AutoStart::entryPath(), config.path() + QStringLiteral("/autostart/pemmora.desktop"));
        if (!entry.isNull()) {
            QDir().mkpath(config.filePath(QStringLiteral("autostart")));
            QFile file(AutoStart::entryPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(entry);
        }
        QCOMPARE(AutoStart::isEnabled(), enabled);

        AutoStart::setEnabled(true, QStringLiteral("/opt/my apps/pemmora"));
        QVERIFY(AutoStart::isEnabled());
        const QStringList lines = QString::fromUtf8(fileContents(AutoStart::entryPath())).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("[Desktop Entry]")));
        QVERIFY(lines.contains(QStringLiteral("Exec=\"/opt/my apps/pemmora\" -tray")));

        AutoStart::setEnabled(false, QString());
        QVERIFY(!AutoStart::isEnabled());
        QVERIFY(!QFile::exists(AutoStart::entryPath()));

        // A relative base directory is ignored.
        qputenv("XDG_CONFIG_HOME", "relative/config");
        QCOMPARE(AutoStart::entryPath(), QDir::homePath() + QStringLiteral("/.config/autostart/pemmora.desktop"));
        qunsetenv("XDG_CONFIG_HOME");
    }
#endif
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
