#pragma once

// The save of a whole document: reference, document row, persons, texts, pairs and sources, in one
// transaction. It is the only place where a document's rows are written.

#include "documents/DatiDocumento.h"
#include "store/AppState.h"
#include "store/DocumentBuffer.h"

#include <array>
#include <optional>

enum class EsitoSalvataggio {
    Salvato,
    MancaRivista,
    NumeroNonValido,
    NumeroOccupato,
    ModificatoAltrove, // the stored document is no longer the one loaded: nothing written
    CancellatoAltrove, // the stored document is gone: nothing written
    Errore
};

// Whether the save writes over a stored document that changed after it was loaded.
enum class Sovrascrittura { No, Consentita };

struct RisultatoSalvataggio {
    EsitoSalvataggio esito = EsitoSalvataggio::Errore;
    QString messaggio; // why it was not saved, in Italian, with the engine's text on a line of its own
    // An archive's failure (Errore) said without the window's next step, for the front ends that
    // word their own: what happened, and the explanation and engine's text on lines of their own.
    QString motivo;
    QString tecnico;
    qint64 IDDocumento = 0;    // the number saved
    qint64 numeroPrevisto = 0; // a new document's number that was taken meanwhile, when it got another
    bool salvato() const { return esito == EsitoSalvataggio::Salvato; }
};

// The publication date as stored: "yyyy-mm-dd", "yyyy-mm-00", "yyyy-00" or "0000-00-00"; a kept
// date the boxes cannot show as it was kept.
QString testoData(const DatiDocumento& dati);

// The three date boxes.
enum class ParteData { Giorno, Mese, Anno };
// The kept date after the operator chose in one date box: that part as the box now says ("00" or
// "0000" at its caption item), the other parts as stored; nothing once the boxes show the date
// whole, which the save then writes by itself. Nothing when no date is kept.
std::optional<QString> DataDopoScelta(const DatiDocumento& dati, ParteData parte);

// The journal code the reference gets: the chosen one, or the stored one tabRivisteOnline lacks
// while the box stays on its caption item; empty when there is none.
QString RivistaDaMemorizzare(const DatiDocumento& dati);

// The codes the document row gets: the chosen item's, or the stored one the list could not show
// while its box stays on the caption item; a code not given is empty text, the language "00".
CodiciDocumento CodiciDaMemorizzare(const DatiDocumento& dati);

// The eight texts of the document in the order of kTipiTesto, the order the save writes them.
std::array<const QString*, 8> TestiDaMemorizzare(const DocumentBuffer& buffer, const DatiDocumento& dati);

// Replaces the text of one kind of the document; an empty text is only deleted.
void SalvaTesto(cConnessione& connection, qint64 IDDoc, bool nuovo, const QString& tipo,
                const QString& testo);

// Writes the document the buffer holds, under IDDocCorrente (inserted when NuovoDocumento, else
// updated); the number in txtID does not choose it. A new document whose typed number is another
// document's is refused; one whose number was taken meanwhile gets the next free one. An existing
// document is written only while the stored one is the version the buffer was loaded with (or
// last saved), read in the transaction of the save's first write: one changed meanwhile by another
// program is left as it is (ModificatoAltrove) unless overwriting is allowed, one deleted meanwhile
// is not made again (CancellatoAltrove). All or nothing: on any failure the archive and the buffer
// are as before (lookup rows added on the way included). On success the buffer leaves
// new-document mode with the number and the version saved. Shows nothing.
[[nodiscard]] RisultatoSalvataggio ScriviDocumento(cConnessione& connection, DocumentBuffer& buffer,
                                                   const DatiDocumento& dati,
                                                   Sovrascrittura sovrascrittura = Sovrascrittura::No);

enum class EsitoSalva {
    Salvato,
    NonSalvato,
    Ricaricare, // the operator chose to see the stored document instead of this one
};

// The save as the window runs it, with its messages. A document changed by another program since
// it was loaded asks "Il documento N è stato modificato da un altro programma dopo che lo avete
// aperto." with Ricarica, Sovrascrivi and Annulla; one deleted meanwhile offers to save the content
// as a new document, as Duplica does.
[[nodiscard]] EsitoSalva SalvaDocumento(AppState& state, DocumentBuffer& buffer, const DatiDocumento& dati);
