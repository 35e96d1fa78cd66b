#pragma once

// The records the DOI services give: CSL-JSON (what Crossref, DataCite and mEDRA answer at the DOI
// resolver), Crossref's REST "works" record, and mEDRA's ONIX for DOI.

#include "capture/MetadatiArticolo.h"

#include <QByteArray>
#include <QJsonValue>
#include <optional>

// A CSL-JSON item or a Crossref "works" answer (its "message"); `fonte` names the service in each
// field's origin ("doi.org, CSL-JSON"). Nothing when the bytes are not such a record.
std::optional<MetadatiArticolo> LeggiRecordJson(const QByteArray& corpo, const QString& fonte);

// An ONIX for DOI message of a serial article. Nothing when the bytes are not one.
std::optional<MetadatiArticolo> LeggiOnix(const QByteArray& corpo, const QString& fonte);

// A text field as JSON records write it: a string, a number, the first non-empty text of an array,
// an object's "name" or "value".
QString TestoJson(const QJsonValue& v);

// Whether the bytes start as an ONIX for DOI message.
bool SembraOnix(const QByteArray& corpo);
