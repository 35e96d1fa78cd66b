// "Fonti dal testo" from the document window, as an operator uses it: a summary that cites three
// acts, Ctrl+F9, the proposals accepted, the document saved and opened again; and a pasted text
// whose proposals are chosen one by one; the keyboard through the window, an act the catalogue does
// not hold mended with one of its near acts, and the order of the sources set from the keyboard.

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

QTreeWidget* lista(frmFontiDalTesto* d) {
    return d->findChild<QTreeWidget*>(QStringLiteral("lstProposte"));
}

// The document's sources as the archive links them, in their order, written as its list shows them
// (the other sources' lines end in their family).
QStringList fontiSalvate(SessioneDocumento& s, qint64 IDDoc) {
    QStringList out;
    for (RecordSet rs = s.t.state().Connessione.ApriRS(
             QStringLiteral(
                 "select f.testo, f.TP from legameDocFonte l join tabFonte f on f.IDFonte = l.IDFonte "
                 "where l.IDDoc = ? order by l.ID"),
             {IDDoc});
         !rs.eof(); rs.moveNext())
        out << rs.field(0).toString() +
                   (rs.field(1).toString() == u"NIC" ? QStringLiteral("*NIC*") : QString());
    return out;
}

void salva(SessioneDocumento& s, frmDocumento* w) {
    w->txtPagine->setFocus();
    QTest::keyClick(w->txtPagine, Qt::Key_F4);
    QCOMPARE(s.t.dialogs().lastText().section(u'\n', 0, 0), QStringLiteral("Documento salvato!"));
}

// A summary citing the three acts of kFonti.
frmDocumento* conRiassunto(SessioneDocumento& s) {
    frmDocumento* w = s.nuovo(QStringLiteral("Pratiche commerciali e diniego"));
    onNextModal<frmTesti>([](frmTesti* d) {
        d->txtTesto->setPlainText(kRiassunto);
        d->cmdEsci->click();
    });
    w->txtPagine->setFocus();
    QTest::keyClick(w->txtPagine, Qt::Key_F10);
    return w;
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

    // The keyboard starts in the proposals; Tab goes round the window without any button taking
    // Enter over, and Enter, wherever Tab left it, adds the ticked sources (it never reads the empty
    // pasted text over them).
    void enterFromEveryTabStop_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("dove"); // where that many Tab presses take the keyboard
        const QStringList giro = {"lstProposte",  "cmdTutte",          "cmdNessuna", "cmdAggiungi",
                                  "cmdAbbandona", "optTestiDocumento", "cmdLeggi",   "lstProposte"};
        for (int tab = 0; tab < giro.size(); ++tab)
            QTest::addRow("%d Tab", tab) << tab << giro.at(tab);
    }
    void enterFromEveryTabStop() {
        QFETCH(int, tab);
        QFETCH(QString, dove);
        SessioneDocumento s;
        frmDocumento* w = conRiassunto(s);
        fontiDalTesto(w->txtPagine, [&](frmFontiDalTesto* d) {
            QTRY_COMPARE(QApplication::focusWidget(), lista(d));
            for (int k = 0; k < tab; ++k)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), dove);
            for (const QPushButton* b : d->findChildren<QPushButton*>())
                QVERIFY2(b->isDefault() == (b->objectName() == u"cmdAggiungi"), qPrintable(b->objectName()));
            // Enter on a button that says what it does does that; everywhere else it adds.
            const bool abbandona = dove == u"cmdAbbandona";
            const bool spunte = dove == u"cmdTutte" || dove == u"cmdNessuna";
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (spunte) {
                QVERIFY(d->isVisible());
                QCOMPARE(d->proposte().size(), 3);
                if (dove == u"cmdNessuna")
                    d->findChild<QPushButton*>("cmdTutte")->click();
                d->findChild<QPushButton*>("cmdAggiungi")->click();
            }
            QCOMPARE(d->result(), int(abbandona ? QDialog::Rejected : QDialog::Accepted));
            QCOMPARE(d->aggiunte(), abbandona ? 0 : 3);
        });
        QCOMPARE(righe(w->lstFonte), dove == u"cmdAbbandona" ? QStringList() : kFonti);
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    // An act of the State the catalogue does not hold comes unticked, with the catalogue's acts one
    // element away under it; ticking one makes the proposal that act, which the save stores.
    void actNotInTheCatalogueMendedWithANearOne_data() {
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QStringList>("vicini");
        QTest::addColumn<QString>("salvata");
        QTest::addRow("data") << QStringLiteral("Sull'art. 5 della legge 9 marzo 2017, n. 24")
                              << QStringList{QStringLiteral(
                                     "art. 5 l. 8 marzo 2017, n. 24 (corregge la data)")}
                              << QStringLiteral("art. 5 l. 8 marzo 2017, n. 24");
        QTest::addRow("numero") << QStringLiteral("Sulla legge 7 agosto 1990, n. 214")
                                << QStringList{QStringLiteral(
                                       "l. 7 agosto 1990, n. 241 (corregge il numero)")}
                                << QStringLiteral("l. 7 agosto 1990, n. 241");
        QTest::addRow("atto") << QStringLiteral("Sul d.lgs. 7 agosto 1990, n. 241")
                              << QStringList{QStringLiteral("l. 7 agosto 1990, n. 241 (corregge l'atto)")}
                              << QStringLiteral("l. 7 agosto 1990, n. 241");
        QTest::addRow("nessun atto vicino")
            << QStringLiteral("Sulla legge 3 gennaio 1901, n. 9876") << QStringList{} << QString();
    }
    void actNotInTheCatalogueMendedWithANearOne() {
        QFETCH(QString, titolo);
        QFETCH(QStringList, vicini);
        QFETCH(QString, salvata);
        SessioneDocumento s;
        frmDocumento* w = s.nuovo(titolo);
        fontiDalTesto(w->txtPagine, [&](frmFontiDalTesto* d) {
            const QList<Proposta> p = proposte(d);
            QCOMPARE(p.size(), 1);
            QVERIFY2(p.first().note.contains(QStringLiteral("non nel catalogo")), qPrintable(p.first().note));
            QVERIFY(!p.first().spuntata && p.first().spuntabile);
            // "Seleziona tutte" leaves it to the operator too.
            d->findChild<QPushButton*>(QStringLiteral("cmdTutte"))->click();
            QVERIFY(!proposte(d).first().spuntata);
            QTreeWidgetItem* riga = lista(d)->topLevelItem(0);
            QStringList offerti;
            for (int j = 0; j < riga->childCount(); ++j)
                offerti << riga->child(j)->text(0);
            QCOMPARE(offerti.mid(0, vicini.size()), vicini);
            if (vicini.isEmpty()) {
                QCOMPARE(offerti, QStringList{});
                QVERIFY(p.first().note.contains(QStringLiteral("nessun atto simile nel catalogo")));
                return;
            }
            QVERIFY(riga->isExpanded());
            saveScreenshot(d, QStringLiteral("frmFontiDalTesto_atti_vicini_") + QTest::currentDataTag());
            // Down onto the first act, Space ticks it: the proposal is that act, ticked.
            QTest::keyClick(lista(d), Qt::Key_Down);
            QCOMPARE(lista(d)->currentItem(), riga->child(0));
            QTest::keyClick(lista(d), Qt::Key_Space);
            QCOMPARE(proposte(d).first().fonte, salvata);
            QVERIFY(proposte(d).first().spuntata);
            QVERIFY2(proposte(d).first().note.contains(QStringLiteral("nel catalogo")),
                     qPrintable(p.first().note));
            // Its tick taken away, the proposal is the cited one again; given back, the act.
            QTest::keyClick(lista(d), Qt::Key_Space);
            QCOMPARE(proposte(d).first().fonte, p.first().fonte);
            QVERIFY(!proposte(d).first().spuntata);
            QTest::keyClick(lista(d), Qt::Key_Space);
            QTest::keyClick(lista(d), Qt::Key_Return);
            QCOMPARE(d->aggiunte(), 1);
        });
        if (vicini.isEmpty())
            return;
        QCOMPARE(righe(w->lstFonte), QStringList{salvata});
        salva(s, w);
        QCOMPARE(fontiSalvate(s, 1), QStringList{salvata});
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    // Alt+Up and Alt+Down move the current source, in the proposals (the order they are added in)
    // or in the document's list; the save links them in that order, and the load shows it.
    void sourcesReorderedFromTheKeyboard_data() {
        QTest::addColumn<bool>("nelleProposte");
        QTest::addColumn<int>("riga");
        QTest::addColumn<QList<int>>("versi");
        QTest::addColumn<QList<int>>("ordine"); // positions in kFonti
        QTest::addColumn<int>("mossa");         // where the moved one ends
        QTest::addRow("proposte, in cima") << true << 2 << QList<int>{-1, -1, -1} << QList<int>{2, 0, 1} << 0;
        QTest::addRow("proposte, giù") << true << 0 << QList<int>{1} << QList<int>{1, 0, 2} << 1;
        QTest::addRow("proposte, su e giù") << true << 1 << QList<int>{-1, 1, 1} << QList<int>{0, 2, 1} << 2;
        QTest::addRow("fonti, in fondo") << false << 0 << QList<int>{1, 1, 1} << QList<int>{1, 2, 0} << 2;
        QTest::addRow("fonti, su") << false << 2 << QList<int>{-1} << QList<int>{0, 2, 1} << 1;
        QTest::addRow("fonti, ferma in cima") << false << 0 << QList<int>{-1} << QList<int>{0, 1, 2} << 0;
    }
    void sourcesReorderedFromTheKeyboard() {
        QFETCH(bool, nelleProposte);
        QFETCH(int, riga);
        QFETCH(QList<int>, versi);
        QFETCH(QList<int>, ordine);
        QFETCH(int, mossa);
        QStringList attese;
        for (int k : ordine)
            attese << kFonti.at(k);
        const auto muovi = [&](QWidget* l) {
            for (int verso : versi)
                QTest::keyClick(l, verso < 0 ? Qt::Key_Up : Qt::Key_Down, Qt::AltModifier);
        };
        SessioneDocumento s;
        frmDocumento* w = conRiassunto(s);
        fontiDalTesto(w->txtPagine, [&](frmFontiDalTesto* d) {
            if (nelleProposte) {
                lista(d)->setCurrentItem(lista(d)->topLevelItem(riga));
                muovi(lista(d));
                QCOMPARE(lista(d)->currentItem(), lista(d)->topLevelItem(mossa));
                QStringList viste;
                for (const Proposta& p : proposte(d))
                    viste << p.fonte;
                QCOMPARE(viste, attese);
            }
            QTest::keyClick(lista(d), Qt::Key_Return);
        });
        if (!nelleProposte) {
            QCOMPARE(righe(w->lstFonte), kFonti);
            w->lstFonte->setFocus();
            w->lstFonte->setCurrentRow(riga);
            w->lstFonte->item(riga)->setSelected(true);
            muovi(w->lstFonte);
            QCOMPARE(w->lstFonte->currentRow(), mossa);
            QCOMPARE(w->lstFonte->selectedItems(), QList<QListWidgetItem*>{w->lstFonte->item(mossa)});
            QCOMPARE(w->buffer().IndiceFonte, mossa);
        }
        QCOMPARE(righe(w->lstFonte), attese);
        salva(s, w);
        QCOMPARE(fontiSalvate(s, 1), attese);
        // Moved again once saved, the document is changed: closing it asks, and the save keeps the
        // new order, which the load shows.
        w->lstFonte->setFocus();
        w->lstFonte->setCurrentRow(0);
        QTest::keyClick(w->lstFonte, Qt::Key_Down, Qt::AltModifier);
        attese.swapItemsAt(0, 1);
        QCOMPARE(righe(w->lstFonte), attese);
        s.t.dialogs().clear();
        s.t.dialogs().answerNext(Answer::Yes);
        // Closed by its frame.
        QVERIFY(qobject_cast<QMdiSubWindow*>(w->parentWidget())->close());
        QCOMPARE(s.t.dialogs().texts().value(0),
                 QStringLiteral("Il documento 1 è stato modificato: salvarlo prima di chiudere?"));
        QTRY_VERIFY(!s.finestra());
        QCOMPARE(fontiSalvate(s, 1), attese);
        onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) { d->cmdEdita->click(); });
        azione(s.main, "mnuDocumentiEdita")->trigger();
        QVERIFY(s.finestra());
        QCOMPARE(righe(s.finestra()->lstFonte), attese);
        QVERIFY2(s.t.dialogs().unexpected().isEmpty(), qPrintable(s.t.dialogs().unexpected().join(u'\n')));
    }

    void listedInTheFunctionKeysHelp() {
        QVERIFY(frmHelpTastiFunzione::altreRighe().contains(QStringLiteral("Ctrl+F9 = Fonti dal testo")));
    }
};

QTEST_MAIN(GuiSourcesFromText)
#include "tst_gui_citations_fromtext.moc"
