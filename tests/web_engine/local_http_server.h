#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

namespace kestrova {

/// A tiny HTTP/1.1 server on 127.0.0.1 that answers GET requests from a table of pages and
/// records every request target it receives.
class LocalHttpServer
{
public:
    LocalHttpServer();

    [[nodiscard]] bool start();
    void stop();
    [[nodiscard]] bool isListening() const { return m_server.isListening(); }
    /// "http://127.0.0.1:<port>", no trailing slash.
    [[nodiscard]] QString base() const;
    /// `path` has no query; a request with a query is answered by the page of its path.
    void setPage(const QString &path, const QByteArray &html);
    [[nodiscard]] const QStringList &requests() const { return m_requests; }

private:
    void accept();
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, QByteArray> m_pages;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QStringList m_requests;
};

} // namespace kestrova
