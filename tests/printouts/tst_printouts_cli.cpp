// The print, summary and consistency commands of quillaro-cli.

#include "PrintoutsFixture.h"
#include "app/cli/Cli.h"
#include "support/FileFaults.h"

namespace {

struct Esecuzione {
    int code;
    QString out;
    QString err;
};

Esecuzione esegui(TestHome& t, const QStringList& args) {
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    const int code = runCli(QStringList{"--home", t.root()} + args, o, e);
    return {code, out, err};
}

} // namespace

class PrintoutsCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void comandi_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("messaggi");
        QTest::newRow("complete") << QStringList{"print", "PROVA", "--complete"} << "stampaRTF-C-12.rtf"
                                  << QStringList{"Fine stampa"};
        QTest::newRow("texts") << QStringList{"print", "PROVA", "--texts"} << "stampaRTF-T-12.rtf"
                               << QStringList{"Fine stampa"};
        QTest::newRow("texts, filter") << QStringList{"print", "PROVA", "--texts", "--filter"}
                                       << "stampaRTF-T-12.rtf" << QStringList{"Fine stampa"};
        QTest::newRow("summary") << QStringList{"summary", "PROVA"} << "prospetto 12.html"
                                 << QStringList{"Fine stampa prospetto"};
        QTest::newRow("consistency") << QStringList{"consistency", "PROVA"} << "consistenza.12"
                                     << QStringList{"TotTAbs: 1 --- Num. docc.: 1",
                                                    "Fine stampa consistenza"};
    }
    void comandi() {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QStringList, messaggi);
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.rivista("100", "Rivista");
            PrintoutsFixture::Doc d;
            d.rif = f.fascicolo("100", "2004-01-00", "1");
            f.documento(d);
            ChiudiArchivio(t.state());
        }
        const Esecuzione r = esegui(t, args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QString path = t.home().dumpPath(file);
        QCOMPARE(r.out, messaggi.join(u'\n') + QStringLiteral("\nFile scritto: ") + path + u'\n');
        QVERIFY(QFileInfo::exists(path));
    }

    void errori_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err");
        QTest::newRow("no form") << QStringList{"print", "PROVA"} << 2
                                 << "print ARCHIVE --complete|--texts [--filter]";
        QTest::newRow("both forms") << QStringList{"print", "PROVA", "--complete", "--texts"} << 2
                                    << "print ARCHIVE --complete|--texts [--filter]";
        QTest::newRow("filter on complete") << QStringList{"print", "PROVA", "--complete", "--filter"} << 2
                                            << "print ARCHIVE --complete|--texts [--filter]";
        QTest::newRow("summary without archive") << QStringList{"summary"} << 2 << "summary ARCHIVE";
        QTest::newRow("consistency, two archives")
            << QStringList{"consistency", "A", "B"} << 2 << "consistency ARCHIVE";
        QTest::newRow("missing archive")
            << QStringList{"summary", "NONE"} << 1 << "Errore nell'apertura del db";
    }
    void errori() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, err);
        TestHome t;
        t.createArchive();
        const Esecuzione r = esegui(t, args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
    }

    void fallimento() {
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.db().executeScript(QStringLiteral("drop table tabRifBibl"));
            ChiudiArchivio(t.state());
        }
        const Esecuzione r = esegui(t, {"summary", "PROVA"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"Errore ") && r.err.contains(u"Stampa interrotta"), qPrintable(r.err));
        QVERIFY(!r.out.contains(u"Fine stampa"));
    }

    // A print killed half-way (the process ends in the middle of a write, as under kill -9) leaves
    // no cut file under the print's name: the earlier print, or none.
    void stampaUccisaAMeta() {
        if (!FileSizeLimit::available())
            QSKIP("no file size limit here");
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.rivista("100", "Rivista");
            for (int i = 0; i < 40; ++i) {
                PrintoutsFixture::Doc d;
                d.rif = f.fascicolo("100", "2004-01-00", "1");
                f.testo(f.documento(d), "1", QString(2000, u'r'));
            }
            ChiudiArchivio(t.state());
        }
        const QStringList args{"print", "PROVA", "--complete"};
        const QString path = t.home().dumpPath(QStringLiteral("stampaRTF-C-12.rtf"));
        QVERIFY(killedAtFileSize(40 * 1024, [&] { esegui(t, args); }));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(esegui(t, args).code, 0);
        const QByteArray prima = readFileBytes(path);
        QVERIFY(prima.size() > 80 * 1024 && prima.endsWith("}\r\n"));
        // A longer delivery now: a new print killed half-way leaves the earlier one whole.
        {
            cConnessione db;
            QVERIFY(db.ApriConnessione(
                cConnessione::connectionStringFor(t.home().mdbPath(QStringLiteral("PROVA.db")))));
            db.EseguiIstruzione(QStringLiteral("insert into tabDocumento (IDRifBibl, LIN) values (1, '00')"));
        }
        QVERIFY(killedAtFileSize(prima.size() / 2, [&] { esegui(t, args); }));
        QCOMPARE(readFileBytes(path), prima);
        QCOMPARE(esegui(t, args).code, 0);
        QVERIFY(readFileBytes(path) != prima);
    }

    // The command line lays a missing head out again before it runs; one that cannot be read is
    // named, with the print not made, and no print file is named.
    void testataIllegibile() {
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.documento({});
            ChiudiArchivio(t.state());
        }
        const QString testata = t.home().filePath(QStringLiteral("testata new.rtf"));
        QVERIFY(QFile::remove(testata));
        QCOMPARE(esegui(t, {"print", "PROVA", "--complete"}).code, 0);
        QVERIFY(QFile::remove(testata));
        QVERIFY(QFile::remove(t.home().dumpPath(QStringLiteral("stampaRTF-C-12.rtf"))));
        QVERIFY(QDir().mkpath(testata));
        const Esecuzione r = esegui(t, {"print", "PROVA", "--complete"});
        QCOMPARE(r.code, 1);
        QVERIFY2(
            r.err.startsWith(QStringLiteral("Impossibile leggere il file di testata \"testata new.rtf\" (%1)."
                                            "\nLa stampa non è stata fatta: rimettere il file nella "
                                            "cartella del programma e ripetere la stampa.\nDettaglio "
                                            "tecnico: ")
                                 .arg(testata)),
            qPrintable(r.err));
        QVERIFY(!r.err.contains(QStringLiteral("stampaRTF")));
        QVERIFY(!QFileInfo::exists(t.home().dumpPath(QStringLiteral("stampaRTF-C-12.rtf"))));
    }

    // A run is recorded in tabInfo only once its file is whole; when the archive refuses the record,
    // the file is still written but the command does not end as a success.
    void registrazioneInTabInfo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("colonna");
        QTest::newRow("complete") << QStringList{"print", "PROVA", "--complete"} << "stampaRTF-C-12.rtf"
                                  << "StampaCompleta";
        QTest::newRow("texts") << QStringList{"print", "PROVA", "--texts"} << "stampaRTF-T-12.rtf"
                               << "StampaSoloTesto";
        QTest::newRow("summary") << QStringList{"summary", "PROVA"} << "prospetto 12.html"
                                 << "StampaProspetto";
        QTest::newRow("consistency") << QStringList{"consistency", "PROVA"} << "consistenza.12"
                                     << "StampaConsistenze";
        QTest::newRow("checks") << QStringList{"check", "PROVA"} << "errfonte.12"
                                << "Storico";
        QTest::newRow("celex") << QStringList{"celex", "PROVA"} << "StampaHTML 12.html"
                               << "Celex";
    }
    void registrazioneInTabInfo() {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QString, colonna);
        TestHome t;
        QString archivio;
        {
            PrintoutsFixture f(t);
            f.rivista("100", "Rivista");
            PrintoutsFixture::Doc d;
            d.rif = f.fascicolo("100", "2004-01-00", "1");
            f.documento(d);
            archivio = t.state().NomeArchivio;
            ChiudiArchivio(t.state());
        }
        const auto registrato = [&] {
            cConnessione c;
            if (!c.ApriConnessione(archivio))
                return QStringLiteral("?");
            return c.ApriRS(QStringLiteral("select %1 from tabInfo").arg(colonna)).field(0).toString();
        };
        // A folder where the file goes: the run fails and is not recorded.
        const QString path = t.home().dumpPath(file);
        QVERIFY(QDir().mkpath(path));
        Esecuzione r = esegui(t, args);
        QCOMPARE(r.code, 1);
        QCOMPARE(registrato(), QString());
        QVERIFY(QDir().rmdir(path));
        // An archive that refuses the record (as a read-only one does): the file, but no success.
        {
            cConnessione c;
            QVERIFY(c.ApriConnessione(archivio));
            c.executeScript(QStringLiteral("create trigger bloccato before update on tabInfo begin select "
                                           "raise(abort, 'sola lettura'); end"));
        }
        r = esegui(t, args);
        QCOMPARE(r.code, 1);
        QVERIFY2(
            r.err.contains(QStringLiteral("Esecuzione non registrata nell'archivio (tabInfo): sola lettura")),
            qPrintable(r.err));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(registrato(), QString());
        {
            cConnessione c;
            QVERIFY(c.ApriConnessione(archivio));
            c.executeScript(QStringLiteral("drop trigger bloccato"));
        }
        r = esegui(t, args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(registrato(), QStringLiteral("1"));
    }

    void aiuto() {
        TestHome t;
        const Esecuzione r = esegui(t, {"--help"});
        for (const char* usage :
             {"print ARCHIVE --complete|--texts [--filter]", "summary ARCHIVE", "consistency ARCHIVE"})
            QVERIFY2(r.out.contains(QStringLiteral("  ") + QString::fromLatin1(usage)), usage);
    }
};

QTEST_GUILESS_MAIN(PrintoutsCli)
#include "tst_printouts_cli.moc"
