#pragma once

// The window of an error list. Each finding line leads to its document: Enter or a double click asks
// for the document at that finding (rilievoScelto; the main window opens it). Above the list a
// filter by rule, with the count of each, and the count of the lines shown. The window stays open
// beside the document window, so that the operator goes from one finding to the next.

#include "checks/IndiceRilievi.h"

#include <QDialog>

class AppState;
class QComboBox;
class QLabel;
class QModelIndex;
class QPushButton;
class TextLinesView;

class frmWndErrori : public QDialog {
    Q_OBJECT

public:
    // testo: the title, an empty line and the list, as MostraErrori composes it. A list of any
    // length shows at once: its lines are laid out only as they come into sight.
    explicit frmWndErrori(const QString& testo, QWidget* parent = nullptr);

    // The list read again (the menu item chosen while the window is open); the rule chosen stays
    // chosen while the list has lines of it.
    void mostraTesto(const QString& testo);
    // The list's title, its first line.
    QString titolo() const;
    // The rule shown alone; empty when every line is shown.
    QString regolaScelta() const;
    // Shows only the lines of that rule (false when the list has none), or all for an empty rule.
    [[nodiscard]] bool scegliRegola(const QString& regola);
    const IndiceRilievi& indice() const { return indice_; }

    QComboBox* const cmbRegola;
    QLabel* const lblConteggio;
    TextLinesView* const txtErrori;
    QPushButton* const cmdApri;
    QPushButton* const cmdChiudi;

Q_SIGNALS:
    // The document of a finding line, and the line, as the list writes it.
    void rilievoScelto(qint64 IDDoc, const QString& riga);

private Q_SLOTS:
    void cmdChiudi_Click();
    void cmdApri_Click();

private:
    void riempiFiltro(const QString& regola);
    void filtra();
    void aggiornaConteggio();
    void apri(const QModelIndex& index);
    void primoRilievo();

    IndiceRilievi indice_;
};

// Vedi file errori: the list dump/ + nomeFile + Consegna in frmWndErrori, or the message that there
// are no errors or no list yet. One window per list, bound to the open archive: chosen again, it
// shows the list as it is now. The list's memory is given back when the window closes. Returns
// the window, or nullptr when none was shown.
frmWndErrori* MostraErrori(AppState& state, QWidget* parent, const QString& code, const QString& nomeFile,
                           const QString& title);
