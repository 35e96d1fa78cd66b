#pragma once

// A home whose quillaro.ini points the DOI resolver and Crossref at a server on 127.0.0.1 that
// answers the recorded responses of the shared fixtures (metadata/) as the real services would:
// CSL-JSON after the resolver's redirect to the agency, Crossref's "works", pages as text/html.

#include "store/HomeFolder.h"
#include "support/LocalHttpServer.h"
#include "support/SharedFixtures.h"
#include "support/TestHome.h"

#include <QFile>

namespace capture_test {

inline QString metadati(const QString& nome) {
    return sharedFixture(QStringLiteral("metadata/") + nome);
}

class Servizi {
public:
    explicit Servizi(double secondi = 10) {
        QFile ini(t.home().settingsPath());
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("quillaro.ini not writable");
        ini.write(QStringLiteral("[services]\ndoi=%1/doi/\ncrossref=%1/api\ntimeout=%2\n")
                      .arg(server.base())
                      .arg(secondi)
                      .toUtf8());
        ini.close();
        t.state().settings = Settings::load(t.home());
    }

    // A DOI answered by the resolver with a redirect to its agency, which answers the record.
    void csl(const QString& doi, const QString& fixture) {
        const QString agenzia =
            QStringLiteral("/agency/") + QString::fromLatin1(QUrl::toPercentEncoding(doi));
        server.redirect(QStringLiteral("/doi/") + doi, agenzia, 302);
        server.file(QUrl::fromPercentEncoding(agenzia.toUtf8()), metadati(fixture),
                    "application/vnd.citationstyles.csl+json; charset=utf-8");
    }
    // A DOI the resolver does not know and Crossref's REST API answers.
    void crossref(const QString& doi, const QString& fixture) {
        server.file(QStringLiteral("/api/works/") + doi, metadati(fixture), "application/json");
    }
    void onix(const QString& doi, const QString& fixture) {
        server.file(QStringLiteral("/doi/") + doi, metadati(fixture),
                    "application/vnd.medra.onixdoi+xml;charset=UTF-8");
    }
    // A page; its address.
    QString pagina(const QString& fixture, const QByteArray& tipo = "text/html") {
        server.file(QStringLiteral("/pages/") + fixture, metadati(fixture), tipo);
        return server.base() + QStringLiteral("/pages/") + fixture;
    }

    LocalHttpServer server;
    TestHome t;
};

} // namespace capture_test
