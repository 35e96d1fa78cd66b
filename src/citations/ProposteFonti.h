#pragma once

// The sources a document's texts cite, as proposals for its source list: each recognised
// citation becomes the page of the entry dialog the operator would have filled (its family,
// name, article, date and number), composed by that dialog's own composers into the entry and
// its citation text. A source cited several times is one proposal; one the document already has
// is marked; an act of the State is looked up in the norms catalogue, which also gives the day
// and month of an act cited by number and year only. Accepted proposals are added to the
// document through the path of the dialogs, so the save stores each source once per archive.

#include "citations/Citazioni.h"
#include "sources/PaginaFonte.h"
#include "store/DocumentBuffer.h"
#include "store/VoceFonte.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

class cConnessione;
struct DocumentBuffer;

enum class StatoCatalogo {
    NonPertinente, // not an act the catalogue holds (codes, decisions, EU acts, regional laws, ...)
    NelCatalogo,
    NonNelCatalogo, // the checks would call it "Fonte errata"
    NonDisponibile, // the catalogue could not be opened
};

struct PropostaFonte {
    Citazione citazione;     // its first citation
    QString testo;           // the name of the text that citation is in
    int occorrenze = 1;      // citations of the texts that give this same source
    bool altreFonti = false; // entered in frmAltreFonti; otherwise in frmFontiInterne
    int pagina = 0;          // the dialog's page
    PaginaFonte valori;      // the page as the operator would fill it
    VoceFonte voce;          // the entry the dialog's composer makes of it; voce.testo is the citation
    QString problema;        // why it cannot be added as it stands; empty when it can
    bool giaPresente = false;
    StatoCatalogo catalogo = StatoCatalogo::NonPertinente;
    bool dataDalCatalogo = false; // day and month taken from the catalogue

    bool aggiungibile() const { return problema.isEmpty(); }
    // The citation text; for a proposal that cannot be added, its fields written the same way.
    QString testoMostrato() const;
    // "nel catalogo", "non nel catalogo", "catalogo non disponibile"; empty when not pertinent.
    QString etichettaCatalogo() const;
};

// The archive's names the proposals are checked against: the dialogs offer only these.
struct ElenchiProposte {
    QStringList costituzione;                   // TabFonteInterna liv1 "0"
    QStringList codici;                         // liv1 "1"
    QHash<QString, QStringList> normativa;      // liv1 "2" by liv2
    QHash<QString, QStringList> giurisprudenza; // liv1 "3" by liv2
    QHash<int, QStringList> comunitarie;        // TabFonteCom by Tipo
    QStringList internazionali;                 // TabFonteInt of Tipo 3 (courts)
    QHash<QString, QString> trattati;           // tabNIT: NIT -> "<IDNIT>) <fonte>"
    QStringList sezioni;
    QStringList province;
};

// Reads the lists of an archive, or of the template. Throws DbError.
ElenchiProposte LeggiElenchiProposte(cConnessione& archivio);

// The proposals of the texts, in the order of the texts. The archive composes the treaties (the
// tabNIT rows); the catalogue, when open, is asked about the acts of the State. riunisci: a source
// cited again is counted in its first proposal; otherwise every citation is a proposal.
QList<PropostaFonte> ProponiFonti(const QList<TestoDocumento>& testi, const QList<VoceFonte>& fontiDocumento,
                                  const ElenchiProposte& elenchi, cConnessione& archivio,
                                  cConnessione* catalogo, bool riunisci = true);

// The same, one proposal at a time as each citation is read, every citation a proposal, none
// kept: for texts of any length. ricevi returns false to stop.
void ProponiFonti(const QList<TestoDocumento>& testi, const QList<VoceFonte>& fontiDocumento,
                  const ElenchiProposte& elenchi, cConnessione& archivio, cConnessione* catalogo,
                  const std::function<bool(PropostaFonte&&)>& ricevi);

// Adds the proposals to the buffer's source list as the dialogs add them, passing over those
// that cannot be added and those the document already has; returns how many were added.
int AggiungiProposte(const QList<PropostaFonte>& proposte, DocumentBuffer& buffer, cConnessione& archivio);
