#pragma once

// A document of an archive made into what the search index writes of it: its row of `documenti`
// (what a result shows, the keys of the probable duplicates), the nine fields of the full-text
// table with their tokens, and those fields kept compressed (`contenuti`) for the excerpts, for the
// side-by-side view of two documents and for taking the document out of the index again. Made on
// any thread: the index's own writing only binds what is made here.

#include "search/LetturaArchivio.h"
#include "search/Tokenizzatore.h"
#include "search/Vocabolario.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <string>
#include <vector>

// The full-text table's columns, in order.
inline constexpr int kCampiIndice = 9; // titolo autore fonte testo rivista anno classe archivio altro

struct RigaIndice {
    qint64 numero = 0;
    qint64 firma = 0;
    // The columns of `documenti`, UTF-8.
    std::string identificativo;
    std::string rivista;
    std::string anno;
    std::string titolo;
    std::string riferimento;
    std::string chiaveTitolo;
    std::string chiaveInversa;
    std::string chiaveFascicolo;
    std::string autori;
    std::vector<TokenPreparati> campi; // kCampiIndice, each with its text
    QByteArray contenuto;              // the fields, compressed
};

// The row of a document of the archive indexed as `nomeArchivio`, its fields made into tokens by
// `token`; the compressed fields are left to ComprimiCampi.
RigaIndice PreparaRiga(const DocumentoIndice& d, const QString& nomeArchivio, PreparatoreToken& token);

// A document's fields are a few hundred words, too few to compress well on their own: each is
// compressed against a dictionary, some texts of the first documents the index was given (at most
// this many bytes), which the index keeps once (`dizionario`).
inline constexpr int kDizionarioMassimo = 16384;
QByteArray DizionarioDa(const std::vector<RigaIndice>& righe);

// The fields as `contenuti` keeps them, and back; nothing when the bytes are not such fields.
QByteArray ComprimiCampi(const std::vector<TokenPreparati>& campi, const QByteArray& dizionario);
std::optional<QList<QByteArray>> DecomprimiCampi(const QByteArray& contenuto, const QByteArray& dizionario);
