#pragma once

// "Informazione consegna": the delivery information of a new archive.

#include "store/Archivio.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class Dialogs;

class frmInformazione : public QDialog {
    Q_OBJECT

public:
    frmInformazione(Dialogs& dialogs, QWidget* parent = nullptr);

    // True only when closed by cmdOk with complete information.
    bool risultato() const { return risultato_; }
    InformazioneConsegna informazione() const { return informazione_; }

    QComboBox* ComboCentro = nullptr;
    QComboBox* ComboAProd = nullptr;
    QLineEdit* txtConsegna = nullptr;
    QLineEdit* txtInizio = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdAnnulla = nullptr;

public Q_SLOTS:
    void cmdOk_Click();
    void cmdAnnulla_Click();

private:
    Dialogs& dialogs_;
    bool risultato_ = false;
    InformazioneConsegna informazione_;
};
