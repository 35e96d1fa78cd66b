#include "documents/frmDocumentoControlli.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRuoloRilievo = Qt::UserRole + 1;

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

} // namespace

PannelloControlli::PannelloControlli(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("FrameControlli"));
    setTitle(QStringLiteral("Controlli"));
    // As high as the title and the note beside it: the panel never makes the window taller.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    lblControlli = new QLabel(this);
    lblControlli->setObjectName(QStringLiteral("lblControlli"));
    lblControlli->setTextFormat(Qt::PlainText);
    // A long status line is cut, never widens the panel over the fields beside it.
    lblControlli->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cmdControlli = new QToolButton(this);
    cmdControlli->setObjectName(QStringLiteral("cmdControlli"));
    cmdControlli->setAutoRaise(true);
    cmdControlli->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Typing goes on in the document: the panel is reached with the mouse or by choosing a finding.
    cmdControlli->setFocusPolicy(Qt::ClickFocus);
    lstControlli = new QTreeWidget(this);
    lstControlli->setObjectName(QStringLiteral("lstControlli"));
    lstControlli->setHeaderHidden(true);
    lstControlli->setColumnCount(1);
    lstControlli->setRootIsDecorated(false);
    lstControlli->setIndentation(14);
    lstControlli->setUniformRowHeights(true);
    lstControlli->setFocusPolicy(Qt::ClickFocus);
    lstControlli->setToolTip(QStringLiteral("Un click su un rilievo porta al campo che lo riguarda"));
    lstControlli->setMinimumHeight(lstControlli->fontMetrics().height() * 3 + 8);
    lstControlli->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // A long line is cut at its end; the whole line is in its tooltip.
    lstControlli->setTextElideMode(Qt::ElideRight);

    auto* riga = new QHBoxLayout;
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(cmdControlli);
    riga->addWidget(lblControlli, 1);
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
    connect(lstControlli, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { scelto(item); });
    connect(lstControlli, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { scelto(item); });
    mostra({});
}

void PannelloControlli::aggiornaPulsante() {
    const bool aperto = !lstControlli->isHidden();
    cmdControlli->setArrowType(aperto ? Qt::DownArrow : Qt::RightArrow);
    cmdControlli->setToolTip(aperto ? QStringLiteral("Nasconde l'elenco dei rilievi")
                                    : QStringLiteral("Mostra l'elenco dei rilievi"));
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

void PannelloControlli::mostra(const EsitoControlli& esito) {
    esito_ = esito;
    lblControlli->setText(stato());
    lblControlli->setToolTip(
        lblControlli->text() + u'\n' +
        (esito_.completo() ? QStringLiteral("I rilievi che i controlli della consegna daranno per questo "
                                            "documento una volta salvato")
                           : esito_.interruzione));
    QPalette p = lblControlli->palette();
    p.setColor(QPalette::WindowText,
               esito_.rilievi.isEmpty() && esito_.completo() ? QColor(0, 110, 0) : QColor(170, 0, 0));
    lblControlli->setPalette(p);

    // The list is rebuilt whole; the line the operator was on stays chosen when it is still there.
    QString corrente;
    if (const QTreeWidgetItem* item = lstControlli->currentItem())
        corrente = item->text(0);
    lstControlli->setUpdatesEnabled(false);
    lstControlli->clear();
    QTreeWidgetItem* daScegliere = nullptr;
    if (!esito_.completo()) {
        auto* item = new QTreeWidgetItem(lstControlli, {esito_.interruzione.section(u'\n', 0, 0)});
        item->setToolTip(0, esito_.interruzione);
        item->setForeground(0, QColor(170, 0, 0));
        item->setFlags(Qt::ItemIsEnabled);
    }
    QFont grassetto = lstControlli->font();
    grassetto.setBold(true);
    QTreeWidgetItem* gruppo = nullptr;
    std::optional<ElencoErrori> elencoGruppo;
    for (int i = 0; i < esito_.rilievi.size(); ++i) {
        const Rilievo& r = esito_.rilievi.at(i);
        if (elencoGruppo != r.elenco) {
            elencoGruppo = r.elenco;
            gruppo = new QTreeWidgetItem(lstControlli, {TitoloElenco(r.elenco)});
            gruppo->setFont(0, grassetto);
            gruppo->setFlags(Qt::ItemIsEnabled);
            gruppo->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(gruppo, {r.testo});
        item->setData(0, kRuoloRilievo, i);
        item->setToolTip(0, r.testo);
        if (!corrente.isEmpty() && !daScegliere && r.testo == corrente)
            daScegliere = item;
    }
    lstControlli->expandAll();
    if (daScegliere) {
        const QSignalBlocker block(lstControlli);
        lstControlli->setCurrentItem(daScegliere);
    }
    lstControlli->setUpdatesEnabled(true);
    aggiornaPulsante();
}

void PannelloControlli::scelto(QTreeWidgetItem* item) {
    if (!item)
        return;
    const QVariant i = item->data(0, kRuoloRilievo);
    if (!i.isValid() || i.toInt() < 0 || i.toInt() >= esito_.rilievi.size())
        return;
    Q_EMIT rilievoScelto(esito_.rilievi.at(i.toInt()));
}
