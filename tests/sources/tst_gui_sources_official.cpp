// The official text of a source from the document window ("Apri testo ufficiale", Alt+T), the
// identifier shown in "Modifica fonte", and the menu items of the page of the official texts.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmTipologiaFonte.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "update/FileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString kCodiceCivile = QStringLiteral(
    "https://www.normattiva.it/uri-res/N2Ls?urn:nir:stato:regio.decreto:1942-03-16;262:2~art2043");

int riga(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    if (items.isEmpty())
        qFatal("no line %s", qPrintable(text));
    return list->row(items.first());
}

// The demo archive open, and the window on its first document (art. 2043 c.c., art. 2059 c.c.,
// art. 2 Cost. and a Cassation judgment).
class Sessione {
public:
    Sessione() : main(t.state()) {
        if (!main.apriArchivio(t.createDemo()))
            qFatal("archive not opened");
        main.show();
        finestra = new frmDocumento(t.state(), false, 1);
        QMdiSubWindow* sub = main.mdiArea()->addSubWindow(finestra);
        sub->show();
        main.activateWindow();
        main.mdiArea()->setActiveSubWindow(sub);
        if (!QTest::qWaitForWindowActive(&main))
            qFatal("window not shown");
    }

    void scegli(const QString& testo) { finestra->lstFonte->setCurrentRow(riga(finestra->lstFonte, testo)); }

    TestHome t;
    MDIQuillaro main;
    frmDocumento* finestra = nullptr;
};

} // namespace

class GuiSourcesOfficial : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void buttonBesideInNota() {
        Sessione s;
        QPushButton* b = s.finestra->cmdFonteUfficiale;
        QCOMPARE(b->objectName(), QStringLiteral("cmdFonteUfficiale"));
        QCOMPARE(b->text(), QStringLiteral("Apri &testo ufficiale"));
        QCOMPARE(b->parentWidget(), s.finestra->cmdFonteT->parentWidget());
        QCOMPARE(b->parentWidget()->objectName(), QStringLiteral("FrameFonti"));
        QVERIFY(b->geometry().top() > s.finestra->cmdFonteT->geometry().top());
        saveScreenshot(s.finestra, QStringLiteral("frmDocumento_testo_ufficiale"));
    }

    void enabledOnlyWithAnIdentifier() {
        Sessione s;
        QPushButton* b = s.finestra->cmdFonteUfficiale;
        QVERIFY(!b->isEnabled()); // no current source yet
        s.scegli(QStringLiteral("Cass. sez. un. 11 novembre 2008, n. 26972"));
        QVERIFY(!b->isEnabled());
        s.scegli(QStringLiteral("art. 2043 c.c."));
        QVERIFY(b->isEnabled());
        b->click();
        QCOMPARE(s.t.dialogs().openedUrls(), QStringList{kCodiceCivile});

        // The shortcut: Alt+T, taken by nothing else of the window or of the main window's menus.
        QCOMPARE(b->shortcut(), QKeySequence(Qt::ALT | Qt::Key_T));
        for (const QAbstractButton* altro : s.finestra->findChildren<QAbstractButton*>())
            if (altro != b)
                QVERIFY2(altro->shortcut() != b->shortcut(), qPrintable(altro->objectName()));
        for (const QAction* menu : s.main.menuBar()->actions())
            QVERIFY2(QKeySequence::mnemonic(menu->text()) != b->shortcut(), qPrintable(menu->text()));
        QVERIFY(s.t.dialogs().shown().empty());

        // Moving to a document without sources leaves nothing to open.
        s.finestra->txtID->setText(QStringLiteral("23"));
        s.finestra->cmdAvanti->click();
        QCOMPARE(s.finestra->txtID->text(), QStringLiteral("24"));
        QCOMPARE(s.finestra->lstFonte->count(), 0);
        QVERIFY(!b->isEnabled());
    }

    void browserThatDoesNotOpenIsTold() {
        Sessione s;
        s.t.dialogs().setOpenUrlSucceeds(false);
        s.scegli(QStringLiteral("art. 2043 c.c."));
        s.finestra->cmdFonteUfficiale->click();
        QCOMPARE(s.t.dialogs().shown().size(), size_t(1));
        QVERIFY(s.t.dialogs().lastText().contains(kCodiceCivile));
        QCOMPARE(s.t.dialogs().shown().back().icon, Icon::Warning);
    }

    // "Modifica fonte" shows the identifier, read only, as the fields make it; confirming a change
    // moves the button with it.
    void identifierInTheModificationDialog() {
        Sessione s;
        s.scegli(QStringLiteral("art. 2043 c.c."));
        bool visto = false;
        onNextModal<frmModificaFonte>([&visto](frmModificaFonte* d) {
            QVERIFY(d->txtIdentificativo->isReadOnly());
            QCOMPARE(d->txtIdentificativo->text(),
                     QStringLiteral("urn:nir:stato:regio.decreto:1942-03-16;262:2~art2043"));
            saveScreenshot(d, QStringLiteral("frmModificaFonte_identificativo"));
            d->txtArt->setText(QStringLiteral("2050"));
            QCOMPARE(d->txtIdentificativo->text(),
                     QStringLiteral("urn:nir:stato:regio.decreto:1942-03-16;262:2~art2050"));
            d->txtAll->setText(QStringLiteral("A"));
            QCOMPARE(d->txtIdentificativo->text(), QString());
            QVERIFY(!d->txtIdentificativo->placeholderText().isEmpty());
            d->cmdEsci->click();
            visto = true;
        });
        s.finestra->cmdFonteM->click();
        QVERIFY(visto);
        QVERIFY(!s.finestra->cmdFonteUfficiale->isEnabled());

        s.scegli(QStringLiteral("art. 2 Cost."));
        onNextModal<frmModificaFonte>([](frmModificaFonte* d) {
            QCOMPARE(d->txtIdentificativo->text(),
                     QStringLiteral("urn:nir:stato:costituzione:1947-12-27~art2"));
            d->txtFonte->setText(QStringLiteral("c.p."));
            d->cmdEsci->click();
        });
        s.finestra->cmdFonteM->click();
        QVERIFY(s.finestra->cmdFonteUfficiale->isEnabled());
        s.finestra->cmdFonteUfficiale->click();
        QCOMPARE(s.t.dialogs().openedUrls(),
                 QStringList{QStringLiteral("https://www.normattiva.it/uri-res/"
                                            "N2Ls?urn:nir:stato:regio.decreto:1930-10-19;1398:1~art2")});
    }

    // A law entered with F9 can be opened once it is the current source.
    void newSourceFromTheEntryDialog() {
        Sessione s;
        onNextModal<frmTipologiaFonte>([](frmTipologiaFonte* d) {
            d->cmbTipologiaFonte->setCurrentIndex(1);
            d->cmdProcedi->click();
        });
        onNextModal<frmFontiInterne>([](frmFontiInterne* d) {
            d->SSTabInterna->setCurrentIndex(2);
            PaginaFonteWidget* p = d->pagina(2);
            p->ComboFonte->setCurrentIndex(2);
            p->lstFonte->setCurrentRow(riga(p->lstFonte, QStringLiteral("l.")));
            p->txtArt->setText(QStringLiteral("3"));
            p->txtGG->setText(QStringLiteral("7"));
            p->ComboMese->setCurrentIndex(8);
            p->txtAA->setText(QStringLiteral("1990"));
            p->txtN->setText(QStringLiteral("241"));
            p->cmdEsciSalva->click();
        });
        s.finestra->cmdFonteN->click();
        QVERIFY(!s.finestra->cmdFonteUfficiale->isEnabled());
        s.scegli(QStringLiteral("art. 3 l. 7 agosto 1990, n. 241"));
        s.finestra->cmdFonteUfficiale->click();
        QCOMPARE(s.t.dialogs().openedUrls(),
                 QStringList{QStringLiteral(
                     "https://www.normattiva.it/uri-res/N2Ls?urn:nir:stato:legge:1990-08-07;241~art3")});
    }

    void menuItemsAfterHudoc() {
        Sessione s;
        for (const auto& [menu, hudoc, nir] :
             {std::tuple{"mnuUtilitaDocumentiControlli", "mnuUtilitaDocumentiControlliPerControlloHUDOC",
                         "mnuUtilitaDocumentiControlliPerControlloNIR"},
              std::tuple{"mnuUtilitaAggiornamentoControlli", "mnuUtilitaAggiornamentoControlloHUDOC",
                         "mnuUtilitaAggiornamentoControlloNIR"}}) {
            auto* m = s.main.findChild<QMenu*>(QString::fromLatin1(menu));
            QVERIFY(m);
            const QList<QAction*> azioni = m->actions();
            const qsizetype i = azioni.indexOf(s.main.findChild<QAction*>(QString::fromLatin1(hudoc)));
            QVERIFY(i >= 0 && i + 1 < azioni.size());
            QCOMPARE(azioni[i + 1]->objectName(), QString::fromLatin1(nir));
            QCOMPARE(azioni[i + 1]->text(), QStringLiteral("Stampa HTML fonti italiane (&URN)"));
        }

        s.main.findChild<QAction*>("mnuUtilitaDocumentiControlliPerControlloNIR")->trigger();
        QCOMPARE(s.t.dialogs().lastText(), QStringLiteral("Fine stampa HTML_NIR (consegna 1)"));
        const QStringList pagina = readTextLines(s.t.home().dumpPath(QStringLiteral("StampaHTML_NIR 1.html")),
                                                 TextEncoding::Windows1252);
        QVERIFY(pagina.contains(QStringLiteral("<h2>Documento: 202630001 (Record: 1)</h2>")));

        ScriviFileSigle(s.t.home().mdbPath(QStringLiteral("sigle.U26")), {QStringLiteral("DEMO")});
        onNextModal<frmSceltaFileOut>([](frmSceltaFileOut* d) {
            d->fileListOut->setCurrentItem(
                d->fileListOut->findItems(QStringLiteral("sigle.U26"), Qt::MatchExactly).first());
            d->cmdConferma->click();
        });
        s.main.findChild<QAction*>("mnuUtilitaAggiornamentoControlloNIR")->trigger();
        const QStringList batch = readTextLines(s.t.home().dumpPath(QStringLiteral("StampaHTML_NIR U26.htm")),
                                                TextEncoding::Windows1252);
        QVERIFY(batch.contains(QStringLiteral("<TITLE>Aggiornamento U26</TITLE>")));
        QVERIFY(s.t.dialogs().unexpected().isEmpty());
    }
};

QTEST_MAIN(GuiSourcesOfficial)
#include "tst_gui_sources_official.moc"
