#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class SqlThread;

// The start-up sequence of the program, in the order it must happen.
class Startup
{
public:
    // Exit code of "database -v": the database version this program needs.
    static constexpr int VersionQueryExitCode = 2;

    // Exactly the two arguments "database" "-v".
    static bool isVersionQuery(int argc, const char *const *argv);
    // Exactly the one argument "-tray".
    static bool isTrayStart(const QStringList &arguments);

    // Reads the language from the settings file, stores it with its locale in AppGlobals and installs
    // the translators that load. Returns how many were installed.
    static int loadLanguage();
    static QLocale localeFor(const QString &code, const QLocale &fallback);

    // Creates the SQL worker on this thread (it opens the database here), moves it to a thread of its own,
    // wires it to the hub and starts that thread.
    static SqlThread *startSqlWorker();

    static int run(int &argc, char **argv);
};
