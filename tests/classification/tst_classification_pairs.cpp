// Classification pairs: the check codes given when the dialog stores, the lines and the load.

#include "classification/mdlClasse.h"
#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"

#include <QtTest>

using namespace editor_test;

class ClassificationPairs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newPairsGetTheirCodes_data() {
        QTest::addColumn<QString>("sistematico");
        QTest::addColumn<QStringList>("descrittori");
        QTest::addColumn<QString>("asteriscato");
        QTest::addColumn<QStringList>("righe");
        QTest::newRow("allowed pair")
            << "T1.1" << QStringList{"TD001 --> descrittore"} << "" << QStringList{"0 - T1.1; TD001"};
        QTest::newRow("pair outside the scheme")
            << "T1.1" << QStringList{"TD003 --> x"} << "" << QStringList{"1 - T1.1; TD003"};
        QTest::newRow("several descriptors, lower case typed")
            << "t1.1" << QStringList{"td001 --> a", "TD002 --> b", "TD001 --> a"}
            << "AT001 - asteriscato di prova"
            << QStringList{"0 - T1.1; TD001", "0 - T1.1; TD002", "0 - T1.1; TD001"};
        QTest::newRow("systematic alone") << "T1.2" << QStringList{} << "" << QStringList{"0 - T1.2; "};
        QTest::newRow("asterisked allowed")
            << "T1.1" << QStringList{} << "AT001 - asteriscato di prova" << QStringList{"2 - T1.1; AT001"};
        QTest::newRow("asterisked not allowed")
            << "T1.1" << QStringList{} << "at002 - altro asteriscato" << QStringList{"3 - T1.1; AT002"};
        QTest::newRow("unknown systematic")
            << "Z9" << QStringList{"TD001 --> a"} << "" << QStringList{"1 - Z9; TD001"};
    }
    void newPairsGetTheirCodes() {
        QFETCH(QString, sistematico);
        QFETCH(QStringList, descrittori);
        QFETCH(QString, asteriscato);
        QFETCH(QStringList, righe);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b;
        b.ElencoClassificazione = {VoceClassificazione{5, "X", "Y", 1, true}};
        DatiClassificazione dati;
        dati.txtSistematico = sistematico;
        dati.txtDescrittore = "TD003"; // typed but not added: ignored in new mode
        dati.lstDescrittore = descrittori;
        if (!asteriscato.isEmpty()) {
            dati.cmbAsteriscati = 1;
            dati.asteriscato = asteriscato;
        }
        QVERIFY(MemorizzaClassificazione(a.c(), b, dati));
        QCOMPARE(righeClassificazione(b.ElencoClassificazione), QStringList{"DEL--1 - X; Y"} + righe);
        QCOMPARE(b.IndiceClassificazione, -1);
        for (int i = 1; i < b.ElencoClassificazione.size(); ++i)
            QCOMPARE(b.ElencoClassificazione[i].ID, 0);
    }

    void modifyingAPair_data() {
        QTest::addColumn<QString>("descrittore");
        QTest::addColumn<int>("asteriscato");
        QTest::addColumn<QString>("riga");
        QTest::newRow("regular descriptor") << "TD002" << 0 << "DEL--0 - T1.1; TD002";
        QTest::newRow("descriptor wins over asterisked") << "TD003" << 2 << "DEL--1 - T1.1; TD003";
        QTest::newRow("asterisked") << "" << 1 << "DEL--2 - T1.1; AT001";
        QTest::newRow("nothing: no descriptor") << "" << 0 << "DEL--0 - T1.1; ";
    }
    void modifyingAPair() {
        QFETCH(QString, descrittore);
        QFETCH(int, asteriscato);
        QFETCH(QString, riga);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b;
        b.ElencoClassificazione = {VoceClassificazione{3, "T1.2", "TD001", 1, true},
                                   VoceClassificazione{4, "A", "B", 0, false}};
        b.IndiceClassificazione = 0;
        const QStringList items = ElencoAsteriscati(a.c());
        DatiClassificazione dati;
        dati.txtSistematico = "T1.1";
        dati.txtDescrittore = descrittore;
        dati.lstDescrittore = {"TD001 --> ignored in modify mode"};
        dati.cmbAsteriscati =
            asteriscato == 0 ? 0 : posizioneAsteriscato(items, asteriscato == 1 ? "AT001" : "AT002");
        dati.asteriscato = items.value(dati.cmbAsteriscati);
        QVERIFY(MemorizzaClassificazione(a.c(), b, dati));
        QCOMPARE(b.ElencoClassificazione.size(), 2);
        // The mark stays, the key too.
        QCOMPARE(rigaClassificazione(b.ElencoClassificazione[0]), riga);
        QCOMPARE(b.ElencoClassificazione[0].ID, 3);
        QCOMPARE(b.IndiceClassificazione, 0);
    }

    void emptySystematicChangesNothing() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b;
        DatiClassificazione dati;
        dati.lstDescrittore = {"TD001 --> a"};
        QVERIFY(!MemorizzaClassificazione(a.c(), b, dati));
        QVERIFY(b.ElencoClassificazione.isEmpty());
    }

    void checkThatCannotRunLeavesZero() {
        TestHome t;
        Archivio a(t);
        a.c().executeScript("drop table tabLegameDS;");
        DocumentBuffer b;
        DatiClassificazione dati;
        dati.txtSistematico = "T1.1";
        dati.lstDescrittore = {"TD009 --> a"};
        QVERIFY(MemorizzaClassificazione(a.c(), b, dati));
        QCOMPARE(b.ElencoClassificazione.first().Controllo, 0);
    }

    void lookups() {
        TestHome t;
        Archivio a(t);
        QCOMPARE(DescrizioneSistematico(a.c(), "T1.1"), std::optional<QString>("TS1 - Sistematico uno"));
        QCOMPARE(DescrizioneSistematico(a.c(), "t1.1"), std::optional<QString>("TS1 - Sistematico uno"));
        QCOMPARE(DescrizioneSistematico(a.c(), "T1.9"), std::nullopt);
        QCOMPARE(DescrizioneDescrittore(a.c(), "TD002"), std::optional<QString>("descrittore TD002"));
        QCOMPARE(DescrizioneDescrittore(a.c(), "TD999"), std::nullopt);
        const QStringList items = ElencoAsteriscati(a.c());
        QCOMPARE(items.first(), QString("Asteriscati"));
        QVERIFY(items.contains("AT001 - asteriscato di prova"));
        QCOMPARE(posizioneAsteriscato(items, "AT002"), int(items.indexOf("AT002 - altro asteriscato")));
        QCOMPARE(posizioneAsteriscato(items, "AT999"), 0);
        QVERIFY(ListaAsteriscati(a.c()).contains("T1.2 --- altro asteriscato"));
        QCOMPARE(rigaDescrittore("TD001", "x"), QString("TD001 --> x"));
    }

    void loadReadsZeroAsNoDescriptor() {
        TestHome t;
        Archivio a(t);
        a.c().EseguiIstruzione("insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values "
                               "(4, 'T1.1', '0', 0), (4, 'T1.1', 'AT002', 3), (5, 'X', 'Y', 1)");
        const QList<VoceClassificazione> l = CaricaClassificazione(a.c(), 4);
        QCOMPARE(righeClassificazione(l), QStringList({"0 - T1.1; ", "3 - T1.1; AT002"}));
        QVERIFY(l[0].ID > 0);
    }
};

QTEST_GUILESS_MAIN(ClassificationPairs)
#include "tst_classification_pairs.moc"
