// The search and duplicates windows offscreen: the menu items, a query typed and run with Enter,
// a hit of another archive opened (asking first about the work left in the document window), the
// export, and a pair of duplicates shown side by side.

#include "SearchFixture.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "search/frmDoppioni.h"
#include "search/frmRicerca.h"
#include "support/GuiTestUtil.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextBrowser>
#include <QtTest>

namespace {

struct Sessione {
    TestHome t;
    QString a, b;
    MDIQuillaro main;

    Sessione() : main(t.state()) {
        a = t.createArchive(QStringLiteral("CONSA"));
        b = t.createArchive(QStringLiteral("CONSB"), QStringLiteral("7"), QStringLiteral("2025"));
        DocProva d;
        d.numero = 1;
        d.titolo = QStringLiteral("Il contratto di appalto pubblico");
        d.pagine = QStringLiteral("201-230");
        d.testi.insert(QStringLiteral("1"), QStringLiteral("Sulla revisione dei prezzi negli appalti."));
        scriviDocumentoProva(a, d);
        DocProva e;
        e.numero = 4;
        e.titolo = QStringLiteral("La servitù di passaggio");
        e.testi.insert(QStringLiteral("8"), QStringLiteral("The easement of way and the landlocked estate."));
        e.autori = {{QStringLiteral("Rossi"), QStringLiteral("Mario")}};
        scriviDocumentoProva(b, e);
        DocProva f = e;
        f.numero = 5;
        f.titolo = QStringLiteral("La servitu di passaggio.");
        f.pagine = QStringLiteral("99");
        f.testi.clear();
        scriviDocumentoProva(b, f);
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
    }

    frmRicerca* ricerca() { return main.findChild<frmRicerca*>(); }

    void cerca(const QString& testo) {
        frmRicerca* w = ricerca();
        w->txtRicerca->setFocus();
        w->txtRicerca->setText(testo);
        QTest::keyClick(w->txtRicerca, Qt::Key_Return);
    }

    QStringList righe() {
        QStringList out;
        for (const RisultatoRicerca& r : ricerca()->risultati())
            out << r.archivio + u'/' + QString::number(r.numero);
        return out;
    }
};

} // namespace

class GuiSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuItems();
    void searchTheOpenArchiveAndAll();
    void openAHitOfAnotherArchive();
    void exportTheResults();
    void duplicatesSideBySide();
};

void GuiSearch::menuItems() {
    Sessione s;
    QCOMPARE(s.main.mnuFileCercaTutti->text(), QStringLiteral("Cerca in &tutti gli archivi..."));
    QCOMPARE(s.main.mnuFileCercaTutti->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    QCOMPARE(s.main.mnuDocumentiDoppioni->text(), QStringLiteral("&Possibili doppioni"));
    QStringList documenti;
    for (QAction* a : s.main.mnuDocumenti->actions())
        documenti << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(documenti,
             (QStringList{QStringLiteral("mnuDocumentiNuovo"), QStringLiteral("mnuDocumentiEdita"),
                          QStringLiteral("mnuDocumentiCancella"), QStringLiteral("-"),
                          QStringLiteral("mnuDocumentiRicerca"), QStringLiteral("mnuDocumentiDoppioni")}));
    // No archive open: the Documenti menu is off, the search of every archive is there.
    QVERIFY(!s.main.mnuDocumenti->isEnabled());
    QVERIFY(s.main.mnuFileCercaTutti->isEnabled());
    s.main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.main));
    QTest::keyClick(&s.main, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(s.ricerca());
    QVERIFY(s.ricerca()->isVisible());
    QVERIFY(s.ricerca()->optTutti->isChecked());
    QVERIFY(!s.ricerca()->optArchivio->isEnabled());
    QVERIFY(!s.ricerca()->optSigle->isEnabled());
    // Once more: the same window.
    s.main.mnuFileCercaTutti->trigger();
    QCOMPARE(s.main.findChildren<frmRicerca*>().size(), 1);
}

void GuiSearch::searchTheOpenArchiveAndAll() {
    Sessione s;
    QVERIFY(s.main.apriArchivio(s.a));
    s.main.mnuDocumentiRicerca->trigger();
    frmRicerca* w = s.ricerca();
    QVERIFY(w);
    QVERIFY(w->optArchivio->isChecked());
    s.cerca(QStringLiteral("appalti"));
    QCOMPARE(s.righe(), QStringList{QStringLiteral("CONSA/1")});
    QVERIFY2(w->lblEsito->text().startsWith(QStringLiteral("1 documento trovato in ")),
             qPrintable(w->lblEsito->text()));
    QVERIFY2(w->lblEsito->text().endsWith(QStringLiteral("(compresa l'indicizzazione di un archivio)")),
             qPrintable(w->lblEsito->text()));
    s.cerca(QStringLiteral("servitu"));
    QVERIFY(s.righe().isEmpty());
    QVERIFY2(w->lblEsito->text().startsWith(QStringLiteral("Nessun documento trovato")),
             qPrintable(w->lblEsito->text()));
    w->optTutti->setChecked(true);
    s.cerca(QStringLiteral("servitu"));
    QCOMPARE(s.righe().size(), 2);
    QVERIFY2(w->lblEsito->text().startsWith(QStringLiteral("2 documenti trovati in ")),
             qPrintable(w->lblEsito->text()));
    // The matched words stand out in the excerpt column.
    const QModelIndex estratto = w->tblRisultati->model()->index(0, ModelloRisultati::Estratto);
    QVERIFY2(estratto.data(ModelloRisultati::RuoloHtml).toString().contains(QStringLiteral("<b>servit")),
             qPrintable(estratto.data(ModelloRisultati::RuoloHtml).toString()));
    saveScreenshot(w, QStringLiteral("ricerca"));
    // A query the box refuses: said in a box, the results stay.
    s.cerca(QStringLiteral("NOT servitu"));
    QVERIFY(s.t.dialogs().lastText().contains(QStringLiteral("\"NOT\" va scritto dopo")));
    QCOMPARE(s.righe().size(), 2);
    QVERIFY(s.t.dialogs().unexpected().isEmpty());
}

void GuiSearch::openAHitOfAnotherArchive() {
    Sessione s;
    QVERIFY(s.main.apriArchivio(s.a));
    // A document of CONSA open with a change not saved.
    s.main.apriDocumentoEsistente(1);
    auto* documento = s.main.findChild<frmDocumento*>();
    QVERIFY(documento);
    documento->txtTitolo->setPlainText(QStringLiteral("Titolo cambiato"));

    s.main.mnuFileCercaTutti->trigger();
    frmRicerca* w = s.ricerca();
    s.cerca(QStringLiteral("easement"));
    QCOMPARE(s.righe(), QStringList{QStringLiteral("CONSB/4")});
    // Cancel keeps the work and the archive.
    s.t.dialogs().answerNext(Answer::Cancel);
    w->tblRisultati->setFocus();
    QTest::keyClick(w->tblRisultati, Qt::Key_Return);
    QVERIFY(s.t.dialogs().lastText().contains(QStringLiteral("è stato modificato")));
    QCOMPARE(s.t.state().NomeArchivio, s.a);
    QVERIFY(s.main.findChild<frmDocumento*>());
    // No: the work is dropped, CONSB opens on the document found.
    s.t.dialogs().answerNext(Answer::No);
    QTest::keyClick(w->tblRisultati, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(QFileInfo(s.t.state().NomeArchivio).fileName(), QStringLiteral("CONSB.db"));
    QVERIFY(s.t.state().ArchivioAperto);
    QVERIFY(s.main.mnuFileChiudi->isEnabled());
    frmDocumento* aperto = nullptr;
    for (QMdiSubWindow* sub : s.main.mdiArea()->subWindowList())
        if (auto* d = qobject_cast<frmDocumento*>(sub->widget());
            d && !sub->testAttribute(Qt::WA_WState_Hidden))
            aperto = d;
    QVERIFY(aperto);
    QCOMPARE(aperto->txtID->text(), QStringLiteral("4"));
    QCOMPARE(aperto->txtTitolo->toPlainText(), QStringLiteral("La servitù di passaggio"));
    // The window stays, its results too; this archive is now CONSB.
    QVERIFY(w->isVisible());
    QCOMPARE(s.righe(), QStringList{QStringLiteral("CONSB/4")});
    w->aggiornaAmbiti();
    QVERIFY(w->optArchivio->text().contains(QStringLiteral("CONSB")));
    // The change to CONSA was not saved.
    s.main.findChild<QAction*>(QStringLiteral("mnuFileChiudi"))->trigger();
    s.cerca(QStringLiteral("titolo:cambiato"));
    QVERIFY(s.righe().isEmpty());
    QVERIFY(s.t.dialogs().unexpected().isEmpty());
}

void GuiSearch::exportTheResults() {
    Sessione s;
    s.main.mnuFileCercaTutti->trigger();
    frmRicerca* w = s.ricerca();
    s.cerca(QStringLiteral("passaggio OR appalto"));
    QCOMPARE(w->totale(), 3);
    const QString path = s.t.home().dumpPath(QStringLiteral("risultati.csv"));
    s.t.dialogs().answerNextFile(path);
    w->cmdEsporta->click();
    QVERIFY2(s.t.dialogs().lastText().startsWith(QStringLiteral("3 documenti esportati in ")),
             qPrintable(s.t.dialogs().lastText()));
    const QString csv = QString::fromUtf8(readFileBytes(path).mid(3));
    const QStringList righe = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(righe.size(), 4);
    QCOMPARE(righe.first(), QStringLiteral("Archivio,Numero,Identificativo,Rivista,Anno,Titolo,Estratto"));
    QVERIFY(csv.contains(QStringLiteral("Il contratto di appalto pubblico")));
    // Cancelling the file dialog writes nothing.
    QFile::remove(path);
    s.t.dialogs().answerNextFile(QString());
    w->cmdEsporta->click();
    QVERIFY(!QFile::exists(path));
}

void GuiSearch::duplicatesSideBySide() {
    Sessione s;
    QVERIFY(s.main.apriArchivio(s.b));
    s.main.mnuDocumentiDoppioni->trigger();
    auto* w = s.main.findChild<frmDoppioni*>();
    QVERIFY(w);
    QVERIFY(w->optArchivio->isChecked());
    w->cmdCerca->click();
    QCOMPARE(w->coppie().size(), 1);
    QCOMPARE(w->coppie().first().motivo, QStringLiteral("stesso titolo"));
    QVERIFY2(w->lblEsito->text().startsWith(QStringLiteral("1 coppia di possibili doppioni")),
             qPrintable(w->lblEsito->text()));
    QVERIFY2(w->txtPrimo->toPlainText().contains(QStringLiteral("La servitù di passaggio")),
             qPrintable(w->txtPrimo->toPlainText()));
    QVERIFY(w->txtPrimo->toPlainText().contains(QStringLiteral("CONSB - documento 4")));
    QVERIFY(w->txtSecondo->toPlainText().contains(QStringLiteral("La servitu di passaggio.")));
    QVERIFY(w->txtSecondo->toPlainText().contains(QStringLiteral("pp. 99")));
    saveScreenshot(w, QStringLiteral("doppioni"));
    // The second document in the document window.
    w->cmdApriSecondo->click();
    auto* documento = s.main.findChild<frmDocumento*>();
    QVERIFY(documento);
    QCOMPARE(documento->txtID->text(), QStringLiteral("5"));
    QVERIFY(s.t.dialogs().unexpected().isEmpty());
}

QTEST_MAIN(GuiSearch)
#include "tst_gui_search.moc"
