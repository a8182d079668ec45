#include "app/startup.h"

#include "app/appglobals.h"
#include "app/calendarexport.h"
#include "app/configsettings.h"
#include "app/globalapplication.h"
#include "app/mainwindow.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"

#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTranslator>

bool Startup::isVersionQuery(int argc, const char *const *argv)
{
    return argc == 3 && qstrcmp(argv[1], "database") == 0 && qstrcmp(argv[2], "-v") == 0;
}

bool Startup::isTrayStart(const QStringList &arguments)
{
    return arguments.size() == 2 && arguments.at(1) == QLatin1String("-tray");
}

QLocale Startup::localeFor(const QString &code, const QLocale &fallback)
{
    if (code == QLatin1String("zh_CN") || code == QLatin1String("zh_TW"))
        return QLocale(QLocale::Chinese, QLocale::AnyCountry);
    if (code == QLatin1String("en"))
        return QLocale(QLocale::English, QLocale::AnyCountry);
    return fallback;
}

int Startup::loadLanguage()
{
    AppGlobals::language = ConfigSettings().language();
    AppGlobals::locale = localeFor(AppGlobals::language, AppGlobals::locale);
    if (AppGlobals::language.isEmpty())
        return 0;

    // Qt's own catalog first (standard dialogs), then the program's texts. A missing file leaves Chinese.
    int installed = 0;
    const QStringList files = {QStringLiteral("./src/language/qt_%1.qm").arg(AppGlobals::language),
                               QStringLiteral("./src/language/%1.qm").arg(AppGlobals::language)};
    for (const QString &file : files) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file) && QCoreApplication::installTranslator(translator))
            ++installed;
        else
            delete translator;
    }
    return installed;
}

SqlThread *Startup::startSqlWorker()
{
    auto *sqlThread = new SqlThread();
    auto *workerThread = new QThread();
    sqlThread->moveToThread(workerThread);
    const auto unique = static_cast<Qt::ConnectionType>(Qt::AutoConnection | Qt::UniqueConnection);
    QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, sqlThread,
                     &SqlThread::SLOTReceiveQuery, unique);
    QObject::connect(sqlThread, &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                     &InterfacePublicData::SIGNALReceiveQueryData, unique);
    workerThread->start(QThread::InheritPriority);
    return sqlThread;
}

int Startup::run(int &argc, char **argv)
{
    if (isVersionQuery(argc, argv))
        return VersionQueryExitCode;
    // No window and no single-instance lock: it only reads the database, also while a copy runs.
    if (CalendarExport::isCommand(argc, argv))
        return CalendarExport::run(argc, argv);

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    GlobalApplication app(argc, argv);

    QDir::setCurrent(QCoreApplication::applicationDirPath());
    AppGlobals::programPath = QString::fromLocal8Bit(argv[0]);
    loadLanguage();

    switch (AppGlobals::instanceLock.acquire(SingleInstanceLock::keyFor(QCoreApplication::applicationDirPath()))) {
    case SingleInstanceLock::HeldElsewhere:
        QMessageBox::information(nullptr, QCoreApplication::translate("Startup", "程序已在运行"),
                                 QCoreApplication::translate("Startup", "同目录仅可运行一个程序"), QMessageBox::Ok);
        return 0;
    case SingleInstanceLock::Failed:
        return 0;
    case SingleInstanceLock::Acquired:
        break;
    }

    const bool trayStart = isTrayStart(QCoreApplication::arguments());

    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    QApplication::setFont(font);

    registerRecordMetaTypes();

    QThread *workerThread = startSqlWorker()->thread();

    auto *window = new MainWindow();
    if (!trayStart) {
        window->setLocale(AppGlobals::locale);
        window->show();
    } else if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Without a tray there would be no way back to a hidden window.
        window->setLocale(AppGlobals::locale);
        window->showMinimized();
    }

    const int code = app.exec();
    delete window;
    // Let a running statement finish before the process tears down the hub it answers to.
    workerThread->quit();
    workerThread->wait();
    return code;
}
