#include "app/gui/MDIQuillaro.h"

#include "app/gui/frmAbout.h"
#include "checks/ComandiControlli.h"
#include "citations/frmFontiDalTesto.h"
#include "documents/ComandiDocumenti.h"
#include "import/ComandiImporta.h"
#include "printouts/ComandiStampe.h"
#include "search/ComandiRicerca.h"
#include "store/ArchiviRecenti.h"
#include "store/DataFolder.h"
#include "store/FileLookup.h"
#include "store/HomeFolder.h"
#include "store/frmInformazione.h"
#include "ui/qt/ArchiveBinding.h"
#include "update/ComandiAggiornamento.h"

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

MDIQuillaro::MDIQuillaro(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("MDIQuillaro"));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    creaMenu();
    creaComandi();
    creaMenuRecenti();
    collegaComandi();
    creaPannello();
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
    using G = MenuComandi::Gruppo;

    mnuFile = menu_.definisci(bar, "mnuFile", QStringLiteral("&File ..."),
                              {G{QStringLiteral("archivio")}, G{QStringLiteral("importa"), "mnuFileImportaSep"},
                               G{QStringLiteral("esporta")}, G{QStringLiteral("cerca"), "mnuFileCercaSep"},
                               G{QStringLiteral("esci"), "mnuApriSep0"}});
    const QString file = QStringLiteral("mnuFile"), archivio = QStringLiteral("archivio");
    mnuFileApri = menu_.aggiungi(file, archivio, "mnuFileApri", QStringLiteral("&Apri"));
    mnuFileChiudi = menu_.aggiungi(file, archivio, "mnuFileChiudi", QStringLiteral("&Chiudi"));
    mnuFileNuovo = menu_.aggiungi(file, archivio, "mnuFileNuovo", QStringLiteral("&Nuovo"));
    mnuFileEsci = menu_.aggiungi(file, QStringLiteral("esci"), "mnuFileEsci", QStringLiteral("&Esci"));
    // The keys every desktop program answers, beside the menus' letters and the function keys.
    mnuFileApri->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    mnuFileEsci->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

    mnuDocumenti = menu_.definisci(bar, "mnuDocumenti", QStringLiteral("&Documenti ..."),
                                   {G{QStringLiteral("documenti")}, G{QStringLiteral("cattura"), "mnuDocumentiCatturaSep"},
                                    G{QStringLiteral("ricerca"), "mnuDocumentiSep0"}});

    mnuUtilitaConsegna = menu_.definisci(bar, "mnuUtilitaConsegna", QStringLiteral("&Utilità ..."),
                                         {G{QStringLiteral("consegna")}, G{QStringLiteral("aggiornamento")}});
    mnuUtilitaDocumenti = menu_.definisci(QStringLiteral("mnuUtilitaConsegna"), QStringLiteral("consegna"),
                                          "mnuUtilitaDocumenti", QStringLiteral("&Consegna ..."),
                                          {G{QStringLiteral("stampe")},
                                           G{QStringLiteral("controlli"), "mnuUtilitaDocumentiSep0"}});

    mnuHelp = menu_.definisci(bar, "mnuHelp", QStringLiteral("&?"), {G{QStringLiteral("aiuto")}});
    cmdHelpGuida = menu_.aggiungi(QStringLiteral("mnuHelp"), QStringLiteral("aiuto"), "cmdHelpGuida",
                                  QStringLiteral("&Guida"));
    // F1 reaches the guide from the main window and the windows in it, unless the window with the
    // keyboard answers F1 itself (the document window's key help): it claims the key first.
    cmdHelpGuida->setShortcut(QKeySequence(Qt::Key_F1));
    cmdHelpAbout = menu_.aggiungi(QStringLiteral("mnuHelp"), QStringLiteral("aiuto"), "cmdHelpAbout",
                                  QStringLiteral("&About"));

    connect(mnuFileApri, &QAction::triggered, this, &MDIQuillaro::mnuFileApri_Click);
    connect(mnuFileChiudi, &QAction::triggered, this, &MDIQuillaro::mnuFileChiudi_Click);
    connect(mnuFileNuovo, &QAction::triggered, this, &MDIQuillaro::mnuFileNuovo_Click);
    connect(mnuFileEsci, &QAction::triggered, this, &MDIQuillaro::mnuFileEsci_Click);
    connect(cmdHelpGuida, &QAction::triggered, this, &MDIQuillaro::cmdHelpGuida_Click);
    connect(cmdHelpAbout, &QAction::triggered, this, &MDIQuillaro::cmdHelpAbout_Click);
}

// Each room's commands, into the menus and groups named above.
void MDIQuillaro::creaComandi() {
    importa_ = new ComandiImporta(state_, *this);
    EstensioniDocumento estensioni;
    estensioni.fontiDalTesto = [](AppState& s, DocumentBuffer& buffer, const QList<TestoDocumento>& testi,
                                  QWidget* parent) {
        frmFontiDalTesto dialog(s, buffer, testi, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    documenti_ = new ComandiDocumenti(state_, *this, std::move(estensioni));
    ricerca_ = new ComandiRicerca(state_, *this);
    stampe_ = new ComandiStampe(state_, *this);
    controlli_ = new ComandiControlli(state_, *this);
    aggiornamento_ = new ComandiAggiornamento(state_, *this);
}

// After every item's own command (these connections come after the rooms' own).
void MDIQuillaro::collegaComandi() {
    for (QAction* azione : menuBar()->findChildren<QAction*>()) {
        // Runs whose files were written but which the archive refused to record (read only).
        connect(azione, &QAction::triggered, this, &MDIQuillaro::segnalaInfoNonRegistrata);
        connect(azione, &QAction::triggered, this, &MDIQuillaro::aggiornaPannello);
    }
}

QAction* MDIQuillaro::azione(const QString& nome) const {
    return menuBar()->findChild<QAction*>(nome);
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
    abilitaMenu(mnuDocumenti, stato.documenti);
    abilitaMenu(mnuUtilitaDocumenti, stato.utilitaDocumenti);
}

void MDIQuillaro::seguiArchivioAperto() {
    if (state_.ArchivioAperto) {
        impostaTitolo(state_.NomeArchivio);
    } else if (stato.fileChiudi) {
        // The archive could not be opened again: its windows go, asking about unsaved work (which
        // can no longer be saved into it; those kept open refuse to act).
        closeArchiveWindows(this);
        stato.dopoChiusura();
        applicaStatoMenu();
    }
    aggiornaBarraStato();
}

void MDIQuillaro::apriDocumentoEsistente(qint64 IDDoc) {
    documenti_->apriDocumentoEsistente(IDDoc);
}

bool MDIQuillaro::apriDocumentoAlRilievo(qint64 IDDoc, const QString& riga) {
    return documenti_->apriDocumentoAlRilievo(IDDoc, riga);
}

namespace {

bool stessoFile(const QString& a, const QString& b) {
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

bool MDIQuillaro::apriArchivioDi(const QString& archivio) {
    if (state_.ArchivioAperto && stessoFile(state_.NomeArchivio, archivio))
        return true;
    if (state_.ArchivioAperto) {
        mnuFileChiudi_Click();
        if (state_.ArchivioAperto)
            return false;
    }
    return apriArchivio(archivio);
}

bool MDIQuillaro::apriDocumentoDi(const QString& archivio, qint64 IDDoc) {
    if (state_.ArchivioAperto && stessoFile(state_.NomeArchivio, archivio)) {
        // One document window at a time: the one open goes first, asking about its unsaved work.
        if (!documenti_->chiudiDocumento())
            return false;
    } else if (!apriArchivioDi(archivio)) {
        return false;
    }
    apriDocumentoEsistente(IDDoc);
    return true;
}

void MDIQuillaro::offriDocumentiNonSalvati() {
    documenti_->offriRecuperi({});
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
    // Once whoever opened it has done with it (a document of the archive to show, a restored one).
    QTimer::singleShot(0, documenti_, [this, archivio = state_.archivioCorrente()] {
        if (state_.archivioCorrente() == archivio)
            documenti_->offriRecuperi(archivio);
    });
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
    // The new archive is listed among the recent ones, and offered: made and left closed, it would
    // leave the window as it was, as if nothing had happened.
    QString errore;
    if (!RegistraArchivioRecente(state_.home, {result.path, dialog.informazione().consegna, QDateTime::currentDateTime()},
                                 &errore))
        qWarning("Archivi recenti non aggiornati: %s", qPrintable(errore));
    aggiornaMenuRecenti();
    if (state_.ui().message(QStringLiteral("Aprire l'archivio %1?").arg(NomeSenzaEstensione(QFileInfo(result.path).fileName())),
                            applicationTitle(), Buttons::YesNo, Icon::Question) == Answer::Yes)
        apriArchivio(result.path);
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
    frmAbout about(state_.ui(), state_.home.root(), this);
    about.exec();
}
