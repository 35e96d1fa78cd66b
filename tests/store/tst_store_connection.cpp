// The connection layer and the query helpers.

#include "store/MessaggiErrore.h"
#include "store/mdlGlobale.h"
#include "support/TestHome.h"

#include <QtTest>

#include <sqlite3.h>

class StoreConnection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void condizioneRicercaShape_data();
    void condizioneRicercaShape();
    void condizioneRicercaMatches_data();
    void condizioneRicercaMatches();
    void meseNumero_data();
    void meseNumero();
    void meseNome_data();
    void meseNome();
    void maxIdAfterDeletions();
    void leggiColonna();
    void tableNamesInAnyCase();
    void nullColumns();
    void booleansAndNumbersFromText();
    void textAndIntegerAsFields_data();
    void textAndIntegerAsFields();
    void sameStatementNested();
    void transactionRollsBack();
    void refusesFilesThatAreNotArchives_data();
    void refusesFilesThatAreNotArchives();
    void failingStatementRaises();
    void engineErrorsExplainedInItalian();
    void connectionString();
};

void StoreConnection::condizioneRicercaShape_data() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("params");
    const QString like = QStringLiteral("T like ? escape '\\'");
    QTest::newRow("exact") << "codice civile" << true << "Tutte" << "T = ?" << QStringList{"codice civile"};
    QTest::newRow("sequence") << "codice civile" << false << "Sequenza esatta" << like
                              << QStringList{"%codice civile%"};
    QTest::newRow("all words") << "codice civile" << false << "Tutte" << "(" + like + " AND  " + like + ")"
                               << QStringList{"%codice%", "%civile%"};
    QTest::newRow("any word, two blanks after OR") << "codice civile" << false << "Almeno una"
                                                   << "(" + like + " OR  " + like + ")"
                                                   << QStringList{"%codice%", "%civile%"};
    QTest::newRow("single word in parentheses") << "privacy" << false << "Tutte" << "(" + like + ")"
                                                << QStringList{"%privacy%"};
    QTest::newRow("empty words, any") << "" << false << "Almeno una" << "(" + like + ")" << QStringList{"%%"};
    QTest::newRow("two blanks give an empty word") << "a  b" << false << "Tutte"
                                                   << "(" + like + " AND  " + like + " AND  " + like + ")"
                                                   << QStringList{"%a%", "%%", "%b%"};
    QTest::newRow("wildcards typed are literal") << "50%_x" << false << "Tutte" << "(" + like + ")"
                                                 << QStringList{"%50\\%\\_x%"};
}

void StoreConnection::condizioneRicercaShape() {
    QFETCH(QString, words);
    QFETCH(bool, exact);
    QFETCH(QString, mode);
    QFETCH(QString, sql);
    QFETCH(QStringList, params);
    const Condizione c = CondizioneRicerca(QStringLiteral("T"), words, exact, mode);
    QCOMPARE(c.sql, sql);
    QStringList got;
    for (const QVariant& v : c.params)
        got << v.toString();
    QCOMPARE(got, params);
}

void StoreConnection::condizioneRicercaMatches_data() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QList<qint64>>("ids");
    QTest::newRow("all words, any order and case") << "CIVILE codice" << false << "Tutte" << QList<qint64>{1, 3};
    QTest::newRow("any word") << "penale civile" << false << "Almeno una" << QList<qint64>{1, 2, 3};
    QTest::newRow("exact sequence") << "di procedura" << false << "Sequenza esatta" << QList<qint64>{3};
    QTest::newRow("whole field") << "Codice civile" << true << "Tutte" << QList<qint64>{1};
    QTest::newRow("a double quote matches") << "\"Bassanini\"" << false << "Tutte" << QList<qint64>{4};
    QTest::newRow("percent is literal") << "100%" << false << "Tutte" << QList<qint64>{5};
    QTest::newRow("empty word matches all") << "" << false << "Almeno una" << QList<qint64>{1, 2, 3, 4, 5};
}

void StoreConnection::condizioneRicercaMatches() {
    QFETCH(QString, words);
    QFETCH(bool, exact);
    QFETCH(QString, mode);
    QFETCH(QList<qint64>, ids);
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    const QStringList titles = {"Codice civile", "Codice penale", "Codice di procedura civile",
                                "Legge \"Bassanini\"", "Quota 100% garantita"};
    c.EseguiIstruzione(QStringLiteral("delete from tabNIT"));
    for (int i = 0; i < titles.size(); ++i)
        c.EseguiIstruzione(QStringLiteral("insert into tabNIT (IDNIT, Fonte) values (?, ?)"), {i + 1, titles[i]});
    const Condizione cond = CondizioneRicerca(QStringLiteral("tabNIT.fonte"), words, exact, mode);
    RecordSet rs = c.ApriRS(QStringLiteral("select idnit from tabNIT where ") + cond.sql + QStringLiteral(" order by idnit"),
                            cond.params);
    QList<qint64> got;
    for (; !rs.eof(); rs.moveNext())
        got << rs.field(u"idnit").toLongLong();
    QCOMPARE(got, ids);
}

void StoreConnection::meseNumero_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::newRow("gennaio") << "gennaio" << "1";
    QTest::newRow("settembre") << "settembre" << "9";
    QTest::newRow("dicembre") << "dicembre" << "12";
    QTest::newRow("capital initial") << "Marzo" << "0";
    QTest::newRow("blank") << " marzo" << "0";
    QTest::newRow("empty") << "" << "0";
}

void StoreConnection::meseNumero() {
    QFETCH(QString, name);
    QFETCH(QString, number);
    QCOMPARE(MeseNumero(name), number);
}

void StoreConnection::meseNome_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("numberAfter");
    QTest::newRow("09 is rewritten") << "09" << "settembre" << "9";
    QTest::newRow("1") << "1" << "gennaio" << "1";
    QTest::newRow("12") << "12" << "dicembre" << "12";
    QTest::newRow("13") << "13" << "" << "13";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("0") << "0" << "" << "0";
    QTest::newRow("text") << "marzo" << "" << "marzo";
}

void StoreConnection::meseNome() {
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, numberAfter);
    QString variable = number;
    QCOMPARE(MeseNome(variable), name);
    QCOMPARE(variable, numberAfter);
}

void StoreConnection::maxIdAfterDeletions() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    QVERIFY_THROWS_EXCEPTION(DbError, MaxID(c, QStringLiteral("tabTesto"), QStringLiteral("IDTesto")));
    for (int i = 0; i < 5; ++i)
        c.EseguiIstruzione(QStringLiteral("insert into TabTesto (Testo) values (?)"), {QStringLiteral("t%1").arg(i)});
    c.EseguiIstruzione(QStringLiteral("delete from tabTesto where IDTesto in (2, 3)"));
    QCOMPARE(MaxID(c, QStringLiteral("TabTesto"), QStringLiteral("IDTesto")), 5);
    c.EseguiIstruzione(QStringLiteral("insert into TabTesto (IDTesto, Testo) values (5000000000, 'big')"));
    QCOMPARE(MaxID(c, QStringLiteral("tabtesto"), QStringLiteral("idtesto")), Q_INT64_C(5000000000));
}

void StoreConnection::leggiColonna() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    QCOMPARE(LeggiColonna(c, QStringLiteral("CodRegione"), QStringLiteral("tabRegione"), QStringLiteral("IDRegione"), 7),
             QStringLiteral("LA"));
    QVERIFY_THROWS_EXCEPTION(DbError, LeggiColonna(c, QStringLiteral("CodRegione"), QStringLiteral("tabRegione"),
                                                   QStringLiteral("IDRegione"), 999));
    c.EseguiIstruzione(QStringLiteral("insert into tabCitta (IDCitta, Citta) values (9999, null)"));
    QVERIFY_THROWS_EXCEPTION(DbError, LeggiColonna(c, QStringLiteral("Citta"), QStringLiteral("tabCitta"),
                                                   QStringLiteral("IDCitta"), 9999));
}

void StoreConnection::tableNamesInAnyCase() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    c.EseguiIstruzione(QStringLiteral("insert into TabTesto (Testo) values ('uno')"));
    c.EseguiIstruzione(QStringLiteral("insert into LegameDocTesto (IDDoc, IDTesto, Tipo) values (1, 1, '0')"));
    RecordSet rs = c.ApriRS(QStringLiteral("select TESTO from tabtesto, legameDocTesto where "
                                           "LEGAMEDOCTESTO.idtesto = TabTesto.IDTesto and Tipo = '0'"));
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(u"testo").toString(), QStringLiteral("uno"));
    QCOMPARE(rs[u"Testo"].toString(), QStringLiteral("uno"));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.field(u"nonesiste"));
}

void StoreConnection::nullColumns() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    c.EseguiIstruzione(QStringLiteral("insert into tabRifBibl (IDRivistaOnline, Data, Fascicolo, Volume) values (?, ?, ?, ?)"),
                       {QStringLiteral("101"), QStringLiteral("2005-00"), QVariant(), QString()});
    RecordSet rs = c.ApriRS(QStringLiteral("select * from tabRifBibl"));
    QVERIFY(rs.field(u"Fascicolo").isNull());
    QCOMPARE(rs.field(u"Fascicolo").toString(), QString());
    QVERIFY(!rs.field(u"Volume").isNull());
    QCOMPARE(rs.field(u"Data").toString(), QStringLiteral("2005-00"));
    QVERIFY(rs.field(u"Annata").isNull());
    rs.moveNext();
    QVERIFY(rs.eof());
    QVERIFY_THROWS_EXCEPTION(DbError, rs.moveNext());
}

void StoreConnection::booleansAndNumbersFromText() {
    QVERIFY(Field(QVariant(qlonglong(-1))).toBool());
    QVERIFY(Field(QVariant(qlonglong(1))).toBool());
    QVERIFY(!Field(QVariant(qlonglong(0))).toBool());
    QVERIFY(!Field().toBool());
    QVERIFY(Field(QVariant(QStringLiteral("True"))).toBool());
    QCOMPARE(Field(QVariant(QStringLiteral("12-15"))).toLongLong(), 12);
    QCOMPARE(Field(QVariant(QStringLiteral(" 0"))).toLongLong(), 0);
    QCOMPARE(Field(QVariant(QStringLiteral("abc"))).toLongLong(), 0);
    QCOMPARE(Field(QVariant(QStringLiteral("-3"))).toLongLong(), -3);
    QCOMPARE(Field(QVariant(2.0)).toString(), QStringLiteral("2"));
}

// The hot loops' accessors read a column as field() does.
void StoreConnection::textAndIntegerAsFields_data() {
    QTest::addColumn<QString>("valore");
    QTest::newRow("null") << "null";
    QTest::newRow("integer") << "-42";
    QTest::newRow("whole real") << "2.0";
    QTest::newRow("real") << "2.5";
    QTest::newRow("text") << "'12-15'";
    QTest::newRow("accented text") << "'perché'";
    QTest::newRow("empty text") << "''";
    QTest::newRow("blob") << "x'414243'";
}

void StoreConnection::textAndIntegerAsFields() {
    QFETCH(QString, valore);
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    RecordSet rs = t.state().Connessione.ApriRS(QStringLiteral("select %1").arg(valore));
    QCOMPARE(rs.text(0), rs.field(0).toString());
    QCOMPARE(rs.integer(0), rs.field(0).toLongLong());
}

void StoreConnection::sameStatementNested() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    const QString sql = QStringLiteral("select CodRegione from tabRegione where IDRegione <= ? order by IDRegione");
    RecordSet outer = c.ApriRS(sql, {2});
    QStringList seen;
    for (; !outer.eof(); outer.moveNext()) {
        RecordSet inner = c.ApriRS(sql, {1});
        seen << outer.field(u"CodRegione").toString() + inner.field(u"CodRegione").toString();
        // Writing while reading the same table is allowed too.
        c.EseguiIstruzione(QStringLiteral("update tabCitta set Nuovo = 0 where IDCitta = ?"), {1});
    }
    QCOMPARE(seen, (QStringList{"ABAB", "BAAB"}));
    // The cached statement is reusable once closed.
    outer.close();
    RecordSet again = c.ApriRS(sql, {1});
    QCOMPARE(again.field(u"CodRegione").toString(), QStringLiteral("AB"));
}

void StoreConnection::transactionRollsBack() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    {
        Transaction outer(c);
        c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values ('kept')"));
        {
            Transaction inner(c);
            c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values ('dropped')"));
        }
        outer.commit();
    }
    {
        Transaction lost(c);
        c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values ('lost')"));
        QVERIFY_THROWS_EXCEPTION(DbError, c.EseguiIstruzione(QStringLiteral("insert into tabNonEsiste values (1)")));
    }
    RecordSet rs = c.ApriRS(QStringLiteral("select group_concat(Testo) as T from tabTesto"));
    QCOMPARE(rs.field(u"T").toString(), QStringLiteral("kept"));
    QCOMPARE(c.transactionDepth(), 0);
}

void StoreConnection::refusesFilesThatAreNotArchives_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("sqlite");
    QTest::newRow("text file") << QByteArray("not a database\n") << false;
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("another sqlite database") << QByteArray() << true;
}

void StoreConnection::refusesFilesThatAreNotArchives() {
    QFETCH(QByteArray, content);
    QFETCH(bool, sqlite);
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("ALTRO.db"));
    if (sqlite) {
        // A database of some other program: no Quillaro mark.
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "create table tabInfo (Consegna text)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QByteArray before = readFileBytes(path);
    cConnessione c;
    QVERIFY(!c.ApriConnessione(cConnessione::connectionStringFor(path)));
    QVERIFY(!c.isOpen());
    QCOMPARE(readFileBytes(path), before);
    QVERIFY(!c.ApriConnessione(cConnessione::connectionStringFor(t.home().mdbPath(QStringLiteral("MANCA.db")))));
    QVERIFY(!QFileInfo::exists(t.home().mdbPath(QStringLiteral("MANCA.db"))));
}

void StoreConnection::engineErrorsExplainedInItalian() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    c.EseguiIstruzione(QStringLiteral("create table tabProva (k integer primary key, v text not null)"));
    try {
        c.EseguiIstruzione(QStringLiteral("insert into tabProva (k, v) values (1, null)"));
        QFAIL("no error");
    } catch (const DbError& e) {
        const QStringList lines = MessaggioErroreDb(QStringLiteral("Il documento 1 non è stato salvato."), e)
                                      .split(u'\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("Il documento 1 non è stato salvato."));
        QVERIFY(lines[1].startsWith(QStringLiteral("I dati contrastano")));
        QVERIFY(lines[2].startsWith(QStringLiteral("Dettaglio tecnico: ")));
        QVERIFY(lines[2].contains(QStringLiteral("NOT NULL")));
    }
    // A busy archive and a full disk say what to do; our own Italian errors are not explained twice.
    QVERIFY(SpiegazioneErroreDb(SQLITE_BUSY).contains(QStringLiteral("riprovare")));
    QVERIFY(SpiegazioneErroreDb(SQLITE_IOERR | (13 << 8)).startsWith(QStringLiteral("Errore di lettura")));
    QVERIFY(SpiegazioneErroreDb(SQLITE_FULL).contains(QStringLiteral("disco")));
    QVERIFY(SpiegazioneErroreDb(3021).isEmpty());
    QCOMPARE(MessaggioErroreDb({}, 3021, QStringLiteral("Nessun record corrente.")),
             QStringLiteral("Dettaglio tecnico: Nessun record corrente. (errore 3021)"));
}

void StoreConnection::failingStatementRaises() {
    TestHome t;
    QVERIFY(t.open(t.createArchive()));
    cConnessione& c = t.state().Connessione;
    try {
        c.ApriRS(QStringLiteral("select * from tabNonEsiste"));
        QFAIL("no error");
    } catch (const DbError& e) {
        QVERIFY(e.description().contains(QStringLiteral("tabNonEsiste")));
        QCOMPARE(e.sql(), QStringLiteral("select * from tabNonEsiste"));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values (?)"), {}));
    // The connection stays usable after an error.
    QCOMPARE(c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values (?)"), {QStringLiteral("ok")}), 1);
    cConnessione closed;
    QVERIFY_THROWS_EXCEPTION(DbError, closed.ApriRS(QStringLiteral("select 1")));
}

void StoreConnection::connectionString() {
    const QString path = QStringLiteral("/tmp/a b;c/CONS 1.db");
    const QString s = cConnessione::connectionStringFor(path);
    QCOMPARE(s, QStringLiteral("Provider= Microsoft.Jet.OLEDB.4.0;Data Source=/tmp/a b;c/CONS 1.db;Persist Security Info=False"));
    QCOMPARE(cConnessione::pathFromConnectionString(s), path);
    QCOMPARE(cConnessione::pathFromConnectionString(path), path);
}

QTEST_GUILESS_MAIN(StoreConnection)
#include "tst_store_connection.moc"
