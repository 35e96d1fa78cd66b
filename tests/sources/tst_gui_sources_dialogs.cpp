// The source dialogs driven offscreen on a document buffer, as an operator uses them. With
// QUILLARO_SCREENSHOTS set to a folder, every layout is also saved there as a picture.

#include "support/gui/TestGui.h"
#include "SourcesTestUtil.h"
#include "sources/CercaFonte.h"
#include "sources/frmAltreFonti.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmScelta.h"
#include "sources/frmTipologiaFonte.h"
#include "store/DocumentBuffer.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"

#include <QtTest>
#include <QtWidgets>

using namespace sourcestest;

namespace {

void shot(QWidget* w, const QString& name) {
    QApplication::processEvents();
    saveScreenshot(w, name);
}

void scegliRiga(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    list->setCurrentItem(items.first());
    QVERIFY(items.first()->isSelected());
}

void doppioClick(QListWidget* list, int row) {
    list->setCurrentRow(row);
    Q_EMIT list->itemDoubleClicked(list->item(row));
}

void click(QListWidget* list, const QString& text) {
    scegliRiga(list, text);
    Q_EMIT list->itemClicked(list->currentItem());
}

// Answers the next modal frmScelta by double-clicking the line that starts with the text.
void rispondiScelta(const QString& inizio, QStringList* righe) {
    QTimer::singleShot(0, [inizio, righe] {
        auto* dlg = qobject_cast<frmScelta*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        for (int i = 0; i < dlg->lstLista->count(); ++i)
            *righe << dlg->lstLista->item(i)->text();
        shot(dlg, QStringLiteral("frmScelta"));
        for (int i = 0; i < dlg->lstLista->count(); ++i) {
            if (dlg->lstLista->item(i)->text().startsWith(inizio)) {
                doppioClick(dlg->lstLista, i);
                return;
            }
        }
        dlg->cmdEsci->click();
    });
}

// The domestic dialog (pages 1 to 4) or the other one (0 to 4) made on that page.
PaginaFonteWidget* aperta(AppState& state, DocumentBuffer& b, bool interne, int pagina,
                          std::unique_ptr<QDialog>& dlg) {
    if (interne) {
        auto* d = new frmFontiInterne(state, b, {});
        dlg.reset(d);
        d->SSTabInterna->setCurrentWidget(d->pagina(pagina));
        return d->pagina(pagina);
    }
    auto* d = new frmAltreFonti(state, b, {}, pagina);
    dlg.reset(d);
    return d->pagina(pagina);
}

QStringList testi(const DocumentBuffer& b) {
    QStringList out;
    for (const VoceFonte& v : b.ElencoFonti)
        out << rigaFonte(v);
    return out;
}

} // namespace

class GuiSourcesDialogs : public TestGui {
    Q_OBJECT

    std::unique_ptr<TestHome> t;

protected:
    void dopoOgniTest() override { t.reset(); }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestHome>();
        QVERIFY(t->open(t->createArchive()));
        fixtureLookup(t->state().Connessione);
    }

    void familyChoice_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("procedi");
        QTest::addColumn<int>("result");
        QTest::newRow("domestic") << 1 << true << 1;
        QTest::newRow("history") << 6 << true << 6;
        QTest::newRow("caption item") << 0 << true << 0;
        QTest::newRow("abandoned") << 3 << false << 0;
    }
    void familyChoice() {
        QFETCH(int, position);
        QFETCH(bool, procedi);
        QFETCH(int, result);
        frmTipologiaFonte dlg;
        QCOMPARE(dlg.cmbTipologiaFonte->count(), 7);
        QCOMPARE(dlg.cmbTipologiaFonte->currentText(), QStringLiteral("Tipologia fonte"));
        dlg.show();
        shot(&dlg, QStringLiteral("frmTipologiaFonte"));
        dlg.cmbTipologiaFonte->setCurrentIndex(position);
        (procedi ? dlg.cmdProcedi : dlg.cmdAbbandona)->click();
        QCOMPARE(dlg.TipologiaFonteScelta(), result);
        QVERIFY(!dlg.isVisible());
    }

    void domesticLaw() {
        DocumentBuffer b;
        int ricostruita = 0;
        frmFontiInterne dlg(t->state(), b, [&] { ++ricostruita; });
        dlg.show();
        QCOMPARE(dlg.SSTabInterna->count(), 4);
        QCOMPARE(dlg.SSTabInterna->tabText(0), QStringLiteral("Costituzione"));
        QCOMPARE(dlg.SSTabInterna->widget(0), dlg.pagina(4));
        QCOMPARE(dlg.SSTabInterna->currentIndex(), 0);
        QVERIFY(!dlg.frameInterrogazioneCatalogo->isVisible());

        dlg.SSTabInterna->setCurrentIndex(2);
        PaginaFonteWidget* p = dlg.pagina(2);
        QCOMPARE(p->ComboFonte->itemText(0), QStringLiteral("Normativa"));
        QCOMPARE(p->ComboFonte->count(), 12);
        p->ComboFonte->setCurrentIndex(2);
        QVERIFY(p->lstFonte->isVisible());
        QVERIFY(p->FrameEstremi->isVisible());
        QVERIFY(!p->txtInfo1->isVisible());
        QVERIFY(p->lstFonte->count() >= 5);
        // The frames the kind shows are not squeezed: every label and field has its natural width.
        for (QWidget* w : p->findChildren<QWidget*>())
            if (w->isVisible() && (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) ||
                                   qobject_cast<QComboBox*>(w)))
                QVERIFY2(w->width() >= w->minimumSizeHint().width() &&
                             (qobject_cast<QLineEdit*>(w) || w->width() >= w->sizeHint().width()),
                         qPrintable(w->objectName() + QStringLiteral(" stretto")));
        shot(&dlg, QStringLiteral("frmFontiInterne_normativa_legge"));
        scegliRiga(p->lstFonte, QStringLiteral("l."));
        QTest::keyClicks(p->txtArt, QStringLiteral("3"));
        QTest::keyClicks(p->txtGG, QStringLiteral("15"));
        p->ComboMese->setCurrentIndex(3);
        QTest::keyClicks(p->txtAA, QStringLiteral("1990"));
        QTest::keyClicks(p->txtN, QStringLiteral("22"));
        p->cmdSalva->click();
        p->cmdSalva->click();
        QCOMPARE(testi(b), QStringList({QStringLiteral("art. 3 l. 15 marzo 1990, n. 22"),
                                        QStringLiteral("art. 3 l. 15 marzo 1990, n. 22")}));
        QCOMPARE(p->txtArt->text(), QStringLiteral("3")); // Salva keeps the page

        // Salva e clear clears the page even when the source is refused.
        p->lstFonte->clearSelection();
        p->cmdClear->click();
        QCOMPARE(t->dialogs().texts(), QStringList{QStringLiteral("Manca l'atto!")});
        QCOMPARE(b.ElencoFonti.size(), 2);
        QCOMPARE(p->ComboFonte->currentIndex(), 0);
        for (QLineEdit* e : {p->txtArt, p->txtGG, p->txtAA, p->txtN})
            QVERIFY(e->text().isEmpty());
        QCOMPARE(p->ComboMese->currentIndex(), 0);

        // A ministerial decree: the pick list follows the typed beginning.
        p->ComboFonte->setCurrentIndex(7);
        QVERIFY(p->txtInfo1->isVisible());
        QCOMPARE(p->LabelInfo1->text(), QStringLiteral("Ministero"));
        shot(&dlg, QStringLiteral("frmFontiInterne_normativa_ministero"));
        scegliRiga(p->lstFonte, QStringLiteral("d.m."));
        QTest::keyClicks(p->txtInfo1, QStringLiteral("giu"));
        QCOMPARE(p->lstElenco1->currentItem()->text(), QStringLiteral("Giustizia"));
        QTest::keyClicks(p->txtInfo1, QStringLiteral("x"));
        QVERIFY(p->lstElenco1->selectedItems().isEmpty());
        doppioClick(p->lstElenco1, 0);
        QCOMPARE(p->txtInfo1->text(), QStringLiteral("Giustizia"));
        QTest::keyClicks(p->txtAA, QStringLiteral("2004"));

        // Esci e salva: adds, rebuilds the document's list and closes.
        p->cmdEsciSalva->click();
        QCOMPARE(b.ElencoFonti.size(), 3);
        QCOMPARE(b.ElencoFonti[2].testo, QStringLiteral("d.m. Giustizia 2004"));
        QCOMPARE(ricostruita, 1);
        QVERIFY(!dlg.isVisible());
    }

    void refusedSourceKeepsTheDialogOpen() {
        DocumentBuffer b;
        int ricostruita = 0;
        frmFontiInterne dlg(t->state(), b, [&] { ++ricostruita; });
        dlg.show();
        dlg.SSTabInterna->setCurrentIndex(3);
        PaginaFonteWidget* p = dlg.pagina(3);
        p->ComboFonte->setCurrentIndex(4);
        p->cmdEsciSalva->click();
        QCOMPARE(t->dialogs().lastText(), QStringLiteral("Manca l'atto!"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(ricostruita, 0);
        // With nothing chosen, Esci e salva says so and closes, as before.
        p->ComboFonte->setCurrentIndex(0);
        p->cmdEsciSalva->click();
        QCOMPARE(t->dialogs().lastText(), QStringLiteral("Nessuna fonte immessa!"));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(ricostruita, 1);
        QVERIFY(b.ElencoFonti.isEmpty());
    }

    void tabChangeClearsThePageLeft() {
        DocumentBuffer b;
        frmFontiInterne dlg(t->state(), b, {});
        dlg.show();
        PaginaFonteWidget* cost = dlg.pagina(4);
        QVERIFY(cost->ComboFonte->count() >= 2);
        cost->ComboFonte->setCurrentIndex(1);
        QVERIFY(cost->FrameRipartizioni->isVisible());
        QVERIFY(!cost->FrameEstremi->isVisible());
        cost->txtArt->setText(QStringLiteral("3"));
        shot(&dlg, QStringLiteral("frmFontiInterne_costituzione"));
        dlg.SSTabInterna->setCurrentIndex(1);
        QVERIFY(cost->txtArt->text().isEmpty());
        QCOMPARE(cost->ComboFonte->currentIndex(), 0);
        PaginaFonteWidget* cod = dlg.pagina(1);
        cod->ComboFonte->setCurrentIndex(
            cod->ComboFonte->findText(QStringLiteral("Norme bancarie uniformi")));
        cod->txtArt->setText(QStringLiteral("2"));
        shot(&dlg, QStringLiteral("frmFontiInterne_codificazioni"));
        cod->cmdSalva->click();
        QCOMPARE(b.ElencoFonti.value(0).TP, QStringLiteral("LIAB"));
        QCOMPARE(b.ElencoFonti.value(0).testo, QStringLiteral("art. 2 Norme bancarie uniformi"));
        dlg.SSTabInterna->setCurrentIndex(3);
        QVERIFY(cod->txtArt->text().isEmpty());
    }

    // From the keyboard alone: the dialog opens on the page's kind, and Ctrl+PgDown / Ctrl+PgUp /
    // Ctrl+Tab change page from any field, also from a combo box, which keeps those keys otherwise.
    void pagesChangeFromTheKeyboard() {
        DocumentBuffer b;
        frmFontiInterne interne(t->state(), b, {});
        interne.show();
        interne.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&interne));
        QTRY_COMPARE(QApplication::focusWidget(), interne.pagina(4)->ComboFonte);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(interne.SSTabInterna->currentIndex(), 1);
        QCOMPARE(interne.pagina(1)->ComboFonte->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), interne.pagina(1)->ComboFonte);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(interne.SSTabInterna->currentIndex(), 3);
        PaginaFonteWidget* g = interne.pagina(3);
        g->ComboFonte->setCurrentIndex(3);
        g->txtGG->setFocus();
        QTest::keyClick(g->txtGG, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(interne.SSTabInterna->currentIndex(), 0);
        QCOMPARE(g->ComboFonte->currentIndex(), 0); // the page left is cleared, as a click on a tab does
        // Salva e clear leaves the operator on the kind, for the next source.
        PaginaFonteWidget* c = interne.pagina(4);
        c->ComboFonte->setCurrentIndex(1);
        c->txtArt->setFocus();
        QTest::keyClicks(c->txtArt, QStringLiteral("36"));
        c->cmdClear->click();
        QCOMPARE(b.ElencoFonti.size(), 1);
        QCOMPARE(QApplication::focusWidget(), c->ComboFonte);
        interne.close();

        frmAltreFonti altre(t->state(), b, {}, 2);
        altre.show();
        altre.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&altre));
        QTRY_COMPARE(QApplication::focusWidget(), altre.pagina(2)->ComboFonte);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(altre.SSTabAltra->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), altre.pagina(1)->ComboFonte);
        QCOMPARE(altre.pagina(1)->ComboFonte->currentIndex(), 0);
        QCOMPARE(b.ElencoFonti.size(), 1);
    }

    void caseLawLayouts_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("lista");
        QTest::addColumn<bool>("citta");
        QTest::addColumn<bool>("sezioni");
        QTest::addColumn<bool>("regione");
        QTest::addColumn<bool>("altro");
        QTest::addColumn<QString>("info3");
        QTest::newRow("1 constitutional") << 1 << false << false << false << false << true << "";
        QTest::newRow("3 cassation") << 3 << false << false << true << false << true << "";
        QTest::newRow("4 ordinary") << 4 << true << true << true << false << true << "Altro";
        QTest::newRow("5 tax") << 5 << true << true << true << true << true << "";
        QTest::newRow("6 auditors") << 6 << false << false << true << true << true << "";
        QTest::newRow("7 administrative") << 7 << true << true << true << true << true << "";
        QTest::newRow("8 special") << 8 << true << true << false << true << true << "";
        QTest::newRow("9 alternative") << 9 << true << true << false << false << true << "Ente/parti/.";
        QTest::newRow("10 sports") << 10 << false << false << false << false << false << "Specifica";
    }
    void caseLawLayouts() {
        QFETCH(int, tipo);
        QFETCH(bool, lista);
        QFETCH(bool, citta);
        QFETCH(bool, sezioni);
        QFETCH(bool, regione);
        QFETCH(bool, altro);
        QFETCH(QString, info3);
        DocumentBuffer b;
        frmFontiInterne dlg(t->state(), b, {});
        dlg.show();
        dlg.SSTabInterna->setCurrentIndex(3);
        PaginaFonteWidget* p = dlg.pagina(3);
        p->chkOrd->setChecked(true);
        p->ComboFonte->setCurrentIndex(tipo);
        QVERIFY(!p->chkOrd->isChecked());
        QVERIFY(p->FrameEstremi->isVisible());
        QCOMPARE(p->lstFonte->isVisible(), lista);
        QCOMPARE(p->txtInfo1->isVisible(), citta);
        QCOMPARE(p->lstElenco2->isVisible(), sezioni);
        QCOMPARE(p->FrameRegione->isVisible(), regione);
        QCOMPARE(p->FrameAltro->isVisible(), altro);
        QCOMPARE(p->txtInfo3->isVisible(), !info3.isEmpty());
        if (!info3.isEmpty())
            QCOMPARE(p->LabelInfo3->text(), info3);
        if (tipo == 8) {
            QVERIFY(!p->lstFonte->findItems(QStringLiteral("Trib. Acque"), Qt::MatchExactly).isEmpty());
            QVERIFY(!p->lstFonte->findItems(QStringLiteral("Comm. ricorsi brevetti"), Qt::MatchExactly)
                         .isEmpty());
        }
        shot(&dlg, QStringLiteral("frmFontiInterne_giurisprudenza_%1").arg(tipo, 2, 10, QLatin1Char('0')));
    }

    void normativeLayouts_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("lista");
        QTest::addColumn<bool>("estremi");
        QTest::addColumn<QString>("info1");
        QTest::addColumn<bool>("regione");
        QTest::addColumn<bool>("info3");
        QTest::newRow("1") << 1 << false << true << "" << false << false;
        QTest::newRow("3") << 3 << true << true << "Provincia" << false << false;
        QTest::newRow("4") << 4 << true << true << "" << true << false;
        QTest::newRow("5") << 5 << false << false << "" << false << false;
        QTest::newRow("8") << 8 << true << true << "Amministrazione" << false << false;
        QTest::newRow("9") << 9 << true << true << "Provincia" << true << false;
        QTest::newRow("10") << 10 << true << true << "Autorità" << false << false;
        QTest::newRow("11") << 11 << true << true << "" << false << true;
    }
    void normativeLayouts() {
        QFETCH(int, tipo);
        QFETCH(bool, lista);
        QFETCH(bool, estremi);
        QFETCH(QString, info1);
        QFETCH(bool, regione);
        QFETCH(bool, info3);
        DocumentBuffer b;
        frmFontiInterne dlg(t->state(), b, {});
        dlg.show();
        dlg.SSTabInterna->setCurrentIndex(2);
        PaginaFonteWidget* p = dlg.pagina(2);
        p->ComboFonte->setCurrentIndex(tipo);
        QVERIFY(p->FrameRipartizioni->isVisible());
        QCOMPARE(p->lstFonte->isVisible(), lista);
        QCOMPARE(p->FrameEstremi->isVisible(), estremi);
        QCOMPARE(p->txtInfo1->isVisible(), !info1.isEmpty());
        if (!info1.isEmpty())
            QCOMPARE(p->LabelInfo1->text(), info1);
        QCOMPARE(p->FrameRegione->isVisible(), regione);
        QCOMPARE(p->txtInfo3->isVisible(), info3);
        if (tipo == 3 || tipo == 9)
            QCOMPARE(p->lstElenco1->count(), 2);
        shot(&dlg, QStringLiteral("frmFontiInterne_normativa_%1").arg(tipo, 2, 10, QLatin1Char('0')));
    }

    // A province is checked on the page where it is typed, against the archive's provinces.
    void provinceCheckedWhereTyped() {
        DocumentBuffer b;
        frmFontiInterne dlg(t->state(), b, {});
        dlg.show();
        dlg.SSTabInterna->setCurrentIndex(2);
        PaginaFonteWidget* p = dlg.pagina(2);
        p->ComboFonte->setCurrentIndex(3);
        scegliRiga(p->lstFonte, QStringLiteral("l. prov."));
        QTest::keyClicks(p->txtInfo1, QStringLiteral("Bolzano"));
        QTest::keyClicks(p->txtAA, QStringLiteral("2005"));
        QTest::keyClicks(p->txtN, QStringLiteral("1"));
        p->cmdEsciSalva->click();
        QCOMPARE(t->dialogs().lastText(),
                 QStringLiteral("Provincia \"Bolzano\" non riconosciuta: la fonte non è stata aggiunta.\n"
                                "Scrivere la sigla di una delle province ammesse (BZ - Bolzano, TN - Trento) "
                                "oppure sceglierla con un doppio click nell'elenco."));
        QVERIFY(b.ElencoFonti.isEmpty());
        QVERIFY(dlg.isVisible());
        QCOMPARE(p->txtInfo1->text(), QStringLiteral("Bolzano"));
        shot(&dlg, QStringLiteral("frmFontiInterne_provincia"));
        // Picked from the list it goes in, and the save stores it.
        doppioClick(p->lstElenco1, 0);
        p->cmdSalva->click();
        QCOMPARE(testi(b), QStringList{QStringLiteral("l. prov. BZ 2005, n. 1")});
        QVERIFY(MemorizzaFonte(t->state().Connessione, b.ElencoFonti[0]) > 0);
    }

    void cassation() {
        DocumentBuffer b;
        frmFontiInterne dlg(t->state(), b, {});
        dlg.show();
        dlg.SSTabInterna->setCurrentIndex(3);
        PaginaFonteWidget* p = dlg.pagina(3);
        p->ComboFonte->setCurrentIndex(3);
        QTest::keyClicks(p->txtInfo2, QStringLiteral("SEZ. U"));
        QCOMPARE(p->lstElenco2->currentItem()->text(), QStringLiteral("sez. un."));
        doppioClick(p->lstElenco2, p->lstElenco2->currentRow());
        QCOMPARE(p->txtInfo2->text(), QStringLiteral("sez. un."));
        p->txtGG->setText(QStringLiteral("11"));
        p->ComboMese->setCurrentIndex(1);
        p->txtAA->setText(QStringLiteral("2008"));
        p->txtN->setText(QStringLiteral("500"));
        p->cmdClear->click();
        QCOMPARE(testi(b), QStringList{QStringLiteral("Cass. sez. un. 11 gennaio 2008, n. 500")});
        // The case-law page keeps its cities and sections after clearing.
        QVERIFY(p->lstElenco2->count() >= 4);
        QVERIFY(p->txtInfo2->text().isEmpty());
    }

    void catalogue() {
        {
            QVERIFY(ApriCatalogo(t->state()));
            cConnessione& c = t->state().ConnessioneCatalogo;
            c.EseguiIstruzione(QStringLiteral("delete from tabCatalogo"));
            c.EseguiIstruzione(QStringLiteral("insert into tabCatalogo (id, estremi, titolo, anno, numero, "
                                              "promulgazione, abbreviazione) values "
                                              "(90001, 'l. 15 marzo 1990, n. 22', 'Norme sul procedimento', "
                                              "1990, '22', '1990-03-15', 'l.'), "
                                              "(90002, 'd.lgs. 2 marzo 2001, n. 57', 'Orientamento del "
                                              "settore agricolo', 2001, '57', '2001-03-02', "
                                              "'d.lgs.'), "
                                              "(90003, 'l. 3 aprile 1990, n. 80', 'Disposizioni tributarie', "
                                              "1990, '80', '1990-04-03', 'l.')"));
            ChiudiCatalogo(t->state());
        }
        DocumentBuffer b;
        auto dlg = std::make_unique<frmFontiInterne>(t->state(), b, std::function<void()>{});
        dlg->show();
        dlg->cmdCatalogoFonti->click();
        QVERIFY(t->state().CatalogoAperto);
        QVERIFY(dlg->frameInterrogazioneCatalogo->isVisible());
        dlg->cmbCatalogoMese->setCurrentIndex(3);
        dlg->cmdCercaCatalogo->click();
        QCOMPARE(dlg->lstRisultato->count(), 2);
        // The keyboard goes on in the results, on the first: arrows, then Enter.
        QCOMPARE(dlg->focusWidget(), dlg->lstRisultato);
        QCOMPARE(dlg->lstRisultato->currentRow(), 0);
        QCOMPARE(dlg->lstRisultato->item(1)->text(),
                 QStringLiteral("90002) d.lgs. 2 marzo 2001, n. 57 --- Orientamento del settore agricolo"));
        dlg->lstRisultato->setCurrentRow(1);
        QCOMPARE(dlg->txtRisultato->toPlainText(),
                 QStringLiteral("d.lgs. 2 marzo 2001, n. 57\nOrientamento del settore agricolo"));
        shot(dlg.get(), QStringLiteral("frmFontiInterne_catalogo"));

        // No result: the message, and the list stays.
        dlg->txtCatalogoAnno->setText(QStringLiteral("1800"));
        dlg->cmdCercaCatalogo->click();
        QCOMPARE(
            t->dialogs().lastText(),
            QStringLiteral("Non ci sono provvedimenti che soddisfano la ricerca - cambiare e riprovare"));
        QCOMPARE(dlg->lstRisultato->count(), 2);

        doppioClick(dlg->lstRisultato, 1);
        QVERIFY(!dlg->frameInterrogazioneCatalogo->isVisible());
        QCOMPARE(dlg->SSTabInterna->currentIndex(), 2);
        PaginaFonteWidget* p = dlg->pagina(2);
        QCOMPARE(p->ComboFonte->currentIndex(), 2);
        QCOMPARE(PaginaFonteWidget::selezionata(p->lstFonte), QStringLiteral("d.lg."));
        QCOMPARE(p->txtGG->text(), QStringLiteral("2"));
        QCOMPARE(p->ComboMese->currentText(), QStringLiteral("marzo"));
        QCOMPARE(p->txtAA->text(), QStringLiteral("2001"));
        QCOMPARE(p->txtN->text(), QStringLiteral("57"));
        p->cmdSalva->click();
        QCOMPARE(testi(b), QStringList{QStringLiteral("d.lg. 2 marzo 2001, n. 57")});

        // From the keyboard: Enter on a result copies it.
        dlg->cmdCatalogoFonti->click();
        dlg->cmbCatalogoMese->setCurrentIndex(3);
        dlg->cmdCercaCatalogo->click();
        dlg->lstRisultato->setCurrentRow(0);
        QTest::keyClick(dlg->lstRisultato, Qt::Key_Return);
        QVERIFY(!dlg->frameInterrogazioneCatalogo->isVisible());
        QCOMPARE(p->txtN->text(), QStringLiteral("22"));
        QCOMPARE(p->txtAA->text(), QStringLiteral("1990"));

        // The frame's own exit closes the catalogue; so does the dialog if it opened it.
        dlg->cmdCatalogoFonti->click();
        dlg->cmdAbbandonaCatalogo->click();
        QVERIFY(!t->state().CatalogoAperto);
        dlg->cmdCatalogoFonti->click();
        QVERIFY(t->state().CatalogoAperto);
        dlg.reset();
        QVERIFY(!t->state().CatalogoAperto);
    }

    void treaty() {
        DocumentBuffer b;
        frmAltreFonti dlg(t->state(), b, {});
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Tipi di diritto diverso da quello interno"));
        PaginaFonteWidget* p = dlg.pagina(0);
        QCOMPARE(p->ComboFonte->itemText(0), QStringLiteral("Diritto internazionale"));
        p->ComboFonte->setCurrentIndex(1);
        QVERIFY(dlg.frameNIT->isVisible());
        QVERIFY(dlg.optIntero->isChecked());
        QVERIFY(!dlg.ComboParte->isEnabled());
        QVERIFY(dlg.lstNIT->count() >= 2);
        shot(&dlg, QStringLiteral("frmAltreFonti_frameNIT"));
        // The search frame beside the pages hides none of the five tabs, and the dialog still
        // fits a 1024-pixel screen.
        QTabBar* bar = dlg.SSTabAltra->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
        QVERIFY2(dlg.minimumSizeHint().width() <= 1000,
                 qPrintable(QString::number(dlg.minimumSizeHint().width())));
        const QRect area = dlg.screen()->availableGeometry();
        if (area.width() >= 1024)
            QVERIFY(area.contains(dlg.frameGeometry()));

        // Search by words.
        dlg.optParte->click();
        QVERIFY(dlg.ComboParte->isEnabled());
        dlg.txtNIT->setText(QStringLiteral("Vienna"));
        dlg.cmdCercaNIT->click();
        QCOMPARE(dlg.lstNIT->count(), 1);
        // The keyboard goes on in what was found.
        QCOMPARE(dlg.focusWidget(), dlg.lstNIT);
        QCOMPARE(dlg.lstNIT->currentRow(), 0);
        dlg.txtNIT->setText(QStringLiteral("Lisbona"));
        dlg.cmdCercaNIT->click();
        QCOMPARE(t->dialogs().lastText(),
                 QStringLiteral("Non ci sono atti che soddisfano la ricerca - cambiare e riprovare"));
        QCOMPARE(dlg.lstNIT->count(), 1);
        dlg.cmdClearNIT->click();
        QVERIFY(dlg.lstNIT->count() >= 2);
        QVERIFY(dlg.txtNIT->text().isEmpty());

        // A typed beginning is completed; one that matches no treaty is said so and kept.
        QTest::keyClicks(dlg.txtLiberoNIT, QStringLiteral("9x"));
        QCOMPARE(dlg.txtLiberoNIT->text(), QStringLiteral("9x"));
        QVERIFY(dlg.lblAvvisoNIT->text().contains(QStringLiteral("9x")));
        dlg.txtLiberoNIT->clear();
        // Like the list boxes, the search begins at the second line and ends with the first.
        QTest::keyClicks(dlg.txtLiberoNIT, QStringLiteral("900"));
        QVERIFY(dlg.lblAvvisoNIT->text().isEmpty());
        QCOMPARE(dlg.txtLiberoNIT->text(), QStringLiteral("9002) Conv. eur. dir. uomo 4 novembre 1950"));
        QTest::keyClicks(dlg.txtLiberoNIT, QStringLiteral("1"));
        QCOMPARE(dlg.txtLiberoNIT->text(), QStringLiteral("9001) Conv. Vienna 23 maggio 1969"));
        QCOMPARE(dlg.lstNIT->currentItem()->text(), dlg.txtLiberoNIT->text());
        QTest::keyClick(dlg.txtLiberoNIT, Qt::Key_Backspace);
        QCOMPARE(dlg.txtLiberoNIT->text(), QStringLiteral("9001"));
        dlg.cmdSalvaNIT->click();
        QVERIFY(!dlg.frameNIT->isVisible());
        QCOMPARE(p->txtLibero->text(), QStringLiteral("9001"));
        p->cmdSalva->click();
        QCOMPARE(
            t->dialogs().lastText(),
            QStringLiteral(
                "Il trattato indicato non è nell'elenco dei trattati: sceglierlo di nuovo con la ricerca!"));
        QVERIFY(b.ElencoFonti.isEmpty());

        p->ComboFonte->setCurrentIndex(0);
        p->ComboFonte->setCurrentIndex(1);
        // From the keyboard the arrows move through the list and Enter takes the line.
        dlg.txtLiberoNIT->clear();
        scegliRiga(dlg.lstNIT, QStringLiteral("9001) Conv. Vienna 23 maggio 1969"));
        QVERIFY(dlg.txtLiberoNIT->text().isEmpty());
        QTest::keyClick(dlg.lstNIT, Qt::Key_Return);
        QCOMPARE(dlg.txtLiberoNIT->text(), QStringLiteral("9001) Conv. Vienna 23 maggio 1969"));
        click(dlg.lstNIT, QStringLiteral("9002) Conv. eur. dir. uomo 4 novembre 1950"));
        QCOMPARE(dlg.txtLiberoNIT->text(), QStringLiteral("9002) Conv. eur. dir. uomo 4 novembre 1950"));
        dlg.cmdSalvaNIT->click();
        p->txtArt->setText(QStringLiteral("6"));
        p->cmdSalva->click();
        QCOMPARE(testi(b), QStringList{QStringLiteral("art. 6 Conv. eur. dir. uomo 4 novembre 1950*NIT*")});
    }

    void otherPages_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shotName");
        QTest::newRow("body") << 0 << 2 << "Ris. ONU"
                              << "frmAltreFonti_0_NIA";
        QTest::newRow("echr") << 0 << 3 << "C. eur. dir. uomo"
                              << "frmAltreFonti_0_GEI";
        QTest::newRow("eu treaty") << 1 << 1 << "TFUE"
                                   << "frmAltreFonti_1_NIC_trattati";
        QTest::newRow("eu secondary") << 1 << 2 << "Dir. CE"
                                      << "frmAltreFonti_1_NIC_derivato";
        QTest::newRow("eu convention") << 1 << 3 << ""
                                       << "frmAltreFonti_1_NIC_convenzioni";
        QTest::newRow("eu court") << 1 << 4 << "C. giust. UE"
                                  << "frmAltreFonti_1_GEC";
        QTest::newRow("foreign") << 2 << 1 << ""
                                 << "frmAltreFonti_2_NS";
        QTest::newRow("foreign court") << 2 << 2 << ""
                                       << "frmAltreFonti_2_GS";
        QTest::newRow("canon") << 3 << 1 << "C. Iur. Can."
                               << "frmAltreFonti_3_FCC";
        QTest::newRow("canon other") << 3 << 2 << ""
                                     << "frmAltreFonti_3_FCA";
        QTest::newRow("canon court") << 3 << 3 << "Rota Romana"
                                     << "frmAltreFonti_3_FCG";
        QTest::newRow("roman") << 4 << 1 << "papirologiche (*FSRP*)"
                               << "frmAltreFonti_4_FSR";
        QTest::newRow("cuneiform") << 4 << 4 << ""
                                   << "frmAltreFonti_4_FSC";
    }
    void otherPages() {
        QFETCH(int, page);
        QFETCH(int, family);
        QFETCH(QString, name);
        QFETCH(QString, shotName);
        DocumentBuffer b;
        frmAltreFonti dlg(t->state(), b, {}, page);
        dlg.show();
        QCOMPARE(dlg.SSTabAltra->currentIndex(), page);
        PaginaFonteWidget* p = dlg.pagina(page);
        p->ComboFonte->setCurrentIndex(family);
        if (!name.isEmpty())
            scegliRiga(p->lstFonte, name);
        shot(&dlg, shotName);
        QVERIFY(!dlg.frameNIT->isVisible());
        QCOMPARE(p->LabelArt->text().remove(u'&'),
                 page == 3 && family == 1 ? QStringLiteral("Canone") : QStringLiteral("Articolo"));
        QCOMPARE(p->FrameAltro->isVisible(), (page == 0 && family == 3) || (page == 1 && family == 4) ||
                                                 (page == 2 && family == 2) || (page == 3 && family == 3));
        QCOMPARE(p->txtStato->isVisible(), page == 2);
        QCOMPARE(p->lstElenco1->isVisible(), page == 3 && family == 3);
        QCOMPARE(p->txtInfo2->isVisible(), (page == 0 && family == 3) || (page == 1 && family == 4));
        QCOMPARE(p->ComboRipA->count(), 15);
    }

    void euDirectiveAndEchr() {
        DocumentBuffer b;
        int ricostruita = 0;
        frmAltreFonti dlg(
            t->state(), b, [&] { ++ricostruita; }, 1);
        dlg.show();
        PaginaFonteWidget* eu = dlg.pagina(1);
        eu->ComboFonte->setCurrentIndex(2);
        scegliRiga(eu->lstFonte, QStringLiteral("Dir. CE"));
        eu->txtArt->setText(QStringLiteral("7"));
        eu->txtAA->setText(QStringLiteral("2004"));
        eu->txtN->setText(QStringLiteral("38"));
        eu->cmdClear->click();
        QCOMPARE(eu->ComboFonte->currentIndex(), 0);
        QVERIFY(eu->txtArt->text().isEmpty());
        QVERIFY(eu->FrameEstremi->isVisible());

        dlg.SSTabAltra->setCurrentIndex(0);
        PaginaFonteWidget* p = dlg.pagina(0);
        p->ComboFonte->setCurrentIndex(3);
        scegliRiga(p->lstFonte, QStringLiteral("C. eur. dir. uomo"));
        QTest::keyClicks(p->txtInfo2, QStringLiteral("gr"));
        QCOMPARE(p->lstElenco2->currentItem()->text(), QStringLiteral("Grande Camera"));
        doppioClick(p->lstElenco2, p->lstElenco2->currentRow());
        p->txtGG->setText(QStringLiteral("1"));
        p->ComboMese->setCurrentIndex(7);
        p->txtAA->setText(QStringLiteral("2014"));
        p->txtLibero->setText(QStringLiteral("S.A.S. c. Francia"));
        p->cmdEsciSalva->click();
        QCOMPARE(
            testi(b),
            QStringList(
                {QStringLiteral("art. 7 Dir. CE 2004/38*NIC*"),
                 QStringLiteral("C. eur. dir. uomo Grande Camera 1 luglio 2014 (S.A.S. c. Francia)*GEI*")}));
        QCOMPARE(ricostruita, 1);
        QVERIFY(!dlg.isVisible());
    }

    void conventionAndStatePicks() {
        cConnessione& c = t->state().Connessione;
        for (int i = 1; i <= 12; ++i)
            c.EseguiIstruzione(
                QStringLiteral("insert into tabFonte (TP, testo, giorno, mese, anno, altro, IDNomeFonte) "
                               "values ('NIC', ?, ?, ?, ?, ?, 30)"),
                {QStringLiteral("Conv. UE %1").arg(i), QString::number(i), QString::number(i),
                 QString::number(1990 + i), QStringLiteral("nota %1").arg(i)});
        DocumentBuffer b;
        frmAltreFonti dlg(t->state(), b, {}, 1);
        dlg.show();
        PaginaFonteWidget* p = dlg.pagina(1);
        p->ComboFonte->setCurrentIndex(3);
        QStringList offerte;
        rispondiScelta(QStringLiteral("12) "), &offerte);
        click(p->lstFonte, QStringLiteral("Conv. UE"));
        QCOMPARE(offerte.size(), 12);
        QCOMPARE(p->txtGG->text(), QStringLiteral("12"));
        QCOMPARE(p->ComboMese->currentText(), QStringLiteral("dicembre"));
        QCOMPARE(p->txtAA->text(), QStringLiteral("2002"));
        QCOMPARE(p->txtLibero->text(), QStringLiteral("nota 12"));
        p->cmdSalva->click();
        QCOMPARE(testi(b), QStringList{QStringLiteral("Conv. UE 12 dicembre 2002 (nota 12)*NIC*")});

        dlg.SSTabAltra->setCurrentIndex(2);
        PaginaFonteWidget* s = dlg.pagina(2);
        s->ComboFonte->setCurrentIndex(1);
        QStringList stati;
        rispondiScelta(QStringLiteral("Germania"), &stati);
        s->cmdListaStati->click();
        QVERIFY(stati.contains(QStringLiteral("Francia")));
        QCOMPARE(s->txtStato->text(), QStringLiteral("Germania"));
        // Esci in the pick list leaves the state as it was.
        rispondiScelta(QStringLiteral("nothing"), &stati);
        s->cmdListaStati->click();
        QCOMPARE(s->txtStato->text(), QStringLiteral("Germania"));
        // From the keyboard: typing finds the line, Enter takes it.
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<frmScelta*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->lstLista->setFocus();
            QTest::keyClicks(dlg->lstLista, QStringLiteral("Fra"));
            QTest::keyClick(dlg->lstLista, Qt::Key_Return);
            if (dlg->isVisible())
                dlg->cmdEsci->click();
        });
        s->cmdListaStati->click();
        QCOMPARE(s->txtStato->text(), QStringLiteral("Francia"));
    }

    void historicalSubKindDoesNotLeak() {
        DocumentBuffer b;
        frmAltreFonti dlg(t->state(), b, {}, 4);
        dlg.show();
        PaginaFonteWidget* p = dlg.pagina(4);
        p->ComboFonte->setCurrentIndex(1);
        scegliRiga(p->lstFonte, QStringLiteral("papirologiche (*FSRP*)"));
        p->ComboFonte->setCurrentIndex(4);
        QVERIFY(!p->lstFonte->isVisible());
        p->txtLibero->setText(QStringLiteral("Cod. Hammurabi"));
        p->cmdSalva->click();
        QCOMPARE(testi(b), QStringList{QStringLiteral("Cod. Hammurabi*FSC*")});
    }

    // Enter typed in a field adds nothing and opens nothing: no page button is the default.
    // Enter or Space on the line a typed beginning found takes it whole, as a double click does:
    // the beginning alone would be stored as a new entry of the lookup table.
    void pickListsTakeTheLineByKeyboard_data() {
        QTest::addColumn<bool>("interne");
        QTest::addColumn<int>("pagina");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("elenco"); // lstElenco1 or lstElenco2
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<QString>("riga");
        QTest::newRow("Cassazione, section, Enter")
            << true << 3 << 3 << 2 << "sez. u" << int(Qt::Key_Return) << "sez. un.";
        QTest::newRow("Cassazione, section, Space")
            << true << 3 << 3 << 2 << "sez. u" << int(Qt::Key_Space) << "sez. un.";
        QTest::newRow("court of appeal, city")
            << true << 3 << 4 << 1 << "Bolz" << int(Qt::Key_Enter) << "Bolzano";
        QTest::newRow("ministerial decree")
            << true << 2 << 7 << 1 << "giu" << int(Qt::Key_Space) << "Giustizia";
        QTest::newRow("ECHR, section")
            << false << 0 << 3 << 2 << "gr" << int(Qt::Key_Return) << "Grande Camera";
        QTest::newRow("canon law, city") << false << 3 << 3 << 1 << "Ro" << int(Qt::Key_Space) << "Roma";
    }
    void pickListsTakeTheLineByKeyboard() {
        QFETCH(bool, interne);
        QFETCH(int, pagina);
        QFETCH(int, tipo);
        QFETCH(int, elenco);
        QFETCH(QString, digitato);
        QFETCH(int, tasto);
        QFETCH(QString, riga);
        DocumentBuffer b;
        std::unique_ptr<QDialog> dlg;
        PaginaFonteWidget* p = aperta(t->state(), b, interne, pagina, dlg);
        dlg->show();
        p->ComboFonte->setCurrentIndex(tipo);
        QLineEdit* campo = elenco == 1 ? p->txtInfo1 : p->txtInfo2;
        QListWidget* lista = elenco == 1 ? p->lstElenco1 : p->lstElenco2;
        QVERIFY(campo->isVisible() && lista->isVisible());
        QTest::keyClicks(campo, digitato);
        QCOMPARE(lista->currentItem()->text(), riga);
        QCOMPARE(campo->text(), digitato);
        lista->setFocus();
        QTest::keyClick(lista, Qt::Key(tasto));
        QCOMPARE(campo->text(), riga);
        QCOMPARE(lista->currentItem()->text(), riga);
    }

    // Tab goes as an act is cited: the act, its date and number, then the article.
    void tabOrderFollowsTheCitation_data() {
        QTest::addColumn<bool>("interne");
        QTest::addColumn<int>("pagina");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("ordine");
        QTest::newRow("law") << true << 2 << 2
                             << QStringList{"lstFonte", "txtGG",     "ComboMese", "txtAA",    "txtN",
                                            "txtArt",   "ComboRipA", "txtComma",  "ComboRipC"};
        QTest::newRow("EU directive")
            << false << 1 << 2 << QStringList{"lstFonte", "txtGG", "ComboMese", "txtAA", "txtN", "txtArt"};
        QTest::newRow("Cassazione") << true << 3 << 3
                                    << QStringList{"ComboFonte", "txtGG",    "ComboMese", "txtAA",
                                                   "txtN",       "txtInfo2", "lstElenco2"};
    }
    void tabOrderFollowsTheCitation() {
        QFETCH(bool, interne);
        QFETCH(int, pagina);
        QFETCH(int, tipo);
        QFETCH(QStringList, ordine);
        DocumentBuffer b;
        std::unique_ptr<QDialog> dlg;
        PaginaFonteWidget* p = aperta(t->state(), b, interne, pagina, dlg);
        dlg->show();
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        p->ComboFonte->setCurrentIndex(tipo);
        QWidget* primo = p->findChild<QWidget*>(ordine.first());
        primo->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), primo);
        for (const QString& nome : ordine.mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), nome);
        }
    }

    // Each field label's Alt letter goes to its field.
    void labelLettersGoToTheirFields_data() {
        QTest::addColumn<int>("lettera");
        QTest::addColumn<QString>("campo");
        QTest::newRow("Giorno") << int(Qt::Key_G) << "txtGG";
        QTest::newRow("Mese") << int(Qt::Key_M) << "ComboMese";
        QTest::newRow("Anno") << int(Qt::Key_O) << "txtAA";
        QTest::newRow("Numero") << int(Qt::Key_U) << "txtN";
        QTest::newRow("Articolo") << int(Qt::Key_I) << "txtArt";
        QTest::newRow("Ripartizione articolo") << int(Qt::Key_P) << "ComboRipA";
        QTest::newRow("Ripartizione Comma") << int(Qt::Key_Z) << "ComboRipC";
        QTest::newRow("Lettera") << int(Qt::Key_L) << "txtLett";
    }
    void labelLettersGoToTheirFields() {
        QFETCH(int, lettera);
        QFETCH(QString, campo);
        DocumentBuffer b;
        frmFontiInterne dlg(t->state(), b, {});
        dlg.SSTabInterna->setCurrentIndex(2);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        PaginaFonteWidget* p = dlg.pagina(2);
        p->ComboFonte->setCurrentIndex(2);
        p->lstFonte->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), p->lstFonte);
        QTest::keyClick(p->lstFonte, Qt::Key(lettera), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), campo);
    }

    void enterInAFieldOpensNothing() {
        DocumentBuffer b;
        QTimer guard;
        QString aperto;
        QObject::connect(&guard, &QTimer::timeout, [&aperto] {
            if (QWidget* w = QApplication::activeModalWidget(); w && w->objectName() == u"frmScelta") {
                aperto = w->objectName();
                w->close();
            }
        });
        guard.start(50);
        frmFontiInterne interne(t->state(), b, {});
        interne.show();
        QVERIFY(QTest::qWaitForWindowExposed(&interne));
        PaginaFonteWidget* p = interne.pagina(4);
        p->ComboFonte->setCurrentIndex(1);
        for (QLineEdit* e : {p->txtArt, p->txtComma}) {
            e->setFocus();
            QTest::keyClicks(e, QStringLiteral("3"));
            QTest::keyClick(e, Qt::Key_Return);
        }
        QCOMPARE(p->txtArt->text(), QStringLiteral("3"));
        QVERIFY(interne.isVisible());

        frmAltreFonti altre(t->state(), b, {}, 2);
        altre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&altre));
        PaginaFonteWidget* s = altre.pagina(2);
        s->ComboFonte->setCurrentIndex(1);
        s->txtLibero->setFocus();
        QTest::keyClicks(s->txtLibero, QStringLiteral("x"));
        QTest::keyClick(s->txtLibero, Qt::Key_Enter);
        QVERIFY(altre.isVisible());
        QCOMPARE(s->txtStato->text(), QString());
        QVERIFY(b.ElencoFonti.isEmpty());
        QVERIFY(t->dialogs().shown().empty());
        QCOMPARE(aperto, QString());
    }

    void rulesOfForm() {
        DocumentBuffer b;
        frmAltreFonti dlg(t->state(), b, {}, 2);
        dlg.show();
        dlg.pagina(2)->cmdAid->click();
        QCOMPARE(t->dialogs().shown().back().title, QStringLiteral("Formalismo"));
        QVERIFY(!dlg.pagina(2)->cmdAid->icon().isNull());
    }

    void modification() {
        DocumentBuffer b;
        VoceFonte v;
        v.TP = QStringLiteral("GEI");
        v.NomeFonte = QStringLiteral("C. eur. dir. uomo");
        v.testo = QStringLiteral("C. eur. dir. uomo 1 luglio 2014");
        v.anno = QStringLiteral("2014");
        v.mese = QStringLiteral("luglio");
        v.Sezione = QStringLiteral("Grande Camera");
        v.Ordinanza = true;
        b.ElencoFonti << v;
        b.IndiceFonte = 0;
        QStringList lista;
        frmModificaFonte dlg(t->state(), b, [&] {
            lista.clear();
            for (const VoceFonte& f : b.ElencoFonti)
                lista << rigaFonte(f);
        });
        dlg.MostraFonte();
        dlg.show();
        QCOMPARE(dlg.txtTesto->text(), QStringLiteral("C. eur. dir. uomo 1 luglio 2014*GEI*"));
        QCOMPARE(dlg.txtSezione->text(), QStringLiteral("Grande Camera"));
        QVERIFY(dlg.chkOrd->isChecked());
        shot(&dlg, QStringLiteral("frmModificaFonte"));
        // Tab goes from the citation at the top into the fields, not to the buttons.
        const auto dopo = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
            return w;
        };
        QCOMPARE(dopo(dlg.txtTesto), dlg.txtTP);
        QCOMPARE(dopo(dlg.txtStato), dlg.chkDecr);
        QCOMPARE(dopo(dlg.chkOrd), dlg.cmdEsci);

        dlg.txtMM->setText(QStringLiteral("7"));
        dlg.cmdEsci->click();
        QVERIFY(dlg.isVisible());
        QCOMPARE(b.ElencoFonti[0], v);
        dlg.txtMM->setText(QStringLiteral("luglio"));
        dlg.txtTesto->setText(QStringLiteral("C. eur. dir. uomo, S.A.S. c. Francia, 1 luglio 2014*GEI*"));
        dlg.cmdEsci->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(b.ElencoFonti[0].testo,
                 QStringLiteral("C. eur. dir. uomo, S.A.S. c. Francia, 1 luglio 2014"));
        QCOMPARE(lista,
                 QStringList{QStringLiteral("C. eur. dir. uomo, S.A.S. c. Francia, 1 luglio 2014*GEI*")});

        // Abbandona changes nothing.
        frmModificaFonte again(t->state(), b, [] { QFAIL("no rebuild"); });
        again.MostraFonte();
        again.txtTesto->setText(QStringLiteral("x"));
        again.cmdAbbandona->click();
        QCOMPARE(b.ElencoFonti[0].testo,
                 QStringLiteral("C. eur. dir. uomo, S.A.S. c. Francia, 1 luglio 2014"));
    }
};

QTEST_MAIN(GuiSourcesDialogs)
#include "tst_gui_sources_dialogs.moc"
