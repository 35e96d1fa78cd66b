#include "import/ComandiImporta.h"
#include "import/ImportaArchivio.h"
#include "import/frmImportazione.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"
#include "ui/qt/MenuComandi.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {

// Where the centre keeps its Access files: the folder of the last import, else the user's home.
QString& cartellaAccess() {
    static QString folder = QDir::homePath();
    return folder;
}

QString scegliAccess(AppState& state, const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.folder = cartellaAccess();
    request.filter = QStringLiteral("Archivio Access (*.mdb *.MDB)");
    request.defaultSuffix = QStringLiteral("mdb");
    request.mustExist = true;
    const QString path = state.ui().chooseFile(request);
    if (!path.isEmpty())
        cartellaAccess() = QFileInfo(path).absolutePath();
    return path;
}

// The file read and found of the kind the command imports, before anything is asked: a file that
// cannot be imported is said at once. Null when it was said.
std::unique_ptr<JetSource> leggiTipo(AppState& state, const QString& path, TipoImportazione tipo,
                                     const QString& title) {
    FileDaImportare file;
    {
        BusyScope busy(state.ui(), QStringLiteral("Lettura di %1...").arg(QFileInfo(path).fileName()));
        file = ApriDaImportare(path, tipo, &busy.progress());
    }
    if (!file.fonte)
        state.ui().message(file.esito.messaggio, title, Buttons::Ok, Icon::Warning);
    return std::move(file.fonte);
}

} // namespace

ComandiImporta::ComandiImporta(AppState& state, FinestraPrincipale& principale)
    : QObject(principale.finestra()), state_(state), principale_(principale) {
    MenuComandi& menu = principale.menu();
    const QString file = QStringLiteral("mnuFile"), gruppo = QStringLiteral("importa");
    mnuFileImporta = menu.aggiungi(file, gruppo, "mnuFileImporta", QStringLiteral("&Importa archivio Access..."));
    mnuFileImportaModello = menu.aggiungi(file, gruppo, "mnuFileImportaModello",
                                          QStringLiteral("Importa &modello (masterOnline.mdb)..."));
    mnuFileImportaCatalogo = menu.aggiungi(file, gruppo, "mnuFileImportaCatalogo",
                                           QStringLiteral("Importa catalogo n&orme (Catalogo norme.mdb)..."));
    mnuFileImportaCartella = menu.aggiungi(file, gruppo, "mnuFileImportaCartella",
                                           QStringLiteral("Importa tutti gli archivi di una carte&lla..."));
    connect(mnuFileImporta, &QAction::triggered, this, &ComandiImporta::mnuFileImporta_Click);
    connect(mnuFileImportaModello, &QAction::triggered, this, &ComandiImporta::mnuFileImportaModello_Click);
    connect(mnuFileImportaCatalogo, &QAction::triggered, this, &ComandiImporta::mnuFileImportaCatalogo_Click);
    connect(mnuFileImportaCartella, &QAction::triggered, this, &ComandiImporta::mnuFileImportaCartella_Click);
}

void ComandiImporta::mnuFileImporta_Click() {
    const QString title = QStringLiteral("Importa archivio Access");
    const QString path = scegliAccess(state_, title);
    if (path.isEmpty())
        return;
    const std::unique_ptr<JetSource> source = leggiTipo(state_, path, TipoImportazione::Archivio, title);
    if (!source)
        return;
    QString name = NomeProposto(path);
    for (;;) {
        const std::optional<QString> typed = state_.ui().input(
            QStringLiteral("Nome del nuovo archivio (sarà creato come mdb/<NOME>.db):"), title, name);
        if (!typed)
            return;
        name = *typed;
        EsitoImportazione esito;
        {
            BusyScope busy(state_.ui(),
                           QStringLiteral("Importazione di %1...").arg(QFileInfo(path).fileName()));
            esito = ImportaArchivio(state_, *source, name, &busy.progress());
        }
        if (esito.riuscita) {
            frmImportazione(esito, principale_.finestra()).exec();
            return;
        }
        state_.ui().message(esito.messaggio, title, Buttons::Ok, Icon::Warning);
        // A name that cannot be used is asked again; any other refusal ends the import.
        if (esito.rifiuto != EsitoImportazione::Rifiuto::NomeNonValido &&
            esito.rifiuto != EsitoImportazione::Rifiuto::NomeEsistente)
            return;
    }
}

namespace {

// The template or the catalogue, replaced after the operator agreed.
void sostituisci(QWidget* window, AppState& state, TipoImportazione tipo) {
    const bool modello = tipo == TipoImportazione::Modello;
    const QString title =
        modello ? QStringLiteral("Importa modello") : QStringLiteral("Importa catalogo norme");
    const QString path = scegliAccess(state, title);
    if (path.isEmpty())
        return;
    const std::unique_ptr<JetSource> source = leggiTipo(state, path, tipo, title);
    if (!source)
        return;
    const QString target =
        QDir::toNativeSeparators(modello ? state.home.templatePath() : state.home.cataloguePath());
    const QString question =
        modello ? QStringLiteral(
                      "Il modello %1 sarà sostituito con le tabelle di %2: le nuove consegne porteranno "
                      "i dati del centro. Il modello attuale resterà come %1.bak.\n\nContinuare?")
                : QStringLiteral("Il catalogo norme %1 sarà sostituito con quello di %2. Il catalogo attuale "
                                 "resterà come %1.bak.\n\nContinuare?");
    if (!state.ui().askYesNo(question.arg(target, QFileInfo(path).fileName()), title))
        return;
    EsitoImportazione esito;
    {
        BusyScope busy(state.ui(), QStringLiteral("Importazione di %1...").arg(QFileInfo(path).fileName()));
        esito = modello ? ImportaModello(state, *source, &busy.progress())
                        : ImportaCatalogo(state, *source, &busy.progress());
    }
    if (!esito.riuscita) {
        state.ui().message(esito.messaggio, title, Buttons::Ok, Icon::Warning);
        return;
    }
    frmImportazione(esito, window).exec();
}

} // namespace

void ComandiImporta::mnuFileImportaModello_Click() {
    sostituisci(principale_.finestra(), state_, TipoImportazione::Modello);
}

void ComandiImporta::mnuFileImportaCatalogo_Click() {
    sostituisci(principale_.finestra(), state_, TipoImportazione::Catalogo);
}

void ComandiImporta::mnuFileImportaCartella_Click() {
    const QString title = QStringLiteral("Importa gli archivi Access di una cartella");
    FileDialogRequest request;
    request.title = title;
    request.folder = cartellaAccess();
    request.chooseFolder = true;
    const QString folder = state_.ui().chooseFile(request);
    if (folder.isEmpty())
        return;
    cartellaAccess() = folder;
    EsitoCartella esito;
    {
        BusyScope busy(state_.ui(), QStringLiteral("Importazione degli archivi Access..."));
        esito = ImportaCartella(state_, folder, &busy.progress());
    }
    if (!esito.messaggio.isEmpty()) {
        state_.ui().message(esito.messaggio, title, Buttons::Ok, Icon::Warning);
        return;
    }
    frmImportazione(esito, principale_.finestra()).exec();
}
