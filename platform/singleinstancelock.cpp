#include "platform/singleinstancelock.h"

#include <QCryptographicHash>
#include <QDir>

#ifndef Q_OS_WIN
#include <QLockFile>
#endif

SingleInstanceLock::SingleInstanceLock() = default;

SingleInstanceLock::~SingleInstanceLock() = default;

QString SingleInstanceLock::keyFor(const QString &directory)
{
    return QString::fromLatin1(QCryptographicHash::hash(directory.toLatin1(), QCryptographicHash::Sha1).toHex());
}

#ifdef Q_OS_WIN

SingleInstanceLock::Result SingleInstanceLock::acquire(const QString &key)
{
    memory.setKey(key);
    if (memory.attach(QSharedMemory::ReadWrite))
        return HeldElsewhere;
    return memory.create(1, QSharedMemory::ReadWrite) ? Acquired : Failed;
}

void SingleInstanceLock::release()
{
    memory.detach();
}

#else

SingleInstanceLock::Result SingleInstanceLock::acquire(const QString &key)
{
    lockFile = std::make_unique<QLockFile>(QDir(QDir::tempPath()).absoluteFilePath(key + QStringLiteral(".lock")));
    // Only a dead owner makes a lock stale; a long-running copy keeps its lock however old it is.
    lockFile->setStaleLockTime(0);
    if (lockFile->tryLock(0))
        return Acquired;
    const QLockFile::LockError error = lockFile->error();
    lockFile.reset();
    return error == QLockFile::LockFailedError ? HeldElsewhere : Failed;
}

void SingleInstanceLock::release()
{
    lockFile.reset();
}

#endif
