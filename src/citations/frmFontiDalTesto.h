#pragma once

// "Fonti dal testo": the sources the document's texts cite (or a text the operator pastes), each
// proposed as the entry its dialog would make, shown where the text cites it, with a tick. The
// ticked ones are added to the document's source list as the source dialogs add them; the save
// stores them. Proposals the document already has, and those that cannot be added as they stand,
// have no tick.

#include "citations/ProposteFonti.h"

#include <QDialog>

class AppState;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextBrowser;
class QTreeWidget;
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

private:
    void leggi();
    void mostra();
    void mostraContesto();
    void aggiornaConteggio();
    void spunta(bool tutte);
    void aggiungi();
    QList<TestoDocumento> testiScelti() const;

    AppState& state_;
    DocumentBuffer& buffer_;
    const QList<TestoDocumento> testiDocumento_;
    QList<PropostaFonte> proposte_;
    QList<TestoDocumento> letti_; // the texts the proposals were read from
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
