#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QUrl>
#include <functional>

// An HTTP server of the test's own on 127.0.0.1: each request, once whole, is answered with what answer makes
// of it, and the connection closed.
class CannedServer : public QTcpServer
{
public:
    explicit CannedServer(std::function<QByteArray(const QByteArray &request)> answer);
    // The server's root, "http://127.0.0.1:port/".
    QUrl url() const;
    // An answer with that status line, extra header lines (each ending in CRLF) and body.
    static QByteArray response(const QByteArray &status, const QByteArray &body, const QByteArray &headers = "");
};
