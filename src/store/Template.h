#pragma once

// Archives made from the SQL kept with the program: the empty template, the norms catalogue and
// the demo delivery. Each is written to a temporary file and moved into place only when complete.

#include <QString>
#include <QStringList>

// Throws std::runtime_error when the file cannot be made; nothing is left behind then.
void buildTemplateArchive(const QString& path);
void buildCatalogue(const QString& path);
void buildDemoArchive(const QString& path);
// The demo archive made anew beside the old one, which it replaces only once it is whole.
void replaceDemoArchive(const QString& path);
// `epilogue`: SQL run after the scripts (a template's own mark); `replace`: an existing file at
// `path` is replaced by the finished one.
void buildFromScripts(const QString& path, const QStringList& resourceNames, const QString& epilogue = {},
                      bool replace = false);

// Bytes of a data file installed with the program ("schema.sql", "testata new.rtf", "write.bmp"), from
// share/quillaro (store/DataFolder.h); throws std::runtime_error when it is missing.
QByteArray readDataResource(const QString& name);

// Copies a file to a target that must not exist yet, through a temporary file in the target's
// folder. Throws std::runtime_error with the reason; nothing is left behind on failure.
void copyNewFile(const QString& source, const QString& target);

// The files SQLite keeps beside a database while it writes to it: "-journal", "-wal", "-shm".
QStringList journalFiles(const QString& dbPath);
// Removes the journals beside a database file that does not exist: left by a writer that died,
// they belong to no archive, and SQLite would replay them into a new file of that name. Journals
// beside an existing file are its own and stay for SQLite to recover it. Throws
// std::runtime_error when one cannot be removed.
void removeOrphanJournals(const QString& dbPath);
// Moves a finished file to `target` under its own name: a name that must be free, or with
// `replace` the file it replaces, whose journals go with it. Throws std::runtime_error; the
// finished file is removed then.
void moveIntoPlace(const QString& finished, const QString& target, bool replace = false);
