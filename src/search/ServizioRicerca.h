#pragma once

// The search as the windows and the command line use it: the index of the home kept open, brought
// up to date for the archives a search looks at, made again (and filled again from the archives)
// when it is found damaged, and told by the editor of every document it saves or deletes. A search
// may run on a thread of its own: the index is used by one operation at a time, and what the
// editor tells while a search runs is left to the next search, which sees the archive changed.

#include "search/AmbitoRicerca.h"
#include "search/Doppioni.h"
#include "search/IndiceRicerca.h"
#include "search/InterrogazioneRicerca.h"
#include "store/AppState.h"

#include <QStringList>
#include <atomic>
#include <functional>
#include <mutex>

struct PreparazioneRicerca {
    std::optional<QList<qint64>> archivi; // the scope's archives in the index; none: every archive
    QList<VoceAggiornamento> voci;        // what bringing them up to date did
    QStringList avvisi;                   // what the operator should know (index made again, archives unread)
    QStringList nonLetti;                 // archives of the scope not searched (named, escaped)
};

struct EsitoRicercaCompleta {
    Interrogazione interrogazione;
    EsitoRicerca esito;
    QStringList avvisi;
    QStringList nonLetti; // archives of the scope that could not be searched: the answer is incomplete
    qint64 microsecondi = 0;
    int archiviLetti = 0; // archives (re)indexed before the search, in its time
};

struct EsitoDoppioni {
    QList<CoppiaDoppioni> coppie;
    QStringList avvisi;
    QStringList nonLetti;
    bool archivioLetto = true; // false when the archive asked about could not be indexed
};

class ServizioRicerca : public OsservatoreDocumenti {
public:
    explicit ServizioRicerca(const HomeFolder& home);

    // The one of the application: registered in the state as a listener of the editor.
    static ServizioRicerca& di(AppState& state);

    IndiceRicerca& indice() { return indice_; }

    // The index open and current for the scope. Throws DbError or std::runtime_error (abbreviation file).
    PreparazioneRicerca prepara(const AmbitoRicerca& ambito, Progress* progress);

    // The query interpreted and run over the scope. An expression refused leaves the index untouched.
    // The first `estratti` results come with their excerpt (all when negative). While *annullata is
    // true the search stops with DbError SQLITE_INTERRUPT.
    EsitoRicercaCompleta cerca(const QString& testo, const AmbitoRicerca& ambito, int limite,
                               Progress* progress, int estratti = -1,
                               const std::atomic<bool>* annullata = nullptr);

    // Brings the index up to date over the scope; `ricostruisci` makes it again from nothing first.
    PreparazioneRicerca indicizza(const AmbitoRicerca& ambito, bool ricostruisci, Progress* progress);

    // The probable duplicates among the archives of mdb/; with an archive, only the pairs with one of
    // its documents (that archive may also lie elsewhere).
    EsitoDoppioni doppioni(const std::optional<QString>& archivio, Progress* progress);

    // For a window while a search may be running on another thread: the excerpt, or the document
    // as the index holds it; nothing when the index is busy (asked again when it is free).
    std::optional<QString> estrattoSeLibero(const Estrattore& estrattore, qint64 idDocumento);
    std::optional<std::optional<SchedaIndice>> schedaSeLibera(qint64 idDocumento);
    // True while an operation uses the index.
    bool occupato();

    void documentoSalvato(AppState& state, qint64 IDDoc) override;
    void documentiCancellati(AppState& state, const QList<qint64>& IDDocumenti) override;

    // A test's hook, run on the searching thread before the search reads the index.
    std::function<void()> primaDiCercare;

private:
    // Runs f (which brings the scope up to date and reads the index) with the index open; a damaged
    // index found on the way is made again, said in avvisi, and f runs once more from the start. Any
    // other failure closes the index, so that the next try opens it afresh.
    template <class F> auto protetto(QStringList& avvisi, F&& f) {
        try {
            apriSeServe(avvisi);
            try {
                return f();
            } catch (const DbError& e) {
                if (!IndiceRicerca::danneggiato(e))
                    throw;
                avvisi << messaggioDanneggiato(e);
                indice_.ricrea();
                return f();
            }
        } catch (const DbError& e) {
            if (!interrotta(e))
                indice_.chiudi();
            throw;
        }
    }
    static bool interrotta(const DbError& e);
    PreparazioneRicerca preparaIndice(const AmbitoRicerca& ambito, Progress* progress);
    void apriSeServe(QStringList& avvisi);
    QString messaggioDanneggiato(const DbError& e) const;

    HomeFolder home_;
    IndiceRicerca indice_;
    std::recursive_mutex uso_;
};

// A line for the operator about one archive brought up to date: "CONS1: 12 documenti indicizzati".
QString DescriviAggiornamento(const VoceAggiornamento& voce);
// The archives the update could not read, one message.
QStringList AvvisiAggiornamento(const QList<VoceAggiornamento>& voci);
// What the operator reads when the index could not be used: what did not happen, why (the index
// named, the archives untouched) and what to do.
QString MessaggioErroreIndice(const QString& cosa, const DbError& e, const QString& percorsoIndice);
// True when the engine refused the query itself (a syntax it cannot take).
bool RicercaRifiutataDalMotore(const DbError& e);
