#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "documents/frmSceltaDoc.h"
#include "store/MessaggiErrore.h"
#include "store/VersioneArchivio.h"

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

bool MDIQuillaro::apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga) {
    if (!state_.ArchivioAperto)
        return false;
    std::optional<qint64> presente;
    try {
        presente = VersioneDocumento(state_.Connessione, IDDoc);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il documento %1 non è stato letto dall'archivio: "
                                             "riprovare dall'elenco.")
                                  .arg(IDDoc),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return false;
    }
    if (!presente) {
        state_.ui().message(
            QStringLiteral("Il documento %1 non è più nell'archivio: l'elenco è di un controllo "
                           "precedente. Eseguire di nuovo i controlli per aggiornarlo.")
                .arg(IDDoc),
            applicationTitle(), Buttons::Ok, Icon::Information);
        return false;
    }
    // One document window at a time: the one on this document stays as it is, another goes first.
    frmDocumento* documento = nullptr;
    QMdiSubWindow* finestra = nullptr;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        auto* aperto = qobject_cast<frmDocumento*>(sub->widget());
        if (!aperto)
            continue;
        if (!documento && !aperto->buffer().NuovoDocumento && aperto->buffer().IDDocCorrente == IDDoc) {
            documento = aperto;
            finestra = sub;
        } else if (!sub->close()) {
            return false;
        }
    }
    if (!documento) {
        apriDocumentoEsistente(IDDoc);
        for (QMdiSubWindow* sub : mdiArea_->subWindowList())
            if (auto* aperto = qobject_cast<frmDocumento*>(sub->widget())) {
                documento = aperto;
                finestra = sub;
            }
    }
    if (!documento)
        return false;
    activateWindow();
    mdiArea_->setActiveSubWindow(finestra);
    documento->vaiAlRilievoDellElenco(riga);
    return true;
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
