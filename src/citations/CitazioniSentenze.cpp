// Decisions cited in the text: the court, its section, the kind of decision, date and number, and
// the short lists that name the court once ("Cons. Stato, VI, ...; III, ...").

#include "citations/CitazioniLettore.h"

namespace citazioni {

using lessico::TipoToken;

namespace {

int romano(QStringView r) {
    static const char16_t* const numeri[] = {u"i",  u"ii",  u"iii",  u"iv", u"v",
                                             u"vi", u"vii", u"viii", u"ix", u"x"};
    for (int k = 0; k < 10; ++k)
        if (r == QStringView(numeri[k]))
            return k + 1;
    return 0;
}

bool corteDiCassazione(const Atto& a) {
    return a.TP == u"GICA";
}

} // namespace

bool Lettore::leggiSezione(int i, int& j, Atto& atto, bool nuda) const {
    Atto a = atto;
    const Frase f = frase(i);
    if (f && f.voce->cat == Cat::SezioneNominata) {
        atto.sezione = f.voce->testoNome();
        j = f.fine;
        return true;
    }
    // "Quarta Sezione"
    if (f && f.voce->cat == Cat::Ordinale && cat(f.fine, Cat::Sezione)) {
        atto.sezione = QStringLiteral("sez. ") + Romano(f.voce->valore);
        j = frase(f.fine).fine;
        return true;
    }
    int k = i;
    if (f && f.voce->cat == Cat::Sezione) {
        k = f.fine;
        nuda = false; // "sez." says what follows
    } else if (!nuda) {
        return false;
    }
    if (!esiste(k))
        return false;
    const Frase d = frase(k);
    const QStringView forma = t_.at(k).forma;
    if (d && d.voce->cat == Cat::Ordinale) {
        a.sezione = QStringLiteral("sez. ") + Romano(d.voce->valore);
        k = d.fine;
    } else if (numero(k) && forma.size() <= 2 && valore(k) >= 1 && valore(k) <= 10) {
        a.sezione = QStringLiteral("sez. ") + Romano(valore(k));
        ++k;
        // "Sez. 6-3", "Sez. 6 - 1": a subsection of the sixth, recorded as the sixth; "Sez. 1 -,".
        if (segno(k, u'-') && numero(k + 1) && valore(k + 1) <= 9)
            k += 2;
        else if (segno(k, u'-') && segno(k + 1, u','))
            ++k;
    } else if (t_.at(k).tipo == TipoToken::Parola && romano(forma) > 0) {
        a.sezione = QStringLiteral("sez. ") + Romano(romano(forma));
        ++k;
    } else if ((forma == u"l" && nuda && corteDiCassazione(a)) || forma == u"lav" || forma == u"lavoro") {
        a.sezione = QStringLiteral("sez. lav.");
        ++k;
    } else if (forma == u"un" || forma == u"unite" || forma == u"u") {
        a.sezione = QStringLiteral("sez. un.");
        ++k;
    } else if (forma == u"trib" || forma == u"tributaria") {
        a.sezione = QStringLiteral("sez. trib.");
        ++k;
    } else if (forma == u"giur" || forma == u"giurisd" || forma == u"giurisdizionale") {
        a.sezione = QStringLiteral("sez. giur.");
        ++k;
    } else if (forma == u"contr" || forma == u"controllo") {
        a.sezione = QStringLiteral("sez. contr.");
        ++k;
    } else if (forma == u"riun" || forma == u"riunite") {
        a.sezione = QStringLiteral("sez. riun.");
        ++k;
    } else {
        return false;
    }
    // "Sez. II-bis", "sez. III quater"
    QString suffisso;
    int k2 = k;
    if (a.sezione.startsWith(QStringLiteral("sez. ")) && leggiSuffisso(k, k2, suffisso)) {
        a.sezione += u' ' + suffisso;
        k = k2;
    }
    if (nuda && !(segno(k, u',') || segno(k, u';')))
        return false;
    if (!nuda && segno(k, u'.') && attaccato(k))
        ++k;
    atto.sezione = a.sezione;
    j = k;
    return true;
}

bool Lettore::leggiCorte(int i, int& j, Atto& a) {
    const Frase f = frase(i);
    if (!f || f.voce->cat != Cat::Corte)
        return false;
    a.TP = f.voce->testoTP();
    a.nome = f.voce->testoNome();
    int k = f.fine;
    if (a.TP == u"GEC") {
        const Frase u = frase(k);
        if (u && u.voce->cat == Cat::Ue) {
            k = u.fine;
        } else if (u && u.voce->cat == Cat::QualificaUe) {
            if (u.voce->testoNome() != u"UE")
                a.nome = QStringLiteral("C. giust. CE");
            k = u.fine;
        }
    }
    if (corteDiCassazione(a)) {
        const Frase m = frase(k);
        if (m && m.voce->cat == Cat::Materia) {
            a.materia = m.voce->testoNome();
            k = m.fine;
        }
    }
    const auto nomeProprio = [this](int x) {
        if (!esiste(x) || t_.at(x).tipo != TipoToken::Parola || !t_.at(x).maiuscola)
            return false;
        const Frase p = frase(x);
        return !p || p.voce->cat == Cat::NomeProvincia;
    };
    if (f.voce->valore == lessico::CorteConCitta) {
        // "Trib. Milano", "Tribunale di Milano", "Corte d'appello di Roma": the compact form of a
        // precedent; "sentenza del Tribunale di Milano, datata ..." is the case's own history.
        int s = parola(k, u"di") ? k + 1 : k;
        if (!nomeProprio(s))
            return false;
        int e = s + 1;
        if (nomeProprio(e) && !t_.at(e).aCapo)
            ++e;
        a.citta = testo_.mid(inizio(s), fine(e) - inizio(s));
        k = e;
    } else if (f.voce->valore == lessico::CorteConRegione) {
        int s = dopoConnettivo(k);
        if (parola(s, u"per"))
            s = dopoConnettivo(s + 1);
        const Frase r = frase(s);
        if (!r || r.voce->cat != Cat::NomeRegione)
            return false;
        a.regione = r.voce->testoNome();
        k = r.fine;
        int c = segno(k, u',') || segno(k, u'-') ? k + 1 : k;
        if (nomeProprio(c)) {
            a.citta = testo_.mid(inizio(c), t_.at(c).fine - inizio(c));
            k = c + 1;
        }
    }
    j = k;
    return true;
}

bool Lettore::leggiCoda(int i, int& j, Atto& a, bool inizioCoda) {
    int k = i;
    int fineUtile = -1;
    bool dopoVirgola = inizioCoda;
    for (int giri = 0; giri < 30 && esiste(k); ++giri) {
        if (t_.at(k).rigaVuota && k != i)
            break;
        if (segno(k, u',')) {
            ++k;
            dopoVirgola = true;
            continue;
        }
        const Frase f = frase(k);
        int k2 = k;
        const bool nuda = dopoVirgola && a.sezione.isEmpty() && a.numero.isEmpty() && !a.data.completa();
        dopoVirgola = false;
        if (f && f.voce->cat == Cat::Materia) {
            // "Cass. civ.", "sez. IX civile": the matter is kept beside a Cassazione section only.
            if (corteDiCassazione(a))
                a.materia = f.voce->testoNome();
            k = fineUtile = f.fine;
            continue;
        }
        if (leggiSezione(k, k2, a, nuda)) {
            k = fineUtile = k2;
            continue;
        }
        if (f && f.voce->cat == Cat::NomeRegione && a.regione.isEmpty() && a.TP == u"GICC") {
            // "Corte dei conti, sez. giur. Lazio"
            a.regione = f.voce->testoNome();
            k = fineUtile = f.fine;
            continue;
        }
        if (f && f.voce->cat == Cat::TipoDecisione) {
            a.ordinanza = a.ordinanza || f.voce->valore == lessico::DecisioneOrdinanza;
            a.decreto = a.decreto || f.voce->valore == lessico::DecisioneDecreto;
            k = fineUtile = f.fine;
            continue;
        }
        if (segno(k, u'(')) {
            // "(data ud. 18/12/2017)": the hearing, not the decision.
            int s = k + 1;
            bool udienza = false;
            while (esiste(s) && s < k + 14 && !segno(s, u')')) {
                const QStringView w = t_.at(s).forma;
                udienza = udienza || w == u"ud" || w == u"udienza" || w == u"dep" || w == u"data";
                ++s;
            }
            if (!udienza || !segno(s, u')'))
                break;
            k = s + 1;
            continue;
        }
        Data d;
        int s = dopoDel(t_, k);
        if (s == k && parola(k, u"in") && parola(k + 1, u"data"))
            s = k + 2;
        if (!a.data.completa() && leggiData(s, k2, d)) {
            a.data = d;
            if (a.anno == 0)
                a.anno = d.a;
            k = fineUtile = k2;
            continue;
        }
        QString n;
        int an = 0;
        // "Cass. 2095/94", "Cass. n. 4572/86": the Courts' own numbers with a two-digit year.
        const bool dueCifre = corteDiCassazione(a) || a.TP == u"GICO";
        if (a.numero.isEmpty() &&
            (leggiNumero(k, k2, n, an, dueCifre) || leggiNumeroAnno(k, k2, n, an, dueCifre) ||
             numeroNudo(k, k2, n))) {
            a.numero = n;
            if (an > 0)
                a.anno = an;
            k = fineUtile = k2;
            // "n. 348 e n. 349", "nn. 8827 e 8828", "348-349/2007": decisions of one date and court
            // (a few: a longer run is not a list of decisions).
            for (int giri = 0; giri < 20; ++giri) {
                int s2 = k;
                if (segno(s2, u'-') && attaccato(s2) && numero(s2 + 1) && attaccato(s2 + 1)) {
                    a.altriNumeri << t_.at(s2 + 1).forma.toString();
                    k = fineUtile = s2 + 2;
                    if (segno(k, u'/') && attaccato(k) && (anno4(k + 1) || (dueCifre && numero(k + 1) &&
                                                                             t_.at(k + 1).forma.size() == 2))) {
                        a.anno = annoDaDueCifre(k + 1);
                        k = fineUtile = k + 2;
                    }
                    continue;
                }
                const bool virgola = segno(s2, u',');
                if (virgola)
                    ++s2;
                const bool e = cat(s2, Cat::Congiunzione);
                if (e)
                    ++s2;
                if (!virgola && !e)
                    break;
                const Frase nn = frase(s2);
                const int x = nn && nn.voce->cat == Cat::Numero ? nn.fine : s2;
                Data d2;
                int y = x;
                if (!numero(x) || (x == s2 && !e) || leggiData(x, y, d2))
                    break;
                QString n2;
                int an2 = 0;
                if (leggiNumeroAnno(x, y, n2, an2, dueCifre)) {
                    a.altriNumeri << n2;
                    a.anno = an2;
                } else {
                    a.altriNumeri << t_.at(x).forma.toString();
                    y = x + 1;
                }
                k = fineUtile = y;
            }
            // "n. 26972 del 2008"
            const int y = dopoDel(t_, k);
            if (y != k && !a.data.completa() && !leggiData(y, k2, d) && anno4(y) && a.anno == 0) {
                a.anno = valore(y);
                k = fineUtile = y + 1;
            }
            continue;
        }
        if (a.TP == u"GEC" && a.numero.isEmpty() &&
            ((f && f.voce->cat == Cat::Causa) || parola(k, u"c") || parola(k, u"t"))) {
            const int c = f && f.voce->cat == Cat::Causa ? f.fine : k;
            if ((parola(c, u"c") || parola(c, u"t")) && segno(c + 1, u'-') && numero(c + 2) &&
                segno(c + 3, u'/') && numero(c + 4)) {
                a.numero = t_.at(c).forma.toString().toUpper() + u'-' + t_.at(c + 2).forma.toString() + u'/' +
                           t_.at(c + 4).forma.toString();
                k = fineUtile = c + 5;
                continue;
            }
            break;
        }
        if (a.TP == u"GEI" && f && f.voce->cat == Cat::Ricorso) {
            // "ric. n. 43887/04": the application number.
            int c = f.fine;
            const Frase nn = frase(c);
            if (nn && nn.voce->cat == Cat::Numero)
                c = nn.fine;
            if (numero(c) && segno(c + 1, u'/') && numero(c + 2)) {
                if (a.numero.isEmpty())
                    a.numero = t_.at(c).forma.toString() + u'/' + t_.at(c + 2).forma.toString();
                k = fineUtile = c + 3;
                continue;
            }
            break;
        }
        if (a.TP == u"GEI" && a.parti.isEmpty() && esiste(k) && t_.at(k).maiuscola) {
            // "D'Addona c. Italia", "Rossi e altri contro Italia"
            int c = k;
            while (c < k + 8 && esiste(c) && (t_.at(c).tipo == TipoToken::Parola || segno(c, u'\'')) &&
                   !parola(c, u"c") && !parola(c, u"contro"))
                ++c;
            const int stato = parola(c, u"c") && segno(c + 1, u'.') ? c + 2
                              : parola(c, u"contro")                ? c + 1
                                                                    : -1;
            if (stato < 0 || !esiste(stato) || !t_.at(stato).maiuscola)
                break;
            a.parti = testo_.mid(inizio(k), t_.at(stato).fine - inizio(k));
            k = fineUtile = stato + 1;
            continue;
        }
        break;
    }
    if (fineUtile < 0)
        return false;
    j = fineUtile;
    return true;
}

void Lettore::continuazioni(int& j, const Atto& modello) {
    for (;;) {
        int s = j;
        if (!segno(s, u';') && !segno(s, u','))
            return;
        ++s;
        // "id., sez. II, 6 maggio 2020, n. 4100": the same court again.
        if (parola(s, u"id") && segno(s + 1, u'.'))
            s = segno(s + 2, u',') ? s + 3 : s + 2;
        if (cat(s, Cat::Corte) || !esiste(s))
            return;
        Atto b;
        b.TP = modello.TP;
        b.nome = modello.nome;
        b.materia = modello.materia;
        b.regione = modello.regione;
        b.citta = modello.citta;
        b.inizio = inizio(s);
        int k = s;
        if (!leggiCoda(s, k, b, true) || b.numero.isEmpty())
            return;
        b.fine = fine(k);
        emettiAtto(b);
        j = k;
    }
}

bool Lettore::provaSentenza(int i, int& j) {
    if (!inizioFrase(i))
        return false;
    const Frase f = frase(i);
    if (!f)
        return false;
    if (f.voce->cat == Cat::TipoDecisione)
        return provaDecisioneNuda(i, j);
    Atto a;
    a.inizio = inizio(i);
    int k = i;
    if (f.voce->cat == Cat::Codice && f.voce->testoNome() == u"c. strada" && segno(f.fine, u',')) {
        // "C.d.S., sez. III, n. 1234/2019": the Council of State, not the highway code.
        a.TP = QStringLiteral("GIA");
        a.nome = QStringLiteral("Cons. St.");
        k = f.fine;
    } else if ((f.voce->cat == Cat::Sezione || f.voce->cat == Cat::SezioneNominata) && contestoCass_) {
        // "Sez. 3, Sentenza n. 12345 del 10/05/2019": the Cassazione's own way of citing itself.
        a.TP = QStringLiteral("GICA");
        a.nome = QStringLiteral("Cass.");
        int x = i;
        if (!leggiSezione(i, x, a, false) || !segno(x, u','))
            return false;
        Atto prova = a;
        int y = x;
        if (!leggiCoda(x, y, prova, false) || prova.numero.isEmpty())
            return false;
    } else if (f.voce->cat != Cat::Corte || !leggiCorte(i, k, a)) {
        return false;
    }
    if (f.voce->cat == Cat::Corte && f.voce->valore != lessico::CorteSuprema) {
        // A lower court is cited as a precedent in the compact form ("Trib. Milano, 12 marzo
        // 2010"); "la sentenza del Tribunale di Milano del ..." is the history of the case.
        Data d;
        int x = k;
        if (i > 0 && cat(i - 1, Cat::Connettivo))
            return false;
        if (!segno(k, u',') && !leggiData(k, x, d) && !cat(k, Cat::Sezione))
            return false;
    }
    int k2 = k;
    if (!leggiCoda(k, k2, a, false) || (a.numero.isEmpty() && !a.data.completa()))
        return false;
    if (a.TP == u"GIO" && a.data.a == 0 && a.anno == 0)
        return false;
    a.fine = fine(k2);
    emettiAtto(a);
    j = k2;
    continuazioni(j, a);
    return true;
}

bool Lettore::numeroNudo(int i, int& j, QString& n) const {
    // "Corte Cost. 348 e 349 del 24.10.07", "sentenze 348-349 del 2007": a decision's number
    // without "n.", only where a list or a date follows it.
    if (!numero(i) || t_.at(i).forma.size() > 5 || anno4(i))
        return false;
    Data d;
    int x = i;
    if (leggiData(i, x, d))
        return false;
    const int dopo = i + 1;
    const bool lista = (cat(dopo, Cat::Congiunzione) && numero(dopo + 1)) ||
                       (segno(dopo, u'-') && attaccato(dopo) && numero(dopo + 1) && attaccato(dopo + 1));
    const int y = dopoDel(t_, dopo);
    const bool data = y != dopo && (anno4(y) || leggiData(y, x, d));
    if (!lista && !data)
        return false;
    n = t_.at(i).forma.toString();
    j = i + 1;
    return true;
}

bool Lettore::provaDecisioneNuda(int i, int& j) {
    const Frase f = frase(i);
    if (f.voce->valore == lessico::DecisioneDecreto)
        return false;
    // "sentenza n. 26972 del 2008 delle Sezioni Unite", "sentenze n. 236 e n. 135 del 2013"
    QList<Atto> voci;
    bool barra = false;
    int k = f.fine;
    for (;;) {
        Atto b;
        b.ordinanza = f.voce->valore == lessico::DecisioneOrdinanza;
        int k2 = k;
        if (!leggiNumero(k, k2, b.numero, b.anno) && !leggiNumeroAnno(k, k2, b.numero, b.anno) &&
            !numeroNudo(k, k2, b.numero))
            break;
        // "sentenze 348-349/2007", "348-349 del 2007": two decisions.
        if (segno(k2, u'-') && attaccato(k2) && numero(k2 + 1) && attaccato(k2 + 1)) {
            b.altriNumeri << t_.at(k2 + 1).forma.toString();
            k2 += 2;
            if (segno(k2, u'/') && attaccato(k2) && anno4(k2 + 1)) {
                b.anno = valore(k2 + 1);
                k2 += 2;
            }
        }
        barra = barra || (voci.isEmpty() && b.anno > 0);
        k = k2;
        const int y = dopoDel(t_, k);
        Data d;
        if (y != k && leggiData(y, k2, d)) {
            b.data = d;
            b.anno = d.a;
            k = k2;
        } else if (y != k && anno4(y) && b.anno == 0) {
            b.anno = valore(y);
            k = y + 1;
        }
        voci.append(b);
        int s = segno(k, u',') ? k + 1 : k;
        const bool e = cat(s, Cat::Congiunzione);
        if (e)
            ++s;
        if (s == k || !(cat(s, Cat::Numero) || (e && numero(s))))
            break;
        k = s;
    }
    if (voci.isEmpty())
        return false;
    // A year written once for the list.
    for (Atto& b : voci)
        if (b.anno == 0)
            b.anno = voci.last().anno;
    Atto corte;
    const int c = dopoConnettivo(k);
    const Frase dopo = frase(c);
    // "la Corte costituzionale, con sentenza n. 194 del 2018": the court named just before.
    bool primaCorte = false;
    for (int x = i - 1; x >= 0 && x >= i - 5 && !primaCorte; --x) {
        const Frase p = frase(x);
        if (p && p.voce->cat == Cat::Corte && p.fine <= i) {
            primaCorte = p.voce->valore == lessico::CorteSuprema && leggiCorte(x, x, corte);
            break;
        }
    }
    // "Con sentenza n. 1234 del 2018 la Corte d'appello di Bologna ha respinto": that court's own
    // decision in the case at hand.
    for (int x = k; x < k + 8 && esiste(x) && !primaCorte; ++x) {
        const Frase p = frase(x);
        if (p && p.voce->cat == Cat::Corte && p.voce->valore != lessico::CorteSuprema) {
            j = k;
            return true;
        }
    }
    // The Court writes its decisions "n. 194 del 2018", not "n. 194/2018".
    const bool stileCostituzionale = !barra;
    if (primaCorte) {
    } else if (c != k && dopo && dopo.voce->cat == Cat::SezioneNominata &&
               dopo.voce->testoNome() == u"sez. un.") {
        corte.TP = QStringLiteral("GICA");
        corte.nome = QStringLiteral("Cass.");
        corte.sezione = dopo.voce->testoNome();
        k = dopo.fine;
    } else if (c != k && dopo && dopo.voce->cat == Cat::Corte) {
        if (dopo.voce->valore != lessico::CorteSuprema) {
            // The decision of a lower court in the case at hand, not a precedent.
            j = dopo.fine;
            return true;
        }
        int x = c;
        if (!leggiCorte(c, x, corte))
            return false;
        k = x;
    } else if (contestoCost_ && stileCostituzionale && (c == k || !dopo || dopo.voce->cat != Cat::Negativo) &&
               voci.first().anno > 0) {
        corte.TP = QStringLiteral("GICO");
        corte.nome = QStringLiteral("C. Cost.");
    } else {
        return false;
    }
    for (Atto& b : voci) {
        b.TP = corte.TP;
        b.nome = corte.nome;
        b.sezione = corte.sezione;
        b.materia = corte.materia;
        b.inizio = inizio(i);
        b.fine = fine(k);
        if (b.anno > 0)
            emettiAtto(b);
    }
    j = k;
    return true;
}

bool Lettore::provaCausa(int i, int& j) {
    const Frase f = frase(i);
    const bool causa = f && f.voce->cat == Cat::Causa;
    const int k = causa ? f.fine : i;
    if (!(parola(k, u"c") || parola(k, u"t")) || !t_.at(k).maiuscola || !inizioFrase(k))
        return false;
    int s = k + 1;
    const bool trattino = segno(s, u'-');
    if (trattino)
        ++s;
    // "C-320/24", "C 3/10" (the dash lost in a copy)
    if (!numero(s) || !segno(s + 1, u'/') || !numero(s + 2) || t_.at(s + 2).forma.size() != 2 ||
        (!causa && !trattino))
        return false;
    Atto a;
    a.TP = QStringLiteral("GEC");
    a.nome = parola(k, u"t") ? QStringLiteral("Trib. UE") : QStringLiteral("C. giust. UE");
    a.numero = t_.at(k).forma.toString().toUpper() + u'-' + t_.at(s).forma.toString() + u'/' +
               t_.at(s + 2).forma.toString();
    a.inizio = inizio(i);
    a.fine = t_.at(s + 2).fine;
    // "Sentenza della Corte (Terza Sezione) del 5 maggio 2011, procedimento C-543/09": the
    // judgment's date just before its case, on the same line.
    bool decisione = false;
    for (int k2 = i - 1; k2 >= 0 && k2 >= i - 30 && !t_.at(k2 + 1).aCapo && !segno(k2, u';'); --k2) {
        decisione = decisione || cat(k2, Cat::TipoDecisione) || cat(k2, Cat::Corte);
        Data d;
        int fineData = k2;
        if (!a.data.completa() && leggiData(k2, fineData, d) && fineData <= i)
            a.data = d;
        // "(Terza Sezione)", "(Grande Sezione)"
        const Frase o = frase(k2);
        if (a.sezione.isEmpty() && segno(k2 - 1, u'(') && o && o.voce->cat == Cat::Ordinale &&
            parola(o.fine, u"sezione"))
            a.sezione = QStringLiteral("sez. ") + Romano(o.voce->valore);
        if (a.sezione.isEmpty() && segno(k2 - 1, u'(') && parola(k2, u"grande") && parola(k2 + 1, u"sezione"))
            a.sezione = QStringLiteral("Grande Camera");
    }
    if (!decisione || !a.data.completa())
        a.sezione.clear();
    if (decisione && a.data.completa())
        a.anno = a.data.a;
    else
        a.data = {};
    emettiAtto(a);
    j = s + 3;
    return true;
}

bool Lettore::provaSigleCostituzionali(int i, int& j) {
    // "S. 247/2021 - mass. 44378", "O. 12/2020": the Court's own lists of precedents.
    if (!(parola(i, u"s") || parola(i, u"o")) || !t_.at(i).maiuscola || !inizioFrase(i) ||
        !segno(i + 1, u'.'))
        return false;
    QString n;
    int an = 0;
    int k = i + 2;
    if (!leggiNumeroAnno(i + 2, k, n, an))
        return false;
    const bool massima = segno(k, u'-') && frase(k + 1) && frase(k + 1).voce->cat == Cat::Negativo;
    if (!contestoCost_ && !massima)
        return false;
    Atto a;
    a.TP = QStringLiteral("GICO");
    a.nome = QStringLiteral("C. Cost.");
    a.ordinanza = parola(i, u"o");
    a.numero = n;
    a.anno = an;
    a.inizio = inizio(i);
    a.fine = fine(k);
    emettiAtto(a);
    j = k;
    return true;
}

void Lettore::unisciCauseUe() {
    // A judgment of the Court of Justice reproduced whole: its heading gives the date, its first
    // sentence the case ("Nella causa C-320/24"); both citations are of the one decision.
    for (qsizetype x = 0; x < out_.size(); ++x) {
        Citazione& testa = out_[x];
        if (testa.TP != u"GEC" || !testa.numero.isEmpty() || testa.data().isEmpty())
            continue;
        for (qsizetype y = x + 1; y < out_.size(); ++y) {
            Citazione& causa = out_[y];
            if (causa.inizio - testa.fine > 1500)
                break;
            if (causa.TP != u"GEC")
                continue;
            if (causa.data().isEmpty() && !causa.numero.isEmpty()) {
                testa.numero = causa.numero;
                causa.giorno = testa.giorno;
                causa.mese = testa.mese;
                causa.anno = testa.anno;
                if (causa.sezione.isEmpty())
                    causa.sezione = testa.sezione;
            }
            break;
        }
    }
}

} // namespace citazioni
