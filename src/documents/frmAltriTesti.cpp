#include "documents/frmAltriTesti.h"

#include "documents/Testi.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmAltriTesti::frmAltriTesti(DocumentBuffer& buffer, QWidget* parent) : QDialog(parent), buffer_(buffer) {
    setObjectName(QStringLiteral("frmAltriTesti"));
    setModal(true);
    txtAltroTesto = new QPlainTextEdit(this);
    txtAltroTesto->setObjectName(QStringLiteral("txtAltroTesto"));
    txtAltroTesto->setTabChangesFocus(true);
    cmdEsci = new QPushButton(QStringLiteral("Esci e salva"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdAbbandona = new QPushButton(QStringLiteral("Abbandona"), this);
    cmdAbbandona->setObjectName(QStringLiteral("cmdAbbandona"));
    cmdEsci->setAutoDefault(false);
    cmdAbbandona->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    buttons->addWidget(cmdAbbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtAltroTesto, 1);
    layout->addLayout(buttons);
    resize(560, 300);
    connect(cmdEsci, &QPushButton::clicked, this, &frmAltriTesti::cmdEsci_Click);
    connect(cmdAbbandona, &QPushButton::clicked, this, &frmAltriTesti::cmdAbbandona_Click);
}

void frmAltriTesti::cmdEsci_Click() {
    // Line breaks are kept here; the save takes them out.
    if (QString* testo = testoFrmAltriTesti(buffer_, buffer_.TipoTestoCorrente))
        *testo = txtAltroTesto->toPlainText();
    accept();
}

void frmAltriTesti::cmdAbbandona_Click() {
    reject();
}
