#pragma once

#include <QString>
#include <memory>

#ifdef Q_OS_WIN
#include <QSharedMemory>
#else
class QLockFile;
#endif

// One running copy per installation directory. On Windows a shared-memory segment named by the key;
// elsewhere a lock file, because a System V segment outlives a crashed process and would refuse every
// later start, while a lock file whose owner died is taken over.
class SingleInstanceLock
{
public:
    enum Result
    {
        Acquired,
        HeldElsewhere,
        Failed,
    };

    SingleInstanceLock();
    ~SingleInstanceLock();

    // Lower-case hexadecimal SHA-1 of the directory path in Latin-1.
    static QString keyFor(const QString &directory);

    Result acquire(const QString &key);
    // Lets a restarted copy take over before this one has quit.
    void release();

private:
#ifdef Q_OS_WIN
    QSharedMemory memory;
#else
    std::unique_ptr<QLockFile> lockFile;
#endif
};
