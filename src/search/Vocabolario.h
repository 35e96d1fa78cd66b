#pragma once

// The words of the search index by their stem. The index stores each word as it is written
// (folded: Tokenizzatore.h), once; a word of a query finds every word with its stem, handed to the
// engine as alternatives at one position (colocated tokens). Which words share a stem is kept in the
// index file, table `parole`, filled as documents are indexed and read back, stem by stem, by the
// queries. One object per connection: the tokenizer of that connection reads it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

struct sqlite3;
class IndexStatement;

// The tokens of one field of a document as the index's tokenizer makes them, made before the row is
// written (on another thread) and handed to the engine as they are when it reads the same text.
struct TokenPreparati {
    std::string testo; // the field as it is written into the index (UTF-8)
    std::string byte;  // the tokens, one after the other
    struct Token {
        uint32_t fine; // where its bytes end in `byte`
        int32_t inizio;
        int32_t fineTesto;
        bool colocato;
    };
    std::vector<Token> token;
};

// A word and its stem, when the two differ.
using ParolaRadice = std::pair<std::string, std::string>; // stem, word

struct HashTrasparente {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class Vocabolario {
public:
    Vocabolario();
    ~Vocabolario();
    Vocabolario(const Vocabolario&) = delete;
    Vocabolario& operator=(const Vocabolario&) = delete;

    // The connection whose file holds the table; null when it is closed.
    void collega(sqlite3* db);

    // Queries: the forms of a stem as the index holds them (the stem itself first, as a deviating
    // word's stem is stored too), read from the file once and kept until dimentica().
    const std::vector<std::string>& forme(std::string_view radice);
    // The index changed (this program or another): forms are read again.
    void dimentica();

    // Writing. The words already in the table, read once when a whole archive is to be indexed;
    // without them every word of a written document is offered to the table, which keeps it once.
    void caricaNote();
    bool nota(std::string_view parola) const;
    const std::unordered_set<std::string, HashTrasparente, std::equal_to<>>& note() const { return note_; }
    // A word met with a stem of its own, to be written.
    void aggiungi(std::string_view radice, std::string_view parola);
    void aggiungi(std::vector<ParolaRadice>&& nuove);
    // Writes what was added within the open transaction; after its commit conferma() counts it as
    // known, after a rollback scarta() forgets it (the table did not keep it).
    void scrivi();
    void conferma();
    void scarta();

    // The fields of the row about to be written, already made into tokens (null: none).
    void prepara(const std::vector<TokenPreparati>* campi);
    // The tokens of a field when it is the next prepared one and holds exactly this text.
    const TokenPreparati* preparato(const char* testo, int n);

private:
    sqlite3* db_ = nullptr;
    std::unique_ptr<IndexStatement> leggi_;
    std::unique_ptr<IndexStatement> scrivi_;
    std::unordered_map<std::string, std::vector<std::string>, HashTrasparente, std::equal_to<>> forme_;
    bool caricate_ = false;
    std::unordered_set<std::string, HashTrasparente, std::equal_to<>> note_;
    std::unordered_set<std::string, HashTrasparente, std::equal_to<>> inAttesa_;
    std::vector<ParolaRadice> daScrivere_;
    const std::vector<TokenPreparati>* preparati_ = nullptr;
    size_t prossimo_ = 0;
};
