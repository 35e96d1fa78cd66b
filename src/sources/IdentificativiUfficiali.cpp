#include "sources/IdentificativiUfficiali.h"

#include "sources/PaginaFonte.h"
#include "store/DocumentBuffer.h"
#include "store/HomeFolder.h"
#include "store/mdlGlobale.h"

#include <QDate>
#include <QHash>
#include <optional>

namespace {

// Acts of the State by the name the domestic dialog lists them with ("Atti statali aventi forza di
// legge"): the kind of measure in the URN. Only the kinds whose URN names are fixed by the
// standard; the others (d.p.c.m., decrees of the lieutenancy, ...) get none.
const QHash<QString, QString>& attiStatali() {
    static const QHash<QString, QString> a = {
        {QStringLiteral("l."), QStringLiteral("legge")},
        {QStringLiteral("d.l."), QStringLiteral("decreto.legge")},
        {QStringLiteral("d.lg."), QStringLiteral("decreto.legislativo")},
        {QStringLiteral("d.p.r."), QStringLiteral("decreto.del.presidente.della.repubblica")},
        {QStringLiteral("r.d."), QStringLiteral("regio.decreto")},
        {QStringLiteral("r.d.l."), QStringLiteral("regio.decreto.legge")},
    };
    return a;
}

// The Constitution and the codes, each through the act that approved it as Normattiva publishes it;
// a trailing ":n" is the annex that holds the code's own articles.
const QHash<QString, QString>& codici() {
    static const QHash<QString, QString> c = {
        {QStringLiteral("Cost."), QStringLiteral("stato:costituzione:1947-12-27")},
        {QStringLiteral("c.c."), QStringLiteral("stato:regio.decreto:1942-03-16;262:2")},
        {QStringLiteral("disp. prel. c.c."), QStringLiteral("stato:regio.decreto:1942-03-16;262:1")},
        {QStringLiteral("disp. att. c.c."), QStringLiteral("stato:regio.decreto:1942-03-30;318:1")},
        {QStringLiteral("c.p."), QStringLiteral("stato:regio.decreto:1930-10-19;1398:1")},
        {QStringLiteral("c.p.c."), QStringLiteral("stato:regio.decreto:1940-10-28;1443:1")},
        {QStringLiteral("disp. att. c.p.c."), QStringLiteral("stato:regio.decreto:1941-12-18;1368:1")},
        {QStringLiteral("c.p.p."),
         QStringLiteral("stato:decreto.del.presidente.della.repubblica:1988-09-22;447")},
        {QStringLiteral("disp. att. c.p.p."), QStringLiteral("stato:decreto.legislativo:1989-07-28;271")},
        {QStringLiteral("c. nav."), QStringLiteral("stato:regio.decreto:1942-03-30;327:1")},
        {QStringLiteral("c. strada"), QStringLiteral("stato:decreto.legislativo:1992-04-30;285")},
        {QStringLiteral("c. consumo"), QStringLiteral("stato:decreto.legislativo:2005-09-06;206")},
        {QStringLiteral("c. privacy"), QStringLiteral("stato:decreto.legislativo:2003-06-30;196")},
        {QStringLiteral("c. amb."), QStringLiteral("stato:decreto.legislativo:2006-04-03;152")},
        {QStringLiteral("c. assicurazioni"), QStringLiteral("stato:decreto.legislativo:2005-09-07;209")},
        {QStringLiteral("c. propr. ind."), QStringLiteral("stato:decreto.legislativo:2005-02-10;30")},
        {QStringLiteral("c. beni cult."), QStringLiteral("stato:decreto.legislativo:2004-01-22;42")},
        {QStringLiteral("c. crisi impresa"), QStringLiteral("stato:decreto.legislativo:2019-01-12;14")},
        {QStringLiteral("c. comun. elettr."), QStringLiteral("stato:decreto.legislativo:2003-08-01;259")},
        {QStringLiteral("c. amm. digitale"), QStringLiteral("stato:decreto.legislativo:2005-03-07;82")},
        {QStringLiteral("c. pari opportunità"), QStringLiteral("stato:decreto.legislativo:2006-04-11;198")},
        {QStringLiteral("c. antimafia"), QStringLiteral("stato:decreto.legislativo:2011-09-06;159")},
        {QStringLiteral("c. ord. mil."), QStringLiteral("stato:decreto.legislativo:2010-03-15;66")},
        {QStringLiteral("c. giust. contabile"), QStringLiteral("stato:decreto.legislativo:2016-08-26;174:1")},
        {QStringLiteral("c. terzo settore"), QStringLiteral("stato:decreto.legislativo:2017-07-03;117")},
        {QStringLiteral("c. protezione civile"), QStringLiteral("stato:decreto.legislativo:2018-01-02;1")},
        {QStringLiteral("c. nautica diporto"), QStringLiteral("stato:decreto.legislativo:2005-07-18;171")},
    };
    return c;
}

// EU acts by their name in tabFonteCom: the ELI type.
const QHash<QString, QString>& attiUe() {
    static const QHash<QString, QString> a = {
        {QStringLiteral("Reg. CEE"), QStringLiteral("reg")},
        {QStringLiteral("Reg. CE"), QStringLiteral("reg")},
        {QStringLiteral("Reg. UE"), QStringLiteral("reg")},
        {QStringLiteral("Reg. delegato UE"), QStringLiteral("reg_del")},
        {QStringLiteral("Reg. esecuzione UE"), QStringLiteral("reg_impl")},
        {QStringLiteral("Dir. CEE"), QStringLiteral("dir")},
        {QStringLiteral("Dir. CE"), QStringLiteral("dir")},
        {QStringLiteral("Dir. UE"), QStringLiteral("dir")},
        {QStringLiteral("Dir. delegata UE"), QStringLiteral("dir_del")},
        {QStringLiteral("Dec. CEE"), QStringLiteral("dec")},
        {QStringLiteral("Dec. CE"), QStringLiteral("dec")},
        {QStringLiteral("Dec. UE"), QStringLiteral("dec")},
    };
    return a;
}

bool cifre(const QString& testo) {
    if (testo.isEmpty())
        return false;
    for (QChar c : testo)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// A number as typed (the zeros on the left are allowed and dropped); empty when it is not a
// whole number above zero.
QString numero(const QString& testo) {
    QString n = testo.trimmed();
    if (!cifre(n))
        return {};
    while (n.size() > 1 && n.front() == u'0')
        n.remove(0, 1);
    return n == u"0" ? QString() : n;
}

// A year of four digits.
QString anno(const QString& testo) {
    const QString a = testo.trimmed();
    return a.size() == 4 && cifre(a) && a.front() != u'0' ? a : QString();
}

// "YYYY-MM-DD" from day, month name and year; empty unless all three make a real date.
QString data(const VoceFonte& v) {
    const QString a = anno(v.anno);
    const QString g = numero(v.giorno);
    const int m = MeseNumero(v.mese.trimmed()).toInt();
    if (a.isEmpty() || g.isEmpty() || g.size() > 2 || m == 0)
        return {};
    const QDate d(a.toInt(), m, g.toInt());
    if (!d.isValid())
        return {};
    return a + u'-' + QString::number(m).rightJustified(2, u'0') + u'-' + g.rightJustified(2, u'0');
}

// The article partition "~art<N><suffix>": empty text when the source names no article; nothing
// when the article is not a plain number or its suffix is not one the legislation spells one way.
std::optional<QString> articolo(const VoceFonte& v) {
    const QString art = v.articolo.trimmed();
    const QString suffisso = v.ripa.trimmed();
    if (art.isEmpty())
        return suffisso.isEmpty() ? std::optional<QString>(QString()) : std::nullopt;
    const QString n = numero(art);
    if (n.isEmpty())
        return std::nullopt;
    // From the eighteenth on acts differ ("octiesdecies" or "duodevicies"): no certain form.
    if (!suffisso.isEmpty() && !SuffissiRipartizione().mid(0, 16).contains(suffisso))
        return std::nullopt;
    return QStringLiteral("~art") + n + suffisso;
}

// The Constitutional Court numbers its decisions by the year they are deposited, weeks after they
// are taken: a decision of the last months of a year with a low number was deposited, and
// numbered, in the next one ("C. Cost. 4 dicembre 2013, n. 1" is 1/2014). Its year is uncertain.
bool annoDiDepositoIncerto(const VoceFonte& v, const QString& numero) {
    const int mese = MeseNumero(v.mese.trimmed()).toInt();
    return mese >= 10 && numero.toInt() <= 100;
}

IdentificativoUfficiale urn(const QString& atto, const VoceFonte& v) {
    // An article of an annex is not the article of the act: which annex is not certain.
    if (!v.allegato.trimmed().isEmpty())
        return {};
    const std::optional<QString> art = articolo(v);
    if (!art)
        return {};
    return {TipoIdentificativo::Urn, QStringLiteral("urn:nir:") + atto + *art, {}};
}

IdentificativoUfficiale attoStatale(const QString& tipo, const VoceFonte& v) {
    const QString d = data(v);
    const QString n = numero(v.numero);
    if (d.isEmpty() || n.isEmpty())
        return {};
    return urn(QStringLiteral("stato:") + tipo + u':' + d + u';' + n, v);
}

} // namespace

bool DataImpossibile(const QString& TP, const QString& nome, const QString& testoAnno) {
    const QString a = anno(testoAnno);
    if (a.isEmpty())
        return false;
    const int y = a.toInt();
    if (TP == u"LIO" || TP == u"LICO") {
        // The State's acts begin with the Kingdom of Italy; the King's decrees end with the
        // monarchy, the President's begin with the Constitution.
        if (y < 1861)
            return true;
        if (nome == u"r.d." || nome == u"r.d.l.")
            return y > 1946;
        if (nome == u"d.p.r.")
            return y < 1948;
        return false;
    }
    if (TP == u"NIC") {
        const auto tipo = attiUe().constFind(nome);
        // Delegated and implementing acts exist since the Treaty of Lisbon.
        return tipo != attiUe().cend() && (tipo->endsWith(u"_del") || tipo->endsWith(u"_impl")) && y < 2009;
    }
    return false;
}

IdentificativoUfficiale ComponiIdentificativo(const VoceFonte& v) {
    const QString& nome = v.NomeFonte;
    if (DataImpossibile(v.TP, nome, v.anno))
        return {TipoIdentificativo::Nessuno, {}, MotivoDataImpossibile()};
    if (v.TP == u"LIO") {
        const auto tipo = attiStatali().constFind(nome);
        return tipo == attiStatali().cend() ? IdentificativoUfficiale{} : attoStatale(*tipo, v);
    }
    if (v.TP == u"LICO")
        return nome == u"l. cost." ? attoStatale(QStringLiteral("legge.costituzionale"), v)
                                   : IdentificativoUfficiale{};
    if (v.TP == u"LIC") {
        const auto codice = codici().constFind(nome);
        return codice == codici().cend() ? IdentificativoUfficiale{} : urn(*codice, v);
    }
    if (v.TP == u"GICO") {
        // Decrees are not among the numbered decisions.
        const QString a = anno(v.anno);
        const QString n = numero(v.numero);
        if (v.Decreto || a.isEmpty() || n.isEmpty())
            return {};
        if (annoDiDepositoIncerto(v, n))
            return {
                TipoIdentificativo::Nessuno,
                {},
                QStringLiteral("anno di deposito incerto: una decisione di fine anno con un numero basso è "
                               "numerata nell'anno seguente")};
        return {TipoIdentificativo::Ecli, QStringLiteral("ECLI:IT:COST:") + a + u':' + n, {}};
    }
    if (v.TP == u"NIC") {
        const auto tipo = attiUe().constFind(nome);
        const QString a = anno(v.anno);
        const QString n = numero(v.numero);
        if (tipo == attiUe().cend() || a.isEmpty() || n.isEmpty())
            return {};
        return {TipoIdentificativo::Eli,
                radiceEli() + QStringLiteral("/eli/") + *tipo + u'/' + a + u'/' + n + QStringLiteral("/oj"),
                {}};
    }
    return {};
}

bool FamigliaConIdentificativo(const QString& TP) {
    return TP == u"LIO" || TP == u"LICO" || TP == u"LIC" || TP == u"GICO" || TP == u"NIC";
}

QString CodiceDellAtto(const QString& nome, const QString& data, const QString& numero) {
    const auto tipo = attiStatali().constFind(nome);
    if (tipo == attiStatali().cend() || data.isEmpty() || numero.isEmpty())
        return {};
    const QString atto = QStringLiteral("stato:") + *tipo + u':' + data + u';' + numero;
    QString trovato;
    for (auto it = codici().cbegin(); it != codici().cend(); ++it) {
        // The annex after the number (":2") is where the code's articles are, not another act.
        const QString& urn = it.value();
        const qsizetype annesso = urn.indexOf(u':', urn.indexOf(u';'));
        if ((annesso < 0 ? urn : urn.left(annesso)) != atto)
            continue;
        if (!trovato.isEmpty())
            return {};
        trovato = it.key();
    }
    return trovato;
}

QString IndirizzoUfficiale(const IdentificativoUfficiale& id, const Settings& settings) {
    switch (id.tipo) {
    case TipoIdentificativo::Urn:
        return settings.normattivaBase + QStringLiteral("/uri-res/N2Ls?") + id.testo;
    case TipoIdentificativo::Eli:
        return settings.eliBase + id.testo.mid(radiceEli().size());
    case TipoIdentificativo::Ecli:
        return settings.cortecostituzionaleBase + QStringLiteral("/actionSchedaPronuncia.do?param_ecli=") +
               id.testo;
    case TipoIdentificativo::Nessuno:
        break;
    }
    return {};
}

QString IndirizzoFonteCorrente(const DocumentBuffer& buffer, const Settings& settings) {
    if (buffer.IndiceFonte < 0 || buffer.IndiceFonte >= buffer.ElencoFonti.size())
        return {};
    return IndirizzoUfficiale(ComponiIdentificativo(buffer.ElencoFonti.at(buffer.IndiceFonte)), settings);
}
