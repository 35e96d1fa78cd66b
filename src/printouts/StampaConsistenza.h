#pragma once

// The consistency report of a delivery ("consistenza"): the document count of every journal issue
// and the delivery's first and last document numbers, written into dump/consistenza.<Consegna>.

#include "printouts/EsitoStampa.h"
#include "store/AppState.h"

// The documents of one issue; a Fascicolo of "<Null>" stands for the issue without number.
// Throws DbError.
qint64 ContaDocumentiFascicolo(cConnessione& db, const QString& Fascicolo, const QString& Anno,
                               const QString& IDRivistaOnline);

QString FileConsistenza(const AppState& state);

// One line of the report: the count right-aligned in seven characters, "###", journal, year,
// periodicity and issue.
QString RigaConsistenza(qint64 n, const QString& IDRivistaOnline, const QString& Anno,
                        const QString& IDPeriodicita, const QString& fascicolo);

// Shows "TotTAbs: ..." and "Fine stampa consistenza" when written; a failure is returned for the
// caller to report.
EsitoStampa StampaConsistenza(AppState& state);
