#include "documents/frmSceltaDoc.h"

#include "documents/DocumentListModel.h"
#include "documents/mdlDocumenti.h"
#include "store/ArchivioInUso.h"
#include "store/MessaggiErrore.h"
#include "ui/qt/ArchiveBinding.h"
#include "ui/qt/BusyCursor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Beside each document, whether the rules find anything in it: a red mark with the count, a green
// tick, or a grey question mark when they could not be applied (the tooltip says why).
class SegnoRilievi : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QString segno(int n) {
        if (n == -2)
            return QStringLiteral("?");
        if (n == 0)
            return QStringLiteral("\u2713");
        return QStringLiteral("\u25CF %1").arg(n);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const int n = index.data(DocumentListModel::RuoloRilievi).toInt();
        if (n == -1)
            return;
        painter->save();
        const bool scelta = option.state & QStyle::State_Selected;
        QColor colore = n == 0 ? QColor(0, 120, 0) : n == -2 ? QColor(110, 110, 110) : QColor(180, 0, 0);
        if (scelta)
            colore = option.palette.color(QPalette::HighlightedText);
        painter->setPen(colore);
        QFont font = option.font;
        font.setBold(n > 0);
        painter->setFont(font);
        painter->drawText(option.rect.adjusted(0, 0, -6, 0), Qt::AlignVCenter | Qt::AlignRight, segno(n));
        painter->restore();
    }
};

} // namespace

frmSceltaDoc::frmSceltaDoc(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmSceltaDoc"));
    setWindowTitle(QStringLiteral("Scegli documento"));
    ArchiveBinding::bind(this, state_);
    Label1 = new QLabel(QStringLiteral("Un click per selezionare e poi procedere con un pulsante"), this);
    // Beside each document the findings of the checks, so that the open ones can be gone through
    // before the delivery is checked.
    lblRilievi = new QLabel(QStringLiteral("A destra: \u25CF numero di rilievi dei controlli, \u2713 nessun "
                                           "rilievo."),
                            this);
    lblRilievi->setObjectName(QStringLiteral("lblRilievi"));
    lblRilievi->setWordWrap(true);
    Label1->setObjectName(QStringLiteral("Label1"));
    elenco_ = new DocumentListModel(this);
    lstDocumento = new QListView(this);
    lstDocumento->setObjectName(QStringLiteral("lstDocumento"));
    // Every line has the same height: the view lays out only what it shows.
    lstDocumento->setUniformItemSizes(true);
    lstDocumento->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstDocumento->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDocumento->setModel(elenco_);
    elenco_->mostraRilievi(true);
    lstDocumento->setItemDelegate(new SegnoRilievi(lstDocumento));
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
    layout->addWidget(lblRilievi);
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
    // Another program with the archive open may have one of these documents on screen: the operator
    // is told who, as when the archive was opened, before deciding.
    QString domanda = QStringLiteral("Confermi cancellazione?");
    if (const QList<UsoArchivio> altri = AltriUsi(state_.archivioCorrente()); !altri.isEmpty())
        domanda = AvvisoUso(state_.archivioCorrente(), altri, QDateTime::currentDateTimeUtc()) +
                  QStringLiteral(".\nSe vi è aperto uno dei documenti scelti, il suo lavoro non potrà più "
                                 "essere salvato su quel documento.\n\n") +
                  domanda;
    if (state_.ui().message(domanda, QStringLiteral("Attenzione!"), Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
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
