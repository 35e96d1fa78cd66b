#pragma once

// Finding a file by a name typed or listed in another case: the centre's files come from a system
// that does not tell cases apart, and its names must keep meaning one file here. And the one rule
// for the name of a new archive, whoever makes it (File > Nuovo, new, generate, demo, the import).

#include <QDir>
#include <QString>

// The path of the entry of `folder` called `name` without regard to case: the exact name when it
// is there, else the first entry that differs only in case; empty when there is none.
QString findIgnoringCase(const QString& folder, const QString& name,
                         QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System);

// Why a typed name cannot name an archive of mdb/, in Italian; empty when it can. Refused: an empty
// name, a folder in it ("/", "\", so never a file outside mdb/), control characters and line
// breaks, the characters file systems refuse (: * ? " < > |), a leading or trailing ".", the
// names Windows keeps for its devices (CON, NUL, COM1, ...), more than 100 characters.
QString MotivoNomeArchivio(const QString& typed);

// A name as typed, with a typed ".mdb" or ".db" dropped and blanks trimmed; empty when
// MotivoNomeArchivio refuses it.
QString NomeArchivioValido(const QString& typed);
