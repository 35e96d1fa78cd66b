#include "sources/frmTipologiaFonte.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmTipologiaFonte::frmTipologiaFonte(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTipologiaFonte"));
    setWindowTitle(QStringLiteral("Tipologia fonte"));
    setModal(true);

    cmbTipologiaFonte = new QComboBox(this);
    cmbTipologiaFonte->setObjectName(QStringLiteral("cmbTipologiaFonte"));
    cmbTipologiaFonte->addItems(
        {QStringLiteral("Tipologia fonte"), QStringLiteral("Fonti di diritto interno"),
         QStringLiteral("Fonti di diritto internazionale"), QStringLiteral("Fonti di diritto comunitario"),
         QStringLiteral("Fonti di diritto straniero"), QStringLiteral("Fonti di diritto canonico"),
         QStringLiteral("Fonti storiche")});
    cmbTipologiaFonte->setCurrentIndex(0);
    cmbTipologiaFonte->setMinimumWidth(280);

    cmdProcedi = new QPushButton(QStringLiteral("&Procedi"), this);
    cmdProcedi->setObjectName(QStringLiteral("cmdProcedi"));
    cmdProcedi->setDefault(true);
    cmdAbbandona = new QPushButton(QStringLiteral("&Abbandona"), this);
    cmdAbbandona->setObjectName(QStringLiteral("cmdAbbandona"));
    cmdAbbandona->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdProcedi);
    buttons->addWidget(cmdAbbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cmbTipologiaFonte);
    layout->addLayout(buttons);

    connect(cmdProcedi, &QPushButton::clicked, this, &frmTipologiaFonte::cmdProcedi_Click);
    connect(cmdAbbandona, &QPushButton::clicked, this, &frmTipologiaFonte::cmdAbbandona_Click);
}

void frmTipologiaFonte::cmdProcedi_Click() {
    scelta_ = std::max(0, cmbTipologiaFonte->currentIndex());
    accept();
}

void frmTipologiaFonte::cmdAbbandona_Click() {
    scelta_ = 0;
    reject();
}
