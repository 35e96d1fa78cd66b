#include "documents/mdlDocumenti.h"

#include "classification/mdlClasse.h"
#include "documents/DocumentListModel.h"
#include "documents/Responsabilita.h"
#include "sources/CaricaFonti.h"
#include "store/MessaggiErrore.h"
#include "store/VersioneArchivio.h"
#include "store/mdlGlobale.h"

void seleziona(Combo& combo, const QStringList& items, int posizione) {
    if (posizione < 0 || posizione >= items.size())
        posizione = 0;
    combo.posizione = posizione;
    combo.testo = items.value(posizione);
}

int PosizioneCodice(const QStringList& items, const QString& codice) {
    if (codice.isEmpty())
        return 0;
    for (int i = 1; i < items.size(); ++i)
        if (items.at(i).startsWith(codice) &&
            (items.at(i).size() == codice.size() || items.at(i).at(codice.size()) == u'|'))
            return i;
    return 0;
}

QString codiceScelto(const Combo& combo, int length) {
    return combo.posizione >= 1 ? combo.testo.left(length) : QString();
}

namespace {

QStringList codiciConDescrizione(cConnessione& connection, const QString& caption, const QString& sql) {
    QStringList items{caption};
    RecordSet rs = connection.ApriRS(sql);
    for (; !rs.eof(); rs.moveNext())
        items << rs.field(0).toString() + u'|' + rs.field(1).toString();
    return items;
}

// The position of the item whose code (first characters) is the code; 0 when none.
int posizioneCodice(const QStringList& items, const QString& codice, int length) {
    if (codice.isEmpty())
        return 0;
    for (int i = 1; i < items.size(); ++i)
        if (items.at(i).left(length) == codice)
            return i;
    return -1;
}

} // namespace

ListeDocumento CaricaListe(cConnessione& connection, const QDate& oggi) {
    ListeDocumento l;
    l.cmbAA << QStringLiteral("Anno");
    // Next year too: a January issue is often published in December.
    for (int anno = oggi.year() + 1; anno >= 1971; --anno)
        l.cmbAA << QString::number(anno);
    l.cmbMM << QStringLiteral("Mese") << NomiMesi();
    l.cmbGG << QStringLiteral("Giorno");
    for (int giorno = 1; giorno <= 31; ++giorno)
        l.cmbGG << QString::number(giorno);
    l.ComboLIN =
        codiciConDescrizione(connection, QStringLiteral("Lingua"),
                             QStringLiteral("select idLingua, Lingua from tabLingua order by idLingua"));
    l.ComboTAbs =
        codiciConDescrizione(connection, QStringLiteral("Tipo abstract"),
                             QStringLiteral("select IDTAbs, TipoAbstract from tabTAbs order by IDTAbs"));
    l.ComboTD = codiciConDescrizione(connection, QStringLiteral("Tipo documento"),
                                     QStringLiteral("select IDTD, TipoDoc from tabTipoDoc order by IDTD"));
    l.ComboBib =
        codiciConDescrizione(connection, QStringLiteral("Tipo bibliografia"),
                             QStringLiteral("select IDBib, TipoBibliografia from tabBib order by IDBib"));
    l.cmbCPer << QStringLiteral("CPer");
    {
        RecordSet rs = connection.ApriRS(
            QStringLiteral("select IDRivistaOnline from tabRivisteOnline order by IDRivistaOnline"));
        for (; !rs.eof(); rs.moveNext())
            l.cmbCPer << rs.field(0).toString();
    }
    RecordSet info = connection.ApriRS(QStringLiteral("select AnnoProduzione from tabInfo"));
    if (!info.eof())
        l.AnnoProduzione = info.field(0).toString();
    return l;
}

void PreparaDati(DatiDocumento& dati, const ListeDocumento& liste) {
    seleziona(dati.cmbAA, liste.cmbAA, 0);
    seleziona(dati.cmbMM, liste.cmbMM, 0);
    seleziona(dati.cmbGG, liste.cmbGG, 0);
    seleziona(dati.ComboLIN, liste.ComboLIN, 0);
    seleziona(dati.ComboTAbs, liste.ComboTAbs, 0);
    seleziona(dati.ComboTD, liste.ComboTD, 0);
    seleziona(dati.ComboBib, liste.ComboBib, 0);
    seleziona(dati.cmbCPer, liste.cmbCPer, 0);
    dati.txtAnnoPr = liste.AnnoProduzione;
    dati.txtDocURL.clear();
}

QString TitoloRivista(cConnessione& connection, const QString& IDRivistaOnline) {
    RecordSet rs = connection.ApriRS(
        QStringLiteral("select Titolo from tabRivisteOnline where IDRivistaOnline = ?"), {IDRivistaOnline});
    return rs.eof() ? QString() : rs.field(0).toString();
}

qint64 ProssimoIDDocumento(cConnessione& connection) {
    RecordSet rs = connection.ApriRS(QStringLiteral("select max(IDDocumento) as M from tabDocumento"));
    if (rs.eof() || rs.field(0).isNull())
        return 1;
    return rs.field(0).toLongLong() + 1;
}

void PulisciDocumento(DocumentBuffer& buffer, DatiDocumento& dati) {
    if (dati.txtID.isEmpty())
        dati.txtID = QString::number(buffer.IDDocCorrente + 1);
    dati.ComboLIN.posizione = 0;
    dati.ComboLIN.testo = QStringLiteral("Lingua");
    dati.cmbCPer.posizione = 0;
    dati.cmbCPer.testo = QStringLiteral("CPer");
    dati.txtRivistaOnline.clear();
    dati.txtFascicolo.clear();
    dati.txtPagine.clear();
    dati.txtVolume.clear();
    dati.txtAnnata.clear();
    dati.txtTitolo.clear();
    dati.txtNota.clear();
    dati.cmbAA = {0, QStringLiteral("Anno")};
    dati.cmbMM = {0, QStringLiteral("Mese")};
    dati.cmbGG = {0, QStringLiteral("Giorno")};
    dati.lstResponsabilita.clear();
    dati.lstFonte.clear();
    dati.lstClassificazione.clear();
    // A value the lists could not show belongs to the document it came from.
    dati.conservati = {};
    buffer.TestoRiassunto.clear();
    buffer.TestoSommario.clear();
    buffer.TestoTraduzione.clear();
    buffer.TestoNotaDoc.clear();
    buffer.TestoInTemaDi.clear();
    buffer.TestoEnglishAbstract.clear();
    buffer.IndiceClassificazione = -1;
    buffer.IndiceResponsabilita = -1;
    buffer.IndiceFonte = -1;
    buffer.ElencoResponsabilita.clear();
    buffer.ElencoClassificazione.clear();
    buffer.ElencoFonti.clear();
}

namespace {

// A code the list does not hold is kept for the save and reported.
void selezionaCodice(Combo& combo, const QStringList& items, const QString& codice, int length,
                     const QString& nome, std::optional<QString>& conservato, QStringList& avvisi) {
    const int pos = posizioneCodice(items, codice, length);
    if (pos < 0) {
        avvisi << QStringLiteral("%1 \"%2\" non presente nell'elenco").arg(nome, codice);
        conservato = codice;
    }
    seleziona(combo, items, pos);
}

// The codes, pages and address of the tabDocumento columns of the current row.
void caricaRiga(const RecordSet& rs, const ListeDocumento& liste, DatiDocumento& dati, QStringList& avvisi) {
    caricaCodici({rs.field(u"TD").toString(), rs.field(u"TAbs").toString(), rs.field(u"Bib").toString(),
                  rs.field(u"LIN").toString()},
                 liste, dati, avvisi);
    dati.txtPagine = rs.field(u"pagine").toString();
    dati.txtDocURL = rs.field(u"DocURL").toString();
}

} // namespace

void caricaCodici(const CodiciDocumento& codici, const ListeDocumento& liste, DatiDocumento& dati,
                  QStringList& avvisi) {
    ValoriConservati& c = dati.conservati;
    selezionaCodice(dati.ComboTD, liste.ComboTD, codici.TD, 2, QStringLiteral("Tipo documento"), c.TD, avvisi);
    // An empty language is Italian: the first language of the list.
    const QString lin = codici.LIN.isEmpty() ? QStringLiteral("00") : codici.LIN;
    selezionaCodice(dati.ComboLIN, liste.ComboLIN, lin, 2, QStringLiteral("Lingua"), c.LIN, avvisi);
    selezionaCodice(dati.ComboBib, liste.ComboBib, codici.Bib, 1, QStringLiteral("Tipo bibliografia"), c.Bib,
                    avvisi);
    static const QStringList tabs = {QStringLiteral("400"), QStringLiteral("500"), QStringLiteral("600"),
                                     QStringLiteral("700"), QStringLiteral("800"), QStringLiteral("900")};
    const int posTAbs = static_cast<int>(tabs.indexOf(codici.TAbs)) + 1;
    // Any other abstract type shows the caption item, and is kept.
    if (posTAbs == 0 && !codici.TAbs.isEmpty()) {
        avvisi << QStringLiteral("Tipo abstract \"%1\" non presente nell'elenco").arg(codici.TAbs);
        c.TAbs = codici.TAbs;
    }
    seleziona(dati.ComboTAbs, liste.ComboTAbs, posTAbs);
}

void caricaData(const QString& data, const ListeDocumento& liste, DatiDocumento& dati, QStringList& avvisi) {
    seleziona(dati.cmbAA, liste.cmbAA, 0);
    seleziona(dati.cmbMM, liste.cmbMM, 0);
    seleziona(dati.cmbGG, liste.cmbGG, 0);
    if (data.isEmpty() || data == u"0000-00-00")
        return;
    const qsizetype prima = avvisi.size();
    const QString anno = data.left(4);
    if (anno != u"0000") {
        const int pos = static_cast<int>(liste.cmbAA.indexOf(anno));
        if (pos < 1)
            avvisi << QStringLiteral("Anno di pubblicazione \"%1\" non presente nell'elenco").arg(anno);
        seleziona(dati.cmbAA, liste.cmbAA, pos);
    }
    const QString mese = data.mid(5, 2);
    if (mese != u"00" && !mese.isEmpty()) {
        const int pos = mese.toInt();
        if (pos < 1 || pos >= liste.cmbMM.size())
            avvisi << QStringLiteral("Mese di pubblicazione \"%1\" non valido").arg(mese);
        seleziona(dati.cmbMM, liste.cmbMM, pos);
    }
    const QString giorno = data.right(2);
    if (giorno != u"00") {
        const int pos = giorno.toInt();
        if (pos < 1 || pos >= liste.cmbGG.size())
            avvisi << QStringLiteral("Giorno di pubblicazione \"%1\" non valido").arg(giorno);
        seleziona(dati.cmbGG, liste.cmbGG, pos);
    }
    // A date the three boxes cannot show is kept whole.
    if (avvisi.size() > prima)
        dati.conservati.Data = data;
}

bool CaricaRiferimento(cConnessione& connection, qint64 IDDoc, const ListeDocumento& liste,
                       DatiDocumento& dati, QStringList& avvisi) {
    dati.conservati = {};
    RecordSet rs = connection.ApriRS(
        QStringLiteral(
            "select tabDocumento.*, tabRifBibl.IDRivistaOnline, Data, Fascicolo, Volume, Titolo, Annata "
            "from tabDocumento, tabRifBibl, tabRivisteOnline where tabDocumento.IDRifBibl = "
            "tabRifBibl.IDRifBibl and tabRifBibl.IDRivistaOnline = tabRivisteOnline.IDRivistaOnline and "
            "IDDocumento = ?"),
        {IDDoc});
    if (rs.eof()) {
        // A document whose reference cannot be read is still shown, with its codes; a reference
        // whose journal code tabRivisteOnline lacks is shown too, and its code kept for the save.
        RecordSet doc = connection.ApriRS(
            QStringLiteral(
                "select tabDocumento.*, tabRifBibl.IDRivistaOnline, Data, Fascicolo, Volume, "
                "Annata, tabRifBibl.IDRifBibl as Riferimento from tabDocumento left join "
                "tabRifBibl on tabDocumento.IDRifBibl = tabRifBibl.IDRifBibl where IDDocumento = ?"),
            {IDDoc});
        if (doc.eof())
            return false;
        caricaRiga(doc, liste, dati, avvisi);
        dati.txtRivistaOnline.clear();
        seleziona(dati.cmbCPer, liste.cmbCPer, 0);
        if (doc.field(u"Riferimento").isNull()) {
            caricaData(QString(), liste, dati, avvisi);
            dati.txtFascicolo.clear();
            dati.txtVolume.clear();
            dati.txtAnnata.clear();
            avvisi << QStringLiteral("Riferimento bibliografico mancante");
            return true;
        }
        const QString rivista = doc.field(u"IDRivistaOnline").toString();
        if (rivista.isEmpty()) {
            avvisi << QStringLiteral("Codice rivista mancante nel riferimento bibliografico");
        } else {
            avvisi << QStringLiteral("Rivista \"%1\" non presente nell'elenco").arg(rivista);
            dati.conservati.CPer = rivista;
        }
        caricaData(doc.field(u"Data").toString(), liste, dati, avvisi);
        dati.txtFascicolo = doc.field(u"Fascicolo").toString();
        dati.txtVolume = doc.field(u"Volume").toString();
        dati.txtAnnata = doc.field(u"Annata").toString();
        return true;
    }
    caricaRiga(rs, liste, dati, avvisi);
    caricaData(rs.field(u"Data").toString(), liste, dati, avvisi);
    dati.txtFascicolo = rs.field(u"Fascicolo").toString();
    dati.txtVolume = rs.field(u"Volume").toString();
    dati.txtAnnata = rs.field(u"Annata").toString();
    dati.txtRivistaOnline = rs.field(u"Titolo").toString();
    const QString rivista = rs.field(u"IDRivistaOnline").toString();
    const int pos = static_cast<int>(liste.cmbCPer.indexOf(rivista));
    seleziona(dati.cmbCPer, liste.cmbCPer, pos > 0 ? pos : 0);
    return true;
}

void CaricaTesti(cConnessione& connection, qint64 IDDoc, DocumentBuffer& buffer, DatiDocumento& dati) {
    buffer.TestoRiassunto.clear();
    buffer.TestoSommario.clear();
    buffer.TestoTraduzione.clear();
    buffer.TestoNotaDoc.clear();
    buffer.TestoInTemaDi.clear();
    buffer.TestoEnglishAbstract.clear();
    dati.txtTitolo.clear();
    dati.txtNota.clear();
    RecordSet rs =
        connection.ApriRS(QStringLiteral("select Testo, Tipo from tabTesto,legameDocTesto where "
                                         "legameDocTesto.IDTesto = tabTesto.IDTesto and IDDoc = ?"),
                          {IDDoc});
    for (; !rs.eof(); rs.moveNext()) {
        const QString testo = rs.field(0).toString();
        const QString tipo = rs.field(1).toString();
        if (tipo == u"0")
            dati.txtTitolo = testo;
        else if (tipo == u"4")
            dati.txtNota = testo;
        else if (tipo == u"1")
            buffer.TestoRiassunto = testo;
        else if (tipo == u"2")
            buffer.TestoSommario = testo;
        else if (tipo == u"3")
            buffer.TestoTraduzione = testo;
        else if (tipo == u"5")
            buffer.TestoNotaDoc = testo;
        else if (tipo == u"7")
            buffer.TestoInTemaDi = testo;
        else if (tipo == u"8")
            buffer.TestoEnglishAbstract = testo;
    }
}

EsitoCaricamento CaricaDocumento(cConnessione& connection, const QStringList& Mesi,
                                 const ListeDocumento& liste, DocumentBuffer& buffer, DatiDocumento& dati) {
    EsitoCaricamento esito;
    DocumentBuffer b = buffer;
    DatiDocumento d = dati;
    const qint64 id = b.IDDocCorrente;
    try {
        // The version and the rows are of one state of the archive: another program's save comes
        // wholly before the load or wholly after it.
        Transaction lettura(connection, TransactionKind::Read);
        const std::optional<qint64> versione = VersioneDocumento(connection, id);
        if (!versione) {
            esito.errore = QStringLiteral("Il documento %1 non è presente nell'archivio!").arg(id);
            return esito;
        }
        b.Versione = *versione;
        b.ElencoResponsabilita = CaricaResponsabilita(connection, id, d.lstResponsabilita);
        if (!CaricaRiferimento(connection, id, liste, d, esito.avvisi)) {
            esito.errore = QStringLiteral("Il documento %1 non è presente nell'archivio!").arg(id);
            return esito;
        }
        b.ElencoClassificazione = CaricaClassificazione(connection, id);
        d.lstClassificazione = righeClassificazione(b.ElencoClassificazione);
        CaricaTesti(connection, id, b, d);
        b.ElencoFonti = CaricaFonti(connection, id, Mesi);
        d.lstFonte.clear();
        for (const VoceFonte& v : b.ElencoFonti)
            d.lstFonte << rigaFonte(v);
        lettura.commit();
    } catch (const DbError& e) {
        esito.errore = MessaggioErroreDb(QStringLiteral("Il documento %1 non è stato caricato.").arg(id), e);
        return esito;
    }
    b.IndiceResponsabilita = -1;
    b.IndiceClassificazione = -1;
    b.IndiceFonte = -1;
    // A loaded document is an existing one: the next save updates it.
    b.NuovoDocumento = false;
    buffer = std::move(b);
    dati = std::move(d);
    esito.caricato = true;
    return esito;
}

QString AvvisoCaricamento(qint64 IDDoc, const QStringList& avvisi, const ValoriConservati& conservati) {
    QString testo = QStringLiteral("Il documento %1 contiene valori che la finestra non può mostrare:\n%2")
                        .arg(IDDoc)
                        .arg(avvisi.join(u'\n'));
    if (!conservati.vuoti())
        testo += QStringLiteral("\nI valori non presenti negli elenchi sono conservati: il salvataggio li "
                                "lascia come sono, a meno che non si scelga un altro valore in quel campo.");
    return testo;
}

qint64 numeroDocumento(const QString& txtID) {
    return Field(QVariant(txtID)).toLongLong();
}

namespace {

std::optional<qint64> primo(cConnessione& connection, const QString& sql, const QVariantList& params = {}) {
    RecordSet rs = connection.ApriRS(sql, params);
    if (rs.eof() || rs.field(0).isNull())
        return std::nullopt;
    return rs.field(0).toLongLong();
}

} // namespace

std::optional<qint64> DocumentoSeguente(cConnessione& connection, const QString& txtID) {
    if (auto n = primo(
            connection,
            QStringLiteral("select IDDocumento from tabDocumento where IDDocumento > ? order by IDDocumento"),
            {numeroDocumento(txtID)}))
        return n;
    return primo(connection, QStringLiteral("select min(IDDocumento) as M from tabDocumento"));
}

std::optional<qint64> DocumentoPrecedente(cConnessione& connection, const QString& txtID) {
    if (auto n =
            primo(connection,
                  QStringLiteral(
                      "select IDDocumento from tabDocumento where IDDocumento < ? order by IDDocumento desc"),
                  {numeroDocumento(txtID)}))
        return n;
    return primo(connection, QStringLiteral("select max(IDDocumento) as M from tabDocumento"));
}

QStringList ElencoDocumenti(AppState& state) {
    DocumentListModel elenco;
    elenco.carica(state);
    QStringList entries;
    entries.reserve(elenco.rowCount());
    for (int row = 0; row < elenco.rowCount(); ++row)
        entries << elenco.voce(row);
    return entries;
}

qint64 chiaveDocumento(const QString& entry) {
    return entry.section(u' ', 0, 0).toLongLong();
}

void CancellaLegami(cConnessione& connection, qint64 IDDoc) {
    connection.EseguiIstruzione(QStringLiteral("delete from legameDocResp where IDDoc = ?"), {IDDoc});
    connection.EseguiIstruzione(QStringLiteral("delete from legameDocClass where IDDoc = ?"), {IDDoc});
    connection.EseguiIstruzione(QStringLiteral("delete from legameDocFonte where IDDoc = ?"), {IDDoc});
    // Texts go with their last link.
    connection.EseguiIstruzione(
        QStringLiteral(
            "delete from tabTesto where IDTesto in (select IDTesto from legameDocTesto where IDDoc = ?) "
            "and not exists (select 1 from legameDocTesto l where l.IDTesto = tabTesto.IDTesto and "
            "l.IDDoc <> ?)"),
        {IDDoc, IDDoc});
    connection.EseguiIstruzione(QStringLiteral("delete from legameDocTesto where IDDoc = ?"), {IDDoc});
}

void CancellaDocumenti(cConnessione& connection, const QList<qint64>& IDDocumenti) {
    Transaction t(connection);
    // A window that still holds one of them learns it at its save; the steps done are to be redone.
    AvanzaVersione(connection);
    for (qint64 id : IDDocumenti) {
        connection.EseguiIstruzione(QStringLiteral("delete from TabDocumento where IDDocumento = ?"), {id});
        CancellaLegami(connection, id);
    }
    t.commit();
}
