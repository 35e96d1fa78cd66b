#include "checks/StampeHtml.h"

#include "checks/AggiornaInfo.h"
#include "checks/Uscite.h"
#include "store/TextOutput.h"

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
    }

    // The heading of a document, when the rows move on to it.
    void documento(qint64 id) {
        if (id == precedente_)
            return;
        // Documents are numbered by position, those without a listed source included.
        while (!numeri_.eof() && numeri_.field(0).toLongLong() < id) {
            ++precedenti_;
            numeri_.moveNext();
        }
        busy_->progress().setValue(precedenti_);
        if (precedente_ > 0)
            file_.writeLine(u"<hr size=\"1\"/>");
        file_.writeLine(
            QStringLiteral("<h2>Documento: ") +
            TestoHtml(IdentificativoDocumento(state_, NumeroSpostato(state_.NumInizio(), precedenti_))) +
            QStringLiteral(" (Record: ") + QString::number(id) + QStringLiteral(")</h2>"));
        RecordSet titolo = state_.Connessione.ApriRS(
            QStringLiteral(
                "select TabTesto.Testo, tabDocumento.IDDocumento from tabDocumento, TabTesto, LegameDocTesto "
                "where TabTesto.IDTesto = LegameDocTesto.IDTesto and LegameDocTesto.IDDoc = "
                "TabDocumento.IDDocumento and LegameDocTesto.Tipo = '0' and IDDocumento = ?"),
            {id});
        if (!titolo.eof())
            ScriviRighe(file_, QStringLiteral("<h3>") + TestoHtml(titolo.field(0).toString()) +
                                   QStringLiteral("</h3>"));
        precedente_ = id;
    }

    void riga(const QString& testo, const QString& link) { ScriviRighe(file_, TestoHtml(testo) + link); }

    QString chiudi() {
        numeri_.close();
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
