// The error lists' viewer on a long list, offscreen: from the list's text to the painted window
// (the lines indexed by rule for the filter and its counts), and a change of the filter ("solo Fonte
// errata" and back to every rule) to the repainted list. The lines are as the check run writes them,
// in the shares of a generated delivery's sources list; 30 000 and 100 000 lines.
//
//   build/release/bench/bench_lists_viewer [--benchmark_repetitions=N]

#include "BenchMain.h"
#include "checks/frmWndErrori.h"
#include "ui/qt/TextLinesView.h"

#include <QApplication>
#include <QComboBox>

namespace {

QString lista(int righe) {
    QString testo = QStringLiteral("Errori nelle fonti\r\n\r\n");
    for (int i = 1; i <= righe; ++i) {
        const int documento = 1 + i / 3;
        switch (i % 10) {
        case 0:
            testo +=
                QStringLiteral("GICA con numero >= 1000: C. cost. 1 febbraio 2003, n. 1200 (rec. %1)\r\n")
                    .arg(documento);
            break;
        case 1:
            testo += QStringLiteral("Senza numero: C. cost. 2 marzo 2001 (rec. %1)\r\n").arg(documento);
            break;
        default:
            testo += QStringLiteral("Fonte errata: art. %1 comma 2 l. 7 agosto 1990, n. %2 (rec. %3)\r\n")
                         .arg(i % 97)
                         .arg(200 + i % 50)
                         .arg(documento);
        }
    }
    return testo + QStringLiteral("\r\n");
}

void mostra(QWidget& w) {
    w.show();
    QApplication::processEvents();
    w.repaint();
}

void BM_ApriVisualizzatore(benchmark::State& st) {
    const QString testo = lista(static_cast<int>(st.range(0)));
    qsizetype regole = 0;
    for (auto _ : st) {
        frmWndErrori finestra(testo);
        mostra(finestra);
        regole = finestra.indice().regole().size();
        finestra.close();
    }
    st.counters["righe"] = static_cast<double>(st.range(0));
    st.counters["regole"] = static_cast<double>(regole);
}

void BM_FiltroRegola(benchmark::State& st) {
    frmWndErrori finestra(lista(static_cast<int>(st.range(0))));
    mostra(finestra);
    qint64 mostrate = 0;
    for (auto _ : st) {
        if (!finestra.scegliRegola(QStringLiteral("Fonte errata")))
            st.SkipWithError("no Fonte errata");
        finestra.txtErrori->repaint();
        mostrate = finestra.txtErrori->lineCount();
        if (!finestra.scegliRegola(QString()))
            st.SkipWithError("no Tutte le regole");
        finestra.txtErrori->repaint();
    }
    st.counters["solo_fonte_errata"] = static_cast<double>(mostrate);
}

void Ripetizioni(benchmark::internal::Benchmark* b) {
    b->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_ApriVisualizzatore)->Apply(Ripetizioni);
BENCHMARK(BM_FiltroRegola)->Apply(Ripetizioni);

int main(int argc, char** argv) {
    return EseguiBenchmark<QApplication>(argc, argv);
}
