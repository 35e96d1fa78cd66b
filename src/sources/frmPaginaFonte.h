#pragma once

// One page of the two source-entry dialogs: every control of the page's control array, under
// the names the dialogs give them, and the reading of the page into a PaginaFonte.

#include "sources/PaginaFonte.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class Dialogs;

class PaginaFonteWidget : public QWidget {
    Q_OBJECT

public:
    PaginaFonteWidget(int numero, const QString& pictureFolder, QWidget* parent = nullptr);

    int numero() const { return numero_; }

    // The page as the composers read it.
    PaginaFonte leggi() const;

    // Puts a list box's lines in place, with nothing selected.
    static void riempi(QListWidget* list, const QStringList& lines);
    // Selects the line equal to the text; false when there is none.
    static bool seleziona(QListWidget* list, const QString& text);
    // The selected line, or empty text.
    static QString selezionata(const QListWidget* list);
    // Puts a combo box on the item with that text, or on the header when there is none.
    static void scegli(QComboBox* combo, const QString& text);
    // The pick list's prefix search for the text typed in its box.
    static void cercaPrefisso(QListWidget* list, const QString& text);

    QComboBox* ComboFonte = nullptr;
    QPushButton* cmdAid = nullptr;
    QGroupBox* FrameFonte = nullptr;
    QListWidget* lstFonte = nullptr;

    QGroupBox* FrameRipartizioni = nullptr;
    QLabel* LabelArt = nullptr;
    QLineEdit* txtArt = nullptr;
    QLabel* LabelRipA = nullptr;
    QComboBox* ComboRipA = nullptr;
    QLabel* LabelComma = nullptr;
    QLineEdit* txtComma = nullptr;
    QLabel* LabelRipC = nullptr;
    QComboBox* ComboRipC = nullptr;
    QLabel* LabelLett = nullptr;
    QLineEdit* txtLett = nullptr;
    QLabel* LabelNumP = nullptr;
    QLineEdit* txtNumP = nullptr;
    QLabel* LabelAll = nullptr;
    QLineEdit* txtAll = nullptr;

    QGroupBox* FrameEstremi = nullptr;
    QLineEdit* txtGG = nullptr;
    QComboBox* ComboMese = nullptr;
    QLineEdit* txtAA = nullptr;
    QLineEdit* txtN = nullptr;

    QGroupBox* FrameRegione = nullptr;
    QComboBox* ComboRegione = nullptr;

    QLabel* LabelInfo1 = nullptr;
    QLineEdit* txtInfo1 = nullptr;
    QListWidget* lstElenco1 = nullptr;
    QLabel* LabelInfo2 = nullptr;
    QLineEdit* txtInfo2 = nullptr;
    QListWidget* lstElenco2 = nullptr;
    QLabel* LabelInfo3 = nullptr;
    QLineEdit* txtInfo3 = nullptr;

    QGroupBox* FrameAltro = nullptr;
    QCheckBox* chkDecr = nullptr;
    QCheckBox* chkOrd = nullptr;

    QLabel* LabelLibero = nullptr;
    QLineEdit* txtLibero = nullptr;
    QLabel* LabelStato = nullptr;
    QLineEdit* txtStato = nullptr;
    QPushButton* cmdListaStati = nullptr;

    QPushButton* cmdSalva = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdEsciSalva = nullptr;
    QPushButton* cmdAbbandona = nullptr;

    // Hides every control that a kind or family may show: the act list, the article and date
    // frames, the region, the three info boxes with their lists, the check boxes, the free text
    // and the state.
    void nascondiFacoltativi();
    void mostraInfo1(bool visible);
    void mostraInfo2(bool visible);
    void mostraInfo3(bool visible);
    void mostraStato(bool visible);
    void mostraLibero(bool visible);
    // The labels of the article and paragraph: "Articolo" and "Comma", or "Canone" and "Paragrafo".
    void etichetteRipartizioni(bool canone);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int numero_;
};

// Ctrl+PgDown / Ctrl+PgUp (and Ctrl+Tab / Ctrl+Shift+Tab) move a source dialog to the next or previous
// page from any of its fields, the focus then on the page's ComboFonte. The tab control's own keys
// do not reach it from a combo box, which takes them for itself.
void tastiPagine(QWidget* dialog, QTabWidget* tabs);

// Every tab of a source dialog stays in sight: the tab bar hides none behind scroll arrows, and the
// dialog does not shrink below it (a search frame beside the pages used to squeeze it).
void tabSempreVisibili(QTabWidget* tabs);

// Grows a dialog to what its layout asks, within the screen, and brings it back onto the screen
// when it went past an edge.
void adattaAlloSchermo(QWidget* dialog);

// Enter on the list's current line (and Space, with spazio) does what a double click on it does;
// arrows only move through the list.
void sceltaDaTastiera(QListWidget* list, std::function<void()> azione, bool spazio = false);

// Runs a dialog's action; a failure of the archive is shown, and the dialog stays usable.
void eseguiSicuro(Dialogs& dialogs, const std::function<void()>& action);
