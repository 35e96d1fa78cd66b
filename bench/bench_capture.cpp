// Reading a recorded article page and mapping it to the document's fields, as "Da indirizzo o DOI"
// does once the page has come: character set, parse (Gumbo), tags and JSON-LD, the proposals
// against the archive's journals and languages. Budget: a page of 300 KB in 20 ms.
//
//   build/release/bench/bench_capture [--benchmark_repetitions=N]
//
// The pages are the shared fixtures (metadata/, QUILLARO_FIXTURES overrides the folder); the
// 300 KB page is the first 300 KB of the Frontiers page (1.2 MB), whose tags and JSON-LD lie
// within them.

#include "BenchHome.h"
#include "BenchMain.h"
#include "capture/LetturaPagina.h"
#include "capture/ProposteCattura.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

QByteArray pagina(const char* nome, qsizetype byte = -1) {
    const QString cartella = qEnvironmentVariable("QUILLARO_FIXTURES", QStringLiteral(QUILLARO_FIXTURES_DIR));
    QFile f(QDir(cartella).filePath(QStringLiteral("metadata/") + QString::fromLatin1(nome)));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("fixture not found: " + f.fileName()).toStdString());
    const QByteArray tutto = f.readAll();
    return byte < 0 ? tutto : tutto.left(byte);
}

const ElenchiCattura& elenchi() {
    static BenchHome banco;
    static const ElenchiCattura e = CaricaElenchiCattura(banco.aperto(100));
    return e;
}

void leggiEProponi(benchmark::State& stato, const QByteArray& corpo) {
    const ElenchiCattura& e = elenchi();
    const QUrl indirizzo(QStringLiteral("https://example.org/articolo"));
    for (auto _ : stato) {
        const PaginaLetta p = LeggiPagina(corpo, "text/html", indirizzo);
        const ProposteCattura proposte = Proponi(p.metadati, {}, e);
        if (p.metadati.titolo.isEmpty() || proposte.proposte.isEmpty())
            stato.SkipWithError("nothing read");
        benchmark::DoNotOptimize(proposte);
    }
    stato.counters["KB"] = static_cast<double>(corpo.size()) / 1024.0;
}

void BM_Pagina300KB(benchmark::State& s) {
    leggiEProponi(s, pagina("html-jsonld-frontiers-fpsyg.2014.00781.html", 300 * 1024));
}
void BM_PaginaPlos250KB(benchmark::State& s) {
    leggiEProponi(s, pagina("html-citation-plosone-pone.0000001.html"));
}
void BM_PaginaSpringer200KB(benchmark::State& s) {
    leggiEProponi(s, pagina("html-citation-springer-s11926-017-0626-z.html"));
}
void BM_PaginaFrontiers1200KB(benchmark::State& s) {
    leggiEProponi(s, pagina("html-jsonld-frontiers-fpsyg.2014.00781.html"));
}

BENCHMARK(BM_Pagina300KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginaPlos250KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginaSpringer200KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginaFrontiers1200KB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
