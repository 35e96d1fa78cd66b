// What a line of the error lists tells of itself (the rule and the document), read back from every
// line a generated delivery's run writes, and the lines of a list counted by rule for the viewer.

#include "checks/Controlli.h"
#include "checks/IndiceRilievi.h"
#include "checks/RegoleRilievi.h"
#include "documents/Generatore.h"
#include "store/TextOutput.h"
#include "support/TestHome.h"

#include <QtTest>

namespace {

IndiceRilievi indice(const QStringList& righe) {
    return IndiceRilievi(static_cast<int>(righe.size()), [&righe](int i) { return QStringView(righe[i]); });
}

} // namespace

class FindingLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ruleAndDocumentOfALine_data() {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("regola");
        QTest::addColumn<qint64>("documento"); // 0: none
        QTest::newRow("general") << "Manca rif. bibliografico (rec. 2)"
                                 << "Manca rif. bibliografico" << 2LL;
        QTest::newRow("general with slashes")
            << "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 15)"
            << "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di" << 15LL;
        QTest::newRow("pair, no blank before rec") << "Coppia non valida: 12; 345(rec. 1)"
                                                   << "Coppia non valida" << 1LL;
        QTest::newRow("pair with empty codes") << "Coppia asteriscata non valida: ; (rec. 7)"
                                               << "Coppia asteriscata non valida" << 7LL;
        QTest::newRow("source") << "Fonte errata: art. 3 l. 15 marzo 1990, n. 22 (città) (rec. 1)"
                                << "Fonte errata" << 1LL;
        QTest::newRow("source citing colons and rec") << "Fonte errata: l. 1: testo (rec. 3) citato (rec. 44)"
                                                      << "Fonte errata" << 44LL;
        QTest::newRow("impossible date")
            << "Fonte con data impossibile per il tipo di atto: r.d. 1 gennaio 1950, n. 1 (rec. 9)"
            << "Fonte con data impossibile per il tipo di atto" << 9LL;
        QTest::newRow("empty citation") << "Senza numero:  (rec. 5)"
                                        << "Senza numero" << 5LL;
        QTest::newRow("blanks after") << "Manca fonte (rec. 8)  \t"
                                      << "Manca fonte" << 8LL;
        QTest::newRow("blanks before") << "  Manca fonte (rec. 8)"
                                       << "Manca fonte" << 8LL;
        QTest::newRow("large key") << "Manca fonte (rec. 9007199254740993)"
                                   << "Manca fonte" << 9007199254740993LL;
        QTest::newRow("title") << "Errori nelle fonti"
                               << "" << 0LL;
        QTest::newRow("section of the update mode") << "Consegna 12"
                                                    << "" << 0LL;
        QTest::newRow("empty") << ""
                               << "" << 0LL;
        QTest::newRow("not a number") << "Manca fonte (rec. x)"
                                      << "" << 0LL;
        QTest::newRow("signed") << "Manca fonte (rec. -3)"
                                << "" << 0LL;
        QTest::newRow("no number") << "Manca fonte (rec. )"
                                   << "" << 0LL;
        QTest::newRow("beyond a key") << "Manca fonte (rec. 99999999999999999999)"
                                      << "" << 0LL;
        QTest::newRow("text after") << "Manca fonte (rec. 8) di troppo"
                                    << "" << 0LL;
    }

    void ruleAndDocumentOfALine() {
        QFETCH(QString, riga);
        QFETCH(QString, regola);
        QFETCH(qint64, documento);
        QCOMPARE(RegolaRilievo(riga).toString(), regola);
        QCOMPARE(DocumentoRilievo(riga).value_or(0), documento);
    }

    // Every line a run writes names its document and a rule that is the line's own beginning: the
    // fixed text, then ": " and the details or the document.
    void everyLineOfARunIsRead() {
        TestHome t;
        const QString path = t.home().mdbPath(QStringLiteral("GEN.db"));
        OpzioniGeneratore opzioni;
        opzioni.documenti = 200;
        opzioni.sviste = 30;
        GeneraArchivio(t.state(), path, opzioni);
        QVERIFY(t.open(path));
        const FileErrori f = EseguiControlli(t.state());
        QSet<QString> regole;
        qsizetype righe = 0;
        for (const QString& file : {f.generali, f.classe, f.fonti})
            for (const QString& riga : readTextLines(file, TextEncoding::Windows1252)) {
                if (riga.isEmpty())
                    continue;
                ++righe;
                const QString regola = RegolaRilievo(riga).toString();
                QVERIFY2(!regola.isEmpty(), qPrintable(riga));
                const QStringView resto = QStringView(riga).mid(regola.size());
                QVERIFY2(riga.startsWith(regola) && (resto.startsWith(u": ") || resto.startsWith(u" (rec. ")),
                         qPrintable(riga));
                const qint64 n = DocumentoRilievo(riga).value_or(0);
                QVERIFY2(n >= 1 && n <= 200, qPrintable(riga));
                regole << regola;
            }
        QVERIFY2(righe > 50, qPrintable(QString::number(righe)));
        QVERIFY2(regole.contains(QStringLiteral("Fonte errata")),
                 qPrintable(QStringList(regole.values()).join('|')));
        QVERIFY(regole.size() >= 5);
    }

    void linesCountedByRule_data() {
        QTest::addColumn<QStringList>("righe");
        QTest::addColumn<QStringList>("voci");
        QTest::addColumn<QList<int>>("regolaDi");
        QTest::newRow("most lines first")
            << QStringList{"Errori nelle fonti",       "",
                           "Senza numero: a (rec. 1)", "Fonte errata: b (rec. 1)",
                           "Fonte errata: c (rec. 2)", ""}
            << QStringList{"Fonte errata (2)", "Senza numero (1)"} << QList<int>{-1, -1, 1, 0, 0, -1};
        QTest::newRow("a tie: the one met first")
            << QStringList{"Manca fonte (rec. 1)", "Manca responsabilità (rec. 1)",
                           "Manca responsabilità (rec. 2)", "Manca fonte (rec. 3)"}
            << QStringList{"Manca fonte (2)", "Manca responsabilità (2)"} << QList<int>{0, 1, 1, 0};
        QTest::newRow("sections of the update mode")
            << QStringList{"Consegna 12", "Manca fonte (rec. 1)", "",
                           "Consegna 13", "Manca fonte (rec. 1)", ""}
            << QStringList{"Manca fonte (2)"} << QList<int>{-1, 0, -1, -1, 0, -1};
        QTest::newRow("no finding") << QStringList{"Errori generici", ""} << QStringList{}
                                    << QList<int>{-1, -1};
    }

    void linesCountedByRule() {
        QFETCH(QStringList, righe);
        QFETCH(QStringList, voci);
        QFETCH(QList<int>, regolaDi);
        const IndiceRilievi i = indice(righe);
        QStringList viste;
        qsizetype somma = 0;
        for (const ConteggioRegola& c : i.regole()) {
            viste << VoceRegola(c);
            somma += c.righe;
        }
        QCOMPARE(viste, voci);
        QCOMPARE(i.rilievi(), somma);
        QList<int> di;
        for (int k = 0; k < righe.size(); ++k)
            di << i.regolaDi(k);
        QCOMPARE(di, regolaDi);
        QCOMPARE(i.regolaDi(-1), -1);
        QCOMPARE(i.regolaDi(static_cast<int>(righe.size())), -1);
        for (int r = 0; r < i.regole().size(); ++r) {
            std::vector<int> attese;
            for (int k = 0; k < regolaDi.size(); ++k)
                if (regolaDi[k] == r)
                    attese.push_back(k);
            QCOMPARE(i.righeDi(r), attese);
        }
        QVERIFY(i.righeDi(static_cast<int>(i.regole().size())).empty());
    }

    void thousandsApart_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("testo");
        QTest::newRow("0") << 0LL << "0";
        QTest::newRow("999") << 999LL << "999";
        QTest::newRow("1000") << 1000LL << "1 000";
        QTest::newRow("2056") << 2056LL << "2 056";
        QTest::newRow("100000") << 100000LL << "100 000";
        QTest::newRow("1234567") << 1234567LL << "1 234 567";
        QTest::newRow("negative") << -1234LL << "-1 234";
    }

    void thousandsApart() {
        QFETCH(qint64, n);
        QFETCH(QString, testo);
        QCOMPARE(NumeroConMigliaia(n), testo);
    }
};

QTEST_GUILESS_MAIN(FindingLines)
#include "tst_checks_finding_lines.moc"
