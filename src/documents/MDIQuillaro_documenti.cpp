#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "documents/frmSceltaDoc.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

void abilitaDocumenti(MDIQuillaro& main, bool on) {
    main.mnuDocumenti->setEnabled(on);
    main.mnuDocumenti->menuAction()->setEnabled(on);
}

// The document window inside the main window; the Documenti menu waits until it is closed.
void apriDocumento(MDIQuillaro& main, bool nuovo, qint64 IDDoc) {
    abilitaDocumenti(main, false);
    auto* window = new frmDocumento(main.state(), nuovo, IDDoc);
    QObject::connect(window, &frmDocumento::chiusa, &main, [&main] { main.applicaStatoMenu(); });
    QMdiSubWindow* sub = main.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(window->windowTitle());
    const QSize area = main.mdiArea()->viewport()->size();
    sub->resize(std::min(area.width(), 1100), std::min(area.height(), 760));
    sub->show();
    window->txtID->setFocus();
}

} // namespace

void MDIQuillaro::apriDocumentoEsistente(qint64 IDDoc) {
    apriDocumento(*this, false, IDDoc);
}

void MDIQuillaro::mnuDocumentiNuovo_Click() {
    apriDocumento(*this, true, 0);
}

void MDIQuillaro::mnuDocumentiEdita_Click() {
    frmSceltaDoc scelta(state(), this);
    scelta.cmdCancella->setEnabled(false);
    scelta.cmdEdita->setEnabled(true);
    // Enter opens the chosen document; deletion is never the default.
    scelta.cmdEdita->setDefault(true);
    scelta.setModal(true);
    if (!scelta.Form_Load()) {
        state().ui().message(QStringLiteral("Archivio nuovo: inserire un documento nuovo!"));
        return;
    }
    if (scelta.exec() == QDialog::Accepted)
        apriDocumento(*this, false, scelta.IDDocCorrente());
}

void MDIQuillaro::mnuDocumentiCancella_Click() {
    auto* scelta = new frmSceltaDoc(state(), this);
    scelta->setAttribute(Qt::WA_DeleteOnClose);
    scelta->cmdCancella->setEnabled(true);
    scelta->cmdEdita->setEnabled(false);
    if (!scelta->Form_Load()) {
        delete scelta;
        state().ui().message(QStringLiteral("Archivio nuovo: non è possibile cancellare nessun documento!"));
        return;
    }
    scelta->setModal(false);
    scelta->show();
}
