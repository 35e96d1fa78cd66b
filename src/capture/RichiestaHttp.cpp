#include "capture/RichiestaHttp.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

constexpr qint64 kBufferLettura = 256 * 1024;

} // namespace

QByteArray AgenteCattura() {
    return QByteArrayLiteral("Quillaro/" QUILLARO_VERSION);
}

RichiestaHttp::RichiestaHttp(QNetworkAccessManager& rete, const QUrl& indirizzo, const QByteArray& accept,
                             const LimitiRichiesta& limiti, Fine fine)
    : rete_(rete), accept_(accept), limiti_(limiti), fine_(std::move(fine)),
      timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(),
                     [this] { interrompi(RispostaHttp::Esito::TempoScaduto); });
    // One time limit for the whole exchange, redirects included.
    timer_->start(limiti.millisecondi);
    invia(indirizzo);
}

void RichiestaHttp::invia(const QUrl& indirizzo) {
    QNetworkRequest richiesta(indirizzo);
    richiesta.setRawHeader("Accept", accept_);
    richiesta.setHeader(QNetworkRequest::UserAgentHeader, AgenteCattura());
    // Redirects are followed here, one by one: each is counted and looked at.
    richiesta.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // Nothing but the request: no cookie of an earlier answer goes with it, none is kept.
    richiesta.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    richiesta.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    richiesta.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    richiesta.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    corpo_.clear();
    reply_ = rete_.get(richiesta);
    QNetworkReply* r = reply_;
    // Qt's network thread reads ahead of this one: with its buffer capped, an endless answer waits in
    // the socket for us instead of piling up in memory, and the size limit holds.
    r->setReadBufferSize(kBufferLettura);
    const auto rimando = [r] {
        const int stato = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        return stato >= 300 && stato < 400;
    };
    // The size a server announces is refused before a byte of it is read.
    QObject::connect(r, &QNetworkReply::metaDataChanged, r, [this, r, rimando] {
        if (rimando())
            return;
        const QVariant lunghezza = r->header(QNetworkRequest::ContentLengthHeader);
        if (lunghezza.isValid() && lunghezza.toLongLong() > limiti_.byte)
            interrompi(RispostaHttp::Esito::TroppoGrande);
    });
    QObject::connect(r, &QNetworkReply::downloadProgress, r, [this, rimando](qint64 ricevuti, qint64) {
        if (!rimando() && ricevuti > limiti_.byte)
            interrompi(RispostaHttp::Esito::TroppoGrande);
    });
    QObject::connect(r, &QNetworkReply::readyRead, r, [this, r, rimando] {
        if (rimando()) {
            r->readAll();
            return;
        }
        corpo_ += r->readAll();
        if (corpo_.size() > limiti_.byte)
            interrompi(RispostaHttp::Esito::TroppoGrande);
    });
    QObject::connect(r, &QNetworkReply::finished, r, [this] { risposta(); });
}

void RichiestaHttp::risposta() {
    QNetworkReply* r = reply_;
    if (!r || interruzione_)
        return concludi();
    const int stato = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl verso = r->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (stato < 300 || stato >= 400 || verso.isEmpty())
        return concludi();
    const QUrl destinazione = r->url().resolved(verso);
    if (++salti_ > limiti_.reindirizzamenti)
        return interrompi(RispostaHttp::Esito::TroppiReindirizzamenti);
    const QString schema = destinazione.scheme().toLower();
    // A page may not send the program to a file or to another kind of address.
    if (schema != u"http" && schema != u"https")
        return interrompi(
            RispostaHttp::Esito::ErroreRete,
            QStringLiteral("rimando a %1 non seguito: non è un indirizzo web").arg(destinazione.toString()));
    reply_ = nullptr;
    r->disconnect();
    r->deleteLater();
    invia(destinazione);
}

RichiestaHttp::~RichiestaHttp() {
    if (conclusa_)
        return;
    conclusa_ = true;
    if (QNetworkReply* r = reply_) {
        r->disconnect();
        r->abort();
        r->deleteLater();
    }
}

void RichiestaHttp::annulla() {
    interrompi(RispostaHttp::Esito::Annullata);
}

void RichiestaHttp::interrompi(RispostaHttp::Esito motivo, const QString& dettaglio) {
    if (conclusa_ || interruzione_)
        return;
    interruzione_ = motivo;
    dettaglioInterruzione_ = dettaglio;
    if (reply_)
        reply_->abort();
    // abort() has finished the reply; a reply already gone leaves it to us.
    concludi();
}

void RichiestaHttp::concludi() {
    if (conclusa_)
        return;
    conclusa_ = true;
    timer_->stop();
    RispostaHttp risposta;
    QNetworkReply::NetworkError errore = QNetworkReply::NoError;
    if (QNetworkReply* r = reply_) {
        reply_ = nullptr;
        risposta.stato = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        risposta.tipo = r->rawHeader("Content-Type");
        risposta.indirizzoFinale = r->url();
        errore = r->error();
        risposta.dettaglio = r->errorString();
        if (!interruzione_)
            corpo_ += r->readAll();
        r->disconnect();
        r->deleteLater();
    }
    if (!dettaglioInterruzione_.isEmpty())
        risposta.dettaglio = dettaglioInterruzione_;
    if (interruzione_)
        risposta.esito = *interruzione_;
    else if (risposta.stato >= 300)
        risposta.esito = RispostaHttp::Esito::ErroreHttp; // an error, or a redirect that leads nowhere
    else if (risposta.stato >= 200 &&
             (errore == QNetworkReply::UnknownContentError || errore == QNetworkReply::ProtocolFailure))
        // The server answered, but with a body that cannot be decoded (a broken or runaway compression).
        risposta.esito = RispostaHttp::Esito::Illeggibile;
    else if (errore != QNetworkReply::NoError)
        risposta.esito = RispostaHttp::Esito::ErroreRete;
    else if (risposta.stato == 0)
        // A connection closed before any answer: nothing was read, whatever the layer says.
        risposta.esito = RispostaHttp::Esito::ErroreRete;
    else
        risposta.esito = RispostaHttp::Esito::Letta;
    if (risposta.esito == RispostaHttp::Esito::ErroreRete && risposta.dettaglio.isEmpty())
        risposta.dettaglio = QStringLiteral("connessione chiusa senza risposta");
    if (risposta.esito == RispostaHttp::Esito::Letta || risposta.esito == RispostaHttp::Esito::ErroreHttp)
        risposta.corpo = std::move(corpo_);
    // The caller may end this request in its answer: nothing of it is touched after.
    const Fine fine = std::move(fine_);
    if (fine)
        fine(risposta);
}
