// The search index of one generated archive of 30 000 documents made from nothing, as `index
// --rebuild` makes it, beside its reference: a plain full-text table of the engine (its own
// tokenizer, unicode61, the same nine fields and the same prefixes) filled from the archive by one
// SQL statement. Both report the file they leave (counter "MB").
//
//   build/release/bench/bench_search_index [--benchmark_filter=...]
//   QUILLARO_BENCH_HOME=DIR keeps GEN30000 (and GEN3000) between runs, as for bench_checks.

#include "BenchHome.h"
#include "BenchMain.h"
#include "search/IndiceRicerca.h"

#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

BenchHome& banco() {
    static BenchHome b;
    return b;
}

double megabyte(const QString& path) {
    return static_cast<double>(QFileInfo(path).size()) / 1048576.0;
}

void BM_IndiceQuillaro(benchmark::State& st) {
    const QString archivio = banco().archivio(st.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("indice ricerca.db"));
    for (auto _ : st) {
        IndiceRicerca indice(path);
        indice.apri();
        indice.ricrea();
        const QList<VoceAggiornamento> v = indice.aggiorna({archivio}, nullptr);
        if (v.size() != 1 || v.first().nuovi != st.range(0))
            st.SkipWithError("archive not indexed");
        // Closed, as the command ends: what the log holds is written into the file.
        indice.chiudi();
    }
    st.counters["MB"] = megabyte(path);
}

// The texts of each field as the index gathers them, by the engine alone.
const char* const kRiempi = R"sql(
insert into testi (rowid, titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro)
select d.IDDocumento,
  (select group_concat(t.Testo, char(10)) from a.legameDocTesto l join a.tabTesto t on t.IDTesto = l.IDTesto
   where l.IDDoc = d.IDDocumento and l.Tipo in ('0', '3')),
  (select group_concat(trim(coalesce(p.PrimoElemento, '') || ' ' || coalesce(p.SecondoElemento, '')), '; ')
   from a.legameDocResp l join a.tabResponsabilita p on p.IDResponsabilita = l.IDResponsabilita
   where l.IDDoc = d.IDDocumento),
  (select group_concat(f.testo, '; ') from a.legameDocFonte l join a.tabFonte f on f.IDFonte = l.IDFonte
   where l.IDDoc = d.IDDocumento),
  (select group_concat(t.Testo, char(10)) from a.legameDocTesto l join a.tabTesto t on t.IDTesto = l.IDTesto
   where l.IDDoc = d.IDDocumento and l.Tipo not in ('0', '3')),
  coalesce(r.IDRivistaOnline, '') || ' - ' || coalesce(o.Titolo, ''),
  substr(coalesce(r.Data, ''), 1, 4) || ' ' || coalesce(r.Annata, ''),
  (select group_concat(coalesce(c.CodiceS, '') || ' ' || coalesce(c.CodiceD, '') || ' ' ||
                       coalesce(s.Descrizione, '') || ' ' || coalesce(x.Descrizione, ''), '; ')
   from a.legameDocClass c left join a.tabSistematici s on s.CodiceS = c.CodiceS
   left join a.tabDescrittori x on x.CodiceD = c.CodiceD where c.IDDoc = d.IDDocumento),
  'GEN30000',
  d.IDDocumento || ' 20263' || d.IDDocumento || ' ' || coalesce(r.Fascicolo, '') || ' ' ||
    coalesce(r.Volume, '') || ' ' || coalesce(d.Pagine, '') || ' ' || coalesce(d.DocURL, '')
from a.tabDocumento d left join a.tabRifBibl r on r.IDRifBibl = d.IDRifBibl
left join a.tabRivisteOnline o on o.IDRivistaOnline = r.IDRivistaOnline order by d.IDDocumento
)sql";

void esegui(sqlite3* db, const char* sql) {
    char* errore = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &errore) != SQLITE_OK) {
        const std::string testo = errore ? errore : "?";
        sqlite3_free(errore);
        throw std::runtime_error(testo);
    }
}

void BM_IndiceFts5Semplice(benchmark::State& st) {
    const QString archivio = banco().archivio(st.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fts5.db"));
    for (auto _ : st) {
        QFile::remove(path);
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        try {
            sqlite3_stmt* attach = nullptr;
            sqlite3_prepare_v2(db, "attach database ? as a", -1, &attach, nullptr);
            const QByteArray file = archivio.toUtf8();
            sqlite3_bind_text(attach, 1, file.constData(), static_cast<int>(file.size()), SQLITE_TRANSIENT);
            sqlite3_step(attach);
            sqlite3_finalize(attach);
            esegui(db, "create virtual table testi using fts5 (titolo, autore, fonte, testo, rivista, anno, "
                       "classe, archivio, altro, prefix = '1 2')");
            esegui(db, kRiempi);
        } catch (const std::exception& e) {
            st.SkipWithError(e.what());
        }
        sqlite3_close(db);
    }
    st.counters["MB"] = megabyte(path);
}

} // namespace

BENCHMARK(BM_IndiceQuillaro)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_IndiceFts5Semplice)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv, [] { banco().archivio(30000); });
}
