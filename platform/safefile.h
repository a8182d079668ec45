#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>

// The one way a file is written or replaced: the new content goes to a temporary file beside the target,
// every write, the flush to disk and the size are checked (and the caller's own check, a database's
// quick_check), and only then does it take the target's name, after which the folder is flushed too. On
// failure the target and the source stay as they were, the temporary file goes, and the message names
// the paths and the reason. QSaveFile is not used: Qt 5.15 reports success when its last buffered write
// failed, and a full disk then leaves an empty file in place of a good one.
class SafeFile
{
    Q_DECLARE_TR_FUNCTIONS(SafeFile)

public:
    // Vets the complete temporary copy before it replaces the target; false with the reason.
    using Check = std::function<bool(const QString &temporary, QString *reason)>;

    // Ending of the temporary files; one left behind by a program that was killed is removed at the next start.
    static constexpr const char *PartSuffix = ".part";

    // Writes bytes to target: a regular file (a symbolic link is followed) or a new path. A folder, a pipe or a
    // device is refused and left untouched.
    static bool write(const QString &target, const QByteArray &bytes, QString *error);
    // Copies source to target the same way; *hash gets the hex SHA-256 of the bytes copied when given.
    static bool copy(const QString &source, const QString &target, const Check &check, QByteArray *hash,
                     QString *error);
    // Puts a complete file that another writer made (SQLite's VACUUM INTO) in target's place: flushed to disk,
    // checked, renamed. The temporary file is removed on failure.
    static bool commit(const QString &temporary, const QString &target, const Check &check, QString *error);

    // A free path beside target, ending in PartSuffix; nothing is created.
    static QString temporaryPath(const QString &target);
    // Removes the temporary files a killed program left in folder; how many went.
    static int removeLeftovers(const QString &folder);
};
