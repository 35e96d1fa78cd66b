// Probable duplicates, the results written out (text, JSON, CSV) and the three commands of the
// command line.

#include "SearchFixture.h"
#include "app/cli/Cli.h"
#include "search/FormatiRicerca.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// RFC 4180 read back: the fields of every record.
QList<QStringList> leggiCsv(const QString& testo, QChar separatore = u',') {
    QList<QStringList> righe;
    QStringList riga;
    QString campo;
    bool virgolette = false;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (virgolette) {
            if (c == u'"' && i + 1 < testo.size() && testo.at(i + 1) == u'"') {
                campo += u'"';
                ++i;
            } else if (c == u'"') {
                virgolette = false;
            } else {
                campo += c;
            }
        } else if (c == u'"') {
            virgolette = true;
        } else if (c == separatore) {
            riga << campo;
            campo.clear();
        } else if (c == u'\r' && i + 1 < testo.size() && testo.at(i + 1) == u'\n') {
            riga << campo;
            righe << riga;
            riga.clear();
            campo.clear();
            ++i;
        } else {
            campo += c;
        }
    }
    if (!campo.isEmpty() || !riga.isEmpty())
        righe << (riga << campo);
    return righe;
}

struct EsitoCli {
    int codice = 0;
    QString out;
    QString err;
};

EsitoCli cli(TestHome& t, QStringList argomenti) {
    EsitoCli r;
    QTextStream out(&r.out), err(&r.err);
    argomenti.prepend(t.root());
    argomenti.prepend(QStringLiteral("--home"));
    r.codice = runCli(argomenti, out, err);
    out.flush();
    err.flush();
    return r;
}

const QString kTitoloDifficile = QStringLiteral("Il \"c.d.\" danno,\tda\nreato; «oltre» l'art. 2043");

} // namespace

class SearchOutputs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void similarity_data();
    void similarity();
    void duplicates();
    void duplicatesOfOneArchive();
    void resultsWrittenOut();
    void duplicatesAreTheSameArticle_data();
    void duplicatesAreTheSameArticle();
    void commandLineSearch();
    void commandLineSaysWhatItCouldNotSearch_data();
    void commandLineSaysWhatItCouldNotSearch();
    void commandLineListsEveryHit();
    void commandLineIndexAndDuplicates();
};

void SearchOutputs::similarity_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("percento");
    QTest::newRow("uguali") << QStringLiteral("ilcontrattodiappalto")
                            << QStringLiteral("ilcontrattodiappalto") << 100;
    QTest::newRow("una lettera in meno")
        << QStringLiteral("ilcontrattodiappalto") << QStringLiteral("ilcontrattodappalto") << 95;
    QTest::newRow("una lettera cambiata all'inizio")
        << QStringLiteral("laresponsabilitadelmedico") << QStringLiteral("leresponsabilitadelmedico") << 96;
    QTest::newRow("due scambi") << QStringLiteral("abcdefghijklmnopqrst")
                                << QStringLiteral("bacdefghijklmnopqrts") << 0;
    QTest::newRow("troppo diversi") << QStringLiteral("ilcontrattodiappalto")
                                    << QStringLiteral("ilmandatoconrappresentanza") << 0;
    QTest::newRow("lunghezze lontane")
        << QStringLiteral("abcdefghij") << QStringLiteral("abcdefghijklmnopqrstuvwxyz") << 0;
}

void SearchOutputs::similarity() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, percento);
    QCOMPARE(SomiglianzaTitoli(a, b), percento);
    QCOMPARE(SomiglianzaTitoli(b, a), percento);
}

void SearchOutputs::duplicates() {
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("CONSA"));
    const QString b = t.createArchive(QStringLiteral("CONSB"));
    const auto doc = [](qint64 n, const QString& titolo, const QString& pagine, const QString& data) {
        DocProva d;
        d.numero = n;
        d.titolo = titolo;
        d.pagine = pagine;
        d.data = data;
        return d;
    };
    // Same journal, issue and first page ("12" and "012-30"), different titles.
    scriviDocumentoProva(
        a, doc(1, QStringLiteral("Prima versione"), QStringLiteral("12"), QStringLiteral("2024-02-00")));
    scriviDocumentoProva(
        b, doc(1, QStringLiteral("Altro titolo"), QStringLiteral("012-30"), QStringLiteral("2024-02-00")));
    // The same issue and pages in another year's issue are another article.
    scriviDocumentoProva(
        b, doc(2, QStringLiteral("Terzo titolo"), QStringLiteral("12"), QStringLiteral("2023-02-00")));
    // Equal titles once folded: three documents, listed as two pairs.
    scriviDocumentoProva(a, doc(2, QStringLiteral("Il contratto d'appalto!"), QStringLiteral("40"),
                                QStringLiteral("2024-05-00")));
    scriviDocumentoProva(a, doc(3, QStringLiteral("IL CONTRATTO D APPALTO"), QStringLiteral("50"),
                                QStringLiteral("2024-05-00")));
    scriviDocumentoProva(b, doc(3, QStringLiteral("il contratto d’appalto"), QStringLiteral("60"),
                                QStringLiteral("2024-06-00")));
    // Nearly the same title, and short titles that recur without being the same article.
    scriviDocumentoProva(a, doc(4, QStringLiteral("La responsabilità del medico ospedaliero"),
                                QStringLiteral("70"), QStringLiteral("2024-07-00")));
    scriviDocumentoProva(b, doc(4, QStringLiteral("La responsabilita del medico ospedaliere"),
                                QStringLiteral("80"), QStringLiteral("2024-08-00")));
    scriviDocumentoProva(a, doc(5, QStringLiteral("Premessa"), QString(), QStringLiteral("2024-09-00")));
    scriviDocumentoProva(b, doc(5, QStringLiteral("Premesse"), QString(), QStringLiteral("2024-10-00")));
    scriviDocumentoProva(b, doc(6, QStringLiteral("Premessa."), QString(), QStringLiteral("2024-11-00")));
    // Nothing alike.
    scriviDocumentoProva(a, doc(6, QStringLiteral("Usucapione"), QString(), QStringLiteral("2024-11-00")));

    ServizioRicerca& s = ServizioRicerca::di(t.state());
    const EsitoDoppioni r = s.doppioni(std::nullopt, nullptr);
    QVERIFY2(r.avvisi.isEmpty(), qPrintable(r.avvisi.join(u'\n')));
    QStringList righe;
    for (const CoppiaDoppioni& c : r.coppie) {
        QVERIFY(!(c.primo->archivio == c.secondo->archivio && c.primo->numero == c.secondo->numero));
        righe << QStringLiteral("%1/%2 %3/%4 %5")
                     .arg(c.primo->archivio)
                     .arg(c.primo->numero)
                     .arg(c.secondo->archivio)
                     .arg(c.secondo->numero)
                     .arg(c.motivo);
    }
    QCOMPARE(righe, (QStringList{QStringLiteral("CONSA/1 CONSB/1 stesso fascicolo e pagina"),
                                 QStringLiteral("CONSA/2 CONSA/3 stesso titolo"),
                                 QStringLiteral("CONSA/2 CONSB/3 stesso titolo"),
                                 QStringLiteral("CONSA/4 CONSB/4 titolo simile 97 %")}));
    QCOMPARE(r.coppie.first().primo->identificativo, QStringLiteral("202630001"));
    QCOMPARE(r.coppie.first().secondo->titolo, QStringLiteral("Altro titolo"));
    // Both documents of a pair can be shown side by side.
    const auto scheda = s.indice().scheda(r.coppie.last().secondo->id);
    QVERIFY(scheda);
    QCOMPARE(scheda->titolo, QStringLiteral("La responsabilita del medico ospedaliere"));
    QVERIFY2(scheda->riferimento.contains(QStringLiteral("pp. 80")), qPrintable(scheda->riferimento));
}

void SearchOutputs::duplicatesOfOneArchive() {
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("CONSA"));
    const QString b = t.createArchive(QStringLiteral("CONSB"));
    const QString c = t.createArchive(QStringLiteral("CONSC"));
    for (const QString& archivio : {a, b, c}) {
        DocProva d;
        d.numero = 1;
        d.titolo = QStringLiteral("Il danno da perdita di chance");
        d.pagine.clear();
        scriviDocumentoProva(archivio, d);
    }
    DocProva altro;
    altro.numero = 2;
    altro.titolo = QStringLiteral("Il trust interno");
    altro.pagine.clear();
    scriviDocumentoProva(b, altro);
    scriviDocumentoProva(c, altro);
    const EsitoDoppioni r = ServizioRicerca::di(t.state()).doppioni(c, nullptr);
    QStringList righe;
    for (const CoppiaDoppioni& x : r.coppie)
        righe << QStringLiteral("%1/%2 %3/%4")
                     .arg(x.primo->archivio)
                     .arg(x.primo->numero)
                     .arg(x.secondo->archivio)
                     .arg(x.secondo->numero);
    // Only the pairs with a document of CONSC.
    QCOMPARE(righe, (QStringList{QStringLiteral("CONSA/1 CONSC/1"), QStringLiteral("CONSB/2 CONSC/2")}));
}

void SearchOutputs::resultsWrittenOut() {
    RisultatoRicerca r;
    r.archivio = QStringLiteral("CONS,1");
    r.numero = 9007199254740993LL; // beyond a double's exact integers
    r.identificativo = QStringLiteral("202630001");
    r.titolo = kTitoloDifficile;
    r.rivista = QStringLiteral("101");
    r.anno = QStringLiteral("2024");
    r.estratto = QStringLiteral("il ") + QChar(kInizioEvidenza) + QStringLiteral("danno") +
                 QChar(kFineEvidenza) + QStringLiteral(" <b>&");
    r.punteggio = 1.5;

    const QString riga = RigaRisultato(r);
    QCOMPARE(riga.split(u'\t').size(), 4);
    QVERIFY(!riga.contains(u'\n'));
    QCOMPARE(riga.split(u'\t').at(1), QStringLiteral("9007199254740993"));

    QJsonParseError errore;
    const QJsonDocument json = QJsonDocument::fromJson(JsonRisultati({r, r}), &errore);
    QCOMPARE(errore.error, QJsonParseError::NoError);
    QCOMPARE(json.array().size(), 2);
    const QJsonObject o = json.array().first().toObject();
    QCOMPARE(o.value(QStringLiteral("title")).toString(), kTitoloDifficile);
    QCOMPARE(o.value(QStringLiteral("number")).toInteger(), 9007199254740993LL);
    QCOMPARE(o.value(QStringLiteral("snippet")).toString(), QStringLiteral("il **danno** <b>&"));
    QCOMPARE(o.value(QStringLiteral("score")).toDouble(), 1.5);
    QCOMPARE(o.keys(),
             (QStringList{QStringLiteral("archive"), QStringLiteral("identifier"), QStringLiteral("journal"),
                          QStringLiteral("number"), QStringLiteral("score"), QStringLiteral("snippet"),
                          QStringLiteral("title"), QStringLiteral("year")}));

    const QList<QStringList> csv = leggiCsv(CsvRisultati({r}));
    QCOMPARE(csv.size(), 2);
    QCOMPARE(csv.at(0),
             (QStringList{QStringLiteral("archive"), QStringLiteral("number"), QStringLiteral("identifier"),
                          QStringLiteral("title"), QStringLiteral("journal"), QStringLiteral("year"),
                          QStringLiteral("snippet"), QStringLiteral("score")}));
    QCOMPARE(csv.at(1).at(0), QStringLiteral("CONS,1"));
    QCOMPARE(csv.at(1).at(3), kTitoloDifficile);
    QCOMPARE(csv.at(1).at(6), QStringLiteral("il **danno** <b>&"));

    // The window's excerpt: the texts escaped, the matched words in bold.
    QCOMPARE(EstrattoHtml(r.estratto), QStringLiteral("il <b>danno</b> &lt;b&gt;&amp;"));

    // A file written whole, for a spreadsheet set to Italian (UTF-8 mark, ";"), the excerpt as the
    // operator reads it, and what a spreadsheet would run as a formula written as text.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("risultati.csv"));
    RisultatoRicerca formula = r;
    formula.titolo = QStringLiteral("=HYPERLINK(\"http://x\";\"clic\")");
    formula.rivista = QStringLiteral("@SUM(A1)");
    formula.archivio = QStringLiteral("-2+3");
    formula.identificativo = QStringLiteral("+39");
    ScriviCsv(path, CsvFinestraRisultati({r, formula}));
    const QByteArray bytes = readFileBytes(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> foglio = leggiCsv(QString::fromUtf8(bytes.mid(3)), u';');
    QCOMPARE(foglio.at(0).size(), 7);
    QCOMPARE(foglio.at(1).at(5), kTitoloDifficile);
    QCOMPARE(foglio.at(1).at(6), QStringLiteral("il danno <b>&"));
    QCOMPARE(
        foglio.at(2),
        (QStringList{QStringLiteral("'-2+3"), QString::number(r.numero), QStringLiteral("'+39"),
                     QStringLiteral("'@SUM(A1)"), QStringLiteral("2024"),
                     QStringLiteral("'=HYPERLINK(\"http://x\";\"clic\")"), QStringLiteral("il danno <b>&")}));
    // The command line's CSV holds the data as they are.
    QCOMPARE(leggiCsv(CsvRisultati({formula})).at(1).at(3), formula.titolo);
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        ScriviCsv(dir.filePath(QStringLiteral("manca/risultati.csv")), QStringLiteral("x")));
}

void SearchOutputs::commandLineSearch() {
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("CONSA"));
    DocProva d;
    d.numero = 3;
    d.titolo = kTitoloDifficile;
    d.testi.insert(QStringLiteral("1"), QStringLiteral("Sul danno da reato e la sua prova."));
    scriviDocumentoProva(a, d);
    DocProva e;
    e.numero = 4;
    e.titolo = QStringLiteral("Un'altra storia");
    scriviDocumentoProva(a, e);

    EsitoCli r = cli(t, {QStringLiteral("search"), QStringLiteral("danno")});
    QCOMPARE(r.codice, 0);
    QCOMPARE(r.out,
             QStringLiteral("CONSA\t3\t202630001\tIl \"c.d.\" danno, da reato; «oltre» l'art. 2043\n"));
    QVERIFY2(r.err.contains(QStringLiteral("1 documento trovato")), qPrintable(r.err));

    r = cli(t, {QStringLiteral("search"), QStringLiteral("danno OR storia"), QStringLiteral("--format"),
                QStringLiteral("json"), QStringLiteral("--limit"), QStringLiteral("5")});
    QCOMPARE(r.codice, 0);
    QJsonParseError errore;
    const QJsonArray json = QJsonDocument::fromJson(r.out.toUtf8(), &errore).array();
    QCOMPARE(errore.error, QJsonParseError::NoError);
    QCOMPARE(json.size(), 2);
    QCOMPARE(json.first().toObject().value(QStringLiteral("archive")).toString(), QStringLiteral("CONSA"));
    QVERIFY(json.first().toObject().value(QStringLiteral("number")).isDouble());

    r = cli(t, {QStringLiteral("search"), QStringLiteral("titolo:reato"), QStringLiteral("--archive"),
                QStringLiteral("CONSA"), QStringLiteral("--format=csv")});
    QCOMPARE(r.codice, 0);
    const QList<QStringList> csv = leggiCsv(r.out);
    QCOMPARE(csv.size(), 2);
    QCOMPARE(csv.at(1).at(3), kTitoloDifficile);
    QVERIFY2(csv.at(1).at(6).contains(QStringLiteral("**reato**")), qPrintable(csv.at(1).at(6)));

    // Refusals: exit 2 with the reason, nothing on standard output.
    for (const QStringList& sbagliato :
         {QStringList{QStringLiteral("search"), QStringLiteral("NOT danno")},
          QStringList{QStringLiteral("search")},
          QStringList{QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--all"),
                      QStringLiteral("--archive"), QStringLiteral("CONSA")},
          QStringList{QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--limit"),
                      QStringLiteral("0")},
          QStringList{QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--format"),
                      QStringLiteral("xml")}}) {
        r = cli(t, sbagliato);
        QCOMPARE(r.codice, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }
    r = cli(t, {QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--archive"),
                QStringLiteral("MANCA")});
    QCOMPARE(r.codice, 1);
    QVERIFY(r.err.contains(QStringLiteral("Archivio non trovato")));
    r = cli(t, {QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--sigle"),
                QStringLiteral("sigle.XYZ")});
    QCOMPARE(r.codice, 1);
    QVERIFY(r.err.contains(QStringLiteral("File sigle non trovato")));
}

void SearchOutputs::commandLineIndexAndDuplicates() {
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("CONSA"));
    const QString b = t.createArchive(QStringLiteral("CONSB"));
    DocProva d;
    d.numero = 1;
    d.titolo = QStringLiteral("Il contratto di rete");
    scriviDocumentoProva(a, d);
    scriviDocumentoProva(b, d);

    EsitoCli r = cli(t, {QStringLiteral("index")});
    QCOMPARE(r.codice, 0);
    QVERIFY2(r.out.contains(QStringLiteral("CONSA: documenti nuovi 1, cambiati 0, tolti 0")),
             qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("CONSB: documenti nuovi 1")));
    r = cli(t, {QStringLiteral("index")});
    QVERIFY2(r.out.contains(QStringLiteral("CONSA: già aggiornato")), qPrintable(r.out));
    r = cli(t, {QStringLiteral("index"), QStringLiteral("--rebuild")});
    QCOMPARE(r.codice, 0);
    QVERIFY2(r.out.contains(QStringLiteral("CONSB: documenti nuovi 1")), qPrintable(r.out));

    r = cli(t, {QStringLiteral("duplicates"), QStringLiteral("--all")});
    QCOMPARE(r.codice, 0);
    QCOMPARE(r.out,
             QStringLiteral("CONSA\t1\t202630001\tCONSB\t1\t202630001\tstesso fascicolo e pagina, stesso "
                            "titolo\tIl contratto di rete\n"));
    r = cli(t, {QStringLiteral("duplicates"), QStringLiteral("CONSB"), QStringLiteral("--format"),
                QStringLiteral("json")});
    QCOMPARE(r.codice, 0);
    const QJsonArray json = QJsonDocument::fromJson(r.out.toUtf8()).array();
    QCOMPARE(json.size(), 1);
    QCOMPARE(json.first().toObject().value(QStringLiteral("reason")).toString(),
             QStringLiteral("stesso fascicolo e pagina, stesso titolo"));
    QCOMPARE(json.first()
                 .toObject()
                 .value(QStringLiteral("second"))
                 .toObject()
                 .value(QStringLiteral("archive"))
                 .toString(),
             QStringLiteral("CONSB"));
    r = cli(t, {QStringLiteral("duplicates"), QStringLiteral("--format"), QStringLiteral("csv"),
                QStringLiteral("--all")});
    QCOMPARE(leggiCsv(r.out).size(), 2);
    r = cli(t, {QStringLiteral("duplicates")});
    QCOMPARE(r.codice, 2);
    r = cli(t, {QStringLiteral("duplicates"), QStringLiteral("CONSA"), QStringLiteral("--all")});
    QCOMPARE(r.codice, 2);
}

void SearchOutputs::duplicatesAreTheSameArticle_data() {
    QTest::addColumn<QStringList>("titoli");
    QTest::addColumn<QStringList>("riviste");
    QTest::addColumn<QStringList>("date");
    QTest::addColumn<QStringList>("autori");
    QTest::addColumn<QStringList>("pagine");
    QTest::addColumn<QString>("motivo"); // empty: not a pair
    const QString lungo = QStringLiteral("Il contratto di rete tra imprese");
    const QStringList stessaRivista{QStringLiteral("101"), QStringLiteral("101")};
    const QStringList altreRiviste{QStringLiteral("101"), QStringLiteral("205")};
    const QStringList stessaData{QStringLiteral("2024-03-00"), QStringLiteral("2024-03-00")};
    const QStringList altriAnni{QStringLiteral("2019-03-00"), QStringLiteral("2024-03-00")};
    const QStringList nessunAutore{QString(), QString()};
    const QStringList altrePagine{QStringLiteral("10"), QStringLiteral("30")};
    QTest::newRow("titoli diversi in un numero")
        << QStringList{QStringLiteral("Nota alla sentenza numero 0 del tribunale"),
                       QStringLiteral("Nota alla sentenza numero 4 del tribunale")}
        << stessaRivista << stessaData << nessunAutore << altrePagine << QString();
    QTest::newRow("titoli simili con lo stesso numero")
        << QStringList{QStringLiteral("Nota alla sentenza numero 4 del tribunale"),
                       QStringLiteral("Note alla sentenza numero 4 del tribunale")}
        << stessaRivista << stessaData << nessunAutore << altrePagine << QStringLiteral("titolo simile");
    QTest::newRow("titoli simili, nient'altro in comune")
        << QStringList{QStringLiteral("Nota alla sentenza numero 4 del tribunale"),
                       QStringLiteral("Note alla sentenza numero 4 del tribunale")}
        << altreRiviste << altriAnni << nessunAutore << altrePagine << QString();
    QTest::newRow("stesso titolo, nient'altro in comune")
        << QStringList{lungo, lungo} << altreRiviste << altriAnni
        << QStringList{QStringLiteral("Rossi"), QStringLiteral("Verdi")} << altrePagine << QString();
    QTest::newRow("stesso titolo e rivista")
        << QStringList{lungo, lungo} << stessaRivista << altriAnni << nessunAutore << altrePagine
        << QStringLiteral("stesso titolo");
    QTest::newRow("stesso titolo e anno")
        << QStringList{lungo, lungo} << altreRiviste
        << QStringList{QStringLiteral("2024-01-00"), QStringLiteral("2024-11-00")} << nessunAutore
        << altrePagine << QStringLiteral("stesso titolo");
    QTest::newRow("stesso titolo e un autore")
        << QStringList{lungo, lungo} << altreRiviste << altriAnni
        << QStringList{QStringLiteral("Rossi"), QStringLiteral("ROSSI")} << altrePagine
        << QStringLiteral("stesso titolo");
    QTest::newRow("pagine scritte p. 121-157")
        << QStringList{QStringLiteral("Primo"), QStringLiteral("Secondo")} << stessaRivista << stessaData
        << nessunAutore << QStringList{QStringLiteral("p. 121-157"), QStringLiteral("121")}
        << QStringLiteral("stesso fascicolo e pagina");
    QTest::newRow("pagine scritte pp. 5 ss.")
        << QStringList{QStringLiteral("Primo"), QStringLiteral("Secondo")} << stessaRivista << stessaData
        << nessunAutore << QStringList{QStringLiteral("pp. 5 ss."), QStringLiteral("pag. 5-9")}
        << QStringLiteral("stesso fascicolo e pagina");
}

void SearchOutputs::duplicatesAreTheSameArticle() {
    QFETCH(QStringList, titoli);
    QFETCH(QStringList, riviste);
    QFETCH(QStringList, date);
    QFETCH(QStringList, autori);
    QFETCH(QStringList, pagine);
    QFETCH(QString, motivo);
    TestHome t;
    for (int i = 0; i < 2; ++i) {
        DocProva d;
        d.numero = 1;
        d.titolo = titoli[i];
        d.rivista = riviste[i];
        d.data = date[i];
        d.pagine = pagine[i];
        if (!autori[i].isEmpty())
            d.autori = {{autori[i], QStringLiteral("Mario")}};
        scriviDocumentoProva(t.createArchive(i == 0 ? QStringLiteral("CONSA") : QStringLiteral("CONSB")), d);
    }
    const EsitoDoppioni r = ServizioRicerca::di(t.state()).doppioni(std::nullopt, nullptr);
    if (motivo.isEmpty()) {
        QVERIFY2(r.coppie.isEmpty(), qPrintable(r.coppie.isEmpty() ? QString() : r.coppie.first().motivo));
    } else {
        QCOMPARE(r.coppie.size(), 1);
        QVERIFY2(r.coppie.first().motivo.startsWith(motivo), qPrintable(r.coppie.first().motivo));
    }
}

void SearchOutputs::commandLineSaysWhatItCouldNotSearch_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("motivo");
    QTest::addColumn<bool>("risultati"); // what could be searched is still printed
    QTest::newRow("il modello") << QStringList{QStringLiteral("search"), QStringLiteral("danno"),
                                               QStringLiteral("--archive"), QStringLiteral("masterOnline")}
                                << 1 << QStringLiteral("masterOnline: non indicizzato") << false;
    QTest::newRow("un file di testo") << QStringList{QStringLiteral("search"), QStringLiteral("danno"),
                                                     QStringLiteral("--archive"), QStringLiteral("NOTE")}
                                      << 1 << QStringLiteral("NOTE: non indicizzato") << false;
    QTest::newRow("un archivio illeggibile fra tutti")
        << QStringList{QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--all")} << 1
        << QStringLiteral("Ricerca incompleta: non cercati ROTTO") << true;
    QTest::newRow("sigle senza archivio")
        << QStringList{QStringLiteral("search"), QStringLiteral("danno"), QStringLiteral("--sigle"),
                       QStringLiteral("sigle.T26")}
        << 1 << QStringLiteral("non cercati MANCA, \"../CONSA\", \"A\\tB\"") << true;
    QTest::newRow("doppioni con un archivio illeggibile")
        << QStringList{QStringLiteral("duplicates"), QStringLiteral("--all")} << 1
        << QStringLiteral("Ricerca incompleta: non cercati ROTTO") << false;
    QTest::newRow("campo sconosciuto")
        << QStringList{QStringLiteral("search"), QStringLiteral("autori:rossi")} << 2
        << QStringLiteral("Il campo \"autori:\" non esiste") << false;
    QTest::newRow("troppe parole") << QStringList{QStringLiteral("search"),
                                                  QStringLiteral("x ").repeated(100)}
                                   << 2 << QStringLiteral("troppe parole") << false;
}

// A search that could not look everywhere it was asked is not a success: what it found is printed,
// the archives it could not search are named, and the exit status is 1.
void SearchOutputs::commandLineSaysWhatItCouldNotSearch() {
    QFETCH(QStringList, argomenti);
    QFETCH(int, codice);
    QFETCH(QString, motivo);
    QFETCH(bool, risultati);
    TestHome t;
    DocProva d;
    d.numero = 1;
    d.titolo = QStringLiteral("Il danno da reato");
    const QString a = t.createArchive(QStringLiteral("CONSA"));
    scriviDocumentoProva(a, d);
    // An archive of ours with a broken inside, and a file that is no archive at all.
    const QString rotto = t.home().mdbPath(QStringLiteral("ROTTO.db"));
    QVERIFY(QFile::copy(a, rotto));
    QFile danno(rotto);
    QVERIFY(danno.open(QIODevice::ReadWrite));
    danno.seek(4096);
    danno.write(QByteArray(danno.size() - 4096, '\0'));
    danno.close();
    QFile testo(t.home().mdbPath(QStringLiteral("NOTE.db")));
    QVERIFY(testo.open(QIODevice::WriteOnly));
    testo.write("SQLite format 3");
    testo.close();
    // The abbreviation file names CONSA, a missing archive, a path and a name with a tab.
    QFile sigle(t.home().mdbPath(QStringLiteral("sigle.T26")));
    QVERIFY(sigle.open(QIODevice::WriteOnly));
    sigle.write("CONSA\r\nMANCA\r\n../CONSA\r\nA\tB\r\n");
    sigle.close();
    const EsitoCli r = cli(t, argomenti);
    QCOMPARE(r.codice, codice);
    QVERIFY2(r.err.contains(motivo), qPrintable(r.err));
    QCOMPARE(r.out.contains(QStringLiteral("CONSA\t1\t")), risultati);
}

// Every hit listed with its excerpt, made from one pass over the rows.
void SearchOutputs::commandLineListsEveryHit() {
    TestHome t;
    const QString a = t.createArchive(QStringLiteral("CONSA"));
    for (int i = 1; i <= 300; ++i) {
        DocProva d;
        d.numero = i;
        d.titolo = QStringLiteral("Contratti e contrattazione, parte %1").arg(i);
        d.pagine = QString::number(i);
        scriviDocumentoProva(a, d);
    }
    const EsitoCli r =
        cli(t, {QStringLiteral("search"), QStringLiteral("contratt*"), QStringLiteral("--limit"),
                QStringLiteral("1000000"), QStringLiteral("--format"), QStringLiteral("json")});
    QCOMPARE(r.codice, 0);
    const QJsonArray json = QJsonDocument::fromJson(r.out.toUtf8()).array();
    QCOMPARE(json.size(), 300);
    for (const QJsonValue& v : json)
        QVERIFY(v.toObject()
                    .value(QStringLiteral("snippet"))
                    .toString()
                    .contains(QStringLiteral("**Contratti**")));
}

QTEST_GUILESS_MAIN(SearchOutputs)
#include "tst_search_outputs.moc"
