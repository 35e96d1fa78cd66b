#pragma once

// An HTTP/1.1 server on 127.0.0.1 for the tests of what talks to web services: it answers by path
// with recorded bodies, redirects, errors, late or endless answers, bodies sent in chunks, and
// keeps every request it received. Nothing leaves the machine.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

struct LocalResponse {
    int status = 200;
    QByteArray contentType = "text/html";
    QByteArray body;
    QByteArray location;  // a redirect's target
    int delayMs = 0;      // waits before answering
    bool never = false;   // never answers
    bool chunked = false; // no Content-Length: the body in chunks
};

struct ReceivedRequest {
    QString path;                         // percent-decoded, without the query
    QMap<QByteArray, QByteArray> headers; // names in lower case
};

class LocalHttpServer : public QObject {
public:
    LocalHttpServer();
    ~LocalHttpServer() override;

    // "http://127.0.0.1:<port>"
    QString base() const;

    // What a path answers (decoded, as "/doi/10.1393/ncc/i2016-16378-6"); other paths answer 404.
    void answer(const QString& path, const LocalResponse& response);
    // A file of the shared fixtures, byte for byte.
    void file(const QString& path, const QString& fixture, const QByteArray& contentType);
    void redirect(const QString& from, const QString& to, int status = 302);

    const QList<ReceivedRequest>& requests() const { return requests_; }

private:
    void serve(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const LocalResponse& r);

    QTcpServer server_;
    QHash<QString, LocalResponse> routes_;
    QList<ReceivedRequest> requests_;
};
