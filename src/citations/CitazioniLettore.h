#pragma once

// The reader behind RiconosciCitazioni: one pass over the tokens, trying at each one an article,
// a decision, an act or a case number, and keeping the acts already cited for the back
// references. Acts and articles live in Citazioni.cpp, decisions in CitazioniSentenze.cpp.

#include "citations/Citazioni.h"
#include "citations/LessicoCitazioni.h"

#include <QSet>
#include <optional>

namespace citazioni {

using lessico::Cat;
using lessico::Frase;
using lessico::Token;

struct Data {
    int g = 0;
    int m = 0;
    int a = 0;
    bool completa() const { return g > 0 && m > 0 && a > 0; }
};

// An act, code, treaty or decision, with the fields every citation of it shares.
struct Atto {
    QString TP;
    QString nome;
    Data data;
    int anno = 0;
    QString numero;
    QStringList altriNumeri; // of decisions cited together ("n. 348 e n. 349 del 2007")
    QString codice;
    QString regione;
    QString provincia;
    QString citta;
    QString sezione;
    QString materia;
    QString parti;
    bool ordinanza = false;
    bool decreto = false;
    bool rinvio = false;
    bool generico = false;    // named again without its number ("il medesimo decreto")
    bool conversione = false; // the law converting the decree cited just before it
    qsizetype inizio = 0;     // where the act is named (UTF-16)
    qsizetype fine = 0;
    qsizetype inizioRinvio = -1;
    qsizetype fineRinvio = -1;

    bool numerato() const { return !numero.isEmpty() || data.completa(); }
};

// One paragraph, letter or point of an article; an article without any has one empty part.
struct Parte {
    QString comma;
    QString suffissoComma;
    QString lettera;
    QString punto;
    qsizetype inizio = -1; // where its own words are (UTF-16); -1 when not read apart
    qsizetype fine = -1;
};

struct Articolo {
    QString numero;
    QString suffisso;
    QList<Parte> parti;
    qsizetype inizio = -1; // where its own words are, paragraphs and letters included (UTF-16)
    qsizetype fine = -1;
};

// The articles of one list and where it is written.
struct Gruppo {
    QList<Articolo> articoli;
    qsizetype inizio = 0;
    qsizetype fine = 0;
};

class Lettore {
public:
    explicit Lettore(const QString& testo);
    QList<Citazione> leggi();

private:
    // Tokens.
    bool esiste(int i) const { return i >= 0 && i < n_; }
    bool segno(int i, char16_t c) const;
    bool parola(int i, QStringView w) const;
    bool numero(int i) const;
    bool attaccato(int i) const { return esiste(i) && !t_.at(i).spazio; }
    int valore(int i) const;
    Frase frase(int i) const { return lessico::CercaFrase(t_, i); }
    bool cat(int i, Cat c) const;
    // A connecting word ("del", "dell'", "al", ...): the index after it, or i when there is none.
    int dopoConnettivo(int i) const;
    bool anno4(int i) const;
    int annoDaDueCifre(int i) const;
    qsizetype inizio(int i) const { return t_.at(i).inizio; }
    qsizetype fine(int i) const { return t_.at(i - 1).fine; } // end of the token before i
    // The start of a phrase: not glued to a word or an abbreviation before it ("d.l." holds "l.").
    bool inizioFrase(int i) const;

    // Dates and numbers.
    bool leggiData(int i, int& j, Data& d) const;
    // "n. 241", "n. 241/1990"; dueCifre: also "n. 241/90" (acts, not registry numbers).
    bool leggiNumero(int i, int& j, QString& n, int& anno, bool dueCifre = false) const;
    bool leggiNumeroAnno(int i, int& j, QString& n, int& anno, bool dueCifre = false) const;
    bool leggiEstremi(int i, int& j, Atto& a) const;
    bool leggiSuffisso(int i, int& j, QString& s) const;

    // Acts (Citazioni.cpp).
    bool provaAtto(int i, int& j);
    bool leggiAtti(int i, int& j, QList<Atto>& atti, bool dopoArticolo);
    // da: where to read after the kind (the next act of a list); qualificaLista: the list's CE, UE.
    bool leggiAttoUe(const Frase& f, int i, int& j, Atto& a, int da = -1, const QString& qualificaLista = {}) const;
    int leggiTerritorio(int i, Atto& a);
    bool leggiRinvio(int i, int& j, QList<Atto>& atti);
    std::optional<Atto> antecedente(const Atto& modello, bool generico) const;
    void registra(const Atto& a);

    // Articles.
    bool provaArticolo(int i, int& j);
    bool provaParteAvanti(int i, int& j);
    bool commaNudo(int i, int k, const Articolo& parti, int& j);
    bool leggiArticoli(int i, int& j, Gruppo& g, bool& plurale);
    int leggiSottoparti(int i, Articolo& a) const;
    bool leggiCommi(int i, int& j, Articolo& a) const;
    // posizioni: where each letter is written (UTF-16), when asked.
    bool leggiLettere(int i, int& j, QStringList& lettere,
                      QList<std::pair<qsizetype, qsizetype>>* posizioni = nullptr) const;
    // The act a list of articles belongs to: 1 found, 0 none, -1 an act not known or the text's own.
    int collegaAtto(int i, int& j, const Gruppo& g, QList<Atto>& atti);
    // Finds the act of a list read up to fineLista and emits its citations; j after all of it.
    bool chiudiGruppo(Gruppo& g, int i, int fineLista, int& j, bool plurale);
    bool implicito(const Gruppo& g, int i, int fineLista, Atto& a) const;
    bool intestazione(int i, int fineLista) const;
    bool perArticolo(const Gruppo& g, Atto& a) const;
    void emetti(const Gruppo& g, const Atto& a, qsizetype inizio, qsizetype fine);
    void emettiAtto(const Atto& a);

    // Decisions (CitazioniSentenze.cpp).
    bool provaSentenza(int i, int& j);
    bool provaDecisioneNuda(int i, int& j);
    bool numeroNudo(int i, int& j, QString& n) const;
    bool provaCausa(int i, int& j);
    bool provaSigleCostituzionali(int i, int& j);
    bool leggiCorte(int i, int& j, Atto& a);
    bool leggiCoda(int i, int& j, Atto& a, bool inizioCoda);
    bool leggiSezione(int i, int& j, Atto& a, bool nuda) const;
    void continuazioni(int& j, const Atto& modello);
    void unisciCauseUe();

    // Context.
    void aggiornaLuoghi(int i);
    // The region (or province) the text names nearest to an act that does not name its own.
    QString luogoVicino(qsizetype pos, bool provincia);

    const QString& testo_;
    QString forme_;
    QList<Token> t_;
    int n_ = 0;
    QList<Citazione> out_;
    QList<Atto> atti_;               // every act cited so far, for the back references
    std::optional<Atto> testoUnico_; // the consolidated text last identified by its act
    QSet<QString> codiciNominati_;
    QSet<QString> distintiImpliciti_; // the acts an article without its own may belong to
    bool contestoCedu_ = false; // the text is about the Strasbourg court: "Convenzione" is the ECHR
    bool contestoCost_ = false; // a text of or about the Constitutional Court
    bool contestoCass_ = false; // a text that speaks of the Cassazione
    QString ultimaRegione_;
    QString ultimaProvincia_;
    struct Luogo {
        qsizetype inizio;
        bool provincia;
        QString codice;
    };
    QList<Luogo> luoghi_;
    bool luoghiLetti_ = false;
};

QString Romano(int n);
// "del" or "dell'" before a date or year: the index after it, or i when there is none.
int dopoDel(const QList<Token>& t, int i);

} // namespace citazioni
