#pragma once

// Document counts per journal issue for the summary and the consistency report, read with one
// grouped query instead of one count per issue and abstract type.

#include "store/cConnessione.h"

#include <QHash>
#include <QString>
#include <array>

// The abstract types counted by the summary, in column order.
inline constexpr std::array<const char16_t*, 6> kCodiciTAbs = {u"400", u"500", u"600",
                                                               u"700", u"800", u"900"};

class ConteggiFascicoli {
public:
    using Conteggi = std::array<qint64, kCodiciTAbs.size()>;

    // Counts every document by journal, year (the first four characters of Data), issue and
    // abstract type. Throws DbError.
    void leggi(cConnessione& db);

    // What ContaTAbs answers for each type: the documents of the issue, or of every issue of the
    // journal and year when the issue number is empty.
    Conteggi perTAbs(const QString& IDRivistaOnline, const QString& Fascicolo, const QString& Anno) const;
    // What ContaDocumentiFascicolo answers, for a year of four digits; a Fascicolo of "<Null>"
    // stands for the issues without number.
    qint64 documenti(const QString& Fascicolo, const QString& Anno, const QString& IDRivistaOnline) const;

private:
    struct Chiave {
        QString rivista, anno, fascicolo;
        bool fascicoloNull = false;
        bool operator==(const Chiave&) const = default;
    };
    friend size_t qHash(const Chiave& k, size_t seed) noexcept {
        return qHashMulti(seed, k.rivista, k.anno, k.fascicolo, k.fascicoloNull);
    }
    struct Gruppo {
        Conteggi perTAbs{};
        qint64 documenti = 0;
    };
    QHash<Chiave, Gruppo> fascicoli_;
    QHash<Chiave, Conteggi> anni_; // fascicolo empty: every issue of the journal and year
};
