#pragma once

// The document window's fields as the capture by DOI or web address reads and fills them: the
// window's values and buffer to the capture's plain fields, and back.

#include "capture/ProposteCattura.h"
#include "documents/DatiDocumento.h"
#include "store/DocumentBuffer.h"

// What the window holds now.
CampiDocumento CampiDaDocumento(const DatiDocumento& dati, const DocumentBuffer& buffer);

// Writes into the window's values and the buffer the fields of `dopo` that differ from `prima`
// (what CampiDaDocumento gave); the rest stays as it was, the stored values the boxes could not
// show included.
void CampiNelDocumento(const CampiDocumento& prima, const CampiDocumento& dopo, const ListeDocumento& liste,
                       DatiDocumento& dati, DocumentBuffer& buffer);
