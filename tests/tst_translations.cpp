#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Entry
{
    QString context;
    QString source;
    QString translation;
    QString type;
};

QList<Entry> readCatalog(const QString &path)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entry = Entry{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            entries.append(entry);
        }
    }
    return xml.hasError() ? QList<Entry>() : entries;
}

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

QString catalogPath(const QString &language)
{
    return QStringLiteral(PEMMORA_SOURCE_DIR "/translations/%1.ts").arg(language);
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

    // Every text the sources ask for is translated, keeps its placeholders, and nothing is left over.
    void catalogs()
    {
        QFETCH(QString, language);
        const QList<Entry> entries = readCatalog(catalogPath(language));
        QVERIFY(entries.size() > 300);
        for (const Entry &entry : entries) {
            const QString where = entry.context + QStringLiteral(": ") + entry.source + ' ' + entry.type;
            QVERIFY2(entry.type.isEmpty() && !entry.translation.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(placeholders(entry.translation) == placeholders(entry.source), qPrintable(where));
        }

        QTemporaryDir dir;
        const QString fresh = dir.filePath(language + QStringLiteral(".ts"));
        QVERIFY(QFile::copy(catalogPath(language), fresh));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(PEMMORA_SOURCE_DIR));
        lupdate.start(QStringLiteral(PEMMORA_LUPDATE),
                      {"-no-obsolete", "-locations", "none", "-source-language", "zh_CN", "-target-language", language,
                       "app", "data", "tasks", "notices", "birthdays", "vault", "icons", "platform", "upgrader",
                       "forms", "-ts", fresh});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);

        auto keys = [](const QList<Entry> &entries) {
            QStringList list;
            for (const Entry &entry : entries)
                list.append(entry.context + QLatin1Char('\x1f') + entry.source);
            list.sort();
            return list;
        };
        QCOMPARE(keys(readCatalog(fresh)), keys(entries));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
