#include "common/testprogramdir.h"
#include "icons/iconlibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestIconLibrary : public QObject
{
    Q_OBJECT

private slots:
    void tooLarge()
    {
        // Past 50 million pixels, also where width times height overflows an int.
        QVERIFY(IconLibrary::isTooLarge(QSize(10000, 5001)) && IconLibrary::isTooLarge(QSize(100000, 100000)));
        QVERIFY(!IconLibrary::isTooLarge(QSize(10000, 5000)));
    }

    void placeFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("sourceExists");
        QTest::addColumn<bool>("placed");
        QTest::newRow("new file") << "src/icon/task/1_a.png" << false << true << true;
        QTest::newRow("replaces the old file") << "src/icon/task/1_a.png" << true << true << true;
        QTest::newRow("missing source keeps the old file") << "src/icon/task/1_a.png" << true << false << false;
        QTest::newRow("folder blocked by a file") << "src/icon/blocked/1_a.png" << false << true << false;
    }

    void placeFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, targetExists);
        QFETCH(bool, sourceExists);
        QFETCH(bool, placed);
        TestProgramDir dir(false);
        QVERIFY(dir.isValid());
        const QString source = QString::fromLatin1(IconLibrary::ScratchPath);
        writeFile(QStringLiteral("src/icon/blocked"), "a file where a folder should be");
        if (sourceExists)
            writeFile(source, "new picture");
        if (targetExists)
            writeFile(target, "old picture");

        QCOMPARE(IconLibrary::placeFile(source, target), placed);
        if (placed) {
            QCOMPARE(fileContents(target), QByteArray("new picture"));
            QVERIFY(!QFile::exists(source));
        } else {
            QCOMPARE(fileContents(target), targetExists ? QByteArray("old picture") : QByteArray());
            QCOMPARE(QFile::exists(source), sourceExists);
        }
        QVERIFY(!QFile::exists(target + QStringLiteral(".old")));
    }
};

QTEST_MAIN(TestIconLibrary)
#include "tst_iconlibrary.moc"
