#pragma once

// Helpers for tests that drive windows offscreen.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QPixmap>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Runs `action` on the next modal window of type W that opens (e.g. a dialog shown with exec()),
// polling the event loop; the test then triggers what opens it.
template <typename W> void onNextModal(std::function<void(W*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action, elapsed, timeoutMs] {
        *elapsed += 10;
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(w);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Saves a picture of the widget when QUILLARO_SCREENSHOTS names a folder (for looking at windows).
inline void saveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("QUILLARO_SCREENSHOTS");
    if (folder.isEmpty() || !widget)
        return;
    QDir().mkpath(folder);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// A key a window answers to, and what answers it.
struct TastoFinestra {
    QKeySequence tasto;
    QString chi;
};

// The Alt letters of a menu bar's menus, and the shortcuts of every menu item under it: all of
// them also act while an MDI child of the main window has the focus.
inline QList<TastoFinestra> tastiMenu(const QWidget* barra) {
    QList<TastoFinestra> tasti;
    for (const QAction* a : barra->actions())
        if (a->isVisible())
            tasti.append({QKeySequence::mnemonic(a->text()), a->text()});
    for (const QAction* a : barra->findChildren<QAction*>())
        if (!a->shortcut().isEmpty())
            tasti.append({a->shortcut(), a->text()});
    return tasti;
}

// The keys that more than one control of the window answers to as it stands now (shown controls
// only: buttons, labels with a buddy, group boxes and tabs by their "&" letter, and shortcuts),
// together with `altri` (those of the main window for an MDI child). One line per clash.
inline QStringList tastiDoppi(QWidget* finestra, QList<TastoFinestra> altri = {}) {
    QList<TastoFinestra> tasti = std::move(altri);
    const auto aggiungi = [&tasti](const QKeySequence& tasto, const QObject* o, const QString& testo) {
        if (!tasto.isEmpty())
            tasti.append({tasto, testo + QStringLiteral(" (") + o->objectName() + u')'});
    };
    QList<QWidget*> controlli = finestra->findChildren<QWidget*>();
    controlli.prepend(finestra);
    for (QWidget* w : controlli) {
        if (w != finestra && !w->isVisibleTo(finestra))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            aggiungi(b->shortcut(), b, b->text());
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            aggiungi(QKeySequence::mnemonic(l->text()), l, l->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            aggiungi(QKeySequence::mnemonic(g->title()), g, g->title());
        else if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                aggiungi(QKeySequence::mnemonic(t->tabText(i)), t, t->tabText(i));
    }
    for (const QShortcut* s : finestra->findChildren<QShortcut*>()) {
        const auto* dove = qobject_cast<const QWidget*>(s->parent());
        if (s->isEnabled() && dove && (dove == finestra || dove->isVisibleTo(finestra)))
            for (const QKeySequence& k : s->keys())
                aggiungi(k, s, k.toString());
    }
    QMap<QString, QStringList> perTasto;
    for (const TastoFinestra& t : std::as_const(tasti))
        perTasto[t.tasto.toString(QKeySequence::PortableText)] << t.chi;
    QStringList doppi;
    for (auto i = perTasto.cbegin(); i != perTasto.cend(); ++i)
        if (i.value().size() > 1)
            doppi << finestra->objectName() + QStringLiteral(": ") + i.key() + QStringLiteral(" = ") +
                         i.value().join(QStringLiteral(", "));
    return doppi;
}
