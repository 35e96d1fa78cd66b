// "Da indirizzo o DOI..." in the document window, against a server on 127.0.0.1: the operator
// pastes an address, the window stays usable while it is read (Annulla stops it), reviews the
// values with their origin and ticks, applies them and saves the document as usual; a field the
// operator filled is overwritten only when ticked.

#include "support/gui/TestGui.h"
#include "capture/CaptureFixture.h"
#include "capture/frmCattura.h"
#include "documents/EditorFixture.h"
#include "documents/frmDocumento.h"
#include "documents/frmHelpTastiFunzione.h"
#include "support/GuiTestUtil.h"

#include <QtTest>
#include <QtWidgets>

using namespace capture_test;
using namespace editor_test;

namespace {

const QString kSpringer = QStringLiteral("html-citation-springer-s11926-017-0626-z.html");

struct Finestra {
    Finestra() : archivio(s.t) {
        aggiungi(archivio.c(), "tabRivisteOnline", "IDRivistaOnline", "TST3", "IDRivistaOnline, Titolo",
                 {"TST3", "Current Rheumatology Reports"});
        w = std::make_unique<frmDocumento>(s.t.state(), true, 0);
        w->resize(1024, 740);
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            qFatal("document window not shown");
    }

    // Opens the dialog with the button and runs `passi` on it while it is up.
    bool cattura(const std::function<void(frmCattura*)>& passi) {
        bool aperto = false;
        onNextModal<frmCattura>([&](frmCattura* d) {
            aperto = true;
            passi(d);
            // A check that failed half-way leaves no dialog up to hold the test.
            if (d->isVisible())
                d->done(QDialog::Rejected);
        });
        w->cmdCattura->click();
        return aperto;
    }

    Servizi s;
    Archivio archivio;
    std::unique_ptr<frmDocumento> w;
};

template <class W> W* figlio(QWidget* d, const char* nome) {
    return d->findChild<W*>(QString::fromLatin1(nome));
}

// The review's row of a field: its tick and the value shown.
QTableWidgetItem* riga(frmCattura* d, const QString& campo, int colonna = 0) {
    auto* t = figlio<QTableWidget>(d, "tblCampi");
    for (int i = 0; i < t->rowCount(); ++i)
        if (t->item(i, 0)->text() == campo)
            return t->item(i, colonna);
    return nullptr;
}

} // namespace

class TestGuiCapture : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void pasteReviewApplyAndSave() {
        Finestra f;
        REQUIRE_SHARED_FIXTURE(metadati(kSpringer));
        const QString indirizzo = f.s.pagina(kSpringer);
        f.w->txtTitolo->setPlainText(QStringLiteral("Titolo già scritto"));
        f.w->txtFascicolo->setText(QStringLiteral("7"));
        bool letto = false;
        QVERIFY(f.cattura([&](frmCattura* d) {
            figlio<QLineEdit>(d, "txtIndirizzo")->setText(indirizzo);
            figlio<QPushButton>(d, "cmdLeggi")->click();
            QTRY_VERIFY(figlio<QPushButton>(d, "cmdApplica")->isEnabled());
            letto = true;
            // The operator's title and issue are not ticked; the empty fields are.
            QCOMPARE(riga(d, "Titolo")->checkState(), Qt::Unchecked);
            QCOMPARE(riga(d, "Fascicolo")->checkState(), Qt::Unchecked);
            QCOMPARE(riga(d, "Fascicolo", 3)->text(), QString("7"));
            for (const char* c :
                 {"Autori", "Rivista", "Data", "Volume", "Pagine", "URL", "Abstract", "Lingua"})
                QVERIFY2(riga(d, c)->checkState() == Qt::Checked, c);
            QCOMPARE(riga(d, "Rivista", 1)->text(), QString("TST3 - Current Rheumatology Reports"));
            QCOMPARE(riga(d, "Titolo", 2)->text(), QString("pagina (citation_title)"));
            QCOMPARE(figlio<QComboBox>(d, "cmbTipoAbstract")->currentText(), QString("English abstract"));
            // The page's DOI was followed; the services did not know it: said, the page's values stay.
            QVERIFY(figlio<QLabel>(d, "lblAvvisi")->text().contains("10.1007/s11926-017-0626-z"));
            riga(d, "Titolo")->setCheckState(Qt::Checked);
            saveScreenshot(d, "frmCattura");
            figlio<QPushButton>(d, "cmdApplica")->click();
        }));
        QVERIFY(letto);
        saveScreenshot(f.w.get(), "frmDocumento-cattura");
        frmDocumento* w = f.w.get();
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Drug Reaction with Eosinophilia and Systemic Symptoms "
                                                      "(DRESS) Syndrome and the Rheumatologist"));
        QCOMPARE(w->cmbCPer->currentText(), QString("TST3"));
        QCOMPARE(w->txtRivistaOnline->text(), QString("Current Rheumatology Reports"));
        QCOMPARE(w->cmbAA->currentText(), QString("2017"));
        QCOMPARE(w->cmbMM->currentIndex(), 1);
        QCOMPARE(w->cmbGG->currentIndex(), 0);
        QCOMPARE(w->txtFascicolo->text(), QString("7"));
        QCOMPARE(w->txtVolume->text(), QString("19"));
        QCOMPARE(w->txtAnnata->text(), QString("2017"));
        QCOMPARE(w->txtPagine->text(), QString("1-9"));
        QCOMPARE(w->txtDocURL->text(),
                 QString("https://link.springer.com/article/10.1007/s11926-017-0626-z"));
        QCOMPARE(w->ComboLIN->currentText().left(2), QString("01"));
        QCOMPARE(w->lstResponsabilita->item(0)->text(), QString("A - Adwan, Marwan H."));
        QVERIFY(w->buffer().TestoEnglishAbstract.startsWith("The purpose of the review"));
        QVERIFY(w->cmdEnglishAbstract->property("testoPresente").toBool());

        // Saved as usual: F4.
        QTest::keyClick(w->txtPagine, Qt::Key_F4);
        QVERIFY(f.s.t.dialogs().lastText().startsWith("Documento salvato!"));
        cConnessione& c = f.archivio.c();
        QCOMPARE(conta(c,
                       "select count(*) from tabDocumento d join tabRifBibl r on r.IDRifBibl = d.IDRifBibl "
                       "where r.IDRivistaOnline = 'TST3' and r.Data = '2017-01-00' and r.Volume = '19' "
                       "and d.Pagine = '1-9' and d.LIN = '01'"),
                 1);
        QCOMPARE(conta(c, "select count(*) from tabResponsabilita where PrimoElemento = 'Adwan' and "
                          "SecondoElemento = 'Marwan H.'"),
                 1);
        QCOMPARE(conta(c, "select count(*) from legameDocTesto where Tipo = '8'"), 1);
        QVERIFY(f.s.t.dialogs().unexpected().isEmpty());
    }

    // The window is not held up by a reading: Annulla (or Esc) stops it and the dialog is there
    // for another address; a failed reading says why and changes nothing.
    void aReadingCanBeStoppedAndAFailureChangesNothing() {
        Finestra f;
        LocalResponse mai;
        mai.never = true;
        f.s.server.answer(QStringLiteral("/lenta"), mai);
        f.w->txtDocURL->setText(f.s.server.base() + QStringLiteral("/lenta"));
        QVERIFY(f.cattura([&](frmCattura* d) {
            // The document's own address is proposed.
            QCOMPARE(figlio<QLineEdit>(d, "txtIndirizzo")->text(), f.w->txtDocURL->text());
            figlio<QPushButton>(d, "cmdLeggi")->click();
            auto* annulla = figlio<QPushButton>(d, "cmdAnnulla");
            QTRY_VERIFY(annulla->isVisible());
            QVERIFY(figlio<QProgressBar>(d, "barLettura")->isVisible());
            saveScreenshot(d, "frmCattura-lettura");
            QTest::keyClick(d, Qt::Key_Escape);
            QTRY_VERIFY(figlio<QPushButton>(d, "cmdLeggi")->isEnabled());
            QVERIFY(d->isVisible());
            QCOMPARE(figlio<QLabel>(d, "lblStato")->text(), QString("Lettura annullata."));

            figlio<QLineEdit>(d, "txtIndirizzo")->setText(f.s.server.base() + QStringLiteral("/assente"));
            figlio<QPushButton>(d, "cmdLeggi")->click();
            QTRY_VERIFY(!f.s.t.dialogs().shown().empty());
            QVERIFY(f.s.t.dialogs().lastText().contains("non esiste (errore HTTP 404)"));
            QVERIFY(!figlio<QPushButton>(d, "cmdApplica")->isEnabled());
            figlio<QPushButton>(d, "cmdChiudi")->click();
        }));
        QVERIFY(f.w->txtTitolo->toPlainText().isEmpty());
        QCOMPARE(f.w->lstResponsabilita->count(), 0);
    }

    // A journal none of tabRivisteOnline matches is said, not guessed; the one the operator
    // chooses goes into the document and its ISSN is known the next time.
    void aJournalChosenInTheReviewIsRemembered() {
        Finestra f;
        const QString plos = QStringLiteral("html-citation-plosone-pone.0000001.html");
        REQUIRE_SHARED_FIXTURE(metadati(plos));
        const QString indirizzo = f.s.pagina(plos);
        QVERIFY(f.cattura([&](frmCattura* d) {
            figlio<QLineEdit>(d, "txtIndirizzo")->setText(indirizzo);
            figlio<QPushButton>(d, "cmdLeggi")->click();
            QTRY_VERIFY(figlio<QPushButton>(d, "cmdApplica")->isEnabled());
            auto* rivista = figlio<QComboBox>(d, "cmbRivista");
            QCOMPARE(rivista->currentIndex(), 0);
            QVERIFY(!(riga(d, "Rivista")->flags() & Qt::ItemIsUserCheckable));
            QVERIFY(figlio<QLabel>(d, "lblAvvisi")->text().contains("Nessuna rivista di tabRivisteOnline"));
            rivista->setCurrentIndex(rivista->findData(QStringLiteral("TST1")));
            QCOMPARE(riga(d, "Rivista")->checkState(), Qt::Checked);
            QVERIFY(!figlio<QLabel>(d, "lblAvvisi")->text().contains("Nessuna rivista"));
            figlio<QPushButton>(d, "cmdApplica")->click();
        }));
        QCOMPARE(f.w->cmbCPer->currentText(), QString("TST1"));
        QCOMPARE(CaricaElenchiCattura(f.s.t.state()).issn.value("1932-6203"), QString("TST1"));
    }

    // A page built to bring its reader down, read with Alt+I from a document being typed: the reason is
    // said, the window and what the operator typed are there, a reading of another page still works.
    void aHostilePageLeavesTheWindowAndItsWork_data() {
        QTest::addColumn<QByteArray>("apri");
        QTest::addColumn<QByteArray>("chiudi");
        QTest::addColumn<int>("volte");
        QTest::newRow("span nested 50 000 times") << QByteArray("<span>") << QByteArray("</span>") << 50000;
        QTest::newRow("div nested 80 000 times") << QByteArray("<div>") << QByteArray("</div>") << 80000;
    }

    void aHostilePageLeavesTheWindowAndItsWork() {
        QFETCH(QByteArray, apri);
        QFETCH(QByteArray, chiudi);
        QFETCH(int, volte);
        Finestra f;
        REQUIRE_SHARED_FIXTURE(metadati(kSpringer));
        const QByteArray pagina =
            "<html><head><meta name=\"citation_title\" content=\"Ostile\"></head><body>" +
            apri.repeated(volte) + chiudi.repeated(volte) + "</body></html>";
        f.s.server.answer(QStringLiteral("/ostile"), {200, "text/html", pagina, {}, 0, false, false});
        const QString buona = f.s.pagina(kSpringer);
        f.w->txtTitolo->setPlainText(QStringLiteral("Titolo scritto a mano"));
        QApplication::setActiveWindow(f.w.get());
        f.w->txtPagine->setFocus();
        bool visto = false;
        onNextModal<frmCattura>([&](frmCattura* d) {
            figlio<QLineEdit>(d, "txtIndirizzo")->setText(f.s.server.base() + QStringLiteral("/ostile"));
            figlio<QPushButton>(d, "cmdLeggi")->click();
            QTRY_VERIFY_WITH_TIMEOUT(!f.s.t.dialogs().shown().empty(), 10000);
            QVERIFY2(f.s.t.dialogs().lastText().contains("non è stata letta: i suoi elementi sono annidati"),
                     qPrintable(f.s.t.dialogs().lastText()));
            QVERIFY(!figlio<QPushButton>(d, "cmdApplica")->isEnabled());
            figlio<QLineEdit>(d, "txtIndirizzo")->setText(buona);
            figlio<QPushButton>(d, "cmdLeggi")->click();
            QTRY_VERIFY(figlio<QPushButton>(d, "cmdApplica")->isEnabled());
            visto = true;
            d->reject();
        });
        QTest::keyClick(f.w->txtPagine, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(visto);
        QVERIFY(f.w->isVisible());
        QCOMPARE(f.w->txtTitolo->toPlainText(), QString("Titolo scritto a mano"));
        QVERIFY(f.s.t.dialogs().unexpected().isEmpty());
    }

    // Alt+I from the fields opens the dialog, and the F1 help lists it.
    void theShortcutOpensItAndTheHelpListsIt() {
        Finestra f;
        QVERIFY(frmHelpTastiFunzione::altreRighe().contains(
            "Alt+I = Da indirizzo o DOI (compila dalla pagina o dal DOI)"));
        saveScreenshot(f.w.get(), "frmDocumento");
        QApplication::setActiveWindow(f.w.get());
        f.w->txtPagine->setFocus();
        QString fuoco;
        onNextModal<frmCattura>([&](frmCattura* d) {
            fuoco = d->focusWidget() ? d->focusWidget()->objectName() : QStringLiteral("(nessuno)");
            d->reject();
        });
        QTest::keyClick(f.w->txtPagine, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(!fuoco.isEmpty());
        // The operator pastes at once.
        QCOMPARE(fuoco, QString("txtIndirizzo"));
    }
};

QTEST_MAIN(TestGuiCapture)
#include "tst_gui_capture.moc"
