#pragma once

// "Da indirizzo o DOI": the operator pastes the article's address or DOI (or keeps the document's
// URL), the program reads it without holding the window up (progress, Annulla), then shows each
// value found with where it was read, what the document holds and a tick; "Applica al documento"
// writes the ticked ones. A field the document already has is not ticked: it is overwritten only
// when the operator ticks it. The document is saved afterwards as usual.

#include "capture/Cattura.h"
#include "capture/ProposteCattura.h"

#include <QDialog>
#include <memory>

class AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class frmCattura : public QDialog {
    Q_OBJECT

public:
    frmCattura(AppState& state, const CampiDocumento& attuali, QWidget* parent = nullptr);
    ~frmCattura() override;

    // The document's fields once the dialog is accepted.
    const CampiDocumento& campi() const { return risultato_; }
    // Esc and Chiudi: a reading under way is stopped first, and the dialog stays.
    void reject() override;

private:
    void cmdLeggi_Click();
    void cmdApplica_Click();
    void letto(const EsitoCattura& esito);
    void mostraProposte();
    void inLettura(bool lettura);
    void aggiornaRivista();
    void aggiornaAbstract();
    void aggiornaAvvisi();
    int riga(CampoDocumento campo) const;
    QString rivistaScelta() const;
    QString tipoAbstractScelto() const;

    AppState& state_;
    CampiDocumento attuali_;
    CampiDocumento risultato_;
    ElenchiCattura elenchi_;
    ProposteCattura proposte_;
    QStringList avvisiLettura_;
    std::unique_ptr<Cattura> cattura_;

    QLineEdit* const txtIndirizzo;
    QPushButton* const cmdLeggi;
    QProgressBar* const barLettura;
    QLabel* const lblStato;
    QPushButton* const cmdAnnulla;
    QTableWidget* const tblCampi;
    QComboBox* const cmbRivista;
    QComboBox* const cmbTipoAbstract;
    QLabel* const lblAvvisi;
    QPushButton* const cmdApplica;
    QPushButton* const cmdChiudi;
};
