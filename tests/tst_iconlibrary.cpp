#include "common/testprogramdir.h"
#include "icons/iconlibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestIconLibrary : public QObject
{
    Q_OBJECT

private slots:
    // Past 50 million pixels, also where width times height overflows an int.
    void tooLarge()
    {
        QVERIFY(IconLibrary::isTooLarge(QSize(10000, 5001)) && IconLibrary::isTooLarge(QSize(100000, 100000)));
        QVERIFY(!IconLibrary::isTooLarge(QSize(10000, 5000)));
    }

    void placeFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("sourceExists");
        QTest::addColumn<bool>("placed");
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
        const auto write = [](const QString &path, const QByteArray &content) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        };
        write(QStringLiteral("src/icon/blocked"), "a file where a folder should be");
        if (sourceExists)
            write(source, "new picture");
        if (targetExists)
            write(target, "old picture");
        QCOMPARE(IconLibrary::placeFile(source, target), placed);
        QCOMPARE(fileContents(target), QByteArray(placed ? "new picture" : targetExists ? "old picture" : ""));
        QCOMPARE(QFile::exists(source), !placed && sourceExists);
        QVERIFY(!QFile::exists(target + QStringLiteral(".old")));
    }
};

QTEST_MAIN(TestIconLibrary)
#include "tst_iconlibrary.moc"
