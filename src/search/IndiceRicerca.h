#pragma once

// The search index of the home folder, `mdb/indice ricerca.db`: one full-text row per document of
// every archive it has seen, with what it recorded of each archive file to notice changes made by
// anyone. It is never the source of truth: deleted or damaged, it is built again from the archives.
// Archives of mdb/ are known by their name, so a home copied or moved elsewhere keeps its index.

#include "search/Estratto.h"
#include "search/IndexDb.h"
#include "search/InterrogazioneRicerca.h"
#include "search/LetturaArchivio.h"
#include "search/RigaIndice.h"
#include "search/Vocabolario.h"
#include "store/Dialogs.h"
#include "store/HomeFolder.h"

#include <QHash>
#include <QList>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

// What the index notes of an archive file to tell whether it changed: its size, modification time
// and the engine's own change counter (which every committed write moves), read from the header.
struct FirmaFile {
    qint64 dimensione = -1;
    qint64 modifica = -1;
    qint64 contatore = -1;
    bool archivio = false; // a SQLite file marked as a Quillaro archive
    bool wal = false;      // switched to write-ahead logging by another program

    bool operator==(const FirmaFile& o) const {
        return dimensione == o.dimensione && modifica == o.modifica && contatore == o.contatore &&
               archivio == o.archivio;
    }
};
FirmaFile LeggiFirmaFile(const QString& path);

// The name of an archive as mdb/ shows it, without ".db".
QString NomeArchivioIndice(const QString& path);

struct VoceAggiornamento {
    enum class Esito { Invariato, Indicizzato, Rimosso, Errore };
    QString nome;
    QString percorso; // absolute
    Esito esito = Esito::Invariato;
    qint64 nuovi = 0;
    qint64 cambiati = 0;
    qint64 tolti = 0;
    qint64 millisecondi = 0;
    QString errore;
};

struct RisultatoRicerca {
    qint64 id = 0;    // the index's row
    QString archivio; // name without ".db"
    QString percorso;
    qint64 numero = 0;
    QString identificativo;
    QString rivista;
    QString anno;
    QString titolo;
    QString estratto;         // the matched words between kInizioEvidenza and kFineEvidenza
    bool conEstratto = false; // the excerpt was made (a window makes those it shows, when it shows them)
    double punteggio = 0;
};

struct EsitoRicerca {
    qint64 totale = 0;
    // A query so broad that counting all it finds would read the longest lists of the index: the
    // count is estimated from a sample of every archive, to three figures ("circa").
    bool stimato = false;
    // Every word is in the title of so many documents that ranking them all would read the longest
    // lists of the index: the results are the best of the most recent of them (the last archives
    // indexed, the last numbers).
    bool recenti = false;
    QList<RisultatoRicerca> risultati;
};

// What the window and the command line say of a page drawn from the most recent documents.
inline QString NotaRecenti() {
    return QStringLiteral("(parole di moltissimi titoli: i più pertinenti tra i più recenti)");
}

// A document as the index holds it, for showing two probable duplicates side by side.
struct SchedaIndice {
    QString archivio;
    QString percorso;
    qint64 numero = 0;
    QString identificativo;
    QString riferimento;
    QString titolo;
    QString autori;
    QString fonti;
    QString classi;
    QString testi;
};

class IndiceRicerca {
public:
    explicit IndiceRicerca(QString percorso);
    ~IndiceRicerca();
    IndiceRicerca(const IndiceRicerca&) = delete;
    IndiceRicerca& operator=(const IndiceRicerca&) = delete;

    static QString percorsoIndice(const HomeFolder& home);
    QString percorso() const { return percorso_; }

    // Opens the index, making it when missing. A damaged index of ours is made again; any other
    // file under its name is put aside (".estraneo", ".estraneo.2", ...), never deleted. The returned
    // text then says so (empty when all was well). Throws DbError.
    QString apri();
    bool aperto() const { return db_.isOpen(); }
    void chiudi();
    // Deletes the file and makes an empty index.
    void ricrea();

    // While *annullata is true, the running operation stops with DbError SQLITE_INTERRUPT (set by
    // the thread that runs it, read by whoever cancels; null: never).
    void impostaAnnullamento(const std::atomic<bool>* annullata);
    // An index that is no longer sound: read as damaged, to be made again.
    static bool danneggiato(const DbError& e);

    // Brings the archives up to date: each one whose file changed since it was indexed (or that was
    // never indexed) is read again and its changed documents re-indexed. `cartella`, when given,
    // is the folder whose archives `percorsi` lists in full: indexed archives of it that are gone
    // are removed. Archives that are missing altogether are removed as well.
    QList<VoceAggiornamento> aggiorna(const QStringList& percorsi, Progress* progress,
                                      const QString& cartella = {});

    // The key of an indexed archive.
    std::optional<qint64> idArchivio(const QString& percorso);
    // How the index names an archive file (its name, when in the index's folder, else its path), and
    // the file a name stands for.
    QString chiaveArchivio(const QString& percorso) const;
    QString percorsoArchivio(const QString& chiave) const;

    // The ranked documents matching a query (InterpretaRicerca's), at most `limite` of them, in the
    // archives given (all when none is given), the first `estratti` with their excerpt (all when
    // negative). Ranked by BM25 over the fields, each with its weight (the title most), without the
    // documents' length: that would cost a lookup for every document found. Throws DbError.
    EsitoRicerca cerca(const Interrogazione& interrogazione, const std::optional<QList<qint64>>& archivi,
                       int limite, int estratti = -1);
    // The excerpt of one document for a query.
    QString estratto(const Estrattore& estrattore, qint64 idDocumento);

    // The editor's changes, told after they were committed on the archive open on `archivio`.
    // When they are the only change since the index last saw the file, the file is noted as current;
    // otherwise it is read again the next time the index is used.
    void documentoSalvato(cConnessione& archivio, qint64 numero);
    void documentiCancellati(cConnessione& archivio, const QList<qint64>& numeri);

    std::optional<SchedaIndice> scheda(qint64 idDocumento);

    IndexDb& db() { return db_; }
    static qint64 primoId(qint64 idArchivio);
    static qint64 ultimoId(qint64 idArchivio);
    static qint64 archivioDi(qint64 idDocumento);

    // What the ranking function of a connection needs for the running query: the rarity of each of
    // its phrases (worked out before the rows are read) and how many phrases, at the start, only
    // select (the titles' own, EspressioneNeiTitoli).
    struct ContestoRango {
        std::vector<double> idf;
        int salta = 0;
    };

    // How the index samples itself: the rarity of a common word and the count of a very broad
    // query are measured on `documenti` documents spread over the archives (at least
    // `perArchivio` of each) once the index holds more than twice as many; a count is an estimate
    // when the sample holds at least `minimoTrovati` of them and it comes to `stimaOltre` or more;
    // the first page of a query whose words are in the title of `recentiOltre` documents or more
    // is drawn from the most recent of those.
    struct Campionamento {
        qint64 documenti = 60000;
        qint64 perArchivio = 1000;
        qint64 minimoTrovati = 500;
        qint64 stimaOltre = 250000;
        qint64 recentiOltre = 100000;
    };
    void impostaCampionamento(const Campionamento& c);

private:
    // A second connection, for reading half of a broad search on the other processor.
    struct Lettore {
        // Both outlive the connection whose function and tokenizer use them.
        std::unique_ptr<ContestoRango> rango;
        Vocabolario vocabolario;
        IndexDb db;
    };
    struct RecordArchivio {
        qint64 id = 0;
        QString chiave; // the name in mdb/, or the path of an archive elsewhere
        QString nome;
        FirmaFile firma;
        qint64 prossimo = 0;
    };

    void registraFunzioni(IndexDb& db, ContestoRango* contesto, Vocabolario* vocabolario);
    static void configura(IndexDb& db);
    static int seAnnullata(void* indice);
    void verificaAnnullamento() const;

    Lettore* secondoLettore();
    // How many documents hold each phrase, kept while the index stays as it is: counting a common
    // phrase reads a long list.
    struct Frequenze {
        QHash<QString, double> documenti;
        qint64 totale = -1; // documents in the index
        // A common phrase's rarity is measured on a sample spread over every archive (its share
        // there stands for its share in the whole index); a rarer one is counted everywhere, cheaply.
        struct Parte {
            qint64 archivio;
            qint64 da, a;     // rows
            qint64 documenti; // in them
            qint64 nellArchivio;
        };
        std::vector<Parte> campione;
        qint64 nelCampione = 0;
        std::pair<qint64, qint64> versione{-1, -1}; // the engine's data version and our own writes
    };
    // The fields of a document as the index keeps them, in the order of the full-text table's
    // columns; nothing when it has no such document. Throws DbError SQLITE_CORRUPT when what it
    // keeps cannot be read.
    static std::optional<QList<QByteArray>> campiUtf8(IndexDb& db, const QByteArray& dizionario,
                                                      qint64 idDocumento);
    // The dictionary the fields are compressed against (RigaIndice.h), read once; empty in an index
    // without documents.
    const QByteArray& dizionario();
    void salvaDizionario(const QByteArray& dizionario);
    // The rarity (inverse document frequency) of each phrase.
    std::vector<double> rarita(const QStringList& frasi);
    // Whether each phrase is in that many documents of the index at least (as far as rarita() knows):
    // a query of them can match no more.
    bool frasiInAlmeno(const QStringList& frasi, qint64 documenti) const;
    // The estimated count of a query in the archives given (sorted), when it comes to `oltre` or more.
    std::optional<qint64> stimaTotale(const QString& espressione, const QList<qint64>& archivi, qint64 oltre);
    void creaSchema();
    QString controlla();
    std::optional<RecordArchivio> record(const QString& percorso);
    RecordArchivio nuovoRecord(const QString& percorso);
    void salvaFirma(qint64 id, const FirmaFile& firma);
    void rimuoviArchivio(qint64 id);
    VoceAggiornamento riallinea(const QString& percorso, const FirmaFile& firma, Progress* progress,
                                int numero, int quanti);
    // A document's row written under its key, a new key of the archive when it has none (the
    // archive's next key then noted by salvaProssimo); a row of that key is taken out first.
    void scriviDocumento(RecordArchivio& archivio, const RigaIndice& riga, std::optional<qint64> id);
    void salvaProssimo(const RecordArchivio& archivio);
    void togliDocumento(qint64 id);
    // Commits the transaction, and with it the words of the vocabulary written in it.
    void conferma(IndexTransaction& t);

    QString percorso_;
    std::unique_ptr<ContestoRango> rango_;
    std::unique_ptr<Frequenze> frequenze_;
    Campionamento campionamento_;
    std::unique_ptr<Lettore> secondo_;
    qint64 scritture_ = 0; // our own changes, which the engine's data version does not count
    std::atomic<const std::atomic<bool>*> annullata_{nullptr};
    Vocabolario vocabolario_; // outlives the connection whose tokenizer reads it
    std::optional<QByteArray> dizionario_;
    IndexDb db_;
};
