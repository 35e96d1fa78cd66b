#include "app/gui/MDIQuillaro.h"

#include "app/gui/frmAbout.h"
#include "store/DataFolder.h"
#include "store/FileLookup.h"
#include "store/HomeFolder.h"
#include "store/frmInformazione.h"
#include "ui/qt/ArchiveBinding.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <utility>

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* addMenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void enable(QMenu* menu, bool on) {
    menu->setEnabled(on);
    menu->menuAction()->setEnabled(on);
}

} // namespace

MDIQuillaro::MDIQuillaro(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("MDIQuillaro"));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    creaMenu();
    creaMenuRecenti();
    creaPannello();
    collegaRicerca();
    setWindowTitle(QStringLiteral("Quillaro"));
    // The usual size, but never larger than the screen (its frame and title bar included).
    QSize dimensione(1180, 820);
    if (const QScreen* schermo = screen())
        dimensione = dimensione.boundedTo(schermo->availableGeometry().size() - QSize(16, 48));
    resize(dimensione);
    // The desktop program says which archive it has open, for as long as it has it.
    state_.segnaArchiviAperti = true;
    auto* rinnovoUso = new QTimer(this);
    rinnovoUso->setInterval(30 * 60 * 1000);
    connect(rinnovoUso, &QTimer::timeout, this, [this] { RinnovaUsoArchivio(state_); });
    rinnovoUso->start();
    // Load: no archive is open and no update runs.
    stato.dopoAvvio();
    state_.ModoAggiornamento = false;
    applicaStatoMenu();
    aggiornaBarraStato();
    aggiornaPannello();
}

void MDIQuillaro::aggiornaBarraStato() {
    // A permanent label: menu hints shown in the bar do not wipe it.
    auto* label = statusBar()->findChild<QLabel*>(QStringLiteral("lblArchivio"));
    if (!label) {
        label = new QLabel(statusBar());
        label->setObjectName(QStringLiteral("lblArchivio"));
        statusBar()->addWidget(label, 1);
    }
    if (!state_.ArchivioAperto) {
        label->setText(QStringLiteral("Nessun archivio aperto"));
        return;
    }
    label->setText(QStringLiteral("Archivio %1  -  consegna %2  -  centro %3  -  anno %4")
                       .arg(QFileInfo(state_.NomeArchivio).fileName(), state_.Consegna(),
                            state_.IDCentroSpoglio(), state_.AnnoProduzione()));
}

MDIQuillaro::~MDIQuillaro() = default;

void MDIQuillaro::creaMenu() {
    QMenuBar* bar = menuBar();

    mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&File ..."));
    mnuFileApri = addItem(mnuFile, "mnuFileApri", QStringLiteral("&Apri"));
    mnuFileChiudi = addItem(mnuFile, "mnuFileChiudi", QStringLiteral("&Chiudi"));
    mnuFileNuovo = addItem(mnuFile, "mnuFileNuovo", QStringLiteral("&Nuovo"));
    addSeparator(mnuFile, "mnuFileImportaSep");
    mnuFileImporta = addItem(mnuFile, "mnuFileImporta", QStringLiteral("&Importa archivio Access..."));
    mnuFileImportaModello =
        addItem(mnuFile, "mnuFileImportaModello", QStringLiteral("Importa &modello (masterOnline.mdb)..."));
    mnuFileImportaCatalogo = addItem(mnuFile, "mnuFileImportaCatalogo",
                                     QStringLiteral("Importa catalogo n&orme (Catalogo norme.mdb)..."));
    mnuFileImportaCartella = addItem(mnuFile, "mnuFileImportaCartella",
                                     QStringLiteral("Importa tutti gli archivi di una carte&lla..."));
    addSeparator(mnuFile, "mnuFileCercaSep");
    mnuFileCercaTutti =
        addItem(mnuFile, "mnuFileCercaTutti", QStringLiteral("Cerca in &tutti gli archivi..."));
    mnuFileCercaTutti->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    addSeparator(mnuFile, "mnuApriSep0");
    mnuFileEsci = addItem(mnuFile, "mnuFileEsci", QStringLiteral("&Esci"));

    mnuDocumenti = addMenu(bar, "mnuDocumenti", QStringLiteral("&Documenti ..."));
    mnuDocumentiNuovo = addItem(mnuDocumenti, "mnuDocumentiNuovo", QStringLiteral("&Nuovo"));
    mnuDocumentiEdita = addItem(mnuDocumenti, "mnuDocumentiEdita", QStringLiteral("&Edita"));
    mnuDocumentiCancella = addItem(mnuDocumenti, "mnuDocumentiCancella", QStringLiteral("&Cancella"));
    addSeparator(mnuDocumenti, "mnuDocumentiSep0");
    mnuDocumentiRicerca = addItem(mnuDocumenti, "mnuDocumentiRicerca", QStringLiteral("&Ricerca"));
    mnuDocumentiDoppioni =
        addItem(mnuDocumenti, "mnuDocumentiDoppioni", QStringLiteral("&Possibili doppioni"));

    mnuUtilitaConsegna = addMenu(bar, "mnuUtilitaConsegna", QStringLiteral("&Utilità ..."));
    mnuUtilitaDocumenti = addMenu(mnuUtilitaConsegna, "mnuUtilitaDocumenti", QStringLiteral("&Consegna ..."));
    mnuUtilitaDocumentiStampe =
        addMenu(mnuUtilitaDocumenti, "mnuUtilitaDocumentiStampe", QStringLiteral("&Stampe ..."));
    mnuUtilitaDocumentiStampeCompleta =
        addItem(mnuUtilitaDocumentiStampe, "mnuUtilitaDocumentiStampeCompleta", QStringLiteral("&Completa"));
    mnuUtilitaDocumentiStampeSoloTesti = addItem(
        mnuUtilitaDocumentiStampe, "mnuUtilitaDocumentiStampeSoloTesti", QStringLiteral("&Solo campi testo"));
    addSeparator(mnuUtilitaDocumentiStampe, "mnuUtilitaDocumentiSep00");
    mnuUtilitaDocumentiStampeProspetto = addItem(
        mnuUtilitaDocumentiStampe, "mnuUtilitaDocumentiStampeProspetto", QStringLiteral("&Prospetto"));
    mnuUtilitaDocumentiStampeConsistenza = addItem(
        mnuUtilitaDocumentiStampe, "mnuUtilitaDocumentiStampeConsistenza", QStringLiteral("Co&nsistenza"));
    addSeparator(mnuUtilitaDocumenti, "mnuUtilitaDocumentiSep0");
    mnuUtilitaDocumentiControlli =
        addMenu(mnuUtilitaDocumenti, "mnuUtilitaDocumentiControlli", QStringLiteral("&Controlli ..."));
    mnuUtilitaDocumentiControlliEsegui =
        addItem(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliEsegui",
                QStringLiteral("&Esegui controlli"));
    mnuUtilitaDocumentiControlliVediErrori =
        addMenu(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliVediErrori",
                QStringLiteral("&Vedi file errori ..."));
    mnuUtilitaDocumentiControlliVediErroriGenerici =
        addItem(mnuUtilitaDocumentiControlliVediErrori, "mnuUtilitaDocumentiControlliVediErroriGenerici",
                QStringLiteral("&Generici"));
    mnuUtilitaDocumentiControlliVediErroriClassificazione =
        addItem(mnuUtilitaDocumentiControlliVediErrori,
                "mnuUtilitaDocumentiControlliVediErroriClassificazione", QStringLiteral("&Classificazione"));
    mnuUtilitaDocumentiControlliVediErroriFonti =
        addItem(mnuUtilitaDocumentiControlliVediErrori, "mnuUtilitaDocumentiControlliVediErroriFonti",
                QStringLiteral("&Fonti"));
    addSeparator(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliSep1");
    mnuUtilitaDocumentiControlliNoteCompilatore =
        addItem(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliNoteCompilatore",
                QStringLiteral("&File note compilatore"));
    addSeparator(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliSep0");
    mnuUtilitaDocumentiControlliPerControlloCELEX =
        addItem(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliPerControlloCELEX",
                QStringLiteral("Per controllo &CELEX"));
    mnuUtilitaDocumentiControlliPerControlloHUDOC =
        addItem(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliPerControlloHUDOC",
                QStringLiteral("Per controllo &HUDOC"));
    mnuUtilitaDocumentiControlliPerControlloNIR =
        addItem(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliPerControlloNIR",
                QStringLiteral("Stampa HTML fonti italiane (&URN)"));
    addSeparator(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliSep2");
    mnuUtilitaDocumentiControlliNuovi =
        addItem(mnuUtilitaDocumentiControlli, "mnuUtilitaDocumentiControlliNuovi",
                QStringLiteral("File con \"&nuovi\""));

    mnuUtilitaAggiornamento =
        addMenu(mnuUtilitaConsegna, "mnuUtilitaAggiornamento", QStringLiteral("&Aggiornamento ..."));
    mnuUtilitaAggiornamentoFileSigle =
        addItem(mnuUtilitaAggiornamento, "mnuUtilitaAggiornamentoFileSigle", QStringLiteral("File &sigle"));
    addSeparator(mnuUtilitaAggiornamento, "mnuUtilitaAggiornamentoSep0");
    mnuUtilitaAggiornamentoControlli = addMenu(mnuUtilitaAggiornamento, "mnuUtilitaAggiornamentoControlli",
                                               QStringLiteral("&Controlli ..."));
    mnuUtilitaAggiornamentoControlliEsegui =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliEsegui",
                QStringLiteral("&Esegui controlli"));
    mnuUtilitaAggiornamentoControlliVediErrori =
        addMenu(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliVediErrori",
                QStringLiteral("&Vedi file errori ..."));
    mnuUtilitaAggiornamentoControlliVediErroriGenerici =
        addItem(mnuUtilitaAggiornamentoControlliVediErrori,
                "mnuUtilitaAggiornamentoControlliVediErroriGenerici", QStringLiteral("&Generici"));
    mnuUtilitaAggiornamentoControlliVediErroriClassificazione = addItem(
        mnuUtilitaAggiornamentoControlliVediErrori,
        "mnuUtilitaAggiornamentoControlliVediErroriClassificazione", QStringLiteral("&Classificazione"));
    mnuUtilitaAggiornamentoControlliVediErroriFonti =
        addItem(mnuUtilitaAggiornamentoControlliVediErrori, "mnuUtilitaAggiornamentoControlliVediErroriFonti",
                QStringLiteral("&Fonti"));
    addSeparator(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliSep0");
    mnuUtilitaAggiornamentoControlliNoteCompilatore =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliNoteCompilatore",
                QStringLiteral("&File note compilatore"));
    addSeparator(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliSep1");
    mnuUtilitaAggiornamentoControlloCELEX =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlloCELEX",
                QStringLiteral("Per controllo &CELEX"));
    mnuUtilitaAggiornamentoControlloHUDOC =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlloHUDOC",
                QStringLiteral("Per controllo &HUDOC"));
    mnuUtilitaAggiornamentoControlloNIR =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlloNIR",
                QStringLiteral("Stampa HTML fonti italiane (&URN)"));
    addSeparator(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliSep2");
    mnuUtilitaAggiornamentoControlliNuovi =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliNuovi",
                QStringLiteral("File con \"&nuovi\""));
    addSeparator(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliSep3");
    mnuUtilitaAggiornamentoControlliConteggio =
        addItem(mnuUtilitaAggiornamentoControlli, "mnuUtilitaAggiornamentoControlliConteggio",
                QStringLiteral("Con&teggio"));

    mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&?"));
    cmdHelpGuida = addItem(mnuHelp, "cmdHelpGuida", QStringLiteral("&Guida"));
    // F1 reaches the guide from the main window and the windows in it, unless the window with the
    // keyboard answers F1 itself (the document window's key help): it claims the key first.
    cmdHelpGuida->setShortcut(QKeySequence(Qt::Key_F1));
    cmdHelpAbout = addItem(mnuHelp, "cmdHelpAbout", QStringLiteral("&About"));

    const auto wire = [this](QAction* action, void (MDIQuillaro::*slot)()) {
        connect(action, &QAction::triggered, this, slot);
        // Runs whose files were written but which the archive refused to record (read only).
        connect(action, &QAction::triggered, this, &MDIQuillaro::segnalaInfoNonRegistrata);
    };
    wire(mnuFileApri, &MDIQuillaro::mnuFileApri_Click);
    wire(mnuFileChiudi, &MDIQuillaro::mnuFileChiudi_Click);
    wire(mnuFileNuovo, &MDIQuillaro::mnuFileNuovo_Click);
    wire(mnuFileEsci, &MDIQuillaro::mnuFileEsci_Click);
    wire(mnuFileImporta, &MDIQuillaro::mnuFileImporta_Click);
    wire(mnuFileImportaModello, &MDIQuillaro::mnuFileImportaModello_Click);
    wire(mnuFileImportaCatalogo, &MDIQuillaro::mnuFileImportaCatalogo_Click);
    wire(mnuFileImportaCartella, &MDIQuillaro::mnuFileImportaCartella_Click);
    wire(cmdHelpGuida, &MDIQuillaro::cmdHelpGuida_Click);
    wire(cmdHelpAbout, &MDIQuillaro::cmdHelpAbout_Click);
    wire(mnuDocumentiNuovo, &MDIQuillaro::mnuDocumentiNuovo_Click);
    wire(mnuDocumentiEdita, &MDIQuillaro::mnuDocumentiEdita_Click);
    wire(mnuDocumentiCancella, &MDIQuillaro::mnuDocumentiCancella_Click);
    wire(mnuFileCercaTutti, &MDIQuillaro::mnuFileCercaTutti_Click);
    wire(mnuDocumentiRicerca, &MDIQuillaro::mnuDocumentiRicerca_Click);
    wire(mnuDocumentiDoppioni, &MDIQuillaro::mnuDocumentiDoppioni_Click);
    wire(mnuUtilitaDocumentiStampeCompleta, &MDIQuillaro::mnuUtilitaDocumentiStampeCompleta_Click);
    wire(mnuUtilitaDocumentiStampeSoloTesti, &MDIQuillaro::mnuUtilitaDocumentiStampeSoloTesti_Click);
    wire(mnuUtilitaDocumentiStampeProspetto, &MDIQuillaro::mnuUtilitaDocumentiStampeProspetto_Click);
    wire(mnuUtilitaDocumentiStampeConsistenza, &MDIQuillaro::mnuUtilitaDocumentiStampeConsistenza_Click);
    wire(mnuUtilitaDocumentiControlliEsegui, &MDIQuillaro::mnuUtilitaDocumentiControlliEsegui_Click);
    wire(mnuUtilitaDocumentiControlliVediErroriGenerici,
         &MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriGenerici_Click);
    wire(mnuUtilitaDocumentiControlliVediErroriClassificazione,
         &MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriClassificazione_Click);
    wire(mnuUtilitaDocumentiControlliVediErroriFonti,
         &MDIQuillaro::mnuUtilitaDocumentiControlliVediErroriFonti_Click);
    wire(mnuUtilitaDocumentiControlliNoteCompilatore,
         &MDIQuillaro::mnuUtilitaDocumentiControlliNoteCompilatore_Click);
    wire(mnuUtilitaDocumentiControlliPerControlloCELEX,
         &MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloCELEX_Click);
    wire(mnuUtilitaDocumentiControlliPerControlloHUDOC,
         &MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloHUDOC_Click);
    wire(mnuUtilitaDocumentiControlliPerControlloNIR,
         &MDIQuillaro::mnuUtilitaDocumentiControlliPerControlloNIR_Click);
    wire(mnuUtilitaDocumentiControlliNuovi, &MDIQuillaro::mnuUtilitaDocumentiControlliNuovi_Click);
    wire(mnuUtilitaAggiornamentoFileSigle, &MDIQuillaro::mnuUtilitaAggiornamentoFileSigle_Click);
    wire(mnuUtilitaAggiornamentoControlliEsegui, &MDIQuillaro::mnuUtilitaAggiornamentoControlliEsegui_Click);
    wire(mnuUtilitaAggiornamentoControlliNoteCompilatore,
         &MDIQuillaro::mnuUtilitaAggiornamentoControlliNoteCompilatore_Click);
    wire(mnuUtilitaAggiornamentoControlloCELEX, &MDIQuillaro::mnuUtilitaAggiornamentoControlloCELEX_Click);
    wire(mnuUtilitaAggiornamentoControlloHUDOC, &MDIQuillaro::mnuUtilitaAggiornamentoControlloHUDOC_Click);
    wire(mnuUtilitaAggiornamentoControlloNIR, &MDIQuillaro::mnuUtilitaAggiornamentoControlloNIR_Click);
    wire(mnuUtilitaAggiornamentoControlliNuovi, &MDIQuillaro::mnuUtilitaAggiornamentoControlliNuovi_Click);
    wire(mnuUtilitaAggiornamentoControlliConteggio,
         &MDIQuillaro::mnuUtilitaAggiornamentoControlliConteggio_Click);
}

void MDIQuillaro::segnalaInfoNonRegistrata() {
    if (state_.infoNotRecorded.isEmpty())
        return;
    const QString motivo = std::exchange(state_.infoNotRecorded, QString());
    state_.ui().message(QStringLiteral("Esecuzione non registrata nell'archivio (tabInfo): ") + motivo,
                        applicationTitle(), Buttons::Ok, Icon::Warning);
}

void MDIQuillaro::applicaStatoMenu() {
    mnuFileApri->setEnabled(stato.fileApri);
    mnuFileNuovo->setEnabled(stato.fileNuovo);
    mnuFileChiudi->setEnabled(stato.fileChiudi);
    enable(mnuDocumenti, stato.documenti);
    enable(mnuUtilitaDocumenti, stato.utilitaDocumenti);
}

void MDIQuillaro::impostaTitolo(const QString& name) {
    setWindowTitle(QStringLiteral("Quillaro (") + name + u')');
}

bool MDIQuillaro::apriArchivio(const QString& path) {
    // No window outlives the archive it was opened on, nor acts on the next one.
    if (!closeArchiveWindows(this))
        return false;
    if (!ApriArchivio(state_, path))
        return false;
    impostaTitolo(state_.NomeArchivio);
    stato.dopoApertura();
    applicaStatoMenu();
    aggiornaBarraStato();
    ricordaArchivio();
    aggiornaPannello();
    return true;
}

void MDIQuillaro::mnuFileApri_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Apri archivio");
    request.folder = state_.home.mdbDir();
    request.filter = QStringLiteral("Database file (*.db)");
    request.defaultSuffix = QStringLiteral("db");
    request.mustExist = true;
    const QString path = state_.ui().chooseFile(request);
    apriArchivio(path);
}

void MDIQuillaro::mnuFileChiudi_Click() {
    if (!state_.ArchivioAperto)
        return;
    // Windows working on the archive go with it; one that keeps unsaved work keeps the archive open.
    if (!closeArchiveWindows(this))
        return;
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty())
        return;
    ChiudiArchivio(state_);
    stato.dopoChiusura();
    applicaStatoMenu();
    aggiornaBarraStato();
}

void MDIQuillaro::mnuFileNuovo_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Nuovo archivio");
    request.folder = state_.home.mdbDir();
    request.filter = QStringLiteral("Database file (*.db)");
    request.defaultSuffix = QStringLiteral("db");
    request.mustExist = false;
    const QString path = state_.ui().chooseFile(request);
    if (path.trimmed().isEmpty()) {
        state_.ui().message(QStringLiteral("Nome archivio non valido"));
        return;
    }
    // A name no archive may have, or an existing archive, which is never replaced by the template:
    // refused before anything is asked.
    if (const QString motivo = MotivoNomeArchivio(NomeSenzaEstensione(QFileInfo(path.trimmed()).fileName()));
        !motivo.isEmpty()) {
        state_.ui().message(QStringLiteral("Nome archivio non valido: ") + motivo, applicationTitle(),
                            Buttons::Ok, Icon::Warning);
        return;
    }
    const QString target = NomeArchivioNuovo(path);
    if (QFileInfo::exists(target)) {
        state_.ui().message(QStringLiteral("L'archivio %1 esiste già: scegliere un altro nome!").arg(target),
                            applicationTitle(), Buttons::Ok, Icon::Warning);
        return;
    }
    frmInformazione dialog(state_.ui(), this);
    dialog.exec();
    if (!dialog.risultato()) {
        state_.ui().message(QStringLiteral("Archivio nuovo non creato!"), applicationTitle(), Buttons::Ok,
                            Icon::Information);
        return;
    }
    state_.Info[InfoIDCentroSpoglio] = dialog.informazione().centro;
    state_.Info[InfoAnnoProduzione] = dialog.informazione().anno;
    state_.Info[InfoConsegna] = dialog.informazione().consegna;
    state_.Info[InfoNumInizio] = dialog.informazione().inizio;
    const NuovoArchivio result = CreaArchivio(state_, path, dialog.informazione());
    if (result.esito != EsitoNuovoArchivio::Creato) {
        state_.ui().message(result.message, applicationTitle(), Buttons::Ok, Icon::Warning);
        return;
    }
    stato.dopoNuovo();
    applicaStatoMenu();
}

void MDIQuillaro::mnuFileEsci_Click() {
    // closeEvent closes the windows and the archive, or stays when a window keeps unsaved work.
    close();
}

void MDIQuillaro::closeEvent(QCloseEvent* event) {
    if (!closeArchiveWindows(this)) {
        event->ignore();
        return;
    }
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        // A window refused to close (work not saved): the program stays.
        event->ignore();
        return;
    }
    ChiudiCatalogo(state_);
    ChiudiArchivio(state_);
    event->accept();
}

void MDIQuillaro::cmdHelpGuida_Click() {
    const QString indice = guidaOperatore();
    if (!QFileInfo(indice).isFile()) {
        state_.ui().message(QStringLiteral("La guida dell'operatore non è stata trovata (%1): reinstallare Quillaro.")
                                .arg(QDir::toNativeSeparators(indice)),
                            applicationTitle(), Buttons::Ok, Icon::Warning);
        return;
    }
    const QString indirizzo = QUrl::fromLocalFile(indice).toString();
    if (!state_.ui().openUrl(indirizzo))
        state_.ui().message(QStringLiteral("Il browser non si è aperto sulla guida dell'operatore.\n"
                                           "Aprire nel browser:\n") +
                                indirizzo,
                            applicationTitle(), Buttons::Ok, Icon::Warning);
}

void MDIQuillaro::cmdHelpAbout_Click() {
    frmAbout about(state_.ui(), this);
    about.exec();
}
