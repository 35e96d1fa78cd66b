#pragma once

// The hand-annotated passages of the shared fixtures (citations/: passages, gold lines,
// negatives, and the parts in its subfolders) and how the recogniser is scored on them.
// A citation finds a gold line when its span overlaps the line's and it names the same source:
// kind, code, article, number and year. It is exact when, besides, suffix, paragraph, letter and,
// where the gold line gives them, date, section and region agree. Precision and recall count the
// citations that find a line; exactness is the share of those that are exact; "giuste" are the
// exact ones. Each citation answers for one gold line at most, an exact one first.

#include "citations/Citazioni.h"
#include "sources/PaginaFonte.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>

namespace oro {

struct Passaggio {
    QString id;
    QString testo;
};

struct Riga {
    QString passaggio;
    QString span;
    qsizetype inizio = 0; // code points
    qsizetype fine = 0;
    QString tipo; // legge, decreto.legislativo, costituzione, cassazione, ...
    QString articolo, suffisso, comma, lettera, data, numero, codice, regione, sezione;
    int anno = 0;
    QString nota;
    bool self = false;
    bool incerta = false;
    bool nominato = false;
    bool rinvio = false;
    bool inglese = false;
};

struct Negativo {
    QString passaggio;
    QString span;
    qsizetype inizio = 0;
    qsizetype fine = 0;
    QString perche;
};

inline QList<QJsonObject> righeJson(const QString& path) {
    QList<QJsonObject> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (!riga.trimmed().isEmpty())
            out << QJsonDocument::fromJson(riga).object();
    return out;
}

inline QString testo(const QJsonObject& o, const char* chiave) {
    const QJsonValue v = o.value(QLatin1String(chiave));
    if (v.isDouble())
        return QString::number(v.toInt());
    return v.toString();
}

inline QList<Passaggio> passaggi(const QString& cartella) {
    QList<Passaggio> out;
    for (const QJsonObject& o : righeJson(cartella + QStringLiteral("/passages.jsonl")))
        out << Passaggio{testo(o, "id"), testo(o, "text")};
    return out;
}

inline QList<Riga> oro(const QString& cartella) {
    QList<Riga> out;
    for (const QJsonObject& o : righeJson(cartella + QStringLiteral("/annotations.jsonl"))) {
        Riga r;
        r.passaggio = testo(o, "passage");
        r.span = testo(o, "text_span");
        r.inizio = o.value(QLatin1String("start")).toInt();
        r.fine = o.value(QLatin1String("end")).toInt();
        r.tipo = testo(o, "kind");
        r.articolo = testo(o, "article");
        r.suffisso = testo(o, "article_suffix");
        r.comma = testo(o, "paragraph");
        r.lettera = testo(o, "letter");
        r.data = testo(o, "date");
        r.anno = o.value(QLatin1String("year")).toInt();
        r.numero = testo(o, "number");
        r.codice = testo(o, "code");
        r.regione = testo(o, "region");
        r.sezione = testo(o, "section");
        r.self = o.value(QLatin1String("self")).toBool();
        r.incerta = o.value(QLatin1String("uncertain")).toBool();
        r.nota = testo(o, "note");
        r.nominato = o.value(QLatin1String("named")).toBool();
        r.rinvio = o.contains(QLatin1String("resolves_to_start")) || !testo(o, "resolves_to").isEmpty();
        r.inglese = testo(o, "lang") == u"en";
        out << r;
    }
    return out;
}

inline QList<Negativo> negativi(const QString& cartella) {
    QList<Negativo> out;
    for (const QJsonObject& o : righeJson(cartella + QStringLiteral("/negatives.jsonl")))
        out << Negativo{testo(o, "passage"), testo(o, "text_span"), o.value(QLatin1String("start")).toInt(),
                        o.value(QLatin1String("end")).toInt(), testo(o, "why")};
    return out;
}

// The gold kind of a citation, from its family and name.
inline QString tipo(const Citazione& c) {
    const QString& n = c.nome;
    if (c.TP == u"LIO") {
        if (n == u"l.")
            return QStringLiteral("legge");
        if (n == u"d.l.")
            return QStringLiteral("decreto.legge");
        if (n == u"d.lg.")
            return QStringLiteral("decreto.legislativo");
        if (n == u"d.p.r.")
            return QStringLiteral("dpr");
        if (n == u"r.d." || n == u"r.d.l." || n == u"r.d.lg.")
            return QStringLiteral("regio.decreto");
        return QStringLiteral("altro");
    }
    if (c.TP == u"LICO")
        return QStringLiteral("legge.costituzionale");
    if (c.TP == u"LIC")
        return n == u"Cost." ? QStringLiteral("costituzione") : QStringLiteral("codice");
    if (c.TP == u"LIR" || c.TP == u"LIP")
        return QStringLiteral("legge.regionale");
    if (c.TP == u"LIOA")
        return n == u"d.m." ? QStringLiteral("dm") : QStringLiteral("altro");
    if (c.TP == u"NIC") {
        if (n.startsWith(QStringLiteral("Reg.")))
            return QStringLiteral("ue.regolamento");
        if (n.startsWith(QStringLiteral("Dir.")))
            return QStringLiteral("ue.direttiva");
        if (n.startsWith(QStringLiteral("Dec.")))
            return QStringLiteral("ue.decisione");
        return QStringLiteral("trattato");
    }
    if (c.TP == u"NIT")
        return QStringLiteral("trattato");
    if (c.TP == u"GICO")
        return c.ordinanza ? QStringLiteral("ordinanza.cost") : QStringLiteral("sentenza.cost");
    if (c.TP == u"GICA")
        return QStringLiteral("cassazione");
    if (c.TP == u"GIA" && n == u"Cons. St.")
        return QStringLiteral("consiglio.stato");
    if (c.TP == u"GEC")
        return QStringLiteral("corte.giustizia.ue");
    if (c.TP == u"GEI")
        return QStringLiteral("corte.edu");
    return QStringLiteral("altro");
}

inline QString sezioneOro(const QString& s) {
    if (s.isEmpty())
        return {};
    if (s == u"SU")
        return QStringLiteral("sez. un.");
    if (s == u"L")
        return QStringLiteral("sez. lav.");
    if (s == u"Ad. plen.")
        return QStringLiteral("ad. plen.");
    if (s == u"Grande Camera")
        return s;
    return QStringLiteral("sez. ") + s;
}

inline QString codiceOro(const QString& c) {
    if (c == u"c.d.s.")
        return QStringLiteral("c. strada");
    if (c == u"cod. ass.")
        return QStringLiteral("c. assicurazioni");
    return c;
}

// The region code, or the province's, of a gold region ("Lombardia", "Provincia autonoma di Bolzano").
inline QString regioneOro(const QString& r) {
    if (r.contains(QStringLiteral("Bolzano")))
        return QStringLiteral("BZ");
    if (r.contains(QStringLiteral("Trento")))
        return QStringLiteral("TN");
    for (const QString& voce : RegioniItaliane())
        if (voce.mid(5).compare(r, Qt::CaseInsensitive) == 0)
            return voce.left(2);
    return r;
}

inline QString commaDi(const Citazione& c) {
    return !c.comma.isEmpty() ? c.comma + (c.suffissoComma.isEmpty() ? QString() : u'-' + c.suffissoComma)
                              : c.numeroPunto;
}

// Why the citation does not name the gold line's source (kind, code, article, number, year), or,
// with esatta, why it is not the line itself; empty when it is.
inline QString differenza(const Riga& g, const Citazione& c, bool esatta = true) {
    QStringList d;
    const auto campo = [&d](const char* nome, const QString& atteso, const QString& trovato) {
        if (atteso != trovato)
            d << QStringLiteral("%1 %2 invece di %3").arg(QLatin1String(nome), trovato, atteso);
    };
    campo("tipo", g.tipo, tipo(c));
    if (g.tipo == u"codice")
        campo("codice", codiceOro(g.codice), c.codice);
    campo("articolo", g.articolo, c.articolo);
    campo("numero", g.numero, c.numero);
    campo("anno", g.anno ? QString::number(g.anno) : QString(), c.anno ? QString::number(c.anno) : QString());
    if (!esatta)
        return d.join(QStringLiteral("; "));
    campo("suffisso", g.suffisso, c.suffisso);
    campo("comma", g.comma, commaDi(c));
    campo("lettera", g.lettera, c.lettera);
    if (!g.data.isEmpty() && !c.data().isEmpty())
        campo("data", g.data, c.data());
    if (!g.sezione.isEmpty())
        campo("sezione", sezioneOro(g.sezione), c.sezione);
    if (!g.regione.isEmpty())
        campo("regione", regioneOro(g.regione), c.TP == u"LIP" ? c.provincia : c.regione);
    return d.join(QStringLiteral("; "));
}

// The forms a gold line is written in, to group the misses: a line may be in several.
inline QStringList forme(const Riga& g) {
    static const QList<std::pair<QString, QRegularExpression>> regole = [] {
        const auto re = [](const char* r) {
            return QRegularExpression(QString::fromUtf8(r), QRegularExpression::CaseInsensitiveOption);
        };
        return QList<std::pair<QString, QRegularExpression>>{
            {QStringLiteral("lista"), re(R"((artt|articoli|commi|§§|lettere|nn\.|sentenze|\d\s*(,|e|ed)\s+(art|\d|comma|lett)))")},
            {QStringLiteral("comma"), re(R"((comma|co\.|c\.\s*\d|paragrafo|par\.|§|cpv))")},
            {QStringLiteral("lettera"), re(R"((lett|lettera|lettere)\b)")},
            {QStringLiteral("suffisso"), re(R"(\d\s*-?\s*(bis|ter|quater|quinquies|sexies|septies|octies|novies|nonies|decies|ies)\b)")},
            {QStringLiteral("sigla atto"), re(R"(\b(d\.?\s*lg|dlgs|d\.?\s*l\b|d\.?\s*l\.|d\.?\s*p\.?\s*r|dpr|r\.\s*d|l\.|d\.\s*m\.|dm\b|t\.\s*u\.))")},
            {QStringLiteral("senza n."), re(R"((lgs|legge|l\.|dpr|d\.p\.r\.|d\.l\.|d\.m\.)\s*\d+\s*(/|del)\s*\d{2,4})")},
            {QStringLiteral("data numerica"), re(R"(\b\d{1,2}\s*[./-]\s*\d{1,2}\s*[./-]\s*\d{2,4})")},
            {QStringLiteral("maiuscole"), QRegularExpression(QStringLiteral(R"(\b(ART|LEGGE|DECRETO|COMMA|LETT)\b)"))},
            {QStringLiteral("a capo"), QRegularExpression(QStringLiteral("\n"))},
        };
    }();
    QStringList out;
    for (const auto& [nome, re] : regole)
        if (re.match(g.span).hasMatch())
            out << nome;
    if (g.rinvio)
        out << QStringLiteral("rinvio");
    if (g.nominato)
        out << QStringLiteral("per nome");
    if (g.inglese)
        out << QStringLiteral("inglese");
    if (g.self)
        out << QStringLiteral("self");
    return out;
}

struct Conteggio {
    int giusti = 0;   // citations that are a gold line, every field
    int trovati = 0;  // citations that name a gold line's source
    int proposti = 0; // citations found
    int attesi = 0;   // gold lines
    double precisione() const { return proposti ? double(giusti) / proposti : 1.0; }
    double richiamo() const { return attesi ? double(giusti) / attesi : 1.0; }
    double precisioneTrovati() const { return proposti ? double(trovati) / proposti : 1.0; }
    double richiamoTrovati() const { return attesi ? double(trovati) / attesi : 1.0; }
    double esattezza() const { return trovati ? double(giusti) / trovati : 1.0; }
};

struct Valutazione {
    QMap<QString, Conteggio> perTipo; // recall by the gold line's kind, precision by the citation's
    Conteggio totale;
    QMap<QString, int> mancatiPerForma; // gold lines not found, by form
    QMap<QString, int> inesattiPerForma; // found but not exact, by form
    QStringList mancati; // gold lines not found, with the nearest citation's difference
    QStringList inesatti; // found, not exact: what differs
    QStringList errati;  // citations that are no gold line
};

inline bool sovrapposti(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
    return a0 < b1 && b0 < a1;
}

// The passages and gold lines of a folder and of the parts in its subfolders.
struct Insieme {
    QList<Passaggio> passaggi;
    QList<Riga> righe;
    QList<Negativo> negativi;
};

inline Insieme insieme(const QString& cartella, bool conParti = true) {
    Insieme out;
    QStringList cartelle{cartella};
    if (conParti)
        for (const QString& sotto : QDir(cartella).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (QFileInfo::exists(cartella + u'/' + sotto + QStringLiteral("/annotations.jsonl")))
                cartelle << cartella + u'/' + sotto;
    for (const QString& c : cartelle) {
        out.passaggi << passaggi(c);
        out.righe << oro(c);
        out.negativi << negativi(c);
    }
    return out;
}

// Scores the recogniser on the passages; with conSelf false the lines of the document's own
// identifier are left out (and citations on them are not counted either way).
inline Valutazione valuta(const QList<Passaggio>& passaggi, const QList<Riga>& righe, bool conSelf) {
    Valutazione v;
    QHash<QString, QList<const Riga*>> perPassaggio;
    for (const Riga& r : righe)
        perPassaggio[r.passaggio] << &r;
    for (const Passaggio& p : passaggi) {
        const QList<Citazione> trovate = RiconosciCitazioni(p.testo);
        QList<bool> usata(trovate.size(), false);
        QList<const Riga*> attese;
        QList<const Riga*> proprie;
        for (const Riga* r : perPassaggio.value(p.id))
            (r->self && !conSelf ? proprie : attese) << r;
        QList<int> scelta(attese.size(), -1);
        QList<bool> esatta(attese.size(), false);
        // Exact matches first, then those that only name the source.
        for (const bool esatte : {true, false})
            for (qsizetype k = 0; k < attese.size(); ++k) {
                if (scelta.at(k) >= 0)
                    continue;
                const Riga& g = *attese.at(k);
                for (qsizetype x = 0; x < trovate.size(); ++x) {
                    const Citazione& c = trovate.at(x);
                    if (usata.at(x) || !sovrapposti(g.inizio, g.fine, c.inizioPunti, c.finePunti) ||
                        !differenza(g, c, esatte).isEmpty())
                        continue;
                    usata[x] = true;
                    scelta[k] = int(x);
                    esatta[k] = esatte;
                    break;
                }
            }
        for (qsizetype k = 0; k < attese.size(); ++k) {
            const Riga& g = *attese.at(k);
            ++v.perTipo[g.tipo].attesi;
            ++v.totale.attesi;
            if (scelta.at(k) >= 0) {
                ++v.perTipo[g.tipo].trovati;
                ++v.totale.trovati;
                if (esatta.at(k)) {
                    ++v.perTipo[g.tipo].giusti;
                    ++v.totale.giusti;
                } else {
                    for (const QString& f : forme(g))
                        ++v.inesattiPerForma[f];
                    v.inesatti << QStringLiteral("%1 [%2] %3 -- %4")
                                      .arg(p.id, g.tipo, g.span.simplified(),
                                           differenza(g, trovate.at(scelta.at(k))));
                }
                continue;
            }
            QString vicina;
            for (qsizetype x = 0; x < trovate.size() && vicina.isEmpty(); ++x)
                if (sovrapposti(g.inizio, g.fine, trovate.at(x).inizioPunti, trovate.at(x).finePunti))
                    vicina = differenza(g, trovate.at(x));
            const QStringList f = forme(g);
            for (const QString& x : f)
                ++v.mancatiPerForma[x];
            if (f.isEmpty())
                ++v.mancatiPerForma[QStringLiteral("(altro)")];
            v.mancati << QStringLiteral("%1 [%2] %3%4")
                             .arg(p.id, g.tipo, g.span.simplified(),
                                  vicina.isEmpty() ? QString() : QStringLiteral(" -- ") + vicina);
        }
        for (qsizetype k = 0; k < trovate.size(); ++k) {
            const Citazione& c = trovate.at(k);
            bool suPropria = false;
            for (const Riga* r : std::as_const(proprie))
                suPropria = suPropria || sovrapposti(r->inizio, r->fine, c.inizioPunti, c.finePunti);
            if (suPropria && !usata.at(k))
                continue;
            ++v.perTipo[tipo(c)].proposti;
            ++v.totale.proposti;
            if (!usata.at(k))
                v.errati << QStringLiteral("%1 \"%2\" %3")
                                .arg(p.id, p.testo.mid(c.inizio, c.fine - c.inizio).simplified(),
                                     DescriviCitazione(c));
        }
    }
    return v;
}

} // namespace oro
