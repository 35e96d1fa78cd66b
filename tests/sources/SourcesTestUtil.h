#pragma once

// Compact descriptions of a dialog page and of an entry for the data-driven source tests:
// "art=5|ripa=bis|gg=12|mese=aprile|aa=2006|n=163|atto=l." and "articolo=5|ripa=bis|...".

#include "sources/PaginaFonte.h"
#include "store/VoceFonte.h"
#include "store/cConnessione.h"

#include <QStringList>

namespace sourcestest {

inline QList<std::pair<QString, QString>> coppie(const QString& descr) {
    QList<std::pair<QString, QString>> out;
    if (descr.isEmpty())
        return out;
    for (const QString& part : descr.split(u'|')) {
        const qsizetype eq = part.indexOf(u'=');
        out.append({part.left(eq), eq < 0 ? QString() : part.mid(eq + 1)});
    }
    return out;
}

// Keys: tipo, voce, atto, art, ripa, comma, ripc, lett, nump, all, gg, mese, aa, n, regione, info1,
// info2, info3, decr, ord (any value = checked), libero, stato.
inline PaginaFonte pagina(const QString& descr) {
    PaginaFonte p;
    for (const auto& [k, v] : coppie(descr)) {
        if (k == u"tipo")
            p.tipo = v.toInt();
        else if (k == u"voce")
            p.voceTipo = v;
        else if (k == u"atto")
            p.atto = v;
        else if (k == u"art")
            p.txtArt = v;
        else if (k == u"ripa")
            p.ripa = v;
        else if (k == u"comma")
            p.txtComma = v;
        else if (k == u"ripc")
            p.ripc = v;
        else if (k == u"lett")
            p.txtLett = v;
        else if (k == u"nump")
            p.txtNumP = v;
        else if (k == u"all")
            p.txtAll = v;
        else if (k == u"gg")
            p.txtGG = v;
        else if (k == u"mese")
            p.mese = v;
        else if (k == u"aa")
            p.txtAA = v;
        else if (k == u"n")
            p.txtN = v;
        else if (k == u"regione")
            p.regione = v;
        else if (k == u"info1")
            p.txtInfo1 = v;
        else if (k == u"info2")
            p.txtInfo2 = v;
        else if (k == u"info3")
            p.txtInfo3 = v;
        else if (k == u"decr")
            p.chkDecr = true;
        else if (k == u"ord")
            p.chkOrd = true;
        else if (k == u"libero")
            p.txtLibero = v;
        else if (k == u"stato")
            p.txtStato = v;
        else
            qFatal("unknown page key %s", qPrintable(k));
    }
    return p;
}

// Every field of an entry as "name=value", defaults left out.
inline QStringList campi(const VoceFonte& v) {
    QStringList out;
    const auto add = [&](const char* name, const QString& value) {
        if (!value.isEmpty())
            out << QString::fromLatin1(name) + u'=' + value;
    };
    add("NomeFonte", v.NomeFonte);
    add("articolo", v.articolo);
    add("comma", v.comma);
    add("lettera", v.lettera);
    add("numerop", v.numerop);
    add("allegato", v.allegato);
    add("ripa", v.ripa);
    add("ripc", v.ripc);
    add("anno", v.anno);
    add("mese", v.mese);
    add("giorno", v.giorno);
    add("numero", v.numero);
    add("Ministero", v.Ministero);
    add("Regione", v.Regione);
    add("Provincia", v.Provincia);
    add("Citta", v.Citta);
    add("Sezione", v.Sezione);
    add("Autorita", v.Autorita);
    add("Amministrazione", v.Amministrazione);
    add("Stato", v.Stato);
    if (v.Decreto)
        out << QStringLiteral("Decreto");
    if (v.Ordinanza)
        out << QStringLiteral("Ordinanza");
    add("altro", v.altro);
    if (v.Cancellata)
        out << QStringLiteral("Cancellata");
    if (v.IDFonte != 0)
        out << QStringLiteral("IDFonte=%1").arg(v.IDFonte);
    return out;
}

// The expected fields, sorted like campi() writes them.
inline QStringList attesi(const QString& descr) {
    static const QStringList ordine = {QStringLiteral("NomeFonte"),
                                       QStringLiteral("articolo"),
                                       QStringLiteral("comma"),
                                       QStringLiteral("lettera"),
                                       QStringLiteral("numerop"),
                                       QStringLiteral("allegato"),
                                       QStringLiteral("ripa"),
                                       QStringLiteral("ripc"),
                                       QStringLiteral("anno"),
                                       QStringLiteral("mese"),
                                       QStringLiteral("giorno"),
                                       QStringLiteral("numero"),
                                       QStringLiteral("Ministero"),
                                       QStringLiteral("Regione"),
                                       QStringLiteral("Provincia"),
                                       QStringLiteral("Citta"),
                                       QStringLiteral("Sezione"),
                                       QStringLiteral("Autorita"),
                                       QStringLiteral("Amministrazione"),
                                       QStringLiteral("Stato"),
                                       QStringLiteral("Decreto"),
                                       QStringLiteral("Ordinanza"),
                                       QStringLiteral("altro")};
    QStringList out = descr.isEmpty() ? QStringList() : descr.split(u'|');
    std::stable_sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return ordine.indexOf(a.section(u'=', 0, 0)) < ordine.indexOf(b.section(u'=', 0, 0));
    });
    return out;
}

// Lookup rows the source dialogs read, for archives made before the lookup data is filled in.
// Keys far above the delivered ones, and only where missing, so that delivered rows win.
inline void fixtureLookup(cConnessione& c) {
    const auto interna = [&](const QString& nome, const QString& liv1, const QString& liv2) {
        c.EseguiIstruzione(
            QStringLiteral(
                "insert into tabFonteInterna (FonteNorm, liv1, liv2) select ?, ?, ? where not "
                "exists (select 1 from tabFonteInterna where FonteNorm = ? and liv1 = ? and liv2 = ?)"),
            {nome, liv1, liv2, nome, liv1, liv2});
    };
    interna(QStringLiteral("Cost."), QStringLiteral("0"), QStringLiteral("0"));
    for (const char* n : {"c.c.", "c.p.", "c.p.c.", "Norme bancarie uniformi"})
        interna(QString::fromUtf8(n), QStringLiteral("1"), QStringLiteral("0"));
    for (const char* n : {"l.", "d.lg.", "d.l.", "d.p.r.", "dir. p.c.m."})
        interna(QString::fromUtf8(n), QStringLiteral("2"), QStringLiteral("1"));
    interna(QStringLiteral("l. prov."), QStringLiteral("2"), QStringLiteral("2"));
    interna(QStringLiteral("l. r."), QStringLiteral("2"), QStringLiteral("3"));
    interna(QStringLiteral("d.m."), QStringLiteral("2"), QStringLiteral("6"));
    interna(QStringLiteral("delib."), QStringLiteral("2"), QStringLiteral("7"));
    interna(QStringLiteral("reg. r."), QStringLiteral("2"), QStringLiteral("8"));
    interna(QStringLiteral("provv."), QStringLiteral("2"), QStringLiteral("9"));
    interna(QStringLiteral("c.c.n.l."), QStringLiteral("2"), QStringLiteral("a"));
    for (const char* n : {"Trib.", "App."})
        interna(QString::fromUtf8(n), QStringLiteral("3"), QStringLiteral("3"));
    for (const char* n : {"Comm. prov.", "Comm. reg."})
        interna(QString::fromUtf8(n), QStringLiteral("3"), QStringLiteral("4"));
    for (const char* n : {"TAR", "Cons. Stato"})
        interna(QString::fromUtf8(n), QStringLiteral("3"), QStringLiteral("6"));
    interna(QStringLiteral("Trib. Acque"), QStringLiteral("3"), QStringLiteral("7"));
    interna(QStringLiteral("Comm. ricorsi brevetti"), QStringLiteral("3"), QStringLiteral("8"));
    interna(QStringLiteral("Lodo arbitrale"), QStringLiteral("3"), QStringLiteral("9"));

    const auto semplice = [&](const QString& table, const QString& column, const QString& value) {
        c.EseguiIstruzione(
            QStringLiteral("insert into %1 (%2) select ? where not exists (select 1 from %1 where %2 = ?)")
                .arg(table, column),
            {value, value});
    };
    for (const char* n : {"Milano", "Roma", "Bologna", "Bolzano"})
        semplice(QStringLiteral("tabCitta"), QStringLiteral("Citta"), QString::fromUtf8(n));
    for (const char* n : {"sez. I", "sez. II", "sez. un.", "Grande Camera"})
        semplice(QStringLiteral("tabSezione"), QStringLiteral("Sigla"), QString::fromUtf8(n));
    semplice(QStringLiteral("tabMinistero"), QStringLiteral("MinisteroNorm"), QStringLiteral("Giustizia"));
    semplice(QStringLiteral("tabAmministrazione"), QStringLiteral("AmministrazioneNorm"),
             QStringLiteral("Comune di Roma"));
    semplice(QStringLiteral("tabAutorita"), QStringLiteral("AutoritaNorm"), QStringLiteral("AGCOM"));
    for (const char* n : {"Francia", "Germania", "Spagna"})
        semplice(QStringLiteral("tabStato"), QStringLiteral("Stato"), QString::fromUtf8(n));

    const auto conTipo = [&](const QString& table, const QString& column, const QString& value, int tipo) {
        c.EseguiIstruzione(QStringLiteral("insert into %1 (%2, Tipo) select ?, ? where not exists "
                                          "(select 1 from %1 where %2 = ?)")
                               .arg(table, column),
                           {value, tipo, value});
    };
    conTipo(QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), QStringLiteral("Ris. ONU"), 2);
    conTipo(QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), QStringLiteral("C. eur. dir. uomo"),
            3);
    conTipo(QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), QStringLiteral("TFUE"), 1);
    for (const char* n : {"Dir. CE", "Reg. CE", "Reg. UE"})
        conTipo(QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), QString::fromUtf8(n), 2);
    conTipo(QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), QStringLiteral("C. giust. UE"), 3);
    c.EseguiIstruzione(
        QStringLiteral("insert into tabFonteCom (IDFonteCom, FonteCom, Tipo) select 30, 'Conv. UE', 4 "
                       "where not exists (select 1 from tabFonteCom where IDFonteCom = 30)"));
    conTipo(QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), QStringLiteral("Rota Romana"), 3);
    conTipo(QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), QStringLiteral("Trib. Eccl. Reg."), 3);
    conTipo(QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), QStringLiteral("C. Iur. Can."), 1);

    // The treaty tests want a list they know, in a known order.
    c.EseguiIstruzione(QStringLiteral("delete from tabNIT"));
    c.EseguiIstruzione(
        QStringLiteral("insert or ignore into tabNIT (IDNIT, NIT, Descrizione, Numero, Data, Fonte) values "
                       "(9001, 'Conv. Vienna', 'Convenzione sul diritto dei trattati', '', '1969-05-23', "
                       "'Conv. Vienna 23 maggio 1969'), "
                       "(9002, 'CEDU', 'Convenzione europea dei diritti dell''uomo', '848', '1950-11-04', "
                       "'Conv. eur. dir. uomo 4 novembre 1950')"));
}

} // namespace sourcestest
