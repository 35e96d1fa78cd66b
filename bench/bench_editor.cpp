// The document editor on a delivery of 30 000 documents and about 100 000 sources: loading a full
// document, saving it, moving to the next and previous one, and making the archive itself.
//
//   build/release/bench/bench_editor [--benchmark_repetitions=N]
//   QUILLARO_BENCH_HOME=<folder> puts the archive there (default: a temporary folder).

#include "BenchHome.h"
#include "BenchMain.h"
#include "DocumentoPieno.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "sources/CercaFonte.h"
#include "store/Archivio.h"
#include "ui/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr qint64 kDocumenti = 30000;

struct Ambiente {
    BenchHome bench;
    AppState* state = &bench.state();
    ListeDocumento liste;
    qint64 pieno = 0; // the document with 8 texts, 5 persons, 10 pairs and 20 sources
    double secondiGenerazione = 0;
    qint64 fonti = 0;
};

void prepara(Ambiente& x) {
    // Made anew every run: its making is one of the figures.
    const QString path = x.bench.home().mdbPath(QStringLiteral("BENCH30K.db"));
    QFile::remove(path);
    QElapsedTimer clock;
    clock.start();
    GeneraArchivio(*x.state, path, OpzioniGeneratore{kDocumenti, 1});
    x.secondiGenerazione = clock.elapsed() / 1000.0;
    if (!ApriArchivio(*x.state, path))
        qFatal("archive not opened");
    x.liste = CaricaListe(x.state->Connessione, QDate::currentDate());
    x.fonti =
        x.state->Connessione.ApriRS(QStringLiteral("select count(*) from tabFonte")).field(0).toLongLong();
    x.pieno = ScriviDocumentoPieno(x.state->Connessione, x.liste);
}

Ambiente& ambiente() {
    static Ambiente x;
    static const bool pronto = (prepara(x), true);
    Q_UNUSED(pronto);
    return x;
}

void carica(Ambiente& a, qint64 id, DocumentBuffer& b, DatiDocumento& d) {
    b.IDDocCorrente = id;
    d.txtID = QString::number(id);
    PulisciDocumento(b, d);
    const EsitoCaricamento e = CaricaDocumento(a.state->Connessione, a.state->Mesi, a.liste, b, d);
    if (!e.caricato)
        qFatal("not loaded: %s", qPrintable(e.errore));
}

void BM_Generazione30000(benchmark::State& s) {
    for (auto _ : s) {
        Ambiente& a = ambiente();
        s.SetIterationTime(a.secondiGenerazione);
    }
    Ambiente& a = ambiente();
    s.counters["documenti"] = static_cast<double>(kDocumenti);
    s.counters["fonti"] = static_cast<double>(a.fonti);
}

void BM_CaricaDocumentoPieno(benchmark::State& s) {
    Ambiente& a = ambiente();
    DocumentBuffer b;
    DatiDocumento d;
    PreparaDati(d, a.liste);
    for (auto _ : s) {
        carica(a, a.pieno, b, d);
        benchmark::DoNotOptimize(b.ElencoFonti.size());
    }
    if (b.ElencoFonti.size() != 20 || b.ElencoClassificazione.size() != 10 ||
        b.ElencoResponsabilita.size() != 5)
        s.SkipWithError("document not as expected");
}

void BM_SalvaDocumentoPieno(benchmark::State& s) {
    Ambiente& a = ambiente();
    DocumentBuffer b;
    DatiDocumento d;
    PreparaDati(d, a.liste);
    carica(a, a.pieno, b, d);
    for (auto _ : s) {
        const RisultatoSalvataggio r = ScriviDocumento(a.state->Connessione, b, d);
        if (!r.salvato())
            s.SkipWithError(qPrintable(r.messaggio));
    }
}

// F6 and F5 as the window runs them: the next number from txtID, the window cleared and loaded.
void naviga(benchmark::State& s, bool avanti) {
    Ambiente& a = ambiente();
    DocumentBuffer b;
    DatiDocumento d;
    PreparaDati(d, a.liste);
    d.txtID = QString::number(kDocumenti / 2);
    for (auto _ : s) {
        const std::optional<qint64> n = avanti ? DocumentoSeguente(a.state->Connessione, d.txtID)
                                               : DocumentoPrecedente(a.state->Connessione, d.txtID);
        carica(a, *n, b, d);
    }
}

void BM_DocumentoSeguente(benchmark::State& s) {
    naviga(s, true);
}
void BM_DocumentoPrecedente(benchmark::State& s) {
    naviga(s, false);
}

} // namespace

BENCHMARK(BM_Generazione30000)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_CaricaDocumentoPieno)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SalvaDocumentoPieno)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentoSeguente)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentoPrecedente)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
