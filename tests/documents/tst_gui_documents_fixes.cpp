// The fixes in the document window's "Controlli" panel, from the keyboard: the arrows reach the fixes
// of the finding the operator is on, Enter applies one into the window (the checks run again, nothing
// is saved), Ctrl+Z takes them back one by one until the save; a step that opens puts the focus in
// its field.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "checks/FixtureControlli.h"
#include "classification/mdlClasse.h"
#include "documents/DocumentListModel.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/frmDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/frmResponsabilita.h"
#include "documents/frmSceltaDoc.h"
#include "support/GuiTestUtil.h"

#include <QElapsedTimer>
#include <QtTest>
#include <QtWidgets>

using namespace editor_test;

namespace {

VoceFonte legge(const QString& giorno, const QString& numero) {
    VoceFonte v;
    v.TP = "LIO";
    v.NomeFonte = "l.";
    v.giorno = giorno;
    v.mese = "agosto";
    v.anno = "1901";
    v.numero = numero;
    v.testo = "l. " + giorno + " agosto 1901, n. " + numero;
    return v;
}

QStringList righeLista(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

QStringList testiRilievi(frmDocumento* w) {
    QStringList out;
    for (const Rilievo& r : w->FrameControlli->esito().rilievi)
        out << r.testo;
    return out;
}

class Sessione {
public:
    Sessione() : main(t.state()) {
        inserisciCatalogo(t, {{"l. 7 agosto 1901, n. 9241", "1901-08-07", "9241", "l."}});
        if (!main.apriArchivio(t.createArchive()))
            qFatal("archive not opened");
        riempiLookup(t.state().Connessione);
        main.resize(1024, 768);
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
    }

    // Stores document 1 as another session would, and opens it with Documenti > Edita.
    frmDocumento*
    apri(const std::function<void(DocumentBuffer&, DatiDocumento&, const ListeDocumento&)>& modifica) {
        Archivio a(t, true);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        b.ElencoResponsabilita = {VoceResponsabilita{0, "Verdi", "", true, false}};
        b.TestoRiassunto = "Riassunto";
        b.TestoSommario = "Sommario";
        b.ElencoClassificazione = {VoceClassificazione{0, "T1.1", "TD001", 0, false}};
        modifica(b, d, a.liste);
        if (!ScriviDocumento(t.state().Connessione, b, d).salvato())
            qFatal("document not written");
        onNextModal<frmSceltaDoc>([](frmSceltaDoc* s) {
            s->lstDocumento->setCurrentIndex(s->elenco()->index(0));
            s->cmdEdita->click();
        });
        azione(main, "mnuDocumentiEdita")->trigger();
        frmDocumento* w = main.findChild<frmDocumento*>();
        main.activateWindow();
        if (!QTest::qWaitForWindowActive(&main))
            qFatal("window not active");
        return w;
    }

    TestHome t;
    MDIQuillaro main;
};

// Alt+K, then Down until the row of the fix with that label; Enter applies it.
bool applica(frmDocumento* w, const QString& etichetta) {
    QTreeWidget* lista = w->FrameControlli->lstControlli;
    if (!lista->hasFocus())
        QTest::keyClick(w->txtTitolo, Qt::Key_K, Qt::AltModifier);
    for (int i = 0; i < 200; ++i) {
        const Correzione* c = w->FrameControlli->correzioneDi(lista->currentItem());
        if (c && c->etichetta == etichetta) {
            QTest::keyClick(lista, Qt::Key_Return);
            return true;
        }
        QTest::keyClick(lista, Qt::Key_Down);
    }
    return false;
}

} // namespace

class GuiDocumentsFixes : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    // Three findings mended in one pass from the keyboard, then taken back the last first.
    void fixesFromTheKeyboardAndTheirTakeBack() {
        Sessione s;
        frmDocumento* w = s.apri([](DocumentBuffer& b, DatiDocumento& d, const ListeDocumento& l) {
            b.ElencoClassificazione << VoceClassificazione{0, "T1.1", "TD003", 1, false};
            b.ElencoFonti = {legge("8", "9241")};
            seleziona(d.ComboTD, l.ComboTD, Archivio::pos(l.ComboTD, "03"));
        });
        QVERIFY(w);
        const QStringList caricati = testiRilievi(w);
        QCOMPARE(caricati,
                 QStringList({"Manza nota con TD <> 01 (rec. 1)", "Coppia non valida: T1.1; TD003(rec. 1)",
                              "Fonte errata: l. 8 agosto 1901, n. 9241 (rec. 1)"}));
        const DatiDocumento prima = w->leggiDati();
        const DocumentBuffer bufferPrima = w->buffer();
        QTreeWidget* lista = w->FrameControlli->lstControlli;
        QTest::keyClick(w->txtTitolo, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(lista->hasFocus());
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(lista->currentItem()->text(0),
                 QString("\u2192 TD: 01 - Contributo indipendente (autonomo)"));
        saveScreenshot(w, "correzioni_1_tastiera");
        QVERIFY(!w->FrameControlli->cmdAnnullaCorrezione->isEnabled());

        QVERIFY(applica(w, "TD: 01 - Contributo indipendente (autonomo)"));
        QCOMPARE(w->ComboTD->currentText(), QString("01|Contributo indipendente (autonomo)"));
        QVERIFY(w->FrameControlli->cmdAnnullaCorrezione->isEnabled());
        // The keyboard stays in the list, on the finding that took the place of the mended one.
        QVERIFY(lista->hasFocus());
        QCOMPARE(lista->currentItem()->text(0), QString("Coppia non valida: T1.1; TD003(rec. 1)"));
        // The pair the document has already is not offered again.
        QVERIFY(applica(w, "Coppia T1.1; TD002 - descrittore TD002"));
        QCOMPARE(righeLista(w->lstClassificazione), QStringList({"0 - T1.1; TD001", "0 - T1.1; TD002"}));
        saveScreenshot(w, "correzioni_2_fonte_errata");
        QVERIFY(applica(w, "l. 7 agosto 1901, n. 9241 (corregge la data)"));
        QCOMPARE(righeLista(w->lstFonte), QStringList({"l. 7 agosto 1901, n. 9241"}));
        QCOMPARE(testiRilievi(w), QStringList());
        QCOMPARE(w->FrameControlli->lblControlli->text(), QString("Nessun rilievo"));
        saveScreenshot(w, "correzioni_3_nessun_rilievo");
        // Nothing was written behind the window.
        QCOMPARE(RilieviDocumento(s.t.state(), 1)->rilievi.size(), 3);

        // Ctrl+Z, the last first, down to the document as loaded.
        QTest::keyClick(lista, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(righeLista(w->lstFonte), QStringList({"l. 8 agosto 1901, n. 9241"}));
        QCOMPARE(testiRilievi(w), caricati.mid(2));
        w->FrameControlli->cmdAnnullaCorrezione->click();
        QTest::keyClick(lista, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(testiRilievi(w), caricati);
        QCOMPARE(w->leggiDati(), prima);
        QVERIFY(w->buffer() == bufferPrima);
        QVERIFY(!w->FrameControlli->cmdAnnullaCorrezione->isEnabled());

        // Applied again and saved: the archive has it, and the save ends the take-back.
        QVERIFY(applica(w, "l. 7 agosto 1901, n. 9241 (corregge la data)"));
        w->cmdSalva->click();
        QVERIFY(!w->FrameControlli->cmdAnnullaCorrezione->isEnabled());
        QCOMPARE(RilieviDocumento(s.t.state(), 1)->rilievi.size(), 2);
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // A step that opens puts the focus in its field; a wrong act without a near one says so.
    void stepsThatOpen() {
        Sessione s;
        frmDocumento* w = s.apri([](DocumentBuffer& b, DatiDocumento& d, const ListeDocumento& l) {
            b.ElencoFonti = {legge("5", "9999")};
            seleziona(d.ComboTD, l.ComboTD, 0);
        });
        QVERIFY(w);
        QTreeWidget* lista = w->FrameControlli->lstControlli;
        QVERIFY(applica(w, "Scegli il tipo documento (TD)"));
        QTRY_VERIFY(w->ComboTD->hasFocus());
        // No type also means no independent contribution: its note is asked for.
        QCOMPARE(testiRilievi(w),
                 QStringList({"Manca indicazione TD (rec. 1)", "Manza nota con TD <> 01 (rec. 1)",
                              "Fonte errata: l. 5 agosto 1901, n. 9999 (rec. 1)"}));
        QTest::keyClick(w->txtTitolo, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(lista->hasFocus());
        while (!lista->currentItem()->text(0).startsWith("Fonte errata"))
            QTest::keyClick(lista, Qt::Key_Down);
        QTreeWidgetItem* fonte = lista->currentItem();
        QCOMPARE(fonte->childCount(), 1);
        QCOMPARE(fonte->child(0)->text(0), QString("Nessun atto simile nel catalogo"));
        QVERIFY(fonte->isExpanded());
        // The notice is not a row the arrows stop on.
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(lista->currentItem(), fonte);
        // In sight with the notice under it.
        QTRY_VERIFY(lista->viewport()->rect().contains(lista->visualItemRect(fonte->child(0))));
        saveScreenshot(w, "correzioni_4_nessun_atto_simile");

        // Going to a finding from elsewhere leaves it chosen in the panel, its fixes under it.
        const Rilievo td = w->FrameControlli->esito().rilievi.first();
        w->txtTitolo->setFocus();
        w->vaiAlRilievo(td);
        QCOMPARE(lista->currentItem()->text(0), td.testo);
        QCOMPARE(lista->currentItem()->child(0)->text(0), QString("\u2192 Scegli il tipo documento (TD)"));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // A step that opens a dialog opens it, as its button does; what is entered there mends the finding.
    void stepThatOpensADialog() {
        Sessione s;
        frmDocumento* w = s.apri([](DocumentBuffer& b, DatiDocumento&, const ListeDocumento&) {
            b.ElencoResponsabilita.clear();
            b.ElencoFonti = {legge("7", "9241")};
        });
        QVERIFY(w);
        QCOMPARE(testiRilievi(w), QStringList({"Manca responsabilità (rec. 1)"}));
        bool aperto = false;
        onNextModal<frmResponsabilita>([&aperto](frmResponsabilita* d) {
            aperto = true;
            QTest::keyClicks(d->txtElementoPr, "Bianchi");
            d->cmdEsci->click();
        });
        QVERIFY(applica(w, "Aggiungi autore o curatore..."));
        QTRY_VERIFY(aperto);
        QTRY_COMPARE(testiRilievi(w), QStringList());
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // Twenty wrong acts mended with Down and Enter each: the time it takes, the window's own work.
    void twentyFixesFromTheKeyboard() {
        Sessione s;
        QList<QStringList> atti;
        for (int n = 9601; n <= 9620; ++n)
            atti << QStringList{QString("l. 7 agosto 1901, n. %1").arg(n), "1901-08-07", QString::number(n),
                                "l."};
        inserisciCatalogo(s.t, atti);
        frmDocumento* w = s.apri([](DocumentBuffer& b, DatiDocumento&, const ListeDocumento&) {
            for (int n = 9601; n <= 9620; ++n)
                b.ElencoFonti << legge("8", QString::number(n));
        });
        QVERIFY(w);
        QCOMPARE(testiRilievi(w).size(), 20);
        QTreeWidget* lista = w->FrameControlli->lstControlli;
        QTest::keyClick(w->txtTitolo, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(lista->hasFocus());
        QElapsedTimer tempo;
        tempo.start();
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(lista, Qt::Key_Down);
            QTest::keyClick(lista, Qt::Key_Return);
        }
        const qint64 ms = tempo.elapsed();
        QCOMPARE(testiRilievi(w), QStringList());
        QCOMPARE(righeLista(w->lstFonte).filter("7 agosto").size(), 20);
        qInfo("20 fixes from the keyboard: %lld ms", ms);
        saveScreenshot(w, "correzioni_5_venti");
    }
};

QTEST_MAIN(GuiDocumentsFixes)
#include "tst_gui_documents_fixes.moc"
