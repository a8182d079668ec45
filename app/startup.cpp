#include "app/startup.h"

#include "app/globalapplication.h"
#include "app/mainwindow.h"
#include "birthdays/birthdaystore.h"
#include "calendar/calendarexport.h"
#include "data/appglobals.h"
#include "data/backupstore.h"
#include "data/databasebackup.h"
#include "data/interfacepublicdata.h"
#include "data/language.h"
#include "data/sqlthread.h"
#include "icons/iconlibrary.h"
#include "icons/iconstore.h"
#include "notices/noticestore.h"
#include "platform/programfolders.h"
#include "platform/safefile.h"
#include "sync/syncstore.h"
#include "tasks/taskstore.h"
#include "upgrader/databaseupgrader.h"
#include "vault/vaultstore.h"
#include "widgets/buttonpaddingstyle.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QThread>
#include <cstdio>

Startup::CommandLine Startup::parseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("database") &&
        arguments.at(2) == QLatin1String("-v")) {
        result.action = CommandLine::VersionQuery;
        return result;
    }

    // Parsed before any window exists, so that --help works without a display (the parser's own help text
    // would need the application object). Texts for the terminal are English: the translations load only
    // later, from the program directory.
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QString usage =
        QStringLiteral("Usage: %1 [-tray]\n"
                       "Tasks, birthdays and an account vault, with reminders when something is due.\n"
                       "\n"
                       "Options:\n"
                       "  -tray          Start hidden in the system tray.\n"
                       "  --export-ics FILE  Write the coming birthdays and the pending tasks to an iCalendar\n"
                       "                 file (\"-\": standard output) and exit.\n"
                       "  -h, --help     Show this help.\n"
                       "  -v, --version  Show the name and version.\n"
                       "\n"
                       "\"%1 database -v\" exits with the database version the program needs.\n")
            .arg(program);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption tray(QStringLiteral("tray"));
    const QCommandLineOption exportIcs(QStringLiteral("export-ics"), QString(), QStringLiteral("FILE"));
    parser.addOptions({tray, help, version, exportIcs});
    // Qt's own options (-platform, -style, -session from a session manager ...) are left to Qt.
    const QStringList qtValueOptions = {
        "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
        "display",     "geometry",           "name",          "title",  "qmljsdebugger"};
    const QStringList qtFlagOptions = {"reverse", "widgetcount", "sync", "nograb", "dograb"};
    for (const QString &name : qtValueOptions + qtFlagOptions) {
        QCommandLineOption option(name);
        if (qtValueOptions.contains(name))
            option.setValueName(QStringLiteral("value"));
        parser.addOption(option);
    }

    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Error;
        const QString error =
            parser.errorText().isEmpty()
                ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
                : parser.errorText();
        result.text = error + QStringLiteral("\n\n") + usage;
    } else if (parser.isSet(help)) {
        result.action = CommandLine::Help;
        result.text = usage;
    } else if (parser.isSet(exportIcs)) {
        result.action = CommandLine::ExportIcs;
        result.text = parser.value(exportIcs);
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Version;
        result.text = QStringLiteral("%1 %2 (%3)\n")
                          .arg(AppGlobals::softwareName, QLatin1String(AppGlobals::Version),
                               QLatin1String(AppGlobals::VersionDate));
    } else {
        result.tray = parser.isSet(tray);
    }
    return result;
}

void Startup::removeLeftovers()
{
    const QString database = QString::fromLatin1(SqlThread::DatabasePath);
    const QStringList folders = {QFileInfo(database).path(),
                                 DatabaseBackup::folderOf(database),
                                 QFileInfo(QString::fromLatin1(AppGlobals::ConfigFile)).path(),
                                 QFileInfo(QString::fromLatin1(IconLibrary::ScratchPath)).path(),
                                 IconLibrary::directory(IconLibrary::KindTask),
                                 IconLibrary::directory(IconLibrary::KindBirthday)};
    for (const QString &folder : folders)
        SafeFile::removeLeftovers(folder);
}

void Startup::addStores(SqlThread &worker)
{
    SqlStatement &sql = worker.statement();
    worker.addStore(std::make_unique<TaskStore>(sql));
    worker.addStore(std::make_unique<NoticeStore>(sql));
    worker.addStore(std::make_unique<BirthdayStore>(sql));
    worker.addStore(std::make_unique<VaultStore>(sql));
    worker.addStore(std::make_unique<IconStore>(sql));
    worker.addStore(std::make_unique<CalendarExport>(sql));
    worker.addStore(std::make_unique<BackupStore>(sql));
    worker.addStore(std::make_unique<SyncStore>(sql));
}

SqlThread *Startup::startSqlWorker()
{
    auto *sqlThread = new SqlThread(&DatabaseUpgrader::missingParts);
    addStores(*sqlThread);
    auto *workerThread = new QThread();
    sqlThread->moveToThread(workerThread);
    // Both run on the worker thread, before its first request and after its last.
    QObject::connect(workerThread, &QThread::started, sqlThread, &SqlThread::open, Qt::DirectConnection);
    QObject::connect(workerThread, &QThread::finished, sqlThread, &SqlThread::close, Qt::DirectConnection);
    interfacePublicData.connectWorker(sqlThread);
    workerThread->start(QThread::InheritPriority);
    return sqlThread;
}

int Startup::run(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = parseCommandLine(arguments);
    switch (command.action) {
    case CommandLine::VersionQuery:
        return VersionQueryExitCode;
    case CommandLine::Help:
    case CommandLine::Version:
        std::fputs(command.text.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Error:
        std::fputs(command.text.toLocal8Bit().constData(), stderr);
        return UsageExitCode;
    case CommandLine::ExportIcs:
        // No window and no single-instance lock: it only reads the database, also while a copy runs.
        return CalendarExport::runCommand(argc, argv, command.text);
    case CommandLine::Run:
        break;
    }

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    GlobalApplication app(argc, argv);
    // The program lives on in the tray: closing its last visible window (help, sources) must not end it.
    // It ends by its own quit: the tray's or window's exit, a closed window where no tray is, the session.
    QApplication::setQuitOnLastWindowClosed(false);

    AppGlobals::programPath = QString::fromLocal8Bit(argv[0]);
    // The delivered parts that become the user's own: the database, and the default pictures the user may replace.
    const QString folderError = AppGlobals::enterDataFolder(ProgramFolders::ofThisProgram(),
                                                            {QString::fromLatin1(SqlThread::DatabasePath),
                                                             IconLibrary::defaultPath(IconLibrary::KindTask),
                                                             IconLibrary::defaultPath(IconLibrary::KindBirthday)});
    if (!folderError.isEmpty()) {
        QMessageBox::critical(nullptr, QCoreApplication::translate("Startup", "错误"), folderError);
        return 1;
    }
    Language::load();

    // One running copy per data folder: per program folder when portable, per user when installed.
    const QString key = SingleInstanceLock::keyFor(AppGlobals::folders.dataDir);
    switch (AppGlobals::instanceLock.acquire(key)) {
    case SingleInstanceLock::HeldElsewhere:
        // The running copy comes to the front instead (a start for the tray leaves it where it is); the
        // message is for a copy that does not answer.
        if (!SingleInstanceLock::requestShow(key, !command.tray))
            QMessageBox::information(nullptr, QCoreApplication::translate("Startup", "程序已在运行"),
                                     AppGlobals::folders.mode == ProgramFolders::Portable
                                         ? QCoreApplication::translate("Startup", "同目录仅可运行一个程序")
                                         : QCoreApplication::translate("Startup", "每位用户仅可运行一个程序"),
                                     QMessageBox::Ok);
        return 0;
    case SingleInstanceLock::Failed:
        // Without the lock two copies could write one database.
        QMessageBox::critical(
            nullptr, QCoreApplication::translate("Startup", "无法启动"),
            QCoreApplication::translate("Startup", "无法确认同目录没有另一个程序在运行：\n%1\n\n程序将退出。")
                .arg(AppGlobals::instanceLock.failure()));
        return 1;
    case SingleInstanceLock::Acquired:
        break;
    }

#ifdef Q_OS_WIN
    // The designed font; elsewhere the desktop's own font stays.
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    QApplication::setFont(font);
#endif
    QApplication::setStyle(new ButtonPaddingStyle);

    registerRecordMetaTypes();
    removeLeftovers();

    QThread *workerThread = startSqlWorker()->thread();

    auto *window = new MainWindow();
    window->setLocale(AppGlobals::locale);
    AppGlobals::instanceLock.listen(window, [window]() { window->slotTrayMenuActReset(); });
    if (!command.tray)
        window->show();
    else if (!QSystemTrayIcon::isSystemTrayAvailable())
        // Without a tray there would be no way back to a hidden window.
        window->showMinimized();

    const int code = app.exec();
    delete window;
    // Let a running statement finish before the process tears down the hub it answers to.
    workerThread->quit();
    workerThread->wait();
    return code;
}
