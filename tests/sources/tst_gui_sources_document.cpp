// Sources entered from the document window as an operator does it: F9, the family, the entry
// dialog; then the save, the reload, the modification of a citation and the deletion of sources.

#include "support/gui/TestGui.h"
#include "SessioneDocumento.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "documents/frmSceltaDoc.h"
#include "sources/frmAltreFonti.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmTipologiaFonte.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "ui/qt/QtDialogs.h"

#include <QtTest>
#include <QtWidgets>

namespace {

void tasto(QWidget* w, Qt::Key key) {
    w->setFocus();
    QTest::keyClick(w, key);
}

void scegliRiga(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    if (items.isEmpty())
        qFatal("no line %s", qPrintable(text));
    list->setCurrentItem(items.first());
}

// The family in frmTipologiaFonte, then `fill` on the entry dialog that it opens.
template <typename D> void nuovaFonte(frmDocumento* w, int famiglia, std::function<void(D*)> fill) {
    bool riempito = false;
    onNextModal<frmTipologiaFonte>([famiglia](frmTipologiaFonte* d) {
        d->cmbTipologiaFonte->setCurrentIndex(famiglia);
        d->cmdProcedi->click();
    });
    onNextModal<D>([&riempito, fill](D* d) {
        saveScreenshot(d, QStringLiteral("%1_from_F9").arg(d->objectName()));
        fill(d);
        riempito = true;
        if (d->isVisible())
            d->reject();
    });
    tasto(w->lstFonte, Qt::Key_F9);
    QVERIFY(riempito);
}

using Sessione = SessioneDocumento;

void legge(frmDocumento* w) {
    nuovaFonte<frmFontiInterne>(w, 1, [](frmFontiInterne* d) {
        QCOMPARE(d->SSTabInterna->currentIndex(), 0);
        d->SSTabInterna->setCurrentIndex(2);
        PaginaFonteWidget* p = d->pagina(2);
        p->ComboFonte->setCurrentIndex(2);
        scegliRiga(p->lstFonte, QStringLiteral("l."));
        QTest::keyClicks(p->txtArt, QStringLiteral("3"));
        QTest::keyClicks(p->txtGG, QStringLiteral("15"));
        p->ComboMese->setCurrentIndex(3);
        QTest::keyClicks(p->txtAA, QStringLiteral("1990"));
        QTest::keyClicks(p->txtN, QStringLiteral("22"));
        p->cmdEsciSalva->click();
    });
}

void cassazione(frmDocumento* w) {
    nuovaFonte<frmFontiInterne>(w, 1, [](frmFontiInterne* d) {
        d->SSTabInterna->setCurrentIndex(3);
        PaginaFonteWidget* p = d->pagina(3);
        p->ComboFonte->setCurrentIndex(3);
        QTest::keyClicks(p->txtInfo2, QStringLiteral("sez. un"));
        Q_EMIT p->lstElenco2->itemDoubleClicked(p->lstElenco2->currentItem());
        QCOMPARE(p->txtInfo2->text(), QStringLiteral("sez. un."));
        p->txtGG->setText(QStringLiteral("11"));
        p->ComboMese->setCurrentIndex(1);
        p->txtAA->setText(QStringLiteral("2008"));
        p->txtN->setText(QStringLiteral("500"));
        p->cmdEsciSalva->click();
    });
}

void direttiva(frmDocumento* w) {
    nuovaFonte<frmAltreFonti>(w, 3, [](frmAltreFonti* d) {
        QCOMPARE(d->SSTabAltra->currentIndex(), 1);
        PaginaFonteWidget* p = d->pagina(1);
        p->ComboFonte->setCurrentIndex(2);
        scegliRiga(p->lstFonte, QStringLiteral("Dir. CE"));
        p->txtArt->setText(QStringLiteral("7"));
        p->txtAA->setText(QStringLiteral("2004"));
        p->txtN->setText(QStringLiteral("38"));
        p->cmdEsciSalva->click();
    });
}

void cedu(frmDocumento* w) {
    nuovaFonte<frmAltreFonti>(w, 2, [](frmAltreFonti* d) {
        QCOMPARE(d->SSTabAltra->currentIndex(), 0);
        PaginaFonteWidget* p = d->pagina(0);
        p->ComboFonte->setCurrentIndex(3);
        scegliRiga(p->lstFonte, QStringLiteral("C. eur. dir. uomo"));
        p->txtInfo2->setText(QStringLiteral("Grande Camera"));
        p->txtGG->setText(QStringLiteral("1"));
        p->ComboMese->setCurrentIndex(7);
        p->txtAA->setText(QStringLiteral("2014"));
        p->txtLibero->setText(QStringLiteral("S.A.S. c. Francia"));
        p->cmdEsciSalva->click();
    });
}

const QStringList kRighe = {
    QStringLiteral("art. 3 l. 15 marzo 1990, n. 22"),
    QStringLiteral("Cass. sez. un. 11 gennaio 2008, n. 500"), QStringLiteral("art. 7 Dir. CE 2004/38*NIC*"),
    QStringLiteral("C. eur. dir. uomo Grande Camera 1 luglio 2014 (S.A.S. c. Francia)*GEI*")};

} // namespace

class GuiSourcesDocument : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void enteredSavedAndReloaded() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        legge(w);
        cassazione(w);
        direttiva(w);
        cedu(w);
        QCOMPARE(righe(w->lstFonte), kRighe);
        QCOMPARE(w->buffer().ElencoFonti.size(), 4);
        saveScreenshot(w, QStringLiteral("frmDocumento_fonti"));

        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QStringLiteral("Documento salvato!"));
        QCOMPARE(s.conta(QStringLiteral("select count(*) from tabFonte")), 4);
        QCOMPARE(s.conta(QStringLiteral("select count(*) from legameDocFonte where IDDoc = 1")), 4);

        w = s.riapri(w);
        QVERIFY(w);
        QCOMPARE(righe(w->lstFonte), kRighe);

        // The same sources in a second document are the same rows.
        w->cmdNew->click();
        w = s.finestra();
        w->cmbCPer->setCurrentIndex(w->cmbCPer->findText(QStringLiteral("101"), Qt::MatchStartsWith));
        w->txtTitolo->setPlainText(QStringLiteral("Stesse fonti"));
        direttiva(w);
        legge(w);
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.conta(QStringLiteral("select count(*) from tabFonte")), 4);
        QCOMPARE(s.conta(QStringLiteral("select count(*) from legameDocFonte")), 6);
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    void citationModifiedAndSourcesDeleted() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        legge(w);
        cassazione(w);
        direttiva(w);
        QCOMPARE(w->lstFonte->count(), 3);

        // The modification dialog edits the citation text itself.
        w->lstFonte->setCurrentRow(2);
        QCOMPARE(w->buffer().IndiceFonte, 2);
        onNextModal<frmModificaFonte>([](frmModificaFonte* d) {
            saveScreenshot(d, QStringLiteral("frmModificaFonte_from_document"));
            QCOMPARE(d->txtTesto->text(), QStringLiteral("art. 7 Dir. CE 2004/38*NIC*"));
            QCOMPARE(d->txtTP->text(), QStringLiteral("NIC"));
            d->txtTesto->setText(QStringLiteral("art. 7, par. 1, Dir. CE 2004/38*NIC*"));
            d->cmdEsci->click();
        });
        w->cmdFonteM->click();
        QCOMPARE(w->lstFonte->item(2)->text(), QStringLiteral("art. 7, par. 1, Dir. CE 2004/38*NIC*"));

        // Two of three deleted: the save links only the third.
        w->lstFonte->clearSelection();
        w->lstFonte->item(0)->setSelected(true);
        w->lstFonte->item(1)->setSelected(true);
        s.t.dialogs().answerNext(Answer::Yes);
        w->cmdFonteD->click();
        QCOMPARE(w->lstFonte->item(0)->text(), QStringLiteral("DEL--art. 3 l. 15 marzo 1990, n. 22"));

        // A modification afterwards keeps the marks.
        w->lstFonte->setCurrentRow(2);
        onNextModal<frmModificaFonte>([](frmModificaFonte* d) { d->cmdEsci->click(); });
        w->cmdFonteM->click();
        QCOMPARE(w->lstFonte->item(1)->text(), QStringLiteral("DEL--Cass. sez. un. 11 gennaio 2008, n. 500"));

        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.conta(QStringLiteral("select count(*) from legameDocFonte where IDDoc = 1")), 1);
        w = s.riapri(w);
        QCOMPARE(righe(w->lstFonte), QStringList{QStringLiteral("art. 7, par. 1, Dir. CE 2004/38*NIC*")});
        QVERIFY(s.t.dialogs().allAnswersUsed());
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    // "Modifica fonte" takes a province, a region and a name as the entry pages do: one the archive
    // does not know is refused there, so the save never fails on it (error 3021).
    void modificationChecksWhatTheSaveLooksUp_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown province") << "txtProvincia"
                                          << "XX"
                                          << ""
                                          << "Provincia \"XX\" non riconosciuta";
        QTest::newRow("province in lower case") << "txtProvincia"
                                                << "bz"
                                                << "BZ"
                                                << "";
        QTest::newRow("province as its list line") << "txtProvincia"
                                                   << "TN - Trento"
                                                   << "TN"
                                                   << "";
        QTest::newRow("unknown region") << "txtRegione"
                                        << "Lazio"
                                        << ""
                                        << "Regione \"Lazio\" non riconosciuta";
        QTest::newRow("region code") << "txtRegione"
                                     << "la"
                                     << "LA"
                                     << "";
        QTest::newRow("unknown act") << "txtFonte"
                                     << "l. inventata"
                                     << ""
                                     << "Fonte \"l. inventata\" non presente";
    }
    void modificationChecksWhatTheSaveLooksUp() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        Sessione s;
        frmDocumento* w = s.nuovo();
        legge(w);
        const VoceFonte prima = w->buffer().ElencoFonti.at(0);
        w->lstFonte->setCurrentRow(0);
        bool visto = false;
        onNextModal<frmModificaFonte>([&](frmModificaFonte* d) {
            d->findChild<QLineEdit*>(field)->setText(typed);
            d->cmdEsci->click();
            visto = true;
            if (!d->isVisible())
                return;
            // Refused: the dialog stays, with what was typed, until the operator corrects or leaves it.
            if (field == u"txtProvincia") {
                saveScreenshot(d, QStringLiteral("frmModificaFonte_provincia_rifiutata"));
                if (!qEnvironmentVariableIsEmpty("QUILLARO_SCREENSHOTS")) {
                    onNextModal<QMessageBox>([](QMessageBox* box) {
                        saveScreenshot(box, QStringLiteral("frmModificaFonte_provincia_rifiutata_box"));
                        box->accept();
                    });
                    QtDialogs().message(s.t.dialogs().lastText(), QStringLiteral("Quillaro"), Buttons::Ok,
                                        Icon::Warning);
                }
            }
            d->cmdAbbandona->click();
        });
        w->cmdFonteM->click();
        QVERIFY(visto);
        if (stored.isEmpty()) {
            QVERIFY2(s.t.dialogs().lastText().startsWith(message), qPrintable(s.t.dialogs().lastText()));
            QCOMPARE(s.t.dialogs().shown().back().icon, Icon::Warning);
            QCOMPARE(w->buffer().ElencoFonti.at(0), prima);
        } else {
            const VoceFonte& v = w->buffer().ElencoFonti.at(0);
            QCOMPARE(field == u"txtProvincia" ? v.Provincia : v.Regione, stored);
        }
        tasto(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QStringLiteral("Documento salvato!"));
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    void abandonedDialogStillShowsWhatWasAdded() {
        Sessione s;
        frmDocumento* w = s.nuovo();
        nuovaFonte<frmAltreFonti>(w, 6, [](frmAltreFonti* d) {
            PaginaFonteWidget* p = d->pagina(4);
            p->ComboFonte->setCurrentIndex(4);
            p->txtLibero->setText(QStringLiteral("Cod. Hammurabi"));
            p->cmdSalva->click();
            p->cmdAbbandona->click();
        });
        QCOMPARE(righe(w->lstFonte), QStringList{QStringLiteral("Cod. Hammurabi*FSC*")});

        // The family choice abandoned opens nothing.
        onNextModal<frmTipologiaFonte>([](frmTipologiaFonte* d) { d->cmdProcedi->click(); });
        tasto(w->lstFonte, Qt::Key_F9);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w->lstFonte->count(), 1);
    }
};

QTEST_MAIN(GuiSourcesDocument)
#include "tst_gui_sources_document.moc"
