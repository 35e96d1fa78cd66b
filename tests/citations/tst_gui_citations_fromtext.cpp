// "Fonti dal testo" from the document window, as an operator uses it: a summary that cites three
// acts, Ctrl+F9, the proposals accepted, the document saved and opened again; and a pasted text
// whose proposals are chosen one by one.

#include "support/gui/TestGui.h"
#include "sources/SessioneDocumento.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/frmSceltaDoc.h"
#include "documents/frmTesti.h"
#include "citations/frmFontiDalTesto.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString kRiassunto = QStringLiteral(
    "Il diniego viola l'art. 3 della legge n. 241 del 1990 e va risarcito ai sensi dell'art. 2043 c.c.; "
    "il professionista non ha rispettato l'art. 6 della direttiva 2011/83/UE.");

const QStringList kFonti = {QStringLiteral("art. 3 l. 7 agosto 1990, n. 241"),
                            QStringLiteral("art. 2043 c.c."), QStringLiteral("art. 6 Dir. UE 2011/83*NIC*")};

struct Proposta {
    QString fonte;
    bool spuntata;
    bool spuntabile;
    QString note;
};

QList<Proposta> proposte(frmFontiDalTesto* d) {
    QList<Proposta> out;
    auto* lista = d->findChild<QTreeWidget*>(QStringLiteral("lstProposte"));
    for (int r = 0; r < lista->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = lista->topLevelItem(r);
        out << Proposta{item->text(0), item->checkState(0) == Qt::Checked,
                        bool(item->flags() & Qt::ItemIsUserCheckable), item->text(3)};
    }
    return out;
}

// Ctrl+F9 from a field of the window; `fai` works on the dialog, which the test then leaves.
void fontiDalTesto(QWidget* campo, std::function<void(frmFontiDalTesto*)> fai) {
    bool aperta = false;
    onNextModal<frmFontiDalTesto>([&aperta, fai](frmFontiDalTesto* d) {
        aperta = true;
        fai(d);
        if (d->isVisible())
            d->reject();
    });
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_F9, Qt::ControlModifier);
    QVERIFY(aperta);
}

} // namespace

class GuiSourcesFromText : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void summaryCitingThreeActsAcceptedAndSaved() {
        SessioneDocumento s;
        frmDocumento* w = s.nuovo(QStringLiteral("Pratiche commerciali e diniego"));
        onNextModal<frmTesti>([](frmTesti* d) {
            d->txtTesto->setPlainText(kRiassunto);
            d->cmdEsci->click();
        });
        w->txtPagine->setFocus();
        QTest::keyClick(w->txtPagine, Qt::Key_F10);
        QCOMPARE(w->buffer().TestoRiassunto, kRiassunto);

        fontiDalTesto(w->txtPagine, [](frmFontiDalTesto* d) {
            const QList<Proposta> p = proposte(d);
            QCOMPARE(p.size(), 3);
            for (qsizetype k = 0; k < p.size(); ++k) {
                QCOMPARE(p.at(k).fonte, kFonti.at(k));
                QVERIFY(p.at(k).spuntata);
            }
            // The law cited by number and year gets its day from the catalogue.
            QVERIFY2(p.at(0).note.contains(QStringLiteral("nel catalogo")), qPrintable(p.at(0).note));
            QVERIFY(p.at(0).note.contains(QStringLiteral("data dal catalogo")));
            QVERIFY(d->findChild<QTextBrowser*>(QStringLiteral("txtContesto"))
                        ->toPlainText()
                        .contains(QStringLiteral("art. 3 della legge n. 241 del 1990")));
            saveScreenshot(d, QStringLiteral("frmFontiDalTesto_riassunto"));
            d->findChild<QPushButton*>(QStringLiteral("cmdAggiungi"))->click();
            QCOMPARE(d->aggiunte(), 3);
        });
        QCOMPARE(righe(w->lstFonte), kFonti);
        saveScreenshot(w, QStringLiteral("frmDocumento_fonti_dal_testo"));

        w->txtPagine->setFocus();
        QTest::keyClick(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QStringLiteral("Documento salvato!"));
        QCOMPARE(s.conta(QStringLiteral("select count(*) from legameDocFonte where IDDoc = 1")), 3);
        QCOMPARE(s.conta(QStringLiteral(
                     "select count(*) from tabFonte where testo = 'art. 3 l. 7 agosto 1990, n. 241' "
                     "and giorno = '7' and mese = '8' and anno = '1990' and numero = '241'")),
                 1);

        // Asked again, every proposal is the document's already: nothing to add.
        fontiDalTesto(w->lstFonte, [](frmFontiDalTesto* d) {
            for (const Proposta& p : proposte(d)) {
                QVERIFY(!p.spuntata && !p.spuntabile);
                QVERIFY(p.note.contains(QStringLiteral("già nel documento")));
            }
            QVERIFY(!d->findChild<QPushButton*>(QStringLiteral("cmdAggiungi"))->isEnabled());
        });
        QCOMPARE(w->buffer().ElencoFonti.size(), 3);

        // A second document citing the same acts is linked to the same rows.
        w->cmdNew->click();
        w = s.finestra();
        w->cmbCPer->setCurrentIndex(w->cmbCPer->findText(QStringLiteral("101"), Qt::MatchStartsWith));
        w->txtTitolo->setPlainText(QStringLiteral("art. 2043 c.c. e art. 3 l. 7 agosto 1990, n. 241"));
        fontiDalTesto(w->txtPagine, [](frmFontiDalTesto* d) {
            QCOMPARE(proposte(d).size(), 2);
            d->findChild<QPushButton*>(QStringLiteral("cmdAggiungi"))->click();
        });
        w->txtPagine->setFocus();
        QTest::keyClick(w->txtPagine, Qt::Key_F4);
        QCOMPARE(s.conta(QStringLiteral("select count(*) from tabFonte")), 3);
        QCOMPARE(s.conta(QStringLiteral("select count(*) from legameDocFonte")), 5);
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    void pastedTextChosenOneByOne() {
        SessioneDocumento s;
        frmDocumento* w = s.nuovo(QStringLiteral("Pratiche commerciali e diniego"));
        fontiDalTesto(w->txtPagine, [](frmFontiDalTesto* d) {
            // The document's texts cite nothing yet.
            QCOMPARE(proposte(d).size(), 1);
            QVERIFY(!proposte(d).first().spuntabile);
            d->findChild<QRadioButton*>(QStringLiteral("optTestoIncollato"))->setChecked(true);
            auto* incollato = d->findChild<QPlainTextEdit*>(QStringLiteral("txtIncollato"));
            incollato->setPlainText(QStringLiteral(
                "Cfr. Cass., sez. un., 11 novembre 2008, n. 26972, e gli artt. 3 e 24 Cost.; modificate le "
                "leggi provinciali n. 5 del 2008 e n. 12 del 2009."));
            d->findChild<QPushButton*>(QStringLiteral("cmdLeggi"))->click();
            const QList<Proposta> p = proposte(d);
            QCOMPARE(p.size(), 5);
            QCOMPARE(p.at(0).fonte, QStringLiteral("Cass. sez. un. 11 novembre 2008, n. 26972"));
            // A provincial law without its province cannot be entered as it stands.
            QVERIFY(!p.at(3).spuntabile && !p.at(3).spuntata);
            QVERIFY2(p.at(3).note.contains(QStringLiteral("Manca la provincia!")), qPrintable(p.at(3).note));
            saveScreenshot(d, QStringLiteral("frmFontiDalTesto_incollato"));
            // Space on the current line takes its tick away.
            auto* lista = d->findChild<QTreeWidget*>(QStringLiteral("lstProposte"));
            lista->setFocus();
            lista->setCurrentItem(lista->topLevelItem(2));
            QTest::keyClick(lista, Qt::Key_Space);
            QVERIFY(!proposte(d).at(2).spuntata);
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("lblConteggio"))->text(),
                     QStringLiteral("5 proposte, 2 selezionate"));
            d->findChild<QPushButton*>(QStringLiteral("cmdAggiungi"))->click();
        });
        QCOMPARE(righe(w->lstFonte), (QStringList{QStringLiteral("Cass. sez. un. 11 novembre 2008, n. 26972"),
                                                  QStringLiteral("art. 3 Cost.")}));
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    void listedInTheFunctionKeysHelp() {
        QVERIFY(frmHelpTastiFunzione::altreRighe().contains(QStringLiteral("Ctrl+F9 = Fonti dal testo")));
    }
};

QTEST_MAIN(GuiSourcesFromText)
#include "tst_gui_citations_fromtext.moc"
