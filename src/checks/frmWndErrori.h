#pragma once

// The read-only window of an error list.

#include <QDialog>

class AppState;
class QPushButton;
class TextLinesView;

class frmWndErrori : public QDialog {
    Q_OBJECT

public:
    // testo: the title, an empty line and the list, as MostraErrori composes it. A list of any
    // length shows at once: its lines are laid out only as they come into sight.
    explicit frmWndErrori(const QString& testo, QWidget* parent = nullptr);

    TextLinesView* txtErrori = nullptr;
    QPushButton* cmdChiudi = nullptr;

private Q_SLOTS:
    void cmdChiudi_Click();
};

// Vedi file errori: the list dump/ + nomeFile + Consegna in frmWndErrori, shown modally, or the
// message that there are no errors or no list yet. The list's memory is given back when the window
// closes.
void MostraErrori(AppState& state, QWidget* parent, const QString& code, const QString& nomeFile,
                  const QString& title);
