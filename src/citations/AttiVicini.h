#pragma once

// The acts of the norms catalogue one element away from a proposal the catalogue does not hold,
// each as the proposal would be with that act's date, number and kind: the operator picks the act
// the text meant before the source is stored, as the fixes of a "Fonte errata" offer it.

#include "citations/ProposteFonti.h"
#include "sources/CatalogoNorme.h"

#include <QList>
#include <QString>

class cConnessione;

struct AttoVicino {
    AttoSimile atto;
    PropostaFonte proposta; // the proposal with the act's fields, composed and "nel catalogo"
    // "l. 8 marzo 2017, n. 24 (corregge la data)"
    QString etichetta() const;
};

// Best first, as AttiSimili orders them; none for a proposal that is not "non nel catalogo".
// fontiDocumento marks the acts the document already has. Throws DbError.
QList<AttoVicino> AttiViciniDi(const PropostaFonte& proposta, const QList<VoceFonte>& fontiDocumento,
                               cConnessione& catalogo);
