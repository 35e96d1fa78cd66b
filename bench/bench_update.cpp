// Batches over 50 generated archives of 600 documents: the document count and the checks.
//
// QUILLARO_BENCH_HOME=DIR keeps the home folder and its archives for reuse.

#include "BenchHome.h"
#include "BenchMain.h"
#include "update/Aggiornamento.h"
#include "update/FileSigle.h"

#include <QCoreApplication>
#include <QFile>

namespace {

constexpr int kArchivi = 50;
constexpr int kDocumenti = 600;

struct Banco {
    BenchHome bench;
    HomeFolder* home = &bench.home();
    AppState* state = &bench.state();
    ScriptedDialogs& dialogs = bench.dialogs();
    QString sigle;

    Banco() {
        const QString modello = bench.archivio(kDocumenti);
        QStringList names;
        for (int i = 1; i <= kArchivi; ++i) {
            const QString name = QStringLiteral("U%1").arg(i, 2, 10, QLatin1Char('0'));
            const QString path = home->mdbPath(name + QStringLiteral(".db"));
            if (!QFileInfo::exists(path)) {
                QFile::copy(modello, path);
                cConnessione c;
                c.ApriConnessione(path);
                c.EseguiIstruzione(QStringLiteral("update tabInfo set Consegna = ?"), {name});
            }
            names << name;
        }
        sigle = home->mdbPath(QStringLiteral("sigle.BEN"));
        ScriviFileSigle(sigle, names);
    }
};

Banco& banco() {
    static Banco b;
    return b;
}

void batch(benchmark::State& st, TipoAggiornamento tipo) {
    Banco& b = banco();
    for (auto _ : st) {
        if (tipo == TipoAggiornamento::Controlli) {
            st.PauseTiming();
            QFile::remove(b.home->dumpPath(QStringLiteral("errori.BEN")));
            QFile::remove(b.home->dumpPath(QStringLiteral("errclasse.BEN")));
            QFile::remove(b.home->dumpPath(QStringLiteral("errfonte.BEN")));
            st.ResumeTiming();
        }
        const EsitoAggiornamento esito = EseguiAggiornamento(*b.state, tipo, b.sigle);
        if (!esito.completato || esito.consegne != kArchivi)
            st.SkipWithError("batch not completed");
        b.dialogs.clear();
    }
}

void BM_Conteggio50(benchmark::State& st) {
    batch(st, TipoAggiornamento::Conteggio);
}
void BM_Controlli50(benchmark::State& st) {
    batch(st, TipoAggiornamento::Controlli);
}

} // namespace

BENCHMARK(BM_Conteggio50)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Controlli50)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
