#pragma once

// "Modifica fonte": every field of the current source and its citation text, which the operator
// edits directly. "Esci" checks the fields as the entry pages do, copies the dialog back and
// rebuilds the document window's list. The
// official identifier the fields give (URN:NIR, ELI, ECLI) is shown beside them, read only.

#include <QDialog>
#include <functional>

class AppState;
struct DocumentBuffer;
struct SchedaFonte;
class QCheckBox;
class QLineEdit;
class QPushButton;

class frmModificaFonte : public QDialog {
    Q_OBJECT

public:
    frmModificaFonte(AppState& state, DocumentBuffer& buffer, std::function<void()> ricostruisci,
                     QWidget* parent = nullptr);

    // Fills the dialog from the entry at IndiceFonte (nothing when there is none).
    void MostraFonte();

    QLineEdit *txtTP = nullptr, *txtFonte = nullptr, *txtGG = nullptr, *txtMM = nullptr, *txtAA = nullptr,
              *txtArt = nullptr, *txtComma = nullptr, *txtLett = nullptr, *txtAll = nullptr,
              *txtRipA = nullptr, *txtRipC = nullptr, *txtN = nullptr, *txtNumP = nullptr,
              *txtAltro = nullptr, *txtAmministrazione = nullptr, *txtAutorita = nullptr, *txtCitta = nullptr,
              *txtSezione = nullptr, *txtRegione = nullptr, *txtProvincia = nullptr, *txtStato = nullptr,
              *txtTesto = nullptr, *txtIdentificativo = nullptr;
    QCheckBox* chkDecr = nullptr;
    QCheckBox* chkOrd = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    void cmdEsci_Click();
    void cmdAbbandona_Click();

private:
    SchedaFonte leggiScheda() const;
    void aggiornaIdentificativo();

    AppState& state_;
    DocumentBuffer& buffer_;
    std::function<void()> ricostruisci_;
};
