#pragma once

#include "store/AppState.h"

// Records in the archive's tabInfo row that an operation was run: code "1" Storico (checks),
// "2" CELEX, "3" StampaCompleta, "4" StampaSoloTesto, "5" StampaConsistenze, "6" StampaProspetto,
// "7" VisualizzaErroriGenerici, "8" VisualizzaErroriClasse, "9" VisualizzaErroriFonti.
// A code outside "1".."9" changes nothing. A refused update (a read-only archive) never stops the
// operation: it answers false and leaves the reason in state.infoNotRecorded, for the command line
// to report once the operation's files are written.
bool AggiornaInfo(AppState& state, const QString& code);

// The tabInfo column that code "1".."9" sets; an empty string for any other code.
QString ColonnaInfo(const QString& code);
