#include "sources/frmScelta.h"

#include "sources/frmPaginaFonte.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmScelta::frmScelta(const QStringList& righe, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmScelta"));
    setWindowTitle(QStringLiteral("Scelta"));
    setModal(true);

    lstLista = new QListWidget(this);
    lstLista->setObjectName(QStringLiteral("lstLista"));
    lstLista->addItems(righe);
    lstLista->setMinimumSize(360, 240);
    Label1 = new QLabel(QStringLiteral("Doppio click per il recupero del dato selezionato"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmdEsci = new QPushButton(QStringLiteral("&Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(cmdEsci);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstLista, 1);
    layout->addLayout(bottom);

    connect(lstLista, &QListWidget::itemDoubleClicked, this, &frmScelta::lstLista_DblClick);
    // From the keyboard the line is taken with Enter, as the mouse takes it with a double click.
    sceltaDaTastiera(lstLista, [this] { lstLista_DblClick(); });
    connect(cmdEsci, &QPushButton::clicked, this, &frmScelta::cmdEsci_Click);
}

void frmScelta::lstLista_DblClick() {
    const QListWidgetItem* item = lstLista->currentItem();
    if (!item)
        return;
    valoreScelto_ = item->text();
    accept();
}

void frmScelta::cmdEsci_Click() {
    valoreScelto_.clear();
    reject();
}

QString frmScelta::scegli(const QStringList& righe, QWidget* parent) {
    frmScelta dialog(righe, parent);
    dialog.exec();
    return dialog.ValoreScelto();
}
