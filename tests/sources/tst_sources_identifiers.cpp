// The official identifiers of the sources (URN:NIR, ELI, ECLI): from the entries the composers
// make out of the dialog pages, from fields typed in the modification dialog, and the addresses
// that open them.

#include "SourcesTestUtil.h"
#include "sources/Componi.h"
#include "sources/ComponiAltre.h"
#include "sources/IdentificativiUfficiali.h"
#include "store/DocumentBuffer.h"
#include "store/HomeFolder.h"
#include "ui/ScriptedDialogs.h"

#include <QtTest>

using namespace sourcestest;

Q_DECLARE_METATYPE(TipoIdentificativo)

namespace {

// An entry from "TP=..|NomeFonte=..|articolo=..|ripa=..|allegato=..|giorno=..|mese=..|anno=..|
// numero=..|Decreto|Ordinanza".
VoceFonte voce(const QString& descr) {
    VoceFonte v;
    for (const auto& [k, val] : coppie(descr)) {
        if (k == u"TP")
            v.TP = val;
        else if (k == u"NomeFonte")
            v.NomeFonte = val;
        else if (k == u"articolo")
            v.articolo = val;
        else if (k == u"ripa")
            v.ripa = val;
        else if (k == u"allegato")
            v.allegato = val;
        else if (k == u"giorno")
            v.giorno = val;
        else if (k == u"mese")
            v.mese = val;
        else if (k == u"anno")
            v.anno = val;
        else if (k == u"numero")
            v.numero = val;
        else if (k == u"Decreto")
            v.Decreto = true;
        else if (k == u"Ordinanza")
            v.Ordinanza = true;
        else
            qFatal("unknown entry key %s", qPrintable(k));
    }
    return v;
}

const QString kUrn = QStringLiteral("urn:nir:");

} // namespace

class SourcesIdentifiers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Citations made as the operator makes them, in the domestic dialog (pages 1 to 4) and the EU
    // page of the other-sources dialog (page 0 here stands for it).
    void fromComposedCitations_data() {
        QTest::addColumn<int>("numeroPagina");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("identificativo");

        // Acts of the State, each kind, with and without article.
        QTest::newRow("law with article")
            << 2 << "tipo=2|atto=l.|art=3|gg=7|mese=agosto|aa=1990|n=241"
            << "art. 3 l. 7 agosto 1990, n. 241" << kUrn + "stato:legge:1990-08-07;241~art3";
        QTest::newRow("law, article with suffix")
            << 2 << "tipo=2|atto=l.|art=10|ripa=bis|gg=27|mese=luglio|aa=2000|n=212"
            << "art. 10 bis l. 27 luglio 2000, n. 212" << kUrn + "stato:legge:2000-07-27;212~art10bis";
        QTest::newRow("law without article")
            << 2 << "tipo=2|atto=l.|gg=4|mese=agosto|aa=1955|n=848"
            << "l. 4 agosto 1955, n. 848" << kUrn + "stato:legge:1955-08-04;848";
        QTest::newRow("comma, letter and point open the article")
            << 2 << "tipo=2|atto=l.|art=5|comma=2|ripc=ter|lett=a|nump=3|gg=12|mese=aprile|aa=2006|n=163"
            << "art. 5 comma 2 ter lett. a n. 3 l. 12 aprile 2006, n. 163"
            << kUrn + "stato:legge:2006-04-12;163~art5";
        QTest::newRow("decree-law") << 2 << "tipo=2|atto=d.l.|art=83|gg=17|mese=marzo|aa=2020|n=18"
                                    << "art. 83 d.l. 17 marzo 2020, n. 18"
                                    << kUrn + "stato:decreto.legge:2020-03-17;18~art83";
        QTest::newRow("legislative decree")
            << 2 << "tipo=2|atto=d.lg.|art=2|gg=12|mese=gennaio|aa=2019|n=14"
            << "art. 2 d.lg. 12 gennaio 2019, n. 14" << kUrn + "stato:decreto.legislativo:2019-01-12;14~art2";
        QTest::newRow("presidential decree")
            << 2 << "tipo=2|atto=d.p.r.|art=38|gg=29|mese=settembre|aa=1973|n=600"
            << "art. 38 d.p.r. 29 settembre 1973, n. 600"
            << kUrn + "stato:decreto.del.presidente.della.repubblica:1973-09-29;600~art38";
        QTest::newRow("royal decree")
            << 2 << "tipo=2|atto=r.d.|art=67|gg=16|mese=marzo|aa=1942|n=267"
            << "art. 67 r.d. 16 marzo 1942, n. 267" << kUrn + "stato:regio.decreto:1942-03-16;267~art67";
        QTest::newRow("constitutional law") << 2 << "tipo=1|art=1|gg=19|mese=ottobre|aa=2020|n=1"
                                            << "art. 1 l. cost. 19 ottobre 2020, n. 1"
                                            << kUrn + "stato:legge.costituzionale:2020-10-19;1~art1";
        QTest::newRow("zeros on the left")
            << 2 << "tipo=2|atto=l.|art=03|gg=07|mese=agosto|aa=1990|n=0241"
            << "art. 03 l. 07 agosto 1990, n. 0241" << kUrn + "stato:legge:1990-08-07;241~art3";

        // The Constitution and the codes through the acts that approved them.
        QTest::newRow("Constitution")
            << 4 << "tipo=1|voce=Cost.|art=117|comma=1"
            << "art. 117 comma 1 Cost." << kUrn + "stato:costituzione:1947-12-27~art117";
        QTest::newRow("Constitution without article") << 4 << "tipo=1|voce=Cost."
                                                      << " Cost." << kUrn + "stato:costituzione:1947-12-27";
        QTest::newRow("civil code") << 1 << "tipo=1|voce=c.c.|art=2043"
                                    << "art. 2043 c.c."
                                    << kUrn + "stato:regio.decreto:1942-03-16;262:2~art2043";
        QTest::newRow("civil code, suffix")
            << 1 << "tipo=1|voce=c.c.|art=2497|ripa=bis"
            << "art. 2497 bis c.c." << kUrn + "stato:regio.decreto:1942-03-16;262:2~art2497bis";
        QTest::newRow("civil code without article")
            << 1 << "tipo=1|voce=c.c."
            << " c.c." << kUrn + "stato:regio.decreto:1942-03-16;262:2";
        QTest::newRow("criminal code")
            << 1 << "tipo=2|voce=c.p.|art=640|ripa=ter"
            << "art. 640 ter c.p." << kUrn + "stato:regio.decreto:1930-10-19;1398:1~art640ter";
        QTest::newRow("code of civil procedure")
            << 1 << "tipo=3|voce=c.p.c.|art=360|comma=1|nump=3"
            << "art. 360 comma 1 n. 3 c.p.c." << kUrn + "stato:regio.decreto:1940-10-28;1443:1~art360";
        QTest::newRow("code of criminal procedure")
            << 1 << "tipo=4|voce=c.p.p.|art=191"
            << "art. 191 c.p.p."
            << kUrn + "stato:decreto.del.presidente.della.repubblica:1988-09-22;447~art191";
        QTest::newRow("consumer code")
            << 1 << "tipo=5|voce=c. consumo|art=33"
            << "art. 33 c. consumo" << kUrn + "stato:decreto.legislativo:2005-09-06;206~art33";

        // Constitutional Court decisions.
        QTest::newRow("Constitutional Court judgment") << 3 << "tipo=1|gg=13|mese=gennaio|aa=2020|n=1"
                                                       << "C. Cost. 13 gennaio 2020, n. 1"
                                                       << "ECLI:IT:COST:2020:1";
        QTest::newRow("Constitutional Court order") << 3 << "tipo=1|ord|gg=26|mese=gennaio|aa=2017|n=24"
                                                    << "ord. C. Cost. 26 gennaio 2017, n. 24"
                                                    << "ECLI:IT:COST:2017:24";

        // EU acts: the three year forms of the regulations, directives, decisions.
        QTest::newRow("regulation before 2000") << 0 << "tipo=2|atto=Reg. CEE|aa=1971|n=1408"
                                                << "Reg. CEE 1408/71"
                                                << "http://data.europa.eu/eli/reg/1971/1408/oj";
        QTest::newRow("regulation 2000 to 2014") << 0 << "tipo=2|atto=Reg. CE|art=3|ripa=bis|aa=2004|n=883"
                                                 << "art. 3 bis Reg. CE 883/2004"
                                                 << "http://data.europa.eu/eli/reg/2004/883/oj";
        QTest::newRow("regulation from 2015") << 0 << "tipo=2|atto=Reg. UE|art=17|aa=2016|n=679"
                                              << "art. 17 Reg. UE 2016/679"
                                              << "http://data.europa.eu/eli/reg/2016/679/oj";
        QTest::newRow("directive before 2000") << 0 << "tipo=2|atto=Dir. CEE|aa=1992|n=43"
                                               << "Dir. CEE 92/43"
                                               << "http://data.europa.eu/eli/dir/1992/43/oj";
        QTest::newRow("directive") << 0 << "tipo=2|atto=Dir. UE|aa=2016|n=680"
                                   << "Dir. UE 2016/680"
                                   << "http://data.europa.eu/eli/dir/2016/680/oj";
        QTest::newRow("decision") << 0 << "tipo=2|atto=Dec. UE|aa=2019|n=1754"
                                  << "Dec. UE 2019/1754"
                                  << "http://data.europa.eu/eli/dec/2019/1754/oj";
        QTest::newRow("implementing regulation") << 0 << "tipo=2|atto=Reg. esecuzione UE|aa=2023|n=138"
                                                 << "Reg. esecuzione UE 2023/138"
                                                 << "http://data.europa.eu/eli/reg_impl/2023/138/oj";

        // None: never a guess.
        QTest::newRow("regional law")
            << 2 << "tipo=4|atto=l. reg.|regione=LO - Lombardia|gg=12|mese=dicembre|aa=2003|n=26"
            << "l. reg. LO 12 dicembre 2003, n. 26" << QString();
        QTest::newRow("provincial law")
            << 2 << "tipo=3|atto=l. prov.|info1=BZ - Bolzano|gg=1|mese=marzo|aa=2010|n=4"
            << "l. prov. BZ 1 marzo 2010, n. 4" << QString();
        QTest::newRow("law without number") << 2 << "tipo=2|atto=l.|art=3|gg=7|mese=agosto|aa=1990"
                                            << "art. 3 l. 7 agosto 1990" << QString();
        QTest::newRow("law without day") << 2 << "tipo=2|atto=l.|art=3|mese=agosto|aa=1990|n=241"
                                         << "art. 3 l. agosto 1990, n. 241" << QString();
        QTest::newRow("law without month") << 2 << "tipo=2|atto=l.|art=3|gg=7|aa=1990|n=241"
                                           << "art. 3 l. 7 1990, n. 241" << QString();
        QTest::newRow("law with only a number") << 2 << "tipo=2|atto=l.|n=5"
                                                << "l., n. 5" << QString();
        QTest::newRow("no such day") << 2 << "tipo=2|atto=l.|gg=31|mese=febbraio|aa=1990|n=1"
                                     << "l. 31 febbraio 1990, n. 1" << QString();
        QTest::newRow("year in two digits") << 2 << "tipo=2|atto=l.|gg=7|mese=agosto|aa=90|n=241"
                                            << "l. 7 agosto 90, n. 241" << QString();
        QTest::newRow("number with letters") << 2 << "tipo=2|atto=d.l.|gg=7|mese=agosto|aa=1990|n=12/bis"
                                             << "d.l. 7 agosto 1990, n. 12/bis" << QString();
        QTest::newRow("annex of an act")
            << 2 << "tipo=2|atto=d.lg.|art=1|gg=30|mese=giugno|aa=2003|n=196|all=B"
            << "art. 1 d.lg. 30 giugno 2003, n. 196, all. B" << QString();
        QTest::newRow("annex of a code") << 1 << "tipo=3|voce=c.p.c.|art=1|all=A"
                                         << "art. 1 all. A c.p.c." << QString();
        QTest::newRow("act kind without a fixed URN")
            << 2 << "tipo=2|atto=dir. p.c.m.|gg=1|mese=marzo|aa=2010|n=3"
            << "dir. p.c.m. 1 marzo 2010, n. 3" << QString();
        QTest::newRow("code not known") << 1 << "tipo=4|voce=Norme bancarie uniformi|art=6"
                                        << "art. 6 Norme bancarie uniformi" << QString();
        QTest::newRow("Court decree") << 3 << "tipo=1|decr|aa=2004"
                                      << "decr. C. Cost. 2004" << QString();
        QTest::newRow("Court decision without number") << 3 << "tipo=1|gg=1|mese=marzo|aa=2004"
                                                       << "C. Cost. 1 marzo 2004" << QString();
        QTest::newRow("Cassation") << 3 << "tipo=3|gg=11|mese=novembre|aa=2008|n=26972"
                                   << "Cass. 11 novembre 2008, n. 26972" << QString();
        QTest::newRow("EU treaty") << 0 << "tipo=1|atto=TFUE|art=267"
                                   << "art. 267 TFUE" << QString();
        QTest::newRow("Parliament resolution") << 0 << "tipo=2|atto=Ris. P.E.|gg=1|mese=marzo|aa=2010"
                                               << "Ris. P.E. 1 marzo 2010" << QString();
    }
    void fromComposedCitations() {
        QFETCH(int, numeroPagina);
        QFETCH(QString, page);
        QFETCH(QString, testo);
        QFETCH(QString, identificativo);
        ScriptedDialogs d;
        DocumentBuffer b;
        if (numeroPagina == 0) {
            cConnessione chiusa;
            QVERIFY(ImmettiFonteAltra(PaginaComunitaria, pagina(page), b, chiusa, d));
        } else {
            QVERIFY(ImmettiFonteInterna(numeroPagina, pagina(page), b, d));
        }
        QVERIFY2(d.shown().empty(), qPrintable(d.texts().join(u'\n')));
        QCOMPARE(b.ElencoFonti.size(), 1);
        QCOMPARE(b.ElencoFonti[0].testo, testo);
        const IdentificativoUfficiale id = ComponiIdentificativo(b.ElencoFonti[0]);
        QCOMPARE(id.testo, identificativo);
        QCOMPARE(id.presente(), !identificativo.isEmpty());
    }

    // Fields as the modification dialog may leave them, and codes the dialogs do not offer.
    void fromTypedFields_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("identificativo");
        const QString legge =
            QStringLiteral("TP=LIO|NomeFonte=l.|giorno=7|mese=agosto|anno=1990|numero=241|");
        QTest::newRow("blanks around the values")
            << "TP=LIO|NomeFonte=l.|articolo= 3 |giorno= 7|mese=agosto |anno=1990 |numero= 241"
            << kUrn + "stato:legge:1990-08-07;241~art3";
        QTest::newRow("suffix typed into the article") << legge + "articolo=2-bis" << QString();
        QTest::newRow("article in words") << legge + "articolo=unico" << QString();
        QTest::newRow("article zero") << legge + "articolo=0" << QString();
        QTest::newRow("suffix without article") << legge + "ripa=bis" << QString();
        QTest::newRow("suffix not a partition") << legge + "articolo=3|ripa=bus" << QString();
        QTest::newRow("seventeenth suffix") << legge + "articolo=25|ripa=septiesdecies"
                                            << kUrn + "stato:legge:1990-08-07;241~art25septiesdecies";
        QTest::newRow("eighteenth suffix has two spellings")
            << legge + "articolo=25|ripa=octiesdecies" << QString();
        QTest::newRow("month not a month")
            << "TP=LIO|NomeFonte=l.|giorno=7|mese=Agosto|anno=1990|numero=241" << QString();
        QTest::newRow("day zero") << "TP=LIO|NomeFonte=l.|giorno=0|mese=agosto|anno=1990|numero=241"
                                  << QString();
        QTest::newRow("year with a zero in front")
            << "TP=LIO|NomeFonte=l.|giorno=7|mese=agosto|anno=0990|numero=241" << QString();
        QTest::newRow("number zero") << "TP=LIO|NomeFonte=l.|giorno=7|mese=agosto|anno=1990|numero=000"
                                     << QString();
        QTest::newRow("royal decree-law")
            << "TP=LIO|NomeFonte=r.d.l.|giorno=20|mese=giugno|anno=1935|numero=1071"
            << kUrn + "stato:regio.decreto.legge:1935-06-20;1071";
        QTest::newRow("name of another family")
            << "TP=LIR|NomeFonte=l.|giorno=7|mese=agosto|anno=1990|numero=241" << QString();
        QTest::newRow("family code changed by hand")
            << "TP=LIOA|NomeFonte=l.|giorno=7|mese=agosto|anno=1990|numero=241" << QString();
        QTest::newRow("preliminary provisions") << "TP=LIC|NomeFonte=disp. prel. c.c.|articolo=12"
                                                << kUrn + "stato:regio.decreto:1942-03-16;262:1~art12";
        QTest::newRow("implementing provisions of the civil code")
            << "TP=LIC|NomeFonte=disp. att. c.c.|articolo=18"
            << kUrn + "stato:regio.decreto:1942-03-30;318:1~art18";
        QTest::newRow("implementing provisions of the criminal procedure")
            << "TP=LIC|NomeFonte=disp. att. c.p.p.|articolo=1"
            << kUrn + "stato:decreto.legislativo:1989-07-28;271~art1";
        QTest::newRow("navigation code")
            << "TP=LIC|NomeFonte=c. nav.|articolo=1" << kUrn + "stato:regio.decreto:1942-03-30;327:1~art1";
        QTest::newRow("public contracts code has had three acts")
            << "TP=LIC|NomeFonte=c. contratti pubblici|articolo=1" << QString();
        QTest::newRow("transitional provisions of the Constitution")
            << "TP=LIC|NomeFonte=disp. trans. fin. Cost.|articolo=12" << QString();
        QTest::newRow("code name in another case") << "TP=LIC|NomeFonte=C.C.|articolo=1" << QString();
        QTest::newRow("constitutional law by another name")
            << "TP=LICO|NomeFonte=l.|giorno=18|mese=ottobre|anno=2001|numero=3" << QString();
        QTest::newRow("Court, order and decree")
            << "TP=GICO|NomeFonte=C. Cost.|Ordinanza|Decreto|anno=2004|numero=85" << QString();
        QTest::newRow("Court, year without date") << "TP=GICO|NomeFonte=C. Cost.|anno=2004|numero=085"
                                                  << "ECLI:IT:COST:2004:85";
        QTest::newRow("Court, year in two digits")
            << "TP=GICO|NomeFonte=C. Cost.|anno=04|numero=85" << QString();
        QTest::newRow("delegated regulation") << "TP=NIC|NomeFonte=Reg. delegato UE|anno=2019|numero=980"
                                              << "http://data.europa.eu/eli/reg_del/2019/980/oj";
        QTest::newRow("delegated directive") << "TP=NIC|NomeFonte=Dir. delegata UE|anno=2015|numero=863"
                                             << "http://data.europa.eu/eli/dir_del/2015/863/oj";
        QTest::newRow("EU decision of the Communities") << "TP=NIC|NomeFonte=Dec. CEE|anno=1987|numero=373"
                                                        << "http://data.europa.eu/eli/dec/1987/373/oj";
        QTest::newRow("regulation, year in two digits")
            << "TP=NIC|NomeFonte=Reg. CEE|anno=71|numero=1408" << QString();
        QTest::newRow("regulation without number") << "TP=NIC|NomeFonte=Reg. UE|anno=2016" << QString();
        QTest::newRow("framework decision")
            << "TP=NIC|NomeFonte=Dec. quadro|anno=2002|numero=584" << QString();
        QTest::newRow("EU case law") << "TP=GEC|NomeFonte=C. giust. UE|anno=2014|numero=131" << QString();
        QTest::newRow("fresh entry") << "" << QString();
    }
    void fromTypedFields() {
        QFETCH(QString, entry);
        QFETCH(QString, identificativo);
        QCOMPARE(ComponiIdentificativo(voce(entry)).testo, identificativo);
    }

    // Never a link to another act: none for a date the kind of act cannot have, nor for a decision
    // of the Constitutional Court whose year of numbering is not certain; the reason is given.
    void noIdentifierForAnImpossibleOrUncertainAct_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("identificativo");
        QTest::addColumn<QString>("motivo");
        const QString impossibile = MotivoDataImpossibile();
        const auto atto = [](const char* nome, int anno) {
            return QStringLiteral("TP=LIO|NomeFonte=%1|giorno=2|mese=marzo|anno=%2|numero=10")
                .arg(QLatin1String(nome))
                .arg(anno);
        };
        QTest::newRow("royal decree of 1946")
            << atto("r.d.", 1946) << kUrn + "stato:regio.decreto:1946-03-02;10"
            << "";
        QTest::newRow("royal decree after 1946") << atto("r.d.", 1947) << "" << impossibile;
        QTest::newRow("royal decree-law after 1946") << atto("r.d.l.", 1950) << "" << impossibile;
        QTest::newRow("presidential decree before 1948") << atto("d.p.r.", 1947) << "" << impossibile;
        QTest::newRow("presidential decree of 1948")
            << atto("d.p.r.", 1948) << kUrn + "stato:decreto.del.presidente.della.repubblica:1948-03-02;10"
            << "";
        QTest::newRow("law before 1861") << atto("l.", 1860) << "" << impossibile;
        QTest::newRow("law of 1861") << atto("l.", 1861) << kUrn + "stato:legge:1861-03-02;10"
                                     << "";
        QTest::newRow("constitutional law before 1861")
            << "TP=LICO|NomeFonte=l. cost.|giorno=1|mese=marzo|anno=1848|numero=1"
            << "" << impossibile;
        QTest::newRow("delegated regulation before 2009")
            << "TP=NIC|NomeFonte=Reg. delegato UE|anno=2008|numero=5"
            << "" << impossibile;
        QTest::newRow("implementing regulation before 2009")
            << "TP=NIC|NomeFonte=Reg. esecuzione UE|anno=2004|numero=5"
            << "" << impossibile;
        QTest::newRow("delegated directive before 2009")
            << "TP=NIC|NomeFonte=Dir. delegata UE|anno=1999|numero=5"
            << "" << impossibile;
        QTest::newRow("regulation of the Communities before 2009")
            << "TP=NIC|NomeFonte=Reg. CE|anno=2004|numero=5"
            << "http://data.europa.eu/eli/reg/2004/5/oj"
            << "";
        const QString incerto = QStringLiteral("anno di deposito incerto: una decisione di fine anno con un "
                                               "numero basso è numerata nell'anno seguente");
        QTest::newRow("decision of December, number 1")
            << "TP=GICO|NomeFonte=C. Cost.|giorno=4|mese=dicembre|anno=2013|numero=1"
            << "" << incerto;
        QTest::newRow("decision of October, number 100")
            << "TP=GICO|NomeFonte=C. Cost.|giorno=1|mese=ottobre|anno=2013|numero=100"
            << "" << incerto;
        QTest::newRow("decision of December, high number")
            << "TP=GICO|NomeFonte=C. Cost.|giorno=4|mese=dicembre|anno=2013|numero=280"
            << "ECLI:IT:COST:2013:280"
            << "";
    }
    void noIdentifierForAnImpossibleOrUncertainAct() {
        QFETCH(QString, entry);
        QFETCH(QString, identificativo);
        QFETCH(QString, motivo);
        const IdentificativoUfficiale id = ComponiIdentificativo(voce(entry));
        QCOMPARE(id.testo, identificativo);
        QCOMPARE(id.presente(), !identificativo.isEmpty());
        QCOMPARE(id.motivo, motivo);
    }

    void addresses_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<TipoIdentificativo>("tipo");
        QTest::addColumn<QString>("predefinito");
        QTest::addColumn<QString>("configurato");
        QTest::newRow("URN")
            << "TP=LIO|NomeFonte=l.|articolo=3|giorno=7|mese=agosto|anno=1990|numero=241"
            << TipoIdentificativo::Urn
            << "https://www.normattiva.it/uri-res/N2Ls?urn:nir:stato:legge:1990-08-07;241~art3"
            << "http://nir.example/base/uri-res/N2Ls?urn:nir:stato:legge:1990-08-07;241~art3";
        QTest::newRow("ELI") << "TP=NIC|NomeFonte=Dir. UE|anno=2016|numero=680" << TipoIdentificativo::Eli
                             << "http://data.europa.eu/eli/dir/2016/680/oj"
                             << "https://eli.example/eli/dir/2016/680/oj";
        QTest::newRow("ECLI")
            << "TP=GICO|NomeFonte=C. Cost.|anno=2020|numero=1" << TipoIdentificativo::Ecli
            << "https://www.cortecostituzionale.it/actionSchedaPronuncia.do?param_ecli="
               "ECLI:IT:COST:2020:1"
            << "http://corte.example/actionSchedaPronuncia.do?param_ecli=ECLI:IT:COST:2020:1";
        QTest::newRow("none") << "TP=LIR|NomeFonte=l. reg." << TipoIdentificativo::Nessuno << QString()
                              << QString();
    }
    void addresses() {
        QFETCH(QString, entry);
        QFETCH(TipoIdentificativo, tipo);
        QFETCH(QString, predefinito);
        QFETCH(QString, configurato);
        const IdentificativoUfficiale id = ComponiIdentificativo(voce(entry));
        QCOMPARE(id.tipo, tipo);
        QCOMPARE(IndirizzoUfficiale(id, Settings()), predefinito);

        // Bases as quillaro.ini gives them: trailing slashes dropped.
        QTemporaryDir dir;
        HomeFolder home(dir.path());
        QFile ini(home.settingsPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[services]\nnormattiva=http://nir.example/base/\neli=https://eli.example//\n"
                  "cortecostituzionale=http://corte.example\n");
        ini.close();
        QCOMPARE(IndirizzoUfficiale(id, Settings::load(home)), configurato);
    }

    void defaultSettingsFileNamesTheServices() {
        const QString testo = Settings::defaultFileText();
        for (const char* riga : {"normattiva=https://www.normattiva.it", "eli=http://data.europa.eu",
                                 "cortecostituzionale=https://www.cortecostituzionale.it"})
            QVERIFY2(testo.contains(QString::fromLatin1(riga)), riga);
    }

    void currentSourceOfTheBuffer() {
        DocumentBuffer b;
        b.ElencoFonti << voce(QStringLiteral("TP=LIC|NomeFonte=c.c.|articolo=2043"))
                      << voce(QStringLiteral("TP=GICA|NomeFonte=Cass.|anno=2008|numero=26972"));
        const Settings s;
        QCOMPARE(IndirizzoFonteCorrente(b, s), QString());
        b.IndiceFonte = 0;
        QCOMPARE(
            IndirizzoFonteCorrente(b, s),
            QStringLiteral("https://www.normattiva.it/uri-res/N2Ls?urn:nir:stato:regio.decreto:1942-03-16;"
                           "262:2~art2043"));
        b.IndiceFonte = 1;
        QCOMPARE(IndirizzoFonteCorrente(b, s), QString());
        b.IndiceFonte = 2; // past the end: a stale index opens nothing
        QCOMPARE(IndirizzoFonteCorrente(b, s), QString());
        // A deleted entry is still the source it was.
        b.ElencoFonti[0].Cancellata = true;
        b.IndiceFonte = 0;
        QVERIFY(!IndirizzoFonteCorrente(b, s).isEmpty());
    }
};

QTEST_GUILESS_MAIN(SourcesIdentifiers)
#include "tst_sources_identifiers.moc"
