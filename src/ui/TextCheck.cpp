#include "ui/TextCheck.h"

#include "store/Dialogs.h"
#include "ui/HunspellChecker.h"

#include <QSet>
#include <algorithm>

namespace {

TextFinding fromSpelling(const SpellWord& w) {
    TextFinding f;
    f.spelling = true;
    f.start = w.start;
    f.length = w.length;
    f.text = w.word;
    f.explanation = QStringLiteral("Non presente nel dizionario.");
    return f;
}

TextFinding fromGrammar(const GrammarFinding& g) {
    TextFinding f;
    f.spelling = false;
    f.start = g.start;
    f.length = g.length;
    f.text = g.text;
    f.rule = g.rule;
    f.explanation = g.explanation;
    f.correction = g.correction;
    f.certain = g.certain;
    return f;
}

// A grammar finding the operator passed over once; its place moves with the edits after it.
struct Passed {
    QString rule;
    int start;
    QString text;
};

class Walk {
public:
    Walk(const QString& text, SpellChecker& speller, const GrammarChecker* grammar, CheckSession& session,
         Dialogs& dialogs)
        : speller_(speller), grammar_(grammar), session_(session), dialogs_(dialogs) {
        result_.text = text;
    }

    WalkResult run() {
        while (const auto finding = next()) {
            const TextFinding& f = *finding;
            const auto corrections = [this, &f] {
                return f.spelling ? speller_.suggest(f.text) : QStringList{f.correction};
            };
            const CheckChoice choice = session_.decide(result_.text, f, corrections);
            if (choice.action == CheckAction::Cancel) {
                result_.cancelled = true;
                break;
            }
            apply(f, choice);
        }
        session_.finish();
        return result_;
    }

private:
    static QString key(const QString& rule, const QString& text) { return rule + QChar(0x1F) + text; }

    bool passed(const GrammarFinding& g) const {
        if (passedAll_.contains(key(g.rule, g.text)))
            return true;
        return std::any_of(passed_.begin(), passed_.end(), [&](const Passed& p) {
            return p.rule == g.rule && p.start == g.start && p.text == g.text;
        });
    }

    std::optional<TextFinding> next() const {
        std::optional<TextFinding> found;
        if (const auto w = speller_.nextMisspelled(result_.text, cursor_))
            found = fromSpelling(*w);
        if (grammar_) {
            for (const GrammarFinding& g : grammar_->check(result_.text)) {
                if (g.end() <= cursor_ || passed(g))
                    continue;
                // At the same place the word comes first: correcting it may settle both.
                if (!found || g.start < found->start)
                    found = fromGrammar(g);
                break;
            }
        }
        return found;
    }

    // Replaces [start, start + length) and moves what was passed over after it.
    void edit(int start, int length, const QString& replacement) {
        result_.text.replace(start, length, replacement);
        const int delta = int(replacement.size()) - length;
        for (auto it = passed_.begin(); it != passed_.end();) {
            if (it->start >= start + length) {
                it->start += delta;
                ++it;
            } else if (it->start + it->text.size() > start) {
                it = passed_.erase(it); // the edit touched it: it will be judged anew
            } else {
                ++it;
            }
        }
        ++result_.replacements;
    }

    // Every place to change for "Sostituisci tutto": the same word, or the same slip.
    QList<std::pair<int, int>> sameFindings(const TextFinding& f) const {
        QList<std::pair<int, int>> places;
        if (f.spelling) {
            for (const SpellWord& w : speller_.check(result_.text))
                if (w.word == f.text)
                    places.append({w.start, w.length});
        } else if (grammar_) {
            int reached = 0;
            for (const GrammarFinding& g : grammar_->check(result_.text)) {
                if (g.rule == f.rule && g.text == f.text && g.start >= reached &&
                    (g.start == f.start || !passed(g))) {
                    places.append({g.start, g.length});
                    reached = g.end();
                }
            }
        }
        if (places.isEmpty())
            places.append({f.start, f.length});
        return places;
    }

    void apply(const TextFinding& f, const CheckChoice& choice) {
        switch (choice.action) {
        case CheckAction::Replace:
            if (choice.replacement == f.text)
                return pass(f);
            edit(f.start, f.length, choice.replacement);
            cursor_ = f.start; // what was put there is checked too
            return;
        case CheckAction::ReplaceAll: {
            if (choice.replacement == f.text)
                return pass(f);
            const auto places = sameFindings(f);
            int start = f.start;
            for (auto it = places.crbegin(); it != places.crend(); ++it) {
                edit(it->first, it->second, choice.replacement);
                if (it->first < f.start)
                    start += int(choice.replacement.size()) - it->second;
            }
            cursor_ = start;
            return;
        }
        case CheckAction::Ignore:
            return pass(f);
        case CheckAction::Add:
            if (f.spelling) {
                QString error;
                if (!speller_.addToPersonal(f.text, &error))
                    dialogs_.message(error, QStringLiteral("Attenzione!"), Buttons::Ok, Icon::Warning);
                cursor_ = f.end();
                return;
            }
            [[fallthrough]]; // a slip cannot go into a dictionary: it is ignored everywhere
        case CheckAction::IgnoreAll:
            if (f.spelling) {
                speller_.ignoreAll(f.text);
                cursor_ = f.end();
            } else {
                passedAll_.insert(key(f.rule, f.text));
                cursor_ = std::max(cursor_, f.start);
            }
            return;
        case CheckAction::Cancel:
            return;
        }
    }

    void pass(const TextFinding& f) {
        if (f.spelling) {
            cursor_ = f.end();
        } else {
            passed_.append({f.rule, f.start, f.text});
            cursor_ = std::max(cursor_, f.start);
        }
    }

    SpellChecker& speller_;
    const GrammarChecker* grammar_;
    CheckSession& session_;
    Dialogs& dialogs_;
    WalkResult result_;
    int cursor_ = 0;
    QList<Passed> passed_;
    QSet<QString> passedAll_;
};

// A full stop ends a sentence after a number or after a word ending in a vowel; abbreviations
// ("art.", "lett.", "n.") mostly end in a consonant.
bool endsSentence(const QString& text, int i) {
    if (text[i] != u'.')
        return true;
    if (i > 0 && text[i - 1].isDigit())
        return true;
    int k = i;
    while (k > 0 && text[k - 1].isLetter())
        --k;
    return i - k >= 2 && QStringView(u"aeiouàèéìíòóù").contains(text[i - 1].toLower()) &&
           (k == 0 || text[k - 1] != u'.');
}

} // namespace

WalkResult walkText(const QString& text, SpellChecker& speller, const GrammarChecker* grammar,
                    CheckSession& session, Dialogs& dialogs) {
    return Walk(text, speller, grammar, session, dialogs).run();
}

QString ControlloTesto(TextCheckKind kind, const QString& testo, const QString& testoIniziale,
                       SpellChecker& speller, CheckSession& session, Dialogs& dialogs,
                       const MostraTesto& mostra) {
    const GrammarChecker grammar(speller.language());
    QString result =
        walkText(testo, speller, kind == TextCheckKind::Grammar ? &grammar : nullptr, session, dialogs).text;
    if (result.isEmpty() &&
        dialogs.message(QStringLiteral("Testo con correzioni perso: vuoi ripristinare il testo originale?"),
                        QStringLiteral("Attenzione!"), Buttons::YesNo, Icon::Question) == Answer::Yes)
        result = testoIniziale;
    if (mostra)
        mostra(result);
    dialogs.message(kind == TextCheckKind::Spelling ? QStringLiteral("Controllo ortografico effettuato!")
                                                    : QStringLiteral("Controllo grammaticale effettuato!"),
                    applicationTitle(), Buttons::Ok, Icon::Information);
    return result;
}

std::optional<QString> ControlloTesto(TextCheckKind kind, const QString& testo, const QString& testoIniziale,
                                      SpellLanguage language, const SpellSetup& setup, CheckSession& session,
                                      Dialogs& dialogs, const MostraTesto& mostra) {
    QString error;
    const auto speller = HunspellChecker::open(setup, language, &error);
    if (!speller) {
        dialogs.message(error, QStringLiteral("Attenzione!"), Buttons::Ok, Icon::Warning);
        return std::nullopt;
    }
    return ControlloTesto(kind, testo, testoIniziale, *speller, session, dialogs, mostra);
}

TextSpan sentenceAround(const QString& text, int start, int end, int reach) {
    const int n = int(text.size());
    start = std::clamp(start, 0, n);
    end = std::clamp(end, start, n);
    TextSpan span;
    int k = start;
    while (k > 0 && text[k - 1] != u'\n') {
        if (text[k - 1].isSpace() && k >= 2 && QStringView(u".?!").contains(text[k - 2]) &&
            endsSentence(text, k - 2))
            break;
        if (start - k >= reach) {
            span.cutBefore = true;
            while (k < start && !text[k].isSpace())
                ++k;
            break;
        }
        --k;
    }
    while (k < start && text[k].isSpace())
        ++k;
    int e = end;
    while (e < n && text[e] != u'\n' && text[e] != u'\r') {
        if (QStringView(u".?!").contains(text[e]) && (e + 1 == n || text[e + 1].isSpace()) &&
            endsSentence(text, e)) {
            ++e;
            break;
        }
        if (e - end >= reach) {
            span.cutAfter = true;
            while (e > end && !text[e - 1].isSpace())
                --e;
            break;
        }
        ++e;
    }
    while (e > end && text[e - 1].isSpace())
        --e;
    span.start = k;
    span.end = e;
    return span;
}
