// The grammar rules: each finds its slip with the right correction, and stays silent on the
// legitimate irregularities of legal texts (abbreviations, citations, numbers, list items).

#include "ui/GrammarChecker.h"

#include <QtTest>

class UiGrammar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsSlip_data();
    void findsSlip();
    void silentOn_data();
    void silentOn();
    void englishKeepsToItsRules();
    void findingsInOrder();
};

void UiGrammar::findsSlip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("correction");
    const QString repeated = GrammarChecker::RepeatedWord;
    const QString before = GrammarChecker::BlankBefore;
    const QString after = GrammarChecker::BlankAfter;
    const QString unbalanced = GrammarChecker::Unbalanced;
    const QString capital = GrammarChecker::CapitalAfterStop;
    const QString po = GrammarChecker::PoAccent;
    const QString apostrophe = GrammarChecker::ApostropheBlank;
    QTest::newRow("repeated") << "ha deciso il il giudice" << repeated << "il il"
                              << "il";
    QTest::newRow("repeated capital") << "Il il giudice" << repeated << "Il il"
                                      << "Il";
    QTest::newRow("repeated after elision") << "dell'anno anno scorso" << repeated << "anno anno"
                                            << "anno";
    QTest::newRow("blank before comma") << "la parola , altra" << before << " ,"
                                        << ",";
    QTest::newRow("blank before semicolon, word after") << "parola ;altra" << before << " ;"
                                                        << "; ";
    QTest::newRow("blank before stop") << "fine del testo ." << before << " ."
                                       << ".";
    QTest::newRow("blank before question") << "perché ?" << before << " ?"
                                           << "?";
    QTest::newRow("blank before exclamation") << "ecco !" << before << " !"
                                              << "!";
    QTest::newRow("blanks before colon") << "in nota  : vedi" << before << "  :"
                                         << ":";
    QTest::newRow("blank before, after bracket") << "(art. 2) ," << before << " ,"
                                                 << ",";
    QTest::newRow("no blank after comma") << "parola,altra" << after << ",altra"
                                          << ", altra";
    QTest::newRow("no blank after semicolon") << "primo;secondo" << after << ";secondo"
                                              << "; secondo";
    QTest::newRow("no blank after stop") << "la sentenza.La Corte" << after << ".La"
                                         << ". La";
    QTest::newRow("no blank after question") << "come?Così" << after << "?Così"
                                             << "? Così";
    QTest::newRow("comma after number, then word") << "comma 1,lett. a)" << after << ",lett"
                                                   << ", lett";
    QTest::newRow("unclosed bracket") << "(art. 2 della legge" << unbalanced << "("
                                      << "";
    QTest::newRow("unopened bracket") << "la legge n. 241 del 1990) e" << unbalanced << ")"
                                      << "";
    QTest::newRow("unopened square") << "testo] e" << unbalanced << "]"
                                     << "";
    QTest::newRow("unclosed guillemet") << "«citazione senza fine" << unbalanced << "«"
                                        << "";
    QTest::newRow("unopened guillemet") << "citazione» e" << unbalanced << "»"
                                        << "";
    QTest::newRow("unclosed curly quote") << "“citazione" << unbalanced << "“"
                                          << "";
    QTest::newRow("odd straight quote") << "un \"testo\" e un \"altro" << unbalanced << "\""
                                        << "";
    QTest::newRow("lower case after stop") << "la sentenza. la Corte" << capital << "la"
                                           << "La";
    QTest::newRow("lower case after stop, accented") << "il ricorso è fondato. questa" << capital << "questa"
                                                     << "Questa";
    QTest::newRow("lower case after stop, new line") << "respinto.\nil giudice" << capital << "il"
                                                     << "Il";
    QTest::newRow("po with grave") << "un pò di" << po << "pò"
                                   << "po'";
    QTest::newRow("po with acute") << "un pó di" << po << "pó"
                                   << "po'";
    QTest::newRow("po capital") << "Pò di più" << po << "Pò"
                                << "Po'";
    QTest::newRow("apostrophe blank") << "secondo l' art. 2" << apostrophe << "l' art"
                                      << "l'art";
    QTest::newRow("apostrophe blank dell") << "dell' Unione" << apostrophe << "dell' Unione"
                                           << "dell'Unione";
    QTest::newRow("apostrophe blank un") << "un' altra" << apostrophe << "un' altra"
                                         << "un'altra";
    QTest::newRow("typographic apostrophe blank") << "l’ anno" << apostrophe << "l’ anno"
                                                  << "l’anno";
    QTest::newRow("apostrophe blank after guillemet") << "«l' art»" << apostrophe << "l' art"
                                                      << "l'art";
}

void UiGrammar::findsSlip() {
    QFETCH(QString, text);
    QFETCH(QString, rule);
    QFETCH(QString, found);
    QFETCH(QString, correction);
    const auto findings = GrammarChecker().check(text);
    QStringList seen;
    for (const GrammarFinding& f : findings) {
        seen << f.rule + QStringLiteral(": ") + f.text;
        QCOMPARE(text.mid(f.start, f.length), f.text);
        QVERIFY(!f.explanation.isEmpty());
    }
    QCOMPARE(findings.size(), 1);
    QCOMPARE(findings[0].rule, rule);
    QCOMPARE(findings[0].text, found);
    QCOMPARE(findings[0].correction, correction);
    // A bracket is deleted only on the operator's word; the other corrections are sure.
    QCOMPARE(findings[0].certain, rule != GrammarChecker::Unbalanced);
    // The correction settles the slip.
    QString corrected = text;
    corrected.replace(findings[0].start, findings[0].length, correction);
    for (const GrammarFinding& f : GrammarChecker().check(corrected))
        QVERIFY2(f.rule != rule || rule == GrammarChecker::Unbalanced, qPrintable(corrected));
}

void UiGrammar::silentOn_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("doubled adverbs") << "via via che il danno cresce, così così, passo passo";
    QTest::newRow("words across lines") << "Sentenza\nsentenza della Corte";
    QTest::newRow("abbreviations doubled") << "ecc. ecc. e c.c. c.c.";
    QTest::newRow("single letters") << "a a";
    QTest::newRow("decimal comma") << "1,5 milioni di euro";
    QTest::newRow("article number") << "art.2 della legge";
    QTest::newRow("time") << "alle ore 10:30";
    QTest::newRow("list item") << "art. 3, comma 1, lett. a), del d.lgs. n. 50/2016";
    QTest::newRow("list items roman") << "i) il primo; ii) il secondo; a-bis) il terzo; 12) il dodicesimo";
    QTest::newRow("citation") << "Cass. civ., sez. un., 12 maggio 2020, n. 1234.";
    QTest::newRow("abbreviations then lower case")
        << "v. art. 2 cost. e sez. un. la Corte; cfr. pagg. 3 ss. nel senso; lett. b) ecc. per";
    QTest::newRow("dotted abbreviations") << "S.p.A. Roma, d.P.R. n. 445, D.Lgs. e c.d. decreto e U.S.A. ora";
    QTest::newRow("number before stop") << "Trib. Roma, 3 marzo 2020. la sentenza";
    QTest::newRow("circa") << "ca. tre anni";
    QTest::newRow("acronym before stop") << "il Regolamento UE. la norma";
    QTest::newRow("address") << "si veda https://www.giustizia.it/a,b;c:d e mario.rossi@example.it,ciao";
    QTest::newRow("www") << "sito www.Normattiva.It";
    QTest::newRow("ellipsis") << "e così via ... il resto [...] e (...)";
    QTest::newRow("file extension") << "il formato .pdf del file";
    QTest::newRow("domain lower case") << "il sito giustizia.it riporta";
    QTest::newRow("balanced") << "(art. 2 [c. 3] {x}) «citazione» “altra” \"testo\"";
    QTest::newRow("po with apostrophe") << "un po' di tempo";
    QTest::newRow("elisions") << "l'art. e dell'Unione, un'altra; sull'anno, quest'ultimo";
    QTest::newRow("quoted un") << "la parola 'un' viene e ‘un’ anche";
    QTest::newRow("imperatives") << "di' pure, fa' presto, va' via";
    QTest::newRow("river Po") << "il Po e Po'";
    QTest::newRow("blank at line start") << "prima riga\n. seconda";
    QTest::newRow("stop at end") << "fine.";
    QTest::newRow("blank before number") << "art. 2 ,5";
    QTest::newRow("empty") << "";
}

void UiGrammar::silentOn() {
    QFETCH(QString, text);
    QStringList seen;
    for (const GrammarFinding& f : GrammarChecker().check(text))
        seen << f.rule + QStringLiteral(": «") + f.text + QStringLiteral("»");
    QVERIFY2(seen.isEmpty(), qPrintable(seen.join(u"; ")));
}

void UiGrammar::englishKeepsToItsRules() {
    const GrammarChecker english(SpellLanguage::English);
    QVERIFY(english.check(QStringLiteral("He said that that was so; it had had effect.")).isEmpty());
    QVERIFY(english.check(QStringLiteral("the parties' rights, l' art and pò")).isEmpty());
    const auto findings = english.check(QStringLiteral("The the Court held ,that"));
    QCOMPARE(findings.size(), 2);
    QCOMPARE(findings[0].rule, QString(GrammarChecker::RepeatedWord));
    QCOMPARE(findings[1].rule, QString(GrammarChecker::BlankBefore));
    QCOMPARE(findings[1].correction, QStringLiteral(", "));
}

void UiGrammar::findingsInOrder() {
    const QString text = QStringLiteral("un pò di testo , con il il (errore. la fine");
    const auto findings = GrammarChecker().check(text);
    QStringList rules;
    int last = -1;
    for (const auto& f : findings) {
        QVERIFY(f.start >= last);
        last = f.start;
        rules << f.rule;
    }
    QCOMPARE(rules,
             (QStringList{GrammarChecker::PoAccent, GrammarChecker::BlankBefore, GrammarChecker::RepeatedWord,
                          GrammarChecker::Unbalanced, GrammarChecker::CapitalAfterStop}));
}

QTEST_GUILESS_MAIN(UiGrammar)
#include "tst_ui_grammar.moc"
