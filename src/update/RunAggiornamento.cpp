#include "update/Aggiornamento.h"

#include <stdexcept>

RunArchivio RunAggiornamento(TipoAggiornamento) {
    return [](AppState&) { throw std::runtime_error("run non ancora disponibile"); };
}
