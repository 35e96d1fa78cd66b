#pragma once

// The about box: product, version, the libraries it runs on, the licence, the folders the program
// works in, and the system's information, which can be copied for a request of help.

#include <QDialog>

class Dialogs;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT

public:
    // cartellaUtente: the home folder of the archives and settings, shown when known.
    frmAbout(Dialogs& dialogs, const QString& cartellaUtente, QWidget* parent = nullptr);
    explicit frmAbout(Dialogs& dialogs, QWidget* parent = nullptr) : frmAbout(dialogs, QString(), parent) {}
    static QString informazioniSistema();
    // The version, the libraries, the folders and the system, as copied by "Copia".
    QString informazioniComplete() const;

    QPushButton* cmdSysInfo = nullptr;
    QPushButton* cmdCopia = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    Dialogs& dialogs_;
    QString cartellaUtente_;
};
