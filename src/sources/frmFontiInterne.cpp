#include "sources/frmFontiInterne.h"

#include "sources/CatalogoNorme.h"
#include "sources/Componi.h"
#include "sources/ComponiAltre.h"
#include "sources/ElenchiFonti.h"
#include "store/AppState.h"
#include "store/DocumentBuffer.h"
#include "store/mdlGlobale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmFontiInterne::frmFontiInterne(AppState& state, DocumentBuffer& buffer, std::function<void()> ricostruisci,
                                 QWidget* parent)
    : QDialog(parent), state_(state), buffer_(buffer), ricostruisci_(std::move(ricostruisci)) {
    setObjectName(QStringLiteral("frmFontiInterne"));
    setWindowTitle(QStringLiteral("Fonti di diritto interno"));
    setModal(true);

    SSTabInterna = new QTabWidget(this);
    SSTabInterna->setObjectName(QStringLiteral("SSTabInterna"));
    const QString pictures = state_.home.root();
    const std::pair<int, const char*> tabs[] = {{PaginaCostituzione, "Costituzione"},
                                                {PaginaCodificazioni, "Codificazioni"},
                                                {PaginaNormativa, "Normativa"},
                                                {PaginaGiurisprudenza, "Giurisprudenza"}};
    for (const auto& [numero, caption] : tabs) {
        pagine_[numero] = new PaginaFonteWidget(numero, pictures, SSTabInterna);
        SSTabInterna->addTab(pagine_[numero], QString::fromLatin1(caption));
    }

    cmdCatalogoFonti = new QPushButton(QStringLiteral("Catalogo &norme"), this);
    cmdCatalogoFonti->setObjectName(QStringLiteral("cmdCatalogoFonti"));
    cmdCatalogoFonti->setIcon(QIcon(QDir(pictures).filePath(QStringLiteral("helpindx.bmp"))));
    cmdCatalogoFonti->setIconSize(QSize(24, 24));
    cmdCatalogoFonti->setToolTip(QStringLiteral("Cerca l'atto nel catalogo delle norme"));
    cmdCatalogoFonti->setAutoDefault(false);

    creaCatalogo();

    auto* left = new QVBoxLayout;
    left->addWidget(SSTabInterna, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdCatalogoFonti);
    bottom->addStretch();
    left->addLayout(bottom);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(frameInterrogazioneCatalogo);

    eseguiSicuro(state_.ui(), [this] {
        for (int n = 1; n <= 4; ++n)
            preparaPagina(pagine_[n]);
    });

    connect(SSTabInterna, &QTabWidget::currentChanged, this, &frmFontiInterne::SSTabInterna_Click);
    connect(cmdCatalogoFonti, &QPushButton::clicked, this, &frmFontiInterne::cmdCatalogoFonti_Click);
    SSTabInterna->setCurrentIndex(0);
    tabCorrente_ = 0;
    tastiPagine(this, SSTabInterna);
    tabSempreVisibili(SSTabInterna);
    // The operator starts by choosing the act or the kind.
    pagine_[paginaDelTab(0)]->ComboFonte->setFocus();
}

frmFontiInterne::~frmFontiInterne() {
    chiudiCatalogo();
}

PaginaFonteWidget* frmFontiInterne::pagina(int numero) const {
    return numero >= 1 && numero <= 4 ? pagine_[numero] : nullptr;
}

void frmFontiInterne::preparaPagina(PaginaFonteWidget* p) {
    const int n = p->numero();
    p->ComboFonte->blockSignals(true);
    p->ComboFonte->clear();
    switch (n) {
    case PaginaCostituzione:
        p->ComboFonte->addItem(QStringLiteral("Costituzione"));
        p->ComboFonte->addItems(FontiInterne(state_.Connessione, QStringLiteral("0")));
        break;
    case PaginaCodificazioni:
        p->ComboFonte->addItem(QStringLiteral("Codificazioni"));
        p->ComboFonte->addItems(FontiInterne(state_.Connessione, QStringLiteral("1")));
        break;
    case PaginaNormativa:
        p->ComboFonte->addItem(QStringLiteral("Normativa"));
        p->ComboFonte->addItems(TipiNormativa());
        break;
    case PaginaGiurisprudenza:
        p->ComboFonte->addItem(QStringLiteral("Giurisprudenza"));
        p->ComboFonte->addItems(TipiGiurisprudenza());
        PaginaFonteWidget::riempi(p->lstElenco1, ElencoCitta(state_.Connessione));
        PaginaFonteWidget::riempi(p->lstElenco2, ElencoSezioni(state_.Connessione));
        break;
    }
    p->ComboFonte->setCurrentIndex(0);
    p->ComboFonte->blockSignals(false);

    p->nascondiFacoltativi();
    // Codifications and the Constitution are cited by article only.
    p->FrameRipartizioni->setVisible(n == PaginaCostituzione || n == PaginaCodificazioni);

    connect(p->ComboFonte, &QComboBox::currentIndexChanged, this, [this, n] { ComboFonte_Click(n); });
    connect(p->cmdSalva, &QPushButton::clicked, this, [this, n] { cmdSalva_Click(n); });
    connect(p->cmdClear, &QPushButton::clicked, this, [this, n] { cmdClear_Click(n); });
    connect(p->cmdEsciSalva, &QPushButton::clicked, this, [this, n] { cmdEsciSalva_Click(n); });
    connect(p->cmdAbbandona, &QPushButton::clicked, this, &frmFontiInterne::cmdAbbandona_Click);
    connect(p->cmdAid, &QPushButton::clicked, this, [this] { MostraFormalismo(state_.ui()); });
}

void frmFontiInterne::ComboFonte_Click(int numeroPagina) {
    PaginaFonteWidget* p = pagina(numeroPagina);
    const int tipo = p->ComboFonte->currentIndex();
    if (tipo < 1)
        return;
    eseguiSicuro(state_.ui(), [&] {
        switch (numeroPagina) {
        case PaginaNormativa:
            layoutNormativa(p, tipo);
            break;
        case PaginaGiurisprudenza:
            layoutGiurisprudenza(p, tipo);
            break;
        default:
            p->nascondiFacoltativi();
            p->FrameRipartizioni->show();
            break;
        }
        // The frames the kind shows get their room: the dialog grows rather than squeeze them.
        adattaAlloSchermo(this);
    });
}

void frmFontiInterne::layoutNormativa(PaginaFonteWidget* p, int tipo) {
    p->nascondiFacoltativi();
    p->FrameRipartizioni->show();
    p->FrameEstremi->setVisible(tipo != 5 && tipo != 6);
    p->lstFonte->clear();
    // Kind -> the liv2 code of its acts in TabFonteInterna; none for kinds without an act list.
    static const char* const codici[] = {"", "", "1", "2", "3", "", "", "6", "7", "8", "9", "a"};
    const QString codice = QString::fromLatin1(codici[tipo]);
    if (!codice.isEmpty()) {
        PaginaFonteWidget::riempi(p->lstFonte, FontiInterne(state_.Connessione, QStringLiteral("2"), codice));
        p->FrameFonte->show();
    }
    const auto info1 = [p](const char* label, const QStringList& lines) {
        p->LabelInfo1->setText(QString::fromUtf8(label));
        PaginaFonteWidget::riempi(p->lstElenco1, lines);
        p->mostraInfo1(true);
    };
    switch (tipo) {
    case 3:
        info1("Provincia", ProvinceAutonome());
        break;
    case 4:
        p->FrameRegione->show();
        break;
    case 7:
        p->txtInfo1->clear();
        info1("Ministero", ElencoMinisteri(state_.Connessione));
        break;
    case 8:
        info1("Amministrazione", ElencoAmministrazioni(state_.Connessione));
        break;
    case 9:
        info1("Provincia", ProvinceAutonome());
        p->FrameRegione->show();
        break;
    case 10:
        info1("Autorità", ElencoAutorita(state_.Connessione));
        break;
    case 11:
        p->LabelInfo3->setText(QStringLiteral("Specifica"));
        p->mostraInfo3(true);
        break;
    default:
        break;
    }
}

void frmFontiInterne::layoutGiurisprudenza(PaginaFonteWidget* p, int tipo) {
    p->nascondiFacoltativi();
    p->chkDecr->setChecked(false);
    p->chkOrd->setChecked(false);
    p->FrameEstremi->show();
    p->LabelInfo1->setText(QStringLiteral("Città"));
    p->LabelInfo2->setText(QStringLiteral("Sezione"));
    // Kind -> the liv2 codes of its courts ("x-y": two codes).
    static const char* const codici[] = {"", "", "", "", "3", "4", "", "6", "7-8", "9-a", ""};
    const QString codice = QString::fromLatin1(codici[tipo]);
    if (!codice.isEmpty()) {
        const QStringList parti = codice.split(u'-');
        PaginaFonteWidget::riempi(
            p->lstFonte, parti.size() == 2
                             ? FontiInterne(state_.Connessione, QStringLiteral("3"), parti[0], parti[1])
                             : FontiInterne(state_.Connessione, QStringLiteral("3"), codice));
        p->FrameFonte->show();
    }
    const bool citta = tipo == 4 || tipo == 5 || tipo == 7 || tipo == 8 || tipo == 9;
    const bool sezioni = tipo == 3 || tipo == 4 || tipo == 5 || tipo == 6 || tipo == 7;
    const bool regione = tipo == 5 || tipo == 6 || tipo == 7 || tipo == 8;
    p->FrameAltro->setVisible(tipo <= 9);
    p->mostraInfo1(citta);
    p->mostraInfo2(sezioni);
    p->FrameRegione->setVisible(regione);
    if (tipo == 4 || tipo == 9 || tipo == 10) {
        p->LabelInfo3->setText(tipo == 4   ? QStringLiteral("Altro")
                               : tipo == 9 ? QStringLiteral("Ente/parti/.")
                                           : QStringLiteral("Specifica"));
        p->mostraInfo3(true);
    }
}

bool frmFontiInterne::immetti(int numeroPagina) {
    bool aggiunta = false;
    eseguiSicuro(state_.ui(), [&] {
        PaginaFonte dati = pagina(numeroPagina)->leggi();
        if (numeroPagina == PaginaNormativa)
            dati.province = ElencoProvince(state_.Connessione);
        aggiunta = ImmettiFonteInterna(numeroPagina, dati, buffer_, state_.ui());
    });
    return aggiunta;
}

void frmFontiInterne::cmdSalva_Click(int numeroPagina) {
    immetti(numeroPagina);
}

void frmFontiInterne::cmdClear_Click(int numeroPagina) {
    immetti(numeroPagina);
    pulisciPagina(numeroPagina);
    // Ready for the next source of the page.
    pagina(numeroPagina)->ComboFonte->setFocus();
}

void frmFontiInterne::cmdEsciSalva_Click(int numeroPagina) {
    const int tipo = pagina(numeroPagina)->ComboFonte->currentIndex();
    const bool aggiunta = immetti(numeroPagina);
    // A source refused for missing data stays on screen to be completed, not lost with the dialog.
    if (!aggiunta && tipo >= 1 && buffer_.IndiceFonte == -1)
        return;
    if (ricostruisci_)
        ricostruisci_();
    accept();
}

void frmFontiInterne::cmdAbbandona_Click() {
    reject();
}

void frmFontiInterne::pulisciPagina(int numeroPagina) {
    PaginaFonteWidget* p = pagina(numeroPagina);
    if (!p)
        return;
    for (QComboBox* c : {p->ComboFonte, p->ComboRipA, p->ComboRipC, p->ComboRegione, p->ComboMese})
        c->setCurrentIndex(0);
    for (QLineEdit* e : {p->txtInfo1, p->txtInfo2, p->txtInfo3, p->txtGG, p->txtAA, p->txtN, p->txtArt,
                         p->txtComma, p->txtLett, p->txtAll, p->txtNumP})
        e->clear();
    p->chkDecr->setChecked(false);
    p->chkOrd->setChecked(false);
    // The case-law page keeps its cities and sections; elsewhere the pick lists follow the kind.
    if (numeroPagina != PaginaGiurisprudenza) {
        p->lstElenco1->clear();
        p->lstElenco2->clear();
    }
}

void frmFontiInterne::SSTabInterna_Click(int tab) {
    pulisciPagina(paginaDelTab(tabCorrente_));
    tabCorrente_ = tab;
}

void frmFontiInterne::creaCatalogo() {
    frameInterrogazioneCatalogo = new QGroupBox(QStringLiteral("Interrogazione catalogo norme"), this);
    frameInterrogazioneCatalogo->setObjectName(QStringLiteral("frameInterrogazioneCatalogo"));
    QWidget* f = frameInterrogazioneCatalogo;
    const auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    txtCatalogoGiorno = new QLineEdit(f);
    named(txtCatalogoGiorno, "txtCatalogoGiorno");
    txtCatalogoGiorno->setFixedWidth(50);
    cmbCatalogoMese = new QComboBox(f);
    named(cmbCatalogoMese, "cmbCatalogoMese");
    cmbCatalogoMese->addItem(QStringLiteral("Mese"));
    cmbCatalogoMese->addItems(NomiMesi());
    txtCatalogoAnno = new QLineEdit(f);
    named(txtCatalogoAnno, "txtCatalogoAnno");
    txtCatalogoAnno->setFixedWidth(70);
    txtCatalogoNumero = new QLineEdit(f);
    named(txtCatalogoNumero, "txtCatalogoNumero");
    txtCatalogoNumero->setFixedWidth(90);
    cmbCatalogoNomeAtto = new QComboBox(f);
    named(cmbCatalogoNomeAtto, "cmbCatalogoNomeAtto");
    cmbCatalogoNomeAtto->addItem(QStringLiteral("Nome atto"));
    cmbCatalogoNomeAtto->addItems(NomiAttoCatalogo());
    txtCatalogoParola = new QLineEdit(f);
    named(txtCatalogoParola, "txtCatalogoParola");
    optIntero = new QRadioButton(QStringLiteral("Campo intero"), f);
    named(optIntero, "optIntero");
    optParte = new QRadioButton(QStringLiteral("Parte campo"), f);
    named(optParte, "optParte");
    ComboParte = new QComboBox(f);
    named(ComboParte, "ComboParte");
    ComboParte->addItems(
        {QStringLiteral("Tutte"), QStringLiteral("Almeno una"), QStringLiteral("Sequenza esatta")});
    cmdCercaCatalogo = new QPushButton(QStringLiteral("&Ricerca"), f);
    named(cmdCercaCatalogo, "cmdCercaCatalogo");
    cmdCercaCatalogo->setAutoDefault(false);
    cmdAbbandonaCatalogo = new QPushButton(QStringLiteral("A&bbandona ricerca"), f);
    named(cmdAbbandonaCatalogo, "cmdAbbandonaCatalogo");
    cmdAbbandonaCatalogo->setAutoDefault(false);
    lstRisultato = new QListWidget(f);
    named(lstRisultato, "lstRisultato");
    lstRisultato->setMinimumWidth(420);
    txtRisultato = new QPlainTextEdit(f);
    named(txtRisultato, "txtRisultato");
    txtRisultato->setReadOnly(true);
    txtRisultato->setMaximumHeight(80);

    auto* grid = new QGridLayout(f);
    int col = 0;
    for (const auto& [label, w] : {std::pair<const char*, QWidget*>{"Giorno", txtCatalogoGiorno},
                                   {"Mese", cmbCatalogoMese},
                                   {"Anno", txtCatalogoAnno},
                                   {"Numero", txtCatalogoNumero},
                                   {"Atto", cmbCatalogoNomeAtto}}) {
        grid->addWidget(new QLabel(QString::fromLatin1(label), f), 0, col);
        grid->addWidget(w, 1, col++);
    }
    grid->addWidget(new QLabel(QStringLiteral("Parole del titolo"), f), 2, 0, 1, 2);
    grid->addWidget(txtCatalogoParola, 3, 0, 1, col);
    auto* modi = new QHBoxLayout;
    modi->addWidget(optIntero);
    modi->addWidget(optParte);
    modi->addWidget(ComboParte);
    modi->addStretch();
    grid->addLayout(modi, 4, 0, 1, col);
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(cmdCercaCatalogo);
    bottoni->addWidget(cmdAbbandonaCatalogo);
    grid->addLayout(bottoni, 5, 0, 1, col);
    grid->addWidget(lstRisultato, 6, 0, 1, col);
    grid->addWidget(txtRisultato, 7, 0, 1, col);
    grid->setRowStretch(6, 1);

    connect(optIntero, &QRadioButton::clicked, this, &frmFontiInterne::optIntero_Click);
    connect(optParte, &QRadioButton::clicked, this, &frmFontiInterne::optParte_Click);
    connect(cmdCercaCatalogo, &QPushButton::clicked, this, &frmFontiInterne::cmdCercaCatalogo_Click);
    // Enter in a search box searches (the dialog has no default button that could add a source).
    for (QLineEdit* e : {txtCatalogoGiorno, txtCatalogoAnno, txtCatalogoNumero, txtCatalogoParola})
        connect(e, &QLineEdit::returnPressed, this, &frmFontiInterne::cmdCercaCatalogo_Click);
    connect(cmdAbbandonaCatalogo, &QPushButton::clicked, this, &frmFontiInterne::cmdAbbandonaCatalogo_Click);
    connect(lstRisultato, &QListWidget::currentRowChanged, this, &frmFontiInterne::lstRisultato_Click);
    connect(lstRisultato, &QListWidget::itemDoubleClicked, this, &frmFontiInterne::lstRisultato_DblClick);
    // Enter on a result copies it, as a double click does.
    sceltaDaTastiera(lstRisultato, [this] { lstRisultato_DblClick(); });
    frameInterrogazioneCatalogo->hide();
}

void frmFontiInterne::cmdCatalogoFonti_Click() {
    for (QLineEdit* e : {txtCatalogoGiorno, txtCatalogoAnno, txtCatalogoNumero, txtCatalogoParola})
        e->clear();
    cmbCatalogoMese->setCurrentIndex(0);
    cmbCatalogoNomeAtto->setCurrentIndex(0);
    ComboParte->setCurrentIndex(0);
    optParte->setChecked(true);
    ComboParte->setEnabled(true);
    lstRisultato->clear();
    txtRisultato->clear();
    if (!state_.CatalogoAperto && ApriCatalogo(state_))
        catalogoApertoQui_ = true;
    if (!state_.CatalogoAperto) {
        state_.ui().message(
            QStringLiteral("Impossibile aprire il catalogo norme (%1)").arg(state_.home.cataloguePath()),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    frameInterrogazioneCatalogo->show();
    adattaAlloSchermo(this);
    txtCatalogoAnno->setFocus();
}

void frmFontiInterne::optIntero_Click() {
    ComboParte->setEnabled(false);
}

void frmFontiInterne::optParte_Click() {
    ComboParte->setEnabled(true);
    ComboParte->setCurrentIndex(0);
}

void frmFontiInterne::cmdCercaCatalogo_Click() {
    if (!state_.CatalogoAperto)
        return;
    RicercaCatalogo r;
    r.giorno = txtCatalogoGiorno->text();
    r.mese = cmbCatalogoMese->currentIndex() >= 1 ? cmbCatalogoMese->currentText() : QString();
    r.anno = txtCatalogoAnno->text();
    r.numero = txtCatalogoNumero->text();
    r.nomeAtto = cmbCatalogoNomeAtto->currentIndex() >= 1 ? cmbCatalogoNomeAtto->currentText() : QString();
    r.parola = txtCatalogoParola->text();
    r.intero = optIntero->isChecked();
    r.modo = ComboParte->currentText();
    eseguiSicuro(state_.ui(), [&] {
        QStringList righe;
        if (CercaCatalogo(state_.ConnessioneCatalogo, state_.ui(), r, righe)) {
            PaginaFonteWidget::riempi(lstRisultato, righe);
            txtRisultato->clear();
            // The operator goes on choosing among the acts found: arrows, then Enter.
            lstRisultato->setCurrentRow(0);
            lstRisultato->setFocus(Qt::OtherFocusReason);
        }
    });
}

void frmFontiInterne::lstRisultato_Click() {
    const QListWidgetItem* item = lstRisultato->currentItem();
    if (!item || !state_.CatalogoAperto)
        return;
    const std::optional<qint64> id = NumeroRiga(item->text());
    if (!id)
        return;
    eseguiSicuro(state_.ui(),
                 [&] { txtRisultato->setPlainText(DettaglioCatalogo(state_.ConnessioneCatalogo, *id)); });
}

void frmFontiInterne::lstRisultato_DblClick() {
    const QListWidgetItem* item = lstRisultato->currentItem();
    if (!item || !state_.CatalogoAperto)
        return;
    const std::optional<qint64> id = NumeroRiga(item->text());
    if (!id)
        return;
    eseguiSicuro(state_.ui(), [&] {
        PaginaFonteWidget* p = pagina(PaginaNormativa);
        PaginaFonte dati = p->leggi();
        if (!CopiaCatalogo(state_.ConnessioneCatalogo, *id, dati))
            return;
        SSTabInterna->setCurrentWidget(p);
        p->txtAA->setText(dati.txtAA);
        p->txtN->setText(dati.txtN);
        p->txtGG->setText(dati.txtGG);
        PaginaFonteWidget::scegli(p->ComboMese, dati.mese);
        if (p->ComboFonte->currentIndex() != dati.tipo)
            p->ComboFonte->setCurrentIndex(dati.tipo);
        else
            ComboFonte_Click(PaginaNormativa);
        if (!dati.atto.isEmpty())
            PaginaFonteWidget::seleziona(p->lstFonte, dati.atto);
        frameInterrogazioneCatalogo->hide();
    });
}

void frmFontiInterne::cmdAbbandonaCatalogo_Click() {
    ChiudiCatalogo(state_);
    catalogoApertoQui_ = false;
    frameInterrogazioneCatalogo->hide();
}

void frmFontiInterne::chiudiCatalogo() {
    if (catalogoApertoQui_)
        ChiudiCatalogo(state_);
    catalogoApertoQui_ = false;
}
