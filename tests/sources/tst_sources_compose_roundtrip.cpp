// Sources of every family composed from the delivered lookup lists, saved with two documents,
// stored once, and loaded back as they were composed.

#include "SourcesTestUtil.h"
#include "documents/SalvaDocumento.h"
#include "sources/CaricaFonti.h"
#include "sources/Componi.h"
#include "sources/ComponiAltre.h"
#include "sources/ElenchiFonti.h"
#include "support/TestHome.h"

#include <QtTest>

using namespace sourcestest;

namespace {

struct Fonte {
    bool interna;
    int pagina;
    const char* descr;
    const char* testo;
};

// Names, places and treaties as the delivered lists offer them.
const Fonte kFonti[] = {
    {true, 2, "tipo=2|atto=l.|art=3|gg=15|mese=marzo|aa=1990|n=22", "art. 3 l. 15 marzo 1990, n. 22"},
    {true, 2, "tipo=4|atto=l. reg.|regione=LA - Lazio|aa=1999|n=14", "l. reg. LA 1999, n. 14"},
    {true, 2, "tipo=3|atto=l. prov.|info1=BZ - Bolzano|aa=2005|n=1", "l. prov. BZ 2005, n. 1"},
    {true, 2, "tipo=7|atto=d.m.|info1=Ministero delle idee nuove|aa=2004",
     "d.m. Ministero delle idee nuove 2004"},
    {true, 1, "tipo=1|voce=c.c.|art=2043", "art. 2043 c.c."},
    {true, 3, "tipo=3|info2=sez. un.|gg=11|mese=gennaio|aa=2008|n=500",
     "Cass. sez. un. 11 gennaio 2008, n. 500"},
    {true, 3, "tipo=7|atto=TAR|regione=LA - Lazio|info1=Roma|info2=sez. II|gg=3|mese=maggio|aa=2001|n=12",
     "TAR LA - Roma sez. II 3 maggio 2001, n. 12"},
    {true, 3, "tipo=4|atto=Trib.|info1=Vattelapesca|aa=2010", "Trib. Vattelapesca 2010"},
    {false, 0, "tipo=1|libero=1) whatever the line says|art=6|comma=1",
     "art. 6 comma 1 Conv. eur. dir. uomo Roma 4 novembre 1950"},
    {false, 0,
     "tipo=3|atto=C. eur. dir. uomo|ord|decr|info2=Grande Camera|gg=1|mese=luglio|aa=2014|libero=S.A.S. c. "
     "Francia",
     "ord. C. eur. dir. uomo Grande Camera 1 luglio 2014 (S.A.S. c. Francia)"},
    {false, 1, "tipo=2|atto=Dir. CE|art=7|aa=2004|n=38", "art. 7 Dir. CE 2004/38"},
    {false, 1, "tipo=2|atto=Reg. UE|aa=2016|n=679", "Reg. UE 2016/679"},
    {false, 1, "tipo=4|atto=C. giust. UE|info2=Grande Camera|gg=5|mese=marzo|aa=2009|n=C-1/07",
     "C. giust. UE Grande Camera 5 marzo 2009, n. C-1/07"},
    {false, 1, "tipo=3|atto=Conv. UE|gg=26|mese=luglio|aa=1995|libero=tutela",
     "Conv. UE 26 luglio 1995 (tutela)"},
    {false, 2, "tipo=1|voce=Fonti normative (*NS*)|art=1|libero=Code civil|aa=1804|stato=Francia",
     "art. 1 Code civil 1804 (Francia)"},
    {false, 2, "tipo=2|voce=Fonti giurisprudenziali (*GS*)|libero=BGH|aa=2001|stato=Ruritania",
     "BGH 2001 (Ruritania)"},
    {false, 3, "tipo=1|voce=Fonti normative (*FCC*)|atto=C. Iur. Can.|art=1055",
     "can. 1055 C. Iur. Can. 1983"},
    {false, 3,
     "tipo=3|voce=Fonti giurisprudenziali (*FCG*)|atto=Trib. Eccl. Reg.|regione=LO - Lombardia|aa=2001",
     "Trib. Eccl. Reg. LO 2001"},
    {false, 3, "tipo=2|voce=Altre fonti normative (*FCA*)|libero=Istr. \"Dignitas connubii\"",
     " Istr. \"Dignitas connubii\""},
    {false, 4, "tipo=1|voce=Fonti romane (*FSR*)|atto=giuridiche (*FSRG*)|libero=D. 1.1.1", "D. 1.1.1"},
};

DatiDocumento documento(qint64 id) {
    DatiDocumento d;
    d.txtID = QString::number(id);
    d.cmbCPer = Combo{1, QStringLiteral("101")};
    d.txtTitolo = QStringLiteral("Documento %1").arg(id);
    return d;
}

} // namespace

class SourcesRoundTrip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyFamilyStoredOnceAndLoadedBack() {
        TestHome t;
        QVERIFY(t.open(t.createArchive()));
        cConnessione& c = t.state().Connessione;
        QVERIFY(CaricaNIT(c).contains(QStringLiteral("1) Conv. eur. dir. uomo Roma 4 novembre 1950")));

        DocumentBuffer b;
        for (const Fonte& f : kFonti) {
            const PaginaFonte p = pagina(QString::fromUtf8(f.descr));
            const bool ok = f.interna ? ImmettiFonteInterna(f.pagina, p, b, t.dialogs())
                                      : ImmettiFonteAltra(f.pagina, p, b, c, t.dialogs());
            QVERIFY2(ok, f.descr);
            QCOMPARE(b.ElencoFonti.last().testo, QString::fromUtf8(f.testo));
        }
        QVERIFY(t.dialogs().shown().empty());
        const QList<VoceFonte> composte = b.ElencoFonti;

        for (qint64 id : {1, 2}) {
            DocumentBuffer doc;
            doc.IDDocCorrente = id;
            doc.ElencoFonti = composte;
            const RisultatoSalvataggio r = ScriviDocumento(c, doc, documento(id));
            QVERIFY2(r.salvato(), qPrintable(r.messaggio));
        }
        RecordSet n = c.ApriRS(QStringLiteral("select count(*) as n from tabFonte"));
        QCOMPARE(n.field(u"n").toInt(), int(std::size(kFonti)));

        // Typed names the lists did not have are added once, marked new.
        RecordSet nuovi = c.ApriRS(QStringLiteral(
            "select (select count(*) from tabCitta where Citta = 'Vattelapesca' and Nuovo = 1) + "
            "(select count(*) from tabMinistero where MinisteroNorm = 'Ministero delle idee nuove' and Nuovo "
            "= 1) + "
            "(select count(*) from tabStato where Stato = 'Ruritania' and Nuovo = 1) as n"));
        QCOMPARE(nuovi.field(u"n").toInt(), 3);

        for (qint64 id : {1, 2}) {
            const QList<VoceFonte> caricate = CaricaFonti(c, id, t.state().Mesi);
            QCOMPARE(caricate.size(), composte.size());
            for (qsizetype i = 0; i < caricate.size(); ++i) {
                VoceFonte v = caricate[i];
                QVERIFY(v.IDFonte > 0);
                v.IDFonte = 0;
                QCOMPARE(v.testo, composte[i].testo);
                QCOMPARE(v.TP, composte[i].TP);
                QCOMPARE(campi(v), campi(composte[i]));
            }
        }
    }
};

QTEST_GUILESS_MAIN(SourcesRoundTrip)
#include "tst_sources_compose_roundtrip.moc"
