#pragma once

// The modification dialog's view of a source entry: every field as its text box shows it, and the
// citation text, which the operator edits directly (it is not composed again).

#include "store/DocumentBuffer.h"

class Dialogs;

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

// Copies the dialog back into the entry at IndiceFonte (nothing when there is none). A month that
// is not a month name is refused with a message (false), since the archive keeps months as numbers.
bool ConfermaModificaFonte(DocumentBuffer& buffer, const SchedaFonte& scheda, Dialogs& dialogs);
