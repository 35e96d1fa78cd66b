#include "sources/frmModificaFonte.h"

#include "sources/IdentificativiUfficiali.h"
#include "sources/ModificaFonte.h"
#include "sources/frmPaginaFonte.h"
#include "store/AppState.h"
#include "store/DocumentBuffer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmModificaFonte::frmModificaFonte(AppState& state, DocumentBuffer& buffer,
                                   std::function<void()> ricostruisci, QWidget* parent)
    : QDialog(parent), state_(state), buffer_(buffer), ricostruisci_(std::move(ricostruisci)) {
    setObjectName(QStringLiteral("frmModificaFonte"));
    setWindowTitle(QStringLiteral("Modifica fonte"));
    setModal(true);

    auto* grid = new QGridLayout;
    // Label, box, and the grid cell: two columns of fields.
    const struct {
        const char* label;
        QLineEdit** box;
        const char* name;
    } campi[] = {
        {"Tipo (TP)", &txtTP, "txtTP"},
        {"Fonte", &txtFonte, "txtFonte"},
        {"Giorno", &txtGG, "txtGG"},
        {"Mese", &txtMM, "txtMM"},
        {"Anno", &txtAA, "txtAA"},
        {"Numero", &txtN, "txtN"},
        {"Articolo", &txtArt, "txtArt"},
        {"Ripartizione articolo", &txtRipA, "txtRipA"},
        {"Comma", &txtComma, "txtComma"},
        {"Ripartizione comma", &txtRipC, "txtRipC"},
        {"Lettera", &txtLett, "txtLett"},
        {"Numero (punto)", &txtNumP, "txtNumP"},
        {"Allegato", &txtAll, "txtAll"},
        {"Altro", &txtAltro, "txtAltro"},
        {"Amministrazione", &txtAmministrazione, "txtAmministrazione"},
        {"Autorità", &txtAutorita, "txtAutorita"},
        {"Città", &txtCitta, "txtCitta"},
        {"Sezione", &txtSezione, "txtSezione"},
        {"Regione", &txtRegione, "txtRegione"},
        {"Provincia", &txtProvincia, "txtProvincia"},
        {"Stato", &txtStato, "txtStato"},
    };
    int i = 0;
    for (const auto& c : campi) {
        *c.box = new QLineEdit(this);
        (*c.box)->setObjectName(QString::fromLatin1(c.name));
        const int row = i / 2;
        const int col = (i % 2) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(c.label), this), row, col);
        grid->addWidget(*c.box, row, col + 1);
        ++i;
    }
    chkDecr = new QCheckBox(QStringLiteral("Decreto"), this);
    chkDecr->setObjectName(QStringLiteral("chkDecr"));
    chkOrd = new QCheckBox(QStringLiteral("Ordinanza"), this);
    chkOrd->setObjectName(QStringLiteral("chkOrd"));
    const int row = (i + 1) / 2;
    grid->addWidget(chkDecr, row, 1);
    grid->addWidget(chkOrd, row, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    txtTesto = new QLineEdit(this);
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    txtTesto->setMinimumWidth(560);
    txtIdentificativo = new QLineEdit(this);
    txtIdentificativo->setObjectName(QStringLiteral("txtIdentificativo"));
    txtIdentificativo->setReadOnly(true);
    txtIdentificativo->setFocusPolicy(Qt::ClickFocus);
    // Shown on the window's colour: it can be copied, not typed into.
    QPalette sfondo = txtIdentificativo->palette();
    sfondo.setColor(QPalette::Base, sfondo.color(QPalette::Window));
    txtIdentificativo->setPalette(sfondo);

    cmdEsci = new QPushButton(QStringLiteral("&Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setToolTip(QStringLiteral("Conferma le modifiche ed esce"));
    cmdEsci->setDefault(true);
    cmdAbbandona = new QPushButton(QStringLiteral("&Abbandona"), this);
    cmdAbbandona->setObjectName(QStringLiteral("cmdAbbandona"));
    cmdAbbandona->setToolTip(QStringLiteral("Esce senza salvare"));
    cmdAbbandona->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    buttons->addWidget(cmdAbbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Testo della fonte"), this));
    layout->addWidget(txtTesto);
    layout->addLayout(grid);
    auto* identificativo = new QHBoxLayout;
    identificativo->addWidget(new QLabel(QStringLiteral("Identificativo ufficiale"), this));
    identificativo->addWidget(txtIdentificativo, 1);
    layout->addLayout(identificativo);
    layout->addLayout(buttons);

    // Tab follows the window from the citation at the top through the fields, row by row.
    QWidget* precedente = txtTesto;
    for (const auto& c : campi) {
        setTabOrder(precedente, *c.box);
        precedente = *c.box;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{chkDecr, chkOrd, cmdEsci, cmdAbbandona}) {
        setTabOrder(precedente, w);
        precedente = w;
    }

    // The identifier follows the fields as they are typed.
    for (const auto& c : campi)
        connect(*c.box, &QLineEdit::textChanged, this, &frmModificaFonte::aggiornaIdentificativo);
    connect(chkDecr, &QCheckBox::toggled, this, &frmModificaFonte::aggiornaIdentificativo);
    connect(chkOrd, &QCheckBox::toggled, this, &frmModificaFonte::aggiornaIdentificativo);
    connect(cmdEsci, &QPushButton::clicked, this, &frmModificaFonte::cmdEsci_Click);
    connect(cmdAbbandona, &QPushButton::clicked, this, &frmModificaFonte::cmdAbbandona_Click);
    aggiornaIdentificativo();
}

void frmModificaFonte::MostraFonte() {
    if (buffer_.IndiceFonte < 0 || buffer_.IndiceFonte >= buffer_.ElencoFonti.size())
        return;
    const SchedaFonte s = ::MostraFonte(buffer_.ElencoFonti.at(buffer_.IndiceFonte));
    txtTP->setText(s.txtTP);
    txtFonte->setText(s.txtFonte);
    txtGG->setText(s.txtGG);
    txtMM->setText(s.txtMM);
    txtAA->setText(s.txtAA);
    txtArt->setText(s.txtArt);
    txtComma->setText(s.txtComma);
    txtLett->setText(s.txtLett);
    txtAll->setText(s.txtAll);
    txtRipA->setText(s.txtRipA);
    txtRipC->setText(s.txtRipC);
    txtN->setText(s.txtN);
    txtNumP->setText(s.txtNumP);
    txtAltro->setText(s.txtAltro);
    txtAmministrazione->setText(s.txtAmministrazione);
    txtAutorita->setText(s.txtAutorita);
    txtCitta->setText(s.txtCitta);
    txtSezione->setText(s.txtSezione);
    txtRegione->setText(s.txtRegione);
    txtProvincia->setText(s.txtProvincia);
    txtStato->setText(s.txtStato);
    txtTesto->setText(s.txtTesto);
    txtTesto->setCursorPosition(0);
    txtTesto->setFocus();
    chkDecr->setChecked(s.chkDecr);
    chkOrd->setChecked(s.chkOrd);
}

SchedaFonte frmModificaFonte::leggiScheda() const {
    SchedaFonte s;
    s.txtTP = txtTP->text();
    s.txtFonte = txtFonte->text();
    s.txtGG = txtGG->text();
    s.txtMM = txtMM->text();
    s.txtAA = txtAA->text();
    s.txtArt = txtArt->text();
    s.txtComma = txtComma->text();
    s.txtLett = txtLett->text();
    s.txtAll = txtAll->text();
    s.txtRipA = txtRipA->text();
    s.txtRipC = txtRipC->text();
    s.txtN = txtN->text();
    s.txtNumP = txtNumP->text();
    s.txtAltro = txtAltro->text();
    s.txtAmministrazione = txtAmministrazione->text();
    s.txtAutorita = txtAutorita->text();
    s.txtCitta = txtCitta->text();
    s.txtSezione = txtSezione->text();
    s.txtRegione = txtRegione->text();
    s.txtProvincia = txtProvincia->text();
    s.txtStato = txtStato->text();
    s.txtTesto = txtTesto->text();
    s.chkDecr = chkDecr->isChecked();
    s.chkOrd = chkOrd->isChecked();
    return s;
}

void frmModificaFonte::aggiornaIdentificativo() {
    VoceFonte v;
    CopiaScheda(leggiScheda(), v);
    const IdentificativoUfficiale id = ComponiIdentificativo(v);
    txtIdentificativo->setText(id.testo);
    txtIdentificativo->setCursorPosition(0);
    txtIdentificativo->setPlaceholderText(
        id.motivo.isEmpty() ? QStringLiteral("nessuno: la fonte non ha un identificativo certo")
                            : QStringLiteral("nessuno: ") + id.motivo);
}

void frmModificaFonte::cmdEsci_Click() {
    const SchedaFonte s = leggiScheda();
    bool confermata = false;
    eseguiSicuro(state_.ui(), [&] {
        confermata = ConfermaModificaFonte(buffer_, s, state_.ui(), ValoriFissiArchivio(state_.Connessione));
    });
    if (!confermata)
        return;
    if (ricostruisci_)
        ricostruisci_();
    accept();
}

void frmModificaFonte::cmdAbbandona_Click() {
    reject();
}
