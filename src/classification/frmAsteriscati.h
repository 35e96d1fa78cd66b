#pragma once

// "Lista asteriscati con i sistematici": the asterisked descriptors with the systematic codes they
// go with, for reference only.

#include "store/cConnessione.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class frmAsteriscati : public QDialog {
    Q_OBJECT

public:
    explicit frmAsteriscati(cConnessione& connection, QWidget* parent = nullptr);

    QListWidget* lstAsteriscati = nullptr;
    QPushButton* cmdEsci = nullptr;
};
