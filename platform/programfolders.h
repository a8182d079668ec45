#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Where the user's data lives and where the program reads what it was delivered with, chosen at start.
// Portable: the program's folder holds a writable src/ (the build's run tree, a copied folder); everything
// stays there. Installed: the program's folder is not the user's to write (a system install, another user's
// or read-only copy); the data goes to the user's own data folder, one per user, and what never changes
// (translations, tile frames) is read from the install.
class ProgramFolders
{
    Q_DECLARE_TR_FUNCTIONS(ProgramFolders)

public:
    enum Mode
    {
        Portable,
        Installed,
    };

    // Names the user's data folder (QStandardPaths::AppDataLocation), whatever the executable is called.
    static constexpr const char *ApplicationName = "pemmora";
    // Search-path prefix of delivered files that are read in place: "delivered:icon/default/normal.png".
    static constexpr const char *DeliveredPrefix = "delivered";

    Mode mode = Portable;
    // Holds src/ with the database, its backups, the pictures and config.ini; the program's current directory.
    // The data folder keeps the src/ level, so the picture paths stored in the database hold in both modes.
    QString dataDir = QStringLiteral(".");
    // Laid out like src/: language/, icon/ and database/main.db as delivered; only read.
    QString deliveredDir = QStringLiteral("src");
    // The database upgrader: beside the program, or where the install put it.
    QString upgrader;

    // Portable when programDir holds a src/ folder this process can write to; otherwise installed, with the
    // data in userDataDir.
    static ProgramFolders choose(const QString &programDir, const QString &userDataDir);
    // The folders of the running program (it takes the application name above).
    static ProgramFolders ofThisProgram();

    // Installed: creates the data folder and copies each of parts (paths in it, "src/...") that is missing
    // there from the delivered folder. What is there stays. Returns what could not be done, or nothing.
    QString prepare(const QStringList &parts) const;
    // Copies source to target unless target exists. Returns the reason it failed, or nothing.
    static QString copyIfMissing(const QString &source, const QString &target);
};
