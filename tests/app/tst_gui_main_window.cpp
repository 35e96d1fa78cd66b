// The main window offscreen: the menu tree, the enabled states through the archive lifecycle,
// File > Nuovo with its dialog, and the about box.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "app/gui/frmAbout.h"
#include "checks/frmWndErrori.h"
#include "classification/frmAsteriscati.h"
#include "classification/frmClassificazione.h"
#include "documents/frmAltriTesti.h"
#include "documents/frmDocumento.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/frmResponsabilita.h"
#include "documents/frmSceltaDoc.h"
#include "documents/frmTesti.h"
#include "import/frmImportazione.h"
#include "sources/frmAltreFonti.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmScelta.h"
#include "sources/frmTipologiaFonte.h"
#include "store/ArchiviRecenti.h"
#include "store/DataFolder.h"
#include "store/frmInformazione.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "ui/qt/frmControlloOrtografico.h"
#include "update/frmFileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

struct States {
    bool apri, nuovo, chiudi, documenti, consegna;
};

void checkStates(MDIQuillaro& w, States s) {
    QCOMPARE(w.findChild<QAction*>("mnuFileApri")->isEnabled(), s.apri);
    QCOMPARE(w.findChild<QAction*>("mnuFileNuovo")->isEnabled(), s.nuovo);
    QCOMPARE(w.findChild<QAction*>("mnuFileChiudi")->isEnabled(), s.chiudi);
    QCOMPARE(w.findChild<QMenu*>("mnuDocumenti")->isEnabled(), s.documenti);
    QCOMPARE(w.findChild<QMenu*>("mnuUtilitaDocumenti")->isEnabled(), s.consegna);
    // Always on.
    QVERIFY(w.findChild<QAction*>("mnuFileEsci")->isEnabled());
    QVERIFY(w.findChild<QMenu*>("mnuUtilitaAggiornamento")->isEnabled());
    QVERIFY(w.findChild<QAction*>("cmdHelpAbout")->isEnabled());
}

void fillInformazione(frmInformazione* d, const QString& centro, const QString& anno, const QString& consegna,
                      const QString& inizio) {
    d->ComboCentro->setEditText(centro);
    d->ComboAProd->setEditText(anno);
    d->txtConsegna->setText(consegna);
    d->txtInizio->setText(inizio);
}

} // namespace

class GuiMainWindow : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void menuTree();
    void lifecycleStates();
    void menusAfterEachStep_data();
    void menusAfterEachStep();
    void newArchiveThroughTheDialog();
    void newArchiveRefusals();
    void newArchiveNamedAsOperatorsTypeIt();
    void openRefusesTheTemplateAndTheCatalogue();
    void aboutBox();
    void guideFromTheMenuAndF1_data();
    void guideFromTheMenuAndF1();
    void guideNotOpened();
    void menuItemsHaveTheirOwnLetters();
    void standardKeysReachTheirCommands();
    void windowsAnswerEachKeyOnce();
};

void GuiMainWindow::menuTree() {
    TestHome t;
    MDIQuillaro w(t.state());
    const QList<std::pair<const char*, const char*>> items = {
        {"mnuFile", "&File ..."},
        {"mnuFileApri", "&Apri"},
        {"mnuFileChiudi", "&Chiudi"},
        {"mnuFileNuovo", "&Nuovo"},
        {"mnuFileEsci", "&Esci"},
        {"mnuDocumenti", "&Documenti ..."},
        {"mnuDocumentiNuovo", "&Nuovo"},
        {"mnuDocumentiEdita", "&Edita"},
        {"mnuDocumentiCancella", "&Cancella"},
        {"mnuDocumentiRicerca", "&Ricerca"},
        {"mnuUtilitaConsegna", "&Utilità ..."},
        {"mnuUtilitaDocumenti", "&Consegna ..."},
        {"mnuUtilitaDocumentiStampe", "&Stampe ..."},
        {"mnuUtilitaDocumentiStampeCompleta", "&Completa"},
        {"mnuUtilitaDocumentiStampeSoloTesti", "&Solo campi testo"},
        {"mnuUtilitaDocumentiStampeProspetto", "&Prospetto"},
        {"mnuUtilitaDocumentiStampeConsistenza", "Co&nsistenza"},
        {"mnuUtilitaDocumentiControlli", "&Controlli ..."},
        {"mnuUtilitaDocumentiControlliEsegui", "&Esegui controlli"},
        {"mnuUtilitaDocumentiControlliVediErrori", "&Vedi file errori ..."},
        {"mnuUtilitaDocumentiControlliVediErroriGenerici", "&Generici"},
        {"mnuUtilitaDocumentiControlliVediErroriClassificazione", "&Classificazione"},
        {"mnuUtilitaDocumentiControlliVediErroriFonti", "&Fonti"},
        {"mnuUtilitaDocumentiControlliNoteCompilatore", "&File note compilatore"},
        {"mnuUtilitaDocumentiControlliPerControlloCELEX", "Per controllo &CELEX"},
        {"mnuUtilitaDocumentiControlliPerControlloHUDOC", "Per controllo &HUDOC"},
        {"mnuUtilitaDocumentiControlliPerControlloNIR", "Stampa HTML fonti italiane (&URN)"},
        {"mnuUtilitaDocumentiControlliNuovi", "File con \"&nuovi\""},
        {"mnuUtilitaAggiornamento", "&Aggiornamento ..."},
        {"mnuUtilitaAggiornamentoFileSigle", "File &sigle"},
        {"mnuUtilitaAggiornamentoControlli", "&Controlli ..."},
        {"mnuUtilitaAggiornamentoControlliEsegui", "&Esegui controlli"},
        {"mnuUtilitaAggiornamentoControlliVediErrori", "&Vedi file errori ..."},
        {"mnuUtilitaAggiornamentoControlliVediErroriGenerici", "&Generici"},
        {"mnuUtilitaAggiornamentoControlliVediErroriClassificazione", "&Classificazione"},
        {"mnuUtilitaAggiornamentoControlliVediErroriFonti", "&Fonti"},
        {"mnuUtilitaAggiornamentoControlliNoteCompilatore", "&File note compilatore"},
        {"mnuUtilitaAggiornamentoControlloCELEX", "Per controllo &CELEX"},
        {"mnuUtilitaAggiornamentoControlloHUDOC", "Per controllo &HUDOC"},
        {"mnuUtilitaAggiornamentoControlloNIR", "Stampa HTML fonti italiane (&URN)"},
        {"mnuUtilitaAggiornamentoControlliNuovi", "File con \"&nuovi\""},
        {"mnuUtilitaAggiornamentoControlliConteggio", "Con&teggio"},
        {"mnuHelp", "&?"},
        {"cmdHelpGuida", "&Guida"},
        {"cmdHelpAbout", "&About"},
    };
    for (const auto& [name, caption] : items) {
        auto* action = w.findChild<QAction*>(QString::fromUtf8(name));
        QVERIFY2(action, name);
        QCOMPARE(action->text(), QString::fromUtf8(caption));
    }
    // Nesting and separators, in order.
    const auto names = [](QMenu* m) {
        QStringList list;
        for (QAction* a : m->actions())
            list << (a->isSeparator() ? QStringLiteral("-") + a->objectName() : a->objectName());
        return list;
    };
    QCOMPARE(names(w.findChild<QMenu*>("mnuFile")),
             (QStringList{"mnuFileApri", "mnuFileRecenti", "mnuFileChiudi", "mnuFileNuovo",
                          "-mnuFileImportaSep", "mnuFileImporta", "mnuFileImportaModello",
                          "mnuFileImportaCatalogo", "mnuFileImportaCartella", "-mnuFileCercaSep",
                          "mnuFileCercaTutti", "-mnuApriSep0", "mnuFileEsci"}));
    QCOMPARE(
        names(w.findChild<QMenu*>("mnuUtilitaDocumentiControlli")),
        (QStringList{"mnuUtilitaDocumentiControlliEsegui", "mnuUtilitaDocumentiControlliVediErrori",
                     "-mnuUtilitaDocumentiControlliSep1", "mnuUtilitaDocumentiControlliNoteCompilatore",
                     "-mnuUtilitaDocumentiControlliSep0", "mnuUtilitaDocumentiControlliPerControlloCELEX",
                     "mnuUtilitaDocumentiControlliPerControlloHUDOC",
                     "mnuUtilitaDocumentiControlliPerControlloNIR", "-mnuUtilitaDocumentiControlliSep2",
                     "mnuUtilitaDocumentiControlliNuovi"}));
    QCOMPARE(names(w.menuBar()->findChild<QMenu*>("mnuUtilitaConsegna")),
             (QStringList{"mnuUtilitaDocumenti", "mnuUtilitaAggiornamento"}));
    QCOMPARE(names(w.findChild<QMenu*>("mnuHelp")), (QStringList{"cmdHelpGuida", "cmdHelpAbout"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillaro"));
}

void GuiMainWindow::lifecycleStates() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    checkStates(w, {true, true, false, false, false});
    const QString demo = t.createDemo();
    t.dialogs().answerNextFile(demo);
    w.findChild<QAction*>("mnuFileApri")->trigger();
    checkStates(w, {false, false, true, true, true});
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillaro (") + demo + u')');
    QCOMPARE(t.state().Consegna(), QStringLiteral("1"));
    saveScreenshot(&w, QStringLiteral("MDIQuillaro-open"));
    w.findChild<QAction*>("mnuFileChiudi")->trigger();
    checkStates(w, {true, true, false, false, false});
    QVERIFY(!t.state().ArchivioAperto);
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillaro (") + demo + u')');
    // A cancelled file dialog is a failed open.
    t.dialogs().answerNextFile(QString());
    w.findChild<QAction*>("mnuFileApri")->trigger();
    QCOMPARE(t.dialogs().lastText(), QStringLiteral("Errore nell'apertura del db"));
    checkStates(w, {true, true, false, false, false});
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiMainWindow::menusAfterEachStep_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<bool>>("enabled"); // Apri, Nuovo, Chiudi, Documenti, Consegna
    QTest::newRow("start") << QStringList{} << QList<bool>{true, true, false, false, false};
    QTest::newRow("Apri") << QStringList{"Apri"} << QList<bool>{false, false, true, true, true};
    QTest::newRow("Apri, Chiudi") << QStringList{"Apri", "Chiudi"}
                                  << QList<bool>{true, true, false, false, false};
    QTest::newRow("Apri cancelled") << QStringList{"Apri annullato"}
                                    << QList<bool>{true, true, false, false, false};
    QTest::newRow("Nuovo") << QStringList{"Nuovo"} << QList<bool>{true, false, false, false, false};
    QTest::newRow("Nuovo, Apri") << QStringList{"Nuovo", "Apri"}
                                 << QList<bool>{false, false, true, true, true};
    // Nuovo comes back once an archive was opened and closed.
    QTest::newRow("Nuovo, Apri, Chiudi")
        << QStringList{"Nuovo", "Apri", "Chiudi"} << QList<bool>{true, true, false, false, false};
    QTest::newRow("Apri, Chiudi, Nuovo")
        << QStringList{"Apri", "Chiudi", "Nuovo"} << QList<bool>{true, false, false, false, false};
    // Nuovo and Apri are not offered while an archive is open: the items do nothing.
    QTest::newRow("Apri, Nuovo, Apri")
        << QStringList{"Apri", "Nuovo", "Apri"} << QList<bool>{false, false, true, true, true};
}

// What the operator finds enabled in the menus after each sequence of File items.
void GuiMainWindow::menusAfterEachStep() {
    QFETCH(QStringList, steps);
    QFETCH(QList<bool>, enabled);
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QString demo = t.createDemo();
    int nuovi = 0;
    for (const QString& step : std::as_const(steps)) {
        QAction* item = w.findChild<QAction*>(step == u"Chiudi"  ? "mnuFileChiudi"
                                              : step == u"Nuovo" ? "mnuFileNuovo"
                                                                 : "mnuFileApri");
        if (!item->isEnabled()) {
            item->trigger();
            continue;
        }
        if (step == u"Apri") {
            t.dialogs().answerNextFile(demo);
        } else if (step == u"Apri annullato") {
            t.dialogs().answerNextFile(QString());
        } else if (step == u"Nuovo") {
            t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("NUOVO%1.db").arg(++nuovi)));
            t.dialogs().answerNext(Answer::No); // "Aprire l'archivio NUOVOn?"
            onNextModal<frmInformazione>([](frmInformazione* d) {
                fillInformazione(d, "3", "2026", "9", "1");
                d->cmdOk->click();
            });
        }
        item->trigger();
    }
    checkStates(w, {enabled[0], enabled[1], enabled[2], enabled[3], enabled[4]});
    QCOMPARE(t.state().ArchivioAperto, enabled[2]);
}

void GuiMainWindow::newArchiveThroughTheDialog() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("cons7.db")));
    onNextModal<frmInformazione>([](frmInformazione* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Informazione consegna"));
        QCOMPARE(d->ComboCentro->currentText(), QStringLiteral("Centro spoglio"));
        QCOMPARE(d->ComboAProd->currentText(), QStringLiteral("Anno produzione"));
        QCOMPARE(d->ComboAProd->count(), 4);
        QCOMPARE(d->cmdOk->toolTip(), QStringLiteral("Salva le informazioni immesse ed esce"));
        saveScreenshot(d, QStringLiteral("frmInformazione"));
        // The operator starts typing at once: the centre replaces its caption.
        QTRY_VERIFY(d->ComboCentro->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("C"));
        QCOMPARE(d->ComboCentro->currentText(), QStringLiteral("C"));
        fillInformazione(d, d->ComboCentro->currentText(), "2026", "7", "1");
        d->cmdOk->click();
    });
    t.dialogs().answerNext(Answer::Yes);
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    const QString made = t.home().mdbPath(QStringLiteral("CONS7.db"));
    QVERIFY(QFileInfo::exists(made));
    QVERIFY(t.dialogs().unexpected().isEmpty());
    // Made, it is offered at once ("Sì" opens it with its information) and listed among the recent.
    QCOMPARE(t.dialogs().lastText(), QStringLiteral("Aprire l'archivio CONS7?"));
    QCOMPARE(t.dialogs().shown().back().buttons, Buttons::YesNo);
    QVERIFY(t.state().ArchivioAperto);
    QVERIFY(StessoArchivio(t.state().archivioCorrente(), made));
    QCOMPARE(t.state().Info.mid(0, 4), (QStringList{"C", "2026", "7", "1"}));
    checkStates(w, {false, false, true, true, true});
    const QList<ArchivioRecente> recenti = LeggiArchiviRecenti(t.home());
    QVERIFY(!recenti.isEmpty() && StessoArchivio(recenti.first().percorso, made));
}

void GuiMainWindow::newArchiveRefusals() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    // No name.
    t.dialogs().answerNextFile(QString());
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QCOMPARE(t.dialogs().lastText(), QStringLiteral("Nome archivio non valido"));
    // A name no archive may have: refused with the reason before anything is asked.
    t.dialogs().clear();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("CONS\nX")));
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QCOMPARE(t.dialogs().texts().size(), 1);
    QVERIFY2(t.dialogs().lastText().startsWith(QStringLiteral("Nome archivio non valido: ")) &&
                 t.dialogs().lastText().contains(QStringLiteral("a capo")),
             qPrintable(t.dialogs().lastText()));
    QCOMPARE(QDir(t.home().mdbDir()).entryList({QStringLiteral("CONS*")}), QStringList());
    // Incomplete information, then "No": not created.
    t.dialogs().clear();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("INCOMPLETO")));
    t.dialogs().answerNext(Answer::No);
    onNextModal<frmInformazione>([](frmInformazione* d) {
        fillInformazione(d, "Centro spoglio", "2026", "7", "1");
        d->cmdOk->click();
    });
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QCOMPARE(
        t.dialogs().texts(),
        (QStringList{
            "Informazioni incomplete!",
            "Vuoi completare le informazioni (oppure uscire abbandonando l'operazione di 'Nuovo archivio')?",
            "Archivio nuovo non creato!"}));
    QCOMPARE(t.dialogs().shown()[1].title, QStringLiteral("Attenzione"));
    QCOMPARE(t.dialogs().shown()[1].buttons, Buttons::YesNo);
    QVERIFY(!QFileInfo::exists(t.home().mdbPath(QStringLiteral("INCOMPLETO.db"))));
    checkStates(w, {true, true, false, false, false});
    // Incomplete, "Yes" keeps the dialog open to complete it.
    t.dialogs().clear();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("COMPLETATO")));
    t.dialogs().answerNext(Answer::Yes);
    t.dialogs().answerNext(Answer::No); // made, not opened: it stays closed
    onNextModal<frmInformazione>([](frmInformazione* d) {
        fillInformazione(d, "3", "2026", "", "1");
        d->cmdOk->click();
        QVERIFY(d->isVisible());
        d->txtConsegna->setText(QStringLiteral("8"));
        d->cmdOk->click();
    });
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("COMPLETATO.db"))));
    // An existing name is refused before anything is asked and the archive stays as it was.
    t.dialogs().clear();
    const QByteArray before = readFileBytes(t.home().mdbPath(QStringLiteral("COMPLETATO.db")));
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("COMPLETATO.db")));
    w.stato.dopoChiusura();
    w.applicaStatoMenu();
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QVERIFY(t.dialogs().lastText().contains(QStringLiteral("esiste già")));
    QCOMPARE(readFileBytes(t.home().mdbPath(QStringLiteral("COMPLETATO.db"))), before);
    // Annulla.
    t.dialogs().clear();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("ANNULLATO")));
    onNextModal<frmInformazione>([](frmInformazione* d) { d->cmdAnnulla->click(); });
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QCOMPARE(t.dialogs().texts(), QStringList{"Archivio nuovo non creato!"});
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiMainWindow::newArchiveNamedAsOperatorsTypeIt() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("cons.mdb")));
    t.dialogs().answerNext(Answer::No);
    onNextModal<frmInformazione>([](frmInformazione* d) {
        fillInformazione(d, "3", "2026", "9", "1");
        d->cmdOk->click();
    });
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QCOMPARE(QDir(t.home().mdbDir()).entryList({"CONS*"}, QDir::Files), QStringList{"CONS.db"});
    QVERIFY(t.dialogs().unexpected().isEmpty());
    // The same name typed again, in another case and with the other extension, is taken.
    t.dialogs().clear();
    t.dialogs().answerNextFile(t.home().mdbPath(QStringLiteral("Cons.db")));
    w.stato.dopoChiusura();
    w.applicaStatoMenu();
    w.findChild<QAction*>("mnuFileNuovo")->trigger();
    QVERIFY(t.dialogs().lastText().contains(QStringLiteral("esiste già")));
}

void GuiMainWindow::openRefusesTheTemplateAndTheCatalogue() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    const QList<std::pair<QString, QString>> files = {
        {t.home().templatePath(), QStringLiteral("il modello vuoto da cui si creano gli archivi nuovi")},
        {t.home().cataloguePath(), QStringLiteral("il catalogo delle norme")}};
    for (const auto& [path, what] : files) {
        t.dialogs().clear();
        t.dialogs().answerNextFile(path);
        w.findChild<QAction*>("mnuFileApri")->trigger();
        const QStringList lines = t.dialogs().lastText().split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("Errore nell'apertura del db"));
        QVERIFY2(lines.value(1).contains(what), qPrintable(lines.value(1)));
        // Nothing to work on: no document window can be opened on it.
        checkStates(w, {true, true, false, false, false});
        QVERIFY(!t.state().Connessione.isOpen());
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillaro"));
    }
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiMainWindow::aboutBox() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    onNextModal<frmAbout>([&t](frmAbout* d) {
        saveScreenshot(d, QStringLiteral("frmAbout"));
        const QString dettagli = d->findChild<QLabel*>(QStringLiteral("lblDettagli"))->text();
        QVERIFY(dettagli.startsWith(QStringLiteral("Licenza: ")));
        QVERIFY(dettagli.contains(QDir::toNativeSeparators(t.home().root())));
        QVERIFY(dettagli.contains(QDir::toNativeSeparators(dataFolder())));
        // What a request of help needs, in one copy.
        d->cmdCopia->click();
        const QString copiato = QApplication::clipboard()->text();
        for (const QString& parte : {QStringLiteral("Quillaro " QUILLARO_VERSION), QStringLiteral("SQLite "),
                                     QStringLiteral("Cartella di lavoro: ") + QDir::toNativeSeparators(t.home().root()),
                                     QStringLiteral("Dati installati: "), QStringLiteral("Sistema operativo: ")})
            QVERIFY2(copiato.contains(parte), qPrintable(parte));
        d->cmdSysInfo->click();
        d->cmdOK->click();
    });
    w.findChild<QAction*>("cmdHelpAbout")->trigger();
    QCOMPARE(t.dialogs().shown().size(), size_t(1));
    QVERIFY(t.dialogs().lastText().contains(QStringLiteral("Sistema operativo")));
    QVERIFY(frmAbout::informazioniSistema().contains(QSysInfo::kernelType()));
}

// The guide opens in the browser from "? > Guida" and from F1, wherever F1 is not the window's
// own key: the document window keeps F1 for its key help.
void GuiMainWindow::guideFromTheMenuAndF1_data() {
    QTest::addColumn<QString>("come");
    QTest::addColumn<bool>("archivio");
    QTest::addColumn<bool>("guida");
    QTest::newRow("menu") << "menu" << false << true;
    QTest::newRow("F1 nella finestra principale") << "F1" << false << true;
    QTest::newRow("F1 con l'archivio aperto") << "F1" << true << true;
    QTest::newRow("F1 nella finestra Documento") << "F1 documento" << true << false;
}

void GuiMainWindow::guideFromTheMenuAndF1() {
    QFETCH(QString, come);
    QFETCH(bool, archivio);
    QFETCH(bool, guida);
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (archivio)
        QVERIFY(w.apriArchivio(t.createDemo()));
    bool aiutoTasti = false;
    if (come == u"menu") {
        w.findChild<QAction*>("cmdHelpGuida")->trigger();
    } else if (come == u"F1") {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_F1);
    } else {
        azione(w, "mnuDocumentiNuovo")->trigger();
        auto* documento = w.findChild<frmDocumento*>();
        QVERIFY(documento);
        // From a data field and from a button of the window alike.
        for (QWidget* dove : {static_cast<QWidget*>(documento->txtTitolo), static_cast<QWidget*>(documento->cmdEsci)}) {
            aiutoTasti = false;
            onNextModal<frmHelpTastiFunzione>([&aiutoTasti](frmHelpTastiFunzione* d) {
                aiutoTasti = true;
                d->reject();
            });
            dove->setFocus();
            QTest::keyClick(dove, Qt::Key_F1);
            QTRY_VERIFY2(aiutoTasti, qPrintable(dove->objectName()));
        }
    }
    const QString indice = QUrl::fromLocalFile(dataFolder() + QStringLiteral("/guida/index.html")).toString();
    QCOMPARE(t.dialogs().openedUrls(), guida ? QStringList{indice} : QStringList());
    QVERIFY(QFileInfo(QUrl(indice).toLocalFile()).isFile());
    QVERIFY(t.dialogs().shown().empty());
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

// No browser: the operator is told where the guide is, to open it by hand.
void GuiMainWindow::guideNotOpened() {
    TestHome t;
    MDIQuillaro w(t.state());
    t.dialogs().setOpenUrlSucceeds(false);
    w.findChild<QAction*>("cmdHelpGuida")->trigger();
    QCOMPARE(t.dialogs().openedUrls().size(), 1);
    const QStringList righe = t.dialogs().lastText().split(u'\n');
    QCOMPARE(righe.value(0), QStringLiteral("Il browser non si è aperto sulla guida dell'operatore."));
    QCOMPARE(righe.value(2), t.dialogs().openedUrls().first());
}

namespace {

// Every item of the menus under `voci` that can be chosen has an Alt letter, none shared with another
// item of its menu.
void lettereDeiMenu(const QList<QAction*>& voci, const QString& dove, QStringList& problemi) {
    QMap<QString, QString> prese;
    for (const QAction* a : voci) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString lettera = QKeySequence::mnemonic(a->text()).toString();
        if (lettera.isEmpty() && a->isEnabled()) // not a notice such as "(nessun archivio ...)"
            problemi << dove + QStringLiteral(": \"") + a->text() + QStringLiteral("\" senza lettera");
        else if (prese.contains(lettera))
            problemi << dove + QStringLiteral(": ") + lettera + QStringLiteral(" = ") + prese[lettera] +
                            QStringLiteral(", ") + a->text();
        else
            prese.insert(lettera, a->text());
        if (a->menu())
            lettereDeiMenu(a->menu()->actions(), dove + QStringLiteral(" > ") + a->text(), problemi);
    }
}

} // namespace

// In every menu each item has a letter of its own, with an archive open (the recent archives
// listed) and without.
void GuiMainWindow::menuItemsHaveTheirOwnLetters() {
    TestHome t;
    MDIQuillaro w(t.state());
    QStringList problemi;
    lettereDeiMenu(w.menuBar()->actions(), QStringLiteral("barra"), problemi);
    QVERIFY(w.apriArchivio(t.createDemo()));
    lettereDeiMenu(w.menuBar()->actions(), QStringLiteral("barra"), problemi);
    QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(u'\n')));
}

// No window answers one key with two controls, whatever page or kind it shows: the windows in the
// main window also hear its menu bar; the dialogs only their own controls.
void GuiMainWindow::windowsAnswerEachKeyOnce() {
    TestHome t;
    MDIQuillaro w(t.state());
    QVERIFY(w.apriArchivio(t.createDemo()));
    w.show();
    const QList<TastoFinestra> barra = tastiMenu(w.menuBar());
    QStringList doppi;

    azione(w, "mnuDocumentiNuovo")->trigger();
    auto* documento = w.findChild<frmDocumento*>();
    QVERIFY(documento);
    doppi << tastiDoppi(documento, barra);
    // The commands of a stored document too.
    for (QWidget* b :
         std::initializer_list<QWidget*>{documento->cmdSalva, documento->cmdNew, documento->cmdDuplica})
        b->show();
    doppi << tastiDoppi(documento, barra);
    documento->cmdAbbandona->click();

    azione(w, "mnuUtilitaAggiornamentoFileSigle")->trigger();
    auto* sigle = w.findChild<frmFileSigle*>();
    QVERIFY(sigle);
    for (QWidget* c :
         std::initializer_list<QWidget*>{sigle->frmOperazioniSigle, sigle->Label1, sigle->Label2})
        c->show();
    doppi << tastiDoppi(sigle, barra);
    sigle->cmdAnnulla->click();

    DocumentBuffer b;
    AppState& s = t.state();
    const auto dialogo = [&doppi](QWidget&& d) { doppi << tastiDoppi(&d); };
    dialogo(frmResponsabilita(b));
    dialogo(frmClassificazione(s, b));
    dialogo(frmAsteriscati(s.Connessione));
    dialogo(frmTesti(s, b));
    dialogo(frmAltriTesti(s.ui(), b));
    dialogo(frmHelpTastiFunzione());
    dialogo(frmSceltaDoc(s));
    dialogo(frmTipologiaFonte());
    dialogo(frmModificaFonte(s, b, {}));
    dialogo(frmScelta({QStringLiteral("riga")}));
    dialogo(frmInformazione(s.ui()));
    dialogo(frmAbout(s.ui()));
    dialogo(frmSceltaFileOut(s, s.home.mdbDir(), QStringLiteral("sigle.*")));
    dialogo(frmWndErrori(QStringLiteral("riga")));
    dialogo(frmImportazione(EsitoImportazione{}));
    dialogo(frmControlloOrtografico(TextCheckKind::Spelling, SpellLanguage::Italian));

    // The source dialogs: every kind of every page, the catalogue's and the treaties' frames shown.
    frmFontiInterne interne(s, b, {});
    const auto pagine = [&doppi](QDialog& d, QTabWidget* schede,
                                 const std::function<PaginaFonteWidget*(int)>& pagina) {
        for (int i = 0; i < schede->count(); ++i) {
            schede->setCurrentIndex(i);
            PaginaFonteWidget* p = pagina(i);
            for (int k = 0; k < p->ComboFonte->count(); ++k) {
                p->ComboFonte->setCurrentIndex(k);
                doppi << tastiDoppi(&d);
            }
        }
    };
    pagine(interne, interne.SSTabInterna,
           [&interne](int i) { return interne.pagina(frmFontiInterne::paginaDelTab(i)); });
    interne.cmdCatalogoFonti->click();
    QVERIFY(interne.frameInterrogazioneCatalogo->isVisibleTo(&interne));
    pagine(interne, interne.SSTabInterna,
           [&interne](int i) { return interne.pagina(frmFontiInterne::paginaDelTab(i)); });
    frmAltreFonti altre(s, b, {});
    pagine(altre, altre.SSTabAltra, [&altre](int i) { return altre.pagina(i); });
    altre.SSTabAltra->setCurrentIndex(0);
    altre.pagina(0)->ComboFonte->setCurrentIndex(1);
    QVERIFY(altre.frameNIT->isVisibleTo(&altre));
    doppi << tastiDoppi(&altre);

    doppi.removeDuplicates();
    QVERIFY2(doppi.isEmpty(), qPrintable(doppi.join(u'\n')));
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

QTEST_MAIN(GuiMainWindow)
// Ctrl+O, Ctrl+Q and Ctrl+F beside the letters; each key belongs to one command only.
void GuiMainWindow::standardKeysReachTheirCommands() {
    TestHome t;
    MDIQuillaro w(t.state());
    const QList<std::pair<const char*, const char*>> keys = {
        {"mnuFileApri", "Ctrl+O"},
        {"mnuFileEsci", "Ctrl+Q"},
        {"mnuDocumentiRicerca", "Ctrl+F"},
        {"mnuFileCercaTutti", "Ctrl+Shift+F"},
        {"cmdHelpGuida", "F1"},
    };
    for (const auto& [name, key] : keys)
        QCOMPARE(azione(w, name)->shortcut(), QKeySequence(QString::fromUtf8(key)));
    QHash<QKeySequence, QString> owner;
    for (QAction* a : w.findChildren<QAction*>()) {
        for (const QKeySequence& k : a->shortcuts()) {
            QVERIFY2(!owner.contains(k), qPrintable(owner.value(k) + " e " + a->objectName()));
            owner.insert(k, a->objectName());
        }
    }
    // Ctrl+O in the window asks for the archive to open.
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    t.dialogs().answerNextFile(QString());
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(t.dialogs().fileRequests().size(), 1);
    QCOMPARE(t.dialogs().fileRequests().back().title, QStringLiteral("Apri archivio"));
}

#include "tst_gui_main_window.moc"
