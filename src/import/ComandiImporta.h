#pragma once

// File > Importa...: the centre's Access files brought in (a delivery archive, the template, the
// norms catalogue, every archive of a folder), each ending with its summary window.

#include <QObject>

class AppState;
class FinestraPrincipale;
class QAction;

class ComandiImporta : public QObject {
    Q_OBJECT

public:
    // Puts its items into the File menu's group "importa".
    ComandiImporta(AppState& state, FinestraPrincipale& principale);

    QAction* mnuFileImporta = nullptr;
    QAction* mnuFileImportaModello = nullptr;
    QAction* mnuFileImportaCatalogo = nullptr;
    QAction* mnuFileImportaCartella = nullptr;

    void mnuFileImporta_Click();
    void mnuFileImportaModello_Click();
    void mnuFileImportaCatalogo_Click();
    void mnuFileImportaCartella_Click();

private:
    AppState& state_;
    FinestraPrincipale& principale_;
};
