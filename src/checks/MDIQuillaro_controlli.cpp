#include "app/gui/MDIQuillaro.h"
#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"
#include "checks/Uscite.h"
#include "checks/frmWndErrori.h"

namespace {

// A line of the list leads to its document, at its finding.
void vediErrori(MDIQuillaro& main, const QString& code, const QString& nomeFile, const QString& title) {
    if (frmWndErrori* finestra = MostraErrori(main.state(), &main, code, nomeFile, title))
        QObject::connect(finestra, &frmWndErrori::rilievoScelto, &main, &MDIQuillaro::apriDocumentoAlRilievo,
                         Qt::UniqueConnection);
}

} // namespace

void MDIQuillaro::mnuUtilitaDocumentiControlliEsegui_Click() {
    if (state().ArchivioAperto)
        SegnalaErrori(state(), [this] { EseguiControlli(state()); });
}

void MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriGenerici_Click() {
    if (state().ArchivioAperto)
        vediErrori(*this, QStringLiteral("7"), QStringLiteral("errori."), QStringLiteral("Errori generici"));
}

void MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriClassificazione_Click() {
    if (state().ArchivioAperto)
        vediErrori(*this, QStringLiteral("8"), QStringLiteral("errclasse."),
                   QStringLiteral("Errori di classificazione"));
}

void MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriFonti_Click() {
    if (state().ArchivioAperto)
        vediErrori(*this, QStringLiteral("9"), QStringLiteral("errfonte."),
                   QStringLiteral("Errori nelle fonti"));
}

void MDIQuillaro::mnuUtilitaDocumentiControlliNoteCompilatore_Click() {
    if (state().ArchivioAperto)
        SegnalaErrori(state(), [this] { EstraiNote(state()); });
}

void MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloCELEX_Click() {
    if (state().ArchivioAperto)
        SegnalaErrori(state(), [this] { StampaCelex(state()); });
}

void MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloHUDOC_Click() {
    if (state().ArchivioAperto)
        SegnalaErrori(state(), [this] { StampaHudoc(state()); });
}

void MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloNIR_Click() {
    if (state().ArchivioAperto)
        SegnalaErrori(state(), [this] { StampaNir(state()); });
}

void MDIQuillaro::mnuUtilitaDocumentiControlliNuovi_Click() {
    if (state().ArchivioAperto)
        SegnalaErrori(state(), [this] { EstraiNuovi(state()); });
}
