#pragma once

// What the document window opens from rooms above its own. Whoever makes the window (the document
// commands, given it by the main window) hands it in: the window knows those windows only by what
// they do, and their rooms know nothing of it.

#include "store/DocumentBuffer.h"

#include <functional>

class AppState;
class QWidget;

struct EstensioniDocumento {
    // "Fonti dal testo" (Ctrl+F9): the sources the texts cite, proposed, and the accepted ones added
    // to the buffer's sources. True when the operator added some. Without it the command is off.
    std::function<bool(AppState&, DocumentBuffer&, const QList<TestoDocumento>&, QWidget* parent)> fontiDalTesto;
};
