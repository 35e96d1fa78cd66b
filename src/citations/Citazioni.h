#pragma once

// The legal sources an Italian text cites, read from its prose: every article of an act, code,
// the Constitution or a treaty, every act cited by date and number, every decision of the courts
// whose citations the sources dialogs know, each split into the fields those dialogs use and
// placed where the text writes it. A back reference ("del medesimo d.lgs.", "art. 186 cit.",
// "la citata legge") carries the fields of the act it points at; numbers and dates that only
// look like citations (registry numbers, Gazzetta Ufficiale references, the case's own
// procedural history) give nothing.

#include <QList>
#include <QString>

struct Citazione {
    QString TP;       // family code: LIO, LICO, LIC, LIR, LIP, LIOA, GICO, GICA, GIA, GIO, NIC, NIT, GEC, GEI
    QString nome;     // act, code or court as the lookup tables name it ("l.", "d.lg.", "c.c.", "Cass.")
    QString articolo; // "186"; a range as "2-5"
    QString suffisso; // of the article: "bis", "ter", ...
    QString comma;    // paragraph: comma, paragrafo, §
    QString suffissoComma; // "9-bis" is comma "9" with "bis"
    QString lettera;
    QString numeroPunto; // the "n. 2" of an article ("art. 9, n. 2")
    int giorno = 0;      // date of the act or decision, as far as the text gives it
    int mese = 0;
    int anno = 0;
    QString numero;    // number of the act or decision ("241", "C-320/24", "43887/04")
    QString codice;    // the code: of a code's article, or of the act that enacted the code
    QString regione;   // two-letter region code of a regional act or court
    QString provincia; // "BZ" or "TN"
    QString citta;     // city of a court
    QString sezione;   // section of a court as tabSezione writes it ("sez. III", "sez. un.")
    QString materia;   // "civ." or "pen." beside a Cassazione section
    QString parti;     // parties of a Strasbourg case ("D'Addona c. Italia")
    bool ordinanza = false;
    bool decreto = false;
    bool rinvio = false; // a back reference: the act's fields are those of the act it points at
    // Where the citation is written, in UTF-16 offsets (as QString counts) and in code points.
    qsizetype inizio = 0;
    qsizetype fine = 0;
    qsizetype inizioPunti = 0;
    qsizetype finePunti = 0;
    // Where the words of its act are, when they are not within its own span (the act of a
    // list, written once after its articles), in UTF-16 offsets and in code points; -1 when none.
    qsizetype inizioAtto = -1;
    qsizetype fineAtto = -1;
    qsizetype inizioAttoPunti = -1;
    qsizetype fineAttoPunti = -1;
    // The act a back reference resolved to, in UTF-16 offsets; -1 when none.
    qsizetype inizioRinvio = -1;
    qsizetype fineRinvio = -1;

    bool decisione() const; // a judgment, order or decree of a court
    QString corte() const { return decisione() ? nome : QString(); }
    // "YYYY-MM-DD" when day, month and year are known; empty otherwise.
    QString data() const;
    bool operator==(const Citazione&) const = default;
};

// Every source the text cites, in the order of the text; a list of articles gives one citation
// per article (and per paragraph and letter listed), each spanning its own words: the first from
// the list's start, the last up to its act; the others give their act's place apart.
QList<Citazione> RiconosciCitazioni(const QString& testo);

// One citation on one line, for test messages and the command line's text output.
QString DescriviCitazione(const Citazione& c);
