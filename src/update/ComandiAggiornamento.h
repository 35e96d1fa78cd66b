#pragma once

// Utilità > Aggiornamento ...: the abbreviation files, and each run over the archives they name
// (checks, notes, CELEX, HUDOC and official-texts pages, new entries, the count).

#include <QObject>

class AppState;
class FinestraPrincipale;
class QAction;
class QMenu;
enum class TipoAggiornamento;

class ComandiAggiornamento : public QObject {
    Q_OBJECT

public:
    // Puts its submenu into the group "aggiornamento" of the Utilità menu.
    ComandiAggiornamento(AppState& state, FinestraPrincipale& principale);

    QMenu* mnuUtilitaAggiornamento = nullptr;
    QAction* mnuUtilitaAggiornamentoFileSigle = nullptr;
    QMenu* mnuUtilitaAggiornamentoControlli = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliEsegui = nullptr;
    QMenu* mnuUtilitaAggiornamentoControlliVediErrori = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliVediErroriGenerici = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliVediErroriClassificazione = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliVediErroriFonti = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliNoteCompilatore = nullptr;
    QAction* mnuUtilitaAggiornamentoControlloCELEX = nullptr;
    QAction* mnuUtilitaAggiornamentoControlloHUDOC = nullptr;
    QAction* mnuUtilitaAggiornamentoControlloNIR = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliNuovi = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliConteggio = nullptr;

    void mnuUtilitaAggiornamentoFileSigle_Click();

private:
    void esegui(TipoAggiornamento tipo);

    AppState& state_;
    FinestraPrincipale& principale_;
};
