// The command line of the foundation: init, new, info, demo, help and errors.

#include "support/CliRun.h"
#include "support/TestHome.h"

#include <QtTest>

class AppCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initNewInfo();
    void refusals_data();
    void refusals();
    void demo();
    void wrongFilesStopEveryCommand_data();
    void wrongFilesStopEveryCommand();
    void namesAsOperatorsTypeThem();
    void helpAndVersion();
    void refreshHead();
};

void AppCli::initNewInfo() {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("H"));
    CliRun r = cli({"--home", home, "init"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains(QStringLiteral("masterOnline.db")));
    QVERIFY(cli({"--home", home, "init"}).out.contains(QStringLiteral("già pronta")));
    r = cli({"--home", home, "new", "CONS1", "--centro", "3", "--anno", "2026", "--consegna", "12",
             "--inizio", "1"});
    QCOMPARE(r.code, 0);
    QVERIFY(QFileInfo::exists(home + QStringLiteral("/mdb/CONS1.db")));
    r = cli({"--home", home, "info", "CONS1"});
    QCOMPARE(r.code, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines.mid(0, 5), (QStringList{"IDCentroSpoglio: 3", "AnnoProduzione: 2026", "Consegna: 12",
                                           "NumInizio: 1", "Storico: "}));
    QCOMPARE(lines.last(), QStringLiteral("VisualizzaErroriFonti: "));
    // QUILLARO_HOME is the fallback of --home.
    qputenv("QUILLARO_HOME", home.toUtf8());
    QCOMPARE(cli({"info", home + QStringLiteral("/mdb/CONS1.db")}).code, 0);
    qunsetenv("QUILLARO_HOME");
}

void AppCli::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("existing name") << QStringList{"new",  "CONS1",      "--centro", "3",        "--anno",
                                                  "2026", "--consegna", "1",        "--inizio", "1"}
                                   << 1 << "esiste già";
    QTest::newRow("incomplete") << QStringList{"new",  "CONS9",      "--centro", "Centro spoglio", "--anno",
                                               "2026", "--consegna", "1",        "--inizio",       "1"}
                                << 1 << "Informazioni incomplete!";
    QTest::newRow("missing option value")
        << QStringList{"new", "CONS9", "--centro"} << 2 << "manca il valore";
    QTest::newRow("mistyped switch") << QStringList{"print", "CONS1", "--complet"} << 2
                                     << "opzione sconosciuta: --complet";
    QTest::newRow("switch of another command")
        << QStringList{"summary", "CONS1", "--filter"} << 2 << "opzione sconosciuta: --filter";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "Comando sconosciuto";
    // Which of two values was meant is not for the program to guess.
    QTest::newRow("option twice") << QStringList{"check", "CONS1", "--doc", "14", "--doc", "15"} << 2
                                  << "l'opzione --doc è data più di una volta";
    QTest::newRow("option twice, once with =")
        << QStringList{"check", "CONS1", "--doc=14", "--format", "json", "--format=text"} << 2
        << "l'opzione --format è data più di una volta";
    QTest::newRow("switch twice") << QStringList{"print", "CONS1", "--complete", "--complete"} << 2
                                  << "l'opzione --complete è data più di una volta";
    QTest::newRow("home twice") << QStringList{"--home", "@/altra", "info", "CONS1"} << 2
                                << "l'opzione --home è data più di una volta";
    QTest::newRow("missing archive") << QStringList{"info", "NESSUNO"} << 1 << "Errore nell'apertura del db";
    QTest::newRow("info without archive") << QStringList{"info"} << 2 << "Uso:";
    // One rule for the name of every new archive: never a path, never a control character.
    const QStringList info = {"--centro", "3", "--anno", "2026", "--consegna", "1", "--inizio", "1"};
    QTest::newRow("new up a folder") << QStringList{"new", "../CONS9"} + info << 1 << "contiene una cartella";
    QTest::newRow("new absolute path")
        << QStringList{"new", "@/CONS9"} + info << 1 << "contiene una cartella";
    QTest::newRow("new line break") << QStringList{"new", "CONS9\nX"} + info << 1 << "a capo";
    QTest::newRow("new control character") << QStringList{"new", "CONS9\x01"} + info << 1 << "a capo";
    QTest::newRow("new device name") << QStringList{"new", "nul"} + info << 1 << "riservato";
    QTest::newRow("generate line break")
        << QStringList{"generate", "CONS9\nX", "--docs", "1"} << 1 << "a capo";
}

void AppCli::refusals() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("H"));
    QCOMPARE(cli({"--home", home, "new", "CONS1", "--centro", "3", "--anno", "2026", "--consegna", "12",
                  "--inizio", "1"})
                 .code,
             0);
    // "@" is the temporary folder.
    for (QString& arg : args)
        arg.replace(u'@', dir.path());
    const QStringList mdb = QDir(home + QStringLiteral("/mdb")).entryList(QDir::Files);
    const CliRun r = cli(QStringList{"--home", home} + args);
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(QDir(home + QStringLiteral("/mdb")).entryList(QDir::Files), mdb);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"H"});
    QVERIFY(!QFileInfo::exists(QStringLiteral("../CONS9.db")));
}

void AppCli::demo() {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("H"));
    QCOMPARE(cli({"--home", home, "demo"}).code, 0);
    // Again: the demo archive is made anew.
    QCOMPARE(cli({"--home", home, "demo"}).code, 0);
    const CliRun r = cli({"--home", home, "info", "DEMO"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains(QStringLiteral("Consegna: 1")));
}

void AppCli::wrongFilesStopEveryCommand_data() {
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("reason");
    QTest::newRow("template") << "masterOnline" << "il modello vuoto";
    QTest::newRow("catalogue") << "Catalogo norme" << "il catalogo delle norme";
    QTest::newRow("truncated") << "TRONCO" << "incompleto";
    QTest::newRow("not a database") << "RUMORE.db" << "non è l'archivio di una consegna di Quillaro";
    QTest::newRow("without delivery information") << "SENZAINFO" << "non ha le informazioni di consegna";
    QTest::newRow("delivery information unreadable") << "ILLEGGIBILE"
                                                     << "(tabInfo) non si possono leggere";
}

void AppCli::wrongFilesStopEveryCommand() {
    QFETCH(QString, archive);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("H"));
    QCOMPARE(cli({"--home", home, "demo"}).code, 0);
    const QString mdb = home + QStringLiteral("/mdb/");
    const QByteArray demo = readFileBytes(mdb + QStringLiteral("DEMO.db"));
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(mdb + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("TRONCO.db"), demo.left(demo.size() * 2 / 3));
    write(QStringLiteral("RUMORE.db"), QByteArray(5000, 'Q'));
    write(QStringLiteral("SENZAINFO.db"), demo);
    {
        cConnessione c;
        QVERIFY(c.ApriConnessione(mdb + QStringLiteral("SENZAINFO.db")));
        c.EseguiIstruzione(QStringLiteral("delete from tabInfo"));
    }
    write(QStringLiteral("ILLEGGIBILE.db"), demo);
    {
        cConnessione c;
        QVERIFY(c.ApriConnessione(mdb + QStringLiteral("ILLEGGIBILE.db")));
        c.EseguiIstruzione(QStringLiteral("alter table tabInfo rename column Celex to CelexVecchio"));
    }
    const QList<QStringList> commands = {{"info"}, {"check"}, {"celex"}, {"consistency"}, {"print", "--complete"}};
    for (const QStringList& command : commands) {
        QStringList args{"--home", home, command.first(), archive};
        args += command.mid(1);
        const CliRun r = cli(args);
        QVERIFY2(r.code != 0, qPrintable(command.first()));
        QVERIFY2(r.err.contains(reason), qPrintable(command.first() + u'\n' + r.err));
        // Why, on standard error alone: standard output is what a command produces.
        QVERIFY2(!r.out.contains(reason), qPrintable(command.first() + u'\n' + r.out));
        QVERIFY2(!r.out.contains(QStringLiteral("Consegna: ")), qPrintable(r.out));
    }
    QCOMPARE(QDir(home + QStringLiteral("/dump")).entryList(QDir::Files), QStringList());
}

void AppCli::namesAsOperatorsTypeThem() {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("H"));
    const QStringList info{"--centro", "3", "--anno", "2026", "--consegna", "12", "--inizio", "1"};
    QCOMPARE(cli(QStringList{"--home", home, "new", "cons1"} + info).code, 0);
    QCOMPARE(cli(QStringList{"--home", home, "new", "cons2.mdb"} + info).code, 0);
    QStringList made = QDir(home + QStringLiteral("/mdb")).entryList({"CONS*"}, QDir::Files);
    made.sort();
    QCOMPARE(made, (QStringList{"CONS1.db", "CONS2.db"}));
    for (const char* name : {"cons1", "CONS1", "cons1.db", "cons2.mdb", "Cons2"}) {
        const CliRun r = cli({"--home", home, "info", QString::fromUtf8(name)});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("Consegna: 12")));
    }
    // Taken already, whatever the case typed.
    const CliRun again = cli(QStringList{"--home", home, "new", "Cons1.MDB"} + info);
    QCOMPARE(again.code, 1);
    QVERIFY(again.err.contains(QStringLiteral("esiste già")));
}

void AppCli::helpAndVersion() {
    CliRun r = cli({"--help"});
    QCOMPARE(r.code, 0);
    for (const char* c : {"init", "new NAME", "info ARCHIVE", "demo"})
        QVERIFY2(r.out.contains(QString::fromUtf8(c)), c);
    r = cli({"--version"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("quillaro-cli ")));
    QCOMPARE(cli({}).code, 2);
}

// init never replaces a head of the home; --refresh-head does, and says where the old one went.
void AppCli::refreshHead() {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("H"));
    QCOMPARE(cli({"--home", home, "init"}).code, 0);
    const QString head = home + QStringLiteral("/testata new.rtf");
    const QByteArray installed = readFileBytes(head);
    QFile old(head);
    QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
    old.write("{\\rtf1 {\\stylesheet{\\qj Normal;}} Consegna xxx");
    old.close();
    QCOMPARE(cli({"--home", home, "init"}).code, 0);
    QVERIFY(readFileBytes(head) != installed);

    CliRun r = cli({"--home", home, "init", "--refresh-head"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Testata della stampa aggiornata")), qPrintable(r.out));
    QVERIFY2(r.out.contains(head + QStringLiteral(".bak")), qPrintable(r.out));
    QCOMPARE(readFileBytes(head), installed);
    QVERIFY(readFileBytes(head + QStringLiteral(".bak")).contains("\\qj"));
    r = cli({"--home", home, "init", "--refresh-head"});
    QVERIFY2(r.out.contains(QStringLiteral("già quella installata")), qPrintable(r.out));
}

QTEST_GUILESS_MAIN(AppCli)
#include "tst_app_cli.moc"
