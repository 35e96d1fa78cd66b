#pragma once

// The save of a whole document: reference, document row, persons, texts, pairs and sources, in one
// transaction. It is the only place where a document's rows are written.

#include "documents/DatiDocumento.h"
#include "documents/DocumentBuffer.h"
#include "store/AppState.h"

enum class EsitoSalvataggio { Salvato, MancaRivista, NumeroNonValido, Errore };

struct RisultatoSalvataggio {
    EsitoSalvataggio esito = EsitoSalvataggio::Errore;
    QString messaggio; // why it was not saved
    bool salvato() const { return esito == EsitoSalvataggio::Salvato; }
};

// The publication date as stored: "yyyy-mm-dd", "yyyy-mm-00", "yyyy-00" or "0000-00-00".
QString testoData(const DatiDocumento& dati);

// Replaces the text of one kind of the document; an empty text is only deleted.
void SalvaTesto(cConnessione& connection, qint64 IDDoc, bool nuovo, const QString& tipo,
                const QString& testo);

// Writes the document shown under the number in txtID (inserted when NuovoDocumento, else updated).
// All or nothing: on any failure the archive and the buffer are as before (lookup rows added on the
// way included). On success the buffer leaves new-document mode. Shows nothing.
RisultatoSalvataggio ScriviDocumento(cConnessione& connection, DocumentBuffer& buffer,
                                     const DatiDocumento& dati);

// The save as the window runs it, with its messages. True when saved.
bool SalvaDocumento(AppState& state, DocumentBuffer& buffer, const DatiDocumento& dati);
