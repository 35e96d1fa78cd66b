#include "citations/LessicoCitazioni.h"

#include <QHash>

namespace lessico {

namespace {

bool cifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool apostrofo(QChar c) {
    return c == u'\'' || c == u'\u2019' || c == u'\u2018' || c == u'`' || c == u'\u00B4' || c == u'\u02BC';
}

bool trattino(QChar c) {
    return c == u'-' || (c >= u'\u2010' && c <= u'\u2015') || c == u'\u2212';
}

bool lettera(QChar c) {
    return c.isLetter() || c.isMark();
}

} // namespace

QList<Token> Tokenizza(const QString& testo, QString& forme) {
    forme = testo;
    QList<Token> out;
    out.reserve(testo.size() / 4 + 1);
    const qsizetype n = testo.size();
    int righe = 0;
    bool spazio = false;
    for (qsizetype i = 0; i < n;) {
        const QChar c = testo.at(i);
        if (c.isSpace()) {
            if (c == u'\n')
                ++righe;
            spazio = true;
            ++i;
            continue;
        }
        Token t;
        t.spazio = spazio;
        t.aCapo = righe > 0;
        t.rigaVuota = righe > 1;
        t.inizio = i;
        if (lettera(c)) {
            t.tipo = TipoToken::Parola;
            t.maiuscola = c.isUpper();
            while (i < n && lettera(testo.at(i))) {
                forme[i] = testo.at(i).toLower();
                ++i;
            }
        } else if (cifra(c)) {
            t.tipo = TipoToken::Numero;
            while (i < n && cifra(testo.at(i)))
                ++i;
        } else {
            t.tipo = TipoToken::Segno;
            if (apostrofo(c))
                forme[i] = u'\'';
            else if (trattino(c))
                forme[i] = u'-';
            ++i;
            // A character outside the basic plane is one sign, not two halves.
            if (c.isHighSurrogate() && i < n && testo.at(i).isLowSurrogate())
                ++i;
        }
        t.fine = i;
        out.append(t);
        righe = 0;
        spazio = false;
    }
    for (Token& t : out)
        t.forma = QStringView(forme).mid(t.inizio, t.fine - t.inizio);
    return out;
}

namespace {

// Every phrase, written as it is read; the phrase's tokens are its lower-case tokens.
const Voce kVoci[] = {
    // Partitions.
    {u"art.", Cat::Articolo},
    {u"art", Cat::Articolo},
    {u"artt.", Cat::Articolo, 1},
    {u"artt", Cat::Articolo, 1},
    {u"articolo", Cat::Articolo},
    {u"articoli", Cat::Articolo, 1},
    {u"comma", Cat::Comma},
    {u"commi", Cat::Comma, 1},
    {u"co.", Cat::Comma},
    {u"com.", Cat::Comma},
    {u"c.", Cat::Comma},
    {u"paragrafo", Cat::Paragrafo},
    {u"paragrafi", Cat::Paragrafo, 1},
    {u"par.", Cat::Paragrafo},
    {u"parr.", Cat::Paragrafo, 1},
    {u"§", Cat::Paragrafo},
    {u"§§", Cat::Paragrafo, 1},
    {u"lett.", Cat::Lettera},
    {u"lettera", Cat::Lettera},
    {u"lettere", Cat::Lettera},
    {u"n.", Cat::Numero},
    {u"nn.", Cat::Numero, 1},
    {u"n°", Cat::Numero},
    {u"nr.", Cat::Numero},
    {u"numero", Cat::Numero},
    {u"num.", Cat::Numero},
    {u"numeri", Cat::Numero, 1},
    {u"periodo", Cat::Periodo},
    {u"alinea", Cat::Periodo},
    {u"cpv.", Cat::Capoverso},
    {u"capoverso", Cat::Capoverso},

    // Acts of the State.
    {u"legge", Cat::Atto, 0, u"LIO", u"l."},
    {u"leggi", Cat::Atto, 1, u"LIO", u"l."},
    {u"l.", Cat::Atto, 0, u"LIO", u"l."},
    {u"legge costituzionale", Cat::Atto, 0, u"LICO", u"l. cost."},
    {u"leggi costituzionali", Cat::Atto, 1, u"LICO", u"l. cost."},
    {u"l. cost.", Cat::Atto, 0, u"LICO", u"l. cost."},
    {u"l.cost.", Cat::Atto, 0, u"LICO", u"l. cost."},
    {u"legge cost.", Cat::Atto, 0, u"LICO", u"l. cost."},
    {u"decreto-legge", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"decreto legge", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"decreti-legge", Cat::Atto, 1, u"LIO", u"d.l."},
    {u"d.l.", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"d.-l.", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"decreto legislativo", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"decreti legislativi", Cat::Atto, 1, u"LIO", u"d.lg."},
    {u"d.lgs.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.lg.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.leg.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"dlgs", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.legisl.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"decreto del presidente della repubblica", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"decreti del presidente della repubblica", Cat::Atto, 1, u"LIO", u"d.p.r."},
    {u"d.p.r.", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"dpr", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"d.pres.rep.", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"regio decreto", Cat::Atto, 0, u"LIO", u"r.d."},
    {u"r.d.", Cat::Atto, 0, u"LIO", u"r.d."},
    {u"regio decreto-legge", Cat::Atto, 0, u"LIO", u"r.d.l."},
    {u"regio decreto legge", Cat::Atto, 0, u"LIO", u"r.d.l."},
    {u"r.d.l.", Cat::Atto, 0, u"LIO", u"r.d.l."},
    {u"regio decreto legislativo", Cat::Atto, 0, u"LIO", u"r.d.lg."},
    {u"r.d.lgs.", Cat::Atto, 0, u"LIO", u"r.d.lg."},
    {u"decreto legislativo luogotenenziale", Cat::Atto, 0, u"LIO", u"d.lg.lgt."},
    {u"d.lgs.lgt.", Cat::Atto, 0, u"LIO", u"d.lg.lgt."},
    {u"d.lg.lgt.", Cat::Atto, 0, u"LIO", u"d.lg.lgt."},
    {u"decreto legislativo del capo provvisorio dello stato", Cat::Atto, 0, u"LIO", u"d.lg.C.p.S."},
    {u"d.lgs.c.p.s.", Cat::Atto, 0, u"LIO", u"d.lg.C.p.S."},
    {u"decreto del presidente del consiglio dei ministri", Cat::Atto, 0, u"LIO", u"d.p.c.m."},
    {u"d.p.c.m.", Cat::Atto, 0, u"LIO", u"d.p.c.m."},
    {u"dpcm", Cat::Atto, 0, u"LIO", u"d.p.c.m."},
    {u"decreto ministeriale", Cat::Atto, 0, u"LIOA", u"d.m."},
    {u"decreti ministeriali", Cat::Atto, 1, u"LIOA", u"d.m."},
    {u"d.m.", Cat::Atto, 0, u"LIOA", u"d.m."},
    {u"dm", Cat::Atto, 0, u"LIOA", u"d.m."},
    {u"decreto del ministro", Cat::Atto, 2, u"LIOA", u"d.m."},
    {u"decreto del ministero", Cat::Atto, 2, u"LIOA", u"d.m."},
    {u"decreto interministeriale", Cat::Atto, 0, u"LIOA", u"d.i."},
    {u"d.i.", Cat::Atto, 0, u"LIOA", u"d.i."},

    // Acts of the regions and the autonomous provinces.
    {u"legge regionale", Cat::Atto, 0, u"LIR", u"l. reg."},
    {u"leggi regionali", Cat::Atto, 1, u"LIR", u"l. reg."},
    {u"legge reg.", Cat::Atto, 0, u"LIR", u"l. reg."},
    {u"l. reg.", Cat::Atto, 0, u"LIR", u"l. reg."},
    {u"l.reg.", Cat::Atto, 0, u"LIR", u"l. reg."},
    {u"l.r.", Cat::Atto, 0, u"LIR", u"l. reg."},
    {u"lr", Cat::Atto, 0, u"LIR", u"l. reg."},
    {u"regolamento regionale", Cat::Atto, 0, u"LIR", u"reg. reg."},
    {u"r.r.", Cat::Atto, 0, u"LIR", u"reg. reg."},
    {u"legge provinciale", Cat::Atto, 0, u"LIP", u"l. prov."},
    {u"leggi provinciali", Cat::Atto, 1, u"LIP", u"l. prov."},
    {u"l. prov.", Cat::Atto, 0, u"LIP", u"l. prov."},
    {u"l.prov.", Cat::Atto, 0, u"LIP", u"l. prov."},
    {u"l.p.", Cat::Atto, 0, u"LIP", u"l. prov."},
    {u"regione", Cat::Regione},
    {u"provincia autonoma di", Cat::Provincia},
    {u"provincia autonoma", Cat::Provincia},
    {u"provincia di", Cat::Provincia},
    {u"p.a.", Cat::Provincia},
    {u"regionale", Cat::Regione, 1},
    {u"provinciale", Cat::Provincia, 1},

    // EU acts.
    {u"regolamento", Cat::AttoUe, UeRegolamento},
    {u"regolamenti", Cat::AttoUe, UeRegolamento},
    {u"reg.", Cat::AttoUe, UeRegolamento},
    {u"regolamento delegato", Cat::AttoUe, UeRegolamento, nullptr, u"delegato"},
    {u"regolamento di esecuzione", Cat::AttoUe, UeRegolamento, nullptr, u"esecuzione"},
    {u"direttiva", Cat::AttoUe, UeDirettiva},
    {u"direttive", Cat::AttoUe, UeDirettiva},
    {u"dir.", Cat::AttoUe, UeDirettiva},
    {u"direttiva delegata", Cat::AttoUe, UeDirettiva, nullptr, u"delegata"},
    {u"decisione", Cat::AttoUe, UeDecisione},
    {u"dec.", Cat::AttoUe, UeDecisione},
    {u"decisione quadro", Cat::AttoUe, UeDecisioneQuadro},
    {u"decisione-quadro", Cat::AttoUe, UeDecisioneQuadro},
    {u"(ue)", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"ue", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"(ce)", Cat::QualificaUe, 0, nullptr, u"CE"},
    {u"ce", Cat::QualificaUe, 0, nullptr, u"CE"},
    {u"(cee)", Cat::QualificaUe, 0, nullptr, u"CEE"},
    {u"cee", Cat::QualificaUe, 0, nullptr, u"CEE"},
    {u"(euratom)", Cat::QualificaUe, 0, nullptr, u"CE"},
    {u"euratom", Cat::QualificaUe, 0, nullptr, u"CE"},
    {u"gai", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"pesc", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"del parlamento europeo e del consiglio", Cat::OrganoUe},
    {u"del consiglio", Cat::OrganoUe},
    {u"della commissione", Cat::OrganoUe},
    {u"del parlamento europeo", Cat::OrganoUe},
    {u"dell'unione europea", Cat::Ue},
    {u"dell'unione", Cat::Ue},
    {u"delle comunità europee", Cat::Ue},

    // The Constitution and the codes.
    {u"costituzione", Cat::Costituzione},
    {u"cost.", Cat::Costituzione},
    {u"cost", Cat::Costituzione},
    {u"carta costituzionale", Cat::Costituzione},
    {u"c.c.", Cat::Codice, 0, nullptr, u"c.c."},
    {u"cod. civ.", Cat::Codice, 0, nullptr, u"c.c."},
    {u"codice civile", Cat::Codice, 0, nullptr, u"c.c."},
    {u"c.p.c.", Cat::Codice, 0, nullptr, u"c.p.c."},
    {u"cod. proc. civ.", Cat::Codice, 0, nullptr, u"c.p.c."},
    {u"codice di procedura civile", Cat::Codice, 0, nullptr, u"c.p.c."},
    {u"c.p.", Cat::Codice, 0, nullptr, u"c.p."},
    {u"cod. pen.", Cat::Codice, 0, nullptr, u"c.p."},
    {u"codice penale", Cat::Codice, 0, nullptr, u"c.p."},
    {u"c.p.p.", Cat::Codice, 0, nullptr, u"c.p.p."},
    {u"cod. proc. pen.", Cat::Codice, 0, nullptr, u"c.p.p."},
    {u"codice di procedura penale", Cat::Codice, 0, nullptr, u"c.p.p."},
    {u"c.p.a.", Cat::Codice, 0, nullptr, u"c.p.a."},
    {u"cod. proc. amm.", Cat::Codice, 0, nullptr, u"c.p.a."},
    {u"codice del processo amministrativo", Cat::Codice, 0, nullptr, u"c.p.a."},
    {u"c.d.s.", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"cds", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"cod. strada", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"c. strada", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"cod. della strada", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"codice della strada", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"nuovo codice della strada", Cat::Codice, 0, nullptr, u"c. strada"},
    {u"disp. att. c.c.", Cat::Codice, 0, nullptr, u"disp. att. c.c."},
    {u"disp. att. cod. civ.", Cat::Codice, 0, nullptr, u"disp. att. c.c."},
    {u"disp. att. c.p.c.", Cat::Codice, 0, nullptr, u"disp. att. c.p.c."},
    {u"disp. att. cod. proc. civ.", Cat::Codice, 0, nullptr, u"disp. att. c.p.c."},
    {u"disp. att. c.p.p.", Cat::Codice, 0, nullptr, u"disp. att. c.p.p."},
    {u"disp. att. cod. proc. pen.", Cat::Codice, 0, nullptr, u"disp. att. c.p.p."},
    {u"disp. prel. c.c.", Cat::Codice, 0, nullptr, u"disp. prel. c.c."},
    {u"disp. prel.", Cat::Codice, 0, nullptr, u"disp. prel. c.c."},
    {u"preleggi", Cat::Codice, 0, nullptr, u"disp. prel. c.c."},
    {u"disposizioni sulla legge in generale", Cat::Codice, 0, nullptr, u"disp. prel. c.c."},
    {u"c. nav.", Cat::Codice, 0, nullptr, u"c. nav."},
    {u"cod. nav.", Cat::Codice, 0, nullptr, u"c. nav."},
    {u"codice della navigazione", Cat::Codice, 0, nullptr, u"c. nav."},
    {u"cod. cons.", Cat::Codice, 0, nullptr, u"c. consumo"},
    {u"c. cons.", Cat::Codice, 0, nullptr, u"c. consumo"},
    {u"codice del consumo", Cat::Codice, 0, nullptr, u"c. consumo"},
    {u"codice della privacy", Cat::Codice, 0, nullptr, u"c. privacy"},
    {u"cod. privacy", Cat::Codice, 0, nullptr, u"c. privacy"},
    {u"codice dell'ambiente", Cat::Codice, 0, nullptr, u"c. amb."},
    {u"cod. amb.", Cat::Codice, 0, nullptr, u"c. amb."},
    {u"codice dei contratti pubblici", Cat::Codice, 0, nullptr, u"c. contratti pubblici"},
    {u"codice degli appalti", Cat::Codice, 0, nullptr, u"c. contratti pubblici"},
    {u"codice delle assicurazioni private", Cat::Codice, 0, nullptr, u"c. assicurazioni"},
    {u"cod. ass.", Cat::Codice, 0, nullptr, u"c. assicurazioni"},
    {u"codice della proprietà industriale", Cat::Codice, 0, nullptr, u"c. propr. ind."},
    {u"c.p.i.", Cat::Codice, 0, nullptr, u"c. propr. ind."},
    {u"codice dei beni culturali e del paesaggio", Cat::Codice, 0, nullptr, u"c. beni cult."},
    {u"codice dei beni culturali", Cat::Codice, 0, nullptr, u"c. beni cult."},
    {u"codice della crisi d'impresa e dell'insolvenza", Cat::Codice, 0, nullptr, u"c. crisi impresa"},
    {u"codice della crisi d'impresa", Cat::Codice, 0, nullptr, u"c. crisi impresa"},
    {u"c.c.i.i.", Cat::Codice, 0, nullptr, u"c. crisi impresa"},
    {u"ccii", Cat::Codice, 0, nullptr, u"c. crisi impresa"},
    {u"codice dell'amministrazione digitale", Cat::Codice, 0, nullptr, u"c. amm. digitale"},
    {u"codice delle pari opportunità", Cat::Codice, 0, nullptr, u"c. pari opportunità"},
    {u"codice antimafia", Cat::Codice, 0, nullptr, u"c. antimafia"},
    {u"codice del turismo", Cat::Codice, 0, nullptr, u"c. turismo"},
    {u"codice dell'ordinamento militare", Cat::Codice, 0, nullptr, u"c. ord. mil."},
    {u"codice di giustizia contabile", Cat::Codice, 0, nullptr, u"c. giust. contabile"},
    {u"codice del terzo settore", Cat::Codice, 0, nullptr, u"c. terzo settore"},
    {u"codice della protezione civile", Cat::Codice, 0, nullptr, u"c. protezione civile"},
    {u"codice della nautica da diporto", Cat::Codice, 0, nullptr, u"c. nautica diporto"},
    {u"codice delle comunicazioni elettroniche", Cat::Codice, 0, nullptr, u"c. comun. elettr."},
    {u"c.p.m.p.", Cat::Codice, 0, nullptr, u"c. pen. mil. pace"},
    {u"codice penale militare di pace", Cat::Codice, 0, nullptr, u"c. pen. mil. pace"},
    {u"c.p.m.g.", Cat::Codice, 0, nullptr, u"c. pen. mil. guerra"},
    {u"codice penale militare di guerra", Cat::Codice, 0, nullptr, u"c. pen. mil. guerra"},

    // Treaties.
    {u"tfue", Cat::Trattato, 0, u"NIC", u"TFUE"},
    {u"t.f.u.e.", Cat::Trattato, 0, u"NIC", u"TFUE"},
    {u"trattato fue", Cat::Trattato, 0, u"NIC", u"TFUE"},
    {u"trattato sul funzionamento dell'unione europea", Cat::Trattato, 0, u"NIC", u"TFUE"},
    {u"tue", Cat::Trattato, 0, u"NIC", u"TUE"},
    {u"trattato sull'unione europea", Cat::Trattato, 0, u"NIC", u"TUE"},
    {u"trattato ue", Cat::Trattato, 0, u"NIC", u"TUE"},
    {u"trattato ce", Cat::Trattato, 0, u"NIC", u"Tratt. CE"},
    {u"tce", Cat::Trattato, 0, u"NIC", u"Tratt. CE"},
    {u"trattato cee", Cat::Trattato, 0, u"NIC", u"Tratt. CEE"},
    {u"carta dei diritti fondamentali dell'unione europea", Cat::Trattato, 0, u"NIC", u"Carta dir. fond. UE"},
    {u"carta dei diritti fondamentali dell'ue", Cat::Trattato, 0, u"NIC", u"Carta dir. fond. UE"},
    {u"carta dei diritti fondamentali", Cat::Trattato, 0, u"NIC", u"Carta dir. fond. UE"},
    {u"carta di nizza", Cat::Trattato, 0, u"NIC", u"Carta dir. fond. UE"},
    {u"cdfue", Cat::Trattato, 0, u"NIC", u"Carta dir. fond. UE"},
    {u"cedu", Cat::Trattato, 0, u"NIT", u"CEDU"},
    {u"c.e.d.u.", Cat::Trattato, 0, u"NIT", u"CEDU"},
    {u"convenzione europea dei diritti dell'uomo", Cat::Trattato, 0, u"NIT", u"CEDU"},
    {u"convenzione europea per la salvaguardia dei diritti dell'uomo e delle libertà fondamentali",
     Cat::Trattato, 0, u"NIT", u"CEDU"},
    {u"convenzione per la salvaguardia dei diritti dell'uomo e delle libertà fondamentali", Cat::Trattato, 0,
     u"NIT", u"CEDU"},
    {u"convenzione europea", Cat::Trattato, 0, u"NIT", u"CEDU"},
    {u"conv. eur. dir. uomo", Cat::Trattato, 0, u"NIT", u"CEDU"},
    {u"convenzione", Cat::Convenzione},

    // Courts.
    {u"cass.", Cat::Corte, CorteSuprema, u"GICA", u"Cass."},
    {u"cassazione", Cat::Corte, CorteSuprema, u"GICA", u"Cass."},
    {u"corte di cassazione", Cat::Corte, CorteSuprema, u"GICA", u"Cass."},
    {u"corte suprema di cassazione", Cat::Corte, CorteSuprema, u"GICA", u"Cass."},
    {u"suprema corte di cassazione", Cat::Corte, CorteSuprema, u"GICA", u"Cass."},
    {u"corte cost.", Cat::Corte, CorteSuprema, u"GICO", u"C. Cost."},
    {u"c. cost.", Cat::Corte, CorteSuprema, u"GICO", u"C. Cost."},
    {u"c.cost.", Cat::Corte, CorteSuprema, u"GICO", u"C. Cost."},
    {u"corte costituzionale", Cat::Corte, CorteSuprema, u"GICO", u"C. Cost."},
    {u"cons. stato", Cat::Corte, CorteSuprema, u"GIA", u"Cons. St."},
    {u"cons. st.", Cat::Corte, CorteSuprema, u"GIA", u"Cons. St."},
    {u"cons. di stato", Cat::Corte, CorteSuprema, u"GIA", u"Cons. St."},
    {u"consiglio di stato", Cat::Corte, CorteSuprema, u"GIA", u"Cons. St."},
    {u"corte dei conti", Cat::Corte, CorteSuprema, u"GICC", u"C. Conti"},
    {u"c. conti", Cat::Corte, CorteSuprema, u"GICC", u"C. Conti"},
    {u"corte conti", Cat::Corte, CorteSuprema, u"GICC", u"C. Conti"},
    {u"tar", Cat::Corte, CorteConRegione, u"GIA", u"TAR"},
    {u"t.a.r.", Cat::Corte, CorteConRegione, u"GIA", u"TAR"},
    {u"tribunale amministrativo regionale", Cat::Corte, CorteConRegione, u"GIA", u"TAR"},
    {u"trib.", Cat::Corte, CorteConCitta, u"GIO", u"Trib."},
    {u"tribunale", Cat::Corte, CorteConCitta, u"GIO", u"Trib."},
    {u"app.", Cat::Corte, CorteConCitta, u"GIO", u"App."},
    {u"corte d'appello", Cat::Corte, CorteConCitta, u"GIO", u"App."},
    {u"corte di appello", Cat::Corte, CorteConCitta, u"GIO", u"App."},
    {u"corte giust.", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. UE"},
    {u"c. giust.", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. UE"},
    {u"corte di giustizia", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. UE"},
    {u"corte di giustizia europea", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. UE"},
    {u"cgue", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. UE"},
    {u"c.g.u.e.", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. UE"},
    {u"cgce", Cat::Corte, CorteSuprema, u"GEC", u"C. giust. CE"},
    {u"corte edu", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"c. edu", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"corte e.d.u.", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"c. eur. dir. uomo", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"corte eur. dir. uomo", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"corte europea dei diritti dell'uomo", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"corte europea dei diritti umani", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"corte europea per i diritti dell'uomo", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"corte di strasburgo", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"sentenza", Cat::TipoDecisione, DecisioneSentenza},
    {u"sentenze", Cat::TipoDecisione, DecisioneSentenza},
    {u"sent.", Cat::TipoDecisione, DecisioneSentenza},
    {u"ordinanza", Cat::TipoDecisione, DecisioneOrdinanza},
    {u"ordinanze", Cat::TipoDecisione, DecisioneOrdinanza},
    {u"ord.", Cat::TipoDecisione, DecisioneOrdinanza},
    {u"decreto", Cat::TipoDecisione, DecisioneDecreto},
    {u"decr.", Cat::TipoDecisione, DecisioneDecreto},
    {u"sez.", Cat::Sezione},
    {u"sezione", Cat::Sezione},
    {u"sezioni", Cat::Sezione},
    {u"sez. un.", Cat::SezioneNominata, 0, nullptr, u"sez. un."},
    {u"sez. unite", Cat::SezioneNominata, 0, nullptr, u"sez. un."},
    {u"sezioni unite", Cat::SezioneNominata, 0, nullptr, u"sez. un."},
    {u"s.u.", Cat::SezioneNominata, 0, nullptr, u"sez. un."},
    {u"ss.uu.", Cat::SezioneNominata, 0, nullptr, u"sez. un."},
    {u"sez. u.", Cat::SezioneNominata, 0, nullptr, u"sez. un."},
    {u"sez. lav.", Cat::SezioneNominata, 0, nullptr, u"sez. lav."},
    {u"sezione lavoro", Cat::SezioneNominata, 0, nullptr, u"sez. lav."},
    {u"sez. trib.", Cat::SezioneNominata, 0, nullptr, u"sez. trib."},
    {u"sezione tributaria", Cat::SezioneNominata, 0, nullptr, u"sez. trib."},
    {u"ad. plen.", Cat::SezioneNominata, 0, nullptr, u"ad. plen."},
    {u"adunanza plenaria", Cat::SezioneNominata, 0, nullptr, u"ad. plen."},
    {u"a.p.", Cat::SezioneNominata, 0, nullptr, u"ad. plen."},
    {u"grande camera", Cat::SezioneNominata, 0, nullptr, u"Grande Camera"},
    {u"grande sezione", Cat::SezioneNominata, 0, nullptr, u"Grande sezione"},
    {u"civ.", Cat::Materia, 0, nullptr, u"civ."},
    {u"civile", Cat::Materia, 0, nullptr, u"civ."},
    {u"pen.", Cat::Materia, 0, nullptr, u"pen."},
    {u"penale", Cat::Materia, 0, nullptr, u"pen."},

    // Back references and the text's own act.
    {u"medesimo", Cat::Rinvio},
    {u"medesima", Cat::Rinvio},
    {u"medesimi", Cat::Rinvio},
    {u"medesime", Cat::Rinvio},
    {u"stesso", Cat::Rinvio},
    {u"stessa", Cat::Rinvio},
    {u"stessi", Cat::Rinvio},
    {u"stesse", Cat::Rinvio},
    {u"citato", Cat::Rinvio},
    {u"citata", Cat::Rinvio},
    {u"citati", Cat::Rinvio},
    {u"citate", Cat::Rinvio},
    {u"cit.", Cat::Rinvio, 1},
    {u"cit", Cat::Rinvio, 1},
    {u"predetto", Cat::Rinvio},
    {u"predetta", Cat::Rinvio},
    {u"suddetto", Cat::Rinvio},
    {u"suddetta", Cat::Rinvio},
    {u"ridetto", Cat::Rinvio},
    {u"ridetta", Cat::Rinvio},
    {u"richiamato", Cat::Rinvio},
    {u"richiamata", Cat::Rinvio},
    {u"menzionato", Cat::Rinvio},
    {u"menzionata", Cat::Rinvio},
    {u"succitato", Cat::Rinvio},
    {u"succitata", Cat::Rinvio},
    {u"anzidetto", Cat::Rinvio},
    {u"anzidetta", Cat::Rinvio},
    {u"presente", Cat::Presente},
    {u"testo unico", Cat::TestoUnico},
    {u"t.u.", Cat::TestoUnico},
    {u"approvato con", Cat::Approvato},
    {u"approvato dal", Cat::Approvato},
    {u"approvato col", Cat::Approvato},
    {u"emanato con", Cat::Approvato},
    {u"di cui al", Cat::Approvato},
    {u"di cui alla", Cat::Approvato},
    {u"di cui all'", Cat::Approvato},
    {u"causa", Cat::Causa},
    {u"cause", Cat::Causa},
    {u"cause riunite", Cat::Causa},
    {u"procedimento", Cat::Causa},
    {u"ric.", Cat::Ricorso},
    {u"ricorso", Cat::Ricorso},

    // Acts known by their name.
    {u"legge sul procedimento amministrativo", Cat::Nominato, 0, u"LIO", u"l.", u"1990-08-07;241"},
    {u"statuto dei lavoratori", Cat::Nominato, 0, u"LIO", u"l.", u"1970-05-20;300"},
    {u"legge fallimentare", Cat::Nominato, 0, u"LIO", u"r.d.", u"1942-03-16;267"},
    {u"l. fall.", Cat::Nominato, 0, u"LIO", u"r.d.", u"1942-03-16;267"},
    {u"l.fall.", Cat::Nominato, 0, u"LIO", u"r.d.", u"1942-03-16;267"},
    {u"legge pinto", Cat::Nominato, 0, u"LIO", u"l.", u"2001-03-24;89"},
    {u"testo unico bancario", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1993-09-01;385"},
    {u"t.u.b.", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1993-09-01;385"},
    {u"tub", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1993-09-01;385"},
    {u"testo unico della finanza", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1998-02-24;58"},
    {u"t.u.f.", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1998-02-24;58"},
    {u"tuf", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1998-02-24;58"},
    {u"testo unico degli enti locali", Cat::Nominato, 0, u"LIO", u"d.lg.", u"2000-08-18;267"},
    {u"t.u.e.l.", Cat::Nominato, 0, u"LIO", u"d.lg.", u"2000-08-18;267"},
    {u"tuel", Cat::Nominato, 0, u"LIO", u"d.lg.", u"2000-08-18;267"},
    {u"testo unico dell'edilizia", Cat::Nominato, 0, u"LIO", u"d.p.r.", u"2001-06-06;380"},
    {u"testo unico sull'immigrazione", Cat::Nominato, 0, u"LIO", u"d.lg.", u"1998-07-25;286"},
    {u"testo unico sul pubblico impiego", Cat::Nominato, 0, u"LIO", u"d.lg.", u"2001-03-30;165"},
    {u"legge notarile", Cat::Nominato, 0, u"LIO", u"l.", u"1913-02-16;89"},
    {u"legge sul divorzio", Cat::Nominato, 0, u"LIO", u"l.", u"1970-12-01;898"},

    // Places.
    {u"abruzzo", Cat::NomeRegione, 0, nullptr, u"AB"},
    {u"basilicata", Cat::NomeRegione, 0, nullptr, u"BA"},
    {u"calabria", Cat::NomeRegione, 0, nullptr, u"CL"},
    {u"campania", Cat::NomeRegione, 0, nullptr, u"CM"},
    {u"emilia-romagna", Cat::NomeRegione, 0, nullptr, u"ER"},
    {u"emilia romagna", Cat::NomeRegione, 0, nullptr, u"ER"},
    {u"friuli-venezia giulia", Cat::NomeRegione, 0, nullptr, u"FV"},
    {u"friuli venezia giulia", Cat::NomeRegione, 0, nullptr, u"FV"},
    {u"lazio", Cat::NomeRegione, 0, nullptr, u"LA"},
    {u"liguria", Cat::NomeRegione, 0, nullptr, u"LI"},
    {u"lombardia", Cat::NomeRegione, 0, nullptr, u"LO"},
    {u"marche", Cat::NomeRegione, 0, nullptr, u"MA"},
    {u"molise", Cat::NomeRegione, 0, nullptr, u"MO"},
    {u"piemonte", Cat::NomeRegione, 0, nullptr, u"PI"},
    {u"puglia", Cat::NomeRegione, 0, nullptr, u"PU"},
    {u"sardegna", Cat::NomeRegione, 0, nullptr, u"SA"},
    {u"sicilia", Cat::NomeRegione, 0, nullptr, u"SI"},
    {u"siciliana", Cat::NomeRegione, 0, nullptr, u"SI"},
    {u"toscana", Cat::NomeRegione, 0, nullptr, u"TO"},
    {u"trentino-alto adige", Cat::NomeRegione, 0, nullptr, u"TA"},
    {u"trentino alto adige", Cat::NomeRegione, 0, nullptr, u"TA"},
    {u"umbria", Cat::NomeRegione, 0, nullptr, u"UM"},
    {u"valle d'aosta", Cat::NomeRegione, 0, nullptr, u"VA"},
    {u"veneto", Cat::NomeRegione, 0, nullptr, u"VE"},
    {u"lombarda", Cat::NomeRegione, 0, nullptr, u"LO"},
    {u"campana", Cat::NomeRegione, 0, nullptr, u"CM"},
    {u"sarda", Cat::NomeRegione, 0, nullptr, u"SA"},
    {u"veneta", Cat::NomeRegione, 0, nullptr, u"VE"},
    {u"pugliese", Cat::NomeRegione, 0, nullptr, u"PU"},
    {u"calabrese", Cat::NomeRegione, 0, nullptr, u"CL"},
    {u"ligure", Cat::NomeRegione, 0, nullptr, u"LI"},
    {u"piemontese", Cat::NomeRegione, 0, nullptr, u"PI"},
    {u"bolzano", Cat::NomeProvincia, 0, nullptr, u"BZ"},
    {u"trento", Cat::NomeProvincia, 0, nullptr, u"TN"},

    // Connecting words.
    {u"del", Cat::Connettivo},
    {u"della", Cat::Connettivo},
    {u"dello", Cat::Connettivo},
    {u"dei", Cat::Connettivo},
    {u"degli", Cat::Connettivo},
    {u"delle", Cat::Connettivo},
    {u"dell'", Cat::Connettivo},
    {u"dell", Cat::Connettivo},
    {u"di", Cat::Connettivo},
    {u"al", Cat::Connettivo},
    {u"alla", Cat::Connettivo},
    {u"allo", Cat::Connettivo},
    {u"ai", Cat::Connettivo},
    {u"agli", Cat::Connettivo},
    {u"alle", Cat::Connettivo},
    {u"all'", Cat::Connettivo},
    {u"dal", Cat::Connettivo},
    {u"dalla", Cat::Connettivo},
    {u"dallo", Cat::Connettivo},
    {u"dai", Cat::Connettivo},
    {u"dagli", Cat::Connettivo},
    {u"dalle", Cat::Connettivo},
    {u"dall'", Cat::Connettivo},
    {u"nel", Cat::Connettivo},
    {u"nella", Cat::Connettivo},
    {u"nello", Cat::Connettivo},
    {u"nell'", Cat::Connettivo},
    {u"e", Cat::Congiunzione},
    {u"ed", Cat::Congiunzione},
    {u"nonché", Cat::Congiunzione},
    {u"nonche'", Cat::Congiunzione},

    // Months and ordinals.
    {u"gennaio", Cat::Mese, 1},
    {u"febbraio", Cat::Mese, 2},
    {u"marzo", Cat::Mese, 3},
    {u"aprile", Cat::Mese, 4},
    {u"maggio", Cat::Mese, 5},
    {u"giugno", Cat::Mese, 6},
    {u"luglio", Cat::Mese, 7},
    {u"agosto", Cat::Mese, 8},
    {u"settembre", Cat::Mese, 9},
    {u"ottobre", Cat::Mese, 10},
    {u"novembre", Cat::Mese, 11},
    {u"dicembre", Cat::Mese, 12},
    {u"primo", Cat::Ordinale, 1},
    {u"prima", Cat::Ordinale, 1},
    {u"secondo", Cat::Ordinale, 2},
    {u"seconda", Cat::Ordinale, 2},
    {u"terzo", Cat::Ordinale, 3},
    {u"terza", Cat::Ordinale, 3},
    {u"quarto", Cat::Ordinale, 4},
    {u"quarta", Cat::Ordinale, 4},
    {u"quinto", Cat::Ordinale, 5},
    {u"quinta", Cat::Ordinale, 5},
    {u"sesto", Cat::Ordinale, 6},
    {u"sesta", Cat::Ordinale, 6},
    {u"settimo", Cat::Ordinale, 7},
    {u"settima", Cat::Ordinale, 7},
    {u"ottavo", Cat::Ordinale, 8},
    {u"ottava", Cat::Ordinale, 8},
    {u"nono", Cat::Ordinale, 9},
    {u"nona", Cat::Ordinale, 9},
    {u"decimo", Cat::Ordinale, 10},
    {u"decima", Cat::Ordinale, 10},
    {u"undicesimo", Cat::Ordinale, 11},
    {u"dodicesimo", Cat::Ordinale, 12},

    // What is not a source, though numbered like one.
    {u"registro", Cat::Negativo},
    {u"reg. ord.", Cat::Negativo},
    {u"r.o.", Cat::Negativo},
    {u"r.g.", Cat::Negativo},
    {u"rg.", Cat::Negativo},
    {u"r.g.n.r.", Cat::Negativo},
    {u"gazzetta", Cat::Negativo},
    {u"gazzetta ufficiale", Cat::Negativo},
    {u"g.u.", Cat::Negativo},
    {u"g. u.", Cat::Negativo},
    {u"gu", Cat::Negativo},
    {u"guue", Cat::Negativo},
    {u"b.u.r.", Cat::Negativo},
    {u"bur", Cat::Negativo},
    {u"bollettino ufficiale", Cat::Negativo},
    {u"supplemento ordinario", Cat::Negativo},
    {u"s.o.", Cat::Negativo},
    {u"prot.", Cat::Negativo},
    {u"mass.", Cat::Negativo},
};

struct FraseLessico {
    QStringList forme;
    const Voce* voce;
};

struct Indice {
    QList<FraseLessico> frasi;
    QHash<QString, QList<int>> perPrima; // phrases by their first form

    Indice() {
        for (const Voce& v : kVoci) {
            QString forme;
            const QString testo = QString::fromUtf16(v.frase);
            FraseLessico f{{}, &v};
            for (const Token& t : Tokenizza(testo, forme))
                f.forme << t.forma.toString();
            perPrima[f.forme.first()].append(static_cast<int>(frasi.size()));
            frasi.append(std::move(f));
        }
    }
};

const Indice& indice() {
    static const Indice i;
    return i;
}

} // namespace

Frase CercaFrase(const QList<Token>& token, int i) {
    if (i < 0 || i >= token.size())
        return {};
    const Indice& x = indice();
    const auto candidati = x.perPrima.constFind(token.at(i).forma.toString());
    if (candidati == x.perPrima.cend())
        return {};
    Frase migliore;
    for (const int k : *candidati) {
        const FraseLessico& f = x.frasi.at(k);
        const int n = static_cast<int>(f.forme.size());
        int letti = 1;
        while (letti < n && i + letti < token.size() && !token.at(i + letti).rigaVuota &&
               token.at(i + letti).forma == f.forme.at(letti))
            ++letti;
        // The final dot of an abbreviation of several letters may be missing ("d.lgs").
        const bool completo = letti == n || (letti == n - 1 && n > 3 && f.forme.last() == u".");
        if (completo && i + letti > migliore.fine)
            migliore = {f.voce, i + letti};
    }
    return migliore;
}

} // namespace lessico
