#pragma once

// The recovery file of one document window: written a quiet moment after the last change and, while
// the operator goes on typing, no later than a few seconds after the first change not yet written,
// so that a crash loses only the last seconds. On the window's thread only the plain values are
// taken; they are turned into the file and written on a thread of its own. The file goes as soon as
// the work is saved or given up.

#include "documents/Recupero.h"
#include "store/BackgroundWriter.h"
#include "store/ChangeTimer.h"

#include <functional>
#include <memory>
#include <optional>

class AppState;

class RecuperoFinestra {
public:
    struct Tempi {
        int quietMs = 2000;   // after the last change
        int longestMs = 3000; // after the first change not yet written
    };
    // `istantanea` runs on the window's thread: the window's content while it holds unsaved work,
    // nothing once there is none.
    using Istantanea = std::function<std::optional<Recupero>()>;
    RecuperoFinestra(AppState& state, Istantanea istantanea, Tempi tempi);
    explicit RecuperoFinestra(AppState& state, Istantanea istantanea)
        : RecuperoFinestra(state, std::move(istantanea), Tempi{}) {}
    ~RecuperoFinestra();
    RecuperoFinestra(const RecuperoFinestra&) = delete;
    RecuperoFinestra& operator=(const RecuperoFinestra&) = delete;

    // Told on the window's thread when the work can no longer be kept (a full disk, a folder that
    // cannot be written): the sentence for the operator; and, with an empty one, when it is kept again.
    void seAvviso(std::function<void(const QString& avviso)> avviso) { avviso_ = std::move(avviso); }

    // Every change of the window's content.
    void cambiato();
    // Writes now what the window holds (or removes the file when it holds nothing unsaved).
    void scriviOra();
    // The work is saved or given up: the file goes at once, and no write asked before lands.
    void rimuovi();
    // Held for the time of a save: the file goes as soon as the save is committed, before the box
    // that says so (a crash while it is up offers nothing).
    [[nodiscard]] std::shared_ptr<void> perIlSalvataggio();
    // The window holds the work of this file (restored from it): the file is its own from now on.
    void adotta(const QString& percorso);

    QString percorso() const { return percorso_; }
    // The receiver of the window's change signals: they stop reaching it when it goes.
    QObject* contesto() { return timer_.context(); }
    // Waits until what was asked is on disk (tests, benchmarks).
    void attendi() { writer_.waitIdle(); }
    // Why the last write failed; empty while the writes succeed.
    QString errore() const { return writer_.lastError(); }

private:
    void esitoScrittura(const QString& errore);

    AppState& state_;
    Istantanea istantanea_;
    QString percorso_;
    QDateTime ultimaModifica_;
    std::optional<Recupero> scritto_; // the content last handed to the writer
    std::function<void(const QString&)> avviso_;
    bool avvisato_ = false; // the operator was told that the writes fail
    BackgroundWriter writer_;
    ChangeTimer timer_;
};
