// The real desktop program, killed while an operator types: under a virtual X display of its own
// (xvfb-run), xdotool types words into the title of the document window and the program is killed
// (SIGKILL: nothing of it runs) at a random moment, 30 times (fewer on a slow machine: no round
// starts after twelve minutes, and at least five must have run). After each restart the document
// offered back holds every word typed more than five seconds before the kill, and nothing is
// offered that was saved: some rounds save (F4) after their last word, some of them are killed while
// "Documento salvato!" is still on the screen. The figures of each round are printed; the offers are
// kept as pictures in schermate-recupero/ beside the test, to be looked at.

#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "store/Archivio.h"
#include "support/gui/TestGui.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QtTest>
#include <csignal>

using namespace editor_test;

namespace {

constexpr int kGiri = 30;
constexpr int kGiriAlmeno = 5;
// No round starts after this (a sanitized build on a busy machine takes a minute a round).
constexpr qint64 kDurataMassimaMs = 12 * 60 * 1000;
constexpr qint64 kPerdibileMs = 5000;
// From txtID, where the window puts the keyboard, to Titolo.
constexpr int kTabFinoAlTitolo = 15;

const QString kOfferta = QStringLiteral("^Documento non salvato$");
const QString kMessaggio = QStringLiteral("^Quillaro$");

struct Parola {
    QString testo;
    qint64 inviata; // on the test's clock, once xdotool has sent it
};

// What a round left for the next one to find.
struct Giro {
    QList<Parola> parole; // typed and not saved before the kill
    bool salvato = false; // F4 after the last word
    qint64 uccisione = 0; // when the program was killed
};

QString xdo(const QStringList& argomenti) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), argomenti);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The first visible X window whose title matches, waited for; empty when none came.
QString finestra(const QString& titolo, int attesaMs) {
    QElapsedTimer t;
    t.start();
    for (;;) {
        const QString trovate = xdo({"search", "--onlyvisible", "--name", titolo});
        if (!trovate.isEmpty())
            return trovate.section(u'\n', 0, 0);
        if (t.elapsed() >= attesaMs)
            return {};
        QTest::qWait(100);
    }
}

void tasti(const QString& id, const QStringList& tasti) {
    xdo({"windowfocus", "--sync", id});
    xdo(QStringList{"key", "--clearmodifiers", "--delay", "40"} + tasti);
}

QStringList parole(const QString& titolo) {
    return titolo.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class GuiDocumentsCrash : public TestGui {
    Q_OBJECT

    TestHome t;
    QString archivio;
    qint64 IDDoc = 0;
    QElapsedTimer orologio;
    QProcess programma;

    QString titoloMemorizzato() {
        cConnessione c;
        if (!c.ApriConnessione(archivio, FileKind::DeliveryArchive, true))
            return QStringLiteral("<archivio non aperto>");
        RecordSet rs = c.ApriRS(QStringLiteral("select Testo from tabTesto, legameDocTesto where "
                                               "legameDocTesto.IDTesto = tabTesto.IDTesto and IDDoc = ? and "
                                               "Tipo = '0'"),
                                {IDDoc});
        return rs.eof() ? QString() : rs.field(0).toString();
    }

    qsizetype fileDiRecupero() const {
        return QDir(t.root() + "/recupero").entryList({"*.json"}, QDir::Files).size();
    }

    // The program on the archive; the id of its main window once it shows the archive.
    QString avvia() {
        programma.setProgram(QStringLiteral(QUILLARO_GUI_PROGRAM));
        programma.setArguments({"--home", t.root(), "--no-splash", "--open", archivio});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        programma.setProcessEnvironment(env);
        const QString log = QDir(t.root()).filePath("programma.log");
        programma.setStandardOutputFile(log, QIODevice::Append);
        programma.setStandardErrorFile(log, QIODevice::Append);
        programma.start();
        if (!programma.waitForStarted())
            return {};
        return finestra(QStringLiteral("^Quillaro \\("), 60000);
    }

    void uccidi() {
        ::kill(static_cast<pid_t>(programma.processId()), SIGKILL);
        programma.waitForFinished(30000);
    }

    static void schermata(const QString& nome) {
        QDir().mkpath("schermate-recupero");
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QStringLiteral("schermate-recupero/%1.png").arg(nome));
    }

    // F4 in the document window (again, should the window not have been ready), then Enter on
    // "Documento salvato!" unless it is to stay up. False when the box never came.
    static bool salva(const QString& principale, bool lasciaIlMessaggio) {
        for (int volta = 0; volta < 3; ++volta) {
            tasti(principale, {"F4"});
            const QString messaggio = finestra(kMessaggio, 15000);
            if (messaggio.isEmpty())
                continue;
            if (!lasciaIlMessaggio)
                tasti(messaggio, {"Return"});
            return true;
        }
        return false;
    }

protected:
    void dopoOgniTest() override {
        if (programma.state() != QProcess::NotRunning)
            uccidi();
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed (scripts/install-deps.sh)");
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("no X display: the test runs under xvfb-run");
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        d.txtTitolo = "p0";
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        IDDoc = b.IDDocCorrente;
        archivio = t.state().archivioCorrente();
        ChiudiArchivio(t.state());
        orologio.start();
    }

    void typingKilledThirtyTimesLosesAtMostFiveSeconds() {
        const quint32 seme = QRandomGenerator::global()->generate();
        QRandomGenerator caso(seme);
        QStringList base = parole(titoloMemorizzato()); // the words the archive holds
        Giro prima;
        int prossima = 1;
        qint64 peggiore = 0; // the oldest word lost by any round, ms before its kill
        int offerte = 0, salvati = 0;
        QStringList righe{QStringLiteral("seme %1").arg(seme)};

        QElapsedTimer tempo;
        tempo.start();
        int fatti = 0;
        for (int giro = 1; giro <= kGiri && (giro <= kGiriAlmeno || tempo.elapsed() < kDurataMassimaMs);
             ++giro) {
            fatti = giro;
            const QString dove = QStringLiteral("giro %1: ").arg(giro);
            const QString principale = avvia();
            QVERIFY2(!principale.isEmpty(), qPrintable(dove + "il programma non si è aperto"));
            const QString offerta =
                finestra(kOfferta, prima.parole.isEmpty() || prima.salvato ? 5000 : 30000);
            int dovute = 0; // the words typed more than five seconds before the kill
            for (const Parola& p : prima.parole)
                if (prima.uccisione - p.inviata > kPerdibileMs)
                    ++dovute;
            if (!offerta.isEmpty()) {
                QVERIFY2(!prima.salvato, qPrintable(dove + "offerto un documento già salvato"));
                ++offerte;
                if (offerte <= 3)
                    schermata(QStringLiteral("offerta-giro-%1").arg(giro, 2, 10, QLatin1Char('0')));
                tasti(offerta, {"alt+r"});
                QTest::qWait(1000);
                if (offerte == 1)
                    schermata(QStringLiteral("ripristinato-giro-%1").arg(giro, 2, 10, QLatin1Char('0')));
                QVERIFY2(salva(principale, false), qPrintable(dove + "il ripristinato non è stato salvato"));
            } else {
                QVERIFY2(dovute == 0 || prima.salvato,
                         qPrintable(dove + QStringLiteral("nessuna offerta, %1 parole perse").arg(dovute)));
                tasti(principale, {"alt+d", "e"});
                QVERIFY2(!finestra("^Scegli documento$", 30000).isEmpty(),
                         qPrintable(dove + "nessuna scelta"));
                tasti(finestra("^Scegli documento$", 1000), {"Return"});
                QTest::qWait(1000);
            }
            QTest::qWait(300);
            // The archive now holds what the last round typed, up to a word perhaps cut in the middle.
            const QStringList memorizzate = parole(titoloMemorizzato());
            QVERIFY2(memorizzate.mid(0, base.size()) == base,
                     qPrintable(dove + "titolo cambiato: " + memorizzate.join(u' ') + " invece di " +
                                base.join(u' ') + " ..."));
            const QStringList nuove = memorizzate.mid(base.size());
            qsizetype intere = 0;
            for (const QString& p : nuove) {
                const QString attesa = prima.parole.value(intere).testo;
                const bool ultimaTagliata = &p == &nuove.constLast() && attesa.startsWith(p);
                QVERIFY2(p == attesa || ultimaTagliata, qPrintable(dove + "parola inattesa " + p));
                intere += p == attesa ? 1 : 0;
            }
            if (prima.salvato)
                QCOMPARE(intere, prima.parole.size());
            QVERIFY2(
                intere >= dovute,
                qPrintable(dove +
                           QStringLiteral("%1 parole ripristinate su %2 dovute").arg(intere).arg(dovute)));
            if (intere < prima.parole.size())
                peggiore = std::max(peggiore, prima.uccisione - prima.parole[intere].inviata);
            if (giro > 1)
                righe.last() += QStringLiteral(" -> %1: %2 parole di %3 (dovute %4)")
                                    .arg(offerta.isEmpty() ? "nessuna offerta" : "ripristinato")
                                    .arg(intere)
                                    .arg(prima.parole.size())
                                    .arg(dovute);
            // Nothing left behind: the restored work is saved, the window holds nothing new.
            QTRY_COMPARE_WITH_TIMEOUT(fileDiRecupero(), 0, 10000);
            base = memorizzate;

            // Tab to the title, to its end, then word after word until the kill.
            QStringList vai;
            for (int i = 0; i < kTabFinoAlTitolo; ++i)
                vai << "Tab";
            vai << "ctrl+End";
            tasti(principale, vai);
            Giro questo;
            const qint64 durata = 300 + caso.bounded(12000);
            const qint64 inizio = orologio.elapsed();
            while (orologio.elapsed() - inizio < durata) {
                const QString parola = QStringLiteral("p%1").arg(prossima++);
                // The blank first: a word cut by the kill stays a word of its own.
                xdo({"type", "--delay", "20", ' ' + parola});
                questo.parole.append({parola, orologio.elapsed()});
                if (giro == 1 && questo.parole.size() == 3)
                    schermata(QStringLiteral("scrittura-giro-01"));
            }
            QString come = QStringLiteral("ucciso scrivendo");
            if (caso.bounded(100) < 30) {
                const bool lascia = caso.bounded(2) == 0;
                QVERIFY2(salva(principale, lascia), qPrintable(dove + "F4 senza \"Documento salvato!\""));
                if (!lascia)
                    QTest::qWait(caso.bounded(3000));
                come = lascia ? QStringLiteral("ucciso su \"Documento salvato!\"")
                              : QStringLiteral("salvato, poi ucciso");
                questo.salvato = true;
                ++salvati;
            }
            questo.uccisione = orologio.elapsed();
            uccidi();
            if (!righe.isEmpty())
                qInfo("%s", qPrintable(righe.last()));
            righe << dove + QStringLiteral("%1 parole in %2 ms, %3")
                                .arg(questo.parole.size())
                                .arg(durata)
                                .arg(come);
            prima = questo;
        }
        // The last round's work, found by the next start.
        QVERIFY(!avvia().isEmpty());
        const QString offerta = finestra(kOfferta, prima.salvato ? 5000 : 30000);
        QCOMPARE(offerta.isEmpty(), prima.salvato || prima.parole.isEmpty());
        uccidi();
        for (const QString& r : righe)
            qInfo("%s", qPrintable(r));
        qInfo(
            "%d giri, %d offerte ripristinate, %d salvati prima dell'uccisione; la parola persa più vecchia "
            "era stata scritta %lld ms prima dell'uccisione (limite %lld)",
            fatti, offerte, salvati, peggiore, kPerdibileMs);
        QVERIFY(peggiore <= kPerdibileMs);
    }
};

QTEST_MAIN(GuiDocumentsCrash)
#include "tst_gui_documents_crash.moc"
