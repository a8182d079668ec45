#include "birthdays/chinesenumerals.h"

#include <QTest>

class TestChineseNumerals : public QObject
{
    Q_OBJECT

private slots:
    void yearText_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");

        const QLocale chinese(QLocale::Chinese, QLocale::AnyCountry);
        QTest::newRow("every digit") << 2035 << chinese << "二〇三五";
        QTest::newRow("zeros") << 1900 << chinese << "一九〇〇";
        QTest::newRow("simplified Chinese by name") << 2024 << QLocale(QStringLiteral("zh_CN")) << "二〇二四";
        QTest::newRow("English keeps digits") << 1994 << QLocale(QLocale::English, QLocale::UnitedStates) << "1994";
        QTest::newRow("traditional Chinese keeps digits")
            << 1994 << QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan) << "1994";
    }

    void yearText()
    {
        QFETCH(int, year);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(ChineseNumerals::yearText(year, locale), text);
    }
};

QTEST_GUILESS_MAIN(TestChineseNumerals)
#include "tst_chinesenumerals.moc"
