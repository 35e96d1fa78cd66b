#pragma once

// Utilità > Consegna > Stampe ...: the delivery's RTF print (complete or texts only), its summary
// and its consistency, each ending with the offer to open what was written.

#include <QHash>
#include <QObject>

class AppState;
class FinestraPrincipale;
class QAction;
class QMenu;

class ComandiStampe : public QObject {
    Q_OBJECT

public:
    // Puts its submenu into the group "stampe" of the Consegna menu.
    ComandiStampe(AppState& state, FinestraPrincipale& principale);

    // The steps of the delivery panel these items run, by their code in tabInfo.
    QHash<QString, QAction*> passi() const;

    QMenu* mnuUtilitaDocumentiStampe = nullptr;
    QAction* mnuUtilitaDocumentiStampeCompleta = nullptr;
    QAction* mnuUtilitaDocumentiStampeSoloTesti = nullptr;
    QAction* mnuUtilitaDocumentiStampeProspetto = nullptr;
    QAction* mnuUtilitaDocumentiStampeConsistenza = nullptr;

    void mnuUtilitaDocumentiStampeCompleta_Click();
    void mnuUtilitaDocumentiStampeSoloTesti_Click();
    void mnuUtilitaDocumentiStampeProspetto_Click();
    void mnuUtilitaDocumentiStampeConsistenza_Click();

private:
    AppState& state_;
};
