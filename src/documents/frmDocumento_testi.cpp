// The document's texts: each opened in its own window, the buttons showing whether it is there;
// the capture of the article's metadata into the fields.

#include "documents/frmDocumento.h"

#include "capture/frmCattura.h"
#include "documents/CatturaDocumento.h"
#include "documents/Testi.h"
#include "documents/frmAltriTesti.h"
#include "documents/frmTesti.h"
#include "ui/qt/ArchiveBinding.h"

#include <QToolButton>


QIcon frmDocumento::immagine(const QString& name) {
    return immagineDaCartella(state_.home.root(), name);
}

void frmDocumento::aggiornaImmagine(QToolButton* button, const QString& testo) {
    QString base = QStringLiteral("write");
    if (button == cmdTraduzione)
        base = QStringLiteral("export");
    else if (button == cmdNotaDoc)
        base = QStringLiteral("npadwrit");
    const QString name = base + (testo.isEmpty() ? QStringLiteral(".bmp") : QStringLiteral("-r.bmp"));
    const QIcon icon = immagine(name);
    button->setIcon(icon);
    // Without its picture the button still says whether its text is there.
    button->setText(icon.isNull() ? (testo.isEmpty() ? QStringLiteral("...") : QStringLiteral("[T]"))
                                  : QString());
    button->setProperty("testoPresente", !testo.isEmpty());
}

void frmDocumento::aggiornaImmagini() {
    aggiornaImmagine(cmdRiassunto, buffer_.TestoRiassunto);
    aggiornaImmagine(cmdSommario, buffer_.TestoSommario);
    aggiornaImmagine(cmdInTemaDi, buffer_.TestoInTemaDi);
    aggiornaImmagine(cmdEnglishAbstract, buffer_.TestoEnglishAbstract);
    aggiornaImmagine(cmdTraduzione, buffer_.TestoTraduzione);
    aggiornaImmagine(cmdNotaDoc, buffer_.TestoNotaDoc);
}

void frmDocumento::apriTesti(int tipo, QToolButton* button) {
    buffer_.TipoTestoCorrente = tipo;
    frmTesti dialog(state_, buffer_, this);
    if (dialog.exec() == QDialog::Accepted)
        if (const QString* testo = testoFrmTesti(buffer_, tipo))
            aggiornaImmagine(button, *testo);
    aggiornaControlli();
}

void frmDocumento::cmdRiassunto_Click() {
    apriTesti(0, cmdRiassunto);
}
void frmDocumento::cmdSommario_Click() {
    apriTesti(1, cmdSommario);
}
void frmDocumento::cmdInTemaDi_Click() {
    apriTesti(2, cmdInTemaDi);
}
void frmDocumento::cmdEnglishAbstract_Click() {
    apriTesti(3, cmdEnglishAbstract);
}

void frmDocumento::apriAltriTesti(int tipo, const QString& caption, QToolButton* button) {
    buffer_.TipoTestoCorrente = tipo;
    frmAltriTesti dialog(state_.ui(), buffer_, this);
    dialog.setWindowTitle(caption);
    dialog.txtAltroTesto->setPlainText(*testoFrmAltriTesti(buffer_, tipo));
    if (dialog.exec() == QDialog::Accepted)
        aggiornaImmagine(button, *testoFrmAltriTesti(buffer_, tipo));
    aggiornaControlli();
}

void frmDocumento::cmdTraduzione_Click() {
    apriAltriTesti(3, QStringLiteral("Traduzione"), cmdTraduzione);
}
void frmDocumento::cmdNotaDoc_Click() {
    apriAltriTesti(5, QStringLiteral("Nota documento"), cmdNotaDoc);
}

void frmDocumento::cmdCancellaNotaCompilatore_Click() {
    buffer_.TestoNotaDoc.clear();
    aggiornaImmagine(cmdNotaDoc, buffer_.TestoNotaDoc);
    aggiornaControlli();
}

void frmDocumento::cmdCattura_Click() {
    if (!checkArchive(this))
        return;
    DatiDocumento d = leggiDati();
    const CampiDocumento prima = CampiDaDocumento(d, buffer_);
    frmCattura dialog(state_, prima, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CampiNelDocumento(prima, dialog.campi(), liste_, d, buffer_);
    mostraDati(d);
    aggiornaImmagini();
}
