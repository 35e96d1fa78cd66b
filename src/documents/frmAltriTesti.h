#pragma once

// The translation of the title (TipoTestoCorrente 3) or the compiler's note (5); the caption is set
// by the button that opens it.

#include "store/Dialogs.h"
#include "store/DocumentBuffer.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class frmAltriTesti : public QDialog {
    Q_OBJECT

public:
    frmAltriTesti(Dialogs& dialogs, DocumentBuffer& buffer, QWidget* parent = nullptr);

    QPlainTextEdit* txtAltroTesto = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    void cmdEsci_Click();
    void cmdAbbandona_Click();
    // Esc or the window's frame: a changed text is not dropped without a question.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& dialogs_;
    DocumentBuffer& buffer_;
    QString testoMostrato_; // what the box held when the dialog was shown
    bool abbandona_ = false;
};
