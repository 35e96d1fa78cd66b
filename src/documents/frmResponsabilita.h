#pragma once

// "Responsabilità": an author or curator of the document, new (IndiceResponsabilita -1) or the
// current one.

#include "store/DocumentBuffer.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmResponsabilita : public QDialog {
    Q_OBJECT

public:
    explicit frmResponsabilita(DocumentBuffer& buffer, QWidget* parent = nullptr);

    // Empty boxes, "Autore" selected.
    void PulisciResponsabilita();
    // The current entry; nothing for IndiceResponsabilita -1 (no option selected then).
    void MostraResponsabilita();
    // The list lines after "Esci e salva".
    const QStringList& righe() const { return righe_; }

    QLabel* Label11 = nullptr;
    QLineEdit* txtElementoPr = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtElementoSec = nullptr;
    QRadioButton* optAutore = nullptr;
    QRadioButton* optCuratore = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    void cmdEsci_Click();
    void cmdAbbandona_Click();

private:
    void opzioni(bool autore, bool curatore);

    DocumentBuffer& buffer_;
    QStringList righe_;
};
