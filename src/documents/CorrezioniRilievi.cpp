#include "documents/CorrezioniRilievi.h"

#include "classification/mdlClasse.h"
#include "documents/mdlDocumenti.h"
#include "sources/CatalogoNorme.h"
#include "sources/CercaFonte.h"
#include "sources/Componi.h"
#include "sources/DialogsComposizione.h"
#include "store/MessaggiErrore.h"

#include <QCryptographicHash>
#include <optional>

namespace {

using Tipo = Correzione::Tipo;

Correzione apri(CampoRilievo campo, const QString& etichetta, int voce = -1) {
    Correzione c;
    c.tipo = Tipo::Apri;
    c.campo = campo;
    c.etichetta = etichetta;
    c.voce = voce;
    return c;
}

Correzione dialogo(CampoRilievo campo, const QString& etichetta) {
    Correzione c = apri(campo, etichetta);
    c.tipo = Tipo::ApriDialogo;
    return c;
}

// "01|Contributo indipendente" -> "01 - Contributo indipendente".
QString voceLeggibile(const QString& item) {
    QString v = item;
    return v.replace(u'|', QStringLiteral(" - "));
}

Correzione codice(Tipo tipo, const QString& nome, const QString& item) {
    Correzione c;
    c.tipo = tipo;
    c.codice = item.left(2);
    c.campo = tipo == Tipo::TD ? CampoRilievo::TipoDocumento : CampoRilievo::Lingua;
    c.etichetta = nome + QStringLiteral(": ") + voceLeggibile(item);
    return c;
}

// The page of the domestic dialog that composed a source of the Normativa page, with its article
// part, for the composers to write it again with the catalogue's act.
PaginaFonte paginaDi(const VoceFonte& v) {
    PaginaFonte p;
    p.txtArt = v.articolo;
    p.ripa = v.ripa;
    p.txtComma = v.comma;
    p.ripc = v.ripc;
    p.txtLett = v.lettera;
    p.txtNumP = v.numerop;
    p.txtAll = v.allegato;
    return p;
}

class Correzioni {
public:
    Correzioni(AppState& state, const DocumentBuffer& buffer, const ListeDocumento& liste)
        : state_(state), buffer_(buffer), liste_(liste) {}

    CorrezioniRilievo di(const Rilievo& r);

private:
    void fonteErrata(const Rilievo& r);
    void coppia(const Rilievo& r, bool asteriscata);
    void tipiDocumento(bool contributo);
    void testiTAbs(const Rilievo& r);

    void aggiungi(Correzione c) { esito_.correzioni.append(std::move(c)); }

    AppState& state_;
    const DocumentBuffer& buffer_;
    const ListeDocumento& liste_;
    CorrezioniRilievo esito_;
};

CorrezioniRilievo Correzioni::di(const Rilievo& r) {
    using R = RegolaRilievo;
    using C = CampoRilievo;
    switch (r.regola) {
    case R::MancaRiferimento:
        aggiungi(apri(C::Rivista, QStringLiteral("Scegli la rivista (CPer)")));
        break;
    case R::MancaPagine:
        aggiungi(apri(C::Pagine, QStringLiteral("Scrivi le pagine")));
        break;
    case R::MancaTD:
        aggiungi(apri(C::TipoDocumento, QStringLiteral("Scegli il tipo documento (TD)")));
        break;
    case R::MancaTAbs:
    case R::TAbs400:
        aggiungi(apri(C::TipoAbstract, QStringLiteral("Scegli il tipo abstract (TAbs)")));
        break;
    case R::MancaBib:
        aggiungi(apri(C::Bibliografia, QStringLiteral("Scegli il tipo bibliografia (Bib)")));
        break;
    case R::MancaResponsabilita:
        aggiungi(dialogo(C::Responsabilita, QStringLiteral("Aggiungi autore o curatore...")));
        break;
    case R::MancaTraduzione:
    case R::TraduzioneCompilatore:
        aggiungi(dialogo(C::Traduzione, QStringLiteral("Apri la traduzione del titolo...")));
        break;
    case R::MancanoTesti:
        aggiungi(apri(C::Titolo, QStringLiteral("Scrivi il titolo")));
        break;
    case R::MancaTraduzioneTitolo:
        // No translation of the title: either it is missing, or the language code is wrong.
        aggiungi(dialogo(C::Traduzione, QStringLiteral("Apri la traduzione del titolo...")));
        if (const int i = PosizioneCodice(liste_.ComboLIN, QStringLiteral("00")); i > 0)
            aggiungi(codice(Tipo::LIN, QStringLiteral("Lingua"), liste_.ComboLIN.at(i)));
        break;
    case R::TraduzioneSenzaEA:
        aggiungi(dialogo(C::EnglishAbstract, QStringLiteral("Apri l'English abstract...")));
        aggiungi(apri(C::Lingua, QStringLiteral("Scegli la lingua (LIN)")));
        break;
    case R::MancaNota:
        if (const int i = PosizioneCodice(liste_.ComboTD, QStringLiteral("01")); i > 0)
            aggiungi(codice(Tipo::TD, QStringLiteral("TD"), liste_.ComboTD.at(i)));
        aggiungi(apri(C::Nota, QStringLiteral("Scrivi la nota")));
        break;
    case R::NotaConContributo:
        aggiungi(apri(C::Nota, QStringLiteral("Apri la nota")));
        tipiDocumento(false);
        break;
    case R::TAbs500:
    case R::TAbs600:
    case R::TAbs700:
    case R::TAbs900:
        testiTAbs(r);
        break;
    case R::CoppiaNonValida:
        coppia(r, false);
        break;
    case R::AsteriscataNonValida:
        coppia(r, true);
        break;
    case R::MancaClassificazione:
        aggiungi(dialogo(C::Classificazione, QStringLiteral("Aggiungi classificazione...")));
        break;
    case R::MancaFonte:
        aggiungi(dialogo(C::Fonti, QStringLiteral("Aggiungi fonte...")));
        break;
    case R::DataImpossibile:
    case R::SenzaNumero:
    case R::NumeroCorteCostituzionale:
        aggiungi(apri(C::Fonti, QStringLiteral("Vai alla fonte"), r.voce));
        break;
    case R::FonteErrata:
        fonteErrata(r);
        break;
    case R::TitoloTradotto:
    case R::AsteriscataValida:
        // They tell, they ask for nothing.
        break;
    }
    return esito_;
}

// The text the abstract type asks for and the document lacks; the type itself may be wrong.
void Correzioni::testiTAbs(const Rilievo& r) {
    using C = CampoRilievo;
    const auto testo = [this](const QString& t, C campo, const QString& nome) {
        if (t.trimmed().isEmpty())
            aggiungi(dialogo(campo, QStringLiteral("Apri %1...").arg(nome)));
    };
    switch (r.regola) {
    case RegolaRilievo::TAbs500:
        testo(buffer_.TestoRiassunto, C::Riassunto, QStringLiteral("il riassunto"));
        if (buffer_.TestoSommario.trimmed().isEmpty() && buffer_.TestoInTemaDi.trimmed().isEmpty()) {
            testo(buffer_.TestoSommario, C::Sommario, QStringLiteral("il sommario"));
            testo(buffer_.TestoInTemaDi, C::InTemaDi, QStringLiteral("\"in tema di\""));
        }
        break;
    case RegolaRilievo::TAbs600:
        testo(buffer_.TestoSommario, C::Sommario, QStringLiteral("il sommario"));
        break;
    case RegolaRilievo::TAbs700:
        testo(buffer_.TestoInTemaDi, C::InTemaDi, QStringLiteral("\"in tema di\""));
        break;
    default:
        testo(buffer_.TestoRiassunto, C::Riassunto, QStringLiteral("il riassunto"));
        break;
    }
    aggiungi(apri(C::TipoAbstract, QStringLiteral("Scegli il tipo abstract (TAbs)")));
}

// A document with a note is not an independent contribution: every other type of the list.
void Correzioni::tipiDocumento(bool contributo) {
    for (int i = 1; i < liste_.ComboTD.size(); ++i)
        if ((liste_.ComboTD.at(i).left(2) == u"01") == contributo)
            aggiungi(codice(Tipo::TD, QStringLiteral("TD"), liste_.ComboTD.at(i)));
}

void Correzioni::coppia(const Rilievo& r, bool asteriscata) {
    if (r.voce < 0 || r.voce >= buffer_.ElencoClassificazione.size())
        return;
    const VoceClassificazione& v = buffer_.ElencoClassificazione.at(r.voce);
    cConnessione& db = state_.Connessione;
    const auto proponi = [&](const QString& S, const QString& D, const QString& titolo) {
        // A pair the document already has would only be there twice.
        for (const VoceClassificazione& altra : buffer_.ElencoClassificazione)
            if (!altra.Cancellata && altra.CodiceS.compare(S, Qt::CaseInsensitive) == 0 &&
                altra.CodiceD.compare(D, Qt::CaseInsensitive) == 0)
                return;
        Correzione c;
        c.tipo = Tipo::Coppia;
        c.voce = r.voce;
        c.campo = CampoRilievo::Classificazione;
        c.coppia = v;
        c.coppia.CodiceS = S;
        c.coppia.CodiceD = D;
        c.coppia.Controllo = asteriscata ? AsteriscoValida : CoppiaValida;
        c.coppia.Cancellata = false;
        c.etichetta = QStringLiteral("Coppia %1; %2").arg(S, D) +
                      (titolo.isEmpty() ? QString() : QStringLiteral(" - ") + titolo);
        aggiungi(std::move(c));
    };
    try {
        // The descriptors the systematic code allows, with their headings; then the systematic codes
        // the descriptor allows, with theirs.
        const QString descrittori =
            asteriscata
                ? QStringLiteral("select CodiceD, ND from tabLegameDSA where NS = ? and CodiceD <> ? "
                                 "order by ND, CodiceD")
                : QStringLiteral("select ND, Descrizione from tabLegameDS left join tabDescrittori on "
                                 "tabDescrittori.CodiceD = tabLegameDS.ND where NS = ? and ND <> ? "
                                 "order by ND");
        for (RecordSet rs = db.ApriRS(descrittori, {v.CodiceS, v.CodiceD}); !rs.eof(); rs.moveNext())
            proponi(v.CodiceS, rs.field(0).toString(), rs.field(1).toString());
        const QString sistematici =
            asteriscata
                ? QStringLiteral("select distinct NS, Sigla, Descrizione from tabLegameDSA left join "
                                 "tabSistematici on tabSistematici.CodiceS = tabLegameDSA.NS where "
                                 "tabLegameDSA.CodiceD = ? and NS <> ? order by NS")
                : QStringLiteral("select distinct NS, Sigla, Descrizione from tabLegameDS left join "
                                 "tabSistematici on tabSistematici.CodiceS = tabLegameDS.NS where ND = ? "
                                 "and NS <> ? order by NS");
        for (RecordSet rs = db.ApriRS(sistematici, {v.CodiceD, v.CodiceS}); !rs.eof(); rs.moveNext()) {
            const QString sigla = rs.field(1).toString();
            const QString descrizione = rs.field(2).toString();
            proponi(rs.field(0).toString().toUpper(), v.CodiceD,
                    sigla.isEmpty() && descrizione.isEmpty() ? QString()
                                                             : sigla + QStringLiteral(" - ") + descrizione);
        }
    } catch (const DbError&) {
        // The pair tables cannot be read: no fix to offer.
    }
}

void Correzioni::fonteErrata(const Rilievo& r) {
    if (r.voce < 0 || r.voce >= buffer_.ElencoFonti.size())
        return;
    const VoceFonte& v = buffer_.ElencoFonti.at(r.voce);
    const QString abbreviazione = AbbreviazioneNelCatalogo(v.NomeFonte);
    QList<AttoSimile> simili;
    try {
        ApriCatalogo(state_);
        if (state_.CatalogoAperto && !abbreviazione.isEmpty())
            simili = AttiSimili(state_.ConnessioneCatalogo, abbreviazione,
                                DataNelCatalogo(v.anno, MeseFonte(v), v.giorno), v.numero);
    } catch (const DbError&) {
        simili.clear();
    }
    for (const AttoSimile& a : simili) {
        PaginaFonte p = paginaDi(v);
        try {
            if (!CopiaCatalogo(state_.ConnessioneCatalogo, a.id, p))
                continue;
        } catch (const DbError&) {
            continue;
        }
        // A ministerial act keeps its page and ministry when only its date or number changes.
        if (v.TP == u"LIOA" && p.atto == v.NomeFonte) {
            p.tipo = 7;
            p.voceTipo = TipiNormativa().at(p.tipo - 1);
            p.txtInfo1 = v.Ministero;
        }
        VoceFonte nuova;
        AzzeraFonte(nuova);
        DialogsComposizione silenziosi;
        if (!ComponiNormativa(p.tipo, nuova, p, silenziosi))
            continue;
        Correzione c;
        c.tipo = Tipo::Fonte;
        c.voce = r.voce;
        c.campo = CampoRilievo::Fonti;
        c.fonte = nuova;
        c.attoCatalogo = a.id;
        c.etichetta = nuova.testo + QStringLiteral(" (") + ElementoCorretto(a.elemento) + u')';
        aggiungi(std::move(c));
    }
    if (esito_.correzioni.isEmpty())
        esito_.nota = QStringLiteral("Nessun atto simile nel catalogo");
}

} // namespace

CorrezioniRilievo CorrezioniDi(AppState& state, const DocumentBuffer& buffer, const DatiDocumento&,
                               const ListeDocumento& liste, const Rilievo& rilievo) {
    return Correzioni(state, buffer, liste).di(rilievo);
}

QString ControlloDelCampo(CampoRilievo campo) {
    switch (campo) {
    case CampoRilievo::Rivista:
        return QStringLiteral("cmbCPer");
    case CampoRilievo::Pagine:
        return QStringLiteral("txtPagine");
    case CampoRilievo::TipoDocumento:
        return QStringLiteral("ComboTD");
    case CampoRilievo::TipoAbstract:
        return QStringLiteral("ComboTAbs");
    case CampoRilievo::Bibliografia:
        return QStringLiteral("ComboBib");
    case CampoRilievo::Lingua:
        return QStringLiteral("ComboLIN");
    case CampoRilievo::Responsabilita:
        return QStringLiteral("lstResponsabilita");
    case CampoRilievo::Titolo:
        return QStringLiteral("txtTitolo");
    case CampoRilievo::Nota:
        return QStringLiteral("txtNota");
    case CampoRilievo::Riassunto:
        return QStringLiteral("cmdRiassunto");
    case CampoRilievo::Sommario:
        return QStringLiteral("cmdSommario");
    case CampoRilievo::InTemaDi:
        return QStringLiteral("cmdInTemaDi");
    case CampoRilievo::EnglishAbstract:
        return QStringLiteral("cmdEnglishAbstract");
    case CampoRilievo::Traduzione:
        return QStringLiteral("cmdTraduzione");
    case CampoRilievo::Classificazione:
        return QStringLiteral("lstClassificazione");
    case CampoRilievo::Fonti:
        break;
    }
    return QStringLiteral("lstFonte");
}

QString NomeTipoCorrezione(Correzione::Tipo tipo) {
    switch (tipo) {
    case Tipo::Fonte:
        return QStringLiteral("fonte");
    case Tipo::Coppia:
        return QStringLiteral("coppia");
    case Tipo::TD:
        return QStringLiteral("TD");
    case Tipo::LIN:
        return QStringLiteral("LIN");
    case Tipo::Apri:
        return QStringLiteral("campo");
    case Tipo::ApriDialogo:
        break;
    }
    return QStringLiteral("dialogo");
}

bool ApplicaCorrezione(const Correzione& c, DocumentBuffer& buffer, DatiDocumento& dati,
                       const ListeDocumento& liste) {
    switch (c.tipo) {
    case Tipo::Fonte: {
        if (c.voce < 0 || c.voce >= buffer.ElencoFonti.size())
            return false;
        buffer.ElencoFonti[c.voce] = c.fonte;
        if (c.voce < dati.lstFonte.size())
            dati.lstFonte[c.voce] = rigaFonte(c.fonte);
        return true;
    }
    case Tipo::Coppia: {
        if (c.voce < 0 || c.voce >= buffer.ElencoClassificazione.size())
            return false;
        buffer.ElencoClassificazione[c.voce] = c.coppia;
        if (c.voce < dati.lstClassificazione.size())
            dati.lstClassificazione[c.voce] = rigaClassificazione(c.coppia);
        return true;
    }
    case Tipo::TD:
    case Tipo::LIN: {
        const bool td = c.tipo == Tipo::TD;
        const QStringList& items = td ? liste.ComboTD : liste.ComboLIN;
        const int i = PosizioneCodice(items, c.codice);
        if (i <= 0)
            return false;
        seleziona(td ? dati.ComboTD : dati.ComboLIN, items, i);
        // The operator's choice replaces a stored value the list could not show.
        (td ? dati.conservati.TD : dati.conservati.LIN) = std::nullopt;
        return true;
    }
    case Tipo::Apri:
    case Tipo::ApriDialogo:
        break;
    }
    return false;
}

QString IdRilievo(const Rilievo& rilievo) {
    const QString chiave =
        NomeRegola(rilievo.regola) + u'\x1f' + QString::number(rilievo.voce) + u'\x1f' + rilievo.testo;
    return u'r' + QString::fromLatin1(
                      QCryptographicHash::hash(chiave.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}

std::optional<DocumentoConCorrezioni> CaricaConCorrezioni(AppState& state, const ListeDocumento& liste,
                                                          qint64 IDDocumento, QString& errore) {
    DocumentoConCorrezioni d;
    try {
        // The findings and the rows they are about, of one state of the archive.
        Transaction lettura(state.Connessione, TransactionKind::Read);
        std::optional<EsitoControlli> esito = RilieviDocumento(state, IDDocumento);
        if (!esito) {
            errore = QStringLiteral("Il documento %1 non è presente nell'archivio.").arg(IDDocumento);
            return std::nullopt;
        }
        d.esito = std::move(*esito);
        d.buffer.IDDocCorrente = IDDocumento;
        PreparaDati(d.dati, liste);
        const EsitoCaricamento caricato =
            CaricaDocumento(state.Connessione, state.Mesi, liste, d.buffer, d.dati);
        if (!caricato.caricato) {
            errore = caricato.errore;
            return std::nullopt;
        }
    } catch (const DbError& e) {
        errore = MessaggioErroreDb(
            QStringLiteral("Il documento %1 non è stato letto: l'archivio non è cambiato.").arg(IDDocumento),
            e);
        return std::nullopt;
    }
    // The fixes read the catalogue and the pair tables, not the document's rows.
    d.correzioni.reserve(d.esito.rilievi.size());
    for (const Rilievo& r : d.esito.rilievi)
        d.correzioni.append(CorrezioniDi(state, d.buffer, d.dati, liste, r));
    return d;
}

bool AnnullaCorrezioni::annulla(DocumentBuffer& buffer, DatiDocumento& dati) {
    if (pila_.isEmpty())
        return false;
    Stato s = pila_.takeLast();
    buffer = std::move(s.buffer);
    dati = std::move(s.dati);
    return true;
}
