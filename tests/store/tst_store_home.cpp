// The home folder, the template, the catalogue, the demo archive and the text outputs.

#include "store/HomeFolder.h"
#include "store/SezioniIni.h"
#include "store/Template.h"
#include "store/TextOutput.h"
#include "support/CliRun.h"
#include "support/TestHome.h"

#include <QtTest>
#include <limits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

class StoreHome : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutIsCreatedAndNeverOverwritten();
    void everyTableAndColumnOfTheSchema();
    void lookupDataTheSystemReliesOn();
    void codeListsAreConsecutive();
    void catalogueHasRealActs();
    void demoArchive();
    void archivePathFromCommandLine_data();
    void archivePathFromCommandLine();
    void windows1252WithCrLf();
    void utf8WhenTheSettingsSaySo();
    void settingsThatCannotBeReadStopThePrograms_data();
    void settingsThatCannotBeReadStopThePrograms();
    void aFullDiskIsAWriteError();
    void htmlOfUnusualCharacters_data();
    void htmlOfUnusualCharacters();
    void numberingHoldsAtTheEndsOfTheRange();
    void picturesAreBitmaps();
    void headNotJustified();
    void refreshHead_data();
    void refreshHead();
};

void StoreHome::layoutIsCreatedAndNeverOverwritten() {
    QTemporaryDir dir;
    const HomeFolder home(dir.filePath(QStringLiteral("casa")));
    const QStringList created = home.ensureLayout();
    QVERIFY(created.contains(home.templatePath()));
    QVERIFY(created.contains(home.cataloguePath()));
    QVERIFY(QFileInfo(home.dumpDir()).isDir());
    const QByteArray head = readFileBytes(home.filePath(QStringLiteral("testata new.rtf")));
    QVERIFY(head.startsWith("{\\rtf1"));
    QVERIFY(head.contains("Consegna xxx"));
    // The head opens the document and leaves it open for the print to close.
    QCOMPARE(head.count('{') - head.count('}'), 1);

    QFile ini(home.settingsPath());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[output]\nencoding=utf-8\n");
    ini.close();
    const QByteArray templateBefore = readFileBytes(home.templatePath());
    QVERIFY(home.ensureLayout().isEmpty());
    QCOMPARE(readFileBytes(home.settingsPath()), QByteArray("[output]\nencoding=utf-8\n"));
    QCOMPARE(readFileBytes(home.templatePath()), templateBefore);
    QCOMPARE(Settings::load(home).encoding, TextEncoding::Utf8);
    QCOMPARE(Settings::load(home).celexBase, QStringLiteral("https://eur-lex.europa.eu"));
}

void StoreHome::everyTableAndColumnOfTheSchema() {
    TestHome t;
    QVERIFY(t.state().Connessione.ApriConnessione(t.home().templatePath(), FileKind::Template));
    const QMap<QString, QStringList> schema = {
        {"tabDocumento",
         {"IDDocumento", "IDRifBibl", "Pagine", "TAbs", "Bib", "TD", "LIN", "LO", "LR", "LA", "DocURL"}},
        {"tabRifBibl", {"IDRifBibl", "IDRivistaOnline", "Data", "Fascicolo", "Volume", "Annata"}},
        {"tabRivisteOnline", {"IDRivistaOnline", "Titolo", "IDPeriodicita"}},
        {"tabTesto", {"IDTesto", "Testo"}},
        {"legameDocTesto", {"IDDoc", "IDTesto", "Tipo"}},
        {"tabResponsabilita", {"IDResponsabilita", "PrimoElemento", "SecondoElemento"}},
        {"legameDocResp", {"IDDoc", "IDResponsabilita", "FlagAutore"}},
        {"legameDocClass", {"ID", "IDDoc", "CodiceS", "CodiceD", "Controllo"}},
        {"tabFonte", {"IDFonte",     "TP",          "articolo",
                      "comma",       "lettera",     "allegato",
                      "ripa",        "ripc",        "numero",
                      "numeroP",     "giorno",      "anno",
                      "mese",        "altro",       "testo",
                      "IDNomeFonte", "IDRegione",   "IDCitta",
                      "IDProvincia", "IDMinistero", "IDAmministrazione",
                      "IDAutorita",  "IDSezione",   "IDStato",
                      "Ordinanza",   "Decreto"}},
        {"legameDocFonte", {"ID", "IDDoc", "IDFonte"}},
        {"tabInfo",
         {"IDCentroSpoglio", "AnnoProduzione", "Consegna", "NumInizio", "Storico", "Celex", "StampaCompleta",
          "StampaSoloTesto", "StampaConsistenze", "StampaProspetto", "VisualizzaErroriGenerici",
          "VisualizzaErroriClasse", "VisualizzaErroriFonti"}},
        {"tabLingua", {"idLingua", "Lingua"}},
        {"tabTAbs", {"IDTAbs", "TipoAbstract"}},
        {"tabTipoDoc", {"IDTD", "TipoDoc"}},
        {"tabBib", {"IDBib", "TipoBibliografia"}},
        {"tabRegione", {"IDRegione", "CodRegione"}},
        {"tabProvincia", {"IDProvincia", "CodProvincia", "provincia"}},
        {"tabCitta", {"IDCitta", "Citta", "Nuovo"}},
        {"tabMinistero", {"IDMinistero", "MinisteroNorm", "Nuovo"}},
        {"tabAmministrazione", {"IDAmministrazione", "AmministrazioneNorm", "Nuovo"}},
        {"tabAutorita", {"IDAutorita", "AutoritaNorm", "Nuovo"}},
        {"tabSezione", {"IDSezione", "Sigla", "Nuovo"}},
        {"tabStato", {"IDStato", "Stato", "Nuovo"}},
        {"tabFonteInterna", {"IDFonteInterna", "FonteNorm", "liv1", "liv2"}},
        {"tabFonteInt", {"IDFonteInt", "FonteInt", "Tipo"}},
        {"tabFonteCom", {"IDFonteCom", "FonteCom", "Tipo", "Settore", "annoF", "Codice"}},
        {"tabFonteCan", {"IDFonteCan", "FonteCan", "Tipo"}},
        {"tabNIT", {"IDNIT", "NIT", "Descrizione", "Numero", "Data", "Fonte"}},
        {"tabSistematici", {"CodiceS", "Descrizione", "Sigla"}},
        {"tabDescrittori", {"CodiceD", "Descrizione"}},
        {"tabLegameDS", {"ID", "NS", "ND"}},
        {"tabLegameDSA", {"ID", "NS", "ND", "CodiceD"}},
    };
    cConnessione& c = t.state().Connessione;
    for (auto it = schema.begin(); it != schema.end(); ++it) {
        QStringList columns;
        RecordSet rs = c.ApriRS(QStringLiteral("select name from pragma_table_info(?)"), {it.key()});
        for (; !rs.eof(); rs.moveNext())
            columns << rs.field(0).toString();
        for (const QString& column : it.value())
            QVERIFY2(columns.contains(column, Qt::CaseSensitive), qPrintable(it.key() + "." + column));
    }
    // tabInfo's flags are never Null in a new archive's row.
    t.state().Connessione.ChiudiConnessione();
    QVERIFY(t.open(t.createArchive()));
    RecordSet rs = t.state().Connessione.ApriRS(QStringLiteral("select * from tabInfo"));
    for (int i = 4; i < InfoCount; ++i)
        QVERIFY(!rs.field(i).isNull());
    QCOMPARE(t.state().Info.value(InfoVisualizzaErroriFonti), QString());
}

void StoreHome::lookupDataTheSystemReliesOn() {
    TestHome t;
    QVERIFY(t.state().Connessione.ApriConnessione(t.home().templatePath(), FileKind::Template));
    cConnessione& c = t.state().Connessione;
    const auto count = [&](const QString& sql, const QVariantList& params = {}) {
        RecordSet rs = c.ApriRS(sql, params);
        return rs.field(0).toLongLong();
    };
    for (const char* name : {"l. cost.",
                             "reg. cam.",
                             "reg. sen.",
                             "C. Cost.",
                             "Cons. giurisd. Camera",
                             "Cass.",
                             "C. Conti",
                             "giur. sport",
                             "l.",
                             "d.l.",
                             "d.lg.",
                             "d.p.r.",
                             "r.d.",
                             "d.p.c.m.",
                             "dir. p.c.m.",
                             "Norme bancarie uniformi",
                             "Comm. I grado",
                             "Comm. II grado",
                             "Comm. prov.",
                             "Comm. reg.",
                             "TAR",
                             "Trib. Acque"})
        QVERIFY2(count(QStringLiteral("select count(*) from tabFonteInterna where FonteNorm = ?"),
                       {QString::fromUtf8(name)}) > 0,
                 name);
    QVERIFY(count(QStringLiteral("select count(*) from tabFonteInterna where liv1 = '2' and liv2 = '8' and "
                                 "FonteNorm like '%r.'")) > 0);
    QVERIFY(count(QStringLiteral(
                "select count(*) from tabFonteInterna where liv1 = '3' and FonteNorm like '%acque%'")) > 0);
    QVERIFY(count(QStringLiteral(
                "select count(*) from tabFonteInterna where liv1 = '3' and FonteNorm like '%brevetti%'")) >
            0);
    QCOMPARE(count(QStringLiteral("select count(*) from tabRegione")), 20);
    QCOMPARE(count(QStringLiteral("select count(*) from tabProvincia where CodProvincia in ('BZ', 'TN')")),
             2);
    QCOMPARE(count(QStringLiteral("select count(*) from tabFonteInt where IDFonteInt = 2 and Tipo = 3")), 1);
    QCOMPARE(count(QStringLiteral(
                 "select count(*) from tabFonteCom where IDFonteCom = 30 and FonteCom = 'Conv. UE'")),
             1);
    for (const char* name :
         {"Reg. P.E.", "Ris. P.E.", "Ris. CE", "Ris. CEE", "Ris. UE", "Reg. CEE", "Reg. CE", "Reg. UE"})
        QVERIFY2(count(QStringLiteral("select count(*) from tabFonteCom where FonteCom = ?"),
                       {QString::fromUtf8(name)}) == 1,
                 name);
    for (const char* code : {"L", "R", "D", "J", "A", "F"})
        QVERIFY2(count(QStringLiteral("select count(*) from tabFonteCom where Codice = ?"),
                       {QString::fromUtf8(code)}) > 0,
                 code);
    QCOMPARE(count(QStringLiteral("select count(*) from tabFonteCan where FonteCan in "
                                  "('C. Iur. Can.', 'Trib. Eccl. Reg.', 'Trib. Eccl. Dioc.')")),
             3);
    QVERIFY(count(QStringLiteral("select count(*) from tabNIT")) >= 30);
    QVERIFY(count(QStringLiteral("select count(*) from tabSistematici")) >= 40);
    QVERIFY(count(QStringLiteral("select count(*) from tabDescrittori where length(CodiceD) = 5")) >= 200);
    QVERIFY(count(QStringLiteral("select count(*) from tabLegameDS")) > 0);
    QVERIFY(count(QStringLiteral(
                "select count(*) from tabLegameDSA where CodiceD like 'A%' and length(CodiceD) = 5")) > 0);
    QVERIFY(count(QStringLiteral("select count(*) from tabRivisteOnline")) >= 20);
    QVERIFY(count(QStringLiteral(
                "select count(*) from tabRivisteOnline where cast(IDRivistaOnline as integer) >= 9000")) > 0);
    for (const char* table :
         {"tabCitta", "tabSezione", "tabMinistero", "tabAmministrazione", "tabAutorita", "tabStato"}) {
        QVERIFY2(count(QStringLiteral("select count(*) from %1").arg(QString::fromUtf8(table))) > 0, table);
        QCOMPARE(
            count(QStringLiteral("select count(*) from %1 where Nuovo <> 0").arg(QString::fromUtf8(table))),
            0);
    }
    QCOMPARE(count(QStringLiteral(
                 "select count(*) from tabTAbs where IDTAbs in ('400','500','600','700','800','900')")),
             6);
    QCOMPARE(count(QStringLiteral("select count(*) from tabDocumento")), 0);
    QCOMPARE(count(QStringLiteral("select count(*) from tabInfo")), 0);
}

void StoreHome::codeListsAreConsecutive() {
    // The document window maps codes to list positions by their number.
    TestHome t;
    QVERIFY(t.state().Connessione.ApriConnessione(t.home().templatePath(), FileKind::Template));
    const QList<std::pair<QString, int>> lists = {{"select idLingua from tabLingua order by idLingua", 0},
                                                  {"select IDTD from tabTipoDoc order by IDTD", 1},
                                                  {"select IDBib from tabBib order by IDBib", 0}};
    for (const auto& [sql, first] : lists) {
        RecordSet rs = t.state().Connessione.ApriRS(sql);
        int expected = first;
        for (; !rs.eof(); rs.moveNext(), ++expected)
            QCOMPARE(rs.field(0).toString().toInt(), expected);
        QVERIFY(expected - first >= 4);
    }
    RecordSet lingua =
        t.state().Connessione.ApriRS(QStringLiteral("select idLingua from tabLingua order by idLingua"));
    QCOMPARE(lingua.field(0).toString(), QStringLiteral("00"));
}

void StoreHome::catalogueHasRealActs() {
    TestHome t;
    cConnessione c;
    QVERIFY(c.ApriConnessione(t.home().cataloguePath(), FileKind::Catalogue));
    RecordSet rs = c.ApriRS(QStringLiteral(
        "select count(*) as n, sum(promulgazione glob '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]') "
        "as iso, count(distinct abbreviazione) as kinds from tabCatalogo"));
    QVERIFY(rs.field(u"n").toLongLong() >= 300);
    QCOMPARE(rs.field(u"iso").toLongLong(), rs.field(u"n").toLongLong());
    QVERIFY(rs.field(u"kinds").toLongLong() >= 6);
    RecordSet privacy =
        c.ApriRS(QStringLiteral("select titolo from tabCatalogo where promulgazione = ? and numero = ? "
                                "and abbreviazione = ?"),
                 {QStringLiteral("2003-06-30"), QStringLiteral("196"), QStringLiteral("d.lgs.")});
    QVERIFY(!privacy.eof());
}

void StoreHome::demoArchive() {
    TestHome t;
    QVERIFY(t.open(t.createDemo()));
    cConnessione& c = t.state().Connessione;
    QCOMPARE(t.state().Consegna(), QStringLiteral("1"));
    const auto count = [&](const QString& sql) { return c.ApriRS(sql).field(0).toLongLong(); };
    QVERIFY(count(QStringLiteral("select count(*) from tabDocumento")) >= 25);
    QCOMPARE(count(QStringLiteral("select count(distinct Tipo) from legameDocTesto")), 8);
    QCOMPARE(count(QStringLiteral("select count(distinct Controllo) from legameDocClass")), 4);
    QVERIFY(count(QStringLiteral("select count(distinct TP) from tabFonte")) >= 15);
    QVERIFY(count(QStringLiteral("select count(*) from tabResponsabilita")) > 0);
    // Every link points at rows that exist.
    QCOMPARE(count(QStringLiteral(
                 "select count(*) from legameDocFonte where IDFonte not in (select IDFonte from tabFonte)")),
             0);
    QCOMPARE(count(QStringLiteral(
                 "select count(*) from legameDocTesto where IDTesto not in (select IDTesto from tabTesto)")),
             0);
    QCOMPARE(count(QStringLiteral("select count(*) from legameDocResp where IDResponsabilita not in "
                                  "(select IDResponsabilita from tabResponsabilita)")),
             0);
    QCOMPARE(
        count(QStringLiteral(
            "select count(*) from tabDocumento where IDRifBibl not in (select IDRifBibl from tabRifBibl) "
            "and IDRifBibl <> 0")),
        0);
}

void StoreHome::archivePathFromCommandLine_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bare name") << "CONS1"
                               << "/h/mdb/CONS1.db";
    QTest::newRow("name with .db") << "/x/y/CONS1.db"
                                   << "/x/y/CONS1.db";
    QTest::newRow("relative path") << "sub/CONS1" << QDir::current().absoluteFilePath("sub/CONS1");
}

void StoreHome::archivePathFromCommandLine() {
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    QCOMPARE(HomeFolder(QStringLiteral("/h")).archivePath(argument), expected);
}

void StoreHome::windows1252WithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nuova/cartella/errori.1"));
    {
        TextOutput out;
        out.open(path, TextOutput::Mode::Truncate, TextEncoding::Windows1252);
        out.writeLine(u"Città è – “già” € 😀");
        out.writeLine();
        out.close();
    }
    QCOMPARE(readFileBytes(path), QByteArray("Citt\xe0 \xe8 \x96 \x93gi\xe0\x94 \x80 ?\r\n\r\n"));
    {
        TextOutput out;
        out.open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
        out.writeLine(u"poi");
        out.close();
    }
    QVERIFY(readFileBytes(path).endsWith("\r\n\r\npoi\r\n"));
    bool ok = false;
    QCOMPARE(readTextLines(path, TextEncoding::Windows1252, &ok),
             (QStringList{QStringLiteral("Città è – “già” € ?"), QString(), QStringLiteral("poi")}));
    QVERIFY(ok);
    readTextLines(dir.filePath(QStringLiteral("manca")), TextEncoding::Windows1252, &ok);
    QVERIFY(!ok);
    TextOutput refused;
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        refused.open(QStringLiteral("/proc/quillaro/x"), TextOutput::Mode::Truncate, TextEncoding::Utf8));
}

// quillaro.ini that cannot be read as a file of settings: never taken for an empty one (the
// outputs would switch encoding without a word), never waited on (a FIFO) or read without end (a
// device): the programs refuse to start with the reason.
void StoreHome::settingsThatCannotBeReadStopThePrograms_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("device") << "device";
    QTest::newRow("folder") << "folder";
    QTest::newRow("larger than 1 MiB") << "huge";
    QTest::newRow("unreadable") << "unreadable";
}

void StoreHome::settingsThatCannotBeReadStopThePrograms() {
#ifndef Q_OS_UNIX
    QSKIP("FIFOs, devices and permissions of Unix");
#else
    QFETCH(QString, kind);
    TestHome t;
    const QString ini = t.home().settingsPath();
    QVERIFY(QFile::remove(ini));
    if (kind == u"fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    } else if (kind == u"device") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ini));
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkpath(ini));
    } else if (kind == u"huge") {
        QVERIFY(writeFileBytes(ini, "[output]\nencoding=utf-8\n" + QByteArray(2 * 1024 * 1024, ';')));
    } else {
        if (geteuid() == 0)
            QSKIP("root reads a file whatever its permissions");
        QVERIFY(writeFileBytes(ini, "[output]\nencoding=utf-8\n"));
        QVERIFY(QFile::setPermissions(ini, QFileDevice::WriteOwner));
    }
    QElapsedTimer clock;
    clock.start();
    const Settings settings = Settings::load(t.home());
    QVERIFY2(settings.errore.startsWith(QStringLiteral("Il file delle impostazioni ") + ini),
             qPrintable(settings.errore));
    QVERIFY(LeggiSezioneIni(ini, QStringLiteral("recenti")).isEmpty());
    QString errore;
    QVERIFY(!ScriviSezioneIni(ini, QStringLiteral("recenti"), {}, {}, &errore));
    QCOMPARE(errore, settings.errore);
    const CliRun r = cli({QStringLiteral("--home"), t.root(), QStringLiteral("info"), QStringLiteral("X")});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.err.trimmed(), settings.errore);
    QVERIFY2(clock.elapsed() < 10000, "waited on the file");
    QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
}

void StoreHome::utf8WhenTheSettingsSaySo() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.1"));
    TextOutput out;
    out.open(path, TextOutput::Mode::Truncate, TextEncoding::Utf8);
    out.writeLine(u"Città 😀");
    out.close();
    QCOMPARE(readFileBytes(path), QByteArray("Citt\xc3\xa0 \xf0\x9f\x98\x80\r\n"));
}

void StoreHome::aFullDiskIsAWriteError() {
    // /dev/full takes the open and refuses every write, as a full disk does: the output, written
    // in a temporary file there, is refused when it is put in place.
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("errori.12"));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), link));
    TextOutput out;
    out.open(link, TextOutput::Mode::Append, TextEncoding::Windows1252);
    out.writeLine(u"Consegna 12");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, out.close());
    QVERIFY(!out.isOpen());
}

void StoreHome::htmlOfUnusualCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("html");
    QTest::newRow("markup") << QStringLiteral("<a href=\"x\">&'")
                            << QStringLiteral("&lt;a href=&quot;x&quot;&gt;&amp;&#39;");
    QTest::newRow("outside ASCII") << QStringLiteral("Łódź 😀")
                                   << QStringLiteral("&#321;&#243;d&#378; &#128512;");
    QTest::newRow("tab and line breaks") << QStringLiteral("a\tb\r\nc") << QStringLiteral("a\tb\r\nc");
    QTest::newRow("control characters")
        << (QStringLiteral("a") + QChar(0) + QChar(1) + QChar(0x1b) + QChar(0x7f) + u'b')
        << QStringLiteral("a&#65533;&#65533;&#65533;&#65533;b");
    QTest::newRow("broken surrogate pair") << (QStringLiteral("x") + QChar(0xD83D) + u'y' + QChar(0xDE00))
                                           << QStringLiteral("x&#65533;y&#65533;");
}

void StoreHome::htmlOfUnusualCharacters() {
    QFETCH(QString, text);
    QFETCH(QString, html);
    QCOMPARE(htmlEscape(text), html);
}

void StoreHome::numberingHoldsAtTheEndsOfTheRange() {
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    QCOMPARE(NumeroSpostato(1, 29), 30);
    QCOMPARE(NumeroSpostato(5, -1), 4);
    QCOMPARE(NumeroSpostato(max, 1), max);
    QCOMPARE(NumeroSpostato(max - 3, 30), max);
    QCOMPARE(NumeroSpostato(min, -1), min);
    QCOMPARE(NumeroSpostato(-5, min), min);
}

void StoreHome::picturesAreBitmaps() {
    TestHome t;
    for (const QString& name : HomeFolder::pictureNames()) {
        const QByteArray bmp = readFileBytes(t.home().filePath(name));
        QVERIFY2(bmp.startsWith("BM"), qPrintable(name));
        QCOMPARE(bmp.size(), 54 + 32 * 32 * 3);
    }
    QVERIFY(readFileBytes(t.home().filePath(QStringLiteral("write.bmp"))) !=
            readFileBytes(t.home().filePath(QStringLiteral("write-r.bmp"))));
}

// LibreOffice applies the Normal style's alignment after every \pard of the print: a justified style
// would stretch each "Fonte:" line ended by \line across the page.
void StoreHome::headNotJustified() {
    const QByteArray head = readDataResource(QStringLiteral("testata new.rtf"));
    const qsizetype style = head.indexOf("{\\stylesheet{");
    QVERIFY(style >= 0);
    const QByteArray normal = head.mid(style, head.indexOf("Normal;", style) - style);
    QVERIFY2(!normal.contains("\\qj") && !normal.contains("\\qd"), normal.constData());
}

void StoreHome::refreshHead_data() {
    QTest::addColumn<QByteArray>("own");       // the home's head before; empty: none
    QTest::addColumn<QByteArray>("oldBackup"); // a backup left by an earlier refresh; empty: none
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QString>("backupName");
    QTest::newRow("no head") << QByteArray() << QByteArray() << true << QString();
    QTest::newRow("installed head") << QByteArray("=installed") << QByteArray() << false << QString();
    QTest::newRow("own head") << QByteArray("{\\rtf1 {\\stylesheet{\\qj Normal;}} Consegna xxx")
                              << QByteArray() << true << QStringLiteral("testata new.rtf.bak");
    QTest::newRow("own head, backup taken") << QByteArray("{\\rtf1 mine") << QByteArray("{\\rtf1 older")
                                            << true << QStringLiteral("testata new.rtf.bak.2");
}

void StoreHome::refreshHead() {
    QFETCH(QByteArray, own);
    QFETCH(QByteArray, oldBackup);
    QFETCH(bool, replaced);
    QFETCH(QString, backupName);
    QTemporaryDir dir;
    const HomeFolder home(dir.path());
    home.ensureLayout();
    const QByteArray installed = readDataResource(QStringLiteral("testata new.rtf"));
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    };
    if (own.isEmpty())
        QVERIFY(QFile::remove(home.headPath()));
    else if (own != "=installed")
        write(home.headPath(), own);
    if (!oldBackup.isEmpty())
        write(home.headPath() + QStringLiteral(".bak"), oldBackup);

    const HomeFolder::RefreshedHead result = home.refreshHead();
    QCOMPARE(result.replaced, replaced);
    QCOMPARE(result.backup, backupName.isEmpty() ? QString() : home.filePath(backupName));
    QCOMPARE(readFileBytes(home.headPath()), installed);
    if (!backupName.isEmpty())
        QCOMPARE(readFileBytes(result.backup), own);
    if (!oldBackup.isEmpty())
        QCOMPARE(readFileBytes(home.headPath() + QStringLiteral(".bak")), oldBackup);
    // A second refresh has nothing to do and keeps every backup.
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QVERIFY(!home.refreshHead().replaced);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
}

QTEST_GUILESS_MAIN(StoreHome)
#include "tst_store_home.moc"
