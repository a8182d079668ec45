#pragma once

#include "platform/programfolders.h"
#include "platform/singleinstancelock.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// Process-wide settings and state, alive from before main() until after it returns.
class AppGlobals
{
public:
    static constexpr const char *Version = "1.0.2.1";
    static constexpr const char *VersionDate = "2024.05.19";
    static constexpr const char *ConfigFile = "src/config/config.ini";

    static QString softwareName;
    static QString programPath;
    static QString language;
    static QLocale locale;
    static SingleInstanceLock instanceLock;
    // Until start-up chose them: the current directory, laid out as a portable folder.
    static ProgramFolders folders;
    static int screenWidth;
    static int screenHeight;
    static int dpi;
    static int cycleLabelWidth;
    static bool showIconNoticeAlways;

    // Takes the folders as the program's (folders above), copies the delivered parts that become the user's own
    // (ownParts, "src/..." paths) into the user's data folder when installed and makes the data folder the current
    // directory: every relative path of the program resolves against it. Returns what could not be done, or
    // nothing.
    static QString enterDataFolder(const ProgramFolders &programFolders, const QStringList &ownParts);
};
