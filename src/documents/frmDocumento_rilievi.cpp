// The findings of the rules while the operator works: the Controlli panel kept up to date, its
// fixes applied and taken back, the field of a finding reached.

#include "documents/frmDocumento.h"

#include "documents/ControlliDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "ui/qt/ArchiveBinding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTimer>


void frmDocumento::collegaControlli() {
    timerControlli_ = new QTimer(this);
    timerControlli_->setObjectName(QStringLiteral("timerControlli"));
    timerControlli_->setSingleShot(true);
    timerControlli_->setInterval(300);
    connect(timerControlli_, &QTimer::timeout, this, &frmDocumento::aggiornaControlli);
    connect(FrameControlli, &PannelloControlli::rilievoScelto, this, &frmDocumento::vaiAlRilievo);
    connect(FrameControlli, &PannelloControlli::correzioneScelta, this, &frmDocumento::applicaCorrezione);
    connect(FrameControlli, &PannelloControlli::annullaCorrezione, this, [this] { annullaCorrezione(); });
    // The findings are reached from the keyboard: Alt+K (told in the F1 help), and Tab after the note.
    auto* scorciatoia = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_K), this);
    scorciatoia->setObjectName(QStringLiteral("scorciatoiaControlli"));
    scorciatoia->setContext(Qt::WidgetWithChildrenShortcut);
    connect(scorciatoia, &QShortcut::activated, FrameControlli, &PannelloControlli::entra);
    setTabOrder(txtNota, FrameControlli->lstControlli);
    setTabOrder(FrameControlli->lstControlli, lstResponsabilita);
    // The timer itself receives the changes: while the window is being destroyed its children still
    // signal, and a started timer is harmless where a call into the window would not be.
    const auto riavvia = qOverload<>(&QTimer::start);
    // Every change of what the save would store: the fields the rules read, and the three lists,
    // whose lines change with every entry added, modified or deleted. Texts edited in the dialogs
    // are followed where the dialogs close.
    for (QLineEdit* e : {txtPagine, txtFascicolo, txtVolume, txtAnnata, txtDocURL})
        connect(e, &QLineEdit::textChanged, timerControlli_, riavvia);
    for (QComboBox* c : {cmbCPer, cmbGG, cmbMM, cmbAA, ComboTD, ComboTAbs, ComboBib, ComboLIN})
        connect(c, &QComboBox::currentIndexChanged, timerControlli_, riavvia);
    for (QPlainTextEdit* t : {txtTitolo, txtNota})
        connect(t, &QPlainTextEdit::textChanged, timerControlli_, riavvia);
    for (QListWidget* l : {lstResponsabilita, lstClassificazione, lstFonte}) {
        QAbstractItemModel* m = l->model();
        connect(m, &QAbstractItemModel::rowsInserted, timerControlli_, riavvia);
        connect(m, &QAbstractItemModel::rowsRemoved, timerControlli_, riavvia);
        connect(m, &QAbstractItemModel::dataChanged, timerControlli_, riavvia);
        connect(m, &QAbstractItemModel::modelReset, timerControlli_, riavvia);
    }
    // Typing reaches the recovery file as it reaches the findings; every other change passes
    // through aggiornaControlli.
    RecuperoFinestra* recupero = recupero_.get();
    const auto cambiato = [recupero] { recupero->cambiato(); };
    for (QLineEdit* e : {txtPagine, txtFascicolo, txtVolume, txtAnnata, txtDocURL})
        connect(e, &QLineEdit::textChanged, recupero->contesto(), cambiato);
    for (QComboBox* c : {cmbCPer, cmbGG, cmbMM, cmbAA, ComboTD, ComboTAbs, ComboBib, ComboLIN})
        connect(c, &QComboBox::currentIndexChanged, recupero->contesto(), cambiato);
    for (QPlainTextEdit* t : {txtTitolo, txtNota})
        connect(t, &QPlainTextEdit::textChanged, recupero->contesto(), cambiato);
}

void frmDocumento::aggiornaControlli() {
    timerControlli_->stop();
    recupero_->cambiato();
    // A window whose archive has gone reads nothing more from it.
    if (const ArchiveBinding* binding = ArchiveBinding::of(this); binding && !binding->current())
        return;
    const DatiDocumento dati = leggiDati();
    const EsitoControlli esito = ControllaFinestra(state_, buffer_, dati);
    QList<CorrezioniRilievo> correzioni;
    correzioni.reserve(esito.rilievi.size());
    for (const Rilievo& r : esito.rilievi)
        correzioni.append(CorrezioniDi(state_, buffer_, dati, liste_, r));
    FrameControlli->mostra(esito, correzioni);
    FrameControlli->setAnnullabile(!annulla_.vuota());
}

void frmDocumento::applicaCorrezione(const Correzione& c, const Rilievo& r) {
    if (c.tipo == Correzione::Tipo::ApriDialogo) {
        // The dialog of a new entry or of the text, as its button opens it.
        switch (c.campo) {
        case CampoRilievo::Responsabilita:
            cmdResponsabilitaN_Click();
            return;
        case CampoRilievo::Classificazione:
            cmdClasseN_Click();
            return;
        case CampoRilievo::Fonti:
            cmdFonteN_Click();
            return;
        case CampoRilievo::Riassunto:
            cmdRiassunto_Click();
            return;
        case CampoRilievo::Sommario:
            cmdSommario_Click();
            return;
        case CampoRilievo::InTemaDi:
            cmdInTemaDi_Click();
            return;
        case CampoRilievo::EnglishAbstract:
            cmdEnglishAbstract_Click();
            return;
        case CampoRilievo::Traduzione:
            cmdTraduzione_Click();
            return;
        default:
            break;
        }
    }
    if (c.soloApertura()) {
        Rilievo dove = r;
        dove.campo = c.campo;
        if (c.voce >= 0)
            dove.voce = c.voce;
        vaiAlRilievo(dove);
        return;
    }
    DocumentBuffer b = buffer_;
    DatiDocumento d = leggiDati();
    if (!ApplicaCorrezione(c, b, d, liste_))
        return;
    annulla_.ricorda(buffer_, leggiDati());
    buffer_ = std::move(b);
    mostraDati(d);
}

bool frmDocumento::annullaCorrezione() {
    DocumentBuffer b;
    DatiDocumento d;
    if (!annulla_.annulla(b, d))
        return false;
    buffer_ = std::move(b);
    mostraDati(d);
    return true;
}

void frmDocumento::vaiAlRilievo(const Rilievo& r) {
    // The finding stands chosen in the panel, its fixes under it, wherever the operator came from.
    FrameControlli->segna(r);
    const auto voce = [](QListWidget* list, int riga) {
        list->setFocus(Qt::OtherFocusReason);
        if (riga < 0 || riga >= list->count())
            return;
        // The entry becomes the current one, as a click on it makes it: "Edita" then opens it.
        list->clearSelection();
        list->setCurrentRow(riga, QItemSelectionModel::ClearAndSelect);
        list->scrollToItem(list->item(riga));
    };
    QWidget* campo = nullptr;
    switch (r.campo) {
    case CampoRilievo::Rivista:
        campo = cmbCPer;
        break;
    case CampoRilievo::Pagine:
        campo = txtPagine;
        break;
    case CampoRilievo::TipoDocumento:
        campo = ComboTD;
        break;
    case CampoRilievo::TipoAbstract:
        campo = ComboTAbs;
        break;
    case CampoRilievo::Bibliografia:
        campo = ComboBib;
        break;
    case CampoRilievo::Lingua:
        campo = ComboLIN;
        break;
    case CampoRilievo::Responsabilita:
        campo = lstResponsabilita;
        break;
    case CampoRilievo::Titolo:
        campo = txtTitolo;
        break;
    case CampoRilievo::Nota:
        campo = txtNota;
        break;
    case CampoRilievo::Riassunto:
        campo = cmdRiassunto;
        break;
    case CampoRilievo::Sommario:
        campo = cmdSommario;
        break;
    case CampoRilievo::InTemaDi:
        campo = cmdInTemaDi;
        break;
    case CampoRilievo::EnglishAbstract:
        campo = cmdEnglishAbstract;
        break;
    case CampoRilievo::Traduzione:
        campo = cmdTraduzione;
        break;
    case CampoRilievo::Classificazione:
        voce(lstClassificazione, r.voce);
        return;
    case CampoRilievo::Fonti:
        voce(lstFonte, r.voce);
        return;
    }
    // The style draws the focus frame only after a keyboard move; without it a text button that
    // has the focus looks like any other and the operator cannot see where the finding led.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    campo->setFocus(Qt::OtherFocusReason);
    campo->update();
}

bool frmDocumento::vaiAlRilievoDellElenco(const QString& riga) {
    for (const Rilievo& r : FrameControlli->esito().rilievi)
        if (r.testo == riga) {
            const Rilievo rilievo = r; // the panel's findings change when the field is left
            vaiAlRilievo(rilievo);
            return true;
        }
    FrameControlli->entra();
    return false;
}
