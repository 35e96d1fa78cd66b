// The named menus the rooms fill: whatever order the rooms add their items in, the menu shows the
// groups in the order the main window named them, each group's separator with its first item only.

#include "support/gui/TestGui.h"
#include "ui/qt/MenuComandi.h"

#include <QtTest>
#include <QtWidgets>

class GuiMenuCommands : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void groupsKeepTheirOrder_data() {
        QTest::addColumn<QStringList>("aggiunte"); // "group:item" in the order the rooms add them
        QTest::addColumn<QStringList>("menu");     // as shown, separators as "-name"
        QTest::newRow("in order") << QStringList{"a:1", "b:2", "c:3"} << QStringList{"1", "-sepB", "2", "-sepC", "3"};
        QTest::newRow("backwards") << QStringList{"c:3", "b:2", "a:1"} << QStringList{"1", "-sepB", "2", "-sepC", "3"};
        QTest::newRow("interleaved") << QStringList{"b:2", "a:1", "b:2b", "c:3", "a:1b"}
                                     << QStringList{"1", "1b", "-sepB", "2", "2b", "-sepC", "3"};
        QTest::newRow("empty group, no separator") << QStringList{"c:3", "a:1"} << QStringList{"1", "-sepC", "3"};
        QTest::newRow("only a separated group") << QStringList{"b:2"} << QStringList{"-sepB", "2"};
    }
    void groupsKeepTheirOrder() {
        QFETCH(QStringList, aggiunte);
        QFETCH(QStringList, menu);
        QMenuBar barra;
        MenuComandi comandi;
        comandi.definisci(&barra, "mnuProva", QStringLiteral("&Prova"),
                          {{QStringLiteral("a")}, {QStringLiteral("b"), "sepB"}, {QStringLiteral("c"), "sepC"}});
        for (const QString& a : aggiunte) {
            const QByteArray nome = a.section(u':', 1).toLatin1();
            comandi.aggiungi(QStringLiteral("mnuProva"), a.section(u':', 0, 0), nome.constData(), a);
        }
        QStringList mostrato;
        for (const QAction* voce : comandi.menu(QStringLiteral("mnuProva"))->actions())
            mostrato << (voce->isSeparator() ? u'-' + voce->objectName() : voce->objectName());
        QCOMPARE(mostrato, menu);
    }
};

QTEST_MAIN(GuiMenuCommands)
#include "tst_gui_menu_commands.moc"
