#pragma once

// Utilità > Consegna > Controlli ...: the checks of the delivery and its error lists (each line
// leading to its document), the compiler notes, the CELEX, HUDOC and official-texts pages and the
// new entries.

#include <QHash>
#include <QObject>

class AppState;
class FinestraPrincipale;
class QAction;
class QMenu;

class ComandiControlli : public QObject {
    Q_OBJECT

public:
    // Puts its submenu into the group "controlli" of the Consegna menu.
    ComandiControlli(AppState& state, FinestraPrincipale& principale);

    // The steps of the delivery panel these items run, by their code in tabInfo.
    QHash<QString, QAction*> passi() const;

    QMenu* mnuUtilitaDocumentiControlli = nullptr;
    QAction* mnuUtilitaDocumentiControlliEsegui = nullptr;
    QMenu* mnuUtilitaDocumentiControlliVediErrori = nullptr;
    QAction* mnuUtilitaDocumentiControlliVediErroriGenerici = nullptr;
    QAction* mnuUtilitaDocumentiControlliVediErroriClassificazione = nullptr;
    QAction* mnuUtilitaDocumentiControlliVediErroriFonti = nullptr;
    QAction* mnuUtilitaDocumentiControlliNoteCompilatore = nullptr;
    QAction* mnuUtilitaDocumentiControlliPerControlloCELEX = nullptr;
    QAction* mnuUtilitaDocumentiControlliPerControlloHUDOC = nullptr;
    QAction* mnuUtilitaDocumentiControlliPerControlloNIR = nullptr;
    QAction* mnuUtilitaDocumentiControlliNuovi = nullptr;

    void mnuUtilitaDocumentiControlliEsegui_Click();
    void mnuUtilitaDocumentiControlliVediErroriGenerici_Click();
    void mnuUtilitaDocumentiControlliVediErroriClassificazione_Click();
    void mnuUtilitaDocumentiControlliVediErroriFonti_Click();
    void mnuUtilitaDocumentiControlliNoteCompilatore_Click();
    void mnuUtilitaDocumentiControlliPerControlloCELEX_Click();
    void mnuUtilitaDocumentiControlliPerControlloHUDOC_Click();
    void mnuUtilitaDocumentiControlliPerControlloNIR_Click();
    void mnuUtilitaDocumentiControlliNuovi_Click();

private:
    void vediErrori(const QString& code, const QString& nomeFile, const QString& title);
    // A line of a list chosen in its viewer: its document, at that finding.
    void apriAlRilievo(qint64 IDDoc, const QString& riga);

    AppState& state_;
    FinestraPrincipale& principale_;
};
