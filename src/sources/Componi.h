#pragma once

// The citation text of a domestic source, composed from one page of the domestic dialog, and the
// pieces the other families share. Every character of testo counts: a different text is a
// different source in the archive.

#include "store/DocumentBuffer.h"
#include "sources/PaginaFonte.h"
#include "store/VoceFonte.h"

class Dialogs;

// Pages of the domestic dialog (its tabs show them in the order 4, 1, 2, 3).
enum PaginaInterna {
    PaginaCodificazioni = 1,
    PaginaNormativa = 2,
    PaginaGiurisprudenza = 3,
    PaginaCostituzione = 4
};

// Every pair of blanks becomes one, in a single pass from the left: three blanks stay two.
QString RiduciSpazi(const QString& testo);
// Leading and trailing blanks removed (blanks only, as the citations are built with them).
QString TogliSpazi(const QString& testo);

// " 12 aprile 2006, n. 163": the day, month, year and number that are given, each also stored.
QString ComponiEstremi(VoceFonte& voce, const PaginaFonte& pagina);

// "art. 5 bis comma 2 ter lett. a n. 3", each piece also stored; with the annex " all. 1" at the end.
QString ParteArticolo(VoceFonte& voce, const PaginaFonte& pagina, bool conAllegato);

// A codification or the Constitution: the article part and the code's name.
void ComponiArticolo(const QString& nome, const QString& TP, VoceFonte& voce, const PaginaFonte& pagina);

// Legislation of kind 1..11 (position in the Normativa page's list); false, after its message or
// question, when the entry is incomplete.
bool ComponiNormativa(int tipo, VoceFonte& voce, const PaginaFonte& pagina, Dialogs& dialogs);

// Case law of kind 1..10; false, after its message, when the entry is incomplete.
bool ComponiGiurisprudenza(int tipo, VoceFonte& voce, const PaginaFonte& pagina, Dialogs& dialogs);

// Adds the source of one page of the domestic dialog to the buffer's list. True when an entry
// was added; on a failed check the list is as before.
bool ImmettiFonteInterna(int numeroPagina, const PaginaFonte& pagina, DocumentBuffer& buffer,
                         Dialogs& dialogs);

// Messages shared by the source dialogs.
namespace MessaggiFonte {
inline QString nessunaFonte() {
    return QStringLiteral("Nessuna fonte immessa!");
}
inline QString mancaAtto() {
    return QStringLiteral("Manca l'atto!");
}
inline QString attenzione() {
    return QStringLiteral("Attenzione");
}
inline QString attenzioneEsclamativo() {
    return QStringLiteral("Attenzione!");
}
inline QString asterisco() {
    return QStringLiteral(
        "Il testo della fonte non può contenere l'asterisco (*), che separa la sigla della famiglia!");
}
} // namespace MessaggiFonte

// The list line and the archive use "*" to set the family code off the citation, and a loaded
// citation is cut at its first "*": a composed text must not contain one. False after the message.
bool TestoSenzaAsterisco(const VoceFonte& voce, Dialogs& dialogs);

// An OK box with a validation message.
void AvvisoFonte(Dialogs& dialogs, const QString& testo, const QString& titolo);
