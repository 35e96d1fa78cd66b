#pragma once

// One GET of the capture: redirects followed up to a limit (http and https only), a time limit on
// the whole exchange, a size limit on the answer, no cookie kept or sent, the system's proxy.
// Nothing is sent but the request itself. The answer comes through the event loop, once.

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

struct LimitiRichiesta {
    int millisecondi = 10000;
    qint64 byte = 5 * 1024 * 1024;
    int reindirizzamenti = 5;
};

struct RispostaHttp {
    enum class Esito {
        Letta,
        ErroreHttp,
        ErroreRete,
        TempoScaduto,
        TroppoGrande,
        TroppiReindirizzamenti,
        Illeggibile, // answered, but its body could not be decoded
        Annullata
    };
    Esito esito = Esito::ErroreRete;
    int stato = 0;        // the HTTP status of the last answer
    QByteArray corpo;     // the answer's body (a read answer's only)
    QByteArray tipo;      // its Content-Type
    QUrl indirizzoFinale; // after the redirects
    QString dettaglio;    // the network layer's own words, for the support staff

    bool letta() const { return esito == Esito::Letta; }
};

class RichiestaHttp {
public:
    using Fine = std::function<void(const RispostaHttp&)>;

    // Starts at once; `fine` is called once: from the event loop, or from annulla(). It may
    // destroy this object.
    RichiestaHttp(QNetworkAccessManager& rete, const QUrl& indirizzo, const QByteArray& accept,
                  const LimitiRichiesta& limiti, Fine fine);
    ~RichiestaHttp();
    RichiestaHttp(const RichiestaHttp&) = delete;
    RichiestaHttp& operator=(const RichiestaHttp&) = delete;

    // The answer becomes Annullata; nothing more is read.
    void annulla();

private:
    void invia(const QUrl& indirizzo);
    // An answer has come: a redirect is followed, anything else ends the request.
    void risposta();
    void interrompi(RispostaHttp::Esito motivo, const QString& dettaglio = {});
    void concludi();

    QNetworkAccessManager& rete_;
    QByteArray accept_;
    LimitiRichiesta limiti_;
    Fine fine_;
    QPointer<QNetworkReply> reply_;
    std::unique_ptr<QTimer> timer_;
    QByteArray corpo_;
    std::optional<RispostaHttp::Esito> interruzione_;
    QString dettaglioInterruzione_;
    int salti_ = 0; // redirects followed
    bool conclusa_ = false;
};

// The User-Agent the capture sends: the program and its version.
QByteArray AgenteCattura();
