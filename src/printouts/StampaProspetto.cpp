#include "printouts/StampaProspetto.h"

#include "checks/AggiornaInfo.h"
#include "printouts/ConteggiFascicoli.h"
#include "printouts/TestoSicuro.h"
#include "store/TextOutput.h"

namespace {

const QString kSqlFascicoli = QStringLiteral(
    "SELECT DISTINCT TabRifBibl.Fascicolo, substr(TabRifBibl.Data,1,4) as Anno, "
    "TabRivisteOnline.IDRivistaOnline, TabRivisteOnline.Titolo FROM TabRivisteOnline, TabRifBibl, "
    "TabDocumento WHERE TabDocumento.IDRifBibl = TABRifBibl.IDRifBibl AND TabRifBibl.IDRivistaOnline = "
    "TabRivisteOnline.IDRivistaOnline ORDER BY TabRivisteOnline.IDRivistaOnline, substr(TabRifBibl.Data, "
    "1, 4), TabRifBibl.Fascicolo");
const QString kSqlContaTAbs = QStringLiteral(
    "SELECT count(TabDocumento.TAbs) as n FROM TabDocumento, TabRifBibl WHERE TabDocumento.IDRifBibl = "
    "TabRifBibl.IDRifBibl and TabRifBibl.IDRivistaonline = ? and substr(TabRifBibl.Data,1,4) = ? and "
    "TabDocumento.TAbs = ?");
const QString kSqlEnglishAbstract =
    QStringLiteral("select IDDoc from legameDocTesto where Tipo = '8' order by IDDoc");
const QString kSqlInTemaDi =
    QStringLiteral("select IDDoc from tabDocumento, legameDocTesto where tabDocumento.IDDocumento = "
                   "legameDocTesto.IDDoc and Tipo = '7' and (TAbs = '500' or TAbs = '800') order by IDDoc");

QString cella(const QString& testo) {
    return QStringLiteral("<TD>") + htmlEscape(testo) + QStringLiteral("</TD>");
}

QString cellaNumero(qint64 n, bool grassetto = false) {
    return grassetto
               ? QStringLiteral("<TD ALIGN=\"RIGHT\"><B>") + QString::number(n) + QStringLiteral("</B></TD>")
               : QStringLiteral("<TD ALIGN=\"RIGHT\">") + QString::number(n) + QStringLiteral("</TD>");
}

// "<h4>" + heading + the keys, ", " between them, + "(" + how many + " documento/i)</h4>" on one line.
void scriviElenco(cConnessione& db, TextOutput& out, const QString& sql, const QString& intestazione) {
    RecordSet rs = db.ApriRS(sql);
    if (rs.eof())
        return;
    QString line = intestazione;
    qint64 n = 0;
    for (; !rs.eof(); rs.moveNext(), ++n) {
        if (n > 0)
            line += QStringLiteral(", ");
        line += htmlEscape(rs.field(0).toString());
    }
    line += u'(' + QString::number(n) + QStringLiteral(" documento/i)</h4>");
    out.writeLine(line);
}

} // namespace

qint64 ContaTAbs(cConnessione& db, const QString& IDRivistaOnline, const QString& Fascicolo,
                 const QString& Anno, const QString& TAbs) {
    static const QString conFascicolo = kSqlContaTAbs + QStringLiteral(" and TabRifBibl.Fascicolo = ?");
    RecordSet rs = Fascicolo.isEmpty() ? db.ApriRS(kSqlContaTAbs, {IDRivistaOnline, Anno, TAbs})
                                       : db.ApriRS(conFascicolo, {IDRivistaOnline, Anno, TAbs, Fascicolo});
    return rs.eof() ? 0 : rs.field(u"n").toLongLong();
}

QString FileProspetto(const AppState& state) {
    return state.home.dumpPath(QStringLiteral("prospetto ") + fileNamePart(state.Consegna()) +
                               QStringLiteral(".html"));
}

EsitoStampa StampaProspetto(AppState& state) {
    EsitoStampa esito;
    esito.path = FileProspetto(state);
    TextOutput out;
    const bool ok = eseguiStampa(esito, out, [&] {
        BusyScope busy(state.ui(), QStringLiteral("Prospetto consegna"));
        cConnessione& db = state.Connessione;
        {
            RecordSet n = db.ApriRS(QStringLiteral("select count(*) from tabDocumento"));
            busy.progress().setRange(n.eof() ? 0 : n.field(0).toLongLong());
        }
        out.open(esito.path, TextOutput::Mode::Truncate, state.encoding());
        const QString consegna = htmlEscape(state.Consegna());
        out.writeLine(u"<HTML>");
        out.writeLine(QStringLiteral("<TITLE>Consegna ") + consegna + QStringLiteral("</TITLE>"));
        out.writeLine(u"<BODY>");
        out.writeLine(QStringLiteral("<H1>Prospetto consegna: ") + consegna + QStringLiteral("</H1>"));

        ConteggiFascicoli conteggi;
        conteggi.leggi(db);
        RecordSet rs = db.ApriRS(kSqlFascicoli);
        if (!rs.eof()) {
            for (const char16_t* line :
                 {u"<TABLE BORDER=\"1\" WIDTH=\"100%\">", u"<TR BGCOLOR=\"GRAY\">", u"<TH>Titolo</TH>",
                  u"<TH>CPer</TH>", u"<TH>Anno</TH>", u"<TH>Fasc.</TH>", u"<TH>Tot. doc.</TH>",
                  u"<TH>400</TH>", u"<TH>500</TH>", u"<TH>600</TH>", u"<TH>700</TH>", u"<TH>800</TH>",
                  u"<TH>900</TH>", u"</TR>"})
                out.writeLine(QStringView(line));
            ConteggiFascicoli::Conteggi totali{};
            qint64 fatti = 0;
            for (; !rs.eof(); rs.moveNext()) {
                const QString F = rs.field(u"Fascicolo").toString();
                const QString anno = rs.field(u"Anno").toString();
                const QString rivista = rs.field(u"IDRivistaOnline").toString();
                const ConteggiFascicoli::Conteggi riga = conteggi.perTAbs(rivista, F, anno);
                qint64 totaleRiga = 0;
                for (size_t i = 0; i < riga.size(); ++i) {
                    totali[i] += riga[i];
                    totaleRiga += riga[i];
                }
                out.writeLine(u"<TR>");
                out.writeLine(cella(rs.field(u"Titolo").toString()));
                out.writeLine(cella(rivista));
                out.writeLine(cella(anno));
                out.writeLine(cella(F));
                out.writeLine(cellaNumero(totaleRiga));
                for (const qint64 n : riga)
                    out.writeLine(cellaNumero(n));
                out.writeLine(u"</TR>");
                fatti += totaleRiga;
                busy.progress().setValue(fatti);
            }
            out.writeLine(u"<TR BGCOLOR=\"GRAY\">");
            out.writeLine(u"<TD COLSPAN=\"4\"><B>T O T A L I</B></TD>");
            qint64 totale = 0;
            for (const qint64 n : totali)
                totale += n;
            out.writeLine(cellaNumero(totale, true));
            for (const qint64 n : totali)
                out.writeLine(cellaNumero(n, true));
            out.writeLine(u"</TR>");
        }
        rs.close();
        out.writeLine(u"</TABLE>");
        scriviElenco(db, out, kSqlEnglishAbstract,
                     QStringLiteral("<h4>ID documento/i con 'English astract': "));
        scriviElenco(db, out, kSqlInTemaDi,
                     QStringLiteral("<h4>ID documento/i 500 o 800 con 'In tema di': "));
        out.writeLine(u"</BODY>");
        out.writeLine(u"</HTML>");
    });
    if (!ok)
        return esito;
    // Recorded once the file is whole: a print that failed is not a print done.
    AggiornaInfo(state, QStringLiteral("6"));
    state.ui().message(QStringLiteral("Fine stampa prospetto"));
    return esito;
}
