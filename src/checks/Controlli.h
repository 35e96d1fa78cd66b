#pragma once

// The check run: every document of the open archive against the cataloguing rules 1 to 14, into
// three error lists (general, classification pairs, domestic sources), and the reading of those
// lists for the viewer.

#include "checks/RilieviDocumento.h"
#include "store/AppState.h"

#include <functional>

// The three error files of a run.
struct FileErrori {
    QString generali; // errori.
    QString classe;   // errclasse.
    QString fonti;    // errfonte.
};

// Single-archive mode: dump/errori.<Consegna>, dump/errclasse.<Consegna>, dump/errfonte.<Consegna>.
// Update mode: state.FileScelto and the two files whose names put "errclasse." and "errfonte."
// in place of its leading "errori." (compared without regard to case). Throws std::runtime_error
// when the update path does not name an "errori." file, since the three lists would then collide.
FileErrori PercorsiErrori(const AppState& state);
// The single-archive lists of a delivery in the home's dump/.
FileErrori PercorsiErroriConsegna(const HomeFolder& home, const QString& consegna);

// Runs the checks over the open archive in one pass, in IDDocumento order: each document's findings
// (ControllaDocumento) go to their list as they are found. Records the run in
// tabInfo (Storico), uses the norms catalogue (opened here when it is not open yet and then closed
// again), writes the three lists and shows "Fine controllo: " + Consegna.
// Throws DbError or std::runtime_error when a statement is refused or a file cannot be written;
// the three files then stay as they were before the run (in update mode: without this archive's
// section) and a catalogue opened by the run is closed. Menus call it
// through SegnalaErrori; the update batch calls it directly and reports the failure itself.
// Returns the three files.
FileErrori EseguiControlli(AppState& state);

// The viewer of one list: re-reads tabInfo, records the viewing (code "7", "8" or "9"), reads
// dump/ + nomeFile + Consegna. An error-free list (just an empty line) gives "Non ci sono errori!";
// a missing file tells the operator to run the checks first; otherwise `finestra` receives the
// title, two line breaks and the list, each line ended by CR LF.
void MostraErrori(AppState& state, const QString& code, const QString& nomeFile, const QString& title,
                  const std::function<void(const QString&)>& finestra);
