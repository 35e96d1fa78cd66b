// The recovery file of a full document (20 sources, five texts of 5 000 characters), from the
// document window offscreen: what its thread spends (the values taken, handed to the writer) and,
// for reference, what the writer's thread spends (the file made, synced and renamed), and a keystroke.
//
//   build/release/bench/bench_recupero_gui [--benchmark_repetitions=N]

#include "BenchHome.h"
#include "BenchMain.h"
#include "DocumentoPieno.h"
#include "documents/frmDocumento.h"

#include <QApplication>
#include <QDate>
#include <QPlainTextEdit>
#include <memory>

namespace {

struct Ambiente {
    BenchHome bench;
    qint64 pieno = 0;
};

Ambiente& ambiente() {
    static Ambiente x;
    if (x.pieno == 0) {
        AppState& state = x.bench.aperto(100);
        const ListeDocumento liste = CaricaListe(state.Connessione, QDate::currentDate());
        x.pieno = ScriviDocumentoPieno(state.Connessione, liste, 5000);
    }
    return x;
}

// The window on the full document, as the operator has it.
std::unique_ptr<frmDocumento> finestra() {
    Ambiente& a = ambiente();
    auto w = std::make_unique<frmDocumento>(a.bench.state(), false, a.pieno);
    w->show();
    QCoreApplication::processEvents();
    return w;
}

// A change of the title, then the window's share of the file.
void BM_RecuperoFinestra(benchmark::State& s) {
    const std::unique_ptr<frmDocumento> finestraPiena = finestra();
    frmDocumento& w = *finestraPiena;
    int n = 0;
    for (auto _ : s) {
        s.PauseTiming();
        w.txtTitolo->setPlainText(QStringLiteral("Titolo cambiato %1").arg(++n));
        s.ResumeTiming();
        w.recupero().scriviOra();
        s.PauseTiming();
        w.recupero().attendi();
        s.ResumeTiming();
    }
    if (!w.recupero().errore().isEmpty())
        s.SkipWithError(qPrintable(w.recupero().errore()));
    s.counters["byte"] = static_cast<double>(QFileInfo(w.recupero().percorso()).size());
}

// The writer's share: the file made, synced and put in place, while the window goes on.
void BM_RecuperoScrittura(benchmark::State& s) {
    const std::unique_ptr<frmDocumento> finestraPiena = finestra();
    frmDocumento& w = *finestraPiena;
    int n = 0;
    for (auto _ : s) {
        s.PauseTiming();
        w.txtTitolo->setPlainText(QStringLiteral("Titolo riscritto %1").arg(++n));
        w.recupero().scriviOra();
        s.ResumeTiming();
        w.recupero().attendi();
    }
}

// What every keystroke adds.
void BM_RecuperoBattuta(benchmark::State& s) {
    const std::unique_ptr<frmDocumento> finestraPiena = finestra();
    frmDocumento& w = *finestraPiena;
    for (auto _ : s)
        w.recupero().cambiato();
}

} // namespace

BENCHMARK(BM_RecuperoFinestra)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecuperoScrittura)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecuperoBattuta)->Unit(benchmark::kNanosecond);

int main(int argc, char** argv) {
    return EseguiBenchmark<QApplication>(argc, argv);
}
