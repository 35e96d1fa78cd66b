#pragma once

// Realistic archives of any size, for benchmarks and trials: documents with several authors,
// classification pairs, sources of every family, all kinds of text and the findings of a real
// delivery at its rates, written through the same save as the document window. The same seed gives
// the same archive, byte for byte; another seed gives other documents.
//
// Beside the archive a record of the generation (RegistroGenerazione) lists what a benchmark needs
// to know and cannot read from the archive: the acts of the State cited with one element wrong
// ("Fonte errata" for the checks) and the documents that are copies of others.

#include "store/AppState.h"
#include "store/Dialogs.h"

#include <QList>
#include <QString>
#include <optional>

struct OpzioniGeneratore {
    qint64 documenti = 100;
    quint32 seme = 1;
    // Per cent of the citations of catalogue acts with one element wrong.
    double sviste = 5.0;
    // Per cent of documents that are copies of another document of this delivery or of the
    // deliveries made with the eight seeds before this one.
    double doppioni = 0.0;
};

// Creates the archive at path from the home's template (an existing file is refused), with its
// tabInfo row (centro "3", anno "2026", consegna = the file's base name, inizio "1"), the documents
// and the record beside it. The acts of the State that the checks look up are drawn from the home's
// norms catalogue. Lookup tables the template leaves empty get a small set of their own. The
// archive appears under its name only when complete, its record just before it. Throws
// std::runtime_error with the reason.
void GeneraArchivio(AppState& state, const QString& path, const OpzioniGeneratore& opzioni,
                    Progress* progress = nullptr);

// One citation of an act of the State with one element wrong.
struct SvistaGenerata {
    qint64 documento = 0;
    QString elemento; // "giorno", "numero" or "atto"
    QString scritta;  // the citation as written, as "Fonte errata: " quotes it
    QString giusta;   // the citation of the catalogue's act
    qint64 idCatalogo = 0;
};

// A document that is a copy of another: of this delivery when the seed is this delivery's.
struct DoppioneGenerato {
    qint64 documento = 0;
    quint32 semeOriginale = 0;
    qint64 documentoOriginale = 0;
};

// The record of a generation: "<archive without .db>.generazione.tsv" beside the archive, UTF-8,
// one item per line, fields separated by tabs (see the README).
struct RegistroGenerazione {
    quint32 seme = 0;
    qint64 documenti = 0;
    double sviste = 0;
    double doppioni = 0;
    qint64 citazioniCatalogo = 0; // citations of catalogue acts that the checks look up
    QList<SvistaGenerata> elencoSviste;
    QList<DoppioneGenerato> elencoDoppioni;
};

QString PercorsoRegistroGenerazione(const QString& archivio);
// The record of a generated archive; nothing when it is missing or unreadable.
std::optional<RegistroGenerazione> LeggiRegistroGenerazione(const QString& archivio);
