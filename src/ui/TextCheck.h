#pragma once

// The spelling and grammar checks of a text as frmTesti runs them: the whole text is walked, each
// finding is shown to the operator through a CheckSession (the dialog in the desktop program, a
// script in the tests) and the chosen correction applied; the corrected text comes back, with the
// offer to restore the opening text when nothing is left, and the closing message.

#include "ui/GrammarChecker.h"
#include "ui/SpellChecker.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Dialogs;
struct SpellSetup;

enum class TextCheckKind { Spelling, Grammar };

// A word the dictionary does not know, or a slip found by a grammar rule.
struct TextFinding {
    bool spelling = true;
    int start = 0;
    int length = 0;
    QString text;        // as written
    QString rule;        // grammar findings: the rule
    QString explanation; // what is wrong, for the operator
    QString correction;  // grammar findings: the proposed correction
    bool certain = true; // grammar findings: false when the correction is only a guess

    int end() const { return start + length; }
};

enum class CheckAction { Replace, ReplaceAll, Ignore, IgnoreAll, Add, Cancel };

struct CheckChoice {
    CheckAction action = CheckAction::Cancel;
    QString replacement; // Replace and ReplaceAll
};

// Who shows the findings and takes the operator's decisions.
class CheckSession {
public:
    virtual ~CheckSession() = default;
    // The choice on a finding of the current text. `corrections` gives the proposals; for a
    // misspelled word the dictionary takes a moment, so a window may show the finding first.
    virtual CheckChoice decide(const QString& text, const TextFinding& finding,
                               const std::function<QStringList()>& corrections) = 0;
    // The walk is over.
    virtual void finish() {}
};

struct WalkResult {
    QString text;
    bool cancelled = false;
    int replacements = 0;
};

// Walks the text from the start: each misspelled word (and each grammar finding, when a grammar
// checker is given) in order, applying the operator's choices. A replaced word is checked again;
// "Annulla" stops the walk and keeps the corrections made until then.
WalkResult walkText(const QString& text, SpellChecker& speller, const GrammarChecker* grammar,
                    CheckSession& session, Dialogs& dialogs);

// Puts the checked text where the operator reads it.
using MostraTesto = std::function<void(const QString&)>;

// The two checks of frmTesti on the text of txtTesto. The dictionary follows the language; when
// it is missing the operator is told and nothing comes back (the text stays as it was).
// Otherwise the text for txtTesto: the corrected text, or the opening text when the corrections
// left nothing and the operator asks for it back. `mostra` gets it before the closing message, so
// that the box already shows what the message announces.
std::optional<QString> ControlloTesto(TextCheckKind kind, const QString& testo, const QString& testoIniziale,
                                      SpellLanguage language, const SpellSetup& setup, CheckSession& session,
                                      Dialogs& dialogs, const MostraTesto& mostra = {});
// The same with a given checker.
QString ControlloTesto(TextCheckKind kind, const QString& testo, const QString& testoIniziale,
                       SpellChecker& speller, CheckSession& session, Dialogs& dialogs,
                       const MostraTesto& mostra = {});

// The sentence around [start, end) for showing a finding in context: at most `reach` characters
// on either side, cut at blanks; cutBefore/cutAfter tell when it was cut short.
struct TextSpan {
    int start = 0;
    int end = 0;
    bool cutBefore = false;
    bool cutAfter = false;
};
TextSpan sentenceAround(const QString& text, int start, int end, int reach = 200);
