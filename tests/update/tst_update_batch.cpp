// Abbreviation files and the batch runs over archives.

#include "app/cli/Cli.h"
#include "store/Archivio.h"
#include "support/TestHome.h"
#include "update/Aggiornamento.h"
#include "update/FileSigle.h"

#include <QtTest>

namespace {

// An archive with n documents, its delivery number and start number.
QString archiveWith(TestHome& t, const QString& name, int documents, const QString& consegna,
                    const QString& inizio) {
    const QString path = t.createArchive(name, QStringLiteral("3"), QStringLiteral("2026"), consegna, inizio);
    cConnessione c;
    if (!c.ApriConnessione(path))
        return {};
    Transaction tr(c);
    for (int i = 1; i <= documents; ++i)
        c.EseguiIstruzione(QStringLiteral("insert into tabDocumento (IDDocumento, IDRifBibl) values (?, 0)"),
                           {i});
    tr.commit();
    return path;
}

QString sigleFile(TestHome& t, const QString& name, const QStringList& sigle) {
    const QString path = t.home().mdbPath(name);
    ScriviFileSigle(path, sigle);
    return path;
}

// The operator's dialogs with the batch's bar recorded.
class RecordingDialogs : public ScriptedDialogs {
public:
    struct Bar : Progress {
        void setRange(qint64 t) override { total = t; }
        void setValue(qint64 v) override { values << v; }
        void setLabel(const QString& l) override { labels << l; }
        qint64 total = 0;
        QList<qint64> values;
        QStringList labels;
    };
    Progress& progress(const QString&) override { return bar; }
    Bar bar;
};

} // namespace

class UpdateBatch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void abbreviationFiles();
    void newAbbreviationChecks_data();
    void newAbbreviationChecks();
    void outputPaths();
    void countBatch();
    void commandLineCountWithAMissingArchive();
    void nothingRunNothingClaimed_data();
    void nothingRunNothingClaimed();
    void errorInsideARunEndsTheBatch();
    void unreadableAbbreviationFile();
    void archiveOpenBeforeIsOpenAfter();
    void abbreviationsInAnotherCase();
    void checksBatchesAppendSections();
    void htmlPagesOfAnUpdate();
    void realRunErrorEndsTheBatch();
    void progressMovesWithinAnArchive();
    void abbreviationLines_data();
    void abbreviationLines();
    void aFailedSectionLeavesTheBatchFile();
};

void UpdateBatch::abbreviationFiles() {
    TestHome t;
    const QString path = t.home().mdbPath(QStringLiteral("sigle.A26"));
    ScriviFileSigle(path, {QStringLiteral(" cons1 "), QStringLiteral("CONS2")});
    QCOMPARE(readFileBytes(path), QByteArray(" cons1 \r\nCONS2\r\n"));
    QCOMPARE(LeggiFileSigle(path), (QStringList{" cons1 ", "CONS2"}));
    // Saving an empty list leaves an empty file.
    ScriviFileSigle(path, {});
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(readFileBytes(path), QByteArray());
    QCOMPARE(LeggiFileSigle(path), QStringList());
    // A save that cannot be made says so and leaves nothing half-written.
    ScriviFileSigle(path, {QStringLiteral("CONS1")});
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             ScriviFileSigle(path + QStringLiteral("/dentro"), {QStringLiteral("X")}));
    QCOMPARE(readFileBytes(path), QByteArray("CONS1\r\n"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             LeggiFileSigle(t.home().mdbPath(QStringLiteral("sigle.NON"))));
    QCOMPARE(SiglaAggiornamento(path), QStringLiteral("A26"));
    // A UTF-8 mark written by an editor is not part of the first name.
    QVERIFY(writeFileBytes(path, QByteArray("\xEF\xBB\xBF"
                                            "CONS1\r\nPER\xC3\x99\r\n")));
    QCOMPARE(LeggiFileSigle(path), (QStringList{"CONS1", QStringLiteral("PERÙ")}));
    // The abbreviation of the output names is of the file's own name, never a folder.
    QCOMPARE(SiglaAggiornamento(QStringLiteral("ab/c")), QStringLiteral("c"));
    QCOMPARE(SiglaAggiornamento(QStringLiteral("/h/mdb/sigle.a\\b")), QStringLiteral("a_b"));
}

void UpdateBatch::newAbbreviationChecks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("new") << "CONS3" << true;
    QTest::newRow("blanks around are kept") << " CONS3 " << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("only blanks") << "   " << false;
    QTest::newRow("duplicate") << "CONS1" << false;
    QTest::newRow("duplicate in another case") << "cons2" << false;
    QTest::newRow("a path") << "/tmp/CONS3" << false;
    QTest::newRow("parent folder") << "../CONS3" << false;
    QTest::newRow("control character") << "CONS\x1b" "3" << false;
}

void UpdateBatch::newAbbreviationChecks() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QCOMPARE(ControllaNuovaSigla({QStringLiteral("CONS1"), QStringLiteral("CONS2")}, typed).isEmpty(),
             accepted);
}

void UpdateBatch::outputPaths() {
    const HomeFolder home(QStringLiteral("/h"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::Conteggio, "A26"),
             QStringLiteral("/h/dump/conteggio.A26"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::Controlli, "A26"),
             QStringLiteral("/h/dump/errori.A26"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::NoteCompilatore, "A26"),
             QStringLiteral("/h/dump/note.A26"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::Nuovi, "A26"),
             QStringLiteral("/h/dump/nuovi.A26"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::Celex, "A26"),
             QStringLiteral("/h/dump/StampaHTML A26.htm"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::Hudoc, "A26"),
             QStringLiteral("/h/dump/StampaHTML_GEI A26.htm"));
    QCOMPARE(PercorsoAggiornamento(home, TipoAggiornamento::Nir, "A26"),
             QStringLiteral("/h/dump/StampaHTML_NIR A26.htm"));
}

void UpdateBatch::countBatch() {
    TestHome t;
    archiveWith(t, QStringLiteral("C5"), 5, QStringLiteral("11"), QStringLiteral("1"));
    archiveWith(t, QStringLiteral("C40"), 40, QStringLiteral("12"), QStringLiteral("6"));
    archiveWith(t, QStringLiteral("C120"), 120, QStringLiteral("13"), QStringLiteral("46"));
    const QString sigle = sigleFile(
        t, QStringLiteral("sigle.T01"),
        {QStringLiteral("C5"), QStringLiteral("MANCANTE"), QStringLiteral("C40"), QStringLiteral("C120")});
    const EsitoAggiornamento esito = EseguiAggiornamento(t.state(), TipoAggiornamento::Conteggio, sigle);
    QVERIFY(esito.completato);
    QCOMPARE(esito.consegne, 3);
    QCOMPARE(esito.documenti, 165);
    QCOMPARE(readFileBytes(t.home().dumpPath(QStringLiteral("conteggio.T01"))),
             QByteArray("Consegna 11:   5 documenti da 202630001 a 202630005\r\n"
                        "Consegna 12:  40 documenti da 202630006 a 202630045\r\n"
                        "Consegna 13: 120 documenti da 202630046 a 202630165\r\n"
                        "165 documenti in 3 consegne\r\n"));
    QVERIFY(!t.state().ModoAggiornamento);
    QVERIFY(!t.state().Connessione.isOpen());
    QVERIFY(!t.state().ArchivioAperto);
    QVERIFY(t.dialogs().unexpected().isEmpty());
    QCOMPARE(esito.saltate, QStringList{QStringLiteral("MANCANTE")});
    QCOMPARE(t.dialogs().lastText(),
             QStringLiteral("165 documenti in 3 consegne\nArchivi non aperti, saltati: MANCANTE"));
    // A second count replaces the first.
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::Conteggio, sigle).completato);
    QCOMPARE(
        readTextLines(t.home().dumpPath(QStringLiteral("conteggio.T01")), TextEncoding::Windows1252).size(),
        4);
}

void UpdateBatch::commandLineCountWithAMissingArchive() {
    TestHome t;
    archiveWith(t, QStringLiteral("C5"), 5, QStringLiteral("11"), QStringLiteral("1"));
    sigleFile(t, QStringLiteral("sigle.T02"), {QStringLiteral("C5"), QStringLiteral("MANCANTE")});
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = runCli({"--home", t.root(), "update", "sigle.T02", "count"}, o, e);
    // The file holds what could be counted, but a script learns that a delivery is missing from it.
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("Archivi non aperti, saltati: MANCANTE")), qPrintable(err));
    QVERIFY(out.contains(QStringLiteral("File scritto: ")));
    QCOMPARE(readTextLines(t.home().dumpPath(QStringLiteral("conteggio.T02")), TextEncoding::Windows1252),
             (QStringList{QStringLiteral("Consegna 11:   5 documenti da 202630001 a 202630005"),
                          QStringLiteral("5 documenti in 1 consegne")}));
}

// A batch that runs no archive writes no file and says so; the names it passed over are listed up
// to 50, then counted.
void UpdateBatch::nothingRunNothingClaimed_data() {
    QTest::addColumn<QStringList>("sigle");
    QTest::addColumn<QString>("said");
    QTest::newRow("empty file") << QStringList() << "";
    QTest::newRow("blank lines") << QStringList{"", "  "} << "";
    QStringList mancanti;
    for (int i = 1; i <= 60; ++i)
        mancanti << QStringLiteral("M%1").arg(i);
    QTest::newRow("sixty missing archives") << mancanti << "Archivi non aperti, saltati: M1, M2, ";
}
void UpdateBatch::nothingRunNothingClaimed() {
    QFETCH(QStringList, sigle);
    QFETCH(QString, said);
    TestHome t;
    sigleFile(t, QStringLiteral("sigle.V26"), sigle);
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = runCli({"--home", t.root(), "update", "sigle.V26", "checks"}, o, e);
    o.flush();
    e.flush();
    QCOMPARE(code, 1);
    QVERIFY2(!out.contains(QStringLiteral("File scritto")), qPrintable(out));
    QVERIFY2(err.contains(QStringLiteral("Nessun archivio del file sigle è stato elaborato: il file ")),
             qPrintable(err));
    QVERIFY(!QFileInfo::exists(t.home().dumpPath(QStringLiteral("errori.V26"))));
    QVERIFY2(err.contains(said), qPrintable(err));
    if (sigle.size() > 50) {
        QVERIFY(err.contains(QStringLiteral("M50 e altre 10\n")));
        QVERIFY(!err.contains(QStringLiteral("M51")));
    }
}

void UpdateBatch::errorInsideARunEndsTheBatch() {
    TestHome t;
    archiveWith(t, QStringLiteral("A1"), 1, QStringLiteral("1"), QStringLiteral("1"));
    archiveWith(t, QStringLiteral("A2"), 1, QStringLiteral("2"), QStringLiteral("1"));
    archiveWith(t, QStringLiteral("A3"), 1, QStringLiteral("3"), QStringLiteral("1"));
    const QString sigle = sigleFile(t, QStringLiteral("sigle.ERR"),
                                    {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")});
    QStringList seen;
    bool modeSeen = true;
    const RunArchivio run = [&](AppState& s) {
        modeSeen = modeSeen && s.ModoAggiornamento &&
                   s.FileScelto == t.home().dumpPath(QStringLiteral("errori.ERR"));
        seen << s.Consegna();
        s.ui().message(QStringLiteral("Fine controllo: ") + s.Consegna());
        if (s.Consegna() == u"2")
            throw DbError(3021, QStringLiteral("Nessun record corrente."));
    };
    QStringList captions;
    const EsitoAggiornamento esito = EseguiAggiornamento(t.state(), TipoAggiornamento::Controlli, sigle, run,
                                                         [&](const QString& s) { captions << s; });
    QVERIFY(!esito.completato);
    QCOMPARE(esito.errore, QStringLiteral("3021 --> Nessun record corrente."));
    QCOMPARE(seen, (QStringList{"1", "2"}));
    QCOMPARE(captions, (QStringList{"A1", "A2"}));
    QVERIFY(modeSeen);
    QVERIFY(!t.state().ModoAggiornamento);
    QVERIFY(!t.state().Connessione.isOpen());
    // The closing messages of the archives done come together, then the error.
    QCOMPARE(t.dialogs().texts(),
             (QStringList{"Fine controllo: 1\nFine controllo: 2", "3021 --> Nessun record corrente."}));
    QCOMPARE(t.dialogs().shown().back().icon, Icon::Critical);
}

void UpdateBatch::unreadableAbbreviationFile() {
    TestHome t;
    const EsitoAggiornamento esito = EseguiAggiornamento(t.state(), TipoAggiornamento::Conteggio,
                                                         t.home().mdbPath(QStringLiteral("sigle.NON")));
    QVERIFY(!esito.completato);
    QVERIFY(esito.errore.contains(QStringLiteral(" --> ")));
    QVERIFY(!t.state().ModoAggiornamento);
}

void UpdateBatch::archiveOpenBeforeIsOpenAfter() {
    TestHome t;
    const QString open =
        archiveWith(t, QStringLiteral("APERTO"), 2, QStringLiteral("77"), QStringLiteral("1"));
    archiveWith(t, QStringLiteral("ALTRO"), 3, QStringLiteral("78"), QStringLiteral("1"));
    QVERIFY(t.open(open));
    const QString sigle =
        sigleFile(t, QStringLiteral("sigle.RIA"), {QStringLiteral("ALTRO"), QStringLiteral("APERTO")});
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::Conteggio, sigle).completato);
    QVERIFY(t.state().ArchivioAperto);
    QCOMPARE(t.state().NomeArchivio, open);
    QCOMPARE(t.state().Consegna(), QStringLiteral("77"));
    QCOMPARE(t.state()
                 .Connessione.ApriRS(QStringLiteral("select count(*) from tabDocumento"))
                 .field(0)
                 .toLongLong(),
             2);
}

void UpdateBatch::abbreviationsInAnotherCase() {
    TestHome t;
    const QString path = archiveWith(t, QStringLiteral("CONS9"), 1, QStringLiteral("9"), QStringLiteral("1"));
    QCOMPARE(ArchivioDellaSigla(t.home(), QStringLiteral("cons9")), path);
    QCOMPARE(ArchivioDellaSigla(t.home(), QStringLiteral(" CONS9")),
             t.home().mdbPath(QStringLiteral(" CONS9.db")));
}

namespace {

// Two demo deliveries under their own names and numbers.
QString twoDemoDeliveries(TestHome& t, const QString& sigleName) {
    const QString demo = t.createDemo();
    for (const auto& [name, consegna] : {std::pair{QStringLiteral("D1"), QStringLiteral("101")},
                                         std::pair{QStringLiteral("D2"), QStringLiteral("102")}}) {
        const QString path = t.home().mdbPath(name + QStringLiteral(".db"));
        QFile::copy(demo, path);
        cConnessione c;
        if (!c.ApriConnessione(path))
            return {};
        c.EseguiIstruzione(QStringLiteral("update tabInfo set Consegna = ?"), {consegna});
    }
    return sigleFile(t, sigleName, {QStringLiteral("D1"), QStringLiteral("D2")});
}

QStringList sectionHeads(const QString& path) {
    QStringList heads;
    for (const QString& line : readTextLines(path, TextEncoding::Windows1252))
        if (line.startsWith(QStringLiteral("Consegna ")))
            heads << line;
    return heads;
}

} // namespace

void UpdateBatch::checksBatchesAppendSections() {
    TestHome t;
    const QString sigle = twoDemoDeliveries(t, QStringLiteral("sigle.C26"));
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::Controlli, sigle).completato);
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::Controlli, sigle).completato);
    for (const char* name : {"errori.C26", "errclasse.C26", "errfonte.C26"}) {
        const QString path = t.home().dumpPath(QString::fromUtf8(name));
        QCOMPARE(sectionHeads(path),
                 (QStringList{"Consegna 101", "Consegna 102", "Consegna 101", "Consegna 102"}));
        // Each section ends with its empty line.
        const QStringList lines = readTextLines(path, TextEncoding::Windows1252);
        QCOMPARE(lines.count(QString()), 4);
        QCOMPARE(lines.last(), QString());
    }
    // The closing boxes of the archives came together.
    QCOMPARE(t.dialogs().texts().last(), QStringLiteral("Fine controllo: 101\nFine controllo: 102"));
    // The single-archive lists were not touched.
    QVERIFY(!QFileInfo::exists(t.home().dumpPath(QStringLiteral("errori.101"))));
    // Notes and new entries append their sections too.
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::NoteCompilatore, sigle).completato);
    QCOMPARE(sectionHeads(t.home().dumpPath(QStringLiteral("note.C26"))),
             (QStringList{"Consegna 101", "Consegna 102"}));
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::Nuovi, sigle).completato);
    QCOMPARE(sectionHeads(t.home().dumpPath(QStringLiteral("nuovi.C26"))),
             (QStringList{"Consegna 101", "Consegna 102"}));
    QVERIFY(t.dialogs().unexpected().isEmpty());
}

void UpdateBatch::htmlPagesOfAnUpdate() {
    TestHome t;
    const QString sigle = twoDemoDeliveries(t, QStringLiteral("sigle.H26"));
    for (const TipoAggiornamento tipo :
         {TipoAggiornamento::Celex, TipoAggiornamento::Hudoc, TipoAggiornamento::Nir}) {
        const EsitoAggiornamento esito = EseguiAggiornamento(t.state(), tipo, sigle);
        QVERIFY(esito.completato);
        QVERIFY(esito.percorso.endsWith(QStringLiteral(" H26.htm")));
        const QStringList lines = readTextLines(esito.percorso, TextEncoding::Windows1252);
        QCOMPARE(lines.count(QStringLiteral("<TITLE>Aggiornamento H26</TITLE>")), 2);
        QCOMPARE(lines.count(QStringLiteral("<HTML>")), 2);
        QVERIFY(lines.contains(QStringLiteral("<h1>Consegna 101</h1>")));
        QVERIFY(lines.contains(QStringLiteral("<h1>Consegna 102</h1>")));
        QCOMPARE(lines.last(), QString());
    }
}

void UpdateBatch::realRunErrorEndsTheBatch() {
    TestHome t;
    const QString sigle = twoDemoDeliveries(t, QStringLiteral("sigle.E26"));
    {
        // The first delivery lost a table the checks read.
        cConnessione c;
        QVERIFY(c.ApriConnessione(t.home().mdbPath(QStringLiteral("D1.db"))));
        c.EseguiIstruzione(QStringLiteral("drop table legameDocClass"));
    }
    const EsitoAggiornamento esito = EseguiAggiornamento(t.state(), TipoAggiornamento::Controlli, sigle);
    QVERIFY(!esito.completato);
    QVERIFY(esito.errore.contains(QStringLiteral(" --> ")));
    QVERIFY(esito.errore.contains(QStringLiteral("legameDocClass")));
    QCOMPARE(t.dialogs().lastText(), esito.errore);
    QVERIFY(!t.state().ModoAggiornamento);
    QVERIFY(!t.state().Connessione.isOpen());
    // The second delivery was not reached.
    QVERIFY(!sectionHeads(t.home().dumpPath(QStringLiteral("errori.E26")))
                 .contains(QStringLiteral("Consegna 102")));
}

void UpdateBatch::progressMovesWithinAnArchive() {
    // One long archive must keep the bar moving (and the window painted), not only between archives.
    TestHome t;
    archiveWith(t, QStringLiteral("L1"), 1, QStringLiteral("1"), QStringLiteral("1"));
    archiveWith(t, QStringLiteral("L2"), 1, QStringLiteral("2"), QStringLiteral("1"));
    const QString sigle =
        sigleFile(t, QStringLiteral("sigle.BAR"), {QStringLiteral("L1"), QStringLiteral("L2")});
    RecordingDialogs dialogs;
    t.state().dialogs = &dialogs;
    const RunArchivio run = [](AppState& s) {
        BusyScope busy(s.ui(), QStringLiteral("Controllo dei documenti..."));
        busy.progress().setRange(4);
        for (int i = 1; i <= 4; ++i)
            busy.progress().setValue(i);
    };
    QVERIFY(EseguiAggiornamento(t.state(), TipoAggiornamento::Controlli, sigle, run, {}).completato);
    const QList<qint64>& v = dialogs.bar.values;
    QVERIFY(std::is_sorted(v.begin(), v.end()));
    QCOMPARE(v.last(), dialogs.bar.total);
    // Values strictly inside the first archive's half and inside the second's.
    const qint64 half = dialogs.bar.total / 2;
    QVERIFY(std::count_if(v.begin(), v.end(), [&](qint64 x) { return x > 0 && x < half; }) >= 3);
    QVERIFY(std::count_if(v.begin(), v.end(), [&](qint64 x) { return x > half && x < dialogs.bar.total; }) >=
            3);
    // The label names the archive, not the run.
    QCOMPARE(dialogs.bar.labels, (QStringList{"Archivio L1 (1 di 2)", "Archivio L2 (2 di 2)"}));
}

void UpdateBatch::abbreviationLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("refused"); // as the operator reads it; empty: skipped without a word
    QTest::newRow("absolute path") << "<root>/FUORI"
                                   << "\"<root>/FUORI\"";
    QTest::newRow("parent folder") << "../FUORI"
                                   << "\"../FUORI\"";
    QTest::newRow("parent folder, backslash") << "..\\FUORI"
                                              << "\"..\\FUORI\"";
    QTest::newRow("subfolder") << "sub/C5"
                               << "\"sub/C5\"";
    QTest::newRow("drive") << "C:FUORI"
                           << "\"C:FUORI\"";
    QTest::newRow("dot dot alone") << ".."
                                   << "\"..\"";
    QTest::newRow("escape sequence") << "C5\x1b[2J\x07"
                                     << "\"C5\\x1B[2J\\x07\"";
    QTest::newRow("NUL") << QStringLiteral("C5") + QChar(0) + QStringLiteral(".db") << "\"C5\\x00.db\"";
    QTest::newRow("blank") << ""
                           << "";
    QTest::newRow("blanks") << "   "
                            << "";
}

void UpdateBatch::abbreviationLines() {
    QFETCH(QString, line);
    QFETCH(QString, refused);
    TestHome t;
    archiveWith(t, QStringLiteral("C5"), 5, QStringLiteral("11"), QStringLiteral("1"));
    // An archive outside mdb/ that a path would reach: it must not be opened nor marked as checked.
    const QString fuori = t.root() + QStringLiteral("/FUORI.db");
    QVERIFY(QFile::rename(
        archiveWith(t, QStringLiteral("FUORI"), 2, QStringLiteral("99"), QStringLiteral("1")), fuori));
    line.replace(QStringLiteral("<root>"), t.root());
    refused.replace(QStringLiteral("<root>"), t.root());
    sigleFile(t, QStringLiteral("sigle.L26"), {QStringLiteral("C5"), line});
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = runCli({"--home", t.root(), "update", "sigle.L26", "checks"}, o, e);
    e.flush();
    o.flush();
    const QString message = QStringLiteral(
        "Righe del file sigle rifiutate, perché una sigla è solo il nome di un archivio della cartella mdb "
        "(senza percorso né \"..\"): %1. Correggere il file sigle.");
    if (refused.isEmpty()) {
        QCOMPARE(code, 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
    } else {
        QCOMPARE(code, 1);
        QCOMPARE(err, message.arg(refused) + u'\n');
        QVERIFY(out.contains(message.arg(refused)));
    }
    // Nothing raw reaches the terminal.
    for (const QString& text : {out, err})
        for (const QChar c : text)
            QVERIFY2(c.unicode() >= 0x20 || c == u'\n', qPrintable(text));
    QCOMPARE(sectionHeads(t.home().dumpPath(QStringLiteral("errori.L26"))), QStringList{"Consegna 11"});
    cConnessione c;
    QVERIFY(c.ApriConnessione(cConnessione::connectionStringFor(fuori)));
    QCOMPARE(c.ApriRS(QStringLiteral("select Storico from tabInfo")).field(0).toString(), QString());
}

void UpdateBatch::aFailedSectionLeavesTheBatchFile() {
    // The second archive of the batch fails half-way: the batch files hold the sections of the
    // archives before it, whole, and nothing of it.
    TestHome t;
    const QString sigle = twoDemoDeliveries(t, QStringLiteral("sigle.F26"));
    for (const TipoAggiornamento tipo : {TipoAggiornamento::Controlli, TipoAggiornamento::NoteCompilatore})
        QVERIFY(EseguiAggiornamento(t.state(), tipo, sigle).completato);
    const QStringList files{"errori.F26", "errclasse.F26", "errfonte.F26", "note.F26"};
    QMap<QString, QByteArray> before;
    for (const QString& f : files)
        before[f] = readFileBytes(t.home().dumpPath(f));
    {
        cConnessione c;
        QVERIFY(c.ApriConnessione(t.home().mdbPath(QStringLiteral("D2.db"))));
        c.EseguiIstruzione(QStringLiteral("alter table legameDocTesto rename to altroNome"));
    }
    for (const TipoAggiornamento tipo : {TipoAggiornamento::Controlli, TipoAggiornamento::NoteCompilatore})
        QVERIFY(!EseguiAggiornamento(t.state(), tipo, sigle).completato);
    for (const QString& f : files) {
        const QByteArray was = before[f];
        const QByteArray firstSection = was.left(was.indexOf("Consegna 102"));
        QVERIFY2(firstSection.startsWith("Consegna 101\r\n"), qPrintable(f));
        QCOMPARE(readFileBytes(t.home().dumpPath(f)), was + firstSection);
    }
    QCOMPARE(QDir(t.home().dumpDir()).entryList(QDir::Files).size(), files.size());
}

QTEST_GUILESS_MAIN(UpdateBatch)
#include "tst_update_batch.moc"
