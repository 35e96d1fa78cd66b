#pragma once

// "Possibili doppioni": pairs of documents that are probably the same article, for the open
// archive against every archive of mdb/, or among all of them. The chosen pair is shown side by
// side; either document opens in the document window. A window of its own, like the search.

#include "search/Doppioni.h"

#include <QAbstractTableModel>
#include <QWidget>

class AppState;
class FinestraPrincipale;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QTextBrowser;

class ModelloDoppioni : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonna {
        Archivio1,
        Numero1,
        Identificativo1,
        Archivio2,
        Numero2,
        Identificativo2,
        Motivo,
        Titolo,
        NumeroColonne
    };

    using QAbstractTableModel::QAbstractTableModel;
    void imposta(QList<CoppiaDoppioni> coppie);
    const QList<CoppiaDoppioni>& coppie() const { return coppie_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<CoppiaDoppioni> coppie_;
};

class frmDoppioni : public QWidget {
    Q_OBJECT

public:
    // A window of its own over the main window, which opens the documents it lists.
    frmDoppioni(AppState& state, FinestraPrincipale& principale);

    const QList<CoppiaDoppioni>& coppie() const { return modello_->coppie(); }

    QRadioButton* optArchivio = nullptr;
    QRadioButton* optTutti = nullptr;
    QPushButton* cmdCerca = nullptr;
    QTableView* tblCoppie = nullptr;
    QTextBrowser* txtPrimo = nullptr;
    QTextBrowser* txtSecondo = nullptr;
    QLabel* lblEsito = nullptr;
    QPushButton* cmdApriPrimo = nullptr;
    QPushButton* cmdApriSecondo = nullptr;
    QPushButton* cmdEsporta = nullptr;
    QPushButton* cmdChiudi = nullptr;

public Q_SLOTS:
    void cmdCerca_Click();
    void cmdApriPrimo_Click();
    void cmdApriSecondo_Click();
    void cmdEsporta_Click();
    void aggiornaAmbiti();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void adattaColonne();
    void mostraCoppia();
    void apri(bool primo);

    AppState& state_;
    FinestraPrincipale& principale_;
    ModelloDoppioni* modello_ = nullptr;
};
