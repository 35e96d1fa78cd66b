// The read-only line view of long texts (the error window's txtErrori): lines cut at any break, the
// text given back as a text box gives it, a horizontal scroll as wide as the longest line, copying
// the selected lines, and a long list shown at once.

#include "support/gui/TestGui.h"
#include "support/GuiTestUtil.h"
#include "ui/qt/TextLinesView.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QtTest>

class TextLines : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void linesAtAnyBreak_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty") << QString() << QStringList() << QString();
        QTest::newRow("one break") << QString("\r\n") << QStringList{""} << QString("\n");
        QTest::newRow("CR LF") << QString("T\r\n\r\na\r\nb\r\n") << QStringList{"T", "", "a", "b"}
                               << QString("T\n\na\nb\n");
        QTest::newRow("no break at the end") << QString("a\nb") << QStringList{"a", "b"} << QString("a\nb");
        QTest::newRow("CR, LF CR") << QString("a\rb\n\rc") << QStringList{"a", "b", "", "c"}
                                   << QString("a\nb\n\nc");
        QTest::newRow("empty lines at the end")
            << QString("a\r\n\r\n\r\n") << QStringList{"a", "", ""} << QString("a\n\n\n");
        QTest::newRow("tabs and accents")
            << QString("città\tè\r\n") << QStringList{"città\tè"} << QString("città\tè\n");
    }

    void linesAtAnyBreak() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(QString, plain);
        TextLinesView view;
        QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        view.setPlainText(text);
        QStringList shown;
        for (int row = 0; row < view.lineCount(); ++row) {
            QCOMPARE(view.model()->index(row, 0).data().toString(), view.line(row));
            shown << view.line(row);
        }
        QCOMPARE(shown, lines);
        QCOMPARE(view.toPlainText(), plain);
        QVERIFY(view.isReadOnly());
        QVERIFY(!(view.model()->flags(view.model()->index(0, 0)) & Qt::ItemIsEditable));
        view.clear();
        QCOMPARE(view.lineCount(), 0);
    }

    void scrollsToTheEndOfTheLongestLine() {
        TextLinesView view;
        view.resize(300, 200);
        const QString longest = QString("Fonte errata: ") + QString(300, u'W') + " (rec. 99999)";
        view.setPlainText("Errori generici\r\n\r\nbreve (rec. 1)\r\n" + longest + "\r\nbreve (rec. 2)\r\n");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY(view.horizontalScrollBar()->maximum() > 0);
        const int needed = view.fontMetrics().horizontalAdvance(longest);
        QVERIFY2(view.horizontalScrollBar()->maximum() + view.viewport()->width() >= needed,
                 qPrintable(QString::number(view.horizontalScrollBar()->maximum())));
        // Every line has the one height: the view never measures them one by one.
        QCOMPARE(view.visualRect(view.model()->index(3, 0)).height(),
                 view.visualRect(view.model()->index(0, 0)).height());
    }

    void copiesTheSelectedLinesInOrder() {
        TextLinesView view;
        view.setPlainText("uno\r\ndue\r\ntre\r\nquattro\r\n");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* selection = view.selectionModel();
        selection->select(view.model()->index(3, 0), QItemSelectionModel::Select);
        selection->select(view.model()->index(1, 0), QItemSelectionModel::Select);
        QApplication::clipboard()->clear();
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QString("due\nquattro"));
        QTest::keySequence(&view, QKeySequence::SelectAll);
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QString("uno\ndue\ntre\nquattro"));
    }

    // The list of a large delivery (some 200 000 lines) comes up at once.
    void aLongListShowsAtOnce() {
        QString text = "Errori generici\r\n\r\n";
        for (int i = 1; i <= 200000; ++i)
            text += QString("Manca responsabilità (rec. %1)\r\n").arg(i);
        TextLinesView view;
        view.resize(700, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QElapsedTimer clock;
        clock.start();
        view.setPlainText(text);
        view.scrollToBottom();
        QApplication::processEvents();
        view.repaint();
        // Far inside the budget even with sanitizers; the release figure is in bench_lists.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(view.lineCount(), 200002);
        QCOMPARE(view.line(200001), QString("Manca responsabilità (rec. 200000)"));
        QVERIFY(view.verticalScrollBar()->value() > 0);
    }
};

QTEST_MAIN(TextLines)
#include "tst_gui_text_lines.moc"
