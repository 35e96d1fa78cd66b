#pragma once

// The centre's Jet (.mdb) files brought in: a delivery archive becomes mdb/NAME.db, the centre's
// masterOnline.mdb replaces the template and its "Catalogo norme.mdb" the norms catalogue. Every
// table of the schema found in the file is copied, names matched without regard to case; what does
// not fit is listed in the summary, never dropped silently. A new file appears under its name only
// when whole and checked.

#include "import/JetSource.h"
#include "store/AppState.h"
#include "store/FileLookup.h" // NomeArchivioValido

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// How an import opens a Jet file: with libmdb (JetFile), unless a test or a benchmark has put
// another opener in place for the time of a scope (FonteJetSostituita).
using ApriFonteJet = std::function<std::unique_ptr<JetSource>(const QString&)>;
// The file is read by a reader process (JetProcesso): its waits keep the progress, when given, alive.
std::unique_ptr<JetSource> ApriFileJet(const QString& path, Progress* progress = nullptr);

class FonteJetSostituita {
public:
    explicit FonteJetSostituita(ApriFonteJet apri);
    ~FonteJetSostituita();
    FonteJetSostituita(const FonteJetSostituita&) = delete;
    FonteJetSostituita& operator=(const FonteJetSostituita&) = delete;

private:
    ApriFonteJet precedente_;
};

// Tests see each step of a replacement of the template or the catalogue ("copia preparata",
// "copia conservata", "nuovo file al suo posto"), to stop it there as a kill would.
class PassiSostituzioneOsservati {
public:
    explicit PassiSostituzioneOsservati(std::function<void(const QString&)> osservatore);
    ~PassiSostituzioneOsservati();
    PassiSostituzioneOsservati(const PassiSostituzioneOsservati&) = delete;
    PassiSostituzioneOsservati& operator=(const PassiSostituzioneOsservati&) = delete;

private:
    std::function<void(const QString&)> precedente_;
};

enum class TipoImportazione { Archivio, Modello, Catalogo };

struct EsitoImportazione {
    // Why nothing was made.
    enum class Rifiuto {
        Nessuno,
        NomeNonValido,
        NomeEsistente,
        NonAccess,       // not a Jet database at all
        NonArchivio,     // a Jet database, but not a file of the kind asked for
        FileDanneggiato, // missing, unreadable, truncated or damaged
        Errore           // the new file could not be made
    };

    TipoImportazione tipo = TipoImportazione::Archivio;
    bool riuscita = false;
    Rifiuto rifiuto = Rifiuto::Nessuno;
    QString origine; // the .mdb file
    int versioneJet = 0;
    QString nome;         // the name the new file has (NAME of mdb/NAME.db, "masterOnline", ...)
    QString destinazione; // the file made, or that was to be made
    // Why nothing was made: what happened and what to do, the engine's text on a line of its own.
    QString messaggio;

    QList<QPair<QString, qint64>> righe; // rows of every table of the new file, in schema order
    QStringList dalModello;              // tables left as the template (or our catalogue) has them
    QStringList anomalie;                // everything that did not fit, one line each
    qint64 collegamentiMancanti = 0;     // links to rows that do not exist (kept)
    QString copiaPrecedente;             // the replaced template or catalogue, kept as <name>.bak
    QString fileRiepilogo;               // dump/import <NAME>.txt
    QString riepilogoNonScritto;         // why that file could not be written

    // The summary: what was imported, rows per table, every anomaly.
    QStringList riepilogo() const;
};

// The name proposed for the archive made from a file: its name without ".mdb", in upper case.
QString NomeProposto(const QString& mdbPath);

// A Jet file opened and found of the kind asked for, before any question to the operator (the name
// of the new archive, "Continuare?"); the import then reads it from `fonte`. When it is not, or it
// cannot be read, `fonte` is null and `esito` says why.
struct FileDaImportare {
    std::unique_ptr<JetSource> fonte;
    EsitoImportazione esito;
};
FileDaImportare ApriDaImportare(const QString& mdbPath, TipoImportazione tipo, Progress* progress = nullptr);

// A delivery archive: refused (nothing made) when the source is not a Quillaro archive (no
// tabDocumento or tabInfo, or no delivery information), when the name is not valid or already taken,
// or when the file cannot be read whole. The progress, when given, follows the rows copied.
EsitoImportazione ImportaArchivio(AppState& state, JetSource& source, const QString& nome,
                                  Progress* progress = nullptr);
EsitoImportazione ImportaArchivio(AppState& state, const QString& mdbPath, const QString& nome,
                                  Progress* progress = nullptr);

// The template: its lookup tables replace ours in mdb/masterOnline.db (the old file kept as
// masterOnline.db.bak); new deliveries then carry the centre's data. Refused when the file lacks
// the journals, the classification scheme, the courts or the treaties.
EsitoImportazione ImportaModello(AppState& state, JetSource& source, Progress* progress = nullptr);
EsitoImportazione ImportaModello(AppState& state, const QString& mdbPath, Progress* progress = nullptr);

// The norms catalogue: tabCatalogo replaces mdb/Catalogo norme.db (the old file kept as
// "Catalogo norme.db.bak"), promulgation dates as YYYY-MM-DD. Refused without tabCatalogo.
EsitoImportazione ImportaCatalogo(AppState& state, JetSource& source, Progress* progress = nullptr);
EsitoImportazione ImportaCatalogo(AppState& state, const QString& mdbPath, Progress* progress = nullptr);

// One .mdb file of a folder import.
struct VoceCartella {
    enum class Esito { Importato, NonArchivio, Esistente, Errore };
    QString file;
    QString nome;
    Esito esito = Esito::Errore;
    QString motivo; // why it was skipped or failed
    EsitoImportazione dettaglio;

    // "CONS1.mdb -> CONS1: importato (1234 righe, 2 anomalie)"
    QString riga() const;
};

struct EsitoCartella {
    QString cartella;
    QString messaggio; // the folder could not be read
    QList<VoceCartella> voci;

    int conta(VoceCartella::Esito esito) const;
    // True when nothing failed: every delivery archive was imported or already there.
    bool completo() const { return messaggio.isEmpty() && conta(VoceCartella::Esito::Errore) == 0; }
    QStringList riepilogo() const;
    // The closing lines: how many were imported, skipped, failed.
    QStringList totali() const;
    // Where the summaries of the archives imported are (empty when none was).
    QString dove() const;
};

// Every .mdb file of a folder that is a delivery archive, each under its proposed name; those that
// are not, and those whose name already exists, are skipped and listed. `dopoOgni` is called after
// each file (position from 1, count).
EsitoCartella ImportaCartella(AppState& state, const QString& cartella, Progress* progress = nullptr,
                              const std::function<void(const VoceCartella&, int, int)>& dopoOgni = {});

// The conversion of one Jet value to the type of a column of ours; `errore` says why it did not
// convert (the value is then Null).
enum class TipoColonna { Intero, Testo, Altro };
struct ValoreConvertito {
    QVariant valore;
    QString errore;
};
// `soloData`: a date becomes "YYYY-MM-DD" without its time (dates of our text columns).
ValoreConvertito ConvertiValore(const QVariant& valore, TipoColonna tipo, bool soloData = false);
