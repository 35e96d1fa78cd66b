// The archive generator: what it makes, that a seed always makes the same, and that its documents
// go through the window's load and save unchanged.

#include "app/cli/Cli.h"
#include "documents/Generatore.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "support/TestHome.h"

#include <QtTest>

namespace {

QStringList dump(const QString& path, const QString& sql) {
    cConnessione c;
    if (!c.ApriConnessione(path))
        return {"not opened"};
    QStringList out;
    RecordSet rs = c.ApriRS(sql);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList f;
        for (int i = 0; i < rs.columnCount(); ++i)
            f << rs.field(i).toString();
        out << f.join(u'|');
    }
    return out;
}

qint64 numero(const QString& path, const QString& sql) {
    return dump(path, sql).value(0).toLongLong();
}

const char* const kTabelle[] = {"tabDocumento",      "tabRifBibl",    "tabTesto",       "legameDocTesto",
                                "tabResponsabilita", "legameDocResp", "legameDocClass", "tabFonte",
                                "legameDocFonte",    "tabCitta",      "tabSistematici", "tabLegameDS"};

} // namespace

class Generator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void makesARealisticArchive() {
        TestHome t;
        const QString path = t.home().mdbPath("GEN.db");
        GeneraArchivio(t.state(), path, OpzioniGeneratore{400, 7});
        QVERIFY(!QFileInfo::exists(path + ".gen"));
        QCOMPARE(
            dump(path, "select IDCentroSpoglio, AnnoProduzione, Consegna, NumInizio, Storico from tabInfo"),
            QStringList{"3|2026|GEN|1|"});
        QCOMPARE(numero(path, "select count(*) from tabDocumento"), 400);
        QCOMPARE(numero(path, "select max(IDDocumento) from tabDocumento"), 400);
        // Issues shared by several articles, persons by several documents, sources cited again.
        QVERIFY(numero(path, "select count(*) from tabRifBibl") < 150);
        QVERIFY(numero(path, "select count(*) from tabResponsabilita") <
                numero(path, "select count(*) from legameDocResp"));
        const qint64 fonti = numero(path, "select count(*) from tabFonte");
        const qint64 citazioni = numero(path, "select count(*) from legameDocFonte");
        QVERIFY2(fonti > 800 && fonti < citazioni,
                 qPrintable(QString("%1 sources, %2 links").arg(fonti).arg(citazioni)));
        QVERIFY(
            numero(
                path,
                "select count(*) from (select IDDoc from legameDocResp group by IDDoc having count(*) > 1)") >
            50);
        // Every family group and every kind of text.
        for (const char* tp : {"LIO", "LIC", "GICA", "GICO", "NIC", "GEC", "GEI", "NS", "GS"})
            QVERIFY2(numero(path, QString("select count(*) from tabFonte where TP = '%1'").arg(tp)) > 0, tp);
        QVERIFY(numero(path, "select count(*) from tabFonte where TP like 'FS%' or TP like 'FC%'") > 0);
        QCOMPARE(dump(path, "select distinct Tipo from legameDocTesto order by Tipo"),
                 QStringList({"0", "1", "2", "3", "4", "5", "7", "8"}));
        QCOMPARE(dump(path, "select distinct Controllo from legameDocClass order by 1"),
                 QStringList({"0", "1", "2", "3"}));
        QVERIFY(numero(path, "select count(*) from tabRifBibl where length(Data) = 7") > 0);
        // A share of cataloguing errors.
        const qint64 errati = numero(
            path,
            "select count(*) from tabDocumento d where TD = '' or TAbs = '' or Bib = '' or Pagine = '0' "
            "or not exists (select 1 from legameDocResp r where r.IDDoc = d.IDDocumento) "
            "or not exists (select 1 from legameDocClass c where c.IDDoc = d.IDDocumento)");
        QVERIFY2(errati >= 8 && errati <= 60, qPrintable(QString::number(errati)));
    }

    void sameSeedSameArchive() {
        TestHome t;
        const QString a = t.home().mdbPath("A.db"), b = t.home().mdbPath("B.db"),
                      c = t.home().mdbPath("C.db");
        GeneraArchivio(t.state(), a, OpzioniGeneratore{120, 3});
        GeneraArchivio(t.state(), b, OpzioniGeneratore{120, 3});
        GeneraArchivio(t.state(), c, OpzioniGeneratore{120, 4});
        for (const char* table : kTabelle) {
            const QString sql = QString("select * from %1 order by rowid").arg(table);
            QCOMPARE(dump(a, sql), dump(b, sql));
        }
        QVERIFY(dump(a, "select * from tabTesto") != dump(c, "select * from tabTesto"));
    }

    void refusesAnExistingFile() {
        TestHome t;
        const QString path = t.createArchive("ESISTE");
        const QByteArray prima = readFileBytes(path);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 GeneraArchivio(t.state(), path, OpzioniGeneratore{5, 1}));
        QCOMPARE(readFileBytes(path), prima);
    }

    void documentsRoundTripThroughTheWindowCore() {
        TestHome t;
        const QString path = t.home().mdbPath("RT.db");
        GeneraArchivio(t.state(), path, OpzioniGeneratore{150, 11});
        QVERIFY(t.open(path));
        cConnessione& c = t.state().Connessione;
        const ListeDocumento liste = CaricaListe(c, QDate::currentDate());
        // Rows that a save finds again instead of writing (a document row only gets a new version).
        const auto righe = [&] {
            QStringList all =
                dump(path, "select IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, "
                           "DocURL from tabDocumento order by rowid");
            for (const char* table : {"tabRifBibl", "tabResponsabilita", "tabFonte", "tabCitta", "tabSezione",
                                      "tabStato", "tabMinistero"})
                all << dump(path, QString("select * from %1 order by rowid").arg(table));
            return all;
        };
        const QStringList prima = righe();
        const auto collegamenti = [&] {
            return dump(
                path, "select 'R', IDDoc, IDResponsabilita, FlagAutore from legameDocResp union all "
                      "select 'C', IDDoc, CodiceS, CodiceD || '/' || Controllo from legameDocClass union all "
                      "select 'F', IDDoc, IDFonte, '' from legameDocFonte union all "
                      "select 'T', IDDoc, Tipo, Testo from legameDocTesto l, tabTesto t where l.IDTesto = "
                      "t.IDTesto "
                      "order by 1, 2, 3, 4");
        };
        const QStringList linkPrima = collegamenti();
        for (qint64 id = 1; id <= 150; ++id) {
            DocumentBuffer b;
            b.IDDocCorrente = id;
            DatiDocumento d;
            PreparaDati(d, liste);
            d.txtID = QString::number(id);
            const EsitoCaricamento e = CaricaDocumento(c, t.state().Mesi, liste, b, d);
            QVERIFY2(e.caricato && e.avvisi.isEmpty(), qPrintable(e.errore + e.avvisi.join(u';')));
            const RisultatoSalvataggio r = ScriviDocumento(c, b, d);
            QVERIFY2(r.salvato(), qPrintable(r.messaggio));
        }
        QCOMPARE(righe(), prima);
        QCOMPARE(collegamenti(), linkPrima);
    }

    void commandLine() {
        TestHome t;
        QString out, err;
        QTextStream o(&out), e(&err);
        const QString path = t.home().mdbPath("CLI.db");
        QCOMPARE(runCli({"--home", t.root(), "generate", "CLI", "--docs", "30", "--seed", "2"}, o, e), 0);
        QVERIFY(out.contains("Archivio generato: " + path + " (30 documenti"));
        QCOMPARE(numero(path, "select count(*) from tabDocumento"), 30);
        QCOMPARE(runCli({"--home", t.root(), "generate", "CLI", "--docs", "30"}, o, e), 1);
        QVERIFY(err.contains("esiste già"));
        QCOMPARE(runCli({"--home", t.root(), "generate", "ALTRO", "--docs", "molti"}, o, e), 2);
    }
};

QTEST_GUILESS_MAIN(Generator)
#include "tst_documents_generator.moc"
