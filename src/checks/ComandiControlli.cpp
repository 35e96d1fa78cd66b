#include "checks/ComandiControlli.h"
#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"
#include "checks/Uscite.h"
#include "checks/frmWndErrori.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"

#include <QAction>
#include <QMenu>

ComandiControlli::ComandiControlli(AppState& state, FinestraPrincipale& principale)
    : QObject(principale.finestra()), state_(state), principale_(principale) {
    QMenu* controlli = mnuUtilitaDocumentiControlli =
        principale.menu().definisci(QStringLiteral("mnuUtilitaDocumenti"), QStringLiteral("controlli"),
                                    "mnuUtilitaDocumentiControlli", QStringLiteral("&Controlli ..."), {});
    mnuUtilitaDocumentiControlliEsegui =
        aggiungiVoce(controlli, "mnuUtilitaDocumentiControlliEsegui", QStringLiteral("&Esegui controlli"));
    QMenu* errori = mnuUtilitaDocumentiControlliVediErrori = aggiungiSottomenu(
        controlli, "mnuUtilitaDocumentiControlliVediErrori", QStringLiteral("&Vedi file errori ..."));
    mnuUtilitaDocumentiControlliVediErroriGenerici =
        aggiungiVoce(errori, "mnuUtilitaDocumentiControlliVediErroriGenerici", QStringLiteral("&Generici"));
    mnuUtilitaDocumentiControlliVediErroriClassificazione = aggiungiVoce(
        errori, "mnuUtilitaDocumentiControlliVediErroriClassificazione", QStringLiteral("&Classificazione"));
    mnuUtilitaDocumentiControlliVediErroriFonti =
        aggiungiVoce(errori, "mnuUtilitaDocumentiControlliVediErroriFonti", QStringLiteral("&Fonti"));
    aggiungiSeparatore(controlli, "mnuUtilitaDocumentiControlliSep1");
    mnuUtilitaDocumentiControlliNoteCompilatore = aggiungiVoce(
        controlli, "mnuUtilitaDocumentiControlliNoteCompilatore", QStringLiteral("&File note compilatore"));
    aggiungiSeparatore(controlli, "mnuUtilitaDocumentiControlliSep0");
    mnuUtilitaDocumentiControlliPerControlloCELEX = aggiungiVoce(
        controlli, "mnuUtilitaDocumentiControlliPerControlloCELEX", QStringLiteral("Per controllo &CELEX"));
    mnuUtilitaDocumentiControlliPerControlloHUDOC = aggiungiVoce(
        controlli, "mnuUtilitaDocumentiControlliPerControlloHUDOC", QStringLiteral("Per controllo &HUDOC"));
    mnuUtilitaDocumentiControlliPerControlloNIR =
        aggiungiVoce(controlli, "mnuUtilitaDocumentiControlliPerControlloNIR",
                     QStringLiteral("Stampa HTML fonti italiane (&URN)"));
    aggiungiSeparatore(controlli, "mnuUtilitaDocumentiControlliSep2");
    mnuUtilitaDocumentiControlliNuovi =
        aggiungiVoce(controlli, "mnuUtilitaDocumentiControlliNuovi", QStringLiteral("File con \"&nuovi\""));

    const auto collega = [this](QAction* azione, void (ComandiControlli::*comando)()) {
        connect(azione, &QAction::triggered, this, comando);
    };
    collega(mnuUtilitaDocumentiControlliEsegui, &ComandiControlli::mnuUtilitaDocumentiControlliEsegui_Click);
    collega(mnuUtilitaDocumentiControlliVediErroriGenerici,
            &ComandiControlli::mnuUtilitaDocumentiControlliVediErroriGenerici_Click);
    collega(mnuUtilitaDocumentiControlliVediErroriClassificazione,
            &ComandiControlli::mnuUtilitaDocumentiControlliVediErroriClassificazione_Click);
    collega(mnuUtilitaDocumentiControlliVediErroriFonti,
            &ComandiControlli::mnuUtilitaDocumentiControlliVediErroriFonti_Click);
    collega(mnuUtilitaDocumentiControlliNoteCompilatore,
            &ComandiControlli::mnuUtilitaDocumentiControlliNoteCompilatore_Click);
    collega(mnuUtilitaDocumentiControlliPerControlloCELEX,
            &ComandiControlli::mnuUtilitaDocumentiControlliPerControlloCELEX_Click);
    collega(mnuUtilitaDocumentiControlliPerControlloHUDOC,
            &ComandiControlli::mnuUtilitaDocumentiControlliPerControlloHUDOC_Click);
    collega(mnuUtilitaDocumentiControlliPerControlloNIR,
            &ComandiControlli::mnuUtilitaDocumentiControlliPerControlloNIR_Click);
    collega(mnuUtilitaDocumentiControlliNuovi, &ComandiControlli::mnuUtilitaDocumentiControlliNuovi_Click);
}

QHash<QString, QAction*> ComandiControlli::passi() const {
    return {{QStringLiteral("1"), mnuUtilitaDocumentiControlliEsegui},
            {QStringLiteral("7"), mnuUtilitaDocumentiControlliVediErroriGenerici},
            {QStringLiteral("8"), mnuUtilitaDocumentiControlliVediErroriClassificazione},
            {QStringLiteral("9"), mnuUtilitaDocumentiControlliVediErroriFonti},
            {QStringLiteral("2"), mnuUtilitaDocumentiControlliPerControlloCELEX}};
}

void ComandiControlli::vediErrori(const QString& code, const QString& nomeFile, const QString& title) {
    if (frmWndErrori* finestra = MostraErrori(state_, principale_.finestra(), code, nomeFile, title))
        connect(finestra, &frmWndErrori::rilievoScelto, this, &ComandiControlli::apriAlRilievo,
                Qt::UniqueConnection);
}

void ComandiControlli::apriAlRilievo(qint64 IDDoc, const QString& riga) {
    principale_.apriDocumentoAlRilievo(IDDoc, riga);
}

void ComandiControlli::mnuUtilitaDocumentiControlliEsegui_Click() {
    if (state_.ArchivioAperto)
        SegnalaErrori(state_, [this] { EseguiControlli(state_); });
}

void ComandiControlli::mnuUtilitaDocumentiControlliVediErroriGenerici_Click() {
    if (state_.ArchivioAperto)
        vediErrori(QStringLiteral("7"), QStringLiteral("errori."), QStringLiteral("Errori generici"));
}

void ComandiControlli::mnuUtilitaDocumentiControlliVediErroriClassificazione_Click() {
    if (state_.ArchivioAperto)
        vediErrori(QStringLiteral("8"), QStringLiteral("errclasse."), QStringLiteral("Errori di classificazione"));
}

void ComandiControlli::mnuUtilitaDocumentiControlliVediErroriFonti_Click() {
    if (state_.ArchivioAperto)
        vediErrori(QStringLiteral("9"), QStringLiteral("errfonte."), QStringLiteral("Errori nelle fonti"));
}

void ComandiControlli::mnuUtilitaDocumentiControlliNoteCompilatore_Click() {
    if (state_.ArchivioAperto)
        SegnalaErrori(state_, [this] { EstraiNote(state_); });
}

void ComandiControlli::mnuUtilitaDocumentiControlliPerControlloCELEX_Click() {
    if (state_.ArchivioAperto)
        SegnalaErrori(state_, [this] { StampaCelex(state_); });
}

void ComandiControlli::mnuUtilitaDocumentiControlliPerControlloHUDOC_Click() {
    if (state_.ArchivioAperto)
        SegnalaErrori(state_, [this] { StampaHudoc(state_); });
}

void ComandiControlli::mnuUtilitaDocumentiControlliPerControlloNIR_Click() {
    if (state_.ArchivioAperto)
        SegnalaErrori(state_, [this] { StampaNir(state_); });
}

void ComandiControlli::mnuUtilitaDocumentiControlliNuovi_Click() {
    if (state_.ArchivioAperto)
        SegnalaErrori(state_, [this] { EstraiNuovi(state_); });
}
