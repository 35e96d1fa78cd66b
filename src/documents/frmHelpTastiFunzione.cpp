#include "documents/frmHelpTastiFunzione.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QStringList& frmHelpTastiFunzione::righe() {
    static const QStringList r = {
        QStringLiteral("F1 = Help sui tasti funzione"),
        QStringLiteral("F2 = Duplica documento"),
        QStringLiteral("F3 = Abbandona"),
        QStringLiteral("F4 = Salva"),
        QStringLiteral("F5 = Documento precedente (non salva)"),
        QStringLiteral("F6 = Documento seguente (non salva)"),
        QStringLiteral("F7 = Inserisci nuova responsabilita"),
        QStringLiteral("F8 = Inserisci nuova classificazione"),
        QStringLiteral("F9 = Inserisci nuova fonte"),
        QStringLiteral("F10 = Edita riassunto"),
        QStringLiteral("F11 = Edita sommario"),
        QStringLiteral("F12 = Esci")};
    return r;
}

const QStringList& frmHelpTastiFunzione::altreRighe() {
    static const QStringList r = {
        QStringLiteral("Alt+I = Da indirizzo o DOI (compila dalla pagina o dal DOI)"),
        QStringLiteral("Ctrl+F9 = Fonti dal testo"),
        QStringLiteral("Alt+K = Rilievi dei controlli (Invio su un rilievo porta al campo che lo riguarda)"),
        QStringLiteral("Tab = Campo seguente (dopo la nota: i rilievi dei controlli)")};
    return r;
}

frmHelpTastiFunzione::frmHelpTastiFunzione(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelpTastiFunzione"));
    setWindowTitle(QStringLiteral("Help su tasti funzione"));
    setModal(true);
    lblIntroduzione = new QLabel(this);
    lblIntroduzione->setObjectName(QStringLiteral("lblIntroduzione"));
    lblIntroduzione->setText(
        QStringLiteral("Quando il controllo della finestra \"documento\" è su uno qualunque degli "
                       "oggetti in cui si inseriscono dati, si possono attivare i tasti funzione, "
                       "con il seguente significato:"));
    lblIntroduzione->setWordWrap(true);
    lblTasti = new QLabel(this);
    lblTasti->setObjectName(QStringLiteral("lblTasti"));
    lblTasti->setText(righe().join(u'\n'));
    lblTasti->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblAltriTasti = new QLabel(this);
    lblAltriTasti->setObjectName(QStringLiteral("lblAltriTasti"));
    lblAltriTasti->setText(QStringLiteral("Inoltre:\n") + altreRighe().join(u'\n'));
    lblAltriTasti->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdEsci = new QPushButton(QStringLiteral("&Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblIntroduzione);
    layout->addSpacing(6);
    layout->addWidget(lblTasti);
    layout->addSpacing(6);
    layout->addWidget(lblAltriTasti);
    layout->addLayout(buttons);
    setMinimumWidth(440);
    connect(cmdEsci, &QPushButton::clicked, this, &QDialog::accept);
}
