#pragma once

// The read-only window of an error list.

#include <QDialog>

class AppState;
class QPlainTextEdit;
class QPushButton;

class frmWndErrori : public QDialog {
    Q_OBJECT

public:
    // testo: the title, an empty line and the list, as MostraErrori composes it.
    explicit frmWndErrori(const QString& testo, QWidget* parent = nullptr);

    QPlainTextEdit* txtErrori = nullptr;
    QPushButton* cmdChiudi = nullptr;

private Q_SLOTS:
    void cmdChiudi_Click();
};

// Vedi file errori: the list dump/ + nomeFile + Consegna in frmWndErrori, shown modally, or the
// message that there are no errors or no list yet.
void MostraErrori(AppState& state, QWidget* parent, const QString& code, const QString& nomeFile,
                  const QString& title);
