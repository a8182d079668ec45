#include "platform/singleinstancelock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QLockFile>
#endif

namespace {
const QByteArray ShowRequest = "show\n";
const QByteArray PingRequest = "ping\n";
const QByteArray Answer = "ok\n";
} // namespace

SingleInstanceLock::SingleInstanceLock() = default;

SingleInstanceLock::~SingleInstanceLock() = default;

QString SingleInstanceLock::serverName(const QString &key)
{
    return QStringLiteral("pemmora-") + key;
}

void SingleInstanceLock::release()
{
    // Closed first: closing removes the socket's name, which a restarted copy may already listen on.
    delete server;
    heldKey.clear();
#ifdef Q_OS_WIN
    memory.detach();
#else
    lockFile.reset();
#endif
}

bool SingleInstanceLock::listen(QObject *receiver, const std::function<void()> &onShow)
{
    if (heldKey.isEmpty())
        return false;
    delete server;
    server = new QLocalServer(QCoreApplication::instance());
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours, so a socket still there was left by a copy that crashed.
    QLocalServer::removeServer(serverName(heldKey));
    if (!server->listen(serverName(heldKey))) {
        delete server;
        return false;
    }
    QLocalServer *listening = server;
    QObject::connect(listening, &QLocalServer::newConnection, receiver, [listening, onShow]() {
        while (QLocalSocket *socket = listening->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onShow]() {
                if (!socket->canReadLine())
                    return;
                const bool show = socket->readLine() == ShowRequest;
                socket->write(Answer);
                socket->disconnectFromServer();
                if (show)
                    onShow();
            });
        }
    });
    return true;
}

bool SingleInstanceLock::requestShow(const QString &key, bool show, int timeoutMs)
{
#ifdef Q_OS_WIN
    // Windows lets only the program the user just started bring a window to the front; pass that on.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    QLocalSocket socket;
    socket.connectToServer(serverName(key));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(show ? ShowRequest : PingRequest);
    return socket.waitForBytesWritten(timeoutMs) && socket.waitForReadyRead(timeoutMs) &&
           socket.readAll().startsWith(Answer);
}

QString SingleInstanceLock::keyFor(const QString &directory)
{
    return QString::fromLatin1(QCryptographicHash::hash(directory.toUtf8(), QCryptographicHash::Sha1).toHex());
}

#ifdef Q_OS_WIN

SingleInstanceLock::Result SingleInstanceLock::acquire(const QString &key)
{
    memory.setKey(key);
    if (memory.attach(QSharedMemory::ReadWrite))
        return HeldElsewhere;
    if (!memory.create(1, QSharedMemory::ReadWrite)) {
        failureText = tr("无法创建共享内存 %1：%2").arg(key, memory.errorString());
        return Failed;
    }
    heldKey = key;
    return Acquired;
}

#else

SingleInstanceLock::Result SingleInstanceLock::acquire(const QString &key)
{
    const QString path = QDir(QDir::tempPath()).absoluteFilePath(key + QStringLiteral(".lock"));
    lockFile = std::make_unique<QLockFile>(path);
    // Only a dead owner makes a lock stale; a long-running copy keeps its lock however old it is.
    lockFile->setStaleLockTime(0);
    if (lockFile->tryLock(0)) {
        heldKey = key;
        return Acquired;
    }
    const QLockFile::LockError error = lockFile->error();
    lockFile.reset();
    if (error == QLockFile::LockFailedError)
        return HeldElsewhere;
    failureText = tr("无法创建锁文件 %1：%2")
                      .arg(QDir::toNativeSeparators(path),
                           error == QLockFile::PermissionError ? tr("没有写入权限") : tr("无法在这个文件夹中创建文件"));
    return Failed;
}

#endif
