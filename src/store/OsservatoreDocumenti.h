#pragma once

// Who wants to know when the editor has changed documents (the search index): told after the change
// is committed, with the archive still open on the state's connection. What a listener does never
// undoes nor holds up the change: its failures are its own.

#include <QList>

class AppState;

class OsservatoreDocumenti {
public:
    virtual ~OsservatoreDocumenti() = default;
    virtual void documentoSalvato(AppState& state, qint64 IDDoc) = 0;
    virtual void documentiCancellati(AppState& state, const QList<qint64>& IDDocumenti) = 0;
};

// Tells every listener of the state.
void NotificaDocumentoSalvato(AppState& state, qint64 IDDoc);
void NotificaDocumentiCancellati(AppState& state, const QList<qint64>& IDDocumenti);
