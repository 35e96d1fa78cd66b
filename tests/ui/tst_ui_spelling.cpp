// The spelling checker on Hunspell: Italian misspellings found with sensible suggestions, the
// words of legal texts left alone, "Ignora tutto" and the personal dictionary, the English
// abstract in English, dictionaries in an 8-bit encoding, and a missing dictionary.

#include "support/TestHome.h"
#include "ui/HunspellChecker.h"
#include "ui/ScriptedCheckSession.h"
#include "ui/TextCheck.h"

#include <QtTest>

namespace {

std::unique_ptr<HunspellChecker> openChecker(const TestHome& t,
                                             SpellLanguage language = SpellLanguage::Italian) {
    QString error;
    auto checker =
        HunspellChecker::open(SpellSetup::forHome(const_cast<TestHome&>(t).home()), language, &error);
    if (!checker)
        qWarning("%s", qPrintable(error));
    return checker;
}

QStringList words(const QList<SpellWord>& found) {
    QStringList list;
    for (const SpellWord& w : found)
        list << w.word;
    return list;
}

QByteArray latin9(const QString& text) {
    QByteArray out;
    for (QChar c : text)
        out += c == QChar(0x0152) ? char(0xBC) : char(c.unicode());
    return out;
}

} // namespace

class UiSpelling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void misspellingsFound_data();
    void misspellingsFound();
    void correctWordsNotFlagged_data();
    void correctWordsNotFlagged();
    void positionsInText();
    void ignoreAllLastsForTheChecker();
    void personalDictionaryPersists();
    void personalDictionaryFileIsMerged();
    void englishAbstractInEnglish();
    void languageOfTheText();
    void eightBitDictionary();
    void missingDictionary();
    void preloadedDictionary();
    void sentenceAroundFinding_data();
    void sentenceAroundFinding();
};

void UiSpelling::initTestCase() {
    qunsetenv("QUILLARO_DICTIONARIES");
    TestHome t;
    if (!findDictionary(SpellSetup::forHome(t.home()).folders, SpellLanguage::Italian))
        QFAIL("the Italian dictionary (hunspell-it) is not installed");
}

void UiSpelling::misspellingsFound_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("suggestion");
    QTest::newRow("sentenzza") << "La sentenzza della Corte"
                               << "sentenzza"
                               << "sentenza";
    QTest::newRow("giurisprudensa") << "secondo la giurisprudensa costante"
                                    << "giurisprudensa"
                                    << "giurisprudenza";
    QTest::newRow("capitalised") << "Giurisprudensa costante"
                                 << "Giurisprudensa"
                                 << "Giurisprudenza";
    QTest::newRow("after elision") << "dell'ordinamnto interno"
                                   << "ordinamnto"
                                   << "ordinamento";
    QTest::newRow("before a stop") << "il contratto è nulo."
                                   << "nulo"
                                   << "nullo";
    QTest::newRow("po with accent") << "un pò di tempo"
                                    << "pò"
                                    << "po'";
    QTest::newRow("after a long word and a stop") << "sentenza.Leggee"
                                                  << "Leggee"
                                                  << "Legge";
}

void UiSpelling::misspellingsFound() {
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(QString, suggestion);
    TestHome t;
    auto checker = openChecker(t);
    QVERIFY(checker);
    const auto found = checker->check(text);
    QCOMPARE(words(found), QStringList{word});
    QCOMPARE(text.mid(found[0].start, found[0].length), word);
    const QStringList suggestions = checker->suggest(word);
    QVERIFY2(suggestions.mid(0, 3).contains(suggestion), qPrintable(suggestions.join(u", ")));
}

void UiSpelling::correctWordsNotFlagged_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("accents") << "Più volte è stato detto perché la città è così";
    QTest::newRow("apostrophes") << "l'art. 2043 e dell'Unione, un'altra, nell'ambito, quest'ultimo, c'è";
    QTest::newRow("typographic apostrophes") << "l’art. 3 e dell’Unione";
    QTest::newRow("capital elision") << "L'art. 3 e Dell'Unione";
    QTest::newRow("numbers") << "2043, 1.500, 12,5%, 2016/679, C-311/18";
    QTest::newRow("citations") << "d.lgs. n. 50/2016, art. 2043 c.c., c.p.c., d.P.R. 445, S.p.A., sez. II, "
                                  "lett. a), pagg. 12-15, cfr. ecc., artt. 3 e 4 cost., Cass. civ., sez. un.";
    QTest::newRow("roman numerals") << "sez. II, tit. IV, capo XII, punti i), ii) e iv)";
    QTest::newRow("acronyms") << "CEDU, TFUE, TAR, INPS";
    QTest::newRow("inserted articles") << "art. 2-bis, comma 1-ter, art. 3 quater e quinquies";
    QTest::newRow("po with apostrophe") << "un po' di tempo";
    QTest::newRow("elision before a blank") << "dell' Unione e quest' anno";
    QTest::newRow("addresses")
        << "https://www.giustizia.it/sentenzza e mario.rossi@exmple.it e www.normatiwa.it";
    QTest::newRow("single letters") << "la lettera x e la y";
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << " \n\t ";
}

void UiSpelling::correctWordsNotFlagged() {
    QFETCH(QString, text);
    TestHome t;
    auto checker = openChecker(t);
    QVERIFY(checker);
    const QStringList found = words(checker->check(text));
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u", ")));
}

void UiSpelling::positionsInText() {
    TestHome t;
    auto checker = openChecker(t);
    QVERIFY(checker);
    const QString text = QStringLiteral("La sentenzza è nulla; la giurisprudensa\ncostante e l'ordinamnto.");
    const auto found = checker->check(text);
    QCOMPARE(words(found), (QStringList{"sentenzza", "giurisprudensa", "ordinamnto"}));
    for (const SpellWord& w : found)
        QCOMPARE(text.mid(w.start, w.length), w.word);
    // Walking in order from a position.
    QCOMPARE(checker->nextMisspelled(text, 0)->word, QStringLiteral("sentenzza"));
    QCOMPARE(checker->nextMisspelled(text, found[0].end())->word, QStringLiteral("giurisprudensa"));
    QCOMPARE(checker->nextMisspelled(text, found[1].start + 1)->word, QStringLiteral("ordinamnto"));
    QVERIFY(!checker->nextMisspelled(text, found[2].end()));
    QCOMPARE(SpellChecker::replace(text, found[0], QStringLiteral("sentenza")).left(12),
             QStringLiteral("La sentenza "));
    // A text far longer than a summary, and words longer than any word.
    const QString huge = QString(QStringLiteral("sentenza ")).repeated(10000) + QString(500, u'x');
    QCOMPARE(checker->check(huge).size(), 1);
    QVERIFY(checker->suggest(QString(500, u'x')).isEmpty());
}

void UiSpelling::ignoreAllLastsForTheChecker() {
    TestHome t;
    const QString text = QStringLiteral("Quillaro indicizza; quillaro e Quillaro.");
    auto checker = openChecker(t);
    QVERIFY(checker);
    QCOMPARE(words(checker->check(text)), (QStringList{"Quillaro", "quillaro", "Quillaro"}));
    checker->ignoreAll(QStringLiteral("quillaro"));
    QVERIFY(checker->check(text).isEmpty()); // the capital at the start of a sentence too
    // Not for good: a new checker flags the word again.
    auto again = openChecker(t);
    QCOMPARE(again->check(text).size(), 3);
    QVERIFY(!QFile::exists(t.home().filePath(QStringLiteral("dizionario personale.dic"))));
}

void UiSpelling::personalDictionaryPersists() {
    TestHome t;
    auto checker = openChecker(t);
    QVERIFY(checker);
    QString error;
    QVERIFY(checker->addToPersonal(QStringLiteral("Quillaro"), &error));
    QVERIFY(checker->addToPersonal(QStringLiteral("spogliatore"), &error));
    QVERIFY(checker->isCorrect(QStringLiteral("Quillaro")));
    const QString path = t.home().filePath(QStringLiteral("dizionario personale.dic"));
    QCOMPARE(readFileBytes(path), QByteArray("Quillaro\nspogliatore\n"));
    // A new checker reads it back; a word added in lower case takes a capital at a sentence start.
    auto next = openChecker(t);
    QVERIFY(next->check(QStringLiteral("Quillaro e lo spogliatore. Spogliatore")).isEmpty());
    QCOMPARE(words(next->check(QStringLiteral("quillaro"))), QStringList{"quillaro"});
}

void UiSpelling::personalDictionaryFileIsMerged() {
    TestHome t;
    const QString path = t.home().filePath(QStringLiteral("dizionario personale.dic"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBFPrimo\r\n\r\n  Àncora  \r\n");
    }
    PersonalDictionary personal(path);
    QCOMPARE(personal.words(), (QStringList{"Primo", "Àncora"}));
    // Another session adds a word meanwhile: both are kept.
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        f.write("Altro\n");
    }
    QVERIFY(personal.add(QStringLiteral("Nuovo")));
    QCOMPARE(PersonalDictionary::read(path), (QStringList{"Primo", "Àncora", "Altro", "Nuovo"}));
    // A place that cannot be written: refused with a reason, the word kept for the session.
    PersonalDictionary nowhere(path + QStringLiteral("/sotto/x.dic")); // under a file
    QString error;
    QVERIFY(!nowhere.add(QStringLiteral("Parola"), &error));
    QVERIFY2(error.startsWith(QStringLiteral("Impossibile aggiornare il dizionario personale")),
             qPrintable(error));
    QVERIFY(nowhere.contains(QStringLiteral("Parola")));
}

void UiSpelling::englishAbstractInEnglish() {
    TestHome t;
    auto english = openChecker(t, SpellLanguage::English);
    QVERIFY(english);
    QCOMPARE(english->language(), SpellLanguage::English);
    const QString abstract = QStringLiteral("The Court held that the parties' judgment, under art. 6 ECHR, "
                                            "did not recieve the sentenza.");
    QCOMPARE(words(english->check(abstract)), (QStringList{"recieve", "sentenza"}));
    QVERIFY(english->suggest(QStringLiteral("recieve")).mid(0, 3).contains(QStringLiteral("receive")));
    // The same text against the Italian dictionary is full of unknown words.
    auto italian = openChecker(t);
    QVERIFY(italian->check(abstract).size() > 5);
}

void UiSpelling::languageOfTheText() {
    QCOMPARE(languageOfKind(QStringLiteral("8")), SpellLanguage::English);
    for (const char* kind : {"0", "1", "2", "3", "4", "5", "7"})
        QCOMPARE(languageOfKind(QString::fromLatin1(kind)), SpellLanguage::Italian);
    QCOMPARE(languageOfTesti(3), SpellLanguage::English);
    for (int tipo : {0, 1, 2})
        QCOMPARE(languageOfTesti(tipo), SpellLanguage::Italian);
}

void UiSpelling::eightBitDictionary() {
    QTemporaryDir dir;
    {
        QFile aff(dir.filePath(QStringLiteral("it_IT.aff")));
        QVERIFY(aff.open(QIODevice::WriteOnly));
        aff.write("SET ISO8859-15\nTRY aeioéèàùìòcrtsnlpdm\n");
        QFile dic(dir.filePath(QStringLiteral("it_IT.dic")));
        QVERIFY(dic.open(QIODevice::WriteOnly));
        dic.write(latin9(QStringLiteral("4\nperché\ncittà\nŒuvre\nè\n")));
    }
    QString error;
    auto checker = HunspellChecker::open({{dir.path()}, {}}, SpellLanguage::Italian, &error);
    QVERIFY2(checker, qPrintable(error));
    QVERIFY(checker->check(QStringLiteral("perché città Œuvre è")).isEmpty());
    QCOMPARE(words(checker->check(QStringLiteral("perche Łódź città"))), (QStringList{"perche", "Łódź"}));
    QCOMPARE(checker->suggest(QStringLiteral("perche")).value(0), QStringLiteral("perché"));
    QVERIFY(checker->suggest(QStringLiteral("Łódź")).isEmpty());
}

void UiSpelling::missingDictionary() {
    QTemporaryDir empty;
    const SpellSetup setup{{empty.path()}, {}};
    QString error;
    QVERIFY(!HunspellChecker::open(setup, SpellLanguage::Italian, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Dizionario italiano non trovato (it_IT.aff e it_IT.dic)")),
             qPrintable(error));
    QVERIFY(error.contains(QDir::toNativeSeparators(empty.path())));

    // The check tells the operator and leaves the text as it was.
    for (auto kind : {TextCheckKind::Spelling, TextCheckKind::Grammar}) {
        ScriptedDialogs dialogs;
        ScriptedCheckSession session;
        const auto result = ControlloTesto(kind, QStringLiteral("La sentenzza"), QStringLiteral("x"),
                                           SpellLanguage::English, setup, session, dialogs);
        QVERIFY(!result);
        QVERIFY(session.shown().isEmpty());
        QCOMPARE(dialogs.shown().size(), size_t(1));
        QVERIFY(dialogs.lastText().startsWith(QStringLiteral("Dizionario inglese non trovato (en_US.aff")));
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(dialogs.shown()[0].icon, Icon::Warning);
    }

    // The search follows QUILLARO_DICTIONARIES when it is set.
    TestHome t;
    qputenv("QUILLARO_DICTIONARIES", empty.path().toUtf8());
    const SpellSetup fromEnvironment = SpellSetup::forHome(t.home());
    qunsetenv("QUILLARO_DICTIONARIES");
    QCOMPARE(fromEnvironment.folders, QStringList{empty.path()});
    QCOMPARE(fromEnvironment.personalPath, t.home().filePath(QStringLiteral("dizionario personale.dic")));
    QVERIFY(SpellSetup::forHome(t.home()).folders.contains(t.home().filePath(QStringLiteral("dizionari"))));
}

void UiSpelling::preloadedDictionary() {
    TestHome t;
    const SpellSetup setup = SpellSetup::forHome(t.home());
    // Reading starts in the background; opening waits for it, then shares it.
    preloadDictionary(setup, SpellLanguage::English);
    preloadDictionary(setup, SpellLanguage::English);
    auto first = HunspellChecker::open(setup, SpellLanguage::English);
    auto second = HunspellChecker::open(setup, SpellLanguage::English);
    QVERIFY(first && second);
    QCOMPARE(words(first->check(QStringLiteral("the judgment of the Cuort"))), QStringList{"Cuort"});
    QCOMPARE(words(second->check(QStringLiteral("the Cuort"))), QStringList{"Cuort"});
    // Nothing to read: nothing happens.
    QTemporaryDir empty;
    preloadDictionary({{empty.path()}, {}}, SpellLanguage::Italian);
}

void UiSpelling::sentenceAroundFinding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("middle sentence") << "Prima frase. La sentenzza è nulla. Terza frase."
                                     << "sentenzza"
                                     << "La sentenzza è nulla.";
    QTest::newRow("abbreviations do not cut") << "Visto l'art. 3 lett. a) la sentenzza è nulla. Altro."
                                              << "sentenzza"
                                              << "Visto l'art. 3 lett. a) la sentenzza è nulla.";
    QTest::newRow("line") << "Titolo\nla sentenzza\naltro"
                          << "sentenzza"
                          << "la sentenzza";
    QTest::newRow("whole text") << "sentenzza"
                                << "sentenzza"
                                << "sentenzza";
}

void UiSpelling::sentenceAroundFinding() {
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(QString, sentence);
    const int start = int(text.indexOf(word));
    const TextSpan span = sentenceAround(text, start, start + int(word.size()));
    QCOMPARE(text.mid(span.start, span.end - span.start), sentence);
    QVERIFY(!span.cutBefore && !span.cutAfter);

    const QString longText = QString(QStringLiteral("parola ")).repeated(100) + QStringLiteral("sentenzza ") +
                             QString(QStringLiteral("parola ")).repeated(100);
    const int at = int(longText.indexOf(QStringLiteral("sentenzza")));
    const TextSpan cut = sentenceAround(longText, at, at + 9, 50);
    QVERIFY(cut.cutBefore && cut.cutAfter);
    QVERIFY(at - cut.start <= 50 && cut.end - (at + 9) <= 50);
    QVERIFY(longText.mid(cut.start, cut.end - cut.start).startsWith(QStringLiteral("parola")));
    QVERIFY(longText.mid(cut.start, cut.end - cut.start).endsWith(QStringLiteral("parola")));
}

QTEST_GUILESS_MAIN(UiSpelling)
#include "tst_ui_spelling.moc"
