#pragma once

// Qt's own texts (file dialogs and their buttons, standard buttons, the context menu of text boxes)
// in Italian like the rest of the program, from Qt's translations (Debian qt6-translations-l10n).

#include <QString>

class QCoreApplication;

// Installs Qt's Italian translations on the application; false when they are not installed (Qt's
// texts then stay in English). Call once, after the application object is made.
bool installItalianQtTranslations(QCoreApplication& app);

// The folder where Qt looks for them.
QString qtTranslationsFolder();
