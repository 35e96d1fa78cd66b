#include "documents/frmTesti.h"

#include "documents/Testi.h"
#include "ui/qt/QtCheckSession.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The checked text goes into the box as one editing step: Ctrl+Z takes the corrections back.
void mettiTestoControllato(QPlainTextEdit* box, const QString& testo) {
    if (box->toPlainText() == testo)
        return;
    QTextCursor cursor(box->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(testo);
}

} // namespace

frmTesti::frmTesti(AppState& state, DocumentBuffer& buffer, QWidget* parent)
    : QDialog(parent), state_(state), buffer_(buffer) {
    setObjectName(QStringLiteral("frmTesti"));
    setModal(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtTesto = new QPlainTextEdit(this);
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    txtTesto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtTesto->setTabChangesFocus(true);
    Label1->setBuddy(txtTesto);

    frmConteggio = new QGroupBox(QStringLiteral("Conteggio"), this);
    frmConteggio->setObjectName(QStringLiteral("frmConteggio"));
    lblConteggio = new QLabel(QStringLiteral("0"), frmConteggio);
    lblConteggio->setObjectName(QStringLiteral("lblConteggio"));
    lblConteggio->setMinimumWidth(48);
    lblConteggio->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* conteggio = new QHBoxLayout(frmConteggio);
    conteggio->addWidget(new QLabel(QStringLiteral("N. caratteri:"), frmConteggio));
    conteggio->addWidget(lblConteggio);
    conteggio->addWidget(new QLabel(QStringLiteral(" Max = 2500"), frmConteggio));

    frmControlli = new QGroupBox(QStringLiteral("Controlli"), this);
    frmControlli->setObjectName(QStringLiteral("frmControlli"));
    cmdControlloOrtografico = new QPushButton(QStringLiteral("&Ortografico"), frmControlli);
    cmdControlloOrtografico->setObjectName(QStringLiteral("cmdControlloOrtografico"));
    cmdControlloGrammaticale = new QPushButton(QStringLiteral("&Grammaticale"), frmControlli);
    cmdControlloGrammaticale->setObjectName(QStringLiteral("cmdControlloGrammaticale"));
    auto* controlli = new QHBoxLayout(frmControlli);
    controlli->addWidget(cmdControlloOrtografico);
    controlli->addWidget(cmdControlloGrammaticale);

    cmdUndo = new QPushButton(QStringLiteral("&Undo"), this);
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    cmdEsci = new QPushButton(QStringLiteral("&Esci e salva"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdAbbandona = new QPushButton(QStringLiteral("&Abbandona"), this);
    cmdAbbandona->setObjectName(QStringLiteral("cmdAbbandona"));
    for (QPushButton* b : {cmdControlloOrtografico, cmdControlloGrammaticale, cmdUndo, cmdEsci, cmdAbbandona})
        b->setAutoDefault(false);

    auto* sotto = new QHBoxLayout;
    sotto->addWidget(frmConteggio);
    sotto->addWidget(frmControlli);
    sotto->addStretch();
    sotto->addWidget(cmdUndo, 0, Qt::AlignBottom);
    sotto->addWidget(cmdEsci, 0, Qt::AlignBottom);
    sotto->addWidget(cmdAbbandona, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtTesto, 1);
    layout->addLayout(sotto);
    resize(760, 460);

    connect(txtTesto, &QPlainTextEdit::textChanged, this, &frmTesti::txtTesto_Change);
    connect(cmdEsci, &QPushButton::clicked, this, &frmTesti::cmdEsci_Click);
    connect(cmdAbbandona, &QPushButton::clicked, this, &frmTesti::cmdAbbandona_Click);
    connect(cmdUndo, &QPushButton::clicked, this, &frmTesti::cmdUndo_Click);
    connect(cmdControlloOrtografico, &QPushButton::clicked, this, &frmTesti::cmdControlloOrtografico_Click);
    connect(cmdControlloGrammaticale, &QPushButton::clicked, this, &frmTesti::cmdControlloGrammaticale_Click);

    // Load: caption, label and text of the kind being edited.
    const TitoliTesto titoli = titoliFrmTesti(buffer_.TipoTestoCorrente);
    if (const QString* testo = testoFrmTesti(buffer_, buffer_.TipoTestoCorrente)) {
        setWindowTitle(titoli.caption);
        Label1->setText(titoli.label);
        testoIniziale_ = *testo;
        txtTesto->setPlainText(*testo);
    }
    testoMostrato_ = txtTesto->toPlainText();
    txtTesto_Change();
    // The dictionary is read while the operator reads the text, not when the check starts.
    preparaControlloTesto(buffer_.TipoTestoCorrente, state_.home);
}

void frmTesti::txtTesto_Change() {
    lblConteggio->setText(QString::number(txtTesto->toPlainText().size()));
}

void frmTesti::cmdEsci_Click() {
    if (QString* testo = testoFrmTesti(buffer_, buffer_.TipoTestoCorrente))
        *testo = senzaACapo(txtTesto->toPlainText());
    accept();
}

void frmTesti::cmdAbbandona_Click() {
    abbandona_ = true;
    reject();
    abbandona_ = false;
}

void frmTesti::reject() {
    if (!abbandona_ && !testoAbbandonabile(state_.ui(), txtTesto->toPlainText(), testoMostrato_))
        return;
    QDialog::reject();
}

void frmTesti::cmdUndo_Click() {
    txtTesto->setPlainText(testoIniziale_);
    state_.ui().message(QStringLiteral("Ripristinato testo originale!"), applicationTitle(), Buttons::Ok,
                        Icon::Information);
}

void frmTesti::controlla(TextCheckKind kind) {
    // The corrected text is in the box before the message that says the check is over.
    controllaTesto(kind, txtTesto->toPlainText(), testoIniziale_, buffer_.TipoTestoCorrente, state_.home,
                   state_.ui(), this,
                   [this](const QString& testo) { mettiTestoControllato(txtTesto, testo); });
}

void frmTesti::cmdControlloOrtografico_Click() {
    controlla(TextCheckKind::Spelling);
}

void frmTesti::cmdControlloGrammaticale_Click() {
    controlla(TextCheckKind::Grammar);
}
