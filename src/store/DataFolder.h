#pragma once

// The data installed with the programs: share/quillaro beside bin/ (the SQL of the template, the
// catalogue and the demo, the RTF head, the pictures of the buttons) and the icon under
// share/icons. Found from the executable, so an installed copy and a build tree (which lays the
// same folders out beside its executables) both work, and nothing depends on the source folder.

#include <QString>
#include <QStringList>

// <folder of the executable>/../share/quillaro, cleaned.
QString dataFolder();
QString dataFilePath(const QString& name);
// The first page of the operator's guide (share/quillaro/guida/index.html), opened by "? > Guida".
QString guidaOperatore();

// The sizes of the icon's PNGs under share/icons/hicolor, smallest first.
const QList<int>& applicationIconSizes();
// The program's icon, one PNG per installed size, smallest first; empty when none is installed.
QStringList applicationIconFiles();
