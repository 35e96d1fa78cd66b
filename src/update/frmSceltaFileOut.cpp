#include "update/frmSceltaFileOut.h"

#include "store/AppState.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmSceltaFileOut::frmSceltaFileOut(AppState& state, const QString& folder, const QString& pattern, QWidget* parent)
    : QDialog(parent), state_(state), folder_(folder) {
    setObjectName(QStringLiteral("frmSceltaFileOut"));
    setWindowTitle(QStringLiteral("Scelta file di uscita"));
    setModal(true);
    auto* label = new QLabel(QStringLiteral("Scegli un file:"), this);
    fileListOut = new QListWidget(this);
    fileListOut->setObjectName(QStringLiteral("fileListOut"));
    fileListOut->addItems(QDir(folder).entryList({pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    cmdConferma = new QPushButton(QStringLiteral("&Conferma"), this);
    cmdConferma->setObjectName(QStringLiteral("cmdConferma"));
    cmdConferma->setDefault(true);
    cmdAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdNuovo = new QPushButton(QStringLiteral("&Nuovo file"), this);
    cmdNuovo->setObjectName(QStringLiteral("cmdNuovo"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdConferma);
    buttons->addWidget(cmdAnnulla);
    buttons->addWidget(cmdNuovo);
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(fileListOut, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(body);
    resize(380, 300);
    connect(fileListOut, &QListWidget::itemClicked, this, &frmSceltaFileOut::fileListOut_Click);
    // A file chosen with the keyboard counts as clicked.
    connect(fileListOut, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = fileListOut->selectedItems();
        if (!selected.isEmpty())
            fileListOut_Click(selected.first());
    });
    connect(fileListOut, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        fileListOut_Click(item);
        cmdConferma_Click();
    });
    connect(cmdConferma, &QPushButton::clicked, this, &frmSceltaFileOut::cmdConferma_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmSceltaFileOut::cmdAnnulla_Click);
    connect(cmdNuovo, &QPushButton::clicked, this, &frmSceltaFileOut::cmdNuovo_Click);
}

void frmSceltaFileOut::fileListOut_Click(QListWidgetItem* item) {
    state_.FileScelto = QDir(folder_).filePath(item->text());
}

void frmSceltaFileOut::cmdNuovo_Click() {
    const auto name = state_.ui().input(QStringLiteral("Inserisci nuovo nome file:"), QStringLiteral("Nome file nuovo"));
    if (name && !name->isEmpty())
        state_.FileScelto = QDir(folder_).filePath(*name);
}

void frmSceltaFileOut::cmdConferma_Click() {
    if (!state_.FileScelto.isEmpty()) {
        accept();
        return;
    }
    state_.ui().message(
        QStringLiteral("Non è stato selezionato alcun file fra gli esistenti né il nome di uno nuovo!"));
}

void frmSceltaFileOut::cmdAnnulla_Click() {
    reject();
}

void frmSceltaFileOut::reject() {
    // Cancelling means no file: the caller must not go on with one clicked before.
    state_.FileScelto.clear();
    QDialog::reject();
}
