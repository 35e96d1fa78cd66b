// The search over the index: the ranking function, the rarity of the query's phrases measured
// once (on a sample when they are common), the reading of a broad query in two shares on two
// connections, the estimates for queries too broad to count, and what is shown of the documents
// found (their excerpts, their fields).

#include "search/IndiceRicerca.h"
#include "search/Tokenizzatore.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <sqlite3.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

// How a word found in each field counts, in the order of the full-text table's columns: titolo,
// autore, fonte, testo, rivista, anno, classe, archivio, altro.
constexpr double kPesi[] = {10.0, 5.0, 3.0, 1.0, 2.0, 2.0, 3.0, 1.0, 2.0};
constexpr double kK1 = 1.2;

// Where a document stands for a query: first by how many of the query's phrases its title holds
// (an article whose title holds the words comes before one that only mentions them), then by BM25:
// for each phrase, its rarity times its weighted occurrences in the fields, saturated by k1. One
// number, the level in the millions (BM25 stays far below), so that the engine orders by it.
constexpr double kLivello = 1e6;

void rango(const Fts5ExtensionApi* api, Fts5Context* f, sqlite3_context* ctx, int, sqlite3_value**) {
    const auto* c = static_cast<const IndiceRicerca::ContestoRango*>(api->xUserData(f));
    const int frasi = api->xPhraseCount(f);
    double punteggio = 0;
    int livello = 0;
    for (int p = c->salta; p < frasi; ++p) {
        const size_t i = static_cast<size_t>(p - c->salta);
        const double idf = i < c->idf.size() ? c->idf[i] : 1.0;
        double tf = 0;
        Fts5PhraseIter it;
        int colonna = 0, posizione = 0;
        api->xPhraseFirst(f, p, &it, &colonna, &posizione);
        // Occurrences come in column order: the title's first.
        livello += colonna == 0 ? 1 : 0;
        for (; colonna >= 0; api->xPhraseNext(f, &it, &colonna, &posizione))
            tf += colonna < static_cast<int>(std::size(kPesi)) ? kPesi[colonna] : 1.0;
        if (tf > 0)
            punteggio += idf * tf * (kK1 + 1.0) / (tf + kK1);
    }
    sqlite3_result_double(ctx, livello * kLivello + punteggio);
}

} // namespace

void IndiceRicerca::registraFunzioni(IndexDb& db, ContestoRango* contesto, Vocabolario* vocabolario) {
    RegistraTokenizzatore(db.handle(), vocabolario);
    vocabolario->collega(db.handle());
    fts5_api* api = ApiFts5(db.handle());
    if (!api || api->xCreateFunction(api, "rango", contesto, rango, nullptr) != SQLITE_OK)
        throw DbError(SQLITE_ERROR, QStringLiteral("Funzione di ordinamento della ricerca non registrata."));
    // Annulla is heard between the engine's steps.
    sqlite3_progress_handler(db.handle(), 2000, &IndiceRicerca::seAnnullata, this);
}

// ---------------------------------------------------------------------------------------------
// Search.

namespace {

struct Voce {
    double punteggio; // negated: lower is better
    qint64 id;
    bool operator<(const Voce& o) const {
        return punteggio != o.punteggio ? punteggio < o.punteggio : id < o.id;
    }
};

// The best `limite` documents seen (the worst of them on top of the heap), and how many were seen.
class Classifica {
public:
    explicit Classifica(int limite) : limite_(std::max(limite, 0)) {
        migliori_.reserve(static_cast<size_t>(std::min(limite_, 4096)) + 1);
    }

    void considera(qint64 id, double punteggio) {
        ++totale_;
        if (limite_ == 0)
            return;
        const Voce v{punteggio, id};
        if (static_cast<int>(migliori_.size()) < limite_) {
            migliori_.push_back(v);
            std::push_heap(migliori_.begin(), migliori_.end());
        } else if (v < migliori_.front()) {
            std::pop_heap(migliori_.begin(), migliori_.end());
            migliori_.back() = v;
            std::push_heap(migliori_.begin(), migliori_.end());
        }
    }
    void unisci(const Classifica& altra) {
        for (const Voce& v : altra.migliori_)
            considera(v.id, v.punteggio);
        totale_ += altra.totale_ - static_cast<qint64>(altra.migliori_.size());
    }
    qint64 totale() const { return totale_; }
    void impostaTotale(qint64 totale) { totale_ = totale; }
    std::vector<Voce> ordinati() const {
        std::vector<Voce> v = migliori_;
        std::sort(v.begin(), v.end());
        return v;
    }

private:
    int limite_;
    qint64 totale_ = 0;
    std::vector<Voce> migliori_;
};

struct Intervallo {
    qint64 da;
    qint64 a;
};

// The rows a search reads, in two shares (a broad query reads half on a second connection, on the
// other processor), and the archives it keeps when the shares are wider than them.
struct Piano {
    std::vector<Intervallo> parti[2];
    std::optional<QSet<qint64>> ammessi;
};

bool ammesso(const Piano& p, qint64 id) {
    return !p.ammessi || p.ammessi->contains(IndiceRicerca::archivioDi(id));
}

// The documents of the expression in a share of rows, ranked, into the classification.
void scorri(IndexDb& db, const QString& espressione, const std::vector<Intervallo>& intervalli,
            const Piano& p, Classifica& classifica) {
    IndexStatement s =
        db.prepare("select rowid, -rango(testi) from testi where testi match ? and rowid between ? and ?");
    for (const Intervallo& i : intervalli) {
        s.bind(1, espressione).bind(2, i.da).bind(3, i.a);
        while (s.step()) {
            const qint64 id = s.integer(0);
            if (ammesso(p, id))
                classifica.considera(id, s.real(1));
        }
        s.reset();
    }
}

// How many documents of a share of rows match the expression.
qint64 conta(IndexDb& db, const QString& espressione, const std::vector<Intervallo>& intervalli,
             const Piano& p) {
    qint64 n = 0;
    if (!p.ammessi) {
        IndexStatement s =
            db.prepare("select count(*) from testi where testi match ? and rowid between ? and ?");
        for (const Intervallo& i : intervalli) {
            s.bind(1, espressione).bind(2, i.da).bind(3, i.a);
            if (s.step())
                n += s.integer(0);
            s.reset();
        }
        return n;
    }
    IndexStatement s = db.prepare("select rowid from testi where testi match ? and rowid between ? and ?");
    for (const Intervallo& i : intervalli) {
        s.bind(1, espressione).bind(2, i.da).bind(3, i.a);
        while (s.step())
            n += ammesso(p, s.integer(0)) ? 1 : 0;
        s.reset();
    }
    return n;
}

} // namespace

IndiceRicerca::Lettore* IndiceRicerca::secondoLettore() {
    if (secondo_)
        return secondo_.get();
    auto l = std::make_unique<Lettore>();
    l->rango = std::make_unique<ContestoRango>();
    try {
        l->db.open(percorso_);
        registraFunzioni(l->db, l->rango.get(), &l->vocabolario);
        l->db.exec("PRAGMA cache_size = -65536; PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 1073741824;");
    } catch (const DbError&) {
        return nullptr; // the search goes on with one reader
    }
    secondo_ = std::move(l);
    return secondo_.get();
}

namespace {

// Runs both at once, the second on a thread of its own; an error of either is thrown once both
// have stopped.
template <class A, class B> void inParallelo(A&& primo, B&& secondo) {
    std::exception_ptr errore;
    std::thread t([&] {
        try {
            secondo();
        } catch (...) {
            errore = std::current_exception();
        }
    });
    try {
        primo();
    } catch (...) {
        t.join();
        throw;
    }
    t.join();
    if (errore)
        std::rethrow_exception(errore);
}

// Runs lavoro(connection, share, which) on the two shares of the plan, the second on the other
// connection (when there is one) on a thread of its own; its ranking context is the first one's.
template <class F>
void inDueParti(IndexDb& db, IndiceRicerca::ContestoRango& rango, IndexDb* db2,
                IndiceRicerca::ContestoRango* rango2, Piano& piano, F&& lavoro) {
    if (!db2 || piano.parti[1].empty()) {
        for (const Intervallo& i : piano.parti[1])
            piano.parti[0].push_back(i);
        piano.parti[1].clear();
        lavoro(db, piano.parti[0], 0);
        return;
    }
    *rango2 = rango;
    inParallelo([&] { lavoro(db, piano.parti[0], 0); }, [&] { lavoro(*db2, piano.parti[1], 1); });
}

} // namespace

std::vector<double> IndiceRicerca::rarita(const QStringList& frasi) {
    Frequenze& f = *frequenze_;
    if (f.totale < 0) {
        f.totale = db_.scalar("select coalesce(sum(documenti), 0) from archivi");
        f.campione.clear();
        f.nelCampione = 0;
        std::vector<std::pair<qint64, qint64>> archivi; // id, documents
        {
            IndexStatement s = db_.prepare("select id, documenti from archivi where documenti > 0");
            while (s.step())
                archivi.emplace_back(s.integer(0), s.integer(1));
        }
        const Campionamento& c = campionamento_;
        if (f.totale > 2 * c.documenti && !archivi.empty()) {
            const qint64 perArchivio =
                std::max<qint64>(c.perArchivio, c.documenti / static_cast<qint64>(archivi.size()));
            IndexStatement s = db_.prepare("select count(*) from documenti where id between ? and ?");
            for (const auto& [id, documenti] : archivi) {
                Frequenze::Parte p{id, primoId(id), std::min(ultimoId(id), primoId(id) + perArchivio - 1), 0,
                                   documenti};
                s.bind(1, p.da).bind(2, p.a);
                if (s.step())
                    p.documenti = s.integer(0);
                s.reset();
                f.nelCampione += p.documenti;
                f.campione.push_back(p);
            }
        }
    }
    std::vector<double> idf;
    for (const QString& frase : frasi) {
        auto it = f.documenti.constFind(frase);
        if (it == f.documenti.cend()) {
            Piano tutto;
            tutto.parti[0] = {{0, std::numeric_limits<qint64>::max()}};
            double n = -1;
            if (f.nelCampione > 0) {
                std::vector<Intervallo> campione;
                for (const Frequenze::Parte& p : f.campione)
                    campione.push_back({p.da, p.a});
                const qint64 c = conta(db_, frase, campione, tutto);
                if (c >= campionamento_.minimoTrovati)
                    n = static_cast<double>(c) * static_cast<double>(f.totale) /
                        static_cast<double>(f.nelCampione);
            }
            if (n < 0)
                n = static_cast<double>(conta(db_, frase, tutto.parti[0], tutto));
            it = f.documenti.insert(frase, n);
        }
        // As BM25 has it, but never below zero: a word in most documents still counts a little.
        const double conFrase = std::min(*it, static_cast<double>(f.totale));
        idf.push_back(std::log1p((static_cast<double>(f.totale) - conFrase + 0.5) / (conFrase + 0.5)));
    }
    return idf;
}

void IndiceRicerca::impostaCampionamento(const Campionamento& c) {
    campionamento_ = c;
    *frequenze_ = Frequenze{};
}

bool IndiceRicerca::frasiInAlmeno(const QStringList& frasi, qint64 documenti) const {
    // Found by rarita() for this query, in the whole index.
    for (const QString& frase : frasi)
        if (frequenze_->documenti.value(frase, 0) < static_cast<double>(documenti))
            return false;
    return !frasi.isEmpty();
}

std::optional<qint64> IndiceRicerca::stimaTotale(const QString& espressione, const QList<qint64>& archivi,
                                                 qint64 oltre) {
    const Frequenze& f = *frequenze_;
    std::vector<Intervallo> parti;
    qint64 nelCampione = 0;
    qint64 inTutto = 0;
    for (const Frequenze::Parte& p : f.campione) {
        if (!std::binary_search(archivi.cbegin(), archivi.cend(), p.archivio))
            continue;
        parti.push_back({p.da, p.a});
        nelCampione += p.documenti;
        inTutto += p.nellArchivio;
    }
    if (nelCampione == 0)
        return std::nullopt;
    const qint64 trovati = conta(db_, espressione, parti, Piano{});
    if (trovati < campionamento_.minimoTrovati)
        return std::nullopt;
    const double stima =
        static_cast<double>(trovati) * static_cast<double>(inTutto) / static_cast<double>(nelCampione);
    if (stima < static_cast<double>(oltre))
        return std::nullopt;
    // Three figures: the others would claim a precision the sample does not have.
    const double unita = std::pow(10.0, std::floor(std::log10(stima)) - 2);
    return static_cast<qint64>(std::llround(stima / unita) * unita);
}

EsitoRicerca IndiceRicerca::cerca(const Interrogazione& interrogazione,
                                  const std::optional<QList<qint64>>& archivi, int limite, int estratti) {
    const QString& espressione = interrogazione.espressione;
    EsitoRicerca esito;
    if (archivi && archivi->isEmpty())
        return esito;
    // Counts taken while the index was as it is now still hold.
    const std::pair<qint64, qint64> versione{db_.scalar("PRAGMA data_version"), scritture_};
    if (versione != frequenze_->versione) {
        *frequenze_ = Frequenze{};
        frequenze_->versione = versione;
        // Words or the whole index may be another program's since.
        vocabolario_.dimentica();
        if (secondo_)
            secondo_->vocabolario.dimentica();
        dizionario_.reset();
    }
    QList<qint64> ids;
    if (archivi) {
        ids = *archivi;
    } else {
        IndexStatement s = db_.prepare("select id from archivi");
        while (s.step())
            ids << s.integer(0);
    }
    std::sort(ids.begin(), ids.end());
    Piano piano;
    const bool filtra = archivi && ids.size() > 8;
    if (!archivi || filtra) {
        if (filtra)
            piano.ammessi = QSet<qint64>(ids.cbegin(), ids.cend());
        const qsizetype meta = ids.size() / 2;
        if (ids.size() < 2) {
            piano.parti[0].push_back({0, std::numeric_limits<qint64>::max()});
        } else {
            piano.parti[0].push_back({0, ultimoId(ids.at(meta - 1))});
            piano.parti[1].push_back({primoId(ids.at(meta)), std::numeric_limits<qint64>::max()});
        }
    } else {
        for (qsizetype i = 0; i < ids.size(); ++i)
            piano.parti[i % 2].push_back({primoId(ids.at(i)), ultimoId(ids.at(i))});
    }
    rango_->idf = rarita(interrogazione.frasi);
    rango_->salta = 0;
    Classifica classifica(limite);
    Lettore* secondo = piano.parti[1].empty() ? nullptr : secondoLettore();
    IndexDb* db2 = secondo ? &secondo->db : nullptr;
    ContestoRango* rango2 = secondo ? secondo->rango.get() : nullptr;
    const auto classifica2 = [&](const QString& e, Classifica& risultato) {
        Classifica altra(limite);
        inDueParti(db_, *rango_, db2, rango2, piano,
                   [&](IndexDb& db, const std::vector<Intervallo>& parte, int quale) {
                       scorri(db, e, parte, piano, quale == 0 ? risultato : altra);
                   });
        risultato.unisci(altra);
    };
    bool fatto = false;
    if (interrogazione.soloParole && limite > 0) {
        // Every word in the title comes first: when enough documents have them so, those are the
        // best, read from the titles' short lists; the others are only counted.
        const QString titoli = EspressioneNeiTitoli(interrogazione);
        rango_->salta = static_cast<int>(interrogazione.termini.size());
        Classifica neiTitoli(limite);
        // When even those are so many that ranking them all would read their long lists (words of
        // nearly every title), the page is drawn from the most recent of them (the last rows), ranked
        // among themselves.
        const qint64 recentiOltre = std::max<qint64>(campionamento_.recentiOltre, limite);
        // Not for a word typed as the start of words: the engine gathers all the words it stands for
        // before reading their rows backwards, which would cost more than ranking them.
        const bool prefissi = std::any_of(interrogazione.termini.cbegin(), interrogazione.termini.cend(),
                                          [](const FraseRicerca& f) { return f.prefisso; });
        bool moltissimi = !prefissi && frasiInAlmeno(interrogazione.frasi, recentiOltre);
        if (moltissimi) {
            // How many titles hold each word, kept as the words' own counts are.
            const QStringList frasiTitoli = FrasiNeiTitoli(interrogazione);
            rarita(frasiTitoli);
            moltissimi = frasiInAlmeno(frasiTitoli, recentiOltre) && stimaTotale(titoli, ids, recentiOltre);
        }
        if (moltissimi) {
            std::vector<Intervallo> intervalli(piano.parti[0]);
            intervalli.insert(intervalli.end(), piano.parti[1].cbegin(), piano.parti[1].cend());
            std::sort(intervalli.begin(), intervalli.end(),
                      [](const Intervallo& x, const Intervallo& y) { return x.da > y.da; });
            IndexStatement r = db_.prepare("select rowid, -rango(testi) from testi where testi match ? and "
                                           "rowid between ? and ? order by rowid desc");
            for (const Intervallo& i : intervalli) {
                r.bind(1, titoli).bind(2, i.da).bind(3, i.a);
                while (neiTitoli.totale() < limite && r.step())
                    if (ammesso(piano, r.integer(0)))
                        neiTitoli.considera(r.integer(0), r.real(1));
                r.reset();
                if (neiTitoli.totale() >= limite)
                    break;
            }
            esito.recenti = neiTitoli.totale() >= limite;
        }
        if (!esito.recenti) {
            neiTitoli = Classifica(limite);
            classifica2(titoli, neiTitoli);
        }
        rango_->salta = 0;
        if (neiTitoli.totale() >= limite) {
            classifica = neiTitoli;
            const std::optional<qint64> stima = frasiInAlmeno(interrogazione.frasi, campionamento_.stimaOltre)
                                                    ? stimaTotale(espressione, ids, campionamento_.stimaOltre)
                                                    : std::nullopt;
            if (stima) {
                classifica.impostaTotale(*stima);
                esito.stimato = true;
            } else {
                qint64 totali[2] = {0, 0};
                inDueParti(db_, *rango_, db2, rango2, piano,
                           [&](IndexDb& db, const std::vector<Intervallo>& parte, int quale) {
                               totali[quale] = conta(db, espressione, parte, piano);
                           });
                classifica.impostaTotale(totali[0] + totali[1]);
            }
            fatto = true;
        }
    }
    if (!fatto)
        classifica2(espressione, classifica);
    esito.totale = classifica.totale();
    std::optional<LetturaIndice> lettura(db_);
    IndexStatement dettagli = db_.prepare(
        "select d.numero, d.identificativo, d.rivista, d.anno, d.titolo, a.nome, a.chiave from documenti d "
        "join archivi a on a.id = d.archivio where d.id = ?");
    for (const Voce& v : classifica.ordinati()) {
        verificaAnnullamento();
        dettagli.bind(1, v.id);
        if (!dettagli.step()) {
            dettagli.reset();
            continue;
        }
        RisultatoRicerca r;
        r.id = v.id;
        r.numero = dettagli.integer(0);
        r.identificativo = dettagli.text(1);
        r.rivista = dettagli.text(2);
        r.anno = dettagli.text(3);
        r.titolo = dettagli.text(4);
        r.archivio = dettagli.text(5);
        r.percorso = percorsoArchivio(dettagli.text(6));
        r.punteggio = std::fmod(-v.punteggio, kLivello);
        dettagli.reset();
        esito.risultati << r;
    }
    // The excerpts asked for, one look-up each, half of a long list on the other connection.
    const qsizetype conEstratto =
        estratti < 0 ? esito.risultati.size() : std::min<qsizetype>(estratti, esito.risultati.size());
    const Estrattore estrattore(interrogazione.termini);
    // Taken once: the two threads then write to distinct elements of one unshared list.
    RisultatoRicerca* const risultati = esito.risultati.data();
    const QByteArray& diz = dizionario();
    const auto estrai = [&](IndexDb& db, qsizetype da, qsizetype a) {
        // One read transaction for all the look-ups, not a lock taken and released for each.
        LetturaIndice lettura(db);
        for (qsizetype i = da; i < a; ++i) {
            if (i % 64 == 0)
                verificaAnnullamento();
            RisultatoRicerca& r = risultati[i];
            r.estratto = estrattore.estratto(campiUtf8(db, diz, r.id).value_or(QList<QByteArray>()));
            r.conEstratto = true;
        }
    };
    dettagli = IndexStatement();
    lettura.reset();
    Lettore* aiuto = conEstratto > 256 ? secondoLettore() : nullptr;
    if (!aiuto) {
        estrai(db_, 0, conEstratto);
        return esito;
    }
    const qsizetype meta = conEstratto / 2;
    inParallelo([&] { estrai(db_, 0, meta); }, [&] { estrai(aiuto->db, meta, conEstratto); });
    return esito;
}

std::optional<QList<QByteArray>> IndiceRicerca::campiUtf8(IndexDb& db, const QByteArray& dizionario,
                                                          qint64 idDocumento) {
    IndexStatement& s = db.cached("select campi from contenuti where id = ?");
    s.bind(1, idDocumento);
    if (!s.step()) {
        s.reset();
        return std::nullopt;
    }
    std::optional<QList<QByteArray>> campi = DecomprimiCampi(s.blob(0), dizionario);
    s.reset();
    if (!campi)
        throw DbError(SQLITE_CORRUPT, QStringLiteral("Testi del documento %1 illeggibili.").arg(idDocumento));
    return campi;
}

QString IndiceRicerca::estratto(const Estrattore& estrattore, qint64 idDocumento) {
    return estrattore.estratto(campiUtf8(db_, dizionario(), idDocumento).value_or(QList<QByteArray>()));
}

const QByteArray& IndiceRicerca::dizionario() {
    if (!dizionario_) {
        IndexStatement& s = db_.cached("select testo from dizionario");
        dizionario_ = s.step() ? s.blob(0) : QByteArray();
        s.reset();
    }
    return *dizionario_;
}

std::optional<SchedaIndice> IndiceRicerca::scheda(qint64 idDocumento) {
    IndexStatement s = db_.prepare(
        "select a.nome, a.chiave, d.numero, d.identificativo, d.riferimento from documenti d join "
        "archivi a on a.id = d.archivio where d.id = ?");
    s.bind(1, idDocumento);
    if (!s.step())
        return std::nullopt;
    const std::optional<QList<QByteArray>> campi = campiUtf8(db_, dizionario(), idDocumento);
    if (!campi)
        return std::nullopt;
    const auto testo = [&](int colonna) {
        return QString::fromUtf8(campi->at(colonna)).remove(QChar(kConfineVoci)).remove(QChar(kSegnoTitolo));
    };
    SchedaIndice k;
    k.archivio = s.text(0);
    k.percorso = percorsoArchivio(s.text(1));
    k.numero = s.integer(2);
    k.identificativo = s.text(3);
    k.riferimento = s.text(4);
    // In the order of the full-text table's columns: titolo, autore, fonte, testo, ..., classe.
    k.titolo = testo(0);
    k.autori = testo(1);
    k.fonti = testo(2);
    k.testi = testo(3);
    k.classi = testo(6);
    return k;
}
