// Qt's own windows speak Italian like the rest of the program: the file dialog of File > Apri, the
// standard buttons of the message boxes and the context menu of the text boxes.

#include "support/GuiTestUtil.h"
#include "ui/qt/QtTranslations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class GuiTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void messageBoxButtons();
    void fileDialog();
    void textBoxContextMenu();
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

QTEST_MAIN(GuiTranslations)
#include "tst_gui_translations.moc"
