#include "support/LocalHttpServer.h"

#include <QFile>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

LocalHttpServer::LocalHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            s->setParent(this);
            connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
        }
    });
    if (!server_.listen(QHostAddress::LocalHost))
        qFatal("local HTTP server not listening: %s", qPrintable(server_.errorString()));
}

LocalHttpServer::~LocalHttpServer() = default;

QString LocalHttpServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void LocalHttpServer::answer(const QString& path, const LocalResponse& response) {
    routes_.insert(path, response);
}

void LocalHttpServer::file(const QString& path, const QString& fixture, const QByteArray& contentType) {
    QFile f(fixture);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("fixture not readable: %s", qPrintable(fixture));
    LocalResponse r;
    r.contentType = contentType;
    r.body = f.readAll();
    answer(path, r);
}

void LocalHttpServer::redirect(const QString& from, const QString& to, int status) {
    LocalResponse r;
    r.status = status;
    r.location = to.startsWith(u'/') ? (base() + to).toUtf8() : to.toUtf8();
    r.body = "moved";
    r.contentType = "text/plain";
    answer(from, r);
}

void LocalHttpServer::serve(QTcpSocket* socket) {
    // Requests one after the other on a kept-alive connection, as clients send them.
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    for (qsizetype end = pending.indexOf("\r\n\r\n"); end >= 0; end = pending.indexOf("\r\n\r\n")) {
        const QList<QByteArray> lines = pending.left(end).split('\n');
        pending.remove(0, end + 4);
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        ReceivedRequest request;
        QByteArray target = requestLine.value(1);
        if (const qsizetype q = target.indexOf('?'); q >= 0)
            target.truncate(q);
        request.path = QUrl::fromPercentEncoding(target);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        requests_ << request;
        LocalResponse response;
        if (const auto it = routes_.constFind(request.path); it != routes_.cend()) {
            response = *it;
        } else {
            response.status = 404;
            response.body = "<html><body>Not found</body></html>";
        }
        if (response.never)
            continue;
        if (response.delayMs > 0)
            QTimer::singleShot(response.delayMs, socket,
                               [this, socket, response] { respond(socket, response); });
        else
            respond(socket, response);
    }
    socket->setProperty("pending", pending);
}

void LocalHttpServer::respond(QTcpSocket* socket, const LocalResponse& r) {
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(r.status) + (r.status < 300 ? " OK" : " Status") + "\r\n";
    out += "Content-Type: " + r.contentType + "\r\n";
    if (!r.location.isEmpty())
        out += "Location: " + r.location + "\r\n";
    if (r.chunked) {
        out += "Transfer-Encoding: chunked\r\n\r\n";
        for (qsizetype at = 0; at < r.body.size(); at += 65536) {
            const QByteArray part = r.body.mid(at, 65536);
            out += QByteArray::number(part.size(), 16) + "\r\n" + part + "\r\n";
        }
        out += "0\r\n\r\n";
    } else {
        out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n" + r.body;
    }
    socket->write(out);
}
