#pragma once

// "Classificazione": new pairs of the document (IndiceClassificazione -1: one systematic code with
// a list of descriptors, or an asterisked one) or the current pair, with the checks of each code.

#include "store/AppState.h"
#include "store/DocumentBuffer.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmClassificazione : public QDialog {
    Q_OBJECT

public:
    frmClassificazione(AppState& state, DocumentBuffer& buffer, QWidget* parent = nullptr);

    // Lays the dialog out for its mode and fills cmbAsteriscati (run when the dialog is made).
    void CaricaAsteriscati();
    // Copies the current pair into the dialog (modify mode only).
    void MostraClassificazione();
    bool modoModifica() const;

    QLabel* Label2 = nullptr;
    QLineEdit* txtSistematico = nullptr;
    QLabel* LabelS = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtDescrittore = nullptr;
    QLabel* LabelD = nullptr;
    QListWidget* lstDescrittore = nullptr;
    QPushButton* cmdDescrittoreN = nullptr;
    QPushButton* cmdDescrittoreD = nullptr;
    QComboBox* cmbAsteriscati = nullptr;
    QPushButton* cmdAsteriscati = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    // True when the code is there (or the box is empty).
    bool txtSistematico_LostFocus();
    void LabelD_Click();
    void cmdDescrittoreN_Click();
    void cmdDescrittoreD_Click();
    void cmdAsteriscati_Click();
    void cmdEsci_Click();
    void cmdAbbandona_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the descriptor's heading (nothing when it is not in the tables); false, with the
    // reason told, when the tables could not be read.
    bool leggiDescrittore(const QString& codice, std::optional<QString>& descrizione);
    void descrittoreErrato();

    AppState& state_;
    DocumentBuffer& buffer_;
    bool convalida_ = false;
};
