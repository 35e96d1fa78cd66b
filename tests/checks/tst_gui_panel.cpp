// The main window's background, offscreen: the delivery panel on the demo archive as the operator
// runs its steps from the links and saves a document, the recent archives in the panel and in the
// File menu across restarts, and both at 1024x768.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "checks/MDIQuillaroPannello.h"
#include "checks/frmWndErrori.h"
#include "documents/frmDocumento.h"
#include "store/Archivio.h"
#include "store/Numeri.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "update/frmFileSigle.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The step's link and its state, by AggiornaInfo's code.
QPushButton* link(MDIQuillaro& w, const char* codice) {
    auto* b = w.findChild<QPushButton*>(QStringLiteral("cmdPasso") + QLatin1String(codice));
    if (!b)
        qFatal("no link %s", codice);
    return b;
}
QString statoPasso(MDIQuillaro& w, const char* codice) {
    return w.findChild<QLabel*>(QStringLiteral("lblPasso") + QLatin1String(codice))->text();
}
QString testo(MDIQuillaro& w, const char* nome) {
    return w.findChild<QLabel*>(QLatin1String(nome))->text();
}

// The error window a link opened, closed again; false when none is open.
bool chiudiFinestraErrori(MDIQuillaro& w) {
    auto* f = w.findChild<frmWndErrori*>(QString(), Qt::FindDirectChildrenOnly);
    if (!f || !f->isVisible())
        return false;
    f->cmdChiudi->click();
    return true;
}

QStringList vociRecenti(MDIQuillaro& w) {
    QStringList out;
    for (QAction* a : w.mnuFileRecenti->actions())
        if (a->isVisible() && a->objectName() != QLatin1String("mnuFileRecentiNessuno"))
            out << a->text();
    return out;
}

QStringList righeRecenti(PannelloConsegna* p) {
    QStringList out;
    for (int i = 0; i < p->lstRecenti->topLevelItemCount(); ++i)
        out << p->lstRecenti->topLevelItem(i)->text(0);
    return out;
}

bool dentro(QWidget* figlio, QWidget* area) {
    const QRect r(figlio->mapTo(area, QPoint(0, 0)), figlio->size());
    return area->rect().contains(r);
}

} // namespace

class GuiPanel : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void stepsRunFromTheLinksAndFollowTheWork();
    void underTheWindowsNeverInTheirWay();
    void recentArchivesAcrossRestarts();
    void recentArchiveOpensFromTheKeyboard();
    void buttonsBesideTheRecentArchives();
    void lettersOfThePanelOnlyWhileItHasTheFocus_data();
    void lettersOfThePanelOnlyWhileItHasTheFocus();
    void readableAt1024x768();
};

void GuiPanel::stepsRunFromTheLinksAndFollowTheWork() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.apriArchivio(t.createDemo()));
    PannelloConsegna* p = w.pannello();
    QCOMPARE(p->lblTitolo->text(), QStringLiteral("Consegna ") + t.state().Consegna());
    QCOMPARE(testo(w, "lblConsegna"), t.state().Consegna());
    QCOMPARE(w.findChild<QLabel*>("lblArchivio")->toolTip(),
             QDir::toNativeSeparators(t.state().NomeArchivio));
    QVERIFY(testo(w, "lblControllo").startsWith(QStringLiteral("Non ancora eseguito")));
    QVERIFY(statoPasso(w, "1").contains(QStringLiteral("prossimo")));
    saveScreenshot(&w, QStringLiteral("pannello-prima-del-controllo"));

    // The keyboard is on the next step; Enter runs it.
    QCOMPARE(QApplication::focusWidget(), link(w, "1"));
    QTest::keyClick(link(w, "1"), Qt::Key_Return);
    QCOMPARE(t.dialogs().lastText(), QStringLiteral("Fine controllo: ") + t.state().Consegna());
    QVERIFY(statoPasso(w, "1").contains(QStringLiteral("fatto")));
    QVERIFY(testo(w, "lblControllo").startsWith(QStringLiteral("Eseguito il")));
    QVERIFY(!testo(w, "lblControllo").contains(QStringLiteral("da rifare")));
    const QStringList generali = readTextLines(
        t.home().dumpPath(QStringLiteral("errori.") + t.state().Consegna()), t.state().encoding());
    QCOMPARE(testo(w, "lblErroriGenerici"), NumeroItaliano(generali.size() - generali.count(QString())));
    QVERIFY(statoPasso(w, "7").contains(QStringLiteral("prossimo")));
    QCOMPARE(QApplication::focusWidget(), link(w, "7"));
    saveScreenshot(&w, QStringLiteral("pannello-dopo-il-controllo"));

    // A click on a link runs its menu command, with its questions.
    QTest::mouseClick(link(w, "7"), Qt::LeftButton);
    QVERIFY(chiudiFinestraErrori(w));
    QVERIFY(statoPasso(w, "7").contains(QStringLiteral("fatto")));
    t.dialogs().answerNext(Answer::No); // "Aprire il file ...?"
    QTest::mouseClick(link(w, "3"), Qt::LeftButton);
    QVERIFY(t.dialogs().allAnswersUsed());
    QVERIFY(statoPasso(w, "3").contains(QStringLiteral("fatto")));
    QVERIFY(!testo(w, "lblControllo").contains(QStringLiteral("da rifare")));
    QVERIFY(statoPasso(w, "8").contains(QStringLiteral("prossimo")));

    // A document saved in its window: the check is to be redone.
    azione(w, "mnuDocumentiNuovo")->trigger();
    auto* doc = w.findChild<frmDocumento*>();
    QVERIFY(doc);
    doc->txtID->setText(QStringLiteral("1"));
    QTest::keyClick(doc->txtTitolo, Qt::Key_F6);
    QCOMPARE(doc->txtID->text(), QStringLiteral("2"));
    doc->txtTitolo->setPlainText(QStringLiteral("Titolo corretto dopo il controllo"));
    doc->cmdSalva->click();
    // The box's first line; a second one counts the findings left.
    QCOMPARE(t.dialogs().lastText().section(u'\n', 0, 0), QStringLiteral("Documento salvato!"));
    QTRY_VERIFY_WITH_TIMEOUT(testo(w, "lblControllo").contains(QStringLiteral("da rifare")), 5000);
    QVERIFY(testo(w, "lblControllo").contains(QStringLiteral("modificato dopo il controllo")));
    QVERIFY(statoPasso(w, "1").contains(QStringLiteral("da rifare")));
    QVERIFY(statoPasso(w, "1").contains(QStringLiteral("prossimo")));
    // The window keeps the keyboard.
    QVERIFY(doc->isAncestorOf(w.focusWidget()));
    doc->cmdEsci->click();
    QTRY_COMPARE(w.mdiArea()->subWindowList().size(), 0);
    saveScreenshot(&w, QStringLiteral("pannello-da-rifare"));
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void GuiPanel::underTheWindowsNeverInTheirWay() {
    TestHome t;
    MDIQuillaro w(t.state());
    w.show();
    QVERIFY(w.apriArchivio(t.createDemo()));
    QWidget* viewport = w.mdiArea()->viewport();
    PannelloConsegna* p = w.pannello();
    QCOMPARE(p->parentWidget(), viewport);
    QCOMPARE(p->geometry(), viewport->rect());
    azione(w, "mnuDocumentiNuovo")->trigger();
    auto* doc = w.findChild<frmDocumento*>();
    QVERIFY(doc);
    // Stacked below the window: the first widget among the viewport's children.
    const QList<QWidget*> figli = viewport->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(figli.first(), p);
    QCOMPARE(QApplication::widgetAt(doc->mapToGlobal(doc->rect().center())) == p, false);
    QVERIFY(w.mdiArea()->subWindowList().size() == 1);
    // A window moved far out scrolls the area; the panel stays where the area shows.
    QMdiSubWindow* sub = w.mdiArea()->subWindowList().first();
    sub->move(3000, 2000);
    QTRY_VERIFY(w.mdiArea()->verticalScrollBar()->maximum() > 0);
    w.mdiArea()->verticalScrollBar()->setValue(w.mdiArea()->verticalScrollBar()->maximum());
    QTRY_COMPARE(p->geometry(), viewport->rect());
    doc->cmdAbbandona->click();
}

void GuiPanel::recentArchivesAcrossRestarts() {
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("ALFA"), QStringLiteral("3"), QStringLiteral("2026"),
                                      QStringLiteral("7"));
    const QString b = t.createArchive(QStringLiteral("BETA & C"), QStringLiteral("3"), QStringLiteral("2026"),
                                      QStringLiteral("8"));
    {
        MDIQuillaro w(t.state());
        PannelloConsegna* p = w.pannello();
        QVERIFY(!p->lstRecenti->isVisibleTo(p) && p->lblNessunRecente->isVisibleTo(p));
        QCOMPARE(vociRecenti(w), QStringList());
        QVERIFY(w.findChild<QAction*>(QStringLiteral("mnuFileRecentiNessuno"))->isVisible());
        // After "Apri", before whatever follows it.
        const QList<QAction*> file = w.mnuFile->actions();
        QCOMPARE(file.indexOf(w.mnuFileRecenti->menuAction()), file.indexOf(w.mnuFileApri) + 1);
        QCOMPARE(w.mnuFileRecenti->title(), QStringLiteral("Archivi &recenti"));

        QVERIFY(w.apriArchivio(a));
        QVERIFY(!w.mnuFileRecenti->menuAction()->isEnabled());
        w.mnuFileChiudi->trigger();
        QVERIFY(w.mnuFileRecenti->menuAction()->isEnabled());
        QVERIFY(w.apriArchivio(b));
        w.mnuFileChiudi->trigger();
        QCOMPARE(righeRecenti(p), QStringList({QStringLiteral("BETA & C.db"), QStringLiteral("ALFA.db")}));
        QCOMPARE(p->lstRecenti->topLevelItem(0)->text(1), QStringLiteral("8"));
        QCOMPARE(p->lstRecenti->topLevelItem(0)->text(2).size(), QStringLiteral("09/03/2026 08:30").size());
        const QStringList voci = vociRecenti(w);
        QCOMPARE(voci.size(), 2);
        QVERIFY2(voci[0].startsWith(QStringLiteral("&1 BETA && C.db  (consegna 8, ")), qPrintable(voci[0]));
        QVERIFY2(voci[1].startsWith(QStringLiteral("&2 ALFA.db  (consegna 7, ")), qPrintable(voci[1]));
        // Gone during the session: shown, disabled.
        QVERIFY(QFile::remove(a));
        w.aggiornaMenuRecenti();
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("mnuFileRecenti2"))->isEnabled());
        w.aggiornaPannello();
        QVERIFY(!(p->lstRecenti->topLevelItem(1)->flags() & Qt::ItemIsEnabled));
        QVERIFY(p->lstRecenti->topLevelItem(1)->toolTip(0).contains(QStringLiteral("prossimo avvio")));
        // A click on it opens nothing.
        const QRect riga = p->lstRecenti->visualItemRect(p->lstRecenti->topLevelItem(1));
        QSignalSpy apre(p, &PannelloConsegna::apriRecente);
        QTest::mouseClick(p->lstRecenti->viewport(), Qt::LeftButton, {}, riga.center());
        runDeferred(); // a click opens once the view is done with it
        QCOMPARE(apre.count(), 0);
        QVERIFY(!t.state().ArchivioAperto);
    }
    // The next start: the missing one has left; the other opens from the menu.
    AppState state(t.home(), t.dialogs());
    MDIQuillaro w(state);
    QCOMPARE(righeRecenti(w.pannello()), QStringList({QStringLiteral("BETA & C.db")}));
    QCOMPARE(vociRecenti(w).size(), 1);
    QVERIFY(!readFileBytes(t.home().settingsPath()).contains("ALFA"));
    w.findChild<QAction*>(QStringLiteral("mnuFileRecenti1"))->trigger();
    QVERIFY(state.ArchivioAperto);
    QVERIFY(StessoArchivio(state.NomeArchivio, b));
    QCOMPARE(w.pannello()->lblTitolo->text(), QStringLiteral("Consegna 8"));
    ChiudiArchivio(state);
}

void GuiPanel::recentArchiveOpensFromTheKeyboard() {
    TestHome t;
    QStringList archivi;
    for (int i = 1; i <= 11; ++i)
        archivi << t.createArchive(QStringLiteral("C%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("3"),
                                   QStringLiteral("2026"), QString::number(i));
    MDIQuillaro w(t.state());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const QString& a : archivi) {
        QVERIFY(w.apriArchivio(a));
        w.mnuFileChiudi->trigger();
    }
    // Ten at most, the last opened first; accelerators &1 to &9.
    const QStringList voci = vociRecenti(w);
    QCOMPARE(voci.size(), 10);
    for (int i = 0; i < 9; ++i)
        QVERIFY2(
            voci[i].startsWith(QStringLiteral("&%1 C%2.db").arg(i + 1).arg(11 - i, 2, 10, QLatin1Char('0'))),
            qPrintable(voci[i]));
    QVERIFY2(voci[9].startsWith(QStringLiteral("1&0 C02.db")), qPrintable(voci[9]));
    PannelloConsegna* p = w.pannello();
    QCOMPARE(p->lstRecenti->topLevelItemCount(), 10);
    saveScreenshot(&w, QStringLiteral("pannello-archivi-recenti"));

    // The keyboard is on the list; Enter on the second opens it.
    QCOMPARE(QApplication::focusWidget(), p->lstRecenti);
    QTest::keyClick(p->lstRecenti, Qt::Key_Down);
    QTest::keyClick(p->lstRecenti, Qt::Key_Return);
    QTRY_VERIFY(t.state().ArchivioAperto);
    QVERIFY(StessoArchivio(t.state().NomeArchivio, archivi[9]));
    QCOMPARE(p->lblTitolo->text(), QStringLiteral("Consegna 10"));
    QCOMPARE(vociRecenti(w).first().left(10), QStringLiteral("&1 C10.db "));
}

void GuiPanel::buttonsBesideTheRecentArchives() {
    TestHome t;
    MDIQuillaro w(t.state());
    PannelloConsegna* p = w.pannello();
    QCOMPARE(p->cmdNuovoArchivio->text(), QStringLiteral("&Nuovo archivio"));
    QCOMPARE(p->cmdApriArchivio->text(), QStringLiteral("&Apri archivio..."));
    // "Apri archivio..." is File > Apri.
    const QString demo = t.createDemo();
    t.dialogs().answerNextFile(demo);
    p->cmdApriArchivio->click();
    QVERIFY(t.state().ArchivioAperto);
    QCOMPARE(t.dialogs().fileRequests().back().title, QStringLiteral("Apri archivio"));
    w.mnuFileChiudi->trigger();
    // "Nuovo archivio" is File > Nuovo; cancelled, it says so.
    t.dialogs().answerNextFile(QString());
    p->cmdNuovoArchivio->click();
    QCOMPARE(t.dialogs().fileRequests().back().title, QStringLiteral("Nuovo archivio"));
    QCOMPARE(t.dialogs().lastText(), QStringLiteral("Nome archivio non valido"));
    // They follow their menu items.
    w.stato.dopoNuovo();
    w.applicaStatoMenu();
    QVERIFY(!p->cmdNuovoArchivio->isEnabled());
    QVERIFY(p->cmdApriArchivio->isEnabled());
}

// Alt+N and Alt+A are the panel's while it has the focus; in a window open over it they are the
// window's ("A&nnulla", "&Apri file sigle").
void GuiPanel::lettersOfThePanelOnlyWhileItHasTheFocus_data() {
    QTest::addColumn<bool>("fileSigle");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("richiesta"); // the file dialog the key opens, if any
    QTest::addColumn<bool>("sigleAperta");
    QTest::newRow("panel, Alt+N") << false << int(Qt::Key_N) << "Nuovo archivio" << false;
    QTest::newRow("panel, Alt+A") << false << int(Qt::Key_A) << "Apri archivio" << false;
    QTest::newRow("File sigle, Alt+N") << true << int(Qt::Key_N) << "" << false;
    QTest::newRow("File sigle, Alt+A") << true << int(Qt::Key_A) << "Apri file sigle" << true;
}

void GuiPanel::lettersOfThePanelOnlyWhileItHasTheFocus() {
    QFETCH(bool, fileSigle);
    QFETCH(int, tasto);
    QFETCH(QString, richiesta);
    QFETCH(bool, sigleAperta);
    TestHome t;
    MDIQuillaro w(t.state());
    w.resize(1024, 768);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (fileSigle) {
        azione(w, "mnuUtilitaAggiornamentoFileSigle")->trigger();
        QTRY_VERIFY(w.findChild<frmFileSigle*>() &&
                    w.findChild<frmFileSigle*>()->isAncestorOf(QApplication::focusWidget()));
    } else {
        QTRY_VERIFY(w.pannello()->isAncestorOf(QApplication::focusWidget()));
    }
    if (!richiesta.isEmpty())
        t.dialogs().answerNextFile(QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(tasto), Qt::AltModifier);
    const auto richieste = [&t] {
        QStringList titoli;
        for (const FileDialogRequest& r : t.dialogs().fileRequests())
            titoli << r.title;
        return titoli;
    };
    // A letter presses its button as a click does, a moment later.
    QTRY_COMPARE(w.findChild<frmFileSigle*>() != nullptr, sigleAperta);
    QTRY_COMPARE(richieste(), richiesta.isEmpty() ? QStringList() : QStringList{richiesta});
    // An Alt letter holds its button down a moment and clicks it when it comes up: once no button
    // is down, every click the key made has been made, and it made one at most.
    const auto premuti = [&w] {
        const QList<QAbstractButton*> bottoni = w.findChildren<QAbstractButton*>();
        return std::count_if(bottoni.cbegin(), bottoni.cend(),
                             [](QAbstractButton* b) { return b->isDown(); });
    };
    QTRY_COMPARE(premuti(), 0);
    runDeferred();
    QCOMPARE(richieste().size(), richiesta.isEmpty() ? 0 : 1);
}

void GuiPanel::readableAt1024x768() {
    TestHome t;
    QStringList archivi;
    for (int i = 1; i <= 10; ++i)
        archivi << t.createArchive(QStringLiteral("CONSEGNA_CON_UN_NOME_LUNGO_%1").arg(i));
    MDIQuillaro w(t.state());
    w.resize(1024, 768);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (const QString& a : archivi) {
        QVERIFY(w.apriArchivio(a));
        w.mnuFileChiudi->trigger();
    }
    QWidget* viewport = w.mdiArea()->viewport();
    PannelloConsegna* p = w.pannello();
    // The panel fits itself to the area once its layout has settled.
    const auto fuori = [viewport](const QList<QWidget*>& controlli) {
        QStringList nomi;
        for (QWidget* c : controlli)
            if (!dentro(c, viewport))
                nomi << c->objectName();
        return nomi;
    };
    QTRY_COMPARE(fuori({p->lstRecenti, p->cmdNuovoArchivio, p->cmdApriArchivio}), QStringList());
    saveScreenshot(&w, QStringLiteral("pannello-recenti-1024x768"));

    QVERIFY(w.apriArchivio(t.createDemo()));
    const auto stretti = [p, viewport] {
        QStringList testi;
        for (QPushButton* b : p->cmdPassi)
            if (!dentro(b, viewport) || b->width() < b->sizeHint().width())
                testi << b->text();
        for (QLabel* l : p->findChildren<QLabel*>())
            if (l->isVisibleTo(p) && l != p->lblArchivio &&
                (!dentro(l, viewport) || l->width() < l->minimumSizeHint().width()))
                testi << l->text();
        return testi;
    };
    QTRY_COMPARE(stretti(), QStringList());
    saveScreenshot(&w, QStringLiteral("pannello-1024x768"));
}

QTEST_MAIN(GuiPanel)
#include "tst_gui_panel.moc"
