#include "local_http_server.h"

#include <QTcpSocket>

namespace kestrova {

LocalHttpServer::LocalHttpServer()
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
}

bool LocalHttpServer::start()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void LocalHttpServer::stop()
{
    m_server.close();
    for (QTcpSocket *socket : m_pending.keys())
        socket->abort();
    m_pending.clear();
}

QString LocalHttpServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void LocalHttpServer::setPage(const QString &path, const QByteArray &html)
{
    m_pages.insert(path, html);
}

void LocalHttpServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        m_pending.insert(socket, {});
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            answer(socket);
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void LocalHttpServer::answer(QTcpSocket *socket)
{
    QByteArray &received = m_pending[socket];
    received += socket->readAll();
    if (!received.contains("\r\n\r\n"))
        return;
    // "GET /target HTTP/1.1": only the target matters here.
    const QList<QByteArray> requestLine = received.left(received.indexOf("\r\n")).split(' ');
    received.clear();
    const QString target = QString::fromLatin1(requestLine.value(1));
    m_requests.append(target);

    const QString path = target.section(QLatin1Char('?'), 0, 0);
    const auto page = m_pages.constFind(path);
    const bool found = page != m_pages.constEnd();
    const QByteArray body = found ? *page : QByteArray("<html><body>not here</body></html>");
    QByteArray response = found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
    response += "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                "Connection: close\r\nContent-Length: "
                + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    socket->write(response);
    socket->disconnectFromHost();
}

} // namespace kestrova
