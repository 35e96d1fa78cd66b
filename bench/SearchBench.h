#pragma once

// The home of the search benchmarks: 40 generated archives of 30 000 documents (seeds 1 to 40) in
// QUILLARO_BENCH_HOME/ricerca (a temporary folder without it), and their search index.

#include "documents/Generatore.h"
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

constexpr int kArchivi = 40;
constexpr qint64 kDocumenti = 30000;

struct Banco {
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
        home = HomeFolder(QDir(root).filePath(QStringLiteral("ricerca")));
        home.ensureLayout();
        state = std::make_unique<AppState>(home, dialogs);
        // QUILLARO_BENCH_ARCHIVI=N works on fewer archives (trials); the measures are on 40.
        const int quanti = qEnvironmentVariableIntValue("QUILLARO_BENCH_ARCHIVI") > 0
                               ? qEnvironmentVariableIntValue("QUILLARO_BENCH_ARCHIVI")
                               : kArchivi;
        for (int i = 1; i <= quanti; ++i) {
            const QString path = home.mdbPath(QStringLiteral("RIC%1.db").arg(i, 2, 10, QLatin1Char('0')));
            if (!QFileInfo::exists(path)) {
                std::fprintf(stderr, "generating %s\n", qPrintable(path));
                GeneraArchivio(*state, path, OpzioniGeneratore{kDocumenti, static_cast<quint32>(i)});
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
