// The citation texts of every family, their checks and questions, and the adding to the list.

#include "SourcesTestUtil.h"
#include "sources/Componi.h"
#include "sources/ComponiAltre.h"
#include "sources/ModificaFonte.h"
#include "support/TestHome.h"

#include <QtTest>

using namespace sourcestest;

Q_DECLARE_METATYPE(Answer)

class SourcesCompose : public QObject {
    Q_OBJECT

    // Composes one domestic page into a fresh entry; the shown boxes go to dialogs.
    static bool componiInterna(int numeroPagina, const PaginaFonte& p, VoceFonte& v, ScriptedDialogs& d) {
        DocumentBuffer b;
        const bool ok = ImmettiFonteInterna(numeroPagina, p, b, d);
        if (ok)
            v = b.ElencoFonti.value(0);
        return ok;
    }

private Q_SLOTS:
    void blanks_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("collapsed");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("two") << "a  b"
                             << "a b"
                             << "a  b";
        QTest::newRow("three become two") << "a   b"
                                          << "a  b"
                                          << "a   b";
        QTest::newRow("four become two") << "a    b"
                                         << "a  b"
                                         << "a    b";
        QTest::newRow("ends") << "  a "
                              << " a "
                              << "a";
        QTest::newRow("tabs are not blanks") << "\ta\t"
                                             << "\ta\t"
                                             << "\ta\t";
    }
    void blanks() {
        QFETCH(QString, in);
        QFETCH(QString, collapsed);
        QFETCH(QString, trimmed);
        QCOMPARE(RiduciSpazi(in), collapsed);
        QCOMPARE(TogliSpazi(in), trimmed);
    }

    void codificazioni_data() {
        QTest::addColumn<int>("numeroPagina");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("TP");
        QTest::addColumn<QString>("fields");
        QTest::newRow("civil code") << 1 << "tipo=1|voce=c.c.|art=2043"
                                    << "art. 2043 c.c."
                                    << "LIC"
                                    << "NomeFonte=c.c.|articolo=2043";
        QTest::newRow("annex before the name") << 1 << "tipo=3|voce=c.p.c.|art=1|ripa=bis|all=A"
                                               << "art. 1 bis all. A c.p.c."
                                               << "LIC"
                                               << "NomeFonte=c.p.c.|articolo=1|ripa=bis|allegato=A";
        QTest::newRow("no article keeps the blank") << 1 << "tipo=1|voce=c.c."
                                                    << " c.c."
                                                    << "LIC"
                                                    << "NomeFonte=c.c.";
        QTest::newRow("date is ignored") << 1 << "tipo=1|voce=c.c.|art=1|gg=3|mese=marzo|aa=2000|n=5"
                                         << "art. 1 c.c."
                                         << "LIC"
                                         << "NomeFonte=c.c.|articolo=1";
        QTest::newRow("bank rules") << 1 << "tipo=4|voce=Norme bancarie uniformi|art=2"
                                    << "art. 2 Norme bancarie uniformi"
                                    << "LIAB"
                                    << "NomeFonte=Norme bancarie uniformi|articolo=2";
        QTest::newRow("bank rules upper") << 1 << "tipo=4|voce=NORME BANCARIE UNIFORMI"
                                          << " NORME BANCARIE UNIFORMI"
                                          << "LIAB"
                                          << "NomeFonte=NORME BANCARIE UNIFORMI";
        QTest::newRow("bank rules mixed") << 1 << "tipo=4|voce=norme Bancarie UNIFORMI"
                                          << " norme Bancarie UNIFORMI"
                                          << "LIAB"
                                          << "NomeFonte=norme Bancarie UNIFORMI";
        QTest::newRow("constitution") << 4 << "tipo=1|voce=Cost.|art=3|comma=2"
                                      << "art. 3 comma 2 Cost."
                                      << "LIC"
                                      << "NomeFonte=Cost.|articolo=3|comma=2";
        QTest::newRow("constitution is never LIAB") << 4 << "tipo=1|voce=Norme bancarie uniformi"
                                                    << " Norme bancarie uniformi"
                                                    << "LIC"
                                                    << "NomeFonte=Norme bancarie uniformi";
    }
    void codificazioni() {
        QFETCH(int, numeroPagina);
        QFETCH(QString, page);
        QFETCH(QString, testo);
        QFETCH(QString, TP);
        QFETCH(QString, fields);
        ScriptedDialogs d;
        VoceFonte v;
        QVERIFY(componiInterna(numeroPagina, pagina(page), v, d));
        QCOMPARE(v.testo, testo);
        QCOMPARE(v.TP, TP);
        QCOMPARE(campi(v), attesi(fields));
        QVERIFY(d.shown().empty());
    }

    void normativa_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("TP");
        QTest::addColumn<QString>("fields");
        QTest::newRow("full article part")
            << "tipo=2|atto=l.|art=5|ripa=bis|comma=2|ripc=ter|lett=a|nump=3|gg=12|mese=aprile|aa=2006|n=163"
            << "art. 5 bis comma 2 ter lett. a n. 3 l. 12 aprile 2006, n. 163"
            << "LIO"
            << "NomeFonte=l.|articolo=5|ripa=bis|comma=2|ripc=ter|lettera=a|numerop=3|giorno=12|mese=aprile|"
               "anno=2006|"
               "numero=163";
        QTest::newRow("overview example")
            << "tipo=2|atto=l.|art=3|gg=15|mese=marzo|aa=1990|n=22"
            << "art. 3 l. 15 marzo 1990, n. 22"
            << "LIO"
            << "NomeFonte=l.|articolo=3|giorno=15|mese=marzo|anno=1990|numero=22";
        QTest::newRow("constitutional law") << "tipo=1|gg=18|mese=ottobre|aa=2001|n=3"
                                            << "l. cost. 18 ottobre 2001, n. 3"
                                            << "LICO"
                                            << "NomeFonte=l. cost.|giorno=18|mese=ottobre|anno=2001|numero=3";
        QTest::newRow("annex after the number")
            << "tipo=2|atto=d.lg.|art=1|gg=30|mese=giugno|aa=2003|n=196|all=B"
            << "art. 1 d.lg. 30 giugno 2003, n. 196, all. B"
            << "LIO"
            << "NomeFonte=d.lg.|articolo=1|giorno=30|mese=giugno|anno=2003|numero=196|allegato=B";
        QTest::newRow("only a number") << "tipo=2|atto=l.|n=5"
                                       << "l., n. 5"
                                       << "LIO"
                                       << "NomeFonte=l.|numero=5";
        QTest::newRow("suffix without article") << "tipo=2|atto=l.|ripa=bis|aa=2000"
                                                << "bis l. 2000"
                                                << "LIO"
                                                << "NomeFonte=l.|ripa=bis|anno=2000";
        QTest::newRow("blanks in a typed article") << "tipo=2|atto=l.|art=1   2|aa=2000"
                                                   << "art. 1  2 l. 2000"
                                                   << "LIO"
                                                   << "NomeFonte=l.|articolo=1   2|anno=2000";
        QTest::newRow("provincial law")
            << "tipo=3|atto=l. prov.|info1=BZ - Bolzano|gg=10|mese=febbraio|aa=2005|n=1"
            << "l. prov. BZ 10 febbraio 2005, n. 1"
            << "LIP"
            << "NomeFonte=l. prov.|Provincia=BZ|giorno=10|mese=febbraio|anno=2005|numero=1";
        QTest::newRow("province typed as its code, in any case")
            << "tipo=3|atto=l. prov.|info1=bz|aa=2005|n=1"
            << "l. prov. BZ 2005, n. 1"
            << "LIP"
            << "NomeFonte=l. prov.|Provincia=BZ|anno=2005|numero=1";
        QTest::newRow("province as a line of the list, blanks around")
            << "tipo=3|atto=l. prov.|info1= Tn - trento |aa=2005"
            << "l. prov. TN 2005"
            << "LIP"
            << "NomeFonte=l. prov.|Provincia=TN|anno=2005";
        QTest::newRow("regional law")
            << "tipo=4|atto=l. r.|regione=LA - Lazio|art=3|gg=6|mese=agosto|aa=1999|n=14"
            << "art. 3 l. r. LA 6 agosto 1999, n. 14"
            << "LIR"
            << "NomeFonte=l. r.|Regione=LA|articolo=3|giorno=6|mese=agosto|anno=1999|numero=14";
        QTest::newRow("rules of the Chamber ignore the date") << "tipo=5|art=79|gg=1|mese=marzo|aa=1971|n=4"
                                                              << "art. 79 reg. cam."
                                                              << "LIOA"
                                                              << "NomeFonte=reg. cam.|articolo=79";
        QTest::newRow("rules of the Senate") << "tipo=6|art=1|all=C"
                                             << "art. 1 reg. sen., all. C"
                                             << "LIOA"
                                             << "NomeFonte=reg. sen.|articolo=1|allegato=C";
        QTest::newRow("ministerial decree")
            << "tipo=7|atto=d.m.|info1=Giustizia|gg=12|mese=marzo|aa=2004"
            << "d.m. Giustizia 12 marzo 2004"
            << "LIOA"
            << "NomeFonte=d.m.|Ministero=Giustizia|giorno=12|mese=marzo|anno=2004";
        QTest::newRow("other administration")
            << "tipo=8|atto=delib.|info1=Comune di Roma|aa=2010|n=7"
            << "delib. Comune di Roma 2010, n. 7"
            << "LIOA"
            << "NomeFonte=delib.|Amministrazione=Comune di Roma|anno=2010|numero=7";
        QTest::newRow("local regional rule") << "tipo=9|atto=reg. r.|regione=VE - Veneto|aa=2012|n=2"
                                             << "reg. r. VE 2012, n. 2"
                                             << "LIR"
                                             << "NomeFonte=reg. r.|Regione=VE|anno=2012|numero=2";
        QTest::newRow("local provincial rule")
            << "tipo=9|atto=reg.|info1=TN - Trento|regione=VE - Veneto|aa=2012"
            << "reg. TN 2012"
            << "LIP"
            << "NomeFonte=reg.|Provincia=TN|anno=2012";
        QTest::newRow("independent authority")
            << "tipo=10|atto=provv.|info1=AGCOM|gg=1|mese=luglio|aa=2020"
            << "provv. AGCOM 1 luglio 2020"
            << "LIOA"
            << "NomeFonte=provv.|Autorita=AGCOM|giorno=1|mese=luglio|anno=2020";
        QTest::newRow("collective agreement")
            << "tipo=11|atto=c.c.n.l.|info3=metalmeccanici|gg=20|mese=gennaio|aa=2008"
            << "c.c.n.l. 20 gennaio 2008 (metalmeccanici)"
            << "AC"
            << "NomeFonte=c.c.n.l.|altro=metalmeccanici|giorno=20|mese=gennaio|anno=2008";
        QTest::newRow("agreement with annex") << "tipo=11|atto=c.c.n.l.|info3=bancari|aa=2008|all=1"
                                              << "c.c.n.l. 2008 (bancari), all. 1"
                                              << "AC"
                                              << "NomeFonte=c.c.n.l.|altro=bancari|anno=2008|allegato=1";
    }
    void normativa() {
        QFETCH(QString, page);
        QFETCH(QString, testo);
        QFETCH(QString, TP);
        QFETCH(QString, fields);
        ScriptedDialogs d;
        VoceFonte v;
        QVERIFY(componiInterna(PaginaNormativa, pagina(page), v, d));
        QCOMPARE(v.testo, testo);
        QCOMPARE(v.TP, TP);
        QCOMPARE(campi(v), attesi(fields));
        QVERIFY(d.shown().empty());
    }

    void giurisprudenza_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("TP");
        QTest::addColumn<QString>("fields");
        QTest::newRow("order of the Constitutional Court")
            << "tipo=1|ord|gg=12|mese=marzo|aa=2004|n=85"
            << "ord. C. Cost. 12 marzo 2004, n. 85"
            << "GICO"
            << "NomeFonte=C. Cost.|Ordinanza|giorno=12|mese=marzo|anno=2004|numero=85";
        QTest::newRow("decree wins over order") << "tipo=1|ord|decr|aa=2004"
                                                << "decr. C. Cost. 2004"
                                                << "GICO"
                                                << "NomeFonte=C. Cost.|Decreto|anno=2004";
        QTest::newRow("Chamber council") << "tipo=2|aa=2010|n=3"
                                         << "Cons. giurisd. Camera 2010, n. 3"
                                         << "GICD"
                                         << "NomeFonte=Cons. giurisd. Camera|anno=2010|numero=3";
        QTest::newRow("Cassation with section")
            << "tipo=3|info2=sez. un.|gg=10|mese=maggio|aa=2005|n=9791"
            << "Cass. sez. un. 10 maggio 2005, n. 9791"
            << "GICA"
            << "NomeFonte=Cass.|Sezione=sez. un.|giorno=10|mese=maggio|anno=2005|numero=9791";
        QTest::newRow("Cassation alone") << "tipo=3|n=1"
                                         << "Cass., n. 1"
                                         << "GICA"
                                         << "NomeFonte=Cass.|numero=1";
        QTest::newRow("ordinary court")
            << "tipo=4|atto=Trib.|info3=lav.|info1=Milano|info2=sez. I|gg=3|mese=maggio|aa=2001"
            << "Trib. lav. Milano sez. I 3 maggio 2001"
            << "GIO"
            << "NomeFonte=Trib.|altro=lav.|Citta=Milano|Sezione=sez. I|giorno=3|mese=maggio|"
               "anno=2001";
        QTest::newRow("regional tax commission")
            << "tipo=5|atto=Comm. reg.|regione=LA - Lazio|info1=Roma|info2=sez. II|aa=2009"
            << "Comm. reg. LA - Roma sez. II 2009"
            << "GIT"
            << "NomeFonte=Comm. reg.|Regione=LA|Citta=Roma|Sezione=sez. II|anno=2009";
        QTest::newRow("provincial tax commission") << "tipo=5|atto=Comm. prov.|info1=Milano|aa=2009"
                                                   << "Comm. prov. - Milano 2009"
                                                   << "GIT"
                                                   << "NomeFonte=Comm. prov.|Citta=Milano|anno=2009";
        QTest::newRow("Court of Auditors")
            << "tipo=6|regione=SI - Sicilia|info2=sez. giur.|aa=2011|n=4"
            << "C. Conti SI sez. giur. 2011, n. 4"
            << "GICC"
            << "NomeFonte=C. Conti|Regione=SI|Sezione=sez. giur.|anno=2011|numero=4";
        QTest::newRow("TAR example")
            << "tipo=7|atto=TAR|regione=LA - Lazio|info1=Roma|info2=sez. II|gg=3|mese=maggio|aa=2001|n=12"
            << "TAR LA - Roma sez. II 3 maggio 2001, n. 12"
            << "GIA"
            << "NomeFonte=TAR|Regione=LA|Citta=Roma|Sezione=sez. II|giorno=3|mese=maggio|anno=2001|numero=12";
        QTest::newRow("Council of State")
            << "tipo=7|atto=Cons. Stato|info2=sez. VI|ord|aa=2001|n=12"
            << "ord. Cons. Stato sez. VI 2001, n. 12"
            << "GIA"
            << "NomeFonte=Cons. Stato|Sezione=sez. VI|Ordinanza|anno=2001|numero=12";
        QTest::newRow("water court") << "tipo=8|atto=Trib. Acque|regione=PI - Piemonte|info1=Torino|aa=1999"
                                     << "Trib. Acque PI - Torino 1999"
                                     << "GIQ"
                                     << "NomeFonte=Trib. Acque|Regione=PI|Citta=Torino|anno=1999";
        QTest::newRow("higher water court, any case") << "tipo=8|atto=Trib. sup. ACQUE pubbl.|aa=1999"
                                                      << "Trib. sup. ACQUE pubbl. 1999"
                                                      << "GIQ"
                                                      << "NomeFonte=Trib. sup. ACQUE pubbl.|anno=1999";
        QTest::newRow("patents") << "tipo=8|atto=Comm. ricorsi Brevetti|aa=2000"
                                 << "Comm. ricorsi Brevetti 2000"
                                 << "GIB"
                                 << "NomeFonte=Comm. ricorsi Brevetti|anno=2000";
        QTest::newRow("other special court") << "tipo=8|atto=Comm. centr. esercenti|info2=ignored|aa=2000"
                                             << "Comm. centr. esercenti 2000"
                                             << "GIM"
                                             << "NomeFonte=Comm. centr. esercenti|anno=2000";
        QTest::newRow("arbitration") << "tipo=9|atto=Lodo arbitrale|info1=Milano|info3=Alfa c. Beta|aa=2015"
                                     << "Lodo arbitrale Milano Alfa c. Beta 2015"
                                     << "GIAL"
                                     << "NomeFonte=Lodo arbitrale|Citta=Milano|altro=Alfa c. Beta|anno=2015";
        QTest::newRow("sports justice ignores the boxes")
            << "tipo=10|ord|decr|gg=3|mese=maggio|aa=2001|info3=CAF"
            << "giur. sport 3 maggio 2001 (CAF)"
            << "GIS"
            << "NomeFonte=giur. sport|altro=CAF|giorno=3|mese=maggio|anno=2001";
        QTest::newRow("case law is not trimmed") << "tipo=3|info2=sez. I |aa=2001"
                                                 << "Cass. sez. I 2001"
                                                 << "GICA"
                                                 << "NomeFonte=Cass.|Sezione=sez. I |anno=2001";
        QTest::newRow("trailing blank stays") << "tipo=10|info3= x"
                                              << "giur. sport ( x)"
                                              << "GIS"
                                              << "NomeFonte=giur. sport|altro= x";
    }
    void giurisprudenza() {
        QFETCH(QString, page);
        QFETCH(QString, testo);
        QFETCH(QString, TP);
        QFETCH(QString, fields);
        ScriptedDialogs d;
        VoceFonte v;
        QVERIFY(componiInterna(PaginaGiurisprudenza, pagina(page), v, d));
        QCOMPARE(v.testo, testo);
        QCOMPARE(v.TP, TP);
        QCOMPARE(campi(v), attesi(fields));
        QVERIFY(d.shown().empty());
    }

    void domesticMessages_data() {
        QTest::addColumn<int>("numeroPagina");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString app = applicationTitle();
        QTest::newRow("nothing chosen") << 2 << "art=1"
                                        << "Nessuna fonte immessa!"
                                        << "Attenzione";
        QTest::newRow("no code chosen") << 1 << "art=1"
                                        << "Nessuna fonte immessa!"
                                        << "Attenzione";
        QTest::newRow("law without act") << 2 << "tipo=2|aa=2000"
                                         << "Manca l'atto!" << app;
        QTest::newRow("province missing") << 2 << "tipo=3|atto=l. prov."
                                          << "Manca la provincia!" << app;
        QTest::newRow("act before province") << 2 << "tipo=3"
                                             << "Manca l'atto!" << app;
        // A province the archive does not know is refused where it is typed, not at the save.
        const QString ammesse = " non riconosciuta: la fonte non è stata aggiunta.\nScrivere la sigla di una "
                                "delle province ammesse (BZ - Bolzano, TN - Trento) oppure sceglierla con un "
                                "doppio click nell'elenco.";
        QTest::newRow("province by its name") << 2 << "tipo=3|atto=l. prov.|info1=Bolzano|aa=2005|n=1"
                                              << "Provincia \"Bolzano\"" + ammesse << app;
        QTest::newRow("code run into a word") << 2 << "tipo=3|atto=l. prov.|info1=BZX"
                                              << "Provincia \"BZX\"" + ammesse << app;
        QTest::newRow("local rule of another province") << 2 << "tipo=9|atto=reg.|info1=Roma"
                                                        << "Provincia \"Roma\"" + ammesse << app;
        QTest::newRow("region missing") << 2 << "tipo=4|atto=l. r.|info1=LA"
                                        << "Manca la regione!" << app;
        QTest::newRow("administration missing") << 2 << "tipo=8|atto=delib."
                                                << "Manca l'amministrazione!"
                                                << "Attenzione!";
        QTest::newRow("local regional without region") << 2 << "tipo=9|atto=reg. r.|info1=BZ - Bolzano"
                                                       << "Manca la regione!" << app;
        QTest::newRow("local provincial without province") << 2 << "tipo=9|atto=reg.|regione=LA - Lazio"
                                                           << "Manca la provincia!" << app;
        QTest::newRow("authority missing") << 2 << "tipo=10|atto=provv."
                                           << "Manca l'autorità!"
                                           << "Attenzione!";
        QTest::newRow("agreement without act") << 2 << "tipo=11|info3=x"
                                               << "Manca l'atto!" << app;
        QTest::newRow("ordinary court without act") << 3 << "tipo=4|info1=Roma"
                                                    << "Manca l'atto!" << app;
        QTest::newRow("ordinary court without city") << 3 << "tipo=4|atto=Trib."
                                                     << "Manca la città!" << app;
        QTest::newRow("first instance without city") << 3 << "tipo=5|atto=Comm. I grado"
                                                     << "Manca la città!" << app;
        QTest::newRow("second instance without city") << 3 << "tipo=5|atto=Comm. II grado"
                                                      << "Manca la città!" << app;
        QTest::newRow("provincial commission without city") << 3 << "tipo=5|atto=Comm. prov."
                                                            << "Manca la città!" << app;
        QTest::newRow("Comm. reg. without region") << 3 << "tipo=5|atto=Comm. reg.|info1=Roma"
                                                   << "Manca la regione!" << app;
        QTest::newRow("TAR without region") << 3 << "tipo=7|atto=TAR|info1=Roma"
                                            << "Manca la regione!" << app;
        QTest::newRow("water court without region") << 3 << "tipo=8|atto=Trib. Acque"
                                                    << "Manca la regione!" << app;
        QTest::newRow("arbitration without act") << 3 << "tipo=9"
                                                 << "Manca l'atto!" << app;
        QTest::newRow("tax court without act") << 3 << "tipo=5"
                                               << "Manca l'atto!" << app;
        QTest::newRow("asterisk in a city")
            << 3 << "tipo=4|atto=Trib.|info1=Mi*lano"
            << "Il testo della fonte non può contenere l'asterisco (*), che separa la "
               "sigla della famiglia!"
            << app;
    }
    void domesticMessages() {
        QFETCH(int, numeroPagina);
        QFETCH(QString, page);
        QFETCH(QString, message);
        QFETCH(QString, title);
        ScriptedDialogs d;
        DocumentBuffer b;
        b.ElencoFonti.append(VoceFonte{});
        b.ElencoFonti[0].testo = QStringLiteral("prima");
        QVERIFY(!ImmettiFonteInterna(numeroPagina, pagina(page), b, d));
        QCOMPARE(b.ElencoFonti.size(), 1);
        QCOMPARE(b.ElencoFonti[0].testo, QStringLiteral("prima"));
        QCOMPARE(d.shown().size(), size_t(1));
        QCOMPARE(d.shown()[0].text, message);
        QCOMPARE(d.shown()[0].title, title);
        QCOMPARE(d.shown()[0].buttons, Buttons::Ok);
    }

    // The provinces are those of the archive's table when the dialog gives them.
    void provincesOfTheArchive() {
        ScriptedDialogs d;
        DocumentBuffer b;
        PaginaFonte p = pagina("tipo=3|atto=l. prov.|info1=TN|aa=2005");
        p.province = {"BZ - Bolzano"};
        QVERIFY(!ImmettiFonteInterna(PaginaNormativa, p, b, d));
        QVERIFY(d.lastText().contains("delle province ammesse (BZ - Bolzano) oppure"));
        p.txtInfo1 = "BZ";
        QVERIFY(ImmettiFonteInterna(PaginaNormativa, p, b, d));
        QCOMPARE(b.ElencoFonti.last().testo, QString("l. prov. BZ 2005"));
    }

    void questions_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("question");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("testo");
        const QString ministero = QStringLiteral("Manca il ministero: giusto?");
        const QString argomento = QStringLiteral("Manca l'argomento: giusto?");
        QTest::newRow("ministry yes")
            << "tipo=7|atto=d.m.|aa=2004" << ministero << Answer::Yes << true << "d.m. 2004";
        QTest::newRow("ministry no") << "tipo=7|atto=d.m.|aa=2004" << ministero << Answer::No << false << "";
        QTest::newRow("ministry cancel")
            << "tipo=7|atto=d.m.|aa=2004" << ministero << Answer::Cancel << false << "";
        QTest::newRow("subject yes") << "tipo=11|atto=c.c.n.l.|aa=2008" << argomento << Answer::Yes << true
                                     << "c.c.n.l. 2008";
        QTest::newRow("subject no") << "tipo=11|atto=c.c.n.l.|aa=2008" << argomento << Answer::No << false
                                    << "";
        QTest::newRow("subject cancel")
            << "tipo=11|atto=c.c.n.l.|aa=2008" << argomento << Answer::Cancel << true << "c.c.n.l. 2008";
    }
    void questions() {
        QFETCH(QString, page);
        QFETCH(QString, question);
        QFETCH(Answer, answer);
        QFETCH(bool, added);
        QFETCH(QString, testo);
        ScriptedDialogs d;
        d.answerNext(answer);
        DocumentBuffer b;
        QCOMPARE(ImmettiFonteInterna(PaginaNormativa, pagina(page), b, d), added);
        QVERIFY2(d.unexpected().isEmpty(), qPrintable(d.unexpected().join(u'\n')));
        QVERIFY(d.allAnswersUsed());
        QCOMPARE(d.shown().size(), size_t(1));
        QCOMPARE(d.shown()[0].text, question);
        QCOMPARE(d.shown()[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(d.shown()[0].buttons, Buttons::YesNoCancel);
        QCOMPARE(b.ElencoFonti.size(), added ? 1 : 0);
        if (added) {
            QCOMPARE(b.ElencoFonti[0].testo, testo);
            QVERIFY(b.ElencoFonti[0].Ministero.isEmpty());
            QVERIFY(b.ElencoFonti[0].altro.isEmpty());
        }
    }

    void addingToTheList() {
        ScriptedDialogs d;
        DocumentBuffer b;
        const PaginaFonte p = pagina(QStringLiteral("tipo=2|atto=l.|aa=1990|n=22"));
        QVERIFY(ImmettiFonteInterna(PaginaNormativa, p, b, d));
        QVERIFY(ImmettiFonteInterna(PaginaNormativa, p, b, d));
        QCOMPARE(b.ElencoFonti.size(), 2);
        QCOMPARE(b.ElencoFonti[0], b.ElencoFonti[1]);
        QCOMPARE(b.ElencoFonti[0].IDFonte, qint64(0));
        QVERIFY(!b.ElencoFonti[0].Cancellata);

        // With a current entry the dialogs add nothing and say nothing.
        b.IndiceFonte = 0;
        QVERIFY(!ImmettiFonteInterna(PaginaNormativa, p, b, d));
        cConnessione none;
        QVERIFY(!ImmettiFonteAltra(PaginaStorica,
                                   pagina(QStringLiteral("tipo=4|voce=Fonti cuneiformi (*FSC*)|libero=x")), b,
                                   none, d));
        QCOMPARE(b.ElencoFonti.size(), 2);
        QVERIFY(d.shown().empty());
    }

    void altreFonti_data() {
        QTest::addColumn<int>("numeroPagina");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("TP");
        QTest::addColumn<QString>("fields");
        QTest::newRow("treaty") << 0 << "tipo=1|libero=9001) Conv. Vienna 23 maggio 1969|art=31|comma=1|all=2"
                                << "art. 31 comma 1 all. 2 Conv. Vienna 23 maggio 1969"
                                << "NIT"
                                << "NomeFonte=Conv. Vienna|articolo=31|comma=1|allegato=2|altro=Convenzione "
                                   "sul diritto dei trattati|"
                                   "anno=1969|giorno=23|mese=maggio";
        QTest::newRow("treaty with number")
            << 0 << "tipo=1|libero=9002) whatever"
            << "Conv. eur. dir. uomo 4 novembre 1950"
            << "NIT"
            << "NomeFonte=CEDU|numero=848|altro=Convenzione europea dei diritti dell'uomo|"
               "anno=1950|giorno=4|mese=novembre";
        QTest::newRow("international body")
            << 0 << "tipo=2|atto=Ris. ONU|gg=12|mese=marzo|aa=2004|n=5|libero=diritti"
            << "Ris. ONU 12 marzo 2004, n. 5 (diritti)"
            << "NIA"
            << "NomeFonte=Ris. ONU|giorno=12|mese=marzo|anno=2004|numero=5|altro=diritti";
        QTest::newRow("ECHR both boxes")
            << 0
            << "tipo=3|atto=C. eur. dir. uomo|ord|decr|info2=Grande "
               "Camera|gg=1|mese=luglio|aa=2014|libero=S.A.S. c. Francia"
            << "ord. C. eur. dir. uomo Grande Camera 1 luglio 2014 (S.A.S. c. Francia)"
            << "GEI"
            << "NomeFonte=C. eur. dir. uomo|Ordinanza|Decreto|Sezione=Grande "
               "Camera|giorno=1|mese=luglio|anno=2014|"
               "altro=S.A.S. c. Francia";
        QTest::newRow("ECHR decree") << 0 << "tipo=3|atto=C. eur. dir. uomo|decr|aa=2014"
                                     << "decr. C. eur. dir. uomo 2014"
                                     << "GEI"
                                     << "NomeFonte=C. eur. dir. uomo|Decreto|anno=2014";
        QTest::newRow("EU treaty") << 1 << "tipo=1|atto=TFUE|art=267|comma=2|all=9|gg=1|aa=2000"
                                   << "art. 267 comma 2 TFUE"
                                   << "NIC"
                                   << "NomeFonte=TFUE|articolo=267|comma=2";
        QTest::newRow("regulation 1408/71") << 1 << "tipo=2|atto=Reg. CEE|aa=1971|n=1408"
                                            << "Reg. CEE 1408/71"
                                            << "NIC"
                                            << "NomeFonte=Reg. CEE|anno=1971|numero=1408";
        QTest::newRow("regulation 883/2004") << 1 << "tipo=2|atto=Reg. CE|art=3|ripa=bis|aa=2004|n=883"
                                             << "art. 3 bis Reg. CE 883/2004"
                                             << "NIC"
                                             << "NomeFonte=Reg. CE|articolo=3|ripa=bis|anno=2004|numero=883";
        QTest::newRow("regulation 2016/679")
            << 1 << "tipo=2|atto=Reg. UE|art=6|comma=1|lett=f|nump=9|aa=2016|n=679"
            << "art. 6 comma 1 lett. f Reg. UE 2016/679"
            << "NIC"
            << "NomeFonte=Reg. UE|articolo=6|comma=1|lettera=f|anno=2016|numero=679";
        QTest::newRow("directive 93/13") << 1 << "tipo=2|atto=Dir. CEE|art=3|lett=a|aa=1993|n=13"
                                         << "art. 3 Dir. CEE 93/13"
                                         << "NIC"
                                         << "NomeFonte=Dir. CEE|articolo=3|anno=1993|numero=13";
        QTest::newRow("directive 1999") << 1 << "tipo=2|atto=Dir. CE|aa=1999|n=44"
                                        << "Dir. CE 99/44"
                                        << "NIC"
                                        << "NomeFonte=Dir. CE|anno=1999|numero=44";
        QTest::newRow("directive 2004 in full") << 1 << "tipo=2|atto=Dir. CE|aa=2004|n=38"
                                                << "Dir. CE 2004/38"
                                                << "NIC"
                                                << "NomeFonte=Dir. CE|anno=2004|numero=38";
        QTest::newRow("Parliament rules") << 1 << "tipo=2|atto=Reg. P.E.|art=5|comma=2|aa=2000"
                                          << "art. 5 Reg. P.E."
                                          << "NIC"
                                          << "NomeFonte=Reg. P.E.|articolo=5";
        QTest::newRow("Parliament rules alone") << 1 << "tipo=2|atto=Reg. P.E."
                                                << "Reg. P.E."
                                                << "NIC"
                                                << "NomeFonte=Reg. P.E.";
        QTest::newRow("resolution") << 1 << "tipo=2|atto=Ris. CE|gg=12|mese=marzo|aa=2004|art=1"
                                    << "Ris. CE 12 marzo 2004"
                                    << "NIC"
                                    << "NomeFonte=Ris. CE|giorno=12|mese=marzo|anno=2004";
        QTest::newRow("convention") << 1
                                    << "tipo=3|atto=Conv. UE|art=4|gg=26|mese=luglio|aa=1995|libero=tutela"
                                    << "Conv. UE 26 luglio 1995 (tutela)"
                                    << "NIC"
                                    << "NomeFonte=Conv. UE|giorno=26|mese=luglio|anno=1995|altro=tutela";
        QTest::newRow("EU court")
            << 1 << "tipo=4|atto=C. giust. UE|info2=sez. III|gg=5|mese=marzo|aa=2009|n=C-1/07"
            << "C. giust. UE sez. III 5 marzo 2009, n. C-1/07"
            << "GEC"
            << "NomeFonte=C. giust. UE|Sezione=sez. III|giorno=5|mese=marzo|anno=2009|numero=C-1/07";
        QTest::newRow("foreign law")
            << 2 << "tipo=1|voce=Fonti normative (*NS*)|art=1|libero=Code civil|aa=1804|stato=Francia"
            << "art. 1 Code civil 1804 (Francia)"
            << "NS"
            << "articolo=1|anno=1804|Stato=Francia";
        QTest::newRow("foreign case law")
            << 2
            << "tipo=2|voce=Fonti giurisprudenziali (*GS*)|art=9|ord|libero=Cour de "
               "cassation|gg=3|mese=maggio|aa=2001|stato=Francia"
            << "Cour de cassation 3 maggio 2001 (Francia)"
            << "GS"
            << "giorno=3|mese=maggio|anno=2001|Stato=Francia";
        QTest::newRow("canon law") << 3
                                   << "tipo=1|voce=Fonti normative (*FCC*)|atto=C. Iur. Can.|art=1055|comma=2"
                                   << "can. 1055 par. 2 C. Iur. Can. 1983"
                                   << "FCC"
                                   << "NomeFonte=C. Iur. Can.|articolo=1055|comma=2|anno=1983";
        QTest::newRow("canon law 1917")
            << 3 << "tipo=1|voce=Fonti normative (*FCC*)|atto=C. Iur. Can.|aa=1917"
            << "C. Iur. Can. 1917"
            << "FCC"
            << "NomeFonte=C. Iur. Can.|anno=1917";
        QTest::newRow("other canon law, leading blank")
            << 3 << "tipo=2|voce=Altre fonti normative (*FCA*)|libero=Istr. Dignitas"
            << " Istr. Dignitas"
            << "FCA"
            << "";
        QTest::newRow("other canon law with article")
            << 3 << "tipo=2|voce=Altre fonti normative (*FCA*)|art=3|ripa=bis|libero=Istr.|aa=2005"
            << "art. 3 Istr. 2005"
            << "FCA"
            << "articolo=3|anno=2005";
        QTest::newRow("regional church court")
            << 3
            << "tipo=3|voce=Fonti giurisprudenziali (*FCG*)|atto=Trib. Eccl. Reg.|regione=LO - "
               "Lombardia|aa=2001|libero=nullità"
            << "Trib. Eccl. Reg. LO 2001 (nullità)"
            << "FCG"
            << "NomeFonte=Trib. Eccl. Reg.|Regione=LO|anno=2001|altro=nullità";
        QTest::newRow("diocesan court")
            << 3 << "tipo=3|voce=Fonti giurisprudenziali (*FCG*)|atto=Trib. Eccl. Dioc.|info1=Roma|n=4"
            << "Trib. Eccl. Dioc. Roma, n. 4"
            << "FCG"
            << "NomeFonte=Trib. Eccl. Dioc.|Citta=Roma|numero=4";
        QTest::newRow("Rota")
            << 3 << "tipo=3|voce=Fonti giurisprudenziali (*FCG*)|atto=Rota Romana|info1=Roma|ord|aa=1990"
            << "Rota Romana 1990"
            << "FCG"
            << "NomeFonte=Rota Romana|anno=1990";
        QTest::newRow("papyri")
            << 4 << "tipo=1|voce=Fonti romane (*FSR*)|atto=papirologiche (*FSRP*)|libero=P. Oxy. 1"
            << "P. Oxy. 1"
            << "FSRP"
            << "";
        QTest::newRow("cuneiform") << 4
                                   << "tipo=4|voce=Fonti cuneiformi (*FSC*)|libero=Cod. Hammurabi  par.   5"
                                   << "Cod. Hammurabi par.  5"
                                   << "FSC"
                                   << "";
        QTest::newRow("intermediate law")
            << 4 << "tipo=6|voce=Fonti di diritto intermedio o comune (*FSI*)|libero=Gl."
            << "Gl."
            << "FSI"
            << "";
        QTest::newRow("other literary")
            << 4 << "tipo=7|voce=Altre fonti (*FSA*)|atto=letterarie (*FSAL*)|libero=x|aa=1"
            << "x"
            << "FSAL"
            << "";
    }
    void altreFonti() {
        QFETCH(int, numeroPagina);
        QFETCH(QString, page);
        QFETCH(QString, testo);
        QFETCH(QString, TP);
        QFETCH(QString, fields);
        TestHome t;
        QVERIFY(t.open(t.createArchive()));
        fixtureLookup(t.state().Connessione);
        DocumentBuffer b;
        QVERIFY(ImmettiFonteAltra(numeroPagina, pagina(page), b, t.state().Connessione, t.dialogs()));
        QVERIFY2(t.dialogs().shown().empty(), qPrintable(t.dialogs().texts().join(u'\n')));
        QCOMPARE(b.ElencoFonti.size(), 1);
        const VoceFonte& v = b.ElencoFonti[0];
        QCOMPARE(v.testo, testo);
        QCOMPARE(v.TP, TP);
        QCOMPARE(campi(v), attesi(fields));
    }

    void altreFontiMessages_data() {
        QTest::addColumn<int>("numeroPagina");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString app = applicationTitle();
        QTest::newRow("no family") << 0 << "libero=x"
                                   << "Nessuna fonte immessa!"
                                   << "Attenzione";
        QTest::newRow("no family, history") << 4 << "libero=x"
                                            << "Nessuna fonte immessa!"
                                            << "Attenzione";
        QTest::newRow("treaty without line") << 0 << "tipo=1"
                                             << "Manca l'atto!" << app;
        QTest::newRow("treaty gone")
            << 0 << "tipo=1|libero=77) Trattato cancellato"
            << "Il trattato indicato non è nell'elenco dei trattati: sceglierlo di nuovo con la ricerca!"
            << app;
        QTest::newRow("treaty line without number")
            << 0 << "tipo=1|libero=Trattato di Roma"
            << "Il trattato indicato non è nell'elenco dei trattati: sceglierlo di "
               "nuovo con la ricerca!"
            << app;
        QTest::newRow("body without name") << 0 << "tipo=2|libero=x"
                                           << "Manca l'atto!" << app;
        QTest::newRow("court without name") << 0 << "tipo=3"
                                            << "Manca l'atto!" << app;
        QTest::newRow("EU without name") << 1 << "tipo=4"
                                         << "Manca l'atto!" << app;
        QTest::newRow("regulation without number") << 1 << "tipo=2|atto=Reg. CE|aa=2004"
                                                   << "Manca il numero!" << app;
        QTest::newRow("regulation without year") << 1 << "tipo=2|atto=Reg. UE|n=679"
                                                 << "Manca l'anno!" << app;
        QTest::newRow("regulation without both") << 1 << "tipo=2|atto=Reg. UE"
                                                 << "Manca il numero!" << app;
        QTest::newRow("directive without year") << 1 << "tipo=2|atto=Dir. CE|n=38"
                                                << "Manca l'anno!" << app;
        QTest::newRow("directive without number") << 1 << "tipo=2|atto=Dir. CE|aa=2004"
                                                  << "Manca il numero!" << app;
        QTest::newRow("directive without both") << 1 << "tipo=2|atto=Dir. CE"
                                                << "Manca l'anno!" << app;
        QTest::newRow("foreign without state") << 2 << "tipo=1|voce=Fonti normative (*NS*)|libero=BGB"
                                               << "Manca la fonte e/o lo stato!" << app;
        QTest::newRow("foreign without text")
            << 2 << "tipo=2|voce=Fonti giurisprudenziali (*GS*)|stato=Francia"
            << "Manca la fonte e/o lo stato!" << app;
        QTest::newRow("canon code not chosen") << 3 << "tipo=1|voce=Fonti normative (*FCC*)"
                                               << "Manca l'atto!" << app;
        QTest::newRow("canon court not chosen") << 3 << "tipo=3|voce=Fonti giurisprudenziali (*FCG*)"
                                                << "Manca l'atto!" << app;
        QTest::newRow("other canon without text") << 3 << "tipo=2|voce=Altre fonti normative (*FCA*)"
                                                  << "Manca la fonte!" << app;
        QTest::newRow("church court without region")
            << 3 << "tipo=3|voce=Fonti giurisprudenziali (*FCG*)|atto=Trib. Eccl. Reg."
            << "Manca la regione!" << app;
        QTest::newRow("roman without sub-kind") << 4 << "tipo=1|voce=Fonti romane (*FSR*)|libero=D. 1.1.1"
                                                << "Manca l'atto!" << app;
        QTest::newRow("other without sub-kind") << 4 << "tipo=7|voce=Altre fonti (*FSA*)|libero=x"
                                                << "Manca l'atto!" << app;
        QTest::newRow("historical without text") << 4 << "tipo=5|voce=Fonti ebraiche (*FSE*)"
                                                 << "Immettere testo libero per la fonte!" << app;
        const QString asterisco = QStringLiteral(
            "Il testo della fonte non può contenere l'asterisco (*), che separa la sigla della famiglia!");
        QTest::newRow("asterisk in a free text")
            << 2 << "tipo=1|voce=Fonti normative (*NS*)|libero=BGB *|stato=Germania" << asterisco << app;
        QTest::newRow("asterisk in a note") << 0 << "tipo=2|atto=Ris. ONU|libero=n*" << asterisco << app;
    }
    void altreFontiMessages() {
        QFETCH(int, numeroPagina);
        QFETCH(QString, page);
        QFETCH(QString, message);
        QFETCH(QString, title);
        TestHome t;
        QVERIFY(t.open(t.createArchive()));
        fixtureLookup(t.state().Connessione);
        DocumentBuffer b;
        QVERIFY(!ImmettiFonteAltra(numeroPagina, pagina(page), b, t.state().Connessione, t.dialogs()));
        QVERIFY(b.ElencoFonti.isEmpty());
        const auto& shown = t.dialogs().shown();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, title);
        QCOMPARE(shown[0].buttons, Buttons::Ok);
    }

    void codesBetweenAsterisks_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code");
        QTest::newRow("papyri") << "papirologiche (*FSRP*)"
                                << "FSRP";
        QTest::newRow("cuneiform") << "Fonti cuneiformi (*FSC*)"
                                   << "FSC";
        QTest::newRow("treaty") << "Trattati, accordi, convenzioni internazionali (*NIT*)"
                                << "NIT";
        QTest::newRow("none") << "Fonti romane"
                              << "";
        QTest::newRow("unclosed") << "Fonti (*FSR"
                                  << "";
    }
    void codesBetweenAsterisks() {
        QFETCH(QString, caption);
        QFETCH(QString, code);
        QCOMPARE(CodiceTraAsterischi(caption), code);
    }

    void formalismo() {
        ScriptedDialogs d;
        MostraFormalismo(d);
        QCOMPARE(d.shown().size(), size_t(1));
        QCOMPARE(d.shown()[0].title, QStringLiteral("Formalismo"));
        QCOMPARE(d.shown()[0].buttons, Buttons::Ok);
        QCOMPARE(
            d.shown()[0].text.split(u'\n'),
            QStringList(
                {QStringLiteral(
                     "--> Non occorre mettere gli zeri a sinistra a nessun tipo di informazione numerica."),
                 QStringLiteral("--> L'anno deve essere nella forma 'aaaa'"),
                 QStringLiteral("--> Le parentesi fisse nei testi liberi vengono messe automaticamente")}));
    }

    void modification() {
        ScriptedDialogs d;
        DocumentBuffer b;
        VoceFonte v;
        v.TP = QStringLiteral("NIC");
        v.testo = QStringLiteral("Dir. CE 2004/38");
        v.NomeFonte = QStringLiteral("Dir. CE");
        v.anno = QStringLiteral("2004");
        v.mese = QStringLiteral("aprile");
        v.Ministero = QStringLiteral("not shown");
        b.ElencoFonti << v;
        VoceFonte cancellata;
        cancellata.testo = QStringLiteral("l. 1990");
        cancellata.TP = QStringLiteral("LIO");
        cancellata.Cancellata = true;
        b.ElencoFonti << cancellata;

        SchedaFonte s = MostraFonte(b.ElencoFonti[0]);
        QCOMPARE(s.txtTesto, QStringLiteral("Dir. CE 2004/38*NIC*"));
        QCOMPARE(s.txtMM, QStringLiteral("aprile"));
        QCOMPARE(MostraFonte(cancellata).txtTesto, QStringLiteral("l. 1990"));

        // Without a current entry nothing changes.
        s.txtTesto = QStringLiteral("changed");
        QVERIFY(ConfermaModificaFonte(b, s, d));
        QCOMPARE(b.ElencoFonti[0], v);

        b.IndiceFonte = 0;
        s.txtTesto = QStringLiteral("Dir. CE 2004/38, considerando 5*NIC*");
        s.chkOrd = true;
        QVERIFY(ConfermaModificaFonte(b, s, d));
        QCOMPARE(b.ElencoFonti[0].testo, QStringLiteral("Dir. CE 2004/38, considerando 5"));
        QVERIFY(b.ElencoFonti[0].Ordinanza);
        QCOMPARE(b.ElencoFonti[0].Ministero, QStringLiteral("not shown"));
        QCOMPARE(rigaFonte(b.ElencoFonti[0]), QStringLiteral("Dir. CE 2004/38, considerando 5*NIC*"));
        QCOMPARE(rigaFonte(b.ElencoFonti[1]), QStringLiteral("DEL--l. 1990"));
        QVERIFY(d.shown().empty());

        // A month the archive could not keep is refused, and the entry stays as it was.
        const VoceFonte prima = b.ElencoFonti[0];
        s.txtMM = QStringLiteral("4");
        QVERIFY(!ConfermaModificaFonte(b, s, d));
        QCOMPARE(b.ElencoFonti[0], prima);
        QCOMPARE(d.shown().size(), size_t(1));
        QCOMPARE(d.shown()[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(TestoSenzaSigla(QStringLiteral("a*b*c")), QStringLiteral("a"));

        // What follows a first asterisk would be lost: only the family code may be there.
        for (const char* testo : {"Dir. CE*2004*NIC*", "Dir. CE 2004/38*", "Dir. CE * 2004/38"}) {
            s.txtMM = QStringLiteral("aprile");
            s.txtTesto = QString::fromUtf8(testo);
            QVERIFY2(!ConfermaModificaFonte(b, s, d), testo);
            QCOMPARE(b.ElencoFonti[0], prima);
        }
        s.txtTesto = QStringLiteral("Dir. CE 2004/38");
        QVERIFY(ConfermaModificaFonte(b, s, d));
        QCOMPARE(b.ElencoFonti[0].testo, QStringLiteral("Dir. CE 2004/38"));
    }
};

QTEST_GUILESS_MAIN(SourcesCompose)
#include "tst_sources_compose.moc"
