#include "documents/Responsabilita.h"

#include "store/VoceFonte.h"

namespace {

QString prefisso(bool autore) {
    return autore ? QStringLiteral("A - ") : QStringLiteral("C - ");
}

} // namespace

QString rigaResponsabilita(const VoceResponsabilita& voce) {
    QString riga = prefisso(voce.FlagAutore) + voce.PrimoElemento;
    if (!voce.SecondoElemento.isEmpty())
        riga += QStringLiteral(", ") + voce.SecondoElemento;
    return voce.Cancellata ? marcaCancellata() + riga : riga;
}

QStringList righeResponsabilita(const QList<VoceResponsabilita>& elenco) {
    QStringList righe;
    righe.reserve(elenco.size());
    for (const VoceResponsabilita& v : elenco)
        righe << rigaResponsabilita(v);
    return righe;
}

QList<VoceResponsabilita> CaricaResponsabilita(cConnessione& connection, qint64 IDDoc, QStringList& righe) {
    QList<VoceResponsabilita> elenco;
    righe.clear();
    RecordSet rs = connection.ApriRS(
        QStringLiteral("select LegameDocResp.FlagAutore, tabResponsabilita.* from "
                       "tabResponsabilita, LegameDocResp where "
                       "LegameDocResp.IDResponsabilita = tabResponsabilita.IDResponsabilita "
                       "and IDDoc = ? order by LegameDocResp.rowid"),
        {IDDoc});
    for (; !rs.eof(); rs.moveNext()) {
        VoceResponsabilita v;
        v.IDResponsabilita = rs.field(u"IDResponsabilita").toLongLong();
        v.FlagAutore = rs.field(u"FlagAutore").toBool();
        v.PrimoElemento = rs.field(u"PrimoElemento").toString();
        const Field secondo = rs.field(u"SecondoElemento");
        v.SecondoElemento = secondo.toString();
        QString riga = prefisso(v.FlagAutore) + v.PrimoElemento;
        if (!secondo.isNull())
            riga += QStringLiteral(", ") + v.SecondoElemento;
        elenco.append(v);
        righe << riga;
    }
    return elenco;
}

DatiResponsabilita MostraResponsabilita(const DocumentBuffer& buffer) {
    DatiResponsabilita dati;
    const int i = buffer.IndiceResponsabilita;
    if (i < 0 || i >= buffer.ElencoResponsabilita.size())
        return dati;
    const VoceResponsabilita& v = buffer.ElencoResponsabilita.at(i);
    dati.txtElementoPr = v.PrimoElemento;
    dati.txtElementoSec = v.SecondoElemento;
    dati.optAutore = v.FlagAutore;
    dati.optCuratore = !v.FlagAutore;
    return dati;
}

DatiResponsabilita PulisciResponsabilita() {
    DatiResponsabilita dati;
    dati.optAutore = true;
    return dati;
}

QStringList MemorizzaResponsabilita(DocumentBuffer& buffer, const DatiResponsabilita& dati) {
    const int i = buffer.IndiceResponsabilita;
    if (i < 0 || i >= buffer.ElencoResponsabilita.size()) {
        VoceResponsabilita v;
        v.FlagAutore = dati.optAutore;
        v.PrimoElemento = dati.txtElementoPr.trimmed();
        v.SecondoElemento = dati.txtElementoSec.trimmed();
        buffer.ElencoResponsabilita.append(v);
    } else {
        VoceResponsabilita& v = buffer.ElencoResponsabilita[i];
        v.PrimoElemento = dati.txtElementoPr.trimmed();
        v.SecondoElemento = dati.txtElementoSec.trimmed();
        v.FlagAutore = dati.optAutore;
    }
    return righeResponsabilita(buffer.ElencoResponsabilita);
}
