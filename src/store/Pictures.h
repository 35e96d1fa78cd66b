#pragma once

// The pictures of the text buttons and of the help buttons, drawn here and written as BMP files
// into the home folder, where the windows load them by name.

#include <QByteArray>
#include <QString>

// BMP bytes of the picture with that file name ("write.bmp", "write-r.bmp", ...); a name we do not
// draw gives an empty frame.
QByteArray drawPicture(const QString& fileName);
