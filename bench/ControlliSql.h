#pragma once

// The reference the check run is measured against: the three error lists of rules 1 to 14 made by
// the engine alone, one set-based statement per list (the norms catalogue attached to the archive),
// written as the run writes them. What it costs is what reading the archive and writing the lists
// cost, without the program's own work; its lines are compared with the run's, line by line.

#include "checks/Controlli.h"
#include "store/TextOutput.h"

#include <QFile>
#include <QStringList>
#include <array>

namespace controlli_sql {

// Flags of the text kinds of each document, and its first title translation.
inline const QString kTipi = QStringLiteral(
    "with tipi as (select IDDoc, "
    "max(trim(Tipo) <> '' and trim(Tipo) not glob '*[^0-9]*' and cast(trim(Tipo) as integer) = 1) as t1, "
    "max(trim(Tipo) <> '' and trim(Tipo) not glob '*[^0-9]*' and cast(trim(Tipo) as integer) = 2) as t2, "
    "max(trim(Tipo) <> '' and trim(Tipo) not glob '*[^0-9]*' and cast(trim(Tipo) as integer) = 3) as t3, "
    "max(trim(Tipo) <> '' and trim(Tipo) not glob '*[^0-9]*' and cast(trim(Tipo) as integer) = 4) as t4, "
    "max(trim(Tipo) <> '' and trim(Tipo) not glob '*[^0-9]*' and cast(trim(Tipo) as integer) = 7) as t7, "
    "max(trim(Tipo) <> '' and trim(Tipo) not glob '*[^0-9]*' and cast(trim(Tipo) as integer) = 8) as t8, "
    "max(Tipo = '8') as ea from legameDocTesto group by IDDoc) ");

// The general list: every rule but the pair lines of 12 and the source lines of 14, in rule order
// within each document.
inline const QString kGenerali =
    kTipi +
    QStringLiteral(
        "select testo || ' (rec. ' || IDDocumento || ')' from ("
        "select IDDocumento, 1 as r, 'Manca rif. bibliografico' as testo from tabDocumento where IDRifBibl = "
        "0 "
        "or IDRifBibl is null "
        "union all select IDDocumento, 2, 'Manca indicazione pagine' from tabDocumento where "
        "(typeof(Pagine) in ('integer', 'real') and Pagine = 0) or (typeof(Pagine) = 'text' and trim(Pagine) "
        "<> '' "
        "and trim(Pagine) not glob '*[^0-9.,]*' and trim(Pagine) glob '*[0-9]*' and "
        "cast(replace(trim(Pagine), ',', '.') as real) = 0) "
        "union all select IDDocumento, 3, 'Manca indicazione TD' from tabDocumento where TD = '' "
        "union all select IDDocumento, 4, 'Manca indicazione TAbs' from tabDocumento where TAbs = '' "
        "union all select IDDocumento, 5, 'Manca indicazione Bib' from tabDocumento where Bib = '' "
        "union all select IDDocumento, 6, 'Manca responsabilità' from tabDocumento d where not exists "
        "(select 1 from legameDocResp r where r.IDDoc = d.IDDocumento) "
        "union all select d.IDDocumento, 7, case when tr.IDTesto is null then 'Manca traduzione' else "
        "'Traduzione immessa dal compilatore' end from tabDocumento d join tipi on tipi.IDDoc = "
        "d.IDDocumento "
        "and tipi.ea left join (select l.IDDoc, min(l.rowid), t.IDTesto, t.Testo from legameDocTesto l join "
        "tabTesto t on t.IDTesto = l.IDTesto where l.Tipo = '3' group by l.IDDoc) tr on tr.IDDoc = "
        "d.IDDocumento where tr.IDTesto is null or instr(tr.Testo, '[') > 0 "
        "union all select IDDocumento, 8, 'Mancano tutte le tipologie di testo' from tabDocumento d where "
        "not "
        "exists (select 1 from legameDocTesto l where l.IDDoc = d.IDDocumento) "
        "union all select d.IDDocumento, 9, case when coalesce(d.LIN, '00') <> '00' and coalesce(tipi.t3, 0) "
        "then 'Lingua straniera - titolo tradotto' when coalesce(d.LIN, '00') <> '00' then "
        "'Lingua straniera - manca traduzione titolo' else 'Traduzione titolo senza EA e codice lingua "
        "straniera' end from tabDocumento d left join tipi on tipi.IDDoc = d.IDDocumento where "
        "coalesce(d.LIN, '00') <> '00' or (coalesce(tipi.t3, 0) and not coalesce(tipi.t8, 0)) "
        "union all select d.IDDocumento, 10, case when coalesce(d.TD, '') <> '01' then 'Manza nota con TD <> "
        "01' "
        "else 'Contributo indipendente e presenza nota' end from tabDocumento d left join tipi on tipi.IDDoc "
        "= "
        "d.IDDocumento where (coalesce(d.TD, '') <> '01') <> coalesce(tipi.t4, 0) "
        "union all select d.IDDocumento, 11, case d.TAbs when '400' then 'TAbs=400 con testi' when '600' "
        "then "
        "'TAbs=600 e manca sommario' when '700' then 'TAbs=700 e manca in tema di' when '900' then 'TAbs=900 "
        "e "
        "manca abstract' else 'TAbs=500/800 e manca riassunto e/o sommario e/o in tema di' end from "
        "tabDocumento "
        "d left join tipi on tipi.IDDoc = d.IDDocumento where (d.TAbs = '400' and (coalesce(tipi.t1, 0) or "
        "coalesce(tipi.t2, 0) or coalesce(tipi.t4, 0) or coalesce(tipi.t7, 0))) or (d.TAbs in ('500', '800') "
        "and "
        "(not coalesce(tipi.t1, 0) or (not coalesce(tipi.t2, 0) and not coalesce(tipi.t7, 0)))) or (d.TAbs = "
        "'600' and not coalesce(tipi.t2, 0)) or (d.TAbs = '700' and not coalesce(tipi.t7, 0)) or (d.TAbs = "
        "'900' "
        "and not coalesce(tipi.t1, 0)) "
        "union all select IDDocumento, 13, 'Manca classificazione' from tabDocumento d where not exists "
        "(select 1 "
        "from legameDocClass c where c.IDDoc = d.IDDocumento) "
        "union all select IDDocumento, 14, 'Manca fonte' from tabDocumento d where not exists (select 1 from "
        "legameDocFonte f where f.IDDoc = d.IDDocumento)"
        ") order by IDDocumento, r");

// The pair lines of rule 12.
inline const QString kClasse = QStringLiteral(
    "select case c.Controllo when 1 then 'Coppia non valida: ' when 2 then 'Coppia asteriscata valida: ' "
    "else "
    "'Coppia asteriscata non valida: ' end || coalesce(c.CodiceS, '') || '; ' || coalesce(c.CodiceD, '') || "
    "'(rec. ' || d.IDDocumento || ')' from tabDocumento d join legameDocClass c on c.IDDoc = d.IDDocumento "
    "where c.Controllo in (1, 2, 3) order by d.IDDocumento, c.ID");

// The source lines of rule 14, each act of the State looked up in the attached catalogue.
inline const QString kFonti = QStringLiteral(
    "select case when coalesce(f.numero, '') = '' then 'Senza numero: ' when n.FonteNorm = 'C. Cost.' then "
    "'GICA con numero >= 1000: ' else 'Fonte errata: ' end || f.testo || ' (rec. ' || d.IDDocumento || ')' "
    "from tabDocumento d join legameDocFonte l on l.IDDoc = d.IDDocumento join tabFonte f on f.IDFonte = "
    "l.IDFonte join tabFonteInterna n on n.IDFonteInterna = f.IDNomeFonte where f.TP in ('LIO', 'LICO', "
    "'LIOA', 'GICO', 'GICA') and case when coalesce(f.numero, '') = '' then f.TP in ('GICO', 'GICA') when "
    "n.FonteNorm = 'C. Cost.' then cast(f.numero as integer) >= 1000 else (case n.FonteNorm when 'l. cost.' "
    "then 'l.cost.' when 'd.lg.' then 'd.lgs.' when 'dir. p.c.m.' then 'dir.p.c.m.' when 'd.l.' then 'd.l.' "
    "when 'd.p.r.' then 'd.p.r.' when 'l.' then 'l.' when 'r.d.' then 'r.d.' when 'd.p.c.m.' then 'd.p.c.m.' "
    "end) is not null and not exists (select 1 from catalogo.tabCatalogo c where c.Promulgazione = f.anno || "
    "'-' || case when trim(f.mese) glob '[0-9]*' and cast(trim(f.mese) as integer) >= 0 then "
    "printf('%02d', cast(trim(f.mese) as integer)) else f.mese end || '-' || case when trim(f.giorno) glob "
    "'[0-9]*' and cast(trim(f.giorno) as integer) >= 0 then printf('%02d', cast(trim(f.giorno) as integer)) "
    "else f.giorno end and c.Numero = f.numero and c.Abbreviazione = case n.FonteNorm when 'l. cost.' then "
    "'l.cost.' when 'd.lg.' then 'd.lgs.' when 'dir. p.c.m.' then 'dir.p.c.m.' else n.FonteNorm end) end "
    "order by d.IDDocumento, l.ID");

// Runs the three statements over the open archive and writes dump/sql-errori.<Consegna>,
// sql-errclasse. and sql-errfonte. as the run writes its lists; returns their paths.
inline FileErrori Esegui(AppState& state) {
    cConnessione& c = state.Connessione;
    c.EseguiIstruzione(QStringLiteral("attach database ? as catalogo"), {state.home.cataloguePath()});
    const FileErrori percorsi = PercorsiErroriConsegna(state.home, QStringLiteral("sql-") + state.Consegna());
    try {
        const std::array<std::pair<QString, QString>, 3> elenchi = {std::pair{kGenerali, percorsi.generali},
                                                                    std::pair{kClasse, percorsi.classe},
                                                                    std::pair{kFonti, percorsi.fonti}};
        for (const auto& [sql, path] : elenchi) {
            TextOutput file;
            file.open(path, TextOutput::Mode::Truncate, state.encoding());
            for (RecordSet rs = c.ApriRS(sql); !rs.eof(); rs.moveNext())
                file.writeLine(rs.field(0).toString());
            file.writeLine();
            file.close();
        }
    } catch (...) {
        c.EseguiIstruzione(QStringLiteral("detach database catalogo"));
        throw;
    }
    c.EseguiIstruzione(QStringLiteral("detach database catalogo"));
    return percorsi;
}

// The lines of a list that differ from the reference's, with their numbers ("" when the same).
inline QString Differenze(const QString& lista, const QString& riferimento) {
    QFile a(lista), b(riferimento);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return QStringLiteral("file mancante: %1 o %2").arg(lista, riferimento);
    const QList<QByteArray> x = a.readAll().split('\n'), y = b.readAll().split('\n');
    QStringList diverse;
    for (qsizetype i = 0; i < std::max(x.size(), y.size()) && diverse.size() < 5; ++i)
        if (x.value(i) != y.value(i))
            diverse << QStringLiteral("riga %1: \"%2\" / \"%3\"")
                           .arg(i + 1)
                           .arg(QString::fromLatin1(x.value(i).trimmed()),
                                QString::fromLatin1(y.value(i).trimmed()));
    if (x.size() != y.size())
        diverse << QStringLiteral("%1 righe / %2").arg(x.size()).arg(y.size());
    return diverse.join(u'\n');
}

} // namespace controlli_sql
