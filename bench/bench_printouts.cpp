// The printouts over whole deliveries: the complete and texts-only RTF print, the HTML summary and
// the consistency report, on archives of 3 000 and 30 000 documents (growth should be linear).
//
// Archives come from the project's generator when it is built in; otherwise from a stand-in below
// that fills the same tables with documents of the same shape.

#include "printouts/StampaConsegna.h"
#include "printouts/StampaConsistenza.h"
#include "printouts/StampaProspetto.h"
#include "store/Archivio.h"
#include "ui/ScriptedDialogs.h"

#if __has_include("documents/Generatore.h")
#include "documents/Generatore.h"
#define QUILLARO_HAS_GENERATORE 1
#endif

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// QUILLARO_BENCH_HOME names a home folder to keep the generated archives between runs.
struct Ambiente {
    QTemporaryDir dir;
    HomeFolder home{qEnvironmentVariableIsSet("QUILLARO_BENCH_HOME")
                        ? qEnvironmentVariable("QUILLARO_BENCH_HOME")
                        : dir.path()};
    ScriptedDialogs dialogs;
    std::unique_ptr<AppState> state;
    std::map<qint64, QString> archivi;

    Ambiente() {
        home.ensureLayout();
        state = std::make_unique<AppState>(home, dialogs);
    }
};

Ambiente& ambiente() {
    static Ambiente a;
    return a;
}

#ifndef QUILLARO_HAS_GENERATORE
QString parola(QRandomGenerator& r) {
    static const QStringList parole = {
        "diritto",  "responsabilità", "contratto",    "società", "libertà",  "giurisprudenza",
        "è",        "perché",         "obbligazioni", "danno",   "tutela",   "lavoro",
        "processo", "prova",          "sentenza",     "città",   "proprietà"};
    return parole[r.bounded(static_cast<int>(parole.size()))];
}

QString frase(QRandomGenerator& r, int parole) {
    QStringList out;
    for (int i = 0; i < parole; ++i)
        out << parola(r);
    return out.join(u' ');
}

// Stand-in for GeneraArchivio: the template, its tabInfo row, and documents of ten per issue with
// a title, a summary, authors, classification pairs and sources each.
void generaArchivio(AppState& state, const QString& path, qint64 documenti) {
    QFile::remove(path);
    const NuovoArchivio n = CreaArchivio(
        state, path, {QStringLiteral("3"), QStringLiteral("2026"), QStringLiteral("B"), QStringLiteral("1")});
    if (n.esito != EsitoNuovoArchivio::Creato)
        throw std::runtime_error(n.message.toStdString());
    cConnessione db;
    db.ApriConnessione(n.path);
    QRandomGenerator r(1);
    Transaction tx(db);
    for (int i = 1; i <= 20; ++i)
        db.EseguiIstruzione(
            "insert or ignore into tabRivisteOnline (IDRivistaOnline, Titolo, IDPeriodicita) values "
            "(?, ?, 'M')",
            {QString::number(i == 20 ? 9001 : 100 + i), "Rivista di " + frase(r, 3)});
    for (int i = 0; i < 5; ++i)
        db.EseguiIstruzione("insert or ignore into tabBib (IDBib, TipoBibliografia) values (?, ?)",
                            {QString::number(i), "Bibliografia " + frase(r, 2)});
    for (int i = 0; i < 300; ++i) {
        db.EseguiIstruzione(
            "insert or ignore into tabSistematici (CodiceS, Descrizione, Sigla) values (?, ?, ?)",
            {QStringLiteral("S%1").arg(i), frase(r, 4), QStringLiteral("SG%1").arg(i)});
        db.EseguiIstruzione("insert or ignore into tabDescrittori (CodiceD, Descrizione) values (?, ?)",
                            {QStringLiteral("D%1").arg(i), frase(r, 3)});
        db.EseguiIstruzione("insert into tabLegameDSA (NS, ND, CodiceD) values ('1', ?, ?)",
                            {frase(r, 2), QStringLiteral("%1A").arg(i)});
    }
    static const QStringList tp = {"LIO", "NIT", "GEC", "LIC", "GICA", "NS", "FSR"};
    for (int i = 0; i < 2000; ++i)
        db.EseguiIstruzione("insert into tabFonte (TP, testo) values (?, ?)",
                            {tp[i % tp.size()], QStringLiteral("art. %1 l. %2 marzo 19%3, n. %4")
                                                    .arg(i % 90 + 1)
                                                    .arg(i % 28 + 1)
                                                    .arg(i % 99)
                                                    .arg(i)});
    qint64 rif = 0;
    for (qint64 d = 1; d <= documenti; ++d) {
        if ((d - 1) % 10 == 0) {
            const int rivista = static_cast<int>(r.bounded(20));
            db.EseguiIstruzione(
                "insert into tabRifBibl (IDRivistaOnline, Data, Fascicolo, Volume, Annata) values "
                "(?, ?, ?, ?, '')",
                {QString::number(rivista == 19 ? 9001 : 101 + rivista),
                 QStringLiteral("20%1-%2-00")
                     .arg(10 + r.bounded(15))
                     .arg(1 + r.bounded(12), 2, 10, QLatin1Char('0')),
                 QString::number(d / 10), QString::number(r.bounded(40))});
            rif = db.lastInsertId();
        }
        static const QStringList tabs = {"400", "500", "600", "700", "800", "900"};
        db.EseguiIstruzione(
            "insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, "
            "DocURL) values (?, ?, ?, ?, ?, ?, '00', '00', '00', '00', ?)",
            {d, rif, QStringLiteral("%1-%2").arg(d % 300).arg(d % 300 + 12), tabs[static_cast<int>(d % 6)],
             QString::number(d % 5), QStringLiteral("0%1").arg(d % 9 + 1),
             QStringLiteral("https://example.org/doc/%1").arg(d)});
        const auto testo = [&](const char* tipo, const QString& t) {
            db.EseguiIstruzione("insert into tabTesto (Testo) values (?)", {t});
            db.EseguiIstruzione("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (?, ?, ?)",
                                {d, db.lastInsertId(), QString::fromLatin1(tipo)});
        };
        testo("0", frase(r, 12));
        testo("1", frase(r, 180));
        if (d % 3 == 0)
            testo("8", frase(r, 120) + " [trad.]");
        if (d % 4 == 0)
            testo("4", frase(r, 30));
        if (d % 7 == 0)
            testo("5", frase(r, 20));
        for (int a = 0; a < 2; ++a) {
            db.EseguiIstruzione(
                "insert into tabResponsabilita (PrimoElemento, SecondoElemento) values (?, ?)",
                {parola(r), parola(r)});
            db.EseguiIstruzione(
                "insert into legameDocResp (IDDoc, IDResponsabilita, FlagAutore) values (?, ?, -1)",
                {d, db.lastInsertId()});
        }
        for (int c = 0; c < 3; ++c)
            db.EseguiIstruzione(
                "insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values (?, ?, ?, 0)",
                {d, QStringLiteral("S%1").arg(r.bounded(300)),
                 c == 2 ? QStringLiteral("%1A").arg(r.bounded(300))
                        : QStringLiteral("D%1").arg(r.bounded(300))});
        for (int s = 0; s < 3; ++s)
            db.EseguiIstruzione("insert into legameDocFonte (IDDoc, IDFonte) values (?, ?)",
                                {d, 1 + r.bounded(2000)});
    }
    tx.commit();
    db.ChiudiConnessione();
}
#endif

// The archive of n documents, made once per run, opened on the state's connection.
AppState& archivio(qint64 n) {
    Ambiente& a = ambiente();
    auto it = a.archivi.find(n);
    if (it == a.archivi.end()) {
        const QString path = a.home.mdbPath(QStringLiteral("BENCH%1.db").arg(n));
        if (QFile::exists(path)) {
            it = a.archivi.emplace(n, path).first;
        } else {
#ifdef QUILLARO_HAS_GENERATORE
            OpzioniGeneratore opzioni;
            opzioni.documenti = n;
            GeneraArchivio(*a.state, path, opzioni);
#else
            generaArchivio(*a.state, path, n);
#endif
            it = a.archivi.emplace(n, path).first;
        }
    }
    if (a.state->NomeArchivio != it->second || !a.state->ArchivioAperto) {
        ChiudiArchivio(*a.state);
        ApriArchivio(*a.state, it->second);
    }
    return *a.state;
}

template <typename Run> void misura(benchmark::State& s, Run run) {
    AppState& state = archivio(s.range(0));
    for (auto _ : s) {
        const EsitoStampa esito = run(state);
        if (!esito.ok)
            s.SkipWithError(esito.errore.toStdString().c_str());
        ambiente().dialogs.clear();
    }
    s.counters["docs"] = static_cast<double>(s.range(0));
}

void BM_StampaCompleta(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsegna(st, true, false); });
}
void BM_StampaSoloTesti(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsegna(st, false, false); });
}
void BM_StampaSoloTestiFiltro(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsegna(st, false, true); });
}
void BM_Prospetto(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaProspetto(st); });
}
void BM_Consistenza(benchmark::State& s) {
    misura(s, [](AppState& st) { return StampaConsistenza(st); });
}

// Benchmark reports mean, median and spread of the repetitions; the median is the figure to quote.
#define QUILLARO_BENCH(fn)                                                                                   \
    BENCHMARK(fn)                                                                                            \
        ->Arg(3000)                                                                                          \
        ->Arg(30000)                                                                                         \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->Iterations(1)                                                                                      \
        ->Repetitions(5)                                                                                     \
        ->ReportAggregatesOnly(true)

QUILLARO_BENCH(BM_StampaCompleta);
QUILLARO_BENCH(BM_StampaSoloTesti);
QUILLARO_BENCH(BM_StampaSoloTestiFiltro);
QUILLARO_BENCH(BM_Prospetto);
QUILLARO_BENCH(BM_Consistenza);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
