#include "sources/frmAltreFonti.h"

#include "sources/ComponiAltre.h"
#include "sources/ElenchiFonti.h"
#include "sources/frmScelta.h"
#include "store/AppState.h"
#include "store/DocumentBuffer.h"
#include "store/mdlGlobale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmAltreFonti::frmAltreFonti(AppState& state, DocumentBuffer& buffer, std::function<void()> ricostruisci,
                             int tab, QWidget* parent)
    : QDialog(parent), state_(state), buffer_(buffer), ricostruisci_(std::move(ricostruisci)) {
    setObjectName(QStringLiteral("frmAltreFonti"));
    setWindowTitle(QStringLiteral("Tipi di diritto diverso da quello interno"));
    setModal(true);

    SSTabAltra = new QTabWidget(this);
    SSTabAltra->setObjectName(QStringLiteral("SSTabAltra"));
    for (int n = 0; n < 5; ++n) {
        pagine_[n] = new PaginaFonteWidget(n, state_.home.root(), SSTabAltra);
        SSTabAltra->addTab(pagine_[n], TitoliAltreFonti().at(n));
    }
    creaNIT();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SSTabAltra, 1);
    layout->addWidget(frameNIT);

    eseguiSicuro(state_.ui(), [this] { PreparaAltreFonti(); });
    frameNIT->hide();
    SSTabAltra->setCurrentIndex(std::clamp(tab, 0, 4));
    tastiPagine(this, SSTabAltra);
    tabSempreVisibili(SSTabAltra);
    // The operator starts by choosing the family.
    pagine_[SSTabAltra->currentIndex()]->ComboFonte->setFocus();
}

PaginaFonteWidget* frmAltreFonti::pagina(int numero) const {
    return numero >= 0 && numero < 5 ? pagine_[numero] : nullptr;
}

void frmAltreFonti::creaNIT() {
    frameNIT = new QGroupBox(QStringLiteral("Trattati, accordi, convenzioni internazionali "), this);
    frameNIT->setObjectName(QStringLiteral("frameNIT"));
    Frame2 = new QGroupBox(QStringLiteral("Ricerca nel testo della fonte"), frameNIT);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    const auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    txtNIT = named(new QLineEdit(Frame2), "txtNIT");
    optIntero = named(new QRadioButton(QStringLiteral("Campo intero"), Frame2), "optIntero");
    optParte = named(new QRadioButton(QStringLiteral("Parte campo"), Frame2), "optParte");
    ComboParte = named(new QComboBox(Frame2), "ComboParte");
    cmdCercaNIT = named(new QPushButton(QStringLiteral("&Ricerca"), Frame2), "cmdCercaNIT");
    cmdCercaNIT->setToolTip(QStringLiteral("Esegue ricerca per estremi"));
    cmdClearNIT = named(new QPushButton(QStringLiteral("Clear"), Frame2), "cmdClearNIT");
    lstNIT = named(new QListWidget(frameNIT), "lstNIT");
    // Beside the five tabs the dialog still fits a 1024-pixel screen; longer lines scroll.
    lstNIT->setMinimumSize(300, 200);
    txtLiberoNIT = named(new QLineEdit(frameNIT), "txtLiberoNIT");
    lblAvvisoNIT = named(new QLabel(frameNIT), "lblAvvisoNIT");
    lblAvvisoNIT->setStyleSheet(QStringLiteral("color: #a00000"));
    cmdSalvaNIT = named(new QPushButton(QStringLiteral("Salva &NIT"), frameNIT), "cmdSalvaNIT");
    cmdSalvaNIT->setToolTip(QStringLiteral("Salva la fonte corrente"));
    cmdAbbandonaNIT = named(new QPushButton(QStringLiteral("A&bbandona"), frameNIT), "cmdAbbandonaNIT");
    cmdAbbandonaNIT->setToolTip(QStringLiteral("Esce senza salvare"));
    for (QPushButton* b : {cmdCercaNIT, cmdClearNIT, cmdSalvaNIT, cmdAbbandonaNIT})
        b->setAutoDefault(false);

    // Narrow, one choice a line: beside it the tab bar keeps room for all five families.
    auto* ricerca = new QGridLayout(Frame2);
    ricerca->addWidget(txtNIT, 0, 0, 1, 3);
    ricerca->addWidget(optIntero, 1, 0);
    ricerca->addWidget(optParte, 1, 1);
    ricerca->addWidget(ComboParte, 2, 1, 1, 2);
    ricerca->setColumnStretch(2, 1);
    auto* bottoniRicerca = new QHBoxLayout;
    bottoniRicerca->addStretch();
    bottoniRicerca->addWidget(cmdCercaNIT);
    bottoniRicerca->addWidget(cmdClearNIT);
    ricerca->addLayout(bottoniRicerca, 3, 0, 1, 3);

    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(cmdSalvaNIT);
    bottoni->addWidget(cmdAbbandonaNIT);
    auto* layout = new QVBoxLayout(frameNIT);
    layout->addWidget(Frame2);
    layout->addWidget(lstNIT, 1);
    layout->addWidget(txtLiberoNIT);
    layout->addWidget(lblAvvisoNIT);
    layout->addLayout(bottoni);

    ComboParte->addItems(
        {QStringLiteral("Tutte"), QStringLiteral("Almeno una"), QStringLiteral("Sequenza esatta")});

    connect(cmdCercaNIT, &QPushButton::clicked, this, &frmAltreFonti::cmdCercaNIT_Click);
    connect(txtNIT, &QLineEdit::returnPressed, this, &frmAltreFonti::cmdCercaNIT_Click);
    connect(cmdClearNIT, &QPushButton::clicked, this, &frmAltreFonti::cmdClearNIT_Click);
    connect(lstNIT, &QListWidget::itemClicked, this, &frmAltreFonti::lstNIT_Click);
    // Enter on a line does what a click on it does: arrows only move through the list.
    sceltaDaTastiera(lstNIT, [this] { lstNIT_Click(); });
    connect(cmdSalvaNIT, &QPushButton::clicked, this, &frmAltreFonti::cmdSalvaNIT_Click);
    connect(cmdAbbandonaNIT, &QPushButton::clicked, this, &frmAltreFonti::cmdAbbandonaNIT_Click);
    connect(optIntero, &QRadioButton::clicked, this, &frmAltreFonti::optIntero_Click);
    connect(optParte, &QRadioButton::clicked, this, &frmAltreFonti::optParte_Click);
    connect(txtLiberoNIT, &QLineEdit::textEdited, this, &frmAltreFonti::txtLiberoNIT_Change);
}

void frmAltreFonti::PreparaAltreFonti() {
    const QStringList citta = ElencoCitta(state_.Connessione);
    const QStringList sezioni = ElencoSezioni(state_.Connessione);
    for (int n = 0; n < 5; ++n) {
        PaginaFonteWidget* p = pagine_[n];
        for (QComboBox* c : {p->ComboRipA, p->ComboRipC}) {
            c->clear();
            c->addItem(QStringLiteral("Ripartizione"));
            c->addItems(SuffissiAltreFonti());
            c->setCurrentIndex(0);
        }
        p->etichetteRipartizioni(false);
        p->ComboFonte->blockSignals(true);
        p->ComboFonte->clear();
        p->ComboFonte->addItem(TitoliAltreFonti().at(n));
        p->ComboFonte->addItems(FamiglieAltreFonti(n));
        p->ComboFonte->setCurrentIndex(0);
        p->ComboFonte->blockSignals(false);
        p->nascondiFacoltativi();
        if (n == PaginaCanonica) {
            PaginaFonteWidget::riempi(p->lstElenco1, citta);
            p->LabelInfo1->setText(QStringLiteral("Città"));
        }
        if (n == PaginaInternazionale || n == PaginaComunitaria) {
            PaginaFonteWidget::riempi(p->lstElenco2, sezioni);
            p->LabelInfo2->setText(QStringLiteral("Sezione"));
        }

        connect(p->ComboFonte, &QComboBox::currentIndexChanged, this, [this, n] { ComboFonte_Click(n); });
        connect(p->lstFonte, &QListWidget::itemClicked, this, [this, n] { lstFonte_Click(n); });
        sceltaDaTastiera(p->lstFonte, [this, n] { lstFonte_Click(n); });
        connect(p->cmdSalva, &QPushButton::clicked, this, [this, n] { cmdSalva_Click(n); });
        connect(p->cmdClear, &QPushButton::clicked, this, [this, n] { cmdClear_Click(n); });
        connect(p->cmdEsciSalva, &QPushButton::clicked, this, [this, n] { cmdEsciSalva_Click(n); });
        connect(p->cmdAbbandona, &QPushButton::clicked, this, &frmAltreFonti::cmdAbbandona_Click);
        connect(p->cmdListaStati, &QPushButton::clicked, this, [this, n] { cmdListaStati_Click(n); });
        connect(p->cmdAid, &QPushButton::clicked, this, [this] { MostraFormalismo(state_.ui()); });
    }
}

void frmAltreFonti::ComboFonte_Click(int n) {
    PaginaFonteWidget* p = pagina(n);
    frameNIT->hide();
    txtLiberoNIT->clear();
    lblAvvisoNIT->clear();
    p->FrameEstremi->hide();
    p->FrameRipartizioni->hide();
    p->mostraLibero(false);
    p->FrameFonte->hide();
    // A hidden list keeps no choice: a sub-kind picked before must not name another family.
    p->lstFonte->clear();
    p->FrameAltro->hide();
    if (n == PaginaInternazionale || n == PaginaComunitaria)
        p->mostraInfo2(false);
    if (n == PaginaCanonica) {
        p->FrameRegione->hide();
        p->mostraInfo1(false);
    }
    const int pos = p->ComboFonte->currentIndex();
    if (pos < 1)
        return;

    const auto altro = [p] {
        p->chkDecr->setChecked(false);
        p->chkOrd->setChecked(false);
        p->FrameAltro->show();
    };
    const auto lista = [p](const QStringList& righe) {
        PaginaFonteWidget::riempi(p->lstFonte, righe);
        p->FrameFonte->show();
    };
    eseguiSicuro(state_.ui(), [&] {
        cConnessione& c = state_.Connessione;
        switch (n) {
        case PaginaInternazionale:
            if (pos == 1) {
                p->FrameRipartizioni->show();
                p->mostraLibero(true);
                frameNIT->show();
                adattaAlloSchermo(this);
                CaricaNIT();
            } else {
                p->FrameEstremi->show();
                p->mostraLibero(true);
                lista(FontiInternazionali(c, pos));
                if (pos == 3) {
                    altro();
                    p->mostraInfo2(true);
                }
            }
            break;
        case PaginaComunitaria: {
            static const int tipi[] = {0, 1, 2, 4, 3};
            lista(FontiComunitarie(c, tipi[pos]));
            p->FrameRipartizioni->setVisible(pos <= 3);
            p->FrameEstremi->setVisible(pos >= 2);
            p->mostraLibero(pos >= 3);
            if (pos == 4) {
                altro();
                p->mostraInfo2(true);
            }
            break;
        }
        case PaginaStraniera:
            p->FrameEstremi->show();
            p->FrameRipartizioni->show();
            p->mostraLibero(true);
            p->mostraStato(true);
            if (pos == 2)
                altro();
            break;
        case PaginaCanonica:
            p->etichetteRipartizioni(false);
            p->FrameEstremi->show();
            p->FrameRipartizioni->show();
            p->mostraLibero(true);
            if (pos == 1) {
                lista({QStringLiteral("C. Iur. Can.")});
                p->etichetteRipartizioni(true);
            } else if (pos == 3) {
                lista(FontiCanoniche(c));
                altro();
                p->FrameRegione->show();
                p->mostraInfo1(true);
            }
            break;
        case PaginaStorica:
            p->mostraLibero(true);
            if (pos < 4 || pos > 6)
                lista(SottotipiStorici(CodiceTraAsterischi(p->ComboFonte->currentText())));
            break;
        default:
            break;
        }
    });
}

void frmAltreFonti::lstFonte_Click(int n) {
    PaginaFonteWidget* p = pagina(n);
    if (n != PaginaComunitaria || PaginaFonteWidget::selezionata(p->lstFonte) != NomeConvenzioneUE())
        return;
    eseguiSicuro(state_.ui(), [&] {
        const QList<ConvenzioneUE> conv = ConvenzioniUE(state_.Connessione);
        QStringList righe;
        for (const ConvenzioneUE& c : conv)
            righe << c.riga;
        const QString scelto = frmScelta::scegli(righe, this);
        if (scelto.isEmpty())
            return;
        const std::optional<qint64> numero = NumeroRiga(scelto);
        if (!numero || *numero < 1 || *numero > conv.size())
            return;
        const ConvenzioneUE& c = conv.at(*numero - 1);
        p->txtGG->setText(c.giorno);
        PaginaFonteWidget::scegli(p->ComboMese, c.mese);
        p->txtAA->setText(c.anno);
        p->txtLibero->setText(c.altro);
    });
}

bool frmAltreFonti::immetti(int n) {
    bool aggiunta = false;
    eseguiSicuro(state_.ui(), [&] {
        aggiunta = ImmettiFonteAltra(n, pagina(n)->leggi(), buffer_, state_.Connessione, state_.ui());
    });
    return aggiunta;
}

void frmAltreFonti::cmdSalva_Click(int n) {
    immetti(n);
}

void frmAltreFonti::cmdClear_Click(int n) {
    immetti(n);
    PulisciAltreFonti(n);
    // Ready for the next source of the page.
    pagina(n)->ComboFonte->setFocus();
}

void frmAltreFonti::cmdEsciSalva_Click(int n) {
    const int tipo = pagina(n)->ComboFonte->currentIndex();
    const bool aggiunta = immetti(n);
    // A source refused for missing data stays on screen to be completed, not lost with the dialog.
    if (!aggiunta && tipo >= 1 && buffer_.IndiceFonte == -1)
        return;
    if (ricostruisci_)
        ricostruisci_();
    accept();
}

void frmAltreFonti::cmdAbbandona_Click() {
    reject();
}

void frmAltreFonti::cmdListaStati_Click(int n) {
    if (n != PaginaStraniera)
        return;
    eseguiSicuro(state_.ui(), [&] {
        const QString scelto = frmScelta::scegli(ElencoStati(state_.Connessione), this);
        if (!scelto.isEmpty())
            pagina(n)->txtStato->setText(scelto);
    });
}

void frmAltreFonti::PulisciAltreFonti(int n) {
    PaginaFonteWidget* p = pagina(n);
    for (QLineEdit* e : {p->txtArt, p->txtComma, p->txtLett, p->txtNumP, p->txtAll, p->txtGG, p->txtAA,
                         p->txtN, p->txtLibero})
        e->clear();
    for (QComboBox* c : {p->ComboRipA, p->ComboRipC, p->ComboMese, p->ComboFonte})
        c->setCurrentIndex(0);
    p->chkDecr->setChecked(false);
    p->chkOrd->setChecked(false);
    frameNIT->hide();
    p->FrameEstremi->show();
    p->FrameRipartizioni->show();
    p->mostraLibero(true);
    p->mostraStato(n == PaginaStraniera);
}

namespace {

// The narrow treaty list says each whole line when the pointer rests on it.
void lineeIntere(QListWidget* list) {
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setToolTip(list->item(i)->text());
}

} // namespace

void frmAltreFonti::CaricaNIT() {
    PaginaFonteWidget::riempi(lstNIT, ::CaricaNIT(state_.Connessione));
    lineeIntere(lstNIT);
    optIntero->setChecked(true);
    optParte->setChecked(false);
    optIntero_Click();
    txtNIT->clear();
}

void frmAltreFonti::cmdCercaNIT_Click() {
    if (txtNIT->text().isEmpty())
        return;
    eseguiSicuro(state_.ui(), [&] {
        QStringList righe;
        if (CercaNIT(state_.Connessione, state_.ui(), txtNIT->text(), optIntero->isChecked(),
                     ComboParte->currentText(), righe)) {
            PaginaFonteWidget::riempi(lstNIT, righe);
            lineeIntere(lstNIT);
            // The operator goes on choosing among what was found.
            lstNIT->setCurrentRow(0);
            lstNIT->setFocus(Qt::OtherFocusReason);
        }
    });
}

void frmAltreFonti::cmdClearNIT_Click() {
    eseguiSicuro(state_.ui(), [&] { CaricaNIT(); });
}

void frmAltreFonti::lstNIT_Click() {
    if (const QListWidgetItem* item = lstNIT->currentItem()) {
        txtLiberoNIT->setText(item->text());
        ultimoNIT_ = item->text();
        lblAvvisoNIT->clear();
    }
}

void frmAltreFonti::txtLiberoNIT_Change(const QString& testo) {
    PaginaFonteWidget::cercaPrefisso(lstNIT, testo);
    const int row = lstNIT->currentRow();
    const bool cancella = testo.size() <= ultimoNIT_.size() && ultimoNIT_.startsWith(testo);
    ultimoNIT_ = testo;
    if (row < 0) {
        // Nothing to complete: the typed text stays, and the operator is told why.
        lblAvvisoNIT->setText(
            testo.isEmpty() ? QString()
                            : QStringLiteral("Nessun trattato dell'elenco comincia con \"%1\"").arg(testo));
        return;
    }
    lblAvvisoNIT->clear();
    if (cancella)
        return;
    // The typed beginning is completed to the whole line; the completion stays selected, so that
    // typing on replaces it.
    const QString riga = lstNIT->item(row)->text();
    txtLiberoNIT->setText(riga);
    txtLiberoNIT->setSelection(static_cast<int>(testo.size()), static_cast<int>(riga.size() - testo.size()));
}

void frmAltreFonti::cmdSalvaNIT_Click() {
    frameNIT->hide();
    pagina(PaginaInternazionale)->txtLibero->setText(txtLiberoNIT->text());
}

void frmAltreFonti::cmdAbbandonaNIT_Click() {
    frameNIT->hide();
}

void frmAltreFonti::optIntero_Click() {
    ComboParte->setEnabled(false);
}

void frmAltreFonti::optParte_Click() {
    ComboParte->setEnabled(true);
    ComboParte->setCurrentIndex(0);
}
