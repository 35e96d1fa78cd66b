#pragma once

// The excerpt of a document found: a few words around the best place where the query's words
// stand, those words marked. Made from the document's texts as the index stores them, matching
// words as the index does (the same form, a prefix, a phrase word after word, in the field asked
// for), without asking the engine again: one look-up per document shown, whatever the query.

#include "search/InterrogazioneRicerca.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

struct ParolaTesto;

// The marks around the matched words of an excerpt (private-use characters, never in the texts).
inline constexpr char16_t kInizioEvidenza = 0xE000;
inline constexpr char16_t kFineEvidenza = 0xE001;

// How many words an excerpt shows.
inline constexpr int kParoleEstratto = 16;

class Estrattore {
public:
    // The phrases of a query (InterpretaRicerca's); those after NOT are never marked.
    explicit Estrattore(const QList<FraseRicerca>& termini);
    ~Estrattore();
    Estrattore(const Estrattore&) = delete;
    Estrattore& operator=(const Estrattore&) = delete;

    // `campi` are the texts of the full-text table's columns in their order (CampiRicerca, then the
    // others). The matched words are between kInizioEvidenza and kFineEvidenza; "…" stands for text left out
    // before or after.
    QString estratto(const QStringList& campi) const;
    // The same from the texts in UTF-8, as the index gives them. Safe on several threads at once.
    QString estratto(const QList<QByteArray>& campi) const;

private:
    struct Frase;
    struct Token {
        std::string testo;
        bool prefisso = false;
    };
    quint64 tokenDi(const ParolaTesto& parola) const;

    QList<Frase> frasi_;
    std::vector<Token> token_; // of every phrase, in order
};
