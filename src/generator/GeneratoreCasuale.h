#pragma once

// The generator's random numbers and word lists: a small generator of our own (SplitMix64), so that a seed
// gives the same archive everywhere. Every seed is mixed before use and every part of a delivery (its issues,
// each document's identity, the rest of the documents) draws from a stream of its own: two seeds, or two
// parts of one seed, never replay each other a few draws apart.

#include <QStringList>
#include <algorithm>
#include <initializer_list>

class Casuale {
public:
    explicit Casuale(quint64 seme) : stato_(mescola(seme)) {}

    // The stream of one part (and one item of it) of a seed.
    static Casuale di(quint64 seme, quint64 parte, quint64 indice = 0) {
        return Casuale(mescola(mescola(seme) ^ (parte * 0xD1B54A32D192ED03ULL)) ^
                       (indice * 0x8CB92BA72F3D8DD7ULL));
    }

    quint64 prossimo() { return mescola(stato_ += 0x9E3779B97F4A7C15ULL); }
    // A whole number from lo to hi, both included.
    int tra(int lo, int hi) { return lo + static_cast<int>(prossimo() % static_cast<quint64>(hi - lo + 1)); }
    // True in permille cases out of a thousand.
    bool su1000(int permille) { return static_cast<int>(prossimo() % 1000) < permille; }
    // True in that share of cases (0 to 100 per cent, with two decimals).
    bool percento(double quota) { return static_cast<double>(prossimo() % 1000000) < quota * 10000.0; }
    template <class List> const auto& scegli(const List& list) {
        return list.at(static_cast<qsizetype>(prossimo() % static_cast<quint64>(list.size())));
    }
    // An index below n, small ones much more often: a few sources are cited everywhere.
    qint64 popolare(qint64 n) {
        const double u = static_cast<double>(prossimo() % 1000000) / 1000000.0;
        return std::min<qint64>(n - 1, static_cast<qint64>(u * u * u * static_cast<double>(n)));
    }

private:
    static quint64 mescola(quint64 z) {
        z += 0x9E3779B97F4A7C15ULL;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    quint64 stato_;
};

// A list of texts written in the source as UTF-8.
inline QStringList listaTesti(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}
