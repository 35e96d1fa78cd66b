#include "documents/ComandiDocumenti.h"
#include "documents/Recupero.h"
#include "documents/frmDocumento.h"
#include "documents/frmSceltaDoc.h"
#include "store/MessaggiErrore.h"
#include "store/VersioneArchivio.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <utility>

ComandiDocumenti::ComandiDocumenti(AppState& state, FinestraPrincipale& principale,
                                   EstensioniDocumento estensioni)
    : QObject(principale.finestra()), state_(state), principale_(principale), estensioni_(std::move(estensioni)) {
    MenuComandi& menu = principale.menu();
    const QString documenti = QStringLiteral("mnuDocumenti"), gruppo = QStringLiteral("documenti");
    mnuDocumentiNuovo = menu.aggiungi(documenti, gruppo, "mnuDocumentiNuovo", QStringLiteral("&Nuovo"));
    mnuDocumentiEdita = menu.aggiungi(documenti, gruppo, "mnuDocumentiEdita", QStringLiteral("&Edita"));
    mnuDocumentiCancella = menu.aggiungi(documenti, gruppo, "mnuDocumentiCancella", QStringLiteral("&Cancella"));
    connect(mnuDocumentiNuovo, &QAction::triggered, this, &ComandiDocumenti::mnuDocumentiNuovo_Click);
    connect(mnuDocumentiEdita, &QAction::triggered, this, &ComandiDocumenti::mnuDocumentiEdita_Click);
    connect(mnuDocumentiCancella, &QAction::triggered, this, &ComandiDocumenti::mnuDocumentiCancella_Click);
}

// The document window inside the main window; the Documenti menu waits until it is closed.
frmDocumento* ComandiDocumenti::apriDocumento(bool nuovo, qint64 IDDoc) {
    abilitaMenu(principale_.menu().menu(QStringLiteral("mnuDocumenti")), false);
    auto* window = new frmDocumento(state_, nuovo, IDDoc, estensioni_);
    connect(window, &frmDocumento::chiusa, this, [this] { principale_.applicaStatoMenu(); });
    QMdiArea* area = principale_.areaDocumenti();
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(window->windowTitle());
    const QSize dimensione = area->viewport()->size();
    sub->resize(std::min(dimensione.width(), 1100), std::min(dimensione.height(), 760));
    sub->show();
    window->txtID->setFocus();
    return window;
}

bool ComandiDocumenti::chiudiDocumento() {
    for (QMdiSubWindow* sub : principale_.areaDocumenti()->subWindowList())
        if (qobject_cast<frmDocumento*>(sub->widget()) && !sub->close())
            return false;
    return true;
}

void ComandiDocumenti::offriRecuperi(const QString& archivio) {
    // A document window is open: it would have to go first. The files wait for the next time.
    for (QMdiSubWindow* sub : principale_.areaDocumenti()->subWindowList())
        if (qobject_cast<frmDocumento*>(sub->widget()))
            return;
    if (offrendo_)
        return;
    offrendo_ = true;
    const QString aperto = state_.archivioCorrente();
    const QDateTime adesso = QDateTime::currentDateTime();
    for (const FileRecupero& f : RecuperiDaOffrire(state_.home, state_.Mesi, archivio)) {
        if (archivio.isEmpty() && !aperto.isEmpty() && QFileInfo(f.recupero.archivio) == QFileInfo(aperto))
            continue;
        const int scelta = state_.ui().choose(
            DomandaRecupero(f.recupero, adesso), QStringLiteral("Documento non salvato"),
            {QStringLiteral("&Ripristina"), QStringLiteral("&Elimina"), QStringLiteral("&Più tardi")});
        if (scelta == 1)
            EliminaRecupero(f.percorso);
        else if (scelta == 0 && ripristina(f))
            break;
    }
    offrendo_ = false;
}

bool ComandiDocumenti::ripristina(const FileRecupero& f) {
    const Recupero& r = f.recupero;
    // The archive opened for this document offers nothing more meanwhile.
    const bool prima = std::exchange(offrendo_, true);
    const bool aperto = principale_.apriArchivioDi(r.archivio);
    offrendo_ = prima;
    if (!aperto || !chiudiDocumento())
        return false;
    std::optional<qint64> presente;
    try {
        if (!r.buffer.NuovoDocumento)
            presente = VersioneDocumento(state_.Connessione, r.buffer.IDDocCorrente);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il documento %1 non è stato letto dall'archivio: "
                                             "il lavoro non salvato resta da ripristinare.")
                                  .arg(r.buffer.IDDocCorrente),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return false;
    }
    frmDocumento* window = apriDocumento(!presente, r.buffer.IDDocCorrente);
    window->ripristina(r, f.percorso);
    if (!r.buffer.NuovoDocumento && !presente)
        state_.ui().message(
            QStringLiteral("Il documento %1 non c'è più nell'archivio: il lavoro non salvato è ora "
                           "il documento nuovo %2, da controllare e salvare.")
                .arg(r.buffer.IDDocCorrente)
                .arg(window->buffer().IDDocCorrente),
            applicationTitle(), Buttons::Ok, Icon::Information);
    return true;
}

void ComandiDocumenti::apriDocumentoEsistente(qint64 IDDoc) {
    apriDocumento(false, IDDoc);
}

bool ComandiDocumenti::apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga) {
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
    for (QMdiSubWindow* sub : principale_.areaDocumenti()->subWindowList()) {
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
        for (QMdiSubWindow* sub : principale_.areaDocumenti()->subWindowList())
            if (auto* aperto = qobject_cast<frmDocumento*>(sub->widget())) {
                documento = aperto;
                finestra = sub;
            }
    }
    if (!documento)
        return false;
    principale_.finestra()->activateWindow();
    principale_.areaDocumenti()->setActiveSubWindow(finestra);
    documento->vaiAlRilievoDellElenco(riga);
    return true;
}

void ComandiDocumenti::mnuDocumentiNuovo_Click() {
    apriDocumento(true, 0);
}

void ComandiDocumenti::mnuDocumentiEdita_Click() {
    frmSceltaDoc scelta(state_, principale_.finestra());
    scelta.cmdCancella->setEnabled(false);
    scelta.cmdEdita->setEnabled(true);
    // Enter opens the chosen document; deletion is never the default.
    scelta.cmdEdita->setDefault(true);
    scelta.setModal(true);
    if (!scelta.Form_Load()) {
        state_.ui().message(QStringLiteral("Archivio nuovo: inserire un documento nuovo!"));
        return;
    }
    if (scelta.exec() == QDialog::Accepted)
        apriDocumento(false, scelta.IDDocCorrente());
}

void ComandiDocumenti::mnuDocumentiCancella_Click() {
    auto* scelta = new frmSceltaDoc(state_, principale_.finestra());
    scelta->setAttribute(Qt::WA_DeleteOnClose);
    scelta->cmdCancella->setEnabled(true);
    scelta->cmdEdita->setEnabled(false);
    if (!scelta->Form_Load()) {
        delete scelta;
        state_.ui().message(QStringLiteral("Archivio nuovo: non è possibile cancellare nessun documento!"));
        return;
    }
    scelta->setModal(false);
    scelta->show();
}
