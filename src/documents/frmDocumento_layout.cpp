// The window's controls and their places: everything on a 1024x768 screen, each control under
// its caption, each command with its key.

#include "documents/frmDocumento.h"

#include "documents/SalvaDocumento.h"
#include "documents/frmDocumentoControlli.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

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

} // namespace

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
    // Shown only while the unsaved work cannot be kept against a crash.
    lblRecupero = crea<QLabel>(this, "lblRecupero");
    lblRecupero->setWordWrap(true);
    lblRecupero->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    lblRecupero->hide();
    layout->addWidget(lblRecupero);
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
