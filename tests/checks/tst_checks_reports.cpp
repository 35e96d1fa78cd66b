// The new-entries and compiler-notes extractions, the CELEX and HUDOC pages, and the commands
// that run them from the command line.

#include "FixtureControlli.h"
#include "app/cli/Cli.h"
#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"
#include "checks/Uscite.h"
#include "store/Archivio.h"

namespace {

QString dump(TestHome& t, const QString& nome) {
    return t.home().dumpPath(nome);
}

const char* const kCelexLink =
    "<U><FONT SIZE=\"2\" COLOR=\"#0000ff\">[recupera via CELEX]</U></FONT></A><br>";
const char* const kHudocLink =
    "<U><FONT SIZE=\"2\" COLOR=\"#0000ff\">[recupera via HUDOC]</U></FONT></A><br>";

QString celex(const QString& testo, const QString& numero) {
    return testo +
           QStringLiteral(" ---> <A HREF=\"https://eur-lex.europa.eu/LexUriServ/LexUriServ.do?uri=CELEX:") +
           numero + QStringLiteral(":IT:NOT\">") + QString::fromLatin1(kCelexLink);
}

// Four documents: EU sources on 1, 3 and 4; none on 2, which still takes its number.
void fontiEuropee(ArchivioProva& a) {
    const auto com = [&](const char* nome, const QVariant& settore, const QVariant& annoF,
                         const char* codice) {
        a.db().EseguiIstruzione(
            QStringLiteral(
                "insert into tabFonteCom (FonteCom, Tipo, Settore, annoF, Codice) values (?, 1, ?, ?, ?)"),
            {QString::fromUtf8(nome), settore, annoF, QString::fromUtf8(codice)});
        return a.db().lastInsertId();
    };
    const qint64 dir = com("dir. prova", QStringLiteral("3"), QVariant(), "L");
    const qint64 giust = com("C. giust. prova", QStringLiteral("6"), QVariant(), "J");
    const qint64 tratt = com("Tratt. prova", QStringLiteral("1"), QStringLiteral("1957"), "E");
    const qint64 racc = com("racc. prova", QVariant(), QVariant(), "H");
    const auto eu = [&](const QString& tp, qint64 nome, const QVariantMap& altri) {
        QVariantMap c = altri;
        c[QStringLiteral("TP")] = tp;
        c[QStringLiteral("IDNomeFonte")] = nome;
        return a.fonte(c);
    };
    Doc d1;
    d1.testi = {{QStringLiteral("0"), QStringLiteral("Diritto <UE> & città")}};
    d1.fonti << eu(QStringLiteral("NIC"), dir,
                   {{QStringLiteral("anno"), QStringLiteral("1992")},
                    {QStringLiteral("numero"), QStringLiteral("43")},
                    {QStringLiteral("testo"), QStringLiteral("dir. 92/43/CEE")}})
             << eu(QStringLiteral("GEC"), giust,
                   {{QStringLiteral("altro"), QStringLiteral("causa C-6/90")},
                    {QStringLiteral("testo"), QStringLiteral("C. giust. 2 febbraio 1990, C-6/90")}});
    a.documento(d1);
    a.documento(Doc{});
    Doc d3;
    d3.testi = {{QStringLiteral("0"), QStringLiteral("Terzo")}};
    d3.fonti << eu(QStringLiteral("NIC"), racc,
                   {{QStringLiteral("testo"), QStringLiteral("racc. senza settore")}})
             << eu(QStringLiteral("NIC"), tratt,
                   {{QStringLiteral("articolo"), QStringLiteral("85")},
                    {QStringLiteral("testo"), QStringLiteral("art. 85 Tratt. CE")}});
    a.documento(d3);
    Doc d4;
    d4.testi.clear();
    d4.fonti << eu(QStringLiteral("GEC"), giust,
                   {{QStringLiteral("altro"), QStringLiteral("sentenza senza numero")},
                    {QStringLiteral("ordinanza"), -1},
                    {QStringLiteral("testo"), QStringLiteral("C. giust. ord.")}});
    a.documento(d4);
}

QStringList paginaCelex(const QString& titolo) {
    return {QStringLiteral("<HTML>"),
            QStringLiteral("<HEAD>"),
            titolo,
            QStringLiteral("</HEAD>"),
            QStringLiteral("<BODY>"),
            QStringLiteral("<h1>Consegna 12</h1>"),
            QStringLiteral("<h2>Documento: 202630001 (Record: 1)</h2>"),
            QStringLiteral("<h3>Diritto &lt;UE&gt; &amp; citt&#224;</h3>"),
            celex(QStringLiteral("dir. 92/43/CEE"), QStringLiteral("31992L0043")),
            celex(QStringLiteral("C. giust. 2 febbraio 1990, C-6/90"), QStringLiteral("61990CJ0006")),
            QStringLiteral("<hr size=\"1\"/>"),
            QStringLiteral("<h2>Documento: 202630003 (Record: 3)</h2>"),
            QStringLiteral("<h3>Terzo</h3>"),
            celex(QStringLiteral("art. 85 Tratt. CE"), QStringLiteral("11957E085")),
            QStringLiteral("<hr size=\"1\"/>"),
            QStringLiteral("<h2>Documento: 202630004 (Record: 4)</h2>"),
            celex(QStringLiteral("C. giust. ord."), QStringLiteral("%20")),
            QStringLiteral("</BODY>"),
            QStringLiteral("</HTML>")};
}

// Lookup rows, new and old, used by the sources of two documents.
void nuoveVoci(ArchivioProva& a) {
    const auto voce = [&](const char* sql, const char* valore) {
        a.db().EseguiIstruzione(QString::fromUtf8(sql), {QString::fromUtf8(valore)});
        return a.db().lastInsertId();
    };
    const qint64 idLodi = voce("insert into tabCitta (Citta, Nuovo) values (?, 1)", "Lodi");
    const qint64 idPaullo = voce("insert into tabCitta (Citta, Nuovo) values (?, 0)", "Paullo");
    const qint64 idSezione = voce("insert into tabSezione (Sigla, Nuovo) values (?, 1)", "III bis");
    const qint64 idMinistero =
        voce("insert into tabMinistero (MinisteroNorm, Nuovo) values (?, 0)", "min. prova");
    voce("insert into tabStato (Stato, Nuovo) values (?, 1)", "Francia nuova");
    const qint64 lodi = a.fonte({{QStringLiteral("TP"), QStringLiteral("GIO")},
                                 {QStringLiteral("IDCitta"), idLodi},
                                 {QStringLiteral("testo"), QStringLiteral("Trib. Lodi")}});
    const qint64 milano = a.fonte({{QStringLiteral("TP"), QStringLiteral("GIO")},
                                   {QStringLiteral("IDCitta"), idPaullo},
                                   {QStringLiteral("IDSezione"), idSezione},
                                   {QStringLiteral("testo"), QStringLiteral("Trib. Paullo, sez. III bis")}});
    const qint64 ministero = a.fonte({{QStringLiteral("TP"), QStringLiteral("LIOA")},
                                      {QStringLiteral("IDMinistero"), idMinistero},
                                      {QStringLiteral("testo"), QStringLiteral("d.m. giust.")}});
    Doc d1;
    d1.fonti = {lodi, ministero};
    a.documento(d1);
    Doc d2;
    d2.fonti = {milano, lodi};
    a.documento(d2);
}

QStringList sezioniNuovi(const QString& autorita) {
    return {QStringLiteral("Nuovi inserimenti in tabStato"),
            QStringLiteral("Nessuna novità in tabStato"),
            QString(),
            QStringLiteral("Nuovi inserimenti in tabCitta"),
            QStringLiteral("Nuovo: Lodi (1)"),
            QStringLiteral("Nuovo: Lodi (2)"),
            QString(),
            QStringLiteral("Nuovi inserimenti in tabSezione"),
            QStringLiteral("Nuovo: III bis (2)"),
            QString(),
            QStringLiteral("Nuovi inserimenti in tabMinistero"),
            QStringLiteral("Nessuna novità in tabMinistero"),
            QString(),
            QStringLiteral("Nuovi inserimenti in tabAmministrzione"),
            QStringLiteral("Nessuna novità in tabAmministrazione"),
            QString(),
            QStringLiteral("Nuovi inserimenti in tabAutorita"),
            autorita,
            QString()};
}

int cli(const QStringList& args, QString* out, QString* err) {
    QTextStream o(out);
    QTextStream e(err);
    return runCli(args, o, e);
}

} // namespace

class ChecksReports : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codiceCelex_data() {
        QTest::addColumn<QString>("settore");
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("articolo");
        QTest::addColumn<QString>("annoF");
        QTest::addColumn<QString>("altro");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("anno");
        QTest::addColumn<bool>("ordinanza");
        QTest::addColumn<QString>("atteso");
        const QString v;
        QTest::newRow("direttiva 43/1992") << "3"
                                           << "L" << v << v << v << "43"
                                           << "1992" << false << "31992L0043";
        QTest::newRow("sentenza C-6/90") << "6"
                                         << "J" << v << v << "C-6/90" << v << v << false << "61990CJ0006";
        QTest::newRow("ordinanza C-6/90") << "6"
                                          << "J" << v << v << "C-6/90" << v << v << true << "61990CO0006";
        QTest::newRow("tribunale T-12/03") << "6"
                                           << "A" << v << v << "T-12/03" << v << v << false << "62003TJ0012";
        QTest::newRow("funzione pubblica F-1/05")
            << "6"
            << "F" << v << v << "(F-1/05)" << v << v << true << "62005FO0001";
        QTest::newRow("causa 123/99")
            << "6"
            << "J" << v << v << "Causa 123/99, Rossi" << v << v << false << "61999CJ0123";
        QTest::newRow("marcatore minuscolo") << "6"
                                             << "J" << v << v << "c-6/90" << v << v << false << "61990CJ0006";
        QTest::newRow("anno 49 e 2049") << "6"
                                        << "J" << v << v << "C-1/49" << v << v << false << "62049CJ0001";
        QTest::newRow("anno 50 e 1950") << "6"
                                        << "J" << v << v << "C-1/50" << v << v << false << "61950CJ0001";
        QTest::newRow("trattato art. 85") << "1"
                                          << "E"
                                          << "85"
                                          << "1957" << v << v << v << false << "11957E085";
        QTest::newRow("trattato art. 85a") << "1"
                                           << "E"
                                           << "85a"
                                           << "1957" << v << v << v << false << "11957E085a";
        QTest::newRow("trattato art. K3") << "1"
                                          << "M"
                                          << "K3"
                                          << "1992" << v << v << v << false << "11992MK03";
        QTest::newRow("trattato art. j1") << "1"
                                          << "M"
                                          << "j1"
                                          << "1992" << v << v << v << false << "11992Mj01";
        QTest::newRow("trattato art. K12") << "1"
                                           << "M"
                                           << "K12"
                                           << "1992" << v << v << v << false << "11992MK12";
        QTest::newRow("trattato art. 1234") << "1"
                                            << "E"
                                            << "1234"
                                            << "1957" << v << v << v << false << "11957E1234";
        QTest::newRow("trattato senza articolo") << "1"
                                                 << "E" << v << "1957" << v << v << v << false << "";
        QTest::newRow("senza altro") << "6"
                                     << "J" << v << v << v << v << v << false << " ";
        QTest::newRow("corte sconosciuta") << "6"
                                           << "X" << v << v << "C-6/90" << v << v << false << " ";
        QTest::newRow("senza marcatore") << "6"
                                         << "J" << v << v << "6/90" << v << v << false << " ";
        QTest::newRow("senza barra") << "6"
                                     << "J" << v << v << "C-6" << v << v << false << " ";
        QTest::newRow("anno di una cifra") << "6"
                                           << "J" << v << v << "C-6/9" << v << v << false << " ";
        QTest::newRow("settore 2") << "2"
                                   << "L" << v << v << v << "43"
                                   << "1992" << false << "";
    }

    void codiceCelex() {
        QFETCH(QString, settore);
        QFETCH(QString, codice);
        QFETCH(QString, articolo);
        QFETCH(QString, annoF);
        QFETCH(QString, altro);
        QFETCH(QString, numero);
        QFETCH(QString, anno);
        QFETCH(bool, ordinanza);
        QFETCH(QString, atteso);
        QCOMPARE(CodiceCelex(settore, codice, articolo, annoF, altro, numero, anno, ordinanza), atteso);
    }

    void nomeHudoc_data() {
        QTest::addColumn<QString>("altro");
        QTest::addColumn<QString>("nome");
        QTest::newRow("e") << "C. eur. dir. uomo (Rossi e Bianchi c. Italia)"
                           << "Rossi and Bianchi ";
        QTest::newRow("E maiuscola") << "(Rossi E Bianchi c. Italia)"
                                     << "Rossi and Bianchi ";
        QTest::newRow("et al.") << "(Rossi et al. c. Italia)"
                                << "Rossi and others ";
        QTest::newRow("senza parentesi") << "Rossi c. Italia"
                                         << "Rossi ";
        QTest::newRow("senza c.") << "(Rossi contro Italia)"
                                  << "";
        QTest::newRow("vuoto") << ""
                               << "";
    }

    void nomeHudoc() {
        QFETCH(QString, altro);
        QFETCH(QString, nome);
        QCOMPARE(NomeHudoc(altro), nome);
    }

    void celexPage() {
        TestHome t;
        ArchivioProva a(t);
        fontiEuropee(a);
        const QString path = StampaCelex(t.state());
        QCOMPARE(path, dump(t, QStringLiteral("StampaHTML 12.html")));
        QCOMPARE(readFileBytes(path), righe(paginaCelex(QStringLiteral("<TITLE>Consegna 12</TITLE>"))));
        QCOMPARE(t.dialogs().texts(), QStringList{QStringLiteral("Fine stampa HTML (consegna 12)")});
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info[InfoCelex], QStringLiteral("1"));
    }

    void celexPagesAppendInUpdateMode() {
        TestHome t;
        ArchivioProva a(t);
        fontiEuropee(a);
        t.state().ModoAggiornamento = true;
        t.state().SiglaAggiornamento = QStringLiteral("abc");
        t.state().FileScelto = dump(t, QStringLiteral("StampaHTML abc.htm"));
        StampaCelex(t.state());
        StampaCelex(t.state());
        const QByteArray pagina =
            righe(paginaCelex(QStringLiteral("<TITLE>Aggiornamento abc</TITLE>")) + QStringList{QString()});
        QCOMPARE(readFileBytes(t.state().FileScelto), pagina + pagina);
    }

    // The addresses of quillaro.ini, made safe for the attribute they go in.
    void serviceBasesComeFromSettings() {
        TestHome t;
        QFile ini(t.home().settingsPath());
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[services]\ncelex=http://lex.example/\nhudoc=\"http://h.example/x'y&z\"\n");
        ini.close();
        t.state().settings = Settings::load(t.home());
        ArchivioProva a(t);
        fontiEuropee(a);
        Doc d;
        d.fonti << a.fonte({{QStringLiteral("TP"), QStringLiteral("GEI")},
                            {QStringLiteral("IDNomeFonte"), 2},
                            {QStringLiteral("altro"), QStringLiteral("(Rossi c. Italia)")},
                            {QStringLiteral("testo"), QStringLiteral("Rossi")}});
        a.documento(d);
        const QString celex = QString::fromLatin1(readFileBytes(StampaCelex(t.state())));
        QVERIFY(celex.contains(QStringLiteral(
            "<A HREF=\"http://lex.example/LexUriServ/LexUriServ.do?uri=CELEX:31992L0043:IT:NOT\">")));
        const QString hudoc = QString::fromLatin1(readFileBytes(StampaHudoc(t.state())));
        QVERIFY2(hudoc.contains(QStringLiteral(
                     "HREF='http://h.example/x&#39;y&amp;z/eng#{\"docname\":[\"Rossi%20\"]}'>")),
                 qPrintable(hudoc));
    }

    void hudocPage() {
        TestHome t;
        ArchivioProva a(t);
        const auto gei = [&](int nome, const QString& altro, const QString& testo) {
            return a.fonte({{QStringLiteral("TP"), QStringLiteral("GEI")},
                            {QStringLiteral("IDNomeFonte"), nome},
                            {QStringLiteral("altro"), altro},
                            {QStringLiteral("testo"), testo}});
        };
        Doc d;
        d.fonti << gei(2, QStringLiteral("(Rossi e Bianchi c. Italia)"),
                       QStringLiteral("C. eur. dir. uomo 1 gennaio 2000 (Rossi e Bianchi c. Italia)"))
                << gei(3, QStringLiteral("(Verdi c. Italia)"), QStringLiteral("Altra corte"))
                << gei(2, QStringLiteral("O'Brien & Müller c. Irlanda"),
                       QStringLiteral("O'Brien & Müller c. Irlanda"));
        a.documento(d);
        const QString path = StampaHudoc(t.state());
        QCOMPARE(path, dump(t, QStringLiteral("StampaHTML_GEI 12.html")));
        const QString base =
            QStringLiteral(" ---> <A target=\"new\" HREF='https://hudoc.echr.coe.int/eng#{\"docname\":[\"");
        QCOMPARE(
            readFileBytes(path),
            righe({"<HTML>", "<HEAD>", "<TITLE>Consegna 12</TITLE>", "</HEAD>", "<BODY>",
                   "<h1>Consegna 12</h1>", "<h2>Documento: 202630001 (Record: 1)</h2>",
                   "<h3>Titolo del documento</h3>",
                   QStringLiteral("C. eur. dir. uomo 1 gennaio 2000 (Rossi e Bianchi c. Italia)") + base +
                       QStringLiteral("Rossi%20and%20Bianchi%20\"]}'>") + QString::fromLatin1(kHudocLink),
                   QStringLiteral("O'Brien &amp; M&#252;ller c. Irlanda") + base +
                       QStringLiteral("O%27Brien%20%26%20M%C3%BCller%20\"]}'>") +
                       QString::fromLatin1(kHudocLink),
                   "</BODY>", "</HTML>"}));
        QCOMPARE(t.dialogs().texts(), QStringList{QStringLiteral("Fine stampa HTML_GEI (consegna 12)")});
    }

    void newEntries() {
        TestHome t;
        ArchivioProva a(t);
        nuoveVoci(a);
        const QString path = EstraiNuovi(t.state());
        QCOMPARE(path, dump(t, QStringLiteral("nuovi.12")));
        QCOMPARE(readFileBytes(path), righe(sezioniNuovi(QStringLiteral("Nessuna novità in tabAutorita"))));
        QCOMPARE(t.dialogs().texts(),
                 QStringList{QStringLiteral("Fine estrazione nuovi ai documenti (consegna 12)")});
        // "Nessuna novità" in Windows-1252.
        QVERIFY(readFileBytes(path).contains("Nessuna novit\xE0 in tabStato\r\n"));
    }

    // An archive of the old structure, without the column: that section says so, the next ones run.
    void newEntriesOfATableWithoutTheColumn() {
        TestHome t;
        ArchivioProva a(t);
        nuoveVoci(a);
        a.db().executeScript(
            QStringLiteral("drop table tabAutorita; "
                           "create table tabAutorita (IDAutorita INTEGER PRIMARY KEY, AutoritaNorm TEXT);"
                           "insert into tabAutorita values (1, 'Garante');"
                           "update tabFonte set IDAutorita = 1 where TP = 'LIOA';"));
        EstraiNuovi(t.state());
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("nuovi.12"))),
                 righe(sezioniNuovi(QStringLiteral(
                     "Impossibilità di risultato a causa della struttura non aggiornata della tabella"))));
    }

    void newEntriesAppendInUpdateMode() {
        TestHome t;
        ArchivioProva a(t);
        nuoveVoci(a);
        t.state().ModoAggiornamento = true;
        t.state().FileScelto = dump(t, QStringLiteral("nuovi.abc"));
        EstraiNuovi(t.state());
        EstraiNuovi(t.state());
        const QByteArray sezione = righe(QStringList{QStringLiteral("Consegna 12")} +
                                         sezioniNuovi(QStringLiteral("Nessuna novità in tabAutorita")));
        QCOMPARE(readFileBytes(t.state().FileScelto), sezione + sezione);
    }

    void notes_data() {
        QTest::addColumn<QString>("inizio");
        QTest::addColumn<QList<qint64>>("chiavi");
        QTest::addColumn<QStringList>("atteso");
        QTest::newRow("da 1") << "1" << QList<qint64>{1, 2, 3}
                              << QStringList{"202630001 (Record: 1)", "Nota à capo",
                                             "202630003 (Record: 3)", "Prima riga",
                                             "Seconda riga",          "Terza riga"};
        QTest::newRow("da 7 con buchi")
            << "7" << QList<qint64>{2, 5, 9}
            << QStringList{"202630007 (Record: 2)", "Nota à capo", "202630009 (Record: 9)", "Prima riga",
                           "Seconda riga",          "Terza riga"};
    }

    void notes() {
        QFETCH(QString, inizio);
        QFETCH(QList<qint64>, chiavi);
        QFETCH(QStringList, atteso);
        TestHome t;
        ArchivioProva a(t, QStringLiteral("12"), inizio);
        for (qint64 k : chiavi) {
            Doc d;
            d.id = k;
            a.documento(d);
        }
        a.testo(chiavi[0], QStringLiteral("5"), QStringLiteral("Nota à capo"));
        a.testo(chiavi[2], QStringLiteral("5"), QStringLiteral("Prima riga\nSeconda riga\r\nTerza riga"));
        a.testo(chiavi[1], QStringLiteral("4"), QStringLiteral("Una nota, non del compilatore"));
        const QString path = EstraiNote(t.state());
        QCOMPARE(path, dump(t, QStringLiteral("note.12")));
        QCOMPARE(readFileBytes(path), righe(atteso));
        QVERIFY(readFileBytes(path).contains("Nota \xE0 capo\r\n"));
        QCOMPARE(t.dialogs().texts(),
                 QStringList{QStringLiteral("Fine estrazione note ai documenti (consegna 12)")});

        t.state().ModoAggiornamento = true;
        t.state().FileScelto = dump(t, QStringLiteral("note.abc"));
        EstraiNote(t.state());
        EstraiNote(t.state());
        const QByteArray sezione =
            righe(QStringList{QStringLiteral("Consegna 12")} + atteso + QStringList{QString()});
        QCOMPARE(readFileBytes(t.state().FileScelto), sezione + sezione);
    }

    void notesStopOnADatabaseError() {
        TestHome t;
        ArchivioProva a(t);
        a.documento(Doc{});
        a.db().EseguiIstruzione(QStringLiteral("drop table legameDocTesto"));
        QVERIFY(!SegnalaErrori(t.state(), [&] { EstraiNote(t.state()); }));
        QVERIFY(t.dialogs().lastText().contains(QStringLiteral("no such table: LegameDocTesto"),
                                                Qt::CaseInsensitive));
        QCOMPARE(t.dialogs().shown().back().icon, Icon::Critical);
        QVERIFY(!QFileInfo::exists(dump(t, QStringLiteral("note.12"))));
    }

    // NUL, ESC and the other control characters of archive texts reach the text outputs as a
    // visible replacement, never raw.
    void controlCharactersInTextOutputs_data() {
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QByteArray>("mark");
        QTest::newRow("windows-1252") << false << QByteArray("?");
        QTest::newRow("utf-8") << true << QByteArray("\xEF\xBF\xBD");
    }

    void controlCharactersInTextOutputs() {
        QFETCH(bool, utf8);
        QFETCH(QByteArray, mark);
        TestHome t;
        if (utf8)
            t.state().settings.encoding = TextEncoding::Utf8;
        ArchivioProva a(t);
        Doc d;
        d.fonti << a.fonteInterna(QStringLiteral("GICO"), QStringLiteral("C. Cost."), QVariant(), "1", "2",
                                  "2001", QStringLiteral("C. cost.\x1b[31m rossa\x07"));
        const qint64 doc = a.documento(d);
        a.testo(doc, QStringLiteral("5"),
                QStringLiteral("Nota") + QChar(0) + QStringLiteral("con NUL\tTab\x1b[2J\x7f\nSeconda\x0c"));
        const QByteArray note = readFileBytes(EstraiNote(t.state()));
        QCOMPARE(note, "202630001 (Record: 1)\r\nNota" + mark + "con NUL\tTab" + mark + "[2J" + mark +
                           "\r\nSeconda" + mark + "\r\n");
        const FileErrori f = EseguiControlli(t.state());
        QCOMPARE(readFileBytes(f.fonti),
                 "Senza numero: C. cost." + mark + "[31m rossa" + mark + " (rec. 1)\r\n\r\n");
    }

    // A delivery number written elsewhere with a "/" names files in dump/, as the prints do, and
    // the viewer finds the list the run wrote.
    void deliveryNumberUnsafeForFileNames() {
        TestHome t;
        ArchivioProva a(t, QStringLiteral("12/2026"));
        a.documento(Doc{});
        const FileErrori f = EseguiControlli(t.state());
        const QStringList scritti{f.generali,
                                  f.classe,
                                  f.fonti,
                                  EstraiNote(t.state()),
                                  EstraiNuovi(t.state()),
                                  StampaCelex(t.state()),
                                  StampaHudoc(t.state())};
        for (const QString& path : scritti) {
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            QCOMPARE(QFileInfo(path).absolutePath(),
                     QFileInfo(t.home().dumpPath(QStringLiteral("x"))).absolutePath());
            QVERIFY2(QFileInfo(path).fileName().contains(QStringLiteral("12_2026")), qPrintable(path));
        }
        QString letto;
        MostraErrori(t.state(), QStringLiteral("3"), QStringLiteral("errori."), QStringLiteral("Errori"),
                     [&](const QString& testo) { letto = testo; });
        QVERIFY(letto.isNull()); // an error-free list
        QCOMPARE(t.dialogs().lastText(), QStringLiteral("Non ci sono errori!"));
    }

    void commandLine() {
        TestHome t;
        ArchivioProva a(t);
        fontiEuropee(a);
        const QByteArray core = readFileBytes(StampaCelex(t.state()));
        QFile::remove(dump(t, QStringLiteral("StampaHTML 12.html")));
        ChiudiArchivio(t.state());

        struct Caso {
            const char* comando;
            const char* messaggio;
            QStringList files;
        };
        const QList<Caso> casi{
            {"check", "Fine controllo: 12", {"errori.12", "errclasse.12", "errfonte.12"}},
            {"notes", "Fine estrazione note ai documenti (consegna 12)", {"note.12"}},
            {"new-entries", "Fine estrazione nuovi ai documenti (consegna 12)", {"nuovi.12"}},
            {"celex", "Fine stampa HTML (consegna 12)", {"StampaHTML 12.html"}},
            {"hudoc", "Fine stampa HTML_GEI (consegna 12)", {"StampaHTML_GEI 12.html"}},
        };
        for (const Caso& c : casi) {
            QString out, err;
            QCOMPARE(cli({QStringLiteral("--home"), t.root(), QString::fromLatin1(c.comando),
                          QStringLiteral("PROVA")},
                         &out, &err),
                     0);
            QVERIFY2(err.isEmpty(), qPrintable(err));
            QCOMPARE(out.split(u'\n').first(), QString::fromUtf8(c.messaggio));
            for (const QString& f : c.files)
                QVERIFY2(out.contains(QStringLiteral("File scritto: ") + dump(t, f)), qPrintable(out));
        }
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("StampaHTML 12.html"))), core);

        QString out, err;
        QCOMPARE(cli({QStringLiteral("--home"), t.root(), QStringLiteral("check"), QStringLiteral("NESSUNO")},
                     &out, &err),
                 1);
        QVERIFY(err.contains(QStringLiteral("Errore nell'apertura del db")));
        err.clear();
        QCOMPARE(cli({QStringLiteral("--home"), t.root(), QStringLiteral("hudoc")}, &out, &err), 2);
        QVERIFY(err.contains(QStringLiteral("hudoc ARCHIVE")));

        {
            cConnessione db;
            QVERIFY(db.ApriConnessione(
                cConnessione::connectionStringFor(t.home().mdbPath(QStringLiteral("PROVA.db")))));
            db.EseguiIstruzione(QStringLiteral("drop table legameDocResp"));
        }
        out.clear();
        err.clear();
        QCOMPARE(cli({QStringLiteral("--home"), t.root(), QStringLiteral("check"), QStringLiteral("PROVA")},
                     &out, &err),
                 1);
        QVERIFY2(err.contains(QStringLiteral("no such table: legameDocResp")), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(ChecksReports)
#include "tst_checks_reports.moc"
