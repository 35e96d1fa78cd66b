#pragma once

// Drives the spelling and grammar dialog in window tests: one step per finding shown, run once the
// finding's suggestions are in, as an operator would wait for them.

#include "ui/qt/frmControlloOrtografico.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace spelling_test {

using Step = std::function<void(frmControlloOrtografico*)>;

// Runs one step for each finding the dialog shows, once its suggestions are in. A step that fails,
// or a finding beyond the steps, cancels the check so that the test ends.
class Driver : public QObject {
public:
    explicit Driver(QList<Step> steps) : steps_(std::move(steps)) {
        connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start(10);
        clock_.start();
    }
    int done() const { return done_; }

private:
    void poll() {
        auto* d = qobject_cast<frmControlloOrtografico*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || d->mostrati() <= done_)
            return;
        if (done_ >= steps_.size() || QTest::currentTestFailed() || clock_.elapsed() > 20000) {
            d->reject();
            return;
        }
        const auto* first = d->lstSuggerimenti->item(0);
        if (first && first->text() == QStringLiteral("(ricerca dei suggerimenti...)"))
            return;
        if (!d->isActiveWindow()) {
            d->activateWindow();
            return;
        }
        steps_[done_++](d);
        if (QTest::currentTestFailed() && d->isVisible() && d->mostrati() == done_)
            d->reject();
    }

    QList<Step> steps_;
    int done_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
};

inline QStringList items(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The characters of the sentence shown in bold (the highlighted finding).
inline QString highlighted(QTextEdit* edit) {
    QString out;
    QTextCursor c(edit->document());
    for (int i = 0; i < edit->document()->characterCount() - 1; ++i) {
        c.setPosition(i);
        c.setPosition(i + 1, QTextCursor::KeepAnchor);
        if (c.charFormat().fontWeight() == QFont::Bold)
            out += c.selectedText();
    }
    return out;
}

} // namespace spelling_test
