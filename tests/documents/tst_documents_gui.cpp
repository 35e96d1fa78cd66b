// The document window as an operator uses it: the Documenti menu, typing, the function keys, the
// dialogs they open, saving, navigating, duplicating, and the choice and deletion of documents.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "classification/frmClassificazione.h"
#include "documents/DocumentListModel.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/frmAltriTesti.h"
#include "documents/frmDocumento.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/frmResponsabilita.h"
#include "documents/frmSceltaDoc.h"
#include "documents/frmTesti.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmTipologiaFonte.h"
#include "store/ArchivioInUso.h"
#include "support/GuiTestUtil.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>

using namespace editor_test;

namespace {

template <class W> W* figlio(QObject* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

class Sessione {
public:
    Sessione() : main(t.state()) {
        path = t.createArchive();
        if (!main.apriArchivio(path))
            qFatal("archive not opened");
        riempiLookup(t.state().Connessione);
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
    }

    frmDocumento* finestra() { return main.findChild<frmDocumento*>(); }

    frmDocumento* nuovo() {
        azione(main, "mnuDocumentiNuovo")->trigger();
        return finestra();
    }

    // A document written through the core, as another session of the program would.
    void documento(qint64 id, const QString& titolo, QList<VoceFonte> fonti = {}) {
        Archivio a(t, true);
        DocumentBuffer b = Archivio::nuovo(id);
        DatiDocumento d = a.dati(id);
        d.txtTitolo = titolo;
        b.ElencoFonti = std::move(fonti);
        if (!ScriviDocumento(t.state().Connessione, b, d).salvato())
            qFatal("document not written");
    }

    qint64 conta(const QString& sql) { return editor_test::conta(t.state().Connessione, sql); }

    // Documenti > Edita on the document of that number.
    frmDocumento* apri(qint64 id) {
        onNextModal<frmSceltaDoc>([id](frmSceltaDoc* d) {
            QAbstractItemModel* m = d->lstDocumento->model();
            for (int i = 0; i < m->rowCount(); ++i)
                if (m->index(i, 0).data().toString().startsWith(QString::number(id) + " "))
                    d->lstDocumento->setCurrentIndex(m->index(i, 0));
            d->cmdEdita->click();
        });
        azione(main, "mnuDocumentiEdita")->trigger();
        return finestra();
    }

    // The stored title of a document.
    QString titolo(qint64 id) {
        RecordSet rs = t.state().Connessione.ApriRS(
            "select Testo from tabTesto t, legameDocTesto l where l.IDTesto = t.IDTesto and l.IDDoc = ? "
            "and l.Tipo = '0'",
            {id});
        return rs.eof() ? QString() : rs.field(0).toString();
    }

    TestHome t;
    QString path;
    MDIQuillaro main;
};

void tasto(QWidget* w, Qt::Key key) {
    w->setFocus();
    QTest::keyClick(w, key);
}

int posizione(QComboBox* c, const QString& code) {
    return c->findText(code, Qt::MatchStartsWith);
}

// The line shown for an entry of "Scegli documento", and adding an entry to its selection.
QString voce(frmSceltaDoc* d, int row) {
    return d->lstDocumento->model()->index(row, 0).data().toString();
}
void seleziona(frmSceltaDoc* d, int row) {
    d->lstDocumento->selectionModel()->select(d->elenco()->index(row), QItemSelectionModel::Select);
}

VoceFonte legge(const QString& numero) {
    VoceFonte v;
    v.TP = "LIO";
    v.NomeFonte = "l.";
    v.numero = numero;
    v.testo = "l. 7 agosto 1990, n. " + numero;
    return v;
}

} // namespace

class DocumentWindow : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void newDocumentTypedAndSavedWithF4() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        QVERIFY(w);
        QVERIFY(!s.main.mnuDocumenti->isEnabled());
        QVERIFY(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
        QCOMPARE(w->windowTitle(), QString("Documento"));
        QVERIFY(w->cmdSalva->isHidden() && w->cmdDuplica->isHidden() && w->cmdNew->isHidden());
        QCOMPARE(w->txtID->text(), QString("1"));
        QCOMPARE(w->txtAnnoPr->text(), QString("2026"));
        QCOMPARE(w->cmbCPer->currentText(), QString("CPer"));

        w->cmbCPer->setCurrentIndex(posizione(w->cmbCPer, "TST2"));
        QCOMPARE(w->txtRivistaOnline->text(), QString("Rivista \"due\" d'Italia"));
        w->cmbAA->setCurrentIndex(w->cmbAA->findText("2021"));
        w->cmbMM->setCurrentIndex(2);
        w->ComboTD->setCurrentIndex(posizione(w->ComboTD, "03"));
        w->ComboTAbs->setCurrentIndex(posizione(w->ComboTAbs, "600"));
        QTest::keyClicks(w->txtPagine, "5-9");
        QTest::keyClicks(w->txtTitolo, "Un titolo");
        QTest::keyClicks(w->txtFascicolo, "2");

        // F7 from a combo box: the responsibility dialog, new and empty with "Autore" chosen.
        onNextModal<frmResponsabilita>([](frmResponsabilita* d) {
            QVERIFY(d->txtElementoPr->text().isEmpty());
            QVERIFY(d->optAutore->isChecked() && !d->optCuratore->isChecked());
            QTest::keyClicks(d->txtElementoPr, "  D'Amico ");
            QTest::keyClicks(d->txtElementoSec, "Luca");
            d->cmdEsci->click();
        });
        tasto(w->ComboTD, Qt::Key_F7);
        QCOMPARE(w->lstResponsabilita->item(0)->text(), QString("A - D'Amico, Luca"));

        // F8 from the title: two descriptors for one systematic code.
        onNextModal<frmClassificazione>([](frmClassificazione* d) {
            QVERIFY(!d->lstDescrittore->isHidden() && d->LabelD->isHidden() && d->Label5->isHidden());
            QCOMPARE(d->cmbAsteriscati->itemText(0), QString("Asteriscati"));
            QTest::keyClicks(d->txtSistematico, "T1.1");
            d->txtDescrittore->setText("TD001");
            d->cmdDescrittoreN->click();
            d->txtDescrittore->setText("TD003");
            d->cmdDescrittoreN->click();
            QCOMPARE(d->lstDescrittore->count(), 2);
            QCOMPARE(d->lstDescrittore->item(0)->text(), QString("TD001 --> descrittore TD001"));
            d->cmdEsci->click();
        });
        tasto(w->txtTitolo, Qt::Key_F8);
        QCOMPARE(w->lstClassificazione->count(), 2);
        QCOMPARE(w->lstClassificazione->item(1)->text(), QString("1 - T1.1; TD003"));

        // F4 saves though cmdSalva is hidden.
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QString("Documento salvato!"));
        QCOMPARE(
            s.conta(
                "select count(*) from tabDocumento where IDDocumento = 1 and Pagine = '5-9' and TD = '03'"),
            1);
        QCOMPARE(
            s.conta("select count(*) from tabRifBibl where IDRivistaOnline = 'TST2' and Data = '2021-02-00'"),
            1);
        QCOMPARE(s.conta("select count(*) from legameDocClass where IDDoc = 1"), 2);
        QVERIFY(!w->buffer().NuovoDocumento);
        // Saved again: the same document is updated.
        tasto(w->txtFascicolo, Qt::Key_F4);
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 1);
        QCOMPARE(s.conta("select count(*) from legameDocResp"), 1);
        QVERIFY(s.t.dialogs().unexpected().isEmpty());

        // Closing gives the menu back.
        tasto(w->txtTitolo, Qt::Key_F3);
        QTRY_VERIFY(!s.finestra());
        QVERIFY(s.main.mnuDocumenti->isEnabled());
    }

    void exitWithoutJournalKeepsTheWindow() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        tasto(w->txtNota, Qt::Key_F12);
        QCOMPARE(s.t.dialogs().texts(), QStringList{"Immettere il codice della monografia"});
        QVERIFY(s.finestra() && s.finestra()->isVisible());
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 0);
        w->cmbCPer->setCurrentIndex(1);
        w->cmdEsci->click();
        QTRY_VERIFY(!s.finestra());
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 1);
    }

    void navigationWrapsAndLoadsSavedInPlace() {
        Sessione s;
        for (qint64 id : {1, 2, 3})
            s.documento(id, QString("Titolo %1").arg(id));
        frmDocumento* w = s.nuovo();
        QCOMPARE(w->txtID->text(), QString("4"));
        tasto(w->lstFonte, Qt::Key_F6); // next from a new document: the first
        QCOMPARE(w->txtID->text(), QString("1"));
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Titolo 1"));
        QVERIFY(!w->cmdSalva->isHidden());
        QVERIFY(!w->buffer().NuovoDocumento);
        tasto(w->cmbAA, Qt::Key_F5); // previous from the first: the last
        QCOMPARE(w->txtID->text(), QString("3"));
        tasto(w->cmbAA, Qt::Key_F6); // next from the last: the first
        QCOMPARE(w->txtID->text(), QString("1"));
        // A number typed in txtID is where navigation starts.
        w->txtID->setText("2");
        w->cmdAvanti->click();
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Titolo 3"));
        w->txtTitolo->setPlainText("Titolo cambiato");
        w->cmdSalva->click();
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 3);
        QCOMPARE(s.conta("select count(*) from tabTesto t, legameDocTesto l where l.IDTesto = t.IDTesto and "
                         "l.IDDoc = 3 and Testo = 'Titolo cambiato'"),
                 1);
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    void functionKeysFromEveryDataControl() {
        Sessione s;
        for (qint64 id : {1, 2})
            s.documento(id, QString("Titolo %1").arg(id));
        frmDocumento* w = s.nuovo();
        const char* controlli[] = {"cmbAA",
                                   "cmbMM",
                                   "cmbGG",
                                   "cmbCPer",
                                   "ComboTD",
                                   "ComboTAbs",
                                   "ComboBib",
                                   "ComboLIN",
                                   "txtFascicolo",
                                   "txtVolume",
                                   "txtAnnata",
                                   "txtPagine",
                                   "txtDocURL",
                                   "txtTitolo",
                                   "txtNota",
                                   "lstResponsabilita",
                                   "lstClassificazione",
                                   "lstFonte"};
        QString atteso = "1";
        for (const char* nome : controlli) {
            tasto(figlio<QWidget>(w, nome), Qt::Key_F6);
            QVERIFY2(w->txtID->text() == atteso, nome);
            atteso = atteso == "1" ? "2" : "1";
        }
        // Nuovo: a clear window for the next number, its commands hidden again.
        w->cmdNew->click();
        QCOMPARE(w->txtID->text(), QString("3"));
        QVERIFY(w->txtTitolo->toPlainText().isEmpty());
        QCOMPARE(w->ComboTD->currentIndex(), 0);
        QCOMPARE(w->cmbCPer->currentIndex(), 0);
        QVERIFY(w->cmdSalva->isHidden() && w->buffer().NuovoDocumento);
        // Entering the pages or the title selects what is there.
        w->txtPagine->setText("12-30");
        w->txtTitolo->setFocus();
        w->txtPagine->setFocus();
        QTRY_COMPARE(w->txtPagine->selectedText(), QString("12-30"));
    }

    // F7 in the middle of the title, a person added, and the operator goes on typing the title:
    // coming back from the dialog must not select the title for the next keystroke to replace.
    void typingGoesOnAfterAFunctionKeyDialog() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        s.main.activateWindow();
        w->txtTitolo->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w->txtTitolo->hasFocus());
        runDeferred(); // entering by Tab selects the (empty) field once the event loop is back
        QTest::keyClicks(w->txtTitolo, "Il licenziamento");
        onNextModal<frmResponsabilita>([](frmResponsabilita* d) {
            d->txtElementoPr->setText("Rossi");
            d->cmdEsci->click();
        });
        QTest::keyClick(w->txtTitolo, Qt::Key_F7);
        QCOMPARE(w->lstResponsabilita->count(), 1);
        // The window manager gives the document window back its activation.
        s.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        QTRY_VERIFY(w->txtTitolo->hasFocus());
        runDeferred(); // a selection the return would make comes now, before the next keystroke
        QTest::keyClicks(w->txtTitolo, " disciplinare");
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Il licenziamento disciplinare"));
        // Entering the field from another one still selects it whole.
        w->txtPagine->setFocus(Qt::TabFocusReason);
        w->txtTitolo->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(w->txtTitolo->textCursor().selectedText(), QString("Il licenziamento disciplinare"));
    }

    // A number typed in txtID chooses where F5 and F6 start; it never sends a save elsewhere.
    void typedNumberNeverRedirectsASave() {
        Sessione s;
        for (qint64 id : {1, 2})
            s.documento(id, QString("Titolo %1").arg(id));
        frmDocumento* w = s.apri(1);
        QVERIFY(w);
        w->txtTitolo->setPlainText("Cambiato con F4");
        w->txtID->setText("2");
        tasto(w->txtTitolo, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QString("Documento salvato!"));
        QCOMPARE(s.titolo(1), QString("Cambiato con F4"));
        QCOMPARE(s.titolo(2), QString("Titolo 2"));
        QCOMPARE(w->txtID->text(), QString("1"));

        // The close question answered Yes: the same.
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        w->txtTitolo->setPlainText("Cambiato alla chiusura");
        w->txtID->setText("2");
        s.t.dialogs().answerNext(Answer::Yes);
        QVERIFY(sub->close());
        QVERIFY(
            s.t.dialogs().texts().contains("Il documento 1 è stato modificato: salvarlo prima di chiudere?"));
        QCOMPARE(s.titolo(1), QString("Cambiato alla chiusura"));
        QCOMPARE(s.titolo(2), QString("Titolo 2"));
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 2);

        // A new document under another document's number: refused, nothing changes.
        QTRY_VERIFY(!s.finestra());
        s.t.dialogs().clear();
        w = s.nuovo();
        QCOMPARE(w->txtID->text(), QString("3"));
        w->cmbCPer->setCurrentIndex(posizione(w->cmbCPer, "TST1"));
        w->txtTitolo->setPlainText("Nuovo");
        w->txtID->setText("2");
        tasto(w->txtTitolo, Qt::Key_F4);
        QVERIFY(s.t.dialogs().lastText().startsWith(
            "Il numero 2 scritto in \"ID Documento\" è di un altro documento: il documento nuovo non è stato "
            "salvato"));
        QCOMPARE(s.t.dialogs().shown().back().title, QString("Attenzione!"));
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 2);
        QCOMPARE(s.titolo(2), QString("Titolo 2"));
        QVERIFY(w->buffer().NuovoDocumento && w->cmdSalva->isHidden());
        QCOMPARE(w->txtID->text(), QString("2"));
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Nuovo"));
        // Its own number back: saved.
        w->txtID->setText("3");
        tasto(w->txtTitolo, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QString("Documento salvato!"));
        QCOMPARE(s.titolo(3), QString("Nuovo"));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
        w->cmdAbbandona->click();
    }

    // A document type, abstract type, bibliography, language or date the lists cannot show is
    // kept by the save until the operator chooses in that box.
    void storedValuesTheListsCannotShowSurviveASave() {
        Sessione s;
        s.documento(1, "Titolo");
        s.t.state().Connessione.EseguiIstruzione(
            "update tabDocumento set TD = '99', TAbs = '450', Bib = '7', LIN = '42'");
        s.t.state().Connessione.EseguiIstruzione("update tabRifBibl set Data = '1960-05-12'");
        frmDocumento* w = s.apri(1);
        QVERIFY(w);
        const QString avviso = s.t.dialogs().lastText();
        QVERIFY2(avviso.startsWith("Il documento 1 contiene valori che la finestra non può mostrare:\n"),
                 qPrintable(avviso));
        for (const char* riga : {"Tipo documento \"99\"", "Tipo abstract \"450\"", "Tipo bibliografia \"7\"",
                                 "Lingua \"42\"", "Anno di pubblicazione \"1960\""})
            QVERIFY2(avviso.contains(QString::fromUtf8(riga)), riga);
        QVERIFY(avviso.contains("sono conservati: il salvataggio li lascia come sono"));
        QCOMPARE(w->ComboTD->currentIndex(), 0);
        QVERIFY(w->ComboTD->toolTip().contains("\"99\""));
        const auto valori = [&s] {
            RecordSet rs = s.t.state().Connessione.ApriRS(
                "select TD, TAbs, Bib, LIN, Data from tabDocumento d, tabRifBibl r where d.IDRifBibl = "
                "r.IDRifBibl and IDDocumento = 1");
            QStringList v;
            for (int i = 0; i < 5; ++i)
                v << rs.field(i).toString();
            return v.join(u'|');
        };

        QTest::keyClicks(w->txtPagine, "-40");
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QString("Documento salvato!"));
        QCOMPARE(valori(), QString("99|450|7|42|1960-05-12"));

        // The operator chooses a document type and a year with the keyboard: those replace the
        // stored ones, the others stay.
        w->ComboTD->setFocus();
        QTest::keyClick(w->ComboTD, Qt::Key_Down);
        w->cmbAA->setFocus();
        QTest::keyClick(w->cmbAA, Qt::Key_Down);
        QCOMPARE(w->ComboTD->toolTip(), w->ComboTD->currentText());
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(
            valori(),
            QString("%1|450|7|42|%2-05-12").arg(w->ComboTD->currentText().left(2), w->cmbAA->currentText()));
        // Closing an unchanged document asks nothing.
        s.t.dialogs().clear();
        QVERIFY(qobject_cast<QMdiSubWindow*>(w->parentWidget())->close());
        QVERIFY(s.t.dialogs().texts().isEmpty());
    }

    // A date later than the list's years (a January issue published in December, or later still):
    // next year is shown; a later one is kept, and a new day or month changes only that part.
    void aKeptFutureDateSurvivesANewDay() {
        Sessione s;
        const int anno = QDate::currentDate().year();
        auto& c = s.t.state().Connessione;
        s.documento(1, "Fascicolo di gennaio");
        c.EseguiIstruzione("update tabRifBibl set Data = ?", {QString("%1-01-15").arg(anno + 1)});
        s.documento(2, "Fascicolo di due anni dopo");
        c.EseguiIstruzione("update tabRifBibl set Data = ? where IDRifBibl in (select IDRifBibl from "
                           "tabDocumento where IDDocumento = 2)",
                           {QString("%1-12-20").arg(anno + 2)});
        const auto data = [&c](int id) {
            return c
                .ApriRS("select Data from tabDocumento d, tabRifBibl r where d.IDRifBibl = r.IDRifBibl "
                        "and IDDocumento = ?",
                        {id})
                .field(0)
                .toString();
        };
        frmDocumento* w = s.apri(1);
        QVERIFY(w);
        s.main.resize(1024, 768);
        w->parentWidget()->showMaximized();
        QVERIFY(s.t.dialogs().texts().isEmpty());
        QCOMPARE(w->cmbAA->currentText(), QString::number(anno + 1));
        QCOMPARE(w->cmbMM->currentText(), QString("gennaio"));
        QCOMPARE(w->cmbGG->currentText(), QString("15"));
        saveScreenshot(w->window(), "frmDocumento_data_anno_prossimo");

        tasto(w->txtPagine, Qt::Key_F6);
        QCOMPARE(w->txtID->text(), QString("2"));
        QVERIFY(s.t.dialogs().lastText().contains(QString("Anno di pubblicazione \"%1\"").arg(anno + 2)));
        QCOMPARE(w->cmbAA->currentIndex(), 0);
        QVERIFY(w->cmbAA->toolTip().contains(QString("%1-12-20").arg(anno + 2)));
        QCOMPARE(w->findChild<QGroupBox*>("FrameData")->title(),
                 QString("Data di pubblicazione (registrata: %1-12-20) ").arg(anno + 2));
        saveScreenshot(w->window(), "frmDocumento_data_conservata");
        // A new day, then a new month: the year stays.
        w->cmbGG->setFocus();
        QTest::keyClick(w->cmbGG, Qt::Key_Down);
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QString("Documento salvato!"));
        QCOMPARE(data(2), QString("%1-12-21").arg(anno + 2));
        w->cmbMM->setFocus();
        QTest::keyClick(w->cmbMM, Qt::Key_Up);
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(data(2), QString("%1-11-21").arg(anno + 2));
        QVERIFY(w->cmbAA->toolTip().contains(QString("%1-11-21").arg(anno + 2)));
        QCOMPARE(data(1), QString("%1-01-15").arg(anno + 1));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // Entering a list with Tab gives it a current row, not a choice: "Edita corrente" opens new,
    // "In nota" copies nothing. The responsibilities still select their first line.
    void tabIntoAListChoosesNothing() {
        Sessione s;
        {
            Archivio a(s.t, true);
            DocumentBuffer b = Archivio::nuovo(1);
            DatiDocumento d = a.dati(1);
            b.ElencoResponsabilita = {VoceResponsabilita{0, "Rossi", "Mario", true, false}};
            b.ElencoClassificazione = {VoceClassificazione{0, "T1.1", "TD001", 0, false},
                                       VoceClassificazione{0, "T1.1", "TD002", 0, false}};
            b.ElencoFonti = {legge("1"), legge("2")};
            d.txtTitolo = "Con fonti";
            QVERIFY(ScriviDocumento(s.t.state().Connessione, b, d).salvato());
        }
        frmDocumento* w = s.apri(1);
        QVERIFY(w);
        s.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        w->ComboTD->setCurrentIndex(posizione(w->ComboTD, "03"));
        w->txtNota->clear();

        w->cmdResponsabilitaD->setFocus();
        QTest::keyClick(w->cmdResponsabilitaD, Qt::Key_Tab);
        QTRY_VERIFY(w->lstClassificazione->hasFocus());
        QCOMPARE(w->lstClassificazione->currentRow(), 0);
        QVERIFY(w->lstClassificazione->selectedItems().isEmpty());
        QCOMPARE(w->buffer().IndiceClassificazione, -1);
        bool nuovoModo = false;
        onNextModal<frmClassificazione>([&nuovoModo](frmClassificazione* d) {
            nuovoModo = !d->lstDescrittore->isHidden() && d->txtSistematico->text().isEmpty();
            d->cmdAbbandona->click();
        });
        w->cmdClasseM->click();
        QVERIFY(nuovoModo);

        // Back from the dialog, the window manager makes the window active again.
        s.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        w->cmdClasseD->setFocus();
        QTest::keyClick(w->cmdClasseD, Qt::Key_Tab);
        QTRY_VERIFY(w->lstFonte->hasFocus());
        QCOMPARE(w->buffer().IndiceFonte, -1);
        w->cmdFonteT->click();
        QVERIFY(w->txtNota->toPlainText().isEmpty());
        bool vuoto = false;
        onNextModal<frmModificaFonte>([&vuoto](frmModificaFonte* d) {
            vuoto = d->txtTesto->text().isEmpty();
            d->cmdAbbandona->click();
        });
        w->cmdFonteM->click();
        QVERIFY(vuoto);

        // The operator moves to a line: that one is current.
        QTest::keyClick(w->lstFonte, Qt::Key_Down);
        QCOMPARE(w->buffer().IndiceFonte, 1);
        w->cmdFonteT->click();
        QCOMPARE(w->txtNota->toPlainText(), QString("Nota a l. 7 agosto 1990, n. 2"));
        w->lstClassificazione->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->lstClassificazione, Qt::Key_Space);
        QCOMPARE(w->buffer().IndiceClassificazione, 0);
        onNextModal<frmClassificazione>([&nuovoModo](frmClassificazione* d) {
            nuovoModo = !d->lstDescrittore->isHidden();
            d->cmdAbbandona->click();
        });
        w->cmdClasseM->click();
        QVERIFY(!nuovoModo);

        // Entering the responsibilities selects their first line, as the window always did.
        s.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        w->txtNota->setFocus();
        w->lstResponsabilita->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w->lstResponsabilita->hasFocus());
        QVERIFY(w->lstResponsabilita->item(0)->isSelected());
        QCOMPARE(w->buffer().IndiceResponsabilita, 0);
        w->cmdAbbandona->click();
    }

    // A save the archive refuses is told in Italian, the engine's text on a line of its own.
    void failedSaveIsToldInItalian() {
        Sessione s;
        s.documento(1, "Titolo");
        frmDocumento* w = s.apri(1);
        s.t.state().Connessione.executeScript("create trigger rifiuta before update on tabDocumento begin "
                                              "select raise(abort, 'aggiornamento rifiutato'); end;");
        w->txtTitolo->setPlainText("Non salvato");
        tasto(w->txtTitolo, Qt::Key_F4);
        const QStringList righe = s.t.dialogs().lastText().split(u'\n');
        QCOMPARE(righe.size(), 3);
        QCOMPARE(righe[0],
                 QString("Il documento 1 non è stato salvato: l'archivio non è cambiato e il documento "
                         "è ancora nella finestra, da salvare di nuovo."));
        QVERIFY(righe[1].startsWith("I dati contrastano con un vincolo dell'archivio"));
        QVERIFY(righe[2].startsWith("Dettaglio tecnico: aggiornamento rifiutato"));
        QCOMPARE(s.titolo(1), QString("Titolo"));
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Non salvato"));
        s.t.state().Connessione.executeScript("drop trigger rifiuta;");
        w->cmdAbbandona->click();
    }

    void navigationInAnEmptyArchiveTellsTheOperator() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        QTest::keyClicks(w->txtPagine, "12");
        tasto(w->txtPagine, Qt::Key_F6);
        QCOMPARE(s.t.dialogs().lastText(), QString("Nessun documento presente!"));
        QCOMPARE(w->txtPagine->text(), QString("12"));
        QCOMPARE(w->txtID->text(), QString("1"));
        tasto(w->txtPagine, Qt::Key_F5);
        QCOMPARE(s.t.dialogs().shown().size(), size_t(2));
    }

    void duplicateStoresACopyUnderTheNextNumber() {
        Sessione s;
        s.documento(1, "Originale", {legge("241")});
        onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) { d->cmdEdita->click(); });
        azione(s.main, "mnuDocumentiEdita")->trigger();
        frmDocumento* w = s.finestra();
        QVERIFY(w);
        QCOMPARE(w->lstFonte->count(), 1);
        tasto(w->txtTitolo, Qt::Key_F2);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QString("Documento salvato!"));
        QCOMPARE(w->txtID->text(), QString("2"));
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 2);
        QCOMPARE(s.conta("select count(*) from legameDocFonte where IDDoc = 2"), 1);
        QCOMPARE(s.conta("select count(*) from tabFonte"), 1);
        // The copy is now the document shown: a save updates it.
        w->txtTitolo->setPlainText("Copia");
        w->cmdSalva->click();
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 2);
        QCOMPARE(s.conta("select count(*) from tabTesto t, legameDocTesto l where l.IDTesto = t.IDTesto and "
                         "l.IDDoc = 2 and Testo = 'Copia'"),
                 1);
    }

    // Closing the window by its frame or by closing the archive or the program asks before a
    // modified document is lost; Esci, Abbandona and an unchanged document close without a question.
    void unsavedWorkIsNotLostOnClose() {
        Sessione s;
        s.documento(1, "Originale");
        const auto apri = [&s] {
            onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) { d->cmdEdita->click(); });
            azione(s.main, "mnuDocumentiEdita")->trigger();
            return s.finestra();
        };
        const auto titolo = [&s] {
            RecordSet rs = s.t.state().Connessione.ApriRS(
                "select Testo from tabTesto t, legameDocTesto l where l.IDTesto = t.IDTesto and l.IDDoc = 1 "
                "and l.Tipo = '0'");
            return rs.field(0).toString();
        };
        frmDocumento* w = apri();
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        w->txtID->setText("7"); // a number to move from is not a change of the document
        QVERIFY(sub->close());  // unchanged: no question
        QVERIFY(s.t.dialogs().texts().isEmpty());

        w = apri();
        sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        w->txtTitolo->setPlainText("Cambiato");
        s.t.dialogs().answerNext(Answer::Cancel);
        QVERIFY(!sub->close());
        QVERIFY(s.t.dialogs().lastText().contains("è stato modificato"));
        // File > Chiudi answered Cancel: the window and the archive stay.
        s.t.dialogs().answerNext(Answer::Cancel);
        s.main.mnuFileChiudi->trigger();
        QVERIFY(s.t.state().ArchivioAperto);
        QCOMPARE(s.finestra(), w);
        // No: closed without saving.
        s.t.dialogs().answerNext(Answer::No);
        QVERIFY(sub->close());
        QCOMPARE(titolo(), QString("Originale"));

        // Yes while the program closes: saved, then everything closes.
        w = apri();
        w->txtTitolo->setPlainText("Salvato alla chiusura");
        s.t.dialogs().answerNext(Answer::Yes);
        s.main.mnuFileChiudi->trigger();
        QVERIFY(!s.t.state().ArchivioAperto);
        QVERIFY(!s.t.dialogs().texts().filter(QRegularExpression("^Documento salvato!(\\n|$)")).isEmpty());
        QVERIFY(s.t.state().Connessione.ApriConnessione(cConnessione::connectionStringFor(s.path)));
        QCOMPARE(titolo(), QString("Salvato alla chiusura"));
        s.t.state().Connessione.ChiudiConnessione();

        // A change discarded with Abbandona, or a document left with >>, is the operator's decision.
        QVERIFY(s.main.apriArchivio(s.path));
        s.t.dialogs().clear();
        w = apri();
        w->txtTitolo->setPlainText("Abbandonato");
        w->cmdAbbandona->click();
        QTRY_VERIFY(!s.finestra());
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // Esc in the text dialogs asks before a changed text is dropped; Abbandona does not.
    void textDialogEscapeAsksBeforeDroppingChanges() {
        Sessione s;
        DocumentBuffer b;
        b.TipoTestoCorrente = 1;
        b.TestoRiassunto = "Riassunto\r\nsu due righe";
        frmTesti d(s.t.state(), b, &s.main);
        d.show();
        QTest::keyClick(&d, Qt::Key_Escape); // unchanged: closes
        QVERIFY(!d.isVisible());
        QVERIFY(s.t.dialogs().texts().isEmpty());

        d.show();
        QTest::keyClicks(d.txtTesto, " aggiunto");
        s.t.dialogs().answerNext(Answer::No);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QCOMPARE(s.t.dialogs().lastText(), QString("Il testo è stato modificato: chiudere senza salvarlo?"));
        s.t.dialogs().answerNext(Answer::Yes);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(b.TestoRiassunto, QString("Riassunto\r\nsu due righe"));

        s.t.dialogs().clear();
        d.show();
        d.cmdAbbandona->click();
        QVERIFY(!d.isVisible());
        QVERIFY(s.t.dialogs().texts().isEmpty());

        // The translation and the compiler's note, opened from the document window, the same way.
        frmDocumento* w = s.nuovo();
        w->buffer().TestoTraduzione = "A title";
        bool chiuso = false;
        onNextModal<frmAltriTesti>([&s, &chiuso](frmAltriTesti* a) {
            QTest::keyClicks(a->txtAltroTesto, " changed");
            s.t.dialogs().answerNext(Answer::No);
            QTest::keyClick(a, Qt::Key_Escape);
            QVERIFY(a->isVisible());
            QCOMPARE(s.t.dialogs().lastText(),
                     QString("Il testo è stato modificato: chiudere senza salvarlo?"));
            s.t.dialogs().answerNext(Answer::Yes);
            QTest::keyClick(a, Qt::Key_Escape);
            chiuso = !a->isVisible();
        });
        w->cmdTraduzione->click();
        QVERIFY(chiuso);
        QCOMPARE(w->buffer().TestoTraduzione, QString("A title"));

        s.t.dialogs().clear();
        onNextModal<frmAltriTesti>([](frmAltriTesti* a) { QTest::keyClick(a, Qt::Key_Escape); });
        w->cmdTraduzione->click();
        onNextModal<frmAltriTesti>([](frmAltriTesti* a) {
            a->txtAltroTesto->setPlainText("scartato");
            a->cmdAbbandona->click();
        });
        w->cmdNotaDoc->click();
        QVERIFY(s.t.dialogs().texts().isEmpty());
        QVERIFY(w->buffer().TestoNotaDoc.isEmpty());
        w->cmdAbbandona->click();
    }

    void editAndDeleteFromTheChoiceDialog() {
        Sessione s;
        // An archive without documents says so.
        azione(s.main, "mnuDocumentiEdita")->trigger();
        QCOMPARE(s.t.dialogs().texts(),
                 QStringList({"Nessun documento presente!", "Archivio nuovo: inserire un documento nuovo!"}));
        for (qint64 id : {1, 2, 3, 4})
            s.documento(id, QString("Titolo %1").arg(id), {legge(QString::number(id))});

        onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) {
            QCOMPARE(d->windowTitle(), QString("Scegli documento"));
            QVERIFY(!d->cmdCancella->isEnabled() && d->cmdEdita->isEnabled());
            QCOMPARE(voce(d, 0), QString("1 --> 202630001"));
            d->lstDocumento->setCurrentIndex(d->elenco()->index(2));
            d->cmdEdita->click();
        });
        azione(s.main, "mnuDocumentiEdita")->trigger();
        frmDocumento* w = s.finestra();
        QVERIFY(w);
        QCOMPARE(w->txtID->text(), QString("3"));
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Titolo 3"));
        QVERIFY(!w->cmdSalva->isHidden());
        w->cmdAbbandona->click();
        QTRY_VERIFY(!s.finestra());

        s.t.dialogs().clear();
        azione(s.main, "mnuDocumentiCancella")->trigger();
        auto* scelta = s.main.findChild<frmSceltaDoc*>();
        QVERIFY(scelta && scelta->isVisible() && !scelta->isModal());
        QVERIFY(scelta->cmdCancella->isEnabled() && !scelta->cmdEdita->isEnabled());
        scelta->lstDocumento->clearSelection();
        scelta->cmdCancella->click();
        QCOMPARE(s.t.dialogs().lastText(), QString("Nessuna selezione effettuata"));
        seleziona(scelta, 1);
        seleziona(scelta, 2);
        s.t.dialogs().answerNext(Answer::No);
        scelta->cmdCancella->click();
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 4);
        s.t.dialogs().answerNext(Answer::Yes);
        scelta->cmdCancella->click();
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 2);
        QCOMPARE(s.conta("select count(*) from legameDocFonte"), 2);
        QCOMPARE(s.conta("select count(*) from legameDocTesto"), 2);
        QVERIFY(scelta->isVisible());
        QCOMPARE(scelta->elenco()->rowCount(), 2);
        QCOMPARE(voce(scelta, 1), QString("4 --> 202630002"));
        QVERIFY(s.t.dialogs().allAnswersUsed());

        // Another program has the archive open, and may have one of these documents: the question
        // says who, as opening the archive does.
        UsoArchivio altro;
        altro.utente = QStringLiteral("rossi");
        altro.computer = QStringLiteral("PC-12");
        altro.programma = QStringLiteral("quillaro");
        altro.pid = 4242;
        altro.dal = altro.rinnovato = QDateTime::currentDateTimeUtc();
        altro.sessione = NuovaSessione();
        QVERIFY(RegistraUso(s.t.state().archivioCorrente(), altro));
        seleziona(scelta, 1);
        s.t.dialogs().answerNext(Answer::No);
        scelta->cmdCancella->click();
        const QString domanda = s.t.dialogs().lastText();
        QVERIFY2(domanda.contains("è aperto anche da rossi su PC-12") &&
                     domanda.contains("Se vi è aperto uno dei documenti scelti") &&
                     domanda.endsWith("\n\nConfermi cancellazione?"),
                 qPrintable(domanda));
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 2);
        RilasciaUso(s.t.state().archivioCorrente(), altro.sessione);
        scelta->cmdAnnulla->click();
    }

    // Nuovo clears the texts: their buttons say so, as the Controlli panel does.
    void newDocumentClearsTheTextButtons() {
        Sessione s;
        {
            Archivio a(s.t, true);
            DocumentBuffer b = Archivio::nuovo(1);
            b.TestoRiassunto = "Riassunto";
            b.TestoSommario = "1. Premessa";
            b.TestoInTemaDi = "Appalti";
            b.TestoEnglishAbstract = "Abstract";
            b.TestoTraduzione = "A title";
            b.TestoNotaDoc = "Nuovo descrittore";
            QVERIFY(ScriviDocumento(s.t.state().Connessione, b, a.dati(1)).salvato());
        }
        frmDocumento* w = s.apri(1);
        const QList<QToolButton*> bottoni = {w->cmdRiassunto,       w->cmdSommario,   w->cmdInTemaDi,
                                             w->cmdEnglishAbstract, w->cmdTraduzione, w->cmdNotaDoc};
        for (QToolButton* b : bottoni)
            QVERIFY2(b->property("testoPresente").toBool(), qPrintable(b->objectName()));
        w->cmdNew->click();
        for (QToolButton* b : bottoni)
            QVERIFY2(!b->property("testoPresente").toBool(), qPrintable(b->objectName()));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // A click in the title, the note or the pages puts the cursor there; only coming by keyboard
    // (Tab) selects the whole text for retyping.
    void clickPlacesTheCursorTabSelectsAll_data() {
        QTest::addColumn<QString>("campo");
        QTest::newRow("title") << "txtTitolo";
        QTest::newRow("note") << "txtNota";
        QTest::newRow("pages") << "txtPagine";
    }
    void clickPlacesTheCursorTabSelectsAll() {
        QFETCH(QString, campo);
        Sessione s;
        frmDocumento* w = s.nuovo();
        s.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        QWidget* c = figlio<QWidget>(w, campo.toLatin1().constData());
        auto* riga = qobject_cast<QLineEdit*>(c);
        auto* testo = qobject_cast<QPlainTextEdit*>(c);
        const auto contenuto = [&] { return riga ? riga->text() : testo->toPlainText(); };
        const auto selezione = [&] {
            return riga ? riga->selectedText() : testo->textCursor().selectedText();
        };
        riga ? riga->setText("12-30") : testo->setPlainText("12-30");
        w->txtFascicolo->setFocus(Qt::TabFocusReason);
        QWidget* superficie = riga ? static_cast<QWidget*>(riga) : testo->viewport();
        // At the start of the first line.
        const QPoint inizio(3, riga ? riga->height() / 2 : 4 + testo->fontMetrics().height() / 2);
        QTest::mouseClick(superficie, Qt::LeftButton, {}, inizio);
        QTRY_VERIFY(c->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(selezione(), QString());
        QTest::keyClicks(c, "X");
        QCOMPARE(contenuto(), QString("X12-30"));
        w->txtFascicolo->setFocus(Qt::TabFocusReason);
        c->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(selezione(), QString("X12-30"));
    }

    void textDialogs() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        QVERIFY(!w->cmdRiassunto->property("testoPresente").toBool());
        QVERIFY(!w->cmdRiassunto->icon().isNull());
        onNextModal<frmTesti>([&s](frmTesti* d) {
            QCOMPARE(d->windowTitle(), QString("Testo riassunto"));
            QCOMPARE(d->Label1->text(), QString("Riassunto"));
            d->txtTesto->setPlainText(QString(2500, u'x') + "\ny");
            QCOMPARE(d->lblConteggio->text(), QString("2502"));
            d->cmdEsci->click();
        });
        tasto(w->ComboLIN, Qt::Key_F10);
        QCOMPARE(w->buffer().TestoRiassunto, QString(2500, u'x') + "y");
        QVERIFY(w->cmdRiassunto->property("testoPresente").toBool());

        onNextModal<frmTesti>([&s](frmTesti* d) {
            QCOMPARE(d->windowTitle(), QString("Testo sommario"));
            d->txtTesto->setPlainText("1. Premessa.");
            d->cmdUndo->click();
            QCOMPARE(d->txtTesto->toPlainText(), QString());
            QCOMPARE(s.t.dialogs().lastText(), QString("Ripristinato testo originale!"));
            d->txtTesto->setPlainText("scartato");
            d->cmdAbbandona->click();
        });
        tasto(w->ComboLIN, Qt::Key_F11);
        QVERIFY(w->buffer().TestoSommario.isEmpty());

        onNextModal<frmAltriTesti>([](frmAltriTesti* d) {
            QCOMPARE(d->windowTitle(), QString("Nota documento"));
            d->txtAltroTesto->setPlainText("Proposta:\nnuovo descrittore");
            d->cmdEsci->click();
        });
        w->cmdNotaDoc->click();
        QCOMPARE(w->buffer().TestoNotaDoc, QString("Proposta:\nnuovo descrittore"));
        QVERIFY(w->cmdNotaDoc->property("testoPresente").toBool());
        w->cmdCancellaNotaCompilatore->click();
        QVERIFY(w->buffer().TestoNotaDoc.isEmpty());
        QVERIFY(!w->cmdNotaDoc->property("testoPresente").toBool());

        onNextModal<frmAltriTesti>([](frmAltriTesti* d) {
            QCOMPARE(d->windowTitle(), QString("Traduzione"));
            d->txtAltroTesto->setPlainText("A title");
            d->cmdEsci->click();
        });
        w->cmdTraduzione->click();
        QCOMPARE(w->buffer().TestoTraduzione, QString("A title"));
    }

    // The list keeps what the operator relies on: typing a key jumps to the first entry that starts
    // with it, Enter opens the entry; in Cancella several entries are chosen with Shift,
    // and after a deletion the list stays where it was.
    void choiceListSearchesSelectsAndKeepsItsPlace() {
        Sessione s;
        for (qint64 id = 1; id <= 60; ++id)
            s.documento(id, QString("Titolo %1").arg(id));
        onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) {
            QCOMPARE(d->lstDocumento->currentIndex().row(), 0);
            QVERIFY(d->lstDocumento->uniformItemSizes());
            d->lstDocumento->setFocus();
            QTest::keyClicks(d->lstDocumento, "42");
            QCOMPARE(voce(d, d->lstDocumento->currentIndex().row()), QString("42 --> 202630042"));
            QCOMPARE(d->IDDocCorrente(), 42);
            QTest::keyClick(d->lstDocumento, Qt::Key_Return);
        });
        azione(s.main, "mnuDocumentiEdita")->trigger();
        frmDocumento* w = s.finestra();
        QVERIFY(w);
        QCOMPARE(w->txtID->text(), QString("42"));
        w->cmdAbbandona->click();
        QTRY_VERIFY(!s.finestra());

        azione(s.main, "mnuDocumentiCancella")->trigger();
        auto* scelta = s.main.findChild<frmSceltaDoc*>();
        QVERIFY(scelta);
        QAbstractItemModelTester tester(scelta->lstDocumento->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        scelta->resize(380, 300);
        runDeferred();
        QListView* lista = scelta->lstDocumento;
        lista->setFocus();
        QTest::keyClicks(lista, "50");
        QTest::keyClick(lista, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(lista, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(lista->selectionModel()->selectedRows().size(), 3);
        const int posizione = lista->verticalScrollBar()->value();
        QVERIFY(posizione > 0);
        s.t.dialogs().clear();
        s.t.dialogs().answerNext(Answer::Yes);
        scelta->cmdCancella->click();
        QCOMPARE(s.conta("select count(*) from tabDocumento"), 57);
        QCOMPARE(s.conta("select count(*) from tabDocumento where IDDocumento in (50, 51, 52)"), 0);
        QCOMPARE(scelta->elenco()->rowCount(), 57);
        QCOMPARE(voce(scelta, 49), QString("53 --> 202630050"));
        QVERIFY(lista->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(scelta->IDDocCorrente(), 0);
        QVERIFY(lista->verticalScrollBar()->value() > 0);
        scelta->cmdAnnulla->click();
    }

    void helpAndSourceButtons() {
        Sessione s;
        s.documento(1, "Con fonti", {legge("1"), legge("2"), legge("3")});
        onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) { d->cmdEdita->click(); });
        azione(s.main, "mnuDocumentiEdita")->trigger();
        frmDocumento* w = s.finestra();

        onNextModal<frmHelpTastiFunzione>([](frmHelpTastiFunzione* d) {
            QCOMPARE(d->windowTitle(), QString("Help su tasti funzione"));
            d->cmdEsci->click(); // first: a failed comparison must not leave the dialog open
            QCOMPARE(d->lblTasti->text().split('\n').size(), 12); // the twelve function keys
        });
        tasto(w->lstClassificazione, Qt::Key_F1);

        onNextModal<frmTipologiaFonte>([](frmTipologiaFonte* d) { d->cmdAbbandona->click(); });
        tasto(w->lstFonte, Qt::Key_F9);
        QCOMPARE(w->buffer().IndiceFonte, -1);
        QCOMPARE(w->lstFonte->count(), 3);
        QVERIFY(w->cmdFonteN->toolTip() == "Inserisci nuovo" && w->cmdFonteT->toolTip() == "Edita corrente");

        // Two of three sources deleted: the save links only the third.
        w->lstFonte->item(0)->setSelected(true);
        w->lstFonte->item(1)->setSelected(true);
        s.t.dialogs().answerNext(Answer::Yes);
        w->cmdFonteD->click();
        QCOMPARE(w->lstFonte->item(0)->text(), QString("DEL--l. 7 agosto 1990, n. 1"));
        QCOMPARE(w->lstFonte->item(2)->text(), QString("l. 7 agosto 1990, n. 3"));

        // The chosen citation into the note: "Nota a " for type 03, appended after "; " otherwise.
        w->lstFonte->setCurrentRow(2);
        w->ComboTD->setCurrentIndex(posizione(w->ComboTD, "03"));
        w->txtNota->clear();
        w->cmdFonteT->click();
        QCOMPARE(w->txtNota->toPlainText(), QString("Nota a l. 7 agosto 1990, n. 3"));
        w->lstFonte->setCurrentRow(0);
        w->cmdFonteT->click();
        QCOMPARE(w->txtNota->toPlainText(), QString("Nota a l. 7 agosto 1990, n. 3; l. 7 agosto 1990, n. 1"));
        w->txtNota->clear();
        w->ComboTD->setCurrentIndex(posizione(w->ComboTD, "01"));
        w->cmdFonteT->click();
        QVERIFY(w->txtNota->toPlainText().isEmpty());

        w->cmdSalva->click();
        QCOMPARE(s.conta("select count(*) from legameDocFonte where IDDoc = 1"), 1);
        w->ricostruisciListaFonti();
        QCOMPARE(w->lstFonte->item(1)->text(), QString("DEL--l. 7 agosto 1990, n. 2"));
    }

    void responsibilitiesAndPairsEditedInPlace() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        for (const char* nome : {"Rossi", "Verdi"}) {
            onNextModal<frmResponsabilita>([nome](frmResponsabilita* d) {
                d->txtElementoPr->setText(nome);
                d->cmdEsci->click();
            });
            w->cmdResponsabilitaN->click();
        }
        w->lstResponsabilita->setCurrentRow(1);
        onNextModal<frmResponsabilita>([](frmResponsabilita* d) {
            QCOMPARE(d->txtElementoPr->text(), QString("Verdi"));
            d->optCuratore->setChecked(true);
            d->txtElementoSec->setText("Anna");
            d->cmdEsci->click();
        });
        w->cmdResponsabilitaM->click();
        QCOMPARE(w->lstResponsabilita->item(1)->text(), QString("C - Verdi, Anna"));
        QCOMPARE(w->lstResponsabilita->count(), 2);

        onNextModal<frmClassificazione>([](frmClassificazione* d) {
            d->txtSistematico->setText("T1.1");
            d->cmbAsteriscati->setCurrentIndex(d->cmbAsteriscati->findText("AT002", Qt::MatchStartsWith));
            d->cmdEsci->click();
        });
        w->cmdClasseN->click();
        QCOMPARE(w->lstClassificazione->item(0)->text(), QString("3 - T1.1; AT002"));
        w->lstClassificazione->setCurrentRow(0);
        onNextModal<frmClassificazione>([&s](frmClassificazione* d) {
            QVERIFY(d->lstDescrittore->isHidden() && !d->LabelD->isHidden() && !d->Label5->isHidden());
            QCOMPARE(d->LabelS->text(), QString("TS1 - Sistematico uno"));
            QCOMPARE(d->cmbAsteriscati->currentText().left(5), QString("AT002"));
            d->txtDescrittore->setText("TD999");
            d->LabelD_Click();
            QCOMPARE(s.t.dialogs().lastText(), QString("Codice descrittore errato!"));
            QVERIFY(d->txtDescrittore->text().isEmpty());
            // Descriptors that cannot be read are not a wrong code: the field stays as typed.
            AppState& st = s.t.state();
            st.Connessione.EseguiIstruzione("alter table tabDescrittori rename to tabDescrittoriVia");
            d->txtDescrittore->setText("TD002");
            d->LabelD_Click();
            st.Connessione.EseguiIstruzione("alter table tabDescrittoriVia rename to tabDescrittori");
            QVERIFY(s.t.dialogs().lastText().startsWith("I descrittori dell'archivio non sono stati letti"));
            QCOMPARE(d->txtDescrittore->text(), QString("TD002"));
            d->cmdEsci->click();
        });
        w->cmdClasseM->click();
        QCOMPARE(w->lstClassificazione->item(0)->text(), QString("0 - T1.1; TD002"));
        // An empty systematic code changes nothing.
        onNextModal<frmClassificazione>([&s](frmClassificazione* d) {
            s.t.dialogs().answerNext(Answer::Ok);
            d->cmdEsci->click();
        });
        w->cmdClasseN->click();
        QCOMPARE(s.t.dialogs().lastText(), QString("Immettere il codice del sistematico!"));
        QCOMPARE(w->lstClassificazione->count(), 1);
        // From the keyboard: Enter adds the descriptor typed, the next code typed replaces it.
        onNextModal<frmClassificazione>([](frmClassificazione* d) {
            QTest::keyClicks(d->txtSistematico, "T1.1");
            QTest::keyClicks(d->txtDescrittore, "TD001");
            QTest::keyClick(d->txtDescrittore, Qt::Key_Return);
            QTest::keyClicks(d->txtDescrittore, "TD003");
            QTest::keyClick(d->txtDescrittore, Qt::Key_Enter);
            QCOMPARE(d->lstDescrittore->count(), 2);
            QVERIFY(d->isVisible());
            d->cmdEsci->click();
        });
        w->cmdClasseN->click();
        QCOMPARE(w->lstClassificazione->count(), 3);
        QCOMPARE(w->lstClassificazione->item(1)->text(), QString("0 - T1.1; TD001"));
        QCOMPARE(w->lstClassificazione->item(2)->text(), QString("1 - T1.1; TD003"));
    }
};

QTEST_MAIN(DocumentWindow)
#include "tst_documents_gui.moc"
