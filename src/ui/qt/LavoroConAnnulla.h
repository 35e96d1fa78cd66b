#pragma once

// A long operation of a window run on a thread of its own, so that the program keeps painting and
// answering: after a moment a progress window appears over it, modal, with what the operation is
// doing and "Annulla". Annulla (or Esc) sets the flag the operation reads; the window then waits for
// it to stop, which it does within moments.

#include "store/Dialogs.h"

#include <QString>
#include <atomic>
#include <functional>

class QWidget;
class QProgressDialog;

class LavoroConAnnulla {
public:
    // `finestra` is the window the progress appears over; `testo` the label until the operation
    // says what it does.
    LavoroConAnnulla(QWidget* finestra, QString titolo, QString testo);
    ~LavoroConAnnulla();
    LavoroConAnnulla(const LavoroConAnnulla&) = delete;
    LavoroConAnnulla& operator=(const LavoroConAnnulla&) = delete;

    // Runs f on another thread and returns when it has ended, rethrowing what it threw. f reports
    // through the Progress (from its own thread) and stops when the flag becomes true.
    void esegui(const std::function<void(Progress&, const std::atomic<bool>&)>& f);

    // Annulla, as the button does.
    void annulla();
    bool annullato() const { return annullata_.load(); }
    // The progress window while the operation runs (null before it appears and after).
    QProgressDialog* finestraProgresso() const { return dialogo_; }

private:
    QWidget* finestra_;
    QString titolo_;
    QString testo_;
    std::atomic<bool> annullata_{false};
    QProgressDialog* dialogo_ = nullptr;
};
