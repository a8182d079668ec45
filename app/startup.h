#pragma once

#include <QString>
#include <QStringList>

class SqlThread;

// The start-up sequence of the program, in the order it must happen.
class Startup
{
public:
    // Exit code of "database -v": the database version this program needs.
    static constexpr int VersionQueryExitCode = 2;

    // What the command line asks for; text is what to print for help, version and errors.
    struct CommandLine
    {
        enum Action
        {
            Run,
            Help,
            Version,
            VersionQuery,
            ExportIcs, // text is the file
            Error,
        };
        Action action = Run;
        bool tray = false;
        QString text;
    };
    // Exit code of an unknown option or argument.
    static constexpr int UsageExitCode = 2;

    // The arguments as given, program first: "database" "-v" exactly is the version query, "-tray" starts
    // in the tray, -h/--help and -v/--version print and exit; anything else is an error.
    static CommandLine parseCommandLine(const QStringList &arguments);

    // Removes the temporary files a copy killed while writing left in the program's data folders; run while
    // the single-instance lock is held, so that no other copy is writing them.
    static void removeLeftovers();

    // Gives the SQL worker every subsystem's store.
    static void addStores(SqlThread &worker);
    // Creates the SQL worker with its stores, moves it to a thread of its own, which opens the database,
    // wires it to the hub and starts that thread.
    static SqlThread *startSqlWorker();

    static int run(int &argc, char **argv);
};
