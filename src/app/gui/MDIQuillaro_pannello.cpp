#include "app/gui/MDIQuillaro.h"
#include "checks/ComandiControlli.h"
#include "checks/MDIQuillaroPannello.h"
#include "checks/StatoConsegna.h"
#include "printouts/ComandiStampe.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>

void MDIQuillaro::creaPannello() {
    pannello_ = new PannelloConsegna(mdiArea_->viewport());
    QHash<QString, QAction*> passi = controlli_->passi();
    passi.insert(stampe_->passi());
    pannello_->collegaAzioni(passi, mnuFileNuovo, mnuFileApri);
    connect(pannello_, &PannelloConsegna::apriRecente, this, [this](const QString& percorso) {
        if (mnuFileApri->isEnabled())
            apriArchivio(percorso);
    });

    // Saves and deletions in the windows, and runs of the command line on the same archive or
    // dump/, change the files: the panel follows them once they settle.
    attesaPannello_ = new QTimer(this);
    attesaPannello_->setSingleShot(true);
    attesaPannello_->setInterval(300);
    connect(attesaPannello_, &QTimer::timeout, this, &MDIQuillaro::aggiornaPannelloQuandoLibero);
    osservatore_ = new QFileSystemWatcher(this);
    connect(osservatore_, &QFileSystemWatcher::fileChanged, attesaPannello_, qOverload<>(&QTimer::start));
    connect(osservatore_, &QFileSystemWatcher::directoryChanged, attesaPannello_,
            qOverload<>(&QTimer::start));
    // Back from a window: the panel is where the keyboard goes.
    // (The timer receives it: the area still signals while the main window is being destroyed.)
    connect(mdiArea_, &QMdiArea::subWindowActivated, attesaPannello_,
            [attesa = attesaPannello_](QMdiSubWindow* finestra) {
                if (!finestra)
                    attesa->start();
            });
}

void MDIQuillaro::aggiornaPannelloQuandoLibero() {
    // Not in the middle of a run or of a question, nor of an update batch that has other
    // archives open in turn: the archive is then being read or written.
    if (QApplication::activeModalWidget() || QApplication::overrideCursor() || state_.ModoAggiornamento) {
        attesaPannello_->start();
        return;
    }
    aggiornaPannello();
}

void MDIQuillaro::aggiornaPannello() {
    if (!pannello_)
        return;
    const QStringList osservati = osservatore_->files() + osservatore_->directories();
    if (!osservati.isEmpty())
        osservatore_->removePaths(osservati);
    if (state_.ArchivioAperto && state_.Connessione.isOpen()) {
        pannello_->mostraConsegna(LeggiStatoConsegna(state_));
        for (const QString& percorso : {state_.NomeArchivio, state_.home.dumpDir()})
            if (QFileInfo::exists(percorso))
                osservatore_->addPath(percorso);
    } else {
        pannello_->mostraRecenti(LeggiArchiviRecenti(state_.home));
    }
    // The keyboard comes to the panel when no window holds it; the window's own focus counts, also
    // while the operator is in another program.
    QWidget* fuoco = focusWidget();
    if (!mdiArea_->currentSubWindow() &&
        (!fuoco || fuoco == mdiArea_ || fuoco == mdiArea_->viewport() || pannello_->isAncestorOf(fuoco)))
        pannello_->mettiFuoco();
}
