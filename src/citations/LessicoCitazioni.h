#pragma once

// The words of Italian legal citations: a text cut into tokens, and the phrases the recogniser
// looks for among them (kinds of acts, codes, courts, months, ordinals, ...), each with what it
// stands for. Phrases are matched on lower-case tokens, blanks and single line breaks between
// them ignored: "d.lgs.", "D. Lgs." and "d.lgs" are the same phrase.

#include <QList>
#include <QString>
#include <QStringView>

namespace lessico {

enum class TipoToken : quint8 { Parola, Numero, Segno };

struct Token {
    TipoToken tipo = TipoToken::Segno;
    bool spazio = false;    // blanks before it
    bool aCapo = false;     // a line break among those blanks
    bool rigaVuota = false; // a blank line among them
    bool maiuscola = false; // a word that begins with a capital
    qsizetype inizio = 0;   // UTF-16 offsets into the text
    qsizetype fine = 0;
    QStringView forma; // lower case; every apostrophe as ', every dash as -
};

// The tokens of a text: words, runs of digits and single signs. forme receives the lower-case
// text the tokens' forms point into, and must outlive them.
QList<Token> Tokenizza(const QString& testo, QString& forme);

enum class Cat : quint8 {
    Articolo,        // art., artt., articolo (valore 1: plural)
    Comma,           // comma, commi, co. (valore 1: plural)
    Paragrafo,       // paragrafo, par., § (valore 1: plural)
    Lettera,         // lett., lettera, lettere
    Numero,          // n., nn., numero, nr.
    Periodo,         // periodo, alinea
    Capoverso,       // cpv.: the second paragraph
    Atto,            // an act of the State, of a region or a province (TP, nome; valore 1: plural)
    AttoUe,          // regulation, directive, decision (nome: the kind's stem; valore: see Ue*)
    Codice,          // a code (nome)
    Costituzione,    // Cost., Costituzione
    Trattato,        // TFUE, TUE, the Charter, the ECHR (TP, nome)
    Convenzione,     // "Convenzione" alone: the ECHR where the text speaks of Strasbourg
    Corte,           // a court (TP, nome; valore: see Corte*)
    TipoDecisione,   // sentenza, sent., ordinanza, ord., decreto (valore: see Decisione*)
    Sezione,         // sez., sezione
    SezioneNominata, // sezioni unite, ad. plen., Grande Camera, ... (nome: the section's abbreviation)
    Materia,         // civ., pen., lav. (nome)
    Rinvio,          // medesimo, stesso, citato, cit., predetto, ridetto, ...
    Presente,        // presente: the text's own act
    TestoUnico,      // testo unico, t.u.
    Approvato,       // approvato con, di cui al, emanato con
    Regione,         // Regione
    Provincia,       // Provincia autonoma di
    Causa,           // causa, cause, procedimento
    Ricorso,         // ric., ricorso
    Connettivo,      // del, della, dell', al, dal, ...
    Congiunzione,    // e, ed, nonché
    Mese,            // gennaio ... dicembre (valore 1..12)
    Ordinale,        // primo, secondo, ... (valore)
    Suffisso,        // bis, ter, ... (nome)
    Nominato,        // an act known by its name (TP, nome, data;numero in extra)
    NomeRegione,     // Lombardia, ... (nome: the two-letter code)
    NomeProvincia,   // Bolzano, Trento (nome: BZ, TN)
    QualificaUe,     // (UE), CE, CEE, GAI, Euratom (nome)
    OrganoUe,        // del Parlamento europeo e del Consiglio, della Commissione
    Ue,              // dell'Unione europea, UE after a court or the Charter
    Negativo,        // registro, r.o., R.G., Gazzetta Ufficiale, G.U., BUR, prot.
};

// Values of AttoUe.
enum : int { UeRegolamento = 1, UeDirettiva = 2, UeDecisione = 3, UeDecisioneQuadro = 4 };
// Values of Corte.
enum : int { CorteSuprema = 0, CorteConCitta = 1, CorteConRegione = 2 };
// Values of TipoDecisione.
enum : int { DecisioneSentenza = 0, DecisioneOrdinanza = 1, DecisioneDecreto = 2 };

struct Voce {
    const char16_t* frase = nullptr;
    Cat cat = Cat::Negativo;
    int valore = 0;
    const char16_t* TP = nullptr;
    const char16_t* nome = nullptr;
    const char16_t* extra = nullptr;

    QString testoTP() const { return TP ? QString::fromUtf16(TP) : QString(); }
    QString testoNome() const { return nome ? QString::fromUtf16(nome) : QString(); }
    QString testoExtra() const { return extra ? QString::fromUtf16(extra) : QString(); }
};

// The longest phrase that begins at token i: its entry and the index after its last token; no
// entry when none does. A blank line never falls inside a phrase.
struct Frase {
    const Voce* voce = nullptr;
    int fine = 0;
    explicit operator bool() const { return voce != nullptr; }
};
Frase CercaFrase(const QList<Token>& token, int i);

// An entry of the acts known by name (share/quillaro/atti_nominati.tsv): the Constitution, the
// codes, the treaties, and the acts cited by their name, which carry their date and number.
struct VoceNominata {
    QString frase;
    Cat cat = Cat::Nominato;
    QString TP;
    QString nome;
    QString extra; // "1990-08-07;241" for an act
};
// The entries of such a file; rows that are not entries are passed over.
QList<VoceNominata> LeggiAttiNominati(const QString& testo);

} // namespace lessico
