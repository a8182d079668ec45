#pragma once

#include <QCoreApplication>
#include <QString>

// Start at logon for the current user: a Run value in the registry on Windows, an XDG autostart entry
// elsewhere. Either way the program is started with "-tray".
class AutoStart
{
    Q_DECLARE_TR_FUNCTIONS(AutoStart)

public:
    // Elsewhere: the entry exists and the desktop has not switched it off (Hidden, GNOME's enabled key).
    static bool isEnabled();
    // False with the path and the reason when the entry could not be written or removed.
    static bool setEnabled(bool enabled, const QString &programFile, QString *error);
    // The command line written for the program file, as the platform stores it.
    static QString commandLine(const QString &programFile);

#ifndef Q_OS_WIN
    static QString entryPath();
#endif
};
