#include "checks/frmWndErrori.h"

#include "checks/Controlli.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmWndErrori::frmWndErrori(const QString& testo, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmWndErrori"));
    setWindowTitle(QStringLiteral("Visualizzazione errori"));
    txtErrori = new QPlainTextEdit(this);
    txtErrori->setObjectName(QStringLiteral("txtErrori"));
    txtErrori->setReadOnly(true);
    txtErrori->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The list is kept with CR LF as in the file; the box shows plain line breaks.
    QString righe = testo;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtErrori->setPlainText(righe);
    cmdChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setDefault(true);
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(cmdChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtErrori);
    layout->addLayout(bottoni);
    resize(760, 520);
    connect(cmdChiudi, &QPushButton::clicked, this, &frmWndErrori::cmdChiudi_Click);
}

void frmWndErrori::cmdChiudi_Click() {
    accept();
}

void MostraErrori(AppState& state, QWidget* parent, const QString& code, const QString& nomeFile,
                  const QString& title) {
    MostraErrori(state, code, nomeFile, title, [parent](const QString& testo) {
        frmWndErrori finestra(testo, parent);
        finestra.exec();
    });
}
