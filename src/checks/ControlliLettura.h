#pragma once

// The stored documents as the check run reads them: one cursor per link table, each in document
// order and moved on with the documents, where a single document is read with a few statements of
// its own. The run reads the archive in one pass, at the pace of a set-based query; the rules and
// their findings are those of any other reading (RilieviDocumento).

#include "checks/RilieviDocumento.h"

#include <QHash>
#include <QList>
#include <memory>

class LetturaControlli {
public:
    explicit LetturaControlli(cConnessione& connessione);
    ~LetturaControlli();
    LetturaControlli(const LetturaControlli&) = delete;
    LetturaControlli& operator=(const LetturaControlli&) = delete;

    // The data of the document on the current row of "select * from tabDocumento order by
    // IDDocumento", valid until the next call. Throws DbError when a statement is refused.
    DatiControllo& documento(const RecordSet& riga, const ColonneDocumento& colonne);

private:
    struct Documento;
    class Dati;

    void leggi(qint64 id);

    cConnessione& db_;
    RecordSet responsabili_, testi_, coppie_, fonti_;
    QHash<qint64, QString> nomiInterni_, nomiUe_; // act and court names by key
    std::unique_ptr<Documento> corrente_;
    std::unique_ptr<Dati> dati_;
};
