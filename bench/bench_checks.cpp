// The whole-archive runs of the checks over generated archives of 3 000 and 30 000 documents:
// the check run, compiler notes, new entries, CELEX and HUDOC pages.
//
// QUILLARO_BENCH_HOME=DIR keeps the home folder (and its GEN3000/GEN30000 archives) for reuse
// and for measuring the command line; otherwise a temporary one is used.

#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"
#include "documents/Generatore.h"
#include "store/AppState.h"
#include "store/Archivio.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

class SilentProgress : public Progress {
public:
    void setRange(qint64) override {}
    void setValue(qint64) override {}
    void setLabel(const QString&) override {}
};

// Boxes are answered and forgotten: the runs end with one.
class SilentDialogs : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString chooseFile(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}
    Progress& progress(const QString&) override { return progress_; }
    void endProgress() override {}

private:
    SilentProgress progress_;
};

struct Banco {
    std::unique_ptr<QTemporaryDir> tmp;
    std::unique_ptr<HomeFolder> home;
    SilentDialogs dialogs;
    std::unique_ptr<AppState> state;
    std::map<qint64, QString> archivi;

    Banco() {
        QString root = qEnvironmentVariable("QUILLARO_BENCH_HOME");
        if (root.isEmpty()) {
            tmp = std::make_unique<QTemporaryDir>();
            root = tmp->path();
        }
        home = std::make_unique<HomeFolder>(root);
        home->ensureLayout();
        state = std::make_unique<AppState>(*home, dialogs);
    }

    void apri(qint64 documenti) {
        auto it = archivi.find(documenti);
        if (it == archivi.end()) {
            const QString path = home->mdbPath(QStringLiteral("GEN%1.db").arg(documenti));
            if (!QFileInfo::exists(path)) {
                OpzioniGeneratore opzioni;
                opzioni.documenti = documenti;
                GeneraArchivio(*state, path, opzioni);
            }
            it = archivi.emplace(documenti, path).first;
        }
        if (state->NomeArchivio != it->second || !state->ArchivioAperto) {
            ChiudiArchivio(*state);
            if (!ApriArchivio(*state, it->second))
                throw std::runtime_error("archive not opened");
        }
    }
};

Banco& banco() {
    static Banco b;
    return b;
}

template <typename Run> void misura(benchmark::State& st, Run run) {
    Banco& b = banco();
    b.apri(st.range(0));
    for (auto _ : st)
        run(*b.state);
    st.counters["documenti"] = static_cast<double>(st.range(0));
}

void BM_Controlli(benchmark::State& st) {
    misura(st, [](AppState& s) { EseguiControlli(s); });
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

void Dimensioni(benchmark::internal::Benchmark* b) {
    b->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_Controlli)->Apply(Dimensioni);
BENCHMARK(BM_Note)->Apply(Dimensioni);
BENCHMARK(BM_Nuovi)->Apply(Dimensioni);
BENCHMARK(BM_Celex)->Apply(Dimensioni);
BENCHMARK(BM_Hudoc)->Apply(Dimensioni);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ChiudiArchivio(*banco().state);
    return 0;
}
