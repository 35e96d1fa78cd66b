// The Consegna > Controlli menu of the main window, offscreen: the runs, their boxes, and the
// error window on each list.

#include "support/gui/TestGui.h"
#include "FixtureControlli.h"
#include "app/cli/Cli.h"
#include "app/gui/MDIQuillaro.h"
#include "checks/frmWndErrori.h"
#include "generator/Generatore.h"
#include "support/GuiTestUtil.h"
#include "ui/qt/TextLinesView.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

// Chooses the menu item and hands over the error window it shows (it stays open beside the main
// window), then closes it with Chiudi. Returns false when no window appeared.
bool conFinestra(MDIQuillaro& w, QAction* voce, const std::function<void(frmWndErrori*)>& esamina) {
    voce->trigger();
    QPointer<frmWndErrori> f = w.findChild<frmWndErrori*>(QString(), Qt::FindDirectChildrenOnly);
    if (!f || !f->isVisible())
        return false;
    esamina(f);
    QTest::mouseClick(f->cmdChiudi, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return f.isNull();
}

} // namespace

class ChecksGui : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void checksAndViewersFromTheMenu() {
        TestHome t;
        ArchivioProva a(t);
        for (int i = 0; i < 3; ++i) {
            Doc d;
            d.rifBibl = i == 1 ? 0 : 1;
            d.tabs = QStringLiteral("500");
            d.testi = {{QStringLiteral("0"), QStringLiteral("Titolo")},
                       {QStringLiteral("2"), QStringLiteral("Sommario")}};
            d.coppie = {{QStringLiteral("12"), QStringLiteral("345"), 1},
                        {QStringLiteral("13"), QStringLiteral("7*"), 3}};
            d.fonti << a.fonteInterna(QStringLiteral("LIO"), QStringLiteral("l."), QStringLiteral("22"),
                                      QStringLiteral("15"), QStringLiteral("3"), QStringLiteral("1990"),
                                      QStringLiteral("art. 3 l. 15 marzo 1990, n. 22 (città)"))
                    << a.fonteInterna(QStringLiteral("GICO"), QStringLiteral("C. Cost."),
                                      QStringLiteral("1200"), QStringLiteral("1"), QStringLiteral("2"),
                                      QStringLiteral("2003"),
                                      QStringLiteral("C. cost. 1 febbraio 2003, n. 1200"));
            a.documento(d);
        }
        const QString path = t.state().NomeArchivio;
        MDIQuillaro w(t.state());
        QVERIFY(w.apriArchivio(path));
        w.show();

        // Before any run the lists are not there yet.
        QVERIFY(!conFinestra(w, azione(w, "mnuUtilitaDocumentiControlliVediErroriGenerici"), [](frmWndErrori*) {}));
        QVERIFY(t.dialogs().lastText().contains(QStringLiteral("non esiste ancora")));

        azione(w, "mnuUtilitaDocumentiControlliEsegui")->trigger();
        QCOMPARE(t.dialogs().lastText(), QStringLiteral("Fine controllo: 12"));
        QVERIFY(!t.dialogs().busy());

        struct Vista {
            QAction* voce;
            QString inizio;
            QString foto;
        };
        const QList<Vista> viste{
            {azione(w, "mnuUtilitaDocumentiControlliVediErroriGenerici"),
             QStringLiteral(
                 "Errori generici\n\nTAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 1)\n"
                 "Manca rif. bibliografico (rec. 2)\n"),
             QStringLiteral("frmWndErrori-generici")},
            {azione(w, "mnuUtilitaDocumentiControlliVediErroriClassificazione"),
             QStringLiteral("Errori di classificazione\n\nCoppia non valida: 12; 345(rec. 1)\n"
                            "Coppia asteriscata non valida: 13; 7*(rec. 1)\n"),
             QStringLiteral("frmWndErrori-classificazione")},
            {azione(w, "mnuUtilitaDocumentiControlliVediErroriFonti"),
             QStringLiteral(
                 "Errori nelle fonti\n\nFonte errata: art. 3 l. 15 marzo 1990, n. 22 (città) (rec. 1)\n"
                 "GICA con numero >= 1000: C. cost. 1 febbraio 2003, n. 1200 (rec. 1)\n"),
             QStringLiteral("frmWndErrori-fonti")},
        };
        for (const Vista& v : viste) {
            QString testo;
            QVERIFY(conFinestra(w, v.voce, [&](frmWndErrori* f) {
                QCOMPARE(f->windowTitle(), QStringLiteral("Visualizzazione errori"));
                QCOMPARE(f->cmdChiudi->text(), QStringLiteral("Chiudi"));
                QVERIFY(f->txtErrori->isReadOnly());
                testo = f->txtErrori->toPlainText();
                saveScreenshot(f, v.foto);
            }));
            QVERIFY2(testo.startsWith(v.inizio), qPrintable(testo));
        }
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info.mid(InfoVisualizzaErroriGenerici), QStringList(3, QStringLiteral("1")));

        t.dialogs().clear();
        azione(w, "mnuUtilitaDocumentiControlliNoteCompilatore")->trigger();
        azione(w, "mnuUtilitaDocumentiControlliNuovi")->trigger();
        azione(w, "mnuUtilitaDocumentiControlliPerControlloCELEX")->trigger();
        azione(w, "mnuUtilitaDocumentiControlliPerControlloHUDOC")->trigger();
        QCOMPARE(t.dialogs().texts(),
                 (QStringList{QStringLiteral("Fine estrazione note ai documenti (consegna 12)"),
                              QStringLiteral("Fine estrazione nuovi ai documenti (consegna 12)"),
                              QStringLiteral("Fine stampa HTML (consegna 12)"),
                              QStringLiteral("Fine stampa HTML_GEI (consegna 12)")}));
        for (const char* f : {"note.12", "nuovi.12", "StampaHTML 12.html", "StampaHTML_GEI 12.html"})
            QVERIFY(QFileInfo::exists(t.home().dumpPath(QString::fromLatin1(f))));

        // A failing run is reported and the window stays usable.
        t.state().Connessione.EseguiIstruzione(QStringLiteral("drop table legameDocClass"));
        t.dialogs().clear();
        azione(w, "mnuUtilitaDocumentiControlliEsegui")->trigger();
        QCOMPARE(t.dialogs().shown().size(), size_t(1));
        QCOMPARE(t.dialogs().shown().front().icon, Icon::Critical);
        QVERIFY(t.dialogs().lastText().contains(QStringLiteral("legameDocClass")));
        QVERIFY(!t.dialogs().busy());
        QVERIFY(w.isVisible() && azione(w, "mnuUtilitaDocumentiControlliEsegui")->isEnabled());
    }

    // The menus and the command line write the same files, byte for byte.
    void filesMatchTheCommandLine_data() {
        QTest::addColumn<bool>("generato");
        QTest::newRow("DEMO") << false;
        QTest::newRow("generato") << true;
    }

    void filesMatchTheCommandLine() {
        QFETCH(bool, generato);
        TestHome t;
        QString archivio = t.createDemo();
        if (generato) {
            archivio = t.home().mdbPath(QStringLiteral("GEN.db"));
            OpzioniGeneratore opzioni;
            opzioni.documenti = 300;
            GeneraArchivio(t.state(), archivio, opzioni);
        }
        MDIQuillaro w(t.state());
        QVERIFY(w.apriArchivio(archivio));
        for (QAction* voce :
             {azione(w, "mnuUtilitaDocumentiControlliEsegui"), azione(w, "mnuUtilitaDocumentiControlliNoteCompilatore"),
              azione(w, "mnuUtilitaDocumentiControlliNuovi"), azione(w, "mnuUtilitaDocumentiControlliPerControlloCELEX"),
              azione(w, "mnuUtilitaDocumentiControlliPerControlloHUDOC")})
            voce->trigger();
        QCOMPARE(t.dialogs().shown().size(), size_t(5));
        w.mnuFileChiudi_Click();
        QDir dump(t.home().dumpDir());
        const QStringList nomi = dump.entryList(QDir::Files, QDir::Name);
        QCOMPARE(nomi.size(), 7);
        QMap<QString, QByteArray> gui;
        for (const QString& n : nomi) {
            gui[n] = readFileBytes(dump.filePath(n));
            QVERIFY(QFile::remove(dump.filePath(n)));
        }
        for (const char* comando : {"check", "notes", "new-entries", "celex", "hudoc"}) {
            QString out, err;
            QTextStream o(&out), e(&err);
            QCOMPARE(
                runCli({QStringLiteral("--home"), t.root(), QString::fromLatin1(comando), archivio}, o, e),
                0);
        }
        QCOMPARE(dump.entryList(QDir::Files, QDir::Name), nomi);
        for (const QString& n : nomi)
            QVERIFY2(readFileBytes(dump.filePath(n)) == gui[n], qPrintable(n));
        QVERIFY(gui[generato ? QStringLiteral("errori.GEN") : QStringLiteral("errori.1")].size() > 2);
    }

    void cleanArchiveHasNoErrorsToShow() {
        TestHome t;
        ArchivioProva a(t);
        a.documento(Doc{});
        const QString path = t.state().NomeArchivio;
        MDIQuillaro w(t.state());
        QVERIFY(w.apriArchivio(path));
        azione(w, "mnuUtilitaDocumentiControlliEsegui")->trigger();
        t.dialogs().clear();
        for (QAction* voce : {azione(w, "mnuUtilitaDocumentiControlliVediErroriGenerici"),
                              azione(w, "mnuUtilitaDocumentiControlliVediErroriClassificazione"),
                              azione(w, "mnuUtilitaDocumentiControlliVediErroriFonti")})
            QVERIFY(!conFinestra(w, voce, [](frmWndErrori*) {}));
        QCOMPARE(t.dialogs().texts(), QStringList(3, QStringLiteral("Non ci sono errori!")));
    }

    // An archive that refuses the record of the run (read only) still gets its lists, and the
    // operator is told the run is not recorded.
    void runNotRecordedIsTold() {
        TestHome t;
        ArchivioProva a(t);
        a.documento(Doc{});
        a.db().EseguiIstruzione(QStringLiteral("create trigger solaLettura before update on tabInfo begin "
                                               "select raise(abort, 'sola lettura'); end"));
        const QString path = t.state().NomeArchivio;
        MDIQuillaro w(t.state());
        QVERIFY(w.apriArchivio(path));
        t.dialogs().clear();
        azione(w, "mnuUtilitaDocumentiControlliEsegui")->trigger();
        QCOMPARE(
            t.dialogs().texts(),
            (QStringList{QStringLiteral("Fine controllo: 12"),
                         QStringLiteral("Esecuzione non registrata nell'archivio (tabInfo): sola lettura")}));
        QVERIFY(QFileInfo::exists(t.home().dumpPath(QStringLiteral("errori.12"))));
        // Told once: the next command starts clean.
        t.dialogs().clear();
        w.mnuFileChiudi->trigger();
        QVERIFY(t.dialogs().texts().isEmpty());
    }
};

QTEST_MAIN(ChecksGui)
#include "tst_checks_gui.moc"
