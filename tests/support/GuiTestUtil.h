#pragma once

// Helpers for tests that drive windows offscreen.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Runs `action` on the next modal window of type W that opens (e.g. a dialog shown with exec()),
// polling the event loop; the test then triggers what opens it.
template <typename W>
void onNextModal(std::function<void(W*)> action, int timeoutMs = 5000) {
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
