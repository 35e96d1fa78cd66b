#pragma once

// The document window's work without its widgets: the code lists, clearing, loading and navigating
// documents, the list of documents to choose from and their deletion.

#include "documents/DatiDocumento.h"
#include "store/DocumentBuffer.h"
#include "store/AppState.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

// The items of the combo boxes and the production year of the delivery.
ListeDocumento CaricaListe(cConnessione& connection, const QDate& oggi);

// The window as CaricaListe leaves it: every combo on its caption item, the production year.
void PreparaDati(DatiDocumento& dati, const ListeDocumento& liste);

// The title of a journal code; empty when the code is not there.
QString TitoloRivista(cConnessione& connection, const QString& IDRivistaOnline);

// The number a new document gets: the largest IDDocumento + 1, or 1 in an empty archive.
qint64 ProssimoIDDocumento(cConnessione& connection);

// Empties the window and the buffer for a new document; document type, abstract type,
// bibliography type and URL keep what they had.
void PulisciDocumento(DocumentBuffer& buffer, DatiDocumento& dati);

// The three date boxes on a stored date text ("yyyy-mm-dd", "yyyy-mm-00", "yyyy-00"); a date they
// cannot show is kept whole for the save and reported in avvisi.
void caricaData(const QString& data, const ListeDocumento& liste, DatiDocumento& dati, QStringList& avvisi);

// The codes of a document on their boxes, as a load shows them: a code the list does not hold is
// kept for the save and reported in avvisi; an empty language is Italian.
void caricaCodici(const CodiciDocumento& codici, const ListeDocumento& liste, DatiDocumento& dati,
                  QStringList& avvisi);

// The reference and the codes of the document; false when the document is not there. Notes
// what could not be shown in avvisi.
bool CaricaRiferimento(cConnessione& connection, qint64 IDDoc, const ListeDocumento& liste,
                       DatiDocumento& dati, QStringList& avvisi);

// The eight texts: title and note into the window, the others into the buffer.
void CaricaTesti(cConnessione& connection, qint64 IDDoc, DocumentBuffer& buffer, DatiDocumento& dati);

struct EsitoCaricamento {
    bool caricato = false;
    QString errore;     // why nothing was loaded
    QStringList avvisi; // values of the document the window could not show
};

// Loads the document IDDocCorrente into the buffer and the window, leaving new-document mode.
// All or nothing: on failure the buffer and the window are as they were.
EsitoCaricamento CaricaDocumento(cConnessione& connection, const QStringList& Mesi,
                                 const ListeDocumento& liste, DocumentBuffer& buffer, DatiDocumento& dati);

// The box shown after a load that found values the window cannot show; says which of them the
// save keeps.
QString AvvisoCaricamento(qint64 IDDoc, const QStringList& avvisi, const ValoriConservati& conservati);

// The number in txtID as the navigation reads it: its leading whole number, 0 when there is none.
qint64 numeroDocumento(const QString& txtID);

// Next and previous document from the number in txtID, wrapping round; nothing in an empty archive.
std::optional<qint64> DocumentoSeguente(cConnessione& connection, const QString& txtID);
std::optional<qint64> DocumentoPrecedente(cConnessione& connection, const QString& txtID);

// The entries of frmSceltaDoc: "<IDDocumento> --> <identifier>", numbered from NumInizio.
QStringList ElencoDocumenti(AppState& state);
// The key of an entry: the number before its first blank.
qint64 chiaveDocumento(const QString& entry);

// Deletes the documents with their links and texts (texts linked to other documents stay), in one
// transaction. Throws DbError, with nothing deleted.
void CancellaDocumenti(cConnessione& connection, const QList<qint64>& IDDocumenti);

// The link rows and texts of a document number, without its tabDocumento row.
void CancellaLegami(cConnessione& connection, qint64 IDDoc);

// Marks the selected entries deleted: their lines get "DEL--" in front, their entries Cancellata.
template <class Voce>
void marcaCancellate(QStringList& righe, QList<Voce>& elenco, const QList<int>& selezionate) {
    for (int i : selezionate) {
        if (i < 0 || i >= righe.size() || i >= elenco.size())
            continue;
        righe[i] = QStringLiteral("DEL--") + righe[i];
        elenco[i].Cancellata = true;
    }
}
