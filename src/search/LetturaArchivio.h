#pragma once

// The documents of an archive as the search index holds them: reference, texts, persons, sources
// and classification of each, read in blocks in key order with a few statements per block (never one
// per document), so that a whole archive is read in one quick pass.

#include "store/cConnessione.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct DocumentoIndice {
    qint64 numero = 0;      // IDDocumento
    QString identificativo; // as the error lists print it
    QString rivista;        // journal code
    QString titoloRivista;
    QString data; // tabRifBibl.Data
    QString fascicolo;
    QString volume;
    QString annata;
    QString pagine;
    QString url;
    QString titolo;     // kind "0"
    QString traduzione; // kind "3"
    QStringList testi;  // the other kinds, in kind order
    QStringList autori; // "Rossi Mario", curators too
    QStringList fonti;  // the composed citations
    QStringList classi; // "<systematic> <descriptor> <heading> <descriptor's text>"

    // The publication year: the date's first four characters, empty when not given.
    QString anno() const;
    // The first page: the first number of the pages, after a "p.", "pp." or "pag." before it; empty
    // when there is none.
    QString primaPagina() const;
    // What makes two documents the same article when it is equal: journal, issue (the reference as
    // the save identifies it) and first page; empty when the pages give no first page.
    QString chiaveFascicolo() const;
    // A fingerprint of everything the index holds of the document.
    qint64 firma() const;
};

// What numbers the documents of an archive: AnnoProduzione + IDCentroSpoglio + NumInizio.
struct NumerazioneArchivio {
    QString anno;
    QString centro;
    qint64 inizio = 0;

    QString identificativo(qint64 posizione) const;
};

class LettoreArchivio {
public:
    // The connection must be open on the archive (read-only is enough).
    explicit LettoreArchivio(cConnessione& connection);

    NumerazioneArchivio numerazione();
    // Up to n documents with a number above `dopo` (all from the first when `dopo` is empty), in
    // key order; the first is at `posizione` in the archive (for its identifier).
    QList<DocumentoIndice> blocco(std::optional<qint64> dopo, int n, qint64 posizione,
                                  const NumerazioneArchivio& numerazione);
    // One document, with its position counted in the archive; nothing when it is not there.
    std::optional<DocumentoIndice> documento(qint64 numero);
    // How many documents have a number above this one.
    qint64 documentiDopo(qint64 numero);

private:
    QList<DocumentoIndice> leggi(RecordSet& rs, qint64 posizione, const NumerazioneArchivio& numerazione);
    void completa(QList<DocumentoIndice>& documenti);
    cConnessione& c_;
};
