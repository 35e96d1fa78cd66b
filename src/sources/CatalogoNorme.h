#pragma once

// The search in the norms catalogue ("Catalogo norme") from the domestic dialog, and the copy of a
// found act into the Normativa page. promulgazione is held as ISO text "YYYY-MM-DD".

#include "sources/PaginaFonte.h"
#include "store/mdlGlobale.h"

#include <QString>
#include <QStringList>

class cConnessione;
class Dialogs;

// The catalogue frame as the operator filled it; a combo on its header item is empty text.
struct RicercaCatalogo {
    QString giorno;                         // txtCatalogoGiorno
    QString mese;                           // cmbCatalogoMese, the month name
    QString anno;                           // txtCatalogoAnno
    QString numero;                         // txtCatalogoNumero
    QString nomeAtto;                       // cmbCatalogoNomeAtto, as the list writes it ("d.lg.")
    QString parola;                         // txtCatalogoParola
    bool intero = false;                    // optIntero: the whole title
    QString modo = QStringLiteral("Tutte"); // ComboParte
};

// The acts of the catalogue's list "Nome atto".
const QStringList& NomiAttoCatalogo();
// How the catalogue writes an act that the lists write otherwise ("d.lg." -> "d.lgs."), and back.
QString AbbreviazioneCatalogo(const QString& nomeLista);
QString NomeListaDaCatalogo(const QString& abbreviazione);

// The where condition of a search; empty sql when nothing was filled in.
Condizione CondizioneCatalogo(const RicercaCatalogo& ricerca);

// Fills the lines "<id>) <estremi> --- <titolo>". Nothing filled in: false, no message. No act
// found: the message, false, and the lines are left alone.
bool CercaCatalogo(cConnessione& catalogo, Dialogs& dialogs, const RicercaCatalogo& ricerca,
                   QStringList& righe);

// Estremi and title of an act, one per line; empty when the act is not there.
QString DettaglioCatalogo(cConnessione& catalogo, qint64 id);

// The catalogue's abbreviation of an act named as the lookup tables name it ("d.lg." -> "d.lgs.");
// empty for the acts the catalogue does not hold (codes, regional acts, decrees of ministers, ...).
QString AbbreviazioneNelCatalogo(const QString& fonteNorm);

// The promulgation date as the catalogue keeps it, from a source's year, month number and day:
// "1990", "3", "15" -> "1990-03-15". A month or day that is not a number stays as it is (and then
// matches no act).
QString DataNelCatalogo(const QString& anno, const QString& mese, const QString& giorno);

// Whether the catalogue holds the act of that abbreviation, promulgation date ("YYYY-MM-DD") and
// number. Throws DbError when the catalogue cannot be read.
bool AttoNelCatalogo(cConnessione& catalogo, const QString& abbreviazione, const QString& data,
                     const QString& numero);

// The promulgation dates ("YYYY-MM-DD") of the acts of that abbreviation, year and number.
QStringList PromulgazioniNelCatalogo(cConnessione& catalogo, const QString& abbreviazione, int anno,
                                     const QString& numero);

// An act of the catalogue one element away from a citation that the catalogue does not hold.
struct AttoSimile {
    enum class Elemento { Data, Numero, Atto }; // the element that differs
    qint64 id = 0;
    QString abbreviazione; // as the catalogue writes it ("d.lgs.")
    QString data;          // "YYYY-MM-DD"
    QString numero;
    Elemento elemento = Elemento::Data;
    QString citazione; // composed as the lists write it: "l. 7 agosto 1990, n. 241"
    int distanza = 0;  // characters to change in the element (2 for a kind), the first key of the order
    qint64 scarto = 0; // days or units apart (0 for a kind), the second key

    bool operator==(const AttoSimile&) const = default;
};

// What choosing the act mends, as the fixes and the proposals word it: "corregge la data".
QString ElementoCorretto(AttoSimile::Elemento elemento);

// The acts that differ from (abbreviation, date, number) in exactly one element: same kind and
// number with another date, same date and kind with another number, same date and number with
// another kind. Best first: fewest characters to change in the element (a day or digit typed
// wrong: one; two digits swapped, or another kind of act: two), then the nearest date or number,
// then date, number, kind. Three reads by index. Throws DbError when the catalogue cannot be read.
QList<AttoSimile> AttiSimili(cConnessione& catalogo, const QString& abbreviazione, const QString& data,
                             const QString& numero);

// Copies an act into the Normativa page: year, number, day, month and the kind (1 for a
// constitutional law, else 2 with the act's name as the list writes it). False when the act is
// not there.
bool CopiaCatalogo(cConnessione& catalogo, qint64 id, PaginaFonte& pagina);
