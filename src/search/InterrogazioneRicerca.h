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
// syntax error; a word made of signs alone is left out. A field name that is not one of the
// above ("autori:rossi") is refused, naming the fields. What the engine could not take is refused
// before it gets there: more than kMassimoCaratteri characters, more than kMassimoParole words, or
// groups and fields nested deeper than kMassimaProfondita.

#include <QList>
#include <QString>
#include <QStringList>

inline constexpr int kMassimoCaratteri = 2000;
inline constexpr int kMassimoParole = 64;
inline constexpr int kMassimaProfondita = 8;

// A word or phrase of the query as the excerpts look for it.
struct FraseRicerca {
    QString campo; // empty: any field
    QString testo; // the words as typed
    bool prefisso = false;
    bool negata = false; // after NOT: what the document must not hold, never marked
};

struct Interrogazione {
    QString espressione;         // for the engine; empty when the text is refused
    QStringList frasi;           // each phrase of it with its field, as an expression of its own, in order
    QList<FraseRicerca> termini; // the same phrases, for the excerpts
    bool soloParole = false;     // words and phrases that must all be there, in any field
    QString errore;              // why it was refused, in words for the operator
    bool valida() const { return errore.isEmpty(); }
};

Interrogazione InterpretaRicerca(const QString& testo);

// For a query of words and phrases only (soloParole): the same documents restricted to those with
// every word in the title, read from the titles' own tokens. Its first phrases are the titles' ones
// (as many as the query's termini), then the query's own.
QString EspressioneNeiTitoli(const Interrogazione& interrogazione);
// Each of its words or phrases in the title alone, as an expression of its own.
QStringList FrasiNeiTitoli(const Interrogazione& interrogazione);

// The field names the box accepts before ":".
const QStringList& CampiRicerca();
