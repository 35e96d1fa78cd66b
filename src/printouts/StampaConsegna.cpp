#include "printouts/StampaConsegna.h"

#include "checks/AggiornaInfo.h"
#include "printouts/TestoSicuro.h"
#include "store/TextOutput.h"
#include "store/mdlGlobale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

const QString kRigaDocumento = QStringLiteral(
    R"(\pard\plain \qj\nowidctlpar\widctlpar\tqr\tx8505\adjustright \fs20\lang1040\cgrid \pard \fi-397\li397\nowidctlpar\widctlpar\adjustright {\b Documento: })");
const QString kRigaTitolo = QStringLiteral(
    R"(\pard\plain \qj\nowidctlpar\widctlpar\tqr\tx8505\adjustright \fs36\lang1040\cgrid \pard \fi-397\li397\nowidctlpar\widctlpar\adjustright {\b\scaps Stampa consegna )");
const QString kFineRiga = QStringLiteral(R"(\par })");

const QString kSqlDocumenti = QStringLiteral("select * from tabDocumento order by IDDocumento");
// The documents with an English abstract that have a text holding "]", the closing mark of a
// translation entered by the compiler.
const QString kSqlDocumentiFiltro = QStringLiteral(
    "SELECT * From tabDocumento, legameDocTesto WHERE IDDocumento in (select IDDoc from legameDocTesto, "
    "tabTesto where legameDocTesto.IDTesto=tabTesto.IDTesto AND tabTesto.Testo Like '%]%') and "
    "(tabDocumento.IDDocumento = legameDocTesto.IDDoc and Tipo = '8')");
const QString kSqlRiferimento = QStringLiteral(
    "select tabRifBibl.*, Titolo from tabRifBibl, tabRivisteOnline where tabRifBibl.IDRivistaOnline = "
    "tabRivisteOnline.IDRivistaOnline and tabRifBibl.IDRifBibl = ?");
const QString kSqlBib = QStringLiteral("select TipoBibliografia from tabBIB where IDBib = ?");
const QString kSqlResponsabilita = QStringLiteral(
    "select tabResponsabilita.*, flagAutore from legameDocResp, tabResponsabilita where "
    "legameDocResp.IDResponsabilita = tabResponsabilita.IDResponsabilita and legameDocResp.IDDoc= ?");
// All the texts of a document at once; the first row of each kind is the one printed.
const QString kSqlTesti = QStringLiteral(
    "select legameDocTesto.Tipo, Testo from legameDocTesto, tabTesto where legameDocTesto.IDTesto = "
    "tabTesto.IDTesto and legameDocTesto.IDDoc = ?");
const QString kSqlFonti =
    QStringLiteral("select Testo, TP from legameDocFonte, tabFonte where legameDocFonte.IDDoc = ? and "
                   "legameDocFonte.IDFonte = tabFonte.IDFonte");
const QString kSqlClassificazione =
    QStringLiteral("select CodiceS, CodiceD from legameDocClass where legameDocClass.IDDoc = ?");
const QString kSqlSistematici =
    QStringLiteral("select Descrizione, Sigla from tabSistematici where CodiceS = ?");
const QString kSqlLegameDSA = QStringLiteral("select ND from tabLegameDSA where CodiceD = ?");
const QString kSqlDescrittori = QStringLiteral("select Descrizione from tabDescrittori where CodiceD = ?");

// The same rows for all documents, in document order (the first column is the document), read by
// cursors moved on with the documents: in each document the order of the statements above.
const QString kSqlResponsabiliInOrdine = QStringLiteral(
    "select legameDocResp.IDDoc, tabResponsabilita.*, flagAutore from legameDocResp, tabResponsabilita where "
    "legameDocResp.IDResponsabilita = tabResponsabilita.IDResponsabilita order by legameDocResp.IDDoc, "
    "legameDocResp.rowid");
const QString kSqlTestiInOrdine = QStringLiteral(
    "select legameDocTesto.IDDoc, legameDocTesto.Tipo, Testo from legameDocTesto, tabTesto where "
    "legameDocTesto.IDTesto = tabTesto.IDTesto order by legameDocTesto.IDDoc, legameDocTesto.Tipo, "
    "legameDocTesto.rowid");
const QString kSqlFontiInOrdine =
    QStringLiteral("select IDDoc, IDFonte from legameDocFonte order by IDDoc, ID");
const QString kSqlClassificazioneInOrdine =
    QStringLiteral("select IDDoc, CodiceS, CodiceD from legameDocClass order by IDDoc, ID");

// The pieces of the print kept for the pairs and issues met: a run's memory stays bounded.
constexpr qsizetype kVociRicordate = 16384;

// The rows of one document: all those of a statement for that document alone, or, on a cursor in
// document order, those of the document (the cursor is moved past the documents before it).
class Righe {
public:
    Righe(RecordSet& rs, std::optional<qint64> documento) : rs_(rs), documento_(documento) {
        if (documento_)
            while (!rs_.eof() && rs_.integer(0) < *documento_)
                rs_.moveNext();
    }
    bool valida() const { return !rs_.eof() && (!documento_ || rs_.integer(0) == *documento_); }
    void avanti() { rs_.moveNext(); }
    RecordSet& rs() { return rs_; }

private:
    RecordSet& rs_;
    std::optional<qint64> documento_;
};

// P + "{\b " + label + ": }{" + the text made safe for RTF + "\par }".
QString riga(const QString& etichetta, QStringView testo) {
    QString line;
    line.reserve(ParagrafoDocumento().size() + etichetta.size() + testo.size() + testo.size() / 8 + 16);
    line += ParagrafoDocumento();
    line += QStringLiteral("{\\b ");
    line += etichetta;
    line += QStringLiteral(": }{");
    appendRtf(line, testo);
    line += kFineRiga;
    return line;
}

// Sources of these families are marked with their family code, unless the citation carries one.
bool fonteDaMarcare(const QString& TP, const QString& testo) {
    const bool famiglia =
        TP.startsWith(u"NI") || TP.startsWith(u"GE") || TP == u"NS" || TP == u"GS" || TP.startsWith(u"F");
    return famiglia && !testo.contains(u'*');
}

} // namespace

const QString& ParagrafoDocumento() {
    static const QString p = QStringLiteral(R"(\pard \fi-397\li397\nowidctlpar\widctlpar\adjustright )");
    return p;
}

const std::optional<QString>& TestiDocumento::operator[](QChar tipo) const {
    static const std::optional<QString> nessuno;
    const int i = tipo.unicode() - u'0';
    return i >= 0 && i < static_cast<int>(perTipo.size()) ? perTipo[i] : nessuno;
}

QString TitoloNotaPerTD(const QString& TD) {
    if (TD == u"02")
        return QStringLiteral("Relazione");
    if (TD == u"03")
        return QStringLiteral("Nota a sentenza");
    if (TD == u"04")
        return QStringLiteral("Recensione");
    if (TD == u"07")
        return QStringLiteral("Commento a legislazione");
    if (TD == u"08")
        return QStringLiteral("Rassegna di giurisprudenza");
    if (TD == u"09")
        return QStringLiteral("Rassegna di legislazione");
    return {};
}

QString RiferimentoEsteso(const RiferimentoBibl& r, const QString& pagine, const QString& Bib,
                          const QString& tipoBibliografia) {
    QString t = r.Titolo;
    if (!r.Volume.isEmpty())
        t += QStringLiteral(", vol. ") + r.Volume;
    t += QStringLiteral(", ") + r.Data.left(4);
    if (!r.Fascicolo.isEmpty())
        t += QStringLiteral(", fasc. ") + r.Fascicolo;
    // A month outside 01..12 has no name: the date then shows its year alone.
    bool meseValido = false;
    const int mese = r.Data.mid(5, 2).toInt(&meseValido);
    if (r.Data.mid(5, 2) != u"00" && meseValido && mese >= 1 && mese <= 12) {
        t += QStringLiteral(" (") + NomiMesi().at(mese - 1);
        QString giorno = r.Data.right(2);
        if (giorno != u"00") {
            if (giorno.startsWith(u'0'))
                giorno = giorno.mid(1);
            t += u' ' + giorno;
        }
        t += u')';
    }
    if (!pagine.isEmpty()) {
        if (RivistaConNumeroPagine(r.IDRivistaOnline))
            t += QStringLiteral(", ") + pagine + QStringLiteral(" pagg.");
        else
            t += QStringLiteral(", ") +
                 (pagine.contains(u'-') ? QStringLiteral("pagg. ") : QStringLiteral(" pag. ")) + pagine;
    }
    if (!Bib.isEmpty())
        t += QStringLiteral(", (") + tipoBibliografia + u')';
    return t;
}

// ---------------------------------------------------------------------------------------------

struct StampaRtf::Flussi {
    RecordSet responsabili, testi, fonti, classificazione;
};

StampaRtf::StampaRtf(AppState& state, bool completa)
    : state_(state), db_(state.Connessione), completa_(completa) {}

StampaRtf::~StampaRtf() = default;

void StampaRtf::LeggiInOrdine() {
    flussi_ = std::make_unique<Flussi>();
    flussi_->responsabili = db_.ApriRS(kSqlResponsabiliInOrdine);
    flussi_->testi = db_.ApriRS(kSqlTestiInOrdine);
    if (completa_) {
        {
            RecordSet n = db_.ApriRS(QStringLiteral("select min(IDFonte), max(IDFonte), count(*) from tabFonte"));
            fontiPerChiave_.prepara(n.integer(0), n.integer(1), n.integer(2));
            fontiRtf_.clear();
            fontiRtf_.reserve(static_cast<size_t>(n.integer(2)));
        }
        for (RecordSet rs = db_.ApriRS(QStringLiteral("select IDFonte, Testo, TP from tabFonte")); !rs.eof();
             rs.moveNext()) {
            const QString testo = rs.text(1);
            const QString TP = rs.text(2);
            QString voce;
            appendRtf(voce, fonteDaMarcare(TP, testo) ? testo + u'*' + TP + u'*' : testo);
            fontiPerChiave_.imposta(rs.integer(0), static_cast<qint32>(fontiRtf_.size()));
            fontiRtf_.push_back(std::move(voce));
        }
        flussi_->fonti = db_.ApriRS(kSqlFontiInOrdine);
        flussi_->classificazione = db_.ApriRS(kSqlClassificazioneInOrdine);
    }
}

QString StampaRtf::RigaTitolo() const {
    return kRigaTitolo + rtfEscape(state_.Consegna()) +
           (completa_ ? QStringLiteral(" (completa)}{\\fs32\\par \\par }")
                      : QStringLiteral(" (solo testi)}{\\fs32\\par \\par }"));
}

QString StampaRtf::Identificativo(qint64 IDDocumento) const {
    return IdentificativoDocumento(state_,
                                   NumeroSpostato(NumeroSpostato(state_.NumInizio(), IDDocumento), -1));
}

QString StampaRtf::RigaDocumento(qint64 IDDocumento, bool filtro) const {
    const QString rec = QStringLiteral("(\\i REC=") + QString::number(IDDocumento) + u')' + kFineRiga;
    if (filtro)
        return kRigaDocumento + u'{' + rec;
    return kRigaDocumento + u'{' + rtfEscape(Identificativo(IDDocumento)) + u' ' + rec;
}

QString StampaRtf::RigaDocID(qint64 IDDocumento) const {
    return ParagrafoDocumento() + QStringLiteral("{\\b DocID: }{AP=") + rtfEscape(state_.AnnoProduzione()) +
           QStringLiteral(" NP=") + rtfEscape(Identificativo(IDDocumento).right(5)) + kFineRiga;
}

QString StampaRtf::TipoBibliografia(const QString& Bib) {
    auto it = bib_.find(Bib);
    if (it == bib_.end()) {
        RecordSet rs = db_.ApriRS(kSqlBib, {Bib});
        it = bib_.insert(Bib, rs.eof() ? std::nullopt : std::optional<QString>(rs.field(0).toString()));
    }
    return it->value_or(Bib);
}

QString StampaRtf::VoceSistematico(const QString& CodiceS) {
    auto it = sistematici_.find(CodiceS);
    if (it == sistematici_.end()) {
        RecordSet rs = db_.ApriRS(kSqlSistematici, {CodiceS});
        std::optional<std::pair<QString, QString>> voce;
        if (!rs.eof())
            voce = std::make_pair(rs.field(u"Sigla").toString(), rs.field(u"Descrizione").toString());
        it = sistematici_.insert(CodiceS, voce);
    }
    const QString codice = QStringLiteral("(") + CodiceS + u')';
    if (!it->has_value())
        return codice;
    return (*it)->first + QStringLiteral(" - ") + (*it)->second + u' ' + codice;
}

QString StampaRtf::VoceDescrittore(const QString& CodiceD) {
    // Asterisked descriptors carry an "A" and live in tabLegameDSA.
    const bool asterisco = CodiceD.contains(u'A');
    auto& cache = asterisco ? legameDSA_ : descrittori_;
    auto it = cache.find(CodiceD);
    if (it == cache.end()) {
        RecordSet rs = db_.ApriRS(asterisco ? kSqlLegameDSA : kSqlDescrittori, {CodiceD});
        it = cache.insert(CodiceD, rs.eof() ? std::nullopt : std::optional<QString>(rs.field(0).toString()));
    }
    const QString codice = QStringLiteral("(") + CodiceD + u')';
    return it->has_value() ? **it + u' ' + codice : codice;
}

QStringList StampaRtf::StampaRiferimento(const DocumentoStampa& d) {
    auto noto = riferimenti_.constFind(d.IDRifBibl);
    if (noto == riferimenti_.cend()) {
        std::optional<RiferimentoBibl> letto;
        RecordSet rs = db_.ApriRS(kSqlRiferimento, {d.IDRifBibl});
        if (!rs.eof()) {
            RiferimentoBibl& r = letto.emplace();
            r.IDRivistaOnline = rs.field(u"IDRivistaOnline").toString();
            r.Data = rs.field(u"Data").toString();
            r.Fascicolo = rs.field(u"Fascicolo").toString();
            r.Volume = rs.field(u"Volume").toString();
            r.Annata = rs.field(u"Annata").toString();
            r.Titolo = rs.field(u"Titolo").toString();
        }
        if (riferimenti_.size() >= kVociRicordate)
            riferimenti_.clear(); // a run's memory stays bounded
        noto = riferimenti_.insert(d.IDRifBibl, std::move(letto));
    }
    if (!noto->has_value())
        return {};
    const RiferimentoBibl& r = **noto;
    QStringList lines;
    if (completa_) {
        QString c1 = QStringLiteral("CPer=") + r.IDRivistaOnline + QStringLiteral(" DATA=") + r.Data;
        if (!r.Fascicolo.isEmpty())
            c1 += QStringLiteral(" FASC=") + r.Fascicolo;
        if (!r.Volume.isEmpty())
            c1 += QStringLiteral(" VOL=") + r.Volume;
        if (!r.Annata.isEmpty())
            c1 += QStringLiteral(" ANN=") + r.Annata;
        lines << riga(QStringLiteral("Riferimenti bibl. 1"), c1);

        QString c2 = QStringLiteral("PAG=") + d.pagine;
        if (!d.TAbs.isEmpty())
            c2 += QStringLiteral(" TABS=") + d.TAbs;
        if (!d.Bib.isEmpty())
            c2 += QStringLiteral(" BIB=") + d.Bib;
        if (!d.TD.isEmpty())
            c2 += QStringLiteral(" TD=") + d.TD;
        c2 += QStringLiteral(" LIN=") + d.LIN;
        if (d.lo != u"00")
            c2 += QStringLiteral(" LO=") + d.lo;
        if (d.lr != u"00")
            c2 += QStringLiteral(" LR=") + d.lr;
        if (d.la != u"00")
            c2 += QStringLiteral(" LA=") + d.la;
        lines << riga(QStringLiteral("Riferimenti bibl. 2"), c2);
    }
    const QString tipo = d.Bib.isEmpty() ? QString() : TipoBibliografia(d.Bib);
    lines << riga(QStringLiteral("Riferimenti estesi"), RiferimentoEsteso(r, d.pagine, d.Bib, tipo));
    return lines;
}

std::optional<QString> StampaRtf::StampaResponsabilita(qint64 IDDocumento) {
    RecordSet proprio;
    Righe righe(flussi_ ? flussi_->responsabili : (proprio = db_.ApriRS(kSqlResponsabilita, {IDDocumento})),
                flussi_ ? std::optional<qint64>(IDDocumento) : std::nullopt);
    if (!righe.valida())
        return std::nullopt;
    RecordSet& rs = righe.rs();
    const int primo = rs.columnIndex(u"PrimoElemento");
    const int secondo = rs.columnIndex(u"SecondoElemento");
    const bool autore = rs.field(u"flagAutore").toBool();
    QString nomi;
    for (bool first = true; righe.valida(); righe.avanti(), first = false) {
        if (!first)
            nomi += QStringLiteral("; ");
        nomi += rs.field(primo).toString();
        const QString s = rs.field(secondo).toString();
        if (!s.isEmpty())
            nomi += QStringLiteral(", ") + s;
    }
    return riga(autore ? QStringLiteral("Autore") : QStringLiteral("Curatore"), nomi);
}

TestiDocumento StampaRtf::LeggiTesti(qint64 IDDocumento) {
    TestiDocumento testi;
    RecordSet proprio;
    Righe righe(flussi_ ? flussi_->testi : (proprio = db_.ApriRS(kSqlTesti, {IDDocumento})),
                flussi_ ? std::optional<qint64>(IDDocumento) : std::nullopt);
    const int colonna = flussi_ ? 1 : 0; // the kind, then the text
    for (; righe.valida(); righe.avanti()) {
        const QString tipo = righe.rs().text(colonna);
        if (tipo.size() != 1)
            continue;
        const int i = tipo[0].unicode() - u'0';
        if (i >= 0 && i < static_cast<int>(testi.perTipo.size()) && !testi.perTipo[i])
            testi.perTipo[i] = righe.rs().text(colonna + 1);
    }
    return testi;
}

std::optional<QString> StampaRtf::StampaTesto(const TestiDocumento& testi, QChar tipo,
                                              const QString& titolo) {
    const auto& testo = testi[tipo];
    if (!testo || titolo.isEmpty())
        return std::nullopt;
    return riga(titolo, *testo);
}

std::optional<QString> StampaRtf::StampaNotaCompilatore(const TestiDocumento& testi) {
    const auto& testo = testi[u'5'];
    if (!testo)
        return std::nullopt;
    return ParagrafoDocumento() + QStringLiteral("{\\b \\i Nota compilatore: }{\\i ") + rtfEscape(*testo) +
           kFineRiga;
}

std::optional<QString> StampaRtf::StampaFonti(qint64 IDDocumento) {
    const bool inOrdine = flussi_ && flussi_->fonti.isOpen();
    RecordSet proprio;
    Righe righe(inOrdine ? flussi_->fonti : (proprio = db_.ApriRS(kSqlFonti, {IDDocumento})),
                inOrdine ? std::optional<qint64>(IDDocumento) : std::nullopt);
    if (!righe.valida())
        return std::nullopt;
    // In order, each link's source is among those read at the start (a link to a source no longer
    // there has no place in the print, as a document read alone has it).
    QString text;
    bool prima = true;
    for (; righe.valida(); righe.avanti()) {
        const qint32 i = inOrdine ? fontiPerChiave_.posizione(righe.rs().integer(1)) : -1;
        if (inOrdine && i < 0)
            continue;
        if (!prima)
            text += QStringLiteral("\\line ");
        prima = false;
        if (inOrdine) {
            text += fontiRtf_[static_cast<size_t>(i)];
        } else {
            const QString testo = righe.rs().text(0);
            const QString TP = righe.rs().text(1);
            appendRtf(text, fonteDaMarcare(TP, testo) ? testo + u'*' + TP + u'*' : testo);
        }
    }
    if (prima)
        return std::nullopt;
    return ParagrafoDocumento() + QStringLiteral("{\\b Fonte: }{") + text + kFineRiga;
}

std::optional<QString> StampaRtf::StampaClassificazione(qint64 IDDocumento) {
    const bool inOrdine = flussi_ && flussi_->classificazione.isOpen();
    RecordSet proprio;
    Righe righe(inOrdine ? flussi_->classificazione
                         : (proprio = db_.ApriRS(kSqlClassificazione, {IDDocumento})),
                inOrdine ? std::optional<qint64>(IDDocumento) : std::nullopt);
    if (!righe.valida())
        return std::nullopt;
    const int colonna = inOrdine ? 1 : 0; // the systematic code, then the descriptor
    QString text;
    for (bool first = true; righe.valida(); righe.avanti(), first = false) {
        if (!first)
            text += QStringLiteral("\\\\");
        const QString CodiceS = righe.rs().text(colonna);
        const QString CodiceD = righe.rs().text(colonna + 1);
        // The same pairs come back in document after document.
        const QString chiave = CodiceS + u'\x1f' + CodiceD;
        auto nota = coppieRtf_.constFind(chiave);
        if (nota == coppieRtf_.cend()) {
            QString voce = VoceSistematico(CodiceS);
            if (!CodiceD.isEmpty())
                voce += QStringLiteral("; ") + VoceDescrittore(CodiceD);
            QString rtf;
            appendRtf(rtf, voce);
            if (coppieRtf_.size() >= kVociRicordate) {
                text += rtf;
                continue;
            }
            nota = coppieRtf_.insert(chiave, rtf);
        }
        text += *nota;
    }
    return ParagrafoDocumento() + QStringLiteral("{\\b Classificazione: }{") + text + kFineRiga;
}

void StampaRtf::StampaDocumento(const DocumentoStampa& d, bool filtro, QStringList& lines) {
    const auto add = [&lines](const std::optional<QString>& line) {
        if (line)
            lines << *line;
    };
    lines << RigaDocumento(d.IDDocumento, filtro);
    if (completa_)
        lines << RigaDocID(d.IDDocumento);
    if (d.IDRifBibl > 0)
        lines << StampaRiferimento(d);
    add(StampaResponsabilita(d.IDDocumento));
    const TestiDocumento testi = LeggiTesti(d.IDDocumento);
    add(StampaTesto(testi, u'0', QStringLiteral("Titolo")));
    if (!d.DocURL.isEmpty())
        lines << riga(QStringLiteral("URL"), d.DocURL);
    add(StampaTesto(testi, u'3', QStringLiteral("Traduzione")));
    add(StampaTesto(testi, u'4', TitoloNotaPerTD(d.TD)));
    add(StampaTesto(testi, u'1', QStringLiteral("Riassunto")));
    add(StampaTesto(testi, u'2', QStringLiteral("Sommario")));
    add(StampaTesto(testi, u'7', QStringLiteral("In tema di")));
    add(StampaTesto(testi, u'8', QStringLiteral("English abstract")));
    if (completa_) {
        add(StampaFonti(d.IDDocumento));
        add(StampaClassificazione(d.IDDocumento));
        add(StampaNotaCompilatore(testi));
    }
    lines << QStringLiteral("{\\par }");
}

// ---------------------------------------------------------------------------------------------

QString LeggiModello(AppState& state, const QString& fileName) {
    const QString path = state.home.filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const bool presente = QFileInfo::exists(path);
        QString messaggio =
            (presente ? QStringLiteral("Impossibile leggere il file di testata \"%1\" (%2).")
                      : QStringLiteral("Manca il file di testata \"%1\" (%2)."))
                .arg(fileName, QDir::toNativeSeparators(path)) +
            QStringLiteral("\nLa stampa non è stata fatta: rimettere il file nella cartella del "
                           "programma e ripetere la stampa.");
        if (presente)
            messaggio += QStringLiteral("\nDettaglio tecnico: ") + file.errorString();
        throw std::runtime_error(messaggio.toStdString());
    }
    QString text = rtfAsciiBytes(file.readAll());
    text.remove(u'\r');
    text.remove(u'\n');
    text.replace(QStringLiteral("Consegna xxx"), QStringLiteral("Consegna ") + rtfEscape(state.Consegna()),
                 Qt::CaseInsensitive);
    return text;
}

QString FileStampaConsegna(const AppState& state, bool completa) {
    return state.home.dumpPath((completa ? QStringLiteral("stampaRTF-C-") : QStringLiteral("stampaRTF-T-")) +
                               fileNamePart(state.Consegna()) + QStringLiteral(".rtf"));
}

namespace {

DocumentoStampa leggiDocumento(const RecordSet& rs, const std::array<int, 11>& col) {
    const auto text = [&rs](int c) { return c < 0 ? QString() : rs.field(c).toString(); };
    DocumentoStampa d;
    d.IDDocumento = rs.field(col[0]).toLongLong();
    d.IDRifBibl = col[1] < 0 ? 0 : rs.field(col[1]).toLongLong();
    d.pagine = text(col[2]);
    d.TAbs = text(col[3]);
    d.Bib = text(col[4]);
    d.TD = text(col[5]);
    d.LIN = text(col[6]);
    d.lo = text(col[7]);
    d.lr = text(col[8]);
    d.la = text(col[9]);
    d.DocURL = text(col[10]);
    return d;
}

} // namespace

EsitoStampa StampaConsegna(AppState& state, bool completa, bool filtro) {
    EsitoStampa esito;
    esito.path = FileStampaConsegna(state, completa);
    TextOutput out;
    const bool ok = eseguiStampa(esito, out, [&] {
        BusyScope busy(state.ui(), QStringLiteral("Stampa consegna"));
        const QString modello = LeggiModello(state, QStringLiteral("testata new.rtf"));
        {
            RecordSet n = state.Connessione.ApriRS(QStringLiteral("select count(*) from tabDocumento"));
            busy.progress().setRange(n.eof() ? 0 : n.field(0).toLongLong());
        }

        // The print is ASCII throughout: the same bytes in any output encoding.
        out.open(esito.path, TextOutput::Mode::Truncate, TextEncoding::Windows1252);
        out.writeLine(modello);
        StampaRtf stampa(state, completa);
        // The filter's documents come in no set order: read one by one.
        if (!filtro)
            stampa.LeggiInOrdine();
        out.writeLine(stampa.RigaTitolo());

        RecordSet rs = state.Connessione.ApriRS(filtro ? kSqlDocumentiFiltro : kSqlDocumenti);
        std::array<int, 11> col{};
        const char16_t* const nomi[] = {u"IDDocumento", u"IDRifBibl", u"pagine", u"TAbs", u"Bib",   u"TD",
                                        u"LIN",         u"lo",        u"lr",     u"la",   u"DocURL"};
        for (size_t i = 0; i < col.size(); ++i)
            col[i] = rs.columnIndex(QStringView(nomi[i]));
        QStringList lines;
        for (; !rs.eof(); rs.moveNext()) {
            lines.clear();
            stampa.StampaDocumento(leggiDocumento(rs, col), filtro, lines);
            for (const QString& line : lines)
                out.writeLine(line);
            busy.progress().setValue(++esito.documenti);
        }
        rs.close();
        out.writeLine(u"}");
    });
    if (!ok)
        return esito;
    // Recorded once the file is whole: a print that failed is not a print done.
    AggiornaInfo(state, completa ? QStringLiteral("3") : QStringLiteral("4"));
    state.ui().message(QStringLiteral("Fine stampa"));
    return esito;
}
