#include "update/ComandiAggiornamento.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"
#include "update/Aggiornamento.h"
#include "update/frmFileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

ComandiAggiornamento::ComandiAggiornamento(AppState& state, FinestraPrincipale& principale)
    : QObject(principale.finestra()), state_(state), principale_(principale) {
    QMenu* aggiornamento = mnuUtilitaAggiornamento =
        principale.menu().definisci(QStringLiteral("mnuUtilitaConsegna"), QStringLiteral("aggiornamento"),
                                    "mnuUtilitaAggiornamento", QStringLiteral("&Aggiornamento ..."), {});
    mnuUtilitaAggiornamentoFileSigle =
        aggiungiVoce(aggiornamento, "mnuUtilitaAggiornamentoFileSigle", QStringLiteral("File &sigle"));
    aggiungiSeparatore(aggiornamento, "mnuUtilitaAggiornamentoSep0");
    QMenu* controlli = mnuUtilitaAggiornamentoControlli =
        aggiungiSottomenu(aggiornamento, "mnuUtilitaAggiornamentoControlli", QStringLiteral("&Controlli ..."));
    mnuUtilitaAggiornamentoControlliEsegui =
        aggiungiVoce(controlli, "mnuUtilitaAggiornamentoControlliEsegui", QStringLiteral("&Esegui controlli"));
    QMenu* errori = mnuUtilitaAggiornamentoControlliVediErrori = aggiungiSottomenu(
        controlli, "mnuUtilitaAggiornamentoControlliVediErrori", QStringLiteral("&Vedi file errori ..."));
    mnuUtilitaAggiornamentoControlliVediErroriGenerici =
        aggiungiVoce(errori, "mnuUtilitaAggiornamentoControlliVediErroriGenerici", QStringLiteral("&Generici"));
    mnuUtilitaAggiornamentoControlliVediErroriClassificazione = aggiungiVoce(
        errori, "mnuUtilitaAggiornamentoControlliVediErroriClassificazione", QStringLiteral("&Classificazione"));
    mnuUtilitaAggiornamentoControlliVediErroriFonti =
        aggiungiVoce(errori, "mnuUtilitaAggiornamentoControlliVediErroriFonti", QStringLiteral("&Fonti"));
    aggiungiSeparatore(controlli, "mnuUtilitaAggiornamentoControlliSep0");
    mnuUtilitaAggiornamentoControlliNoteCompilatore = aggiungiVoce(
        controlli, "mnuUtilitaAggiornamentoControlliNoteCompilatore", QStringLiteral("&File note compilatore"));
    aggiungiSeparatore(controlli, "mnuUtilitaAggiornamentoControlliSep1");
    mnuUtilitaAggiornamentoControlloCELEX =
        aggiungiVoce(controlli, "mnuUtilitaAggiornamentoControlloCELEX", QStringLiteral("Per controllo &CELEX"));
    mnuUtilitaAggiornamentoControlloHUDOC =
        aggiungiVoce(controlli, "mnuUtilitaAggiornamentoControlloHUDOC", QStringLiteral("Per controllo &HUDOC"));
    mnuUtilitaAggiornamentoControlloNIR = aggiungiVoce(controlli, "mnuUtilitaAggiornamentoControlloNIR",
                                                       QStringLiteral("Stampa HTML fonti italiane (&URN)"));
    aggiungiSeparatore(controlli, "mnuUtilitaAggiornamentoControlliSep2");
    mnuUtilitaAggiornamentoControlliNuovi =
        aggiungiVoce(controlli, "mnuUtilitaAggiornamentoControlliNuovi", QStringLiteral("File con \"&nuovi\""));
    aggiungiSeparatore(controlli, "mnuUtilitaAggiornamentoControlliSep3");
    mnuUtilitaAggiornamentoControlliConteggio =
        aggiungiVoce(controlli, "mnuUtilitaAggiornamentoControlliConteggio", QStringLiteral("Con&teggio"));

    connect(mnuUtilitaAggiornamentoFileSigle, &QAction::triggered, this,
            &ComandiAggiornamento::mnuUtilitaAggiornamentoFileSigle_Click);
    const std::pair<QAction*, TipoAggiornamento> esecuzioni[] = {
        {mnuUtilitaAggiornamentoControlliEsegui, TipoAggiornamento::Controlli},
        {mnuUtilitaAggiornamentoControlliNoteCompilatore, TipoAggiornamento::NoteCompilatore},
        {mnuUtilitaAggiornamentoControlloCELEX, TipoAggiornamento::Celex},
        {mnuUtilitaAggiornamentoControlloHUDOC, TipoAggiornamento::Hudoc},
        {mnuUtilitaAggiornamentoControlloNIR, TipoAggiornamento::Nir},
        {mnuUtilitaAggiornamentoControlliNuovi, TipoAggiornamento::Nuovi},
        {mnuUtilitaAggiornamentoControlliConteggio, TipoAggiornamento::Conteggio},
    };
    for (const auto& [azione, tipo] : esecuzioni)
        connect(azione, &QAction::triggered, this, [this, tipo = tipo] { esegui(tipo); });
}

void ComandiAggiornamento::esegui(TipoAggiornamento tipo) {
    AppState& state = state_;
    state.ModoAggiornamento = true;
    state.FileScelto.clear();
    frmSceltaFileOut scelta(state, state.home.mdbDir(), QStringLiteral("sigle.*"), principale_.finestra());
    scelta.cmdNuovo->hide();
    // Only Conferma goes on: Esc and the frame cancel like Annulla, even after a click on a file.
    if (scelta.exec() != QDialog::Accepted || state.FileScelto.isEmpty()) {
        state.ModoAggiornamento = false;
        return;
    }
    const EsitoAggiornamento esito = EseguiAggiornamento(
        state, tipo, state.FileScelto, [this](const QString& sigla) { principale_.mostraInTitolo(sigla); });
    Q_UNUSED(esito);
    // The archive open before the batch is open again, or could not be: the main window follows.
    principale_.seguiArchivioAperto();
}

void ComandiAggiornamento::mnuUtilitaAggiornamentoFileSigle_Click() {
    QMdiArea* area = principale_.areaDocumenti();
    // One window: two on the same file would each save over the other's changes.
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (qobject_cast<frmFileSigle*>(sub->widget())) {
            if (sub->isMinimized())
                sub->showNormal();
            area->setActiveSubWindow(sub);
            return;
        }
    }
    auto* form = new frmFileSigle(state_);
    QMdiSubWindow* sub = area->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(form->windowTitle());
    sub->show();
    // The keyboard starts in the window, on its first command.
    form->cmdApriFileSigle->setFocus();
}
