#include "classification/frmAsteriscati.h"

#include "classification/mdlClasse.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmAsteriscati::frmAsteriscati(cConnessione& connection, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAsteriscati"));
    setWindowTitle(QStringLiteral("Lista asteriscati con i sistematici"));
    setModal(true);
    lstAsteriscati = new QListWidget(this);
    lstAsteriscati->setObjectName(QStringLiteral("lstAsteriscati"));
    cmdEsci = new QPushButton(QStringLiteral("&Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstAsteriscati, 1);
    layout->addLayout(buttons);
    resize(520, 420);
    connect(cmdEsci, &QPushButton::clicked, this, &QDialog::accept);
    try {
        lstAsteriscati->addItems(ListaAsteriscati(connection));
    } catch (const DbError&) {
        // A list that cannot be read stays empty.
    }
}
