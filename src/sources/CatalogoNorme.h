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

// Whether the catalogue holds the act of that abbreviation, promulgation date ("YYYY-MM-DD") and
// number. Throws DbError when the catalogue cannot be read.
bool AttoNelCatalogo(cConnessione& catalogo, const QString& abbreviazione, const QString& data,
                     const QString& numero);

// The promulgation dates ("YYYY-MM-DD") of the acts of that abbreviation, year and number.
QStringList PromulgazioniNelCatalogo(cConnessione& catalogo, const QString& abbreviazione, int anno,
                                     const QString& numero);

// Copies an act into the Normativa page: year, number, day, month and the kind (1 for a
// constitutional law, else 2 with the act's name as the list writes it). False when the act is
// not there.
bool CopiaCatalogo(cConnessione& catalogo, qint64 id, PaginaFonte& pagina);
