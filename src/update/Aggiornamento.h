#pragma once

// The update mode: one run over every archive named in an abbreviation file, each archive opened
// in turn on the main connection, all results in one output file per kind.

#include "store/AppState.h"
#include "store/TextOutput.h"

#include <functional>

enum class TipoAggiornamento { Controlli, NoteCompilatore, Nuovi, Celex, Hudoc, Conteggio, Nir };

// dump/conteggio.X, dump/errori.X, dump/note.X, dump/nuovi.X, dump/StampaHTML X.htm,
// dump/StampaHTML_GEI X.htm, dump/StampaHTML_NIR X.htm, X being the update's abbreviation.
QString PercorsoAggiornamento(const HomeFolder& home, TipoAggiornamento tipo, const QString& sigla);

// The single-archive run a batch performs on each archive; it sees the update mode in the state.
using RunArchivio = std::function<void(AppState&)>;
RunArchivio RunAggiornamento(TipoAggiornamento tipo);

// The archive file an abbreviation names: mdb/<sigla>.db, found without regard to case.
QString ArchivioDellaSigla(const HomeFolder& home, const QString& sigla);

struct EsitoAggiornamento {
    bool completato = false; // false when an error ended the batch
    int consegne = 0;        // archives that opened
    QStringList saltate;     // abbreviations whose archive could not be opened, passed over
    QStringList rifiutate;   // lines that name no archive of mdb/ (a path, "..", control characters)
    QStringList inUso;       // "L'archivio X è aperto anche da ...": archives another program had open
    qint64 documenti = 0;    // documents counted (count run)
    QString percorso;        // the output file
    bool scritto = false;    // false when no archive was run: the output file was not written
    QString errore;          // "<number> --> <description>" of the error that ended it
};

// Runs the batch over the archives of the abbreviation file (taken by value: callers pass the
// shared chosen-file path, which the batch then turns into its output path). Blank lines are
// skipped; a line that is not an archive's name (SiglaValida) is refused and named at the end. The archive
// open before, if any, is open again afterwards. `archivio` is told each archive's abbreviation as it is
// opened (the main window shows it in its caption). The closing messages of the runs are gathered and shown
// in one box at the end; an error shows "<number> --> <description>" and ends the batch.
EsitoAggiornamento EseguiAggiornamento(AppState& state, TipoAggiornamento tipo, QString fileSigle,
                                       const std::function<void(const QString&)>& archivio = {});
// The same with the per-archive run given (tests).
EsitoAggiornamento EseguiAggiornamento(AppState& state, TipoAggiornamento tipo, QString fileSigle,
                                       const RunArchivio& run,
                                       const std::function<void(const QString&)>& archivio);

// The lines the operator reads about what the batch passed over, names shown with their control
// characters escaped, the first 50 and then how many more; empty when there is nothing to say.
QString MessaggioSaltate(const EsitoAggiornamento& esito);
QString MessaggioRifiutate(const EsitoAggiornamento& esito);
// The line of a batch that ran no archive (an empty abbreviation file, or none that opened), whose
// output file therefore was not written; empty otherwise.
QString MessaggioNessunFile(const EsitoAggiornamento& esito);
// What the batch read of archives another program had open may lack that program's latest work.
QString MessaggioInUso(const EsitoAggiornamento& esito);

// Writes the count line of the open archive and returns its number of documents.
qint64 ConteggioDocumenti(AppState& state, TextOutput& file);
