#pragma once

// The responsibilities of a document: authors and curators, their list lines, their loading and
// the storing of the responsibility dialog into the buffer.

#include "store/DocumentBuffer.h"
#include "store/cConnessione.h"

#include <QStringList>

// "A - " or "C - ", the surname and ", " with the given name when there is one; "DEL--" in front
// of a deleted entry.
QString rigaResponsabilita(const VoceResponsabilita& voce);

// The lines of the whole list, as rebuilt after the dialog.
QStringList righeResponsabilita(const QList<VoceResponsabilita>& elenco);

// Reads the document's persons. The lines are those of the load: a given name that is Null gives
// no ", ", an empty one does.
QList<VoceResponsabilita> CaricaResponsabilita(cConnessione& connection, qint64 IDDoc, QStringList& righe);

// The fields of frmResponsabilita.
struct DatiResponsabilita {
    QString txtElementoPr;
    QString txtElementoSec;
    bool optAutore = false;
    bool optCuratore = false;
};

// The empty dialog of a new entry: no names, "Autore" selected.
DatiResponsabilita PulisciResponsabilita();

// The current entry (IndiceResponsabilita) as the dialog shows it; empty fields and no option for -1.
DatiResponsabilita MostraResponsabilita(const DocumentBuffer& buffer);

// "Esci e salva": appends a new entry (IndiceResponsabilita -1) or overwrites the current one,
// with the names trimmed. Returns the rebuilt lines of the list.
QStringList MemorizzaResponsabilita(DocumentBuffer& buffer, const DatiResponsabilita& dati);
