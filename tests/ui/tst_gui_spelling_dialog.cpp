// The spelling and grammar dialog offscreen, driven from the keyboard as an operator does: the
// finding in its sentence, the suggestions, the accelerators, Enter and Esc; and pictures of it.

#include "support/gui/TestGui.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "ui/HunspellChecker.h"
#include "ui/SpellingDriver.h"
#include "ui/qt/QtCheckSession.h"
#include "ui/qt/frmControlloOrtografico.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

using namespace spelling_test;

namespace {

struct Run {
    TestHome home;
    std::unique_ptr<HunspellChecker> speller;
    WalkResult result;

    Run() {
        qunsetenv("QUILLARO_DICTIONARIES");
        speller = HunspellChecker::open(SpellSetup::forHome(home.home()), SpellLanguage::Italian);
    }
    void check(TextCheckKind kind, const QString& text, QList<Step> steps, int expectedSteps = -1) {
        Driver driver(steps);
        QtCheckSession session(kind, SpellLanguage::Italian);
        GrammarChecker grammar;
        result = walkText(text, *speller, kind == TextCheckKind::Grammar ? &grammar : nullptr, session,
                          home.dialogs());
        QCOMPARE(driver.done(), expectedSteps < 0 ? int(steps.size()) : expectedSteps);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

} // namespace

class GuiSpellingDialog : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void keyboardWalk();
    void escapeCancels();
    void addWithAccelerator();
    void grammarFindings();
    void strayBracketIsNotDeletedByEnter();
    void wordWithoutSuggestions();
};

void GuiSpellingDialog::keyboardWalk() {
    Run run;
    QVERIFY(run.speller);
    const QString text =
        QStringLiteral("Premessa. La sentenzza della Corte è nulla. Secondo la giurisprudensa "
                       "su Quillaro e Quillaro, il Tizzio decide.");
    run.check(
        TextCheckKind::Spelling, text,
        {
            [](frmControlloOrtografico* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Controllo ortografico"));
                QCOMPARE(d->lblMotivo->text(), QStringLiteral("Non presente nel dizionario: «sentenzza»"));
                QCOMPARE(d->txtFrase->toPlainText(), QStringLiteral("La sentenzza della Corte è nulla."));
                QCOMPARE(highlighted(d->txtFrase), QStringLiteral("sentenzza"));
                QCOMPARE(d->lstSuggerimenti->item(0)->text(), QStringLiteral("sentenza"));
                QCOMPARE(d->txtSostituisci->text(), QStringLiteral("sentenza"));
                QVERIFY(d->cmdSostituisci->isDefault());
                QVERIFY(d->cmdAggiungi->isEnabled());
                QCOMPARE(d->lblLingua->text(), QStringLiteral("Lingua del dizionario: italiano"));
                saveScreenshot(d, QStringLiteral("frmControlloOrtografico_ortografia"));
                QVERIFY(d->lstSuggerimenti->hasFocus());
                QTest::keyClick(d->lstSuggerimenti, Qt::Key_Return); // the default: Sostituisci
            },
            [](frmControlloOrtografico* d) {
                QCOMPARE(highlighted(d->txtFrase), QStringLiteral("giurisprudensa"));
                QTest::keyClick(d, Qt::Key_S, Qt::AltModifier);
            },
            [](frmControlloOrtografico* d) {
                QCOMPARE(highlighted(d->txtFrase), QStringLiteral("Quillaro"));
                QTest::keyClick(d, Qt::Key_U, Qt::AltModifier); // Ignora tutto
            },
            [](frmControlloOrtografico* d) {
                // One's own correction: Alt+O goes to the edit, Enter applies it.
                QTest::keyClick(d, Qt::Key_O, Qt::AltModifier);
                QVERIFY(d->txtSostituisci->hasFocus());
                d->txtSostituisci->selectAll();
                QTest::keyClicks(d->txtSostituisci, QStringLiteral("Tizio"));
                QTest::keyClick(d->txtSostituisci, Qt::Key_Return);
            },
        });
    QCOMPARE(run.result.text,
             QStringLiteral("Premessa. La sentenza della Corte è nulla. Secondo la giurisprudenza "
                            "su Quillaro e Quillaro, il Tizio decide."));
    QVERIFY(!run.result.cancelled);
}

void GuiSpellingDialog::escapeCancels() {
    Run run;
    // The arrows pick another suggestion; Esc then ends the check with nothing replaced.
    run.check(TextCheckKind::Spelling, QStringLiteral("sentenzza e giurisprudensa"),
              {[](frmControlloOrtografico* d) {
                  QTest::keyClick(d->lstSuggerimenti, Qt::Key_Down);
                  QCOMPARE(d->txtSostituisci->text(), d->lstSuggerimenti->item(1)->text());
                  QTest::keyClick(d->lstSuggerimenti, Qt::Key_Escape);
              }});
    QVERIFY(run.result.cancelled);
    QCOMPARE(run.result.text, QStringLiteral("sentenzza e giurisprudensa"));
}

void GuiSpellingDialog::addWithAccelerator() {
    Run run;
    run.check(TextCheckKind::Spelling, QStringLiteral("Quillaro e Quillaro"),
              {[](frmControlloOrtografico* d) { QTest::keyClick(d, Qt::Key_A, Qt::AltModifier); }});
    QCOMPARE(PersonalDictionary::read(run.home.home().filePath(QStringLiteral("dizionario personale.dic"))),
             QStringList{"Quillaro"});
}

void GuiSpellingDialog::grammarFindings() {
    Run run;
    run.check(TextCheckKind::Grammar,
              QStringLiteral("Il ricorso è fondato. la sentenza ,secondo il il giudice, è nulla."),
              {
                  [](frmControlloOrtografico* d) {
                      QCOMPARE(d->windowTitle(), QStringLiteral("Controllo grammaticale"));
                      QCOMPARE(d->lblMotivo->text(),
                               QStringLiteral("Dopo il punto che chiude la frase ci vuole la maiuscola."));
                      QCOMPARE(highlighted(d->txtFrase), QStringLiteral("la"));
                      QCOMPARE(items(d->lstSuggerimenti), QStringList{"La"});
                      QVERIFY(!d->cmdAggiungi->isEnabled());
                      QTest::keyClick(d->lstSuggerimenti, Qt::Key_Return);
                  },
                  [](frmControlloOrtografico* d) {
                      QCOMPARE(d->lblMotivo->text(),
                               QStringLiteral("Spazio prima del segno di punteggiatura."));
                      QCOMPARE(d->txtSostituisci->text(), QStringLiteral(", "));
                      QTest::keyClick(d, Qt::Key_S, Qt::AltModifier);
                  },
                  [](frmControlloOrtografico* d) {
                      QCOMPARE(d->lblMotivo->text(), QStringLiteral("Parola ripetuta."));
                      QCOMPARE(highlighted(d->txtFrase), QStringLiteral("il il"));
                      saveScreenshot(d, QStringLiteral("frmControlloOrtografico_grammatica"));
                      QTest::keyClick(d->lstSuggerimenti, Qt::Key_Return);
                  },
              });
    QCOMPARE(run.result.text,
             QStringLiteral("Il ricorso è fondato. La sentenza, secondo il giudice, è nulla."));
}

void GuiSpellingDialog::strayBracketIsNotDeletedByEnter() {
    Run run;
    run.check(TextCheckKind::Grammar, QStringLiteral("(art. 2 della legge"), {[](frmControlloOrtografico* d) {
                  QCOMPARE(items(d->lstSuggerimenti), QStringList{"(elimina)"});
                  QCOMPARE(d->txtSostituisci->text(), QString());
                  QVERIFY(d->cmdIgnora->isDefault());
                  saveScreenshot(d, QStringLiteral("frmControlloOrtografico_parentesi"));
                  QTest::keyClick(d->lstSuggerimenti, Qt::Key_Return);
              }});
    QCOMPARE(run.result.text, QStringLiteral("(art. 2 della legge"));
}

void GuiSpellingDialog::wordWithoutSuggestions() {
    Run run;
    run.check(TextCheckKind::Spelling, QStringLiteral("il xqzwvkj finale"), {[](frmControlloOrtografico* d) {
                  QCOMPARE(items(d->lstSuggerimenti), QStringList{"(nessun suggerimento)"});
                  QCOMPARE(d->txtSostituisci->text(), QStringLiteral("xqzwvkj"));
                  QVERIFY(d->cmdIgnora->isDefault());
                  QTest::keyClick(d, Qt::Key_Return);
              }});
    QCOMPARE(run.result.text, QStringLiteral("il xqzwvkj finale"));
    QVERIFY(!run.result.cancelled);
}

QTEST_MAIN(GuiSpellingDialog)
#include "tst_gui_spelling_dialog.moc"
