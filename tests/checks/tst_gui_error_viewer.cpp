// The error lists' viewer as a way to the findings, offscreen: the filter by rule with its counts,
// Enter on a line opens the document at that finding (the document window's document, the finding
// chosen in its Controlli panel, the field it concerns), a line of a deleted document, the unsaved
// work of the document window open, and one window per list that goes with the archive.

#include "app/gui/MDIQuillaro.h"
#include "checks/RegoleRilievi.h"
#include "checks/frmWndErrori.h"
#include "documents/Generatore.h"
#include "documents/frmDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/mdlDocumenti.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"
#include "ui/ScriptedDialogs.h"
#include "ui/qt/TextLinesView.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList voci(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

QStringList righeMostrate(const frmWndErrori* f) {
    QStringList out;
    for (int row = 0; row < f->txtErrori->lineCount(); ++row)
        out << f->txtErrori->line(row);
    return out;
}

QString rigaCorrente(const frmWndErrori* f) {
    return f->txtErrori->line(f->txtErrori->currentIndex().row());
}

// The window comes to the front: the active one, not only sharing its parent's activation.
void attiva(QWidget* w) {
    w->activateWindow();
    if (!QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }))
        qWarning("%s not active", qPrintable(w->objectName()));
}

// A generated delivery, its check run done, in the main window at 1024x768.
class Consegna {
public:
    Consegna() : main(t.state()) {
        const QString path = t.home().mdbPath(QStringLiteral("GEN.db"));
        OpzioniGeneratore opzioni;
        opzioni.documenti = 40;
        opzioni.sviste = 40;
        opzioni.seme = 5;
        GeneraArchivio(t.state(), path, opzioni);
        if (!main.apriArchivio(path))
            qFatal("archive not opened");
        main.resize(1024, 768);
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
        main.mnuUtilitaDocumentiControlliEsegui->trigger();
        t.dialogs().clear();
    }

    QAction* voce(const QString& elenco) {
        if (elenco == u"generali")
            return main.mnuUtilitaDocumentiControlliVediErroriGenerici;
        if (elenco == u"classificazione")
            return main.mnuUtilitaDocumentiControlliVediErroriClassificazione;
        return main.mnuUtilitaDocumentiControlliVediErroriFonti;
    }

    // The viewer of a list, from its menu item, active.
    frmWndErrori* vedi(const QString& elenco) {
        voce(elenco)->trigger();
        const QString titolo = TitoloElenco(elenco == u"generali"          ? ElencoErrori::Generali
                                            : elenco == u"classificazione" ? ElencoErrori::Classificazione
                                                                           : ElencoErrori::Fonti);
        for (frmWndErrori* f : main.findChildren<frmWndErrori*>(QString(), Qt::FindDirectChildrenOnly))
            if (f->isVisible() && f->titolo() == titolo) {
                attiva(f);
                return f;
            }
        return nullptr;
    }

    // The document window (the newest, when one is on its way out).
    frmDocumento* documento() {
        frmDocumento* d = nullptr;
        for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
            if (auto* w = qobject_cast<frmDocumento*>(sub->widget()))
                d = w;
        return d;
    }

    int finestreDocumento() {
        int n = 0;
        for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
            n += qobject_cast<frmDocumento*>(sub->widget()) ? 1 : 0;
        return n;
    }

    TestHome t;
    MDIQuillaro main;
};

// From the keyboard: Alt+R to the filter, the rule's item, Tab to the list, down to the line, Enter.
// An empty rule is the list's commonest. Returns the line.
QString invioSu(frmWndErrori* f, QString regola, int giu) {
    attiva(f);
    QTest::keyClick(f, Qt::Key_R, Qt::AltModifier);
    if (QApplication::focusWidget() != f->cmbRegola)
        qWarning("Alt+R did not reach the filter: %s in %s",
                 QApplication::focusWidget() ? qPrintable(QApplication::focusWidget()->objectName()) : "-",
                 QApplication::activeWindow() ? qPrintable(QApplication::activeWindow()->objectName()) : "-");
    if (regola.isEmpty())
        regola = f->indice().regole().value(0).regola;
    QTest::keyClick(f->cmbRegola, Qt::Key_Home);
    for (int i = 0; i < f->cmbRegola->count() && f->regolaScelta() != regola; ++i)
        QTest::keyClick(f->cmbRegola, Qt::Key_Down);
    QTest::keyClick(f->cmbRegola, Qt::Key_Tab);
    for (int i = 0; i < giu; ++i)
        QTest::keyClick(f->txtErrori, Qt::Key_Down);
    const QString riga = rigaCorrente(f);
    QTest::keyClick(f->txtErrori, Qt::Key_Return);
    return riga;
}

// The finding chosen in the document window's panel.
QString rilievoScelto(frmDocumento* d) {
    const Rilievo* r = d->FrameControlli->rilievoDi(d->FrameControlli->lstControlli->currentItem());
    return r ? r->testo : QString();
}

// The first line of rule `regola` whose document is not `tranne`.
int rigaDiAltroDocumento(frmWndErrori* f, const QString& regola, qint64 tranne) {
    const int r = [&] {
        for (int i = 0; i < f->indice().regole().size(); ++i)
            if (f->indice().regole()[i].regola == regola)
                return i;
        return -1;
    }();
    for (int riga : f->indice().righeDi(r))
        if (DocumentoRilievo(f->txtErrori->textLine(riga)) != tranne)
            return riga;
    return -1;
}

void vaiAllaRiga(frmWndErrori* f, int riga) {
    f->txtErrori->setCurrentIndex(f->txtErrori->model()->index(f->txtErrori->rowOf(riga), 0));
}

} // namespace

class ErrorViewer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filterShowsOneRuleWithItsCount_data() {
        QTest::addColumn<QStringList>("lista");
        QTest::addColumn<QString>("regola");
        QTest::addColumn<QStringList>("filtro");
        QTest::addColumn<QStringList>("mostrate");
        QTest::addColumn<QString>("conteggio");
        const QStringList fonti{"Errori nelle fonti",
                                "",
                                "Fonte errata: l. 7 agosto 1990, n. 241 (rec. 1)",
                                "GICA con numero >= 1000: C. cost. 1 febbraio 2003, n. 1200 (rec. 1)",
                                "Fonte errata: d.lg. 1 gennaio 2000, n. 3 (rec. 4)",
                                "Senza numero: C. cost. 2 marzo 2001 (rec. 9)",
                                ""};
        const QStringList tutte{"Tutte le regole", "Fonte errata (2)", "GICA con numero >= 1000 (1)",
                                "Senza numero (1)"};
        QTest::newRow("all") << fonti << "" << tutte << fonti << "4 rilievi, 3 regole";
        QTest::newRow("solo Fonte errata")
            << fonti << "Fonte errata" << tutte << QStringList{fonti[2], fonti[4]}
            << "2 di 4 rilievi: Fonte errata";
        QTest::newRow("one line") << fonti << "Senza numero" << tutte << QStringList{fonti[5]}
                                  << "1 di 4 rilievi: Senza numero";
        QStringList grande{"Errori nelle fonti", ""};
        for (int i = 1; i <= 2900; ++i)
            grande << (i <= 2056 ? QStringLiteral("Fonte errata: l. %1 (rec. %1)").arg(i)
                                 : QStringLiteral("Manca fonte (rec. %1)").arg(i));
        QTest::newRow("thousands") << grande << "Fonte errata"
                                   << QStringList{"Tutte le regole", "Fonte errata (2 056)",
                                                  "Manca fonte (844)"}
                                   << grande.mid(2, 2056) << "2 056 di 2 900 rilievi: Fonte errata";
        const QStringList uno{"Errori generici", "", "Manca fonte (rec. 3)", ""};
        QTest::newRow("singular") << uno << "" << QStringList{"Tutte le regole", "Manca fonte (1)"} << uno
                                  << "1 rilievo, 1 regola";
        const QStringList sezioni{"Errori generici",
                                  "",
                                  "Consegna 12",
                                  "Manca fonte (rec. 3)",
                                  "",
                                  "Consegna 13",
                                  "Manca responsabilità (rec. 3)",
                                  ""};
        QTest::newRow("sections of the update mode")
            << sezioni << "Manca responsabilità"
            << QStringList{"Tutte le regole", "Manca fonte (1)", "Manca responsabilità (1)"}
            << QStringList{sezioni[6]} << "1 di 2 rilievi: Manca responsabilità";
    }

    void filterShowsOneRuleWithItsCount() {
        QFETCH(QStringList, lista);
        QFETCH(QString, regola);
        QFETCH(QStringList, filtro);
        QFETCH(QStringList, mostrate);
        QFETCH(QString, conteggio);
        const QString testo = lista.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        frmWndErrori f(testo);
        QAbstractItemModelTester tester(f.txtErrori->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(voci(f.cmbRegola), filtro);
        QCOMPARE(f.cmbRegola->currentText(), QStringLiteral("Tutte le regole"));
        QVERIFY(f.scegliRegola(regola));
        QCOMPARE(f.regolaScelta(), regola);
        QCOMPARE(righeMostrate(&f), mostrate);
        QCOMPARE(f.lblConteggio->text(), conteggio);
        // The keyboard is on a finding of the rule shown.
        const QString corrente = rigaCorrente(&f);
        QVERIFY2(regola.isEmpty() ? !RegolaRilievo(corrente).isEmpty() : RegolaRilievo(corrente) == regola,
                 qPrintable(corrente));
        // The list read again (the menu item chosen again) keeps the rule while it has lines of it.
        f.mostraTesto(testo);
        QCOMPARE(f.regolaScelta(), regola);
        QCOMPARE(righeMostrate(&f), mostrate);
        f.mostraTesto(QStringLiteral("Errori nelle fonti\r\n\r\nManca fonte (rec. 1)\r\n"));
        QCOMPARE(f.regolaScelta(), regola == u"Manca fonte" ? regola : QString());
        QVERIFY(!f.scegliRegola(QStringLiteral("Fonte errata")));
        QVERIFY(f.scegliRegola(QString()));
        QCOMPARE(f.txtErrori->lineCount(), 3);
    }

    // Enter and a double click on a finding ask for its document; a title, a blank line or a
    // section line asks for nothing; Esc closes the window.
    void enterOnALineAsksForItsDocument() {
        auto* f = new frmWndErrori(QStringLiteral("Errori di classificazione\r\n\r\nCoppia non valida: 12; "
                                                  "345(rec. 1)\r\nCoppia asteriscata non valida: 13; 7*(rec. "
                                                  "22)\r\n\r\n"));
        f->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<frmWndErrori> guardia(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QSignalSpy chiesti(f, &frmWndErrori::rilievoScelto);
        // The keyboard starts on the first finding.
        QCOMPARE(QApplication::focusWidget(), f->txtErrori);
        QCOMPARE(rigaCorrente(f), QStringLiteral("Coppia non valida: 12; 345(rec. 1)"));
        QTest::keyClick(f->txtErrori, Qt::Key_Down);
        QTest::keyClick(f->txtErrori, Qt::Key_Return);
        QTest::keyClick(f->txtErrori, Qt::Key_Up);
        QTest::keyClick(f->txtErrori, Qt::Key_Enter);
        QTest::keyClick(f->txtErrori, Qt::Key_Home);
        QTest::keyClick(f->txtErrori, Qt::Key_Return);
        QTest::keyClick(f->txtErrori, Qt::Key_End);
        QTest::keyClick(f->txtErrori, Qt::Key_Return);
        const QRect riga = f->txtErrori->visualRect(f->txtErrori->model()->index(3, 0));
        // A double click is a press, then the second click.
        QTest::mouseClick(f->txtErrori->viewport(), Qt::LeftButton, {}, riga.center());
        QCOMPARE(chiesti.size(), 2);
        QTest::mouseDClick(f->txtErrori->viewport(), Qt::LeftButton, {}, riga.center());
        QCOMPARE(chiesti.size(), 3);
        f->cmdApri->click();
        QCOMPARE(chiesti.size(), 4);
        const QList<QPair<qint64, QString>> attesi{{22, "Coppia asteriscata non valida: 13; 7*(rec. 22)"},
                                                   {1, "Coppia non valida: 12; 345(rec. 1)"},
                                                   {22, "Coppia asteriscata non valida: 13; 7*(rec. 22)"},
                                                   {22, "Coppia asteriscata non valida: 13; 7*(rec. 22)"}};
        for (int i = 0; i < attesi.size(); ++i) {
            QCOMPARE(chiesti[i][0].toLongLong(), attesi[i].first);
            QCOMPARE(chiesti[i][1].toString(), attesi[i].second);
        }
        // Enter never closes the window (no button takes it).
        QVERIFY(f->isVisible());
        QTest::keyClick(f->txtErrori, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guardia.isNull());
    }

    // Enter on a line of each list, from the keyboard: the document window on the line's document,
    // the line's finding chosen in its panel, the keyboard on what it concerns.
    void enterOpensTheDocumentAtTheFinding_data() {
        QTest::addColumn<QString>("elenco");
        QTest::addColumn<QString>("regola"); // empty: the list's commonest
        QTest::addColumn<int>("giu");
        QTest::newRow("solo Fonte errata, first") << "fonti"
                                                  << "Fonte errata" << 0;
        QTest::newRow("solo Fonte errata, third") << "fonti"
                                                  << "Fonte errata" << 2;
        QTest::newRow("classification") << "classificazione"
                                        << "" << 1;
        QTest::newRow("general") << "generali"
                                 << "" << 0;
    }

    void enterOpensTheDocumentAtTheFinding() {
        QFETCH(QString, elenco);
        QFETCH(QString, regola);
        QFETCH(int, giu);
        Consegna c;
        frmWndErrori* f = c.vedi(elenco);
        QVERIFY(f);
        const QString riga = invioSu(f, regola, giu);
        QVERIFY2(!regola.isEmpty() ? RegolaRilievo(riga) == regola : !RegolaRilievo(riga).isEmpty(),
                 qPrintable(riga));
        frmDocumento* d = c.documento();
        QVERIFY(d);
        QCOMPARE(d->buffer().IDDocCorrente, DocumentoRilievo(riga).value());
        QCOMPARE(d->txtID->text(), QString::number(DocumentoRilievo(riga).value()));
        QCOMPARE(rilievoScelto(d), riga);
        const Rilievo* r = d->FrameControlli->rilievoDi(d->FrameControlli->lstControlli->currentItem());
        // The main window comes to the front, the keyboard in the document window.
        QVERIFY(QTest::qWaitFor([&c] { return QApplication::activeWindow() == &c.main; }));
        QWidget* fuoco = QApplication::focusWidget();
        QVERIFY(fuoco && d->isAncestorOf(fuoco) && fuoco != d->FrameControlli->lstControlli);
        if (r->campo == CampoRilievo::Fonti || r->campo == CampoRilievo::Classificazione) {
            QListWidget* lista = r->campo == CampoRilievo::Fonti ? d->lstFonte : d->lstClassificazione;
            QCOMPARE(fuoco, lista);
            QCOMPARE(lista->currentRow(), r->voce);
        }
        // The viewer stays open, on its line, for the next one.
        QVERIFY(f->isVisible());
        QCOMPARE(rigaCorrente(f), riga);
        QVERIFY2(c.t.dialogs().shown().empty(), qPrintable(c.t.dialogs().texts().join('|')));
        if (QTest::currentDataTag() == QLatin1String("solo Fonte errata, third")) {
            saveScreenshot(f, QStringLiteral("frmWndErrori-solo-fonte-errata"));
            saveScreenshot(&c.main, QStringLiteral("frmWndErrori-documento-al-rilievo"));
        }
    }

    // A line whose document has been deleted since the run: the operator is told, nothing else
    // happens (the document window open stays as it was, with its unsaved work, unasked).
    void aLineOfADeletedDocument() {
        Consegna c;
        frmWndErrori* f = c.vedi(QStringLiteral("fonti"));
        QVERIFY(f && f->scegliRegola(QStringLiteral("Fonte errata")));
        const QString aperta = invioSu(f, QStringLiteral("Fonte errata"), 0);
        frmDocumento* d = c.documento();
        QVERIFY(d);
        d->txtPagine->setText(QStringLiteral("1-99"));
        const qint64 primo = DocumentoRilievo(aperta).value();
        const int riga = rigaDiAltroDocumento(f, QStringLiteral("Fonte errata"), primo);
        QVERIFY(riga >= 0);
        const qint64 cancellato = DocumentoRilievo(f->txtErrori->textLine(riga)).value();
        CancellaDocumenti(c.t.state().Connessione, {cancellato});
        vaiAllaRiga(f, riga);
        QTest::keyClick(f->txtErrori, Qt::Key_Return);
        QCOMPARE(
            c.t.dialogs().texts(),
            QStringList{QStringLiteral("Il documento %1 non è più nell'archivio: l'elenco è di un controllo "
                                       "precedente. Eseguire di nuovo i controlli per aggiornarlo.")
                            .arg(cancellato)});
        QCOMPARE(c.finestreDocumento(), 1);
        QCOMPARE(c.documento(), d);
        QCOMPARE(d->buffer().IDDocCorrente, primo);
        QCOMPARE(d->txtPagine->text(), QStringLiteral("1-99"));
        QVERIFY(f->isVisible());
    }

    // The document window open with unsaved work when another line is chosen: asked as when it is
    // closed; kept on Annulla, dropped on No, saved on Sì. Its own document is not asked for again.
    void unsavedWorkIsNotLost_data() {
        QTest::addColumn<bool>("stesso");
        QTest::addColumn<int>("risposta");   // Answer
        QTest::addColumn<bool>("resta");     // the window stays on the first document
        QTest::addColumn<QString>("pagine"); // stored for the first document afterwards: empty, as before
        QTest::newRow("same document") << true << -1 << true << "";
        QTest::newRow("other, Annulla") << false << int(Answer::Cancel) << true << "";
        QTest::newRow("other, No") << false << int(Answer::No) << false << "";
        QTest::newRow("other, Sì") << false << int(Answer::Yes) << false << "1-99";
    }

    void unsavedWorkIsNotLost() {
        QFETCH(bool, stesso);
        QFETCH(int, risposta);
        QFETCH(bool, resta);
        QFETCH(QString, pagine);
        Consegna c;
        frmWndErrori* f = c.vedi(QStringLiteral("fonti"));
        QVERIFY(f);
        const QString prima = invioSu(f, QStringLiteral("Fonte errata"), 0);
        const qint64 primo = DocumentoRilievo(prima).value();
        const auto pagineSalvate = [&] {
            RecordSet rs = c.t.state().Connessione.ApriRS(
                QStringLiteral("select Pagine from tabDocumento where IDDocumento = ?"), {primo});
            return rs.field(0).toString();
        };
        const QString salvate = pagineSalvate();
        frmDocumento* d = c.documento();
        d->txtPagine->setText(QStringLiteral("1-99"));
        const int riga = stesso ? f->txtErrori->textLineOf(f->txtErrori->currentIndex().row())
                                : rigaDiAltroDocumento(f, QStringLiteral("Fonte errata"), primo);
        QVERIFY(riga >= 0);
        if (risposta >= 0)
            c.t.dialogs().answerNext(static_cast<Answer>(risposta));
        vaiAllaRiga(f, riga);
        QTest::keyClick(f->txtErrori, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(c.t.dialogs().allAnswersUsed());
        QCOMPARE(c.t.dialogs().shown().empty(), risposta < 0);
        if (risposta >= 0)
            QCOMPARE(
                c.t.dialogs().shown().front().text,
                QStringLiteral("Il documento %1 è stato modificato: salvarlo prima di chiudere?").arg(primo));
        QCOMPARE(c.finestreDocumento(), 1);
        frmDocumento* dopo = c.documento();
        const qint64 atteso = resta ? primo : DocumentoRilievo(f->txtErrori->textLine(riga)).value();
        QCOMPARE(dopo->buffer().IDDocCorrente, atteso);
        if (resta)
            QCOMPARE(dopo->txtPagine->text(), QStringLiteral("1-99"));
        QCOMPARE(pagineSalvate(), pagine.isEmpty() ? salvate : pagine);
        if (stesso)
            QCOMPARE(rilievoScelto(dopo), prima);
    }

    // One window per list: chosen again it is the same window, on the list as it is now, with its
    // rule; Esc closes it; the archive's closing closes every one.
    void oneWindowPerListThatGoesWithTheArchive() {
        Consegna c;
        QPointer<frmWndErrori> fonti = c.vedi(QStringLiteral("fonti"));
        QVERIFY(fonti && fonti->scegliRegola(QStringLiteral("Fonte errata")));
        QCOMPARE(c.vedi(QStringLiteral("fonti")), fonti.data());
        QCOMPARE(fonti->regolaScelta(), QStringLiteral("Fonte errata"));
        QPointer<frmWndErrori> generali = c.vedi(QStringLiteral("generali"));
        QVERIFY(generali && generali != fonti);
        QCOMPARE(generali->titolo(), QStringLiteral("Errori generici"));
        QTest::keyClick(generali->txtErrori, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(generali.isNull());
        QVERIFY(fonti);
        c.main.mnuFileChiudi->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(fonti.isNull());
    }
};

QTEST_MAIN(ErrorViewer)
#include "tst_gui_error_viewer.moc"
