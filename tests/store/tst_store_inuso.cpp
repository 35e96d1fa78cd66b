// The mark beside an archive open in the desktop program (<archive>.inuso): made at open, renewed,
// taken away at close; a live mark of another program is said before the archive opens, one left by
// a program that stopped is replaced without a question; the command line says it too.

#include "search/AmbitoRicerca.h"
#include "store/Archivio.h"
#include "store/ArchivioInUso.h"
#include "support/CliRun.h"
#include "support/Processi.h"
#include "support/TestHome.h"

#include <QProcess>
#include <QSysInfo>
#include <QtTest>

namespace {

// Another program, as its mark describes it.
UsoArchivio altroUso(const QString& computer, qint64 pid, const QString& programma, int oreFa) {
    UsoArchivio u;
    u.utente = QStringLiteral("rossi");
    u.computer = computer;
    u.programma = programma;
    u.pid = pid;
    u.dal = QDateTime::currentDateTimeUtc().addSecs(-3600 * oreFa);
    u.rinnovato = u.dal;
    u.sessione = NuovaSessione();
    return u;
}

void scrivi(const QString& archivio, const QByteArray& testo) {
    QFile f(PercorsoSegnoUso(archivio));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(testo);
}

QList<UsoArchivio> segno(const QString& archivio) {
    QFile f(PercorsoSegnoUso(archivio));
    return f.open(QIODevice::ReadOnly) ? LeggiSegnoUso(f.readAll()) : QList<UsoArchivio>{};
}

} // namespace

class StoreInUso : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void markFollowsTheOpenArchive() {
        TestHome t;
        t.state().segnaArchiviAperti = true;
        const QString a = t.createArchive();
        QVERIFY(t.open(a));
        const QList<UsoArchivio> usi = segno(a);
        QCOMPARE(usi.size(), 1);
        QCOMPARE(usi[0].computer, QSysInfo::machineHostName());
        QCOMPARE(usi[0].pid, QCoreApplication::applicationPid());
        QCOMPARE(usi[0].programma, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QCOMPARE(usi[0].sessione, t.state().sessioneUso);
        QVERIFY(qAbs(usi[0].dal.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        // This program is no other one.
        QVERIFY(AltriUsi(a).isEmpty());
        // A mark is no archive of mdb/.
        QCOMPARE(ArchiviDellaCartella(t.home()), QStringList{a});

        // Renewed, it keeps the time of the opening.
        UsoArchivio vecchio = usi[0];
        const QDateTime ieri = QDateTime::currentDateTimeUtc().addDays(-2);
        vecchio.dal = vecchio.rinnovato = ieri.addMSecs(-ieri.time().msec()); // as the mark keeps it
        scrivi(a, TestoSegnoUso({vecchio}));
        RinnovaUsoArchivio(t.state());
        QCOMPARE(segno(a).size(), 1);
        QCOMPARE(segno(a)[0].dal, vecchio.dal);
        QVERIFY(segno(a)[0].rinnovato > vecchio.rinnovato.addDays(1));

        ChiudiArchivio(t.state());
        QVERIFY(!QFileInfo::exists(PercorsoSegnoUso(a)));
        QVERIFY(t.state().sessioneUso.isEmpty());
        // The command line reads the marks and makes none.
        t.state().segnaArchiviAperti = false;
        QVERIFY(t.open(a));
        QVERIFY(!QFileInfo::exists(PercorsoSegnoUso(a)));
    }

    void openingWhereAnotherProgramHasIt_data() {
        QTest::addColumn<QString>("chi"); // whose mark is there
        QTest::addColumn<bool>("chiesto");
        QTest::addColumn<bool>("risposta");
        QTest::addColumn<int>("voci"); // entries of the mark afterwards
        QTest::newRow("left by a crash on this computer") << "dead here" << false << false << 1;
        QTest::newRow("number given since to another program") << "reused here" << false << false << 1;
        QTest::newRow("open here, confirmed") << "live here" << true << true << 2;
        QTest::newRow("open here, declined") << "live here" << true << false << 1;
        QTest::newRow("another computer, an hour ago") << "PC-12 1h" << true << true << 2;
        QTest::newRow("another computer, a day without a sign") << "PC-12 25h" << false << false << 1;
        QTest::newRow("not a mark") << "garbage" << false << false << 1;
    }
    void openingWhereAnotherProgramHasIt() {
        QFETCH(QString, chi);
        QFETCH(bool, chiesto);
        QFETCH(bool, risposta);
        QFETCH(int, voci);
        TestHome t;
        t.state().segnaArchiviAperti = true;
        const QString a = t.createArchive();
        Processi p;
        const QString qui = QSysInfo::machineHostName();
        if (chi == u"garbage")
            scrivi(a, "questo non è un segno\n=senza chiave\n\x01\x02");
        else
            scrivi(a,
                   TestoSegnoUso({chi == u"dead here"     ? altroUso(qui, p.morto, "quillaro", 0)
                                  : chi == u"reused here" ? altroUso(qui, p.vivo.processId(), "quillaro", 0)
                                  : chi == u"live here"   ? altroUso(qui, p.vivo.processId(), "sleep", 0)
                                  : chi == u"PC-12 1h"    ? altroUso("PC-12", 4242, "quillaro", 1)
                                                          : altroUso("PC-12", 4242, "quillaro", 25)}));
        const QByteArray prima = readFileBytes(PercorsoSegnoUso(a));
        if (chiesto)
            t.dialogs().answerNext(risposta ? Answer::Yes : Answer::No);
        const bool aperto = t.open(a);
        QCOMPARE(aperto, !chiesto || risposta);
        QCOMPARE(t.state().ArchivioAperto, aperto);
        QVERIFY(t.dialogs().unexpected().isEmpty());
        QVERIFY(t.dialogs().allAnswersUsed());
        if (chiesto) {
            const ShownMessage& m = t.dialogs().shown().front();
            QCOMPARE(m.buttons, Buttons::YesNo);
            QVERIFY2(QRegularExpression("^L'archivio PROVA è aperto anche da rossi su (PC-12|" +
                                        QRegularExpression::escape(qui) + ") dalle \\d{1,2}:\\d\\d\\.\n")
                         .match(m.text)
                         .hasMatch(),
                     qPrintable(m.text));
            QVERIFY(m.text.endsWith("Aprire l'archivio?"));
        }
        if (!aperto) {
            // Declined: the other program's mark as it was, and nothing of ours.
            QCOMPARE(readFileBytes(PercorsoSegnoUso(a)), prima);
            return;
        }
        const QList<UsoArchivio> usi = segno(a);
        QCOMPARE(usi.size(), voci);
        QCOMPARE(usi.last().sessione, t.state().sessioneUso);
        // At close the other program's entry stays; ours goes.
        ChiudiArchivio(t.state());
        QCOMPARE(segno(a).size(), voci - 1);
        QCOMPARE(QFileInfo::exists(PercorsoSegnoUso(a)), voci > 1);
    }

    void theCommandLineSaysWhoHasIt_data() {
        QTest::addColumn<QStringList>("comando");
        QTest::addColumn<bool>("suOut"); // the line goes to standard output (info), else a warning
        QTest::newRow("info") << QStringList{"info", "PROVA"} << true;
        QTest::newRow("check") << QStringList{"check", "PROVA"} << false;
        QTest::newRow("update") << QStringList{"update", "sigle.T", "count"} << false;
    }
    void theCommandLineSaysWhoHasIt() {
        QFETCH(QStringList, comando);
        QFETCH(bool, suOut);
        TestHome t;
        const QString a = t.createArchive();
        QFile sigle(t.home().mdbPath("sigle.T"));
        QVERIFY(sigle.open(QIODevice::WriteOnly));
        sigle.write("PROVA\r\n");
        sigle.close();
        const QStringList args = QStringList{"--home", t.root()} + comando;
        const CliRun libero = cli(args);
        QCOMPARE(libero.code, 0);
        QVERIFY(!(libero.out + libero.err).contains("aperto anche da") && !libero.out.contains("In uso da"));

        scrivi(a, TestoSegnoUso({altroUso("PC-12", 4242, "quillaro", 1),
                                 altroUso("PC-3", 77, "quillaro", 30)})); // the second is stale
        const CliRun r = cli(args);
        QCOMPARE(r.code, 0);
        static const QRegularExpression inUso("^In uso da: rossi su PC-12 dalle \\d{1,2}:\\d\\d \\(quillaro, "
                                              "processo 4242\\)$",
                                              QRegularExpression::MultilineOption);
        static const QRegularExpression avviso(
            "^Attenzione: L'archivio PROVA è aperto anche da rossi su PC-12 dalle \\d{1,2}:\\d\\d\\.$",
            QRegularExpression::MultilineOption);
        QVERIFY2(suOut ? inUso.match(r.out).hasMatch() : avviso.match(r.err).hasMatch(),
                 qPrintable(r.out + r.err));
        QVERIFY(!(r.out + r.err).contains("PC-3"));
        // The command line never makes or takes a mark.
        QCOMPARE(segno(a).size(), 2);
    }

    // A mark is a few lines of text that stay lines whatever the names hold.
    void markTextReadsBackWhatWasWritten() {
        UsoArchivio u = altroUso("PC-12\nutente=finto", 4242, "quillaro", 1);
        u.utente = QStringLiteral("d'Amico\r\nè");
        const QList<UsoArchivio> letti =
            LeggiSegnoUso(TestoSegnoUso({u, altroUso("PC-3", 5, "quillaro", 2)}));
        QCOMPARE(letti.size(), 2);
        QCOMPARE(letti[0].utente, QStringLiteral("d'Amico  è"));
        QCOMPARE(letti[0].computer, QStringLiteral("PC-12 utente=finto"));
        QCOMPARE(letti[0].dal, u.dal.addMSecs(-u.dal.time().msec()));
        QCOMPARE(letti[1].pid, qint64(5));
        QVERIFY(LeggiSegnoUso("utente=rossi\npid=5\n").isEmpty()); // says neither where nor since when
    }
};

QTEST_GUILESS_MAIN(StoreInUso)
#include "tst_store_inuso.moc"
