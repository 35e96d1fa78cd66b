#include "search/ComandiRicerca.h"
#include "search/ServizioRicerca.h"
#include "search/frmDoppioni.h"
#include "search/frmRicerca.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"

#include <QAction>
#include <QLineEdit>
#include <QScreen>

namespace {

template <class W> W* finestra(QWidget* main) {
    return main->findChild<W*>(QString(), Qt::FindDirectChildrenOnly);
}

// A new window over the main window, wholly on its screen.
void colloca(QWidget* main, QWidget* w) {
    QRect area = main->screen() ? main->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize dimensione = w->size().boundedTo(area.size() - QSize(16, 40));
    w->resize(dimensione);
    QPoint p = main->geometry().topLeft() + QPoint(32, 48);
    p.setX(std::clamp(p.x(), area.left(), std::max(area.left(), area.right() - dimensione.width() - 8)));
    p.setY(std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom() - dimensione.height() - 32)));
    w->move(p);
}

void mostra(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

ComandiRicerca::ComandiRicerca(AppState& state, FinestraPrincipale& principale)
    : QObject(principale.finestra()), state_(state), principale_(principale) {
    MenuComandi& menu = principale.menu();
    mnuFileCercaTutti = menu.aggiungi(QStringLiteral("mnuFile"), QStringLiteral("cerca"), "mnuFileCercaTutti",
                                      QStringLiteral("Cerca in &tutti gli archivi..."));
    mnuFileCercaTutti->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    mnuDocumentiRicerca = menu.aggiungi(QStringLiteral("mnuDocumenti"), QStringLiteral("ricerca"),
                                        "mnuDocumentiRicerca", QStringLiteral("&Ricerca"));
    mnuDocumentiRicerca->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    mnuDocumentiDoppioni = menu.aggiungi(QStringLiteral("mnuDocumenti"), QStringLiteral("ricerca"),
                                         "mnuDocumentiDoppioni", QStringLiteral("&Possibili doppioni"));
    connect(mnuFileCercaTutti, &QAction::triggered, this, &ComandiRicerca::mnuFileCercaTutti_Click);
    connect(mnuDocumentiRicerca, &QAction::triggered, this, &ComandiRicerca::mnuDocumentiRicerca_Click);
    connect(mnuDocumentiDoppioni, &QAction::triggered, this, &ComandiRicerca::mnuDocumentiDoppioni_Click);
    ServizioRicerca::di(state_);
}

void ComandiRicerca::apriRicerca(TipoAmbito ambito) {
    QWidget* main = principale_.finestra();
    auto* w = finestra<frmRicerca>(main);
    if (!w) {
        w = new frmRicerca(state_, principale_, ambito);
        colloca(main, w);
    } else
        w->scegliAmbito(ambito);
    mostra(w);
    w->txtRicerca->setFocus();
    w->txtRicerca->selectAll();
}

void ComandiRicerca::mnuFileCercaTutti_Click() {
    apriRicerca(TipoAmbito::Tutti);
}

void ComandiRicerca::mnuDocumentiRicerca_Click() {
    apriRicerca(TipoAmbito::Archivio);
}

void ComandiRicerca::mnuDocumentiDoppioni_Click() {
    QWidget* main = principale_.finestra();
    auto* w = finestra<frmDoppioni>(main);
    if (!w) {
        w = new frmDoppioni(state_, principale_);
        colloca(main, w);
    }
    mostra(w);
}
