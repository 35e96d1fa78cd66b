// The two check buttons of frmTesti offscreen, with the dialog driven from the keyboard and the
// message boxes answered by script; and the whole path of an operator: a summary typed with two
// typos and a repeated word, corrected in the dialog, the document saved with F4.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/EditorFixture.h"
#include "documents/Testi.h"
#include "documents/frmDocumento.h"
#include "documents/frmTesti.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "ui/SpellingDriver.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace spelling_test;

namespace {

struct Testi {
    TestHome home;
    DocumentBuffer buffer;
    std::unique_ptr<frmTesti> dialog;

    explicit Testi(int tipo, const QString& testo) {
        qunsetenv("QUILLARO_DICTIONARIES");
        buffer.TipoTestoCorrente = tipo;
        *testoFrmTesti(buffer, tipo) = testo;
        dialog = std::make_unique<frmTesti>(home.state(), buffer);
        dialog->show();
    }
    // Clicks a check button with the dialog driven by `steps`; returns how many steps ran.
    int click(QPushButton* button, QList<Step> steps) {
        Driver driver(std::move(steps));
        button->click();
        return driver.done();
    }
    QString text() const { return dialog->txtTesto->toPlainText(); }
    QStringList messages() const { return const_cast<TestHome&>(home).dialogs().texts(); }
};

void enter(frmControlloOrtografico* d) {
    QTest::keyClick(d->lstSuggerimenti, Qt::Key_Return);
}

} // namespace

class GuiSpellingTesti : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void spellingButton();
    void grammarButton();
    void englishAbstractInEnglish();
    void correctedTextBeforeTheMessage_data();
    void correctedTextBeforeTheMessage();
    void lostTextQuestion_data();
    void lostTextQuestion();
    void abandonAfterCheckLeavesTheText();
    void missingDictionary();
    void operatorCorrectsAndSaves();
};

void GuiSpellingTesti::spellingButton() {
    Testi t(0, QStringLiteral("La sentenzza il il giudice."));
    QCOMPARE(t.click(t.dialog->cmdControlloOrtografico, {[](frmControlloOrtografico* d) {
                         QCOMPARE(d->windowTitle(), QStringLiteral("Controllo ortografico"));
                         enter(d);
                     }}),
             1);
    // The spelling check leaves the repeated word to the grammar check.
    QCOMPARE(t.text(), QStringLiteral("La sentenza il il giudice."));
    QCOMPARE(t.messages(), QStringList{"Controllo ortografico effettuato!"});
    QCOMPARE(t.dialog->lblConteggio->text(), QStringLiteral("26"));
    // The corrections are one editing step of the text box.
    t.dialog->txtTesto->undo();
    QCOMPARE(t.text(), QStringLiteral("La sentenzza il il giudice."));
}

void GuiSpellingTesti::grammarButton() {
    Testi t(1, QStringLiteral("La sentenzza il il giudice."));
    QCOMPARE(t.click(t.dialog->cmdControlloGrammaticale,
                     {[](frmControlloOrtografico* d) {
                          QCOMPARE(d->windowTitle(), QStringLiteral("Controllo grammaticale"));
                          QCOMPARE(highlighted(d->txtFrase), QStringLiteral("sentenzza"));
                          enter(d);
                      },
                      [](frmControlloOrtografico* d) {
                          QCOMPARE(d->lblMotivo->text(), QStringLiteral("Parola ripetuta."));
                          enter(d);
                      }}),
             2);
    QCOMPARE(t.text(), QStringLiteral("La sentenza il giudice."));
    QCOMPARE(t.messages(), QStringList{"Controllo grammaticale effettuato!"});
    t.dialog->cmdEsci->click();
    QCOMPARE(t.buffer.TestoSommario, QStringLiteral("La sentenza il giudice."));
}

void GuiSpellingTesti::englishAbstractInEnglish() {
    Testi t(3, QStringLiteral("The Court did not recieve the appeal."));
    QCOMPARE(t.click(t.dialog->cmdControlloOrtografico, {[](frmControlloOrtografico* d) {
                         QCOMPARE(d->lblLingua->text(), QStringLiteral("Lingua del dizionario: inglese"));
                         QCOMPARE(d->txtSostituisci->text(), QStringLiteral("receive"));
                         enter(d);
                     }}),
             1);
    QCOMPARE(t.text(), QStringLiteral("The Court did not receive the appeal."));
    t.dialog->cmdEsci->click();
    QCOMPARE(t.buffer.TestoEnglishAbstract, QStringLiteral("The Court did not receive the appeal."));
}

// The box saying that the check is over comes when the text box already shows the result.
void GuiSpellingTesti::correctedTextBeforeTheMessage_data() {
    QTest::addColumn<bool>("grammar");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    QTest::newRow("spelling") << false << "Controllo ortografico effettuato!"
                              << "La sentenza il il giudice.";
    QTest::newRow("grammar") << true << "Controllo grammaticale effettuato!"
                             << "La sentenza il giudice.";
}

void GuiSpellingTesti::correctedTextBeforeTheMessage() {
    QFETCH(bool, grammar);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    Testi t(0, QStringLiteral("La sentenzza il il giudice."));
    QStringList behind;
    t.home.dialogs().whenShown([&t, &behind](const ShownMessage& m) { behind << m.text + " | " + t.text(); });
    t.click(grammar ? t.dialog->cmdControlloGrammaticale : t.dialog->cmdControlloOrtografico, {enter, enter});
    QCOMPARE(behind, QStringList{message + " | " + expected});
}

void GuiSpellingTesti::lostTextQuestion_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Yes restores the opening text") << Answer::Yes << "sentenzza";
    QTest::newRow("No keeps it empty") << Answer::No << "";
}

void GuiSpellingTesti::lostTextQuestion() {
    QFETCH(Answer, answer);
    QFETCH(QString, expected);
    Testi t(0, QStringLiteral("sentenzza"));
    t.home.dialogs().answerNext(answer);
    QString behind = QStringLiteral("not shown");
    t.home.dialogs().whenShown([&t, &behind](const ShownMessage& m) {
        if (m.text == u"Controllo ortografico effettuato!")
            behind = t.text();
    });
    // The operator empties the replacement and replaces: nothing is left of the text.
    t.click(t.dialog->cmdControlloOrtografico, {[](frmControlloOrtografico* d) {
                QTest::keyClick(d, Qt::Key_O, Qt::AltModifier);
                d->txtSostituisci->clear();
                QTest::keyClick(d->txtSostituisci, Qt::Key_Return);
            }});
    QCOMPARE(t.text(), expected);
    QCOMPARE(t.messages(), (QStringList{"Testo con correzioni perso: vuoi ripristinare il testo originale?",
                                        "Controllo ortografico effettuato!"}));
    QCOMPARE(behind, expected);
    QCOMPARE(t.home.dialogs().shown()[0].title, QStringLiteral("Attenzione!"));
    QVERIFY(t.home.dialogs().unexpected().isEmpty());
}

void GuiSpellingTesti::abandonAfterCheckLeavesTheText() {
    Testi t(2, QStringLiteral("la sentenzza"));
    t.click(t.dialog->cmdControlloOrtografico, {enter});
    QCOMPARE(t.text(), QStringLiteral("la sentenza"));
    t.dialog->cmdAbbandona->click();
    QCOMPARE(t.buffer.TestoInTemaDi, QStringLiteral("la sentenzza"));
}

void GuiSpellingTesti::missingDictionary() {
    QTemporaryDir empty;
    qputenv("QUILLARO_DICTIONARIES", empty.path().toUtf8());
    TestHome home;
    DocumentBuffer buffer;
    buffer.TestoRiassunto = QStringLiteral("La sentenzza");
    frmTesti dialog(home.state(), buffer);
    dialog.show();
    Driver driver({});
    dialog.cmdControlloGrammaticale->click();
    qunsetenv("QUILLARO_DICTIONARIES");
    QCOMPARE(driver.done(), 0);
    QCOMPARE(dialog.txtTesto->toPlainText(), QStringLiteral("La sentenzza"));
    QCOMPARE(home.dialogs().shown().size(), size_t(1));
    QVERIFY(home.dialogs().lastText().startsWith(QStringLiteral("Dizionario italiano non trovato")));
    QCOMPARE(home.dialogs().shown()[0].icon, Icon::Warning);
}

void GuiSpellingTesti::operatorCorrectsAndSaves() {
    qunsetenv("QUILLARO_DICTIONARIES");
    TestHome t;
    MDIQuillaro main(t.state());
    QVERIFY(main.apriArchivio(t.createArchive()));
    editor_test::riempiLookup(t.state().Connessione);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    azione(main, "mnuDocumentiNuovo")->trigger();
    auto* w = main.findChild<frmDocumento*>();
    QVERIFY(w);
    w->cmbCPer->setCurrentIndex(w->cmbCPer->findText(QStringLiteral("TST1"), Qt::MatchStartsWith));
    QTest::keyClicks(w->txtTitolo, QStringLiteral("La custodia delle strade"));

    const QString typed =
        QStringLiteral("La Corte cassa la sentenzza che aveva escluso la responsabilità "
                       "del comune, poiché secondo la giurisprudensa il il custode risponde "
                       "del danno salvo il caso fortuito.");
    const QString corrected =
        QStringLiteral("La Corte cassa la sentenza che aveva escluso la responsabilità "
                       "del comune, poiché secondo la giurisprudenza il custode risponde "
                       "del danno salvo il caso fortuito.");
    bool checked = false;
    onNextModal<frmTesti>([&](frmTesti* d) {
        d->txtTesto->setFocus();
        d->txtTesto->insertPlainText(typed); // as pasted: the key simulator knows no accented letters
        Driver spelling({enter, [](frmControlloOrtografico* c) {
                             saveScreenshot(c, QStringLiteral("frmTesti_controllo"));
                             QTest::keyClick(c, Qt::Key_S, Qt::AltModifier);
                         }});
        d->cmdControlloOrtografico->click();
        Driver grammar({[](frmControlloOrtografico* c) {
            QCOMPARE(highlighted(c->txtFrase), QStringLiteral("il il"));
            enter(c);
        }});
        d->cmdControlloGrammaticale->click();
        checked = spelling.done() == 2 && grammar.done() == 1 && d->txtTesto->toPlainText() == corrected;
        saveScreenshot(d, QStringLiteral("frmTesti_corretto"));
        QVERIFY(QTest::qWaitForWindowActive(d)); // the check hands the keyboard back to the text
        d->cmdEsci->click();
    });
    w->txtTitolo->setFocus();
    QTest::keyClick(w->txtTitolo, Qt::Key_F10);
    QVERIFY(checked);
    QCOMPARE(w->buffer().TestoRiassunto, corrected);

    w->txtPagine->setFocus();
    QTest::keyClick(w->txtPagine, Qt::Key_F4);
    QStringList mostrati = t.dialogs().texts();
    if (!mostrati.isEmpty()) // the findings left follow on a line of their own
        mostrati.last() = mostrati.last().section(u'\n', 0, 0);
    QCOMPARE(mostrati, (QStringList{"Controllo ortografico effettuato!", "Controllo grammaticale effettuato!",
                                    "Documento salvato!"}));
    RecordSet rs = t.state().Connessione.ApriRS(
        QStringLiteral(
            "select Testo from tabTesto, legameDocTesto where legameDocTesto.IDTesto = tabTesto.IDTesto "
            "and IDDoc = ? and Tipo = ?"),
        {1, QStringLiteral("1")});
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(QStringLiteral("Testo")).toString(), corrected);
}

QTEST_MAIN(GuiSpellingTesti)
#include "tst_gui_spelling_testi.moc"
