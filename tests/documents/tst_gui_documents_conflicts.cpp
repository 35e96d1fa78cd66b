// Two operators on one delivery, as the document window meets it: the other program saves or deletes
// the document shown, and F4, F12 or the close question stop to ask instead of writing over its
// work; the question's keys; an archive the other program has open is said when it is opened.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/frmDocumento.h"
#include "store/ArchivioInUso.h"
#include "support/GuiTestUtil.h"
#include "ui/qt/QtDialogs.h"

#include <QtTest>
#include <QtWidgets>

using namespace editor_test;

namespace {

// The program with document 1 open in its window, and the other program's connection.
struct DueOperatori {
    DueOperatori() : main(t.state()) {
        path = t.createArchive();
        if (!main.apriArchivio(path))
            qFatal("archive not opened");
        Archivio a(t, true);
        liste = a.liste;
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        d.txtTitolo = "Titolo di partenza";
        if (!ScriviDocumento(t.state().Connessione, b, d).salvato())
            qFatal("document not written");
        if (!altro.ApriConnessione(path))
            qFatal("second connection not opened");
        main.show();
        main.apriDocumentoEsistente(1);
        w = main.findChild<frmDocumento*>();
        t.dialogs().clear();
    }
    // The other operator's title, saved in its own program.
    void altroSalvaTitolo(const QString& titolo) {
        DocumentBuffer b;
        b.IDDocCorrente = 1;
        DatiDocumento d;
        PreparaDati(d, liste);
        if (!CaricaDocumento(altro, t.state().Mesi, liste, b, d).caricato)
            qFatal("other program's load failed");
        d.txtTitolo = titolo;
        if (!ScriviDocumento(altro, b, d).salvato())
            qFatal("other program's save failed");
    }
    QString titolo(qint64 id) {
        RecordSet rs =
            t.state().Connessione.ApriRS("select Testo from tabTesto t join legameDocTesto l on "
                                         "l.IDTesto = t.IDTesto where l.IDDoc = ? and l.Tipo = '0'",
                                         {id});
        return rs.eof() ? QString() : rs.field(0).toString();
    }

    TestHome t;
    MDIQuillaro main;
    QString path;
    ListeDocumento liste;
    cConnessione altro;
    frmDocumento* w = nullptr;
};

} // namespace

class GuiDocumentConflicts : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void savingOverAnotherOperatorsWorkAsks_data() {
        QTest::addColumn<QString>("come"); // F4, F12, or closing the window and answering Yes
        QTest::addColumn<QString>("scelta");
        QTest::addColumn<QString>("memorizzato"); // the stored title afterwards
        QTest::addColumn<QString>("mostrato");    // the title in the window, "" when it closed
        const QString nostro = "Titolo dell'operatore 2", altrui = "Titolo dell'operatore 1";
        QTest::newRow("F4 Ricarica") << "F4"
                                     << "Ricarica" << altrui << altrui;
        QTest::newRow("F12 Sovrascrivi") << "F12"
                                         << "Sovrascrivi" << nostro << "";
        QTest::newRow("F12 Annulla") << "F12"
                                     << "Annulla" << altrui << nostro;
        QTest::newRow("close Sovrascrivi") << "close"
                                           << "Sovrascrivi" << nostro << "";
        QTest::newRow("close Annulla") << "close"
                                       << "Annulla" << altrui << nostro;
    }
    void savingOverAnotherOperatorsWorkAsks() {
        QFETCH(QString, come);
        QFETCH(QString, scelta);
        QFETCH(QString, memorizzato);
        QFETCH(QString, mostrato);
        DueOperatori o;
        o.w->txtTitolo->setPlainText("Titolo dell'operatore 2");
        o.altroSalvaTitolo("Titolo dell'operatore 1");
        if (come == u"close")
            o.t.dialogs().answerNext(Answer::Yes);
        o.t.dialogs().answerNextChoice(scelta);
        if (come == u"close") {
            qobject_cast<QMdiSubWindow*>(o.w->parentWidget())->close();
        } else {
            o.w->txtPagine->setFocus();
            QTest::keyClick(o.w->txtPagine, come == u"F4" ? Qt::Key_F4 : Qt::Key_F12);
        }
        QVERIFY(o.t.dialogs().unexpected().isEmpty());
        QVERIFY(o.t.dialogs().allAnswersUsed());
        QVERIFY(o.t.dialogs().texts().join(u'\n').contains(
            "Il documento 1 è stato modificato da un altro programma dopo che lo avete aperto.\n"));
        QCOMPARE(o.titolo(1), memorizzato);
        if (mostrato.isEmpty()) {
            QTRY_VERIFY(!o.main.findChild<frmDocumento*>());
            return;
        }
        QCOMPARE(o.main.findChild<frmDocumento*>(), o.w);
        QCOMPARE(o.w->txtTitolo->toPlainText(), mostrato);
        // Reloaded or written over, the window now holds the stored version: F4 saves at once.
        if (scelta != u"Annulla") {
            o.t.dialogs().clear();
            QTest::keyClick(o.w->txtPagine, Qt::Key_F4);
            QCOMPARE(o.t.dialogs().texts().value(0).section(u'\n', 0, 0), QString("Documento salvato!"));
        }
    }

    // The document was deleted in the other program: F12 saves the window's content as a new
    // document and closes.
    void deletedElsewhereF12KeepsTheWork() {
        DueOperatori o;
        o.w->txtTitolo->setPlainText("Lavoro da non perdere");
        CancellaDocumenti(o.altro, {1});
        o.t.dialogs().answerNext(Answer::Yes);
        QTest::keyClick(o.w->txtPagine, Qt::Key_F12);
        QTRY_VERIFY(!o.main.findChild<frmDocumento*>());
        // The archive had no other document: the new one takes the first number again.
        QCOMPARE(o.titolo(1), QString("Lavoro da non perdere"));
        QVERIFY(o.t.dialogs().texts().last().contains("il contenuto della finestra è ora il documento 1."));
        QVERIFY(o.t.dialogs().texts().value(0).startsWith(
            "Il documento 1 è stato cancellato da un altro programma"));
        QVERIFY(o.t.dialogs().unexpected().isEmpty());
    }

    // The real box: Enter and Escape leave things as they are; each choice has its letter.
    void theQuestionsKeys_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("scelta");
        QTest::newRow("R") << int(Qt::Key_R) << 0;
        QTest::newRow("S") << int(Qt::Key_S) << 1;
        QTest::newRow("A") << int(Qt::Key_A) << 2;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 2;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 2;
    }
    void theQuestionsKeys() {
        QFETCH(int, tasto);
        QFETCH(int, scelta);
        QtDialogs dialogs;
        QStringList pulsanti;
        QString predefinito;
        auto tardi = std::make_shared<bool>(false);
        onNextModal<QMessageBox>([&, tasto, tardi](QMessageBox* box) {
            saveScreenshot(box, "conflitto-domanda");
            for (QAbstractButton* b : box->buttons())
                pulsanti << b->text();
            predefinito = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, Qt::Key(tasto));
            // A key the box did not take must not hold the test up: it fails instead.
            QTimer::singleShot(3000, box, [box, tardi] {
                *tardi = true;
                box->close();
            });
        });
        const int risposta = dialogs.choose(
            "Il documento 5 è stato modificato da un altro programma dopo che lo avete aperto.",
            "Attenzione!", {"&Ricarica", "&Sovrascrivi", "&Annulla"}, Icon::Warning);
        QVERIFY(!*tardi);
        QCOMPARE(pulsanti.size(), 3);
        QCOMPARE(predefinito, QString("&Annulla"));
        QCOMPARE(risposta, scelta);
    }

    // File > Apri of an archive another computer has open: told who, opened only on Yes.
    void openingAnArchiveInUse_data() {
        QTest::addColumn<bool>("risposta");
        QTest::newRow("Sì") << true;
        QTest::newRow("No") << false;
    }
    void openingAnArchiveInUse() {
        QFETCH(bool, risposta);
        TestHome t;
        MDIQuillaro main(t.state());
        const QString path = t.createArchive();
        UsoArchivio altro = QuestoUso(NuovaSessione());
        altro.utente = "rossi";
        altro.computer = "PC-12";
        QFile segno(PercorsoSegnoUso(path));
        QVERIFY(segno.open(QIODevice::WriteOnly));
        segno.write(TestoSegnoUso({altro}));
        segno.close();
        t.dialogs().answerNext(risposta ? Answer::Yes : Answer::No);
        QCOMPARE(main.apriArchivio(path), risposta);
        QVERIFY(
            t.dialogs().lastText().startsWith("L'archivio PROVA è aperto anche da rossi su PC-12 dalle "));
        QCOMPARE(main.findChild<QAction*>("mnuFileChiudi")->isEnabled(), risposta);
        QCOMPARE(AltriUsi(path).size(), 1);
        QCOMPARE(LeggiSegnoUso(readFileBytes(PercorsoSegnoUso(path))).size(), risposta ? 2 : 1);
        main.close();
        QCOMPARE(LeggiSegnoUso(readFileBytes(PercorsoSegnoUso(path))).size(), 1);
        QVERIFY(t.dialogs().unexpected().isEmpty());
    }
};

QTEST_MAIN(GuiDocumentConflicts)
#include "tst_gui_documents_conflicts.moc"
