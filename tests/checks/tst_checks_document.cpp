// The rules on one document: on a generated archive the findings of each document, stored or loaded
// into the window's buffer, are its lines of the check run's three lists; the buffer is read as the
// save would store it; the save's box, "Scegli documento"'s marks and check --doc.

#include "checks/Controlli.h"
#include "checks/FixtureControlli.h"
#include "documents/ControlliDocumento.h"
#include "documents/DocumentListModel.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "generator/Generatore.h"
#include "store/Archivio.h"
#include "store/Numeri.h"
#include "support/CliRun.h"

#include <QRegularExpression>
#include <functional>

using namespace editor_test;

struct Caso {
    std::function<void(DocumentBuffer&, DatiDocumento&)> modifica;
};
Q_DECLARE_METATYPE(Caso)

namespace {

// The lines of the three lists by document, each list's lines in their order.
using RighePerDocumento = QMap<qint64, std::array<QStringList, 3>>;

RighePerDocumento righePerDocumento(const FileErrori& f) {
    static const QRegularExpression numero(QStringLiteral("\\(rec\\. (\\d+)\\)$"));
    RighePerDocumento out;
    const QString files[] = {f.generali, f.classe, f.fonti};
    for (int i = 0; i < 3; ++i)
        for (const QString& riga : readTextLines(files[i], TextEncoding::Windows1252)) {
            if (riga.isEmpty())
                continue;
            const QRegularExpressionMatch m = numero.match(riga);
            if (!m.hasMatch())
                qFatal("line without document: %s", qPrintable(riga));
            out[m.captured(1).toLongLong()][static_cast<size_t>(i)] << riga;
        }
    return out;
}

std::array<QStringList, 3> perElenco(const QList<Rilievo>& rilievi) {
    std::array<QStringList, 3> out;
    for (const Rilievo& r : rilievi)
        out[static_cast<size_t>(r.elenco)] << r.testo;
    return out;
}

QStringList testi(const QList<Rilievo>& rilievi) {
    QStringList out;
    for (const Rilievo& r : rilievi)
        out << r.testo;
    return out;
}


// A document of the editor fixture that passes every rule: an author, summary and table of
// contents for TAbs 500, a valid pair, a law of the catalogue.
void documentoPulito(DocumentBuffer& b, DatiDocumento&) {
    b.ElencoResponsabilita = {VoceResponsabilita{0, "Rossi", "Mario", true, false}};
    b.TestoRiassunto = "Riassunto";
    b.TestoSommario = "Sommario";
    b.ElencoClassificazione = {VoceClassificazione{0, "T1.1", "TD001", 0, false}};
    VoceFonte legge;
    legge.TP = "LIO";
    legge.NomeFonte = "l.";
    legge.giorno = "15";
    legge.mese = "marzo";
    legge.anno = "1990";
    legge.numero = "22";
    legge.testo = "l. 15 marzo 1990, n. 22";
    b.ElencoFonti = {legge};
}

VoceFonte fonteInterna(const QString& tp, const QString& nome, const QString& numero, const QString& testo) {
    VoceFonte v;
    v.TP = tp;
    v.NomeFonte = nome;
    v.giorno = "1";
    v.mese = "gennaio";
    v.anno = "2000";
    v.numero = numero;
    v.testo = testo;
    return v;
}

} // namespace

class ChecksDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every document of a generated archive, with the generator's share of errors: its findings,
    // read from the stored rows and from the window's buffer after a load, are its lines of the
    // three lists, line for line.
    void generatedArchiveAgreesWithTheRun() {
        TestHome t;
        const QString path = t.home().mdbPath("GEN.db");
        GeneraArchivio(t.state(), path, OpzioniGeneratore{3000, 11});
        QVERIFY(t.open(path));
        const RighePerDocumento run = righePerDocumento(EseguiControlli(t.state()));
        const ListeDocumento liste = CaricaListe(t.state().Connessione, QDate::currentDate());
        int conRilievi = 0;
        int inTuttiGliElenchi = 0;
        for (qint64 id = 1; id <= 3000; ++id) {
            const std::array<QStringList, 3> attese = run.value(id);
            const std::optional<EsitoControlli> archivio = RilieviDocumento(t.state(), id);
            QVERIFY(archivio && archivio->completo());
            QCOMPARE(perElenco(archivio->rilievi), attese);
            // In list order, as check --doc prints them.
            QCOMPARE(testi(archivio->rilievi), attese[0] + attese[1] + attese[2]);

            DocumentBuffer b;
            b.IDDocCorrente = id;
            DatiDocumento d;
            PreparaDati(d, liste);
            const EsitoCaricamento caricato =
                CaricaDocumento(t.state().Connessione, t.state().Mesi, liste, b, d);
            QVERIFY2(caricato.caricato, qPrintable(caricato.errore));
            const EsitoControlli finestra = ControllaFinestra(t.state(), b, d);
            QVERIFY2(finestra.completo(), qPrintable(finestra.interruzione));
            QCOMPARE(finestra.rilievi, archivio->rilievi);
            conRilievi += archivio->rilievi.isEmpty() ? 0 : 1;
            inTuttiGliElenchi += !attese[0].isEmpty() && !attese[1].isEmpty() && !attese[2].isEmpty();
        }
        QVERIFY(run.lastKey() <= 3000);
        QVERIFY2(
            conRilievi > 100 && inTuttiGliElenchi > 0,
            qPrintable(QString("%1 with findings, %2 in all lists").arg(conRilievi).arg(inTuttiGliElenchi)));
    }

    // The run reads all documents' links in one pass: links of documents that are not there (before,
    // between and after them), a link to a source that is not there and texts in any order are read
    // as a single document's reading reads them.
    void runReadsTheLinksAsOneDocumentDoes() {
        TestHome t;
        ArchivioProva a(t);
        Doc senzaFonte;
        senzaFonte.id = 2;
        senzaFonte.senzaFonti = true;
        a.documento(senzaFonte);
        a.db().EseguiIstruzione(
            QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (2, 9999)"));
        Doc tradotto;
        tradotto.id = 4;
        tradotto.lin = QStringLiteral("01");
        tradotto.tabs = QStringLiteral("500");
        tradotto.coppie = {{"S1", "D9", 1}, {"S2", "D2", 0}, {"S3", "A1", 3}};
        tradotto.fonti = {
            a.fonteInterna("GICA", "Cass.", QVariant(), "3", "4", "2001", "Cass. 3 aprile 2001"),
            a.fonteInterna("LIO", "l.", "22", "15", "3", "1990", "l. 15 marzo 1990, n. 22")};
        a.documento(tradotto);
        // Kinds out of order, two title translations (the first is read), an English abstract.
        a.testo(4, "8", "Abstract");
        a.testo(4, "3", "[Title]");
        a.testo(4, "3", "Other title");
        a.testo(4, " 1", "Riassunto");
        for (const qint64 orfano : {1, 3, 5}) {
            a.testo(orfano, "4", "Nota");
            for (const char* sql : {"insert into legameDocResp (IDDoc, IDResponsabilita) values (?, 1)",
                                    "insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values "
                                    "(?, 'S', 'D', 1)",
                                    "insert into legameDocFonte (IDDoc, IDFonte) values (?, 1)"})
                a.db().EseguiIstruzione(QString::fromUtf8(sql), {orfano});
        }
        const RighePerDocumento run = righePerDocumento(EseguiControlli(t.state()));
        // Document 2 cites a source, though one that is not there: nothing to find.
        QCOMPARE(run.keys(), QList<qint64>({4}));
        for (const qint64 id : {2, 4}) {
            const std::optional<EsitoControlli> uno = RilieviDocumento(t.state(), id);
            QVERIFY(uno && uno->completo());
            QCOMPARE(run.value(id), perElenco(uno->rilievi));
        }
        QVERIFY(run.value(4)[0].contains("Traduzione immessa dal compilatore (rec. 4)"));
        QCOMPARE(run.value(4)[2], QStringList({"Senza numero: Cass. 3 aprile 2001 (rec. 4)",
                                               "Fonte errata: l. 15 marzo 1990, n. 22 (rec. 4)"}));
    }

    // What the window shows before saving is what the run finds once the document is saved.
    void bufferIsReadAsTheSaveStoresIt_data() {
        QTest::addColumn<Caso>("caso");
        QTest::addColumn<QStringList>("attese");
        const auto caso = [](std::function<void(DocumentBuffer&, DatiDocumento&)> f) { return Caso{f}; };
        QTest::newRow("nothing to find") << caso([](DocumentBuffer&, DatiDocumento&) {}) << QStringList{};
        QTest::newRow("pages 0") << caso([](DocumentBuffer&, DatiDocumento& d) { d.txtPagine = " 0"; })
                                 << QStringList{"Manca indicazione pagine (rec. 1)"};
        QTest::newRow("no TD, so no note either") << caso([](DocumentBuffer&, DatiDocumento& d) {
            d.ComboTD = {0, "Tipo documento"};
        }) << QStringList{"Manca indicazione TD (rec. 1)", "Manza nota con TD <> 01 (rec. 1)"};
        QTest::newRow("a kept code is a code") << caso([](DocumentBuffer&, DatiDocumento& d) {
            d.ComboBib = {0, "Tipo bibliografia"};
            d.conservati.Bib = "9";
        }) << QStringList{};
        QTest::newRow("the only author deleted")
            << caso([](DocumentBuffer& b, DatiDocumento&) { b.ElencoResponsabilita[0].Cancellata = true; })
            << QStringList{"Manca responsabilità (rec. 1)"};
        QTest::newRow("a summary of breaks and tabs is not stored")
            << caso([](DocumentBuffer& b, DatiDocumento&) { b.TestoRiassunto = "\r\n\t"; })
            << QStringList{"TAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 1)"};
        QTest::newRow("TAbs 500 with summary and In tema di") << caso([](DocumentBuffer& b, DatiDocumento&) {
            b.TestoSommario.clear();
            b.TestoInTemaDi = "In tema di";
        }) << QStringList{};
        QTest::newRow("no text at all")
            << caso([](DocumentBuffer& b, DatiDocumento& d) {
                   b.TestoRiassunto.clear();
                   b.TestoSommario.clear();
                   d.txtTitolo.clear();
               })
            << QStringList{"Mancano tutte le tipologie di testo (rec. 1)",
                           "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 1)"};
        QTest::newRow("English abstract with the compiler's translation")
            << caso([](DocumentBuffer& b, DatiDocumento&) {
                   b.TestoEnglishAbstract = "Abstract";
                   b.TestoTraduzione = "[Title]";
               })
            << QStringList{"Traduzione immessa dal compilatore (rec. 1)"};
        QTest::newRow("English abstract without translation")
            << caso([](DocumentBuffer& b, DatiDocumento&) { b.TestoEnglishAbstract = "Abstract"; })
            << QStringList{"Manca traduzione (rec. 1)"};
        QTest::newRow("foreign language without translation") << caso([](DocumentBuffer&, DatiDocumento& d) {
            d.ComboLIN = {2, "01|inglese"};
        }) << QStringList{"Lingua straniera - manca traduzione titolo (rec. 1)"};
        QTest::newRow("independent contribution with a note")
            << caso([](DocumentBuffer&, DatiDocumento& d) { d.txtNota = "Nota"; })
            << QStringList{"Contributo indipendente e presenza nota (rec. 1)"};
        QTest::newRow("pairs: a deleted one is not stored")
            << caso([](DocumentBuffer& b, DatiDocumento&) {
                   b.ElencoClassificazione << VoceClassificazione{0, "T1.2", "TD003", 1, false}
                                           << VoceClassificazione{0, "T1.2", "AT009", 3, true}
                                           << VoceClassificazione{0, "T1.2", "AT002", 2, false};
               })
            << QStringList{"Coppia non valida: T1.2; TD003(rec. 1)",
                           "Coppia asteriscata valida: T1.2; AT002(rec. 1)"};
        QTest::newRow("every pair deleted")
            << caso([](DocumentBuffer& b, DatiDocumento&) { b.ElencoClassificazione[0].Cancellata = true; })
            << QStringList{"Manca classificazione (rec. 1)"};
        QTest::newRow("law not in the catalogue") << caso([](DocumentBuffer& b, DatiDocumento&) {
            b.ElencoFonti << fonteInterna("LIO", "l.", "23", "l. 1 gennaio 2000, n. 23");
        }) << QStringList{"Fonte errata: l. 1 gennaio 2000, n. 23 (rec. 1)"};
        QTest::newRow("constitutional court")
            << caso([](DocumentBuffer& b, DatiDocumento&) {
                   b.ElencoFonti << fonteInterna("GICO", "C. Cost.", "1000", "C. cost. 1000/2000")
                                 << fonteInterna("GICO", "C. Cost.", "999", "C. cost. 999/2000")
                                 << fonteInterna("GICA", "Cass.", "", "Cass. 1 gennaio 2000");
               })
            << QStringList{"GICA con numero >= 1000: C. cost. 1000/2000 (rec. 1)",
                           "Senza numero: Cass. 1 gennaio 2000 (rec. 1)"};
        QTest::newRow("a deleted law and an act of another family")
            << caso([](DocumentBuffer& b, DatiDocumento&) {
                   VoceFonte cancellata = fonteInterna("LIO", "l.", "23", "l. 23");
                   cancellata.Cancellata = true;
                   b.ElencoFonti << cancellata << fonteInterna("LIR", "l.", "23", "l. r. 23");
               })
            << QStringList{};
        QTest::newRow("every source deleted")
            << caso([](DocumentBuffer& b, DatiDocumento&) { b.ElencoFonti[0].Cancellata = true; })
            << QStringList{"Manca fonte (rec. 1)"};
        QTest::newRow("royal decree of 2000")
            << caso([](DocumentBuffer& b, DatiDocumento&) {
                   b.ElencoFonti << fonteInterna("LIO", "r.d.", "5", "r.d. 1 gennaio 2000, n. 5");
               })
            << QStringList{
                   "Fonte con data impossibile per il tipo di atto: r.d. 1 gennaio 2000, n. 5 (rec. 1)",
                   "Fonte errata: r.d. 1 gennaio 2000, n. 5 (rec. 1)"};
        QTest::newRow("implementing regulation of 2000")
            << caso([](DocumentBuffer& b, DatiDocumento&) {
                   b.ElencoFonti << fonteInterna("NIC", "Reg. esecuzione UE", "12",
                                                 "Reg. esecuzione UE 2000/12");
               })
            << QStringList{
                   "Fonte con data impossibile per il tipo di atto: Reg. esecuzione UE 2000/12 (rec. 1)"};
        QTest::newRow("a kept journal code is a reference") << caso([](DocumentBuffer&, DatiDocumento& d) {
            d.cmbCPer = {0, "CPer"};
            d.conservati.CPer = "TST2";
        }) << QStringList{};
    }

    void bufferIsReadAsTheSaveStoresIt() {
        QFETCH(Caso, caso);
        QFETCH(QStringList, attese);
        TestHome t;
        inserisciCatalogo(t, {{"l. 15 marzo 1990, n. 22", "1990-03-15", "22", "l."}});
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        documentoPulito(b, d);
        caso.modifica(b, d);
        const EsitoControlli finestra = ControllaFinestra(t.state(), b, d);
        QVERIFY2(finestra.completo(), qPrintable(finestra.interruzione));
        QCOMPARE(testi(finestra.rilievi), attese);

        QVERIFY(ScriviDocumento(t.state().Connessione, b, d).salvato());
        QCOMPARE(testi(RilieviDocumento(t.state(), 1).value().rilievi), attese);
        // Saved again, an existing document: its links are rewritten, the findings stay.
        QVERIFY(ScriviDocumento(t.state().Connessione, b, d).salvato());
        QCOMPARE(testi(ControllaFinestra(t.state(), b, d).rilievi), attese);
        QCOMPARE(testi(RilieviDocumento(t.state(), 1).value().rilievi), attese);
    }

    // What a finding points at in the window, and the order of the lists.
    void findingsSayWhereTheyAre() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(4);
        DatiDocumento d = a.dati(4);
        documentoPulito(b, d);
        d.cmbCPer = {0, "CPer"};
        b.ElencoClassificazione.prepend(VoceClassificazione{0, "T1.2", "TD003", 1, true});
        b.ElencoClassificazione << VoceClassificazione{0, "T1.2", "TD003", 1, false};
        b.ElencoFonti.prepend(fonteInterna("GICO", "C. Cost.", "", "C. cost. 2000"));
        b.TestoSommario.clear();
        const EsitoControlli e = ControllaFinestra(t.state(), b, d);
        // No catalogue act: the law of the clean document is reported too.
        using R = RegolaRilievo;
        const QList<Rilievo> attesi{
            {ElencoErrori::Generali, "Manca rif. bibliografico (rec. 4)", CampoRilievo::Rivista, -1,
             R::MancaRiferimento},
            {ElencoErrori::Generali, "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 4)",
             CampoRilievo::Sommario, -1, R::TAbs500},
            {ElencoErrori::Classificazione, "Coppia non valida: T1.2; TD003(rec. 4)",
             CampoRilievo::Classificazione, 2, R::CoppiaNonValida},
            {ElencoErrori::Fonti, "Senza numero: C. cost. 2000 (rec. 4)", CampoRilievo::Fonti, 0, R::SenzaNumero},
            {ElencoErrori::Fonti, "Fonte errata: l. 15 marzo 1990, n. 22 (rec. 4)", CampoRilievo::Fonti, 1,
             R::FonteErrata},
        };
        QCOMPARE(e.rilievi, attesi);
        QCOMPARE(ContaRilievi(1), QStringLiteral("1 rilievo"));
        QCOMPARE(ContaRilievi(5), QStringLiteral("5 rilievi"));
        // Counts in the windows are written the Italian way.
        QCOMPARE(ContaRilievi(2056), QStringLiteral("2.056 rilievi"));
        for (const auto& [n, scritto] : QList<std::pair<qint64, const char*>>{
                 {0, "0"}, {999, "999"}, {1000, "1.000"}, {30000, "30.000"}, {-1234567, "-1.234.567"}})
            QCOMPARE(NumeroItaliano(n), QString::fromUtf8(scritto));
    }

    // Without its catalogue the rules stop at the first law: what was found is kept and the reason
    // is told; no box, no exception reaches the window.
    void missingCatalogueStopsAtTheFirstLaw() {
        TestHome t;
        QVERIFY(QFile::remove(t.home().cataloguePath()));
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        documentoPulito(b, d);
        b.ElencoResponsabilita.clear();
        const EsitoControlli e = ControllaFinestra(t.state(), b, d);
        QVERIFY(!e.completo());
        QVERIFY2(e.interruzione.contains("catalogo"), qPrintable(e.interruzione));
        QCOMPARE(testi(e.rilievi), QStringList{"Manca responsabilità (rec. 1)"});
        QVERIFY(t.dialogs().shown().empty());
    }

    // "Documento salvato!" alone when nothing is left, else one more line with the count.
    void saveBoxTellsTheFindingsLeft_data() {
        QTest::addColumn<Caso>("caso");
        QTest::addColumn<QString>("box");
        QTest::newRow("none") << Caso{[](DocumentBuffer&, DatiDocumento&) {}}
                              << QString("Documento salvato!");
        QTest::newRow("one") << Caso{[](DocumentBuffer& b, DatiDocumento&) {
            b.ElencoResponsabilita.clear();
        }}
                             << QString(
                                    "Documento salvato!\nResta 1 rilievo dei controlli: vedere il riquadro "
                                    "\"Controlli\" della finestra.");
        QTest::newRow("three")
            << Caso{[](DocumentBuffer& b, DatiDocumento& d) {
                   b.ElencoResponsabilita.clear();
                   d.txtPagine = "0";
                   b.ElencoClassificazione.clear();
               }}
            << QString(
                   "Documento salvato!\nRestano 3 rilievi dei controlli: vedere il riquadro \"Controlli\" "
                   "della finestra.");
    }

    void saveBoxTellsTheFindingsLeft() {
        QFETCH(Caso, caso);
        QFETCH(QString, box);
        TestHome t;
        inserisciCatalogo(t, {{"l. 15 marzo 1990, n. 22", "1990-03-15", "22", "l."}});
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        documentoPulito(b, d);
        caso.modifica(b, d);
        QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::Salvato);
        QCOMPARE(t.dialogs().texts(), QStringList{box});
    }

    // "Scegli documento": each entry knows its document's count once asked, and says it.
    void listMarks() {
        TestHome t;
        inserisciCatalogo(t, {{"l. 15 marzo 1990, n. 22", "1990-03-15", "22", "l."}});
        Archivio a(t);
        for (qint64 id = 1; id <= 3; ++id) {
            DocumentBuffer b = Archivio::nuovo(id);
            DatiDocumento d = a.dati(id);
            documentoPulito(b, d);
            if (id == 2) {
                b.ElencoResponsabilita.clear();
                d.txtPagine = "0";
            }
            if (id == 3)
                b.ElencoFonti << fonteInterna("LIO", "l.", "1", "l. 1/2000");
            QVERIFY(ScriviDocumento(t.state().Connessione, b, d).salvato());
        }
        DocumentListModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m.carica(t.state());
        QCOMPARE(m.index(1).data(DocumentListModel::RuoloRilievi).toInt(), -1);
        QCOMPARE(m.index(1).data(Qt::ToolTipRole), QVariant());
        m.mostraRilievi(true);
        QCOMPARE(m.index(0).data(DocumentListModel::RuoloRilievi).toInt(), 0);
        QCOMPARE(m.index(1).data(DocumentListModel::RuoloRilievi).toInt(), 2);
        QCOMPARE(m.index(2).data(DocumentListModel::RuoloRilievi).toInt(), 1);
        QCOMPARE(m.index(0).data(Qt::ToolTipRole).toString(), QStringLiteral("Nessun rilievo dei controlli"));
        QCOMPARE(m.index(1).data(Qt::ToolTipRole).toString(), QStringLiteral("2 rilievi dei controlli"));
        QCOMPARE(m.index(1).data().toString(), m.voce(1));

        // A document the rules cannot finish is marked as such, with the reason.
        ChiudiCatalogo(t.state());
        QVERIFY(QFile::remove(t.home().cataloguePath()));
        m.carica(t.state());
        QCOMPARE(m.rilievi(1), -2);
        QVERIFY(m.index(1).data(Qt::ToolTipRole).toString().startsWith("Controlli non eseguiti: "));
    }

    void cliCheckOneDocument() {
        TestHome t;
        inserisciCatalogo(t, {{"l. 15 marzo 1990, n. 22", "1990-03-15", "22", "l."}});
        Archivio a(t);
        for (qint64 id = 1; id <= 2; ++id) {
            DocumentBuffer b = Archivio::nuovo(id);
            DatiDocumento d = a.dati(id);
            documentoPulito(b, d);
            if (id == 2) {
                b.ElencoResponsabilita.clear();
                b.ElencoClassificazione << VoceClassificazione{0, "T1.2", "TD003", 1, false};
                b.ElencoFonti.prepend(fonteInterna("LIO", "l.", "1", "l. 1/2000"));
            }
            QVERIFY(ScriviDocumento(t.state().Connessione, b, d).salvato());
        }
        const QString archivio = t.state().NomeArchivio;
        ChiudiCatalogo(t.state());
        ChiudiArchivio(t.state());

        CliRun r = cli({"--home", t.root(), "check", archivio, "--doc", "2"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out,
                 QStringLiteral("Manca responsabilità (rec. 2)\nCoppia non valida: T1.2; TD003(rec. 2)\n"
                                "Fonte errata: l. 1/2000 (rec. 2)\n"));
        r = cli({"--home", t.root(), "check", archivio, "--doc", "1"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QString());
        // No list is written for one document.
        QVERIFY(!QFileInfo::exists(t.home().dumpPath("errori.12")));

        r = cli({"--home", t.root(), "check", archivio, "--doc", "9"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("non è presente"));
        r = cli({"--home", t.root(), "check", archivio, "--doc", "due"});
        QCOMPARE(r.code, 2);
        r = cli({"--home", t.root(), "check", archivio, "--doc"});
        QCOMPARE(r.code, 2);
    }
};

QTEST_GUILESS_MAIN(ChecksDocument)
#include "tst_checks_document.moc"
