#pragma once

// The spelling checker of the texts: finds the misspelled words of a whole text in order, with
// their positions, suggests corrections, and keeps the words the operator accepted: for the
// session ("Ignora tutto") or for good, in the personal dictionary of the home folder.
// The dictionary itself is behind a small interface (Hunspell in HunspellChecker.h); the
// splitting of a text into words, the legal abbreviations and the personal words live here.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// The language of a text: Italian for every kind, English for the English abstract.
enum class SpellLanguage { Italian, English };

// By the kind of a text ("8" is the English abstract).
SpellLanguage languageOfKind(const QString& kind);
// By frmTesti's TipoTestoCorrente (3 is the English abstract there).
SpellLanguage languageOfTesti(int tipoTestoCorrente);
// "italiano" / "inglese", for messages.
QString languageName(SpellLanguage language);

// A misspelled word: its place in the text (UTF-16 positions) and the word as written there.
struct SpellWord {
    int start = 0;
    int length = 0;
    QString word;

    int end() const { return start + length; }
    bool operator==(const SpellWord&) const = default;
};

// The words the operator added for good: one word a line, UTF-8, in the home folder. The file is
// read when the checker starts and rewritten whole (through a temporary file) at every addition,
// merged with what another session may have added meanwhile.
class PersonalDictionary {
public:
    PersonalDictionary() = default;
    explicit PersonalDictionary(const QString& path);

    QString path() const { return path_; }
    bool contains(const QString& word) const { return words_.contains(word); }
    QStringList words() const { return order_; }
    // Adds and saves; false with `error` set when the file cannot be written (the word is kept
    // for this session anyway).
    bool add(const QString& word, QString* error = nullptr);

    static QStringList read(const QString& path);

private:
    void insert(const QString& word);

    QString path_;
    QSet<QString> words_;
    QStringList order_;
};

class SpellChecker {
public:
    SpellChecker(SpellLanguage language, const QString& personalPath);
    virtual ~SpellChecker() = default;
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    SpellLanguage language() const { return language_; }

    // Every misspelled word of the text, in order.
    QList<SpellWord> check(const QString& text) const;
    // The first misspelled word that starts at `from` or later.
    std::optional<SpellWord> nextMisspelled(const QString& text, int from) const;
    // One word, as the dictionary, the accepted words and the legal vocabulary see it.
    bool isCorrect(const QString& word) const;
    // Corrections for a word, best first (remembered: the dictionary takes a while to suggest).
    QStringList suggest(const QString& word) const;

    // "Ignora tutto": the word is accepted until this checker ends.
    void ignoreAll(const QString& word);
    // "Aggiungi": the word is accepted now and in every later session.
    bool addToPersonal(const QString& word, QString* error = nullptr);
    const PersonalDictionary& personal() const { return personal_; }

    // The text with `word` replaced by `replacement`.
    static QString replace(const QString& text, const SpellWord& word, const QString& replacement);

protected:
    // What the dictionary says of a single word (apostrophes are already the plain "'").
    virtual bool dictionarySpell(const QString& word) const = 0;
    virtual QStringList dictionarySuggest(const QString& word) const = 0;

private:
    struct Token;
    QList<Token> tokens(const QString& text) const;
    std::optional<SpellWord> misspelledPart(const QString& text, const Token& token) const;
    bool accepted(const QString& word) const;
    bool spellCached(const QString& word) const;

    SpellLanguage language_;
    PersonalDictionary personal_;
    QSet<QString> ignored_;
    mutable QHash<QString, bool> spellCache_;
    mutable QHash<QString, QStringList> suggestCache_;
};

// Elided Italian words that take an apostrophe and join the next word ("dell'", "l'", "un'").
bool isItalianElision(const QString& wordWithoutApostrophe);
