#include "app/gui/MDIQuillaro.h"
#include "printouts/StampaConsegna.h"
#include "printouts/StampaConsistenza.h"
#include "printouts/StampaProspetto.h"

#include <QDesktopServices>
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

void MDIQuillaro::mnuUtilitaDocumentiStampeCompleta_Click() {
    concludiStampa(state_, StampaConsegna(state_, true, false));
}

void MDIQuillaro::mnuUtilitaDocumentiStampeSoloTesti_Click() {
    // Esc (or the box's frame) is no answer: nothing is printed and the last print stays as it was.
    const Answer filtro =
        state_.ui().message(QStringLiteral("Stampa con filtro per traduzioni titolo?"),
                            QStringLiteral("Abstract in inglese"), Buttons::YesNoCancel, Icon::Question);
    if (filtro == Answer::Cancel)
        return;
    concludiStampa(state_, StampaConsegna(state_, false, filtro == Answer::Yes));
}

void MDIQuillaro::mnuUtilitaDocumentiStampeProspetto_Click() {
    concludiStampa(state_, StampaProspetto(state_));
}

void MDIQuillaro::mnuUtilitaDocumentiStampeConsistenza_Click() {
    concludiStampa(state_, StampaConsistenza(state_));
}
