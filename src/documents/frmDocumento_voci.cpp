// The lists of the document's entries: responsibilities, classification pairs and sources, each
// added, changed and deleted through its dialog.

#include "documents/frmDocumento.h"

#include "classification/frmClassificazione.h"
#include "classification/mdlClasse.h"
#include "documents/Responsabilita.h"
#include "documents/frmResponsabilita.h"
#include "documents/mdlDocumenti.h"
#include "sources/IdentificativiUfficiali.h"
#include "sources/frmAltreFonti.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmTipologiaFonte.h"
#include "ui/qt/ArchiveBinding.h"

#include <QListWidget>

namespace {

const QString kAttenzione = QStringLiteral("Attenzione!");

QList<int> righeSelezionate(const QListWidget* list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows << i;
    return rows;
}

} // namespace

void frmDocumento::cmdResponsabilitaN_Click() {
    frmResponsabilita dialog(buffer_, this);
    dialog.PulisciResponsabilita();
    buffer_.IndiceResponsabilita = -1;
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstResponsabilita, dialog.righe());
}

void frmDocumento::cmdResponsabilitaM_Click() {
    frmResponsabilita dialog(buffer_, this);
    dialog.MostraResponsabilita();
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstResponsabilita, dialog.righe());
}

void frmDocumento::cancellaSelezionate(QListWidget* list, int which) {
    const QList<int> selezionate = righeSelezionate(list);
    if (selezionate.isEmpty()) {
        state_.ui().message(QStringLiteral("Nessuna selezione effettuata"), kAttenzione);
        return;
    }
    if (state_.ui().message(QStringLiteral("Confermi cancellazione?"), kAttenzione, Buttons::YesNo,
                            Icon::Question) != Answer::Yes)
        return;
    QStringList righe;
    for (int i = 0; i < list->count(); ++i)
        righe << list->item(i)->text();
    switch (which) {
    case 0:
        marcaCancellate(righe, buffer_.ElencoResponsabilita, selezionate);
        break;
    case 1:
        marcaCancellate(righe, buffer_.ElencoClassificazione, selezionate);
        break;
    default:
        marcaCancellate(righe, buffer_.ElencoFonti, selezionate);
        break;
    }
    for (int i : selezionate)
        if (i < righe.size())
            list->item(i)->setText(righe.at(i));
}

void frmDocumento::cmdResponsabilitaD_Click() {
    cancellaSelezionate(lstResponsabilita, 0);
}

void frmDocumento::cmdClasseN_Click() {
    buffer_.IndiceClassificazione = -1;
    frmClassificazione dialog(state_, buffer_, this);
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstClassificazione, righeClassificazione(buffer_.ElencoClassificazione));
}

void frmDocumento::cmdClasseM_Click() {
    frmClassificazione dialog(state_, buffer_, this);
    dialog.MostraClassificazione();
    if (dialog.exec() == QDialog::Accepted)
        impostaRighe(lstClassificazione, righeClassificazione(buffer_.ElencoClassificazione));
}

void frmDocumento::cmdClasseD_Click() {
    cancellaSelezionate(lstClassificazione, 1);
}

void frmDocumento::cmdFonteN_Click() {
    buffer_.IndiceFonte = -1;
    nuovaFonte();
}

void frmDocumento::cmdFonteM_Click() {
    modificaFonte();
}

void frmDocumento::nuovaFonte() {
    if (!checkArchive(this))
        return;
    frmTipologiaFonte scelta(this);
    scelta.exec();
    const int tipologia = scelta.TipologiaFonteScelta();
    if (tipologia < 1 || tipologia > 6)
        return;
    const auto ricostruisci = [this] { ricostruisciListaFonti(); };
    if (tipologia == 1) {
        frmFontiInterne dialog(state_, buffer_, ricostruisci, this);
        dialog.exec();
    } else {
        frmAltreFonti dialog(state_, buffer_, ricostruisci, tipologia - 2, this);
        dialog.exec();
    }
    // Sources added with Salva stay in the buffer however the dialog was left: the list shows
    // them too, so that line i is always entry i.
    ricostruisciListaFonti();
}

void frmDocumento::modificaFonte() {
    frmModificaFonte dialog(
        state_, buffer_, [this] { ricostruisciListaFonti(); }, this);
    dialog.MostraFonte();
    dialog.exec();
}

void frmDocumento::ricostruisciListaFonti() {
    QStringList righe;
    for (const VoceFonte& v : std::as_const(buffer_.ElencoFonti))
        righe << rigaFonte(v);
    impostaRighe(lstFonte, righe);
}

void frmDocumento::spostaFonte(int verso) {
    const int da = lstFonte->currentRow();
    const int a = da + verso;
    if (da < 0 || a < 0 || da >= buffer_.ElencoFonti.size() || a >= buffer_.ElencoFonti.size())
        return;
    // The save links the sources in the list's order, and the load reads them back in it.
    buffer_.ElencoFonti.swapItemsAt(da, a);
    ricostruisciListaFonti();
    {
        const QSignalBlocker block(lstFonte);
        lstFonte->setCurrentRow(a);
        lstFonte->clearSelection();
        lstFonte->item(a)->setSelected(true);
    }
    buffer_.IndiceFonte = a;
    aggiornaFonteUfficiale();
    // The findings name entries by their place: worked out again on the new order.
    aggiornaControlli();
}

void frmDocumento::cmdFonteD_Click() {
    cancellaSelezionate(lstFonte, 2);
}

void frmDocumento::cmdFonteT_Click() {
    const int i = buffer_.IndiceFonte;
    if (i < 0 || i >= buffer_.ElencoFonti.size())
        return;
    const QString t = buffer_.ElencoFonti.at(i).testo;
    const QString nota = txtNota->toPlainText();
    if (!nota.isEmpty()) {
        txtNota->setPlainText(nota + QStringLiteral("; ") + t);
        return;
    }
    const QString tipo = ComboTD->currentText().left(2);
    if (tipo == u"03")
        txtNota->setPlainText(QStringLiteral("Nota a ") + t);
    else if (tipo == u"07")
        txtNota->setPlainText(QStringLiteral("Commento a ") + t);
}

void frmDocumento::aggiornaFonteUfficiale() {
    cmdFonteUfficiale->setEnabled(!IndirizzoFonteCorrente(buffer_, state_.settings).isEmpty());
}

void frmDocumento::cmdFonteUfficiale_Click() {
    const QString indirizzo = IndirizzoFonteCorrente(buffer_, state_.settings);
    if (indirizzo.isEmpty())
        return;
    if (!state_.ui().openUrl(indirizzo))
        state_.ui().message(QStringLiteral("Il browser non si è aperto sul testo ufficiale della fonte.\n"
                                           "Copiare l'indirizzo nel browser:\n") +
                                indirizzo,
                            applicationTitle(), Buttons::Ok, Icon::Warning);
}

void frmDocumento::cmdFontiDalTesto_Click() {
    if (!checkArchive(this))
        return;
    if (!estensioni_.fontiDalTesto)
        return;
    const QList<TestoDocumento> testi = {{QStringLiteral("Titolo"), txtTitolo->toPlainText()},
                                         {QStringLiteral("Riassunto"), buffer_.TestoRiassunto},
                                         {QStringLiteral("Sommario"), buffer_.TestoSommario},
                                         {QStringLiteral("In tema di"), buffer_.TestoInTemaDi},
                                         {QStringLiteral("Nota"), txtNota->toPlainText()}};
    if (estensioni_.fontiDalTesto(state_, buffer_, testi, this)) {
        ricostruisciListaFonti();
        timerControlli_->start();
    }
}
