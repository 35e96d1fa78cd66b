// The RTF delivery print: each fragment, the whole file, the filter, the template and the safety
// of every archive text in the RTF.

#include "PrintoutsFixture.h"
#include "generator/Generatore.h"
#include "printouts/StampaConsegna.h"
#include "printouts/TestoSicuro.h"
#include "store/Archivio.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

const QString P = QStringLiteral(R"(\pard \fi-397\li397\nowidctlpar\widctlpar\adjustright )");
const QString kDoc = QStringLiteral(
    R"(\pard\plain \qj\nowidctlpar\widctlpar\tqr\tx8505\adjustright \fs20\lang1040\cgrid \pard \fi-397\li397\nowidctlpar\widctlpar\adjustright {\b Documento: })");
const QString kTitolo = QStringLiteral(
    R"(\pard\plain \qj\nowidctlpar\widctlpar\tqr\tx8505\adjustright \fs36\lang1040\cgrid \pard \fi-397\li397\nowidctlpar\widctlpar\adjustright {\b\scaps Stampa consegna )");

QString riga(const QString& etichetta, const QString& contenuto) {
    return P + QStringLiteral("{\\b ") + etichetta + QStringLiteral(": }{") + contenuto +
           QStringLiteral("\\par }");
}

// Braces balance and never close more than was opened, escapes aside.
bool graffeBilanciate(const QString& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == u'\\') {
            ++i;
            continue;
        }
        if (rtf[i] == u'{')
            ++depth;
        else if (rtf[i] == u'}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

bool soloAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

DocumentoStampa documento(qint64 id, qint64 rif = 0) {
    DocumentoStampa d;
    d.IDDocumento = id;
    d.IDRifBibl = rif;
    d.LIN = d.lo = d.lr = d.la = QStringLiteral("00");
    return d;
}

} // namespace

class PrintoutsRtf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rtfEscape_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rtf");
        QTest::newRow("plain") << "Titolo semplice"
                               << "Titolo semplice";
        QTest::newRow("backslash doubled") << "a\\b"
                                           << "a\\\\b";
        QTest::newRow("braces") << "{x}"
                                << "\\{x\\}";
        QTest::newRow("latin") << QStringLiteral("città è") << "citt\\'e0 \\'e8";
        QTest::newRow("cp1252 high") << QStringLiteral("— € “x”") << "\\'97 \\'80 \\'93x\\'94";
        QTest::newRow("outside cp1252") << QStringLiteral("ŝ 中") << "{\\uc1\\u349?} {\\uc1\\u20013?}";
        QTest::newRow("above 32767") << QStringLiteral("\uFB01") << "{\\uc1\\u-1279?}";
        QTest::newRow("surrogate pair") << QStringLiteral("😀") << "{\\uc1\\u-10179?\\u-8704?}";
        QTest::newRow("tab and breaks") << "a\tb\r\nc\nd"
                                        << "a\\tab b\\line c\\line d";
        QTest::newRow("control") << QString(QChar(0x01)) << "\\'01";
    }
    void rtfEscape() {
        QFETCH(QString, text);
        QFETCH(QString, rtf);
        QCOMPARE(::rtfEscape(text), rtf);
    }

    void rigaDocumento_data() {
        QTest::addColumn<QString>("anno");
        QTest::addColumn<QString>("inizio");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("identificativo");
        QTest::newRow("start 1, doc 27") << "2005"
                                         << "1" << qint64(27) << "200530027";
        QTest::newRow("start 100, doc 1") << "2026"
                                          << "100" << qint64(1) << "202630100";
        QTest::newRow("five digits") << "2026"
                                     << "9990" << qint64(20) << "2026310009";
    }
    void rigaDocumento() {
        QFETCH(QString, anno);
        QFETCH(QString, inizio);
        QFETCH(qint64, id);
        QFETCH(QString, identificativo);
        TestHome t;
        PrintoutsFixture f(t, anno, inizio);
        StampaRtf completa(t.state(), true);
        QCOMPARE(completa.RigaDocumento(id, false), kDoc + u'{' + identificativo +
                                                        QStringLiteral(" (\\i REC=") + QString::number(id) +
                                                        ")\\par }");
        QCOMPARE(completa.RigaDocumento(id, true),
                 kDoc + QStringLiteral("{(\\i REC=") + QString::number(id) + ")\\par }");
        QCOMPARE(completa.RigaDocID(id),
                 P + "{\\b DocID: }{AP=" + anno + " NP=" + identificativo.right(5) + "\\par }");
        QCOMPARE(completa.RigaTitolo(), kTitolo + "12 (completa)}{\\fs32\\par \\par }");
        QCOMPARE(StampaRtf(t.state(), false).RigaTitolo(), kTitolo + "12 (solo testi)}{\\fs32\\par \\par }");
    }

    void riferimentoEsteso_data() {
        QTest::addColumn<QString>("rivista");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("fascicolo");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QString>("pagine");
        QTest::addColumn<QString>("bib");
        QTest::addColumn<QString>("esteso");
        QTest::newRow("month") << "100"
                               << "2004-03-00"
                               << ""
                               << ""
                               << ""
                               << ""
                               << "Riv, 2004 (marzo)";
        QTest::newRow("month and day") << "100"
                                       << "2004-03-07"
                                       << ""
                                       << ""
                                       << ""
                                       << ""
                                       << "Riv, 2004 (marzo 7)";
        QTest::newRow("year") << "100"
                              << "2004-00-00"
                              << ""
                              << ""
                              << ""
                              << ""
                              << "Riv, 2004";
        QTest::newRow("year alone, 7 chars") << "100"
                                             << "2005-00"
                                             << ""
                                             << ""
                                             << ""
                                             << ""
                                             << "Riv, 2005";
        QTest::newRow("december 31") << "100"
                                     << "2004-12-31"
                                     << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "Riv, 2004 (dicembre 31)";
        QTest::newRow("no such month") << "100"
                                       << "2004-13-05"
                                       << ""
                                       << ""
                                       << ""
                                       << ""
                                       << "Riv, 2004";
        QTest::newRow("page range") << "100"
                                    << "2004-00-00"
                                    << ""
                                    << ""
                                    << "12-15"
                                    << ""
                                    << "Riv, 2004, pagg. 12-15";
        QTest::newRow("one page") << "100"
                                  << "2004-00-00"
                                  << ""
                                  << ""
                                  << "12"
                                  << ""
                                  << "Riv, 2004,  pag. 12";
        QTest::newRow("page count 9001") << "9001"
                                         << "2004-00-00"
                                         << ""
                                         << ""
                                         << "14"
                                         << ""
                                         << "Riv, 2004, 14 pagg.";
        QTest::newRow("page count 9000") << "9000"
                                         << "2004-00-00"
                                         << ""
                                         << ""
                                         << "3-4"
                                         << ""
                                         << "Riv, 2004, 3-4 pagg.";
        QTest::newRow("journal 8999") << "8999"
                                      << "2004-00-00"
                                      << ""
                                      << ""
                                      << "14"
                                      << ""
                                      << "Riv, 2004,  pag. 14";
        QTest::newRow("everything") << "100"
                                    << "2004-03-07"
                                    << "3"
                                    << "XII"
                                    << "1-2"
                                    << "Monografia"
                                    << "Riv, vol. XII, 2004, fasc. 3 (marzo 7), pagg. 1-2, (Monografia)";
    }
    void riferimentoEsteso() {
        QFETCH(QString, rivista);
        QFETCH(QString, data);
        QFETCH(QString, fascicolo);
        QFETCH(QString, volume);
        QFETCH(QString, pagine);
        QFETCH(QString, bib);
        QFETCH(QString, esteso);
        RiferimentoBibl r;
        r.IDRivistaOnline = rivista;
        r.Data = data;
        r.Fascicolo = fascicolo;
        r.Volume = volume;
        r.Titolo = QStringLiteral("Riv");
        QCOMPARE(RiferimentoEsteso(r, pagine, bib.isEmpty() ? QString() : QStringLiteral("1"), bib), esteso);
    }

    void riferimentoCodificato() {
        TestHome t;
        PrintoutsFixture f(t);
        f.rivista(QStringLiteral("100"), QStringLiteral("Riv"));
        f.bibliografia(QStringLiteral("1"), QStringLiteral("Monografia"));
        const qint64 pieno = f.fascicolo("100", "2004-03-07", "3", "XII", "2004");
        const qint64 vuoto = f.fascicolo("100", "2004-00-00", QVariant(), QVariant(), QVariant());
        StampaRtf completa(t.state(), true);

        DocumentoStampa d = documento(1, pieno);
        d.pagine = QStringLiteral("12-15");
        d.TAbs = QStringLiteral("500");
        d.Bib = QStringLiteral("1");
        d.TD = QStringLiteral("03");
        QCOMPARE(completa.StampaRiferimento(d),
                 QStringList({riga("Riferimenti bibl. 1", "CPer=100 DATA=2004-03-07 FASC=3 VOL=XII ANN=2004"),
                              riga("Riferimenti bibl. 2", "PAG=12-15 TABS=500 BIB=1 TD=03 LIN=00"),
                              riga("Riferimenti estesi",
                                   "Riv, vol. XII, 2004, fasc. 3 (marzo 7), pagg. 12-15, (Monografia)")}));
        QCOMPARE(StampaRtf(t.state(), false).StampaRiferimento(d),
                 QStringList({riga("Riferimenti estesi",
                                   "Riv, vol. XII, 2004, fasc. 3 (marzo 7), pagg. 12-15, (Monografia)")}));

        // Codes not given, languages other than "00", a bibliography type the archive lacks.
        DocumentoStampa e = documento(2, vuoto);
        e.Bib = QStringLiteral("7");
        e.LIN = QString();
        e.lo = QStringLiteral("01");
        e.la = QString();
        QCOMPARE(completa.StampaRiferimento(e),
                 QStringList({riga("Riferimenti bibl. 1", "CPer=100 DATA=2004-00-00"),
                              riga("Riferimenti bibl. 2", "PAG= BIB=7 LIN= LO=01 LA="),
                              riga("Riferimenti estesi", "Riv, 2004, (7)")}));

        // A reference that is not in the archive prints nothing.
        QVERIFY(completa.StampaRiferimento(documento(3, 999)).isEmpty());
    }

    void responsabilita_data() {
        QTest::addColumn<QStringList>("persone"); // primo|secondo|A or C; "-" for a Null secondo
        QTest::addColumn<QString>("attesa");
        QTest::newRow("author first")
            << QStringList{"Rossi|Mario|A", "Bianchi|-|C"} << riga("Autore", "Rossi, Mario; Bianchi");
        QTest::newRow("curator first")
            << QStringList{"Verdi||C", "Neri|Anna|A"} << riga("Curatore", "Verdi; Neri, Anna");
        QTest::newRow("nobody") << QStringList{} << QString();
    }
    void responsabilita() {
        QFETCH(QStringList, persone);
        QFETCH(QString, attesa);
        TestHome t;
        PrintoutsFixture f(t);
        const qint64 doc = f.documento({});
        for (const QString& p : persone) {
            const QStringList parts = p.split(u'|');
            f.responsabile(doc, parts[0], parts[1] == u"-" ? QVariant() : QVariant(parts[1]),
                           parts[2] == u"A");
        }
        QCOMPARE(StampaRtf(t.state(), true).StampaResponsabilita(doc).value_or(QString()), attesa);
    }

    void testiPerTipoETD_data() {
        QTest::addColumn<QString>("TD");
        QTest::addColumn<bool>("completa");
        QTest::addColumn<QString>("titoloNota");
        QTest::newRow("02") << "02" << true << "Relazione";
        QTest::newRow("03") << "03" << true << "Nota a sentenza";
        QTest::newRow("04 texts only") << "04" << false << "Recensione";
        QTest::newRow("07") << "07" << true << "Commento a legislazione";
        QTest::newRow("08") << "08" << false << "Rassegna di giurisprudenza";
        QTest::newRow("09") << "09" << true << "Rassegna di legislazione";
        QTest::newRow("01: no note") << "01" << true << "";
        QTest::newRow("none: no note") << "" << false << "";
    }
    void testiPerTipoETD() {
        QFETCH(QString, TD);
        QFETCH(bool, completa);
        QFETCH(QString, titoloNota);
        TestHome t;
        PrintoutsFixture f(t);
        PrintoutsFixture::Doc voce;
        voce.TD = TD;
        voce.url = QStringLiteral("https://example.org/a");
        const qint64 doc = f.documento(voce);
        for (const char* tipo : {"8", "7", "5", "4", "3", "2", "1", "0"})
            f.testo(doc, QString::fromLatin1(tipo), QStringLiteral("T") + QString::fromLatin1(tipo));
        f.testo(doc, QStringLiteral("0"), QStringLiteral("second title, not printed"));

        DocumentoStampa d = documento(doc);
        d.TD = TD;
        d.DocURL = QStringLiteral("https://example.org/a");
        QStringList lines;
        StampaRtf(t.state(), completa).StampaDocumento(d, false, lines);

        QStringList attese{kDoc + "{202630001 (\\i REC=1)\\par }"};
        if (completa)
            attese << P + "{\\b DocID: }{AP=2026 NP=30001\\par }";
        attese << riga("Titolo", "T0") << riga("URL", "https://example.org/a") << riga("Traduzione", "T3");
        if (!titoloNota.isEmpty())
            attese << riga(titoloNota, "T4");
        attese << riga("Riassunto", "T1") << riga("Sommario", "T2") << riga("In tema di", "T7")
               << riga("English abstract", "T8");
        if (completa)
            attese << P + "{\\b \\i Nota compilatore: }{\\i T5\\par }";
        attese << "{\\par }";
        QCOMPARE(lines, attese);
    }

    void fonti() {
        TestHome t;
        PrintoutsFixture f(t);
        const qint64 doc = f.documento({});
        const qint64 senza = f.documento({});
        const QList<std::pair<QString, QString>> fonti = {
            {"NIT", "Trattato di Roma"}, {"NIT", "Trattato *NIT*"}, {"LIO", "art. 3 l. 15 marzo 1990, n. 22"},
            {"GEC", "C. giust. CE"},     {"NS", "Code civil"},      {"GS", "BGH"},
            {"FSR", "D. 1.1.1"},         {"FCA", "can. 1"},         {"NIA", "ris. ONU"},
            {"GEI", "C. eur."},          {"LIC", "art. 2 Cost."},   {"AC", "CCNL"},
        };
        for (const auto& [tp, testo] : fonti)
            f.fonte(doc, tp, testo);
        f.fonte(doc, QStringLiteral("NIT"), QVariant());
        const QString attesa = P + "{\\b Fonte: }{" +
                               QStringList{"Trattato di Roma*NIT*",
                                           "Trattato *NIT*",
                                           "art. 3 l. 15 marzo 1990, n. 22",
                                           "C. giust. CE*GEC*",
                                           "Code civil*NS*",
                                           "BGH*GS*",
                                           "D. 1.1.1*FSR*",
                                           "can. 1*FCA*",
                                           "ris. ONU*NIA*",
                                           "C. eur.*GEI*",
                                           "art. 2 Cost.",
                                           "CCNL",
                                           "*NIT*"}
                                   .join("\\line ") +
                               "\\par }";
        StampaRtf stampa(t.state(), true);
        QCOMPARE(stampa.StampaFonti(doc).value_or(QString()), attesa);
        QVERIFY(!stampa.StampaFonti(senza));
    }

    void classificazione() {
        TestHome t;
        PrintoutsFixture f(t);
        f.sistematico(QStringLiteral("S1"), QStringLiteral("Diritto civile"), QStringLiteral("CIV"));
        f.sistematico(QStringLiteral("S2"), QVariant(), QStringLiteral("PEN"));
        f.descrittore(QStringLiteral("D1"), QStringLiteral("Contratti"));
        f.descrittoreAsterisco(QStringLiteral("12A"), QStringLiteral("Vendita"));
        const qint64 doc = f.documento({});
        f.coppia(doc, QStringLiteral("S1"), QStringLiteral("D1"));
        f.coppia(doc, QStringLiteral("S1"), QStringLiteral("12A"));
        f.coppia(doc, QStringLiteral("S9"), QString());
        f.coppia(doc, QStringLiteral("S2"), QVariant());
        f.coppia(doc, QStringLiteral("S1"), QStringLiteral("D404"));
        f.coppia(doc, QStringLiteral("S1"), QStringLiteral("D1"));
        const QString attesa = P + "{\\b Classificazione: }{" +
                               QStringList{"CIV - Diritto civile (S1); Contratti (D1)",
                                           "CIV - Diritto civile (S1); Vendita (12A)",
                                           "(S9)",
                                           "PEN -  (S2)",
                                           "CIV - Diritto civile (S1); (D404)",
                                           "CIV - Diritto civile (S1); Contratti (D1)"}
                                   .join("\\\\") +
                               "\\par }";
        StampaRtf stampa(t.state(), true);
        QCOMPARE(stampa.StampaClassificazione(doc).value_or(QString()), attesa);
        QVERIFY(!stampa.StampaClassificazione(doc + 1));
    }

    // Null codes, pages, languages, issue fields, titles and descriptions print as empty text.
    void valoriNull() {
        TestHome t;
        PrintoutsFixture f(t);
        f.exec(QStringLiteral("insert into tabRivisteOnline (IDRivistaOnline, Titolo) values ('100', null)"));
        PrintoutsFixture::Doc voce;
        voce.rif = f.fascicolo("100", "2004-03-00", QVariant(), QVariant(), QVariant());
        voce.pagine = voce.TAbs = voce.Bib = voce.TD = voce.LIN = voce.url = QVariant();
        const qint64 doc = f.documento(voce);
        f.exec(QStringLiteral("update tabDocumento set LO = null, LR = '00', LA = null"));
        f.sistematico(QStringLiteral("S1"), QVariant(), QVariant());
        f.coppia(doc, QStringLiteral("S1"), QVariant());
        f.testo(doc, "0", QVariant());
        const EsitoStampa esito = StampaConsegna(t.state(), true, false);
        QVERIFY2(esito.ok, qPrintable(esito.errore));
        QCOMPARE(
            crlfLines(esito.path).mid(2),
            QStringList({kDoc + "{202630001 (\\i REC=1)\\par }", P + "{\\b DocID: }{AP=2026 NP=30001\\par }",
                         riga("Riferimenti bibl. 1", "CPer=100 DATA=2004-03-00"),
                         riga("Riferimenti bibl. 2", "PAG= LIN= LO= LA="),
                         riga("Riferimenti estesi", ", 2004 (marzo)"), riga("Titolo", ""),
                         P + "{\\b Classificazione: }{ -  (S1)\\par }", "{\\par }", "}"}));
    }

    void archivioVuoto_data() {
        QTest::addColumn<bool>("completa");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("flag");
        QTest::newRow("complete") << true << "stampaRTF-C-12.rtf"
                                  << "StampaCompleta";
        QTest::newRow("texts only") << false << "stampaRTF-T-12.rtf"
                                    << "StampaSoloTesto";
    }
    void archivioVuoto() {
        QFETCH(bool, completa);
        QFETCH(QString, file);
        QFETCH(QString, flag);
        TestHome t;
        PrintoutsFixture f(t);
        const EsitoStampa esito = StampaConsegna(t.state(), completa, false);
        QVERIFY2(esito.ok, qPrintable(esito.errore));
        QCOMPARE(esito.path, t.home().dumpPath(file));
        const QStringList lines = crlfLines(esito.path);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], LeggiModello(t.state(), QStringLiteral("testata new.rtf")));
        QVERIFY(lines[0].startsWith(u"{\\rtf1"));
        QVERIFY(lines[0].contains(u"Consegna 12") && !lines[0].contains(u"xxx"));
        QCOMPARE(lines[1], StampaRtf(t.state(), completa).RigaTitolo());
        QCOMPARE(lines[2], QStringLiteral("}"));
        QCOMPARE(t.dialogs().texts(), QStringList{"Fine stampa"});
        LeggiInfo(t.state());
        QCOMPARE(f.db().ApriRS("select " + flag + " from tabInfo").field(0).toString(), QStringLiteral("1"));
    }

    // The whole print reads the links of all documents in document order; every document comes out
    // as the fragments read for it alone make it, links of documents that are not there and of a
    // source that is not there (a document with nothing else among them) included, whatever the
    // sources' keys.
    void stampaInOrdine_data() {
        QTest::addColumn<bool>("completa");
        QTest::newRow("complete") << true;
        QTest::newRow("texts only") << false;
    }
    void stampaInOrdine() {
        QFETCH(bool, completa);
        TestHome t;
        const QString path = t.home().mdbPath("GEN.db");
        GeneraArchivio(t.state(), path, OpzioniGeneratore{150, 4});
        QVERIFY(t.open(path));
        cConnessione& c = t.state().Connessione;
        for (const char* sql : {"insert into legameDocFonte (IDDoc, IDFonte) values (0, 1)",
                                "insert into legameDocFonte (IDDoc, IDFonte) values (7, 999999)",
                                "insert into legameDocFonte (IDDoc, IDFonte) values (500, 2)",
                                "delete from legameDocFonte where IDDoc = 9",
                                "insert into legameDocFonte (IDDoc, IDFonte) values (9, 999998)",
                                // keys far apart, as deletions leave them
                                "update tabFonte set IDFonte = IDFonte + 5000000 where IDFonte > 100",
                                "update legameDocFonte set IDFonte = IDFonte + 5000000 where IDFonte > 100 and "
                                "IDFonte < 999998",
                                "insert into legameDocResp (IDDoc, IDResponsabilita) values (0, 1)",
                                "insert into legameDocClass (IDDoc, CodiceS, CodiceD) values (500, 'S', 'D')",
                                "insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (0, 1, '0')",
                                "delete from tabDocumento where IDDocumento = 20"})
            c.EseguiIstruzione(QString::fromUtf8(sql));
        QStringList attese;
        for (RecordSet rs = c.ApriRS("select * from tabDocumento order by IDDocumento"); !rs.eof();
             rs.moveNext()) {
            // Each document on its own, with nothing kept from the others.
            StampaRtf unoPerUno(t.state(), completa);
            DocumentoStampa d;
            d.IDDocumento = rs.field(u"IDDocumento").toLongLong();
            d.IDRifBibl = rs.field(u"IDRifBibl").toLongLong();
            d.pagine = rs.field(u"Pagine").toString();
            d.TAbs = rs.field(u"TAbs").toString();
            d.Bib = rs.field(u"Bib").toString();
            d.TD = rs.field(u"TD").toString();
            d.LIN = rs.field(u"LIN").toString();
            d.lo = rs.field(u"LO").toString();
            d.lr = rs.field(u"LR").toString();
            d.la = rs.field(u"LA").toString();
            d.DocURL = rs.field(u"DocURL").toString();
            unoPerUno.StampaDocumento(d, false, attese);
        }
        const EsitoStampa esito = StampaConsegna(t.state(), completa, false);
        QVERIFY2(esito.ok, qPrintable(esito.errore));
        const QStringList lines = crlfLines(esito.path);
        QCOMPARE(lines.mid(2, lines.size() - 3), attese);
    }

    void filtro() {
        TestHome t;
        PrintoutsFixture f(t);
        const qint64 d1 = f.documento({});
        f.testo(d1, "8", "Abstract");
        f.testo(d1, "3", "Title [trad.]");
        const qint64 d2 = f.documento({});
        f.testo(d2, "8", "Abstract without mark");
        const qint64 d3 = f.documento({});
        f.testo(d3, "3", "Title [trad.]");
        const qint64 d4 = f.documento({});
        f.testo(d4, "8", "Abstract [trad.]");

        const auto documentLines = [&](bool filtro) {
            const EsitoStampa esito = StampaConsegna(t.state(), false, filtro);
            QStringList found;
            for (const QString& l : crlfLines(esito.path))
                if (l.startsWith(kDoc))
                    found << l.mid(kDoc.size());
            return found;
        };
        QCOMPARE(documentLines(true), QStringList({"{(\\i REC=1)\\par }", "{(\\i REC=4)\\par }"}));
        QCOMPARE(documentLines(false),
                 QStringList({"{202630001 (\\i REC=1)\\par }", "{202630002 (\\i REC=2)\\par }",
                              "{202630003 (\\i REC=3)\\par }", "{202630004 (\\i REC=4)\\par }"}));
    }

    void modello() {
        TestHome t;
        PrintoutsFixture f(t);
        t.state().Info[InfoConsegna] = QStringLiteral("7/{b}");
        QFile file(t.home().filePath(QStringLiteral("testata new.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xEF\xBB\xBF{\\rtf1\\ansi\\ansicpg1252\r\n{\\info{\\title consegna XXX}}\r\nCONSEGNA xxx "
                   "caf\xe9 "
                   "Consegna xx\n");
        file.close();
        QCOMPARE(
            LeggiModello(t.state(), QStringLiteral("testata new.rtf")),
            QStringLiteral("{\\rtf1\\ansi\\ansicpg1252{\\info{\\title Consegna 7/\\{b\\}}}Consegna 7/\\{b\\} "
                           "caf\\'e9 Consegna xx"));

        // The delivery number cannot lead the file out of dump/.
        const EsitoStampa esito = StampaConsegna(t.state(), true, false);
        QVERIFY(esito.ok);
        QCOMPARE(esito.path, t.home().dumpPath(QStringLiteral("stampaRTF-C-7_{b}.rtf")));

        // Without the template nothing is written and the earlier print stays.
        const QByteArray before = readFileBytes(esito.path);
        QVERIFY(QFile::remove(t.home().filePath(QStringLiteral("testata new.rtf"))));
        t.dialogs().clear();
        const EsitoStampa mancante = StampaConsegna(t.state(), true, false);
        QVERIFY(!mancante.ok);
        // The operator reads which file is missing and that no print was made, not the name of a
        // print file that was never opened.
        const QString testata = t.home().filePath(QStringLiteral("testata new.rtf"));
        QCOMPARE(MessaggioStampaNonRiuscita(mancante),
                 QStringLiteral("Manca il file di testata \"testata new.rtf\" (%1).\nLa stampa non è stata "
                                "fatta: rimettere il file nella cartella del programma e ripetere la stampa.")
                     .arg(testata));
        QVERIFY(!mancante.interrotta);
        QVERIFY(t.dialogs().texts().isEmpty());
        QCOMPARE(readFileBytes(esito.path), before);
    }

    void caratteriSpeciali() {
        TestHome t;
        PrintoutsFixture f(t);
        f.rivista(QStringLiteral("100"), QStringLiteral("Rivista {nuova} \\ città"));
        f.sistematico(QStringLiteral("S1"), QStringLiteral("Libertà {fondamentali}"), QStringLiteral("COST"));
        PrintoutsFixture::Doc voce;
        voce.rif = f.fascicolo("100", "2004-03-07", "1{");
        voce.pagine = QStringLiteral("1-2");
        voce.url = QStringLiteral("https://example.org/a{b}\\c");
        const qint64 doc = f.documento(voce);
        f.responsabile(doc, QStringLiteral("D'Àlvarez {jr}"), QStringLiteral("Ünal"), true);
        f.testo(doc, "0", QStringLiteral("Perché la {libertà} \\ è — “sempre” € 中文 😀 {"));
        f.testo(doc, "1", QStringLiteral("Riassunto: } chiusa sola, poi \\par non è un comando"));
        f.fonte(doc, QStringLiteral("NIT"), QStringLiteral("Trattato sull'Unione {europea} \\ età"));
        f.coppia(doc, QStringLiteral("S1"), QString());

        const EsitoStampa esito = StampaConsegna(t.state(), true, false);
        QVERIFY2(esito.ok, qPrintable(esito.errore));
        const QByteArray bytes = readFileBytes(esito.path);
        QVERIFY(soloAscii(bytes));
        QVERIFY(graffeBilanciate(QString::fromLatin1(bytes)));
        const QString rtf = QString::fromLatin1(bytes);
        QVERIFY(rtf.contains(
            QStringLiteral("Perch\\'e9 la \\{libert\\'e0\\} \\\\ \\'e8 \\'97 \\'93sempre\\'94 \\'80 "
                           "{\\uc1\\u20013?}{\\uc1\\u25991?} {\\uc1\\u-10179?\\u-8704?} \\{")));
        QVERIFY(rtf.contains(QStringLiteral("Rivista \\{nuova\\} \\\\ citt\\'e0")));
        QVERIFY(rtf.contains(QStringLiteral("D'\\'c0lvarez \\{jr\\}, \\'dcnal")));

        const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
        if (unrtf.isEmpty())
            QSKIP("unrtf is not installed");
        QProcess text;
        text.start(unrtf, {QStringLiteral("--text"), esito.path});
        QVERIFY(text.waitForFinished(30000));
        QCOMPARE(text.exitCode(), 0);
        // unrtf writes Latin-1 for text output.
        const QString plain = QString::fromLatin1(text.readAllStandardOutput());
        QVERIFY2(plain.contains(QStringLiteral("Perché la {libertà} \\ è")), qPrintable(plain));
        QVERIFY(
            plain.contains(QStringLiteral("Rivista {nuova} \\ città, 2004, fasc. 1{ (marzo 7), pagg. 1-2")));
        QVERIFY(plain.contains(QStringLiteral("Autore: D'Àlvarez {jr}, Ünal")));
        QVERIFY(plain.contains(
            QStringLiteral("Riassunto: Riassunto: } chiusa sola, poi \\par non è un comando")));
        QVERIFY(plain.contains(QStringLiteral("Trattato sull'Unione {europea} \\ età*NIT*")));
        QVERIFY(plain.contains(QStringLiteral("COST - Libertà {fondamentali} (S1)")));
        QVERIFY(plain.contains(QStringLiteral("https://example.org/a{b}\\c")));

        QProcess html;
        html.start(unrtf, {QStringLiteral("--html"), esito.path});
        QVERIFY(html.waitForFinished(30000));
        QCOMPARE(html.exitCode(), 0);
        const QString page = QString::fromLatin1(html.readAllStandardOutput());
        QVERIFY2(page.contains(QStringLiteral("&#20013;")) && page.contains(QStringLiteral("&#25991;")),
                 qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("&mdash;")) && page.contains(QStringLiteral("&euro;")));
    }

    void erroreDatabase() {
        TestHome t;
        PrintoutsFixture f(t);
        f.documento({});
        const QString path = FileStampaConsegna(t.state(), true);
        // A failure on the second document, with no earlier print: no file at all.
        const qint64 secondo = f.documento({});
        f.db().executeScript(QStringLiteral("alter table tabSistematici rename to tabSistematiciVia"));
        f.coppia(secondo, QStringLiteral("S1"), QStringLiteral("D1"));
        EsitoStampa esito = StampaConsegna(t.state(), true, false);
        QVERIFY(!esito.ok);
        QVERIFY(esito.interrotta);
        QVERIFY2(esito.errore.startsWith(u"Errore ") && esito.errore.contains(u"tabSistematici"),
                 qPrintable(esito.errore));
        QVERIFY(t.dialogs().texts().isEmpty());
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(MessaggioStampaNonRiuscita(esito), esito.errore +
                                                        QStringLiteral("\nStampa interrotta: il file ") +
                                                        path + QStringLiteral(" non è stato scritto."));
        // With an earlier print, that print stays whole and nothing else is left in dump/.
        f.db().executeScript(QStringLiteral("alter table tabSistematiciVia rename to tabSistematici"));
        QVERIFY(StampaConsegna(t.state(), true, false).ok);
        const QByteArray before = readFileBytes(path);
        QVERIFY(before.endsWith("}\r\n"));
        f.db().executeScript(QStringLiteral("alter table tabSistematici rename to tabSistematiciVia"));
        esito = StampaConsegna(t.state(), true, false);
        QVERIFY(!esito.ok);
        QCOMPARE(readFileBytes(path), before);
        QCOMPARE(QDir(t.home().dumpDir()).entryList(QDir::Files), QStringList{"stampaRTF-C-12.rtf"});
        QCOMPARE(MessaggioStampaNonRiuscita(esito),
                 esito.errore + QStringLiteral("\nStampa interrotta: il file ") + path +
                     QStringLiteral(" non è stato sostituito, resta quello di prima."));
    }
};

QTEST_GUILESS_MAIN(PrintoutsRtf)
#include "tst_printouts_rtf.moc"
