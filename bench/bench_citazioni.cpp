// The recogniser of cited sources on a text of 20 000 characters made of the annotated passages
// of real judgments and acts (shared fixtures, citations/), budget 20 ms; and the proposals of a
// document's summary of 2 500 characters, composed and looked up in the norms catalogue, as
// "Fonti dal testo" makes them.
//
//   build/release/bench/bench_citazioni [--benchmark_repetitions=N]

#include "BenchHome.h"
#include "BenchMain.h"
#include "citations/Citazioni.h"
#include "citations/ProposteFonti.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString passaggi() {
    const QString env = qEnvironmentVariable("QUILLARO_FIXTURES");
    QFile f((env.isEmpty() ? QStringLiteral(QUILLARO_FIXTURES_DIR) : env) +
            QStringLiteral("/citations/passages.jsonl"));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("citations/passages.jsonl not found: set QUILLARO_FIXTURES");
    QStringList testi;
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (!riga.trimmed().isEmpty())
            testi << QJsonDocument::fromJson(riga).object().value(QLatin1String("text")).toString();
    return testi.join(QStringLiteral("\n\n"));
}

// The passages one after the other, again from the start, cut at a blank before n characters.
QString testo(qsizetype n) {
    static const QString tutti = passaggi();
    QString t;
    while (t.size() < n)
        t += tutti + QStringLiteral("\n\n");
    qsizetype fine = n;
    while (fine > 0 && !t.at(fine - 1).isSpace())
        --fine;
    return t.left(fine);
}

void BM_Riconosci20000(benchmark::State& s) {
    const QString t = testo(20000);
    qsizetype citazioni = 0;
    for (auto _ : s) {
        const QList<Citazione> c = RiconosciCitazioni(t);
        citazioni = c.size();
        benchmark::DoNotOptimize(c.data());
    }
    s.counters["caratteri"] = double(t.size());
    s.counters["citazioni"] = double(citazioni);
}
BENCHMARK(BM_Riconosci20000)->Unit(benchmark::kMillisecond);

void BM_ProposteRiassunto(benchmark::State& s) {
    static BenchHome banco;
    AppState& state = banco.state();
    cConnessione modello;
    if (!modello.ApriConnessione(state.home.templatePath(), FileKind::Template, true))
        throw std::runtime_error("template not opened");
    ApriCatalogo(state);
    const QString riassunto = testo(2500);
    qsizetype proposte = 0;
    for (auto _ : s) {
        // What the window does at each Ctrl+F9: the archive's lists, then the proposals.
        const ElenchiProposte elenchi = LeggiElenchiProposte(modello);
        const QList<PropostaFonte> p = ProponiFonti({{QStringLiteral("Riassunto"), riassunto}}, {}, elenchi,
                                                    modello, &state.ConnessioneCatalogo);
        proposte = p.size();
        benchmark::DoNotOptimize(p.data());
    }
    s.counters["proposte"] = double(proposte);
}
BENCHMARK(BM_ProposteRiassunto)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
