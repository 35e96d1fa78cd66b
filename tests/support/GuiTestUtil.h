#pragma once

// Helpers for tests that drive windows offscreen.
//
// Every GUI test class derives from TestGui (support/gui/TestGui.h), which ends each test with the
// same check, fineTestGui(). It fails the test that has just run when
//   - a dialog awaited with onNextModal never opened, or
//   - a scripted dialog (the TestHome's ScriptedDialogs) asked a question the test did not answer
//     beforehand, or an answer the test scripted was never asked for.
//
// A window the program shows with exec() is answered by arming a watch before the test triggers it:
//
//     auto scelta = onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) { d->cmdEdita->click(); });
//     azione(main, "mnuDocumentiEdita")->trigger();
//     QVERIFY(scelta->came());            // QTRY_VERIFY when the window opens later, from a timer
//
// The action runs once, on the first modal window of type W that becomes active after the call
// (windows already open then, and those other watches wait for, are left to them: watches may be
// armed together, or inside the action of another). Any other modal window that comes while a
// watch waits fails the test at once, naming the watch, and is closed so the test goes on. When
// the action fails (QVERIFY, QCOMPARE) and leaves its window open, the watch closes it. A watch
// waits until its window comes or the test ends; fineTestGui() fails the test for each one whose
// window never came, even when nobody looked at came().

#include "support/TestHome.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QShortcut>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <source_location>
#include <vector>

// A modal window a test waits for (see the top of this file).
class ModalWatch {
public:
    virtual ~ModalWatch() = default;
    // Whether the window came (and the action ran on it).
    bool came() const { return came_; }

    // Every watch of the running test; fineTestGui() reports and forgets them.
    static std::vector<std::shared_ptr<ModalWatch>>& armed() {
        static std::vector<std::shared_ptr<ModalWatch>> watches;
        return watches;
    }

protected:
    ModalWatch(const char* type, std::source_location where) : type_(type), where_(where) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isModal())
                before_ << w;
        timer_.setInterval(10);
    }
    virtual bool accepts(QWidget* w) const = 0;
    virtual void act(QWidget* w) = 0;

    // One look at the modal window on top, if any.
    void look() {
        QWidget* top = QApplication::activeModalWidget();
        if (came_ || !top || before_.contains(top))
            return;
        if (accepts(top)) {
            came_ = true;
            timer_.stop();
            dialog_ = top;
            act(top);
            if (QTest::currentTestFailed() && dialog_ && dialog_->isVisible())
                close(dialog_);
            return;
        }
        for (const auto& other : armed())
            if (other.get() != this && ((!other->came_ && other->accepts(top)) || other->dialog_ == top))
                return;
        for (const auto& other : armed())
            if (other->unexpected_.contains(top))
                return;
        unexpected_ << top;
        const QByteArray what = QByteArray("modal window ") + top->metaObject()->className() + " \"" +
                                top->windowTitle().toUtf8() + "\" opened while waiting for " + type_;
        QTest::qFail(what.constData(), where_.file_name(), static_cast<int>(where_.line()));
        close(top);
    }

    static void close(QWidget* w) {
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
    }

    QTimer timer_;

private:
    friend void fineTestGui();
    const char* type_;
    std::source_location where_;
    bool came_ = false;
    QPointer<QWidget> dialog_;
    QList<QPointer<QWidget>> before_;
    QList<QPointer<QWidget>> unexpected_;
};

template <typename W> class ModalWatchOf : public ModalWatch {
public:
    ModalWatchOf(std::function<void(W*)> action, std::source_location where)
        : ModalWatch(W::staticMetaObject.className(), where), action_(std::move(action)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }

protected:
    bool accepts(QWidget* w) const override { return qobject_cast<W*>(w) != nullptr; }
    void act(QWidget* w) override { action_(qobject_cast<W*>(w)); }

private:
    std::function<void(W*)> action_;
};

// Runs `action` on the next modal window of type W that opens (e.g. a dialog shown with exec());
// the test then triggers what opens it and checks came().
template <typename W>
std::shared_ptr<const ModalWatch> onNextModal(std::function<void(W*)> action,
                                              std::source_location where = std::source_location::current()) {
    auto watch = std::make_shared<ModalWatchOf<W>>(std::move(action), where);
    ModalWatch::armed().push_back(watch);
    return watch;
}

// The check at the end of every GUI test: call it from the test class's cleanup() slot.
inline void fineTestGui() {
    const bool failedAlready = QTest::currentTestFailed();
    QStringList problems;
    for (const auto& w : ModalWatch::armed()) {
        w->timer_.stop();
        if (!w->came_)
            problems << QStringLiteral("%1 (awaited at %2:%3) never opened")
                            .arg(QString::fromLatin1(w->type_), QString::fromUtf8(w->where_.file_name()))
                            .arg(w->where_.line());
    }
    ModalWatch::armed().clear();
    problems << TestHome::takeUnplanned();
    if (!failedAlready && !problems.isEmpty())
        QTest::qFail(qPrintable(problems.join(u'\n')), __FILE__, __LINE__);
}

// An item of a window's menus by its object name (each room makes its own items); a test that names
// one the window lacks stops there, naming it.
inline QAction* azione(QWidget& finestra, const char* nome) {
    auto* a = finestra.findChild<QAction*>(QString::fromLatin1(nome));
    if (!a)
        qFatal("no menu item %s", nome);
    return a;
}

// Runs what the program left for "as soon as the event loop is back" (QTimer::singleShot(0, ...),
// queued calls, posted events, a view's delayed layout): after it, a reaction deferred that way
// has happened or never will. For reactions after a real interval, wait on their signal instead
// (a QSignalSpy on the timer's timeout, QTRY_* on what they change); never for a fixed time.
inline void runDeferred() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
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
