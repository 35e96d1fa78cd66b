#pragma once

// "Fonti di diritto interno": the domestic-law source dialog. Four tabs (Costituzione,
// Codificazioni, Normativa, Giurisprudenza) whose pages are numbered 4, 1, 2, 3; each adds its
// source to the document buffer's list. A frame searches the norms catalogue and copies an act
// into the Normativa page.

#include "sources/frmPaginaFonte.h"

#include <QDialog>
#include <functional>

class AppState;
struct DocumentBuffer;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class frmFontiInterne : public QDialog {
    Q_OBJECT

public:
    // ricostruisci rebuilds the document window's source list ("Esci e salva").
    frmFontiInterne(AppState& state, DocumentBuffer& buffer, std::function<void()> ricostruisci,
                    QWidget* parent = nullptr);
    ~frmFontiInterne() override;

    // The page of a number 1..4 (4 = Costituzione).
    PaginaFonteWidget* pagina(int numero) const;
    // The page shown on a tab 0..3.
    static int paginaDelTab(int tab) { return tab == 0 ? 4 : tab; }

    QTabWidget* SSTabInterna = nullptr;
    QPushButton* cmdCatalogoFonti = nullptr;

    QGroupBox* frameInterrogazioneCatalogo = nullptr;
    QLineEdit* txtCatalogoGiorno = nullptr;
    QComboBox* cmbCatalogoMese = nullptr;
    QLineEdit* txtCatalogoAnno = nullptr;
    QLineEdit* txtCatalogoNumero = nullptr;
    QComboBox* cmbCatalogoNomeAtto = nullptr;
    QLineEdit* txtCatalogoParola = nullptr;
    QRadioButton* optIntero = nullptr;
    QRadioButton* optParte = nullptr;
    QComboBox* ComboParte = nullptr;
    QPushButton* cmdCercaCatalogo = nullptr;
    QPushButton* cmdAbbandonaCatalogo = nullptr;
    QListWidget* lstRisultato = nullptr;
    QPlainTextEdit* txtRisultato = nullptr;

public Q_SLOTS:
    void ComboFonte_Click(int numeroPagina);
    void cmdSalva_Click(int numeroPagina);
    void cmdClear_Click(int numeroPagina);
    void cmdEsciSalva_Click(int numeroPagina);
    void cmdAbbandona_Click();
    void SSTabInterna_Click(int tab);
    void cmdCatalogoFonti_Click();
    void optIntero_Click();
    void optParte_Click();
    void cmdCercaCatalogo_Click();
    void lstRisultato_Click();
    void lstRisultato_DblClick();
    void cmdAbbandonaCatalogo_Click();

private:
    void creaCatalogo();
    void preparaPagina(PaginaFonteWidget* p);
    void layoutNormativa(PaginaFonteWidget* p, int tipo);
    void layoutGiurisprudenza(PaginaFonteWidget* p, int tipo);
    void pulisciPagina(int numeroPagina);
    bool immetti(int numeroPagina);
    void chiudiCatalogo();

    AppState& state_;
    DocumentBuffer& buffer_;
    std::function<void()> ricostruisci_;
    PaginaFonteWidget* pagine_[5] = {};
    int tabCorrente_ = 0;
    bool catalogoApertoQui_ = false;
};
