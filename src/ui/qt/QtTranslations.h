#pragma once

// Qt's own texts (file dialogs and their buttons, standard buttons, the context menu of text boxes,
// the command line's help) in Italian like the rest of the program, from Qt's translations (Debian
// qt6-translations-l10n) and our own words for the command line; Italian dates and numbers too.

#include <QString>

class QCoreApplication;
class QFileDialog;

// Makes Italian the default locale and installs Qt's Italian translations on the application; false
// when the translations are not installed (Qt's texts then stay in English). Call once, after the
// application object is made.
bool installItalianQtTranslations(QCoreApplication& app);

// The command line's own words in Italian ("Uso:", "Opzioni:", the help and version options, its
// errors), whether or not Qt's translations are installed: --help and the manual page made from it.
void installItalianCommandLine(QCoreApplication& app);

// Qt's own file dialog shows the dates and sizes of the files in the default locale ("8 dic"): by
// itself it takes the machine's, which on a bare system is English.
void fileDialogInItalian(QFileDialog& dialog);

// The folder where Qt looks for its translations.
QString qtTranslationsFolder();
