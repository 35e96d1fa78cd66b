#pragma once

// The fixes a finding carries: for each finding of the document the window holds, the changes
// that are certain or nearly so, each with the label the operator reads. A wrong act becomes the
// catalogue's acts one element away, recomposed as the source dialogs compose them; an invalid pair
// becomes the pairs the pair tables allow; a code that contradicts the texts becomes the code that
// agrees with them. Where no value can be known, the fix is a step that opens the dialog or the
// field (nothing is invented). Applying a fix changes only the buffer and the window's values: the
// operator sees it and saves as usual.

#include "checks/RilieviDocumento.h"
#include "documents/DatiDocumento.h"
#include "store/DocumentBuffer.h"

#include <QList>
#include <QString>
#include <optional>

struct Correzione {
    enum class Tipo {
        Fonte,       // the source at voce becomes fonte
        Coppia,      // the pair at voce becomes coppia
        TD,          // the document type becomes codice
        LIN,         // the language becomes codice
        Apri,        // opens the field of campo
        ApriDialogo, // opens the dialog of campo (a new person, pair or source, a text)
    };
    Tipo tipo = Tipo::Apri;
    QString etichetta; // as the operator reads it
    int voce = -1;
    VoceFonte fonte;
    qint64 attoCatalogo = 0; // the catalogue's act a source is corrected to
    VoceClassificazione coppia;
    QString codice;
    CampoRilievo campo = CampoRilievo::Rivista;

    // A step that only opens a dialog or a field: it changes nothing by itself.
    bool soloApertura() const { return tipo == Tipo::Apri || tipo == Tipo::ApriDialogo; }
};

struct CorrezioniRilievo {
    QList<Correzione> correzioni; // best first
    QString nota;                 // why there is none: "Nessun atto simile nel catalogo"
};

// The fixes of one finding of the document held in buffer and dati (lists: the window's items).
// The archive gives the pair tables, the norms catalogue (opened when it is not open yet) the acts;
// a catalogue or table that cannot be read gives no fix of that kind, never an error.
CorrezioniRilievo CorrezioniDi(AppState& state, const DocumentBuffer& buffer, const DatiDocumento& dati,
                               const ListeDocumento& liste, const Rilievo& rilievo);

// The document window's control a finding concerns: "ComboTD", "lstFonte", "cmdRiassunto", ...
QString ControlloDelCampo(CampoRilievo campo);

// How a script names a fix's kind: "fonte", "coppia", "TD", "LIN", "campo", "dialogo".
QString NomeTipoCorrezione(Correzione::Tipo tipo);

// Applies a fix to the buffer and the window's values (the lines of the lists included). False,
// with nothing changed, for a step that only opens, or one whose entry is no longer there.
bool ApplicaCorrezione(const Correzione& correzione, DocumentBuffer& buffer, DatiDocumento& dati,
                       const ListeDocumento& liste);

// A finding's name that does not depend on its place in the list: its rule, its entry and its text,
// as a short hash ("r" and 12 hex digits). A finding changed in any of them is another finding.
QString IdRilievo(const Rilievo& rilievo);

// A stored document as the window loads it, with the findings of its stored rows (the order of
// check --doc) and the fixes of each. The findings, the buffer and its version are one reading of
// the archive: a save of another program comes wholly before it or wholly after it, so a fix is
// computed for the state it is saved over (the save refuses a version changed meanwhile).
struct DocumentoConCorrezioni {
    DocumentBuffer buffer;
    DatiDocumento dati;
    EsitoControlli esito;
    QList<CorrezioniRilievo> correzioni; // one for each finding of esito
};
// nullopt, with the reason in errore, when the document is not there or cannot be loaded.
std::optional<DocumentoConCorrezioni> CaricaConCorrezioni(AppState& state, const ListeDocumento& liste,
                                                          qint64 IDDocumento, QString& errore);

// The window's take-back of fixes before the save: each applied fix pushes what was there before.
class AnnullaCorrezioni {
public:
    void ricorda(const DocumentBuffer& buffer, const DatiDocumento& dati) { pila_.append({buffer, dati}); }
    bool vuota() const { return pila_.isEmpty(); }
    // The last state remembered, removed from the stack; false when there is none.
    bool annulla(DocumentBuffer& buffer, DatiDocumento& dati);
    void svuota() { pila_.clear(); }

private:
    struct Stato {
        DocumentBuffer buffer;
        DatiDocumento dati;
    };
    QList<Stato> pila_;
};
