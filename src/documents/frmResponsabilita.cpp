#include "documents/frmResponsabilita.h"

#include "documents/Responsabilita.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmResponsabilita::frmResponsabilita(DocumentBuffer& buffer, QWidget* parent)
    : QDialog(parent), buffer_(buffer) {
    setObjectName(QStringLiteral("frmResponsabilita"));
    setWindowTitle(QStringLiteral("Responsabilità"));
    setModal(true);
    txtElementoPr = new QLineEdit(this);
    txtElementoPr->setObjectName(QStringLiteral("txtElementoPr"));
    txtElementoSec = new QLineEdit(this);
    txtElementoSec->setObjectName(QStringLiteral("txtElementoSec"));
    Label11 = new QLabel(QStringLiteral("Elemento principale (cognome)"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setBuddy(txtElementoPr);
    Label1 = new QLabel(QStringLiteral("Elemento secondario (nome)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(txtElementoSec);
    optAutore = new QRadioButton(QStringLiteral("Autore"), this);
    optAutore->setObjectName(QStringLiteral("optAutore"));
    optCuratore = new QRadioButton(QStringLiteral("Curatore"), this);
    optCuratore->setObjectName(QStringLiteral("optCuratore"));
    cmdEsci = new QPushButton(QStringLiteral("Esci e salva"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setDefault(true);
    cmdAbbandona = new QPushButton(QStringLiteral("Abbandona"), this);
    cmdAbbandona->setObjectName(QStringLiteral("cmdAbbandona"));
    cmdAbbandona->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Label11, 0, 0);
    grid->addWidget(txtElementoPr, 1, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(txtElementoSec, 1, 1);
    grid->setColumnMinimumWidth(0, 220);
    grid->setColumnMinimumWidth(1, 220);
    auto* opzioniLayout = new QHBoxLayout;
    opzioniLayout->addWidget(optAutore);
    opzioniLayout->addWidget(optCuratore);
    opzioniLayout->addStretch();
    opzioniLayout->addWidget(cmdEsci);
    opzioniLayout->addWidget(cmdAbbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(opzioniLayout);
    setTabOrder(txtElementoPr, txtElementoSec);

    connect(cmdEsci, &QPushButton::clicked, this, &frmResponsabilita::cmdEsci_Click);
    connect(cmdAbbandona, &QPushButton::clicked, this, &frmResponsabilita::cmdAbbandona_Click);
}

void frmResponsabilita::opzioni(bool autore, bool curatore) {
    // Neither option may be selected: exclusivity is lifted while they are set.
    optAutore->setAutoExclusive(false);
    optCuratore->setAutoExclusive(false);
    optAutore->setChecked(autore);
    optCuratore->setChecked(curatore);
    optAutore->setAutoExclusive(true);
    optCuratore->setAutoExclusive(true);
}

void frmResponsabilita::PulisciResponsabilita() {
    const DatiResponsabilita d = ::PulisciResponsabilita();
    txtElementoPr->setText(d.txtElementoPr);
    txtElementoSec->setText(d.txtElementoSec);
    opzioni(d.optAutore, d.optCuratore);
}

void frmResponsabilita::MostraResponsabilita() {
    const DatiResponsabilita d = ::MostraResponsabilita(buffer_);
    txtElementoPr->setText(d.txtElementoPr);
    txtElementoSec->setText(d.txtElementoSec);
    opzioni(d.optAutore, d.optCuratore);
}

void frmResponsabilita::cmdEsci_Click() {
    DatiResponsabilita d;
    d.txtElementoPr = txtElementoPr->text();
    d.txtElementoSec = txtElementoSec->text();
    d.optAutore = optAutore->isChecked();
    d.optCuratore = optCuratore->isChecked();
    righe_ = MemorizzaResponsabilita(buffer_, d);
    accept();
}

void frmResponsabilita::cmdAbbandona_Click() {
    reject();
}
