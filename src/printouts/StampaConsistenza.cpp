#include "printouts/StampaConsistenza.h"

#include "checks/AggiornaInfo.h"
#include "printouts/ConteggiFascicoli.h"
#include "printouts/TestoSicuro.h"

#include <optional>

namespace {

const QString kSqlFascicoli = QStringLiteral(
    "SELECT DISTINCT Fascicolo, substr(Data,1,4) as Anno, TabRifBibl.IDRivistaOnline, IDPeriodicita FROM "
    "TabRivisteOnline, tabRifBibl, tabDocumento WHERE tabRivisteOnline.IDRivistaOnline = "
    "tabRifBibl.IDRivistaOnline and tabRifBibl.IDRifBibl = tabDocumento.IDRifBibl ORDER BY "
    "TabRifBibl.IDRivistaOnline, substr(Data,1,4), TabRifBibl.Fascicolo");
const QString kSqlContaFascicolo = QStringLiteral(
    "SELECT count(IDdocumento) as n FROM TabRifBibl, TabDocumento WHERE TabRifBibl.IDRifBibl = "
    "TabDocumento.IDRifBibl and TabRifBibl.Fascicolo = ? and TabRifBibl.Data like ? and "
    "TabRifBibl.IDRivistaOnline = ?");
const QString kSqlContaSenzaFascicolo = QStringLiteral(
    "SELECT count(IDdocumento) as n FROM TabRifBibl, TabDocumento WHERE TabRifBibl.IDRifBibl = "
    "TabDocumento.IDRifBibl and TabRifBibl.Fascicolo is null and TabRifBibl.Data like ? and "
    "TabRifBibl.IDRivistaOnline = ?");

// A year of four digits: "Data like '<year>%'" then means the same as the first four characters
// being the year, and the grouped counts answer for it.
bool annoDiQuattroCifre(const QString& anno) {
    if (anno.size() != 4)
        return false;
    for (const QChar c : anno)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

qint64 ContaDocumentiFascicolo(cConnessione& db, const QString& Fascicolo, const QString& Anno,
                               const QString& IDRivistaOnline) {
    const QString prefisso = Anno + u'%';
    RecordSet rs = Fascicolo == u"<Null>"
                       ? db.ApriRS(kSqlContaSenzaFascicolo, {prefisso, IDRivistaOnline})
                       : db.ApriRS(kSqlContaFascicolo, {Fascicolo, prefisso, IDRivistaOnline});
    return rs.eof() ? 0 : rs.field(u"n").toLongLong();
}

QString FileConsistenza(const AppState& state) {
    return state.home.dumpPath(QStringLiteral("consistenza.") + fileNamePart(state.Consegna()));
}

QString RigaConsistenza(qint64 n, const QString& IDRivistaOnline, const QString& Anno,
                        const QString& IDPeriodicita, const QString& fascicolo) {
    return QString::number(n).rightJustified(7, u' ') + QStringLiteral("###") + IDRivistaOnline + u' ' +
           Anno + u' ' + IDPeriodicita + u' ' + fascicolo;
}

EsitoStampa StampaConsistenza(AppState& state) {
    EsitoStampa esito;
    esito.path = FileConsistenza(state);
    qint64 totale = 0;
    TextOutput out;
    const bool ok = eseguiStampa(esito, out, [&] {
        std::optional<BusyScope> busy(std::in_place, state.ui(), QStringLiteral("Consistenza consegna"));
        cConnessione& db = state.Connessione;
        {
            RecordSet n = db.ApriRS(QStringLiteral("select count(*) from tabDocumento"));
            busy->progress().setRange(n.eof() ? 0 : n.field(0).toLongLong());
        }
        out.open(esito.path, TextOutput::Mode::Truncate, state.encoding());
        ConteggiFascicoli conteggi;
        conteggi.leggi(db);
        for (RecordSet rs = db.ApriRS(kSqlFascicoli); !rs.eof(); rs.moveNext()) {
            const Field fascicolo = rs.field(u"Fascicolo");
            const QString F = fascicolo.isNull() ? QStringLiteral("<Null>") : fascicolo.toString();
            const QString anno = rs.field(u"Anno").toString();
            const QString rivista = rs.field(u"IDRivistaOnline").toString();
            const qint64 n = annoDiQuattroCifre(anno) ? conteggi.documenti(F, anno, rivista)
                                                      : ContaDocumentiFascicolo(db, F, anno, rivista);
            totale += n;
            out.writeLine(RigaConsistenza(n, rivista, anno, rs.field(u"IDPeriodicita").toString(),
                                          fascicolo.toString()));
            busy->progress().setValue(totale);
        }
        out.writeLine();
        out.writeLine(QStringLiteral("Documenti: ") + QString::number(totale));
        out.writeLine();
        RecordSet rs = db.ApriRS(QStringLiteral("select count(IDDocumento) as n from tabDocumento"));
        esito.documenti = rs.eof() ? 0 : rs.field(u"n").toLongLong();
        rs.close();
        const QString prefisso = state.AnnoProduzione() + state.IDCentroSpoglio();
        out.writeLine(QStringLiteral("Num. iniziale: ") + prefisso + NumeroQuattroCifre(state.NumInizio()) +
                      QStringLiteral("   Num. finale: ") + prefisso +
                      NumeroQuattroCifre(NumeroSpostato(state.NumInizio(), esito.documenti - 1)) +
                      QStringLiteral("   Num. docc.: ") + QString::number(esito.documenti));
        busy.reset();
        state.ui().message(QStringLiteral("TotTAbs: ") + QString::number(totale) +
                           QStringLiteral(" --- Num. docc.: ") + QString::number(esito.documenti));
    });
    if (!ok)
        return esito;
    // Recorded once the file is whole: a print that failed is not a print done.
    AggiornaInfo(state, QStringLiteral("5"));
    state.ui().message(QStringLiteral("Fine stampa consistenza"));
    return esito;
}
