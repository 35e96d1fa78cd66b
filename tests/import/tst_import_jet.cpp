// The Jet reader on real files written by Access: nwind.mdb (Jet 3) and DateTestDatabase.mdb (Jet 4),
// and on files that are not Jet databases or were cut short.

#include "import/ImportaArchivio.h"
#include "import/JetFile.h"
#include "import/JetTestUtil.h"
#include "support/TestHome.h"

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
    QTest::newRow("empty") << QByteArray() << qint64(0) << int(EsitoImportazione::Rifiuto::NonAccess)
                           << "non è un database Access";
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
    QVERIFY2(failure.contains(QStringLiteral("danneggiato o troncato")), qPrintable(failure));
    QVERIFY2(failure.contains(QStringLiteral("Dettaglio tecnico:")), qPrintable(failure));
}

QTEST_GUILESS_MAIN(TestJet)
#include "tst_import_jet.moc"
