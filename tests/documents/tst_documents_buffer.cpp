// The buffer's rules that need no archive: list lines, deletion marks, the responsibility dialog,
// the text variables and their cleaning, the date text.

#include "documents/EditorFixture.h"
#include "documents/Responsabilita.h"
#include "documents/SalvaDocumento.h"
#include "documents/Testi.h"

#include <QtTest>

class DocumentBufferRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void responsibilityDialogStores_data() {
        QTest::addColumn<QString>("primo");
        QTest::addColumn<QString>("secondo");
        QTest::addColumn<bool>("autore");
        QTest::addColumn<QString>("riga");
        QTest::newRow("author, trimmed") << "  Rossi "
                                         << " Mario" << true << "A - Rossi, Mario";
        QTest::newRow("curator") << "Rossi"
                                 << "Mario" << false << "C - Rossi, Mario";
        QTest::newRow("surname alone") << "Rossi"
                                       << "  " << true << "A - Rossi";
        QTest::newRow("nothing typed") << ""
                                       << "" << true << "A - ";
        QTest::newRow("quote in surname") << "D'Amico \"jr\""
                                          << "Luca" << true << "A - D'Amico \"jr\", Luca";
    }
    void responsibilityDialogStores() {
        QFETCH(QString, primo);
        QFETCH(QString, secondo);
        QFETCH(bool, autore);
        QFETCH(QString, riga);
        DocumentBuffer b;
        DatiResponsabilita d = PulisciResponsabilita();
        QVERIFY(d.optAutore && !d.optCuratore);
        d.txtElementoPr = primo;
        d.txtElementoSec = secondo;
        d.optAutore = autore;
        d.optCuratore = !autore;
        QCOMPARE(MemorizzaResponsabilita(b, d), QStringList{riga});
        QCOMPARE(b.IndiceResponsabilita, -1);
        QCOMPARE(b.ElencoResponsabilita.first().IDResponsabilita, 0);
        // Stored again with no current entry: a second entry.
        QCOMPARE(MemorizzaResponsabilita(b, d).size(), 2);
    }

    void modifyingKeepsKeyAndMark() {
        DocumentBuffer b;
        b.ElencoResponsabilita = {VoceResponsabilita{12, "Rossi", "", true, true},
                                  VoceResponsabilita{13, "Verdi", "G.", false, false}};
        QStringList righe = righeResponsabilita(b.ElencoResponsabilita);
        QCOMPARE(righe, QStringList({"DEL--A - Rossi", "C - Verdi, G."}));
        b.IndiceResponsabilita = 0;
        DatiResponsabilita d = MostraResponsabilita(b);
        QCOMPARE(d.txtElementoPr, QString("Rossi"));
        QVERIFY(d.optAutore && !d.optCuratore);
        d.txtElementoSec = "Mario";
        d.optAutore = false;
        righe = MemorizzaResponsabilita(b, d);
        QCOMPARE(righe, QStringList({"DEL--C - Rossi, Mario", "C - Verdi, G."}));
        QCOMPARE(b.ElencoResponsabilita[0].IDResponsabilita, 12);
        b.IndiceResponsabilita = -1;
        d = MostraResponsabilita(b);
        QVERIFY(!d.optAutore && !d.optCuratore && d.txtElementoPr.isEmpty());
    }

    void deletionMarks() {
        QList<VoceClassificazione> l(3);
        QStringList righe{"0 - A; ", "DEL--1 - B; C", "0 - D; "};
        l[1].Cancellata = true;
        marcaCancellate(righe, l, {1, 2, 7});
        // A line already marked gets the prefix once more; the entry stays marked once.
        QCOMPARE(righe, QStringList({"0 - A; ", "DEL--DEL--1 - B; C", "DEL--0 - D; "}));
        QVERIFY(!l[0].Cancellata && l[1].Cancellata && l[2].Cancellata);
    }

    void textVariables() {
        DocumentBuffer b;
        for (int tipo = 0; tipo < 4; ++tipo) {
            QVERIFY(testoFrmTesti(b, tipo));
            *testoFrmTesti(b, tipo) = QString::number(tipo);
            QVERIFY(!titoliFrmTesti(tipo).caption.isEmpty());
        }
        QVERIFY(!testoFrmTesti(b, 4) && !testoFrmTesti(b, -1));
        QCOMPARE(b.TestoRiassunto + b.TestoSommario + b.TestoInTemaDi + b.TestoEnglishAbstract,
                 QString("0123"));
        QCOMPARE(titoliFrmTesti(2).caption, QString("Testo 'In tema di'"));
        QCOMPARE(titoliFrmTesti(3).label, QString("English abstract"));
        *testoFrmAltriTesti(b, 3) = "t";
        *testoFrmAltriTesti(b, 5) = "n";
        QCOMPARE(b.TestoTraduzione + b.TestoNotaDoc, QString("tn"));
        QVERIFY(!testoFrmAltriTesti(b, 0));
    }

    void cleaning_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("senzaACapo");
        QTest::addColumn<QString>("memorizzato");
        QTest::newRow("paragraphs joined") << "Uno.\r\nDue.\nTre."
                                           << "Uno.Due.Tre."
                                           << "Uno.Due.Tre.";
        QTest::newRow("tabs only on store") << "a\tb"
                                            << "a\tb"
                                            << "ab";
        QTest::newRow("unicode separators") << QString("x") + QChar(0x2029) + "y" + QChar(0x2028) + "z"
                                            << "xyz"
                                            << "xyz";
        QTest::newRow("quotes and emoji kept") << "\"«ciao»\" 🙂"
                                               << "\"«ciao»\" 🙂"
                                               << "\"«ciao»\" 🙂";
    }
    void cleaning() {
        QFETCH(QString, testo);
        QFETCH(QString, senzaACapo);
        QFETCH(QString, memorizzato);
        QCOMPARE(::senzaACapo(testo), senzaACapo);
        QCOMPARE(testoDaMemorizzare(testo), memorizzato);
    }

    void dateText() {
        DatiDocumento d;
        QCOMPARE(testoData(d), QString("0000-00-00"));
        d.cmbAA = {3, "2024"};
        QCOMPARE(testoData(d), QString("2024-00"));
        d.cmbMM = {9, "settembre"};
        QCOMPARE(testoData(d), QString("2024-09-00"));
        d.cmbGG = {31, "31"};
        QCOMPARE(testoData(d), QString("2024-09-31"));
        QCOMPARE(codiceScelto(Combo{2, "500|x"}, 3), QString("500"));
        QCOMPARE(codiceScelto(Combo{0, "Tipo abstract"}, 3), QString());
    }
};

QTEST_GUILESS_MAIN(DocumentBufferRules)
#include "tst_documents_buffer.moc"
