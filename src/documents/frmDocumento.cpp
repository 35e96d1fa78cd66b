// The document window's life: made, loaded, shown, moved through the archive, saved and closed;
// its keys. Its controls (frmDocumento_layout), entry lists (_voci), texts (_testi) and live
// findings (_rilievi) have files of their own.

#include "documents/frmDocumento.h"

#include "documents/SalvaDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/mdlDocumenti.h"
#include "store/MessaggiErrore.h"
#include "ui/qt/ArchiveBinding.h"
#include "ui/qt/ChiusuraMdi.h"

#include <QCloseEvent>
#include <QLabel>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

const QString kAttenzione = QStringLiteral("Attenzione!");

} // namespace

QIcon immagineDaCartella(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QIcon(QPixmap(dir.filePath(entry)));
    return {};
}

frmDocumento::frmDocumento(AppState& state, bool nuovo, qint64 IDDoc, EstensioniDocumento estensioni,
                           QWidget* parent)
    : QWidget(parent), state_(state), estensioni_(std::move(estensioni)) {
    setObjectName(QStringLiteral("frmDocumento"));
    setWindowTitle(QStringLiteral("Documento"));
    ArchiveBinding::bind(this, state_);
    // Kept against a crash while it is not saved: the window's values, taken on this thread.
    recupero_ = std::make_unique<RecuperoFinestra>(state_, [this]() -> std::optional<Recupero> {
        if (contenuto() == salvato_)
            return std::nullopt;
        return RecuperoDi(buffer_, leggiDati());
    });
    creaControlli();
    recupero_->seAvviso([this](const QString& avviso) {
        lblRecupero->setText(avviso);
        lblRecupero->setVisible(!avviso.isEmpty());
    });
    cmdFontiDalTesto->setEnabled(bool(estensioni_.fontiDalTesto));
    aggiornaImmagini();
    riempiCombo();
    if (!nuovo) {
        DocumentBuffer b = buffer_;
        DatiDocumento d = leggiDati();
        d.txtID = QString::number(IDDoc);
        if (carica(IDDoc, b, d)) {
            buffer_ = std::move(b);
            mostraDati(d);
            modoEsistente();
            segnaSalvato();
            return;
        }
    }
    // A new document, or one that could not be loaded: the window starts empty.
    nuovoDocumento();
}

frmDocumento::~frmDocumento() {
    // The list goes with the children, after the buffer: its last signals must find no one.
    disconnect(lstFonte->model(), nullptr, this, nullptr);
    disconnect(lstFonte, nullptr, this, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Lists, load and clear.

void frmDocumento::riempiCombo() {
    try {
        liste_ = CaricaListe(state_.Connessione, QDate::currentDate());
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(
                QStringLiteral("Gli elenchi della finestra non sono stati letti tutti: alcuni "
                               "campi possono restare vuoti. Chiudere la finestra e riaprirla."),
                e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    const auto riempi = [](QComboBox* c, const QStringList& items) {
        const QSignalBlocker block(c);
        c->clear();
        c->addItems(items);
        c->setCurrentIndex(0);
        // The list shows whole descriptions even where the box is narrower.
        c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
    };
    riempi(cmbAA, liste_.cmbAA);
    riempi(cmbMM, liste_.cmbMM);
    riempi(cmbGG, liste_.cmbGG);
    riempi(ComboLIN, liste_.ComboLIN);
    riempi(ComboTAbs, liste_.ComboTAbs);
    riempi(ComboTD, liste_.ComboTD);
    riempi(ComboBib, liste_.ComboBib);
    riempi(cmbCPer, liste_.cmbCPer);
    // The code boxes as wide as their longest item, up to what a 1024-pixel screen allows; a longer
    // item is whole in the list and in the box's tooltip.
    const auto larghezza = [](QComboBox* c, int massimo) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const int w = c->sizeHint().width();
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumWidth(std::min(w, massimo));
    };
    larghezza(ComboTD, 340);
    larghezza(ComboTAbs, 560);
    larghezza(ComboBib, 340);
    larghezza(ComboLIN, 220);
    txtRivistaOnline->clear();
    txtAnnoPr->setText(liste_.AnnoProduzione);
    txtDocURL->clear();
    aggiornaSuggerimenti();
}

void frmDocumento::aggiornaSuggerimenti() {
    const auto suggerimento = [](QComboBox* c, const std::optional<QString>& conservato) {
        if (conservato && c->currentIndex() < 1)
            c->setToolTip(QStringLiteral("Valore registrato \"%1\", non presente nell'elenco: il salvataggio "
                                         "lo conserva finché non si sceglie un altro valore.")
                              .arg(*conservato));
        else
            c->setToolTip(c->currentIndex() >= 1 ? c->currentText() : QString());
    };
    suggerimento(ComboTD, conservati_.TD);
    suggerimento(ComboTAbs, conservati_.TAbs);
    suggerimento(ComboBib, conservati_.Bib);
    suggerimento(ComboLIN, conservati_.LIN);
    suggerimento(cmbCPer, conservati_.CPer);
    const QString data = conservati_.Data
                             ? QStringLiteral("Data registrata \"%1\", che gli elenchi non "
                                              "possono mostrare: il salvataggio la conserva; "
                                              "scegliendo un giorno, un mese o un anno si cambia "
                                              "soltanto quella parte.")
                                   .arg(*conservati_.Data)
                             : QString();
    for (QComboBox* c : {cmbGG, cmbMM, cmbAA})
        c->setToolTip(data);
    // A date the boxes cannot show is in sight, not only in a tooltip.
    if (auto* frame = findChild<QGroupBox*>(QStringLiteral("FrameData")))
        frame->setTitle(conservati_.Data
                            ? QStringLiteral("Data di pubblicazione (registrata: %1) ").arg(*conservati_.Data)
                            : QStringLiteral("Data di pubblicazione "));
}

DatiDocumento frmDocumento::leggiDati() const {
    DatiDocumento d;
    const auto combo = [](const QComboBox* c) { return Combo{c->currentIndex(), c->currentText()}; };
    const auto righe = [](const QListWidget* l) {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    };
    d.txtID = txtID->text();
    d.txtAnnoPr = txtAnnoPr->text();
    d.cmbCPer = combo(cmbCPer);
    d.txtRivistaOnline = txtRivistaOnline->text();
    d.cmbGG = combo(cmbGG);
    d.cmbMM = combo(cmbMM);
    d.cmbAA = combo(cmbAA);
    d.txtFascicolo = txtFascicolo->text();
    d.txtVolume = txtVolume->text();
    d.txtAnnata = txtAnnata->text();
    d.txtPagine = txtPagine->text();
    d.txtDocURL = txtDocURL->text();
    d.ComboTD = combo(ComboTD);
    d.ComboTAbs = combo(ComboTAbs);
    d.ComboBib = combo(ComboBib);
    d.ComboLIN = combo(ComboLIN);
    d.txtTitolo = txtTitolo->toPlainText();
    d.txtNota = txtNota->toPlainText();
    d.lstResponsabilita = righe(lstResponsabilita);
    d.lstClassificazione = righe(lstClassificazione);
    d.lstFonte = righe(lstFonte);
    d.conservati = conservati_;
    return d;
}

void frmDocumento::impostaRighe(QListWidget* list, const QStringList& righe) {
    // Rebuilding the lines is not a click: the current entries stay as they are.
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(righe);
}

void frmDocumento::mostraDati(const DatiDocumento& d) {
    const auto combo = [](QComboBox* c, const Combo& v) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(v.posizione >= 0 && v.posizione < c->count() ? v.posizione : 0);
    };
    txtID->setText(d.txtID);
    txtAnnoPr->setText(d.txtAnnoPr);
    combo(cmbCPer, d.cmbCPer);
    txtRivistaOnline->setText(d.txtRivistaOnline);
    combo(cmbGG, d.cmbGG);
    combo(cmbMM, d.cmbMM);
    combo(cmbAA, d.cmbAA);
    txtFascicolo->setText(d.txtFascicolo);
    txtVolume->setText(d.txtVolume);
    txtAnnata->setText(d.txtAnnata);
    txtPagine->setText(d.txtPagine);
    txtDocURL->setText(d.txtDocURL);
    txtDocURL->setCursorPosition(0);
    combo(ComboTD, d.ComboTD);
    combo(ComboTAbs, d.ComboTAbs);
    combo(ComboBib, d.ComboBib);
    combo(ComboLIN, d.ComboLIN);
    txtTitolo->setPlainText(d.txtTitolo);
    txtNota->setPlainText(d.txtNota);
    impostaRighe(lstResponsabilita, d.lstResponsabilita);
    impostaRighe(lstClassificazione, d.lstClassificazione);
    impostaRighe(lstFonte, d.lstFonte);
    conservati_ = d.conservati;
    aggiornaSuggerimenti();
    // A document loaded or cleared is judged at once: the panel never shows the last one's findings.
    aggiornaControlli();
}

bool frmDocumento::carica(qint64 IDDoc, DocumentBuffer& buffer, DatiDocumento& dati) {
    buffer.IDDocCorrente = IDDoc;
    const EsitoCaricamento esito = CaricaDocumento(state_.Connessione, state_.Mesi, liste_, buffer, dati);
    if (!esito.caricato) {
        state_.ui().message(esito.errore, kAttenzione, Buttons::Ok, Icon::Warning);
        return false;
    }
    if (!esito.avvisi.isEmpty())
        state_.ui().message(AvvisoCaricamento(IDDoc, esito.avvisi, dati.conservati), kAttenzione, Buttons::Ok,
                            Icon::Warning);
    return true;
}

void frmDocumento::nuovoDocumento() {
    buffer_.NuovoDocumento = true;
    try {
        buffer_.IDDocCorrente = ProssimoIDDocumento(state_.Connessione);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il numero del documento nuovo non è stato letto dall'archivio: "
                                             "la finestra propone 1."),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        buffer_.IDDocCorrente = 1;
    }
    modoNuovo();
    DatiDocumento d = leggiDati();
    d.txtID.clear();
    PulisciDocumento(buffer_, d);
    // The texts went with the last document: their buttons say so.
    aggiornaImmagini();
    d.txtID = QString::number(buffer_.IDDocCorrente);
    mostraDati(d);
    segnaSalvato();
}

void frmDocumento::modoNuovo() {
    cmdSalva->hide();
    cmdDuplica->hide();
    cmdNew->hide();
}

void frmDocumento::modoEsistente() {
    // A loaded document is saved in place: the commands of an existing document are there.
    cmdSalva->show();
    cmdDuplica->show();
    cmdNew->show();
    aggiornaImmagini();
}

void frmDocumento::naviga(bool avanti) {
    if (!checkArchive(this))
        return;
    std::optional<qint64> n;
    try {
        n = avanti ? DocumentoSeguente(state_.Connessione, txtID->text())
                   : DocumentoPrecedente(state_.Connessione, txtID->text());
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il documento %1 non è stato trovato: la finestra mostra ancora "
                                             "quello di prima.")
                                  .arg(avanti ? QStringLiteral("seguente") : QStringLiteral("precedente")),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    if (!n) {
        state_.ui().message(QStringLiteral("Nessun documento presente!"));
        return;
    }
    mostraDocumento(*n);
}

bool frmDocumento::mostraDocumento(qint64 IDDoc) {
    DocumentBuffer b = buffer_;
    DatiDocumento d = leggiDati();
    b.IDDocCorrente = IDDoc;
    d.txtID = QString::number(IDDoc);
    PulisciDocumento(b, d);
    if (!carica(IDDoc, b, d))
        return false;
    buffer_ = std::move(b);
    mostraDati(d);
    modoEsistente();
    segnaSalvato();
    return true;
}

void frmDocumento::cmbCPer_Change() {
    if (cmbCPer->currentIndex() >= 1) {
        try {
            txtRivistaOnline->setText(TitoloRivista(state_.Connessione, cmbCPer->currentText()));
        } catch (const DbError&) {
            txtRivistaOnline->clear();
        }
    } else {
        txtRivistaOnline->clear();
    }
}

// ---------------------------------------------------------------------------------------------
// Commands.

bool frmDocumento::salva() {
    if (!checkArchive(this))
        return false;
    const std::shared_ptr<void> recupero = recupero_->perIlSalvataggio();
    switch (SalvaDocumento(state_, buffer_, leggiDati())) {
    case EsitoSalva::Salvato:
        break;
    case EsitoSalva::Ricaricare:
        // The other program's version, in place of this window's: nothing of it is to be kept.
        mostraDocumento(buffer_.IDDocCorrente);
        return false;
    case EsitoSalva::NonSalvato:
        return false;
    }
    // A number typed to move from goes: the field shows the document saved.
    txtID->setText(QString::number(buffer_.IDDocCorrente));
    segnaSalvato();
    // The number may have changed (a copy, a number taken meanwhile): the lines name it.
    aggiornaControlli();
    return true;
}

void frmDocumento::cmdSalva_Click() {
    salva();
    txtID->setFocus();
}

void frmDocumento::cmdEsci_Click() {
    if (salva())
        chiudi();
}

void frmDocumento::cmdAbbandona_Click() {
    chiudi();
}

void frmDocumento::chiudi() {
    chiusuraDaComando_ = true;
    if (!chiudiFinestraMdi(this))
        chiusuraDaComando_ = false;
}

frmDocumento::Contenuto frmDocumento::contenuto() const {
    // txtID is also where the operator types the number to move from (F5, F6): not work to keep.
    DatiDocumento dati = leggiDati();
    dati.txtID.clear();
    return {std::move(dati),
            buffer_.ElencoResponsabilita,
            buffer_.ElencoClassificazione,
            buffer_.ElencoFonti,
            {buffer_.TestoRiassunto, buffer_.TestoSommario, buffer_.TestoTraduzione, buffer_.TestoNotaDoc,
             buffer_.TestoInTemaDi, buffer_.TestoEnglishAbstract}};
}

void frmDocumento::segnaSalvato() {
    salvato_ = contenuto();
    // Saved, or left for another document as the window always did: nothing to keep.
    recupero_->rimuovi();
    // Fixes are taken back up to the save, or within the document they were applied to.
    annulla_.svuota();
    FrameControlli->setAnnullabile(false);
}

bool frmDocumento::chiusuraConsentita() {
    if (chiusuraDaComando_ || contenuto() == salvato_)
        return true;
    switch (
        state_.ui().message(QStringLiteral("Il documento %1 è stato modificato: salvarlo prima di chiudere?")
                                .arg(buffer_.IDDocCorrente),
                            applicationTitle(), Buttons::YesNoCancel, Icon::Question)) {
    case Answer::Yes:
        return salva();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void frmDocumento::cmdDuplica_Click() {
    if (!checkArchive(this))
        return;
    qint64 copia = 0;
    try {
        copia = ProssimoIDDocumento(state_.Connessione);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(
                QStringLiteral("Il documento non è stato duplicato: il numero della copia non è "
                               "stato letto dall'archivio."),
                e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    const qint64 originale = buffer_.IDDocCorrente;
    const bool eraNuovo = buffer_.NuovoDocumento;
    const QString numero = txtID->text();
    // The copy is a new document under the next number; once saved it is the document shown.
    buffer_.NuovoDocumento = true;
    buffer_.IDDocCorrente = copia;
    txtID->setText(QString::number(copia));
    if (!salva()) {
        // Nothing was copied: the window shows the document it showed.
        buffer_.IDDocCorrente = originale;
        buffer_.NuovoDocumento = eraNuovo;
        txtID->setText(numero);
    }
    txtID->setFocus();
}

void frmDocumento::cmdNew_Click() {
    if (!checkArchive(this))
        return;
    riempiCombo();
    nuovoDocumento();
}

void frmDocumento::cmdAvanti_Click() {
    naviga(true);
}
void frmDocumento::cmdIndietro_Click() {
    naviga(false);
}

// ---------------------------------------------------------------------------------------------
// Keys, focus and closing.

bool frmDocumento::Form_KeyDown(int key) {
    switch (key) {
    case Qt::Key_F1: {
        frmHelpTastiFunzione help(this);
        help.exec();
        return true;
    }
    case Qt::Key_F2:
        cmdDuplica_Click();
        return true;
    case Qt::Key_F3:
        cmdAbbandona_Click();
        return true;
    case Qt::Key_F4:
        cmdSalva_Click();
        return true;
    case Qt::Key_F5:
        cmdIndietro_Click();
        return true;
    case Qt::Key_F6:
        cmdAvanti_Click();
        return true;
    case Qt::Key_F7:
        cmdResponsabilitaN_Click();
        return true;
    case Qt::Key_F8:
        cmdClasseN_Click();
        return true;
    case Qt::Key_F9:
        cmdFonteN_Click();
        return true;
    case Qt::Key_F10:
        cmdRiassunto_Click();
        return true;
    case Qt::Key_F11:
        cmdSommario_Click();
        return true;
    case Qt::Key_F12:
        cmdEsci_Click();
        return true;
    default:
        return false;
    }
}

// Ctrl+F9: F9 adds a source by hand, with Ctrl the texts propose them.
bool frmDocumento::fontiDalTesto(const QKeyEvent* key) {
    if (key->key() != Qt::Key_F9 || !(key->modifiers() & Qt::ControlModifier))
        return false;
    cmdFontiDalTesto_Click();
    return true;
}

bool frmDocumento::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // F1 is this window's key help, before the main window's guide: claimed here, it comes as a key.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == lstFonte && key->modifiers() == Qt::AltModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            spostaFonte(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (fontiDalTesto(key) || Form_KeyDown(key->key()))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back from a dialog (F7 to F11) or a combo's list is not entering the field: the
        // operator goes on where the cursor was. A selection made then would swallow the next
        // keystrokes into the title, or add line 0 to the lines chosen for deletion.
        const bool ritorno = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        // A click puts the cursor where it was made; only a keyboard move (Tab, a shortcut, a
        // finding chosen) selects the field's whole text for retyping.
        const bool clic = reason == Qt::MouseFocusReason;
        if (!ritorno && !clic && watched == txtPagine) {
            QTimer::singleShot(0, txtPagine, &QLineEdit::selectAll);
        } else if (!ritorno && !clic && (watched == txtTitolo || watched == txtNota)) {
            auto* edit = static_cast<QPlainTextEdit*>(watched);
            QTimer::singleShot(0, edit, &QPlainTextEdit::selectAll);
        } else if (!ritorno && !clic && watched == lstResponsabilita && lstResponsabilita->count() > 0) {
            lstResponsabilita->item(0)->setSelected(true);
            buffer_.IndiceResponsabilita = 0;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmDocumento::keyPressEvent(QKeyEvent* event) {
    if (!fontiDalTesto(event) && !Form_KeyDown(event->key()))
        QWidget::keyPressEvent(event);
}

void frmDocumento::closeEvent(QCloseEvent* event) {
    if (!chiusuraConsentita()) {
        event->ignore();
        txtID->setFocus();
        return;
    }
    // Saved or given up by the operator.
    recupero_->rimuovi();
    if (!chiusuraSegnalata_) {
        chiusuraSegnalata_ = true;
        Q_EMIT chiusa();
    }
    event->accept();
}

void frmDocumento::ripristina(const Recupero& r, const QString& percorso) {
    QStringList avvisi;
    DatiDocumento d;
    try {
        d = DatiDaRecupero(state_.Connessione, liste_, r, avvisi);
    } catch (const DbError& e) {
        state_.ui().message(
            MessaggioErroreDb(QStringLiteral("Il documento non salvato non è stato ripristinato: "
                                             "resta da ripristinare alla prossima apertura "
                                             "dell'archivio."),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
        return;
    }
    DocumentBuffer b = r.buffer;
    // A new document, or one deleted since: the number the window gave it, saved as new.
    if (buffer_.NuovoDocumento) {
        b.NuovoDocumento = true;
        b.IDDocCorrente = buffer_.IDDocCorrente;
        b.Versione = 0;
    }
    d.txtID = QString::number(b.IDDocCorrente);
    buffer_ = std::move(b);
    mostraDati(d);
    aggiornaImmagini();
    // Its file stays until the window's own copy replaces it: a crash now loses nothing either.
    recupero_->adotta(percorso);
    recupero_->scriviOra();
    if (!avvisi.isEmpty())
        state_.ui().message(AvvisoCaricamento(buffer_.IDDocCorrente, avvisi, d.conservati), kAttenzione,
                            Buttons::Ok, Icon::Warning);
}
