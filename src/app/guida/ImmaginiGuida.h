#pragma once

// The pictures of the operator's guide (share/quillaro/guida/img/): the program itself opens each
// window on the demo archive, in the state the guide's page describes, inside the main window at
// 1024x768, and saves the screen as <nome>.png. Made by the build, so that a window that changes
// changes its picture, and a window that no longer opens stops the build.

#include <QList>
#include <QString>

struct ImmagineGuida {
    QString nome;   // the file is <nome>.png
    QString titolo; // the caption of the window shown (the main window's own for the main window)
    QString errore; // why the picture could not be made; empty when it was
};

// Makes every picture into `cartella` (created when missing), in the order of a delivery worked
// from start to end. Needs a QApplication; leaves no window open.
QList<ImmagineGuida> FaiImmaginiGuida(const QString& cartella);

// The size of the screen the pictures show.
inline constexpr int kLarghezzaGuida = 1024;
inline constexpr int kAltezzaGuida = 768;
