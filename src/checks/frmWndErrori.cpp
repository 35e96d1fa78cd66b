#include "checks/frmWndErrori.h"

#include "checks/Controlli.h"
#include "checks/RegoleRilievi.h"
#include "checks/RilieviDocumento.h"
#include "store/Numeri.h"
#include "ui/qt/ArchiveBinding.h"
#include "ui/qt/BusyCursor.h"
#include "ui/qt/ReleaseMemory.h"
#include "ui/qt/TextLinesView.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace {

QString regole(qsizetype n) {
    return NumeroItaliano(n) + (n == 1 ? QStringLiteral(" regola") : QStringLiteral(" regole"));
}

} // namespace

frmWndErrori::frmWndErrori(const QString& testo, QWidget* parent)
    : QDialog(parent), cmbRegola(new QComboBox(this)), lblConteggio(new QLabel(this)),
      txtErrori(new TextLinesView(this)), cmdApri(new QPushButton(QStringLiteral("&Apri documento"), this)),
      cmdChiudi(new QPushButton(QStringLiteral("Chiudi"), this)) {
    setObjectName(QStringLiteral("frmWndErrori"));
    setWindowTitle(QStringLiteral("Visualizzazione errori"));
    auto* etichetta = new QLabel(QStringLiteral("&Regola:"), this);
    etichetta->setBuddy(cmbRegola);
    cmbRegola->setObjectName(QStringLiteral("cmbRegola"));
    cmbRegola->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lblConteggio->setObjectName(QStringLiteral("lblConteggio"));
    lblConteggio->setTextFormat(Qt::PlainText);
    txtErrori->setObjectName(QStringLiteral("txtErrori"));
    txtErrori->setToolTip(QStringLiteral("Invio o doppio clic su una riga: il documento, a quel rilievo"));
    cmdApri->setObjectName(QStringLiteral("cmdApri"));
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    // Enter belongs to the list (it opens the line's document): no button takes it.
    for (QPushButton* b : {cmdApri, cmdChiudi}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* filtro = new QHBoxLayout;
    filtro->addWidget(etichetta);
    filtro->addWidget(cmbRegola);
    filtro->addSpacing(12);
    filtro->addWidget(lblConteggio, 1);
    auto* bottoni = new QHBoxLayout;
    bottoni->addWidget(cmdApri);
    bottoni->addStretch();
    bottoni->addWidget(cmdChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filtro);
    layout->addWidget(txtErrori);
    layout->addLayout(bottoni);
    resize(760, 520);
    connect(cmdChiudi, &QPushButton::clicked, this, &frmWndErrori::cmdChiudi_Click);
    connect(cmdApri, &QPushButton::clicked, this, &frmWndErrori::cmdApri_Click);
    connect(cmbRegola, &QComboBox::currentIndexChanged, this, &frmWndErrori::filtra);
    // Enter and a double click.
    connect(txtErrori, &QAbstractItemView::activated, this, &frmWndErrori::apri);
    mostraTesto(testo);
    txtErrori->setFocus();
}

void frmWndErrori::mostraTesto(const QString& testo) {
    const QString regola = regolaScelta();
    txtErrori->setPlainText(testo);
    indice_ = IndiceRilievi(txtErrori->textLineCount(), [this](int i) { return txtErrori->textLine(i); });
    riempiFiltro(regola);
    filtra();
}

QString frmWndErrori::titolo() const {
    return txtErrori->textLine(0).toString();
}

void frmWndErrori::riempiFiltro(const QString& regola) {
    const QSignalBlocker block(cmbRegola);
    cmbRegola->clear();
    cmbRegola->addItem(QStringLiteral("Tutte le regole"), -1);
    for (int r = 0; r < indice_.regole().size(); ++r)
        cmbRegola->addItem(VoceRegola(indice_.regole()[r]), r);
    int scelta = 0;
    for (int r = 0; r < indice_.regole().size(); ++r)
        if (!regola.isEmpty() && indice_.regole()[r].regola == regola)
            scelta = r + 1;
    cmbRegola->setCurrentIndex(scelta);
}

QString frmWndErrori::regolaScelta() const {
    const int r = cmbRegola->currentData().toInt();
    return r >= 0 && r < indice_.regole().size() ? indice_.regole()[r].regola : QString();
}

bool frmWndErrori::scegliRegola(const QString& regola) {
    for (int i = 0; i < cmbRegola->count(); ++i) {
        const int r = cmbRegola->itemData(i).toInt();
        if ((r < 0 && regola.isEmpty()) || (r >= 0 && indice_.regole()[r].regola == regola)) {
            cmbRegola->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void frmWndErrori::filtra() {
    const int r = cmbRegola->currentData().toInt();
    std::optional<BusyCursor> busy;
    if (indice_.rilievi() > 50000)
        busy.emplace();
    if (r < 0)
        txtErrori->showOnly(std::nullopt);
    else
        txtErrori->showOnly(indice_.righeDi(r));
    if (!txtErrori->currentIndex().isValid())
        primoRilievo();
    aggiornaConteggio();
}

void frmWndErrori::primoRilievo() {
    // The keyboard starts on the first finding: Enter opens it.
    for (int row = 0; row < txtErrori->lineCount(); ++row)
        if (indice_.regolaDi(txtErrori->textLineOf(row)) >= 0) {
            txtErrori->setCurrentIndex(txtErrori->model()->index(row, 0));
            txtErrori->scrollToTop();
            return;
        }
}

void frmWndErrori::aggiornaConteggio() {
    const int r = cmbRegola->currentData().toInt();
    const qsizetype tutti = indice_.rilievi();
    if (r < 0) {
        lblConteggio->setText(ContaRilievi(tutti) + QStringLiteral(", ") + regole(indice_.regole().size()));
    } else {
        const ConteggioRegola& c = indice_.regole()[r];
        lblConteggio->setText(NumeroItaliano(c.righe) + QStringLiteral(" di ") + ContaRilievi(tutti) +
                              QStringLiteral(": ") + c.regola);
    }
    cmdApri->setEnabled(tutti > 0);
}

void frmWndErrori::apri(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QStringView riga = txtErrori->textLine(txtErrori->textLineOf(index.row()));
    if (const std::optional<qint64> documento = DocumentoDellaRiga(riga))
        Q_EMIT rilievoScelto(*documento, riga.toString());
}

void frmWndErrori::cmdApri_Click() {
    apri(txtErrori->currentIndex());
}

void frmWndErrori::cmdChiudi_Click() {
    accept();
}

frmWndErrori* MostraErrori(AppState& state, QWidget* parent, const QString& code, const QString& nomeFile,
                           const QString& title) {
    // Reading and indexing a long list may take a moment; the pointer says so until it shows.
    std::optional<BusyCursor> busy(std::in_place);
    frmWndErrori* finestra = nullptr;
    MostraErrori(state, code, nomeFile, title, [&](const QString& testo) {
        const QList<frmWndErrori*> aperte =
            parent ? parent->findChildren<frmWndErrori*>(Qt::FindDirectChildrenOnly) : QList<frmWndErrori*>();
        for (frmWndErrori* aperta : aperte)
            if (const ArchiveBinding* b = ArchiveBinding::of(aperta);
                aperta->titolo() == title && b && b->current())
                finestra = aperta;
        if (finestra) {
            finestra->mostraTesto(testo);
        } else {
            finestra = new frmWndErrori(testo, parent);
            finestra->setAttribute(Qt::WA_DeleteOnClose);
            ArchiveBinding::bind(finestra, state);
            // Once the window and its list are gone.
            QObject::connect(finestra, &QObject::destroyed, qApp,
                             [] { QTimer::singleShot(0, qApp, [] { releaseFreedMemory(); }); });
        }
        busy.reset();
        finestra->show();
        finestra->raise();
        finestra->activateWindow();
        finestra->txtErrori->setFocus();
    });
    return finestra;
}
