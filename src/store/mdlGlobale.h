#pragma once

// Query and text helpers used all over the system.

#include "store/cConnessione.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// The twelve Italian month names, "gennaio" to "dicembre".
const QStringList& NomiMesi();

// Largest value of a counter column; throws DbError when the table is empty (Null maximum).
qint64 MaxID(cConnessione& connection, const QString& table, const QString& column);

// One column of the row whose key column equals the key; throws DbError when the row is missing
// or the value is Null.
QString LeggiColonna(cConnessione& connection, const QString& column, const QString& table,
                     const QString& keyColumn, qint64 key);

// A search condition on one text column, with its values as bound parameters.
struct Condizione {
    QString sql;
    QVariantList params;
};

// exact: "col = ?"; mode "Sequenza esatta": "col like ?" with the whole words; otherwise the words,
// split at every single blank, each as "col like ?" joined by " AND " (or " OR " for "Almeno una"),
// the whole in parentheses. Words match literally: % and _ typed by the operator are not wildcards.
Condizione CondizioneRicerca(const QString& column, const QString& words, bool exact, const QString& mode);

// "gennaio" -> "1" ... "dicembre" -> "12"; anything else "0". Exact comparison.
QString MeseNumero(const QString& name);

// Month name of a number text. A number written with a leading "0" is first replaced, in the
// caller's variable, by its last character ("05" becomes "5"); "1".."12" give the names, anything
// else empty text.
QString MeseNome(QString& number);

// The journals whose code is 9000 or more give an article's number of pages where the others give
// its page range.
bool RivistaConNumeroPagine(const QString& IDRivistaOnline);
