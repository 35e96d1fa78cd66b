// The page of the official texts (URN:NIR, ELI, ECLI): its lines, escaping and markup in single and
// update mode, the service addresses of quillaro.ini, and the commands that write it.

#include "FixtureControlli.h"
#include "app/cli/Cli.h"
#include "checks/StampeHtml.h"
#include "checks/Uscite.h"
#include "store/Archivio.h"
#include "update/FileSigle.h"

#include <QXmlStreamReader>

namespace {

QString dump(TestHome& t, const QString& nome) {
    return t.home().dumpPath(nome);
}

QString link(const QString& testo, const QString& identificativo, const QString& indirizzo,
             const QString& servizio) {
    return testo + QStringLiteral(" ---> ") + identificativo + QStringLiteral(" <A HREF=\"") + indirizzo +
           QStringLiteral("\"><FONT SIZE=\"2\" COLOR=\"#0000ff\"><U>[recupera via ") + servizio +
           QStringLiteral("]</U></FONT></A><br/>");
}

const QString kNormattiva = QStringLiteral("https://www.normattiva.it/uri-res/N2Ls?");

qint64 nomeComunitario(ArchivioProva& a, const QString& nome) {
    RecordSet rs =
        a.db().ApriRS(QStringLiteral("select IDFonteCom from tabFonteCom where FonteCom = ?"), {nome});
    if (rs.eof())
        qFatal("no EU name %s", qPrintable(nome));
    return rs.field(0).toLongLong();
}

qint64 interna(ArchivioProva& a, const QString& tp, const QString& nome, const QVariantMap& altri) {
    QVariantMap c = altri;
    c[QStringLiteral("TP")] = tp;
    c[QStringLiteral("IDNomeFonte")] = a.nomeInterno(nome);
    return a.fonte(c);
}

// Four documents: 1 with sources of every kind, 2 without sources, 3 with none that can be
// opened (one of them a royal decree of a year without kings), 4 with only one that can.
void fontiUfficiali(ArchivioProva& a) {
    Doc d1;
    d1.testi = {{QStringLiteral("0"), QStringLiteral("Leggi <dello> Stato & città")}};
    d1.fonti << interna(a, QStringLiteral("LIO"), QStringLiteral("l."),
                        {{QStringLiteral("articolo"), QStringLiteral("3")},
                         {QStringLiteral("giorno"), QStringLiteral("7")},
                         {QStringLiteral("mese"), QStringLiteral("8")},
                         {QStringLiteral("anno"), QStringLiteral("1990")},
                         {QStringLiteral("numero"), QStringLiteral("241")},
                         {QStringLiteral("testo"), QStringLiteral("art. 3 l. 7 agosto 1990, n. 241")}})
             << interna(a, QStringLiteral("LIR"), QStringLiteral("l. reg."),
                        {{QStringLiteral("giorno"), QStringLiteral("12")},
                         {QStringLiteral("mese"), QStringLiteral("12")},
                         {QStringLiteral("anno"), QStringLiteral("2003")},
                         {QStringLiteral("numero"), QStringLiteral("26")},
                         {QStringLiteral("testo"), QStringLiteral("l. reg. LO 12 dicembre 2003, n. 26")}})
             << interna(a, QStringLiteral("GICO"), QStringLiteral("C. Cost."),
                        {{QStringLiteral("giorno"), QStringLiteral("13")},
                         {QStringLiteral("mese"), QStringLiteral("1")},
                         {QStringLiteral("anno"), QStringLiteral("2020")},
                         {QStringLiteral("numero"), QStringLiteral("1")},
                         {QStringLiteral("Ordinanza"), -1},
                         {QStringLiteral("testo"), QStringLiteral("ord. C. Cost. 13 gennaio 2020, n. 1")}})
             << a.fonte({{QStringLiteral("TP"), QStringLiteral("GEI")},
                         {QStringLiteral("IDNomeFonte"), 2},
                         {QStringLiteral("testo"),
                          QStringLiteral("C. eur. dir. uomo 1 gennaio 2000 (Rossi c. Italia)")}})
             << a.fonte({{QStringLiteral("TP"), QStringLiteral("NIC")},
                         {QStringLiteral("IDNomeFonte"), nomeComunitario(a, QStringLiteral("Dir. UE"))},
                         {QStringLiteral("anno"), QStringLiteral("2016")},
                         {QStringLiteral("numero"), QStringLiteral("680")},
                         {QStringLiteral("testo"), QStringLiteral("Dir. UE 2016/680")}})
             << interna(
                    a, QStringLiteral("LIC"), QStringLiteral("c.c."),
                    {{QStringLiteral("articolo"), QStringLiteral("2043")},
                     {QStringLiteral("testo"), QStringLiteral("art. 2043 c.c. \"fatto <illecito>\" & è")}});
    a.documento(d1);
    Doc d2;
    d2.senzaFonti = true;
    a.documento(d2);
    Doc d3;
    d3.fonti << interna(a, QStringLiteral("GICA"), QStringLiteral("Cass."),
                        {{QStringLiteral("numero"), QStringLiteral("26972")},
                         {QStringLiteral("anno"), QStringLiteral("2008")},
                         {QStringLiteral("testo"), QStringLiteral("Cass. <sez. un.>\r\n11 novembre 2008")}})
             << interna(a, QStringLiteral("LIO"), QStringLiteral("r.d."),
                        {{QStringLiteral("giorno"), QStringLiteral("1")},
                         {QStringLiteral("mese"), QStringLiteral("3")},
                         {QStringLiteral("anno"), QStringLiteral("1950")},
                         {QStringLiteral("numero"), QStringLiteral("5")},
                         {QStringLiteral("testo"), QStringLiteral("r.d. 1 marzo 1950, n. 5")}});
    a.documento(d3);
    Doc d4;
    d4.testi.clear();
    d4.fonti << interna(a, QStringLiteral("LIC"), QStringLiteral("Cost."),
                        {{QStringLiteral("articolo"), QStringLiteral("117")},
                         {QStringLiteral("ripa"), QStringLiteral("bis")},
                         {QStringLiteral("testo"), QStringLiteral("art. 117 bis Cost.")}});
    a.documento(d4);
}

QStringList paginaNir(const QString& titolo) {
    const QString urnLegge = QStringLiteral("urn:nir:stato:legge:1990-08-07;241~art3");
    const QString urnCodice = QStringLiteral("urn:nir:stato:regio.decreto:1942-03-16;262:2~art2043");
    const QString urnCost = QStringLiteral("urn:nir:stato:costituzione:1947-12-27~art117bis");
    const QString eli = QStringLiteral("http://data.europa.eu/eli/dir/2016/680/oj");
    const QString ecli = QStringLiteral("ECLI:IT:COST:2020:1");
    return {
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        titolo,
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<h1>Consegna 12</h1>"),
        QStringLiteral("<h2>Documento: 202630001 (Record: 1)</h2>"),
        QStringLiteral("<h3>Leggi &lt;dello&gt; Stato &amp; citt&#224;</h3>"),
        link(QStringLiteral("art. 3 l. 7 agosto 1990, n. 241"), urnLegge, kNormattiva + urnLegge,
             QStringLiteral("Normattiva")),
        link(QStringLiteral("ord. C. Cost. 13 gennaio 2020, n. 1"), ecli,
             QStringLiteral("https://www.cortecostituzionale.it/actionSchedaPronuncia.do?param_ecli=") + ecli,
             QStringLiteral("ECLI")),
        link(QStringLiteral("Dir. UE 2016/680"), eli, eli, QStringLiteral("ELI")),
        link(QStringLiteral("art. 2043 c.c. \"fatto &lt;illecito&gt;\" &amp; &#232;"), urnCodice,
             kNormattiva + urnCodice, QStringLiteral("Normattiva")),
        QStringLiteral("<p><i>Fonti senza identificativo ufficiale:</i></p>"),
        QStringLiteral("<ul>"),
        QStringLiteral("<li>l. reg. LO 12 dicembre 2003, n. 26</li>"),
        QStringLiteral("<li>C. eur. dir. uomo 1 gennaio 2000 (Rossi c. Italia)*GEI*</li>"),
        QStringLiteral("</ul>"),
        QStringLiteral("<hr size=\"1\"/>"),
        QStringLiteral("<h2>Documento: 202630003 (Record: 3)</h2>"),
        QStringLiteral("<h3>Titolo del documento</h3>"),
        QStringLiteral("<p><i>Fonti senza identificativo ufficiale:</i></p>"),
        QStringLiteral("<ul>"),
        QStringLiteral("<li>Cass. &lt;sez. un.&gt;"),
        QStringLiteral("11 novembre 2008</li>"),
        QStringLiteral("<li>r.d. 1 marzo 1950, n. 5 (data impossibile per il tipo di atto)</li>"),
        QStringLiteral("</ul>"),
        QStringLiteral("<hr size=\"1\"/>"),
        QStringLiteral("<h2>Documento: 202630004 (Record: 4)</h2>"),
        link(QStringLiteral("art. 117 bis Cost."), urnCost, kNormattiva + urnCost,
             QStringLiteral("Normattiva")),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>")};
}

// Parses a page as XML: what a browser reads as intended, with no tag left open or crossed.
QString erroreMarkup(const QByteArray& pagina) {
    QXmlStreamReader xml(pagina);
    QStringList aperti;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement())
            aperti << xml.name().toString();
    }
    if (xml.hasError())
        return xml.errorString() + QStringLiteral(" at line ") + QString::number(xml.lineNumber());
    return aperti.isEmpty() || aperti.first() != u"HTML" ? QStringLiteral("no page") : QString();
}

int cli(const QStringList& args, QString* out, QString* err) {
    QTextStream o(out);
    QTextStream e(err);
    return runCli(args, o, e);
}

} // namespace

class ChecksNir : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void singlePage() {
        TestHome t;
        ArchivioProva a(t);
        fontiUfficiali(a);
        const QString path = StampaNir(t.state());
        QCOMPARE(path, dump(t, QStringLiteral("StampaHTML_NIR 12.html")));
        const QByteArray bytes = readFileBytes(path);
        QCOMPARE(bytes, righe(paginaNir(QStringLiteral("<TITLE>Consegna 12</TITLE>"))));
        QVERIFY2(erroreMarkup(bytes).isEmpty(), qPrintable(erroreMarkup(bytes)));
        QCOMPARE(t.dialogs().texts(), QStringList{QStringLiteral("Fine stampa HTML_NIR (consegna 12)")});
        // Nothing is recorded: the page only reads the archive.
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info.mid(InfoStorico).join(QString()), QString());
    }

    // The page does not depend on how the sources' keys lie: in order, far apart (deletions), or
    // linked from a document whose source is gone.
    void sameLinesWhateverTheKeys_data() {
        QTest::addColumn<QStringList>("modifiche");
        QTest::newRow("in order") << QStringList{};
        QTest::newRow("far apart") << QStringList{
            QStringLiteral("update tabFonte set IDFonte = IDFonte * 1000003 + 7"),
            QStringLiteral("update legameDocFonte set IDFonte = IDFonte * 1000003 + 7")};
        QTest::newRow("one far from the others") << QStringList{
            QStringLiteral("update tabFonte set IDFonte = 90000000 where IDFonte = (select max(IDFonte) from "
                           "tabFonte)"),
            QStringLiteral("update legameDocFonte set IDFonte = 90000000 where IDFonte = (select max(IDFonte) "
                           "from legameDocFonte)")};
        QTest::newRow("one a little apart") << QStringList{
            QStringLiteral("update tabFonte set IDFonte = 200000 where IDFonte = (select max(IDFonte) from "
                           "tabFonte)"),
            QStringLiteral("update legameDocFonte set IDFonte = 200000 where IDFonte = (select max(IDFonte) "
                           "from legameDocFonte)")};
        QTest::newRow("source gone") << QStringList{
            QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (2, 123456)"),
            QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (4, 123457)")};
    }
    void sameLinesWhateverTheKeys() {
        QFETCH(QStringList, modifiche);
        TestHome t;
        ArchivioProva a(t);
        fontiUfficiali(a);
        for (const QString& sql : std::as_const(modifiche))
            a.db().EseguiIstruzione(sql);
        QCOMPARE(readFileBytes(StampaNir(t.state())), righe(paginaNir(QStringLiteral("<TITLE>Consegna 12</TITLE>"))));
    }

    // Lines are made in batches on another thread: a source cited many times, and more sources
    // than a batch, keep their places.
    void manySources() {
        TestHome t;
        ArchivioProva a(t);
        fontiUfficiali(a);
        const qint64 ultima = a.db().ApriRS(QStringLiteral("select max(IDFonte) from tabFonte")).integer(0);
        a.db().EseguiIstruzione(
            QStringLiteral("create temp table copia as select * from tabFonte where IDFonte = %1").arg(ultima));
        a.db().EseguiIstruzione(QStringLiteral("update copia set IDFonte = null"));
        constexpr int kCopie = 5000;
        for (int i = 0; i < kCopie; ++i)
            a.db().EseguiIstruzione(QStringLiteral("insert into tabFonte select * from copia"));
        a.db().EseguiIstruzione(QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) select 4, IDFonte "
                                               "from tabFonte where IDFonte > %1 order by IDFonte")
                                    .arg(ultima));
        a.db().EseguiIstruzione(
            QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (4, %1)").arg(ultima));
        QStringList attesa = paginaNir(QStringLiteral("<TITLE>Consegna 12</TITLE>"));
        const qsizetype riga = attesa.size() - 3; // doc 4's link
        for (int i = 0; i < kCopie + 1; ++i)
            attesa.insert(riga, attesa.at(riga));
        QCOMPARE(readFileBytes(StampaNir(t.state())), righe(attesa));
    }

    void emptyDeliveryGivesAnEmptyPage() {
        TestHome t;
        ArchivioProva a(t);
        const QByteArray bytes = readFileBytes(StampaNir(t.state()));
        QCOMPARE(bytes, righe({"<HTML>", "<HEAD>", "<TITLE>Consegna 12</TITLE>", "</HEAD>", "<BODY>",
                               "<h1>Consegna 12</h1>", "</BODY>", "</HTML>"}));
        QVERIFY(erroreMarkup(bytes).isEmpty());
    }

    void pagesAppendInUpdateMode() {
        TestHome t;
        ArchivioProva a(t);
        fontiUfficiali(a);
        t.state().ModoAggiornamento = true;
        t.state().SiglaAggiornamento = QStringLiteral("N<1");
        t.state().FileScelto = dump(t, QStringLiteral("StampaHTML_NIR N26.htm"));
        QCOMPARE(StampaNir(t.state()), t.state().FileScelto);
        StampaNir(t.state());
        const QByteArray pagina =
            righe(paginaNir(QStringLiteral("<TITLE>Aggiornamento N&lt;1</TITLE>")) + QStringList{QString()});
        const QByteArray bytes = readFileBytes(t.state().FileScelto);
        QCOMPARE(bytes, pagina + pagina);
        // Each archive's page stands whole on its own.
        QVERIFY(erroreMarkup(bytes.left(pagina.size())).isEmpty());
        QVERIFY(!QFileInfo::exists(dump(t, QStringLiteral("StampaHTML_NIR 12.html"))));
    }

    // The addresses of quillaro.ini, made safe for the attribute they go in.
    void serviceBasesComeFromSettings() {
        TestHome t;
        QFile ini(t.home().settingsPath());
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[services]\nnormattiva=\"http://n.example/a'b&c/\"\neli=https://e.example\n"
                  "cortecostituzionale=http://c.example/\n");
        ini.close();
        t.state().settings = Settings::load(t.home());
        ArchivioProva a(t);
        fontiUfficiali(a);
        const QByteArray bytes = readFileBytes(StampaNir(t.state()));
        const QString pagina = QString::fromLatin1(bytes);
        QVERIFY2(pagina.contains(QStringLiteral("<A "
                                                "HREF=\"http://n.example/a&#39;b&amp;c/uri-res/"
                                                "N2Ls?urn:nir:stato:legge:1990-08-07;241~art3\">")),
                 qPrintable(pagina));
        QVERIFY(pagina.contains(QStringLiteral("<A HREF=\"https://e.example/eli/dir/2016/680/oj\">")));
        QVERIFY(pagina.contains(QStringLiteral(
            "<A HREF=\"http://c.example/actionSchedaPronuncia.do?param_ecli=ECLI:IT:COST:2020:1\">")));
        // The identifier itself stays as the standard writes it.
        QVERIFY(pagina.contains(QStringLiteral(" ---> http://data.europa.eu/eli/dir/2016/680/oj <A")));
        QVERIFY(erroreMarkup(bytes).isEmpty());
    }

    void aRefusedStatementIsReported() {
        TestHome t;
        ArchivioProva a(t);
        fontiUfficiali(a);
        a.db().EseguiIstruzione(QStringLiteral("drop table tabFonteCom"));
        QVERIFY(!SegnalaErrori(t.state(), [&] { StampaNir(t.state()); }));
        QVERIFY2(t.dialogs().lastText().contains(QStringLiteral("tabFonteCom"), Qt::CaseInsensitive),
                 qPrintable(t.dialogs().lastText()));
        QCOMPARE(t.dialogs().shown().back().icon, Icon::Critical);
    }

    void commandLine() {
        TestHome t;
        ArchivioProva a(t);
        fontiUfficiali(a);
        ChiudiArchivio(t.state());

        QString out, err;
        QCOMPARE(cli({QStringLiteral("--home"), t.root(), QStringLiteral("nir"), QStringLiteral("PROVA")},
                     &out, &err),
                 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
        QCOMPARE(out.split(u'\n').first(), QStringLiteral("Fine stampa HTML_NIR (consegna 12)"));
        QVERIFY2(out.contains(QStringLiteral("File scritto: ") +
                              dump(t, QStringLiteral("StampaHTML_NIR 12.html"))),
                 qPrintable(out));
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("StampaHTML_NIR 12.html"))),
                 righe(paginaNir(QStringLiteral("<TITLE>Consegna 12</TITLE>"))));

        ScriviFileSigle(t.home().mdbPath(QStringLiteral("sigle.N26")), {QStringLiteral("PROVA")});
        out.clear();
        QCOMPARE(cli({QStringLiteral("--home"), t.root(), QStringLiteral("update"),
                      QStringLiteral("sigle.N26"), QStringLiteral("nir")},
                     &out, &err),
                 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
        const QString batch = dump(t, QStringLiteral("StampaHTML_NIR N26.htm"));
        QVERIFY2(out.contains(QStringLiteral("File scritto: ") + batch), qPrintable(out));
        QCOMPARE(readFileBytes(batch), righe(paginaNir(QStringLiteral("<TITLE>Aggiornamento N26</TITLE>")) +
                                             QStringList{QString()}));

        QCOMPARE(cli({QStringLiteral("--home"), t.root(), QStringLiteral("nir")}, &out, &err), 2);
        QVERIFY(err.contains(QStringLiteral("nir ARCHIVE")));
    }
};

QTEST_GUILESS_MAIN(ChecksNir)
#include "tst_checks_nir.moc"
