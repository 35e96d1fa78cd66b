#pragma once

// How the search index reads text. A word is a run of letters and digits: an apostrophe, a dot, a
// blank or any other sign ends it ("l'abuso" is "l" and "abuso", "c.c." is "c" and "c"). Words are
// folded to their compatibility letters (the ligature "ﬁ" is "fi", "ß" is "ss", "Æ" is "ae", as
// text pasted from a PDF has them), to lower case and without accents ("Perché" -> "perche"). The
// index stores each folded word once; a word of letters in a query is reduced to its Italian stem
// ("contratti" -> "contratt") and finds every word with that stem (Vocabolario.h), and a prefix
// ("responsabilit*") finds the words that begin so ("responsabilità", whose stem is shorter).

#include "search/Vocabolario.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct fts5_api;

// Between two entries of one field (two authors, a title and its translation): the index leaves a
// position free there, so that a phrase never runs from one entry into the next. A private-use
// character, never in the texts; whoever shows an indexed text removes it.
inline constexpr char16_t kConfineVoci = 0xE002;

// At the start of a title (as the index stores it, and before a query's phrase): each of its words
// is also a token of titles alone, so that "both words in the title" reads short lists, not the
// long lists of the words in every field. Private use, never in the texts; removed where shown.
inline constexpr char16_t kSegnoTitolo = 0xE003;

// The name under which the tokenizer is known to the index's full-text table.
inline constexpr const char* kNomeTokenizzatore = "quillaro";

// The full-text engine's interface on a connection; null when the engine lacks it.
fts5_api* ApiFts5(sqlite3* db);

// Registers the tokenizer on a connection: the index's own (the archives never need it), with the
// words by stem of the connection's index file, which it fills as documents are written and reads
// for the queries (null: queries find the stems alone). Throws DbError when the engine refuses it.
void RegistraTokenizzatore(sqlite3* db, Vocabolario* vocabolario);

enum class UsoToken {
    Documento,      // what the index stores: the folded words (and a stem that does not begin its word)
    Interrogazione, // a word of a query: its stem
    Prefisso        // the word before "*": folded, not stemmed
};

// The tokens of document fields made as the index's tokenizer makes them, on any thread (one object
// for each), with the words met whose stem is their own and that the vocabulary does not know yet.
class PreparatoreToken {
public:
    // The vocabulary is only read, and must not change while this object works.
    explicit PreparatoreToken(const Vocabolario* vocabolario);
    ~PreparatoreToken();
    PreparatoreToken(const PreparatoreToken&) = delete;
    PreparatoreToken& operator=(const PreparatoreToken&) = delete;

    void prepara(std::string testo, TokenPreparati& out);
    // The new words met since the last call, each once for the life of this object.
    std::vector<ParolaRadice> prendiNuove();

private:
    struct Dati;
    const Vocabolario* vocabolario_;
    std::unique_ptr<Dati> d_;
};

// The tokens of a text as the index stores them or as a query looks for them.
QStringList TokenTesto(QStringView testo, UsoToken uso);

// The words of UTF-8 text as the index reads them, in order: each folded word with its byte
// offsets, and each border between entries (kConfineVoci, `confine` set). The word is valid for the
// call only.
struct ParolaTesto {
    std::string_view piegata;
    int inizio = 0;
    int fine = 0;
    bool cifre = false;
    bool confine = false;
};
void PerOgniParolaTesto(const char* utf8, int n, const std::function<void(const ParolaTesto&)>& parola);
// The token the index stores for a folded word besides the word itself: its stem (the word itself
// when it holds digits). Valid until the next call.
std::string RadiceParola(const ParolaTesto& parola);

// True when the text holds at least one word (a query term of signs alone finds nothing).
bool HaParole(QStringView testo);
// How many words the text holds.
qsizetype ContaParole(QStringView testo);

// The words of a text folded (lower case, no accents), joined by single blanks.
QString TestoPiegato(QStringView testo);

// A title with case, accents, punctuation and blanks folded away: two titles that differ only in
// those have the same key.
QString ChiaveTitolo(QStringView titolo);
