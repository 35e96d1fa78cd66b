#pragma once

// Abbreviation files ("sigle.<XXX>" in mdb/): the archives of one update, one abbreviation per line.

#include <QString>
#include <QStringList>

// The lines of an abbreviation file, unchanged (blanks kept); a UTF-8 byte-order mark is skipped.
// Throws std::runtime_error when the file cannot be read.
QStringList LeggiFileSigle(const QString& path);

// Writes the whole list, one abbreviation per line ended by CR LF. The new file replaces the old
// one only once it is complete; a failure leaves the old list as it was and throws
// std::runtime_error with the reason.
void ScriviFileSigle(const QString& path, const QStringList& sigle);

// "File nuovo?": true when the chosen file's folder already holds a file or folder of that name,
// whatever its case ("SIGLE.old" beside "sigle.OLD").
bool FileSigleEsistente(const QString& path);

// The update's abbreviation: the last three characters of the abbreviation file's name, with the
// characters that would leave dump/ or that file systems refuse as "_" (fileNamePart).
QString SiglaAggiornamento(const QString& path);

// A line that names an archive of mdb/ and nothing else: not blank, no folder ("/", "\\", a drive
// "C:"), not "." or "..", no control character. Blanks around it are kept as part of the name.
bool SiglaValida(const QString& riga);
// A line of nothing but blanks: skipped by the batches.
bool RigaVuota(const QString& riga);

// Why a typed abbreviation cannot be added to the list (empty, not a name, or already there in
// any case); empty text when it can.
QString ControllaNuovaSigla(const QStringList& sigle, const QString& sigla);
