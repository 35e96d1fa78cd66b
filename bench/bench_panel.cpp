// What the main window's panel costs after every menu command and save, on generated archives of
// 3 000 and 30 000 documents whose check has written its lists: reading where the delivery stands,
// and AggiornaInfo with the carrying forward of the lists' impronta.
//
// QUILLARO_BENCH_HOME=DIR keeps the home folder (and its GEN3000/GEN30000 archives) for reuse.

#include "BenchHome.h"
#include "BenchMain.h"
#include "checks/AggiornaInfo.h"
#include "checks/Controlli.h"
#include "checks/StatoConsegna.h"

#include <QCoreApplication>

namespace {

BenchHome& banco() {
    static BenchHome b;
    return b;
}

// The archive open, with the lists of a check just run on it.
AppState& controllato(qint64 documenti) {
    AppState& state = banco().aperto(documenti);
    EseguiControlli(state);
    banco().dialogs().clear();
    return state;
}

void BM_StatoConsegna(benchmark::State& st) {
    AppState& state = controllato(st.range(0));
    qint64 segnalazioni = 0;
    for (auto _ : st) {
        const StatoConsegna s = LeggiStatoConsegna(state);
        if (s.daRifare || !s.errore.isEmpty())
            st.SkipWithError("lists not current");
        segnalazioni = s.elenchi[0].segnalazioni + s.elenchi[1].segnalazioni + s.elenchi[2].segnalazioni;
    }
    st.counters["documenti"] = static_cast<double>(st.range(0));
    st.counters["segnalazioni"] = static_cast<double>(segnalazioni);
}

void BM_AggiornaInfo(benchmark::State& st) {
    AppState& state = controllato(st.range(0));
    for (auto _ : st)
        AggiornaInfo(state, QStringLiteral("6"));
    if (LeggiStatoConsegna(state).daRifare)
        st.SkipWithError("lists not carried forward");
    st.counters["documenti"] = static_cast<double>(st.range(0));
}

void Dimensioni(benchmark::internal::Benchmark* b) {
    b->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_StatoConsegna)->Apply(Dimensioni);
BENCHMARK(BM_AggiornaInfo)->Apply(Dimensioni);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
