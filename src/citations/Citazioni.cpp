#include "citations/Citazioni.h"

#include "citations/CitazioniLettore.h"
#include "sources/IdentificativiUfficiali.h"
#include "sources/PaginaFonte.h"

#include <algorithm>

namespace citazioni {

using lessico::TipoToken;

namespace {

// "I" .. "XX" as a number; 0 for anything else.
int romanoDi(QStringView r) {
    static const char16_t* const numeri[] = {u"i",   u"ii",   u"iii",   u"iv",  u"v",    u"vi",  u"vii",
                                             u"viii", u"ix",  u"x",     u"xi",  u"xii",  u"xiii", u"xiv",
                                             u"xv",  u"xvi",  u"xvii",  u"xviii", u"xix", u"xx"};
    for (int k = 0; k < 20; ++k)
        if (r == QStringView(numeri[k]))
            return k + 1;
    return 0;
}

// An act cited this far back may still be the one an article without act belongs to.
constexpr qsizetype kDistanzaImplicito = 600;
// Back references look this many acts or citations back, no more: a hostile text of thousands
// of them must not make each read all those before it.
constexpr qsizetype kIndietro = 400;
// A paragraph alone this far after an article is still one of that article.
constexpr qsizetype kDistanzaComma = 400;

bool attoNumerabile(const Atto& a) {
    return a.numerato() && !a.TP.startsWith(QStringLiteral("GI")) && a.TP != u"GEC" && a.TP != u"GEI" &&
           a.TP != u"LIC" && a.TP != u"NIT";
}

// An act an article without its own may belong to: one with a number, or a code other than the
// Constitution (the passage about the bankruptcy law: "l'art. 107").
bool attoImplicito(const Atto& a) {
    return attoNumerabile(a) || (a.TP == u"LIC" && a.nome != u"Cost.");
}

// The act of a citation made before, as a back reference to it points at it.
Atto rinvioA(const Citazione& c) {
    Atto a;
    a.TP = c.TP;
    a.nome = c.nome;
    a.data = {c.giorno, c.mese, c.anno};
    a.anno = c.anno;
    a.numero = c.numero;
    a.codice = c.codice;
    a.regione = c.regione;
    a.provincia = c.provincia;
    a.rinvio = true;
    a.inizioRinvio = c.inizio;
    a.fineRinvio = c.fine;
    return a;
}

bool decretoQualsiasi(const QString& nome) {
    return nome == u"d.l." || nome == u"d.lg." || nome == u"d.p.r." || nome == u"d.m." || nome == u"r.d." ||
           nome == u"d.p.c.m." || nome == u"d.i." || nome == u"r.d.l.";
}

} // namespace

QString Romano(int n) {
    static const char16_t* const r[] = {u"",   u"I",   u"II",   u"III", u"IV", u"V",
                                        u"VI", u"VII", u"VIII", u"IX",  u"X"};
    return n >= 1 && n <= 10 ? QString::fromUtf16(r[n]) : QString::number(n);
}

Lettore::Lettore(const QString& testo) : testo_(testo) {
    t_ = lessico::Tokenizza(testo, forme_);
    n_ = static_cast<int>(t_.size());
    static const char16_t* const cedu[] = {u"corte edu",    u"corte europea dei diritti",
                                           u"cedu",         u"strasburgo",
                                           u"corte e.d.u.", u"c. eur. dir. uomo"};
    for (const char16_t* s : cedu)
        contestoCedu_ = contestoCedu_ || forme_.contains(QStringView(s));
    static const char16_t* const cost[] = {u"corte costituzionale", u"corte cost.", u"c. cost.", u"constitutional court",
                                           u"legittimità costituzionale", u"legittimita' costituzionale"};
    for (const char16_t* s : cost)
        contestoCost_ = contestoCost_ || forme_.contains(QStringView(s));
    contestoCass_ = forme_.contains(QStringView(u"cassazione")) || forme_.contains(QStringView(u"cass."));
}

// ---------------------------------------------------------------------------------------------
// Tokens.

bool Lettore::segno(int i, char16_t c) const {
    return esiste(i) && t_.at(i).tipo == TipoToken::Segno && t_.at(i).forma.size() == 1 &&
           t_.at(i).forma.at(0) == c;
}

bool Lettore::parola(int i, QStringView w) const {
    return esiste(i) && t_.at(i).tipo == TipoToken::Parola && t_.at(i).forma == w;
}

bool Lettore::numero(int i) const {
    return esiste(i) && t_.at(i).tipo == TipoToken::Numero;
}

int Lettore::valore(int i) const {
    const QStringView f = t_.at(i).forma;
    return f.size() > 9 ? -1 : f.toInt();
}

bool Lettore::cat(int i, Cat c) const {
    const Frase f = frase(i);
    return f && f.voce->cat == c;
}

int Lettore::dopoConnettivo(int i) const {
    const Frase f = frase(i);
    return f && f.voce->cat == Cat::Connettivo ? f.fine : i;
}

bool Lettore::anno4(int i) const {
    if (!numero(i) || t_.at(i).forma.size() != 4)
        return false;
    const int a = valore(i);
    return a >= 1800 && a <= 2099;
}

int Lettore::annoDaDueCifre(int i) const {
    if (!numero(i))
        return 0;
    const int v = valore(i);
    if (t_.at(i).forma.size() == 2)
        return v >= 50 ? 1900 + v : 2000 + v;
    return anno4(i) ? v : 0;
}

bool Lettore::inizioFrase(int i) const {
    if (i <= 0 || t_.at(i).spazio)
        return true;
    const Token& prima = t_.at(i - 1);
    return prima.tipo == TipoToken::Segno && prima.forma != u".";
}

// "del" or "dell'" (the date or year of an act): the index after it, or i.
int dopoDel(const QList<Token>& t, int i) {
    if (i >= t.size() || t.at(i).tipo != TipoToken::Parola)
        return i;
    if (t.at(i).forma == u"del")
        return i + 1;
    if (t.at(i).forma == u"dell")
        return i + 1 < t.size() && t.at(i + 1).forma == u"'" ? i + 2 : i + 1;
    return i;
}

// ---------------------------------------------------------------------------------------------
// Dates and numbers.

bool Lettore::leggiData(int i, int& j, Data& d) const {
    if (!numero(i) || t_.at(i).forma.size() > 2)
        return false;
    const int g = valore(i);
    if (g < 1 || g > 31)
        return false;
    int k = i + 1;
    if (segno(k, u'°') || segno(k, u'º'))
        ++k;
    const Frase m = frase(k);
    if (m && m.voce->cat == Cat::Mese) {
        if (!anno4(m.fine))
            return false;
        d = {g, m.voce->valore, valore(m.fine)};
        j = m.fine + 1;
        return true;
    }
    // 13/12/2010, 13.12.2010, 13-12-2010: one separator, no blanks inside.
    for (const char16_t sep : {u'/', u'.', u'-'}) {
        // "24.10.07": a two-digit year too.
        const bool anno = anno4(i + 4) || (numero(i + 4) && t_.at(i + 4).forma.size() == 2 &&
                                           !(segno(i + 5, sep) && attaccato(i + 5) && numero(i + 6) &&
                                             attaccato(i + 6)));
        if (!segno(i + 1, sep) || !attaccato(i + 1) || !numero(i + 2) || !attaccato(i + 2) ||
            t_.at(i + 2).forma.size() > 2 || !segno(i + 3, sep) || !attaccato(i + 3) || !anno ||
            !attaccato(i + 4))
            continue;
        const int mese = valore(i + 2);
        if (mese < 1 || mese > 12)
            return false;
        d = {g, mese, annoDaDueCifre(i + 4)};
        j = i + 5;
        return true;
    }
    return false;
}

bool Lettore::leggiNumero(int i, int& j, QString& n, int& anno, bool dueCifre) const {
    const Frase f = frase(i);
    if (!f || f.voce->cat != Cat::Numero || !numero(f.fine))
        return false;
    int k = f.fine;
    n = t_.at(k).forma.toString();
    ++k;
    // Thousands written with dots: "n. 12.345".
    while (segno(k, u'.') && attaccato(k) && numero(k + 1) && attaccato(k + 1) &&
           t_.at(k + 1).forma.size() == 3 && !(segno(k + 2, u'.') && attaccato(k + 2) && numero(k + 3))) {
        n += t_.at(k + 1).forma;
        k += 2;
    }
    // "n. 127/00/CONS": an authority's number, year and office.
    const bool ufficio = segno(k + 2, u'/') && attaccato(k + 2) && esiste(k + 3) &&
                         t_.at(k + 3).tipo == TipoToken::Parola && t_.at(k + 3).maiuscola && attaccato(k + 3);
    if (segno(k, u'/') && attaccato(k) && numero(k + 1) && attaccato(k + 1) && (!segno(k + 2, u'/') || ufficio) &&
        (anno4(k + 1) || (dueCifre && t_.at(k + 1).forma.size() == 2))) {
        anno = annoDaDueCifre(k + 1);
        k += ufficio ? 4 : 2;
    }
    j = k;
    return true;
}

bool Lettore::leggiNumeroAnno(int i, int& j, QString& n, int& anno, bool dueCifre) const {
    if (!numero(i) || !segno(i + 1, u'/') || !attaccato(i + 1) || !numero(i + 2) || !attaccato(i + 2) ||
        !(anno4(i + 2) || (dueCifre && t_.at(i + 2).forma.size() == 2)) ||
        (segno(i + 3, u'/') && attaccato(i + 3)))
        return false;
    n = t_.at(i).forma.toString();
    anno = annoDaDueCifre(i + 2);
    j = i + 3;
    return true;
}

bool Lettore::leggiEstremi(int i, int& j, Atto& a) const {
    Data d;
    int k = i;
    int k2 = i;
    if (leggiData(k, k2, d)) {
        a.data = d;
        a.anno = d.a;
        k = k2;
        int s = segno(k, u',') ? k + 1 : k;
        QString n;
        int anno = 0;
        if (leggiNumero(s, k2, n, anno)) {
            a.numero = n;
            k = k2;
        }
        j = k;
        return true;
    }
    QString n;
    int anno = 0;
    if (leggiNumero(k, k2, n, anno, true) || leggiNumeroAnno(k, k2, n, anno, true)) {
        // "legge 2012/92", "decreto legislativo 2015/23": without "n.", a recent year first.
        if (!cat(k, Cat::Numero) && anno4(k) && valore(k) >= 1950 && anno > 0 &&
            t_.at(k + 2).forma.size() <= 3) {
            anno = valore(k);
            n = t_.at(k + 2).forma.toString();
        }
    } else if (numero(k) && t_.at(k).forma.size() <= 5 && !anno4(k) && !segno(k + 1, u'/') &&
               !segno(k + 1, u'.') && dopoDel(t_, k + 1) != k + 1 && anno4(dopoDel(t_, k + 1))) {
        // "d.lgs. 231 del 2001": the number without "n."
        n = t_.at(k).forma.toString();
        k2 = k + 1;
    } else if (numero(k) && t_.at(k).forma.size() <= 4 && !a.nome.isEmpty() &&
               !(segno(k + 1, u'/') && attaccato(k + 1)) && !(segno(k + 1, u'.') && numero(k + 2))) {
        // "D.Lgs. 231": a number alone names the act of that kind and number cited before.
        const QStringView cifre = t_.at(k).forma;
        for (auto it = atti_.crbegin(); it != atti_.crend() && it - atti_.crbegin() < kIndietro; ++it) {
            if (it->nome != a.nome || it->numero != cifre || it->anno == 0)
                continue;
            a.numero = it->numero;
            a.anno = it->anno;
            a.data = it->data;
            a.regione = it->regione;
            a.provincia = it->provincia;
            j = k + 1;
            return true;
        }
        return false;
    } else {
        return false;
    }
    a.numero = n;
    a.anno = anno;
    k = k2;
    const int s = dopoDel(t_, k);
    if (s != k) {
        if (leggiData(s, k2, d)) {
            a.data = d;
            a.anno = d.a;
            k = k2;
        } else if (anno == 0 && anno4(s) && !segno(s + 1, u'/')) {
            a.anno = valore(s);
            k = s + 1;
        }
    }
    j = k;
    return true;
}

bool Lettore::leggiSuffisso(int i, int& j, QString& s) const {
    // The dialogs' suffixes, and the other spellings of them the texts use ("21-nonies").
    static const QSet<QString> suffissi = [] {
        QSet<QString> x(SuffissiRipartizione().cbegin(), SuffissiRipartizione().cend());
        for (const char16_t* v : {u"nonies", u"vicies", u"semel", u"undicies", u"sexiesdecies",
                                  u"septiesdecies", u"duodevicies", u"undevicies"})
            x.insert(QString::fromUtf16(v));
        return x;
    }();
    int k = segno(i, u'-') && attaccato(i) ? i + 1 : i;
    if (!esiste(k) || t_.at(k).tipo != TipoToken::Parola || !suffissi.contains(t_.at(k).forma.toString()))
        return false;
    s = t_.at(k).forma.toString();
    j = k + 1;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Acts.

int Lettore::leggiTerritorio(int i, Atto& a) {
    int s = i;
    Frase f = frase(s);
    // "legge regionale", "legge provinciale" written apart.
    if (f && f.voce->valore == 1 && a.nome == u"l." &&
        (f.voce->cat == Cat::Regione || f.voce->cat == Cat::Provincia)) {
        const bool regionale = f.voce->cat == Cat::Regione;
        a.TP = regionale ? QStringLiteral("LIR") : QStringLiteral("LIP");
        a.nome = regionale ? QStringLiteral("l. reg.") : QStringLiteral("l. prov.");
        s = f.fine;
    }
    const int c = dopoConnettivo(s);
    f = frase(c);
    if (!f)
        return s;
    if (f.voce->cat == Cat::Regione && f.voce->valore == 0) {
        const Frase r = frase(f.fine);
        if (!r || r.voce->cat != Cat::NomeRegione)
            return s;
        a.regione = r.voce->testoNome();
        if (a.nome == u"l.") {
            a.TP = QStringLiteral("LIR");
            a.nome = QStringLiteral("l. reg.");
        }
        ultimaRegione_ = a.regione;
        return r.fine;
    }
    if (f.voce->cat == Cat::Provincia && f.voce->valore == 0) {
        int k = f.fine;
        if (parola(k, u"di"))
            ++k;
        const Frase p = frase(k);
        if (!p || p.voce->cat != Cat::NomeProvincia)
            return s;
        a.provincia = p.voce->testoNome();
        if (a.nome == u"l.") {
            a.TP = QStringLiteral("LIP");
            a.nome = QStringLiteral("l. prov.");
        }
        ultimaProvincia_ = a.provincia;
        return p.fine;
    }
    if (f.voce->cat == Cat::NomeRegione && a.TP == u"LIR") {
        a.regione = f.voce->testoNome();
        ultimaRegione_ = a.regione;
        return f.fine;
    }
    if (f.voce->cat == Cat::NomeProvincia && a.TP == u"LIP") {
        a.provincia = f.voce->testoNome();
        ultimaProvincia_ = a.provincia;
        return f.fine;
    }
    return s;
}

bool Lettore::leggiAttoUe(const Frase& f, int i, int& j, Atto& a, int da, const QString& qualificaLista) const {
    int tipo = f.voce->valore;
    QString qualifica = qualificaLista;
    Data d;
    int k = da >= 0 ? da : f.fine;
    int k2 = k;
    for (int giri = 0; giri < 6; ++giri) {
        const Frase g = frase(k);
        if (g && g.voce->cat == Cat::QualificaUe && (qualifica.isEmpty() || qualifica == qualificaLista)) {
            qualifica = g.voce->testoNome();
            k = g.fine;
        } else if (g && g.voce->cat == Cat::OrganoUe) {
            k = g.fine;
            if (segno(k, u','))
                ++k;
        } else if (tipo == lessico::UeDecisione && parola(k, u"quadro")) {
            tipo = lessico::UeDecisioneQuadro;
            ++k;
        } else if (!d.completa() && leggiData(k, k2, d)) {
            k = segno(k2, u',') ? k2 + 1 : k2;
        } else {
            break;
        }
    }
    // The number: "2016/679", "93/13/CEE", "n. 44/2001", "n. 44 del 2001".
    const Frase conN = frase(k);
    const bool haN = conN && conN.voce->cat == Cat::Numero;
    int s = haN ? conN.fine : k;
    if (!numero(s))
        return false;
    const int iA = s;
    int iB = -1;
    int annoDel = 0;
    ++s;
    if (segno(s, u'/') && attaccato(s) && numero(s + 1) && attaccato(s + 1)) {
        iB = s + 1;
        s += 2;
    } else if (haN && dopoDel(t_, s) != s && anno4(dopoDel(t_, s))) {
        annoDel = valore(dopoDel(t_, s));
        s = dopoDel(t_, s) + 1;
    } else {
        return false;
    }
    if (segno(s, u'/') && attaccato(s)) {
        const Frase q = frase(s + 1);
        if (q && q.voce->cat == Cat::QualificaUe) {
            if (qualifica.isEmpty())
                qualifica = q.voce->testoNome();
            s = q.fine;
        }
    }
    // "del Parlamento europeo e del Consiglio, del 27 aprile 2016"
    for (int giri = 0; giri < 3; ++giri) {
        const Frase g = frase(s);
        if (g && g.voce->cat == Cat::OrganoUe) {
            s = g.fine;
            continue;
        }
        int x = segno(s, u',') ? s + 1 : s;
        const int y = dopoDel(t_, x);
        Data d2;
        if (y != x && !d.completa() && leggiData(y, k2, d2)) {
            d = d2;
            s = k2;
            continue;
        }
        break;
    }

    const auto annoDi = [this](int idx) -> int {
        if (t_.at(idx).forma.size() == 2)
            return annoDaDueCifre(idx);
        const int v = valore(idx);
        return t_.at(idx).forma.size() == 4 && v >= 1950 && v <= 2099 ? v : 0;
    };
    QString numeroAtto;
    int anno = 0;
    bool numeroPrima = false; // written number/year where the Union writes year/number
    if (annoDel > 0) {
        numeroAtto = t_.at(iA).forma.toString();
        anno = annoDel;
    } else if (tipo == lessico::UeRegolamento) {
        const int a1 = t_.at(iA).forma.size() == 4 ? annoDi(iA) : 0;
        const int a2 = annoDi(iB);
        // Up to 2014 number/year ("1408/71", "44/2001", "2000/83" of the EEC); from 2015
        // year/number ("2016/679"); "n. 679/2016" is the latter written backwards.
        const bool vecchia = qualifica == u"CEE" || qualifica == u"CE";
        if (a1 > 0 && (a2 == 0 || (a1 >= 2015 && !vecchia) || (!vecchia && t_.at(iB).forma.size() < 4))) {
            anno = a1;
            numeroAtto = t_.at(iB).forma.toString();
        } else {
            anno = a2;
            numeroAtto = t_.at(iA).forma.toString();
        }
    } else {
        anno = annoDi(iA);
        numeroAtto = t_.at(iB).forma.toString();
        if (anno == 0 && annoDi(iB) > 0) {
            anno = annoDi(iB);
            numeroAtto = t_.at(iA).forma.toString();
            numeroPrima = true;
        }
    }
    if (anno == 0 || numeroAtto.isEmpty())
        return false;
    if (qualifica.isEmpty()) {
        // "la direttiva 93/13" after "direttiva 93/13/CEE": the same act.
        for (auto it = atti_.crbegin(); it != atti_.crend() && it - atti_.crbegin() < kIndietro && qualifica.isEmpty(); ++it)
            if (it->TP == u"NIC" && it->numero == numeroAtto && it->anno == anno)
                qualifica = it->nome.section(u' ', -1);
        // Without CE, UE or CEE, "regolamento n. 3 del 2019", "decisione n. 2/2020" are a
        // municipality's or a board's: the Union numbers its directives and decisions year first.
        // "Regolamento n 1408/71": a two-digit year is the Union's way, not a municipality's.
        const bool dueCifreUe = iB >= 0 && t_.at(iB).forma.size() == 2 && tipo == lessico::UeRegolamento;
        if (qualifica.isEmpty() && (haN || numeroPrima) && !dueCifreUe)
            return false;
        if (qualifica.isEmpty())
            qualifica = anno <= 1993  ? QStringLiteral("CEE")
                        : anno < 2010 ? QStringLiteral("CE")
                                      : QStringLiteral("UE");
    }
    a.TP = QStringLiteral("NIC");
    switch (tipo) {
    case lessico::UeRegolamento:
        a.nome = QStringLiteral("Reg. ") + qualifica;
        break;
    case lessico::UeDirettiva:
        a.nome = QStringLiteral("Dir. ") + qualifica;
        break;
    case lessico::UeDecisioneQuadro:
        a.nome = QStringLiteral("Dec. quadro");
        break;
    default:
        a.nome = QStringLiteral("Dec. ") + qualifica;
        break;
    }
    a.numero = numeroAtto;
    a.anno = anno;
    a.data = d;
    a.inizio = inizio(i);
    a.fine = fine(s);
    j = s;
    return true;
}

std::optional<Atto> Lettore::antecedente(const Atto& modello, bool generico) const {
    for (auto it = atti_.crbegin(); it != atti_.crend() && it - atti_.crbegin() < kIndietro; ++it) {
        const Atto& a = *it;
        if (a.inizio >= modello.inizio)
            continue;
        const bool legge = modello.nome == u"l." && (a.nome == u"l. reg." || a.nome == u"l. prov.");
        const bool stessoTipo = generico ? decretoQualsiasi(a.nome) : a.nome == modello.nome || legge;
        if (!stessoTipo)
            continue;
        if (!modello.numero.isEmpty() && a.numero != modello.numero)
            continue;
        if (modello.anno > 0 && a.anno > 0 && a.anno != modello.anno)
            continue;
        return a;
    }
    return std::nullopt;
}

bool Lettore::leggiRinvio(int i, int& j, QList<Atto>& atti) {
    const Frase r = frase(i);
    if (!r || r.voce->cat != Cat::Rinvio || r.voce->valore != 0)
        return false;
    const int k = r.fine;
    const Frase f = frase(k);
    std::optional<Atto> trovato;
    Atto modello;
    modello.inizio = inizio(i);
    int fineRinvio = k;
    if (f && f.voce->cat == Cat::Atto) {
        modello.TP = f.voce->testoTP();
        modello.nome = f.voce->testoNome();
        int e = leggiTerritorio(f.fine, modello);
        Atto conEstremi = modello;
        int k2 = e;
        if (leggiEstremi(e, k2, conEstremi)) {
            // Stated again with its number: the act as written, completed by the one it repeats.
            trovato = antecedente(conEstremi, false);
            Atto a = conEstremi;
            if (trovato) {
                a.TP = trovato->TP;
                a.nome = trovato->nome;
                if (!a.data.completa())
                    a.data = trovato->data;
                if (a.anno == 0)
                    a.anno = trovato->anno;
                a.regione = trovato->regione;
                a.provincia = trovato->provincia;
                a.inizioRinvio = trovato->inizio;
                a.fineRinvio = trovato->fine;
            }
            a.rinvio = true;
            a.inizio = inizio(i);
            a.fine = fine(k2);
            atti.append(a);
            j = k2;
            return true;
        }
        trovato = antecedente(modello, false);
        fineRinvio = e;
    } else if (f && f.voce->cat == Cat::TipoDecisione && f.voce->valore == lessico::DecisioneDecreto) {
        trovato = antecedente(modello, true);
        fineRinvio = f.fine;
    } else if (f && f.voce->cat == Cat::TestoUnico) {
        trovato = testoUnico_;
        fineRinvio = f.fine;
    } else if (parola(k, u"testo") && parola(k + 1, u"unico")) {
        trovato = testoUnico_;
        fineRinvio = k + 2;
    } else if (parola(k, u"codice")) {
        for (auto it = atti_.crbegin(); it != atti_.crend() && it - atti_.crbegin() < kIndietro && !trovato; ++it)
            if (it->TP == u"LIC" && it->nome != u"Cost.")
                trovato = *it;
        fineRinvio = k + 1;
    } else if (f && f.voce->cat == Cat::AttoUe) {
        const QString radice = f.voce->valore == lessico::UeRegolamento ? QStringLiteral("Reg.")
                               : f.voce->valore == lessico::UeDirettiva ? QStringLiteral("Dir.")
                                                                        : QStringLiteral("Dec.");
        for (auto it = atti_.crbegin(); it != atti_.crend() && it - atti_.crbegin() < kIndietro && !trovato; ++it)
            if (it->TP == u"NIC" && it->nome.startsWith(radice))
                trovato = *it;
        fineRinvio = f.fine;
    }
    if (!trovato)
        return false;
    Atto a = *trovato;
    a.rinvio = true;
    a.generico = true;
    a.inizioRinvio = trovato->inizio;
    a.fineRinvio = trovato->fine;
    a.inizio = inizio(i);
    a.fine = fine(fineRinvio);
    atti.append(a);
    j = fineRinvio;
    return true;
}

bool Lettore::leggiAtti(int i, int& j, QList<Atto>& atti, bool dopoArticolo) {
    const Frase f = frase(i);
    if (!f)
        return false;
    const lessico::Voce& v = *f.voce;
    Atto a;
    a.inizio = inizio(i);
    switch (v.cat) {
    case Cat::Atto: {
        a.TP = v.testoTP();
        a.nome = v.testoNome();
        int k = leggiTerritorio(f.fine, a);
        if (parola(k, u"di") && parola(k + 1, u"conversione"))
            k += 2;
        else if (parola(k, u"delega") || parola(k, u"quadro"))
            ++k;
        if (v.valore == 2) {
            // "decreto del Ministro della giustizia 10 marzo 2014, n. 55": the ministry up to the date.
            int s = k;
            while (s < k + 10 && esiste(s) && !numero(s) && !cat(s, Cat::Numero) &&
                   (t_.at(s).tipo == TipoToken::Parola || segno(s, u'\''))) {
                // "Delibera di Giunta Regionale", "deliberazione del Consiglio dei Ministri": the
                // procedure's own acts, not sources.
                if (a.TP == u"LIOA" && a.nome != u"d.m." && (parola(s, u"giunta") || parola(s, u"consiglio")))
                    return false;
                ++s;
            }
            k = s;
        }
        const Atto modello = a;
        int k2 = k;
        if (!leggiEstremi(k, k2, a))
            return false;
        // An authority's act is cited by its number; "la determinazione 21 gennaio 2021" is the
        // act at hand.
        if (a.TP == u"LIOA" && a.nome != u"d.m." && a.nome != u"d.i." && (a.numero.isEmpty() || a.anno == 0))
            return false;
        atti.append(a);
        k = k2;
        if (v.valore == 1) {
            // "leggi provinciali n. 5 del 2008 e n. 12 del 2009": one kind, several acts.
            for (;;) {
                int s = segno(k, u',') ? k + 1 : k;
                if (cat(s, Cat::Congiunzione))
                    ++s;
                Atto b = modello;
                if (s == k || !leggiEstremi(s, k2, b))
                    break;
                atti.append(b);
                k = k2;
            }
            // "DD.MM. n. 1 e n. 2 del 2010": the year at the end is the whole list's.
            for (Atto& x : atti)
                if (x.anno == 0 && !x.data.completa() && atti.last().anno > 0 && !atti.last().data.completa())
                    x.anno = atti.last().anno;
        }
        // "convertito, con modificazioni, dalla legge ...": the decree's companion.
        bool conversione = false;
        for (int x = i - 1; x >= 0 && x >= i - 6 && !conversione; --x)
            conversione = parola(x, u"convertito") || parola(x, u"conv");
        for (Atto& x : atti) {
            x.conversione = conversione;
            x.fine = fine(k);
            if (x.TP == u"LIR" && x.regione.isEmpty())
                x.regione = ultimaRegione_.isEmpty() ? luogoVicino(x.inizio, false) : ultimaRegione_;
            if (x.TP == u"LIP" && x.provincia.isEmpty())
                x.provincia = ultimaProvincia_.isEmpty() ? luogoVicino(x.inizio, true) : ultimaProvincia_;
            if (x.TP == u"LIR" && !x.regione.isEmpty())
                ultimaRegione_ = x.regione;
            if (x.TP == u"LIP" && !x.provincia.isEmpty())
                ultimaProvincia_ = x.provincia;
        }
        j = k;
        return true;
    }
    case Cat::AttoUe: {
        if (!leggiAttoUe(f, i, j, a))
            return false;
        atti.append(a);
        // "regolamenti (CEE) n. 1408/71 e 574/72", "direttive 97/51/CE e 98/10/CE": one kind, several
        // acts (a few).
        for (int giri = 0; giri < 20; ++giri) {
            int s = segno(j, u',') ? j + 1 : j;
            if (cat(s, Cat::Congiunzione))
                ++s;
            const Frase q = frase(s);
            const bool conQualifica = q && q.voce->cat == Cat::QualificaUe;
            const int dopo = conQualifica ? q.fine : s;
            const Frase nn = frase(dopo);
            const int cifre = nn && nn.voce->cat == Cat::Numero ? nn.fine : dopo;
            if (s == j || !numero(cifre) || !segno(cifre + 1, u'/'))
                break;
            Atto b;
            b.inizio = inizio(s);
            int k2 = s;
            if (!leggiAttoUe(f, s, k2, b, s, a.nome.section(u' ', -1)))
                break;
            atti.append(b);
            j = k2;
        }
        return true;
    }
    case Cat::Codice:
    case Cat::Costituzione:
        if (!dopoArticolo)
            return false;
        a.TP = QStringLiteral("LIC");
        a.nome = v.cat == Cat::Costituzione ? QStringLiteral("Cost.") : v.testoNome();
        break;
    case Cat::Trattato:
        if (!dopoArticolo)
            return false;
        a.TP = v.testoTP();
        a.nome = v.testoNome();
        break;
    case Cat::Convenzione: {
        // "della Convenzione" alone is the ECHR where the text speaks of Strasbourg; "della
        // Convenzione di Vienna", "Convenzione ONU", "Convenzione sui diritti ..." are others.
        const int dopo = f.fine;
        const bool specificata =
            esiste(dopo) && t_.at(dopo).tipo == TipoToken::Parola &&
            (t_.at(dopo).maiuscola || cat(dopo, Cat::Connettivo) || parola(dopo, u"sul") ||
             parola(dopo, u"sulla") || parola(dopo, u"sui") || parola(dopo, u"sugli") ||
             parola(dopo, u"per") || parola(dopo, u"relativa") || parola(dopo, u"contro") ||
             parola(dopo, u"internazionale") || parola(dopo, u"quadro"));
        if (!dopoArticolo || !contestoCedu_ || specificata)
            return false;
        a.TP = QStringLiteral("NIT");
        a.nome = QStringLiteral("CEDU");
        break;
    }
    case Cat::Nominato: {
        if (!dopoArticolo)
            return false;
        a.TP = v.testoTP();
        a.nome = v.testoNome();
        const QString extra = v.testoExtra(); // "1990-08-07;241"
        a.data = {extra.mid(8, 2).toInt(), extra.mid(5, 2).toInt(), extra.left(4).toInt()};
        a.anno = a.data.a;
        a.numero = extra.mid(11);
        break;
    }
    case Cat::Rinvio:
        return leggiRinvio(i, j, atti);
    case Cat::TestoUnico: {
        // "testo unico delle disposizioni ..., approvato con D.P.R. 28 dicembre 1985, n. 1092"
        for (int s = f.fine; s < f.fine + 80 && esiste(s); ++s) {
            if (segno(s, u';') || t_.at(s).rigaVuota || cat(s, Cat::Articolo))
                return false;
            const Frase x = frase(s);
            if (x && x.voce->cat == Cat::Approvato) {
                QList<Atto> trovati;
                if (!leggiAtti(x.fine, j, trovati, true) || trovati.isEmpty())
                    return false;
                testoUnico_ = trovati.first();
                atti += trovati;
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
    a.fine = fine(f.fine);
    atti.append(a);
    j = f.fine;
    return true;
}

void Lettore::registra(const Atto& a) {
    if (a.rinvio)
        return;
    atti_.append(a);
    if (attoImplicito(a))
        distintiImpliciti_.insert(a.nome + u'|' + a.numero + u'|' + QString::number(a.anno));
}

bool Lettore::provaAtto(int i, int& j) {
    if (!inizioFrase(i))
        return false;
    const Frase f = frase(i);
    if (!f)
        return false;
    QList<Atto> atti;
    int k = i;
    switch (f.voce->cat) {
    case Cat::Atto:
    case Cat::AttoUe:
        if (!leggiAtti(i, k, atti, false))
            return false;
        break;
    case Cat::Rinvio:
        // "il medesimo d.l. n. 78 del 2010": an act named again with its number.
        if (!cat(f.fine, Cat::Atto) || !leggiAtti(i, k, atti, false) || atti.isEmpty() ||
            atti.first().generico)
            return false;
        break;
    case Cat::Costituzione:
    case Cat::Trattato:
    case Cat::Codice:
    case Cat::Nominato:
        // Named without an article: only as the head of an article list ("Costituzione, artt. 41
        // e 117"), or the first mention of a code or act by its name ("codice della strada",
        // "Statuto dei lavoratori"); a treaty alone ("la CEDU") is mostly talk about it.
        if (!leggiAtti(i, k, atti, true))
            return false;
        break;
    default:
        return false;
    }
    // The act before its articles: "Legge della Regione Lombardia 3 marzo 2006, n. 6, art. 7",
    // "Direttiva 93/13/CEE - Articolo 6, paragrafo 1".
    if (atti.size() == 1) {
        const int s = segno(k, u',') || segno(k, u'-') ? k + 1 : k;
        const Frase art = frase(s);
        if (art && art.voce->cat == Cat::Articolo && numero(art.fine)) {
            Gruppo g;
            g.inizio = atti.first().inizio;
            bool plurale = art.voce->valore == 1;
            int fineLista = art.fine;
            QList<Atto> altri;
            int x = fineLista;
            if (leggiArticoli(art.fine, fineLista, g, plurale) && collegaAtto(fineLista, x, g, altri) == 0) {
                emetti(g, atti.first(), g.inizio, g.fine);
                registra(atti.first());
                j = fineLista;
                return true;
            }
        }
    }
    const Atto& primo = atti.first();
    const bool nudo =
        primo.TP == u"LIC" || primo.TP == u"NIT" || f.voce->cat == Cat::Nominato ||
        (primo.TP == u"NIC" && !primo.nome.startsWith(QStringLiteral("Reg.")) &&
         !primo.nome.startsWith(QStringLiteral("Dir.")) && !primo.nome.startsWith(QStringLiteral("Dec.")));
    if (nudo) {
        // A code by its full name, once, and not as the title in parentheses after its act.
        bool titolo = false;
        for (int x = i - 1; x >= 0 && x >= i - 3 && !titolo; --x)
            titolo = segno(x, u'(') || parola(x, u"recante") || parola(x, u"cosiddetto") ||
                     parola(x, u"detto") || parola(x, u"denominato");
        // "il Codice ... di cui al decreto legislativo 30 giugno 2003, n. 196": the act follows.
        for (int x = k; x < k + 3 && esiste(x) && !titolo; ++x)
            titolo = cat(x, Cat::Approvato) || (segno(x, u'(') && cat(x + 1, Cat::Atto));
        // A name of one word is a name only in capitals ("TUE", "Cedu"; not "le tue").
        const bool unaParola = f.fine == i + 1 || (f.fine == i + 2 && segno(i + 1, u'.'));
        if (unaParola && t_.at(i).forma.size() < 3)
            return false;
        const QString chiave = primo.nome + u'|' + primo.numero;
        const bool perNome = f.voce->cat != Cat::Costituzione && f.voce->cat != Cat::Trattato && !titolo && !codiciNominati_.contains(chiave) &&
                             (!unaParola || t_.at(i).maiuscola) &&
                             (f.voce->cat != Cat::Codice || !QStringView(f.voce->frase).contains(u'.'));
        if (!perNome)
            return false;
        codiciNominati_.insert(chiave);
    }
    for (const Atto& a : std::as_const(atti)) {
        emettiAtto(a);
        registra(a);
    }
    j = k;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Articles.

int Lettore::leggiSottoparti(int i, Articolo& a) const {
    int k = i;
    for (;;) {
        int s = segno(k, u',') ? k + 1 : k;
        const bool parentesi = segno(s, u'(');
        if (parentesi)
            ++s;
        int s2 = s;
        const Frase f = frase(s);
        if (leggiCommi(s, s2, a)) {
            // "comma 1) lettera a)": the paragraph written as a point.
            if (!parentesi && segno(s2, u')') && attaccato(s2))
                ++s2;
        } else if (f && f.voce->cat == Cat::Numero && f.voce->valore == 0 && numero(f.fine) &&
                   !segno(f.fine + 1, u'/')) {
            // "art. 9, n. 2": a point of the article.
            Data d;
            int x = 0;
            if (leggiData(f.fine, x, d))
                break;
            if (a.parti.isEmpty())
                a.parti.append(Parte{});
            a.parti.last().punto = t_.at(f.fine).forma.toString();
            s2 = f.fine + 1;
            // "numero 3)", as the letters are written
            if (segno(s2, u')') && !parentesi)
                ++s2;
        } else if (f && f.voce->cat == Cat::Lettera) {
            QStringList lettere;
            QList<std::pair<qsizetype, qsizetype>> dove;
            if (!leggiLettere(s, s2, lettere, &dove))
                break;
            if (a.parti.isEmpty())
                a.parti.append(Parte{});
            Parte base = a.parti.takeLast();
            for (qsizetype x = 0; x < lettere.size(); ++x) {
                Parte p = base;
                p.lettera = lettere.at(x);
                p.inizio = x == 0 && base.inizio >= 0 ? base.inizio : dove.at(x).first;
                p.fine = dove.at(x).second;
                a.parti.append(p);
            }
        } else if (f && f.voce->cat == Cat::Ordinale && cat(f.fine, Cat::Periodo)) {
            s2 = frase(f.fine).fine; // "quarto periodo": not recorded
        } else if (f && f.voce->cat == Cat::Periodo) {
            s2 = f.fine;
            const Frase o = frase(s2);
            if (numero(s2))
                ++s2;
            else if (o && o.voce->cat == Cat::Ordinale)
                s2 = o.fine;
        } else {
            break;
        }
        if (parentesi) {
            if (!segno(s2, u')'))
                break;
            ++s2;
        }
        k = s2;
    }
    return k;
}

bool Lettore::leggiCommi(int i, int& j, Articolo& a) const {
    if (!esiste(i))
        return false;
    const Frase f = frase(i);
    // "I co.", "II comma": the paragraph in Roman numerals; "ultimo comma": none recorded.
    const int romanoComma = t_.at(i).maiuscola && t_.at(i).forma.size() <= 4 ? romanoDi(t_.at(i).forma) : 0;
    if (romanoComma > 0 && cat(i + 1, Cat::Comma)) {
        a.parti.append(Parte{QString::number(romanoComma), {}, {}, {}});
        j = frase(i + 1).fine;
        return true;
    }
    if ((parola(i, u"ultimo") || parola(i, u"penultimo")) && cat(i + 1, Cat::Comma) &&
        frase(i + 1).voce->valore == 0) {
        j = frase(i + 1).fine;
        return true;
    }
    if (!f)
        return false;
    if (f.voce->cat == Cat::Capoverso) {
        a.parti.append(Parte{QStringLiteral("2"), {}, {}, {}});
        j = f.fine;
        return true;
    }
    if (f.voce->cat == Cat::Ordinale) {
        // "quinto comma", "primo e secondo comma"
        QStringList ordinali{QString::number(f.voce->valore)};
        int k = f.fine;
        for (;;) {
            int s = segno(k, u',') ? k + 1 : k;
            if (cat(s, Cat::Congiunzione))
                ++s;
            const Frase o = frase(s);
            if (s == k || !o || o.voce->cat != Cat::Ordinale)
                break;
            ordinali << QString::number(o.voce->valore);
            k = o.fine;
        }
        const Frase c = frase(k);
        if (!c || c.voce->cat != Cat::Comma)
            return false;
        for (const QString& o : std::as_const(ordinali))
            a.parti.append(Parte{o, {}, {}, {}});
        j = c.fine;
        return true;
    }
    if (f.voce->cat != Cat::Comma && f.voce->cat != Cat::Paragrafo)
        return false;
    const bool plurale = f.voce->valore == 1;
    int k = f.fine;
    bool letti = false;
    for (;;) {
        Parte p;
        const Frase o = frase(k);
        const int primo = k;
        if (parola(k, u"da") && numero(k + 1) && parola(k + 2, u"a") && numero(k + 3)) {
            p.comma = t_.at(k + 1).forma.toString() + u'-' + t_.at(k + 3).forma.toString();
            k += 4;
        } else if (numero(k)) {
            p.comma = t_.at(k).forma.toString();
            ++k;
            // "c. 1°"
            if ((segno(k, u'°') || segno(k, u'º')) && attaccato(k))
                ++k;
            QString suff;
            int k2 = k;
            if (leggiSuffisso(k, k2, suff)) {
                p.suffissoComma = suff;
                k = k2;
            } else if (plurale && segno(k, u'-') && numero(k + 1)) {
                p.comma += u'-' + t_.at(k + 1).forma.toString();
                k += 2;
            }
        } else if (o && o.voce->cat == Cat::Ordinale) {
            p.comma = QString::number(o.voce->valore);
            k = o.fine;
        } else {
            break;
        }
        p.inizio = inizio(primo);
        p.fine = fine(k);
        a.parti.append(p);
        letti = true;
        // A letter of this paragraph: "commi primo, secondo, lett. e), e terzo".
        int s = segno(k, u',') ? k + 1 : k;
        if (cat(s, Cat::Lettera)) {
            QStringList lettere;
            QList<std::pair<qsizetype, qsizetype>> dove;
            int k2 = s;
            if (leggiLettere(s, k2, lettere, &dove)) {
                const Parte base = a.parti.takeLast();
                for (qsizetype x = 0; x < lettere.size(); ++x) {
                    Parte q = base;
                    q.lettera = lettere.at(x);
                    q.inizio = x == 0 ? base.inizio : dove.at(x).first;
                    q.fine = dove.at(x).second;
                    a.parti.append(q);
                }
                k = k2;
            }
        }
        if (!plurale)
            break;
        s = segno(k, u',') ? k + 1 : k;
        if (cat(s, Cat::Congiunzione))
            ++s;
        const Frase dopo = frase(s);
        const bool ordinale = dopo && dopo.voce->cat == Cat::Ordinale && !cat(dopo.fine, Cat::Comma) &&
                              !cat(dopo.fine, Cat::Periodo);
        if (s == k || !(numero(s) || ordinale))
            break;
        k = s;
    }
    if (!letti)
        return false;
    j = k;
    return true;
}

bool Lettore::leggiLettere(int i, int& j, QStringList& lettere,
                           QList<std::pair<qsizetype, qsizetype>>* posizioni) const {
    const Frase f = frase(i);
    if (!f || f.voce->cat != Cat::Lettera)
        return false;
    int k = f.fine;
    bool parentesi = false;
    for (;;) {
        if (!esiste(k) || t_.at(k).tipo != TipoToken::Parola || t_.at(k).forma.size() > 2)
            break;
        QString l = t_.at(k).forma.toString();
        int k2 = k + 1;
        QString suff;
        if (leggiSuffisso(k2, k2, suff))
            l += u'-' + suff;
        const bool chiusa = segno(k2, u')');
        if (lettere.isEmpty()) {
            parentesi = chiusa;
            // "lett. c, c.d.s.": the letter, not the first letter of an abbreviation.
            if (!chiusa && segno(k2, u'.') && attaccato(k2) && esiste(k2 + 1) && attaccato(k2 + 1))
                break;
        } else if (chiusa != parentesi || (segno(k2, u'.') && attaccato(k2))) {
            break;
        }
        lettere << l;
        if (posizioni)
            posizioni->append({inizio(k), t_.at(chiusa ? k2 : k2 - 1).fine});
        k = chiusa ? k2 + 1 : k2;
        int s = segno(k, u',') ? k + 1 : k;
        if (cat(s, Cat::Congiunzione))
            ++s;
        if (s == k)
            break;
        // The next letter must follow its list; "e terzo" or ", c.d.s." end it.
        if (!esiste(s) || t_.at(s).tipo != TipoToken::Parola || t_.at(s).forma.size() > 2 ||
            (parentesi && !segno(s + 1, u')')))
            break;
        k = s;
    }
    if (lettere.isEmpty())
        return false;
    j = k;
    return true;
}

bool Lettore::leggiArticoli(int i, int& j, Gruppo& g, bool& plurale) {
    int k = i;
    QString suffissoSolo;
    int dopoSuffisso = k;
    // Each article at k: a number, or in a list a suffix alone, of the number before it
    // ("artt. 25, 25-bis, ter, quater").
    while (numero(k) || (!g.articoli.isEmpty() && leggiSuffisso(k, dopoSuffisso, suffissoSolo))) {
        Articolo a;
        a.inizio = inizio(k);
        QString suff;
        int k2 = k;
        if (numero(k)) {
            a.numero = t_.at(k).forma.toString();
            ++k;
            k2 = k;
        } else {
            a.numero = g.articoli.last().numero;
            k2 = k;
        }
        if (leggiSuffisso(k, k2, suff)) {
            a.suffisso = suff;
            k = k2;
            // "art. 380-bis.1 c.p.c.", "bis.1"
            if (segno(k, u'.') && attaccato(k) && numero(k + 1) && attaccato(k + 1)) {
                a.suffisso += u'.' + t_.at(k + 1).forma.toString();
                k += 2;
            }
        } else if (plurale && segno(k, u'-') && numero(k + 1)) {
            a.numero += u'-' + t_.at(k + 1).forma.toString();
            k += 2;
        }
        k = leggiSottoparti(k, a);
        a.fine = fine(k);
        g.articoli.append(a);
        // The next article of the list: "artt. 3, 24 e 111", "art. 348-bis e 348-ter", "e l'art. 18".
        int s = k;
        const bool virgola = segno(s, u',');
        if (virgola)
            ++s;
        const bool e = cat(s, Cat::Congiunzione);
        if (e)
            ++s;
        int s2 = s;
        for (int salti = 0; salti < 2; ++salti) {
            if (parola(s2, u"l") && segno(s2 + 1, u'\''))
                s2 += 2;
            else if (parola(s2, u"gli") || parola(s2, u"il") || parola(s2, u"lo"))
                ++s2;
            else
                s2 = dopoConnettivo(s2);
        }
        const Frase art = frase(s2);
        if ((virgola || e) && art && art.voce->cat == Cat::Articolo && numero(art.fine)) {
            plurale = plurale || art.voce->valore == 1;
            k = art.fine;
            continue;
        }
        if ((virgola || e) && plurale && !segno(s, u'-') && leggiSuffisso(s, dopoSuffisso, suffissoSolo)) {
            k = s;
            continue;
        }
        Data d;
        int x = 0;
        QString n;
        int an = 0;
        if (numero(s) && (e || (virgola && plurale)) && !leggiData(s, x, d) &&
            !leggiNumeroAnno(s, x, n, an)) {
            k = s;
            continue;
        }
        break;
    }
    j = k;
    if (!g.articoli.isEmpty())
        g.fine = fine(k);
    return !g.articoli.isEmpty();
}

int Lettore::collegaAtto(int i, int& j, const Gruppo& g, QList<Atto>& atti) {
    int s = i;
    const bool virgola = segno(s, u',');
    if (virgola)
        ++s;
    Frase f = frase(s);
    if (f && f.voce->cat == Cat::Rinvio && f.voce->valore == 1 && !virgola) {
        // "art. 186 cit.": the act of the article cited before.
        Atto a;
        j = f.fine;
        if (!perArticolo(g, a))
            return -1;
        a.fine = fine(f.fine);
        atti.append(a);
        return 1;
    }
    const int c = dopoConnettivo(s);
    const bool connettivo = c != s;
    f = frase(c);
    if (f && f.voce->cat == Cat::Presente) {
        j = esiste(f.fine) ? f.fine + 1 : f.fine;
        return -1;
    }
    if (f) {
        switch (f.voce->cat) {
        case Cat::Atto:
        case Cat::AttoUe:
        case Cat::Codice:
        case Cat::Costituzione:
        case Cat::Trattato:
        case Cat::Convenzione:
        case Cat::Nominato:
        case Cat::Rinvio:
        case Cat::TestoUnico:
            if (leggiAtti(c, j, atti, true))
                return 1;
            j = c;
            return connettivo ? -1 : 0;
        default:
            break;
        }
    }
    j = c;
    if (!esiste(c) || t_.at(c).tipo != TipoToken::Parola)
        return 0;
    // "del regolamento di procedura", "Prot. n. 1", "TUIR": an act this reader does not know.
    const bool sigla = t_.at(c).maiuscola || (segno(c + 1, u'.') && attaccato(c + 1));
    return connettivo || sigla ? -1 : 0;
}

bool Lettore::intestazione(int i, int fineLista) const {
    // "ART. 1." or "Art. 1" alone on its line: the heading of the text's own article.
    const bool aCapo = i == 0 || t_.at(i).aCapo;
    const int dopo = segno(fineLista, u'.') ? fineLista + 1 : fineLista;
    return aCapo && (!esiste(dopo) || t_.at(dopo).aCapo);
}

bool Lettore::perArticolo(const Gruppo& g, Atto& a) const {
    if (g.articoli.isEmpty())
        return false;
    const Articolo& art = g.articoli.first();
    for (auto it = out_.crbegin(); it != out_.crend() && it - out_.crbegin() < kIndietro; ++it) {
        if (it->decisione() || it->articolo != art.numero || it->suffisso != art.suffisso)
            continue;
        a = rinvioA(*it);
        return true;
    }
    return false;
}

bool Lettore::implicito(const Gruppo& g, int i, int fineLista, Atto& a) const {
    Q_UNUSED(fineLista);
    const qsizetype pos = g.inizio;
    // The last act cited before the article (read backwards: the acts are kept in the text's
    // order, so a long text does not make each article read them all).
    const Atto* ultimo = nullptr;
    for (auto it = atti_.crbegin(); it != atti_.crend() && it - atti_.crbegin() < kIndietro; ++it) {
        const Atto& x = *it;
        if (x.fine > pos || !attoImplicito(x))
            continue;
        if (pos - x.fine > kDistanzaImplicito)
            break;
        // "Visto il decreto-legge ..., convertito dalla legge ..., e in particolare l'articolo 19":
        // the article is the decree's.
        ultimo = &x;
        if (!x.conversione)
            break;
    }
    if (!ultimo || pos - ultimo->fine > kDistanzaImplicito)
        return false;
    for (int k = i; k >= 0 && t_.at(k).inizio > ultimo->fine; --k)
        if (t_.at(k).rigaVuota)
            return false;
    // The act the passage is about: the only one it has cited, or pointed at ("e in particolare").
    bool particolare = false;
    for (int k = std::max(0, i - 5); k < i; ++k)
        particolare = particolare || parola(k, u"particolare") || parola(k, u"segnatamente");
    if (!particolare && distintiImpliciti_.size() != 1)
        return false;
    a = *ultimo;
    a.rinvio = true;
    a.inizioRinvio = ultimo->inizio;
    a.fineRinvio = ultimo->fine;
    return true;
}

void Lettore::emettiAtto(const Atto& a) {
    Citazione c;
    c.TP = a.TP;
    c.nome = a.nome;
    c.giorno = a.data.g;
    c.mese = a.data.m;
    // An act of the Union takes its year from its number, not from the day it was adopted.
    c.anno = (a.TP == u"NIC" && a.anno > 0) || a.data.a <= 0 ? a.anno : a.data.a;
    if (a.TP == u"NIC" && c.anno != a.data.a) {
        // Adopted in the year before its number's: the date is not this year's.
        c.giorno = 0;
        c.mese = 0;
    }
    c.numero = a.numero;
    c.regione = a.regione;
    c.provincia = a.provincia;
    c.citta = a.citta;
    c.sezione = a.sezione;
    c.materia = a.materia;
    c.parti = a.parti;
    c.ordinanza = a.ordinanza;
    c.decreto = a.decreto;
    c.rinvio = a.rinvio;
    c.inizio = a.inizio;
    c.fine = a.fine;
    c.inizioRinvio = a.inizioRinvio;
    c.fineRinvio = a.fineRinvio;
    if (a.TP == u"LIC" && a.nome != u"Cost.")
        c.codice = a.nome;
    else if (!a.codice.isEmpty())
        c.codice = a.codice;
    else if (a.TP == u"LIO" && a.data.completa())
        c.codice = CodiceDellAtto(a.nome, c.data(), a.numero);
    out_.append(c);
    for (const QString& altro : a.altriNumeri) {
        out_.append(c);
        out_.last().numero = altro;
    }
}

void Lettore::emetti(const Gruppo& g, const Atto& a, qsizetype inizio, qsizetype fine) {
    // Each citation spans its own words, so that a list of n articles is not written n times:
    // the first from the list's start, the last up to its end (its act), the others alone,
    // with the act's place given apart.
    const qsizetype n = g.articoli.size();
    for (qsizetype x = 0; x < n; ++x) {
        const Articolo& art = g.articoli.at(x);
        const QList<Parte> parti = art.parti.isEmpty() ? QList<Parte>{Parte{}} : art.parti;
        const qsizetype np = parti.size();
        for (qsizetype y = 0; y < np; ++y) {
            const Parte& p = parti.at(y);
            const bool primo = x == 0 && y == 0;
            const bool ultimo = x + 1 == n && y + 1 == np;
            qsizetype da = primo ? inizio : (y > 0 && p.inizio >= 0 ? p.inizio : art.inizio);
            qsizetype fino = ultimo ? fine : (y + 1 < np && p.fine >= 0 ? p.fine : art.fine);
            if (da < 0)
                da = inizio;
            if (fino <= da)
                fino = ultimo ? std::max(fine, da + 1) : da + 1;
            Atto z = a;
            z.inizio = da;
            z.fine = std::min(fino, testo_.size());
            emettiAtto(z);
            Citazione& c = out_.last();
            c.articolo = art.numero;
            c.suffisso = art.suffisso;
            c.comma = p.comma;
            c.suffissoComma = p.suffissoComma;
            c.lettera = p.lettera;
            c.numeroPunto = p.punto;
            if (!a.rinvio && a.fine > a.inizio && (a.inizio < z.inizio || a.fine > z.fine)) {
                c.inizioAtto = a.inizio;
                c.fineAtto = a.fine;
            }
        }
    }
}

bool Lettore::chiudiGruppo(Gruppo& g, int i, int fineLista, int& j, bool plurale) {
    QList<Atto> atti;
    int k = fineLista;
    const int esito = collegaAtto(fineLista, k, g, atti);
    if (esito < 0) {
        j = k;
        return true;
    }
    if (esito == 0) {
        Atto a;
        if (implicito(g, i, fineLista, a))
            emetti(g, a, g.inizio, g.fine);
        j = fineLista;
        return true;
    }
    // "art. 111 Cost., comma 7": the paragraph written after the act.
    if (g.articoli.size() == 1 && g.articoli.first().parti.isEmpty() && segno(k, u',')) {
        const int k2 = leggiSottoparti(k, g.articoli.first());
        if (!g.articoli.first().parti.isEmpty())
            k = k2;
    }
    QList<std::pair<Gruppo, Atto>> gruppi{{g, atti.first()}};
    for (const Atto& a : std::as_const(atti))
        registra(a);
    // "artt. 35, r.d. n. 1054/1924, 19, legge n. 1034/1971", "art. 2697 c.c. e 115 c.p.c.": each
    // article before its act.
    for (;;) {
        int s = segno(k, u',') ? k + 1 : k;
        if (cat(s, Cat::Congiunzione))
            ++s;
        if (s == k || !numero(s) || (!plurale && s == k + 1 && segno(k, u',')))
            break;
        Gruppo altro;
        int fineAltro = s;
        bool p = plurale;
        if (!leggiArticoli(s, fineAltro, altro, p))
            break;
        QList<Atto> suoi;
        int k3 = fineAltro;
        if (collegaAtto(fineAltro, k3, altro, suoi) != 1)
            break;
        for (const Atto& a : std::as_const(suoi))
            registra(a);
        gruppi.append({altro, suoi.first()});
        k = k3;
    }
    // Each article before its own act: the first from the list's start, the others from their
    // first article, each up to its act.
    for (qsizetype x = 0; x < gruppi.size(); ++x) {
        const auto& [gruppo, atto] = gruppi.at(x);
        const qsizetype da = x == 0 ? g.inizio : gruppo.articoli.first().inizio;
        const qsizetype fino = x + 1 == gruppi.size() ? fine(k) : std::max(atto.fine, gruppo.fine);
        emetti(gruppo, atto, da, fino);
    }
    j = k;
    return true;
}

bool Lettore::provaArticolo(int i, int& j) {
    if (!inizioFrase(i))
        return false;
    Frase f = frase(i);
    if (!f)
        return false;
    bool rinvioPrima = false;
    int k = i;
    if (f.voce->cat == Cat::Rinvio && f.voce->valore == 0 && cat(f.fine, Cat::Articolo)) {
        // "ridetto art. 186": the article cited before, with its act.
        rinvioPrima = true;
        k = f.fine;
        f = frase(k);
    } else if (f.voce->cat != Cat::Articolo) {
        return provaParteAvanti(i, j);
    }
    if (!numero(f.fine))
        return false;
    Gruppo g;
    g.inizio = inizio(i);
    bool plurale = f.voce->valore == 1;
    int fineLista = f.fine;
    if (!leggiArticoli(f.fine, fineLista, g, plurale))
        return false;
    if (rinvioPrima) {
        Atto a;
        if (perArticolo(g, a))
            emetti(g, a, g.inizio, g.fine);
        j = fineLista;
        return true;
    }
    if (intestazione(k, fineLista)) {
        j = fineLista;
        return true;
    }
    return chiudiGruppo(g, i, fineLista, j, plurale);
}

bool Lettore::provaParteAvanti(int i, int& j) {
    const Frase f = frase(i);
    if (!f)
        return false;
    Articolo prima;
    int k = i;
    if (f.voce->cat == Cat::Lettera) {
        QStringList lettere;
        if (!leggiLettere(i, k, lettere))
            return false;
        // "le lettere a) e c) del comma 3 dell'articolo 7"
        Articolo commi;
        const int c = dopoConnettivo(k);
        int k2 = c;
        if (c != k && leggiCommi(c, k2, commi))
            k = k2;
        else
            commi.parti.append(Parte{});
        for (const Parte& p : std::as_const(commi.parti))
            for (const QString& l : std::as_const(lettere))
                prima.parti.append(Parte{p.comma, p.suffissoComma, l, {}});
    } else if (!leggiCommi(i, k, prima)) {
        return false;
    }
    const int c = dopoConnettivo(k);
    if (c == k)
        return commaNudo(i, k, prima, j);
    const Frase dopo = frase(c);
    if (!dopo)
        return false;
    Gruppo g;
    g.inizio = inizio(i);
    if (dopo.voce->cat == Cat::Articolo && dopo.voce->valore == 0 && numero(dopo.fine)) {
        // "comma 6 dell'articolo 55 del decreto legislativo ..."
        Articolo a;
        a.numero = t_.at(dopo.fine).forma.toString();
        int fineLista = dopo.fine + 1;
        QString suff;
        int k2 = fineLista;
        if (leggiSuffisso(fineLista, k2, suff)) {
            a.suffisso = suff;
            fineLista = k2;
        }
        a.parti = prima.parti;
        g.articoli.append(a);
        g.fine = fine(fineLista);
        return chiudiGruppo(g, i, fineLista, j, false);
    }
    if (dopo.voce->cat == Cat::Rinvio && dopo.voce->valore == 0 && cat(dopo.fine, Cat::Articolo)) {
        // "comma 2 dello stesso articolo": that article of the last act cited by article.
        for (auto it = out_.crbegin(); it != out_.crend() && it - out_.crbegin() < kIndietro; ++it) {
            if (it->decisione() || it->articolo.isEmpty())
                continue;
            Articolo a;
            a.numero = it->articolo;
            a.suffisso = it->suffisso;
            a.parti = prima.parti;
            g.articoli.append(a);
            const int fineArt = frase(dopo.fine).fine;
            emetti(g, rinvioA(*it), g.inizio, fine(fineArt));
            j = fineArt;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

QString Lettore::luogoVicino(qsizetype pos, bool provincia) {
    if (!luoghiLetti_) {
        // Every region and province the text names ("Sardegna\nLegge n. 21", "REGIONE DEL
        // VENETO", "Consiglio regionale della Lombardia"), read once.
        luoghiLetti_ = true;
        for (int k = 0; k < n_;) {
            const Frase f = t_.at(k).maiuscola ? frase(k) : Frase{};
            if (f && (f.voce->cat == Cat::NomeRegione || f.voce->cat == Cat::NomeProvincia)) {
                luoghi_.append({t_.at(k).inizio, f.voce->cat == Cat::NomeProvincia, f.voce->testoNome()});
                k = f.fine;
            } else {
                ++k;
            }
        }
    }
    // The nearest named before the act, else the first named after it.
    QString prima;
    for (const Luogo& l : std::as_const(luoghi_)) {
        if (l.provincia != provincia)
            continue;
        if (l.inizio > pos)
            return prima.isEmpty() ? l.codice : prima;
        prima = l.codice;
    }
    return prima;
}

bool Lettore::commaNudo(int i, int k, const Articolo& parti, int& j) {
    // "al comma 8", "dopo il comma 10" in the amendments to an article just cited: a paragraph of
    // that article. Not a paragraph with its own article or act after it, nor far from the article.
    if (!cat(i, Cat::Comma) && !cat(i, Cat::Ordinale) && !cat(i, Cat::Capoverso))
        return false;
    if (parti.parti.isEmpty() || cat(k, Cat::Articolo) || cat(k, Cat::Atto) || cat(k, Cat::Codice) ||
        segno(k, u'/') || segno(k, u'('))
        return false;
    // As amendments write it: "al comma 8", "dopo il comma 10", "il comma 2 è sostituito".
    const bool modifica = parola(i - 1, u"al") || parola(i - 1, u"il") || (parola(i - 1, u"i") && cat(i, Cat::Comma)) ||
                          parola(i - 1, u"dopo") || parola(i - 1, u"nel") || segno(i - 1, u':');
    // "di cui al comma 1": the text's own paragraph.
    if (!modifica || (parola(i - 1, u"al") && parola(i - 2, u"cui")) || !cat(i, Cat::Comma))
        return false;
    for (auto it = out_.crbegin(); it != out_.crend() && it - out_.crbegin() < kIndietro; ++it) {
        if (it->decisione())
            continue;
        if (it->articolo.isEmpty() || inizio(i) - it->fine > kDistanzaComma)
            return false;
        Gruppo g;
        g.inizio = inizio(i);
        Articolo a;
        a.numero = it->articolo;
        a.suffisso = it->suffisso;
        a.parti = parti.parti;
        g.articoli.append(a);
        g.fine = fine(k);
        emetti(g, rinvioA(*it), g.inizio, g.fine);
        j = k;
        return true;
    }
    return false;
}

void Lettore::aggiornaLuoghi(int i) {
    const Frase f = frase(i);
    if (!f || f.voce->valore != 0)
        return;
    if (f.voce->cat == Cat::Regione) {
        const Frase r = frase(f.fine);
        if (r && r.voce->cat == Cat::NomeRegione)
            ultimaRegione_ = r.voce->testoNome();
    } else if (f.voce->cat == Cat::Provincia) {
        int k = f.fine;
        if (parola(k, u"di"))
            ++k;
        const Frase p = frase(k);
        if (p && p.voce->cat == Cat::NomeProvincia)
            ultimaProvincia_ = p.voce->testoNome();
    }
}

QList<Citazione> Lettore::leggi() {
    for (int i = 0; i < n_;) {
        int j = i;
        if (provaArticolo(i, j) || provaSentenza(i, j) || provaAtto(i, j) || provaCausa(i, j) ||
            provaSigleCostituzionali(i, j)) {
            i = std::max(j, i + 1);
            continue;
        }
        aggiornaLuoghi(i);
        ++i;
    }
    unisciCauseUe();
    std::stable_sort(out_.begin(), out_.end(),
                     [](const Citazione& a, const Citazione& b) { return a.inizio < b.inizio; });
    // Offsets in code points: only characters outside the basic plane make them differ.
    QList<qsizetype> coppie;
    for (qsizetype k = 0; k + 1 < testo_.size(); ++k)
        if (testo_.at(k).isHighSurrogate() && testo_.at(k + 1).isLowSurrogate())
            coppie.append(k + 1);
    const auto punti = [&coppie](qsizetype offset) {
        return offset - (std::lower_bound(coppie.cbegin(), coppie.cend(), offset) - coppie.cbegin());
    };
    for (Citazione& c : out_) {
        c.inizioPunti = punti(c.inizio);
        c.finePunti = punti(c.fine);
        if (c.inizioAtto >= 0) {
            c.inizioAttoPunti = punti(c.inizioAtto);
            c.fineAttoPunti = punti(c.fineAtto);
        }
    }
    return out_;
}

} // namespace citazioni

bool Citazione::decisione() const {
    return TP.startsWith(QStringLiteral("GI")) || TP == u"GEC" || TP == u"GEI";
}

QString Citazione::data() const {
    if (giorno <= 0 || mese <= 0 || anno <= 0)
        return {};
    return QStringLiteral("%1-%2-%3")
        .arg(anno, 4, 10, QLatin1Char('0'))
        .arg(mese, 2, 10, QLatin1Char('0'))
        .arg(giorno, 2, 10, QLatin1Char('0'));
}

QList<Citazione> RiconosciCitazioni(const QString& testo) {
    return citazioni::Lettore(testo).leggi();
}

QString DescriviCitazione(const Citazione& c) {
    QStringList campi{c.TP, c.nome};
    const auto campo = [&campi](const char* nome, const QString& valore) {
        if (!valore.isEmpty())
            campi << QLatin1String(nome) + u'=' + valore;
    };
    campo("art", c.articolo + (c.suffisso.isEmpty() ? QString() : u'-' + c.suffisso));
    campo("comma", c.comma + (c.suffissoComma.isEmpty() ? QString() : u'-' + c.suffissoComma));
    campo("lett", c.lettera);
    campo("n.art", c.numeroPunto);
    campo("data", c.data());
    campo("anno", c.anno > 0 ? QString::number(c.anno) : QString());
    campo("n", c.numero);
    campo("codice", c.codice);
    campo("regione", c.regione);
    campo("provincia", c.provincia);
    campo("citta", c.citta);
    campo("sez", c.sezione);
    campo("materia", c.materia);
    campo("parti", c.parti);
    if (c.ordinanza)
        campi << QStringLiteral("ord.");
    if (c.decreto)
        campi << QStringLiteral("decr.");
    if (c.rinvio)
        campi << QStringLiteral("rinvio");
    return campi.join(u' ');
}
