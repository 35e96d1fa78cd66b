// The recogniser of cited sources on a text of 20 000 characters made of the annotated passages
// of real judgments, acts and articles (shared fixtures, citations/ and its parts), budget 20 ms;
// on 1 MB of them, budget 2 s and 200 MB; on hostile lists of 4 000 and 100 000 articles of one
// act (linear time and memory, each citation its own span); on thousands of back references;
// and the proposals of a document's
// summary of 2 500 characters, composed and looked up in the norms catalogue, as "Fonti dal
// testo" makes them. "picco_MB" is the process's peak resident memory so far.
//
//   build/release/bench/bench_citazioni [--benchmark_repetitions=N]

#include "BenchHome.h"
#include "BenchMain.h"
#include "citations/Citazioni.h"
#include "citations/ProposteFonti.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace {

QString passaggi() {
    const QString env = qEnvironmentVariable("QUILLARO_FIXTURES");
    const QString radice = (env.isEmpty() ? QStringLiteral(QUILLARO_FIXTURES_DIR) : env) + QStringLiteral("/citations");
    QStringList cartelle{radice};
    for (const QString& sotto : QDir(radice).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        cartelle << radice + u'/' + sotto;
    QStringList testi;
    for (const QString& c : cartelle) {
        QFile f(c + QStringLiteral("/passages.jsonl"));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& riga : f.readAll().split('\n'))
            if (!riga.trimmed().isEmpty())
                testi << QJsonDocument::fromJson(riga).object().value(QLatin1String("text")).toString();
    }
    if (testi.isEmpty())
        throw std::runtime_error("citations/passages.jsonl not found: set QUILLARO_FIXTURES");
    return testi.join(QStringLiteral("\n\n"));
}

double piccoMB() {
#ifdef __linux__
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
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

// The recogniser over `t` at each round, with the text's size and the citations found.
void riconosci(benchmark::State& s, const QString& t) {
    qsizetype citazioni = 0;
    for (auto _ : s) {
        const QList<Citazione> c = RiconosciCitazioni(t);
        citazioni = c.size();
        benchmark::DoNotOptimize(c.data());
    }
    s.counters["caratteri"] = double(t.size());
    s.counters["citazioni"] = double(citazioni);
}

void BM_Riconosci20000(benchmark::State& s) {
    const QString t = testo(20000);
    riconosci(s, t);
}
BENCHMARK(BM_Riconosci20000)->Unit(benchmark::kMillisecond);

void BM_Riconosci1MB(benchmark::State& s) {
    const QString t = testo(1 << 20);
    riconosci(s, t);
    s.counters["picco_MB"] = piccoMB();
}
BENCHMARK(BM_Riconosci1MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// "artt. 1, 2, ..., n della legge 7 agosto 1990, n. 241": the spans of the citations add up to
// about the list's length, not to n times it.
void BM_ListaOstile(benchmark::State& s) {
    const int n = int(s.range(0));
    QString t = QStringLiteral("Si vedano gli artt. ");
    for (int k = 1; k < n; ++k)
        t += QString::number(k) + QStringLiteral(", ");
    t += QString::number(n) + QStringLiteral(" della legge 7 agosto 1990, n. 241.");
    qsizetype citazioni = 0;
    qsizetype span = 0;
    for (auto _ : s) {
        const QList<Citazione> c = RiconosciCitazioni(t);
        citazioni = c.size();
        span = 0;
        for (const Citazione& x : c)
            span += x.fine - x.inizio;
        benchmark::DoNotOptimize(c.data());
    }
    s.counters["caratteri"] = double(t.size());
    s.counters["citazioni"] = double(citazioni);
    s.counters["span_su_testo"] = double(span) / double(t.size());
    s.counters["picco_MB"] = piccoMB();
}
BENCHMARK(BM_ListaOstile)->Arg(4000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Thousands of acts, then thousands of back references and articles without act: each looks a
// bounded way back, not at all those before it.
void BM_RinviiOstili(benchmark::State& s) {
    const int n = int(s.range(0));
    QString t;
    for (int k = 1; k <= n; ++k)
        t += QStringLiteral("la legge n. %1 del 2001, ").arg(k);
    for (int k = 1; k <= n; ++k)
        t += QStringLiteral("l'art. %1 della medesima legge, al comma 2, l'art. %1 cit.; ").arg(k);
    riconosci(s, t);
    s.counters["picco_MB"] = piccoMB();
}
BENCHMARK(BM_RinviiOstili)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

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
