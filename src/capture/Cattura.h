#pragma once

// From what the operator pastes to the article's metadata. A DOI is asked of the DOI resolver by
// content negotiation (CSL-JSON, which Crossref, DataCite and mEDRA answer), then of Crossref's
// REST "works"; a web page is read for its tags, and a DOI it names is followed the same way, the
// record's fields first and the page's for what the record lacks. Every request goes through the
// event loop, and every answer is read (parsed) on a thread of the pool, within the request's
// time limit: the caller's window stays responsive and can interrupt the reading at any point.

#include "capture/MetadatiArticolo.h"
#include "capture/RichiestaHttp.h"

#include <QElapsedTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QTimer;
struct PaginaLetta;
struct Settings;

struct OpzioniCattura {
    QString doiBase = QStringLiteral("https://doi.org");
    QString crossrefBase = QStringLiteral("https://api.crossref.org");
    LimitiRichiesta limiti;

    // The bases and the time limit of quillaro.ini [services].
    static OpzioniCattura da(const Settings& settings);
};

struct IndirizzoCattura {
    enum class Tipo { Doi, Pagina, NonValido };
    Tipo tipo = Tipo::NonValido;
    QString doi;    // a DOI, also one given as a doi.org address
    QUrl pagina;    // an http or https address
    QString errore; // why the text is neither
};

// "10.1234/abc", "doi:10.1234/abc", "https://doi.org/10.1234/abc" are DOIs; "https://..." and
// "www...." are pages; anything else is neither.
IndirizzoCattura InterpretaIndirizzo(const QString& testo);

struct EsitoCattura {
    bool letto = false;
    MetadatiArticolo metadati;
    QString errore;     // why nothing was read, for the operator
    QStringList avvisi; // what was read only in part
};

class Cattura {
public:
    using Passo = std::function<void(const QString&)>;
    using Fine = std::function<void(const EsitoCattura&)>;

    explicit Cattura(const OpzioniCattura& opzioni);
    ~Cattura();
    Cattura(const Cattura&) = delete;
    Cattura& operator=(const Cattura&) = delete;

    // Starts reading; `passo` hears each request as it starts, `fine` the outcome, once (from
    // the event loop, or from annulla()). A reading under way is given up first.
    void avvia(const IndirizzoCattura& indirizzo, Passo passo, Fine fine);
    // Ends the reading: `fine` hears "Lettura annullata.".
    void annulla();
    bool inCorso() const { return richiesta_ != nullptr || lettura_ != nullptr; }

    // What the reading thread made of an answer.
    struct Letto;
    using Lettore = std::function<Letto(const RispostaHttp&)>;

private:
    struct Consegna;
    using Risposta = void (Cattura::*)(const RispostaHttp&, Letto&);

    // `chi` names who is asked, for the reasons ("La pagina ..."); `leggi` runs on the pool's thread.
    void chiedi(const QUrl& indirizzo, const QByteArray& accept, const QString& descrizione,
                const QString& chi, Lettore leggi, Risposta risposta);
    // The answer came: read it off this thread, within what is left of the time limit.
    void leggiRisposta(const RispostaHttp& r, const QString& chi, Lettore leggi, Risposta risposta);
    // Forgets a reading under way: its outcome, when it comes, is dropped.
    void abbandonaLettura();
    void chiediResolver();
    void chiediCrossref();
    void chiediPagina();
    void rispostaResolver(const RispostaHttp& r, Letto& l);
    void rispostaCrossref(const RispostaHttp& r, Letto& l);
    void rispostaPagina(const RispostaHttp& r, Letto& l);
    // A record read for the DOI: with the page's fields, when a page named it.
    void recordLetto(MetadatiArticolo record);
    // The DOI gave nothing: the page's fields alone, or the reason.
    void doiNonLetto(const QString& motivoCrossref, bool crossrefNonTrovato);
    void concludi(EsitoCattura esito);

    OpzioniCattura opzioni_;
    std::unique_ptr<QNetworkAccessManager> rete_;
    std::unique_ptr<RichiestaHttp> richiesta_;
    // The request whose answer is being handled: it lives until the next one is done with.
    std::unique_ptr<RichiestaHttp> finita_;
    std::shared_ptr<Consegna> lettura_; // the reading thread's answer, while it is awaited
    std::unique_ptr<QTimer> tempoLettura_;
    QElapsedTimer inizioRichiesta_;
    bool reteOccupata_ = false; // a request was cut short: the network's thread may lag behind
    Passo passo_;
    Fine fine_;
    IndirizzoCattura indirizzo_;
    QString doi_;
    std::unique_ptr<PaginaLetta> pagina_; // the page read, while its DOI is followed
    QString motivoResolver_;
    bool resolverNonTrovato_ = false;
};

struct Cattura::Letto {
    std::optional<MetadatiArticolo> record;
    std::shared_ptr<PaginaLetta> pagina; // an HTML page's reading
};

// Reads and waits for the outcome, running the event loop (the command line).
EsitoCattura CatturaInAttesa(const IndirizzoCattura& indirizzo, const OpzioniCattura& opzioni,
                             const Cattura::Passo& passo = {});

// Why an answer gave nothing, for the operator: `chi` names what was asked ("la pagina ...").
QString MotivoRisposta(const RispostaHttp& r, const QString& chi, const LimitiRichiesta& limiti);
