#pragma once

#include <QString>

// Start at logon for the current user: a Run value in the registry on Windows, an XDG autostart entry
// elsewhere. Either way the program is started with "-tray".
class AutoStart
{
public:
    // Elsewhere: the entry exists and the desktop has not switched it off (Hidden, GNOME's enabled key).
    static bool isEnabled();
    // Failures are ignored: the switch then shows the old state at the next start.
    static void setEnabled(bool enabled, const QString &programFile);
    // The command line written for the program file, as the platform stores it.
    static QString commandLine(const QString &programFile);

#ifndef Q_OS_WIN
    static QString entryPath();
#endif
};
