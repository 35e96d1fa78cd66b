#include "import/ImportaArchivio.h"

#include "import/JetProcesso.h"
#include "store/ArchiveFormat.h"
#include "store/Archivio.h"
#include "store/MessaggiErrore.h"
#include "store/Template.h"
#include "store/TextOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <utility>

namespace {

ApriFonteJet& apriSostituto() {
    static ApriFonteJet apri;
    return apri;
}

std::function<void(const QString&)>& osservatorePassi() {
    static std::function<void(const QString&)> osservatore;
    return osservatore;
}

} // namespace

std::unique_ptr<JetSource> ApriFileJet(const QString& path, Progress* progress) {
    if (const ApriFonteJet& sostituto = apriSostituto())
        return sostituto(path);
    std::unique_ptr<JetSource> source = JetProcesso::open(path, progress);
    source->setProgress(nullptr);
    return source;
}

FonteJetSostituita::FonteJetSostituita(ApriFonteJet apri)
    : precedente_(std::exchange(apriSostituto(), std::move(apri))) {}

FonteJetSostituita::~FonteJetSostituita() {
    apriSostituto() = std::move(precedente_);
}

PassiSostituzioneOsservati::PassiSostituzioneOsservati(std::function<void(const QString&)> osservatore)
    : precedente_(std::exchange(osservatorePassi(), std::move(osservatore))) {}

PassiSostituzioneOsservati::~PassiSostituzioneOsservati() {
    osservatorePassi() = std::move(precedente_);
}

namespace {

// The tables of a delivery; everything else in the schema is lookup data of the template.
const QStringList& tabelleConsegna() {
    static const QStringList names = {QStringLiteral("tabDocumento"),      QStringLiteral("tabRifBibl"),
                                      QStringLiteral("tabTesto"),          QStringLiteral("legameDocTesto"),
                                      QStringLiteral("tabResponsabilita"), QStringLiteral("legameDocResp"),
                                      QStringLiteral("legameDocClass"),    QStringLiteral("tabFonte"),
                                      QStringLiteral("legameDocFonte"),    QStringLiteral("tabInfo")};
    return names;
}

// What makes a template worth having: journals, classification scheme, courts and acts, treaties.
const QStringList& tabelleModello() {
    static const QStringList names = {QStringLiteral("tabRivisteOnline"), QStringLiteral("tabSistematici"),
                                      QStringLiteral("tabDescrittori"),   QStringLiteral("tabLegameDS"),
                                      QStringLiteral("tabFonteInterna"),  QStringLiteral("tabNIT")};
    return names;
}

void passo(const QString& nome) {
    if (osservatorePassi())
        osservatorePassi()(nome);
}

// `file` kept as `copia`, replacing an older copy only once the new one is whole: a hard link where
// the file system has them, else a copy.
void conservaCopia(const QString& file, const QString& copia) {
    const QString part = copia + QStringLiteral(".part");
    QFile::remove(part);
    std::error_code error;
    std::filesystem::create_hard_link(file.toStdU16String(), part.toStdU16String(), error);
    if (error && !QFile::copy(file, part)) {
        QFile::remove(part);
        throw std::runtime_error(
            QStringLiteral("impossibile conservare %1 come %2").arg(file, copia).toStdString());
    }
    passo(QStringLiteral("copia preparata"));
    std::filesystem::rename(part.toStdU16String(), copia.toStdU16String(), error);
    if (error) {
        QFile::remove(part);
        throw std::runtime_error(QStringLiteral("impossibile conservare %1 come %2: %3")
                                     .arg(file, copia, QString::fromLocal8Bit(error.message()))
                                     .toStdString());
    }
    passo(QStringLiteral("copia conservata"));
}

// While a source waits on its file, the progress keeps the window alive; for the time of a scope.
class Attesa {
public:
    Attesa(JetSource& source, Progress* progress) : source_(source) { source_.setProgress(progress); }
    ~Attesa() { source_.setProgress(nullptr); }
    Attesa(const Attesa&) = delete;
    Attesa& operator=(const Attesa&) = delete;

private:
    JetSource& source_;
};

EsitoImportazione::Rifiuto rifiutoPer(const JetError& error) {
    if (error.notJet())
        return EsitoImportazione::Rifiuto::NonAccess;
    return error.readerFault() ? EsitoImportazione::Rifiuto::Errore
                               : EsitoImportazione::Rifiuto::FileDanneggiato;
}

bool contiene(const QStringList& list, const QString& name) {
    return list.contains(name, Qt::CaseInsensitive);
}

QString citato(const QString& path) {
    return QStringLiteral("\u00AB%1\u00BB").arg(QFileInfo(path).fileName());
}

// A value as the summary shows it: short, on one line.
QString mostra(const QVariant& v) {
    QString s = v.typeId() == QMetaType::QByteArray ? QStringLiteral("%1 byte").arg(v.toByteArray().size())
                                                    : v.toString();
    s.replace(u'\n', u' ').replace(u'\r', u' ');
    if (s.size() > 40)
        s = s.left(37) + QStringLiteral("...");
    return u'"' + s + u'"';
}

template <typename T> QString numeroCorto(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString dataIso(const QDateTime& when, bool soloData) {
    const QDateTime utc = when.toUTC();
    const QString date = QStringLiteral("%1-%2-%3")
                             .arg(utc.date().year(), 4, 10, QLatin1Char('0'))
                             .arg(utc.date().month(), 2, 10, QLatin1Char('0'))
                             .arg(utc.date().day(), 2, 10, QLatin1Char('0'));
    if (soloData || utc.time().msecsSinceStartOfDay() == 0)
        return date;
    return date + u' ' + utc.time().toString(QStringLiteral("HH:mm:ss"));
}

std::optional<qint64> intero(double d) {
    // 2^63 is exact as a double; every integral double below it fits.
    if (!std::isfinite(d) || d != std::trunc(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<qint64>(d);
}

} // namespace

ValoreConvertito ConvertiValore(const QVariant& v, TipoColonna tipo, bool soloData) {
    if (v.isNull() || !v.isValid())
        return {};
    const int t = v.typeId();
    if (tipo == TipoColonna::Intero) {
        switch (t) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Bool:
            return {QVariant(v.toLongLong()), {}};
        case QMetaType::Float:
        case QMetaType::Double:
            if (const auto n = intero(v.toDouble()))
                return {QVariant(*n), {}};
            return {{}, QStringLiteral("numero non intero %1").arg(mostra(v))};
        case QMetaType::QString: {
            const QString s = v.toString().trimmed();
            bool ok = false;
            const qint64 n = s.toLongLong(&ok);
            if (ok)
                return {QVariant(n), {}};
            const double d = s.toDouble(&ok);
            if (ok)
                if (const auto whole = intero(d))
                    return {QVariant(*whole), {}};
            return {{}, QStringLiteral("testo %1 che non è un numero intero").arg(mostra(v))};
        }
        case QMetaType::QDateTime:
            return {{},
                    QStringLiteral("data %1 dove va un numero").arg(mostra(dataIso(v.toDateTime(), false)))};
        case QMetaType::QByteArray:
            return {{}, QStringLiteral("dato binario (%1) dove va un numero").arg(mostra(v))};
        default:
            return {{}, QStringLiteral("valore %1 non convertibile in numero").arg(mostra(v))};
        }
    }
    switch (t) {
    case QMetaType::QString:
        return {v, {}};
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        return {tipo == TipoColonna::Testo ? QVariant(QString::number(v.toLongLong()))
                                           : QVariant(v.toLongLong()),
                {}};
    case QMetaType::Float:
        return {tipo == TipoColonna::Testo ? QVariant(numeroCorto(v.toFloat())) : QVariant(v.toDouble()), {}};
    case QMetaType::Double:
        return {tipo == TipoColonna::Testo ? QVariant(numeroCorto(v.toDouble())) : v, {}};
    case QMetaType::QDateTime:
        return {QVariant(dataIso(v.toDateTime(), soloData)), {}};
    case QMetaType::QByteArray:
        return {{}, QStringLiteral("dato binario (%1) non convertibile in testo").arg(mostra(v))};
    default:
        return {{}, QStringLiteral("valore %1 non convertibile in testo").arg(mostra(v))};
    }
}

QString NomeProposto(const QString& mdbPath) {
    QString name = QFileInfo(mdbPath).fileName();
    if (name.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive))
        name.chop(4);
    return name.trimmed().toUpper();
}

// ---------------------------------------------------------------------------------------------

QStringList EsitoImportazione::riepilogo() const {
    QStringList l;
    const QString jet = versioneJet > 0 ? QStringLiteral(" (Jet %1)").arg(versioneJet) : QString();
    switch (tipo) {
    case TipoImportazione::Archivio:
        l << QStringLiteral("Importazione dell'archivio Access %1%2 come archivio %3")
                 .arg(citato(origine), jet, nome);
        break;
    case TipoImportazione::Modello:
        l << QStringLiteral("Importazione del modello %1%2").arg(citato(origine), jet);
        break;
    case TipoImportazione::Catalogo:
        l << QStringLiteral("Importazione del catalogo norme %1%2").arg(citato(origine), jet);
        break;
    }
    if (!riuscita) {
        l << messaggio.split(u'\n');
        return l;
    }
    l << QStringLiteral("File creato: %1").arg(QDir::toNativeSeparators(destinazione));
    if (!copiaPrecedente.isEmpty())
        l << QStringLiteral("Il file precedente è conservato come %1")
                 .arg(QDir::toNativeSeparators(copiaPrecedente));
    l << QString() << QStringLiteral("Righe per tabella:");
    qsizetype width = 0;
    for (const auto& [table, rows] : righe)
        width = std::max(width, table.size());
    for (const auto& [table, rows] : righe) {
        QString line = QStringLiteral("  %1 %2").arg(table.leftJustified(width),
                                                     QString::number(rows).rightJustified(8));
        if (contiene(dalModello, table))
            line += tipo == TipoImportazione::Catalogo ? QStringLiteral("  (dal catalogo di Quillaro)")
                                                       : QStringLiteral("  (dal modello)");
        l << line;
    }
    l << QString();
    if (anomalie.isEmpty())
        l << QStringLiteral("Nessuna anomalia.");
    else
        l << QStringLiteral("Anomalie (%1):").arg(anomalie.size());
    for (const QString& a : anomalie)
        l << QStringLiteral("  - ") + a;
    if (tipo == TipoImportazione::Archivio)
        l << QString()
          << QStringLiteral("Collegamenti a righe inesistenti (mantenuti): %1").arg(collegamentiMancanti);
    l << QStringLiteral("Controllo di integrità: ok");
    if (!fileRiepilogo.isEmpty())
        l << QStringLiteral("Riepilogo scritto in %1").arg(QDir::toNativeSeparators(fileRiepilogo));
    if (!riepilogoNonScritto.isEmpty())
        l << QStringLiteral("Riepilogo non scritto: %1").arg(riepilogoNonScritto);
    return l;
}

// ---------------------------------------------------------------------------------------------

namespace {

struct ColonnaSchema {
    QString nome;
    TipoColonna tipo = TipoColonna::Altro;
    bool obbligatoria = false; // NOT NULL
    QVariant predefinito;      // what a Null becomes in an obligatory column
    bool chiave = false;
};

struct TabellaSchema {
    QString nome;
    QList<ColonnaSchema> colonne;

    int indice(QStringView name) const {
        for (qsizetype i = 0; i < colonne.size(); ++i)
            if (QStringView(colonne[i].nome).compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    }
};

QVariant predefinito(const QString& declared, TipoColonna tipo) {
    const QString d = declared.trimmed();
    if (d.size() >= 2 && d.startsWith(u'\'') && d.endsWith(u'\''))
        return QVariant(d.mid(1, d.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'")));
    bool ok = false;
    const qint64 n = d.toLongLong(&ok);
    if (ok)
        return QVariant(n);
    return tipo == TipoColonna::Intero ? QVariant(qint64{0}) : QVariant(QString());
}

QList<TabellaSchema> leggiSchema(cConnessione& c) {
    QList<TabellaSchema> tables;
    {
        RecordSet rs = c.ApriRS(QStringLiteral("select name from sqlite_master where type = 'table' and name "
                                               "not like 'sqlite%' order by rowid"));
        for (; !rs.eof(); rs.moveNext())
            tables.append({rs.field(0).toString(), {}});
    }
    for (TabellaSchema& t : tables) {
        RecordSet rs = c.ApriRS(
            QStringLiteral("select name, type, \"notnull\", dflt_value, pk from pragma_table_info(?)"),
            {t.nome});
        for (; !rs.eof(); rs.moveNext()) {
            ColonnaSchema col;
            col.nome = rs.field(0).toString();
            const QString type = rs.field(1).toString();
            if (type.contains(QStringLiteral("INT"), Qt::CaseInsensitive))
                col.tipo = TipoColonna::Intero;
            else if (type.contains(QStringLiteral("TEXT"), Qt::CaseInsensitive) ||
                     type.contains(QStringLiteral("CHAR"), Qt::CaseInsensitive))
                col.tipo = TipoColonna::Testo;
            col.obbligatoria = rs.field(2).toLongLong() != 0;
            col.predefinito = predefinito(rs.field(3).toString(), col.tipo);
            col.chiave = rs.field(4).toLongLong() == 1;
            t.colonne.append(col);
        }
    }
    return tables;
}

// A link of the schema: a column whose value is the key of a row elsewhere.
struct Collegamento {
    const char* tabella;
    const char* colonna;
    const char* destinazione;
    const char* chiave;
    const char* condizione; // which rows link at all
};

// tabFonte's name key points into the name table of the source's family; 0 means "not used" for
// the places and bodies.
const Collegamento kCollegamenti[] = {
    {"tabDocumento", "IDRifBibl", "tabRifBibl", "IDRifBibl", ""},
    {"tabRifBibl", "IDRivistaOnline", "tabRivisteOnline", "IDRivistaOnline", "IDRivistaOnline <> ''"},
    {"tabDocumento", "TAbs", "tabTAbs", "IDTAbs", "TAbs <> ''"},
    {"tabDocumento", "Bib", "tabBib", "IDBib", "Bib <> ''"},
    {"tabDocumento", "TD", "tabTipoDoc", "IDTD", "TD <> ''"},
    {"tabDocumento", "LIN", "tabLingua", "idLingua", "LIN <> ''"},
    {"legameDocTesto", "IDDoc", "tabDocumento", "IDDocumento", ""},
    {"legameDocTesto", "IDTesto", "tabTesto", "IDTesto", ""},
    {"legameDocResp", "IDDoc", "tabDocumento", "IDDocumento", ""},
    {"legameDocResp", "IDResponsabilita", "tabResponsabilita", "IDResponsabilita", ""},
    {"legameDocClass", "IDDoc", "tabDocumento", "IDDocumento", ""},
    {"legameDocFonte", "IDDoc", "tabDocumento", "IDDocumento", ""},
    {"legameDocFonte", "IDFonte", "tabFonte", "IDFonte", ""},
    {"tabFonte", "IDNomeFonte", "tabFonteInterna", "IDFonteInterna",
     "substr(TP, 1, 2) in ('LI', 'GI', 'AC')"},
    {"tabFonte", "IDNomeFonte", "tabFonteInt", "IDFonteInt", "TP in ('NIT', 'NIA', 'GEI')"},
    {"tabFonte", "IDNomeFonte", "tabFonteCom", "IDFonteCom", "TP in ('NIC', 'GEC')"},
    {"tabFonte", "IDNomeFonte", "tabFonteCan", "IDFonteCan", "TP in ('FCC', 'FCG')"},
    {"tabFonte", "IDRegione", "tabRegione", "IDRegione", "IDRegione <> 0"},
    {"tabFonte", "IDCitta", "tabCitta", "IDCitta", "IDCitta <> 0"},
    {"tabFonte", "IDProvincia", "tabProvincia", "IDProvincia", "IDProvincia <> 0"},
    {"tabFonte", "IDMinistero", "tabMinistero", "IDMinistero", "IDMinistero <> 0"},
    {"tabFonte", "IDAmministrazione", "tabAmministrazione", "IDAmministrazione", "IDAmministrazione <> 0"},
    {"tabFonte", "IDAutorita", "tabAutorita", "IDAutorita", "IDAutorita <> 0"},
    {"tabFonte", "IDSezione", "tabSezione", "IDSezione", "IDSezione <> 0"},
    {"tabFonte", "IDStato", "tabStato", "IDStato", "IDStato <> 0"},
};

void rimuovi(const QString& path) {
    for (const QString& suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

// Follows the rows copied; the labels name the table being read.
class Avanzamento {
public:
    Avanzamento(Progress* progress, qint64 totale) : progress_(progress) {
        if (progress_)
            progress_->setRange(totale);
    }
    void tabella(const QString& name) {
        if (progress_)
            progress_->setLabel(QStringLiteral("Importazione della tabella %1...").arg(name));
    }
    void riga() {
        if (progress_ && ++fatte_ % 500 == 0)
            progress_->setValue(fatte_);
    }

private:
    Progress* progress_;
    qint64 fatte_ = 0;
};

class Importazione {
public:
    Importazione(AppState& state, JetSource& source, EsitoImportazione& esito, Progress* progress)
        : state_(state), source_(source), e_(esito), progress_(progress) {}

    void esegui();

private:
    bool verifica(const QList<JetTable>& tables);
    void prepara();
    bool copiabile(const QString& table) const;
    void copia(const JetTable& source, const TabellaSchema& target, Avanzamento& avanzamento);
    void contaCollegamenti();
    void chiudi(const QList<TabellaSchema>& schema);
    void metteAlPosto();
    void scriveRiepilogo();
    void fallisce(EsitoImportazione::Rifiuto rifiuto, const QString& message);
    QString cosa() const;

    AppState& state_;
    JetSource& source_;
    EsitoImportazione& e_;
    Progress* progress_;
    QString part_;
    std::unique_ptr<cConnessione> c_;
};

QString Importazione::cosa() const {
    switch (e_.tipo) {
    case TipoImportazione::Archivio:
        return QStringLiteral("L'archivio %1 non è stato creato.").arg(e_.nome);
    case TipoImportazione::Modello:
        return QStringLiteral("Il modello non è stato importato: %1 resta com'era.")
            .arg(QDir::toNativeSeparators(e_.destinazione));
    case TipoImportazione::Catalogo:
        return QStringLiteral("Il catalogo norme non è stato importato: %1 resta com'era.")
            .arg(QDir::toNativeSeparators(e_.destinazione));
    }
    return {};
}

void Importazione::fallisce(EsitoImportazione::Rifiuto rifiuto, const QString& message) {
    e_.riuscita = false;
    e_.rifiuto = rifiuto;
    e_.messaggio = message;
    if (c_) {
        c_->rollback();
        c_->ChiudiConnessione();
        c_.reset();
    }
    if (!part_.isEmpty())
        rimuovi(part_);
}

// Whether the file is of the kind asked for: false, with the reason in the outcome, when not.
bool verificaTipo(JetSource& source, const QList<JetTable>& tables, EsitoImportazione& e) {
    const auto rifiuta = [&](const QString& message) {
        e.riuscita = false;
        e.rifiuto = EsitoImportazione::Rifiuto::NonArchivio;
        e.messaggio = message;
        return false;
    };
    QStringList names;
    for (const JetTable& t : tables)
        names << t.name;
    const QString contenuto = names.isEmpty()
                                  ? QStringLiteral("il file non ha tabelle")
                                  : QStringLiteral("tabelle del file: %1")
                                        .arg(names.mid(0, 12).join(u", ") +
                                             (names.size() > 12 ? QStringLiteral(", ...") : QString()));
    QStringList mancanti;
    const auto manca = [&](const QStringList& needed) {
        for (const QString& n : needed)
            if (!findJetTable(tables, n))
                mancanti << n;
    };
    // "manca la tabella A", "mancano le tabelle A, B e C"
    const auto mancano = [&] {
        if (mancanti.size() == 1)
            return QStringLiteral("manca la tabella %1").arg(mancanti.first());
        return QStringLiteral("mancano le tabelle %1 e %2")
            .arg(mancanti.mid(0, mancanti.size() - 1).join(u", "), mancanti.last());
    };
    switch (e.tipo) {
    case TipoImportazione::Archivio: {
        manca({QStringLiteral("tabDocumento"), QStringLiteral("tabInfo")});
        if (!mancanti.isEmpty()) {
            return rifiuta(
                QStringLiteral("Il file %1 non è un archivio di consegna di Quillaro: %2 (%3). Scegliere "
                               "l'archivio di una consegna.")
                    .arg(citato(e.origine), mancano(), contenuto));
        }
        // A template has every table but no delivery information: it is not a delivery.
        qint64 info = 0;
        source.readRows(findJetTable(tables, u"tabInfo")->name, [&](const QVariantList&) { ++info; });
        if (info == 0) {
            return rifiuta(
                QStringLiteral(
                    "Il file %1 non ha le informazioni di consegna (la tabella tabInfo è vuota): è un "
                    "modello come masterOnline.mdb, non l'archivio di una consegna. Per farne il "
                    "modello delle nuove consegne usare \"Importa modello (masterOnline.mdb)...\".")
                    .arg(citato(e.origine)));
        }
        if (info > 1)
            e.anomalie << QStringLiteral("La tabella tabInfo ha %1 righe invece di una: sono copiate tutte, "
                                         "Quillaro legge la prima.")
                              .arg(info);
        return true;
    }
    case TipoImportazione::Modello:
        manca(tabelleModello());
        if (!mancanti.isEmpty()) {
            return rifiuta(QStringLiteral("Il file %1 non è un modello di archivio: %2 (%3). Scegliere il "
                                          "masterOnline.mdb del centro.")
                               .arg(citato(e.origine), mancano(), contenuto));
        }
        return true;
    case TipoImportazione::Catalogo:
        manca({QStringLiteral("tabCatalogo")});
        if (!mancanti.isEmpty()) {
            return rifiuta(
                QStringLiteral("Il file %1 non è un catalogo delle norme: manca la tabella tabCatalogo (%2). "
                               "Scegliere il file \"Catalogo norme.mdb\" del centro.")
                    .arg(citato(e.origine), contenuto));
        }
        return true;
    }
    return false;
}

bool Importazione::verifica(const QList<JetTable>& tables) {
    if (verificaTipo(source_, tables, e_))
        return true;
    fallisce(e_.rifiuto, e_.messaggio);
    return false;
}

void Importazione::prepara() {
    part_ = e_.destinazione + QStringLiteral(".import");
    rimuovi(part_);
    switch (e_.tipo) {
    case TipoImportazione::Archivio:
        copyNewFile(state_.home.templatePath(), part_);
        break;
    case TipoImportazione::Modello:
        // Our own template underneath: the tables the file lacks come from Quillaro's data, not
        // from an earlier import.
        buildTemplateArchive(part_);
        break;
    case TipoImportazione::Catalogo:
        buildCatalogue(part_);
        break;
    }
    // Until it is whole the file keeps the mark of what it was made from (a template, a catalogue);
    // the mark of what it becomes is set at the end.
    c_ = std::make_unique<cConnessione>();
    if (e_.tipo == TipoImportazione::Archivio) {
        ApriCopiaModello(*c_, part_);
    } else {
        const FileKind kind =
            e_.tipo == TipoImportazione::Catalogo ? FileKind::Catalogue : FileKind::Template;
        if (!c_->ApriConnessione(part_, kind))
            throw std::runtime_error(QStringLiteral("il file temporaneo %1 non si apre: %2")
                                         .arg(part_, c_->lastErrorMessage())
                                         .toStdString());
    }
    // A file that is thrown away on any failure needs no journal on disk nor a sync per write: the
    // rollback journal stays in memory (for the rows refused one by one) and the whole file is
    // synced once, when its mark is set at the end.
    c_->executeScript(QStringLiteral("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF; "
                                     "PRAGMA cache_size = -65536;"));
}

bool Importazione::copiabile(const QString& table) const {
    switch (e_.tipo) {
    case TipoImportazione::Archivio:
        return true;
    case TipoImportazione::Modello:
        return !contiene(tabelleConsegna(), table);
    case TipoImportazione::Catalogo:
        return table.compare(u"tabCatalogo", Qt::CaseInsensitive) == 0;
    }
    return false;
}

void Importazione::copia(const JetTable& src, const TabellaSchema& dst, Avanzamento& avanzamento) {
    avanzamento.tabella(dst.nome);
    const bool numera = dst.nome.compare(u"legameDocFonte", Qt::CaseInsensitive) == 0;
    QList<int> sorgenti;                 // source column of each target column copied
    QStringList sconosciute;             // the anomalies of the file's columns the table lacks
    QList<const ColonnaSchema*> colonne; // the target columns copied
    for (qsizetype i = 0; i < src.columns.size(); ++i) {
        const JetColumn& col = src.columns[i];
        const int k = diServizio(dst.nome, col.name) ? -1 : dst.indice(col.name);
        if (k < 0) {
            sconosciute << QStringLiteral("%1: colonna %2 (%3) sconosciuta, non copiata.")
                               .arg(dst.nome, col.name, jetTypeName(col.type));
            continue;
        }
        if (numera && dst.colonne[k].chiave) {
            e_.anomalie << QStringLiteral("%1: colonna %2 del file non usata, i collegamenti sono numerati "
                                          "nell'ordine del file.")
                               .arg(dst.nome, col.name);
            continue;
        }
        if (colonne.contains(&dst.colonne[k])) {
            e_.anomalie << QStringLiteral("%1: colonna %2 ripetuta nel file, copiata solo la prima.")
                               .arg(dst.nome, col.name);
            continue;
        }
        sorgenti << static_cast<int>(i);
        colonne << &dst.colonne[k];
    }
    if (colonne.isEmpty()) {
        // Nothing of the file's table is the schema's: a table of another kind under a known name.
        QStringList nelFile;
        for (const JetColumn& col : src.columns)
            nelFile << QStringLiteral("%1 (%2)").arg(col.name, jetTypeName(col.type));
        e_.anomalie << QStringLiteral(
                           "%1: nessuna colonna del file è tra quelle della tabella (nel file: %2): "
                           "tabella non copiata, lasciata come nel modello.")
                           .arg(dst.nome, nelFile.isEmpty() ? QStringLiteral("nessuna colonna")
                                                            : nelFile.join(QStringLiteral(", ")));
        return;
    }
    e_.anomalie << sconosciute;
    for (const ColonnaSchema& col : dst.colonne) {
        if (colonne.contains(&col) || (numera && col.chiave) || diServizio(dst.nome, col.nome))
            continue;
        e_.anomalie << QStringLiteral("%1: colonna %2 assente dal file, lasciata %3.")
                           .arg(dst.nome, col.nome,
                                col.obbligatoria ? QStringLiteral("al valore %1").arg(mostra(col.predefinito))
                                                 : QStringLiteral("vuota (Null)"));
    }

    QStringList names;
    for (const ColonnaSchema* col : colonne)
        names << u'"' + col->nome + u'"';
    if (numera)
        names << QStringLiteral("\"ID\"");
    const QString sql =
        QStringLiteral("insert into \"%1\" (%2) values (%3)")
            .arg(dst.nome, names.join(u", "), QStringList(names.size(), QStringLiteral("?")).join(u", "));
    c_->EseguiIstruzione(QStringLiteral("delete from \"%1\"").arg(dst.nome));

    int chiave = -1; // the source column that names a row in the summary
    for (qsizetype k = 0; k < colonne.size(); ++k)
        if (colonne[k]->chiave)
            chiave = sorgenti[k];
    QList<qint64> sostituiti(colonne.size(), 0);
    qint64 riga = 0;
    const auto quale = [&](const QVariantList& values) {
        QString s = QStringLiteral("riga %1").arg(riga);
        if (chiave >= 0 && !values.value(chiave).isNull())
            s += QStringLiteral(" (%1 %2)").arg(src.columns[chiave].name, values.value(chiave).toString());
        return s;
    };
    source_.readRows(src.name, [&](const QVariantList& values) {
        ++riga;
        QVariantList params;
        params.reserve(names.size());
        for (qsizetype k = 0; k < colonne.size(); ++k) {
            const ColonnaSchema& col = *colonne[k];
            const bool soloData = col.nome.compare(u"promulgazione", Qt::CaseInsensitive) == 0 ||
                                  col.nome.compare(u"Data", Qt::CaseInsensitive) == 0;
            ValoreConvertito v = ConvertiValore(values.value(sorgenti[k]), col.tipo, soloData);
            const bool vuoto = v.valore.isNull() && col.obbligatoria;
            if (!v.errore.isEmpty())
                e_.anomalie << QStringLiteral("%1, %2, colonna %3: %4; %5.")
                                   .arg(dst.nome, quale(values), col.nome, v.errore,
                                        vuoto ? QStringLiteral("messo %1").arg(mostra(col.predefinito))
                                              : QStringLiteral("lasciato vuoto (Null)"));
            else if (vuoto)
                ++sostituiti[k];
            params << (vuoto ? col.predefinito : v.valore);
        }
        if (numera)
            params << riga;
        try {
            c_->EseguiIstruzione(sql, params);
        } catch (const DbError& error) {
            if ((error.number() & 0xff) != SQLITE_CONSTRAINT)
                throw;
            const bool doppia = error.description().contains(QStringLiteral("UNIQUE")) ||
                                error.description().contains(QStringLiteral("PRIMARY KEY"));
            e_.anomalie << QStringLiteral("%1, %2: riga non copiata, %3 (%4).")
                               .arg(dst.nome, quale(values),
                                    doppia ? QStringLiteral("la sua chiave è già di un'altra riga")
                                           : QStringLiteral("un valore non è ammesso"),
                                    error.description());
        }
        avanzamento.riga();
    });
    for (qsizetype k = 0; k < colonne.size(); ++k)
        if (sostituiti[k] > 0)
            e_.anomalie << QStringLiteral(
                               "%1: %2 valori vuoti (Null) nella colonna %3, che non li ammette: messo %4.")
                               .arg(dst.nome)
                               .arg(sostituiti[k])
                               .arg(colonne[k]->nome, mostra(colonne[k]->predefinito));
    for (const QString& w : source_.takeWarnings())
        e_.anomalie << QStringLiteral("%1: %2").arg(dst.nome, w);
}

void Importazione::contaCollegamenti() {
    for (const Collegamento& l : kCollegamenti) {
        const QString condizione =
            *l.condizione ? QStringLiteral(" and %1").arg(QLatin1String(l.condizione)) : QString();
        const QString sql = QStringLiteral("select count(*) from %1 where %2 is not null%3 and not exists "
                                           "(select 1 from %4 where %4.%5 = %1.%2)")
                                .arg(QLatin1String(l.tabella), QLatin1String(l.colonna), condizione,
                                     QLatin1String(l.destinazione), QLatin1String(l.chiave));
        RecordSet rs = c_->ApriRS(sql);
        const qint64 n = rs.field(0).toLongLong();
        if (n == 0)
            continue;
        e_.collegamentiMancanti += n;
        e_.anomalie << QStringLiteral("%1.%2: %3 collegamenti a righe inesistenti di %4, mantenuti.")
                           .arg(QLatin1String(l.tabella), QLatin1String(l.colonna))
                           .arg(n)
                           .arg(QLatin1String(l.destinazione));
    }
}

void Importazione::chiudi(const QList<TabellaSchema>& schema) {
    for (const TabellaSchema& t : schema) {
        RecordSet rs = c_->ApriRS(QStringLiteral("select count(*) from \"%1\"").arg(t.nome));
        e_.righe.append({t.nome, rs.field(0).toLongLong()});
    }
    QStringList integrity;
    {
        RecordSet rs = c_->ApriRS(QStringLiteral("PRAGMA integrity_check"));
        for (; !rs.eof(); rs.moveNext())
            integrity << rs.field(0).toString();
    }
    if (integrity != QStringList{QStringLiteral("ok")})
        throw std::runtime_error(
            QStringLiteral("il controllo di integrità del nuovo file non è riuscito:\n%1")
                .arg(integrity.mid(0, 10).join(u'\n'))
                .toStdString());
    const int mark = e_.tipo == TipoImportazione::Modello    ? cConnessione::kTemplateApplicationId
                     : e_.tipo == TipoImportazione::Catalogo ? cConnessione::kCatalogueApplicationId
                                                             : cConnessione::kApplicationId;
    c_->executeScript(QStringLiteral("PRAGMA synchronous = FULL; PRAGMA journal_mode = DELETE; "
                                     "PRAGMA application_id = %1;")
                          .arg(mark));
    const bool closed = c_->ChiudiConnessione();
    c_.reset();
    if (!closed)
        throw std::runtime_error("il nuovo file non si chiude");
}

void Importazione::metteAlPosto() {
    if (e_.tipo == TipoImportazione::Archivio) {
        if (nameTaken(e_.destinazione))
            throw std::runtime_error(QStringLiteral("nel frattempo è comparso un file di nome %1")
                                         .arg(e_.destinazione)
                                         .toStdString());
        moveIntoPlace(part_, e_.destinazione);
        part_.clear();
        return;
    }
    if (e_.tipo == TipoImportazione::Catalogo)
        ChiudiCatalogo(state_); // the next search opens the new one
    // The file replaced is kept as <name>.bak first (a second name for it, or a copy), then the new
    // one is renamed over it: a kill at any point leaves a whole file under the name.
    const QString bak = e_.destinazione + QStringLiteral(".bak");
    const bool old = QFileInfo::exists(e_.destinazione);
    if (old)
        conservaCopia(e_.destinazione, bak);
    moveIntoPlace(part_, e_.destinazione, true);
    part_.clear();
    passo(QStringLiteral("nuovo file al suo posto"));
    if (old)
        e_.copiaPrecedente = bak;
}

void Importazione::scriveRiepilogo() {
    const QString path = state_.home.dumpPath(QStringLiteral("import %1.txt").arg(e_.nome));
    QByteArray bytes;
    for (const QString& line : e_.riepilogo())
        bytes += encodeText(line, state_.encoding()) + "\r\n";
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        e_.riepilogoNonScritto = QStringLiteral("impossibile scrivere %1: %2").arg(path, file.errorString());
        return;
    }
    e_.fileRiepilogo = path;
}

void Importazione::esegui() {
    const Attesa attesa(source_, progress_);
    try {
        const QList<JetTable> tables = source_.tables();
        if (!verifica(tables))
            return;
        for (const QString& w : source_.takeWarnings())
            e_.anomalie << w;
        prepara();
        Transaction tx(*c_);
        const QList<TabellaSchema> schema = leggiSchema(*c_);
        qint64 totale = 0;
        for (const JetTable& t : tables)
            totale += t.rows;
        Avanzamento avanzamento(progress_, totale);
        QStringList copiate;
        for (const JetTable& t : tables) {
            const TabellaSchema* dst = nullptr;
            // The program's own bookkeeping is never taken from another program's file.
            for (const TabellaSchema& s : schema)
                if (s.nome.compare(t.name, Qt::CaseInsensitive) == 0 && !diServizio(s.nome))
                    dst = &s;
            if (!dst) {
                e_.anomalie << QStringLiteral("Tabella %1 sconosciuta (%2 righe), non copiata.")
                                   .arg(t.name)
                                   .arg(t.rows);
                continue;
            }
            if (!copiabile(dst->nome)) {
                // The template's delivery tables stay empty, whatever the file has.
                if (t.rows > 0)
                    e_.anomalie << QStringLiteral(
                                       "Tabella %1: %2 righe non copiate, il modello non porta dati di "
                                       "una consegna.")
                                       .arg(dst->nome)
                                       .arg(t.rows);
                continue;
            }
            if (contiene(copiate, dst->nome)) {
                e_.anomalie << QStringLiteral("Tabella %1 ripetuta nel file (%2), non copiata di nuovo.")
                                   .arg(dst->nome, t.name);
                continue;
            }
            copia(t, *dst, avanzamento);
            copiate << dst->nome;
        }
        for (const TabellaSchema& s : schema) {
            if (!copiabile(s.nome) || contiene(copiate, s.nome) || diServizio(s.nome))
                continue;
            e_.dalModello << s.nome;
            e_.anomalie << QStringLiteral("Tabella %1 assente dal file: lasciata come nel %2.")
                               .arg(s.nome, e_.tipo == TipoImportazione::Catalogo
                                                ? QStringLiteral("catalogo di Quillaro")
                                                : QStringLiteral("modello"));
        }
        if (e_.tipo == TipoImportazione::Archivio)
            contaCollegamenti();
        tx.commit();
        chiudi(schema);
        metteAlPosto();
    } catch (const JetError& error) {
        fallisce(rifiutoPer(error), cosa() + u'\n' + error.fullMessage());
        return;
    } catch (const DbError& error) {
        fallisce(EsitoImportazione::Rifiuto::Errore, MessaggioErroreDb(cosa(), error));
        return;
    } catch (const std::exception& error) {
        fallisce(EsitoImportazione::Rifiuto::Errore,
                 cosa() + u'\n' + QStringLiteral("Motivo: %1").arg(QString::fromStdString(error.what())));
        return;
    }
    e_.riuscita = true;
    scriveRiepilogo();
}

EsitoImportazione inizia(TipoImportazione tipo, const QString& origine) {
    EsitoImportazione e;
    e.tipo = tipo;
    e.origine = origine;
    return e;
}

// Opens the file, or says why it cannot be read.
std::unique_ptr<JetSource> apri(const QString& path, EsitoImportazione& e, Progress* progress) {
    try {
        return ApriFileJet(path, progress);
    } catch (const JetError& error) {
        e.rifiuto = rifiutoPer(error);
        e.messaggio = error.fullMessage();
        return nullptr;
    }
}

// The template or the catalogue: the file of ours that the source replaces.
void sostituisce(AppState& state, JetSource& source, Progress* progress, EsitoImportazione& e) {
    e.versioneJet = source.jetVersion();
    e.destinazione =
        e.tipo == TipoImportazione::Modello ? state.home.templatePath() : state.home.cataloguePath();
    e.nome = QFileInfo(e.destinazione).completeBaseName();
    Importazione(state, source, e, progress).esegui();
}

// The name of a new delivery archive: false, with the reason in the outcome, when it cannot be used.
bool nomeLibero(AppState& state, const QString& nome, EsitoImportazione& e) {
    const QString valido = NomeArchivioValido(nome);
    if (valido.isEmpty()) {
        e.nome = nome;
        e.rifiuto = EsitoImportazione::Rifiuto::NomeNonValido;
        e.messaggio = QStringLiteral("Nome archivio non valido: \"%1\". Usare un nome senza i caratteri "
                                     "/ \\ : * ? \" < > | (per esempio il nome del file senza .mdb).")
                          .arg(nome);
        return false;
    }
    e.destinazione = NomeArchivioNuovo(state.home.mdbPath(valido));
    e.nome = QFileInfo(e.destinazione).completeBaseName();
    if (nameTaken(e.destinazione)) {
        e.rifiuto = EsitoImportazione::Rifiuto::NomeEsistente;
        e.messaggio = QStringLiteral("L'archivio %1 esiste già: scegliere un altro nome!")
                          .arg(QDir::toNativeSeparators(e.destinazione));
        return false;
    }
    return true;
}

} // namespace

EsitoImportazione ImportaArchivio(AppState& state, JetSource& source, const QString& nome,
                                  Progress* progress) {
    EsitoImportazione e = inizia(TipoImportazione::Archivio, source.path());
    e.versioneJet = source.jetVersion();
    if (nomeLibero(state, nome, e))
        Importazione(state, source, e, progress).esegui();
    return e;
}

EsitoImportazione ImportaArchivio(AppState& state, const QString& mdbPath, const QString& nome,
                                  Progress* progress) {
    EsitoImportazione e = inizia(TipoImportazione::Archivio, mdbPath);
    // A name that cannot be used is said before the file is read.
    if (!nomeLibero(state, nome, e))
        return e;
    const std::unique_ptr<JetSource> file = apri(mdbPath, e, progress);
    if (!file)
        return e;
    e.versioneJet = file->jetVersion();
    Importazione(state, *file, e, progress).esegui();
    return e;
}

FileDaImportare ApriDaImportare(const QString& mdbPath, TipoImportazione tipo, Progress* progress) {
    FileDaImportare f;
    f.esito = inizia(tipo, mdbPath);
    f.fonte = apri(mdbPath, f.esito, progress);
    if (!f.fonte)
        return f;
    f.esito.versioneJet = f.fonte->jetVersion();
    try {
        bool adatto = false;
        {
            const Attesa attesa(*f.fonte, progress);
            adatto = verificaTipo(*f.fonte, f.fonte->tables(), f.esito);
        }
        if (!adatto)
            f.fonte.reset();
    } catch (const JetError& error) {
        f.esito.rifiuto = rifiutoPer(error);
        f.esito.messaggio = error.fullMessage();
        f.fonte.reset();
    }
    f.esito.anomalie.clear(); // the import finds them again
    return f;
}

namespace {

// The template or the catalogue replaced by the tables of a Jet file.
EsitoImportazione sostituzione(AppState& state, TipoImportazione tipo, JetSource& source,
                               Progress* progress) {
    EsitoImportazione e = inizia(tipo, source.path());
    sostituisce(state, source, progress, e);
    return e;
}

EsitoImportazione sostituzione(AppState& state, TipoImportazione tipo, const QString& mdbPath,
                               Progress* progress) {
    EsitoImportazione e = inizia(tipo, mdbPath);
    if (const std::unique_ptr<JetSource> file = apri(mdbPath, e, progress))
        sostituisce(state, *file, progress, e);
    return e;
}

} // namespace

EsitoImportazione ImportaModello(AppState& state, JetSource& source, Progress* progress) {
    return sostituzione(state, TipoImportazione::Modello, source, progress);
}

EsitoImportazione ImportaModello(AppState& state, const QString& mdbPath, Progress* progress) {
    return sostituzione(state, TipoImportazione::Modello, mdbPath, progress);
}

EsitoImportazione ImportaCatalogo(AppState& state, JetSource& source, Progress* progress) {
    return sostituzione(state, TipoImportazione::Catalogo, source, progress);
}

EsitoImportazione ImportaCatalogo(AppState& state, const QString& mdbPath, Progress* progress) {
    return sostituzione(state, TipoImportazione::Catalogo, mdbPath, progress);
}

// ---------------------------------------------------------------------------------------------

QString VoceCartella::riga() const {
    const QString file = QFileInfo(this->file).fileName();
    switch (esito) {
    case Esito::Importato: {
        qint64 documenti = 0;
        for (const auto& [table, rows] : dettaglio.righe)
            if (table.compare(u"tabDocumento", Qt::CaseInsensitive) == 0)
                documenti = rows;
        return QStringLiteral("%1 -> %2: importato (%3 documenti, %4 anomalie)")
            .arg(file, nome)
            .arg(documenti)
            .arg(dettaglio.anomalie.size());
    }
    case Esito::NonArchivio:
        return QStringLiteral("%1: saltato, non è un archivio di consegna (%2)").arg(file, motivo);
    case Esito::Esistente:
        return QStringLiteral("%1: saltato, l'archivio %2 esiste già").arg(file, nome);
    case Esito::Errore:
        return QStringLiteral("%1: NON importato: %2").arg(file, motivo);
    }
    return file;
}

int EsitoCartella::conta(VoceCartella::Esito esito) const {
    int n = 0;
    for (const VoceCartella& v : voci)
        if (v.esito == esito)
            ++n;
    return n;
}

QStringList EsitoCartella::riepilogo() const {
    QStringList l;
    l << QStringLiteral("Importazione degli archivi Access della cartella %1")
             .arg(QDir::toNativeSeparators(cartella));
    if (!messaggio.isEmpty()) {
        l << messaggio.split(u'\n');
        return l;
    }
    for (const VoceCartella& v : voci)
        l << QStringLiteral("  ") + v.riga();
    l << totali();
    if (!dove().isEmpty())
        l << dove();
    return l;
}

QStringList EsitoCartella::totali() const {
    QStringList l;
    if (voci.isEmpty()) {
        l << QStringLiteral("Nella cartella non ci sono file .mdb.");
        return l;
    }
    l << QString()
      << QStringLiteral("Importati: %1; saltati perché non sono archivi di consegna: %2; saltati perché "
                        "esistono già: %3; non importati per errore: %4.")
             .arg(conta(VoceCartella::Esito::Importato))
             .arg(conta(VoceCartella::Esito::NonArchivio))
             .arg(conta(VoceCartella::Esito::Esistente))
             .arg(conta(VoceCartella::Esito::Errore));
    return l;
}

QString EsitoCartella::dove() const {
    if (conta(VoceCartella::Esito::Importato) == 0)
        return {};
    return QStringLiteral("Il riepilogo di ogni archivio importato è in dump/import <NOME>.txt.");
}

namespace {

// The progress of one archive within a folder's: its share of the bar, its tables after the
// archive's own label.
class ProgressoArchivio : public Progress {
public:
    static constexpr qint64 kScala = 1000; // steps of one archive on the folder's bar

    ProgressoArchivio(Progress& outer, qint64 position, QString prefix)
        : outer_(outer), base_(position * kScala), prefix_(std::move(prefix)) {}
    void setRange(qint64 total) override { total_ = total; }
    void setValue(qint64 done) override {
        outer_.setValue(base_ + (total_ > 0 ? std::min(done, total_) * kScala / total_ : 0));
    }
    void setLabel(const QString& text) override { outer_.setLabel(prefix_ + u'\n' + text); }
    void keepAlive() override { outer_.keepAlive(); }

private:
    Progress& outer_;
    qint64 base_;
    qint64 total_ = 0;
    QString prefix_;
};

} // namespace

EsitoCartella ImportaCartella(AppState& state, const QString& cartella, Progress* progress,
                              const std::function<void(const VoceCartella&, int, int)>& dopoOgni) {
    EsitoCartella esito;
    esito.cartella = QFileInfo(cartella).absoluteFilePath();
    const QDir dir(cartella);
    if (cartella.trimmed().isEmpty() || !dir.exists()) {
        esito.messaggio = QStringLiteral("La cartella %1 non esiste: controllare il percorso.")
                              .arg(QDir::toNativeSeparators(esito.cartella));
        return esito;
    }
    if (!dir.isReadable()) {
        esito.messaggio = QStringLiteral("La cartella %1 non si può leggere: controllare i permessi.")
                              .arg(QDir::toNativeSeparators(esito.cartella));
        return esito;
    }
    QStringList files;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (info.suffix().compare(u"mdb", Qt::CaseInsensitive) == 0)
            files << info.absoluteFilePath();
    if (progress)
        progress->setRange(files.size() * ProgressoArchivio::kScala);
    for (qsizetype i = 0; i < files.size(); ++i) {
        VoceCartella v;
        v.file = files[i];
        v.nome = NomeProposto(v.file);
        const QString label = QStringLiteral("Importazione di %1 (%2 di %3)")
                                  .arg(QFileInfo(v.file).fileName())
                                  .arg(i + 1)
                                  .arg(files.size());
        std::unique_ptr<ProgressoArchivio> inner;
        if (progress) {
            progress->setValue(i * ProgressoArchivio::kScala);
            progress->setLabel(label);
            inner = std::make_unique<ProgressoArchivio>(*progress, i, label);
        }
        v.dettaglio = ImportaArchivio(state, v.file, v.nome, inner.get());
        v.nome = v.dettaglio.nome;
        switch (v.dettaglio.rifiuto) {
        case EsitoImportazione::Rifiuto::Nessuno:
            v.esito = VoceCartella::Esito::Importato;
            break;
        case EsitoImportazione::Rifiuto::NomeEsistente:
            v.esito = VoceCartella::Esito::Esistente;
            break;
        case EsitoImportazione::Rifiuto::NonAccess:
        case EsitoImportazione::Rifiuto::NonArchivio:
            v.esito = VoceCartella::Esito::NonArchivio;
            break;
        default:
            v.esito = VoceCartella::Esito::Errore;
            break;
        }
        if (v.esito != VoceCartella::Esito::Importato) {
            QStringList reason = v.dettaglio.messaggio.split(u'\n', Qt::SkipEmptyParts);
            // The line saying what was not made adds nothing within the list of a folder.
            if (reason.size() > 1 && reason.first().startsWith(QStringLiteral("L'archivio ")) &&
                reason.first().endsWith(QStringLiteral("non è stato creato.")))
                reason.removeFirst();
            v.motivo = reason.join(u' ');
        }
        esito.voci.append(v);
        if (dopoOgni)
            dopoOgni(esito.voci.last(), static_cast<int>(i + 1), static_cast<int>(files.size()));
    }
    if (progress)
        progress->setValue(files.size() * ProgressoArchivio::kScala);
    return esito;
}
