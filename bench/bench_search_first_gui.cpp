// The first search of a new operator: "Cerca in tutti gli archivi" over a home whose index does not
// exist yet (DEMO and a generated archive of 30 000 documents), from the Enter key in the query box
// to the first page painted, the indexing of every archive included.
//
//   build/release/bench/bench_search_first_gui (offscreen; QUILLARO_BENCH_HOME keeps the archives,
//   in DIR/prima-ricerca)

#include "BenchHome.h"
#include "BenchMain.h"
#include "app/gui/MDIQuillaro.h"
#include "search/ServizioRicerca.h"
#include "search/frmRicerca.h"
#include "store/Template.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

namespace {

BenchHome& banco() {
    static BenchHome b(QStringLiteral("prima-ricerca"));
    return b;
}

void prepara() {
    BenchHome& b = banco();
    b.archivio(30000);
    const QString demo = b.home().mdbPath(QStringLiteral("DEMO.db"));
    if (!QFileInfo::exists(demo))
        replaceDemoArchive(demo);
}

void BM_PrimaRicercaTutti(benchmark::State& st, const char* testo) {
    BenchHome& b = banco();
    const QString indice = IndiceRicerca::percorsoIndice(b.home());
    qint64 totale = 0;
    for (auto _ : st) {
        st.PauseTiming();
        for (const char* coda : {"", "-wal", "-shm"})
            QFile::remove(indice + QString::fromLatin1(coda));
        // A program just started: its own state, no index open.
        AppState state(b.home(), b.dialogs());
        MDIQuillaro main(state);
        main.show();
        main.azione(QStringLiteral("mnuFileCercaTutti"))->trigger();
        auto* ricerca = main.findChild<frmRicerca*>();
        ricerca->txtRicerca->setText(QString::fromUtf8(testo));
        ricerca->txtRicerca->setFocus();
        QApplication::processEvents();
        st.ResumeTiming();
        QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(ricerca->txtRicerca, &invio);
        ricerca->tblRisultati->viewport()->repaint();
        totale = ricerca->totale();
        st.PauseTiming();
        main.close();
        st.ResumeTiming();
    }
    if (totale == 0)
        st.SkipWithError("nothing found");
    st.counters["trovati"] = static_cast<double>(totale);
}

} // namespace

BENCHMARK_CAPTURE(BM_PrimaRicercaTutti, responsabilita_medica, "responsabilità medica")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark<QApplication>(argc, argv, prepara);
}
