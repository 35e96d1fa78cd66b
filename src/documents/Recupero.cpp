#include "documents/Recupero.h"

#include "classification/mdlClasse.h"
#include "documents/Responsabilita.h"
#include "documents/SalvaDocumento.h"
#include "documents/Testi.h"
#include "documents/mdlDocumenti.h"
#include "store/HomeFolder.h"
#include "store/cConnessione.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUuid>
#include <algorithm>
#include <limits>

namespace {

const QString kFormato = QStringLiteral("Quillaro, documento non salvato");
// A document of a hundred texts of 100 000 characters fits many times over; more is not ours.
constexpr qint64 kMassimoFile = 64 * 1024 * 1024;
// Left by a write cut short: the writer makes "<file>.nuovo" and its own temporary beside it.
constexpr qint64 kSecondiAvanzi = 10 * 60;

QString cartellaScartati(const HomeFolder& home) {
    return QDir(home.recoveryDir()).filePath(QStringLiteral("scartati"));
}

// Each kept value of a structure by its name, so that writing and reading name the same fields.
template <class F> void perCampo(VoceResponsabilita& v, F&& f) {
    f("IDResponsabilita", v.IDResponsabilita);
    f("PrimoElemento", v.PrimoElemento);
    f("SecondoElemento", v.SecondoElemento);
    f("FlagAutore", v.FlagAutore);
    f("Cancellata", v.Cancellata);
}

template <class F> void perCampo(VoceClassificazione& v, F&& f) {
    f("ID", v.ID);
    f("CodiceS", v.CodiceS);
    f("CodiceD", v.CodiceD);
    f("Controllo", v.Controllo);
    f("Cancellata", v.Cancellata);
}

template <class F> void perCampo(VoceFonte& v, F&& f) {
    f("IDFonte", v.IDFonte);
    f("NomeFonte", v.NomeFonte);
    f("TP", v.TP);
    f("testo", v.testo);
    f("articolo", v.articolo);
    f("comma", v.comma);
    f("lettera", v.lettera);
    f("numerop", v.numerop);
    f("allegato", v.allegato);
    f("ripa", v.ripa);
    f("ripc", v.ripc);
    f("anno", v.anno);
    f("mese", v.mese);
    f("giorno", v.giorno);
    f("numero", v.numero);
    f("Ministero", v.Ministero);
    f("Regione", v.Regione);
    f("Provincia", v.Provincia);
    f("Citta", v.Citta);
    f("Sezione", v.Sezione);
    f("Autorita", v.Autorita);
    f("Amministrazione", v.Amministrazione);
    f("Stato", v.Stato);
    f("Decreto", v.Decreto);
    f("Ordinanza", v.Ordinanza);
    f("altro", v.altro);
    f("Cancellata", v.Cancellata);
}

template <class F> void perCampo(DocumentBuffer& b, F&& f) {
    f("IDDocCorrente", b.IDDocCorrente);
    f("NuovoDocumento", b.NuovoDocumento);
    f("Versione", b.Versione);
    f("TestoRiassunto", b.TestoRiassunto);
    f("TestoSommario", b.TestoSommario);
    f("TestoTraduzione", b.TestoTraduzione);
    f("TestoNotaDoc", b.TestoNotaDoc);
    f("TestoInTemaDi", b.TestoInTemaDi);
    f("TestoEnglishAbstract", b.TestoEnglishAbstract);
}

template <class F> void perCampo(CampiRecupero& c, F&& f) {
    f("CPer", c.CPer);
    f("Data", c.Data);
    f("Fascicolo", c.Fascicolo);
    f("Volume", c.Volume);
    f("Annata", c.Annata);
    f("Pagine", c.Pagine);
    f("DocURL", c.DocURL);
    f("TD", c.codici.TD);
    f("TAbs", c.codici.TAbs);
    f("Bib", c.codici.Bib);
    f("LIN", c.codici.LIN);
    f("Titolo", c.Titolo);
    f("Nota", c.Nota);
}

template <class F> void perCampo(UsoArchivio& u, F&& f) {
    f("utente", u.utente);
    f("computer", u.computer);
    f("programma", u.programma);
    f("pid", u.pid);
    f("sessione", u.sessione);
}

QJsonValue json(const QString& v) {
    return v;
}
QJsonValue json(bool v) {
    return v;
}
QJsonValue json(qint64 v) {
    return v;
}
QJsonValue json(int v) {
    return v;
}

template <class T> QJsonObject oggetto(T v) {
    QJsonObject o;
    perCampo(v, [&o](const char* nome, const auto& valore) { o.insert(QLatin1String(nome), json(valore)); });
    return o;
}

template <class T> QJsonArray elenco(const QList<T>& voci) {
    QJsonArray a;
    for (const T& v : voci)
        a.append(oggetto(v));
    return a;
}

// Reading: a value of the wrong kind makes the file unreadable; a field not there keeps its default.
struct Lettore {
    QString errore;

    void leggi(const QJsonValue& v, QString& out, const char* nome) {
        if (v.isUndefined())
            return;
        if (!v.isString())
            return sbagliato(nome);
        out = v.toString();
    }
    void leggi(const QJsonValue& v, bool& out, const char* nome) {
        if (v.isUndefined())
            return;
        if (!v.isBool())
            return sbagliato(nome);
        out = v.toBool();
    }
    void leggi(const QJsonValue& v, qint64& out, const char* nome) {
        if (v.isUndefined())
            return;
        // A whole number, exactly: keys are 64-bit.
        if (!v.isDouble() || QJsonValue(v.toInteger()) != v)
            return sbagliato(nome);
        out = v.toInteger();
    }
    void leggi(const QJsonValue& v, int& out, const char* nome) {
        qint64 n = out;
        leggi(v, n, nome);
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
            return sbagliato(nome);
        out = static_cast<int>(n);
    }
    void sbagliato(const char* nome) {
        if (errore.isEmpty())
            errore = QStringLiteral("il valore di \"%1\" non è del tipo atteso").arg(QLatin1String(nome));
    }

    template <class T> void campi(const QJsonValue& v, T& out, const char* nome) {
        if (!v.isObject())
            return sbagliato(nome);
        const QJsonObject o = v.toObject();
        perCampo(out, [&](const char* campo, auto& valore) {
            leggi(o.value(QLatin1String(campo)), valore, campo);
        });
    }
    template <class T> void voci(const QJsonValue& v, QList<T>& out, const char* nome) {
        if (v.isUndefined())
            return;
        if (!v.isArray())
            return sbagliato(nome);
        const QJsonArray a = v.toArray();
        out.reserve(a.size());
        for (const QJsonValue& voce : a) {
            T t;
            campi(voce, t, nome);
            out.append(std::move(t));
        }
    }
};

QList<VoceResponsabilita> vive(const QList<VoceResponsabilita>& elenco) {
    QList<VoceResponsabilita> out;
    for (VoceResponsabilita v : elenco)
        if (!v.Cancellata) {
            v.IDResponsabilita = 0;
            out << v;
        }
    return out;
}

QList<VoceClassificazione> vive(const QList<VoceClassificazione>& elenco) {
    QList<VoceClassificazione> out;
    for (VoceClassificazione v : elenco)
        if (!v.Cancellata) {
            v.ID = 0;
            out << v;
        }
    return out;
}

// A source as the archive tells it: its family and its citation (the load turns the stored keys back
// into names, which need not be the names the dialog held).
QList<std::pair<QString, QString>> vive(const QList<VoceFonte>& elenco) {
    QList<std::pair<QString, QString>> out;
    for (const VoceFonte& v : elenco)
        if (!v.Cancellata)
            out.append({v.TP, v.testo.section(u'*', 0, 0)});
    return out;
}

// Moves an unreadable file out of the way, with why, so that it is neither offered nor lost.
void mettiDaParte(const HomeFolder& home, const QString& percorso, const QString& motivo) {
    const QString cartella = cartellaScartati(home);
    QDir().mkpath(cartella);
    const QString nome = QFileInfo(percorso).fileName();
    QString destinazione = QDir(cartella).filePath(nome);
    for (int n = 2; QFileInfo::exists(destinazione); ++n)
        destinazione = QDir(cartella).filePath(QStringLiteral("%1.%2").arg(nome).arg(n));
    if (!QFile::rename(percorso, destinazione)) {
        // Where it cannot be moved it cannot be offered either: it goes.
        QFile::remove(percorso);
        return;
    }
    QSaveFile nota(destinazione + QStringLiteral(".motivo.txt"));
    if (nota.open(QIODevice::WriteOnly)) {
        nota.write(
            QStringLiteral("%1\nMesso da parte il %2 perché non si può leggere: %3.\n")
                .arg(nome, QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")), motivo)
                .toUtf8());
        nota.commit();
    }
}

// The bytes of a file, refusing what cannot be one of ours before reading it all.
std::optional<QByteArray> leggiFile(const QString& percorso, QString& motivo) {
    const QFileInfo info(percorso);
    if (!info.isFile()) {
        motivo = QStringLiteral("non è un file normale");
        return std::nullopt;
    }
    if (info.size() > kMassimoFile) {
        motivo = QStringLiteral("è troppo grande (%1 byte)").arg(info.size());
        return std::nullopt;
    }
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) {
        motivo = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.read(kMassimoFile + 1);
    if (bytes.size() > kMassimoFile) {
        motivo = QStringLiteral("è troppo grande");
        return std::nullopt;
    }
    return bytes;
}

} // namespace

Recupero RecuperoDi(const DocumentBuffer& buffer, const DatiDocumento& dati) {
    Recupero r;
    r.buffer = buffer;
    r.buffer.IndiceResponsabilita = r.buffer.IndiceClassificazione = r.buffer.IndiceFonte = -1;
    r.buffer.TipoTestoCorrente = 0;
    CampiRecupero& c = r.campi;
    c.CPer = RivistaDaMemorizzare(dati);
    c.Data = testoData(dati);
    c.Fascicolo = dati.txtFascicolo;
    c.Volume = dati.txtVolume;
    c.Annata = dati.txtAnnata;
    c.Pagine = dati.txtPagine;
    c.DocURL = dati.txtDocURL;
    c.codici = CodiciDaMemorizzare(dati);
    c.Titolo = dati.txtTitolo;
    c.Nota = dati.txtNota;
    return r;
}

DatiDocumento DatiDaRecupero(cConnessione& connection, const ListeDocumento& liste, const Recupero& r,
                             QStringList& avvisi) {
    DatiDocumento d;
    PreparaDati(d, liste);
    const CampiRecupero& c = r.campi;
    d.txtID = QString::number(r.buffer.IDDocCorrente);
    caricaCodici(c.codici, liste, d, avvisi);
    caricaData(c.Data, liste, d, avvisi);
    const int rivista = PosizioneCodice(liste.cmbCPer, c.CPer);
    seleziona(d.cmbCPer, liste.cmbCPer, rivista);
    if (rivista > 0) {
        d.txtRivistaOnline = TitoloRivista(connection, c.CPer);
    } else if (!c.CPer.isEmpty()) {
        avvisi << QStringLiteral("Rivista \"%1\" non presente nell'elenco").arg(c.CPer);
        d.conservati.CPer = c.CPer;
    }
    d.txtFascicolo = c.Fascicolo;
    d.txtVolume = c.Volume;
    d.txtAnnata = c.Annata;
    d.txtPagine = c.Pagine;
    d.txtDocURL = c.DocURL;
    d.txtTitolo = c.Titolo;
    d.txtNota = c.Nota;
    d.lstResponsabilita = righeResponsabilita(r.buffer.ElencoResponsabilita);
    d.lstClassificazione = righeClassificazione(r.buffer.ElencoClassificazione);
    for (const VoceFonte& v : r.buffer.ElencoFonti)
        d.lstFonte << rigaFonte(v);
    return d;
}

bool StessoContenuto(const Recupero& a, const Recupero& b) {
    const auto testi = [](const Recupero& r) {
        CampiRecupero c = r.campi;
        c.Titolo = testoDaMemorizzare(c.Titolo);
        c.Nota = testoDaMemorizzare(c.Nota);
        QStringList altri;
        const DocumentBuffer& x = r.buffer;
        for (const QString* t : {&x.TestoRiassunto, &x.TestoSommario, &x.TestoTraduzione, &x.TestoNotaDoc,
                                 &x.TestoInTemaDi, &x.TestoEnglishAbstract})
            altri << testoDaMemorizzare(*t);
        return std::pair{c, altri};
    };
    return testi(a) == testi(b) &&
           vive(a.buffer.ElencoResponsabilita) == vive(b.buffer.ElencoResponsabilita) &&
           vive(a.buffer.ElencoClassificazione) == vive(b.buffer.ElencoClassificazione) &&
           vive(a.buffer.ElencoFonti) == vive(b.buffer.ElencoFonti);
}

QByteArray TestoRecupero(const Recupero& r) {
    QJsonObject o;
    o.insert(QStringLiteral("formato"), kFormato);
    o.insert(QStringLiteral("versione"), kVersioneRecupero);
    o.insert(QStringLiteral("archivio"), r.archivio);
    o.insert(QStringLiteral("modificato"), r.modificato.toUTC().toString(Qt::ISODateWithMs));
    o.insert(QStringLiteral("programma"), oggetto(r.programma));
    o.insert(QStringLiteral("documento"), oggetto(r.buffer));
    o.insert(QStringLiteral("campi"), oggetto(r.campi));
    o.insert(QStringLiteral("responsabilita"), elenco(r.buffer.ElencoResponsabilita));
    o.insert(QStringLiteral("classificazione"), elenco(r.buffer.ElencoClassificazione));
    o.insert(QStringLiteral("fonti"), elenco(r.buffer.ElencoFonti));
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::optional<Recupero> LeggiRecupero(const QByteArray& testo, QString& motivo) {
    QJsonParseError errore;
    const QJsonDocument doc = QJsonDocument::fromJson(testo, &errore);
    if (errore.error != QJsonParseError::NoError || !doc.isObject()) {
        motivo = testo.isEmpty() ? QStringLiteral("il file è vuoto")
                                 : QStringLiteral("non è un file di recupero intero (%1 al byte %2)")
                                       .arg(errore.errorString())
                                       .arg(errore.offset);
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("formato")).toString() != kFormato) {
        motivo = QStringLiteral("non è un file di recupero di Quillaro");
        return std::nullopt;
    }
    const QJsonValue versione = o.value(QStringLiteral("versione"));
    if (versione.toInteger(-1) != kVersioneRecupero || QJsonValue(versione.toInteger()) != versione) {
        motivo = QStringLiteral("è della versione %1 del formato, questo programma legge la %2")
                     .arg(versione.isDouble() ? QString::number(versione.toDouble()) : QStringLiteral("?"))
                     .arg(kVersioneRecupero);
        return std::nullopt;
    }
    Recupero r;
    Lettore l;
    l.leggi(o.value(QStringLiteral("archivio")), r.archivio, "archivio");
    QString quando;
    l.leggi(o.value(QStringLiteral("modificato")), quando, "modificato");
    r.modificato = QDateTime::fromString(quando, Qt::ISODateWithMs);
    l.campi(o.value(QStringLiteral("programma")), r.programma, "programma");
    l.campi(o.value(QStringLiteral("documento")), r.buffer, "documento");
    l.campi(o.value(QStringLiteral("campi")), r.campi, "campi");
    l.voci(o.value(QStringLiteral("responsabilita")), r.buffer.ElencoResponsabilita, "responsabilita");
    l.voci(o.value(QStringLiteral("classificazione")), r.buffer.ElencoClassificazione, "classificazione");
    l.voci(o.value(QStringLiteral("fonti")), r.buffer.ElencoFonti, "fonti");
    if (l.errore.isEmpty() && r.archivio.isEmpty())
        l.errore = QStringLiteral("non dice di quale archivio è il documento");
    if (l.errore.isEmpty() && !r.modificato.isValid())
        l.errore = QStringLiteral("non dice quando il documento è stato modificato");
    if (l.errore.isEmpty() && r.buffer.IDDocCorrente < 1)
        l.errore = QStringLiteral("il numero del documento non è valido");
    if (!l.errore.isEmpty()) {
        motivo = l.errore;
        return std::nullopt;
    }
    return r;
}

QString NuovoFileRecupero(const HomeFolder& home) {
    return QDir(home.recoveryDir())
        .filePath(
            QStringLiteral("documento-%1.json").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
}

ElencoRecuperi LeggiRecuperi(const HomeFolder& home) {
    ElencoRecuperi elenco;
    const QDir cartella(home.recoveryDir());
    if (!cartella.exists())
        return elenco;
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    for (const QFileInfo& f : cartella.entryInfoList({QStringLiteral("*.json.nuovo*")}, QDir::Files))
        if (f.lastModified().secsTo(adesso) > kSecondiAvanzi)
            QFile::remove(f.absoluteFilePath());
    for (const QFileInfo& f :
         cartella.entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::System | QDir::Hidden)) {
        QString motivo;
        std::optional<Recupero> r;
        if (const std::optional<QByteArray> bytes = leggiFile(f.absoluteFilePath(), motivo))
            r = LeggiRecupero(*bytes, motivo);
        if (!r) {
            mettiDaParte(home, f.absoluteFilePath(), motivo);
            elenco.messiDaParte << QStringLiteral("%1: %2").arg(f.fileName(), motivo);
            continue;
        }
        FileRecupero file{f.absoluteFilePath(), std::move(*r), false};
        file.attivo = ProgrammaAttivo(file.recupero.programma, file.recupero.archivio);
        elenco.files.append(std::move(file));
    }
    std::stable_sort(elenco.files.begin(), elenco.files.end(),
                     [](const FileRecupero& a, const FileRecupero& b) {
                         return a.recupero.modificato < b.recupero.modificato;
                     });
    return elenco;
}

bool GiaSalvato(const Recupero& r, const QStringList& Mesi) {
    cConnessione archivio;
    if (!archivio.ApriConnessione(r.archivio, FileKind::DeliveryArchive, true))
        return false;
    try {
        const ListeDocumento liste = CaricaListe(archivio, QDate::currentDate());
        DocumentBuffer b;
        b.IDDocCorrente = r.buffer.IDDocCorrente;
        DatiDocumento d;
        PreparaDati(d, liste);
        if (!CaricaDocumento(archivio, Mesi, liste, b, d).caricato)
            return false;
        return StessoContenuto(RecuperoDi(b, d), r);
    } catch (const DbError&) {
        return false;
    }
}

QList<FileRecupero> RecuperiDaOffrire(const HomeFolder& home, const QStringList& Mesi,
                                      const QString& archivio) {
    const auto stesso = [](const QString& a, const QString& b) {
        const QFileInfo x(a), y(b);
        const QString ca = x.canonicalFilePath(), cb = y.canonicalFilePath();
        return (ca.isEmpty() ? x.absoluteFilePath() : ca) == (cb.isEmpty() ? y.absoluteFilePath() : cb);
    };
    QList<FileRecupero> offrire;
    for (FileRecupero& f : LeggiRecuperi(home).files) {
        if (f.attivo || (!archivio.isEmpty() && !stesso(archivio, f.recupero.archivio)))
            continue;
        if (GiaSalvato(f.recupero, Mesi)) {
            EliminaRecupero(f.percorso);
            continue;
        }
        offrire.append(std::move(f));
    }
    return offrire;
}

QString NomeDocumentoRecuperato(const Recupero& r) {
    return (r.buffer.NuovoDocumento ? QStringLiteral("documento nuovo %1") : QStringLiteral("documento %1"))
        .arg(r.buffer.IDDocCorrente);
}

QString QuandoModificato(const Recupero& r, const QDateTime& adesso) {
    const QDateTime quando = r.modificato.toLocalTime();
    const QString ora = quando.toString(QStringLiteral("H:mm"));
    if (quando.date() == adesso.toLocalTime().date())
        return QStringLiteral("delle %1").arg(ora);
    return QStringLiteral("del %1 alle %2").arg(quando.toString(QStringLiteral("dd/MM/yyyy")), ora);
}

QString DomandaRecupero(const Recupero& r, const QDateTime& adesso) {
    return QStringLiteral("Il %1 dell'archivio %2 non era stato salvato (modifiche %3). Ripristinare?")
        .arg(NomeDocumentoRecuperato(r), NomeSenzaEstensione(QFileInfo(r.archivio).fileName()),
             QuandoModificato(r, adesso));
}

bool EliminaRecupero(const QString& percorso) {
    return QFile::remove(percorso) || !QFileInfo::exists(percorso);
}
