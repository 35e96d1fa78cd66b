#pragma once

// "Scelta": a pick list. A double click, or Enter on the current line, takes the line and closes;
// "Esci" closes with nothing.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class frmScelta : public QDialog {
    Q_OBJECT

public:
    explicit frmScelta(const QStringList& righe, QWidget* parent = nullptr);

    // The line picked; empty text when the dialog was left with "Esci".
    QString ValoreScelto() const { return valoreScelto_; }

    // Shows the lines modally and answers the picked one (empty when none).
    static QString scegli(const QStringList& righe, QWidget* parent = nullptr);

    QListWidget* lstLista = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdEsci = nullptr;

public Q_SLOTS:
    void lstLista_DblClick();
    void cmdEsci_Click();

private:
    QString valoreScelto_;
};
