#pragma once

// The lists the source dialogs offer, read from the archive's lookup tables, the treaty search and
// the prefix search of the pick lists.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class cConnessione;
class Dialogs;

// The first line that begins with the text, without regard to case, searching from line 1 to the
// end and then line 0 (as the list boxes do); -1 when none does or the text is empty.
int TrovaPrefisso(const QStringList& righe, const QString& testo);

// Names of domestic acts and courts of a page (liv1) and, when given, a kind (liv2).
QStringList FontiInterne(cConnessione& c, const QString& liv1, const QString& liv2 = {});
// Names of two kinds at once (the "x-y" codes of the case-law page).
QStringList FontiInterne(cConnessione& c, const QString& liv1, const QString& liv2a, const QString& liv2b);

QStringList ElencoCitta(cConnessione& c);                   // tabCitta, by name
QStringList ElencoSezioni(cConnessione& c);                 // tabSezione, by abbreviation
QStringList ElencoMinisteri(cConnessione& c);               // tabMinistero
QStringList ElencoAmministrazioni(cConnessione& c);         // tabAmministrazione
QStringList ElencoAutorita(cConnessione& c);                // tabAutorita
QStringList ElencoStati(cConnessione& c);                   // tabStato
QStringList ElencoProvince(cConnessione& c);                // tabProvincia, as "BZ - Bolzano"
QStringList ElencoRegioni(cConnessione& c);                 // tabRegione, as "LA - Lazio"
QStringList FontiInternazionali(cConnessione& c, int tipo); // TabFonteInt of Tipo 2 or 3
QStringList FontiComunitarie(cConnessione& c, int tipo);    // TabFonteCom of Tipo 1..4
QStringList FontiCanoniche(cConnessione& c);                // TabFonteCan of Tipo 3

// Every treaty as "<IDNIT>) <fonte>".
QStringList CaricaNIT(cConnessione& c);
// The same lines by the treaty's abbreviation (NIT: "CEDU"); the first row of each.
QHash<QString, QString> TrattatiPerSigla(cConnessione& c);
// Treaties whose fonte matches the words (whole field, or the words by mode "Tutte", "Almeno una",
// "Sequenza esatta"). Empty words: nothing searched, false. No match: the message, false; the
// lines are left as they were.
bool CercaNIT(cConnessione& c, Dialogs& dialogs, const QString& parole, bool intero, const QString& modo,
              QStringList& righe);

// The EU conventions already cited in the archive, to take their date and note again.
struct ConvenzioneUE {
    QString riga; // "<n>) <testo>", numbered from 1
    QString giorno;
    QString mese; // month name, or empty
    QString anno;
    QString altro;
};
QList<ConvenzioneUE> ConvenzioniUE(cConnessione& c);
// The name of the list item that opens the convention pick.
inline QString NomeConvenzioneUE() {
    return QStringLiteral("Conv. UE");
}
