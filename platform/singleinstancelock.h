#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#ifdef Q_OS_WIN
#include <QSharedMemory>
#else
class QLockFile;
#endif
class QLocalServer;
class QObject;

// One running copy per installation directory. On Windows a shared-memory segment named by the key;
// elsewhere a lock file, because a System V segment outlives a crashed process and would refuse every
// later start, while a lock file whose owner died is taken over. The running copy also listens on a local
// socket named by the key, so that a second start can ask it to show itself.
class SingleInstanceLock
{
    Q_DECLARE_TR_FUNCTIONS(SingleInstanceLock)

public:
    enum Result
    {
        Acquired,
        HeldElsewhere,
        Failed,
    };

    SingleInstanceLock();
    ~SingleInstanceLock();

    // Lower-case hexadecimal SHA-1 of the directory path in UTF-8 (Latin-1 would turn every Chinese
    // character into "?" and give different folders one key).
    static QString keyFor(const QString &directory);

    Result acquire(const QString &key);
    // Why acquire() failed, with the lock's name.
    const QString &failure() const { return failureText; }
    // Lets a restarted copy take over before this one has quit.
    void release();

    // While the lock is held: a later start from the same directory asking to be shown calls onShow, as
    // long as receiver lives. Returns false when nothing could listen.
    bool listen(QObject *receiver, const std::function<void()> &onShow);
    // From a second start: asks the running copy to show itself, or only whether it answers. False when it
    // did not answer within the time.
    static bool requestShow(const QString &key, bool show, int timeoutMs = 3000);

private:
    static QString serverName(const QString &key);

    QString heldKey;
    QString failureText;
    QPointer<QLocalServer> server;
#ifdef Q_OS_WIN
    QSharedMemory memory;
#else
    std::unique_ptr<QLockFile> lockFile;
#endif
};
