// The whole-archive runs of the checks over generated archives of 3 000 and 30 000 documents:
// the check run beside the set-based SQL pass that makes the same lists (ControlliSql.h; its lines
// are compared with the run's before it is timed), compiler notes, new entries, CELEX, HUDOC and
// official-text (URN) pages.
//
// QUILLARO_BENCH_HOME=DIR keeps the home folder (and its GEN3000/GEN30000 archives) for reuse
// and for measuring the command line.

#include "BenchHome.h"
#include "BenchMain.h"
#include "ControlliSql.h"
#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"

#include <QCoreApplication>

namespace {

BenchHome& banco() {
    static BenchHome b;
    return b;
}

template <typename Run> void misura(benchmark::State& st, Run run) {
    AppState& state = banco().aperto(st.range(0));
    for (auto _ : st) {
        run(state);
        banco().dialogs().clear();
    }
    st.counters["documenti"] = static_cast<double>(st.range(0));
}

void BM_Controlli(benchmark::State& st) {
    misura(st, [](AppState& s) { EseguiControlli(s); });
}
// The reference: the same three lists, each from one statement of the engine.
void BM_ControlliSql(benchmark::State& st) {
    AppState& state = banco().aperto(st.range(0));
    const FileErrori run = EseguiControlli(state);
    const FileErrori sql = controlli_sql::Esegui(state);
    banco().dialogs().clear();
    for (const auto& [lista, riferimento] :
         {std::pair{run.generali, sql.generali}, {run.classe, sql.classe}, {run.fonti, sql.fonti}}) {
        const QString diverse = controlli_sql::Differenze(lista, riferimento);
        if (!diverse.isEmpty()) {
            st.SkipWithError(
                qPrintable(QStringLiteral("%1 differs from the SQL pass:\n%2").arg(lista, diverse)));
            return;
        }
    }
    for (auto _ : st)
        controlli_sql::Esegui(state);
    st.counters["documenti"] = static_cast<double>(st.range(0));
}
void BM_Note(benchmark::State& st) {
    misura(st, [](AppState& s) { EstraiNote(s); });
}
void BM_Nuovi(benchmark::State& st) {
    misura(st, [](AppState& s) { EstraiNuovi(s); });
}
void BM_Celex(benchmark::State& st) {
    misura(st, [](AppState& s) { StampaCelex(s); });
}
void BM_Hudoc(benchmark::State& st) {
    misura(st, [](AppState& s) { StampaHudoc(s); });
}
void BM_Nir(benchmark::State& st) {
    misura(st, [](AppState& s) { StampaNir(s); });
}

void Dimensioni(benchmark::internal::Benchmark* b) {
    b->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_Controlli)->Apply(Dimensioni);
BENCHMARK(BM_ControlliSql)->Apply(Dimensioni);
BENCHMARK(BM_Note)->Apply(Dimensioni);
BENCHMARK(BM_Nuovi)->Apply(Dimensioni);
BENCHMARK(BM_Celex)->Apply(Dimensioni);
BENCHMARK(BM_Hudoc)->Apply(Dimensioni);
BENCHMARK(BM_Nir)->Apply(Dimensioni);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
