#include "platform/programfolders.h"

#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

// Where the install puts the delivered parts and the upgrader, seen from the program's folder (the build
// passes them from its install directories).
#ifndef PEMMORA_DELIVERED_FROM_BIN
#define PEMMORA_DELIVERED_FROM_BIN "../share/pemmora"
#endif
#ifndef PEMMORA_UPGRADER_FROM_BIN
#define PEMMORA_UPGRADER_FROM_BIN "../libexec/pemmora"
#endif

namespace {

// Asked by writing: permissions alone do not tell (ACLs, read-only media, Windows folders under Program Files).
bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    return probe.open();
}

} // namespace

ProgramFolders ProgramFolders::choose(const QString &programDir, const QString &userDataDir)
{
    const QDir program(programDir);
    ProgramFolders folders;
    // A read-only copy of the portable layout still delivers its parts from its own src/.
    const bool ownSrc = QFileInfo(program.filePath(QStringLiteral("src"))).isDir();
    folders.deliveredDir =
        QDir::cleanPath(program.filePath(ownSrc ? QStringLiteral("src") : QStringLiteral(PEMMORA_DELIVERED_FROM_BIN)));
    folders.mode = ownSrc && canWriteIn(folders.deliveredDir) ? Portable : Installed;
    folders.dataDir = folders.mode == Portable ? QDir::cleanPath(programDir) : QDir::cleanPath(userDataDir);
#ifdef Q_OS_WIN
    const QString upgraderName = QStringLiteral("upgrade_database.exe");
#else
    const QString upgraderName = QStringLiteral("upgrade_database");
#endif
    const QString beside = program.filePath(upgraderName);
    folders.upgrader =
        QFileInfo::exists(beside)
            ? beside
            : QDir::cleanPath(program.filePath(QStringLiteral(PEMMORA_UPGRADER_FROM_BIN "/") + upgraderName));
    return folders;
}

ProgramFolders ProgramFolders::ofThisProgram()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationName));
    return choose(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString ProgramFolders::prepare(const QStringList &parts) const
{
    if (mode == Portable)
        return QString();
    if (!QDir().mkpath(dataDir))
        return tr("无法创建数据文件夹：%1").arg(QDir::toNativeSeparators(dataDir));
    const QDir data(dataDir);
    const QDir delivered(deliveredDir);
    for (const QString &part : parts) {
        // The delivered folder stands for src/.
        const QString source = delivered.filePath(part.section(QLatin1Char('/'), 1));
        if (!QFileInfo::exists(source))
            continue;
        const QString error = copyIfMissing(source, data.filePath(part));
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QString ProgramFolders::copyIfMissing(const QString &source, const QString &target)
{
    if (QFileInfo::exists(target))
        return QString();
    QDir().mkpath(QFileInfo(target).absolutePath());
    QString error;
    // Whole or not at all; a copy another start made meanwhile counts: it is the same delivered file.
    if (!SafeFile::copy(source, target, SafeFile::Check(), nullptr, &error) && !QFileInfo::exists(target))
        return error;
    // Delivered files are often read-only; the user's copy must take changes.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    return QString();
}
