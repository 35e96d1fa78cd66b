#include "classification/frmClassificazione.h"

#include "classification/frmAsteriscati.h"
#include "classification/mdlClasse.h"
#include "store/MessaggiErrore.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kAttenzione = QStringLiteral("Attenzione!");

QLabel* pannello(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(200, 200, 200));
    l->setPalette(p);
    l->setMargin(3);
    return l;
}

} // namespace

frmClassificazione::frmClassificazione(AppState& state, DocumentBuffer& buffer, QWidget* parent)
    : QDialog(parent), state_(state), buffer_(buffer) {
    setObjectName(QStringLiteral("frmClassificazione"));
    setWindowTitle(QStringLiteral("Classificazione"));
    setModal(true);

    txtSistematico = new QLineEdit(this);
    txtSistematico->setObjectName(QStringLiteral("txtSistematico"));
    Label2 = new QLabel(QStringLiteral("Sistematico"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(txtSistematico);
    LabelS = pannello(this, "LabelS");
    LabelS->setMinimumWidth(320);
    LabelS->setCursor(Qt::PointingHandCursor);
    txtDescrittore = new QLineEdit(this);
    txtDescrittore->setObjectName(QStringLiteral("txtDescrittore"));
    Label3 = new QLabel(QStringLiteral("Descrittore"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setBuddy(txtDescrittore);
    LabelD = pannello(this, "LabelD");
    LabelD->setCursor(Qt::PointingHandCursor);
    LabelD->setWordWrap(true);
    for (QLineEdit* e : {txtSistematico, txtDescrittore})
        e->setMaximumWidth(120);
    cmdDescrittoreN = new QPushButton(QStringLiteral("+"), this);
    cmdDescrittoreN->setObjectName(QStringLiteral("cmdDescrittoreN"));
    cmdDescrittoreN->setToolTip(QStringLiteral("Aggiungi alla lista"));
    cmdDescrittoreD = new QPushButton(QStringLiteral("-"), this);
    cmdDescrittoreD->setObjectName(QStringLiteral("cmdDescrittoreD"));
    cmdDescrittoreD->setToolTip(QStringLiteral("Togli dalla lista"));
    for (QPushButton* b : {cmdDescrittoreN, cmdDescrittoreD})
        b->setFixedWidth(32);
    lstDescrittore = new QListWidget(this);
    lstDescrittore->setObjectName(QStringLiteral("lstDescrittore"));
    Label7 = pannello(this, "Label7");
    Label7->setFixedWidth(16);
    cmbAsteriscati = new QComboBox(this);
    cmbAsteriscati->setObjectName(QStringLiteral("cmbAsteriscati"));
    cmbAsteriscati->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbAsteriscati->setMinimumContentsLength(30);
    cmdAsteriscati = new QPushButton(QStringLiteral("&Lista asteriscati"), this);
    cmdAsteriscati->setObjectName(QStringLiteral("cmdAsteriscati"));
    cmdAsteriscati->setToolTip(QStringLiteral("Lista asteriscati con i sistematici"));
    Label4 = pannello(this, "Label4");
    Label4->setFixedHeight(6);
    Label5 = new QLabel(
        QStringLiteral("Un click nello spazio grigio di fianco alla sigla del descrittore per vedere la "
                       "sua descrizione, qualora venga modificato."),
        this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setWordWrap(true);
    Label6 = new QLabel(
        QStringLiteral("La proposta di un nuovo descrittore (asteriscato) deve essere inserito nella nota "
                       "del documento."),
        this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setWordWrap(true);
    cmdEsci = new QPushButton(QStringLiteral("&Esci e salva"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdAbbandona = new QPushButton(QStringLiteral("&Abbandona"), this);
    cmdAbbandona->setObjectName(QStringLiteral("cmdAbbandona"));
    for (QPushButton* b : {cmdDescrittoreN, cmdDescrittoreD, cmdAsteriscati, cmdEsci, cmdAbbandona})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(txtSistematico, 0, 1);
    grid->addWidget(LabelS, 0, 2, 1, 3);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(txtDescrittore, 1, 1);
    grid->addWidget(cmdDescrittoreN, 1, 2);
    grid->addWidget(cmdDescrittoreD, 1, 3);
    grid->addWidget(LabelD, 1, 4);
    grid->addWidget(Label7, 2, 0);
    grid->addWidget(lstDescrittore, 2, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    auto* asteriscati = new QHBoxLayout;
    asteriscati->addWidget(cmbAsteriscati, 1);
    asteriscati->addWidget(cmdAsteriscati);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    buttons->addWidget(cmdAbbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(Label4);
    layout->addLayout(asteriscati);
    layout->addWidget(Label5);
    layout->addWidget(Label6);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(txtSistematico, txtDescrittore);
    resize(620, 420);

    txtSistematico->installEventFilter(this);
    LabelS->installEventFilter(this);
    LabelD->installEventFilter(this);
    connect(cmdDescrittoreN, &QPushButton::clicked, this, &frmClassificazione::cmdDescrittoreN_Click);
    // Enter in the descriptor box does what "+" does (in modify mode: shows its description), and
    // leaves the code selected for the next one to replace it: a code typed and not added is not
    // stored with the pair.
    connect(txtDescrittore, &QLineEdit::returnPressed, this, [this] {
        cmdDescrittoreN_Click();
        txtDescrittore->selectAll();
    });
    connect(cmdDescrittoreD, &QPushButton::clicked, this, &frmClassificazione::cmdDescrittoreD_Click);
    connect(cmdAsteriscati, &QPushButton::clicked, this, &frmClassificazione::cmdAsteriscati_Click);
    connect(cmdEsci, &QPushButton::clicked, this, &frmClassificazione::cmdEsci_Click);
    connect(cmdAbbandona, &QPushButton::clicked, this, &frmClassificazione::cmdAbbandona_Click);

    CaricaAsteriscati();
}

bool frmClassificazione::modoModifica() const {
    return buffer_.IndiceClassificazione >= 0 &&
           buffer_.IndiceClassificazione < buffer_.ElencoClassificazione.size();
}

void frmClassificazione::CaricaAsteriscati() {
    const bool modifica = buffer_.IndiceClassificazione >= 0;
    lstDescrittore->clear();
    lstDescrittore->setVisible(!modifica);
    cmdDescrittoreN->setVisible(!modifica);
    cmdDescrittoreD->setVisible(!modifica);
    Label7->setVisible(!modifica);
    LabelD->setVisible(modifica);
    Label5->setVisible(modifica);
    QStringList items;
    try {
        items = ElencoAsteriscati(state_.Connessione);
    } catch (const DbError&) {
        items = QStringList{QStringLiteral("Asteriscati")};
    }
    cmbAsteriscati->clear();
    cmbAsteriscati->addItems(items);
    cmbAsteriscati->setCurrentIndex(0);
    // Without the descriptor list the dialog needs only its first lines.
    if (modifica)
        resize(width(), sizeHint().height());
}

void frmClassificazione::MostraClassificazione() {
    if (!modoModifica())
        return;
    const VoceClassificazione& v = buffer_.ElencoClassificazione.at(buffer_.IndiceClassificazione);
    txtSistematico->setText(v.CodiceS);
    txtSistematico_LostFocus();
    lstDescrittore->clear();
    if (v.CodiceD.isEmpty())
        return;
    if (v.CodiceD.left(1).toUpper() != u"A") {
        txtDescrittore->setText(v.CodiceD);
        cmdDescrittoreN_Click();
        return;
    }
    QStringList items;
    for (int i = 0; i < cmbAsteriscati->count(); ++i)
        items << cmbAsteriscati->itemText(i);
    cmbAsteriscati->setCurrentIndex(posizioneAsteriscato(items, v.CodiceD));
}

bool frmClassificazione::txtSistematico_LostFocus() {
    const QString codice = txtSistematico->text();
    if (codice.isEmpty() || convalida_)
        return true;
    convalida_ = true;
    std::optional<QString> descrizione;
    try {
        descrizione = DescrizioneSistematico(state_.Connessione, codice);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il codice sistematico non è stato controllato: riprovare "
                                             "uscendo di nuovo dal campo."),
                              e),
            kAttenzione, Buttons::Ok, Icon::Warning);
        convalida_ = false;
        return true;
    }
    if (!descrizione) {
        state_.ui().message(QStringLiteral("Codice sistematico errato!"), kAttenzione, Buttons::Ok,
                            Icon::Warning);
        txtSistematico->setFocus();
    } else {
        LabelS->setText(*descrizione);
    }
    convalida_ = false;
    return descrizione.has_value();
}

bool frmClassificazione::leggiDescrittore(const QString& codice, std::optional<QString>& descrizione) {
    try {
        descrizione = DescrizioneDescrittore(state_.Connessione, codice);
        return true;
    } catch (const DbError& e) {
        // The code may well be right: it stays as typed, and the operator is told why it was not checked.
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("I descrittori dell'archivio non sono stati letti: il codice "
                                             "descrittore non è stato controllato. Riprovare."),
                              e),
            kAttenzione, Buttons::Ok, Icon::Warning);
        txtDescrittore->setFocus();
        return false;
    }
}

void frmClassificazione::descrittoreErrato() {
    state_.ui().message(QStringLiteral("Codice descrittore errato!"), kAttenzione, Buttons::Ok,
                        Icon::Warning);
    txtDescrittore->setFocus();
    txtDescrittore->clear();
}

void frmClassificazione::LabelD_Click() {
    if (txtDescrittore->text().isEmpty())
        return;
    std::optional<QString> descrizione;
    if (!leggiDescrittore(txtDescrittore->text(), descrizione))
        return;
    if (!descrizione)
        descrittoreErrato();
    else
        LabelD->setText(*descrizione);
}

void frmClassificazione::cmdDescrittoreN_Click() {
    const QString codice = txtDescrittore->text();
    if (codice.isEmpty())
        return;
    std::optional<QString> descrizione;
    if (!leggiDescrittore(codice, descrizione))
        return;
    if (!descrizione) {
        descrittoreErrato();
        return;
    }
    if (buffer_.IndiceClassificazione >= 0)
        LabelD->setText(*descrizione);
    else
        lstDescrittore->addItem(rigaDescrittore(codice, *descrizione));
}

void frmClassificazione::cmdDescrittoreD_Click() {
    const int row = lstDescrittore->currentRow();
    if (row >= 0 && lstDescrittore->item(row)->isSelected())
        delete lstDescrittore->takeItem(row);
}

void frmClassificazione::cmdAsteriscati_Click() {
    frmAsteriscati lista(state_.Connessione, this);
    lista.exec();
}

void frmClassificazione::cmdEsci_Click() {
    if (txtSistematico->text().isEmpty()) {
        state_.ui().message(QStringLiteral("Immettere il codice del sistematico!"), kAttenzione,
                            Buttons::OkCancel, Icon::Warning);
        accept();
        return;
    }
    DatiClassificazione dati;
    dati.txtSistematico = txtSistematico->text();
    dati.txtDescrittore = txtDescrittore->text();
    dati.cmbAsteriscati = cmbAsteriscati->currentIndex();
    dati.asteriscato = cmbAsteriscati->currentText();
    for (int i = 0; i < lstDescrittore->count(); ++i)
        dati.lstDescrittore << lstDescrittore->item(i)->text();
    MemorizzaClassificazione(state_.Connessione, buffer_, dati);
    accept();
}

void frmClassificazione::cmdAbbandona_Click() {
    reject();
}

bool frmClassificazione::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSistematico && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving for a message box or another window, or to abandon the dialog, is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            QApplication::focusWidget() != cmdAbbandona)
            txtSistematico_LostFocus();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == LabelS)
            txtSistematico_LostFocus();
        else if (watched == LabelD)
            LabelD_Click();
    }
    return QDialog::eventFilter(watched, event);
}
