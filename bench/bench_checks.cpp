// The whole-archive runs of the checks over generated archives of 3 000 and 30 000 documents:
// the check run, compiler notes, new entries, CELEX and HUDOC pages.
//
// QUILLARO_BENCH_HOME=DIR keeps the home folder (and its GEN3000/GEN30000 archives) for reuse
// and for measuring the command line; otherwise a temporary one is used.

#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"
#include "store/AppState.h"
#include "store/Archivio.h"

#if __has_include("documents/Generatore.h")
#include "documents/Generatore.h"
#define QUILLARO_HAS_GENERATOR 1
#else
#include "store/mdlGlobale.h"

#include <QRandomGenerator>
#endif

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

#ifndef QUILLARO_HAS_GENERATOR
// Stand-in until the project's generator is there: documents with texts, persons, pairs and
// sources of the families the checks look into, a share of them wrong.
void GeneraArchivioProvvisorio(AppState& state, const QString& path, qint64 documenti) {
    const QString consegna = QFileInfo(path).completeBaseName();
    const NuovoArchivio made = CreaArchivio(
        state, path,
        InformazioneConsegna{QStringLiteral("3"), QStringLiteral("2026"), consegna, QStringLiteral("1")});
    if (made.esito != EsitoNuovoArchivio::Creato)
        throw std::runtime_error(made.message.toStdString());
    cConnessione db;
    if (!db.ApriConnessione(cConnessione::connectionStringFor(made.path)))
        throw std::runtime_error("archive not opened");
    QRandomGenerator rnd(1);
    Transaction tx(db);
    db.EseguiIstruzione(
        QStringLiteral("insert into tabRifBibl (IDRivistaOnline, Data) values ('CPer', '2026-01-00')"));
    db.EseguiIstruzione(QStringLiteral("insert into tabCitta (Citta, Nuovo) values ('Citta nuova', 1)"));
    const qint64 cittaNuova = db.lastInsertId();
    const auto id = [&](const char* sql) {
        RecordSet rs = db.ApriRS(QString::fromLatin1(sql));
        return rs.eof() ? 0 : rs.field(0).toLongLong();
    };
    const qint64 legge = id("select IDFonteInterna from tabFonteInterna where FonteNorm = 'l.'");
    const qint64 corte = id("select IDFonteInterna from tabFonteInterna where FonteNorm = 'C. Cost.'");
    const qint64 dir = id("select IDFonteCom from tabFonteCom where Settore = '3'");
    const qint64 giust = id("select IDFonteCom from tabFonteCom where Settore = '6'");
    const QString insFonte = QStringLiteral("insert into tabFonte (TP, numero, giorno, mese, anno, altro, "
                                            "testo, IDNomeFonte, IDCitta) values (?, ?, ?, ?, ?, "
                                            "?, ?, ?, ?)");
    std::vector<qint64> fonti;
    for (qint64 i = 0; i < documenti / 2 + 10; ++i) {
        const QString n = QString::number(i % 900 + 1);
        switch (i % 6) {
        case 0:
            db.EseguiIstruzione(insFonte, {QStringLiteral("LIO"), n, QStringLiteral("15"),
                                           QStringLiteral("3"), QStringLiteral("1990"), QString(),
                                           QStringLiteral("l. 15 marzo 1990, n. ") + n, legge, 0});
            break;
        case 1:
            db.EseguiIstruzione(insFonte, {QStringLiteral("GICO"), QString::number(i % 1200),
                                           QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2003"),
                                           QString(), QStringLiteral("C. cost. n. ") + n, corte, 0});
            break;
        case 2:
            db.EseguiIstruzione(insFonte,
                                {QStringLiteral("NIC"), n, QString(), QString(), QStringLiteral("1992"),
                                 QString(), QStringLiteral("dir. ") + n, dir, 0});
            break;
        case 3:
            db.EseguiIstruzione(insFonte, {QStringLiteral("GEC"), QString(), QString(), QString(), QString(),
                                           QStringLiteral("causa C-") + n + QStringLiteral("/90"),
                                           QStringLiteral("C. giust. C-") + n, giust, 0});
            break;
        case 4:
            db.EseguiIstruzione(insFonte,
                                {QStringLiteral("GEI"), QString(), QString(), QString(), QString(),
                                 QStringLiteral("(Rossi e Bianchi c. Italia)"),
                                 QStringLiteral("C. eur. dir. uomo (Rossi e Bianchi c. Italia)"), 2, 0});
            break;
        default:
            db.EseguiIstruzione(insFonte, {QStringLiteral("GIO"), n, QString(), QString(),
                                           QStringLiteral("2001"), QString(), QStringLiteral("Trib. n. ") + n,
                                           0, i % 60 == 5 ? cittaNuova : 0});
        }
        fonti.push_back(db.lastInsertId());
    }
    db.EseguiIstruzione(
        QStringLiteral("insert into tabResponsabilita (PrimoElemento, SecondoElemento) values ('Rossi', "
                       "'Mario')"));
    const qint64 persona = db.lastInsertId();
    const auto testo = [&](qint64 doc, const char* tipo, const QString& t) {
        db.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values (?)"), {t});
        db.EseguiIstruzione(
            QStringLiteral("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (?, ?, ?)"),
            {doc, db.lastInsertId(), QString::fromLatin1(tipo)});
    };
    for (qint64 d = 1; d <= documenti; ++d) {
        const bool errore = rnd.bounded(10) == 0;
        db.EseguiIstruzione(
            QStringLiteral("insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN) "
                           "values (?, 1, ?, '500', 'A', '02', '00')"),
            {d, errore ? QStringLiteral("0") : QStringLiteral("12-15")});
        testo(d, "0", QStringLiteral("Titolo del documento ") + QString::number(d));
        testo(d, "1", QStringLiteral("Riassunto del documento, con qualche riga di testo."));
        testo(d, "7", QStringLiteral("In tema di prova"));
        testo(d, "4", QStringLiteral("Nota"));
        if (d % 7 == 0)
            testo(d, "5", QStringLiteral("Nota del compilatore\nsu due righe"));
        db.EseguiIstruzione(
            QStringLiteral("insert into legameDocResp (IDDoc, IDResponsabilita, FlagAutore) values (?, ?, "
                           "-1)"),
            {d, persona});
        for (int c = 0; c < 2; ++c)
            db.EseguiIstruzione(QStringLiteral("insert into legameDocClass (IDDoc, CodiceS, CodiceD, "
                                               "Controllo) values (?, '100', ?, ?)"),
                                {d, QStringLiteral("D%1").arg(c), errore ? 1 : 0});
        for (int f = 0; f < 3; ++f)
            db.EseguiIstruzione(QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (?, ?)"),
                                {d, fonti[rnd.bounded(static_cast<quint32>(fonti.size()))]});
    }
    tx.commit();
}
#endif

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
#ifdef QUILLARO_HAS_GENERATOR
                OpzioniGeneratore opzioni;
                opzioni.documenti = documenti;
                GeneraArchivio(*state, path, opzioni);
#else
                GeneraArchivioProvvisorio(*state, path, documenti);
#endif
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
