#pragma once

// Files as the field leaves them: archives, templates and catalogues made by the previous version,
// and journals left behind by a writer that died in the middle of a transaction.

#include <QString>

// The archive schema of the previous version (user_version 1): issues, names and sources compared
// exactly.
QByteArray schemaVersion1();

enum class OldFile { Archive, Template, Catalogue };

// Writes a file as the previous version made it: every kind marked 'QNRO' with user_version 1; an
// archive has its tabInfo row (delivery `consegna`), the template none, the catalogue its acts.
void writeVersion1File(const QString& path, OldFile kind, const QString& consegna = QStringLiteral("7"));

// Takes an archive (or template) of this version back to schema 2, as the previous version left
// it: no document versions.
void downgradeToVersion2(const QString& path);

// An archive at `path` with `texts` rows in tabTesto, caught by a copy at `copyPath` in the middle
// of a transaction that rewrote them all: the copy holds pages that were never committed, and its
// "-journal" (hot: written and synced, no writer holds the lock) the pages to put back.
void writeHotJournalCopy(const QString& path, const QString& copyPath, int texts);

// SQLite's integrity check of a file ("ok" when sound), opened read-only by a plain connection.
QString integrityOf(const QString& path);
// A single number read from a file by a plain connection (-1 when it cannot be read).
qint64 numberFrom(const QString& path, const QString& sql);
