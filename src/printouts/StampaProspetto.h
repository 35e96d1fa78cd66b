#pragma once

// The summary of a delivery by journal issue ("prospetto"): an HTML table of the documents per
// abstract type and the lists of the documents with an English abstract and with "In tema di",
// written into dump/prospetto <Consegna>.html. Every archive text is HTML-escaped.

#include "printouts/EsitoStampa.h"
#include "store/AppState.h"

// The documents of one issue with one abstract type; with an empty issue number, those of every
// issue of the journal in that year. Throws DbError.
qint64 ContaTAbs(cConnessione& db, const QString& IDRivistaOnline, const QString& Fascicolo,
                 const QString& Anno, const QString& TAbs);

QString FileProspetto(const AppState& state);

// Shows "Fine stampa prospetto" when written; a failure is returned for the caller to report.
EsitoStampa StampaProspetto(AppState& state);
