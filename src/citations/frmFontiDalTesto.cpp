#include "citations/frmFontiDalTesto.h"

#include "store/AppState.h"
#include "store/DocumentBuffer.h"
#include "store/MessaggiErrore.h"
#include "ui/qt/BusyCursor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Colonna { ColFonte, ColTesto, ColDove, ColNote };
// A proposal's line holds its index in proposte_; a near act's line, under it, its index among them.
constexpr int RuoloProposta = Qt::UserRole;
constexpr int RuoloVicino = Qt::UserRole + 1;

template <typename T> T* crea(QWidget* parent, const char* name) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton* pulsante(QWidget* parent, const char* name, const QString& caption) {
    auto* b = crea<QPushButton>(parent, name);
    b->setText(caption);
    return b;
}

// The words around the citation, the citation itself highlighted.
QString contesto(const QString& testo, qsizetype inizio, qsizetype fine) {
    constexpr qsizetype kIntorno = 180;
    qsizetype da = std::max<qsizetype>(0, inizio - kIntorno);
    qsizetype a = std::min<qsizetype>(testo.size(), fine + kIntorno);
    while (da > 0 && da < inizio && !testo.at(da - 1).isSpace())
        ++da;
    while (a < testo.size() && a > fine && !testo.at(a).isSpace())
        --a;
    // Runs of blanks and line breaks as one blank, the blanks at the ends of each piece kept.
    const auto html = [](const QString& s) {
        QString out;
        for (const QChar c : s) {
            if (!c.isSpace())
                out += c;
            else if (!out.endsWith(u' '))
                out += u' ';
        }
        return out.toHtmlEscaped();
    };
    return (da > 0 ? QStringLiteral("… ") : QString()) + html(testo.mid(da, inizio - da)) +
           QStringLiteral("<span style=\"background-color:#ffe08a; font-weight:bold\">") +
           html(testo.mid(inizio, fine - inizio)) + QStringLiteral("</span>") +
           html(testo.mid(fine, a - fine)) + (a < testo.size() ? QStringLiteral(" …") : QString());
}

// A proposal's near acts shown under it, each on the whole width of its line.
void apri(QTreeWidgetItem* item) {
    item->setExpanded(true);
    for (int j = 0; j < item->childCount(); ++j)
        item->child(j)->setFirstColumnSpanned(true);
}

QString note(const PropostaFonte& p, const QList<AttoVicino>& vicini, const AttoVicino* scelto) {
    QStringList n;
    if (scelto)
        n << QStringLiteral("atto del catalogo scelto (") + ElementoCorretto(scelto->atto.elemento) + u')';
    if (!p.aggiungibile())
        n << QStringLiteral("non aggiungibile: ") + p.problema;
    if (p.giaPresente)
        n << QStringLiteral("già nel documento");
    if (!p.etichettaCatalogo().isEmpty())
        n << p.etichettaCatalogo();
    if (p.catalogo == StatoCatalogo::NonNelCatalogo && p.aggiungibile())
        n << (vicini.isEmpty() ? QStringLiteral("nessun atto simile nel catalogo")
                               : QStringLiteral("scegliere l'atto qui sotto"));
    if (p.dataDalCatalogo)
        n << QStringLiteral("data dal catalogo");
    if (p.citazione.rinvio)
        n << QStringLiteral("rinvio");
    if (p.occorrenze > 1)
        n << QStringLiteral("citata %1 volte").arg(p.occorrenze);
    return n.join(QStringLiteral("; "));
}

} // namespace

frmFontiDalTesto::frmFontiDalTesto(AppState& state, DocumentBuffer& buffer, QList<TestoDocumento> testi,
                                   QWidget* parent)
    : QDialog(parent), state_(state), buffer_(buffer), testiDocumento_(std::move(testi)),
      optTestiDocumento(crea<QRadioButton>(this, "optTestiDocumento")),
      optTestoIncollato(crea<QRadioButton>(this, "optTestoIncollato")),
      txtIncollato(crea<QPlainTextEdit>(this, "txtIncollato")),
      cmdLeggi(pulsante(this, "cmdLeggi", QStringLiteral("&Leggi"))),
      lstProposte(crea<QTreeWidget>(this, "lstProposte")),
      txtContesto(crea<QTextBrowser>(this, "txtContesto")), lblConteggio(crea<QLabel>(this, "lblConteggio")),
      cmdTutte(pulsante(this, "cmdTutte", QStringLiteral("Seleziona &tutte"))),
      cmdNessuna(pulsante(this, "cmdNessuna", QStringLiteral("&Nessuna"))),
      cmdAggiungi(pulsante(this, "cmdAggiungi", QStringLiteral("A&ggiungi al documento"))),
      cmdAbbandona(pulsante(this, "cmdAbbandona", QStringLiteral("&Abbandona"))) {
    setObjectName(QStringLiteral("frmFontiDalTesto"));
    setWindowTitle(QStringLiteral("Fonti dal testo"));
    setModal(true);

    optTestiDocumento->setText(
        QStringLiteral("Testi del &documento (titolo, riassunto, sommario, In tema di, nota)"));
    optTestoIncollato->setText(QStringLiteral("Testo &incollato:"));
    optTestiDocumento->setChecked(true);
    txtIncollato->setPlaceholderText(
        QStringLiteral("Incollare qui il testo da cui proporre le fonti, poi «Leggi»"));
    txtIncollato->setTabChangesFocus(true);
    txtIncollato->setMaximumHeight(90);
    txtIncollato->setEnabled(false);

    lstProposte->setColumnCount(4);
    lstProposte->setHeaderLabels({QStringLiteral("Fonte proposta"), QStringLiteral("Nel testo"),
                                  QStringLiteral("Dove"), QStringLiteral("Note")});
    lstProposte->setRootIsDecorated(false);
    lstProposte->setUniformRowHeights(true);
    lstProposte->setAlternatingRowColors(true);
    lstProposte->header()->setStretchLastSection(true);
    lstProposte->setColumnWidth(ColFonte, 330);
    lstProposte->setColumnWidth(ColTesto, 300);
    lstProposte->setColumnWidth(ColDove, 80);
    txtContesto->setMaximumHeight(110);
    txtContesto->setOpenLinks(false);
    txtContesto->setFocusPolicy(Qt::ClickFocus);

    auto* scelta = new QHBoxLayout;
    scelta->addWidget(optTestiDocumento);
    scelta->addStretch();
    auto* incolla = new QHBoxLayout;
    incolla->addWidget(optTestoIncollato, 0, Qt::AlignTop);
    incolla->addWidget(txtIncollato, 1);
    incolla->addWidget(cmdLeggi, 0, Qt::AlignTop);
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(cmdTutte);
    comandi->addWidget(cmdNessuna);
    comandi->addWidget(lblConteggio, 1);
    comandi->addWidget(cmdAggiungi);
    comandi->addWidget(cmdAbbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scelta);
    layout->addLayout(incolla);
    layout->addWidget(lstProposte, 1);
    auto* etichetta = new QLabel(QStringLiteral("Dove il testo la cita:"), this);
    layout->addWidget(etichetta);
    layout->addWidget(txtContesto);
    layout->addLayout(comandi);
    resize(1000, 560);

    connect(optTestoIncollato, &QRadioButton::toggled, this, [this](bool incollato) {
        txtIncollato->setEnabled(incollato);
        if (incollato)
            txtIncollato->setFocus();
        else
            leggi();
    });
    connect(cmdLeggi, &QPushButton::clicked, this, [this] {
        optTestoIncollato->setChecked(true);
        leggi();
        lstProposte->setFocus();
    });
    connect(lstProposte, &QTreeWidget::currentItemChanged, this, &frmFontiDalTesto::mostraContesto);
    connect(cmdTutte, &QPushButton::clicked, this, [this] { spunta(true); });
    connect(cmdNessuna, &QPushButton::clicked, this, [this] { spunta(false); });
    connect(cmdAggiungi, &QPushButton::clicked, this, &frmFontiDalTesto::aggiungi);
    connect(cmdAbbandona, &QPushButton::clicked, this, &QDialog::reject);
    // Enter adds the ticked sources wherever the keyboard is: no button takes it over on being
    // reached with Tab (a "Leggi" taking it would read an empty pasted text over the proposals).
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    cmdAggiungi->setDefault(true);
    // Enter on "Abbandona", "Seleziona tutte" or "Nessuna" does what the button says, as on any
    // button that has the keyboard; only "Leggi" leaves it to "Aggiungi al documento".
    for (QPushButton* b : {cmdTutte, cmdNessuna, cmdAbbandona})
        b->installEventFilter(this);
    lstProposte->installEventFilter(this);
    connect(lstProposte, &QTreeWidget::itemChanged, this, &frmFontiDalTesto::cambiata);

    // The catalogue answers "nel catalogo" and gives the day of acts cited by number and year.
    catalogoAperto_ = ApriCatalogo(state_);
    leggi();
    lstProposte->setFocus();
}

frmFontiDalTesto::~frmFontiDalTesto() {
    if (catalogoAperto_)
        ChiudiCatalogo(state_);
}

QList<TestoDocumento> frmFontiDalTesto::testiScelti() const {
    if (optTestoIncollato->isChecked())
        return {{QStringLiteral("incollato"), txtIncollato->toPlainText()}};
    return testiDocumento_;
}

void frmFontiDalTesto::leggi() {
    const BusyCursor attesa;
    letti_ = testiScelti();
    proposte_.clear();
    vicini_.clear();
    try {
        const ElenchiProposte elenchi = LeggiElenchiProposte(state_.Connessione);
        proposte_ = ProponiFonti(letti_, buffer_.ElencoFonti, elenchi, state_.Connessione,
                                 state_.CatalogoAperto ? &state_.ConnessioneCatalogo : nullptr);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Le fonti del testo non sono state proposte: le "
                                             "tabelle delle fonti dell'archivio non si leggono."),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    lette_ = proposte_;
    for (const PropostaFonte& p : std::as_const(proposte_)) {
        QList<AttoVicino> vicini;
        if (state_.CatalogoAperto && p.catalogo == StatoCatalogo::NonNelCatalogo) {
            try {
                vicini = AttiViciniDi(p, buffer_.ElencoFonti, state_.ConnessioneCatalogo);
            } catch (const DbError&) {
                // The catalogue cannot be read now: the proposal stays as read.
            }
        }
        vicini_.append(vicini);
    }
    mostra();
}

void frmFontiDalTesto::mostra() {
    const QSignalBlocker blocco(lstProposte);
    lstProposte->clear();
    bool sottoliste = false;
    for (qsizetype k = 0; k < proposte_.size(); ++k) {
        const PropostaFonte& p = proposte_.at(k);
        QString span;
        for (const TestoDocumento& t : std::as_const(letti_))
            if (t.nome == p.testo)
                span = t.testo.mid(p.citazione.inizio, p.citazione.fine - p.citazione.inizio).simplified();
        auto* item = new QTreeWidgetItem(lstProposte);
        item->setData(ColFonte, RuoloProposta, static_cast<int>(k));
        item->setText(ColTesto, span);
        item->setText(ColDove, p.testo);
        item->setToolTip(ColTesto, span);
        const QList<AttoVicino>& vicini = vicini_.at(k);
        for (qsizetype j = 0; j < vicini.size(); ++j) {
            const AttoVicino& v = vicini.at(j);
            auto* atto = new QTreeWidgetItem(item);
            atto->setData(ColFonte, RuoloVicino, static_cast<int>(j));
            // The line spans the columns: what it would say in the notes follows the act.
            const QString etichetta =
                v.etichetta() + (v.proposta.giaPresente ? QStringLiteral("; già nel documento") : QString());
            atto->setText(ColFonte, etichetta);
            atto->setToolTip(ColFonte, etichetta);
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (!v.proposta.giaPresente)
                flags |= Qt::ItemIsUserCheckable;
            atto->setFlags(flags);
            atto->setCheckState(ColFonte, Qt::Unchecked);
        }
        sottoliste = sottoliste || !vicini.isEmpty();
        mostraProposta(item);
        apri(item);
    }
    lstProposte->setRootIsDecorated(sottoliste);
    if (proposte_.isEmpty()) {
        auto* vuota = new QTreeWidgetItem(lstProposte);
        vuota->setText(ColFonte, optTestoIncollato->isChecked()
                                     ? QStringLiteral("Nessuna fonte riconosciuta nel testo incollato.")
                                     : QStringLiteral("Nessuna fonte riconosciuta nei testi del documento."));
        vuota->setFlags(Qt::ItemIsEnabled);
    } else {
        lstProposte->setCurrentItem(lstProposte->topLevelItem(0));
    }
    mostraContesto();
    aggiornaConteggio();
}

// The line of a proposal as it stands: read, or turned into the near act ticked under it.
void frmFontiDalTesto::mostraProposta(QTreeWidgetItem* item) {
    const int k = item->data(ColFonte, RuoloProposta).toInt();
    const PropostaFonte& p = proposte_.at(k);
    const QList<AttoVicino>& vicini = vicini_.at(k);
    const AttoVicino* scelto = nullptr;
    for (int j = 0; j < item->childCount(); ++j)
        if (item->child(j)->checkState(ColFonte) == Qt::Checked)
            scelto = &vicini.at(item->child(j)->data(ColFonte, RuoloVicino).toInt());
    const QSignalBlocker blocco(lstProposte);
    item->setText(ColFonte, p.testoMostrato());
    item->setText(ColNote, note(p, vicini, scelto));
    item->setToolTip(ColFonte, item->text(ColFonte));
    item->setToolTip(ColNote, item->text(ColNote));
    const bool aggiungibile = p.aggiungibile() && !p.giaPresente;
    // Not in the catalogue: the operator says which act the text means, or ticks it as it stands.
    const bool scelta = aggiungibile && p.catalogo != StatoCatalogo::NonNelCatalogo;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (aggiungibile)
        flags |= Qt::ItemIsUserCheckable;
    item->setFlags(flags);
    item->setCheckState(ColFonte, scelta ? Qt::Checked : Qt::Unchecked);
    const QColor testo = aggiungibile ? palette().color(QPalette::Active, QPalette::Text)
                                      : palette().color(QPalette::Disabled, QPalette::Text);
    for (int c = 0; c < lstProposte->columnCount(); ++c)
        item->setForeground(c, testo);
    if (p.catalogo == StatoCatalogo::NonNelCatalogo)
        item->setForeground(ColNote, QColor(0xb0, 0x30, 0x20));
}

void frmFontiDalTesto::mostraContesto() {
    const QTreeWidgetItem* item = lstProposte->currentItem();
    if (item && item->parent())
        item = item->parent();
    const QVariant k = item ? item->data(ColFonte, RuoloProposta) : QVariant();
    if (!k.isValid() || k.toInt() < 0 || k.toInt() >= proposte_.size()) {
        txtContesto->clear();
        return;
    }
    const PropostaFonte& p = proposte_.at(k.toInt());
    for (const TestoDocumento& t : std::as_const(letti_)) {
        if (t.nome != p.testo)
            continue;
        txtContesto->setHtml(QStringLiteral("<b>%1</b>: ").arg(t.nome.toHtmlEscaped()) +
                             contesto(t.testo, p.citazione.inizio, p.citazione.fine));
        return;
    }
}

void frmFontiDalTesto::aggiornaConteggio() {
    int scelte = 0;
    for (int r = 0; r < lstProposte->topLevelItemCount(); ++r)
        if (lstProposte->topLevelItem(r)->checkState(ColFonte) == Qt::Checked)
            ++scelte;
    lblConteggio->setText(QStringLiteral("%1 proposte, %2 selezionate").arg(proposte_.size()).arg(scelte));
    cmdAggiungi->setEnabled(scelte > 0);
}

void frmFontiDalTesto::spunta(bool tutte) {
    for (int r = 0; r < lstProposte->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = lstProposte->topLevelItem(r);
        const QVariant k = item->data(ColFonte, RuoloProposta);
        // An act the catalogue does not hold is ticked one by one, once looked at.
        if (tutte && k.isValid() && proposte_.at(k.toInt()).catalogo == StatoCatalogo::NonNelCatalogo)
            continue;
        if (item->flags() & Qt::ItemIsUserCheckable)
            item->setCheckState(ColFonte, tutte ? Qt::Checked : Qt::Unchecked);
    }
}

void frmFontiDalTesto::aggiungi() {
    QList<PropostaFonte> scelte;
    for (int r = 0; r < lstProposte->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = lstProposte->topLevelItem(r);
        const QVariant k = item->data(ColFonte, RuoloProposta);
        if (item->checkState(ColFonte) == Qt::Checked && k.isValid())
            scelte << proposte_.at(k.toInt());
    }
    try {
        aggiunte_ = AggiungiProposte(scelte, buffer_, state_.Connessione);
    } catch (const DbError& e) {
        state_.ui().message(MessaggioErroreDb(QStringLiteral("Le fonti scelte non sono state aggiunte."), e),
                            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    if (aggiunte_ < scelte.size())
        state_.ui().message(
            QStringLiteral("Aggiunte %1 fonti su %2: le altre erano già nel documento o non si "
                           "compongono più. Controllare l'elenco delle fonti.")
                .arg(aggiunte_)
                .arg(scelte.size()),
            applicationTitle(), Buttons::Ok, Icon::Warning);
    accept();
}

void frmFontiDalTesto::cambiata(QTreeWidgetItem* item) {
    if (QTreeWidgetItem* riga = item->parent()) {
        const int j = item->data(ColFonte, RuoloVicino).toInt();
        scegliVicino(riga, item->checkState(ColFonte) == Qt::Checked ? j : -1);
    }
    aggiornaConteggio();
}

void frmFontiDalTesto::scegliVicino(QTreeWidgetItem* riga, int j) {
    const int k = riga->data(ColFonte, RuoloProposta).toInt();
    {
        // One act at a time: ticking one takes the tick from the others.
        const QSignalBlocker blocco(lstProposte);
        for (int c = 0; c < riga->childCount(); ++c)
            if (riga->child(c)->data(ColFonte, RuoloVicino).toInt() != j)
                riga->child(c)->setCheckState(ColFonte, Qt::Unchecked);
    }
    proposte_[k] = j < 0 ? lette_.at(k) : vicini_.at(k).at(j).proposta;
    mostraProposta(riga);
    mostraContesto();
}

bool frmFontiDalTesto::sposta(int verso) {
    QTreeWidgetItem* item = lstProposte->currentItem();
    if (item && item->parent())
        item = item->parent();
    if (!item || !item->data(ColFonte, RuoloProposta).isValid())
        return false;
    const int da = lstProposte->indexOfTopLevelItem(item);
    const int a = da + verso;
    if (a < 0 || a >= lstProposte->topLevelItemCount())
        return true;
    const QSignalBlocker blocco(lstProposte);
    lstProposte->takeTopLevelItem(da);
    lstProposte->insertTopLevelItem(a, item);
    apri(item);
    lstProposte->setCurrentItem(item);
    return true;
}

bool frmFontiDalTesto::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstProposte && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
            return sposta(key->key() == Qt::Key_Up ? -1 : 1);
    }
    if (auto* b = qobject_cast<QPushButton*>(watched); b && b != cmdAggiungi && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            b->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
