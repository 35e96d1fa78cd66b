// The HTML summary and the consistency report: counts, totals, key lists, escaping, the closing
// lines and messages, and the grouped counts against the per-issue statements.

#include "PrintoutsFixture.h"
#include "printouts/ConteggiFascicoli.h"
#include "printouts/StampaConsistenza.h"
#include "printouts/StampaProspetto.h"
#include "store/Archivio.h"

namespace {

QString td(const QString& s) {
    return QStringLiteral("<TD>") + s + QStringLiteral("</TD>");
}
QString tdn(qint64 n) {
    return QStringLiteral("<TD ALIGN=\"RIGHT\">") + QString::number(n) + QStringLiteral("</TD>");
}
QString tdb(qint64 n) {
    return QStringLiteral("<TD ALIGN=\"RIGHT\"><B>") + QString::number(n) + QStringLiteral("</B></TD>");
}

// Documents of one issue, one per abstract type given.
void documenti(PrintoutsFixture& f, qint64 rif, const QStringList& tabs) {
    for (const QString& code : tabs) {
        PrintoutsFixture::Doc d;
        d.rif = rif;
        d.TAbs = code;
        f.documento(d);
    }
}

// A delivery with issues of every shape: numbered, without number (Null and empty), the same
// number in another year, and another journal.
void consegnaMista(PrintoutsFixture& f) {
    f.rivista(QStringLiteral("100"), QStringLiteral("Rivista A"), QStringLiteral("M"));
    f.rivista(QStringLiteral("200"), QStringLiteral("Rivista B"), QStringLiteral("T"));
    documenti(f, f.fascicolo("100", "2004-03-00", "1"), {"400", "900", "500", "500"});
    documenti(f, f.fascicolo("100", "2004-05-00", "2"), {"600", "700", ""});
    documenti(f, f.fascicolo("100", "2004-06-00", QVariant()), {"800", "400"});
    documenti(f, f.fascicolo("100", "2004-07-00", ""), {"900"});
    documenti(f, f.fascicolo("100", "2005-01-00", "1"), {"400", "400"});
    documenti(f, f.fascicolo("200", "2004-01-01", "1"), {"500"});
    documenti(f, f.fascicolo("200", "2004-02-01", "1"), {"800", "300"});
    documenti(f, f.fascicolo("200", "04-1", "x"), {"400"});
}

} // namespace

class PrintoutsReports : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void prospetto() {
        TestHome t;
        PrintoutsFixture f(t);
        f.rivista(QStringLiteral("100"), QStringLiteral("Diritto <online> & “società”"));
        const qint64 rif = f.fascicolo("100", "2004-03-07", "5");
        documenti(f, rif, {"400", "900", "900"});
        const qint64 d = f.documento({});
        f.testo(1, "8", "EA");
        f.testo(3, "8", "EA");
        f.testo(3, "8", "second EA");
        f.testo(d, "7", "in tema di, type not given");
        PrintoutsFixture::Doc cinque;
        cinque.rif = rif;
        cinque.TAbs = QStringLiteral("500");
        const qint64 d500 = f.documento(cinque);
        f.testo(d500, "7", "in tema di");

        const EsitoStampa esito = StampaProspetto(t.state());
        QVERIFY2(esito.ok, qPrintable(esito.errore));
        QCOMPARE(esito.path, t.home().dumpPath(QStringLiteral("prospetto 12.html")));
        QCOMPARE(t.dialogs().texts(), QStringList{"Fine stampa prospetto"});
        const QStringList lines = crlfLines(esito.path);
        QStringList attese{"<HTML>",
                           "<TITLE>Consegna 12</TITLE>",
                           "<BODY>",
                           "<H1>Prospetto consegna: 12</H1>",
                           "<TABLE BORDER=\"1\" WIDTH=\"100%\">",
                           "<TR BGCOLOR=\"GRAY\">",
                           "<TH>Titolo</TH>",
                           "<TH>CPer</TH>",
                           "<TH>Anno</TH>",
                           "<TH>Fasc.</TH>",
                           "<TH>Tot. doc.</TH>",
                           "<TH>400</TH>",
                           "<TH>500</TH>",
                           "<TH>600</TH>",
                           "<TH>700</TH>",
                           "<TH>800</TH>",
                           "<TH>900</TH>",
                           "</TR>",
                           "<TR>",
                           td("Diritto &lt;online&gt; &amp; &#8220;societ&#224;&#8221;"),
                           td("100"),
                           td("2004"),
                           td("5"),
                           tdn(4),
                           tdn(1),
                           tdn(1),
                           tdn(0),
                           tdn(0),
                           tdn(0),
                           tdn(2),
                           "</TR>",
                           "<TR BGCOLOR=\"GRAY\">",
                           "<TD COLSPAN=\"4\"><B>T O T A L I</B></TD>",
                           tdb(4),
                           tdb(1),
                           tdb(1),
                           tdb(0),
                           tdb(0),
                           tdb(0),
                           tdb(2),
                           "</TR>",
                           "</TABLE>",
                           "<h4>ID documento/i con 'English astract': 1, 3, 3(3 documento/i)</h4>",
                           "<h4>ID documento/i 500 o 800 con 'In tema di': 5(1 documento/i)</h4>",
                           "</BODY>",
                           "</HTML>"};
        QCOMPARE(lines, attese);
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info[InfoStampaProspetto], QStringLiteral("1"));
    }

    void prospettoVuoto() {
        TestHome t;
        PrintoutsFixture f(t);
        t.state().Info[InfoConsegna] = QStringLiteral("<7>");
        const EsitoStampa esito = StampaProspetto(t.state());
        QVERIFY(esito.ok);
        QCOMPARE(esito.path, t.home().dumpPath(QStringLiteral("prospetto _7_.html")));
        QCOMPARE(crlfLines(esito.path),
                 QStringList({"<HTML>", "<TITLE>Consegna &lt;7&gt;</TITLE>", "<BODY>",
                              "<H1>Prospetto consegna: &lt;7&gt;</H1>", "</TABLE>", "</BODY>", "</HTML>"}));
    }

    // The summary's table rows hold exactly what ContaTAbs answers for each issue and type.
    void prospettoComeContaTAbs() {
        TestHome t;
        PrintoutsFixture f(t);
        consegnaMista(f);
        ConteggiFascicoli conteggi;
        conteggi.leggi(f.db());
        int righe = 0;
        for (RecordSet rs = f.db().ApriRS(QStringLiteral(
                 "SELECT DISTINCT TabRifBibl.Fascicolo, substr(TabRifBibl.Data,1,4) as Anno, "
                 "TabRivisteOnline.IDRivistaOnline FROM TabRivisteOnline, TabRifBibl, TabDocumento WHERE "
                 "TabDocumento.IDRifBibl = TabRifBibl.IDRifBibl AND TabRifBibl.IDRivistaOnline = "
                 "TabRivisteOnline.IDRivistaOnline"));
             !rs.eof(); rs.moveNext(), ++righe) {
            const QString F = rs.field(0).toString();
            const QString anno = rs.field(1).toString();
            const QString rivista = rs.field(2).toString();
            const auto riga = conteggi.perTAbs(rivista, F, anno);
            for (size_t i = 0; i < kCodiciTAbs.size(); ++i)
                QCOMPARE(riga[i], ContaTAbs(f.db(), rivista, F, anno, QString::fromUtf16(kCodiciTAbs[i])));
            const QString FC = rs.field(0).isNull() ? QStringLiteral("<Null>") : F;
            QCOMPARE(conteggi.documenti(FC, anno, rivista),
                     ContaDocumentiFascicolo(f.db(), FC, anno, rivista));
        }
        QCOMPARE(righe, 7);
        // An issue without number counts every issue of its journal and year.
        const auto senzaNumero = conteggi.perTAbs("100", "", "2004");
        QCOMPARE(senzaNumero[0], 2);
        QCOMPARE(senzaNumero[5], 2);
    }

    void consistenza() {
        TestHome t;
        PrintoutsFixture f(t);
        f.rivista(QStringLiteral("100"), QStringLiteral("Rivista A"), QStringLiteral("M"));
        f.rivista(QStringLiteral("200"), QStringLiteral("Rivista B"), QStringLiteral("T"));
        QStringList dodici;
        for (int i = 0; i < 12; ++i)
            dodici << QStringLiteral("500");
        documenti(f, f.fascicolo("100", "2004-03-00", "5"), dodici);
        documenti(f, f.fascicolo("100", "2004-06-00", QVariant()), {"400", "400"});
        documenti(f, f.fascicolo("200", "2005-00", "1"), {"900"});
        documenti(f, f.fascicolo("200", "2005-02-00", "1"), {"900"});
        f.documento({}); // no issue: counted among the documents, not by issue

        const EsitoStampa esito = StampaConsistenza(t.state());
        QVERIFY2(esito.ok, qPrintable(esito.errore));
        QCOMPARE(esito.path, t.home().dumpPath(QStringLiteral("consistenza.12")));
        QCOMPARE(crlfLines(esito.path),
                 QStringList({"      2###100 2004 M ", "     12###100 2004 M 5", "      2###200 2005 T 1", "",
                              "Documenti: 16", "",
                              "Num. iniziale: 202630001   Num. finale: 202630017   Num. docc.: 17"}));
        QCOMPARE(t.dialogs().texts(),
                 QStringList({"TotTAbs: 16 --- Num. docc.: 17", "Fine stampa consistenza"}));
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info[InfoStampaConsistenze], QStringLiteral("1"));
    }

    void consistenzaNumeri_data() {
        QTest::addColumn<QString>("inizio");
        QTest::addColumn<int>("documenti");
        QTest::addColumn<QString>("ultima");
        QTest::newRow("35 from 1") << "1" << 35
                                   << "Num. iniziale: 202630001   Num. finale: 202630035   Num. docc.: 35";
        QTest::newRow("none") << "1" << 0
                              << "Num. iniziale: 202630001   Num. finale: 202630000   Num. docc.: 0";
        QTest::newRow("from 9990") << "9990" << 12
                                   << "Num. iniziale: 202639990   Num. finale: 2026310001   Num. docc.: 12";
    }
    void consistenzaNumeri() {
        QFETCH(QString, inizio);
        QFETCH(int, documenti);
        QFETCH(QString, ultima);
        TestHome t;
        PrintoutsFixture f(t, QStringLiteral("2026"), inizio);
        f.rivista(QStringLiteral("100"), QStringLiteral("Rivista A"));
        const qint64 rif = f.fascicolo("100", "2004-03-00", "5");
        QStringList tabs;
        for (int i = 0; i < documenti; ++i)
            tabs << QStringLiteral("400");
        ::documenti(f, rif, tabs);
        const EsitoStampa esito = StampaConsistenza(t.state());
        QVERIFY(esito.ok);
        const QStringList lines = crlfLines(esito.path);
        QCOMPARE(lines.last(), ultima);
        QCOMPARE(lines.at(lines.size() - 3), QStringLiteral("Documenti: %1").arg(documenti));
        QCOMPARE(t.dialogs().texts().first(),
                 QStringLiteral("TotTAbs: %1 --- Num. docc.: %1").arg(documenti));
    }

    // Every line's count is what ContaDocumentiFascicolo answers, years of any shape included.
    void consistenzaComeContaDocumenti() {
        TestHome t;
        PrintoutsFixture f(t);
        consegnaMista(f);
        const EsitoStampa esito = StampaConsistenza(t.state());
        QVERIFY(esito.ok);
        QStringList attese;
        qint64 totale = 0;
        for (RecordSet rs = f.db().ApriRS(QStringLiteral(
                 "SELECT DISTINCT Fascicolo, substr(Data,1,4) as Anno, TabRifBibl.IDRivistaOnline, "
                 "IDPeriodicita "
                 "FROM TabRivisteOnline, tabRifBibl, tabDocumento WHERE tabRivisteOnline.IDRivistaOnline = "
                 "tabRifBibl.IDRivistaOnline and tabRifBibl.IDRifBibl = tabDocumento.IDRifBibl ORDER BY "
                 "TabRifBibl.IDRivistaOnline, substr(Data,1,4), TabRifBibl.Fascicolo"));
             !rs.eof(); rs.moveNext()) {
            const QString F = rs.field(0).isNull() ? QStringLiteral("<Null>") : rs.field(0).toString();
            const qint64 n =
                ContaDocumentiFascicolo(f.db(), F, rs.field(1).toString(), rs.field(2).toString());
            totale += n;
            attese << RigaConsistenza(n, rs.field(2).toString(), rs.field(1).toString(),
                                      rs.field(3).toString(), rs.field(0).toString());
        }
        const QStringList lines = crlfLines(esito.path);
        QCOMPARE(lines.mid(0, attese.size()), attese);
        QCOMPARE(lines.at(attese.size() + 1), QStringLiteral("Documenti: %1").arg(totale));
        QVERIFY(attese.contains(QStringLiteral("      1###200 04-1 T x")));
    }

    void erroreDatabase() {
        TestHome t;
        PrintoutsFixture f(t);
        f.db().executeScript(QStringLiteral("drop table tabRivisteOnline"));
        for (const auto& run : {&StampaProspetto, &StampaConsistenza}) {
            t.dialogs().clear();
            const EsitoStampa esito = run(t.state());
            QVERIFY(!esito.ok);
            QVERIFY2(esito.errore.contains(u"tabRivisteOnline", Qt::CaseInsensitive),
                     qPrintable(esito.errore));
            QVERIFY(t.dialogs().texts().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(PrintoutsReports)
#include "tst_printouts_reports.moc"
