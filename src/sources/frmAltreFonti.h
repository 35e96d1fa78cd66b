#pragma once

// "Tipi di diritto diverso da quello interno": international, EU, foreign, canon-law and
// historical sources, one tab each. Treaties are chosen in the frame frameNIT, states and EU
// conventions already cited in frmScelta.

#include "sources/frmPaginaFonte.h"

#include <QDialog>
#include <functional>

class AppState;
struct DocumentBuffer;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

class frmAltreFonti : public QDialog {
    Q_OBJECT

public:
    // tab: the page shown first (0 international ... 4 historical). ricostruisci rebuilds the
    // document window's source list ("Esci e salva").
    frmAltreFonti(AppState& state, DocumentBuffer& buffer, std::function<void()> ricostruisci, int tab = 0,
                  QWidget* parent = nullptr);

    PaginaFonteWidget* pagina(int numero) const;

    QTabWidget* SSTabAltra = nullptr;

    QGroupBox* frameNIT = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtNIT = nullptr;
    QRadioButton* optIntero = nullptr;
    QRadioButton* optParte = nullptr;
    QComboBox* ComboParte = nullptr;
    QPushButton* cmdCercaNIT = nullptr;
    QPushButton* cmdClearNIT = nullptr;
    QListWidget* lstNIT = nullptr;
    QLineEdit* txtLiberoNIT = nullptr;
    QLabel* lblAvvisoNIT = nullptr; // says when no treaty begins with the typed text
    QPushButton* cmdSalvaNIT = nullptr;
    QPushButton* cmdAbbandonaNIT = nullptr;

public Q_SLOTS:
    void ComboFonte_Click(int numeroPagina);
    void lstFonte_Click(int numeroPagina);
    void cmdSalva_Click(int numeroPagina);
    void cmdClear_Click(int numeroPagina);
    void cmdEsciSalva_Click(int numeroPagina);
    void cmdAbbandona_Click();
    void cmdListaStati_Click(int numeroPagina);
    void cmdCercaNIT_Click();
    void cmdClearNIT_Click();
    void lstNIT_Click();
    void cmdSalvaNIT_Click();
    void cmdAbbandonaNIT_Click();
    void optIntero_Click();
    void optParte_Click();
    void txtLiberoNIT_Change(const QString& testo);

private:
    void PreparaAltreFonti();
    void CaricaNIT();
    void PulisciAltreFonti(int numeroPagina);
    void creaNIT();
    bool immetti(int numeroPagina);

    AppState& state_;
    DocumentBuffer& buffer_;
    std::function<void()> ricostruisci_;
    PaginaFonteWidget* pagine_[5] = {};
    QString ultimoNIT_; // the text before the last edit, to tell typing from deleting
};
