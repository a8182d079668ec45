#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

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
        const auto placeholders = [](const QString &text) {
            QSet<QString> found;
            for (auto it = QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text); it.hasNext();)
                found.insert(it.next().captured());
            return found;
        };
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
                QVERIFY2(finished && !text.trimmed().isEmpty() && placeholders(text) == placeholders(source),
                         qPrintable(source));
                ++count;
            }
        }
        QVERIFY2(!xml.hasError() && count > 300, qPrintable(xml.errorString()));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
