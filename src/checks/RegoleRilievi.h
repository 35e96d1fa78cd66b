#pragma once

// What a line of the error lists tells of itself: the rule that wrote it and the document it is
// about. Every finding line ends with "(rec. N)", N the document's IDDocumento, and begins with the
// rule's fixed text; a pair or a source line puts ": " between that text and its own details.
//
//   "Fonte errata: l. 15 marzo 1990, n. 22 (rec. 7)"  -> "Fonte errata", 7
//   "Coppia non valida: 12; 345(rec. 7)"              -> "Coppia non valida", 7
//   "Manca rif. bibliografico (rec. 7)"               -> "Manca rif. bibliografico", 7
//
// The lines are read as they are written, so a list written by an earlier version is read too.

#include <QStringView>
#include <optional>

// The rule of a finding line, as a part of the line (no copy is made: the line must outlive it).
// Empty for a line that is no finding: the list's title, "Consegna 12", an empty line.
QStringView RegolaDellaRiga(QStringView riga);

// The document a finding line is about; nullopt for a line that names none.
std::optional<qint64> DocumentoDellaRiga(QStringView riga);
