#include "checks/StampeHtml.h"

#include "checks/AggiornaInfo.h"
#include "checks/Uscite.h"
#include "sources/IdentificativiUfficiali.h"
#include "store/TextOutput.h"
#include "store/mdlGlobale.h"

#include <QHash>
#include <optional>

namespace {

bool cifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

QString articoloTrattato(const QString& articolo) {
    const QChar prima = articolo.front().toUpper();
    if (prima >= u'A' && prima <= u'Z') {
        if ((prima == u'K' || prima == u'J') && articolo.size() == 2)
            return articolo.left(1) + u'0' + articolo.mid(1);
        return articolo;
    }
    return articolo.rightJustified(cifra(articolo.back()) ? 3 : 4, u'0');
}

QString causa(const QString& Settore, const QString& Codice, const QString& altro, bool ordinanza) {
    static const QString vuoto = QStringLiteral(" ");
    QString forma;
    QString marcatore;
    if (Codice == u"J") {
        forma = ordinanza ? QStringLiteral("CO") : QStringLiteral("CJ");
        marcatore = QStringLiteral("C-");
    } else if (Codice == u"A") {
        forma = ordinanza ? QStringLiteral("TO") : QStringLiteral("TJ");
        marcatore = QStringLiteral("T-");
    } else if (Codice == u"F") {
        forma = ordinanza ? QStringLiteral("FO") : QStringLiteral("FJ");
        marcatore = QStringLiteral("F-");
    }
    if (altro.isEmpty() || forma.isEmpty())
        return vuoto;
    qsizetype posizione = altro.indexOf(marcatore, 0, Qt::CaseInsensitive);
    qsizetype inizio = posizione + marcatore.size();
    if (posizione < 0) {
        static const QString parola = QStringLiteral("causa ");
        posizione = altro.indexOf(parola, 0, Qt::CaseInsensitive);
        inizio = posizione + parola.size();
    }
    if (posizione < 0)
        return vuoto;
    const qsizetype barra = altro.indexOf(u'/', posizione);
    // Without "/yy" after the number there is no case to name.
    if (barra < inizio || barra + 2 >= altro.size() || !cifra(altro[barra + 1]) || !cifra(altro[barra + 2]))
        return vuoto;
    const QString numero = altro.mid(inizio, barra - inizio).rightJustified(4, u'0');
    const QString aa = altro.mid(barra + 1, 2);
    const QString anno = (aa >= u"50" ? QStringLiteral("19") : QStringLiteral("20")) + aa;
    return Settore + anno + forma + numero;
}

// One HTML page of a delivery: head, a heading per document, the source lines, foot.
class Pagina {
public:
    explicit Pagina(AppState& state) : state_(state) {}

    void apri(const QString& nomeSingolo, const QString& titoloBusy) {
        busy_.emplace(state_.ui(), titoloBusy);
        ApriUscita(file_, state_, nomeSingolo, false);
        file_.writeLine(u"<HTML>");
        file_.writeLine(u"<HEAD>");
        if (state_.ModoAggiornamento)
            file_.writeLine(QStringLiteral("<TITLE>Aggiornamento ") + TestoHtml(state_.SiglaAggiornamento) +
                            QStringLiteral("</TITLE>"));
        else
            file_.writeLine(QStringLiteral("<TITLE>Consegna ") + TestoHtml(state_.Consegna()) +
                            QStringLiteral("</TITLE>"));
        file_.writeLine(u"</HEAD>");
        file_.writeLine(u"<BODY>");
        file_.writeLine(QStringLiteral("<h1>Consegna ") + TestoHtml(state_.Consegna()) +
                        QStringLiteral("</h1>"));
        lettura_.emplace(state_.Connessione);
        {
            RecordSet n = state_.Connessione.ApriRS(QStringLiteral("select count(*) as T from tabDocumento"));
            busy_->progress().setRange(n.eof() ? 0 : n.field(0).toLongLong());
        }
        numeri_ = state_.Connessione.ApriRS(
            QStringLiteral("select IDDocumento from tabDocumento order by IDDocumento"));
        // The titles in document order, read on with the documents; a document's first title is
        // the one shown.
        titoli_ = state_.Connessione.ApriRS(
            QStringLiteral("select LegameDocTesto.IDDoc, TabTesto.Testo from LegameDocTesto, TabTesto where "
                           "TabTesto.IDTesto = LegameDocTesto.IDTesto and LegameDocTesto.Tipo = '0' order by "
                           "LegameDocTesto.IDDoc, LegameDocTesto.rowid"));
    }

    // The heading of a document, when the rows move on to it.
    void documento(qint64 id) {
        if (id == precedente_)
            return;
        // Documents are numbered by position, those without a listed source included.
        while (!numeri_.eof() && numeri_.integer(0) < id) {
            ++precedenti_;
            numeri_.moveNext();
        }
        busy_->progress().setValue(precedenti_);
        if (precedente_ > 0)
            file_.writeLine(u"<hr size=\"1\"/>");
        riga_.resize(0);
        riga_ += QStringLiteral("<h2>Documento: ");
        appendHtml(riga_, IdentificativoDocumento(state_, NumeroSpostato(state_.NumInizio(), precedenti_)),
                   false);
        riga_ += QStringLiteral(" (Record: ");
        riga_ += QString::number(id);
        riga_ += QStringLiteral(")</h2>");
        file_.writeLine(riga_);
        while (!titoli_.eof() && titoli_.integer(0) < id)
            titoli_.moveNext();
        if (!titoli_.eof() && titoli_.integer(0) == id) {
            riga_.resize(0);
            riga_ += QStringLiteral("<h3>");
            appendHtml(riga_, titoli_.text(1), false);
            riga_ += QStringLiteral("</h3>");
            ScriviRighe(file_, riga_);
        }
        precedente_ = id;
    }

    void riga(const QString& testo, const QString& link) { ScriviRighe(file_, TestoHtml(testo) + link); }
    // A line of the page's own markup.
    void html(QStringView riga) { ScriviRighe(file_, riga); }

    QString chiudi() {
        numeri_.close();
        titoli_.close();
        lettura_.reset();
        file_.writeLine(u"</BODY>");
        file_.writeLine(u"</HTML>");
        if (state_.ModoAggiornamento)
            file_.writeLine();
        file_.close();
        busy_.reset();
        return file_.path();
    }

private:
    AppState& state_;
    TextOutput file_;
    std::optional<BusyScope> busy_;
    std::optional<LetturaUnica> lettura_;
    RecordSet numeri_;
    RecordSet titoli_;
    QString riga_; // the line being made, its memory kept from line to line
    qint64 precedente_ = 0;
    qint64 precedenti_ = 0;
};

} // namespace

QString CodiceCelex(const QString& Settore, const QString& Codice, const QString& articolo,
                    const QString& annoF, const QString& altro, const QString& numero, const QString& anno,
                    bool ordinanza) {
    if (Settore == u"1")
        return articolo.isEmpty() ? QString() : Settore + annoF + Codice + articoloTrattato(articolo);
    if (Settore == u"3")
        return Settore + anno + Codice + numero.rightJustified(4, u'0');
    if (Settore == u"6")
        return causa(Settore, Codice, altro, ordinanza);
    return {};
}

QString NomeHudoc(const QString& altro) {
    QString testo = altro;
    const qsizetype parentesi = testo.indexOf(u'(');
    if (parentesi >= 0)
        testo = testo.mid(parentesi + 1);
    const qsizetype contro = testo.indexOf(QStringLiteral(" c. "));
    if (contro < 0)
        return {};
    QString nome = testo.left(contro + 1);
    nome.replace(QStringLiteral("et al."), QStringLiteral("and others"), Qt::CaseInsensitive);
    nome.replace(QStringLiteral(" e "), QStringLiteral(" and "), Qt::CaseInsensitive);
    return nome;
}

QString StampaCelex(AppState& state) {
    Pagina pagina(state);
    pagina.apri(QStringLiteral("StampaHTML ") + fileNamePart(state.Consegna()) + QStringLiteral(".html"),
                QStringLiteral("Stampa HTML per il controllo CELEX..."));
    // The sources of a document follow in the order they were linked.
    RecordSet rs = state.Connessione.ApriRS(QStringLiteral(
        "select TabDocumento.IDDocumento, TabFonte.*, tabFonteCom.* from tabDocumento, tabFonte, "
        "tabFonteCom, "
        "LegameDocFonte where tabDocumento.IDDocumento = legameDocFonte.IDDoc and  tabFonte.IDNomeFonte = "
        "tabFonteCom.IDFonteCom and tabFonte.IDFonte = LegameDocFonte.IDFonte and (TabFonte.TP = 'NIC' Or "
        "TabFonte.TP = 'GEC') order by TabDocumento.IDDocumento, LegameDocFonte.ID"));
    const int colID = rs.columnIndex(u"IDDocumento");
    const int colTesto = rs.columnIndex(u"testo");
    const int colSettore = rs.columnIndex(u"Settore");
    const int colAnnoF = rs.columnIndex(u"annoF");
    const int colCodice = rs.columnIndex(u"Codice");
    const int colArticolo = rs.columnIndex(u"articolo");
    const int colNumero = rs.columnIndex(u"numero");
    const int colAnno = rs.columnIndex(u"anno");
    const int colAltro = rs.columnIndex(u"altro");
    const int colOrdinanza = rs.columnIndex(u"ordinanza");
    const QString base = TestoHtml(state.settings.celexBase, Contesto::Attributo);
    for (; !rs.eof(); rs.moveNext()) {
        pagina.documento(rs.field(colID).toLongLong());
        const QString settore = rs.field(colSettore).toString();
        if (settore.isEmpty())
            continue;
        const QString celex = CodiceCelex(settore, rs.field(colCodice).toString(),
                                          rs.field(colArticolo).toString(), rs.field(colAnnoF).toString(),
                                          rs.field(colAltro).toString(), rs.field(colNumero).toString(),
                                          rs.field(colAnno).toString(), rs.field(colOrdinanza).toBool());
        if (celex.isEmpty())
            continue;
        pagina.riga(rs.field(colTesto).toString(),
                    QStringLiteral(" ---> <A HREF=\"") + base +
                        QStringLiteral("/LexUriServ/LexUriServ.do?uri=CELEX:") + TestoUrl(celex) +
                        QStringLiteral(":IT:NOT\"><U><FONT SIZE=\"2\" COLOR=\"#0000ff\">[recupera via "
                                       "CELEX]</U></FONT></A><br>"));
    }
    rs.close();
    const QString path = pagina.chiudi();
    AggiornaInfo(state, QStringLiteral("2"));
    state.ui().message(QStringLiteral("Fine stampa HTML (consegna ") + state.Consegna() + u')');
    return path;
}

QString StampaHudoc(AppState& state) {
    Pagina pagina(state);
    pagina.apri(QStringLiteral("StampaHTML_GEI ") + fileNamePart(state.Consegna()) + QStringLiteral(".html"),
                QStringLiteral("Stampa HTML per il controllo HUDOC..."));
    RecordSet rs = state.Connessione.ApriRS(QStringLiteral(
        "select TabDocumento.IDDocumento, TabFonte.* from tabDocumento, tabFonte, LegameDocFonte where "
        "tabDocumento.IDDocumento = legameDocFonte.IDDoc and tabFonte.IDFonte = LegameDocFonte.IDFonte and "
        "tabFonte.TP = 'GEI' and TabFonte.IDNomeFonte = 2 order by TabDocumento.IDDocumento, "
        "LegameDocFonte.ID"));
    const int colID = rs.columnIndex(u"IDDocumento");
    const int colTesto = rs.columnIndex(u"testo");
    const int colAltro = rs.columnIndex(u"altro");
    // The name goes percent-encoded into the fragment and the base is escaped for the attribute,
    // so the JSON of the fragment stays whole inside its single quotes.
    const QString base = TestoHtml(state.settings.hudocBase, Contesto::Attributo);
    for (; !rs.eof(); rs.moveNext()) {
        pagina.documento(rs.field(colID).toLongLong());
        const QString nome = NomeHudoc(rs.field(colAltro).toString());
        pagina.riga(rs.field(colTesto).toString(),
                    QStringLiteral(" ---> <A target=\"new\" HREF='") + base +
                        QStringLiteral("/eng#{\"docname\":[\"") + TestoUrl(nome) +
                        QStringLiteral("\"]}'><U><FONT SIZE=\"2\" COLOR=\"#0000ff\">[recupera via "
                                       "HUDOC]</U></FONT></A><br>"));
    }
    rs.close();
    const QString path = pagina.chiudi();
    state.ui().message(QStringLiteral("Fine stampa HTML_GEI (consegna ") + state.Consegna() + u')');
    return path;
}

namespace {

QString etichettaServizio(TipoIdentificativo tipo) {
    switch (tipo) {
    case TipoIdentificativo::Urn:
        return QStringLiteral("[recupera via Normattiva]");
    case TipoIdentificativo::Eli:
        return QStringLiteral("[recupera via ELI]");
    case TipoIdentificativo::Ecli:
        return QStringLiteral("[recupera via ECLI]");
    case TipoIdentificativo::Nessuno:
        break;
    }
    return {};
}

} // namespace

QString StampaNir(AppState& state) {
    Pagina pagina(state);
    pagina.apri(QStringLiteral("StampaHTML_NIR ") + fileNamePart(state.Consegna()) + QStringLiteral(".html"),
                QStringLiteral("Stampa HTML delle fonti con i testi ufficiali..."));
    // The names of acts and courts, domestic and EU, by key: small tables, read once.
    const auto nomi = [&state](const QString& sql) {
        QHash<qint64, QString> n;
        for (RecordSet rs = state.Connessione.ApriRS(sql); !rs.eof(); rs.moveNext())
            n.insert(rs.integer(0), rs.text(1));
        return n;
    };
    const QHash<qint64, QString> nomiInterni =
        nomi(QStringLiteral("select IDFonteInterna, FonteNorm from tabFonteInterna"));
    const QHash<qint64, QString> nomiUe =
        nomi(QStringLiteral("select IDFonteCom, FonteCom from tabFonteCom"));
    // Every source of every document; the documents first, so that their links come in order
    // from the index, without a sort.
    RecordSet rs = state.Connessione.ApriRS(QStringLiteral(
        "select TabDocumento.IDDocumento, TabFonte.IDFonte, TabFonte.TP, TabFonte.testo, TabFonte.articolo, "
        "TabFonte.ripa, TabFonte.allegato, TabFonte.giorno, TabFonte.mese, TabFonte.anno, TabFonte.numero, "
        "TabFonte.Ordinanza, TabFonte.Decreto, TabFonte.IDNomeFonte "
        "from tabDocumento cross join LegameDocFonte on LegameDocFonte.IDDoc = tabDocumento.IDDocumento "
        "inner join tabFonte on tabFonte.IDFonte = LegameDocFonte.IDFonte "
        "order by TabDocumento.IDDocumento, LegameDocFonte.ID"));
    const int colID = rs.columnIndex(u"IDDocumento");
    const int colFonte = rs.columnIndex(u"IDFonte");
    const int colTP = rs.columnIndex(u"TP");
    const int colTesto = rs.columnIndex(u"testo");
    const int colArticolo = rs.columnIndex(u"articolo");
    const int colRipa = rs.columnIndex(u"ripa");
    const int colAllegato = rs.columnIndex(u"allegato");
    const int colGiorno = rs.columnIndex(u"giorno");
    const int colMese = rs.columnIndex(u"mese");
    const int colAnno = rs.columnIndex(u"anno");
    const int colNumero = rs.columnIndex(u"numero");
    const int colOrdinanza = rs.columnIndex(u"Ordinanza");
    const int colDecreto = rs.columnIndex(u"Decreto");
    const int colNome = rs.columnIndex(u"IDNomeFonte");

    // The sources of the document being written that cannot be opened, listed after its links.
    QStringList senza;
    qint64 corrente = 0;
    const auto chiudiDocumento = [&] {
        if (senza.isEmpty())
            return;
        pagina.html(u"<p><i>Fonti senza identificativo ufficiale:</i></p>");
        pagina.html(u"<ul>");
        for (const QString& voce : std::as_const(senza))
            pagina.html(voce);
        pagina.html(u"</ul>");
        senza.clear();
    };
    // What a source gives, by its key: a few sources are cited by many documents, and are met
    // early. Bounded, so that a large delivery does not hold every source: once full, the sources
    // met first are kept.
    struct Resa {
        bool link = false;
        QString html; // the line of its link, or its item among those without
    };
    QHash<qint64, Resa> rese;
    constexpr qsizetype kRese = 16384;
    for (; !rs.eof(); rs.moveNext()) {
        const qint64 id = rs.integer(colID);
        if (id != corrente) {
            chiudiDocumento();
            corrente = id;
        }
        pagina.documento(id);
        const qint64 idFonte = rs.integer(colFonte);
        auto resa = rese.constFind(idFonte);
        Resa nuova;
        if (resa == rese.cend()) {
            VoceFonte v;
            v.TP = rs.text(colTP);
            v.testo = rs.text(colTesto);
            IdentificativoUfficiale identificativo;
            // The other families have no identifier: their citation is all they need.
            if (FamigliaConIdentificativo(v.TP)) {
                // The name it was chosen by: of the domestic acts and courts, or of the EU acts.
                if (gruppoFonte(v.TP) == GruppoFonte::Interno)
                    v.NomeFonte = nomiInterni.value(rs.integer(colNome));
                else if (v.TP == u"NIC")
                    v.NomeFonte = nomiUe.value(rs.integer(colNome));
                v.articolo = rs.text(colArticolo);
                v.ripa = rs.text(colRipa);
                v.allegato = rs.text(colAllegato);
                v.giorno = rs.text(colGiorno);
                QString mese = rs.text(colMese);
                v.mese = MeseNome(mese);
                v.anno = rs.text(colAnno);
                v.numero = rs.text(colNumero);
                v.Ordinanza = rs.field(colOrdinanza).toBool();
                v.Decreto = rs.field(colDecreto).toBool();
                identificativo = ComponiIdentificativo(v);
            }
            Resa& r = nuova;
            r.link = identificativo.presente();
            r.html.reserve(2 * v.testo.size() + 256);
            if (r.link) {
                appendHtml(r.html, v.testo, false);
                r.html += QStringLiteral(" ---> ");
                appendHtml(r.html, identificativo.testo, false);
                r.html += QStringLiteral(" <A HREF=\"");
                appendHtml(r.html, IndirizzoUfficiale(identificativo, state.settings), true);
                r.html += QStringLiteral("\"><FONT SIZE=\"2\" COLOR=\"#0000ff\"><U>");
                r.html += etichettaServizio(identificativo.tipo);
                r.html += QStringLiteral("</U></FONT></A><br/>");
            } else {
                r.html = QStringLiteral("<li>");
                appendHtml(r.html, rigaFonte(v), false);
                if (!identificativo.motivo.isEmpty())
                    appendHtml(r.html, QStringLiteral(" (%1)").arg(identificativo.motivo), false);
                r.html += QStringLiteral("</li>");
            }
            if (rese.size() < kRese)
                resa = rese.insert(idFonte, std::move(nuova));
        }
        const Resa& r = resa != rese.cend() ? *resa : nuova;
        if (r.link)
            pagina.html(r.html);
        else
            senza << r.html;
    }
    rs.close();
    chiudiDocumento();
    const QString path = pagina.chiudi();
    state.ui().message(QStringLiteral("Fine stampa HTML_NIR (consegna ") + state.Consegna() + u')');
    return path;
}
