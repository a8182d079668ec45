// upgrade_database: creates the delivered database (--create PATH), or, started by the program with
// -pemmo PROGRAM DATA_FOLDER, brings src/database/main.db in the data folder to the version the program needs
// and starts the program again. -pemmo alone works on the program and the data beside the upgrader.

#include "data/appglobals.h"
#include "data/language.h"
#include "platform/detachedprocess.h"
#include "platform/programfolders.h"
#include "upgrader/databaseupgrader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <cstdio>

namespace {

int createDatabase(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString error;
    if (!DatabaseUpgrader::create(QCoreApplication::arguments().at(2), &error)) {
        std::fprintf(stderr, "upgrade_database: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

int upgrade(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
#ifdef Q_OS_WIN
    const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/Pemmora.exe");
#else
    const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/pemmora");
#endif
    const QString programFile = arguments.size() == 4 ? arguments.at(2) : besideProgram;
    const QString dataFolder = arguments.size() == 4 ? arguments.at(3) : QCoreApplication::applicationDirPath();
    // The program prepared the data folder before it started the upgrader; the database is all it works on.
    const QString database = QStringLiteral("src/database/main.db");
    const QString folderError = AppGlobals::enterDataFolder(
        ProgramFolders::choose(QFileInfo(programFile).absolutePath(), dataFolder), {database});
    Language::load();

    const QString title = QCoreApplication::translate("DatabaseUpgrader", "数据库升级");
    if (!folderError.isEmpty()) {
        QMessageBox::critical(nullptr, title, folderError);
        return 1;
    }
    // The program answers "database -v" with the version it needs as its exit code.
    const int required = QProcess::execute(programFile, {QStringLiteral("database"), QStringLiteral("-v")});
    if (required <= 0) {
        QMessageBox::critical(nullptr, title,
                              QCoreApplication::translate("DatabaseUpgrader", "无法从程序 %1 获取所需的数据库版本。")
                                  .arg(QDir::toNativeSeparators(programFile)));
        return 1;
    }

    const DatabaseUpgrader::Result result = DatabaseUpgrader::upgrade(database, required);
    if (result.outcome == DatabaseUpgrader::Refused) {
        QMessageBox::critical(nullptr, title, result.message);
        return 1;
    }
    QString error;
    if (!DetachedProcess::start(programFile, QStringList(), &error)) {
        QMessageBox::warning(nullptr, title,
                             result.message + QStringLiteral("\n\n") + error + QStringLiteral("\n") +
                                 QCoreApplication::translate("DatabaseUpgrader", "请手动启动程序。"));
        return 1;
    }
    return 0;
}

void printUsage()
{
    std::fprintf(stderr, "usage: upgrade_database --create PATH\n"
                         "       upgrade_database -pemmo [PROGRAM DATA_FOLDER]\n");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--create") == 0)
        return createDatabase(argc, argv);
    if ((argc == 2 || argc == 4) && qstrcmp(argv[1], "-pemmo") == 0)
        return upgrade(argc, argv);
    printUsage();
    return 2;
}
