#include "documents/SalvaDocumento.h"

#include "documents/Testi.h"
#include "documents/mdlDocumenti.h"
#include "sources/CercaFonte.h"
#include "store/mdlGlobale.h"

QString testoData(const DatiDocumento& dati) {
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
    const QString CPer = dati.cmbCPer.testo;
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

void rigaDocumento(cConnessione& connection, qint64 IDDoc, bool nuovo, qint64 IDRifBibl,
                   const DatiDocumento& dati) {
    const QString TAbs = codiceScelto(dati.ComboTAbs, 3);
    const QString Bib = codiceScelto(dati.ComboBib, 1);
    const QString TD = codiceScelto(dati.ComboTD, 2);
    const QString LIN = dati.ComboLIN.posizione >= 1 ? dati.ComboLIN.testo.left(2) : QStringLiteral("00");
    if (nuovo) {
        // The document takes the number shown in txtID, the number its links are written with.
        connection.EseguiIstruzione(
            QStringLiteral(
                "insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR , LA, "
                "DocURL) values (?, ?, ?, ?, ?, ?, ?, '00', '00', '00', ?)"),
            {IDDoc, IDRifBibl, dati.txtPagine, TAbs, Bib, TD, LIN, dati.txtDocURL});
        return;
    }
    const qint64 changed = connection.EseguiIstruzione(
        QStringLiteral(
            "UPDATE tabDocumento SET IDRifBibl = ?, pagine = ?, LIN = ?, LO = '00', LR = '00', LA = '00', "
            "bib = ?, TD = ?, TAbs = ?, DocURL = ? where IDDocumento = ?"),
        {IDRifBibl, dati.txtPagine, LIN, Bib, TD, TAbs, dati.txtDocURL, IDDoc});
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
    const QString* valori[] = {&dati.txtTitolo, &b.TestoRiassunto, &b.TestoSommario, &b.TestoTraduzione,
                               &dati.txtNota,   &b.TestoNotaDoc,   &b.TestoInTemaDi, &b.TestoEnglishAbstract};
    for (int i = 0; i < 8; ++i)
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

RisultatoSalvataggio ScriviDocumento(cConnessione& connection, DocumentBuffer& buffer,
                                     const DatiDocumento& dati) {
    RisultatoSalvataggio r;
    if (dati.cmbCPer.posizione < 1) {
        r.esito = EsitoSalvataggio::MancaRivista;
        r.messaggio = QStringLiteral("Immettere il codice della monografia");
        return r;
    }
    bool ok = false;
    const qint64 IDDoc = dati.txtID.trimmed().toLongLong(&ok);
    if (!ok || IDDoc < 1) {
        r.esito = EsitoSalvataggio::NumeroNonValido;
        r.messaggio = QStringLiteral("Numero del documento non valido: \"%1\"").arg(dati.txtID);
        return r;
    }
    DocumentBuffer b = buffer;
    const bool nuovo = b.NuovoDocumento;
    try {
        Transaction t(connection);
        // A new number must not inherit rows left by a document deleted elsewhere.
        if (nuovo)
            CancellaLegami(connection, IDDoc);
        const qint64 IDRifBibl = riferimento(connection, dati);
        rigaDocumento(connection, IDDoc, nuovo, IDRifBibl, dati);
        responsabilita(connection, IDDoc, nuovo, b.ElencoResponsabilita);
        testi(connection, IDDoc, nuovo, b, dati);
        classificazione(connection, IDDoc, nuovo, b.ElencoClassificazione);
        fonti(connection, IDDoc, nuovo, b.ElencoFonti);
        t.commit();
    } catch (const DbError& e) {
        r.esito = EsitoSalvataggio::Errore;
        r.messaggio = e.description();
        return r;
    }
    b.NuovoDocumento = false;
    buffer = std::move(b);
    r.esito = EsitoSalvataggio::Salvato;
    return r;
}

bool SalvaDocumento(AppState& state, DocumentBuffer& buffer, const DatiDocumento& dati) {
    const RisultatoSalvataggio r = ScriviDocumento(state.Connessione, buffer, dati);
    switch (r.esito) {
    case EsitoSalvataggio::Salvato:
        NotificaDocumentoSalvato(state, dati.txtID.trimmed().toLongLong());
        state.ui().message(QStringLiteral("Documento salvato!"));
        return true;
    case EsitoSalvataggio::MancaRivista:
        state.ui().message(r.messaggio);
        return false;
    case EsitoSalvataggio::NumeroNonValido:
        state.ui().message(r.messaggio, QStringLiteral("Attenzione!"), Buttons::Ok, Icon::Warning);
        return false;
    case EsitoSalvataggio::Errore:
        break;
    }
    state.ui().message(
        QStringLiteral("Documento non salvato: %1\nL'archivio non è stato modificato; il documento è "
                       "ancora nella finestra e si può salvare di nuovo.")
            .arg(r.messaggio),
        applicationTitle(), Buttons::Ok, Icon::Critical);
    return false;
}
