#pragma once

// "Documento": one document of the open archive at a time, with its reference, codes, persons,
// classification pairs, sources and texts; the function keys F1 to F12 drive it from every data
// control. The window owns the document buffer and lends it to its dialogs.

#include "documents/CorrezioniRilievi.h"
#include "documents/DatiDocumento.h"
#include "documents/EstensioniDocumento.h"
#include "documents/RecuperoFinestra.h"
#include "store/AppState.h"
#include "store/DocumentBuffer.h"

#include <QIcon>
#include <QWidget>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTimer;
class PannelloControlli;
struct Correzione;
struct Rilievo;

class frmDocumento : public QWidget {
    Q_OBJECT

public:
    // nuovo: a new document numbered after the last; otherwise the document IDDoc is loaded.
    frmDocumento(AppState& state, bool nuovo, qint64 IDDoc, EstensioniDocumento estensioni = {},
                 QWidget* parent = nullptr);
    ~frmDocumento() override;

    // What the source dialogs work on.
    AppState& state() { return state_; }
    DocumentBuffer& buffer() { return buffer_; }
    // Rebuilds lstFonte from ElencoFonti, one line per entry.
    void ricostruisciListaFonti();
    // The source buttons' work: the family choice and the entry dialogs, the modification dialog.
    void nuovaFonte();
    void modificaFonte();

    // The work of a recovery file in place of what the window shows (the document it was on, loaded
    // or, for a new or since deleted document, a new one): marked unsaved, its file the window's own.
    void ripristina(const Recupero& recupero, const QString& percorso);
    // The recovery file of the window's unsaved work.
    RecuperoFinestra& recupero() { return *recupero_; }

    // The window's content as plain values, and back.
    DatiDocumento leggiDati() const;
    void mostraDati(const DatiDocumento& dati);
    const ListeDocumento& liste() const { return liste_; }

    QLineEdit* txtID = nullptr;
    QLineEdit* txtAnnoPr = nullptr;
    QComboBox* cmbCPer = nullptr;
    QLineEdit* txtRivistaOnline = nullptr;
    QComboBox* cmbGG = nullptr;
    QComboBox* cmbMM = nullptr;
    QComboBox* cmbAA = nullptr;
    QLineEdit* txtFascicolo = nullptr;
    QLineEdit* txtVolume = nullptr;
    QLineEdit* txtAnnata = nullptr;
    QLineEdit* txtPagine = nullptr;
    QLineEdit* txtDocURL = nullptr;
    QPushButton* cmdCattura = nullptr; // "Da indirizzo o DOI...": fills the document from its page or DOI
    QComboBox* ComboTD = nullptr;
    QComboBox* ComboTAbs = nullptr;
    QComboBox* ComboBib = nullptr;
    QComboBox* ComboLIN = nullptr;
    QLabel* lblRecupero = nullptr; // the unsaved work cannot be kept against a crash
    QPlainTextEdit* txtTitolo = nullptr;
    QPlainTextEdit* txtNota = nullptr;
    QListWidget* lstResponsabilita = nullptr;
    QPushButton* cmdResponsabilitaN = nullptr;
    QPushButton* cmdResponsabilitaM = nullptr;
    QPushButton* cmdResponsabilitaD = nullptr;
    QListWidget* lstClassificazione = nullptr;
    QPushButton* cmdClasseN = nullptr;
    QPushButton* cmdClasseM = nullptr;
    QPushButton* cmdClasseD = nullptr;
    QListWidget* lstFonte = nullptr;
    QPushButton* cmdFonteN = nullptr;
    QPushButton* cmdFonteM = nullptr;
    QPushButton* cmdFonteD = nullptr;
    QPushButton* cmdFonteT = nullptr;
    QPushButton* cmdFonteUfficiale = nullptr; // the current source's official text (Alt+T)
    QPushButton* cmdFontiDalTesto = nullptr;  // the sources the texts cite, proposed (Ctrl+F9)
    QToolButton* cmdRiassunto = nullptr;
    QToolButton* cmdSommario = nullptr;
    QToolButton* cmdInTemaDi = nullptr;
    QToolButton* cmdEnglishAbstract = nullptr;
    QToolButton* cmdTraduzione = nullptr;
    QToolButton* cmdNotaDoc = nullptr;
    QPushButton* cmdCancellaNotaCompilatore = nullptr;
    QPushButton* cmdSalva = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdDuplica = nullptr;
    QPushButton* cmdAvanti = nullptr;
    QPushButton* cmdIndietro = nullptr;
    QPushButton* cmdAbbandona = nullptr;
    QPushButton* cmdEsci = nullptr;
    PannelloControlli* FrameControlli = nullptr;

    // Applies the rules to what the window holds now and shows the findings.
    void aggiornaControlli();
    // Puts the focus on the field or list entry a finding concerns.
    void vaiAlRilievo(const Rilievo& rilievo);
    // Applies a fix of a finding to what the window holds (or opens its dialog or field); the
    // checks run again at once. Nothing is saved.
    void applicaCorrezione(const Correzione& correzione, const Rilievo& rilievo);
    // Takes the last fix back; false when there is none since the load or the last save.
    bool annullaCorrezione();
    // A line of the error lists: its finding among those of the document as it is now, chosen in
    // the Controlli panel, and vaiAlRilievo. False when the document has no such finding (mended
    // since the list was written): the panel then has the keyboard.
    bool vaiAlRilievoDellElenco(const QString& riga);

Q_SIGNALS:
    // The window is closing (the main window enables its Documenti menu again).
    void chiusa();

public Q_SLOTS:
    void cmdSalva_Click();
    void cmdEsci_Click();
    void cmdAbbandona_Click();
    void cmdDuplica_Click();
    void cmdNew_Click();
    void cmdAvanti_Click();
    void cmdIndietro_Click();
    void cmdResponsabilitaN_Click();
    void cmdResponsabilitaM_Click();
    void cmdResponsabilitaD_Click();
    void cmdClasseN_Click();
    void cmdClasseM_Click();
    void cmdClasseD_Click();
    void cmdFonteN_Click();
    void cmdFonteM_Click();
    void cmdFonteD_Click();
    void cmdFonteT_Click();
    void cmdFonteUfficiale_Click();
    void cmdFontiDalTesto_Click();
    void cmdRiassunto_Click();
    void cmdSommario_Click();
    void cmdInTemaDi_Click();
    void cmdEnglishAbstract_Click();
    void cmdTraduzione_Click();
    void cmdNotaDoc_Click();
    void cmdCancellaNotaCompilatore_Click();
    void cmdCattura_Click();
    // The function keys; true when the key was one of them.
    bool Form_KeyDown(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool fontiDalTesto(const QKeyEvent* key);
    void closeEvent(QCloseEvent* event) override;

private:
    void creaControlli();
    void riempiCombo();
    void nuovoDocumento();
    void naviga(bool avanti);
    // Loads the stored document into the window; false (after saying why) leaves it as it was.
    bool mostraDocumento(qint64 IDDoc);
    bool carica(qint64 IDDoc, DocumentBuffer& buffer, DatiDocumento& dati);
    void modoEsistente();
    // The save of the window's commands; on success txtID shows the number saved.
    bool salva();
    // The code boxes say their whole item where it does not fit.
    void aggiornaSuggerimenti();
    void modoNuovo();
    void cmbCPer_Change();
    void aggiornaImmagine(QToolButton* button, const QString& testo);
    void aggiornaImmagini();
    void apriTesti(int tipo, QToolButton* button);
    void apriAltriTesti(int tipo, const QString& caption, QToolButton* button);
    void cancellaSelezionate(QListWidget* list, int which);
    // Alt+Up, Alt+Down in the sources: the current entry one place up (-1) or down (+1).
    void spostaFonte(int verso);
    void aggiornaFonteUfficiale();
    void chiudi();
    // Typing: the findings are worked out again a moment after the last change, never holding it
    // up. Every other change (a load, a dialog closed, a save) calls aggiornaControlli at once.
    void collegaControlli();
    QIcon immagine(const QString& name);
    static void impostaRighe(QListWidget* list, const QStringList& righe);

    // What the operator would lose by closing the window: its fields and the buffer's entries and
    // texts (not the selection indices), as last loaded or saved.
    struct Contenuto {
        DatiDocumento dati;
        QList<VoceResponsabilita> responsabilita;
        QList<VoceClassificazione> classificazione;
        QList<VoceFonte> fonti;
        QStringList testi;
        bool operator==(const Contenuto&) const = default;
    };
    Contenuto contenuto() const;
    void segnaSalvato();
    // Closing by the window's frame, File > Chiudi or Esci of the main window: asks whether to save
    // a modified document. False keeps the window open.
    bool chiusuraConsentita();

    AppState& state_;
    const EstensioniDocumento estensioni_;
    DocumentBuffer buffer_;
    ListeDocumento liste_;
    Contenuto salvato_;
    ValoriConservati conservati_;
    bool chiusuraDaComando_ = false; // Esci or Abbandona: the operator has decided
    bool chiusuraSegnalata_ = false;
    QTimer* timerControlli_ = nullptr;
    AnnullaCorrezioni annulla_; // the fixes applied since the load or the last save
    std::unique_ptr<RecuperoFinestra> recupero_;
};

// The picture file of that name in the home folder, its name matched without regard to case.
QIcon immagineDaCartella(const QString& folder, const QString& name);
