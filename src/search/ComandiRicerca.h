#pragma once

// The search of the documents (File > Cerca in tutti gli archivi..., Documenti > Ricerca) and the
// probable duplicates (Documenti > Possibili doppioni): windows of their own over the main window,
// one of each, that hand the document chosen back to it. The commands also keep the search index
// told of the editor's saves and deletions.

#include "search/AmbitoRicerca.h"

#include <QObject>

class AppState;
class FinestraPrincipale;
class QAction;

class ComandiRicerca : public QObject {
    Q_OBJECT

public:
    // Puts its items into the groups "cerca" of the File menu and "ricerca" of the Documenti menu.
    ComandiRicerca(AppState& state, FinestraPrincipale& principale);

    QAction* mnuFileCercaTutti = nullptr;
    QAction* mnuDocumentiRicerca = nullptr;
    QAction* mnuDocumentiDoppioni = nullptr;

    void mnuFileCercaTutti_Click();
    void mnuDocumentiRicerca_Click();
    void mnuDocumentiDoppioni_Click();

private:
    void apriRicerca(TipoAmbito ambito);

    AppState& state_;
    FinestraPrincipale& principale_;
};
