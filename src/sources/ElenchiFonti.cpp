#include "sources/ElenchiFonti.h"

#include "store/Dialogs.h"
#include "store/cConnessione.h"
#include "store/mdlGlobale.h"

int TrovaPrefisso(const QStringList& righe, const QString& testo) {
    if (testo.isEmpty() || righe.isEmpty())
        return -1;
    const qsizetype n = righe.size();
    for (qsizetype k = 1; k <= n; ++k) {
        const qsizetype i = k % n; // 1, 2, ..., n-1, then 0
        if (righe.at(i).startsWith(testo, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

QStringList colonna(cConnessione& c, const QString& sql, const QVariantList& params = {}) {
    QStringList out;
    for (RecordSet rs = c.ApriRS(sql, params); !rs.eof(); rs.moveNext())
        out << rs.field(0).toString();
    return out;
}

} // namespace

QStringList FontiInterne(cConnessione& c, const QString& liv1, const QString& liv2) {
    if (liv2.isEmpty())
        return colonna(c, QStringLiteral("select FonteNorm from TabFonteInterna where liv1 = ?"), {liv1});
    return colonna(c, QStringLiteral("select FonteNorm from TabFonteInterna where liv1 = ? and liv2 = ?"),
                   {liv1, liv2});
}

QStringList FontiInterne(cConnessione& c, const QString& liv1, const QString& liv2a, const QString& liv2b) {
    return colonna(
        c, QStringLiteral("select FonteNorm from TabFonteInterna where liv1 = ? and (liv2 = ? or liv2 = ?)"),
        {liv1, liv2a, liv2b});
}

QStringList ElencoCitta(cConnessione& c) {
    return colonna(c, QStringLiteral("select Citta from tabCitta order by Citta"));
}

QStringList ElencoSezioni(cConnessione& c) {
    return colonna(c, QStringLiteral("select Sigla from tabSezione order by Sigla"));
}

namespace {

// "<code> - <name>", or the code alone when the name is empty.
QStringList codiciConNome(cConnessione& c, const QString& sql) {
    QStringList out;
    for (RecordSet rs = c.ApriRS(sql); !rs.eof(); rs.moveNext()) {
        const QString nome = rs.field(1).toString();
        out << (nome.isEmpty() ? rs.field(0).toString()
                               : rs.field(0).toString() + QStringLiteral(" - ") + nome);
    }
    return out;
}

} // namespace

QStringList ElencoProvince(cConnessione& c) {
    return codiciConNome(
        c, QStringLiteral("select CodProvincia, provincia from tabProvincia order by CodProvincia"));
}

QStringList ElencoRegioni(cConnessione& c) {
    return codiciConNome(c, QStringLiteral("select CodRegione, Regione from tabRegione order by CodRegione"));
}

QStringList ElencoMinisteri(cConnessione& c) {
    return colonna(c, QStringLiteral("select MinisteroNorm from tabMinistero order by MinisteroNorm"));
}

QStringList ElencoAmministrazioni(cConnessione& c) {
    return colonna(
        c, QStringLiteral("select AmministrazioneNorm from tabAmministrazione order by AmministrazioneNorm"));
}

QStringList ElencoAutorita(cConnessione& c) {
    return colonna(c, QStringLiteral("select AutoritaNorm from tabAutorita order by AutoritaNorm"));
}

QStringList ElencoStati(cConnessione& c) {
    return colonna(c, QStringLiteral("select Stato from tabStato order by Stato"));
}

QStringList FontiInternazionali(cConnessione& c, int tipo) {
    return colonna(c, QStringLiteral("select FonteInt from TabFonteInt where Tipo = ? order by FonteInt"),
                   {tipo});
}

QStringList FontiComunitarie(cConnessione& c, int tipo) {
    return colonna(c, QStringLiteral("select FonteCom from TabFonteCom where Tipo = ? order by FonteCom"),
                   {tipo});
}

QStringList FontiCanoniche(cConnessione& c) {
    return colonna(c, QStringLiteral("select FonteCan from TabFonteCan where Tipo = 3"));
}

namespace {

QStringList righeNIT(RecordSet rs) {
    QStringList out;
    for (; !rs.eof(); rs.moveNext())
        out << rs.field(0).toString() + QStringLiteral(") ") + rs.field(1).toString();
    return out;
}

} // namespace

QStringList CaricaNIT(cConnessione& c) {
    return righeNIT(c.ApriRS(QStringLiteral("select IDNIT, fonte from TabNIT")));
}

QHash<QString, QString> TrattatiPerSigla(cConnessione& c) {
    QHash<QString, QString> out;
    for (RecordSet rs = c.ApriRS(QStringLiteral("select IDNIT, NIT, fonte from TabNIT order by IDNIT"));
         !rs.eof(); rs.moveNext())
        if (!out.contains(rs.field(1).toString()))
            out.insert(rs.field(1).toString(),
                       rs.field(0).toString() + QStringLiteral(") ") + rs.field(2).toString());
    return out;
}

bool CercaNIT(cConnessione& c, Dialogs& dialogs, const QString& parole, bool intero, const QString& modo,
              QStringList& righe) {
    if (parole.isEmpty())
        return false;
    const Condizione cond = CondizioneRicerca(QStringLiteral("tabNIT.fonte"), parole, intero, modo);
    QStringList trovate =
        righeNIT(c.ApriRS(QStringLiteral("select idnit, fonte from tabNIT where ") + cond.sql, cond.params));
    if (trovate.isEmpty()) {
        dialogs.message(QStringLiteral("Non ci sono atti che soddisfano la ricerca - cambiare e riprovare"),
                        applicationTitle(), Buttons::Ok, Icon::Information);
        return false;
    }
    righe = std::move(trovate);
    return true;
}

QList<ConvenzioneUE> ConvenzioniUE(cConnessione& c) {
    QList<ConvenzioneUE> out;
    RecordSet rs = c.ApriRS(QStringLiteral("select * from tabFonte where IDNomeFonte = 30 and TP = ?"),
                            {QStringLiteral("NIC")});
    for (int n = 1; !rs.eof(); rs.moveNext(), ++n) {
        ConvenzioneUE conv;
        conv.riga = QString::number(n) + QStringLiteral(") ") + rs.field(u"testo").toString();
        conv.giorno = rs.field(u"giorno").toString();
        QString mese = rs.field(u"mese").toString();
        conv.mese = MeseNome(mese);
        conv.anno = rs.field(u"anno").toString();
        conv.altro = rs.field(u"altro").toString();
        out << conv;
    }
    return out;
}
