#pragma once

// Closing a window that may live inside the main window's MDI area.

class QWidget;

// Closes the MDI subwindow that holds the window (which asks the window first), or the window itself
// when it stands alone. Answers whether it closed: a window keeping unsaved work may refuse.
bool chiudiFinestraMdi(QWidget* finestra);

// Esc closes the window as its frame's button does (asking first where unsaved work would be lost),
// when no control inside it took the key for itself (an open list, an edit being cancelled).
void escChiude(QWidget* finestra);
