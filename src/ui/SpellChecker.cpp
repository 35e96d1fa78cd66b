#include "ui/SpellChecker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

SpellLanguage languageOfKind(const QString& kind) {
    return kind == u"8" ? SpellLanguage::English : SpellLanguage::Italian;
}

SpellLanguage languageOfTesti(int tipoTestoCorrente) {
    return tipoTestoCorrente == 3 ? SpellLanguage::English : SpellLanguage::Italian;
}

QString languageName(SpellLanguage language) {
    return language == SpellLanguage::English ? QStringLiteral("inglese") : QStringLiteral("italiano");
}

namespace {

bool isApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019);
}

// Addresses are not words: a blank-free run with a scheme, "www." or "@" is left alone.
bool isAddress(QStringView run) {
    return run.contains(u"://") || run.contains(u"www.", Qt::CaseInsensitive) || run.contains(u'@');
}

QString plainApostrophes(QString word) {
    word.replace(QChar(0x2019), u'\'');
    return word;
}

int letterCount(const QString& word) {
    int n = 0;
    for (QChar c : word)
        n += c.isLetter() ? 1 : 0;
    return n;
}

// Acronyms and roman numerals ("CEDU", "TFUE", "II"): not checked, as word processors do.
bool isAllUpper(const QString& word) {
    for (QChar c : word)
        if (c.isLetter() && !c.isUpper())
            return false;
    return true;
}

// "ii)", "iv)": items of a list.
bool isLowerRoman(const QString& word) {
    for (QChar c : word)
        if (!QStringView(u"ivxlcdm").contains(c))
            return false;
    return true;
}

// Words of the legal language that general dictionaries lack: the Latin ordinals of inserted
// articles and paragraphs ("art. 2-ter", "comma 1-quater") and a few Latin terms.
const QSet<QString>& legalWords() {
    static const QSet<QString> words = {
        QStringLiteral("bis"),          QStringLiteral("ter"),           QStringLiteral("quater"),
        QStringLiteral("quinquies"),    QStringLiteral("sexies"),        QStringLiteral("septies"),
        QStringLiteral("octies"),       QStringLiteral("novies"),        QStringLiteral("nonies"),
        QStringLiteral("decies"),       QStringLiteral("undecies"),      QStringLiteral("duodecies"),
        QStringLiteral("terdecies"),    QStringLiteral("quaterdecies"),  QStringLiteral("quinquiesdecies"),
        QStringLiteral("sexiesdecies"), QStringLiteral("septiesdecies"), QStringLiteral("ius"),
        QStringLiteral("iuris"),        QStringLiteral("erga"),          QStringLiteral("omnes"),
        QStringLiteral("ultra"),        QStringLiteral("petita"),
    };
    return words;
}

// Abbreviations of citations, accepted when a full stop follows them ("art.", "lett.", "pagg.").
const QSet<QString>& legalAbbreviations() {
    static const QSet<QString> words = {
        QStringLiteral("art"),   QStringLiteral("artt"),   QStringLiteral("lett"),   QStringLiteral("sez"),
        QStringLiteral("sezz"),  QStringLiteral("cfr"),    QStringLiteral("pag"),    QStringLiteral("pagg"),
        QStringLiteral("ecc"),   QStringLiteral("cit"),    QStringLiteral("ss"),     QStringLiteral("segg"),
        QStringLiteral("sgg"),   QStringLiteral("seg"),    QStringLiteral("sent"),   QStringLiteral("ord"),
        QStringLiteral("civ"),   QStringLiteral("pen"),    QStringLiteral("proc"),   QStringLiteral("amm"),
        QStringLiteral("cost"),  QStringLiteral("cass"),   QStringLiteral("trib"),   QStringLiteral("app"),
        QStringLiteral("giur"),  QStringLiteral("riv"),    QStringLiteral("dir"),    QStringLiteral("reg"),
        QStringLiteral("dec"),   QStringLiteral("decr"),   QStringLiteral("delib"),  QStringLiteral("circ"),
        QStringLiteral("disp"),  QStringLiteral("att"),    QStringLiteral("prel"),   QStringLiteral("trans"),
        QStringLiteral("gen"),   QStringLiteral("comm"),   QStringLiteral("co"),     QStringLiteral("cpv"),
        QStringLiteral("nn"),    QStringLiteral("vol"),    QStringLiteral("ed"),     QStringLiteral("op"),
        QStringLiteral("loc"),   QStringLiteral("ult"),    QStringLiteral("succ"),   QStringLiteral("mod"),
        QStringLiteral("modif"), QStringLiteral("conv"),   QStringLiteral("integr"), QStringLiteral("suppl"),
        QStringLiteral("all"),   QStringLiteral("tab"),    QStringLiteral("fig"),    QStringLiteral("cap"),
        QStringLiteral("par"),   QStringLiteral("parr"),   QStringLiteral("lav"),    QStringLiteral("dott"),
        QStringLiteral("avv"),   QStringLiteral("prof"),   QStringLiteral("sig"),    QStringLiteral("sigg"),
        QStringLiteral("on"),    QStringLiteral("sen"),    QStringLiteral("min"),    QStringLiteral("es"),
        QStringLiteral("ca"),    QStringLiteral("cd"),     QStringLiteral("ibid"),   QStringLiteral("lib"),
        QStringLiteral("tit"),   QStringLiteral("ric"),    QStringLiteral("racc"),   QStringLiteral("pres"),
        QStringLiteral("cons"),  QStringLiteral("consid"), QStringLiteral("giust"),  QStringLiteral("mass"),
        QStringLiteral("it"),    QStringLiteral("gazz"),   QStringLiteral("uff"),    QStringLiteral("rel"),
        QStringLiteral("id"),    QStringLiteral("lgs"),    QStringLiteral("cod"),    QStringLiteral("sg"),
        QStringLiteral("fasc"),  QStringLiteral("pubbl"),  QStringLiteral("para"),   QStringLiteral("paras"),
        QStringLiteral("cf"),    QStringLiteral("ud"),     QStringLiteral("dep"),    QStringLiteral("ined"),
        QStringLiteral("nt"),
    };
    return words;
}

// A set of words, also when the first letter is a capital at the start of a sentence.
bool inWordSet(const QSet<QString>& set, const QString& word) {
    if (set.contains(word))
        return true;
    if (!word.isEmpty() && word.front().isUpper()) {
        QString lower = word;
        lower[0] = lower[0].toLower();
        return set.contains(lower);
    }
    return false;
}

} // namespace

bool isItalianElision(const QString& word) {
    static const QSet<QString> elisions = {
        QStringLiteral("l"),       QStringLiteral("un"),      QStringLiteral("dell"),
        QStringLiteral("all"),     QStringLiteral("dall"),    QStringLiteral("nell"),
        QStringLiteral("sull"),    QStringLiteral("coll"),    QStringLiteral("pell"),
        QStringLiteral("quell"),   QStringLiteral("quest"),   QStringLiteral("bell"),
        QStringLiteral("sant"),    QStringLiteral("nessun"),  QStringLiteral("alcun"),
        QStringLiteral("ciascun"), QStringLiteral("qualcun"), QStringLiteral("tutt"),
        QStringLiteral("senz"),    QStringLiteral("anch"),    QStringLiteral("c"),
        QStringLiteral("d"),       QStringLiteral("m"),       QStringLiteral("t"),
        QStringLiteral("s"),       QStringLiteral("v"),       QStringLiteral("n"),
        QStringLiteral("com"),     QStringLiteral("dov"),     QStringLiteral("cos"),
        QStringLiteral("mezz"),    QStringLiteral("gl"),      QStringLiteral("buon"),
        QStringLiteral("grand"),   QStringLiteral("quand"),   QStringLiteral("bench"),
    };
    return elisions.contains(word.toLower());
}

// ---- personal dictionary -------------------------------------------------------------------

PersonalDictionary::PersonalDictionary(const QString& path) : path_(path) {
    for (const QString& word : read(path))
        insert(word);
}

QStringList PersonalDictionary::read(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList words;
    for (const QString& line : text.split(u'\n')) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            words << word;
    }
    return words;
}

void PersonalDictionary::insert(const QString& word) {
    if (!words_.contains(word)) {
        words_.insert(word);
        order_ << word;
    }
}

bool PersonalDictionary::add(const QString& word, QString* error) {
    const QString clean = plainApostrophes(word.trimmed());
    if (clean.isEmpty())
        return true;
    insert(clean);
    if (path_.isEmpty())
        return true;
    // Another session may have added words since this one read the file: keep them.
    QStringList all = read(path_);
    QSet<QString> present(all.cbegin(), all.cend());
    for (const QString& w : std::as_const(order_))
        if (!present.contains(w))
            all << w;
    const auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Impossibile aggiornare il dizionario personale %1: %2")
                         .arg(QDir::toNativeSeparators(path_), why);
        return false;
    };
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return fail(QStringLiteral("cartella non creata"));
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    file.write(all.join(u'\n').toUtf8());
    file.write("\n");
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

// ---- checker -----------------------------------------------------------------------------

struct SpellChecker::Token {
    int start = 0;
    int length = 0;
    bool hasDigit = false;
    bool hasDot = false; // internal full stops: "d.lgs", "c.c", "S.p.A"
    QChar after;         // the character after the word, or null at the end
    QChar afterNext;
};

SpellChecker::SpellChecker(SpellLanguage language, const QString& personalPath)
    : language_(language), personal_(personalPath) {}

QList<SpellChecker::Token> SpellChecker::tokens(const QString& text) const {
    QList<Token> out;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        int runEnd = i;
        while (runEnd < n && !text[runEnd].isSpace())
            ++runEnd;
        if (isAddress(QStringView(text).mid(i, runEnd - i))) {
            i = runEnd;
            continue;
        }
        while (i < runEnd) {
            const QChar c = text[i];
            if (!c.isLetterOrNumber()) {
                ++i;
                continue;
            }
            Token t;
            t.start = i;
            int segment = 0; // letters since the start or the last internal full stop
            int j = i;
            while (j < runEnd) {
                const QChar d = text[j];
                if (d.isLetter() || d.isMark()) {
                    ++segment;
                    ++j;
                    continue;
                }
                if (d.isNumber()) {
                    t.hasDigit = true;
                    ++j;
                    continue;
                }
                const bool letterFollows = j + 1 < runEnd && text[j + 1].isLetter();
                if ((isApostrophe(d) || d == u'-') && letterFollows) {
                    ++j;
                    continue;
                }
                // Short pieces joined by full stops are abbreviations; a long word before a full
                // stop ends a sentence even without the blank ("sentenza.La").
                if (d == u'.' && letterFollows && segment <= 3) {
                    t.hasDot = true;
                    segment = 0;
                    ++j;
                    continue;
                }
                break;
            }
            t.length = j - t.start;
            t.after = j < n ? text[j] : QChar();
            t.afterNext = j + 1 < n ? text[j + 1] : QChar();
            out << t;
            i = j;
        }
    }
    return out;
}

bool SpellChecker::spellCached(const QString& word) const {
    auto it = spellCache_.constFind(word);
    if (it != spellCache_.cend())
        return *it;
    const bool ok = dictionarySpell(word);
    spellCache_.insert(word, ok);
    return ok;
}

bool SpellChecker::accepted(const QString& word) const {
    if (letterCount(word) < 2 || isAllUpper(word))
        return true;
    if (inWordSet(ignored_, word) || legalWords().contains(word.toLower()) || personal_.contains(word))
        return true;
    if (word.front().isUpper()) {
        QString lower = word;
        lower[0] = lower[0].toLower();
        if (personal_.contains(lower))
            return true;
    }
    return spellCached(word);
}

bool SpellChecker::isCorrect(const QString& word) const {
    return accepted(plainApostrophes(word));
}

std::optional<SpellWord> SpellChecker::misspelledPart(const QString& text, const Token& t) const {
    if (t.hasDigit || t.hasDot)
        return std::nullopt;
    const QString written = text.mid(t.start, t.length);
    const QString word = plainApostrophes(written);
    if (t.after == u')' && isLowerRoman(word))
        return std::nullopt;
    // "po'", "di'": the apostrophe that ends the word belongs to it.
    if (isApostrophe(t.after) && !t.afterNext.isLetter() &&
        (accepted(word + u'\'') || (language_ == SpellLanguage::Italian && isItalianElision(word))))
        return std::nullopt; // "dell' Unione" is a slip of the blank, for the grammar check
    if (accepted(word))
        return std::nullopt;
    if (t.after == u'.' && legalAbbreviations().contains(word.toLower()))
        return std::nullopt;
    // An elided article or preposition with a misspelled word: point at the word.
    const int apostrophe = int(word.lastIndexOf(u'\''));
    if (language_ == SpellLanguage::Italian && apostrophe > 0 && isItalianElision(word.left(apostrophe))) {
        const QString rest = word.mid(apostrophe + 1);
        if (accepted(rest) || (t.after == u'.' && legalAbbreviations().contains(rest.toLower())))
            return std::nullopt;
        return SpellWord{t.start + apostrophe + 1, t.length - apostrophe - 1, written.mid(apostrophe + 1)};
    }
    return SpellWord{t.start, t.length, written};
}

QList<SpellWord> SpellChecker::check(const QString& text) const {
    QList<SpellWord> found;
    for (const Token& t : tokens(text))
        if (auto w = misspelledPart(text, t))
            found << *w;
    return found;
}

std::optional<SpellWord> SpellChecker::nextMisspelled(const QString& text, int from) const {
    for (const Token& t : tokens(text)) {
        if (t.start + t.length <= from)
            continue;
        if (auto w = misspelledPart(text, t); w && w->start >= from)
            return w;
    }
    return std::nullopt;
}

QStringList SpellChecker::suggest(const QString& word) const {
    auto it = suggestCache_.constFind(word);
    if (it != suggestCache_.cend())
        return *it;
    const QString plain = plainApostrophes(word);
    QStringList list;
    // The accent for the apostrophe is the commonest slip in Italian; say so first.
    if (language_ == SpellLanguage::Italian &&
        (plain.compare(u"pò", Qt::CaseInsensitive) == 0 || plain.compare(u"pó", Qt::CaseInsensitive) == 0))
        list << (plain.front().isUpper() ? QStringLiteral("Po'") : QStringLiteral("po'"));
    for (const QString& s : dictionarySuggest(plain))
        if (s != plain && !list.contains(s))
            list << s;
    suggestCache_.insert(word, list);
    return list;
}

void SpellChecker::ignoreAll(const QString& word) {
    ignored_.insert(plainApostrophes(word));
}

bool SpellChecker::addToPersonal(const QString& word, QString* error) {
    return personal_.add(word, error);
}

QString SpellChecker::replace(const QString& text, const SpellWord& word, const QString& replacement) {
    return text.left(word.start) + replacement + text.mid(word.end());
}
