#pragma once

#include <QHash>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <string>

namespace kestrova::testing {

/// HTTP on 127.0.0.1: answers each GET with the page of its path (the query ignored), or what
/// `fallback` makes of the whole target, 404 without either; records every request target.
class LocalHttpServer : public QTcpServer
{
public:
    QHash<QString, QByteArray> pages;
    std::function<QByteArray(const QString &target)> fallback;
    QStringList requests;

    LocalHttpServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost, 0);
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(serverPort()); }

private:
    void answer(QTcpSocket *socket)
    {
        // The whole head is in once it ends with an empty line; "GET /target HTTP/1.1" starts it.
        const QByteArray head = socket->peek(socket->bytesAvailable());
        if (!head.contains("\r\n\r\n"))
            return;
        socket->readAll();
        const QString target = QString::fromLatin1(head.split(' ').value(1));
        requests.append(target);
        const QString path = target.section(QLatin1Char('?'), 0, 0);
        const bool found = pages.contains(path) || fallback;
        const QByteArray body = pages.contains(path) ? pages.value(path)
                                : fallback       ? fallback(target)
                                                 : QByteArray();
        socket->write((found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                      QByteArray("\r\nContent-Type: text/html; charset=utf-8\r\n"
                                 "Cache-Control: no-store\r\nConnection: close\r\n"
                                 "Content-Length: ") +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }
};

} // namespace kestrova::testing
