#include "printouts/ConteggiFascicoli.h"

namespace {

const QString kSqlConteggi = QStringLiteral(
    "SELECT TabRifBibl.IDRivistaOnline, substr(TabRifBibl.Data,1,4) as Anno, TabRifBibl.Fascicolo, "
    "TabDocumento.TAbs, count(TabDocumento.IDDocumento) as n FROM TabRifBibl, TabDocumento WHERE "
    "TabRifBibl.IDRifBibl = TabDocumento.IDRifBibl GROUP BY TabRifBibl.IDRivistaOnline, "
    "substr(TabRifBibl.Data,1,4), TabRifBibl.Fascicolo, TabDocumento.TAbs");

int indiceTAbs(const Field& f) {
    if (f.isNull())
        return -1;
    const QString code = f.toString();
    for (size_t i = 0; i < kCodiciTAbs.size(); ++i)
        if (code == QStringView(kCodiciTAbs[i]))
            return static_cast<int>(i);
    return -1;
}

} // namespace

void ConteggiFascicoli::leggi(cConnessione& db) {
    fascicoli_.clear();
    anni_.clear();
    for (RecordSet rs = db.ApriRS(kSqlConteggi); !rs.eof(); rs.moveNext()) {
        const Field rivista = rs.field(0);
        const Field anno = rs.field(1);
        // A Null journal or year never equals a value: no count can include these documents.
        if (rivista.isNull() || anno.isNull())
            continue;
        const Field fascicolo = rs.field(2);
        const int tabs = indiceTAbs(rs.field(3));
        const qint64 n = rs.field(4).toLongLong();
        Gruppo& g =
            fascicoli_[Chiave{rivista.toString(), anno.toString(), fascicolo.toString(), fascicolo.isNull()}];
        g.documenti += n;
        if (tabs >= 0) {
            g.perTAbs[tabs] += n;
            anni_[Chiave{rivista.toString(), anno.toString(), {}, false}][tabs] += n;
        }
    }
}

ConteggiFascicoli::Conteggi ConteggiFascicoli::perTAbs(const QString& IDRivistaOnline,
                                                       const QString& Fascicolo, const QString& Anno) const {
    if (Fascicolo.isEmpty())
        return anni_.value(Chiave{IDRivistaOnline, Anno, {}, false});
    return fascicoli_.value(Chiave{IDRivistaOnline, Anno, Fascicolo, false}).perTAbs;
}

qint64 ConteggiFascicoli::documenti(const QString& Fascicolo, const QString& Anno,
                                    const QString& IDRivistaOnline) const {
    const bool nessunNumero = Fascicolo == u"<Null>";
    return fascicoli_.value(Chiave{IDRivistaOnline, Anno, nessunNumero ? QString() : Fascicolo, nessunNumero})
        .documenti;
}
