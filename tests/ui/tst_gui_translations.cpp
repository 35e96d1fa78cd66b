// Qt's own windows speak Italian like the rest of the program: the file dialog of File > Apri (its
// dates too), the standard buttons of the message boxes, the context menu of the text boxes and the
// command line's help.

#include "support/gui/TestGui.h"
#include "support/GuiTestUtil.h"
#include "ui/qt/QtTranslations.h"

#include <QCommandLineParser>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class GuiTranslations : public TestGui {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void messageBoxButtons();
    void fileDialog();
    void textBoxContextMenu();
    void datesInItalian();
    void commandLineInItalian();
};

void GuiTranslations::initTestCase() {
    QVERIFY2(installItalianQtTranslations(*QCoreApplication::instance()),
             qPrintable(QStringLiteral("qtbase_it.qm not found in ") + qtTranslationsFolder()));
}

void GuiTranslations::messageBoxButtons() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quillaro"), QStringLiteral("Domanda"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Sì"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("No"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Annulla"));
}

void GuiTranslations::fileDialog() {
    // Qt's own dialog, as it shows where no desktop supplies one (offscreen, a bare window manager).
    QFileDialog dialog(nullptr, QStringLiteral("Apri archivio"), QDir::tempPath(),
                       QStringLiteral("Database file (*.db)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.show();
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(u'&'), QStringLiteral("Apri"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Annulla"));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text().remove(u'&');
    QVERIFY2(labels.contains(QStringLiteral("Cerca in:")), qPrintable(labels.join(u'|')));
    saveScreenshot(&dialog, QStringLiteral("QFileDialog-it"));
    dialog.reject();
}

void GuiTranslations::textBoxContextMenu() {
    QLineEdit edit;
    edit.setText(QStringLiteral("testo"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text().section(u'\t', 0, 0).remove(u'&');
    QVERIFY2(items.contains(QStringLiteral("Copia")) && items.contains(QStringLiteral("Incolla")),
             qPrintable(items.join(u'|')));
}

// Italian is the default locale whatever the machine's, and the file dialog shows its files'
// dates in it ("8 dic", not "8 Dec").
void GuiTranslations::datesInItalian() {
    QCOMPARE(QLocale().toString(QDate(2025, 12, 8), QStringLiteral("d MMM")), QStringLiteral("8 dic"));
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("sigle.A26"));
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CONS1\r\n");
    QVERIFY(file.flush());
    const QDateTime quando(QDate(2025, 12, 8), QTime(10, 30));
    QVERIFY(file.setFileTime(quando, QFileDevice::FileModificationTime));
    file.close();
    QFileDialog dialog(nullptr, QStringLiteral("Apri file sigle"), cartella.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setViewMode(QFileDialog::Detail);
    fileDialogInItalian(dialog);
    dialog.show();
    auto* vista = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(vista);
    const auto data = [vista] {
        const QModelIndex radice = vista->rootIndex();
        for (int i = 0; i < vista->model()->rowCount(radice); ++i) {
            const QModelIndex nome = vista->model()->index(i, 0, radice);
            if (nome.data().toString() == u"sigle.A26")
                return nome.siblingAtColumn(3).data().toString();
        }
        return QString();
    };
    QTRY_VERIFY(!data().isEmpty());
    QCOMPARE(data(), QStringLiteral("8 dic 2025 10:30"));
    saveScreenshot(&dialog, QStringLiteral("QFileDialog-date-it"));
    dialog.reject();
}

// The program's --help, and the errors of its command line, in Italian.
void GuiTranslations::commandLineInItalian() {
    installItalianCommandLine(*QCoreApplication::instance());
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("archivio"), QStringLiteral("Archivio da aprire all'avvio."));
    const QString aiuto = parser.helpText();
    for (const char* parte : {"Uso: ", "[opzioni] archivio", "Opzioni:", "Argomenti:", "Mostra questo aiuto.",
                              "Mostra la versione."})
        QVERIFY2(aiuto.contains(QString::fromUtf8(parte)), qPrintable(aiuto));
    QVERIFY2(!aiuto.contains(QStringLiteral("Usage")) && !aiuto.contains(QStringLiteral("Displays")),
             qPrintable(aiuto));
    QVERIFY(!parser.parse({QStringLiteral("quillaro"), QStringLiteral("--pippo")}));
    QCOMPARE(parser.errorText(), QStringLiteral("Opzione sconosciuta 'pippo'."));
}

QTEST_MAIN(GuiTranslations)
#include "tst_gui_translations.moc"
