// The update windows offscreen: composing an abbreviation file and a count batch from the menu.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "update/FileSigle.h"
#include "update/frmFileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

namespace {

void addDocuments(const QString& path, int n) {
    cConnessione c;
    QVERIFY(c.ApriConnessione(path));
    for (int i = 1; i <= n; ++i)
        c.EseguiIstruzione(QStringLiteral("insert into tabDocumento (IDDocumento, IDRifBibl) values (?, 0)"),
                           {i});
}

} // namespace

class GuiUpdate : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void composeAnAbbreviationFile();
    void openAnExistingFile();
    void countBatchFromTheMenu();
    void cancelledChoiceRunsNothing();
    void theListKeepsItsOwnFile();
    void closingAChangedListAsks();
    void leavingTheChoiceOtherwiseCancels_data();
    void leavingTheChoiceOtherwiseCancels();
    void oneAbbreviationWindow();
    void escapeClosesAskingForChanges_data();
    void escapeClosesAskingForChanges();
    void aNewFileNamedLikeAnotherInAnotherCase();
};

void GuiUpdate::composeAnAbbreviationFile() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QString existing = t.home().mdbPath(QStringLiteral("sigle.OLD"));
    ScriviFileSigle(existing, {QStringLiteral("X")});
    w.findChild<QAction*>("mnuUtilitaAggiornamentoFileSigle")->trigger();
    auto* form = w.findChild<frmFileSigle*>();
    QVERIFY(form);
    QVERIFY(form->frmOperazioniSigle->isHidden());
    QVERIFY(form->Label2->isHidden());
    form->chkNuovoFile->setChecked(true);
    // An existing file is refused for "File nuovo?" and the dialog comes again.
    t.dialogs().answerNextFile(existing);
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("sigle.N26")));
    form->cmdApriFileSigle->click();
    QCOMPARE(t.dialogs().texts(), QStringList{"Nome archivio già presente: inserire un nuovo nome!"});
    QVERIFY(form->frmOperazioniSigle->isVisible());
    QCOMPARE(form->Label2->text(), QStringLiteral("0"));
    t.dialogs().clear();
    for (const char* typed : {"CONS1", "CONS1", "", " CONS2 ", "CONS3"}) {
        t.dialogs().answerNextInput(QString::fromUtf8(typed));
        form->cmdNuovaSigla->click();
    }
    QCOMPARE(form->sigle(), (QStringList{"CONS1", " CONS2 ", "CONS3"}));
    QCOMPARE(form->Label2->text(), QStringLiteral("3"));
    QCOMPARE(t.dialogs().shown().size(), size_t(7)); // five input boxes, two refusals
    form->lstSigle->setCurrentRow(0);
    form->cmdEliminaSigla->click();
    QCOMPARE(form->Label2->text(), QStringLiteral("2"));
    saveScreenshot(form, QStringLiteral("frmFileSigle"));
    form->cmdEsciSalva->click();
    QCOMPARE(readFileBytes(t.home().mdbPath(QStringLiteral("sigle.N26"))),
             QByteArray(" CONS2 \r\nCONS3\r\n"));
    QTRY_VERIFY(w.findChild<frmFileSigle*>() == nullptr);
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiUpdate::openAnExistingFile() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QString path = t.home().mdbPath(QStringLiteral("sigle.E26"));
    ScriviFileSigle(path, {QStringLiteral("A"), QStringLiteral("B")});
    w.findChild<QAction*>("mnuUtilitaAggiornamentoFileSigle")->trigger();
    auto* form = w.findChild<frmFileSigle*>();
    t.dialogs().answerNextFile(path);
    form->cmdApriFileSigle->click();
    QCOMPARE(form->sigle(), (QStringList{"A", "B"}));
    QCOMPARE(form->Label2->text(), QStringLiteral("2"));
    QCOMPARE(t.dialogs().fileRequests().back().title, QStringLiteral("Apri file sigle"));
    QVERIFY(t.dialogs().fileRequests().back().mustExist);
    // Annulla writes nothing.
    form->lstSigle->clear();
    form->cmdAnnulla->click();
    QCOMPARE(readFileBytes(path), QByteArray("A\r\nB\r\n"));
}

void GuiUpdate::countBatchFromTheMenu() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    addDocuments(t.createArchive(QStringLiteral("UNO"), "3", "2026", "21", "1"), 4);
    addDocuments(t.createArchive(QStringLiteral("DUE"), "3", "2026", "22", "5"), 12);
    ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.G26")),
                    {QStringLiteral("UNO"), QStringLiteral("DUE")});
    ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.ALT")), {});
    onNextModal<frmSceltaFileOut>([](frmSceltaFileOut* d) {
        QVERIFY(d->cmdNuovo->isHidden());
        QCOMPARE(d->fileListOut->count(), 2);
        saveScreenshot(d, QStringLiteral("frmSceltaFileOut"));
        // Confirming with nothing chosen is refused.
        d->cmdConferma->click();
        QVERIFY(d->isVisible());
        d->fileListOut->setCurrentItem(
            d->fileListOut->findItems(QStringLiteral("sigle.G26"), Qt::MatchExactly).first());
        d->cmdConferma->click();
    });
    w.findChild<QAction*>("mnuUtilitaAggiornamentoControlliConteggio")->trigger();
    QCOMPARE(t.dialogs().texts().first(),
             QStringLiteral("Non è stato selezionato alcun file fra gli esistenti né il nome di uno nuovo!"));
    QCOMPARE(readFileBytes(t.home().dumpPath(QStringLiteral("conteggio.G26"))),
             QByteArray("Consegna 21:   4 documenti da 202630001 a 202630004\r\n"
                        "Consegna 22:  12 documenti da 202630005 a 202630016\r\n"
                        "16 documenti in 2 consegne\r\n"));
    QCOMPARE(t.dialogs().lastText(), QStringLiteral("16 documenti in 2 consegne"));
    QVERIFY(!t.state().ModoAggiornamento);
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiUpdate::cancelledChoiceRunsNothing() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    addDocuments(t.createArchive(QStringLiteral("UNO"), "3", "2026", "21", "1"), 4);
    ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.C26")), {QStringLiteral("UNO")});
    onNextModal<frmSceltaFileOut>([](frmSceltaFileOut* d) {
        d->fileListOut->setCurrentRow(0);
        d->cmdAnnulla->click();
    });
    w.findChild<QAction*>("mnuUtilitaAggiornamentoControlliConteggio")->trigger();
    QVERIFY(!QFileInfo::exists(t.home().dumpPath(QStringLiteral("conteggio.C26"))));
    QVERIFY(!t.state().ModoAggiornamento);
    QVERIFY(t.state().FileScelto.isEmpty());
    QVERIFY(t.dialogs().shown().empty());
}

namespace {

// The abbreviation window opened from the menu on an existing file of A and B.
frmFileSigle* openedOn(MDIQuillaro& w, TestHome& t, const QString& path) {
    ScriviFileSigle(path, {QStringLiteral("A"), QStringLiteral("B")});
    w.findChild<QAction*>("mnuUtilitaAggiornamentoFileSigle")->trigger();
    auto* form = w.findChild<frmFileSigle*>();
    t.dialogs().answerNextFile(path);
    form->cmdApriFileSigle->click();
    return form;
}

void addSigla(TestHome& t, frmFileSigle* form, const QString& sigla) {
    t.dialogs().answerNextInput(sigla);
    form->cmdNuovaSigla->click();
}

} // namespace

void GuiUpdate::theListKeepsItsOwnFile() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QString path = t.home().mdbPath(QStringLiteral("sigle.K26"));
    frmFileSigle* form = openedOn(w, t, path);
    addSigla(t, form, QStringLiteral("C"));
    // A cancelled file dialog leaves the list and its file as they were.
    t.dialogs().answerNextFile(QString());
    form->cmdApriFileSigle->click();
    QCOMPARE(form->sigle(), (QStringList{"A", "B", "C"}));
    // A batch run meanwhile reuses the shared chosen-file path for its output.
    addDocuments(t.createArchive(QStringLiteral("UNO"), "3", "2026", "21", "1"), 1);
    ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.CNT")), {QStringLiteral("UNO")});
    onNextModal<frmSceltaFileOut>([](frmSceltaFileOut* d) {
        d->fileListOut->setCurrentItem(
            d->fileListOut->findItems(QStringLiteral("sigle.CNT"), Qt::MatchExactly).first());
        d->cmdConferma->click();
    });
    w.findChild<QAction*>("mnuUtilitaAggiornamentoControlliConteggio")->trigger();
    const QByteArray count = readFileBytes(t.home().dumpPath(QStringLiteral("conteggio.CNT")));
    QVERIFY(count.endsWith("1 documenti in 1 consegne\r\n"));
    // The list is still saved to its own file, and the batch's output is left alone.
    form->cmdEsciSalva->click();
    QCOMPARE(readFileBytes(path), QByteArray("A\r\nB\r\nC\r\n"));
    QCOMPARE(readFileBytes(t.home().dumpPath(QStringLiteral("conteggio.CNT"))), count);
    QTRY_VERIFY(w.findChild<frmFileSigle*>() == nullptr);
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiUpdate::closingAChangedListAsks() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QString path = t.home().mdbPath(QStringLiteral("sigle.Q26"));
    // Unchanged: the frame closes it without a question.
    openedOn(w, t, path);
    w.mdiArea()->closeAllSubWindows();
    QTRY_VERIFY(w.findChild<frmFileSigle*>() == nullptr);
    QVERIFY(t.dialogs().shown().empty());

    frmFileSigle* form = openedOn(w, t, path);
    addSigla(t, form, QStringLiteral("C"));
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    // Annulla: the window and the list stay.
    t.dialogs().answerNext(Answer::Cancel);
    QVERIFY(!sub->close());
    QCOMPARE(t.dialogs().lastText(),
             QStringLiteral("Il file sigle sigle.Q26 è stato modificato: salvarlo prima di chiudere?"));
    QCOMPARE(form->sigle(), (QStringList{"A", "B", "C"}));
    // File > Chiudi is refused the same way, and the archive stays open.
    t.createArchive(QStringLiteral("APERTO"));
    QVERIFY(w.apriArchivio(t.home().mdbPath(QStringLiteral("APERTO.db"))));
    t.dialogs().answerNext(Answer::Cancel);
    w.findChild<QAction*>("mnuFileChiudi")->trigger();
    QVERIFY(t.state().ArchivioAperto);
    QCOMPARE(readFileBytes(path), QByteArray("A\r\nB\r\n"));
    // Sì saves, then closes.
    t.dialogs().answerNext(Answer::Yes);
    QVERIFY(sub->close());
    QCOMPARE(readFileBytes(path), QByteArray("A\r\nB\r\nC\r\n"));
    QTRY_VERIFY(w.findChild<frmFileSigle*>() == nullptr);

    // No drops the changes; Annulla of the window itself never asks.
    form = openedOn(w, t, path);
    addSigla(t, form, QStringLiteral("D"));
    t.dialogs().answerNext(Answer::No);
    QVERIFY(qobject_cast<QMdiSubWindow*>(form->parentWidget())->close());
    QCOMPARE(readFileBytes(path), QByteArray("A\r\nB\r\n"));
    QTRY_VERIFY(w.findChild<frmFileSigle*>() == nullptr);
    form = openedOn(w, t, path);
    addSigla(t, form, QStringLiteral("E"));
    const size_t boxes = t.dialogs().shown().size();
    form->cmdAnnulla->click();
    QCOMPARE(t.dialogs().shown().size(), boxes);
    QTRY_VERIFY(w.findChild<frmFileSigle*>() == nullptr);
    QVERIFY(t.dialogs().unexpected().isEmpty());
    QVERIFY(t.dialogs().allAnswersUsed());
}

void GuiUpdate::leavingTheChoiceOtherwiseCancels_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("frame's close button") << "close";
    QTest::newRow("Annulla") << "annulla";
}

void GuiUpdate::leavingTheChoiceOtherwiseCancels() {
    // A file clicked, then the window left without Conferma: no batch runs and nothing is appended.
    QFETCH(QString, how);
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    addDocuments(t.createArchive(QStringLiteral("UNO"), "3", "2026", "21", "1"), 2);
    ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.C26")), {QStringLiteral("UNO")});
    bool shown = false;
    onNextModal<frmSceltaFileOut>([&](frmSceltaFileOut* d) {
        shown = true;
        QListWidget* list = d->fileListOut;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(t.state().FileScelto, t.home().mdbPath(QStringLiteral("sigle.C26")));
        if (how == u"esc")
            QTest::keyClick(d, Qt::Key_Escape);
        else if (how == u"close")
            d->close();
        else
            d->cmdAnnulla->click();
    });
    w.findChild<QAction*>("mnuUtilitaAggiornamentoControlliEsegui")->trigger();
    QVERIFY(shown);
    QVERIFY(QDir(t.home().dumpDir()).entryList(QDir::Files).isEmpty());
    QVERIFY(t.state().FileScelto.isEmpty());
    QVERIFY(!t.state().ModoAggiornamento);
    QVERIFY(t.dialogs().shown().empty());
}

// Esc closes "Composizione file sigle" as the frame does: a changed list
// is asked about first (Annulla keeps the window, Sì saves, No drops the change).
void GuiUpdate::escapeClosesAskingForChanges_data() {
    QTest::addColumn<bool>("modificata");
    QTest::addColumn<int>("risposta"); // to the question, when there is one
    QTest::addColumn<bool>("chiusa");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("unchanged") << false << -1 << true << QByteArray("A\r\nB\r\n");
    QTest::newRow("changed, Annulla") << true << int(Answer::Cancel) << false << QByteArray("A\r\nB\r\n");
    QTest::newRow("changed, Sì") << true << int(Answer::Yes) << true << QByteArray("A\r\nB\r\nC\r\n");
    QTest::newRow("changed, No") << true << int(Answer::No) << true << QByteArray("A\r\nB\r\n");
}

void GuiUpdate::escapeClosesAskingForChanges() {
    QFETCH(bool, modificata);
    QFETCH(int, risposta);
    QFETCH(bool, chiusa);
    QFETCH(QByteArray, file);
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QString path = t.home().mdbPath(QStringLiteral("sigle.X26"));
    frmFileSigle* form = openedOn(w, t, path);
    if (modificata)
        addSigla(t, form, QStringLiteral("C"));
    if (risposta >= 0)
        t.dialogs().answerNext(Answer(risposta));
    form->lstSigle->setFocus();
    QTest::keyClick(form->lstSigle, Qt::Key_Escape);
    QTRY_COMPARE(w.findChild<frmFileSigle*>() == nullptr, chiusa);
    QCOMPARE(t.dialogs().shown().size(), size_t(modificata ? 2 : 0)); // the input box, the question
    QCOMPARE(readFileBytes(path), file);
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiUpdate::oneAbbreviationWindow() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QString path = t.home().mdbPath(QStringLiteral("sigle.U26"));
    frmFileSigle* form = openedOn(w, t, path);
    addSigla(t, form, QStringLiteral("C"));
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    // Another window in front, and the list window minimised.
    QMdiSubWindow* other = w.mdiArea()->addSubWindow(new QWidget);
    other->show();
    sub->showMinimized();
    w.mdiArea()->setActiveSubWindow(other);
    QCOMPARE(w.mdiArea()->activeSubWindow(), other);
    w.findChild<QAction*>("mnuUtilitaAggiornamentoFileSigle")->trigger();
    QCOMPARE(w.findChildren<frmFileSigle*>().size(), 1);
    QCOMPARE(w.mdiArea()->activeSubWindow(), sub);
    QVERIFY(!sub->isMinimized());
    // The edits of the window brought to the front are all there.
    QCOMPARE(form->sigle(), (QStringList{"A", "B", "C"}));
    saveScreenshot(&w, QStringLiteral("frmFileSigle-front"));
    form->cmdEsciSalva->click();
    QCOMPARE(readFileBytes(path), QByteArray("A\r\nB\r\nC\r\n"));
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiUpdate::aNewFileNamedLikeAnotherInAnotherCase() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.OLD")), {QStringLiteral("X")});
    w.findChild<QAction*>("mnuUtilitaAggiornamentoFileSigle")->trigger();
    auto* form = w.findChild<frmFileSigle*>();
    form->chkNuovoFile->setChecked(true);
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("SIGLE.old")));
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("sigle.NEW")));
    form->cmdApriFileSigle->click();
    QCOMPARE(t.dialogs().texts(), QStringList{"Nome archivio già presente: inserire un nuovo nome!"});
    QVERIFY(form->frmOperazioniSigle->isVisible());
    form->cmdEsciSalva->click();
    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("sigle.NEW"))));
    QCOMPARE(readFileBytes(t.home().mdbPath(QStringLiteral("sigle.OLD"))), QByteArray("X\r\n"));
    QVERIFY(t.dialogs().allAnswersUsed());
}

QTEST_MAIN(GuiUpdate)
#include "tst_gui_update.moc"
