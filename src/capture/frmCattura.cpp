#include "capture/frmCattura.h"

#include "store/AppState.h"
#include "store/MessaggiErrore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kTitolo = QStringLiteral("Da indirizzo o DOI");

enum Colonna { ColCampo, ColValore, ColOrigine, ColAttuale };

template <class W> W* crea(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton* pulsante(QWidget* parent, const char* name, const QString& caption) {
    auto* b = crea<QPushButton>(parent, name);
    b->setText(caption);
    b->setAutoDefault(false);
    return b;
}

// A long value in one line of the table; the whole of it in the tooltip.
QTableWidgetItem* cella(const QString& testo) {
    QString breve = testo;
    if (breve.size() > 160)
        breve = breve.left(157) + QStringLiteral("...");
    auto* item = new QTableWidgetItem(breve);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (breve != testo || testo.size() > 60)
        item->setToolTip(testo);
    return item;
}

// The kinds of text an abstract can go into, as the document window's buttons name them.
const QList<std::pair<QString, QString>>& tipiAbstract() {
    static const QList<std::pair<QString, QString>> tipi = {
        {QStringLiteral("1"), QStringLiteral("Riassunto")},
        {QStringLiteral("8"), QStringLiteral("English abstract")},
        {QStringLiteral("2"), QStringLiteral("Sommario")},
        {QStringLiteral("7"), QStringLiteral("In tema di")}};
    return tipi;
}

} // namespace

frmCattura::frmCattura(AppState& state, const CampiDocumento& attuali, QWidget* parent)
    : QDialog(parent), state_(state), attuali_(attuali), risultato_(attuali),
      txtIndirizzo(crea<QLineEdit>(this, "txtIndirizzo")),
      cmdLeggi(pulsante(this, "cmdLeggi", QStringLiteral("&Leggi"))),
      barLettura(crea<QProgressBar>(this, "barLettura")), lblStato(crea<QLabel>(this, "lblStato")),
      cmdAnnulla(pulsante(this, "cmdAnnulla", QStringLiteral("A&nnulla"))),
      tblCampi(crea<QTableWidget>(this, "tblCampi")), cmbRivista(crea<QComboBox>(this, "cmbRivista")),
      cmbTipoAbstract(crea<QComboBox>(this, "cmbTipoAbstract")), lblAvvisi(crea<QLabel>(this, "lblAvvisi")),
      cmdApplica(pulsante(this, "cmdApplica", QStringLiteral("&Applica al documento"))),
      cmdChiudi(pulsante(this, "cmdChiudi", QStringLiteral("&Chiudi"))) {
    setObjectName(QStringLiteral("frmCattura"));
    setWindowTitle(kTitolo);
    setModal(true);
    try {
        elenchi_ = CaricaElenchiCattura(state_);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Gli elenchi delle riviste e delle lingue non sono "
                                             "stati letti: la rivista e la lingua non potranno "
                                             "essere riconosciute."),
                              e),
            kTitolo, Buttons::Ok, Icon::Warning);
    }

    auto* etichetta = new QLabel(QStringLiteral("&Indirizzo della pagina dell'articolo o DOI:"), this);
    etichetta->setBuddy(txtIndirizzo);
    txtIndirizzo->setText(attuali.DocURL.trimmed());
    txtIndirizzo->setPlaceholderText(QStringLiteral("https://... oppure 10.xxxx/..."));
    txtIndirizzo->setClearButtonEnabled(true);
    auto* riga1 = new QHBoxLayout;
    riga1->addWidget(txtIndirizzo, 1);
    riga1->addWidget(cmdLeggi);

    barLettura->setRange(0, 0);
    barLettura->setTextVisible(false);
    barLettura->setMaximumWidth(160);
    lblStato->setWordWrap(true);
    auto* riga2 = new QHBoxLayout;
    riga2->addWidget(barLettura);
    riga2->addWidget(lblStato, 1);
    riga2->addWidget(cmdAnnulla);

    tblCampi->setColumnCount(4);
    tblCampi->setHorizontalHeaderLabels({QStringLiteral("Campo"), QStringLiteral("Valore trovato"),
                                         QStringLiteral("Origine"), QStringLiteral("Nel documento")});
    tblCampi->verticalHeader()->hide();
    tblCampi->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblCampi->setSelectionMode(QAbstractItemView::SingleSelection);
    tblCampi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblCampi->setWordWrap(false);
    tblCampi->setTabKeyNavigation(false);
    QHeaderView* intestazione = tblCampi->horizontalHeader();
    intestazione->setSectionResizeMode(ColCampo, QHeaderView::ResizeToContents);
    intestazione->setSectionResizeMode(ColValore, QHeaderView::Stretch);
    intestazione->setSectionResizeMode(ColOrigine, QHeaderView::Interactive);
    intestazione->setSectionResizeMode(ColAttuale, QHeaderView::Interactive);
    tblCampi->setColumnWidth(ColOrigine, 200);
    tblCampi->setColumnWidth(ColAttuale, 200);

    cmbRivista->addItem(QStringLiteral("(nessuna)"), QString());
    for (const auto& [codice, titolo] : std::as_const(elenchi_.riviste))
        cmbRivista->addItem(codice + QStringLiteral(" - ") + titolo, codice);
    cmbRivista->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbRivista->setMinimumContentsLength(28);
    for (const auto& [tipo, nome] : tipiAbstract())
        cmbTipoAbstract->addItem(nome, tipo);
    auto* etichettaRivista = new QLabel(QStringLiteral("&Rivista:"), this);
    etichettaRivista->setBuddy(cmbRivista);
    auto* etichettaTipo = new QLabel(QStringLiteral("Abs&tract in:"), this);
    etichettaTipo->setBuddy(cmbTipoAbstract);
    auto* riga3 = new QHBoxLayout;
    riga3->addWidget(etichettaRivista);
    riga3->addWidget(cmbRivista, 1);
    riga3->addSpacing(12);
    riga3->addWidget(etichettaTipo);
    riga3->addWidget(cmbTipoAbstract);

    lblAvvisi->setWordWrap(true);
    lblAvvisi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* spiegazione = new QLabel(
        QStringLiteral(
            "Spuntati i campi vuoti del documento: un campo già compilato è sostituito solo se lo si "
            "spunta (Spazio). Il documento si salva poi come sempre."),
        this);
    spiegazione->setWordWrap(true);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(spiegazione, 1);
    comandi->addWidget(cmdApplica);
    comandi->addWidget(cmdChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(etichetta);
    layout->addLayout(riga1);
    layout->addLayout(riga2);
    layout->addWidget(tblCampi, 1);
    layout->addLayout(riga3);
    layout->addWidget(lblAvvisi);
    layout->addLayout(comandi);
    resize(960, 640);

    connect(cmdLeggi, &QPushButton::clicked, this, &frmCattura::cmdLeggi_Click);
    connect(txtIndirizzo, &QLineEdit::returnPressed, this, &frmCattura::cmdLeggi_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, [this] {
        if (cattura_)
            cattura_->annulla();
    });
    connect(cmdApplica, &QPushButton::clicked, this, &frmCattura::cmdApplica_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &frmCattura::reject);
    connect(cmbRivista, &QComboBox::currentIndexChanged, this, &frmCattura::aggiornaRivista);
    connect(cmbTipoAbstract, &QComboBox::currentIndexChanged, this, &frmCattura::aggiornaAbstract);

    inLettura(false);
    lblStato->setText(
        QStringLiteral("Incollare l'indirizzo della pagina dell'articolo o il suo DOI, poi Leggi."));
    txtIndirizzo->setFocus();
    txtIndirizzo->selectAll();
}

frmCattura::~frmCattura() = default;

void frmCattura::inLettura(bool lettura) {
    txtIndirizzo->setEnabled(!lettura);
    cmdLeggi->setEnabled(!lettura);
    barLettura->setVisible(lettura);
    cmdAnnulla->setVisible(lettura);
    cmdAnnulla->setEnabled(lettura);
    const bool letti = !proposte_.proposte.isEmpty();
    cmdApplica->setEnabled(!lettura && letti);
    tblCampi->setEnabled(!lettura);
    cmbRivista->setEnabled(!lettura && letti && proposte_.proposta(CampoDocumento::Rivista));
    cmbTipoAbstract->setEnabled(!lettura && letti && proposte_.proposta(CampoDocumento::Abstract));
    cmdLeggi->setDefault(!lettura && !letti);
    cmdApplica->setDefault(!lettura && letti);
}

void frmCattura::cmdLeggi_Click() {
    if (cattura_ && cattura_->inCorso())
        return;
    const IndirizzoCattura indirizzo = InterpretaIndirizzo(txtIndirizzo->text());
    if (indirizzo.tipo == IndirizzoCattura::Tipo::NonValido) {
        state_.ui().message(indirizzo.errore, kTitolo, Buttons::Ok, Icon::Warning);
        txtIndirizzo->setFocus();
        return;
    }
    if (!cattura_)
        cattura_ = std::make_unique<Cattura>(OpzioniCattura::da(state_.settings));
    inLettura(true);
    cmdAnnulla->setFocus();
    cattura_->avvia(
        indirizzo, [this](const QString& passo) { lblStato->setText(passo); },
        [this](const EsitoCattura& esito) {
            // Handled once the reading's own calls are over: a box shown here would run the
            // event loop inside them.
            QTimer::singleShot(0, this, [this, esito] { letto(esito); });
        });
}

void frmCattura::letto(const EsitoCattura& esito) {
    if (!esito.letto) {
        lblStato->setText(esito.errore.section(u'\n', 0, 0));
        inLettura(false);
        if (esito.errore != QStringLiteral("Lettura annullata."))
            state_.ui().message(esito.errore, kTitolo, Buttons::Ok, Icon::Warning);
        txtIndirizzo->setFocus();
        return;
    }
    proposte_ = Proponi(esito.metadati, attuali_, elenchi_);
    lblStato->setText(
        QStringLiteral("Letto. Controllare i valori, spuntare quelli da scrivere nel documento e "
                       "premere Applica."));
    avvisiLettura_ = esito.avvisi;
    mostraProposte();
    aggiornaAvvisi();
    inLettura(false);
    tblCampi->setFocus();
    if (tblCampi->rowCount() > 0)
        tblCampi->setCurrentCell(0, ColCampo);
}

void frmCattura::mostraProposte() {
    const QSignalBlocker bloccoRivista(cmbRivista);
    const QSignalBlocker bloccoTipo(cmbTipoAbstract);
    tblCampi->setRowCount(0);
    tblCampi->setRowCount(static_cast<int>(proposte_.proposte.size()));
    for (int i = 0; i < proposte_.proposte.size(); ++i) {
        const Proposta& p = proposte_.proposte.at(i);
        auto* campo = new QTableWidgetItem(p.etichetta);
        campo->setData(Qt::UserRole, static_cast<int>(p.campo));
        campo->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                        (p.applicabile && !p.uguale ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
        campo->setCheckState(p.spuntata ? Qt::Checked : Qt::Unchecked);
        tblCampi->setItem(i, ColCampo, campo);
        QTableWidgetItem* valore = cella(p.valore);
        if (!p.nota.isEmpty())
            valore->setToolTip(p.valore + QStringLiteral("\n\n") + p.nota);
        if (!p.applicabile)
            valore->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        tblCampi->setItem(i, ColValore, valore);
        tblCampi->setItem(i, ColOrigine, cella(p.origine));
        tblCampi->setItem(i, ColAttuale,
                          cella(p.uguale              ? QStringLiteral("(uguale)")
                                : p.attuale.isEmpty() ? QStringLiteral("(vuoto)")
                                                      : p.attuale));
    }
    const int rivista = cmbRivista->findData(proposte_.CPer);
    cmbRivista->setCurrentIndex(rivista < 0 ? 0 : rivista);
    const int tipo = cmbTipoAbstract->findData(proposte_.tipoAbstract);
    cmbTipoAbstract->setCurrentIndex(tipo < 0 ? 0 : tipo);
}

int frmCattura::riga(CampoDocumento campo) const {
    for (int i = 0; i < tblCampi->rowCount(); ++i)
        if (tblCampi->item(i, ColCampo)->data(Qt::UserRole).toInt() == static_cast<int>(campo))
            return i;
    return -1;
}

QString frmCattura::rivistaScelta() const {
    return cmbRivista->currentData().toString();
}

QString frmCattura::tipoAbstractScelto() const {
    return cmbTipoAbstract->currentData().toString();
}

// The journal chosen by the operator: the row says it, and the pages are written for it.
void frmCattura::aggiornaRivista() {
    const int r = riga(CampoDocumento::Rivista);
    if (r < 0)
        return;
    const QString CPer = rivistaScelta();
    QTableWidgetItem* campo = tblCampi->item(r, ColCampo);
    const bool uguale = !CPer.isEmpty() && CPer == attuali_.CPer;
    campo->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                    (!CPer.isEmpty() && !uguale ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    campo->setCheckState(!CPer.isEmpty() && !uguale && (attuali_.CPer.isEmpty() || CPer != proposte_.CPer)
                             ? Qt::Checked
                             : Qt::Unchecked);
    tblCampi->item(r, ColValore)
        ->setText(CPer.isEmpty() ? proposte_.proposta(CampoDocumento::Rivista)->valore
                                 : cmbRivista->currentText());
    tblCampi->item(r, ColValore)
        ->setForeground(
            palette().brush(CPer.isEmpty() ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    tblCampi->item(r, ColAttuale)
        ->setText(uguale ? QStringLiteral("(uguale)") : tblCampi->item(r, ColAttuale)->text());
    aggiornaAvvisi();
    if (const int p = riga(CampoDocumento::Pagine); p >= 0 && !CPer.isEmpty()) {
        const QString pagine = PagineDocumento(proposte_.primaPagina, proposte_.ultimaPagina, CPer);
        if (!pagine.isEmpty())
            tblCampi->item(p, ColValore)->setText(pagine);
    }
}

// What was read only in part, and why a value cannot go into the document as it is; a journal the
// operator has chosen is no longer missing.
void frmCattura::aggiornaAvvisi() {
    QStringList avvisi = avvisiLettura_;
    for (const Proposta& p : std::as_const(proposte_.proposte))
        if (!p.nota.isEmpty() && !p.applicabile &&
            !(p.campo == CampoDocumento::Rivista && !rivistaScelta().isEmpty()))
            avvisi << QStringLiteral("%1: %2").arg(p.etichetta, p.nota);
    lblAvvisi->setText(avvisi.join(u'\n'));
}

// The abstract's kind chosen: the row shows that text of the document, ticked when it is empty.
void frmCattura::aggiornaAbstract() {
    const int r = riga(CampoDocumento::Abstract);
    if (r < 0)
        return;
    const QString attuale = attuali_.Testi.value(tipoAbstractScelto()).trimmed();
    tblCampi->item(r, ColAttuale)->setText(attuale.isEmpty() ? QStringLiteral("(vuoto)") : attuale.left(160));
    tblCampi->item(r, ColCampo)->setCheckState(attuale.isEmpty() ? Qt::Checked : Qt::Unchecked);
}

void frmCattura::cmdApplica_Click() {
    QList<CampoDocumento> spuntate;
    for (int i = 0; i < tblCampi->rowCount(); ++i) {
        const QTableWidgetItem* campo = tblCampi->item(i, ColCampo);
        if ((campo->flags() & Qt::ItemIsUserCheckable) && campo->checkState() == Qt::Checked)
            spuntate << static_cast<CampoDocumento>(campo->data(Qt::UserRole).toInt());
    }
    if (spuntate.isEmpty()) {
        state_.ui().message(
            QStringLiteral("Nessun campo spuntato: il documento resta com'è. Spuntare i campi da "
                           "scrivere, o Chiudi."),
            kTitolo, Buttons::Ok, Icon::Information);
        return;
    }
    const QString CPer = rivistaScelta();
    risultato_ = Applica(proposte_, spuntate, CPer, tipoAbstractScelto(), attuali_, elenchi_);
    // A journal the operator chose for ISSNs the centre's list lacked is known the next time.
    if (spuntate.contains(CampoDocumento::Rivista) && !CPer.isEmpty() && CPer != proposte_.CPer &&
        !proposte_.issn.isEmpty()) {
        QString errore;
        if (!RicordaIssn(state_.home, proposte_.issn, CPer, &errore))
            state_.ui().message(
                QStringLiteral("La rivista scelta è stata scritta nel documento, ma l'ISSN non è "
                               "stato registrato in quillaro.ini per le prossime volte.\n%1")
                    .arg(errore),
                kTitolo, Buttons::Ok, Icon::Warning);
    }
    accept();
}

void frmCattura::reject() {
    // Esc while reading stops the reading; the dialog stays for another address.
    if (cattura_ && cattura_->inCorso()) {
        cattura_->annulla();
        return;
    }
    QDialog::reject();
}
