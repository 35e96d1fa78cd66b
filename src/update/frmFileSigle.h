#pragma once

// "Composizione file sigle": opens or creates an abbreviation file and edits its list.

#include <QWidget>

class AppState;
class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class frmFileSigle : public QWidget {
    Q_OBJECT

public:
    explicit frmFileSigle(AppState& state, QWidget* parent = nullptr);

    QCheckBox* chkNuovoFile = nullptr;
    QPushButton* cmdApriFileSigle = nullptr;
    QListWidget* lstSigle = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* frmOperazioniSigle = nullptr;
    QPushButton* cmdNuovaSigla = nullptr;
    QPushButton* cmdEliminaSigla = nullptr;
    QPushButton* cmdEsciSalva = nullptr;
    QPushButton* cmdAnnulla = nullptr;

    // The abbreviations in the list, in order.
    QStringList sigle() const;
    void CaricaFileSigle(const QString& path);

public Q_SLOTS:
    void cmdApriFileSigle_Click();
    void cmdNuovaSigla_Click();
    void cmdEliminaSigla_Click();
    void cmdEsciSalva_Click();
    void cmdAnnulla_Click();

Q_SIGNALS:
    void chiuso();

protected:
    // Closing by the frame, File > Chiudi or Esci asks before a changed list is lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void mostraConteggio();
    void chiudi();
    bool salva();
    bool modificata() const;

    AppState& state_;
    // The file this window works on. The shared chosen-file path is also set, but a batch run
    // started meanwhile reuses that for its output, so saving never goes by it.
    QString fileSigle_;
    QStringList salvate_; // the list as last read or written
    bool chiusuraDaComando_ = false;
};
