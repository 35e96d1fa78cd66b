#pragma once

// The two text extractions of a delivery: the lookup entries the operators added while entering
// sources ("nuovi") and the compiler notes to the cataloguing staff ("note").

#include "store/AppState.h"
#include "store/TextOutput.h"

// The new-entries report: six sections (states, cities, court sections, ministries,
// administrations, authorities), each a heading, its entries with the document that uses them
// and an empty line. Single-archive mode: dump/nuovi.<Consegna>; update mode: appended to
// state.FileScelto after "Consegna " + Consegna. Shows "Fine estrazione nuovi ai documenti
// (consegna <n>)". Throws when the file cannot be written; the database errors of a section are
// written into the file instead. Returns the file written.
QString EstraiNuovi(AppState& state);

// One section body: "Nuovo: <value> (<IDDoc>)" per row of the query, or "Nessuna novità in " +
// tabella; any database error ends the section with the line "Impossibilità di risultato a causa
// della struttura non aggiornata della tabella".
void NuoviInserimenti(AppState& state, const QString& tabella, const QString& query, TextOutput& file);

// The compiler-notes report: for every document in IDDocumento order, numbered from NumInizio,
// the identifier line "<AnnoProduzione><IDCentroSpoglio><nnnn> (Record: <IDDocumento>)" and the
// note's lines, for the documents that have one. Single-archive mode: dump/note.<Consegna>;
// update mode: a section of state.FileScelto closed by an empty line. Shows "Fine estrazione note
// ai documenti (consegna <n>)". Throws DbError or std::runtime_error on failure; the file then
// stays as it was. Returns the file written.
QString EstraiNote(AppState& state);
