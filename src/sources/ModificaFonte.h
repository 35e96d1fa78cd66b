#pragma once

// The modification dialog's view of a source entry: every field as its text box shows it, and the
// citation text, which the operator edits directly (it is not composed again).

#include "store/DocumentBuffer.h"

#include <functional>

class Dialogs;
class cConnessione;

struct SchedaFonte {
    QString txtTP, txtFonte, txtGG, txtMM, txtAA, txtArt, txtComma, txtLett, txtAll, txtRipA, txtRipC, txtN,
        txtNumP, txtAltro, txtAmministrazione, txtAutorita, txtCitta, txtSezione, txtRegione, txtProvincia,
        txtStato, txtTesto;
    bool chkDecr = false;
    bool chkOrd = false;
};

// The entry as the dialog shows it; the text carries "*TP*" for the families listed with it.
SchedaFonte MostraFonte(const VoceFonte& voce);

// The text of an entry from its shown text: up to the first "*", when there is one.
QString TestoSenzaSigla(const QString& testo);

// Copies the dialog's fields into the entry (the text without "*TP*"), without checks.
void CopiaScheda(const SchedaFonte& scheda, VoceFonte& voce);

// What the archive holds of the values the save looks up and cannot add: its provinces and
// regions as its lists show them ("BZ - Bolzano", "LA - Lazio"), and whether a name is in the table
// of its family. Unset: the two autonomous provinces, the twenty regions, every name.
struct ValoriFissi {
    QStringList province;
    QStringList regioni;
    std::function<bool(const VoceFonte&)> nomeNoto;
};
// Those of the open archive; the connection must outlive the result.
ValoriFissi ValoriFissiArchivio(cConnessione& connection);

// Copies the dialog back into the entry at IndiceFonte (nothing when there is none). Refused with a
// message (false), as the entry pages refuse them: a month that is not a month name (the archive
// keeps months as numbers), a name, province or region the archive does not know (the save would
// fail). A province or region is stored as its list writes its code ("bz" becomes "BZ").
bool ConfermaModificaFonte(DocumentBuffer& buffer, const SchedaFonte& scheda, Dialogs& dialogs,
                           const ValoriFissi& fissi = {});
