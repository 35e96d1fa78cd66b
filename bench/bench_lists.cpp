// The long lists of a delivery of 100 000 documents, as the operator meets them: "Scegli documento"
// of Documenti > Edita and > Cancella from the menu to the painted list, one deletion in Cancella
// (confirmation to the repainted list), and "Vedi file errori" on each of the check run's lists
// (from the menu to the painted window; 0 generici, 1 classificazione, 2 fonti). Budget: 100 ms to show a
// list. The error viewer also reports the memory the program still holds after the window is closed.
//
//   build/release/bench/bench_lists [--benchmark_repetitions=N]
//   QUILLARO_BENCH_HOME=DIR keeps the generated archive (GEN100000.db) for the next run.

#include "BenchHome.h"
#include "BenchMain.h"
#include "checks/Controlli.h"
#include "checks/frmWndErrori.h"
#include "documents/DocumentListModel.h"
#include "documents/frmSceltaDoc.h"
#include "ui/qt/ReleaseMemory.h"
#include "ui/qt/TextLinesView.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QPushButton>
#include <unistd.h>

namespace {

constexpr qint64 kDocumenti = 100000;

BenchHome& banco() {
    static BenchHome b;
    return b;
}

// Resident memory of the process, in MB.
double residenteMB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campi = statm.readAll().split(' ');
    return campi.size() > 1 ? campi[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

// Until the window is painted as the operator would see it.
void mostra(QWidget& w) {
    w.show();
    QApplication::processEvents();
    w.repaint();
}

void apriElenco(benchmark::State& st, bool cancella) {
    AppState& state = banco().aperto(kDocumenti);
    qint64 righe = 0;
    for (auto _ : st) {
        frmSceltaDoc scelta(state);
        scelta.cmdCancella->setEnabled(cancella);
        scelta.cmdEdita->setEnabled(!cancella);
        if (!scelta.Form_Load()) {
            st.SkipWithError("no documents");
            return;
        }
        mostra(scelta);
        righe = scelta.elenco()->rowCount();
        scelta.close();
    }
    st.counters["righe"] = static_cast<double>(righe);
}

void BM_ElencoEdita(benchmark::State& st) {
    apriElenco(st, false);
}
void BM_ElencoCancella(benchmark::State& st) {
    apriElenco(st, true);
}

// Each deletion removes one document from the middle of a working copy of the archive.
void BM_CancellaUno(benchmark::State& st) {
    BenchHome& b = banco();
    const QString originale = b.archivio(kDocumenti);
    const QString copia = b.home().mdbPath(QStringLiteral("LISTE-COPIA.db"));
    ChiudiArchivio(b.state());
    QFile::remove(copia);
    if (!QFile::copy(originale, copia) || !ApriArchivio(b.state(), copia)) {
        st.SkipWithError("working copy not made");
        return;
    }
    frmSceltaDoc scelta(b.state());
    scelta.cmdCancella->setEnabled(true);
    scelta.cmdEdita->setEnabled(false);
    scelta.Form_Load();
    mostra(scelta);
    for (auto _ : st) {
        st.PauseTiming();
        const QModelIndex meta = scelta.elenco()->index(scelta.elenco()->rowCount() / 2);
        scelta.lstDocumento->setCurrentIndex(meta);
        scelta.lstDocumento->scrollTo(meta);
        b.dialogs().clear();
        b.dialogs().answerNext(Answer::Yes);
        st.ResumeTiming();
        scelta.cmdCancella->click();
        scelta.repaint();
    }
    st.counters["righe"] = static_cast<double>(scelta.elenco()->rowCount());
    scelta.close();
    ChiudiArchivio(b.state());
    QFile::remove(copia);
}

// The three lists of the check run; at 100 000 documents the sources list is the long one (6.6 MB).
struct Lista {
    const char* codice;
    const char* file;
    const char* titolo;
};
constexpr Lista kListe[] = {{"7", "errori.", "Errori generici"},
                            {"8", "errclasse.", "Errori di classificazione"},
                            {"9", "errfonte.", "Errori nelle fonti"}};

void BM_VediErrori(benchmark::State& st) {
    AppState& state = banco().aperto(kDocumenti);
    const Lista& l = kListe[st.range(0)];
    const QString file = state.home.dumpPath(QString::fromLatin1(l.file) + state.Consegna());
    if (!QFileInfo::exists(file)) {
        EseguiControlli(state);
        banco().dialogs().clear();
    }
    double picco = 0;
    double senzaRilascio = 0;
    qint64 righe = 0;
    releaseFreedMemory();
    const double prima = residenteMB();
    for (auto _ : st) {
        // As the menu item does, with the window closed at once instead of waiting for Chiudi.
        MostraErrori(state, QString::fromLatin1(l.codice), QString::fromLatin1(l.file),
                     QString::fromLatin1(l.titolo), [&](const QString& testo) {
                         frmWndErrori finestra(testo);
                         mostra(finestra);
                         righe = finestra.txtErrori->lineCount();
                         picco = std::max(picco, residenteMB());
                         finestra.cmdChiudi->click();
                     });
        st.PauseTiming();
        senzaRilascio = residenteMB();
        st.ResumeTiming();
        releaseFreedMemory();
        banco().dialogs().clear();
    }
    st.counters["file_MB"] = static_cast<double>(QFileInfo(file).size()) / (1024.0 * 1024.0);
    st.counters["righe"] = static_cast<double>(righe);
    st.counters["aperta_MB"] = picco - prima;
    st.counters["chiusa_senza_rilascio_MB"] = senzaRilascio - prima;
    st.counters["chiusa_MB"] = residenteMB() - prima;
}

void Ripetizioni(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(5);
}

} // namespace

BENCHMARK(BM_ElencoEdita)->Apply(Ripetizioni);
BENCHMARK(BM_ElencoCancella)->Apply(Ripetizioni);
BENCHMARK(BM_CancellaUno)->Apply(Ripetizioni);
BENCHMARK(BM_VediErrori)->Arg(0)->Arg(1)->Arg(2)->Apply(Ripetizioni);

int main(int argc, char** argv) {
    return EseguiBenchmark<QApplication>(argc, argv, [] { banco().archivio(kDocumenti); });
}
