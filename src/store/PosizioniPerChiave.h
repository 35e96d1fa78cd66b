#pragma once

// Where the rows of a table, read once in their own order, lie in a list, by their integer key.
// Keys are handed out in order, so a table by key (offset by the first) is no larger than the
// list and a look-up is one read; keys outside it (all of them when deletions left them too
// sparse) go into a hash.

#include <QHash>
#include <QtGlobal>
#include <vector>

class PosizioniPerChiave {
public:
    // From the table's smallest and largest key and its count of rows.
    void prepara(qint64 minima, qint64 massima, qint64 righe) {
        tabella_.clear();
        altre_.clear();
        prima_ = 0;
        if (righe > 0 && massima >= minima && massima - minima < 4 * righe + 1024) {
            prima_ = minima;
            tabella_.assign(static_cast<size_t>(massima - minima + 1), -1);
        }
    }
    void imposta(qint64 chiave, qint32 posizione) {
        if (nellaTabella(chiave))
            tabella_[static_cast<size_t>(chiave - prima_)] = posizione;
        else
            altre_.insert(chiave, posizione);
    }
    // -1 for a key no row has.
    qint32 posizione(qint64 chiave) const {
        return nellaTabella(chiave) ? tabella_[static_cast<size_t>(chiave - prima_)] : altre_.value(chiave, -1);
    }

private:
    bool nellaTabella(qint64 chiave) const {
        return chiave >= prima_ && chiave - prima_ < static_cast<qint64>(tabella_.size());
    }

    std::vector<qint32> tabella_;
    QHash<qint64, qint32> altre_;
    qint64 prima_ = 0;
};
