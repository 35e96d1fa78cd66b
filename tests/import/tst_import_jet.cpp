// The Jet reader on real files written by Access: nwind.mdb (Jet 3), DateTestDatabase.mdb (Jet 4) and
// the files of other versions, on files that are not Jet databases, and on copies damaged as an
// interrupted copy or a failing disk leaves them, read in the reader process.

#include "import/ImportaArchivio.h"
#include "import/JetFile.h"
#include "import/JetProcesso.h"
#include "import/JetTestUtil.h"
#include "support/TestHome.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every row of a table, values by column name.
QList<QVariantMap> readAll(JetSource& source, const QString& table) {
    const JetTable* t = nullptr;
    const QList<JetTable> tables = source.tables();
    t = findJetTable(tables, table);
    if (!t)
        return {};
    QList<QVariantMap> rows;
    source.readRows(t->name, [&](const QVariantList& values) {
        QVariantMap row;
        for (qsizetype i = 0; i < t->columns.size(); ++i)
            row.insert(t->columns[i].name, values.value(i));
        rows << row;
    });
    return rows;
}

QVariantMap rowWhere(const QList<QVariantMap>& rows, const QString& column, const QVariant& value) {
    for (const QVariantMap& r : rows)
        if (r.value(column) == value)
            return r;
    return {};
}

QDateTime utc(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, mi, s, ms), QTimeZone::utc());
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Every table of a source read whole, as the import reads it; the reader's failure, if any.
QString readEverything(JetSource& source) {
    try {
        for (const JetTable& t : source.tables())
            source.readRows(t.name, [](const QVariantList&) {});
    } catch (const JetError& e) {
        return e.fullMessage();
    }
    return {};
}

// The waits on the reader as the window sees them: the longest time without a chance to repaint.
struct WaitingWatch : Progress {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longestGap = 0;
    WaitingWatch() { clock.start(); }
    void tick() {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
    }
    void setRange(qint64) override { tick(); }
    void setValue(qint64) override { tick(); }
    void setLabel(const QString&) override { tick(); }
    void keepAlive() override { tick(); }
};

} // namespace

class TestJet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dateValues_data();
    void dateValues();
    void nwindTables_data();
    void nwindTables();
    void nwindColumnTypes_data();
    void nwindColumnTypes();
    void nwindValues();
    void nwindTextNamedWithAccent();
    void dateTestDatabase();
    void refusedAsDeliveryArchive_data();
    void refusedAsDeliveryArchive();
    void unreadableFiles_data();
    void unreadableFiles();
    void truncatedAtPageBoundaryNeverReadsShort();
    void rowsStoringOtherColumnCounts_data();
    void rowsStoringOtherColumnCounts();
    void damagedFilesRefusedWithoutHarm_data();
    void damagedFilesRefusedWithoutHarm();
    void longValuesWholeOrDamaged_data();
    void longValuesWholeOrDamaged();
    void lostRowsAndCatalogueAreDamage_data();
    void lostRowsAndCatalogueAreDamage();
    void libraryWarningsInItalian_data();
    void libraryWarningsInItalian();
};

void TestJet::dateValues_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("epoch") << 0.0 << utc(1899, 12, 30);
    QTest::newRow("noon next day") << 1.5 << utc(1899, 12, 31, 12);
    QTest::newRow("before the epoch, time forward") << -1.25 << utc(1899, 12, 29, 6);
    QTest::newRow("half a day before") << -0.5 << utc(1899, 12, 30, 12);
    QTest::newRow("2021") << 44532.0 << utc(2021, 12, 2);
    QTest::newRow("year 632") << -463126.0 << utc(632, 1, 1);
    QTest::newRow("first day Jet knows") << -657434.0 << utc(100, 1, 1);
    QTest::newRow("last instant") << 2958465.0 + 86399.0 / 86400.0 << utc(9999, 12, 31, 23, 59, 59);
    QTest::newRow("time rounding into next day") << 1.9999999999 << utc(1900, 1, 1);
    QTest::newRow("before year 100") << -657435.0 << QDateTime();
    QTest::newRow("after 9999") << 2958466.0 << QDateTime();
    QTest::newRow("not a number") << std::nan("") << QDateTime();
}

void TestJet::dateValues() {
    QFETCH(double, value);
    QFETCH(QDateTime, expected);
    const QDateTime got = jetDateTime(value);
    QCOMPARE(got.isValid(), expected.isValid());
    if (!expected.isValid())
        return;
    QCOMPARE(got, expected);
    // And back, to the millisecond.
    QCOMPARE(jetDateTime(jetDateValue(got)), expected);
}

void TestJet::nwindTables_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("Categories") << "Categories" << qint64(8) << 4;
    QTest::newRow("Customers") << "Customers" << qint64(91) << 11;
    QTest::newRow("Employees") << "Employees" << qint64(9) << 17;
    QTest::newRow("Order Details") << "Order Details" << qint64(2155) << 5;
    QTest::newRow("Orders") << "Orders" << qint64(830) << 14;
    QTest::newRow("Products") << "Products" << qint64(77) << 10;
    QTest::newRow("Shippers") << "Shippers" << qint64(3) << 3;
    QTest::newRow("Suppliers") << "Suppliers" << qint64(29) << 12;
    QTest::newRow("Umsätze") << QStringLiteral("Umsätze") << qint64(830) << 14;
}

void TestJet::nwindTables() {
    const QString path = jetFixture(QStringLiteral("nwind.mdb"));
    REQUIRE_JET_FIXTURE(path);
    QFETCH(QString, table);
    QFETCH(qint64, rows);
    QFETCH(int, columns);
    const auto file = JetFile::open(path);
    QCOMPARE(file->jetVersion(), 3);
    const QList<JetTable> tables = file->tables();
    QCOMPARE(tables.size(), 9); // the user tables only: no MSys* table, no query
    const JetTable* t = findJetTable(tables, table);
    QVERIFY2(t, qPrintable(table));
    QCOMPARE(t->name, table);
    QCOMPARE(t->rows, rows);
    QCOMPARE(t->columns.size(), columns);
    qint64 read = 0;
    file->readRows(t->name, [&](const QVariantList& values) {
        QCOMPARE(values.size(), qsizetype(columns));
        ++read;
    });
    QCOMPARE(read, rows);
    QVERIFY(file->takeWarnings().isEmpty());
}

void TestJet::nwindColumnTypes_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("counter");
    QTest::newRow("counter") << "Employees"
                             << "EmployeeID" << int(JetType::LongInteger) << 4 << true;
    QTest::newRow("long") << "Employees"
                          << "ReportsTo" << int(JetType::LongInteger) << 4 << false;
    QTest::newRow("text") << "Employees"
                          << "LastName" << int(JetType::Text) << 20 << false;
    QTest::newRow("date") << "Employees"
                          << "BirthDate" << int(JetType::DateTime) << 8 << false;
    QTest::newRow("ole") << "Employees"
                         << "Photo" << int(JetType::Ole) << 0 << false;
    QTest::newRow("memo") << "Employees"
                          << "Notes" << int(JetType::Memo) << 0 << false;
    QTest::newRow("boolean") << "Products"
                             << "Discontinued" << int(JetType::Boolean) << 0 << false;
    QTest::newRow("integer") << "Order Details"
                             << "Quantity" << int(JetType::Integer) << 2 << false;
    QTest::newRow("currency") << "Order Details"
                              << "UnitPrice" << int(JetType::Currency) << 8 << false;
    QTest::newRow("single") << "Order Details"
                            << "Discount" << int(JetType::Single) << 4 << false;
}

void TestJet::nwindColumnTypes() {
    const QString path = jetFixture(QStringLiteral("nwind.mdb"));
    REQUIRE_JET_FIXTURE(path);
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(bool, counter);
    const auto file = JetFile::open(path);
    const QList<JetTable> tables = file->tables();
    const JetTable* t = findJetTable(tables, table);
    QVERIFY(t);
    const int i = t->columnIndex(column.toUpper()); // names found without regard to case
    QVERIFY2(i >= 0, qPrintable(column));
    QCOMPARE(t->columns[i].name, column);
    QCOMPARE(int(t->columns[i].type), type);
    QCOMPARE(t->columns[i].size, size);
    QCOMPARE(t->columns[i].autoNumber, counter);
}

void TestJet::nwindValues() {
    const QString path = jetFixture(QStringLiteral("nwind.mdb"));
    REQUIRE_JET_FIXTURE(path);
    const auto file = JetFile::open(path);

    // Jet 3 text comes in its code page: the accents survive.
    const QList<QVariantMap> customers = readAll(*file, QStringLiteral("Customers"));
    const QVariantMap anatr = rowWhere(customers, QStringLiteral("CustomerID"), QStringLiteral("ANATR"));
    QCOMPARE(anatr.value(QStringLiteral("Address")).toString(),
             QStringLiteral("Avda. de la Constitución 2222"));
    QCOMPARE(anatr.value(QStringLiteral("City")).toString(), QStringLiteral("México D.F."));
    // Null is Null, not empty text.
    const QVariantMap alfki = rowWhere(customers, QStringLiteral("CustomerID"), QStringLiteral("ALFKI"));
    QVERIFY(alfki.value(QStringLiteral("Region")).isNull());
    QCOMPARE(alfki.value(QStringLiteral("Fax")).toString(), QStringLiteral("030-0076545"));
    QCOMPARE(alfki.value(QStringLiteral("PostalCode")).typeId(), QMetaType::QString);

    // Long integers as 64-bit numbers, dates as values.
    const QList<QVariantMap> employees = readAll(*file, QStringLiteral("Employees"));
    QCOMPARE(employees.size(), 9);
    const QVariantMap davolio = rowWhere(employees, QStringLiteral("LastName"), QStringLiteral("Davolio"));
    QCOMPARE(davolio.value(QStringLiteral("EmployeeID")).typeId(), QMetaType::LongLong);
    QCOMPARE(davolio.value(QStringLiteral("EmployeeID")).toLongLong(), 1);
    QCOMPARE(davolio.value(QStringLiteral("BirthDate")).toDateTime(), utc(1948, 12, 8));
    QCOMPARE(davolio.value(QStringLiteral("HireDate")).toDateTime(), utc(1992, 5, 1));
    QCOMPARE(davolio.value(QStringLiteral("Address")).toString(),
             QStringLiteral("507 - 20th Ave. E.\r\nApt. 2A"));
    // A memo whole, and the columns after a memo and an OLE object still read right.
    const QString notes = davolio.value(QStringLiteral("Notes")).toString();
    QCOMPARE(notes.size(), 175);
    QVERIFY(notes.startsWith(QStringLiteral("Education includes a BA in psychology")));
    QVERIFY(notes.endsWith(QStringLiteral("Toastmasters International.")));
    QCOMPARE(davolio.value(QStringLiteral("ReportsTo")).toLongLong(), 2);
    QCOMPARE(davolio.value(QStringLiteral("Photo")).toByteArray().size(), 21626);
    const QVariantMap fuller = rowWhere(employees, QStringLiteral("LastName"), QStringLiteral("Fuller"));
    QCOMPARE(fuller.value(QStringLiteral("Notes")).toString().size(), 448);
    QVERIFY(fuller.value(QStringLiteral("ReportsTo")).isNull());

    // Booleans as Jet writes them, never Null.
    const QList<QVariantMap> products = readAll(*file, QStringLiteral("Products"));
    QCOMPARE(rowWhere(products, QStringLiteral("ProductID"), qint64(5)).value(QStringLiteral("Discontinued")),
             QVariant(qint64(-1)));
    QCOMPARE(rowWhere(products, QStringLiteral("ProductID"), qint64(1)).value(QStringLiteral("Discontinued")),
             QVariant(qint64(0)));
    QCOMPARE(rowWhere(products, QStringLiteral("ProductID"), qint64(1))
                 .value(QStringLiteral("UnitPrice"))
                 .toDouble(),
             18.0);

    const QList<QVariantMap> details = readAll(*file, QStringLiteral("Order Details"));
    QCOMPARE(details.size(), 2155);
    QCOMPARE(details.first().value(QStringLiteral("OrderID")).toLongLong(), 10248);
    QCOMPARE(details.first().value(QStringLiteral("UnitPrice")).toDouble(), 14.0);
    QCOMPARE(details.first().value(QStringLiteral("Quantity")).toLongLong(), 12);
    QCOMPARE(details.first().value(QStringLiteral("Discount")).typeId(), QMetaType::Float);

    const QList<QVariantMap> categories = readAll(*file, QStringLiteral("Categories"));
    QCOMPARE(rowWhere(categories, QStringLiteral("CategoryID"), qint64(1))
                 .value(QStringLiteral("Description"))
                 .toString(),
             QStringLiteral("Soft drinks, coffees, teas, beers, and ales"));
}

void TestJet::nwindTextNamedWithAccent() {
    const QString path = jetFixture(QStringLiteral("nwind.mdb"));
    REQUIRE_JET_FIXTURE(path);
    const auto file = JetFile::open(path);
    const QList<QVariantMap> rows = readAll(*file, QStringLiteral("UMSÄTZE"));
    QCOMPARE(rows.size(), 830);
    const QVariantMap order = rowWhere(rows, QStringLiteral("OrderID"), qint64(10330));
    QCOMPARE(order.value(QStringLiteral("ShipAddress")).toString(),
             QStringLiteral("Carrera 52 con Ave. Bolívar #65-98 Llano Largo"));
    QCOMPARE(order.value(QStringLiteral("OrderDate")).toDateTime(), utc(1994, 11, 16));
    QCOMPARE(order.value(QStringLiteral("Freight")).toDouble(), 12.75);
}

void TestJet::dateTestDatabase() {
    const QString path = jetFixture(QStringLiteral("DateTestDatabase.mdb"));
    REQUIRE_JET_FIXTURE(path);
    const auto file = JetFile::open(path);
    QCOMPARE(file->jetVersion(), 4);
    const QList<JetTable> tables = file->tables();
    QCOMPARE(tables.size(), 1);
    QCOMPARE(tables.first().name, QStringLiteral("DateTest"));
    QStringList names;
    for (const JetColumn& c : tables.first().columns)
        names << c.name;
    QCOMPARE(names,
             (QStringList{"IDCol", "DateTimeCol", "DateCol", "TimeCol", "LongTextCol", "ShortTextCol"}));
    QCOMPARE(tables.first().columns[4].type, JetType::Memo);
    QCOMPARE(tables.first().columns[5].type, JetType::Text);

    const QList<QVariantMap> rows = readAll(*file, QStringLiteral("DateTest"));
    QCOMPARE(rows.size(), 6);
    const auto at = [&](qint64 id) { return rowWhere(rows, QStringLiteral("IDCol"), id); };
    QCOMPARE(at(1).value(QStringLiteral("DateTimeCol")).toDateTime(), utc(2021, 12, 2));
    QCOMPARE(at(2).value(QStringLiteral("DateTimeCol")).toDateTime(), utc(9999, 1, 1));
    QCOMPARE(at(2).value(QStringLiteral("LongTextCol")).toString(), QStringLiteral("Year 9999"));
    QCOMPARE(at(2).value(QStringLiteral("ShortTextCol")).toString(), QStringLiteral("Year 1999"));
    QCOMPARE(at(3).value(QStringLiteral("DateTimeCol")).toDateTime(), utc(1898, 1, 1));
    QCOMPARE(at(3).value(QStringLiteral("DateCol")).toDateTime(), utc(1899, 1, 1));
    QCOMPARE(at(3).value(QStringLiteral("TimeCol")).toDateTime(), utc(1900, 1, 1));
    QCOMPARE(at(4).value(QStringLiteral("DateTimeCol")).toDateTime(), utc(632, 1, 1));
    QCOMPARE(at(4).value(QStringLiteral("TimeCol")).toDateTime(), utc(634, 1, 1));
    // Jet 4 keeps text in UCS-2 (here compressed): line breaks and backslashes come through.
    QCOMPARE(at(5).value(QStringLiteral("ShortTextCol")).toString(),
             QStringLiteral("Escaped new line \\r\\n in field"));
    QCOMPARE(at(6).value(QStringLiteral("LongTextCol")).toString(), QStringLiteral("New line\r\nin field"));

    // And as our text: ISO dates, the years before 1000 with four digits.
    QCOMPARE(ConvertiValore(at(4).value(QStringLiteral("DateCol")), TipoColonna::Testo).valore.toString(),
             QStringLiteral("0633-01-01"));
}

void TestJet::refusedAsDeliveryArchive_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("missing");
    QTest::newRow("nwind, Jet 3") << "nwind.mdb"
                                  << "mancano le tabelle tabDocumento e tabInfo";
    QTest::newRow("DateTestDatabase, Jet 4") << "DateTestDatabase.mdb"
                                             << "mancano le tabelle tabDocumento e tabInfo";
}

void TestJet::refusedAsDeliveryArchive() {
    QFETCH(QString, file);
    QFETCH(QString, missing);
    const QString path = jetFixture(file);
    REQUIRE_JET_FIXTURE(path);
    TestHome t;
    const QStringList mdbBefore = entries(t.home().mdbDir());
    const QStringList dumpBefore = entries(t.home().dumpDir());

    const EsitoImportazione e = ImportaArchivio(t.state(), path, NomeProposto(path));
    QVERIFY(!e.riuscita);
    QCOMPARE(e.rifiuto, EsitoImportazione::Rifiuto::NonArchivio);
    QVERIFY2(e.messaggio.contains(QStringLiteral("non è un archivio di consegna di Quillaro")),
             qPrintable(e.messaggio));
    QVERIFY2(e.messaggio.contains(missing), qPrintable(e.messaggio));
    QCOMPARE(entries(t.home().mdbDir()), mdbBefore);
    QCOMPARE(entries(t.home().dumpDir()), dumpBefore);

    // Nor are they a template or a catalogue; what is there stays.
    const QByteArray templateBefore = readFileBytes(t.home().templatePath());
    const EsitoImportazione m = ImportaModello(t.state(), path);
    QCOMPARE(m.rifiuto, EsitoImportazione::Rifiuto::NonArchivio);
    QVERIFY(m.messaggio.contains(QStringLiteral("non è un modello")));
    const EsitoImportazione c = ImportaCatalogo(t.state(), path);
    QCOMPARE(c.rifiuto, EsitoImportazione::Rifiuto::NonArchivio);
    QVERIFY(c.messaggio.contains(QStringLiteral("manca la tabella tabCatalogo")));
    QCOMPARE(readFileBytes(t.home().templatePath()), templateBefore);
    QCOMPARE(entries(t.home().mdbDir()), mdbBefore);
}

void TestJet::unreadableFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("keep"); // > 0: the first bytes of nwind.mdb
    QTest::addColumn<int>("refusal");
    QTest::addColumn<QString>("says");
    QTest::newRow("empty") << QByteArray() << qint64(0) << int(EsitoImportazione::Rifiuto::FileDanneggiato)
                           << "è vuoto (0 byte)";
    QTest::newRow("cut inside the signature")
        << QByteArray("\0\x01\0\0Stand", 9) << qint64(0) << int(EsitoImportazione::Rifiuto::FileDanneggiato)
        << "è troncato (9 byte)";
    QTest::newRow("first page wiped")
        << QByteArray(4096, '\0') << qint64(0) << int(EsitoImportazione::Rifiuto::FileDanneggiato)
        << "la prima pagina è azzerata";
    QTest::newRow("text") << QByteArray("IDDocumento;Titolo\r\n1;Prova\r\n") << qint64(0)
                          << int(EsitoImportazione::Rifiuto::NonAccess) << "non è un database Access";
    QTest::newRow("sqlite archive") << QByteArray("SQLite format 3\0", 16) << qint64(0)
                                    << int(EsitoImportazione::Rifiuto::NonAccess)
                                    << "non è un database Access";
    QTest::newRow("header only") << QByteArray() << qint64(100)
                                 << int(EsitoImportazione::Rifiuto::FileDanneggiato) << "è troncato";
    QTest::newRow("cut mid page") << QByteArray() << qint64(1000000)
                                  << int(EsitoImportazione::Rifiuto::FileDanneggiato) << "è troncato";
}

void TestJet::unreadableFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, keep);
    QFETCH(int, refusal);
    QFETCH(QString, says);
    if (keep > 0) {
        REQUIRE_JET_FIXTURE(jetFixture(QStringLiteral("nwind.mdb")));
        QFile source(jetFixture(QStringLiteral("nwind.mdb")));
        QVERIFY(source.open(QIODevice::ReadOnly));
        bytes = source.read(keep);
    }
    TestHome t;
    const QString path = QDir(t.root()).filePath(QStringLiteral("consegna.mdb"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const QStringList before = entries(t.home().mdbDir());
    const EsitoImportazione e = ImportaArchivio(t.state(), path, QStringLiteral("CONSEGNA"));
    QVERIFY(!e.riuscita);
    QCOMPARE(int(e.rifiuto), refusal);
    QVERIFY2(e.messaggio.contains(says), qPrintable(e.messaggio));
    QCOMPARE(entries(t.home().mdbDir()), before);

    // A missing file too.
    const EsitoImportazione missing =
        ImportaArchivio(t.state(), path + QStringLiteral(".manca"), QStringLiteral("X"));
    QCOMPARE(missing.rifiuto, EsitoImportazione::Rifiuto::FileDanneggiato);
    QVERIFY(missing.messaggio.contains(QStringLiteral("non esiste")));
}

void TestJet::truncatedAtPageBoundaryNeverReadsShort() {
    // Cut at a page boundary the file still looks whole; the pages it lacks must not read as fewer rows.
    const QString path = jetFixture(QStringLiteral("nwind.mdb"));
    REQUIRE_JET_FIXTURE(path);
    QTemporaryDir dir;
    const QString cut = dir.filePath(QStringLiteral("cut.mdb"));
    QFile source(path);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QFile target(cut);
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write(source.read(489 * 2048));
    target.close();

    QString failure;
    qint64 orders = -1;
    try {
        const auto file = JetFile::open(cut);
        for (const JetTable& t : file->tables()) {
            qint64 n = 0;
            file->readRows(t.name, [&](const QVariantList&) { ++n; });
            if (t.name == u"Orders")
                orders = n;
        }
    } catch (const JetError& e) {
        failure = e.fullMessage();
    }
    QVERIFY2(!failure.isEmpty(),
             qPrintable(QStringLiteral("read %1 orders of 830 without an error").arg(orders)));
    QVERIFY2(failure.contains(QStringLiteral("danneggiato")), qPrintable(failure));
    QVERIFY2(failure.contains(QStringLiteral("Dettaglio tecnico:")), qPrintable(failure));
}

void TestJet::rowsStoringOtherColumnCounts_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("rows"); // as mdb-export reads them; <null> for Null
    // Columns deleted after the rows were written: each row stores more than the table has.
    QTest::newRow("delColTest") << "delColTestV2000.mdb"
                                << "Table1" << QStringList{"0|2|foo|foo2", "3|5|bar|bar2"};
    // A column added after some rows: they store fewer.
    QTest::newRow("indexTest Table1")
        << "indexTestV2000.mdb"
        << "Table1" << QStringList{"0|0|10|baz0|0", "1|1|11|baz11|0", "2|1|11|baz11-2|0", "3|2|13|baz13|0"};
    QTest::newRow("indexTest Table3")
        << "indexTestV2000.mdb"
        << "Table3" << QStringList{"10|bar10", "11|bar11", "12|bar12", "13|bar13"};
    QTest::newRow("overflowTest") << "overflowTestV2000.mdb"
                                  << "Table1"
                                  << QStringList{
                                         "row1col1|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>",
                                         "row2col1|row2col3|<null>|<null>|<null>|<null>|<null>|<null>|<null>",
                                         "row4col1|row4col2|<null>|<null>|<null>|<null>|<null>|<null>|<null>",
                                         "<null>|row6col2|row6col3|<null>|<null>|<null>|<null>|<null>|<null>",
                                         "row7col1|<null>|<null>|<null>|<null>|row7col7|<null>|<null>|<null>",
                                         "<null>|row3col3|<null>|<null>|<null>|<null>|<null>|row3col9|<null>",
                                         "<null>|row5col2|<null>|<null>|<null>|<null>|<null>|<null>|<null>"};
}

void TestJet::rowsStoringOtherColumnCounts() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, rows);
    const QString path = jetVersionFixture(file);
    REQUIRE_JET_FIXTURE(path);
    // In the program's own reader and in the reader process alike.
    const auto inProcess = JetFile::open(path);
    const auto child = JetProcesso::open(path);
    for (JetSource* source :
         {static_cast<JetSource*>(inProcess.get()), static_cast<JetSource*>(child.get())}) {
        QStringList read;
        source->readRows(table, [&](const QVariantList& values) {
            QStringList cells;
            for (const QVariant& v : values)
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            read << cells.join(u'|');
        });
        QCOMPARE(read, rows);
        QCOMPARE(findJetTable(source->tables(), table)->rows, qint64(rows.size()));
    }
}

void TestJet::damagedFilesRefusedWithoutHarm_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    // libmdb loops for ever on the catalogue, its memory growing.
    QTest::newRow("testV1997 cut at a page boundary") << "versions/testV1997.mdb"
                                                      << "cut:46";
    // libmdb crashes on the usage map of the catalogue.
    QTest::newRow("testV2010 usage map byte changed") << "versions/testV2010.accdb"
                                                      << "byte:8247=f8";
    QTest::newRow("nwind catalogue page zeroed") << "nwind.mdb"
                                                 << "zero:22";
}

void TestJet::damagedFilesRefusedWithoutHarm() {
    QFETCH(QString, file);
    QFETCH(QString, damage);
    const QString source = jetFixture(file);
    REQUIRE_JET_FIXTURE(source);
    TestHome t;
    QVERIFY(t.open(t.createDemo())); // an archive open in the program, as the operator has one
    QTemporaryDir dir;
    const QString path = damagedJetCopy(source, dir.path(), damage);
    QVERIFY(!path.isEmpty());
    const QStringList before = entries(t.home().mdbDir());

    WaitingWatch watch;
    QElapsedTimer clock;
    clock.start();
    const EsitoImportazione e = ImportaArchivio(t.state(), path, QStringLiteral("ROTTO"), &watch);
    const qint64 elapsed = clock.elapsed();
    qInfo("%s: refused in %lld ms, longest wait without repainting %lld ms", qPrintable(damage), elapsed,
          watch.longestGap);
    QVERIFY(!e.riuscita);
    QCOMPARE(e.rifiuto, EsitoImportazione::Rifiuto::FileDanneggiato);
    QVERIFY2(e.messaggio.contains(QStringLiteral("danneggiato")), qPrintable(e.messaggio));
    QVERIFY2(elapsed < (LimitiLettoreJet().secondiSilenzio + 10) * 1000,
             qPrintable(QString::number(elapsed)));
    QVERIFY2(watch.longestGap < 1000, qPrintable(QString::number(watch.longestGap)));
    // The program and its open archive go on as before.
    QCOMPARE(entries(t.home().mdbDir()), before);
    QVERIFY(t.state().ArchivioAperto);
    RecordSet rs = t.state().Connessione.ApriRS(QStringLiteral("select count(*) from tabDocumento"));
    QCOMPARE(rs.field(0).toLongLong(), 30);
}

void TestJet::longValuesWholeOrDamaged_data() {
    QTest::addColumn<QString>("damage");
    // Davolio's notes (175 characters) lie on page 107, row 0; their header at byte 223202.
    QTest::newRow("stored length beyond its bytes") << "u32:223202=40000190";
    QTest::newRow("its page zeroed") << "zero:107";
    QTest::newRow("pointing to a page that is not one of long values") << "u32:223206=00000200";
}

void TestJet::longValuesWholeOrDamaged() {
    QFETCH(QString, damage);
    const QString source = jetFixture(QStringLiteral("nwind.mdb"));
    REQUIRE_JET_FIXTURE(source);
    QTemporaryDir dir;
    const QString path = damagedJetCopy(source, dir.path(), damage);
    const auto inProcess = JetFile::open(path);
    const auto child = JetProcesso::open(path);
    for (JetSource* s : {static_cast<JetSource*>(inProcess.get()), static_cast<JetSource*>(child.get())}) {
        QString failure;
        qint64 rows = 0;
        try {
            s->readRows(QStringLiteral("Employees"), [&](const QVariantList&) { ++rows; });
        } catch (const JetError& e) {
            failure = e.fullMessage();
        }
        QVERIFY2(!failure.isEmpty(), qPrintable(QStringLiteral("%1 rows read, no failure").arg(rows)));
        QVERIFY2(failure.contains(QStringLiteral("danneggiato")), qPrintable(failure));
    }
}

void TestJet::lostRowsAndCatalogueAreDamage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("says");
    QTest::newRow("Order Details, a data page zeroed")
        << "nwind.mdb"
        << "zero:462"
        << "La tabella Order Details del file «nwind.mdb» dichiara 2155 righe, ma se ne leggono solo 2077";
    QTest::newRow("Orders, a data page zeroed") << "nwind.mdb"
                                                << "zero:521"
                                                << "dichiara 830 righe, ma se ne leggono solo 813";
    QTest::newRow("catalogue page zeroed") << "nwind.mdb"
                                           << "zero:22"
                                           << "Il catalogo del file «nwind.mdb» non si legge";
    QTest::newRow("testV1997, catalogue page zeroed") << "versions/testV1997.mdb"
                                                      << "zero:18"
                                                      << "Il catalogo del file «testV1997.mdb» non si legge";
}

void TestJet::lostRowsAndCatalogueAreDamage() {
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(QString, says);
    const QString source = jetFixture(file);
    REQUIRE_JET_FIXTURE(source);
    QTemporaryDir dir;
    const QString path = damagedJetCopy(source, dir.path(), damage);
    QString failure;
    try {
        failure = readEverything(*JetProcesso::open(path));
    } catch (const JetError& e) {
        failure = e.fullMessage();
    }
    QVERIFY2(failure.contains(says), qPrintable(failure));
    QVERIFY2(!failure.contains(QStringLiteral("non ha tabelle")), qPrintable(failure));
}

void TestJet::libraryWarningsInItalian_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("italian");
    QTest::newRow("crack, page") << "warning: Invalid page buffer detected in mdb_crack_row."
                                 << "Avviso di lettura: una riga non si legge: la sua pagina non è valida.";
    QTest::newRow("crack, data")
        << "warning: Invalid data location detected in mdb_crack_row."
        << "Avviso di lettura: una riga non si legge: i suoi valori cadono fuori dalla riga.";
    QTest::newRow("map") << "Warning: defaulting to brute force read"
                         << "Avviso di lettura: la mappa delle pagine della tabella non si legge: le pagine "
                            "sono state cercate una a una.";
    QTest::newRow("page of the map")
        << "warning: page 462 from map doesn't match: Type=0, buf[4..7]=0 Expected table_pg=415"
        << "Avviso di lettura: la pagina 462 indicata dalla mappa delle pagine non appartiene alla tabella.";
    QTest::newRow("unknown") << "Warning: something new"
                             << "Avviso di lettura (testo originale della libreria): Warning: something new";
}

void TestJet::libraryWarningsInItalian() {
    QFETCH(QString, line);
    QFETCH(QString, italian);
    QCOMPARE(AvvisoLibreriaJet(line), italian);
}

QTEST_GUILESS_MAIN(TestJet)
#include "tst_import_jet.moc"
