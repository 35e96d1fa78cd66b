// What a capture proposes for the document: the journal matched to tabRivisteOnline (by ISSN, then
// by title without case or accents, never guessed), the pages as the document writes them, the
// language's code, and the ticks: nothing the operator filled is overwritten unless ticked.

#include "capture/ProposteCattura.h"
#include "documents/EditorFixture.h"
#include "store/SezioniIni.h"

#include <QtTest>

using namespace editor_test;

namespace {

MetadatiArticolo articolo() {
    MetadatiArticolo m;
    m.titolo = QStringLiteral("La responsabilità del vettore");
    m.autori = {{QStringLiteral("Rossi"), QStringLiteral("Mario"), false},
                {QStringLiteral("de Santis"), QStringLiteral("Anna"), false}};
    m.curatori = {{QStringLiteral("Verdi"), QStringLiteral("Luca"), false}};
    m.rivista = QStringLiteral("Rivista di prova");
    m.data = {2024, 3, 0};
    m.fascicolo = QStringLiteral("2");
    m.volume = QStringLiteral("12");
    m.primaPagina = QStringLiteral("15");
    m.ultimaPagina = QStringLiteral("31");
    m.lingua = QStringLiteral("en");
    m.abstract = {QStringLiteral("First."), QStringLiteral("Second.")};
    m.url = QStringLiteral("https://example.org/a");
    return m;
}

ElenchiCattura elenchi() {
    ElenchiCattura e;
    e.riviste = {{"101", "Diritto e giustizia online"},
                 {"102", "Rivista telematica di diritto civile"},
                 {"930", "Sanità, biodiritto e responsabilità - rivista online"},
                 {"9001", "Rivista a numero di pagine"}};
    e.lingue = {{"00", "Italiano"}, {"01", "Inglese"}, {"02", "Francese"}, {"14", "Altra lingua"}};
    e.issn = {{"1234-5678", "101"}, {"2222-3333", "777"}};
    return e;
}

QList<CampoDocumento> spuntate(const ProposteCattura& p) {
    QList<CampoDocumento> out;
    for (const Proposta& x : p.proposte)
        if (x.spuntata)
            out << x.campo;
    return out;
}

} // namespace

class TestCaptureDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theJournalIsMatchedNeverGuessed_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("issn");
        QTest::addColumn<QString>("code");
        QTest::newRow("same title") << "Diritto e giustizia online" << QStringList{} << "101";
        QTest::newRow("capitals, no accents, blanks")
            << "SANITA,  BIODIRITTO E RESPONSABILITA - RIVISTA ONLINE" << QStringList{} << "930";
        QTest::newRow("ISSN of the centre's list") << "Another name" << QStringList{"1234-5678"} << "101";
        QTest::newRow("ISSN before title")
            << "Rivista telematica di diritto civile" << QStringList{"1234-5678"} << "101";
        QTest::newRow("ISSN of a journal not in the table, then title")
            << "Rivista telematica di diritto civile" << QStringList{"2222-3333"} << "102";
        QTest::newRow("a similar title is not the journal") << "Diritto e giustizia" << QStringList{} << "";
        QTest::newRow("none") << "Trends in Ecology & Evolution" << QStringList{"0169-5347"} << "";
    }

    void theJournalIsMatchedNeverGuessed() {
        QFETCH(QString, title);
        QFETCH(QStringList, issn);
        QFETCH(QString, code);
        MetadatiArticolo m = articolo();
        m.rivista = title;
        m.issn = issn;
        const ProposteCattura p = Proponi(m, {}, elenchi());
        QCOMPARE(p.CPer, code);
        const Proposta* r = p.proposta(CampoDocumento::Rivista);
        QVERIFY(r);
        QCOMPARE(r->applicabile, !code.isEmpty());
        QCOMPARE(r->spuntata, !code.isEmpty());
        if (code.isEmpty())
            QVERIFY(r->nota.contains(QStringLiteral("Nessuna rivista di tabRivisteOnline")));
        const CampiDocumento d = Applica(p, spuntate(p), p.CPer, p.tipoAbstract, {}, elenchi());
        QCOMPARE(d.CPer, code);
        QCOMPARE(d.TitoloRivista, elenchi().titoloRivista(code));
    }

    void pagesAreWrittenAsTheDocumentWritesThem_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("pages");
        QTest::newRow("range") << "15"
                               << "31"
                               << "101"
                               << "15-31";
        QTest::newRow("one page") << "15"
                                  << ""
                                  << "101"
                                  << "15";
        QTest::newRow("article number") << "e3000937"
                                        << ""
                                        << "101"
                                        << "e3000937";
        QTest::newRow("count for journals from 9000") << "15"
                                                      << "31"
                                                      << "9001"
                                                      << "17";
        QTest::newRow("count of one page") << "7"
                                           << ""
                                           << "9001"
                                           << "1";
        QTest::newRow("no count from an e-locator") << "e1"
                                                    << ""
                                                    << "9001"
                                                    << "";
    }

    void pagesAreWrittenAsTheDocumentWritesThem() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, journal);
        QFETCH(QString, pages);
        QCOMPARE(PagineDocumento(first, last, journal), pages);
    }

    void theLanguageGoesToItsCode_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("code");
        QTest::newRow("ISO 639-1") << "en"
                                   << "01";
        QTest::newRow("ISO 639-2") << "eng"
                                   << "01";
        QTest::newRow("a word") << "English"
                                << "01";
        QTest::newRow("with its country") << "it-IT"
                                          << "00";
        QTest::newRow("accented word") << "Français"
                                       << "02";
        QTest::newRow("not in the list") << "ja"
                                         << "";
        QTest::newRow("in the table of names, not in the archive's list") << "de"
                                                                          << "";
    }

    void theLanguageGoesToItsCode() {
        QFETCH(QString, language);
        QFETCH(QString, code);
        QCOMPARE(CodiceLingua(language, elenchi().lingue), code);
    }

    // Empty fields are ticked, filled ones are not and stay as they are unless ticked; ticked
    // persons replace the document's, which stay in the list marked deleted.
    void nothingFilledIsOverwrittenUnlessTicked() {
        CampiDocumento attuali;
        attuali.Titolo = QStringLiteral("Titolo scritto dall'operatore");
        attuali.Pagine = QStringLiteral("15-31");
        attuali.Responsabilita = {{7, QStringLiteral("Bianchi"), QStringLiteral("Carla"), true, false},
                                  {8, QStringLiteral("Neri"), QString(), false, false}};
        attuali.Testi.insert(QStringLiteral("8"), QString());
        const ProposteCattura p = Proponi(articolo(), attuali, elenchi());
        const auto tick = [&](CampoDocumento c) { return p.proposta(c)->spuntata; };
        QVERIFY(!tick(CampoDocumento::Titolo));
        QVERIFY(!tick(CampoDocumento::Autori));
        QVERIFY(!tick(CampoDocumento::Curatori));
        QVERIFY(p.proposta(CampoDocumento::Pagine)->uguale);
        for (CampoDocumento c :
             {CampoDocumento::Data, CampoDocumento::Fascicolo, CampoDocumento::Volume, CampoDocumento::Annata,
              CampoDocumento::Url, CampoDocumento::Abstract, CampoDocumento::Lingua})
            QVERIFY(tick(c));
        QCOMPARE(p.tipoAbstract, QString("8"));

        CampiDocumento d = Applica(p, spuntate(p), p.CPer, p.tipoAbstract, attuali, elenchi());
        QCOMPARE(d.Titolo, attuali.Titolo);
        QCOMPARE(d.Responsabilita, attuali.Responsabilita);
        QCOMPARE(d.Data, QString("2024-03-00"));
        QCOMPARE(d.Annata, QString("2024"));
        QCOMPARE(d.LIN, QString("01"));
        QCOMPARE(d.Testi.value("8"), QString("First. Second."));

        d = Applica(p, {CampoDocumento::Titolo, CampoDocumento::Autori}, p.CPer, QStringLiteral("1"), attuali,
                    elenchi());
        QCOMPARE(d.Titolo, QString("La responsabilità del vettore"));
        QCOMPARE(d.Responsabilita.size(), 4);
        QVERIFY(d.Responsabilita[0].Cancellata);  // Bianchi, an author
        QVERIFY(!d.Responsabilita[1].Cancellata); // Neri, a curator
        QCOMPARE(d.Responsabilita[3].PrimoElemento, QString("de Santis"));
        QVERIFY(d.Responsabilita[3].FlagAutore);
        QVERIFY(d.Testi.value("1").isEmpty());
    }

    // A journal the operator chooses for an article with ISSNs is known the next time; the other
    // sections of quillaro.ini stay as they were written.
    void aChosenJournalIsRememberedByItsIssn() {
        TestHome t;
        Archivio a(t);
        QFile ini(t.home().settingsPath());
        QVERIFY(ini.open(QIODevice::Append));
        ini.write("\n[issn]\n; the centre's own\n1111-2222=TST2\n");
        ini.close();
        const QByteArray prima = readFileBytes(t.home().settingsPath());
        QVERIFY(RicordaIssn(t.home(), {QStringLiteral("0169-5347"), QStringLiteral("1111-2222")},
                            QStringLiteral("TST1")));
        const QByteArray dopo = readFileBytes(t.home().settingsPath());
        QVERIFY(dopo.startsWith(prima.left(prima.indexOf("[issn]"))));
        const ElenchiCattura e = CaricaElenchiCattura(t.state());
        QCOMPARE(e.issn.value("0169-5347"), QString("TST1"));
        QCOMPARE(e.issn.value("1111-2222"), QString("TST1"));
        MetadatiArticolo m = articolo();
        m.rivista = QStringLiteral("Trends in Ecology & Evolution");
        m.issn = {QStringLiteral("0169-5347")};
        QCOMPARE(Proponi(m, {}, e).CPer, QString("TST1"));
    }
};

QTEST_GUILESS_MAIN(TestCaptureDocument)
#include "tst_capture_document.moc"
