#pragma once

// The about box: product, version, the libraries it runs on, and the system's information.

#include <QDialog>

class Dialogs;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout(Dialogs& dialogs, QWidget* parent = nullptr);
    static QString informazioniSistema();

    QPushButton* cmdSysInfo = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    Dialogs& dialogs_;
};
