#pragma once

// What the operator reads when the archive engine refuses an operation: what did not happen, what it
// means and what to do, in Italian; the engine's own text follows on a line of its own for the
// support staff.

#include "store/cConnessione.h"

#include <QString>

// One sentence for an engine error number (SQLite result codes, primary or extended): what it means
// and what to do. Numbers of our own whose description is already Italian give an empty text.
QString SpiegazioneErroreDb(int number);

// The whole message: `cosa` (what failed, e.g. "Il documento 12 non è stato salvato."), the
// explanation, then "Dettaglio tecnico: <engine text> (errore N)".
QString MessaggioErroreDb(const QString& cosa, int number, const QString& description);
QString MessaggioErroreDb(const QString& cosa, const DbError& e);
