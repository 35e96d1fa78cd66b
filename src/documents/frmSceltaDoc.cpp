#include "documents/frmSceltaDoc.h"

#include "documents/mdlDocumenti.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmSceltaDoc::frmSceltaDoc(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmSceltaDoc"));
    setWindowTitle(QStringLiteral("Scegli documento"));
    Label1 = new QLabel(QStringLiteral("Un click per selezionare e poi procedere con un pulsante"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lstDocumento = new QListWidget(this);
    lstDocumento->setObjectName(QStringLiteral("lstDocumento"));
    lstDocumento->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdCancella = new QPushButton(QStringLiteral("Eli&mina"), this);
    cmdCancella->setObjectName(QStringLiteral("cmdCancella"));
    cmdEdita = new QPushButton(QStringLiteral("&Edita"), this);
    cmdEdita->setObjectName(QStringLiteral("cmdEdita"));
    for (QPushButton* b : {cmdAnnulla, cmdCancella, cmdEdita})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAnnulla);
    buttons->addStretch();
    buttons->addWidget(cmdCancella);
    buttons->addWidget(cmdEdita);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lstDocumento, 1);
    layout->addLayout(buttons);
    resize(380, 460);

    connect(lstDocumento, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            IDDocCorrente_ = chiaveDocumento(lstDocumento->item(row)->text());
    });
    connect(lstDocumento, &QListWidget::itemDoubleClicked, this, [this] {
        if (cmdEdita->isEnabled())
            cmdEdita_Click();
    });
    connect(cmdEdita, &QPushButton::clicked, this, &frmSceltaDoc::cmdEdita_Click);
    connect(cmdCancella, &QPushButton::clicked, this, &frmSceltaDoc::cmdCancella_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmSceltaDoc::cmdAnnulla_Click);
}

bool frmSceltaDoc::ElencoDocumenti() {
    QStringList entries;
    try {
        entries = ::ElencoDocumenti(state_);
    } catch (const DbError& e) {
        state_.ui().message(QStringLiteral("Errore nella lettura dei documenti: %1").arg(e.description()),
                            applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    const QSignalBlocker block(lstDocumento);
    lstDocumento->clear();
    if (entries.isEmpty()) {
        state_.ui().message(QStringLiteral("Nessun documento presente!"));
        return false;
    }
    lstDocumento->addItems(entries);
    return true;
}

bool frmSceltaDoc::Form_Load() {
    IDDocCorrente_ = 0;
    if (!ElencoDocumenti())
        return false;
    lstDocumento->setCurrentRow(0);
    return true;
}

void frmSceltaDoc::cmdEdita_Click() {
    if (IDDocCorrente_ < 1) {
        state_.ui().message(QStringLiteral("Scegli un documento!"));
        return;
    }
    accept();
}

void frmSceltaDoc::cmdCancella_Click() {
    QList<qint64> scelti;
    for (int i = 0; i < lstDocumento->count(); ++i)
        if (lstDocumento->item(i)->isSelected())
            scelti << chiaveDocumento(lstDocumento->item(i)->text());
    if (scelti.isEmpty()) {
        state_.ui().message(QStringLiteral("Nessuna selezione effettuata"), QStringLiteral("Attenzione!"));
        return;
    }
    if (state_.ui().message(QStringLiteral("Confermi cancellazione?"), QStringLiteral("Attenzione!"),
                            Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    try {
        CancellaDocumenti(state_.Connessione, scelti);
        NotificaDocumentiCancellati(state_, scelti);
    } catch (const DbError& e) {
        state_.ui().message(QStringLiteral("Cancellazione non eseguita: %1").arg(e.description()),
                            applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    IDDocCorrente_ = 0;
    ElencoDocumenti();
}

void frmSceltaDoc::cmdAnnulla_Click() {
    reject();
}
