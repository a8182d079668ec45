#include "app/configsettings.h"
#include "common/testprogramdir.h"

#include <QFile>
#include <QTest>

namespace {

bool writeConfig(const QByteArray &text)
{
    QFile file(QStringLiteral("src/config/config.ini"));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace

class TestConfigSettings : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWithoutFile()
    {
        TestProgramDir dir;
        ConfigSettings settings;
        QCOMPARE(settings.language(), QStringLiteral("zh_CN"));
        QVERIFY(settings.defaultTaskNames().isEmpty());
        QVERIFY(settings.softwareName().isEmpty());
        // Reading never creates the file.
        QVERIFY(!QFile::exists(QStringLiteral("src/config/config.ini")));
    }

    void defaultTaskNames_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("keys 0 and 5, utf-8")
            << QByteArray("[DefaultTaskNames]\nname5=\xe5\x96\x9d\xe6\xb0\xb4\nname0=stand up\n")
            << QStringList{"stand up", "喝水"};
        QTest::newRow("beyond 23 ignored")
            << QByteArray("[DefaultTaskNames]\nname23=last\nname24=never\n") << QStringList{"last"};
        QTest::newRow("other group") << QByteArray("[TaskNames]\nname0=x\n") << QStringList();
        QTest::newRow("empty value kept") << QByteArray("[DefaultTaskNames]\nname1=\n") << QStringList{""};
    }

    void defaultTaskNames()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, names);
        TestProgramDir dir;
        QVERIFY(writeConfig(ini));
        QCOMPARE(ConfigSettings().defaultTaskNames(), names);
    }

    void languageCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("index");
        QTest::newRow("simplified") << "zh_CN" << 0;
        QTest::newRow("traditional") << "zh_TW" << 1;
        QTest::newRow("english") << "en" << 2;
        QTest::newRow("unknown") << "fr" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void languageCodes()
    {
        QFETCH(QString, code);
        QFETCH(int, index);
        QCOMPARE(ConfigSettings::languageIndex(code), index);
        if (index != 0 || code == QLatin1String("zh_CN"))
            QCOMPARE(ConfigSettings::languageCode(index), code);
    }
};

QTEST_GUILESS_MAIN(TestConfigSettings)
#include "tst_configsettings.moc"
