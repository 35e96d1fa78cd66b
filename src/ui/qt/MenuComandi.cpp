#include "ui/qt/MenuComandi.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QAction* aggiungiVoce(QMenu* menu, const char* nome, const QString& titolo) {
    QAction* azione = menu->addAction(titolo);
    azione->setObjectName(QString::fromLatin1(nome));
    return azione;
}

QMenu* aggiungiSottomenu(QMenu* menu, const char* nome, const QString& titolo) {
    QMenu* sotto = menu->addMenu(titolo);
    sotto->setObjectName(QString::fromLatin1(nome));
    sotto->menuAction()->setObjectName(QString::fromLatin1(nome));
    return sotto;
}

void aggiungiSeparatore(QMenu* menu, const char* nome) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(nome));
}

void abilitaMenu(QMenu* menu, bool on) {
    menu->setEnabled(on);
    menu->menuAction()->setEnabled(on);
}

QMenu* MenuComandi::registra(QMenu* menu, const char* nome, const QList<Gruppo>& gruppi) {
    menu->setObjectName(QString::fromLatin1(nome));
    menu->menuAction()->setObjectName(QString::fromLatin1(nome));
    Menu& m = menu_[QString::fromLatin1(nome)];
    m.menu = menu;
    m.gruppi = gruppi;
    return menu;
}

QMenu* MenuComandi::definisci(QMenuBar* barra, const char* nome, const QString& titolo,
                              const QList<Gruppo>& gruppi) {
    return registra(barra->addMenu(titolo), nome, gruppi);
}

QMenu* MenuComandi::definisci(const QString& menu, const QString& gruppo, const char* nome,
                              const QString& titolo, const QList<Gruppo>& gruppi) {
    Menu& padre = trova(menu);
    auto* sotto = new QMenu(titolo, padre.menu);
    registra(sotto, nome, gruppi);
    inserisci(padre, gruppo, sotto->menuAction());
    return sotto;
}

QMenu* MenuComandi::menu(const QString& nome) const {
    const auto it = menu_.constFind(nome);
    return it == menu_.cend() ? nullptr : it->menu;
}

QAction* MenuComandi::aggiungi(const QString& menu, const QString& gruppo, const char* nome,
                               const QString& titolo) {
    Menu& m = trova(menu);
    auto* azione = new QAction(titolo, m.menu);
    azione->setObjectName(QString::fromLatin1(nome));
    inserisci(m, gruppo, azione);
    return azione;
}

MenuComandi::Menu& MenuComandi::trova(const QString& nome) {
    const auto it = menu_.find(nome);
    // A menu or group the main window does not name is a fault of the program, found at its start.
    if (it == menu_.end())
        qFatal("menu %s not defined by the main window", qPrintable(nome));
    return *it;
}

void MenuComandi::inserisci(Menu& m, const QString& gruppo, QAction* azione) {
    qsizetype posizione = -1;
    for (qsizetype i = 0; i < m.gruppi.size(); ++i)
        if (m.gruppi[i].nome == gruppo)
            posizione = i;
    if (posizione < 0)
        qFatal("group %s not defined in menu %s", qPrintable(gruppo), qPrintable(m.menu->objectName()));
    QList<QAction*>& voci = m.voci[gruppo];
    if (voci.isEmpty() && m.gruppi[posizione].separatore) {
        auto* separatore = new QAction(m.menu);
        separatore->setSeparator(true);
        separatore->setObjectName(QString::fromLatin1(m.gruppi[posizione].separatore));
        voci << separatore;
    }
    voci << azione;
    // Before the first item of the groups that follow, or at the end.
    QAction* prima = nullptr;
    for (qsizetype i = posizione + 1; i < m.gruppi.size() && !prima; ++i)
        if (const QList<QAction*>& dopo = m.voci.value(m.gruppi[i].nome); !dopo.isEmpty())
            prima = dopo.first();
    for (QAction* voce : std::as_const(voci))
        if (!m.menu->actions().contains(voce))
            m.menu->insertAction(prima, voce);
}
