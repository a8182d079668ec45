#include <QDir>
#include <QRegularExpression>
#include <QTest>

// The program's folders from the top layer down: a file includes from its own layer and the layers below.
const QList<QStringList> Layers = {
    {"app"},
    {"sync"},
    {"tasks", "birthdays", "vault", "icons", "notices", "calendar"},
    {"widgets"},
    {"data", "upgrader"},
    {"models", "platform"},
};

class TestLayers : public QObject
{
    Q_OBJECT

private slots:
    // An include of a higher layer, or of a folder without a layer, is listed as "file -> folder".
    void includesPointDown()
    {
        QHash<QString, int> layerOf;
        for (int layer = 0; layer < Layers.size(); ++layer)
            for (const QString &folder : Layers.at(layer))
                layerOf.insert(folder, layer);
        const QRegularExpression include(QStringLiteral("^#include \"(\\w+)/"), QRegularExpression::MultilineOption);
        const QDir root(QStringLiteral(PEMMORA_SOURCE_DIR));
        QStringList wrong;
        for (auto folder = layerOf.cbegin(); folder != layerOf.cend(); ++folder) {
            const QDir dir(root.filePath(folder.key()));
            QVERIFY2(dir.exists(), qPrintable(folder.key()));
            for (const QString &name : dir.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files)) {
                QFile file(dir.filePath(name));
                QVERIFY(file.open(QIODevice::ReadOnly));
                auto found = include.globalMatch(QString::fromUtf8(file.readAll()));
                while (found.hasNext()) {
                    const QString target = found.next().captured(1);
                    if (layerOf.value(target, -1) < folder.value())
                        wrong.append(folder.key() + QLatin1Char('/') + name + QStringLiteral(" -> ") + target);
                }
            }
        }
        wrong.sort();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
