#include "checks/MDIQuillaroPannello.h"

#include "store/Numeri.h"
#include "ui/qt/LettereRiquadro.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kColoreFatto = QStringLiteral("#2e7d32");
const QString kColoreDaRifare = QStringLiteral("#c62828");

QString dataOra(const QDateTime& t) {
    return t.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QLabel* intestazione(const QString& testo, QWidget* parent) {
    auto* label = new QLabel(testo, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.1);
    label->setFont(font);
    return label;
}

QString nonIndicato(const QString& valore) {
    return valore.trimmed().isEmpty() ? QStringLiteral("(non indicato)") : valore;
}

} // namespace

PannelloConsegna::PannelloConsegna(QWidget* viewport) : QWidget(viewport), viewport_(viewport) {
    setObjectName(QStringLiteral("pannelloConsegna"));
    creaConsegna();
    creaRecenti();
    schedaConsegna_->hide();

    viewport_->installEventFilter(this);
    installEventFilter(this);
    adatta();
    show();
}

QFrame* PannelloConsegna::creaScheda(const QString& nome) {
    auto* scheda = new QFrame(this);
    scheda->setObjectName(nome);
    scheda->setFrameShape(QFrame::StyledPanel);
    scheda->setAutoFillBackground(true);
    scheda->setBackgroundRole(QPalette::Base);
    scheda->setMaximumWidth(980);
    // Its contents changed: its size follows.
    scheda->installEventFilter(this);
    return scheda;
}

void PannelloConsegna::creaConsegna() {
    schedaConsegna_ = creaScheda(QStringLiteral("schedaConsegna"));
    auto* layout = new QVBoxLayout(schedaConsegna_);
    layout->setContentsMargins(20, 16, 20, 16);

    lblTitolo = new QLabel(schedaConsegna_);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont titolo = lblTitolo->font();
    titolo.setBold(true);
    titolo.setPointSizeF(titolo.pointSizeF() * 1.5);
    lblTitolo->setFont(titolo);
    layout->addWidget(lblTitolo);

    auto* colonne = new QHBoxLayout;
    layout->addLayout(colonne);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(intestazione(QStringLiteral("La consegna"), schedaConsegna_));
    formConsegna_ = new QFormLayout;
    formConsegna_->setLabelAlignment(Qt::AlignLeft);
    const auto valore = [this](const char* nome, QFormLayout* form, const QString& etichetta) {
        auto* label = new QLabel(schedaConsegna_);
        label->setObjectName(QString::fromLatin1(nome));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(etichetta, label);
        return label;
    };
    lblCentro = valore("lblCentro", formConsegna_, QStringLiteral("Centro di spoglio:"));
    lblAnno = valore("lblAnno", formConsegna_, QStringLiteral("Anno di produzione:"));
    lblConsegna = valore("lblConsegna", formConsegna_, QStringLiteral("Consegna:"));
    lblNumInizio = valore("lblNumInizio", formConsegna_, QStringLiteral("Numero iniziale:"));
    lblArchivio = valore("lblArchivio", formConsegna_, QStringLiteral("Archivio:"));
    // A long path is shortened in the middle rather than widen the card; the tooltip has it whole.
    lblArchivio->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblArchivio->installEventFilter(this);
    lblDocumenti = valore("lblDocumenti", formConsegna_, QStringLiteral("Documenti:"));
    lblFascicoli = valore("lblFascicoli", formConsegna_, QStringLiteral("Fascicoli:"));
    sinistra->addLayout(formConsegna_);
    lblAvviso = new QLabel(schedaConsegna_);
    lblAvviso->setObjectName(QStringLiteral("lblAvviso"));
    lblAvviso->setWordWrap(true);
    lblAvviso->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblAvviso->setStyleSheet(QStringLiteral("color: %1;").arg(kColoreDaRifare));
    sinistra->addWidget(lblAvviso);
    sinistra->addSpacing(12);
    sinistra->addWidget(intestazione(QStringLiteral("Ultimo controllo"), schedaConsegna_));
    lblControllo = new QLabel(schedaConsegna_);
    lblControllo->setObjectName(QStringLiteral("lblControllo"));
    lblControllo->setTextFormat(Qt::RichText);
    lblControllo->setWordWrap(true);
    sinistra->addWidget(lblControllo);
    formControllo_ = new QFormLayout;
    lblElenchi << valore("lblErroriGenerici", formControllo_, QStringLiteral("Errori generici:"))
               << valore("lblErroriClassificazione", formControllo_,
                         QStringLiteral("Errori di classificazione:"))
               << valore("lblErroriFonti", formControllo_, QStringLiteral("Errori nelle fonti:"));
    sinistra->addLayout(formControllo_);
    sinistra->addStretch(1);
    colonne->addLayout(sinistra, 3);
    colonne->addSpacing(32);

    auto* destra = new QVBoxLayout;
    destra->addWidget(intestazione(QStringLiteral("Passi della consegna"), schedaConsegna_));
    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(8);
    griglia->setVerticalSpacing(2);
    const QList<PassoConsegna>& passi = PassiConsegna();
    for (int i = 0; i < passi.size(); ++i) {
        auto* link = new QPushButton(passi[i].testo, schedaConsegna_);
        link->setObjectName(QStringLiteral("cmdPasso") + passi[i].codice);
        link->setFlat(true);
        link->setCursor(Qt::PointingHandCursor);
        link->setFocusPolicy(Qt::StrongFocus);
        link->setAutoDefault(false);
        link->installEventFilter(this);
        // A link that shows where the keyboard is.
        link->setStyleSheet(QStringLiteral(
            "QPushButton { border: none; padding: 3px 6px; text-align: left; color: palette(link); }"
            "QPushButton:hover { text-decoration: underline; }"
            "QPushButton:focus { background: palette(highlight); color: palette(highlighted-text);"
            " border-radius: 3px; }"));
        const QString codice = passi[i].codice;
        connect(link, &QPushButton::clicked, this, [this, codice] {
            if (QAction* azione = azioni_.value(codice); azione && azione->isEnabled())
                azione->trigger();
        });
        auto* stato = new QLabel(schedaConsegna_);
        stato->setObjectName(QStringLiteral("lblPasso") + passi[i].codice);
        griglia->addWidget(link, i, 0);
        griglia->addWidget(stato, i, 1);
        cmdPassi << link;
        lblStatoPassi << stato;
    }
    griglia->setColumnStretch(2, 1);
    destra->addLayout(griglia);
    auto* aiuto = new QLabel(QStringLiteral("Invio o un clic su un passo lo esegue (come dal menu Utilità)."),
                             schedaConsegna_);
    aiuto->setWordWrap(true);
    aiuto->setForegroundRole(QPalette::PlaceholderText);
    destra->addSpacing(6);
    destra->addWidget(aiuto);
    destra->addStretch(1);
    colonne->addLayout(destra, 2);
}

void PannelloConsegna::creaRecenti() {
    schedaRecenti_ = creaScheda(QStringLiteral("schedaRecenti"));
    auto* layout = new QVBoxLayout(schedaRecenti_);
    layout->setContentsMargins(20, 16, 20, 16);
    auto* titolo = new QLabel(QStringLiteral("Nessun archivio aperto"), schedaRecenti_);
    QFont font = titolo->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    titolo->setFont(font);
    layout->addWidget(titolo);

    auto* corpo = new QHBoxLayout;
    corpo->setSpacing(16);
    layout->addLayout(corpo);
    auto* elenco = new QVBoxLayout;
    auto* etichetta = intestazione(QStringLiteral("Archivi &recenti"), schedaRecenti_);
    elenco->addWidget(etichetta);
    lstRecenti = new QTreeWidget(schedaRecenti_);
    lstRecenti->setObjectName(QStringLiteral("lstRecenti"));
    lstRecenti->setHeaderLabels({QStringLiteral("Archivio"), QStringLiteral("Consegna"),
                                 QStringLiteral("Aperto il"), QStringLiteral("Cartella")});
    lstRecenti->setRootIsDecorated(false);
    lstRecenti->setUniformRowHeights(true);
    lstRecenti->setAlternatingRowColors(true);
    lstRecenti->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecenti->setMinimumWidth(560);
    lstRecenti->header()->setStretchLastSection(true);
    etichetta->setBuddy(lstRecenti);
    elenco->addWidget(lstRecenti);
    lblNessunRecente = new QLabel(QStringLiteral("Nessun archivio è stato aperto finora: crearne uno nuovo "
                                                 "o aprirne uno esistente."),
                                  schedaRecenti_);
    lblNessunRecente->setObjectName(QStringLiteral("lblNessunRecente"));
    lblNessunRecente->setWordWrap(true);
    elenco->addWidget(lblNessunRecente);
    aiutoRecenti_ = new QLabel(QStringLiteral("Invio o un clic apre l'archivio scelto."), schedaRecenti_);
    aiutoRecenti_->setForegroundRole(QPalette::PlaceholderText);
    elenco->addWidget(aiutoRecenti_);
    corpo->addLayout(elenco, 1);

    auto* comandi = new QVBoxLayout;
    comandi->addSpacing(etichetta->sizeHint().height());
    cmdNuovoArchivio = new QPushButton(QStringLiteral("&Nuovo archivio"), schedaRecenti_);
    cmdNuovoArchivio->setObjectName(QStringLiteral("cmdNuovoArchivio"));
    cmdApriArchivio = new QPushButton(QStringLiteral("&Apri archivio..."), schedaRecenti_);
    cmdApriArchivio->setObjectName(QStringLiteral("cmdApriArchivio"));
    for (QPushButton* b : {cmdNuovoArchivio, cmdApriArchivio}) {
        b->setAutoDefault(false);
        b->installEventFilter(this);
        comandi->addWidget(b);
    }
    comandi->addStretch(1);
    corpo->addLayout(comandi);
    // Windows open over the panel have letters of their own.
    letteraNelRiquadro(etichetta, schedaRecenti_);
    for (QPushButton* b : {cmdNuovoArchivio, cmdApriArchivio})
        letteraNelRiquadro(b, schedaRecenti_);

    const auto apri = [this](QTreeWidgetItem* item) {
        if (!item || !(item->flags() & Qt::ItemIsEnabled))
            return;
        const QString percorso = item->data(0, Qt::UserRole).toString();
        // Opening rebuilds this list: it is done once the view has finished with the click.
        QTimer::singleShot(0, this, [this, percorso] { Q_EMIT apriRecente(percorso); });
    };
    connect(lstRecenti, &QTreeWidget::itemActivated, this, apri);
    connect(lstRecenti, &QTreeWidget::itemClicked, this, apri);
}

void PannelloConsegna::collegaAzioni(const QHash<QString, QAction*>& passi, QAction* nuovo, QAction* apri) {
    azioni_ = passi;
    for (int i = 0; i < cmdPassi.size(); ++i)
        if (QAction* azione = azioni_.value(PassiConsegna()[i].codice))
            cmdPassi[i]->setToolTip(azione->toolTip());
    const auto segui = [](QPushButton* bottone, QAction* azione) {
        connect(bottone, &QPushButton::clicked, azione, &QAction::trigger);
        bottone->setEnabled(azione->isEnabled());
        connect(azione, &QAction::enabledChanged, bottone, &QPushButton::setEnabled);
    };
    segui(cmdNuovoArchivio, nuovo);
    segui(cmdApriArchivio, apri);
}

void PannelloConsegna::mostraConsegna(const StatoConsegna& s) {
    schedaRecenti_->hide();
    schedaConsegna_->show();
    const bool letto = s.errore.isEmpty();
    lblTitolo->setText(!letto           ? QStringLiteral("Archivio ") + QFileInfo(s.archivio).fileName()
                       : s.informazioni ? QStringLiteral("Consegna ") + s.consegna
                                        : QStringLiteral("Consegna senza informazioni"));
    lblCentro->setText(nonIndicato(s.centro));
    lblAnno->setText(nonIndicato(s.anno));
    lblConsegna->setText(nonIndicato(s.consegna));
    lblNumInizio->setText(nonIndicato(s.numInizio) + QStringLiteral("  (primo documento ") +
                          s.primoDocumento + u')');
    lblArchivio->setToolTip(QDir::toNativeSeparators(s.archivio));
    accorciaArchivio();
    lblDocumenti->setText(NumeroItaliano(s.documenti));
    lblFascicoli->setText(NumeroItaliano(s.fascicoli));
    for (QLabel* l : {lblCentro, lblAnno, lblConsegna, lblNumInizio})
        formConsegna_->setRowVisible(l, letto && s.informazioni);
    for (QLabel* l : {lblDocumenti, lblFascicoli})
        formConsegna_->setRowVisible(l, letto);

    if (!letto)
        lblAvviso->setText(s.errore);
    else if (!s.informazioni)
        lblAvviso->setText(
            QStringLiteral("L'archivio non ha la riga delle informazioni di consegna (tabInfo): "
                           "i passi eseguiti non vi restano registrati. Crearne uno nuovo con "
                           "File > Nuovo e riportarvi i documenti."));
    else
        lblAvviso->clear();
    lblAvviso->setVisible(!lblAvviso->text().isEmpty());

    if (!letto) {
        lblControllo->clear();
    } else if (!s.controllato) {
        lblControllo->setText(
            QStringLiteral("Non ancora eseguito su questa consegna: nessun elenco degli errori "
                           "in dump/."));
    } else {
        QString testo = QStringLiteral("Eseguito il %1").arg(dataOra(s.oraControllo));
        if (s.daRifare)
            testo += QStringLiteral(" &mdash; <b style=\"color:%1\">da rifare</b>: %2")
                         .arg(kColoreDaRifare,
                              s.archivioModificato
                                  ? QStringLiteral("l'archivio è stato modificato dopo il controllo")
                                  : QStringLiteral("gli elenchi non risultano scritti per "
                                                   "l'archivio com'è ora"));
        lblControllo->setText(testo);
    }
    for (int i = 0; i < lblElenchi.size(); ++i) {
        lblElenchi[i]->setText(NumeroItaliano(s.elenchi[i].segnalazioni));
        formControllo_->setRowVisible(lblElenchi[i], letto && s.controllato);
    }

    prossimo_ = s.errore.isEmpty() ? s.prossimo() : -1;
    for (int i = 0; i < cmdPassi.size() && i < s.passi.size(); ++i) {
        const StatoPasso stato = s.passi[i].stato;
        QString testo;
        switch (stato) {
        case StatoPasso::Fatto:
            testo = QStringLiteral("<span style=\"color:%1\">&#10004; fatto</span>").arg(kColoreFatto);
            break;
        case StatoPasso::DaRifare:
            testo = QStringLiteral("<b style=\"color:%1\">da rifare</b>").arg(kColoreDaRifare);
            break;
        case StatoPasso::DaFare:
            testo = QStringLiteral("da fare");
            break;
        }
        if (i == prossimo_)
            testo += QStringLiteral(" &larr; <b>prossimo</b>");
        lblStatoPassi[i]->setText(testo);
        QFont font = cmdPassi[i]->font();
        font.setBold(i == prossimo_);
        cmdPassi[i]->setFont(font);
        cmdPassi[i]->setEnabled(s.errore.isEmpty());
    }
    adatta();
}

void PannelloConsegna::mostraRecenti(const QList<ArchivioRecente>& recenti) {
    schedaConsegna_->hide();
    schedaRecenti_->show();
    lstRecenti->clear();
    for (const ArchivioRecente& a : recenti) {
        const QFileInfo file(a.percorso);
        auto* item = new QTreeWidgetItem(lstRecenti, {file.fileName(), a.consegna,
                                                      a.aperto.isValid() ? dataOra(a.aperto) : QString(),
                                                      QDir::toNativeSeparators(file.absolutePath())});
        item->setData(0, Qt::UserRole, a.percorso);
        if (a.esiste()) {
            item->setToolTip(0, QDir::toNativeSeparators(a.percorso));
        } else {
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            for (int c = 0; c < item->columnCount(); ++c)
                item->setToolTip(c,
                                 QStringLiteral("Il file %1 non c'è più: sarà tolto dall'elenco al prossimo "
                                                "avvio.")
                                     .arg(QDir::toNativeSeparators(a.percorso)));
        }
    }
    for (int c = 0; c < 3; ++c)
        lstRecenti->resizeColumnToContents(c);
    lstRecenti->setVisible(!recenti.isEmpty());
    lblNessunRecente->setVisible(recenti.isEmpty());
    aiutoRecenti_->setVisible(!recenti.isEmpty());
    // As tall as the ten entries it may hold.
    const int riga =
        lstRecenti->sizeHintForRow(0) > 0 ? lstRecenti->sizeHintForRow(0) : fontMetrics().height() + 6;
    lstRecenti->setFixedHeight(lstRecenti->header()->sizeHint().height() + riga * kArchiviRecenti + 6);
    for (int i = 0; i < lstRecenti->topLevelItemCount(); ++i)
        if (lstRecenti->topLevelItem(i)->flags() & Qt::ItemIsEnabled) {
            lstRecenti->setCurrentItem(lstRecenti->topLevelItem(i));
            break;
        }
    adatta();
}

void PannelloConsegna::mettiFuoco() {
    if (!schedaConsegna_->isHidden()) {
        const int i = prossimo_ >= 0 ? prossimo_ : 0;
        if (i < cmdPassi.size() && cmdPassi[i]->isEnabled())
            cmdPassi[i]->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!lstRecenti->isHidden() && lstRecenti->currentItem())
        lstRecenti->setFocus(Qt::OtherFocusReason);
    else if (cmdApriArchivio->isEnabled())
        cmdApriArchivio->setFocus(Qt::OtherFocusReason);
}

bool PannelloConsegna::eventFilter(QObject* watched, QEvent* event) {
    // At once: the area measures its scroll range on its children, this one included, which must
    // never be larger than the area itself; and scrolling the area moves every child of the
    // viewport, but the background stays in place.
    if ((watched == viewport_ && event->type() == QEvent::Resize) ||
        (watched == this && event->type() == QEvent::Move && pos() != QPoint(0, 0)))
        adatta();
    if ((watched == this || watched->parent() == this) && event->type() == QEvent::LayoutRequest)
        QTimer::singleShot(0, this, &PannelloConsegna::adatta);
    if (watched == lblArchivio && event->type() == QEvent::Resize)
        accorciaArchivio();
    // Outside a dialog a button takes only the space bar; a link also takes Enter.
    if (event->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(event)->key();
        auto* bottone = qobject_cast<QPushButton*>(watched);
        if (bottone && (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) &&
            (static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            bottone->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PannelloConsegna::accorciaArchivio() {
    const QString intero = lblArchivio->toolTip();
    lblArchivio->setText(lblArchivio->width() > 0 ? lblArchivio->fontMetrics().elidedText(
                                                        intero, Qt::ElideMiddle, lblArchivio->width())
                                                  : intero);
}

void PannelloConsegna::adatta() {
    setGeometry(viewport_->rect());
    lower();
    // The card sits centred at the top, as wide as the area allows up to its own largest width
    // and exactly as tall as its contents at that width.
    for (QFrame* scheda : {schedaConsegna_, schedaRecenti_}) {
        if (scheda->isHidden())
            continue;
        scheda->layout()->activate();
        const int larghezza =
            std::max(std::min(width() - 2 * 24, scheda->maximumWidth()), scheda->minimumSizeHint().width());
        const int altezza =
            scheda->hasHeightForWidth() ? scheda->heightForWidth(larghezza) : scheda->sizeHint().height();
        scheda->setGeometry((width() - larghezza) / 2, 20, larghezza, altezza);
    }
}
