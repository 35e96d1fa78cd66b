// The spelling check of a summary of 2 500 characters: how long until the first finding is shown,
// with the dictionary read in the same run (the first check of a session without the preload) and
// with the dictionary already read (frmTesti starts reading it when it opens); the reading alone;
// the suggestions of the dictionary; the whole summary; the grammar rules.

#include "store/HomeFolder.h"
#include "ui/GrammarChecker.h"
#include "ui/HunspellChecker.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A summary as the journals publish them, with two slips in its second half.
QString summary() {
    QString text = QStringLiteral(
        "Il ricorrente impugna la sentenza con cui la Corte d'appello ha respinto la domanda di risarcimento "
        "del danno proposta nei confronti dell'amministrazione comunale, ritenendo che l'art. 2043 c.c. non "
        "potesse trovare applicazione in assenza della prova del nesso di causalità tra la condotta omissiva "
        "dell'ente e l'evento lesivo. La Corte di cassazione, richiamato il consolidato orientamento delle "
        "Sezioni unite, osserva che la responsabilità della pubblica amministrazione per la custodia dei "
        "beni "
        "demaniali rientra nell'ambito dell'art. 2051 c.c. e che il custode, per liberarsi, deve provare il "
        "caso fortuito, cioè un fattore esterno dotato di imprevedibilità e di assoluta eccezionalità. Nella "
        "specie, il giudice di merito ha errato nel porre a carico del danneggiato la prova della colpa "
        "dell'ente, così invertendo l'onere probatorio previsto dalla legge, e non ha considerato che la "
        "condotta della vittima, pur imprudente, non era tale da interrompere il nesso causale. Né rileva, "
        "secondo la Corte, la circostanza che l'insidia fosse visibile, poiché la visibilità del pericolo "
        "può "
        "incidere soltanto sul concorso di colpa del danneggiato ai sensi dell'art. 1227, primo comma, c.c., "
        "senza escludere la responsabilità del custode. La decisione richiama inoltre il d.lgs. n. 267 del "
        "2000 e la disciplina delle funzioni comunali in materia di manutenzione delle strade, ribadendo che "
        "l'estensione della rete viaria non esonera l'ente dagli obblighi di vigilanza, ma può essere "
        "valutata "
        "dal giudice nell'accertamento del caso fortuito. Secondo la giurisprudensa richiamata, la prova "
        "liberatoria non può consistere nella mera dimostrazione dell'adozione delle cautele ordinarie, "
        "occorrendo la prova di un evento che abbia reso impossibile l'intervento tempestivo dell'ente. La "
        "Corte accoglie pertanto il primo e il secondo motivo di ricorso, dichiara assorbiti gli altri, "
        "cassa "
        "la sentenzza impugnata e rinvia, anche per le spese del giudizio di legittimità, alla Corte "
        "d'appello "
        "in diversa composizione, che dovrà attenersi al principio di diritto enunciato, valutando altresì "
        "la "
        "quantificazione del danno non patrimoniale secondo le tabelle in uso presso il tribunale. Sul punto "
        "la "
        "Corte precisa che il giudice del rinvio dovrà tenere conto delle risultanze della consulenza "
        "tecnica "
        "d'ufficio e delle dichiarazioni testimoniali già acquisite nel giudizio di primo grado, senza "
        "necessità "
        "di una nuova istruttoria, e che la liquidazione equitativa resta consentita soltanto quando il "
        "danno, "
        "pur certo nella sua esistenza, non possa essere provato nel suo preciso ammontare.");
    return text;
}

DictionaryFiles italianFiles() {
    static const QTemporaryDir home;
    const auto files =
        findDictionary(SpellSetup::forHome(HomeFolder(home.path())).folders, SpellLanguage::Italian);
    if (!files)
        throw std::runtime_error("it_IT dictionary not installed");
    return *files;
}

void firstFinding(const std::shared_ptr<const HunspellDictionary>& dictionary, const QString& text,
                  benchmark::State& state, bool suggestions) {
    HunspellChecker checker(dictionary, SpellLanguage::Italian, QString());
    const auto word = checker.nextMisspelled(text, 0);
    if (!word || word->word != QStringLiteral("giurisprudensa"))
        state.SkipWithError("unexpected first finding");
    if (suggestions)
        benchmark::DoNotOptimize(checker.suggest(word->word));
}

// The Italian dictionary read from its files.
void BM_LoadItalian(benchmark::State& state) {
    const DictionaryFiles files = italianFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::make_shared<HunspellDictionary>(files));
}
BENCHMARK(BM_LoadItalian)->Unit(benchmark::kMillisecond)->UseRealTime();

// First check of a session without the preload: read the dictionary, find the first word, suggest.
void BM_FirstFindingCold(benchmark::State& state) {
    const DictionaryFiles files = italianFiles();
    const QString text = summary();
    state.counters["chars"] = double(text.size()); // about 2 500
    for (auto _ : state)
        firstFinding(std::make_shared<HunspellDictionary>(files), text, state, true);
}
BENCHMARK(BM_FirstFindingCold)->Unit(benchmark::kMillisecond)->UseRealTime();

// The dictionary already read: the first finding with its suggestions.
void BM_FirstFindingWarm(benchmark::State& state) {
    const auto dictionary = std::make_shared<HunspellDictionary>(italianFiles());
    const QString text = summary();
    for (auto _ : state)
        firstFinding(dictionary, text, state, true);
}
BENCHMARK(BM_FirstFindingWarm)->Unit(benchmark::kMillisecond)->UseRealTime();

// The dictionary already read: the first finding drawn, before its suggestions are asked for.
void BM_FirstFindingShown(benchmark::State& state) {
    const auto dictionary = std::make_shared<HunspellDictionary>(italianFiles());
    const QString text = summary();
    for (auto _ : state)
        firstFinding(dictionary, text, state, false);
}
BENCHMARK(BM_FirstFindingShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// Suggestions for a misspelled word, over common slips.
void BM_Suggest(benchmark::State& state) {
    const auto dictionary = std::make_shared<HunspellDictionary>(italianFiles());
    const QStringList slips = {"sentenzza",  "giurisprudensa", "ammministrazione", "contrato",
                               "leggge",     "articollo",      "Cassazzione",      "sentnza",
                               "ordinamnto", "responsabilitá"};
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(dictionary->suggest(slips[i++ % slips.size()]));
}
BENCHMARK(BM_Suggest)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every word of the summary, with a fresh checker.
void BM_WholeSummarySpelling(benchmark::State& state) {
    const auto dictionary = std::make_shared<HunspellDictionary>(italianFiles());
    const QString text = summary();
    for (auto _ : state) {
        HunspellChecker checker(dictionary, SpellLanguage::Italian, QString());
        if (checker.check(text).size() != 2)
            state.SkipWithError("expected two misspelled words");
    }
}
BENCHMARK(BM_WholeSummarySpelling)->Unit(benchmark::kMillisecond)->UseRealTime();

// The grammar rules over the summary.
void BM_WholeSummaryGrammar(benchmark::State& state) {
    const QString text = summary();
    const GrammarChecker grammar;
    for (auto _ : state)
        benchmark::DoNotOptimize(grammar.check(text));
}
BENCHMARK(BM_WholeSummaryGrammar)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
