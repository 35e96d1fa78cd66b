#include "capture/Cattura.h"

#include "capture/LetturaPagina.h"
#include "capture/LetturaRecord.h"
#include "store/HomeFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QRegularExpression>
#include <QThreadPool>
#include <QTimer>
#include <vector>

namespace {

const QByteArray kAcceptCsl = QByteArrayLiteral("application/vnd.citationstyles.csl+json");
const QByteArray kAcceptJson = QByteArrayLiteral("application/json");
const QByteArray kAcceptPagina = QByteArrayLiteral("text/html,application/xhtml+xml;q=0.9,*/*;q=0.1");

QUrl indirizzoDoi(const QString& base, const QString& percorso, const QString& doi) {
    return QUrl(base + percorso + QString::fromLatin1(QUrl::toPercentEncoding(doi, "/")), QUrl::StrictMode);
}

QString host(const QString& base) {
    const QUrl u(base);
    return u.host().isEmpty() ? base : u.host();
}

QString secondi(int millisecondi) {
    const QLocale it(QLocale::Italian, QLocale::Italy);
    return millisecondi % 1000 == 0 ? QString::number(millisecondi / 1000)
                                    : it.toString(millisecondi / 1000.0, 'f', 1);
}

bool nonTrovato(const RispostaHttp& r) {
    return r.esito == RispostaHttp::Esito::ErroreHttp && (r.stato == 404 || r.stato == 410);
}

// A DOI service that answers 404 does not know the DOI: the service itself is there.
QString motivoDoi(const RispostaHttp& r, const QString& servizio, const LimitiRichiesta& limiti) {
    if (nonTrovato(r))
        return QStringLiteral("%1 non conosce il DOI (errore HTTP %2).").arg(servizio).arg(r.stato);
    return MotivoRisposta(r, servizio, limiti);
}

// A record in the answer, whatever the service chose to send: CSL-JSON or Crossref's JSON,
// mEDRA's ONIX, or the article's page where the agency answers no record.
// `servizio` names where it came from, `json` what its JSON is ("CSL-JSON", "works").
std::optional<MetadatiArticolo> recordDa(const RispostaHttp& r, const QString& servizio, const QString& json,
                                         bool ancheHtml) {
    if (SembraOnix(r.corpo))
        return LeggiOnix(r.corpo, QStringLiteral("%1, ONIX").arg(servizio));
    if (ancheHtml && SembraHtml(r.corpo, r.tipo)) {
        PaginaLetta p = LeggiPagina(r.corpo, r.tipo, r.indirizzoFinale); // a refused page reads empty
        return p.metadati.vuoto() ? std::nullopt : std::optional(std::move(p.metadati));
    }
    auto m = LeggiRecordJson(r.corpo, QStringLiteral("%1, %2").arg(servizio, json));
    return m && !m->vuoto() ? m : std::nullopt;
}

// The network managers whose thread was still busy when their capture ended.
std::vector<std::unique_ptr<QNetworkAccessManager>>& parcheggiate() {
    static std::vector<std::unique_ptr<QNetworkAccessManager>> reti;
    return reti;
}

void liberaParcheggiate() {
    parcheggiate().clear();
}

// Freed as the application ends, while its threads still run to let them go.
void parcheggia(std::unique_ptr<QNetworkAccessManager> rete) {
    if (parcheggiate().empty())
        qAddPostRoutine(liberaParcheggiate);
    parcheggiate().push_back(std::move(rete));
}

} // namespace

OpzioniCattura OpzioniCattura::da(const Settings& settings) {
    OpzioniCattura o;
    o.doiBase = settings.doiBase;
    o.crossrefBase = settings.crossrefBase;
    o.limiti.millisecondi = settings.captureTimeoutMs;
    return o;
}

IndirizzoCattura InterpretaIndirizzo(const QString& testo) {
    IndirizzoCattura i;
    QString t = testo.trimmed();
    // As mail and documents quote addresses: <...>, "...".
    while (t.size() >= 2 &&
           ((t.front() == u'<' && t.back() == u'>') || (t.front() == u'"' && t.back() == u'"')))
        t = t.mid(1, t.size() - 2).trimmed();
    static const QRegularExpression doi(QStringLiteral(R"(^(doi:\s*)?(10\.\d{4,9}/\S+)$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = doi.match(t); m.hasMatch()) {
        i.tipo = IndirizzoCattura::Tipo::Doi;
        i.doi = m.captured(2);
        return i;
    }
    if (t.startsWith(u"www.", Qt::CaseInsensitive))
        t.prepend(QStringLiteral("https://"));
    const QUrl u(t, QUrl::StrictMode);
    const QString schema = u.scheme().toLower();
    if (!t.contains(u' ') && u.isValid() && (schema == u"http" || schema == u"https") &&
        !u.host().isEmpty()) {
        const QString h = u.host().toLower();
        if (h == u"doi.org" || h == u"dx.doi.org" || h == u"www.doi.org") {
            i.doi = DoiDaTesto(u.path(QUrl::FullyEncoded).mid(1));
            if (!i.doi.isEmpty()) {
                i.tipo = IndirizzoCattura::Tipo::Doi;
                return i;
            }
        }
        i.tipo = IndirizzoCattura::Tipo::Pagina;
        i.pagina = u;
        return i;
    }
    i.errore = t.isEmpty()
                   ? QStringLiteral("Indicare l'indirizzo della pagina dell'articolo (https://...) o il suo "
                                    "DOI (10.xxxx/...).")
                   : QStringLiteral("\"%1\" non è né un DOI (10.xxxx/...) né un indirizzo web (https://...): "
                                    "copiare l'indirizzo dalla barra del browser o il DOI dalla pagina "
                                    "dell'articolo.")
                         .arg(t);
    return i;
}

QString MotivoRisposta(const RispostaHttp& r, const QString& chi, const LimitiRichiesta& limiti) {
    switch (r.esito) {
    case RispostaHttp::Esito::Letta:
        return {};
    case RispostaHttp::Esito::ErroreHttp:
        if (r.stato == 404 || r.stato == 410)
            return QStringLiteral("%1 non esiste (errore HTTP %2).").arg(chi).arg(r.stato);
        return QStringLiteral("%1 ha risposto con l'errore HTTP %2: riprovare più tardi.")
            .arg(chi)
            .arg(r.stato);
    case RispostaHttp::Esito::ErroreRete:
        return QStringLiteral("%1 non è raggiungibile: controllare la connessione a Internet (e il proxy) e "
                              "riprovare.\nDettaglio tecnico: %2")
            .arg(chi, r.dettaglio);
    case RispostaHttp::Esito::TempoScaduto:
        return QStringLiteral("%1 non ha risposto entro %2 secondi: riprovare più tardi.")
            .arg(chi, secondi(limiti.millisecondi));
    case RispostaHttp::Esito::TroppoGrande:
        return QStringLiteral("%1: la risposta supera il limite di %2 MB e non è stata letta.")
            .arg(chi, QLocale(QLocale::Italian).toString(limiti.byte / (1024.0 * 1024.0), 'g', 3));
    case RispostaHttp::Esito::TroppiReindirizzamenti:
        return QStringLiteral("%1 rimanda ad altri indirizzi più di %2 volte: la lettura è stata interrotta.")
            .arg(chi)
            .arg(limiti.reindirizzamenti);
    case RispostaHttp::Esito::Illeggibile:
        return QStringLiteral("%1 ha mandato una risposta che non si può decomprimere (guasta, o che si "
                              "espande oltre ogni misura): non è stata letta. Riprovare più tardi o "
                              "compilare il documento a mano.\nDettaglio tecnico: %2")
            .arg(chi, r.dettaglio);
    case RispostaHttp::Esito::Annullata:
        return QStringLiteral("Lettura annullata.");
    }
    return {};
}

// ---------------------------------------------------------------------------------------------

// The reading thread's outcome, handed to the capture's thread; dropped once nobody waits for it.
struct Cattura::Consegna {
    std::function<void(Letto&)> a; // touched on the capture's thread only
};

Cattura::Cattura(const OpzioniCattura& opzioni)
    : opzioni_(opzioni), tempoLettura_(std::make_unique<QTimer>()) {
    // The proxy the centre set for the whole system.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    rete_ = std::make_unique<QNetworkAccessManager>();
    tempoLettura_->setSingleShot(true);
}

Cattura::~Cattura() {
    fine_ = nullptr;
    abbandonaLettura();
    richiesta_.reset();
    finita_.reset();
    // The network's thread may still be swallowing what a server kept sending after we stopped
    // listening (an endless stream of headers): its end is not waited for here but when the program
    // ends, so that the outcome, said in time, is not held up.
    if (reteOccupata_ && QCoreApplication::instance())
        parcheggia(std::move(rete_));
}

void Cattura::abbandonaLettura() {
    tempoLettura_->stop();
    QObject::disconnect(tempoLettura_.get(), nullptr, nullptr, nullptr);
    if (lettura_)
        lettura_->a = nullptr;
    lettura_.reset();
}

void Cattura::avvia(const IndirizzoCattura& indirizzo, Passo passo, Fine fine) {
    fine_ = nullptr;
    abbandonaLettura();
    richiesta_.reset();
    passo_ = std::move(passo);
    fine_ = std::move(fine);
    indirizzo_ = indirizzo;
    pagina_.reset();
    motivoResolver_.clear();
    resolverNonTrovato_ = false;
    switch (indirizzo.tipo) {
    case IndirizzoCattura::Tipo::Doi:
        doi_ = indirizzo.doi;
        chiediResolver();
        break;
    case IndirizzoCattura::Tipo::Pagina:
        doi_.clear();
        chiediPagina();
        break;
    case IndirizzoCattura::Tipo::NonValido:
        concludi({false, {}, indirizzo.errore, {}});
        break;
    }
}

void Cattura::annulla() {
    if (richiesta_)
        return richiesta_->annulla();
    if (lettura_) {
        abbandonaLettura();
        RispostaHttp annullata;
        annullata.esito = RispostaHttp::Esito::Annullata;
        concludi({false, {}, MotivoRisposta(annullata, {}, opzioni_.limiti), {}});
    }
}

void Cattura::chiedi(const QUrl& indirizzo, const QByteArray& accept, const QString& descrizione,
                     const QString& chi, Lettore leggi, Risposta risposta) {
    if (passo_)
        passo_(descrizione);
    inizioRichiesta_.start();
    richiesta_ = std::make_unique<RichiestaHttp>(
        *rete_, indirizzo, accept, opzioni_.limiti,
        [this, chi, leggi = std::move(leggi), risposta](const RispostaHttp& r) {
            // The request answering must outlive its answer.
            std::unique_ptr<RichiestaHttp> questa = std::move(richiesta_);
            reteOccupata_ = reteOccupata_ || r.esito == RispostaHttp::Esito::TempoScaduto ||
                            r.esito == RispostaHttp::Esito::Annullata ||
                            r.esito == RispostaHttp::Esito::TroppoGrande;
            if (r.letta()) {
                leggiRisposta(r, chi, leggi, risposta);
            } else {
                Letto nulla;
                (this->*risposta)(r, nulla);
            }
            finita_ = std::move(questa);
        });
}

void Cattura::leggiRisposta(const RispostaHttp& r, const QString& chi, Lettore leggi, Risposta risposta) {
    auto consegna = std::make_shared<Consegna>();
    consegna->a = [this, r, risposta](Letto& l) {
        tempoLettura_->stop();
        lettura_.reset();
        (this->*risposta)(r, l);
    };
    lettura_ = consegna;
    // The page's parse counts within the request's time: a slow page is as late as a slow server.
    const qint64 resto = std::max<qint64>(opzioni_.limiti.millisecondi - inizioRichiesta_.elapsed(), 250);
    QObject::disconnect(tempoLettura_.get(), nullptr, nullptr, nullptr);
    QObject::connect(tempoLettura_.get(), &QTimer::timeout, tempoLettura_.get(), [this, chi] {
        abbandonaLettura();
        concludi({false,
                  {},
                  QStringLiteral("%1 non è stata letta entro %2 secondi: è troppo pesante da leggere.")
                      .arg(chi, secondi(opzioni_.limiti.millisecondi)),
                  {}});
    });
    tempoLettura_->start(static_cast<int>(resto));
    QThreadPool::globalInstance()->start([consegna, r, leggi = std::move(leggi)] {
        auto letto = std::make_shared<Letto>(leggi(r));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [consegna, letto] {
                if (const auto a = std::move(consegna->a)) {
                    consegna->a = nullptr;
                    a(*letto);
                }
            },
            Qt::QueuedConnection);
    });
}

void Cattura::chiediResolver() {
    const QString servizio = host(opzioni_.doiBase);
    chiedi(
        indirizzoDoi(opzioni_.doiBase, QStringLiteral("/"), doi_), kAcceptCsl,
        QStringLiteral("Lettura del DOI %1 presso %2...").arg(doi_, servizio),
        QStringLiteral("La risposta del servizio DOI (%1)").arg(servizio),
        // An agency without CSL may send the article's page: read it, unless a page led here.
        [servizio, ancheHtml = !pagina_](const RispostaHttp& r) {
            return Letto{recordDa(r, servizio, QStringLiteral("CSL-JSON"), ancheHtml), {}};
        },
        &Cattura::rispostaResolver);
}

void Cattura::chiediCrossref() {
    const QString servizio = host(opzioni_.crossrefBase);
    chiedi(
        indirizzoDoi(opzioni_.crossrefBase, QStringLiteral("/works/"), doi_), kAcceptJson,
        QStringLiteral("Lettura del DOI %1 presso Crossref (%2)...").arg(doi_, servizio),
        QStringLiteral("La risposta di Crossref (%1)").arg(servizio),
        [servizio](const RispostaHttp& r) {
            return Letto{recordDa(r, servizio, QStringLiteral("works"), false), {}};
        },
        &Cattura::rispostaCrossref);
}

void Cattura::chiediPagina() {
    chiedi(
        indirizzo_.pagina, kAcceptPagina,
        QStringLiteral("Lettura della pagina %1...").arg(indirizzo_.pagina.toDisplayString()),
        QStringLiteral("La pagina %1").arg(indirizzo_.pagina.toDisplayString()),
        [](const RispostaHttp& r) {
            Letto l;
            if (SembraHtml(r.corpo, r.tipo))
                l.pagina = std::make_shared<PaginaLetta>(LeggiPagina(r.corpo, r.tipo, r.indirizzoFinale));
            else // an address of a DOI service's record, pasted as it is
                l.record = recordDa(r, r.indirizzoFinale.host(), QStringLiteral("JSON"), false);
            return l;
        },
        &Cattura::rispostaPagina);
}

void Cattura::rispostaResolver(const RispostaHttp& r, Letto& l) {
    if (r.esito == RispostaHttp::Esito::Annullata)
        return concludi({false, {}, MotivoRisposta(r, {}, opzioni_.limiti), {}});
    if (r.letta()) {
        if (l.record)
            return recordLetto(std::move(*l.record));
        motivoResolver_ = QStringLiteral("Il servizio DOI (%1) non ha dato un record leggibile.")
                              .arg(host(opzioni_.doiBase));
    } else {
        motivoResolver_ =
            motivoDoi(r, QStringLiteral("Il servizio DOI (%1)").arg(host(opzioni_.doiBase)), opzioni_.limiti);
        resolverNonTrovato_ = nonTrovato(r);
    }
    chiediCrossref();
}

void Cattura::rispostaCrossref(const RispostaHttp& r, Letto& l) {
    if (r.esito == RispostaHttp::Esito::Annullata)
        return concludi({false, {}, MotivoRisposta(r, {}, opzioni_.limiti), {}});
    if (r.letta()) {
        if (l.record)
            return recordLetto(std::move(*l.record));
        return doiNonLetto(
            QStringLiteral("Crossref (%1) non ha dato un record leggibile.").arg(host(opzioni_.crossrefBase)),
            false);
    }
    doiNonLetto(
        motivoDoi(r, QStringLiteral("Crossref (%1)").arg(host(opzioni_.crossrefBase)), opzioni_.limiti),
        nonTrovato(r));
}

void Cattura::rispostaPagina(const RispostaHttp& r, Letto& l) {
    const QString chi = QStringLiteral("La pagina %1").arg(indirizzo_.pagina.toDisplayString());
    if (!r.letta())
        return concludi({false, {}, MotivoRisposta(r, chi, opzioni_.limiti), {}});
    if (!l.pagina) {
        if (l.record)
            return concludi({true, std::move(*l.record), {}, {}});
        return concludi(
            {false,
             {},
             QStringLiteral("%1 non è una pagina web (tipo %2): indicare la pagina dell'articolo, "
                            "non il suo PDF o un altro file.")
                 .arg(chi, QString::fromLatin1(r.tipo.isEmpty() ? QByteArray("sconosciuto") : r.tipo)),
             {}});
    }
    if (!l.pagina->rifiuto.isEmpty())
        return concludi(
            {false, {}, QStringLiteral("%1 non è stata letta: %2.").arg(chi, l.pagina->rifiuto), {}});
    auto pagina = std::make_unique<PaginaLetta>(std::move(*l.pagina));
    if (!pagina->metadati.doi.isEmpty()) {
        doi_ = pagina->metadati.doi;
        pagina_ = std::move(pagina);
        return chiediResolver();
    }
    if (pagina->metadati.vuoto())
        return concludi({false,
                         {},
                         QStringLiteral("%1 non contiene i dati dell'articolo (né tag citation_* o DC.*, né "
                                        "JSON-LD): compilare il documento a mano o provare con il DOI.")
                             .arg(chi),
                         {}});
    concludi({true, std::move(pagina->metadati), {}, pagina->avvisi});
}

void Cattura::recordLetto(MetadatiArticolo record) {
    EsitoCattura e{true, std::move(record), {}, {}};
    if (pagina_) {
        const MetadatiArticolo& pagina = pagina_->metadati;
        // The address is the page the operator read, not the record's link.
        if (!pagina.url.isEmpty()) {
            e.metadati.url = pagina.url;
            e.metadati.origine[CampoMetadati::Url] = pagina.origine.value(CampoMetadati::Url);
        }
        e.metadati.completa(pagina);
        e.avvisi = pagina_->avvisi;
    }
    concludi(std::move(e));
}

void Cattura::doiNonLetto(const QString& motivoCrossref, bool crossrefNonTrovato) {
    if (pagina_) {
        EsitoCattura e{true, pagina_->metadati, {}, pagina_->avvisi};
        e.avvisi << QStringLiteral("Il DOI %1 indicato dalla pagina non è stato letto: restano i dati della "
                                   "pagina.\n%2\n%3")
                        .arg(doi_, motivoResolver_, motivoCrossref);
        if (e.metadati.vuoto())
            return concludi(
                {false,
                 {},
                 QStringLiteral("La pagina %1 non contiene i dati dell'articolo e il DOI %2 che "
                                "indica non è stato letto.\n%3\n%4")
                     .arg(indirizzo_.pagina.toDisplayString(), doi_, motivoResolver_, motivoCrossref),
                 {}});
        return concludi(std::move(e));
    }
    if (resolverNonTrovato_ && crossrefNonTrovato)
        return concludi(
            {false,
             {},
             QStringLiteral("Il DOI %1 non risulta registrato: né il servizio DOI (%2) né Crossref (%3) "
                            "lo conoscono. Controllare che sia scritto bene.")
                 .arg(doi_, host(opzioni_.doiBase), host(opzioni_.crossrefBase)),
             {}});
    concludi(
        {false,
         {},
         QStringLiteral("Il DOI %1 non è stato letto.\n%2\n%3").arg(doi_, motivoResolver_, motivoCrossref),
         {}});
}

void Cattura::concludi(EsitoCattura esito) {
    pagina_.reset();
    const Fine fine = std::move(fine_);
    fine_ = nullptr;
    if (fine)
        fine(esito);
}

EsitoCattura CatturaInAttesa(const IndirizzoCattura& indirizzo, const OpzioniCattura& opzioni,
                             const Cattura::Passo& passo) {
    Cattura cattura(opzioni);
    EsitoCattura esito;
    bool finita = false;
    QEventLoop attesa;
    cattura.avvia(indirizzo, passo, [&](const EsitoCattura& e) {
        esito = e;
        finita = true;
        attesa.quit();
    });
    if (!finita)
        attesa.exec();
    return esito;
}
