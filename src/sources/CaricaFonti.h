#pragma once

// The sources of a document as the document window holds them: one entry per linked tabFonte row,
// with the names and places turned back into their texts.

#include "store/VoceFonte.h"
#include "store/cConnessione.h"

#include <QList>
#include <QStringList>

// Reads the sources linked to the document, in link order. Throws DbError when a key points to a
// row that is not there.
QList<VoceFonte> CaricaFonti(cConnessione& connection, qint64 IDDoc, const QStringList& Mesi);
