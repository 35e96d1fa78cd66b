#pragma once

// The main window: a multiple-document frame with the whole menu tree. Each subsystem handles its
// own menu items in its own file (MDIQuillaro_<subsystem>.cpp).

#include "store/AppState.h"
#include "store/Archivio.h"

#include <QMainWindow>

class QMdiArea;
class QMenu;
class QAction;
class QFileSystemWatcher;
class QTimer;
class PannelloConsegna;

class MDIQuillaro : public QMainWindow {
    Q_OBJECT

public:
    explicit MDIQuillaro(AppState& state, QWidget* parent = nullptr);
    ~MDIQuillaro() override;

    AppState& state() { return state_; }
    QMdiArea* mdiArea() const { return mdiArea_; }

    // Enabled states of the lifecycle.
    StatoMenu stato;
    void applicaStatoMenu();

    // File > Apri on a given path, without the file dialog (start-up and tests).
    bool apriArchivio(const QString& path);

    // The status bar: the open archive and its delivery, or that none is open.
    void aggiornaBarraStato();

    // After a menu command: tells the operator when its run could not be recorded in tabInfo.
    void segnalaInfoNonRegistrata();

    // The caption "Quillaro (<name>)"; kept after the archive is closed.
    void impostaTitolo(const QString& name);

    // The background of the MDI area: the open delivery at a glance, or the recent archives
    // (checks/MDIQuillaro_pannello.cpp). Drawn anew after every menu command and archive change.
    PannelloConsegna* pannello() const { return pannello_; }
    void aggiornaPannello();

    // File > Archivi recenti (app/gui/MDIQuillaro_recenti.cpp).
    QMenu* mnuFileRecenti = nullptr;
    void aggiornaMenuRecenti();
    // The document window on a document of the open archive.
    void apriDocumentoEsistente(qint64 IDDoc);
    // A document of any archive in the document window: its archive is opened first when it is
    // another one (closing the open one as File > Chiudi does, asking about unsaved work). False
    // when the operator kept the work open or the archive could not be opened.
    bool apriDocumentoDi(const QString& archivio, qint64 IDDoc);
    // A line of an error list: its document in the document window, at that finding
    // (documents/MDIQuillaro_documenti.cpp). The document window that is open goes first, asking
    // about its unsaved work, unless it shows that document already. False when the document is no
    // longer in the archive (the operator is told) or the operator kept the other one open.
    bool apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga);

    // Menus and items, by the names of the system.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileApri = nullptr;
    QAction* mnuFileChiudi = nullptr;
    QAction* mnuFileNuovo = nullptr;
    QAction* mnuFileImporta = nullptr;
    QAction* mnuFileImportaModello = nullptr;
    QAction* mnuFileImportaCatalogo = nullptr;
    QAction* mnuFileImportaCartella = nullptr;
    QAction* mnuFileCercaTutti = nullptr;
    QAction* mnuFileEsci = nullptr;
    QMenu* mnuDocumenti = nullptr;
    QAction* mnuDocumentiNuovo = nullptr;
    QAction* mnuDocumentiEdita = nullptr;
    QAction* mnuDocumentiCancella = nullptr;
    QAction* mnuDocumentiRicerca = nullptr;
    QAction* mnuDocumentiDoppioni = nullptr;
    QMenu* mnuUtilitaConsegna = nullptr;
    QMenu* mnuUtilitaDocumenti = nullptr;
    QMenu* mnuUtilitaDocumentiStampe = nullptr;
    QAction* mnuUtilitaDocumentiStampeCompleta = nullptr;
    QAction* mnuUtilitaDocumentiStampeSoloTesti = nullptr;
    QAction* mnuUtilitaDocumentiStampeProspetto = nullptr;
    QAction* mnuUtilitaDocumentiStampeConsistenza = nullptr;
    QMenu* mnuUtilitaDocumentiControlli = nullptr;
    QAction* mnuUtilitaDocumentiControlliEsegui = nullptr;
    QMenu* mnuUtilitaDocumentiControlliVediErrori = nullptr;
    QAction* mnuUtilitaDocumentiControlliVediErroriGenerici = nullptr;
    QAction* mnuUtilitaDocumentiControlliVediErroriClassificazione = nullptr;
    QAction* mnuUtilitaDocumentiControlliVediErroriFonti = nullptr;
    QAction* mnuUtilitaDocumentiControlliNoteCompilatore = nullptr;
    QAction* mnuUtilitaDocumentiControlliPerControlloCELEX = nullptr;
    QAction* mnuUtilitaDocumentiControlliPerControlloHUDOC = nullptr;
    QAction* mnuUtilitaDocumentiControlliPerControlloNIR = nullptr;
    QAction* mnuUtilitaDocumentiControlliNuovi = nullptr;
    QMenu* mnuUtilitaAggiornamento = nullptr;
    QAction* mnuUtilitaAggiornamentoFileSigle = nullptr;
    QMenu* mnuUtilitaAggiornamentoControlli = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliEsegui = nullptr;
    QMenu* mnuUtilitaAggiornamentoControlliVediErrori = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliVediErroriGenerici = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliVediErroriClassificazione = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliVediErroriFonti = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliNoteCompilatore = nullptr;
    QAction* mnuUtilitaAggiornamentoControlloCELEX = nullptr;
    QAction* mnuUtilitaAggiornamentoControlloHUDOC = nullptr;
    QAction* mnuUtilitaAggiornamentoControlloNIR = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliNuovi = nullptr;
    QAction* mnuUtilitaAggiornamentoControlliConteggio = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* cmdHelpGuida = nullptr; // the operator's guide in the browser (F1 where no window claims it)
    QAction* cmdHelpAbout = nullptr;

public Q_SLOTS:
    // File (this file)
    void mnuFileApri_Click();
    void mnuFileChiudi_Click();
    void mnuFileNuovo_Click();
    void mnuFileEsci_Click();
    void cmdHelpGuida_Click();
    void cmdHelpAbout_Click();

    // File > Importa... (import/MDIQuillaro_importa.cpp)
    void mnuFileImporta_Click();
    void mnuFileImportaModello_Click();
    void mnuFileImportaCatalogo_Click();
    void mnuFileImportaCartella_Click();

    // Documenti (documents/MDIQuillaro_documenti.cpp)
    void mnuDocumentiNuovo_Click();
    void mnuDocumentiEdita_Click();
    void mnuDocumentiCancella_Click();

    // Search (search/MDIQuillaro_ricerca.cpp)
    void mnuFileCercaTutti_Click();
    void mnuDocumentiRicerca_Click();
    void mnuDocumentiDoppioni_Click();

    // Consegna > Stampe (printouts/MDIQuillaro_stampe.cpp)
    void mnuUtilitaDocumentiStampeCompleta_Click();
    void mnuUtilitaDocumentiStampeSoloTesti_Click();
    void mnuUtilitaDocumentiStampeProspetto_Click();
    void mnuUtilitaDocumentiStampeConsistenza_Click();

    // Consegna > Controlli (checks/MDIQuillaro_controlli.cpp)
    void mnuUtilitaDocumentiControlliEsegui_Click();
    void mnuUtilitaDocumentiControlliVediErroriGenerici_Click();
    void mnuUtilitaDocumentiControlliVediErroriClassificazione_Click();
    void mnuUtilitaDocumentiControlliVediErroriFonti_Click();
    void mnuUtilitaDocumentiControlliNoteCompilatore_Click();
    void mnuUtilitaDocumentiControlliPerControlloCELEX_Click();
    void mnuUtilitaDocumentiControlliPerControlloHUDOC_Click();
    void mnuUtilitaDocumentiControlliPerControlloNIR_Click();
    void mnuUtilitaDocumentiControlliNuovi_Click();

    // Aggiornamento (update/MDIQuillaro_aggiornamento.cpp)
    void mnuUtilitaAggiornamentoFileSigle_Click();
    void mnuUtilitaAggiornamentoControlliEsegui_Click();
    void mnuUtilitaAggiornamentoControlliNoteCompilatore_Click();
    void mnuUtilitaAggiornamentoControlloCELEX_Click();
    void mnuUtilitaAggiornamentoControlloHUDOC_Click();
    void mnuUtilitaAggiornamentoControlloNIR_Click();
    void mnuUtilitaAggiornamentoControlliNuovi_Click();
    void mnuUtilitaAggiornamentoControlliConteggio_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void creaMenu();
    void creaMenuRecenti();
    void ricordaArchivio();
    void creaPannello();
    void aggiornaPannelloQuandoLibero();
    // Keeps the search index told of the editor's saves and deletions (search/MDIQuillaro_ricerca.cpp).
    void collegaRicerca();
    AppState& state_;
    QMdiArea* mdiArea_ = nullptr;
    PannelloConsegna* pannello_ = nullptr;
    QFileSystemWatcher* osservatore_ = nullptr;
    QTimer* attesaPannello_ = nullptr;
    QList<QAction*> azioniRecenti_;
    QAction* nessunRecente_ = nullptr;
};
