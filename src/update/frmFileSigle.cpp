#include "update/frmFileSigle.h"

#include "store/AppState.h"
#include "ui/qt/ChiusuraMdi.h"
#include "update/FileSigle.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

frmFileSigle::frmFileSigle(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("frmFileSigle"));
    setWindowTitle(QStringLiteral("Composizione file sigle"));

    chkNuovoFile = new QCheckBox(QStringLiteral("File nuovo?"), this);
    chkNuovoFile->setObjectName(QStringLiteral("chkNuovoFile"));
    cmdApriFileSigle = new QPushButton(QStringLiteral("&Apri file sigle"), this);
    cmdApriFileSigle->setObjectName(QStringLiteral("cmdApriFileSigle"));
    lstSigle = new QListWidget(this);
    lstSigle->setObjectName(QStringLiteral("lstSigle"));
    Label1 = new QLabel(QStringLiteral("Numero sigle:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("0"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    frmOperazioniSigle = new QGroupBox(this);
    frmOperazioniSigle->setObjectName(QStringLiteral("frmOperazioniSigle"));
    cmdNuovaSigla = new QPushButton(QStringLiteral("Nuo&va sigla"), frmOperazioniSigle);
    cmdNuovaSigla->setObjectName(QStringLiteral("cmdNuovaSigla"));
    cmdEliminaSigla = new QPushButton(QStringLiteral("&Elimina sigla"), frmOperazioniSigle);
    cmdEliminaSigla->setObjectName(QStringLiteral("cmdEliminaSigla"));
    cmdEsciSalva = new QPushButton(QStringLiteral("Esci e &salva"), this);
    cmdEsciSalva->setObjectName(QStringLiteral("cmdEsciSalva"));
    cmdAnnulla = new QPushButton(QStringLiteral("A&nnulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    // Enter presses the button that has the focus, as in the dialogs; Esc closes, as Annulla does
    // (but asking before a changed list is lost).
    for (QPushButton* b : {cmdApriFileSigle, cmdNuovaSigla, cmdEliminaSigla, cmdEsciSalva, cmdAnnulla})
        b->setAutoDefault(true);
    escChiude(this);

    auto* operations = new QVBoxLayout(frmOperazioniSigle);
    operations->addWidget(cmdNuovaSigla);
    operations->addWidget(cmdEliminaSigla);
    operations->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(chkNuovoFile);
    top->addWidget(cmdApriFileSigle);
    top->addStretch();
    auto* count = new QHBoxLayout;
    count->addWidget(Label1);
    count->addWidget(Label2);
    count->addStretch();
    auto* side = new QVBoxLayout;
    side->addWidget(frmOperazioniSigle);
    side->addStretch();
    side->addWidget(cmdEsciSalva);
    side->addWidget(cmdAnnulla);
    auto* middle = new QHBoxLayout;
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(lstSigle);
    listColumn->addLayout(count);
    middle->addLayout(listColumn, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    resize(420, 380);

    // Load: nothing to work on until a file is chosen.
    frmOperazioniSigle->hide();
    Label1->hide();
    Label2->hide();
    chkNuovoFile->setChecked(false);

    connect(cmdApriFileSigle, &QPushButton::clicked, this, &frmFileSigle::cmdApriFileSigle_Click);
    connect(cmdNuovaSigla, &QPushButton::clicked, this, &frmFileSigle::cmdNuovaSigla_Click);
    connect(cmdEliminaSigla, &QPushButton::clicked, this, &frmFileSigle::cmdEliminaSigla_Click);
    connect(cmdEsciSalva, &QPushButton::clicked, this, &frmFileSigle::cmdEsciSalva_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmFileSigle::cmdAnnulla_Click);
}

QStringList frmFileSigle::sigle() const {
    QStringList list;
    for (int i = 0; i < lstSigle->count(); ++i)
        list << lstSigle->item(i)->text();
    return list;
}

void frmFileSigle::mostraConteggio() {
    Label2->setText(QString::number(lstSigle->count()));
}

void frmFileSigle::CaricaFileSigle(const QString& path) {
    try {
        lstSigle->addItems(LeggiFileSigle(path));
    } catch (const std::exception& e) {
        state_.ui().message(QString::fromStdString(e.what()), applicationTitle(), Buttons::Ok, Icon::Warning);
        return;
    }
    mostraConteggio();
    frmOperazioniSigle->show();
}

void frmFileSigle::cmdApriFileSigle_Click() {
    // The list on screen goes only once another file is chosen: a cancelled dialog keeps it, and
    // the file it belongs to.
    FileDialogRequest request;
    request.filter = QStringLiteral("File sigle (sigle.*)");
    request.title = QStringLiteral("Apri file sigle");
    request.folder = state_.home.mdbDir();
    if (!chkNuovoFile->isChecked()) {
        request.mustExist = true;
        const QString path = state_.ui().chooseFile(request);
        if (path.isEmpty())
            return;
        state_.FileScelto = fileSigle_ = path;
        lstSigle->clear();
        Label1->show();
        Label2->show();
        Label2->setText(QStringLiteral("0"));
        CaricaFileSigle(path);
        salvate_ = sigle();
        return;
    }
    request.mustExist = false;
    QString path;
    for (;;) {
        path = state_.ui().chooseFile(request);
        if (path.isEmpty() || !FileSigleEsistente(path))
            break;
        state_.ui().message(QStringLiteral("Nome archivio già presente: inserire un nuovo nome!"));
    }
    if (path.isEmpty()) {
        state_.ui().message(QStringLiteral("Inserire nome file (sigle.sigla aggiornamento)"));
        return;
    }
    state_.FileScelto = fileSigle_ = path;
    lstSigle->clear();
    salvate_.clear();
    Label2->setText(QStringLiteral("0"));
    frmOperazioniSigle->show();
    Label1->show();
    Label2->show();
}

void frmFileSigle::cmdNuovaSigla_Click() {
    const std::optional<QString> typed =
        state_.ui().input(QStringLiteral("Inserisci sigla:"), QStringLiteral("Nuova sigla"));
    if (!typed)
        return;
    const QString refusal = ControllaNuovaSigla(sigle(), *typed);
    if (!refusal.isEmpty()) {
        state_.ui().message(refusal, QStringLiteral("Nuova sigla"), Buttons::Ok, Icon::Warning);
        return;
    }
    lstSigle->addItem(*typed);
    mostraConteggio();
}

void frmFileSigle::cmdEliminaSigla_Click() {
    const int row = lstSigle->currentRow();
    if (row < 0 || !lstSigle->currentItem()->isSelected())
        return;
    std::unique_ptr<QListWidgetItem> removed(lstSigle->takeItem(row));
    mostraConteggio();
}

void frmFileSigle::cmdEsciSalva_Click() {
    if (salva())
        chiudi();
}

bool frmFileSigle::salva() {
    if (fileSigle_.isEmpty()) {
        state_.ui().message(QStringLiteral("Inserire nome file (sigle.sigla aggiornamento)"));
        return false;
    }
    try {
        ScriviFileSigle(fileSigle_, sigle());
    } catch (const std::exception& e) {
        // The old list stays as it was; the operator can try again or cancel.
        state_.ui().message(QString::fromStdString(e.what()), applicationTitle(), Buttons::Ok,
                            Icon::Critical);
        return false;
    }
    salvate_ = sigle();
    return true;
}

bool frmFileSigle::modificata() const {
    return !fileSigle_.isEmpty() && sigle() != salvate_;
}

void frmFileSigle::cmdAnnulla_Click() {
    chiudi();
}

void frmFileSigle::chiudi() {
    // Esci e salva and Annulla are the operator's own choice: no question.
    chiusuraDaComando_ = true;
    Q_EMIT chiuso();
    if (!chiudiFinestraMdi(this))
        chiusuraDaComando_ = false;
}

void frmFileSigle::closeEvent(QCloseEvent* event) {
    if (!chiusuraDaComando_ && modificata()) {
        const Answer answer = state_.ui().message(
            QStringLiteral("Il file sigle %1 è stato modificato: salvarlo prima di chiudere?")
                .arg(QFileInfo(fileSigle_).fileName()),
            applicationTitle(), Buttons::YesNoCancel, Icon::Question);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !salva())) {
            event->ignore();
            lstSigle->setFocus();
            return;
        }
    }
    QWidget::closeEvent(event);
}
