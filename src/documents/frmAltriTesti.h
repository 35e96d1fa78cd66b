#pragma once

// The translation of the title (TipoTestoCorrente 3) or the compiler's note (5); the caption is set
// by the button that opens it.

#include "documents/DocumentBuffer.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class frmAltriTesti : public QDialog {
    Q_OBJECT

public:
    explicit frmAltriTesti(DocumentBuffer& buffer, QWidget* parent = nullptr);

    QPlainTextEdit* txtAltroTesto = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    void cmdEsci_Click();
    void cmdAbbandona_Click();

private:
    DocumentBuffer& buffer_;
};
