#include "sources/CaricaFonti.h"

#include "sources/CercaFonte.h"
#include "store/mdlGlobale.h"

namespace {

QString testo(const RecordSet& rs, int column) {
    return rs.field(column).toString();
}

} // namespace

QList<VoceFonte> CaricaFonti(cConnessione& connection, qint64 IDDoc, const QStringList& Mesi) {
    QList<VoceFonte> elenco;
    RecordSet rs = connection.ApriRS(QStringLiteral("select tabFonte.* from tabFonte, LegameDocFonte where "
                                                    "LegameDocFonte.IDFonte = TabFonte.IDFonte and "
                                                    "LegameDocFonte.IDDoc = ? order by LegameDocFonte.ID"),
                                     {IDDoc});
    if (rs.eof())
        return elenco;
    // Column positions once: the statement is the same for every row.
    const auto col = [&](const char* name) { return rs.columnIndex(QString::fromLatin1(name)); };
    const int cIDFonte = col("IDFonte"), cTP = col("TP"), cTesto = col("testo"), cArticolo = col("articolo"),
              cComma = col("comma"), cLettera = col("lettera"), cAllegato = col("allegato"),
              cRipa = col("ripa"), cRipc = col("ripc"), cNumero = col("numero"), cNumeroP = col("numeroP"),
              cGiorno = col("giorno"), cAnno = col("anno"), cAltro = col("altro"), cMese = col("mese"),
              cOrdinanza = col("ordinanza"), cDecreto = col("decreto"), cRegione = col("IDRegione"),
              cCitta = col("IDCitta"), cSezione = col("IDSezione"), cNome = col("IDNomeFonte"),
              cProvincia = col("IDProvincia"), cMinistero = col("IDMinistero"),
              cAmministrazione = col("IDAmministrazione"), cAutorita = col("IDAutorita"),
              cStato = col("IDStato");
    for (; !rs.eof(); rs.moveNext()) {
        VoceFonte v;
        AzzeraFonte(v);
        v.Cancellata = false;
        v.IDFonte = rs.field(cIDFonte).toLongLong();
        v.TP = testo(rs, cTP);
        v.testo = testo(rs, cTesto);
        const qsizetype star = v.testo.indexOf(u'*');
        if (star >= 0)
            v.testo.truncate(star);
        v.articolo = testo(rs, cArticolo);
        v.comma = testo(rs, cComma);
        v.lettera = testo(rs, cLettera);
        v.allegato = testo(rs, cAllegato);
        v.ripa = testo(rs, cRipa);
        v.ripc = testo(rs, cRipc);
        v.numero = testo(rs, cNumero);
        v.numerop = testo(rs, cNumeroP);
        v.giorno = testo(rs, cGiorno);
        v.anno = testo(rs, cAnno);
        v.altro = testo(rs, cAltro);
        const Field mese = rs.field(cMese);
        const qint64 numeroMese = mese.toLongLong();
        if (mese.toString() != u"0" && numeroMese >= 1 && numeroMese <= Mesi.size())
            v.mese = Mesi.at(numeroMese - 1);
        v.Ordinanza = rs.field(cOrdinanza).toBool();
        v.Decreto = rs.field(cDecreto).toBool();

        const auto leggi = [&](int column, const QString& text, const QString& table, const QString& key) {
            const qint64 id = rs.field(column).toLongLong();
            if (id <= 0)
                return QString();
            return LeggiColonna(connection, text, table, key, id);
        };
        v.Regione = leggi(cRegione, QStringLiteral("CodRegione"), QStringLiteral("tabRegione"),
                          QStringLiteral("IDRegione"));
        v.Citta =
            leggi(cCitta, QStringLiteral("Citta"), QStringLiteral("tabCitta"), QStringLiteral("IDCitta"));
        v.Sezione = leggi(cSezione, QStringLiteral("Sigla"), QStringLiteral("tabSezione"),
                          QStringLiteral("IDSezione"));
        const GruppoFonte gruppo = gruppoFonte(v.TP);
        if (gruppo == GruppoFonte::Interno) {
            v.NomeFonte = leggi(cNome, QStringLiteral("FonteNorm"), QStringLiteral("tabFonteInterna"),
                                QStringLiteral("IDFonteInterna"));
            // The same column the save matches the province with.
            v.Provincia = leggi(cProvincia, QStringLiteral("CodProvincia"), QStringLiteral("tabProvincia"),
                                QStringLiteral("IDProvincia"));
            v.Ministero = leggi(cMinistero, QStringLiteral("MinisteroNorm"), QStringLiteral("tabMinistero"),
                                QStringLiteral("IDMinistero"));
            v.Amministrazione =
                leggi(cAmministrazione, QStringLiteral("AmministrazioneNorm"),
                      QStringLiteral("tabAmministrazione"), QStringLiteral("IDAmministrazione"));
            v.Autorita = leggi(cAutorita, QStringLiteral("AutoritaNorm"), QStringLiteral("tabAutorita"),
                               QStringLiteral("IDAutorita"));
        } else {
            v.Stato =
                leggi(cStato, QStringLiteral("Stato"), QStringLiteral("tabStato"), QStringLiteral("IDStato"));
            const TabellaNomi t = tabellaNomi(gruppo);
            if (!t.table.isEmpty())
                v.NomeFonte = leggi(cNome, t.textColumn, t.table, t.keyColumn);
        }
        elenco.append(v);
    }
    return elenco;
}
