// The printouts over whole deliveries: the complete and texts-only RTF print, the HTML summary and
// the consistency report, on archives of 3 000 and 30 000 documents (growth should be linear).
//
// Archives come from the project's generator; QUILLARO_BENCH_HOME=DIR keeps them between runs.

#include "BenchHome.h"
#include "BenchMain.h"
#include "printouts/StampaConsegna.h"
#include "printouts/StampaConsistenza.h"
#include "printouts/StampaProspetto.h"

#include <QCoreApplication>

namespace {

BenchHome& ambiente() {
    static BenchHome a;
    return a;
}

template <typename Run> void misura(benchmark::State& s, Run run) {
    AppState& state = ambiente().aperto(s.range(0));
    for (auto _ : s) {
        const EsitoStampa esito = run(state);
        if (!esito.ok)
            s.SkipWithError(esito.errore.toStdString().c_str());
        ambiente().dialogs().clear();
    }
    s.counters["docs"] = static_cast<double>(s.range(0));
}

void BM_StampaCompleta(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsegna(st, true, false); });
}
void BM_StampaSoloTesti(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsegna(st, false, false); });
}
void BM_StampaSoloTestiFiltro(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsegna(st, false, true); });
}
void BM_Prospetto(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaProspetto(st); });
}
void BM_Consistenza(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsistenza(st); });
}

// Benchmark reports mean, median and spread of the repetitions; the median is the figure to quote.
#define QUILLARO_BENCH(fn)                                                                                   \
    BENCHMARK(fn)                                                                                            \
        ->Arg(3000)                                                                                          \
        ->Arg(30000)                                                                                         \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->Iterations(1)                                                                                      \
        ->Repetitions(5)                                                                                     \
        ->ReportAggregatesOnly(true)

QUILLARO_BENCH(BM_StampaCompleta);
QUILLARO_BENCH(BM_StampaSoloTesti);
QUILLARO_BENCH(BM_StampaSoloTestiFiltro);
QUILLARO_BENCH(BM_Prospetto);
QUILLARO_BENCH(BM_Consistenza);

} // namespace

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
