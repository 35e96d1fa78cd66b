// The search window over 40 generated archives of 30 000 documents: from the Enter key in the
// query box to the first page of results painted, excerpts of the rows shown included.
//
//   build/release/bench/bench_search_gui (offscreen; QUILLARO_BENCH_HOME as for bench_search)

#include "BenchMain.h"
#include "SearchBench.h"
#include "app/gui/MDIQuillaro.h"
#include "search/frmRicerca.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

namespace {

struct Finestra {
    Banco& banco;
    MDIQuillaro main;
    frmRicerca* ricerca = nullptr;

    explicit Finestra(Banco& b) : banco(b), main(*b.state) {
        main.show();
        main.azione(QStringLiteral("mnuFileCercaTutti"))->trigger();
        ricerca = main.findChild<frmRicerca*>();
        QApplication::processEvents();
    }
};

Finestra& finestra() {
    static Banco b;
    static Finestra f(b);
    return f;
}

void BM_PrimaPagina(benchmark::State& st, const char* testo) {
    Finestra& f = finestra();
    qint64 totale = 0;
    double cpu = 0;
    for (auto _ : st) {
        st.PauseTiming();
        f.ricerca->txtRicerca->setText(QString::fromUtf8(testo));
        f.ricerca->txtRicerca->setFocus();
        QApplication::processEvents();
        st.ResumeTiming();
        const double inizio = msProcesso();
        QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(f.ricerca->txtRicerca, &invio);
        // Painted: the visible rows with their excerpts.
        f.ricerca->tblRisultati->viewport()->repaint();
        cpu += msProcesso() - inizio;
        totale = f.ricerca->totale();
    }
    st.counters["trovati"] = static_cast<double>(totale);
    st.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK_CAPTURE(BM_PrimaPagina, responsabilita_medica, "responsabilità medica")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PrimaPagina, schrems_cassazione, "Schrems Cassazione")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PrimaPagina, autore, "autore:rossi")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark<QApplication>(argc, argv);
}
