#pragma once

// "Scelta file di uscita": picks a file of a folder by pattern; the chosen path goes to the
// shared chosen-file path.

#include <QDialog>

class AppState;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class frmSceltaFileOut : public QDialog {
    Q_OBJECT

public:
    frmSceltaFileOut(AppState& state, const QString& folder, const QString& pattern, QWidget* parent = nullptr);

    QListWidget* fileListOut = nullptr;
    QPushButton* cmdConferma = nullptr;
    QPushButton* cmdAnnulla = nullptr;
    QPushButton* cmdNuovo = nullptr;

public Q_SLOTS:
    void fileListOut_Click(QListWidgetItem* item);
    void cmdNuovo_Click();
    void cmdConferma_Click();
    void cmdAnnulla_Click();
    // Esc, the frame's close button and Annulla: no file is chosen.
    void reject() override;

private:
    AppState& state_;
    QString folder_;
};
