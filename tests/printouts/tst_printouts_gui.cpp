// The Consegna > Stampe menu: the filter question, the closing boxes, the offer to open the file
// and the report of a failure.

#include "support/gui/TestGui.h"
#include "PrintoutsFixture.h"
#include "app/gui/MDIQuillaro.h"
#include "support/GuiTestUtil.h"

#include <QAction>

class PrintoutsGui : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void menu_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QList<Answer>>("risposte");
        QTest::addColumn<QStringList>("messaggi");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("documentiStampati");
        const QString offerta = QStringLiteral("Aprire il file %1 con l'applicazione predefinita?");
        QTest::newRow("complete") << "mnuUtilitaDocumentiStampeCompleta" << QList<Answer>{Answer::No}
                                  << QStringList{"Fine stampa", offerta} << "stampaRTF-C-12.rtf" << 2;
        QTest::newRow("texts, filter Yes")
            << "mnuUtilitaDocumentiStampeSoloTesti" << QList<Answer>{Answer::Yes, Answer::No}
            << QStringList{"Stampa con filtro per traduzioni titolo?", "Fine stampa", offerta}
            << "stampaRTF-T-12.rtf" << 1;
        QTest::newRow("texts, filter No")
            << "mnuUtilitaDocumentiStampeSoloTesti" << QList<Answer>{Answer::No, Answer::No}
            << QStringList{"Stampa con filtro per traduzioni titolo?", "Fine stampa", offerta}
            << "stampaRTF-T-12.rtf" << 2;
        QTest::newRow("summary") << "mnuUtilitaDocumentiStampeProspetto" << QList<Answer>{Answer::No}
                                 << QStringList{"Fine stampa prospetto", offerta} << "prospetto 12.html" << 0;
        QTest::newRow("consistency") << "mnuUtilitaDocumentiStampeConsistenza" << QList<Answer>{Answer::No}
                                     << QStringList{"TotTAbs: 0 --- Num. docc.: 2", "Fine stampa consistenza",
                                                    offerta}
                                     << "consistenza.12" << 0;
    }
    void menu() {
        QFETCH(QString, item);
        QFETCH(QList<Answer>, risposte);
        QFETCH(QStringList, messaggi);
        QFETCH(QString, file);
        QFETCH(int, documentiStampati);
        TestHome t;
        const QString path = t.home().dumpPath(file);
        {
            PrintoutsFixture f(t);
            f.testo(f.documento({}), "8", "Abstract [trad.]");
            f.documento({});
            ChiudiArchivio(t.state());
        }
        MDIQuillaro main(t.state());
        QVERIFY(main.apriArchivio(t.home().mdbPath(QStringLiteral("PROVA.db"))));
        for (const Answer a : risposte)
            t.dialogs().answerNext(a);
        auto* action = main.findChild<QAction*>(item);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();

        messaggi.last() = messaggi.last().arg(path);
        QCOMPARE(t.dialogs().texts(), messaggi);
        QVERIFY(t.dialogs().unexpected().isEmpty());
        QVERIFY(t.dialogs().allAnswersUsed());
        const auto& shown = t.dialogs().shown();
        if (item.endsWith(u"SoloTesti")) {
            QCOMPARE(shown.front().title, QStringLiteral("Abstract in inglese"));
            QCOMPARE(shown.front().buttons, Buttons::YesNoCancel);
        }
        QCOMPARE(shown.back().buttons, Buttons::YesNo);
        QVERIFY(QFileInfo::exists(path));
        if (documentiStampati > 0)
            QCOMPARE(QString::fromLatin1(readFileBytes(path)).count(QStringLiteral("{\\b Documento: }")),
                     documentiStampati);
    }

    // Esc on the filter question is no answer: nothing is printed, the last print stays whole.
    void escapeOnTheFilterQuestionPrintsNothing() {
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.documento({});
            ChiudiArchivio(t.state());
        }
        const QString path = t.home().dumpPath(QStringLiteral("stampaRTF-T-12.rtf"));
        QFile ultima(path);
        QVERIFY(ultima.open(QIODevice::WriteOnly));
        ultima.write("{\\rtf1 la stampa di ieri}");
        ultima.close();
        MDIQuillaro main(t.state());
        QVERIFY(main.apriArchivio(t.home().mdbPath(QStringLiteral("PROVA.db"))));
        t.dialogs().answerNext(Answer::Cancel);
        main.findChild<QAction*>(QStringLiteral("mnuUtilitaDocumentiStampeSoloTesti"))->trigger();
        QCOMPARE(t.dialogs().texts(), QStringList{"Stampa con filtro per traduzioni titolo?"});
        QCOMPARE(readFileBytes(path), QByteArray("{\\rtf1 la stampa di ieri}"));
        QVERIFY(t.dialogs().unexpected().isEmpty());
    }

    void errore() {
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.documento({});
            f.db().executeScript(QStringLiteral("drop table legameDocResp"));
            ChiudiArchivio(t.state());
        }
        MDIQuillaro main(t.state());
        QVERIFY(main.apriArchivio(t.home().mdbPath(QStringLiteral("PROVA.db"))));
        main.findChild<QAction*>(QStringLiteral("mnuUtilitaDocumentiStampeCompleta"))->trigger();
        QCOMPARE(t.dialogs().shown().size(), size_t(1));
        const ShownMessage& box = t.dialogs().shown().front();
        QCOMPARE(box.icon, Icon::Critical);
        QVERIFY2(box.text.startsWith(u"Errore ") && box.text.contains(u"legameDocResp"),
                 qPrintable(box.text));
        QVERIFY(box.text.contains(t.home().dumpPath(QStringLiteral("stampaRTF-C-12.rtf"))));
        QVERIFY(t.dialogs().unexpected().isEmpty());
    }

    // The head of the print removed while the program runs: the box names it and says that the
    // print was not made, and no print file is named.
    void testataMancante() {
        TestHome t;
        {
            PrintoutsFixture f(t);
            f.documento({});
            ChiudiArchivio(t.state());
        }
        MDIQuillaro main(t.state());
        QVERIFY(main.apriArchivio(t.home().mdbPath(QStringLiteral("PROVA.db"))));
        const QString testata = t.home().filePath(QStringLiteral("testata new.rtf"));
        QVERIFY(QFile::remove(testata));
        main.findChild<QAction*>(QStringLiteral("mnuUtilitaDocumentiStampeCompleta"))->trigger();
        QCOMPARE(
            t.dialogs().texts(),
            QStringList{QStringLiteral("Manca il file di testata \"testata new.rtf\" (%1).\nLa stampa non è "
                                       "stata fatta: rimettere il file nella cartella del programma e "
                                       "ripetere la stampa.")
                            .arg(testata)});
        QCOMPARE(t.dialogs().shown().front().icon, Icon::Critical);
        QVERIFY(!QFileInfo::exists(t.home().dumpPath(QStringLiteral("stampaRTF-C-12.rtf"))));
    }
};

QTEST_MAIN(PrintoutsGui)
#include "tst_printouts_gui.moc"
