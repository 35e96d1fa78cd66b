#pragma once

// The summary, table of contents, "In tema di" and English abstract of a document, one at a time
// (TipoTestoCorrente 0 to 3), with a character counter, Undo and the spelling and grammar checks.

#include "store/DocumentBuffer.h"
#include "store/AppState.h"
#include "ui/TextCheck.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmTesti : public QDialog {
    Q_OBJECT

public:
    frmTesti(AppState& state, DocumentBuffer& buffer, QWidget* parent = nullptr);

    // The text of the variable when the dialog was opened.
    const QString& testoIniziale() const { return testoIniziale_; }

    QLabel* Label1 = nullptr;
    QPlainTextEdit* txtTesto = nullptr;
    QGroupBox* frmConteggio = nullptr;
    QLabel* lblConteggio = nullptr;
    QGroupBox* frmControlli = nullptr;
    QPushButton* cmdControlloOrtografico = nullptr;
    QPushButton* cmdControlloGrammaticale = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    void cmdEsci_Click();
    void cmdAbbandona_Click();
    void cmdUndo_Click();
    void cmdControlloOrtografico_Click();
    void cmdControlloGrammaticale_Click();
    void txtTesto_Change();
    // Esc or the window's frame: a changed text is not dropped without a question.
    void reject() override;

private:
    void controlla(TextCheckKind kind);

    AppState& state_;
    DocumentBuffer& buffer_;
    QString testoIniziale_;
    QString testoMostrato_; // as the editor gave it back after loading
    bool abbandona_ = false;
};
