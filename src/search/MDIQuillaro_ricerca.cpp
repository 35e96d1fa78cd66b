#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "search/ServizioRicerca.h"
#include "search/frmDoppioni.h"
#include "search/frmRicerca.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

namespace {

template <class W> W* finestra(MDIQuillaro& main) {
    return main.findChild<W*>(QString(), Qt::FindDirectChildrenOnly);
}

// A new window over the main window, wholly on its screen.
void colloca(MDIQuillaro& main, QWidget* w) {
    QRect area = main.screen() ? main.screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize dimensione = w->size().boundedTo(area.size() - QSize(16, 40));
    w->resize(dimensione);
    QPoint p = main.geometry().topLeft() + QPoint(32, 48);
    p.setX(std::clamp(p.x(), area.left(), std::max(area.left(), area.right() - dimensione.width() - 8)));
    p.setY(std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom() - dimensione.height() - 32)));
    w->move(p);
}

void mostra(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

void apriRicerca(MDIQuillaro& main, TipoAmbito ambito) {
    auto* w = finestra<frmRicerca>(main);
    if (!w) {
        w = new frmRicerca(main, ambito);
        colloca(main, w);
    } else
        w->scegliAmbito(ambito);
    mostra(w);
    w->txtRicerca->setFocus();
    w->txtRicerca->selectAll();
}

bool stessoFile(const QString& a, const QString& b) {
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

void MDIQuillaro::collegaRicerca() {
    ServizioRicerca::di(state_);
}

void MDIQuillaro::mnuFileCercaTutti_Click() {
    apriRicerca(*this, TipoAmbito::Tutti);
}

void MDIQuillaro::mnuDocumentiRicerca_Click() {
    apriRicerca(*this, TipoAmbito::Archivio);
}

void MDIQuillaro::mnuDocumentiDoppioni_Click() {
    auto* w = finestra<frmDoppioni>(*this);
    if (!w) {
        w = new frmDoppioni(*this);
        colloca(*this, w);
    }
    mostra(w);
}

bool MDIQuillaro::apriDocumentoDi(const QString& archivio, qint64 IDDoc) {
    if (state_.ArchivioAperto && stessoFile(state_.NomeArchivio, archivio)) {
        // One document window at a time: the one open goes first, asking about its unsaved work.
        for (QMdiSubWindow* sub : mdiArea_->subWindowList())
            if (qobject_cast<frmDocumento*>(sub->widget()) && !sub->close())
                return false;
    } else {
        if (state_.ArchivioAperto) {
            mnuFileChiudi_Click();
            if (state_.ArchivioAperto)
                return false;
        }
        if (!apriArchivio(archivio))
            return false;
    }
    apriDocumentoEsistente(IDDoc);
    return true;
}
