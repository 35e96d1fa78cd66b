// The error lists' viewer as a way to the findings, offscreen: the filter by rule with its counts;
// Enter on a line opens the document at that finding (the document window's document, the finding
// chosen in its Controlli panel, the keyboard on its field), asking about another document's unsaved
// work; a line of a deleted document; one window per list, gone with the archive.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "checks/RegoleRilievi.h"
#include "checks/frmWndErrori.h"
#include "generator/Generatore.h"
#include "documents/frmDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/mdlDocumenti.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "ui/qt/TextLinesView.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <QtWidgets>

namespace {

QString riga(const frmWndErrori* f, int row) {
    return f->txtErrori->line(row);
}

void attiva(QWidget* w) {
    w->activateWindow();
    if (!QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }))
        qWarning("%s not active", qPrintable(w->objectName()));
}

// A generated delivery with its check run done, in the main window at 1024x768.
struct Consegna {
    Consegna() : main(t.state()) {
        const QString path = t.home().mdbPath(QStringLiteral("GEN.db"));
        GeneraArchivio(t.state(), path, OpzioniGeneratore{40, 5, 40.0, 0.0});
        if (!main.apriArchivio(path))
            qFatal("archive not opened");
        main.resize(1024, 768);
        main.show();
        azione(main, "mnuUtilitaDocumentiControlliEsegui")->trigger();
        t.dialogs().clear();
    }

    frmWndErrori* vedi(ElencoErrori elenco) {
        QAction* voci[] = {azione(main, "mnuUtilitaDocumentiControlliVediErroriGenerici"),
                           azione(main, "mnuUtilitaDocumentiControlliVediErroriClassificazione"),
                           azione(main, "mnuUtilitaDocumentiControlliVediErroriFonti")};
        voci[static_cast<int>(elenco)]->trigger();
        for (frmWndErrori* f : main.findChildren<frmWndErrori*>(QString(), Qt::FindDirectChildrenOnly))
            if (f->isVisible() && f->titolo() == TitoloElenco(elenco))
                return f;
        return nullptr;
    }

    // The document window (the newest, when another is on its way out).
    frmDocumento* documento() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return main.findChildren<frmDocumento*>().value(0);
    }

    TestHome t;
    MDIQuillaro main;
};

// From the keyboard: Alt+R to the filter, the rule's item (empty: the commonest), Tab to the list,
// `giu` lines down, Enter. Returns the line.
QString invio(frmWndErrori* f, QString regola, int giu) {
    attiva(f);
    QTest::keyClick(f, Qt::Key_R, Qt::AltModifier);
    if (QApplication::focusWidget() != f->cmbRegola)
        qWarning("Alt+R did not reach the filter");
    regola = regola.isEmpty() ? f->indice().regole().value(0).regola : regola;
    QTest::keyClick(f->cmbRegola, Qt::Key_Home);
    for (int i = 0; i < f->cmbRegola->count() && f->regolaScelta() != regola; ++i)
        QTest::keyClick(f->cmbRegola, Qt::Key_Down);
    QTest::keyClick(f->cmbRegola, Qt::Key_Tab);
    for (int i = 0; i < giu; ++i)
        QTest::keyClick(f->txtErrori, Qt::Key_Down);
    const QString scelta = riga(f, f->txtErrori->currentIndex().row());
    QTest::keyClick(f->txtErrori, Qt::Key_Return);
    return scelta;
}

} // namespace

class ErrorViewer : public TestGui {
    Q_OBJECT

private Q_SLOTS:

    void filterShowsOneRuleWithItsCount_data() {
        QTest::addColumn<QStringList>("lista");
        QTest::addColumn<QString>("regola");
        QTest::addColumn<QStringList>("filtro");
        QTest::addColumn<int>("mostrate");
        QTest::addColumn<QString>("conteggio");
        const QStringList fonti{"Errori nelle fonti",
                                "",
                                "Senza numero: C. cost. 2 marzo 2001 (rec. 9)",
                                "Fonte errata: l. 7 agosto 1990, n. 241 (rec. 1)",
                                "Consegna 12",
                                "Fonte errata: d.lg. 1 gennaio 2000, n. 3 (rec. 4)",
                                "GICA con numero >= 1000: C. cost. 1 febbraio 2003, n. 1200 (rec. 4)"};
        const QStringList filtro{"Tutte le regole", "Fonte errata (2)", "Senza numero (1)",
                                 "GICA con numero >= 1000 (1)"};
        QTest::newRow("all") << fonti << "" << filtro << 7 << "4 rilievi, 3 regole";
        QTest::newRow("solo Fonte errata")
            << fonti << "Fonte errata" << filtro << 2 << "2 di 4 rilievi: Fonte errata";
        QStringList grande{"Errori nelle fonti", ""};
        for (int i = 1; i <= 2900; ++i)
            grande << (i > 844 ? QStringLiteral("Fonte errata: l. %1 (rec. %1)").arg(i)
                               : QStringLiteral("Manca fonte (rec. %1)").arg(i));
        QTest::newRow("thousands") << grande << "Fonte errata"
                                   << QStringList{"Tutte le regole", "Fonte errata (2.056)",
                                                  "Manca fonte (844)"}
                                   << 2056 << "2.056 di 2.900 rilievi: Fonte errata";
    }

    void filterShowsOneRuleWithItsCount() {
        QFETCH(QStringList, lista);
        QFETCH(QString, regola);
        QFETCH(QStringList, filtro);
        QFETCH(int, mostrate);
        QFETCH(QString, conteggio);
        frmWndErrori f(lista.join(QStringLiteral("\r\n")));
        QAbstractItemModelTester tester(f.txtErrori->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList voci;
        for (int i = 0; i < f.cmbRegola->count(); ++i)
            voci << f.cmbRegola->itemText(i);
        QCOMPARE(voci, filtro);
        QVERIFY(f.scegliRegola(regola));
        QCOMPARE(f.txtErrori->lineCount(), mostrate);
        QCOMPARE(f.lblConteggio->text(), conteggio);
        for (int row = 0; row < mostrate && !regola.isEmpty(); ++row)
            QCOMPARE(RegolaDellaRiga(riga(&f, row)), regola);
        // The keyboard is on a finding; the list read again keeps the rule.
        QVERIFY(!RegolaDellaRiga(riga(&f, f.txtErrori->currentIndex().row())).isEmpty());
        f.mostraTesto(lista.join(QStringLiteral("\r\n")));
        QCOMPARE(f.regolaScelta(), regola);
        QVERIFY(!f.scegliRegola(QStringLiteral("Manca classificazione")));
        // Only a finding line asks for its document (Enter on the title, Apri documento on a line).
        QVERIFY(f.scegliRegola(QString()));
        QSignalSpy chiesti(&f, &frmWndErrori::rilievoScelto);
        f.txtErrori->setCurrentIndex(f.txtErrori->model()->index(0, 0));
        QTest::keyClick(f.txtErrori, Qt::Key_Return);
        f.txtErrori->setCurrentIndex(f.txtErrori->model()->index(3, 0));
        f.cmdApri->click();
        QCOMPARE(chiesti.size(), 1);
        QCOMPARE(chiesti[0][1].toString(), lista[3]);
    }

    // Enter on a line of each list; then, with the first document's pages changed and not saved,
    // on the same line, on another document's line (Annulla, No), on a deleted document's line.
    void enterOpensTheDocumentAtTheFinding_data() {
        QTest::addColumn<int>("elenco");
        QTest::addColumn<QString>("regola");
        QTest::addColumn<QString>("poi"); // "", "stesso", "altro", "cancellato"
        QTest::addColumn<int>("risposta");
        QTest::addColumn<bool>("resta"); // the window stays on the first document, with its change
        const int fonti = int(ElencoErrori::Fonti);
        QTest::newRow("solo Fonte errata") << fonti << "Fonte errata"
                                           << "" << -1 << false;
        QTest::newRow("classification") << int(ElencoErrori::Classificazione) << ""
                                        << "" << -1 << false;
        QTest::newRow("general") << int(ElencoErrori::Generali) << ""
                                 << "" << -1 << false;
        QTest::newRow("same document: not asked") << fonti << "Fonte errata"
                                                  << "stesso" << -1 << true;
        QTest::newRow("other: Annulla") << fonti << "Fonte errata"
                                        << "altro" << int(Answer::Cancel) << true;
        QTest::newRow("other: No") << fonti << "Fonte errata"
                                   << "altro" << int(Answer::No) << false;
        QTest::newRow("deleted document") << fonti << "Fonte errata"
                                          << "cancellato" << -1 << true;
    }

    void enterOpensTheDocumentAtTheFinding() {
        QFETCH(int, elenco);
        QFETCH(QString, regola);
        QFETCH(QString, poi);
        QFETCH(int, risposta);
        QFETCH(bool, resta);
        Consegna c;
        frmWndErrori* f = c.vedi(static_cast<ElencoErrori>(elenco));
        QVERIFY(f);
        QString scelta = invio(f, regola, poi.isEmpty() ? 2 : 0);
        const qint64 primo = DocumentoDellaRiga(scelta).value();
        QStringList attesi;
        if (!poi.isEmpty()) {
            c.documento()->txtPagine->setText(QStringLiteral("1-99"));
            int giu = 0;
            while (poi != u"stesso" &&
                   DocumentoDellaRiga(riga(f, f->txtErrori->currentIndex().row() + giu)) == primo)
                ++giu;
            const QString altra = riga(f, f->txtErrori->currentIndex().row() + giu);
            const qint64 altro = DocumentoDellaRiga(altra).value();
            if (poi == u"cancellato") {
                CancellaDocumenti(c.t.state().Connessione, {altro});
                attesi << QStringLiteral(
                              "Il documento %1 non è più nell'archivio: l'elenco è di un controllo "
                              "precedente. Eseguire di nuovo i controlli per aggiornarlo.")
                              .arg(altro);
            } else if (poi == u"altro") {
                c.t.dialogs().answerNext(static_cast<Answer>(risposta));
                attesi << QStringLiteral("Il documento %1 è stato modificato: salvarlo prima di chiudere?")
                              .arg(primo);
            }
            QVERIFY(invio(f, regola, giu) == altra);
            if (!resta || poi == u"stesso")
                scelta = altra;
        }
        QCOMPARE(c.t.dialogs().texts(), attesi);
        QVERIFY(c.t.dialogs().allAnswersUsed());
        frmDocumento* d = c.documento();
        QCOMPARE(c.main.findChildren<frmDocumento*>().size(), 1);
        QCOMPARE(d->buffer().IDDocCorrente, resta ? primo : DocumentoDellaRiga(scelta).value());
        QCOMPARE(d->txtPagine->text() == u"1-99", resta);
        QVERIFY(f->isVisible()); // for the next line
        if (resta && poi != u"stesso")
            return;
        // The line's finding chosen in the panel; the keyboard, once the main window is in front,
        // on what it concerns.
        const Rilievo* r = d->FrameControlli->rilievoDi(d->FrameControlli->lstControlli->currentItem());
        QVERIFY(r);
        QCOMPARE(r->testo, scelta);
        QVERIFY(QTest::qWaitFor([&c] { return QApplication::activeWindow() == &c.main; }));
        QWidget* fuoco = QApplication::focusWidget();
        QVERIFY(fuoco && d->isAncestorOf(fuoco) && fuoco != d->FrameControlli->lstControlli);
        if (r->campo == CampoRilievo::Fonti)
            QCOMPARE(d->lstFonte->currentRow(), r->voce);
        if (r->campo == CampoRilievo::Classificazione)
            QCOMPARE(d->lstClassificazione->currentRow(), r->voce);
        if (QTest::currentDataTag() == QLatin1String("solo Fonte errata")) {
            saveScreenshot(f, QStringLiteral("frmWndErrori-solo-fonte-errata"));
            saveScreenshot(&c.main, QStringLiteral("frmWndErrori-documento-al-rilievo"));
        }
    }

    // Chosen again, the same window with its rule; Esc closes one; closing the archive, all.
    void oneWindowPerListGoneWithTheArchive() {
        Consegna c;
        QPointer<frmWndErrori> fonti = c.vedi(ElencoErrori::Fonti);
        QVERIFY(fonti && fonti->scegliRegola(QStringLiteral("Fonte errata")));
        QCOMPARE(c.vedi(ElencoErrori::Fonti), fonti.data());
        QCOMPARE(fonti->regolaScelta(), QStringLiteral("Fonte errata"));
        QPointer<frmWndErrori> generali = c.vedi(ElencoErrori::Generali);
        QVERIFY(generali && generali != fonti);
        QTest::keyClick(generali->txtErrori, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(generali.isNull() && fonti);
        c.main.mnuFileChiudi->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(fonti.isNull());
    }
};

QTEST_MAIN(ErrorViewer)
#include "tst_gui_error_viewer.moc"
