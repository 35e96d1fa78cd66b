#pragma once

#include "store/AppState.h"

// Records in the archive's tabInfo row that an operation was run: code "1" Storico (checks),
// "2" CELEX, "3" StampaCompleta, "4" StampaSoloTesto, "5" StampaConsistenze, "6" StampaProspetto,
// "7" VisualizzaErroriGenerici, "8" VisualizzaErroriClasse, "9" VisualizzaErroriFonti.
// Every error is ignored, and a code outside "1".."9" changes nothing.
void AggiornaInfo(AppState& state, const QString& code);
