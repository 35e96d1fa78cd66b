// What stands between the operator and a wrong file: journals left by a writer that died, files
// that are not delivery archives (the template, the catalogue, cut or foreign files), a lock held
// by another program, and archive names typed as operators type them.

#include "generator/Generatore.h"
#include "store/ArchiveFormat.h"
#include "store/Archivio.h"
#include "store/Template.h"
#include "support/StoreFixtures.h"
#include "support/TestHome.h"

#include <QElapsedTimer>
#include <QtTest>
#include <sqlite3.h>
#include <thread>

namespace {

const InformazioneConsegna kInfo{"3", "2026", "44", "1"};

// Another program holding the write lock of a file for a while, from its own connection.
class ForeignLock {
public:
    ForeignLock(const QString& path, int milliseconds) {
        QVERIFY2(sqlite3_open(path.toUtf8().constData(), &db_) == SQLITE_OK, "no connection");
        QVERIFY2(sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK, "no lock");
        thread_ = std::thread([this, milliseconds] {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        });
    }
    ~ForeignLock() {
        if (thread_.joinable())
            thread_.join();
        sqlite3_close(db_);
    }

private:
    sqlite3* db_ = nullptr;
    std::thread thread_;
};

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class StoreFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void staleJournalBesideANewName_data();
    void staleJournalBesideANewName();
    void hotJournalBesideAnArchiveIsItsOwn();
    void demoReplacedOnlyWhenWhole();
    void onlyADeliveryArchiveOpens_data();
    void onlyADeliveryArchiveOpens();
    void eachConnectionOpensItsOwnKind();
    void homeOfThePreviousVersionIsRemarked();
    void openingWaitsForALock();
    void aLockThatOutlastsTheWaitIsExplained();
    void typedNames_data();
    void typedNames();
    void bareNamesFoundWithoutRegardToCase();
};

void StoreFiles::staleJournalBesideANewName_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("new") << "new";
    QTest::newRow("generate") << "generate";
    QTest::newRow("demo") << "demo";
    QTest::newRow("template") << "template";
}

void StoreFiles::staleJournalBesideANewName() {
    QFETCH(QString, how);
    TestHome t;
    // Another archive's hot journal, and the write-ahead files of some other writer, all beside a
    // name that holds no archive.
    const QString other = t.createArchive(QStringLiteral("ALTRO"));
    const QString caught = t.home().mdbPath(QStringLiteral("ALTRO-COPIA.db"));
    writeHotJournalCopy(other, caught, 3000);
    const QString target =
        t.home().mdbPath(how == u"demo" ? QStringLiteral("DEMO.db") : QStringLiteral("NUOVO.db"));
    QVERIFY(QFile::rename(caught + QStringLiteral("-journal"), target + QStringLiteral("-journal")));
    writeBytes(target + QStringLiteral("-wal"), QByteArray(4096, 'w'));
    writeBytes(target + QStringLiteral("-shm"), QByteArray(4096, 's'));
    // The same beside the temporary names the files are made under.
    for (const QString& part :
         {target + QStringLiteral(".new"), target + QStringLiteral(".gen"), target + QStringLiteral(".part")})
        QVERIFY(QFile::copy(target + QStringLiteral("-journal"), part + QStringLiteral("-journal")));

    qint64 texts = 0;
    if (how == u"new") {
        QCOMPARE(CreaArchivio(t.state(), target, kInfo).esito, EsitoNuovoArchivio::Creato);
    } else if (how == u"generate") {
        OpzioniGeneratore opzioni;
        opzioni.documenti = 3;
        GeneraArchivio(t.state(), target, opzioni, nullptr);
        texts = -1;
    } else if (how == u"demo") {
        replaceDemoArchive(target);
        texts = -1;
    } else {
        buildTemplateArchive(target);
    }
    for (const QString& journal : journalFiles(target))
        QVERIFY2(!QFileInfo::exists(journal), qPrintable(journal));
    QCOMPARE(integrityOf(target), QStringLiteral("ok"));
    // Nothing of the other archive came in.
    QCOMPARE(
        numberFrom(target, QStringLiteral("select count(*) from tabTesto where Testo like 'testo committed%' "
                                          "or Testo like 'mai registrato%'")),
        0);
    if (texts == 0)
        QCOMPARE(numberFrom(target, QStringLiteral("select count(*) from tabTesto")), 0);
    if (how == u"new") {
        QVERIFY(t.open(target));
        QCOMPARE(t.state().Consegna(), QStringLiteral("44"));
    }
    // No temporary file is left behind.
    for (const QString& part :
         {target + QStringLiteral(".new"), target + QStringLiteral(".gen"), target + QStringLiteral(".part")})
        QVERIFY2(!QFileInfo::exists(part), qPrintable(part));
}

void StoreFiles::hotJournalBesideAnArchiveIsItsOwn() {
    TestHome t;
    const QString original = t.createArchive(QStringLiteral("ORIGINALE"));
    const QString crashed = t.home().mdbPath(QStringLiteral("INTERROTTO.db"));
    writeHotJournalCopy(original, crashed, 2000);
    // The file holds pages that were never committed: the journal puts them back.
    QVERIFY(readFileBytes(crashed) != readFileBytes(original));
    // A new archive of that name is refused and the journal is left where it is.
    QCOMPARE(CreaArchivio(t.state(), crashed, kInfo).esito, EsitoNuovoArchivio::NomeEsistente);
    QVERIFY(QFileInfo::exists(crashed + QStringLiteral("-journal")));
    QVERIFY(t.open(crashed));
    QVERIFY(!QFileInfo::exists(crashed + QStringLiteral("-journal")));
    cConnessione& c = t.state().Connessione;
    QCOMPARE(c.ApriRS(QStringLiteral("PRAGMA integrity_check")).field(0).toString(), QStringLiteral("ok"));
    QCOMPARE(c.ApriRS(QStringLiteral("select count(*) from tabTesto where Testo like 'testo committed%'"))
                 .field(0)
                 .toLongLong(),
             2000);
    QCOMPARE(c.ApriRS(QStringLiteral("select count(*) from tabTesto where Testo like 'mai registrato%'"))
                 .field(0)
                 .toLongLong(),
             0);
}

void StoreFiles::demoReplacedOnlyWhenWhole() {
    TestHome t;
    const QString demo = t.home().mdbPath(QStringLiteral("DEMO.db"));
    buildDemoArchive(demo);
    {
        cConnessione c;
        QVERIFY(c.ApriConnessione(demo));
        c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values ('lavoro sulla demo')"));
    }
    const QByteArray before = readFileBytes(demo);
    // The new one cannot be made (its temporary name is taken by a folder): the old one stays.
    QVERIFY(QDir().mkpath(demo + QStringLiteral(".part/x")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, replaceDemoArchive(demo));
    QCOMPARE(readFileBytes(demo), before);
    QVERIFY(QDir(demo + QStringLiteral(".part")).removeRecursively());
    replaceDemoArchive(demo);
    QCOMPARE(
        numberFrom(demo, QStringLiteral("select count(*) from tabTesto where Testo = 'lavoro sulla demo'")),
        0);
    QVERIFY(numberFrom(demo, QStringLiteral("select count(*) from tabDocumento")) >= 25);
    QVERIFY(!QFileInfo::exists(demo + QStringLiteral(".part")));
}

void StoreFiles::onlyADeliveryArchiveOpens_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("template") << "masterOnline.db"
                              << "il modello vuoto";
    QTest::newRow("catalogue") << "Catalogo norme.db"
                               << "il catalogo delle norme";
    QTest::newRow("template of the previous version") << "VECCHIO-MODELLO.db"
                                                      << "il modello vuoto";
    QTest::newRow("catalogue of the previous version") << "VECCHIO-CATALOGO.db"
                                                       << "il catalogo delle norme";
    QTest::newRow("cut in half") << "TRONCO.db"
                                 << "incompleto";
    QTest::newRow("cut inside its first page") << "TRONCO-TESTA.db"
                                               << "non è l'archivio di una consegna";
    QTest::newRow("random bytes") << "RUMORE.db"
                                  << "non è l'archivio di una consegna di Quillaro";
    QTest::newRow("empty file") << "VUOTO.db"
                                << "non è l'archivio di una consegna di Quillaro";
    QTest::newRow("another program's database") << "ALTRO.db"
                                                << "non è l'archivio di una consegna di Quillaro";
    QTest::newRow("tables missing") << "MONCO.db"
                                    << "mancano le tabelle tabInfo, tabDocumento";
    QTest::newRow("missing") << "MANCA.db"
                             << "non esiste";
}

void StoreFiles::onlyADeliveryArchiveOpens() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    TestHome t;
    const QString path = t.home().mdbPath(file);
    const QString demo = t.createDemo();
    if (file == u"VECCHIO-MODELLO.db") {
        writeVersion1File(path, OldFile::Template);
    } else if (file == u"VECCHIO-CATALOGO.db") {
        writeVersion1File(path, OldFile::Catalogue);
    } else if (file.startsWith(QStringLiteral("TRONCO"))) {
        const QByteArray whole = readFileBytes(demo);
        writeBytes(path, whole.left(file == u"TRONCO.db" ? whole.size() / 2 : 60));
    } else if (file == u"RUMORE.db") {
        QByteArray noise(8192, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) % 251);
        writeBytes(path, noise);
    } else if (file == u"VUOTO.db") {
        writeBytes(path, {});
    } else if (file == u"ALTRO.db") {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "create table tabInfo (Consegna text); insert into tabInfo values ('1')",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    } else if (file == u"MONCO.db") {
        QVERIFY(QFile::copy(demo, path));
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "drop table tabDocumento; drop table tabInfo", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    }
    const QByteArray before = readFileBytes(path);

    cConnessione c;
    QVERIFY(!c.ApriConnessione(path));
    QVERIFY(!c.isOpen());
    QVERIFY2(c.lastErrorMessage().contains(reason), qPrintable(c.lastErrorMessage()));
    // File > Apri: the system's message, then what the file is; nothing is open afterwards.
    t.dialogs().clear();
    QVERIFY(!ApriArchivio(t.state(), path));
    QVERIFY(!t.state().ArchivioAperto);
    QVERIFY(!t.state().Connessione.isOpen());
    const QStringList lines = t.dialogs().lastText().split(u'\n');
    QCOMPARE(t.dialogs().shown().size(), size_t(1));
    QCOMPARE(lines.first(), QStringLiteral("Errore nell'apertura del db"));
    QVERIFY(lines.size() >= 2);
    QVERIFY2(lines[1].contains(reason), qPrintable(lines[1]));
    // Refused untouched (a file of the previous version is only re-marked when opened as what it is).
    QCOMPARE(readFileBytes(path), before);
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-journal")));
}

void StoreFiles::eachConnectionOpensItsOwnKind() {
    TestHome t;
    const QString archive = t.createArchive();
    struct Case {
        QString path;
        FileKind kind;
        bool opens;
    };
    const QList<Case> cases = {
        {t.home().templatePath(), FileKind::Template, true},
        {t.home().templatePath(), FileKind::Catalogue, false},
        {t.home().cataloguePath(), FileKind::Catalogue, true},
        {t.home().cataloguePath(), FileKind::Template, false},
        {archive, FileKind::Template, false},
        {archive, FileKind::Catalogue, false},
        {archive, FileKind::DeliveryArchive, true},
    };
    for (const Case& k : cases) {
        cConnessione c;
        QVERIFY2(c.ApriConnessione(k.path, k.kind) == k.opens,
                 qPrintable(k.path + u'\n' + c.lastErrorMessage()));
    }
    // The catalogue connection of the application opens the catalogue.
    QVERIFY(ApriCatalogo(t.state()));
    ChiudiCatalogo(t.state());
}

void StoreFiles::homeOfThePreviousVersionIsRemarked() {
    TestHome t;
    writeVersion1File(t.home().templatePath(), OldFile::Template);
    writeVersion1File(t.home().cataloguePath(), OldFile::Catalogue);
    const QString oldArchive = t.home().mdbPath(QStringLiteral("VECCHIO.db"));
    writeVersion1File(oldArchive, OldFile::Archive, QStringLiteral("31"));
    // Archives can be made from the old template before the home is brought up to date.
    const QString made = t.createArchive(QStringLiteral("DAL-VECCHIO"));
    QCOMPARE(numberFrom(made, QStringLiteral("PRAGMA application_id")), qint64(cConnessione::kApplicationId));
    QCOMPARE(numberFrom(made, QStringLiteral("PRAGMA user_version")), qint64(cConnessione::kSchemaVersion));
    QVERIFY(QFileInfo::exists(t.home().templatePath()));

    QVERIFY(t.home().ensureLayout().isEmpty());
    QCOMPARE(numberFrom(t.home().templatePath(), QStringLiteral("PRAGMA application_id")),
             qint64(cConnessione::kTemplateApplicationId));
    QCOMPARE(numberFrom(t.home().templatePath(), QStringLiteral("PRAGMA user_version")),
             qint64(cConnessione::kSchemaVersion));
    QCOMPARE(numberFrom(t.home().cataloguePath(), QStringLiteral("PRAGMA application_id")),
             qint64(cConnessione::kCatalogueApplicationId));
    QVERIFY(numberFrom(t.home().cataloguePath(), QStringLiteral("select count(*) from tabCatalogo")) >= 300);
    QCOMPARE(integrityOf(t.home().templatePath()), QStringLiteral("ok"));
    // Once: a second start finds nothing to do.
    const QByteArray templateAfter = readFileBytes(t.home().templatePath());
    t.home().ensureLayout();
    QCOMPARE(readFileBytes(t.home().templatePath()), templateAfter);
    // An archive of the previous version stays an archive, keeps its mark and opens.
    QVERIFY(t.open(oldArchive));
    QCOMPARE(t.state().Consegna(), QStringLiteral("31"));
    QCOMPARE(numberFrom(oldArchive, QStringLiteral("PRAGMA application_id")),
             qint64(cConnessione::kApplicationId));
}

void StoreFiles::openingWaitsForALock() {
    TestHome t;
    const QString path = t.createArchive();
    QElapsedTimer clock;
    {
        ForeignLock lock(path, 700);
        clock.start();
        cConnessione c;
        QVERIFY2(c.ApriConnessione(path), qPrintable(c.lastErrorMessage()));
        QVERIFY(clock.elapsed() >= 500);
        QCOMPARE(c.ApriRS(QStringLiteral("select count(*) from tabInfo")).field(0).toLongLong(), 1);
    }
}

void StoreFiles::aLockThatOutlastsTheWaitIsExplained() {
    TestHome t;
    const QString path = t.createArchive();
    ForeignLock lock(path, cConnessione::kBusyTimeoutMs + 1500);
    QElapsedTimer clock;
    clock.start();
    t.dialogs().clear();
    QVERIFY(!ApriArchivio(t.state(), path));
    QVERIFY(clock.elapsed() >= cConnessione::kBusyTimeoutMs - 100);
    const QStringList lines = t.dialogs().lastText().split(u'\n');
    QCOMPARE(lines.value(0), QStringLiteral("Errore nell'apertura del db"));
    QVERIFY2(lines.value(1).contains(QStringLiteral("in uso da un altro programma")),
             qPrintable(lines.join(u'|')));
    QVERIFY(lines.value(2).startsWith(QStringLiteral("Dettaglio tecnico: ")));
    QVERIFY(!t.state().ArchivioAperto);
}

void StoreFiles::typedNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("made");
    QTest::newRow("as operators type it") << "cons.mdb"
                                          << "CONS.db";
    QTest::newRow("upper-case extension") << "cons.MDB"
                                          << "CONS.db";
    QTest::newRow("our extension") << "cons.db"
                                   << "CONS.db";
    QTest::newRow("no extension") << "cons"
                                  << "CONS.db";
    QTest::newRow("both, as a file dialog adds one") << "cons.mdb.db"
                                                     << "CONS.db";
    QTest::newRow("a dot in the name") << "cons.2026"
                                       << "CONS.2026.db";
    QTest::newRow("accented") << "perché.mdb"
                              << "PERCHÉ.db";
    QTest::newRow("extension alone") << ".mdb"
                                     << "";
    QTest::newRow("line break") << "cons\n1"
                                << "";
    QTest::newRow("control character") << "cons\x7f"
                                       << "";
    QTest::newRow("device name of Windows") << "com1.mdb"
                                            << "";
}

void StoreFiles::typedNames() {
    QFETCH(QString, typed);
    QFETCH(QString, made);
    TestHome t;
    const NuovoArchivio result = CreaArchivio(t.state(), t.home().mdbPath(typed), kInfo);
    if (made.isEmpty()) {
        QCOMPARE(result.esito, EsitoNuovoArchivio::NomeNonValido);
        return;
    }
    QCOMPARE(result.esito, EsitoNuovoArchivio::Creato);
    QCOMPARE(QFileInfo(result.path).fileName(), made);
    QVERIFY(QFileInfo::exists(t.home().mdbPath(made)));
    // The command line finds it again by the name typed.
    QCOMPARE(t.home().archivePath(typed), t.home().mdbPath(made));
}

void StoreFiles::bareNamesFoundWithoutRegardToCase() {
    TestHome t;
    const QString cons1 = t.createArchive(QStringLiteral("cons1"));
    QCOMPARE(cons1, t.home().mdbPath(QStringLiteral("CONS1.db")));
    for (const QString& name : {QStringLiteral("cons1"), QStringLiteral("Cons1"), QStringLiteral("cons1.db"),
                                QStringLiteral("CONS1.mdb")})
        QCOMPARE(t.home().archivePath(name), cons1);
    // An exact name wins over another case of it; a path is taken as it is.
    writeBytes(t.home().mdbPath(QStringLiteral("cons1.db")), "x");
    QCOMPARE(t.home().archivePath(QStringLiteral("cons1")), t.home().mdbPath(QStringLiteral("cons1.db")));
    QCOMPARE(t.home().archivePath(QStringLiteral("CONS1")), cons1);
    QCOMPARE(t.home().archivePath(t.root() + QStringLiteral("/altrove/x.db")),
             t.root() + QStringLiteral("/altrove/x.db"));
    // Not found: the name in mdb/, for the message.
    QCOMPARE(t.home().archivePath(QStringLiteral("nessuno")), t.home().mdbPath(QStringLiteral("nessuno.db")));
}

QTEST_GUILESS_MAIN(StoreFiles)
#include "tst_store_files.moc"
