#pragma once

// Documenti > Nuovo, Edita, Cancella: the document window in the main window's MDI area (one at a
// time; the Documenti menu waits until it is closed), the choice of a document to edit or delete.

#include "documents/EstensioniDocumento.h"

#include <QObject>

class AppState;
class frmDocumento;
struct FileRecupero;
class FinestraPrincipale;
class QAction;

class ComandiDocumenti : public QObject {
    Q_OBJECT

public:
    // Puts its items into the group "documenti" of the Documenti menu; `estensioni` goes to every
    // document window it opens.
    ComandiDocumenti(AppState& state, FinestraPrincipale& principale, EstensioniDocumento estensioni);

    QAction* mnuDocumentiNuovo = nullptr;
    QAction* mnuDocumentiEdita = nullptr;
    QAction* mnuDocumentiCancella = nullptr;

    void mnuDocumentiNuovo_Click();
    void mnuDocumentiEdita_Click();
    void mnuDocumentiCancella_Click();

    // The document window on a document of the open archive.
    void apriDocumentoEsistente(qint64 IDDoc);
    // A line of an error list: its document in the document window, at that finding. The document
    // window that is open goes first, asking about its unsaved work, unless it shows that document
    // already. False when the document is no longer in the archive (the operator is told) or the
    // operator kept the other one open.
    bool apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga);
    // Closes the document window, asking about its unsaved work; false when it was kept open.
    bool chiudiDocumento();

    // The documents left unsaved by programs that stopped, offered one by one ("Il documento N
    // dell'archivio X non era stato salvato (modifiche delle 10:42). Ripristinare?"): Ripristina
    // opens the document window on the recovered work (the archive first, when it is another one),
    // and the others wait for the next time, one document window being open at a time; Elimina
    // deletes the file; Più tardi keeps it. Those of one archive when `archivio` names it, else
    // those of every archive but the open one (offered when it opened). Nothing while a document
    // window is open.
    void offriRecuperi(const QString& archivio);
    // The document window on the work of a recovery file; false when it could not be opened.
    bool ripristina(const FileRecupero& file);

private:
    frmDocumento* apriDocumento(bool nuovo, qint64 IDDoc);

    AppState& state_;
    FinestraPrincipale& principale_;
    const EstensioniDocumento estensioni_;
    bool offrendo_ = false; // an archive opened to restore a document offers nothing more meanwhile
};
