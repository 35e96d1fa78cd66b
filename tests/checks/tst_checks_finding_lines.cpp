// What a line of the error lists tells of itself, the rule and the document: from lines of every
// shape, and from every line a generated delivery's run writes.

#include "checks/Controlli.h"
#include "checks/RegoleRilievi.h"
#include "checks/RilieviDocumento.h"
#include "generator/Generatore.h"
#include "store/TextOutput.h"
#include "support/TestHome.h"

#include <QtTest>

class FindingLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ruleAndDocumentOfALine_data() {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("regola");
        QTest::addColumn<qint64>("documento"); // 0: none
        const auto riga = [](const char* nome, const char* r, const char* regola, qint64 n) {
            QTest::newRow(nome) << QString::fromUtf8(r) << QString::fromUtf8(regola) << n;
        };
        riga("general", "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 15)",
             "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di", 15);
        riga("pair, no blank before rec", "Coppia non valida: 12; 345(rec. 1)", "Coppia non valida", 1);
        riga("pair, empty codes", "Coppia asteriscata non valida: ; (rec. 7)",
             "Coppia asteriscata non valida", 7);
        riga("source citing colons and rec", "Fonte errata: l. 1: testo (rec. 3) citato (rec. 44)",
             "Fonte errata", 44);
        riga("empty citation", "Senza numero:  (rec. 5)", "Senza numero", 5);
        riga("blanks around", "  Manca fonte (rec. 8) \t", "Manca fonte", 8);
        riga("large key", "Manca fonte (rec. 9007199254740993)", "Manca fonte", 9007199254740993LL);
        riga("title", "Errori nelle fonti", "", 0);
        riga("section of the update mode", "Consegna 12", "", 0);
        riga("empty", "", "", 0);
        riga("not a number", "Manca fonte (rec. x)", "", 0);
        riga("signed", "Manca fonte (rec. -3)", "", 0);
        riga("no number", "Manca fonte (rec. )", "", 0);
        riga("beyond a key", "Manca fonte (rec. 99999999999999999999)", "", 0);
        riga("text after", "Manca fonte (rec. 8) di troppo", "", 0);
    }

    void ruleAndDocumentOfALine() {
        QFETCH(QString, riga);
        QFETCH(QString, regola);
        QFETCH(qint64, documento);
        QCOMPARE(RegolaDellaRiga(riga).toString(), regola);
        QCOMPARE(DocumentoDellaRiga(riga).value_or(0), documento);
    }

    // Every line names its document, and a rule that is the line's own beginning, followed by ": "
    // and the details or by the document.
    void everyLineOfARunIsRead() {
        TestHome t;
        const QString path = t.home().mdbPath(QStringLiteral("GEN.db"));
        GeneraArchivio(t.state(), path, OpzioniGeneratore{200, 1, 30.0, 0.0});
        QVERIFY(t.open(path));
        const FileErrori f = EseguiControlli(t.state());
        QSet<QString> regole;
        for (const QString& file : {f.generali, f.classe, f.fonti})
            for (const QString& riga : readTextLines(file, TextEncoding::Windows1252)) {
                if (riga.isEmpty())
                    continue;
                const QString regola = RegolaDellaRiga(riga).toString();
                const QStringView resto = QStringView(riga).mid(regola.size());
                QVERIFY2(!regola.isEmpty() && riga.startsWith(regola) &&
                             (resto.startsWith(u": ") || resto.startsWith(u" (rec. ")),
                         qPrintable(riga));
                QVERIFY2(DocumentoDellaRiga(riga).value_or(0) >= 1 && DocumentoDellaRiga(riga).value_or(0) <= 200,
                         qPrintable(riga));
                regole << regola;
            }
        QVERIFY(regole.contains(QStringLiteral("Fonte errata")));
        // A rule read from a line is the name the rules give it, the one the JSON of check reports.
        QSet<QString> nomi;
        for (int r = int(RegolaRilievo::MancaRiferimento); r <= int(RegolaRilievo::FonteErrata); ++r)
            nomi << NomeRegola(RegolaRilievo(r));
        QVERIFY2(nomi.contains(regole), qPrintable(QStringList((regole - nomi).values()).join(u'|')));
        QVERIFY2(regole.size() >= 5, qPrintable(QStringList(regole.values()).join(u'|')));
    }
};

QTEST_GUILESS_MAIN(FindingLines)
#include "tst_checks_finding_lines.moc"
