#include "documents/frmDocumentoControlli.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRuoloRilievo = Qt::UserRole + 1;
constexpr int kRuoloCorrezione = Qt::UserRole + 2; // the fix's position among its finding's

const QColor kBlu(0, 70, 150);

const QColor kRosso(170, 0, 0);

// How the status line names the findings of each list.
QString parteStato(ElencoErrori elenco, qsizetype n) {
    switch (elenco) {
    case ElencoErrori::Generali:
        return n == 1 ? QStringLiteral("1 generico") : QStringLiteral("%1 generici").arg(n);
    case ElencoErrori::Classificazione:
        return QStringLiteral("%1 di classificazione").arg(n);
    case ElencoErrori::Fonti:
        break;
    }
    return QStringLiteral("%1 nelle fonti").arg(n);
}

// A line that only tells (a list's title, the notice of an interruption): the arrows pass over it.
QTreeWidgetItem* rigaDiTesto(QTreeWidget* lista, const QString& testo, const QColor& colore) {
    auto* item = new QTreeWidgetItem(lista, {testo});
    item->setFlags(Qt::NoItemFlags);
    item->setForeground(0, colore);
    return item;
}

// A row as high as its text needs at the list's width (the view alone measures every row on one
// line, and a wrapped finding would be cut at its first line); the findings stand in from their
// list's title, a little apart from each other.
class RigaACapo : public QStyledItemDelegate {
public:
    explicit RigaACapo(QTreeWidget* lista) : QStyledItemDelegate(lista), lista_(lista) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem riga = option;
        riga.rect.adjust(rientro(index), 0, 0, -kSpazio);
        QStyledItemDelegate::paint(painter, riga, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem riga = option;
        riga.rect = QRect(0, 0, std::max(1, lista_->viewport()->width() - rientro(index)), 1);
        return QStyledItemDelegate::sizeHint(riga, index) + QSize(rientro(index), kSpazio);
    }

private:
    static constexpr int kSpazio = 2;
    static int rientro(const QModelIndex& index) {
        if (index.data(kRuoloCorrezione).isValid() || index.parent().isValid())
            return 26;
        return index.data(kRuoloRilievo).isValid() ? 10 : 0;
    }

    QTreeWidget* lista_;
};

} // namespace

PannelloControlli::PannelloControlli(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("FrameControlli"));
    setTitle(QStringLiteral("Controlli"));
    // As high as the title and the note beside it: the panel never makes the window taller.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    lblControlli = new QLabel(this);
    lblControlli->setObjectName(QStringLiteral("lblControlli"));
    lblControlli->setTextFormat(Qt::PlainText);
    // A long status line goes on a second line, never widens the panel over the fields beside it.
    lblControlli->setWordWrap(true);
    lblControlli->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cmdControlli = new QToolButton(this);
    cmdControlli->setObjectName(QStringLiteral("cmdControlli"));
    cmdControlli->setAutoRaise(true);
    cmdControlli->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Alt+K unfolds the list from the keyboard: the button needs no place of its own among the Tabs.
    cmdControlli->setFocusPolicy(Qt::ClickFocus);
    lstControlli = new QTreeWidget(this);
    lstControlli->setObjectName(QStringLiteral("lstControlli"));
    lstControlli->setHeaderHidden(true);
    lstControlli->setColumnCount(1);
    lstControlli->setRootIsDecorated(false);
    lstControlli->setFocusPolicy(Qt::StrongFocus);
    lstControlli->setToolTip(QStringLiteral(
        "Invio o un click su un rilievo porta al campo che lo riguarda; Invio su una correzione la applica, "
        "Ctrl+Z la annulla (Alt+K per arrivare qui)"));
    // The fixes stand under their finding without a branch of their own: the rows read as a list.
    lstControlli->setIndentation(0);
    lstControlli->setItemsExpandable(false);
    lstControlli->setMinimumHeight(lstControlli->fontMetrics().height() * 3 + 8);
    lstControlli->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // A long line goes on as many lines as it needs, within the panel's width: every word is read.
    lstControlli->setWordWrap(true);
    lstControlli->setItemDelegate(new RigaACapo(lstControlli));
    lstControlli->setUniformRowHeights(false);
    lstControlli->setTextElideMode(Qt::ElideNone);
    lstControlli->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstControlli->header()->setStretchLastSection(true);
    lstControlli->viewport()->installEventFilter(this);
    lstControlli->installEventFilter(this);

    cmdAnnullaCorrezione = new QToolButton(this);
    cmdAnnullaCorrezione->setObjectName(QStringLiteral("cmdAnnullaCorrezione"));
    cmdAnnullaCorrezione->setText(QStringLiteral("Annulla correzione"));
    cmdAnnullaCorrezione->setToolTip(
        QStringLiteral("Riporta il documento a prima dell'ultima correzione applicata (Ctrl+Z nell'elenco)"));
    cmdAnnullaCorrezione->setAutoRaise(true);
    cmdAnnullaCorrezione->setFocusPolicy(Qt::ClickFocus);
    cmdAnnullaCorrezione->setEnabled(false);

    auto* riga = new QHBoxLayout;
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(cmdControlli, 0, Qt::AlignTop);
    riga->addWidget(lblControlli, 1);
    riga->addWidget(cmdAnnullaCorrezione, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 2);
    layout->setSpacing(0);
    layout->addLayout(riga);
    layout->addWidget(lstControlli, 1);
    // Folded, the status line stays at the top.
    layout->addStretch();

    connect(cmdControlli, &QToolButton::clicked, this, [this] {
        lstControlli->setVisible(lstControlli->isHidden());
        aggiornaPulsante();
    });
    // A click on a fix only chooses its row: it is applied by Enter or a double click.
    connect(lstControlli, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (!correzioneDi(item))
            scelto(item);
    });
    // Enter on a finding (and a double click).
    connect(lstControlli, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { scelto(item); });
    connect(cmdAnnullaCorrezione, &QToolButton::clicked, this, &PannelloControlli::annullaCorrezione);

    mostra({});
}

void PannelloControlli::aggiornaPulsante() {
    const bool aperto = !lstControlli->isHidden();
    cmdControlli->setArrowType(aperto ? Qt::DownArrow : Qt::RightArrow);
    cmdControlli->setToolTip(aperto ? QStringLiteral("Nasconde l'elenco dei rilievi")
                                    : QStringLiteral("Mostra l'elenco dei rilievi (Alt+K)"));
}

QString PannelloControlli::stato() const {
    const qsizetype n = esito_.rilievi.size();
    QString testo;
    if (n == 0) {
        testo = QStringLiteral("Nessun rilievo");
    } else {
        QStringList parti;
        for (ElencoErrori e : {ElencoErrori::Generali, ElencoErrori::Classificazione, ElencoErrori::Fonti}) {
            const auto k = std::count_if(esito_.rilievi.begin(), esito_.rilievi.end(),
                                         [e](const Rilievo& r) { return r.elenco == e; });
            if (k > 0)
                parti << parteStato(e, k);
        }
        testo = ContaRilievi(n) + QStringLiteral(": ") + parti.join(QStringLiteral(", "));
    }
    if (!esito_.completo())
        testo += QStringLiteral(" (controlli interrotti: vedere l'elenco)");
    return testo;
}

QTreeWidgetItem* PannelloControlli::rigaRilievo(int indice) {
    const Rilievo& r = esito_.rilievi.at(indice);
    auto* item = new QTreeWidgetItem(lstControlli, {r.testo});
    item->setData(0, kRuoloRilievo, indice);
    item->setToolTip(0, r.testo);
    if (indice >= correzioni_.size())
        return item;
    const CorrezioniRilievo& c = correzioni_.at(indice);
    for (int k = 0; k < c.correzioni.size(); ++k) {
        const Correzione& correzione = c.correzioni.at(k);
        auto* figlio = new QTreeWidgetItem(item, {QStringLiteral("\u2192 ") + correzione.etichetta});
        figlio->setData(0, kRuoloRilievo, indice);
        figlio->setData(0, kRuoloCorrezione, k);
        figlio->setForeground(0, kBlu);
        figlio->setToolTip(
            0, correzione.soloApertura()
                   ? QStringLiteral("Invio: %1").arg(correzione.etichetta)
                   : QStringLiteral("Invio applica la correzione al documento (poi Salva; Ctrl+Z la "
                                    "annulla): %1")
                         .arg(correzione.etichetta));
    }
    if (!c.nota.isEmpty()) {
        auto* nota = new QTreeWidgetItem(item, {c.nota});
        nota->setFlags(Qt::NoItemFlags);
        nota->setData(0, kRuoloCorrezione, -1);
    }
    return item;
}

void PannelloControlli::setAnnullabile(bool annullabile) {
    cmdAnnullaCorrezione->setEnabled(annullabile);
}

void PannelloControlli::mostra(const EsitoControlli& esito, const QList<CorrezioniRilievo>& correzioni) {
    esito_ = esito;
    correzioni_ = correzioni.size() == esito.rilievi.size() ? correzioni : QList<CorrezioniRilievo>();
    lblControlli->setText(stato());
    lblControlli->setToolTip(
        lblControlli->text() + u'\n' +
        (esito_.completo() ? QStringLiteral("I rilievi che i controlli della consegna daranno per questo "
                                            "documento una volta salvato")
                           : esito_.interruzione));
    QPalette p = lblControlli->palette();
    p.setColor(QPalette::WindowText,
               esito_.rilievi.isEmpty() && esito_.completo() ? QColor(0, 110, 0) : kRosso);
    lblControlli->setPalette(p);

    // The list is rebuilt whole; the line the operator was on stays chosen when it is still there,
    // else the finding that now stands where it stood (the next one, after a fix took one away).
    QString corrente;
    int posizioneCorrente = -1;
    if (const QTreeWidgetItem* item = lstControlli->currentItem()) {
        corrente = item->text(0);
        const QTreeWidgetItem* alto = item->parent() ? item->parent() : item;
        posizioneCorrente = lstControlli->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(alto));
    }
    const QSignalBlocker block(lstControlli);
    lstControlli->setUpdatesEnabled(false);
    lstControlli->clear();
    QTreeWidgetItem* daScegliere = nullptr;
    if (!esito_.completo())
        rigaDiTesto(lstControlli, esito_.interruzione.section(u'\n', 0, 0), kRosso)
            ->setToolTip(0, esito_.interruzione);
    QFont grassetto = lstControlli->font();
    grassetto.setBold(true);
    // The lists' titles and their findings are rows of one level: a title is passed over by the
    // arrows, a finding is chosen.
    std::optional<ElencoErrori> elencoGruppo;
    for (int i = 0; i < esito_.rilievi.size(); ++i) {
        const Rilievo& r = esito_.rilievi.at(i);
        if (elencoGruppo != r.elenco) {
            elencoGruppo = r.elenco;
            rigaDiTesto(lstControlli, TitoloElenco(r.elenco), palette().color(QPalette::Text))
                ->setFont(0, grassetto);
        }
        QTreeWidgetItem* riga = rigaRilievo(i);
        if (!corrente.isEmpty() && !daScegliere && r.testo == corrente)
            daScegliere = riga;
        for (int k = 0; k < riga->childCount(); ++k)
            if (!corrente.isEmpty() && !daScegliere && riga->child(k)->text(0) == corrente)
                daScegliere = riga->child(k);
    }
    if (!daScegliere && lstControlli->hasFocus() && posizioneCorrente >= 0) {
        for (int i = std::min(posizioneCorrente, lstControlli->topLevelItemCount() - 1);
             i >= 0 && !daScegliere; --i)
            if (rilievoDi(lstControlli->topLevelItem(i)))
                daScegliere = lstControlli->topLevelItem(i);
    }
    if (!daScegliere && lstControlli->hasFocus())
        daScegliere = primoRilievo();
    if (daScegliere)
        lstControlli->setCurrentItem(daScegliere);
    // Every finding with its fixes under it: rows never move under the mouse.
    lstControlli->expandAll();
    lstControlli->setUpdatesEnabled(true);
    aggiornaPulsante();
}

const Rilievo* PannelloControlli::rilievoDi(const QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    const QVariant i = item->data(0, kRuoloRilievo);
    if (!i.isValid() || i.toInt() < 0 || i.toInt() >= esito_.rilievi.size())
        return nullptr;
    return &esito_.rilievi.at(i.toInt());
}

void PannelloControlli::segna(const Rilievo& rilievo) {
    for (int i = 0; i < lstControlli->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lstControlli->topLevelItem(i);
        if (const Rilievo* r = rilievoDi(item); r && r->testo == rilievo.testo) {
            const QSignalBlocker block(lstControlli);
            lstControlli->setCurrentItem(item);
            lstControlli->scrollToItem(item);
            return;
        }
    }
}

const Correzione* PannelloControlli::correzioneDi(const QTreeWidgetItem* item) const {
    const Rilievo* r = rilievoDi(item);
    if (!r)
        return nullptr;
    const int i = item->data(0, kRuoloRilievo).toInt();
    const QVariant k = item->data(0, kRuoloCorrezione);
    if (!k.isValid() || i >= correzioni_.size() || k.toInt() < 0 ||
        k.toInt() >= correzioni_.at(i).correzioni.size())
        return nullptr;
    return &correzioni_.at(i).correzioni.at(k.toInt());
}

QTreeWidgetItem* PannelloControlli::primoRilievo() const {
    for (int i = 0; i < lstControlli->topLevelItemCount(); ++i)
        if (rilievoDi(lstControlli->topLevelItem(i)))
            return lstControlli->topLevelItem(i);
    return nullptr;
}

void PannelloControlli::entra() {
    if (lstControlli->isHidden()) {
        lstControlli->show();
        aggiornaPulsante();
    }
    lstControlli->setFocus(Qt::ShortcutFocusReason);
}

void PannelloControlli::scelto(QTreeWidgetItem* item) {
    const Rilievo* r = rilievoDi(item);
    if (!r)
        return;
    // Copies: the window's answer rebuilds the list, and the row's finding with it.
    if (const Correzione* c = correzioneDi(item))
        Q_EMIT correzioneScelta(Correzione(*c), Rilievo(*r));
    else
        Q_EMIT rilievoScelto(Rilievo(*r));
}

bool PannelloControlli::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstControlli && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        if (cmdAnnullaCorrezione->isEnabled())
            Q_EMIT annullaCorrezione();
        return true;
    }
    if (watched == lstControlli && event->type() == QEvent::KeyPress) {
        // The finding the arrows come to is in sight with its fixes (or the notice that there is
        // none) once the move is done; a click never scrolls the row from under the mouse.
        QTimer::singleShot(0, lstControlli, [lista = lstControlli] {
            QTreeWidgetItem* item = lista->currentItem();
            if (item && item->childCount() > 0) {
                lista->scrollToItem(item->child(item->childCount() - 1));
                lista->scrollToItem(item);
            }
        });
    }
    if (watched == lstControlli && event->type() == QEvent::FocusIn &&
        !rilievoDi(lstControlli->currentItem())) {
        // Entered from the keyboard, the list stands on its first finding: Enter goes there.
        if (QTreeWidgetItem* primo = primoRilievo())
            lstControlli->setCurrentItem(primo);
    } else if (watched == lstControlli->viewport() && event->type() == QEvent::Resize &&
               lstControlli->viewport()->width() != larghezza_) {
        // The view keeps each row's height from when it was laid out: at a new width the wrapped
        // lines are laid out again (once the resize is over).
        larghezza_ = lstControlli->viewport()->width();
        QTimer::singleShot(0, lstControlli, [lista = lstControlli] { lista->doItemsLayout(); });
    }
    return QGroupBox::eventFilter(watched, event);
}
