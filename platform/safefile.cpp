#include "platform/safefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// The file a write replaces: a symbolic link is followed, so that the link itself stays.
QString resolved(const QString &target)
{
    QString path = QFileInfo(target).absoluteFilePath();
    for (int depth = 0; depth < 16 && QFileInfo(path).isSymLink(); ++depth)
        path = QFileInfo(path).symLinkTarget();
    return path;
}

bool flushToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// A rename is durable only once its folder is.
void flushFolder(const QString &file)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(file)
#endif
}

bool replace(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// Unbuffered: every write reaches the system at once and reports its own failure.
bool openTemporary(const QString &target, QFile *file, QString *reason)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        file->setFileName(SafeFile::temporaryPath(target));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (QFileInfo::exists(target))
                file->setPermissions(QFileInfo(target).permissions());
            return true;
        }
        if (!QFileInfo::exists(file->fileName()))
            break;
    }
    *reason = file->errorString();
    return false;
}

bool writeChunk(QFile &file, const QByteArray &chunk, QString *reason)
{
    if (file.write(chunk) == chunk.size())
        return true;
    *reason = file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string();
    return false;
}

// Flushes the temporary file to disk, checks its size and the caller's check, and gives it target's name.
bool finish(QFile &file, qint64 size, const SafeFile::Check &check, const QString &target, QString *reason)
{
    const QString temporary = file.fileName();
    const bool flushed = file.flush() && flushToDisk(file);
    if (!flushed)
        *reason = qt_error_string();
    file.close();
    const qint64 written = QFileInfo(temporary).size();
    bool ok = flushed;
    if (ok && size >= 0 && written != size) {
        *reason = SafeFile::tr("写入后只有 %1 字节，应有 %2 字节").arg(written).arg(size);
        ok = false;
    }
    if (ok && check)
        ok = check(temporary, reason);
    if (ok && !replace(temporary, target)) {
        *reason = qt_error_string();
        ok = false;
    }
    if (!ok) {
        QFile::remove(temporary);
        return false;
    }
    flushFolder(target);
    return true;
}

bool regularOrNew(const QString &target, QString *error)
{
    const QFileInfo info(target);
    if (!info.exists() || info.isFile())
        return true;
    *error = SafeFile::tr("%1 不是普通文件，没有写入。").arg(shown(target));
    return false;
}

} // namespace

QString SafeFile::temporaryPath(const QString &target)
{
    QString path;
    do {
        path = QStringLiteral("%1.%2%3")
                   .arg(target)
                   .arg(QRandomGenerator::global()->bounded(0x1000000), 6, 16, QLatin1Char('0'))
                   .arg(QLatin1String(PartSuffix));
    } while (QFileInfo::exists(path) || QFileInfo(path).isSymLink());
    return path;
}

bool SafeFile::write(const QString &target, const QByteArray &bytes, QString *error)
{
    const QString path = resolved(target);
    if (!regularOrNew(path, error))
        return false;
    QFile file;
    QString reason;
    if (!openTemporary(path, &file, &reason) || !writeChunk(file, bytes, &reason) ||
        !finish(file, bytes.size(), Check(), path, &reason)) {
        if (file.isOpen()) {
            file.close();
            QFile::remove(file.fileName());
        }
        *error = tr("无法写入 %1：%2").arg(shown(target), reason);
        return false;
    }
    return true;
}

bool SafeFile::copy(const QString &source, const QString &target, const Check &check, QByteArray *hash, QString *error)
{
    const QString path = resolved(target);
    if (!regularOrNew(path, error))
        return false;
    QFile in(source);
    QFile file;
    QString reason;
    QCryptographicHash sum(QCryptographicHash::Sha256);
    bool ok = in.open(QIODevice::ReadOnly);
    if (!ok)
        reason = in.errorString();
    ok = ok && openTemporary(path, &file, &reason);
    qint64 copied = 0;
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (in.error() != QFileDevice::NoError) {
            reason = in.errorString();
            ok = false;
        } else {
            sum.addData(chunk);
            copied += chunk.size();
            ok = writeChunk(file, chunk, &reason);
        }
    }
    // A source that changed size while it was read is no faithful copy.
    if (ok && copied != in.size()) {
        reason = tr("复制时源文件变了");
        ok = false;
    }
    ok = ok && finish(file, copied, check, path, &reason);
    if (!ok) {
        if (file.isOpen()) {
            file.close();
            QFile::remove(file.fileName());
        }
        *error = tr("无法把 %1 复制到 %2：%3").arg(shown(source), shown(target), reason);
        return false;
    }
    if (hash)
        *hash = sum.result().toHex();
    return true;
}

bool SafeFile::commit(const QString &temporary, const QString &target, const Check &check, QString *error)
{
    QFile file(temporary);
    QString reason;
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        reason = file.errorString();
        QFile::remove(temporary);
    } else if (finish(file, -1, check, resolved(target), &reason)) {
        return true;
    }
    *error = tr("无法写入 %1：%2").arg(shown(target), reason);
    return false;
}

int SafeFile::removeLeftovers(const QString &folder)
{
    const QDir dir(folder);
    int removed = 0;
    // A database's journal ends in "-journal" after the temporary file's name.
    const QString part = QLatin1Char('*') + QLatin1String(PartSuffix);
    for (const QString &name : dir.entryList({part, part + QStringLiteral("-*")}, QDir::Files))
        removed += QFile::remove(dir.filePath(name)) ? 1 : 0;
    return removed;
}
