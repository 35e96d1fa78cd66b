// Source entries in the archive: the identity search, the insert with its lookups, and the load.

#include "documents/EditorFixture.h"
#include "sources/CaricaFonti.h"
#include "sources/CercaFonte.h"

#include <QtTest>

using namespace editor_test;

Q_DECLARE_METATYPE(VoceFonte)

namespace {

VoceFonte tar() {
    VoceFonte v;
    v.TP = "GIA";
    v.NomeFonte = "TAR";
    v.Regione = "LA";
    v.Citta = "Roma";
    v.Sezione = "sez. II";
    v.giorno = "3";
    v.mese = "maggio";
    v.anno = "2001";
    v.numero = "12";
    v.testo = "TAR LA - Roma sez. II 3 maggio 2001, n. 12";
    return v;
}

VoceFonte gei(const QString& tp) {
    VoceFonte v;
    v.TP = tp;
    v.NomeFonte = tp == u"GEI" ? "C. eur. dir. uomo" : "CEDU";
    v.Sezione = "Grande Camera";
    v.testo = "C. eur. dir. uomo Grande Camera 1 luglio 2014 (Rossi c. Italia)";
    return v;
}

qint64 cerca(cConnessione& c, const VoceFonte& v) {
    const IstruzioneSql s = CercaFonte(c, v);
    RecordSet rs = c.ApriRS(s.sql, s.params);
    return rs.eof() ? 0 : rs.field(0).toLongLong();
}

QString riga(cConnessione& c, qint64 id) {
    RecordSet rs = c.ApriRS("select TP, mese, testo, altro, IDNomeFonte > 0, IDRegione > 0, IDCitta > 0, "
                            "IDProvincia > 0, IDSezione > 0, IDStato > 0, Ordinanza <> 0, Decreto <> 0 "
                            "from tabFonte where IDFonte = ?",
                            {id});
    QStringList out;
    for (int i = 0; i < rs.columnCount(); ++i)
        out << rs.field(i).toString();
    return out.join(u'|');
}

} // namespace

class SourceRecords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void identicalEntriesShareOneRow_data() {
        QTest::addColumn<VoceFonte>("primo");
        QTest::addColumn<VoceFonte>("secondo");
        QTest::addColumn<bool>("stessa");
        const VoceFonte base = tar();
        VoceFonte v = base;
        QTest::newRow("identical") << base << v << true;
        v.articolo = "5";
        QTest::newRow("article empty versus given") << base << v << false;
        v = base;
        v.Citta.clear();
        QTest::newRow("stored city, none in the entry") << base << v << true;
        v = base;
        v.Citta = "Latina";
        QTest::newRow("another city") << base << v << false;
        v = base;
        v.Ordinanza = true;
        QTest::newRow("an order") << base << v << false;
        v = base;
        v.mese.clear();
        QTest::newRow("no month") << base << v << false;
        VoceFonte q = base;
        q.testo = "TAR LA \"Roma\" sez. II";
        q.altro = "il \"caso\"";
        VoceFonte q2 = q;
        QTest::newRow("quotes in text and note") << q << q2 << true;
        QTest::newRow("GEI section counts") << gei("GEI") << [] {
            VoceFonte g = gei("GEI");
            g.Sezione = "sez. I";
            return g;
        }() << false;
        QTest::newRow("NIT section ignored") << gei("NIT") << [] {
            VoceFonte g = gei("NIT");
            g.Sezione = "sez. I";
            return g;
        }() << true;
    }
    void identicalEntriesShareOneRow() {
        QFETCH(VoceFonte, primo);
        QFETCH(VoceFonte, secondo);
        QFETCH(bool, stessa);
        TestHome t;
        Archivio a(t);
        const qint64 id = MemorizzaFonte(a.c(), primo);
        QCOMPARE(cerca(a.c(), primo), id);
        QCOMPARE(cerca(a.c(), secondo) == id, stessa);
        QCOMPARE(MemorizzaFonte(a.c(), secondo) == id, stessa);
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), stessa ? 1 : 2);
    }

    // A row written by another tool with Null in the empty columns is the same source once loaded,
    // so saving its document again must not store it twice.
    void rowsWithNullColumnsAreFoundAgain() {
        TestHome t;
        Archivio a(t);
        const qint64 id = MemorizzaFonte(a.c(), tar());
        a.c().EseguiIstruzione("update tabFonte set articolo = null, comma = null, lettera = null, "
                               "allegato = null, ripa = null, ripc = null, numerop = null, altro = null");
        a.c().EseguiIstruzione("insert into legameDocFonte (IDDoc, IDFonte) values (5, ?)", {id});
        const QList<VoceFonte> letti = CaricaFonti(a.c(), 5, t.state().Mesi);
        QCOMPARE(letti.size(), 1);
        QCOMPARE(MemorizzaFonte(a.c(), letti.first()), id);
        a.c().EseguiIstruzione("update tabFonte set mese = null, giorno = null");
        VoceFonte senzaData = tar();
        senzaData.mese.clear();
        senzaData.giorno.clear();
        QCOMPARE(MemorizzaFonte(a.c(), senzaData), id);
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), 1);
    }

    void storedColumnsByGroup_data() {
        QTest::addColumn<VoceFonte>("voce");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("domestic") << tar()
                                  << "GIA|5|TAR LA - Roma sez. II 3 maggio 2001, n. 12||1|1|1|0|1|0|0|0";
        VoceFonte p;
        p.TP = "LIP";
        p.NomeFonte = "l.";
        p.Provincia = "BZ";
        p.Decreto = true;
        p.testo = "l. BZ";
        QTest::newRow("province") << p << "LIP|0|l. BZ||1|0|0|1|0|0|0|1";
        QTest::newRow("GEI with section")
            << gei("GEI")
            << "GEI|0|C. eur. dir. uomo Grande Camera 1 luglio 2014 (Rossi c. Italia)||1|0|0|0|1|0|0|0";
        QTest::newRow("NIT without section")
            << gei("NIT")
            << "NIT|0|C. eur. dir. uomo Grande Camera 1 luglio 2014 (Rossi c. Italia)||1|0|0|0|0|0|0|0";
        VoceFonte can;
        can.TP = "FCG";
        can.NomeFonte = "Trib. Eccl. Reg.";
        can.Regione = "LO";
        can.Citta = "Milano";
        can.Ordinanza = true;
        can.testo = "Trib. Eccl. Reg. LO";
        QTest::newRow("canon law, flags not stored") << can << "FCG|0|Trib. Eccl. Reg. LO||1|1|1|0|0|0|0|0";
        VoceFonte ns;
        ns.TP = "NS";
        ns.Stato = "Francia";
        ns.Ordinanza = true;
        ns.testo = "art. 1240 Code civil (Francia)";
        QTest::newRow("foreign") << ns << "NS|0|art. 1240 Code civil (Francia)||0|0|0|0|0|1|1|0";
        VoceFonte fs;
        fs.TP = "FSRP";
        fs.Citta = "Roma";
        fs.Stato = "Egitto";
        fs.Decreto = true;
        fs.altro = "P. Oxy.";
        fs.testo = "P. Oxy. 1.1";
        QTest::newRow("historical: no keys, no flags") << fs << "FSRP|0|P. Oxy. 1.1|P. Oxy.|0|0|0|0|0|0|0|0";
        VoceFonte fca;
        fca.TP = "FCA";
        fca.testo = " Istr. Dignitas connubii 25 gennaio 2005";
        fca.mese = "gennaio";
        QTest::newRow("FCA keeps its leading blank")
            << fca << "FCA|1| Istr. Dignitas connubii 25 gennaio 2005||0|0|0|0|0|0|0|0";
    }
    void storedColumnsByGroup() {
        QFETCH(VoceFonte, voce);
        QFETCH(QString, atteso);
        TestHome t;
        Archivio a(t);
        const qint64 id = MemorizzaFonte(a.c(), voce);
        QCOMPARE(riga(a.c(), id), atteso);
        QCOMPARE(cerca(a.c(), voce), id);
    }

    void newLookupRowsAreAddedOnce() {
        TestHome t;
        Archivio a(t);
        VoceFonte v = tar();
        v.Citta = "Cittadella";
        v.Sezione = "sez. nuova";
        v.Ministero = "Ministero della prova";
        v.Autorita = "Autorità \"nuova\"";
        v.Amministrazione = "Comune di Prova";
        // The search alone adds them, marked new ...
        cerca(a.c(), v);
        for (const char* sql :
             {"select Nuovo from tabCitta where Citta = 'Cittadella'",
              "select Nuovo from tabSezione where Sigla = 'sez. nuova'",
              "select Nuovo from tabMinistero where MinisteroNorm = 'Ministero della prova'",
              "select Nuovo from tabAutorita where AutoritaNorm = 'Autorità \"nuova\"'",
              "select Nuovo from tabAmministrazione where AmministrazioneNorm = 'Comune di Prova'"})
            QCOMPARE(conta(a.c(), sql), 1);
        // ... and the insert that follows, or another document citing them, finds them.
        MemorizzaFonte(a.c(), v);
        MemorizzaFonte(a.c(), v);
        VoceFonte stato;
        stato.TP = "GS";
        stato.Stato = "Ruritania";
        stato.testo = "Corte suprema (Ruritania)";
        MemorizzaFonte(a.c(), stato);
        MemorizzaFonte(a.c(), stato);
        QCOMPARE(conta(a.c(), "select count(*) from tabCitta where Citta = 'Cittadella'"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from tabSezione where Sigla = 'sez. nuova'"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from tabStato where Stato = 'Ruritania' and Nuovo = 1"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), 2);
    }

    void unknownFixedNamesFail_data() {
        QTest::addColumn<VoceFonte>("voce");
        VoceFonte v = tar();
        v.NomeFonte = "Tribunale inesistente";
        QTest::newRow("name") << v;
        v = tar();
        v.Regione = "ZZ";
        QTest::newRow("region") << v;
        v = tar();
        v.Provincia = "XX";
        QTest::newRow("province") << v;
        v = gei("GEI");
        v.NomeFonte = "l.";
        QTest::newRow("name of another group") << v;
    }
    void unknownFixedNamesFail() {
        QFETCH(VoceFonte, voce);
        TestHome t;
        Archivio a(t);
        QVERIFY_THROWS_EXCEPTION(DbError, CercaFonte(a.c(), voce));
        QVERIFY_THROWS_EXCEPTION(DbError, InserisciFonte(a.c(), voce));
    }

    void loadGivesTheEntriesBack() {
        TestHome t;
        Archivio a(t);
        VoceFonte p;
        p.TP = "LIP";
        p.NomeFonte = "l.";
        p.Provincia = "TN";
        p.articolo = "4";
        p.ripa = "bis";
        p.comma = "2";
        p.ripc = "ter";
        p.lettera = "a";
        p.numerop = "3";
        p.allegato = "B";
        p.giorno = "1";
        p.mese = "dicembre";
        p.anno = "2010";
        p.numero = "7";
        p.Decreto = true;
        p.testo = "art. 4 bis comma 2 ter lett. a n. 3 l. TN 1 dicembre 2010, n. 7, all. B";
        VoceFonte n;
        n.TP = "NIC";
        n.NomeFonte = "Reg. UE";
        n.anno = "2016";
        n.numero = "679";
        n.testo = "Reg. UE 2016/679";
        QList<VoceFonte> elenco{tar(), p, n, gei("GEI")};
        for (const VoceFonte& v : elenco)
            a.c().EseguiIstruzione("insert into legameDocFonte (IDDoc, IDFonte) values (5, ?)",
                                   {MemorizzaFonte(a.c(), v)});
        // A citation stored elsewhere with its family after an asterisk.
        a.c().EseguiIstruzione("update tabFonte set testo = testo || '*NIC*' where TP = 'NIC'");

        const QList<VoceFonte> letti = CaricaFonti(a.c(), 5, t.state().Mesi);
        QCOMPARE(letti.size(), 4);
        for (int i = 0; i < 4; ++i) {
            VoceFonte atteso = elenco[i];
            atteso.IDFonte = letti[i].IDFonte;
            QVERIFY(letti[i].IDFonte > 0);
            QCOMPARE(letti[i], atteso);
        }
        QCOMPARE(rigaFonte(letti[2]), QString("Reg. UE 2016/679*NIC*"));
        QVERIFY(CaricaFonti(a.c(), 6, t.state().Mesi).isEmpty());
    }

    void loadOfABrokenKeyFails() {
        TestHome t;
        Archivio a(t);
        a.c().EseguiIstruzione("insert into legameDocFonte (IDDoc, IDFonte) values (5, ?)",
                               {MemorizzaFonte(a.c(), tar())});
        a.c().EseguiIstruzione("update tabFonte set IDCitta = 9999");
        QVERIFY_THROWS_EXCEPTION(DbError, CaricaFonti(a.c(), 5, t.state().Mesi));
    }
};

QTEST_GUILESS_MAIN(SourceRecords)
#include "tst_sources_records.moc"
