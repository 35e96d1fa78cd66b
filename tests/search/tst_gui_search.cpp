// The search and duplicates windows offscreen: the menu items, a query typed and run with Enter,
// a hit of another archive opened (asking first about the work left in the document window), the
// export, and a pair of duplicates shown side by side.

#include "support/gui/TestGui.h"
#include "SearchFixture.h"
#include "generator/Generatore.h"
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
#include <QPainter>
#include <QPointer>
#include <QProgressDialog>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

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

// The window with the progress window over it, as the operator sees them.
void salvaSchermata(QWidget* finestra, QWidget* sopra, const QString& nome) {
    if (qEnvironmentVariableIsEmpty("QUILLARO_SCREENSHOTS"))
        return;
    QPixmap immagine = finestra->grab();
    QPainter p(&immagine);
    p.drawPixmap(sopra->mapToGlobal(QPoint(0, 0)) - finestra->mapToGlobal(QPoint(0, 0)), sopra->grab());
    p.end();
    const QString cartella = qEnvironmentVariable("QUILLARO_SCREENSHOTS");
    QDir().mkpath(cartella);
    immagine.save(QDir(cartella).filePath(nome + QStringLiteral(".png")));
}

} // namespace

class GuiSearch : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void menuItems();
    void searchTheOpenArchiveAndAll();
    void openAHitOfAnotherArchive();
    void exportTheResults();
    void aVeryBroadQuery();
    void duplicatesSideBySide();
    void escCloses_data();
    void escCloses();
    void annullaStopsALongSearch();
};

void GuiSearch::menuItems() {
    Sessione s;
    QCOMPARE(azione(s.main, "mnuFileCercaTutti")->text(), QStringLiteral("Cerca in &tutti gli archivi..."));
    QCOMPARE(azione(s.main, "mnuFileCercaTutti")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    QCOMPARE(azione(s.main, "mnuDocumentiDoppioni")->text(), QStringLiteral("&Possibili doppioni"));
    QStringList documenti;
    for (QAction* a : s.main.mnuDocumenti->actions())
        documenti << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(documenti,
             (QStringList{QStringLiteral("mnuDocumentiNuovo"), QStringLiteral("mnuDocumentiEdita"),
                          QStringLiteral("mnuDocumentiCancella"), QStringLiteral("-"),
                          QStringLiteral("mnuDocumentiRicerca"), QStringLiteral("mnuDocumentiDoppioni")}));
    // No archive open: the Documenti menu is off, the search of every archive is there.
    QVERIFY(!s.main.mnuDocumenti->isEnabled());
    QVERIFY(azione(s.main, "mnuFileCercaTutti")->isEnabled());
    s.main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.main));
    QTest::keyClick(&s.main, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(s.ricerca());
    QVERIFY(s.ricerca()->isVisible());
    QVERIFY(s.ricerca()->optTutti->isChecked());
    QVERIFY(!s.ricerca()->optArchivio->isEnabled());
    QVERIFY(!s.ricerca()->optSigle->isEnabled());
    // Once more: the same window.
    azione(s.main, "mnuFileCercaTutti")->trigger();
    QCOMPARE(s.main.findChildren<frmRicerca*>().size(), 1);
}

void GuiSearch::searchTheOpenArchiveAndAll() {
    Sessione s;
    QVERIFY(s.main.apriArchivio(s.a));
    azione(s.main, "mnuDocumentiRicerca")->trigger();
    frmRicerca* w = s.ricerca();
    QVERIFY(w);
    QAbstractItemModelTester risultati(w->tblRisultati->model(),
                                       QAbstractItemModelTester::FailureReportingMode::QtTest);
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
    s.t.dialogs().whenShown([&](const ShownMessage&) { saveScreenshot(w, QStringLiteral("ricerca-rifiutata")); });
    s.cerca(QStringLiteral("autori:rossi"));
    s.t.dialogs().whenShown(nullptr);
    QVERIFY2(s.t.dialogs().lastText().startsWith(QStringLiteral("Il campo \"autori:\" non esiste")),
             qPrintable(s.t.dialogs().lastText()));
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

    azione(s.main, "mnuFileCercaTutti")->trigger();
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
    azione(s.main, "mnuFileCercaTutti")->trigger();
    frmRicerca* w = s.ricerca();
    s.cerca(QStringLiteral("passaggio OR appalto"));
    QCOMPARE(w->totale(), 3);
    const QString path = s.t.home().dumpPath(QStringLiteral("risultati.csv"));
    s.t.dialogs().answerNextFile(path);
    w->cmdEsporta->click();
    QVERIFY2(s.t.dialogs().lastText().startsWith(QStringLiteral("3 documenti esportati in ")),
             qPrintable(s.t.dialogs().lastText()));
    // A name is proposed in dump/, from the query.
    QCOMPARE(s.t.dialogs().fileRequests().back().fileName, QStringLiteral("ricerca passaggio OR appalto.csv"));
    QCOMPARE(s.t.dialogs().fileRequests().back().folder, s.t.home().dumpDir());
    const QString csv = QString::fromUtf8(readFileBytes(path).mid(3));
    const QStringList righe = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(righe.size(), 4);
    QCOMPARE(righe.first(), QStringLiteral("Archivio;Numero;Identificativo;Rivista;Anno;Titolo;Estratto"));
    QVERIFY(csv.contains(QStringLiteral("Il contratto di appalto pubblico")));
    QVERIFY(!csv.contains(QChar(kInizioEvidenza)) && !csv.contains(QStringLiteral("**")));
    // An existing file is replaced only when the operator says so.
    s.t.dialogs().answerNextFile(path);
    s.t.dialogs().answerNext(Answer::No);
    QFile::resize(path, 0);
    w->cmdEsporta->click();
    QVERIFY(s.t.dialogs().lastText().contains(QStringLiteral("esiste già")));
    QCOMPARE(QFileInfo(path).size(), 0);
    // Cancelling the file dialog writes nothing.
    QFile::remove(path);
    s.t.dialogs().answerNextFile(QString());
    w->cmdEsporta->click();
    QVERIFY(!QFile::exists(path));
}

// On a large index (here 4 generated archives, with the sample scaled down to them) a very broad
// query says its count is an estimate and its page the best of the most recent; the export still
// writes every document found.
void GuiSearch::aVeryBroadQuery() {
    Sessione s;
    for (int i = 1; i <= 4; ++i)
        GeneraArchivio(s.t.state(), s.t.home().mdbPath(QStringLiteral("GEN%1.db").arg(i)),
                       OpzioniGeneratore{300, static_cast<quint32>(i) * 7919u});
    ServizioRicerca& servizio = ServizioRicerca::di(s.t.state());
    servizio.indice().impostaCampionamento({200, 50, 20, 1 << 30, 1 << 30});
    const qint64 esatti = servizio.cerca(QStringLiteral("del la"), {}, 100000, nullptr, 0).esito.totale;
    servizio.indice().impostaCampionamento({200, 50, 20, 500, 300});
    azione(s.main, "mnuFileCercaTutti")->trigger();
    frmRicerca* w = s.ricerca();
    s.cerca(QStringLiteral("del la"));
    const QString esito = w->lblEsito->text();
    QVERIFY2(esito.startsWith(QStringLiteral("circa ")) && esito.endsWith(NotaRecenti()), qPrintable(esito));
    saveScreenshot(w, QStringLiteral("ricerca-ampia"));
    const QString path = s.t.home().dumpPath(QStringLiteral("ampia.csv"));
    s.t.dialogs().answerNextFile(path);
    w->cmdEsporta->click();
    QCOMPARE(s.t.dialogs().lastText(), QStringLiteral("%1 documenti esportati in %2")
                                           .arg(esatti)
                                           .arg(QDir::toNativeSeparators(path)));
}

void GuiSearch::duplicatesSideBySide() {
    Sessione s;
    QVERIFY(s.main.apriArchivio(s.b));
    azione(s.main, "mnuDocumentiDoppioni")->trigger();
    auto* w = s.main.findChild<frmDoppioni*>();
    QVERIFY(w);
    QAbstractItemModelTester coppie(w->tblCoppie->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
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

void GuiSearch::escCloses_data() {
    QTest::addColumn<QString>("finestra");
    QTest::newRow("Ricerca documenti") << QStringLiteral("frmRicerca");
    QTest::newRow("Possibili doppioni") << QStringLiteral("frmDoppioni");
}

// Esc closes the window from any of its controls, as every other window of the program; nothing in
// it is lost (its lists are a search away), so nothing is asked.
void GuiSearch::escCloses() {
    QFETCH(QString, finestra);
    Sessione s;
    QVERIFY(s.main.apriArchivio(s.a));
    if (finestra == u"frmRicerca") {
        azione(s.main, "mnuDocumentiRicerca")->trigger();
        s.cerca(QStringLiteral("appalto"));
        QPointer<frmRicerca> w = s.ricerca();
        w->tblRisultati->setFocus();
        QTest::keyClick(w->tblRisultati, Qt::Key_Escape);
        QTRY_VERIFY(!w);
        azione(s.main, "mnuDocumentiRicerca")->trigger();
        QPointer<frmRicerca> di_nuovo = s.ricerca();
        QTest::keyClick(di_nuovo->txtRicerca, Qt::Key_Escape);
        QTRY_VERIFY(!di_nuovo);
    } else {
        azione(s.main, "mnuDocumentiDoppioni")->trigger();
        QPointer<frmDoppioni> w = s.main.findChild<frmDoppioni*>();
        w->cmdCerca->click();
        QTest::keyClick(w->tblCoppie, Qt::Key_Escape);
        QTRY_VERIFY(!w);
    }
    QVERIFY(s.t.dialogs().unexpected().isEmpty());
}

// The search runs off the window's thread: the progress window comes up with Annulla, Annulla stops
// the search, and the results before it stay.
void GuiSearch::annullaStopsALongSearch() {
    Sessione s;
    azione(s.main, "mnuFileCercaTutti")->trigger();
    frmRicerca* w = s.ricerca();
    s.cerca(QStringLiteral("servitu"));
    QCOMPARE(s.righe().size(), 2);
    ServizioRicerca& servizio = ServizioRicerca::di(s.t.state());
    // A search that takes its time: it waits on its thread until the progress window has shown.
    std::atomic<bool> via{false};
    servizio.primaDiCercare = [&] {
        while (!via.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    bool visto = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() != nullptr, 5000);
        auto* progresso = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        QVERIFY(progresso);
        QCOMPARE(progresso->labelText(), QStringLiteral("Ricerca in corso..."));
        QVERIFY(progresso->isEnabled());
        salvaSchermata(w, progresso, QStringLiteral("ricerca-annulla"));
        visto = true;
        auto* annulla = progresso->findChild<QPushButton*>();
        QVERIFY(annulla);
        QCOMPARE(annulla->text(), QStringLiteral("Annulla"));
        annulla->click();
        via = true;
    });
    s.cerca(QStringLiteral("appalto"));
    servizio.primaDiCercare = nullptr;
    QVERIFY(visto);
    QVERIFY(w->isEnabled());
    QCOMPARE(s.righe().size(), 2);
    QCOMPARE(w->lblEsito->text(), QStringLiteral("Ricerca annullata: restano i risultati della ricerca precedente."));
    QVERIFY(s.t.dialogs().unexpected().isEmpty());
    // The next search runs whole.
    s.cerca(QStringLiteral("appalto"));
    QCOMPARE(s.righe(), QStringList{QStringLiteral("CONSA/1")});
}

QTEST_MAIN(GuiSearch)
#include "tst_gui_search.moc"
