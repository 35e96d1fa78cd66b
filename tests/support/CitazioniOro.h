#pragma once

// The hand-annotated passages of the shared fixtures (citations/: passages, gold lines,
// negatives) and how the recogniser is scored on them. A citation is right when its span overlaps
// a gold line's and it has that line's kind and fields: article with suffix, paragraph, letter,
// number, year, and, where the gold line gives them, date, section, region and code. Each
// citation answers for one gold line at most.

#include "citations/Citazioni.h"
#include "sources/PaginaFonte.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
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
    bool self = false;
    bool incerta = false;
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
        if (n == u"r.d.")
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

// Why the citation is not the gold line; empty when it is.
inline QString differenza(const Riga& g, const Citazione& c) {
    QStringList d;
    const auto campo = [&d](const char* nome, const QString& atteso, const QString& trovato) {
        if (atteso != trovato)
            d << QStringLiteral("%1 %2 invece di %3").arg(QLatin1String(nome), trovato, atteso);
    };
    campo("tipo", g.tipo, tipo(c));
    campo("articolo", g.articolo, c.articolo);
    campo("suffisso", g.suffisso, c.suffisso);
    const QString comma = !c.comma.isEmpty()
                              ? c.comma + (c.suffissoComma.isEmpty() ? QString() : u'-' + c.suffissoComma)
                              : c.numeroPunto;
    campo("comma", g.comma, comma);
    campo("lettera", g.lettera, c.lettera);
    campo("numero", g.numero, c.numero);
    campo("anno", g.anno ? QString::number(g.anno) : QString(), c.anno ? QString::number(c.anno) : QString());
    if (!g.data.isEmpty() && !c.data().isEmpty())
        campo("data", g.data, c.data());
    if (!g.sezione.isEmpty())
        campo("sezione", sezioneOro(g.sezione), c.sezione);
    if (!g.regione.isEmpty())
        campo("regione", regioneOro(g.regione), c.TP == u"LIP" ? c.provincia : c.regione);
    if (g.tipo == u"codice")
        campo("codice", codiceOro(g.codice), c.codice);
    return d.join(QStringLiteral("; "));
}

struct Conteggio {
    int giusti = 0;   // citations that are a gold line
    int proposti = 0; // citations found
    int attesi = 0;   // gold lines
    double precisione() const { return proposti ? double(giusti) / proposti : 1.0; }
    double richiamo() const { return attesi ? double(giusti) / attesi : 1.0; }
};

struct Valutazione {
    QMap<QString, Conteggio> perTipo; // recall by the gold line's kind, precision by the citation's
    Conteggio totale;
    QStringList mancati; // gold lines not found, with the nearest citation's difference
    QStringList errati;  // citations that are no gold line
};

inline bool sovrapposti(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
    return a0 < b1 && b0 < a1;
}

// Scores the recogniser on the passages; with conSelf false the lines of the document's own
// identifier are left out (and citations on them are not counted either way).
inline Valutazione valuta(const QList<Passaggio>& passaggi, const QList<Riga>& righe, bool conSelf) {
    Valutazione v;
    for (const Passaggio& p : passaggi) {
        const QList<Citazione> trovate = RiconosciCitazioni(p.testo);
        QList<bool> usata(trovate.size(), false);
        QList<Riga> attese;
        QList<Riga> proprie;
        for (const Riga& r : righe)
            if (r.passaggio == p.id)
                (r.self && !conSelf ? proprie : attese) << r;
        for (const Riga& g : std::as_const(attese)) {
            ++v.perTipo[g.tipo].attesi;
            ++v.totale.attesi;
            QString vicina;
            bool trovata = false;
            for (qsizetype k = 0; k < trovate.size() && !trovata; ++k) {
                const Citazione& c = trovate.at(k);
                if (usata.at(k) || !sovrapposti(g.inizio, g.fine, c.inizioPunti, c.finePunti))
                    continue;
                const QString d = differenza(g, c);
                if (d.isEmpty()) {
                    usata[k] = true;
                    trovata = true;
                    ++v.perTipo[g.tipo].giusti;
                    ++v.totale.giusti;
                } else if (vicina.isEmpty()) {
                    vicina = d;
                }
            }
            if (!trovata)
                v.mancati << QStringLiteral("%1 [%2] %3%4")
                                 .arg(p.id, g.tipo, g.span.simplified(),
                                      vicina.isEmpty() ? QString() : QStringLiteral(" -- ") + vicina);
        }
        for (qsizetype k = 0; k < trovate.size(); ++k) {
            const Citazione& c = trovate.at(k);
            bool suPropria = false;
            for (const Riga& r : std::as_const(proprie))
                suPropria = suPropria || sovrapposti(r.inizio, r.fine, c.inizioPunti, c.finePunti);
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
