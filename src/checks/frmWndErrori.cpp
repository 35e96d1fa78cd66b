#include "checks/frmWndErrori.h"

#include "checks/Controlli.h"
#include "ui/qt/BusyCursor.h"
#include "ui/qt/ReleaseMemory.h"
#include "ui/qt/TextLinesView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

frmWndErrori::frmWndErrori(const QString& testo, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmWndErrori"));
    setWindowTitle(QStringLiteral("Visualizzazione errori"));
    txtErrori = new TextLinesView(this);
    txtErrori->setObjectName(QStringLiteral("txtErrori"));
    txtErrori->setPlainText(testo);
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
    // Reading and indexing a long list may take a moment; the pointer says so until it shows.
    std::optional<BusyCursor> busy(std::in_place);
    MostraErrori(state, code, nomeFile, title, [parent, &busy](const QString& testo) {
        frmWndErrori finestra(testo, parent);
        busy.reset();
        finestra.exec();
    });
    busy.reset();
    releaseFreedMemory();
}
