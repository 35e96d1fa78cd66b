#include "documents/frmDocumento.h"

#include "capture/frmCattura.h"
#include "classification/frmClassificazione.h"
#include "classification/mdlClasse.h"
#include "documents/CatturaDocumento.h"
#include "documents/ControlliDocumento.h"
#include "documents/Responsabilita.h"
#include "documents/SalvaDocumento.h"
#include "documents/Testi.h"
#include "documents/frmAltriTesti.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/frmResponsabilita.h"
#include "documents/frmTesti.h"
#include "documents/mdlDocumenti.h"
#include "sources/IdentificativiUfficiali.h"
#include "sources/frmAltreFonti.h"
#include "sources/frmFontiDalTesto.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmTipologiaFonte.h"
#include "store/MessaggiErrore.h"
#include "ui/qt/ArchiveBinding.h"
#include "ui/qt/ChiusuraMdi.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kAttenzione = QStringLiteral("Attenzione!");

// Frames hold their controls closely: the window has to fit a 1024x768 screen.
const QMargins kMarginiCornice(6, 2, 6, 4);

template <class W> W* crea(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton* pulsante(QWidget* parent, const char* name, const QString& caption, const QString& tooltip) {
    auto* b = crea<QPushButton>(parent, name);
    b->setText(caption);
    b->setToolTip(tooltip);
    b->setAutoDefault(false);
    return b;
}

QToolButton* pulsanteImmagine(QWidget* parent, const char* name, const QString& tooltip) {
    auto* b = crea<QToolButton>(parent, name);
    b->setToolTip(tooltip);
    b->setIconSize(QSize(32, 32));
    b->setAutoRaise(false);
    return b;
}

// A control with its caption above it.
QVBoxLayout* conEtichetta(const QString& caption, QWidget* control) {
    auto* box = new QVBoxLayout;
    box->setSpacing(2);
    // Fields of a row stand on one line whatever frames are beside them.
    box->addStretch();
    auto* label = new QLabel(caption);
    label->setBuddy(control);
    box->addWidget(label);
    box->addWidget(control);
    return box;
}

QList<int> righeSelezionate(const QListWidget* list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows << i;
    return rows;
}

} // namespace

QIcon immagineDaCartella(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QIcon(QPixmap(dir.filePath(entry)));
    return {};
}

frmDocumento::frmDocumento(AppState& state, bool nuovo, qint64 IDDoc, QWidget* parent)
    : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("frmDocumento"));
    setWindowTitle(QStringLiteral("Documento"));
    ArchiveBinding::bind(this, state_);
    creaControlli();
    aggiornaImmagini();
    riempiCombo();
    if (!nuovo) {
        DocumentBuffer b = buffer_;
        DatiDocumento d = leggiDati();
        d.txtID = QString::number(IDDoc);
        if (carica(IDDoc, b, d)) {
            buffer_ = std::move(b);
            mostraDati(d);
            modoEsistente();
            segnaSalvato();
            return;
        }
    }
    // A new document, or one that could not be loaded: the window starts empty.
    nuovoDocumento();
}

frmDocumento::~frmDocumento() {
    // The list goes with the children, after the buffer: its last signals must find no one.
    disconnect(lstFonte->model(), nullptr, this, nullptr);
    disconnect(lstFonte, nullptr, this, nullptr);
}

void frmDocumento::creaControlli() {
    txtID = crea<QLineEdit>(this, "txtID");
    txtAnnoPr = crea<QLineEdit>(this, "txtAnnoPr");
    txtAnnoPr->setReadOnly(true);
    cmbCPer = crea<QComboBox>(this, "cmbCPer");
    txtRivistaOnline = crea<QLineEdit>(this, "txtRivistaOnline");
    txtRivistaOnline->setReadOnly(true);
    // Shown, not typed: Tab goes from the journal code straight to the date.
    for (QLineEdit* e : {txtAnnoPr, txtRivistaOnline})
        e->setFocusPolicy(Qt::ClickFocus);
    cmbGG = crea<QComboBox>(this, "cmbGG");
    cmbMM = crea<QComboBox>(this, "cmbMM");
    cmbAA = crea<QComboBox>(this, "cmbAA");
    txtFascicolo = crea<QLineEdit>(this, "txtFascicolo");
    txtVolume = crea<QLineEdit>(this, "txtVolume");
    txtAnnata = crea<QLineEdit>(this, "txtAnnata");
    txtPagine = crea<QLineEdit>(this, "txtPagine");
    txtDocURL = crea<QLineEdit>(this, "txtDocURL");
    cmdCattura =
        pulsante(this, "cmdCattura", QStringLiteral("Da &indirizzo o DOI..."),
                 QStringLiteral("Compila il documento dalla pagina dell'articolo o dal suo DOI (Alt+I)"));
    ComboTD = crea<QComboBox>(this, "ComboTD");
    ComboTAbs = crea<QComboBox>(this, "ComboTAbs");
    ComboBib = crea<QComboBox>(this, "ComboBib");
    ComboLIN = crea<QComboBox>(this, "ComboLIN");
    txtTitolo = crea<QPlainTextEdit>(this, "txtTitolo");
    txtNota = crea<QPlainTextEdit>(this, "txtNota");
    for (QPlainTextEdit* t : {txtTitolo, txtNota}) {
        t->setTabChangesFocus(true);
        t->setMinimumHeight(44);
    }
    txtTitolo->setMaximumHeight(70);
    txtNota->setMaximumHeight(56);
    for (QComboBox* c : {cmbGG, cmbMM, cmbAA, cmbCPer, ComboTD, ComboTAbs, ComboBib, ComboLIN})
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbGG->setMinimumContentsLength(6);
    cmbMM->setMinimumContentsLength(9);
    cmbAA->setMinimumContentsLength(5);
    cmbCPer->setMinimumContentsLength(8);
    ComboTD->setMinimumContentsLength(18);
    ComboTAbs->setMinimumContentsLength(22);
    ComboBib->setMinimumContentsLength(16);
    ComboLIN->setMinimumContentsLength(12);
    txtID->setMaximumWidth(90);
    txtAnnoPr->setMaximumWidth(90);
    for (QLineEdit* e : {txtFascicolo, txtVolume, txtAnnata})
        e->setMaximumWidth(90);
    txtPagine->setMaximumWidth(120);

    const QString nuovo = QStringLiteral("Inserisci nuovo"), edita = QStringLiteral("Edita corrente"),
                  elimina = QStringLiteral("Elimina corrente");
    lstResponsabilita = crea<QListWidget>(this, "lstResponsabilita");
    cmdResponsabilitaN = pulsante(this, "cmdResponsabilitaN", QStringLiteral("Nuovo"), nuovo);
    cmdResponsabilitaM = pulsante(this, "cmdResponsabilitaM", QStringLiteral("Edita"), edita);
    cmdResponsabilitaD = pulsante(this, "cmdResponsabilitaD", QStringLiteral("Elimina"), elimina);
    lstClassificazione = crea<QListWidget>(this, "lstClassificazione");
    cmdClasseN = pulsante(this, "cmdClasseN", QStringLiteral("Nuovo"), nuovo);
    cmdClasseM = pulsante(this, "cmdClasseM", QStringLiteral("Edita"), edita);
    cmdClasseD = pulsante(this, "cmdClasseD", QStringLiteral("Elimina"), elimina);
    lstFonte = crea<QListWidget>(this, "lstFonte");
    cmdFonteN = pulsante(this, "cmdFonteN", QStringLiteral("Nuovo"), nuovo);
    cmdFonteM = pulsante(this, "cmdFonteM", QStringLiteral("Edita"), edita);
    cmdFonteD = pulsante(this, "cmdFonteD", QStringLiteral("Elimina"), elimina);
    cmdFonteT = pulsante(this, "cmdFonteT", QStringLiteral("In nota"), edita);
    cmdFonteUfficiale =
        pulsante(this, "cmdFonteUfficiale", QStringLiteral("Apri &testo ufficiale"),
                 QStringLiteral("Apre nel browser il testo ufficiale della fonte corrente (Alt+T)"));
    cmdFontiDalTesto = pulsante(this, "cmdFontiDalTesto", QStringLiteral("Fonti dal testo..."),
                                QStringLiteral("Propone le fonti citate nei testi del documento (Ctrl+F9)"));
    for (QListWidget* l : {lstResponsabilita, lstClassificazione, lstFonte}) {
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
        l->setMinimumHeight(90);
    }

    cmdRiassunto = pulsanteImmagine(this, "cmdRiassunto", QStringLiteral("Edita Riassunto"));
    cmdSommario = pulsanteImmagine(this, "cmdSommario", QStringLiteral("Edita Sommario"));
    cmdInTemaDi = pulsanteImmagine(this, "cmdInTemaDi", QStringLiteral("Edita In tema di"));
    cmdEnglishAbstract = pulsanteImmagine(this, "cmdEnglishAbstract", QStringLiteral("Edita In tema di"));
    cmdTraduzione = pulsanteImmagine(this, "cmdTraduzione", QStringLiteral("Edita traduzione"));
    cmdNotaDoc = pulsanteImmagine(this, "cmdNotaDoc", QStringLiteral("Nota al documento"));
    cmdCancellaNotaCompilatore =
        pulsante(this, "cmdCancellaNotaCompilatore", QStringLiteral("&Cancella nota"), QString());

    cmdSalva = pulsante(this, "cmdSalva", QStringLiteral("&Salva"), QStringLiteral("Salva senza uscire"));
    cmdNew = pulsante(this, "cmdNew", QStringLiteral("Nuovo"),
                      QStringLiteral("Nuovo documento ed eventuale salvataggio"));
    cmdDuplica =
        pulsante(this, "cmdDuplica", QStringLiteral("Duplica"), QStringLiteral("Duplica documento corrente"));
    cmdIndietro =
        pulsante(this, "cmdIndietro", QStringLiteral("<<"), QStringLiteral("Indietro senza salvare"));
    cmdAvanti = pulsante(this, "cmdAvanti", QStringLiteral(">>"), QStringLiteral("Avanti senza salvare"));
    cmdAbbandona =
        pulsante(this, "cmdAbbandona", QStringLiteral("&Abbandona"), QStringLiteral("Esce senza salvare"));
    cmdEsci = pulsante(this, "cmdEsci", QStringLiteral("&Esci"),
                       QStringLiteral("Esce e chiede se si vuole salvare"));

    // Reference and codes.
    auto* riga1 = new QHBoxLayout;
    riga1->addLayout(conEtichetta(QStringLiteral("ID Documento"), txtID));
    riga1->addLayout(conEtichetta(QStringLiteral("Anno produzione"), txtAnnoPr));
    riga1->addLayout(conEtichetta(QStringLiteral("CPer"), cmbCPer));
    riga1->addLayout(conEtichetta(QStringLiteral("Titolo rivista online"), txtRivistaOnline), 1);

    auto* data = crea<QGroupBox>(this, "FrameData");
    data->setTitle(QStringLiteral("Data di pubblicazione "));
    auto* dataLayout = new QHBoxLayout(data);
    dataLayout->setContentsMargins(kMarginiCornice);
    dataLayout->addLayout(conEtichetta(QStringLiteral("Giorno"), cmbGG));
    dataLayout->addLayout(conEtichetta(QStringLiteral("Mese"), cmbMM));
    dataLayout->addLayout(conEtichetta(QStringLiteral("Anno"), cmbAA));
    auto* riga2 = new QHBoxLayout;
    riga2->addWidget(data);
    riga2->addLayout(conEtichetta(QStringLiteral("Fascicolo"), txtFascicolo));
    riga2->addLayout(conEtichetta(QStringLiteral("Volume"), txtVolume));
    riga2->addLayout(conEtichetta(QStringLiteral("Annata"), txtAnnata));
    riga2->addLayout(conEtichetta(QStringLiteral("Pagine"), txtPagine));
    riga2->addLayout(conEtichetta(QStringLiteral("URL documento"), txtDocURL), 1);

    auto* lingua = crea<QGroupBox>(this, "FrameLingua");
    lingua->setTitle(QStringLiteral("Lingua documento"));
    auto* linguaLayout = new QHBoxLayout(lingua);
    linguaLayout->setContentsMargins(kMarginiCornice);
    linguaLayout->addWidget(ComboLIN);
    linguaLayout->addWidget(new QLabel(QStringLiteral(" (default 00 = italiano)")));
    // The descriptions of the document and abstract types are long: with the bibliography and the
    // language on the same line they would be cut at 1024 pixels.
    auto* riga3 = new QHBoxLayout;
    riga3->addWidget(ComboTD);
    riga3->addSpacing(12);
    auto* etichettaTAbs = new QLabel(QStringLiteral("TAbs"));
    etichettaTAbs->setBuddy(ComboTAbs);
    riga3->addWidget(etichettaTAbs);
    riga3->addWidget(ComboTAbs);
    riga3->addStretch();
    // Under the URL field: beside it, the field would be too narrow at 1024x768.
    riga3->addWidget(cmdCattura);
    auto* riga4 = new QHBoxLayout;
    auto* etichettaBib = new QLabel(QStringLiteral("Tipo bibliografia"));
    etichettaBib->setBuddy(ComboBib);
    riga4->addWidget(etichettaBib, 0, Qt::AlignBottom);
    riga4->addWidget(ComboBib, 0, Qt::AlignBottom);
    riga4->addSpacing(12);
    riga4->addWidget(lingua);
    riga4->addStretch();

    auto* testiBase = new QGridLayout;
    testiBase->addWidget(new QLabel(QStringLiteral("Titolo")), 0, 0, Qt::AlignTop);
    testiBase->addWidget(txtTitolo, 0, 1);
    testiBase->addWidget(new QLabel(QStringLiteral("Nota")), 1, 0, Qt::AlignTop);
    testiBase->addWidget(txtNota, 1, 1);
    testiBase->setColumnStretch(1, 1);

    // The three lists.
    const auto cornice = [this](const char* name, const QString& title, QListWidget* list,
                                std::initializer_list<QPushButton*> buttons, QLabel* legend = nullptr) {
        auto* box = crea<QGroupBox>(this, name);
        box->setTitle(title);
        auto* inside = new QHBoxLayout;
        inside->addWidget(list, 1);
        auto* column = new QVBoxLayout;
        for (QPushButton* b : buttons)
            column->addWidget(b);
        column->addStretch();
        inside->addLayout(column);
        auto* outer = new QVBoxLayout(box);
        outer->setContentsMargins(kMarginiCornice);
        outer->addLayout(inside, 1);
        if (legend)
            outer->addWidget(legend);
        return box;
    };
    auto* Label31 = crea<QLabel>(this, "Label31");
    Label31->setText(QStringLiteral("0 = coppia valida; 1 = coppia non valida; 2 = coppia asterisco valida; "
                                    "3 = coppia asterisco non valida"));
    Label31->setWordWrap(true);
    auto* liste = new QHBoxLayout;
    liste->addWidget(cornice("FrameResponsabilita", QStringLiteral("Responsabilità "), lstResponsabilita,
                             {cmdResponsabilitaN, cmdResponsabilitaM, cmdResponsabilitaD}),
                     2);
    liste->addWidget(cornice("FrameClassificazione", QStringLiteral("Classificazione "), lstClassificazione,
                             {cmdClasseN, cmdClasseM, cmdClasseD}, Label31),
                     2);
    liste->addWidget(
        cornice("FrameFonti", QStringLiteral("Fonti "), lstFonte,
                {cmdFonteN, cmdFonteM, cmdFonteD, cmdFonteT, cmdFonteUfficiale, cmdFontiDalTesto}),
        3);

    // Texts, compiler's note and commands.
    auto* testi = crea<QGroupBox>(this, "FrameTesti");
    testi->setTitle(QStringLiteral("Testi "));
    auto* testiLayout = new QHBoxLayout(testi);
    testiLayout->setContentsMargins(kMarginiCornice);
    const auto testo = [](QToolButton* b, const QString& caption) {
        auto* box = new QVBoxLayout;
        box->addWidget(b, 0, Qt::AlignHCenter);
        auto* l = new QLabel(caption);
        l->setAlignment(Qt::AlignHCenter);
        box->addWidget(l);
        return box;
    };
    testiLayout->addLayout(testo(cmdRiassunto, QStringLiteral("Riassunto")));
    testiLayout->addLayout(testo(cmdSommario, QStringLiteral("Sommario")));
    testiLayout->addLayout(testo(cmdInTemaDi, QStringLiteral("In tema di")));
    testiLayout->addLayout(testo(cmdEnglishAbstract, QStringLiteral("English abstract")));
    testiLayout->addLayout(testo(cmdTraduzione, QStringLiteral("Traduzione")));

    auto* notaCompilatore = crea<QGroupBox>(this, "FrameNotaCompilatore");
    notaCompilatore->setTitle(QStringLiteral("Nota del compilatore"));
    auto* notaBottoni = new QHBoxLayout;
    notaBottoni->addWidget(cmdNotaDoc);
    notaBottoni->addWidget(cmdCancellaNotaCompilatore);
    notaBottoni->addStretch();
    auto* spiegazione = crea<QLabel>(this, "LabelNotaCompilatore");
    spiegazione->setText(
        QStringLiteral("Spazio riservato ai messaggi per la redazione, come le proposte di nuovi "
                       "sistematici e descrittori."));
    spiegazione->setWordWrap(true);
    // Under the buttons the explanation has the frame's whole width: beside them, in a narrow
    // window, it ran out of height and lost its last words.
    auto* notaLayout = new QVBoxLayout(notaCompilatore);
    notaLayout->setContentsMargins(kMarginiCornice);
    notaLayout->addLayout(notaBottoni);
    notaLayout->addWidget(spiegazione);
    notaLayout->addStretch();

    auto* comandi = new QGridLayout;
    comandi->addWidget(cmdIndietro, 0, 0);
    comandi->addWidget(cmdAvanti, 0, 1);
    comandi->addWidget(cmdNew, 0, 2);
    comandi->addWidget(cmdDuplica, 0, 3);
    comandi->addWidget(cmdSalva, 1, 0);
    comandi->addWidget(cmdAbbandona, 1, 1);
    comandi->addWidget(cmdEsci, 1, 2, 1, 2);
    auto* tasti = crea<QLabel>(this, "LabelTastiFunzione");
    tasti->setText(QStringLiteral("Tasti funzione: vedi F1"));
    comandi->addWidget(tasti, 2, 0, 1, 4, Qt::AlignRight);

    auto* fondo = new QHBoxLayout;
    fondo->addWidget(testi);
    fondo->addWidget(notaCompilatore, 1);
    fondo->addLayout(comandi);

    auto* layout = new QVBoxLayout(this);
    // Every row in sight on a 1024x768 screen.
    layout->setSpacing(4);
    layout->addLayout(riga1);
    layout->addLayout(riga2);
    layout->addLayout(riga3);
    // The findings beside the codes, the title and the note: in sight while the operator types, and
    // taking no height from the lists at 1024x768.
    FrameControlli = new PannelloControlli(this);
    auto* sinistra = new QVBoxLayout;
    sinistra->setSpacing(4);
    sinistra->addLayout(riga4);
    sinistra->addLayout(testiBase);
    auto* centro = new QHBoxLayout;
    centro->addLayout(sinistra, 3);
    centro->addWidget(FrameControlli, 2);
    layout->addLayout(centro);
    layout->addLayout(liste, 1);
    layout->addLayout(fondo);
    resize(1080, 720);

    // The function keys work from every control that takes data.
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmbAA, cmbMM, cmbGG, cmbCPer, ComboTD, ComboTAbs, ComboBib, ComboLIN,
                                         txtFascicolo, txtVolume, txtAnnata, txtPagine, txtDocURL, txtTitolo,
                                         txtNota, lstResponsabilita, lstClassificazione, lstFonte})
        w->installEventFilter(this);
    // The window's other controls pass the keys they do not use on to the window itself.
    installEventFilter(this);

    connect(cmbCPer, &QComboBox::currentIndexChanged, this, [this] { cmbCPer_Change(); });
    // An entry is current once the operator selects it (click, arrows, space). Entering a list with
    // Tab gives it a current row without selecting it: that must not make "Edita corrente" modify it.
    const auto corrente = [this](QListWidget* list, int DocumentBuffer::*indice) {
        const auto aggiorna = [this, list, indice] {
            if (const QListWidgetItem* item = list->currentItem(); item && item->isSelected())
                buffer_.*indice = list->currentRow();
        };
        connect(list, &QListWidget::currentRowChanged, this, aggiorna);
        connect(list, &QListWidget::itemSelectionChanged, this, aggiorna);
    };
    corrente(lstResponsabilita, &DocumentBuffer::IndiceResponsabilita);
    corrente(lstClassificazione, &DocumentBuffer::IndiceClassificazione);
    corrente(lstFonte, &DocumentBuffer::IndiceFonte);
    // The official text follows the current source and every rebuild or change of the lines.
    connect(lstFonte, &QListWidget::currentRowChanged, this, &frmDocumento::aggiornaFonteUfficiale);
    connect(lstFonte, &QListWidget::itemSelectionChanged, this, &frmDocumento::aggiornaFonteUfficiale);
    const QAbstractItemModel* righeFonti = lstFonte->model();
    connect(righeFonti, &QAbstractItemModel::modelReset, this, &frmDocumento::aggiornaFonteUfficiale);
    connect(righeFonti, &QAbstractItemModel::rowsInserted, this, &frmDocumento::aggiornaFonteUfficiale);
    connect(righeFonti, &QAbstractItemModel::dataChanged, this, &frmDocumento::aggiornaFonteUfficiale);
    aggiornaFonteUfficiale();
    // A choice of the operator in a box replaces the stored value it could not show.
    const auto scelta = [this](QComboBox* combo, std::optional<QString> ValoriConservati::*valore) {
        connect(combo, &QComboBox::activated, this, [this, valore] {
            conservati_.*valore = std::nullopt;
            aggiornaSuggerimenti();
        });
    };
    for (QComboBox* c : {ComboTD, ComboTAbs, ComboBib, ComboLIN, cmbCPer, cmbGG, cmbMM, cmbAA})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { aggiornaSuggerimenti(); });
    scelta(ComboTD, &ValoriConservati::TD);
    scelta(ComboTAbs, &ValoriConservati::TAbs);
    scelta(ComboBib, &ValoriConservati::Bib);
    scelta(ComboLIN, &ValoriConservati::LIN);
    scelta(cmbCPer, &ValoriConservati::CPer);
    // A choice in one date box replaces only that part of a kept date.
    for (const auto& [box, parte] : {std::pair{cmbGG, ParteData::Giorno}, std::pair{cmbMM, ParteData::Mese},
                                     std::pair{cmbAA, ParteData::Anno}})
        connect(box, &QComboBox::activated, this, [this, parte] {
            conservati_.Data = DataDopoScelta(leggiDati(), parte);
            aggiornaSuggerimenti();
        });
    const auto wire = [this](QAbstractButton* b, void (frmDocumento::*slot)()) {
        connect(b, &QAbstractButton::clicked, this, slot);
    };
    wire(cmdSalva, &frmDocumento::cmdSalva_Click);
    wire(cmdEsci, &frmDocumento::cmdEsci_Click);
    wire(cmdAbbandona, &frmDocumento::cmdAbbandona_Click);
    wire(cmdDuplica, &frmDocumento::cmdDuplica_Click);
    wire(cmdNew, &frmDocumento::cmdNew_Click);
    wire(cmdAvanti, &frmDocumento::cmdAvanti_Click);
    wire(cmdIndietro, &frmDocumento::cmdIndietro_Click);
    wire(cmdResponsabilitaN, &frmDocumento::cmdResponsabilitaN_Click);
    wire(cmdResponsabilitaM, &frmDocumento::cmdResponsabilitaM_Click);
    wire(cmdResponsabilitaD, &frmDocumento::cmdResponsabilitaD_Click);
    wire(cmdClasseN, &frmDocumento::cmdClasseN_Click);
    wire(cmdClasseM, &frmDocumento::cmdClasseM_Click);
    wire(cmdClasseD, &frmDocumento::cmdClasseD_Click);
    wire(cmdFonteN, &frmDocumento::cmdFonteN_Click);
    wire(cmdFonteM, &frmDocumento::cmdFonteM_Click);
    wire(cmdFonteD, &frmDocumento::cmdFonteD_Click);
    wire(cmdFonteT, &frmDocumento::cmdFonteT_Click);
    wire(cmdFonteUfficiale, &frmDocumento::cmdFonteUfficiale_Click);
    wire(cmdFontiDalTesto, &frmDocumento::cmdFontiDalTesto_Click);
    wire(cmdRiassunto, &frmDocumento::cmdRiassunto_Click);
    wire(cmdSommario, &frmDocumento::cmdSommario_Click);
    wire(cmdInTemaDi, &frmDocumento::cmdInTemaDi_Click);
    wire(cmdEnglishAbstract, &frmDocumento::cmdEnglishAbstract_Click);
    wire(cmdTraduzione, &frmDocumento::cmdTraduzione_Click);
    wire(cmdNotaDoc, &frmDocumento::cmdNotaDoc_Click);
    wire(cmdCancellaNotaCompilatore, &frmDocumento::cmdCancellaNotaCompilatore_Click);
    wire(cmdCattura, &frmDocumento::cmdCattura_Click);
    collegaControlli();
}

// ---------------------------------------------------------------------------------------------
// The findings of the rules while the operator works.

void frmDocumento::collegaControlli() {
    timerControlli_ = new QTimer(this);
    timerControlli_->setObjectName(QStringLiteral("timerControlli"));
    timerControlli_->setSingleShot(true);
    timerControlli_->setInterval(300);
    connect(timerControlli_, &QTimer::timeout, this, &frmDocumento::aggiornaControlli);
    connect(FrameControlli, &PannelloControlli::rilievoScelto, this, &frmDocumento::vaiAlRilievo);
    connect(FrameControlli, &PannelloControlli::correzioneScelta, this, &frmDocumento::applicaCorrezione);
    connect(FrameControlli, &PannelloControlli::annullaCorrezione, this, [this] { annullaCorrezione(); });
    // The findings are reached from the keyboard: Alt+K (told in the F1 help), and Tab after the note.
    auto* scorciatoia = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_K), this);
    scorciatoia->setObjectName(QStringLiteral("scorciatoiaControlli"));
    scorciatoia->setContext(Qt::WidgetWithChildrenShortcut);
    connect(scorciatoia, &QShortcut::activated, FrameControlli, &PannelloControlli::entra);
    setTabOrder(txtNota, FrameControlli->lstControlli);
    setTabOrder(FrameControlli->lstControlli, lstResponsabilita);
    // The timer itself receives the changes: while the window is being destroyed its children still
    // signal, and a started timer is harmless where a call into the window would not be.
    const auto riavvia = qOverload<>(&QTimer::start);
    // Every change of what the save would store: the fields the rules read, and the three lists,
    // whose lines change with every entry added, modified or deleted. Texts edited in the dialogs
    // are followed where the dialogs close.
    for (QLineEdit* e : {txtPagine, txtFascicolo, txtVolume, txtAnnata, txtDocURL})
        connect(e, &QLineEdit::textChanged, timerControlli_, riavvia);
    for (QComboBox* c : {cmbCPer, cmbGG, cmbMM, cmbAA, ComboTD, ComboTAbs, ComboBib, ComboLIN})
        connect(c, &QComboBox::currentIndexChanged, timerControlli_, riavvia);
    for (QPlainTextEdit* t : {txtTitolo, txtNota})
        connect(t, &QPlainTextEdit::textChanged, timerControlli_, riavvia);
    for (QListWidget* l : {lstResponsabilita, lstClassificazione, lstFonte}) {
        QAbstractItemModel* m = l->model();
        connect(m, &QAbstractItemModel::rowsInserted, timerControlli_, riavvia);
        connect(m, &QAbstractItemModel::rowsRemoved, timerControlli_, riavvia);
        connect(m, &QAbstractItemModel::dataChanged, timerControlli_, riavvia);
        connect(m, &QAbstractItemModel::modelReset, timerControlli_, riavvia);
    }
}

void frmDocumento::aggiornaControlli() {
    timerControlli_->stop();
    // A window whose archive has gone reads nothing more from it.
    if (const ArchiveBinding* binding = ArchiveBinding::of(this); binding && !binding->current())
        return;
    const DatiDocumento dati = leggiDati();
    const EsitoControlli esito = ControllaFinestra(state_, buffer_, dati);
    QList<CorrezioniRilievo> correzioni;
    correzioni.reserve(esito.rilievi.size());
    for (const Rilievo& r : esito.rilievi)
        correzioni.append(CorrezioniDi(state_, buffer_, dati, liste_, r));
    FrameControlli->mostra(esito, correzioni);
    FrameControlli->setAnnullabile(!annulla_.vuota());
}

void frmDocumento::applicaCorrezione(const Correzione& c, const Rilievo& r) {
    if (c.tipo == Correzione::Tipo::ApriDialogo) {
        // The dialog of a new entry or of the text, as its button opens it.
        switch (c.campo) {
        case CampoRilievo::Responsabilita:
            cmdResponsabilitaN_Click();
            return;
        case CampoRilievo::Classificazione:
            cmdClasseN_Click();
            return;
        case CampoRilievo::Fonti:
            cmdFonteN_Click();
            return;
        case CampoRilievo::Riassunto:
            cmdRiassunto_Click();
            return;
        case CampoRilievo::Sommario:
            cmdSommario_Click();
            return;
        case CampoRilievo::InTemaDi:
            cmdInTemaDi_Click();
            return;
        case CampoRilievo::EnglishAbstract:
            cmdEnglishAbstract_Click();
            return;
        case CampoRilievo::Traduzione:
            cmdTraduzione_Click();
            return;
        default:
            break;
        }
    }
    if (c.soloApertura()) {
        Rilievo dove = r;
        dove.campo = c.campo;
        if (c.voce >= 0)
            dove.voce = c.voce;
        vaiAlRilievo(dove);
        return;
    }
    DocumentBuffer b = buffer_;
    DatiDocumento d = leggiDati();
    if (!ApplicaCorrezione(c, b, d, liste_))
        return;
    annulla_.ricorda(buffer_, leggiDati());
    buffer_ = std::move(b);
    mostraDati(d);
}

bool frmDocumento::annullaCorrezione() {
    DocumentBuffer b;
    DatiDocumento d;
    if (!annulla_.annulla(b, d))
        return false;
    buffer_ = std::move(b);
    mostraDati(d);
    return true;
}

void frmDocumento::vaiAlRilievo(const Rilievo& r) {
    // The finding stands chosen in the panel, its fixes under it, wherever the operator came from.
    FrameControlli->segna(r);
    const auto voce = [](QListWidget* list, int riga) {
        list->setFocus(Qt::OtherFocusReason);
        if (riga < 0 || riga >= list->count())
            return;
        // The entry becomes the current one, as a click on it makes it: "Edita" then opens it.
        list->clearSelection();
        list->setCurrentRow(riga, QItemSelectionModel::ClearAndSelect);
        list->scrollToItem(list->item(riga));
    };
    QWidget* campo = nullptr;
    switch (r.campo) {
    case CampoRilievo::Rivista:
        campo = cmbCPer;
        break;
    case CampoRilievo::Pagine:
        campo = txtPagine;
        break;
    case CampoRilievo::TipoDocumento:
        campo = ComboTD;
        break;
    case CampoRilievo::TipoAbstract:
        campo = ComboTAbs;
        break;
    case CampoRilievo::Bibliografia:
        campo = ComboBib;
        break;
    case CampoRilievo::Lingua:
        campo = ComboLIN;
        break;
    case CampoRilievo::Responsabilita:
        campo = lstResponsabilita;
        break;
    case CampoRilievo::Titolo:
        campo = txtTitolo;
        break;
    case CampoRilievo::Nota:
        campo = txtNota;
        break;
    case CampoRilievo::Riassunto:
        campo = cmdRiassunto;
        break;
    case CampoRilievo::Sommario:
        campo = cmdSommario;
        break;
    case CampoRilievo::InTemaDi:
        campo = cmdInTemaDi;
        break;
    case CampoRilievo::EnglishAbstract:
        campo = cmdEnglishAbstract;
        break;
    case CampoRilievo::Traduzione:
        campo = cmdTraduzione;
        break;
    case CampoRilievo::Classificazione:
        voce(lstClassificazione, r.voce);
        return;
    case CampoRilievo::Fonti:
        voce(lstFonte, r.voce);
        return;
    }
    // The style draws the focus frame only after a keyboard move; without it a text button that
    // has the focus looks like any other and the operator cannot see where the finding led.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    campo->setFocus(Qt::OtherFocusReason);
    campo->update();
}

bool frmDocumento::vaiAlRilievoDellElenco(const QString& riga) {
    for (const Rilievo& r : FrameControlli->esito().rilievi)
        if (r.testo == riga) {
            const Rilievo rilievo = r; // the panel's findings change when the field is left
            vaiAlRilievo(rilievo);
            return true;
        }
    FrameControlli->entra();
    return false;
}

// ---------------------------------------------------------------------------------------------
// Lists, load and clear.

void frmDocumento::riempiCombo() {
    try {
        liste_ = CaricaListe(state_.Connessione, QDate::currentDate());
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(
                QStringLiteral("Gli elenchi della finestra non sono stati letti tutti: alcuni "
                               "campi possono restare vuoti. Chiudere la finestra e riaprirla."),
                e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    const auto riempi = [](QComboBox* c, const QStringList& items) {
        const QSignalBlocker block(c);
        c->clear();
        c->addItems(items);
        c->setCurrentIndex(0);
        // The list shows whole descriptions even where the box is narrower.
        c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
    };
    riempi(cmbAA, liste_.cmbAA);
    riempi(cmbMM, liste_.cmbMM);
    riempi(cmbGG, liste_.cmbGG);
    riempi(ComboLIN, liste_.ComboLIN);
    riempi(ComboTAbs, liste_.ComboTAbs);
    riempi(ComboTD, liste_.ComboTD);
    riempi(ComboBib, liste_.ComboBib);
    riempi(cmbCPer, liste_.cmbCPer);
    // The code boxes as wide as their longest item, up to what a 1024-pixel screen allows; a longer
    // item is whole in the list and in the box's tooltip.
    const auto larghezza = [](QComboBox* c, int massimo) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const int w = c->sizeHint().width();
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumWidth(std::min(w, massimo));
    };
    larghezza(ComboTD, 340);
    larghezza(ComboTAbs, 560);
    larghezza(ComboBib, 340);
    larghezza(ComboLIN, 220);
    txtRivistaOnline->clear();
    txtAnnoPr->setText(liste_.AnnoProduzione);
    txtDocURL->clear();
    aggiornaSuggerimenti();
}

void frmDocumento::aggiornaSuggerimenti() {
    const auto suggerimento = [](QComboBox* c, const std::optional<QString>& conservato) {
        if (conservato && c->currentIndex() < 1)
            c->setToolTip(QStringLiteral("Valore registrato \"%1\", non presente nell'elenco: il salvataggio "
                                         "lo conserva finché non si sceglie un altro valore.")
                              .arg(*conservato));
        else
            c->setToolTip(c->currentIndex() >= 1 ? c->currentText() : QString());
    };
    suggerimento(ComboTD, conservati_.TD);
    suggerimento(ComboTAbs, conservati_.TAbs);
    suggerimento(ComboBib, conservati_.Bib);
    suggerimento(ComboLIN, conservati_.LIN);
    suggerimento(cmbCPer, conservati_.CPer);
    const QString data = conservati_.Data
                             ? QStringLiteral("Data registrata \"%1\", che gli elenchi non "
                                              "possono mostrare: il salvataggio la conserva; "
                                              "scegliendo un giorno, un mese o un anno si cambia "
                                              "soltanto quella parte.")
                                   .arg(*conservati_.Data)
                             : QString();
    for (QComboBox* c : {cmbGG, cmbMM, cmbAA})
        c->setToolTip(data);
    // A date the boxes cannot show is in sight, not only in a tooltip.
    if (auto* frame = findChild<QGroupBox*>(QStringLiteral("FrameData")))
        frame->setTitle(conservati_.Data
                            ? QStringLiteral("Data di pubblicazione (registrata: %1) ").arg(*conservati_.Data)
                            : QStringLiteral("Data di pubblicazione "));
}

DatiDocumento frmDocumento::leggiDati() const {
    DatiDocumento d;
    const auto combo = [](const QComboBox* c) { return Combo{c->currentIndex(), c->currentText()}; };
    const auto righe = [](const QListWidget* l) {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    };
    d.txtID = txtID->text();
    d.txtAnnoPr = txtAnnoPr->text();
    d.cmbCPer = combo(cmbCPer);
    d.txtRivistaOnline = txtRivistaOnline->text();
    d.cmbGG = combo(cmbGG);
    d.cmbMM = combo(cmbMM);
    d.cmbAA = combo(cmbAA);
    d.txtFascicolo = txtFascicolo->text();
    d.txtVolume = txtVolume->text();
    d.txtAnnata = txtAnnata->text();
    d.txtPagine = txtPagine->text();
    d.txtDocURL = txtDocURL->text();
    d.ComboTD = combo(ComboTD);
    d.ComboTAbs = combo(ComboTAbs);
    d.ComboBib = combo(ComboBib);
    d.ComboLIN = combo(ComboLIN);
    d.txtTitolo = txtTitolo->toPlainText();
    d.txtNota = txtNota->toPlainText();
    d.lstResponsabilita = righe(lstResponsabilita);
    d.lstClassificazione = righe(lstClassificazione);
    d.lstFonte = righe(lstFonte);
    d.conservati = conservati_;
    return d;
}

void frmDocumento::impostaRighe(QListWidget* list, const QStringList& righe) {
    // Rebuilding the lines is not a click: the current entries stay as they are.
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(righe);
}

void frmDocumento::mostraDati(const DatiDocumento& d) {
    const auto combo = [](QComboBox* c, const Combo& v) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(v.posizione >= 0 && v.posizione < c->count() ? v.posizione : 0);
    };
    txtID->setText(d.txtID);
    txtAnnoPr->setText(d.txtAnnoPr);
    combo(cmbCPer, d.cmbCPer);
    txtRivistaOnline->setText(d.txtRivistaOnline);
    combo(cmbGG, d.cmbGG);
    combo(cmbMM, d.cmbMM);
    combo(cmbAA, d.cmbAA);
    txtFascicolo->setText(d.txtFascicolo);
    txtVolume->setText(d.txtVolume);
    txtAnnata->setText(d.txtAnnata);
    txtPagine->setText(d.txtPagine);
    txtDocURL->setText(d.txtDocURL);
    txtDocURL->setCursorPosition(0);
    combo(ComboTD, d.ComboTD);
    combo(ComboTAbs, d.ComboTAbs);
    combo(ComboBib, d.ComboBib);
    combo(ComboLIN, d.ComboLIN);
    txtTitolo->setPlainText(d.txtTitolo);
    txtNota->setPlainText(d.txtNota);
    impostaRighe(lstResponsabilita, d.lstResponsabilita);
    impostaRighe(lstClassificazione, d.lstClassificazione);
    impostaRighe(lstFonte, d.lstFonte);
    conservati_ = d.conservati;
    aggiornaSuggerimenti();
    // A document loaded or cleared is judged at once: the panel never shows the last one's findings.
    aggiornaControlli();
}

bool frmDocumento::carica(qint64 IDDoc, DocumentBuffer& buffer, DatiDocumento& dati) {
    buffer.IDDocCorrente = IDDoc;
    const EsitoCaricamento esito = CaricaDocumento(state_.Connessione, state_.Mesi, liste_, buffer, dati);
    if (!esito.caricato) {
        state_.ui().message(esito.errore, kAttenzione, Buttons::Ok, Icon::Warning);
        return false;
    }
    if (!esito.avvisi.isEmpty())
        state_.ui().message(AvvisoCaricamento(IDDoc, esito.avvisi, dati.conservati), kAttenzione, Buttons::Ok,
                            Icon::Warning);
    return true;
}

void frmDocumento::nuovoDocumento() {
    buffer_.NuovoDocumento = true;
    try {
        buffer_.IDDocCorrente = ProssimoIDDocumento(state_.Connessione);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il numero del documento nuovo non è stato letto dall'archivio: "
                                             "la finestra propone 1."),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        buffer_.IDDocCorrente = 1;
    }
    modoNuovo();
    DatiDocumento d = leggiDati();
    d.txtID.clear();
    PulisciDocumento(buffer_, d);
    // The texts went with the last document: their buttons say so.
    aggiornaImmagini();
    d.txtID = QString::number(buffer_.IDDocCorrente);
    mostraDati(d);
    segnaSalvato();
}

void frmDocumento::modoNuovo() {
    cmdSalva->hide();
    cmdDuplica->hide();
    cmdNew->hide();
}

void frmDocumento::modoEsistente() {
    // A loaded document is saved in place: the commands of an existing document are there.
    cmdSalva->show();
    cmdDuplica->show();
    cmdNew->show();
    aggiornaImmagini();
}

void frmDocumento::naviga(bool avanti) {
    if (!checkArchive(this))
        return;
    std::optional<qint64> n;
    try {
        n = avanti ? DocumentoSeguente(state_.Connessione, txtID->text())
                   : DocumentoPrecedente(state_.Connessione, txtID->text());
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il documento %1 non è stato trovato: la finestra mostra ancora "
                                             "quello di prima.")
                                  .arg(avanti ? QStringLiteral("seguente") : QStringLiteral("precedente")),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    if (!n) {
        state_.ui().message(QStringLiteral("Nessun documento presente!"));
        return;
    }
    mostraDocumento(*n);
}

bool frmDocumento::mostraDocumento(qint64 IDDoc) {
    DocumentBuffer b = buffer_;
    DatiDocumento d = leggiDati();
    b.IDDocCorrente = IDDoc;
    d.txtID = QString::number(IDDoc);
    PulisciDocumento(b, d);
    if (!carica(IDDoc, b, d))
        return false;
    buffer_ = std::move(b);
    mostraDati(d);
    modoEsistente();
    segnaSalvato();
    return true;
}

void frmDocumento::cmbCPer_Change() {
    if (cmbCPer->currentIndex() >= 1) {
        try {
            txtRivistaOnline->setText(TitoloRivista(state_.Connessione, cmbCPer->currentText()));
        } catch (const DbError&) {
            txtRivistaOnline->clear();
        }
    } else {
        txtRivistaOnline->clear();
    }
}

// ---------------------------------------------------------------------------------------------
// Commands.

bool frmDocumento::salva() {
    if (!checkArchive(this))
        return false;
    switch (SalvaDocumento(state_, buffer_, leggiDati())) {
    case EsitoSalva::Salvato:
        break;
    case EsitoSalva::Ricaricare:
        // The other program's version, in place of this window's: nothing of it is to be kept.
        mostraDocumento(buffer_.IDDocCorrente);
        return false;
    case EsitoSalva::NonSalvato:
        return false;
    }
    // A number typed to move from goes: the field shows the document saved.
    txtID->setText(QString::number(buffer_.IDDocCorrente));
    segnaSalvato();
    // The number may have changed (a copy, a number taken meanwhile): the lines name it.
    aggiornaControlli();
    return true;
}

void frmDocumento::cmdSalva_Click() {
    salva();
    txtID->setFocus();
}

void frmDocumento::cmdEsci_Click() {
    if (salva())
        chiudi();
}

void frmDocumento::cmdAbbandona_Click() {
    chiudi();
}

void frmDocumento::chiudi() {
    chiusuraDaComando_ = true;
    if (!chiudiFinestraMdi(this))
        chiusuraDaComando_ = false;
}

frmDocumento::Contenuto frmDocumento::contenuto() const {
    // txtID is also where the operator types the number to move from (F5, F6): not work to keep.
    DatiDocumento dati = leggiDati();
    dati.txtID.clear();
    return {std::move(dati),
            buffer_.ElencoResponsabilita,
            buffer_.ElencoClassificazione,
            buffer_.ElencoFonti,
            {buffer_.TestoRiassunto, buffer_.TestoSommario, buffer_.TestoTraduzione, buffer_.TestoNotaDoc,
             buffer_.TestoInTemaDi, buffer_.TestoEnglishAbstract}};
}

void frmDocumento::segnaSalvato() {
    salvato_ = contenuto();
    // Fixes are taken back up to the save, or within the document they were applied to.
    annulla_.svuota();
    FrameControlli->setAnnullabile(false);
}

bool frmDocumento::chiusuraConsentita() {
    if (chiusuraDaComando_ || contenuto() == salvato_)
        return true;
    switch (
        state_.ui().message(QStringLiteral("Il documento %1 è stato modificato: salvarlo prima di chiudere?")
                                .arg(buffer_.IDDocCorrente),
                            applicationTitle(), Buttons::YesNoCancel, Icon::Question)) {
    case Answer::Yes:
        return salva();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void frmDocumento::cmdDuplica_Click() {
    if (!checkArchive(this))
        return;
    qint64 copia = 0;
    try {
        copia = ProssimoIDDocumento(state_.Connessione);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(
                QStringLiteral("Il documento non è stato duplicato: il numero della copia non è "
                               "stato letto dall'archivio."),
                e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    const qint64 originale = buffer_.IDDocCorrente;
    const bool eraNuovo = buffer_.NuovoDocumento;
    const QString numero = txtID->text();
    // The copy is a new document under the next number; once saved it is the document shown.
    buffer_.NuovoDocumento = true;
    buffer_.IDDocCorrente = copia;
    txtID->setText(QString::number(copia));
    if (!salva()) {
        // Nothing was copied: the window shows the document it showed.
        buffer_.IDDocCorrente = originale;
        buffer_.NuovoDocumento = eraNuovo;
        txtID->setText(numero);
    }
    txtID->setFocus();
}

void frmDocumento::cmdNew_Click() {
    if (!checkArchive(this))
        return;
    riempiCombo();
    nuovoDocumento();
}

void frmDocumento::cmdAvanti_Click() {
    naviga(true);
}
void frmDocumento::cmdIndietro_Click() {
    naviga(false);
}

void frmDocumento::cmdResponsabilitaN_Click() {
    frmResponsabilita dialog(buffer_, this);
    dialog.PulisciResponsabilita();
    buffer_.IndiceResponsabilita = -1;
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstResponsabilita, dialog.righe());
}

void frmDocumento::cmdResponsabilitaM_Click() {
    frmResponsabilita dialog(buffer_, this);
    dialog.MostraResponsabilita();
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstResponsabilita, dialog.righe());
}

void frmDocumento::cancellaSelezionate(QListWidget* list, int which) {
    const QList<int> selezionate = righeSelezionate(list);
    if (selezionate.isEmpty()) {
        state_.ui().message(QStringLiteral("Nessuna selezione effettuata"), kAttenzione);
        return;
    }
    if (state_.ui().message(QStringLiteral("Confermi cancellazione?"), kAttenzione, Buttons::YesNo,
                            Icon::Question) != Answer::Yes)
        return;
    QStringList righe;
    for (int i = 0; i < list->count(); ++i)
        righe << list->item(i)->text();
    switch (which) {
    case 0:
        marcaCancellate(righe, buffer_.ElencoResponsabilita, selezionate);
        break;
    case 1:
        marcaCancellate(righe, buffer_.ElencoClassificazione, selezionate);
        break;
    default:
        marcaCancellate(righe, buffer_.ElencoFonti, selezionate);
        break;
    }
    for (int i : selezionate)
        if (i < righe.size())
            list->item(i)->setText(righe.at(i));
}

void frmDocumento::cmdResponsabilitaD_Click() {
    cancellaSelezionate(lstResponsabilita, 0);
}

void frmDocumento::cmdClasseN_Click() {
    buffer_.IndiceClassificazione = -1;
    frmClassificazione dialog(state_, buffer_, this);
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstClassificazione, righeClassificazione(buffer_.ElencoClassificazione));
}

void frmDocumento::cmdClasseM_Click() {
    frmClassificazione dialog(state_, buffer_, this);
    dialog.MostraClassificazione();
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstClassificazione, righeClassificazione(buffer_.ElencoClassificazione));
}

void frmDocumento::cmdClasseD_Click() {
    cancellaSelezionate(lstClassificazione, 1);
}

void frmDocumento::cmdFonteN_Click() {
    buffer_.IndiceFonte = -1;
    nuovaFonte();
}

void frmDocumento::cmdFonteM_Click() {
    modificaFonte();
}

void frmDocumento::nuovaFonte() {
    if (!checkArchive(this))
        return;
    frmTipologiaFonte scelta(this);
    scelta.exec();
    const int tipologia = scelta.TipologiaFonteScelta();
    if (tipologia < 1 || tipologia > 6)
        return;
    const auto ricostruisci = [this] { ricostruisciListaFonti(); };
    if (tipologia == 1) {
        frmFontiInterne dialog(state_, buffer_, ricostruisci, this);
        dialog.exec();
    } else {
        frmAltreFonti dialog(state_, buffer_, ricostruisci, tipologia - 2, this);
        dialog.exec();
    }
    // Sources added with Salva stay in the buffer however the dialog was left: the list shows
    // them too, so that line i is always entry i.
    ricostruisciListaFonti();
}

void frmDocumento::modificaFonte() {
    frmModificaFonte dialog(
        state_, buffer_, [this] { ricostruisciListaFonti(); }, this);
    dialog.MostraFonte();
    dialog.exec();
}

void frmDocumento::ricostruisciListaFonti() {
    QStringList righe;
    for (const VoceFonte& v : std::as_const(buffer_.ElencoFonti))
        righe << rigaFonte(v);
    impostaRighe(lstFonte, righe);
}

void frmDocumento::cmdFonteD_Click() {
    cancellaSelezionate(lstFonte, 2);
}

void frmDocumento::cmdFonteT_Click() {
    const int i = buffer_.IndiceFonte;
    if (i < 0 || i >= buffer_.ElencoFonti.size())
        return;
    const QString t = buffer_.ElencoFonti.at(i).testo;
    const QString nota = txtNota->toPlainText();
    if (!nota.isEmpty()) {
        txtNota->setPlainText(nota + QStringLiteral("; ") + t);
        return;
    }
    const QString tipo = ComboTD->currentText().left(2);
    if (tipo == u"03")
        txtNota->setPlainText(QStringLiteral("Nota a ") + t);
    else if (tipo == u"07")
        txtNota->setPlainText(QStringLiteral("Commento a ") + t);
}

void frmDocumento::aggiornaFonteUfficiale() {
    cmdFonteUfficiale->setEnabled(!IndirizzoFonteCorrente(buffer_, state_.settings).isEmpty());
}

void frmDocumento::cmdFonteUfficiale_Click() {
    const QString indirizzo = IndirizzoFonteCorrente(buffer_, state_.settings);
    if (indirizzo.isEmpty())
        return;
    if (!state_.ui().openUrl(indirizzo))
        state_.ui().message(QStringLiteral("Il browser non si è aperto sul testo ufficiale della fonte.\n"
                                           "Copiare l'indirizzo nel browser:\n") +
                                indirizzo,
                            applicationTitle(), Buttons::Ok, Icon::Warning);
}

void frmDocumento::cmdFontiDalTesto_Click() {
    if (!checkArchive(this))
        return;
    frmFontiDalTesto dialog(state_, buffer_,
                            {{QStringLiteral("Titolo"), txtTitolo->toPlainText()},
                             {QStringLiteral("Riassunto"), buffer_.TestoRiassunto},
                             {QStringLiteral("Sommario"), buffer_.TestoSommario},
                             {QStringLiteral("In tema di"), buffer_.TestoInTemaDi},
                             {QStringLiteral("Nota"), txtNota->toPlainText()}},
                            this);
    if (dialog.exec() == QDialog::Accepted) {
        ricostruisciListaFonti();
        timerControlli_->start();
    }
}

// ---------------------------------------------------------------------------------------------
// Texts.

QIcon frmDocumento::immagine(const QString& name) {
    return immagineDaCartella(state_.home.root(), name);
}

void frmDocumento::aggiornaImmagine(QToolButton* button, const QString& testo) {
    QString base = QStringLiteral("write");
    if (button == cmdTraduzione)
        base = QStringLiteral("export");
    else if (button == cmdNotaDoc)
        base = QStringLiteral("npadwrit");
    const QString name = base + (testo.isEmpty() ? QStringLiteral(".bmp") : QStringLiteral("-r.bmp"));
    const QIcon icon = immagine(name);
    button->setIcon(icon);
    // Without its picture the button still says whether its text is there.
    button->setText(icon.isNull() ? (testo.isEmpty() ? QStringLiteral("...") : QStringLiteral("[T]"))
                                  : QString());
    button->setProperty("testoPresente", !testo.isEmpty());
}

void frmDocumento::aggiornaImmagini() {
    aggiornaImmagine(cmdRiassunto, buffer_.TestoRiassunto);
    aggiornaImmagine(cmdSommario, buffer_.TestoSommario);
    aggiornaImmagine(cmdInTemaDi, buffer_.TestoInTemaDi);
    aggiornaImmagine(cmdEnglishAbstract, buffer_.TestoEnglishAbstract);
    aggiornaImmagine(cmdTraduzione, buffer_.TestoTraduzione);
    aggiornaImmagine(cmdNotaDoc, buffer_.TestoNotaDoc);
}

void frmDocumento::apriTesti(int tipo, QToolButton* button) {
    buffer_.TipoTestoCorrente = tipo;
    frmTesti dialog(state_, buffer_, this);
    if (dialog.exec() == QDialog::Accepted)
        if (const QString* testo = testoFrmTesti(buffer_, tipo))
            aggiornaImmagine(button, *testo);
    aggiornaControlli();
}

void frmDocumento::cmdRiassunto_Click() {
    apriTesti(0, cmdRiassunto);
}
void frmDocumento::cmdSommario_Click() {
    apriTesti(1, cmdSommario);
}
void frmDocumento::cmdInTemaDi_Click() {
    apriTesti(2, cmdInTemaDi);
}
void frmDocumento::cmdEnglishAbstract_Click() {
    apriTesti(3, cmdEnglishAbstract);
}

void frmDocumento::apriAltriTesti(int tipo, const QString& caption, QToolButton* button) {
    buffer_.TipoTestoCorrente = tipo;
    frmAltriTesti dialog(state_.ui(), buffer_, this);
    dialog.setWindowTitle(caption);
    dialog.txtAltroTesto->setPlainText(*testoFrmAltriTesti(buffer_, tipo));
    if (dialog.exec() == QDialog::Accepted)
        aggiornaImmagine(button, *testoFrmAltriTesti(buffer_, tipo));
    aggiornaControlli();
}

void frmDocumento::cmdTraduzione_Click() {
    apriAltriTesti(3, QStringLiteral("Traduzione"), cmdTraduzione);
}
void frmDocumento::cmdNotaDoc_Click() {
    apriAltriTesti(5, QStringLiteral("Nota documento"), cmdNotaDoc);
}

void frmDocumento::cmdCancellaNotaCompilatore_Click() {
    buffer_.TestoNotaDoc.clear();
    aggiornaImmagine(cmdNotaDoc, buffer_.TestoNotaDoc);
    aggiornaControlli();
}

void frmDocumento::cmdCattura_Click() {
    if (!checkArchive(this))
        return;
    DatiDocumento d = leggiDati();
    const CampiDocumento prima = CampiDaDocumento(d, buffer_);
    frmCattura dialog(state_, prima, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CampiNelDocumento(prima, dialog.campi(), liste_, d, buffer_);
    mostraDati(d);
    aggiornaImmagini();
}

// ---------------------------------------------------------------------------------------------
// Keys, focus and closing.

bool frmDocumento::Form_KeyDown(int key) {
    switch (key) {
    case Qt::Key_F1: {
        frmHelpTastiFunzione help(this);
        help.exec();
        return true;
    }
    case Qt::Key_F2:
        cmdDuplica_Click();
        return true;
    case Qt::Key_F3:
        cmdAbbandona_Click();
        return true;
    case Qt::Key_F4:
        cmdSalva_Click();
        return true;
    case Qt::Key_F5:
        cmdIndietro_Click();
        return true;
    case Qt::Key_F6:
        cmdAvanti_Click();
        return true;
    case Qt::Key_F7:
        cmdResponsabilitaN_Click();
        return true;
    case Qt::Key_F8:
        cmdClasseN_Click();
        return true;
    case Qt::Key_F9:
        cmdFonteN_Click();
        return true;
    case Qt::Key_F10:
        cmdRiassunto_Click();
        return true;
    case Qt::Key_F11:
        cmdSommario_Click();
        return true;
    case Qt::Key_F12:
        cmdEsci_Click();
        return true;
    default:
        return false;
    }
}

// Ctrl+F9: F9 adds a source by hand, with Ctrl the texts propose them.
bool frmDocumento::fontiDalTesto(const QKeyEvent* key) {
    if (key->key() != Qt::Key_F9 || !(key->modifiers() & Qt::ControlModifier))
        return false;
    cmdFontiDalTesto_Click();
    return true;
}

bool frmDocumento::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // F1 is this window's key help, before the main window's guide: claimed here, it comes as a key.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (fontiDalTesto(key) || Form_KeyDown(key->key()))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back from a dialog (F7 to F11) or a combo's list is not entering the field: the
        // operator goes on where the cursor was. A selection made then would swallow the next
        // keystrokes into the title, or add line 0 to the lines chosen for deletion.
        const bool ritorno = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        // A click puts the cursor where it was made; only a keyboard move (Tab, a shortcut, a
        // finding chosen) selects the field's whole text for retyping.
        const bool clic = reason == Qt::MouseFocusReason;
        if (!ritorno && !clic && watched == txtPagine) {
            QTimer::singleShot(0, txtPagine, &QLineEdit::selectAll);
        } else if (!ritorno && !clic && (watched == txtTitolo || watched == txtNota)) {
            auto* edit = static_cast<QPlainTextEdit*>(watched);
            QTimer::singleShot(0, edit, &QPlainTextEdit::selectAll);
        } else if (!ritorno && !clic && watched == lstResponsabilita && lstResponsabilita->count() > 0) {
            lstResponsabilita->item(0)->setSelected(true);
            buffer_.IndiceResponsabilita = 0;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmDocumento::keyPressEvent(QKeyEvent* event) {
    if (!fontiDalTesto(event) && !Form_KeyDown(event->key()))
        QWidget::keyPressEvent(event);
}

void frmDocumento::closeEvent(QCloseEvent* event) {
    if (!chiusuraConsentita()) {
        event->ignore();
        txtID->setFocus();
        return;
    }
    if (!chiusuraSegnalata_) {
        chiusuraSegnalata_ = true;
        Q_EMIT chiusa();
    }
    event->accept();
}
