#include "search/IndiceRicerca.h"

#include "search/Tokenizzatore.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <sqlite3.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr int kApplicationIdIndice = 1364087369; // 'QLRI'
// 4: each word stored once as written, its stem looked for through the vocabulary (`parole`); the
// fields kept compressed (`contenuti`), the full-text table without a copy of them.
// 3: archives keyed by their name in mdb/ with their count of documents, a free position between
// the entries of a field, the titles' own tokens, compatibility forms folded, prefixes of one and two
// letters indexed, authors kept for duplicates.
constexpr int kVersioneIndice = 4;
// Each archive owns a block of full-text row numbers, so that a search in one archive reads only
// its block.
constexpr int kBitBlocco = 40;
constexpr int kDocumentiPerBlocco = 1000;

// The engine gathers what it writes in memory up to `hashsize` bytes before it writes a segment:
// an archive of 30 000 documents then makes two or three segments, not a hundred to merge.
const char* const kSchema = R"sql(
PRAGMA application_id = 1364087369;
PRAGMA user_version = 4;
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
CREATE TABLE contenuti (
    id    INTEGER PRIMARY KEY,
    campi BLOB NOT NULL
);
CREATE TABLE dizionario (
    testo BLOB NOT NULL
);
CREATE TABLE parole (
    radice TEXT NOT NULL,
    parola TEXT NOT NULL,
    PRIMARY KEY (radice, parola)
) WITHOUT ROWID;
CREATE VIRTUAL TABLE testi USING fts5 (
    titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro, tokenize = 'quillaro',
    prefix = '1 2', content = '', columnsize = 0
);
INSERT INTO testi (testi, rank) VALUES ('hashsize', 33554432);
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

} // namespace

namespace {

quint32 be32(const QByteArray& b, int at) {
    return (static_cast<quint32>(static_cast<uchar>(b[at])) << 24) |
           (static_cast<quint32>(static_cast<uchar>(b[at + 1])) << 16) |
           (static_cast<quint32>(static_cast<uchar>(b[at + 2])) << 8) |
           static_cast<quint32>(static_cast<uchar>(b[at + 3]));
}

QString assoluto(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
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
    dizionario_.reset();
    secondo_.reset();
    vocabolario_.collega(nullptr);
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
    if (db_.scalar("select count(*) from sqlite_schema where name in ('archivi', 'documenti', 'testi', "
                   "'contenuti', 'dizionario', 'parole')") != 6)
        return QStringLiteral("incompleto");
    // Reads the full-text table's structure: a damaged one fails here rather than in a search.
    db_.scalar("select count(*) from testi where testi match '\"0\"' and rowid = 0");
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
        registraFunzioni(db_, rango_.get(), &vocabolario_);
        motivo = controlla();
    } catch (const DbError& e) {
        vocabolario_.collega(nullptr);
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
    dizionario_.reset();
    secondo_.reset();
    vocabolario_.collega(nullptr);
    db_.close();
    for (const char* coda : {"", "-wal", "-shm", "-journal"})
        QFile::remove(percorso_ + QString::fromLatin1(coda));
    QDir().mkpath(QFileInfo(percorso_).absolutePath());
    db_.open(percorso_);
    registraFunzioni(db_, rango_.get(), &vocabolario_);
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
    vocabolario_.scarta();
    dizionario_.reset();
    // A row of the full-text table goes with the texts it was made of, read back from what is kept.
    std::vector<qint64> ids;
    {
        IndexStatement s = db_.prepare("select id from documenti where archivio = ?");
        s.bind(1, id);
        while (s.step())
            ids.push_back(s.integer(0));
    }
    for (const qint64 documento : ids)
        togliDocumento(documento);
    IndexStatement archivio = db_.prepare("delete from archivi where id = ?");
    archivio.bind(1, id).run();
    conferma(t);
}

void IndiceRicerca::conferma(IndexTransaction& t) {
    vocabolario_.scrivi();
    t.commit();
    vocabolario_.conferma();
}

void IndiceRicerca::salvaDizionario(const QByteArray& dizionario) {
    IndexStatement s = db_.prepare("insert into dizionario (testo) values (?)");
    s.bindBlob(1, dizionario).run();
    dizionario_ = dizionario;
}

void IndiceRicerca::salvaProssimo(const RecordArchivio& archivio) {
    db_.cached("update archivi set prossimo = ? where id = ?")
        .bind(1, archivio.prossimo)
        .bind(2, archivio.id)
        .run();
}

void IndiceRicerca::scriviDocumento(RecordArchivio& archivio, const RigaIndice& riga,
                                    std::optional<qint64> id) {
    ++scritture_;
    if (id) {
        togliDocumento(*id);
    } else {
        id = primoId(archivio.id) + archivio.prossimo;
        ++archivio.prossimo;
    }
    db_.cached(
           "insert into documenti (id, archivio, numero, identificativo, rivista, anno, titolo, riferimento, "
           "chiave_titolo, chiave_inversa, chiave_fascicolo, autori, firma) values (?, ?, ?, ?, ?, ?, ?, ?, "
           "?, ?, ?, ?, ?)")
        .bind(1, *id)
        .bind(2, archivio.id)
        .bind(3, riga.numero)
        .bind(4, std::string_view(riga.identificativo))
        .bind(5, std::string_view(riga.rivista))
        .bind(6, std::string_view(riga.anno))
        .bind(7, std::string_view(riga.titolo))
        .bind(8, std::string_view(riga.riferimento))
        .bind(9, std::string_view(riga.chiaveTitolo))
        .bind(10, std::string_view(riga.chiaveInversa))
        .bind(11, std::string_view(riga.chiaveFascicolo))
        .bind(12, std::string_view(riga.autori))
        .bind(13, riga.firma)
        .run();
    db_.cached("insert into contenuti (id, campi) values (?, ?)")
        .bind(1, *id)
        .bindBlob(2, riga.contenuto)
        .run();
    IndexStatement& testi = db_.cached(
        "insert into testi (rowid, titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    testi.bind(1, *id);
    for (int c = 0; c < kCampiIndice; ++c)
        testi.bind(c + 2, std::string_view(riga.campi[static_cast<size_t>(c)].testo));
    // The engine reads the fields' tokens as they were made, not the texts again.
    vocabolario_.prepara(&riga.campi);
    try {
        testi.run();
    } catch (...) {
        vocabolario_.prepara(nullptr);
        throw;
    }
    vocabolario_.prepara(nullptr);
}

void IndiceRicerca::togliDocumento(qint64 id) {
    ++scritture_;
    // The full-text table keeps no texts: it is told the ones the row was made of, to take out what
    // it indexed of them.
    if (const std::optional<QList<QByteArray>> campi = campiUtf8(db_, dizionario(), id)) {
        IndexStatement& testi = db_.cached("insert into testi (testi, rowid, titolo, autore, fonte, testo, "
                                           "rivista, anno, classe, archivio, altro) "
                                           "values ('delete', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        testi.bind(1, id);
        for (int c = 0; c < kCampiIndice; ++c)
            testi.bind(c + 2,
                       std::string_view(campi->at(c).constData(), static_cast<size_t>(campi->at(c).size())));
        testi.run();
    } else {
        // A document whose texts are gone cannot leave the full-text table: the index is not sound.
        IndexStatement& s = db_.cached("select 1 from documenti where id = ?");
        const bool documento = s.bind(1, id).step();
        s.reset();
        if (documento)
            throw DbError(SQLITE_CORRUPT,
                          QStringLiteral("Testi del documento %1 mancanti nell'indice.").arg(id));
    }
    db_.cached("delete from contenuti where id = ?").bind(1, id).run();
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

namespace {

// A block of an archive as the reading thread hands it over: its documents that are new or changed
// made into rows, the numbers of all those it read, the words it met that the vocabulary lacks.
struct BloccoPronto {
    std::vector<RigaIndice> righe;
    std::vector<std::optional<qint64>> sostituite; // the index's row each one replaces
    std::vector<qint64> numeri;
    std::vector<ParolaRadice> nuove;
    QByteArray dizionario; // made from this block: the index had none
    std::exception_ptr errore;
    bool fine = false;
};

// Reads an archive block by block on a thread of its own and makes its documents into rows (texts
// folded, stemmed, compressed), a block or two ahead of the thread that writes them into the index:
// the two halves of the work run on two processors. What the index holds of the archive and the
// vocabulary are only read while it works.
class LetturaAnticipata {
public:
    LetturaAnticipata(cConnessione& archivio, const NumerazioneArchivio& numerazione, const QString& nome,
                      const QHash<qint64, std::pair<qint64, qint64>>& presenti,
                      const Vocabolario& vocabolario, QByteArray dizionario)
        : archivio_(archivio), numerazione_(numerazione), nome_(nome), presenti_(presenti),
          vocabolario_(vocabolario), dizionario_(std::move(dizionario)), lavoratore_([this] { lavora(); }) {}
    ~LetturaAnticipata() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            fermo_ = true;
        }
        spazio_.notify_one();
        lavoratore_.join();
    }
    LetturaAnticipata(const LetturaAnticipata&) = delete;
    LetturaAnticipata& operator=(const LetturaAnticipata&) = delete;

    BloccoPronto prossimo() {
        std::unique_lock<std::mutex> lock(mutex_);
        pronti_.wait(lock, [&] { return !coda_.empty(); });
        BloccoPronto b = std::move(coda_.front());
        coda_.pop_front();
        lock.unlock();
        spazio_.notify_one();
        return b;
    }

private:
    static constexpr size_t kAnticipo = 2;

    void consegna(BloccoPronto&& b) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            coda_.push_back(std::move(b));
        }
        pronti_.notify_one();
    }

    void lavora() {
        try {
            LettoreArchivio lettore(archivio_);
            PreparatoreToken token(&vocabolario_);
            std::optional<qint64> dopo;
            qint64 letti = 0;
            for (;;) {
                {
                    std::unique_lock<std::mutex> lock(mutex_);
                    spazio_.wait(lock, [&] { return fermo_ || coda_.size() < kAnticipo; });
                    if (fermo_)
                        return;
                }
                const QList<DocumentoIndice> blocco = dallArchivio([&] {
                    // Short read transactions, one per block: the archive stays free for its writers.
                    archivio_.executeScript(QStringLiteral("BEGIN"));
                    try {
                        auto b = lettore.blocco(dopo, kDocumentiPerBlocco, letti, numerazione_);
                        archivio_.executeScript(QStringLiteral("COMMIT"));
                        return b;
                    } catch (...) {
                        archivio_.executeScript(QStringLiteral("ROLLBACK"));
                        throw;
                    }
                });
                BloccoPronto b;
                b.fine = blocco.isEmpty();
                for (const DocumentoIndice& d : blocco) {
                    b.numeri.push_back(d.numero);
                    const auto it = presenti_.constFind(d.numero);
                    if (it != presenti_.cend() && it->second == d.firma())
                        continue;
                    b.sostituite.push_back(it != presenti_.cend() ? std::optional<qint64>(it->first)
                                                                  : std::nullopt);
                    b.righe.push_back(PreparaRiga(d, nome_, token));
                }
                if (dizionario_.isEmpty() && !b.righe.empty())
                    b.dizionario = dizionario_ = DizionarioDa(b.righe);
                for (RigaIndice& riga : b.righe)
                    riga.contenuto = ComprimiCampi(riga.campi, dizionario_);
                b.nuove = token.prendiNuove();
                letti += blocco.size();
                if (!blocco.isEmpty())
                    dopo = blocco.last().numero;
                consegna(std::move(b));
                if (blocco.isEmpty())
                    return;
            }
        } catch (...) {
            BloccoPronto b;
            b.errore = std::current_exception();
            consegna(std::move(b));
        }
    }

    cConnessione& archivio_;
    const NumerazioneArchivio numerazione_;
    const QString nome_;
    const QHash<qint64, std::pair<qint64, qint64>>& presenti_;
    const Vocabolario& vocabolario_;
    QByteArray dizionario_;
    std::mutex mutex_;
    std::condition_variable pronti_; // a block to write
    std::condition_variable spazio_; // room for one more, or the end
    std::deque<BloccoPronto> coda_;
    bool fermo_ = false;
    std::thread lavoratore_; // last: it starts once all the rest is there
};

} // namespace

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
        vocabolario_.scarta();
        dizionario_.reset();
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
        qint64 totale = 0;
        NumerazioneArchivio numerazione;
        dallArchivio([&] {
            archivio.executeScript(QStringLiteral("BEGIN"));
            numerazione = LettoreArchivio(archivio).numerazione();
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
        // The words of the index, so that the reading thread reports only the new ones.
        vocabolario_.caricaNote();
        std::vector<qint64> letti;
        {
            LetturaAnticipata lettura(archivio, numerazione, r.nome, presenti, vocabolario_, dizionario());
            for (;;) {
                verificaAnnullamento();
                BloccoPronto b = lettura.prossimo();
                if (b.errore)
                    std::rethrow_exception(b.errore);
                if (b.fine)
                    break;
                if (!b.dizionario.isEmpty())
                    salvaDizionario(b.dizionario);
                const qint64 prossimo = r.prossimo;
                for (size_t i = 0; i < b.righe.size(); ++i) {
                    scriviDocumento(r, b.righe[i], b.sostituite[i]);
                    ++(b.sostituite[i] ? v.cambiati : v.nuovi);
                }
                if (r.prossimo != prossimo)
                    salvaProssimo(r);
                vocabolario_.aggiungi(std::move(b.nuove));
                vocabolario_.scrivi();
                letti.insert(letti.end(), b.numeri.cbegin(), b.numeri.cend());
                const qint64 n = static_cast<qint64>(letti.size());
                if (progress)
                    progress->setValue(std::min(n, std::max(totale, n)));
            }
        }
        for (const qint64 n : letti)
            presenti.remove(n);
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
        conferma(t);
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
    vocabolario_.scarta();
    dizionario_.reset();
    std::optional<qint64> id;
    {
        IndexStatement s = db_.prepare("select id from documenti where archivio = ? and numero = ?");
        s.bind(1, r->id).bind(2, numero);
        if (s.step())
            id = s.integer(0);
    }
    if (d) {
        PreparatoreToken token(&vocabolario_);
        RigaIndice riga = PreparaRiga(*d, r->nome, token);
        if (dizionario().isEmpty())
            salvaDizionario(DizionarioDa({riga}));
        riga.contenuto = ComprimiCampi(riga.campi, dizionario());
        scriviDocumento(*r, riga, id);
        if (!id)
            salvaProssimo(*r);
        vocabolario_.aggiungi(token.prendiNuove());
    } else if (id) {
        togliDocumento(*id);
    }
    // A new document before others moves their identifiers: those are read again next time.
    const bool spostati = !id && d && lettore.documentiDopo(numero) > 0;
    const bool soloQuesto =
        r->firma.contatore >= 0 && ora.contatore == ((r->firma.contatore + 1) & 0xFFFFFFFF);
    salvaFirma(r->id, (soloQuesto && !spostati) ? ora : FirmaFile{});
    conferma(t);
}

void IndiceRicerca::documentiCancellati(cConnessione& archivio, const QList<qint64>& numeri) {
    auto r = record(archivio.path());
    if (!r || numeri.isEmpty())
        return;
    const FirmaFile ora = LeggiFirmaFile(archivio.path());
    LettoreArchivio lettore(archivio);
    IndexTransaction t(db_);
    vocabolario_.scarta();
    dizionario_.reset();
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
    conferma(t);
}
