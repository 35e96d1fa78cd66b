#include "ui/GrammarChecker.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x00A0);
}
bool isApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019);
}
bool isWordLetter(QChar c) {
    return c.isLetter() || c.isMark();
}
bool isClosingMark(QChar c) {
    return QStringView(u")]}»”\"'’").contains(c);
}

QChar at(const QString& text, qsizetype i) {
    return i >= 0 && i < text.size() ? text[i] : QChar();
}

// End of the run of letters that starts at `i`.
int wordEnd(const QString& text, int i) {
    while (i < text.size() && isWordLetter(text[i]))
        ++i;
    return i;
}

// Start of the run of letters that ends just before `i`.
int wordStart(const QString& text, int i) {
    while (i > 0 && isWordLetter(text[i - 1]))
        --i;
    return i;
}

// The blank-free run around a position is an address (where punctuation follows other rules).
bool inAddress(const QString& text, int i) {
    int a = i;
    int b = i;
    while (a > 0 && !text[a - 1].isSpace())
        --a;
    while (b < text.size() && !text[b].isSpace())
        ++b;
    const QStringView run = QStringView(text).mid(a, b - a);
    return run.contains(u"://") || run.contains(u"www.", Qt::CaseInsensitive) || run.contains(u'@');
}

bool isAllUpper(QStringView word) {
    return std::none_of(word.begin(), word.end(), [](QChar c) { return c.isLetter() && !c.isUpper(); });
}

QString capitalized(QString word) {
    if (!word.isEmpty())
        word[0] = word[0].toUpper();
    return word;
}

using Findings = QList<GrammarFinding>;

void add(Findings& out, const QString& text, int start, int end, const QString& correction, const char* rule,
         const QString& explanation, bool certain = true) {
    out << GrammarFinding{
        start,       end - start, text.mid(start, end - start), correction, QString::fromLatin1(rule),
        explanation, certain};
}

// "il il": the same word twice with only blanks between. Doubled words that the language uses
// ("via via", "così così", "passo passo"; English "that that", "had had") are left alone.
void repeatedWords(const QString& text, SpellLanguage language, Findings& out) {
    static const QSet<QString> italian = {
        QStringLiteral("via"),   QStringLiteral("così"),   QStringLiteral("piano"), QStringLiteral("pian"),
        QStringLiteral("poco"),  QStringLiteral("quasi"),  QStringLiteral("lì"),    QStringLiteral("là"),
        QStringLiteral("bene"),  QStringLiteral("ben"),    QStringLiteral("tanto"), QStringLiteral("appena"),
        QStringLiteral("ora"),   QStringLiteral("adagio"), QStringLiteral("forte"), QStringLiteral("pure"),
        QStringLiteral("passo"), QStringLiteral("pari"),   QStringLiteral("no"),    QStringLiteral("sì"),
        QStringLiteral("zitto"), QStringLiteral("man"),    QStringLiteral("mano"),  QStringLiteral("presto"),
    };
    static const QSet<QString> english = {
        QStringLiteral("that"), QStringLiteral("had"),   QStringLiteral("is"),   QStringLiteral("do"),
        QStringLiteral("so"),   QStringLiteral("very"),  QStringLiteral("far"),  QStringLiteral("more"),
        QStringLiteral("long"), QStringLiteral("again"), QStringLiteral("over"), QStringLiteral("round"),
        QStringLiteral("no"),   QStringLiteral("bye"),
    };
    const QSet<QString>& doubled = language == SpellLanguage::English ? english : italian;
    const int n = int(text.size());
    int prevStart = -1;
    int prevEnd = -1;
    for (int i = 0; i < n;) {
        if (!isWordLetter(text[i])) {
            ++i;
            continue;
        }
        const int end = wordEnd(text, i);
        // Words joined to numbers or abbreviations ("c.c", "2-bis") are not plain words.
        const QChar before = at(text, i - 1);
        const QChar after = at(text, end);
        const bool plain =
            !(before == u'.' || before == u'-' || before.isDigit()) &&
            !(after == u'-' || after.isDigit() || (after == u'.' && at(text, end + 1).isLetter()));
        if (plain && prevStart >= 0 && end - i >= 2) {
            const QStringView between = QStringView(text).mid(prevEnd, i - prevEnd);
            const QString word = text.mid(i, end - i);
            if (!between.isEmpty() && std::all_of(between.begin(), between.end(), isBlank) &&
                word.compare(text.mid(prevStart, prevEnd - prevStart), Qt::CaseInsensitive) == 0 &&
                !doubled.contains(word.toLower()))
                add(out, text, prevStart, end, text.mid(prevStart, prevEnd - prevStart),
                    GrammarChecker::RepeatedWord, QStringLiteral("Parola ripetuta."));
        }
        prevStart = plain ? i : -1;
        prevEnd = end;
        i = end;
    }
}

// "parola ," and "parola ;altra": no blank before , ; . : ? ! (and one after, when a word follows).
// Left alone: " ..." (an ellipsis), " .pdf", numbers (" ,5") and a mark at the start of a line.
void blanksBefore(const QString& text, Findings& out) {
    for (int i = 1; i < text.size(); ++i) {
        const QChar p = text[i];
        if (!QStringView(u",;.:?!").contains(p) || !isBlank(text[i - 1]))
            continue;
        int j = i;
        while (j > 0 && isBlank(text[j - 1]))
            --j;
        const QChar prev = at(text, j - 1);
        if (!(prev.isLetterOrNumber() || isClosingMark(prev)))
            continue;
        const QChar next = at(text, i + 1);
        if (next.isDigit() || (p == u'.' && (next == u'.' || next.isLetter())) || (p == u':' && next == u'/'))
            continue;
        const QString correction = next.isLetter() ? QString(p) + u' ' : QString(p);
        add(out, text, j, i + 1, correction, GrammarChecker::BlankBefore,
            QStringLiteral("Spazio prima del segno di punteggiatura."));
    }
}

// ",parola" and "sentenza.La": a blank after the mark. Left alone: numbers ("1,5", "10:30",
// "art.2"), addresses, abbreviations ("d.lgs.", "S.p.A.", "c.c.") and a lower-case letter after a
// full stop ("sito.it").
void blanksAfter(const QString& text, Findings& out) {
    const int n = int(text.size());
    for (int i = 1; i + 1 < n; ++i) {
        const QChar p = text[i];
        const QChar prev = text[i - 1];
        const QChar next = text[i + 1];
        if (!next.isLetter() || prev.isSpace())
            continue;
        if (p == u'.') {
            // A word of two letters or more, not part of a dotted abbreviation, then a capital
            // that starts a word.
            const int start = wordStart(text, i);
            const QChar before = at(text, start - 1);
            if (i - start < 2 || before == u'.' || before.isLetterOrNumber() || !next.isUpper() ||
                !at(text, i + 2).isLower())
                continue;
        } else if (!QStringView(u",;:?!").contains(p)) {
            continue;
        }
        if (inAddress(text, i))
            continue;
        const int end = wordEnd(text, i + 1);
        add(out, text, i, end, QString(p) + u' ' + text.mid(i + 1, end - i - 1), GrammarChecker::BlankAfter,
            QStringLiteral("Manca lo spazio dopo il segno di punteggiatura."));
    }
}

// A ")" after a short item mark is the end of a list item: "lett. a)", "1)", "iv)", "a-bis)".
bool isItemMark(const QString& text, int close) {
    static const QRegularExpression mark(
        QStringLiteral(
            "^(\\d{1,3}|[a-z]{1,4})(-?(bis|ter|quater|quinquies|sexies|septies|octies|novies|decies))?$"),
        QRegularExpression::CaseInsensitiveOption);
    int k = close;
    while (k > 0 && (text[k - 1].isLetterOrNumber() || text[k - 1] == u'-'))
        --k;
    const QChar before = at(text, k - 1);
    return (before.isNull() || before.isSpace() || QStringView(u",;:.(").contains(before)) &&
           mark.match(text.mid(k, close - k)).hasMatch();
}

// Brackets and quotation marks that open without closing or close without opening.
void unbalanced(const QString& text, Findings& out) {
    struct Pair {
        QChar open, close;
        QString unopened, unclosed;
    };
    const Pair pairs[] = {
        {u'(', u')', QStringLiteral("Parentesi chiusa senza la sua apertura."),
         QStringLiteral("Parentesi aperta e mai chiusa.")},
        {u'[', u']', QStringLiteral("Parentesi quadra chiusa senza la sua apertura."),
         QStringLiteral("Parentesi quadra aperta e mai chiusa.")},
        {u'{', u'}', QStringLiteral("Parentesi graffa chiusa senza la sua apertura."),
         QStringLiteral("Parentesi graffa aperta e mai chiusa.")},
        {QChar(0x00AB), QChar(0x00BB), QStringLiteral("Virgolette chiuse senza la loro apertura."),
         QStringLiteral("Virgolette aperte e mai chiuse.")},
        {QChar(0x201C), QChar(0x201D), QStringLiteral("Virgolette chiuse senza la loro apertura."),
         QStringLiteral("Virgolette aperte e mai chiuse.")},
    };
    const auto stray = [&](int i, const QString& why) {
        add(out, text, i, i + 1, QString(), GrammarChecker::Unbalanced,
            why + QStringLiteral(" Correggere a mano oppure eliminare il segno."), false);
    };
    for (const Pair& pair : pairs) {
        QList<int> open;
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] == pair.open) {
                open << i;
            } else if (text[i] == pair.close) {
                if (!open.isEmpty())
                    open.removeLast();
                else if (!(pair.close == u')' && isItemMark(text, i)))
                    stray(i, pair.unopened);
            }
        }
        for (int i : open)
            stray(i, pair.unclosed);
    }
    // Straight quotation marks pair up in order; an odd one out is the last.
    int last = -1;
    int count = 0;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == u'"') {
            ++count;
            last = i;
        }
    if (count % 2 == 1)
        stray(last, QStringLiteral("Virgolette non bilanciate."));
}

// "sentenza. la Corte": after the full stop that ends a sentence comes a capital. A stop after an
// abbreviation is not the end of a sentence; Italian (and English) words end in a vowel far more
// than abbreviations do ("art.", "lett.", "cfr.", "sez.", "pagg.", "cost.", "civ."), so only a
// stop after a word ending in a vowel counts, and never after dotted or upper-case abbreviations.
void capitalAfterStop(const QString& text, Findings& out) {
    static const QSet<QString> vowelAbbreviations = {QStringLiteral("ca"), QStringLiteral("cca"),
                                                     QStringLiteral("co"), QStringLiteral("spa")};
    static const QStringView vowels = u"aeiouàèéìíòóùy";
    const int n = int(text.size());
    for (int i = 2; i + 1 < n; ++i) {
        if (text[i] != u'.' || !text[i + 1].isSpace())
            continue;
        int j = i + 1;
        while (j < n && text[j].isSpace())
            ++j;
        if (j >= n || !text[j].isLower())
            continue;
        const int start = wordStart(text, i);
        const QChar before = at(text, start - 1);
        if (i - start < 2 || before == u'.' || before == u'-' || before.isDigit())
            continue;
        const QStringView word = QStringView(text).mid(start, i - start);
        if (isAllUpper(word) || !vowels.contains(word.back().toLower()) ||
            vowelAbbreviations.contains(word.toString().toLower()))
            continue;
        const int end = wordEnd(text, j);
        add(out, text, j, end, capitalized(text.mid(j, end - j)), GrammarChecker::CapitalAfterStop,
            QStringLiteral("Dopo il punto che chiude la frase ci vuole la maiuscola."));
    }
}

// "un pò" is "un po'" (the truncation of "poco" takes the apostrophe).
void poWithAccent(const QString& text, Findings& out) {
    for (int i = 0; i < text.size();) {
        if (!isWordLetter(text[i])) {
            ++i;
            continue;
        }
        const int end = wordEnd(text, i);
        const QString word = text.mid(i, end - i);
        if ((word.compare(u"pò", Qt::CaseInsensitive) == 0 ||
             word.compare(u"pó", Qt::CaseInsensitive) == 0) &&
            !isApostrophe(at(text, i - 1)) && !isApostrophe(at(text, end))) {
            const QString o = word[1].isUpper() ? QStringLiteral("O'") : QStringLiteral("o'");
            add(out, text, i, end, QString(word[0]) + o, GrammarChecker::PoAccent,
                QStringLiteral("\u00ABPo'\u00BB si scrive con l'apostrofo, non con l'accento."));
        }
        i = end;
    }
}

// "l' art", "dell' Unione": no blank after the apostrophe of an elided word. An apostrophe that
// closes a quoted word ('un') is a quotation mark and is left alone, as are "po' " and "di' ".
void apostropheBlanks(const QString& text, Findings& out) {
    for (int i = 1; i < text.size(); ++i) {
        if (!isApostrophe(text[i]))
            continue;
        const int start = wordStart(text, i);
        if (start == i || !isItalianElision(text.mid(start, i - start)))
            continue;
        const QChar before = at(text, start - 1);
        if (before.isLetterOrNumber() || isApostrophe(before) || before == QChar(0x2018))
            continue;
        int j = i + 1;
        while (j < text.size() && isBlank(text[j]))
            ++j;
        if (j == i + 1 || !at(text, j).isLetter())
            continue;
        const int end = wordEnd(text, j);
        add(out, text, start, end, text.mid(start, i + 1 - start) + text.mid(j, end - j),
            GrammarChecker::ApostropheBlank, QStringLiteral("Dopo l'apostrofo non va lo spazio."));
    }
}

} // namespace

QList<GrammarFinding> GrammarChecker::check(const QString& text) const {
    Findings out;
    repeatedWords(text, language_, out);
    blanksBefore(text, out);
    blanksAfter(text, out);
    unbalanced(text, out);
    capitalAfterStop(text, out);
    if (language_ == SpellLanguage::Italian) {
        poWithAccent(text, out);
        apostropheBlanks(text, out);
    }
    std::stable_sort(out.begin(), out.end(), [](const GrammarFinding& a, const GrammarFinding& b) {
        return a.start != b.start ? a.start < b.start : a.length < b.length;
    });
    return out;
}
