#pragma once

// The search as the windows and the command line use it: the index of the home kept open, brought
// up to date for the archives a search looks at, made again when it is found damaged, and told by
// the editor of every document it saves or deletes.

#include "search/AmbitoRicerca.h"
#include "search/Doppioni.h"
#include "search/IndiceRicerca.h"
#include "search/InterrogazioneRicerca.h"
#include "store/AppState.h"

#include <QStringList>

struct PreparazioneRicerca {
    std::optional<QList<qint64>> archivi; // the scope's archives in the index; none: every archive
    QList<VoceAggiornamento> voci;        // what bringing them up to date did
    QStringList avvisi;                   // what the operator should know (index made again, archives unread)
};

struct EsitoRicercaCompleta {
    Interrogazione interrogazione;
    EsitoRicerca esito;
    QStringList avvisi;
    qint64 microsecondi = 0;
    int archiviLetti = 0; // archives (re)indexed before the search, in its time
};

struct EsitoDoppioni {
    QList<CoppiaDoppioni> coppie;
    QStringList avvisi;
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
    // The first `estratti` results come with their excerpt (all when negative).
    EsitoRicercaCompleta cerca(const QString& testo, const AmbitoRicerca& ambito, int limite,
                               Progress* progress, int estratti = -1);

    // Brings the index up to date over the scope; `ricostruisci` makes it again from nothing first.
    PreparazioneRicerca indicizza(const AmbitoRicerca& ambito, bool ricostruisci, Progress* progress);

    // The probable duplicates among the archives of mdb/; with an archive, only the pairs with one of
    // its documents (that archive may also lie elsewhere).
    EsitoDoppioni doppioni(const std::optional<QString>& archivio, Progress* progress);

    void documentoSalvato(AppState& state, qint64 IDDoc) override;
    void documentiCancellati(AppState& state, const QList<qint64>& IDDocumenti) override;

    // Runs f on the open index; a damaged index found on the way is made again (said in avvisi) and f
    // runs once more.
    template <class F> auto protetto(QStringList& avvisi, F&& f) {
        apriSeServe(avvisi);
        try {
            return f();
        } catch (const DbError& e) {
            if (!danneggiato(e))
                throw;
            avvisi << messaggioDanneggiato(e);
            indice_.ricrea();
            return f();
        }
    }

private:
    void apriSeServe(QStringList& avvisi);
    static bool danneggiato(const DbError& e);
    QString messaggioDanneggiato(const DbError& e) const;

    HomeFolder home_;
    IndiceRicerca indice_;
};

// A line for the operator about one archive brought up to date: "CONS1: 12 documenti indicizzati".
QString DescriviAggiornamento(const VoceAggiornamento& voce);
// The archives the update could not read, one message.
QStringList AvvisiAggiornamento(const QList<VoceAggiornamento>& voci);
