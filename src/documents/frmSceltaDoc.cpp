#include "documents/frmSceltaDoc.h"

#include "documents/DocumentListModel.h"
#include "documents/mdlDocumenti.h"
#include "store/MessaggiErrore.h"
#include "ui/qt/ArchiveBinding.h"
#include "ui/qt/BusyCursor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

frmSceltaDoc::frmSceltaDoc(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmSceltaDoc"));
    setWindowTitle(QStringLiteral("Scegli documento"));
    ArchiveBinding::bind(this, state_);
    Label1 = new QLabel(QStringLiteral("Un click per selezionare e poi procedere con un pulsante"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    elenco_ = new DocumentListModel(this);
    lstDocumento = new QListView(this);
    lstDocumento->setObjectName(QStringLiteral("lstDocumento"));
    // Every line has the same height: the view lays out only what it shows.
    lstDocumento->setUniformItemSizes(true);
    lstDocumento->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstDocumento->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDocumento->setModel(elenco_);
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

    connect(lstDocumento->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    IDDocCorrente_ = elenco_->chiave(current.row());
            });
    connect(lstDocumento, &QListView::doubleClicked, this, [this] {
        if (cmdEdita->isEnabled())
            cmdEdita_Click();
    });
    connect(cmdEdita, &QPushButton::clicked, this, &frmSceltaDoc::cmdEdita_Click);
    connect(cmdCancella, &QPushButton::clicked, this, &frmSceltaDoc::cmdCancella_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmSceltaDoc::cmdAnnulla_Click);
}

bool frmSceltaDoc::ElencoDocumenti() {
    {
        const BusyCursor busy;
        try {
            elenco_->carica(state_);
        } catch (const DbError& e) {
            state_.ui().message(
                MessaggioErroreDb(QStringLiteral("L'elenco dei documenti non è stato letto."), e),
                applicationTitle(), Buttons::Ok, Icon::Critical);
        }
    }
    if (elenco_->rowCount() == 0) {
        state_.ui().message(QStringLiteral("Nessun documento presente!"));
        return false;
    }
    return true;
}

bool frmSceltaDoc::Form_Load() {
    IDDocCorrente_ = 0;
    if (!ElencoDocumenti())
        return false;
    lstDocumento->setCurrentIndex(elenco_->index(0));
    return true;
}

void frmSceltaDoc::cmdEdita_Click() {
    if (!checkArchive(this))
        return;
    if (IDDocCorrente_ < 1) {
        state_.ui().message(QStringLiteral("Scegli un documento!"));
        return;
    }
    accept();
}

void frmSceltaDoc::cmdCancella_Click() {
    if (!checkArchive(this))
        return;
    QModelIndexList righe = lstDocumento->selectionModel()->selectedRows();
    std::sort(righe.begin(), righe.end());
    QList<qint64> scelti;
    scelti.reserve(righe.size());
    for (const QModelIndex& riga : righe)
        scelti << elenco_->chiave(riga.row());
    if (scelti.isEmpty()) {
        state_.ui().message(QStringLiteral("Nessuna selezione effettuata"), QStringLiteral("Attenzione!"));
        return;
    }
    if (state_.ui().message(QStringLiteral("Confermi cancellazione?"), QStringLiteral("Attenzione!"),
                            Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    // The operator goes on from where the list was, not from its top.
    const int posizione = lstDocumento->verticalScrollBar()->value();
    {
        const BusyCursor busy;
        try {
            CancellaDocumenti(state_.Connessione, scelti);
            NotificaDocumentiCancellati(state_, scelti);
        } catch (const DbError& e) {
            state_.ui().message(MessaggioErroreDb(QStringLiteral("Nessun documento è stato cancellato."), e),
                                applicationTitle(), Buttons::Ok, Icon::Critical);
        }
    }
    IDDocCorrente_ = 0;
    ElencoDocumenti();
    lstDocumento->verticalScrollBar()->setValue(posizione);
}

void frmSceltaDoc::cmdAnnulla_Click() {
    reject();
}
