#include "documents/frmAltriTesti.h"

#include "documents/Testi.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

frmAltriTesti::frmAltriTesti(Dialogs& dialogs, DocumentBuffer& buffer, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), buffer_(buffer) {
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
    abbandona_ = true;
    reject();
    abbandona_ = false;
}

void frmAltriTesti::showEvent(QShowEvent* event) {
    // The opener fills the box after construction: what it shows is known only now.
    if (!event->spontaneous())
        testoMostrato_ = txtAltroTesto->toPlainText();
    QDialog::showEvent(event);
}

void frmAltriTesti::reject() {
    if (!abbandona_ && !testoAbbandonabile(dialogs_, txtAltroTesto->toPlainText(), testoMostrato_))
        return;
    QDialog::reject();
}
