#pragma once

// Realistic archives of any size, for benchmarks and trials: documents with several authors,
// classification pairs, sources of every family, all kinds of text and a share of cataloguing
// errors, written through the same save as the document window. The same seed gives the same
// archive.

#include "store/AppState.h"
#include "store/Dialogs.h"

#include <QString>

struct OpzioniGeneratore {
    qint64 documenti = 100;
    quint32 seme = 1;
};

// Creates the archive at path from the home's template (an existing file is refused), with its
// tabInfo row (centro "3", anno "2026", consegna = the file's base name, inizio "1") and the
// documents. Lookup tables the template leaves empty get a small set of their own. The archive
// appears under its name only when complete. Throws std::runtime_error with the reason.
void GeneraArchivio(AppState& state, const QString& path, const OpzioniGeneratore& opzioni,
                    Progress* progress = nullptr);
