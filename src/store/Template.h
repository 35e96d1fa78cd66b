#pragma once

// Archives made from the SQL kept with the program: the empty template, the norms catalogue and
// the demo delivery. Each is written to a temporary file and moved into place only when complete.

#include <QString>
#include <QStringList>

// Throws std::runtime_error when the file cannot be made; nothing is left behind then.
void buildTemplateArchive(const QString& path);
void buildCatalogue(const QString& path);
void buildDemoArchive(const QString& path);
void buildFromScripts(const QString& path, const QStringList& resourceNames);

// Bytes of a data file installed with the program ("schema.sql", "testata new.rtf", "write.bmp"), from
// share/quillaro (store/DataFolder.h); throws std::runtime_error when it is missing.
QByteArray readDataResource(const QString& name);

// Copies a file to a target that must not exist yet, through a temporary file in the target's
// folder. Throws std::runtime_error with the reason; nothing is left behind on failure.
void copyNewFile(const QString& source, const QString& target);
