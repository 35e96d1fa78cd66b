#include "checks/StatoConsegna.h"

#include "checks/AggiornaInfo.h"

#include "checks/Controlli.h"
#include "checks/ImprontaControllo.h"
#include "store/MessaggiErrore.h"
#include "store/VersioneArchivio.h"

#include <QFileInfo>

namespace {

// The issues of the consistency report: journal, year and issue number of the documents.
const QString kSqlFascicoli = QStringLiteral(
    "SELECT count(*) FROM (SELECT DISTINCT Fascicolo, substr(Data,1,4), TabRifBibl.IDRivistaOnline FROM "
    "TabRivisteOnline, tabRifBibl, tabDocumento WHERE tabRivisteOnline.IDRivistaOnline = "
    "tabRifBibl.IDRivistaOnline and tabRifBibl.IDRifBibl = tabDocumento.IDRifBibl)");

qint64 conta(cConnessione& db, const QString& sql) {
    RecordSet rs = db.ApriRS(sql);
    return rs.eof() ? 0 : rs.field(0).toLongLong();
}

ElencoControllo leggiElenco(const QString& titolo, const QString& percorso, TextEncoding encoding) {
    ElencoControllo e{titolo, percorso, false, 0};
    bool ok = false;
    const QStringList righe = readTextLines(percorso, encoding, &ok);
    e.presente = ok;
    for (const QString& riga : righe)
        if (!riga.trimmed().isEmpty())
            ++e.segnalazioni;
    return e;
}

} // namespace

const QList<PassoConsegna>& PassiConsegna() {
    static const QList<PassoConsegna> passi = {
        {QStringLiteral("1"), QStringLiteral("Controlli eseguiti")},
        {QStringLiteral("7"), QStringLiteral("Errori generici visti")},
        {QStringLiteral("8"), QStringLiteral("Errori di classificazione visti")},
        {QStringLiteral("9"), QStringLiteral("Errori nelle fonti visti")},
        {QStringLiteral("2"), QStringLiteral("Pagina CELEX")},
        {QStringLiteral("3"), QStringLiteral("Stampa completa")},
        {QStringLiteral("4"), QStringLiteral("Stampa solo testi")},
        {QStringLiteral("5"), QStringLiteral("Consistenza")},
        {QStringLiteral("6"), QStringLiteral("Prospetto")},
    };
    return passi;
}

int StatoConsegna::prossimo() const {
    for (int i = 0; i < passi.size(); ++i)
        if (passi[i].stato != StatoPasso::Fatto)
            return i;
    return -1;
}

StatoConsegna LeggiStatoConsegna(AppState& state) {
    StatoConsegna s;
    s.archivio = state.NomeArchivio;
    s.passi = PassiConsegna();
    cConnessione& db = state.Connessione;
    try {
        {
            RecordSet info = db.ApriRS(QStringLiteral("select * from tabInfo"));
            s.informazioni = !info.eof();
            if (s.informazioni) {
                s.centro = info.field(u"IDCentroSpoglio").toString();
                s.anno = info.field(u"AnnoProduzione").toString();
                s.consegna = info.field(u"Consegna").toString();
                s.numInizio = info.field(u"NumInizio").toString();
                s.primoDocumento = s.anno + s.centro + NumeroQuattroCifre(s.numInizio.trimmed().toLongLong());
                for (PassoConsegna& p : s.passi) {
                    // Jet archives may carry -1 for a flag; only an empty or zero one is not done.
                    const Field flag = info.field(ColonnaInfo(p.codice));
                    p.stato = flag.toBool() ? StatoPasso::Fatto : StatoPasso::DaFare;
                }
            }
        }
        // A step done before the last save or deletion of documents describes the delivery as it was.
        const qint64 versione = VersioneArchivio(db);
        const QHash<QString, qint64> fatti = VersioniPassi(db);
        for (PassoConsegna& p : s.passi)
            if (p.stato == StatoPasso::Fatto && fatti.value(p.codice, 0) < versione)
                p.stato = StatoPasso::DaRifare;
        s.documenti = conta(db, QStringLiteral("select count(*) from tabDocumento"));
        s.fascicoli = conta(db, kSqlFascicoli);
    } catch (const DbError& e) {
        s.errore = MessaggioErroreDb(QStringLiteral("Lo stato della consegna non si può leggere."), e);
        return s;
    }

    // The lists the check writes for this delivery; an archive without its tabInfo row has an
    // empty delivery number, and the check writes "errori." then.
    const FileErrori percorsi = PercorsiErroriConsegna(state.home, s.consegna);
    s.elenchi = {leggiElenco(QStringLiteral("Errori generici"), percorsi.generali, state.encoding()),
                 leggiElenco(QStringLiteral("Errori di classificazione"), percorsi.classe, state.encoding()),
                 leggiElenco(QStringLiteral("Errori nelle fonti"), percorsi.fonti, state.encoding())};
    s.controllato = s.elenchi[0].presente && s.elenchi[1].presente && s.elenchi[2].presente;
    if (s.controllato) {
        s.oraControllo = QFileInfo(percorsi.generali).lastModified();
        const EsitoImpronta esito = VerificaImpronta(state, percorsi);
        s.daRifare = esito != EsitoImpronta::Valida;
        s.archivioModificato = esito == EsitoImpronta::ArchivioModificato;
    }
    PassoConsegna& controlli = s.passi.first();
    if (controlli.stato == StatoPasso::Fatto && (!s.controllato || s.daRifare))
        controlli.stato = StatoPasso::DaRifare;
    return s;
}
