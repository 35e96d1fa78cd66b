#pragma once

// A manual page (troff, man macros) made from a program's own --help text, so that the two never
// drift. The text is read as our two programs write it: a first line "Uso:" or "Usage:" with the
// synopsis, description lines, then sections headed by a word and ":" at the start of a line
// ("Comandi:", "Opzioni:", Qt's "Options:" and "Arguments:") whose items are indented by two
// blanks, with at least two blanks between an item and its description; deeper-indented lines
// continue the description above.

#include <QString>
#include <QStringList>

// Empty when the help has no usage line.
QString manPageFromHelp(const QString& help, const QString& name, const QString& section,
                        const QString& version, const QStringList& seeAlso);
