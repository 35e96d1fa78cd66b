#pragma once

// Pairs of documents that are probably the same article catalogued twice, within an archive or
// across archives: the same journal issue and first page, the same title once case, accents,
// punctuation and blanks are folded away, or a title that differs from another by a few letters.
// A group of many equal documents is listed as each of them paired with the first of the group,
// so the list grows with the documents, not with their square.

#include "search/IndiceRicerca.h"

#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

struct DocumentoDoppione {
    qint64 id = 0; // the index's row
    QString archivio;
    QString percorso;
    qint64 numero = 0;
    QString identificativo;
    QString rivista;
    QString anno;
    QString titolo;
};

// A document appears in many pairs (all the copies of a title): the pairs share it.
struct CoppiaDoppioni {
    std::shared_ptr<const DocumentoDoppione> primo;
    std::shared_ptr<const DocumentoDoppione> secondo;
    QString motivo; // "stesso fascicolo e pagina", "stesso titolo", "titolo simile 92 %", joined by ", "
};

// Titles at least this similar (in per cent) are listed.
inline constexpr int kSomiglianzaMinima = 85;

// The similarity of two folded titles in per cent (100 = equal), 0 when below kSomiglianzaMinima.
int SomiglianzaTitoli(QStringView a, QStringView b);

// The pairs among the documents of the archives given (every indexed archive when none), keeping
// those with at least one document in `fuoco` (any when none). Never a document with itself.
QList<CoppiaDoppioni> CercaDoppioni(IndiceRicerca& indice, const std::optional<QList<qint64>>& archivi,
                                    const std::optional<QSet<qint64>>& fuoco);
