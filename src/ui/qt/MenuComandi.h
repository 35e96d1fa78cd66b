#pragma once

// The menus of the main window by name, each with its groups in order, as the main window lays them
// out: a room puts its items into a group of a menu the main window names, whatever the order the
// rooms are made in, and a group's separator comes with its first item. An item keeps the object
// name, caption and shortcut the room gives it; the menu is its parent.

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

class MenuComandi {
public:
    struct Gruppo {
        QString nome;
        const char* separatore = nullptr; // object name of the separator before the group, if any
    };

    // A menu of the bar, or a submenu in a group of a named menu; its items go into its groups.
    QMenu* definisci(QMenuBar* barra, const char* nome, const QString& titolo, const QList<Gruppo>& gruppi);
    QMenu* definisci(const QString& menu, const QString& gruppo, const char* nome, const QString& titolo,
                     const QList<Gruppo>& gruppi);

    QMenu* menu(const QString& nome) const;
    // A new item at the end of a group of a named menu.
    QAction* aggiungi(const QString& menu, const QString& gruppo, const char* nome, const QString& titolo);

private:
    struct Menu {
        QMenu* menu = nullptr;
        QList<Gruppo> gruppi;
        QHash<QString, QList<QAction*>> voci; // each group's items, with its separator first
    };
    QMenu* registra(QMenu* menu, const char* nome, const QList<Gruppo>& gruppi);
    void inserisci(Menu& m, const QString& gruppo, QAction* azione);
    Menu& trova(const QString& nome);

    QHash<QString, Menu> menu_;
};

// Building a room's own submenu item by item, in order.
QAction* aggiungiVoce(QMenu* menu, const char* nome, const QString& titolo);
QMenu* aggiungiSottomenu(QMenu* menu, const char* nome, const QString& titolo);
void aggiungiSeparatore(QMenu* menu, const char* nome);
// A menu and the item that opens it, on or off together.
void abilitaMenu(QMenu* menu, bool on);
