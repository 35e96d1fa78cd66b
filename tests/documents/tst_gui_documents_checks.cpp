// The findings of the cataloguing rules in the document window while the operator works: they
// appear and go as the document is written, a moment after each change; choosing one goes to its
// field; the save's box counts what is left; "Scegli documento" marks each document.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "classification/frmClassificazione.h"
#include "documents/DocumentListModel.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/frmAltriTesti.h"
#include "documents/frmDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/frmResponsabilita.h"
#include "documents/frmSceltaDoc.h"
#include "documents/frmTesti.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmTipologiaFonte.h"
#include "support/GuiTestUtil.h"

#include <QtTest>
#include <QtWidgets>

using namespace editor_test;

namespace {

void tasto(QWidget* w, Qt::Key key) {
    w->setFocus();
    QTest::keyClick(w, key);
}

QStringList righe(frmDocumento* w) {
    QStringList out;
    for (const Rilievo& r : w->FrameControlli->esito().rilievi)
        out << r.testo;
    return out;
}

// The finding's line in the panel.
QTreeWidgetItem* voce(frmDocumento* w, const QString& inizio) {
    QTreeWidget* lista = w->FrameControlli->lstControlli;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* item = lista->topLevelItem(i);
            w->FrameControlli->rilievoDi(item) && item->text(0).startsWith(inizio))
            return item;
    return nullptr;
}

void clic(frmDocumento* w, const QString& inizio) {
    QTreeWidgetItem* item = voce(w, inizio);
    QVERIFY2(item, qPrintable(inizio));
    QTreeWidget* lista = w->FrameControlli->lstControlli;
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
}

class Sessione {
public:
    Sessione() : main(t.state()) {
        if (!main.apriArchivio(t.createArchive()))
            qFatal("archive not opened");
        riempiLookup(t.state().Connessione);
        main.resize(1024, 768);
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
    }

    frmDocumento* finestra() { return main.findChild<frmDocumento*>(); }

    frmDocumento* nuovo() {
        azione(main, "mnuDocumentiNuovo")->trigger();
        frmDocumento* w = finestra();
        w->cmbCPer->setCurrentIndex(w->cmbCPer->findText("TST1"));
        return w;
    }

    TestHome t;
    MDIQuillaro main;
};

void autore(frmDocumento* w, const QString& cognome) {
    onNextModal<frmResponsabilita>([cognome](frmResponsabilita* d) {
        QTest::keyClicks(d->txtElementoPr, cognome);
        d->cmdEsci->click();
    });
    tasto(w->txtTitolo, Qt::Key_F7);
}

void testo(frmDocumento* w, Qt::Key tasto_, const QString& contenuto) {
    onNextModal<frmTesti>([contenuto](frmTesti* d) {
        d->txtTesto->setPlainText(contenuto);
        d->cmdEsci->click();
    });
    tasto(w->txtTitolo, tasto_);
}

// A law of 15 March 1990, n. 22, through F9 and the domestic dialog.
void legge(frmDocumento* w) {
    onNextModal<frmTipologiaFonte>([](frmTipologiaFonte* d) {
        d->cmbTipologiaFonte->setCurrentIndex(1);
        d->cmdProcedi->click();
    });
    onNextModal<frmFontiInterne>([](frmFontiInterne* d) {
        d->SSTabInterna->setCurrentIndex(2);
        PaginaFonteWidget* p = d->pagina(2);
        p->ComboFonte->setCurrentIndex(2);
        const QList<QListWidgetItem*> items = p->lstFonte->findItems("l.", Qt::MatchExactly);
        if (items.isEmpty())
            qFatal("no act l.");
        p->lstFonte->setCurrentItem(items.first());
        QTest::keyClicks(p->txtGG, "15");
        p->ComboMese->setCurrentIndex(3);
        QTest::keyClicks(p->txtAA, "1990");
        QTest::keyClicks(p->txtN, "22");
        p->cmdEsciSalva->click();
    });
    tasto(w->lstFonte, Qt::Key_F9);
}

// Documents 1 (with an author) and 2 (without), stored as another session would, and the window
// opened on document 1 with Documenti > Edita.
frmDocumento* apriPrimoDiDue(Sessione& s) {
    Archivio a(s.t, true);
    for (qint64 id = 1; id <= 2; ++id) {
        DocumentBuffer b = Archivio::nuovo(id);
        if (id == 1)
            b.ElencoResponsabilita = {VoceResponsabilita{0, "Verdi", "", true, false}};
        if (!ScriviDocumento(s.t.state().Connessione, b, a.dati(id)).salvato())
            qFatal("document not written");
    }
    onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) {
        d->lstDocumento->setCurrentIndex(d->elenco()->index(0));
        d->cmdEdita->click();
    });
    azione(s.main, "mnuDocumentiEdita")->trigger();
    return s.finestra();
}

QList<Rilievo> rilieviArchivio(Sessione& s, qint64 id) {
    const std::optional<EsitoControlli> esito = RilieviDocumento(s.t.state(), id);
    return esito ? esito->rilievi : QList<Rilievo>{};
}

} // namespace

class GuiDocumentsChecks : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    // A document catalogued from scratch: each finding goes as its cause is mended, before saving.
    void findingsComeAndGoWhileCataloguing() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        QCOMPARE(w->FrameControlli->title(), QString("Controlli"));
        const QString n = w->txtID->text();
        const auto rec = [&n](const char* testo) { return QString::fromUtf8(testo) + "(rec. " + n + ")"; };
        QTRY_VERIFY(righe(w).contains(rec("Manca responsabilità ")));
        QVERIFY(righe(w).contains(rec("Manca indicazione TD ")));
        saveScreenshot(w, "controlli_1_nuovo");

        autore(w, "Rossi");
        QTRY_VERIFY(!righe(w).contains(rec("Manca responsabilità ")));
        QCOMPARE(w->lstResponsabilita->item(0)->text(), QString("A - Rossi"));

        // TAbs 500 without texts, then with a summary alone, then with the table of contents.
        w->ComboTD->setCurrentIndex(w->ComboTD->findText("01", Qt::MatchStartsWith));
        w->ComboTAbs->setCurrentIndex(w->ComboTAbs->findText("500", Qt::MatchStartsWith));
        const QString tabs = rec("TAbs=500/800 e manca riassunto e/o sommario e/o in tema di ");
        QTRY_VERIFY(righe(w).contains(tabs));
        QVERIFY(!righe(w).contains(rec("Manca indicazione TD ")));
        // A summary alone is not enough: the checks run again as its dialog closes (the findings
        // shown are wiped first, to see them come back) and still say so.
        w->FrameControlli->mostra(EsitoControlli{});
        testo(w, Qt::Key_F10, "Un riassunto.");
        QVERIFY(righe(w).contains(tabs));
        testo(w, Qt::Key_F11, "1. Premessa.");
        QTRY_VERIFY(!righe(w).contains(tabs));

        // A foreign language without the title's translation, then with it.
        w->ComboLIN->setCurrentIndex(w->ComboLIN->findText("01", Qt::MatchStartsWith));
        QTRY_VERIFY(righe(w).contains(rec("Lingua straniera - manca traduzione titolo ")));
        saveScreenshot(w, "controlli_2_lingua");
        onNextModal<frmAltriTesti>([](frmAltriTesti* d) {
            d->txtAltroTesto->setPlainText("A title");
            d->cmdEsci->click();
        });
        w->cmdTraduzione->click();
        QTRY_VERIFY(righe(w).contains(rec("Lingua straniera - titolo tradotto ")));
        QVERIFY(!righe(w).contains(rec("Lingua straniera - manca traduzione titolo ")));

        // An invalid pair, then deleted: the document has no pair left.
        onNextModal<frmClassificazione>([](frmClassificazione* d) {
            QTest::keyClicks(d->txtSistematico, "T1.2");
            d->txtDescrittore->setText("TD001");
            d->cmdDescrittoreN->click();
            d->cmdEsci->click();
        });
        tasto(w->txtTitolo, Qt::Key_F8);
        QTRY_VERIFY(righe(w).contains("Coppia non valida: T1.2; TD001" + rec("")));
        QVERIFY(!righe(w).contains(rec("Manca classificazione ")));
        w->lstClassificazione->item(0)->setSelected(true);
        s.t.dialogs().answerNext(Answer::Yes);
        w->cmdClasseD->click();
        QTRY_VERIFY(righe(w).contains(rec("Manca classificazione ")));
        QVERIFY(!righe(w).contains("Coppia non valida: T1.2; TD001" + rec("")));

        // A law the norms catalogue does not know; deleted, the document cites no source.
        legge(w);
        QTRY_VERIFY(
            righe(w).contains("Fonte errata: " + w->buffer().ElencoFonti.value(0).testo + " " + rec("")));
        QVERIFY(!righe(w).contains(rec("Manca fonte ")));
        saveScreenshot(w, "controlli_3_fonte");
        w->lstFonte->item(0)->setSelected(true);
        s.t.dialogs().answerNext(Answer::Yes);
        w->cmdFonteD->click();
        QTRY_VERIFY(righe(w).contains(rec("Manca fonte ")));
        QVERIFY(righe(w).filter("Fonte errata").isEmpty());
        QVERIFY(s.t.dialogs().allAnswersUsed());
    }

    // Loaded, moved to, cleared or copied, the document is judged at once: the panel never shows,
    // even for a moment, "Nessun rilievo" or the findings of the document it showed before.
    void findingsOfTheShownDocumentAtOnce_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<qint64>("documento"); // whose stored findings the panel shows; 0: none stored
        QTest::newRow("F6") << int(Qt::Key_F6) << qint64(2);
        QTest::newRow("F5") << int(Qt::Key_F5) << qint64(2);
        QTest::newRow("F2 (Duplica)") << int(Qt::Key_F2) << qint64(3);
        QTest::newRow("Nuovo") << 0 << qint64(0);
    }
    void findingsOfTheShownDocumentAtOnce() {
        QFETCH(int, tasto);
        QFETCH(qint64, documento);
        Sessione s;
        frmDocumento* w = apriPrimoDiDue(s);
        QVERIFY(w);
        auto* timer = w->findChild<QTimer*>("timerControlli");
        QCOMPARE(w->FrameControlli->esito().rilievi, rilieviArchivio(s, 1));
        QVERIFY(!timer->isActive());
        if (tasto)
            QTest::keyClick(w->txtTitolo, Qt::Key(tasto));
        else
            w->cmdNew->click();
        QVERIFY(!timer->isActive());
        const QList<Rilievo> rilievi = w->FrameControlli->esito().rilievi;
        if (documento) {
            QCOMPARE(w->txtID->text(), QString::number(documento));
            QCOMPARE(rilievi, rilieviArchivio(s, documento));
        } else {
            QVERIFY(!rilievi.isEmpty());
            for (const Rilievo& r : rilievi)
                QVERIFY2(r.testo.contains("(rec. 3)"), qPrintable(r.testo));
        }
    }

    // Alt+K and Tab reach the findings; the arrows go from finding to finding, Enter goes to the
    // field; F1 tells the key.
    void findingsFromTheKeyboard() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        s.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        w->txtPagine->setText("0");
        w->ComboTAbs->setCurrentIndex(w->ComboTAbs->findText("600", Qt::MatchStartsWith));
        QTRY_VERIFY(voce(w, "Manca indicazione pagine"));
        QTreeWidget* lista = w->FrameControlli->lstControlli;

        w->txtTitolo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->txtTitolo, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(lista->hasFocus());
        QCOMPARE(w->FrameControlli->rilievoDi(lista->currentItem()),
                 &w->FrameControlli->esito().rilievi.first());
        saveScreenshot(w, "controlli_7_tastiera");
        // The lists' titles are passed over; the fixes of the finding the operator is on come
        // between it and the next.
        const qsizetype n = w->FrameControlli->esito().rilievi.size();
        for (qsizetype i = 1; i < n; ++i) {
            do
                QTest::keyClick(lista, Qt::Key_Down);
            while (w->FrameControlli->correzioneDi(lista->currentItem()));
            QCOMPARE(w->FrameControlli->rilievoDi(lista->currentItem()),
                     &w->FrameControlli->esito().rilievi.at(i));
        }
        while (!lista->currentItem()->text(0).startsWith("Manca indicazione pagine"))
            QTest::keyClick(lista, Qt::Key_Up);
        QTest::keyClick(lista, Qt::Key_Return);
        QTRY_VERIFY(w->txtPagine->hasFocus());
        QTRY_COMPARE(w->txtPagine->selectedText(), QString("0"));

        // Tab: after the note, before the persons.
        w->txtNota->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->txtNota, Qt::Key_Tab);
        QTRY_VERIFY(lista->hasFocus());
        QVERIFY(w->FrameControlli->rilievoDi(lista->currentItem()));
        QTest::keyClick(lista, Qt::Key_Tab);
        QTRY_VERIFY(w->lstResponsabilita->hasFocus());

        // Folded, Alt+K unfolds it.
        w->FrameControlli->cmdControlli->click();
        QVERIFY(lista->isHidden());
        QTest::keyClick(w->lstResponsabilita, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(lista->hasFocus());
        QVERIFY(lista->isVisible());

        // The function keys work from the list too; the help names Alt+K.
        QString aiuto;
        onNextModal<frmHelpTastiFunzione>([&aiuto](frmHelpTastiFunzione* d) {
            aiuto = d->lblAltriTasti->text();
            d->cmdEsci->click();
        });
        QTest::keyClick(lista, Qt::Key_F1);
        QVERIFY2(aiuto.contains("Alt+K = Rilievi dei controlli"), qPrintable(aiuto));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }

    // Typing is never held up: the rules run once, a moment after the last key.
    void evaluationWaitsForTheLastChange() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        QTRY_VERIFY(!righe(w).isEmpty());
        auto* timer = w->findChild<QTimer*>("timerControlli");
        QVERIFY(timer && timer->isSingleShot());
        QTest::keyClicks(w->txtPagine, "0");
        QVERIFY(timer->isActive());
        QVERIFY(!righe(w).filter("Manca indicazione pagine").size());
        QTRY_VERIFY(righe(w).filter("Manca indicazione pagine").size() == 1);
        QTest::keyClicks(w->txtPagine, "-12");
        QTRY_VERIFY(righe(w).filter("Manca indicazione pagine").isEmpty());
    }

    // Choosing a finding puts the focus where it is mended.
    void choosingAFindingGoesToItsField() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
        w->txtPagine->setText("0");
        w->ComboTAbs->setCurrentIndex(w->ComboTAbs->findText("600", Qt::MatchStartsWith));
        w->buffer().ElencoClassificazione = {VoceClassificazione{0, "T1.1", "TD001", 0, false},
                                             VoceClassificazione{0, "T1.2", "TD003", 1, false}};
        w->lstClassificazione->addItems({"0 - T1.1; TD001", "1 - T1.2; TD003"});
        QTRY_VERIFY(voce(w, "Coppia non valida"));
        const struct {
            const char* inizio;
            QWidget* campo;
        } casi[] = {
            {"Manca indicazione pagine", w->txtPagine},    {"Manca indicazione TD", w->ComboTD},
            {"Manca indicazione Bib", w->ComboBib},        {"Manca responsabilità", w->lstResponsabilita},
            {"TAbs=600 e manca sommario", w->cmdSommario}, {"Manca fonte", w->lstFonte},
            {"Coppia non valida", w->lstClassificazione}};
        for (const auto& c : casi) {
            clic(w, c.inizio);
            QTRY_VERIFY2(c.campo->hasFocus(), c.inizio);
            // Shown as a keyboard move is: a text button gets its focus frame.
            QVERIFY(w->window()->testAttribute(Qt::WA_KeyboardFocusChange));
        }
        // The pair's line is the chosen one: "Edita" opens it.
        QCOMPARE(w->lstClassificazione->currentRow(), 1);
        QCOMPARE(w->buffer().IndiceClassificazione, 1);
        saveScreenshot(w, "controlli_4_fuoco");
    }

    // The save is never refused for findings; its box says how many are left.
    void saveBoxCountsWhatIsLeft() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        autore(w, "Bianchi");
        QTRY_VERIFY(!righe(w).isEmpty());
        tasto(w->txtTitolo, Qt::Key_F4);
        QVERIFY(!w->buffer().NuovoDocumento);
        const qsizetype n = w->FrameControlli->esito().rilievi.size();
        QVERIFY(n > 1);
        QCOMPARE(s.t.dialogs().lastText(),
                 QString("Documento salvato!\nRestano %1 rilievi dei controlli: vedere "
                         "il riquadro \"Controlli\" della finestra.")
                     .arg(n));
        // The delivery check finds for the document exactly what the window showed.
        QVERIFY(w->FrameControlli->lblControlli->text().startsWith(QString("%1 rilievi: ").arg(n)));
        const std::optional<EsitoControlli> archivio =
            RilieviDocumento(s.t.state(), w->buffer().IDDocCorrente);
        QVERIFY(archivio);
        QCOMPARE(archivio->rilievi, w->FrameControlli->esito().rilievi);
    }

    // At 1024x768 the panel takes no room from the lists of the window, and hides and shows its list.
    void panelFitsAndFolds() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        QTRY_VERIFY(!righe(w).isEmpty());
        QTreeWidget* lista = w->FrameControlli->lstControlli;
        QVERIFY(lista->isVisible());
        for (QWidget* l :
             std::initializer_list<QWidget*>{w->lstResponsabilita, w->lstClassificazione, w->lstFonte})
            QVERIFY2(l->height() >= 60, qPrintable(QString::number(l->height())));
        QVERIFY(w->cmdEsci->isVisible());
        // Beside the title and the note, no higher than they are.
        QVERIFY(w->FrameControlli->geometry().bottom() <= w->txtNota->geometry().bottom() + 8);
        QVERIFY(lista->height() >= 3 * lista->fontMetrics().height());
        QVERIFY(w->FrameControlli->lblControlli->text().startsWith(ContaRilievi(righe(w).size()) + ": "));
        // Long lines and a long status line never widen it over the fields beside it: a long line
        // goes on on further lines, every word in sight.
        const int larghezza = w->FrameControlli->width();
        EsitoControlli lungo;
        const QString testo =
            QString("Fonte errata: art. 12 d.lg. 15 marzo 1990, n. 22 ").repeated(3) + "(rec. 1)";
        for (ElencoErrori e : {ElencoErrori::Generali, ElencoErrori::Classificazione, ElencoErrori::Fonti})
            lungo.rilievi << Rilievo{e, testo, CampoRilievo::Fonti, -1};
        const EsitoControlli prima = w->FrameControlli->esito();
        w->FrameControlli->mostra(lungo);
        QTreeWidgetItem* riga = voce(w, "Fonte errata");
        // As many lines as the words need at the list's width (three at least, at 1024x768), once
        // the list has laid its rows out again.
        const int righe = lista->fontMetrics().horizontalAdvance(testo) / lista->viewport()->width();
        QVERIFY(righe >= 2);
        QTRY_VERIFY2(lista->visualItemRect(riga).height() >= (righe + 1) * lista->fontMetrics().height(),
                     qPrintable(QString::number(lista->visualItemRect(riga).height())));
        runDeferred();
        QCOMPARE(w->FrameControlli->width(), larghezza);
        QVERIFY(!lista->horizontalScrollBar()->isVisible());
        QVERIFY(lista->visualItemRect(riga).right() <= lista->viewport()->width());
        saveScreenshot(w, "controlli_8_righe_lunghe");
        w->FrameControlli->mostra(prima);
        w->FrameControlli->cmdControlli->click();
        QVERIFY(!lista->isVisible());
        QVERIFY(w->FrameControlli->lblControlli->isVisible());
        saveScreenshot(&s.main, "controlli_5_chiuso");
        w->FrameControlli->cmdControlli->click();
        QVERIFY(lista->isVisible());
    }

    // Each document of the list with its mark; the window's findings of a document are its mark.
    void choiceListMarks() {
        Sessione s;
        Archivio a(s.t, true);
        for (qint64 id = 1; id <= 3; ++id) {
            DocumentBuffer b = Archivio::nuovo(id);
            DatiDocumento d = a.dati(id);
            if (id != 2)
                b.ElencoResponsabilita = {VoceResponsabilita{0, "Verdi", "", true, false}};
            QVERIFY(ScriviDocumento(s.t.state().Connessione, b, d).salvato());
        }
        int segni[3] = {-1, -1, -1};
        onNextModal<frmSceltaDoc>([&segni](frmSceltaDoc* d) {
            QVERIFY(d->lblRilievi->isVisible());
            for (int i = 0; i < 3; ++i)
                segni[i] = d->elenco()->index(i).data(DocumentListModel::RuoloRilievi).toInt();
            saveScreenshot(d, "controlli_6_scelta");
            d->lstDocumento->setCurrentIndex(d->elenco()->index(1));
            d->cmdEdita->click();
        });
        azione(s.main, "mnuDocumentiEdita")->trigger();
        QVERIFY(segni[0] > 0);
        QCOMPARE(segni[1], segni[0] + 1); // no author
        QCOMPARE(segni[2], segni[0]);
        frmDocumento* w = s.finestra();
        QVERIFY(w);
        QTRY_COMPARE(w->FrameControlli->esito().rilievi.size(), segni[1]);
    }
};

QTEST_MAIN(GuiDocumentsChecks)
#include "tst_gui_documents_checks.moc"
