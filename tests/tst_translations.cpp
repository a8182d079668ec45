#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QStringList placeholders(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void catalogs_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "en";
        QTest::newRow("zh_TW") << "zh_TW";
    }

    // Every text is translated, finished, and keeps its placeholders.
    void catalogs()
    {
        QFETCH(QString, language);
        QFile file(QStringLiteral(PEMMORA_SOURCE_DIR "/translations/%1.ts").arg(language));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString source;
        int count = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                QVERIFY2(finished && !text.trimmed().isEmpty(), qPrintable(source));
                QVERIFY2(placeholders(text) == placeholders(source), qPrintable(source));
                ++count;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(count > 300);
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
