#include "search/IndiceRicerca.h"

#include "search/Tokenizzatore.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

constexpr int kApplicationIdIndice = 1364087369; // 'QLRI'
// 3: archives keyed by their name in mdb/ with their count of documents, a free position between
// the entries of a field, the titles' own tokens, compatibility forms folded, prefixes of one and two
// letters indexed, authors kept for duplicates.
constexpr int kVersioneIndice = 3;
// Each archive owns a block of full-text row numbers, so that a search in one archive reads only
// its block.
constexpr int kBitBlocco = 40;
constexpr int kDocumentiPerBlocco = 1000;

const char* const kSchema = R"sql(
PRAGMA application_id = 1364087369;
PRAGMA user_version = 3;
CREATE TABLE archivi (
    id         INTEGER PRIMARY KEY,
    chiave     TEXT NOT NULL UNIQUE,
    nome       TEXT NOT NULL,
    dimensione INTEGER NOT NULL DEFAULT -1,
    modifica   INTEGER NOT NULL DEFAULT -1,
    contatore  INTEGER NOT NULL DEFAULT -1,
    prossimo   INTEGER NOT NULL DEFAULT 0,
    documenti  INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE documenti (
    id               INTEGER PRIMARY KEY,
    archivio         INTEGER NOT NULL,
    numero           INTEGER NOT NULL,
    identificativo   TEXT NOT NULL,
    rivista          TEXT NOT NULL,
    anno             TEXT NOT NULL,
    titolo           TEXT NOT NULL,
    riferimento      TEXT NOT NULL,
    chiave_titolo    TEXT NOT NULL,
    chiave_inversa   TEXT NOT NULL,
    chiave_fascicolo TEXT NOT NULL,
    autori           TEXT NOT NULL,
    firma            INTEGER NOT NULL
);
CREATE UNIQUE INDEX ixDocumentiNumero ON documenti (archivio, numero);
CREATE INDEX ixDocumentiTitolo ON documenti (chiave_titolo) WHERE chiave_titolo <> '';
CREATE INDEX ixDocumentiInversa ON documenti (chiave_inversa) WHERE chiave_inversa <> '';
CREATE INDEX ixDocumentiFascicolo ON documenti (chiave_fascicolo) WHERE chiave_fascicolo <> '';
CREATE VIRTUAL TABLE testi USING fts5 (
    titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro, tokenize = 'quillaro',
    prefix = '1 2', columnsize = 0
);
)sql";

// A failure reading an archive: that archive is passed over, the index goes on with the others.
struct ErroreArchivio {
    QString messaggio;
};

template <class F> auto dallArchivio(F&& f) {
    try {
        return f();
    } catch (const DbError& e) {
        throw ErroreArchivio{e.description()};
    }
}

// How a word found in each field counts, in the order of the full-text table's columns: titolo,
// autore, fonte, testo, rivista, anno, classe, archivio, altro.
constexpr double kPesi[] = {10.0, 5.0, 3.0, 1.0, 2.0, 2.0, 3.0, 1.0, 2.0};
constexpr double kK1 = 1.2;

} // namespace

// What the ranking function of a connection needs for the running query: the rarity of each of
// its phrases (worked out before the rows are read) and how many phrases, at the start, only select
// (the titles' own, EspressioneNeiTitoli).
struct IndiceRicerca::ContestoRango {
    std::vector<double> idf;
    int salta = 0;
};

namespace {

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

quint32 be32(const QByteArray& b, int at) {
    return (static_cast<quint32>(static_cast<uchar>(b[at])) << 24) |
           (static_cast<quint32>(static_cast<uchar>(b[at + 1])) << 16) |
           (static_cast<quint32>(static_cast<uchar>(b[at + 2])) << 8) |
           static_cast<quint32>(static_cast<uchar>(b[at + 3]));
}

QString assoluto(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString inverti(const QString& s) {
    // By code points, so that a character outside the BMP stays whole.
    const QList<uint> punti = s.toUcs4();
    QString out;
    out.reserve(s.size());
    for (auto it = punti.crbegin(); it != punti.crend(); ++it)
        out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&*it), 1);
    return out;
}

// The marks of an excerpt and of the borders between entries must not come from the texts.
QString senzaSegni(QString s) {
    for (const char16_t segno : {kInizioEvidenza, kFineEvidenza, kConfineVoci, kSegnoTitolo})
        s.replace(QChar(segno), QChar(0xFFFD));
    return s;
}

QString unisci(const QStringList& parti, const QString& sep) {
    QStringList piene;
    for (const QString& p : parti)
        if (!p.trimmed().isEmpty())
            piene << p;
    return piene.join(sep);
}

// The entries of a field as the index stores them: the separator the operator reads, then the
// border no phrase runs across.
QString voci(const QStringList& parti, const QString& sep) {
    QStringList piene;
    for (const QString& p : parti)
        if (!p.trimmed().isEmpty())
            piene << senzaSegni(p);
    return piene.join(sep + QChar(kConfineVoci));
}

// The authors as the duplicates compare them: folded, one per line.
QString chiaveAutori(const QStringList& autori) {
    QStringList out;
    for (const QString& a : autori) {
        const QString p = TestoPiegato(a);
        if (!p.isEmpty())
            out << p;
    }
    return out.join(u'\n');
}

QString riferimento(const DocumentoIndice& d) {
    QStringList parti;
    parti << unisci({d.rivista, d.titoloRivista}, QStringLiteral(" - "));
    if (!d.data.isEmpty() && d.data != u"0000-00-00")
        parti << d.data;
    if (!d.fascicolo.trimmed().isEmpty())
        parti << QStringLiteral("fasc. ") + d.fascicolo;
    if (!d.volume.trimmed().isEmpty())
        parti << QStringLiteral("vol. ") + d.volume;
    if (!d.annata.trimmed().isEmpty())
        parti << QStringLiteral("annata ") + d.annata;
    if (!d.pagine.trimmed().isEmpty())
        parti << QStringLiteral("pp. ") + d.pagine;
    return unisci(parti, QStringLiteral(", "));
}

} // namespace

// ---------------------------------------------------------------------------------------------

FirmaFile LeggiFirmaFile(const QString& path) {
    FirmaFile f;
    const QFileInfo info(path);
    if (!info.isFile())
        return f;
    f.dimensione = info.size();
    f.modifica = info.lastModified().toMSecsSinceEpoch();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return f;
    const QByteArray testata = file.read(100);
    if (testata.size() < 100 || !testata.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return f;
    f.contatore = be32(testata, 24);
    f.wal = testata.at(18) == 2;
    f.archivio = static_cast<qint32>(be32(testata, 68)) == cConnessione::kApplicationId;
    return f;
}

QString NomeArchivioIndice(const QString& path) {
    QString nome = QFileInfo(path).fileName();
    if (nome.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        nome.chop(3);
    return nome;
}

IndiceRicerca::IndiceRicerca(QString percorso)
    : percorso_(std::move(percorso)), rango_(std::make_unique<ContestoRango>()),
      frequenze_(std::make_unique<Frequenze>()) {}

IndiceRicerca::~IndiceRicerca() = default;

int IndiceRicerca::seAnnullata(void* indice) {
    const auto* self = static_cast<const IndiceRicerca*>(indice);
    const std::atomic<bool>* annullata = self->annullata_.load();
    return annullata && annullata->load() ? 1 : 0;
}

void IndiceRicerca::registraFunzioni(IndexDb& db, ContestoRango* contesto) {
    RegistraTokenizzatore(db.handle());
    fts5_api* api = ApiFts5(db.handle());
    if (!api || api->xCreateFunction(api, "rango", contesto, rango, nullptr) != SQLITE_OK)
        throw DbError(SQLITE_ERROR, QStringLiteral("Funzione di ordinamento della ricerca non registrata."));
    // Annulla is heard between the engine's steps.
    sqlite3_progress_handler(db.handle(), 2000, &IndiceRicerca::seAnnullata, this);
}

void IndiceRicerca::impostaAnnullamento(const std::atomic<bool>* annullata) {
    annullata_.store(annullata);
}

void IndiceRicerca::verificaAnnullamento() const {
    if (seAnnullata(const_cast<IndiceRicerca*>(this)))
        throw DbError(SQLITE_INTERRUPT, QStringLiteral("Operazione annullata."));
}

bool IndiceRicerca::danneggiato(const DbError& e) {
    const int primario = e.number() & 0xFF;
    return primario == SQLITE_CORRUPT || primario == SQLITE_NOTADB || primario == SQLITE_FORMAT;
}

QString IndiceRicerca::percorsoIndice(const HomeFolder& home) {
    return home.mdbPath(QStringLiteral("indice ricerca.db"));
}

QString IndiceRicerca::chiaveArchivio(const QString& percorso) const {
    // By its name when it lies beside the index in mdb/: a home copied or moved keeps its index.
    const QFileInfo f(assoluto(percorso));
    if (f.absolutePath() == assoluto(QFileInfo(percorso_).absolutePath()))
        return f.fileName();
    return f.absoluteFilePath();
}

QString IndiceRicerca::percorsoArchivio(const QString& chiave) const {
    if (chiave.contains(u'/'))
        return chiave;
    return QDir(QFileInfo(percorso_).absolutePath()).filePath(chiave);
}

qint64 IndiceRicerca::primoId(qint64 idArchivio) {
    return idArchivio << kBitBlocco;
}

qint64 IndiceRicerca::ultimoId(qint64 idArchivio) {
    return ((idArchivio + 1) << kBitBlocco) - 1;
}

qint64 IndiceRicerca::archivioDi(qint64 idDocumento) {
    return idDocumento >> kBitBlocco;
}

void IndiceRicerca::chiudi() {
    secondo_.reset();
    db_.close();
}

void IndiceRicerca::creaSchema() {
    IndexTransaction t(db_);
    // Another program may have made it while this one waited for the lock.
    if (db_.scalar("select count(*) from sqlite_schema") == 0)
        db_.exec(kSchema);
    t.commit();
}

// Why the open file is not a sound index of ours; empty when it is one (or is new and empty).
QString IndiceRicerca::controlla() {
    const qint64 oggetti = db_.scalar("select count(*) from sqlite_schema");
    const qint64 id = db_.scalar("PRAGMA application_id");
    if (oggetti == 0 && id == 0)
        return {};
    if (id != kApplicationIdIndice)
        return QStringLiteral("estraneo");
    if (db_.scalar("PRAGMA user_version") != kVersioneIndice)
        return QStringLiteral("versione");
    if (db_.scalar("select count(*) from sqlite_schema where name in ('archivi', 'documenti', 'testi')") != 3)
        return QStringLiteral("incompleto");
    // Reads the full-text table's structure: a damaged one fails here rather than in a search.
    db_.scalar("select count(*) from testi where rowid = 0");
    return {};
}

namespace {

// A free name beside the index for a file that is not ours: ".estraneo", then ".estraneo.2", ...
QString nomeAParte(const QString& percorso) {
    QString nome = percorso + QStringLiteral(".estraneo");
    for (int n = 2; QFileInfo::exists(nome); ++n)
        nome = percorso + QStringLiteral(".estraneo.%1").arg(n);
    return nome;
}

// A failed try on a read-only index leaves its shared-memory and log files read-only too: once
// the index can be written again, they are made writable as it is, or the index stays unusable.
void allineaPermessi(const QString& percorso) {
    const QFileInfo indice(percorso);
    if (!indice.isFile() || !indice.isWritable())
        return;
    for (const char* coda : {"-shm", "-wal"}) {
        const QFileInfo f(percorso + QString::fromLatin1(coda));
        if (f.isFile() && !f.isWritable())
            QFile::setPermissions(f.absoluteFilePath(), f.permissions() | indice.permissions());
    }
}

} // namespace

namespace {

// An index of ours, whole or damaged (or an empty file): one the program may delete to make it again.
bool nostroIndice(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray testata = file.read(100);
    if (testata.isEmpty())
        return true;
    return testata.size() == 100 && testata.startsWith(QByteArrayLiteral("SQLite format 3\0")) &&
           static_cast<qint32>(be32(testata, 68)) == kApplicationIdIndice;
}

} // namespace

void IndiceRicerca::configura(IndexDb& db) {
    db.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA cache_size = -65536; "
            "PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 1073741824;");
}

QString IndiceRicerca::apri() {
    QString avviso;
    QString motivo;
    allineaPermessi(percorso_);
    try {
        db_.open(percorso_);
        registraFunzioni(db_, rango_.get());
        motivo = controlla();
    } catch (const DbError& e) {
        db_.close();
        if (!danneggiato(e) && QFileInfo(percorso_).isFile() && QFileInfo(percorso_).size() > 0)
            throw;
        motivo = nostroIndice(percorso_) ? QStringLiteral("danneggiato") : QStringLiteral("estraneo");
    }
    if (motivo == u"estraneo") {
        // Somebody else's database under our name: kept aside, never deleted.
        db_.close();
        const QString aParte = nomeAParte(percorso_);
        if (!QFile::rename(percorso_, aParte))
            throw DbError(SQLITE_CANTOPEN,
                          QStringLiteral("Il file %1 non è un indice di ricerca e non si può spostare in %2.")
                              .arg(QDir::toNativeSeparators(percorso_), QDir::toNativeSeparators(aParte)));
        avviso =
            QStringLiteral("Il file %1 non era un indice di ricerca di Quillaro: è stato rinominato in %2 e "
                           "l'indice viene costruito di nuovo dagli archivi.")
                .arg(QDir::toNativeSeparators(percorso_), QDir::toNativeSeparators(aParte));
        motivo = QStringLiteral("nuovo");
    } else if (motivo == u"versione") {
        avviso =
            QStringLiteral("L'indice di ricerca %1 era di un'altra versione del programma e non è stato "
                           "usato: viene costruito di nuovo dagli archivi, che non hanno subito alcun danno.")
                .arg(QDir::toNativeSeparators(percorso_));
    } else if (!motivo.isEmpty()) {
        avviso = QStringLiteral(
                     "L'indice di ricerca %1 era danneggiato e non è stato usato: viene costruito di nuovo "
                     "dagli archivi, che non hanno subito alcun danno.")
                     .arg(QDir::toNativeSeparators(percorso_));
    }
    if (!motivo.isEmpty()) {
        ricrea();
    } else {
        configura(db_);
        if (db_.scalar("select count(*) from sqlite_schema") == 0)
            creaSchema();
    }
    return avviso;
}

void IndiceRicerca::ricrea() {
    ++scritture_;
    secondo_.reset();
    db_.close();
    for (const char* coda : {"", "-wal", "-shm", "-journal"})
        QFile::remove(percorso_ + QString::fromLatin1(coda));
    QDir().mkpath(QFileInfo(percorso_).absolutePath());
    db_.open(percorso_);
    registraFunzioni(db_, rango_.get());
    configura(db_);
    creaSchema();
}

// ---------------------------------------------------------------------------------------------
// Archives.

std::optional<IndiceRicerca::RecordArchivio> IndiceRicerca::record(const QString& percorso) {
    IndexStatement s = db_.prepare("select id, chiave, nome, dimensione, modifica, contatore, prossimo "
                                   "from archivi where chiave = ?");
    s.bind(1, chiaveArchivio(percorso));
    if (!s.step())
        return std::nullopt;
    RecordArchivio r;
    r.id = s.integer(0);
    r.chiave = s.text(1);
    r.nome = s.text(2);
    r.firma.dimensione = s.integer(3);
    r.firma.modifica = s.integer(4);
    r.firma.contatore = s.integer(5);
    r.firma.archivio = true;
    r.prossimo = s.integer(6);
    return r;
}

IndiceRicerca::RecordArchivio IndiceRicerca::nuovoRecord(const QString& percorso) {
    RecordArchivio r;
    r.chiave = chiaveArchivio(percorso);
    r.nome = NomeArchivioIndice(percorso);
    r.id = db_.scalar("select coalesce(max(id), 0) from archivi") + 1;
    IndexStatement s = db_.prepare("insert into archivi (id, chiave, nome) values (?, ?, ?)");
    s.bind(1, r.id).bind(2, r.chiave).bind(3, r.nome).run();
    return r;
}

std::optional<qint64> IndiceRicerca::idArchivio(const QString& percorso) {
    IndexStatement s = db_.prepare("select id from archivi where chiave = ?");
    s.bind(1, chiaveArchivio(percorso));
    if (!s.step())
        return std::nullopt;
    return s.integer(0);
}

void IndiceRicerca::salvaFirma(qint64 id, const FirmaFile& firma) {
    // With the count of its documents, which the rarity of the words is measured against.
    IndexStatement s =
        db_.prepare("update archivi set dimensione = ?2, modifica = ?3, contatore = ?4, documenti = "
                    "(select count(*) from documenti where archivio = ?1) where id = ?1");
    s.bind(1, id).bind(2, firma.dimensione).bind(3, firma.modifica).bind(4, firma.contatore).run();
}

void IndiceRicerca::rimuoviArchivio(qint64 id) {
    ++scritture_;
    IndexTransaction t(db_);
    IndexStatement testi = db_.prepare("delete from testi where rowid between ? and ?");
    testi.bind(1, primoId(id)).bind(2, ultimoId(id)).run();
    IndexStatement documenti = db_.prepare("delete from documenti where archivio = ?");
    documenti.bind(1, id).run();
    IndexStatement archivio = db_.prepare("delete from archivi where id = ?");
    archivio.bind(1, id).run();
    t.commit();
}

void IndiceRicerca::scriviDocumento(RecordArchivio& archivio, const DocumentoIndice& d,
                                    std::optional<qint64> id) {
    ++scritture_;
    if (id) {
        togliDocumento(*id);
    } else {
        id = primoId(archivio.id) + archivio.prossimo;
        ++archivio.prossimo;
        db_.cached("update archivi set prossimo = ? where id = ?")
            .bind(1, archivio.prossimo)
            .bind(2, archivio.id)
            .run();
    }
    const QString chiaveTitolo = ChiaveTitolo(d.titolo);
    IndexStatement& doc = db_.cached(
        "insert into documenti (id, archivio, numero, identificativo, rivista, anno, titolo, riferimento, "
        "chiave_titolo, chiave_inversa, chiave_fascicolo, autori, firma) values (?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, "
        "?, ?, ?)");
    doc.bind(1, *id)
        .bind(2, archivio.id)
        .bind(3, d.numero)
        .bind(4, d.identificativo)
        .bind(5, d.rivista)
        .bind(6, d.anno())
        .bind(7, d.titolo)
        .bind(8, riferimento(d))
        .bind(9, chiaveTitolo)
        .bind(10, inverti(chiaveTitolo))
        .bind(11, d.chiaveFascicolo())
        .bind(12, chiaveAutori(d.autori))
        .bind(13, d.firma())
        .run();
    QStringList altro{QString::number(d.numero), d.identificativo, d.fascicolo, d.volume, d.pagine, d.url};
    QStringList anni{d.anno()};
    if (d.annata.trimmed() != d.anno())
        anni << d.annata;
    IndexStatement& testi =
        db_.cached("insert into testi (rowid, titolo, autore, fonte, testo, rivista, anno, "
                   "classe, archivio, altro) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    testi.bind(1, *id)
        .bind(2, QChar(kSegnoTitolo) + voci({d.titolo, d.traduzione}, QStringLiteral("\n")))
        .bind(3, voci(d.autori, QStringLiteral("; ")))
        .bind(4, voci(d.fonti, QStringLiteral("; ")))
        .bind(5, voci(d.testi, QStringLiteral("\n")))
        .bind(6, voci({d.rivista, d.titoloRivista}, QStringLiteral(" - ")))
        .bind(7, voci(anni, QStringLiteral(" ")))
        .bind(8, voci(d.classi, QStringLiteral("; ")))
        .bind(9, senzaSegni(archivio.nome))
        .bind(10, voci(altro, QStringLiteral(" ")))
        .run();
}

void IndiceRicerca::togliDocumento(qint64 id) {
    ++scritture_;
    db_.cached("delete from testi where rowid = ?").bind(1, id).run();
    db_.cached("delete from documenti where id = ?").bind(1, id).run();
}

QList<VoceAggiornamento> IndiceRicerca::aggiorna(const QStringList& percorsi, Progress* progress,
                                                 const QString& cartella) {
    QList<VoceAggiornamento> esiti;
    // Archives gone from their folder, or gone altogether, leave the index.
    {
        QSet<QString> presenti;
        for (const QString& p : percorsi)
            presenti.insert(chiaveArchivio(p));
        const QString dir = cartella.isEmpty() ? QString() : assoluto(cartella);
        std::vector<std::pair<qint64, QString>> via;
        IndexStatement s = db_.prepare("select id, chiave from archivi");
        while (s.step()) {
            const QString k = s.text(1);
            const QString p = percorsoArchivio(k);
            const bool nellaCartella = !dir.isEmpty() && QFileInfo(p).absolutePath() == dir;
            if ((nellaCartella && !presenti.contains(k)) || !QFileInfo(p).isFile())
                via.emplace_back(s.integer(0), p);
        }
        s.reset();
        for (const auto& [id, p] : via) {
            verificaAnnullamento();
            QElapsedTimer t;
            t.start();
            rimuoviArchivio(id);
            VoceAggiornamento v;
            v.nome = NomeArchivioIndice(p);
            v.percorso = p;
            v.esito = VoceAggiornamento::Esito::Rimosso;
            v.millisecondi = t.elapsed();
            esiti << v;
        }
    }
    // Which archives changed: the checks are cheap (the file's size, time and header).
    std::vector<std::pair<QString, FirmaFile>> daLeggere;
    for (const QString& p : percorsi) {
        const FirmaFile firma = LeggiFirmaFile(p);
        const auto r = record(p);
        VoceAggiornamento v;
        v.nome = NomeArchivioIndice(p);
        v.percorso = assoluto(p);
        if (!firma.archivio) {
            v.esito = VoceAggiornamento::Esito::Errore;
            v.errore = QFileInfo(p).isFile()
                           ? QStringLiteral("il file non è un archivio di consegna di Quillaro")
                           : QStringLiteral("il file non esiste");
            esiti << v;
        } else if (r && r->firma == firma) {
            esiti << v;
        } else {
            daLeggere.emplace_back(p, firma);
        }
    }
    int numero = 0;
    for (const auto& [p, firma] : daLeggere)
        esiti << riallinea(p, firma, progress, ++numero, static_cast<int>(daLeggere.size()));
    return esiti;
}

VoceAggiornamento IndiceRicerca::riallinea(const QString& percorso, const FirmaFile& firma,
                                           Progress* progress, int numero, int quanti) {
    QElapsedTimer orologio;
    orologio.start();
    VoceAggiornamento v;
    v.nome = NomeArchivioIndice(percorso);
    v.percorso = assoluto(percorso);
    v.esito = VoceAggiornamento::Esito::Indicizzato;
    cConnessione archivio;
    // An archive another program switched to write-ahead logging cannot be read without writing its
    // shared-memory file: it is opened for writing, and only read.
    if (!archivio.ApriConnessione(percorso, FileKind::DeliveryArchive, !firma.wal)) {
        v.esito = VoceAggiornamento::Esito::Errore;
        v.errore = archivio.lastErrorMessage();
        return v;
    }
    try {
        IndexTransaction t(db_);
        RecordArchivio r = record(percorso).value_or(RecordArchivio{});
        if (r.id == 0)
            r = nuovoRecord(percorso);
        // What the index holds of the archive: number -> (row, fingerprint).
        QHash<qint64, std::pair<qint64, qint64>> presenti;
        {
            IndexStatement s = db_.prepare("select numero, id, firma from documenti where archivio = ?");
            s.bind(1, r.id);
            while (s.step())
                presenti.insert(s.integer(0), {s.integer(1), s.integer(2)});
        }
        LettoreArchivio lettore(archivio);
        qint64 totale = 0;
        NumerazioneArchivio numerazione;
        dallArchivio([&] {
            // Short read transactions, one per block: the archive stays free for its writers.
            archivio.executeScript(QStringLiteral("BEGIN"));
            numerazione = lettore.numerazione();
            RecordSet rs = archivio.ApriRS(QStringLiteral("select count(*) from tabDocumento"));
            totale = rs.field(0).toLongLong();
            rs.close();
            archivio.executeScript(QStringLiteral("COMMIT"));
            return 0;
        });
        if (progress) {
            progress->setLabel(quanti > 1 ? QStringLiteral("Indicizzazione dell'archivio %1 (%2 di %3)")
                                                .arg(v.nome)
                                                .arg(numero)
                                                .arg(quanti)
                                          : QStringLiteral("Indicizzazione dell'archivio %1").arg(v.nome));
            progress->setRange(totale);
            progress->setValue(0);
        }
        std::optional<qint64> dopo;
        qint64 letti = 0;
        for (;;) {
            verificaAnnullamento();
            const QList<DocumentoIndice> blocco = dallArchivio([&] {
                archivio.executeScript(QStringLiteral("BEGIN"));
                try {
                    auto b = lettore.blocco(dopo, kDocumentiPerBlocco, letti, numerazione);
                    archivio.executeScript(QStringLiteral("COMMIT"));
                    return b;
                } catch (...) {
                    archivio.executeScript(QStringLiteral("ROLLBACK"));
                    throw;
                }
            });
            if (blocco.isEmpty())
                break;
            for (const DocumentoIndice& d : blocco) {
                auto it = presenti.find(d.numero);
                if (it == presenti.end()) {
                    scriviDocumento(r, d, std::nullopt);
                    ++v.nuovi;
                } else {
                    if (it->second != d.firma()) {
                        scriviDocumento(r, d, it->first);
                        ++v.cambiati;
                    }
                    presenti.erase(it);
                }
            }
            letti += blocco.size();
            dopo = blocco.last().numero;
            if (progress)
                progress->setValue(std::min(letti, std::max(totale, letti)));
        }
        for (auto it = presenti.cbegin(); it != presenti.cend(); ++it) {
            togliDocumento(it->first);
            ++v.tolti;
        }
        // Changed while it was being read: read again next time.
        const FirmaFile dopoLettura = LeggiFirmaFile(percorso);
        FirmaFile nota = firma;
        if (!(dopoLettura == firma))
            nota.contatore = -1;
        salvaFirma(r.id, nota);
        t.commit();
    } catch (const ErroreArchivio& e) {
        v.esito = VoceAggiornamento::Esito::Errore;
        v.errore = e.messaggio;
    }
    archivio.ChiudiConnessione();
    v.millisecondi = orologio.elapsed();
    return v;
}

// ---------------------------------------------------------------------------------------------
// The editor's changes.

void IndiceRicerca::documentoSalvato(cConnessione& archivio, qint64 numero) {
    auto r = record(archivio.path());
    if (!r)
        return; // never indexed: it will be read whole when the index is first used on it
    const FirmaFile ora = LeggiFirmaFile(archivio.path());
    LettoreArchivio lettore(archivio);
    const std::optional<DocumentoIndice> d = lettore.documento(numero);
    IndexTransaction t(db_);
    std::optional<qint64> id;
    {
        IndexStatement s = db_.prepare("select id from documenti where archivio = ? and numero = ?");
        s.bind(1, r->id).bind(2, numero);
        if (s.step())
            id = s.integer(0);
    }
    if (d)
        scriviDocumento(*r, *d, id);
    else if (id)
        togliDocumento(*id);
    // A new document before others moves their identifiers: those are read again next time.
    const bool spostati = !id && d && lettore.documentiDopo(numero) > 0;
    const bool soloQuesto =
        r->firma.contatore >= 0 && ora.contatore == ((r->firma.contatore + 1) & 0xFFFFFFFF);
    salvaFirma(r->id, (soloQuesto && !spostati) ? ora : FirmaFile{});
    t.commit();
}

void IndiceRicerca::documentiCancellati(cConnessione& archivio, const QList<qint64>& numeri) {
    auto r = record(archivio.path());
    if (!r || numeri.isEmpty())
        return;
    const FirmaFile ora = LeggiFirmaFile(archivio.path());
    LettoreArchivio lettore(archivio);
    IndexTransaction t(db_);
    for (qint64 numero : numeri) {
        IndexStatement s = db_.prepare("select id from documenti where archivio = ? and numero = ?");
        s.bind(1, r->id).bind(2, numero);
        if (s.step()) {
            const qint64 id = s.integer(0);
            s.reset();
            togliDocumento(id);
        }
    }
    // The documents after a deleted one move up by one in the numbering.
    const bool spostati = lettore.documentiDopo(*std::min_element(numeri.begin(), numeri.end())) > 0;
    const bool soloQuesto =
        r->firma.contatore >= 0 && ora.contatore == ((r->firma.contatore + 1) & 0xFFFFFFFF);
    salvaFirma(r->id, (!spostati && soloQuesto) ? ora : FirmaFile{});
    t.commit();
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

// How many documents hold each phrase, kept while the index stays as it is: counting a common
// phrase reads a long list.
struct IndiceRicerca::Frequenze {
    QHash<QString, double> documenti;
    qint64 totale = -1; // documents in the index
    // A common phrase's rarity is measured on a sample spread over every archive (its share there
    // stands for its share in the whole index); a rarer one is counted everywhere, cheaply.
    struct Parte {
        qint64 archivio;
        qint64 da, a;      // rows
        qint64 documenti;  // in them
        qint64 nellArchivio;
    };
    std::vector<Parte> campione;
    qint64 nelCampione = 0;
    std::pair<qint64, qint64> versione{-1, -1}; // the engine's data version and our own writes
};

IndiceRicerca::Lettore* IndiceRicerca::secondoLettore() {
    if (secondo_)
        return secondo_.get();
    auto l = std::make_unique<Lettore>();
    l->rango = std::make_unique<ContestoRango>();
    try {
        l->db.open(percorso_);
        registraFunzioni(l->db, l->rango.get());
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
            const std::optional<qint64> stima =
                frasiInAlmeno(interrogazione.frasi, campionamento_.stimaOltre)
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
    const auto estrai = [&](IndexDb& db, qsizetype da, qsizetype a) {
        // One read transaction for all the look-ups, not a lock taken and released for each.
        LetturaIndice lettura(db);
        for (qsizetype i = da; i < a; ++i) {
            if (i % 64 == 0)
                verificaAnnullamento();
            RisultatoRicerca& r = risultati[i];
            r.estratto = estrattore.estratto(campiUtf8(db, r.id));
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

QList<QByteArray> IndiceRicerca::campiUtf8(IndexDb& db, qint64 idDocumento) {
    IndexStatement& s =
        db.cached("select titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro "
                  "from testi where rowid = ?");
    s.bind(1, idDocumento);
    QList<QByteArray> out;
    if (s.step())
        for (int c = 0; c < 9; ++c)
            out << s.utf8(c);
    s.reset();
    return out;
}

QStringList IndiceRicerca::campi(qint64 idDocumento) {
    IndexStatement& s =
        db_.cached("select titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro "
                   "from testi where rowid = ?");
    s.bind(1, idDocumento);
    QStringList out;
    if (s.step())
        for (int c = 0; c < 9; ++c)
            out << s.text(c).remove(QChar(kSegnoTitolo));
    s.reset();
    return out;
}

QString IndiceRicerca::estratto(const Estrattore& estrattore, qint64 idDocumento) {
    return estrattore.estratto(campiUtf8(db_, idDocumento));
}

std::optional<SchedaIndice> IndiceRicerca::scheda(qint64 idDocumento) {
    IndexStatement s = db_.prepare(
        "select a.nome, a.chiave, d.numero, d.identificativo, d.riferimento, t.titolo, t.autore, t.fonte, "
        "t.classe, t.testo from documenti d join archivi a on a.id = d.archivio join testi t on t.rowid = "
        "d.id "
        "where d.id = ?");
    s.bind(1, idDocumento);
    if (!s.step())
        return std::nullopt;
    const auto testo = [&](int colonna) {
        return s.text(colonna).remove(QChar(kConfineVoci)).remove(QChar(kSegnoTitolo));
    };
    SchedaIndice k;
    k.archivio = s.text(0);
    k.percorso = percorsoArchivio(s.text(1));
    k.numero = s.integer(2);
    k.identificativo = s.text(3);
    k.riferimento = s.text(4);
    k.titolo = testo(5);
    k.autori = testo(6);
    k.fonti = testo(7);
    k.classi = testo(8);
    k.testi = testo(9);
    return k;
}
