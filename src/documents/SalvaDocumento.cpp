#include "documents/SalvaDocumento.h"

#include "documents/ControlliDocumento.h"
#include "documents/Testi.h"
#include "documents/mdlDocumenti.h"
#include "sources/CercaFonte.h"
#include "store/MessaggiErrore.h"
#include "store/VersioneArchivio.h"
#include "store/mdlGlobale.h"

QString testoData(const DatiDocumento& dati) {
    if (dati.conservati.Data)
        return *dati.conservati.Data;
    if (dati.cmbAA.posizione < 1)
        return QStringLiteral("0000-00-00");
    QString data = dati.cmbAA.testo;
    if (dati.cmbMM.posizione >= 1) {
        data += u'-' + QString::number(dati.cmbMM.posizione).rightJustified(2, u'0');
        if (dati.cmbGG.posizione >= 1)
            data += u'-' + QString::number(dati.cmbGG.posizione).rightJustified(2, u'0');
        else
            data += QStringLiteral("-00");
    } else {
        data += QStringLiteral("-00");
    }
    return data;
}

std::optional<QString> DataDopoScelta(const DatiDocumento& dati, ParteData parte) {
    if (!dati.conservati.Data)
        return std::nullopt;
    const QString& kept = *dati.conservati.Data;
    // The parts where the load read them.
    QString anno = kept.left(4);
    QString mese = kept.mid(5, 2);
    QString giorno = kept.size() >= 10 ? kept.right(2) : QStringLiteral("00");
    if (mese.isEmpty())
        mese = QStringLiteral("00");
    const auto dueCifre = [](const Combo& c) {
        return c.posizione >= 1 ? QString::number(c.posizione).rightJustified(2, u'0') : QStringLiteral("00");
    };
    switch (parte) {
    case ParteData::Anno:
        anno = dati.cmbAA.posizione >= 1 ? dati.cmbAA.testo : QStringLiteral("0000");
        break;
    case ParteData::Mese:
        mese = dueCifre(dati.cmbMM);
        break;
    case ParteData::Giorno:
        giorno = dueCifre(dati.cmbGG);
        break;
    }
    // In the stored form: no year, no date; a year without month has seven characters.
    const QString data = anno == u"0000" ? QStringLiteral("0000-00-00")
                         : mese == u"00" ? anno + QStringLiteral("-00")
                                         : anno + u'-' + mese + u'-' + giorno;
    DatiDocumento boxes = dati;
    boxes.conservati.Data.reset();
    if (testoData(boxes) == data)
        return std::nullopt;
    return data;
}

QString RivistaDaMemorizzare(const DatiDocumento& dati) {
    if (dati.cmbCPer.posizione >= 1)
        return dati.cmbCPer.testo;
    return dati.conservati.CPer.value_or(QString());
}

namespace {

// The code to store: the chosen item's, or the stored one the list could not show while the box
// stays on its caption item.
QString codice(const Combo& combo, int length, const std::optional<QString>& conservato) {
    if (conservato && combo.posizione < 1)
        return *conservato;
    return codiceScelto(combo, length);
}

} // namespace

std::array<const QString*, 8> TestiDaMemorizzare(const DocumentBuffer& b, const DatiDocumento& dati) {
    return {&dati.txtTitolo, &b.TestoRiassunto, &b.TestoSommario, &b.TestoTraduzione,
            &dati.txtNota,   &b.TestoNotaDoc,   &b.TestoInTemaDi, &b.TestoEnglishAbstract};
}

CodiciDocumento CodiciDaMemorizzare(const DatiDocumento& dati) {
    const ValoriConservati& c = dati.conservati;
    CodiciDocumento codici{codice(dati.ComboTD, 2, c.TD), codice(dati.ComboTAbs, 3, c.TAbs),
                           codice(dati.ComboBib, 1, c.Bib), codice(dati.ComboLIN, 2, c.LIN)};
    if (codici.LIN.isEmpty())
        codici.LIN = QStringLiteral("00");
    return codici;
}

void SalvaTesto(cConnessione& connection, qint64 IDDoc, bool nuovo, const QString& tipo,
                const QString& testo) {
    if (!nuovo) {
        QList<qint64> vecchi;
        {
            RecordSet rs = connection.ApriRS(
                QStringLiteral("select IDTesto from LegameDocTesto where IDDoc = ? and Tipo = ?"),
                {IDDoc, tipo});
            for (; !rs.eof(); rs.moveNext())
                vecchi << rs.field(0).toLongLong();
        }
        if (!vecchi.isEmpty()) {
            connection.EseguiIstruzione(
                QStringLiteral("delete from LegameDocTesto where IDDoc = ? and Tipo = ?"), {IDDoc, tipo});
            // A text another link still uses (archives of other tools share them) stays.
            for (qint64 id : vecchi)
                connection.EseguiIstruzione(
                    QStringLiteral("delete from TabTesto where IDTesto = ? and not exists (select 1 from "
                                   "LegameDocTesto where LegameDocTesto.IDTesto = ?)"),
                    {id, id});
        }
    }
    const QString t = testoDaMemorizzare(testo);
    if (t.isEmpty())
        return;
    connection.EseguiIstruzione(QStringLiteral("insert into TabTesto (Testo) values (?)"), {t});
    const qint64 IDTesto = MaxID(connection, QStringLiteral("TabTesto"), QStringLiteral("IDTesto"));
    connection.EseguiIstruzione(
        QStringLiteral("insert into LegameDocTesto (IDDoc, IDTesto, Tipo) values (?, ?, ?)"),
        {IDDoc, IDTesto, tipo});
}

namespace {

qint64 riferimento(cConnessione& connection, const DatiDocumento& dati) {
    const QString CPer = RivistaDaMemorizzare(dati);
    QString sql = QStringLiteral("select IDRifBibl from tabRifBibl where IDRivistaOnline = ?");
    QVariantList params{CPer};
    const auto campo = [&](const QString& column, const QString& value) {
        if (value.isEmpty()) {
            sql += QStringLiteral(" and (%1 = '' or %1 is null)").arg(column);
        } else {
            sql += QStringLiteral(" and %1 = ?").arg(column);
            params << value;
        }
    };
    campo(QStringLiteral("Fascicolo"), dati.txtFascicolo);
    campo(QStringLiteral("Volume"), dati.txtVolume);
    campo(QStringLiteral("Annata"), dati.txtAnnata);
    const QString data = testoData(dati);
    sql += QStringLiteral(" and Data = ?");
    params << data;
    {
        RecordSet rs = connection.ApriRS(sql, params);
        if (!rs.eof())
            return rs.field(0).toLongLong();
    }
    connection.EseguiIstruzione(QStringLiteral("insert into tabRifBibl (IDRivistaOnline, Data, Fascicolo, "
                                               "Volume, Annata) values (?, ?, ?, ?, ?)"),
                                {CPer, data, dati.txtFascicolo, dati.txtVolume, dati.txtAnnata});
    return MaxID(connection, QStringLiteral("tabRifBibl"), QStringLiteral("IDRifBibl"));
}

void rigaDocumento(cConnessione& connection, qint64 IDDoc, bool nuovo, qint64 IDRifBibl, qint64 versione,
                   const DatiDocumento& dati) {
    const CodiciDocumento c = CodiciDaMemorizzare(dati);
    const QString &TAbs = c.TAbs, &Bib = c.Bib, &TD = c.TD, &LIN = c.LIN;
    if (nuovo) {
        // The document takes the number shown in txtID, the number its links are written with.
        connection.EseguiIstruzione(
            QStringLiteral(
                "insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR , LA, "
                "DocURL, Versione) values (?, ?, ?, ?, ?, ?, ?, '00', '00', '00', ?, ?)"),
            {IDDoc, IDRifBibl, dati.txtPagine, TAbs, Bib, TD, LIN, dati.txtDocURL, versione});
        return;
    }
    const qint64 changed = connection.EseguiIstruzione(
        QStringLiteral(
            "UPDATE tabDocumento SET IDRifBibl = ?, pagine = ?, LIN = ?, LO = '00', LR = '00', LA = '00', "
            "bib = ?, TD = ?, TAbs = ?, DocURL = ?, Versione = ? where IDDocumento = ?"),
        {IDRifBibl, dati.txtPagine, LIN, Bib, TD, TAbs, dati.txtDocURL, versione, IDDoc});
    if (changed == 0)
        throw DbError(3021, QStringLiteral("Il documento %1 non è presente nell'archivio!").arg(IDDoc));
}

void responsabilita(cConnessione& connection, qint64 IDDoc, bool nuovo, QList<VoceResponsabilita>& elenco) {
    if (elenco.isEmpty())
        return;
    if (!nuovo)
        connection.EseguiIstruzione(QStringLiteral("delete from legameDocResp where IDDoc = ?"), {IDDoc});
    for (VoceResponsabilita& v : elenco) {
        if (v.Cancellata)
            continue;
        qint64 id = 0;
        {
            // A person stored without surname or given name (Null, as other tools write them) is
            // the person loaded with empty ones: otherwise every save would add the person again.
            RecordSet rs = connection.ApriRS(
                QStringLiteral("select IDResponsabilita from tabResponsabilita where "
                               "(primoElemento = ? or (primoElemento is null and ? = '')) and "
                               "(secondoElemento = ? or (secondoElemento is null and ? = ''))"),
                {v.PrimoElemento, v.PrimoElemento, v.SecondoElemento, v.SecondoElemento});
            if (!rs.eof())
                id = rs.field(0).toLongLong();
        }
        if (id == 0) {
            connection.EseguiIstruzione(
                QStringLiteral(
                    "insert into tabResponsabilita (primoElemento, secondoElemento) values (?, ?)"),
                {v.PrimoElemento, v.SecondoElemento});
            id = MaxID(connection, QStringLiteral("tabResponsabilita"), QStringLiteral("IDResponsabilita"));
        }
        v.IDResponsabilita = id;
        connection.EseguiIstruzione(
            QStringLiteral(
                "insert into LegameDocResp (IDDoc, IDResponsabilita, flagAutore) values (?, ?, ?)"),
            {IDDoc, id, v.FlagAutore});
    }
}

void testi(cConnessione& connection, qint64 IDDoc, bool nuovo, const DocumentBuffer& b,
           const DatiDocumento& dati) {
    const auto valori = TestiDaMemorizzare(b, dati);
    for (size_t i = 0; i < valori.size(); ++i)
        SalvaTesto(connection, IDDoc, nuovo, QString::fromLatin1(kTipiTesto[i]), *valori[i]);
}

void classificazione(cConnessione& connection, qint64 IDDoc, bool nuovo, QList<VoceClassificazione>& elenco) {
    if (elenco.isEmpty())
        return;
    if (!nuovo)
        connection.EseguiIstruzione(QStringLiteral("delete from legameDocClass where IDDoc = ?"), {IDDoc});
    for (VoceClassificazione& v : elenco) {
        if (v.Cancellata)
            continue;
        connection.EseguiIstruzione(
            QStringLiteral(
                "insert into LegameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values (?, ?, ?, ?)"),
            {IDDoc, v.CodiceS, v.CodiceD, v.Controllo});
        v.ID = MaxID(connection, QStringLiteral("LegameDocClass"), QStringLiteral("ID"));
    }
}

void fonti(cConnessione& connection, qint64 IDDoc, bool nuovo, const QList<VoceFonte>& elenco) {
    if (elenco.isEmpty())
        return;
    if (!nuovo)
        connection.EseguiIstruzione(QStringLiteral("delete from legameDocFonte where IDDoc = ?"), {IDDoc});
    for (const VoceFonte& v : elenco) {
        if (v.Cancellata)
            continue;
        const qint64 IDFonte = MemorizzaFonte(connection, v);
        connection.EseguiIstruzione(
            QStringLiteral("insert into LegameDocFonte (IDDoc, IDFonte) values (?, ?)"), {IDDoc, IDFonte});
    }
}

} // namespace

namespace {

bool documentoPresente(cConnessione& connection, qint64 IDDoc) {
    return !connection.ApriRS(QStringLiteral("select 1 from tabDocumento where IDDocumento = ?"), {IDDoc})
                .eof();
}

} // namespace

RisultatoSalvataggio ScriviDocumento(cConnessione& connection, DocumentBuffer& buffer,
                                     const DatiDocumento& dati, Sovrascrittura sovrascrittura) {
    RisultatoSalvataggio r;
    if (RivistaDaMemorizzare(dati).isEmpty()) {
        r.esito = EsitoSalvataggio::MancaRivista;
        r.messaggio = QStringLiteral("Immettere il codice della monografia");
        return r;
    }
    // The document written is the one the window holds; a number typed in txtID only says where
    // navigation starts.
    qint64 IDDoc = buffer.IDDocCorrente;
    if (IDDoc < 1) {
        r.esito = EsitoSalvataggio::NumeroNonValido;
        r.messaggio = QStringLiteral("Numero del documento non valido: %1. Il documento non è stato salvato: "
                                     "chiudere la finestra e aprirla di nuovo.")
                          .arg(IDDoc);
        return r;
    }
    DocumentBuffer b = buffer;
    const bool nuovo = b.NuovoDocumento;
    try {
        Transaction t(connection);
        if (nuovo) {
            // A new document under a number typed by the operator that is another document's: the
            // operator may believe to be saving that one, so nothing is written.
            const qint64 scritto = numeroDocumento(dati.txtID);
            if (scritto >= 1 && scritto != IDDoc && documentoPresente(connection, scritto)) {
                r.esito = EsitoSalvataggio::NumeroOccupato;
                r.messaggio =
                    QStringLiteral(
                        "Il numero %1 scritto in \"ID Documento\" è di un altro documento: il documento "
                        "nuovo non è stato salvato e l'archivio non è cambiato.\n"
                        "Il numero scritto in quel campo sceglie soltanto da dove partono << e >> (F5 e F6). "
                        "Per salvare il documento nuovo, scrivere nel campo il suo numero, %2, e salvare "
                        "di nuovo.")
                        .arg(scritto)
                        .arg(IDDoc);
                return r;
            }
            // The number was foreseen when the window was cleared: another program saving in the
            // same archive may have used it since. The document takes the next free one.
            if (documentoPresente(connection, IDDoc)) {
                r.numeroPrevisto = IDDoc;
                IDDoc = ProssimoIDDocumento(connection);
            }
            // A new number must not inherit rows left by a document deleted elsewhere.
            CancellaLegami(connection, IDDoc);
        } else {
            // The transaction holds the archive from here to the commit: what is read now stays so.
            const std::optional<qint64> memorizzata = VersioneDocumento(connection, IDDoc);
            if (!memorizzata) {
                r.esito = EsitoSalvataggio::CancellatoAltrove;
                r.messaggio = QStringLiteral("Il documento %1 è stato cancellato da un altro programma dopo "
                                             "che lo avete aperto.")
                                  .arg(IDDoc);
                return r;
            }
            if (*memorizzata != b.Versione && sovrascrittura == Sovrascrittura::No) {
                r.esito = EsitoSalvataggio::ModificatoAltrove;
                r.messaggio = QStringLiteral("Il documento %1 è stato modificato da un altro programma dopo "
                                             "che lo avete aperto.")
                                  .arg(IDDoc);
                return r;
            }
        }
        const qint64 versione = AvanzaVersione(connection);
        const qint64 IDRifBibl = riferimento(connection, dati);
        rigaDocumento(connection, IDDoc, nuovo, IDRifBibl, versione, dati);
        responsabilita(connection, IDDoc, nuovo, b.ElencoResponsabilita);
        testi(connection, IDDoc, nuovo, b, dati);
        classificazione(connection, IDDoc, nuovo, b.ElencoClassificazione);
        fonti(connection, IDDoc, nuovo, b.ElencoFonti);
        t.commit();
        b.Versione = versione;
    } catch (const DbError& e) {
        r.esito = EsitoSalvataggio::Errore;
        r.motivo =
            QStringLiteral("Il documento %1 non è stato salvato: l'archivio non è cambiato.").arg(IDDoc);
        r.tecnico = MessaggioErroreDb(QString(), e);
        r.messaggio = MessaggioErroreDb(
            QStringLiteral("Il documento %1 non è stato salvato: l'archivio non è cambiato e il documento è "
                           "ancora nella finestra, da salvare di nuovo.")
                .arg(IDDoc),
            e);
        return r;
    }
    b.NuovoDocumento = false;
    b.IDDocCorrente = IDDoc;
    buffer = std::move(b);
    r.esito = EsitoSalvataggio::Salvato;
    r.IDDocumento = IDDoc;
    return r;
}

namespace {

// What the check run will find in the document just saved: it reads the stored rows, as the run does.
QString RigaRilieviSalvati(AppState& state, qint64 IDDocumento) {
    const std::optional<EsitoControlli> esito = RilieviDocumento(state, IDDocumento);
    if (!esito)
        return {};
    if (!esito->completo())
        return QStringLiteral("I controlli del documento non sono stati completati: vedere il riquadro "
                              "\"Controlli\" della finestra.");
    return RigaRilieviAperti(esito->rilievi.size());
}

} // namespace

namespace {

const QString kAttenzione = QStringLiteral("Attenzione!");

// The stored document changed after the window loaded it: the operator decides whose work stays.
std::optional<EsitoSalva> sceltaSuModificato(AppState& state, DocumentBuffer& buffer,
                                             const DatiDocumento& dati, RisultatoSalvataggio& r) {
    const int scelta = state.ui().choose(
        r.messaggio +
            QStringLiteral("\n\nRicarica: mostra il documento com'è ora nell'archivio; le modifiche fatte in "
                           "questa finestra si perdono.\nSovrascrivi: salva il documento di questa finestra "
                           "al posto di quello salvato dall'altro programma.\nAnnulla: torna alla finestra "
                           "senza salvare."),
        kAttenzione,
        {QStringLiteral("&Ricarica"), QStringLiteral("&Sovrascrivi"), QStringLiteral("&Annulla")},
        Icon::Warning);
    if (scelta == 0)
        return EsitoSalva::Ricaricare;
    if (scelta != 1)
        return EsitoSalva::NonSalvato;
    r = ScriviDocumento(state.Connessione, buffer, dati, Sovrascrittura::Consentita);
    return std::nullopt;
}

// The stored document is gone: the window's content may become a new document, as Duplica makes one.
std::optional<EsitoSalva> sceltaSuCancellato(AppState& state, DocumentBuffer& buffer,
                                             const DatiDocumento& dati, RisultatoSalvataggio& r) {
    if (!state.ui().askYesNo(r.messaggio + QStringLiteral("\nSalvare il contenuto della finestra come "
                                                          "documento nuovo (come fa Duplica)?"),
                             kAttenzione))
        return EsitoSalva::NonSalvato;
    DocumentBuffer copia = buffer;
    DatiDocumento d = dati;
    try {
        copia.IDDocCorrente = ProssimoIDDocumento(state.Connessione);
    } catch (const DbError& e) {
        state.ui().message(
            MessaggioErroreDb(QStringLiteral("Il documento non è stato salvato: il numero del "
                                             "documento nuovo non è stato letto dall'archivio."),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return EsitoSalva::NonSalvato;
    }
    copia.NuovoDocumento = true;
    d.txtID = QString::number(copia.IDDocCorrente);
    r = ScriviDocumento(state.Connessione, copia, d);
    if (r.salvato())
        buffer = std::move(copia);
    return std::nullopt;
}

} // namespace

EsitoSalva SalvaDocumento(AppState& state, DocumentBuffer& buffer, const DatiDocumento& dati) {
    const qint64 caricato = buffer.IDDocCorrente;
    RisultatoSalvataggio r = ScriviDocumento(state.Connessione, buffer, dati);
    bool comeNuovo = false;
    if (r.esito == EsitoSalvataggio::ModificatoAltrove) {
        if (const auto esito = sceltaSuModificato(state, buffer, dati, r))
            return *esito;
    } else if (r.esito == EsitoSalvataggio::CancellatoAltrove) {
        if (const auto esito = sceltaSuCancellato(state, buffer, dati, r))
            return *esito;
        comeNuovo = true;
    }
    switch (r.esito) {
    case EsitoSalvataggio::Salvato: {
        NotificaDocumentoSalvato(state, r.IDDocumento);
        QString testo = QStringLiteral("Documento salvato!");
        if (comeNuovo)
            testo +=
                QStringLiteral("\nIl documento %1 non c'è più nell'archivio: il contenuto della finestra "
                               "è ora il documento %2.")
                    .arg(caricato)
                    .arg(r.IDDocumento);
        else if (r.numeroPrevisto != 0)
            testo += QStringLiteral(
                         "\nIl numero %1 era già stato dato a un altro documento, "
                         "salvato nel frattempo nello stesso archivio: questo documento ha il numero %2.")
                         .arg(r.numeroPrevisto)
                         .arg(r.IDDocumento);
        const QString rilievi = RigaRilieviSalvati(state, r.IDDocumento);
        if (!rilievi.isEmpty())
            testo += u'\n' + rilievi;
        state.ui().message(testo);
        return EsitoSalva::Salvato;
    }
    case EsitoSalvataggio::MancaRivista:
        state.ui().message(r.messaggio);
        return EsitoSalva::NonSalvato;
    case EsitoSalvataggio::NumeroNonValido:
    case EsitoSalvataggio::NumeroOccupato:
    case EsitoSalvataggio::ModificatoAltrove:
    case EsitoSalvataggio::CancellatoAltrove:
        // A second change elsewhere while the operator was answering: nothing written, said as it is.
        state.ui().message(r.messaggio, kAttenzione, Buttons::Ok, Icon::Warning);
        return EsitoSalva::NonSalvato;
    case EsitoSalvataggio::Errore:
        break;
    }
    state.ui().message(r.messaggio, applicationTitle(), Buttons::Ok, Icon::Critical);
    return EsitoSalva::NonSalvato;
}
