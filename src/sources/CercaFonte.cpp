#include "sources/CercaFonte.h"

#include "store/mdlGlobale.h"

namespace {

qint64 chiaveRegione(cConnessione& c, const QString& value) {
    return ChiaveFissa(c, QStringLiteral("tabRegione"), QStringLiteral("IDRegione"),
                       QStringLiteral("CodRegione"), value);
}

qint64 chiaveProvincia(cConnessione& c, const QString& value) {
    return ChiaveFissa(c, QStringLiteral("tabProvincia"), QStringLiteral("IDProvincia"),
                       QStringLiteral("CodProvincia"), value);
}

qint64 chiaveCitta(cConnessione& c, const QString& value) {
    return ChiaveOAggiungi(c, QStringLiteral("tabCitta"), QStringLiteral("IDCitta"), QStringLiteral("Citta"),
                           value);
}

qint64 chiaveMinistero(cConnessione& c, const QString& value) {
    return ChiaveOAggiungi(c, QStringLiteral("tabMinistero"), QStringLiteral("IDMinistero"),
                           QStringLiteral("MinisteroNorm"), value);
}

qint64 chiaveAmministrazione(cConnessione& c, const QString& value) {
    return ChiaveOAggiungi(c, QStringLiteral("tabAmministrazione"), QStringLiteral("IDAmministrazione"),
                           QStringLiteral("AmministrazioneNorm"), value);
}

qint64 chiaveAutorita(cConnessione& c, const QString& value) {
    return ChiaveOAggiungi(c, QStringLiteral("tabAutorita"), QStringLiteral("IDAutorita"),
                           QStringLiteral("AutoritaNorm"), value);
}

qint64 chiaveSezione(cConnessione& c, const QString& value) {
    return ChiaveOAggiungi(c, QStringLiteral("tabSezione"), QStringLiteral("IDSezione"),
                           QStringLiteral("Sigla"), value);
}

qint64 chiaveStato(cConnessione& c, const QString& value) {
    return ChiaveOAggiungi(c, QStringLiteral("tabStato"), QStringLiteral("IDStato"), QStringLiteral("Stato"),
                           value);
}

// 0 for a source without a name: other tools write conventions and the like with no name key
// (IDNomeFonte 0 or Null), and such a source is kept as it is, not refused at each save.
qint64 chiaveNome(cConnessione& c, GruppoFonte gruppo, const QString& nome) {
    if (nome.isEmpty())
        return 0;
    const TabellaNomi t = tabellaNomi(gruppo);
    return ChiaveFissa(c, t.table, t.keyColumn, t.textColumn, nome);
}

void clausola(IstruzioneSql& s, const char* column, qint64 key) {
    s.sql += QStringLiteral(" and ") + QLatin1String(column) + QStringLiteral(" = ?");
    s.params << key;
}

// The name key, where no name is written as 0 or as Null alike.
void clausolaNome(IstruzioneSql& s, qint64 key) {
    if (key == 0) {
        s.sql += QStringLiteral(" and ifnull(IDNomeFonte, 0) = 0");
        return;
    }
    clausola(s, "IDNomeFonte", key);
}

// Flags are compared as any non-zero value being true: archives may hold Jet's -1 or a plain 1.
void clausoleFlag(IstruzioneSql& s, const VoceFonte& voce) {
    s.sql += voce.Ordinanza ? QStringLiteral(" and Ordinanza <> 0") : QStringLiteral(" and Ordinanza = 0");
    s.sql += voce.Decreto ? QStringLiteral(" and Decreto <> 0") : QStringLiteral(" and Decreto = 0");
}

} // namespace

QString MeseFonte(const VoceFonte& voce) {
    return voce.mese.isEmpty() ? QStringLiteral("0") : MeseNumero(voce.mese);
}

TabellaNomi tabellaNomi(GruppoFonte gruppo) {
    switch (gruppo) {
    case GruppoFonte::Interno:
        return {QStringLiteral("tabFonteInterna"), QStringLiteral("IDFonteInterna"),
                QStringLiteral("FonteNorm")};
    case GruppoFonte::Internazionale:
        return {QStringLiteral("tabFonteInt"), QStringLiteral("IDFonteInt"), QStringLiteral("FonteInt")};
    case GruppoFonte::Comunitario:
        return {QStringLiteral("tabFonteCom"), QStringLiteral("IDFonteCom"), QStringLiteral("FonteCom")};
    case GruppoFonte::Canonico:
        return {QStringLiteral("tabFonteCan"), QStringLiteral("IDFonteCan"), QStringLiteral("FonteCan")};
    case GruppoFonte::Straniero:
    case GruppoFonte::Altro:
        break;
    }
    return {};
}

bool NomeFonteNoto(cConnessione& connection, const VoceFonte& voce) {
    const TabellaNomi t = tabellaNomi(gruppoFonte(voce.TP));
    if (t.table.isEmpty())
        return true;
    return !connection
                .ApriRS(QStringLiteral("select 1 from %1 where %2 = ?").arg(t.table, t.textColumn),
                        {voce.NomeFonte})
                .eof();
}

qint64 ChiaveFissa(cConnessione& connection, const QString& table, const QString& keyColumn,
                   const QString& textColumn, const QString& value) {
    const QString sql = QStringLiteral("select %1 from %2 where %3 = ?").arg(keyColumn, table, textColumn);
    RecordSet rs = connection.ApriRS(sql, {value});
    if (rs.eof())
        throw DbError(3021, QStringLiteral("Valore \"%1\" non presente in %2.").arg(value, table), sql);
    return rs.field(0).toLongLong();
}

qint64 ChiaveOAggiungi(cConnessione& connection, const QString& table, const QString& keyColumn,
                       const QString& textColumn, const QString& value) {
    qint64 key = 0;
    {
        RecordSet rs = connection.ApriRS(
            QStringLiteral("select %1 from %2 where %3 = ?").arg(keyColumn, table, textColumn), {value});
        if (!rs.eof())
            key = rs.field(0).toLongLong();
    }
    if (key == 0) {
        connection.EseguiIstruzione(
            QStringLiteral("insert into %1 (%2, Nuovo) values (?, 1)").arg(table, textColumn), {value});
        key = MaxID(connection, table, keyColumn);
    }
    return key;
}

IstruzioneSql CercaFonte(cConnessione& connection, const VoceFonte& voce) {
    IstruzioneSql s;
    // "+TP" keeps the planner on the index of the citation text, the selective key: on the index of
    // the family and name it would scan every law of a name. Archives written by other tools may
    // hold Null where we write empty text (or "0" for no month); the load reads both alike, so the
    // search must too, or each save of such a document would store its sources again. The columns
    // compare without regard to case ("Art. 3" is "art. 3", as in Jet); ifnull() hides a column's
    // collation, so it is named again there.
    s.sql = QStringLiteral(
        "select IDFonte from tabFonte where Testo = ? and +TP = ? "
        "and ifnull(articolo, '') = ? collate nocase and ifnull(comma, '') = ? collate nocase "
        "and ifnull(lettera, '') = ? collate nocase and ifnull(allegato, '') = ? collate nocase "
        "and ifnull(ripa, '') = ? collate nocase and ifnull(ripc, '') = ? collate nocase "
        "and ifnull(numero, '') = ? collate nocase and ifnull(numerop, '') = ? collate nocase "
        "and ifnull(giorno, '') = ? collate nocase and ifnull(anno, '') = ? collate nocase "
        "and ifnull(mese, '0') = ? collate nocase and ifnull(altro, '') = ? collate nocase");
    s.params << voce.testo << voce.TP << voce.articolo << voce.comma << voce.lettera << voce.allegato
             << voce.ripa << voce.ripc << voce.numero << voce.numerop << voce.giorno << voce.anno
             << MeseFonte(voce) << voce.altro;

    const GruppoFonte gruppo = gruppoFonte(voce.TP);
    switch (gruppo) {
    case GruppoFonte::Interno:
        clausolaNome(s, chiaveNome(connection, gruppo, voce.NomeFonte));
        if (!voce.Regione.isEmpty())
            clausola(s, "IDRegione", chiaveRegione(connection, voce.Regione));
        if (!voce.Citta.isEmpty())
            clausola(s, "IDCitta", chiaveCitta(connection, voce.Citta));
        if (!voce.Provincia.isEmpty())
            clausola(s, "IDProvincia", chiaveProvincia(connection, voce.Provincia));
        if (!voce.Ministero.isEmpty())
            clausola(s, "IDMinistero", chiaveMinistero(connection, voce.Ministero));
        if (!voce.Amministrazione.isEmpty())
            clausola(s, "IDAmministrazione", chiaveAmministrazione(connection, voce.Amministrazione));
        if (!voce.Autorita.isEmpty())
            clausola(s, "IDAutorita", chiaveAutorita(connection, voce.Autorita));
        if (!voce.Sezione.isEmpty())
            clausola(s, "IDSezione", chiaveSezione(connection, voce.Sezione));
        clausoleFlag(s, voce);
        break;
    case GruppoFonte::Internazionale:
    case GruppoFonte::Comunitario:
        clausolaNome(s, chiaveNome(connection, gruppo, voce.NomeFonte));
        if ((voce.TP == u"GEI" || voce.TP == u"GEC") && !voce.Sezione.isEmpty())
            clausola(s, "IDSezione", chiaveSezione(connection, voce.Sezione));
        clausoleFlag(s, voce);
        break;
    case GruppoFonte::Canonico:
        clausolaNome(s, chiaveNome(connection, gruppo, voce.NomeFonte));
        if (!voce.Regione.isEmpty())
            clausola(s, "IDRegione", chiaveRegione(connection, voce.Regione));
        if (!voce.Citta.isEmpty())
            clausola(s, "IDCitta", chiaveCitta(connection, voce.Citta));
        break;
    case GruppoFonte::Straniero:
        if (!voce.Stato.isEmpty())
            clausola(s, "IDStato", chiaveStato(connection, voce.Stato));
        break;
    case GruppoFonte::Altro:
        break;
    }
    return s;
}

IstruzioneSql InserisciFonte(cConnessione& connection, const VoceFonte& voce) {
    IstruzioneSql s;
    s.sql = QStringLiteral(
        "insert into tabFonte (TP, articolo, comma, lettera, allegato, ripa, ripc, numero, numerop, "
        "giorno, anno, mese, altro, testo, IDNomeFonte, IDRegione, IDCitta, IDProvincia, IDMinistero, "
        "IDAmministrazione, IDAutorita, IDSezione, IDStato, Ordinanza, Decreto) values (?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    s.params << voce.TP << voce.articolo << voce.comma << voce.lettera << voce.allegato << voce.ripa
             << voce.ripc << voce.numero << voce.numerop << voce.giorno << voce.anno << MeseFonte(voce)
             << voce.altro << voce.testo;

    qint64 nome = 0, regione = 0, citta = 0, provincia = 0, ministero = 0, amministrazione = 0, autorita = 0,
           sezione = 0, stato = 0;
    bool flag = true;
    const GruppoFonte gruppo = gruppoFonte(voce.TP);
    switch (gruppo) {
    case GruppoFonte::Interno:
        nome = chiaveNome(connection, gruppo, voce.NomeFonte);
        if (!voce.Regione.isEmpty())
            regione = chiaveRegione(connection, voce.Regione);
        if (!voce.Citta.isEmpty())
            citta = chiaveCitta(connection, voce.Citta);
        if (!voce.Provincia.isEmpty())
            provincia = chiaveProvincia(connection, voce.Provincia);
        if (!voce.Ministero.isEmpty())
            ministero = chiaveMinistero(connection, voce.Ministero);
        if (!voce.Amministrazione.isEmpty())
            amministrazione = chiaveAmministrazione(connection, voce.Amministrazione);
        if (!voce.Autorita.isEmpty())
            autorita = chiaveAutorita(connection, voce.Autorita);
        if (!voce.Sezione.isEmpty())
            sezione = chiaveSezione(connection, voce.Sezione);
        break;
    case GruppoFonte::Internazionale:
    case GruppoFonte::Comunitario:
        nome = chiaveNome(connection, gruppo, voce.NomeFonte);
        if ((voce.TP == u"GEI" || voce.TP == u"GEC") && !voce.Sezione.isEmpty())
            sezione = chiaveSezione(connection, voce.Sezione);
        break;
    case GruppoFonte::Canonico:
        nome = chiaveNome(connection, gruppo, voce.NomeFonte);
        if (!voce.Regione.isEmpty())
            regione = chiaveRegione(connection, voce.Regione);
        if (!voce.Citta.isEmpty())
            citta = chiaveCitta(connection, voce.Citta);
        flag = false;
        break;
    case GruppoFonte::Straniero:
        if (!voce.Stato.isEmpty())
            stato = chiaveStato(connection, voce.Stato);
        break;
    case GruppoFonte::Altro:
        flag = false;
        break;
    }
    s.params << nome << regione << citta << provincia << ministero << amministrazione << autorita << sezione
             << stato;
    s.params << (flag && voce.Ordinanza) << (flag && voce.Decreto);
    return s;
}

qint64 MemorizzaFonte(cConnessione& connection, const VoceFonte& voce) {
    const IstruzioneSql cerca = CercaFonte(connection, voce);
    {
        RecordSet rs = connection.ApriRS(cerca.sql, cerca.params);
        if (!rs.eof())
            return rs.field(0).toLongLong();
    }
    const IstruzioneSql inserisci = InserisciFonte(connection, voce);
    connection.EseguiIstruzione(inserisci.sql, inserisci.params);
    return MaxID(connection, QStringLiteral("tabFonte"), QStringLiteral("IDFonte"));
}
