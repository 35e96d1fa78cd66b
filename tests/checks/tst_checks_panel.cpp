// Where a delivery stands, as the main window's panel shows it, without a display: the values on
// the demo archive through a check, a print, a viewed list and a save; when the last check's lists
// are to be redone and when they are not; an archive without its tabInfo row.

#include "FixtureControlli.h"
#include "checks/AggiornaInfo.h"
#include "checks/Controlli.h"
#include "checks/ImprontaControllo.h"
#include "checks/StatoConsegna.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "printouts/StampaConsegna.h"
#include "printouts/StampaConsistenza.h"
#include "store/Archivio.h"

#include <QtTest>

namespace {

StatoPasso passo(const StatoConsegna& s, const QString& codice) {
    for (const PassoConsegna& p : s.passi)
        if (p.codice == codice)
            return p.stato;
    qFatal("no step %s", qPrintable(codice));
}

QStringList fatti(const StatoConsegna& s) {
    QStringList out;
    for (const PassoConsegna& p : s.passi)
        if (p.stato == StatoPasso::Fatto)
            out << p.codice;
    return out;
}

qint64 righePiene(const QString& path, TextEncoding encoding) {
    qint64 n = 0;
    for (const QString& r : readTextLines(path, encoding))
        n += r.trimmed().isEmpty() ? 0 : 1;
    return n;
}

// Loads a document of the open archive, changes its title and saves it as the window does.
void salvaConTitolo(AppState& state, qint64 id, const QString& titolo) {
    const ListeDocumento liste = CaricaListe(state.Connessione, QDate::currentDate());
    DocumentBuffer buffer;
    DatiDocumento dati;
    PreparaDati(dati, liste);
    dati.txtID = QString::number(id);
    buffer.IDDocCorrente = id;
    const EsitoCaricamento caricato = CaricaDocumento(state.Connessione, state.Mesi, liste, buffer, dati);
    if (!caricato.caricato)
        qFatal("document %lld not loaded: %s", id, qPrintable(caricato.errore));
    dati.txtTitolo = titolo;
    if (!ScriviDocumento(state.Connessione, buffer, dati).salvato())
        qFatal("document %lld not saved", id);
}

} // namespace

class ChecksPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void demoThroughCheckPrintViewAndSave();
    void flagsAsJetWroteThem_data();
    void flagsAsJetWroteThem();
    void listsOfAnotherArchiveAreToBeRedone();
    void aCheckThatStopsLeavesNoCurrentLists();
    void listsChangedSinceTheCheck();
    void readOnlyArchiveKeepsItsLists();
    void archiveWithoutItsInfoRow();
    void stepsDoneBeforeAChangeAreToBeRedone_data();
    void stepsDoneBeforeAChangeAreToBeRedone();
    void unreadableArchiveIsDescribed();
};

void ChecksPanel::demoThroughCheckPrintViewAndSave() {
    TestHome t;
    AppState& state = t.state();
    QVERIFY(t.open(t.createDemo()));

    // Before any run.
    StatoConsegna s = LeggiStatoConsegna(state);
    QVERIFY(s.errore.isEmpty());
    QVERIFY(s.informazioni);
    QCOMPARE(s.consegna, state.Consegna());
    QCOMPARE(s.centro, state.IDCentroSpoglio());
    QCOMPARE(s.anno, state.AnnoProduzione());
    QCOMPARE(s.numInizio, state.Info[InfoNumInizio]);
    QCOMPARE(s.primoDocumento, IdentificativoDocumento(state, state.NumInizio()));
    QCOMPARE(s.archivio, state.NomeArchivio);
    QVERIFY(s.documenti > 0);
    QVERIFY(!s.controllato);
    QVERIFY(!s.daRifare);
    QVERIFY(fatti(s).isEmpty());
    QCOMPARE(s.prossimo(), 0);
    QCOMPARE(s.passi.size(), 9);

    // The documents and issues are those of the consistency report.
    const EsitoStampa consistenza = StampaConsistenza(state);
    QVERIFY(consistenza.ok);
    const QStringList righe = readTextLines(consistenza.path, state.encoding());
    QCOMPARE(s.fascicoli, righe.filter(QStringLiteral("###")).size());
    QVERIFY(righe.join(u'\n').contains(QStringLiteral("Num. docc.: %1").arg(s.documenti)));
    s = LeggiStatoConsegna(state);
    QCOMPARE(fatti(s), QStringList({QStringLiteral("5")}));

    // The check: its lists, their findings and time; current.
    const QDateTime primaDelControllo = QDateTime::currentDateTime().addSecs(-2);
    const FileErrori elenchi = EseguiControlli(state);
    s = LeggiStatoConsegna(state);
    QVERIFY(s.controllato);
    QVERIFY(!s.daRifare);
    QCOMPARE(passo(s, "1"), StatoPasso::Fatto);
    QCOMPARE(s.elenchi[0].percorso, elenchi.generali);
    QCOMPARE(s.elenchi[1].percorso, elenchi.classe);
    QCOMPARE(s.elenchi[2].percorso, elenchi.fonti);
    QCOMPARE(s.elenchi[0].segnalazioni, righePiene(elenchi.generali, state.encoding()));
    QCOMPARE(s.elenchi[1].segnalazioni, righePiene(elenchi.classe, state.encoding()));
    QCOMPARE(s.elenchi[2].segnalazioni, righePiene(elenchi.fonti, state.encoding()));
    QVERIFY(s.elenchi[0].segnalazioni > 0); // the demo carries cataloguing errors on purpose
    QVERIFY(s.oraControllo >= primaDelControllo && s.oraControllo <= QDateTime::currentDateTime());
    QCOMPARE(s.prossimo(), 1);

    // A print and a viewed list record themselves in the archive: the lists stay current.
    QVERIFY(StampaConsegna(state, true, false).ok);
    MostraErrori(state, QStringLiteral("7"), QStringLiteral("errori."), QStringLiteral("Errori generici"),
                 [](const QString&) {});
    s = LeggiStatoConsegna(state);
    QCOMPARE(fatti(s), QStringList({"1", "7", "3", "5"}));
    QVERIFY(!s.daRifare);
    QCOMPARE(s.prossimo(), 2);

    // A saved document: the check is to be redone, and is the next step.
    salvaConTitolo(state, 1, QStringLiteral("Titolo corretto dopo il controllo"));
    s = LeggiStatoConsegna(state);
    QVERIFY(s.daRifare);
    QVERIFY(s.archivioModificato);
    QCOMPARE(passo(s, "1"), StatoPasso::DaRifare);
    QCOMPARE(s.prossimo(), 0);
    // ... and stays so through the bookkeeping of other runs.
    QVERIFY(StampaConsegna(state, false, false).ok);
    QVERIFY(LeggiStatoConsegna(state).daRifare);

    // Checked again: current.
    EseguiControlli(state);
    s = LeggiStatoConsegna(state);
    QVERIFY(!s.daRifare);
    QCOMPARE(passo(s, "1"), StatoPasso::Fatto);
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void ChecksPanel::flagsAsJetWroteThem_data() {
    QTest::addColumn<QVariant>("valore");
    QTest::addColumn<bool>("fatto");
    QTest::newRow("1") << QVariant(QStringLiteral("1")) << true;
    QTest::newRow("-1 of Jet") << QVariant(QStringLiteral("-1")) << true;
    QTest::newRow("number -1") << QVariant(qint64(-1)) << true;
    QTest::newRow("empty") << QVariant(QString()) << false;
    QTest::newRow("0") << QVariant(QStringLiteral("0")) << false;
}

void ChecksPanel::flagsAsJetWroteThem() {
    QFETCH(QVariant, valore);
    QFETCH(bool, fatto);
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    t.state().Connessione.EseguiIstruzione(QStringLiteral("update tabInfo set StampaProspetto = ?"),
                                           {valore});
    QCOMPARE(passo(LeggiStatoConsegna(t.state()), "6"), fatto ? StatoPasso::Fatto : StatoPasso::DaFare);
}

void ChecksPanel::listsOfAnotherArchiveAreToBeRedone() {
    // Two deliveries numbered alike write the same lists in dump/.
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("A"));
    const QString b = t.createArchive(QStringLiteral("B"));
    QVERIFY(t.open(a));
    EseguiControlli(t.state());
    QVERIFY(!LeggiStatoConsegna(t.state()).daRifare);
    ChiudiArchivio(t.state());
    QVERIFY(t.open(b));
    StatoConsegna s = LeggiStatoConsegna(t.state());
    QVERIFY(s.controllato);
    QVERIFY(s.daRifare);
    QVERIFY(!s.archivioModificato);
    QCOMPARE(passo(s, "1"), StatoPasso::DaFare);
    EseguiControlli(t.state());
    QVERIFY(!LeggiStatoConsegna(t.state()).daRifare);
    // Now the lists are B's.
    ChiudiArchivio(t.state());
    QVERIFY(t.open(a));
    s = LeggiStatoConsegna(t.state());
    QVERIFY(s.daRifare);
    QCOMPARE(passo(s, "1"), StatoPasso::DaRifare);
}

void ChecksPanel::aCheckThatStopsLeavesNoCurrentLists() {
    TestHome t;
    ArchivioProva a(t);
    a.documento(Doc{});
    EseguiControlli(t.state());
    QVERIFY(!LeggiStatoConsegna(t.state()).daRifare);
    // The norms catalogue gone: the run stops at the first domestic source it must look up.
    a.db().EseguiIstruzione(QStringLiteral(
        "insert into tabFonte (IDFonte, TP, numero, giorno, mese, anno, testo, IDNomeFonte) "
        "select 900, 'LIO', '241', '7', '8', '1990', 'l. 7 agosto 1990, n. 241', IDFonteInterna "
        "from tabFonteInterna where FonteNorm = 'l.' limit 1"));
    Doc d;
    d.fonti = {900};
    a.documento(d);
    EseguiControlli(t.state());
    QVERIFY(!LeggiStatoConsegna(t.state()).daRifare);
    QVERIFY(QFile::rename(t.home().cataloguePath(), t.home().cataloguePath() + QStringLiteral(".via")));
    QVERIFY_THROWS_EXCEPTION(std::exception, EseguiControlli(t.state()));
    const StatoConsegna s = LeggiStatoConsegna(t.state());
    QVERIFY(s.daRifare);
}

void ChecksPanel::listsChangedSinceTheCheck() {
    TestHome t;
    ArchivioProva a(t);
    a.documento(Doc{});
    const FileErrori elenchi = EseguiControlli(t.state());
    QVERIFY(!LeggiStatoConsegna(t.state()).daRifare);
    // An editor, or another run, wrote the list since.
    QFile f(elenchi.classe);
    QVERIFY(f.open(QIODevice::Append));
    f.write("Coppia aggiunta a mano\r\n");
    f.close();
    const StatoConsegna s = LeggiStatoConsegna(t.state());
    QVERIFY(s.daRifare);
    QCOMPARE(s.elenchi[1].segnalazioni, 1);
}

void ChecksPanel::readOnlyArchiveKeepsItsLists() {
    TestHome t;
    ArchivioProva a(t);
    a.documento(Doc{});
    // tabInfo refuses every update, as a read-only archive would.
    a.db().EseguiIstruzione(QStringLiteral("create trigger solaLettura before update on tabInfo begin select "
                                           "raise(abort, 'sola lettura'); end"));
    EseguiControlli(t.state());
    QVERIFY(!t.state().infoNotRecorded.isEmpty());
    StatoConsegna s = LeggiStatoConsegna(t.state());
    QVERIFY(s.controllato);
    QVERIFY(!s.daRifare);
    QCOMPARE(passo(s, "1"), StatoPasso::DaFare);
    // The print cannot record itself; nothing else changed.
    QVERIFY(!AggiornaInfo(t.state(), QStringLiteral("3")));
    QVERIFY(!LeggiStatoConsegna(t.state()).daRifare);
}

void ChecksPanel::archiveWithoutItsInfoRow() {
    TestHome t;
    ArchivioProva a(t, QStringLiteral("12"));
    a.documento(Doc{});
    a.db().EseguiIstruzione(QStringLiteral("delete from tabInfo"));
    StatoConsegna s = LeggiStatoConsegna(t.state());
    QVERIFY(s.errore.isEmpty());
    QVERIFY(!s.informazioni);
    QVERIFY(s.consegna.isEmpty());
    QCOMPARE(s.documenti, 1);
    QVERIFY(fatti(s).isEmpty());
    // The run records nothing (no row to set), and reads Info as it was when the archive opened.
    t.dialogs().clear();
    EseguiControlli(t.state());
    s = LeggiStatoConsegna(t.state());
    QVERIFY(fatti(s).isEmpty());
    QCOMPARE(s.prossimo(), 0);
}

void ChecksPanel::stepsDoneBeforeAChangeAreToBeRedone_data() {
    QTest::addColumn<QString>("cambio");
    QTest::addColumn<bool>("daRifare");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("a save") << "save" << true;
    QTest::newRow("a save of another program") << "other" << true;
    QTest::newRow("a deletion") << "delete" << true;
    QTest::newRow("the bookkeeping of a run") << "run" << false;
}

void ChecksPanel::stepsDoneBeforeAChangeAreToBeRedone() {
    QFETCH(QString, cambio);
    QFETCH(bool, daRifare);
    TestHome t;
    AppState& state = t.state();
    QVERIFY(t.open(t.createDemo()));
    for (const PassoConsegna& p : PassiConsegna())
        QVERIFY(AggiornaInfo(state, p.codice));
    if (cambio == u"save") {
        salvaConTitolo(state, 2, QStringLiteral("Titolo nuovo"));
    } else if (cambio == u"other") {
        AppState altro(state.home, t.dialogs());
        QVERIFY(ApriArchivio(altro, state.NomeArchivio));
        salvaConTitolo(altro, 2, QStringLiteral("Titolo dell'altro"));
        ChiudiArchivio(altro);
    } else if (cambio == u"delete") {
        CancellaDocumenti(state.Connessione, {3});
    } else if (cambio == u"run") {
        QVERIFY(AggiornaInfo(state, QStringLiteral("4")));
    }
    StatoConsegna s = LeggiStatoConsegna(state);
    // The check's own lists are not there: that step is to be redone whatever happened.
    for (const PassoConsegna& p : s.passi.mid(1))
        QVERIFY2(p.stato == (daRifare ? StatoPasso::DaRifare : StatoPasso::Fatto), qPrintable(p.testo));
    // Done again after the change: done.
    QVERIFY(AggiornaInfo(state, QStringLiteral("3")));
    s = LeggiStatoConsegna(state);
    QCOMPARE(passo(s, "3"), StatoPasso::Fatto);
    QCOMPARE(passo(s, "6"), daRifare ? StatoPasso::DaRifare : StatoPasso::Fatto);
}

void ChecksPanel::unreadableArchiveIsDescribed() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    t.state().Connessione.EseguiIstruzione(QStringLiteral("drop table tabInfo"));
    const StatoConsegna s = LeggiStatoConsegna(t.state());
    QVERIFY(s.errore.startsWith(QStringLiteral("Lo stato della consegna non si può leggere.")));
    QVERIFY(s.errore.contains(QStringLiteral("Dettaglio tecnico")));
    QCOMPARE(s.archivio, t.state().NomeArchivio);
}

QTEST_GUILESS_MAIN(ChecksPanel)
#include "tst_checks_panel.moc"
