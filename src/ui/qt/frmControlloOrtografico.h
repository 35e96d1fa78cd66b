#pragma once

// The spelling and grammar dialog: the finding in its sentence, highlighted, the reason, the
// proposed corrections and an edit for one's own, with Sostituisci / Sostituisci tutto / Ignora /
// Ignora tutto / Aggiungi / Annulla. It stays open for the whole check and is driven entirely from
// the keyboard: arrows pick a suggestion, Enter applies the default button, Esc cancels, and every
// button has its accelerator.

#include "ui/TextCheck.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QLineEdit;
class QPushButton;
class QTextEdit;

class frmControlloOrtografico : public QDialog {
    Q_OBJECT

public:
    frmControlloOrtografico(TextCheckKind kind, SpellLanguage language, QWidget* parent = nullptr);

    // Shows a finding of `text`; the corrections are asked for once the dialog has been drawn.
    void mostra(const QString& text, const TextFinding& finding, std::function<QStringList()> corrections);
    // The operator's last choice.
    CheckChoice scelta() const { return scelta_; }
    // How many findings have been shown (tests wait for the next one).
    int mostrati() const { return mostrati_; }

    QLabel* lblMotivo = nullptr;
    QTextEdit* txtFrase = nullptr;
    QListWidget* lstSuggerimenti = nullptr;
    QLineEdit* txtSostituisci = nullptr;
    QPushButton* cmdSostituisci = nullptr;
    QPushButton* cmdSostituisciTutto = nullptr;
    QPushButton* cmdIgnora = nullptr;
    QPushButton* cmdIgnoraTutto = nullptr;
    QPushButton* cmdAggiungi = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QLabel* lblLingua = nullptr;

Q_SIGNALS:
    // A button was chosen: scelta() tells which.
    void scelto();

public Q_SLOTS:
    void reject() override;

private:
    void scegli(CheckAction action);
    void riempiSuggerimenti();
    void mostraFrase(const QString& text, const TextFinding& finding);
    void impostaPredefinito(QPushButton* button);

    TextFinding finding_;
    std::function<QStringList()> corrections_;
    CheckChoice scelta_;
    int mostrati_ = 0;
    bool riempiendo_ = false;
};
