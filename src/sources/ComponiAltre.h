#pragma once

// Citation texts of the sources that are not domestic law: international, EU, foreign, canon-law
// and historical. Each composer fills the entry from one page of the other-sources dialog.

#include "store/DocumentBuffer.h"
#include "sources/PaginaFonte.h"
#include "store/VoceFonte.h"

#include <optional>

class Dialogs;
class cConnessione;

// Pages of the other-sources dialog, in tab order.
enum PaginaAltra {
    PaginaInternazionale = 0,
    PaginaComunitaria = 1,
    PaginaStraniera = 2,
    PaginaCanonica = 3,
    PaginaStorica = 4
};

// NIT (the treaty line "<IDNIT>) <fonte>" in txtLibero), NIA and GEI. The treaty is read from tabNIT;
// a line whose number is not there any more is refused with a message.
bool ComponiInternazionale(const QString& nome, const QString& TP, VoceFonte& voce, const PaginaFonte& pagina,
                           cConnessione& connessione, Dialogs& dialogs);

// TP is "NIC T" (treaties), "NIC D" (secondary law), "NIC C" (conventions) or "GEC"; the entry
// gets NIC or GEC.
bool ComponiComunitaria(const QString& nome, const QString& TP, VoceFonte& voce, const PaginaFonte& pagina,
                        Dialogs& dialogs);

// The family item of the foreign page ("Fonti normative (*NS*)" or "Fonti giurisprudenziali (*GS*)").
bool ComponiStraniera(const QString& famiglia, VoceFonte& voce, const PaginaFonte& pagina, Dialogs& dialogs);

// The family item of the canon-law page (FCC, FCA, FCG) and the chosen name (empty for FCA).
bool ComponiCanonica(const QString& famiglia, const QString& nome, VoceFonte& voce, const PaginaFonte& pagina,
                     Dialogs& dialogs);

// A historical source: the name is a caption holding its code between "(*" and "*)".
bool ComponiStorica(const QString& nome, VoceFonte& voce, const PaginaFonte& pagina, Dialogs& dialogs);

// Adds the source of one page of the other-sources dialog to the buffer's list. True when an
// entry was added; on a failed check the list is as before.
bool ImmettiFonteAltra(int numeroPagina, const PaginaFonte& pagina, DocumentBuffer& buffer,
                       cConnessione& connessione, Dialogs& dialogs);

// The code between "(*" and "*)" of a caption ("papirologiche (*FSRP*)" -> "FSRP"); empty when none.
QString CodiceTraAsterischi(const QString& caption);

// The number in front of a picked line "<n>) <text>"; nothing when the line has none.
std::optional<qint64> NumeroRiga(const QString& riga);

// The rules of form of the free texts ("Formalismo").
void MostraFormalismo(Dialogs& dialogs);
