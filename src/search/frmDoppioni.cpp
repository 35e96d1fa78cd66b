#include "search/frmDoppioni.h"
#include "store/AppState.h"
#include "ui/qt/FinestraPrincipale.h"

#include "search/FormatiRicerca.h"
#include "search/ProgressoAlBisogno.h"
#include "search/ServizioRicerca.h"
#include "search/frmRicerca.h"
#include "store/MessaggiErrore.h"
#include "store/TextOutput.h"
#include "ui/qt/ChiusuraMdi.h"

#include <QButtonGroup>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kTitolo = QStringLiteral("Possibili doppioni");

QString paragrafo(const QString& etichetta, const QString& testo) {
    if (testo.trimmed().isEmpty())
        return {};
    QString html = htmlEscape(testo, false);
    html.replace(u'\n', QStringLiteral("<br>"));
    return QStringLiteral("<p><b>%1:</b> %2</p>").arg(etichetta, html);
}

QString schedaHtml(const std::optional<SchedaIndice>& s) {
    if (!s)
        return QStringLiteral("<p>Il documento non è più nell'indice: ripetere la ricerca.</p>");
    QString html = QStringLiteral("<h3>%1 - documento %2 (%3)</h3>")
                       .arg(htmlEscape(s->archivio, false))
                       .arg(s->numero)
                       .arg(htmlEscape(s->identificativo, false));
    html += paragrafo(QStringLiteral("Riferimento"), s->riferimento);
    html += paragrafo(QStringLiteral("Titolo"), s->titolo);
    html += paragrafo(QStringLiteral("Autori"), s->autori);
    html += paragrafo(QStringLiteral("Fonti"), s->fonti);
    html += paragrafo(QStringLiteral("Classificazione"), s->classi);
    html += paragrafo(QStringLiteral("Testi"), s->testi);
    return html;
}

} // namespace

void ModelloDoppioni::imposta(QList<CoppiaDoppioni> coppie) {
    beginResetModel();
    coppie_ = std::move(coppie);
    endResetModel();
}

int ModelloDoppioni::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(coppie_.size());
}

int ModelloDoppioni::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : NumeroColonne;
}

QVariant ModelloDoppioni::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= coppie_.size())
        return {};
    const CoppiaDoppioni& c = coppie_.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case Archivio1:
            return c.primo->archivio;
        case Numero1:
            return QString::number(c.primo->numero);
        case Identificativo1:
            return c.primo->identificativo;
        case Archivio2:
            return c.secondo->archivio;
        case Numero2:
            return QString::number(c.secondo->numero);
        case Identificativo2:
            return c.secondo->identificativo;
        case Motivo:
            return c.motivo;
        case Titolo:
            return role == Qt::DisplayRole ? SuUnaRiga(c.primo->titolo) : c.primo->titolo;
        default:
            break;
        }
    }
    if (role == Qt::TextAlignmentRole && (index.column() == Numero1 || index.column() == Numero2))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ModelloDoppioni::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titoli[] = {"Archivio", "Numero",         "Identificativo", "Archivio",
                                         "Numero",   "Identificativo", "Motivo",         "Titolo"};
    return section >= 0 && section < NumeroColonne ? QString::fromUtf8(titoli[section]) : QVariant();
}

// ---------------------------------------------------------------------------------------------

frmDoppioni::frmDoppioni(AppState& state, FinestraPrincipale& principale)
    : QWidget(principale.finestra(), Qt::Window), state_(state), principale_(principale) {
    setObjectName(QStringLiteral("frmDoppioni"));
    setWindowTitle(kTitolo);
    setAttribute(Qt::WA_DeleteOnClose);
    // Nothing here is lost by closing: the results are a search away.
    escChiude(this);

    auto* dove = new QGroupBox(QStringLiteral("Documenti da confrontare"), this);
    optArchivio = new QRadioButton(QStringLiteral("&Questo archivio, con tutti gli archivi di mdb"), dove);
    optArchivio->setObjectName(QStringLiteral("optArchivio"));
    optTutti = new QRadioButton(QStringLiteral("&Tutti gli archivi di mdb fra loro"), dove);
    optTutti->setObjectName(QStringLiteral("optTutti"));
    auto* gruppo = new QButtonGroup(this);
    gruppo->addButton(optArchivio);
    gruppo->addButton(optTutti);
    cmdCerca = new QPushButton(QStringLiteral("&Cerca doppioni"), dove);
    cmdCerca->setObjectName(QStringLiteral("cmdCerca"));
    auto* doveLayout = new QHBoxLayout(dove);
    doveLayout->addWidget(optArchivio);
    doveLayout->addWidget(optTutti);
    doveLayout->addStretch();
    doveLayout->addWidget(cmdCerca);

    modello_ = new ModelloDoppioni(this);
    tblCoppie = new QTableView(this);
    tblCoppie->setObjectName(QStringLiteral("tblCoppie"));
    tblCoppie->setModel(modello_);
    tblCoppie->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblCoppie->setSelectionMode(QAbstractItemView::SingleSelection);
    tblCoppie->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblCoppie->setAlternatingRowColors(true);
    tblCoppie->setWordWrap(false);
    tblCoppie->setTabKeyNavigation(false);
    tblCoppie->verticalHeader()->hide();
    tblCoppie->verticalHeader()->setDefaultSectionSize(tblCoppie->fontMetrics().height() + 6);
    tblCoppie->horizontalHeader()->setStretchLastSection(true);
    adattaColonne();

    txtPrimo = new QTextBrowser(this);
    txtPrimo->setObjectName(QStringLiteral("txtPrimo"));
    txtSecondo = new QTextBrowser(this);
    txtSecondo->setObjectName(QStringLiteral("txtSecondo"));
    auto* confronto = new QSplitter(Qt::Horizontal, this);
    confronto->addWidget(txtPrimo);
    confronto->addWidget(txtSecondo);
    auto* verticale = new QSplitter(Qt::Vertical, this);
    verticale->addWidget(tblCoppie);
    verticale->addWidget(confronto);
    verticale->setStretchFactor(0, 1);
    verticale->setStretchFactor(1, 1);

    lblEsito = new QLabel(
        QStringLiteral("Scegliere quali documenti confrontare e premere \"Cerca doppioni\"."), this);
    lblEsito->setObjectName(QStringLiteral("lblEsito"));
    cmdApriPrimo = new QPushButton(QStringLiteral("Apri documento &1"), this);
    cmdApriPrimo->setObjectName(QStringLiteral("cmdApriPrimo"));
    cmdApriSecondo = new QPushButton(QStringLiteral("Apri documento &2"), this);
    cmdApriSecondo->setObjectName(QStringLiteral("cmdApriSecondo"));
    cmdEsporta = new QPushButton(QStringLiteral("&Esporta CSV..."), this);
    cmdEsporta->setObjectName(QStringLiteral("cmdEsporta"));
    cmdChiudi = new QPushButton(QStringLiteral("C&hiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton* b : {cmdCerca, cmdApriPrimo, cmdApriSecondo, cmdEsporta, cmdChiudi})
        b->setAutoDefault(false);
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(lblEsito, 1);
    comandi->addWidget(cmdApriPrimo);
    comandi->addWidget(cmdApriSecondo);
    comandi->addWidget(cmdEsporta);
    comandi->addWidget(cmdChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dove);
    layout->addWidget(verticale, 1);
    layout->addLayout(comandi);

    resize(1000, 640); // bounded by the screen where the main window places it

    connect(cmdCerca, &QPushButton::clicked, this, &frmDoppioni::cmdCerca_Click);
    connect(cmdApriPrimo, &QPushButton::clicked, this, &frmDoppioni::cmdApriPrimo_Click);
    connect(cmdApriSecondo, &QPushButton::clicked, this, &frmDoppioni::cmdApriSecondo_Click);
    connect(cmdEsporta, &QPushButton::clicked, this, &frmDoppioni::cmdEsporta_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(tblCoppie->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &frmDoppioni::mostraCoppia);
    connect(tblCoppie, &QTableView::doubleClicked, this, &frmDoppioni::mostraCoppia);
    tblCoppie->installEventFilter(this);

    aggiornaAmbiti();
    if (optArchivio->isEnabled())
        optArchivio->setChecked(true);
    else
        optTutti->setChecked(true);
    mostraCoppia();
}

void frmDoppioni::adattaColonne() {
    for (int c = ModelloDoppioni::Archivio1; c < ModelloDoppioni::Titolo; ++c)
        tblCoppie->resizeColumnToContents(c);
    tblCoppie->setColumnWidth(
        ModelloDoppioni::Motivo,
        std::max(tblCoppie->columnWidth(ModelloDoppioni::Motivo),
                 tblCoppie->fontMetrics().horizontalAdvance(QStringLiteral("titolo simile 99 %")) + 16));
}

void frmDoppioni::aggiornaAmbiti() {
    const bool aperto = state_.ArchivioAperto;
    optArchivio->setEnabled(aperto);
    optArchivio->setText(aperto ? QStringLiteral("&Questo archivio (%1), con tutti gli archivi di mdb")
                                      .arg(NomeArchivioIndice(state_.NomeArchivio))
                                : QStringLiteral("&Questo archivio, con tutti gli archivi di mdb"));
    if (!aperto && optArchivio->isChecked())
        optTutti->setChecked(true);
}

void frmDoppioni::cmdCerca_Click() {
    Dialogs& ui = state_.ui();
    aggiornaAmbiti();
    std::optional<QString> archivio;
    if (optArchivio->isChecked())
        archivio = state_.NomeArchivio;
    QElapsedTimer orologio;
    orologio.start();
    EsitoDoppioni r;
    ServizioRicerca& servizio = ServizioRicerca::di(state_);
    if (servizio.occupato()) {
        ui.message(QStringLiteral("È in corso una ricerca: attendere che finisca, poi cercare i doppioni."),
                   kTitolo, Buttons::Ok, Icon::Information);
        return;
    }
    ui.setBusy(true);
    try {
        ProgressoAlBisogno progresso(ui, QStringLiteral("Aggiornamento dell'indice di ricerca"));
        r = servizio.doppioni(archivio, &progresso);
    } catch (const DbError& e) {
        ui.setBusy(false);
        ui.message(MessaggioErroreIndice(QStringLiteral("La ricerca dei doppioni non è stata eseguita."), e,
                                         servizio.indice().percorso()),
                   kTitolo, Buttons::Ok, Icon::Critical);
        return;
    } catch (const std::exception& e) {
        ui.setBusy(false);
        ui.message(QStringLiteral("La ricerca dei doppioni non è stata eseguita: %1")
                       .arg(QString::fromStdString(e.what())),
                   kTitolo, Buttons::Ok, Icon::Critical);
        return;
    }
    ui.setBusy(false);
    const qsizetype n = r.coppie.size();
    modello_->imposta(std::move(r.coppie));
    adattaColonne();
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const QString tempo = it.toString(static_cast<double>(orologio.elapsed()) / 1000.0, 'f', 1);
    lblEsito->setText(n == 0 ? QStringLiteral("Nessun possibile doppione (%1 s).").arg(tempo)
                             : QStringLiteral("%1 %2 (%3 s)")
                                   .arg(it.toString(n),
                                        n == 1 ? QStringLiteral("coppia di possibili doppioni")
                                               : QStringLiteral("coppie di possibili doppioni"),
                                        tempo));
    if (n > 0)
        tblCoppie->selectRow(0);
    mostraCoppia();
    for (const QString& avviso : r.avvisi)
        ui.message(avviso, kTitolo, Buttons::Ok, Icon::Warning);
    tblCoppie->setFocus();
}

void frmDoppioni::mostraCoppia() {
    const int riga = tblCoppie->currentIndex().row();
    const bool scelta = riga >= 0 && riga < modello_->rowCount();
    cmdApriPrimo->setEnabled(scelta);
    cmdApriSecondo->setEnabled(scelta);
    cmdEsporta->setEnabled(modello_->rowCount() > 0);
    if (!scelta) {
        txtPrimo->clear();
        txtSecondo->clear();
        return;
    }
    const CoppiaDoppioni& c = modello_->coppie().at(riga);
    ServizioRicerca& servizio = ServizioRicerca::di(state_);
    try {
        const auto primo = servizio.schedaSeLibera(c.primo->id);
        const auto secondo = servizio.schedaSeLibera(c.secondo->id);
        if (!primo || !secondo) {
            txtPrimo->setPlainText(
                QStringLiteral("È in corso una ricerca: il documento si vedrà al termine."));
            txtSecondo->clear();
            return;
        }
        txtPrimo->setHtml(schedaHtml(*primo));
        txtSecondo->setHtml(schedaHtml(*secondo));
    } catch (const DbError& e) {
        txtPrimo->setPlainText(MessaggioErroreDb(QStringLiteral("Il documento non si può mostrare."), e));
        txtSecondo->clear();
    }
}

void frmDoppioni::apri(bool primo) {
    const int riga = tblCoppie->currentIndex().row();
    if (riga < 0 || riga >= modello_->rowCount())
        return;
    const CoppiaDoppioni c = modello_->coppie().at(riga);
    const DocumentoDoppione& d = primo ? *c.primo : *c.secondo;
    if (principale_.apriDocumentoDi(d.percorso, d.numero)) {
        principale_.finestra()->raise();
        principale_.finestra()->activateWindow();
    }
    aggiornaAmbiti();
}

void frmDoppioni::cmdApriPrimo_Click() {
    apri(true);
}

void frmDoppioni::cmdApriSecondo_Click() {
    apri(false);
}

void frmDoppioni::cmdEsporta_Click() {
    Dialogs& ui = state_.ui();
    if (modello_->rowCount() == 0)
        return;
    const QString path = ChiediFileCsv(
        state_, QStringLiteral("Esporta possibili doppioni"),
        optArchivio->isChecked() && state_.ArchivioAperto
            ? NomeFileCsv(QStringLiteral("doppioni"), NomeArchivioIndice(state_.NomeArchivio))
            : QStringLiteral("doppioni.csv"));
    if (path.isEmpty())
        return;
    const QList<CoppiaDoppioni>& coppie = modello_->coppie();
    try {
        ScriviCsv(path, CsvFinestraDoppioni(coppie));
    } catch (const std::exception& e) {
        ui.message(QStringLiteral("L'elenco non è stato esportato: %1").arg(QString::fromStdString(e.what())),
                   kTitolo, Buttons::Ok, Icon::Critical);
        return;
    }
    ui.message(
        QStringLiteral("%1 coppie esportate in %2").arg(coppie.size()).arg(QDir::toNativeSeparators(path)),
        kTitolo, Buttons::Ok, Icon::Information);
}

bool frmDoppioni::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tblCoppie && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            mostraCoppia();
            txtPrimo->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmDoppioni::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        aggiornaAmbiti();
    QWidget::changeEvent(event);
}
