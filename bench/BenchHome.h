#pragma once

// The home folder of a benchmark and its generated archives. QUILLARO_BENCH_HOME=DIR keeps them
// between runs (in DIR, or in the folder named under it); otherwise a temporary folder is used.
// Boxes are answered by a script and forgotten.

#include "generator/Generatore.h"
#include "store/Archivio.h"
#include "ui/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

class BenchHome {
public:
    explicit BenchHome(const QString& cartella = {}) {
        QString root = qEnvironmentVariable("QUILLARO_BENCH_HOME");
        if (root.isEmpty()) {
            tmp_ = std::make_unique<QTemporaryDir>();
            root = tmp_->path();
        }
        home_ = HomeFolder(cartella.isEmpty() ? root : QDir(root).filePath(cartella));
        home_.ensureLayout();
        state_ = std::make_unique<AppState>(home_, dialogs_);
    }
    ~BenchHome() {
        ChiudiCatalogo(*state_);
        ChiudiArchivio(*state_);
    }

    HomeFolder& home() { return home_; }
    AppState& state() { return *state_; }
    ScriptedDialogs& dialogs() { return dialogs_; }

    // mdb/GEN<n>.db, generated once (seed 1) and kept.
    QString archivio(qint64 documenti) {
        const QString path = home_.mdbPath(QStringLiteral("GEN%1.db").arg(documenti));
        if (!QFileInfo::exists(path))
            GeneraArchivio(*state_, path, OpzioniGeneratore{documenti, 1});
        return path;
    }

    // The archive of n documents, open on the state's connection.
    AppState& aperto(qint64 documenti) {
        const QString path = archivio(documenti);
        if (!state_->ArchivioAperto || state_->NomeArchivio != path) {
            ChiudiArchivio(*state_);
            if (!ApriArchivio(*state_, path))
                throw std::runtime_error("archive not opened");
        }
        return *state_;
    }

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    HomeFolder home_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<AppState> state_;
};
