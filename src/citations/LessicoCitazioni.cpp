#include "citations/LessicoCitazioni.h"

#include "store/DataFolder.h"

#include <QDate>
#include <QFile>
#include <QHash>

#include <deque>

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
    {u"article", Cat::Articolo},
    {u"articles", Cat::Articolo, 1},
    {u"comma", Cat::Comma},
    {u"commi", Cat::Comma, 1},
    {u"co.", Cat::Comma},
    {u"cc.", Cat::Comma, 1},
    {u"com.", Cat::Comma},
    {u"c.", Cat::Comma},
    {u"paragrafo", Cat::Paragrafo},
    {u"paragrafi", Cat::Paragrafo, 1},
    {u"paragraph", Cat::Paragrafo},
    {u"paragraphs", Cat::Paragrafo, 1},
    {u"para.", Cat::Paragrafo},
    {u"par.", Cat::Paragrafo},
    {u"parr.", Cat::Paragrafo, 1},
    {u"§", Cat::Paragrafo},
    {u"§§", Cat::Paragrafo, 1},
    {u"lett.", Cat::Lettera},
    {u"lett", Cat::Lettera},
    {u"lettera", Cat::Lettera},
    {u"lettere", Cat::Lettera},
    {u"n.", Cat::Numero},
    {u"nn.", Cat::Numero, 1},
    {u"n°", Cat::Numero},
    {u"n.°", Cat::Numero},
    {u"n", Cat::Numero},
    {u"no.", Cat::Numero},
    {u"no", Cat::Numero},
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
    {u"law", Cat::Atto, 0, u"LIO", u"l."},
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
    {u"dl", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"decree-law", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"decree law", Cat::Atto, 0, u"LIO", u"d.l."},
    {u"decreto legislativo", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"decreti legislativi", Cat::Atto, 1, u"LIO", u"d.lg."},
    {u"d.lgs.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.lg.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.leg.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"dlgs", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.legisl.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.l.vo", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.l.vo.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.lvo", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"d.lgvo", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"dlg", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"dlgs.", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"legislative decree", Cat::Atto, 0, u"LIO", u"d.lg."},
    {u"decreto del presidente della repubblica", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"decreti del presidente della repubblica", Cat::Atto, 1, u"LIO", u"d.p.r."},
    {u"d.p.r.", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"dpr", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"dpr.", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"presidential decree", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"d.pres.rep.", Cat::Atto, 0, u"LIO", u"d.p.r."},
    {u"regio decreto", Cat::Atto, 0, u"LIO", u"r.d."},
    {u"r.d.", Cat::Atto, 0, u"LIO", u"r.d."},
    {u"regio decreto-legge", Cat::Atto, 0, u"LIO", u"r.d.l."},
    {u"regio decreto legge", Cat::Atto, 0, u"LIO", u"r.d.l."},
    {u"r.d.l.", Cat::Atto, 0, u"LIO", u"r.d.l."},
    {u"regio decreto legislativo", Cat::Atto, 0, u"LIO", u"r.d.lg."},
    {u"r.d.lgs.", Cat::Atto, 0, u"LIO", u"r.d.lg."},
    {u"r.d.lg.", Cat::Atto, 0, u"LIO", u"r.d.lg."},
    {u"rd", Cat::Atto, 0, u"LIO", u"r.d."},
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
    {u"dd.mm.", Cat::Atto, 1, u"LIOA", u"d.m."},
    {u"d.d.m.m.", Cat::Atto, 1, u"LIOA", u"d.m."},
    {u"ministerial decree", Cat::Atto, 0, u"LIOA", u"d.m."},
    {u"decreto del ministro", Cat::Atto, 2, u"LIOA", u"d.m."},
    {u"decreto del ministero", Cat::Atto, 2, u"LIOA", u"d.m."},
    {u"decreto interministeriale", Cat::Atto, 0, u"LIOA", u"d.i."},
    // Acts of independent authorities and administrations, with their number: the authority's
    // name may stand between the kind and the number ("delibera ANAC n. 833/2016").
    {u"delibera", Cat::Atto, 2, u"LIOA", u"delib."},
    {u"deliberazione", Cat::Atto, 2, u"LIOA", u"delib."},
    {u"delib.", Cat::Atto, 2, u"LIOA", u"delib."},
    {u"delibere", Cat::Atto, 1, u"LIOA", u"delib."},
    {u"deliberazioni", Cat::Atto, 1, u"LIOA", u"delib."},
    {u"circolare", Cat::Atto, 2, u"LIOA", u"circ."},
    {u"circ.", Cat::Atto, 2, u"LIOA", u"circ."},
    {u"circolari", Cat::Atto, 1, u"LIOA", u"circ."},
    {u"determinazione", Cat::Atto, 2, u"LIOA", u"det."},
    {u"determinazioni", Cat::Atto, 1, u"LIOA", u"det."},
    {u"determina", Cat::Atto, 2, u"LIOA", u"det."},
    {u"risoluzione", Cat::Atto, 2, u"LIOA", u"risol."},
    {u"ris.", Cat::Atto, 2, u"LIOA", u"risol."},
    {u"messaggio", Cat::Atto, 2, u"LIOA", u"msg."},
    {u"messaggi", Cat::Atto, 1, u"LIOA", u"msg."},
    {u"provvedimento", Cat::Atto, 2, u"LIOA", u"provv."},
    {u"provvedimento generale", Cat::Atto, 2, u"LIOA", u"provv."},
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
    {u"directive", Cat::AttoUe, UeDirettiva},
    {u"regulation", Cat::AttoUe, UeRegolamento},
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
    {u"(eu)", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"(ec)", Cat::QualificaUe, 0, nullptr, u"CE"},
    {u"(eec)", Cat::QualificaUe, 0, nullptr, u"CEE"},
    {u"eec", Cat::QualificaUe, 0, nullptr, u"CEE"},
    {u"euratom", Cat::QualificaUe, 0, nullptr, u"CE"},
    {u"gai", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"pesc", Cat::QualificaUe, 0, nullptr, u"UE"},
    {u"del parlamento europeo e del consiglio", Cat::OrganoUe},
    {u"del consiglio", Cat::OrganoUe},
    {u"della commissione", Cat::OrganoUe},
    {u"del parlamento europeo", Cat::OrganoUe},
    {u"dell'unione europea", Cat::Ue},
    {u"of the european parliament and of the council", Cat::OrganoUe},
    {u"of the council", Cat::OrganoUe},
    {u"of the commission", Cat::OrganoUe},
    {u"dell'unione", Cat::Ue},
    {u"delle comunità europee", Cat::Ue},

    // The Constitution, the codes, the treaties and the acts known by name are read from
    // share/quillaro/atti_nominati.tsv (LeggiAttiNominati), so that the centre can add to them.
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
    {u"corte eur.", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"c. eur.", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"european court of human rights", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"ecthr", Cat::Corte, CorteSuprema, u"GEI", u"C. eur. dir. uomo"},
    {u"constitutional court", Cat::Corte, CorteSuprema, u"GICO", u"C. Cost."},
    {u"court of cassation", Cat::Corte, CorteSuprema, u"GICA", u"Cass."},
    {u"sentenza", Cat::TipoDecisione, DecisioneSentenza},
    {u"sentenze", Cat::TipoDecisione, DecisioneSentenza},
    {u"sent.", Cat::TipoDecisione, DecisioneSentenza},
    {u"judgment", Cat::TipoDecisione, DecisioneSentenza},
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
    {u"gr. camera", Cat::SezioneNominata, 0, nullptr, u"Grande Camera"},
    {u"gr. cam.", Cat::SezioneNominata, 0, nullptr, u"Grande Camera"},
    {u"grand chamber", Cat::SezioneNominata, 0, nullptr, u"Grande Camera"},
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
    {u"alto adige", Cat::NomeProvincia, 0, nullptr, u"BZ"},
    {u"südtirol", Cat::NomeProvincia, 0, nullptr, u"BZ"},
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
    {u"of", Cat::Connettivo},
    {u"of the", Cat::Connettivo},
    {u"e", Cat::Congiunzione},
    {u"ed", Cat::Congiunzione},
    {u"nonché", Cat::Congiunzione},
    {u"and", Cat::Congiunzione},
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
    {u"january", Cat::Mese, 1},
    {u"february", Cat::Mese, 2},
    {u"march", Cat::Mese, 3},
    {u"april", Cat::Mese, 4},
    {u"may", Cat::Mese, 5},
    {u"june", Cat::Mese, 6},
    {u"july", Cat::Mese, 7},
    {u"august", Cat::Mese, 8},
    {u"september", Cat::Mese, 9},
    {u"october", Cat::Mese, 10},
    {u"november", Cat::Mese, 11},
    {u"december", Cat::Mese, 12},
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

// The entries read from the data file: their texts and entries kept here, at fixed addresses.
struct VociLette {
    std::deque<QString> testi;
    std::deque<Voce> voci;

    const char16_t* tieni(const QString& s) {
        if (s.isEmpty())
            return nullptr;
        testi.push_back(s);
        return reinterpret_cast<const char16_t*>(testi.back().utf16());
    }
};

struct Indice {
    QList<FraseLessico> frasi;
    QHash<QString, QList<int>> perPrima; // phrases by their first form
    VociLette lette;

    void aggiungi(const Voce& v) {
        QString forme;
        const QString testo = QString::fromUtf16(v.frase);
        FraseLessico f{{}, &v};
        for (const Token& t : Tokenizza(testo, forme))
            f.forme << t.forma.toString();
        if (f.forme.isEmpty())
            return;
        perPrima[f.forme.first()].append(static_cast<int>(frasi.size()));
        frasi.append(std::move(f));
    }

    Indice() {
        for (const Voce& v : kVoci)
            aggiungi(v);
        QFile file(dataFilePath(QStringLiteral("atti_nominati.tsv")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return;
        for (const VoceNominata& n : LeggiAttiNominati(QString::fromUtf8(file.readAll()))) {
            Voce v;
            v.frase = lette.tieni(n.frase);
            v.cat = n.cat;
            v.TP = lette.tieni(n.TP);
            v.nome = lette.tieni(n.nome);
            v.extra = lette.tieni(n.extra);
            lette.voci.push_back(v);
            aggiungi(lette.voci.back());
        }
    }
};

const Indice& indice() {
    static const Indice i;
    return i;
}

} // namespace

QList<VoceNominata> LeggiAttiNominati(const QString& testo) {
    QList<VoceNominata> out;
    for (const QStringView riga : QStringView(testo).split(u'\n')) {
        const QStringView r = riga.trimmed();
        if (r.isEmpty() || r.startsWith(u'#'))
            continue;
        const QList<QStringView> c = riga.split(u'\t');
        const auto colonna = [&c](int k) { return k < c.size() ? c.at(k).trimmed().toString() : QString(); };
        VoceNominata v;
        v.frase = colonna(0).toLower();
        const QString classe = colonna(1);
        v.TP = colonna(2);
        v.nome = colonna(3);
        if (v.frase.isEmpty())
            continue;
        if (classe == u"costituzione") {
            v.cat = Cat::Costituzione;
        } else if (classe == u"codice" && !v.nome.isEmpty()) {
            v.cat = Cat::Codice;
            v.TP.clear();
        } else if (classe == u"trattato" && !v.TP.isEmpty() && !v.nome.isEmpty()) {
            v.cat = Cat::Trattato;
        } else if (classe == u"atto" && !v.TP.isEmpty() && !v.nome.isEmpty()) {
            // The date as the reader takes it ("1990-08-07;241"): a row without a valid one is left out.
            const QDate d = QDate::fromString(colonna(4), Qt::ISODate);
            const QString numero = colonna(5);
            if (!d.isValid() || numero.isEmpty())
                continue;
            v.cat = Cat::Nominato;
            v.extra = d.toString(Qt::ISODate) + u';' + numero;
        } else {
            continue;
        }
        out << v;
    }
    return out;
}

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
