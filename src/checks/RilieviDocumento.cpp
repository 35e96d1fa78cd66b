#include "checks/RilieviDocumento.h"

#include "checks/IndiceRilievi.h"
#include "sources/CatalogoNorme.h"
#include "sources/IdentificativiUfficiali.h"
#include "store/MessaggiErrore.h"
#include "store/Numeri.h"

#include <algorithm>
#include <array>

namespace {

// Text types of legameDocTesto.Tipo that the rules look at.
enum Tipo { Riassunto = 1, Sommario = 2, Traduzione = 3, Nota = 4, InTemaDi = 7, AbstractInglese = 8 };

QString rec(qint64 n) {
    return QStringLiteral("(rec. ") + QString::number(n) + u')';
}

class Regole {
public:
    Regole(AppState& state, DatiControllo& dati, const std::function<void(Rilievo&&)>& rilievo,
           MemoriaCatalogo* memoria)
        : state_(state), dati_(dati), rilievo_(rilievo), memoria_(memoria), n_(dati.id()) {}

    void applica();

private:
    void generale(RegolaRilievo regola, CampoRilievo campo) {
        rilievo_(Rilievo{ElencoErrori::Generali, NomeRegola(regola) + u' ' + rec(n_), campo, -1, regola});
    }
    void traduzione();
    void lingua(bool straniera);
    void nota(const QString& td);
    void tipoAbstract(const QString& tabs);
    void classificazione();
    void fonti();
    void fonte(const FonteControllo& f);

    AppState& state_;
    DatiControllo& dati_;
    const std::function<void(Rilievo&&)>& rilievo_;
    MemoriaCatalogo* memoria_;
    const qint64 n_;
    std::array<bool, 9> tipi_{};
};

void Regole::applica() {
    // 1: a Null reference is as missing as 0.
    if (dati_.senzaRiferimento())
        generale(RegolaRilievo::MancaRiferimento, CampoRilievo::Rivista);
    // 2
    if (PagineZero(dati_.pagine()))
        generale(RegolaRilievo::MancaPagine, CampoRilievo::Pagine);
    // 3 to 5 fire on empty text only; Null is then read as empty by the rules that need text.
    const std::optional<QString> td = dati_.TD();
    const std::optional<QString> tabs = dati_.TAbs();
    const std::optional<QString> bib = dati_.Bib();
    if (td && td->isEmpty())
        generale(RegolaRilievo::MancaTD, CampoRilievo::TipoDocumento);
    if (tabs && tabs->isEmpty())
        generale(RegolaRilievo::MancaTAbs, CampoRilievo::TipoAbstract);
    if (bib && bib->isEmpty())
        generale(RegolaRilievo::MancaBib, CampoRilievo::Bibliografia);
    // 6
    if (!dati_.haResponsabilita())
        generale(RegolaRilievo::MancaResponsabilita, CampoRilievo::Responsabilita);
    // 7
    traduzione();
    // 8
    tipi_.fill(false);
    const bool testi = dati_.perOgniTipoTesto([this](int tipo) {
        // Only the types the editor stores can be flagged.
        if (tipo >= 0 && tipo < static_cast<int>(tipi_.size()))
            tipi_[static_cast<size_t>(tipo)] = true;
    });
    if (!testi)
        generale(RegolaRilievo::MancanoTesti, CampoRilievo::Titolo);
    // 9: a Null language is the default, Italian.
    lingua(dati_.straniera());
    // 10, 11
    nota(td.value_or(QString()));
    tipoAbstract(tabs.value_or(QString()));
    // 12, 13
    classificazione();
    // 14
    fonti();
}

void Regole::traduzione() {
    if (!dati_.haEnglishAbstract())
        return;
    const std::optional<QString> tr = dati_.traduzione();
    if (!tr)
        generale(RegolaRilievo::MancaTraduzione, CampoRilievo::Traduzione);
    else if (tr->contains(u'['))
        generale(RegolaRilievo::TraduzioneCompilatore, CampoRilievo::Traduzione);
}

void Regole::lingua(bool straniera) {
    if (straniera && tipi_[Traduzione])
        generale(RegolaRilievo::TitoloTradotto, CampoRilievo::Lingua);
    else if (straniera)
        generale(RegolaRilievo::MancaTraduzioneTitolo, CampoRilievo::Traduzione);
    else if (tipi_[Traduzione] && !tipi_[AbstractInglese])
        generale(RegolaRilievo::TraduzioneSenzaEA, CampoRilievo::EnglishAbstract);
}

void Regole::nota(const QString& td) {
    if (td != u"01" && !tipi_[Nota])
        generale(RegolaRilievo::MancaNota, CampoRilievo::Nota);
    else if (td == u"01" && tipi_[Nota])
        generale(RegolaRilievo::NotaConContributo, CampoRilievo::Nota);
}

void Regole::tipoAbstract(const QString& tabs) {
    // The place to go is the text that is missing (the first of them), or the type itself.
    if (tabs == u"400") {
        if (tipi_[Riassunto] || tipi_[Sommario] || tipi_[Nota] || tipi_[InTemaDi])
            generale(RegolaRilievo::TAbs400, CampoRilievo::TipoAbstract);
    } else if (tabs == u"500" || tabs == u"800") {
        if (!tipi_[Riassunto] || (!tipi_[Sommario] && !tipi_[InTemaDi]))
            generale(RegolaRilievo::TAbs500,
                     !tipi_[Riassunto] ? CampoRilievo::Riassunto : CampoRilievo::Sommario);
    } else if (tabs == u"600") {
        if (!tipi_[Sommario])
            generale(RegolaRilievo::TAbs600, CampoRilievo::Sommario);
    } else if (tabs == u"700") {
        if (!tipi_[InTemaDi])
            generale(RegolaRilievo::TAbs700, CampoRilievo::InTemaDi);
    } else if (tabs == u"900") {
        if (!tipi_[Riassunto])
            generale(RegolaRilievo::TAbs900, CampoRilievo::Riassunto);
    }
}

void Regole::classificazione() {
    const bool coppie = dati_.perOgniCoppia([this](const CoppiaControllo& c) {
        RegolaRilievo regola;
        switch (c.Controllo) {
        case 1:
            regola = RegolaRilievo::CoppiaNonValida;
            break;
        case 2:
            regola = RegolaRilievo::AsteriscataValida;
            break;
        case 3:
            regola = RegolaRilievo::AsteriscataNonValida;
            break;
        default:
            return;
        }
        rilievo_(Rilievo{ElencoErrori::Classificazione,
                         NomeRegola(regola) + QStringLiteral(": ") + c.CodiceS + QStringLiteral("; ") +
                             c.CodiceD + rec(n_),
                         CampoRilievo::Classificazione, c.voce, regola});
    });
    if (!coppie)
        generale(RegolaRilievo::MancaClassificazione, CampoRilievo::Classificazione);
}

void Regole::fonti() {
    if (!dati_.perOgniFonte([this](const FonteControllo& f) { fonte(f); }))
        generale(RegolaRilievo::MancaFonte, CampoRilievo::Fonti);
}

void Regole::fonte(const FonteControllo& f) {
    const auto scrivi = [&](RegolaRilievo regola) {
        rilievo_(Rilievo{ElencoErrori::Fonti,
                         NomeRegola(regola) + QStringLiteral(": ") + f.testo + u' ' + rec(n_),
                         CampoRilievo::Fonti, f.voce, regola});
    };
    // A royal decree of 1950 is a typing error, and would be linked to another act.
    if (DataImpossibile(f.TP, f.FonteNorm, f.anno))
        scrivi(RegolaRilievo::DataImpossibile);
    if (f.TP == u"NIC")
        return;
    const Field numero(f.numero);
    const QString testoNumero = numero.toString();
    if (testoNumero.isEmpty()) {
        if (f.TP == u"GICO" || f.TP == u"GICA")
            scrivi(RegolaRilievo::SenzaNumero);
        return;
    }
    if (f.FonteNorm == u"C. Cost.") {
        if (numero.toLongLong() >= 1000)
            scrivi(RegolaRilievo::NumeroCorteCostituzionale);
        return;
    }
    const QString abbreviazione = AbbreviazioneNelCatalogo(f.FonteNorm);
    if (abbreviazione.isEmpty())
        return;
    if (!state_.CatalogoAperto)
        throw DbError(
            3044,
            QStringLiteral("Il catalogo delle norme non è disponibile: %1").arg(state_.home.cataloguePath()));
    // The catalogue keeps the promulgation date as ISO text.
    const QString data = DataNelCatalogo(f.anno, f.mese, f.giorno);
    const QString chiave = data + u'|' + testoNumero + u'|' + abbreviazione;
    const auto noto = memoria_ ? memoria_->constFind(chiave) : MemoriaCatalogo::const_iterator();
    bool presente;
    if (memoria_ && noto != memoria_->cend()) {
        presente = *noto;
    } else {
        presente = AttoNelCatalogo(state_.ConnessioneCatalogo, abbreviazione, data, testoNumero);
        if (memoria_)
            memoria_->insert(chiave, presente);
    }
    if (!presente)
        scrivi(RegolaRilievo::FonteErrata);
}

} // namespace

QString NomeRegola(RegolaRilievo regola) {
    switch (regola) {
    case RegolaRilievo::MancaRiferimento:
        return QStringLiteral("Manca rif. bibliografico");
    case RegolaRilievo::MancaPagine:
        return QStringLiteral("Manca indicazione pagine");
    case RegolaRilievo::MancaTD:
        return QStringLiteral("Manca indicazione TD");
    case RegolaRilievo::MancaTAbs:
        return QStringLiteral("Manca indicazione TAbs");
    case RegolaRilievo::MancaBib:
        return QStringLiteral("Manca indicazione Bib");
    case RegolaRilievo::MancaResponsabilita:
        return QStringLiteral("Manca responsabilità");
    case RegolaRilievo::MancaTraduzione:
        return QStringLiteral("Manca traduzione");
    case RegolaRilievo::TraduzioneCompilatore:
        return QStringLiteral("Traduzione immessa dal compilatore");
    case RegolaRilievo::MancanoTesti:
        return QStringLiteral("Mancano tutte le tipologie di testo");
    case RegolaRilievo::TitoloTradotto:
        return QStringLiteral("Lingua straniera - titolo tradotto");
    case RegolaRilievo::MancaTraduzioneTitolo:
        return QStringLiteral("Lingua straniera - manca traduzione titolo");
    case RegolaRilievo::TraduzioneSenzaEA:
        return QStringLiteral("Traduzione titolo senza EA e codice lingua straniera");
    case RegolaRilievo::MancaNota:
        return QStringLiteral("Manza nota con TD <> 01");
    case RegolaRilievo::NotaConContributo:
        return QStringLiteral("Contributo indipendente e presenza nota");
    case RegolaRilievo::TAbs400:
        return QStringLiteral("TAbs=400 con testi");
    case RegolaRilievo::TAbs500:
        return QStringLiteral("TAbs=500/800 e manca riassunto e/o sommario e/o in tema di");
    case RegolaRilievo::TAbs600:
        return QStringLiteral("TAbs=600 e manca sommario");
    case RegolaRilievo::TAbs700:
        return QStringLiteral("TAbs=700 e manca in tema di");
    case RegolaRilievo::TAbs900:
        return QStringLiteral("TAbs=900 e manca abstract");
    case RegolaRilievo::CoppiaNonValida:
        return QStringLiteral("Coppia non valida");
    case RegolaRilievo::AsteriscataValida:
        return QStringLiteral("Coppia asteriscata valida");
    case RegolaRilievo::AsteriscataNonValida:
        return QStringLiteral("Coppia asteriscata non valida");
    case RegolaRilievo::MancaClassificazione:
        return QStringLiteral("Manca classificazione");
    case RegolaRilievo::MancaFonte:
        return QStringLiteral("Manca fonte");
    case RegolaRilievo::DataImpossibile:
        return QStringLiteral("Fonte con ") + MotivoDataImpossibile();
    case RegolaRilievo::SenzaNumero:
        return QStringLiteral("Senza numero");
    case RegolaRilievo::NumeroCorteCostituzionale:
        return QStringLiteral("GICA con numero >= 1000");
    case RegolaRilievo::FonteErrata:
        break;
    }
    return QStringLiteral("Fonte errata");
}

QString TitoloElenco(ElencoErrori elenco) {
    switch (elenco) {
    case ElencoErrori::Generali:
        return QStringLiteral("Errori generici");
    case ElencoErrori::Classificazione:
        return QStringLiteral("Errori di classificazione");
    case ElencoErrori::Fonti:
        break;
    }
    return QStringLiteral("Errori nelle fonti");
}

void ControllaDocumento(AppState& state, DatiControllo& dati, const std::function<void(Rilievo&&)>& rilievo,
                        MemoriaCatalogo* memoria) {
    Regole(state, dati, rilievo, memoria).applica();
}

bool PagineZero(const QVariant& pagine) {
    if (pagine.isNull())
        return false;
    if (pagine.typeId() == QMetaType::LongLong || pagine.typeId() == QMetaType::Int ||
        pagine.typeId() == QMetaType::Double)
        return pagine.toDouble() == 0.0;
    QString testo = pagine.toString().trimmed();
    if (testo.isEmpty())
        return false;
    bool ok = false;
    double valore = testo.toDouble(&ok);
    if (!ok) {
        testo.replace(u',', u'.');
        valore = testo.toDouble(&ok);
    }
    return ok && valore == 0.0;
}

// ---------------------------------------------------------------------------------------------
// The stored document.

ColonneDocumento ColonneDocumento::di(const RecordSet& rs) {
    ColonneDocumento c;
    c.id = rs.columnIndex(u"IDDocumento");
    c.rifBibl = rs.columnIndex(u"IDRifBibl");
    c.pagine = rs.columnIndex(u"Pagine");
    c.TD = rs.columnIndex(u"TD");
    c.TAbs = rs.columnIndex(u"TAbs");
    c.Bib = rs.columnIndex(u"Bib");
    c.LIN = rs.columnIndex(u"LIN");
    for (int i : {c.id, c.rifBibl, c.pagine, c.TD, c.TAbs, c.Bib, c.LIN})
        if (i < 0)
            throw DbError(3265, QStringLiteral("La tabella tabDocumento non ha tutte le colonne attese."));
    return c;
}

DatiArchivio::DatiArchivio(cConnessione& connection, const RecordSet& riga, const ColonneDocumento& colonne)
    : db_(connection), riga_(riga), c_(colonne), id_(riga.field(colonne.id).toLongLong()) {}

std::optional<QString> DatiArchivio::testo(int colonna) const {
    const Field f = riga_.field(colonna);
    if (f.isNull())
        return std::nullopt;
    return f.toString();
}

bool DatiArchivio::senzaRiferimento() {
    return riga_.field(c_.rifBibl).toLongLong() == 0;
}

QVariant DatiArchivio::pagine() {
    return riga_.field(c_.pagine).variant();
}

std::optional<QString> DatiArchivio::TD() {
    return testo(c_.TD);
}

std::optional<QString> DatiArchivio::TAbs() {
    return testo(c_.TAbs);
}

std::optional<QString> DatiArchivio::Bib() {
    return testo(c_.Bib);
}

bool DatiArchivio::straniera() {
    const Field lin = riga_.field(c_.LIN);
    return !lin.isNull() && lin.toString() != u"00";
}

bool DatiArchivio::haResponsabilita() {
    return !db_.ApriRS(QStringLiteral("select IDResponsabilita from legameDocResp where IDDoc = ?"), {id_})
                .eof();
}

bool DatiArchivio::haEnglishAbstract() {
    return !db_.ApriRS(QStringLiteral("select IDTesto from legameDocTesto where IDDoc = ? and Tipo = '8'"),
                       {id_})
                .eof();
}

std::optional<QString> DatiArchivio::traduzione() {
    RecordSet tr =
        db_.ApriRS(QStringLiteral("select Testo from tabTesto, legameDocTesto where tabTesto.IDTesto = "
                                  "legameDocTesto.IDTesto and IDDoc = ? and Tipo = '3'"),
                   {id_});
    if (tr.eof())
        return std::nullopt;
    return tr.field(0).toString();
}

bool DatiArchivio::perOgniTipoTesto(const std::function<void(int tipo)>& tipo) {
    RecordSet rs =
        db_.ApriRS(QStringLiteral("select Tipo from legameDocTesto where IDDoc = ? order by Tipo"), {id_});
    if (rs.eof())
        return false;
    for (; !rs.eof(); rs.moveNext()) {
        bool ok = false;
        const int t = rs.field(0).toString().trimmed().toInt(&ok);
        tipo(ok ? t : -1);
    }
    return true;
}

bool DatiArchivio::perOgniCoppia(const std::function<void(const CoppiaControllo&)>& coppia) {
    RecordSet rs =
        db_.ApriRS(QStringLiteral("select * from legameDocClass where IDDoc = ? order by ID"), {id_});
    if (rs.eof())
        return false;
    const int colS = rs.columnIndex(u"CodiceS");
    const int colD = rs.columnIndex(u"CodiceD");
    const int colControllo = rs.columnIndex(u"Controllo");
    for (int voce = 0; !rs.eof(); rs.moveNext(), ++voce)
        coppia(CoppiaControllo{rs.field(colS).toString(), rs.field(colD).toString(),
                               rs.field(colControllo).toLongLong(), voce});
    return true;
}

bool DatiArchivio::perOgniFonte(const std::function<void(const FonteControllo&)>& fonte) {
    RecordSet link =
        db_.ApriRS(QStringLiteral("select IDFonte from legameDocFonte where IDDoc = ? order by ID"), {id_});
    if (link.eof())
        return false;
    for (int voce = 0; !link.eof(); link.moveNext(), ++voce) {
        RecordSet rs = db_.ApriRS(
            QStringLiteral(
                "select TabFonte.*, FonteNorm from tabFonte, TabFonteInterna where tabFonte.IDNomeFonte = "
                "tabFonteInterna.IDFonteInterna and (TabFonte.TP = 'LIO' or TabFonte.TP = 'LICO' or "
                "TabFonte.TP = 'LIOA'  or TabFonte.TP = 'GICO' or TabFonte.TP = 'GICA') and IDFonte = ? "
                "union all select TabFonte.*, FonteCom from tabFonte, tabFonteCom where tabFonte.IDNomeFonte "
                "= "
                "tabFonteCom.IDFonteCom and TabFonte.TP = 'NIC' and IDFonte = ?"),
            {link.field(0).toLongLong(), link.field(0).toLongLong()});
        for (; !rs.eof(); rs.moveNext())
            fonte(FonteControllo{rs.field(u"TP").toString(), rs.field(u"Testo").toString(),
                                 rs.field(u"Numero").variant(), rs.field(u"Giorno").toString(),
                                 rs.field(u"Mese").toString(), rs.field(u"Anno").toString(),
                                 rs.field(u"FonteNorm").toString(), voce});
    }
    return true;
}

void OrdinaPerElenco(QList<Rilievo>& rilievi) {
    std::stable_sort(rilievi.begin(), rilievi.end(),
                     [](const Rilievo& a, const Rilievo& b) { return a.elenco < b.elenco; });
}

EsitoControlli Controlla(AppState& state, DatiControllo& dati) {
    EsitoControlli esito;
    try {
        ApriCatalogo(state);
        ControllaDocumento(state, dati, [&](Rilievo&& r) { esito.rilievi.append(std::move(r)); });
    } catch (const DbError& e) {
        esito.interruzione = MessaggioErroreDb(
            QStringLiteral("I controlli del documento %1 si sono fermati prima della fine.").arg(dati.id()),
            e);
    }
    OrdinaPerElenco(esito.rilievi);
    return esito;
}

std::optional<EsitoControlli> RilieviDocumento(AppState& state, qint64 IDDocumento) {
    try {
        RecordSet riga = state.Connessione.ApriRS(
            QStringLiteral("select * from tabDocumento where IDDocumento = ?"), {IDDocumento});
        if (riga.eof())
            return std::nullopt;
        const ColonneDocumento colonne = ColonneDocumento::di(riga);
        DatiArchivio dati(state.Connessione, riga, colonne);
        return Controlla(state, dati);
    } catch (const DbError& e) {
        EsitoControlli esito;
        esito.interruzione = MessaggioErroreDb(
            QStringLiteral("Il documento %1 non è stato letto per i controlli.").arg(IDDocumento), e);
        return esito;
    }
}

QString ContaRilievi(qsizetype n) {
    return NumeroItaliano(n) + (n == 1 ? QStringLiteral(" rilievo") : QStringLiteral(" rilievi"));
}
