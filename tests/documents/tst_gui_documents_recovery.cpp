// The document window keeps its unsaved work in recupero/ while it has some, and lets it go when it
// is saved or given up; at the opening of an archive and at the start, the work a stopped program
// left is offered back (Ripristina, Elimina, Più tardi), restored into the window marked unsaved,
// and saved through the version check.

#include "app/gui/MDIQuillaro.h"
#include "documents/EditorFixture.h"
#include "documents/Recupero.h"
#include "documents/SalvaDocumento.h"
#include "documents/frmDocumento.h"
#include "support/GuiTestUtil.h"
#include "support/Processi.h"
#include "support/gui/TestGui.h"

#include <QSysInfo>
#include <QtTest>
#include <QtWidgets>

using namespace editor_test;

namespace {

// An archive with document 1, closed: the program opens it.
struct Consegna {
    Consegna() {
        path = t.createArchive();
        if (!t.open(path))
            qFatal("archive not opened");
        Archivio a(t, true);
        liste = a.liste;
        b = Archivio::nuovo(1);
        d = a.dati(1);
        d.txtTitolo = "Titolo salvato";
        if (!ScriviDocumento(t.state().Connessione, b, d).salvato())
            qFatal("document not written");
        path = t.state().archivioCorrente();
        ChiudiArchivio(t.state());
    }
    QString titolo(qint64 id) {
        cConnessione c;
        c.ApriConnessione(path);
        RecordSet rs = c.ApriRS("select Testo from tabTesto t join legameDocTesto l on l.IDTesto = t.IDTesto "
                                "where l.IDDoc = ? and l.Tipo = '0'",
                                {id});
        return rs.eof() ? QString() : rs.field(0).toString();
    }
    // The work a program that stopped left on document 1 (or a new document).
    QString lasciato(const QString& titolo, bool nuovo) {
        DocumentBuffer lb = b;
        DatiDocumento ld = d;
        ld.txtTitolo = titolo;
        lb.NuovoDocumento = nuovo;
        Recupero r = RecuperoDi(lb, ld);
        r.archivio = path;
        r.modificato = QDateTime::currentDateTimeUtc().addSecs(-120);
        r.programma = QuestoUso(NuovaSessione());
        r.programma.pid = processi.morto;
        r.programma.programma = "quillaro";
        const QString file = NuovoFileRecupero(t.home());
        QDir().mkpath(t.home().recoveryDir());
        writeFileBytes(file, TestoRecupero(r));
        return file;
    }
    qsizetype files() { return QDir(t.home().recoveryDir()).entryList({"*.json"}, QDir::Files).size(); }

    TestHome t;
    Processi processi;
    QString path;
    ListeDocumento liste;
    DocumentBuffer b;
    DatiDocumento d;
};

QString titoloNelFile(const QString& file) {
    QString motivo;
    const std::optional<Recupero> r = LeggiRecupero(readFileBytes(file), motivo);
    return r ? r->campi.Titolo : QString();
}

} // namespace

class GuiDocumentsRecovery : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void windowKeepsItsWorkUntilSavedOrGivenUp_data() {
        QTest::addColumn<QString>("come");
        QTest::addColumn<bool>("resta");
        QTest::newRow("F4 saves") << "F4" << false;
        QTest::newRow("F12 saves and closes") << "F12" << false;
        QTest::newRow("F3 gives it up") << "F3" << false;
        QTest::newRow("closed without saving") << "close No" << false;
        QTest::newRow("closing cancelled") << "close Cancel" << true;
        QTest::newRow("F6 leaves it, as it always did") << "F6" << false;
        QTest::newRow("changed back by hand") << "undo" << false;
    }
    void windowKeepsItsWorkUntilSavedOrGivenUp() {
        QFETCH(QString, come);
        QFETCH(bool, resta);
        Consegna c;
        MDIQuillaro main(c.t.state());
        QVERIFY(main.apriArchivio(c.path));
        main.show();
        main.apriDocumentoEsistente(1);
        auto* w = main.findChild<frmDocumento*>();
        QVERIFY(w);
        QCOMPARE(c.files(), 0);
        w->txtTitolo->setPlainText("Titolo cambiato");
        // Written a moment after the change, within seconds.
        QTRY_COMPARE_WITH_TIMEOUT(titoloNelFile(w->recupero().percorso()), QString("Titolo cambiato"), 6000);
        const QString file = w->recupero().percorso();
        QString motivo;
        const Recupero r = *LeggiRecupero(readFileBytes(file), motivo);
        QCOMPARE(r.archivio, c.path);
        QVERIFY(!r.buffer.NuovoDocumento);
        QCOMPARE(r.buffer.IDDocCorrente, 1);
        QCOMPARE(r.programma.pid, QCoreApplication::applicationPid());

        if (come == u"close No" || come == u"close Cancel")
            c.t.dialogs().answerNext(come == u"close No" ? Answer::No : Answer::Cancel);
        if (come == u"undo") {
            w->txtTitolo->setPlainText("Titolo salvato");
            QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(file), 6000);
        } else if (come.startsWith(u"close")) {
            qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        } else {
            const Qt::Key tasto = come == u"F4"    ? Qt::Key_F4
                                  : come == u"F12" ? Qt::Key_F12
                                  : come == u"F3"  ? Qt::Key_F3
                                                   : Qt::Key_F6;
            w->txtPagine->setFocus();
            QTest::keyClick(w->txtPagine, tasto);
        }
        QCOMPARE(QFileInfo::exists(file), resta);
        QCOMPARE(c.titolo(1),
                 come.startsWith(u"F4") || come == u"F12" ? "Titolo cambiato" : "Titolo salvato");
        QVERIFY(c.t.dialogs().unexpected().isEmpty());
        c.t.dialogs().clear();
    }

    // A folder that cannot be written (here a file stands in its place) is told in the window while
    // it lasts: the operator knows the work is not kept, and saves.
    void aWorkThatCannotBeKeptIsTold() {
        Consegna c;
        MDIQuillaro main(c.t.state());
        QVERIFY(main.apriArchivio(c.path));
        main.show();
        main.apriDocumentoEsistente(1);
        auto* w = main.findChild<frmDocumento*>();
        QVERIFY(w);
        const QString dir = c.t.home().recoveryDir();
        QDir(dir).removeRecursively();
        writeFileBytes(dir, "non una cartella");
        w->txtTitolo->setPlainText("Titolo cambiato");
        QTRY_VERIFY_WITH_TIMEOUT(w->lblRecupero->isVisible(), 6000);
        QVERIFY(w->lblRecupero->text().contains("non possono essere messe al sicuro"));
        QVERIFY(w->lblRecupero->text().contains("salvare il documento"));
        saveScreenshot(w, "frmDocumento-recupero-non-scritto");

        QFile::remove(dir);
        w->txtTitolo->setPlainText("Titolo cambiato ancora");
        QTRY_VERIFY_WITH_TIMEOUT(!w->lblRecupero->isVisible(), 6000);
        QCOMPARE(titoloNelFile(w->recupero().percorso()), QString("Titolo cambiato ancora"));
        c.t.dialogs().answerNext(Answer::No);
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        c.t.dialogs().clear();
    }

    void unsavedWorkIsOfferedBack_data() {
        QTest::addColumn<QString>("documento"); // what became of document 1 meanwhile
        QTest::addColumn<QString>("quando");    // opening the archive, or the start
        QTest::addColumn<QString>("scelta");
        QTest::newRow("Ripristina at opening") << "unchanged"
                                               << "opening"
                                               << "Ripristina";
        QTest::newRow("Ripristina at start") << "unchanged"
                                             << "start"
                                             << "Ripristina";
        QTest::newRow("Elimina") << "unchanged"
                                 << "opening"
                                 << "Elimina";
        QTest::newRow("Più tardi") << "unchanged"
                                   << "opening"
                                   << "Più tardi";
        QTest::newRow("changed elsewhere since") << "changed"
                                                 << "opening"
                                                 << "Ripristina";
        QTest::newRow("deleted since") << "deleted"
                                       << "opening"
                                       << "Ripristina";
        QTest::newRow("a new document") << "new"
                                        << "start"
                                        << "Ripristina";
    }
    void unsavedWorkIsOfferedBack() {
        QFETCH(QString, documento);
        QFETCH(QString, quando);
        QFETCH(QString, scelta);
        Consegna c;
        const QString file = c.lasciato("Lavoro non salvato", documento == u"new");
        // Left unreadable by another crash: set aside, it stops nothing.
        writeFileBytes(QDir(c.t.home().recoveryDir()).filePath("documento-rotto.json"), "{\"formato\"");
        if (documento != u"unchanged" && documento != u"new") {
            cConnessione altro;
            QVERIFY(altro.ApriConnessione(c.path));
            if (documento == u"deleted") {
                CancellaDocumenti(altro, {1});
            } else {
                DocumentBuffer b = c.b;
                DatiDocumento d = c.d;
                d.txtTitolo = "Titolo dell'altro";
                QVERIFY(ScriviDocumento(altro, b, d).salvato());
            }
        }
        MDIQuillaro main(c.t.state());
        main.show();
        c.t.dialogs().answerNextChoice(scelta);
        if (quando == u"start") {
            main.offriDocumentiNonSalvati();
        } else {
            QVERIFY(main.apriArchivio(c.path));
            QTRY_VERIFY(!c.t.dialogs().shown().empty());
        }
        const ShownMessage domanda = c.t.dialogs().shown().front();
        QCOMPARE(domanda.title, QString("Documento non salvato"));
        const QString numero = documento == u"new" ? "nuovo 1" : "1";
        QVERIFY2(QRegularExpression("^Il documento " + numero +
                                    " dell'archivio PROVA non era stato salvato \\(modifiche delle "
                                    "\\d{1,2}:\\d\\d\\)\\. Ripristinare\\?$")
                     .match(domanda.text)
                     .hasMatch(),
                 qPrintable(domanda.text));
        QVERIFY(QFileInfo::exists(QDir(c.t.home().recoveryDir()).filePath("scartati/documento-rotto.json")));
        auto* w = main.findChild<frmDocumento*>();
        QCOMPARE(bool(w), scelta == u"Ripristina");
        QCOMPARE(QFileInfo::exists(file), scelta != u"Elimina");
        QVERIFY(c.t.dialogs().unexpected().isEmpty());
        if (!w)
            return;
        QVERIFY(c.t.state().ArchivioAperto);
        QCOMPARE(w->txtTitolo->toPlainText(), QString("Lavoro non salvato"));
        QCOMPARE(w->txtFascicolo->text(), QString("3"));
        QCOMPARE(w->recupero().percorso(), file);
        const bool comeNuovo = documento == u"deleted" || documento == u"new";
        QCOMPARE(w->buffer().NuovoDocumento, comeNuovo);
        if (documento == u"deleted")
            QVERIFY(
                c.t.dialogs().texts().join('\n').contains("Il documento 1 non c'è più nell'archivio: il "
                                                          "lavoro non salvato è ora il documento nuovo 1"));
        // Marked unsaved: closing asks.
        c.t.dialogs().clear();
        c.t.dialogs().answerNext(Answer::Cancel);
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        QVERIFY(c.t.dialogs().texts().value(0).contains("è stato modificato: salvarlo prima di chiudere?"));
        // The save goes through the version check: the other program's work is not written over.
        c.t.dialogs().clear();
        if (documento == u"changed")
            c.t.dialogs().answerNextChoice("Annulla");
        w->txtPagine->setFocus();
        QTest::keyClick(w->txtPagine, Qt::Key_F4);
        QVERIFY(c.t.dialogs().unexpected().isEmpty());
        if (documento == u"changed") {
            QVERIFY(c.t.dialogs().texts().value(0).startsWith(
                "Il documento 1 è stato modificato da un altro programma"));
            QCOMPARE(c.titolo(1), QString("Titolo dell'altro"));
            QVERIFY(QFileInfo::exists(file));
            // Closed without saving, the work is given up.
            c.t.dialogs().answerNext(Answer::No);
            qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
            QVERIFY(!QFileInfo::exists(file));
            return;
        }
        QCOMPARE(c.titolo(w->buffer().IDDocCorrente), QString("Lavoro non salvato"));
        QVERIFY(!QFileInfo::exists(file));
        QCOMPARE(c.files(), 0);
    }
};

QTEST_MAIN(GuiDocumentsRecovery)
#include "tst_gui_documents_recovery.moc"
