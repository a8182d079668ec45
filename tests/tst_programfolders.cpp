#include "common/testprogramdir.h"
#include "platform/programfolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QStringList Parts = {"src/database/main.db", "src/icon/task/default.png", "src/icon/birthday/default.png"};

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(contents) > 0;
}
} // namespace

class TestProgramFolders : public QObject
{
    Q_OBJECT

private slots:
    // The program's folder decides the mode; an installed program fills the user's data folder with what is
    // missing there, read-only delivered files become the user's to change, and the user's own stay.
    void chooseAndPrepare_data()
    {
        QTest::addColumn<QString>("programSrc");
        QTest::addColumn<bool>("dataExists");
        QTest::addColumn<bool>("portable");
        QTest::newRow("run tree") << "writable" << false << true;
        QTest::newRow("system install, first start") << "none" << false << false;
        QTest::newRow("system install, data there") << "none" << true << false;
        QTest::newRow("read-only copy") << "read-only" << false << false;
    }
    void chooseAndPrepare()
    {
        QFETCH(QString, programSrc);
        QFETCH(bool, dataExists);
        QFETCH(bool, portable);
        QTemporaryDir root;
        const QString bin = root.filePath("prefix/bin"), user = root.filePath("home/pemmora");
        const QString delivered = programSrc == "none" ? root.filePath("prefix/share/pemmora") : bin + "/src";
        QVERIFY(QDir().mkpath(bin));
        // A portable layout has the upgrader beside the program, an install keeps it elsewhere.
        if (programSrc != "none")
            QVERIFY(writeFile(bin + "/upgrade_database", "x"));
        for (const QString &part : Parts) {
            const QString file = delivered + part.mid(3);
            QVERIFY(writeFile(file, "delivered " + part.toLatin1()));
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        }
        // The user's own database and task picture, the birthday picture still missing.
        for (int i = 0; dataExists && i < 2; ++i)
            QVERIFY(writeFile(user + "/" + Parts[i], "mine " + Parts[i].toLatin1()));
        if (programSrc == "read-only") {
            QVERIFY(QFile::setPermissions(delivered, QFile::ReadOwner | QFile::ExeOwner));
            if (writeFile(delivered + "/probe", "x"))
                QSKIP("this process writes into read-only folders");
        }

        const ProgramFolders folders = ProgramFolders::choose(bin, user);
        QCOMPARE(folders.mode == ProgramFolders::Portable, portable);
        QCOMPARE(folders.dataDir, portable ? bin : user);
        QCOMPARE(folders.deliveredDir, delivered);
        QCOMPARE(QFileInfo(folders.upgrader).path() == bin, programSrc != "none");
        QVERIFY(folders.prepare(Parts).isEmpty());
        QFile::setPermissions(delivered, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QFileInfo::exists(user), !portable);
        for (int i = 0; !portable && i < Parts.size(); ++i) {
            const QString copy = user + "/" + Parts[i];
            QCOMPARE(fileContents(copy), (dataExists && i < 2 ? "mine " : "delivered ") + Parts[i].toLatin1());
            QVERIFY(QFile::permissions(copy) & QFile::WriteOwner);
        }
    }
};

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "tst_programfolders.moc"
