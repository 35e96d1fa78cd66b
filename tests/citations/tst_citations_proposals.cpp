// Proposals from a text: each citation composed by the dialogs' own composers on a fresh archive,
// marked against the document and the norms catalogue, and added as the dialogs add; and the
// command line's cites.

#include "citations/ProposteFonti.h"
#include "store/DocumentBuffer.h"
#include "support/CliRun.h"
#include "support/TestHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// "<citation> [<marks>]": the catalogue, the date taken from it, the reason it cannot be added,
// the repetitions.
QString descrivi(const PropostaFonte& p) {
    QStringList segni;
    if (!p.etichettaCatalogo().isEmpty())
        segni << p.etichettaCatalogo();
    if (p.dataDalCatalogo)
        segni << QStringLiteral("data dal catalogo");
    if (!p.aggiungibile())
        segni << p.problema;
    if (p.giaPresente)
        segni << QStringLiteral("già nel documento");
    if (p.occorrenze > 1)
        segni << QStringLiteral("x%1").arg(p.occorrenze);
    return segni.isEmpty() ? p.testoMostrato()
                           : p.testoMostrato() + QStringLiteral(" [") + segni.join(u", ") + u']';
}

class Archivio {
public:
    Archivio() {
        if (!t.open(t.createArchive()))
            qFatal("archive not opened");
        ApriCatalogo(t.state());
    }
    QList<PropostaFonte> proposte(const QString& testo, const QList<VoceFonte>& fonti = {},
                                  bool catalogo = true) {
        AppState& s = t.state();
        return ProponiFonti({{QStringLiteral("Riassunto"), testo}}, fonti,
                            LeggiElenchiProposte(s.Connessione), s.Connessione,
                            catalogo ? &s.ConnessioneCatalogo : nullptr);
    }
    TestHome t;
};

} // namespace

class SourcesProposals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void composedByTheDialogs_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QStringList>("attese");
        QTest::newRow("a law by number and year: day and month from the catalogue; cited twice")
            << "L'art. 3 della legge n. 241 del 1990 e l'art. 3 della l. 7 agosto 1990, n. 241."
            << QStringList{"art. 3 l. 7 agosto 1990, n. 241 [nel catalogo, data dal catalogo, x2]"};
        QTest::newRow("an act the catalogue lacks")
            << "la legge 30 luglio 2010, n. 122"
            << QStringList{"l. 30 luglio 2010, n. 122 [non nel catalogo]"};
        QTest::newRow("codes and the Constitution")
            << "artt. 2043 c.c. e 24 Cost." << QStringList{"art. 2043 c.c.", "art. 24 Cost."};
        QTest::newRow("Cassazione, the section with its matter as the archive writes it")
            << "Cass. civ., sez. III, 5 marzo 2019, n. 6325"
            << QStringList{"Cass. sez. III civ. 5 marzo 2019, n. 6325"};
        QTest::newRow("administrative court with region and city")
            << "TAR Lazio, Roma, sez. II, 3 maggio 2001, n. 12"
            << QStringList{"TAR LA - Roma sez. II 3 maggio 2001, n. 12"};
        QTest::newRow("treaty from the archive's list of treaties")
            << "l'art. 6 CEDU" << QStringList{"art. 6 Conv. eur. dir. uomo Roma 4 novembre 1950*NIT*"};
        QTest::newRow("EU regulation and directive")
            << "il regolamento (UE) 2016/679 e la direttiva 93/13/CEE"
            << QStringList{"Reg. UE 2016/679*NIC*", "Dir. CEE 93/13*NIC*"};
        QTest::newRow("Strasbourg judgment with its parties")
            << "Corte EDU, 8 gennaio 2013, Torreggiani c. Italia, ric. n. 43517/09"
            << QStringList{"C. eur. dir. uomo 8 gennaio 2013, n. 43517/09 (Torreggiani c. Italia)*GEI*"};
        QTest::newRow("a regional law with no region in the text cannot be added")
            << "la legge regionale n. 5 del 2010" << QStringList{"l. reg. 2010, n. 5 [Manca la regione!]"};
    }

    void composedByTheDialogs() {
        QFETCH(QString, testo);
        QFETCH(QStringList, attese);
        Archivio a;
        QStringList trovate;
        for (const PropostaFonte& p : a.proposte(testo))
            trovate << descrivi(p);
        QCOMPARE(trovate, attese);
        QVERIFY(a.t.dialogs().shown().empty());
    }

    void withoutCatalogue() {
        Archivio a;
        const QList<PropostaFonte> p =
            a.proposte(QStringLiteral("art. 2043 c.c.; legge n. 241 del 1990"), {}, false);
        QCOMPARE(p.size(), 2);
        QCOMPARE(p.at(0).catalogo, StatoCatalogo::NonPertinente);
        QCOMPARE(p.at(1).catalogo, StatoCatalogo::NonDisponibile);
        QCOMPARE(p.at(1).etichettaCatalogo(), QStringLiteral("catalogo non disponibile"));
    }

    // A name the archive's tables do not have is proposed but cannot be added: the save could not
    // store it.
    void nameMissingFromTheArchive() {
        Archivio a;
        a.t.state().Connessione.EseguiIstruzione(
            QStringLiteral("delete from tabFonteInterna where FonteNorm = 'c.p.c.'"));
        const QList<PropostaFonte> p = a.proposte(QStringLiteral("art. 700 c.p.c."));
        QCOMPARE(p.size(), 1);
        QVERIFY(!p.first().aggiungibile());
        QCOMPARE(p.first().problema, QStringLiteral("\"c.p.c.\" non è fra i nomi delle fonti dell'archivio"));
    }

    void markedAndAddedAsTheDialogsAdd() {
        Archivio a;
        const QString testo =
            QStringLiteral("art. 2043 c.c., art. 24 Cost. e Cass., sez. un., 11 novembre 2008, n. 26972");
        DocumentBuffer b;
        b.IndiceFonte = 1;
        // The document has the code article (written in another case) and a deleted Constitution entry.
        VoceFonte codice;
        codice.TP = QStringLiteral("LIC");
        codice.testo = QStringLiteral("ART. 2043 C.C.");
        VoceFonte cancellata;
        cancellata.TP = QStringLiteral("LIC");
        cancellata.testo = QStringLiteral("art. 24 Cost.");
        cancellata.Cancellata = true;
        b.ElencoFonti = {codice, cancellata};
        const QList<PropostaFonte> p = a.proposte(testo, b.ElencoFonti);
        QCOMPARE(p.size(), 3);
        QVERIFY(p.at(0).giaPresente);
        QVERIFY(!p.at(1).giaPresente);
        QCOMPARE(AggiungiProposte(p, b, a.t.state().Connessione), 2);
        QCOMPARE(b.ElencoFonti.size(), 4);
        QCOMPARE(b.ElencoFonti.at(2), p.at(1).voce);
        QCOMPARE(b.ElencoFonti.at(3), p.at(2).voce);
        QCOMPARE(b.ElencoFonti.at(3).Sezione, QStringLiteral("sez. un."));
        QCOMPARE(b.IndiceFonte, -1);
        // Added again: nothing more.
        QCOMPARE(AggiungiProposte(p, b, a.t.state().Connessione), 0);
    }

    // The command line: exactly the fields of the issue, offsets in code points.
    void citesJson() {
        TestHome t;
        const QString file = t.root() + QStringLiteral("/testo.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral(
                    "😀 Visto l'art. 6-bis, comma 2, lett. b), del d.lgs. 30 giugno 2003, n. 196; Cass., sez. "
                    "lav., 3 marzo 2020, n. 5940.")
                    .toUtf8());
        f.close();
        const CliRun r = cli({QStringLiteral("--home"), t.root(), QStringLiteral("cites"), file,
                              QStringLiteral("--format"), QStringLiteral("json")});
        QCOMPARE(r.code, 0);
        const QJsonArray a = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(a.size(), 2);
        const QJsonObject legge = a.at(0).toObject();
        QStringList chiavi = legge.keys();
        chiavi.sort();
        QCOMPARE(chiavi,
                 (QStringList{"TP", "article", "citation", "code", "court", "date", "end", "kind", "letter",
                              "number", "paragraph", "section", "span", "start", "suffix", "year"}));
        QCOMPARE(legge.value("start").toInt(), 10); // the emoji counts once
        QCOMPARE(legge.value("span").toString(),
                 QStringLiteral("art. 6-bis, comma 2, lett. b), del d.lgs. 30 giugno 2003, n. 196"));
        QCOMPARE(legge.value("end").toInt(), 10 + legge.value("span").toString().size());
        QCOMPARE(legge.value("TP").toString(), QStringLiteral("LIO"));
        QCOMPARE(legge.value("kind").toString(), QStringLiteral("d.lg."));
        QCOMPARE(legge.value("suffix").toString(), QStringLiteral("bis"));
        QCOMPARE(legge.value("paragraph").toString(), QStringLiteral("2"));
        QCOMPARE(legge.value("letter").toString(), QStringLiteral("b"));
        QCOMPARE(legge.value("date").toString(), QStringLiteral("2003-06-30"));
        QCOMPARE(legge.value("year").toInt(), 2003);
        QCOMPARE(legge.value("code").toString(), QStringLiteral("c. privacy"));
        QVERIFY(legge.value("court").isNull());
        QCOMPARE(legge.value("citation").toString(),
                 QStringLiteral("art. 6 bis comma 2 lett. b d.lg. 30 giugno 2003, n. 196"));
        const QJsonObject cass = a.at(1).toObject();
        QCOMPARE(cass.value("court").toString(), QStringLiteral("Cass."));
        QCOMPARE(cass.value("section").toString(), QStringLiteral("sez. lav."));
        QCOMPARE(cass.value("number").toString(), QStringLiteral("5940"));
        QVERIFY(cass.value("article").isNull());
    }

    // A list of one act: each citation its own words, the act's with the last; a hostile list
    // is cut at ten times the text (and a few kilobytes), said, exit 1; nothing is written twice.
    void citesBounded_data() {
        QTest::addColumn<QString>("formato");
        QTest::addColumn<int>("articoli");
        QTest::addColumn<int>("codice");
        QTest::newRow("text, 12 articles") << "text" << 12 << 0;
        QTest::newRow("json, 12 articles") << "json" << 12 << 0;
        QTest::newRow("text, 4000 articles") << "text" << 4000 << 1;
        QTest::newRow("json, 4000 articles") << "json" << 4000 << 1;
    }

    void citesBounded() {
        QFETCH(QString, formato);
        QFETCH(int, articoli);
        QFETCH(int, codice);
        TestHome t;
        QString testo = QStringLiteral("Si vedano gli artt. ");
        for (int k = 1; k < articoli; ++k)
            testo += QString::number(k) + QStringLiteral(", ");
        testo += QString::number(articoli) + QStringLiteral(" della legge 7 agosto 1990, n. 241.");
        QFile f(t.root() + QStringLiteral("/lista.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(testo.toUtf8());
        f.close();
        const CliRun r = cli({QStringLiteral("--home"), t.root(), QStringLiteral("cites"), f.fileName(),
                              QStringLiteral("--format"), formato});
        QCOMPARE(r.code, codice);
        QVERIFY(r.out.toUtf8().size() <= 10 * testo.size() + 4096);
        QVERIFY(r.out.count(QStringLiteral("legge 7 agosto 1990, n. 241")) <= 1);
        if (codice != 0) {
            QVERIFY2(r.err.contains(QStringLiteral("dieci volte il testo")), qPrintable(r.err));
            return;
        }
        QCOMPARE(r.out.count(QStringLiteral("legge 7 agosto 1990, n. 241")), 1);
        QCOMPARE(r.out.count(u'\n'), formato == u"json" ? articoli + 2 : articoli);
        if (formato == u"json") {
            const QJsonArray a = QJsonDocument::fromJson(r.out.toUtf8()).array();
            QCOMPARE(a.size(), articoli);
            QCOMPARE(a.at(1).toObject().value("span").toString(), QStringLiteral("2"));
            QCOMPARE(a.at(1).toObject().value("act_start").toInt(),
                     testo.indexOf(QStringLiteral("legge 7 agosto")));
            QCOMPARE(a.last().toObject().value("span").toString(),
                     QStringLiteral("%1 della legge 7 agosto 1990, n. 241").arg(articoli));
        }
    }

    // A full disk: the write error is said and the exit is 1.
    void citesOnAFullDisk_data() {
        QTest::addColumn<QString>("formato");
        QTest::newRow("text") << "text";
        QTest::newRow("json") << "json";
    }

    void citesOnAFullDisk() {
        QFETCH(QString, formato);
        QFile pieno(QStringLiteral("/dev/full"));
        if (!pieno.open(QIODevice::WriteOnly))
            QSKIP("no /dev/full here");
        TestHome t;
        QFile f(t.root() + QStringLiteral("/testo.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Ai sensi dell'art. 2043 c.c. e degli artt. 3 e 24 Cost.");
        f.close();
        QString err;
        QTextStream o(&pieno), e(&err);
        const int code = runCli({QStringLiteral("--home"), t.root(), QStringLiteral("cites"), f.fileName(),
                                 QStringLiteral("--format"), formato},
                                o, e);
        e.flush();
        QCOMPARE(code, 1);
        QVERIFY2(err.contains(QStringLiteral("disco pieno")), qPrintable(err));
    }

    void citesRefusals_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<int>("codice");
        QTest::addColumn<QString>("errore");
        QTest::newRow("unknown format") << QStringList{"--format", "csv"} << QByteArray("l. n. 1/2000") << 2
                                        << "Uso: quillaro-cli cites [FILE|-] [--format text|json]";
        QTest::newRow("not UTF-8") << QStringList{} << QByteArray("art. 3 l. n. 1/2000 \xe0 \xff") << 1
                                   << "Il testo non è in UTF-8";
        QTest::newRow("missing file") << QStringList{"manca.txt"} << QByteArray() << 1 << "non si apre";
    }

    void citesRefusals() {
        QFETCH(QStringList, argomenti);
        QFETCH(QByteArray, contenuto);
        QFETCH(int, codice);
        QFETCH(QString, errore);
        TestHome t;
        QStringList args{QStringLiteral("--home"), t.root(), QStringLiteral("cites")};
        if (!contenuto.isEmpty()) {
            QFile f(t.root() + QStringLiteral("/testo.txt"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenuto);
            args << f.fileName();
        }
        for (const QString& a : argomenti)
            args << (a == u"manca.txt" ? t.root() + u'/' + a : a);
        const CliRun r = cli(args);
        QCOMPARE(r.code, codice);
        QVERIFY2(r.err.contains(errore), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(SourcesProposals)
#include "tst_citations_proposals.moc"
