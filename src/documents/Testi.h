#pragma once

// The texts of a document: which buffer variable each text dialog edits, the dialogs' captions, and
// the cleaning a text gets before it is stored.

#include "store/Dialogs.h"
#include "store/DocumentBuffer.h"

#include <QString>

// frmTesti: TipoTestoCorrente 0 summary, 1 table of contents, 2 "In tema di", 3 English abstract.
// Nothing for any other value.
QString* testoFrmTesti(DocumentBuffer& buffer, int tipo);

// frmAltriTesti: 3 translation, 5 compiler's note. Nothing for any other value.
QString* testoFrmAltriTesti(DocumentBuffer& buffer, int tipo);

struct TitoliTesto {
    QString caption; // the window's
    QString label;   // Label1's
};
// "Testo riassunto" / "Riassunto" ... for 0 to 3; empty for other values.
TitoliTesto titoliFrmTesti(int tipo);

// The paragraph breaks taken out, the paragraphs joined without a separator. The editor's breaks
// (LF, CR LF, CR and the Unicode separators) all count.
QString senzaACapo(const QString& testo);

// The text as it is stored: paragraph breaks and tab characters removed.
QString testoDaMemorizzare(const QString& testo);

// The kinds in the order the save writes them.
inline constexpr const char* kTipiTesto[] = {"0", "1", "2", "3", "4", "5", "7", "8"};

// Esc or the window's frame on a text dialog: true when the text may go, because it is as it was
// shown or the operator agrees to drop the change.
bool testoAbbandonabile(Dialogs& ui, const QString& attuale, const QString& mostrato);
