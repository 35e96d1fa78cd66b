#include "update/Aggiornamento.h"

#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"

RunArchivio RunAggiornamento(TipoAggiornamento tipo) {
    // In update mode the runs append to the batch's file and let their errors reach the batch.
    switch (tipo) {
    case TipoAggiornamento::Controlli:
        return [](AppState& s) { EseguiControlli(s); };
    case TipoAggiornamento::NoteCompilatore:
        return [](AppState& s) { EstraiNote(s); };
    case TipoAggiornamento::Nuovi:
        return [](AppState& s) { EstraiNuovi(s); };
    case TipoAggiornamento::Celex:
        return [](AppState& s) { StampaCelex(s); };
    case TipoAggiornamento::Hudoc:
        return [](AppState& s) { StampaHudoc(s); };
    case TipoAggiornamento::Nir:
        return [](AppState& s) { StampaNir(s); };
    case TipoAggiornamento::Conteggio:
        break;
    }
    return [](AppState&) {};
}
