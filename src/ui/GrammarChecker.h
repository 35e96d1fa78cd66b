#pragma once

// The grammar check of the texts: a small set of typographic and grammatical slips that are
// unambiguous in Italian, each found with its correction. The rules stay silent where a legal
// text is legitimately irregular (abbreviations, citations, numbers, list items "a)"): a finding
// must always be worth the operator's look.

#include "ui/SpellChecker.h"

#include <QList>
#include <QString>

struct GrammarFinding {
    int start = 0;
    int length = 0;
    QString text;        // as written
    QString correction;  // what goes in its place (empty: delete it)
    QString rule;        // see GrammarChecker's rule names
    QString explanation; // for the operator
    bool certain = true; // false when the correction is only a guess (a stray bracket deleted)

    int end() const { return start + length; }
};

class GrammarChecker {
public:
    // Rule names.
    static constexpr const char* RepeatedWord = "parola-ripetuta";
    static constexpr const char* BlankBefore = "spazio-prima";
    static constexpr const char* BlankAfter = "spazio-dopo";
    static constexpr const char* Unbalanced = "non-bilanciato";
    static constexpr const char* CapitalAfterStop = "maiuscola";
    static constexpr const char* PoAccent = "po";
    static constexpr const char* ApostropheBlank = "apostrofo";

    explicit GrammarChecker(SpellLanguage language = SpellLanguage::Italian) : language_(language) {}

    // Every finding of the text, by position.
    QList<GrammarFinding> check(const QString& text) const;

private:
    SpellLanguage language_;
};
