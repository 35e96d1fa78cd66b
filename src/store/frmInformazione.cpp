#include "store/frmInformazione.h"

#include "store/Dialogs.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmInformazione::frmInformazione(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmInformazione"));
    setWindowTitle(QStringLiteral("Informazione consegna"));
    setModal(true);
    setMinimumWidth(360);

    ComboCentro = new QComboBox(this);
    ComboCentro->setObjectName(QStringLiteral("ComboCentro"));
    ComboCentro->setEditable(true);
    ComboCentro->addItems(CentriSpoglio());
    ComboCentro->setEditText(QStringLiteral("Centro spoglio"));

    ComboAProd = new QComboBox(this);
    ComboAProd->setObjectName(QStringLiteral("ComboAProd"));
    ComboAProd->setEditable(true);
    ComboAProd->addItems(AnniProduzione(QDate::currentDate()));
    ComboAProd->setEditText(QStringLiteral("Anno produzione"));
    // The captions stand where the values go: the first key typed replaces them instead of being
    // appended (which would make "Centro spoglio3" a centre that passes as complete).
    for (QComboBox* c : {ComboCentro, ComboAProd})
        c->lineEdit()->selectAll();

    txtConsegna = new QLineEdit(this);
    txtConsegna->setObjectName(QStringLiteral("txtConsegna"));
    txtInizio = new QLineEdit(this);
    txtInizio->setObjectName(QStringLiteral("txtInizio"));

    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setToolTip(QStringLiteral("Salva le informazioni immesse ed esce"));
    cmdOk->setDefault(true);
    cmdAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Centro di spoglio"), ComboCentro);
    form->addRow(QStringLiteral("Anno di produzione"), ComboAProd);
    form->addRow(QStringLiteral("Consegna"), txtConsegna);
    form->addRow(QStringLiteral("Numero iniziale"), txtInizio);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdAnnulla);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, &frmInformazione::cmdOk_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmInformazione::cmdAnnulla_Click);
}

void frmInformazione::cmdOk_Click() {
    InformazioneConsegna info;
    info.centro = ComboCentro->currentText();
    info.anno = ComboAProd->currentText();
    info.consegna = txtConsegna->text();
    info.inizio = txtInizio->text();
    if (info.completa()) {
        informazione_ = info;
        risultato_ = true;
        accept();
        return;
    }
    dialogs_.message(QStringLiteral("Informazioni incomplete!"), applicationTitle(), Buttons::Ok,
                     Icon::Information);
    const Answer a =
        dialogs_.message(QStringLiteral("Vuoi completare le informazioni (oppure uscire abbandonando "
                                        "l'operazione di 'Nuovo archivio')?"),
                         QStringLiteral("Attenzione"), Buttons::YesNo, Icon::Question);
    if (a == Answer::No) {
        risultato_ = false;
        reject();
    }
}

void frmInformazione::cmdAnnulla_Click() {
    risultato_ = false;
    reject();
}
