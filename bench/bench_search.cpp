// The search over 40 generated archives of 30 000 documents (1 200 000 documents), or over 21 of
// 3 000 (63 000, QUILLARO_BENCH_RICERCA=63000): indexing one archive, the entry of one saved
// document, the check that the unchanged archives are current, two-word and field queries, every
// hit of a broad query listed with its excerpt, short prefixes with a limit of 50, the largest
// queries the box accepts and the refusal of larger ones, and the probable duplicates.
//
//   build/release/bench/bench_search [--benchmark_filter=...]
//   QUILLARO_BENCH_HOME=DIR keeps the archives and the index (in DIR/ricerca) between runs; the
//   first run generates them (several minutes) and builds the index.

#include "BenchMain.h"
#include "SearchBench.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "search/Doppioni.h"
#include "search/InterrogazioneRicerca.h"

#include <QCoreApplication>
#include <QDate>

namespace {

Banco& banco() {
    static Banco b;
    return b;
}

void BM_IndicizzaArchivio(benchmark::State& st) {
    Banco& b = banco();
    QTemporaryDir dir;
    IndiceRicerca indice(dir.filePath(QStringLiteral("indice.db")));
    indice.apri();
    for (auto _ : st) {
        st.PauseTiming();
        indice.ricrea();
        st.ResumeTiming();
        const QList<VoceAggiornamento> v = indice.aggiorna({b.archivi.first()}, nullptr);
        if (v.size() != 1 || v.first().nuovi != b.dimensione.documenti)
            st.SkipWithError("archive not indexed");
    }
}

// The save of the document window, then (timed) the index told of it.
void BM_AggiornaDocumento(benchmark::State& st) {
    Banco& b = banco();
    AppState& state = *b.state;
    if (!ApriArchivio(state, b.archivi.at(1))) {
        st.SkipWithError("archive not opened");
        return;
    }
    const ListeDocumento liste = CaricaListe(state.Connessione, QDate::currentDate());
    const qint64 numero = std::min<qint64>(12345, b.dimensione.documenti / 2);
    DocumentBuffer buffer;
    buffer.IDDocCorrente = numero;
    DatiDocumento dati;
    PreparaDati(dati, liste);
    dati.txtID = QString::number(numero);
    CaricaDocumento(state.Connessione, state.Mesi, liste, buffer, dati);
    const QString originale = dati.txtTitolo;
    int i = 0;
    for (auto _ : st) {
        st.PauseTiming();
        dati.txtTitolo = (++i % 2) ? originale + QStringLiteral(" (rev.)") : originale;
        if (!ScriviDocumento(state.Connessione, buffer, dati).salvato())
            st.SkipWithError("document not saved");
        st.ResumeTiming();
        NotificaDocumentoSalvato(state, numero);
    }
    if (i % 2) {
        dati.txtTitolo = originale;
        if (!ScriviDocumento(state.Connessione, buffer, dati).salvato())
            st.SkipWithError("title not restored");
        NotificaDocumentoSalvato(state, numero);
    }
    ChiudiArchivio(state);
}

void BM_Controllo40Invariati(benchmark::State& st) {
    Banco& b = banco();
    for (auto _ : st) {
        const PreparazioneRicerca p = b.servizio->prepara(AmbitoRicerca{}, nullptr);
        for (const VoceAggiornamento& v : p.voci)
            if (v.esito != VoceAggiornamento::Esito::Invariato)
                st.SkipWithError("an archive was read again");
    }
}

// The query as the window runs it: the check that the archives are current, then the count and the
// ranked first page (the window makes the excerpts of the rows it shows, bench_search_gui);
// with `estratti`, as the command line runs it, every excerpt of the page.
void ricerca(benchmark::State& st, const char* testo, int limite, int estratti = 0) {
    Banco& b = banco();
    qint64 totale = 0;
    const double cpu = msProcesso();
    for (auto _ : st) {
        const EsitoRicercaCompleta r =
            b.servizio->cerca(QString::fromUtf8(testo), AmbitoRicerca{}, limite, nullptr, estratti);
        if (!r.interrogazione.valida() || !r.avvisi.isEmpty())
            st.SkipWithError("query refused");
        totale = r.esito.totale;
    }
    st.counters["trovati"] = static_cast<double>(totale);
    st.counters["cpu_ms"] = benchmark::Counter(msProcesso() - cpu, benchmark::Counter::kAvgIterations);
}

void BM_DueParole(benchmark::State& st, const char* testo) {
    ricerca(st, testo, 200);
}

void BM_Campo(benchmark::State& st, const char* testo) {
    ricerca(st, testo, 200);
}

void BM_RigaDiComando(benchmark::State& st, const char* testo) {
    ricerca(st, testo, 100, -1);
}

// Every hit listed, each with its excerpt (the command line's JSON and CSV, the window's export).
void BM_ElencoCompleto(benchmark::State& st, const char* testo) {
    ricerca(st, testo, 10000000, -1);
}

// At most 50 hits, with their excerpts.
void BM_Limite50(benchmark::State& st, const char* testo) {
    ricerca(st, testo, 50, -1);
}

QString paroleDiverse(int n, const QString& tra) {
    static const char* const parole[] = {"contratto", "appalto", "responsabilità", "medica",
                                         "crisi",     "impresa", "tutela",         "consumatore",
                                         "diritto",   "oblio",   "trust",          "arbitrato"};
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QString::fromUtf8(parole[i % std::size(parole)]);
    return out.join(tra);
}

// The largest queries the box accepts: the time of the engine's work they can ask for.
void BM_QueryMassima(benchmark::State& st, int forma) {
    const QString testo = forma == 0   ? paroleDiverse(kMassimoParole, QStringLiteral(" OR "))
                          : forma == 1 ? paroleDiverse(kMassimoParole, QStringLiteral(" NOT "))
                                       : u'"' + paroleDiverse(kMassimoParole, QStringLiteral(" ")) + u'"';
    const QByteArray utf8 = testo.toUtf8();
    ricerca(st, utf8.constData(), 50, -1);
}

// What is beyond them is refused at once (it took 5 to 107 s and 890 MB).
void BM_QueryRifiutata(benchmark::State& st, int forma) {
    const QString testo = forma == 0 ? QStringLiteral("x ").repeated(1000)
                                     : u'"' + QStringLiteral("diritto ").repeated(12000) + u'"';
    Banco& b = banco();
    for (auto _ : st) {
        const EsitoRicercaCompleta r = b.servizio->cerca(testo, AmbitoRicerca{}, 50, nullptr, -1);
        if (r.interrogazione.valida())
            st.SkipWithError("query accepted");
    }
}

void BM_Doppioni(benchmark::State& st) {
    Banco& b = banco();
    qint64 coppie = 0;
    for (auto _ : st) {
        const EsitoDoppioni r = b.servizio->doppioni(std::nullopt, nullptr);
        coppie = r.coppie.size();
    }
    st.counters["coppie"] = static_cast<double>(coppie);
}

} // namespace

BENCHMARK(BM_IndicizzaArchivio)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_AggiornaDocumento)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Controllo40Invariati)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DueParole, responsabilita_medica, "responsabilità medica")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DueParole, appalti_pubblici, "appalti pubblici")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DueParole, crisi_impresa, "crisi impresa")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
// A broad pair of the subject: two documents in three have both words.
BENCHMARK_CAPTURE(BM_DueParole, diritto_civile, "diritto civile")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
// The broadest: two words of every sentence, in nearly every document.
BENCHMARK_CAPTURE(BM_DueParole, del_la, "del la")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DueParole, schrems_cassazione, "Schrems Cassazione")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Campo, autore, "autore:rossi")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Campo, titolo_frase, "titolo:\"danno non patrimoniale\"")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Campo, fonte, "fonte:\"art. 2043\"")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Campo, anno_e_classe, "anno:2020 classe:diritto")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_RigaDiComando, responsabilita_medica, "responsabilità medica")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_RigaDiComando, schrems_cassazione, "Schrems Cassazione")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ElencoCompleto, contratt_prefisso, "contratt*")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ElencoCompleto, titolo_trust, "titolo:trust")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Limite50, c_prefisso, "c*")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Limite50, co_prefisso, "co*")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Limite50, crisi_impresa, "crisi impresa")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_QueryMassima, parole_64_OR, 0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_QueryMassima, NOT_63, 1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_QueryMassima, frase_64_parole, 2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_QueryRifiutata, parole_1000, 0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_QueryRifiutata, frase_12000_parole, 1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Doppioni)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
