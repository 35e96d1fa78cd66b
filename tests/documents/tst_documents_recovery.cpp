// The unsaved work of a document window kept in recupero/: the file keeps every value the save
// would store and gives it back through the window's boxes; a file that cannot be read is set aside
// with its reason; only the files of programs that no longer run are offered, never work already
// saved; the writer never lets a file half written or a removed one appear; the command line lists
// and discards them.

#include "documents/EditorFixture.h"
#include "documents/Recupero.h"
#include "documents/RecuperoFinestra.h"
#include "documents/SalvaDocumento.h"
#include "store/BackgroundWriter.h"
#include "support/CliRun.h"
#include "support/FileFaults.h"
#include "support/Processi.h"

#include <QSemaphore>
#include <QSysInfo>
#include <QtTest>
#include <atomic>
#include <limits>

using namespace editor_test;

namespace {

// A document as the window holds it.
struct Finestra {
    DocumentBuffer b;
    DatiDocumento d;
};

// Each case is a window the file must give back whole.
Finestra finestra(const Archivio& a, const QString& caso) {
    Finestra f{Archivio::nuovo(7), a.dati(7)};
    f.b.ElencoResponsabilita = {{0, "Rossi", "Mario", true, false}, {0, "Bianchi", "", false, false}};
    f.b.ElencoClassificazione = {{0, "T1.1", "TD001", 0, false}};
    f.b.ElencoFonti = {leggeDel1990("241")};
    f.b.TestoRiassunto = "Il riassunto.";
    if (caso == u"new document keeping the last one's codes") {
        f.d.txtTitolo.clear();
        f.d.txtFascicolo.clear();
    } else if (caso == u"existing document with codes and a date the lists lack") {
        f.b.NuovoDocumento = false;
        f.b.Versione = 41;
        for (Combo* c : {&f.d.ComboTD, &f.d.ComboLIN, &f.d.ComboBib, &f.d.ComboTAbs, &f.d.cmbCPer})
            c->posizione = 0;
        f.d.conservati.TD = "99";
        f.d.conservati.LIN = "77";
        f.d.conservati.Bib = "8";
        f.d.conservati.TAbs = "123";
        f.d.conservati.CPer = "ZZZ9";
        f.d.conservati.Data = "1850-13-00";
    } else if (caso == u"year without month, no codes") {
        seleziona(f.d.cmbMM, a.liste.cmbMM, 0);
        seleziona(f.d.cmbGG, a.liste.cmbGG, 0);
        for (Combo* c : {&f.d.ComboTD, &f.d.ComboBib, &f.d.ComboTAbs})
            c->posizione = 0;
    } else if (caso == u"hostile texts") {
        const QString strano = QStringLiteral("\"virgolette\" \\ {graffe} \t tab \r\n a capo \u00e0\u00e8 "
                                              "\U0001F600 \u0000 nul \u2028 fine");
        f.d.txtTitolo = strano;
        f.d.txtNota = strano;
        f.d.txtFascicolo = strano;
        f.b.ElencoResponsabilita[0].PrimoElemento = strano;
        f.b.ElencoFonti[0].altro = strano;
        const QString lungo = QStringLiteral("parola ").repeated(15000);
        for (QString* t : {&f.b.TestoRiassunto, &f.b.TestoSommario, &f.b.TestoTraduzione, &f.b.TestoNotaDoc,
                           &f.b.TestoInTemaDi, &f.b.TestoEnglishAbstract})
            *t = lungo + strano;
    } else if (caso == u"deleted entries and the widest keys") {
        f.b.NuovoDocumento = false;
        f.b.IDDocCorrente = std::numeric_limits<qint64>::max();
        f.b.Versione = std::numeric_limits<qint64>::max() - 1;
        f.b.ElencoResponsabilita[1].Cancellata = true;
        f.b.ElencoResponsabilita[0].IDResponsabilita = std::numeric_limits<qint64>::max();
        f.b.ElencoClassificazione[0] = {(qint64(1) << 53) + 1, "T1.2", "", 3, true};
        f.b.ElencoFonti.append(leggeDel1990("7"));
        f.b.ElencoFonti[1].IDFonte = 9007199254740993;
        f.b.ElencoFonti[1].Cancellata = true;
        f.b.ElencoFonti[1].Decreto = f.b.ElencoFonti[1].Ordinanza = true;
    }
    for (const VoceFonte& v : f.b.ElencoFonti)
        f.d.lstFonte << rigaFonte(v);
    return f;
}

UsoArchivio programma(const QString& computer, qint64 pid, const QString& nome) {
    UsoArchivio u;
    u.utente = "rossi";
    u.computer = computer;
    u.programma = nome;
    u.pid = pid;
    u.sessione = NuovaSessione();
    return u;
}

// A recovery file left in the home folder by that program, changed `minuti` ago.
QString lascia(TestHome& t, Recupero r, const UsoArchivio& chi, int minuti = 5) {
    r.archivio = t.state().archivioCorrente();
    r.programma = chi;
    r.modificato = QDateTime::currentDateTimeUtc().addSecs(-60 * minuti);
    const QString percorso = NuovoFileRecupero(t.home());
    QDir().mkpath(t.home().recoveryDir());
    writeFileBytes(percorso, TestoRecupero(r));
    return percorso;
}

QStringList nomiOfferti(const QList<FileRecupero>& files) {
    QStringList out;
    for (const FileRecupero& f : files)
        out << QFileInfo(f.percorso).fileName();
    return out;
}

} // namespace

class DocumentsRecovery : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileGivesBackEveryValueThroughTheBoxes_data() {
        QTest::addColumn<QString>("caso");
        for (const char* c :
             {"new document keeping the last one's codes",
              "existing document with codes and a date the lists lack", "year without month, no codes",
              "hostile texts", "deleted entries and the widest keys"})
            QTest::newRow(c) << QString::fromUtf8(c);
    }
    void fileGivesBackEveryValueThroughTheBoxes() {
        QFETCH(QString, caso);
        TestHome t;
        Archivio a(t);
        const Finestra f = finestra(a, caso);
        Recupero r = RecuperoDi(f.b, f.d);
        r.archivio = t.state().archivioCorrente();
        r.modificato = QDateTime::currentDateTimeUtc();
        r.programma = QuestoUso(NuovaSessione());

        QString motivo;
        const std::optional<Recupero> letto = LeggiRecupero(TestoRecupero(r), motivo);
        QVERIFY2(letto, qPrintable(motivo));
        QCOMPARE(letto->buffer, r.buffer);
        QCOMPARE(letto->campi, r.campi);
        QCOMPARE(letto->archivio, r.archivio);
        QCOMPARE(letto->modificato, r.modificato);
        QCOMPARE(letto->programma.pid, r.programma.pid);
        QCOMPARE(letto->programma.sessione, r.programma.sessione);
        QCOMPARE(letto->programma.computer, r.programma.computer);

        // Shown in the window again, the document stores what it stored before.
        QStringList avvisi;
        const DatiDocumento d = DatiDaRecupero(a.c(), a.liste, *letto, avvisi);
        QCOMPARE(RecuperoDi(letto->buffer, d).campi, r.campi);
        QCOMPARE(d.lstFonte, f.d.lstFonte);
        QCOMPARE(d.lstResponsabilita.size(), f.b.ElencoResponsabilita.size());
        QCOMPARE(avvisi.isEmpty(), !caso.contains(u"lists lack"));
        if (caso.startsWith(u"new document"))
            QCOMPARE(d.txtRivistaOnline, QStringLiteral("Rivista di prova"));
    }

    void unreadableBytesAreRefusedWithTheirReason_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("motivo");
        TestHome t;
        Archivio a(t);
        Recupero r = RecuperoDi(finestra(a, "").b, finestra(a, "").d);
        r.archivio = "/x/PROVA.db";
        r.modificato = QDateTime::currentDateTimeUtc();
        const QJsonObject buono = QJsonDocument::fromJson(TestoRecupero(r)).object();
        const auto con = [&](const QString& chiave, const QJsonValue& valore) {
            QJsonObject o = buono;
            o[chiave] = valore;
            return QJsonDocument(o).toJson();
        };
        const auto documentoCon = [&](const QString& chiave, const QJsonValue& valore) {
            QJsonObject d = buono["documento"].toObject();
            d[chiave] = valore;
            return con("documento", d);
        };
        QTest::newRow("empty") << QByteArray() << "il file è vuoto";
        QTest::newRow("not JSON") << QByteArray("Documento 7\x01\x02") << "non è un file di recupero intero";
        QTest::newRow("another program's JSON")
            << con("formato", "altro") << "non è un file di recupero di Quillaro";
        QTest::newRow("a later version") << con("versione", 2) << "è della versione 2 del formato";
        QTest::newRow("a version that is no number")
            << con("versione", "1") << "è della versione ? del formato";
        QTest::newRow("a number where a text goes") << documentoCon("TestoRiassunto", 3) << "TestoRiassunto";
        QTest::newRow("a fraction for a key") << documentoCon("IDDocCorrente", 1.5) << "IDDocCorrente";
        QTest::newRow("a list that is no list") << con("fonti", "l. 241/1990") << "fonti";
        QTest::newRow("an entry that is no object")
            << con("responsabilita", QJsonArray{1}) << "responsabilita";
        QTest::newRow("no archive") << con("archivio", "") << "di quale archivio";
        QTest::newRow("no time") << con("modificato", "ieri") << "quando";
        QTest::newRow("no number") << documentoCon("IDDocCorrente", 0) << "numero del documento";
        for (int profondita : {1000, 100000, 1000000})
            QTest::newRow(qPrintable(QStringLiteral("nested %1 deep").arg(profondita)))
                << QByteArray(profondita, '[') + QByteArray(profondita, ']')
                << "non è un file di recupero intero";
    }
    void unreadableBytesAreRefusedWithTheirReason() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, motivo);
        QString detto;
        QVERIFY(!LeggiRecupero(bytes, detto));
        QVERIFY2(detto.contains(motivo), qPrintable(detto));
    }

    // A file cut anywhere (a disk that filled, a copy interrupted) is never taken for a whole one.
    void everyCutOfAFileIsRefused() {
        TestHome t;
        Archivio a(t);
        const Finestra f = finestra(a, "");
        Recupero r = RecuperoDi(f.b, f.d);
        r.archivio = "/x/PROVA.db";
        r.modificato = QDateTime::currentDateTimeUtc();
        const QByteArray whole = TestoRecupero(r);
        QString motivo;
        QVERIFY(LeggiRecupero(whole, motivo));
        // Every cut before the closing brace.
        for (qsizetype n = 0; n <= whole.lastIndexOf('}'); ++n)
            QVERIFY2(!LeggiRecupero(whole.left(n), motivo), qPrintable(QString::number(n)));
    }

    void readingSetsAsideWhatItCannotRead() {
        TestHome t;
        Archivio a(t);
        const Finestra f = finestra(a, "");
        Processi p;
        const QString buono =
            lascia(t, RecuperoDi(f.b, f.d), programma(QSysInfo::machineHostName(), p.morto, "quillaro"));
        const QDir cartella(t.home().recoveryDir());
        const QString rotto = cartella.filePath("documento-rotto.json");
        writeFileBytes(rotto, TestoRecupero(RecuperoDi(f.b, f.d)).left(100));
        const QString grande = cartella.filePath("documento-grande.json");
        {
            QFile g(grande);
            QVERIFY(g.open(QIODevice::WriteOnly));
            QVERIFY(g.resize(64 * 1024 * 1024 + 1));
        }
        // What a write cut by a crash leaves: old enough to be nobody's, and one under way now.
        const QString avanzo = buono + ".nuovo";
        writeFileBytes(avanzo, "mezzo");
        {
            QFile vecchio(avanzo);
            QVERIFY(vecchio.open(QIODevice::Append));
            QVERIFY(vecchio.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                        QFileDevice::FileModificationTime));
        }
        const QString inCorso = buono + ".nuovo.AbC123";
        writeFileBytes(inCorso, "in corso");

        const ElencoRecuperi e = LeggiRecuperi(t.home());
        QCOMPARE(e.files.size(), 1);
        QCOMPARE(e.files[0].percorso, buono);
        QVERIFY(!e.files[0].attivo);
        QCOMPARE(e.messiDaParte.size(), 2);
        QVERIFY(!QFileInfo::exists(rotto) && !QFileInfo::exists(grande));
        const QDir scartati(cartella.filePath("scartati"));
        QVERIFY(scartati.exists("documento-rotto.json"));
        QVERIFY(QString::fromUtf8(readFileBytes(scartati.filePath("documento-rotto.json.motivo.txt")))
                    .contains("non è un file di recupero intero"));
        QVERIFY(QString::fromUtf8(readFileBytes(scartati.filePath("documento-grande.json.motivo.txt")))
                    .contains("troppo grande"));
        QVERIFY(!QFileInfo::exists(avanzo));
        QVERIFY(QFileInfo::exists(inCorso));
        // Set aside once: the next reading finds nothing more to set aside.
        QVERIFY(LeggiRecuperi(t.home()).messiDaParte.isEmpty());
    }

    void offeredOnlyOnceItsProgramIsGone_data() {
        QTest::addColumn<QString>("chi");
        QTest::addColumn<bool>("offerto");
        QTest::newRow("this program") << "this" << false;
        QTest::newRow("a program that stopped here") << "dead here" << true;
        QTest::newRow("its number given since to another program") << "reused here" << true;
        QTest::newRow("another computer that still has the archive") << "elsewhere, in the marker" << false;
        QTest::newRow("another computer that has it no longer") << "elsewhere, not in the marker" << true;
    }
    void offeredOnlyOnceItsProgramIsGone() {
        QFETCH(QString, chi);
        QFETCH(bool, offerto);
        TestHome t;
        Archivio a(t);
        const Finestra f = finestra(a, "");
        Processi p;
        const QString qui = QSysInfo::machineHostName();
        UsoArchivio u = chi == u"this"          ? QuestoUso(NuovaSessione())
                        : chi == u"dead here"   ? programma(qui, p.morto, "quillaro")
                        : chi == u"reused here" ? programma(qui, p.vivo.processId(), "quillaro")
                                                : programma("PC-12", 4242, "quillaro");
        if (chi == u"elsewhere, in the marker") {
            u.dal = u.rinnovato = QDateTime::currentDateTimeUtc();
            QVERIFY(RegistraUso(t.state().archivioCorrente(), u));
        }
        const QString file = lascia(t, RecuperoDi(f.b, f.d), u);
        QCOMPARE(nomiOfferti(RecuperiDaOffrire(t.home(), t.state().Mesi)),
                 offerto ? QStringList{QFileInfo(file).fileName()} : QStringList{});
        // A file is offered for its own archive only.
        QVERIFY(RecuperiDaOffrire(t.home(), t.state().Mesi, t.home().mdbPath("ALTRO.db")).isEmpty());
        QCOMPARE(RecuperiDaOffrire(t.home(), t.state().Mesi, t.state().NomeArchivio).size(), offerto ? 1 : 0);
    }

    void workAlreadySavedIsNotOffered_data() {
        QTest::addColumn<QString>("dopo"); // what happened after the file was written
        QTest::addColumn<bool>("offerto");
        QTest::newRow("saved as it is") << "nothing" << false;
        QTest::newRow("saved, a paragraph break the save drops") << "break" << false;
        QTest::newRow("the stored document changed elsewhere") << "title" << true;
        QTest::newRow("a pair marked deleted in the window") << "pair" << true;
        QTest::newRow("a source changed in the window") << "source" << true;
        QTest::newRow("the document deleted since") << "deleted" << true;
        QTest::newRow("a new document saved before the crash") << "new" << false;
    }
    void workAlreadySavedIsNotOffered() {
        QFETCH(QString, dopo);
        QFETCH(bool, offerto);
        TestHome t;
        Archivio a(t);
        Finestra f = finestra(a, "");
        Finestra salvato = f;
        QVERIFY(ScriviDocumento(a.c(), salvato.b, salvato.d).salvato());
        // The window as the save left it (or, for "new", as it was just before).
        Finestra w = dopo == u"new" ? f : salvato;
        if (dopo == u"break")
            w.d.txtTitolo.insert(3, "\n");
        else if (dopo == u"title") {
            salvato.d.txtTitolo = "Altro";
            QVERIFY(ScriviDocumento(a.c(), salvato.b, salvato.d).salvato());
        } else if (dopo == u"pair")
            w.b.ElencoClassificazione[0].Cancellata = true;
        else if (dopo == u"source")
            w.b.ElencoFonti[0].testo = "l. 7 agosto 1990, n. 242";
        else if (dopo == u"deleted")
            CancellaDocumenti(a.c(), {7});
        Processi p;
        const QString file =
            lascia(t, RecuperoDi(w.b, w.d), programma(QSysInfo::machineHostName(), p.morto, "quillaro"));
        QCOMPARE(RecuperiDaOffrire(t.home(), t.state().Mesi).size(), offerto ? 1 : 0);
        QCOMPARE(QFileInfo::exists(file), offerto);
    }

    // Only the latest request counts, and nothing asked before a removal ever lands after it.
    void writerNeverShowsAStaleFile() {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("sotto/file.json");
        BackgroundWriter w;
        QSemaphore dentro, via;
        std::atomic<int> fatti = 0;
        const auto bloccato = [&](QByteArray testo) {
            return [&, testo] {
                dentro.release();
                via.acquire();
                ++fatti;
                return testo;
            };
        };
        w.write(path, bloccato("uno"));
        QVERIFY(dentro.tryAcquire(1, 10000));
        w.write(path, [&] {
            ++fatti;
            return QByteArray("due");
        });
        w.write(path, [&] {
            ++fatti;
            return QByteArray("tre");
        });
        via.release();
        w.waitIdle();
        QCOMPARE(readFileBytes(path), QByteArray("tre"));
        QCOMPARE(fatti.load(), 2); // "due" was replaced before it started

        w.write(path, bloccato("quattro"));
        QVERIFY(dentro.tryAcquire(1, 10000));
        w.remove(path); // while "quattro" is being written
        QVERIFY(!QFileInfo::exists(path));
        via.release();
        w.waitIdle();
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).isEmpty());

        // A folder that cannot be made says why; the next good write clears it.
        writeFileBytes(QDir(dir.path()).filePath("file"), "un file");
        w.write(QDir(dir.path()).filePath("file/sotto.json"), [] { return QByteArray("x"); });
        w.waitIdle();
        QVERIFY(!w.lastError().isEmpty());
        w.write(path, [] { return QByteArray("cinque"); });
        w.waitIdle();
        QVERIFY(w.lastError().isEmpty());
    }

    // Killed at any point of a write over an older file, the name holds one of the two, whole.
    void writerKilledMidWayLeavesAWholeFile() {
        if (!FileSizeLimit::available())
            QSKIP("no file size limits here");
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("file.json");
        const QByteArray vecchio(1000, 'v'), nuovo(200000, 'n');
        for (qint64 limite : {qint64(0), qint64(1), qint64(4096), qint64(150000), qint64(199999)}) {
            QVERIFY(writeFileBytes(path, vecchio));
            QVERIFY(killedAtFileSize(limite, [&] {
                BackgroundWriter w;
                w.write(path, [&] { return nuovo; });
                w.waitIdle();
            }));
            QCOMPARE(readFileBytes(path), vecchio);
        }
    }

    // The window's file: written after a quiet moment, and while changes go on without a pause,
    // within the longest wait; gone once the work is saved or given up.
    void windowFileFollowsTheWork() {
        TestHome t;
        Archivio a(t);
        std::optional<Finestra> contenuto = finestra(a, "");
        RecuperoFinestra rf(t.state(),
                            [&]() -> std::optional<Recupero> {
                                return contenuto ? std::optional(RecuperoDi(contenuto->b, contenuto->d))
                                                 : std::nullopt;
                            },
                            {100, 400});
        const auto nelFile = [&]() -> QString {
            rf.attendi();
            QString motivo;
            const std::optional<Recupero> r = LeggiRecupero(readFileBytes(rf.percorso()), motivo);
            return r ? r->campi.Titolo : QString();
        };
        rf.cambiato();
        QVERIFY(!QFileInfo::exists(rf.percorso()));
        QTRY_COMPARE_WITH_TIMEOUT(nelFile(), QStringLiteral("Titolo di prova"), 5000);
        QString motivo;
        const Recupero r = *LeggiRecupero(readFileBytes(rf.percorso()), motivo);
        QCOMPARE(r.archivio, t.state().archivioCorrente());
        QCOMPARE(r.programma.pid, QCoreApplication::applicationPid());
        QVERIFY(qAbs(r.modificato.secsTo(QDateTime::currentDateTimeUtc())) < 60);

        // Typing without a pause: the file follows within the longest wait, not at the end.
        QElapsedTimer orologio;
        orologio.start();
        int battute = 0;
        while (orologio.elapsed() < 3000 && nelFile() != contenuto->d.txtTitolo) {
            contenuto->d.txtTitolo = QStringLiteral("Titolo %1").arg(++battute);
            rf.cambiato();
            QTest::qWait(20);
        }
        QVERIFY2(orologio.elapsed() < 3000, "the file did not follow while the changes went on");

        // Nothing unsaved any more (undone, or loaded anew): the file goes at the next moment.
        contenuto.reset();
        rf.cambiato();
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(rf.percorso()), 5000);
        // Saved or given up: at once.
        contenuto = finestra(a, "");
        rf.scriviOra();
        rf.attendi();
        QVERIFY(QFileInfo::exists(rf.percorso()));
        rf.rimuovi();
        QVERIFY(!QFileInfo::exists(rf.percorso()));

        // A restored file is the window's own from then on.
        const QString vecchio = NuovoFileRecupero(t.home());
        writeFileBytes(vecchio, "del programma interrotto");
        rf.adotta(vecchio);
        rf.scriviOra();
        rf.attendi();
        QCOMPARE(rf.percorso(), vecchio);
        QVERIFY(LeggiRecupero(readFileBytes(vecchio), motivo));
    }

    void commandLineListsAndDiscards() {
        TestHome t;
        Archivio a(t);
        const Finestra f = finestra(a, "");
        Processi p;
        const QString qui = QSysInfo::machineHostName();
        Finestra esistente = f;
        QVERIFY(ScriviDocumento(a.c(), esistente.b, esistente.d).salvato());
        esistente.d.txtTitolo = "Cambiato";
        Finestra mai = f;
        mai.d.txtTitolo = "Mai salvato";
        const QString perso = lascia(t, RecuperoDi(mai.b, mai.d), programma(qui, p.morto, "quillaro"), 30);
        lascia(t, RecuperoDi(esistente.b, esistente.d), QuestoUso(NuovaSessione()), 10);
        writeFileBytes(QDir(t.home().recoveryDir()).filePath("documento-rotto.json"), "{");
        const QString home = t.root();

        const CliRun elenco = cli({"--home", home, "recover"});
        QCOMPARE(elenco.code, 0);
        const QStringList righe = elenco.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(righe.size(), 2);
        QVERIFY2(righe[0].startsWith("1\tPROVA\tdocumento nuovo 7\tmodifiche delle ") ||
                     righe[0].startsWith("1\tPROVA\tdocumento nuovo 7\tmodifiche del "),
                 qPrintable(righe[0]));
        QVERIFY(righe[0].contains("\tda ripristinare\t"));
        QVERIFY2(righe[1].startsWith("2\tPROVA\tdocumento 7\t") && righe[1].contains("\tancora aperto da "),
                 qPrintable(righe[1]));
        QVERIFY(elenco.err.contains("documento-rotto.json"));
        QCOMPARE(cli({"--home", home, "recover", "--list"}).out, elenco.out);

        for (const QStringList& sbagliato : {QStringList{"recover", "--discard", "3"},
                                             {"recover", "--discard", "x"},
                                             {"recover", "--list", "--discard", "1"},
                                             {"recover", "PROVA"}})
            QCOMPARE(cli(QStringList{"--home", home} + sbagliato).code, 2);
        // The work of a program still running is discarded there.
        const CliRun attivo = cli({"--home", home, "recover", "--discard", "2"});
        QCOMPARE(attivo.code, 1);
        QVERIFY(attivo.err.contains("è ancora aperto da"));
        const CliRun via = cli({"--home", home, "recover", "--discard", "1"});
        QCOMPARE(via.code, 0);
        QVERIFY(via.out.startsWith("Il documento nuovo 7 dell'archivio PROVA (modifiche "));
        QVERIFY(!QFileInfo::exists(perso));
        QCOMPARE(cli({"--home", home, "recover"}).out.count('\n'), 1);
    }

    void questionSaysWhichDocumentAndWhen() {
        Recupero r;
        r.archivio = "/casa/mdb/DEMO.db";
        r.buffer.IDDocCorrente = 12;
        r.buffer.NuovoDocumento = false;
        const QDateTime adesso = QDateTime::currentDateTime();
        r.modificato = QDateTime(adesso.date(), QTime(10, 42));
        QCOMPARE(DomandaRecupero(r, adesso), "Il documento 12 dell'archivio DEMO non era stato salvato "
                                             "(modifiche delle 10:42). Ripristinare?");
        r.buffer.NuovoDocumento = true;
        r.modificato = QDateTime(QDate(2026, 12, 2), QTime(9, 5));
        QCOMPARE(
            DomandaRecupero(r, QDateTime(QDate(2026, 12, 3), QTime(8, 0))),
            "Il documento nuovo 12 dell'archivio DEMO non era stato salvato (modifiche del 02/12/2026 alle "
            "9:05). Ripristinare?");
    }
};

QTEST_GUILESS_MAIN(DocumentsRecovery)
#include "tst_documents_recovery.moc"
