#pragma once

// What a room's menu commands need of the main window, which app/gui implements: the window that
// parents their dialogs, the MDI area their windows open in, the menus they put their items into,
// and what only the main window can do because it owns the archive's lifecycle. The rooms know the
// main window by this alone, so none of them includes app/.

#include <QString>

class MenuComandi;
class QMdiArea;
class QWidget;

class FinestraPrincipale {
public:
    virtual ~FinestraPrincipale() = default;

    virtual QWidget* finestra() = 0;
    virtual QMdiArea* areaDocumenti() = 0;
    virtual MenuComandi& menu() = 0;

    // The enabled states of the lifecycle applied to the menus again (a window that held the
    // Documenti menu closed).
    virtual void applicaStatoMenu() = 0;
    // A caption for the time of a run over other archives ("Quillaro (A26)").
    virtual void mostraInTitolo(const QString& nome) = 0;
    // A run opened and closed other archives in turn: caption, menus, status bar and windows follow
    // the archive that is open now, or that none could be opened again.
    virtual void seguiArchivioAperto() = 0;

    // That archive open, closing the open one first when it is another (as File > Chiudi does,
    // asking about unsaved work). False when the operator kept the work open or it could not be
    // opened.
    virtual bool apriArchivioDi(const QString& archivio) = 0;
    // The document window on a document of the open archive.
    virtual void apriDocumentoEsistente(qint64 IDDoc) = 0;
    // A document of any archive in the document window: its archive is opened first when it is
    // another one (closing the open one as File > Chiudi does, asking about unsaved work). False
    // when the operator kept the work open or the archive could not be opened.
    virtual bool apriDocumentoDi(const QString& archivio, qint64 IDDoc) = 0;
    // A line of an error list: its document in the document window, at that finding. False when the
    // document is no longer in the archive (the operator is told) or another was kept open.
    virtual bool apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga) = 0;
};
