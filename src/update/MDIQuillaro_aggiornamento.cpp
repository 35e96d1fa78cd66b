#include "app/gui/MDIQuillaro.h"
#include "ui/qt/ArchiveBinding.h"
#include "update/Aggiornamento.h"
#include "update/frmFileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

void eseguiAggiornamento(MDIQuillaro& w, TipoAggiornamento tipo) {
    AppState& state = w.state();
    state.ModoAggiornamento = true;
    state.FileScelto.clear();
    frmSceltaFileOut scelta(state, state.home.mdbDir(), QStringLiteral("sigle.*"), &w);
    scelta.cmdNuovo->hide();
    // Only Conferma goes on: Esc and the frame cancel like Annulla, even after a click on a file.
    if (scelta.exec() != QDialog::Accepted || state.FileScelto.isEmpty()) {
        state.ModoAggiornamento = false;
        return;
    }
    const EsitoAggiornamento esito = EseguiAggiornamento(
        state, tipo, state.FileScelto, [&w](const QString& sigla) { w.impostaTitolo(sigla); });
    Q_UNUSED(esito);
    // The archive open before the batch is open again: caption and menus follow it.
    if (state.ArchivioAperto) {
        w.impostaTitolo(state.NomeArchivio);
    } else if (w.stato.fileChiudi) {
        // The archive could not be opened again: its windows go, asking about unsaved work (which
        // can no longer be saved into it; those kept open refuse to act).
        closeArchiveWindows(&w);
        w.stato.dopoChiusura();
        w.applicaStatoMenu();
    }
    w.aggiornaBarraStato();
}

} // namespace

void MDIQuillaro::mnuUtilitaAggiornamentoFileSigle_Click() {
    // One window: two on the same file would each save over the other's changes.
    for (QMdiSubWindow* sub : mdiArea()->subWindowList()) {
        if (qobject_cast<frmFileSigle*>(sub->widget())) {
            if (sub->isMinimized())
                sub->showNormal();
            mdiArea()->setActiveSubWindow(sub);
            return;
        }
    }
    auto* form = new frmFileSigle(state());
    QMdiSubWindow* sub = mdiArea()->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(form->windowTitle());
    sub->show();
    // The keyboard starts in the window, on its first command.
    form->cmdApriFileSigle->setFocus();
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlliEsegui_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::Controlli);
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlliNoteCompilatore_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::NoteCompilatore);
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlloCELEX_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::Celex);
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlloHUDOC_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::Hudoc);
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlloNIR_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::Nir);
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlliNuovi_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::Nuovi);
}

void MDIQuillaro::mnuUtilitaAggiornamentoControlliConteggio_Click() {
    eseguiAggiornamento(*this, TipoAggiornamento::Conteggio);
}
