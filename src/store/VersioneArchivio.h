#pragma once

// The archive's version (tabVersione): raised by every save and deletion of documents. A document
// keeps the version of the save that wrote it last (tabDocumento.Versione), so a save can tell that
// the document changed after it was loaded, whatever program changed it; each step of the delivery
// keeps the version it was done on (tabPassi), so a later change shows it to be redone. Versions
// only grow: a document deleted and made again under its number never gets back an old one.

#include <QHash>
#include <QString>
#include <optional>

class cConnessione;

// Raises the archive's version and returns the new one; the caller's transaction holds it.
qint64 AvanzaVersione(cConnessione& connection);

// The archive's version; 0 in an archive of an earlier schema read as it is (a read-only file).
qint64 VersioneArchivio(cConnessione& connection);

// The stored version of a document (0 in an archive of an earlier schema); nothing when the
// document is not there. One read by key.
std::optional<qint64> VersioneDocumento(cConnessione& connection, qint64 IDDoc);

// Notes that the step of AggiornaInfo's code was done on the archive as it is now.
void RegistraVersionePasso(cConnessione& connection, const QString& codice);

// The version each recorded step was done on, by code; a step without a record was done before
// the archive kept them, and counts as done on version 0.
QHash<QString, qint64> VersioniPassi(cConnessione& connection);
