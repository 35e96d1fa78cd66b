#pragma once

// The spelling checker on Hunspell with the dictionaries of the free office suites: it_IT for
// every text, en_US (or en_GB) for the English abstract. A dictionary is read once per session and
// kept; frmTesti starts reading it in the background when it opens, so that the first check does
// not wait for it.

#include "ui/SpellChecker.h"

#include <memory>
#include <optional>

class HomeFolder;
class Hunspell;

// Where the dictionaries are looked for and where the personal words are kept.
struct SpellSetup {
    QStringList folders;  // searched in order
    QString personalPath; // one word a line, UTF-8

    // <home>/dizionari, the program's folder "dizionari", then the system's dictionary folders.
    // QUILLARO_DICTIONARIES (folders joined by the system's path-list separator) replaces the
    // search. The personal words go to <home>/dizionario personale.dic.
    static SpellSetup forHome(const HomeFolder& home);
};

struct DictionaryFiles {
    QString aff;
    QString dic;
};

// "it_IT" for Italian; "en_US", then "en_GB" for English.
QStringList dictionaryNames(SpellLanguage language);
std::optional<DictionaryFiles> findDictionary(const QStringList& folders, SpellLanguage language);

// One loaded dictionary. Words go in and out in the dictionary's own encoding (the SET line of
// its .aff file: UTF-8, ISO8859-1 or ISO8859-15 for the Latin languages).
class HunspellDictionary {
public:
    explicit HunspellDictionary(const DictionaryFiles& files);
    ~HunspellDictionary();
    HunspellDictionary(const HunspellDictionary&) = delete;
    HunspellDictionary& operator=(const HunspellDictionary&) = delete;

    bool spell(const QString& word) const;
    QStringList suggest(const QString& word) const;
    QString encoding() const { return encoding_; }

private:
    std::optional<std::string> encode(const QString& word) const;
    QString decode(const std::string& bytes) const;

    std::unique_ptr<Hunspell> hunspell_;
    QString encoding_;
};

// Starts reading the dictionary of a language in the background, once per session; does nothing
// when it is missing or already read.
void preloadDictionary(const SpellSetup& setup, SpellLanguage language);

class HunspellChecker : public SpellChecker {
public:
    HunspellChecker(std::shared_ptr<const HunspellDictionary> dictionary, SpellLanguage language,
                    const QString& personalPath);

    // The checker of a language, on the dictionary read once per session; nothing, with `error`
    // telling the operator what is missing, when the dictionary is not there.
    static std::unique_ptr<HunspellChecker> open(const SpellSetup& setup, SpellLanguage language,
                                                 QString* error = nullptr);

protected:
    bool dictionarySpell(const QString& word) const override;
    QStringList dictionarySuggest(const QString& word) const override;

private:
    std::shared_ptr<const HunspellDictionary> dictionary_;
};
