#pragma once

// Alt letters that belong to part of a window. The main window's background panel lies under the
// windows of the MDI area: its letters must not answer keys typed in a window over it ("A&nnulla" of
// a window opening "&Nuovo archivio" of the panel), so they act only while the focus is in the panel.

class QAbstractButton;
class QLabel;
class QWidget;

// The button's letter (its "&", still underlined) presses it only while the focus is inside ambito.
void letteraNelRiquadro(QAbstractButton* bottone, QWidget* ambito);

// The label's letter brings the focus to its buddy only while the focus is inside ambito.
void letteraNelRiquadro(QLabel* etichetta, QWidget* ambito);
