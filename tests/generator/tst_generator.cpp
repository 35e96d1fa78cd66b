// The archive generator: what it makes, that its deliveries look like real ones (dates inside each
// act's life, catalogue acts cited right but for the slips asked for, case numbers where the CELEX
// page reads them), that a seed always makes the same bytes and two seeds different documents, that
// its record tells the slips and copies as they are, and that its documents go through the
// window's load and save unchanged.

#include "app/cli/Cli.h"
#include "checks/Controlli.h"
#include "checks/StampeHtml.h"
#include "generator/Generatore.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "store/Archivio.h"
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

// Every dated source with the name of its act, court or body.
const char* const kAnniPerNome =
    "select n.FonteNorm, f.anno from tabFonte f join tabFonteInterna n on n.IDFonteInterna = f.IDNomeFonte "
    "where substr(f.TP, 1, 2) in ('LI', 'GI', 'AC') and f.anno <> '' "
    "union all select c.FonteCom, f.anno from tabFonte f join tabFonteCom c on c.IDFonteCom = f.IDNomeFonte "
    "where f.TP in ('NIC', 'GEC') and f.anno <> '' "
    "union all select i.FonteInt, f.anno from tabFonte f join tabFonteInt i on i.IDFonteInt = f.IDNomeFonte "
    "where f.TP in ('NIA', 'GEI') and f.anno <> ''";

// The identity of each document: journal, date, pages, title and number.
const char* const kIdentita = "select r.IDRivistaOnline, r.Data, d.Pagine, t.Testo, d.IDDocumento "
                              "from tabDocumento d join tabRifBibl r on r.IDRifBibl = d.IDRifBibl "
                              "join legameDocTesto l on l.IDDoc = d.IDDocumento and l.Tipo = '0' join "
                              "tabTesto t on t.IDTesto = l.IDTesto";

// A title with case, punctuation and blanks set aside.
QString piegato(const QString& titolo) {
    QString out;
    for (const QChar c : titolo.toLower())
        if (c.isLetterOrNumber())
            out += c;
    return out;
}

// Equal, or one letter dropped or doubled.
bool quasiUguali(const QString& a, const QString& b) {
    if (a == b)
        return true;
    const QString& lungo = a.size() > b.size() ? a : b;
    const QString& corto = a.size() > b.size() ? b : a;
    if (lungo.size() != corto.size() + 1)
        return false;
    qsizetype i = 0;
    while (i < corto.size() && corto[i] == lungo[i])
        ++i;
    return QStringView(corto).mid(i) == QStringView(lungo).mid(i + 1);
}

} // namespace

class Generator : public QObject {
    Q_OBJECT

    // One delivery of 3 000 documents, shared by the tests that only read it.
    std::unique_ptr<TestHome> casa_;
    QString consegna_;
    std::unique_ptr<TestHome> cli_;

private Q_SLOTS:
    void initTestCase() {
        casa_ = std::make_unique<TestHome>();
        consegna_ = casa_->home().mdbPath("GEN.db");
        GeneraArchivio(casa_->state(), consegna_, OpzioniGeneratore{3000, 11});
    }
    void cleanupTestCase() {
        casa_.reset();
        cli_.reset();
    }

    void makesARealisticArchive() {
        const QString& path = consegna_;
        QVERIFY(!QFileInfo::exists(path + ".gen"));
        QCOMPARE(
            dump(path, "select IDCentroSpoglio, AnnoProduzione, Consegna, NumInizio, Storico from tabInfo"),
            QStringList{"3|2026|GEN|1|"});
        QCOMPARE(numero(path, "select count(*) from tabDocumento"), 3000);
        QCOMPARE(numero(path, "select max(IDDocumento) from tabDocumento"), 3000);
        // Issues shared by several articles, persons by several documents, sources cited again.
        QVERIFY(numero(path, "select count(*) from tabRifBibl") < 1000);
        QVERIFY(numero(path, "select count(*) from tabResponsabilita") <
                numero(path, "select count(*) from legameDocResp"));
        const qint64 fonti = numero(path, "select count(*) from tabFonte");
        const qint64 citazioni = numero(path, "select count(*) from legameDocFonte");
        QVERIFY2(fonti > 6000 && fonti < citazioni,
                 qPrintable(QString("%1 sources, %2 links").arg(fonti).arg(citazioni)));
        QVERIFY(
            numero(
                path,
                "select count(*) from (select IDDoc from legameDocResp group by IDDoc having count(*) > 1)") >
            500);
        // Every family group and every kind of text.
        for (const char* tp : {"LIO", "LICO", "LIC", "LIR", "LIOA", "GICA", "GICO", "GIO", "GIA", "NIC",
                               "GEC", "NIT", "NIA", "GEI", "NS", "GS", "FCC", "FCG", "FCA"})
            QVERIFY2(numero(path, QString("select count(*) from tabFonte where TP = '%1'").arg(tp)) > 0, tp);
        QVERIFY(numero(path, "select count(*) from tabFonte where TP like 'FS%'") > 0);
        QCOMPARE(dump(path, "select distinct Tipo from legameDocTesto order by Tipo"),
                 QStringList({"0", "1", "2", "3", "4", "5", "7", "8"}));
        QCOMPARE(dump(path, "select distinct Controllo from legameDocClass order by 1"),
                 QStringList({"0", "1", "2", "3"}));
        QVERIFY(numero(path, "select count(*) from tabRifBibl where length(Data) = 7") > 0);
        // Cataloguing errors at a real delivery's rates: a few documents in a hundred.
        const qint64 errati = numero(
            path,
            "select count(*) from tabDocumento d where TD = '' or TAbs = '' or Bib = '' or Pagine = '0' "
            "or not exists (select 1 from legameDocResp r where r.IDDoc = d.IDDocumento) "
            "or not exists (select 1 from legameDocClass c where c.IDDoc = d.IDDocumento)");
        QVERIFY2(errati >= 30 && errati <= 150, qPrintable(QString::number(errati)));
    }

    // No act is dated outside the years it existed.
    void datesInsideEachKindsLife_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("da");
        QTest::addColumn<int>("a");
        QTest::addColumn<bool>("citato"); // the delivery must cite it, so that the row tests something
        QTest::newRow("royal decrees") << "r.d." << 1861 << 1946 << true;
        QTest::newRow("royal decree-laws") << "r.d.l." << 1861 << 1946 << true;
        QTest::newRow("presidential decrees") << "d.p.r." << 1948 << 2025 << true;
        QTest::newRow("legislative decrees") << "d.lg." << 1988 << 2025 << true;
        QTest::newRow("lieutenancy decrees") << "d.lg.lgt." << 1944 << 1946 << true;
        QTest::newRow("constitutional laws") << "l. cost." << 1948 << 2025 << true;
        QTest::newRow("Constitutional Court") << "C. Cost." << 1956 << 2025 << true;
        QTest::newRow("magistrates' courts, abolished in 1999") << "Pret." << 1861 << 1999 << true;
        QTest::newRow("justices of the peace") << "Giud. pace" << 1995 << 2025 << true;
        QTest::newRow("delegated EU regulations") << "Reg. delegato UE" << 2010 << 2025 << true;
        QTest::newRow("EU implementing regulations") << "Reg. esecuzione UE" << 2010 << 2025 << true;
        QTest::newRow("delegated EU directives") << "Dir. delegata UE" << 2010 << 2025 << true;
        QTest::newRow("EEC directives") << "Dir. CEE" << 1958 << 1993 << true;
        QTest::newRow("Court of Justice of the Union") << "C. giust. UE" << 2010 << 2025 << true;
        QTest::newRow("International Criminal Court") << "C. pen. int." << 2002 << 2025 << true;
        QTest::newRow("Permanent Court of International Justice")
            << "C. perm. giust. int." << 1922 << 1946 << false;
    }
    void datesInsideEachKindsLife() {
        QFETCH(QString, nome);
        QFETCH(int, da);
        QFETCH(int, a);
        QFETCH(bool, citato);
        int citati = 0;
        for (const QString& riga : dump(consegna_, kAnniPerNome)) {
            const int anno = riga.section(u'|', -1).toInt();
            QVERIFY2(anno >= 1861 && anno <= 2025, qPrintable(riga));
            if (riga.section(u'|', 0, -2) != nome)
                continue;
            ++citati;
            QVERIFY2(anno >= da && anno <= a, qPrintable(riga));
        }
        QVERIFY2(!citato || citati > 0, qPrintable(nome + " not cited"));
    }

    // The CELEX page reads every EU judgment's case, each document cites a source once, and pages
    // are ranges only where the journal gives ranges.
    void citationsAsThePagesReadThem() {
        for (const QString& riga :
             dump(consegna_, "select c.Settore, c.Codice, f.altro, f.Ordinanza, f.testo from tabFonte f join "
                             "tabFonteCom c on c.IDFonteCom = f.IDNomeFonte where f.TP = 'GEC'")) {
            const QStringList c = riga.split(u'|');
            QVERIFY2(!CodiceCelex(c[0], c[1], {}, {}, c[2], {}, {}, c[3] != u"0").trimmed().isEmpty(),
                     qPrintable(riga));
        }
        QCOMPARE(numero(consegna_,
                        "select count(*) from (select 1 from legameDocFonte group by IDDoc, IDFonte "
                        "having count(*) > 1)"),
                 0);
        QCOMPARE(numero(consegna_, "select count(*) from tabDocumento d join tabRifBibl r on r.IDRifBibl = "
                                   "d.IDRifBibl where cast(r.IDRivistaOnline as integer) >= 9000 and "
                                   "d.Pagine like '%-%'"),
                 0);
        QVERIFY(numero(consegna_, "select count(*) from tabDocumento d join tabRifBibl r on r.IDRifBibl = "
                                  "d.IDRifBibl where cast(r.IDRivistaOnline as integer) < 9000 and "
                                  "d.Pagine like '%-%'") > 2000);
    }

    // The share of catalogue citations slipped is the one asked for, and the check finds each slip
    // as "Fonte errata", and nothing else as such.
    void slipsFollowTheSetting_data() {
        QTest::addColumn<double>("sviste");
        QTest::newRow("none") << 0.0;
        QTest::newRow("the default") << 5.0;
        QTest::newRow("many") << 30.0;
    }
    void slipsFollowTheSetting() {
        QFETCH(double, sviste);
        TestHome& t = *casa_;
        QString path = consegna_;
        if (sviste != OpzioniGeneratore{}.sviste) {
            path = t.home().mdbPath(QString("SVISTE%1.db").arg(sviste));
            OpzioniGeneratore o{800, 5};
            o.sviste = sviste;
            GeneraArchivio(t.state(), path, o);
        }
        const std::optional<RegistroGenerazione> r = LeggiRegistroGenerazione(path);
        QVERIFY(r);
        QCOMPARE(r->sviste, sviste);
        QVERIFY(r->citazioniCatalogo > 800);
        const double quota =
            100.0 * static_cast<double>(r->elencoSviste.size()) / static_cast<double>(r->citazioniCatalogo);
        QVERIFY2(std::abs(quota - sviste) <= 1.0, qPrintable(QString::number(quota)));

        QVERIFY(t.open(path));
        QFile errfonte(EseguiControlli(t.state()).fonti);
        QVERIFY(errfonte.open(QIODevice::ReadOnly));
        QStringList trovate;
        for (const QByteArray& riga : errfonte.readAll().split('\n'))
            if (riga.startsWith("Fonte errata: "))
                trovate << QString::fromLatin1(riga.trimmed());
        QStringList attese;
        for (const SvistaGenerata& s : r->elencoSviste)
            attese << QString("Fonte errata: %1 (rec. %2)").arg(s.scritta).arg(s.documento);
        // The citations are plain ASCII, the same in either encoding of the lists.
        QCOMPARE(trovate, attese);
        ChiudiArchivio(t.state());
    }

    // In two homes, the same seed makes the same archive and record, byte for byte.
    void sameSeedSameBytes() {
        TestHome t, altra;
        OpzioniGeneratore o{150, 3};
        o.doppioni = 10;
        const QString a = t.home().mdbPath("GEN.db"), b = altra.home().mdbPath("GEN.db"),
                      c = t.home().mdbPath("ALTRO.db");
        GeneraArchivio(t.state(), a, o);
        GeneraArchivio(altra.state(), b, o);
        QCOMPARE(readFileBytes(a), readFileBytes(b));
        QCOMPARE(readFileBytes(PercorsoRegistroGenerazione(a)),
                 readFileBytes(PercorsoRegistroGenerazione(b)));
        QVERIFY(readFileBytes(PercorsoRegistroGenerazione(a)).contains("\ndoppione\t"));
        o.seme = 4;
        GeneraArchivio(t.state(), c, o);
        QVERIFY(dump(a, "select * from tabTesto") != dump(c, "select * from tabTesto"));
    }

    // Seed 2 does not replay seed 1 a draw later: no document of one is a document of the other.
    void twoSeedsShareNoDocument() {
        TestHome t;
        const QString uno = t.home().mdbPath("UNO.db"), due = t.home().mdbPath("DUE.db");
        GeneraArchivio(t.state(), uno, OpzioniGeneratore{600, 1});
        GeneraArchivio(t.state(), due, OpzioniGeneratore{600, 2});
        QSet<QString> identita, titoli;
        for (const QString& riga : dump(uno, kIdentita)) {
            identita.insert(riga.section(u'|', 0, -2));
            titoli.insert(riga.section(u'|', 3, 3));
        }
        for (const QString& riga : dump(due, kIdentita)) {
            QVERIFY2(!identita.contains(riga.section(u'|', 0, -2)), qPrintable(riga));
            QVERIFY2(!titoli.contains(riga.section(u'|', 3, 3)), qPrintable(riga));
        }
    }

    // Copies within and across deliveries are the documents the record names, and no others: the
    // same issue and pages, the title as another operator typed it again.
    void copiesAreWhatTheRecordSays() {
        TestHome t;
        OpzioniGeneratore o{400, 1};
        o.doppioni = 10;
        QHash<quint32, QString> archivi;
        for (const quint32 seme : {1u, 2u}) {
            o.seme = seme;
            archivi[seme] = t.home().mdbPath(QString("COPIE%1.db").arg(seme));
            GeneraArchivio(t.state(), archivi[seme], o);
        }
        // (seed, document) -> issue, first page and folded title; the documents by issue and first page
        // where the journal gives page ranges (and the page is not the error "0").
        struct Documento {
            QString fascicolo, pagina, titolo;
        };
        QHash<QPair<quint32, qint64>, Documento> documenti;
        QHash<QString, QList<QPair<quint32, qint64>>> perPagina;
        for (auto it = archivi.cbegin(); it != archivi.cend(); ++it)
            for (const QString& riga : dump(*it, kIdentita)) {
                const QStringList c = riga.split(u'|');
                const QPair<quint32, qint64> chiave{it.key(), c.last().toLongLong()};
                const Documento d{c[0] + u'|' + c[1], c[2].section(u'-', 0, 0), piegato(c[3])};
                documenti.insert(chiave, d);
                if (c[0].toInt() < 9000 && d.pagina != u"0")
                    perPagina[d.fascicolo + u'|' + d.pagina] << chiave;
            }
        QSet<QPair<QPair<quint32, qint64>, QPair<quint32, qint64>>> coppie;
        int dentro = 0, fuori = 0;
        for (auto it = archivi.cbegin(); it != archivi.cend(); ++it) {
            const std::optional<RegistroGenerazione> r = LeggiRegistroGenerazione(*it);
            QVERIFY(r);
            QCOMPARE(r->seme, it.key());
            QVERIFY2(r->elencoDoppioni.size() >= 25 && r->elencoDoppioni.size() <= 60,
                     qPrintable(QString::number(r->elencoDoppioni.size())));
            for (const DoppioneGenerato& d : r->elencoDoppioni) {
                const QPair<quint32, qint64> copia{it.key(), d.documento},
                    originale{d.semeOriginale, d.documentoOriginale};
                QVERIFY(documenti.contains(originale));
                const Documento& x = documenti[copia];
                const Documento& y = documenti[originale];
                QCOMPARE(x.fascicolo, y.fascicolo);
                QVERIFY(x.pagina == y.pagina || x.pagina == u"0" || y.pagina == u"0");
                QVERIFY2(quasiUguali(x.titolo, y.titolo), qPrintable(x.titolo + " / " + y.titolo));
                coppie.insert({copia, originale});
                coppie.insert({originale, copia});
                ++(d.semeOriginale == it.key() ? dentro : fuori);
            }
        }
        QVERIFY(dentro > 0 && fuori > 0);
        // Any two documents of an issue that start on the same page are a recorded copy.
        for (const auto& gruppo : std::as_const(perPagina))
            for (qsizetype i = 0; i < gruppo.size(); ++i)
                for (qsizetype j = i + 1; j < gruppo.size(); ++j) {
                    const auto& x = gruppo[i];
                    const auto& y = gruppo[j];
                    const bool copia = coppie.contains({x, y}) ||
                                       std::any_of(gruppo.cbegin(), gruppo.cend(), [&](const auto& z) {
                                           return coppie.contains({x, z}) && coppie.contains({y, z});
                                       });
                    QVERIFY2(copia, qPrintable(QString("%1/%2 and %3/%4")
                                                   .arg(x.first)
                                                   .arg(x.second)
                                                   .arg(y.first)
                                                   .arg(y.second)));
                }
    }

    void refusesAnExistingFile() {
        TestHome t;
        const QString path = t.createArchive("ESISTE");
        const QByteArray prima = readFileBytes(path);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 GeneraArchivio(t.state(), path, OpzioniGeneratore{5, 1}));
        QCOMPARE(readFileBytes(path), prima);
        QVERIFY(!QFileInfo::exists(PercorsoRegistroGenerazione(path)));
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

    void commandLine_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("uscita");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("made") << QStringList{"CLI",     "--docs", "30",           "--seed", "2",
                                             "--slips", "50",     "--duplicates", "20"}
                              << 0 << "Archivio generato: ";
        QTest::newRow("existing") << QStringList{"CLI", "--docs", "30"} << 1 << "esiste già";
        QTest::newRow("documents not a number")
            << QStringList{"ALTRO", "--docs", "molti"} << 2 << "non valido";
        QTest::newRow("share above 100")
            << QStringList{"ALTRO", "--docs", "3", "--slips", "101"} << 2 << "Quota non valida per --slips";
        QTest::newRow("share not a number") << QStringList{"ALTRO", "--docs", "3", "--duplicates", "tanti"}
                                            << 2 << "Quota non valida per --duplicates";
    }
    void commandLine() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, uscita);
        QFETCH(QString, messaggio);
        // The rows run in order: "existing" finds the archive "made" made.
        if (!cli_)
            cli_ = std::make_unique<TestHome>();
        TestHome& t = *cli_;
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(runCli(QStringList{"--home", t.root(), "generate"} + argomenti, o, e), uscita);
        o.flush();
        e.flush();
        QVERIFY2((out + err).contains(messaggio), qPrintable(out + err));
        if (uscita != 0)
            return;
        const QString path = t.home().mdbPath("CLI.db");
        QCOMPARE(numero(path, "select count(*) from tabDocumento"), 30);
        const std::optional<RegistroGenerazione> r = LeggiRegistroGenerazione(path);
        QVERIFY(r && r->seme == 2 && r->sviste == 50 && r->doppioni == 20);
        QVERIFY(out.contains(QString("Registro: %1 (%2 sviste")
                                 .arg(PercorsoRegistroGenerazione(path))
                                 .arg(r->elencoSviste.size())));
    }
};

QTEST_GUILESS_MAIN(Generator)
#include "tst_generator.moc"
