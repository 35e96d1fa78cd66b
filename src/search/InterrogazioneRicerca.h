#pragma once

// What the operator types in the search box, turned into the full-text engine's own expression.
//
//   contratto appalto            both words, anywhere (the words' forms: "contratti" finds "contratto")
//   "buona fede"                 the words one after the other
//   contratt*                    words that begin so
//   titolo:contratto             in one field: titolo autore fonte testo rivista anno classe archivio
//   titolo:(appalto OR mandato)  a field over a group
//   appalto OR mandato, contratto NOT preliminare, parentheses
//
// Words are always quoted for the engine, so signs in them ("art. 2043 c.c.") never make a
// syntax error; a word made of signs alone is left out.

#include <QString>
#include <QStringList>

struct Interrogazione {
    QString espressione; // for the engine; empty when the text is refused
    QStringList frasi;   // each phrase of it with its field, as an expression of its own, in order
    QString errore;      // why it was refused, in words for the operator
    bool valida() const { return errore.isEmpty(); }
};

Interrogazione InterpretaRicerca(const QString& testo);

// The field names the box accepts before ":".
const QStringList& CampiRicerca();
