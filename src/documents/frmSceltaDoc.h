#pragma once

// "Scegli documento": the documents of the archive, to open one (Edita) or delete some (Elimina).
// The window belongs to the archive open when it was made: it closes with it and acts on no other.

#include "store/AppState.h"

#include <QDialog>

class DocumentListModel;
class QLabel;
class QListView;
class QPushButton;

class frmSceltaDoc : public QDialog {
    Q_OBJECT

public:
    frmSceltaDoc(AppState& state, QWidget* parent = nullptr);

    // Fills the list and makes its first document the chosen one; false (after "Nessun documento
    // presente!") when the archive has none, and the dialog is not to be shown.
    bool Form_Load();
    // Refills the list; false when there is no document.
    bool ElencoDocumenti();
    // The chosen document, 0 when none.
    qint64 IDDocCorrente() const { return IDDocCorrente_; }

    // The entries, one per document in key order; the list shows them as they are needed, so a
    // delivery of any length opens at once.
    DocumentListModel* elenco() const { return elenco_; }

    QLabel* Label1 = nullptr;
    QLabel* lblRilievi = nullptr;
    QListView* lstDocumento = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QPushButton* cmdCancella = nullptr;
    QPushButton* cmdEdita = nullptr;

public Q_SLOTS:
    void cmdEdita_Click();
    void cmdCancella_Click();
    void cmdAnnulla_Click();

private:
    AppState& state_;
    DocumentListModel* elenco_ = nullptr;
    qint64 IDDocCorrente_ = 0;
};
