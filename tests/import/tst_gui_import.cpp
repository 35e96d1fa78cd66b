// File > Importa... offscreen: the four menu items, the file and name questions, refusals told in a
// box, and the summary window of an archive, of the template and of a folder.

#include "support/gui/TestGui.h"
#include "app/gui/MDIQuillaro.h"
#include "import/JetFile.h"
#include "import/JetTestUtil.h"
#include "import/frmImportazione.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// What the summary window showed when it opened, then closed with its button.
struct Shown {
    bool opened = false;
    QString title;
    QString head;
    QStringList tableRows;
    QString anomalies;
    QString file;
};

void readAndClose(Shown& shown, const QString& screenshot) {
    onNextModal<frmImportazione>([&shown, screenshot](frmImportazione* w) {
        shown.opened = true;
        shown.title = w->windowTitle();
        shown.head = w->lblIntestazione->text();
        for (int r = 0; r < w->grdRighe->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < w->grdRighe->columnCount(); ++c)
                cells << (w->grdRighe->item(r, c) ? w->grdRighe->item(r, c)->text() : QString());
            shown.tableRows << cells.join(u'|');
        }
        shown.anomalies = w->txtAnomalie->toPlainText();
        shown.file = w->lblFile->text();
        saveScreenshot(w, screenshot);
        w->cmdChiudi->click();
    });
}

// Every file whose name starts with "cons" or "a" opens as the demo delivery.
std::unique_ptr<FonteJetSostituita> fakeArchives(const QString& demo) {
    return std::make_unique<FonteJetSostituita>([demo](const QString& path) -> std::unique_ptr<JetSource> {
        const QString name = QFileInfo(path).fileName().toLower();
        if (name.startsWith(u"cons") || name.startsWith(u"a")) {
            auto source = std::make_unique<MemoryJetSource>(MemoryJetSource::fromArchive(demo));
            source->removeTable(QStringLiteral("tabNIT"));
            return source;
        }
        return JetFile::open(path);
    });
}

} // namespace

class GuiImport : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void menuItems();
    void archiveWithItsSummary();
    void nameAskedAgainWhenTaken();
    void cancelled();
    void refusalToldBeforeAsking_data();
    void refusalToldBeforeAsking();
    void templateReplaced();
    void folder();
};

void GuiImport::menuItems() {
    TestHome t;
    MDIQuillaro w(t.state());
    const QList<std::pair<const char*, const char*>> items = {
        {"mnuFileImporta", "&Importa archivio Access..."},
        {"mnuFileImportaModello", "Importa &modello (masterOnline.mdb)..."},
        {"mnuFileImportaCatalogo", "Importa catalogo n&orme (Catalogo norme.mdb)..."},
        {"mnuFileImportaCartella", "Importa tutti gli archivi di una carte&lla..."},
    };
    for (const auto& [name, caption] : items) {
        auto* action = w.findChild<QAction*>(QString::fromUtf8(name));
        QVERIFY2(action, name);
        QCOMPARE(action->text(), QString::fromUtf8(caption));
        QVERIFY(action->isEnabled());
    }
    // They do not touch the open archive: on while one is open too.
    QVERIFY(w.apriArchivio(t.createDemo()));
    for (const auto& [name, caption] : items)
        QVERIFY(w.findChild<QAction*>(QString::fromUtf8(name))->isEnabled());
}

void GuiImport::archiveWithItsSummary() {
    TestHome t;
    const auto fakes = fakeArchives(t.createDemo());
    MDIQuillaro w(t.state());
    w.show();
    t.dialogs().answerNextFile(QStringLiteral("/archivi/Consegna 7.mdb"));
    t.dialogs().answerNextInput(QStringLiteral("Consegna 7"));
    Shown shown;
    readAndClose(shown, QStringLiteral("import-riepilogo"));
    azione(w, "mnuFileImporta")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return shown.opened; }));

    QVERIFY2(t.dialogs().unexpected().isEmpty(), qPrintable(t.dialogs().unexpected().join(u'\n')));
    const FileDialogRequest request = t.dialogs().fileRequests().front();
    QCOMPARE(request.title, QStringLiteral("Importa archivio Access"));
    QVERIFY(request.filter.contains(QStringLiteral("*.mdb")));
    QVERIFY(request.mustExist && !request.chooseFolder);
    // The name proposed from the file's.
    QCOMPARE(t.dialogs().shown().front().initial, QStringLiteral("CONSEGNA 7"));

    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("CONSEGNA 7.db"))));
    QCOMPARE(shown.title, QStringLiteral("Riepilogo importazione"));
    QVERIFY2(shown.head.contains(QStringLiteral("come archivio CONSEGNA 7")), qPrintable(shown.head));
    QVERIFY(shown.tableRows.contains(QStringLiteral("tabDocumento|30|dal file")));
    QVERIFY(shown.tableRows.contains(QStringLiteral("tabNIT|44|dal modello")));
    QVERIFY2(shown.anomalies.contains(
                 QStringLiteral("- Tabella tabNIT assente dal file: lasciata come nel modello.")),
             qPrintable(shown.anomalies));
    QVERIFY(shown.file.contains(QStringLiteral("import CONSEGNA 7.txt")));
    // The open archive, if any, is not touched: none was, none is.
    QVERIFY(!t.state().ArchivioAperto);
}

void GuiImport::nameAskedAgainWhenTaken() {
    TestHome t;
    const auto fakes = fakeArchives(t.createDemo());
    t.createArchive(QStringLiteral("CONS1"));
    MDIQuillaro w(t.state());
    t.dialogs().answerNextFile(QStringLiteral("/archivi/cons1.mdb"));
    t.dialogs().answerNextInput(QStringLiteral("cons1"));
    t.dialogs().answerNextInput(QStringLiteral("a/b"));
    t.dialogs().answerNextInput(QStringLiteral("cons1 bis"));
    Shown shown;
    readAndClose(shown, QString());
    azione(w, "mnuFileImporta")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return shown.opened; }));
    const QStringList texts = t.dialogs().texts();
    QCOMPARE(texts.size(), 5); // name, taken, name, not valid, name
    QVERIFY2(texts[1].contains(QStringLiteral("esiste già: scegliere un altro nome!")), qPrintable(texts[1]));
    QVERIFY(texts[3].startsWith(QStringLiteral("Nome archivio non valido")));
    QCOMPARE(t.dialogs().shown()[2].initial, QStringLiteral("cons1")); // what was typed, to be corrected
    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("CONS1 BIS.db"))));
    QVERIFY(t.dialogs().allAnswersUsed());
}

void GuiImport::cancelled() {
    TestHome t;
    const auto fakes = fakeArchives(t.createDemo());
    MDIQuillaro w(t.state());
    const QStringList before = QDir(t.home().mdbDir()).entryList(QDir::Files);
    t.dialogs().answerNextFile(QString()); // the file dialog cancelled
    azione(w, "mnuFileImporta")->trigger();
    t.dialogs().answerNextFile(QStringLiteral("/archivi/cons2.mdb"));
    t.dialogs().answerNextInput(std::nullopt); // the name cancelled
    azione(w, "mnuFileImporta")->trigger();
    {
        // A template this time (a delivery is refused before anything is asked), and "No" to
        // replacing the one in use.
        const MemoryJetSource modello = MemoryJetSource::fromArchive(t.home().templatePath());
        const FonteJetSostituita centro([modello](const QString&) -> std::unique_ptr<JetSource> {
            return std::make_unique<MemoryJetSource>(modello);
        });
        const QByteArray templ = readFileBytes(t.home().templatePath());
        t.dialogs().answerNextFile(QStringLiteral("/centro/masterOnline.mdb"));
        t.dialogs().answerNext(Answer::No); // the template kept
        azione(w, "mnuFileImportaModello")->trigger();
        QVERIFY(t.dialogs().allAnswersUsed());
        QCOMPARE(readFileBytes(t.home().templatePath()), templ);
    }
    QVERIFY(t.dialogs().unexpected().isEmpty());
    QCOMPARE(QDir(t.home().mdbDir()).entryList(QDir::Files), before);
    QCOMPARE(t.dialogs().texts().size(), 2); // the name box and the question, nothing else
}

void GuiImport::refusalToldBeforeAsking_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("says");
    QTest::newRow("archive, not a delivery") << "mnuFileImporta"
                                             << "nwind.mdb"
                                             << "Importa archivio Access"
                                             << "non è un archivio di consegna di Quillaro";
    QTest::newRow("template, not a template") << "mnuFileImportaModello"
                                              << "DateTestDatabase.mdb"
                                              << "Importa modello"
                                              << "non è un modello di archivio";
    QTest::newRow("catalogue, not a catalogue") << "mnuFileImportaCatalogo"
                                                << "nwind.mdb"
                                                << "Importa catalogo norme"
                                                << "manca la tabella tabCatalogo";
    QTest::newRow("archive, damaged") << "mnuFileImporta"
                                      << "damaged"
                                      << "Importa archivio Access"
                                      << "è vuoto (0 byte)";
}

void GuiImport::refusalToldBeforeAsking() {
    QFETCH(QString, action);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, says);
    QTemporaryDir dir;
    QString path = jetFixture(file);
    if (file == u"damaged") {
        path = dir.filePath(QStringLiteral("cons.mdb"));
        QFile(path).open(QIODevice::WriteOnly);
    }
    REQUIRE_JET_FIXTURE(path);
    TestHome t;
    MDIQuillaro w(t.state());
    const QByteArray templ = readFileBytes(t.home().templatePath());
    const QByteArray catalogue = readFileBytes(t.home().cataloguePath());
    const QStringList before = QDir(t.home().mdbDir()).entryList(QDir::Files);
    t.dialogs().answerNextFile(path);
    w.findChild<QAction*>(action)->trigger();
    // The file's kind is read first: one box saying why, no name asked, no "Continuare?".
    QVERIFY2(t.dialogs().unexpected().isEmpty(), qPrintable(t.dialogs().unexpected().join(u'\n')));
    QCOMPARE(t.dialogs().shown().size(), 1);
    const ShownMessage box = t.dialogs().shown().back();
    QVERIFY2(box.text.contains(says), qPrintable(box.text));
    QCOMPARE(box.icon, Icon::Warning);
    QCOMPARE(box.title, title);
    QCOMPARE(QDir(t.home().mdbDir()).entryList(QDir::Files), before);
    QCOMPARE(readFileBytes(t.home().templatePath()), templ);
    QCOMPARE(readFileBytes(t.home().cataloguePath()), catalogue);
}

void GuiImport::templateReplaced() {
    TestHome t;
    const QString templ = t.home().templatePath();
    const MemoryJetSource centre = MemoryJetSource::fromArchive(templ);
    const FonteJetSostituita fakes([centre](const QString&) -> std::unique_ptr<JetSource> {
        auto source = std::make_unique<MemoryJetSource>(centre);
        source->addRow(QStringLiteral("tabRivisteOnline"),
                       {QStringLiteral("ZZJ"), QStringLiteral("Rivista del centro"), QStringLiteral("M")});
        return source;
    });
    MDIQuillaro w(t.state());
    t.dialogs().answerNextFile(QStringLiteral("/centro/masterOnline.mdb"));
    t.dialogs().answerNext(Answer::Yes);
    Shown shown;
    readAndClose(shown, QStringLiteral("import-modello"));
    azione(w, "mnuFileImportaModello")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return shown.opened; }));
    QVERIFY(t.dialogs().shown().front().text.contains(QStringLiteral("masterOnline.db.bak")));
    QVERIFY2(shown.head.contains(QStringLiteral("masterOnline.db.bak")), qPrintable(shown.head));
    QVERIFY(shown.tableRows.contains(QStringLiteral("tabRivisteOnline|24|dal file")));
    QVERIFY(shown.tableRows.contains(QStringLiteral("tabDocumento|0|dal file")));
    QVERIFY(QFileInfo::exists(templ + QStringLiteral(".bak")));
}

void GuiImport::folder() {
    TestHome t;
    const auto fakes = fakeArchives(t.createDemo());
    QTemporaryDir dir;
    for (const char* name : {"a1.mdb", "a2.mdb", "vuoto.mdb"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a jet file");
    }
    MDIQuillaro w(t.state());
    t.dialogs().answerNextFile(dir.path());
    Shown shown;
    readAndClose(shown, QStringLiteral("import-cartella"));
    azione(w, "mnuFileImportaCartella")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return shown.opened; }));
    QVERIFY(t.dialogs().fileRequests().front().chooseFolder);
    QCOMPARE(shown.tableRows.size(), 3);
    QCOMPARE(shown.tableRows[0], QStringLiteral("a1.mdb|A1|30|1|importato"));
    QCOMPARE(shown.tableRows[2], QStringLiteral("vuoto.mdb|VUOTO|||saltato: non è un archivio di consegna"));
    QVERIFY2(shown.head.contains(QStringLiteral("Importati: 2;")), qPrintable(shown.head));
    QVERIFY(shown.anomalies.contains(QStringLiteral("A1: Tabella tabNIT assente dal file")));
    QVERIFY(
        shown.anomalies.contains(QStringLiteral("vuoto.mdb: Il file «vuoto.mdb» non è un database Access")));
    QVERIFY(QFileInfo::exists(t.home().mdbPath(QStringLiteral("A2.db"))));
}

QTEST_MAIN(GuiImport)
#include "tst_gui_import.moc"
