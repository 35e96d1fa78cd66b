#pragma once

// Telling our files apart when they are opened, and bringing those of the previous version up to
// date. Archives, the template and the catalogue are all SQLite files; their marks (application_id)
// and the schema version (user_version) say which is which, and the tables they must hold are
// checked before anyone reads them, so that a foreign, cut or damaged file is refused at the door
// with a reason instead of failing later half-way through a run.

#include "store/cConnessione.h"

#include <QString>
#include <QStringList>

struct sqlite3;

struct FormatCheck {
    int code = 0;   // the engine's result code of a failure; 0 when the reason is ours
    QString reason; // Italian lines for the operator; empty when the file is what was expected
    bool ok() const { return reason.isEmpty(); }
};

// Checks the database just opened on `db` (busy timeout already set) against the kind expected,
// switches it to the rollback journal, and brings a file of the previous version up to date in one
// transaction: a template or catalogue still marked as an archive is re-marked, an archive or
// template of schema 1 gets its comparisons without regard to case, one of schema 1 or 2 its
// versions. A file that cannot be written is taken as it is.
FormatCheck checkFileKind(sqlite3* db, const QString& path, FileKind expected);

// What the program keeps for itself beside the delivery's data (the versions of
// store/VersioneArchivio.h: tabVersione, tabPassi, tabDocumento.Versione): no file of another
// program has it, and an import leaves it as the template has it. An empty column asks about the
// table as a whole.
bool diServizio(const QString& tabella, const QString& colonna = {});

// The columns compared without regard to case from schema 2 on, by table.
struct NocaseColumns {
    QString table;
    QStringList columns;
};
const QList<NocaseColumns>& nocaseColumns();

// The CREATE TABLE text with COLLATE NOCASE added to the named column definitions (those already
// without case are left as they are). Exposed for the tests.
QString withNocaseColumns(const QString& createTable, const QStringList& columns);
