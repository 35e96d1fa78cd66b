// Windows bound to an archive: "Scegli documento" of Documenti > Cancella and the document window
// close when their archive closes (File > Chiudi, Esci, opening another archive), asking only about
// unsaved work; a window left over from an archive that is no longer the open one acts on nothing.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/DocumentListModel.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/frmDocumento.h"
#include "documents/frmSceltaDoc.h"
#include "store/Archivio.h"
#include "support/GuiTestUtil.h"
#include "update/FileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>

using namespace editor_test;

namespace {

qint64 documentiIn(const QString& path) {
    cConnessione c;
    if (!c.ApriConnessione(cConnessione::connectionStringFor(path)))
        qFatal("archive not readable");
    return conta(c, "select count(*) from tabDocumento");
}

enum class Fine { Chiudi, Esci, AltroArchivio };

class Sessione {
public:
    Sessione() : main(t.state()) {
        a = archivio("PROVA", 3);
        b = archivio("ALTRO", 3);
        if (!main.apriArchivio(a))
            qFatal("archive not opened");
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
    }

    // An archive with n documents, closed again.
    QString archivio(const QString& nome, int n) {
        const QString path = t.createArchive(nome);
        if (!t.open(path))
            qFatal("archive not opened");
        Archivio arch(t, true);
        for (int id = 1; id <= n; ++id) {
            DocumentBuffer buffer = Archivio::nuovo(id);
            DatiDocumento dati = arch.dati(id);
            dati.txtTitolo = QString("%1 %2").arg(nome).arg(id);
            if (!ScriviDocumento(arch.c(), buffer, dati).salvato())
                qFatal("document not written");
        }
        ChiudiArchivio(t.state());
        return path;
    }

    frmSceltaDoc* cancella() {
        azione(main, "mnuDocumentiCancella")->trigger();
        return main.findChild<frmSceltaDoc*>();
    }

    frmDocumento* edita(int riga) {
        onNextModal<frmSceltaDoc>([riga](frmSceltaDoc* d) {
            d->lstDocumento->setCurrentIndex(d->elenco()->index(riga));
            d->cmdEdita->click();
        });
        azione(main, "mnuDocumentiEdita")->trigger();
        return main.findChild<frmDocumento*>();
    }

    // A document window with a new title typed and not saved.
    frmDocumento* modificato() {
        frmDocumento* w = edita(0);
        if (!w)
            qFatal("document window not opened");
        w->txtTitolo->setPlainText("Lavoro non salvato");
        return w;
    }

    // The archive goes the way the operator chose; true when it went.
    bool fine(Fine come) {
        switch (come) {
        case Fine::Chiudi:
            main.mnuFileChiudi->trigger();
            return !t.state().ArchivioAperto;
        case Fine::Esci:
            return main.close();
        case Fine::AltroArchivio:
            return main.apriArchivio(b) && t.state().archivioCorrente() == QFileInfo(b).canonicalFilePath();
        }
        return false;
    }

    // The archive changes under the windows without the main window knowing.
    void cambiaSottoLeFinestre(bool altro) {
        ChiudiArchivio(t.state());
        if (altro && !ApriArchivio(t.state(), b))
            qFatal("archive not opened");
    }

    TestHome t;
    QString a;
    QString b;
    MDIQuillaro main;
};

bool avvisoFinestraVecchia(const ShownMessage& m) {
    return m.title == "Attenzione!" && m.text.startsWith("Questa finestra si riferisce all'archivio ") &&
           m.text.contains("nessuna operazione è stata eseguita") && m.icon == Icon::Warning;
}

} // namespace

Q_DECLARE_METATYPE(Fine)

class ArchiveWindows : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void windowsGoWithTheirArchive_data() {
        QTest::addColumn<Fine>("come");
        QTest::newRow("File > Chiudi") << Fine::Chiudi;
        QTest::newRow("Esci") << Fine::Esci;
        QTest::newRow("another archive opened") << Fine::AltroArchivio;
    }

    // Nothing unsaved: the windows close without a question, and none is left to act on the next
    // archive.
    void windowsGoWithTheirArchive() {
        QFETCH(Fine, come);
        Sessione s;
        QPointer<frmSceltaDoc> scelta = s.cancella();
        QVERIFY(scelta && scelta->isVisible() && !scelta->isModal());
        scelta->lstDocumento->setCurrentIndex(scelta->elenco()->index(1));
        QPointer<frmDocumento> documento = s.edita(2);
        QVERIFY(documento);
        s.t.dialogs().clear();

        QVERIFY(s.fine(come));
        QVERIFY2(s.t.dialogs().shown().empty(), qPrintable(s.t.dialogs().texts().join(" | ")));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
        QTRY_VERIFY(!scelta && !documento);
        QVERIFY(s.main.findChildren<frmSceltaDoc*>().isEmpty());
        QCOMPARE(documentiIn(s.a), 3);
        QCOMPARE(documentiIn(s.b), 3);
        if (come == Fine::AltroArchivio) {
            // The next archive's own list, from its own window.
            frmSceltaDoc* nuova = s.cancella();
            QVERIFY(nuova);
            QCOMPARE(nuova->elenco()->rowCount(), 3);
            nuova->cmdAnnulla->click();
        }
    }

    void unsavedWorkIsAskedFor_data() {
        QTest::addColumn<Fine>("come");
        QTest::addColumn<Answer>("risposta");
        QTest::addColumn<bool>("chiuso");
        QTest::addColumn<qint64>("salvatiInA");
        for (const auto& [nome, come] : {std::pair{"Chiudi", Fine::Chiudi}, std::pair{"Esci", Fine::Esci},
                                         std::pair{"another archive", Fine::AltroArchivio}}) {
            QTest::addRow("%s, Annulla", nome) << come << Answer::Cancel << false << qint64(0);
            QTest::addRow("%s, No", nome) << come << Answer::No << true << qint64(0);
            QTest::addRow("%s, Sì", nome) << come << Answer::Yes << true << qint64(1);
        }
    }

    // The document window asks as it does whenever it is closed; kept open, it keeps the archive
    // (and the Scegli documento window) as they were.
    void unsavedWorkIsAskedFor() {
        QFETCH(Fine, come);
        QFETCH(Answer, risposta);
        QFETCH(bool, chiuso);
        QFETCH(qint64, salvatiInA);
        Sessione s;
        QPointer<frmSceltaDoc> scelta = s.cancella();
        QPointer<frmDocumento> documento = s.modificato();
        s.t.dialogs().clear();
        s.t.dialogs().answerNext(risposta);

        QCOMPARE(s.fine(come), chiuso);
        QStringList attesi{"Il documento 1 è stato modificato: salvarlo prima di chiudere?"};
        if (risposta == Answer::Yes)
            attesi << "Documento salvato!";
        QStringList mostrati = s.t.dialogs().texts();
        // The findings the document still has follow on a line of their own.
        for (QString& m : mostrati)
            m = m.section(u'\n', 0, 0);
        QCOMPARE(mostrati, attesi);
        QVERIFY(s.t.dialogs().allAnswersUsed());
        if (!chiuso) {
            QVERIFY(documento && scelta && scelta->isVisible());
            QCOMPARE(s.t.state().archivioCorrente(), QFileInfo(s.a).canonicalFilePath());
            QVERIFY(s.main.mnuFileChiudi->isEnabled());
        } else {
            QTRY_VERIFY(!documento && !scelta);
        }
        cConnessione c;
        QVERIFY(c.ApriConnessione(cConnessione::connectionStringFor(s.a)));
        QCOMPARE(conta(c, "select count(*) from legameDocTesto l, tabTesto t where l.IDTesto = t.IDTesto "
                          "and l.Tipo = '0' and t.Testo = 'Lavoro non salvato'"),
                 salvatiInA);
        QCOMPARE(documentiIn(s.b), 3);
    }

    void staleWindowsActOnNothing_data() {
        QTest::addColumn<bool>("altro");
        QTest::newRow("no archive open") << false;
        QTest::newRow("another archive open") << true;
    }

    // Should an archive ever change under its windows (not through the main window), they refuse
    // every action instead of working on whatever archive is open.
    void staleWindowsActOnNothing() {
        QFETCH(bool, altro);
        Sessione s;
        QPointer<frmSceltaDoc> scelta = s.cancella();
        frmDocumento* documento = s.edita(1);
        QVERIFY(scelta && documento);
        s.cambiaSottoLeFinestre(altro);
        s.t.dialogs().clear();

        // Elimina: no question, nothing deleted anywhere.
        scelta->lstDocumento->selectAll();
        scelta->cmdCancella->click();
        QCOMPARE(s.t.dialogs().shown().size(), size_t(1));
        QVERIFY(avvisoFinestraVecchia(s.t.dialogs().shown().front()));
        QVERIFY(s.t.dialogs().shown().front().text.contains(
            QDir::toNativeSeparators(QFileInfo(s.a).canonicalFilePath())));
        QVERIFY(scelta->isVisible());
        // Edita (as the modal list of Documenti > Edita has it): refused too.
        scelta->cmdEdita->setEnabled(true);
        scelta->cmdEdita->click();
        QVERIFY(scelta->isVisible() && scelta->result() != QDialog::Accepted);

        // The document window: saving, moving on and a new document are refused.
        const QString id = documento->txtID->text();
        documento->txtTitolo->setPlainText("Da non scrivere");
        s.t.dialogs().clear();
        documento->cmdSalva->click();
        documento->cmdAvanti->click();
        documento->cmdDuplica->click();
        QCOMPARE(s.t.dialogs().shown().size(), size_t(3));
        for (const ShownMessage& m : s.t.dialogs().shown())
            QVERIFY(avvisoFinestraVecchia(m));
        QCOMPARE(documento->txtID->text(), id);
        QCOMPARE(documento->txtTitolo->toPlainText(), QString("Da non scrivere"));

        QCOMPARE(documentiIn(s.a), 3);
        QCOMPARE(documentiIn(s.b), 3);
        for (const QString& path : {s.a, s.b}) {
            cConnessione c;
            QVERIFY(c.ApriConnessione(cConnessione::connectionStringFor(path)));
            QCOMPARE(conta(c, "select count(*) from tabTesto where Testo = 'Da non scrivere'"), 0);
        }

        // Closing the window that cannot save: Sì is refused (it stays), No lets it go.
        QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(documento->parentWidget());
        QVERIFY(sub);
        s.t.dialogs().clear();
        s.t.dialogs().answerNext(Answer::Yes);
        QVERIFY(!sub->close());
        QVERIFY(avvisoFinestraVecchia(s.t.dialogs().shown().back()));
        s.t.dialogs().answerNext(Answer::No);
        QVERIFY(sub->close());
        QTRY_VERIFY(!sub);
        scelta->close();
        QTRY_VERIFY(!scelta);
    }

    // A batch reuses the main connection and opens the operator's archive again at its end; when
    // that fails (the file went away meanwhile), the archive's windows go as with File > Chiudi.
    void aBatchThatCannotReopenTheArchiveClosesItsWindows() {
        Sessione s;
        QPointer<frmSceltaDoc> scelta = s.cancella();
        QVERIFY(scelta);
        ScriviFileSigle(s.t.home().mdbPath("sigle.T26"), {"ALTRO"});
        const QString spostato = s.a + ".spostato";
        onNextModal<frmSceltaFileOut>([&](frmSceltaFileOut* d) {
            QVERIFY(QFile::rename(s.a, spostato));
            d->fileListOut->setCurrentItem(d->fileListOut->findItems("sigle.T26", Qt::MatchExactly).first());
            d->cmdConferma->click();
        });
        s.t.dialogs().clear();
        s.main.findChild<QAction*>("mnuUtilitaAggiornamentoControlliConteggio")->trigger();
        // The system's line, then what happened to the file.
        QVERIFY2(s.t.dialogs().texts().contains("Errore nell'apertura del db\nIl file " + s.a +
                                                " non esiste: controllare il nome e la cartella."),
                 qPrintable(s.t.dialogs().texts().join(u'|')));
        QVERIFY(!s.t.state().ArchivioAperto);
        QVERIFY(!s.main.mnuFileChiudi->isEnabled() && s.main.mnuFileApri->isEnabled());
        QTRY_VERIFY(!scelta);
        QCOMPARE(documentiIn(spostato), 3);
    }

    // The same archive reached by another spelling of its path is still the window's own.
    void anotherSpellingOfThePathIsTheSameArchive() {
        Sessione s;
        QPointer<frmSceltaDoc> scelta = s.cancella();
        ChiudiArchivio(s.t.state());
        const QString altroModo = QFileInfo(s.a).absolutePath() + "/../mdb/./" + QFileInfo(s.a).fileName();
        QVERIFY(ApriArchivio(s.t.state(), altroModo));
        s.t.dialogs().clear();
        scelta->lstDocumento->setCurrentIndex(scelta->elenco()->index(0));
        s.t.dialogs().answerNext(Answer::Yes);
        scelta->cmdCancella->click();
        QCOMPARE(s.t.dialogs().texts(), QStringList{"Confermi cancellazione?"});
        QCOMPARE(documentiIn(s.a), 2);
    }
};

QTEST_MAIN(ArchiveWindows)
#include "tst_gui_documents_archive.moc"
