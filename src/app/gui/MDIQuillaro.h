#pragma once

// The main window: a multiple-document frame with the menu bar. It keeps the archive's lifecycle
// (File > Apri, Chiudi, Nuovo, Esci, the recent archives), the delivery panel and "?"; every other
// command belongs to its room's commands object (Comandi<room>), which puts its items into the
// menus and groups named here (creaMenu) and knows this window through FinestraPrincipale.

#include "store/AppState.h"
#include "store/Archivio.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"

#include <QMainWindow>

class QMdiArea;
class QMenu;
class QAction;
class QFileSystemWatcher;
class QTimer;
class PannelloConsegna;
class ComandiAggiornamento;
class ComandiControlli;
class ComandiDocumenti;
class ComandiImporta;
class ComandiRicerca;
class ComandiStampe;

class MDIQuillaro : public QMainWindow, public FinestraPrincipale {
    Q_OBJECT

public:
    explicit MDIQuillaro(AppState& state, QWidget* parent = nullptr);
    ~MDIQuillaro() override;

    AppState& state() { return state_; }
    QMdiArea* mdiArea() const { return mdiArea_; }

    // Enabled states of the lifecycle.
    StatoMenu stato;

    // File > Apri on a given path, without the file dialog (start-up and tests).
    bool apriArchivio(const QString& path);

    // The status bar: the open archive and its delivery, or that none is open.
    void aggiornaBarraStato();

    // After a menu command: tells the operator when its run could not be recorded in tabInfo.
    void segnalaInfoNonRegistrata();

    // The caption "Quillaro (<name>)"; kept after the archive is closed.
    void impostaTitolo(const QString& name);

    // The background of the MDI area: the open delivery at a glance, or the recent archives
    // (MDIQuillaro_pannello.cpp). Drawn anew after every menu command and archive change.
    PannelloConsegna* pannello() const { return pannello_; }
    void aggiornaPannello();

    // File > Archivi recenti (MDIQuillaro_recenti.cpp).
    QMenu* mnuFileRecenti = nullptr;
    void aggiornaMenuRecenti();

    // An item of any room's menus, by its object name; null when there is none.
    QAction* azione(const QString& nome) const;
    ComandiDocumenti& documenti() const { return *documenti_; }

    // FinestraPrincipale
    QWidget* finestra() override { return this; }
    QMdiArea* areaDocumenti() override { return mdiArea_; }
    MenuComandi& menu() override { return menu_; }
    void applicaStatoMenu() override;
    void mostraInTitolo(const QString& nome) override { impostaTitolo(nome); }
    void seguiArchivioAperto() override;
    void apriDocumentoEsistente(qint64 IDDoc) override;
    bool apriArchivioDi(const QString& archivio) override;
    bool apriDocumentoDi(const QString& archivio, qint64 IDDoc) override;
    // At start: the documents left unsaved by programs that stopped, offered back.
    void offriDocumentiNonSalvati();
    bool apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga) override;

    // The menus named here, and the items of the lifecycle.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileApri = nullptr;
    QAction* mnuFileChiudi = nullptr;
    QAction* mnuFileNuovo = nullptr;
    QAction* mnuFileEsci = nullptr;
    QMenu* mnuDocumenti = nullptr;
    QMenu* mnuUtilitaConsegna = nullptr;
    QMenu* mnuUtilitaDocumenti = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* cmdHelpGuida = nullptr; // the operator's guide in the browser (F1 where no window claims it)
    QAction* cmdHelpAbout = nullptr;

public Q_SLOTS:
    void mnuFileApri_Click();
    void mnuFileChiudi_Click();
    void mnuFileNuovo_Click();
    void mnuFileEsci_Click();
    void cmdHelpGuida_Click();
    void cmdHelpAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void creaMenu();
    void creaComandi();
    void collegaComandi();
    void creaMenuRecenti();
    void ricordaArchivio();
    void creaPannello();
    void aggiornaPannelloQuandoLibero();
    AppState& state_;
    MenuComandi menu_;
    QMdiArea* mdiArea_ = nullptr;
    PannelloConsegna* pannello_ = nullptr;
    QFileSystemWatcher* osservatore_ = nullptr;
    QTimer* attesaPannello_ = nullptr;
    QList<QAction*> azioniRecenti_;
    QAction* nessunRecente_ = nullptr;
    ComandiImporta* importa_ = nullptr;
    ComandiDocumenti* documenti_ = nullptr;
    ComandiRicerca* ricerca_ = nullptr;
    ComandiStampe* stampe_ = nullptr;
    ComandiControlli* controlli_ = nullptr;
    ComandiAggiornamento* aggiornamento_ = nullptr;
};
