// The check of a whole text with the operator's choices (scripted): replace, replace all, ignore,
// ignore all, add, cancel; spelling and grammar findings in one walk; and frmTesti's sequence
// around it (the question when the text is lost, the closing messages).

#include "support/TestHome.h"
#include "ui/HunspellChecker.h"
#include "ui/ScriptedCheckSession.h"
#include "ui/TextCheck.h"

#include <QtTest>

namespace {

struct Fixture {
    TestHome home;
    std::unique_ptr<HunspellChecker> speller;
    GrammarChecker grammar;
    ScriptedCheckSession session;

    Fixture() {
        qunsetenv("QUILLARO_DICTIONARIES");
        speller = HunspellChecker::open(SpellSetup::forHome(home.home()), SpellLanguage::Italian);
    }
    WalkResult spelling(const QString& text) {
        return walkText(text, *speller, nullptr, session, home.dialogs());
    }
    WalkResult both(const QString& text) {
        return walkText(text, *speller, &grammar, session, home.dialogs());
    }
};

} // namespace

class UiSpellingWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void replaceAndIgnore();
    void replacedWordIsCheckedAgain();
    void replaceAll();
    void ignoreAll();
    void addGoesToThePersonalDictionary();
    void addFailureIsReported();
    void cancelKeepsCorrectionsSoFar();
    void grammarWalkMergesBoth();
    void grammarIgnoreAndReplaceAll();
    void suggestionsOffered();
    void closingMessages_data();
    void closingMessages();
    void lostTextQuestion_data();
    void lostTextQuestion();
};

void UiSpellingWalk::replaceAndIgnore() {
    Fixture f;
    QVERIFY(f.speller);
    f.session.replaceWith(QStringLiteral("sentenza")).ignore().acceptFirst();
    const auto r = f.spelling(QStringLiteral("La sentenzza su Quillaro e la giurisprudensa."));
    QCOMPARE(r.text, QStringLiteral("La sentenza su Quillaro e la giurisprudenza."));
    QCOMPARE(f.session.shownTexts(), (QStringList{"sentenzza", "Quillaro", "giurisprudensa"}));
    QCOMPARE(r.replacements, 2);
    QVERIFY(!r.cancelled);
    QVERIFY(f.session.finished());
    QVERIFY(f.session.unexpected().isEmpty());
    // Each finding is shown in the text as it is at that moment.
    QCOMPARE(f.session.shown()[1].text, QStringLiteral("La sentenza su Quillaro e la giurisprudensa."));
    QCOMPARE(f.session.shown()[1].finding.start, 15);
}

void UiSpellingWalk::replacedWordIsCheckedAgain() {
    Fixture f;
    f.session.replaceWith(QStringLiteral("sentennza")).replaceWith(QStringLiteral("sentenza"));
    const auto r = f.spelling(QStringLiteral("sentenzza nulla"));
    QCOMPARE(r.text, QStringLiteral("sentenza nulla"));
    QCOMPARE(f.session.shownTexts(), (QStringList{"sentenzza", "sentennza"}));
    QVERIFY(f.session.unexpected().isEmpty());
}

void UiSpellingWalk::replaceAll() {
    Fixture f;
    // Passed over once, then replaced everywhere: before and after the current place.
    f.session.ignore().replaceAllWith(QStringLiteral("sentenza"));
    const auto r = f.spelling(QStringLiteral("sentenzza, sentenzza e ancora sentenzza (sentenzzas)."));
    QCOMPARE(r.text, QStringLiteral("sentenza, sentenza e ancora sentenza (sentenzzas)."));
    QCOMPARE(f.session.shownTexts(), (QStringList{"sentenzza", "sentenzza", "sentenzzas"}));
    QVERIFY(f.session.unexpected().contains(QStringLiteral("finding beyond the script: sentenzzas")));
}

void UiSpellingWalk::ignoreAll() {
    Fixture f;
    f.session.ignoreAll().ignore();
    const auto r = f.spelling(QStringLiteral("Quillaro e Quillaro, Tizzio e Quillaro"));
    QCOMPARE(r.text, QStringLiteral("Quillaro e Quillaro, Tizzio e Quillaro"));
    QCOMPARE(f.session.shownTexts(), (QStringList{"Quillaro", "Tizzio"}));
    QCOMPARE(r.replacements, 0);
    QVERIFY(f.session.unexpected().isEmpty());
}

void UiSpellingWalk::addGoesToThePersonalDictionary() {
    Fixture f;
    f.session.add();
    f.spelling(QStringLiteral("Quillaro e Quillaro"));
    QCOMPARE(f.session.shownTexts(), QStringList{"Quillaro"});
    QCOMPARE(PersonalDictionary::read(f.home.home().filePath(QStringLiteral("dizionario personale.dic"))),
             QStringList{"Quillaro"});
    // A later check does not stop on it.
    ScriptedCheckSession later;
    auto speller = HunspellChecker::open(SpellSetup::forHome(f.home.home()), SpellLanguage::Italian);
    walkText(QStringLiteral("Quillaro"), *speller, nullptr, later, f.home.dialogs());
    QVERIFY(later.shown().isEmpty());
    QVERIFY(f.home.dialogs().shown().empty());
}

void UiSpellingWalk::addFailureIsReported() {
    TestHome t;
    SpellSetup setup = SpellSetup::forHome(t.home());
    setup.personalPath = t.home().settingsPath() + QStringLiteral("/dizionario.dic"); // under a file
    QFile(t.home().settingsPath()).open(QIODevice::WriteOnly);
    auto speller = HunspellChecker::open(setup, SpellLanguage::Italian);
    ScriptedCheckSession session;
    session.add();
    const auto r = walkText(QStringLiteral("Quillaro e Quillaro"), *speller, nullptr, session, t.dialogs());
    QCOMPARE(session.shownTexts(), QStringList{"Quillaro"}); // kept for the session anyway
    QCOMPARE(t.dialogs().shown().size(), size_t(1));
    QVERIFY(
        t.dialogs().lastText().startsWith(QStringLiteral("Impossibile aggiornare il dizionario personale")));
    QCOMPARE(r.text, QStringLiteral("Quillaro e Quillaro"));
}

void UiSpellingWalk::cancelKeepsCorrectionsSoFar() {
    Fixture f;
    f.session.replaceWith(QStringLiteral("sentenza")).cancel();
    const auto r = f.spelling(QStringLiteral("sentenzza e giurisprudensa e ordinamnto"));
    QVERIFY(r.cancelled);
    QCOMPARE(r.text, QStringLiteral("sentenza e giurisprudensa e ordinamnto"));
    QCOMPARE(f.session.shownTexts(), (QStringList{"sentenzza", "giurisprudensa"}));
    QVERIFY(f.session.finished());
}

void UiSpellingWalk::grammarWalkMergesBoth() {
    Fixture f;
    // The misspelled word first, then the repetition its correction reveals, then the slips in order.
    f.session.acceptFirst().acceptFirst().acceptFirst().acceptFirst().acceptFirst().acceptFirst();
    const auto r =
        f.both(QStringLiteral("la sentenza sentenzza ,secondo l' art. 3 è nulla. la Corte dice un pò."));
    QCOMPARE(r.text, QStringLiteral("la sentenza, secondo l'art. 3 è nulla. La Corte dice un po'."));
    QCOMPARE(f.session.shownTexts(),
             (QStringList{"sentenzza", "sentenza sentenza", " ,", "l' art", "la", "pò"}));
    QVERIFY(f.session.shown()[0].finding.spelling);
    QVERIFY(!f.session.shown()[1].finding.spelling);
    QCOMPARE(f.session.shown()[1].finding.rule, QString(GrammarChecker::RepeatedWord));
    QCOMPARE(f.session.shown()[1].corrections, QStringList{"sentenza"});
    QVERIFY(f.session.unexpected().isEmpty());
    QVERIFY(f.session.allUsed());
}

void UiSpellingWalk::grammarIgnoreAndReplaceAll() {
    Fixture f;
    // Ignore once the first blank; replace all the others with the correction of the second.
    f.session.ignore().replaceAllWith(QStringLiteral(","));
    const auto r = f.both(QStringLiteral("uno , due , tre , quattro"));
    QCOMPARE(r.text, QStringLiteral("uno , due, tre, quattro"));
    QCOMPARE(f.session.shown().size(), 2);
    QVERIFY(f.session.unexpected().isEmpty());

    // Ignore all: the slip is no longer shown anywhere; other slips still are.
    Fixture g;
    g.session.ignoreAll().acceptFirst();
    const auto s = g.both(QStringLiteral("uno , due , tre il il"));
    QCOMPARE(s.text, QStringLiteral("uno , due , tre il"));
    QCOMPARE(g.session.shownTexts(), (QStringList{" ,", "il il"}));

    // "Aggiungi" on a slip cannot add to the dictionary: it ignores it everywhere.
    Fixture h;
    h.session.add();
    const auto u = h.both(QStringLiteral("uno , due ,"));
    QCOMPARE(u.text, QStringLiteral("uno , due ,"));
    QCOMPARE(h.session.shown().size(), 1);
    QVERIFY(!QFile::exists(h.home.home().filePath(QStringLiteral("dizionario personale.dic"))));
}

void UiSpellingWalk::suggestionsOffered() {
    Fixture f;
    f.session.ignore().ignore();
    f.both(QStringLiteral("sentenzza (aperta"));
    QCOMPARE(f.session.shown().size(), 2);
    QCOMPARE(f.session.shown()[0].corrections.value(0), QStringLiteral("sentenza"));
    QCOMPARE(f.session.shown()[0].finding.explanation, QStringLiteral("Non presente nel dizionario."));
    const TextFinding& bracket = f.session.shown()[1].finding;
    QCOMPARE(bracket.rule, QString(GrammarChecker::Unbalanced));
    QVERIFY(!bracket.certain);
    QCOMPARE(f.session.shown()[1].corrections, QStringList{QString()});
}

void UiSpellingWalk::closingMessages_data() {
    QTest::addColumn<bool>("grammar");
    QTest::addColumn<QString>("message");
    QTest::newRow("spelling") << false << "Controllo ortografico effettuato!";
    QTest::newRow("grammar") << true << "Controllo grammaticale effettuato!";
}

void UiSpellingWalk::closingMessages() {
    QFETCH(bool, grammar);
    QFETCH(QString, message);
    Fixture f;
    f.session.acceptFirst();
    const auto kind = grammar ? TextCheckKind::Grammar : TextCheckKind::Spelling;
    const auto result =
        ControlloTesto(kind, QStringLiteral("la sentenzza"), QStringLiteral("prima"), SpellLanguage::Italian,
                       SpellSetup::forHome(f.home.home()), f.session, f.home.dialogs());
    QCOMPARE(result, std::optional<QString>(QStringLiteral("la sentenza")));
    QCOMPARE(f.home.dialogs().texts(), QStringList{message});
    QCOMPARE(f.home.dialogs().shown()[0].icon, Icon::Information);
    QCOMPARE(f.home.dialogs().shown()[0].title, applicationTitle());
    // A text with nothing to correct: no finding, only the message.
    ScriptedCheckSession none;
    ScriptedDialogs dialogs;
    QCOMPARE(
        ControlloTesto(kind, QStringLiteral("La sentenza è nulla."), QString(), *f.speller, none, dialogs),
        QStringLiteral("La sentenza è nulla."));
    QVERIFY(none.shown().isEmpty());
    QCOMPARE(dialogs.texts(), QStringList{message});
}

void UiSpellingWalk::lostTextQuestion_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Yes restores") << Answer::Yes << "testo di apertura";
    QTest::newRow("No keeps it empty") << Answer::No << "";
}

void UiSpellingWalk::lostTextQuestion() {
    QFETCH(Answer, answer);
    QFETCH(QString, expected);
    Fixture f;
    f.session.replaceWith(QString());
    f.home.dialogs().answerNext(answer);
    const QString result =
        ControlloTesto(TextCheckKind::Spelling, QStringLiteral("sentenzza"),
                       QStringLiteral("testo di apertura"), *f.speller, f.session, f.home.dialogs());
    QCOMPARE(result, expected);
    const auto& shown = f.home.dialogs().shown();
    QCOMPARE(shown.size(), size_t(2));
    QCOMPARE(shown[0].text,
             QStringLiteral("Testo con correzioni perso: vuoi ripristinare il testo originale?"));
    QCOMPARE(shown[0].title, QStringLiteral("Attenzione!"));
    QCOMPARE(shown[0].buttons, Buttons::YesNo);
    QCOMPARE(shown[1].text, QStringLiteral("Controllo ortografico effettuato!"));
    QVERIFY(f.home.dialogs().unexpected().isEmpty());
}

QTEST_GUILESS_MAIN(UiSpellingWalk)
#include "tst_ui_spelling_walk.moc"
