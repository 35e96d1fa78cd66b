// Issues, names and sources compare without regard to case, as the centre's Jet archives did:
// in new archives, and in archives of the previous version, brought up to date when opened without
// merging anything they hold.

#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "sources/CercaFonte.h"
#include "store/ArchiveFormat.h"
#include "store/Archivio.h"
#include "store/VersioneArchivio.h"
#include "support/StoreFixtures.h"

#include <QtTest>
#include <sqlite3.h>

using namespace editor_test;

namespace {

VoceResponsabilita persona(const QString& primo, const QString& secondo) {
    VoceResponsabilita v;
    v.PrimoElemento = primo;
    v.SecondoElemento = secondo;
    v.FlagAutore = true;
    return v;
}

VoceFonte legge(const QString& articolo, const QString& testo) {
    VoceFonte v;
    v.TP = "LIO";
    v.NomeFonte = "l.";
    v.articolo = articolo;
    v.giorno = "7";
    v.mese = "agosto";
    v.anno = "1990";
    v.numero = "241";
    v.testo = testo;
    return v;
}

// A document of the archive's journal with one person, one source and an issue spelt as given.
void salva(Archivio& a, qint64 numero, const QString& primo, const QString& fascicolo, const QString& volume,
           const QString& articolo, const QString& testo) {
    DocumentBuffer b = Archivio::nuovo(numero);
    DatiDocumento d = a.dati(numero);
    d.txtFascicolo = fascicolo;
    d.txtVolume = volume;
    b.ElencoResponsabilita = {persona(primo, QStringLiteral("Mario"))};
    b.ElencoFonti = {legge(articolo, testo)};
    const RisultatoSalvataggio r = ScriviDocumento(a.c(), b, d);
    QVERIFY2(r.esito == EsitoSalvataggio::Salvato, qPrintable(r.messaggio));
}

void exec(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const QString text = message ? QString::fromUtf8(message) : QString();
    sqlite3_free(message);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(text));
}

// Rows of the previous version that are equal without regard to case: two persons, two issues of
// the journal TST1 dated 12 March 2020, two sources as the save stores art. 3 l. 7 agosto 1990, n. 241.
void righeDoppie(const QString& path) {
    exec(path,
         "insert into tabRivisteOnline (IDRivistaOnline, Titolo) values ('TST1', 'Rivista di prova');"
         "insert into tabResponsabilita (PrimoElemento, SecondoElemento) values ('Rossi', 'Mario'), "
         "('ROSSI', 'MARIO');"
         "insert into tabRifBibl (IDRivistaOnline, Data, Fascicolo, Volume, Annata) values "
         "('TST1', '2020-03-12', 'IX', 'II', '2020'), ('TST1', '2020-03-12', 'ix', 'ii', '2020');"
         "insert into tabFonte (TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numeroP, giorno, "
         "anno, mese, altro, testo, IDNomeFonte) select 'LIO', a, '', '', '', '', '', '241', '', '7', "
         "'1990', '8', '', a || ' l. 7 agosto 1990, n. 241', (select IDFonteInterna from tabFonteInterna "
         "where FonteNorm = 'l.') from (select 'Art. 3' as a union all select 'art. 3')");
}

qint64 righe(cConnessione& c, const char* table) {
    return c.ApriRS(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)))
        .field(0)
        .toLongLong();
}

} // namespace

class StoreUpgrade : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookupsShareOneRow_data();
    void lookupsShareOneRow();
    void upgradeMergesNothing();
    void upgradeIsAllOrNothing();
    void viewsAndTriggersOfOtherToolsSurvive();
    void readOnlyArchiveOpensAsItIs();
    void indexesStillServeTheLookups();
    void versionTwoGetsTheVersions();
    void nocaseColumnDefinitions_data();
    void nocaseColumnDefinitions();
};

void StoreUpgrade::lookupsShareOneRow_data() {
    QTest::addColumn<bool>("previousVersion");
    QTest::newRow("new archive") << false;
    QTest::newRow("archive of the previous version") << true;
}

void StoreUpgrade::lookupsShareOneRow() {
    QFETCH(bool, previousVersion);
    TestHome t;
    QString path;
    if (previousVersion) {
        path = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
        writeVersion1File(path, OldFile::Archive);
    } else {
        path = t.createArchive();
    }
    QVERIFY(t.open(path));
    Archivio a(t, true);
    cConnessione& c = a.c();
    salva(a, 1, QStringLiteral("Rossi"), QStringLiteral("IX"), QStringLiteral("Vol. II"),
          QStringLiteral("3 bis"), QStringLiteral("Art. 3 bis l. 7 agosto 1990, n. 241"));
    salva(a, 2, QStringLiteral("ROSSI"), QStringLiteral("ix"), QStringLiteral("vol. ii"),
          QStringLiteral("3 BIS"), QStringLiteral("art. 3 bis l. 7 agosto 1990, n. 241"));
    salva(a, 3, QStringLiteral("rossi"), QStringLiteral("Ix"), QStringLiteral("VOL. II"),
          QStringLiteral("3 Bis"), QStringLiteral("ART. 3 BIS L. 7 AGOSTO 1990, N. 241"));
    QCOMPARE(righe(c, "tabResponsabilita"), 1);
    QCOMPARE(righe(c, "tabRifBibl"), 1);
    QCOMPARE(righe(c, "tabFonte"), 1);
    // What was stored first is kept as it was typed.
    QCOMPARE(c.ApriRS(QStringLiteral("select PrimoElemento from tabResponsabilita")).field(0).toString(),
             QStringLiteral("Rossi"));
    QCOMPARE(c.ApriRS(QStringLiteral("select Fascicolo from tabRifBibl")).field(0).toString(),
             QStringLiteral("IX"));
    QCOMPARE(righe(c, "legameDocFonte"), 3);
    // Different text stays different, and SQLite's NOCASE folds only A-Z: accented capitals are
    // other letters to it ("À" is not "à").
    salva(a, 4, QStringLiteral("Rossini"), QStringLiteral("X"), QStringLiteral("II"), QStringLiteral("4"),
          QStringLiteral("art. 4 l. 7 agosto 1990, n. 241"));
    salva(a, 5, QStringLiteral("ÀLVARO"), QStringLiteral("X"), QStringLiteral("II"), QStringLiteral("4"),
          QStringLiteral("art. 4 l. 7 agosto 1990, n. 241"));
    salva(a, 6, QStringLiteral("àlvaro"), QStringLiteral("X"), QStringLiteral("II"), QStringLiteral("4"),
          QStringLiteral("art. 4 l. 7 agosto 1990, n. 241"));
    QCOMPARE(righe(c, "tabResponsabilita"), 4);
    QCOMPARE(righe(c, "tabRifBibl"), 2);
    QCOMPARE(righe(c, "tabFonte"), 2);
    QCOMPARE(c.ApriRS(QStringLiteral("PRAGMA user_version")).field(0).toLongLong(),
             cConnessione::kSchemaVersion);
}

void StoreUpgrade::upgradeMergesNothing() {
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
    writeVersion1File(path, OldFile::Archive, QStringLiteral("9"));
    righeDoppie(path);
    QVERIFY(t.open(path));
    cConnessione& c = t.state().Connessione;
    QCOMPARE(t.state().Consegna(), QStringLiteral("9"));
    QCOMPARE(c.ApriRS(QStringLiteral("PRAGMA user_version")).field(0).toLongLong(),
             cConnessione::kSchemaVersion);
    QCOMPARE(c.ApriRS(QStringLiteral("PRAGMA integrity_check")).field(0).toString(), QStringLiteral("ok"));
    // The rows that are now equal stay two, with their keys and spelling.
    QCOMPARE(c.ApriRS(QStringLiteral("select group_concat(IDResponsabilita || PrimoElemento) from "
                                     "(select * from tabResponsabilita order by IDResponsabilita)"))
                 .field(0)
                 .toString(),
             QStringLiteral("1Rossi,2ROSSI"));
    QCOMPARE(righe(c, "tabRifBibl"), 2);
    QCOMPARE(righe(c, "tabFonte"), 2);
    // Only new lookups share: a save finds one of them and adds nothing.
    Archivio a(t, true);
    salva(a, 1, QStringLiteral("rossi"), QStringLiteral("Ix"), QStringLiteral("Ii"), QStringLiteral("ART. 3"),
          QStringLiteral("ART. 3 L. 7 AGOSTO 1990, N. 241"));
    QCOMPARE(righe(c, "tabResponsabilita"), 2);
    QCOMPARE(righe(c, "tabRifBibl"), 2);
    QCOMPARE(righe(c, "tabFonte"), 2);
    // The indexes came back, now without regard to case as their columns.
    QCOMPARE(c.ApriRS(QStringLiteral("select count(*) from sqlite_schema where type = 'index' and name in "
                                     "('ixResponsabilitaNome', 'ixFonteTesto', 'ixFonteTP')"))
                 .field(0)
                 .toLongLong(),
             3);
}

void StoreUpgrade::upgradeIsAllOrNothing() {
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
    writeVersion1File(path, OldFile::Archive);
    righeDoppie(path);
    // Another tool's unique index on the names: "Rossi" and "ROSSI" would become one, and the
    // upgrade stops after tabRifBibl was rebuilt rather than merge them.
    exec(path, "create unique index uxPersona on tabResponsabilita (PrimoElemento, SecondoElemento)");
    const QByteArray before = readFileBytes(path);
    t.dialogs().clear();
    QVERIFY(!t.open(path));
    const QStringList lines = t.dialogs().lastText().split(u'\n');
    QCOMPARE(lines.value(0), QStringLiteral("Errore nell'apertura del db"));
    QVERIFY2(lines.value(1).contains(QStringLiteral("versione precedente")), qPrintable(lines.join(u'|')));
    QVERIFY(lines.last().startsWith(QStringLiteral("Dettaglio tecnico: ")));
    QCOMPARE(readFileBytes(path), before);
    QCOMPARE(numberFrom(path, QStringLiteral("PRAGMA user_version")), 1);
}

void StoreUpgrade::viewsAndTriggersOfOtherToolsSurvive() {
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
    writeVersion1File(path, OldFile::Archive);
    exec(path,
         "create view vFonti as select testo from tabFonte;"
         "create table registro (nota text);"
         "create trigger trFonte after insert on tabFonte begin insert into registro values (new.testo); end;"
         "create trigger trLegame after insert on legameDocFonte begin "
         "insert into registro select testo from tabFonte where IDFonte = new.IDFonte; end");
    QVERIFY(t.open(path));
    cConnessione& c = t.state().Connessione;
    QCOMPARE(c.ApriRS(QStringLiteral("PRAGMA user_version")).field(0).toLongLong(),
             cConnessione::kSchemaVersion);
    c.EseguiIstruzione(QStringLiteral("insert into tabFonte (TP, testo) values ('LIO', 'l. 1/2000')"));
    c.EseguiIstruzione(QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (1, ?)"),
                       {c.lastInsertId()});
    QCOMPARE(c.ApriRS(QStringLiteral("select count(*) from registro")).field(0).toLongLong(), 2);
    QCOMPARE(c.ApriRS(QStringLiteral("select count(*) from vFonti where testo = 'L. 1/2000'"))
                 .field(0)
                 .toLongLong(),
             1);
}

void StoreUpgrade::readOnlyArchiveOpensAsItIs() {
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
    writeVersion1File(path, OldFile::Archive, QStringLiteral("5"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    if (QFileInfo(path).isWritable())
        QSKIP("running as a user who can write any file");
    const QByteArray before = readFileBytes(path);
    QVERIFY(t.open(path));
    QCOMPARE(t.state().Consegna(), QStringLiteral("5"));
    ChiudiArchivio(t.state());
    QCOMPARE(readFileBytes(path), before);
}

void StoreUpgrade::indexesStillServeTheLookups() {
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
    writeVersion1File(path, OldFile::Archive);
    QVERIFY(t.open(path));
    Archivio a(t, true);
    cConnessione& c = a.c();
    const auto plan = [&](const QString& sql, const QVariantList& params) {
        QStringList steps;
        for (RecordSet rs = c.ApriRS(QStringLiteral("explain query plan ") + sql, params); !rs.eof();
             rs.moveNext())
            steps << rs.field(u"detail").toString();
        return steps.join(u'|');
    };
    const QString persone =
        plan(QStringLiteral("select IDResponsabilita from tabResponsabilita where "
                            "(primoElemento = ? or (primoElemento is null and ? = '')) and "
                            "(secondoElemento = ? or (secondoElemento is null and ? = ''))"),
             {"Rossi", "Rossi", "Mario", "Mario"});
    QVERIFY2(persone.contains(QStringLiteral("ixResponsabilitaNome")), qPrintable(persone));
    const IstruzioneSql cerca =
        CercaFonte(c, legge(QStringLiteral("3"), QStringLiteral("art. 3 l. 241/1990")));
    const QString fonti = plan(cerca.sql, cerca.params);
    QVERIFY2(fonti.contains(QStringLiteral("ixFonteTesto")), qPrintable(fonti));
}

void StoreUpgrade::versionTwoGetsTheVersions() {
    TestHome t;
    const QString path = t.createDemo();
    exec(path, "update tabInfo set StampaCompleta = '1'");
    downgradeToVersion2(path);
    // Read as it is where it may not be written: no versions, every document at 0.
    {
        cConnessione solaLettura;
        QVERIFY(solaLettura.ApriConnessione(path, FileKind::DeliveryArchive, true));
        QCOMPARE(VersioneArchivio(solaLettura), 0);
        QCOMPARE(VersioneDocumento(solaLettura, 1), std::optional<qint64>(0));
        QVERIFY(VersioniPassi(solaLettura).isEmpty());
    }
    QCOMPARE(numberFrom(path, QStringLiteral("PRAGMA user_version")), 2);
    QVERIFY(t.open(path));
    cConnessione& c = t.state().Connessione;
    QCOMPARE(c.ApriRS(QStringLiteral("PRAGMA user_version")).field(0).toLongLong(),
             cConnessione::kSchemaVersion);
    // The tables and columns of a new archive.
    cConnessione nuovo;
    QVERIFY(nuovo.ApriConnessione(t.createArchive(QStringLiteral("NUOVO"))));
    for (const char* tabella : {"tabDocumento", "tabVersione", "tabPassi"}) {
        const auto colonne = [tabella](cConnessione& db) {
            QStringList out;
            for (RecordSet rs =
                     db.ApriRS(QStringLiteral("select name, type, \"notnull\", dflt_value, pk from "
                                              "pragma_table_info(?) order by cid"),
                               {QString::fromLatin1(tabella)});
                 !rs.eof(); rs.moveNext())
                out << rs.field(0).toString() + u' ' + rs.field(1).toString() + u' ' +
                           rs.field(2).toString() + u' ' + rs.field(3).toString() + u' ' +
                           rs.field(4).toString();
            return out;
        };
        QCOMPARE(colonne(c), colonne(nuovo));
    }
    QCOMPARE(VersioneArchivio(c), 0);
    QCOMPARE(VersioneDocumento(c, 1), std::optional<qint64>(0));
    // A print done before the upgrade stands until the first change.
    QCOMPARE(VersioniPassi(c).value(QStringLiteral("3"), 0), 0);
    Archivio a(t, true);
    salva(a, 31, QStringLiteral("Rossi"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"),
          QStringLiteral("art. 2 l. 7 agosto 1990, n. 241"));
    QCOMPARE(VersioneArchivio(c), 1);
    QCOMPARE(VersioneDocumento(c, 31), std::optional<qint64>(1));
}

void StoreUpgrade::nocaseColumnDefinitions_data() {
    QTest::addColumn<QString>("create");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "CREATE TABLE t (\n    a TEXT,\n    b TEXT\n)" << QStringList{"a"}
                           << "CREATE TABLE t (\n    a TEXT COLLATE NOCASE,\n    b TEXT\n)";
    QTest::newRow("constraints and no type")
        << "CREATE TABLE t (a TEXT NOT NULL DEFAULT 'x, y', b)" << QStringList{"A", "b"}
        << "CREATE TABLE t (a TEXT NOT NULL DEFAULT 'x, y' COLLATE NOCASE, b COLLATE NOCASE)";
    QTest::newRow("quoted names and comments")
        << "CREATE TABLE \"t (1)\" (\"a\" TEXT, -- la nota, con virgola\n [b] TEXT /* x, y */)"
        << QStringList{"a", "b"}
        << "CREATE TABLE \"t (1)\" (\"a\" TEXT COLLATE NOCASE, -- la nota, con virgola\n [b] TEXT COLLATE "
           "NOCASE /* x, y */)";
    QTest::newRow("already without case")
        << "CREATE TABLE t (a TEXT collate nocase, b TEXT)" << QStringList{"a"}
        << "CREATE TABLE t (a TEXT collate nocase, b TEXT)";
    QTest::newRow("table constraint and sized type")
        << "CREATE TABLE t (a VARCHAR(10, 2), b TEXT, PRIMARY KEY (a, b))" << QStringList{"a", "primary"}
        << "CREATE TABLE t (a VARCHAR(10, 2) COLLATE NOCASE, b TEXT, PRIMARY KEY (a, b))";
    QTest::newRow("a name that only begins alike")
        << "CREATE TABLE t (annata TEXT, anno TEXT)" << QStringList{"anno"}
        << "CREATE TABLE t (annata TEXT, anno TEXT COLLATE NOCASE)";
}

void StoreUpgrade::nocaseColumnDefinitions() {
    QFETCH(QString, create);
    QFETCH(QStringList, columns);
    QFETCH(QString, expected);
    const QString result = withNocaseColumns(create, columns);
    QCOMPARE(result, expected);
    // What comes out is a statement SQLite takes.
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    const int rc = sqlite3_exec(db, result.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QCOMPARE(rc, SQLITE_OK);
}

QTEST_GUILESS_MAIN(StoreUpgrade)
#include "tst_store_upgrade.moc"
