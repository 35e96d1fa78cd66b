#include "printouts/ComandiStampe.h"
#include "printouts/StampaConsegna.h"
#include "printouts/StampaConsistenza.h"
#include "printouts/StampaProspetto.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

namespace {

// After a run: the reason it stopped, or the offer to open what was written.
void concludiStampa(AppState& state, const EsitoStampa& esito) {
    if (!esito.ok) {
        state.ui().message(MessaggioStampaNonRiuscita(esito), applicationTitle(), Buttons::Ok,
                           Icon::Critical);
        return;
    }
    if (state.ui().askYesNo(
            QStringLiteral("Aprire il file %1 con l'applicazione predefinita?").arg(esito.path),
            QStringLiteral("Apri file")) &&
        !QDesktopServices::openUrl(QUrl::fromLocalFile(esito.path)))
        state.ui().message(
            QStringLiteral("Nessuna applicazione può aprire il file %1: aprirlo da lì.").arg(esito.path),
            QStringLiteral("Apri file"), Buttons::Ok, Icon::Warning);
}

} // namespace

ComandiStampe::ComandiStampe(AppState& state, FinestraPrincipale& principale)
    : QObject(principale.finestra()), state_(state) {
    QMenu* stampe = mnuUtilitaDocumentiStampe =
        principale.menu().definisci(QStringLiteral("mnuUtilitaDocumenti"), QStringLiteral("stampe"),
                                    "mnuUtilitaDocumentiStampe", QStringLiteral("&Stampe ..."), {});
    mnuUtilitaDocumentiStampeCompleta =
        aggiungiVoce(stampe, "mnuUtilitaDocumentiStampeCompleta", QStringLiteral("&Completa"));
    mnuUtilitaDocumentiStampeSoloTesti =
        aggiungiVoce(stampe, "mnuUtilitaDocumentiStampeSoloTesti", QStringLiteral("&Solo campi testo"));
    aggiungiSeparatore(stampe, "mnuUtilitaDocumentiSep00");
    mnuUtilitaDocumentiStampeProspetto =
        aggiungiVoce(stampe, "mnuUtilitaDocumentiStampeProspetto", QStringLiteral("&Prospetto"));
    mnuUtilitaDocumentiStampeConsistenza =
        aggiungiVoce(stampe, "mnuUtilitaDocumentiStampeConsistenza", QStringLiteral("Co&nsistenza"));
    connect(mnuUtilitaDocumentiStampeCompleta, &QAction::triggered, this,
            &ComandiStampe::mnuUtilitaDocumentiStampeCompleta_Click);
    connect(mnuUtilitaDocumentiStampeSoloTesti, &QAction::triggered, this,
            &ComandiStampe::mnuUtilitaDocumentiStampeSoloTesti_Click);
    connect(mnuUtilitaDocumentiStampeProspetto, &QAction::triggered, this,
            &ComandiStampe::mnuUtilitaDocumentiStampeProspetto_Click);
    connect(mnuUtilitaDocumentiStampeConsistenza, &QAction::triggered, this,
            &ComandiStampe::mnuUtilitaDocumentiStampeConsistenza_Click);
}

QHash<QString, QAction*> ComandiStampe::passi() const {
    return {{QStringLiteral("3"), mnuUtilitaDocumentiStampeCompleta},
            {QStringLiteral("4"), mnuUtilitaDocumentiStampeSoloTesti},
            {QStringLiteral("5"), mnuUtilitaDocumentiStampeConsistenza},
            {QStringLiteral("6"), mnuUtilitaDocumentiStampeProspetto}};
}

void ComandiStampe::mnuUtilitaDocumentiStampeCompleta_Click() {
    concludiStampa(state_, StampaConsegna(state_, true, false));
}

void ComandiStampe::mnuUtilitaDocumentiStampeSoloTesti_Click() {
    // Esc (or the box's frame) is no answer: nothing is printed and the last print stays as it was.
    const Answer filtro =
        state_.ui().message(QStringLiteral("Stampa con filtro per traduzioni titolo?"),
                            QStringLiteral("Abstract in inglese"), Buttons::YesNoCancel, Icon::Question);
    if (filtro == Answer::Cancel)
        return;
    concludiStampa(state_, StampaConsegna(state_, false, filtro == Answer::Yes));
}

void ComandiStampe::mnuUtilitaDocumentiStampeProspetto_Click() {
    concludiStampa(state_, StampaProspetto(state_));
}

void ComandiStampe::mnuUtilitaDocumentiStampeConsistenza_Click() {
    concludiStampa(state_, StampaConsistenza(state_));
}
