#pragma once

// How the search index reads text. A word is a run of letters and digits: an apostrophe, a dot, a
// blank or any other sign ends it ("l'abuso" is "l" and "abuso", "c.c." is "c" and "c"). Words are
// folded to lower case without accents ("Perché" -> "perche") and words of letters are reduced to
// their Italian stem ("contratti" -> "contratt"). Beside each stem the index keeps the folded word
// itself, so that a prefix ("responsabilit*") finds "responsabilità" although its stem is shorter.

#include <QString>
#include <QStringList>
#include <QStringView>

struct sqlite3;
struct fts5_api;

// The name under which the tokenizer is known to the index's full-text table.
inline constexpr const char* kNomeTokenizzatore = "quillaro";

// The full-text engine's interface on a connection; null when the engine lacks it.
fts5_api* ApiFts5(sqlite3* db);

// Registers the tokenizer on a connection: the index's own (the archives never need it). Throws
// DbError when the engine refuses it.
void RegistraTokenizzatore(sqlite3* db);

enum class UsoToken {
    Documento,      // what the index stores: stems and, where they differ, the folded words
    Interrogazione, // a word of a query: its stem
    Prefisso        // the word before "*": folded, not stemmed
};

// The tokens of a text as the index stores them or as a query looks for them.
QStringList TokenTesto(QStringView testo, UsoToken uso);

// True when the text holds at least one word (a query term of signs alone finds nothing).
bool HaParole(QStringView testo);

// The words of a text folded (lower case, no accents), joined by single blanks.
QString TestoPiegato(QStringView testo);

// A title with case, accents, punctuation and blanks folded away: two titles that differ only in
// those have the same key.
QString ChiaveTitolo(QStringView titolo);
