// The import of Jet archives, driven by fake sources: every table copied with its keys, values as the
// archive wrote them, every anomaly listed, the new file all or nothing; the template, the catalogue,
// a folder of archives and the command line.

#include "import/ImportaArchivio.h"
#include "import/JetFile.h"
#include "import/JetTestUtil.h"
#include "store/Archivio.h"
#include "store/Template.h"
#include "store/mdlGlobale.h"
#include "support/CliRun.h"
#include "support/FileFaults.h"
#include "support/TestHome.h"

#include <QTest>
#include <sqlite3.h>

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Every row of a table in key order, each value as text ("<null>" for Null).
QStringList dump(const QString& path, const QString& table, const QString& columns = QStringLiteral("*")) {
    cConnessione c;
    if (!c.ApriConnessione(path, FileKind::Template) && !c.ApriConnessione(path, FileKind::Catalogue) &&
        !c.ApriConnessione(path))
        return {QStringLiteral("cannot open %1").arg(path)};
    QStringList rows;
    RecordSet rs = c.ApriRS(QStringLiteral("select %1 from \"%2\" order by rowid").arg(columns, table));
    for (; !rs.eof(); rs.moveNext()) {
        QStringList values;
        for (int i = 0; i < rs.columnCount(); ++i) {
            const Field f = rs.field(i);
            values << (f.isNull() ? QStringLiteral("<null>") : f.toString());
        }
        rows << values.join(u'|');
    }
    return rows;
}

QVariant value(const QString& path, const QString& sql, const QVariantList& params = {}) {
    cConnessione c;
    if (!c.ApriConnessione(path))
        return QStringLiteral("cannot open");
    RecordSet rs = c.ApriRS(sql, params);
    return rs.eof() ? QVariant(QStringLiteral("<no row>")) : rs.field(0).variant();
}

int applicationId(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    int id = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA application_id", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        id = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return id;
}

QStringList tablesOf(const QString& path) {
    QStringList names;
    for (const QString& row : dump(path, QStringLiteral("sqlite_master"), QStringLiteral("name, type")))
        if (row.endsWith(QStringLiteral("|table")))
            names << row.section(u'|', 0, 0);
    return names;
}

bool containsLine(const QStringList& lines, const QString& part) {
    for (const QString& l : lines)
        if (l.contains(part))
            return true;
    return false;
}

#define VERIFY_LINE(lines, part)                                                                             \
    QVERIFY2(containsLine(lines, part),                                                                      \
             qPrintable(QStringLiteral("missing \"%1\" in:\n%2").arg(part, (lines).join(u'\n'))))

// The demo delivery as a Jet source: every table of an archive, with data.
MemoryJetSource demoSource(TestHome& t) {
    return MemoryJetSource::fromArchive(t.createDemo());
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTableWithItsKeys();
    void valuesAsTheArchiveWrote();
    void anomalies_data();
    void anomalies();
    void conversions_data();
    void conversions();
    void allOrNothing();
    void names_data();
    void names();
    void refusals_data();
    void refusals();
    void templateReplaced();
    void templateRefusedKeepsTheOld();
    void catalogueReplaced();
    void folderOfArchives();
    void commandLine();
    void replacementStoppedAtEachStep_data();
    void replacementStoppedAtEachStep();
    void folderWithDamagedFilesFails_data();
    void folderWithDamagedFilesFails();
};

void TestImport::everyTableWithItsKeys() {
    TestHome t;
    const QString demo = t.createDemo();
    MemoryJetSource source = MemoryJetSource::fromArchive(demo);
    const EsitoImportazione e = ImportaArchivio(t.state(), source, QStringLiteral("consegna demo"));
    QVERIFY2(e.riuscita, qPrintable(e.messaggio));
    const QString path = t.home().mdbPath(QStringLiteral("CONSEGNA DEMO.db"));
    QCOMPARE(e.destinazione, path);
    QCOMPARE(applicationId(path), cConnessione::kApplicationId);
    QVERIFY2(e.anomalie.isEmpty(), qPrintable(e.anomalie.join(u'\n')));
    QCOMPARE(e.collegamentiMancanti, 0);

    // Every table as the archive had it: keys, values, rows in order.
    const QStringList tables = tablesOf(demo);
    QVERIFY(tables.size() >= 32);
    QCOMPARE(tablesOf(path), tables);
    for (const QString& table : tables)
        QCOMPARE(dump(path, table), dump(demo, table));
    // The links to sources numbered in the file's order.
    const QStringList ids = dump(path, QStringLiteral("legameDocFonte"), QStringLiteral("ID"));
    for (qsizetype i = 0; i < ids.size(); ++i)
        QCOMPARE(ids[i], QString::number(i + 1));

    // Rows per table in the summary, and the same summary in dump/.
    VERIFY_LINE(e.riepilogo(), QStringLiteral("Righe per tabella:"));
    VERIFY_LINE(e.riepilogo(), QStringLiteral("Nessuna anomalia."));
    QCOMPARE(e.fileRiepilogo, t.home().dumpPath(QStringLiteral("import CONSEGNA DEMO.txt")));
    const QStringList written = readTextLines(e.fileRiepilogo, TextEncoding::Windows1252);
    VERIFY_LINE(written, QStringLiteral("  tabDocumento"));
    VERIFY_LINE(written, QStringLiteral("Controllo di integrità: ok"));

    // It opens as an archive, and the counters go on from the keys kept.
    QVERIFY(t.open(path));
    QCOMPARE(t.state().Consegna(),
             dump(demo, QStringLiteral("tabInfo"), QStringLiteral("Consegna")).value(0));
    const qint64 last = MaxID(t.state().Connessione, QStringLiteral("tabTesto"), QStringLiteral("IDTesto"));
    t.state().Connessione.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values (?)"),
                                           {QStringLiteral("x")});
    QCOMPARE(MaxID(t.state().Connessione, QStringLiteral("tabTesto"), QStringLiteral("IDTesto")), last + 1);
}

void TestImport::valuesAsTheArchiveWrote() {
    TestHome t;
    MemoryJetSource source = demoSource(t);
    const QString memo =
        QStringLiteral("Riga con \"virgolette\", \\ e {graffe}\r\n").repeated(3000) + QStringLiteral("fine");
    QVERIFY(memo.size() > 100000);
    const qint64 doc = 9000; // a gap: keys are kept, not renumbered
    const QString journal = source.rows(QStringLiteral("tabRivisteOnline")).first().first().toString();
    source.addRow(QStringLiteral("tabRifBibl"), {qint64(7000), journal, QStringLiteral("2005-00"), QVariant(),
                                                 QString(), QStringLiteral("XII")});
    source.addRow(QStringLiteral("tabDocumento"),
                  {qint64(doc), qint64(7000), QStringLiteral("12–15 «ä» 😀"), QStringLiteral("500"), QString(),
                   QStringLiteral("01"), QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00"),
                   QStringLiteral("00"), QVariant()});
    source.addRow(QStringLiteral("tabTesto"), {qint64(8000), memo});
    source.addRow(QStringLiteral("legameDocTesto"), {qint64(doc), qint64(8000), QStringLiteral("1")});
    // Jet's booleans: Yes/No columns give -1 and 0.
    source.definition(QStringLiteral("legameDocResp")).columns[2].type = JetType::Boolean;
    source.addRow(QStringLiteral("legameDocResp"), {qint64(doc), qint64(1), qint64(-1)});
    source.addRow(QStringLiteral("legameDocResp"), {qint64(doc), qint64(2), qint64(0)});

    const EsitoImportazione e = ImportaArchivio(t.state(), source, QStringLiteral("valori"));
    QVERIFY2(e.riuscita, qPrintable(e.messaggio));
    QVERIFY2(e.anomalie.isEmpty(), qPrintable(e.anomalie.join(u'\n')));
    const QString path = e.destinazione;
    QCOMPARE(
        dump(path, QStringLiteral("tabRifBibl"), QStringLiteral("Data, Fascicolo, Volume, Annata")).last(),
        QStringLiteral("2005-00|<null>||XII")); // Null and empty text stay apart
    QCOMPARE(value(path, QStringLiteral("select Pagine from tabDocumento where IDDocumento = ?"), {doc})
                 .toString(),
             QStringLiteral("12–15 «ä» 😀"));
    QVERIFY(
        value(path, QStringLiteral("select DocURL from tabDocumento where IDDocumento = ?"), {doc}).isNull());
    QCOMPARE(value(path, QStringLiteral("select Testo from tabTesto where IDTesto = 8000")).toString(), memo);
    QCOMPARE(
        value(path,
              QStringLiteral("select group_concat(FlagAutore) from (select FlagAutore from legameDocResp "
                             "where IDDoc = ? order by rowid)"),
              {doc})
            .toString(),
        QStringLiteral("-1,0"));
    QCOMPARE(
        value(path, QStringLiteral("select typeof(Data) from tabRifBibl where IDRifBibl = 7000")).toString(),
        QStringLiteral("text"));
}

namespace {

using Change = std::function<void(MemoryJetSource&)>;

struct AnomalyCase {
    Change change;
    QString anomaly;  // a line of the summary
    QString check;    // a select on the new archive ...
    QString expected; // ... and its first value
};

QMap<QString, AnomalyCase>& anomalyCases() {
    static QMap<QString, AnomalyCase> cases = {
        {"unknown table",
         {[](MemoryJetSource& s) {
              s.addTable(QStringLiteral("tabProva"), {jetText(QStringLiteral("A"))},
                         {{QStringLiteral("1")}, {QStringLiteral("2")}});
          },
          QStringLiteral("Tabella tabProva sconosciuta (2 righe), non copiata."),
          QStringLiteral("select count(*) from sqlite_master where name = 'tabProva'"), QStringLiteral("0")}},
        {"unknown column",
         {[](MemoryJetSource& s) {
              s.definition(QStringLiteral("tabDocumento")).columns << jetText(QStringLiteral("Extra"));
              for (QVariantList& row : s.rows(QStringLiteral("tabDocumento")))
                  row << QStringLiteral("x");
          },
          QStringLiteral("tabDocumento: colonna Extra (Testo) sconosciuta, non copiata."),
          QStringLiteral("select count(*) from tabDocumento"), QStringLiteral("30")}},
        {"table missing from the file",
         {[](MemoryJetSource& s) { s.removeTable(QStringLiteral("tabNIT")); },
          QStringLiteral("Tabella tabNIT assente dal file: lasciata come nel modello."),
          QStringLiteral("select count(*) from tabNIT"), QStringLiteral("44")}},
        {"a table with none of the schema's columns",
         {[](MemoryJetSource& s) {
              s.definition(QStringLiteral("tabTesto")).columns = {jetText(QStringLiteral("Foo")),
                                                                  jetText(QStringLiteral("Bar"))};
              for (QVariantList& row : s.rows(QStringLiteral("tabTesto")))
                  row = {QStringLiteral("a"), QStringLiteral("b")};
          },
          QStringLiteral("tabTesto: nessuna colonna del file è tra quelle della tabella (nel file: Foo "
                         "(Testo), Bar (Testo)): tabella non copiata, lasciata come nel modello."),
          QStringLiteral("select count(*) from tabDocumento"), QStringLiteral("30")}},
        {"column missing from the file",
         {[](MemoryJetSource& s) {
              s.definition(QStringLiteral("tabDocumento")).columns.removeLast();
              for (QVariantList& row : s.rows(QStringLiteral("tabDocumento")))
                  row.removeLast();
          },
          QStringLiteral("tabDocumento: colonna DocURL assente dal file, lasciata vuota (Null)."),
          QStringLiteral("select count(*) from tabDocumento where DocURL is null"), QStringLiteral("30")}},
        {"text where a number goes",
         {[](MemoryJetSource& s) {
              s.definition(QStringLiteral("tabDocumento")).columns[1].type = JetType::Text;
              s.rows(QStringLiteral("tabDocumento"))[0][1] = QStringLiteral("abc");
          },
          QStringLiteral("colonna IDRifBibl: testo \"abc\" che non è un numero intero; messo \"0\"."),
          QStringLiteral("select count(*) from tabDocumento where IDRifBibl = 0"), QStringLiteral("1")}},
        {"date where a number goes",
         {[](MemoryJetSource& s) {
              s.rows(QStringLiteral("legameDocClass"))[0][4] =
                  QDateTime(QDate(2020, 1, 2), QTime(), QTimeZone::utc());
          },
          QStringLiteral("colonna Controllo: data \"2020-01-02\" dove va un numero; messo \"0\"."),
          QStringLiteral("select count(*) from legameDocClass"), QStringLiteral("76")}},
        {"binary where text goes",
         {[](MemoryJetSource& s) {
              s.rows(QStringLiteral("tabTesto"))[0][1] = QByteArray("\x01\x02\x03", 3);
          },
          QStringLiteral(
              "colonna Testo: dato binario (\"3 byte\") non convertibile in testo; lasciato vuoto (Null)."),
          QStringLiteral("select count(*) from tabTesto where Testo is null"), QStringLiteral("1")}},
        {"nulls in a column that takes none",
         {[](MemoryJetSource& s) {
              for (QVariantList& row : s.rows(QStringLiteral("tabFonte")))
                  row[24] = QVariant();
          },
          QStringLiteral(
              "tabFonte: 115 valori vuoti (Null) nella colonna Ordinanza, che non li ammette: messo \"0\"."),
          QStringLiteral("select count(*) from tabFonte where Ordinanza = 0"), QStringLiteral("115")}},
        {"dangling link",
         {[](MemoryJetSource& s) {
              s.addRow(QStringLiteral("legameDocTesto"), {qint64(1), qint64(99999), QStringLiteral("5")});
          },
          QStringLiteral(
              "legameDocTesto.IDTesto: 1 collegamenti a righe inesistenti di tabTesto, mantenuti."),
          QStringLiteral("select count(*) from legameDocTesto where IDTesto = 99999"), QStringLiteral("1")}},
        {"dangling name of a source",
         {[](MemoryJetSource& s) {
              QVariantList& row = s.rows(QStringLiteral("tabFonte"))[0];
              row[1] = QStringLiteral("LIO"); // a domestic act: its name is in tabFonteInterna
              row[15] = qint64(987654);
          },
          QStringLiteral("tabFonte.IDNomeFonte: 1 collegamenti a righe inesistenti"),
          QStringLiteral("select count(*) from tabFonte"), QStringLiteral("115")}},
        {"key repeated",
         {[](MemoryJetSource& s) {
              const QVariantList first = s.rows(QStringLiteral("tabRivisteOnline")).first();
              s.addRow(QStringLiteral("tabRivisteOnline"), first);
          },
          QStringLiteral("riga non copiata, la sua chiave è già di un'altra riga"),
          QStringLiteral("select count(*) from tabRivisteOnline"), QStringLiteral("23")}},
        {"two delivery rows",
         {[](MemoryJetSource& s) {
              s.addRow(QStringLiteral("tabInfo"), s.rows(QStringLiteral("tabInfo")).first());
          },
          QStringLiteral("La tabella tabInfo ha 2 righe invece di una"),
          QStringLiteral("select count(*) from tabInfo"), QStringLiteral("2")}},
        {"what the library warned",
         {[](MemoryJetSource& s) {
              s.addWarning(
                  QStringLiteral("La tabella tabTesto dichiara 105 righe, ma se ne sono lette 104."));
          },
          QStringLiteral("dichiara 105 righe, ma se ne sono lette 104."),
          QStringLiteral("select count(*) from tabTesto"), QStringLiteral("104")}},
        {"table names in another case",
         {[](MemoryJetSource& s) {
              s.definition(QStringLiteral("tabDocumento")).name = QStringLiteral("TABDOCUMENTO");
              s.definition(QStringLiteral("legameDocTesto")).name = QStringLiteral("LegameDocTesto");
              for (JetColumn& c : s.definition(QStringLiteral("LegameDocTesto")).columns)
                  c.name = c.name.toLower();
          },
          QString(), QStringLiteral("select count(*) from legameDocTesto"), QStringLiteral("104")}},
    };
    return cases;
}

} // namespace

void TestImport::anomalies_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : anomalyCases().keys())
        QTest::newRow(qPrintable(name)) << name;
}

void TestImport::anomalies() {
    QFETCH(QString, name);
    const AnomalyCase& c = anomalyCases()[name];
    TestHome t;
    MemoryJetSource source = demoSource(t);
    c.change(source);
    const EsitoImportazione e = ImportaArchivio(t.state(), source, QStringLiteral("ANOMALIE"));
    QVERIFY2(e.riuscita, qPrintable(e.messaggio));
    if (c.anomaly.isEmpty())
        QVERIFY2(e.anomalie.isEmpty(), qPrintable(e.anomalie.join(u'\n')));
    else
        VERIFY_LINE(e.anomalie, c.anomaly);
    // Every anomaly in the summary, on screen and in the file.
    const QStringList written = readTextLines(e.fileRiepilogo, t.state().encoding());
    for (const QString& a : e.anomalie)
        VERIFY_LINE(written, QStringLiteral("  - ") + a);
    QCOMPARE(value(e.destinazione, c.check).toString(), c.expected);
}

void TestImport::conversions_data() {
    QTest::addColumn<QVariant>("in");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("dateOnly");
    QTest::addColumn<QVariant>("out");
    QTest::addColumn<bool>("fails");
    const int integer = int(TipoColonna::Intero);
    const int text = int(TipoColonna::Testo);
    const QDateTime noon(QDate(1865, 3, 20), QTime(12, 30, 5), QTimeZone::utc());
    QTest::newRow("null stays null") << QVariant() << integer << false << QVariant() << false;
    QTest::newRow("long") << QVariant(qint64(4000000000LL)) << integer << false
                          << QVariant(qint64(4000000000LL)) << false;
    QTest::newRow("boolean true") << QVariant(qint64(-1)) << integer << false << QVariant(qint64(-1))
                                  << false;
    QTest::newRow("whole double") << QVariant(42.0) << integer << false << QVariant(qint64(42)) << false;
    QTest::newRow("fraction") << QVariant(4.5) << integer << false << QVariant() << true;
    QTest::newRow("digits") << QVariant(QStringLiteral(" 12 ")) << integer << false << QVariant(qint64(12))
                            << false;
    QTest::newRow("empty text") << QVariant(QString()) << integer << false << QVariant() << true;
    QTest::newRow("words") << QVariant(QStringLiteral("12a")) << integer << false << QVariant() << true;
    QTest::newRow("number as text") << QVariant(qint64(7)) << text << false << QVariant(QStringLiteral("7"))
                                    << false;
    QTest::newRow("single as text") << QVariant(0.15f) << text << false << QVariant(QStringLiteral("0.15"))
                                    << false;
    QTest::newRow("currency as text")
        << QVariant(12.75) << text << false << QVariant(QStringLiteral("12.75")) << false;
    QTest::newRow("date with time") << QVariant(noon) << text << false
                                    << QVariant(QStringLiteral("1865-03-20 12:30:05")) << false;
    QTest::newRow("date, day only") << QVariant(noon) << text << true
                                    << QVariant(QStringLiteral("1865-03-20")) << false;
    QTest::newRow("midnight") << QVariant(QDateTime(QDate(2001, 2, 3), QTime(0, 0), QTimeZone::utc())) << text
                              << false << QVariant(QStringLiteral("2001-02-03")) << false;
    QTest::newRow("empty text stays empty") << QVariant(QString(QLatin1String(""))) << text << false
                                            << QVariant(QString(QLatin1String(""))) << false;
    QTest::newRow("bytes") << QVariant(QByteArray("ab")) << text << false << QVariant() << true;
}

void TestImport::conversions() {
    QFETCH(QVariant, in);
    QFETCH(int, type);
    QFETCH(bool, dateOnly);
    QFETCH(QVariant, out);
    QFETCH(bool, fails);
    const ValoreConvertito v = ConvertiValore(in, TipoColonna(type), dateOnly);
    QCOMPARE(!v.errore.isEmpty(), fails);
    QCOMPARE(v.valore.isNull(), out.isNull());
    if (!out.isNull()) {
        QCOMPARE(v.valore.typeId(), out.typeId());
        QCOMPARE(v.valore, out);
    }
}

void TestImport::allOrNothing() {
    TestHome t;
    MemoryJetSource source = demoSource(t);
    source.failReadingAfter(QStringLiteral("tabTesto"), 50);
    const QStringList before = entries(t.home().mdbDir());
    const QStringList dumpBefore = entries(t.home().dumpDir());
    const EsitoImportazione e = ImportaArchivio(t.state(), source, QStringLiteral("ROTTO"));
    QVERIFY(!e.riuscita);
    QCOMPARE(e.rifiuto, EsitoImportazione::Rifiuto::FileDanneggiato);
    QVERIFY2(e.messaggio.startsWith(QStringLiteral("L'archivio ROTTO non è stato creato.\n")),
             qPrintable(e.messaggio));
    QVERIFY(e.messaggio.contains(QStringLiteral("danneggiato o troncato")));
    QVERIFY(e.messaggio.contains(QStringLiteral("Dettaglio tecnico: offset 1234567 is beyond EOF")));
    QCOMPARE(entries(t.home().mdbDir()), before); // no ROTTO.db, no temporary file
    QCOMPARE(entries(t.home().dumpDir()), dumpBefore);

    // The same source whole imports under that name afterwards.
    source.failReadingAfter(QStringLiteral("tabTesto"), -1);
    QVERIFY(ImportaArchivio(t.state(), source, QStringLiteral("ROTTO")).riuscita);
}

void TestImport::names_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file"); // empty: refused
    QTest::newRow("bare") << "cons1"
                          << "CONS1.db";
    QTest::newRow("typed .mdb") << "cons1.mdb"
                                << "CONS1.db";
    QTest::newRow("typed .DB") << "Cons1.DB"
                               << "CONS1.db";
    QTest::newRow("blanks") << "  Consegna 12  "
                            << "CONSEGNA 12.db";
    QTest::newRow("accent") << "Perù"
                            << "PERÙ.db";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blank") << "   "
                           << "";
    QTest::newRow("only .mdb") << ".mdb"
                               << "";
    QTest::newRow("up a folder") << "../fuori"
                                 << "";
    QTest::newRow("folder") << "a/b"
                            << "";
    QTest::newRow("backslash") << "a\\b"
                               << "";
    QTest::newRow("drive") << "c:x"
                           << "";
    QTest::newRow("dot") << "."
                         << "";
    QTest::newRow("dots") << ".."
                          << "";
    QTest::newRow("question mark") << "chi?"
                                   << "";
    QTest::newRow("tab") << "a\tb"
                         << "";
}

void TestImport::names() {
    QFETCH(QString, typed);
    QFETCH(QString, file);
    TestHome t;
    MemoryJetSource source = demoSource(t);
    const QStringList before = entries(t.home().mdbDir());
    const EsitoImportazione e = ImportaArchivio(t.state(), source, typed);
    if (file.isEmpty()) {
        QCOMPARE(e.rifiuto, EsitoImportazione::Rifiuto::NomeNonValido);
        QVERIFY(e.messaggio.startsWith(QStringLiteral("Nome archivio non valido")));
        QCOMPARE(entries(t.home().mdbDir()), before);
        return;
    }
    QVERIFY2(e.riuscita, qPrintable(e.messaggio));
    QCOMPARE(QFileInfo(e.destinazione).fileName(), file);
    QCOMPARE(QFileInfo(e.destinazione).absolutePath(), QFileInfo(t.home().mdbDir()).absoluteFilePath());

    // The name taken now, in any case: refused, the archive there untouched.
    const QByteArray bytes = readFileBytes(e.destinazione);
    const EsitoImportazione again = ImportaArchivio(t.state(), source, typed.toLower());
    QCOMPARE(again.rifiuto, EsitoImportazione::Rifiuto::NomeEsistente);
    QVERIFY(again.messaggio.contains(QStringLiteral("esiste già: scegliere un altro nome!")));
    QCOMPARE(readFileBytes(e.destinazione), bytes);
}

void TestImport::refusals_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("says");
    QTest::newRow("no documents") << "drop tabDocumento"
                                  << "manca la tabella tabDocumento";
    QTest::newRow("no delivery information") << "drop tabInfo"
                                             << "manca la tabella tabInfo";
    QTest::newRow("a template") << "empty tabInfo"
                                << "è un modello come masterOnline.mdb";
}

void TestImport::refusals() {
    QFETCH(QString, change);
    QFETCH(QString, says);
    TestHome t;
    MemoryJetSource source = demoSource(t);
    const QString table = change.section(u' ', 1);
    if (change.startsWith(QStringLiteral("drop")))
        source.removeTable(table);
    else
        source.rows(table).clear();
    const QStringList before = entries(t.home().mdbDir());
    const EsitoImportazione e = ImportaArchivio(t.state(), source, QStringLiteral("NO"));
    QVERIFY(!e.riuscita);
    QCOMPARE(e.rifiuto, EsitoImportazione::Rifiuto::NonArchivio);
    QVERIFY2(e.messaggio.contains(says), qPrintable(e.messaggio));
    QCOMPARE(entries(t.home().mdbDir()), before);
}

void TestImport::templateReplaced() {
    TestHome t;
    const QString templ = t.home().templatePath();
    const QByteArray old = readFileBytes(templ);
    // The centre's masterOnline: our tables with a journal of its own, one table less, a stray document.
    MemoryJetSource source = MemoryJetSource::fromArchive(templ);
    source.addRow(QStringLiteral("tabRivisteOnline"),
                  {QStringLiteral("ZZJ"), QStringLiteral("Rivista del centro"), QStringLiteral("2")});
    source.removeTable(QStringLiteral("tabLegameDSA"));
    source.addRow(QStringLiteral("tabDocumento"),
                  {qint64(1), qint64(1), QStringLiteral("1-2"), QVariant(), QVariant(), QVariant(),
                   QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00"),
                   QVariant()});

    const EsitoImportazione e = ImportaModello(t.state(), source);
    QVERIFY2(e.riuscita, qPrintable(e.messaggio));
    QCOMPARE(e.destinazione, templ);
    QCOMPARE(e.copiaPrecedente, templ + QStringLiteral(".bak"));
    QCOMPARE(readFileBytes(templ + QStringLiteral(".bak")), old);
    QCOMPARE(applicationId(templ), cConnessione::kTemplateApplicationId);
    VERIFY_LINE(e.anomalie,
                QStringLiteral(
                    "Tabella tabDocumento: 1 righe non copiate, il modello non porta dati di una consegna."));
    VERIFY_LINE(e.anomalie,
                QStringLiteral("Tabella tabLegameDSA assente dal file: lasciata come nel modello."));
    QVERIFY(QFileInfo::exists(t.home().dumpPath(QStringLiteral("import masterOnline.txt"))));
    QCOMPARE(dump(templ, QStringLiteral("tabDocumento")), QStringList());
    QCOMPARE(dump(templ, QStringLiteral("tabLegameDSA")),
             dump(templ + QStringLiteral(".bak"), QStringLiteral("tabLegameDSA")));

    // New deliveries carry the centre's data.
    const QString archive = t.createArchive(QStringLiteral("NUOVA"));
    QCOMPARE(
        value(archive, QStringLiteral("select Titolo from tabRivisteOnline where IDRivistaOnline = 'ZZJ'"))
            .toString(),
        QStringLiteral("Rivista del centro"));
    QCOMPARE(value(archive, QStringLiteral("select count(*) from tabInfo")).toLongLong(), 1);
    QVERIFY(t.open(archive));

    // A second import keeps the first one's template as the copy.
    const QByteArray first = readFileBytes(templ);
    QVERIFY(ImportaModello(t.state(), source).riuscita);
    QCOMPARE(readFileBytes(templ + QStringLiteral(".bak")), first);
}

void TestImport::templateRefusedKeepsTheOld() {
    TestHome t;
    const QString templ = t.home().templatePath();
    const QByteArray old = readFileBytes(templ);
    MemoryJetSource source = MemoryJetSource::fromArchive(templ);
    source.removeTable(QStringLiteral("tabNIT"));
    source.removeTable(QStringLiteral("tabSistematici"));
    const QStringList before = entries(t.home().mdbDir());
    const EsitoImportazione e = ImportaModello(t.state(), source);
    QVERIFY(!e.riuscita);
    QVERIFY2(e.messaggio.contains(QStringLiteral("mancano le tabelle tabSistematici e tabNIT")),
             qPrintable(e.messaggio));
    QCOMPARE(readFileBytes(templ), old);
    QCOMPARE(entries(t.home().mdbDir()), before); // no .bak, no temporary file

    // A file that fails half-way leaves the template as it was too.
    MemoryJetSource whole = MemoryJetSource::fromArchive(templ);
    whole.failReadingAfter(QStringLiteral("tabDescrittori"), 3);
    const EsitoImportazione broken = ImportaModello(t.state(), whole);
    QVERIFY(!broken.riuscita);
    QVERIFY(broken.messaggio.startsWith(QStringLiteral("Il modello non è stato importato")));
    QCOMPARE(readFileBytes(templ), old);
    QCOMPARE(entries(t.home().mdbDir()), before);
}

void TestImport::catalogueReplaced() {
    TestHome t;
    const QString catalogue = t.home().cataloguePath();
    QVERIFY(ApriCatalogo(t.state())); // open, as a source dialog leaves it
    const auto day = [](int y, int m, int d, int h = 0, int mi = 0) {
        return QVariant(QDateTime(QDate(y, m, d), QTime(h, mi), QTimeZone::utc()));
    };
    MemoryJetSource source(QStringLiteral("Catalogo norme.mdb"), 3);
    const QList<JetColumn> columns = {jetLong(QStringLiteral("id"), true),
                                      jetText(QStringLiteral("estremi")),
                                      JetColumn{QStringLiteral("titolo"), JetType::Memo, 0, false},
                                      jetLong(QStringLiteral("anno")),
                                      jetText(QStringLiteral("numero")),
                                      JetColumn{QStringLiteral("promulgazione"), JetType::DateTime, 8, false},
                                      jetText(QStringLiteral("abbreviazione"))};
    QList<QVariantList> rows;
    rows << QVariantList{qint64(1),
                         QStringLiteral("L. 7 agosto 1990, n. 241"),
                         QStringLiteral("Nuove norme sul procedimento"),
                         qint64(1990),
                         QStringLiteral("241"),
                         day(1990, 8, 7),
                         QStringLiteral("l.")};
    rows << QVariantList{qint64(2),
                         QStringLiteral("L. 20 marzo 1865, n. 2248"),
                         QStringLiteral("Unificazione amministrativa"),
                         qint64(1865),
                         QStringLiteral("2248"),
                         day(1865, 3, 20, 10, 30),
                         QStringLiteral("l.")};
    rows << QVariantList{qint64(5),
                         QStringLiteral("D.P.C.M. senza data"),
                         QVariant(),
                         qint64(2001),
                         QString(),
                         QVariant(),
                         QStringLiteral("d.p.c.m.")};
    source.addTable(QStringLiteral("TabCatalogo"), columns, rows);
    source.addTable(QStringLiteral("Note"), {jetText(QStringLiteral("testo"))});

    const EsitoImportazione e = ImportaCatalogo(t.state(), source);
    QVERIFY2(e.riuscita, qPrintable(e.messaggio));
    QVERIFY(!t.state().CatalogoAperto); // the next search opens the new one
    QCOMPARE(applicationId(catalogue), cConnessione::kCatalogueApplicationId);
    QVERIFY(QFileInfo::exists(catalogue + QStringLiteral(".bak")));
    VERIFY_LINE(e.anomalie, QStringLiteral("Tabella Note sconosciuta (0 righe), non copiata."));
    QCOMPARE(dump(catalogue, QStringLiteral("tabCatalogo"),
                  QStringLiteral("id, anno, promulgazione, numero, titolo")),
             (QStringList{QStringLiteral("1|1990|1990-08-07|241|Nuove norme sul procedimento"),
                          QStringLiteral("2|1865|1865-03-20|2248|Unificazione amministrativa"),
                          QStringLiteral("5|2001|<null>||<null>")}));

    QVERIFY(ApriCatalogo(t.state()));
    RecordSet rs = t.state().ConnessioneCatalogo.ApriRS(
        QStringLiteral("select estremi from tabCatalogo where promulgazione = ?"),
        {QStringLiteral("1865-03-20")});
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(0).toString(), QStringLiteral("L. 20 marzo 1865, n. 2248"));
}

void TestImport::folderOfArchives() {
    TestHome t;
    const QString demo = t.createDemo();
    QTemporaryDir folder;
    const auto touch = [&](const QString& name) {
        QFile f(folder.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write("x");
    };
    for (const char* name : {"a1.mdb", "B2.MDB", "foglio.mdb", "esiste.mdb", "rotto.mdb", "note.txt"})
        touch(name);
    const QString nwind = jetFixture(QStringLiteral("nwind.mdb"));
    const bool withNwind = QFile::copy(nwind, folder.filePath(QStringLiteral("nwind.mdb")));
    t.createArchive(QStringLiteral("ESISTE"));
    const QByteArray existing = readFileBytes(t.home().mdbPath(QStringLiteral("ESISTE.db")));

    // The files stand for Access archives; any other is read for real.
    const FonteJetSostituita fakes([&](const QString& path) -> std::unique_ptr<JetSource> {
        const QString name = QFileInfo(path).fileName().toLower();
        if (name == u"a1.mdb" || name == u"b2.mdb" || name == u"rotto.mdb") {
            auto s = std::make_unique<MemoryJetSource>(MemoryJetSource::fromArchive(demo));
            if (name == u"rotto.mdb")
                s->failReadingAfter(QStringLiteral("tabFonte"), 10);
            return s;
        }
        if (name == u"foglio.mdb") {
            auto s = std::make_unique<MemoryJetSource>(path, 4);
            s->addTable(QStringLiteral("Foglio1"), {jetText(QStringLiteral("A"))});
            return s;
        }
        return JetFile::open(path);
    });
    // The progress bar of the folder: one share per file, never going back, never beyond its end.
    struct Recording : Progress {
        qint64 range = -1;
        QList<qint64> values;
        QStringList labels;
        void setRange(qint64 total) override { range = total; }
        void setValue(qint64 done) override { values << done; }
        void setLabel(const QString& text) override { labels << text; }
    } bar;
    QStringList progress;
    const EsitoCartella e =
        ImportaCartella(t.state(), folder.path(), &bar, [&](const VoceCartella& v, int i, int n) {
            progress << QStringLiteral("[%1/%2] %3").arg(i).arg(n).arg(v.riga());
        });
    QVERIFY(e.messaggio.isEmpty());
    QStringList files;
    for (const VoceCartella& v : e.voci)
        files << QFileInfo(v.file).fileName();
    QStringList expected{"a1.mdb", "B2.MDB", "esiste.mdb", "foglio.mdb"};
    if (withNwind)
        expected << "nwind.mdb";
    expected << "rotto.mdb";
    QCOMPARE(files, expected); // .mdb in any case, by name; note.txt left out
    QCOMPARE(progress.size(), expected.size());
    QVERIFY(bar.range > 0);
    QCOMPARE(bar.values.last(), bar.range);
    for (qsizetype i = 1; i < bar.values.size(); ++i)
        QVERIFY2(bar.values[i - 1] <= bar.values[i] && bar.values[i] <= bar.range,
                 qPrintable(QString::number(i)));
    VERIFY_LINE(bar.labels,
                QStringLiteral("Importazione di a1.mdb (1 di %1)\nImportazione della tabella tabTesto...")
                    .arg(expected.size()));
    QVERIFY2(
        progress.first().startsWith(
            QStringLiteral("[1/%1] a1.mdb -> A1: importato (30 documenti, 0 anomalie)").arg(expected.size())),
        qPrintable(progress.join(u'\n')));
    QCOMPARE(e.conta(VoceCartella::Esito::Importato), 2);
    QCOMPARE(e.conta(VoceCartella::Esito::Esistente), 1);
    QCOMPARE(e.conta(VoceCartella::Esito::NonArchivio), withNwind ? 2 : 1);
    QCOMPARE(e.conta(VoceCartella::Esito::Errore), 1);
    QVERIFY(!e.completo());
    VERIFY_LINE(progress, QStringLiteral("esiste.mdb: saltato, l'archivio ESISTE esiste già"));
    VERIFY_LINE(progress, QStringLiteral("foglio.mdb: saltato, non è un archivio di consegna"));
    VERIFY_LINE(progress, QStringLiteral("rotto.mdb: NON importato: La tabella tabFonte"));
    VERIFY_LINE(e.riepilogo(), QStringLiteral("Importati: 2;"));
    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("A1.db"))));
    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("B2.db"))));
    QVERIFY(!QFileInfo::exists(t.home().mdbPath(QStringLiteral("ROTTO.db"))));
    QCOMPARE(readFileBytes(t.home().mdbPath(QStringLiteral("ESISTE.db"))), existing);

    // Again: what is there is skipped, nothing fails but the damaged file.
    const EsitoCartella again = ImportaCartella(t.state(), folder.path());
    QCOMPARE(again.conta(VoceCartella::Esito::Esistente), 3);
    QCOMPARE(again.conta(VoceCartella::Esito::Importato), 0);

    const EsitoCartella missing = ImportaCartella(t.state(), folder.filePath(QStringLiteral("manca")));
    QVERIFY(missing.messaggio.contains(QStringLiteral("non esiste")));
    QVERIFY(!missing.completo());
}

void TestImport::commandLine() {
    TestHome t;
    const QString home = t.root();
    CliRun r = cli({"--help"});
    QVERIFY(r.out.contains(QStringLiteral("import FILE.mdb [--as NAME] [--template|--catalogue]")));
    QVERIFY(r.out.contains(QStringLiteral("import-all FOLDER")));

    for (const QStringList& wrong :
         {QStringList{"import"}, QStringList{"import", "a.mdb", "--template", "--catalogue"},
          QStringList{"import", "a.mdb", "--as", "X", "--template"}, QStringList{"import-all"}}) {
        r = cli(QStringList{"--home", home} + wrong);
        QCOMPARE(r.code, 2);
    }
    r = cli({"--home", home, "import", "a.mdb", "--catalog"});
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(QStringLiteral("opzione sconosciuta: --catalog")));

    const QStringList before = entries(t.home().mdbDir());
    r = cli({"--home", home, "import", QDir(home).filePath(QStringLiteral("manca.mdb"))});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("non esiste")));
    r = cli({"--home", home, "import-all", QDir(home).filePath(QStringLiteral("manca"))});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("La cartella")));

    const QString nwind = jetFixture(QStringLiteral("nwind.mdb"));
    const QString dates = jetFixture(QStringLiteral("DateTestDatabase.mdb"));
    REQUIRE_JET_FIXTURE(nwind);
    REQUIRE_JET_FIXTURE(dates);
    r = cli({"--home", home, "import", nwind, "--as", "NW"});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("non è un archivio di consegna di Quillaro")), qPrintable(r.err));
    r = cli({"--home", home, "import", dates, "--template"});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("non è un modello")));
    r = cli({"--home", home, "import", nwind, "--catalogue"});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("manca la tabella tabCatalogo")));
    QCOMPARE(entries(t.home().mdbDir()), before);

    // A folder of files that are not deliveries: listed, skipped, nothing failed.
    QTemporaryDir folder;
    QVERIFY(QFile::copy(nwind, folder.filePath(QStringLiteral("nwind.mdb"))));
    QVERIFY(QFile::copy(dates, folder.filePath(QStringLiteral("DateTestDatabase.mdb"))));
    r = cli({"--home", home, "import-all", folder.path()});
    QCOMPARE(r.code, 0);
    QVERIFY2(
        r.out.contains(QStringLiteral("[1/2] DateTestDatabase.mdb: saltato, non è un archivio di consegna")),
        qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("[2/2] nwind.mdb: saltato")));
    QVERIFY(r.out.contains(QStringLiteral("Importati: 0; saltati perché non sono archivi di consegna: 2;")));
    QCOMPARE(entries(t.home().mdbDir()), before);
}

void TestImport::replacementStoppedAtEachStep_data() {
    QTest::addColumn<bool>("catalogue");
    QTest::addColumn<QString>("step"); // where the import is killed; empty: not at all
    for (const bool catalogue : {false, true})
        for (const char* step : {"copia preparata", "copia conservata", "nuovo file al suo posto", ""})
            QTest::addRow("%s, %s", catalogue ? "catalogue" : "template", *step ? step : "whole")
                << catalogue << QString::fromLatin1(step);
}

void TestImport::replacementStoppedAtEachStep() {
#ifndef Q_OS_UNIX
    QSKIP("needs fork and kill");
#else
    QFETCH(bool, catalogue);
    QFETCH(QString, step);
    TestHome t;
    const QString target = catalogue ? t.home().cataloguePath() : t.home().templatePath();
    const QByteArray old = readFileBytes(target);
    const QByteArray oldBak = QByteArrayLiteral("a copy kept by an earlier import");
    {
        QFile bak(target + QStringLiteral(".bak"));
        QVERIFY(bak.open(QIODevice::WriteOnly));
        bak.write(oldBak);
    }
    MemoryJetSource source = MemoryJetSource::fromArchive(target);
    const pid_t child = fork();
    if (child == 0) {
        const PassiSostituzioneOsservati kill([&](const QString& done) {
            if (done == step)
                ::kill(getpid(), SIGKILL); // as a kill would, with nothing cleaned up
        });
        const EsitoImportazione e =
            catalogue ? ImportaCatalogo(t.state(), source) : ImportaModello(t.state(), source);
        _exit(e.riuscita ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QCOMPARE(step.isEmpty(), WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // Under the name, always a whole file of its kind; beside it, the old one or the copy before.
    cConnessione c;
    QVERIFY2(c.ApriConnessione(target, catalogue ? FileKind::Catalogue : FileKind::Template),
             qPrintable(c.lastErrorMessage()));
    c.ChiudiConnessione();
    const QByteArray bak = readFileBytes(target + QStringLiteral(".bak"));
    QVERIFY(bak == old || bak == oldBak);
    if (step.isEmpty() || step == u"nuovo file al suo posto")
        QCOMPARE(bak, old);
    else
        QCOMPARE(readFileBytes(target), old);
#endif
}

void TestImport::folderWithDamagedFilesFails_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage"); // empty: a file of no bytes
    QTest::newRow("zero bytes") << QString() << QString();
    QTest::newRow("cut inside a page") << "nwind.mdb"
                                       << "cut:488";
    QTest::newRow("cut at a page boundary, the reader stops") << "versions/testV1997.mdb"
                                                              << "cut:46";
}

void TestImport::folderWithDamagedFilesFails() {
    QFETCH(QString, file);
    QFETCH(QString, damage);
    TestHome t;
    QTemporaryDir folder;
    if (file.isEmpty()) {
        QFile empty(folder.filePath(QStringLiteral("vuoto.mdb")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
    } else {
        REQUIRE_JET_FIXTURE(jetFixture(file));
        const QString copy = damagedJetCopy(jetFixture(file), folder.path(), damage);
        QVERIFY(!copy.isEmpty());
        if (damage == u"cut:488") { // half a page more
            QFile f(copy);
            QVERIFY(f.open(QIODevice::Append));
            f.write(QByteArray(1024, 'x'));
        }
    }
    const CliRun r = cli({"--home", t.root(), "import-all", folder.path()});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains(QStringLiteral("NON importato")), qPrintable(r.out));
    QVERIFY2(r.out.contains(QStringLiteral("non importati per errore: 1.")), qPrintable(r.out));
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import_archive.moc"
