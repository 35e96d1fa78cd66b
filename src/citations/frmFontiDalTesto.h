#pragma once

// "Fonti dal testo": the sources the document's texts cite (or a text the operator pastes), each
// proposed as the entry its dialog would make, shown where the text cites it, with a tick. The
// ticked ones are added to the document's source list as the source dialogs add them; the save
// stores them. Proposals the document already has, and those that cannot be added as they stand,
// have no tick. An act of the State the norms catalogue does not hold comes unticked, with the
// catalogue's acts one element away under it: ticking one makes the proposal that act. The
// keyboard starts in the list; Enter adds the ticked ones, Alt+Up and Alt+Down set the order
// in which they are added.

#include "citations/AttiVicini.h"
#include "citations/ProposteFonti.h"

#include <QDialog>

class AppState;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
struct DocumentBuffer;

class frmFontiDalTesto : public QDialog {
    Q_OBJECT

public:
    // testi: the document's texts as the window holds them now (title, summary, ..., note).
    frmFontiDalTesto(AppState& state, DocumentBuffer& buffer, QList<TestoDocumento> testi,
                     QWidget* parent = nullptr);
    ~frmFontiDalTesto() override;

    const QList<PropostaFonte>& proposte() const { return proposte_; }
    // How many sources the last "Aggiungi" added.
    int aggiunte() const { return aggiunte_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leggi();
    void mostra();
    void mostraContesto();
    void aggiornaConteggio();
    void spunta(bool tutte);
    void aggiungi();
    void cambiata(QTreeWidgetItem* item);
    // The proposal of the line becomes its near act j (-1: the proposal as read).
    void scegliVicino(QTreeWidgetItem* riga, int j);
    void mostraProposta(QTreeWidgetItem* riga);
    // Moves the current proposal up (-1) or down (+1) the list.
    bool sposta(int verso);
    QList<TestoDocumento> testiScelti() const;

    AppState& state_;
    DocumentBuffer& buffer_;
    const QList<TestoDocumento> testiDocumento_;
    QList<PropostaFonte> proposte_;   // as they stand now: a near act chosen in place of the read one
    QList<PropostaFonte> lette_;      // as read from the texts
    QList<QList<AttoVicino>> vicini_; // each proposal's near acts in the catalogue
    QList<TestoDocumento> letti_;     // the texts the proposals were read from
    int aggiunte_ = 0;
    bool catalogoAperto_ = false; // this window opened the catalogue and closes it

    QRadioButton* const optTestiDocumento;
    QRadioButton* const optTestoIncollato;
    QPlainTextEdit* const txtIncollato;
    QPushButton* const cmdLeggi;
    QTreeWidget* const lstProposte;
    QTextBrowser* const txtContesto;
    QLabel* const lblConteggio;
    QPushButton* const cmdTutte;
    QPushButton* const cmdNessuna;
    QPushButton* const cmdAggiungi;
    QPushButton* const cmdAbbandona;
};
