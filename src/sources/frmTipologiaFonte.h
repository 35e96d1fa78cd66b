#pragma once

// The choice of a new source's family: domestic, international, EU, foreign, canon law, history.

#include <QDialog>

class QComboBox;
class QPushButton;

class frmTipologiaFonte : public QDialog {
    Q_OBJECT

public:
    explicit frmTipologiaFonte(QWidget* parent = nullptr);

    // 0 when abandoned or no family chosen, else 1..6 in the list's order.
    int TipologiaFonteScelta() const { return scelta_; }

    QComboBox* cmbTipologiaFonte = nullptr;
    QPushButton* cmdProcedi = nullptr;
    QPushButton* cmdAbbandona = nullptr;

public Q_SLOTS:
    void cmdProcedi_Click();
    void cmdAbbandona_Click();

private:
    int scelta_ = 0;
};
