#include "common/cannedserver.h"

#include <QRegularExpression>
#include <QTcpSocket>

CannedServer::CannedServer(std::function<QByteArray(const QByteArray &)> answer)
{
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this, answer]() {
        QTcpSocket *socket = nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket, answer]() {
            const QByteArray in = socket->peek(socket->bytesAvailable());
            const QRegularExpression length("Content-Length: *(\\d+)", QRegularExpression::CaseInsensitiveOption);
            if (!in.contains("\r\n\r\n") ||
                in.size() < in.indexOf("\r\n\r\n") + 4 + length.match(in).captured(1).toInt())
                return;
            socket->write(answer(socket->readAll())), socket->disconnectFromHost();
        });
    });
}

QUrl CannedServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()));
}

QByteArray CannedServer::response(const QByteArray &status, const QByteArray &body, const QByteArray &headers)
{
    return "HTTP/1.1 " + status + " X\r\n" + headers +
           "Connection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}
