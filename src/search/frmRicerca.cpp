#include "search/frmRicerca.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"

#include "search/FormatiRicerca.h"
#include "search/InterrogazioneRicerca.h"
#include "search/ServizioRicerca.h"
#include "ui/qt/ChiusuraMdi.h"
#include "ui/qt/LavoroConAnnulla.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const QString kTitolo = QStringLiteral("Ricerca documenti");
constexpr int kPagina = 200;
// Beyond this many documents an export asks first: every excerpt has to be made.
constexpr qint64 kEsportazioneGrande = 100000;

// The excerpt with its matched words in bold.
class DelegatoEstratto : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString html = index.data(ModelloRisultati::RuoloHtml).toString();
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        QTextDocument doc;
        doc.setDefaultFont(opt.font);
        doc.setDocumentMargin(2);
        doc.setHtml(html);
        doc.setTextWidth(-1);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.palette.setColor(QPalette::Text, opt.state & QStyle::State_Selected
                                                 ? opt.palette.color(QPalette::HighlightedText)
                                                 : opt.palette.color(QPalette::Text));
        const QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
        painter->save();
        painter->setClipRect(r);
        painter->translate(r.left(), r.top() + std::max(0.0, (r.height() - doc.size().height()) / 2));
        doc.documentLayout()->draw(painter, ctx);
        painter->restore();
    }
};

QString secondi(qint64 microsecondi) {
    return QLocale(QLocale::Italian, QLocale::Italy)
        .toString(static_cast<double>(microsecondi) / 1e6, 'f', 3);
}

} // namespace

// ---------------------------------------------------------------------------------------------

void ModelloRisultati::imposta(QList<RisultatoRicerca> risultati,
                               std::function<std::optional<QString>(qint64)> estratto) {
    beginResetModel();
    risultati_ = std::move(risultati);
    estratto_ = std::move(estratto);
    endResetModel();
}

const RisultatoRicerca& ModelloRisultati::conEstratto(int riga) const {
    RisultatoRicerca& r = risultati_[riga];
    if (!r.conEstratto && estratto_) {
        // The index busy with another search: made when the row is painted again.
        if (const std::optional<QString> e = estratto_(r.id)) {
            r.estratto = *e;
            r.conEstratto = true;
        }
    }
    return r;
}

int ModelloRisultati::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(risultati_.size());
}

int ModelloRisultati::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : NumeroColonne;
}

QVariant ModelloRisultati::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= risultati_.size())
        return {};
    const bool serveEstratto = index.column() == Estratto &&
                               (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == RuoloHtml);
    const RisultatoRicerca& r = serveEstratto ? conEstratto(index.row()) : risultati_.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case Archivio:
            return r.archivio;
        case Numero:
            return QString::number(r.numero);
        case Identificativo:
            return r.identificativo;
        case Rivista:
            return r.rivista;
        case Anno:
            return r.anno;
        case Titolo:
            return role == Qt::DisplayRole ? SuUnaRiga(r.titolo) : r.titolo;
        case Estratto: {
            QString t = r.estratto;
            t.remove(QChar(kInizioEvidenza));
            t.remove(QChar(kFineEvidenza));
            return SuUnaRiga(t);
        }
        default:
            break;
        }
    }
    if (role == RuoloHtml && index.column() == Estratto)
        return EstrattoHtml(r.estratto);
    if (role == Qt::TextAlignmentRole && index.column() == Numero)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ModelloRisultati::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titoli[] = {"Archivio", "Numero", "Identificativo", "Rivista",
                                         "Anno",     "Titolo", "Estratto"};
    return section >= 0 && section < NumeroColonne ? QString::fromUtf8(titoli[section]) : QVariant();
}

// ---------------------------------------------------------------------------------------------

frmRicerca::frmRicerca(AppState& state, FinestraPrincipale& principale, TipoAmbito ambito)
    : QWidget(principale.finestra(), Qt::Window), state_(state), principale_(principale) {
    setObjectName(QStringLiteral("frmRicerca"));
    setWindowTitle(kTitolo);
    setAttribute(Qt::WA_DeleteOnClose);
    // Nothing here is lost by closing: the results are a search away.
    escChiude(this);

    auto* etichetta = new QLabel(QStringLiteral("&Cerca:"), this);
    txtRicerca = new QLineEdit(this);
    txtRicerca->setObjectName(QStringLiteral("txtRicerca"));
    txtRicerca->setPlaceholderText(
        QStringLiteral("parole, \"frase esatta\", prefisso*, titolo:..., autore:..."));
    txtRicerca->setClearButtonEnabled(true);
    etichetta->setBuddy(txtRicerca);
    cmdCerca = new QPushButton(QStringLiteral("Ce&rca"), this);
    cmdCerca->setObjectName(QStringLiteral("cmdCerca"));
    lblSintassi =
        new QLabel(QStringLiteral("Campi: titolo: autore: fonte: testo: rivista: anno: classe: archivio: "
                                  "  \u00B7  AND OR NOT ( )  \u00B7  \"frase esatta\"  \u00B7  prefisso*"),
                   this);
    lblSintassi->setObjectName(QStringLiteral("lblSintassi"));
    lblSintassi->setWordWrap(true);
    lblSintassi->setEnabled(false);

    auto* dove = new QGroupBox(QStringLiteral("Dove cercare"), this);
    optArchivio = new QRadioButton(QStringLiteral("&Questo archivio"), dove);
    optArchivio->setObjectName(QStringLiteral("optArchivio"));
    optTutti = new QRadioButton(QStringLiteral("&Tutti gli archivi di mdb"), dove);
    optTutti->setObjectName(QStringLiteral("optTutti"));
    optSigle = new QRadioButton(QStringLiteral("Archivi del &file sigle:"), dove);
    optSigle->setObjectName(QStringLiteral("optSigle"));
    cmbSigle = new QComboBox(dove);
    cmbSigle->setObjectName(QStringLiteral("cmbSigle"));
    cmbSigle->setMinimumContentsLength(12);
    auto* gruppo = new QButtonGroup(this);
    for (QRadioButton* o : {optArchivio, optTutti, optSigle})
        gruppo->addButton(o);
    auto* doveLayout = new QHBoxLayout(dove);
    doveLayout->addWidget(optArchivio);
    doveLayout->addWidget(optTutti);
    doveLayout->addWidget(optSigle);
    doveLayout->addWidget(cmbSigle);
    doveLayout->addStretch();

    modello_ = new ModelloRisultati(this);
    tblRisultati = new QTableView(this);
    tblRisultati->setObjectName(QStringLiteral("tblRisultati"));
    tblRisultati->setModel(modello_);
    tblRisultati->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRisultati->setSelectionMode(QAbstractItemView::SingleSelection);
    tblRisultati->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRisultati->setAlternatingRowColors(true);
    tblRisultati->setWordWrap(false);
    tblRisultati->setTabKeyNavigation(false);
    tblRisultati->verticalHeader()->hide();
    tblRisultati->verticalHeader()->setDefaultSectionSize(tblRisultati->fontMetrics().height() + 8);
    tblRisultati->setItemDelegateForColumn(ModelloRisultati::Estratto, new DelegatoEstratto(tblRisultati));
    QHeaderView* h = tblRisultati->horizontalHeader();
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setStretchLastSection(true);
    adattaColonne();

    lblEsito = new QLabel(QStringLiteral("Scrivere che cosa cercare e premere Invio."), this);
    lblEsito->setObjectName(QStringLiteral("lblEsito"));
    lblEsito->setWordWrap(true); // on a line of its own, and a second one rather than a cut one
    cmdApri = new QPushButton(QStringLiteral("&Apri documento"), this);
    cmdApri->setObjectName(QStringLiteral("cmdApri"));
    cmdAltri = new QPushButton(QStringLiteral("A&ltri risultati"), this);
    cmdAltri->setObjectName(QStringLiteral("cmdAltri"));
    cmdEsporta = new QPushButton(QStringLiteral("&Esporta CSV..."), this);
    cmdEsporta->setObjectName(QStringLiteral("cmdEsporta"));
    cmdChiudi = new QPushButton(QStringLiteral("C&hiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton* b : {cmdCerca, cmdApri, cmdAltri, cmdEsporta, cmdChiudi})
        b->setAutoDefault(false);

    auto* riga = new QHBoxLayout;
    riga->addWidget(etichetta);
    riga->addWidget(txtRicerca, 1);
    riga->addWidget(cmdCerca);
    auto* comandi = new QHBoxLayout;
    comandi->addStretch(1);
    comandi->addWidget(cmdApri);
    comandi->addWidget(cmdAltri);
    comandi->addWidget(cmdEsporta);
    comandi->addWidget(cmdChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(riga);
    layout->addWidget(lblSintassi);
    layout->addWidget(dove);
    layout->addWidget(tblRisultati, 1);
    layout->addWidget(lblEsito);
    layout->addLayout(comandi);

    resize(1000, 600); // bounded by the screen where the main window places it

    connect(txtRicerca, &QLineEdit::returnPressed, this, &frmRicerca::cmdCerca_Click);
    connect(cmdCerca, &QPushButton::clicked, this, &frmRicerca::cmdCerca_Click);
    connect(cmdApri, &QPushButton::clicked, this, &frmRicerca::cmdApri_Click);
    connect(cmdAltri, &QPushButton::clicked, this, &frmRicerca::cmdAltri_Click);
    connect(cmdEsporta, &QPushButton::clicked, this, &frmRicerca::cmdEsporta_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(tblRisultati, &QTableView::doubleClicked, this, &frmRicerca::cmdApri_Click);
    connect(optSigle, &QRadioButton::toggled, cmbSigle, &QWidget::setEnabled);
    txtRicerca->installEventFilter(this);
    tblRisultati->installEventFilter(this);

    aggiornaAmbiti();
    scegliAmbito(ambito);
    mostraEsito();
}

void frmRicerca::adattaColonne() {
    // The short columns as wide as what they hold; the title takes part of the rest, the excerpt
    // the remainder.
    int occupato = 0;
    for (int c = ModelloRisultati::Archivio; c < ModelloRisultati::Titolo; ++c) {
        tblRisultati->resizeColumnToContents(c);
        occupato += tblRisultati->columnWidth(c);
    }
    const int resto = tblRisultati->viewport()->width() - occupato;
    tblRisultati->setColumnWidth(
        ModelloRisultati::Titolo,
        std::max(tblRisultati->fontMetrics().averageCharWidth() * 30, resto * 45 / 100));
}

void frmRicerca::aggiornaAmbiti() {
    const bool aperto = state_.ArchivioAperto;
    optArchivio->setEnabled(aperto);
    optArchivio->setText(
        aperto ? QStringLiteral("&Questo archivio (%1)").arg(NomeArchivioIndice(state_.NomeArchivio))
               : QStringLiteral("&Questo archivio"));
    if (!aperto && optArchivio->isChecked())
        optTutti->setChecked(true);
    const QString scelto = cmbSigle->currentText();
    const QStringList sigle =
        QDir(state_.home.mdbDir()).entryList({QStringLiteral("sigle.*")}, QDir::Files, QDir::Name);
    cmbSigle->clear();
    cmbSigle->addItems(sigle);
    if (sigle.contains(scelto))
        cmbSigle->setCurrentText(scelto);
    optSigle->setEnabled(!sigle.isEmpty());
    if (sigle.isEmpty() && optSigle->isChecked())
        optTutti->setChecked(true);
    cmbSigle->setEnabled(optSigle->isChecked());
}

void frmRicerca::scegliAmbito(TipoAmbito ambito) {
    aggiornaAmbiti();
    if (ambito == TipoAmbito::Archivio && optArchivio->isEnabled())
        optArchivio->setChecked(true);
    else if (ambito == TipoAmbito::Sigle && optSigle->isEnabled())
        optSigle->setChecked(true);
    else
        optTutti->setChecked(true);
    cmbSigle->setEnabled(optSigle->isChecked());
}

AmbitoRicerca frmRicerca::ambito() const {
    AmbitoRicerca a;
    if (optArchivio->isChecked() && state_.ArchivioAperto) {
        a.tipo = TipoAmbito::Archivio;
        a.archivio = state_.NomeArchivio;
    } else if (optSigle->isChecked() && !cmbSigle->currentText().isEmpty()) {
        a.tipo = TipoAmbito::Sigle;
        a.fileSigle = state_.home.mdbPath(cmbSigle->currentText());
    }
    return a;
}

void frmRicerca::cmdCerca_Click() {
    esegui(kPagina);
}

void frmRicerca::cmdAltri_Click() {
    if (ultimaRicerca_.isEmpty() || modello_->rowCount() >= totale_)
        return;
    const int riga = tblRisultati->currentIndex().row();
    txtRicerca->setText(ultimaRicerca_);
    scegliAmbito(ultimoAmbito_.tipo);
    esegui(limite_ + kPagina);
    if (riga >= 0 && riga < modello_->rowCount())
        tblRisultati->selectRow(riga);
}

void frmRicerca::esegui(int limite) {
    Dialogs& ui = state_.ui();
    aggiornaAmbiti();
    const AmbitoRicerca a = ambito();
    const QString testo = txtRicerca->text();
    // Refused at once, with the reason, before anything is read.
    const Interrogazione interrogazione = InterpretaRicerca(testo);
    if (!interrogazione.valida()) {
        ui.message(interrogazione.errore, kTitolo, Buttons::Ok, Icon::Warning);
        txtRicerca->setFocus();
        return;
    }
    ServizioRicerca& servizio = ServizioRicerca::di(state_);
    EsitoRicercaCompleta r;
    if (!inDisparte(QStringLiteral("Ricerca in corso..."),
                    [&](Progress& p, const std::atomic<bool>& annullata) {
                        r = servizio.cerca(testo, a, limite, &p, 0, &annullata);
                    })) {
        txtRicerca->setFocus();
        return;
    }
    if (!r.interrogazione.valida()) {
        ui.message(r.interrogazione.errore, kTitolo, Buttons::Ok, Icon::Warning);
        txtRicerca->setFocus();
        return;
    }
    ultimaRicerca_ = testo;
    ultimoAmbito_ = a;
    limite_ = limite;
    totale_ = r.esito.totale;
    stimato_ = r.esito.stimato;
    recenti_ = r.esito.recenti;
    microsecondi_ = r.microsecondi;
    archiviLetti_ = r.archiviLetti;
    auto estrattore = std::make_shared<const Estrattore>(r.interrogazione.termini);
    modello_->imposta(std::move(r.esito.risultati), [this, estrattore](qint64 id) -> std::optional<QString> {
        try {
            return ServizioRicerca::di(state_).estrattoSeLibero(*estrattore, id);
        } catch (const DbError&) {
            return QString();
        }
    });
    adattaColonne();
    mostraEsito();
    if (modello_->rowCount() > 0)
        tblRisultati->selectRow(0);
    for (const QString& avviso : r.avvisi)
        ui.message(avviso, kTitolo, Buttons::Ok, Icon::Warning);
}

bool frmRicerca::inDisparte(const QString& testo,
                            const std::function<void(Progress&, const std::atomic<bool>&)>& lavoro) {
    Dialogs& ui = state_.ui();
    const QString cosa = testo.startsWith(QStringLiteral("Ricerca"))
                             ? QStringLiteral("La ricerca non è stata eseguita.")
                             : QStringLiteral("I risultati non sono stati esportati.");
    LavoroConAnnulla l(this, kTitolo, testo);
    lavoro_ = &l;
    // Excerpts asked for while the index was busy are made now.
    const auto fine = qScopeGuard([this] {
        lavoro_ = nullptr;
        tblRisultati->viewport()->update();
    });
    try {
        l.esegui(lavoro);
        return true;
    } catch (const DbError& e) {
        if (l.annullato()) {
            lblEsito->setText(
                modello_->rowCount() > 0
                    ? QStringLiteral("Ricerca annullata: restano i risultati della ricerca precedente.")
                    : QStringLiteral("Ricerca annullata."));
            return false;
        }
        ui.message(MessaggioErroreIndice(cosa, e, ServizioRicerca::di(state_).indice().percorso()),
                   kTitolo, Buttons::Ok, Icon::Critical);
    } catch (const std::exception& e) {
        ui.message(cosa + u'\n' + QString::fromStdString(e.what()), kTitolo, Buttons::Ok, Icon::Critical);
    }
    return false;
}

void frmRicerca::annullaRicerca() {
    if (lavoro_)
        lavoro_->annulla();
}

QString frmRicerca::totaleLeggibile() const {
    return (stimato_ ? QStringLiteral("circa ") : QString()) +
           QLocale(QLocale::Italian, QLocale::Italy).toString(totale_);
}

void frmRicerca::mostraEsito() {
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const int mostrati = modello_->rowCount();
    cmdApri->setEnabled(mostrati > 0);
    cmdEsporta->setEnabled(mostrati > 0);
    cmdAltri->setEnabled(mostrati < totale_);
    if (ultimaRicerca_.isEmpty())
        return;
    QString testo;
    if (totale_ == 0)
        testo = QStringLiteral("Nessun documento trovato (%1 s).").arg(secondi(microsecondi_));
    else
        testo =
            QStringLiteral("%1 %2 in %3 s")
                .arg(totaleLeggibile(),
                     totale_ == 1 ? QStringLiteral("documento trovato") : QStringLiteral("documenti trovati"),
                     secondi(microsecondi_));
    if (archiviLetti_ > 0)
        testo += archiviLetti_ == 1
                     ? QStringLiteral(" (compresa l'indicizzazione di un archivio)")
                     : QStringLiteral(" (compresa l'indicizzazione di %1 archivi)").arg(archiviLetti_);
    if (mostrati < totale_)
        testo += QStringLiteral(" - mostrati i primi %1").arg(it.toString(mostrati));
    if (recenti_)
        testo += u' ' + NotaRecenti();
    lblEsito->setText(testo);
}

void frmRicerca::cmdApri_Click() {
    const QModelIndex i = tblRisultati->currentIndex();
    if (!i.isValid() || i.row() >= modello_->rowCount()) {
        state_.ui().message(QStringLiteral("Scegliere un documento dell'elenco."), kTitolo);
        return;
    }
    const RisultatoRicerca r = modello_->risultati().at(i.row());
    if (principale_.apriDocumentoDi(r.percorso, r.numero)) {
        principale_.finestra()->raise();
        principale_.finestra()->activateWindow();
    }
    aggiornaAmbiti();
}

QString ChiediFileCsv(AppState& state, const QString& titolo, const QString& nome) {
    FileDialogRequest request;
    request.title = titolo;
    request.folder = state.home.dumpDir();
    request.fileName = nome;
    request.filter = QStringLiteral("File CSV (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    request.mustExist = false;
    const QString path = state.ui().chooseFile(request);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return path;
    return state.ui().askYesNo(
               QStringLiteral("Il file %1 esiste già: sostituirlo?").arg(QDir::toNativeSeparators(path)),
               titolo)
               ? path
               : QString();
}

QString NomeFileCsv(const QString& inizio, const QString& testo) {
    // The query's words, without the signs a file name cannot hold.
    QString parole;
    for (const QChar c : testo.simplified())
        parole += (c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_') ? c : QChar(u' ');
    parole = parole.simplified().left(60).trimmed();
    return (parole.isEmpty() ? inizio : inizio + u' ' + parole) + QStringLiteral(".csv");
}

void frmRicerca::cmdEsporta_Click() {
    Dialogs& ui = state_.ui();
    if (modello_->rowCount() == 0)
        return;
    if (totale_ > kEsportazioneGrande &&
        !ui.askYesNo(
            QStringLiteral(
                "Esportare tutti i %1 documenti trovati? L'operazione può richiedere qualche secondo.")
                .arg(totaleLeggibile()),
            kTitolo))
        return;
    const QString path = ChiediFileCsv(state_, QStringLiteral("Esporta risultati"),
                                       NomeFileCsv(QStringLiteral("ricerca"), ultimaRicerca_));
    if (path.isEmpty())
        return;
    QList<RisultatoRicerca> tutti;
    ServizioRicerca& servizio = ServizioRicerca::di(state_);
    const QString testo = ultimaRicerca_;
    const AmbitoRicerca ambito = ultimoAmbito_;
    // An estimated count may be short of the real one: then no limit.
    const int quanti = stimato_ ? INT_MAX : static_cast<int>(std::min<qint64>(totale_, INT_MAX));
    // Every document found, not only the page shown, each with its excerpt.
    if (!inDisparte(QStringLiteral("Esportazione dei risultati in corso..."),
                    [&](Progress& p, const std::atomic<bool>& annullata) {
                        EsitoRicercaCompleta r = servizio.cerca(testo, ambito, quanti, &p, -1, &annullata);
                        tutti = std::move(r.esito.risultati);
                        ScriviCsv(path, CsvFinestraRisultati(tutti));
                    }))
        return;
    ui.message(
        QStringLiteral("%1 documenti esportati in %2").arg(tutti.size()).arg(QDir::toNativeSeparators(path)),
        kTitolo, Buttons::Ok, Icon::Information);
}

bool frmRicerca::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (watched == txtRicerca && (k->key() == Qt::Key_Down || k->key() == Qt::Key_PageDown) &&
            modello_->rowCount() > 0) {
            tblRisultati->setFocus();
            if (!tblRisultati->currentIndex().isValid())
                tblRisultati->selectRow(0);
            return true;
        }
        if (watched == tblRisultati && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            cmdApri_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmRicerca::closeEvent(QCloseEvent* event) {
    // A search running on its thread is stopped first; the window closes when asked again.
    if (lavoro_) {
        lavoro_->annulla();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmRicerca::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    adattaColonne();
}

void frmRicerca::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        aggiornaAmbiti();
    QWidget::changeEvent(event);
}
