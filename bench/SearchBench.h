#pragma once

// The home of the search benchmarks and its search index, in QUILLARO_BENCH_HOME (a temporary
// folder without it): 40 generated archives of 30 000 documents (1 200 000) in ricerca/, or, with
// QUILLARO_BENCH_RICERCA=63000, 21 archives of 3 000 (63 000) in ricerca-63000/. Their seeds lie
// far apart, so that no archive replays another.

#include "generator/Generatore.h"
#include "search/ServizioRicerca.h"
#include "store/Archivio.h"
#include "ui/ScriptedDialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <memory>

// Processor time of the whole process (both readers of a broad search), in milliseconds: on a
// machine shared with other work the wall time says more about the others than about the search.
inline double msProcesso() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The size of the home the benchmarks run on.
struct Dimensione {
    int archivi = 40;
    qint64 documenti = 30000; // in each archive
    QString cartella = QStringLiteral("ricerca");
};

inline Dimensione dimensioneBanco() {
    if (qEnvironmentVariableIntValue("QUILLARO_BENCH_RICERCA") == 63000)
        return {21, 3000, QStringLiteral("ricerca-63000")};
    return {};
}

inline quint32 semeArchivio(int i) {
    return static_cast<quint32>(i) * 100000007u;
}

struct Banco {
    Dimensione dimensione = dimensioneBanco();
    std::unique_ptr<QTemporaryDir> tmp;
    HomeFolder home;
    ScriptedDialogs dialogs;
    std::unique_ptr<AppState> state;
    QStringList archivi;
    ServizioRicerca* servizio = nullptr;

    Banco() {
        QString root = qEnvironmentVariable("QUILLARO_BENCH_HOME");
        if (root.isEmpty()) {
            tmp = std::make_unique<QTemporaryDir>();
            root = tmp->path();
        }
        home = HomeFolder(QDir(root).filePath(dimensione.cartella));
        home.ensureLayout();
        state = std::make_unique<AppState>(home, dialogs);
        // QUILLARO_BENCH_ARCHIVI=N works on fewer archives (trials); the measures are on all.
        const int quanti = qEnvironmentVariableIntValue("QUILLARO_BENCH_ARCHIVI") > 0
                               ? qEnvironmentVariableIntValue("QUILLARO_BENCH_ARCHIVI")
                               : dimensione.archivi;
        for (int i = 1; i <= quanti; ++i) {
            const QString path = home.mdbPath(QStringLiteral("RIC%1.db").arg(i, 2, 10, QLatin1Char('0')));
            if (!QFileInfo::exists(path)) {
                std::fprintf(stderr, "generating %s\n", qPrintable(path));
                GeneraArchivio(*state, path, OpzioniGeneratore{dimensione.documenti, semeArchivio(i)});
            }
            archivi << path;
        }
        servizio = &ServizioRicerca::di(*state);
        QElapsedTimer t;
        t.start();
        const PreparazioneRicerca p = servizio->prepara(AmbitoRicerca{}, nullptr);
        qint64 letti = 0;
        for (const VoceAggiornamento& v : p.voci)
            letti += v.esito == VoceAggiornamento::Esito::Indicizzato ? 1 : 0;
        if (letti > 0)
            std::fprintf(stderr, "indexed %lld archives in %.1f s\n", static_cast<long long>(letti),
                         static_cast<double>(t.elapsed()) / 1000.0);
        std::fprintf(stderr, "index: %lld documents, %.0f MB\n",
                     static_cast<long long>(servizio->indice().db().scalar("select count(*) from documenti")),
                     static_cast<double>(QFileInfo(servizio->indice().percorso()).size()) / 1048576.0);
    }
    ~Banco() { ChiudiArchivio(*state); }
};
